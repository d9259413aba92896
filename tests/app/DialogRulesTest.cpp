// The rules that every message and file dialog follows, apart from the
// windows: how an error text is finished and how filters and message text
// reach Qt.
#include <gtest/gtest.h>

#include "Dialogs.h"
#include "QtDialogs.h"

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
