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
  QRgb Screen(int x, int y) { return Control<TImageView>(Editor, "Image1")->grab().toImage().pixel(x, y); }
  std::vector<std::uint8_t> SavedLogo(const std::string& name) {
    Dialogs.SaveAnswers.push_back(Temp.File(name));
    Click(Editor, "Button7");
    return ReadWholeFile(Temp.File(name + ".bmp"));
  }
  std::vector<TColor> Slot1() {
    Click(Editor, "Button3");
    return PixelsOf(Converter.Image(2).Picture());
  }
};

TEST_F(EditorGrid, ShowsFromDivisorThreeOnTheScreenOnly) {
  const QRgb white = qRgb(255, 255, 255), black = qRgb(0, 0, 0);
  ShowEditor();
  Click(Editor, "CheckBox1");
  Click(Editor, "Button2");  // 101 x 64 shown three times as large
  Click(Editor, "SpeedButton3");
  Stroke({QPoint(0, 0), QPoint(30, 30)});  // a box from (0, 0) to (9, 9)
  const std::vector<std::uint8_t> savedWithoutGrid = SavedLogo("plain");
  const std::vector<TColor> slotWithoutGrid = Slot1();
  EXPECT_EQ(Screen(3, 10), white);

  Trigger(Editor, "Grid1");
  const QRgb line = Screen(3, 10);  // the first column of the second cell
  EXPECT_NE(line, white);
  EXPECT_EQ(Screen(10, 3), line);
  EXPECT_EQ(Screen(4, 10), white);  // inside a cell
  EXPECT_EQ(Screen(4, 1), black);
  EXPECT_NE(Screen(3, 1), black);  // over black pixels too
  EXPECT_EQ(SavedLogo("grid"), savedWithoutGrid);
  EXPECT_EQ(Slot1(), slotWithoutGrid);

  Click(Editor, "CheckBox1");  // divisor 2: too dense for lines
  EXPECT_EQ(Screen(3, 10), white);
  Click(Editor, "CheckBox1");  // three times as large again, with its grid
  EXPECT_EQ(Screen(3, 10), line);
  EXPECT_EQ(Screen(4, 10), white);
}

TEST_F(EditorGrid, IsRememberedForTheNextRun) {
  for (bool shown : {true, false}) {
    Trigger(Editor, "Grid1");
    TForm1 converter{Dialogs};
    TForm2 editor{converter, Dialogs};
    EXPECT_EQ(Control<QAction>(editor, "Grid1")->isChecked(), shown);
  }
}
