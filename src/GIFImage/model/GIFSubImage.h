// TGIFSubImage: one frame of a GIF document. It owns the extension blocks
// that came before its image, its image descriptor (kept as in the file), its
// local colour table and its pixels: one colour index per byte, Width per
// row, rows top to bottom in display order (never interlaced). A frame may
// hold extensions and no image at all.
//
// The frame also owns what rendering made of it: its bitmap, its transparency
// mask and the palette of its bitmap, each made on first request; it draws
// itself onto a canvas and is made from pictures. GIFSubImage.cpp holds its
// sizes, pixels, tables and copies; GIFSubImagePicture.cpp the frame as a
// picture (rendering, drawing, import). io/ reads and writes it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "Bitmap.h"
#include "Geometry.h"
#include "GIFColorMap.h"
#include "GIFExtensionList.h"
#include "GIFItem.h"
#include "GIFPackedFields.h"
#include "GIFPixelBuffer.h"
#include "GIFUnwrittenPixels.h"
#include "Palette.h"

class TCanvas;
class TFrameMask;
class TGraphic;
class TPicture;
class TGIFGraphicControlExtension;
struct TGIFFrameCodes;

class TGIFSubImage : public TGIFItem {
public:
  explicit TGIFSubImage(TGIFDocument* image);
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
  bool Interlaced() const { return (FFlags & ImageFlag::Interlaced) != 0; }
  void SetInterlaced(bool value);
  // 1 Left, 2 Top, 3 Width, 4 Height; any other index 0.
  std::uint16_t BoundsItem(int index) const;
  // Stores the bounds; a new size gets new zero-filled pixels. A frame that
  // reaches beyond the logical screen grows the screen, warning when the
  // screen had a size before.
  void SetBounds(int left, int top, int width, int height);
  // True once an image descriptor was read or set (a frame of extensions only has none).
  bool HasImageDescriptor() const { return FHasImageDescriptor; }
  // The image descriptor's fields as the file holds them.
  struct TDescriptor {
    std::uint8_t Separator = 0x2C;
    std::uint16_t Left = 0;
    std::uint16_t Top = 0;
    std::uint16_t Width = 0;
    std::uint16_t Height = 0;
    std::uint8_t Flags = 0;
  };
  // Takes a descriptor as read into a cleared frame: bounds and flags kept as
  // they are, no pixels made and the logical screen untouched.
  void TakeDescriptor(const TDescriptor& descriptor);

  // Pixels kept as codes are decoded here, on first use ("Out of system
  // resources" is all that can go wrong then), and pixels the data did not
  // reach are given their value.
  std::uint8_t* Pixels() {
    CompletePixels();
    return FPixels.get();
  }
  const std::uint8_t* Pixels() const {
    CompletePixels();
    return FPixels.get();
  }
  std::int64_t PixelCount() const { return FPixelCount; }
  // Display row y (0 <= y < Height) as decoding left it, without writing the
  // pixels the data did not reach: the first Reached indices are the row's,
  // the others all Fill. Pixels kept as codes are decoded first. So a reader
  // that goes row by row pays for what the file held, not for what it
  // declared. Indices is nullptr for an empty frame.
  struct TDecodedRow {
    const std::uint8_t* Indices = nullptr;
    int Reached = 0;
    std::uint8_t Fill = 0;
  };
  TDecodedRow DecodedRow(int y) const;
  // Frees the pixels and allocates Width * Height of them, all set to fill
  // (written when they are first asked for); raises when the frame or the
  // document would exceed its pixel limit.
  void AllocatePixels(std::uint8_t fill);
  // For decoders, after writing into Pixels() of a frame allocated with fill
  // 0: the pixels of unwritten were not written and hold its Value.
  void LeaveUnwritten(const TGIFUnwritten& unwritten);
  // Frees the pixels and keeps the codes to decode Width * Height of them
  // from on first use, the limits checked now as AllocatePixels does. The
  // codes must be clean (GIFLZWScan.h); copies of the frame share them.
  void DeferPixels(std::shared_ptr<const TGIFFrameCodes> codes);

  bool IsTransparent() const { return FIsTransparent; }
  void SetIsTransparent(bool value) { FIsTransparent = value; }
  // The graphic control extension that governs the frame: the first one made for it.
  TGIFGraphicControlExtension* ControlBlock() const { return FControlBlock; }
  void SetControlBlock(TGIFGraphicControlExtension* block) { FControlBlock = block; }

  // No pixels (decoded or to come), or Width or Height 0.
  bool Empty() const;
  void Clear();
  // 2 when the local table is sorted or the frame has extensions, else 1.
  int Version() const override;
  // Copies descriptor, transparency, pixels, local table and extensions of a non-empty source.
  void Assign(const TGIFSubImage& source);

  // Recomputes the descriptor's packed flags for writing: with a local table
  // its presence, sort state and size, and no interlacing (its rows are
  // written in display order); without one only the interlace and reserved
  // bits stay.
  void UpdateImageFlags();
  // Renders the frame's cached bitmap, as RenderOnLoad asks after reading.
  void RenderBitmap() { Bitmap(); }

  // The frame alone as a bitmap of Width by Height (no placement, no
  // composition with other frames), made on first request and kept until the
  // pixels change: the frame's own indices with FramePalette as its colour
  // table, or, when the document's UseDithering holds, the colours dithered
  // into the 216-colour cube. Sends "Rendering..." progress through the
  // document. nullptr for an empty frame, and when a progress observer
  // aborted the rendering; other failures raise and leave nothing cached.
  TBitmap* Bitmap();
  // The bitmap made so far, without rendering.
  const TBitmap* CachedBitmap() const { return FCachedBitmap.get(); }
  // The palette of the frame's bitmap: the cached bitmap's, else the one made
  // before, else the cube when dithering, else LocalMap's (those two are
  // kept), else the document palette. "No global or local color table
  // defined" when neither this frame nor the document has a table to give.
  std::optional<TPalette> FramePalette();
  // The two renderings behind Bitmap, each a new bitmap for the caller: an
  // 8-bit image of the indices as they are (a row copy), and one dithered
  // with Floyd-Steinberg into the 216-colour cube. The first rendering of a
  // transparent frame also makes its mask. An empty frame gives a bitmap of
  // its size with its palette and no pixels set.
  std::unique_ptr<TBitmap> RenderIndexed();
  std::unique_ptr<TBitmap> RenderDithered();
  // True when the frame has a transparency mask, made first when it is
  // still due (for a bitmap copied or imported, from the pixels alone).
  bool HasMask();
  // The mask: black and white, Width by Height, white where the pixel is
  // transparent; nullptr when no pixel is (or none was made yet).
  const TBitmap* MaskHandle() const { return FMask.get(); }
  // True while the mask is still to be made.
  bool MaskPending() const { return FMaskPending; }
  // Forgets the palette made for the bitmap (the local table changed).
  void DropPalette() { FCachedPalette.reset(); }

  // The colour index at column x of row y; "Invalid pixel coordinates"
  // outside the frame.
  std::uint8_t PixelIndex(int x, int y);
  // The Width indices of row y, writable; "Invalid pixel coordinates" for a
  // row outside the frame. Missing pixels are made, all 0 ("Image is empty"
  // for a frame of size 0). Writing through it leaves the bitmap as it is.
  std::uint8_t* ScanLine(int y);

  // Draws the frame's bitmap onto a canvas. Without tile the document's
  // logical screen is stretched over rect and the frame shown at its place in
  // it (ScaledBounds), each pixel where stretching the whole screen puts it;
  // with tile, copies at the frame's own size start at rect's corner plus the
  // frame's offset and repeat every screen width and height across rect.
  // With transparent (and a mask) the transparent pixels keep what the
  // canvas shows.
  void Draw(TCanvas& canvas, const TRect& rect, bool transparent, bool tile);
  // The pixels of rect that the frame covers when the logical screen is
  // stretched over rect (pixel t of rect shows screen pixel t * screen size /
  // rect size, rounded down): each edge scaled and rounded up. Rect itself
  // when the screen has no size.
  TRect ScaledBounds(const TRect& rect) const;
  // Makes the bitmap a copy of Bitmap (an empty bitmap when there is none).
  void AssignTo(TBitmap& bitmap);

  // Import. The frame becomes the picture, at
  // (0, 0) and of its size, growing the logical screen as the bounds setting
  // does (width first, then height). A bitmap of 1, 4 or 8 bits keeps its
  // colour table and its indices; any other is reduced first by the
  // document's ReductionMethod, DitherKind and ReductionDepth (switching the
  // source itself to 24 bits, except for method 0). CachedBitmap keeps the
  // image the pixels were read from. Sends "Converting..." progress through
  // the document, the ending also after a failure. An empty bitmap leaves the
  // frame empty; another graphic (a GIF document) is imported through a
  // bitmap copy of it.
  void LoadFromGraphic(TGraphic& source);
  // The graphic the holder holds; an empty holder clears the frame.
  void LoadFromGraphic(TPicture& source);
  // A copy of the frame; itself changes nothing, nullptr clears the frame.
  void LoadFromGraphic(const TGIFSubImage* source);
  // A frame is copied; any other object raises "Cannot assign a %s to a %s".
  void LoadFromGraphic(const TPersistent& source);
  // Makes the pixels under the mask's set (not black) pixels transparent:
  // sorts LocalMap by use, appends black as the transparent entry and, when
  // any pixel took it, adds a graphic control extension naming it; otherwise
  // the black entry goes again. A table of 0 or 256 entries has no room.
  void ApplyMask(const TBitmap& mask);

private:
  // A copy of the bitmap's Source rectangle (which may reach beyond the
  // bitmap: only the pixels inside are drawn) onto the canvas's Target.
  struct TPlacement {
    TRect Target;
    TRect Source;
  };
  // Where Draw without tile puts the bitmap for rect.
  TPlacement PlacementIn(const TRect& rect) const;
  void LoadFromBitmap(TBitmap& source);
  std::int64_t CheckedPixelCount() const;
  void FreePixels();
  void CompletePixels() const {
    if (FPendingCodes) DecodePendingPixels();
    if (FUnwritten) WriteUnwrittenPixels();
  }
  void DecodePendingPixels() const;
  void WriteUnwrittenPixels() const;
  void DropRendering();
  std::unique_ptr<TBitmap> RenderWithProgress();
  std::unique_ptr<TBitmap> BitmapOfEmptyFrame();
  std::optional<std::uint8_t> TakeMaskRequest();
  void KeepMask(const std::optional<TFrameMask>& mask);
  void MakeMask();
  void ReportRow(int y);

  TGIFExtensionList FExtList;
  TGIFLocalColorMap FLocalMap;
  std::uint8_t FSeparator = 0x2C;
  std::uint16_t FLeft = 0;
  std::uint16_t FTop = 0;
  std::uint16_t FWidth = 0;
  std::uint16_t FHeight = 0;
  std::uint8_t FFlags = 0;
  bool FHasImageDescriptor = false;
  // Decoding on first use changes these three from const methods: documents
  // are touched only on the user-interface thread (painter threads hand
  // their work over to it), so nothing else can be reading them meanwhile.
  mutable TPixelBuffer FPixels;
  mutable std::shared_ptr<const TGIFFrameCodes> FPendingCodes;  // set while the pixels wait to be decoded
  mutable std::optional<TGIFUnwritten> FUnwritten;  // set while pixels the data did not reach wait for their value
  std::int64_t FPixelCount = 0;
  bool FIsTransparent = false;
  TGIFGraphicControlExtension* FControlBlock = nullptr;
  std::unique_ptr<TBitmap> FCachedBitmap;
  std::unique_ptr<TBitmap> FMask;
  bool FMaskPending = true;
  std::optional<TPalette> FCachedPalette;
};
