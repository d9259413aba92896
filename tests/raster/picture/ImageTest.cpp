// TImage: the view's canvas rule, where and how large the picture is shown,
// and the screen surface that shows it.
#include <gtest/gtest.h>

#include "Image.h"
#include "SurfaceMessages.h"
#include "SurfaceTesting.h"

namespace {

// A graphic that is no bitmap: it marks its top-left corner red when drawn.
class TOtherGraphic : public TGraphic {
public:
  int Width() const override { return 4; }
  int Height() const override { return 4; }
  bool Empty() const override { return false; }
  void Draw(TCanvas& canvas, const TRect& rect) override {
    ++Draws;
    canvas.SetPixelColor(rect.Left, rect.Top, clRed);
  }
  std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TOtherGraphic>(); }
  void LoadFromStream(TStream&) override {}
  void SaveToStream(TStream&) override {}
  int Draws = 0;
};

TEST(ImageCanvas, EmptyViewGetsAWhiteFullColourBitmapOfItsSizeAndABitmapGivesItsOwn) {
  TImage image(145, 121);
  TCanvas& canvas = image.Canvas();
  auto* bitmap = dynamic_cast<TBitmap*>(image.Picture().Graphic());
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(&bitmap->Canvas(), &canvas);
  EXPECT_EQ(bitmap->PixelFormat(), TPixelFormat::pfDevice);
  EXPECT_FALSE(bitmap->Monochrome());
  EXPECT_EQ(Pixels(*bitmap), std::vector<TColor>(145 * 121, clWhite));

  TBitmap logo;
  logo.SetSize(101, 64);
  image.Picture().Assign(&logo);
  EXPECT_EQ(image.Canvas().ClipRect(), (TRect{0, 0, 101, 64}));
}

TEST(ImageCanvas, AnyOtherGraphicIsRefusedAndKept) {
  TImage image(20, 20);
  const TOtherGraphic other;
  image.Picture().Assign(&other);
  const TGraphic* held = image.Picture().Graphic();
  try {
    image.Canvas();
    FAIL() << "a canvas was given";
  } catch (const EInvalidGraphicOperation& e) {
    EXPECT_EQ(e.Message(), "Can only modify an image if it contains a bitmap");
  }
  EXPECT_EQ(image.Picture().Graphic(), held);
}

TEST(ImageDestRect, StretchAndProportionalPlaceThePicture) {
  const struct {
    int ViewWidth, ViewHeight, Width, Height;
    bool Stretch, Proportional;
    TRect Expected;
  } cases[] = {
      {145, 121, 16, 16, true, true, {0, 0, 121, 121}},    {305, 193, 101, 64, true, true, {0, 0, 305, 193}},
      {145, 121, 200, 50, false, true, {0, 0, 145, 36}},   {145, 121, 16, 16, false, true, {0, 0, 16, 16}},
      {145, 121, 200, 50, false, false, {0, 0, 200, 50}},  {145, 121, 16, 16, true, false, {0, 0, 145, 121}},
      {100, 30, 40, 80, false, true, {0, 0, 15, 30}},      {20, 100, 40, 80, true, true, {0, 0, 20, 40}},
      {145, 121, 0, 16, true, true, {0, 0, 145, 121}},     {305, 193, 101, 46, true, true, {0, 0, 305, 138}},
  };
  for (const auto& c : cases) {
    TImage image(c.ViewWidth, c.ViewHeight);
    image.SetStretch(c.Stretch);
    image.SetProportional(c.Proportional);
    TBitmap bitmap;
    bitmap.SetSize(c.Width, c.Height);
    image.Picture().Assign(&bitmap);
    EXPECT_EQ(image.DestRect(), c.Expected) << c.Width << "x" << c.Height << " in " << c.ViewWidth << "x" << c.ViewHeight;
  }
}

TEST(ImageSurface, ShowsThePictureScaledWithTheViewColourAroundAndFollowsItsCanvas) {
  TImage image(40, 30);
  image.SetStretch(true);
  image.SetProportional(true);
  int reports = 0;
  image.OnInvalidate = [&](const TRect& area) {
    EXPECT_EQ(area, (TRect{0, 0, 40, 30}));
    ++reports;
  };
  TBitmap picture;
  picture.SetMonochrome(true);
  picture.SetSize(4, 2);
  image.Picture().Assign(&picture);
  image.Canvas().SetPixelColor(1, 0, clBlack);
  EXPECT_GT(reports, 0);
  TBitmap& surface = const_cast<TBitmap&>(image.Surface());
  EXPECT_EQ(surface.PixelFormat(), TPixelFormat::pfDevice);
  EXPECT_FALSE(surface.Monochrome());
  std::vector<TColor> expected(40 * 30, ColorToRGB(clBtnFace));
  for (int i = 0; i < 40 * 20; ++i) expected[std::size_t(i)] = (i % 40 / 10 == 1 && i < 400) ? clBlack : clWhite;
  EXPECT_EQ(Pixels(surface), expected);
  reports = 0;
  image.Invalidate();
  image.Surface();  // painting answers a report without raising another
  EXPECT_EQ(reports, 1);
  static_cast<TBitmap*>(image.Picture().Graphic())->ScanLine(1)[0] = 0x00;  // rows written in place show too
  EXPECT_EQ(reports, 2);
  EXPECT_EQ(image.Surface().Image().GetPixel(39, 19), clBlack);
}

TEST(ImageSurface, PaintersAreReportedAndRepaintsHappenOnlyAfterChanges) {
  TImage image(6, 6);
  const TOtherGraphic other;
  image.Picture().Assign(&other);
  const auto* held = static_cast<TOtherGraphic*>(image.Picture().Graphic());
  EXPECT_EQ(image.Surface().Image().GetPixel(0, 0), clRed);
  image.Surface();
  EXPECT_EQ(held->Draws, 1);
  int reports = 0;
  image.OnInvalidate = [&](const TRect&) { ++reports; };
  image.SurfaceCanvas().SetPixelColor(5, 5, clLime);  // as a painter would
  EXPECT_EQ(reports, 1);
  EXPECT_EQ(image.Surface().Image().GetPixel(5, 5), clLime);
  EXPECT_EQ(held->Draws, 1);
  image.SetSize(10, 3);
  EXPECT_EQ(image.Surface().Width(), 10);
  EXPECT_EQ(held->Draws, 2);
  image.Picture().Assign(nullptr);
  EXPECT_EQ(image.Surface().Image().GetPixel(0, 0), ColorToRGB(clBtnFace));
}

TEST(ImageSurface, ANewPictureBringsANewCanvasAtTheDefaults) {
  TImage image(10, 10);
  image.Canvas().Brush.Style = TBrushStyle::bsClear;
  const std::weak_ptr<const void> token = image.Canvas().LivenessToken();
  TBitmap bitmap;
  bitmap.SetSize(10, 10);
  image.Picture().Assign(&bitmap);
  EXPECT_TRUE(token.expired());
  EXPECT_EQ(image.Canvas().Brush.Style, TBrushStyle::bsSolid);
}

}  // namespace
