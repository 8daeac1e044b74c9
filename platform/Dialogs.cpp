#include "platform/Dialogs.h"

#include <cstdio>
#include <utility>

namespace {

// Without a user interface nobody can answer: say so on stderr and take the safe way out.
int NoUserInterface(const TMessageRequest& request) {
  std::fprintf(stderr, "message box without a user interface: %s\n", request.Text.c_str());
  if (request.Buttons & mbCancel) return mrCancel;
  if (request.Buttons & mbNo) return mrNo;
  return mrOk;
}

TMessageHandler& Handler() {
  static TMessageHandler handler = NoUserInterface;
  return handler;
}

} // namespace

int MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) {
  return Handler()(TMessageRequest{text, type, buttons});
}

void ShowMessage(const std::string& text) { MessageDlg(text, mtInformation, mbOK); }

TMessageHandler SetMessageHandler(TMessageHandler handler) {
  TMessageHandler previous = std::move(Handler());
  Handler() = handler ? std::move(handler) : TMessageHandler(NoUserInterface);
  return previous;
}
