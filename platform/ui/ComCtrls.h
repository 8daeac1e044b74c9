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

private:
  friend class TTabSheet;
  void CurrentChanged(int tabIndex);
  void SheetChanged(TTabSheet* sheet);
  void PlaceSheets();
  void SyncSheets();
  int TabIndexOf(const TTabSheet* sheet) const;
  std::vector<TTabSheet*> FPages;
  TTabPosition FTabPosition = tpTop;
  bool FSilent = false;
  int FLastIndex = -1;
};

class TTabSheet : public TWinControl {
public:
  explicit TTabSheet(TComponent* AOwner);
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

private:
  friend class TPageControl;
  TPageControl* FPageControl = nullptr;
  bool FTabVisible = true;
};
