// TDialogs: the file dialogs and message boxes that the windows use, behind
// one small interface so that tests can answer them. TQtDialogs (QtDialogs.h)
// shows the real ones; the functions below are the rules every caller shares:
// how an error message is finished, how a failing command ends, and asking
// before a file is replaced.
#pragma once

#include <functional>
#include <optional>
#include <string>

struct TOpenFileRequest {
  std::string Filter;  // "description|patterns|description|patterns..."
};

struct TSaveFileRequest {
  std::string Filter;
  int FilterIndex = 1;     // 1-based entry of Filter selected at first
  std::string DefaultExt;  // ".bmx": appended when the name typed has no extension; empty for none
  std::string FileName;    // preset name, may be a whole path
};

enum class TMessageKind { mkError, mkInformation };

class TDialogs {
public:
  virtual ~TDialogs() = default;

  // The file the user chose, or nothing when the dialog was cancelled.
  virtual std::optional<std::string> OpenFile(const TOpenFileRequest& request) = 0;
  virtual std::optional<std::string> SaveFile(const TSaveFileRequest& request) = 0;
  // True when the user agrees that the named file may be replaced.
  virtual bool ConfirmReplace(const std::string& fileName) = 0;
  // A modal message with one OK button; a carriage return in text starts a new line.
  virtual void ShowMessage(TMessageKind kind, const std::string& text) = 0;
};

// The text of an error message as shown: a period is added when the last
// character sorts after "." ("Bitmap image is not valid." but
// "List index out of bounds (1)").
std::string ErrorText(const std::string& message);
void ShowError(TDialogs& dialogs, const std::string& message);
// Runs a user command; a failure ends it at the failing step and is shown as
// an error message. What the command did before that step stays done.
void RunCommand(TDialogs& dialogs, const std::function<void()>& command);
// The same as a handler for a control's signal: every command of a window
// is connected through one of these.
inline std::function<void()> Guarded(TDialogs& dialogs, std::function<void()> command) {
  return [&dialogs, command = std::move(command)] { RunCommand(dialogs, command); };
}
template <class TWindow, class... TArgs>
auto Guarded(TDialogs& dialogs, TWindow* window, void (TWindow::*handler)(TArgs...)) {
  return [&dialogs, window, handler](TArgs... args) { RunCommand(dialogs, [&] { (window->*handler)(args...); }); };
}
// True when fileName may be written: it does not exist yet, or the user agrees
// to replace it.
bool MayWriteFile(TDialogs& dialogs, const std::string& fileName);
