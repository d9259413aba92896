#include "ErrorBoundary.h"

#include <exception>
#include <new>

#include "Commands.h"
#include "Exception.h"
#include "PlatformMessages.h"

namespace {

constexpr const char* SUnexpectedFailure = "Unexpected failure";

// The message of the failure being handled.
std::string CurrentFailureMessage() {
  try {
    throw;
  } catch (const Exception& error) {
    return error.Message();
  } catch (const std::bad_alloc&) {
    return SOutOfResources;
  } catch (const std::exception& error) {
    return error.what();
  } catch (...) {
    return SUnexpectedFailure;
  }
}

}  // namespace

std::string FailureLine(const std::string& fileName, const std::string& message) {
  return "korvane-cli: " + (fileName.empty() ? std::string() : fileName + ": ") + message;
}

int RunGuarded(TErrorOutput& errors, TWarningMode mode, const std::function<int()>& body) {
  TFileRun run(errors, mode);
  try {
    return body();
  } catch (...) {
    try {
      errors.WriteLine(FailureLine(run.FileName(), CurrentFailureMessage()));
    } catch (...) {
      // The line could not be written either (no memory for it): the status still tells.
    }
    return ExitFailed;
  }
}
