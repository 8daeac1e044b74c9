// The grid as one HTML table: each distinct cell look a CSS class, merged cells as spans, plain
// texts escaped, mini-HTML passed as it is.
#include "controls/HTMLEntities.h"
#include "controls/ProUtilCellText.h"
#include "controls/ProUtilText.h"
#include "grid/GridFileText.h"
#include "grid/ProGrid.h"
#include "platform/AtomicFile.h"
#include "platform/Files.h"
#include "platform/Process.h"
#include "platform/TextCodec.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/PictureEncodeJpeg.h"

#include <algorithm>
#include <filesystem>

using namespace gridfile;

namespace {

constexpr TColor NoColor = static_cast<TColor>(0x7FFFFFFF);

std::string Quoted(const std::string& value) {
  return "\"" + value + "\"";
}

std::string Escaped(std::string_view text, bool special) {
  return EncodeHTMLText(text, special);
}

bool IsBlank(std::string_view text) {
  return text.find_first_not_of(' ') == text.npos;
}

// The first `n` characters of a text.
std::string_view Leading(std::string_view text, long long n) {
  return CharSlice(text, 0, n);
}

} // namespace

std::string TProStringGrid::HTMLPage(const std::string* PictureDir, const char* Encoding) {
  THTMLSettings& s = FHTMLSettings;
  const std::string q = "\"";
  const int f = FSaveFixedCells || FSaveFixedCols ? 0 : FixedCols();
  int firstRow = FSaveFixedCells || FSaveFixedRows ? 0 : FixedRows();
  std::vector<std::string> styles;
  std::vector<std::string> lines;
  (void)PictureDir;

  std::string head;
  if (s.XHTML()) {
    head += "<?xml version=\"1.0\" encoding=\"" + std::string(Encoding) + "\"?>\r\n";
    head += "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\"\r\n";
    head += "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">\r\n";
    head += "<HTML xmlns=\"http://www.w3.org/1999/xhtml\" xml:lang=\"en\" lang=\"en\">\r\n";
  }
  head += s.PrefixTag();

  std::string table = "<TABLE BORDER=" + Quoted(std::to_string(s.BorderSize())) +
                      " CELLSPACING=" + Quoted(std::to_string(s.CellSpacing())) +
                      " CELLPADDING=" + Quoted(std::to_string(s.CellPadding())) + " ";
  if (!s.Summary().empty()) table += "SUMMARY=" + Quoted(Escaped(s.Summary(), false)) + " ";
  if (!s.TableStyle().empty()) table += " " + s.TableStyle() + " ";
  table += " WIDTH=" + Quoted(std::to_string(s.Width()) + "%") + ">";
  lines.push_back(table);

  const bool header = FixedRows() > 0 && (FSaveFixedCells || FSaveFixedRows);
  // Pictures go to Dir + "images/img<n>.jpg", numbered from 1 in the order written; a page
  // without a folder leaves them out.
  int picture = 1;
  auto pictureTag = [&](const TBitmap& bitmap) -> std::string {
    if (!PictureDir) return {};
    const std::string folder = *PictureDir + "images";
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec) && !std::filesystem::create_directories(folder, ec))
      throw EProGridError("Cannot create " + folder);
    const std::string path = folder + "/img" + std::to_string(picture++) + ".jpg";
    const std::string jpeg = EncodeJpeg(bitmap);
    if (jpeg.empty()) return {};
    TWriteResult written = WriteFileAtomic(path, jpeg);
    if (!written) throw EProGridError(written.Error);
    return "<img src= " + Quoted("file://" + path) + ">";
  };
  auto imageTag = [&](int index) -> std::string {
    const TImageList* images = GetGridImages();
    TBitmap bitmap;
    if (!images || index < 0 || index >= images->Count() || !images->GetBitmap(index, bitmap)) return {};
    return pictureTag(bitmap);
  };
  auto WithPictures = [&](int rc, int r, const std::string& text) -> std::string {
    const TCellGraphic* g = GetCellGraphic(rc, r);
    if (!g) return text;
    const TImageList* images = GetGridImages();
    switch (g->CellType()) {
    case ctNode:
      return "+" + text;
    case ctBitmap:
      return g->CellBitmap() ? text + pictureTag(*g->CellBitmap()) : text;
    case ctPicture:
      return g->CellPicture() ? text + pictureTag(g->CellPicture()->Bitmap()) : text;
    case ctImageList:
      return images && g->CellIndex() >= 0 && g->CellIndex() < images->Count()
                 ? imageTag(g->CellIndex()) + text
                 : text;
    case ctDataImage: {
      const std::optional<int> index = StrictInt(GridCells(rc, r));
      return images && index && *index >= 0 && *index < images->Count() ? imageTag(*index) : std::string();
    }
    case ctImages: {
      if (!images || !g->CellIntList()) return text;
      std::string tags;
      for (int index : g->CellIntList()->ToVector())
        tags += imageTag(index);
      return tags + text;
    }
    default:
      return text;
    }
  };
  auto cellLine = [&](int c, int r, bool isHeader) {
    const int rc = DisplToRealCol(c);
    if (rc < 0 || IsMergedNonBaseCell(rc, r)) return;
    std::string spans;
    const TPoint span = CellSpan(rc, r);
    if (span.X > 0) spans += " COLSPAN=" + Quoted(std::to_string(span.X + 1));
    if (span.Y > 0) spans += " ROWSPAN=" + Quoted(std::to_string(span.Y + 1));

    // Text: plain texts escaped (headers too), mini-HTML as it is; nothing twice.
    const std::string raw = GetSaveCellText(rc, r);
    const bool body = !isHeader;
    const bool special = body && s.ConvertSpecialChars();
    const bool markup = CellTextKind(raw, FEnableHTML) == 1;
    auto finish = [&](std::string text) {
      if (body && s.NonBreakingText()) text = SpacesToNbsp(text);
      return CRToHTMLBreaks(text);
    };
    std::string text;
    const bool url = raw.find("://") != raw.npos, mail = raw.find("mailto:") != raw.npos;
    if (FURLShow && (url || mail) && raw.find("</") == raw.npos) {
      std::string_view shown = raw;
      if (url && !FURLFull)
        shown = Leading(shown.substr(shown.find("://") + 3), 255);
      else if (!url)
        shown = shown.substr(shown.find("mailto:") + 7);
      text = "<a href=" + Quoted(Escaped(raw, false)) + ">" + finish(Escaped(shown, special)) + "</a>";
    } else if (markup) {
      text = finish(special ? Escaped(raw, true) : raw);
    } else {
      text = finish(Escaped(raw, special));
    }
    if (isHeader ? raw.empty() : IsBlank(raw)) text = "&nbsp;";

    // Look.
    TGridDrawState state = 0;
    TBrush brush;
    TFont font;
    brush.SetColor(NoColor);
    font.SetColor(NoColor);
    font.SetStyle(0);
    TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    bool wrap = false;
    TCellGradientDirection dir = GradientVertical;
    GetVisualProperties(c, r, state, false, false, true, brush, colorTo, mirror, mirrorTo, font, ha, va, wrap,
                        dir);
    const bool fixedCell = c < FixedCols() || r < FixedRows();
    const TColor background = isHeader || fixedCell ? FixedColor() : brush.Color();
    std::vector<std::string> parts;
    if (background != NoColor && background != clNone && s.SaveColor())
      parts.push_back("background-color: #" + ColorToRGBHex(background));
    if (font.Color() != NoColor && font.Color() != clNone && s.SaveColor())
      parts.push_back("color: #" + ColorToRGBHex(font.Color()));
    parts.push_back("font-size:" + std::to_string(font.Size()) + "pt");
    if (font.Style() & fsItalic) parts.push_back("font-style: italic");
    if (font.Style() & fsBold) parts.push_back("font-weight: bold");
    parts.push_back("font-family: " + font.Name());
    if (ha == taRightJustify) parts.push_back("text-align: right");
    if (ha == taCenter) parts.push_back("text-align: center");
    parts.push_back(va == vtaTop      ? "vertical-align: top"
                    : va == vtaCenter ? "vertical-align: middle"
                                      : "vertical-align: bottom");
    std::string style;
    for (const std::string& part : parts)
      style += (style.empty() ? "" : ";") + part;
    auto found = std::find(styles.begin(), styles.end(), style);
    const std::size_t cls = static_cast<std::size_t>(found - styles.begin());
    if (found == styles.end()) styles.push_back(style);

    std::string attributes = wrap ? "" : " nowrap";
    TIntList& widths = s.ColWidths();
    if (isHeader && c < widths.Count())
      attributes += " WIDTH=" + std::to_string(widths.Items(c));
    else if (!isHeader && !header && c - f >= 0 && c - f < widths.Count())
      attributes += " width=" + std::to_string(widths.Items(c - f));

    if (s.ExportImages()) text = WithPictures(rc, r, text);

    lines.push_back("<TD class=" + Quoted("c" + std::to_string(cls)) + spans + attributes + ">" + text +
                    "</td>");
  };

  if (header) {
    lines.push_back("<TR>");
    for (int c = f; c < ColCount(); ++c)
      cellLine(c, 0, true);
    lines.push_back("</TR>");
    firstRow = 1;
  }
  ExportNotification(esExportStart, firstRow);
  for (int r = firstRow; r < RowCount(); ++r) {
    ExportNotification(esExportNextRow, r);
    lines.push_back("<TR>");
    for (int c = f; c < ColCount(); ++c)
      cellLine(c, r, false);
    lines.push_back("</TR>");
  }
  ExportNotification(esExportDone, -1);
  lines.push_back("</TABLE>");
  if (!s.SuffixTag().empty()) lines.push_back(s.SuffixTag());
  if (s.XHTML()) lines.push_back("</HTML>");

  std::string page = head + "<style>\r\n";
  for (std::size_t i = 0; i < styles.size(); ++i)
    page += ".c" + std::to_string(i) + " {" + styles[i] + "}\r\n";
  page += "</style>\r\n";
  for (const std::string& line : lines)
    page += line + "\r\n";
  return page;
}

std::string TProStringGrid::SaveToHTMLString(const std::string& Dir) {
  return HTMLPage(&Dir, "utf-8");
}

std::string TProStringGrid::HTMLPageWithoutPictures() {
  return HTMLPage(nullptr, "utf-8");
}

namespace {

void AddFileLines(std::string& text, const std::string& FileName) {
  std::string bytes;
  if (!ReadFileBytes(FileName, bytes)) throw EProGridError("Cannot open file \"" + FileName + "\"");
  AppendFileLines(text, bytes);
}

std::string SevenBit(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const char32_t c = Utf8Next(text, i);
    out += c < 0x80 ? static_cast<char>(c) : '?';
  }
  return out;
}

} // namespace

namespace {

void SaveHTMLFile(TProStringGrid& Grid, const std::string& FileName, bool Show, bool Unicode, bool Append,
                  const std::string& Page) {
  const THTMLSettings& s = Grid.HTMLSettings();
  std::string text;
  if (Append) {
    std::string old;
    if (ReadFileBytes(FileName, old)) AppendFileLines(text, old);
  }
  if (!s.HeaderFile().empty()) AddFileLines(text, s.HeaderFile());
  text += Page;
  if (!s.FooterFile().empty()) AddFileLines(text, s.FooterFile());
  const std::string bytes = Unicode ? std::string("\xFF\xFE", 2) + Utf8ToUtf16Le(text) : SevenBit(text);
  TWriteResult written = WriteFileAtomic(FileName, bytes);
  if (!written) throw EProGridError(written.Error);
  if (Show || s.AutoPreview()) {
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(FileName, ec);
    OpenURL("file://" + (ec ? FileName : full.string()));
  }
}

} // namespace

void TProStringGrid::SaveToHTML(const std::string& FileName, bool Show, bool Unicode) {
  const std::string dir = ExtractFilePath(FileName);
  SaveHTMLFile(*this, FileName, Show, Unicode, false, HTMLPage(&dir, Unicode ? "UTF-16" : "US-ASCII"));
}

void TProStringGrid::AppendToHTML(const std::string& FileName, bool Show, bool Unicode) {
  const std::string dir = ExtractFilePath(FileName);
  SaveHTMLFile(*this, FileName, Show, Unicode, true, HTMLPage(&dir, Unicode ? "UTF-16" : "US-ASCII"));
}

void TProStringGrid::CopyToClipBoardAsHTML() {
  // The envelope counts bytes of the code page it declares, so the page is made ANSI first.
  std::string block = Utf8ToWindows1252(HTMLPageWithoutPictures());
  WrapAsClipboardHTML(block);
  TClipboard& clipboard = *Clipboard();
  clipboard.Open();
  try {
    clipboard.SetBuffer(RegisterClipboardFormat("HTML Format"), block);
    clipboard.SetAsText(Windows1252ToUtf8(block));
  } catch (...) {
    clipboard.Close();
    throw;
  }
  clipboard.Close();
}
