// korvane-cli's commands run in process, with what they printed and their
// exit status.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "Commands.h"

struct TRun {
  int Status;
  std::string Out;
  std::string Err;
};

inline TRun Cli(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = RunCommandLine(args, out, err);
  return {status, out.str(), err.str()};
}
