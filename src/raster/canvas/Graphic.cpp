#include "Graphic.h"

#include <cstdint>
#include <vector>

#include "FileStream.h"
#include "MemoryStream.h"
#include "SafeSave.h"

namespace {

// Files up to this size are read whole and parsed from memory: readers make
// many small reads, each a system call on a file. Larger ones are read where
// they lie, so a huge file costs only what its reader takes from it.
constexpr std::int64_t WholeReadLimit = std::int64_t{64} << 20;

}  // namespace

void TGraphic::LoadFromFile(const std::string& fileName) {
  TFileStream file(fileName, TFileMode::fmOpenRead);
  const std::int64_t size = file.Size();
  if (size > WholeReadLimit) {
    LoadFromStream(file);
    return;
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  bytes.resize(static_cast<std::size_t>(file.ReadAvailable(bytes.data(), size)));
  TMemoryStream memory(std::move(bytes));
  LoadFromStream(memory);
}

void TGraphic::SaveToFile(const std::string& fileName) {
  SaveToFileSafely(fileName, [this](TStream& stream) { SaveToStream(stream); });
}

void TGraphic::Changed() {
  if (OnChange) OnChange(*this);
}
