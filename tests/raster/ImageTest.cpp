// TImage: the view's canvas rule, where and how large the picture is shown,
// and the screen surface that shows it.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "Bitmap.h"
#include "Canvas.h"
#include "Image.h"
#include "SurfaceMessages.h"

namespace {

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

TBitmap Sized(int width, int height) {
  TBitmap bitmap;
  bitmap.SetSize(width, height);
  return bitmap;
}

TEST(ImageCanvas, EmptyViewGetsAWhiteFullColourBitmapOfItsOwnSize) {
  TImage image(145, 121);
  TCanvas& canvas = image.Canvas();
  auto* bitmap = dynamic_cast<TBitmap*>(image.Picture().Graphic());
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->Width(), 145);
  EXPECT_EQ(bitmap->Height(), 121);
  EXPECT_FALSE(bitmap->Monochrome());
  EXPECT_EQ(bitmap->PixelFormat(), TPixelFormat::pfDevice);
  for (int y = 0; y < 121; ++y)
    for (int x = 0; x < 145; ++x) ASSERT_EQ(canvas.PixelColor(x, y), clWhite);
  EXPECT_EQ(&image.Canvas(), &canvas);
}

TEST(ImageCanvas, HeldBitmapGivesItsOwnCanvasAtItsOwnSize) {
  TImage image(305, 193);
  TBitmap bitmap;
  bitmap.SetMonochrome(true);
  bitmap.SetSize(101, 64);
  image.Picture().Assign(&bitmap);
  TCanvas& canvas = image.Canvas();
  EXPECT_EQ(&canvas, &static_cast<TBitmap*>(image.Picture().Graphic())->Canvas());
  EXPECT_EQ(canvas.ClipRect(), (TRect{0, 0, 101, 64}));
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
      {145, 121, 16, 16, true, true, {0, 0, 121, 121}},
      {305, 193, 101, 64, true, true, {0, 0, 305, 193}},
      {145, 121, 200, 50, false, true, {0, 0, 145, 36}},
      {145, 121, 16, 16, false, true, {0, 0, 16, 16}},     // fits: own size
      {145, 121, 200, 50, false, false, {0, 0, 200, 50}},  // own size, cut off by the view
      {145, 121, 16, 16, true, false, {0, 0, 145, 121}},
      {100, 30, 40, 80, false, true, {0, 0, 15, 30}},      // taller than wide
      {20, 100, 40, 80, true, true, {0, 0, 20, 40}},       // too wide at full height
      {145, 121, 0, 16, true, true, {0, 0, 145, 121}},     // no aspect to keep
  };
  for (const auto& c : cases) {
    TImage image(c.ViewWidth, c.ViewHeight);
    image.SetStretch(c.Stretch);
    image.SetProportional(c.Proportional);
    TBitmap bitmap = Sized(c.Width, c.Height);
    image.Picture().Assign(&bitmap);
    EXPECT_EQ(image.DestRect(), c.Expected) << c.Width << "x" << c.Height << " in " << c.ViewWidth << "x" << c.ViewHeight;
  }
}

TEST(ImageSurface, ShowsThePictureScaledAndTheViewColourAround) {
  TImage image(40, 30);
  image.SetStretch(true);
  image.SetProportional(true);
  TBitmap picture;
  picture.SetMonochrome(true);
  picture.SetSize(4, 2);
  picture.Canvas().SetPixelColor(1, 0, clBlack);
  image.Picture().Assign(&picture);
  const TBitmap& surface = image.Surface();
  ASSERT_EQ(surface.Width(), 40);
  ASSERT_EQ(surface.Height(), 30);
  EXPECT_EQ(surface.PixelFormat(), TPixelFormat::pfDevice);
  EXPECT_FALSE(surface.Monochrome());
  const TColor face = ColorToRGB(clBtnFace);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) {
      const TColor expected = y >= 20 ? face : (x / 10 == 1 && y < 10) ? clBlack : clWhite;
      ASSERT_EQ(surface.Image().GetPixel(x, y), expected) << x << "," << y;
    }
}

TEST(ImageSurface, DrawingOnTheViewsCanvasReachesTheSurface) {
  TImage image(8, 8);
  std::vector<TRect> reports;
  image.OnInvalidate = [&](const TRect& r) { reports.push_back(r); };
  image.Canvas().SetPixelColor(3, 4, clBlue);
  ASSERT_FALSE(reports.empty());
  EXPECT_EQ(reports.back(), (TRect{0, 0, 8, 8}));
  EXPECT_EQ(image.Surface().Image().GetPixel(3, 4), clBlue);

  // Painting answers a report without raising another.
  reports.clear();
  image.Surface();
  EXPECT_TRUE(reports.empty());
  image.Canvas().Pen.Color = clRed;
  image.Canvas().MoveTo(0, 0);
  image.Canvas().LineTo(8, 0);
  EXPECT_FALSE(reports.empty());
  EXPECT_EQ(image.Surface().Image().GetPixel(7, 0), clRed);
}

TEST(ImageSurface, PaintersOnTheSurfaceAreReportedAndRepaintsDrawTheGraphic) {
  TImage image(6, 6);
  const TOtherGraphic other;
  image.Picture().Assign(&other);
  auto* held = static_cast<TOtherGraphic*>(image.Picture().Graphic());
  EXPECT_EQ(image.Surface().Image().GetPixel(0, 0), clRed);
  EXPECT_EQ(held->Draws, 1);
  image.Surface();
  EXPECT_EQ(held->Draws, 1);  // nothing changed: no repaint

  int reports = 0;
  image.OnInvalidate = [&](const TRect&) { ++reports; };
  image.SurfaceCanvas().SetPixelColor(5, 5, clLime);  // as a painter would
  EXPECT_EQ(reports, 1);
  EXPECT_EQ(image.Surface().Image().GetPixel(5, 5), clLime);
  EXPECT_EQ(held->Draws, 1);

  image.SetSize(10, 3);
  EXPECT_EQ(image.Surface().Width(), 10);
  EXPECT_EQ(image.Surface().Height(), 3);
  EXPECT_EQ(held->Draws, 2);
  image.Picture().Assign(nullptr);
  EXPECT_EQ(image.Surface().Image().GetPixel(0, 0), ColorToRGB(clBtnFace));
}

TEST(ImageSurface, ReplacingThePictureGivesANewCanvasAtTheDefaults) {
  TImage image(10, 10);
  image.Canvas().Brush.Style = TBrushStyle::bsClear;
  std::weak_ptr<const void> token = image.Canvas().LivenessToken();
  TBitmap bitmap = Sized(10, 10);
  image.Picture().Assign(&bitmap);
  EXPECT_TRUE(token.expired());
  EXPECT_EQ(image.Canvas().Brush.Style, TBrushStyle::bsSolid);
}

}  // namespace
