// The Logo editor's pixel grid: thin lines between the picture's pixels on
// the screen from a zoom divisor of 3, never in the picture, a saved logo or
// a frame slot, and remembered for the next run.
#include <QAction>
#include <QImage>

#include "AppTesting.h"
#include "FileStream.h"
#include "ImageView.h"

class EditorGrid : public TAppTest {
protected:
  // What the user sees of the view.
  QImage Screen() { return Control<TImageView>(Editor, "Image1")->grab().toImage(); }
  std::vector<std::uint8_t> SavedLogo(const std::string& name) {
    Dialogs.SaveAnswers.push_back(Temp.File(name));
    Click(Editor, "Button7");
    return ReadWholeFile(Temp.File(name + ".bmp"));
  }
  bool GridChecked() { return Control<QAction>(Editor, "Grid1")->isChecked(); }
};

TEST_F(EditorGrid, ShowsFromDivisorThreeOnTheScreenOnly) {
  ShowEditor();
  Click(Editor, "CheckBox1");
  Click(Editor, "Button2");  // 101 x 64 shown three times as large
  Click(Editor, "SpeedButton3");
  Stroke({QPoint(0, 0), QPoint(30, 30)});  // a box from (0, 0) to (9, 9)
  const std::vector<std::uint8_t> withoutGrid = SavedLogo("plain");
  Click(Editor, "Button3");
  const std::vector<TColor> slotWithoutGrid = PixelsOf(Converter.Image(2).Picture());
  const std::vector<TColor> pixels = PixelsOf(EditorView().Picture());
  EXPECT_FALSE(GridChecked());
  EXPECT_EQ(Screen().pixel(3, 10), qRgb(255, 255, 255));

  Trigger(Editor, "Grid1");
  const QRgb grey = Screen().pixel(3, 10);
  EXPECT_NE(grey, qRgb(255, 255, 255));
  EXPECT_EQ(Screen().pixel(10, 3), grey);   // a row between cells
  EXPECT_EQ(Screen().pixel(4, 10), qRgb(255, 255, 255));  // inside a cell
  EXPECT_EQ(Screen().pixel(4, 1), qRgb(0, 0, 0));
  EXPECT_NE(Screen().pixel(3, 1), qRgb(0, 0, 0));  // over black pixels too
  EXPECT_EQ(SavedLogo("grid"), withoutGrid);
  Click(Editor, "Button3");
  EXPECT_EQ(PixelsOf(Converter.Image(2).Picture()), slotWithoutGrid);
  EXPECT_EQ(PixelsOf(EditorView().Picture()), pixels);

  Click(Editor, "CheckBox1");  // divisor 2: too dense for lines
  EXPECT_EQ(Screen().pixel(3, 10), qRgb(255, 255, 255));
  Click(Editor, "CheckBox1");  // divisor 4, the view still three times as large
  EXPECT_EQ(Screen().pixel(4, 10), grey);
  EXPECT_EQ(Screen().pixel(3, 10), qRgb(255, 255, 255));
}

TEST_F(EditorGrid, IsRememberedForTheNextRun) {
  Trigger(Editor, "Grid1");
  EXPECT_TRUE(GridChecked());
  {
    TForm1 converter{Dialogs};
    TForm2 editor{converter, Dialogs};
    EXPECT_TRUE(Control<QAction>(editor, "Grid1")->isChecked());
  }
  Trigger(Editor, "Grid1");
  TForm1 converter{Dialogs};
  TForm2 editor{converter, Dialogs};
  EXPECT_FALSE(Control<QAction>(editor, "Grid1")->isChecked());
}
