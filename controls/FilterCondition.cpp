#include "controls/FilterCondition.h"

#include "controls/ProUtilUnicode.h"
#include "controls/WholeNumber.h"
#include "platform/Locale.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <vector>

namespace {

// Operands longer than this are compared on their first characters only.
constexpr std::size_t MaxOperandLength = 255;

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ')
    text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ')
    text.remove_suffix(1);
  return text;
}

std::string_view FirstCodePoints(std::string_view text, std::size_t count) {
  std::size_t i = 0;
  for (std::size_t n = 0; n < count && i < text.size(); ++n)
    Utf8Next(text, i);
  return text.substr(0, i);
}

std::optional<double> ReadNumber(std::string_view text) {
  text = Trimmed(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  std::size_t digits = (!text.empty() && text.front() == '-') ? 1 : 0;
  // Only digits or a point may start the number ("inf" and "nan" are texts here).
  if (digits >= text.size() || !(text[digits] == '.' || (text[digits] >= '0' && text[digits] <= '9')))
    return std::nullopt;
  double value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// The comparison operand from `start`: blanks skipped, then up to a blank, "&" or "|" outside
// double quotes (a quoted operand is kept whole), without its enclosing quotes.
std::string_view ReadOperand(std::string_view term, std::size_t start) {
  while (start < term.size() && term[start] == ' ')
    ++start;
  std::size_t end = start;
  bool quoted = false;
  for (; end < term.size(); ++end) {
    char c = term[end];
    if (c == '"')
      quoted = !quoted;
    else if (!quoted && (c == ' ' || c == '&' || c == '|'))
      break;
  }
  std::string_view operand = term.substr(start, end - start);
  if (operand.starts_with('"')) operand.remove_prefix(1);
  if (operand.ends_with('"')) operand.remove_suffix(1);
  return FirstCodePoints(operand, MaxOperandLength);
}

// <0, 0, >0 as the cell text is below, equal to or above the operand: as numbers when both read
// as numbers, else as date-times when both read as such, else as texts.
int CompareWithOperand(std::string_view text, std::string_view operand) {
  TDateTime textDate = 0;
  TDateTime operandDate = 0;
  const bool textIsDate = ParseLocaleDateTime(text, textDate);
  const bool operandIsDate = ParseLocaleDateTime(operand, operandDate);
  std::optional<double> textNumber = textIsDate ? std::nullopt : ReadNumber(FilterNumberText(text));
  std::optional<double> operandNumber = operandIsDate ? std::nullopt : ReadNumber(FilterNumberText(operand));
  auto sign = [](double a, double b) { return a < b ? -1 : a > b ? 1 : 0; };
  if (textNumber && operandNumber) return sign(*textNumber, *operandNumber);
  if (textIsDate && operandIsDate) return sign(textDate, operandDate);
  return FirstCodePoints(text, MaxOperandLength).compare(operand);
}

// The wildcard match. A match starts at the beginning of the pattern or after a run of stars and
// walks its characters up to the next star: "!" sets its negate flag, a double quote is skipped,
// "?" takes any one character and any other character must equal the text's. At a star the match
// holds when the rest of the pattern, matched afresh, holds for some tail of the text. The
// pattern is taken from its last star backwards, each part once for every text position, so time
// is the product of the lengths at worst and nothing recurses.
class TWildcardMatch {
public:
  TWildcardMatch(std::u32string pattern, std::u32string text) : T(std::move(pattern)), X(std::move(text)) {}

  bool Match() {
    // Starts of the matches: the pattern's start and the end of each run of stars.
    std::vector<std::size_t> starts{0};
    for (std::size_t i = 0; i < T.size(); ++i)
      if (T[i] == U'*' && (i + 1 == T.size() || T[i + 1] != U'*')) starts.push_back(i + 1);
    // Tails[j]: the match after the current star holds for some tail of the text from j on.
    std::vector<char> tails(X.size() + 1, 0), next(X.size() + 1, 0);
    for (std::size_t f = starts.size(); f-- > 1;) {
      tails.swap(next);
      bool any = false;
      for (std::size_t j = X.size() + 1; j-- > 0;) {
        any = any || From(starts[f], j, tails);
        next[j] = any;
      }
    }
    tails.swap(next);
    return From(0, 0, tails);
  }

private:
  // The match that starts at pattern position i and text position j.
  bool From(std::size_t i, std::size_t j, const std::vector<char>& tails) const {
    bool negate = false;
    for (;;) {
      if (i == T.size()) return (j == X.size()) != negate;
      const char32_t c = T[i];
      if (c == U'*') return (tails[j] != 0) != negate;
      if (c == U'!') {
        negate = true;
      } else if (c != U'"') {
        if (j == X.size() || (c != U'?' && c != X[j])) return negate;
        ++j;
      }
      ++i;
    }
  }

  std::u32string T;
  std::u32string X;
};

// Groups nested deeper than this are matched as one term, so that no condition exhausts the stack.
constexpr int MaxGroupDepth = 200;

bool MatchCondition(std::string_view condition, std::string_view text, bool caseSensitive, int depth) {
  static constexpr std::string_view Operators = "(;^&|";
  std::string rest = RemoveUnquotedBlanks(Trimmed(condition));
  if (rest.starts_with('=')) rest.erase(0, 1);
  if (depth > MaxGroupDepth) return MatchFilterTerm(rest, text, caseSensitive);

  bool result = false;
  char previous = 0; // none before the first term
  auto combine = [&](bool value, char op) {
    if (op == 0)
      result = value;
    else if (op == '&')
      result = result && value;
    else if (op != '(')
      result = result || value;
    // after a group the empty term before the next operator is ignored
  };

  int pos = -1;
  while (char op = FindUnquotedOperator(Operators, rest, pos)) {
    bool value = false;
    if (rest.starts_with('(')) {
      op = '(';
      int close = FindClosingParen(rest);
      if (close == 0) {
        // An unclosed group takes the rest of the condition, which ends with it.
        combine(MatchCondition(std::string_view(rest).substr(1), text, caseSensitive, depth + 1), previous);
        return result;
      }
      value = MatchCondition(std::string_view(rest).substr(1, close - 2), text, caseSensitive, depth + 1);
      rest.erase(0, static_cast<std::size_t>(close));
    } else {
      value = MatchFilterTerm(std::string_view(rest).substr(0, pos - 1), text, caseSensitive);
      rest.erase(0, static_cast<std::size_t>(pos));
    }
    combine(value, previous);
    previous = op;
  }
  combine(MatchFilterTerm(rest, text, caseSensitive), previous);
  return result;
}

} // namespace

bool MatchFilterCondition(std::string_view condition, std::string_view text, bool caseSensitive) {
  return MatchCondition(condition, text, caseSensitive, 0);
}

std::string RemoveUnquotedBlanks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  bool quoted = false;
  for (char c : text) {
    if (c == '"') quoted = !quoted;
    if (c != ' ' || quoted) out += c;
  }
  return out;
}

char FindUnquotedOperator(std::string_view operators, std::string_view text, int& pos) {
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"')
      quoted = !quoted;
    else if (!quoted && c != '\0' && operators.find(c) != std::string_view::npos) {
      pos = static_cast<int>(i) + 1;
      return c;
    }
  }
  pos = -1;
  return '\0';
}

bool IsCharInSet(char32_t ch, std::string_view set) {
  for (std::size_t i = 0; i < set.size();)
    if (Utf8Next(set, i) == ch) return true;
  return false;
}

int FindClosingParen(std::string_view text) {
  int opened = 0;
  int closed = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '(') ++opened;
    if (text[i] == ')' && ++closed == opened) return static_cast<int>(i) + 1;
  }
  return 0;
}

bool MatchFilterTerm(std::string_view term, std::string_view text, bool caseSensitive) {
  if (caseSensitive) return CompareOrMatchTerm(term, text);
  return CompareOrMatchTerm(UnicodeUpperCase(term), UnicodeUpperCase(text));
}

bool CompareOrMatchTerm(std::string_view term, std::string_view text) {
  bool lessResult = true;
  bool greaterResult = true;
  bool hasLess = false;
  bool hasGreater = false;
  const std::size_t greater = term.find('>');
  const std::size_t less = term.find('<');
  const bool hasNot = term.find('!') != std::string_view::npos;

  auto compare = [&](std::size_t opAt, bool& inclusive) {
    std::size_t start = opAt + 1;
    inclusive = start < term.size() && term[start] == '=';
    if (inclusive) ++start;
    return CompareWithOperand(text, ReadOperand(term, start));
  };
  if (greater != std::string_view::npos) {
    bool inclusive = false;
    int c = compare(greater, inclusive);
    greaterResult = inclusive ? c >= 0 : c > 0;
    hasGreater = true;
  }
  if (less != std::string_view::npos) {
    bool inclusive = false;
    int c = compare(less, inclusive);
    lessResult = inclusive ? c <= 0 : c < 0;
    hasLess = true;
  }
  if (hasNot) {
    if (greater == std::string_view::npos) hasGreater = true;
    if (less == std::string_view::npos) hasLess = true;
  }

  if (term.find('^') != std::string_view::npos && (hasGreater || hasLess)) return lessResult || greaterResult;
  if (term.find('&') != std::string_view::npos && hasGreater && hasLess) return lessResult && greaterResult;
  if (greater != std::string_view::npos && greaterResult) return true;
  if (less != std::string_view::npos && lessResult) return true;
  return TWildcardMatch(Utf8ToUtf32(term), Utf8ToUtf32(text)).Match();
}

std::string FilterNumberText(std::string_view text) {
  const TFormatSettings& fs = FormatSettings();
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (fs.ThousandSeparator != '\0' && c == fs.ThousandSeparator) continue;
    out += c == fs.DecimalSeparator ? '.' : c;
  }
  return out;
}

bool ParseLocaleDateTime(std::string_view text, TDateTime& dateTime) {
  const TFormatSettings& fs = FormatSettings();
  const char separator = fs.DateSeparator;

  const std::size_t first = text.find(separator);
  if (first == std::string_view::npos) return false;

  // The order of day, month and year as their first letters stand in the short date format.
  std::string format = AsciiUpperCase(fs.ShortDateFormat);
  struct TField {
    std::size_t At;
    char Kind;
  };
  std::array<TField, 3> order = {{{format.find('D'), 'D'}, {format.find('M'), 'M'}, {format.find('Y'), 'Y'}}};
  for (TField& f : order)
    if (f.At == std::string::npos) f.At = 0;
  std::stable_sort(order.begin(), order.end(), [](const TField& a, const TField& b) { return a.At < b.At; });

  const std::size_t next = text.find(separator, first + 1);
  if (next == std::string_view::npos) return false;
  std::string_view rest = Trimmed(text.substr(next + 1));
  std::string_view timePart;
  const std::size_t blank = rest.find(' ');
  const bool hasTime = blank != std::string_view::npos;
  if (hasTime) {
    timePart = rest.substr(blank + 1);
    rest = rest.substr(0, blank);
  }
  const std::string_view fields[3] = {text.substr(0, first), text.substr(first + 1, next - first - 1), rest};
  int day = 0;
  int month = 0;
  int year = 0;
  for (int k = 0; k < 3; ++k) {
    int value = 0;
    if (!ReadWholeNumber(fields[k], value)) return false;
    (order[k].Kind == 'D' ? day : order[k].Kind == 'M' ? month : year) = value;
  }
  if (day >= 32 || month > 12) return false;
  TDateTime date = 0;
  if (!TryEncodeDate(year, month, day, date)) return false;
  if (!hasTime) {
    dateTime = date;
    return true;
  }

  const char timeSeparator = fs.TimeSeparator;
  const std::size_t t1 = timePart.find(timeSeparator);
  if (t1 == std::string_view::npos) {
    dateTime = date;
    return false;
  }
  int hour = 0;
  int minute = 0;
  int second = 0;
  if (!ReadWholeNumber(timePart.substr(0, t1), hour) || hour > 23) return false;
  const std::size_t t2 = timePart.find(timeSeparator, t1 + 1);
  if (t2 != std::string_view::npos) {
    if (!ReadWholeNumber(timePart.substr(t1 + 1, t2 - t1 - 1), minute) || minute > 59) return false;
    if (!ReadWholeNumber(timePart.substr(t2 + 1), second) || second > 60) return false;
  } else if (!ReadWholeNumber(timePart.substr(t1 + 1), minute) || minute > 59) {
    return false;
  }
  TDateTime time = 0;
  if (!TryEncodeTime(hour, minute, second, 0, time)) return false;
  dateTime = date + time;
  return true;
}
