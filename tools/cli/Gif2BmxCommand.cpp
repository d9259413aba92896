// korvane-cli gif2bmx IN.gif OUT.bmx: the Converter's Open and Save of a GIF
// without the window. Frames 0 to 3 of IN are composed into their BMX strip
// by the same code as the window's, and the strip is written as a 1-bit BMP.
// As in the window, only those frames are decoded while reading.
// Nothing is printed on success; a failure prints the exact message and
// leaves OUT as it was.
#include <ostream>

#include "BmxStrip.h"
#include "Commands.h"
#include "Files.h"
#include "GIFImage.h"

int Gif2BmxCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
  if (args.size() != 2) {
    err << "usage: korvane-cli gif2bmx IN.gif OUT.bmx\n";
    return ExitUsage;
  }
  try {
    TGIFImage gif;
    gif.SetFramesDecodedOnLoad(StripFrameCount);  // the strip needs no more
    LoadInput(gif, args[0], in);
    SaveOutput(*gif.ComposeStrip(), args[1], out);
  } catch (const std::exception& error) {
    err << error.what() << '\n';
    return ExitFailed;
  }
  return ExitOk;
}
