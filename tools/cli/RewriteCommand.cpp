// korvane-cli rewrite IN.gif OUT.gif: reads a GIF and writes it again through
// the codec's writer, so that other decoders can check what it writes. A
// failure prints the codec's message and leaves OUT as it was.
#include <ostream>

#include "Commands.h"
#include "GIFImage.h"

int RewriteCommand(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
  if (args.size() != 2) {
    err << "usage: korvane-cli rewrite IN.gif OUT.gif\n";
    return ExitUsage;
  }
  try {
    TGIFImage image;
    image.LoadFile(args[0]);
    image.SaveToFile(args[1]);
  } catch (const Exception& error) {
    err << "korvane-cli rewrite: " << error.Message() << "\n";
    return ExitFailed;
  }
  return ExitOk;
}
