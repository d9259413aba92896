#include "PictureFileFormat.h"

#include <algorithm>
#include <filesystem>

#include "Exception.h"
#include "FileStream.h"
#include "OtbFile.h"
#include "PbmFile.h"
#include "PictureFileMessages.h"
#include "SafeSave.h"
#include "WbmpFile.h"
#include "XbmFile.h"

namespace {

std::string LowerCase(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

TPixelImage ReadImage(TPictureFileFormat format, TStream& stream) {
  switch (format) {
    case TPictureFileFormat::Wbmp: return ReadWbmp(stream);
    case TPictureFileFormat::Otb: return ReadOtb(stream);
    case TPictureFileFormat::Nol: return ReadNol(stream);
    case TPictureFileFormat::Ngg: return ReadNgg(stream);
    case TPictureFileFormat::Xbm: return ReadXbm(stream);
    case TPictureFileFormat::Pbm:
    case TPictureFileFormat::PlainPbm: return ReadPbm(stream);
    case TPictureFileFormat::CArray: break;
  }
  throw Exception(FormatMessage(SFormatNotReadable, FormatInfo(format).Title));
}

// The name for XBM and C arrays: the chosen one, else the file's stem.
TPictureWriteOptions NamedAfter(const std::string& fileName, TPictureWriteOptions options) {
  if (options.Name.empty()) options.Name = std::filesystem::path(fileName).stem().string();
  return options;
}

}  // namespace

const std::vector<TPictureFileFormatInfo>& PictureFileFormats() {
  using F = TPictureFileFormat;
  static const std::vector<TPictureFileFormatInfo> formats = {
      {F::Wbmp, "wbmp", "WBMP", {".wbmp"}, true, true},
      {F::Otb, "otb", "OTA bitmap", {".otb"}, true, true},
      {F::Nol, "nol", "NOL operator logo", {".nol"}, true, true},
      {F::Ngg, "ngg", "NGG group graphic", {".ngg"}, true, true},
      {F::Xbm, "xbm", "XBM", {".xbm"}, true, true},
      {F::Pbm, "pbm", "PBM", {".pbm"}, true, true},
      {F::PlainPbm, "pbm-plain", "Plain PBM", {}, true, true},
      {F::CArray, "c", "C array", {".h", ".c"}, false, false},
  };
  return formats;
}

const TPictureFileFormatInfo& FormatInfo(TPictureFileFormat format) {
  for (const TPictureFileFormatInfo& info : PictureFileFormats())
    if (info.Format == format) return info;
  return PictureFileFormats().front();
}

std::optional<TPictureFileFormat> FormatFromFileName(const std::string& fileName) {
  const std::string extension = LowerCase(std::filesystem::path(fileName).extension().string());
  if (extension.empty()) return std::nullopt;
  for (const TPictureFileFormatInfo& info : PictureFileFormats())
    if (std::find(info.Extensions.begin(), info.Extensions.end(), extension) != info.Extensions.end())
      return info.Format;
  return std::nullopt;
}

std::optional<TPictureFileFormat> FormatFromName(const std::string& name) {
  const std::string lower = LowerCase(name);
  for (const TPictureFileFormatInfo& info : PictureFileFormats())
    if (info.Name == lower) return info.Format;
  return std::nullopt;
}

void ReadPicture(TBitmap& bitmap, TPictureFileFormat format, TStream& stream) {
  bitmap.SetImage(ReadImage(format, stream), true);
}

void ReadPictureFile(TBitmap& bitmap, TPictureFileFormat format, const std::string& fileName) {
  if (!FormatInfo(format).Readable) throw Exception(FormatMessage(SFormatNotReadable, FormatInfo(format).Title));
  TFileStream file(fileName, TFileMode::fmOpenRead);
  ReadPicture(bitmap, format, file);
}

void WritePicture(const TBitmap& picture, TPictureFileFormat format, TStream& stream,
                  const TPictureWriteOptions& options) {
  const TPixelImage& image = picture.Image();
  const std::string name = options.Name.empty() ? "image" : options.Name;
  switch (format) {
    case TPictureFileFormat::Wbmp: WriteWbmp(image, stream); return;
    case TPictureFileFormat::Otb: WriteOtb(image, stream); return;
    case TPictureFileFormat::Nol: WriteNol(image, stream, options.Network); return;
    case TPictureFileFormat::Ngg: WriteNgg(image, stream); return;
    case TPictureFileFormat::Xbm: WriteXbm(image, stream, name); return;
    case TPictureFileFormat::Pbm: WritePbm(image, stream, TPbmForm::Raw); return;
    case TPictureFileFormat::PlainPbm: WritePbm(image, stream, TPbmForm::Plain); return;
    case TPictureFileFormat::CArray: WriteCArray({{picture, 0}}, name, options.CArray, stream); return;
  }
}

void WritePictureFile(const TBitmap& picture, TPictureFileFormat format, const std::string& fileName,
                      const TPictureWriteOptions& options) {
  const TPictureWriteOptions named = NamedAfter(fileName, options);
  SaveToFileSafely(fileName, [&](TStream& stream) { WritePicture(picture, format, stream, named); });
}

void WriteCArrayFile(const std::vector<TCArrayFrame>& frames, const std::string& fileName,
                     const TPictureWriteOptions& options) {
  const TPictureWriteOptions named = NamedAfter(fileName, options);
  SaveToFileSafely(fileName, [&](TStream& stream) { WriteCArray(frames, named.Name, named.CArray, stream); });
}
