// korvane-cli gif2bmx [options] IN.gif OUT.bmx: the Converter's Open and Save
// of a GIF without the window. The options are the window's conversion
// choices by name (OptionNames.h), with the same defaults, and the strip is
// made by the same code as the window's and written as a 1-bit BMP. As in
// the window, only the frames the strip needs first are decoded while
// reading. Nothing is printed on success; a failure prints the exact message
// and leaves OUT as it was. A bad option value prints one line naming the
// option and what it accepts, exit status 2, and nothing is read or written.
#include <ostream>

#include "Commands.h"
#include "Files.h"
#include "GifToStrip.h"
#include "OptionArgs.h"

namespace {

constexpr const char* Usage =
    "usage: korvane-cli gif2bmx [--as-stored] [--frames first|spread|N,N,N,N] [--short refuse|repeat]\n"
    "         [--size WxH|screensaver|logo|ems16|ems72] [--fit fit|fill|stretch]\n"
    "         [--mono exact|threshold[=N]|floyd|atkinson|ordered4|ordered8] [--invert] IN.gif OUT.bmx\n";

}  // namespace

int Gif2BmxCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
  StripOptions options;
  std::vector<std::string> files;
  try {
    files = TakeOptions(args, StripOptionFields(), options);
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
    TGIFImage gif;
    gif.SetFramesDecodedOnLoad(FramesDecodedForStrip(options));
    LoadInput(gif, files[0], in);
    SaveOutput(*GifToStrip(gif, options).Strip, files[1], out);
  } catch (const std::exception& error) {
    err << error.what() << '\n';
    return ExitFailed;
  }
  return ExitOk;
}
