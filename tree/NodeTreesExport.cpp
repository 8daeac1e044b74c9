// The string tree's exports. Texts from the application are escaped in HTML; every fixed fragment
// is written exactly as documented, so other programs read the output as before.
#include "tree/NodeTreesExport.h"

#include "controls/HTMLEntities.h"

#include "platform/AtomicFile.h"
#include "platform/Colors.h"
#include "platform/Locale.h"
#include "platform/TextCodec.h"
#include "platform/ui/DataObject.h"
#include "platform/ui/Graphics.h"
#include "tree/StringTree.h"
#include "tree/Utf16Text.h"
#include "tree/VTColumns.h"
#include "tree/VTHeader.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>

// ---------------------------------------------------------------- settings and helpers

namespace {

// The buffer is sized for the whole export after 64 rows and checked again whenever the row
// count doubles, as texts may grow longer further down.
class TRowProjection {
public:
  TRowProjection(const TBufferedString& b, std::size_t total) : FStart(b.Size()), FTotal(total) {}
  void RowDone(TBufferedString& b) {
    if (++FRows == FNextCheck) {
      b.ReserveForRows(FStart, FRows, FTotal);
      FNextCheck *= 2;
    }
  }

private:
  std::size_t FStart, FTotal, FRows = 0, FNextCheck = 64;
};

TExportLocale FromEnvironment() {
  TExportLocale locale;
  locale.ListSeparator = FormatSettings().DecimalSeparator == ',' ? ";" : ",";
  const char* names[] = {"LC_ALL", "LC_MEASUREMENT", "LANG"};
  for (const char* name : names) {
    const char* value = std::getenv(name);
    if (!value || !*value) continue;
    const std::string v(value);
    // The United States, Liberia and Myanmar measure in inches.
    locale.Metric = v.find("_US") == std::string::npos && v.find("_LR") == std::string::npos &&
                    v.find("_MM") == std::string::npos;
    break;
  }
  return locale;
}

std::optional<TExportLocale>& LocaleSlot() {
  static std::optional<TExportLocale> slot;
  return slot;
}

std::string HtmlColor(TColor color) {
  const TColor rgb = ColorToRGB(color);
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
  return buffer;
}

std::string Num(long long value) {
  return std::to_string(value);
}

void AppendCSSStyle(TBufferedString& b, const std::string& Name, const TFont& Font) {
  if (!Name.empty())
    b.Add("." + Name + "{");
  else
    b.Add(" style=\"{");
  b.Add("font-family: '" + HtmlEscape(Font.Name()) + "'; ");
  if (Font.Size() < 0)
    b.Add("font-size: " + Num(Font.Height()) + "px; ");
  else
    b.Add("font-size: " + Num(Font.Size()) + "pt; ");
  b.Add(std::string("font-style: ") + ((Font.Style() & fsItalic) ? "italic" : "normal") + "; ");
  b.Add(std::string("font-weight: ") + ((Font.Style() & fsBold) ? "bold" : "normal") + "; ");
  b.Add(std::string("text-decoration: ") + ((Font.Style() & fsUnderline) ? "underline" : "none") + "; ");
  b.Add("color: " + HtmlColor(Font.Color()) + ";}");
  if (Name.empty()) b.Add("\"");
}

TAlignment Swapped(TAlignment a, TBiDiMode bidi) {
  if (bidi == bdLeftToRight) return a;
  if (a == taLeftJustify) return taRightJustify;
  if (a == taRightJustify) return taLeftJustify;
  return a;
}

// The font, colour and size switches of an RTF body, written only when they change.
struct TRTFState {
  std::vector<std::string> Fonts;
  std::vector<TColor> Colors;
  int CurrentFont = -1, CurrentColor = -1, CurrentSize = -1;

  static bool SameText(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
      if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
        return false;
    return true;
  }
  void SelectFont(TBufferedString& b, const std::string& name) {
    int index = -1;
    for (std::size_t i = 0; i < Fonts.size(); ++i)
      if (SameText(Fonts[i], name)) index = static_cast<int>(i);
    if (index < 0) {
      Fonts.push_back(name);
      index = static_cast<int>(Fonts.size()) - 1;
      b.Add("\\f" + Num(index));
    } else if (index != CurrentFont) {
      b.Add("\\f" + Num(index));
    }
    CurrentFont = index;
  }
  void SelectColor(TBufferedString& b, TColor color) {
    int index = -1;
    for (std::size_t i = 0; i < Colors.size(); ++i)
      if (Colors[i] == color) index = static_cast<int>(i);
    if (index < 0) {
      Colors.push_back(color);
      index = static_cast<int>(Colors.size()) - 1;
      b.Add("\\cf" + Num(index + 1));
    } else if (index != CurrentColor) {
      b.Add("\\cf" + Num(index + 1));
    }
    CurrentColor = index;
  }
  void AppendText(TBufferedString& b, const std::string& Text, const TFont& Font) {
    if (Text.empty()) return;
    const TFontStyles style = Font.Style();
    if (style & fsUnderline) b.Add("\\ul");
    if (style & fsItalic) b.Add("\\i");
    if (style & fsBold) b.Add("\\b");
    SelectFont(b, Font.Name());
    SelectColor(b, Font.Color());
    if (Font.Size() != CurrentSize) {
      b.Add("\\fs" + Num(2 * Font.Size()));
      CurrentSize = Font.Size();
    }
    // Each code unit as \uN\'3f (at most 13 bytes), gathered in a block of the text's own.
    const std::u16string units = Utf8ToUtf16(Text);
    std::string out(1 + units.size() * 13, '\0');
    char* p = out.data();
    *p++ = ' ';
    for (char16_t unit : units) {
      if (unit == 10) {
        p = std::copy_n("{\\par}", 6, p);
      } else if (unit != 13) {
        p = std::copy_n("\\u", 2, p);
        p = std::to_chars(p, p + 6, static_cast<std::int16_t>(unit)).ptr;
        p = std::copy_n("\\'3f", 4, p);
      }
    }
    b.Add(std::string_view(out.data(), static_cast<std::size_t>(p - out.data())));
    if (style & fsUnderline) b.Add("\\ul0");
    if (style & fsItalic) b.Add("\\i0");
    if (style & fsBold) b.Add("\\b0");
  }
};

std::string Quoted(const std::string& s) {
  std::string out = "\"";
  for (char c : s) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

} // namespace

const TExportLocale& ExportLocale() {
  auto& slot = LocaleSlot();
  if (!slot) slot = FromEnvironment();
  return *slot;
}

void SetExportLocale(const TExportLocale& Locale) {
  LocaleSlot() = Locale;
}

void ResetExportLocale() {
  LocaleSlot().reset();
}

std::string HtmlEscape(std::string_view Text) {
  return EncodeHTMLText(Text, false);
}

void WrapCFHTML(std::string& Html) {
  const long long n = static_cast<long long>(Html.size());
  char line[64];
  std::string header = "Version:1.0\r\n";
  const std::pair<const char*, long long> keys[] = {
      {"StartHTML:", 97}, {"EndHTML:", n + 301}, {"StartFragment:", 269}, {"EndFragment:", n + 269}};
  for (const auto& [key, value] : keys) {
    std::snprintf(line, sizeof line, "%s%.8lld\r\n", key, value);
    header += line;
  }
  Html = header + "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">" +
         "<html><head><META http-equiv=Content-Type content=\"text/html; charset=utf-8\"></head><body><!--"
         "StartFragment-->" +
         Html + "<!--EndFragment--></body></html>";
}

// ---------------------------------------------------------------- the tree's side

struct TCustomNodeStringTree::TExportCell {
  TColumnIndex Column;
  TAlignment Alignment;
  TBiDiMode BiDi;
  TNodeTreeColumn* Col;
};

std::vector<TCustomNodeStringTree::TExportCell> TCustomNodeStringTree::ExportCells() {
  std::vector<TExportCell> cells;
  if (Header().UseColumns()) {
    for (TNodeTreeColumn* c : Header().Columns().GetVisibleColumns())
      cells.push_back({c->Index(), c->Alignment(), c->BiDiMode(), c});
  } else {
    cells.push_back({NoColumn, Alignment(), BiDiMode(), nullptr});
  }
  return cells;
}

PVNode TCustomNodeStringTree::GetSourceStart(TVSTTextSourceType Source, TSourceStep& Next) {
  switch (Source) {
  case tstInitialized:
    Next = &TCustomNodeStringTree::NextInitialized;
    return GetFirstInitialized();
  case tstSelected:
    Next = &TCustomNodeStringTree::NextSelected;
    return GetFirstSelected();
  case tstCutCopySet:
    Next = &TCustomNodeStringTree::NextCutCopy;
    return GetFirstCutCopy();
  case tstVisible:
    Next = &TCustomNodeStringTree::NextVisible;
    return GetFirstVisible(nullptr, true, false);
  case tstChecked:
    Next = &TCustomNodeStringTree::NextChecked;
    return GetFirstChecked(csCheckedNormal);
  default:
    Next = &TCustomNodeStringTree::NextAll;
    return GetFirst();
  }
}

bool TCustomNodeStringTree::PassesExportMode(PVNode Node) {
  switch (TreeOptions().ExportMode()) {
  case emChecked:
    return Node->CheckState == csCheckedNormal;
  case emUnchecked:
    return Node->CheckState == csUncheckedNormal;
  case emVisibleDueToExpansion:
    return Node->Parent == FRoot || Expanded(Node->Parent);
  case emSelected:
    return Selected(Node);
  default:
    return true;
  }
}

std::string TCustomNodeStringTree::ContentToHTML(TVSTTextSourceType Source, const std::string& Caption) {
  StartOperation(okExport);
  struct TEnd {
    TCustomNodeStringTree* T;
    ~TEnd() { T->EndOperation(okExport); }
  } end{this};
  TBufferedString b;
  TBitmap surface;
  TCanvas& canvas = surface.Canvas();
  const auto cells = ExportCells();
  const bool useColumns = Header().UseColumns();
  const TColumnIndex mainColumn = MainColumn();
  const std::string P = "padding-left: " + Num(Margin()) + "px; padding-right: " + Num(Margin()) + "px;";
  std::string A = " ";
  if (!Caption.empty()) A += "caption=\"" + HtmlEscape(Caption) + "\"";
  if (FBorderStyle != bsNone) A += " border=\"" + Num(FBorderWidth + 1) + "\" frame=box";
  const std::string L = LineStyle() == lsSolid ? "solid;" : "dotted;";

  b.Add("<META http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">");
  b.Add("<style type=\"text/css\">");
  b.AddNewLine();
  AppendCSSStyle(b, "default", Font());
  b.AddNewLine();
  AppendCSSStyle(b, "header", Header().Font());
  b.AddNewLine();
  if (Has(toShowHorzGridLines)) {
    b.Add(".noborder{");
    b.Add(" border-bottom:1px; border-left: 0px; border-right: 0px; border-top: 1px;");
    b.Add("border-style:");
    b.Add(L);
  } else {
    b.Add(".noborder{border-style: none;");
  }
  b.Add(P);
  b.Add("}");
  b.AddNewLine();
  b.Add(".normalborder {vertical-align: top; ");
  b.Add(Has(toShowVertGridLines) ? "border-right: 1px; border-left: 1px; "
                                 : "border-right: none; border-left:none; ");
  b.Add(Has(toShowHorzGridLines) ? "border-top: 1px; border-bottom: 1px; "
                                 : "border-top:none; border-bottom: none;");
  b.Add("border-width: thin; border-style: ");
  b.Add(L);
  b.Add(P);
  b.Add("}");
  b.Add("</style>");
  b.AddNewLine();
  b.Add("<table class=\"default\" style=\"border-collapse: collapse;\" bgcolor=" + HtmlColor(Color()) + A +
        " cellspacing=\"0\">");
  b.AddNewLine();

  TSourceStep next;
  std::uint32_t maxLevel = 0;
  std::size_t total = 0;
  for (PVNode run = GetSourceStart(Source, next); run && !OperationCanceled(); run = (this->*next)(run))
    if (PassesExportMode(run)) {
      maxLevel = std::max(maxLevel, GetNodeLevel(run));
      ++total;
    }

  auto alignAttribute = [&](TAlignment a, TBiDiMode bidi) {
    a = Swapped(a, bidi);
    if (bidi != bdLeftToRight) b.Add(" dir=\"rtl\"");
    b.Add(a == taRightJustify ? " align=right" : a == taCenter ? " align=center" : " align=left");
  };

  if (useColumns) {
    if (OnBeforeHeaderExport) OnBeforeHeaderExport(this, etHTML);
    b.Add("<tr class=\"header\" style=\"" + P + "\">");
    b.AddNewLine();
    for (const TExportCell& cell : cells) {
      if (OnBeforeColumnExport) OnBeforeColumnExport(this, etHTML, cell.Col);
      b.Add("<th height=\"" + Num(Header().Height()) + "px\"");
      alignAttribute(cell.Col->CaptionAlignment(), cell.BiDi);
      if (maxLevel > 0 && cell.Column == mainColumn) b.Add(" colspan=\"" + Num(maxLevel + 1) + "\"");
      b.Add(" bgcolor=" + HtmlColor(clBtnFace) + " width=\"" + Num(cell.Col->Width()) + "px\">");
      if (!cell.Col->Text().empty()) b.Add(HtmlEscape(cell.Col->Text()));
      b.Add("</th>");
      if (OnAfterColumnExport) OnAfterColumnExport(this, etHTML, cell.Col);
    }
    b.Add("</tr>");
    b.AddNewLine();
    if (OnAfterHeaderExport) OnAfterHeaderExport(this, etHTML);
  }

  TVSTGetCellTextEventArgs args = TVSTGetCellTextEventArgs::Create(nullptr, NoColumn, etHTML);
  TRowProjection projection(b, total);
  for (PVNode node = GetSourceStart(Source, next); node && !OperationCanceled(); node = (this->*next)(node)) {
    if (!PassesExportMode(node)) continue;
    if (OnBeforeNodeExport && !OnBeforeNodeExport(this, etHTML, node)) continue;
    projection.RowDone(b);
    const std::uint32_t level = GetNodeLevel(node);
    const std::string H = Num(NodeHeight(node));
    b.Add(" <tr class=\"default\">");
    b.AddNewLine();
    for (const TExportCell& cell : cells) {
      canvas.Font().Assign(Font());
      DoPaintText(node, canvas, cell.Column, ttNormal);
      FFontChanged = !canvas.Font().SameAs(Font());
      const bool parentColor = !cell.Col || cell.Col->Options().Has(coParentColor);
      if (cell.Column == mainColumn && level > 0) {
        for (std::uint32_t i = 0; i < level; ++i) {
          if (parentColor)
            b.Add(i == 0 ? " <td height=\"" + H + "px\" class=\"normalborder\">&nbsp;</td>"
                         : " <td>&nbsp;</td>");
          else
            b.Add("<td class=\"noborder\" width=\"" + Num(Indent()) + "\" height=\"" + H +
                  "px\" bgcolor=" + HtmlColor(cell.Col->Color()) + ">&nbsp;</td>");
        }
      }
      if (FFontChanged) {
        b.Add(" <td class=\"normalborder\" ");
        AppendCSSStyle(b, "", canvas.Font());
        b.Add(" height=\"" + H);
      } else {
        b.Add(" <td class=\"normalborder\"  height=\"" + H);
      }
      b.Add("px\"");
      alignAttribute(cell.Alignment, cell.BiDi);
      if (maxLevel > 0 && cell.Column == mainColumn && level < maxLevel)
        b.Add(" colspan=\"" + Num(maxLevel - level + 1) + "\"");
      if (cell.Col && !parentColor) b.Add(" bgcolor=" + HtmlColor(cell.Col->Color()));
      b.Add(">");
      // Both texts start empty for every cell: a handler that sets none exports an empty cell.
      args.Node = node;
      args.Column = cell.Column;
      args.CellText.clear();
      args.StaticText.clear();
      DoGetText(args);
      std::string text = args.CellText;
      if (Has(toShowStaticText) && !args.StaticText.empty()) text += " " + args.StaticText;
      b.Add(HtmlEscape(text));
      b.Add("</td>");
    }
    if (OnAfterNodeExport) OnAfterNodeExport(this, etHTML, node);
    b.Add(" </tr>");
    b.AddNewLine();
  }
  b.Add("</table>");
  return b.Take();
}

std::string TCustomNodeStringTree::ContentToRTF(TVSTTextSourceType Source) {
  StartOperation(okExport);
  struct TEnd {
    TCustomNodeStringTree* T;
    ~TEnd() { T->EndOperation(okExport); }
  } end{this};
  TBufferedString b;
  TRTFState rtf;
  TBitmap surface;
  TCanvas& canvas = surface.Canvas();
  const auto cells = ExportCells();
  const TColumnIndex mainColumn = MainColumn();
  b.Add("\\uc1\\trowd\\trgaph70");
  if (Header().UseColumns()) {
    long long x = 0;
    for (const TExportCell& cell : cells) {
      x += cell.Col->Width();
      b.Add("\\cellx" + Num(static_cast<long long>(std::nearbyint(x * 1440.0 / ScreenPixelsPerInch))));
    }
    if (OnBeforeHeaderExport) OnBeforeHeaderExport(this, etRTF);
    b.Add("\\pard\\intbl");
    for (const TExportCell& cell : cells) {
      if (OnBeforeColumnExport) OnBeforeColumnExport(this, etRTF, cell.Col);
      const TAlignment a = Swapped(cell.Col->CaptionAlignment(), cell.BiDi);
      b.Add(a == taLeftJustify ? "\\ql" : a == taRightJustify ? "\\qr" : "\\qc");
      rtf.AppendText(b, cell.Col->Text(), Header().Font());
      b.Add("\\cell");
      if (OnAfterColumnExport) OnAfterColumnExport(this, etRTF, cell.Col);
    }
    b.Add("\\row");
    if (OnAfterHeaderExport) OnAfterHeaderExport(this, etRTF);
  } else {
    b.Add("\\cellx" +
          Num(static_cast<long long>(std::nearbyint(ClientWidth() * 1440.0 / ScreenPixelsPerInch))));
  }

  TVSTGetCellTextEventArgs args = TVSTGetCellTextEventArgs::Create(nullptr, NoColumn, etRTF);
  std::uint32_t cachedLevel = 0;
  std::string tabs;
  TSourceStep next;
  std::size_t total = 0;
  for (PVNode run = GetSourceStart(Source, next); run && !OperationCanceled(); run = (this->*next)(run))
    if (PassesExportMode(run)) ++total;
  TRowProjection projection(b, total);
  for (PVNode node = GetSourceStart(Source, next); node && !OperationCanceled(); node = (this->*next)(node)) {
    if (!PassesExportMode(node)) continue;
    if (OnBeforeNodeExport && !OnBeforeNodeExport(this, etRTF, node)) continue;
    projection.RowDone(b);
    const std::uint32_t level = GetNodeLevel(node);
    for (const TExportCell& cell : cells) {
      args.Node = node;
      args.Column = cell.Column;
      args.CellText.clear();
      args.StaticText.clear();
      DoGetText(args);
      b.Add("\\pard\\intbl");
      const TAlignment a = Swapped(cell.Alignment, cell.BiDi);
      if (a == taRightJustify) b.Add("\\qr");
      if (a == taCenter) b.Add("\\qc");
      canvas.Font().Assign(Font());
      DoPaintText(node, canvas, cell.Column, ttNormal);
      FFontChanged = !canvas.Font().SameAs(Font());
      if (cell.Column == mainColumn && level >= 1) {
        if (level != cachedLevel) {
          cachedLevel = level;
          tabs.clear();
          for (std::uint32_t i = 0; i < level; ++i)
            tabs += "\\tab";
        }
        b.Add(tabs + " ");
      }
      rtf.AppendText(b, args.CellText, canvas.Font());
      if (Has(toShowStaticText) && !args.StaticText.empty()) {
        DoPaintText(node, canvas, cell.Column, ttStatic);
        rtf.AppendText(b, " " + args.StaticText, canvas.Font());
      }
      b.Add("\\cell");
    }
    b.Add("\\row");
    b.AddNewLine();
    if (OnAfterNodeExport) OnAfterNodeExport(this, etRTF, node);
  }
  b.Add("\\pard\\par");

  std::string prologue = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1043{\\fonttbl";
  for (std::size_t i = 0; i < rtf.Fonts.size(); ++i)
    prologue += "{\\f" + Num(static_cast<long long>(i)) + " " + Utf8ToWindows1252(rtf.Fonts[i]) + ";}";
  prologue += "}{\\colortbl;";
  for (TColor c : rtf.Colors) {
    const TColor rgb = ColorToRGB(c);
    prologue += "\\red" + Num(GetRValue(rgb)) + "\\green" + Num(GetGValue(rgb)) + "\\blue" +
                Num(GetBValue(rgb)) + ";";
  }
  prologue += "}";
  prologue += ExportLocale().Metric ? "\\paperw16840\\paperh11907" : "\\paperw15840\\paperh12240";
  prologue += "\\margl720\\margr720\\margt720\\margb720";
  std::string text = b.Take();
  text.reserve(prologue.size() + text.size() + 1);
  text.insert(0, prologue);
  text += '}';
  return text;
}

std::string TCustomNodeStringTree::ContentToText(TVSTTextSourceType Source, const std::string& Separator) {
  StartOperation(okExport);
  struct TEnd {
    TCustomNodeStringTree* T;
    ~TEnd() { T->EndOperation(okExport); }
  } end{this};
  TBufferedString b;
  const auto cells = ExportCells();
  const bool useColumns = Header().UseColumns();
  const TColumnIndex mainColumn = MainColumn();
  TSourceStep next;
  std::uint32_t maxLevel = 0;
  std::size_t total = 0;
  for (PVNode run = GetSourceStart(Source, next); run && !OperationCanceled(); run = (this->*next)(run)) {
    maxLevel = std::max(maxLevel, GetNodeLevel(run));
    ++total;
  }
  auto repeat = [&](std::uint32_t n) {
    std::string s;
    for (std::uint32_t i = 0; i < n; ++i)
      s += Separator;
    return s;
  };
  const std::string indent = repeat(maxLevel);
  auto field = [&](const std::string& text) {
    if (!Separator.empty() && text.find(Separator) != std::string::npos)
      b.Add(Quoted(text));
    else
      b.Add(text);
  };
  if (useColumns) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
      b.Add(cells[i].Col->Text());
      if (i + 1 < cells.size()) {
        if (cells[i].Column == mainColumn) b.Add(indent);
        b.Add(Separator);
      }
    }
    b.AddNewLine();
  }
  TVSTGetCellTextEventArgs args = TVSTGetCellTextEventArgs::Create(nullptr, NoColumn, etText);
  TRowProjection projection(b, total);
  for (PVNode node = GetSourceStart(Source, next); node && !OperationCanceled(); node = (this->*next)(node)) {
    projection.RowDone(b);
    const std::uint32_t level = GetNodeLevel(node);
    if (useColumns) {
      for (std::size_t i = 0; i < cells.size(); ++i) {
        args.Node = node;
        args.Column = cells[i].Column;
        args.CellText.clear();
        args.StaticText.clear();
        DoGetText(args);
        const bool main = cells[i].Column == mainColumn;
        if (main) b.Add(repeat(level));
        std::string text = args.CellText;
        if (Has(toShowStaticText) && !args.StaticText.empty()) text += " " + args.StaticText;
        field(text);
        if (main) b.Add(repeat(maxLevel - level));
        if (i + 1 < cells.size()) b.Add(Separator);
      }
    } else {
      args.Node = node;
      args.Column = NoColumn;
      args.CellText.clear();
      args.StaticText.clear();
      DoGetText(args);
      b.Add(repeat(level));
      b.Add(args.CellText);
    }
    b.AddNewLine();
  }
  return b.Take();
}

void TCustomNodeStringTree::ContentToCustom(TVSTTextSourceType Source) {
  StartOperation(okExport);
  struct TEnd {
    TCustomNodeStringTree* T;
    ~TEnd() { T->EndOperation(okExport); }
  } end{this};
  if (OnBeforeTreeExport) OnBeforeTreeExport(this, etCustom);
  if (Header().UseColumns() && Header().Options().Has(hoVisible)) {
    if (OnBeforeHeaderExport) OnBeforeHeaderExport(this, etCustom);
    for (TNodeTreeColumn* c : Header().Columns().GetVisibleColumns()) {
      if (OnBeforeColumnExport) OnBeforeColumnExport(this, etCustom, c);
      if (OnColumnExport) OnColumnExport(this, etCustom, c);
      if (OnAfterColumnExport) OnAfterColumnExport(this, etCustom, c);
    }
    if (OnAfterHeaderExport) OnAfterHeaderExport(this, etCustom);
  }
  TSourceStep next;
  for (PVNode node = GetSourceStart(Source, next); node && !OperationCanceled(); node = (this->*next)(node)) {
    if (!PassesExportMode(node)) continue;
    if (OnBeforeNodeExport) OnBeforeNodeExport(this, etCustom, node);
    if (OnNodeExport) OnNodeExport(this, etCustom, node);
    if (OnAfterNodeExport) OnAfterNodeExport(this, etCustom, node);
  }
  if (OnAfterTreeExport) OnAfterTreeExport(this, etCustom);
}

bool TCustomNodeStringTree::ContentToClipboard(TClipFormat Format, TVSTTextSourceType Source,
                                               std::string& Block) {
  Block.clear();
  if (Format == CF_TEXT) {
    // Text and CSV go as UTF-8: the ANSI code page would lose every character it lacks.
    Block = ContentToText(Source, "\t");
    Block.push_back('\0');
  } else if (Format == CF_UNICODETEXT) {
    Block = UnicodeTextBlock(ContentToText(Source, "\t"));
  } else if (Format == cfCSV()) {
    Block = ContentToText(Source, ExportLocale().ListSeparator);
    Block.push_back('\0');
  } else if (Format == cfRichText() || Format == cfRichTextNoObjects()) {
    Block = ContentToRTF(Source);
    Block.push_back('\0');
  } else if (Format == cfHTMLFormat()) {
    Block = ContentToHTML(Source);
    WrapCFHTML(Block);
    Block.push_back('\0');
  } else {
    return false;
  }
  return true;
}

HRESULT TCustomNodeStringTree::RenderOLEFormat(const TFormatEtc& FormatEtcIn, TStgMedium& Medium,
                                               bool ForClipboard) {
  HRESULT result = TBaseNodeTree::RenderOLEFormat(FormatEtcIn, Medium, ForClipboard);
  if (result >= 0) return result;
  try {
    std::string block;
    if (ContentToClipboard(FormatEtcIn.cfFormat, ForClipboard ? tstCutCopySet : tstSelected, block)) {
      Medium = TStgMedium{};
      Medium.tymed = TYMED_HGLOBAL;
      Medium.Global = std::move(block);
      result = S_OK;
    }
  } catch (...) {
    Medium = TStgMedium{};
    result = E_FAIL;
  }
  return result;
}

bool TCustomNodeStringTree::SaveToCSVFile(const std::string& FileNameWithPath, bool IncludeHeading,
                                          std::string* Error) {
  if (FileNameWithPath.empty()) return false;
  std::string text;
  const TNodeTreeColumns& columns = Header().Columns();
  if (IncludeHeading) {
    for (TColumnIndex i = 0; i < columns.Count(); ++i) {
      if (i > 0) text += ",";
      text += Quoted(columns[i]->Text());
    }
    text += "\r\n";
  }
  for (PVNode node = GetFirst(); node; node = GetNextSibling(node)) {
    for (TColumnIndex i = 0; i < columns.Count(); ++i) {
      if (i > 0) text += ",";
      std::string cell = Text(node, i);
      text += Quoted(cell.empty() ? " " : cell);
    }
    text += "\r\n";
  }
  const std::string ansi = Utf8ToWindows1252(text);
  const std::string bytes = Windows1252ToUtf8(ansi) == text ? ansi : "\xEF\xBB\xBF" + text;
  const TWriteResult written = WriteFileAtomic(FileNameWithPath, bytes);
  if (!written && Error) *Error = written.Error;
  return written.Ok;
}
