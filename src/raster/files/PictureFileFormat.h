// The 1-bit picture formats of other phones and of small displays, as one
// list: which format a file name or a format name (such as a command line's
// "--to wbmp") stands for, which formats can be read, and which hold a single
// picture. Every format here holds one picture, except the C arrays, which
// hold every frame of an animation. And the one road between these files and
// a TBitmap: a picture read is a black-and-white bitmap (white 0xFFFFFF,
// black 0); a picture written has its exactly white pixels white and every
// other pixel black.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Bitmap.h"
#include "CArrayWriter.h"
#include "OperatorLogoFile.h"
#include "Stream.h"

enum class TPictureFileFormat { Wbmp, Otb, Nol, Ngg, Xbm, Pbm, PlainPbm, CArray };

struct TPictureFileFormatInfo {
  TPictureFileFormat Format;
  std::string Name;                     // the format's name on a command line
  std::string Title;                    // for messages and file dialogs, e.g. "WBMP"
  std::vector<std::string> Extensions;  // with the dot, the first one preferred for saving
  bool Readable;
  bool OnePicture;  // false: the file holds several frames
};

// Every format, in the order file dialogs list them.
const std::vector<TPictureFileFormatInfo>& PictureFileFormats();
const TPictureFileFormatInfo& FormatInfo(TPictureFileFormat format);

// The format a file name's extension stands for, in any letter case: ".wbmp",
// ".otb", ".nol", ".ngg", ".xbm", ".pbm" (written raw; either form is read),
// ".h" and ".c" (C arrays). None for any other name.
std::optional<TPictureFileFormat> FormatFromFileName(const std::string& fileName);
// The format of a name as FormatInfo gives it ("wbmp", "otb", "nol", "ngg",
// "xbm", "pbm", "pbm-plain", "c"), in any letter case. None for another name.
std::optional<TPictureFileFormat> FormatFromName(const std::string& name);

// How a picture is written, where its format has a choice.
struct TPictureWriteOptions {
  // The start of the names in XBM files and C arrays; empty: the file name's
  // stem when writing a named file, else "image".
  std::string Name;
  TCArrayOptions CArray;
  TOperatorNetwork Network;  // of an operator logo
};

// Reads the rest of the stream as a picture of the format into the bitmap.
// Raises the format's message (or "Out of system resources") for a bad file,
// "C array files cannot be opened, only saved" for the C arrays; a failed read
// leaves the bitmap as it was.
void ReadPicture(TBitmap& bitmap, TPictureFileFormat format, TStream& stream);
// The same from a named file; raises "Cannot open file %s" when it cannot be opened.
void ReadPictureFile(TBitmap& bitmap, TPictureFileFormat format, const std::string& fileName);

// Writes the picture in the format (as a C array, one frame with no delay);
// nothing for an empty picture. A picture the format cannot hold raises its
// message before anything is written.
void WritePicture(const TBitmap& picture, TPictureFileFormat format, TStream& stream,
                  const TPictureWriteOptions& options = {});
// The same into a named file, through the safe save: the file is replaced
// only once the whole picture is written, and is left as it was on failure.
void WritePictureFile(const TBitmap& picture, TPictureFileFormat format, const std::string& fileName,
                      const TPictureWriteOptions& options = {});
// All frames of an animation as one C array file, through the safe save.
void WriteCArrayFile(const std::vector<TCArrayFrame>& frames, const std::string& fileName,
                     const TPictureWriteOptions& options = {});
