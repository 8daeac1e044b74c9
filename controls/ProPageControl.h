// A page control: one page (TProTabSheet) per tab, the page of the selected tab shown, and tabs
// drawn in its own looks (classic or dotted-net, gradients, hover colours, skins, close buttons),
// with hidden and disabled tabs, closed pages that can be reopened and a veto before a change.
#pragma once

#include "controls/ProPageControlTabs.h"
#include "platform/ui/Graphics.h"

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

class TProPageControl;

enum TTabStyle { tsClassic, tsDotNet };
enum TGradientDirection { gdVertical, gdHorizontal };
using TTabOverlapSize = int; // 0 .. 15
using TMarginSize = int;

using TCanCloseEvent = std::function<void(TObject* Sender, bool& CanClose)>;
using TCanChangeEvent = std::function<void(TObject* Sender, int FromPage, int ToPage, bool& AllowChange)>;

// Misuse of the page control: disabling the active tab, split lines with dotted-net tabs.
class EProPageControlError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};
// A page index outside the page list.
class EPageListError : public std::out_of_range {
public:
  using std::out_of_range::out_of_range;
};

// Margins inside each tab: left and top before the caption, right after it.
class TTabMargin {
public:
  TMarginSize LeftMargin() const { return FLeftMargin; }
  void SetLeftMargin(TMarginSize value) { Set(FLeftMargin, value, 0); }
  TMarginSize TopMargin() const { return FTopMargin; }
  void SetTopMargin(TMarginSize value) { Set(FTopMargin, value, 1); }
  TMarginSize RightMargin() const { return FRightMargin; }
  void SetRightMargin(TMarginSize value) { Set(FRightMargin, value, 2); }
  // Copies the three margins without the change event.
  void Assign(const TTabMargin& source);

  // New value, old value, and which margin (0 left, 1 top, 2 right); fired before it is stored.
  std::function<void(TMarginSize NewValue, TMarginSize OldValue, int Index)> OnMarginChange;

private:
  void Set(TMarginSize& field, TMarginSize value, int index);
  TMarginSize FLeftMargin = 0;
  TMarginSize FTopMargin = 0;
  TMarginSize FRightMargin = 0;
};

class TProTabSheet : public TCustomControl {
public:
  explicit TProTabSheet(TComponent* AOwner);
  ~TProTabSheet() override;

  TProPageControl* ProPageControl() const { return FProPageControl; }
  // Moves the page to another control, or out of any (nullptr).
  void SetProPageControl(TProPageControl* control);
  // Position in the control's page list (-1 without a control). Raises EPageListError outside it.
  int PageIndex() const;
  void SetPageIndex(int index);
  // Position of the page's tab, -1 when it has none.
  int TabIndex() const;

  // The caption is the control's Caption; the tab shows the caption and a blank with a close
  // button, else the caption less its last two characters.
  std::string TabText() const;
  TColor TextColor() const { return FTextColor; }
  void SetTextColor(TColor color);
  TColor TabColor() const { return FTabColor; }
  void SetTabColor(TColor color);
  TColor TabColorTo() const { return FTabColorTo; }
  void SetTabColorTo(TColor color);
  // End colour of the page's background gradient (clNone: plain).
  TColor ColorTo() const { return FColorTo; }
  void SetColorTo(TColor color);
  bool ShowClose() const { return FShowClose; }
  void SetShowClose(bool show);
  TGradientDirection TabGradientDirection() const { return FTabGradientDirection; }
  void SetTabGradientDirection(TGradientDirection direction);
  TGradientDirection HoverGradientDirection() const { return FHoverGradientDirection; }
  void SetHoverGradientDirection(TGradientDirection direction) { FHoverGradientDirection = direction; }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int index);
  bool TabVisible() const { return FTabVisible; }
  void SetTabVisible(bool visible);
  // The page may be selected; raises EProPageControlError for the control's active page.
  bool TabEnable() const { return FTabEnable; }
  void SetTabEnable(bool enable);
  bool Highlighted() const { return FHighlighted; }
  void SetHighlighted(bool highlighted);

  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnClose;
  TCanCloseEvent OnCanClose;

protected:
  void Paint() override;
  void CMTextChanged(TMessage& Message) override;
  void CMColorChanged(TMessage& Message) override;
  void CMVisibleChanged(TMessage& Message) override;

private:
  friend class TProPageControl;
  // The tab is shown exactly when the page belongs to a control and its tab is visible.
  void UpdateTabShowing();
  // The tab text again and the tab refreshed.
  void TabTextChanged();
  void ControlChanged(); // repaints the control the page belongs to

  TColor FTextColor = 0;
  TColor FTabColor = clNone;
  TColor FTabColorTo = clNone;
  bool FShowClose = false;
  TGradientDirection FTabGradientDirection = gdVertical;
  TGradientDirection FHoverGradientDirection = gdVertical;
  int FImageIndex = -1;
  TProPageControl* FProPageControl = nullptr;
  bool FTabVisible = true;
  bool FTabShowing = false;
  bool FHighlighted = false;
  bool FTabEnable = true;
  TColor FColorTo = clNone;
};

class TProPageControl : public TProCustomTabControl {
public:
  explicit TProPageControl(TComponent* AOwner);
  ~TProPageControl() override;

  // "1.4.0.0"
  std::string Version() const;

  int PageCount() const { return static_cast<int>(FPages.size()); }
  TProTabSheet* Pages(int index) const;
  TProTabSheet* ActivePage() const { return FActivePage; }
  void SetActivePage(TProTabSheet* page);
  int ActivePageIndex() const;
  void SetActivePageIndex(int index);
  // The next page after CurPage, cyclically, whose tab is visible (any page without the check).
  TProTabSheet* FindNextPage(TProTabSheet* CurPage, bool GoForward, bool CheckTabVisible) const;
  // Selects the next page with a visible tab when the change is allowed.
  void SelectNextPage(bool GoForward);
  // Shows a control: one of the pages becomes the active page.
  void ShowControl(TControl* control);
  // Makes the page of the selected tab the active page (none when no tab is selected).
  virtual void SyncActivePage();

  // Pages closed by their close button, by name, in the order closed.
  const std::vector<std::pair<std::string, TProTabSheet*>>& ClosedTabList() const { return FClosedTabList; }
  // Puts the closed page of that name (case ignored) back as the last page; the list keeps it.
  bool OpenClosedTab(const std::string& TabName);
  void OpenAllClosedTabs();

  // ---- look
  TFont& ActiveFont() { return FActiveFont; }
  void SetActiveFont(const TFont& font) { FActiveFont.Assign(font); }
  const TBitmap& CloseGlyph() const { return FCloseGlyph; }
  void SetCloseGlyph(const TBitmap& glyph);
  bool FreeOnClose() const { return FFreeOnClose; }
  void SetFreeOnClose(bool free) { FFreeOnClose = free; }
  bool ShowFocus() const { return FShowFocus; }
  void SetShowFocus(bool show);
  TColor DefaultTextColor() const { return FDefaultTextColor; }
  void SetDefaultTextColor(TColor color);
  TColor DefaultTabColor() const { return FDefaultTabColor; }
  void SetDefaultTabColor(TColor color);
  TColor DefaultTabColorTo() const { return FDefaultTabColorTo; }
  void SetDefaultTabColorTo(TColor color);
  TColor ActiveColor() const { return FActiveColor; }
  void SetActiveColor(TColor color);
  TColor ActiveColorTo() const { return FActiveColorTo; }
  void SetActiveColorTo(TColor color);
  // The plain tabs of the tab row instead of our own drawing.
  bool TabBorder3D() const { return FTabBorder3D; }
  void SetTabBorder3D(bool on);
  TColor TabBorderColor() const { return FTabBorderColor; }
  void SetTabBorderColor(TColor color);
  bool TabSheet3D() const { return FTabSheet3D; }
  void SetTabSheet3D(bool on);
  TColor TabSheetBorderColor() const { return FTabSheetBorderColor; }
  void SetTabSheetBorderColor(TColor color);
  TColor TabHoverColor() const { return FTabHoverColor; }
  void SetTabHoverColor(TColor color);
  TColor TabHoverColorTo() const { return FTabHoverColorTo; }
  void SetTabHoverColorTo(TColor color);
  TColor TabHoverBorder() const { return FTabHoverBorder; }
  void SetTabHoverBorder(TColor color);
  TColor TabBackGroundColor() const { return FTabBackGroundColor; }
  void SetTabBackGroundColor(TColor color);
  // Skin pictures of the inactive and the active tabs.
  const TBitmap& TabBackGround() const { return FTabBackGround; }
  void SetTabBackGround(const TBitmap& picture);
  const TBitmap& TabBackGroundActive() const { return FTabBackGroundActive; }
  void SetTabBackGroundActive(const TBitmap& picture);
  TTabMargin& TabMargin() { return FTabMargin; }
  void SetTabMargin(const TTabMargin& margin) { FTabMargin.Assign(margin); }
  TTabOverlapSize TabOverlap() const { return FTabOverlap; }
  void SetTabOverlap(TTabOverlapSize overlap);
  // Raises EProPageControlError when switched on with dotted-net tabs.
  bool TabSplitLine() const { return FTabSplitLine; }
  void SetTabSplitLine(bool on);
  bool RoundEdges() const { return FRoundEdges; }
  void SetRoundEdges(bool on);
  TTabStyle TabStyle() const { return FTabStyle; }
  void SetTabStyle(TTabStyle style);
  // Offset of the active tab's caption, close button and skin toward the page.
  int LowerActive() const { return FLowerActive; }
  void SetLowerActive(int offset);
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* images);
  void SetTabPosition(TTabPosition position) override;

  // Page index of the tab under the mouse, -1 for none.
  int HoverTab() const { return FHoverTab; }
  // Size of the image room every tab reserves (the user's images and the margins).
  TSize DummyImageSize() const { return FDummyImages; }

  // Paints the tab area (everything but the pages) on a canvas the size of the control.
  void PaintTabArea(TCanvas& canvas);
  // Where the close button of the page's tab reacts to the mouse (empty without one).
  TRect CloseButtonHitRect(const TProTabSheet* page) const;

  TCanChangeEvent OnCanChange;

protected:
  bool CanChange(int newIndex) override;
  void Change() override;
  bool CanShowTab(int index) const override;
  int GetImageIndex(int index) override;
  void AfterPaintTabs(TCanvas& canvas) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void CMMouseLeave(TMessage& Message) override;
  void CMDialogKey(TMessage& Message) override;
  void CMFontChanged(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  friend class TProTabSheet;
  enum TCloseState { csNormalClose, csHotClose, csPressedClose };

  void InsertPage(TProTabSheet* page);
  void RemovePage(TProTabSheet* page);
  void InsertPageTab(TProTabSheet* page);
  void DeletePageTab(TProTabSheet* page, int tabIndex);
  void MovePageTab(int from, int to);
  void ChangeActivePage(TProTabSheet* page);
  // Stores the page's tab text at its tab, padded for a bold or italic active font.
  void UpdateTab(TProTabSheet* page);
  void UpdateAllTabs();
  void UpdateDummyImages();
  void UpdateDummyImages(int left, int top, int right);
  // Page index of a tab index (pages with hidden tabs skipped), -1 when none.
  int PageIndexOfTab(int tabIndex) const;
  bool OverActiveCloseButton(int x, int y) const;
  void CloseActivePage();

  // Painting (ProPageControlPaint.cpp)
  struct TPaintState;
  void PaintTab(TCanvas& canvas, TPaintState& s, TProTabSheet* page, bool postponed);
  void PaintTabContents(TCanvas& canvas, TPaintState& s, TProTabSheet* page, const TRect& r, int tx, int ty);
  void PaintCloseButton(TCanvas& canvas, const TProTabSheet* page, TCloseState state, int lowerActive);

  std::vector<TProTabSheet*> FPages;
  TProTabSheet* FActivePage = nullptr;
  TTabMargin FTabMargin;
  std::vector<std::pair<std::string, TProTabSheet*>> FClosedTabList;
  TImageList* FImages = nullptr;
  TSize FDummyImages;
  TColor FDefaultTextColor = 0;
  TColor FDefaultTabColor = clBtnFace;
  TColor FDefaultTabColorTo = clNone;
  TColor FActiveColor = clBtnFace;
  TColor FActiveColorTo = clNone;
  bool FTabBorder3D = false;
  TColor FTabBorderColor = RGB(128, 128, 128);
  TColor FTabHoverColor = clNone;
  TColor FTabHoverColorTo = clNone;
  TColor FTabHoverBorder = clNone;
  bool FShowFocus = false;
  TCloseState FCloseState = csNormalClose;
  bool FHoverClosedButton = false;
  TTabOverlapSize FTabOverlap = 0;
  bool FTabSheet3D = false;
  TColor FTabSheetBorderColor = RGB(128, 128, 128);
  TColor FTabBackGroundColor = clBtnFace;
  bool FTabSplitLine = false;
  bool FRoundEdges = false;
  int FHoverTab = -1;
  TBitmap FTabBackGround;
  TBitmap FTabBackGroundActive;
  TTabStyle FTabStyle = tsClassic;
  int FLowerActive = 2;
  bool FFreeOnClose = false;
  TFont FActiveFont;
  TBitmap FCloseGlyph;
};

// Page painting and tab painting share these.
// Bands of `steps` colours (0 counts as 1): horizontal bands downward for gdVertical, vertical
// bands rightward for gdHorizontal.
void DrawGradient(TCanvas& canvas, TColor fromColor, TColor toColor, TGradientDirection direction,
                  const TRect& rect, int steps);
// A skin picture at (x, y) stretched to `height` (vertical) or `width` (horizontal): the first and
// the last half kept, the two middle rows (columns) stretched; its lower-left colour transparent.
void DrawThreeSliceVertical(TCanvas& canvas, int x, int y, int height, const TBitmap& picture);
void DrawThreeSliceHorizontal(TCanvas& canvas, int x, int y, int width, const TBitmap& picture);
