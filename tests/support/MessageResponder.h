// Answers the message boxes a test causes, in order, and records each one shown.
#pragma once

#include "platform/Dialogs.h"

#include <deque>
#include <initializer_list>
#include <string>
#include <vector>

struct TShownMessage {
  std::string Text;
  TMsgDlgType Type = mtInformation;
  TMsgDlgButtons Buttons = mbOK;
};

// While it lives, every message box is recorded and answered with the next queued modal result
// (mrOk, mrYes ...). A box with no answer left fails the test naming its text and gets mrCancel;
// an answer whose button the box does not offer fails the test; answers left over at the end fail
// the test. The handler installed before is restored on destruction.
class TMessageResponder {
public:
  explicit TMessageResponder(std::initializer_list<int> answers = {});
  ~TMessageResponder();
  TMessageResponder(const TMessageResponder&) = delete;
  TMessageResponder& operator=(const TMessageResponder&) = delete;

  // Queues one more answer.
  void Answer(int modalResult);
  // Every box shown so far, in order.
  const std::vector<TShownMessage>& Shown() const { return Messages; }
  std::vector<std::string> Texts() const;
  std::size_t Count() const { return Messages.size(); }
  // The last box shown; fails the test when none was.
  TShownMessage Last() const;
  // Drops the record of boxes shown (queued answers stay).
  void ClearShown() { Messages.clear(); }

private:
  int Respond(const TMessageRequest& request);

  std::deque<int> Answers;
  std::vector<TShownMessage> Messages;
  TMessageHandler Previous;
};
