// Files dropped on the Converter window: one file is opened as the Open
// dialog's choice is; several files, something that is not a file, or any
// drop while the editor is open change nothing.
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "AppTesting.h"

class ConverterDrop : public TAppTest {
protected:
  // Drags the URLs over the window and drops them; true when the window took them.
  bool Drop(const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(300, 80), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Converter, &enter);
    QDropEvent drop(QPointF(300, 80), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Converter, &drop);
    EXPECT_EQ(enter.isAccepted(), drop.isAccepted());
    return drop.isAccepted();
  }
  std::vector<std::vector<TColor>> Views() {
    std::vector<std::vector<TColor>> views;
    for (int number = 1; number <= 6; ++number) views.push_back(PixelsOf(Converter.Image(number).Picture()));
    return views;
  }
  static QUrl Url(const std::string& fileName) { return QUrl::fromLocalFile(QString::fromStdString(fileName)); }
};

TEST_F(ConverterDrop, OneFileIsOpenedAsOpenOpensItAndNothingElseIsTaken) {
  const std::string strip = WriteColorBmp(Temp, "strip.bmx", 16, 64);
  const std::string other = WriteColorBmp(Temp, "other.bmp", 8, 8);
  OpenInConverter(strip);
  const std::vector<std::vector<TColor>> opened = Views();
  OpenInConverter(other);
  const std::vector<std::vector<TColor>> before = Views();
  const std::vector<std::pair<const char*, QList<QUrl>>> refused{
      {"two files", {Url(strip), Url(other)}},
      {"no file", {}},
      {"a web address", {QUrl(QStringLiteral("https://example.org/strip.bmx"))}},
  };
  for (const auto& [what, urls] : refused) {
    EXPECT_FALSE(Drop(urls)) << what;
    EXPECT_EQ(Views(), before) << what;
  }
  EXPECT_TRUE(Drop({Url(strip)}));
  EXPECT_EQ(Views(), opened);
  EXPECT_EQ(Converter.Document().SourceFileName, strip);
  EXPECT_TRUE(Enabled(Converter, "Button3"));
  EXPECT_TRUE(Dialogs.Messages.empty());
}

TEST_F(ConverterDrop, DisabledWindowTakesNoDrop) {
  ShowEditor();
  EXPECT_FALSE(Drop({Url(WriteColorBmp(Temp, "strip.bmx", 16, 64))}));
  EXPECT_EQ(Converter.Image(1).Picture().Graphic(), nullptr);
}
