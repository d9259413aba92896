#include <optional>

#include "Commands.h"
#include "DumpFormats.h"

namespace {

struct TDumpArguments {
  const TDumpFormat* Format = nullptr;
  std::string FileName;
};

std::optional<TDumpArguments> ParseDumpArguments(const std::vector<std::string>& args, std::ostream& err) {
  TDumpArguments parsed;
  const bool withFormat = !args.empty() && args[0] == "--format";
  if (args.size() != (withFormat ? 3u : 1u)) {
    err << "usage: korvane-cli dump [--format bmp|gif] FILE\n";
    return std::nullopt;
  }
  parsed.FileName = args.back();
  parsed.Format = withFormat ? FindDumpFormat(args[1]) : &FormatOfFileName(parsed.FileName);
  if (parsed.Format == nullptr) {
    err << "korvane-cli dump: unknown format " << args[1] << "\nusage: korvane-cli dump [--format bmp|gif] FILE\n";
    return std::nullopt;
  }
  return parsed;
}

}  // namespace

std::vector<TCommandOption> DumpOptions() {
  return {{"--format", "bmp|gif", "read FILE as this format (by default GIF for a name ending in .gif, else BMP)"}};
}

int DumpCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
  const std::optional<TDumpArguments> parsed = ParseDumpArguments(args, err);
  if (!parsed) return ExitUsage;
  return parsed->Format->Dump(parsed->FileName, in, out);
}
