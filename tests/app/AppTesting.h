// TAppTest: the fixture of the GUI tests. It builds the program's two windows
// as the program does (the Converter shown, the Logo editor hidden) with fake
// dialogs, finds controls by their names, clicks them and moves the pointer
// through Qt's window system, and reads the pictures of the views pixel by
// pixel. Also the coloured BMP files that the Converter opens, and the waits
// of the GUI tests, each with the deadline of Deadline.h.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include <QPoint>
#include <QWidget>

#include "Color.h"
#include "FakeDialogs.h"
#include "Geometry.h"
#include "Image.h"
#include "TestFiles.h"
#include "Unit1.h"
#include "Unit2.h"

// Runs the event loop until done holds; fails, saying what it waited for,
// when the deadline passes first.
::testing::AssertionResult WaitUntil(const std::function<bool()>& done, const std::string& what);
::testing::AssertionResult WaitForExposed(QWidget& window, const std::string& what);
::testing::AssertionResult WaitForActive(QWidget& window, const std::string& what);

class TAppTest : public ::testing::Test {
protected:
  TAppTest();

  template <class T = QWidget>
  T* Control(QWidget& window, const char* name) {
    T* control = window.findChild<T*>(QString::fromLatin1(name));
    if (control == nullptr) ADD_FAILURE() << "no control " << name;
    return control;
  }
  // A left click on a button, a check box or a radio button.
  void Click(QWidget& window, const char* name);
  // Runs a context-menu item or key action by its name.
  void Trigger(QWidget& window, const char* name);
  // Whether the control itself is enabled (the Converter as a whole is
  // disabled while the editor is shown).
  bool Enabled(QWidget& window, const char* name) { return Control(window, name)->isEnabledTo(&window); }

  // Picks the file in the Converter's open dialog and clicks Open.
  void OpenInConverter(const std::string& fileName);
  // Clicks the Converter's Editor button.
  void ShowEditor();
  TImage& EditorView();
  // The left button pressed over the editor's view at the first point, moved
  // through the others and released at the last (view coordinates).
  void Stroke(std::initializer_list<QPoint> points);
  void PressPointer(QPoint at);
  void MovePointer(QPoint at);
  void ReleasePointer(QPoint at);
  std::string Label(const char* name);

  QPoint InEditor(QPoint atView);

  TFakeDialogs Dialogs;
  TForm1 Converter{Dialogs};
  TForm2 Editor{Converter, Dialogs};
  TTempDir Temp;
};

// The colour of pixel (x, y) of the coloured test pictures: never black or
// white, different for every pixel of a picture up to 256 x 256.
inline TColor SourceColor(int x, int y) { return RGB(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 0x5A); }
// Writes a 24-bit BMP of SourceColor pixels and returns its path.
std::string WriteColorBmp(const TTempDir& temp, const std::string& name, int width, int height);

// Pixels of whatever bitmap a picture holder holds; -1 outside it or when it holds none.
TColor PixelOf(const TPicture& picture, int x, int y);
// The black pixels of a picture, rows top to bottom.
std::vector<TPoint> BlackPixels(const TPicture& picture);
// The pixels of a picture, rows top to bottom.
std::vector<TColor> PixelsOf(const TPicture& picture);
