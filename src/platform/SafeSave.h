// Saving a named file without ever destroying the one that is there: the bytes
// go to a new file beside it, which replaces the old file only once it is
// complete. A failed save leaves the old file untouched and raises the message
// of the failure ("Cannot create file %s", "Stream write error").
#pragma once

#include <functional>
#include <string>

class TStream;

void SaveToFileSafely(const std::string& fileName, const std::function<void(TStream&)>& writeBody);
