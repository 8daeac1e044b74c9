// Tells registered windows when the office suite's colour theme changes, by message 2993.
// It watches the suite's theme key in the registry only when an office suite of version 12 or 14
// is installed (DetectOfficeVersion); this platform has neither, so there is no watch and the
// notifier keeps no window and no monitor.
#pragma once

#include "platform/ui/Controls.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// WParam: the registry root of the watched key; LParam: its path (a NUL-terminated text).
constexpr unsigned WM_OFFICETHEMECHANGE = 2993;
constexpr WPARAM HKEY_CURRENT_USER = 0x80000001;

// Windows to notify, in the order they came.
class THandleList {
public:
  int Count() const { return static_cast<int>(FItems.size()); }
  int Add(TControl* window);
  void Insert(int index, TControl* window); // index clamped to 0 .. Count
  void Delete(int index);                   // nothing for an index out of range
  TControl* Items(int index) const;         // nullptr out of range
  void SetItems(int index, TControl* window);
  bool HasValue(const TControl* window) const;
  // Removes the first occurrence; nothing when absent.
  void DeleteValue(const TControl* window);

private:
  std::vector<TControl*> FItems;
};

// Watches a registry key and passes every change on as message 2993. There is nothing to wait on
// here, so it runs no thread of its own: a change arrives through KeyChanged.
class TRegMonitorThread {
public:
  TRegMonitorThread();
  ~TRegMonitorThread();
  TRegMonitorThread(const TRegMonitorThread&) = delete;
  TRegMonitorThread& operator=(const TRegMonitorThread&) = delete;

  const std::string& Key() const { return FKey; }
  void SetKey(const std::string& key) { FKey = key; }
  WPARAM RootKey() const { return FRootKey; }
  void SetRootKey(WPARAM root) { FRootKey = root; }
  bool WatchSub() const { return FWatchSub; }
  void SetWatchSub(bool watchSub) { FWatchSub = watchSub; }
  // Which changes count; never set (0) it means all of names, attributes, values and security (15).
  int Filter() const { return FFilter == 0 ? 15 : FFilter; }
  void SetFilter(int filter) { FFilter = filter; }
  TControl* Wnd() const { return FWnd; }
  void SetWnd(TControl* wnd) { FWnd = wnd; }
  THandleList& WinList() { return FWinList; }
  const THandleList& WinList() const { return FWinList; }

  // Opens the key. One that cannot be opened ends the monitor with "Unable to open registry key "
  // and the path in Error(); no change is passed on then.
  void Start();
  // Ends the watch; no change is passed on afterwards.
  void Stop() { FTerminated = true; }
  bool Watching() const { return FStarted && FError.empty() && !FTerminated; }
  const std::string& Error() const { return FError; }
  // Message 2993 to the notifier's window, then to every listed window in list order. A window
  // taken off the list (or destroyed) while the message goes round is skipped.
  void KeyChanged();

private:
  std::string FKey;
  WPARAM FRootKey = HKEY_CURRENT_USER;
  bool FWatchSub = false;
  int FFilter = 0;
  TControl* FWnd = nullptr;
  THandleList FWinList;
  bool FStarted = false;
  bool FTerminated = false;
  std::string FError;
  std::shared_ptr<bool> FAlive;
};

// A hidden window that fires its event on message 2993 before handling it as usual.
class TThemeNotifierWindow : public TWinControl {
public:
  explicit TThemeNotifierWindow(TComponent* AOwner) : TWinControl(AOwner) {}
  void WndProc(TMessage& Message) override;
  TNotifyEvent OnOfficeThemeChange;
};

class TThemeNotifier : public TComponent {
public:
  // With an office suite of version 12 or 14: a hidden window (its parent the owner when that is a
  // windowed control) and a monitor of the suite's theme key. Otherwise neither.
  explicit TThemeNotifier(TComponent* AOwner);
  ~TThemeNotifier() override;

  // Without a monitor both do nothing. A window is listed once; a destroyed window leaves the list.
  void RegisterWindow(TControl* window);
  void UnRegisterWindow(TControl* window);

  TRegMonitorThread* RegMonitorThread() const { return FMonitor.get(); }
  TThemeNotifierWindow* Notifier() const { return FNotifier; }

  TNotifyEvent OnOfficeThemeChange;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  std::unique_ptr<TRegMonitorThread> FMonitor;
  TThemeNotifierWindow* FNotifier = nullptr; // owned as a component
};

// The shared notifier, made on first demand: owned by the main form when there is one, else by
// the caller. It is forgotten when destroyed (with its owner); the next call makes a new one.
TThemeNotifier* ThemeNotifierInstance(TWinControl* caller);
