#include <sstream>

#include "Commands.h"
#include "KorvaneVersion.h"

namespace {

using TCommandFunction = int (*)(const std::vector<std::string>&, std::istream&, std::ostream&, std::ostream&);

struct TCommand {
  const char* Name;
  const char* Arguments;
  const char* Summary;
  TCommandFunction Run;
};

// The commands in the order the help lists them.
constexpr TCommand Commands[] = {
    {"bmx2gif", "IN.bmp OUT.gif", "a BMX strip's four frames as a looping GIF", Bmx2GifCommand},
    {"convert", "[options] IN OUT", "a picture or GIF into the files of other phones", ConvertCommand},
    {"dump", "[--format bmp|gif] FILE", "the picture's pixels or read error as JSON", DumpCommand},
    {"gif2bmx", "[options] IN.gif OUT.bmx", "four frames of a GIF as their BMX strip", Gif2BmxCommand},
    {"mono-bmp", "IN OUT", "a picture in black and white as a 1-bit BMP", MonoBmpCommand},
    {"render", "FILE.gif", "the colours of each frame's bitmap as JSON", RenderCommand},
    {"rewrite", "IN.gif OUT.gif", "a GIF read and written again by our writer", RewriteCommand},
};

// One line per command with its arguments, as bad usage prints it.
void PrintUsage(std::ostream& err) {
  const char* lead = "usage: ";
  for (const TCommand& command : Commands) {
    err << lead << "korvane-cli " << command.Name << " " << command.Arguments << "\n";
    lead = "       ";
  }
  err << lead << "korvane-cli --help | --version\n";
}

void PrintHelp(std::ostream& out) {
  out << "korvane-cli converts pictures for the monochrome displays of mobile phones\n"
         "between animated GIFs and BMX strips without the windows.\n\n";
  out << "usage: korvane-cli COMMAND ARGUMENTS...\n"
         "       korvane-cli --help | --version\n"
         "\nCommands:\n";
  for (const TCommand& command : Commands) {
    const std::string synopsis = std::string(command.Name) + " " + command.Arguments;
    out << "  " << synopsis << std::string(synopsis.size() < 32 ? 32 - synopsis.size() : 1, ' ') << command.Summary
        << "\n";
  }
  out << "A FILE, IN or OUT of - is the standard input or output.\n"
         "\nExit status:\n"
         "  0  done\n"
         "  1  a file failed\n"
         "  2  bad usage\n";
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    PrintHelp(out);
    return ExitOk;
  }
  if (args.size() == 1 && args[0] == "--version") {
    out << VersionLine("korvane-cli");
    return ExitOk;
  }
  if (!args.empty()) {
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    for (const TCommand& command : Commands)
      if (args[0] == command.Name) return command.Run(rest, in, out, err);
  }
  PrintUsage(err);
  err << "A FILE, IN or OUT of - is the standard input or output.\n";
  return ExitUsage;
}

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::istringstream nothing;
  return RunCommandLine(args, nothing, out, err);
}
