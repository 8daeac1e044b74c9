#include "controls/AsgHTMLEParse.h"

#include "controls/ProUtilUnicode.h"
#include "controls/ReplaceAll.h"

#include <array>
#include <cctype>

namespace {

struct TEntity {
  std::string_view Name;
  std::string_view Text;
};

// "&amp;" stays a doubled ampersand because the text output takes a single one as a prefix.
constexpr std::array<TEntity, 9> LayoutEntities = {{
    {"&amp;", "&&"},
    {"&quot;", "\""},
    {"&sect;", "\xC2\xA7"},
    {"&permil;", "\xE2\x80\xB0"},
    {"&reg;", "\xC2\xAE"},
    {"&copy;", "\xC2\xA9"},
    {"&para;", "\xC2\xB6"},
    {"&trade;", "\xE2\x84\xA2"},
    {"&euro;", "\xE2\x82\xAC"},
}};

constexpr std::array<TEntity, 3> RunEntities = {{
    {"&nbsp;", " "},
    {"&lt;", "<"},
    {"&gt;", ">"},
}};

// Every occurrence, left to right.
void ReplaceEveryIgnoringCase(std::string& text, const TEntity& entity) {
  if (FindIgnoringAsciiCase(text, entity.Name) != std::string::npos)
    text = ReplaceAllIgnoringAsciiCase(text, entity.Name, entity.Text);
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

char Upper(char c) {
  return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

// Digits from `i` on, saturating at cap; none when there is no digit at `i`.
std::optional<int> DigitsAt(std::string_view s, std::size_t i, int cap) {
  if (i >= s.size() || !IsDigit(s[i])) return std::nullopt;
  long long v = 0;
  for (; i < s.size() && IsDigit(s[i]); ++i)
    if (v <= cap) v = v * 10 + (s[i] - '0');
  return static_cast<int>(v > cap ? cap : v);
}

std::size_t SkipBlanks(std::string_view s, std::size_t i) {
  while (i < s.size() && s[i] == ' ')
    ++i;
  return i;
}

// Position just past "name =" (blanks allowed around the "="), trying each occurrence of the
// name in turn; npos when none is followed by "=".
std::size_t ValueStart(std::string_view upperTag, std::string_view name) {
  for (std::size_t p = upperTag.find(name); p != std::string_view::npos; p = upperTag.find(name, p + 1)) {
    std::size_t i = SkipBlanks(upperTag, p + name.size());
    if (i < upperTag.size() && upperTag[i] == '=') return SkipBlanks(upperTag, i + 1);
  }
  return std::string_view::npos;
}

} // namespace

// Replacing until nothing changes comes to this one pass: only the second "&" of a doubled
// ampersand can begin another entity (no entity name holds an "&"), so after "&amp;" the scan
// goes on at that "&".
std::string RewriteLayoutEntities(std::string text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t amp = text.find('&', i);
    if (amp == std::string::npos) break;
    out.append(text, i, amp - i);
    i = amp;
    const std::string_view rest = std::string_view(text).substr(amp);
    const TEntity* found = nullptr;
    for (const TEntity& e : LayoutEntities)
      if (rest.size() >= e.Name.size() && FindIgnoringAsciiCase(rest.substr(0, e.Name.size()), e.Name) == 0) {
        found = &e;
        break;
      }
    if (!found) {
      out += '&';
      ++i;
    } else if (found == &LayoutEntities[0]) {
      out += '&';
      i += found->Name.size() - 1;
      text[i] = '&'; // the doubled ampersand's second half, read again
    } else {
      out += found->Text;
      i += found->Name.size();
    }
  }
  out.append(text, i);
  return out;
}

std::string PrepareHTMLText(std::string_view source) {
  // "<#name>" shows as "#name".
  std::string text(source);
  for (std::size_t p = text.find("<#"); p != std::string::npos; p = text.find("<#", p)) {
    text.erase(p, 1);
    std::size_t close = text.find('>', p);
    if (close != std::string::npos) text.erase(close, 1);
  }

  // Entities are rewritten in the text only: attribute values are read as written (a control's
  // VALUE is decoded when it is read, and must not come back with its ampersands doubled).
  std::string rewritten;
  rewritten.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t open = text.find('<', i);
    const std::size_t close = open == std::string::npos ? std::string::npos : text.find('>', open);
    const std::size_t textEnd = close == std::string::npos ? text.size() : open;
    rewritten += RewriteLayoutEntities(text.substr(i, textEnd - i));
    if (textEnd == text.size()) break;
    rewritten.append(text, open, close - open + 1);
    i = close + 1;
  }

  std::string out;
  out.reserve(rewritten.size());
  for (char c : rewritten) {
    if (c == '\r')
      out += "<BR>";
    else if (c != '\n')
      out += c;
  }
  return out;
}

std::string ConvertRunEntities(std::string_view run) {
  std::string text(run);
  if (text.find('&') == std::string::npos) return text;
  for (const TEntity& e : RunEntities)
    ReplaceEveryIgnoringCase(text, e);
  return text;
}

std::string VisibleRunText(std::string_view run) {
  std::string out;
  out.reserve(run.size());
  for (std::size_t i = 0; i < run.size(); ++i) {
    if (run[i] != '&') {
      out += run[i];
      continue;
    }
    if (i + 1 >= run.size()) break;
    out += run[++i];
  }
  return out;
}

std::vector<THTMLToken> TokenizeHTML(std::string_view text, bool wordWrap) {
  std::vector<THTMLToken> tokens;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == '<') {
      if (i + 2 >= text.size()) break;
      const std::size_t close = text.find('>', i + 1);
      if (close == std::string_view::npos) break;
      tokens.push_back({true, std::string(text.substr(i, close - i + 1))});
      i = close + 1;
      continue;
    }
    std::size_t end = text.find('<', i);
    if (end == std::string_view::npos) end = text.size();
    if (wordWrap) {
      const std::size_t blank = text.find(' ', i);
      if (blank < end) end = blank + 1;
    }
    tokens.push_back({false, std::string(text.substr(i, end - i))});
    i = end;
  }
  return tokens;
}

THTMLTag ClassifyHTMLTag(std::string_view tag) {
  if (tag.size() < 3 || tag[0] != '<') return THTMLTag::Unknown;
  auto at = [&](std::size_t i) { return i < tag.size() ? Upper(tag[i]) : '\0'; };
  const char first = at(1), second = at(2);
  if (first == '/') {
    if (tag.size() < 4) return THTMLTag::Unknown;
    const char third = at(3);
    switch (second) {
    case 'A':
      return THTMLTag::EndAnchor;
    case 'B':
      return third == '>' ? THTMLTag::EndBold : THTMLTag::EndColor;
    case 'E':
      return THTMLTag::EndError;
    case 'F':
      return THTMLTag::EndFont;
    case 'H':
      return THTMLTag::EndHighlight;
    case 'I':
      return THTMLTag::EndItalic;
    case 'L':
      return THTMLTag::EndListItem;
    case 'P':
      return THTMLTag::EndParagraph;
    case 'R':
      return THTMLTag::EndRotate;
    case 'S':
      return third == 'U' ? THTMLTag::EndSubSup : third == 'H' ? THTMLTag::EndShadow : THTMLTag::EndStrike;
    case 'U':
      return third == '>' ? THTMLTag::EndUnderline : THTMLTag::EndList;
    case 'Z':
      return THTMLTag::EndHidden;
    default:
      return THTMLTag::Unknown;
    }
  }
  switch (first) {
  case 'A':
    return THTMLTag::Anchor;
  case 'B':
    switch (second) {
    case '>':
      return THTMLTag::Bold;
    case 'R':
      return THTMLTag::Break;
    case 'L':
      return THTMLTag::Blink;
    case 'O':
      return THTMLTag::Body;
    default:
      return THTMLTag::Unknown;
    }
  case 'C':
    return THTMLTag::Control;
  case 'E':
    return THTMLTag::Error;
  case 'F':
    return THTMLTag::Font;
  case 'H':
    return second == 'I' ? THTMLTag::Highlight : second == 'R' ? THTMLTag::Rule : THTMLTag::Unknown;
  case 'I':
    return second == '>'   ? THTMLTag::Italic
           : second == 'N' ? THTMLTag::Indent
           : second == 'M' ? THTMLTag::Image
                           : THTMLTag::Unknown;
  case 'L':
    return THTMLTag::ListItem;
  case 'P':
    return THTMLTag::Paragraph;
  case 'R':
    return THTMLTag::Rotate;
  case 'S': {
    const std::string upper = AsciiUpperCase(tag);
    if (upper == "<SUB>") return THTMLTag::Sub;
    if (upper == "<SUP>") return THTMLTag::Sup;
    return second == 'H' ? THTMLTag::Shadow : second == '>' ? THTMLTag::Strike : THTMLTag::Unknown;
  }
  case 'U':
    return second == '>' ? THTMLTag::Underline : THTMLTag::List;
  case 'Z':
    return THTMLTag::Hidden;
  default:
    return THTMLTag::Unknown;
  }
}

std::string HTMLTagAttribute(std::string_view tag, std::string_view name, bool upperCase) {
  const std::string upper = AsciiUpperCase(tag);
  const std::size_t start = ValueStart(upper, name);
  if (start == std::string_view::npos || start >= tag.size() || tag[start] != '"') return {};
  const std::size_t close = tag.find('"', start + 1);
  if (close == std::string_view::npos) return {};
  const std::string_view from = upperCase ? std::string_view(upper) : tag;
  return std::string(from.substr(start + 1, close - start - 1));
}

bool HTMLTagHasAttribute(std::string_view tag, std::string_view name) {
  return ValueStart(AsciiUpperCase(tag), name) != std::string_view::npos;
}

int LeadingDigits(std::string_view text, int cap) {
  return DigitsAt(text, 0, cap).value_or(0);
}

std::optional<int> NumberAfterLetter(std::string_view tag, char letter, int cap) {
  const char want = Upper(letter);
  std::size_t i = 0;
  while (i < tag.size() && Upper(tag[i]) != want)
    ++i;
  if (i >= tag.size()) return std::nullopt;
  i = SkipBlanks(tag, i + 1);
  if (i < tag.size() && tag[i] == '=') i = SkipBlanks(tag, i + 1);
  if (i < tag.size() && (tag[i] == '"' || tag[i] == '\'')) ++i;
  const bool negative = i < tag.size() && tag[i] == '-';
  if (negative) ++i;
  const std::optional<int> n = DigitsAt(tag, i, cap);
  if (!n) return std::nullopt;
  return negative ? -*n : *n;
}

std::optional<int> HTMLFontSizeValue(std::string_view tag, int cap) {
  const std::size_t start = ValueStart(AsciiUpperCase(tag), "SIZE");
  if (start == std::string_view::npos) return std::nullopt;
  std::size_t i = start;
  if (i < tag.size() && (tag[i] == '"' || tag[i] == '\'')) ++i;
  return DigitsAt(tag, i, cap);
}
