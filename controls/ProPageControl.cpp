// Pages, their tabs and the active page; the close button, hover and the keyboard.
#include "controls/ProPageControl.h"

#include "controls/ProUtilUnicode.h"
#include "platform/Dialogs.h"
#include "platform/Format.h"
#include "platform/ui/Forms.h"

#include <algorithm>

namespace {

constexpr unsigned VersionNumber = 0x01040000;

// Runs a page's show or hide handler; what it raises is shown, not passed on.
void FireGuarded(const TNotifyEvent& event, TObject* sender) {
  if (!event) return;
  try {
    event(sender);
  } catch (const std::exception& e) {
    MessageDlg(e.what(), mtError, mbOK);
  }
}

} // namespace

// ---------------------------------------------------------------------------------------------
// TTabMargin

void TTabMargin::Set(TMarginSize& field, TMarginSize value, int index) {
  if (field == value) return;
  if (OnMarginChange) OnMarginChange(value, field, index);
  field = value;
}

void TTabMargin::Assign(const TTabMargin& source) {
  FLeftMargin = source.FLeftMargin;
  FTopMargin = source.FTopMargin;
  FRightMargin = source.FRightMargin;
}

// ---------------------------------------------------------------------------------------------
// TProTabSheet

TProTabSheet::TProTabSheet(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle(ControlStyle() | csAcceptsControls);
  SetAlign(alClient);
  SetVisible(false);
}

TProTabSheet::~TProTabSheet() {
  if (FProPageControl) {
    MarkDestroying();
    FProPageControl->RemovePage(this);
  }
}

void TProTabSheet::SetProPageControl(TProPageControl* control) {
  if (control == FProPageControl) return;
  if (FProPageControl) FProPageControl->RemovePage(this);
  SetParent(control);
  if (control) control->InsertPage(this);
}

int TProTabSheet::PageIndex() const {
  if (!FProPageControl) return -1;
  const auto& pages = FProPageControl->FPages;
  auto it = std::find(pages.begin(), pages.end(), this);
  return it == pages.end() ? -1 : static_cast<int>(it - pages.begin());
}

void TProTabSheet::SetPageIndex(int index) {
  if (!FProPageControl) return;
  auto& pages = FProPageControl->FPages;
  const int count = static_cast<int>(pages.size());
  if (index > count - 1)
    throw EPageListError(
        Format("%d is an invalid PageIndex value.  PageIndex must be between 0 and %d", {index, count - 1}));
  if (index < 0) throw EPageListError(Format("List index out of bounds (%d)", {index}));
  const int current = PageIndex();
  if (current == index) return;
  const int oldTab = TabIndex();
  pages.erase(pages.begin() + current);
  pages.insert(pages.begin() + index, this);
  if (FTabShowing) FProPageControl->MovePageTab(oldTab, TabIndex());
}

int TProTabSheet::TabIndex() const {
  if (!FTabShowing || !FProPageControl) return -1;
  int result = 0;
  for (const TProTabSheet* p : FProPageControl->FPages) {
    if (p == this) return result;
    if (p->FTabShowing) ++result;
  }
  return -1;
}

std::string TProTabSheet::TabText() const {
  if (FShowClose) return Caption() + " ";
  std::string text = Caption();
  DropLastUtf8Chars(text, 2);
  return text;
}

void TProTabSheet::UpdateTabShowing() {
  const bool showing = FProPageControl && FTabVisible;
  if (showing == FTabShowing) return;
  if (showing) {
    FTabShowing = true;
    FProPageControl->InsertPageTab(this);
  } else {
    const int tab = TabIndex();
    FTabShowing = false;
    FProPageControl->DeletePageTab(this, tab);
  }
}

void TProTabSheet::TabTextChanged() {
  if (FProPageControl && FTabShowing) FProPageControl->UpdateTab(this);
}

void TProTabSheet::ControlChanged() {
  if (FProPageControl) FProPageControl->Invalidate();
}

void TProTabSheet::CMTextChanged(TMessage& Message) {
  TCustomControl::CMTextChanged(Message);
  TabTextChanged();
}

void TProTabSheet::CMColorChanged(TMessage& Message) {
  TCustomControl::CMColorChanged(Message);
  Invalidate();
  ControlChanged();
}

void TProTabSheet::CMVisibleChanged(TMessage& Message) {
  TCustomControl::CMVisibleChanged(Message);
  if (!CanFire()) return;
  FireGuarded(Visible() ? OnShow : OnHide, this);
}

void TProTabSheet::SetTextColor(TColor color) {
  if (color == FTextColor) return;
  FTextColor = color;
  ControlChanged();
}

void TProTabSheet::SetTabColor(TColor color) {
  if (color == FTabColor) return;
  FTabColor = color;
  Invalidate();
  ControlChanged();
}

void TProTabSheet::SetTabColorTo(TColor color) {
  if (color == FTabColorTo) return;
  FTabColorTo = color;
  Invalidate();
  ControlChanged();
}

void TProTabSheet::SetColorTo(TColor color) {
  if (color == FColorTo) return;
  FColorTo = color;
  Invalidate();
  ControlChanged();
}

void TProTabSheet::SetShowClose(bool show) {
  if (show == FShowClose) return;
  FShowClose = show;
  TabTextChanged();
  ControlChanged();
}

void TProTabSheet::SetTabGradientDirection(TGradientDirection direction) {
  if (direction == FTabGradientDirection) return;
  FTabGradientDirection = direction;
  ControlChanged();
}

void TProTabSheet::SetImageIndex(int index) {
  if (index == FImageIndex) return;
  FImageIndex = index;
  TabTextChanged();
  if (FProPageControl) FProPageControl->LayoutChanged();
}

void TProTabSheet::SetTabVisible(bool visible) {
  if (visible == FTabVisible) return;
  FTabVisible = visible;
  UpdateTabShowing();
}

void TProTabSheet::SetTabEnable(bool enable) {
  if (FProPageControl && FProPageControl->ActivePage() == this)
    throw EProPageControlError("Can not disable active tab.");
  if (enable == FTabEnable) return;
  FTabEnable = enable;
  ControlChanged();
}

void TProTabSheet::SetHighlighted(bool highlighted) {
  if (FProPageControl && FTabShowing) FProPageControl->SetTabHighlighted(TabIndex(), highlighted);
  FHighlighted = highlighted;
}

void TProTabSheet::Paint() {
  TCanvas& canvas = Canvas();
  canvas.Brush().SetColor(Color());
  canvas.FillRect(ClientRect());
  if (FColorTo != clNone) DrawGradient(canvas, Color(), FColorTo, gdVertical, ClientRect(), 64);
}

// ---------------------------------------------------------------------------------------------
// TProPageControl

TProPageControl::TProPageControl(TComponent* AOwner) : TProCustomTabControl(AOwner) {
  SetControlStyle(ControlStyle() | csOpaque | csDoubleClicks);
  FActiveFont.SetName("Tahoma");
  Font().SetName("Tahoma");
  FActiveFont.OnChange = [this] {
    UpdateAllTabs();
    Invalidate();
  };
  FTabMargin.OnMarginChange = [this](TMarginSize newValue, TMarginSize, int index) {
    // Fired before the margin stores its new value.
    int margins[3] = {FTabMargin.LeftMargin(), FTabMargin.TopMargin(), FTabMargin.RightMargin()};
    margins[index] = newValue;
    UpdateDummyImages(margins[0], margins[1], margins[2]);
    Invalidate();
  };
  SetOwnerDraw(true);
  UpdateDummyImages();
}

TProPageControl::~TProPageControl() {
  MarkDestroying();
  for (TProTabSheet* p : FPages)
    p->FProPageControl = nullptr;
  for (auto& [name, page] : FClosedTabList)
    if (page) page->RemoveFreeNotification(this);
  FPages.clear();
  FActivePage = nullptr;
}

std::string TProPageControl::Version() const {
  return std::to_string((VersionNumber >> 24) & 0xFF) + "." + std::to_string((VersionNumber >> 16) & 0xFF) +
         "." + std::to_string((VersionNumber >> 8) & 0xFF) + "." + std::to_string(VersionNumber & 0xFF);
}

TProTabSheet* TProPageControl::Pages(int index) const {
  return index >= 0 && index < PageCount() ? FPages[static_cast<std::size_t>(index)] : nullptr;
}

int TProPageControl::ActivePageIndex() const {
  return FActivePage ? FActivePage->PageIndex() : -1;
}

void TProPageControl::SetActivePageIndex(int index) {
  SetActivePage(Pages(index));
}

int TProPageControl::PageIndexOfTab(int tabIndex) const {
  if (tabIndex < 0) return -1;
  int tab = -1;
  for (int i = 0; i < PageCount(); ++i) {
    if (FPages[static_cast<std::size_t>(i)]->FTabShowing) ++tab;
    if (tab == tabIndex) return i;
  }
  return -1;
}

TProTabSheet* TProPageControl::FindNextPage(TProTabSheet* CurPage, bool GoForward,
                                            bool CheckTabVisible) const {
  const int count = PageCount();
  if (count == 0) return nullptr;
  auto it = std::find(FPages.begin(), FPages.end(), CurPage);
  int start = it != FPages.end() ? static_cast<int>(it - FPages.begin()) : (GoForward ? count - 1 : 0);
  int i = start;
  for (int step = 0; step < count; ++step) {
    i = GoForward ? (i + 1) % count : (i - 1 + count) % count;
    TProTabSheet* page = FPages[static_cast<std::size_t>(i)];
    if (!CheckTabVisible || page->TabVisible()) return page;
  }
  return nullptr;
}

void TProPageControl::SelectNextPage(bool GoForward) {
  TProTabSheet* page = FindNextPage(FActivePage, GoForward, true);
  if (!page || page == FActivePage || !CanChange(page->TabIndex())) return;
  SetTabIndex(page->TabIndex());
  Change();
}

void TProPageControl::ShowControl(TControl* control) {
  for (TProTabSheet* p : FPages)
    if (p == control) {
      SetActivePage(p);
      return;
    }
}

void TProPageControl::SyncActivePage() {
  const int tab = TabIndex();
  ChangeActivePage(tab >= 0 ? dynamic_cast<TProTabSheet*>(TabObject(tab)) : nullptr);
}

void TProPageControl::SetActivePage(TProTabSheet* page) {
  if (page && page->FProPageControl != this) return;
  ChangeActivePage(page);
  if (!page) {
    SetTabIndex(-1);
    FActivePage = nullptr;
  } else if (page == FActivePage) {
    SetTabIndex(page->TabIndex());
  }
}

void TProPageControl::ChangeActivePage(TProTabSheet* page) {
  if (!page || page == FActivePage || !page->TabEnable()) return;
  TForm* form = GetParentForm(this);
  if (form && FActivePage && FActivePage->ContainsControl(form->ActiveControl())) {
    form->SetActiveControl(FActivePage);
    if (form->ActiveControl() != FActivePage) {
      SetTabIndex(FActivePage->TabIndex());
      return;
    }
  }
  page->BringToFront();
  page->SetVisible(true);
  if (form && FActivePage && form->ActiveControl() == FActivePage)
    form->SetActiveControl(page->CanFocus() ? static_cast<TWinControl*>(page) : this);
  TProTabSheet* old = FActivePage;
  if (old) old->SetVisible(false);
  FActivePage = page;
  if (old) UpdateTab(old);
  UpdateTab(page);
  if (form && form->ActiveControl() == page) page->SelectNext(nullptr, true, true);
  Invalidate();
}

void TProPageControl::InsertPage(TProTabSheet* page) {
  FPages.push_back(page);
  page->FProPageControl = this;
  if (page->FTextColor == 0) page->FTextColor = FDefaultTextColor;
  if (page->FTabColor == clNone) page->FTabColor = FDefaultTabColor;
  if (page->FTabColorTo == clNone) page->FTabColorTo = FDefaultTabColorTo;
  page->UpdateTabShowing();
  SyncActivePage();
  Invalidate();
}

void TProPageControl::RemovePage(TProTabSheet* page) {
  TProTabSheet* next = FindNextPage(page, true, true);
  if (next == page) next = nullptr;
  if (page->FTabShowing) {
    const int tab = page->TabIndex();
    page->FTabShowing = false;
    DeletePageTab(page, tab);
  }
  page->FProPageControl = nullptr;
  FPages.erase(std::remove(FPages.begin(), FPages.end(), page), FPages.end());
  if (FActivePage == page) {
    FActivePage = nullptr;
    if (!page->Destroying()) page->SetVisible(false); // a page out of any control is never shown
  }
  if (FHoverTab >= PageCount()) FHoverTab = -1;
  SetActivePage(next);
  Invalidate();
}

void TProPageControl::InsertPageTab(TProTabSheet* page) {
  InsertTab(page->TabIndex(), FTabBorder3D ? page->Caption() : page->TabText(), page);
  if (page->FHighlighted) SetTabHighlighted(page->TabIndex(), true);
  UpdateTab(page);
}

void TProPageControl::DeletePageTab(TProTabSheet* page, int tabIndex) {
  if (tabIndex < 0) return;
  const bool wasSelected = tabIndex == TabIndex() || page == FActivePage;
  DeleteTab(tabIndex);
  if (wasSelected && TabCount() > 0) SetTabIndex(std::min(tabIndex, TabCount() - 1));
  SyncActivePage();
}

void TProPageControl::MovePageTab(int from, int to) {
  MoveTab(from, to);
}

void TProPageControl::UpdateTab(TProTabSheet* page) {
  if (!page || !page->FTabShowing || page->FProPageControl != this) return;
  const int tab = page->TabIndex();
  if (FTabBorder3D) {
    SetTabText(tab, page->Caption());
    return;
  }
  std::string text = page->TabText();
  if (page == FActivePage && (FActiveFont.Style() & (fsBold | fsItalic))) {
    TCanvas measure;
    measure.Font().Assign(FActiveFont);
    const int active = measure.TextWidth(text);
    measure.Font().Assign(Font());
    const int plain = measure.TextWidth(text);
    std::string blanks;
    while (measure.TextWidth(blanks) < active - plain)
      blanks += ' ';
    text += blanks;
  }
  SetTabText(tab, text);
}

void TProPageControl::UpdateAllTabs() {
  for (TProTabSheet* p : FPages)
    UpdateTab(p);
}

void TProPageControl::CMFontChanged(TMessage& Message) {
  TProCustomTabControl::CMFontChanged(Message);
  UpdateAllTabs();
}

// ---- tab sizes

void TProPageControl::UpdateDummyImages() {
  UpdateDummyImages(FTabMargin.LeftMargin(), FTabMargin.TopMargin(), FTabMargin.RightMargin());
}

void TProPageControl::UpdateDummyImages(int left, int top, int right) {
  const int imageWidth = FImages ? FImages->Width() : 0;
  const int imageHeight = FImages ? FImages->Height() : 0;
  if (TabPosition() == tpLeft || TabPosition() == tpRight)
    FDummyImages = {imageWidth, imageHeight + top + right};
  else
    FDummyImages = {imageWidth + left + right, imageHeight};
  if (FTabBorder3D) {
    SetTabImages(FImages);
    SetImageRoom(FImages ? TSize{FImages->Width(), FImages->Height()} : TSize{});
  } else {
    SetTabImages(nullptr);
    SetImageRoom(FDummyImages);
  }
}

int TProPageControl::GetImageIndex(int index) {
  if (OnGetImageIndex) return TProCustomTabControl::GetImageIndex(index);
  TProTabSheet* page = Pages(PageIndexOfTab(index));
  if (!page) return 0;
  return page->FImageIndex < 0 ? 0 : page->FImageIndex;
}

bool TProPageControl::CanShowTab(int index) const {
  TProTabSheet* page = Pages(PageIndexOfTab(index));
  return page && page->TabEnable();
}

// ---- selection

bool TProPageControl::CanChange(int newIndex) {
  bool allow = true;
  if (OnCanChange && CanFire()) OnCanChange(this, ActivePageIndex(), PageIndexOfTab(newIndex), allow);
  return allow && TProCustomTabControl::CanChange(newIndex);
}

void TProPageControl::Change() {
  SyncActivePage();
  TProCustomTabControl::Change();
  Invalidate();
}

// ---- closed pages

bool TProPageControl::OpenClosedTab(const std::string& TabName) {
  for (auto& [name, page] : FClosedTabList)
    if (page && AsciiUpperCase(name) == AsciiUpperCase(TabName)) {
      page->SetProPageControl(this);
      return true;
    }
  return false;
}

void TProPageControl::OpenAllClosedTabs() {
  for (auto& entry : std::vector(FClosedTabList))
    if (entry.second) entry.second->SetProPageControl(this);
}

void TProPageControl::Notification(TComponent* AComponent, TOperation Operation) {
  TProCustomTabControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  for (auto& entry : FClosedTabList)
    if (entry.second == AComponent) entry.second = nullptr;
}

void TProPageControl::CloseActivePage() {
  TProTabSheet* page = FActivePage;
  if (!page) return;
  TProTabSheet* next = FindNextPage(page, true, true);
  bool canClose = true;
  if (page->OnCanClose) page->OnCanClose(page, canClose);
  if (!canClose) return;
  if (page->OnClose) page->OnClose(page);
  if (next && next != page) SetActivePage(next);
  if (FFreeOnClose) {
    page->Free();
  } else {
    FClosedTabList.emplace_back(page->Name(), page);
    page->FreeNotification(this);
    page->SetProPageControl(nullptr);
  }
  FCloseState = csNormalClose;
  FHoverClosedButton = false;
  Invalidate();
}

// ---- mouse and keys

bool TProPageControl::OverActiveCloseButton(int x, int y) const {
  return !FTabBorder3D && FActivePage && FActivePage->ShowClose() &&
         CloseButtonHitRect(FActivePage).Contains({x, y});
}

void TProPageControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OverActiveCloseButton(X, Y)) {
    FCloseState = csPressedClose;
    Invalidate();
    TCustomControl::MouseDown(Button, Shift, X, Y);
    return;
  }
  TProCustomTabControl::MouseDown(Button, Shift, X, Y);
}

void TProPageControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const bool pressed = FCloseState == csPressedClose;
  if (pressed) {
    FCloseState = FHoverClosedButton ? csHotClose : csNormalClose;
    Invalidate();
  }
  if (Button == mbLeft && OverActiveCloseButton(X, Y)) CloseActivePage();
  TProCustomTabControl::MouseUp(Button, Shift, X, Y);
}

void TProPageControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (FTabHoverColor != clNone && !FTabBorder3D) {
    const bool over = OverActiveCloseButton(X, Y);
    if (over != FHoverClosedButton) {
      FHoverClosedButton = over;
      if (FCloseState != csPressedClose) FCloseState = over ? csHotClose : csNormalClose;
      Invalidate();
    }
    if (FTabBackGround.Empty()) {
      const int page = PageIndexOfTab(IndexOfTabAt(X, Y));
      if (page != FHoverTab) {
        FHoverTab = page;
        Invalidate();
      }
    }
  }
  TProCustomTabControl::MouseMove(Shift, X, Y);
}

void TProPageControl::CMMouseLeave(TMessage& Message) {
  if (FHoverTab >= 0 || FHoverClosedButton) {
    FHoverTab = -1;
    FHoverClosedButton = false;
    if (FCloseState == csHotClose) FCloseState = csNormalClose;
    Invalidate();
  }
  TProCustomTabControl::CMMouseLeave(Message);
}

void TProPageControl::CMDialogKey(TMessage& Message) {
  const auto key = static_cast<std::uint16_t>(Message.WParam);
  const auto shift = static_cast<TShiftState>(Message.LParam);
  if (key == VK_TAB && (shift & ssCtrl) && !(shift & ssAlt)) {
    TForm* form = GetParentForm(this);
    TWinControl* focused = form ? form->ActiveControl() : nullptr;
    if (focused && ContainsControl(focused)) {
      SelectNextPage(!(shift & ssShift));
      Message.Result = 1;
      return;
    }
  }
  TProCustomTabControl::CMDialogKey(Message);
}

// ---- setters

void TProPageControl::SetCloseGlyph(const TBitmap& glyph) {
  FCloseGlyph.Assign(glyph);
  Invalidate();
}

void TProPageControl::SetShowFocus(bool show) {
  FShowFocus = show;
  Invalidate();
}

void TProPageControl::SetDefaultTextColor(TColor color) {
  for (TProTabSheet* p : FPages)
    if (p->FTextColor == FDefaultTextColor) p->FTextColor = color;
  FDefaultTextColor = color;
  Invalidate();
}

void TProPageControl::SetDefaultTabColor(TColor color) {
  for (TProTabSheet* p : FPages)
    if (p->FTabColor == FDefaultTabColor) p->FTabColor = color;
  FDefaultTabColor = color;
  Invalidate();
}

void TProPageControl::SetDefaultTabColorTo(TColor color) {
  for (TProTabSheet* p : FPages)
    if (p->FTabColorTo == FDefaultTabColorTo) p->FTabColorTo = color;
  FDefaultTabColorTo = color;
  Invalidate();
}

void TProPageControl::SetActiveColor(TColor color) {
  FActiveColor = color;
  Invalidate();
}

void TProPageControl::SetActiveColorTo(TColor color) {
  FActiveColorTo = color;
  Invalidate();
}

void TProPageControl::SetTabBorder3D(bool on) {
  if (on == FTabBorder3D) return;
  FTabBorder3D = on;
  SetOwnerDraw(!on);
  UpdateDummyImages();
  UpdateAllTabs();
  Invalidate();
}

void TProPageControl::SetTabBorderColor(TColor color) {
  FTabBorderColor = color;
  Invalidate();
}

void TProPageControl::SetTabSheet3D(bool on) {
  if (on == FTabSheet3D) return;
  FTabSheet3D = on;
  Invalidate();
}

void TProPageControl::SetTabSheetBorderColor(TColor color) {
  if (color == FTabSheetBorderColor) return;
  FTabSheetBorderColor = color;
  Invalidate();
}

void TProPageControl::SetTabHoverColor(TColor color) {
  FTabHoverColor = color;
  Invalidate();
}

void TProPageControl::SetTabHoverColorTo(TColor color) {
  FTabHoverColorTo = color;
  Invalidate();
}

void TProPageControl::SetTabHoverBorder(TColor color) {
  FTabHoverBorder = color;
  Invalidate();
}

void TProPageControl::SetTabBackGroundColor(TColor color) {
  if (color == FTabBackGroundColor) return;
  FTabBackGroundColor = color;
  Invalidate();
}

void TProPageControl::SetTabBackGround(const TBitmap& picture) {
  FTabBackGround.Assign(picture);
  Invalidate();
}

void TProPageControl::SetTabBackGroundActive(const TBitmap& picture) {
  FTabBackGroundActive.Assign(picture);
  Invalidate();
}

void TProPageControl::SetTabOverlap(TTabOverlapSize overlap) {
  FTabOverlap = std::clamp(overlap, 0, 15);
  Invalidate();
}

void TProPageControl::SetTabSplitLine(bool on) {
  if (on && FTabStyle == tsDotNet)
    throw EProPageControlError("TabSplitLine must be false when TabStyle is tsDotNet");
  FTabSplitLine = on;
  Invalidate();
}

void TProPageControl::SetRoundEdges(bool on) {
  if (on == FRoundEdges) return;
  FRoundEdges = on;
  Invalidate();
}

void TProPageControl::SetTabStyle(TTabStyle style) {
  if (style == FTabStyle) return;
  FTabStyle = style;
  Invalidate();
}

void TProPageControl::SetLowerActive(int offset) {
  if (offset == FLowerActive) return;
  FLowerActive = offset;
  Invalidate();
}

void TProPageControl::SetImages(TImageList* images) {
  FImages = images;
  UpdateDummyImages();
  Invalidate();
}

void TProPageControl::SetTabPosition(TTabPosition position) {
  TProCustomTabControl::SetTabPosition(position);
  UpdateDummyImages();
}
