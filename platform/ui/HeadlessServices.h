// Driving the platform services in tests: the in-process clipboard, scripted drags, pop-ups and
// the cross-thread message queue. (Forms and controls: Headless.h.)
//
//   Headless::TClipboardScope clip;                // the in-process clipboard while it lives
//   Headless::OnNextDrag([&](Headless::TDragDriver& d) {
//     d.MoveOver(*target, {10, 10});
//     d.Drop();
//   });
//   DoDragDrop(data, source, DROPEFFECT_COPY | DROPEFFECT_MOVE, effect);  // runs the script
#pragma once

#include "platform/ui/Clipboard.h"
#include "platform/ui/DragDrop.h"

#include <functional>
#include <memory>

class TControl;
class TWinControl;

namespace Headless {

// ---- clipboard
// Installs the in-process clipboard (empty) while it lives; the one before comes back after.
class TClipboardScope {
public:
  TClipboardScope();
  ~TClipboardScope();
  TClipboardScope(const TClipboardScope&) = delete;
  TClipboardScope& operator=(const TClipboardScope&) = delete;

private:
  std::unique_ptr<IClipboardBackend> FPrevious;
};
// The plain text on the system's (Qt's) clipboard, as other programs see it, and setting it as
// another program would (the program's own clipboard object sees foreign data then).
std::string SystemClipboardText();
void SetSystemClipboardText(const std::string& text);
// The raw bytes another program finds under a MIME type on the system's clipboard ("" if none).
std::string SystemClipboardData(const std::string& mimeType);

// ---- drags
// Steps of a drag that DoDragDrop runs. The left button is held from the start until Drop; keys
// held with THeldKeys (Headless.h) show in the key state. Each step first asks the drop source
// whether to go on, as the system's drag loop does.
class TDragDriver {
public:
  // The mouse moves to a client point of the control (entering, moving over or leaving targets).
  void MoveOver(TControl& control, TPoint at);
  // The mouse moves to a place where no window of the program is.
  void MoveOutside();
  // Lets go of the button: the drop.
  void Drop();
  // Presses Escape.
  void Cancel();
  // The effect the target under the mouse shows now (DROPEFFECT_NONE when none).
  unsigned Effect() const;
  // The control whose target is under the mouse, or nullptr.
  TWinControl* Target() const;
  bool Ended() const;

  struct State;
  explicit TDragDriver(State& state) : S(state) {}

private:
  State& S;
};
// Queues a script for the next DoDragDrop. A drag with no script queued, or whose script returns
// without a drop or a cancel, is reported and cancelled.
void OnNextDrag(std::function<void(TDragDriver& drag)> script);
int PendingDragScripts();
void ClearDragScripts();
// Drops data on a control through the system's (Qt's) drag events, as a drag from another program
// would: enter, one move and the drop at a client point. The effect the target took.
unsigned SystemDropOn(TWinControl& control, TPoint at, IDataObjectPtr data, unsigned okEffects);

} // namespace Headless
