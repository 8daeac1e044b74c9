// Message boxes as a service: the UI kit shows them, tests answer them from a queue.
#pragma once

#include <functional>
#include <string>

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

enum TMsgDlgBtn : unsigned {
  mbYes = 1u << 0,
  mbNo = 1u << 1,
  mbOK = 1u << 2,
  mbCancel = 1u << 3,
  mbAbort = 1u << 4,
  mbRetry = 1u << 5,
  mbIgnore = 1u << 6,
  mbAll = 1u << 7,
};
using TMsgDlgButtons = unsigned;
constexpr TMsgDlgButtons mbOKCancel = mbOK | mbCancel;
constexpr TMsgDlgButtons mbYesNo = mbYes | mbNo;
constexpr TMsgDlgButtons mbYesNoCancel = mbYes | mbNo | mbCancel;

// Modal results.
constexpr int mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6,
              mrNo = 7, mrAll = 12;

struct TMessageRequest {
  std::string Text;
  TMsgDlgType Type = mtInformation;
  TMsgDlgButtons Buttons = mbOK;
};

// Who shows a message box and returns the modal result of the button pressed.
using TMessageHandler = std::function<int(const TMessageRequest&)>;

// Shows a modal message box through the installed handler and returns its modal result.
int MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons);
void ShowMessage(const std::string& text); // information with OK

// Installs the handler that shows message boxes (the UI kit at start-up, or a test responder).
// Returns the previous one.
TMessageHandler SetMessageHandler(TMessageHandler handler);
