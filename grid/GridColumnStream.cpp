#include "grid/GridColumnStream.h"

#include "grid/ProGridError.h"

#include <charconv>
#include <functional>
#include <vector>

namespace {

constexpr std::string_view kMagic = "VelmaricColumns 1";
// Far above any form's columns; stops a damaged count from allocating without end.
constexpr int kMaxColumns = 100000;

std::string Escape(std::string_view S) {
  std::string out;
  for (char c : S) {
    switch (c) {
    case '\\':
      out += "\\\\";
      break;
    case '\n':
      out += "\\n";
      break;
    case '\r':
      out += "\\r";
      break;
    default:
      out += c;
    }
  }
  return out;
}

bool Unescape(std::string_view S, std::string& Out) {
  Out.clear();
  for (std::size_t i = 0; i < S.size(); ++i) {
    if (S[i] != '\\') {
      Out += S[i];
      continue;
    }
    if (++i >= S.size()) return false;
    switch (S[i]) {
    case '\\':
      Out += '\\';
      break;
    case 'n':
      Out += '\n';
      break;
    case 'r':
      Out += '\r';
      break;
    default:
      return false;
    }
  }
  return true;
}

bool ToInt(std::string_view S, long long Min, long long Max, long long& Out) {
  const char* end = S.data() + S.size();
  auto [p, ec] = std::from_chars(S.data(), end, Out);
  return ec == std::errc() && p == end && !S.empty() && Out >= Min && Out <= Max;
}

bool ToInt(std::string_view S, int& Out) {
  long long v = 0;
  if (!ToInt(S, INT32_MIN, INT32_MAX, v)) return false;
  Out = static_cast<int>(v);
  return true;
}

bool ToBool(std::string_view S, bool& Out) {
  if (S == "True")
    Out = true;
  else if (S == "False")
    Out = false;
  else
    return false;
  return true;
}

std::string FromBool(bool B) {
  return B ? "True" : "False";
}

template <class E> std::string FromEnum(E Value) {
  return std::string(EnumName(Value));
}

template <class E> bool ToEnum(std::string_view S, E& Out) {
  return EnumValue(S, Out);
}

std::string FromBorders(TCellBorders B) {
  std::string out;
  for (int i = 0; i < 4; ++i)
    if (B.Contains(static_cast<TCellBorder>(i))) {
      if (!out.empty()) out += ',';
      out += EnumNameAt<TCellBorder>(i);
    }
  return out;
}

bool ToBorders(std::string_view S, TCellBorders& Out) {
  Out = {};
  while (!S.empty()) {
    const auto comma = S.find(',');
    std::string_view name = S.substr(0, comma);
    TCellBorder b;
    if (!EnumValue(name, b)) return false;
    Out.Include(b);
    if (comma == std::string_view::npos) break;
    S.remove_prefix(comma + 1);
    if (S.empty()) return false;
  }
  return true;
}

// One published property: its name, how it is written and how a value is taken back.
struct TProp {
  std::string_view Name;
  std::function<std::string(const TGridColumnItem&)> Get;
  std::function<bool(TGridColumnItem&, std::string_view)> Set;
};

TProp IntProp(std::string_view Name, int (TGridColumnItem::*Get)() const, void (TGridColumnItem::*Set)(int)) {
  return {Name, [Get](const TGridColumnItem& c) { return std::to_string((c.*Get)()); },
          [Set](TGridColumnItem& c, std::string_view v) {
            int i = 0;
            if (!ToInt(v, i)) return false;
            (c.*Set)(i);
            return true;
          }};
}

TProp BoolProp(std::string_view Name, bool (TGridColumnItem::*Get)() const,
               void (TGridColumnItem::*Set)(bool)) {
  return {Name, [Get](const TGridColumnItem& c) { return FromBool((c.*Get)()); },
          [Set](TGridColumnItem& c, std::string_view v) {
            bool b = false;
            if (!ToBool(v, b)) return false;
            (c.*Set)(b);
            return true;
          }};
}

TProp StrProp(std::string_view Name, const std::string& (TGridColumnItem::*Get)() const,
              void (TGridColumnItem::*Set)(const std::string&)) {
  return {Name, [Get](const TGridColumnItem& c) { return Escape((c.*Get)()); },
          [Set](TGridColumnItem& c, std::string_view v) {
            std::string s;
            if (!Unescape(v, s)) return false;
            (c.*Set)(s);
            return true;
          }};
}

TProp ColorProp(std::string_view Name, TColor (TGridColumnItem::*Get)() const,
                void (TGridColumnItem::*Set)(TColor)) {
  return {Name,
          [Get](const TGridColumnItem& c) { return std::to_string(static_cast<long long>((c.*Get)())); },
          [Set](TGridColumnItem& c, std::string_view v) {
            long long i = 0;
            if (!ToInt(v, INT32_MIN, UINT32_MAX, i)) return false;
            (c.*Set)(static_cast<TColor>(i));
            return true;
          }};
}

template <class E>
TProp EnumProp(std::string_view Name, E (TGridColumnItem::*Get)() const, void (TGridColumnItem::*Set)(E)) {
  return {Name, [Get](const TGridColumnItem& c) { return FromEnum((c.*Get)()); },
          [Set](TGridColumnItem& c, std::string_view v) {
            E e{};
            if (!ToEnum(v, e)) return false;
            (c.*Set)(e);
            return true;
          }};
}

TProp BordersProp(std::string_view Name, TCellBorders (TGridColumnItem::*Get)() const,
                  void (TGridColumnItem::*Set)(TCellBorders)) {
  return {Name, [Get](const TGridColumnItem& c) { return FromBorders((c.*Get)()); },
          [Set](TGridColumnItem& c, std::string_view v) {
            TCellBorders b;
            if (!ToBorders(v, b)) return false;
            (c.*Set)(b);
            return true;
          }};
}

// Fonts and pens as a few comma-separated numbers (the font's name last: it may hold commas).
TProp FontProp(std::string_view Name, TFont& (TGridColumnItem::*Font)()) {
  return {Name,
          [Font](const TGridColumnItem& c) {
            const TFont& f = (const_cast<TGridColumnItem&>(c).*Font)();
            return std::to_string(f.Height()) + "," + std::to_string(static_cast<long long>(f.Color())) +
                   "," + std::to_string(f.Style()) + "," + std::to_string(static_cast<int>(f.Pitch())) + "," +
                   std::to_string(f.Charset()) + "," + Escape(f.Name());
          },
          [Font](TGridColumnItem& c, std::string_view v) {
            long long n[5];
            for (int i = 0; i < 5; ++i) {
              const auto comma = v.find(',');
              if (comma == std::string_view::npos) return false;
              static constexpr long long lo[5] = {-10000, INT32_MIN, 0, 0, 0};
              static constexpr long long hi[5] = {10000, UINT32_MAX, 15, 2, 255};
              if (!ToInt(v.substr(0, comma), lo[i], hi[i], n[i])) return false;
              v.remove_prefix(comma + 1);
            }
            std::string name;
            if (!Unescape(v, name)) return false;
            TFont f;
            f.SetHeight(static_cast<int>(n[0]));
            f.SetColor(static_cast<TColor>(n[1]));
            f.SetStyle(static_cast<TFontStyles>(n[2]));
            f.SetPitch(static_cast<TFontPitch>(n[3]));
            f.SetCharset(static_cast<int>(n[4]));
            f.SetName(name);
            (c.*Font)().Assign(f);
            return true;
          }};
}

TProp PenProp(std::string_view Name, TPen& (TGridColumnItem::*Pen)()) {
  return {Name,
          [Pen](const TGridColumnItem& c) {
            const TPen& p = (const_cast<TGridColumnItem&>(c).*Pen)();
            return std::to_string(static_cast<long long>(p.Color())) + "," + std::to_string(p.Width()) + "," +
                   std::to_string(static_cast<int>(p.Style())) + "," +
                   std::to_string(static_cast<int>(p.Mode()));
          },
          [Pen](TGridColumnItem& c, std::string_view v) {
            long long n[4];
            static constexpr long long lo[4] = {INT32_MIN, 1, 0, 0};
            static constexpr long long hi[4] = {UINT32_MAX, 10000, psInsideFrame, pmNotXor};
            for (int i = 0; i < 4; ++i) {
              const auto comma = v.find(',');
              std::string_view part = i < 3 ? v.substr(0, comma) : v;
              if ((i < 3 && comma == std::string_view::npos) || !ToInt(part, lo[i], hi[i], n[i]))
                return false;
              if (i < 3) v.remove_prefix(comma + 1);
            }
            TPen& p = (c.*Pen)();
            p.SetColor(static_cast<TColor>(n[0]));
            p.SetWidth(static_cast<int>(n[1]));
            p.SetStyle(static_cast<TPenStyle>(n[2]));
            p.SetMode(static_cast<TPenMode>(n[3]));
            return true;
          }};
}

using C = TGridColumnItem;

const std::vector<TProp>& Props() {
  static const std::vector<TProp> props = {
      IntProp("AutoMinSize", &C::AutoMinSize, &C::SetAutoMinSize),
      IntProp("AutoMaxSize", &C::AutoMaxSize, &C::SetAutoMaxSize),
      EnumProp<TAlignment>("Alignment", &C::Alignment, &C::SetAlignment),
      BordersProp("Borders", &C::Borders, &C::SetBorders),
      PenProp("BorderPen", &C::BorderPen),
      StrProp("CheckFalse", &C::CheckFalse, &C::SetCheckFalse),
      StrProp("CheckTrue", &C::CheckTrue, &C::SetCheckTrue),
      ColorProp("Color", &C::Color, &C::SetColor),
      EnumProp<TColumnPopupType>("ColumnPopupType", &C::ColumnPopupType, &C::SetColumnPopupType),
      IntProp("DropDownCount", &C::DropDownCount, &C::SetDropDownCount),
      IntProp("EditLength", &C::EditLength, &C::SetEditLength),
      StrProp("EditMask", &C::EditMask, &C::SetEditMask),
      EnumProp<TEditorType>("Editor", &C::Editor, &C::SetEditor),
      BoolProp("FilterCaseSensitive", &C::FilterCaseSensitive, &C::SetFilterCaseSensitive),
      BoolProp("Fixed", &C::Fixed, &C::SetFixed),
      StrProp("FloatFormat", &C::FloatFormat, &C::SetFloatFormat),
      FontProp("Font", &C::Font),
      StrProp("Header", &C::Header, &C::StoreHeader),
      EnumProp<TAlignment>("HeaderAlignment", &C::HeaderAlignment, &C::SetHeaderAlignment),
      FontProp("HeaderFont", &C::HeaderFont),
      IntProp("MinSize", &C::MinSize, &C::SetMinSize),
      IntProp("MaxSize", &C::MaxSize, &C::SetMaxSize),
      StrProp("Name", &C::Name, &C::SetName),
      BoolProp("Password", &C::Password, &C::SetPassword),
      BoolProp("PrintBorderCustom", &C::PrintBorderCustom, &C::SetPrintBorderCustom),
      BordersProp("PrintBorders", &C::PrintBorders, &C::SetPrintBorders),
      PenProp("PrintBorderPen", &C::PrintBorderPen),
      ColorProp("PrintColor", &C::PrintColor, &C::SetPrintColor),
      BoolProp("PrintFontCustom", &C::PrintFontCustom, &C::SetPrintFontCustom),
      FontProp("PrintFont", &C::PrintFont),
      BoolProp("ReadOnly", &C::ReadOnly, &C::SetReadOnly),
      BoolProp("ShowBands", &C::ShowBands, &C::SetShowBands),
      EnumProp<TSortStyle>("SortStyle", &C::SortStyle, &C::SetSortStyle),
      StrProp("SortPrefix", &C::SortPrefix, &C::SetSortPrefix),
      StrProp("SortSuffix", &C::SortSuffix, &C::SetSortSuffix),
      IntProp("SpinMax", &C::SpinMax, &C::SetSpinMax),
      IntProp("SpinMin", &C::SpinMin, &C::SetSpinMin),
      IntProp("SpinStep", &C::SpinStep, &C::SetSpinStep),
      IntProp("Tag", &C::Tag, &C::SetTag),
      {"Width", [](const C& c) { return std::to_string(c.Grid() ? c.Width() : c.StoredWidth()); },
       [](C& c, std::string_view v) {
         int w = 0;
         if (!ToInt(v, w) || w < 0) return false;
         c.StoreWidth(w);
         return true;
       }},
  };
  return props;
}

void ListLines(std::string& Out, std::string_view Name, const TStringList& List) {
  for (int i = 0; i < List.Count(); ++i)
    Out += std::string(Name) + "[]=" + Escape(List[i]) + "\n";
}

[[noreturn]] void Damaged(int Line, std::string_view Why) {
  throw EProGridError("Column stream damaged at line " + std::to_string(Line) + ": " + std::string(Why));
}

} // namespace

std::string WriteColumnStream(const TGridColumnCollection& Columns) {
  std::string out(kMagic);
  out += "\nCount=" + std::to_string(Columns.Count()) + "\n";
  for (int i = 0; i < Columns.Count(); ++i) {
    const TGridColumnItem& c = *Columns.Items(i);
    out += "[Column]\n";
    for (const TProp& p : Props())
      out += std::string(p.Name) + "=" + p.Get(c) + "\n";
    ListLines(out, "ComboItems", c.ComboItems());
    ListLines(out, "Filter", c.Filter());
    out += "[End]\n";
  }
  return out;
}

void ReadColumnStream(std::string_view Text, TGridColumnCollection& Into) {
  std::vector<std::string_view> lines;
  while (!Text.empty()) {
    const auto nl = Text.find('\n');
    lines.push_back(Text.substr(0, nl));
    if (nl == std::string_view::npos) break;
    Text.remove_prefix(nl + 1);
  }
  std::size_t at = 0;
  if (lines.empty() || lines[0] != kMagic) Damaged(1, "not a column stream");
  at = 1;
  int count = 0;
  if (at >= lines.size() || !lines[at].starts_with("Count=") || !ToInt(lines[at].substr(6), count) ||
      count < 0 || count > kMaxColumns)
    Damaged(2, "no column count");
  ++at;
  for (int n = 0; n < count; ++n) {
    if (at >= lines.size() || lines[at] != "[Column]") Damaged(static_cast<int>(at) + 1, "column expected");
    ++at;
    TGridColumnItem* item = static_cast<TGridColumnItem*>(Into.TCollection::Add());
    std::vector<bool> seen(Props().size(), false);
    for (;; ++at) {
      if (at >= lines.size()) Damaged(static_cast<int>(at) + 1, "column not closed");
      const std::string_view line = lines[at];
      if (line == "[End]") break;
      const auto eq = line.find('=');
      if (eq == std::string_view::npos) Damaged(static_cast<int>(at) + 1, "no value");
      const std::string_view key = line.substr(0, eq), value = line.substr(eq + 1);
      if (key == "ComboItems[]" || key == "Filter[]") {
        std::string s;
        if (!Unescape(value, s)) Damaged(static_cast<int>(at) + 1, "bad text");
        (key == "Filter[]" ? item->Filter() : item->ComboItems()).Add(s);
        continue;
      }
      bool known = false;
      for (std::size_t p = 0; p < Props().size(); ++p) {
        if (Props()[p].Name != key) continue;
        if (seen[p] || !Props()[p].Set(*item, value)) Damaged(static_cast<int>(at) + 1, "bad value");
        seen[p] = known = true;
        break;
      }
      if (!known) Damaged(static_cast<int>(at) + 1, "unknown property");
    }
    ++at;
  }
  while (at < lines.size() && lines[at].empty())
    ++at;
  if (at != lines.size()) Damaged(static_cast<int>(at) + 1, "data after the columns");
}
