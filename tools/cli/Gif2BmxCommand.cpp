// korvane-cli gif2bmx [options] IN.gif OUT.bmx: the Converter's Open and Save
// of a GIF without the window. The options are the window's conversion
// choices by name (OptionNames.h), with the same defaults, and the strip is
// made by the same code as the window's and written as a 1-bit BMP. As in
// the window, only the frames the strip needs first are decoded while
// reading. Nothing is printed on success; a failure leaves OUT as it was. A bad option value prints one line naming the
// option and what it accepts, exit status 2, and nothing is read or written.
#include <ostream>
#include <string_view>
#include <utility>

#include "Commands.h"
#include "Files.h"
#include "GifToStrip.h"
#include "OptionArgs.h"

namespace {

constexpr const char* Usage =
    "usage: korvane-cli gif2bmx [--as-stored] [--frames first|spread|N,N,N,N] [--short refuse|repeat]\n"
    "         [--size WxH|screensaver|logo|ems16|ems72] [--fit fit|fill|stretch]\n"
    "         [--mono exact|threshold[=N]|floyd|atkinson|ordered4|ordered8] [--invert] IN.gif OUT.bmx\n";

// What each conversion choice does, by its key in the option table.
constexpr std::pair<const char*, const char*> OptionTexts[] = {
    {"as-stored", "the frames as stored, not as shown"},
    {"frames", "the first four frames, four spread through the animation, or four numbers from 1"},
    {"short", "a GIF of fewer than four frames refused, or its frames repeated"},
    {"size", "the GIF's own size, a phone size or any width x height"},
    {"fit", "how a picture of another shape meets the size"},
    {"mono", "how colours become black and white"},
    {"invert", "black for white and white for black"},
};

}  // namespace

std::vector<TCommandOption> Gif2BmxOptions() { return OptionLines(StripOptionFields(), std::span(OptionTexts)); }

int Gif2BmxCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
  StripOptions options;
  const auto files = TakeOptionsAndFiles(args, StripOptionFields(), options, Usage, err);
  if (!files) return ExitUsage;
  TGIFImage gif;
  gif.SetFramesDecodedOnLoad(FramesDecodedForStrip(options));
  LoadInput(gif, (*files)[0], in);
  SaveOutput(*GifToStrip(gif, options).Strip, (*files)[1], out);
  return ExitOk;
}
