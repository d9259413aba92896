// The 1-bit files of other phones in the windows: the Converter's Open cuts a
// strip in any of them into the four frame slots, Save writes the strip in
// the format its name names, each frame slot saves its frame, and the Logo
// editor loads and saves its picture in them.
#include <QTest>

#include "AppTesting.h"
#include "GifBuilder.h"
#include "PictureFileTesting.h"

namespace {

// Band k (0 to 3) of 9 x 3, black at pixel (k, 0) and (8, 2) only.
Pattern Band(int k) {
  Pattern band{".........", ".........", "........#"};
  band[0][static_cast<std::size_t>(k)] = '#';
  return band;
}

Pattern StripPattern() {
  Pattern rows;
  for (int k = 0; k < 4; ++k) {
    const Pattern band = Band(k);
    rows.insert(rows.end(), band.begin(), band.end());
  }
  return rows;
}

// Four frames of 9 x 3 whose pictures are the bands, shown for 10, 20, 30 and 40 hundredths.
TBytes BandsGif() {
  TGifBuilder gif;
  gif.Header(9, 3, 0x80).ColorTable({0x000000, 0xFFFFFF});
  for (int k = 0; k < 4; ++k) {
    TBytes pixels;
    for (const std::string& row : Band(k))
      for (const char c : row) pixels.push_back(c == '#' ? 0 : 1);
    gif.GraphicControl(0, static_cast<std::uint16_t>(10 * (k + 1)), 0).Image(9, 3, pixels, 2);
  }
  return gif.Trailer().Bytes();
}

Pattern ReadPattern(TPictureFileFormat format, const std::string& fileName) {
  TBitmap bitmap;
  ReadPictureFile(bitmap, format, fileName);
  return PatternOf(bitmap);
}

std::string TextOf(const std::string& fileName) {
  const std::vector<std::uint8_t> bytes = ReadWholeFile(fileName);
  return {bytes.begin(), bytes.end()};
}

struct FormatCase {
  std::string Extension;
  TPictureFileFormat Format;
};

const FormatCase PictureFormats[] = {
    {".wbmp", TPictureFileFormat::Wbmp}, {".otb", TPictureFileFormat::Otb}, {".nol", TPictureFileFormat::Nol},
    {".ngg", TPictureFileFormat::Ngg},   {".xbm", TPictureFileFormat::Xbm}, {".pbm", TPictureFileFormat::Pbm},
};

}  // namespace

class OtherFormats : public TAppTest {
protected:
  Pattern SlotPattern(int k) { return PatternOf(Converter.Image(k + 2).Picture().Bitmap()); }
};

TEST_F(OtherFormats, OpenOfAStripInEachFormatFillsTheFourSlots) {
  for (const FormatCase& row : PictureFormats) {
    SCOPED_TRACE(row.Extension);
    const std::string file = Temp.File("strip" + row.Extension);
    WritePictureFile(BitmapOf(StripPattern()), row.Format, file);
    OpenInConverter(file);
    EXPECT_TRUE(Dialogs.Messages.empty());
    for (int k = 0; k < 4; ++k) EXPECT_EQ(SlotPattern(k), Band(k)) << "slot " << k + 1;
    EXPECT_TRUE(Enabled(Converter, "Button3"));
    EXPECT_NE(Dialogs.OpenRequests.back().Filter.find("*" + row.Extension), std::string::npos);
  }
  // A broken file says which format it is not.
  WriteWholeFile(Temp.File("cut.wbmp"), {0, 0, 9, 12, 0xFF});
  OpenInConverter(Temp.File("cut.wbmp"));
  EXPECT_EQ(Dialogs.TakeMessage().Text, "WBMP image is not valid.");
  EXPECT_FALSE(Enabled(Converter, "Button3"));
}

TEST_F(OtherFormats, SaveWritesTheStripInTheFormatItsNameNames) {
  WriteWholeFile(Temp.File("anim.gif"), BandsGif());
  OpenInConverter(Temp.File("anim.gif"));
  ASSERT_TRUE(Enabled(Converter, "Button2"));
  for (const FormatCase& row : PictureFormats) {
    SCOPED_TRACE(row.Extension);
    const std::string file = Temp.File("out" + row.Extension);
    Dialogs.SaveAnswers.push_back(file);
    Click(Converter, "Button2");
    EXPECT_TRUE(Dialogs.Messages.empty());
    EXPECT_EQ(ReadPattern(row.Format, file), StripPattern());
    EXPECT_NE(Dialogs.SaveRequests.back().Filter.find("|*" + row.Extension), std::string::npos);
  }
  // A C array holds the four frames with the delays of the GIF's frames.
  Dialogs.SaveAnswers.push_back(Temp.File("anim.h"));
  Click(Converter, "Button2");
  const std::string header = TextOf(Temp.File("anim.h"));
  EXPECT_NE(header.find("#define ANIM_FRAME_COUNT 4\n"), std::string::npos) << header;
  EXPECT_NE(header.find("{10, 20, 30, 40}"), std::string::npos) << header;
  EXPECT_NE(header.find("anim_frame_2[ANIM_FRAME_BYTES] = {\n  0x20, 0x00, 0x00, 0x00, 0x00, 0x80\n"), std::string::npos)
      << header;
}

TEST_F(OtherFormats, TheAnimationIsSavedOnlyAsAGif) {
  WritePictureFile(BitmapOf(StripPattern()), TPictureFileFormat::Pbm, Temp.File("strip.pbm"));
  OpenInConverter(Temp.File("strip.pbm"));
  Click(Converter, "Button3");
  Dialogs.SaveAnswers.push_back(Temp.File("anim.wbmp"));
  Click(Converter, "Button2");
  EXPECT_EQ(Dialogs.TakeMessage().Text, "The animation can only be saved as a GIF, not as WBMP.");
  EXPECT_FALSE(std::filesystem::exists(Temp.File("anim.wbmp")));
  EXPECT_EQ(Dialogs.SaveRequests.back().Filter, "BMX Anim|*.bmx|GIF Anim|*.gif");
}

TEST_F(OtherFormats, EachFrameSlotSavesItsFrame) {
  WritePictureFile(BitmapOf(StripPattern()), TPictureFileFormat::Xbm, Temp.File("strip.xbm"));
  OpenInConverter(Temp.File("strip.xbm"));
  for (const FormatCase& row : PictureFormats) {
    for (int k = 1; k <= 4; ++k) {
      SCOPED_TRACE(row.Extension + " frame " + std::to_string(k));
      const std::string file = Temp.File("frame" + std::to_string(k) + row.Extension);
      Dialogs.SaveAnswers.push_back(file);
      Trigger(Converter, ("SaveFrame" + std::to_string(k)).c_str());
      EXPECT_TRUE(Dialogs.Messages.empty());
      EXPECT_EQ(ReadPattern(row.Format, file), Band(k - 1));
    }
  }
  EXPECT_EQ(Dialogs.SaveRequests.back().FileName, Temp.File("strip-4"));
  EXPECT_EQ(Dialogs.SaveRequests.back().Filter.substr(0, 13), "Bitmap|*.bmp|");
  Dialogs.SaveAnswers.push_back(Temp.File("frame.bmp"));
  Trigger(Converter, "SaveFrame3");
  TBitmap bmp;
  bmp.LoadFromFile(Temp.File("frame.bmp"));
  EXPECT_EQ(PatternOf(bmp), Band(2));
}

TEST_F(OtherFormats, TheEditorLoadsAndSavesItsPictureInEachFormat) {
  ShowEditor();
  const Pattern logo{"##..#", ".#.#.", "#...#"};
  for (const FormatCase& row : PictureFormats) {
    SCOPED_TRACE(row.Extension);
    const std::string source = Temp.File("source" + row.Extension);
    WritePictureFile(BitmapOf(logo), row.Format, source);
    Dialogs.OpenAnswers.push_back(source);
    Trigger(Editor, "LoadFromFile1");
    const Pattern shown = PatternOf(EditorView().Picture().Bitmap());
    ASSERT_GE(shown.size(), 3u);
    for (std::size_t y = 0; y < 3; ++y) EXPECT_EQ(shown[y].substr(0, 5), logo[y]) << "row " << y;
    const std::string saved = Temp.File("logo" + row.Extension);
    Dialogs.SaveAnswers.push_back(saved);
    Click(Editor, "Button7");
    EXPECT_TRUE(Dialogs.Messages.empty());
    EXPECT_EQ(ReadPattern(row.Format, saved), shown);
    EXPECT_FALSE(std::filesystem::exists(saved + ".bmp"));
  }
  EXPECT_NE(Dialogs.OpenRequests.back().Filter.find("Logo (*.bmp)|*.bmp|Phone pictures|"), std::string::npos);
  // A file that fails leaves the picture as it was.
  const Pattern before = PatternOf(EditorView().Picture().Bitmap());
  WriteWholeFile(Temp.File("cut.xbm"), TextBytes("#define a_width 5\n"));
  Dialogs.OpenAnswers.push_back(Temp.File("cut.xbm"));
  Trigger(Editor, "LoadFromFile1");
  EXPECT_EQ(Dialogs.TakeMessage().Text, "XBM image is not valid.");
  EXPECT_EQ(PatternOf(EditorView().Picture().Bitmap()), before);
}
