#include "BmpReader.h"
#include "BmpWriter.h"
#include "Commands.h"
#include "Exception.h"
#include "FileStream.h"
#include "SafeSave.h"

int MonoBmpCommand(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
  if (args.size() != 2) {
    err << "usage: korvane-cli mono-bmp IN OUT\n";
    return ExitUsage;
  }
  try {
    TFileStream in(args[0], TFileMode::fmOpenRead);
    const TBmpImage picture = ReadBmp(in);
    // The 1-bit writer keeps exactly white as white and makes every other colour black.
    SaveToFileSafely(args[1], [&picture](TStream& out) { WriteMonochromeBmp(picture.Image, out); });
  } catch (const Exception& error) {
    err << "korvane-cli mono-bmp: " << error.Message() << "\n";
    return ExitFailed;
  }
  return ExitOk;
}
