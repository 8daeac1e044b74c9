#include "controls/ThemeNotifier.h"
#include "controls/ProStyleIF.h"
#include "controls/ProStyleIFSystem.h"
#include "platform/ui/Application.h"

#include <algorithm>

// ---------------------------------------------------------------------------------------------
// THandleList

int THandleList::Add(TControl* window) {
  FItems.push_back(window);
  return Count() - 1;
}

void THandleList::Insert(int index, TControl* window) {
  FItems.insert(FItems.begin() + std::clamp(index, 0, Count()), window);
}

void THandleList::Delete(int index) {
  if (index >= 0 && index < Count()) FItems.erase(FItems.begin() + index);
}

TControl* THandleList::Items(int index) const {
  return index >= 0 && index < Count() ? FItems[index] : nullptr;
}

void THandleList::SetItems(int index, TControl* window) {
  if (index >= 0 && index < Count()) FItems[index] = window;
}

bool THandleList::HasValue(const TControl* window) const {
  return std::find(FItems.begin(), FItems.end(), window) != FItems.end();
}

void THandleList::DeleteValue(const TControl* window) {
  auto it = std::find(FItems.begin(), FItems.end(), window);
  if (it != FItems.end()) FItems.erase(it);
}

// ---------------------------------------------------------------------------------------------
// TRegMonitorThread

TRegMonitorThread::TRegMonitorThread() : FAlive(std::make_shared<bool>(true)) {}

TRegMonitorThread::~TRegMonitorThread() {
  *FAlive = false;
}

void TRegMonitorThread::Start() {
  FStarted = true;
  if (!StyleSystem().RegistryKeyExists(FKey)) FError = "Unable to open registry key " + FKey;
}

void TRegMonitorThread::KeyChanged() {
  if (!Watching()) return;
  // A receiver may unregister windows or even end the notifier that owns this monitor.
  const std::shared_ptr<bool> alive = FAlive;
  const auto lParam = reinterpret_cast<LPARAM>(FKey.c_str());
  if (FWnd) {
    FWnd->Perform(WM_OFFICETHEMECHANGE, FRootKey, lParam);
    if (!*alive) return;
  }
  std::vector<TControl*> windows;
  for (int i = 0; i < FWinList.Count(); ++i)
    windows.push_back(FWinList.Items(i));
  for (TControl* window : windows) {
    if (!*alive || FTerminated) return;
    if (FWinList.HasValue(window)) window->Perform(WM_OFFICETHEMECHANGE, FRootKey, lParam);
  }
}

// ---------------------------------------------------------------------------------------------
// TThemeNotifierWindow

void TThemeNotifierWindow::WndProc(TMessage& Message) {
  if (Message.Msg == WM_OFFICETHEMECHANGE && OnOfficeThemeChange && CanFire()) OnOfficeThemeChange(this);
  TWinControl::WndProc(Message);
}

// ---------------------------------------------------------------------------------------------
// TThemeNotifier

namespace {

TThemeNotifier* Instance = nullptr;

} // namespace

TThemeNotifier::TThemeNotifier(TComponent* AOwner) : TComponent(AOwner) {
  const int version = DetectOfficeVersion();
  if (version != 1 && version != 2) return;
  FNotifier = new TThemeNotifierWindow(this);
  if (auto* parent = dynamic_cast<TWinControl*>(AOwner)) FNotifier->SetParent(parent);
  FNotifier->Hide();
  FNotifier->OnOfficeThemeChange = [this](TObject*) {
    if (OnOfficeThemeChange) OnOfficeThemeChange(this);
  };
  FMonitor = std::make_unique<TRegMonitorThread>();
  FMonitor->SetWnd(FNotifier);
  FMonitor->SetFilter(4); // changes of values
  FMonitor->SetKey(version == 2 ? "Software\\Microsoft\\Office\\14.0\\Common"
                                : "Software\\Microsoft\\Office\\12.0\\Common");
  FMonitor->SetRootKey(HKEY_CURRENT_USER);
  FMonitor->SetWatchSub(true);
  FMonitor->Start();
}

TThemeNotifier::~TThemeNotifier() {
  if (FMonitor) {
    FMonitor->Stop();
    FMonitor.reset();
  }
  if (Instance == this) Instance = nullptr;
}

void TThemeNotifier::RegisterWindow(TControl* window) {
  if (!FMonitor || !window || FMonitor->WinList().HasValue(window)) return;
  FMonitor->WinList().Add(window);
  FreeNotification(window);
}

void TThemeNotifier::UnRegisterWindow(TControl* window) {
  if (!FMonitor) return;
  FMonitor->WinList().DeleteValue(window);
  if (window && window != FNotifier && !FMonitor->WinList().HasValue(window)) RemoveFreeNotification(window);
}

void TThemeNotifier::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FNotifier) {
    FNotifier = nullptr;
    if (FMonitor) FMonitor->SetWnd(nullptr);
  }
  if (!FMonitor) return;
  // A window being destroyed is a plain component by now, so it is found by its address.
  THandleList& list = FMonitor->WinList();
  for (int i = list.Count() - 1; i >= 0; --i)
    if (static_cast<TComponent*>(list.Items(i)) == AComponent) list.Delete(i);
}

TThemeNotifier* ThemeNotifierInstance(TWinControl* caller) {
  if (!Instance) {
    TComponent* owner = Application->MainForm() ? static_cast<TComponent*>(Application->MainForm()) : caller;
    Instance = new TThemeNotifier(owner);
  }
  return Instance;
}
