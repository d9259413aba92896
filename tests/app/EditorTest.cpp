// The Logo editor on its own: New with the four sizes and "Big Size", the
// picture it starts with, the pointer protocol with its rubber band, the six
// tools with pen and brush choices, the flips and shifts, and the tooltips.
// Strokes are real pointer events at view coordinates; the checks read the
// picture's pixels.
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include "AppTesting.h"
#include "Bitmap.h"
#include "Canvas.h"
#include "ImageView.h"

namespace {

std::vector<TPoint> BoxOutline(int left, int top, int right, int bottom) {
  std::vector<TPoint> outline;
  for (int y = top; y <= bottom; ++y)
    for (int x = left; x <= right; ++x)
      if (x == left || x == right || y == top || y == bottom) outline.push_back(TPoint{x, y});
  return outline;
}

}  // namespace

class EditorDrawing : public TAppTest {
protected:
  void SetUp() override { ShowEditor(); }
  void New() { Click(Editor, "Button2"); }
  const TPicture& Picture() { return EditorView().Picture(); }
  void Choose(const char* comboBox, int index) { Control<QComboBox>(Editor, comboBox)->setCurrentIndex(index); }
  void ExpectPointerAt(QPoint view, const char* x, const char* y) {
    MovePointer(view);
    EXPECT_EQ(Label("Label2"), x);
    EXPECT_EQ(Label("Label4"), y);
  }
  void ExpectViewSize(int width, int height) {
    EXPECT_EQ(EditorView().Width(), width);
    EXPECT_EQ(EditorView().Height(), height);
    EXPECT_EQ(Control<TImageView>(Editor, "Image1")->size(), QSize(width, height));
  }
};

TEST_F(EditorDrawing, NewMakesAWhiteMonochromeScreenSaverPictureShownAtTwiceItsSize) {
  EXPECT_FALSE(Converter.isEnabled());
  New();
  const auto* bitmap = dynamic_cast<const TBitmap*>(Picture().Graphic());
  ASSERT_NE(bitmap, nullptr);
  EXPECT_TRUE(bitmap->Monochrome());
  EXPECT_EQ(bitmap->Width(), 101);
  EXPECT_EQ(bitmap->Height(), 64);
  EXPECT_TRUE(BlackPixels(Picture()).empty());
  ExpectViewSize(202, 128);
  ExpectPointerAt(QPoint(201, 127), "100", "63");
}

TEST_F(EditorDrawing, BigSizeShowsThePictureAtItsZoomAtOnceAndNewKeepsThatZoom) {
  New();
  Click(Editor, "CheckBox1");  // three times as large at once
  ExpectViewSize(303, 192);
  ExpectPointerAt(QPoint(302, 191), "100", "63");
  Click(Editor, "RadioButton3");
  New();  // 16*16 EMS, big
  ExpectViewSize(128, 128);
  ExpectPointerAt(QPoint(127, 127), "15", "15");
  Click(Editor, "RadioButton2");
  New();  // Screen Saver, big
  ExpectViewSize(303, 192);
  ExpectPointerAt(QPoint(302, 191), "100", "63");
  Click(Editor, "CheckBox1");  // twice as large at once
  ExpectViewSize(202, 128);
  ExpectPointerAt(QPoint(201, 127), "100", "63");
  New();
  ExpectViewSize(202, 128);
  ExpectPointerAt(QPoint(201, 127), "100", "63");
  Click(Editor, "RadioButton4");
  New();
  ExpectViewSize(144, 64);
  Click(Editor, "RadioButton1");
  New();
  ExpectViewSize(202, 92);
  EXPECT_EQ(Picture().Height(), 46);
}

TEST_F(EditorDrawing, RubberBandFollowsThePointerAndOnlyTheFinalLineRemains) {
  New();
  PressPointer(QPoint(20, 20));
  MovePointer(QPoint(40, 20));
  EXPECT_EQ(BlackPixels(Picture()).size(), 10u);  // the band from (10, 10) to (20, 10)
  MovePointer(QPoint(20, 40));
  std::vector<TPoint> vertical;
  for (int y = 10; y < 20; ++y) vertical.push_back(TPoint{10, y});
  EXPECT_EQ(BlackPixels(Picture()), vertical);
  MovePointer(QPoint(50, 10));
  MovePointer(QPoint(41, 21));
  ReleasePointer(QPoint(41, 21));
  std::vector<TPoint> line;
  for (int x = 10; x < 20; ++x) line.push_back(TPoint{x, 10});  // the end point is not drawn
  EXPECT_EQ(BlackPixels(Picture()), line);
}

TEST_F(EditorDrawing, PointerOutsideTheViewMapsTowardZero) {
  New();
  PressPointer(QPoint(10, 10));
  MovePointer(QPoint(-1, -1));
  EXPECT_EQ(Label("Label2"), "0");
  EXPECT_EQ(Label("Label4"), "0");
  ReleasePointer(QPoint(-1, -1));
  // From (5, 5) to (0, 0), whose end point is not drawn: -1 / 2 is 0, not -1.
  EXPECT_EQ(BlackPixels(Picture()), (std::vector<TPoint>{{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}}));
}

TEST_F(EditorDrawing, BoxesAreOutlinesAfterNewAndFilledOnlyWithTheFillButton) {
  New();
  Click(Editor, "SpeedButton3");
  Choose("ComboBox3", 0);  // a brush colour alone fills nothing
  Stroke({QPoint(10, 10), QPoint(30, 24)});
  EXPECT_EQ(BlackPixels(Picture()), BoxOutline(5, 5, 14, 11));

  Click(Editor, "SpeedButton8");
  Stroke({QPoint(40, 40), QPoint(80, 60), QPoint(60, 50)});
  for (int y = 20; y < 25; ++y)
    for (int x = 20; x < 30; ++x) ASSERT_EQ(PixelOf(Picture(), x, y), clBlack) << x << "," << y;
  EXPECT_EQ(BlackPixels(Picture()).size(), BoxOutline(5, 5, 14, 11).size() + 50);

  New();  // the fill ends with the picture
  Click(Editor, "SpeedButton2");
  Stroke({QPoint(0, 0), QPoint(80, 40)});
  EXPECT_EQ(PixelOf(Picture(), 20, 10), clWhite);
  EXPECT_EQ(PixelOf(Picture(), 20, 0), clBlack);
  EXPECT_EQ(PixelOf(Picture(), 0, 0), clWhite);
}

TEST_F(EditorDrawing, RoundedCornersAreHalfTheBoxWhicheverWayItIsDrawn) {
  New();
  Click(Editor, "SpeedButton4");
  Stroke({QPoint(0, 0), QPoint(80, 40)});
  const std::vector<TColor> forwards = PixelsOf(Picture());
  EXPECT_EQ(PixelOf(Picture(), 0, 0), clWhite);
  EXPECT_EQ(PixelOf(Picture(), 20, 0), clBlack);
  EXPECT_EQ(PixelOf(Picture(), 2, 1), clWhite);  // a corner of half the box's height is well rounded
  New();
  Stroke({QPoint(80, 40), QPoint(0, 0)});
  EXPECT_EQ(PixelsOf(Picture()), forwards);
}

TEST_F(EditorDrawing, PencilDrawsInTheColourOfThePenColourBox) {
  Choose("ComboBox2", 1);  // clWhite; New below puts the canvas's pen back to black
  New();
  Click(Editor, "SpeedButton8");
  Click(Editor, "SpeedButton3");
  Stroke({QPoint(0, 0), QPoint(60, 40)});  // a black block of 30 x 20
  Click(Editor, "SpeedButton9");
  Stroke({QPoint(10, 10), QPoint(20, 10), QPoint(30, 10)});
  std::vector<TPoint> white;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 30; ++x)
      if (PixelOf(Picture(), x, y) == clWhite) white.push_back(TPoint{x, y});
  std::vector<TPoint> joined;
  for (int x = 5; x <= 15; ++x) joined.push_back(TPoint{x, 5});
  EXPECT_EQ(white, joined);
}

TEST_F(EditorDrawing, FastPencilStrokeLeavesAConnectedOnePixelPath) {
  Click(Editor, "SpeedButton9");
  Stroke({QPoint(4, 4), QPoint(80, 60)});  // press, one move, release: (2, 2) to (40, 30)
  // One pixel in each column from 2 to 40, each a neighbour of the one before.
  std::vector<TPoint> path = BlackPixels(Picture());
  std::sort(path.begin(), path.end(), [](TPoint a, TPoint b) { return a.X < b.X; });
  ASSERT_EQ(path.size(), 39u);
  for (std::size_t k = 0; k < path.size(); ++k) EXPECT_EQ(path[k].X, 2 + static_cast<int>(k));
  for (std::size_t k = 1; k < path.size(); ++k) EXPECT_LE(std::abs(path[k].Y - path[k - 1].Y), 1) << path[k].X;
  EXPECT_EQ(path.front().Y, 2);
  EXPECT_EQ(path.back().Y, 30);
}

// Before any New: the picture the editor started with is drawn on, at the
// zoom of its view.
TEST_F(EditorDrawing, FirstStrokeOfAFreshEditorLandsUnderThePointer) {
  Stroke({QPoint(20, 20), QPoint(41, 21)});
  std::vector<TPoint> line;
  for (int x = 10; x < 20; ++x) line.push_back(TPoint{x, 10});
  EXPECT_EQ(BlackPixels(Picture()), line);
  EXPECT_EQ(Picture().Width(), 101);
  EXPECT_EQ(Picture().Height(), 64);
  ExpectViewSize(202, 128);
}

TEST_F(EditorDrawing, ControlsWithoutACaptionSayWhatTheyDo) {
  QList<QWidget*> uncaptioned;
  for (QToolButton* button : Editor.findChildren<QToolButton*>()) uncaptioned << button;
  for (QComboBox* box : Editor.findChildren<QComboBox*>()) uncaptioned << box;
  for (const char* arrow : {"Button10", "Button11", "Button12", "Button13"}) uncaptioned << Control(Editor, arrow);
  EXPECT_EQ(uncaptioned.size(), 11 + 4 + 4);
  for (QWidget* control : uncaptioned) EXPECT_FALSE(control->toolTip().isEmpty()) << control->objectName().toStdString();
}

TEST_F(EditorDrawing, TextToolWritesTheEditBoxTextAtTheStartPointWithoutBackground) {
  New();
  Click(Editor, "SpeedButton11");
  Control<QLineEdit>(Editor, "Edit1")->setText(QStringLiteral("Logo"));
  Stroke({QPoint(20, 20), QPoint(60, 50), QPoint(80, 60)});

  TBitmap expected;
  expected.SetMonochrome(true);
  expected.SetSize(101, 64);
  expected.Canvas().Brush.Style = TBrushStyle::bsClear;
  expected.Canvas().TextOut(10, 10, "Logo");
  TImage reference(101, 64);
  reference.Picture().Assign(&expected);
  EXPECT_FALSE(BlackPixels(reference.Picture()).empty());
  EXPECT_EQ(BlackPixels(Picture()), BlackPixels(reference.Picture()));
}

class EditorTransforms : public EditorDrawing {
protected:
  void Dot(int x, int y) { Stroke({QPoint(2 * x, 2 * y)}); }  // the pencil at a picture pixel
  void SetUp() override {
    EditorDrawing::SetUp();
    New();
    Click(Editor, "SpeedButton9");
  }
};

TEST_F(EditorTransforms, FlipsMirrorThePicture) {
  Dot(0, 0);
  Click(Editor, "Button8");
  EXPECT_EQ(BlackPixels(Picture()), (std::vector<TPoint>{{100, 0}}));
  Click(Editor, "Button9");
  EXPECT_EQ(BlackPixels(Picture()), (std::vector<TPoint>{{100, 63}}));
  Click(Editor, "Button8");
  EXPECT_EQ(BlackPixels(Picture()), (std::vector<TPoint>{{0, 63}}));
  const auto* bitmap = dynamic_cast<const TBitmap*>(Picture().Graphic());
  ASSERT_NE(bitmap, nullptr);
  EXPECT_TRUE(bitmap->Monochrome());
}

TEST_F(EditorTransforms, ShiftsMoveByTheStepAndLoseWhatPassesAnEdge) {
  Dot(0, 0);
  Dot(99, 5);
  Dot(100, 6);
  Choose("ComboBox4", 2);  // "3  pixel"
  Click(Editor, "Button10");  // >
  EXPECT_EQ(BlackPixels(Picture()), (std::vector<TPoint>{{3, 0}}));
  Click(Editor, "Button13");  // down
  EXPECT_EQ(BlackPixels(Picture()), (std::vector<TPoint>{{3, 3}}));
  Click(Editor, "Button11");  // <
  EXPECT_EQ(BlackPixels(Picture()), (std::vector<TPoint>{{0, 3}}));
  Click(Editor, "Button12");  // up
  EXPECT_EQ(BlackPixels(Picture()), (std::vector<TPoint>{{0, 0}}));
  Click(Editor, "Button12");
  EXPECT_TRUE(BlackPixels(Picture()).empty());
}

TEST_F(EditorTransforms, TransformedPictureStartsWithTheDefaultPenWhateverTheControlsShow) {
  Click(Editor, "SpeedButton1");
  Choose("ComboBox1", 4);  // "5 Pixel"
  const auto blackRowsIn = [this](int left, int right) {
    std::vector<int> rows;
    for (const TPoint& p : BlackPixels(Picture()))
      if (p.X >= left && p.X < right && std::find(rows.begin(), rows.end(), p.Y) == rows.end()) rows.push_back(p.Y);
    return rows;
  };
  Stroke({QPoint(20, 60), QPoint(40, 60)});
  EXPECT_EQ(blackRowsIn(10, 20).size(), 5u);
  Click(Editor, "Button9");  // two flips: the same pixels on a new canvas
  Click(Editor, "Button9");
  EXPECT_EQ(blackRowsIn(10, 20).size(), 5u);
  Stroke({QPoint(60, 40), QPoint(80, 40)});
  EXPECT_EQ(blackRowsIn(30, 40), std::vector<int>{20});
}
