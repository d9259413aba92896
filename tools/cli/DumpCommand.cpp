#include <optional>

#include "Commands.h"
#include "DumpFormats.h"
#include "Exception.h"
#include "FileStream.h"
#include "Json.h"

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

void PrintPixels(const TDumpedPicture& picture, std::ostream& out) {
  static const char Hex[] = "0123456789abcdef";
  std::string row;
  for (std::size_t start = 0; start < picture.Pixels.size(); start += static_cast<std::size_t>(picture.Width)) {
    row.clear();
    for (std::size_t i = start; i < start + static_cast<std::size_t>(picture.Width); ++i) {
      const TColor c = picture.Pixels[i];
      for (const std::uint8_t channel : {GetRValue(c), GetGValue(c), GetBValue(c)}) {
        row += Hex[channel >> 4];
        row += Hex[channel & 0x0F];
      }
    }
    out << row;
  }
}

}  // namespace

int DumpCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<TDumpArguments> parsed = ParseDumpArguments(args, err);
  if (!parsed) return ExitUsage;
  const std::string format = JsonString(parsed->Format->Name);
  TDumpedPicture picture;
  try {
    if (parsed->Format->Read == nullptr)
      throw Exception("Reading " + std::string(parsed->Format->Name) + " files is not available yet");
    TFileStream stream(parsed->FileName, TFileMode::fmOpenRead);
    picture = parsed->Format->Read(stream);
  } catch (const Exception& error) {
    out << "{\"format\":" << format << ",\"ok\":false,\"error\":" << JsonString(error.Message()) << "}\n";
    return ExitFailed;
  }
  out << "{\"format\":" << format << ",\"ok\":true,\"width\":" << picture.Width << ",\"height\":" << picture.Height
      << ",\"pixels\":\"";
  PrintPixels(picture, out);
  out << "\"}\n";
  return ExitOk;
}
