#include "platform/ui/DragDrop.h"

#include "platform/ui/Application.h"
#include "platform/ui/DataObjectQt.h"
#include "platform/ui/Graphics.h"
#include "platform/ui/GraphicsQt.h"
#include "platform/ui/Headless.h"
#include "platform/ui/HeadlessServices.h"
#include "platform/ui/KeyState.h"
#include "platform/ui/QtBridge.h"

#include <QApplication>
#include <QCursor>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPixmap>
#include <QPointer>

#include <deque>
#include <optional>
#include <unordered_map>

namespace {

struct TRegistration {
  TWinControl* Control;
  std::shared_ptr<IDropTarget> Target;
};

std::unordered_map<std::uint64_t, TRegistration>& Registrations() {
  static auto* map = new std::unordered_map<std::uint64_t, TRegistration>;
  return *map;
}

// Registrations of controls that are gone are dropped when met.
TRegistration* RegistrationOf(TWinControl* control) {
  if (!control) return nullptr;
  auto& map = Registrations();
  auto it = map.find(control->ControlId());
  if (it == map.end()) return nullptr;
  if (!IsLiveControl(it->first)) {
    map.erase(it);
    return nullptr;
  }
  return &it->second;
}

unsigned ModifierKeys() {
  unsigned keys = 0;
  if (GetKeyState(VK_SHIFT) < 0) keys |= MK_SHIFT;
  if (GetKeyState(VK_CONTROL) < 0) keys |= MK_CONTROL;
  if (GetKeyState(VK_MENU) < 0) keys |= MK_ALT;
  return keys;
}

unsigned KeysOf(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
  unsigned keys = 0;
  if (buttons & Qt::LeftButton) keys |= MK_LBUTTON;
  if (buttons & Qt::RightButton) keys |= MK_RBUTTON;
  if (buttons & Qt::MiddleButton) keys |= MK_MBUTTON;
  if (modifiers & Qt::ShiftModifier) keys |= MK_SHIFT;
  if (modifiers & Qt::ControlModifier) keys |= MK_CONTROL;
  if (modifiers & Qt::AltModifier) keys |= MK_ALT;
  return keys;
}

Qt::DropActions QtActions(unsigned effects) {
  Qt::DropActions a;
  if (effects & DROPEFFECT_COPY) a |= Qt::CopyAction;
  if (effects & DROPEFFECT_MOVE) a |= Qt::MoveAction;
  if (effects & DROPEFFECT_LINK) a |= Qt::LinkAction;
  return a;
}

unsigned EffectsOf(Qt::DropActions actions) {
  unsigned e = 0;
  if (actions & Qt::CopyAction) e |= DROPEFFECT_COPY;
  if (actions & Qt::MoveAction) e |= DROPEFFECT_MOVE;
  if (actions & Qt::LinkAction) e |= DROPEFFECT_LINK;
  return e;
}

// One effect of a set, for a system that takes a single action: move, then copy, then link.
Qt::DropAction SingleAction(unsigned effect) {
  if (effect & DROPEFFECT_MOVE) return Qt::MoveAction;
  if (effect & DROPEFFECT_COPY) return Qt::CopyAction;
  if (effect & DROPEFFECT_LINK) return Qt::LinkAction;
  return Qt::IgnoreAction;
}

// The drag this program runs now: its data object is handed to targets in this program as it is.
struct TRunningDrag {
  IDataObjectPtr Data;
  QPointer<QMimeData> Mime;
  bool Active = false;
  std::optional<TPoint> ScriptedPointer;
};
TRunningDrag Running;

struct TDragPicture {
  QImage Image;
  TPoint Offset;
};
std::optional<TDragPicture>& PendingPicture() {
  static auto* picture = new std::optional<TDragPicture>;
  return *picture;
}

std::deque<std::function<void(Headless::TDragDriver&)>>& DragScripts() {
  static auto* scripts = new std::deque<std::function<void(Headless::TDragDriver&)>>;
  return *scripts;
}

// Turns the system's drag events on a registered control into calls of its drop target.
class TDropEventFilter : public QObject {
public:
  bool eventFilter(QObject* object, QEvent* event) override {
    const QEvent::Type t = event->type();
    if (t != QEvent::DragEnter && t != QEvent::DragMove && t != QEvent::DragLeave && t != QEvent::Drop)
      return false;
    auto* control = dynamic_cast<TWinControl*>(ControlOfWidget(object));
    TRegistration* reg = RegistrationOf(control);
    if (!reg || control->Widget() != object) return false;
    std::shared_ptr<IDropTarget> target = reg->Target;
    if (t == QEvent::DragLeave) {
      FData.reset();
      target->DragLeave();
      return true;
    }
    auto* e = static_cast<QDropEvent*>(event);
    const QPoint global = control->Widget()->mapToGlobal(e->position().toPoint());
    const TPoint pt{global.x(), global.y()};
    const unsigned keys = KeysOf(e->buttons(), e->modifiers());
    unsigned effect = EffectsOf(e->possibleActions());
    const unsigned allowed = effect;
    if (t == QEvent::DragEnter) {
      const QMimeData* mime = e->mimeData();
      FData = Running.Active && mime && mime == Running.Mime.data() ? Running.Data
              : mime ? std::static_pointer_cast<IDataObject>(DataObjectFromMime(*mime))
                     : std::make_shared<TDataObject>();
      target->DragEnter(FData, keys, pt, effect);
    } else if (t == QEvent::DragMove) {
      target->DragOver(keys, pt, effect);
    } else {
      IDataObjectPtr data = FData ? FData : std::make_shared<TDataObject>();
      FData.reset();
      target->Drop(data, keys, pt, effect);
    }
    effect &= allowed;
    // The enter is always taken so that moves keep coming; the action says whether a drop may follow.
    const Qt::DropAction action = SingleAction(effect);
    if (action == Qt::IgnoreAction && t != QEvent::DragEnter) {
      e->ignore();
    } else {
      e->setDropAction(action == Qt::IgnoreAction ? Qt::CopyAction : action);
      e->accept();
    }
    return true;
  }

private:
  IDataObjectPtr FData;
};

// A child of the registered widget: the registration ends when the widget is destroyed.
class TRegistrationGuard : public QObject {
public:
  TRegistrationGuard(QObject* widget, std::uint64_t id) : QObject(widget), FId(id) {
    setObjectName(QStringLiteral("velmaric-drop-registration"));
  }
  ~TRegistrationGuard() override { Registrations().erase(FId); }

private:
  std::uint64_t FId;
};

TDropEventFilter* DropFilter() {
  static auto* filter = new TDropEventFilter;
  return filter;
}

} // namespace

// ---------------------------------------------------------------------------------------------

HRESULT TDefaultDropSource::QueryContinueDrag(bool escapePressed, unsigned keyState) {
  if (escapePressed) return DRAGDROP_S_CANCEL;
  if (!(keyState & MK_LBUTTON)) return DRAGDROP_S_DROP;
  return S_OK;
}

HRESULT TDefaultDropSource::GiveFeedback(unsigned) {
  return DRAGDROP_S_USEDEFAULTCURSORS;
}

HRESULT RegisterDragDrop(TWinControl* control, std::shared_ptr<IDropTarget> target) {
  if (!control || !IsLiveControl(control->ControlId())) return DRAGDROP_E_INVALIDHWND;
  if (!target) return E_INVALIDARG;
  if (RegistrationOf(control)) return DRAGDROP_E_ALREADYREGISTERED;
  const std::uint64_t id = control->ControlId();
  Registrations()[id] = {control, std::move(target)};
  if (QWidget* w = control->Widget()) {
    w->setAcceptDrops(true);
    w->installEventFilter(DropFilter());
    // The target goes with the window.
    new TRegistrationGuard(w, id);
  }
  return S_OK;
}

HRESULT RevokeDragDrop(TWinControl* control) {
  if (!RegistrationOf(control)) return DRAGDROP_E_NOTREGISTERED;
  Registrations().erase(control->ControlId());
  if (QWidget* w = control->Widget()) {
    w->setAcceptDrops(false);
    w->removeEventFilter(DropFilter());
    delete w->findChild<QObject*>(QStringLiteral("velmaric-drop-registration"), Qt::FindDirectChildrenOnly);
  }
  return S_OK;
}

std::shared_ptr<IDropTarget> DropTargetAt(TWinControl* control, TWinControl** owner) {
  for (TWinControl* c = control; c; c = c->Parent())
    if (TRegistration* reg = RegistrationOf(c)) {
      if (owner) *owner = c;
      return reg->Target;
    }
  if (owner) *owner = nullptr;
  return nullptr;
}

bool DragRunning() {
  return Running.Active;
}

void SetDragPicture(const TBitmap& picture, TPoint offset) {
  PendingPicture() = TDragPicture{BitmapImage(picture).copy(), offset};
}

TPoint DragPointerPos() {
  if (Running.ScriptedPointer) return *Running.ScriptedPointer;
  const QPoint p = QCursor::pos();
  return {p.x(), p.y()};
}

// ---------------------------------------------------------------------------------------------
// The scripted drag

struct Headless::TDragDriver::State {
  IDataObjectPtr Data;
  std::shared_ptr<IDropSource> Source;
  unsigned Allowed = 0;
  TWinControl* Owner = nullptr; // control whose target is under the mouse
  std::uint64_t OwnerId = 0;
  std::shared_ptr<IDropTarget> Target;
  TPoint Pt;
  unsigned Effect = DROPEFFECT_NONE;
  bool Ended = false;
  HRESULT Result = DRAGDROP_S_CANCEL;
  unsigned FinalEffect = DROPEFFECT_NONE;

  void Leave() {
    if (Target) Target->DragLeave();
    Target.reset();
    Owner = nullptr;
    OwnerId = 0;
    Effect = DROPEFFECT_NONE;
  }
  void EndCancelled() {
    Leave();
    Ended = true;
    Result = DRAGDROP_S_CANCEL;
    FinalEffect = DROPEFFECT_NONE;
  }
  void EndDropped() {
    Ended = true;
    Result = DRAGDROP_S_DROP;
    if (Target && Effect != DROPEFFECT_NONE) {
      unsigned effect = Allowed;
      Target->Drop(Data, ModifierKeys(), Pt, effect);
      FinalEffect = effect & Allowed;
      Target.reset();
      Owner = nullptr;
    } else {
      Leave();
      FinalEffect = DROPEFFECT_NONE;
    }
  }
  // Asks the source whether to go on; false when the drag ended there.
  bool Continue(bool escape, unsigned keys) {
    if (Ended) {
      Headless::ReportFailure("a drag step after the drag ended");
      return false;
    }
    const HRESULT hr = Source->QueryContinueDrag(escape, keys);
    if (hr == DRAGDROP_S_CANCEL) {
      EndCancelled();
      return false;
    }
    if (hr == DRAGDROP_S_DROP) {
      EndDropped();
      return false;
    }
    return true;
  }
  // The target whose registration went with its control is left without a word.
  void CheckOwnerAlive() {
    if (Target && !IsLiveControl(OwnerId)) {
      Target.reset();
      Owner = nullptr;
      OwnerId = 0;
      Effect = DROPEFFECT_NONE;
    }
  }
  void MoveTo(TWinControl* over, TPoint screen) {
    const unsigned keys = MK_LBUTTON | ModifierKeys();
    // The pointer is there before the source is asked, as in the system's loop.
    Running.ScriptedPointer = screen;
    if (!Continue(false, keys)) return;
    CheckOwnerAlive();
    Pt = screen;
    TWinControl* owner = nullptr;
    std::shared_ptr<IDropTarget> target = over ? DropTargetAt(over, &owner) : nullptr;
    unsigned effect = Allowed;
    if (owner != Owner || target != Target) {
      Leave();
      if (target) {
        Target = target;
        Owner = owner;
        OwnerId = owner->ControlId();
        target->DragEnter(Data, keys, Pt, effect);
      } else {
        effect = DROPEFFECT_NONE;
      }
    } else if (Target) {
      Target->DragOver(keys, Pt, effect);
    } else {
      effect = DROPEFFECT_NONE;
    }
    Effect = effect & (Allowed | DROPEFFECT_SCROLL);
    Source->GiveFeedback(Effect & ~DROPEFFECT_SCROLL);
  }
};

namespace Headless {

void TDragDriver::MoveOver(TControl& control, TPoint at) {
  auto* win = dynamic_cast<TWinControl*>(&control);
  if (!win) win = control.Parent();
  S.MoveTo(win, control.ClientToScreen(at));
}

void TDragDriver::MoveOutside() {
  S.MoveTo(nullptr, {-10000, -10000});
}

void TDragDriver::Drop() {
  if (!S.Continue(false, ModifierKeys())) return;
  // The source chose to go on although the button is up: the drag continues.
}

void TDragDriver::Cancel() {
  S.Continue(true, MK_LBUTTON | ModifierKeys());
}

unsigned TDragDriver::Effect() const {
  return S.Effect & ~DROPEFFECT_SCROLL;
}

TWinControl* TDragDriver::Target() const {
  return S.Target && IsLiveControl(S.OwnerId) ? S.Owner : nullptr;
}

bool TDragDriver::Ended() const {
  return S.Ended;
}

void OnNextDrag(std::function<void(TDragDriver& drag)> script) {
  DragScripts().push_back(std::move(script));
}

int PendingDragScripts() {
  return static_cast<int>(DragScripts().size());
}

void ClearDragScripts() {
  DragScripts().clear();
}

unsigned SystemDropOn(TWinControl& control, TPoint at, IDataObjectPtr data, unsigned okEffects) {
  QWidget* w = control.Widget();
  if (!w || !data) return DROPEFFECT_NONE;
  QMimeData* mime = MimeFromDataObject(*data);
  const QPointF p(at.X, at.Y);
  const Qt::DropActions actions = QtActions(okEffects);
  const Qt::MouseButtons buttons = Qt::LeftButton;
  const Qt::KeyboardModifiers mods = QtModifiersFromShift(KeyboardShiftState());
  QDragEnterEvent enter(p.toPoint(), actions, mime, buttons, mods);
  QApplication::sendEvent(w, &enter);
  unsigned effect = DROPEFFECT_NONE;
  if (enter.isAccepted()) {
    QDragMoveEvent move(p.toPoint(), actions, mime, buttons, mods);
    QApplication::sendEvent(w, &move);
    if (move.isAccepted()) {
      QDropEvent drop(p, actions, mime, Qt::NoButton, mods);
      QApplication::sendEvent(w, &drop);
      if (drop.isAccepted()) effect = EffectsOf(drop.dropAction());
    } else {
      QDragLeaveEvent leave;
      QApplication::sendEvent(w, &leave);
    }
  }
  delete mime;
  Application->ProcessMessages();
  return effect;
}

} // namespace Headless

// ---------------------------------------------------------------------------------------------

HRESULT DoDragDrop(IDataObjectPtr data, std::shared_ptr<IDropSource> source, unsigned okEffects,
                   unsigned& effect) {
  effect = DROPEFFECT_NONE;
  // The picture belongs to this drag whatever becomes of it.
  std::optional<TDragPicture> picture = std::move(PendingPicture());
  PendingPicture().reset();
  okEffects &= DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
  if (!data || !source || okEffects == 0) return E_INVALIDARG;
  if (Running.Active) return E_UNEXPECTED; // one drag at a time
  Application->Initialize();
  Running.Active = true;
  Running.Data = data;
  struct TEnd {
    ~TEnd() { Running = TRunningDrag(); }
  } end;

  if (Application->Headless()) {
    Headless::TDragDriver::State state;
    state.Data = data;
    state.Source = source;
    state.Allowed = okEffects;
    Headless::TDragDriver driver(state);
    auto& scripts = DragScripts();
    if (scripts.empty()) {
      Headless::ReportFailure(
          "DoDragDrop with no script queued (Headless::OnNextDrag); the drag is cancelled");
      source->QueryContinueDrag(true, MK_LBUTTON);
      return DRAGDROP_S_CANCEL;
    }
    auto script = std::move(scripts.front());
    scripts.pop_front();
    script(driver);
    if (!state.Ended) {
      Headless::ReportFailure("the drag script returned without a drop or a cancel; the drag is cancelled");
      source->QueryContinueDrag(true, MK_LBUTTON);
      state.EndCancelled();
    }
    effect = state.FinalEffect;
    Application->ProcessMessages();
    return state.Result;
  }

  // The system's drag loop: it asks no source in between, so the source hears the end only.
  QDrag drag(QCoreApplication::instance());
  QMimeData* mime = MimeFromDataObject(*data);
  Running.Mime = mime;
  drag.setMimeData(mime);
  if (picture && !picture->Image.isNull()) {
    drag.setPixmap(QPixmap::fromImage(picture->Image));
    drag.setHotSpot(QPoint(-picture->Offset.X, -picture->Offset.Y));
  }
  const Qt::DropAction action = drag.exec(QtActions(okEffects), SingleAction(okEffects & ~DROPEFFECT_LINK));
  if (action == Qt::IgnoreAction) {
    source->QueryContinueDrag(true, 0);
    return DRAGDROP_S_CANCEL;
  }
  source->QueryContinueDrag(false, 0);
  effect = EffectsOf(action) & okEffects;
  return DRAGDROP_S_DROP;
}
