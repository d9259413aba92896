// korvane-screenshots: stages both windows as a user would leave them and
// writes a PNG of each into the folder given: the Logo editor with a drawn
// screen saver picture shown three times as large under its pixel grid
// (editor.png), and the Converter after the editor sent it the four frames of
// a 72 x 32 EMS animation (converter.png). Run it on a display, for instance
// under xvfb-run (tools/screenshot.sh). Its settings go to a temporary
// folder: staging never changes what the user's program remembers.
#include <cstdio>
#include <initializer_list>
#include <string>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>
#include <QSettings>
#include <QTemporaryDir>

#include "AppSettings.h"
#include "Dialogs.h"
#include "ImageView.h"
#include "Unit1.h"
#include "Unit2.h"

namespace {

// The staging opens no dialog; one that comes up anyway is a fault.
class TNoDialogs : public TDialogs {
public:
  std::optional<std::string> OpenFile(const TOpenFileRequest&) override { return Unexpected("open dialog"); }
  std::optional<std::string> SaveFile(const TSaveFileRequest&) override { return Unexpected("save dialog"); }
  bool ConfirmReplace(const std::string&) override { return Unexpected("replace question").has_value(); }
  void ShowMessage(TMessageKind, const std::string& text) override { Unexpected(text.c_str()); }

private:
  static std::optional<std::string> Unexpected(const char* what) {
    std::fprintf(stderr, "korvane-screenshots: unexpected %s\n", what);
    return std::nullopt;
  }
};

void Click(QWidget& window, const char* name) { window.findChild<QAbstractButton*>(QString::fromLatin1(name))->click(); }

void Choose(QWidget& window, const char* name, int index) {
  window.findChild<QComboBox*>(QString::fromLatin1(name))->setCurrentIndex(index);
}

void Pointer(QWidget* view, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
  QMouseEvent event(type, QPointF(at), QPointF(view->mapToGlobal(at)), Qt::LeftButton, held, Qt::NoModifier);
  QApplication::sendEvent(view, &event);
}

// A stroke of the current tool through view points.
void Stroke(QWidget& editor, std::initializer_list<QPoint> points) {
  auto* view = editor.findChild<TImageView*>(QStringLiteral("Image1"));
  Pointer(view, QEvent::MouseButtonPress, *points.begin(), Qt::LeftButton);
  for (const QPoint& at : points) Pointer(view, QEvent::MouseMove, at, Qt::LeftButton);
  Pointer(view, QEvent::MouseButtonRelease, *(points.end() - 1), Qt::NoButton);
}

// Four frames of a caption moving to the right, sent to the Converter.
void SendEmsAnimation(QWidget& editor) {
  Click(editor, "RadioButton4");
  Click(editor, "Button2");
  Click(editor, "SpeedButton11");
  editor.findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("Korvane"));
  Stroke(editor, {QPoint(8, 20)});
  Click(editor, "SpeedButton4");
  Stroke(editor, {QPoint(0, 0), QPoint(143, 63)});
  Choose(editor, "ComboBox4", 3);
  for (const char* frame : {"Button3", "Button4", "Button5", "Button6"}) {
    Click(editor, frame);
    Click(editor, "Button10");
  }
}

// A screen saver picture with every kind of figure, in the big view (zoom
// divisor 3) with the grid on.
void DrawScreenSaver(QWidget& editor) {
  Click(editor, "RadioButton2");
  Click(editor, "CheckBox1");
  Click(editor, "Button2");
  editor.findChild<QAction*>(QStringLiteral("Grid1"))->trigger();
  Click(editor, "SpeedButton11");
  Stroke(editor, {QPoint(96, 12)});
  Click(editor, "SpeedButton2");
  Stroke(editor, {QPoint(24, 78), QPoint(120, 174)});
  Click(editor, "SpeedButton8");
  Click(editor, "SpeedButton3");
  Stroke(editor, {QPoint(150, 90), QPoint(240, 165)});
  Click(editor, "SpeedButton10");
  Click(editor, "SpeedButton1");
  Stroke(editor, {QPoint(0, 189), QPoint(300, 60)});
  auto* view = editor.findChild<TImageView*>(QStringLiteral("Image1"));
  Pointer(view, QEvent::MouseMove, QPoint(180, 135), Qt::NoButton);
}

bool Save(QWidget& window, const std::string& fileName) {
  QApplication::processEvents();
  if (window.grab().save(QString::fromStdString(fileName), "PNG")) return true;
  std::fprintf(stderr, "korvane-screenshots: cannot write %s\n", fileName.c_str());
  return false;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: korvane-screenshots FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
  QApplication application(argc, argv);
  NameApplication();
  const QTemporaryDir settings;
  if (!settings.isValid()) {
    std::fprintf(stderr, "korvane-screenshots: cannot make a folder for the settings\n");
    return 1;
  }
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  TNoDialogs dialogs;
  TForm1 converter(dialogs);
  TForm2 editor(converter, dialogs);
  converter.SetEditor(&editor);
  converter.show();
  Click(converter, "Button4");
  SendEmsAnimation(editor);
  DrawScreenSaver(editor);
  const bool editorSaved = Save(editor, folder + "/editor.png");
  Click(editor, "Button1");
  const bool converterSaved = Save(converter, folder + "/converter.png");
  return editorSaved && converterSaved ? 0 : 1;
}
