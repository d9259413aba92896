#include "Bitmap.h"
#include "Commands.h"
#include "Exception.h"
#include "Files.h"
#include "RasterMessages.h"

int MonoBmpCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
  if (args.size() != 2) {
    err << "usage: korvane-cli mono-bmp IN OUT\n";
    return ExitUsage;
  }
  TBitmap bitmap;
  bitmap.LoadFromStream(*OpenInput(args[0], in));
  // An empty picture would give an empty file: refused, and OUT stays as it was.
  if (bitmap.Empty()) throw Exception(SNothingToSave);
  // A bitmap without a canvas keeps exactly white as white and makes every other colour black.
  bitmap.SetMonochrome(true);
  WriteOutput(args[1], out, [&bitmap](TStream& stream) { bitmap.SaveToStream(stream); });
  return ExitOk;
}
