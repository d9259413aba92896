// The bit fields packed into single bytes of GIF blocks: the logical screen
// descriptor's flags, an image descriptor's flags and a graphic control
// extension's packed fields. Readers and writers name the bits from here.
#pragma once

#include <cstdint>

namespace ScreenFlag {
inline constexpr std::uint8_t GlobalTable = 0x80;      // a global colour table follows
inline constexpr std::uint8_t ColorResolution = 0x70;  // bits per primary colour less one
inline constexpr int ColorResolutionShift = 4;
inline constexpr std::uint8_t Sorted = 0x08;     // the global table is sorted by importance
inline constexpr std::uint8_t TableSize = 0x07;  // the table holds 2 << TableSize entries
}  // namespace ScreenFlag

namespace ImageFlag {
inline constexpr std::uint8_t LocalTable = 0x80;  // a local colour table follows
inline constexpr std::uint8_t Interlaced = 0x40;  // rows stored in four interlace passes
inline constexpr std::uint8_t Sorted = 0x20;      // the local table is sorted by importance
inline constexpr std::uint8_t Reserved = 0x18;
inline constexpr std::uint8_t TableSize = 0x07;   // the table holds 2 << TableSize entries
}  // namespace ImageFlag

namespace ControlFlag {
inline constexpr std::uint8_t Transparent = 0x01;  // the transparent index is in use
inline constexpr std::uint8_t UserInput = 0x02;    // the viewer waits for the user
inline constexpr std::uint8_t Disposal = 0x1C;     // what happens to the frame after its delay
inline constexpr int DisposalShift = 2;
inline constexpr std::uint8_t DisposalValue = 0x07;  // the disposal method, once shifted down
}  // namespace ControlFlag

// The sub-block ids of the looping application extension (the id's low three
// bits count).
namespace LoopingBlock {
inline constexpr std::uint8_t IdBits = 0x07;
inline constexpr std::uint8_t LoopCount = 1;
inline constexpr std::uint8_t BufferSize = 2;
}  // namespace LoopingBlock

// Entries of the colour table that a flags byte announces.
// Both descriptors keep the size in their low three bits.
constexpr int AnnouncedTableEntries(std::uint8_t flags) { return 2 << (flags & ScreenFlag::TableSize); }
