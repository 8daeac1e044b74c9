// Texts split as lines, comma texts and delimited texts; what a list writes reads back the same.
#include "platform/StringList.h"

#include <cstdlib>
#include <string>

namespace {
void RoundTrip(TStringList& list, bool comma) {
  std::string text = comma ? list.CommaText() : list.DelimitedText();
  TStringList back;
  back.SetDelimiter(list.Delimiter());
  back.SetStrictDelimiter(list.StrictDelimiter());
  if (comma)
    back.SetCommaText(text);
  else
    back.SetDelimitedText(text);
  if (!back.Equals(list)) std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  if (size == 0) return 0;
  std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
  TStringList list;
  list.SetText(text);
  list.SetCommaText(text);
  RoundTrip(list, true);
  // Any delimiter but the quote itself, and no blank one unless strict (blanks separate items
  // then anyway): no text could be split unambiguously at those.
  char delimiter = static_cast<char>(data[0] & 0x7F);
  bool strict = data[0] & 0x80;
  bool blank = static_cast<unsigned char>(delimiter) <= ' ';
  list.SetDelimiter(delimiter == '\0' || delimiter == list.QuoteChar() || (blank && !strict) ? ';'
                                                                                             : delimiter);
  list.SetStrictDelimiter(strict);
  list.SetDelimitedText(text);
  RoundTrip(list, false);
  list.SetSorted(true);
  list.IndexOf(text);
  return 0;
}
