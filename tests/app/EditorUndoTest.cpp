// Undo and redo in the Logo editor: every change of the picture is one step
// (a stroke, text, a flip, a shift, New, a load), each Undo gives back the
// picture before its step, Redo goes forward again until a new step, and the
// menu entries are enabled only when there is something to do.
#include <functional>

#include <QAction>
#include <QLineEdit>
#include <QTest>

#include "AppTesting.h"

namespace {

struct TShown {
  int Width, Height;
  std::vector<TColor> Pixels;
  bool operator==(const TShown&) const = default;
};

}  // namespace

class EditorUndo : public TAppTest {
protected:
  TShown Shown() {
    const TPicture& picture = EditorView().Picture();
    return TShown{picture.Width(), picture.Height(), PixelsOf(picture)};
  }
  void ExpectItems(bool undo, bool redo) {
    EXPECT_EQ(Control<QAction>(Editor, "Undo1")->isEnabled(), undo);
    EXPECT_EQ(Control<QAction>(Editor, "Redo1")->isEnabled(), redo);
  }
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    Editor.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Editor));
    QTest::keyClick(&Editor, key, modifiers);
  }
};

TEST_F(EditorUndo, EachUndoGivesBackThePictureBeforeItsStepAndRedoGoesForward) {
  OpenInConverter(WriteColorBmp(Temp, "input.bmp", 12, 20));
  ShowEditor();
  ExpectItems(false, false);  // the picture the editor starts with is no step
  const std::vector<std::pair<const char*, std::function<void()>>> steps{
      {"line", [&] { Stroke({QPoint(10, 10), QPoint(120, 60)}); }},
      {"text", [&] {
         Click(Editor, "SpeedButton11");
         Stroke({QPoint(20, 80)});
       }},
      {"flip", [&] { Click(Editor, "Button8"); }},
      {"shift", [&] { Click(Editor, "Button13"); }},
      {"pencil", [&] {
         Click(Editor, "SpeedButton9");
         Stroke({QPoint(4, 4), QPoint(40, 30), QPoint(60, 4)});
       }},
      {"New of another size", [&] {
         Click(Editor, "RadioButton3");
         Click(Editor, "Button2");
       }},
      {"load", [&] { Trigger(Editor, "LoadFromInput1"); }},
  };
  std::vector<TShown> before;
  for (const auto& [name, step] : steps) {
    before.push_back(Shown());
    step();
    ASSERT_NE(Shown(), before.back()) << name << " changes nothing";
    ExpectItems(true, false);
  }
  const TShown last = Shown();
  for (std::size_t k = steps.size(); k-- > 0;) {
    SCOPED_TRACE(steps[k].first);
    if (k % 2 == 0)
      Trigger(Editor, "Undo1");
    else
      Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Shown(), before[k]);
  }
  ExpectItems(false, true);
  Trigger(Editor, "Undo1");  // nothing left
  EXPECT_EQ(Shown(), before[0]);

  for (std::size_t k = 1; k < steps.size(); ++k) {
    SCOPED_TRACE(steps[k - 1].first);
    if (k % 2 == 0)
      Key(Qt::Key_Y, Qt::ControlModifier);
    else
      Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Shown(), before[k]);
  }
  Trigger(Editor, "Redo1");
  EXPECT_EQ(Shown(), last);
  ExpectItems(true, false);
}

TEST_F(EditorUndo, NewStepEndsWhatCouldBeRedoneAndClosingKeepsTheHistory) {
  ShowEditor();
  Click(Editor, "SpeedButton9");
  Stroke({QPoint(10, 10)});
  const TShown first = Shown();
  Stroke({QPoint(20, 20)});
  Trigger(Editor, "Undo1");
  Stroke({QPoint(30, 30)});
  const TShown branched = Shown();
  ExpectItems(true, false);
  Key(Qt::Key_Y, Qt::ControlModifier);
  Trigger(Editor, "Redo1");
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
