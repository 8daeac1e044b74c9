#include "platform/ui/ExtCtrls.h"

#include "platform/Clock.h"
#include "platform/ui/GraphicsQt.h"
#include "platform/ui/QtBridge.h"

#include <QFontMetrics>
#include <QLabel>
#include <QRegularExpression>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

// ---------------------------------------------------------------------------------------------
// Panel

void Frame3D(TCanvas& canvas, TRect& rect, TColor topColor, TColor bottomColor, int width) {
  canvas.Pen().SetWidth(1);
  canvas.Pen().SetStyle(psSolid);
  --rect.Bottom;
  --rect.Right;
  while (width-- > 0) {
    TPoint topRight{rect.Right, rect.Top};
    TPoint bottomLeft{rect.Left, rect.Bottom};
    canvas.Pen().SetColor(topColor);
    canvas.MoveTo(bottomLeft.X, bottomLeft.Y);
    canvas.LineTo(rect.Left, rect.Top);
    canvas.LineTo(topRight.X, topRight.Y);
    canvas.Pen().SetColor(bottomColor);
    canvas.LineTo(rect.Right, rect.Bottom);
    canvas.LineTo(bottomLeft.X - 1, bottomLeft.Y);
    InflateRect(rect, -1, -1);
  }
  ++rect.Bottom;
  ++rect.Right;
}

TPanel::TPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle(ControlStyle() | csAcceptsControls | csOpaque);
  SetColor(clBtnFace);
  SetBounds(0, 0, 185, 41);
}

void TPanel::Changed() {
  Realign();
  Invalidate();
}

void TPanel::SetBevelOuter(TBevelCut bevel) {
  FBevelOuter = bevel;
  Changed();
}
void TPanel::SetBevelInner(TBevelCut bevel) {
  FBevelInner = bevel;
  Changed();
}
void TPanel::SetBevelWidth(int width) {
  FBevelWidth = std::max(1, width);
  Changed();
}
void TPanel::SetBorderWidth(int width) {
  FBorderWidth = std::max(0, width);
  Changed();
}
void TPanel::SetAlignment(TAlignment alignment) {
  FAlignment = alignment;
  Invalidate();
}
void TPanel::SetVerticalAlignment(TVerticalAlignment alignment) {
  FVerticalAlignment = alignment;
  Invalidate();
}
void TPanel::SetShowCaption(bool show) {
  FShowCaption = show;
  Invalidate();
}

TRect TPanel::AlignRect() const {
  TRect r = ClientRect();
  int inset = FBorderWidth;
  if (FBevelOuter != bvNone) inset += FBevelWidth;
  if (FBevelInner != bvNone) inset += FBevelWidth;
  InflateRect(r, -inset, -inset);
  return r;
}

void TPanel::Paint() {
  TCanvas& c = Canvas();
  TRect r = ClientRect();
  auto edge = [&](TBevelCut bevel) {
    TColor top = bevel == bvLowered ? clBtnShadow : clBtnHighlight;
    TColor bottom = bevel == bvLowered ? clBtnHighlight : clBtnShadow;
    if (bevel == bvSpace) top = bottom = Color();
    Frame3D(c, r, top, bottom, FBevelWidth);
  };
  if (FBevelOuter != bvNone) edge(FBevelOuter);
  Frame3D(c, r, Color(), Color(), FBorderWidth);
  if (FBevelInner != bvNone) edge(FBevelInner);
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(Color());
  c.FillRect(r);
  std::string caption = Caption();
  if (!FShowCaption || caption.empty()) return;
  c.Font().Assign(Font());
  c.Brush().SetStyle(bsClear);
  unsigned flags = DT_SINGLELINE | DT_EXPANDTABS;
  flags |= FAlignment == taCenter ? DT_CENTER : FAlignment == taRightJustify ? DT_RIGHT : DT_LEFT;
  flags |= FVerticalAlignment == taVerticalCenter ? DT_VCENTER
           : FVerticalAlignment == taAlignBottom  ? DT_BOTTOM
                                                  : DT_TOP;
  DrawText(c, caption, r, flags);
}

// ---------------------------------------------------------------------------------------------
// Shape

TShape::TShape(TComponent* AOwner) : TGraphicControl(AOwner) {
  AttachPaintSurface();
  SetBounds(0, 0, 65, 65);
  FPen.OnChange = [this] { Invalidate(); };
  FBrush.OnChange = [this] { Invalidate(); };
}

void TShape::SetShape(TShapeType shape) {
  if (shape == FShape) return;
  FShape = shape;
  Invalidate();
}

void TShape::Paint() {
  TCanvas& c = Canvas();
  c.Pen().Assign(FPen);
  c.Brush().Assign(FBrush);
  int penWidth = FPen.Width();
  int x = penWidth / 2, y = x;
  int w = Width() - penWidth + 1, h = Height() - penWidth + 1;
  if (penWidth == 0) {
    --w;
    --h;
  }
  int s = std::min(w, h);
  if (FShape == stSquare || FShape == stRoundSquare || FShape == stCircle) {
    x += (w - s) / 2;
    y += (h - s) / 2;
    w = h = s;
  }
  switch (FShape) {
  case stRectangle:
  case stSquare:
    c.Rectangle(x, y, x + w, y + h);
    break;
  case stRoundRect:
  case stRoundSquare:
    c.RoundRect(x, y, x + w, y + h, s / 4, s / 4);
    break;
  case stEllipse:
  case stCircle:
    c.Ellipse(x, y, x + w, y + h);
    break;
  }
}

// ---------------------------------------------------------------------------------------------
// Image

void TPicture::Changed() {
  if (OnChange) OnChange();
}

bool TPicture::LoadFromFile(const std::string& path, std::string* error) {
  if (!FBitmap.LoadFromFile(path, error)) return false;
  Changed();
  return true;
}

void TPicture::Assign(const TBitmap& bitmap) {
  FBitmap.Assign(bitmap);
  Changed();
}

void TPicture::Clear() {
  FBitmap.SetSize(0, 0);
  Changed();
}

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner) {
  AttachPaintSurface();
  SetBounds(0, 0, 105, 105);
  FPicture.OnChange = [this] { PictureChanged(); };
}

void TImage::PictureChanged() {
  if (FAutoSize && !FPicture.Empty()) SetBounds(Left(), Top(), FPicture.Width(), FPicture.Height());
  Invalidate();
}

void TImage::SetStretch(bool stretch) {
  FStretch = stretch;
  Invalidate();
}
void TImage::SetCenter(bool center) {
  FCenter = center;
  Invalidate();
}
void TImage::SetProportional(bool proportional) {
  FProportional = proportional;
  Invalidate();
}
void TImage::SetTransparent(bool transparent) {
  FTransparent = transparent;
  Invalidate();
}
void TImage::SetAutoSize(bool autoSize) {
  FAutoSize = autoSize;
  PictureChanged();
}

TRect TImage::DestRect() const {
  int w = FPicture.Width(), h = FPicture.Height();
  int cw = ClientWidth(), ch = ClientHeight();
  if (FStretch || (FProportional && (w > cw || h > ch))) {
    if (FProportional && w > 0 && h > 0) {
      double xyaspect = double(w) / h;
      if (w > h) {
        w = cw;
        h = static_cast<int>(cw / xyaspect);
        if (h > ch) {
          h = ch;
          w = static_cast<int>(ch * xyaspect);
        }
      } else {
        h = ch;
        w = static_cast<int>(ch * xyaspect);
        if (w > cw) {
          w = cw;
          h = static_cast<int>(cw / xyaspect);
        }
      }
    } else {
      w = cw;
      h = ch;
    }
  }
  TRect r = Bounds(0, 0, w, h);
  if (FCenter) OffsetRect(r, (cw - w) / 2, (ch - h) / 2);
  return r;
}

void TImage::Paint() {
  if (FPicture.Empty()) return;
  TBitmap& bitmap = FPicture.Bitmap();
  bitmap.SetTransparent(FTransparent);
  TRect dest = DestRect();
  if (dest.Width() == bitmap.Width() && dest.Height() == bitmap.Height())
    Canvas().Draw(dest.Left, dest.Top, bitmap);
  else
    Canvas().StretchDraw(dest, bitmap);
}

// ---------------------------------------------------------------------------------------------
// Link label

namespace {

struct TLinkPart {
  QString Href;
  QString Text;
};

// Splits the caption into the HTML shown and the links found (in order).
QString LinkMarkup(const std::string& caption, std::vector<TLinkPart>* links) {
  static const QRegularExpression anchor(
      R"re(<a(?:\s+href\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s>]*)))?[^>]*>(.*?)</a>)re",
      QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
  QString text = QString::fromStdString(caption);
  QString html;
  qsizetype pos = 0;
  int index = 0;
  auto it = anchor.globalMatch(text);
  while (it.hasNext()) {
    auto m = it.next();
    html += text.mid(pos, m.capturedStart() - pos).toHtmlEscaped();
    QString href = !m.captured(1).isNull()   ? m.captured(1)
                   : !m.captured(2).isNull() ? m.captured(2)
                                             : m.captured(3);
    QString inner = m.captured(4);
    if (links) links->push_back({href, inner});
    html += QString("<a href=\"#%1\">%2</a>").arg(index++).arg(inner.toHtmlEscaped());
    pos = m.capturedEnd();
  }
  html += text.mid(pos).toHtmlEscaped();
  return html;
}

// The widget as the link label shows it, also to measure a label that has none yet.
QLabel* NewLinkWidget() {
  auto* w = new QLabel;
  w->setTextFormat(Qt::RichText);
  w->setOpenExternalLinks(false);
  w->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
  w->setFocusPolicy(Qt::NoFocus);
  return w;
}

} // namespace

TLinkLabel::TLinkLabel(TComponent* AOwner) : TWinControl(AOwner) {
  // Most link labels wait hidden for news that seldom comes: the widget is made when the
  // window's are, or when the label is shown or given a text.
  DeferWidget();
  SetBounds(0, 0, 53, 17);
}

QWidget* TLinkLabel::CreateWidget() {
  FMakingWidget = true;
  QLabel* w = NewLinkWidget();
  QObject::connect(w, &QLabel::linkActivated,
                   [this](const QString& link) { LinkActivated(link.toStdString()); });
  return w;
}

void TLinkLabel::WidgetCreated() {
  TWinControl::WidgetCreated();
  if (FTextGiven) static_cast<QLabel*>(Widget())->setText(LinkMarkup(GetText(), nullptr));
  FMakingWidget = false;
}

void TLinkLabel::SetTextNative(const std::string& text) {
  TWinControl::SetTextNative(text);
  if (!text.empty()) FTextGiven = true;
  // Only a label that never had a text measures without its widget.
  if (FTextGiven) static_cast<QLabel*>(Widget())->setText(LinkMarkup(text, nullptr));
  AdjustSize();
}

void TLinkLabel::ApplyLook() {
  TWinControl::ApplyLook();
  AdjustSize();
}

void TLinkLabel::LookDeferred() {
  if (HasWidget())
    EnsureLook();
  else
    AdjustSize();
}

void TLinkLabel::SetAutoSize(bool autoSize) {
  FAutoSize = autoSize;
  AdjustSize();
}

void TLinkLabel::AdjustSize() {
  if (!FAutoSize || FMakingWidget) return;
  TSize size = BlankSize();
  if (FTextGiven) {
    const QSize hint = static_cast<QLabel*>(Widget())->sizeHint();
    size = {hint.width(), hint.height()};
  }
  SetBounds(Left(), Top(), size.cx, size.cy);
}

TSize TLinkLabel::BlankSize() {
  // Qt keeps the measure of a label without text until it gets one, and the widget used to be
  // measured first in the default font: a link label never given a text has this size in
  // whatever font.
  static const TSize blank = [] {
    std::unique_ptr<QLabel> probe(NewLinkWidget());
    probe->setFont(ToQFont(TFont(), true));
    const QSize hint = probe->sizeHint();
    return TSize{hint.width(), hint.height()};
  }();
  return blank;
}

int TLinkLabel::LinkCount() const {
  std::vector<TLinkPart> links;
  LinkMarkup(GetText(), &links);
  return static_cast<int>(links.size());
}

bool TLinkLabel::ClickLink(int index) {
  if (index < 0 || index >= LinkCount() || !Enabled()) return false;
  emit static_cast<QLabel*>(Widget())->linkActivated(QString("#%1").arg(index));
  return true;
}

void TLinkLabel::LinkActivated(const std::string& link) {
  std::vector<TLinkPart> links;
  LinkMarkup(GetText(), &links);
  std::size_t index = link.size() > 1 ? std::stoul(link.substr(1)) : 0;
  if (index >= links.size() || !OnLinkClick || !CanFire()) return;
  const TLinkPart& part = links[index];
  if (part.Href.isEmpty())
    OnLinkClick(this, part.Text.toStdString(), sltID);
  else
    OnLinkClick(this, part.Href.toStdString(), sltURL);
}

// ---------------------------------------------------------------------------------------------
// Timer

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
  Application->Initialize();
  RegisterTimer(this);
  Restart();
}

TTimer::~TTimer() {
  UnregisterTimer(this);
}

void TTimer::Restart() {
  FDue = Clock().NowMs() + FInterval;
  TimersChanged();
}

void TTimer::SetEnabled(bool enabled) {
  if (enabled == FEnabled) return;
  FEnabled = enabled;
  Restart();
}

void TTimer::SetInterval(unsigned ms) {
  if (ms == FInterval) return;
  FInterval = ms;
  Restart();
}

void TTimer::Fire(std::int64_t now) {
  FDue = now + FInterval;
  if (OnTimer && !Destroying()) OnTimer(this);
  TimersChanged();
}
