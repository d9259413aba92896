// The one place where korvane-cli's commands fail: a command raises, and
// RunGuarded prints "korvane-cli: FILE: MESSAGE" for the file in hand
// (FileRun.h), MESSAGE being the text the window shows, and gives exit
// status 1. Running out of memory and any other unexpected failure end the
// same way, never in an abort.
#pragma once

#include <functional>
#include <string>

#include "FileRun.h"

// The failure line of a file ("" when none was in hand yet).
std::string FailureLine(const std::string& fileName, const std::string& message);

// Runs body, which returns an exit status, inside a TFileRun of the mode;
// any failure is printed to errors and gives 1.
int RunGuarded(TErrorOutput& errors, TWarningMode mode, const std::function<int()>& body);
