#include "Bitmap.h"
#include "Commands.h"
#include "Exception.h"

int MonoBmpCommand(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
  if (args.size() != 2) {
    err << "usage: korvane-cli mono-bmp IN OUT\n";
    return ExitUsage;
  }
  try {
    TBitmap bitmap;
    bitmap.LoadFromFile(args[0]);
    // A bitmap without a canvas keeps exactly white as white and makes every other colour black.
    bitmap.SetMonochrome(true);
    bitmap.SaveToFile(args[1]);
  } catch (const Exception& error) {
    err << "korvane-cli mono-bmp: " << error.Message() << "\n";
    return ExitFailed;
  }
  return ExitOk;
}
