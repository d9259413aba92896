#include "ImageOracle.h"

#include <cctype>
#include <filesystem>
#include <sstream>

#include "Programs.h"

namespace {

// ImageMagick 7 names its one program magick; ImageMagick 6 on Debian
// installs convert-im6.q16 and points convert at it.
const TFoundProgram& Oracle() {
  static const TFoundProgram found =
      FindProgram(TProgramClaim{"ImageMagick", {"magick", "convert-im6.q16", "convert"}, {"-version"}, "Version: ImageMagick "});
  return found;
}

// Reads a P6 header token, skipping white space and comments.
std::string Token(const std::vector<std::uint8_t>& bytes, std::size_t& pos) {
  while (pos < bytes.size() && (std::isspace(bytes[pos]) || bytes[pos] == '#')) {
    if (bytes[pos] == '#')
      while (pos < bytes.size() && bytes[pos] != '\n') ++pos;
    else
      ++pos;
  }
  std::string token;
  while (pos < bytes.size() && !std::isspace(bytes[pos])) token += static_cast<char>(bytes[pos++]);
  return token;
}

}  // namespace

bool OracleAvailable() { return static_cast<bool>(Oracle()); }

std::string OracleMissingReason() { return Oracle().Reason; }

bool RunOracle(const std::vector<std::string>& arguments) {
  if (!OracleAvailable()) return false;
  // ImageMagick 7's magick takes convert's arguments itself.
  const TProgramRun run = RunProgram(Oracle().Path, arguments);
  return run.Finished && run.ExitStatus == 0;
}

std::optional<TRgbImage> DecodeWithOracle(const std::string& fileName, const TTempDir& scratch) {
  const std::string ppm = scratch.File(std::filesystem::path(fileName).filename().string() + ".oracle.ppm");
  if (!RunOracle({fileName, "-depth", "8", "PPM:" + ppm})) return std::nullopt;
  const std::vector<std::uint8_t> bytes = ReadWholeFile(ppm);
  std::filesystem::remove(ppm);
  std::size_t pos = 0;
  if (Token(bytes, pos) != "P6") return std::nullopt;
  TRgbImage image;
  image.Width = std::stoi(Token(bytes, pos));
  image.Height = std::stoi(Token(bytes, pos));
  if (Token(bytes, pos) != "255") return std::nullopt;
  ++pos;  // the one white-space byte before the samples
  const std::size_t count = static_cast<std::size_t>(image.Width) * static_cast<std::size_t>(image.Height);
  if (bytes.size() < pos + 3 * count) return std::nullopt;
  for (std::size_t i = 0; i < count; ++i, pos += 3) image.Pixels.push_back(RGB(bytes[pos], bytes[pos + 1], bytes[pos + 2]));
  return image;
}

void WritePpm(const std::string& fileName, const TRgbImage& image) {
  std::ostringstream header;
  header << "P6\n" << image.Width << ' ' << image.Height << "\n255\n";
  const std::string text = header.str();
  std::vector<std::uint8_t> bytes(text.begin(), text.end());
  for (const TColor c : image.Pixels) bytes.insert(bytes.end(), {GetRValue(c), GetGValue(c), GetBValue(c)});
  WriteWholeFile(fileName, bytes);
}
