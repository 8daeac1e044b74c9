#include "grid/LookupCompletion.h"

#include "platform/Collate.h"
#include "platform/StringList.h"

namespace {
// Byte offset of the character index in UTF-8 text (the text's size past its end).
std::size_t BytesOf(const std::string& Text, int Chars) {
  std::size_t b = 0;
  for (int i = 0; b < Text.size() && i < Chars; ++i) {
    ++b;
    while (b < Text.size() && (static_cast<unsigned char>(Text[b]) & 0xC0) == 0x80)
      ++b;
  }
  return b;
}
int CharsOf(const std::string& Text) {
  int n = 0;
  for (const char c : Text)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
  return n;
}
// The completion takes at most this many characters of the item.
constexpr int MaxCompletion = 255;
} // namespace

std::optional<TLookupCompletion> CompleteFromItems(const TStrings& Items, const std::string& Text, int Caret,
                                                   bool CaseSensitive) {
  std::vector<std::string> items;
  items.reserve(static_cast<std::size_t>(Items.Count()));
  for (int i = 0; i < Items.Count(); ++i)
    items.push_back(Items[i]);
  return CompleteFromItems(items, Text, Caret, CaseSensitive);
}

std::optional<TLookupCompletion> CompleteFromItems(const std::vector<std::string>& Items,
                                                   const std::string& Text, int Caret, bool CaseSensitive) {
  const std::string prefix = Text.substr(0, BytesOf(Text, Caret));
  if (prefix.empty()) return std::nullopt;
  const std::string key = CaseSensitive ? prefix : LocaleUpperCase(prefix);
  const int typed = CharsOf(prefix);
  for (std::size_t i = 0; i < Items.size(); ++i) {
    const std::string& item = Items[i];
    const std::string head = item.substr(0, BytesOf(item, typed));
    if ((CaseSensitive ? head : LocaleUpperCase(head)) != key) continue;
    const std::string rest = item.substr(head.size());
    TLookupCompletion c;
    c.Text = prefix + rest.substr(0, BytesOf(rest, MaxCompletion));
    c.Index = static_cast<int>(i);
    c.SelStart = typed;
    c.SelLength = CharsOf(c.Text) - typed;
    return c;
  }
  return std::nullopt;
}
