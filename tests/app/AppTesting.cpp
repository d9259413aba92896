#include "AppTesting.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QTest>
#include <QWindow>

#include "Bitmap.h"
#include "BmpBuilder.h"
#include "Deadline.h"
#include "ImageView.h"
#include "Picture.h"

namespace {

::testing::AssertionResult Waited(bool done, const std::string& what) {
  if (done) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "still waiting after " << TestDeadline.count() << " s for " << what;
}

}  // namespace

::testing::AssertionResult WaitUntil(const std::function<bool()>& done, const std::string& what) {
  return Waited(QTest::qWaitFor(done, TestDeadlineMs), what);
}

::testing::AssertionResult WaitForExposed(QWidget& window, const std::string& what) {
  return Waited(QTest::qWaitForWindowExposed(&window, TestDeadlineMs), what + " to show");
}

::testing::AssertionResult WaitForActive(QWidget& window, const std::string& what) {
  return Waited(QTest::qWaitForWindowActive(&window, TestDeadlineMs), what + " to become active");
}

TAppTest::TAppTest() {
  Converter.SetEditor(&Editor);
  Converter.show();
  EXPECT_TRUE(WaitForExposed(Converter, "the Converter window"));
}

void TAppTest::Click(QWidget& window, const char* name) {
  if (auto* button = Control<QAbstractButton>(window, name))
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(button->width() / 2, button->height() / 2));
}

void TAppTest::Trigger(QWidget& window, const char* name) {
  if (auto* action = Control<QAction>(window, name)) action->trigger();
}

void TAppTest::OpenInConverter(const std::string& fileName) {
  Dialogs.OpenAnswers.push_back(fileName);
  Click(Converter, "Button1");
}

void TAppTest::ShowEditor() {
  Click(Converter, "Button4");
  EXPECT_TRUE(WaitForExposed(Editor, "the Logo editor"));
}

TImage& TAppTest::EditorView() { return Control<TImageView>(Editor, "Image1")->Model(); }

// Through the editor window's system events, as a real pointer arrives: the
// view keeps the pointer while the button is down, even outside it.
QPoint TAppTest::InEditor(QPoint atView) {
  return Control<TImageView>(Editor, "Image1")->mapTo(&Editor, atView);
}

void TAppTest::PressPointer(QPoint at) { QTest::mousePress(Editor.windowHandle(), Qt::LeftButton, {}, InEditor(at)); }
void TAppTest::MovePointer(QPoint at) { QTest::mouseMove(Editor.windowHandle(), InEditor(at)); }
void TAppTest::ReleasePointer(QPoint at) {
  QTest::mouseRelease(Editor.windowHandle(), Qt::LeftButton, {}, InEditor(at));
}

void TAppTest::Stroke(std::initializer_list<QPoint> points) {
  PressPointer(*points.begin());
  for (auto it = points.begin() + 1; it != points.end(); ++it) MovePointer(*it);
  ReleasePointer(*(points.end() - 1));
}

std::string TAppTest::Label(const char* name) { return Control<QLabel>(Editor, name)->text().toStdString(); }

std::string WriteColorBmp(const TTempDir& temp, const std::string& name, int width, int height) {
  const int rowBytes = (width * 3 + 3) / 4 * 4;
  std::vector<std::uint8_t> rows(static_cast<std::size_t>(rowBytes) * height, 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const TColor color = SourceColor(x, y);
      std::uint8_t* pixel = &rows[static_cast<std::size_t>(height - 1 - y) * rowBytes + x * 3];
      pixel[0] = GetBValue(color);
      pixel[1] = GetGValue(color);
      pixel[2] = GetRValue(color);
    }
  const std::string fileName = temp.File(name);
  WriteWholeFile(fileName, SimpleBmp(width, height, 24, {}, rows));
  return fileName;
}

TColor PixelOf(const TPicture& picture, int x, int y) {
  const auto* bitmap = dynamic_cast<const TBitmap*>(picture.Graphic());
  if (bitmap == nullptr || x < 0 || y < 0 || x >= bitmap->Width() || y >= bitmap->Height()) return clNoColor;
  return bitmap->Image().GetPixel(x, y);
}

std::vector<TPoint> BlackPixels(const TPicture& picture) {
  std::vector<TPoint> black;
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x)
      if (PixelOf(picture, x, y) == clBlack) black.push_back(TPoint{x, y});
  return black;
}

std::vector<TColor> PixelsOf(const TPicture& picture) {
  std::vector<TColor> pixels;
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x) pixels.push_back(PixelOf(picture, x, y));
  return pixels;
}
