// The words the program is started with, after Qt has taken out its own
// options (-platform, -style, ...): at most one file, which the Converter
// opens at start as if it had been dropped on the window (the desktop entry
// starts "korvane FILE"), or --help / --version, which are answered before any
// window exists, so they work without a display.
#pragma once

#include <ostream>
#include <string>
#include <vector>

enum class TStartRequest {
  srRun,      // show the windows, opening FileName when it is not empty
  srHelp,     // print the help and end
  srVersion,  // print the version and end
  srUsage,    // bad usage: print Problem and the usage, end with status 2
};

struct TStartArguments {
  TStartRequest Request = TStartRequest::srRun;
  std::string FileName;
  std::string Problem;
};

// words: the arguments after the program's name. --help and --version win
// wherever they stand; "--" makes every later word a file name.
TStartArguments ParseStartArguments(const std::vector<std::string>& words);

void PrintStartHelp(std::ostream& out);
void PrintStartUsage(std::ostream& err);
