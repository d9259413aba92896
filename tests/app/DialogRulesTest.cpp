// The rules that every message and file dialog follows, apart from the
// windows: how an error text is finished, how filters and message text
// reach Qt, and where the real file dialogs start.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include <QApplication>
#include <QFileDialog>
#include <QTimer>

#include "AppMessages.h"
#include "AppSettings.h"
#include "Dialogs.h"
#include "QtDialogs.h"
#include "TestFiles.h"

namespace {

// Runs a command that shows a file dialog, answers the dialog with fileName
// and returns the folder that the dialog showed first.
std::string AnswerFileDialog(const std::function<void()>& command, const std::string& fileName) {
  std::string shownFolder;
  QTimer poll;
  poll.setInterval(10);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    poll.stop();
    shownFolder = dialog->directory().absolutePath().toStdString();
    dialog->selectFile(QString::fromStdString(fileName));
    static_cast<QDialog*>(dialog)->accept();  // public in QDialog
  });
  poll.start();
  command();
  return shownFolder;
}

}  // namespace

TEST(Messages, PeriodIsAddedOnlyAfterACharacterThatSortsAfterThePeriod) {
  EXPECT_EQ(ErrorText("Bitmap image is not valid"), "Bitmap image is not valid.");
  EXPECT_EQ(ErrorText("List index out of bounds (1)"), "List index out of bounds (1)");
  EXPECT_EQ(ErrorText("Cannot open file /tmp/a.bmp"), "Cannot open file /tmp/a.bmp.");
  EXPECT_EQ(ErrorText("Already finished."), "Already finished.");
  EXPECT_EQ(ErrorText("Ends in a blank "), "Ends in a blank ");
  EXPECT_EQ(ErrorText("Ends in a dash-"), "Ends in a dash-");
  EXPECT_EQ(ErrorText("Ends in a slash/"), "Ends in a slash/.");
  EXPECT_EQ(ErrorText(""), "");
  EXPECT_EQ(ErrorText("Datei \xC3\xA4"), "Datei \xC3\xA4.");
}

TEST(Messages, CarriageReturnsBecomeLineBreaks) {
  EXPECT_EQ(DisplayText("File Information\rFilename: a\rImage Width  :16"),
            QStringLiteral("File Information\nFilename: a\nImage Width  :16"));
  EXPECT_EQ(DisplayText("one\r\ntwo\nthree"), QStringLiteral("one\ntwo\nthree"));
}

TEST(FileDialogs, FiltersBecomeQtNameFiltersInTheirOrder) {
  EXPECT_EQ(NameFilters("Gif Image,BMX Anim, BMP|*.GIF;*.BMP;*.BMX"),
            QStringList{QStringLiteral("Gif Image,BMX Anim, BMP (*.GIF *.BMP *.BMX)")});
  EXPECT_EQ(NameFilters("BMX Anim|*.bmx|GIF Anim|*.gif"),
            (QStringList{QStringLiteral("BMX Anim (*.bmx)"), QStringLiteral("GIF Anim (*.gif)")}));
  EXPECT_EQ(NameFilters("Logo (*.bmp)|*.bmp"), QStringList{QStringLiteral("Logo (*.bmp) (*.bmp)")});
}

// Qt's own dialog remembers its last folder while the program runs; what
// reaches the next run is the folder kept in the settings.
TEST(FileDialogs, StartInTheFolderUsedLastAlsoInTheNextRun) {
  const TTempDir temp;
  std::filesystem::create_directory(temp.File("first"));
  std::filesystem::create_directory(temp.File("second"));
  const std::string opened = temp.File("first/strip.bmx");
  WriteWholeFile(opened, {0});
  std::optional<std::string> chosen;
  TQtDialogs dialogs;
  AnswerFileDialog([&] { chosen = dialogs.OpenFile(TOpenFileRequest{SOpenFilter}); }, opened);
  EXPECT_EQ(chosen, opened);
  EXPECT_EQ(LastFolder().toStdString(), temp.File("first"));

  RememberFolderOf(QString::fromStdString(temp.File("second/logo.bmp")));  // as an earlier run left it
  TQtDialogs nextRun;
  const std::string logo = temp.File("second/logo.bmp");
  EXPECT_EQ(AnswerFileDialog([&] { chosen = nextRun.SaveFile(TSaveFileRequest{SLogoFilter, 1, "", ""}); }, logo),
            temp.File("second"));
  EXPECT_EQ(chosen, logo);
}
