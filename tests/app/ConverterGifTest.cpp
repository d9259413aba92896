// The GIF road of the Converter window: Open shows the GIF, composes the BMX
// strip of frames 0 to 3, white exactly where a frame is pure white, and
// shows its bands in the four frame slots (the frames' own pictures when
// taken as stored); Save writes the strip's exact 1-bit bytes; a GIF of
// fewer than four frames stops at the first one missing.
#include <QAbstractButton>

#include "AppTesting.h"
#include "BmpBuilder.h"
#include "GifRenderHelpers.h"
#include "OptionNames.h"

namespace {

// White, two colours one step away from it, and black.
const std::vector<std::uint32_t> NearWhites{0xFFFFFF, 0xFEFFFF, 0xFFFFFE, 0x000000};

// Frame k of the test animations: a pattern that differs per frame over the
// colours above (a frame with a local table lists them the other way round).
TTestFrame PatternFrame(int k, int left, int top, int width, int height, bool local = false) {
  TTestFrame frame{left, top, width, height, {}, {}};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) frame.Indices.push_back(static_cast<std::uint8_t>((x * 5 + y * 3 + k) % 4));
  if (local) frame.Local = {NearWhites[3], NearWhites[2], NearWhites[1], NearWhites[0]};
  return frame;
}

std::uint32_t ColourAt(const TTestFrame& frame, int x, int y) {
  const std::vector<std::uint32_t>& table = frame.Local.empty() ? NearWhites : frame.Local;
  return table[frame.Indices[static_cast<std::size_t>(y * frame.Width + x)]];
}

std::vector<TColor> ColoursOf(const TTestFrame& frame) {
  std::vector<TColor> colours;
  for (int y = 0; y < frame.Height; ++y)
    for (int x = 0; x < frame.Width; ++x) colours.push_back(ColorOf(ColourAt(frame, x, y)));
  return colours;
}

// What the strip must show: frame k at the top-left of band k, white where
// its colour is exactly white and elsewhere in the band, black otherwise.
std::vector<TColor> ExpectedStrip(int width, int height, const std::vector<TTestFrame>& frames) {
  std::vector<TColor> strip(static_cast<std::size_t>(width * height * 4), clWhite);
  for (std::size_t k = 0; k < frames.size() && k < 4; ++k)
    for (int y = 0; y < frames[k].Height; ++y)
      for (int x = 0; x < frames[k].Width; ++x)
        if (ColourAt(frames[k], x, y) != 0xFFFFFF)
          strip[static_cast<std::size_t>((static_cast<int>(k) * height + y) * width + x)] = clBlack;
  return strip;
}

// The 1-bit BMP of a black-and-white picture, built field by field.
std::vector<std::uint8_t> MonoBmpOf(int width, int height, const std::vector<TColor>& pixels) {
  const int rowBytes = (width + 31) / 32 * 4;
  std::vector<std::uint8_t> rows;
  for (int y = height - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(static_cast<std::size_t>(rowBytes), 0);
    for (int x = 0; x < width; ++x)
      if (pixels[static_cast<std::size_t>(y * width + x)] == clWhite) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    rows.insert(rows.end(), row.begin(), row.end());
  }
  return TBmpBuilder()
      .FileHeader()
      .InfoHeader({.Width = width, .Height = height, .BitCount = 1,
                   .SizeImage = static_cast<std::uint32_t>(rows.size()), .ClrUsed = 2})
      .Colors({clBlack, clWhite})
      .Pixels(rows)
      .Build();
}

}  // namespace

class ConverterGif : public TAppTest {
protected:
  std::string WriteGif(const std::string& name, int width, int height, const std::vector<TTestFrame>& frames) {
    const std::string fileName = Temp.File(name);
    WriteWholeFile(fileName, GifWith(width, height, NearWhites, frames));
    return fileName;
  }
  std::string Info() {
    Trigger(Converter, "Drei1");
    return Dialogs.TakeMessage().Text;
  }
  // The slots after an Open as the animation shows the frames: band k of the strip.
  void ExpectSlotsShowTheBands(int width, int height, const std::vector<TColor>& strip) {
    for (int k = 0; k < 4; ++k) {
      const auto band = strip.begin() + static_cast<std::ptrdiff_t>(k) * width * height;
      EXPECT_EQ(PixelsOf(Converter.Image(k + 2).Picture()), std::vector<TColor>(band, band + width * height))
          << "slot " << k + 1;
    }
  }
  // The slots with the frames as stored, or before a failure: the frames' own pictures.
  void ExpectSlots(const std::vector<TTestFrame>& frames, int filled) {
    for (int k = 0; k < 4; ++k) {
      const TPicture& slot = Converter.Image(k + 2).Picture();
      if (k < filled)
        EXPECT_EQ(PixelsOf(slot), ColoursOf(frames[static_cast<std::size_t>(k)])) << "slot " << k + 1;
      else
        EXPECT_EQ(slot.Graphic(), nullptr) << "slot " << k + 1;
    }
  }
};

TEST_F(ConverterGif, FourFramesGiveTheSlotsAndAStripWhiteExactlyWhereTheFramesAreWhiteWhichSaveWrites) {
  const std::vector<TTestFrame> frames{PatternFrame(0, 0, 0, 16, 16), PatternFrame(1, 0, 0, 16, 16, true),
                                       PatternFrame(2, 0, 0, 16, 16), PatternFrame(3, 0, 0, 16, 16)};
  const std::string fileName = WriteGif("anim.gif", 16, 16, frames);
  OpenInConverter(fileName);
  EXPECT_TRUE(Dialogs.Messages.empty());
  const auto* input = dynamic_cast<const TGIFImage*>(Converter.Image(1).Picture().Graphic());
  ASSERT_NE(input, nullptr);
  EXPECT_NE(input->DrawFlags() & DrawOption::PaintDirect, 0) << "the opened GIF paints straight onto its view";
  for (int number = 2; number <= 5; ++number) EXPECT_EQ(Converter.Image(number).Width(), 16);
  const TPicture& output = Converter.Image(6).Picture();
  ASSERT_EQ(output.Width(), 16);
  ASSERT_EQ(output.Height(), 64);
  const std::vector<TColor> strip = ExpectedStrip(16, 16, frames);
  EXPECT_EQ(PixelsOf(output), strip);
  ExpectSlotsShowTheBands(16, 16, strip);
  EXPECT_TRUE(Enabled(Converter, "Button2"));
  EXPECT_FALSE(Enabled(Converter, "Button3"));
  EXPECT_EQ(Info(), "File Information\rFilename: " + fileName +
                        "\rImage Width  :16\rImage Height :16\rImage Frames :4\rImage Typ    :GIF File");

  Dialogs.SaveAnswers.push_back(Temp.File("anim.bmx"));
  Click(Converter, "Button2");
  ASSERT_EQ(Dialogs.SaveRequests.size(), 1u);
  EXPECT_EQ(Dialogs.SaveRequests[0].FilterIndex, 1);
  EXPECT_EQ(Dialogs.SaveRequests[0].DefaultExt, ".bmx");
  EXPECT_EQ(Dialogs.SaveRequests[0].FileName, Temp.File("anim"));
  const std::vector<std::uint8_t> saved = ReadWholeFile(Temp.File("anim.bmx"));
  EXPECT_EQ(saved.size(), 318u);
  EXPECT_EQ(saved, MonoBmpOf(16, 64, strip));

  // Size Orig shows the GIF document again.
  Trigger(Converter, "SizeOrig1");
  EXPECT_NE(dynamic_cast<const TGIFImage*>(Converter.Image(1).Picture().Graphic()), nullptr);
}

TEST_F(ConverterGif, FramesSmallerThanTheScreenTakenAsStoredLieAtTheTopLeftOfTheirBandsOnWhite) {
  // Three images away from the screen's corner, then a comment of its own: a
  // frame without an image, whose slot stays empty and whose band stays white.
  Converter.Document().StripChoices.AsStored = true;
  const std::vector<TTestFrame> frames{PatternFrame(0, 5, 3, 8, 4), PatternFrame(1, 12, 6, 7, 4, true),
                                       PatternFrame(2, 1, 1, 19, 9)};
  TBytes bytes = GifWith(20, 10, NearWhites, frames);
  bytes.pop_back();  // the trailer
  const TBytes comment = TGifBuilder().Comment({"last"}).Trailer().Bytes();
  bytes.insert(bytes.end(), comment.begin(), comment.end());
  WriteWholeFile(Temp.File("small.gif"), bytes);
  OpenInConverter(Temp.File("small.gif"));
  EXPECT_TRUE(Dialogs.Messages.empty());
  ExpectSlots(frames, 3);
  EXPECT_EQ(Converter.Image(5).Width(), 20);
  EXPECT_EQ(Converter.Image(5).Height(), 10);
  EXPECT_EQ(PixelsOf(Converter.Image(6).Picture()), ExpectedStrip(20, 10, frames));
  EXPECT_NE(Info().find("Image Frames :4\r"), std::string::npos);
}

TEST_F(ConverterGif, FrameCountsOtherThanFourUseTheFirstFourOrStopAtTheFirstMissing) {
  struct TCase {
    int Frames;
    std::string Message;  // as shown; empty when the Open succeeds
  };
  const std::string hint =
      "\rThe strip needs four frames: choose \"Repeat their frames\" for short GIFs under Strip options to use this GIF.";
  const TCase cases[] = {{1, "List index out of bounds (1)" + hint}, {3, "List index out of bounds (3)" + hint}, {10, ""}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.Frames) + " frames");
    OpenInConverter(WriteColorBmp(Temp, "before.bmp", 8, 12));
    std::vector<TTestFrame> frames;
    for (int k = 0; k < c.Frames; ++k) frames.push_back(PatternFrame(k, 0, 0, 6, 5));
    const std::string fileName = WriteGif("frames" + std::to_string(c.Frames) + ".gif", 6, 5, frames);
    OpenInConverter(fileName);
    EXPECT_NE(dynamic_cast<const TGIFImage*>(Converter.Image(1).Picture().Graphic()), nullptr);
    if (c.Message.empty()) {
      EXPECT_TRUE(Dialogs.Messages.empty());
      EXPECT_EQ(PixelsOf(Converter.Image(6).Picture()), ExpectedStrip(6, 5, frames));
      ExpectSlotsShowTheBands(6, 5, ExpectedStrip(6, 5, frames));
      EXPECT_EQ(Info(), "File Information\rFilename: " + fileName +
                            "\rImage Width  :6\rImage Height :5\rImage Frames :10\rImage Typ    :GIF File"
                            "\rStrip        :frames 1 to 4 of 10");
      continue;
    }
    ExpectSlots(frames, c.Frames);
    const TShownMessage shown = Dialogs.TakeMessage();
    EXPECT_EQ(shown.Kind, TMessageKind::mkError);
    EXPECT_EQ(shown.Text, c.Message);
    EXPECT_EQ(Converter.Image(6).Picture().Graphic(), nullptr);
    EXPECT_FALSE(Enabled(Converter, "Button2"));
    EXPECT_FALSE(Enabled(Converter, "Button3"));
    // Size, count and kind are still the bitmap's.
    EXPECT_EQ(Info(), "File Information\rFilename: " + fileName +
                          "\rImage Width  :8\rImage Height :12\rImage Frames :0\rImage Typ    :BMX Anim oder BMP File");
  }
}

TEST_F(ConverterGif, AFileThatIsNoGifShowsTheCodecsMessageWithEveryViewCleared) {
  OpenInConverter(WriteColorBmp(Temp, "before.bmp", 8, 12));
  const std::string fileName = Temp.File("bitmap.gif");
  WriteWholeFile(fileName, ReadWholeFile(Temp.File("before.bmp")));
  OpenInConverter(fileName);
  EXPECT_EQ(Dialogs.TakeMessage().Text, "Invalid GIF signature.");
  for (int number = 1; number <= 6; ++number) EXPECT_EQ(Converter.Image(number).Picture().Graphic(), nullptr);
  EXPECT_FALSE(Enabled(Converter, "Button2"));
  EXPECT_FALSE(Enabled(Converter, "Button3"));
}

// The window and korvane-cli give the same strip for the same choices: an
// optimised GIF (small transparent frames at offsets) as the animation shows
// it, and a colour GIF scaled to a phone size and dithered.
TEST_F(ConverterGif, SaveWritesTheBytesThatKorvaneCliWritesWithTheSameChoices) {
  const std::string data = std::string(KORVANE_TEST_DATA_DIR) + "/strip/";
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {"ball-optimised.gif", {}},
      {"ball-optimised.gif", {"--frames", "spread", "--short", "repeat", "--invert"}},
      {"colour-72x32.gif", {"--size", "screensaver", "--fit", "fill", "--mono", "floyd"}},
      {"colour-72x32.gif", {"--as-stored", "--size", "ems16", "--fit", "stretch", "--mono", "threshold=100"}},
  };
  int run = 0;
  for (const auto& [gif, options] : cases) {
    SCOPED_TRACE(gif + " " + (options.empty() ? "defaults" : options[0]));
    const std::string window = Temp.File("window" + std::to_string(run) + ".bmx");
    const std::string cli = Temp.File("cli" + std::to_string(run++) + ".bmx");
    StripOptions& choices = Converter.Document().StripChoices;
    choices = StripOptions{};
    for (std::size_t i = 0; i < options.size(); ++i) {
      const TOptionField<StripOptions>* field = FindStripOption(options[i].substr(2));
      field->Parse(field->Switch ? "on" : options[++i], choices);
    }
    OpenInConverter(data + gif);
    ASSERT_TRUE(Dialogs.Messages.empty()) << Dialogs.TakeMessage().Text;
    Dialogs.SaveAnswers.push_back(window);
    Click(Converter, "Button2");

    std::string command = std::string("'") + KORVANE_CLI + "' gif2bmx";
    for (const std::string& word : options) command += " '" + word + "'";
    command += " '" + data + gif + "' '" + cli + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(ReadWholeFile(window), ReadWholeFile(cli));
    const TBitmap* strip = Converter.Document().StripBitmap.get();
    ASSERT_NE(strip, nullptr);
    if (choices.AsStored) continue;
    for (int k = 0; k < 4; ++k)
      EXPECT_EQ(PixelsOf(Converter.Image(k + 2).Picture()), BitmapColors(CutStripFrame(*strip, k, strip->Height() / 4)))
          << "slot " << k + 1 << " shows band " << k;
  }
}
