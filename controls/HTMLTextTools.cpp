#include "controls/HTMLTextTools.h"

#include "controls/ProUtilUnicode.h"
#include "controls/ReplaceAll.h"

#include <algorithm>

namespace {

// "<tag>", or "</tag>" when closing.
std::string TagText(std::string_view tag, bool closing) {
  std::string out(closing ? "</" : "<");
  out += tag;
  out += '>';
  return out;
}

std::string Escaped(std::string_view text) {
  return ReplaceAll(ReplaceAll(text, "<", "&lt;"), ">", "&gt;");
}

// The 0-based offset of `search` in `visible` from `from`, and the bytes the match takes there.
std::size_t FindVisible(std::string_view search, std::string_view visible, std::size_t from,
                        bool caseSensitive, std::size_t& length) {
  if (search.empty() || from > visible.size()) return std::string_view::npos;
  if (!caseSensitive) return FindIgnoringCase(visible, search, from, &length);
  length = search.size();
  return visible.find(search, from);
}

} // namespace

std::string StripHTMLTags(std::string_view markup) {
  std::string text =
      ReplaceAllIgnoringAsciiCase(ReplaceAllIgnoringAsciiCase(markup, "<BR>", "\r\n"), "<HR>", "\r\n");
  std::string out;
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t open = text.find('<', i);
    std::size_t close = open == std::string::npos ? open : text.find('>', open);
    if (close == std::string::npos) {
      out.append(text, i);
      break;
    }
    out.append(text, i, open - i);
    i = close + 1;
  }
  return out;
}

std::string StripTagsForSearch(std::string_view markup) {
  std::string out;
  std::size_t i = 0;
  while (i < markup.size()) {
    std::size_t open = markup.find('<', i);
    std::size_t close = markup.find('>', i);
    if (open == std::string_view::npos || close == std::string_view::npos || close < open) {
      out.append(markup, i);
      break;
    }
    out.append(markup, i, open - i);
    i = close + 1;
  }
  return out;
}

int VisibleToMarkupPos(std::string_view markup, int visiblePos) {
  if (visiblePos < 1) return 0;
  if (visiblePos == 1) return 1;
  int count = 0;
  bool inTag = false;
  for (std::size_t i = 0; i < markup.size(); ++i) {
    const char c = markup[i];
    if (inTag) {
      inTag = c != '>';
    } else if (c == '<') {
      inTag = true;
    } else if (++count == visiblePos - 1) {
      return static_cast<int>(i) + 2;
    }
  }
  return 0;
}

int FindInVisibleText(std::string_view search, std::string_view visible, int skip, int& pos,
                      bool caseSensitive) {
  std::size_t length = 0;
  std::size_t from = skip < 0 ? 0 : static_cast<std::size_t>(skip);
  std::size_t found = FindVisible(search, visible, from, caseSensitive, length);
  pos = found == std::string_view::npos ? 0 : static_cast<int>(found) + 1;
  return pos;
}

std::string HighlightInHTML(std::string_view markup, std::string_view search, std::string_view tag,
                            bool caseSensitive) {
  std::string html(markup);
  std::string visible = StripTagsForSearch(html);
  std::string what(search);
  std::size_t length = 0;
  const bool contained = FindVisible(search, markup, 0, caseSensitive, length) != std::string_view::npos;
  if (contained && visible.find_first_of("<>") != std::string::npos) {
    // Literal "<" or ">" in the text: the mark-up gives way to its escaped visible text, so that
    // visible positions and mark-up positions agree.
    visible = Escaped(visible);
    html = visible;
    what = Escaped(search);
  }
  const std::string open = TagText(tag, false);
  const std::string close = TagText(tag, true);
  std::size_t skip = 0;
  std::size_t lastClose = 0; // past the closing tag inserted last
  for (;;) {
    std::size_t found = FindVisible(what, visible, skip, caseSensitive, length);
    if (found == std::string::npos) break;
    const int start = static_cast<int>(found) + 1;
    const int end = start + static_cast<int>(length);
    const int at = VisibleToMarkupPos(html, start);
    if (at == 0) break;
    // An occurrence right after the previous one opens after that one's closing tag, not
    // inside it.
    const std::size_t openAt = std::max(static_cast<std::size_t>(at) - 1, lastClose);
    html.insert(openAt, open);
    const int after = VisibleToMarkupPos(html, end);
    if (after == 0) break;
    html.insert(static_cast<std::size_t>(after) - 1, close);
    lastClose = static_cast<std::size_t>(after) - 1 + close.size();
    skip = found + length;
  }
  return html;
}

std::string UnhighlightInHTML(std::string_view markup, std::string_view tag) {
  std::string html = ReplaceAllIgnoringAsciiCase(markup, TagText(tag, false), "");
  html = ReplaceAllIgnoringAsciiCase(html, TagText(tag, true), "");
  return ReplaceAll(ReplaceAll(html, "&lt;", "<"), "&gt;", ">");
}

std::string PasswordMask(std::string_view text) {
  return std::string(Utf8Length(text), '*');
}

int ReplaceFirstIgnoreCase(std::string_view oldText, std::string_view newText, std::string& text) {
  std::size_t p = FindIgnoringAsciiCase(text, oldText);
  if (p == std::string::npos) return 0;
  text.replace(p, oldText.size(), newText);
  return 1;
}

int PosIgnoreCase(std::string_view sub, std::string_view text) {
  std::size_t p = FindIgnoringAsciiCase(text, sub);
  return p == std::string_view::npos ? 0 : static_cast<int>(p) + 1;
}

std::string LineBreaksToBR(std::string_view text, bool keepBreaks) {
  std::string out;
  for (char c : text) {
    if (c == '\r') {
      if (keepBreaks) out += "<BR>";
    } else if (c != '\n') {
      out += c;
    }
  }
  return out;
}
