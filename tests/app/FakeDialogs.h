// TFakeDialogs: answers the windows' file dialogs from scripted answers and
// records every request, question and message, so tests see exactly what a
// user would have been asked and shown. A dialog that comes without a
// scripted answer fails the test and is taken as cancelled.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "Dialogs.h"

struct TShownMessage {
  TMessageKind Kind;
  std::string Text;
};

class TFakeDialogs : public TDialogs {
public:
  std::deque<std::optional<std::string>> OpenAnswers;  // nullopt: the user cancels
  std::deque<std::optional<std::string>> SaveAnswers;
  std::deque<bool> ReplaceAnswers;

  std::vector<TOpenFileRequest> OpenRequests;
  std::vector<TSaveFileRequest> SaveRequests;
  std::vector<std::string> ReplaceQuestions;
  std::vector<TShownMessage> Messages;

  std::optional<std::string> OpenFile(const TOpenFileRequest& request) override {
    OpenRequests.push_back(request);
    return Next(OpenAnswers, "open dialog", std::optional<std::string>{});
  }
  std::optional<std::string> SaveFile(const TSaveFileRequest& request) override {
    SaveRequests.push_back(request);
    return Next(SaveAnswers, "save dialog", std::optional<std::string>{});
  }
  bool ConfirmReplace(const std::string& fileName) override {
    ReplaceQuestions.push_back(fileName);
    return Next(ReplaceAnswers, "replace question", false);
  }
  void ShowMessage(TMessageKind kind, const std::string& text) override { Messages.push_back({kind, text}); }

  // The only message shown since the last call, or a failure.
  TShownMessage TakeMessage() {
    EXPECT_EQ(Messages.size(), 1u);
    TShownMessage shown = Messages.empty() ? TShownMessage{TMessageKind::mkInformation, ""} : Messages.back();
    Messages.clear();
    return shown;
  }

private:
  template <class T>
  static T Next(std::deque<T>& answers, const char* what, T unanswered) {
    if (answers.empty()) {
      ADD_FAILURE() << "unexpected " << what;
      return unanswered;
    }
    T answer = answers.front();
    answers.pop_front();
    return answer;
  }
};
