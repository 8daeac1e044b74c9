#include "app/ULanguage.h"

#include "app/DefaultTexts.h"
#include "app/UComon.h"
#include "platform/Files.h"
#include "platform/TextCodec.h"

#include <charconv>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <string_view>

std::vector<std::string> Lang_Texts;

namespace {

constexpr int Empty_Text_Slot = 2592;
constexpr std::string_view Comment_Mark = "/#/";
constexpr std::string_view Pilcrow = "\xC2\xB6"; // U+00B6 in UTF-8

[[gnu::always_inline]] inline bool IsBlankOrControl(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u <= 0x20 || u == 0x7F;
}

[[gnu::always_inline]] inline std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlankOrControl(s.front()))
    s.remove_prefix(1);
  while (!s.empty() && IsBlankOrControl(s.back()))
    s.remove_suffix(1);
  return s;
}

// A decimal integer and nothing else; false for anything else, including overflow.
bool ParseTextNumber(std::string_view s, int& number) {
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  if (s.empty() || s.front() == '+') return false;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), number);
  return ec == std::errc() && end == s.data() + s.size();
}

void ApplyLine(std::string_view line) {
  line = Trim(line);
  if (!line.starts_with("STR")) return;
  line.remove_prefix(3);
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return;
  int number = 0;
  if (!ParseTextNumber(Trim(line.substr(0, equals)), number)) return;
  if (number < 0 || number >= Lang_Text_Count) return;

  std::string_view value = Trim(line.substr(equals + 1));
  if (const std::size_t comment = value.find(Comment_Mark); comment != std::string_view::npos)
    value = Trim(value.substr(0, comment));
  if (value.empty()) return;
  // Pilcrows quote a text so that its leading and trailing blanks survive: an opening one is
  // dropped, and the value ends before the next one, quoted or not.
  if (value.starts_with(Pilcrow)) value.remove_prefix(Pilcrow.size());
  if (const std::size_t close = value.find(Pilcrow); close != std::string_view::npos)
    value = value.substr(0, close);
  Lang_Texts[static_cast<std::size_t>(number)].assign(value.data(), value.size()); // keeps its room
}

// The first CR or LF, or the end; sixteen bytes at a time where the processor allows.
std::size_t LineEnd(std::string_view s) {
  std::size_t i = 0;
#if defined(__SSE2__)
  const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
  for (; i + 16 <= s.size(); i += 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s.data() + i));
    const int found = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(block, cr), _mm_cmpeq_epi8(block, lf)));
    if (found != 0) return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(found)));
  }
#endif
  for (; i < s.size(); ++i)
    if (s[i] == '\r' || s[i] == '\n') return i;
  return s.size();
}

} // namespace

const std::string& Lang_Text(int n) {
  static const std::string None;
  if (n < 0 || static_cast<std::size_t>(n) >= Lang_Texts.size()) return None;
  return Lang_Texts[static_cast<std::size_t>(n)];
}

void Load_Default_Texts() {
  Lang_Texts.assign(Lang_Text_Count, " ");
  Lang_Texts[Empty_Text_Slot].clear();
  for (const TTextBlock& block : DefaultTextBlocks())
    for (const TDefaultText& text : block)
      if (text.Number >= 0 && text.Number < Lang_Text_Count)
        Lang_Texts[static_cast<std::size_t>(text.Number)] = std::string(text.Text);
}

bool Load_Lng_File(const std::string& path) {
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) return false;
  if (Lang_Texts.size() != static_cast<std::size_t>(Lang_Text_Count)) Load_Default_Texts();
  // A UTF-8 file without a byte-order mark is read where it lies; anything else is decoded first.
  std::string decoded;
  std::string_view rest = bytes;
  if (rest.starts_with("\xEF\xBB\xBF") && IsValidUtf8(rest.substr(3))) {
    rest.remove_prefix(3);
  } else if (rest.starts_with("\xEF\xBB\xBF") || rest.starts_with("\xFF\xFE") ||
             rest.starts_with("\xFE\xFF") || !IsValidUtf8(rest)) {
    decoded = DecodeTextFile(bytes);
    rest = decoded;
  }
  // Lines end at LF, CR or CR LF.
  while (!rest.empty()) {
    const std::size_t end = LineEnd(rest);
    ApplyLine(rest.substr(0, end));
    if (end == rest.size()) break;
    const std::size_t next = rest.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1;
    rest.remove_prefix(next);
  }
  return true;
}

void Load_Language() {
  Load_Default_Texts();
  if (IsSafeFileName(Language_Name)) {
    const std::string file = JoinPath(Language_Dir, Language_Name + ".lng");
    if (FileExists(file)) {
      Load_Lng_File(file);
      return;
    }
  }
  Language_Name = Default_Language_Name;
  const std::string english = JoinPath(Language_Dir, std::string(Default_Language_Name) + ".lng");
  if (FileExists(english)) Load_Lng_File(english);
}
