// What the program remembers between runs: whether the Logo editor shows its
// pixel grid, and the folder the file dialogs used last. They live in
// QSettings, in the platform's usual place, under the organisation and
// application names that NameApplication sets once at start-up.
#pragma once

#include <QString>

// The application's title and organisation; they also name the settings file.
void NameApplication();

bool GridShown();
void SetGridShown(bool shown);

// The folder of the file chosen last in a file dialog; empty before the first.
QString LastFolder();
// Keeps the folder that holds fileName.
void RememberFolderOf(const QString& fileName);
