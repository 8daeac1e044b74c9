// Tab list, selection, layout, hit test and the plain look of the tab row.
#include "controls/ProPageControlTabs.h"

#include "platform/ui/ThemeDraw.h"

#include <algorithm>
#include <optional>

namespace {

constexpr int StripStart = 2;    // the first row and the first tab begin this far from the edge
constexpr int TextPadding = 6;   // on each side of a tab's text along the row
constexpr int ScrollButton = 16; // the two arrows of a single row that does not fit
constexpr int PageInset = 4;     // between the pages and the control's edges (frame and margin)

bool IsSide(TTabPosition p) {
  return p == tpLeft || p == tpRight;
}

} // namespace

TProCustomTabControl::TProCustomTabControl(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle(ControlStyle() | csAcceptsControls);
  SetTabStop(true);
  SetBounds(0, 0, 289, 193);
}

TProCustomTabControl::~TProCustomTabControl() = default;

// ---- tabs

void TProCustomTabControl::InsertTab(int index, const std::string& text, TObject* object) {
  index = std::clamp(index, 0, TabCount());
  FTabs.insert(FTabs.begin() + index, TTab{text, object, false, -1});
  if (FTabIndex < 0 && TabCount() == 1)
    FTabIndex = 0;
  else if (FTabIndex >= 0 && index <= FTabIndex)
    ++FTabIndex;
  LayoutChanged();
}

void TProCustomTabControl::DeleteTab(int index) {
  if (index < 0 || index >= TabCount()) return;
  FTabs.erase(FTabs.begin() + index);
  if (index == FTabIndex)
    FTabIndex = -1;
  else if (index < FTabIndex)
    --FTabIndex;
  FFirstVisible = std::min(FFirstVisible, std::max(0, TabCount() - 1));
  LayoutChanged();
}

void TProCustomTabControl::MoveTab(int from, int to) {
  if (from < 0 || from >= TabCount() || to < 0 || to >= TabCount() || from == to) return;
  TTab tab = FTabs[static_cast<std::size_t>(from)];
  FTabs.erase(FTabs.begin() + from);
  FTabs.insert(FTabs.begin() + to, tab);
  if (FTabIndex == from)
    FTabIndex = to;
  else if (from < FTabIndex && to >= FTabIndex)
    --FTabIndex;
  else if (from > FTabIndex && to <= FTabIndex)
    ++FTabIndex;
  LayoutChanged();
}

std::string TProCustomTabControl::TabText(int index) const {
  return index >= 0 && index < TabCount() ? FTabs[static_cast<std::size_t>(index)].Text : std::string();
}

void TProCustomTabControl::SetTabText(int index, const std::string& text) {
  if (index < 0 || index >= TabCount() || FTabs[static_cast<std::size_t>(index)].Text == text) return;
  FTabs[static_cast<std::size_t>(index)].Text = text;
  FTabs[static_cast<std::size_t>(index)].TextWidth = -1;
  LayoutChanged();
}

TObject* TProCustomTabControl::TabObject(int index) const {
  return index >= 0 && index < TabCount() ? FTabs[static_cast<std::size_t>(index)].Object : nullptr;
}

bool TProCustomTabControl::TabHighlighted(int index) const {
  return index >= 0 && index < TabCount() && FTabs[static_cast<std::size_t>(index)].Highlighted;
}

void TProCustomTabControl::SetTabHighlighted(int index, bool highlighted) {
  if (index < 0 || index >= TabCount()) return;
  FTabs[static_cast<std::size_t>(index)].Highlighted = highlighted;
  Invalidate();
}

// ---- selection

void TProCustomTabControl::SetTabIndex(int index) {
  if (index < -1 || index >= TabCount() || index == FTabIndex) return;
  FTabIndex = index;
  if (index >= 0 && index < FFirstVisible) FFirstVisible = index;
  LayoutChanged();
}

bool TProCustomTabControl::SelectByUser(int index) {
  if (index < 0 || index >= TabCount() || index == FTabIndex || !CanShowTab(index)) return false;
  if (!CanChange(index)) return false;
  FTabIndex = index;
  if (index < FFirstVisible) FFirstVisible = index;
  LayoutChanged();
  Change();
  return true;
}

bool TProCustomTabControl::CanChange(int) {
  bool allow = true;
  if (OnChanging && CanFire()) OnChanging(this, allow);
  return allow;
}

void TProCustomTabControl::Change() {
  if (OnChange && CanFire()) OnChange(this);
}

int TProCustomTabControl::GetImageIndex(int index) {
  int image = index;
  if (OnGetImageIndex && CanFire()) OnGetImageIndex(this, index, image);
  return image;
}

// ---- look

void TProCustomTabControl::SetTabPosition(TTabPosition position) {
  if (position == FTabPosition) return;
  FTabPosition = position;
  LayoutChanged();
}

void TProCustomTabControl::SetMultiLine(bool multiLine) {
  if (multiLine == FMultiLine) return;
  FMultiLine = multiLine;
  FFirstVisible = 0;
  LayoutChanged();
}

void TProCustomTabControl::SetRaggedRight(bool ragged) {
  if (ragged == FRaggedRight) return;
  FRaggedRight = ragged;
  LayoutChanged();
}

void TProCustomTabControl::SetTabHeight(int height) {
  FTabHeight = std::max(0, height);
  LayoutChanged();
}

void TProCustomTabControl::SetTabWidth(int width) {
  FTabWidth = std::max(0, width);
  LayoutChanged();
}

void TProCustomTabControl::SetTabImages(TImageList* images) {
  FImages = images;
  LayoutChanged();
}

void TProCustomTabControl::SetImageRoom(TSize room) {
  if (room == FImageRoom) return;
  FImageRoom = room;
  LayoutChanged();
}

void TProCustomTabControl::SetOwnerDraw(bool ownerDraw) {
  FOwnerDraw = ownerDraw;
  Invalidate();
}

void TProCustomTabControl::LayoutChanged() {
  FLayoutValid = false;
  Realign();
  Invalidate();
}

void TProCustomTabControl::Resize() {
  FLayoutValid = false;
  TCustomControl::Resize();
}

void TProCustomTabControl::CMFontChanged(TMessage& Message) {
  TCustomControl::CMFontChanged(Message);
  LayoutChanged();
}

// ---- layout

int TProCustomTabControl::Thickness() const {
  if (FTextHeight < 0 || !FMeasuredFont.SameAs(Font())) {
    FMeasuredFont.Assign(Font());
    FTextHeight = -1;
    for (const TTab& tab : FTabs)
      tab.TextWidth = -1;
  }
  if (FTextHeight < 0) {
    TCanvas canvas;
    canvas.Font().Assign(FMeasuredFont);
    FTextHeight = canvas.TextHeight("Wg");
  }
  const int roomAcross = std::max(0, IsSide(FTabPosition) ? FImageRoom.cx : FImageRoom.cy);
  return FTabHeight > 0 ? FTabHeight : std::max(FTextHeight, roomAcross) + 7;
}

int TProCustomTabControl::StripExtent() const {
  if (FLayoutValid) return FExtent;
  // A single row is as deep as a tab, whatever the tabs' widths: they are measured when the tabs
  // are placed (to paint them or find one under the mouse), not at every realignment of the pages.
  // Widths that take an image into account ask for the images, so those are placed at once.
  const bool imagesAlong = FTabWidth <= 0 && (IsSide(FTabPosition) ? FImageRoom.cy : FImageRoom.cx) > 0;
  if (FMultiLine || IsSide(FTabPosition) || imagesAlong) {
    Layout();
    return FExtent;
  }
  return TabCount() > 0 ? StripStart + Thickness() : StripStart;
}

void TProCustomTabControl::Layout() const {
  if (FLayoutValid) return;
  auto* self = const_cast<TProCustomTabControl*>(this);
  const int n = TabCount();
  const bool side = IsSide(FTabPosition);
  const int w = ClientWidth(), h = ClientHeight();
  const int avail = std::max(1, (side ? h : w) - 2 * StripStart);
  const int thickness = Thickness();
  // Bound to nothing: measures in the control's font, whatever the painter set.
  std::optional<TCanvas> canvas;
  auto measure = [&]() -> TCanvas& {
    if (!canvas) canvas.emplace().Font().Assign(FMeasuredFont);
    return *canvas;
  };
  const int roomAlong = std::max(0, side ? FImageRoom.cy : FImageRoom.cx);

  std::vector<int> lengths(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    int len = FTabWidth;
    if (len <= 0) {
      const TTab& tab = FTabs[static_cast<std::size_t>(i)];
      if (tab.TextWidth < 0) tab.TextWidth = measure().TextWidth(tab.Text);
      len = tab.TextWidth + 2 * TextPadding;
      if (roomAlong > 0 && self->GetImageIndex(i) >= 0) len += roomAlong;
    }
    lengths[static_cast<std::size_t>(i)] = len;
  }

  // Rows, the first one farthest from the pages.
  std::vector<std::vector<int>> rows;
  const bool multi = FMultiLine || side;
  FOverflow = false;
  int start = StripStart;
  if (multi) {
    int used = 0;
    for (int i = 0; i < n; ++i) {
      const int len = lengths[static_cast<std::size_t>(i)];
      if (rows.empty() || (used + len > avail && !rows.back().empty())) {
        rows.emplace_back();
        used = 0;
      }
      rows.back().push_back(i);
      used += len;
    }
    // The row of the selected tab lies next to the pages.
    if (rows.size() > 1 && FTabIndex >= 0) {
      auto it = std::find_if(rows.begin(), rows.end(), [this](const std::vector<int>& r) {
        return std::find(r.begin(), r.end(), FTabIndex) != r.end();
      });
      std::rotate(rows.begin(), it + 1, rows.end());
    }
    if (rows.size() > 1 && !FRaggedRight) {
      for (auto& row : rows) {
        int used2 = 0;
        for (int i : row)
          used2 += lengths[static_cast<std::size_t>(i)];
        const int extra = avail - used2;
        if (extra <= 0) continue;
        const int each = extra / static_cast<int>(row.size());
        for (int i : row)
          lengths[static_cast<std::size_t>(i)] += each;
        lengths[static_cast<std::size_t>(row.back())] += extra - each * static_cast<int>(row.size());
      }
    }
  } else if (n > 0) {
    rows.emplace_back();
    int total = 0;
    for (int i = 0; i < n; ++i) {
      rows.back().push_back(i);
      total += lengths[static_cast<std::size_t>(i)];
    }
    FOverflow = total > avail;
    int& first = self->FFirstVisible;
    first = FOverflow ? std::clamp(first, 0, n - 1) : 0;
    for (int i = 0; i < first; ++i)
      start -= lengths[static_cast<std::size_t>(i)];
  }

  FRects.assign(static_cast<std::size_t>(n), TRect{});
  const int rowCount = static_cast<int>(rows.size());
  for (int k = 0; k < rowCount; ++k) {
    int along = start;
    const int nearEdge = StripStart + k * thickness; // from the control's edge
    for (int i : rows[static_cast<std::size_t>(k)]) {
      const int len = lengths[static_cast<std::size_t>(i)];
      TRect r;
      switch (FTabPosition) {
      case tpTop:
        r = {along, nearEdge, along + len, nearEdge + thickness};
        break;
      case tpBottom:
        r = {along, h - nearEdge - thickness, along + len, h - nearEdge};
        break;
      case tpLeft:
        r = {nearEdge, along, nearEdge + thickness, along + len};
        break;
      case tpRight:
        r = {w - nearEdge - thickness, along, w - nearEdge, along + len};
        break;
      }
      FRects[static_cast<std::size_t>(i)] = r;
      along += len;
    }
  }
  FRows = rowCount;
  FExtent = StripStart + rowCount * thickness;
  FLayoutValid = true;
}

TRect TProCustomTabControl::TabRect(int index) const {
  if (index < 0 || index >= TabCount()) return {};
  Layout();
  return FRects[static_cast<std::size_t>(index)];
}

int TProCustomTabControl::IndexOfTabAt(int x, int y) const {
  Layout();
  if (Scrolling() && (ScrollButtonRect(false).Contains({x, y}) || ScrollButtonRect(true).Contains({x, y})))
    return -1;
  for (int i = 0; i < TabCount(); ++i)
    if (FRects[static_cast<std::size_t>(i)].Contains({x, y})) return i;
  return -1;
}

TRect TProCustomTabControl::DisplayRect() const {
  const int extent = StripExtent();
  const int w = ClientWidth(), h = ClientHeight();
  TRect r{PageInset, PageInset, w - PageInset, h - PageInset};
  switch (FTabPosition) {
  case tpTop:
    r.Top = extent + PageInset;
    break;
  case tpBottom:
    r.Bottom = h - extent - PageInset;
    break;
  case tpLeft:
    r.Left = extent + PageInset;
    break;
  case tpRight:
    r.Right = w - extent - PageInset;
    break;
  }
  r.Right = std::max(r.Left, r.Right);
  r.Bottom = std::max(r.Top, r.Bottom);
  return r;
}

int TProCustomTabControl::RowCount() const {
  Layout();
  return FRows;
}

bool TProCustomTabControl::Scrolling() const {
  Layout();
  return FOverflow && !IsSide(FTabPosition);
}

TRect TProCustomTabControl::ScrollButtonRect(bool forward) const {
  const int w = ClientWidth(), h = ClientHeight();
  const int top = FTabPosition == tpBottom ? h - FExtent + 1 : FExtent - ScrollButton - 1;
  const int left = w - 2 * ScrollButton + (forward ? ScrollButton : 0);
  return Bounds(left, std::max(0, top), ScrollButton, ScrollButton);
}

// ---- input

void TProCustomTabControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) {
    if (Scrolling()) {
      const bool back = ScrollButtonRect(false).Contains({X, Y});
      const bool forward = ScrollButtonRect(true).Contains({X, Y});
      if (back || forward) {
        FFirstVisible = std::clamp(FFirstVisible + (forward ? 1 : -1), 0, std::max(0, TabCount() - 1));
        LayoutChanged();
        TCustomControl::MouseDown(Button, Shift, X, Y);
        return;
      }
    }
    const int index = IndexOfTabAt(X, Y);
    if (index >= 0 && index != FTabIndex) SelectByUser(index);
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TProCustomTabControl::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  if (Shift == 0 && FTabIndex >= 0) {
    if (Key == VK_LEFT || Key == VK_UP) {
      if (FTabIndex > 0) SelectByUser(FTabIndex - 1);
      Key = 0;
    } else if (Key == VK_RIGHT || Key == VK_DOWN) {
      if (FTabIndex + 1 < TabCount()) SelectByUser(FTabIndex + 1);
      Key = 0;
    }
  }
  TCustomControl::KeyDown(Key, Shift);
}

// ---- painting

void TProCustomTabControl::DrawTab(int index, const TRect& rect, bool active) {
  if (OnDrawTab && CanFire()) {
    OnDrawTab(this, index, rect, active);
  } else {
    Canvas().Brush().SetColor(Color());
    Canvas().FillRect(rect);
  }
}

void TProCustomTabControl::PaintPlainTab(TCanvas& canvas, int index, TRect r, bool active) {
  if (active) {
    switch (FTabPosition) {
    case tpTop:
      r = {r.Left - 2, r.Top - 2, r.Right + 2, r.Bottom + 1};
      break;
    case tpBottom:
      r = {r.Left - 2, r.Top - 1, r.Right + 2, r.Bottom + 2};
      break;
    case tpLeft:
      r = {r.Left - 2, r.Top - 2, r.Right + 1, r.Bottom + 2};
      break;
    case tpRight:
      r = {r.Left - 1, r.Top - 2, r.Right + 2, r.Bottom + 2};
      break;
    }
  }
  const bool enabled = CanShowTab(index);
  const bool highlighted = TabHighlighted(index);
  bool themed = false;
  if (FTabPosition == tpTop && !highlighted) {
    HTHEME theme = OpenThemeData(this, "tab");
    themed = theme && DrawThemeBackground(theme, canvas, TABP_TABITEM,
                                          active    ? TIS_SELECTED
                                          : enabled ? TIS_NORMAL
                                                    : TIS_DISABLED,
                                          r);
    CloseThemeData(theme);
  }
  if (!themed) {
    canvas.Brush().SetColor(highlighted ? clHighlight : Color());
    canvas.FillRect(r);
    static constexpr unsigned Open[] = {BF_LEFT | BF_TOP | BF_RIGHT, BF_LEFT | BF_BOTTOM | BF_RIGHT,
                                        BF_LEFT | BF_TOP | BF_BOTTOM, BF_TOP | BF_RIGHT | BF_BOTTOM};
    TRect edge = r;
    DrawEdge(canvas, edge, EDGE_RAISED, Open[FTabPosition] | BF_SOFT);
  }

  // Image at the start of the tab, caption centred in the rest.
  TRect text = r;
  const bool side = IsSide(FTabPosition);
  const int image = FImages ? GetImageIndex(index) : -1;
  if (image >= 0 && image < FImages->Count()) {
    if (side) {
      FImages->Draw(canvas, r.Left + (r.Width() - FImages->Width()) / 2, r.Top + TextPadding, image, enabled);
      text.Top += TextPadding + FImages->Height();
    } else {
      FImages->Draw(canvas, r.Left + TextPadding, r.Top + (r.Height() - FImages->Height()) / 2, image,
                    enabled);
      text.Left += TextPadding + FImages->Width();
    }
  }
  canvas.Font().Assign(Font());
  canvas.Font().SetColor(highlighted ? clHighlightText : enabled ? clBtnText : clGrayText);
  canvas.Brush().SetStyle(bsClear);
  const std::string caption = TabText(index);
  if (side) {
    const int tw = canvas.TextWidth(caption), th = canvas.TextHeight(caption);
    if (FTabPosition == tpLeft)
      TextOutRotated(canvas, text.Left + (text.Width() - th) / 2, text.Top + (text.Height() + tw) / 2, 900,
                     caption);
    else
      TextOutRotated(canvas, text.Right - (text.Width() - th) / 2, text.Top + (text.Height() - tw) / 2, 2700,
                     caption);
  } else {
    DrawText(canvas, caption, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
}

void TProCustomTabControl::PaintScrollButtons(TCanvas& canvas) {
  if (!Scrolling()) return;
  TRect back = ScrollButtonRect(false), forward = ScrollButtonRect(true);
  DrawFrameControl(canvas, back, DFC_SCROLL, DFCS_SCROLLLEFT | (FFirstVisible == 0 ? DFCS_INACTIVE : 0));
  DrawFrameControl(canvas, forward, DFC_SCROLL,
                   DFCS_SCROLLRIGHT | (FFirstVisible >= TabCount() - 1 ? DFCS_INACTIVE : 0));
}

void TProCustomTabControl::Paint() {
  TCanvas& canvas = Canvas();
  canvas.Brush().SetColor(Color());
  canvas.FillRect(ClientRect());
  TRect pane = DisplayRect();
  InflateRect(pane, PageInset, PageInset);
  DrawEdge(canvas, pane, EDGE_RAISED, BF_RECT);
  // The selected tab last, so that it lies over its neighbours.
  for (int i = 0; i < TabCount(); ++i) {
    if (i == FTabIndex) continue;
    if (FOwnerDraw)
      DrawTab(i, TabRect(i), false);
    else
      PaintPlainTab(canvas, i, TabRect(i), false);
  }
  if (FTabIndex >= 0) {
    if (FOwnerDraw)
      DrawTab(FTabIndex, TabRect(FTabIndex), true);
    else
      PaintPlainTab(canvas, FTabIndex, TabRect(FTabIndex), true);
  }
  AfterPaintTabs(canvas);
  PaintScrollButtons(canvas);
}
