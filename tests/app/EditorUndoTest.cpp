// Undo and redo in the Logo editor: every change of the picture is one step
// (a stroke, text, a flip, a shift, New, a load), each Undo gives back the
// picture before its step, Redo goes forward again until a new step, and the
// menu entries are enabled only when there is something to do.
#include <functional>

#include <QAction>
#include <QTest>

#include "AppTesting.h"

class EditorUndo : public TAppTest {
protected:
  std::pair<int, std::vector<TColor>> Shown() { return {EditorView().Picture().Width(), PixelsOf(EditorView().Picture())}; }
  void ExpectItems(bool undo, bool redo) {
    EXPECT_EQ(Control<QAction>(Editor, "Undo1")->isEnabled(), undo);
    EXPECT_EQ(Control<QAction>(Editor, "Redo1")->isEnabled(), redo);
  }
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    Editor.activateWindow();
    ASSERT_TRUE(WaitForActive(Editor, "the Logo editor"));
    QTest::keyClick(&Editor, key, modifiers);
  }
};

TEST_F(EditorUndo, EachUndoGivesBackThePictureBeforeItsStepAndRedoGoesForward) {
  OpenInConverter(WriteColorBmp(Temp, "input.bmp", 12, 20));
  ShowEditor();
  ExpectItems(false, false);  // the picture the editor starts with is no step
  const std::vector<std::function<void()>> steps{
      [&] { Stroke({QPoint(10, 10), QPoint(120, 60)}); },
      [&] { Click(Editor, "SpeedButton11"); Stroke({QPoint(20, 80)}); },
      [&] { Click(Editor, "Button8"); },
      [&] { Click(Editor, "Button13"); },
      [&] { Click(Editor, "SpeedButton9"); Stroke({QPoint(4, 4), QPoint(40, 30), QPoint(60, 4)}); },
      [&] { Click(Editor, "RadioButton3"); Click(Editor, "Button2"); },
      [&] { Trigger(Editor, "LoadFromInput1"); },
  };
  std::vector<std::pair<int, std::vector<TColor>>> before;
  for (const auto& step : steps) {
    before.push_back(Shown());
    step();
    ASSERT_NE(Shown(), before.back()) << "step " << before.size();
    ExpectItems(true, false);
  }
  const auto last = Shown();
  for (std::size_t k = steps.size(); k-- > 0;) {
    k % 2 ? Key(Qt::Key_Z, Qt::ControlModifier) : Trigger(Editor, "Undo1");
    EXPECT_EQ(Shown(), before[k]) << "undo of step " << k + 1;
  }
  ExpectItems(false, true);
  for (std::size_t k = 1; k < steps.size(); ++k) {
    k % 2 ? Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier) : Key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Shown(), before[k]) << "redo of step " << k;
  }
  Trigger(Editor, "Redo1");
  EXPECT_EQ(Shown(), last);
  ExpectItems(true, false);
}

TEST_F(EditorUndo, NewStepEndsWhatCouldBeRedoneAndClosingKeepsTheHistory) {
  ShowEditor();
  Click(Editor, "SpeedButton9");
  Stroke({QPoint(10, 10)});
  const auto first = Shown();
  Stroke({QPoint(20, 20)});
  Trigger(Editor, "Undo1");
  Stroke({QPoint(30, 30)});
  const auto branched = Shown();
  ExpectItems(true, false);
  Key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(Shown(), branched);
  Click(Editor, "Button1");
  ShowEditor();
  Trigger(Editor, "Undo1");
  EXPECT_EQ(Shown(), first);
}

TEST_F(EditorUndo, AHundredStepsAreKept) {
  ShowEditor();
  Click(Editor, "SpeedButton9");
  for (int step = 0; step <= 100; ++step) Stroke({QPoint(2 * step, 2 * (step % 7))});
  for (int k = 0; k < 100; ++k) Trigger(Editor, "Undo1");
  ExpectItems(false, true);
  EXPECT_EQ(BlackPixels(EditorView().Picture()), (std::vector<TPoint>{{0, 0}}));  // the oldest step is gone
}
