// The application: start-up forms, the message loop, posted messages, timers, and the screen.
//
//   int main() {
//     Application->Initialize();
//     Application->CreateForm(FVelmariceFirmWare); // the first form created is the main form
//     Application->CreateForm(FNew_Project);
//     Application->Run();                           // until the main form closes
//   }
#pragma once

#include "platform/ui/Forms.h"

#include <cstdint>
#include <string>
#include <vector>

class TTimer;

class TApplication : public TComponent {
public:
  TApplication();
  ~TApplication() override;

  // Creates the GUI application when it does not exist yet; with a display it also installs the
  // Qt message box as the handler of MessageDlg. Every control calls it on construction.
  void Initialize();

  // Creates a start-up form owned by the application, sets `reference` to it before OnCreate
  // fires, and makes the first one created the main form.
  template <class T> void CreateForm(T*& reference) {
    Initialize();
    T* form = new T(this);
    reference = form;
    FormCreated(form);
    form->AfterConstruction();
  }
  TForm* MainForm() const { return FMainForm; }

  // Shows the main form and handles messages until it closes (or Terminate), then destroys the
  // forms (OnDestroy fires). Without a display (headless) it returns at once after showing the
  // main form and the forms stay.
  void Run();
  void Terminate();
  bool Terminated() const { return FTerminated; }
  // Handles the pending window events and posted messages, then fires the timers that are due.
  void ProcessMessages();
  // Waits until something arrives (a window event, a message posted or sent from another
  // thread), then handles what is pending as ProcessMessages does.
  void HandleMessage();
  // Fires every enabled timer whose due time on the program clock has passed (once each).
  void ProcessTimers();
  // True when no one can answer windows: tests, or a platform without a display. Modal forms then
  // run the scripts queued by the headless driver instead of waiting for input.
  bool Headless() const;
  void SetHeadless(bool headless) { FHeadlessSet = true, FHeadless = headless; }

  // Number of modal forms open.
  int ModalLevel() const { return FModalLevel; }

  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& title) { FTitle = title; }
  // Hints are shown only while this is on (default on).
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool show);
  // Hides the hint shown now (nothing when none).
  void CancelHint();

private:
  friend class TForm;
  friend struct TControlAccess;
  void FormCreated(TForm* form);
  void DestroyForms();

  TForm* FMainForm = nullptr;
  bool FTerminated = false;
  bool FHeadless = false;
  bool FHeadlessSet = false;
  bool FShowHint = true;
  int FModalLevel = 0;
  std::string FTitle;
  void* FMainLoop = nullptr;
};

// The program's application object (it exists before main starts).
extern TApplication* const Application;

// A control named by its id: safe to keep in another thread, where the control may be gone.
enum class HWND : std::uint64_t {};
inline HWND HandleOf(const TControl* control) {
  return HWND(control ? control->ControlId() : 0);
}

// Queues a message for the control; it is handled after the current handler, by the message loop
// or the next ProcessMessages, and dropped if the control is destroyed first. Any thread may post;
// the messages of one thread arrive in the order posted. False when the control is gone.
bool PostMessage(TControl* control, unsigned msg, WPARAM wParam = 0, LPARAM lParam = 0);
bool PostMessage(HWND handle, unsigned msg, WPARAM wParam = 0, LPARAM lParam = 0);
// The number of a message known by name, the same for every caller in the program (from 0xC000
// up, so it fits 16 bits and meets no WM_, CM_ or CN_ message); 0 for an empty name.
unsigned RegisterWindowMessage(const std::string& name);
// Lines to scroll per notch of the mouse wheel (the system setting).
int WheelScrollLines();

// Handles a message now (same as control->Perform). From another thread the message is handled on
// the user-interface thread, before posted ones, while the sender waits for its result; a control
// destroyed before then answers 0. The sender keeps waiting while the user-interface thread is
// busy, so a wait of that thread for a worker handles sent messages meanwhile (ProcessSentMessages).
LRESULT SendMessage(TControl* control, unsigned msg, WPARAM wParam = 0, LPARAM lParam = 0);
LRESULT SendMessage(HWND handle, unsigned msg, WPARAM wParam = 0, LPARAM lParam = 0);
// Handles the messages other threads sent and are waiting for (user-interface thread only); true
// when there were any.
bool ProcessSentMessages();

// The screen: size, the mouse cursor for the whole program, the active form.
class TScreen {
public:
  int Width() const;
  int Height() const;
  TCursor Cursor() const { return FCursor; }
  // Anything but crDefault overrides every control's cursor (crHourGlass during long work).
  void SetCursor(TCursor cursor);
  // Cursors of the program's own under positive numbers (the standard ones are crDefault and
  // below): a picture whose pixels of `transparent` are see-through, and the point of it that is
  // the mouse position. Registering a number again replaces its cursor; controls and the screen
  // showing it take the new one. A number without a cursor shows the arrow.
  void SetCursors(TCursor index, const TBitmap& picture, TPoint hotSpot, TColor transparent = clFuchsia);
  bool HasCursor(TCursor index) const;
  TPoint CursorHotSpot(TCursor index) const; // (-1, -1) for none
  TForm* ActiveForm() const;
  TWinControl* ActiveControl() const;
  int FormCount() const;
  TForm* Forms(int index) const;

private:
  TCursor FCursor = crDefault;
};

extern TScreen* const Screen;
