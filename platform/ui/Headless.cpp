#include "platform/ui/Headless.h"

#include "platform/AtomicFile.h"
#include "platform/ui/Application.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/KeyState.h"
#include "platform/ui/Menus.h"
#include "platform/ui/QtBridge.h"
#include "platform/ui/StdCtrls.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QContextMenuEvent>
#include <QEnterEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QWheelEvent>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <utility>

namespace {

Headless::TFailureReporter& Reporter() {
  static auto* reporter = new Headless::TFailureReporter;
  return *reporter;
}

std::deque<std::function<void(TForm&)>>& ModalScripts() {
  static auto* scripts = new std::deque<std::function<void(TForm&)>>;
  return *scripts;
}

TPopupMenu* LastPopup = nullptr;
std::uint64_t HoverId = 0;
QWidget* HoverWidget = nullptr;
Qt::MouseButtons ButtonsDown;
quint64 Stamp = 1000;

// How many scopes hold each key.
std::map<std::uint16_t, int>& HeldCounts() {
  static auto* counts = new std::map<std::uint16_t, int>;
  return *counts;
}

// The modifiers of the held keys, as a keyboard reports them (AltGr as the group switch).
Qt::KeyboardModifiers HeldModifiers() {
  Qt::KeyboardModifiers m;
  for (auto [vk, count] : HeldCounts()) {
    if (count <= 0) continue;
    if (vk == VK_SHIFT || vk == VK_LSHIFT || vk == VK_RSHIFT) m |= Qt::ShiftModifier;
    if (vk == VK_CONTROL || vk == VK_LCONTROL || vk == VK_RCONTROL) m |= Qt::ControlModifier;
    if (vk == VK_LMENU) m |= Qt::AltModifier;
    if (vk == VK_RMENU) m |= Qt::GroupSwitchModifier;
  }
  return m;
}

// After an event that carried extra modifiers the keyboard is back to what the scopes hold.
void RestoreHeld() {
  SyncKeyState(HeldModifiers());
  for (auto [vk, count] : HeldCounts())
    if (count > 0) SetKeyHeld(vk, true);
}

std::string Describe(const TComponent& c) {
  std::string name = c.Name().empty() ? "(unnamed)" : c.Name();
  return name + " (" + c.ClassName() + ")";
}

// Visible and enabled up to its form (the form itself need not be shown).
bool Reachable(const TControl& control, std::string& why) {
  for (const TControl* c = &control; c; c = c->Parent()) {
    if (dynamic_cast<const TForm*>(c)) break;
    if (!c->Visible()) {
      why = Describe(*c) + " is hidden";
      return false;
    }
    if (!c->Enabled()) {
      why = Describe(*c) + " is disabled";
      return false;
    }
  }
  return true;
}

Qt::MouseButton QtButton(TMouseButton b) {
  return b == mbRight ? Qt::RightButton : b == mbMiddle ? Qt::MiddleButton : Qt::LeftButton;
}

// Where a click lands: the centre, or the box of a check box or radio button.
TPoint ClickPoint(const TControl& control) {
  int w = control.Width(), h = control.Height();
  TAlignment align = taRightJustify;
  if (auto* cb = dynamic_cast<const TCheckBox*>(&control))
    align = cb->Alignment();
  else if (auto* rb = dynamic_cast<const TRadioButton*>(&control))
    align = rb->Alignment();
  else
    return {w / 2, h / 2};
  return {align == taLeftJustify ? std::max(0, w - 7) : std::min(6, std::max(0, w - 1)), h / 2};
}

void SendMouse(QEvent::Type type, TControl& control, TPoint at, Qt::MouseButton button, TShiftState shift) {
  TControl* target = CaptureControl() ? CaptureControl() : &control;
  QWidget* from = control.Widget();
  QWidget* to = target->Widget();
  if (!from || !to) return;
  QPoint global = from->mapToGlobal(QPoint(at.X, at.Y));
  QPoint local = to == from ? QPoint(at.X, at.Y) : to->mapFromGlobal(global);
  QMouseEvent event(type, QPointF(local), QPointF(local), QPointF(global), button, ButtonsDown,
                    QtModifiersFromShift(shift) | HeldModifiers());
  event.setTimestamp(++Stamp);
  QApplication::sendEvent(to, &event);
  RestoreHeld();
}

void SetHover(TControl* control) {
  std::uint64_t id = control ? control->ControlId() : 0;
  if (id == HoverId) return;
  if (HoverId && IsLiveControl(HoverId) && HoverWidget) {
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(HoverWidget, &leave);
  }
  HoverId = id;
  HoverWidget = control ? control->Widget() : nullptr;
  if (HoverWidget) {
    QEnterEvent enter(QPointF(0, 0), QPointF(0, 0), QPointF(HoverWidget->mapToGlobal(QPoint(0, 0))));
    QApplication::sendEvent(HoverWidget, &enter);
  }
}

// The widget keys go to: the focused control of the form, or the form.
QWidget* KeyTarget(TForm& form) {
  TWinControl* target = form.ActiveControl();
  if (!target || !target->CanFocus()) target = &form;
  return TControlAccess::KeyWidget(target);
}

void SendKey(TForm& form, bool press, std::uint16_t vk, TShiftState shift, QString text) {
  QWidget* w = KeyTarget(form);
  if (!w) return;
  int key = QtKeyFromVirtualKey(vk);
  Qt::KeyboardModifiers modifiers = QtModifiersFromShift(shift) | HeldModifiers();
  if (IsKeypadVirtualKey(vk)) modifiers |= Qt::KeypadModifier;
  QKeyEvent event(press ? QEvent::KeyPress : QEvent::KeyRelease, key, modifiers, text);
  event.setTimestamp(++Stamp);
  QApplication::sendEvent(w, &event);
  RestoreHeld();
}

// The key that types a character (US layout), with Shift when it needs it.
std::pair<std::uint16_t, TShiftState> KeyForChar(char16_t ch) {
  if (ch >= 'a' && ch <= 'z') return {static_cast<std::uint16_t>(ch - 'a' + 'A'), 0};
  if (ch >= 'A' && ch <= 'Z') return {static_cast<std::uint16_t>(ch), ssShift};
  if (ch >= '0' && ch <= '9') return {static_cast<std::uint16_t>(ch), 0};
  switch (ch) {
  case ' ':
    return {VK_SPACE, 0};
  case '\r':
  case '\n':
    return {VK_RETURN, 0};
  case '\t':
    return {VK_TAB, 0};
  case 8:
    return {VK_BACK, 0};
  case 27:
    return {VK_ESCAPE, 0};
  default:
    break;
  }
  static const std::uint16_t oem[] = {VK_OEM_PERIOD, VK_OEM_COMMA, VK_OEM_MINUS, VK_OEM_PLUS,
                                      VK_OEM_1,      VK_OEM_2,     VK_OEM_3,     VK_OEM_4,
                                      VK_OEM_5,      VK_OEM_6,     VK_OEM_7};
  for (std::uint16_t vk : oem) {
    if (CharOfVirtualKey(vk, 0) == ch) return {vk, 0};
    if (CharOfVirtualKey(vk, ssShift) == ch) return {vk, ssShift};
  }
  static const char shifted[] = ")!@#$%^&*(";
  for (int d = 0; d < 10; ++d)
    if (shifted[d] == ch) return {static_cast<std::uint16_t>('0' + d), ssShift};
  return {0, 0};
}

TForm* FormOf(TControl& control) {
  if (auto* f = dynamic_cast<TForm*>(&control)) return f;
  return GetParentForm(&control);
}

} // namespace

// ---------------------------------------------------------------------------------------------

bool RunHeadlessModalScript(TForm& form) {
  auto& scripts = ModalScripts();
  if (scripts.empty()) {
    Headless::ReportFailure("ShowModal of " + Describe(form) +
                            " with no script queued (Headless::OnNextModal); it returns mrCancel");
    return false;
  }
  auto script = std::move(scripts.front());
  scripts.pop_front();
  script(form);
  return true;
}

void ReportHeadlessUnclosed(TForm& form) {
  Headless::ReportFailure("the script run in ShowModal of " + Describe(form) +
                          " returned without closing it; ShowModal returns mrCancel");
}

void HeadlessPopupShown(TPopupMenu* menu) {
  LastPopup = menu;
}

void HeadlessPopupGone(TPopupMenu* menu) {
  if (LastPopup == menu) LastPopup = nullptr;
}

namespace Headless {

THeldKeys::THeldKeys(std::initializer_list<std::uint16_t> keys) : FKeys(keys) {
  for (std::uint16_t vk : FKeys) {
    if (vk == VK_MENU) vk = VK_LMENU;
    if (HeldCounts()[vk]++ == 0) SetKeyHeld(vk, true);
  }
}

THeldKeys::~THeldKeys() {
  for (std::uint16_t vk : FKeys) {
    if (vk == VK_MENU) vk = VK_LMENU;
    if (--HeldCounts()[vk] == 0) SetKeyHeld(vk, false);
  }
}

TFailureReporter SetFailureReporter(TFailureReporter reporter) {
  TFailureReporter previous = std::move(Reporter());
  Reporter() = std::move(reporter);
  // A driven test also hears of drawing outside a paint.
  SetUnboundDrawingHandler(Reporter() ? TUnboundDrawingHandler(ReportFailure) : TUnboundDrawingHandler());
  return previous;
}

void ReportFailure(const std::string& message) {
  if (Reporter()) {
    Reporter()(message);
    return;
  }
  std::fprintf(stderr, "headless UI: %s\n", message.c_str());
  std::abort();
}

TComponent* FindComponentDeep(const TComponent& root, const std::string& name) {
  if (TComponent* c = root.FindComponent(name)) return c;
  for (int i = 0; i < root.ComponentCount(); ++i)
    if (TComponent* c = FindComponentDeep(*root.Components(i), name)) return c;
  return nullptr;
}

TControl* FindControl(const TComponent& root, const std::string& name) {
  return dynamic_cast<TControl*>(FindComponentDeep(root, name));
}

// ---- mouse

void MouseMove(TControl& control, TPoint at) {
  SetHover(&control);
  SendMouse(QEvent::MouseMove, control, at, Qt::NoButton, 0);
}

void MouseDown(TControl& control, TPoint at, TMouseButton button, TShiftState shift) {
  SetHover(&control);
  ButtonsDown |= QtButton(button);
  SendMouse(QEvent::MouseButtonPress, control, at, QtButton(button), shift);
}

void MouseUp(TControl& control, TPoint at, TMouseButton button, TShiftState shift) {
  ButtonsDown &= ~QtButton(button);
  SendMouse(QEvent::MouseButtonRelease, control, at, QtButton(button), shift);
}

void ContextMenu(TControl& control, TPoint at) {
  QWidget* w = control.Widget();
  if (!w) return;
  SetHover(&control);
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(at.X, at.Y), w->mapToGlobal(QPoint(at.X, at.Y)),
                          QtModifiersFromShift(0) | HeldModifiers());
  QApplication::sendEvent(w, &event);
  Application->ProcessMessages();
}

void MouseLeave() {
  SetHover(nullptr);
  CancelHint();
}

void MouseWheel(TControl& control, TPoint at, int delta, TShiftState shift) {
  QWidget* w = control.Widget();
  if (!w) return;
  QPoint global = w->mapToGlobal(QPoint(at.X, at.Y));
  QWheelEvent event(QPointF(at.X, at.Y), QPointF(global), QPoint(), QPoint(0, delta), ButtonsDown,
                    QtModifiersFromShift(shift) | HeldModifiers(), Qt::NoScrollPhase, false);
  event.setTimestamp(++Stamp);
  QApplication::sendEvent(w, &event);
  RestoreHeld();
  Application->ProcessMessages();
}

bool Click(TControl& control) {
  std::string why;
  if (!Reachable(control, why)) {
    ReportFailure("cannot click " + Describe(control) + ": " + why);
    return false;
  }
  TPoint p = ClickPoint(control);
  MouseMove(control, p);
  // A control that takes the focus on a click takes it before the button goes down.
  if (auto* win = dynamic_cast<TWinControl*>(&control);
      win && win->Widget() && (win->Widget()->focusPolicy() & Qt::ClickFocus))
    win->SetFocus();
  MouseDown(control, p);
  MouseUp(control, p);
  Application->ProcessMessages();
  return true;
}

bool DoubleClick(TControl& control) {
  return DoubleClick(control, ClickPoint(control));
}

bool DoubleClick(TControl& control, TPoint p) {
  std::string why;
  if (!Reachable(control, why)) {
    ReportFailure("cannot double-click " + Describe(control) + ": " + why);
    return false;
  }
  MouseMove(control, p);
  if (auto* win = dynamic_cast<TWinControl*>(&control);
      win && win->Widget() && (win->Widget()->focusPolicy() & Qt::ClickFocus))
    win->SetFocus();
  MouseDown(control, p);
  MouseUp(control, p);
  Application->ProcessMessages();
  ButtonsDown |= Qt::LeftButton;
  SendMouse(QEvent::MouseButtonDblClick, control, p, Qt::LeftButton, 0);
  MouseUp(control, p);
  Application->ProcessMessages();
  return true;
}

bool Click(const TComponent& root, const std::string& name) {
  TControl* c = Find<TControl>(root, name);
  return c && Click(*c);
}

// ---- values

bool SetText(const TComponent& root, const std::string& name, const std::string& text) {
  TControl* c = Find<TControl>(root, name);
  if (!c) return false;
  c->SetText(text);
  Application->ProcessMessages();
  return true;
}

bool PickItem(const TComponent& root, const std::string& name, int index) {
  TControl* c = Find<TControl>(root, name);
  if (!c) return false;
  std::string why;
  if (!Reachable(*c, why)) {
    ReportFailure("cannot pick an item of " + Describe(*c) + ": " + why);
    return false;
  }
  int count = -1;
  if (auto* cb = dynamic_cast<TComboBox*>(c))
    count = cb->Items().Count();
  else if (auto* lb = dynamic_cast<TListBox*>(c))
    count = lb->Items().Count();
  else if (auto* pc = dynamic_cast<TPageControl*>(c))
    count = pc->PageCount();
  if (count < 0) {
    ReportFailure(Describe(*c) + " has no items to pick");
    return false;
  }
  if (index < 0 || index >= count) {
    ReportFailure("item " + std::to_string(index) + " of " + Describe(*c) + " does not exist (" +
                  std::to_string(count) + " items)");
    return false;
  }
  if (auto* win = dynamic_cast<TWinControl*>(c); win && !dynamic_cast<TPageControl*>(c)) win->SetFocus();
  if (auto* cb = dynamic_cast<TComboBox*>(c))
    cb->SelectByUser(index);
  else if (auto* lb = dynamic_cast<TListBox*>(c))
    lb->SelectByUser(index);
  else if (auto* pc = dynamic_cast<TPageControl*>(c))
    pc->SelectByUser(index);
  Application->ProcessMessages();
  return true;
}

bool PickItem(const TComponent& root, const std::string& name, const std::string& itemText) {
  TControl* c = Find<TControl>(root, name);
  if (!c) return false;
  int index = -1;
  if (auto* cb = dynamic_cast<TComboBox*>(c))
    index = cb->Items().IndexOf(itemText);
  else if (auto* lb = dynamic_cast<TListBox*>(c))
    index = lb->Items().IndexOf(itemText);
  else if (auto* pc = dynamic_cast<TPageControl*>(c)) {
    for (int i = 0; i < pc->PageCount(); ++i)
      if (pc->Pages(i)->Caption() == itemText) index = i;
  }
  if (index < 0) {
    ReportFailure(Describe(*c) + " has no item \"" + itemText + "\"");
    return false;
  }
  return PickItem(root, name, index);
}

bool Tick(const TComponent& root, const std::string& name, bool checked) {
  TControl* c = Find<TControl>(root, name);
  if (!c) return false;
  if (auto* cb = dynamic_cast<TCheckBox*>(c)) {
    for (int i = 0; i < 3 && cb->Checked() != checked; ++i)
      if (!Click(*cb)) return false;
    return cb->Checked() == checked;
  }
  if (auto* rb = dynamic_cast<TRadioButton*>(c)) {
    if (rb->Checked() == checked) return true;
    if (!checked) {
      ReportFailure("a click cannot clear the radio button " + Describe(*rb));
      return false;
    }
    return Click(*rb) && rb->Checked();
  }
  ReportFailure(Describe(*c) + " cannot be ticked");
  return false;
}

// ---- keys

bool TypeText(TWinControl& control, const std::string& text) {
  TForm* form = FormOf(control);
  if (!form) {
    ReportFailure("cannot type into " + Describe(control) + ": it is on no form");
    return false;
  }
  if (&control != form) {
    if (!control.CanFocus()) {
      std::string why = "it cannot take the focus";
      Reachable(control, why);
      ReportFailure("cannot type into " + Describe(control) + ": " + why);
      return false;
    }
    control.SetFocus();
  }
  QString chars = QString::fromStdString(text);
  for (QChar ch : chars) {
    auto [vk, shift] = KeyForChar(ch.unicode());
    QString typed(ch == '\n' ? QChar('\r') : ch);
    SendKey(*form, true, vk, shift, typed);
    SendKey(*form, false, vk, shift, QString());
    Application->ProcessMessages();
  }
  return true;
}

bool TypeText(const TComponent& root, const std::string& name, const std::string& text) {
  auto* c = Find<TWinControl>(root, name);
  return c && TypeText(*c, text);
}

bool PressKey(TWinControl& control, std::uint16_t key, TShiftState shift) {
  TForm* form = FormOf(control);
  if (!form) {
    ReportFailure("cannot press a key in " + Describe(control) + ": it is on no form");
    return false;
  }
  if (&control != form) {
    if (!control.CanFocus()) {
      ReportFailure("cannot press a key in " + Describe(control) + ": it cannot take the focus");
      return false;
    }
    control.SetFocus();
  }
  KeyDown(*form, key, shift);
  KeyUp(*form, key, shift);
  return true;
}

bool PressKey(const TComponent& root, const std::string& name, std::uint16_t key, TShiftState shift) {
  auto* c = Find<TWinControl>(root, name);
  return c && PressKey(*c, key, shift);
}

void KeyDown(TForm& form, std::uint16_t key, TShiftState shift) {
  WideChar ch = CharOfVirtualKey(key, shift);
  SendKey(form, true, key, shift, ch ? QString(QChar(ch)) : QString());
  Application->ProcessMessages();
}

void KeyUp(TForm& form, std::uint16_t key, TShiftState shift) {
  SendKey(form, false, key, shift, QString());
  Application->ProcessMessages();
}

// ---- modal forms

void OnNextModal(std::function<void(TForm& form)> script) {
  ModalScripts().push_back(std::move(script));
}
int PendingModalScripts() {
  return static_cast<int>(ModalScripts().size());
}
void ClearModalScripts() {
  ModalScripts().clear();
}

// ---- menus and hints

TPopupMenu* LastPopupMenu() {
  return LastPopup;
}

bool ClickMenuItem(TMenuItem& item) {
  if (!item.Enabled() || !item.Visible()) {
    ReportFailure("cannot choose the menu item " + Describe(item) + ": it is " +
                  (item.Enabled() ? "hidden" : "disabled"));
    return false;
  }
  item.Action()->trigger();
  Application->ProcessMessages();
  return true;
}

std::string HintOf(const TControl& control) {
  if (!Application->ShowHint() || !control.EffectiveShowHint()) return {};
  auto& c = const_cast<TControl&>(control);
  THintInfo info;
  info.HintControl = &c;
  info.CursorPos = {control.Width() / 2, control.Height() / 2};
  info.CursorRect = control.ClientRect();
  if (c.Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) != 0) return {};
  return info.HintStr;
}

std::string HintAt(TControl& control, TPoint at) {
  MouseMove(control, at);
  // The pause that brings a hint up (the tool-tip event): nothing new while one shows here.
  if (ShownHintText().empty()) {
    if (QWidget* w = control.Widget()) {
      QHelpEvent pause(QEvent::ToolTip, QPoint(at.X, at.Y), w->mapToGlobal(QPoint(at.X, at.Y)));
      QApplication::sendEvent(w, &pause);
    }
  }
  return ShownHintText();
}

std::string ShownHint() {
  return ShownHintText();
}

// ---- cursors

bool ShowsCursor(const TControl& control, TCursor cursor) {
  QWidget* w = control.Widget();
  if (!w) return false;
  QCursor shown = w->cursor(), wanted = QtCursorOf(cursor);
  if (shown.shape() != wanted.shape()) return false;
  if (shown.shape() != Qt::BitmapCursor) return true;
  return shown.hotSpot() == wanted.hotSpot() && shown.pixmap().cacheKey() == wanted.pixmap().cacheKey();
}

// ---- pictures

bool RenderToPng(TControl& control, const std::string& path) {
  QWidget* w = control.Widget();
  if (!w) {
    ReportFailure("cannot render " + Describe(control) + ": it has no window");
    return false;
  }
  Application->ProcessMessages();
  // A window never shown gets its looks as it would on showing.
  w->ensurePolished();
  QPixmap picture = w->grab();
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (picture.isNull() || !picture.save(&buffer, "PNG")) {
    ReportFailure("cannot render " + Describe(control) + " into a picture");
    return false;
  }
  TWriteResult written =
      WriteFileAtomic(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  if (!written) {
    ReportFailure("cannot write " + path + ": " + written.Error);
    return false;
  }
  return true;
}

} // namespace Headless
