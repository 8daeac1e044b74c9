// The clipboard formats trees can render: one registry for the program, each entry tying a format
// to the least derived tree class able to produce it and to a priority (smaller first), and the
// per-tree list of format names a tree offers.
#pragma once

#include "platform/ui/DataObject.h"

#include <cstdint>
#include <string>
#include <vector>

class TBaseNodeTree;

// A tree class as the registry knows it: its name, its parent class and a test for instances.
struct TNodeTreeClassInfo {
  const char* Name;
  const TNodeTreeClassInfo* Parent;
  bool (*IsInstance)(const TBaseNodeTree* Tree);
};
using TNodeTreeClass = const TNodeTreeClassInfo*;

// Whether `Class` is `Ancestor` or derives from it.
bool InheritsFrom(TNodeTreeClass Class, TNodeTreeClass Ancestor);

TNodeTreeClass BaseNodeTreeClass();
TNodeTreeClass CustomNodeStringTreeClass();
TNodeTreeClass NodeStringTreeClass();
TNodeTreeClass CustomNodeDrawTreeClass();
TNodeTreeClass NodeDrawTreeClass();

using TFormatEtcArray = std::vector<TFormatEtc>;
using TFormatArray = std::vector<TClipFormat>;

struct TClipboardFormatListEntry {
  std::string Description;
  TNodeTreeClass TreeClass = nullptr;
  std::uint32_t Priority = 0;
  TFormatEtc FormatEtc;
};
using PClipboardFormatListEntry = const TClipboardFormatListEntry*;

struct TClipboardFormatEntry {
  TClipFormat ID;
  const char* Description;
};
extern const TClipboardFormatEntry StandardClipboardFormats[17];

class TClipboardFormats;

// The registry (filled with the trees' own formats on first use).
class TClipboardFormatList {
public:
  static void Add(const std::string& FormatString, TNodeTreeClass AClass, std::uint32_t Priority,
                  const TFormatEtc& AFormatEtc);
  static void Clear();
  static std::size_t Count();
  static const TClipboardFormatListEntry& Entry(std::size_t Index);
  // Formats of the entries the class may render, in list order; a non-null AllowedFormats lets
  // through only the names it holds (an empty list lets nothing through).
  static void EnumerateFormats(TNodeTreeClass TreeClass, TFormatEtcArray& Formats,
                               const TClipboardFormats* AllowedFormats = nullptr);
  static void EnumerateFormats(TNodeTreeClass TreeClass, std::vector<std::string>& Formats);
  // Searched from the end; the description compared ignoring case.
  static PClipboardFormatListEntry FindFormat(const std::string& FormatString);
  static TNodeTreeClass FindFormat(const std::string& FormatString, TClipFormat& Fmt);
  static TNodeTreeClass FindFormat(TClipFormat Fmt, std::string& Description);
};

// Registers the name with the system and adds an entry; returns the format code.
TClipFormat RegisterTreeClipboardFormat(const std::string& Description, TNodeTreeClass TreeClass,
                                        std::uint32_t Priority, unsigned tymed = TYMED_HGLOBAL,
                                        const void* ptd = nullptr, unsigned dwAspect = DVASPECT_CONTENT,
                                        int lindex = -1);
// An entry for a predefined (1..17) or already registered format; unknown codes add nothing.
void RegisterTreeClipboardFormat(TClipFormat AFormat, TNodeTreeClass TreeClass, std::uint32_t Priority);

// The trees' own formats (registered at first use).
TClipFormat cfNodeTreeData();
TClipFormat cfNodeTreeReference();
TClipFormat cfHTMLFormat();
TClipFormat cfRichTextNoObjects();
TClipFormat cfRichText();
TClipFormat cfCSV();

// The format names one tree offers: sorted, duplicates ignored, case-blind. Only names the
// registry knows for a class the owner belongs to are taken.
class TClipboardFormats {
public:
  explicit TClipboardFormats(TBaseNodeTree* AOwner) : FOwner(AOwner) {}
  int Add(const std::string& S);
  void Insert(int Index, const std::string& S);
  int IndexOf(const std::string& S) const;
  int Count() const { return static_cast<int>(FItems.size()); }
  const std::string& Strings(int Index) const { return FItems.at(static_cast<std::size_t>(Index)); }
  void Clear() { FItems.clear(); }
  // Clears and passes every name through Add.
  void Assign(const std::vector<std::string>& Names);
  TBaseNodeTree* Owner() const { return FOwner; }

private:
  bool Accepts(const std::string& S) const;
  TBaseNodeTree* FOwner;
  std::vector<std::string> FItems;
};
