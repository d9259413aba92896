#include "Files.h"

#include <functional>
#include <istream>
#include <ostream>
#include <vector>

#include "Exception.h"
#include "FileRun.h"
#include "FileStream.h"
#include "GifWarnings.h"
#include "MemoryStream.h"
#include "PlatformMessages.h"
#include "SafeSave.h"

std::unique_ptr<TStream> OpenInput(const std::string& fileName, std::istream& in) {
  HoldFile(fileName);
  if (fileName != StandardStreamName) return std::make_unique<TFileStream>(fileName, TFileMode::fmOpenRead);
  std::vector<std::uint8_t> bytes;
  char chunk[1 << 16];
  while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
    bytes.insert(bytes.end(), chunk, chunk + in.gcount());
    if (static_cast<std::int64_t>(bytes.size()) > MaxUnseekableInputBytes) throw EOutOfResources(SOutOfResources);
  }
  if (in.bad()) throw Exception(SStreamReadError);
  return std::make_unique<TMemoryStream>(std::move(bytes));
}

void WriteOutput(const std::string& fileName, std::ostream& out, const std::function<void(TStream&)>& writeBody) {
  // A picture the writer refuses is the input's failure; creating and
  // writing the file are the output's.
  const std::string input = FileInHand();
  const auto body = [&](TStream& stream) {
    HoldFile(input);
    writeBody(stream);
    HoldFile(fileName);
  };
  HoldFile(fileName);
  if (fileName != StandardStreamName) {
    SaveToFileSafely(fileName, body);
    return;
  }
  TMemoryStream bytes;
  body(bytes);
  out.write(reinterpret_cast<const char*>(bytes.Bytes().data()), static_cast<std::streamsize>(bytes.Bytes().size()));
  out.flush();
  if (!out) throw Exception(SStreamWriteError);
}

namespace {

void LoadGraphic(TGraphic& graphic, const std::string& fileName, std::istream& in) {
  if (fileName == StandardStreamName)
    graphic.LoadFromStream(*OpenInput(fileName, in));
  else
    graphic.LoadFromFile(fileName);
}

}  // namespace

void LoadInput(TGraphic& graphic, const std::string& fileName, std::istream& in) {
  HoldFile(fileName);
  auto* gif = dynamic_cast<TGIFImage*>(&graphic);
  TFileRun* run = TFileRun::Current();
  if (gif == nullptr || run == nullptr) {
    LoadGraphic(graphic, fileName, in);
    return;
  }
  std::vector<std::string> warnings;
  {
    const TGifWarnings collected(*gif);
    LoadGraphic(graphic, fileName, in);
    warnings = collected.Texts();
  }
  run->ReportWarnings(warnings);
}

void SaveOutput(TGraphic& graphic, const std::string& fileName, std::ostream& out) {
  WriteOutput(fileName, out, [&graphic](TStream& stream) { graphic.SaveToStream(stream); });
}
