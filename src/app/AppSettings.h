// What the program remembers between runs: whether the Logo editor shows its
// pixel grid, the folder the file dialogs used last, and how a GIF becomes
// its strip (by the text names of the choices). They live in
// QSettings, in the platform's usual place, under the organisation and
// application names that NameApplication sets once at start-up.
#pragma once

#include <QString>

#include "StripOptions.h"

// The application's title and organisation; they also name the settings file.
void NameApplication();

bool GridShown();
void SetGridShown(bool shown);

// The folder of the file chosen last in a file dialog; empty before the first.
QString LastFolder();
// Keeps the folder that holds fileName.
void RememberFolderOf(const QString& fileName);

// The strip choices of the last run. A choice never made, or one whose stored
// name no longer reads, is the default.
StripOptions RememberedStripOptions();
void RememberStripOptions(const StripOptions& options);
