// The message box that MessageDlg shows when the program has a display.
#include "platform/Dialogs.h"
#include "platform/ui/Application.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <utility>
#include <vector>

namespace {

int ShowQtMessageBox(const TMessageRequest& r) {
  QMessageBox box;
  QString title;
  switch (r.Type) {
  case mtWarning:
    box.setIcon(QMessageBox::Warning);
    title = "Warning";
    break;
  case mtError:
    box.setIcon(QMessageBox::Critical);
    title = "Error";
    break;
  case mtInformation:
    box.setIcon(QMessageBox::Information);
    title = "Information";
    break;
  case mtConfirmation:
    box.setIcon(QMessageBox::Question);
    title = "Confirm";
    break;
  case mtCustom:
    title = QString::fromStdString(Application->Title());
    break;
  }
  box.setWindowTitle(title);
  box.setText(QString::fromStdString(r.Text));
  const std::vector<std::pair<TMsgDlgBtn, std::pair<const char*, int>>> buttons = {
      {mbYes, {"&Yes", mrYes}},          {mbNo, {"&No", mrNo}},          {mbOK, {"OK", mrOk}},
      {mbCancel, {"Cancel", mrCancel}},  {mbAbort, {"&Abort", mrAbort}}, {mbRetry, {"&Retry", mrRetry}},
      {mbIgnore, {"&Ignore", mrIgnore}}, {mbAll, {"&All", mrAll}}};
  std::vector<std::pair<QPushButton*, int>> made;
  TMsgDlgButtons wanted = r.Buttons ? r.Buttons : mbOK;
  for (const auto& [flag, info] : buttons) {
    if (!(wanted & flag)) continue;
    QMessageBox::ButtonRole role =
        info.second == mrCancel || info.second == mrNo ? QMessageBox::RejectRole : QMessageBox::AcceptRole;
    made.emplace_back(box.addButton(info.first, role), info.second);
  }
  if (!made.empty()) box.setDefaultButton(made.front().first);
  for (const auto& [button, result] : made)
    if (result == mrCancel) box.setEscapeButton(button);
  box.exec();
  for (const auto& [button, result] : made)
    if (box.clickedButton() == button) return result;
  if (wanted & mbCancel) return mrCancel;
  if (wanted & mbNo) return mrNo;
  return mrOk;
}

} // namespace

void InstallQtMessageBox() {
  SetMessageHandler(ShowQtMessageBox);
}
