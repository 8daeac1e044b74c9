#include "platform/ui/Application.h"

#include "platform/Clock.h"
#include "platform/ui/CrossThread.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/QtBridge.h"

#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMetaObject>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <limits>
#include <mutex>
#include <unordered_map>
#include <utility>
#include <vector>

void InstallQtMessageBox(); // MessageBoxQt.cpp

namespace {

TApplication TheApplication;
TScreen TheScreen;

// ---- live controls and posted messages (any thread may post)

struct TPosted {
  std::uint64_t Id;
  unsigned Msg;
  WPARAM WParam;
  LPARAM LParam;
};

// The registries are never destroyed: the application object frees its forms at exit, after
// ordinary function statics may already be gone.
std::mutex& QueueMutex() {
  static auto* m = new std::mutex;
  return *m;
}
// The live controls by id. Ids only grow, so a control registers at the end and the controls of a
// window go (last made first) near the end: a sorted vector needs no allocation per control.
class TLiveControls {
public:
  void Add(std::uint64_t id, TControl* control) {
    if (FItems.empty() || FItems.back().first < id) {
      FItems.emplace_back(id, control);
      return;
    }
    auto it = std::upper_bound(FItems.begin(), FItems.end(), id,
                               [](std::uint64_t v, const Item& e) { return v < e.first; });
    if (it != FItems.begin() && std::prev(it)->first == id)
      std::prev(it)->second = control;
    else
      FItems.insert(it, {id, control});
  }
  void Remove(std::uint64_t id) {
    if (auto it = Find(id); it != FItems.end()) FItems.erase(it);
  }
  TControl* Get(std::uint64_t id) const {
    auto it = Find(id);
    return it == FItems.end() ? nullptr : it->second;
  }
  bool Has(std::uint64_t id) const { return Find(id) != FItems.end(); }

private:
  using Item = std::pair<std::uint64_t, TControl*>;
  std::vector<Item>::const_iterator Find(std::uint64_t id) const {
    auto it = std::lower_bound(FItems.begin(), FItems.end(), id,
                               [](const Item& e, std::uint64_t v) { return e.first < v; });
    return it != FItems.end() && it->first == id ? it : FItems.end();
  }
  std::vector<Item> FItems;
};

TLiveControls& LiveControls() {
  static auto* live = new TLiveControls;
  return *live;
}
std::deque<TPosted>& PostedQueue() {
  static auto* queue = new std::deque<TPosted>;
  return *queue;
}

// Delivers the queued messages, including those posted by the handlers themselves; a handler that
// keeps posting to itself cannot hold the loop forever.
bool DrainPosted() {
  bool any = DeliverSentMessages();
  for (int handled = 0; handled < 100000; ++handled) {
    // Messages other threads wait for go before the posted ones.
    if (DeliverSentMessages()) any = true;
    TPosted p;
    TControl* target = nullptr;
    {
      std::lock_guard lock(QueueMutex());
      if (PostedQueue().empty()) break;
      p = PostedQueue().front();
      PostedQueue().pop_front();
      target = LiveControls().Get(p.Id);
    }
    any = true;
    if (target) target->Perform(p.Msg, p.WParam, p.LParam);
  }
  return any;
}

void WakeForPosted() {
  if (!QCoreApplication::instance()) return;
  QMetaObject::invokeMethod(
      QCoreApplication::instance(), [] { DrainPosted(); }, Qt::QueuedConnection);
}

// ---- timers on the program clock

struct TTimerEntry {
  TTimer* Timer;
  std::uint64_t Sequence;
};
std::vector<TTimerEntry>& Timers() {
  static auto* timers = new std::vector<TTimerEntry>;
  return *timers;
}
std::uint64_t TimerSequence = 0;
QTimer* TimerPump = nullptr;

void ArmTimerPump() {
  if (!TimerPump || Application->Headless()) return;
  std::int64_t now = Clock().NowMs();
  std::int64_t next = std::numeric_limits<std::int64_t>::max();
  for (const auto& e : Timers())
    if (e.Timer->Running()) next = std::min(next, e.Timer->DueMs());
  if (next == std::numeric_limits<std::int64_t>::max()) {
    TimerPump->stop();
    return;
  }
  // Re-checked at least once a second in case the clock was replaced.
  auto wait = std::clamp<std::int64_t>(next - now, 0, 1000);
  TimerPump->start(static_cast<int>(wait));
}

// ---- forms in creation order and in z-order

std::vector<TForm*>& AllForms() {
  static auto* forms = new std::vector<TForm*>;
  return *forms;
}
std::vector<TForm*>& ShownForms() {
  static auto* forms = new std::vector<TForm*>;
  return *forms;
}

TControl* Capture = nullptr;
bool Grabbed = false;

bool NoDisplayPlatform() {
  QString name = QGuiApplication::platformName();
  return name == "offscreen" || name == "minimal";
}

} // namespace

TApplication* const Application = &TheApplication;
TScreen* const Screen = &TheScreen;

// ---------------------------------------------------------------------------------------------

TApplication::TApplication() : TComponent(nullptr) {}

TApplication::~TApplication() {
  // Run destroys the forms when the main form closes. Forms still here belong to a process that
  // ends without Run (tests): Qt's own globals may be gone by now, so they are left to the exit.
  AbandonComponents();
}

void TApplication::DestroyForms() {
  while (ComponentCount() > 0)
    Components(ComponentCount() - 1)->Free();
}

void TApplication::Initialize() {
  if (QCoreApplication::instance()) return;
  // Without any display, run on the off-screen platform rather than fail.
  if (!std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static int argc = 1;
  static char arg0[] = "velmaric";
  static char* argv[] = {arg0, nullptr};
  auto* app = new QApplication(argc, argv);
  app->setQuitOnLastWindowClosed(false);
  InstallEventBridge();
  TimerPump = new QTimer(app);
  TimerPump->setSingleShot(true);
  QObject::connect(TimerPump, &QTimer::timeout, [] {
    Application->ProcessTimers();
    ArmTimerPump();
  });
  if (!NoDisplayPlatform()) InstallQtMessageBox();
}

bool TApplication::Headless() const {
  if (FHeadlessSet) return FHeadless;
  return !QCoreApplication::instance() || NoDisplayPlatform();
}

void TApplication::FormCreated(TForm* form) {
  if (!FMainForm) FMainForm = form;
}

void TApplication::Run() {
  Initialize();
  if (!FMainForm) return;
  FMainForm->Show();
  if (Headless()) {
    ProcessMessages();
    return;
  }
  QEventLoop loop;
  FMainLoop = &loop;
  ArmTimerPump();
  while (!FTerminated)
    loop.exec();
  FMainLoop = nullptr;
  DestroyForms();
}

void TApplication::Terminate() {
  FTerminated = true;
  if (FMainLoop) static_cast<QEventLoop*>(FMainLoop)->quit();
  for (TForm* f : AllForms())
    if (f->FModalLoop) static_cast<QEventLoop*>(f->FModalLoop)->quit();
}

void TApplication::ProcessMessages() {
  Initialize();
  for (int round = 0; round < 100; ++round) {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (!DrainPosted()) break;
  }
  ProcessTimers();
  if (Headless()) {
    std::vector<TForm*> forms = AllForms();
    for (auto it = forms.rbegin(); it != forms.rend(); ++it)
      if ((*it)->FModal) (*it)->CheckModalClose();
  }
}

void TApplication::HandleMessage() {
  Initialize();
  // Waits for the next event (a message another thread posts or sends wakes it), then handles
  // what is pending.
  QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  ProcessMessages();
}

void TApplication::ProcessTimers() {
  std::int64_t now = Clock().NowMs();
  std::vector<TTimerEntry> due;
  for (const auto& e : Timers())
    if (e.Timer->Running() && e.Timer->DueMs() <= now) due.push_back(e);
  std::stable_sort(due.begin(), due.end(), [](const TTimerEntry& a, const TTimerEntry& b) {
    return a.Timer->DueMs() < b.Timer->DueMs();
  });
  for (const auto& e : due) {
    // A handler may have stopped or destroyed a timer that was due.
    auto& all = Timers();
    auto it =
        std::find_if(all.begin(), all.end(), [&](const TTimerEntry& x) { return x.Sequence == e.Sequence; });
    if (it == all.end() || !it->Timer->Running() || it->Timer->DueMs() > now) continue;
    it->Timer->Fire(now);
  }
}

void TApplication::SetShowHint(bool show) {
  FShowHint = show;
}

// ---------------------------------------------------------------------------------------------
// Hooks

void RegisterLiveControl(TControl* control) {
  std::lock_guard lock(QueueMutex());
  LiveControls().Add(control->ControlId(), control);
}

void UnregisterLiveControl(TControl* control) {
  {
    std::lock_guard lock(QueueMutex());
    LiveControls().Remove(control->ControlId());
    if (!PostedQueue().empty())
      std::erase_if(PostedQueue(), [id = control->ControlId()](const TPosted& p) { return p.Id == id; });
  }
  DropSentMessages(control->ControlId());
}

TControl* LiveControl(std::uint64_t id) {
  std::lock_guard lock(QueueMutex());
  return LiveControls().Get(id);
}

bool IsLiveControl(std::uint64_t id) {
  std::lock_guard lock(QueueMutex());
  return LiveControls().Has(id);
}

bool PostMessage(TControl* control, unsigned msg, WPARAM wParam, LPARAM lParam) {
  return control && PostMessage(HandleOf(control), msg, wParam, lParam);
}

bool PostMessage(HWND handle, unsigned msg, WPARAM wParam, LPARAM lParam) {
  const auto id = static_cast<std::uint64_t>(handle);
  {
    std::lock_guard lock(QueueMutex());
    if (!LiveControls().Has(id)) return false;
    PostedQueue().push_back({id, msg, wParam, lParam});
  }
  WakeForPosted();
  return true;
}

unsigned RegisterWindowMessage(const std::string& name) {
  static auto* names = new std::unordered_map<std::string, unsigned>;
  if (name.empty()) return 0;
  std::lock_guard lock(QueueMutex());
  auto [it, added] = names->try_emplace(name, 0xC000u + static_cast<unsigned>(names->size()));
  return it->second;
}

int WheelScrollLines() {
  Application->Initialize();
  return QApplication::wheelScrollLines();
}

LRESULT SendMessage(TControl* control, unsigned msg, WPARAM wParam, LPARAM lParam) {
  if (!control) return 0;
  if (!OnUiThread()) return SendFromOtherThread(control->ControlId(), msg, wParam, lParam);
  return control->Perform(msg, wParam, lParam);
}

LRESULT SendMessage(HWND handle, unsigned msg, WPARAM wParam, LPARAM lParam) {
  const auto id = static_cast<std::uint64_t>(handle);
  if (!OnUiThread()) return SendFromOtherThread(id, msg, wParam, lParam);
  TControl* control = LiveControl(id);
  return control ? control->Perform(msg, wParam, lParam) : 0;
}

bool ProcessSentMessages() {
  return OnUiThread() && DeliverSentMessages();
}

void RegisterForm(TForm* form) {
  AllForms().push_back(form);
}

void UnregisterForm(TForm* form) {
  std::erase(AllForms(), form);
  std::erase(ShownForms(), form);
}

void FormRaised(TForm* form) {
  auto& shown = ShownForms();
  std::erase(shown, form);
  shown.push_back(form);
}

void FormHidden(TForm* form) {
  std::erase(ShownForms(), form);
}

void RegisterTimer(TTimer* timer) {
  Timers().push_back({timer, ++TimerSequence});
}

void UnregisterTimer(TTimer* timer) {
  std::erase_if(Timers(), [timer](const TTimerEntry& e) { return e.Timer == timer; });
  ArmTimerPump();
}

void TimersChanged() {
  ArmTimerPump();
}

TControl* CaptureControl() {
  return Capture;
}

void SetCaptureControl(TControl* control, bool grab) {
  if (control == Capture) return;
  if (Grabbed && Capture && Capture->Widget()) Capture->Widget()->releaseMouse();
  Grabbed = false;
  Capture = control;
  if (grab && !Application->Headless() && Capture && Capture->Widget() && Capture->Widget()->isVisible()) {
    Capture->Widget()->grabMouse();
    Grabbed = true;
  }
}

// ---------------------------------------------------------------------------------------------
// Screen

int TScreen::Width() const {
  Application->Initialize();
  QScreen* s = QGuiApplication::primaryScreen();
  return s ? s->geometry().width() : 1024;
}

int TScreen::Height() const {
  Application->Initialize();
  QScreen* s = QGuiApplication::primaryScreen();
  return s ? s->geometry().height() : 768;
}

void TScreen::SetCursor(TCursor cursor) {
  if (cursor == FCursor) return;
  Application->Initialize();
  if (FCursor != crDefault) QApplication::restoreOverrideCursor();
  FCursor = cursor;
  if (cursor != crDefault) {
    QApplication::setOverrideCursor(QtCursorOf(cursor));
  }
}

TForm* TScreen::ActiveForm() const {
  const auto& shown = ShownForms();
  for (auto it = shown.rbegin(); it != shown.rend(); ++it)
    if ((*it)->Showing()) return *it;
  return nullptr;
}

TWinControl* TScreen::ActiveControl() const {
  TForm* f = ActiveForm();
  return f ? f->ActiveControl() : nullptr;
}

int TScreen::FormCount() const {
  return static_cast<int>(AllForms().size());
}

TForm* TScreen::Forms(int index) const {
  if (index < 0 || index >= FormCount()) return nullptr;
  return AllForms()[static_cast<std::size_t>(index)];
}
