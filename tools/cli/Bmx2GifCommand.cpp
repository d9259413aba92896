// korvane-cli bmx2gif [options] IN.bmp OUT.gif: the Converter's road from a
// strip to a looping GIF without the window. The strip is read as a bitmap
// and cut into its four frames, the frames become the animation as Animate
// builds it with the same choices by name (OptionNames.h), and the document
// is written as Save writes it. Nothing is printed on success; a failure
// prints the message alone and leaves OUT as it was. A bad option value
// prints one line naming the option and what it accepts, exit status 2, and
// nothing is read or written.
#include <ostream>

#include "Commands.h"
#include "Files.h"
#include "OptionArgs.h"
#include "StripToGif.h"

namespace {

constexpr const char* Usage =
    "usage: korvane-cli bmx2gif [--delay N] [--loop N] [--palette cube|compact] [--optimise] IN.bmp OUT.gif\n";

}  // namespace

int Bmx2GifCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
  AnimationOptions options;
  std::vector<std::string> files;
  try {
    files = TakeOptions(args, AnimationOptionFields(), options);
  } catch (const EBadOptionValue& error) {
    err << CommandLineText(error) << '\n';
    return ExitUsage;
  } catch (const EUsage& error) {
    err << error.Message() << '\n' << Usage;
    return ExitUsage;
  }
  if (files.size() != 2) {
    err << Usage;
    return ExitUsage;
  }
  try {
    TBitmap strip;
    LoadInput(strip, files[0], in);
    std::array<TBitmap, 4> frames = CutStrip(strip);
    TGIFImage animation;
    StripToGif(animation, {&frames[0], &frames[1], &frames[2], &frames[3]}, options);
    SaveOutput(animation, files[1], out);
  } catch (const Exception& error) {
    err << error.Message() << "\n";
    return ExitFailed;
  }
  return ExitOk;
}
