#include "platform/ui/RichEditText.h"

#include "platform/TextCodec.h"

#include <cctype>
#include <vector>

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Destinations whose text is not part of the body.
bool SkippedDestination(std::string_view word) {
  for (std::string_view d : {"fonttbl", "colortbl", "stylesheet", "info", "pict", "header", "footer",
                             "listtable", "listoverridetable", "rsidtbl", "generator", "xmlnstbl",
                             "themedata", "colorschememapping", "latentstyles", "datastore", "filetbl"})
    if (word == d) return true;
  return false;
}

} // namespace

std::string RichTextToPlain(std::string_view rtf) {
  if (!rtf.starts_with("{\\rtf")) return std::string(rtf);
  struct TGroup {
    bool Skip = false;
    int UnicodeSkip = 1;
  };
  std::vector<TGroup> groups{{}};
  std::string out;
  std::string bytes;   // \'hh bytes waiting to be decoded together
  int pendingSkip = 0; // fallback characters still to drop after \uN
  auto flushBytes = [&] {
    if (bytes.empty()) return;
    if (!groups.back().Skip) out += Windows1252ToUtf8(bytes);
    bytes.clear();
  };
  auto emit = [&](char32_t c) {
    flushBytes();
    if (!groups.back().Skip) AppendUtf8(out, c);
  };
  size_t i = 0;
  const size_t n = rtf.size();
  while (i < n) {
    char c = rtf[i];
    if (c == '{') {
      flushBytes();
      groups.push_back(groups.back());
      ++i;
      continue;
    }
    if (c == '}') {
      flushBytes();
      if (groups.size() > 1) groups.pop_back();
      ++i;
      continue;
    }
    if (c == '\r' || c == '\n') {
      ++i;
      continue;
    }
    if (c != '\\') {
      if (pendingSkip > 0) {
        --pendingSkip;
      } else {
        emit(static_cast<unsigned char>(c) < 0x80 ? static_cast<char32_t>(c) : U'?');
      }
      ++i;
      continue;
    }
    // A control symbol or word.
    ++i;
    if (i >= n) break;
    char s = rtf[i];
    if (s == '\\' || s == '{' || s == '}') {
      if (pendingSkip > 0)
        --pendingSkip;
      else
        emit(static_cast<char32_t>(s));
      ++i;
      continue;
    }
    if (s == '\'') {
      int hi = i + 1 < n ? HexValue(rtf[i + 1]) : -1;
      int lo = i + 2 < n ? HexValue(rtf[i + 2]) : -1;
      i += 3;
      if (hi < 0 || lo < 0) continue;
      if (pendingSkip > 0) {
        --pendingSkip;
      } else if (!groups.back().Skip) {
        bytes += static_cast<char>(hi * 16 + lo);
      }
      continue;
    }
    if (s == '*') {
      groups.back().Skip = true;
      ++i;
      continue;
    }
    if (s == '~') {
      emit(0xA0);
      ++i;
      continue;
    }
    if (s == '-' || s == '_') {
      ++i;
      continue;
    }
    if (!std::isalpha(static_cast<unsigned char>(s))) {
      ++i;
      continue;
    }
    size_t start = i;
    while (i < n && std::isalpha(static_cast<unsigned char>(rtf[i])))
      ++i;
    std::string_view word = rtf.substr(start, i - start);
    bool negative = false;
    long long param = 0;
    bool hasParam = false;
    if (i < n && rtf[i] == '-') {
      negative = true;
      ++i;
    }
    while (i < n && std::isdigit(static_cast<unsigned char>(rtf[i]))) {
      if (param < 1000000) param = param * 10 + (rtf[i] - '0');
      hasParam = true;
      ++i;
    }
    if (negative) param = -param;
    if (i < n && rtf[i] == ' ') ++i;
    pendingSkip = 0;
    if (SkippedDestination(word)) {
      groups.back().Skip = true;
    } else if (word == "par" || word == "line" || word == "row") {
      emit(U'\r');
      emit(U'\n');
    } else if (word == "tab" || word == "cell") {
      emit(U'\t');
    } else if (word == "uc" && hasParam) {
      groups.back().UnicodeSkip = static_cast<int>(std::max(0LL, param));
    } else if (word == "u" && hasParam) {
      long long v = param < 0 ? param + 65536 : param;
      emit(v > 0 && v < 0x110000 && !(v >= 0xD800 && v < 0xE000) ? static_cast<char32_t>(v) : U'?');
      pendingSkip = groups.back().UnicodeSkip;
    } else if (word == "emdash") {
      emit(0x2014);
    } else if (word == "endash") {
      emit(0x2013);
    } else if (word == "bullet") {
      emit(0x2022);
    }
  }
  flushBytes();
  // The last paragraph mark ends the document, not a line of it.
  while (out.ends_with("\r\n"))
    out.resize(out.size() - 2);
  return out;
}
