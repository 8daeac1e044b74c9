#include "platform/RichText.h"

#include "platform/TextCodec.h"

#include <cctype>
#include <vector>

namespace {

bool SkippedDestination(std::string_view word) {
  static const char* const skipped[] = {"fonttbl", "colortbl", "stylesheet", "info",    "pict",
                                        "object",  "header",   "footer",     "listtable", "listoverridetable",
                                        "rsidtbl", "generator", "themedata", "datastore", "latentstyles"};
  for (const char* s : skipped)
    if (word == s) return true;
  return false;
}

void AppendCodePoint(std::string& out, unsigned cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    if (cp >= 0xD800 && cp <= 0xDFFF) cp = 0xFFFD; // a lone surrogate half
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

struct TGroupState {
  bool Skip = false;
  int UnicodeSkip = 1;
};

} // namespace

std::string RtfToPlainText(std::string_view rtf) {
  if (rtf.substr(0, 5) != "{\\rtf") return std::string(rtf);
  std::string out;
  std::string bytes; // 8-bit characters waiting to be decoded as Windows-1252
  auto flush = [&] {
    if (bytes.empty()) return;
    out += Windows1252ToUtf8(bytes);
    bytes.clear();
  };
  std::vector<TGroupState> stack{TGroupState{}};
  int pendingSkip = 0; // characters after \uN that stand in for it
  size_t i = 0;
  const size_t n = rtf.size();
  while (i < n) {
    const char ch = rtf[i];
    TGroupState& st = stack.back();
    if (ch == '{') {
      if (stack.size() < 256) stack.push_back(st);
      ++i;
      continue;
    }
    if (ch == '}') {
      if (stack.size() > 1) stack.pop_back();
      ++i;
      continue;
    }
    if (ch == '\r' || ch == '\n') {
      ++i;
      continue;
    }
    if (ch != '\\') {
      if (pendingSkip > 0) {
        --pendingSkip;
      } else if (!st.Skip) {
        bytes += ch;
      }
      ++i;
      continue;
    }
    // A control symbol or word.
    if (++i >= n) break;
    const char c = rtf[i];
    if (c == '\'') {
      if (i + 2 < n && std::isxdigit(static_cast<unsigned char>(rtf[i + 1])) &&
          std::isxdigit(static_cast<unsigned char>(rtf[i + 2]))) {
        const unsigned v = static_cast<unsigned>(std::stoi(std::string(rtf.substr(i + 1, 2)), nullptr, 16));
        if (pendingSkip > 0)
          --pendingSkip;
        else if (!st.Skip)
          bytes += static_cast<char>(v);
        i += 3;
      } else {
        ++i;
      }
      continue;
    }
    if (c == '*') {
      st.Skip = true; // an ignorable destination
      ++i;
      continue;
    }
    if (!std::isalpha(static_cast<unsigned char>(c))) {
      if (!st.Skip && (c == '\\' || c == '{' || c == '}')) bytes += c;
      if (!st.Skip && c == '~') bytes += ' ';
      ++i;
      continue;
    }
    size_t w = i;
    while (i < n && std::isalpha(static_cast<unsigned char>(rtf[i])))
      ++i;
    const std::string_view word = rtf.substr(w, i - w);
    bool hasNum = false;
    long num = 0;
    bool neg = false;
    if (i < n && rtf[i] == '-') {
      neg = true;
      ++i;
    }
    while (i < n && std::isdigit(static_cast<unsigned char>(rtf[i]))) {
      hasNum = true;
      if (num < 1000000) num = num * 10 + (rtf[i] - '0');
      ++i;
    }
    if (neg) num = -num;
    if (i < n && rtf[i] == ' ') ++i;
    if (SkippedDestination(word)) {
      st.Skip = true;
      continue;
    }
    if (st.Skip) continue;
    if (word == "par" || word == "line") {
      flush();
      out += "\r\n";
    } else if (word == "tab") {
      bytes += '\t';
    } else if (word == "uc" && hasNum) {
      st.UnicodeSkip = static_cast<int>(std::max(0L, std::min(num, 8L)));
    } else if (word == "u" && hasNum) {
      flush();
      AppendCodePoint(out, static_cast<unsigned>(num < 0 ? num + 65536 : num) & 0xFFFF);
      pendingSkip = st.UnicodeSkip;
    }
  }
  flush();
  // A document ends with a paragraph mark that shows no line of its own.
  while (out.size() >= 2 && out.compare(out.size() - 2, 2, "\r\n") == 0)
    out.resize(out.size() - 2);
  return out;
}
