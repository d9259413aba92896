// A conversion command over many files in one process: "-o DIR IN..." runs
// the command once per input, writing DIR/NAME.EXT (the input's name with the
// command's output extension), on a pool of threads. A failing file does not
// stop the others; a bad usage stops the batch.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "FileRun.h"

struct TBatch {
  std::vector<std::string> Inputs;
  std::string OutputFolder;
  std::string OutputExtension;  // ".bmx"
  unsigned Threads = 1;
  TWarningMode Warnings = TWarningMode::Print;
  bool ShowProgress = false;  // a progress line, for a terminal
};

// One file's conversion: the command run on input and output, printing to
// err; returns its exit status.
using TConvertFile = std::function<int(const std::string& input, const std::string& output, std::ostream& err)>;

// The threads of a batch when -j is not given: one per core.
unsigned DefaultBatchThreads();
// DIR/NAME.EXT for an input.
std::string BatchOutputName(const std::string& input, const std::string& folder, const std::string& extension);
// 0 when every file converted; 1 with the summary line
// "korvane-cli: 3 of 500 files failed"; 2 at the first bad usage.
int RunBatch(const TBatch& batch, TErrorOutput& errors, const TConvertFile& convert);
