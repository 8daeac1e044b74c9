// Pop-up menus and their items.
#pragma once

#include "platform/ui/Classes.h"
#include "platform/ui/Controls.h"

#include <memory>
#include <string>
#include <vector>

class QAction;
class QMenu;

class TMenuItem : public TComponent {
public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  std::string Caption() const { return FCaption; }
  void SetCaption(const std::string& caption); // "-" makes a separator
  bool Checked() const { return FChecked; }
  void SetChecked(bool checked);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool enabled);
  bool Visible() const { return FVisible; }
  void SetVisible(bool visible);
  // Clicking toggles Checked before OnClick.
  bool AutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool autoCheck) { FAutoCheck = autoCheck; }
  bool RadioItem() const { return FRadioItem; }
  void SetRadioItem(bool radio);

  // Sub-items (the item does not own them; their owner does).
  int Count() const { return static_cast<int>(FItems.size()); }
  TMenuItem* Items(int index) const;
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  void Remove(TMenuItem* item);
  void Clear(); // frees the sub-items
  TMenuItem* Parent() const { return FParent; }
  int MenuIndex() const;

  // Fires OnClick (after AutoCheck), as choosing the item does.
  virtual void Click();
  TNotifyEvent OnClick;

  // The item's Qt action and the menu of its sub-items (nullptr without any), built when asked for.
  QAction* Action() const;
  QMenu* SubMenu() const;

private:
  // Menus are built when first needed rather than at every Insert and Remove: a window adding its
  // items one by one would otherwise fill and clear a QMenu per item.
  void EnsureMenu() const;
  void Rebuild();
  void ApplyAction();
  std::string FCaption;
  bool FChecked = false;
  bool FEnabled = true;
  bool FVisible = true;
  bool FAutoCheck = false;
  bool FRadioItem = false;
  std::vector<TMenuItem*> FItems;
  TMenuItem* FParent = nullptr;
  QAction* FAction = nullptr;
  QMenu* FSubMenu = nullptr;
  mutable bool FMenuStale = false;
};

class TPopupMenu : public TComponent {
public:
  explicit TPopupMenu(TComponent* AOwner);
  ~TPopupMenu() override;
  // The root item; its sub-items are the menu.
  TMenuItem* Items() const { return FItems; }
  // Right-clicking a control that has this menu opens it (default on).
  bool AutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool autoPopup) { FAutoPopup = autoPopup; }
  // The control the menu was last opened for.
  TComponent* PopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TComponent* component) { FPopupComponent = component; }
  // Opens the menu at a screen point and returns when it closes (the chosen item has clicked).
  // Headless, it only records that it was opened (see Headless::LastPopupMenu).
  virtual void Popup(int x, int y);
  TNotifyEvent OnPopup;

private:
  TMenuItem* FItems;
  bool FAutoPopup = true;
  TComponent* FPopupComponent = nullptr;
};
