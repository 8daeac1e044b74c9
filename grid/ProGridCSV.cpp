// Delimiter-separated values. A line break inside a field is written as U+000B within quotes, so
// every row takes one line of the file.
#include "controls/ProUtilText.h"
#include "grid/GridCsvScan.h"
#include "grid/GridFileText.h"
#include "grid/ProGrid.h"
#include "platform/AtomicFile.h"
#include "platform/Files.h"
#include "platform/Streams.h"
#include "platform/TextCodec.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <optional>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

using namespace gridfile;

namespace {

// What each byte asks of a field: a line break, or a quote, the delimiter or U+000B (which the
// reader takes for a line break); and what it tells the save about the cell: "<" may start
// markup, a byte past ASCII needs a code page check, "~" is a JavaCSV line break.
enum : unsigned char { kLineBreak = 1, kQuoteWorthy = 2, kMarkup = 4, kNonAscii = 8, kTilde = 16 };
using TFieldMarks = std::array<unsigned char, 256>;

TFieldMarks FieldMarks(char d, bool javaCsv) {
  TFieldMarks marks{};
  marks['\r'] = marks['\n'] = kLineBreak;
  marks['"'] = marks['\v'] = kQuoteWorthy;
  marks[static_cast<unsigned char>(d)] |= kQuoteWorthy;
  marks['<'] |= kMarkup;
  for (int b = 0x80; b < 0x100; ++b)
    marks[static_cast<std::size_t>(b)] |= kNonAscii;
  if (javaCsv) marks['~'] |= kTilde;
  return marks;
}

#if !defined(__SSE2__)
unsigned char Scan(std::string_view text, const TFieldMarks& marks) {
  unsigned char seen = 0;
  for (char ch : text)
    seen |= marks[static_cast<unsigned char>(ch)];
  return seen;
}
#endif

// The first characters that make a save look closer at a cell: a blank is quoted, "=", "|" and
// "{" may start a formula, a wide text or rich text, a lone "^" is quoted with JavaCSV.
using TFirstMarks = std::array<bool, 256>;

TFirstMarks FirstMarks(bool javaCsv) {
  TFirstMarks marks{};
  marks[' '] = marks['='] = marks['|'] = marks['{'] = true;
  if (javaCsv) marks['^'] = true;
  return marks;
}

// Storage for the saved text, written through a cursor kept by the writer. Room is made for a
// field's longest form at once, and sixteen-byte stores may pass the bytes they write: the limit
// stays kSlack bytes short of the storage's end.
class TCsvOut {
public:
  static constexpr std::size_t kSlack = 48;
  char* Begin() const { return FData.get(); }
  char* Limit() const { return FLimit; }
  // Storage for at least n bytes before the limit, the written bytes up to at kept; answers where
  // they end now.
  char* Reserve(char* at, std::size_t n) {
    const std::size_t used = static_cast<std::size_t>(at - Begin());
    if (static_cast<std::size_t>(FLimit - Begin()) >= n) return at;
    auto data = std::make_unique_for_overwrite<char[]>(n + kSlack);
    if (used) std::memcpy(data.get(), Begin(), used);
    FData = std::move(data);
    FLimit = Begin() + n;
    return Begin() + used;
  }
  // Room for n more bytes at at.
  char* Room(char* at, std::size_t n) {
    const std::size_t used = static_cast<std::size_t>(at - Begin());
    return Reserve(at, std::max(used + n, 2 * used));
  }

private:
  std::unique_ptr<char[]> FData;
  char* FLimit = nullptr;
};

#if defined(__SSE2__)
// Sixteen bytes of s from i on. A string's storage holds capacity() + 1 bytes, so a block passing
// the text's end is read in place while the storage reaches; past that, the rest is copied out.
__m128i Block(const std::string& s, std::size_t i) {
  if (i + 16 <= s.capacity() + 1) return _mm_loadu_si128(reinterpret_cast<const __m128i*>(s.data() + i));
  alignas(16) char rest[16] = {};
  std::memcpy(rest, s.data() + i, std::min<std::size_t>(16, s.size() - i));
  return _mm_load_si128(reinterpret_cast<const __m128i*>(rest));
}

// The bytes of v from j (at most sixteen) on, moved to its start. Shifting in registers: a block
// stored and read back from j on would wait for the store to reach the cache.
inline __m128i BytesFrom(__m128i v, unsigned j) {
  const __m128i high = _mm_srli_si128(v, 8);
  if (j < 8)
    return _mm_or_si128(_mm_srl_epi64(v, _mm_cvtsi32_si128(static_cast<int>(8 * j))),
                        _mm_sll_epi64(high, _mm_cvtsi32_si128(static_cast<int>(64 - 8 * j))));
  return _mm_srl_epi64(high, _mm_cvtsi32_si128(static_cast<int>(8 * j - 64)));
}

unsigned FirstBits(std::size_t n) {
  return n >= 16 ? 0xFFFFu : (1u << n) - 1;
}

// The bytes that may make a field more than a copy of its text: control characters (line breaks,
// U+000B), bytes past ASCII (negative as signed), a quote, "<", the delimiter and "~". A quote and
// the delimiter ask only for quotes; the others for a closer look.
struct TSpecials {
  TSpecials(char d, bool javaCsv)
      : Control(_mm_set1_epi8(0x0E)), Quote(_mm_set1_epi8('"')), Lt(_mm_set1_epi8('<')),
        Delimiter(_mm_set1_epi8(d)), Tilde(_mm_set1_epi8(javaCsv ? '~' : '<')) {}
  __m128i Quotes(__m128i v) const {
    return _mm_or_si128(_mm_cmpeq_epi8(v, Quote), _mm_cmpeq_epi8(v, Delimiter));
  }
  __m128i Others(__m128i v) const {
    return _mm_or_si128(_mm_cmplt_epi8(v, Control),
                        _mm_or_si128(_mm_cmpeq_epi8(v, Lt), _mm_cmpeq_epi8(v, Tilde)));
  }
  unsigned operator()(__m128i v) const {
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(Quotes(v), Others(v))));
  }
  __m128i Control, Quote, Lt, Delimiter, Tilde;
};

// What Scan tells, sixteen bytes at a time: only the bytes TSpecials finds carry marks.
unsigned char Scan(const std::string& text, const TFieldMarks& marks, const TSpecials& specials) {
  unsigned char seen = 0;
  const std::size_t n = text.size();
  for (std::size_t i = 0; i < n; i += 16)
    for (unsigned hits = specials(Block(text, i)) & FirstBits(n - i); hits; hits &= hits - 1)
      seen |= marks[static_cast<unsigned char>(text[i + static_cast<unsigned>(__builtin_ctz(hits))])];
  return seen;
}

// Writes a stored text of one to sixteen bytes that starts with none of the first marks, when
// nothing in it asks for more than quotes: copied in one store, or quoted with each quote doubled.
// Stores may pass the field's end by sixteen bytes; room for 2 * 16 + 2 bytes must be made.
// Answers nullptr, having written nothing that counts, for a text that goes the general way.
inline char* WriteShortField(char* p, const std::string& text, const TSpecials& specials, bool alwaysQuotes) {
  // A string's storage holds capacity() + 1 bytes, so sixteen are read in place.
  if (text.capacity() < 15) return nullptr;
  const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data()));
  const std::size_t n = text.size();
  const unsigned bits = (1u << n) - 1;
  const __m128i quoteWorthy = specials.Quotes(v);
  if (!(static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(quoteWorthy, specials.Others(v)))) & bits) &&
      !alwaysQuotes) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v);
    return p + n;
  }
  if (static_cast<unsigned>(_mm_movemask_epi8(specials.Others(v))) & bits) return nullptr;
  *p++ = '"';
  _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v);
  // At each quote the rest of the text is stored again one byte further on.
  for (unsigned quotes = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, specials.Quote))) & bits;
       quotes; quotes &= quotes - 1) {
    const unsigned j = static_cast<unsigned>(__builtin_ctz(quotes));
    ++p;
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p + j), BytesFrom(v, j));
  }
  p += n;
  *p++ = '"';
  return p;
}
#endif

// Copies the text, each quote doubled and each line break (CR LF, CR or LF) made lineBreak.
char* CopyEscaped(char* p, const std::string& text, char lineBreak) {
#if defined(__SSE2__)
  // Each block is stored whole; at a quote or a line break the rest of the block is stored again
  // one byte further on (a quote), in place (a line break) or one back (the LF of a CR LF).
  const __m128i quote = _mm_set1_epi8('"'), cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
  const std::size_t n = text.size();
  std::size_t lastCr = n; // where the last CR stood
  for (std::size_t i = 0; i < n; i += 16) {
    const __m128i v = Block(text, i);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v);
    unsigned hits =
        static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(
            _mm_cmpeq_epi8(v, quote), _mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf))))) &
        FirstBits(n - i);
    for (; hits; hits &= hits - 1) {
      const unsigned j = static_cast<unsigned>(__builtin_ctz(hits));
      const char ch = text[i + j];
      if (ch == '"') {
        ++p;
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p + j), BytesFrom(v, j));
      } else if (ch == '\n' && lastCr + 1 == i + j) {
        --p;
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p + j + 1), BytesFrom(v, j + 1));
      } else {
        p[j] = lineBreak;
        if (ch == '\r') lastCr = i + j;
      }
    }
    p += std::min<std::size_t>(16, n - i);
  }
  return p;
#else
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char ch = text[i];
    if (ch == '"') {
      *p++ = '"';
      *p++ = '"';
    } else if (ch == '\r' || ch == '\n') {
      if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      *p++ = lineBreak;
    } else {
      *p++ = ch;
    }
  }
  return p;
#endif
}

// Writes one field, given what Scan saw in it; room for twice its length and two more bytes is
// made. Every line break becomes U+000B inside quotes ("~" with JavaCSV), a text with a quote, the
// delimiter or a leading blank is quoted, so that the reader gives it back.
char* WriteField(char* p, const std::string& text, unsigned char seen, const TGridFileOptions& o) {
  if (text.empty()) {
    if (o.JavaCSV) {
      *p++ = '^';
    } else if (o.QuoteEmptyCells) {
      *p++ = '"';
      *p++ = '"';
    }
    return p;
  }
  seen &= kLineBreak | kQuoteWorthy;
  // With JavaCSV a lone "^" unquoted would read back empty.
  const bool quote = o.AlwaysQuotes || text.front() == ' ' || (o.JavaCSV && text == "^") ||
                     (seen && (!o.JavaCSV || (seen & kQuoteWorthy)));
  if (quote) *p++ = '"';
  if (seen) {
    p = CopyEscaped(p, text, o.JavaCSV ? '~' : '\v');
  } else {
    std::memcpy(p, text.data(), text.size());
    p += text.size();
  }
  if (quote) *p++ = '"';
  return p;
}

// The code page a CSV file is written in, and whether a text fits it.
enum class TCsvCoding { Utf8, Ansi, Oem };

TCsvCoding Coding(bool unicode, const TGridFileOptions& o) {
  return o.OemConvert ? TCsvCoding::Oem : unicode ? TCsvCoding::Utf8 : TCsvCoding::Ansi;
}

bool Fits(std::string_view text, TCsvCoding coding) {
  if (coding == TCsvCoding::Utf8) return true;
  if (std::all_of(text.begin(), text.end(), [](char ch) { return static_cast<unsigned char>(ch) < 0x80; }))
    return true;
  if (coding == TCsvCoding::Ansi) return Utf8ToAnsiExact(text).has_value();
  return Cp850ToUtf8(Utf8ToCp850(text)) == text;
}

const char* CodingName(TCsvCoding coding) {
  return coding == TCsvCoding::Oem ? "CP850" : "Windows-1252";
}

std::string Encode(std::string_view text, TCsvCoding coding) {
  if (coding == TCsvCoding::Ansi) return Utf8ToWindows1252(text);
  if (coding == TCsvCoding::Oem) return Utf8ToCp850(text);
  return std::string(text);
}

// The text of a CSV file; UTF-8 input is read where it lies, without a copy.
struct TCsvText {
  std::string Owned;
  std::string_view Text;
};

// The byte-order mark a file starts with: a UTF-8 one, another (UTF-16), or none; and its length.
enum class TBomKind { None, Utf8, Other };
struct TBom {
  TBomKind Kind = TBomKind::None;
  std::size_t Size = 0;
};

TBom FindBom(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) return {TBomKind::Utf8, 3};
  if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) return {TBomKind::Other, 2};
  return {};
}

void DecodeCsv(std::string_view bytes, const TGridFileOptions& o, TCsvText& out) {
  const TBom bom = FindBom(bytes);
  if (o.OemConvert && bom.Kind == TBomKind::None) {
    out.Owned = Cp850ToUtf8(bytes);
  } else {
    const std::string_view rest = bytes.substr(bom.Size);
    if (bom.Kind != TBomKind::Other && IsValidUtf8(rest)) {
      out.Text = rest;
      return;
    }
    out.Owned = DecodeTextFile(bytes);
  }
  out.Text = out.Owned;
}

enum class TFieldKind { Plain, Quoted, Unclosed };

// Finds the first of two bytes. Fields are short, so the bytes are compared sixteen at a time
// inline rather than through a library search per field; a block is read only while it lies
// before the limit (the end of the whole text), so a field may be looked at past the end of its
// line but never past the text.
class TByteFinder {
public:
  TByteFinder(char a, char b, const char* limit) : FA(a), FB(b), FLimit(limit) {
#if defined(__SSE2__)
    FVA = _mm_set1_epi8(a);
    FVB = _mm_set1_epi8(b);
#endif
  }
  // The first of the bytes in [p, end), or end.
  const char* operator()(const char* p, const char* end) const {
#if defined(__SSE2__)
    for (; p < end && FLimit - p >= 16; p += 16) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
      if (const int hit = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, FVA), _mm_cmpeq_epi8(v, FVB))))
        return std::min(p + __builtin_ctz(static_cast<unsigned>(hit)), end);
    }
#endif
    while (p < end && *p != FA && *p != FB)
      ++p;
    return std::min(p, end);
  }

private:
  char FA, FB;
  const char* FLimit;
#if defined(__SSE2__)
  __m128i FVA, FVB;
#endif
};

// What a load looks for: the delimiter, a quote, and what a field's text changes at (a line break,
// and in a quoted field also a quote).
struct TCsvFinders {
  TCsvFinders(char d, char lineBreak, const char* limit)
      : Delimiter(d, d, limit), Quote('"', '"', limit), Break(lineBreak, lineBreak, limit),
        BreakOrQuote(lineBreak, '"', limit) {}
  TByteFinder Delimiter, Quote, Break, BreakOrQuote;
};

// The quote closing a field that starts with one at p: the first quote past it that is not part
// of a doubled pair; end when there is none.
const char* ClosingQuote(const char* p, const char* end, const TByteFinder& quote) {
  for (const char* q = quote(p + 1, end); q != end; q = quote(q + 2, end))
    if (q + 1 == end || q[1] != '"') return q;
  return end;
}

// Calls f(kind, raw) for each field of the line. Leading blanks of a field are dropped (a field
// of blanks keeps its last one). An unclosed quote gives an empty field and parsing goes on after
// the next delimiter; text between a closing quote and the delimiter is dropped. The last field
// takes the rest of the line, a quote at its start and one at its end taken off. A line has one
// field more than delimiters outside quotes: an empty line, or one ending with the delimiter,
// ends with an empty field, which empties its cell like an empty field anywhere else.
template <class F> void ForEachField(std::string_view line, char d, const TCsvFinders& find, F&& f) {
  const char* p = line.data();
  const char* const end = p + line.size();
  if (p == end) {
    f(TFieldKind::Plain, std::string_view());
    return;
  }
  bool afterDelimiter = false;
  for (const char* next = find.Delimiter(p, end); next != end; next = find.Delimiter(p, end)) {
    const char* from = p;
    while (end - from > 1 && *from == ' ')
      ++from;
    // A blank delimiter is looked for again past the dropped blanks, and may not come again.
    if (from != p && d == ' ') next = find.Delimiter(from, end);
    p = from;
    if (*p != '"') {
      f(TFieldKind::Plain, std::string_view(p, static_cast<std::size_t>(next - p)));
    } else if (const char* close = ClosingQuote(p, end, find.Quote); close == end) {
      f(TFieldKind::Unclosed, std::string_view());
    } else {
      f(TFieldKind::Quoted, std::string_view(p + 1, static_cast<std::size_t>(close - p - 1)));
      next = find.Delimiter(close + 1, end);
    }
    afterDelimiter = next != end;
    p = afterDelimiter ? next + 1 : end;
  }
  if (p == end) {
    if (afterDelimiter) f(TFieldKind::Plain, std::string_view());
    return;
  }
  while (end - p > 1 && *p == ' ')
    ++p;
  if (*p == '"') {
    const char* last = end - 1 > p && end[-1] == '"' ? end - 1 : end;
    f(TFieldKind::Quoted, std::string_view(p + 1, static_cast<std::size_t>(last - p - 1)));
  } else {
    f(TFieldKind::Plain, std::string_view(p, static_cast<std::size_t>(end - p)));
  }
}

// How many fields ForEachField gives for the line.
long long FieldCount(std::string_view line, char d) {
  if (d != ' ' && line.find('"') == line.npos) {
    // Without quotes every delimiter ends a field, and a last one follows.
    return static_cast<long long>(std::count(line.begin(), line.end(), d)) + 1;
  }
  long long n = 0;
  ForEachField(line, d, TCsvFinders(d, '\v', line.data() + line.size()),
               [&n](TFieldKind, std::string_view) { ++n; });
  return n;
}

// The cell text of a field: doubled quotes made single, U+000B (JavaCSV: "~") made CR LF and
// with JavaCSV a lone unquoted "^" empty.
void DecodeField(TFieldKind kind, std::string_view raw, bool javaCsv, const TCsvFinders& find,
                 std::string& out) {
  if (kind == TFieldKind::Unclosed || (javaCsv && kind == TFieldKind::Plain && raw == "^")) {
    out.clear();
    return;
  }
  const char lineBreak = javaCsv ? '~' : '\v';
  // Only quotes of a quoted field and line breaks change; the runs between them go over whole.
  const TByteFinder& next = kind == TFieldKind::Quoted ? find.BreakOrQuote : find.Break;
  const char* p = raw.data();
  const char* const end = p + raw.size();
  const char* at = next(p, end);
  // Appending to the emptied text skips the general replace that assigning goes through.
  out.clear();
  out.append(p, static_cast<std::size_t>(at - p));
  while (at != end) {
    if (*at == lineBreak) {
      out += "\r\n";
      p = at + 1;
    } else {
      // A doubled quote gives one; a lone one stays.
      out += '"';
      p = at + 1 < end && at[1] == '"' ? at + 2 : at + 1;
    }
    at = next(p, end);
    out.append(p, static_cast<std::size_t>(at - p));
  }
}

// Calls f(kind, raw) for each field of a line: all of it is one field without a delimiter.
template <class F> void ForEachLineField(std::string_view line, char d, const TCsvFinders& find, F&& f) {
  if (d)
    ForEachField(line, d, find, f);
  else
    f(TFieldKind::Plain, line);
}

// Writes a line's fields into a row's cells, field k into column real[k] (none when negative),
// for a load and for a lazy row alike. A cell the row does not hold reads empty already, so an
// empty field makes none; a cell made grows the row to colCount.
void DecodeRow(std::string_view line, char d, bool javaCsv, const TCsvFinders& find,
               const std::vector<int>& real, TGridCellRow& cells, int colCount) {
  std::size_t k = 0;
  ForEachLineField(line, d, find, [&](TFieldKind kind, std::string_view raw) {
    const int c = k < real.size() ? real[k] : -1;
    ++k;
    if (c < 0) return;
    const auto at = static_cast<std::size_t>(c);
    if (at >= cells.size()) {
      if (kind == TFieldKind::Unclosed || raw.empty()) return;
      cells.resize(std::max(at + 1, static_cast<std::size_t>(colCount)));
    }
    DecodeField(kind, raw, javaCsv, find, cells[at].Text);
  });
}

// The rows of a loaded CSV text, decoded when the grid first reaches them; the text is kept by
// its owner (the file's bytes, or a copy).
class TCsvRows final : public TGridRowSource {
public:
  TCsvRows(std::shared_ptr<const void> owner, std::string_view text, char d, bool javaCsv,
           std::vector<int> real)
      : FOwner(std::move(owner)), FText(text), FDelimiter(d), FJavaCsv(javaCsv), FReal(std::move(real)) {}
  const std::vector<int>& Columns() const override { return FReal; }
  void Decode(const TGridLazyRow& row, TGridCellRow& cells, int colCount) const override {
    const TCsvFinders find(FDelimiter, FJavaCsv ? '~' : '\v', FText.data() + FText.size());
    DecodeRow(FText.substr(row.Begin, row.Size), FDelimiter, FJavaCsv, find, FReal, cells, colCount);
  }

private:
  std::shared_ptr<const void> FOwner;
  std::string_view FText;
  char FDelimiter;
  bool FJavaCsv;
  std::vector<int> FReal;
};

// The first two lines as SplitLines gives them (empty when there are fewer).
std::array<std::string_view, 2> FirstLines(std::string_view text) {
  std::array<std::string_view, 2> lines;
  std::size_t start = 0;
  for (std::string_view& line : lines) {
    if (start >= text.size()) break;
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == text.npos) {
      line = text.substr(start);
      break;
    }
    line = text.substr(start, end - start);
    start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
  }
  return lines;
}

char GuessDelimiter(std::string_view first, std::string_view second) {
  static constexpr char candidates[] = {',', ';', '#', '\t', '|', '@', '*', '-', '+', '&'};
  char chosen = 0;
  int best = 0;
  for (char c : candidates) {
    int n1 = CountUndoubledChar(static_cast<unsigned char>(c), first);
    if (n1 == CountUndoubledChar(static_cast<unsigned char>(c), second) && n1 > best) chosen = c, best = n1;
  }
  if (chosen) return chosen;
  for (char c : candidates) {
    int n1 = CountCharOccurrences(static_cast<unsigned char>(c), first);
    if (n1 == CountCharOccurrences(static_cast<unsigned char>(c), second) && n1 > best) chosen = c, best = n1;
  }
  if (chosen) return chosen;
  for (char c : candidates) {
    int n = std::max(CountCharOccurrences(static_cast<unsigned char>(c), first),
                     CountCharOccurrences(static_cast<unsigned char>(c), second));
    if (n > best) chosen = c, best = n;
  }
  return chosen;
}

std::string ReadWholeFile(const std::string& FileName) {
  std::string bytes;
  if (!ReadFileBytes(FileName, bytes)) throw EProGridError("File " + FileName + " not found");
  return bytes;
}

void WriteWhole(const std::string& FileName, const std::string& Bytes) {
  TWriteResult written = WriteFileAtomic(FileName, Bytes);
  if (!written) throw EProGridError(written.Error);
}

} // namespace

void TProStringGrid::WriteCSV(bool Unicode, const std::function<void(std::string_view)>& Take) {
  const TGridFileOptions& o = FFileOptions;
  const TCsvCoding coding = Coding(Unicode, o);
  const char d = o.Delimiter ? o.Delimiter : ',';
  const TFieldMarks marks = FieldMarks(d, o.JavaCSV);
  const TFirstMarks firstMarks = FirstMarks(o.JavaCSV);
  const bool all = o.SaveHiddenCells;
  const int h = all ? NumHiddenColumns() : 0;
  const int c0 = SaveStartCol(), c1 = SaveEndCol() + h;
  std::vector<int> real;
  for (int c = c0; c <= c1; ++c)
    real.push_back(all ? c : DisplToRealCol(c));
  // Without formatting or a save event, a stored text that holds no markup is saved as it is:
  // such cells are read where they lie, a row at a time, instead of through GetSaveCellText's copy.
  const bool storedAsSaved = !FSaveVirtCells && !OnSaveCell;
#if defined(__SSE2__)
  const TSpecials specials(d, o.JavaCSV);
  auto scan = [&](const std::string& text) { return Scan(text, marks, specials); };
#else
  auto scan = [&](const std::string& text) { return Scan(text, marks); };
#endif
  // Pieces go out at row ends once this large, so the text is not held whole.
  constexpr std::size_t kPiece = std::size_t(1) << 18;
  // Room made at each row's start: for every field the delimiter and a short text quoted with each
  // byte doubled, and the line end. A longer field makes room for itself and this again.
  const std::size_t rowRoom = real.size() * 35 + 2;
  const std::string none;
  const TGridCellRow noCells;
  std::string scratch;
  TCsvOut out;
  // The cursor and the limit live here, and the helpers take and give back the cursor instead of
  // holding it: every byte written could otherwise be taken to change them.
  char* p = out.Begin();
  char* limit = out.Limit();
  auto room = [&out, &limit](char* at, std::size_t n) {
    if (static_cast<std::size_t>(limit - at) < n) {
      at = out.Room(at, n);
      limit = out.Limit();
    }
    return at;
  };
  bool nonAscii = false; // in the piece
  auto give = [&](char* at) {
    const std::string_view piece(out.Begin(), static_cast<std::size_t>(at - out.Begin()));
    if (piece.empty()) return at;
    // ASCII reads the same in every code page written here.
    if (nonAscii)
      Take(Encode(piece, coding));
    else
      Take(piece);
    nonAscii = false;
    return out.Begin();
  };
  if (coding == TCsvCoding::Utf8) {
    p = room(p, 3);
    std::memcpy(p, "\xEF\xBB\xBF", 3);
    p += 3;
  }
  const int r0 = SaveStartRow();
  ExportNotification(esExportStart, r0);
  int last = -1;
  // A field the short way does not take (given the stored text, or none), kept out of the row's
  // loop so that the loop keeps its values in registers.
  auto writeCell = [&](char* at, const std::string& stored, int col, int c, int r) __attribute__((noinline)) {
    const std::string* cell = &none;
    unsigned char seen = 0;
    if (storedAsSaved) {
      cell = &stored;
      seen = scan(stored);
    }
    // An empty cell may save a check box's text; "=", "|\" and "{\" may start a formula, a wide
    // text or rich text, "<" HTML: those go the full way.
    if (cell->empty() || (seen & kMarkup) || cell->front() == '=' || cell->front() == '|' ||
        cell->front() == '{') {
      scratch = GetSaveCellText(col, r);
      cell = &scratch;
      seen = scan(scratch);
    }
    if (seen & kTilde)
      throw EProGridError("Cell " + CellName(c, r) +
                          " holds \"~\", which JavaCSV files read as a line break; nothing was saved");
    if ((seen & kNonAscii) && !Fits(*cell, coding))
      throw EProGridError("Cell " + CellName(c, r) + " holds text " + CodingName(coding) +
                          " cannot hold; nothing was saved");
    nonAscii = nonAscii || (seen & kNonAscii);
    at = room(at, 2 * cell->size() + 2 + rowRoom);
    return WriteField(at, *cell, seen, o);
  };
  // Locals, as the cursor: a byte written could otherwise be taken to change what they hold.
  const int* const realBegin = real.data();
  const int* const realEnd = realBegin + real.size();
  const bool alwaysQuotes = o.AlwaysQuotes;
  for (int r = r0; r <= SaveEndRow(); ++r) {
    ExportNotification(esExportNextRow, r);
    p = room(p, rowRoom);
    const TGridCell* cells = nullptr;
    std::size_t held = 0;
    auto fetch = [&] {
      if (!storedAsSaved) return;
      const TGridCellRow& stored = StoredRow(r);
      cells = stored.data();
      held = stored.size();
    };
    fetch();
    // Each field is followed by the delimiter; the last one is made the line's end.
    for (const int* k = realBegin; k != realEnd; ++k) {
      const int col = *k;
      if (col < 0) {
        p = WriteField(p, none, 0, o);
      } else {
        const std::string& text = static_cast<std::size_t>(col) < held ? cells[col].Text : none;
        char* end = nullptr;
#if defined(__SSE2__)
        if (text.size() - 1 < 16 && !firstMarks[static_cast<unsigned char>(text.front())])
          end = WriteShortField(p, text, specials, alwaysQuotes);
#endif
        if (!end) {
          end = writeCell(p, text, col, c0 + static_cast<int>(k - realBegin), r);
          // Formatting may have reached into the store.
          fetch();
        }
        p = end;
      }
      *p++ = d;
    }
    if (realBegin == realEnd) *p++ = d;
    p[-1] = '\r';
    *p++ = '\n';
    // The first row tells roughly how large a piece grows (later rows may hold longer numbers).
    if (r == r0) {
      p = out.Reserve(p, kPiece + 2 * static_cast<std::size_t>(p - out.Begin()));
      limit = out.Limit();
    }
    if (OnFileProgress) {
      int pc = Percent(r - r0, std::max(1, SaveRowCount() - 1));
      if (pc != last) OnFileProgress(this, static_cast<std::int16_t>(last = pc));
    }
    if (static_cast<std::size_t>(p - out.Begin()) >= kPiece) p = give(p);
  }
  ExportNotification(esExportDone, -1);
  give(p);
}

std::string TProStringGrid::CSVBytes(bool Unicode) {
  std::string bytes;
  WriteCSV(Unicode, [&bytes](std::string_view piece) { bytes += piece; });
  return bytes;
}

void TProStringGrid::SaveToCSV(const std::string& FileName, bool Unicode) {
  // The pieces go to the file as they are written; a refused cell leaves the old file as it was.
  TAtomicFileWriter file(FileName);
  WriteCSV(Unicode, [&file](std::string_view piece) { file.Write(piece); });
  if (TWriteResult written = file.Commit(); !written) throw EProGridError(written.Error);
}

void TProStringGrid::AppendToCSV(const std::string& FileName, bool Unicode) {
  const TCsvCoding coding = Coding(Unicode, FFileOptions);
  std::string text;
  const std::string old = ReadWholeFile(FileName);
  TCsvText decoded;
  DecodeCsv(old, FFileOptions, decoded);
  for (std::string_view line : SplitLines(decoded.Text)) {
    text += line;
    text += "\r\n";
  }
  if (!Fits(text, coding))
    throw EProGridError("File " + FileName + " holds text " + CodingName(coding) +
                        " cannot hold; nothing was saved");
  std::string rows = CSVBytes(Unicode);
  if (coding == TCsvCoding::Utf8) {
    WriteWhole(FileName, "\xEF\xBB\xBF" + text + rows.substr(3));
    return;
  }
  WriteWhole(FileName, Encode(text, coding) + rows);
}

void TProStringGrid::LoadFromCSV(const std::string& FileName, int MaxRows) {
  LoadCSV({}, nullptr, &FileName, MaxRows, false);
}

void TProStringGrid::InsertFromCSV(const std::string& FileName, int MaxRows) {
  LoadCSV({}, nullptr, &FileName, MaxRows, true);
}

void TProStringGrid::LoadFromCSVStream(TStream& AStream, int MaxRows) {
  auto bytes = std::make_shared<const std::string>(AStream.ReadRest());
  LoadCSV(*bytes, bytes, nullptr, MaxRows, false);
}

void TProStringGrid::LoadCSVBytes(std::string_view Bytes, int MaxRows) {
  LoadCSV(Bytes, nullptr, nullptr, MaxRows, false);
}

void TProStringGrid::InsertCSVBytes(std::string_view Bytes, int MaxRows) {
  LoadCSV(Bytes, nullptr, nullptr, MaxRows, true);
}

namespace {

// UTF-8 rows are kept as they lie in the bytes and decoded when first reached, unless a per-cell
// hook wants every text now; other codings are converted whole and decoded at once. The lazy
// text starts past a UTF-8 BOM; nothing when the bytes are taken the other way.
std::optional<std::size_t> LazyTextStart(std::string_view bytes, const TGridFileOptions& o, bool hooked) {
  const TBom bom = FindBom(bytes);
  const bool utf8 = bom.Kind == TBomKind::Utf8 || (bom.Kind == TBomKind::None && !o.OemConvert);
  if (hooked || !utf8 || bytes.size() >= (std::size_t(1) << 32)) return std::nullopt;
  return bom.Size;
}

// The delimiter of a load: the one set, or the one guessed from the first two lines; nothing
// while the text so far (not whole) does not tell them.
std::optional<char> LoadDelimiter(std::string_view text, bool whole, char set) {
  if (set) return set;
  if (!whole) {
    const std::size_t end = text.find_first_of("\r\n");
    if (end == text.npos || end + 1 >= text.size()) return std::nullopt;
    const std::size_t next = end + (text[end] == '\r' && text[end + 1] == '\n' ? 2 : 1);
    if (text.find_first_of("\r\n", next) == text.npos) return std::nullopt;
  }
  const std::array<std::string_view, 2> lines = FirstLines(text);
  return GuessDelimiter(lines[0], lines[1]);
}

// The delimiter the scan counts: lines of a blank or odder delimiter are split to be counted.
char CountedDelimiter(char d) {
  return d == ' ' || d == '"' || d == '\r' || d == '\n' ? 0 : d;
}

} // namespace

void TProStringGrid::LoadCSV(std::string_view Bytes, std::shared_ptr<const void> Owner,
                             const std::string* FileName, int MaxRows, bool Insert) {
  const TGridFileOptions& o = FFileOptions;
  const bool all = o.SaveHiddenCells;
  // Inserted rows go before the footer rows, which keep their texts.
  const int footers = Insert ? std::min(FFixedFooters, RowCount()) : 0;
  const int c0 = SaveStartCol(), r0 = Insert ? RowCount() - footers : SaveStartRow();
  // Every line is found and counted before the grid changes; past the rows the grid may take,
  // one more line tells the file holds too many.
  const std::size_t first = o.LoadFirstRow ? 0 : 1;
  const long long room = std::max(0LL, static_cast<long long>(o.MaxLoadRowCount) - r0 - FFixedFooters) + 1;
  const std::size_t maxLines =
      first + static_cast<std::size_t>(MaxRows > 0 ? std::min<long long>(MaxRows, room) : room);
  std::optional<TCsvScanner> early;
  if (FileName) {
    // Pieces are scanned as they arrive once their start tells how.
    std::optional<std::size_t> start;
    bool undecided = true;
    auto arrived = [&](std::string_view bytes, std::size_t size) {
      if (undecided && bytes.size() >= 3) {
        start = LazyTextStart(bytes, o, static_cast<bool>(OnLoadCell));
        undecided = false;
      }
      if (!start) return;
      if (!early) {
        const std::optional<char> d = LoadDelimiter(bytes.substr(*start), false, o.Delimiter);
        if (!d) return;
        early.emplace(CountedDelimiter(*d), maxLines, true, size - std::min(size, *start));
      }
      early->Feed(bytes.substr(*start));
    };
    std::shared_ptr<char[]> data;
    std::size_t size = 0;
    if (!ReadFileBytes(*FileName, data, size, arrived))
      throw EProGridError("File " + *FileName + " not found");
    if (!size) return;
    Bytes = std::string_view(data.get(), size);
    Owner = std::move(data);
  }
  const std::optional<std::size_t> start = LazyTextStart(Bytes, o, static_cast<bool>(OnLoadCell));
  bool lazy = start.has_value();
  TCsvText text;
  if (lazy)
    text.Text = Bytes.substr(*start);
  else
    DecodeCsv(Bytes, o, text);
  // Lines are found by 32-bit offsets.
  if (text.Text.size() >= (std::size_t(1) << 32))
    throw EProGridError("The file is larger than the grid loads");
  char d = 0;
  TCsvScan scan;
  for (;;) {
    d = *LoadDelimiter(text.Text, true, o.Delimiter);
    const char counted = CountedDelimiter(d);
    if (lazy && early && early->Delimiter() == counted && early->MaxLines() == maxLines)
      scan = early->Finish(text.Text);
    else
      scan = TCsvScanner(counted, maxLines, lazy, text.Text.size()).Finish(text.Text);
    early.reset();
    if (!lazy || (scan.Utf8 && IsValidUtf8(text.Text.substr(scan.End)))) break;
    // Not UTF-8 after all: converted as a text file is.
    lazy = false;
    DecodeCsv(Bytes, o, text);
  }
  std::vector<TGridLazyRow>& lines = scan.Lines;
  if (lines.empty()) throw EProGridError("File is empty");
  std::size_t count = lines.size() > first ? lines.size() - first : 0;
  if (MaxRows > 0) count = std::min(count, static_cast<std::size_t>(MaxRows));
  if (static_cast<long long>(r0) + static_cast<long long>(count) + FFixedFooters > o.MaxLoadRowCount)
    throw EProGridError("The file holds more rows than the grid loads");
  const long long maxFields = static_cast<long long>(o.MaxLoadColCount) - c0;
  int fieldsNeeded = 0;
  for (std::size_t i = first; i < first + count; ++i) {
    TGridLazyRow& line = lines[i];
    long long fields = d ? line.Fields : 1;
    if (fields < 0) fields = FieldCount(text.Text.substr(line.Begin, line.Size), d);
    if (d && fields > maxFields) throw EProGridError("The file holds more columns than the grid loads");
    line.Fields = static_cast<std::int32_t>(fields);
    fieldsNeeded = std::max(fieldsNeeded, line.Fields);
  }
  std::vector<std::vector<std::string>> footerTexts;
  for (int f = 0; f < footers; ++f) {
    std::vector<std::string>& saved = footerTexts.emplace_back();
    for (int c = 0; c < TotalColCount(); ++c) {
      saved.push_back(GridCells(c, r0 + f));
      SetGridCells(c, r0 + f, std::string());
    }
  }
  SetRowCount(r0 + static_cast<int>(count) + FFixedFooters);
  // Columns grow to take the most fields of a line, never past the bound checked above.
  const int h = NumHiddenColumns();
  std::vector<int> real;
  if (fieldsNeeded > 0) {
    const int needCols = c0 + fieldsNeeded;
    if (all ? needCols > ColCount() + h : needCols > ColCount()) SetColCount(all ? needCols - h : needCols);
    for (int j = 0; j < fieldsNeeded; ++j)
      real.push_back(all ? c0 + j : DisplToRealCol(c0 + j));
  }
  int last = -1;
  auto progress = [&](std::size_t i) {
    if (!OnFileProgress) return;
    const int p = Percent(static_cast<long long>(i) + 1, static_cast<long long>(count));
    if (p != last) OnFileProgress(this, static_cast<std::int16_t>(last = p));
  };
  if (lazy) {
    // The rows keep the text: a copy of it unless the caller's bytes have an owner.
    std::string_view kept = text.Text;
    if (!Owner) {
      auto copy = std::make_shared<const std::string>(kept);
      kept = *copy;
      Owner = std::move(copy);
    }
    PutLazyRows(r0, std::make_shared<const TCsvRows>(std::move(Owner), kept, d, o.JavaCSV, std::move(real)),
                std::span<const TGridLazyRow>(lines).subspan(first, count));
    for (std::size_t i = 0; i < count && OnFileProgress; ++i)
      progress(i);
  } else {
    // Without a per-cell hook the texts are decoded straight into the row's cells, taken out of
    // the store for the line and put back; the grid repaints once at the end.
    const TCsvFinders find(d, o.JavaCSV ? '~' : '\v', text.Text.data() + text.Text.size());
    const bool direct = !OnLoadCell;
    std::string cell;
    for (std::size_t i = 0; i < count; ++i) {
      const int row = r0 + static_cast<int>(i);
      const std::string_view line = text.Text.substr(lines[first + i].Begin, lines[first + i].Size);
      if (direct) {
        TGridCellRow cells = TakeRowCells(row);
        DecodeRow(line, d, o.JavaCSV, find, real, cells, ColCount());
        PutRowCells(row, std::move(cells));
      } else {
        std::size_t k = 0;
        ForEachLineField(line, d, find, [&](TFieldKind kind, std::string_view raw) {
          const int c = real[k++];
          if (c < 0) return;
          DecodeField(kind, raw, o.JavaCSV, find, cell);
          LoadCellText(c, row, cell);
        });
      }
      progress(i);
    }
  }
  for (int f = 0; f < footers; ++f)
    for (int c = 0; c < static_cast<int>(footerTexts[f].size()); ++c)
      SetGridCells(c, RowCount() - footers + f, footerTexts[f][c]);
  CellsChanged(TRect{0, 0, ColCount(), RowCount()});
  CellsLoaded();
}
