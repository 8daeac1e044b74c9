#include "platform/ui/Controls.h"

#include "platform/ui/Application.h"
#include "platform/ui/GraphicsQt.h"
#include "platform/ui/Menus.h"
#include "platform/ui/QtBridge.h"

#include <QApplication>
#include <QCursor>
#include <QPainter>
#include <QPolygon>
#include <QRegion>
#include <QWidget>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <span>

// ---------------------------------------------------------------------------------------------
// Helpers

WideChar AcceleratorOf(const std::string& caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    QString rest = QString::fromUtf8(caption.data() + i + 1, static_cast<qsizetype>(caption.size() - i - 1));
    return rest.isEmpty() ? 0 : static_cast<WideChar>(rest.at(0).unicode());
  }
  return 0;
}

bool IsAccel(WideChar key, const std::string& caption) {
  WideChar accel = AcceleratorOf(caption);
  if (accel == 0 || key == 0) return false;
  return QChar(accel).toUpper() == QChar(key).toUpper();
}

std::string StripHotkey(const std::string& caption) {
  std::string out;
  out.reserve(caption.size());
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') {
        out += '&';
        ++i;
      }
      continue;
    }
    out += caption[i];
  }
  return out;
}

std::string GetShortHint(const std::string& hint) {
  auto bar = hint.find('|');
  return bar == std::string::npos ? hint : hint.substr(0, bar);
}

TForm* GetParentForm(const TControl* control) {
  const TControl* c = control;
  while (c && c->Parent())
    c = c->Parent();
  return c && c->IsForm() ? static_cast<TForm*>(const_cast<TControl*>(c)) : nullptr;
}

namespace {

std::atomic<std::uint64_t> NextControlId{1};

bool IsNativeKeyMessage(unsigned msg) {
  return msg == WM_KEYDOWN || msg == WM_KEYUP || msg == WM_CHAR;
}

// The controls the mouse has entered and not yet left (a child and its parents are all entered).
// A window that hides never hears the mouse leave, so hiding or disabling ends this by hand.
std::vector<std::pair<TControl*, std::uint64_t>> MouseOver;

void EndMouseOverWithin(const TControl* control) {
  auto* win = dynamic_cast<const TWinControl*>(control);
  std::erase_if(MouseOver, [](const auto& entry) { return !IsLiveControl(entry.second); });
  std::vector<std::pair<TControl*, std::uint64_t>> leaving;
  for (const auto& entry : MouseOver)
    if (entry.first == control || (win && win->ContainsControl(entry.first))) leaving.push_back(entry);
  // Innermost first, as the mouse would leave them; the leave takes each off the list.
  for (auto it = leaving.rbegin(); it != leaving.rend(); ++it)
    if (IsLiveControl(it->second)) it->first->Perform(CM_MOUSELEAVE);
}

// Raisings and lowerings asked of controls whose widgets were still to come, in the order asked
// (the control, its id, to the front): done among the siblings once their widgets are made.
struct TRestack {
  TControl* Control;
  std::uint64_t Id;
  bool Front;
};
std::vector<TRestack> PendingRestacks;

void KeepRestack(TControl* control, bool front) {
  const std::uint64_t id = control->ControlId();
  std::erase_if(PendingRestacks, [id](const TRestack& r) { return r.Id == id; });
  PendingRestacks.push_back({control, id, front});
}

} // namespace

// ---------------------------------------------------------------------------------------------
// TControl

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {
  Application->Initialize();
  FId = NextControlId++;
  RegisterLiveControl(this);
  FFont.OnChange = [this] { FontChanged(); };
}

TControl::~TControl() {
  MarkDestroying();
  if (CaptureControl() == this) SetCaptureControl(nullptr);
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  UnregisterLiveControl(this);
  if (FParent) FParent->RemoveControl(this);
  FParent = nullptr;
  if (FWidget) {
    UnregisterWidget(FWidget);
    // Nothing the widget signals on its way out reaches the control (cheaper than disconnecting).
    FWidget->blockSignals(true);
    // Keep Qt from handing the focus to a neighbour while this widget goes away.
    if (QWidget* focus = QApplication::focusWidget();
        focus && (focus == FWidget || FWidget->isAncestorOf(focus)))
      focus->clearFocus();
    delete FWidget;
    FWidget = nullptr;
  }
}

void TControl::AttachWidget(QWidget* widget) {
  FWidget = widget;
  RegisterWidget(widget, this);
  widget->setVisible(false);
  widget->setGeometry(FLeft, FTop, FWidth, FHeight);
  widget->setMouseTracking(true);
  LookChanged();
  ApplyCursor();
}

void TControl::EnsureWindowWidgets() const {
  if (!FWidgetsMade) MakeWindowWidgets();
}

QWidget* TControl::MakeWindowWidgets() const {
  // The highest control whose widgets are still to come: its parent, if any, has its own.
  auto* top = const_cast<TControl*>(this);
  while (top->FParent && !top->FParent->FWidgetsMade)
    top = top->FParent;
  if (top->FParent)
    top->MakeLateWidgets(this);
  else
    top->MakeWidgets(this);
  return FWidget;
}

void TControl::MakeWidgets(const TControl* needed) {
  if (!FWidgetsMade) {
    // A hidden control's widget (and its children's) waits until it is shown or needed: most of
    // a window's hidden controls never are.
    if (!FWidget && FWidgetDeferred && !FVisible && FParent) {
      const TControl* c = needed;
      while (c && c != this)
        c = c->FParent;
      if (!c) return;
    }
    FWidgetsMade = true;
    const bool fresh = !FWidget && FWidgetDeferred;
    if (fresh) {
      SettleSize();
      QWidget* widget = CreateWidget();
      AttachWidget(widget);
      if (!FEnabled) widget->setEnabled(false);
    }
    if (FWidget && FParent && !FWidget->parentWidget())
      if (QWidget* container = FParent->ContainerWidget()) FWidget->setParent(container);
    if (fresh) WidgetCreated();
    if (FWidget && FParent) {
      ApplyGeometry();
      ApplyVisible();
      StackInParent();
    }
  }
  if (!FWindowed) return;
  auto* win = static_cast<TWinControl*>(this);
  for (TControl* c : std::vector<TControl*>(win->FControls))
    if (!c->FWidgetsMade) c->MakeWidgets(needed);
  if (PendingRestacks.empty()) return;
  std::vector<TRestack> due;
  std::erase_if(PendingRestacks, [&](const TRestack& r) {
    if (!IsLiveControl(r.Id)) return true;
    if (r.Control->FParent != this || !r.Control->FWidgetsMade) return false;
    due.push_back(r);
    return true;
  });
  for (const TRestack& r : due)
    r.Front ? r.Control->BringToFront() : r.Control->SendToBack();
}

void TControl::MakeLateWidgets(const TControl* needed) {
  MakeWidgets(needed);
  if (!FWidgetsMade || !FWidget || !FParent) return;
  // Below the lowest of the later siblings of its kind made already, where it would be had it
  // been made in order.
  if (FWidget->parentWidget() == FParent->ContainerWidget())
    if (QWidget* later = LowestLaterSibling()) FWidget->stackUnder(later);
  if (PendingRestacks.empty()) return;
  // A raising or lowering asked of it meanwhile (its parent's making left it waiting).
  const std::uint64_t id = FId;
  auto it = std::find_if(PendingRestacks.begin(), PendingRestacks.end(),
                         [id](const TRestack& r) { return r.Id == id; });
  if (it == PendingRestacks.end()) return;
  const bool front = it->Front;
  PendingRestacks.erase(it);
  front ? BringToFront() : SendToBack();
}

void TControl::ReplaceWidget(QWidget* widget) {
  QWidget* old = FWidget;
  if (!old || !widget || widget == old) return;
  QWidget* focus = QApplication::focusWidget();
  bool hadFocus = focus && (focus == old || old->isAncestorOf(focus));
  UnregisterWidget(old);
  QObject::disconnect(old, nullptr, nullptr, nullptr);
  widget->setParent(old->parentWidget());
  widget->setFocusPolicy(old->focusPolicy());
  widget->stackUnder(old);
  FWidget = widget;
  RegisterWidget(widget, this);
  widget->setMouseTracking(true);
  widget->setEnabled(FEnabled);
  LookChanged();
  ApplyCursor();
  ApplyGeometry();
  ApplyVisible();
  if (hadFocus) old->clearFocus();
  delete old;
  if (hadFocus) widget->setFocus(Qt::OtherFocusReason);
}

bool TControl::CanFire() const {
  if (Destroying()) return false;
  const TControl* c = this;
  while (c->Parent())
    c = c->Parent();
  return !c->Destroying();
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupMenu) FPopupMenu = nullptr;
}

// ---- parent and place

void TControl::SetParent(TWinControl* parent) {
  if (parent == FParent) return;
  if (FWindowed && parent && static_cast<TWinControl*>(this)->ContainsControl(parent)) return;
  if (FParent) FParent->RemoveControl(this);
  FParent = parent;
  if (!parent) {
    ApplyVisible();
    return;
  }
  parent->InsertControl(this);
  if (FParentFont) {
    FFontFromParent = true;
    FFont.Assign(parent->Font());
    FFontFromParent = false;
  }
  if (FParentColor && FColor != parent->Color()) {
    FColor = parent->Color();
    LookChanged();
    NotifyChildren(CM_PARENTCOLORCHANGED);
  }
  ApplyGeometry();
  ApplyVisible();
  StackInParent();
  RecordAnchors();
  if (FAlign != alNone) parent->Realign();
}

void TControl::StackInParent() {
  if (!FWidget || !FParent || !FParent->FWidget) return;
  // Children that the parent places itself (tab pages) keep the parent's order.
  if (FWidget->parentWidget() != FParent->ContainerWidget()) return;
  if (FWindowed) {
    FWidget->raise();
    return;
  }
  // Controls without a window of their own stay below their windowed siblings.
  for (TControl* sibling : FParent->FControls) {
    if (sibling != this && sibling->FWindowed && sibling->FWidget &&
        sibling->FWidget->parentWidget() == FWidget->parentWidget()) {
      FWidget->stackUnder(sibling->FWidget);
      return;
    }
  }
  FWidget->raise();
}

QWidget* TControl::LowestLaterSibling() const {
  const QWidget* container = FWidget->parentWidget();
  const auto& siblings = FParent->FControls;
  auto it = std::find(siblings.begin(), siblings.end(), this);
  if (it == siblings.end()) return nullptr;
  QWidget* lowest = nullptr;
  qsizetype lowestAt = 0;
  for (++it; it != siblings.end(); ++it) {
    const TControl* c = *it;
    if (c->FWindowed != FWindowed || !c->FWidget || c->FWidget->parentWidget() != container) continue;
    const qsizetype at = container->children().indexOf(c->FWidget);
    if (!lowest || at < lowestAt) lowest = c->FWidget, lowestAt = at;
  }
  return lowest;
}

void TControl::SettleSizeNow() {
  FSizePending = false;
  SettlePendingSize();
}

void TControl::SetBounds(int left, int top, int width, int height) {
  // A size left to measure is measured first, so the change compares with (and the control
  // resizes from) the size it would have had.
  SettleSize();
  width = std::max(0, width);
  height = std::max(0, height);
  if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
  bool resized = width != FWidth || height != FHeight;
  FLeft = left;
  FTop = top;
  FWidth = width;
  FHeight = height;
  ApplyGeometry();
  if (FParent && !FParent->FAligning) {
    RecordAnchors();
    if (FAlign != alNone) FParent->Realign();
  }
  if (resized) Resize();
}

void TControl::SetTop(int v) {
  if (!FSizePending) return SetBounds(Left(), v, Width(), Height());
  // As SetBounds with the size unchanged, leaving the measuring for later: the size measured
  // depends on the font, text and wrapping alone, and a size that may wait has nobody listening
  // for resizes, no alignment and the default anchors.
  if (v == FTop) return;
  FTop = v;
  ApplyGeometry();
  if (FParent && !FParent->FAligning) RecordAnchors();
}

void TControl::RecordAnchors() {
  if (!FParent) return;
  FAnchorRight = FParent->ClientWidth() - (FLeft + FWidth);
  FAnchorBottom = FParent->ClientHeight() - (FTop + FHeight);
  FAnchorsValid = true;
}

void TControl::SetClientWidth(int w) {
  SetWidth(w + (Width() - ClientWidth()));
}
void TControl::SetClientHeight(int h) {
  SetHeight(h + (Height() - ClientHeight()));
}

void TControl::ApplyGeometry() {
  if (FWidget) FWidget->setGeometry(FLeft, FTop, FWidth, FHeight);
}

void TControl::ApplyVisible() {
  if (!FWidget) return;
  // A widget made before its parent's waits outside it, hidden, until the parent's is made.
  bool show = FVisible && FParent && FWidget->parentWidget();
  if (!show && FWidget->isVisible()) {
    if (QWidget* focus = QApplication::focusWidget();
        focus && (focus == FWidget || FWidget->isAncestorOf(focus)))
      focus->clearFocus();
  }
  if (show && !FWidget->isWindow() && !FWidget->testAttribute(Qt::WA_WState_Polished)) {
    // Showing a widget polishes it (and so applies its look) at once, even inside a hidden
    // parent. There it is only marked shown: Qt shows and polishes it with the parent, so the
    // windows that start hidden pay for their looks only when they are first shown.
    if (QWidget* parent = FWidget->parentWidget(); parent && !parent->isVisible()) {
      FWidget->setAttribute(Qt::WA_WState_ExplicitShowHide);
      FWidget->setAttribute(Qt::WA_WState_Hidden, false);
      return;
    }
  }
  FWidget->setVisible(show);
}

TPoint TControl::ClientOrigin() const {
  EnsureWindowWidgets();
  if (!FWidget) return {FLeft, FTop};
  QPoint p = FWidget->mapToGlobal(QPoint(0, 0));
  return {p.x(), p.y()};
}

TPoint TControl::ClientToScreen(TPoint p) const {
  TPoint o = ClientOrigin();
  return {p.X + o.X, p.Y + o.Y};
}

TPoint TControl::ScreenToClient(TPoint p) const {
  TPoint o = ClientOrigin();
  return {p.X - o.X, p.Y - o.Y};
}

void TControl::SetAlign(TAlign align) {
  if (align == FAlign) return;
  SettleSize();
  FAlign = align;
  if (FParent) FParent->Realign();
}

void TControl::SetAnchors(TAnchors anchors) {
  SettleSize();
  FAnchors = anchors;
  RecordAnchors();
}

void TControl::BringToFront() {
  // Before the window's widgets exist the order is kept for when they are made.
  if (!FWidgetsMade && FParent) return KeepRestack(this, true);
  EnsureWindowWidgets();
  if (FWidget && !(FWidget->isWindow() && Application->Headless())) FWidget->raise();
}

void TControl::SendToBack() {
  if (!FWidgetsMade && FParent) return KeepRestack(this, false);
  EnsureWindowWidgets();
  if (FWidget) FWidget->lower();
}

bool TControl::Showing() const {
  if (!FVisible || !FParent) return false;
  return FParent->Showing();
}

// ---- state

void TControl::SetVisible(bool visible) {
  if (visible == FVisible) return;
  FVisible = visible;
  // A control kept without its widget while hidden gets it now, in its window's shown widgets.
  if (visible && !FWidgetsMade && FParent && FParent->FWidgetsMade) MakeLateWidgets(nullptr);
  if (!visible && FParent)
    if (TForm* form = GetParentForm(this)) form->ControlRemoved(this);
  ApplyVisible();
  if (!visible) EndMouseOverWithin(this);
  Perform(CM_VISIBLECHANGED, visible ? 1 : 0);
  if (FParent && FAlign != alNone) FParent->Realign();
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == FEnabled) return;
  FEnabled = enabled;
  if (FWidget) {
    if (!enabled) {
      if (QWidget* focus = QApplication::focusWidget();
          focus && (focus == FWidget || FWidget->isAncestorOf(focus)))
        focus->clearFocus();
    }
    FWidget->setEnabled(enabled);
  }
  if (!enabled) EndMouseOverWithin(this);
  Perform(CM_ENABLEDCHANGED);
}

// ---- text and look

void TControl::SetText(const std::string& text) {
  if (text == GetText()) return;
  SetTextNative(text);
  Perform(CM_TEXTCHANGED);
}

void TControl::SetTextNative(const std::string& text) {
  FText = text;
}

void TControl::SetColor(TColor color) {
  if (color == FColor && !FParentColor) return;
  FColor = color;
  FParentColor = false;
  LookChanged();
  Perform(CM_COLORCHANGED);
  NotifyChildren(CM_PARENTCOLORCHANGED);
}

void TControl::SetParentColor(bool parentColor) {
  if (parentColor == FParentColor) return;
  FParentColor = parentColor;
  if (parentColor && FParent) {
    FColor = FParent->Color();
    LookChanged();
    Perform(CM_COLORCHANGED);
    NotifyChildren(CM_PARENTCOLORCHANGED);
  }
}

void TControl::SetParentFont(bool parentFont) {
  if (parentFont == FParentFont) return;
  FParentFont = parentFont;
  if (parentFont && FParent) {
    FFontFromParent = true;
    FFont.Assign(FParent->Font());
    FFontFromParent = false;
  }
}

void TControl::FontChanged() {
  if (!FFontFromParent) FParentFont = false;
  LookChanged();
  Perform(CM_FONTCHANGED);
  NotifyChildren(CM_PARENTFONTCHANGED);
}

void TControl::NotifyChildren(unsigned msg) {
  if (!FWindowed) return;
  auto* win = static_cast<TWinControl*>(this);
  for (TControl* c : std::vector<TControl*>(win->FControls))
    c->Perform(msg);
}

void TControl::LookChanged() {
  if (!FWidget && FWidgetDeferred) {
    // Applied when the widget is made.
    LookDeferred();
    return;
  }
  if (FWidget && !FWidget->testAttribute(Qt::WA_WState_Polished)) {
    FLookPending = true;
    LookDeferred();
    return;
  }
  FLookPending = false;
  ApplyLook();
}

void TControl::EnsureLook() const {
  if (!FLookPending) return;
  FLookPending = false;
  const_cast<TControl*>(this)->ApplyLook();
}

void TControl::ApplyLook() {
  FLookPending = false;
  if (!FWidget) return;
  // The palette and the font are pushed apart, each only when it changed: either makes Qt resolve
  // it again through every child widget, and most changes touch one of them (a font's size, a
  // colour).
  const bool fresh = FLookWidget != FWidget || !FLookFont;
  const TFont* last = FLookFont.get();
  const bool paletteChanged = fresh || FLookColor != FColor || last->Color() != FFont.Color();
  const bool fontChanged = fresh || last->Name() != FFont.Name() || last->Height() != FFont.Height() ||
                           last->Style() != FFont.Style() || last->Pitch() != FFont.Pitch() ||
                           last->Charset() != FFont.Charset();
  if (!paletteChanged && !fontChanged) return;
  FLookWidget = FWidget;
  FLookColor = FColor;
  if (!FLookFont) FLookFont = std::make_unique<TFont>();
  FLookFont->Assign(FFont);
  if (paletteChanged) PushPalette(true);
  if (fontChanged) PushFont(true);
}

namespace {

// A control's palette: the text in its font's colour (the system's grey when disabled, whatever
// the font's colour) and the window in its colour.
constexpr QPalette::ColorGroup LookGroups[] = {QPalette::Active, QPalette::Inactive, QPalette::Disabled};
constexpr QPalette::ColorRole LookTextRoles[] = {QPalette::WindowText, QPalette::Text, QPalette::ButtonText};

bool PaletteHolds(const QPalette& pal, const QColor& text, const QColor& grey, const QColor& window) {
  auto holds = [&](QPalette::ColorGroup group, QPalette::ColorRole role, const QColor& color) {
    const QBrush& b = pal.brush(group, role);
    return b.style() == Qt::SolidPattern && b.color() == color;
  };
  for (QPalette::ColorGroup group : LookGroups) {
    for (QPalette::ColorRole role : LookTextRoles)
      if (!holds(group, role, group == QPalette::Disabled ? grey : text)) return false;
    if (!holds(group, QPalette::Window, window)) return false;
  }
  return true;
}

// A widget inside a window, without a palette (font) of its own or one its class gets from the
// application, shows its parent's.
bool InheritsFromParent(const QWidget* w, Qt::WidgetAttribute own) {
  return !w->isWindow() && !w->testAttribute(own) && !w->testAttribute(Qt::WA_StyleSheet);
}

} // namespace

bool TControl::WidgetPaletteHoldsLook() const {
  return PaletteHolds(FWidget->palette(), ToQColor(FLookFont->Color()), ToQColor(clGrayText),
                      ToQColor(FLookColor));
}

bool TControl::WidgetFontHoldsLook() const {
  return FWidget->font() == ToQFont(*FLookFont, true);
}

void TControl::PushPalette(bool mayInherit) {
  FPaletteInherited = mayInherit && InheritsFromParent(FWidget, Qt::WA_SetPalette) &&
                      QApplication::palette(FWidget).isCopyOf(QGuiApplication::palette()) &&
                      WidgetPaletteHoldsLook();
  if (FPaletteInherited) return;
  QPalette pal = FWidget->palette();
  // One brush per colour, shared by the roles that show it.
  const QBrush textBrush(ToQColor(FLookFont->Color())), greyBrush(ToQColor(clGrayText));
  for (QPalette::ColorGroup group : LookGroups)
    for (QPalette::ColorRole role : LookTextRoles)
      pal.setBrush(group, role, group == QPalette::Disabled ? greyBrush : textBrush);
  pal.setBrush(QPalette::Window, QBrush(ToQColor(FLookColor)));
  FWidget->setPalette(pal);
}

void TControl::PushFont(bool mayInherit) {
  FFontInherited = mayInherit && InheritsFromParent(FWidget, Qt::WA_SetFont) &&
                   QApplication::font(FWidget).isCopyOf(QApplication::font()) && WidgetFontHoldsLook();
  if (!FFontInherited) FWidget->setFont(ToQFont(*FLookFont, true));
}

void TControl::InheritedLookChanged() {
  if (!FWidget || FLookWidget != FWidget || Destroying()) return;
  if (FPaletteInherited && !WidgetPaletteHoldsLook()) PushPalette(false);
  if (FFontInherited && !WidgetFontHoldsLook()) PushFont(false);
}

void TControl::SetWindowRegion(const std::vector<TPoint>& polygon) {
  EnsureWindowWidgets();
  if (!FWidget) return;
  QPolygon poly;
  for (const TPoint& p : polygon)
    poly << QPoint(p.X, p.Y);
  FWidget->setMask(QRegion(poly, Qt::WindingFill));
}

void TControl::SetWindowRegion(const TRect& outer, const TRect& hole) {
  EnsureWindowWidgets();
  if (!FWidget) return;
  const QRegion o(outer.Left, outer.Top, outer.Width(), outer.Height());
  FWidget->setMask(o.subtracted(QRegion(hole.Left, hole.Top, hole.Width(), hole.Height())));
}

void TControl::SetWindowRegionRects(const std::vector<TRect>& rects) {
  EnsureWindowWidgets();
  if (!FWidget) return;
  QRegion region;
  for (const TRect& r : rects)
    if (!r.IsEmpty()) region += QRegion(r.Left, r.Top, r.Width(), r.Height());
  FWidget->setMask(region);
}

void TControl::ClearWindowRegion() {
  if (FWidget) FWidget->clearMask();
}

bool TControl::HasWindowRegion() const {
  return FWidget && !FWidget->mask().isEmpty();
}

bool TControl::RegionContains(TPoint p) const {
  if (!HasWindowRegion()) return p.X >= 0 && p.Y >= 0 && p.X < ClientWidth() && p.Y < ClientHeight();
  return FWidget->mask().contains(QPoint(p.X, p.Y));
}

void TControl::SetCursor(TCursor cursor) {
  if (cursor == FCursor) return;
  FCursor = cursor;
  ApplyCursor();
  Perform(CM_CURSORCHANGED);
}

void TControl::ShowWindowCursor(TCursor cursor) {
  if (!FWidget) return;
  if (cursor == crDefault)
    FWidget->unsetCursor();
  else
    FWidget->setCursor(QtCursorOf(cursor));
}

void TControl::ApplyCursor() {
  if (!FWidget) return;
  if (FCursor == crDefault) {
    // A widget that never had a cursor of its own (a new one) has nothing to unset.
    if (FWidget->testAttribute(Qt::WA_SetCursor)) FWidget->unsetCursor();
  } else {
    FWidget->setCursor(QtCursorOf(FCursor));
  }
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
  if (menu == FPopupMenu) return;
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = menu;
  if (menu) menu->FreeNotification(this);
}

// ---- hints

void TControl::SetHint(const std::string& hint) {
  FHint = hint;
}

void TControl::SetShowHint(bool show) {
  FShowHint = show;
  FParentShowHint = false;
  Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool parent) {
  if (parent == FParentShowHint) return;
  FParentShowHint = parent;
  if (parent && FParent) FShowHint = FParent->EffectiveShowHint();
}

bool TControl::EffectiveShowHint() const {
  if (FParentShowHint && FParent) return FParent->EffectiveShowHint();
  return FShowHint;
}

bool TControl::GetHintAt(TPoint, std::string& hint) const {
  hint = GetShortHint(FHint);
  return !hint.empty();
}

// ---- painting

void TControl::Invalidate() {
  if (!FWidget) return;
  if (!FRedraw) {
    FPaintMissed = true;
    return;
  }
  FWidget->update();
}

void TControl::InvalidateRect(const TRect& r) {
  if (!FWidget || r.IsEmpty()) return;
  if (!FRedraw) {
    FPaintMissed = true;
    return;
  }
  FWidget->update(r.Left, r.Top, r.Width(), r.Height());
}

void TControl::SetRedraw(bool redraw) {
  if (redraw == FRedraw) return;
  FRedraw = redraw;
  if (redraw && FPaintMissed) {
    FPaintMissed = false;
    Invalidate();
  }
}

void TControl::Repaint() {
  if (!FRedraw) {
    FPaintMissed = true;
    return;
  }
  if (FWidget && FWidget->isVisible()) FWidget->repaint();
}

void TControl::Update() {
  if (FRedraw && FWidget && FWidget->isVisible()) FWidget->repaint();
}

// ---- mouse

bool TControl::MouseCapture() const {
  return CaptureControl() == this;
}

void TControl::SetMouseCapture(bool capture) {
  if (capture)
    SetCaptureControl(this);
  else if (CaptureControl() == this)
    SetCaptureControl(nullptr);
}

void TControl::Click() {
  if (OnClick && CanFire()) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick && CanFire()) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseDown && CanFire()) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseUp && CanFire()) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (OnMouseMove && CanFire()) OnMouseMove(this, Shift, X, Y);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  bool handled = false;
  if (OnMouseWheel && CanFire()) OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
  return handled;
}

void TControl::Resize() {
  if (OnResize && CanFire()) OnResize(this);
}

// ---- messages

LRESULT TControl::Perform(unsigned msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  WndProc(m);
  return m.Result;
}

void TControl::WndProc(TMessage& Message) {
  Dispatch(Message);
}

void TControl::Dispatch(TMessage& M) {
  switch (M.Msg) {
  case WM_MOUSEMOVE:
  case WM_LBUTTONDOWN:
  case WM_LBUTTONUP:
  case WM_LBUTTONDBLCLK:
  case WM_RBUTTONDOWN:
  case WM_RBUTTONUP:
  case WM_RBUTTONDBLCLK:
  case WM_MBUTTONDOWN:
  case WM_MBUTTONUP:
  case WM_MBUTTONDBLCLK:
    WMMouse(M);
    return;
  case CM_MOUSEENTER:
    if (std::none_of(MouseOver.begin(), MouseOver.end(), [this](const auto& e) { return e.second == FId; }))
      MouseOver.emplace_back(this, FId);
    CMMouseEnter(M);
    return;
  case CM_MOUSELEAVE:
    // Only a control the mouse entered can leave it, once.
    if (std::erase_if(MouseOver, [this](const auto& e) { return e.second == FId; }) == 0) return;
    CMMouseLeave(M);
    return;
  case CM_ENABLEDCHANGED:
    CMEnabledChanged(M);
    return;
  case CM_VISIBLECHANGED:
    CMVisibleChanged(M);
    return;
  case CM_FONTCHANGED:
    CMFontChanged(M);
    return;
  case CM_COLORCHANGED:
    CMColorChanged(M);
    return;
  case CM_TEXTCHANGED:
    CMTextChanged(M);
    return;
  case CM_PARENTFONTCHANGED:
    CMParentFontChanged(M);
    return;
  case CM_PARENTCOLORCHANGED:
    CMParentColorChanged(M);
    return;
  case CM_PARENTSHOWHINTCHANGED:
    CMParentShowHintChanged(M);
    return;
  case CM_HINTSHOW:
    CMHintShow(M);
    return;
  case WM_MOUSEWHEEL:
    WMMouseWheel(M);
    return;
  case WM_CONTEXTMENU:
    WMContextMenu(M);
    return;
  default:
    break;
  }
  if (FWindowed && static_cast<TWinControl*>(this)->DispatchWin(M)) return;
  DefaultHandler(M);
}

void TControl::DefaultHandler(TMessage& M) {
  if (!IsNativeKeyMessage(M.Msg) || !Widget() || !FWindowed) return;
  auto* win = static_cast<TWinControl*>(this);
  QWidget* target = win->KeyWidget();
  if (!target) return;
  auto vk = static_cast<std::uint16_t>(M.WParam);
  auto shift = ShiftOfKeyData(M.LParam);
  if (M.Msg == WM_CHAR) {
    auto ch = static_cast<WideChar>(M.WParam);
    // Control characters did their work on key down.
    if (ch < 32 || ch == 127) return;
    SendNativeKey(target, true, 0, 0, QString(QChar(ch)));
    return;
  }
  SendNativeKey(target, M.Msg == WM_KEYDOWN, vk, shift, QString());
}

void TControl::WMMouse(TMessage& M) {
  auto shift = static_cast<TShiftState>(M.WParam);
  int x = LParamX(M.LParam), y = LParamY(M.LParam);
  auto buttonOf = [](unsigned msg) {
    switch (msg) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
      return mbRight;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
      return mbMiddle;
    default:
      return mbLeft;
    }
  };
  switch (M.Msg) {
  case WM_MOUSEMOVE:
    MouseMove(shift, x, y);
    return;
  case WM_LBUTTONDBLCLK:
  case WM_RBUTTONDBLCLK:
  case WM_MBUTTONDBLCLK:
    if (FControlStyle & csDoubleClicks) {
      if (M.Msg == WM_LBUTTONDBLCLK && (FControlStyle & csCaptureMouse)) SetCaptureControl(this, false);
      if (M.Msg == WM_LBUTTONDBLCLK && (FControlStyle & csClickEvents)) DblClick();
      MouseDown(buttonOf(M.Msg), shift | ssDouble, x, y);
      return;
    }
    [[fallthrough]];
  case WM_LBUTTONDOWN:
  case WM_RBUTTONDOWN:
  case WM_MBUTTONDOWN: {
    TMouseButton button = buttonOf(M.Msg);
    if (button == mbLeft) {
      // Qt keeps the mouse for the pressed widget itself; only the record is needed here.
      if (FControlStyle & csCaptureMouse) SetCaptureControl(this, false);
      if (FControlStyle & csClickEvents) FClicked = true;
    }
    MouseDown(button, shift, x, y);
    return;
  }
  case WM_LBUTTONUP:
  case WM_RBUTTONUP:
  case WM_MBUTTONUP: {
    TMouseButton button = buttonOf(M.Msg);
    if (button == mbLeft) {
      if (FControlStyle & csCaptureMouse) SetMouseCapture(false);
      if (FClicked) {
        FClicked = false;
        if (ClientRect().Contains({x, y})) Click();
      }
    }
    MouseUp(button, shift, x, y);
    return;
  }
  default:
    return;
  }
}

void TControl::CMMouseEnter(TMessage&) {
  if (OnMouseEnter && CanFire()) OnMouseEnter(this);
}

void TControl::CMMouseLeave(TMessage&) {
  if (OnMouseLeave && CanFire()) OnMouseLeave(this);
}

void TControl::CMEnabledChanged(TMessage&) {
  Invalidate();
}
void TControl::CMVisibleChanged(TMessage&) {}
void TControl::CMFontChanged(TMessage&) {}
void TControl::CMColorChanged(TMessage&) {
  Invalidate();
}
void TControl::CMTextChanged(TMessage&) {
  Invalidate();
}

void TControl::CMParentFontChanged(TMessage&) {
  if (!FParentFont || !FParent) return;
  FFontFromParent = true;
  FFont.Assign(FParent->Font());
  FFontFromParent = false;
}

void TControl::CMParentColorChanged(TMessage&) {
  if (!FParentColor || !FParent || FColor == FParent->Color()) return;
  FColor = FParent->Color();
  LookChanged();
  Perform(CM_COLORCHANGED);
  NotifyChildren(CM_PARENTCOLORCHANGED);
}

void TControl::CMParentShowHintChanged(TMessage&) {
  if (FParentShowHint && FParent) FShowHint = FParent->EffectiveShowHint();
}

void TControl::CMHintShow(TMessage& M) {
  auto* info = reinterpret_cast<THintInfo*>(M.LParam);
  if (!info) return;
  if (info->HintStr.empty() && !GetHintAt(info->CursorPos, info->HintStr)) info->HintStr.clear();
  M.Result = info->HintStr.empty() ? 1 : 0;
}

void TControl::WMContextMenu(TMessage& M) {
  TPopupMenu* menu = PopupMenu();
  if (!menu || !menu->AutoPopup()) return;
  TPoint at{LParamX(M.LParam), LParamY(M.LParam)};
  if (at.X == -1 && at.Y == -1) at = ClientToScreen({0, 0});
  menu->SetPopupComponent(this);
  menu->Popup(at.X, at.Y);
  M.Result = 1;
}

void TControl::WMMouseWheel(TMessage& M) {
  auto shift = static_cast<TShiftState>(M.WParam & 0xFFFF);
  int delta = static_cast<std::int16_t>((M.WParam >> 16) & 0xFFFF);
  TPoint pos{LParamX(M.LParam), LParamY(M.LParam)};
  // The form sees the wheel first, as the window that has the focus.
  TForm* form = GetParentForm(this);
  bool handled = (form && form != this && TControlAccess::DoMouseWheel(form, shift, delta, pos)) ||
                 DoMouseWheel(shift, delta, pos);
  M.Result = handled ? 1 : 0;
}

// ---------------------------------------------------------------------------------------------
// TWinControl

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {
  FWindowed = true;
}

TWinControl::~TWinControl() {
  MarkDestroying();
  DestroyControls();
  // What is left of the control is no longer windowed (as a dynamic_cast would tell).
  FWindowed = false;
}

void TWinControl::DestroyControls() {
  while (!FControls.empty()) {
    TControl* c = FControls.back();
    c->Free();
  }
}

TControl* TWinControl::Controls(int index) const {
  if (index < 0 || index >= ControlCount()) return nullptr;
  return FControls[static_cast<std::size_t>(index)];
}

bool TWinControl::ContainsControl(const TControl* control) const {
  for (const TControl* c = control; c; c = c->Parent())
    if (c == this) return true;
  return false;
}

void TWinControl::InsertControl(TControl* control) {
  // Room for a few children at once rather than growing one by one.
  constexpr std::size_t firstRoom = 8;
  if (FControls.empty()) FControls.reserve(firstRoom);
  FControls.push_back(control);
  if (control->FWindowed) {
    if (FTabList.empty()) FTabList.reserve(firstRoom);
    FTabList.push_back(static_cast<TWinControl*>(control));
  }
  // Into a window whose widgets exist the control's come at once, otherwise with the window's; a
  // control whose widgets exist brings its new window's.
  if (control->FWidgetsMade && !FWidgetsMade) EnsureWindowWidgets();
  if (QWidget* container = FWidget ? ContainerWidget() : nullptr; container && control->FWidget)
    control->FWidget->setParent(container);
  if (FWidgetsMade) control->MakeWidgets(nullptr);
  ChildAdded(control);
}

void TWinControl::ChildAdded(TControl*) {}

void TWinControl::RemoveControl(TControl* control) {
  // Children mostly go last added first (DestroyControls): look from the end.
  if (std::find(FControls.rbegin(), FControls.rend(), control) == FControls.rend()) return;
  if (TForm* form = GetParentForm(this)) form->ControlRemoved(control);
  ChildRemoved(control);
  FControls.erase(std::prev(std::find(FControls.rbegin(), FControls.rend(), control).base()));
  // Not by FWindowed: a windowed control being destroyed no longer says so.
  if (auto it = std::find(FTabList.rbegin(), FTabList.rend(), control); it != FTabList.rend())
    FTabList.erase(std::prev(it.base()));
  if (!Destroying() && control->Align() != alNone) Realign();
}

QWidget* TWinControl::ContainerWidget() const {
  return Widget();
}

QWidget* TWinControl::KeyWidget() const {
  QWidget* w = Widget();
  while (w && w->focusProxy())
    w = w->focusProxy();
  return w;
}

// ---- tab order and focus

void TWinControl::SetTabStop(bool tabStop) {
  if (tabStop == FTabStop) return;
  FTabStop = tabStop;
  Perform(CM_TABSTOPCHANGED);
}

int TWinControl::TabOrder() const {
  if (!Parent()) return -1;
  const auto& list = Parent()->FTabList;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int order) {
  if (!Parent()) return;
  auto& list = Parent()->FTabList;
  auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end()) return;
  list.erase(it);
  order = std::clamp(order, 0, static_cast<int>(list.size()));
  list.insert(list.begin() + order, this);
}

bool TWinControl::CanFocus() const {
  const TControl* form = GetParentForm(this);
  if (!form) return false;
  for (const TControl* c = this; c && c != form; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

bool TWinControl::Focused() const {
  TForm* form = GetParentForm(this);
  return form && form->FFocusedControl == this;
}

void TWinControl::SetFocus() {
  TForm* form = GetParentForm(this);
  if (!form || form == this || !CanFocus()) return;
  form->SetActiveControl(this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
  for (TWinControl* c : FTabList) {
    list.push_back(c);
    c->GetTabOrderList(list);
  }
}

void TWinControl::SelectNext(TWinControl* current, bool forward, bool checkTabStop) {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return;
  int n = static_cast<int>(list.size());
  auto it = std::find(list.begin(), list.end(), current);
  int start = it == list.end() ? (forward ? n - 1 : 0) : static_cast<int>(it - list.begin());
  for (int step = 1; step <= n; ++step) {
    int i = ((start + (forward ? step : -step)) % n + n) % n;
    TWinControl* c = list[static_cast<std::size_t>(i)];
    if (c == current) break;
    bool eligible = checkTabStop ? c->TabStop() : !(c->ControlStyle() & csAcceptsControls) || c->TabStop();
    if (eligible && c->CanFocus()) {
      c->SetFocus();
      return;
    }
  }
}

// ---- layout

void TWinControl::EnableAlign() {
  if (FAlignLevel > 0 && --FAlignLevel == 0) Realign();
}

void TWinControl::Realign() {
  if (FAlignLevel > 0 || FAligning || Destroying()) return;
  // Most windowed controls hold no aligned child: the area they share (a page control measures
  // its tabs for it) is not worked out then.
  if (std::none_of(FControls.begin(), FControls.end(), [](const TControl* c) {
        return c->FAlign >= alTop && c->FAlign <= alClient && c->FVisible;
      }))
    return;
  FAligning = true;
  AlignControls(AlignRect());
  FAligning = false;
}

void TWinControl::AlignControls(TRect rect) {
  // The children of one alignment, picked when their turn comes (placing the earlier ones may
  // move them). Most windows align a handful of children: no allocation for those.
  constexpr std::size_t localRoom = 16;
  TControl* local[localRoom];
  std::vector<TControl*> heap;
  auto pick = [&](TAlign align) -> std::span<TControl*> {
    std::size_t n = 0;
    for (TControl* c : FControls)
      if (c->Align() == align && c->Visible()) ++n;
    TControl** out = local;
    if (n > localRoom) {
      heap.resize(n);
      out = heap.data();
    }
    std::size_t i = 0;
    for (TControl* c : FControls)
      if (c->Align() == align && c->Visible()) out[i++] = c;
    return {out, n};
  };
  // Stable; a few by insertion, without the buffer std::stable_sort asks for even for one.
  auto sortBy = [](std::span<TControl*> list, auto before) {
    if (list.size() > localRoom) return std::stable_sort(list.begin(), list.end(), before);
    for (std::size_t i = 1; i < list.size(); ++i)
      for (std::size_t j = i; j > 0 && before(list[j], list[j - 1]); --j)
        std::swap(list[j], list[j - 1]);
  };
  auto tops = pick(alTop);
  sortBy(tops, [](TControl* a, TControl* b) { return a->Top() < b->Top(); });
  for (TControl* c : tops) {
    c->SetBounds(rect.Left, rect.Top, rect.Width(), c->Height());
    rect.Top += c->Height();
  }
  auto bottoms = pick(alBottom);
  sortBy(bottoms, [](TControl* a, TControl* b) { return a->Top() + a->Height() > b->Top() + b->Height(); });
  for (TControl* c : bottoms) {
    c->SetBounds(rect.Left, rect.Bottom - c->Height(), rect.Width(), c->Height());
    rect.Bottom -= c->Height();
  }
  auto lefts = pick(alLeft);
  sortBy(lefts, [](TControl* a, TControl* b) { return a->Left() < b->Left(); });
  for (TControl* c : lefts) {
    c->SetBounds(rect.Left, rect.Top, c->Width(), std::max(0, rect.Height()));
    rect.Left += c->Width();
  }
  auto rights = pick(alRight);
  sortBy(rights, [](TControl* a, TControl* b) { return a->Left() + a->Width() > b->Left() + b->Width(); });
  for (TControl* c : rights) {
    c->SetBounds(rect.Right - c->Width(), rect.Top, c->Width(), std::max(0, rect.Height()));
    rect.Right -= c->Width();
  }
  for (TControl* c : pick(alClient))
    c->SetBounds(rect.Left, rect.Top, std::max(0, rect.Width()), std::max(0, rect.Height()));
}

void TWinControl::ChildResized(int oldClientWidth, int oldClientHeight) {
  int w = ClientWidth(), h = ClientHeight();
  int dw = w - oldClientWidth, dh = h - oldClientHeight;
  for (TControl* c : FControls) {
    // A control held by its left and top edges stays as it is (and a size it has still to
    // measure can wait).
    if (c->Align() != alNone || !c->FAnchorsValid || c->Anchors() == (akLeft | akTop)) continue;
    TAnchors a = c->Anchors();
    int left = c->Left(), top = c->Top(), width = c->Width(), height = c->Height();
    if (a & akRight) {
      if (a & akLeft)
        width = w - c->FAnchorRight - left;
      else
        left = w - c->FAnchorRight - width;
    } else if (!(a & akLeft)) {
      left += dw / 2;
    }
    if (a & akBottom) {
      if (a & akTop)
        height = h - c->FAnchorBottom - top;
      else
        top = h - c->FAnchorBottom - height;
    } else if (!(a & akTop)) {
      top += dh / 2;
    }
    c->SetBounds(left, top, width, height);
  }
}

void TWinControl::Resize() {
  int oldW = FLastClientWidth, oldH = FLastClientHeight;
  FLastClientWidth = ClientWidth();
  FLastClientHeight = ClientHeight();
  if (oldW != FLastClientWidth || oldH != FLastClientHeight) {
    FAligning = true;
    ChildResized(oldW, oldH);
    FAligning = false;
    Realign();
  }
  TControl::Resize();
}

void TWinControl::Broadcast(TMessage& Message) {
  for (TControl* c : std::vector<TControl*>(FControls)) {
    c->WndProc(Message);
    if (Message.Result != 0) return;
  }
}

// ---- keys

bool TWinControl::DispatchWin(TMessage& M) {
  switch (M.Msg) {
  case CN_KEYDOWN:
    CNKeyDown(M);
    return true;
  case CN_KEYUP:
    CNKeyUp(M);
    return true;
  case CN_CHAR:
    CNChar(M);
    return true;
  case CM_DIALOGKEY:
    CMDialogKey(M);
    return true;
  case CM_DIALOGCHAR:
    CMDialogChar(M);
    return true;
  case CM_FOCUSCHANGED:
    CMFocusChanged(M);
    return true;
  case CM_ENTER:
    CMEnter(M);
    return true;
  case CM_EXIT:
    CMExit(M);
    return true;
  case WM_KEYDOWN:
  case WM_SYSKEYDOWN:
    WMKeyDown(M);
    return true;
  case WM_KEYUP:
  case WM_SYSKEYUP:
    WMKeyUp(M);
    return true;
  case WM_CHAR:
    WMChar(M);
    return true;
  case WM_VSCROLL:
    WMVScroll(M);
    return true;
  case WM_SETFOCUS:
    WMSetFocus(M);
    return true;
  case WM_KILLFOCUS:
    WMKillFocus(M);
    return true;
  case WM_HSCROLL:
    WMHScroll(M);
    return true;
  case CM_FONTCHANGED:
  case CM_COLORCHANGED:
    return false;
  default:
    return false;
  }
}

void TWinControl::CNKeyDown(TMessage& M) {
  M.Result = 1;
  auto key = static_cast<std::uint16_t>(M.WParam);
  unsigned mask = 0;
  switch (key) {
  case VK_TAB:
    mask = DLGC_WANTTAB;
    break;
  case VK_LEFT:
  case VK_RIGHT:
  case VK_UP:
  case VK_DOWN:
    mask = DLGC_WANTARROWS;
    break;
  case VK_RETURN:
  case VK_EXECUTE:
  case VK_ESCAPE:
  case VK_CANCEL:
    mask = DLGC_WANTALLKEYS;
    break;
  default:
    break;
  }
  if (mask && Perform(CM_WANTSPECIALKEY, key, M.LParam) == 0 &&
      ((DialogCode() | FExtraDialogCode) & mask) == 0) {
    if (TForm* form = GetParentForm(this); form && form->Perform(CM_DIALOGKEY, key, M.LParam) != 0) return;
  }
  M.Result = 0;
}

void TWinControl::CNKeyUp(TMessage& M) {
  M.Result = 0;
}

void TWinControl::CNChar(TMessage& M) {
  M.Result = 1;
  if (((DialogCode() | FExtraDialogCode) & DLGC_WANTCHARS) == 0) {
    if (TForm* form = GetParentForm(this); form && form->Perform(CM_DIALOGCHAR, M.WParam, M.LParam) != 0)
      return;
  }
  M.Result = 0;
}

void TWinControl::CMDialogKey(TMessage& M) {
  Broadcast(M);
}
void TWinControl::CMDialogChar(TMessage& M) {
  Broadcast(M);
}

void TWinControl::CMFocusChanged(TMessage& M) {
  for (TControl* c : std::vector<TControl*>(FControls))
    if (c->FWindowed) static_cast<TWinControl*>(c)->WndProc(M);
}

void TWinControl::CMEnter(TMessage&) {
  DoEnter();
}
void TWinControl::CMExit(TMessage&) {
  DoExit();
}

void TWinControl::DoEnter() {
  if (OnEnter && CanFire()) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit && CanFire()) OnExit(this);
}

void TWinControl::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  if (OnKeyDown && CanFire()) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(std::uint16_t& Key, TShiftState Shift) {
  if (OnKeyUp && CanFire()) OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(WideChar& Key) {
  if (OnKeyPress && CanFire()) OnKeyPress(this, Key);
}

void TWinControl::WMKeyDown(TMessage& M) {
  auto key = static_cast<std::uint16_t>(M.WParam);
  auto shift = ShiftOfKeyData(M.LParam);
  TForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview()) {
    form->KeyDown(key, shift);
    if (key == 0) return;
  }
  KeyDown(key, shift);
  if (key == 0) return;
  M.WParam = key;
  DefaultHandler(M);
}

void TWinControl::WMKeyUp(TMessage& M) {
  auto key = static_cast<std::uint16_t>(M.WParam);
  auto shift = ShiftOfKeyData(M.LParam);
  TForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview()) {
    form->KeyUp(key, shift);
    if (key == 0) return;
  }
  KeyUp(key, shift);
  if (key == 0) return;
  M.WParam = key;
  DefaultHandler(M);
}

void TWinControl::WMChar(TMessage& M) {
  auto ch = static_cast<WideChar>(M.WParam);
  TForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview()) {
    form->KeyPress(ch);
    if (ch == 0) return;
  }
  KeyPress(ch);
  if (ch == 0) return;
  M.WParam = ch;
  DefaultHandler(M);
}

// ---------------------------------------------------------------------------------------------
// Drawn controls

namespace {
std::string DescribeControl(const TControl& c) {
  return "the canvas of " + c.ClassName() + (c.Name().empty() ? std::string() : " \"" + c.Name() + "\"");
}

// A control's canvas writes in the control's font (kept so by CMFontChanged) and names the
// control when drawn on outside a paint.
std::unique_ptr<TCanvas> MakeControlCanvas(const TControl& control) {
  auto canvas = std::make_unique<TCanvas>();
  canvas->Font().Assign(control.Font());
  MarkControlCanvas(*canvas, [&control] { return DescribeControl(control); });
  return canvas;
}
} // namespace

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner) {}

TCanvas& TGraphicControl::MakeCanvas() {
  FCanvas = MakeControlCanvas(*this);
  return *FCanvas;
}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::AttachPaintSurface() {
  FPaintSurface = true;
  DeferWidget();
}

QWidget* TGraphicControl::CreateWidget() {
  if (!FPaintSurface) return nullptr;
  auto* w = new QtPaintWidget(this);
  w->setFocusPolicy(Qt::NoFocus);
  return w;
}

void TGraphicControl::PaintWidget(QPainter& painter) {
  if (!CanFire()) return;
  TCanvas& canvas = Canvas();
  TCanvasBinding bind(canvas, painter);
  Paint();
  canvas.ResetClip();
  canvas.SetWindowOrg({0, 0});
  PaintOverlay();
}

void TGraphicControl::CMFontChanged(TMessage& M) {
  if (FCanvas) FCanvas->Font().Assign(Font());
  TControl::CMFontChanged(M);
}

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner) {
  DeferWidget();
}

TCanvas& TCustomControl::MakeCanvas() {
  FCanvas = MakeControlCanvas(*this);
  return *FCanvas;
}

TCustomControl::~TCustomControl() = default;

QWidget* TCustomControl::CreateWidget() {
  auto* w = new QtPaintWidget(this);
  w->setFocusPolicy(Qt::TabFocus);
  return w;
}

void TCustomControl::PaintWidget(QPainter& painter) {
  if (!CanFire()) return;
  FPainting = true;
  {
    TCanvas& canvas = Canvas();
    TCanvasBinding bind(canvas, painter);
    Paint();
    canvas.ResetClip();
    canvas.SetWindowOrg({0, 0});
    PaintOverlay();
  }
  FPainting = false;
}

void TCustomControl::CMFontChanged(TMessage& M) {
  if (FCanvas) FCanvas->Font().Assign(Font());
  TWinControl::CMFontChanged(M);
}
