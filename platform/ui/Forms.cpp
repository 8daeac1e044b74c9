#include "platform/ui/Forms.h"

#include "platform/ui/Application.h"
#include "platform/ui/GraphicsQt.h"
#include "platform/ui/QtBridge.h"

#include <QApplication>
#include <QEventLoop>
#include <QScreen>

#include <algorithm>
#include <utility>
#include <vector>

TForm::TForm(TComponent* AOwner) : TWinControl(AOwner) {
  SetIsForm(true);
  SetControlStyle(ControlStyle() | csAcceptsControls);
  SetParentColor(false);
  SetParentFont(false);
  SetColor(clBtnFace);
  SetBoundsRect(Bounds(0, 0, 320, 240));
  // Forms start hidden; the widget's visibility follows ShowWindow / HideWindow. The window's
  // widgets are made when it is first shown or something needs them.
  DeferWidget();
  SetVisible(false);
  RegisterForm(this);
}

QWidget* TForm::CreateWidget() {
  auto* w = new QtPaintWidget(this);
  w->setAttribute(Qt::WA_QuitOnClose, false);
  w->setAutoFillBackground(true);
  w->setFocusPolicy(Qt::NoFocus);
  return w;
}

void TForm::WidgetCreated() {
  if (!Text().empty()) Widget()->setWindowTitle(QString::fromStdString(Text()));
  ApplyFrame();
}

TForm::~TForm() {
  MarkDestroying();
  if (FModalLoop) static_cast<QEventLoop*>(FModalLoop)->quit();
  // A shown window's widgets going one by one would each mark their place to be painted again.
  if (HasWidget() && Widget()->isVisible()) Widget()->setUpdatesEnabled(false);
  DestroyControls();
  if (HasWidget() && Widget()->isVisible()) Widget()->hide();
  FormHidden(this);
  UnregisterForm(this);
  // What is left is no longer a form (as a dynamic_cast would tell).
  SetIsForm(false);
}

void TForm::AfterConstruction() {
  if (FCreated) return;
  FCreated = true;
  if (OnCreate && CanFire()) OnCreate(this);
}

void TForm::BeforeDestruction() {
  if (OnDestroy && CanFire()) OnDestroy(this);
}

// ---- frame

TSize TForm::FrameSize() const {
  switch (FBorderStyle) {
  case bsNone:
    return {0, 0};
  case bsToolWindow:
  case bsSizeToolWin:
    return {16, 31};
  default:
    return {16, 39};
  }
}

int TForm::ClientWidth() const {
  return std::max(0, Width() - FrameSize().cx);
}
int TForm::ClientHeight() const {
  return std::max(0, Height() - FrameSize().cy);
}

void TForm::SetBorderStyle(TBorderStyle style) {
  if (style == FBorderStyle) return;
  int cw = ClientWidth(), ch = ClientHeight();
  FBorderStyle = style;
  ApplyFrame();
  SetClientWidth(cw);
  SetClientHeight(ch);
}

void TForm::SetBorderIcons(TBorderIcons icons) {
  FBorderIcons = icons;
  ApplyFrame();
}

void TForm::SetFormStyle(TFormStyle style) {
  if (style == FFormStyle) return;
  FFormStyle = style;
  ApplyFrame();
}

void TForm::ApplyFrame() {
  if (!HasWidget()) return;
  QWidget* w = Widget();
  Qt::WindowFlags flags = Qt::Window;
  switch (FBorderStyle) {
  case bsNone:
    flags |= Qt::FramelessWindowHint;
    break;
  case bsDialog:
    flags = Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    break;
  case bsToolWindow:
  case bsSizeToolWin:
    flags = Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    break;
  default:
    flags |= Qt::WindowTitleHint;
    if (FBorderIcons & biSystemMenu) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (FBorderIcons & biMinimize) flags |= Qt::WindowMinimizeButtonHint;
    if (FBorderIcons & biMaximize && FBorderStyle == bsSizeable) flags |= Qt::WindowMaximizeButtonHint;
    break;
  }
  if (FFormStyle == fsStayOnTop) flags |= Qt::WindowStaysOnTopHint;
  bool visible = w->isVisible();
  w->setWindowFlags(flags);
  ApplyGeometry();
  if (visible) w->show();
}

void TForm::ApplyGeometry() {
  if (!HasWidget()) return;
  QWidget* w = Widget();
  int cw = ClientWidth(), ch = ClientHeight();
  // Without a display there is no window manager to hold a fixed size.
  bool sizeable = FBorderStyle == bsSizeable || FBorderStyle == bsSizeToolWin || Application->Headless();
  if (sizeable) {
    w->setMinimumSize(0, 0);
    w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    w->resize(cw, ch);
  } else {
    w->setFixedSize(cw, ch);
  }
  w->move(Left(), Top());
}

void TForm::ApplyVisible() {
  if (Visible())
    ShowWindow();
  else
    HideWindow();
}

bool TForm::Showing() const {
  return Visible() && FShown;
}

void TForm::SetTextNative(const std::string& text) {
  TWinControl::SetTextNative(text);
  if (HasWidget()) Widget()->setWindowTitle(QString::fromStdString(text));
}

void TForm::ApplyLook() {
  TWinControl::ApplyLook();
  if (HasWidget()) Widget()->setAutoFillBackground(true);
}

QWidget* TForm::ContainerWidget() const {
  return Widget();
}

// ---- showing

void TForm::PlaceOnScreen() {
  bool center = FPosition == poScreenCenter || FPosition == poDesktopCenter;
  TForm* anchor = nullptr;
  if (FPosition == poMainFormCenter) anchor = Application->MainForm();
  if (FPosition == poOwnerFormCenter) anchor = dynamic_cast<TForm*>(Owner());
  if (anchor == this || (anchor && !anchor->Showing())) {
    anchor = nullptr;
    center = FPosition != poDesigned;
  }
  if (anchor) {
    SetBounds(anchor->Left() + (anchor->Width() - Width()) / 2,
              anchor->Top() + (anchor->Height() - Height()) / 2, Width(), Height());
  } else if (center) {
    SetBounds((Screen->Width() - Width()) / 2, (Screen->Height() - Height()) / 2, Width(), Height());
  }
}

void TForm::ShowWindow() {
  if (FShown) return;
  AfterConstruction();
  DoShow();
  if (!Visible() || FShown) return; // OnShow hid it again
  PlaceOnScreen();
  ApplyGeometry();
  FShown = true;
  Widget()->show();
  if (!Application->Headless()) Widget()->raise();
  if (!ActivatesOnShow()) return; // floats over the active form and leaves it active
  Widget()->activateWindow();
  FormRaised(this);
  Activated();
}

void TForm::HideWindow() {
  if (!FShown) return;
  FShown = false;
  DoHide();
  FFocusedControl = nullptr;
  if (HasWidget()) Widget()->hide();
  FormHidden(this);
}

void TForm::DoShow() {
  if (OnShow && CanFire()) OnShow(this);
}

void TForm::DoHide() {
  if (OnHide && CanFire()) OnHide(this);
}

void TForm::DoClose(TCloseAction& Action) {
  if (OnClose && CanFire()) OnClose(this, Action);
}

void TForm::CMVisibleChanged(TMessage& Message) {
  TWinControl::CMVisibleChanged(Message);
}

bool TForm::Active() const {
  return Showing() && Screen->ActiveForm() == this;
}

namespace {

// The control that heard WM_SETFOCUS last, in whichever form; by id, as it may be gone since.
TWinControl* FocusHolderControl = nullptr;
std::uint64_t FocusHolderId = 0;

} // namespace

TWinControl* FocusHolder() {
  return FocusHolderId && IsLiveControl(FocusHolderId) ? FocusHolderControl : nullptr;
}

void SetFocusHolder(TWinControl* control) {
  FocusHolderControl = control;
  FocusHolderId = control ? control->ControlId() : 0;
}

void TForm::Activated() {
  if (!Showing()) return;
  if (!FActiveControl || !FActiveControl->CanFocus()) {
    FActiveControl = nullptr;
    SelectNext(nullptr, true, true);
  }
  if (FActiveControl && FFocusedControl != FActiveControl) {
    FocusChangedTo(FActiveControl);
  } else if (TWinControl* holder = FocusHolder(); FFocusedControl && holder != FFocusedControl) {
    // Back from another form: the focus returns to the control the form kept.
    TWinControl* to = FFocusedControl;
    std::uint64_t toId = to->ControlId(), holderId = holder ? holder->ControlId() : 0;
    SetFocusHolder(nullptr);
    if (holder) holder->Perform(WM_KILLFOCUS, reinterpret_cast<WPARAM>(to));
    if (IsLiveControl(toId) && FFocusedControl == to) {
      SetFocusHolder(to);
      to->Perform(WM_SETFOCUS,
                  reinterpret_cast<WPARAM>(holderId && IsLiveControl(holderId) ? holder : nullptr));
    }
  }
  if (FFocusedControl) {
    if (QWidget* k = TControlAccess::KeyWidget(FFocusedControl)) k->setFocus(Qt::ActiveWindowFocusReason);
  }
  if (OnActivate && CanFire()) OnActivate(this);
}

// ---- modal showing and closing

TModalResult TForm::ShowModal() {
  if (FModal || Destroying()) return mrCancel;
  Application->Initialize();
  if (Visible()) SetVisible(false);
  TForm* previous = Screen->ActiveForm();
  FModal = true;
  FModalResult = mrNone;
  FCloseConfirmed = false;
  ++Application->FModalLevel;
  QWidget* w = Widget();
  w->setWindowModality(Qt::ApplicationModal);
  SetVisible(true);

  bool headless = Application->Headless();
  bool scriptRan = false;
  QEventLoop loop;
  FModalLoop = &loop;
  while (!Destroying()) {
    if (FModalResult != mrNone) {
      if (!FCloseConfirmed) CloseModal();
      if (FModalResult != mrNone) break;
    }
    if (Application->Terminated() || !Visible()) {
      if (FModalResult == mrNone) FModalResult = mrCancel;
      break;
    }
    if (headless) {
      if (scriptRan) {
        ReportHeadlessUnclosed(*this);
        FModalResult = mrCancel;
        break;
      }
      scriptRan = true;
      if (!RunHeadlessModalScript(*this)) {
        FModalResult = mrCancel;
        break;
      }
      Application->ProcessMessages();
    } else {
      loop.exec();
    }
  }
  FModalLoop = nullptr;
  TModalResult result = FModalResult;
  if (!Destroying()) {
    SetVisible(false);
    w->setWindowModality(Qt::NonModal);
  }
  FModal = false;
  --Application->FModalLevel;
  if (previous && previous != this && previous->Showing()) {
    FormRaised(previous);
    if (previous->Widget()) previous->Widget()->activateWindow();
    previous->Activated();
  }
  return result;
}

void TForm::SetModalResult(TModalResult result) {
  FModalResult = result;
  if (FModal && result != mrNone && FModalLoop) static_cast<QEventLoop*>(FModalLoop)->quit();
}

// While headless, a script runs inside the modal loop: every step it takes ends with this check,
// as a turn of the real loop would.
void TForm::CheckModalClose() {
  if (!FModal || FCloseConfirmed || FModalResult == mrNone) return;
  CloseModal();
  FCloseConfirmed = FModalResult != mrNone;
}

void TForm::CloseModal() {
  TCloseAction action = caNone;
  if (CloseQuery()) {
    action = caHide;
    DoClose(action);
  }
  if (action == caNone) FModalResult = mrNone;
}

bool TForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery && CanFire()) OnCloseQuery(this, canClose);
  return canClose;
}

void TForm::Close() {
  if (FModal) {
    SetModalResult(mrCancel);
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone) return;
  if (Application->MainForm() == this) {
    SetVisible(false);
    Application->Terminate();
    return;
  }
  if (action == caMinimize && Widget()) {
    Widget()->showMinimized();
    return;
  }
  // Forms live until the program ends, so caFree hides like caHide.
  SetVisible(false);
}

void TForm::WidgetClosed() {
  Close();
}

// ---- focus

void TForm::SetActiveControl(TWinControl* control) {
  if (control == this) control = nullptr;
  if (control && (GetParentForm(control) != this || !control->CanFocus())) return;
  FActiveControl = control;
  if (Showing()) FocusChangedTo(control);
}

void TForm::FocusChangedTo(TWinControl* control) {
  if (Destroying()) return;
  FActiveControl = control;
  if (control != FFocusedControl) {
    TWinControl* old = FFocusedControl;
    std::uint64_t generation = ++FFocusGeneration;
    FFocusedControl = nullptr;
    // Only the controls the focus really leaves and enters hear of it: moving between two
    // children of a panel (or into a grid's own editor) leaves the panel (the grid) alone.
    // Ids, because a handler may destroy a control of the chain.
    std::vector<std::pair<TWinControl*, std::uint64_t>> exits, enters;
    for (TWinControl* c = old; c && c != this && !c->ContainsControl(control); c = c->Parent())
      exits.emplace_back(c, c->ControlId());
    for (TWinControl* c = control; c && c != this && !(old && c->ContainsControl(old)); c = c->Parent())
      enters.emplace(enters.begin(), c, c->ControlId());
    std::uint64_t oldId = old ? old->ControlId() : 0, newId = control ? control->ControlId() : 0;
    // The control that has the keyboard focus hears that it loses it, also when it is in another
    // form (a dialog taking the focus from an edit under way).
    TWinControl* holder = FocusHolder();
    std::uint64_t holderId = holder ? holder->ControlId() : 0;
    if (holder && holder != control) {
      SetFocusHolder(nullptr);
      holder->Perform(WM_KILLFOCUS, reinterpret_cast<WPARAM>(control));
      if (generation != FFocusGeneration || Destroying()) return; // the handler moved the focus
      if (newId && !IsLiveControl(newId)) return;
    }
    for (auto [c, id] : exits) {
      if (IsLiveControl(id)) c->Perform(CM_EXIT, 0, reinterpret_cast<LPARAM>(control));
      if (generation != FFocusGeneration || Destroying()) return; // the exit handler moved the focus
    }
    FFocusedControl = control;
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control));
    if (generation != FFocusGeneration) return;
    for (auto [c, id] : enters) {
      TWinControl* from = oldId && IsLiveControl(oldId) ? old : nullptr;
      if (IsLiveControl(id)) c->Perform(CM_ENTER, 0, reinterpret_cast<LPARAM>(from));
      if (generation != FFocusGeneration) return;
    }
    if (control && IsLiveControl(newId) && holder != control) {
      TWinControl* from = holderId && IsLiveControl(holderId) ? holder : nullptr;
      SetFocusHolder(control);
      control->Perform(WM_SETFOCUS, reinterpret_cast<WPARAM>(from));
      if (generation != FFocusGeneration) return;
    }
  }
  if (control && Showing()) {
    if (QWidget* k = TControlAccess::KeyWidget(control); k && !k->hasFocus())
      k->setFocus(Qt::OtherFocusReason);
  }
}

void TForm::ControlRemoved(TControl* control) {
  if (!FActiveControl && !FFocusedControl) return;
  auto contains = [control](TWinControl* c) {
    if (!c) return false;
    if (c == control) return true;
    auto* win = dynamic_cast<TWinControl*>(control);
    return win && win->ContainsControl(c);
  };
  if (contains(FActiveControl)) FActiveControl = nullptr;
  if (contains(FFocusedControl)) FFocusedControl = nullptr;
}

void TForm::CMDialogKey(TMessage& M) {
  auto key = static_cast<std::uint16_t>(M.WParam);
  auto shift = ShiftOfKeyData(M.LParam);
  if (!(shift & ssAlt)) {
    switch (key) {
    case VK_TAB:
      if (!(shift & ssCtrl)) {
        SelectNext(FActiveControl, !(shift & ssShift), true);
        M.Result = 1;
        return;
      }
      break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      if (FActiveControl && FActiveControl->Parent()) {
        FActiveControl->Parent()->SelectNext(FActiveControl, key == VK_RIGHT || key == VK_DOWN, false);
        M.Result = 1;
      }
      return;
    default:
      break;
    }
  }
  TWinControl::CMDialogKey(M);
}
