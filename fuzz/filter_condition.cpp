// Filter conditions: any condition gets an answer; a plain wildcard term answers as the
// straightforward recursive matcher does (kept here as the reference, on short inputs).
#include "controls/FilterCondition.h"
#include "platform/TextCodec.h"
#include "support/FuzzSupport.h"

namespace {

bool Reference(const std::u32string& t, const std::u32string& x, std::size_t i, std::size_t j) {
  bool negate = false, ok = true;
  while (ok && !(i == t.size() && j == x.size())) {
    if (i == t.size()) {
      ok = false;
      break;
    }
    const char32_t c = t[i];
    if (c == U'!') {
      negate = true;
      ++i;
    } else if (c == U'"') {
      ++i;
    } else if (c == U'*') {
      while (i < t.size() && t[i] == U'*')
        ++i;
      for (std::size_t k = x.size() + 1; k-- > j;)
        if (Reference(t, x, i, k)) return !negate;
      ok = false;
    } else if (j < x.size() && (c == U'?' || c == x[j])) {
      ++i;
      ++j;
    } else {
      ok = false;
    }
  }
  return negate ? !ok : ok;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const std::string text = in.ConsumeRandomLengthString(16);
  const bool caseSensitive = in.ConsumeBool();
  const std::string condition = in.ConsumeRemainingBytesAsString();
  MatchFilterCondition(condition, text, caseSensitive);
  if (condition.size() <= 12 && condition.find_first_of("<>^&") == std::string::npos)
    FuzzCheck(CompareOrMatchTerm(condition, text) ==
                  Reference(Utf8ToUtf32(condition), Utf8ToUtf32(text), 0, 0),
              "the wildcard match answers as the reference", condition + " / " + text);
  TDateTime when = 0;
  ParseLocaleDateTime(condition, when);
  FilterNumberText(condition);
  FindClosingParen(condition);
  return 0;
}
