// korvane-cli bmx2gif [options] IN.bmp OUT.gif: the Converter's road from a
// strip to a looping GIF without the window. The strip is read as a bitmap
// and cut into its four frames, the frames become the animation as Animate
// builds it with the same choices by name (OptionNames.h), and the document
// is written as Save writes it. Nothing is printed on success; a failure
// leaves OUT as it was. A bad option value
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

constexpr std::pair<const char*, const char*> OptionTexts[] = {
    {"delay", "how long each frame shows, in hundredths of a second"},
    {"loop", "how many times the animation plays again (0: for ever)"},
    {"palette", "the 216-colour cube on every frame, or one table of the colours used"},
    {"optimise", "frames after the first hold only what changed"},
};

}  // namespace

std::vector<TCommandOption> Bmx2GifOptions() { return OptionLines(AnimationOptionFields(), std::span(OptionTexts)); }

int Bmx2GifCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
  AnimationOptions options;
  const auto files = TakeOptionsAndFiles(args, AnimationOptionFields(), options, Usage, err);
  if (!files) return ExitUsage;
  TBitmap strip;
  LoadInput(strip, (*files)[0], in);
  std::array<TBitmap, 4> frames = CutStrip(strip);
  TGIFImage animation;
  StripToGif(animation, {&frames[0], &frames[1], &frames[2], &frames[3]}, options);
  SaveOutput(animation, (*files)[1], out);
  return ExitOk;
}
