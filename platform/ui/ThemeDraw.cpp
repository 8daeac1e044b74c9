// Themed parts through QStyle, painted with the canvas's own painter so that its origin and clip
// apply; and turned text.
#include "platform/ui/ThemeDraw.h"

#include "platform/ui/Fonts.h"
#include "platform/ui/GraphicsImpl.h"

#include <QApplication>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>

#include <array>
#include <cctype>
#include <cstdlib>

enum class TThemeClass { Button, ComboBox, Spin, Tab, Progress };

struct TThemeData {
  TThemeClass Class;
};

namespace {

bool ClassOf(std::string name, TThemeClass& out) {
  std::string lower;
  for (char c : name)
    if (c != ' ') lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  static const std::array<std::pair<const char*, TThemeClass>, 5> known{
      {{"button", TThemeClass::Button},
       {"combobox", TThemeClass::ComboBox},
       {"spin", TThemeClass::Spin},
       {"tab", TThemeClass::Tab},
       {"progress", TThemeClass::Progress}}};
  for (const auto& [n, c] : known)
    if (lower == n) {
      out = c;
      return true;
    }
  return false;
}

QStyle* Style() {
  return qobject_cast<QApplication*>(QCoreApplication::instance()) ? QApplication::style() : nullptr;
}

// Common option fields: palette of the state's colour group and the rectangle.
void Prepare(QStyleOption& opt, const TRect& r, bool enabled, bool hot, bool pressed) {
  opt.rect = ToQRect(r);
  opt.palette = QApplication::palette();
  opt.direction = Qt::LeftToRight;
  opt.state = QStyle::State_None;
  if (enabled) {
    opt.state |= QStyle::State_Enabled;
  } else {
    opt.palette.setCurrentColorGroup(QPalette::Disabled);
  }
  if (hot && enabled) opt.state |= QStyle::State_MouseOver;
  if (pressed && enabled)
    opt.state |= QStyle::State_Sunken;
  else
    opt.state |= QStyle::State_Raised;
}

// States 1 normal, 2 hot, 3 pressed, 4 disabled (the push, drop-down and spin numbering).
void PrepareButtonState(QStyleOption& opt, const TRect& r, int state) {
  Prepare(opt, r, state != 4, state == 2, state == 3);
}

void Bevel(QStyle& style, QPainter& p, const TRect& r, int state, bool defaulted = false) {
  QStyleOptionButton opt;
  PrepareButtonState(opt, r, state);
  if (defaulted) opt.features |= QStyleOptionButton::DefaultButton;
  style.drawControl(QStyle::CE_PushButtonBevel, &opt, &p);
}

void Arrow(QStyle& style, QPainter& p, const TRect& r, int state, QStyle::PrimitiveElement arrow) {
  QStyleOption opt;
  PrepareButtonState(opt, r, state);
  const int side = std::max(5, std::min(r.Width(), r.Height()) / 2);
  opt.rect = QRect(r.Left + (r.Width() - side) / 2, r.Top + (r.Height() - side) / 2, side, side);
  if (state == 3) opt.rect.translate(1, 1);
  style.drawPrimitive(arrow, &opt, &p);
}

bool DrawButtonClass(QStyle& style, QPainter& p, int part, int state, const TRect& r) {
  switch (part) {
  case BP_PUSHBUTTON:
    if (state < PBS_NORMAL || state > PBS_DEFAULTED) return false;
    Bevel(style, p, r, state == PBS_DEFAULTED ? PBS_NORMAL : state, state == PBS_DEFAULTED);
    return true;
  case BP_CHECKBOX:
  case BP_RADIOBUTTON: {
    const int last = part == BP_CHECKBOX ? CBS_MIXEDDISABLED : RBS_CHECKEDDISABLED;
    if (state < 1 || state > last) return false;
    const int group = (state - 1) / 4; // 0 unchecked, 1 checked, 2 mixed
    const int inGroup = (state - 1) % 4 + 1;
    QStyleOptionButton opt;
    PrepareButtonState(opt, r, inGroup);
    opt.state &= ~QStyle::State_Raised;
    opt.state |= group == 0 ? QStyle::State_Off : group == 1 ? QStyle::State_On : QStyle::State_NoChange;
    style.drawPrimitive(part == BP_CHECKBOX ? QStyle::PE_IndicatorCheckBox : QStyle::PE_IndicatorRadioButton,
                        &opt, &p);
    return true;
  }
  default:
    return false;
  }
}

bool DrawTabClass(QStyle& style, QPainter& p, int part, int state, const TRect& r) {
  if (part == TABP_PANE) {
    QStyleOptionTabWidgetFrame opt;
    Prepare(opt, r, true, false, false);
    style.drawPrimitive(QStyle::PE_FrameTabWidget, &opt, &p);
    return true;
  }
  if (part != TABP_TABITEM || state < TIS_NORMAL || state > TIS_FOCUSED) return false;
  QStyleOptionTab opt;
  Prepare(opt, r, state != TIS_DISABLED, state == TIS_HOT, false);
  opt.shape = QTabBar::RoundedNorth;
  opt.position = QStyleOptionTab::Middle;
  if (state == TIS_SELECTED || state == TIS_FOCUSED) opt.state |= QStyle::State_Selected;
  if (state == TIS_FOCUSED) opt.state |= QStyle::State_HasFocus;
  style.drawControl(QStyle::CE_TabBarTabShape, &opt, &p);
  return true;
}

bool DrawProgressClass(QStyle& style, QPainter& p, int part, const TRect& r) {
  QStyleOptionProgressBar opt;
  Prepare(opt, r, true, false, false);
  opt.state |= QStyle::State_Horizontal;
  opt.minimum = 0;
  opt.maximum = 1;
  switch (part) {
  case PP_BAR:
  case PP_BARVERT:
    opt.progress = 0;
    style.drawControl(QStyle::CE_ProgressBarGroove, &opt, &p);
    return true;
  case PP_CHUNK:
  case PP_CHUNKVERT:
    opt.progress = 1;
    style.drawControl(QStyle::CE_ProgressBarContents, &opt, &p);
    return true;
  default:
    return false;
  }
}

} // namespace

HTHEME OpenThemeData(const TControl*, const std::string& classList) {
  if (!Style()) return nullptr;
  std::size_t start = 0;
  while (start <= classList.size()) {
    std::size_t end = classList.find(';', start);
    if (end == std::string::npos) end = classList.size();
    TThemeClass c;
    if (ClassOf(classList.substr(start, end - start), c)) return new TThemeData{c};
    start = end + 1;
  }
  return nullptr;
}

void CloseThemeData(HTHEME theme) {
  delete theme;
}

bool DrawThemeBackground(HTHEME theme, TCanvas& canvas, int partId, int stateId, const TRect& r,
                         const TRect* clip) {
  QStyle* style = Style();
  if (!theme || !style) return false;
  QPainter* p = canvas.impl().Painter();
  if (!p || r.IsEmpty()) return true;
  p->save();
  p->setCompositionMode(QPainter::CompositionMode_SourceOver);
  if (clip) p->setClipRect(ToQRect(*clip), Qt::IntersectClip);
  bool ok = false;
  switch (theme->Class) {
  case TThemeClass::Button:
    ok = DrawButtonClass(*style, *p, partId, stateId, r);
    break;
  case TThemeClass::ComboBox:
    if (partId == CP_DROPDOWNBUTTON && stateId >= CBXS_NORMAL && stateId <= CBXS_DISABLED) {
      Bevel(*style, *p, r, stateId);
      Arrow(*style, *p, r, stateId, QStyle::PE_IndicatorArrowDown);
      ok = true;
    }
    break;
  case TThemeClass::Spin:
    if ((partId == SPNP_UP || partId == SPNP_DOWN) && stateId >= UPS_NORMAL && stateId <= UPS_DISABLED) {
      Bevel(*style, *p, r, stateId);
      Arrow(*style, *p, r, stateId,
            partId == SPNP_UP ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown);
      ok = true;
    }
    break;
  case TThemeClass::Tab:
    ok = DrawTabClass(*style, *p, partId, stateId, r);
    break;
  case TThemeClass::Progress:
    ok = DrawProgressClass(*style, *p, partId, r);
    break;
  }
  p->restore();
  return ok;
}

void TextOutRotated(TCanvas& canvas, int x, int y, int escapement, const std::string& text) {
  const int angle = ((escapement % 3600) + 3600) % 3600;
  if (angle == 0) {
    canvas.TextOut(x, y, text);
    return;
  }
  QPainter* p = canvas.impl().Painter();
  if (!p || text.empty()) return;
  const int width = canvas.TextWidth(text);
  const int height = canvas.TextHeight(text);
  p->save();
  p->translate(x, y);
  p->rotate(-angle / 10.0); // Qt turns clockwise, escapements count counter-clockwise
  PrepareTextPainter(canvas, *p);
  if (canvas.BkMode() == OPAQUE) p->fillRect(QRect(0, 0, width, height), ToQColor(canvas.BkColor()));
  if (FontsAvailable()) p->drawText(QPoint(0, canvas.impl().Metrics().ascent()), TextFor(canvas, text));
  p->restore();
}
