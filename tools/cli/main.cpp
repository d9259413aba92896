// korvane-cli: checks pictures against this program's readers and writer
// without the windows (see Commands.h for the commands).
#include <unistd.h>

#include <iostream>

#include "Commands.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  return RunCommandLine(std::vector<std::string>(argv + 1, argv + argc), std::cin, std::cout, std::cerr,
                        isatty(STDERR_FILENO) == 1);
}
