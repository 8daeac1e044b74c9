// Driving forms in tests, through the same paths as real input: a click focuses the control and
// presses and releases the mouse on it, a typed key goes down, types its character and comes up.
//
//   Headless::OnNextModal([](TForm& f) {
//     Headless::TypeText(f, "E_New_Proj", "Plant 7");
//     Headless::Click(f, "Btn_OK");
//   });
//   FMain->Btn_New->Click();          // opens FNew_Project modally; the script above runs in it
//
// Every step that cannot be done (no control of that name, a control of another kind, a disabled
// control) is reported through the failure reporter and returns false. A modal form that opens
// with no script queued, or whose script returns without closing it, is reported too and its
// ShowModal returns mrCancel, so a test never hangs.
#pragma once

#include "platform/ui/Controls.h"
#include "platform/ui/Forms.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

class TPopupMenu;
class TMenuItem;

namespace Headless {

// ---- failures
using TFailureReporter = std::function<void(const std::string& message)>;
// Installs the reporter (tests: one that fails the test). The default prints the message and
// aborts the program. An installed reporter also hears of drawing on a control's canvas outside
// its paint. Returns the previous reporter.
TFailureReporter SetFailureReporter(TFailureReporter reporter);
void ReportFailure(const std::string& message);

// ---- finding controls
// The component of that name owned by `root` or, failing that, by any of its components; nullptr if none.
TComponent* FindComponentDeep(const TComponent& root, const std::string& name);
TControl* FindControl(const TComponent& root, const std::string& name);
// Reports a failure and returns nullptr when the control is missing or of another kind.
template <class T> T* Find(const TComponent& root, const std::string& name) {
  TComponent* c = FindComponentDeep(root, name);
  auto* typed = dynamic_cast<T*>(c);
  if (!typed)
    ReportFailure((c ? "\"" + name + "\" is a " + c->ClassName() : "no control \"" + name + "\"") + " on " +
                  root.Name());
  return typed;
}

// ---- actions on controls
// Moves the mouse onto the control, then focuses it (when it takes the focus) and presses and
// releases the left button at its centre; then handles posted messages.
bool Click(TControl& control);
bool Click(const TComponent& root, const std::string& name);
bool DoubleClick(TControl& control);
// A double click at a client point (the first click focuses as Click does).
bool DoubleClick(TControl& control, TPoint at);
// Sets the text as code would (edits fire OnChange).
bool SetText(const TComponent& root, const std::string& name, const std::string& text);
// Chooses an item of a combo box, list box or page control as the user would.
bool PickItem(const TComponent& root, const std::string& name, int index);
bool PickItem(const TComponent& root, const std::string& name, const std::string& itemText);
// Clicks a check box (or radio button) until it has the state wanted; true when it has it.
bool Tick(const TComponent& root, const std::string& name, bool checked = true);
// Focuses the control and types the text, key by key, into whichever control has the focus.
bool TypeText(TWinControl& control, const std::string& text);
bool TypeText(const TComponent& root, const std::string& name, const std::string& text);
// One key (down, its character, up) into the control that has the focus in the control's form
// (the control itself is focused first when it is not the form).
bool PressKey(TWinControl& control, std::uint16_t key, TShiftState shift = 0);
bool PressKey(const TComponent& root, const std::string& name, std::uint16_t key, TShiftState shift = 0);
// The parts of a key alone, into the focused control of `form`.
void KeyDown(TForm& form, std::uint16_t key, TShiftState shift = 0);
void KeyUp(TForm& form, std::uint16_t key, TShiftState shift = 0);

// ---- held keys
// Holds keys down while the scope lives: GetKeyState reports them and every key, mouse and wheel
// event the driver sends carries them. Keys: VK_SHIFT, VK_CONTROL, VK_LMENU (or VK_MENU) for the
// left Alt, VK_RMENU for the right Alt (AltGr, which is no Alt to the shift state of events).
// Scopes nest; a key stays held until the last scope holding it ends.
class THeldKeys {
public:
  explicit THeldKeys(std::initializer_list<std::uint16_t> keys);
  ~THeldKeys();
  THeldKeys(const THeldKeys&) = delete;
  THeldKeys& operator=(const THeldKeys&) = delete;

private:
  std::vector<std::uint16_t> FKeys;
};

// ---- mouse in detail (client coordinates of the control; while a control has the mouse
// captured, the events go to it)
void MouseMove(TControl& control, TPoint at);
void MouseDown(TControl& control, TPoint at, TMouseButton button = mbLeft, TShiftState shift = 0);
void MouseUp(TControl& control, TPoint at, TMouseButton button = mbLeft, TShiftState shift = 0);
// Asks for the context menu at a client point, as the right mouse button's release does.
void ContextMenu(TControl& control, TPoint at);
// The mouse leaves whatever control it is over.
void MouseLeave();
void MouseWheel(TControl& control, TPoint at, int delta, TShiftState shift = 0);

// ---- modal forms
// Queues a script; the next ShowModal runs it inside its modal loop (after OnShow).
void OnNextModal(std::function<void(TForm& form)> script);
int PendingModalScripts();
void ClearModalScripts();

// ---- menus, links, hints
// The pop-up menu opened last (nullptr when none); opening one while headless only records it.
TPopupMenu* LastPopupMenu();
bool ClickMenuItem(TMenuItem& item);
// The hint that would show for the control at its centre ("" when none would).
std::string HintOf(const TControl& control);
// Moves the mouse to a client point of the control and lets it rest there: the hint shown then
// ("" when none). A hint shown already stays while the mouse is inside its rectangle.
std::string HintAt(TControl& control, TPoint at);
// The hint showing now ("" when none).
std::string ShownHint();

// ---- cursors
// True when the control's window shows that cursor (a standard one or one of Screen's own).
bool ShowsCursor(const TControl& control, TCursor cursor);

// ---- pictures
// Renders the control (a form with all it shows) into a PNG file. False (reported) on failure.
bool RenderToPng(TControl& control, const std::string& path);

} // namespace Headless
