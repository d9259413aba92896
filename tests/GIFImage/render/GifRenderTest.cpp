// Frames rendered to bitmaps: the plain rendering (indices and the frame's
// table), the palette fallbacks, masks, the dithered rendering into the
// 216-colour cube and when it is chosen, progress and aborts, rendering while
// reading, copies, pixel access, and the device-independent image writer and
// reader behind it.
#include <gtest/gtest.h>

#include <map>

#include "ColorLookup.h"
#include "DitherFloydSteinberg.h"
#include "FixedPalettes.h"
#include "GIFDIB.h"
#include "GIFFrameMask.h"
#include "GifReadHelpers.h"
#include "GifRenderHelpers.h"
#include "SurfaceMessages.h"

namespace {

const std::vector<std::uint32_t> FourColours = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};

TBytes Indices(std::initializer_list<int> values) { return TBytes(values.begin(), values.end()); }

// The 10 x 4 frame of four colours, at an offset that rendering ignores.
TTestFrame TenByFour() {
  TTestFrame frame{3, 2, 10, 4, {}, FourColours};
  for (int i = 0; i < 40; ++i) frame.Indices.push_back(static_cast<std::uint8_t>((i * 7 + i / 10) % 4));
  return frame;
}

std::vector<TPaletteEntry> TableOf(const std::vector<std::uint32_t>& colors, std::uint8_t flags, std::size_t size) {
  std::vector<TPaletteEntry> entries;
  for (const std::uint32_t color : colors)
    entries.push_back({static_cast<std::uint8_t>(color >> 16), static_cast<std::uint8_t>(color >> 8),
                       static_cast<std::uint8_t>(color), flags});
  entries.resize(size);
  return entries;
}

TBytes RowsOf(const TBitmap& bitmap) {
  TBytes bytes;
  for (int y = 0; y < bitmap.Height(); ++y)
    bytes.insert(bytes.end(), bitmap.ScanLine(y), bitmap.ScanLine(y) + bitmap.Width());
  return bytes;
}

struct TNotice {
  std::string Text;
  TProgressStage Stage;
  int Percent;
  friend bool operator==(const TNotice&, const TNotice&) = default;
};

std::ostream& operator<<(std::ostream& out, const TNotice& notice) {
  return out << notice.Text << "/" << static_cast<int>(notice.Stage) << "/" << notice.Percent;
}

TEST(GifFrameRender, IndexedBitmapHoldsTheFramesIndicesAndItsTableThenBlack) {
  const TTestFrame source = TenByFour();
  auto image = LoadGif(GifWith(20, 10, {}, {source}));
  TGIFSubImage& frame = image->Frames()[0];
  EXPECT_EQ(frame.FramePalette(), TPalette(TableOf(FourColours, PC_NOCOLLAPSE, 4)))
      << "before rendering: the local table, not collapsed";

  TBitmap* bitmap = frame.Bitmap();
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->Width(), 10);
  EXPECT_EQ(bitmap->Height(), 4);
  EXPECT_EQ(bitmap->PixelFormat(), TPixelFormat::pf8bit);
  EXPECT_EQ(bitmap->Palette(), TPalette(TableOf(FourColours, 0, 256))) << "4 colours, then 252 black entries";
  EXPECT_EQ(RowsOf(*bitmap), source.Indices);
  EXPECT_EQ(frame.Bitmap(), bitmap) << "served from the cache";
  EXPECT_EQ(frame.FramePalette(), bitmap->Palette()) << "the bitmap's palette once there is one";
  EXPECT_EQ(frame.MaskHandle(), nullptr);

  TBitmap copy;
  frame.AssignTo(copy);
  EXPECT_EQ(RowsOf(copy), source.Indices);
  EXPECT_EQ(copy.Palette(), bitmap->Palette());
}

TEST(GifFrameRender, PalettesFallBackFromLocalToGlobalToFrameZero) {
  const std::vector<std::uint32_t> global = {0x102030, 0x405060};
  TTestFrame local = TenByFour();
  TTestFrame plain{0, 0, 2, 1, Indices({1, 0}), {}};

  auto withGlobal = LoadGif(GifWith(10, 4, global, {local, plain}));
  EXPECT_EQ(BitmapColors(*withGlobal->Frames()[1].Bitmap()), (std::vector<TColor>{ColorOf(0x405060), ColorOf(0x102030)}));
  EXPECT_EQ(withGlobal->DocumentPalette(), TPalette(TableOf(global, PC_NOCOLLAPSE, 2)));

  // No global table: the second frame takes frame 0's.
  auto noGlobal = LoadGif(GifWith(10, 4, {}, {local, plain}));
  EXPECT_EQ(BitmapColors(*noGlobal->Frames()[1].Bitmap()), (std::vector<TColor>{ColorOf(0x00FF00), ColorOf(0xFF0000)}));

  // No table anywhere: frame 0 asks the document, which asks frame 0 back.
  auto none = LoadGif(GifWith(2, 1, {}, {plain, plain}));
  TGIFSubImage& first = none->Frames()[0];
  EXPECT_EQ(RaisedBy([&] { first.Bitmap(); }), sNoColorTable);
  EXPECT_EQ(first.CachedBitmap(), nullptr);
  EXPECT_EQ(RaisedBy([&] { first.Bitmap(); }), sNoColorTable) << "tried again, not remembered as empty";
  EXPECT_EQ(RaisedBy([&] { none->Frames()[1].Bitmap(); }), sNoColorTable);
  EXPECT_EQ(RaisedBy([&] { none->Bitmap(); }), sNoColorTable);
  // Dithering needs no table: the cube is the palette and absent colours are black.
  none->SetDrawFlags(DitherAlways(none->DrawFlags()));
  EXPECT_EQ(BitmapColors(*first.Bitmap()), (std::vector<TColor>{clBlack, clBlack}));

  // Adding a colour to a table drops the palette made from it.
  auto edited = LoadGif(GifWith(10, 4, global, {local, plain}));
  TGIFSubImage& firstEdited = edited->Frames()[0];
  ASSERT_EQ(firstEdited.FramePalette()->Count(), 4);
  firstEdited.LocalMap().AddColor(clYellow);
  EXPECT_EQ(firstEdited.FramePalette()->Count(), 5);
  ASSERT_EQ(edited->DocumentPalette()->Count(), 2);
  edited->GlobalColorMap().Delete(0);
  EXPECT_EQ(edited->DocumentPalette(), TPalette(TableOf({0x405060}, PC_NOCOLLAPSE, 1)));
}

TEST(GifFrameRender, MaskMarksExactlyTheTransparentPixelsLeftmostInBit7) {
  // 19 x 3, transparent index 2 at columns 0, 7, 8 and 18 of row 0, nowhere
  // in row 1 and everywhere in row 2.
  TTestFrame source{0, 0, 19, 3, TBytes(57, 1), FourColours, 2};
  for (int x : {0, 7, 8, 18}) source.Indices[static_cast<std::size_t>(x)] = 2;
  for (int x = 0; x < 19; ++x) source.Indices[static_cast<std::size_t>(38 + x)] = 2;
  auto image = LoadGif(GifWith(19, 3, {}, {source}));
  TGIFSubImage& frame = image->Frames()[0];
  EXPECT_TRUE(frame.MaskPending());
  EXPECT_TRUE(frame.HasMask());
  EXPECT_FALSE(frame.MaskPending());
  const TBitmap* mask = frame.MaskHandle();
  ASSERT_NE(mask, nullptr);
  EXPECT_TRUE(mask->Monochrome());
  std::vector<TColor> expected(57, clBlack);
  for (std::size_t i = 0; i < 57; ++i)
    if (source.Indices[i] == 2) expected[i] = clWhite;
  EXPECT_EQ(BitmapColors(*mask), expected);
  EXPECT_EQ(RowsOf(*frame.Bitmap()), source.Indices) << "transparent pixels keep their index";

  // The mask rows as rendering builds them: 16-bit padding, bit 7 leftmost.
  TFrameMask rows(19, 3);
  EXPECT_EQ(rows.Stride(), 4);
  EXPECT_EQ(TFrameMask(16, 1).Stride(), 2);
  EXPECT_EQ(TFrameMask(17, 1).Stride(), 4);
  for (int y = 0; y < 3; ++y) rows.MarkRow(y, source.Indices.data() + 19 * y, 2);
  EXPECT_EQ(TBytes(rows.Row(0), rows.Row(0) + 4), Indices({0x81, 0x80, 0x20, 0x00}));
  EXPECT_EQ(TBytes(rows.Row(1), rows.Row(1) + 4), Indices({0, 0, 0, 0}));
  EXPECT_EQ(TBytes(rows.Row(2), rows.Row(2) + 4), Indices({0xFF, 0xFF, 0xE0, 0x00}));

  // Transparent without a single transparent pixel, or opaque with the
  // index present: no mask either way.
  TTestFrame unused{0, 0, 4, 1, Indices({0, 1, 3, 1}), FourColours, 2};
  TTestFrame opaque{0, 0, 4, 1, Indices({2, 2, 2, 2}), FourColours};
  auto others = LoadGif(GifWith(4, 1, {}, {unused, opaque}));
  for (int i = 0; i < 2; ++i) {
    TGIFSubImage& other = others->Frames()[i];
    EXPECT_FALSE(other.HasMask()) << "frame " << i;
    EXPECT_EQ(other.MaskHandle(), nullptr) << "frame " << i;
    ASSERT_NE(other.Bitmap(), nullptr);
  }
}

TEST(GifFrameRender, DitheringFollowsTheDitherAndAutoDitherBits) {
  struct TCase {
    std::uint16_t Flags;
    bool LowColourDisplay;
    bool Dithered;
  };
  const TCase cases[] = {
      {0x060F, false, false},  // the defaults on our display
      {0x060F, true, true},    // the defaults on a display of 256 colours
      {0x040F, true, false},   // bit 9 cleared: never
      {0x020F, false, true},   // bit 9 without bit 10: always
      {0x0000, true, false},
  };
  const TTestFrame source{0, 0, 4, 1, Indices({0, 1, 2, 3}), {0x123456, 0xFEDCBA, 0x808080, 0x010203}};
  for (const TCase& c : cases) {
    const TSettingScope display(AutoDitherDisplay, c.LowColourDisplay);
    auto image = LoadGif(GifWith(4, 1, {}, {source}));
    image->SetDrawFlags(c.Flags);
    EXPECT_EQ(image->UseDithering(), c.Dithered) << std::hex << c.Flags << " " << c.LowColourDisplay;
    const TPalette palette = image->Frames()[0].Bitmap()->Palette();
    EXPECT_EQ(palette.Entry(0), (c.Dithered ? TPaletteEntry{0, 0, 0, 0} : TPaletteEntry{0x12, 0x34, 0x56, 0}))
        << std::hex << c.Flags << " " << c.LowColourDisplay;
    EXPECT_EQ(palette.Entry(215), (c.Dithered ? TPaletteEntry{255, 255, 255, 0} : TPaletteEntry{}));
  }
}

// What Floyd-Steinberg over the cube makes of the frame's colours, with
// transparent pixels stepped over: the rendering must give exactly this.
TBytes DitheredByTheEngine(const TTestFrame& frame) {
  TNetscapeColorLookup lookup;
  TFloydSteinbergDitherer engine(frame.Width, lookup);
  TBytes out(frame.Indices.size());
  for (int y = 0; y < frame.Height; ++y) {
    while (engine.InRow()) {
      const std::size_t at = static_cast<std::size_t>(y * frame.Width + engine.Column());
      const int index = frame.Indices[at];
      if (index == frame.Transparent) {
        engine.SkipPixel();
        continue;
      }
      const TColor c = ColorOf(frame.Local[static_cast<std::size_t>(index)]);
      out[at] = engine.QuantizePixel(GetRValue(c), GetGValue(c), GetBValue(c)).Index;
    }
    engine.EndRow();
  }
  return out;
}

TEST(GifFrameRender, DitheredBitmapHoldsCubeIndicesDiffusingTheError) {
  // Left half an exact cube colour, right half a grey between two cube steps,
  // a red stripe through both.
  TTestFrame source{0, 0, 64, 16, TBytes(64 * 16, 0), {0x336699, 0x808080, 0xC81E1E, 0}};
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 64; ++x)
      source.Indices[static_cast<std::size_t>(y * 64 + x)] = static_cast<std::uint8_t>(y == 7 ? 2 : (x < 32 ? 0 : 1));
  auto image = LoadGif(GifWith(64, 16, {}, {source}));
  image->SetDrawFlags(DitherAlways(image->DrawFlags()));
  const TBitmap& bitmap = *image->Frames()[0].Bitmap();
  EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf8bit);
  std::vector<TPaletteEntry> cube = CubePalette().Entries();
  cube.resize(256);
  EXPECT_EQ(bitmap.Palette(), TPalette(cube)) << "the cube, then black";
  EXPECT_EQ(image->Frames()[0].FramePalette(), TPalette(cube));

  const TBytes rows = RowsOf(bitmap);
  EXPECT_EQ(rows, DitheredByTheEngine(source));
  long grey = 0;
  std::map<int, int> greyIndices;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 64; ++x) {
      const int index = rows[static_cast<std::size_t>(y * 64 + x)];
      ASSERT_LT(index, 216);
      if (y < 3 && x < 30) {
        EXPECT_EQ(index, 36 * 1 + 6 * 2 + 3) << "an exact cube colour stays itself";
      }
      if (y != 7 && y != 6 && y != 8 && x >= 34) {
        grey += GetRValue(bitmap.Image().GetPixel(x, y));
        ++greyIndices[index];
      }
    }
  EXPECT_GE(greyIndices.size(), 2u) << "the grey is made of two cube steps";
  EXPECT_NEAR(static_cast<double>(grey) / (13 * 30), 128.0, 3.0) << "and keeps its brightness on average";
}

TEST(GifFrameRender, DitheredTransparentPixelsShowTheCubeColourOfTheTransparentEntry) {
  TTestFrame source{0, 0, 9, 5, TBytes(45), {0xFFFFFF, 0x6A5ACD, 0xFFA500, 0x2E8B57}, 0};
  for (std::size_t i = 0; i < source.Indices.size(); ++i)
    source.Indices[i] = static_cast<std::uint8_t>((i * 5 + i / 9) % 4);
  auto image = LoadGif(GifWith(9, 5, {}, {source}));
  image->SetDrawFlags(DitherAlways(image->DrawFlags()));
  TGIFSubImage& frame = image->Frames()[0];
  const TBytes rows = RowsOf(*frame.Bitmap());
  TBytes expected = DitheredByTheEngine(source);
  std::vector<TColor> mask(45, clBlack);
  for (std::size_t i = 0; i < 45; ++i)
    if (source.Indices[i] == 0) {
      expected[i] = 215;  // white in the cube, not the 216 just past it
      mask[i] = clWhite;
    }
  EXPECT_EQ(rows, expected);
  ASSERT_TRUE(frame.HasMask());
  EXPECT_EQ(BitmapColors(*frame.MaskHandle()), mask);
}

TEST(GifFrameRender, ProgressReportsEvery32RowsAndAlwaysEnds) {
  TTestFrame source{0, 0, 3, 70, TBytes(210, 1), FourColours, 1};
  auto image = LoadGif(GifWith(3, 70, {}, {source}));
  std::vector<TNotice> notices;
  image->SetOnProgress([&](const std::string& text, TProgressStage stage, int percent) {
    notices.push_back({text, stage, percent});
  });
  ASSERT_NE(image->Frames()[0].Bitmap(), nullptr);
  const std::string r = sProgressRendering;
  EXPECT_EQ(notices, (std::vector<TNotice>{{r, TProgressStage::psStarting, 0},
                                           {r, TProgressStage::psRunning, 0},
                                           {r, TProgressStage::psRunning, 45},
                                           {r, TProgressStage::psRunning, 91},
                                           {r, TProgressStage::psEnding, 100}}));
  notices.clear();
  image->Frames()[0].Bitmap();
  EXPECT_TRUE(notices.empty()) << "a cached bitmap is not rendered again";

  // An observer's abort: no bitmap, no error, the ending sent with 0.
  auto aborted = LoadGif(GifWith(3, 70, {}, {source}));
  TGIFSubImage& frame = aborted->Frames()[0];
  notices.clear();
  aborted->SetOnProgress([&](const std::string& text, TProgressStage stage, int percent) {
    notices.push_back({text, stage, percent});
    if (stage == TProgressStage::psRunning && percent > 40) throw EAbort();
  });
  EXPECT_EQ(frame.Bitmap(), nullptr);
  EXPECT_EQ(notices.back(), (TNotice{r, TProgressStage::psEnding, 0}));
  EXPECT_EQ(frame.CachedBitmap(), nullptr);
  EXPECT_EQ(aborted->Bitmap(), nullptr);
  // The next request renders the whole frame, its mask included.
  aborted->SetOnProgress(nullptr);
  ASSERT_NE(frame.Bitmap(), nullptr);
  EXPECT_TRUE(frame.HasMask());
  EXPECT_NE(aborted->Bitmap(), nullptr);

  // Any other failure reaches the caller, after the ending with 0.
  auto failed = LoadGif(GifWith(3, 70, {}, {source}));
  notices.clear();
  failed->SetOnProgress([&](const std::string& text, TProgressStage stage, int percent) {
    notices.push_back({text, stage, percent});
    if (stage == TProgressStage::psRunning && percent > 40) throw Exception("observer failed");
  });
  EXPECT_EQ(RaisedBy([&] { failed->Frames()[0].Bitmap(); }), "observer failed");
  EXPECT_EQ(notices.back(), (TNotice{r, TProgressStage::psEnding, 0}));
  EXPECT_EQ(failed->Frames()[0].CachedBitmap(), nullptr);
}

TEST(GifFrameRender, RenderOnLoadRendersEachFrameAsItIsRead) {
  const TBytes file = GifWith(10, 4, {}, {TenByFour(), {0, 0, 2, 2, Indices({0, 1, 2, 3}), FourColours}});
  const TSettingScope renderOnLoad(RenderOnLoad, true);
  auto image = LoadGif(file);
  ASSERT_EQ(image->Frames().Count(), 2);
  for (int i = 0; i < 2; ++i) EXPECT_NE(image->Frames()[i].CachedBitmap(), nullptr) << "frame " << i;
  EXPECT_EQ(RowsOf(*image->Frames()[1].CachedBitmap()), Indices({0, 1, 2, 3}));

  // A frame of extensions only has nothing to render.
  TBytes withComment = file;
  withComment.pop_back();
  const TBytes tail = TGifBuilder().Comment({"end"}).Trailer().Bytes();
  withComment.insert(withComment.end(), tail.begin(), tail.end());
  auto commented = LoadGif(withComment);
  ASSERT_EQ(commented->Frames().Count(), 3);
  EXPECT_EQ(commented->Frames()[2].Bitmap(), nullptr);
}

TEST(GifFrameRender, CopiesTakeTheBitmapAndMakeTheirMaskFromThePixels) {
  TTestFrame source{0, 0, 4, 2, Indices({0, 3, 3, 1, 3, 2, 0, 0}), FourColours, 3};
  auto image = LoadGif(GifWith(4, 2, {}, {source}));
  image->SetDrawFlags(DitherAlways(image->DrawFlags()));
  const TBitmap* original = image->Frames()[0].Bitmap();
  TGIFImage copy;
  copy.Assign(image.get());
  TGIFSubImage& frame = copy.Frames()[0];
  ASSERT_NE(frame.CachedBitmap(), nullptr) << "copied, not rendered again";
  EXPECT_EQ(RowsOf(*frame.CachedBitmap()), RowsOf(*original));
  ASSERT_TRUE(frame.HasMask());
  EXPECT_EQ(BitmapColors(*frame.MaskHandle()),
            (std::vector<TColor>{clBlack, clWhite, clWhite, clBlack, clWhite, clBlack, clBlack, clBlack}));
}

TEST(GifFrameAccess, PixelIndexRowsAndBounds) {
  TTestFrame source{2, 1, 3, 2, Indices({7, 1, 2, 3, 4, 5}), {}};
  auto image = LoadGif(GifWith(5, 3, Greys(8), {source}));
  TGIFSubImage& frame = image->Frames()[0];
  EXPECT_EQ(frame.PixelIndex(0, 0), 7);
  EXPECT_EQ(frame.PixelIndex(2, 1), 5);
  for (const auto& [x, y] : std::vector<std::pair<int, int>>{{3, 0}, {-1, 0}, {0, 2}, {0, -1}})
    EXPECT_EQ(RaisedBy([&] { frame.PixelIndex(x, y); }), sBadPixelCoordinates) << x << "," << y;
  EXPECT_EQ(TBytes(frame.ScanLine(1), frame.ScanLine(1) + 3), Indices({3, 4, 5}));
  EXPECT_EQ(RaisedBy([&] { frame.ScanLine(2); }), sBadPixelCoordinates);

  // A frame 0 pixels wide has rows but no pixels to give.
  TGIFSubImage empty(image.get());
  empty.SetBounds(0, 0, 0, 2);
  EXPECT_EQ(RaisedBy([&] { empty.ScanLine(0); }), sEmptyImage);
  EXPECT_EQ(RaisedBy([&] { empty.PixelIndex(0, 0); }), sBadPixelCoordinates);
  EXPECT_EQ(empty.Bitmap(), nullptr);
  const std::unique_ptr<TBitmap> rendered = empty.RenderIndexed();
  EXPECT_EQ(rendered->Width(), 0);
  EXPECT_EQ(rendered->Height(), 2);

  const int bounds[] = {frame.BoundsItem(0), frame.BoundsItem(1), frame.BoundsItem(2), frame.BoundsItem(3),
                        frame.BoundsItem(4), frame.BoundsItem(5), frame.BoundsItem(-1)};
  EXPECT_EQ(std::vector<int>(std::begin(bounds), std::end(bounds)), (std::vector<int>{0, 2, 1, 3, 2, 0, 0}));
}

TEST(GifDib, WriterChecksItsArgumentsAndHandsOverTheImage) {
  TBitmap bitmap;
  const TPalette palette(TableOf({0x112233, 0x445566}, PC_NOCOLLAPSE, 2));
  for (TPixelFormat format : {TPixelFormat::pf1bit, TPixelFormat::pf4bit, TPixelFormat::pf16bit,
                              TPixelFormat::pf32bit, TPixelFormat::pfDevice})
    EXPECT_EQ(RaisedBy([&] { TDIBWriter(bitmap, palette, 2, 2, format); }), sUnsupportedBitmap);
  for (const auto& [w, h] : std::vector<std::pair<int, int>>{{0, 2}, {2, 0}, {-1, 2}})
    EXPECT_EQ(RaisedBy([&] { TDIBWriter(bitmap, palette, w, h, TPixelFormat::pf8bit); }), sBadDimension);

  TDIBWriter writer(bitmap, palette, 3, 2, TPixelFormat::pf8bit);
  for (int row : {-1, 2}) {
    try {
      writer.RowAddress(row);
      ADD_FAILURE() << "row " << row << " was given";
    } catch (const EInvalidGraphicOperation& error) {
      EXPECT_EQ(error.Message(), "Scan line index out of range");
    }
  }
  std::uint8_t* top = writer.RowAddress(0);
  EXPECT_EQ(TBytes(top, top + 4), TBytes(4, 0)) << "zero-filled, padded to 4 bytes";
  top[0] = 1;
  writer.RowAddress(1)[2] = 1;
  EXPECT_TRUE(bitmap.Empty()) << "nothing reaches the bitmap before Finish";
  writer.Finish();
  EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf8bit);
  EXPECT_EQ(bitmap.Palette(), TPalette(TableOf({0x112233, 0x445566}, 0, 256)));
  EXPECT_EQ(BitmapColors(bitmap), (std::vector<TColor>{ColorOf(0x445566), ColorOf(0x112233), ColorOf(0x112233),
                                                       ColorOf(0x112233), ColorOf(0x112233), ColorOf(0x445566)}));
  EXPECT_EQ(RaisedBy([&] { writer.RowAddress(0); }), sNoDIB) << "the image went to the bitmap";

  TBitmap colour;
  TDIBWriter deep(colour, std::nullopt, 2, 1, TPixelFormat::pf24bit);
  std::uint8_t* row = deep.RowAddress(0);
  for (int i = 0; i < 6; ++i) row[i] = static_cast<std::uint8_t>(0x10 * (i + 1));
  deep.Finish();
  EXPECT_EQ(colour.PixelFormat(), TPixelFormat::pf24bit);
  EXPECT_EQ(BitmapColors(colour), (std::vector<TColor>{RGB(0x30, 0x20, 0x10), RGB(0x60, 0x50, 0x40)}));

  // More than any image may hold: out of memory, with the codec's text.
  TDIBWriter huge(colour, std::nullopt, 65535, 65535, TPixelFormat::pf24bit);
  try {
    huge.RowAddress(0);
    ADD_FAILURE() << "a 65535 x 65535 image was made";
  } catch (const EOutOfMemory& error) {
    EXPECT_EQ(error.Message(), sOutOfMemDIB);
  }
}

TEST(GifDib, ReaderTurnsTheBitmapIntoItsFormatAndGivesItsRows) {
  TBitmap bitmap;
  bitmap.SetSize(2, 1);
  bitmap.Canvas().SetPixelColor(0, 0, clRed);
  EXPECT_EQ(RaisedBy([&] { TDIBReader(bitmap, TPixelFormat::pfDevice); }), sUnsupportedBitmap);
  EXPECT_EQ(RaisedBy([&] { TDIBReader(bitmap, TPixelFormat::pfCustom); }), sUnsupportedBitmap);
  const TDIBReader reader(bitmap, TPixelFormat::pf24bit);
  EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf24bit);
  EXPECT_EQ(TBytes(reader.ScanLine(0), reader.ScanLine(0) + 6), Indices({0, 0, 255, 255, 255, 255}));
  EXPECT_EQ(RaisedBy([&] { reader.ScanLine(1); }), "Scan line index out of range");

  TBitmap empty;
  const TDIBReader none(empty, TPixelFormat::pf8bit);
  EXPECT_EQ(RaisedBy([&] { none.ScanLine(0); }), "Scan line index out of range");
}

}  // namespace
