// TGIFHeader: the logical screen of a GIF document, its 7-byte descriptor
// held exactly as in the file, and the global colour table. The signature and
// version are not kept: the version written follows the content.
#pragma once

#include <cstdint>

#include "Color.h"
#include "GIFColorMap.h"
#include "GIFItem.h"

class TGIFHeader : public TGIFItem {
public:
  explicit TGIFHeader(TGIFDocument* image) : TGIFItem(image), FGlobalMap(this) {}

  std::uint16_t ScreenWidth() const { return FScreenWidth; }
  std::uint16_t ScreenHeight() const { return FScreenHeight; }
  void SetScreenWidth(std::uint16_t value) { FScreenWidth = value; }
  void SetScreenHeight(std::uint16_t value) { FScreenHeight = value; }
  // Bit 7 global table present, bits 4-6 colour resolution - 1, bit 3 sorted,
  // bits 0-2 n with 2^(n+1) table entries.
  std::uint8_t ScreenFlags() const { return FScreenFlags; }
  void SetScreenFlags(std::uint8_t value) { FScreenFlags = value; }
  std::uint8_t BackgroundIndex() const { return FBackgroundIndex; }
  void SetBackgroundIndex(std::uint8_t value) { FBackgroundIndex = value; }
  std::uint8_t AspectRatio() const { return FAspectRatio; }
  void SetAspectRatio(std::uint8_t value) { FAspectRatio = value; }
  TGIFGlobalColorMap& GlobalMap() { return FGlobalMap; }
  const TGIFGlobalColorMap& GlobalMap() const { return FGlobalMap; }

  // The colour at BackgroundIndex in the global table (ColorAt's rules).
  TColor BackgroundColor() { return FGlobalMap.ColorAt(FBackgroundIndex); }

  // Screen size 0 by 0, no global table, flags recomputed.
  void Clear();
  // Recomputes ScreenFlags from the global table and the frames' local tables.
  void UpdateScreenFlags();
  // The largest BitsPerPixel of the global table and of every frame's local
  // table (0 when all are empty): the size the screen flags announce.
  int LargestTableBits() const;
  // The version the document is written as: 1 when every frame's content
  // fits GIF87a, 2 when one needs GIF89a; 0 without frames.
  int DocumentVersion() const;
  // Copies the seven descriptor bytes and the global table.
  void Assign(const TGIFHeader& source);

private:
  std::uint16_t FScreenWidth = 0;
  std::uint16_t FScreenHeight = 0;
  std::uint8_t FScreenFlags = 0;
  std::uint8_t FBackgroundIndex = 0;
  std::uint8_t FAspectRatio = 0;
  TGIFGlobalColorMap FGlobalMap;
};
