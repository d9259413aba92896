// The rules that every message and file dialog follows, apart from the
// windows: how an error text is finished, how filters and message text
// reach Qt, and where the real file dialogs start.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>

#include "AppMessages.h"
#include "AppSettings.h"
#include "Deadline.h"
#include "Dialogs.h"
#include "QtDialogs.h"
#include "TestFiles.h"

namespace {

// Closes whatever modal window is open, so that the command that opened it
// returns.
void CloseModalWindows() {
  for (int nested = 0; nested < 10; ++nested)
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->reject();
}

// Runs a command that shows a file dialog, answers the dialog with fileName
// (again at each look until it has closed: a dialog busy reading its folder
// may not take the first answer) and returns the folder that the dialog
// showed first. A dialog that does not come or does not close before the
// deadline, or any other window in its place, fails the test and is closed.
std::string AnswerFileDialog(const std::function<void()>& command, const std::string& fileName) {
  std::string shownFolder;
  bool seen = false;
  QElapsedTimer clock;
  clock.start();
  QTimer poll;
  poll.setInterval(10);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    if (modal != nullptr && dialog == nullptr) {
      ADD_FAILURE() << "a window came instead of the file dialog: " << modal->windowTitle().toStdString();
      CloseModalWindows();
      return;
    }
    if (clock.elapsed() > TestDeadlineMs) {
      ADD_FAILURE() << (seen ? "the file dialog did not close" : "no file dialog came") << " within "
                    << TestDeadline.count() << " s";
      poll.stop();
      CloseModalWindows();
      return;
    }
    if (dialog == nullptr) return;
    if (!seen) shownFolder = dialog->directory().absolutePath().toStdString();
    seen = true;
    const QString name = QString::fromStdString(fileName);
    dialog->selectFile(name);
    // The name box has the keyboard once the dialog is active, and then
    // selectFile leaves it as it is.
    if (auto* nameBox = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) nameBox->setText(name);
    // Outside this handler: a window that accepting opens (a warning) runs
    // a loop of its own, in which this handler must be able to look again.
    QMetaObject::invokeMethod(
        dialog, [dialog] { static_cast<QDialog*>(dialog)->accept(); }, Qt::QueuedConnection);  // public in QDialog
  });
  poll.start();
  command();
  EXPECT_TRUE(seen) << "no file dialog was shown";
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

TEST(FileDialogs, AChosenFiltersFirstExtensionIsAddedToANameWithout) {
  const std::pair<const char*, const char*> cases[] = {
      {"WBMP (*.wbmp)", "wbmp"},     {"C array (*.h *.c)", "h"}, {"Logo (*.bmp) (*.bmp)", "bmp"},
      {"Gif Image,BMX Anim, BMP (*.GIF *.BMP *.BMX)", "GIF"}, {"Everything (*)", ""},
  };
  for (const auto& [filter, suffix] : cases)
    EXPECT_EQ(FirstSuffixOf(QString::fromLatin1(filter)), QString::fromLatin1(suffix)) << filter;
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
