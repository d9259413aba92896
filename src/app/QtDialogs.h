// TQtDialogs: the real file dialogs and message boxes of the program, Qt's
// own widgets (not the desktop's native dialogs). Message boxes are modal,
// centred on the screen and captioned with the application title; file
// dialogs start in the folder used last. Also the two conversions they need:
// filters into Qt's name filters, message text into displayed text. In a
// save dialog, choosing a filter makes its extension the one added to a name
// typed without one, so that the format follows the filter chosen.
#pragma once

#include <QString>
#include <QStringList>

#include "Dialogs.h"

class TQtDialogs : public TDialogs {
public:
  std::optional<std::string> OpenFile(const TOpenFileRequest& request) override;
  std::optional<std::string> SaveFile(const TSaveFileRequest& request) override;
  bool ConfirmReplace(const std::string& fileName) override;
  void ShowMessage(TMessageKind kind, const std::string& text) override;
};

// "BMX Anim|*.bmx|GIF Anim|*.gif" gives "BMX Anim (*.bmx)", "GIF Anim (*.gif)";
// several patterns of one entry ("*.GIF;*.BMP") are listed with blanks.
QStringList NameFilters(const std::string& filter);
// The extension of a name filter's first pattern, without the dot: "wbmp"
// for "WBMP (*.wbmp)", "h" for "C array (*.h *.c)"; empty when it has none.
QString FirstSuffixOf(const QString& nameFilter);
// A carriage return, alone or before a line feed, becomes one line break.
QString DisplayText(const std::string& text);
