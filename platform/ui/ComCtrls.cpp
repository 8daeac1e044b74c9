#include "platform/ui/ComCtrls.h"

#include "platform/ui/GraphicsQt.h"
#include "platform/ui/QtBridge.h"

#include <QApplication>
#include <QTabBar>
#include <QTabWidget>

#include <algorithm>

namespace {

QTabWidget* Tabs(const TPageControl* pc) {
  return static_cast<QTabWidget*>(pc->Widget());
}

QTabWidget::TabPosition QtTabPosition(TTabPosition position) {
  return position == tpBottom  ? QTabWidget::South
         : position == tpLeft  ? QTabWidget::West
         : position == tpRight ? QTabWidget::East
                               : QTabWidget::North;
}

// The size of the tab bar of a tab widget with these tabs, measured by one made for the purpose.
// A tab's height on top or bottom does not depend on its caption, so those are kept per font:
// page controls of windows that start hidden need it to size their pages.
QSize MeasureTabBar(const TFont& font, TTabPosition position, const std::vector<std::string>& captions) {
  const QFont f = ToQFont(font, true);
  const QStyle* style = QApplication::style();
  const bool keep = position == tpTop || position == tpBottom;
  struct TMeasured {
    QFont Font;
    const QStyle* Style;
    TTabPosition Position;
    QSize Size;
  };
  // Never destroyed, as Qt's font data must not outlive the application.
  static auto* measured = new std::vector<TMeasured>;
  if (keep)
    for (const TMeasured& m : *measured)
      if (m.Position == position && m.Style == style && m.Font == f) return m.Size;
  QTabWidget tabs;
  tabs.setTabPosition(QtTabPosition(position));
  tabs.setFont(f);
  for (const std::string& caption : captions)
    tabs.addTab(new QWidget, QString::fromStdString(caption));
  const QSize size = tabs.tabBar()->sizeHint();
  if (keep) measured->push_back({f, style, position, size});
  return size;
}

} // namespace

TPageControl::TPageControl(TComponent* AOwner) : TWinControl(AOwner) {
  DeferWidget();
  SetControlStyle(ControlStyle() | csAcceptsControls);
  SetTabStop(true);
  SetBounds(0, 0, 289, 193);
}

TPageControl::~TPageControl() {
  // The tab widget reports every page removed; nobody may hear it while the pages go.
  MarkDestroying();
  if (HasWidget()) QObject::disconnect(Widget(), nullptr, nullptr, nullptr);
  DestroyControls();
}

QWidget* TPageControl::CreateWidget() {
  auto* tabs = new QTabWidget;
  tabs->setFocusPolicy(Qt::StrongFocus);
  tabs->tabBar()->setFocusPolicy(Qt::NoFocus);
  if (FTabPosition != tpTop) tabs->setTabPosition(QtTabPosition(FTabPosition));
  QObject::connect(tabs, &QTabWidget::currentChanged, [this](int index) { TabSwitched(index); });
  return tabs;
}

void TPageControl::WidgetCreated() {
  // Every page with a tab gets its widget now (the tab widget holds them), the current one last
  // chosen again; the pages' visibility is the control's already.
  FBuilding = true;
  for (TTabSheet* p : std::vector<TTabSheet*>(FPages))
    if (p->FTabbed) Tabs(this)->addTab(p->Widget(), QString::fromStdString(p->Caption()));
  if (FActive) Tabs(this)->setCurrentIndex(TabIndexOf(FActive));
  FBuilding = false;
}

TTabSheet* TPageControl::Pages(int index) const {
  if (index < 0 || index >= PageCount()) return nullptr;
  return FPages[static_cast<std::size_t>(index)];
}

int TPageControl::TabIndexOf(const TTabSheet* sheet) const {
  if (!sheet || !sheet->FTabbed) return -1;
  int index = 0;
  for (const TTabSheet* p : FPages) {
    if (p == sheet) return index;
    if (p->FTabbed) ++index;
  }
  return -1;
}

int TPageControl::TabCount() const {
  return static_cast<int>(
      std::count_if(FPages.begin(), FPages.end(), [](const TTabSheet* p) { return p->FTabbed; }));
}

TTabSheet* TPageControl::TabPage(int tabIndex) const {
  if (tabIndex < 0) return nullptr;
  for (TTabSheet* p : FPages)
    if (p->FTabbed && tabIndex-- == 0) return p;
  return nullptr;
}

int TPageControl::CurrentTab() const {
  return HasWidget() ? Tabs(this)->currentIndex() : TabIndexOf(FActive);
}

void TPageControl::InsertTab(int at, TTabSheet* sheet) {
  if (HasWidget()) {
    QWidget* page = sheet->Widget();
    sheet->FTabbed = true;
    Tabs(this)->insertTab(at, page, QString::fromStdString(sheet->Caption()));
    return;
  }
  // The first tab becomes the current one; later ones leave it.
  sheet->FTabbed = true;
  if (TabCount() == 1) TabSwitched(at);
}

void TPageControl::RemoveTab(TTabSheet* sheet, int tabIndex) {
  sheet->FTabbed = false;
  if (HasWidget()) {
    Tabs(this)->removeTab(tabIndex);
    return;
  }
  // As the tab widget: the current tab going, the one that took its place (or the last) follows;
  // a tab before the current one going, the current one is chosen again at its new index.
  if (sheet == FActive) {
    const int count = TabCount();
    TabSwitched(count == 0 ? -1 : std::min(tabIndex, count - 1));
  } else if (FActive) {
    if (const int current = TabIndexOf(FActive); tabIndex <= current) TabSwitched(current);
  }
}

void TPageControl::SetCurrentTab(int tabIndex) {
  if (HasWidget()) {
    Tabs(this)->setCurrentIndex(tabIndex);
    return;
  }
  if (tabIndex < 0 || tabIndex >= TabCount() || tabIndex == CurrentTab()) return;
  TabSwitched(tabIndex);
}

void TPageControl::TabSwitched(int tabIndex) {
  if (FBuilding) return;
  FActive = TabPage(tabIndex);
  CurrentChanged(tabIndex);
}

TTabSheet* TPageControl::ActivePage() const {
  return FActive;
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page && page->FPageControl != this) return;
  FSilent = true;
  if (page) SetCurrentTab(TabIndexOf(page));
  FSilent = false;
  FLastIndex = CurrentTab();
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
  if (HasWidget()) Tabs(this)->setTabPosition(QtTabPosition(position));
  PlaceSheets();
}

void TPageControl::SelectByUser(int index) {
  TTabSheet* page = Pages(index);
  if (!page || !page->FTabVisible || !Enabled()) return;
  SetCurrentTab(TabIndexOf(page));
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
    SetCurrentTab(FLastIndex);
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
  for (TTabSheet* p : std::vector<TTabSheet*>(FPages))
    p->SetVisible(p == FActive && p->FTabVisible);
}

TRect TPageControl::DisplayRect() const {
  QSize bar(0, 0);
  if (HasWidget()) {
    // The tab bar is measured in the control's font.
    EnsureLook();
    bar = Tabs(this)->tabBar()->sizeHint();
  } else if (TabCount() > 0) {
    std::vector<std::string> captions;
    for (const TTabSheet* p : FPages)
      if (p->FTabbed) captions.push_back(p->Caption());
    bar = MeasureTabBar(Font(), FTabPosition, captions);
  }
  int w = ClientWidth(), h = ClientHeight();
  switch (FTabPosition) {
  case tpBottom:
    return Rect(4, 4, w - 4, h - bar.height() - 4);
  case tpLeft:
    return Rect(bar.width() + 4, 4, w - 4, h - 4);
  case tpRight:
    return Rect(4, 4, w - bar.width() - 4, h - 4);
  default:
    return Rect(4, bar.height() + 4, w - 4, h - 4);
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
  if (sheet->FTabVisible) InsertTab(TabCount(), sheet);
  FSilent = false;
  FLastIndex = CurrentTab();
  SyncSheets();
  PlaceSheets();
}

void TPageControl::ChildRemoved(TControl* child) {
  auto* sheet = dynamic_cast<TTabSheet*>(child);
  if (!sheet) return;
  FSilent = true;
  if (int index = TabIndexOf(sheet); index >= 0) RemoveTab(sheet, index);
  FSilent = false;
  std::erase(FPages, sheet);
  sheet->FPageControl = nullptr;
  FLastIndex = CurrentTab();
  SyncSheets();
}

void TPageControl::SheetChanged(TTabSheet* sheet) {
  SheetChanged(sheet, TabIndexOf(sheet));
}

// `index` is the sheet's tab index before the change (-1 without a tab).
void TPageControl::SheetChanged(TTabSheet* sheet, int index) {
  FSilent = true;
  if (sheet->FTabVisible && index < 0) {
    // Tabs keep the order of the pages.
    int at = 0;
    for (TTabSheet* p : FPages) {
      if (p == sheet) break;
      if (p->FTabbed) ++at;
    }
    InsertTab(at, sheet);
  } else if (!sheet->FTabVisible && index >= 0) {
    RemoveTab(sheet, index);
    if (sheet->HasWidget()) {
      sheet->Widget()->setParent(Widget());
      sheet->Widget()->setVisible(false);
    }
  } else if (index >= 0 && HasWidget()) {
    Tabs(this)->setTabText(index, QString::fromStdString(sheet->Caption()));
  }
  FSilent = false;
  FLastIndex = CurrentTab();
  SyncSheets();
}

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {
  DeferWidget();
  SetControlStyle(ControlStyle() | csAcceptsControls);
}

TTabSheet::~TTabSheet() {
  // Leaves its page control while still a page: the base destructors no longer tell one.
  if (FPageControl) FPageControl->ChildRemoved(this);
}

QWidget* TTabSheet::CreateWidget() {
  auto* w = new QWidget;
  w->setAutoFillBackground(false);
  return w;
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
  // The tab goes from where it was and comes back where the page now is.
  const int tab = FPageControl->TabIndexOf(this);
  auto& pages = FPageControl->FPages;
  std::erase(pages, this);
  index = std::clamp(index, 0, static_cast<int>(pages.size()));
  pages.insert(pages.begin() + index, this);
  bool visible = FTabVisible;
  FTabVisible = false;
  FPageControl->SheetChanged(this, tab);
  FTabVisible = visible;
  FPageControl->SheetChanged(this);
}

void TTabSheet::SetTabVisible(bool visible) {
  if (visible == FTabVisible) return;
  FTabVisible = visible;
  if (FPageControl) FPageControl->SheetChanged(this);
}
