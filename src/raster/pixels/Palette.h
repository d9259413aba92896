// TPalette: the platform's palette object, up to 256 entries of red, green,
// blue and a flags byte. Bitmaps keep one for their colour table; the GIF
// codec makes, copies and reads them.
#pragma once

#include <cstdint>
#include <vector>

struct TPaletteEntry {
  std::uint8_t peRed = 0;
  std::uint8_t peGreen = 0;
  std::uint8_t peBlue = 0;
  std::uint8_t peFlags = 0;
  friend bool operator==(const TPaletteEntry&, const TPaletteEntry&) = default;
};

// Entry flag that keeps the platform from merging an entry with a system colour.
inline constexpr std::uint8_t PC_NOCOLLAPSE = 4;
inline constexpr int MaxPaletteEntries = 256;

class TPalette {
public:
  TPalette() = default;
  // Raises "Out of system resources" for more than 256 entries.
  explicit TPalette(std::vector<TPaletteEntry> entries);

  int Count() const { return static_cast<int>(FEntries.size()); }
  const TPaletteEntry& Entry(int index) const { return FEntries[static_cast<std::size_t>(index)]; }
  const std::vector<TPaletteEntry>& Entries() const { return FEntries; }
  friend bool operator==(const TPalette&, const TPalette&) = default;

private:
  std::vector<TPaletteEntry> FEntries;
};
