#include <sstream>

#include "Commands.h"

int RunCommandLine(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
  if (!args.empty()) {
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args[0] == "bmx2gif") return Bmx2GifCommand(rest, in, out, err);
    if (args[0] == "dump") return DumpCommand(rest, in, out, err);
    if (args[0] == "gif2bmx") return Gif2BmxCommand(rest, in, out, err);
    if (args[0] == "mono-bmp") return MonoBmpCommand(rest, in, out, err);
    if (args[0] == "render") return RenderCommand(rest, in, out, err);
    if (args[0] == "rewrite") return RewriteCommand(rest, in, out, err);
  }
  err << "usage: korvane-cli bmx2gif IN.bmp OUT.gif\n"
         "       korvane-cli dump [--format bmp|gif] FILE\n"
         "       korvane-cli gif2bmx [options] IN.gif OUT.bmx\n"
         "       korvane-cli mono-bmp IN OUT\n"
         "       korvane-cli render FILE.gif\n"
         "       korvane-cli rewrite IN.gif OUT.gif\n"
         "A FILE, IN or OUT of - is the standard input or output.\n";
  return ExitUsage;
}

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::istringstream nothing;
  return RunCommandLine(args, nothing, out, err);
}
