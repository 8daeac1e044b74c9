// The one hint of the program: asked of a control for a point, kept while the mouse stays inside
// the rectangle the control gave, and replaced at once when the mouse moves on to another part.
#include "platform/ui/Application.h"
#include "platform/ui/QtBridge.h"

#include <QToolTip>

namespace {

struct TShownHint {
  std::uint64_t ControlId = 0;
  TRect Rect;
  std::string Text;
};

TShownHint Shown;
bool InRequest = false;

} // namespace

bool RequestHint(TControl* control, TPoint clientPos) {
  if (!control || InRequest || !Application->ShowHint() || !control->EffectiveShowHint()) return false;
  THintInfo info;
  info.HintControl = control;
  info.CursorPos = clientPos;
  info.CursorRect = control->ClientRect();
  info.HintPos = control->ClientToScreen({clientPos.X, clientPos.Y + 20});
  std::uint64_t id = control->ControlId();
  InRequest = true;
  LRESULT refused = control->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info));
  InRequest = false;
  if (refused != 0 || info.HintStr.empty() || !IsLiveControl(id)) return false;
  Shown = {id, info.CursorRect, info.HintStr};
  if (QWidget* w = control->Widget()) {
    QRect rect(info.CursorRect.Left, info.CursorRect.Top, info.CursorRect.Width(), info.CursorRect.Height());
    QToolTip::showText(QPoint(info.HintPos.X, info.HintPos.Y), QString::fromStdString(info.HintStr), w, rect);
  }
  return true;
}

void CancelHint() {
  if (Shown.ControlId == 0) return;
  Shown = {};
  QToolTip::hideText();
}

void HintMouseMoved(TControl* control, TPoint clientPos) {
  if (Shown.ControlId == 0) return;
  bool same = control && control->ControlId() == Shown.ControlId;
  if (same && Shown.Rect.Contains(clientPos)) return;
  CancelHint();
  // Moving on from a shown hint shows the next one without the first pause.
  if (control) RequestHint(control, clientPos);
}

std::string ShownHintText() {
  if (Shown.ControlId && !IsLiveControl(Shown.ControlId)) Shown = {};
  return Shown.Text;
}

void TApplication::CancelHint() {
  ::CancelHint();
}
