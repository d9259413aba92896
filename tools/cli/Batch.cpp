#include "Batch.h"

#include <atomic>
#include <filesystem>
#include <map>
#include <sstream>
#include <thread>

#include "Commands.h"
#include "ErrorBoundary.h"

namespace {

// Forwards what a file's run printed, line by line.
void ForwardLines(const std::string& text, TErrorOutput& errors) {
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) errors.WriteLine(line);
}

class TBatchRun {
public:
  TBatchRun(const TBatch& batch, TErrorOutput& errors, const TConvertFile& convert)
      : FBatch(batch), FErrors(errors), FConvert(convert), FOutputs(batch.Inputs.size()) {
    for (std::size_t i = 0; i < batch.Inputs.size(); ++i)
      FOutputs[i] = BatchOutputName(batch.Inputs[i], batch.OutputFolder, batch.OutputExtension);
  }

  int Run();

private:
  void Work();
  int ConvertOne(std::size_t index);
  // Two inputs of one name in different folders would write one output:
  // the later ones fail instead of replacing the first's.
  void RefuseSharedOutputs();

  const TBatch& FBatch;
  TErrorOutput& FErrors;
  const TConvertFile& FConvert;
  std::vector<std::string> FOutputs;
  std::vector<bool> FRefused;
  std::atomic<std::size_t> FNext = 0;
  std::atomic<std::size_t> FDone = 0;
  std::atomic<std::size_t> FFailed = 0;
  std::atomic<bool> FBadUsage = false;
};

int TBatchRun::Run() {
  RefuseSharedOutputs();
  const std::size_t threads = std::min<std::size_t>(std::max(FBatch.Threads, 1u), FBatch.Inputs.size());
  {
    std::vector<std::jthread> pool;
    for (std::size_t i = 1; i < threads; ++i) pool.emplace_back([this] { Work(); });
    Work();
  }
  if (FBadUsage) return ExitUsage;
  if (FFailed == 0) {
    if (FBatch.ShowProgress) FErrors.EndProgress();
    return ExitOk;
  }
  FErrors.WriteLine("korvane-cli: " + std::to_string(FFailed.load()) + " of " + std::to_string(FBatch.Inputs.size()) +
                    " files failed");
  return ExitFailed;
}

void TBatchRun::Work() {
  for (std::size_t index = FNext++; index < FBatch.Inputs.size() && !FBadUsage; index = FNext++) {
    const int status = ConvertOne(index);
    if (status == ExitUsage) {
      FBadUsage = true;
      return;
    }
    if (status != ExitOk) ++FFailed;
    const std::size_t done = ++FDone;
    if (FBatch.ShowProgress)
      FErrors.WriteProgress("korvane-cli: " + std::to_string(done) + " of " + std::to_string(FBatch.Inputs.size()) +
                            " files");
  }
}

int TBatchRun::ConvertOne(std::size_t index) {
  const std::string& input = FBatch.Inputs[index];
  if (FRefused[index]) {
    FErrors.WriteLine(FailureLine(input, FOutputs[index] + " is the output of an earlier input of the same name"));
    return ExitFailed;
  }
  std::ostringstream printed;
  const int status = RunGuarded(FErrors, FBatch.Warnings, [&] {
    HoldFile(input);
    return FConvert(input, FOutputs[index], printed);
  });
  // Only the first bad usage is told: every file would repeat it.
  if (status != ExitUsage || !FBadUsage.exchange(true)) ForwardLines(printed.str(), FErrors);
  return status;
}

void TBatchRun::RefuseSharedOutputs() {
  FRefused.assign(FOutputs.size(), false);
  std::map<std::filesystem::path, std::size_t> first;
  for (std::size_t i = 0; i < FOutputs.size(); ++i)
    if (!first.emplace(std::filesystem::path(FOutputs[i]).lexically_normal(), i).second) FRefused[i] = true;
}

}  // namespace

unsigned DefaultBatchThreads() { return std::max(std::thread::hardware_concurrency(), 1u); }

std::string BatchOutputName(const std::string& input, const std::string& folder, const std::string& extension) {
  std::filesystem::path name = std::filesystem::path(input).filename();
  name.replace_extension(extension);
  return (std::filesystem::path(folder) / name).string();
}

int RunBatch(const TBatch& batch, TErrorOutput& errors, const TConvertFile& convert) {
  if (batch.Inputs.empty()) return ExitOk;
  return TBatchRun(batch, errors, convert).Run();
}
