#include "platform/ui/LabelWidget.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace {

// Texts QLabel draws as they are: tabs, carriage returns and length variants it changes first,
// right-to-left text it aligns the other way, and underlines it draws after the whole line.
bool PlainLines(const QString& text, const QFont& font) {
  if (text.isEmpty() || text.isRightToLeft() || font.underline() || font.strikeOut() || font.overline())
    return false;
  return std::none_of(text.begin(), text.end(), [](QChar c) {
    return c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QChar(0x9c);
  });
}

// The top of the next line, as QPainter::drawText stacks them: whole pixels, the font's leading
// between lines.
qreal NextTop(qreal bottom, qreal leading, bool first) {
  return first ? std::ceil(bottom) : std::ceil(bottom + leading);
}

} // namespace

std::shared_ptr<const TLaidLabelText> LayOutLabelText(const QString& text, const QFont& font,
                                                      std::vector<int>& widths) {
  widths.clear();
  if (!PlainLines(text, font)) return nullptr;
  auto laid = std::make_shared<TLaidLabelText>();
  laid->Text = text;
  laid->Font = font;
  laid->Leading = QFontMetricsF(font).leading();
  QString lines = text;
  lines.replace(QLatin1Char('\n'), QChar::LineSeparator);
  QTextLayout& layout = laid->Layout;
  layout.setText(lines);
  layout.setFont(font);
  QTextOption option;
  option.setTextDirection(Qt::LeftToRight);
  option.setAlignment(Qt::AlignLeft);
  layout.setTextOption(option);
  layout.setCacheEnabled(true); // keeps the shaped glyphs for drawing
  layout.beginLayout();
  qreal bottom = 0;
  for (bool first = true;; first = false) {
    QTextLine line = layout.createLine();
    if (!line.isValid()) break;
    line.setLineWidth(0x01000000); // never wrapped
    const qreal top = NextTop(bottom, laid->Leading, first);
    line.setPosition(QPointF(0., top));
    bottom = top + line.ascent() + line.descent();
  }
  layout.endLayout();

  const QStringList parts = text.split(QLatin1Char('\n'));
  if (layout.lineCount() != parts.size()) return nullptr;
  for (int i = 0; i < layout.lineCount(); ++i) {
    // A line's advance leaves out its trailing blanks when another line follows.
    const bool blanksLeftOut = i + 1 < layout.lineCount() && parts[i].endsWith(QLatin1Char(' '));
    widths.push_back(blanksLeftOut ? QFontMetrics(font).horizontalAdvance(parts[i])
                                   : qRound(layout.lineAt(i).horizontalAdvance()));
  }
  return laid;
}

bool QtLabelWidget::Drawable(const TLaidLabelText& laid) const {
  const Qt::Alignment align = alignment();
  return laid.Text == text() && laid.Font == font() && textFormat() == Qt::PlainText && !wordWrap() &&
         isEnabled() && margin() == 0 && indent() < 0 && frameWidth() == 0 && !buddy() &&
         !(align & Qt::AlignJustify) &&
         !(textInteractionFlags() & (Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard)) &&
         style()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0;
}

void QtLabelWidget::paintEvent(QPaintEvent* event) {
  if (!FLaid || !Drawable(*FLaid)) return QLabel::paintEvent(event);
  QPainter painter(this);
  drawFrame(&painter);
  // The style's item text: the palette's foreground brush, in the current colour group.
  QStyleOption option;
  option.initFrom(this);
  painter.setPen(QPen(option.palette.brush(foregroundRole()), painter.pen().widthF()));

  // The lines the box holds (the first one reaching its bottom is the last), aligned as a block
  // and each line within it.
  const QRectF r(contentsRect());
  const int align = static_cast<int>(alignment());
  const QTextLayout& layout = FLaid->Layout;
  qreal height = 0, width = 0;
  int count = 0;
  for (int i = 0; i < layout.lineCount(); ++i) {
    const QTextLine line = layout.lineAt(i);
    height = NextTop(height, FLaid->Leading, i == 0) + line.ascent() + line.descent();
    width = std::max(width, line.naturalTextWidth());
    ++count;
    if (height >= r.height()) break;
  }
  qreal top = 0, left = 0;
  if (align & Qt::AlignBottom)
    top = r.height() - height;
  else if (align & Qt::AlignVCenter)
    top = (r.height() - height) / 2;
  if (align & Qt::AlignRight)
    left = r.width() - width;
  else if (align & Qt::AlignHCenter)
    left = (r.width() - width) / 2;
  const bool clip = !r.contains(QRectF(r.x() + left, r.y() + top, width, height));
  if (clip) painter.setClipRect(r, Qt::IntersectClip);
  for (int i = 0; i < count; ++i) {
    const QTextLine line = layout.lineAt(i);
    const qreal advance = line.horizontalAdvance();
    left = 0;
    if (align & Qt::AlignRight)
      left = r.width() - advance;
    else if (align & Qt::AlignHCenter)
      left = (r.width() - advance) / 2;
    line.draw(&painter, QPointF(r.x() + left, r.y() + top));
  }
}
