#include "platform/StringList.h"

#include "platform/Files.h"
#include "platform/Format.h"
#include "platform/Streams.h"
#include "platform/TextCodec.h"

#include <algorithm>
#include <numeric>

namespace {

// One case for ASCII and Latin-1 letters (the letters the program's texts use).
char32_t Fold(char32_t c) {
  if ((c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 32;
  return c;
}

bool NeedsQuotes(std::string_view s, char delimiter, char quote, bool strict) {
  for (char ch : s) {
    unsigned char u = static_cast<unsigned char>(ch);
    if (ch == quote || ch == delimiter || (!strict && u <= ' ') || u == 0) return true;
  }
  return false;
}

bool IsBlankChar(char ch) {
  return ch != '\0' && static_cast<unsigned char>(ch) <= ' ';
}

} // namespace

int CompareTextFolded(std::string_view a, std::string_view b) {
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    char32_t ca = Fold(Utf8Next(a, i)), cb = Fold(Utf8Next(b, j));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return 0;
}

// ---------------------------------------------------------------------------------------------
// TStrings

int TStrings::AddObject(const std::string& S, TObject* AObject) {
  int index = Count();
  InsertObject(index, S, AObject);
  return index;
}

void TStrings::AddStrings(const TStrings& Strings) {
  BeginUpdate();
  for (int i = 0; i < Strings.Count(); ++i)
    AddObject(Strings.Get(i), Strings.GetObject(i));
  EndUpdate();
}

void TStrings::AddStrings(const std::vector<std::string>& Strings) {
  BeginUpdate();
  for (const auto& s : Strings)
    Add(s);
  EndUpdate();
}

void TStrings::InsertObject(int Index, const std::string& S, TObject* AObject) {
  Insert(Index, S);
  PutObject(Index, AObject);
}

void TStrings::Exchange(int Index1, int Index2) {
  BeginUpdate();
  std::string s = Get(Index1);
  TObject* o = GetObject(Index1);
  Put(Index1, Get(Index2));
  PutObject(Index1, GetObject(Index2));
  Put(Index2, s);
  PutObject(Index2, o);
  EndUpdate();
}

void TStrings::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  BeginUpdate();
  std::string s = Get(CurIndex);
  TObject* o = GetObject(CurIndex);
  PutObject(CurIndex, nullptr);
  Delete(CurIndex);
  InsertObject(NewIndex, s, o);
  EndUpdate();
}

void TStrings::Put(int Index, const std::string& S) {
  TObject* o = GetObject(Index);
  BeginUpdate();
  Delete(Index);
  InsertObject(Index, S, o);
  EndUpdate();
}

int TStrings::IndexOf(const std::string& S) const {
  for (int i = 0; i < Count(); ++i)
    if (CompareStrings(Get(i), S) == 0) return i;
  return -1;
}

int TStrings::IndexOfObject(const TObject* AObject) const {
  for (int i = 0; i < Count(); ++i)
    if (GetObject(i) == AObject) return i;
  return -1;
}

int TStrings::IndexOfName(const std::string& Name) const {
  for (int i = 0; i < Count(); ++i) {
    std::string s = Get(i);
    std::size_t p = s.find(FNameValueSeparator);
    if (p != std::string::npos && CompareStrings(s.substr(0, p), Name) == 0) return i;
  }
  return -1;
}

std::string TStrings::Names(int Index) const {
  std::string s = Get(Index);
  std::size_t p = s.find(FNameValueSeparator);
  return p == std::string::npos ? std::string() : s.substr(0, p);
}

std::string TStrings::ValueFromIndex(int Index) const {
  std::string s = Get(Index);
  std::size_t p = s.find(FNameValueSeparator);
  return p == std::string::npos ? std::string() : s.substr(p + 1);
}

std::string TStrings::Values(const std::string& Name) const {
  int i = IndexOfName(Name);
  return i < 0 ? std::string() : ValueFromIndex(i);
}

void TStrings::SetValues(const std::string& Name, const std::string& Value) {
  int i = IndexOfName(Name);
  if (Value.empty()) {
    if (i >= 0) Delete(i);
    return;
  }
  std::string item = Name + FNameValueSeparator + Value;
  if (i < 0)
    Add(item);
  else
    Put(i, item);
}

std::string TStrings::Text() const {
  std::string out;
  for (int i = 0; i < Count(); ++i)
    out += Get(i) + FLineBreak;
  return out;
}

void TStrings::SetText(std::string_view Text) {
  BeginUpdate();
  Clear();
  std::size_t i = 0;
  while (i < Text.size()) {
    std::size_t start = i;
    while (i < Text.size() && Text[i] != '\r' && Text[i] != '\n')
      ++i;
    Add(std::string(Text.substr(start, i - start)));
    if (i < Text.size() && Text[i] == '\r') ++i;
    if (i < Text.size() && Text[i] == '\n') ++i;
  }
  EndUpdate();
}

std::string TStrings::Delimited(char delimiter, char quote, bool strict) const {
  if (Count() == 1 && Get(0).empty()) return std::string(2, quote);
  std::string out;
  for (int i = 0; i < Count(); ++i) {
    std::string s = Get(i);
    if (i > 0) out += delimiter;
    if (!NeedsQuotes(s, delimiter, quote, strict)) {
      out += s;
      continue;
    }
    out += quote;
    for (char ch : s) {
      out += ch;
      if (ch == quote) out += quote;
    }
    out += quote;
  }
  return out;
}

void TStrings::SplitDelimited(std::string_view text, char delimiter, char quote, bool strict) {
  BeginUpdate();
  Clear();
  std::size_t p = 0, n = text.size();
  auto skipBlanks = [&] {
    if (!strict)
      while (p < n && IsBlankChar(text[p]))
        ++p;
  };
  skipBlanks();
  while (p < n) {
    std::string s;
    if (text[p] == quote) {
      // A quoted item runs to the lone closing quote; a doubled quote stands for one.
      ++p;
      while (p < n) {
        if (text[p] == quote) {
          if (p + 1 < n && text[p + 1] == quote) {
            s += quote;
            p += 2;
            continue;
          }
          ++p;
          break;
        }
        s += text[p++];
      }
    } else {
      std::size_t start = p;
      while (p < n && text[p] != delimiter && (strict || !IsBlankChar(text[p])))
        ++p;
      s.assign(text.substr(start, p - start));
    }
    Add(s);
    skipBlanks();
    if (p < n && text[p] == delimiter) {
      if (p + 1 == n) Add(std::string());
      ++p;
      skipBlanks();
    }
  }
  EndUpdate();
}

std::string TStrings::DelimitedText() const {
  return Delimited(FDelimiter, FQuoteChar, FStrictDelimiter);
}

void TStrings::SetDelimitedText(std::string_view Text) {
  SplitDelimited(Text, FDelimiter, FQuoteChar, FStrictDelimiter);
}

std::string TStrings::CommaText() const {
  return Delimited(',', '"', false);
}

void TStrings::SetCommaText(std::string_view Text) {
  SplitDelimited(Text, ',', '"', false);
}

void TStrings::BeginUpdate() {
  if (FUpdateCount == 0) SetUpdateState(true);
  ++FUpdateCount;
}

void TStrings::EndUpdate() {
  if (FUpdateCount == 0) return;
  if (--FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::Assign(const TPersistent* Source) {
  auto* source = dynamic_cast<const TStrings*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  if (source == this) return;
  BeginUpdate();
  Clear();
  FDelimiter = source->FDelimiter;
  FQuoteChar = source->FQuoteChar;
  FNameValueSeparator = source->FNameValueSeparator;
  FStrictDelimiter = source->FStrictDelimiter;
  FLineBreak = source->FLineBreak;
  AddStrings(*source);
  EndUpdate();
}

void TStrings::Assign(const std::vector<std::string>& Items) {
  BeginUpdate();
  Clear();
  AddStrings(Items);
  EndUpdate();
}

bool TStrings::Equals(const TStrings& Other) const {
  if (Count() != Other.Count()) return false;
  for (int i = 0; i < Count(); ++i)
    if (Get(i) != Other.Get(i)) return false;
  return true;
}

std::vector<std::string> TStrings::ToVector() const {
  std::vector<std::string> out;
  out.reserve(static_cast<std::size_t>(Count()));
  for (int i = 0; i < Count(); ++i)
    out.push_back(Get(i));
  return out;
}

bool TStrings::LoadFromFile(const std::string& FileName) {
  std::string bytes;
  if (!ReadFileBytes(FileName, bytes)) return false;
  SetText(DecodeTextFile(bytes));
  return true;
}

void TStrings::LoadFromStream(TStream& Stream) {
  SetText(DecodeTextFile(Stream.ReadRest()));
}

std::string TStrings::EncodedText() const {
  std::string text = Text();
  if (std::optional<std::string> ansi = EncodeAnsiTextFile(text)) return std::move(*ansi);
  return "\xEF\xBB\xBF" + text;
}

TWriteResult TStrings::SaveToFile(const std::string& FileName) const {
  return WriteFileAtomic(FileName, EncodedText());
}

void TStrings::SaveToStream(TStream& Stream) const {
  Stream.WriteBuffer(EncodedText());
}

int TStrings::CompareStrings(const std::string& S1, const std::string& S2) const {
  return CompareTextFolded(S1, S2);
}

void TStrings::Error(const std::string& Message, int Index) const {
  throw EStringListError(Format(Message, {static_cast<std::int64_t>(Index)}));
}

// ---------------------------------------------------------------------------------------------
// TStringList

TStringList::~TStringList() {
  OnChange = nullptr;
  OnChanging = nullptr;
  if (FOwnsObjects)
    for (auto& item : FList)
      delete item.Object;
}

void TStringList::CheckIndex(int Index) const {
  if (Index < 0 || Index >= Count()) Error("List index out of bounds (%d)", Index);
}

std::string TStringList::Get(int Index) const {
  CheckIndex(Index);
  return FList[static_cast<std::size_t>(Index)].S;
}

TObject* TStringList::GetObject(int Index) const {
  CheckIndex(Index);
  return FList[static_cast<std::size_t>(Index)].Object;
}

void TStringList::Put(int Index, const std::string& S) {
  if (FSorted) Error("Operation not allowed on sorted list", 0);
  CheckIndex(Index);
  Changing();
  FList[static_cast<std::size_t>(Index)].S = S;
  Changed();
}

void TStringList::PutObject(int Index, TObject* AObject) {
  CheckIndex(Index);
  Changing();
  FList[static_cast<std::size_t>(Index)].Object = AObject;
  Changed();
}

int TStringList::AddObject(const std::string& S, TObject* AObject) {
  int index = Count();
  if (FSorted && Find(S, index)) {
    if (FDuplicates == dupIgnore) return index;
    if (FDuplicates == dupError) Error("String list does not allow duplicates", 0);
    while (index < Count() && CompareStrings(FList[static_cast<std::size_t>(index)].S, S) == 0)
      ++index;
  }
  InsertItem(index, S, AObject);
  return index;
}

void TStringList::Insert(int Index, const std::string& S) {
  if (FSorted) Error("Operation not allowed on sorted list", 0);
  if (Index < 0 || Index > Count()) Error("List index out of bounds (%d)", Index);
  InsertItem(Index, S, nullptr);
}

void TStringList::InsertItem(int Index, const std::string& S, TObject* AObject) {
  Changing();
  FList.insert(FList.begin() + Index, TItem{S, AObject});
  Changed();
}

void TStringList::Delete(int Index) {
  CheckIndex(Index);
  Changing();
  TObject* o = FList[static_cast<std::size_t>(Index)].Object;
  FList.erase(FList.begin() + Index);
  if (FOwnsObjects) delete o;
  Changed();
}

void TStringList::Clear() {
  if (FList.empty()) return;
  Changing();
  std::vector<TItem> old;
  old.swap(FList);
  if (FOwnsObjects)
    for (auto& item : old)
      delete item.Object;
  Changed();
}

void TStringList::Exchange(int Index1, int Index2) {
  CheckIndex(Index1);
  CheckIndex(Index2);
  Changing();
  std::swap(FList[static_cast<std::size_t>(Index1)], FList[static_cast<std::size_t>(Index2)]);
  Changed();
}

void TStringList::Move(int CurIndex, int NewIndex) {
  if (FSorted) Error("Operation not allowed on sorted list", 0);
  CheckIndex(CurIndex);
  CheckIndex(NewIndex);
  if (CurIndex == NewIndex) return;
  Changing();
  TItem item = std::move(FList[static_cast<std::size_t>(CurIndex)]);
  FList.erase(FList.begin() + CurIndex);
  FList.insert(FList.begin() + NewIndex, std::move(item));
  Changed();
}

int TStringList::IndexOf(const std::string& S) const {
  if (!FSorted) return TStrings::IndexOf(S);
  int index = 0;
  return Find(S, index) ? index : -1;
}

bool TStringList::Find(const std::string& S, int& Index) const {
  int lo = 0, hi = Count();
  while (lo < hi) {
    int mid = lo + (hi - lo) / 2;
    if (CompareStrings(FList[static_cast<std::size_t>(mid)].S, S) < 0)
      lo = mid + 1;
    else
      hi = mid;
  }
  Index = lo;
  return lo < Count() && CompareStrings(FList[static_cast<std::size_t>(lo)].S, S) == 0;
}

void TStringList::SortBy(const std::function<bool(const TItem&, const TItem&)>& less) {
  if (Count() < 2) return;
  Changing();
  std::stable_sort(FList.begin(), FList.end(), less);
  Changed();
}

void TStringList::Sort() {
  SortBy([this](const TItem& a, const TItem& b) { return CompareStrings(a.S, b.S) < 0; });
}

void TStringList::CustomSort(const std::function<int(TStringList& List, int Index1, int Index2)>& Compare) {
  if (Count() < 2) return;
  std::vector<int> order(FList.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return Compare(*this, a, b) < 0; });
  Changing();
  std::vector<TItem> sorted;
  sorted.reserve(FList.size());
  for (int i : order)
    sorted.push_back(std::move(FList[static_cast<std::size_t>(i)]));
  FList = std::move(sorted);
  Changed();
}

void TStringList::SetSorted(bool sorted) {
  if (FSorted == sorted) return;
  if (sorted) Sort();
  FSorted = sorted;
}

void TStringList::SetCaseSensitive(bool caseSensitive) {
  if (FCaseSensitive == caseSensitive) return;
  FCaseSensitive = caseSensitive;
  if (FSorted) Sort();
}

int TStringList::CompareStrings(const std::string& S1, const std::string& S2) const {
  if (FCaseSensitive) return S1.compare(S2) < 0 ? -1 : S1 == S2 ? 0 : 1;
  return CompareTextFolded(S1, S2);
}

void TStringList::SetUpdateState(bool Updating) {
  if (Updating)
    Changing();
  else
    Changed();
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::Changing() {
  if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}
