#include <filesystem>
#include <sstream>

#include "Batch.h"
#include "Commands.h"
#include "ErrorBoundary.h"
#include "Files.h"
#include "KorvaneVersion.h"
#include "OptionArgs.h"

namespace {

using TCommandFunction = int (*)(const std::vector<std::string>&, std::istream&, std::ostream&, std::ostream&);

std::vector<TCommandOption> NoOptions() { return {}; }

struct TCommand {
  const char* Name;
  const char* Arguments;
  const char* Summary;
  TCommandFunction Run;
  // What a conversion of IN into OUT writes (".bmx"), which lets it convert
  // a batch into a folder; nullptr for the other commands.
  const char* OutputExtension;
  std::vector<TCommandOption> (*Options)();
};

// The commands in the order the help lists them.
constexpr TCommand Commands[] = {
    {"bmx2gif", "[options] IN.bmp OUT.gif", "a BMX strip's four frames as a looping GIF", Bmx2GifCommand, ".gif",
     Bmx2GifOptions},
    {"convert", "[options] IN OUT", "a picture or GIF into the files of other phones", ConvertCommand, nullptr,
     ConvertOptions},
    {"dump", "[--format bmp|gif] FILE", "the picture's pixels or read error as JSON", DumpCommand, nullptr,
     DumpOptions},
    {"gif2bmx", "[options] IN.gif OUT.bmx", "four frames of a GIF as their BMX strip", Gif2BmxCommand, ".bmx",
     Gif2BmxOptions},
    {"mono-bmp", "IN OUT", "a picture in black and white as a 1-bit BMP", MonoBmpCommand, ".bmp", NoOptions},
    {"render", "FILE.gif", "the colours of each frame's bitmap as JSON", RenderCommand, nullptr, NoOptions},
    {"rewrite", "IN.gif OUT.gif", "a GIF read and written again by our writer", RewriteCommand, ".gif", NoOptions},
};

// Batches of more files than this show a progress line on a terminal.
constexpr std::size_t QuietBatchFiles = 8;

constexpr const char* StandardStreamNote = "A FILE, IN or OUT of - is the standard input or output.\n";

// "[options] IN.gif OUT.bmx" as a batch: "[options] -o DIR IN.gif...".
std::string BatchArguments(const std::string& arguments) {
  const std::size_t out = arguments.rfind(' ');
  const std::size_t in = arguments.rfind(' ', out - 1);
  const std::size_t inStart = in == std::string::npos ? 0 : in + 1;
  return arguments.substr(0, inStart) + "-o DIR " + arguments.substr(inStart, out - inStart) + "...";
}

void PrintColumns(std::ostream& stream, const std::string& left, const std::string& right) {
  stream << "  " << left << std::string(left.size() < 32 ? 32 - left.size() : 1, ' ') << right << "\n";
}

// One line per command with its arguments, as bad usage prints it.
void PrintUsage(std::ostream& err) {
  const char* lead = "usage: ";
  for (const TCommand& command : Commands) {
    err << lead << "korvane-cli " << command.Name << " " << command.Arguments << "\n";
    lead = "       ";
  }
  err << lead << "korvane-cli COMMAND --help\n" << "       korvane-cli --help | --version\n";
}

void PrintCommandUsage(const TCommand& command, std::ostream& stream) {
  stream << "usage: korvane-cli " << command.Name << " " << command.Arguments << "\n";
  if (command.OutputExtension != nullptr)
    stream << "       korvane-cli " << command.Name << " " << BatchArguments(command.Arguments) << "\n";
}

void PrintCommandHelp(const TCommand& command, std::ostream& out) {
  PrintCommandUsage(command, out);
  out << command.Summary << "\n\nOptions:\n";
  std::vector<TCommandOption> options = command.Options();
  const bool converts = command.OutputExtension != nullptr;
  for (TCommandOption& option : RunOptionLines(converts, converts ? command.OutputExtension : ""))
    options.push_back(std::move(option));
  for (const TCommandOption& option : options)
    PrintColumns(out, option.Name + (option.Value.empty() ? "" : " " + option.Value), option.Text);
  out << StandardStreamNote;
}

void PrintHelp(std::ostream& out) {
  out << "korvane-cli converts pictures for the monochrome displays of mobile phones\n"
         "between animated GIFs and BMX strips without the windows.\n\n";
  out << "usage: korvane-cli COMMAND ARGUMENTS...\n"
         "       korvane-cli COMMAND --help\n"
         "       korvane-cli --help | --version\n"
         "\nCommands:\n";
  for (const TCommand& command : Commands)
    PrintColumns(out, std::string(command.Name) + " " + command.Arguments, command.Summary);
  out << StandardStreamNote
      << "A command that converts IN into OUT converts many files with -o DIR IN...\n"
         "and takes --quiet and --strict for the warnings of a GIF that reads with them.\n"
         "\nExit status:\n"
         "  0  done\n"
         "  1  a file failed\n"
         "  2  bad usage\n";
}

// The batch of a command's words after -o DIR; raises EUsage without an input or for "-".
TBatch MakeBatch(const TCommand& command, const std::vector<std::string>& words, const TRunOptions& options,
                 bool errIsTerminal, std::vector<std::string>& optionWords) {
  TBatch batch;
  SplitFileNames(words, command.Options(), optionWords, batch.Inputs);
  for (const std::string& input : batch.Inputs)
    if (input == StandardStreamName) throw EUsage("- names no file of a batch: convert it alone, as IN OUT");
  if (batch.Inputs.empty()) throw EUsage("-o needs at least one IN");
  batch.OutputFolder = *options.OutputFolder;
  batch.OutputExtension = command.OutputExtension;
  batch.Threads = options.Threads.value_or(DefaultBatchThreads());
  batch.Warnings = options.Warnings;
  batch.ShowProgress = errIsTerminal && batch.Inputs.size() > QuietBatchFiles;
  return batch;
}

int RunBatchOf(const TCommand& command, const TBatch& batch, const std::vector<std::string>& optionWords,
               TErrorOutput& errors) {
  HoldFile(batch.OutputFolder);
  std::error_code error;
  std::filesystem::create_directories(batch.OutputFolder, error);
  if (error) throw Exception(FormatMessage(SCannotCreateFile, batch.OutputFolder));
  return RunBatch(batch, errors, [&](const std::string& input, const std::string& output, std::ostream& err) {
    std::vector<std::string> args = optionWords;
    args.push_back(input);
    args.push_back(output);
    std::istringstream noInput;
    std::ostringstream noOutput;
    return command.Run(args, noInput, noOutput, err);
  });
}

int RunCommand(const TCommand& command, const std::vector<std::string>& args, std::istream& in, std::ostream& out,
               std::ostream& err, bool errIsTerminal) {
  TErrorOutput errors(err);
  try {
    TRunOptions options;
    const std::vector<std::string> words = TakeRunOptions(args, command.OutputExtension != nullptr, options);
    if (options.Help) {
      PrintCommandHelp(command, out);
      return ExitOk;
    }
    if (!options.OutputFolder)
      return RunGuarded(errors, options.Warnings, [&] { return command.Run(words, in, out, err); });
    std::vector<std::string> optionWords;
    const TBatch batch = MakeBatch(command, words, options, errIsTerminal, optionWords);
    return RunGuarded(errors, options.Warnings, [&] { return RunBatchOf(command, batch, optionWords, errors); });
  } catch (const EUsage& error) {
    err << "korvane-cli " << command.Name << ": " << error.Message() << "\n";
    PrintCommandUsage(command, err);
    return ExitUsage;
  }
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err,
                   bool errIsTerminal) {
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
      if (args[0] == command.Name) return RunCommand(command, rest, in, out, err, errIsTerminal);
  }
  PrintUsage(err);
  err << StandardStreamNote;
  return ExitUsage;
}

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::istringstream nothing;
  return RunCommandLine(args, nothing, out, err);
}
