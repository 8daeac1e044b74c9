// Platform-private glue between the controls and their Qt widgets: the one event filter that turns
// Qt input into control messages, the widget registry, key and modifier conversion, and the hooks
// the application keeps (live controls, posted messages, timers). Not for code outside platform/ui.
#pragma once

#include "platform/ui/Application.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Forms.h"

#include <QCursor>
#include <QEvent>
#include <QWidget>

#include <cstdint>
#include <string>

class TTimer;

// ---- widgets

// The widget of drawn controls (custom and graphic controls, forms, panels): its paint event asks
// the control to paint.
class QtPaintWidget : public QWidget {
public:
  explicit QtPaintWidget(TControl* owner, QWidget* parent = nullptr);
  TControl* Owner;
  // The control repaints what the focus changes itself (as a window does on Windows); Qt's own
  // repaint of the whole widget at every focus change is left out.
  bool QuietFocus = false;

protected:
  void paintEvent(QPaintEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
};

// Registers the widget (and everything inside it) as belonging to the control.
void RegisterWidget(QWidget* widget, TControl* control);
void UnregisterWidget(QWidget* widget);
// The control a widget (or one of its inner widgets) belongs to; nullptr for foreign widgets.
TControl* ControlOfWidget(const QObject* object);
// Installs the event filter on the GUI application (once).
void InstallEventBridge();

// ---- keys

std::uint16_t VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers);
int QtKeyFromVirtualKey(std::uint16_t vk);
TShiftState ShiftFromQt(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons = Qt::NoButton);
Qt::KeyboardModifiers QtModifiersFromShift(TShiftState shift);
// The character a key produces when nothing else is known (Enter 13, Escape 27, Back 8, Tab 9 ...).
WideChar CharOfVirtualKey(std::uint16_t vk, TShiftState shift);

// One key press (or release) into a windowed control: the whole chain of CN_, CM_DIALOG and WM_
// messages. `chars` are the UTF-16 units the key typed; `keypad` marks a key of the numeric keypad.
void DeliverKeyPress(TWinControl* target, std::uint16_t vk, TShiftState shift, const std::u16string& chars,
                     bool keypad = false);
void DeliverKeyRelease(TWinControl* target, std::uint16_t vk, TShiftState shift, bool keypad = false);
// True for the keys only the numeric keypad has (its digits, operators and decimal key).
bool IsKeypadVirtualKey(std::uint16_t vk);

// ---- keyboard focus across forms (Forms.cpp)

// The control that has the keyboard focus in the program (the last to hear WM_SETFOCUS), or nullptr.
TWinControl* FocusHolder();
void SetFocusHolder(TWinControl* control);

// ---- cursors (Cursors.cpp)

// The Qt cursor of a standard cursor or of one of the program's own (Screen->SetCursors).
QCursor QtCursorOf(TCursor cursor);

// ---- held keys (KeyState.cpp)

// A tracked key (Shift, Ctrl, left or right Alt, a mouse button) went down or up.
void SetKeyHeld(std::uint16_t vk, bool down);
// Brings Shift, Ctrl and Alt in line with an input event's modifiers (AltGr: Qt's group switch).
void SyncKeyState(Qt::KeyboardModifiers modifiers);
void SyncButtonState(Qt::MouseButtons buttons);

// ---- hints (Hints.cpp)

// Asks the control for its hint at a client point (CM_HINTSHOW) and shows it; false when none shows.
bool RequestHint(TControl* control, TPoint clientPos);
// The mouse moved over a control (nullptr: off every control): a shown hint whose rectangle the
// mouse left goes, and the hint of the new place shows at once.
void HintMouseMoved(TControl* control, TPoint clientPos);
void CancelHint();
// The text of the hint showing now ("" when none).
std::string ShownHintText();
// Hands a key to the widget's own handling (bypassing the event filter).
void SendNativeKey(QWidget* widget, bool press, std::uint16_t vk, TShiftState shift, const QString& text);

// ---- application hooks (Application.cpp)

void RegisterLiveControl(TControl* control);
void UnregisterLiveControl(TControl* control);
bool IsLiveControl(std::uint64_t id);
void RegisterForm(TForm* form);
void UnregisterForm(TForm* form);
// The form is shown or activated (moves to the top of the z-order) or hidden.
void FormRaised(TForm* form);
void FormHidden(TForm* form);
void RegisterTimer(TTimer* timer);
void UnregisterTimer(TTimer* timer);
void TimersChanged();
// The control that has the mouse captured, if any. `grab` also grabs the mouse in Qt (for a
// capture asked outside a button press, where Qt does not keep the mouse by itself).
TControl* CaptureControl();
void SetCaptureControl(TControl* control, bool grab = true);

// ---- headless hooks (Headless.cpp)

// Runs the next queued script inside ShowModal; false (after reporting) when none is queued.
bool RunHeadlessModalScript(TForm& form);
void ReportHeadlessUnclosed(TForm& form);
// A popup menu asked to show itself while headless.
void HeadlessPopupShown(TPopupMenu* menu);
void HeadlessPopupGone(TPopupMenu* menu);

// ---- access to the controls' private parts

struct TControlAccess {
  static void Paint(TControl* c, QPainter& painter) { c->PaintWidget(painter); }
  // False while the control's redraw is off; the paint is then owed once it is on again.
  static bool PaintAllowed(TControl* c) {
    if (c->FRedraw) return true;
    c->FPaintMissed = true;
    return false;
  }
  static bool HandlesMouseItself(TControl* c) { return c->HandlesMouseItself(); }
  static bool CanFire(const TControl* c) { return c->CanFire(); }
  // The widget's size changed outside our own SetBounds (user resize, tab page layout).
  static void WidgetResized(TControl* c, int width, int height);
  static void FocusIn(TWinControl* c);
  static void FormActivated(TForm* f) { f->Activated(); }
  static void FormCloseRequested(TForm* f) { f->WidgetClosed(); }
  static bool DoMouseWheel(TControl* c, TShiftState shift, int delta, TPoint pos) {
    return c->DoMouseWheel(shift, delta, pos);
  }
  static QWidget* KeyWidget(TWinControl* c) { return c->KeyWidget(); }
  // The widget is about to be shown for the first time (or measured by Qt): a look held back
  // is applied now.
  static void Polishing(TControl* c) { c->EnsureLook(); }
  // Qt changed the palette or the font of the control's widget.
  static void InheritedLookChanged(TControl* c) { c->InheritedLookChanged(); }
};
