#include "Dialogs.h"

#include <exception>
#include <filesystem>

#include "Exception.h"

std::string ErrorText(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > static_cast<unsigned char>('.'))
    return message + ".";
  return message;
}

void ShowError(TDialogs& dialogs, const std::string& message) {
  dialogs.ShowMessage(TMessageKind::mkError, ErrorText(message));
}

void RunCommand(TDialogs& dialogs, const std::function<void()>& command) {
  try {
    command();
  } catch (const Exception& e) {
    ShowError(dialogs, e.Message());
  } catch (const std::exception& e) {
    ShowError(dialogs, e.what());
  }
}

bool MayWriteFile(TDialogs& dialogs, const std::string& fileName) {
  std::error_code error;
  if (!std::filesystem::exists(std::filesystem::path(fileName), error)) return true;
  return dialogs.ConfirmReplace(fileName);
}
