// Page controls: a row of tabs, one page (TTabSheet) per tab, the page of the selected tab shown.
#pragma once

#include "platform/ui/Controls.h"

#include <functional>
#include <vector>

class TTabSheet;

enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

class TPageControl : public TWinControl {
public:
  explicit TPageControl(TComponent* AOwner);
  ~TPageControl() override;
  int PageCount() const { return static_cast<int>(FPages.size()); }
  TTabSheet* Pages(int index) const;
  TTabSheet* ActivePage() const;
  // Choosing a page by code fires neither OnChanging nor OnChange.
  void SetActivePage(TTabSheet* page);
  int ActivePageIndex() const;
  void SetActivePageIndex(int index);
  TTabPosition TabPosition() const { return FTabPosition; }
  void SetTabPosition(TTabPosition position);
  // What clicking the tab of page `index` does (the headless driver selects tabs through this).
  void SelectByUser(int index);
  // The area the pages take inside the control.
  TRect DisplayRect() const;

  // The user asks for another page; a handler may refuse.
  TTabChangingEvent OnChanging;
  // The user chose another page.
  TNotifyEvent OnChange;

protected:
  void ChildAdded(TControl* child) override;
  void ChildRemoved(TControl* child) override;
  void Resize() override;
  QWidget* CreateWidget() override;
  void WidgetCreated() override;

private:
  friend class TTabSheet;
  // Until the tab widget is made, the control keeps the tabs (the pages with FTabbed, in page
  // order) and the current one itself, changing them as the tab widget would.
  void InsertTab(int at, TTabSheet* sheet);
  void RemoveTab(TTabSheet* sheet, int tabIndex);
  void SetCurrentTab(int tabIndex);
  int CurrentTab() const;
  int TabCount() const;
  TTabSheet* TabPage(int tabIndex) const;
  // The tab widget (or the control in its place) selected another tab.
  void TabSwitched(int tabIndex);
  void CurrentChanged(int tabIndex);
  void SheetChanged(TTabSheet* sheet);
  void SheetChanged(TTabSheet* sheet, int tabIndex);
  void PlaceSheets();
  void SyncSheets();
  int TabIndexOf(const TTabSheet* sheet) const;
  std::vector<TTabSheet*> FPages;
  TTabSheet* FActive = nullptr;
  TTabPosition FTabPosition = tpTop;
  bool FSilent = false;
  // The tab widget is being filled with the pages kept so far.
  bool FBuilding = false;
  int FLastIndex = -1;
};

class TTabSheet : public TWinControl {
public:
  explicit TTabSheet(TComponent* AOwner);
  ~TTabSheet() override;
  TPageControl* PageControl() const { return FPageControl; }
  void SetPageControl(TPageControl* pageControl) { SetParent(pageControl); }
  // Position among the pages of its page control.
  int PageIndex() const;
  void SetPageIndex(int index);
  // Visible is true only for the page shown (the page control keeps it so).
  // A hidden tab keeps its page but cannot be chosen.
  bool TabVisible() const { return FTabVisible; }
  void SetTabVisible(bool visible);

protected:
  void SetTextNative(const std::string& text) override;
  void ApplyGeometry() override {}
  void ApplyVisible() override {}
  QWidget* CreateWidget() override;

private:
  friend class TPageControl;
  TPageControl* FPageControl = nullptr;
  bool FTabVisible = true;
  // Has a tab in its page control (TabVisible, except while that changes).
  bool FTabbed = false;
};
