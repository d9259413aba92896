// TRunChains: where the LZW encoder finds a string extended by its own last
// pixel without a hash lookup, so that a run of one index is walked a chain
// at a time, not a pixel at a time. The strings of the table fall into
// chains: a string S whose last pixel p differs from the pixel before it (or
// a single pixel) heads the chain S, Sp, Spp, ... of the strings that the
// table holds. As every prefix of a string in the table is in the table too,
// a chain holds S with 0, 1, ... up to some count of p appended and grows
// only at its end, so the string that S + k more p becomes is found by its
// depth. The strings below a chain's head lie in one pool, each chain's in a
// block that moves to one twice as large when it fills; as a block never
// holds more than twice its strings and the moves add up to less than the
// last block, the pool never needs four times the table's codes.
//
// The table owns no hashing and knows nothing of the codes' meaning: the
// encoder tells it which codes head a chain and which extend one.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

class TRunChains {
public:
  static constexpr int Codes = 4096;

  // After a clear: each single pixel below roots heads a chain of one string.
  void Reset(std::uint32_t roots) {
    for (std::uint32_t code = 0; code < roots; ++code) AddHead(code);
    FPoolTop = 0;
  }
  // code starts a chain of its own: its last pixel differs from the one before it.
  void AddHead(std::uint32_t code) { FLinks[code] = {static_cast<std::uint16_t>(code), 1, 1, 0}; }

  struct TStep {
    std::uint32_t Code;   // the string reached
    std::uint32_t Taken;  // pixels of the run it took
  };
  // The string that code becomes with as many of the next run pixels (at most
  // run, each the string's own last pixel) as the table has strings for.
  TStep Extend(std::uint32_t code, std::uint32_t run) const {
    const TLink& link = FLinks[code];
    const TLink& head = FLinks[link.Head];
    const std::uint32_t taken = std::min<std::uint32_t>(run, head.Length - link.Depth);
    const std::uint32_t depth = link.Depth + taken;
    return {depth == 1 ? code : FPool[head.At + depth - 2u], taken};
  }
  // newCode is code (the longest string of its chain) with its last pixel once more.
  void Append(std::uint32_t code, std::uint32_t newCode) {
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
    FLinks[newCode] = {link.Head, static_cast<std::uint16_t>(link.Depth + 1), 0, 0};
  }

private:
  struct TLink {
    std::uint16_t Head;    // the code heading the string's chain
    std::uint16_t Depth;   // 1 for the head, 2 for the string after it...
    std::uint16_t Length;  // of a head: the strings in its chain
    std::uint16_t At;      // of a head: where the strings below it lie in the pool
  };

  std::array<TLink, Codes> FLinks;
  std::array<std::uint16_t, 4 * Codes> FPool;
  std::uint32_t FPoolTop = 0;
};
