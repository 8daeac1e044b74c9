// String lists of the runtime: texts with an object each, kept sorted or in order, joined and
// split as lines, comma texts or delimited texts, with change events around every change.
#pragma once

#include "platform/AtomicFile.h"
#include "platform/Persistent.h"

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

class TStream;

// Raised for an index outside the list, a duplicate that dupError refuses, and positional changes
// of a sorted list.
class EStringListError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

// The list interface: everything here is built on the few protected primitives a list supplies.
class TStrings : public TPersistent {
public:
  virtual int Count() const = 0;
  std::string Strings(int Index) const { return Get(Index); }
  void SetStrings(int Index, const std::string& S) { Put(Index, S); }
  std::string operator[](int Index) const { return Get(Index); }
  TObject* Objects(int Index) const { return GetObject(Index); }
  void SetObjects(int Index, TObject* AObject) { PutObject(Index, AObject); }

  // The index the text got (a sorted list places it; see TStringList for duplicates).
  virtual int Add(const std::string& S) { return AddObject(S, nullptr); }
  virtual int AddObject(const std::string& S, TObject* AObject);
  void AddStrings(const TStrings& Strings);
  void AddStrings(const std::vector<std::string>& Strings);
  virtual void Insert(int Index, const std::string& S) = 0;
  void InsertObject(int Index, const std::string& S, TObject* AObject);
  virtual void Delete(int Index) = 0;
  virtual void Clear() = 0;
  virtual void Exchange(int Index1, int Index2);
  virtual void Move(int CurIndex, int NewIndex);

  // First item equal to S (letter case as the list compares); -1 when none.
  virtual int IndexOf(const std::string& S) const;
  int IndexOfObject(const TObject* AObject) const;
  // Items of the form name=value: the first whose name is Name.
  int IndexOfName(const std::string& Name) const;
  std::string Names(int Index) const;
  std::string Values(const std::string& Name) const;
  // An empty value deletes the item; a new name is added.
  void SetValues(const std::string& Name, const std::string& Value);
  std::string ValueFromIndex(int Index) const;
  char NameValueSeparator() const { return FNameValueSeparator; }
  void SetNameValueSeparator(char c) { FNameValueSeparator = c; }

  // Every item followed by LineBreak (CR LF unless set). Setting splits at CR LF, CR or LF; a
  // last line without a break counts, an empty text gives no item.
  std::string Text() const;
  void SetText(std::string_view Text);
  const std::string& LineBreak() const { return FLineBreak; }
  void SetLineBreak(const std::string& lineBreak) { FLineBreak = lineBreak; }
  // Items joined by Delimiter; an item with a blank, control character, quote or delimiter is
  // quoted (the quote doubled inside). StrictDelimiter splits at the delimiter alone.
  std::string DelimitedText() const;
  void SetDelimitedText(std::string_view Text);
  // DelimitedText with ',' and '"' whatever Delimiter and QuoteChar are, blanks separating too.
  std::string CommaText() const;
  void SetCommaText(std::string_view Text);
  char Delimiter() const { return FDelimiter; }
  void SetDelimiter(char c) { FDelimiter = c; }
  char QuoteChar() const { return FQuoteChar; }
  void SetQuoteChar(char c) { FQuoteChar = c; }
  bool StrictDelimiter() const { return FStrictDelimiter; }
  void SetStrictDelimiter(bool strict) { FStrictDelimiter = strict; }

  // Changes between the outermost pair are told once: OnChanging at the first BeginUpdate,
  // OnChange at the last EndUpdate.
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }

  // Copies texts, objects and the text settings of another string list.
  void Assign(const TPersistent* Source) override;
  void Assign(const TStrings& Source) { Assign(static_cast<const TPersistent*>(&Source)); }
  void Assign(const std::vector<std::string>& Items);
  bool Equals(const TStrings& Other) const;
  std::vector<std::string> ToVector() const;

  // Read as the program reads text files (byte-order marks, UTF-8, else Windows-1252); false
  // when the file cannot be read, the list unchanged then.
  bool LoadFromFile(const std::string& FileName);
  void LoadFromStream(TStream& Stream);
  // Written whole (Text) in Windows-1252 when every character has a place there and the bytes read
  // back as the same text, else in UTF-8 with a byte-order mark, so no character is lost.
  TWriteResult SaveToFile(const std::string& FileName) const;
  void SaveToStream(TStream& Stream) const;

protected:
  virtual std::string Get(int Index) const = 0;
  // Default: replaces the text, keeping the object.
  virtual void Put(int Index, const std::string& S);
  virtual TObject* GetObject(int Index) const { return nullptr; }
  virtual void PutObject(int Index, TObject* AObject) {}
  // Called with true at the first BeginUpdate and false at the last EndUpdate.
  virtual void SetUpdateState(bool Updating) {}
  // <0, 0, >0; the default ignores letter case.
  virtual int CompareStrings(const std::string& S1, const std::string& S2) const;
  [[noreturn]] void Error(const std::string& Message, int Index) const;
  std::string EncodedText() const;

private:
  std::string Delimited(char delimiter, char quote, bool strict) const;
  void SplitDelimited(std::string_view text, char delimiter, char quote, bool strict);
  int FUpdateCount = 0;
  char FDelimiter = ',';
  char FQuoteChar = '"';
  char FNameValueSeparator = '=';
  bool FStrictDelimiter = false;
  std::string FLineBreak = "\r\n";
};

// Compares two texts with ASCII and Latin-1 letters folded to one case.
int CompareTextFolded(std::string_view a, std::string_view b);

class TStringList : public TStrings {
public:
  TStringList() = default;
  // With OwnsObjects the list deletes an item's object when the item is deleted or the list
  // cleared or destroyed.
  explicit TStringList(bool OwnsObjects) : FOwnsObjects(OwnsObjects) {}
  ~TStringList() override;
  TStringList(const TStringList&) = delete;
  TStringList& operator=(const TStringList&) = delete;

  int Count() const override { return static_cast<int>(FList.size()); }
  // Count() == 0 without the division by the item size.
  bool Empty() const { return FList.empty(); }
  // A sorted list places the text by order; an equal text there is added after the equal ones
  // (dupAccept), not added (dupIgnore: the index of the one there is answered, the object is not
  // taken) or refused with EStringListError (dupError). An unsorted list appends every text.
  int AddObject(const std::string& S, TObject* AObject) override;
  void Insert(int Index, const std::string& S) override; // EStringListError on a sorted list
  void Delete(int Index) override;
  void Clear() override;
  void Exchange(int Index1, int Index2) override;
  void Move(int CurIndex, int NewIndex) override; // EStringListError on a sorted list
  int IndexOf(const std::string& S) const override;

  // Binary search of a sorted list: true when found; Index is the first equal item or the place
  // where S belongs. Only meaningful on a sorted list.
  bool Find(const std::string& S, int& Index) const;
  void Sort();
  // Sorts with a comparison of two indexes (stable).
  void CustomSort(const std::function<int(TStringList& List, int Index1, int Index2)>& Compare);

  bool Sorted() const { return FSorted; }
  void SetSorted(bool sorted);
  TDuplicates Duplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates duplicates) { FDuplicates = duplicates; }
  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool caseSensitive);
  bool OwnsObjects() const { return FOwnsObjects; }
  void SetOwnsObjects(bool owns) { FOwnsObjects = owns; }

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

protected:
  std::string Get(int Index) const override;
  void Put(int Index, const std::string& S) override;
  TObject* GetObject(int Index) const override;
  void PutObject(int Index, TObject* AObject) override;
  void SetUpdateState(bool Updating) override;
  int CompareStrings(const std::string& S1, const std::string& S2) const override;
  virtual void Changed();
  virtual void Changing();
  void InsertItem(int Index, const std::string& S, TObject* AObject);

private:
  struct TItem {
    std::string S;
    TObject* Object = nullptr;
  };
  void CheckIndex(int Index) const;
  void SortBy(const std::function<bool(const TItem&, const TItem&)>& less);
  std::vector<TItem> FList;
  bool FSorted = false;
  TDuplicates FDuplicates = dupIgnore;
  bool FCaseSensitive = false;
  bool FOwnsObjects = false;
};
