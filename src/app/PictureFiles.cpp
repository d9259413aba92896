#include "PictureFiles.h"

#include "SafeSave.h"

namespace {

std::string Patterns(const TPictureFileFormatInfo& info) {
  std::string patterns;
  for (const std::string& extension : info.Extensions) patterns += (patterns.empty() ? "*" : ";*") + extension;
  return patterns;
}

// The formats with extensions of their own (plain PBM is written through .pbm's entry).
template <class TTake>
std::string FilterOf(TTake take) {
  std::string filter;
  for (const TPictureFileFormatInfo& info : PictureFileFormats())
    if (!info.Extensions.empty() && take(info))
      filter += (filter.empty() ? "" : "|") + info.Title + "|" + Patterns(info);
  return filter;
}

}  // namespace

std::string ReadableFormatsFilter() {
  std::string all;
  for (const TPictureFileFormatInfo& info : PictureFileFormats())
    if (info.Readable && !info.Extensions.empty()) all += (all.empty() ? "" : ";") + Patterns(info);
  return "Phone pictures|" + all + "|" + FilterOf([](const TPictureFileFormatInfo& info) { return info.Readable; });
}

std::string WritableFormatsFilter(bool withCArrays) {
  return FilterOf([withCArrays](const TPictureFileFormatInfo& info) { return info.OnePicture || withCArrays; });
}

void LoadPictureFile(TBitmap& bitmap, const std::string& fileName) {
  const std::optional<TPictureFileFormat> format = FormatFromFileName(fileName);
  if (format && FormatInfo(*format).Readable)
    ReadPictureFile(bitmap, *format, fileName);
  else
    bitmap.LoadFromFile(fileName);
}

void SavePictureFile(const TBitmap& picture, const std::string& fileName) {
  if (const std::optional<TPictureFileFormat> format = FormatFromFileName(fileName)) {
    WritePictureFile(picture, *format, fileName);
    return;
  }
  TBitmap copy(picture);
  SaveToFileSafely(fileName, [&copy](TStream& stream) { copy.SaveToStream(stream); });
}
