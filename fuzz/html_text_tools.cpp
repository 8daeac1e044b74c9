// Mini-HTML text tools: stripping, searching and highlighting; a highlight of a text without
// literal "<" or ">" is removed again without a trace.
#include "controls/HTMLTextTools.h"
#include "support/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const std::string search = in.ConsumeRandomLengthString(8);
  const bool caseSensitive = in.ConsumeBool();
  const std::string markup = in.ConsumeRemainingBytesAsString();
  StripHTMLTags(markup);
  const std::string visible = StripTagsForSearch(markup);
  int pos = 0;
  FindInVisibleText(search, visible, 0, pos, caseSensitive);
  VisibleToMarkupPos(markup, static_cast<int>(search.size()));
  const std::string marked = HighlightInHTML(markup, search, "hi", caseSensitive);
  if (markup.find_first_of("<>&") == std::string::npos && search.find_first_of("<>") == std::string::npos)
    FuzzCheck(UnhighlightInHTML(marked, "hi") == markup, "a highlight is removed without a trace", marked);
  std::string text = markup;
  ReplaceFirstIgnoreCase(search, "x", text);
  PosIgnoreCase(search, markup);
  LineBreaksToBR(markup, true);
  PasswordMask(markup);
  return 0;
}
