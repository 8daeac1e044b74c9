#include "controls/HTMLTextTools.h"

#include "controls/ProUtilUnicode.h"
#include "controls/ReplaceAll.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

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
  // Where each visible character stands in the mark-up, counted as VisibleToMarkupPos counts.
  // The tags put in never change that count, so the insertions are collected and made at the end.
  std::vector<std::size_t> at;
  bool inTag = false;
  for (std::size_t i = 0; i < html.size(); ++i) {
    if (inTag)
      inTag = html[i] != '>';
    else if (html[i] == '<')
      inTag = true;
    else
      at.push_back(i);
  }
  // Before the n-th visible character (1-based), after the tags that follow character n - 1.
  auto before = [&](std::size_t n) -> std::optional<std::size_t> {
    if (n == 1) return 0;
    if (n - 1 > at.size()) return std::nullopt;
    return at[n - 2] + 1;
  };
  const std::string open = TagText(tag, false);
  const std::string close = TagText(tag, true);
  std::vector<std::pair<std::size_t, const std::string*>> inserts; // in mark-up order
  std::size_t skip = 0;
  for (;;) {
    const std::size_t found = FindVisible(what, visible, skip, caseSensitive, length);
    if (found == std::string::npos || length == 0) break;
    const std::optional<std::size_t> openAt = before(found + 1);
    if (!openAt) break;
    inserts.emplace_back(*openAt, &open);
    const std::optional<std::size_t> closeAt = before(found + 1 + length);
    if (!closeAt) break;
    inserts.emplace_back(*closeAt, &close);
    skip = found + length;
  }
  if (inserts.empty()) return html;
  std::string out;
  out.reserve(html.size() + inserts.size() * close.size());
  std::size_t done = 0;
  for (const auto& [position, text] : inserts) {
    out.append(html, done, position - done);
    out += *text;
    done = position;
  }
  out.append(html, done);
  return out;
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
