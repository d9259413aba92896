// korvane-cli bmx2gif IN.bmp OUT.gif: the Converter's road from a strip to a
// looping GIF without the window. The strip is read as a bitmap and cut into
// its four frames, the frames become the animation as Animate builds it, and
// the document is written as Save writes it. Nothing is printed on success;
// a failure leaves OUT as it was.
#include <ostream>

#include "Commands.h"
#include "Files.h"
#include "StripToGif.h"

int Bmx2GifCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
  if (args.size() != 2) {
    err << "usage: korvane-cli bmx2gif IN.bmp OUT.gif\n";
    return ExitUsage;
  }
  TBitmap strip;
  LoadInput(strip, args[0], in);
  std::array<TBitmap, 4> frames = CutStrip(strip);
  TGIFImage animation;
  StripToGif(animation, {&frames[0], &frames[1], &frames[2], &frames[3]}, AnimationOptions{});
  SaveOutput(animation, args[1], out);
  return ExitOk;
}
