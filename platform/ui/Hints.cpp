// The one hint of the program: asked of a control for a point, kept while the mouse stays inside
// the rectangle the control gave, and replaced at once when the mouse moves on to another part.
#include "platform/ui/Application.h"
#include "platform/ui/HintWindow.h"
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
// The control's own hint window while it shows a hint.
THintWindow* ShownWindow = nullptr;

void DropHintWindow() {
  if (THintWindow* w = ShownWindow) {
    ShownWindow = nullptr;
    w->ReleaseHint();
    w->Free();
  }
}

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
  if (info.HintWindowClass) {
    DropHintWindow();
    THintWindow* window = info.HintWindowClass();
    if (!window) return false;
    TRect r = window->CalcHintRect(Screen->Width(), info.HintStr, info.HintData);
    if (r.IsEmpty()) {
      window->Free();
      return false;
    }
    OffsetRect(r, info.HintPos.X, info.HintPos.Y);
    Shown = {id, info.CursorRect, info.HintStr};
    ShownWindow = window;
    window->ActivateHint(r, info.HintStr);
    return true;
  }
  Shown = {id, info.CursorRect, info.HintStr};
  if (QWidget* w = control->Widget()) {
    QRect rect(info.CursorRect.Left, info.CursorRect.Top, info.CursorRect.Width(), info.CursorRect.Height());
    QToolTip::showText(QPoint(info.HintPos.X, info.HintPos.Y), QString::fromStdString(info.HintStr), w, rect);
  }
  return true;
}

void CancelHint() {
  DropHintWindow();
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
