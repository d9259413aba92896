// TPicture: owned copies of assigned graphics, taking the held graphic as a
// bitmap, saving, and the notifications its view relies on.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "Bitmap.h"
#include "Canvas.h"
#include "Picture.h"
#include "TestFiles.h"

namespace {

// A graphic that is no bitmap (as a GIF document is not), counting how many
// of its kind are alive.
class TOtherGraphic : public TGraphic {
public:
  static inline int Alive = 0;
  TOtherGraphic() { ++Alive; }
  TOtherGraphic(const TOtherGraphic&) : TGraphic() { ++Alive; }
  ~TOtherGraphic() override { --Alive; }
  int Width() const override { return 7; }
  int Height() const override { return 3; }
  bool Empty() const override { return false; }
  void Draw(TCanvas&, const TRect&) override {}
  std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TOtherGraphic>(*this); }
  void LoadFromStream(TStream&) override {}
  void SaveToStream(TStream&) override {}
};

TEST(PictureHolder, AssignKeepsAnIndependentCopyOfTheSameClass) {
  TPicture picture;
  TBitmap bitmap;
  bitmap.SetSize(5, 4);
  picture.Assign(&bitmap);
  auto* held = dynamic_cast<TBitmap*>(picture.Graphic());
  ASSERT_NE(held, nullptr);
  EXPECT_NE(held, &bitmap);
  EXPECT_EQ(picture.Width(), 5);
  EXPECT_EQ(picture.Height(), 4);
  bitmap.Canvas().SetPixelColor(0, 0, clBlack);
  EXPECT_EQ(held->Canvas().PixelColor(0, 0), clWhite);
  held->Canvas().SetPixelColor(1, 0, clBlack);
  EXPECT_EQ(bitmap.Canvas().PixelColor(1, 0), clWhite);

  const TOtherGraphic other;
  picture.Assign(&other);
  EXPECT_NE(dynamic_cast<TOtherGraphic*>(picture.Graphic()), nullptr);
  EXPECT_EQ(TOtherGraphic::Alive, 2);
  picture.Assign(nullptr);
  EXPECT_EQ(picture.Graphic(), nullptr);
  EXPECT_EQ(picture.Width(), 0);
  EXPECT_EQ(picture.Height(), 0);
  EXPECT_EQ(TOtherGraphic::Alive, 1);
}

TEST(PictureHolder, AssigningTheHeldGraphicToItselfKeepsIt) {
  TPicture picture;
  TBitmap bitmap;
  bitmap.SetSize(2, 2);
  bitmap.Canvas().SetPixelColor(1, 1, clRed);
  picture.Assign(&bitmap);
  picture.Assign(picture.Graphic());
  auto* held = dynamic_cast<TBitmap*>(picture.Graphic());
  ASSERT_NE(held, nullptr);
  EXPECT_EQ(held->Canvas().PixelColor(1, 1), clRed);
}

TEST(PictureHolder, TakingTheBitmapReplacesAnythingElseWithAnEmptyBitmap) {
  TPicture picture;
  TBitmap& fromNothing = picture.Bitmap();
  EXPECT_TRUE(fromNothing.Empty());
  EXPECT_EQ(picture.Graphic(), &fromNothing);

  const TOtherGraphic other;
  picture.Assign(&other);
  TBitmap& replaced = picture.Bitmap();
  EXPECT_TRUE(replaced.Empty());
  EXPECT_EQ(picture.Graphic(), &replaced);
  EXPECT_EQ(TOtherGraphic::Alive, 1);

  // A held bitmap is returned itself, and changes to it are the picture's.
  replaced.SetSize(3, 3);
  EXPECT_EQ(&picture.Bitmap(), &replaced);
  EXPECT_EQ(picture.Width(), 3);
}

TEST(PictureHolder, OwnerHearsOfReplacementsAndOfChangesToTheHeldGraphic) {
  TPicture picture;
  int changes = 0;
  picture.OnChange = [&] { ++changes; };
  TBitmap bitmap;
  bitmap.SetSize(3, 3);
  picture.Assign(&bitmap);
  EXPECT_EQ(changes, 1);
  auto* held = static_cast<TBitmap*>(picture.Graphic());
  held->Canvas().SetPixelColor(0, 0, clBlack);
  held->SetWidth(4);
  EXPECT_EQ(changes, 3);
  bitmap.Canvas().SetPixelColor(0, 0, clBlack);  // the original is not watched
  EXPECT_EQ(changes, 3);
  picture.Assign(nullptr);
  EXPECT_EQ(changes, 4);
}

TEST(PictureHolder, OldGraphicIsAnnouncedWhileStillWholeBeforeItIsReleased) {
  TPicture picture;
  const TOtherGraphic other;
  picture.Assign(&other);
  const TGraphic* first = picture.Graphic();
  std::vector<const TGraphic*> released;
  std::vector<int> alive;
  picture.OnReleasing = [&](TGraphic& old) {
    released.push_back(&old);
    alive.push_back(TOtherGraphic::Alive);
    EXPECT_EQ(old.Width(), 7);  // still whole
  };
  picture.Assign(&other);  // the original, the old copy and the new copy
  ASSERT_EQ(released.size(), 1u);
  EXPECT_EQ(released[0], first);
  picture.Bitmap();  // the original and the copy held until now
  picture.Bitmap();  // a bitmap is kept: nothing released
  EXPECT_EQ(alive, (std::vector<int>{3, 2}));
  EXPECT_EQ(TOtherGraphic::Alive, 1);
}

TEST(PictureHolder, SavingWritesTheHeldGraphicAndNothingWhenEmpty) {
  TTempDir dir;
  TPicture picture;
  picture.SaveToFile(dir.File("none.bmx"));
  EXPECT_FALSE(std::filesystem::exists(dir.File("none.bmx")));

  TBitmap& bitmap = picture.Bitmap();
  bitmap.SetMonochrome(true);
  bitmap.SetSize(16, 64);
  picture.SaveToFile(dir.File("strip.bmx"));
  EXPECT_EQ(ReadWholeFile(dir.File("strip.bmx")).size(), 318u);
}

}  // namespace
