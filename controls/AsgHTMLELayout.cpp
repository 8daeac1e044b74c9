#include "controls/AsgHTMLELayout.h"

#include "controls/AsgHTMLEObjects.h"
#include "controls/AsgHTMLEParse.h"
#include "controls/ProUtilUnicode.h"

#include <algorithm>
#include <cmath>

namespace {

// The running state, carried from line to line.
struct TRunState {
  TFont Font;
  TColor Brush = clNone; // clNone: hollow
  bool Hidden = false;
  bool Shadow = false;
  bool Error = false;
  bool Sub = false;
  bool Sup = false;
  int ListDepth = 0;
  THTMLAlign Align = THTMLAlign::Left;

  bool ParaBand = false;
  TColor ParaColor = clNone;
  TColor ParaSavedBrush = clNone;
  bool FontSetBrush = false;
  TColor FontSavedBrush = clNone;
  bool InHighlight = false;
  TColor HiSavedFontColor = clNone;
  TColor HiSavedBrush = clNone;
  bool Rotated = false;
  int Angle = 0;
  TFont RotSavedFont;

  int Anchor = 0; // number of the open anchor, 0 none
  bool AnchorStyled = false;
  TColor AnchorSavedBrush = clNone;
  TColor AnchorSavedFontColor = clNone;
};

enum class TImageAlign { Bottom, Top, Middle };

struct TLineState {
  THTMLLine Line;
  int Width = 0;
  int TrailingBlank = 0;
  std::string Text; // visible text of the line so far
  int Consumed = 0; // tokens taken
  int ListItems = 0;
  TImageAlign ImageAlign = TImageAlign::Bottom;
  int ImageGh = 0;
  bool EndAfter = false;  // a tag ended the line
  bool EndBefore = false; // the next token goes to the next line
};

bool EndsWithBlank(const std::string& s) {
  return !s.empty() && s.back() == ' ';
}

int FontSizeFor(int size) {
  static constexpr int Sizes[] = {8, 10, 12, 14, 16};
  const int points = size >= 1 && size <= 5 ? Sizes[size - 1] : size;
  return std::clamp(points, HTMLMinFontSize, HTMLMaxFontSize);
}

class TLayoutEngine {
public:
  TLayoutEngine(TCanvas& canvas, const TRect& rect, const THTMLDrawParams& params, unsigned flags,
                TColor background)
      : FCanvas(canvas), FRect(rect), FParams(params), FFlags(flags & ~DT_END_ELLIPSIS),
        FEllipsisFlags(flags | DT_END_ELLIPSIS), FBase(canvas.Font()), FBackground(background) {
    FState.Font = FBase;
    FRoom = rect.Right - rect.Left - 1;
  }

  THTMLLayout Run(std::string_view text) {
    FTokens = TokenizeHTML(PrepareHTMLText(text), FParams.WordWrap);
    int top = 0;
    while (FIndex < FTokens.size()) {
      const std::size_t before = FIndex;
      THTMLLine line = LayLine();
      if (FIndex == before) break; // cannot happen: every line takes a token
      line.Top = top;
      top += line.Height();
      FLayout.Width = std::max(FLayout.Width, line.Width);
      FLayout.Height += line.Height();
      FLayout.Lines.push_back(std::move(line));
      if (!FParams.MeasureOnly && FRect.Top + top + Gh(FState.Font) > FRect.Bottom) break;
    }
    return std::move(FLayout);
  }

private:
  // Asked at every line's start and end, mostly in the same font.
  int Gh(const TFont& font) {
    if (!FGhValid || !FGhFont.SameAs(font)) {
      FGhFont.Assign(font);
      FGh = MeasureHTMLRun(FCanvas, font, "gh", FFlags).cy;
      FGhValid = true;
    }
    return FGh;
  }

  THTMLLine LayLine() {
    TLineState ls;
    ls.Line.LineHeight = Gh(FState.Font);
    FLine = &ls;
    if (FState.ParaBand) Push(0, 0, 0, THTMLBandOp{FState.ParaColor});
    while (FIndex < FTokens.size() && !ls.EndAfter && !ls.EndBefore) {
      const THTMLToken& token = FTokens[FIndex];
      if (token.IsTag)
        Tag(token.Text);
      else
        Text(token.Text);
    }
    ls.Width -= ls.TrailingBlank;
    ls.Line.Width = ls.Width;
    if (ls.ImageAlign != TImageAlign::Bottom) {
      const int spare = std::max(0, ls.Line.LineHeight - ls.ImageGh);
      ls.Line.TextRaise = ls.ImageAlign == TImageAlign::Top ? spare : spare / 2;
    }
    ls.Line.Align = FState.Align;
    FLine = nullptr;
    return std::move(ls.Line);
  }

  void Consume() {
    ++FIndex;
    ++FLine->Consumed;
  }

  template <class T> THTMLOp& Push(int x, int width, int height, T item) {
    THTMLOp op;
    op.X = x;
    op.Width = width;
    op.Height = height;
    op.Item = std::move(item);
    FLine->Line.Ops.push_back(std::move(op));
    return FLine->Line.Ops.back();
  }

  void Text(const std::string& raw) {
    TLineState& ls = *FLine;
    const std::string run = ConvertRunEntities(raw);
    if (run.empty()) {
      Consume();
      return;
    }
    const TSize full = MeasureHTMLRun(FCanvas, FState.Font, run, FFlags);
    int trailing = 0;
    if (EndsWithBlank(run)) {
      std::string trimmed = run;
      while (EndsWithBlank(trimmed))
        trimmed.pop_back();
      trailing = full.cx - MeasureHTMLRun(FCanvas, FState.Font, trimmed, FFlags).cx;
    }
    const int visibleWidth = full.cx - trailing;
    const bool hidden = FState.Hidden;
    bool overflow = false;
    if (!hidden) {
      overflow = ls.Width + visibleWidth > FRoom;
      // A run that continues a word stays with it; a word wider than the line stands alone.
      if (FParams.WordWrap && overflow && ls.Consumed > 0 && visibleWidth < FRoom && EndsWithBlank(ls.Text)) {
        ls.EndBefore = true;
        return;
      }
    }
    ls.Line.LineHeight = std::max(ls.Line.LineHeight, full.cy);
    if (FState.Sub) ls.Line.SubRoom = std::max(ls.Line.SubRoom, full.cy / 4);
    if (FState.Sup) ls.Line.SupRoom = std::max(ls.Line.SupRoom, full.cy / 4);
    const std::string visible = VisibleRunText(run);
    FLayout.StrippedText += visible;
    Consume();
    if (hidden) return;

    THTMLTextOp op;
    op.Text = run;
    op.Font = FState.Font;
    op.Background = FState.Brush;
    op.Shift = FState.Sup ? THTMLShift::Super : FState.Sub ? THTMLShift::Sub : THTMLShift::None;
    op.Shadow = FState.Shadow;
    op.Error = FState.Error;
    op.Angle = FState.Angle;
    if (!FParams.WordWrap && overflow) {
      // One line only: the run that reaches the edge ends in an ellipsis and ends the text.
      const int room = FRoom - ls.Width;
      if (room > 0) {
        op.EllipsisRoom = room;
        const int width = MeasureHTMLRun(FCanvas, FState.Font, run, FEllipsisFlags, room).cx;
        Push(ls.Width, width, full.cy, std::move(op)).Anchor = FState.Anchor;
        ls.Width += width;
      }
      ls.TrailingBlank = 0;
      ls.Text += visible;
      FIndex = FTokens.size();
      ls.EndAfter = true;
      return;
    }
    Push(ls.Width, full.cx, full.cy, std::move(op)).Anchor = FState.Anchor;
    ls.Width += full.cx;
    ls.TrailingBlank = trailing;
    ls.Text += visible;
  }

  // An image or control: on this line when it fits or cannot fit any line.
  template <class T> bool PlaceObject(int width, int height, T item) {
    TLineState& ls = *FLine;
    if (ls.Consumed > 0 && ls.Width + width > FRoom && width <= FRoom) {
      ls.EndBefore = true;
      return false;
    }
    Consume();
    Push(ls.Width, width, height, std::move(item)).Anchor = FState.Anchor;
    ls.Width += width;
    ls.TrailingBlank = 0;
    ls.Line.LineHeight = std::max(ls.Line.LineHeight, height);
    return true;
  }

  void Image(const std::string& tag) {
    THTMLImageOp op;
    TSize size;
    if (!SizeHTMLImage(tag, FParams, op, size)) {
      Consume();
      return;
    }
    if (!PlaceObject(size.cx, size.cy, op)) return;
    const std::string upperTag = AsciiUpperCase(tag);
    if (upperTag.find("\"TOP") != std::string::npos) {
      FLine->ImageAlign = TImageAlign::Top;
      FLine->ImageGh = Gh(FState.Font);
    } else if (upperTag.find("\"MIDDLE") != std::string::npos) {
      FLine->ImageAlign = TImageAlign::Middle;
      FLine->ImageGh = Gh(FState.Font);
    }
  }

  void Control(const std::string& tag) {
    THTMLControlOp op;
    int width = 0, lineHeight = 0;
    FCanvas.Font().Assign(FState.Font);
    if (!SizeHTMLControl(tag, FCanvas, op, width, lineHeight)) {
      Consume();
      return;
    }
    op.Font = FState.Font;
    PlaceObject(width, lineHeight, std::move(op));
  }

  void ListItem() {
    TLineState& ls = *FLine;
    if (ls.ListItems > 0) {
      ls.EndBefore = true;
      return;
    }
    Consume();
    ++ls.ListItems;
    // An item outside any list is indented as the first level, so that its bullet stays inside.
    const int depth = std::max(1, FState.ListDepth);
    THTMLBulletOp bullet;
    bullet.Font = FState.Font;
    bullet.Font.SetName("Symbol");
    bullet.Text = depth % 2 ? "\xC2\xB7" : "o";
    const TSize size = MeasureHTMLRun(FCanvas, bullet.Font, bullet.Text, FFlags);
    ls.Line.LineHeight = std::max(ls.Line.LineHeight, size.cy);
    Push(ls.Width + depth * HTMLListIndent - HTMLListIndent, size.cx, size.cy, std::move(bullet));
    ls.Width += depth * HTMLListIndent;
    ls.TrailingBlank = 0;
  }

  void Anchor(const std::string& tag) {
    if (FState.Anchor) EndAnchor();
    FLayout.Anchors.push_back({HTMLTagAttribute(tag, "HREF"), HTMLTagAttribute(tag, "TITLE")});
    const int number = static_cast<int>(FLayout.Anchors.size());
    FState.Anchor = number;
    const bool hovered = number == FParams.HoverLink;
    FState.AnchorStyled = !FParams.HoverStyle || hovered;
    TFont& font = FState.Font;
    if (FState.AnchorStyled) {
      font.SetStyle(font.Style() | fsUnderline);
      if (FParams.HoverColor != clNone) {
        FState.AnchorSavedBrush = FState.Brush;
        FState.Brush = FParams.HoverColor;
      }
      if (FParams.HoverFontColor != clNone) {
        FState.AnchorSavedFontColor = font.Color();
        font.SetColor(FParams.HoverFontColor);
      }
    }
    const bool keepHoverFont = FParams.HoverFontColor != clNone && FParams.HoverStyle && hovered;
    if (!FParams.Selected && !keepHoverFont && FParams.URLColor != clNone) font.SetColor(FParams.URLColor);
  }

  void EndAnchor() {
    if (!FState.Anchor) return;
    TFont& font = FState.Font;
    if (FState.AnchorStyled) {
      font.SetStyle(font.Style() & ~fsUnderline);
      if (FParams.HoverColor != clNone) FState.Brush = FState.AnchorSavedBrush;
      if (FParams.HoverFontColor != clNone) font.SetColor(FState.AnchorSavedFontColor);
    }
    if (!FParams.Selected) font.SetColor(FBase.Color());
    FState.Anchor = 0;
    FState.AnchorStyled = false;
  }

  void Font(const std::string& tag) {
    TFont& font = FState.Font;
    const std::string face = HTMLTagAttribute(tag, "FACE", true);
    if (!face.empty()) font.SetName(face);
    if (!FParams.Selected && HTMLTagHasAttribute(tag, " COLOR"))
      font.SetColor(HTMLAttributeColor(HTMLTagAttribute(tag, " COLOR", true)));
    if (!FParams.Selected && HTMLTagHasAttribute(tag, "BGCOLOR")) {
      FState.FontSavedBrush = FState.Brush;
      FState.FontSetBrush = true;
      FState.Brush = HTMLAttributeColor(HTMLTagAttribute(tag, "BGCOLOR", true));
    }
    if (const std::optional<int> size = HTMLFontSizeValue(tag, 100000)) font.SetSize(FontSizeFor(*size));
  }

  void EndFont() {
    TFont& font = FState.Font;
    font.SetName(FBase.Name());
    font.SetHeight(FBase.Height());
    if (FParams.Selected) return;
    font.SetColor(FBase.Color());
    if (FState.FontSetBrush) {
      FState.Brush = FState.FontSavedBrush;
      FState.FontSetBrush = false;
    }
  }

  void Paragraph(const std::string& tag) {
    const std::string align = HTMLTagAttribute(tag, "ALIGN", true);
    if (align.find("RIGHT") != std::string::npos)
      FState.Align = THTMLAlign::Right;
    else if (align.find("LEFT") != std::string::npos)
      FState.Align = THTMLAlign::Left;
    else if (align.find("CENTER") != std::string::npos)
      FState.Align = THTMLAlign::Center;
    if (HTMLTagHasAttribute(tag, "INDENT"))
      FLine->Line.Indent = LeadingDigits(HTMLTagAttribute(tag, "INDENT"), HTMLMaxObjectSize);
    if (HTMLTagHasAttribute(tag, "BGCOLOR")) {
      if (!FState.ParaBand) FState.ParaSavedBrush = FState.Brush;
      FState.ParaBand = true;
      FState.ParaColor = HTMLAttributeColor(HTMLTagAttribute(tag, "BGCOLOR", true));
      FState.Brush = FState.ParaColor;
      Push(0, 0, 0, THTMLBandOp{FState.ParaColor});
    }
  }

  void EndParagraph() {
    if (FState.ParaBand) FState.Brush = FState.ParaSavedBrush;
    FState.ParaBand = false;
    FLine->EndAfter = true;
  }

  void Tag(const std::string& tag) {
    TLineState& ls = *FLine;
    TFont& font = FState.Font;
    const THTMLTag kind = ClassifyHTMLTag(tag);
    // Tags that may leave the line before them consume themselves.
    switch (kind) {
    case THTMLTag::Image:
      return Image(tag);
    case THTMLTag::Control:
      return Control(tag);
    case THTMLTag::ListItem:
      return ListItem();
    default:
      break;
    }
    Consume();
    auto style = [&](TFontStyle s, bool on) { font.SetStyle(on ? font.Style() | s : font.Style() & ~s); };
    switch (kind) {
    case THTMLTag::Bold:
      return style(fsBold, true);
    case THTMLTag::Italic:
      return style(fsItalic, true);
    case THTMLTag::Underline:
      return style(fsUnderline, true);
    case THTMLTag::Strike:
      return style(fsStrikeOut, true);
    case THTMLTag::Anchor:
      return Anchor(tag);
    case THTMLTag::Break:
      FLayout.StrippedText += '\r';
      ls.EndAfter = true;
      return;
    case THTMLTag::Rule:
      Push(0, 0, 0, THTMLRuleOp{});
      ls.EndAfter = true;
      return;
    case THTMLTag::Blink:
      if (!FParams.BlinkPhase) font.SetColor(FBackground);
      return;
    case THTMLTag::Body:
      Push(0, 0, 0, HTMLBodyOp(tag, FParams));
      return;
    case THTMLTag::Error:
      FState.Error = true;
      return;
    case THTMLTag::Font:
      return Font(tag);
    case THTMLTag::Highlight:
      if (!FState.InHighlight) {
        FState.HiSavedFontColor = font.Color();
        FState.HiSavedBrush = FState.Brush;
        FState.InHighlight = true;
      }
      FState.Brush = HTMLHighlightColor();
      font.SetColor(HTMLHighlightTextColor());
      return;
    case THTMLTag::Indent:
      if (const std::optional<int> n = NumberAfterLetter(tag, 'x', HTMLMaxObjectSize); n && *n > ls.Width) {
        ls.Width = *n;
        ls.TrailingBlank = 0;
      }
      return;
    case THTMLTag::Paragraph:
      return Paragraph(tag);
    case THTMLTag::Rotate:
      if (!FState.Rotated) FState.RotSavedFont = font;
      FState.Rotated = true;
      FState.Angle = NumberAfterLetter(tag, 'a', 100000).value_or(0) % 360;
      return;
    case THTMLTag::Shadow:
      FState.Shadow = true;
      return;
    case THTMLTag::Sub:
      FState.Sub = true;
      return;
    case THTMLTag::Sup:
      FState.Sup = true;
      return;
    case THTMLTag::List:
      ++FState.ListDepth;
      ls.EndAfter = true;
      return;
    case THTMLTag::Hidden:
      FState.Hidden = true;
      return;
    case THTMLTag::EndAnchor:
      return EndAnchor();
    case THTMLTag::EndBold:
      return style(fsBold, false);
    case THTMLTag::EndColor:
      font.SetColor(FBase.Color());
      return;
    case THTMLTag::EndError:
      FState.Error = false;
      return;
    case THTMLTag::EndFont:
      return EndFont();
    case THTMLTag::EndHighlight:
      if (FState.InHighlight) {
        font.SetColor(FState.HiSavedFontColor);
        FState.Brush = FState.HiSavedBrush;
        FState.InHighlight = false;
      }
      return;
    case THTMLTag::EndItalic:
      return style(fsItalic, false);
    case THTMLTag::EndListItem:
      ls.EndAfter = true;
      return;
    case THTMLTag::EndParagraph:
      return EndParagraph();
    case THTMLTag::EndRotate:
      if (FState.Rotated) font = FState.RotSavedFont;
      FState.Rotated = false;
      FState.Angle = 0;
      return;
    case THTMLTag::EndSubSup:
      FState.Sub = FState.Sup = false;
      return;
    case THTMLTag::EndShadow:
      FState.Shadow = false;
      return;
    case THTMLTag::EndStrike:
      return style(fsStrikeOut, false);
    case THTMLTag::EndUnderline:
      return style(fsUnderline, false);
    case THTMLTag::EndList:
      if (FState.ListDepth > 0)
        --FState.ListDepth;
      else
        style(fsUnderline, false);
      return;
    case THTMLTag::EndHidden:
      FState.Hidden = false;
      return;
    default:
      return; // unknown tags go without effect
    }
  }

  TCanvas& FCanvas;
  const TRect FRect;
  const THTMLDrawParams& FParams;
  const unsigned FFlags;
  const unsigned FEllipsisFlags;
  const TFont FBase;
  const TColor FBackground;
  int FRoom = 0;
  std::vector<THTMLToken> FTokens;
  std::size_t FIndex = 0;
  TRunState FState;
  TLineState* FLine = nullptr;
  THTMLLayout FLayout;
  TFont FGhFont;
  int FGh = 0;
  bool FGhValid = false;
};

} // namespace

TSize MeasureHTMLRun(TCanvas& canvas, const TFont& font, const std::string& text, unsigned flags, int room) {
  canvas.Font().Assign(font);
  TRect r{0, 0, room, 0};
  canvas.DrawText(text, r, (flags | DT_CALCRECT) & ~DT_BOTTOM);
  return {r.Width(), r.Height()};
}

THTMLLayout LayoutHTML(TCanvas& canvas, std::string_view text, const TRect& rect,
                       const THTMLDrawParams& params, unsigned textFlags, TColor background) {
  return TLayoutEngine(canvas, rect, params, textFlags, background).Run(text);
}
