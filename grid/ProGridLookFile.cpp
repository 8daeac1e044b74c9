// The grid's look in a text file: one "key=value" line per colour, switch, size, style and font
// part, in Windows-1252 with CR LF line ends.
#include "grid/Bands.h"
#include "grid/GridFileText.h"
#include "grid/ProGrid.h"
#include "platform/AtomicFile.h"
#include "platform/ColorNames.h"
#include "platform/Files.h"
#include "platform/Persistent.h"
#include "platform/StrToInt.h"
#include "platform/TextCodec.h"

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace {

using TGrid = TProStringGrid;
// Applies one checked value to the grid.
using TApply = std::function<void(TGrid&)>;

// One line of the file: how its value is written, and how a read value (nothing for a missing
// line) is checked and turned into a change of the grid. Staging raises for a value that cannot
// be taken; an empty change leaves the property as it is.
struct TLookKey {
  std::string Key;
  std::function<std::string(TGrid&)> Write;
  std::function<TApply(const std::string& Value)> Stage;
};

bool SameAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::string AsciiUpper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

TLookKey Color(std::string Key, TColor (*Get)(TGrid&), void (*Set)(TGrid&, TColor)) {
  return {std::move(Key), [Get](TGrid& g) { return ColorToString(Get(g)); },
          [Set](const std::string& v) -> TApply {
            const TColor c = v.empty() ? clNone : StringToColor(v);
            return [Set, c](TGrid& g) { Set(g, c); };
          }};
}

TLookKey Bool(std::string Key, bool (*Get)(TGrid&), void (*Set)(TGrid&, bool)) {
  return {std::move(Key), [Get](TGrid& g) -> std::string { return Get(g) ? "true" : "false"; },
          [Set](const std::string& v) -> TApply {
            const bool b = AsciiUpper(v) == "TRUE";
            return [Set, b](TGrid& g) { Set(g, b); };
          }};
}

// Whole numbers within Min .. Max; anything else is refused before the grid changes.
TLookKey Int(std::string Key, int Min, int Max, int (*Get)(TGrid&), void (*Set)(TGrid&, int)) {
  return {Key, [Get](TGrid& g) { return std::to_string(Get(g)); },
          [Set, Key, Min, Max](const std::string& v) -> TApply {
            int n = 0;
            if (!TryStrToInt(v, n)) throw EConvertError("'" + v + "' is not a valid integer value");
            if (n < Min || n > Max)
              throw EProGridError("\"" + Key + "\" value " + v + " is outside " + std::to_string(Min) + ".." +
                                  std::to_string(Max));
            return [Set, n](TGrid& g) { Set(g, n); };
          }};
}

// Identifiers in value order; a value matching none leaves the property as it is.
template <class E>
TLookKey Enum(std::string Key, std::vector<std::string> Names, E (*Get)(TGrid&), void (*Set)(TGrid&, E)) {
  return {std::move(Key),
          [Get, Names](TGrid& g) {
            const auto i = static_cast<size_t>(Get(g));
            return i < Names.size() ? Names[i] : std::string();
          },
          [Set, Names](const std::string& v) -> TApply {
            for (size_t i = 0; i < Names.size(); ++i)
              if (!Names[i].empty() && SameAscii(v, Names[i]))
                return [Set, i](TGrid& g) { Set(g, static_cast<E>(i)); };
            return nullptr;
          }};
}

constexpr std::pair<TFontStyle, const char*> StyleNames[] = {
    {fsBold, "fsBold"}, {fsItalic, "fsItalic"}, {fsUnderline, "fsUnderline"}, {fsStrikeOut, "fsStrikeOut"}};

// The four lines of a font: colour, style, size in points and name.
void AddFont(std::vector<TLookKey>& keys, const std::string& Key, TFont& (*Font)(TGrid&)) {
  keys.push_back({Key + ".Color", [Font](TGrid& g) { return ColorToString(Font(g).Color()); },
                  [Font](const std::string& v) -> TApply {
                    const TColor c = v.empty() ? clNone : StringToColor(v);
                    return [Font, c](TGrid& g) { Font(g).SetColor(c); };
                  }});
  keys.push_back({Key + ".Style",
                  [Font](TGrid& g) {
                    std::string text;
                    for (auto [style, name] : StyleNames)
                      if (Font(g).Style() & style) text += (text.empty() ? "" : ",") + std::string(name);
                    return text;
                  },
                  [Font](const std::string& v) -> TApply {
                    TFontStyles styles = 0;
                    for (auto [style, name] : StyleNames)
                      if (v.find(name) != std::string::npos) styles |= style;
                    return [Font, styles](TGrid& g) { Font(g).SetStyle(styles); };
                  }});
  const std::string size = Key + ".Size";
  keys.push_back({size, [Font](TGrid& g) { return std::to_string(Font(g).Size()); },
                  [Font, size](const std::string& v) -> TApply {
                    int n = 0;
                    if (!TryStrToInt(v, n)) throw EConvertError("'" + v + "' is not a valid integer value");
                    if (n < -4096 || n > 4096)
                      throw EProGridError("\"" + size + "\" value " + v + " is outside -4096..4096");
                    return [Font, n](TGrid& g) { Font(g).SetSize(n); };
                  }});
  keys.push_back(
      {Key + ".Name", [Font](TGrid& g) { return Font(g).Name(); },
       [Font](const std::string& v) -> TApply { return [Font, v](TGrid& g) { Font(g).SetName(v); }; }});
}

const std::vector<TLookKey>& LookKeys() {
  static const std::vector<TLookKey> keys = [] {
    std::vector<TLookKey> k;
    k.push_back(Color(
        "Color", [](TGrid& g) { return g.Color(); }, [](TGrid& g, TColor c) { g.SetColor(c); }));
    k.push_back(Color(
        "HintColor", [](TGrid& g) { return g.HintColor(); }, [](TGrid& g, TColor c) { g.SetHintColor(c); }));
    k.push_back(Color(
        "SelectionColor", [](TGrid& g) { return g.SelectionColor(); },
        [](TGrid& g, TColor c) { g.SetSelectionColor(c); }));
    k.push_back(Color(
        "SelectionColorTo", [](TGrid& g) { return g.SelectionColorTo(); },
        [](TGrid& g, TColor c) { g.SetSelectionColorTo(c); }));
    k.push_back(Color(
        "SelectionMirrorColor", [](TGrid& g) { return g.SelectionMirrorColor(); },
        [](TGrid& g, TColor c) { g.SetSelectionMirrorColor(c); }));
    k.push_back(Color(
        "SelectionMirrorColorTo", [](TGrid& g) { return g.SelectionMirrorColorTo(); },
        [](TGrid& g, TColor c) { g.SetSelectionMirrorColorTo(c); }));
    k.push_back(Color(
        "SelectionTextColor", [](TGrid& g) { return g.SelectionTextColor(); },
        [](TGrid& g, TColor c) { g.SetSelectionTextColor(c); }));
    k.push_back(Color(
        "URLColor", [](TGrid& g) { return g.URLColor(); }, [](TGrid& g, TColor c) { g.SetURLColor(c); }));
    k.push_back(Bool(
        "URLShow", [](TGrid& g) { return g.URLShow(); }, [](TGrid& g, bool b) { g.SetURLShow(b); }));
    k.push_back(Bool(
        "URLShowInText", [](TGrid& g) { return g.URLShowInText(); },
        [](TGrid& g, bool b) { g.SetURLShowInText(b); }));
    k.push_back(Color(
        "ScrollColor", [](TGrid& g) { return g.ScrollColor(); },
        [](TGrid& g, TColor c) { g.SetScrollColor(c); }));
    k.push_back(Color(
        "ActiveRowColor", [](TGrid& g) { return g.ActiveRowColor(); },
        [](TGrid& g, TColor c) { g.SetActiveRowColor(c); }));
    k.push_back(Bool(
        "ActiveRowShow", [](TGrid& g) { return g.ActiveRowShow(); },
        [](TGrid& g, bool b) { g.SetActiveRowShow(b); }));
    k.push_back(Bool(
        "ActiveCellShow", [](TGrid& g) { return g.ActiveCellShow(); },
        [](TGrid& g, bool b) { g.SetActiveCellShow(b); }));
    AddFont(k, "Font", [](TGrid& g) -> TFont& { return g.Font(); });
    k.push_back(Color(
        "ActiveCellColor", [](TGrid& g) { return g.ActiveCellColor(); },
        [](TGrid& g, TColor c) { g.SetActiveCellColor(c); }));
    k.push_back(Color(
        "ActiveCellColorTo", [](TGrid& g) { return g.ActiveCellColorTo(); },
        [](TGrid& g, TColor c) { g.SetActiveCellColorTo(c); }));
    AddFont(k, "ActiveCellFont", [](TGrid& g) -> TFont& { return g.ActiveCellFont(); });
    AddFont(k, "FixedFont", [](TGrid& g) -> TFont& { return g.FixedFont(); });
    // Read back also as "Balloon.BackGroundColor": keys are compared without letter case.
    k.push_back(Color(
        "Balloon.BackgroundColor", [](TGrid& g) { return g.Balloon().BackgroundColor(); },
        [](TGrid& g, TColor c) { g.Balloon().SetBackgroundColor(c); }));
    k.push_back(Color(
        "Balloon.TextColor", [](TGrid& g) { return g.Balloon().TextColor(); },
        [](TGrid& g, TColor c) { g.Balloon().SetTextColor(c); }));
    k.push_back(Int(
        "Balloon.Transparency", 0, 255, [](TGrid& g) { return g.Balloon().Transparency(); },
        [](TGrid& g, int n) { g.Balloon().SetTransparency(n); }));
    k.push_back(Color(
        "Bands.PrimaryColor", [](TGrid& g) { return g.Bands().PrimaryColor(); },
        [](TGrid& g, TColor c) { g.Bands().SetPrimaryColor(c); }));
    k.push_back(Color(
        "Bands.SecondaryColor", [](TGrid& g) { return g.Bands().SecondaryColor(); },
        [](TGrid& g, TColor c) { g.Bands().SetSecondaryColor(c); }));
    k.push_back(Bool(
        "Bands.Active", [](TGrid& g) { return g.Bands().Active(); },
        [](TGrid& g, bool b) { g.Bands().SetActive(b); }));
    k.push_back(Color(
        "SortSettings.IndexColor", [](TGrid& g) { return g.SortSettings().IndexColor(); },
        [](TGrid& g, TColor c) { g.SortSettings().SetIndexColor(c); }));
    k.push_back(Color(
        "FloatingFooter.Color", [](TGrid& g) { return g.FloatingFooter().Color(); },
        [](TGrid& g, TColor c) { g.FloatingFooter().SetColor(c); }));
    k.push_back(Int(
        "ControlLook.CheckSize", 0, 255, [](TGrid& g) { return g.ControlLook().CheckSize(); },
        [](TGrid& g, int n) { g.ControlLook().SetCheckSize(n); }));
    k.push_back(Color(
        "ControlLook.Color", [](TGrid& g) { return g.ControlLook().Color(); },
        [](TGrid& g, TColor c) { g.ControlLook().SetColor(c); }));
    k.push_back(Color(
        "ControlLook.CommentColor", [](TGrid& g) { return g.ControlLook().CommentColor(); },
        [](TGrid& g, TColor c) { g.ControlLook().SetCommentColor(c); }));
    k.push_back(Enum<TGridControlStyle>(
        "ControlLook.ControlStyle",
        {"csClassic", "csFlat", "csWinXP", "csBorland", "csZUZ", "csGlyph", "csTheme"},
        [](TGrid& g) { return g.ControlLook().ControlStyle(); },
        [](TGrid& g, TGridControlStyle s) { g.ControlLook().SetControlStyle(s); }));
    k.push_back(Color(
        "ControlLook.FixedGradientFrom", [](TGrid& g) { return g.ControlLook().FixedGradientFrom(); },
        [](TGrid& g, TColor c) { g.ControlLook().SetFixedGradientFrom(c); }));
    k.push_back(Color(
        "ControlLook.FixedGradientTo", [](TGrid& g) { return g.ControlLook().FixedGradientTo(); },
        [](TGrid& g, TColor c) { g.ControlLook().SetFixedGradientTo(c); }));
    k.push_back(Int(
        "ControlLook.RadioSize", 0, 255, [](TGrid& g) { return g.ControlLook().RadioSize(); },
        [](TGrid& g, int n) { g.ControlLook().SetRadioSize(n); }));
    k.push_back(Bool(
        "ControlLook.FlatButton", [](TGrid& g) { return g.ControlLook().FlatButton(); },
        [](TGrid& g, bool b) { g.ControlLook().SetFlatButton(b); }));
    k.push_back(Color(
        "ControlLook.ProgressBorderColor", [](TGrid& g) { return g.ControlLook().ProgressBorderColor(); },
        [](TGrid& g, TColor c) { g.ControlLook().SetProgressBorderColor(c); }));
    k.push_back(Bool(
        "ControlLook.ProgressXP", [](TGrid& g) { return g.ControlLook().ProgressXP(); },
        [](TGrid& g, bool b) { g.ControlLook().SetProgressXP(b); }));
    std::vector<std::string> looks;
    for (int l = glStandard; l <= glCustom; ++l) {
      std::string text;
      TGrid::LookToString(static_cast<TGridLook>(l), text);
      looks.push_back(text);
    }
    k.push_back(Enum<TGridLook>(
        "Look", looks, [](TGrid& g) { return g.Look(); }, [](TGrid& g, TGridLook l) { g.SetLook(l); }));
    k.push_back(Color(
        "SearchFooter.Color", [](TGrid& g) { return g.SearchFooter().Color(); },
        [](TGrid& g, TColor c) { g.SearchFooter().SetColor(c); }));
    k.push_back(Color(
        "SearchFooter.ColorTo", [](TGrid& g) { return g.SearchFooter().ColorTo(); },
        [](TGrid& g, TColor c) { g.SearchFooter().SetColorTo(c); }));
    k.push_back(Color(
        "Grouping.HeaderColor", [](TGrid& g) { return g.Grouping().HeaderColor(); },
        [](TGrid& g, TColor c) { g.Grouping().SetHeaderColor(c); }));
    k.push_back(Color(
        "Grouping.HeaderColorTo", [](TGrid& g) { return g.Grouping().HeaderColorTo(); },
        [](TGrid& g, TColor c) { g.Grouping().SetHeaderColorTo(c); }));
    k.push_back(Color(
        "Grouping.HeaderTextColor", [](TGrid& g) { return g.Grouping().HeaderTextColor(); },
        [](TGrid& g, TColor c) { g.Grouping().SetHeaderTextColor(c); }));
    k.push_back(Bool(
        "Grouping.HeaderUnderline", [](TGrid& g) { return g.Grouping().HeaderUnderline(); },
        [](TGrid& g, bool b) { g.Grouping().SetHeaderUnderline(b); }));
    k.push_back(Color(
        "Grouping.HeaderLineColor", [](TGrid& g) { return g.Grouping().HeaderLineColor(); },
        [](TGrid& g, TColor c) { g.Grouping().SetHeaderLineColor(c); }));
    k.push_back(Int(
        "Grouping.HeaderLineWidth", 0, 255, [](TGrid& g) { return g.Grouping().HeaderLineWidth(); },
        [](TGrid& g, int n) { g.Grouping().SetHeaderLineWidth(n); }));
    k.push_back(Color(
        "Grouping.SummaryColor", [](TGrid& g) { return g.Grouping().SummaryColor(); },
        [](TGrid& g, TColor c) { g.Grouping().SetSummaryColor(c); }));
    k.push_back(Color(
        "Grouping.SummaryColorTo", [](TGrid& g) { return g.Grouping().SummaryColorTo(); },
        [](TGrid& g, TColor c) { g.Grouping().SetSummaryColorTo(c); }));
    k.push_back(Color(
        "Grouping.SummaryTextColor", [](TGrid& g) { return g.Grouping().SummaryTextColor(); },
        [](TGrid& g, TColor c) { g.Grouping().SetSummaryTextColor(c); }));
    k.push_back(Bool(
        "Grouping.SummaryLine", [](TGrid& g) { return g.Grouping().SummaryLine(); },
        [](TGrid& g, bool b) { g.Grouping().SetSummaryLine(b); }));
    k.push_back(Color(
        "Grouping.SummaryLineColor", [](TGrid& g) { return g.Grouping().SummaryLineColor(); },
        [](TGrid& g, TColor c) { g.Grouping().SetSummaryLineColor(c); }));
    k.push_back(Int(
        "Grouping.SummaryLineWidth", 0, 255, [](TGrid& g) { return g.Grouping().SummaryLineWidth(); },
        [](TGrid& g, int n) { g.Grouping().SetSummaryLineWidth(n); }));
    k.push_back(Color(
        "GridLineColor", [](TGrid& g) { return g.GridLineColor(); },
        [](TGrid& g, TColor c) { g.SetGridLineColor(c); }));
    k.push_back(Color(
        "GridFixedLineColor", [](TGrid& g) { return g.GridFixedLineColor(); },
        [](TGrid& g, TColor c) { g.SetGridFixedLineColor(c); }));
    k.push_back(Int(
        "BackGround.Top", -32768, 32767, [](TGrid& g) { return g.BackGround().Top(); },
        [](TGrid& g, int n) { g.BackGround().SetTop(n); }));
    k.push_back(Int(
        "BackGround.Left", -32768, 32767, [](TGrid& g) { return g.BackGround().Left(); },
        [](TGrid& g, int n) { g.BackGround().SetLeft(n); }));
    k.push_back(Enum<TBackGroundDisplay>(
        "BackGround.Display", {"bdTile", "bdFixed", "bdGradientHorz", "bdGradientVert"},
        [](TGrid& g) { return g.BackGround().Display(); },
        [](TGrid& g, TBackGroundDisplay d) { g.BackGround().SetDisplay(d); }));
    k.push_back(Enum<TBackGroundCells>(
        "BackGround.Cells", {"bcNormal", "bcFixed", "bcAll"}, [](TGrid& g) { return g.BackGround().Cells(); },
        [](TGrid& g, TBackGroundCells c) { g.BackGround().SetCells(c); }));
    k.push_back(Color(
        "BackGround.Color", [](TGrid& g) { return g.BackGround().Color(); },
        [](TGrid& g, TColor c) { g.BackGround().SetColor(c); }));
    k.push_back(Color(
        "BackGround.ColorTo", [](TGrid& g) { return g.BackGround().ColorTo(); },
        [](TGrid& g, TColor c) { g.BackGround().SetColorTo(c); }));
    return k;
  }();
  return keys;
}

} // namespace

void TProStringGrid::SaveVisualProps(const std::string& FileName) {
  std::string text;
  for (const TLookKey& k : LookKeys()) {
    const std::string value = k.Write(*this);
    // One line per key: a line break would end the value and start a key of its own.
    if (value.find_first_of("\r\n") != std::string::npos)
      throw EProGridError("Cannot Create " + FileName + ": the value of " + k.Key + " holds a line break");
    text += k.Key + "=" + value + "\r\n";
  }
  if (!gridfile::Utf8ToAnsiExact(text))
    throw EProGridError("Cannot Create " + FileName + ": a font name Windows-1252 cannot hold");
  // The reader takes bytes that form valid UTF-8 for UTF-8: "Ã©" is C3 A9 in Windows-1252 and
  // would come back as "é".
  const std::optional<std::string> ansi = EncodeAnsiTextFile(text);
  if (!ansi)
    throw EProGridError("Cannot Create " + FileName +
                        ": a font name that reads back as another in Windows-1252");
  if (TWriteResult r = WriteFileAtomic(FileName, *ansi); !r) throw EProGridError("Cannot Create " + FileName);
}

void TProStringGrid::LoadVisualProps(const std::string& FileName) {
  std::string bytes;
  if (!ReadFileBytes(FileName, bytes)) throw EProGridError("Cannot open file " + FileName);
  const std::string text = DecodeTextFile(bytes);
  // name=value of every line; the first line of a name counts.
  std::vector<std::pair<std::string_view, std::string_view>> lines;
  for (std::string_view line : gridfile::SplitLines(text)) {
    const size_t eq = line.find('=');
    if (eq != std::string_view::npos) lines.emplace_back(line.substr(0, eq), line.substr(eq + 1));
  }
  auto value = [&](std::string_view key) {
    for (auto [name, v] : lines)
      if (SameAscii(name, key)) return std::string(v);
    return std::string();
  };
  // Every value is checked before the first one is applied.
  std::vector<TApply> changes;
  for (const TLookKey& k : LookKeys())
    if (TApply change = k.Stage(value(k.Key))) {
      // A new Look resets the fixed gradient colours: it goes first, so the file's colours stay.
      if (k.Key == "Look")
        changes.insert(changes.begin(), std::move(change));
      else
        changes.push_back(std::move(change));
    }
  BeginUpdate();
  for (const TApply& change : changes)
    change(*this);
  EndUpdate();
}
