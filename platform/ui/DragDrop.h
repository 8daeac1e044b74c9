// Drag and drop between windows and programs: a control registers a drop target; a drag started
// with DoDragDrop offers a data object, asks its drop source whether to go on and shows the
// effect the target under the mouse allows.
//
//   RegisterDragDrop(grid, std::make_shared<TGridDropTarget>(grid));
//   unsigned effect = DROPEFFECT_NONE;
//   HRESULT hr = DoDragDrop(data, source, DROPEFFECT_COPY | DROPEFFECT_MOVE, effect);
//   if (hr == DRAGDROP_S_DROP && effect == DROPEFFECT_MOVE) RemoveDraggedCells();
//
// Points are screen coordinates. DoDragDrop runs until the drop or the cancel: with a display it
// is the system's drag loop (Qt's); headless it runs the script queued by the driver
// (HeadlessServices.h), because a real drag loop would wait for a user.
#pragma once

#include "platform/ui/DataObject.h"
#include "platform/ui/Types.h"

#include <memory>

class TWinControl;
class TBitmap;

constexpr unsigned DROPEFFECT_NONE = 0, DROPEFFECT_COPY = 1, DROPEFFECT_MOVE = 2, DROPEFFECT_LINK = 4,
                   DROPEFFECT_SCROLL = 0x80000000u;
// Key state of drag messages: mouse buttons and modifier keys held.
constexpr unsigned MK_LBUTTON = 0x1, MK_RBUTTON = 0x2, MK_SHIFT = 0x4, MK_CONTROL = 0x8, MK_MBUTTON = 0x10,
                   MK_ALT = 0x20;
constexpr HRESULT DRAGDROP_S_DROP = 0x00040100, DRAGDROP_S_CANCEL = 0x00040101,
                  DRAGDROP_S_USEDEFAULTCURSORS = 0x00040102,
                  DRAGDROP_E_NOTREGISTERED = static_cast<HRESULT>(0x80040100u),
                  DRAGDROP_E_ALREADYREGISTERED = static_cast<HRESULT>(0x80040101u),
                  DRAGDROP_E_INVALIDHWND = static_cast<HRESULT>(0x80040102u);

// A window's side of a drag. `effect` comes in as the effects the source allows and goes out as
// the one the target would take (DROPEFFECT_NONE: none).
class IDropTarget {
public:
  virtual ~IDropTarget() = default;
  virtual HRESULT DragEnter(const IDataObjectPtr& data, unsigned keyState, TPoint pt, unsigned& effect) = 0;
  virtual HRESULT DragOver(unsigned keyState, TPoint pt, unsigned& effect) = 0;
  virtual HRESULT DragLeave() = 0;
  virtual HRESULT Drop(const IDataObjectPtr& data, unsigned keyState, TPoint pt, unsigned& effect) = 0;
};

// The side that started the drag.
class IDropSource {
public:
  virtual ~IDropSource() = default;
  // S_OK goes on, DRAGDROP_S_DROP drops, DRAGDROP_S_CANCEL cancels.
  virtual HRESULT QueryContinueDrag(bool escapePressed, unsigned keyState) = 0;
  // The effect the target under the mouse shows; DRAGDROP_S_USEDEFAULTCURSORS for the usual cursors.
  virtual HRESULT GiveFeedback(unsigned effect) = 0;
};

// The usual source: Escape cancels, letting go of the left button drops.
class TDefaultDropSource : public IDropSource {
public:
  HRESULT QueryContinueDrag(bool escapePressed, unsigned keyState) override;
  HRESULT GiveFeedback(unsigned effect) override;
};

// A control takes drops while registered; DRAGDROP_E_ALREADYREGISTERED for a second registration.
// Destroying the control ends its registration.
HRESULT RegisterDragDrop(TWinControl* control, std::shared_ptr<IDropTarget> target);
HRESULT RevokeDragDrop(TWinControl* control);
// The target registered for the control, else for the nearest parent that has one (as drops find
// theirs); nullptr when none.
std::shared_ptr<IDropTarget> DropTargetAt(TWinControl* control, TWinControl** owner = nullptr);

// DRAGDROP_S_DROP with the effect the target took, or DRAGDROP_S_CANCEL with DROPEFFECT_NONE.
// E_INVALIDARG without data or source or with no effect allowed.
HRESULT DoDragDrop(IDataObjectPtr data, std::shared_ptr<IDropSource> source, unsigned okEffects,
                   unsigned& effect);
// True while a drag runs in this program.
bool DragRunning();
// The picture the system shows under the pointer during the next DoDragDrop (that one only), its
// top-left `offset` from the pointer. The system's drag loop asks the source nothing while the
// mouse moves, so a window of the source cannot follow it there; a scripted drag shows no picture.
void SetDragPicture(const TBitmap& picture, TPoint offset);
// The pointer of the running drag in screen coordinates: a scripted drag's point once it moved,
// else the system's mouse pointer.
TPoint DragPointerPos();
