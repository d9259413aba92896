// Saving a named file without ever destroying the one that is there: the bytes
// go to a new file beside it, which replaces the old file only once it is
// complete. A failed save leaves the old file untouched and raises the message
// of the failure ("Cannot create file %s", "Stream write error").
//
// The new file is made in the target's folder under a name nobody can
// predict, created exclusively (never opened through a name that is already
// there, such as a link planted in a shared folder; a taken name is answered
// with another one), with the permissions a new file gets; a file it replaces
// passes its own permissions on.
#pragma once

#include <functional>
#include <string>

class TStream;

void SaveToFileSafely(const std::string& fileName, const std::function<void(TStream&)>& writeBody);
