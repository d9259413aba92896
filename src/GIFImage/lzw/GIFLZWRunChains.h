// TRunChains: where the LZW encoder finds a string extended by its own last
// pixel without a hash lookup, so that a run of one index is walked a chain
// at a time, not a pixel at a time. A chain is a string S and the strings
// Sp, Spp, ... that follow it in the table, p being S's last pixel. As every
// prefix of a string in the table is in the table too, a chain grows only at
// its end, so the string that S + k more p becomes is found by its depth.
// The strings below a chain's head lie in one pool, each chain's in a block
// that moves to one twice as large when it fills; as a block never holds
// more than twice its strings and the blocks left behind add up to less
// than the last one, the pool never needs four times the table's codes.
//
// The chains hold what the encoder has told them, which may be less than the
// table holds: a code they do not know heads a chain of one string, and a
// chain may end before the table's strings do, so the encoder asks its hash
// table at a chain's end. They own no hashing and know nothing of the codes'
// meaning.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

class TRunChains {
public:
  static constexpr int Codes = 4096;

  // Starts the table again: every code heads a chain of one string until
  // Append says otherwise. The links of earlier tables are told apart by
  // their generation, so nothing else is cleared.
  void Reset() {
    if (++FGeneration == 0) {
      FLinks.fill(TLink{});
      FGeneration = 1;
    }
    FPoolTop = 0;
  }

  struct TStep {
    std::uint32_t Code;   // the string reached
    std::uint32_t Taken;  // pixels of the run it took
  };
  // The string that code becomes with as many of the next run pixels (at most
  // run, each the string's own last pixel) as the table has strings for.
  TStep Extend(std::uint32_t code, std::uint32_t run) const {
    const TLink& link = FLinks[code];
    if (!Knows(code)) return {code, 0};
    const TLink& head = FLinks[link.Head];
    const std::uint32_t taken = std::min<std::uint32_t>(run, head.Length - link.Depth);
    const std::uint32_t depth = link.Depth + taken;
    return {depth == 1 ? code : FPool[head.At + depth - 2u], taken};
  }
  // newCode is code (the longest string of its chain) with its last pixel
  // once more; nothing when newCode already heads a chain of its own.
  void Append(std::uint32_t code, std::uint32_t newCode) {
    if (Knows(newCode)) return;
    if (!Knows(code)) FLinks[code] = {static_cast<std::uint16_t>(code), 1, 1, 0, FGeneration};
    const TLink link = FLinks[code];
    TLink& head = FLinks[link.Head];
    const std::uint32_t below = head.Length - 1u;  // strings of the chain in the pool
    if ((below & (below - 1)) == 0) {              // 0, 1, 2, 4...: the block is full
      std::copy_n(FPool.begin() + head.At, below, FPool.begin() + FPoolTop);
      head.At = static_cast<std::uint16_t>(FPoolTop);
      FPoolTop += below == 0 ? 1 : 2 * below;
    }
    FPool[head.At + below] = static_cast<std::uint16_t>(newCode);
    ++head.Length;
    FLinks[newCode] = {link.Head, static_cast<std::uint16_t>(link.Depth + 1), 0, 0, FGeneration};
  }

private:
  bool Knows(std::uint32_t code) const { return FLinks[code].Generation == FGeneration; }

  struct TLink {
    std::uint16_t Head = 0;        // the code heading the string's chain
    std::uint16_t Depth = 0;       // 1 for the head, 2 for the string after it...
    std::uint16_t Length = 0;      // of a head: the strings in its chain
    std::uint16_t At = 0;          // of a head: where the strings below it lie in the pool
    std::uint16_t Generation = 0;  // the table the link belongs to
  };

  std::array<TLink, Codes> FLinks{};
  std::array<std::uint16_t, 4 * Codes> FPool;
  std::uint32_t FPoolTop = 0;
  std::uint16_t FGeneration = 0;
};
