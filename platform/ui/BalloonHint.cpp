#include "platform/ui/BalloonHint.h"

#include "platform/ui/ExtCtrls.h"
#include "platform/ui/GraphicsQt.h"
#include "platform/ui/QtBridge.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace {

constexpr int Margin = 8, Tail = 12, IconSize = 16, MaxTextWidth = 300;

// The balloon's window: a rounded box with a tail on its top edge, pointing up at the anchor.
class QtBalloon : public QWidget {
public:
  QtBalloon() : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
  }
  QString Title, Text;
  TBalloonIcon Icon = bhNone;

  QSize Layout() const {
    QFont bold = font();
    bold.setBold(true);
    QRect title = QFontMetrics(bold).boundingRect(QRect(0, 0, MaxTextWidth, 1000), Qt::TextWordWrap, Title);
    QRect text = fontMetrics().boundingRect(QRect(0, 0, MaxTextWidth, 1000), Qt::TextWordWrap, Text);
    int head = Title.isEmpty() && Icon == bhNone ? 0 : std::max(title.height(), IconSize) + 4;
    int iconWidth = Icon == bhNone ? 0 : IconSize + 6;
    int w = std::max(title.width() + iconWidth, text.width()) + 2 * Margin;
    return {std::max(w, 3 * Tail), head + text.height() + 2 * Margin + Tail};
  }

protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QRectF box(0.5, Tail + 0.5, width() - 1.0, height() - Tail - 1.0);
    QPainterPath path;
    path.addRoundedRect(box, 6, 6);
    QPolygonF tail;
    tail << QPointF(Tail, Tail + 1) << QPointF(Tail, 0.5) << QPointF(2 * Tail, Tail + 1);
    path.addPolygon(tail);
    path = path.simplified();
    p.setPen(palette().color(QPalette::ToolTipText));
    p.setBrush(palette().color(QPalette::ToolTipBase));
    p.drawPath(path);
    int x = Margin, y = Tail + Margin;
    if (Icon != bhNone) {
      QStyle::StandardPixmap sp = Icon == bhInfo      ? QStyle::SP_MessageBoxInformation
                                  : Icon == bhWarning ? QStyle::SP_MessageBoxWarning
                                                      : QStyle::SP_MessageBoxCritical;
      style()->standardIcon(sp).paint(&p, x, y, IconSize, IconSize);
      x += IconSize + 6;
    }
    QFont bold = font();
    bold.setBold(true);
    int head = 0;
    if (!Title.isEmpty() || Icon != bhNone) {
      p.setFont(bold);
      QRect r(x, y, MaxTextWidth, 1000);
      QRect used = p.boundingRect(r, Qt::TextWordWrap, Title);
      p.drawText(r, Qt::TextWordWrap, Title);
      head = std::max(used.height(), IconSize) + 4;
    }
    p.setFont(font());
    p.drawText(QRect(Margin, y + head, MaxTextWidth, 1000), Qt::TextWordWrap, Text);
  }
};

} // namespace

struct TBalloonHint::TWindow {
  QtBalloon Widget;
};

TBalloonHint::TBalloonHint(TComponent* AOwner) : TComponent(AOwner) {
  FTimer = new TTimer(this);
  FTimer->SetEnabled(false);
  FTimer->OnTimer = [this](TObject*) { TimerFired(); };
}

TBalloonHint::~TBalloonHint() = default;

void TBalloonHint::SetAutoHideDelay(int ms) {
  FAutoHideDelay = std::max(0, ms);
}

void TBalloonHint::SetTransparency(int percent) {
  FTransparency = std::clamp(percent, 0, 100);
  if (FWindow) FWindow->Widget.setWindowOpacity(1.0 - FTransparency / 100.0);
}

void TBalloonHint::ShowAt(TControl& control, TPoint clientPoint) {
  // Moving on from a shown balloon waits the shorter reshow delay.
  int delay = Showing() ? FReshowDelay : FInitialDelay;
  Hide();
  if (!control.Widget() || (FTitle.empty() && FText.empty())) return;
  FControlId = control.ControlId();
  FAnchor = control.ClientToScreen(clientPoint);
  FPending = true;
  if (delay == 0) {
    ShowNow();
    return;
  }
  FTimer->SetInterval(static_cast<unsigned>(delay));
  FTimer->SetEnabled(true);
}

void TBalloonHint::ShowNow() {
  if (!FPending) return;
  FPending = false;
  FTimer->SetEnabled(false);
  if (!IsLiveControl(FControlId)) return;
  if (!FWindow) FWindow = std::make_unique<TWindow>();
  QtBalloon& w = FWindow->Widget;
  w.Title = QString::fromStdString(FTitle);
  w.Text = QString::fromStdString(FText);
  w.Icon = FIcon;
  w.setWindowOpacity(1.0 - FTransparency / 100.0);
  QSize size = w.Layout();
  w.setGeometry(FAnchor.X - Tail, FAnchor.Y, size.width(), size.height());
  w.show();
  w.update();
  if (FAutoHideDelay > 0) {
    FTimer->SetInterval(static_cast<unsigned>(FAutoHideDelay));
    FTimer->SetEnabled(true);
  }
}

void TBalloonHint::Hide() {
  FPending = false;
  FTimer->SetEnabled(false);
  if (FWindow) FWindow->Widget.hide();
}

bool TBalloonHint::Showing() const {
  return FWindow && FWindow->Widget.isVisible();
}

TRect TBalloonHint::BoundsRect() const {
  if (!Showing()) return {};
  QRect g = FWindow->Widget.geometry();
  return Bounds(g.x(), g.y(), g.width(), g.height());
}

QWidget* TBalloonHint::Widget() const {
  return FWindow ? &FWindow->Widget : nullptr;
}

void TBalloonHint::TimerFired() {
  if (FPending)
    ShowNow();
  else
    Hide();
}
