#include "platform/ui/Menus.h"

#include "platform/ui/Application.h"
#include "platform/ui/QtBridge.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include <algorithm>

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {
  Application->Initialize();
  FAction = new QAction(nullptr);
  QObject::connect(FAction, &QAction::triggered, [this] { Click(); });
}

TMenuItem::~TMenuItem() {
  if (FParent) FParent->Remove(this);
  for (TMenuItem* item : FItems)
    item->FParent = nullptr;
  FItems.clear();
  QObject::disconnect(FAction, nullptr, nullptr, nullptr);
  delete FSubMenu;
  delete FAction;
}

void TMenuItem::ApplyAction() {
  bool separator = FCaption == "-";
  FAction->setSeparator(separator);
  FAction->setText(QString::fromStdString(FCaption));
  FAction->setCheckable(FChecked || FAutoCheck || FRadioItem);
  FAction->setChecked(FChecked);
  FAction->setEnabled(FEnabled);
  FAction->setVisible(FVisible);
}

void TMenuItem::SetCaption(const std::string& caption) {
  FCaption = caption;
  ApplyAction();
}
void TMenuItem::SetChecked(bool checked) {
  if (checked && FRadioItem && FParent) {
    for (TMenuItem* sibling : FParent->FItems)
      if (sibling != this && sibling->FRadioItem && sibling->FChecked) {
        sibling->FChecked = false;
        sibling->ApplyAction();
      }
  }
  FChecked = checked;
  ApplyAction();
}
void TMenuItem::SetEnabled(bool enabled) {
  FEnabled = enabled;
  ApplyAction();
}
void TMenuItem::SetVisible(bool visible) {
  FVisible = visible;
  ApplyAction();
}
void TMenuItem::SetRadioItem(bool radio) {
  FRadioItem = radio;
  ApplyAction();
}

TMenuItem* TMenuItem::Items(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return FItems[static_cast<std::size_t>(index)];
}

void TMenuItem::Add(TMenuItem* item) {
  Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item || item == this || item->FParent == this) return;
  if (item->FParent) item->FParent->Remove(item);
  index = std::clamp(index, 0, Count());
  FItems.insert(FItems.begin() + index, item);
  item->FParent = this;
  FMenuStale = true;
}

void TMenuItem::Remove(TMenuItem* item) {
  auto it = std::find(FItems.begin(), FItems.end(), item);
  if (it == FItems.end()) return;
  FItems.erase(it);
  item->FParent = nullptr;
  FMenuStale = true;
}

void TMenuItem::Clear() {
  while (!FItems.empty()) {
    TMenuItem* item = FItems.back();
    item->Free();
  }
}

int TMenuItem::MenuIndex() const {
  if (!FParent) return -1;
  auto it = std::find(FParent->FItems.begin(), FParent->FItems.end(), this);
  return static_cast<int>(it - FParent->FItems.begin());
}

QAction* TMenuItem::Action() const {
  EnsureMenu();
  return FAction;
}

QMenu* TMenuItem::SubMenu() const {
  EnsureMenu();
  return FSubMenu;
}

void TMenuItem::EnsureMenu() const {
  if (FMenuStale) {
    FMenuStale = false;
    const_cast<TMenuItem*>(this)->Rebuild();
  }
  // A sub-item's own menu hangs on its action, shown from this one.
  for (const TMenuItem* item : FItems)
    item->EnsureMenu();
}

void TMenuItem::Rebuild() {
  if (FItems.empty()) {
    FAction->setMenu(nullptr);
    delete FSubMenu;
    FSubMenu = nullptr;
    return;
  }
  if (!FSubMenu) FSubMenu = new QMenu;
  FSubMenu->clear();
  for (TMenuItem* item : FItems)
    FSubMenu->addAction(item->FAction);
  FAction->setMenu(FSubMenu);
}

void TMenuItem::Click() {
  if (!FEnabled || Destroying()) return;
  if (FAutoCheck)
    SetChecked(!FChecked);
  else
    ApplyAction(); // a checkable action toggles itself when triggered; keep our state
  if (OnClick) OnClick(this);
}

TPopupMenu::TPopupMenu(TComponent* AOwner) : TComponent(AOwner) {
  FItems = new TMenuItem(this);
  FItems->SetName("");
}

TPopupMenu::~TPopupMenu() {
  HeadlessPopupGone(this);
}

void TPopupMenu::Popup(int x, int y) {
  if (OnPopup) OnPopup(this);
  if (Application->Headless()) {
    HeadlessPopupShown(this);
    return;
  }
  if (QMenu* menu = FItems->SubMenu()) menu->exec(QPoint(x, y));
}
