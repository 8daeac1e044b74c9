#include "platform/ui/CategoryPanels.h"

#include "platform/ui/GraphicsQt.h"
#include "platform/ui/QtBridge.h"

#include <QApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

namespace {

QScrollArea* Area(const TCategoryPanelGroup* g) {
  return static_cast<QScrollArea*>(g->Widget());
}

int ScrollBarExtent(const QWidget* w) {
  return (w ? w->style() : QApplication::style())->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, w);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Group

TCategoryPanelGroup::TCategoryPanelGroup(TComponent* AOwner) : TWinControl(AOwner) {
  DeferWidget();
  SetControlStyle(ControlStyle() | csAcceptsControls);
  SetBounds(0, 0, 200, 400);
  FHeaderFont.OnChange = [this] {
    for (TCategoryPanel* p : FPanels)
      p->Invalidate();
  };
}

QWidget* TCategoryPanelGroup::CreateWidget() {
  auto* area = new QScrollArea;
  area->setFrameShape(QFrame::NoFrame);
  area->setWidgetResizable(false);
  area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  area->setFocusPolicy(Qt::NoFocus);
  auto* content = new QWidget;
  content->setAutoFillBackground(false);
  area->setWidget(content);
  return area;
}

void TCategoryPanelGroup::WidgetCreated() {
  TWinControl::WidgetCreated();
  Area(this)->widget()->resize(ClientWidth(), std::max(FContentHeight, ClientHeight()));
  if (FScrollPosition != 0) SetVertScrollPosition(FScrollPosition);
}

QWidget* TCategoryPanelGroup::ContainerWidget() const {
  return Area(this)->widget();
}

void TCategoryPanelGroup::ApplyLook() {
  TWinControl::ApplyLook();
  if (auto* area = HasWidget() ? Area(this) : nullptr) {
    area->viewport()->setAutoFillBackground(true);
    QPalette pal = area->viewport()->palette();
    pal.setColor(QPalette::Window, ToQColor(Color()));
    area->viewport()->setPalette(pal);
  }
}

TCategoryPanel* TCategoryPanelGroup::Panels(int index) const {
  if (index < 0 || index >= PanelCount()) return nullptr;
  return FPanels[static_cast<std::size_t>(index)];
}

void TCategoryPanelGroup::SetHeaderHeight(int height) {
  FHeaderHeight = std::max(0, height);
  for (TCategoryPanel* p : FPanels)
    p->PlaceClient();
  Arrange();
}

void TCategoryPanelGroup::SetGradientBaseColor(TColor color) {
  FGradientBaseColor = color;
  for (TCategoryPanel* p : FPanels)
    p->Invalidate();
}

void TCategoryPanelGroup::SetGradientColor(TColor color) {
  FGradientColor = color;
  for (TCategoryPanel* p : FPanels)
    p->Invalidate();
}

void TCategoryPanelGroup::CollapseAll() {
  for (TCategoryPanel* p : std::vector<TCategoryPanel*>(FPanels))
    p->Collapse();
}

void TCategoryPanelGroup::ExpandAll() {
  for (TCategoryPanel* p : std::vector<TCategoryPanel*>(FPanels))
    p->Expand();
}

int TCategoryPanelGroup::ClientWidth() const {
  bool scrolls = FContentHeight > ClientHeight();
  return std::max(0, Width() - (scrolls ? ScrollBarExtent(HasWidget() ? Widget() : nullptr) : 0));
}

void TCategoryPanelGroup::Arrange() {
  if (FArranging || Destroying()) return;
  FArranging = true;
  std::stable_sort(FPanels.begin(), FPanels.end(),
                   [](const TCategoryPanel* a, const TCategoryPanel* b) { return a->Top() < b->Top(); });
  int total = 0;
  for (TCategoryPanel* p : FPanels)
    if (p->Visible()) total += p->Height();
  FContentHeight = total;
  int width = ClientWidth();
  int y = 0;
  for (TCategoryPanel* p : FPanels) {
    if (!p->Visible()) continue;
    p->TCustomControl::SetBounds(0, y, width, p->Height());
    y += p->Height();
  }
  if (HasWidget()) Area(this)->widget()->resize(width, std::max(total, ClientHeight()));
  FArranging = false;
}

void TCategoryPanelGroup::ChildAdded(TControl* child) {
  if (auto* p = dynamic_cast<TCategoryPanel*>(child)) {
    p->FGroup = this;
    // A new panel joins the stack at its end.
    p->TCustomControl::SetBounds(0, FContentHeight, p->Width(), p->Height());
    FPanels.push_back(p);
    p->PlaceClient();
    Arrange();
  }
}

void TCategoryPanelGroup::ChildRemoved(TControl* child) {
  if (auto* p = dynamic_cast<TCategoryPanel*>(child)) {
    std::erase(FPanels, p);
    p->FGroup = nullptr;
    Arrange();
  }
}

void TCategoryPanelGroup::Resize() {
  Arrange();
  TWinControl::Resize();
}

int TCategoryPanelGroup::VertScrollPosition() const {
  return HasWidget() ? Area(this)->verticalScrollBar()->value() : FScrollPosition;
}

void TCategoryPanelGroup::SetVertScrollPosition(int position) {
  int maxPos = std::max(0, FContentHeight - ClientHeight());
  position = std::clamp(position, 0, maxPos);
  if (!HasWidget()) {
    FScrollPosition = position;
    return;
  }
  // The scroll bar's own range follows the layout only once the group is shown.
  QScrollBar* bar = Area(this)->verticalScrollBar();
  if (bar->maximum() < maxPos) bar->setRange(0, maxPos);
  bar->setValue(position);
}

void TCategoryPanelGroup::WMVScroll(TMessage& M) {
  int pos = VertScrollPosition();
  int page = std::max(1, ClientHeight());
  switch (M.WParam & 0xFFFF) {
  case SB_LINEUP:
    SetVertScrollPosition(pos - FIncrement);
    break;
  case SB_LINEDOWN:
    SetVertScrollPosition(pos + FIncrement);
    break;
  case SB_PAGEUP:
    SetVertScrollPosition(pos - page);
    break;
  case SB_PAGEDOWN:
    SetVertScrollPosition(pos + page);
    break;
  case SB_THUMBPOSITION:
  case SB_THUMBTRACK:
    SetVertScrollPosition(static_cast<int>(M.WParam >> 16));
    break;
  case SB_TOP:
    SetVertScrollPosition(0);
    break;
  case SB_BOTTOM:
    SetVertScrollPosition(FContentHeight);
    break;
  default:
    break;
  }
}

void TCategoryPanelGroup::CMFocusChanged(TMessage& M) {
  TWinControl::CMFocusChanged(M);
  auto* control = reinterpret_cast<TWinControl*>(M.LParam);
  // A panel that takes the focus itself stays where the user scrolled it.
  if (control && control != this && !dynamic_cast<TCategoryPanel*>(control) && ContainsControl(control))
    ScrollInView(control);
}

void TCategoryPanelGroup::ScrollInView(const TControl* control) {
  QWidget* content = Area(this)->widget();
  QWidget* w = control->Widget();
  if (!w || !content->isAncestorOf(w)) return;
  constexpr int Margin = 4;
  const int top = w->mapTo(content, QPoint(0, 0)).y();
  const int bottom = top + w->height();
  const int position = VertScrollPosition();
  const int view = ClientHeight();
  if (top < position)
    SetVertScrollPosition(top - Margin);
  else if (bottom > position + view)
    SetVertScrollPosition(std::min(top - Margin, bottom + Margin - view));
}

// ---------------------------------------------------------------------------------------------
// Panel

TCategoryPanel::TCategoryPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle((ControlStyle() | csAcceptsControls) & ~csClickEvents);
  SetTabStop(false);
  SetBounds(0, 0, 185, 200);
}

int TCategoryPanel::HeaderHeight() const {
  return FGroup ? FGroup->HeaderHeight() : 24;
}

void TCategoryPanel::WidgetCreated() {
  TCustomControl::WidgetCreated();
  FClient = new QWidget(Widget());
  FClient->setAutoFillBackground(false);
  FClient->show();
  PlaceClient();
}

QWidget* TCategoryPanel::ContainerWidget() const {
  return FClient;
}

int TCategoryPanel::ClientHeight() const {
  return std::max(0, Height() - HeaderHeight());
}

void TCategoryPanel::PlaceClient() {
  if (!FClient) return;
  FClient->setGeometry(0, HeaderHeight(), Width(), std::max(0, Height() - HeaderHeight()));
  FClient->setVisible(!FCollapsed);
}

void TCategoryPanel::SetBounds(int left, int top, int width, int height) {
  FExpandedHeight = std::max(0, height);
  TCustomControl::SetBounds(left, top, width, FCollapsed ? HeaderHeight() : height);
}

void TCategoryPanel::Resize() {
  PlaceClient();
  TCustomControl::Resize();
  if (FGroup) FGroup->Arrange();
}

void TCategoryPanel::CMVisibleChanged(TMessage& M) {
  TCustomControl::CMVisibleChanged(M);
  if (FGroup) FGroup->Arrange();
}

void TCategoryPanel::SetCollapsed(bool collapsed) {
  if (collapsed == FCollapsed) return;
  FCollapsed = collapsed;
  TCustomControl::SetBounds(Left(), Top(), Width(), collapsed ? HeaderHeight() : FExpandedHeight);
  PlaceClient();
  Invalidate();
  if (collapsed) {
    if (OnCollapse && CanFire()) OnCollapse(this);
  } else if (OnExpand && CanFire()) {
    OnExpand(this);
  }
}

void TCategoryPanel::SetTextNative(const std::string& text) {
  TCustomControl::SetTextNative(text);
  Invalidate();
}

void TCategoryPanel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft && Y >= 0 && Y < HeaderHeight()) SetCollapsed(!FCollapsed);
}

void TCategoryPanel::CMMouseEnter(TMessage& M) {
  FHot = true;
  Invalidate();
  TCustomControl::CMMouseEnter(M);
}

void TCategoryPanel::CMMouseLeave(TMessage& M) {
  FHot = false;
  Invalidate();
  TCustomControl::CMMouseLeave(M);
}

void TCategoryPanel::Paint() {
  TCanvas& c = Canvas();
  int h = HeaderHeight();
  TColor from = FGroup ? FGroup->GradientBaseColor() : clBtnFace;
  TColor to = FGroup ? FGroup->GradientColor() : clBtnFace;
  TColor a = ColorToRGB(from), b = ColorToRGB(to);
  // The header: a vertical gradient from the base colour to the gradient colour.
  for (int y = 0; y < h; ++y) {
    auto mix = [&](unsigned x, unsigned z) { return h > 1 ? x + (int(z) - int(x)) * y / (h - 1) : x; };
    c.Pen().SetColor(RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)),
                         mix(GetBValue(a), GetBValue(b))));
    c.MoveTo(0, y);
    c.LineTo(Width(), y);
  }
  if (!FCollapsed) {
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(Color());
    c.FillRect(Rect(0, h, Width(), Height()));
  }
  TRect text = Rect(6, 0, Width() - 24, h);
  c.Brush().SetStyle(bsClear);
  if (FGroup) c.Font().Assign(FGroup->HeaderFont());
  DrawText(c, Caption(), text, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
  c.Font().Assign(Font());
  // The chevron: up while expanded, down while collapsed.
  TColor chevron = FHot && FGroup ? FGroup->ChevronHotColor() : c.Font().Color();
  c.Pen().SetColor(chevron);
  int cx = Width() - 12, cy = h / 2;
  for (int i = 0; i < 2; ++i) {
    int d = FCollapsed ? i * 4 - 2 : 2 - i * 4;
    c.MoveTo(cx - 4, cy + d + (FCollapsed ? -2 : 2));
    c.LineTo(cx, cy + d + (FCollapsed ? 2 : -2));
    c.LineTo(cx + 5, cy + d + (FCollapsed ? -3 : 3));
  }
}
