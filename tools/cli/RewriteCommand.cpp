// korvane-cli rewrite IN.gif OUT.gif: reads a GIF and writes it again through
// the codec's writer, so that other decoders can check what it writes. A
// failure leaves OUT as it was.
#include <ostream>

#include "Commands.h"
#include "Files.h"
#include "GIFImage.h"

int RewriteCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
  if (args.size() != 2) {
    err << "usage: korvane-cli rewrite IN.gif OUT.gif\n";
    return ExitUsage;
  }
  TGIFImage image;
  LoadInput(image, args[0], in);
  SaveOutput(image, args[1], out);
  return ExitOk;
}
