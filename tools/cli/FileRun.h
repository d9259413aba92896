// What one run of a command over one file reports to. The error boundary
// opens a TFileRun around each run on the thread that does it; the file
// functions (Files.h) tell it which file is in hand, and a GIF read through
// LoadInput hands it the reader's warnings. A command thus names no file in
// its messages and installs no warning handler of its own: a new command
// that reads and writes through Files.h gets both.
#pragma once

#include <mutex>
#include <ostream>
#include <string>
#include <vector>

// What is done with the warnings of a file that still reads.
enum class TWarningMode {
  Print,   // "korvane-cli: warning: FILE: frame 4: MESSAGE" on the error output
  Quiet,   // dropped
  Strict,  // the file fails with the first of them
};

// The error output shared by the runs of a batch: each line is written whole.
class TErrorOutput {
public:
  explicit TErrorOutput(std::ostream& err) : FErr(err) {}
  void WriteLine(const std::string& line);
  // A line that the next line written replaces (a terminal's progress line).
  void WriteProgress(const std::string& line);
  // Clears the progress line, if one is shown.
  void EndProgress();

private:
  std::mutex FLock;
  std::ostream& FErr;
  bool FProgressShown = false;
};

class TFileRun {
public:
  TFileRun(TErrorOutput& errors, TWarningMode mode);
  ~TFileRun();
  TFileRun(const TFileRun&) = delete;
  TFileRun& operator=(const TFileRun&) = delete;

  // The run open on this thread, or nullptr when a command runs without one.
  static TFileRun* Current();

  // The file that a failure from now on is reported against.
  void Hold(const std::string& fileName) { FFileName = fileName; }
  const std::string& FileName() const { return FFileName; }
  // The reader's warnings of the file in hand, each "frame N: MESSAGE" or
  // the message alone when it belongs to no frame: printed, dropped, or
  // raised as the file's failure, by the mode.
  void ReportWarnings(const std::vector<std::string>& warnings);
  TErrorOutput& Errors() { return FErrors; }

private:
  TErrorOutput& FErrors;
  TWarningMode FMode;
  std::string FFileName;
  TFileRun* FOuter;
};

// Tells the run open on this thread, if any, which file is in hand.
void HoldFile(const std::string& fileName);
// The file in hand of the run open on this thread ("" without one).
std::string FileInHand();
