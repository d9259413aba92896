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
    const QPoint at(300, 80);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Converter, &enter);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Converter, &drop);
    EXPECT_EQ(enter.isAccepted(), drop.isAccepted());
    return drop.isAccepted();
  }
  std::vector<std::vector<TColor>> Views() {
    std::vector<std::vector<TColor>> views;
    for (int number = 1; number <= 6; ++number) views.push_back(PixelsOf(Converter.Image(number).Picture()));
    return views;
  }
};

TEST_F(ConverterDrop, OneFileIsOpenedAsTheOpenDialogOpensIt) {
  const std::string strip = WriteColorBmp(Temp, "strip.bmx", 16, 64);
  OpenInConverter(strip);
  const std::vector<std::vector<TColor>> opened = Views();
  OpenInConverter(WriteColorBmp(Temp, "other.bmp", 8, 8));
  ASSERT_NE(Views(), opened);

  EXPECT_TRUE(Drop({QUrl::fromLocalFile(QString::fromStdString(strip))}));
  EXPECT_EQ(Views(), opened);
  EXPECT_EQ(Converter.Document().SourceFileName, strip);
  EXPECT_TRUE(Enabled(Converter, "Button3"));
  EXPECT_TRUE(Dialogs.Messages.empty());

  EXPECT_TRUE(Drop({QUrl::fromLocalFile(QString::fromStdString(Temp.File("missing.bmp")))}));
  EXPECT_EQ(Dialogs.TakeMessage().Text, "Cannot open file " + Temp.File("missing.bmp") + ".");
}

TEST_F(ConverterDrop, SeveralFilesOtherThingsAndDropsOnADisabledWindowChangeNothing) {
  const std::string strip = WriteColorBmp(Temp, "strip.bmx", 16, 64);
  const std::string other = WriteColorBmp(Temp, "other.bmp", 8, 8);
  OpenInConverter(other);
  const std::vector<std::vector<TColor>> before = Views();
  const QUrl stripUrl = QUrl::fromLocalFile(QString::fromStdString(strip));
  const std::vector<std::pair<const char*, QList<QUrl>>> refused{
      {"two files", {stripUrl, QUrl::fromLocalFile(QString::fromStdString(other))}},
      {"no file", {}},
      {"a web address", {QUrl(QStringLiteral("https://example.org/strip.bmx"))}},
  };
  for (const auto& [what, urls] : refused) {
    SCOPED_TRACE(what);
    EXPECT_FALSE(Drop(urls));
    EXPECT_EQ(Views(), before);
    EXPECT_EQ(Converter.Document().SourceFileName, other);
  }
  ShowEditor();
  EXPECT_FALSE(Drop({stripUrl}));
  EXPECT_EQ(Views(), before);
  EXPECT_TRUE(Dialogs.Messages.empty());
}
