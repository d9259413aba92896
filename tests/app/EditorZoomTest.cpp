// "Big Size" in the Logo editor: checking or unchecking it shows the picture
// being edited at the zoom of its size at once, the picture kept; strokes
// land under the pointer and the grid lines fall between the picture's
// pixels at either zoom; Undo and Redo bring pictures back at the zoom that
// is chosen when they come back.
#include <QAbstractButton>
#include <QImage>

#include "AppTesting.h"
#include "ImageView.h"

namespace {

struct TZoomCase {
  const char* Radio;
  int Width, Height;
  int BigZoom;
};

const TZoomCase ZoomCases[] = {
    {"RadioButton2", 101, 64, 3},
    {"RadioButton1", 101, 46, 3},
    {"RadioButton3", 16, 16, 8},
    {"RadioButton4", 72, 32, 4},
};

constexpr int NormalZoom = 2;
const QRgb White = qRgb(255, 255, 255);

}  // namespace

class EditorZoom : public TAppTest {
protected:
  void SetUp() override {
    ShowEditor();
    Click(Editor, "SpeedButton9");  // the pencil: one pixel under the pointer
  }
  void NewPicture(const TZoomCase& size, bool big) {
    Click(Editor, size.Radio);
    SetBig(big);
    Click(Editor, "Button2");
  }
  void SetBig(bool big) {
    if (Control<QAbstractButton>(Editor, "CheckBox1")->isChecked() != big) Click(Editor, "CheckBox1");
  }
  // A pencil dot with the pointer on the last view pixel of picture pixel
  // (x, y) at zoom: with any other divisor it lands elsewhere.
  void DotAt(int x, int y, int zoom) { Stroke({QPoint(x * zoom + zoom - 1, y * zoom + zoom - 1)}); }
  void ExpectShownAt(int width, int height, int zoom) {
    EXPECT_EQ(EditorView().Width(), width * zoom);
    EXPECT_EQ(EditorView().Height(), height * zoom);
    EXPECT_EQ(Control<TImageView>(Editor, "Image1")->size(), QSize(width * zoom, height * zoom));
    EXPECT_EQ(EditorView().DestRect(), (TRect{0, 0, width * zoom, height * zoom}));
    MovePointer(QPoint(width * zoom - 1, height * zoom - 1));
    EXPECT_EQ(Label("Label2"), std::to_string(width - 1));
    EXPECT_EQ(Label("Label4"), std::to_string(height - 1));
  }
  // The columns of the view's first pixel row, up to x = last, where the
  // screen shows something other than the white picture.
  std::vector<int> LinedColumns(int last, int row) {
    const QImage shown = Control<TImageView>(Editor, "Image1")->grab().toImage();
    std::vector<int> lined;
    for (int x = 0; x <= last; ++x)
      if (shown.pixel(x, row) != White) lined.push_back(x);
    return lined;
  }
};

TEST_F(EditorZoom, BigSizeShowsTheSamePictureAtTheNewZoomAndStrokesLandUnderThePointer) {
  for (const TZoomCase& size : ZoomCases) {
    SCOPED_TRACE(size.Radio);
    NewPicture(size, false);
    DotAt(1, 2, NormalZoom);
    const std::vector<TColor> drawn = PixelsOf(EditorView().Picture());

    SetBig(true);
    ExpectShownAt(size.Width, size.Height, size.BigZoom);
    EXPECT_EQ(PixelsOf(EditorView().Picture()), drawn) << "the picture is kept";
    DotAt(size.Width - 1, size.Height - 1, size.BigZoom);
    DotAt(3, 0, size.BigZoom);

    SetBig(false);
    ExpectShownAt(size.Width, size.Height, NormalZoom);
    DotAt(0, size.Height - 1, NormalZoom);
    EXPECT_EQ(BlackPixels(EditorView().Picture()),
              (std::vector<TPoint>{{3, 0}, {1, 2}, {0, size.Height - 1}, {size.Width - 1, size.Height - 1}}));
  }
}

TEST_F(EditorZoom, GridLinesFallBetweenThePixelsAtTheZoomShown) {
  Trigger(Editor, "Grid1");
  for (const TZoomCase& size : ZoomCases) {
    SCOPED_TRACE(size.Radio);
    NewPicture(size, false);
    EXPECT_EQ(LinedColumns(3 * size.BigZoom, 1), std::vector<int>{}) << "twice as large is too dense for lines";
    SetBig(true);
    const std::vector<int> everyZoom{size.BigZoom, 2 * size.BigZoom, 3 * size.BigZoom};
    EXPECT_EQ(LinedColumns(3 * size.BigZoom, 1), everyZoom);
    EXPECT_EQ(LinedColumns(3 * size.BigZoom, size.BigZoom).size(), static_cast<std::size_t>(3 * size.BigZoom + 1))
        << "a horizontal line across the row";
    SetBig(false);
    EXPECT_EQ(LinedColumns(3 * size.BigZoom, 1), std::vector<int>{});
  }
}

TEST_F(EditorZoom, UndoAndRedoShowPicturesAtTheZoomChosenNow) {
  const TZoomCase& screenSaver = ZoomCases[0];
  const TZoomCase& ems16 = ZoomCases[2];
  Trigger(Editor, "Grid1");
  NewPicture(screenSaver, false);
  DotAt(5, 5, NormalZoom);
  const std::vector<TColor> dotted = PixelsOf(EditorView().Picture());
  SetBig(true);
  Trigger(Editor, "Undo1");
  EXPECT_TRUE(BlackPixels(EditorView().Picture()).empty());
  ExpectShownAt(screenSaver.Width, screenSaver.Height, screenSaver.BigZoom);
  EXPECT_EQ(LinedColumns(9, 1), (std::vector<int>{3, 6, 9}));
  Trigger(Editor, "Redo1");
  EXPECT_EQ(PixelsOf(EditorView().Picture()), dotted);
  ExpectShownAt(screenSaver.Width, screenSaver.Height, screenSaver.BigZoom);

  NewPicture(ems16, true);
  ExpectShownAt(ems16.Width, ems16.Height, ems16.BigZoom);
  SetBig(false);
  Trigger(Editor, "Undo1");  // the 101 x 64 picture before New
  EXPECT_EQ(PixelsOf(EditorView().Picture()), dotted);
  ExpectShownAt(screenSaver.Width, screenSaver.Height, NormalZoom);
  EXPECT_EQ(LinedColumns(9, 1), std::vector<int>{});
  SetBig(true);
  Trigger(Editor, "Redo1");
  EXPECT_TRUE(BlackPixels(EditorView().Picture()).empty());
  ExpectShownAt(ems16.Width, ems16.Height, ems16.BigZoom);
  EXPECT_EQ(LinedColumns(24, 1), (std::vector<int>{8, 16, 24}));
}
