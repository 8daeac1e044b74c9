#include "platform/ui/QtBridge.h"

#include "platform/Dialogs.h"

#include "platform/ui/HeadlessPaint.h"
#include "platform/ui/Menus.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHash>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include <stdexcept>

// ---------------------------------------------------------------------------------------------
// Widgets

QtPaintWidget::QtPaintWidget(TControl* owner, QWidget* parent) : QWidget(parent), Owner(owner) {}

void QtPaintWidget::focusInEvent(QFocusEvent* event) {
  if (!QuietFocus) QWidget::focusInEvent(event);
}

void QtPaintWidget::focusOutEvent(QFocusEvent* event) {
  if (!QuietFocus) QWidget::focusOutEvent(event);
}

void QtPaintWidget::paintEvent(QPaintEvent* event) {
  if (!Owner) return;
  if (!TControlAccess::PaintAllowed(Owner)) return;
  QPainter painter(this);
  // The region asked for becomes the clip, so the control can skip what lies outside it.
  const QRegion& region = event->region();
  painter.setClipRegion(region);
  std::vector<TRect> rects;
  for (const QRect& r : region)
    rects.push_back({r.left(), r.top(), r.left() + r.width(), r.top() + r.height()});
  Headless::TPaintObserver::Painted(*Owner, std::move(rects));
  TControlAccess::Paint(Owner, painter);
}

namespace {

QHash<const QObject*, TControl*>& Registry() {
  static auto* registry = new QHash<const QObject*, TControl*>;
  return *registry;
}

} // namespace

void RegisterWidget(QWidget* widget, TControl* control) {
  if (widget) Registry().insert(widget, control);
}

void UnregisterWidget(QWidget* widget) {
  Registry().remove(widget);
}

TControl* ControlOfWidget(const QObject* object) {
  if (!object || !object->isWidgetType()) return nullptr;
  auto& registry = Registry();
  for (auto* w = static_cast<const QWidget*>(object); w; w = w->parentWidget()) {
    auto it = registry.constFind(w);
    if (it != registry.constEnd()) return it.value();
    // Pop-ups, menus and message boxes are windows of their own, even when parented to a control.
    if (w->isWindow()) return nullptr;
  }
  return nullptr;
}

// ---------------------------------------------------------------------------------------------
// Keys

std::uint16_t VirtualKeyFromQt(int key, Qt::KeyboardModifiers modifiers) {
  bool keypad = modifiers & Qt::KeypadModifier;
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<std::uint16_t>('A' + (key - Qt::Key_A));
  if (key >= Qt::Key_0 && key <= Qt::Key_9) {
    int digit = key - Qt::Key_0;
    return static_cast<std::uint16_t>(keypad ? VK_NUMPAD0 + digit : '0' + digit);
  }
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return static_cast<std::uint16_t>(VK_F1 + (key - Qt::Key_F1));
  switch (key) {
  case Qt::Key_Return:
  case Qt::Key_Enter:
    return VK_RETURN;
  case Qt::Key_Escape:
    return VK_ESCAPE;
  case Qt::Key_Tab:
  case Qt::Key_Backtab:
    return VK_TAB;
  case Qt::Key_Backspace:
    return VK_BACK;
  case Qt::Key_Space:
    return VK_SPACE;
  case Qt::Key_Left:
    return VK_LEFT;
  case Qt::Key_Up:
    return VK_UP;
  case Qt::Key_Right:
    return VK_RIGHT;
  case Qt::Key_Down:
    return VK_DOWN;
  case Qt::Key_PageUp:
    return VK_PRIOR;
  case Qt::Key_PageDown:
    return VK_NEXT;
  case Qt::Key_Home:
    return VK_HOME;
  case Qt::Key_End:
    return VK_END;
  case Qt::Key_Insert:
    return VK_INSERT;
  case Qt::Key_Delete:
    return VK_DELETE;
  case Qt::Key_Shift:
    return VK_SHIFT;
  case Qt::Key_Control:
    return VK_CONTROL;
  case Qt::Key_Alt:
  case Qt::Key_AltGr:
    return VK_MENU;
  case Qt::Key_Meta:
    return VK_LWIN;
  case Qt::Key_Menu:
    return VK_APPS;
  case Qt::Key_CapsLock:
    return VK_CAPITAL;
  case Qt::Key_NumLock:
    return VK_NUMLOCK;
  case Qt::Key_ScrollLock:
    return VK_SCROLL;
  case Qt::Key_Pause:
    return VK_PAUSE;
  case Qt::Key_Print:
    return VK_SNAPSHOT;
  case Qt::Key_Clear:
    return VK_CLEAR;
  case Qt::Key_Help:
    return VK_HELP;
  case Qt::Key_Asterisk:
    return keypad ? VK_MULTIPLY : '8';
  case Qt::Key_Plus:
    return keypad ? VK_ADD : VK_OEM_PLUS;
  case Qt::Key_Minus:
    return keypad ? VK_SUBTRACT : VK_OEM_MINUS;
  case Qt::Key_Slash:
    return keypad ? VK_DIVIDE : VK_OEM_2;
  case Qt::Key_Period:
    return keypad ? VK_DECIMAL : VK_OEM_PERIOD;
  case Qt::Key_Comma:
    return keypad ? VK_DECIMAL : VK_OEM_COMMA;
  case Qt::Key_Greater:
    return VK_OEM_PERIOD;
  case Qt::Key_Less:
    return VK_OEM_COMMA;
  case Qt::Key_Underscore:
    return VK_OEM_MINUS;
  case Qt::Key_Equal:
    return VK_OEM_PLUS;
  case Qt::Key_Semicolon:
  case Qt::Key_Colon:
    return VK_OEM_1;
  case Qt::Key_Question:
    return VK_OEM_2;
  case Qt::Key_QuoteLeft:
  case Qt::Key_AsciiTilde:
    return VK_OEM_3;
  case Qt::Key_BracketLeft:
  case Qt::Key_BraceLeft:
    return VK_OEM_4;
  case Qt::Key_Backslash:
  case Qt::Key_Bar:
    return VK_OEM_5;
  case Qt::Key_BracketRight:
  case Qt::Key_BraceRight:
    return VK_OEM_6;
  case Qt::Key_Apostrophe:
  case Qt::Key_QuoteDbl:
    return VK_OEM_7;
  case Qt::Key_Exclam:
    return '1';
  case Qt::Key_At:
    return '2';
  case Qt::Key_NumberSign:
    return '3';
  case Qt::Key_Dollar:
    return '4';
  case Qt::Key_Percent:
    return '5';
  case Qt::Key_AsciiCircum:
    return '6';
  case Qt::Key_Ampersand:
    return '7';
  case Qt::Key_ParenLeft:
    return '9';
  case Qt::Key_ParenRight:
    return '0';
  default:
    return 0;
  }
}

int QtKeyFromVirtualKey(std::uint16_t vk) {
  if (vk >= 'A' && vk <= 'Z') return Qt::Key_A + (vk - 'A');
  if (vk >= '0' && vk <= '9') return Qt::Key_0 + (vk - '0');
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return Qt::Key_0 + (vk - VK_NUMPAD0);
  if (vk >= VK_F1 && vk <= VK_F1 + 23) return Qt::Key_F1 + (vk - VK_F1);
  switch (vk) {
  case VK_RETURN:
    return Qt::Key_Return;
  case VK_ESCAPE:
    return Qt::Key_Escape;
  case VK_TAB:
    return Qt::Key_Tab;
  case VK_BACK:
    return Qt::Key_Backspace;
  case VK_SPACE:
    return Qt::Key_Space;
  case VK_LEFT:
    return Qt::Key_Left;
  case VK_UP:
    return Qt::Key_Up;
  case VK_RIGHT:
    return Qt::Key_Right;
  case VK_DOWN:
    return Qt::Key_Down;
  case VK_PRIOR:
    return Qt::Key_PageUp;
  case VK_NEXT:
    return Qt::Key_PageDown;
  case VK_HOME:
    return Qt::Key_Home;
  case VK_END:
    return Qt::Key_End;
  case VK_INSERT:
    return Qt::Key_Insert;
  case VK_DELETE:
    return Qt::Key_Delete;
  case VK_SHIFT:
  case VK_LSHIFT:
  case VK_RSHIFT:
    return Qt::Key_Shift;
  case VK_CONTROL:
  case VK_LCONTROL:
  case VK_RCONTROL:
    return Qt::Key_Control;
  case VK_MENU:
  case VK_LMENU:
  case VK_RMENU:
    return Qt::Key_Alt;
  case VK_LWIN:
  case VK_RWIN:
    return Qt::Key_Meta;
  case VK_APPS:
    return Qt::Key_Menu;
  case VK_CAPITAL:
    return Qt::Key_CapsLock;
  case VK_NUMLOCK:
    return Qt::Key_NumLock;
  case VK_SCROLL:
    return Qt::Key_ScrollLock;
  case VK_PAUSE:
    return Qt::Key_Pause;
  case VK_SNAPSHOT:
    return Qt::Key_Print;
  case VK_CLEAR:
    return Qt::Key_Clear;
  case VK_HELP:
    return Qt::Key_Help;
  case VK_MULTIPLY:
    return Qt::Key_Asterisk;
  case VK_ADD:
    return Qt::Key_Plus;
  case VK_SUBTRACT:
    return Qt::Key_Minus;
  case VK_DIVIDE:
    return Qt::Key_Slash;
  case VK_DECIMAL:
    return Qt::Key_Period;
  case VK_OEM_PERIOD:
    return Qt::Key_Period;
  case VK_OEM_COMMA:
    return Qt::Key_Comma;
  case VK_OEM_MINUS:
    return Qt::Key_Minus;
  case VK_OEM_PLUS:
    return Qt::Key_Equal;
  case VK_OEM_1:
    return Qt::Key_Semicolon;
  case VK_OEM_2:
    return Qt::Key_Slash;
  case VK_OEM_3:
    return Qt::Key_QuoteLeft;
  case VK_OEM_4:
    return Qt::Key_BracketLeft;
  case VK_OEM_5:
    return Qt::Key_Backslash;
  case VK_OEM_6:
    return Qt::Key_BracketRight;
  case VK_OEM_7:
    return Qt::Key_Apostrophe;
  default:
    return 0;
  }
}

TShiftState ShiftFromQt(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
  TShiftState s = 0;
  if (modifiers & Qt::ShiftModifier) s |= ssShift;
  if (modifiers & Qt::AltModifier) s |= ssAlt;
  if (modifiers & Qt::ControlModifier) s |= ssCtrl;
  if (buttons & Qt::LeftButton) s |= ssLeft;
  if (buttons & Qt::RightButton) s |= ssRight;
  if (buttons & Qt::MiddleButton) s |= ssMiddle;
  return s;
}

Qt::KeyboardModifiers QtModifiersFromShift(TShiftState shift) {
  Qt::KeyboardModifiers m;
  if (shift & ssShift) m |= Qt::ShiftModifier;
  if (shift & ssAlt) m |= Qt::AltModifier;
  if (shift & ssCtrl) m |= Qt::ControlModifier;
  return m;
}

WideChar CharOfVirtualKey(std::uint16_t vk, TShiftState shift) {
  bool upper = shift & ssShift;
  if (shift & ssCtrl) {
    if (vk >= 'A' && vk <= 'Z') return static_cast<WideChar>(vk - 'A' + 1);
    return 0;
  }
  if (vk >= 'A' && vk <= 'Z') return static_cast<WideChar>(upper ? vk : vk - 'A' + 'a');
  if (vk >= '0' && vk <= '9') return upper ? 0 : static_cast<WideChar>(vk);
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return static_cast<WideChar>('0' + (vk - VK_NUMPAD0));
  switch (vk) {
  case VK_RETURN:
    return 13;
  case VK_ESCAPE:
    return 27;
  case VK_BACK:
    return 8;
  case VK_TAB:
    return 9;
  case VK_SPACE:
    return ' ';
  case VK_MULTIPLY:
    return '*';
  case VK_ADD:
    return '+';
  case VK_SUBTRACT:
    return '-';
  case VK_DIVIDE:
    return '/';
  case VK_DECIMAL:
    return '.';
  case VK_OEM_PERIOD:
    return upper ? '>' : '.';
  case VK_OEM_COMMA:
    return upper ? '<' : ',';
  case VK_OEM_MINUS:
    return upper ? '_' : '-';
  case VK_OEM_PLUS:
    return upper ? '+' : '=';
  case VK_OEM_1:
    return upper ? ':' : ';';
  case VK_OEM_2:
    return upper ? '?' : '/';
  case VK_OEM_3:
    return upper ? '~' : '`';
  case VK_OEM_4:
    return upper ? '{' : '[';
  case VK_OEM_5:
    return upper ? '|' : '\\';
  case VK_OEM_6:
    return upper ? '}' : ']';
  case VK_OEM_7:
    return upper ? '"' : '\'';
  default:
    return 0;
  }
}

void SendNativeKey(QWidget* widget, bool press, std::uint16_t vk, TShiftState shift, const QString& text) {
  // Tab never reaches a widget natively: Qt would move its own focus.
  if (!widget || vk == VK_TAB) return;
  int key = vk ? QtKeyFromVirtualKey(vk) : 0;
  if (vk && !key) return;
  QKeyEvent event(press ? QEvent::KeyPress : QEvent::KeyRelease, key, QtModifiersFromShift(shift), text);
  static_cast<QObject*>(widget)->event(&event);
}

bool IsKeypadVirtualKey(std::uint16_t vk) {
  return vk >= VK_NUMPAD0 && vk <= VK_DIVIDE;
}

void DeliverKeyPress(TWinControl* target, std::uint16_t vk, TShiftState shift, const std::u16string& chars,
                     bool keypad) {
  if (!target) return;
  LPARAM data = static_cast<LPARAM>(shift) | (keypad ? KeyDataKeypad : 0);
  std::uint64_t id = target->ControlId();
  if (target->Perform(CN_KEYDOWN, vk, data) != 0) return; // a dialog key, handled by the form
  if (!IsLiveControl(id)) return;
  if (vk) target->Perform(WM_KEYDOWN, vk, data);
  for (WideChar ch : chars) {
    if (!IsLiveControl(id)) return;
    if ((shift & ssAlt) && !(shift & ssCtrl)) {
      // Alt with a character is an accelerator, never typed text.
      if (TForm* form = GetParentForm(target)) form->Perform(CM_DIALOGCHAR, ch, data);
      continue;
    }
    if (target->Perform(CN_CHAR, ch, data) != 0) continue;
    if (!IsLiveControl(id)) return;
    target->Perform(WM_CHAR, ch, data);
  }
}

void DeliverKeyRelease(TWinControl* target, std::uint16_t vk, TShiftState shift, bool keypad) {
  if (!target || !vk) return;
  LPARAM data = static_cast<LPARAM>(shift) | (keypad ? KeyDataKeypad : 0);
  if (target->Perform(CN_KEYUP, vk, data) != 0) return;
  target->Perform(WM_KEYUP, vk, data);
}

// ---------------------------------------------------------------------------------------------
// Access helpers

void TControlAccess::WidgetResized(TControl* c, int width, int height) {
  if (!c) return;
  int w = width, h = height;
  if (auto* form = dynamic_cast<TForm*>(c)) {
    TSize frame = form->FrameSize();
    w += frame.cx;
    h += frame.cy;
  }
  if (w == c->FWidth && h == c->FHeight) return;
  c->FWidth = w;
  c->FHeight = h;
  c->Resize();
}

void TControlAccess::FocusIn(TWinControl* c) {
  TForm* form = GetParentForm(c);
  if (!form || form == c || !form->Showing() || !c->CanFocus()) return;
  form->FocusChangedTo(c);
}

// ---------------------------------------------------------------------------------------------
// The event filter

namespace {

// The held-key record follows every key event: a modifier by its own key (which Alt it is shows
// only there), the others by the modifiers the event carries.
void TrackKey(const QKeyEvent* k, bool press) {
  switch (k->key()) {
  case Qt::Key_Shift:
    SetKeyHeld(VK_SHIFT, press);
    return;
  case Qt::Key_Control:
    SetKeyHeld(VK_CONTROL, press);
    return;
  case Qt::Key_Alt:
    SetKeyHeld(VK_LMENU, press);
    return;
  case Qt::Key_AltGr:
    SetKeyHeld(VK_RMENU, press);
    return;
  default:
    SyncKeyState(k->modifiers());
    return;
  }
}

unsigned MouseMessage(QEvent::Type type, Qt::MouseButton button) {
  int base = button == Qt::RightButton    ? WM_RBUTTONDOWN
             : button == Qt::MiddleButton ? WM_MBUTTONDOWN
                                          : WM_LBUTTONDOWN;
  switch (type) {
  case QEvent::MouseButtonPress:
    return static_cast<unsigned>(base);
  case QEvent::MouseButtonRelease:
    return static_cast<unsigned>(base + 1);
  case QEvent::MouseButtonDblClick:
    return static_cast<unsigned>(base + 2);
  default:
    return WM_MOUSEMOVE;
  }
}

class TEventBridge : public QObject {
public:
  // An error that a handler lets out (a grid's misused accessor, a text that is no date ...) is
  // shown as an error message; it never unwinds through Qt and ends the program.
  bool eventFilter(QObject* object, QEvent* event) override {
    try {
      return Filter(object, event);
    } catch (const std::runtime_error& e) {
      MessageDlg(e.what(), mtError, mbOK);
      return true;
    }
  }

private:
  bool Filter(QObject* object, QEvent* event);
  bool Mouse(TControl* c, QWidget* w, QMouseEvent* e);
  bool Wheel(TControl* c, QWheelEvent* e);
  bool ToolTip(TControl* c, QWidget* w, QHelpEvent* e);
  // Propagated copies of one mouse event carry its time stamp; only the first is dispatched.
  quint64 FLastMouseStamp = ~quint64(0);
  QEvent::Type FLastMouseType = QEvent::None;
  quint64 FLastWheelStamp = ~quint64(0);
};

bool TEventBridge::Filter(QObject* object, QEvent* event) {
  switch (event->type()) {
  case QEvent::Polish:
    if (TControl* c = ControlOfWidget(object); c && c->Widget() == object) TControlAccess::Polishing(c);
    return false;
  case QEvent::PaletteChange:
  case QEvent::FontChange:
    if (TControl* c = ControlOfWidget(object); c && c->HasWidget() && c->Widget() == object)
      TControlAccess::InheritedLookChanged(c);
    return false;
  case QEvent::PolishRequest:
    // Qt asks every new widget to be polished soon after it was made. One not shown is polished
    // when it is (or when it is measured or rendered), so the windows that start hidden pay for
    // their styles and looks only then.
    return object->isWidgetType() && !static_cast<QWidget*>(object)->isVisible();
  case QEvent::ApplicationDeactivate:
    // Keys let go in another program never come here.
    SyncKeyState(Qt::NoModifier);
    SyncButtonState(Qt::NoButton);
    return false;
  case QEvent::KeyPress:
  case QEvent::KeyRelease:
    // Also for windows of no control (message boxes, file dialogs), so the record stays true.
    if (!ControlOfWidget(object)) TrackKey(static_cast<QKeyEvent*>(event), event->type() == QEvent::KeyPress);
    break;
  case QEvent::MouseButtonPress:
  case QEvent::MouseButtonRelease:
    if (!ControlOfWidget(object)) {
      SyncKeyState(static_cast<QMouseEvent*>(event)->modifiers());
      SyncButtonState(static_cast<QMouseEvent*>(event)->buttons());
    }
    break;
  case QEvent::MouseButtonDblClick:
  case QEvent::MouseMove:
  case QEvent::Enter:
  case QEvent::Leave:
  case QEvent::FocusIn:
  case QEvent::Resize:
  case QEvent::Close:
  case QEvent::WindowActivate:
  case QEvent::ToolTip:
  case QEvent::Wheel:
  case QEvent::ContextMenu:
    break;
  default:
    return false;
  }
  TControl* c = ControlOfWidget(object);
  if (!c || !TControlAccess::CanFire(c)) return false;
  auto* w = static_cast<QWidget*>(object);
  bool own = w == c->Widget();
  switch (event->type()) {
  case QEvent::KeyPress:
  case QEvent::KeyRelease: {
    auto* win = dynamic_cast<TWinControl*>(c);
    if (!win) return false;
    auto* k = static_cast<QKeyEvent*>(event);
    bool press = event->type() == QEvent::KeyPress;
    TrackKey(k, press);
    if (!win->Enabled()) return true;
    std::uint16_t vk = VirtualKeyFromQt(k->key(), k->modifiers());
    TShiftState shift = ShiftFromQt(k->modifiers());
    bool keypad = k->modifiers() & Qt::KeypadModifier;
    if (!press) {
      if (!k->isAutoRepeat()) DeliverKeyRelease(win, vk, shift, keypad);
      return true;
    }
    std::u16string chars = k->text().toStdU16String();
    if (!vk && chars.empty()) return false;
    DeliverKeyPress(win, vk, shift, chars, keypad);
    return true;
  }
  case QEvent::MouseButtonPress:
  case QEvent::MouseButtonRelease:
  case QEvent::MouseButtonDblClick:
  case QEvent::MouseMove:
    return Mouse(c, w, static_cast<QMouseEvent*>(event));
  case QEvent::Wheel:
    return Wheel(c, static_cast<QWheelEvent*>(event));
  case QEvent::Enter:
    if (own && c->Enabled()) c->Perform(CM_MOUSEENTER);
    return false;
  case QEvent::Leave:
    if (own) {
      HintMouseMoved(nullptr, {});
      c->Perform(CM_MOUSELEAVE);
    }
    return false;
  case QEvent::FocusIn:
    if (auto* win = dynamic_cast<TWinControl*>(c)) TControlAccess::FocusIn(win);
    return false;
  case QEvent::Resize:
    if (own) {
      QSize s = static_cast<QResizeEvent*>(event)->size();
      TControlAccess::WidgetResized(c, s.width(), s.height());
    }
    return false;
  case QEvent::Close:
    if (auto* form = dynamic_cast<TForm*>(c); form && own && event->spontaneous()) {
      event->ignore();
      TControlAccess::FormCloseRequested(form);
      return true;
    }
    return false;
  case QEvent::WindowActivate:
    if (auto* form = dynamic_cast<TForm*>(c); form && own) {
      FormRaised(form);
      TControlAccess::FormActivated(form);
    }
    return false;
  case QEvent::ToolTip:
    return ToolTip(c, w, static_cast<QHelpEvent*>(event));
  case QEvent::ContextMenu: {
    auto* e = static_cast<QContextMenuEvent*>(event);
    QPoint g = e->reason() == QContextMenuEvent::Keyboard ? QPoint(-1, -1) : e->globalPos();
    return c->Perform(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(c), MakeLParam(g.x(), g.y())) != 0;
  }
  default:
    return false;
  }
}

bool TEventBridge::Mouse(TControl* c, QWidget* w, QMouseEvent* e) {
  if (e->timestamp() == FLastMouseStamp && e->type() == FLastMouseType && e->timestamp() != 0) return false;
  FLastMouseStamp = e->timestamp();
  FLastMouseType = e->type();
  QPoint p = e->position().toPoint();
  if (w != c->Widget() && c->Widget()) p = w->mapTo(c->Widget(), p);
  SyncKeyState(e->modifiers());
  SyncButtonState(e->buttons());
  TShiftState shift = ShiftFromQt(e->modifiers(), e->buttons());
  if (e->type() == QEvent::MouseButtonRelease)
    shift = ShiftFromQt(e->modifiers(), e->buttons() | e->button());
  std::uint64_t id = c->ControlId();
  if (e->type() == QEvent::MouseMove)
    HintMouseMoved(c, {p.x(), p.y()});
  else
    CancelHint();
  if (IsLiveControl(id) && c->Enabled())
    c->Perform(MouseMessage(e->type(), e->button()), shift, MakeLParam(p.x(), p.y()));
  return TControlAccess::HandlesMouseItself(c);
}

bool TEventBridge::Wheel(TControl* c, QWheelEvent* e) {
  if (e->timestamp() == FLastWheelStamp && e->timestamp() != 0) return false;
  FLastWheelStamp = e->timestamp();
  QPoint g = e->globalPosition().toPoint();
  SyncKeyState(e->modifiers());
  SyncButtonState(e->buttons());
  TShiftState shift = ShiftFromQt(e->modifiers(), e->buttons());
  int delta = e->angleDelta().y();
  CancelHint();
  WPARAM w = (static_cast<WPARAM>(static_cast<std::uint16_t>(static_cast<std::int16_t>(delta))) << 16) |
             (shift & 0xFFFF);
  return c->Perform(WM_MOUSEWHEEL, w, MakeLParam(g.x(), g.y())) != 0;
}

bool TEventBridge::ToolTip(TControl* c, QWidget* w, QHelpEvent* e) {
  QPoint p = e->pos();
  if (w != c->Widget() && c->Widget()) p = w->mapTo(c->Widget(), p);
  if (!RequestHint(c, {p.x(), p.y()})) CancelHint();
  return true;
}

} // namespace

void InstallEventBridge() {
  static TEventBridge* bridge = nullptr;
  if (bridge || !QCoreApplication::instance()) return;
  bridge = new TEventBridge;
  bridge->setParent(QCoreApplication::instance());
  QCoreApplication::instance()->installEventFilter(bridge);
}
