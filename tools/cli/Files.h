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
// "-", to out.
void WriteOutput(const std::string& fileName, std::ostream& out, const std::function<void(TStream&)>& writeBody);

// A picture read from the named file, or from in for "-".
void LoadInput(TGraphic& graphic, const std::string& fileName, std::istream& in);
// A picture written to the named file (replacing it only when complete), or to out for "-".
void SaveOutput(TGraphic& graphic, const std::string& fileName, std::ostream& out);
