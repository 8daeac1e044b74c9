// A scrolling stack of collapsible panels: each panel has a header with its caption and a client
// area below it that holds the panel's controls (their Top counts from below the header).
#pragma once

#include "platform/ui/Controls.h"

#include <vector>

class TCategoryPanel;

class TCategoryPanelGroup : public TWinControl {
public:
  explicit TCategoryPanelGroup(TComponent* AOwner);

  int HeaderHeight() const { return FHeaderHeight; }
  void SetHeaderHeight(int height);
  // The font of the panels' captions (the panels' own Font is for their controls).
  TFont& HeaderFont() { return FHeaderFont; }
  TColor GradientBaseColor() const { return FGradientBaseColor; }
  void SetGradientBaseColor(TColor color);
  TColor GradientColor() const { return FGradientColor; }
  void SetGradientColor(TColor color);
  // Colour of the chevron while the mouse is over a header.
  TColor ChevronHotColor() const { return FChevronHotColor; }
  void SetChevronHotColor(TColor color) { FChevronHotColor = color; }

  // The panels in the order they are stacked (by their Top, then the order they were added).
  int PanelCount() const { return static_cast<int>(FPanels.size()); }
  TCategoryPanel* Panels(int index) const;
  void CollapseAll();
  void ExpandAll();

  // Vertical scrolling: the position of the view, the height of everything stacked, the step of
  // one line (SB_LINEUP / SB_LINEDOWN of WM_VSCROLL).
  int VertScrollPosition() const;
  void SetVertScrollPosition(int position);
  int VertScrollRange() const { return FContentHeight; }
  int VertScrollIncrement() const { return FIncrement; }
  void SetVertScrollIncrement(int increment) { FIncrement = increment > 0 ? increment : 1; }

  int ClientWidth() const override;
  // Stacks the visible panels from the top, each as tall as it is, and sizes the scroll range.
  void Arrange();

protected:
  QWidget* ContainerWidget() const override;
  QWidget* CreateWidget() override;
  void WidgetCreated() override;
  void ChildAdded(TControl* child) override;
  void ChildRemoved(TControl* child) override;
  void Resize() override;
  void ApplyLook() override;
  void WMVScroll(TMessage& Message) override;
  // The focused control, when it is one of the group's, is scrolled into view.
  void CMFocusChanged(TMessage& Message) override;

private:
  void ScrollInView(const TControl* control);
  std::vector<TCategoryPanel*> FPanels;
  int FHeaderHeight = 24;
  TFont FHeaderFont;
  TColor FGradientBaseColor = clBtnFace;
  TColor FGradientColor = clBtnFace;
  TColor FChevronHotColor = clHighlight;
  int FIncrement = 8;
  int FContentHeight = 0;
  // The view's position while the scroll area is still to come.
  int FScrollPosition = 0;
  bool FArranging = false;
};

class TCategoryPanel : public TCustomControl {
public:
  explicit TCategoryPanel(TComponent* AOwner);
  TCategoryPanelGroup* PanelGroup() const { return FGroup; }
  void SetPanelGroup(TCategoryPanelGroup* group) { SetParent(group); }

  // A collapsed panel shows only its header; its height while expanded is kept.
  bool Collapsed() const { return FCollapsed; }
  void SetCollapsed(bool collapsed);
  void Expand() { SetCollapsed(false); }
  void Collapse() { SetCollapsed(true); }
  // Height when expanded, header included.
  int ExpandedHeight() const { return FExpandedHeight; }
  int HeaderHeight() const;

  void SetBounds(int left, int top, int width, int height) override;
  // The area below the header.
  int ClientHeight() const override;

  TNotifyEvent OnExpand;
  TNotifyEvent OnCollapse;

protected:
  void Paint() override;
  QWidget* ContainerWidget() const override;
  void WidgetCreated() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void CMMouseEnter(TMessage& Message) override;
  void CMMouseLeave(TMessage& Message) override;
  void Resize() override;
  void SetTextNative(const std::string& text) override;
  void CMVisibleChanged(TMessage& Message) override;

private:
  friend class TCategoryPanelGroup;
  void PlaceClient();
  TCategoryPanelGroup* FGroup = nullptr;
  QWidget* FClient = nullptr;
  bool FCollapsed = false;
  bool FHot = false;
  int FExpandedHeight = 200;
};
