// The registry of the formats trees render, and each tree's list of offered format names.
#include "tree/ClipboardFormats.h"

#include "platform/SysUtils.h"
#include "tree/DrawTree.h"
#include "tree/StringTree.h"

#include <algorithm>
#include <memory>

namespace {

template <class T> bool IsA(const TBaseNodeTree* tree) {
  return dynamic_cast<const T*>(tree) != nullptr;
}

int CompareText(const std::string& a, const std::string& b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const int ca = (a[i] >= 'a' && a[i] <= 'z') ? a[i] - 32 : static_cast<unsigned char>(a[i]);
    const int cb = (b[i] >= 'a' && b[i] <= 'z') ? b[i] - 32 : static_cast<unsigned char>(b[i]);
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

struct TRegistry {
  std::vector<TClipboardFormatListEntry> Entries;
  TClipFormat NodeTreeData = 0, NodeTreeReference = 0, HTML = 0, RichTextNoObjects = 0, RichText = 0, CSV = 0;
};

TRegistry& RawRegistry() {
  static TRegistry registry;
  return registry;
}

// Ascending priority; equal priorities end where this exchange sort leaves them.
void QuickSort(std::vector<TClipboardFormatListEntry>& list, int L, int R) {
  int I;
  do {
    I = L;
    int J = R;
    const std::uint32_t pivot = list[static_cast<std::size_t>((L + R) / 2)].Priority;
    do {
      while (list[static_cast<std::size_t>(I)].Priority < pivot)
        ++I;
      while (list[static_cast<std::size_t>(J)].Priority > pivot)
        --J;
      if (I <= J) {
        std::swap(list[static_cast<std::size_t>(I)], list[static_cast<std::size_t>(J)]);
        ++I;
        --J;
      }
    } while (I <= J);
    if (L < J) QuickSort(list, L, J);
    L = I;
  } while (I < R);
}

TRegistry& Registry() {
  static const bool started = [] {
    TRegistry& r = RawRegistry();
    r.NodeTreeReference = RegisterClipboardFormat("Node Tree Reference");
    r.NodeTreeData = RegisterTreeClipboardFormat("Node Tree Data", BaseNodeTreeClass(), 50);
    r.HTML = RegisterTreeClipboardFormat("HTML Format", CustomNodeStringTreeClass(), 80);
    r.RichTextNoObjects =
        RegisterTreeClipboardFormat("Rich Text Format Without Objects", CustomNodeStringTreeClass(), 84);
    r.RichText = RegisterTreeClipboardFormat("Rich Text Format", CustomNodeStringTreeClass(), 85);
    r.CSV = RegisterTreeClipboardFormat("CSV", CustomNodeStringTreeClass(), 90);
    RegisterTreeClipboardFormat(CF_TEXT, CustomNodeStringTreeClass(), 100);
    RegisterTreeClipboardFormat(CF_UNICODETEXT, CustomNodeStringTreeClass(), 95);
    return true;
  }();
  (void)started;
  return RawRegistry();
}

} // namespace

const TClipboardFormatEntry StandardClipboardFormats[17] = {{1, "Plain text"},
                                                            {2, "Windows bitmap"},
                                                            {3, "Windows metafile"},
                                                            {4, "Symbolic link"},
                                                            {5, "Data interchange format"},
                                                            {6, "Tiff image"},
                                                            {7, "OEM text"},
                                                            {8, "DIB image"},
                                                            {9, "Palette data"},
                                                            {10, "Pen data"},
                                                            {11, "Riff audio data"},
                                                            {12, "Wav audio data"},
                                                            {13, "Unicode text"},
                                                            {14, "Enhanced metafile image"},
                                                            {15, "File name(s)"},
                                                            {16, "Locale descriptor"},
                                                            {17, "DIB image V5"}};

bool InheritsFrom(TNodeTreeClass Class, TNodeTreeClass Ancestor) {
  for (; Class; Class = Class->Parent)
    if (Class == Ancestor) return true;
  return false;
}

TNodeTreeClass BaseNodeTreeClass() {
  static const TNodeTreeClassInfo info{"TBaseNodeTree", nullptr, IsA<TBaseNodeTree>};
  return &info;
}
TNodeTreeClass CustomNodeStringTreeClass() {
  static const TNodeTreeClassInfo info{"TCustomNodeStringTree", BaseNodeTreeClass(),
                                       IsA<TCustomNodeStringTree>};
  return &info;
}
TNodeTreeClass NodeStringTreeClass() {
  static const TNodeTreeClassInfo info{"TNodeStringTree", CustomNodeStringTreeClass(), IsA<TNodeStringTree>};
  return &info;
}
TNodeTreeClass CustomNodeDrawTreeClass() {
  static const TNodeTreeClassInfo info{"TCustomNodeDrawTree", BaseNodeTreeClass(), IsA<TCustomNodeDrawTree>};
  return &info;
}
TNodeTreeClass NodeDrawTreeClass() {
  static const TNodeTreeClassInfo info{"TNodeDrawTree", CustomNodeDrawTreeClass(), IsA<TNodeDrawTree>};
  return &info;
}

// ---------------------------------------------------------------- registry

void TClipboardFormatList::Add(const std::string& FormatString, TNodeTreeClass AClass, std::uint32_t Priority,
                               const TFormatEtc& AFormatEtc) {
  auto& list = RawRegistry().Entries;
  list.push_back({FormatString, AClass, Priority, AFormatEtc});
  if (list.size() >= 2) QuickSort(list, 0, static_cast<int>(list.size()) - 1);
}

void TClipboardFormatList::Clear() {
  RawRegistry().Entries.clear();
}

std::size_t TClipboardFormatList::Count() {
  return Registry().Entries.size();
}

const TClipboardFormatListEntry& TClipboardFormatList::Entry(std::size_t Index) {
  return Registry().Entries.at(Index);
}

void TClipboardFormatList::EnumerateFormats(TNodeTreeClass TreeClass, TFormatEtcArray& Formats,
                                            const TClipboardFormats* AllowedFormats) {
  for (const auto& e : Registry().Entries) {
    if (!InheritsFrom(TreeClass, e.TreeClass)) continue;
    if (AllowedFormats && AllowedFormats->IndexOf(e.Description) < 0) continue;
    Formats.push_back(e.FormatEtc);
  }
}

void TClipboardFormatList::EnumerateFormats(TNodeTreeClass TreeClass, std::vector<std::string>& Formats) {
  for (const auto& e : Registry().Entries)
    if (InheritsFrom(TreeClass, e.TreeClass)) Formats.push_back(e.Description);
}

PClipboardFormatListEntry TClipboardFormatList::FindFormat(const std::string& FormatString) {
  const auto& list = Registry().Entries;
  for (auto it = list.rbegin(); it != list.rend(); ++it)
    if (CompareText(it->Description, FormatString) == 0) return &*it;
  return nullptr;
}

TNodeTreeClass TClipboardFormatList::FindFormat(const std::string& FormatString, TClipFormat& Fmt) {
  PClipboardFormatListEntry e = FindFormat(FormatString);
  if (!e) return nullptr;
  Fmt = e->FormatEtc.cfFormat;
  return e->TreeClass;
}

TNodeTreeClass TClipboardFormatList::FindFormat(TClipFormat Fmt, std::string& Description) {
  const auto& list = Registry().Entries;
  for (auto it = list.rbegin(); it != list.rend(); ++it)
    if (it->FormatEtc.cfFormat == Fmt) {
      Description = it->Description;
      return it->TreeClass;
    }
  return nullptr;
}

TClipFormat RegisterTreeClipboardFormat(const std::string& Description, TNodeTreeClass TreeClass,
                                        std::uint32_t Priority, unsigned tymed, const void* ptd,
                                        unsigned dwAspect, int lindex) {
  const TClipFormat code = RegisterClipboardFormat(Description);
  TClipboardFormatList::Add(Description, TreeClass, Priority, {code, ptd, dwAspect, lindex, tymed});
  return code;
}

void RegisterTreeClipboardFormat(TClipFormat AFormat, TNodeTreeClass TreeClass, std::uint32_t Priority) {
  std::string description;
  if (AFormat == 0) return;
  if (AFormat <= 17) {
    description = StandardClipboardFormats[AFormat - 1].Description;
  } else {
    description = GetClipboardFormatName(AFormat);
    if (description.empty()) return;
  }
  TClipboardFormatList::Add(description, TreeClass, Priority, FormatEtc(AFormat));
}

TClipFormat cfNodeTreeData() {
  return Registry().NodeTreeData;
}
TClipFormat cfNodeTreeReference() {
  return Registry().NodeTreeReference;
}
TClipFormat cfHTMLFormat() {
  return Registry().HTML;
}
TClipFormat cfRichTextNoObjects() {
  return Registry().RichTextNoObjects;
}
TClipFormat cfRichText() {
  return Registry().RichText;
}
TClipFormat cfCSV() {
  return Registry().CSV;
}

// ---------------------------------------------------------------- per tree

bool TClipboardFormats::Accepts(const std::string& S) const {
  TClipFormat fmt = 0;
  TNodeTreeClass cls = TClipboardFormatList::FindFormat(S, fmt);
  if (!cls) return false;
  std::string description;
  cls = TClipboardFormatList::FindFormat(fmt, description);
  return cls && cls->IsInstance(FOwner);
}

int TClipboardFormats::IndexOf(const std::string& S) const {
  auto it = std::lower_bound(FItems.begin(), FItems.end(), S, [](const std::string& a, const std::string& b) {
    return CompareText(a, b) < 0;
  });
  if (it != FItems.end() && CompareText(*it, S) == 0) return static_cast<int>(it - FItems.begin());
  return -1;
}

int TClipboardFormats::Add(const std::string& S) {
  if (!Accepts(S)) return -1;
  auto it = std::lower_bound(FItems.begin(), FItems.end(), S, [](const std::string& a, const std::string& b) {
    return CompareText(a, b) < 0;
  });
  if (it != FItems.end() && CompareText(*it, S) == 0) return static_cast<int>(it - FItems.begin());
  return static_cast<int>(FItems.insert(it, S) - FItems.begin());
}

void TClipboardFormats::Insert(int Index, const std::string& S) {
  // The list is sorted, so the name goes where it belongs whatever the index.
  (void)Index;
  Add(S);
}

void TClipboardFormats::Assign(const std::vector<std::string>& Names) {
  FItems.clear();
  for (const auto& name : Names)
    Add(name);
}
