// The tab row a page control stands on: an ordered list of tab texts with an object each, the
// selected tab with a veto before and a notification after the user changes it, the layout of the
// tabs in one or more rows along any edge, the rectangle of a tab, the tab at a point, and room
// reserved in each tab for an image. It draws plain tabs itself, or lets its owner draw them.
#pragma once

#include "platform/ui/ComCtrls.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ImageList.h"

#include <functional>
#include <string>
#include <vector>

class TProCustomTabControl;

using TDrawTabEvent =
    std::function<void(TProCustomTabControl* Control, int TabIndex, const TRect& Rect, bool Active)>;
using TTabGetImageEvent = std::function<void(TObject* Sender, int TabIndex, int& ImageIndex)>;

class TProCustomTabControl : public TCustomControl {
public:
  explicit TProCustomTabControl(TComponent* AOwner);
  ~TProCustomTabControl() override;

  // ---- the tabs
  int TabCount() const { return static_cast<int>(FTabs.size()); }
  // Inserting at or before the selected tab keeps that tab selected; the first tab inserted into
  // an empty row becomes selected.
  void InsertTab(int index, const std::string& text, TObject* object);
  // Deleting the selected tab leaves no tab selected.
  void DeleteTab(int index);
  void MoveTab(int from, int to);
  std::string TabText(int index) const;
  void SetTabText(int index, const std::string& text);
  TObject* TabObject(int index) const;
  bool TabHighlighted(int index) const;
  void SetTabHighlighted(int index, bool highlighted);

  // ---- selection (setting it by code fires no events; -1 for none)
  int TabIndex() const { return FTabIndex; }
  void SetTabIndex(int index);
  // What a click on the tab does: nothing for the selected or a disabled tab; otherwise the veto,
  // the new selection and the notification. True when the selection changed.
  bool SelectByUser(int index);

  // ---- geometry (client coordinates)
  TRect TabRect(int index) const; // empty for a tab out of range; may lie outside the client area
  int IndexOfTabAt(int x, int y) const;
  // The area the pages take.
  TRect DisplayRect() const;
  TRect AlignRect() const override { return DisplayRect(); }
  int RowCount() const;

  // ---- look
  TTabPosition TabPosition() const { return FTabPosition; }
  virtual void SetTabPosition(TTabPosition position);
  // Side tabs always wrap into rows.
  bool MultiLine() const { return FMultiLine; }
  void SetMultiLine(bool multiLine);
  bool RaggedRight() const { return FRaggedRight; }
  void SetRaggedRight(bool ragged);
  bool ScrollOpposite() const { return FScrollOpposite; }
  void SetScrollOpposite(bool opposite) { FScrollOpposite = opposite; }
  bool HotTrack() const { return FHotTrack; }
  void SetHotTrack(bool hotTrack) { FHotTrack = hotTrack; }
  // Thickness of a row and length of every tab; 0 sizes them from the text.
  int TabHeight() const { return FTabHeight; }
  void SetTabHeight(int height);
  int TabWidth() const { return FTabWidth; }
  void SetTabWidth(int width);
  // The images drawn in plain tabs (not owned).
  TImageList* TabImages() const { return FImages; }
  void SetTabImages(TImageList* images);
  // Room reserved in every tab whose image index is 0 or more: cx along the row of top and
  // bottom tabs, cy along the row of side tabs.
  TSize ImageRoom() const { return FImageRoom; }
  void SetImageRoom(TSize room);
  // The owner draws the tabs (OnDrawTab, else a plain fill) instead of the plain look.
  bool OwnerDraw() const { return FOwnerDraw; }
  void SetOwnerDraw(bool ownerDraw);

  TTabChangingEvent OnChanging;
  TNotifyEvent OnChange;
  TDrawTabEvent OnDrawTab;
  TTabGetImageEvent OnGetImageIndex;

protected:
  // Before the user's change to tab `newIndex`: fires OnChanging.
  virtual bool CanChange(int newIndex);
  // After it: fires OnChange.
  virtual void Change();
  // Whether the tab can be chosen (drawn grey when not).
  virtual bool CanShowTab(int index) const { return true; }
  // Image of a tab: OnGetImageIndex, else the tab's index.
  virtual int GetImageIndex(int index);
  virtual void DrawTab(int index, const TRect& rect, bool active);
  // Runs after the tabs are drawn; a subclass paints over them here.
  virtual void AfterPaintTabs(TCanvas& canvas) {}
  // Layout inputs changed: tabs are placed anew before the next use.
  void LayoutChanged();

  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
  unsigned DialogCode() const override { return DLGC_WANTARROWS; }
  void Resize() override;
  void CMFontChanged(TMessage& Message) override;

private:
  struct TTab {
    std::string Text;
    TObject* Object = nullptr;
    bool Highlighted = false;
    // The text's width in FMeasuredFont; -1 until measured.
    mutable int TextWidth = -1;
  };
  void Layout() const;
  // The depth of a tab (text height measured once per font).
  int Thickness() const;
  // The depth of the tab strip from its edge, without placing the tabs when one row holds them.
  int StripExtent() const;
  bool Scrolling() const;
  TRect ScrollButtonRect(bool forward) const;
  void PaintPlainTab(TCanvas& canvas, int index, TRect r, bool active);
  void PaintScrollButtons(TCanvas& canvas);

  std::vector<TTab> FTabs;
  int FTabIndex = -1;
  TTabPosition FTabPosition = tpTop;
  bool FMultiLine = false;
  bool FRaggedRight = false;
  bool FScrollOpposite = false;
  bool FHotTrack = false;
  int FTabHeight = 0;
  int FTabWidth = 0;
  TImageList* FImages = nullptr;
  TSize FImageRoom;
  bool FOwnerDraw = false;
  int FFirstVisible = 0; // first tab shown of a single row that does not fit

  // Layout cache
  mutable bool FLayoutValid = false;
  mutable std::vector<TRect> FRects;
  mutable int FRows = 0;
  mutable int FExtent = 0; // depth of the strip from its edge, rows included
  mutable bool FOverflow = false;
  // Text measures outlive the layout: resizing places the tabs anew without measuring again.
  mutable TFont FMeasuredFont;
  mutable int FTextHeight = -1;
};
