// The 1-bit picture files of other phones and small displays (WBMP, OTA
// bitmap, NOL and NGG logos, XBM, PBM, C arrays) in the windows: the entries
// the file dialogs add for them, and reading or writing a picture in the
// format its file name's extension names.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Bitmap.h"
#include "PictureFileFormat.h"

// The entries of the file dialogs, "description|patterns|..." without a
// leading bar: "Phone pictures" with every readable format, then one entry
// per readable format.
std::string ReadableFormatsFilter();
// One entry per format that holds one picture ("WBMP|*.wbmp|..."), and with
// withCArrays the C arrays last.
std::string WritableFormatsFilter(bool withCArrays);

// Reads the named file into the bitmap: in the format its extension names
// when that format can be read, else as a BMP.
void LoadPictureFile(TBitmap& bitmap, const std::string& fileName);
// Writes the picture to the named file through the safe save: in the format
// its extension names, else as a BMP in the picture's own colours.
void SavePictureFile(const TBitmap& picture, const std::string& fileName);
