// TPicture: owned copies, taking the held graphic as a bitmap, saving, and
// the notifications its view relies on.
#include <gtest/gtest.h>

#include <filesystem>

#include "Picture.h"
#include "SurfaceTesting.h"
#include "TestFiles.h"

namespace {

// A graphic that is no bitmap (as a GIF document is not), counting how many
// of its kind are alive.
class TOtherGraphic : public TGraphic {
public:
  static inline int Alive = 0;
  TOtherGraphic() { ++Alive; }
  TOtherGraphic(const TOtherGraphic& other) : TGraphic(other) { ++Alive; }
  ~TOtherGraphic() override { --Alive; }
  int Width() const override { return 7; }
  int Height() const override { return 3; }
  bool Empty() const override { return false; }
  void Draw(TCanvas&, const TRect&) override {}
  std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TOtherGraphic>(*this); }
  void LoadFromStream(TStream&) override {}
  void SaveToStream(TStream&) override {}
  void Touch() { Changed(); }
};

TEST(PictureHolder, HoldsIndependentCopiesOfWhatIsAssigned) {
  TPicture picture;
  TBitmap bitmap;
  bitmap.SetSize(5, 4);
  picture.Assign(&bitmap);
  auto* held = dynamic_cast<TBitmap*>(picture.Graphic());
  ASSERT_NE(held, nullptr);
  EXPECT_EQ(picture.Width(), 5);
  bitmap.Canvas().SetPixelColor(0, 0, clBlack);
  held->Canvas().SetPixelColor(1, 0, clBlack);
  EXPECT_EQ(held->Canvas().PixelColor(0, 0), clWhite);
  EXPECT_EQ(bitmap.Canvas().PixelColor(1, 0), clWhite);
  picture.Assign(picture.Graphic());  // itself: kept
  EXPECT_EQ(static_cast<TBitmap*>(picture.Graphic())->Canvas().PixelColor(1, 0), clBlack);

  const TOtherGraphic other;
  picture.Assign(&other);
  EXPECT_EQ(TOtherGraphic::Alive, 2);
  picture.Assign(nullptr);
  EXPECT_EQ(picture.Graphic(), nullptr);
  EXPECT_EQ(picture.Height(), 0);
  EXPECT_EQ(TOtherGraphic::Alive, 1);
}

TEST(PictureHolder, TakingTheBitmapReplacesAnythingElseWithAnEmptyBitmap) {
  TPicture picture;
  const TOtherGraphic other;
  picture.Assign(&other);
  TBitmap& replaced = picture.Bitmap();
  EXPECT_TRUE(replaced.Empty());
  EXPECT_EQ(picture.Graphic(), &replaced);
  EXPECT_EQ(TOtherGraphic::Alive, 1);
  replaced.SetSize(3, 3);
  EXPECT_EQ(&picture.Bitmap(), &replaced);
  EXPECT_EQ(picture.Width(), 3);
}

TEST(PictureHolder, OwnerHearsOfChangesAndOfTheOldGraphicBeforeItGoes) {
  TPicture picture;
  int changes = 0;
  std::vector<int> aliveWhenReleased;
  picture.OnChange = [&] { ++changes; };
  picture.OnReleasing = [&](TGraphic& old) {
    EXPECT_EQ(old.Width(), 7);  // still whole
    aliveWhenReleased.push_back(TOtherGraphic::Alive);
  };
  TOtherGraphic other;
  other.OnChange = [&](TGraphic&) { ADD_FAILURE() << "a copy reported to the original's watcher"; };
  static_cast<TOtherGraphic&>(*other.Clone()).Touch();  // copies start unwatched
  picture.Assign(&other);
  static_cast<TOtherGraphic*>(picture.Graphic())->Touch();
  other.OnChange = nullptr;
  other.Touch();  // the original is not watched by the picture
  EXPECT_EQ(changes, 2);
  picture.Assign(&other);  // the original, the old copy and the new one
  picture.Bitmap();        // the original and the copy held until now
  picture.Bitmap();        // a bitmap is kept
  picture.Bitmap().SetSize(1, 1);
  EXPECT_EQ(aliveWhenReleased, (std::vector<int>{3, 2}));
  EXPECT_EQ(changes, 5);
}

TEST(PictureHolder, SavingWritesTheHeldGraphicAndNoFileWhenEmpty) {
  TTempDir dir;
  TPicture picture;
  picture.SaveToFile(dir.File("none.bmx"));
  EXPECT_FALSE(std::filesystem::exists(dir.File("none.bmx")));
  picture.Bitmap().SetMonochrome(true);
  picture.Bitmap().SetSize(16, 64);
  picture.SaveToFile(dir.File("strip.bmx"));
  EXPECT_EQ(ReadWholeFile(dir.File("strip.bmx")).size(), 318u);
}

}  // namespace
