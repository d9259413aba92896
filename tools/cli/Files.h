// Where korvane-cli's commands read and write: a named file, or "-" for the
// standard input (read whole into memory first, at most
// MaxUnseekableInputBytes, since the readers seek) and the standard output.
#pragma once

#include <iosfwd>
#include <functional>
#include <memory>
#include <string>

#include "Graphic.h"
#include "Stream.h"

// The name that stands for standard input or output.
inline constexpr const char* StandardStreamName = "-";

// The named file opened for reading, or the whole of in for "-". Raises
// "Cannot open file %s", or "Out of system resources" past the cap.
std::unique_ptr<TStream> OpenInput(const std::string& fileName, std::istream& in);
// Writes the body to the named file (replacing it only when complete) or, for
// "-", to out. A failure of the body itself is the file in hand's before.
void WriteOutput(const std::string& fileName, std::ostream& out, const std::function<void(TStream&)>& writeBody);

// Each of these tells the run open on this thread (FileRun.h) which file is
// in hand, so that a failure names it.

// A picture read from the named file, or from in for "-". A GIF's warnings
// go to the run open on this thread, which may fail the file with them.
void LoadInput(TGraphic& graphic, const std::string& fileName, std::istream& in);
// A picture written to the named file (replacing it only when complete), or to out for "-".
void SaveOutput(TGraphic& graphic, const std::string& fileName, std::ostream& out);
