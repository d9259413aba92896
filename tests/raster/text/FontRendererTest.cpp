#include "FontRenderer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "CoveragePicture.h"
#include "Exception.h"

namespace {

const TRect Wide = Rect(-100, -100, 400, 200);

TFontSpec DejaVu(int points = 8) {
  TFontSpec font;
  font.Name = "DejaVu Sans";
  font.Size = points;
  return font;
}

int Columns(const TCoverage& c, int y1, int y2, int x) {
  int n = 0;
  for (int y = y1; y < y2; ++y) n += c.Contains(x, y);
  return n;
}

// DejaVu Sans rises 1901/2048 of its em above the baseline and falls 483/2048
// below; at 8 points and 96 dpi (10.67 pixels) that is 10 and 3 whole pixels.
TEST(FontRenderer, EightPointDejaVuHasA13PixelCellAnd8PixelCapitals) {
  const TTextRun run = RenderText(DejaVu(), "H", TPoint{0, 0}, Wide);
  EXPECT_EQ(run.Height, 13);
  const TRect ink = run.Ink.Bounds();
  EXPECT_EQ(ink.Height(), 8);
  EXPECT_EQ(ink.Bottom, 10);  // standing on the baseline
  EXPECT_GE(ink.Left, 0);
  EXPECT_LE(ink.Right, run.Width);
  // Two full-height stems joined by a one-pixel bar.
  EXPECT_EQ(Columns(run.Ink, 0, 13, ink.Left), 8);
  EXPECT_EQ(Columns(run.Ink, 0, 13, ink.Right - 1), 8);
  EXPECT_EQ(Columns(run.Ink, 0, 13, (ink.Left + ink.Right) / 2), 1);
  EXPECT_EQ(TextExtent(DejaVu(), "H"), (TPoint{run.Width, run.Height}));
}

TEST(FontRenderer, MsSansSerifResolvesToASansFaceOfTheSameSize) {
  TFontSpec font;  // the canvas default: "MS Sans Serif", 8 points
  EXPECT_EQ(TextExtent(font, "Text"), TextExtent(DejaVu(), "Text"));
  EXPECT_EQ(RenderText(font, "Text", TPoint{3, 4}, Wide).Ink, RenderText(DejaVu(), "Text", TPoint{3, 4}, Wide).Ink);
  font.Name = "No Such Family At All";
  EXPECT_EQ(TextExtent(font, "Text"), TextExtent(DejaVu(), "Text"));
}

TEST(FontRenderer, WidthIsTheSumOfAdvancesWithKerning) {
  const TFontSpec font = DejaVu();
  const int h = TextExtent(font, "H").X;
  const int i = TextExtent(font, "I").X;
  EXPECT_GT(h, 0);
  EXPECT_GT(i, 0);
  EXPECT_EQ(TextExtent(font, "HI").X, h + i);  // no kerning between straight stems
  EXPECT_EQ(TextExtent(font, "HIHI").X, 2 * (h + i));
  // The face kerns T and o together.
  EXPECT_LT(TextExtent(font, "To").X, TextExtent(font, "T").X + TextExtent(font, "o").X);
  // The second letter's ink starts where the first one's advance ends.
  const TTextRun hi = RenderText(font, "HI", TPoint{0, 0}, Wide);
  const TTextRun iAlone = RenderText(font, "I", TPoint{h, 0}, Wide);
  TCoverage second = hi.Ink;
  second.Subtract(RenderText(font, "H", TPoint{0, 0}, Wide).Ink);
  EXPECT_EQ(second, iAlone.Ink);
}

TEST(FontRenderer, AnEmptyTextHasNoWidthButAFullHeight) {
  const TTextRun run = RenderText(DejaVu(), "", TPoint{5, 5}, Wide);
  EXPECT_EQ(run.Width, 0);
  EXPECT_EQ(run.Height, 13);
  EXPECT_TRUE(run.Ink.Empty());
  TFontSpec lined = DejaVu();
  lined.Underline = lined.StrikeOut = true;
  EXPECT_TRUE(RenderText(lined, "", TPoint{5, 5}, Wide).Ink.Empty());
  EXPECT_EQ(TextExtent(DejaVu(), ""), (TPoint{0, 13}));
}

TEST(FontRenderer, InkIsDeterministicMovesWithTheOriginAndIsCutAtTheClip) {
  const TFontSpec font = DejaVu();
  const TTextRun atOrigin = RenderText(font, "Logo", TPoint{0, 0}, Wide);
  RenderText(DejaVu(16), "Logo", TPoint{0, 0}, Wide);  // another size in between
  EXPECT_EQ(RenderText(font, "Logo", TPoint{0, 0}, Wide).Ink, atOrigin.Ink);
  const TTextRun moved = RenderText(font, "Logo", TPoint{7, -3}, Wide);
  TCoverage shifted(Wide);
  atOrigin.Ink.ForEachSpan([&](int y, int x1, int x2) { shifted.AddSpan(y - 3, x1 + 7, x2 + 7); });
  EXPECT_EQ(moved.Ink, shifted);
  EXPECT_EQ(moved.Width, atOrigin.Width);

  // A clip through the middle of the text keeps exactly the pixels inside it.
  const TRect clip = Rect(0, 0, atOrigin.Width / 2, 6);
  const TTextRun cut = RenderText(font, "Logo", TPoint{0, 0}, clip);
  TCoverage expected(clip);
  expected.AddSpans(atOrigin.Ink.Spans());
  EXPECT_EQ(cut.Ink, expected);
  EXPECT_FALSE(cut.Ink.Empty());
  EXPECT_EQ(cut.Width, atOrigin.Width);  // the cell is the text's, whatever the clip
  EXPECT_TRUE(RenderText(font, "Logo", TPoint{-200, 0}, clip).Ink.Empty());
}

TEST(FontRenderer, SizeFollowsPointsAndPixelsPerInch) {
  TFontSpec doubled = DejaVu(8);
  doubled.PixelsPerInch = 192;
  const TTextRun big = RenderText(DejaVu(16), "Hg", TPoint{0, 0}, Wide);
  EXPECT_EQ(RenderText(doubled, "Hg", TPoint{0, 0}, Wide).Ink, big.Ink);
  const int capital = RenderText(DejaVu(16), "H", TPoint{0, 0}, Wide).Ink.Bounds().Height();
  EXPECT_GE(capital, 15);  // 0.73 em of 21.3 pixels
  EXPECT_LE(capital, 16);
  EXPECT_GT(big.Height, 2 * 13 - 3);
  // A negative size counts by its value; 0 is the default 8 points.
  EXPECT_EQ(TextExtent(DejaVu(-16), "Hg"), TextExtent(DejaVu(16), "Hg"));
  EXPECT_EQ(TextExtent(DejaVu(0), "Hg"), TextExtent(DejaVu(8), "Hg"));
  // A silly size is bounded instead of asking for enormous glyphs.
  EXPECT_LE(TextExtent(DejaVu(1000000), "W").Y, 4096);
}

TEST(FontRenderer, StylesChangeTheInk) {
  TFontSpec bold = DejaVu();
  bold.Bold = true;
  TFontSpec italic = DejaVu();
  italic.Italic = true;
  const TTextRun plain = RenderText(DejaVu(), "Hello", TPoint{0, 0}, Wide);
  const TTextRun heavy = RenderText(bold, "Hello", TPoint{0, 0}, Wide);
  const TTextRun slanted = RenderText(italic, "Hello", TPoint{0, 0}, Wide);
  EXPECT_GT(heavy.Ink.PixelCount(), plain.Ink.PixelCount() * 5 / 4);
  EXPECT_GE(heavy.Width, plain.Width);
  EXPECT_NE(slanted.Ink, plain.Ink);
  EXPECT_EQ(slanted.Height, plain.Height);
}

// Underline and strike-out are full rows across the cell, below and above
// the baseline, inside the cell.
TEST(FontRenderer, UnderlineAndStrikeOutCrossTheWholeCell) {
  TFontSpec font = DejaVu();
  const TTextRun plain = RenderText(font, "ab", TPoint{0, 0}, Wide);
  for (bool underline : {true, false}) {
    font.Underline = underline;
    font.StrikeOut = !underline;
    TCoverage lines = RenderText(font, "ab", TPoint{0, 0}, Wide).Ink;
    lines.Subtract(plain.Ink);
    const TRect rows = lines.Bounds();
    ASSERT_FALSE(lines.Empty());
    EXPECT_EQ(rows.Left, 0);
    EXPECT_EQ(rows.Right, plain.Width);
    if (underline) {
      EXPECT_GE(rows.Top, 10);  // below the baseline
      EXPECT_LE(rows.Bottom, plain.Height);
    } else {
      EXPECT_LE(rows.Bottom, 10);
      EXPECT_GE(rows.Top, 10 - 8);  // within the capitals' height
    }
    TCoverage full(Wide);
    for (int y = rows.Top; y < rows.Bottom; ++y) full.AddSpan(y, 0, plain.Width);
    TCoverage drawn = RenderText(font, "ab", TPoint{0, 0}, Wide).Ink;
    EXPECT_EQ(Intersection(drawn, full), full);
  }
}

TEST(FontRenderer, TextIsUtf8AndBrokenBytesShowTheReplacementCharacter) {
  const TFontSpec font = DejaVu();
  const int replacement = TextExtent(font, "\xEF\xBF\xBD").X;  // U+FFFD
  EXPECT_GT(replacement, 0);
  EXPECT_EQ(TextExtent(font, "\xFF").X, replacement);
  EXPECT_EQ(TextExtent(font, "\xC0\xAF").X, 2 * replacement);      // an overlong '/'
  EXPECT_EQ(TextExtent(font, "\xED\xA0\x80").X, 3 * replacement);  // a surrogate
  EXPECT_EQ(TextExtent(font, "A\xE2\x82").X, TextExtent(font, "A").X + 2 * replacement);  // cut short
  // A two-byte letter is one glyph: e with acute as wide as a plain e.
  EXPECT_EQ(TextExtent(font, "\xC3\xA9").X, TextExtent(font, "e").X);
  EXPECT_NE(RenderText(font, "\xC3\xA9", TPoint{0, 0}, Wide).Ink, RenderText(font, "e", TPoint{0, 0}, Wide).Ink);
}

// Without any font at all the renderer says so. Run in a child process that
// starts afresh, with a fontconfig setup that knows no fonts.
TEST(FontRendererDeathTest, NoFontAtAllRaisesAClearMessage) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const auto config = std::filesystem::temp_directory_path() / "korvane-no-fonts.conf";
  std::ofstream(config) << "<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n";
  EXPECT_EXIT(
      {
        setenv("FONTCONFIG_FILE", config.c_str(), 1);
        try {
          TextExtent(TFontSpec{}, "x");
        } catch (const Exception& e) {
          std::fprintf(stderr, "%s\n", e.Message().c_str());
          std::exit(3);
        }
        std::exit(0);
      },
      testing::ExitedWithCode(3), "Cannot find a font for MS Sans Serif");
  std::filesystem::remove(config);
}

}  // namespace
