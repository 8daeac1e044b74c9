// The column layout kept between runs: the column states text and the "Col"/"Pos" keys of the
// ColumnSize store.
#include "grid/ColumnPermutation.h"
#include "grid/ProGrid.h"
#include "platform/Files.h"
#include "platform/IniFiles.h"
#include "platform/StrToInt.h"

#include <numeric>
#include <string_view>

namespace {

std::vector<std::string_view> Split(std::string_view text, char sep) {
  std::vector<std::string_view> parts;
  size_t from = 0;
  for (;;) {
    const size_t at = text.find(sep, from);
    parts.push_back(text.substr(from, at == std::string_view::npos ? std::string_view::npos : at - from));
    if (at == std::string_view::npos) return parts;
    from = at + 1;
  }
}

// Comma text: an empty text is an empty list.
std::vector<std::string_view> SplitList(std::string_view text) {
  if (text.empty()) return {};
  return Split(text, ',');
}

[[noreturn]] void Damaged(const std::string& why) {
  throw EProGridError("Column states not applied: " + why);
}

int ReadInt(std::string_view text, const char* what) {
  int v = 0;
  if (!TryStrToInt(text, v))
    Damaged(std::string(what) + " '" + std::string(text) + "' is not a valid integer value");
  return v;
}

template <class T> std::string JoinInts(const std::vector<T>& values) {
  std::string text;
  for (size_t i = 0; i < values.size(); ++i) {
    if (i > 0) text += ',';
    text += std::to_string(values[i]);
  }
  return text;
}

} // namespace

struct TProStringGrid::TColumnStates {
  int Count = 0;
  std::vector<int> Widths;
  std::vector<int> Order; // empty: the columns stay in their order
  std::vector<bool> Visible;
};

std::string TProStringGrid::ColumnStatesToString() {
  const int n = ColCount() + NumHiddenColumns();
  std::vector<int> widths(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i)
    widths[static_cast<size_t>(i)] = ColWidths(i);
  std::vector<int> order = FColumnOrder;
  if (order.empty()) {
    order.resize(static_cast<size_t>(n));
    std::iota(order.begin(), order.end(), 0);
  }
  std::vector<int> flags(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i)
    flags[static_cast<size_t>(i)] = IsHiddenColumn(i) ? 0 : 1;
  return std::to_string(n) + "#" + JoinInts(widths) + "#" + JoinInts(order) + "#" + JoinInts(flags);
}

void TProStringGrid::StringToColumnStates(const std::string& Value) {
  if (Value.find('#') == std::string::npos) return;
  // The whole text is read and checked before the grid changes.
  const std::vector<std::string_view> parts = Split(Value, '#');
  if (parts.size() != 4) Damaged("the text needs four parts separated by \"#\"");
  TColumnStates s;
  s.Count = ReadInt(parts[0], "column count");
  if (s.Count < 0 || s.Count > FFileOptions.MaxLoadColCount)
    Damaged("column count " + std::to_string(s.Count) + " is outside 0.." +
            std::to_string(FFileOptions.MaxLoadColCount));
  const auto n = static_cast<size_t>(s.Count);
  const std::vector<std::string_view> widths = SplitList(parts[1]);
  const std::vector<std::string_view> order = SplitList(parts[2]);
  const std::vector<std::string_view> flags = SplitList(parts[3]);
  if (widths.size() != n)
    Damaged(std::to_string(widths.size()) + " widths for " + std::to_string(n) + " columns");
  if (flags.size() != n)
    Damaged(std::to_string(flags.size()) + " flags for " + std::to_string(n) + " columns");
  for (std::string_view w : widths) {
    const int v = ReadInt(w, "width");
    if (v < 0 || v > TGridCore::MaxCellExtent) Damaged("width " + std::to_string(v) + " is out of range");
    s.Widths.push_back(v);
  }
  for (std::string_view o : order)
    s.Order.push_back(ReadInt(o, "order entry"));
  if (!s.Order.empty() && !IsColumnPermutation(s.Order, s.Count))
    Damaged("the column order is no permutation of the " + std::to_string(n) + " columns");
  for (std::string_view f : flags) {
    if (f != "0" && f != "1") Damaged("visibility flag '" + std::string(f) + "' is neither 0 nor 1");
    s.Visible.push_back(f == "1");
  }
  ApplyColumnStates(s);
}

void TProStringGrid::ApplyColumnStates(const TColumnStates& States) {
  // Columns moved earlier go back first: the text describes the layout from the initial order.
  if (!FColumnOrder.empty()) ResetColumnOrder();
  FColumnOrder.clear();
  UnHideColumnsAll();
  SetColCount(States.Count);
  if (!States.Order.empty()) {
    // The column first at p goes to the place the text gives it: walking back the inverse order
    // puts it there.
    std::vector<int> inverse(States.Order.size());
    for (size_t place = 0; place < States.Order.size(); ++place)
      inverse[static_cast<size_t>(States.Order[place])] = static_cast<int>(place);
    FColumnOrder = inverse;
    ResetColumnOrder();
    FColumnOrder = States.Order;
  }
  for (int c = States.Count - 1; c >= 0; --c)
    if (!States.Visible[static_cast<size_t>(c)]) HideColumn(c);
  const bool stretch = FColumnSize.Stretch();
  if (stretch) {
    const int sc = FColumnSize.StretchColumn();
    SetDefaultColWidth(ColWidths(sc == -1 ? ColCount() - 1 : sc));
  }
  FColumnSize.SetStretch(false);
  for (int i = 0; i < ColCount(); ++i)
    SetColWidths(i, States.Widths[static_cast<size_t>(i)]);
  FColumnSize.SetStretch(stretch);
}

std::string TProStringGrid::ColumnSizeStoreFile() const {
  const std::string& key = FColumnSize.Key();
  if (FColumnSize.Location() == clIniFile) return key;
  // No registry here: the key names a file beside the executable, its path separators kept
  // inside that one name.
  std::string name = key;
  for (char& c : name)
    if (c == '\\' || c == '/') c = '.';
  if (!IsSafeFileName(name))
    throw EProGridError("Column settings key \"" + key + "\" makes no valid file name");
  return JoinPath(ProgramFolder(), name + ".ini");
}

void TProStringGrid::SaveColSizes() {
  if (FColumnSize.Key().empty() || FColumnSize.Section().empty()) return;
  TMemIniFile ini(ColumnSizeStoreFile());
  for (int n = 0; n < ColCount(); ++n)
    ini.WriteInteger(FColumnSize.Section(), "Col" + std::to_string(n), ColWidths(n));
  if (TWriteResult r = ini.UpdateFile(); !r) throw EProGridError("Cannot save the column sizes: " + r.Error);
}

void TProStringGrid::LoadColSizes() {
  if (FColumnSize.Key().empty() || FColumnSize.Section().empty()) return;
  // Only read: the store is left as it is.
  const TMemIniFile ini(ColumnSizeStoreFile());
  for (int n = 0; n < ColCount(); ++n) {
    const int w = ini.ReadInteger(FColumnSize.Section(), "Col" + std::to_string(n), ColWidths(n));
    if (w != ColWidths(n) && w >= 0 && w <= TGridCore::MaxCellExtent) SetColWidths(n, w);
  }
}

void TProStringGrid::SaveColPositions() {
  if (FColumnSize.Key().empty() || FColumnSize.Section().empty() || FColumnOrder.empty()) return;
  TMemIniFile ini(ColumnSizeStoreFile());
  for (size_t n = 0; n < FColumnOrder.size(); ++n)
    ini.WriteInteger(FColumnSize.Section(), "Pos" + std::to_string(n), FColumnOrder[n]);
  if (TWriteResult r = ini.UpdateFile(); !r)
    throw EProGridError("Cannot save the column positions: " + r.Error);
}

void TProStringGrid::LoadColPositions() {
  if (FColumnSize.Key().empty() || FColumnSize.Section().empty()) return;
  const TMemIniFile ini(ColumnSizeStoreFile());
  const std::string& section = FColumnSize.Section();
  if (ini.ReadInteger(section, "Pos0", -1) == -1) return;
  const int all = AllColCount();
  std::vector<int> order;
  for (int n = 0; n < all; ++n)
    if (const int v = ini.ReadInteger(section, "Pos" + std::to_string(n), -1); v != -1) order.push_back(v);
  // Keys that do not name every column once describe no layout of this grid.
  if (!IsColumnPermutation(order, all)) return;
  std::vector<int> inverse(order.size());
  for (size_t place = 0; place < order.size(); ++place)
    inverse[static_cast<size_t>(order[place])] = static_cast<int>(place);
  std::vector<int> hidden;
  for (int c = 0; c < all; ++c)
    if (IsHiddenColumn(c)) hidden.push_back(c);
  FColumnOrder = inverse;
  UnHideColumnsAll();
  ResetColumnOrder();
  for (int c : hidden)
    HideColumn(c);
  FColumnOrder = order;
}
