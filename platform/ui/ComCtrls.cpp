#include "platform/ui/ComCtrls.h"

#include "platform/ui/QtBridge.h"

#include <QTabBar>
#include <QTabWidget>

#include <algorithm>

namespace {

QTabWidget* Tabs(const TPageControl* pc) {
  return static_cast<QTabWidget*>(pc->Widget());
}

} // namespace

TPageControl::TPageControl(TComponent* AOwner) : TWinControl(AOwner) {
  auto* tabs = new QTabWidget;
  tabs->setFocusPolicy(Qt::StrongFocus);
  tabs->tabBar()->setFocusPolicy(Qt::NoFocus);
  QObject::connect(tabs, &QTabWidget::currentChanged, [this](int index) { CurrentChanged(index); });
  AttachWidget(tabs);
  SetControlStyle(ControlStyle() | csAcceptsControls);
  SetTabStop(true);
  SetBounds(0, 0, 289, 193);
}

TPageControl::~TPageControl() {
  // The tab widget reports every page removed; nobody may hear it while the pages go.
  MarkDestroying();
  QObject::disconnect(Widget(), nullptr, nullptr, nullptr);
  DestroyControls();
}

TTabSheet* TPageControl::Pages(int index) const {
  if (index < 0 || index >= PageCount()) return nullptr;
  return FPages[static_cast<std::size_t>(index)];
}

int TPageControl::TabIndexOf(const TTabSheet* sheet) const {
  return sheet ? Tabs(this)->indexOf(sheet->Widget()) : -1;
}

TTabSheet* TPageControl::ActivePage() const {
  QWidget* current = Tabs(this)->currentWidget();
  for (TTabSheet* p : FPages)
    if (p->Widget() == current) return p;
  return nullptr;
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page && page->FPageControl != this) return;
  FSilent = true;
  if (page) Tabs(this)->setCurrentWidget(page->Widget());
  FSilent = false;
  FLastIndex = Tabs(this)->currentIndex();
  SyncSheets();
}

int TPageControl::ActivePageIndex() const {
  TTabSheet* active = ActivePage();
  auto it = std::find(FPages.begin(), FPages.end(), active);
  return it == FPages.end() ? -1 : static_cast<int>(it - FPages.begin());
}

void TPageControl::SetActivePageIndex(int index) {
  SetActivePage(Pages(index));
}

void TPageControl::SetTabPosition(TTabPosition position) {
  FTabPosition = position;
  QTabWidget::TabPosition p = position == tpBottom  ? QTabWidget::South
                              : position == tpLeft  ? QTabWidget::West
                              : position == tpRight ? QTabWidget::East
                                                    : QTabWidget::North;
  Tabs(this)->setTabPosition(p);
  PlaceSheets();
}

void TPageControl::SelectByUser(int index) {
  TTabSheet* page = Pages(index);
  if (!page || !page->FTabVisible || !Enabled()) return;
  Tabs(this)->setCurrentWidget(page->Widget());
}

void TPageControl::CurrentChanged(int tabIndex) {
  if (FSilent || !CanFire()) {
    FLastIndex = tabIndex;
    SyncSheets();
    return;
  }
  if (tabIndex == FLastIndex) return;
  bool allow = true;
  if (OnChanging) OnChanging(this, allow);
  if (!allow) {
    FSilent = true;
    Tabs(this)->setCurrentIndex(FLastIndex);
    FSilent = false;
    return;
  }
  FLastIndex = tabIndex;
  SyncSheets();
  if (OnChange) OnChange(this);
}

// Only the page shown counts as visible, so the focus never goes to a control on another page.
void TPageControl::SyncSheets() {
  if (Destroying()) return;
  QWidget* current = Tabs(this)->currentWidget();
  for (TTabSheet* p : std::vector<TTabSheet*>(FPages))
    p->SetVisible(p->Widget() == current && p->FTabVisible);
}

TRect TPageControl::DisplayRect() const {
  // The tab bar is measured in the control's font.
  EnsureLook();
  int bar = Tabs(this)->tabBar()->sizeHint().height();
  int w = ClientWidth(), h = ClientHeight();
  switch (FTabPosition) {
  case tpBottom:
    return Rect(4, 4, w - 4, h - bar - 4);
  case tpLeft:
    return Rect(Tabs(this)->tabBar()->sizeHint().width() + 4, 4, w - 4, h - 4);
  case tpRight:
    return Rect(4, 4, w - Tabs(this)->tabBar()->sizeHint().width() - 4, h - 4);
  default:
    return Rect(4, bar + 4, w - 4, h - 4);
  }
}

void TPageControl::PlaceSheets() {
  // Until Qt lays the pages out (when shown), they take the display area.
  if (FPages.empty()) return;
  TRect r = DisplayRect();
  for (TTabSheet* p : FPages)
    TControlAccess::WidgetResized(p, std::max(0, r.Width()), std::max(0, r.Height()));
}

void TPageControl::Resize() {
  PlaceSheets();
  TWinControl::Resize();
}

void TPageControl::ChildAdded(TControl* child) {
  auto* sheet = dynamic_cast<TTabSheet*>(child);
  if (!sheet) return;
  sheet->FPageControl = this;
  FPages.push_back(sheet);
  FSilent = true;
  if (sheet->FTabVisible) Tabs(this)->addTab(sheet->Widget(), QString::fromStdString(sheet->Caption()));
  FSilent = false;
  FLastIndex = Tabs(this)->currentIndex();
  SyncSheets();
  PlaceSheets();
}

void TPageControl::ChildRemoved(TControl* child) {
  auto* sheet = dynamic_cast<TTabSheet*>(child);
  if (!sheet) return;
  FSilent = true;
  int index = TabIndexOf(sheet);
  if (index >= 0) Tabs(this)->removeTab(index);
  FSilent = false;
  std::erase(FPages, sheet);
  sheet->FPageControl = nullptr;
  FLastIndex = Tabs(this)->currentIndex();
  SyncSheets();
}

void TPageControl::SheetChanged(TTabSheet* sheet) {
  int index = TabIndexOf(sheet);
  FSilent = true;
  if (sheet->FTabVisible && index < 0) {
    // Tabs keep the order of the pages.
    int at = 0;
    for (TTabSheet* p : FPages) {
      if (p == sheet) break;
      if (TabIndexOf(p) >= 0) ++at;
    }
    Tabs(this)->insertTab(at, sheet->Widget(), QString::fromStdString(sheet->Caption()));
  } else if (!sheet->FTabVisible && index >= 0) {
    Tabs(this)->removeTab(index);
    sheet->Widget()->setParent(Widget());
    sheet->Widget()->setVisible(false);
  } else if (index >= 0) {
    Tabs(this)->setTabText(index, QString::fromStdString(sheet->Caption()));
  }
  FSilent = false;
  FLastIndex = Tabs(this)->currentIndex();
  SyncSheets();
}

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {
  auto* w = new QWidget;
  w->setAutoFillBackground(false);
  AttachWidget(w);
  SetControlStyle(ControlStyle() | csAcceptsControls);
}

void TTabSheet::SetTextNative(const std::string& text) {
  TWinControl::SetTextNative(text);
  if (FPageControl) FPageControl->SheetChanged(this);
}

int TTabSheet::PageIndex() const {
  if (!FPageControl) return -1;
  auto& pages = FPageControl->FPages;
  return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int index) {
  if (!FPageControl) return;
  auto& pages = FPageControl->FPages;
  std::erase(pages, this);
  index = std::clamp(index, 0, static_cast<int>(pages.size()));
  pages.insert(pages.begin() + index, this);
  bool visible = FTabVisible;
  FTabVisible = false;
  FPageControl->SheetChanged(this);
  FTabVisible = visible;
  FPageControl->SheetChanged(this);
}

void TTabSheet::SetTabVisible(bool visible) {
  if (visible == FTabVisible) return;
  FTabVisible = visible;
  if (FPageControl) FPageControl->SheetChanged(this);
}
