// Text output and measuring: TextOut, TextRect, extents and DrawText with its flags.
#include "platform/ui/Fonts.h"
#include "platform/ui/GraphicsImpl.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

const QString Ellipsis = QStringLiteral("...");

// Measures and draws one line of a canvas's font; tabs expand to stops of eight average
// character widths when asked.
struct TTextTool {
  TCanvas& Canvas;
  bool Real; // a GUI application exists: real faces
  bool ExpandTabs = false;
  int EmSize = 11;

  explicit TTextTool(TCanvas& canvas) : Canvas(canvas), Real(FontsAvailable()) {
    EmSize = FontPixelSize(canvas.Font());
  }

  int Ascent() {
    return Real ? Canvas.impl().Metrics().ascent() : static_cast<int>(std::lround(EmSize * 0.928));
  }
  int Descent() {
    return Real ? Canvas.impl().Metrics().descent() : static_cast<int>(std::lround(EmSize * 0.236));
  }
  int LineHeight() { return Ascent() + Descent(); }
  int AveCharWidth() {
    return Real ? std::max(1, Canvas.impl().Metrics().averageCharWidth())
                : std::max(1, static_cast<int>(std::lround(EmSize * 0.55)));
  }
  int TabWidth() { return 8 * AveCharWidth(); }

  int Plain(const QString& s) {
    if (s.isEmpty()) return 0;
    if (!Real) return static_cast<int>(s.size()) * AveCharWidth();
    return Canvas.impl().TextAdvance(s);
  }

  int Width(const QString& s) {
    if (!ExpandTabs || !s.contains(QLatin1Char('\t'))) return Plain(s);
    int x = 0;
    const int tab = TabWidth();
    const QStringList parts = s.split(QLatin1Char('\t'));
    for (qsizetype i = 0; i < parts.size(); ++i) {
      if (i > 0) x = (x / tab + 1) * tab;
      x += Plain(parts[i]);
    }
    return x;
  }

  // Draws s with its cell's top-left at (x, y).
  void Draw(QPainter& p, int x, int y, const QString& s) {
    if (s.isEmpty() || !Real) return;
    const int base = y + Ascent();
    if (!ExpandTabs || !s.contains(QLatin1Char('\t'))) {
      if (const QTextLayout* laid = Canvas.impl().ShapedText(s)) {
        // Shaped when measured: its baseline put where drawText puts it.
        const QTextLine line = laid->lineAt(0);
        line.draw(&p, QPointF(x, base - line.ascent()));
        return;
      }
      p.drawText(QPoint(x, base), s);
      return;
    }
    const int tab = TabWidth();
    int cx = 0;
    const QStringList parts = s.split(QLatin1Char('\t'));
    for (qsizetype i = 0; i < parts.size(); ++i) {
      if (i > 0) cx = (cx / tab + 1) * tab;
      if (!parts[i].isEmpty()) p.drawText(QPoint(x + cx, base), parts[i]);
      cx += Plain(parts[i]);
    }
  }
};

struct TLine {
  QString Text;
  std::vector<qsizetype> Underlined; // indices into Text
};

// Removes "&" prefixes: "&&" is "&", "&x" is x underlined, a lone "&" at the end vanishes.
TLine StripPrefixes(const QString& s, bool keepUnderlines) {
  TLine line;
  line.Text.reserve(s.size());
  for (qsizetype i = 0; i < s.size(); ++i) {
    if (s[i] != QLatin1Char('&')) {
      line.Text += s[i];
      continue;
    }
    if (i + 1 >= s.size()) break;
    ++i;
    if (s[i] != QLatin1Char('&') && keepUnderlines) line.Underlined.push_back(line.Text.size());
    line.Text += s[i];
  }
  return line;
}

// Cut positions never split a surrogate pair.
qsizetype SafeCut(const QString& s, qsizetype n) {
  if (n > 0 && n < s.size() && s[n].isLowSurrogate()) --n;
  return n;
}

// Longest n such that head.left(n) + tail fits into width (0 when none does).
qsizetype FitPrefix(TTextTool& tool, const QString& head, const QString& tail, int width) {
  qsizetype lo = 0, hi = head.size();
  while (lo < hi) {
    const qsizetype mid = (lo + hi + 1) / 2;
    if (tool.Width(head.left(SafeCut(head, mid)) + tail) <= width)
      lo = mid;
    else
      hi = mid - 1;
  }
  return SafeCut(head, lo);
}

void EndEllipsis(TTextTool& tool, TLine& line, int width) {
  if (tool.Width(line.Text) <= width) return;
  const qsizetype n = FitPrefix(tool, line.Text, Ellipsis, width);
  line.Text = line.Text.left(n) + Ellipsis;
  std::erase_if(line.Underlined, [n](qsizetype i) { return i >= n; });
}

void PathEllipsis(TTextTool& tool, TLine& line, int width) {
  if (tool.Width(line.Text) <= width) return;
  const qsizetype sep =
      std::max(line.Text.lastIndexOf(QLatin1Char('/')), line.Text.lastIndexOf(QLatin1Char('\\')));
  if (sep <= 0) return EndEllipsis(tool, line, width);
  const QString head = line.Text.left(sep), tail = line.Text.mid(sep);
  if (tool.Width(Ellipsis + tail) > width) {
    // Not even the last part fits: keep its start.
    line.Text = Ellipsis + tail;
    line.Underlined.clear();
    return EndEllipsis(tool, line, width);
  }
  const qsizetype n = FitPrefix(tool, head, Ellipsis + tail, width);
  line.Text = head.left(n) + Ellipsis + tail;
  const qsizetype shift = n + Ellipsis.size() - sep;
  std::vector<qsizetype> kept;
  for (qsizetype i : line.Underlined) {
    if (i < n)
      kept.push_back(i);
    else if (i >= sep)
      kept.push_back(i + shift);
  }
  line.Underlined = kept;
}

// Greedy word wrap at blanks; a word wider than the width stays whole unless breakWords.
void WrapLine(TTextTool& tool, const TLine& line, int width, bool breakWords, std::vector<TLine>& out) {
  const QString& s = line.Text;
  auto take = [&](qsizetype from, qsizetype to) {
    qsizetype end = to;
    while (end > from && s[end - 1] == QLatin1Char(' '))
      --end;
    TLine l;
    l.Text = s.mid(from, end - from);
    for (qsizetype i : line.Underlined)
      if (i >= from && i < end) l.Underlined.push_back(i - from);
    out.push_back(std::move(l));
  };
  if (s.isEmpty()) {
    out.push_back(line);
    return;
  }
  // Most lines fit whole: one measure instead of one for each word's prefix. (Widths grow with
  // every word added, so the walk below would take the whole line as well.)
  qsizetype lastWordEnd = s.size();
  while (lastWordEnd > 0 && s[lastWordEnd - 1] == QLatin1Char(' '))
    --lastWordEnd;
  if (tool.Width(lastWordEnd == s.size() ? s : s.left(lastWordEnd)) <= width) {
    take(0, s.size());
    return;
  }
  qsizetype start = 0;
  while (start < s.size()) {
    // Candidate ends: after each run of blanks, and the end of the text.
    qsizetype fitEnd = -1;
    qsizetype i = start;
    while (i < s.size()) {
      qsizetype wordEnd = i;
      while (wordEnd < s.size() && s[wordEnd] != QLatin1Char(' '))
        ++wordEnd;
      qsizetype next = wordEnd;
      while (next < s.size() && s[next] == QLatin1Char(' '))
        ++next;
      if (tool.Width(s.mid(start, wordEnd - start)) <= width) {
        fitEnd = next;
        i = next;
      } else {
        break;
      }
    }
    if (fitEnd < 0) {
      // The first word alone is too wide.
      qsizetype wordEnd = start;
      while (wordEnd < s.size() && s[wordEnd] != QLatin1Char(' '))
        ++wordEnd;
      if (wordEnd == start) { // leading blanks wider than the box
        while (wordEnd < s.size() && s[wordEnd] == QLatin1Char(' '))
          ++wordEnd;
        fitEnd = wordEnd;
      } else if (breakWords) {
        qsizetype n = FitPrefix(tool, s.mid(start, wordEnd - start), QString(), width);
        if (n == 0) n = s[start].isHighSurrogate() && start + 1 < s.size() ? 2 : 1; // at least one character
        fitEnd = start + n;
      } else {
        fitEnd = wordEnd;
        while (fitEnd < s.size() && s[fitEnd] == QLatin1Char(' '))
          ++fitEnd;
      }
    }
    take(start, fitEnd);
    start = fitEnd;
  }
}

} // namespace

QString TextFor(const TCanvas& canvas, const std::string& text) {
  const bool symbol = IsSymbolFontName(canvas.Font().Name());
  return QString::fromStdString(symbol ? SymbolTextToUnicode(text) : text);
}

void PrepareTextPainter(TCanvas& canvas, QPainter& p) {
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  if (FontsAvailable()) p.setFont(canvas.impl().Font()); // faces need the GUI application
  p.setPen(QColor(ToQRgb(canvas.Font().Color())));
  p.setBrush(Qt::NoBrush);
}

TSize TCanvas::TextExtent(const std::string& text) const {
  TTextTool tool(const_cast<TCanvas&>(*this));
  return {tool.Plain(TextFor(*this, text)), tool.LineHeight()};
}

int TCanvas::TextWidth(const std::string& text) const {
  return TextExtent(text).cx;
}
// A line's height does not depend on its text: nothing to shape.
int TCanvas::TextHeight(const std::string&) const {
  TTextTool tool(const_cast<TCanvas&>(*this));
  return tool.LineHeight();
}

TTextMetric TCanvas::TextMetric() const {
  TTextTool tool(const_cast<TCanvas&>(*this));
  TTextMetric m;
  m.tmAscent = tool.Ascent();
  m.tmDescent = tool.Descent();
  m.tmHeight = m.tmAscent + m.tmDescent;
  m.tmInternalLeading = std::max(0, m.tmHeight - tool.EmSize);
  m.tmExternalLeading = tool.Real ? std::max(0, d->Metrics().leading()) : 0;
  m.tmAveCharWidth = tool.AveCharWidth();
  m.tmMaxCharWidth = tool.Real ? d->Metrics().maxWidth() : 2 * tool.AveCharWidth();
  return m;
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  TDrawCallScope call(*this, TDrawCallKind::Text, {x, y, x, y}, text);
  if (d->Scaled()) return MappedTextOut(*this, x, y, text);
  TTextTool tool(*this);
  const QString s = TextFor(*this, text);
  const int width = tool.Plain(s);
  if (QPainter* p = d->Painter(); p && !s.isEmpty()) {
    d->SyncBrush();
    if (d->BkMode == OPAQUE) {
      p->setCompositionMode(QPainter::CompositionMode_SourceOver);
      p->fillRect(QRect(x, y, width, tool.LineHeight()), QColor(ToQRgb(d->BkColor)));
    }
    PrepareTextPainter(*this, *p);
    tool.Draw(*p, x, y, s);
  }
  FPenPos = {x + width, y};
}

void TCanvas::TextRect(const TRect& r, int x, int y, const std::string& text) {
  TDrawCallScope call(*this, TDrawCallKind::Text, {x, y, x, y}, text);
  if (d->Scaled()) return MappedTextRect(*this, r, x, y, text);
  QPainter* p = d->Painter();
  if (!p || r.IsEmpty()) return;
  p->save();
  p->setClipRect(ToQRect(r), Qt::IntersectClip);
  if (FBrush.Style() != bsClear) {
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    p->fillRect(ToQRect(r), QColor(ToQRgb(FBrush.Color())));
  }
  TTextTool tool(*this);
  PrepareTextPainter(*this, *p);
  tool.Draw(*p, x, y, TextFor(*this, text));
  p->restore();
}

namespace {

// The lines DrawText shows: prefixes taken out, wrapped and shortened as the flags ask.
std::vector<TLine> LayoutLines(TCanvas& canvas, TTextTool& tool, const std::string& text, int width,
                               unsigned flags) {
  tool.ExpandTabs = (flags & DT_EXPANDTABS) != 0;
  const bool single = (flags & DT_SINGLELINE) != 0;
  std::vector<TLine> lines;
  if (text.empty()) return lines;
  QString s = TextFor(canvas, text);
  if (!tool.ExpandTabs) s.replace(QLatin1Char('\t'), QLatin1Char(' '));

  QStringList hard;
  if (single) {
    s.remove(QLatin1Char('\r'));
    s.remove(QLatin1Char('\n'));
    hard << s;
  } else {
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    hard = s.split(QLatin1Char('\n'));
    if (hard.size() > 1 && hard.constLast().isEmpty()) hard.removeLast(); // a final line break adds no line
  }

  const bool prefixes = (flags & DT_NOPREFIX) == 0;
  const bool underline = prefixes && (flags & DT_HIDEPREFIX) == 0;
  for (const QString& h : hard) {
    TLine line = prefixes ? StripPrefixes(h, underline) : TLine{h, {}};
    if ((flags & DT_WORDBREAK) && !single)
      WrapLine(tool, line, width, (flags & DT_EDITCONTROL) != 0, lines);
    else
      lines.push_back(std::move(line));
  }
  for (TLine& line : lines) {
    if (flags & DT_PATH_ELLIPSIS)
      PathEllipsis(tool, line, width);
    else if (flags & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS))
      EndEllipsis(tool, line, width);
  }
  return lines;
}

} // namespace

std::vector<std::string> DrawTextLines(TCanvas& canvas, const std::string& text, const TRect& r,
                                       unsigned flags) {
  TTextTool tool(canvas);
  std::vector<std::string> out;
  for (const TLine& line : LayoutLines(canvas, tool, text, r.Right - r.Left, flags))
    out.push_back(line.Text.toStdString());
  return out;
}

int TCanvas::DrawText(const std::string& text, TRect& r, unsigned flags) {
  std::optional<TDrawCallScope> call;
  if (!(flags & DT_CALCRECT)) call.emplace(*this, TDrawCallKind::Text, r, text);
  if (d->Scaled()) return MappedDrawText(*this, text, r, flags);
  TTextTool tool(*this);
  const bool single = (flags & DT_SINGLELINE) != 0;
  const int width = r.Right - r.Left;
  const std::vector<TLine> lines = LayoutLines(*this, tool, text, width, flags);

  int lineHeight = tool.LineHeight();
  if (flags & DT_EXTERNALLEADING) lineHeight += TextMetric().tmExternalLeading;
  const int total = lineHeight * static_cast<int>(lines.size());
  std::vector<int> widths;
  int widest = 0;
  for (const TLine& line : lines) {
    widths.push_back(tool.Width(line.Text));
    widest = std::max(widest, widths.back());
  }

  if (flags & DT_CALCRECT) {
    r.Right = r.Left + widest;
    r.Bottom = r.Top + total;
    return total;
  }

  int top = r.Top;
  if (single && (flags & DT_VCENTER))
    top = r.Top + (r.Bottom - r.Top - total) / 2;
  else if (single && (flags & DT_BOTTOM))
    top = r.Bottom - total;
  const int result = (single && (flags & (DT_VCENTER | DT_BOTTOM))) ? top + total - r.Top : total;

  QPainter* p = d->Painter();
  if (!p || lines.empty()) return result;
  p->save();
  if (!(flags & DT_NOCLIP)) {
    if (r.IsEmpty()) {
      p->restore();
      return result;
    }
    p->setClipRect(ToQRect(r), Qt::IntersectClip);
  }
  d->SyncBrush();
  const bool opaque = d->BkMode == OPAQUE;
  const QColor textColor(ToQRgb(FFont.Color()));
  const int ascent = tool.Ascent();
  const int underlineOffset = tool.Real ? std::max(1, d->Metrics().underlinePos()) : 1;
  const int underlineWidth = tool.Real ? std::max(1, d->Metrics().lineWidth()) : 1;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const TLine& line = lines[i];
    const int y = top + static_cast<int>(i) * lineHeight;
    int x = r.Left;
    if (flags & DT_CENTER)
      x = r.Left + (width - widths[i]) / 2;
    else if (flags & DT_RIGHT)
      x = r.Right - widths[i];
    if (opaque && widths[i] > 0 && !(flags & DT_PREFIXONLY)) {
      p->setCompositionMode(QPainter::CompositionMode_SourceOver);
      p->fillRect(QRect(x, y, widths[i], lineHeight), QColor(ToQRgb(d->BkColor)));
    }
    PrepareTextPainter(*this, *p);
    if (!(flags & DT_PREFIXONLY)) tool.Draw(*p, x, y, line.Text);
    for (qsizetype u : line.Underlined) {
      const int x0 = x + tool.Width(line.Text.left(u));
      const int x1 = x + tool.Width(line.Text.left(u + 1));
      p->fillRect(QRect(x0, y + ascent + underlineOffset, std::max(1, x1 - x0), underlineWidth), textColor);
    }
  }
  p->restore();
  return result;
}

int DrawText(TCanvas& canvas, const std::string& text, TRect& r, unsigned flags) {
  return canvas.DrawText(text, r, flags);
}
