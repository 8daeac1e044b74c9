#include "grid/IntList.h"

#include "platform/Format.h"
#include "platform/Persistent.h"
#include "platform/StrToInt.h"
#include "platform/StringList.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr std::uint32_t DescendingBit = 0x80000000u;
constexpr std::uint32_t ColumnBits = 0x7FFFFFFFu;

[[noreturn]] void IndexError(int index) {
  throw EListError(Format("List index out of bounds (%d)", {static_cast<std::int64_t>(index)}));
}

std::uint32_t Bits(int v) {
  return static_cast<std::uint32_t>(v);
}
int FromBits(std::uint32_t v) {
  return static_cast<int>(v);
}

} // namespace

int TIntList::Items(int Index) const {
  if (Index < 0 || Index >= Count()) IndexError(Index);
  return FItems[static_cast<std::size_t>(Index)];
}

void TIntList::SetItems(int Index, int Value) {
  if (Index < 0 || Index >= Count()) IndexError(Index);
  FItems[static_cast<std::size_t>(Index)] = Value;
  Changed();
}

int TIntList::Add(int Value) {
  FItems.push_back(Value);
  Changed();
  return Count() - 1;
}

void TIntList::Delete(int Index) {
  if (Index < 0 || Index >= Count()) IndexError(Index);
  FItems.erase(FItems.begin() + Index);
  Changed();
}

void TIntList::Insert(int Index, int Value) {
  if (Index < 0 || Index > Count()) IndexError(Index);
  FItems.insert(FItems.begin() + Index, Value);
}

void TIntList::DeleteValue(int Value) {
  auto it = std::find(FItems.begin(), FItems.end(), Value);
  if (it != FItems.end()) Delete(static_cast<int>(it - FItems.begin()));
}

bool TIntList::HasValue(int Value) const {
  return std::find(FItems.begin(), FItems.end(), Value) != FItems.end();
}

std::string TIntList::StrValue() const {
  std::string out;
  for (std::size_t i = 0; i < FItems.size(); ++i) {
    if (i > 0) out += ',';
    out += std::to_string(FItems[i]);
  }
  return out;
}

void TIntList::SetStrValue(std::string_view Value) {
  FItems.clear();
  TStringList items;
  items.SetCommaText(Value);
  for (int i = 0; i < items.Count(); ++i) {
    int v = 0;
    if (!TryStrToInt(items[i], v)) throw EConvertError("'" + items[i] + "' is not a valid integer value");
    Add(v);
  }
}

void TIntList::Changed() {
  if (OnChange) OnChange(this, FCol, FRow);
}

void TSortIndexList::AddIndex(int ColumnIndex, bool Ascending) {
  Add(FromBits((Bits(ColumnIndex) & ColumnBits) | (Ascending ? 0 : DescendingBit)));
}

int TSortIndexList::FindIndex(int ColumnIndex) const {
  for (int i = 0; i < Count(); ++i)
    if ((Bits(Items(i)) & ColumnBits) == (Bits(ColumnIndex) & ColumnBits)) return i;
  return -1;
}

void TSortIndexList::ToggleIndex(int ColumnIndex) {
  int i = FindIndex(ColumnIndex);
  if (i >= 0) SetItems(i, FromBits(Bits(Items(i)) ^ DescendingBit));
}

int TSortIndexList::SortColumns(int i) const {
  return FromBits(Bits(Items(i)) & ColumnBits);
}

void TSortIndexList::SetSortColumns(int i, int Column) {
  SetItems(i, FromBits((Bits(Items(i)) & DescendingBit) | (Bits(Column) & ColumnBits)));
}

bool TSortIndexList::SortDirections(int i) const {
  return (Bits(Items(i)) & DescendingBit) == 0;
}

void TSortIndexList::SetSortDirections(int i, bool Ascending) {
  std::uint32_t v = Bits(Items(i));
  SetItems(i, FromBits(Ascending ? v & ColumnBits : v | DescendingBit));
}

std::string TSortIndexList::SaveToString() const {
  std::string out;
  for (int i = 0; i < Count(); ++i) {
    if (i > 0) out += ';';
    std::uint32_t v = Bits(Items(i));
    out += (v & DescendingBit) ? 'd' : 'u';
    out += std::to_string(v & 0xFFFFu);
  }
  return out;
}

void TSortIndexList::LoadFromString(std::string_view S) {
  Clear();
  while (!S.empty()) {
    std::size_t semi = S.find(';');
    std::string_view token = S.substr(0, semi);
    S.remove_prefix(semi == std::string_view::npos ? S.size() : semi + 1);
    if (token.size() < 2) continue;
    AddIndex(ReadLeadingInt(token.substr(1)), token[0] == 'u');
  }
}
