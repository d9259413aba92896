#include "Files.h"

#include <functional>
#include <istream>
#include <ostream>
#include <vector>

#include "Exception.h"
#include "FileStream.h"
#include "MemoryStream.h"
#include "PlatformMessages.h"
#include "SafeSave.h"

std::unique_ptr<TStream> OpenInput(const std::string& fileName, std::istream& in) {
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
  if (fileName != StandardStreamName) {
    SaveToFileSafely(fileName, writeBody);
    return;
  }
  TMemoryStream bytes;
  writeBody(bytes);
  out.write(reinterpret_cast<const char*>(bytes.Bytes().data()), static_cast<std::streamsize>(bytes.Bytes().size()));
  out.flush();
  if (!out) throw Exception(SStreamWriteError);
}

void LoadInput(TGraphic& graphic, const std::string& fileName, std::istream& in) {
  if (fileName == StandardStreamName)
    graphic.LoadFromStream(*OpenInput(fileName, in));
  else
    graphic.LoadFromFile(fileName);
}

void SaveOutput(TGraphic& graphic, const std::string& fileName, std::ostream& out) {
  WriteOutput(fileName, out, [&graphic](TStream& stream) { graphic.SaveToStream(stream); });
}
