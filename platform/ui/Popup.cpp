#include "platform/ui/Popup.h"

#include "platform/Clock.h"
#include "platform/ui/Application.h"
#include "platform/ui/QtBridge.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>

#include <algorithm>
#include <vector>

namespace {

std::vector<TPopupForm*>& OpenPopups() {
  static auto* open = new std::vector<TPopupForm*>;
  return *open;
}

TRect FromQ(const QRect& r) {
  return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

bool WidgetInside(const QWidget* inner, const QWidget* outer) {
  return inner && outer && (inner == outer || outer->isAncestorOf(inner));
}

} // namespace

// Watches the program's input while pop-ups are open: a press outside closes them, Escape closes
// the topmost one.
class TPopupWatch : public QObject {
public:
  bool eventFilter(QObject* object, QEvent* event) override {
    auto& open = OpenPopups();
    if (open.empty()) return false;
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
      auto* w = qobject_cast<QWidget*>(object);
      // Propagated copies of one press reach the parents too; the first one decides.
      auto* press = static_cast<QMouseEvent*>(event);
      if (press->timestamp() != 0 && press->timestamp() == FLastStamp) return false;
      FLastStamp = press->timestamp();
      // From the topmost down: a press inside a pop-up keeps it and those under it.
      while (!open.empty()) {
        TPopupForm* top = open.back();
        if (WidgetInside(w, top->Widget())) break;
        top->FOutsideCloseTime = Clock().NowMs();
        top->ClosePopup(top->FCancelOnOutsideClick);
      }
      return false; // the press goes on to where it was aimed
    }
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
      open.back()->ClosePopup(true);
      return true; // the form under it does not see the Escape (no Cancel button fires)
    }
    return false;
  }

private:
  quint64 FLastStamp = 0;
};

namespace {

void EnsureWatch() {
  static TPopupWatch* watch = nullptr;
  if (watch || !QCoreApplication::instance()) return;
  watch = new TPopupWatch;
  QCoreApplication::instance()->installEventFilter(watch);
}

} // namespace

TRect WorkAreaAt(TPoint p) {
  Application->Initialize();
  QScreen* s = QGuiApplication::screenAt(QPoint(p.X, p.Y));
  if (!s) {
    // The nearest screen: the one whose area is closest to the point.
    long long best = -1;
    for (QScreen* candidate : QGuiApplication::screens()) {
      const QRect g = candidate->geometry();
      const long long dx = std::max({g.left() - p.X, 0, p.X - g.right()});
      const long long dy = std::max({g.top() - p.Y, 0, p.Y - g.bottom()});
      if (best < 0 || dx * dx + dy * dy < best) {
        best = dx * dx + dy * dy;
        s = candidate;
      }
    }
  }
  if (!s) return {0, 0, 1024, 768};
  return FromQ(s->availableGeometry());
}

TRect WorkArea() {
  Application->Initialize();
  QScreen* s = QGuiApplication::primaryScreen();
  return s ? FromQ(s->availableGeometry()) : TRect{0, 0, 1024, 768};
}

TRect PlacePopup(const TRect& anchor, TSize size, const TRect& area) {
  const int w = std::min(std::max(size.cx, 0), area.Width());
  const int h = std::min(std::max(size.cy, 0), area.Height());
  int y = anchor.Bottom;
  if (y + h > area.Bottom && anchor.Top - h >= area.Top) y = anchor.Top - h;
  int x = anchor.Left;
  x = std::max(area.Left, std::min(x, area.Right - w));
  y = std::max(area.Top, std::min(y, area.Bottom - h));
  return Bounds(x, y, w, h);
}

// ---------------------------------------------------------------------------------------------

TPopupForm::TPopupForm(TComponent* AOwner) : TForm(AOwner) {
  SetBorderStyle(bsNone);
  ApplyPopupFlags();
}

TPopupForm::~TPopupForm() {
  std::erase(OpenPopups(), this);
}

void TPopupForm::ApplyPopupFlags() {
  QWidget* w = Widget();
  if (!w) return;
  Qt::WindowFlags flags = Qt::Window | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus;
  // Without a display nothing can cover it (and the off-screen platform cannot raise windows).
  if (!Application->Headless()) flags |= Qt::Tool | Qt::WindowStaysOnTopHint;
  w->setWindowFlags(flags);
  w->setAttribute(Qt::WA_ShowWithoutActivating);
}

void TPopupForm::PopupAt(const TRect& bounds) {
  EnsureWatch();
  const TRect area = WorkAreaAt({bounds.Left, bounds.Top});
  const int w = std::min(std::max(bounds.Width(), 0), area.Width());
  const int h = std::min(std::max(bounds.Height(), 0), area.Height());
  const TRect placed = Bounds(std::max(area.Left, std::min(bounds.Left, area.Right - w)),
                              std::max(area.Top, std::min(bounds.Top, area.Bottom - h)), w, h);
  SetBounds(placed.Left, placed.Top, placed.Width(), placed.Height());
  if (!FPoppedUp) {
    ApplyPopupFlags();
    FPoppedUp = true;
    OpenPopups().push_back(this);
  }
  Show();
}

void TPopupForm::PopupFor(const TRect& anchor) {
  EnsureWatch();
  const TRect placed = PlacePopup(anchor, {Width(), Height()}, WorkAreaAt({anchor.Left, anchor.Bottom}));
  PopupAt(placed);
}

void TPopupForm::DoHide() {
  if (FPoppedUp) {
    FPoppedUp = false;
    std::erase(OpenPopups(), this);
  }
  TForm::DoHide();
}

void TPopupForm::ClosePopup(bool cancelled) {
  if (!FPoppedUp) return;
  FPoppedUp = false;
  std::erase(OpenPopups(), this);
  Hide();
  if (OnPopupClose && CanFire()) OnPopupClose(this, cancelled);
}
