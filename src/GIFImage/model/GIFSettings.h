// The codec's unit-wide settings: the defaults every new document copies, the
// switch that renders frames while they are read, and the limits that keep a
// hostile file from making us allocate far beyond reason.
#pragma once

#include <cstdint>

// The options of a document's DrawFlags word, one bit each.
namespace DrawOption {
inline constexpr std::uint16_t Threaded = 0x0001;       // the painter runs on a thread of its own
inline constexpr std::uint16_t Transparent = 0x0002;    // transparent pixels are left out when drawing
inline constexpr std::uint16_t Animated = 0x0004;       // the painter steps through all frames
inline constexpr std::uint16_t Looping = 0x0008;        // passes repeat as the loop count says
inline constexpr std::uint16_t EndlessLoop = 0x0010;    // passes repeat forever
inline constexpr std::uint16_t CheckCanvas = 0x0020;    // the painter stops when its canvas is gone
inline constexpr std::uint16_t PaintDirect = 0x0040;    // the painter paints straight onto the caller's canvas
inline constexpr std::uint16_t ClearEachPass = 0x0080;  // frame 0 of every pass starts on background
inline constexpr std::uint16_t Tiled = 0x0100;          // frames repeat at their own size instead of stretching
inline constexpr std::uint16_t Dither = 0x0200;         // frames render dithered into the 216-colour cube...
inline constexpr std::uint16_t AutoDither = 0x0400;     // ...only on displays of 256 colours or fewer
}  // namespace DrawOption

// Copied into each new TGIFImage; a document's own setters change its copy.
inline constexpr std::uint16_t DefaultDrawFlags =  // 0x060F
    DrawOption::Threaded | DrawOption::Transparent | DrawOption::Animated | DrawOption::Looping | DrawOption::Dither |
    DrawOption::AutoDither;
inline constexpr std::int32_t DefaultReductionDepth = 8;    // bits per pixel
inline constexpr std::uint8_t DefaultDitherKind = 0;        // nearest colour, no error diffusion
inline constexpr std::uint8_t DefaultEncoding = 0;          // LZW; 1: the run-length style encoder
inline constexpr std::uint8_t DefaultPainterPriority = 3;   // normal
inline constexpr std::int32_t DefaultSpeedPercent = 100;
// 6: lookup in the 216-colour cube. The program never changes it; a test may,
// to steer the documents a window makes.
extern std::uint8_t DefaultReductionMethod;

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
