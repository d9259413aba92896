// TGIFSubImage: one frame of a GIF document. It owns the extension blocks
// that came before its image, its image descriptor (kept as in the file), its
// local colour table and its pixels: one colour index per byte, Width per
// row, rows top to bottom in display order (never interlaced). A frame may
// hold extensions and no image at all.
#pragma once

#include <cstdint>
#include <memory>

#include "GIFColorMap.h"
#include "GIFExtensionList.h"
#include "GIFItem.h"
#include "GIFPixelBuffer.h"

class TGIFGraphicControlExtension;

class TGIFSubImage : public TGIFItem {
public:
  explicit TGIFSubImage(TGIFImage* image);
  ~TGIFSubImage() override;

  TGIFExtensionList& ExtList() { return FExtList; }
  const TGIFExtensionList& ExtList() const { return FExtList; }
  TGIFLocalColorMap& LocalMap() { return FLocalMap; }
  const TGIFLocalColorMap& LocalMap() const { return FLocalMap; }
  // LocalMap when it has entries, else the document's GlobalMap when that
  // has entries, else the (empty) LocalMap.
  TGIFColorMap& ActiveColorMap();

  // The image descriptor as read: separator, bounds and packed flags (bit 7
  // local table, bit 6 interlaced, bit 5 sorted, bits 0-2 table size).
  std::uint8_t Separator() const { return FSeparator; }
  std::uint16_t Left() const { return FLeft; }
  std::uint16_t Top() const { return FTop; }
  std::uint16_t Width() const { return FWidth; }
  std::uint16_t Height() const { return FHeight; }
  std::uint8_t Flags() const { return FFlags; }
  void SetFlags(std::uint8_t flags) { FFlags = flags; }
  bool Interlaced() const { return (FFlags & 0x40) != 0; }
  void SetInterlaced(bool value);
  // 1 Left, 2 Top, 3 Width, 4 Height; any other index 0.
  std::uint16_t BoundsItem(int index) const;
  // Stores the bounds; a new size gets new zero-filled pixels. A frame that
  // reaches beyond the logical screen grows the screen, warning when the
  // screen had a size before.
  void SetBounds(int left, int top, int width, int height);
  // True once an image descriptor was read or set (a frame of extensions only has none).
  bool HasImageDescriptor() const { return FHasImageDescriptor; }

  std::uint8_t* Pixels() { return FPixels.get(); }
  const std::uint8_t* Pixels() const { return FPixels.get(); }
  std::int64_t PixelCount() const { return FPixelCount; }
  // Frees the pixels and allocates Width * Height of them, all set to fill;
  // raises when the frame or the document would exceed its pixel limit.
  void AllocatePixels(std::uint8_t fill);

  bool IsTransparent() const { return FIsTransparent; }
  void SetIsTransparent(bool value) { FIsTransparent = value; }
  // The graphic control extension that governs the frame: the first one made for it.
  TGIFGraphicControlExtension* ControlBlock() const { return FControlBlock; }
  void SetControlBlock(TGIFGraphicControlExtension* block) { FControlBlock = block; }

  // No pixels, or Width or Height 0.
  bool Empty() const;
  void Clear();
  // 2 when the local table is sorted or the frame has extensions, else 1.
  int Version() const override;
  // Copies descriptor, transparency, pixels, local table and extensions of a non-empty source.
  void Assign(const TGIFSubImage& source);

  void SaveToStream(TStream& stream) override;
  // Extensions, then (unless the stream ends or a trailer or zero byte
  // follows) descriptor, local table and image data.
  void LoadFromStream(TStream& stream) override;
  // Renders the frame's cached bitmap, as RenderOnLoad asks after reading.
  void RenderBitmap();

private:
  void ReadImage(TStream& stream);
  void FreePixels();

  TGIFExtensionList FExtList;
  TGIFLocalColorMap FLocalMap;
  std::uint8_t FSeparator = 0x2C;
  std::uint16_t FLeft = 0;
  std::uint16_t FTop = 0;
  std::uint16_t FWidth = 0;
  std::uint16_t FHeight = 0;
  std::uint8_t FFlags = 0;
  bool FHasImageDescriptor = false;
  TPixelBuffer FPixels;
  std::int64_t FPixelCount = 0;
  bool FIsTransparent = false;
  TGIFGraphicControlExtension* FControlBlock = nullptr;
};
