// The codec's unit-wide settings: the defaults every new document copies, the
// switch that renders frames while they are read, and the limits that keep a
// hostile file from making us allocate far beyond reason.
#pragma once

#include <cstdint>

// Copied into each new TGIFImage; a program may change them once at start-up.
extern std::uint16_t DefaultDrawFlags;        // 0x060F
extern std::uint8_t DefaultReductionMethod;   // 6: lookup in the 216-colour cube
extern std::int32_t DefaultReductionDepth;    // 8 bits per pixel
extern std::uint8_t DefaultDitherKind;        // 0: nearest colour, no error diffusion
extern std::uint8_t DefaultEncoding;          // 0: LZW; 1: the run-length style encoder
extern std::uint8_t DefaultPainterPriority;   // 3: normal
extern std::int32_t DefaultSpeedPercent;      // 100

// When true every frame is rendered to its bitmap right after its data is read.
extern bool RenderOnLoad;
// True on displays of 256 colours or fewer; ours always has a true-colour
// display, so it starts false.
extern bool AutoDitherDisplay;

// One frame holds at most 2^26 pixels (64 MiB of indices: 8192 x 8192 fits);
// all frames of a document together at most 2^28 (256 MiB). A file that
// declares more fails with sFrameTooLarge or sDocumentTooLarge instead of
// allocating what its header asks for.
inline constexpr std::int64_t MaxFramePixels = std::int64_t{1} << 26;
inline constexpr std::int64_t MaxDocumentPixels = std::int64_t{1} << 28;
