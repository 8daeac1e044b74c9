#include "support/MessageResponder.h"

#include <gtest/gtest.h>

namespace {

TMsgDlgButtons ButtonOf(int modalResult) {
  switch (modalResult) {
  case mrOk:
    return mbOK;
  case mrCancel:
    return mbCancel;
  case mrAbort:
    return mbAbort;
  case mrRetry:
    return mbRetry;
  case mrIgnore:
    return mbIgnore;
  case mrYes:
    return mbYes;
  case mrNo:
    return mbNo;
  case mrAll:
    return mbAll;
  default:
    return 0;
  }
}

} // namespace

TMessageResponder::TMessageResponder(std::initializer_list<int> answers) : Answers(answers) {
  Previous = SetMessageHandler([this](const TMessageRequest& request) { return Respond(request); });
}

TMessageResponder::~TMessageResponder() {
  SetMessageHandler(std::move(Previous));
  if (!Answers.empty())
    ADD_FAILURE() << Answers.size()
                  << " queued message box answer(s) were never used (first: " << Answers.front() << ")";
}

void TMessageResponder::Answer(int modalResult) {
  Answers.push_back(modalResult);
}

std::vector<std::string> TMessageResponder::Texts() const {
  std::vector<std::string> texts;
  for (const auto& m : Messages)
    texts.push_back(m.Text);
  return texts;
}

TShownMessage TMessageResponder::Last() const {
  if (Messages.empty()) {
    ADD_FAILURE() << "no message box was shown";
    return {};
  }
  return Messages.back();
}

int TMessageResponder::Respond(const TMessageRequest& request) {
  Messages.push_back({request.Text, request.Type, request.Buttons});
  if (Answers.empty()) {
    ADD_FAILURE() << "message box nobody answers: \"" << request.Text << "\"";
    return mrCancel;
  }
  int answer = Answers.front();
  Answers.pop_front();
  if ((ButtonOf(answer) & request.Buttons) == 0)
    ADD_FAILURE() << "answer " << answer << " is not a button of the message box \"" << request.Text << "\"";
  return answer;
}
