// The rules that every message and file dialog follows, apart from the windows:
// how an error text is finished, how filters and message text reach Qt, and
// what a failing command leaves behind.
#include <gtest/gtest.h>

#include "Dialogs.h"
#include "Exception.h"
#include "FakeDialogs.h"
#include "QtDialogs.h"
#include "TestFiles.h"

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

TEST(Messages, FailingCommandStopsAtTheFailureAndShowsItsMessage) {
  TFakeDialogs dialogs;
  int steps = 0;
  RunCommand(dialogs, [&] {
    ++steps;
    throw Exception("Stream read error");
  });
  RunCommand(dialogs, [&] { ++steps; });
  EXPECT_EQ(steps, 2);
  ASSERT_EQ(dialogs.Messages.size(), 1u);
  EXPECT_EQ(dialogs.Messages[0].Kind, TMessageKind::mkError);
  EXPECT_EQ(dialogs.Messages[0].Text, "Stream read error.");
}

TEST(FileDialogs, FiltersBecomeQtNameFiltersInTheirOrder) {
  EXPECT_EQ(NameFilters("Gif Image,BMX Anim, BMP|*.GIF;*.BMP;*.BMX"),
            QStringList{QStringLiteral("Gif Image,BMX Anim, BMP (*.GIF *.BMP *.BMX)")});
  EXPECT_EQ(NameFilters("BMX Anim|*.bmx|GIF Anim|*.gif"),
            (QStringList{QStringLiteral("BMX Anim (*.bmx)"), QStringLiteral("GIF Anim (*.gif)")}));
  EXPECT_EQ(NameFilters("Logo (*.bmp)|*.bmp"), QStringList{QStringLiteral("Logo (*.bmp) (*.bmp)")});
}

TEST(FileDialogs, ReplacingAnExistingFileNeedsTheUsersConsent) {
  TFakeDialogs dialogs;
  TTempDir temp;
  const std::string fileName = temp.File("logo.bmp");
  EXPECT_TRUE(MayWriteFile(dialogs, fileName));
  EXPECT_TRUE(dialogs.ReplaceQuestions.empty());

  WriteWholeFile(fileName, {1, 2, 3});
  dialogs.ReplaceAnswers = {false, true};
  EXPECT_FALSE(MayWriteFile(dialogs, fileName));
  EXPECT_TRUE(MayWriteFile(dialogs, fileName));
  EXPECT_EQ(dialogs.ReplaceQuestions, (std::vector<std::string>{fileName, fileName}));
}
