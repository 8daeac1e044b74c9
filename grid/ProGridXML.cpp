// The grid as a simple XML document of records and fields, and XML documents read back into
// cells: records become rows, their attributes and leaf elements cells.
#include "grid/GridFileText.h"
#include "grid/ProGrid.h"
#include "platform/AtomicFile.h"
#include "platform/Files.h"
#include "platform/StringList.h"
#include "platform/TextCodec.h"
#include "platform/Xml.h"

#include <algorithm>
#include <map>
#include <optional>

using namespace gridfile;

namespace {

// Deeper documents are refused; the grid's records never nest more than a few levels.
constexpr int MaxXmlDepth = 256;

enum class TXmlCoding { Utf8, Utf16Le, Utf16Be, Latin1, Ansi, Ascii };

TXmlCoding XmlCoding(std::string name) {
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
  if (name == "utf-8" || name == "utf8") return TXmlCoding::Utf8;
  if (name == "utf-16" || name == "utf-16le" || name == "unicode") return TXmlCoding::Utf16Le;
  if (name == "utf-16be") return TXmlCoding::Utf16Be;
  if (name == "iso-8859-1" || name == "latin1" || name == "latin-1" || name == "iso_8859-1" || name == "l1")
    return TXmlCoding::Latin1;
  if (name == "windows-1252" || name == "cp1252") return TXmlCoding::Ansi;
  // Any other encoding reads ASCII alike: everything else goes out as character references.
  return TXmlCoding::Ascii;
}

bool Holds(TXmlCoding coding, char32_t c, std::string_view utf8) {
  switch (coding) {
  case TXmlCoding::Utf8:
  case TXmlCoding::Utf16Le:
  case TXmlCoding::Utf16Be:
    return true;
  case TXmlCoding::Latin1:
    // 0x80..0x9F are left out: readers that take the name for Windows-1252 read them otherwise.
    return c >= 0xA0 && c <= 0xFF;
  case TXmlCoding::Ansi:
    return Utf8ToAnsiExact(utf8).has_value();
  case TXmlCoding::Ascii:
    return false;
  }
  return false;
}

// Standard entities, CR as a reference (the parser turns a written CR LF into LF) and every
// character the encoding lacks as a reference.
void AppendEscaped(std::string& out, std::string_view text, TXmlCoding coding) {
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t from = i;
    const char32_t c = Utf8Next(text, i);
    switch (c) {
    case '&':
      out += "&amp;";
      break;
    case '<':
      out += "&lt;";
      break;
    case '>':
      out += "&gt;";
      break;
    case '"':
      out += "&quot;";
      break;
    default:
      if ((c < 0x20 && c != '\t' && c != '\n') ||
          (c >= 0x80 && !Holds(coding, c, text.substr(from, i - from))))
        out += "&#" + std::to_string(static_cast<std::uint32_t>(c)) + ";";
      else
        out += text.substr(from, i - from);
    }
  }
}

std::string EncodeXml(const std::string& text, TXmlCoding coding) {
  switch (coding) {
  case TXmlCoding::Utf16Le:
    return std::string("\xFF\xFE", 2) + Utf8ToUtf16Le(text);
  case TXmlCoding::Utf16Be: {
    std::string le = Utf8ToUtf16Le(text);
    for (std::size_t i = 0; i + 1 < le.size(); i += 2)
      std::swap(le[i], le[i + 1]);
    return std::string("\xFE\xFF", 2) + le;
  }
  case TXmlCoding::Latin1:
  case TXmlCoding::Ansi:
    return Utf8ToWindows1252(text);
  default:
    return text;
  }
}

bool IsNameChar(unsigned char c, bool first) {
  if (c >= 0x80 || c == '_' || c == ':' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return true;
  return !first && ((c >= '0' && c <= '9') || c == '-' || c == '.');
}

const std::string& CheckedName(const std::string& name) {
  bool ok = !name.empty();
  for (std::size_t i = 0; ok && i < name.size(); ++i)
    ok = IsNameChar(static_cast<unsigned char>(name[i]), i == 0);
  if (!ok) throw EProGridError("\"" + name + "\" is no valid XML element name");
  return name;
}

} // namespace

std::string TProStringGrid::XMLBytes(const std::string& ListDescr, const std::string& RecordDescr,
                                     const TStrings* FieldDescr, bool ExportEmptyCells) {
  const TXmlCoding coding = XmlCoding(FFileOptions.XMLEncoding);
  const bool all = FFileOptions.SaveHiddenCells;
  const int h = all ? NumHiddenColumns() : 0;
  const int c0 = SaveStartCol(), c1 = SaveEndCol() + h;
  std::vector<int> real;
  std::vector<std::string> names;
  for (int c = c0; c <= c1; ++c) {
    const int k = c - c0;
    real.push_back(all ? c : DisplToRealCol(c));
    names.push_back(CheckedName(FieldDescr && k < FieldDescr->Count() ? FieldDescr->Strings(k)
                                                                      : "FIELD" + std::to_string(k)));
  }
  std::string text = "<?xml version=\"1.0\" encoding=\"";
  AppendEscaped(text, FFileOptions.XMLEncoding, TXmlCoding::Ascii);
  text += "\" ?>\r\n<" + CheckedName(ListDescr) + ">\r\n";
  CheckedName(RecordDescr);
  ExportNotification(esExportStart, SaveStartRow());
  int last = -1;
  for (int r = SaveStartRow(); r <= SaveEndRow(); ++r) {
    ExportNotification(esExportNextRow, r);
    text += "<" + RecordDescr + ">\r\n";
    for (std::size_t k = 0; k < real.size(); ++k) {
      if (real[k] < 0 || IsMergedNonBaseCell(real[k], r)) continue;
      std::string cell = GetSaveCellText(real[k], r);
      if (cell.empty() && !ExportEmptyCells) continue;
      if (cell.empty() && FFileOptions.QuoteEmptyCells) cell = "\"\"";
      text += "<" + names[k] + ">";
      AppendEscaped(text, cell, coding);
      text += "</" + names[k] + ">\r\n";
    }
    text += "</" + RecordDescr + ">\r\n";
    if (OnFileProgress) {
      int p = Percent(r - SaveStartRow(), std::max(1, SaveEndRow() - SaveStartRow()));
      if (p != last) OnFileProgress(this, static_cast<std::int16_t>(last = p));
    }
  }
  text += "</" + ListDescr + ">\r\n";
  ExportNotification(esExportDone, -1);
  return EncodeXml(text, coding);
}

void TProStringGrid::SaveToXML(const std::string& FileName, const std::string& ListDescr,
                               const std::string& RecordDescr, const TStrings* FieldDescr,
                               bool ExportEmptyCells) {
  const std::string bytes = XMLBytes(ListDescr, RecordDescr, FieldDescr, ExportEmptyCells);
  if (!WriteFileAtomic(FileName, bytes)) throw EProGridError("Cannot Create file " + FileName);
}

void TProStringGrid::LoadFromXML(const std::string& FileName, bool LevelToRow, bool LoadFieldDescr) {
  std::string bytes;
  if (!FileExists(FileName) || !ReadFileBytes(FileName, bytes)) throw EProGridError("XML file not found");
  LoadXMLBytes(bytes, LevelToRow, LoadFieldDescr);
}

namespace {

// The number of a field element as this grid writes it without field names: "FIELD" and the
// column's number in the range. Fields left out (empty or covered cells) leave gaps in these.
std::optional<long long> FieldNumber(std::string_view name) {
  if (!name.starts_with("FIELD") || name.size() < 6 || name.size() > 14) return std::nullopt;
  name.remove_prefix(5);
  if (name.size() > 1 && name.front() == '0') return std::nullopt;
  long long n = 0;
  for (char ch : name) {
    if (ch < '0' || ch > '9') return std::nullopt;
    n = n * 10 + (ch - '0');
  }
  return n;
}

// The cells a document gives, gathered and checked before the grid changes.
struct TXmlCells {
  struct TCell {
    long long Col, Row;
    std::string Text;
  };
  bool LevelToRow = false, LoadFieldDescr = false, Headers = false, QuoteEmpty = true;
  long long MaxCols = 0, MaxRows = 0;
  long long C0 = 0, R0 = 0, Col = 0, Row = 0, Level = 1;
  long long LargestCol = 0, LargestRow = 0;
  std::vector<TCell> Cells;
  std::map<long long, std::string> Names; // row-0 texts by column
  std::function<bool(long long)> HeaderEmpty;

  // The target cell, grown to; never a row above the first.
  void Put(std::string text) {
    Row = std::max(0LL, Row);
    const long long c = C0 + Col, r = R0 + Row;
    if (c >= MaxCols || r >= MaxRows)
      throw EProGridError("The XML document holds more columns or rows than the grid loads");
    LargestCol = std::max(LargestCol, c);
    LargestRow = std::max(LargestRow, r);
    Cells.push_back({c, r, std::move(text)});
  }
  void Name(const std::string& name) {
    const long long c = C0 + Col;
    if (c >= MaxCols) return;
    if (!Names.contains(c) && HeaderEmpty(c)) Names.emplace(c, name);
  }

  static void AppendText(const TXmlNode& node, std::string& out, int depth) {
    if (depth > MaxXmlDepth)
      throw EProGridError("The XML document nests deeper than " + std::to_string(MaxXmlDepth) + " levels");
    if (!node.IsElement()) {
      out += node.Value();
      return;
    }
    for (TXmlNode child = node.FirstChildNode(); child; child = child.NextSiblingNode())
      AppendText(child, out, depth + 1);
  }

  // A numbered field of a record goes to its own column, past the fields left out before it.
  void TakeFieldNumber(const TXmlNode& node, int depth) {
    if (depth != 2) return;
    if (std::optional<long long> k = FieldNumber(node.Name()); k && *k >= Col) Col = *k;
  }

  void Walk(const TXmlNode& node, int depth) {
    if (depth > MaxXmlDepth)
      throw EProGridError("The XML document nests deeper than " + std::to_string(MaxXmlDepth) + " levels");
    if (!node.IsElement()) {
      // Text beside elements is a field of its own.
      Put(node.Value());
      ++Col;
      return;
    }
    bool moved = false;
    int attributes = 0;
    for (TXmlAttribute a = node.FirstAttribute(); a; a = a.Next(), ++attributes) {
      if (Headers) Name(a.Name());
      Put(a.Value());
      ++Col;
    }
    if (LevelToRow && attributes > 0) {
      ++Row;
      Col = Level;
      moved = true;
    }
    int children = 0;
    for (TXmlNode child = node.FirstChildNode(); child && children < 2; child = child.NextSiblingNode())
      ++children;
    // The line break between a record's start and end tags is layout, not a field.
    if (depth == 1 && children == 1 && !node.FirstChildNode().IsElement() &&
        node.FirstChildNode().Value().find_first_not_of(" \t\r\n") == std::string::npos)
      children = 0;
    if (children > 1) {
      if (LevelToRow && !moved) {
        ++Row;
        Col = 0;
      }
      ++Level;
      for (TXmlNode child = node.FirstChildNode(); child; child = child.NextSiblingNode())
        Walk(child, depth + 1);
    } else if (children == 1) {
      TakeFieldNumber(node, depth);
      if (Headers && LoadFieldDescr) Name(node.Name());
      std::string text;
      AppendText(node, text, depth);
      if (QuoteEmpty && text == "\"\"") text.clear();
      Put(std::move(text));
      ++Col;
    } else if (attributes == 0) {
      // An empty field element; a record of attributes alone adds no field.
      TakeFieldNumber(node, depth);
      Put(std::string());
      ++Col;
    }
  }
};

} // namespace

void TProStringGrid::LoadXMLBytes(std::string_view Bytes, bool LevelToRow, bool LoadFieldDescr) {
  TXmlDocument doc;
  if (TXmlLoadResult loaded = doc.LoadFromBytes(Bytes); !loaded)
    throw EProGridError("XMLDOM Parsing error: " + loaded.Error);
  const bool headers = FSaveFixedCells || FSaveFixedRows;
  TXmlCells x;
  x.LevelToRow = LevelToRow;
  x.LoadFieldDescr = LoadFieldDescr;
  x.Headers = headers;
  x.QuoteEmpty = FFileOptions.QuoteEmptyCells;
  x.MaxCols = FFileOptions.MaxLoadColCount;
  x.MaxRows = FFileOptions.MaxLoadRowCount;
  x.C0 = SaveStartCol();
  x.R0 = headers && !LoadFieldDescr ? 0 : FixedRows();
  x.LargestCol = x.C0;
  x.LargestRow = x.R0;
  x.HeaderEmpty = [this](long long c) {
    return c >= ColCount() || GridCells(DisplToRealCol(static_cast<int>(c)), 0).empty();
  };
  int i = 0;
  for (TXmlNode record = doc.DocumentElement().FirstChildNode(); record;
       record = record.NextSiblingNode(), ++i) {
    x.Col = 0;
    x.Level = 1;
    if (LevelToRow && i == 0 && !record.FirstAttribute()) x.Row = -1;
    x.Walk(record, 1);
    if (!LevelToRow) ++x.Row;
  }

  SetColCount(static_cast<int>(std::max<long long>(x.LargestCol + 1, FixedCols() + 1)));
  SetRowCount(static_cast<int>(std::max<long long>(x.LargestRow + 1, FixedRows() + 1)));
  for (const auto& [c, name] : x.Names)
    if (c < ColCount()) LoadCellText(DisplToRealCol(static_cast<int>(c)), 0, name);
  for (const TXmlCells::TCell& cell : x.Cells)
    LoadCellText(DisplToRealCol(static_cast<int>(cell.Col)), static_cast<int>(cell.Row), cell.Text);
  CellsChanged(TRect{0, 0, ColCount(), RowCount()});
  CellsLoaded();
}
