#include "FileRun.h"

#include "Exception.h"

namespace {

// Each thread of a batch runs one file at a time; a run opened inside
// another (a command that runs a command) stands in for it until it ends.
thread_local TFileRun* CurrentRun = nullptr;

}  // namespace

void TErrorOutput::WriteLine(const std::string& line) {
  const std::lock_guard lock(FLock);
  if (FProgressShown) FErr << "\r\033[K";
  FProgressShown = false;
  FErr << line << '\n';
  FErr.flush();
}

void TErrorOutput::WriteProgress(const std::string& line) {
  const std::lock_guard lock(FLock);
  FErr << '\r' << line << "\033[K";
  FErr.flush();
  FProgressShown = true;
}

void TErrorOutput::EndProgress() {
  const std::lock_guard lock(FLock);
  if (FProgressShown) FErr << "\r\033[K";
  FErr.flush();
  FProgressShown = false;
}

TFileRun::TFileRun(TErrorOutput& errors, TWarningMode mode) : FErrors(errors), FMode(mode), FOuter(CurrentRun) {
  CurrentRun = this;
}

TFileRun::~TFileRun() { CurrentRun = FOuter; }

TFileRun* TFileRun::Current() { return CurrentRun; }

void TFileRun::ReportWarnings(const std::vector<std::string>& warnings) {
  if (warnings.empty() || FMode == TWarningMode::Quiet) return;
  if (FMode == TWarningMode::Strict) throw Exception(warnings.front());
  for (const std::string& warning : warnings) FErrors.WriteLine("korvane-cli: warning: " + FFileName + ": " + warning);
}

void HoldFile(const std::string& fileName) {
  if (CurrentRun != nullptr) CurrentRun->Hold(fileName);
}

std::string FileInHand() { return CurrentRun != nullptr ? CurrentRun->FileName() : std::string(); }
