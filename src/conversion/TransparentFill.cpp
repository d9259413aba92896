#include "TransparentFill.h"

#include <unordered_map>

namespace {

// The largest code of the LZW string table; the table starts again after it.
constexpr int LastCode = 4095;

// The string table of an LZW encoder: the code of each string that is a
// known string (prefix code) followed by one pixel.
class TStringTable {
public:
  explicit TStringTable(int minimumCodeSize) : FFirstFree((1 << minimumCodeSize) + 2) { Clear(); }
  const int* Find(int prefix, std::uint8_t pixel) const {
    const auto found = FCodes.find(Key(prefix, pixel));
    return found == FCodes.end() ? nullptr : &found->second;
  }
  void Add(int prefix, std::uint8_t pixel) {
    FCodes.emplace(Key(prefix, pixel), FNext++);
    if (FNext > LastCode) Clear();
  }

private:
  static std::uint32_t Key(int prefix, std::uint8_t pixel) { return static_cast<std::uint32_t>(prefix) << 8 | pixel; }
  void Clear() {
    FCodes.clear();
    FNext = FFirstFree;
  }
  int FFirstFree;
  int FNext = 0;
  std::unordered_map<std::uint32_t, int> FCodes;
};

// A kept pixel's index: the preferred one of its own and the transparent
// index when that continues the current string, else the other when that
// does, else the transparent one, which tends to start the longer strings.
std::uint8_t Choose(const TStringTable& table, int current, std::uint8_t own, std::uint8_t transparent,
                    TKeptPreference preference) {
  if (current < 0) return transparent;
  const std::uint8_t first = preference == TKeptPreference::OwnColour ? own : transparent;
  const std::uint8_t second = preference == TKeptPreference::OwnColour ? transparent : own;
  if (table.Find(current, first) != nullptr) return first;
  if (table.Find(current, second) != nullptr) return second;
  return preference == TKeptPreference::OwnColourElse ? own : transparent;
}

}  // namespace

std::vector<std::uint8_t> AllKeptTransparent(const std::vector<std::uint8_t>& indices, const std::vector<bool>& changed,
                                             std::uint8_t transparent) {
  std::vector<std::uint8_t> filled = indices;
  for (std::size_t i = 0; i < filled.size(); ++i)
    if (!changed[i]) filled[i] = transparent;
  return filled;
}

std::vector<std::uint8_t> LongStringFill(const std::vector<std::uint8_t>& indices, const std::vector<bool>& changed,
                                         std::uint8_t transparent, int minimumCodeSize, TKeptPreference preference) {
  std::vector<std::uint8_t> filled = indices;
  TStringTable table(minimumCodeSize);
  int current = -1;  // the code of the string being built; -1 before the first pixel
  for (std::size_t i = 0; i < filled.size(); ++i) {
    std::uint8_t pixel = filled[i];
    if (!changed[i]) pixel = Choose(table, current, pixel, transparent, preference);
    filled[i] = pixel;
    if (current < 0) {
      current = pixel;
    } else if (const int* code = table.Find(current, pixel)) {
      current = *code;
    } else {
      table.Add(current, pixel);
      current = pixel;
    }
  }
  return filled;
}
