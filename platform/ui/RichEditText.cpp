#include "platform/ui/RichEditText.h"

#include "platform/TextCodec.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Destinations whose text is not part of the body.
bool SkippedDestination(std::string_view word) {
  for (std::string_view d : {"fonttbl",
                             "colortbl",
                             "stylesheet",
                             "info",
                             "pict",
                             "header",
                             "footer",
                             "listtable",
                             "listoverridetable",
                             "rsidtbl",
                             "generator",
                             "xmlnstbl",
                             "themedata",
                             "colorschememapping",
                             "latentstyles",
                             "datastore",
                             "filetbl",
                             "object",
                             "field",
                             "fldinst",
                             "headerl",
                             "headerr",
                             "footerl",
                             "footerr"})
    if (word == d) return true;
  return false;
}

// Bytes of a code page as UTF-8; a code page this cannot read is taken as Windows-1252.
std::string DecodeBytes(std::string_view bytes, int codePage) {
  if (codePage == 1252 || codePage <= 0) return Windows1252ToUtf8(bytes);
  if (codePage == 850) return Cp850ToUtf8(bytes);
  if (codePage == 65001 && IsValidUtf8(bytes)) return std::string(bytes);
  const QByteArray name = codePage == 932   ? QByteArray("Shift_JIS")
                          : codePage == 936 ? QByteArray("GBK")
                          : codePage == 949 ? QByteArray("EUC-KR")
                          : codePage == 950 ? QByteArray("Big5")
                          : codePage >= 1250 && codePage <= 1258
                              ? QByteArray("windows-") + QByteArray::number(codePage)
                              : QByteArray("IBM") + QByteArray::number(codePage);
  QStringDecoder decoder(name.constData());
  if (!decoder.isValid()) return Windows1252ToUtf8(bytes);
  const QString text = decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  return text.toStdString();
}

struct TGroup {
  bool Skip = false;
  int UnicodeSkip = 1;
  int Offset = 0;
};

class TReader {
public:
  explicit TReader(std::string_view rtf) : R(rtf) {}
  TRichPlainText Read();

private:
  void Emit(char32_t c);
  void FlushBytes();
  void ControlWord(std::string_view word, bool hasParam, long long param);

  std::string_view R;
  std::vector<TGroup> Groups{{}};
  TRichPlainText Out;
  std::string Bytes;     // \'hh and 8-bit bytes waiting to be decoded together
  int BytesOffset = 0;   // their offset
  int PendingSkip = 0;   // fallback characters still to drop after \uN
  char32_t HighHalf = 0; // a \uN high surrogate waiting for its low half
  int CodePage = 1252;
  std::size_t ParEnd = 0; // output size just after the last \par's line break (0: none)
};

void TReader::FlushBytes() {
  if (Bytes.empty()) return;
  const std::string text = DecodeBytes(Bytes, CodePage);
  Bytes.clear();
  Out.Text += text;
  std::size_t i = 0;
  while (i < text.size()) {
    Utf8Next(text, i);
    Out.Offsets.push_back(BytesOffset);
  }
}

void TReader::Emit(char32_t c) {
  FlushBytes();
  if (Groups.back().Skip) return;
  if (HighHalf) {
    const char32_t high = HighHalf;
    HighHalf = 0;
    if (c >= 0xDC00 && c < 0xE000)
      c = 0x10000 + ((high - 0xD800) << 10) + (c - 0xDC00);
    else
      Emit(U'?');
  }
  if (c >= 0xD800 && c < 0xDC00) {
    HighHalf = c;
    return;
  }
  if (c >= 0xDC00 && c < 0xE000) c = U'?';
  AppendUtf8(Out.Text, c);
  Out.Offsets.push_back(Groups.back().Offset);
}

void TReader::ControlWord(std::string_view word, bool hasParam, long long param) {
  TGroup& g = Groups.back();
  if (SkippedDestination(word)) {
    g.Skip = true;
  } else if (word == "par" || word == "line" || word == "row") {
    Emit(U'\r');
    Emit(U'\n');
    if (word == "par" && !g.Skip) ParEnd = Out.Text.size();
  } else if (word == "tab" || word == "cell") {
    Emit(U'\t');
  } else if (word == "uc" && hasParam) {
    g.UnicodeSkip = static_cast<int>(std::clamp(param, 0LL, 16LL));
  } else if (word == "u" && hasParam) {
    long long v = param < 0 ? param + 65536 : param;
    Emit(v >= 0 && v < 0x110000 ? static_cast<char32_t>(v) : U'?');
    PendingSkip = g.UnicodeSkip;
  } else if (word == "ansicpg" && hasParam) {
    FlushBytes();
    CodePage = static_cast<int>(std::clamp(param, 0LL, 100000LL));
  } else if (word == "up") {
    g.Offset = static_cast<int>(hasParam ? std::clamp(param, -32000LL, 32000LL) : 6);
  } else if (word == "dn") {
    g.Offset = -static_cast<int>(hasParam ? std::clamp(param, -32000LL, 32000LL) : 6);
  } else if (word == "plain") {
    g.Offset = 0;
  } else if (word == "emdash") {
    Emit(0x2014);
  } else if (word == "endash") {
    Emit(0x2013);
  } else if (word == "bullet") {
    Emit(0x2022);
  }
}

TRichPlainText TReader::Read() {
  std::size_t i = 0;
  const std::size_t n = R.size();
  auto byte = [&](char c) {
    if (PendingSkip > 0) {
      --PendingSkip;
      return;
    }
    if (Groups.back().Skip) return;
    if (!Bytes.empty() && BytesOffset != Groups.back().Offset) FlushBytes();
    BytesOffset = Groups.back().Offset;
    Bytes += c;
  };
  while (i < n) {
    const char c = R[i];
    if (c == '{') {
      FlushBytes();
      Groups.push_back(Groups.back());
      ++i;
      continue;
    }
    if (c == '}') {
      FlushBytes();
      if (Groups.size() > 1) Groups.pop_back();
      PendingSkip = 0;
      ++i;
      continue;
    }
    if (c == '\r' || c == '\n') {
      ++i;
      continue;
    }
    if (c != '\\') {
      if (static_cast<unsigned char>(c) >= 0x80) {
        byte(c);
      } else if (PendingSkip > 0) {
        --PendingSkip;
      } else {
        Emit(static_cast<char32_t>(c));
      }
      ++i;
      continue;
    }
    // A control symbol or word.
    ++i;
    if (i >= n) break;
    const char s = R[i];
    if (s == '\\' || s == '{' || s == '}') {
      if (PendingSkip > 0)
        --PendingSkip;
      else
        Emit(static_cast<char32_t>(s));
      ++i;
      continue;
    }
    if (s == '\'') {
      const int hi = i + 1 < n ? HexValue(R[i + 1]) : -1;
      const int lo = i + 2 < n ? HexValue(R[i + 2]) : -1;
      if (hi < 0 || lo < 0) {
        // A truncated escape: its digits are no text.
        ++i;
        for (int k = 0; k < 2 && i < n && HexValue(R[i]) >= 0; ++k)
          ++i;
        continue;
      }
      i += 3;
      byte(static_cast<char>(hi * 16 + lo));
      continue;
    }
    if (s == '*') {
      Groups.back().Skip = true;
      ++i;
      continue;
    }
    if (s == '~') {
      Emit(0xA0);
      ++i;
      continue;
    }
    if (s == '\r' || s == '\n') {
      // A backslash before a line break is a paragraph mark.
      ControlWord("par", false, 0);
      ++i;
      continue;
    }
    if (!std::isalpha(static_cast<unsigned char>(s))) {
      ++i;
      continue;
    }
    const std::size_t start = i;
    while (i < n && i - start < 32 && std::isalpha(static_cast<unsigned char>(R[i])))
      ++i;
    const std::string_view word = R.substr(start, i - start);
    bool negative = false;
    long long param = 0;
    bool hasParam = false;
    if (i < n && R[i] == '-') {
      negative = true;
      ++i;
    }
    while (i < n && std::isdigit(static_cast<unsigned char>(R[i]))) {
      if (param < 100000000LL) param = param * 10 + (R[i] - '0');
      hasParam = true;
      ++i;
    }
    if (negative) param = -param;
    if (i < n && R[i] == ' ') ++i;
    PendingSkip = 0;
    ControlWord(word, hasParam, param);
  }
  FlushBytes();
  if (HighHalf) {
    HighHalf = 0;
    AppendUtf8(Out.Text, U'?');
    Out.Offsets.push_back(Groups.back().Offset);
  }
  // The paragraph mark that ends the document ends no line of it.
  if (ParEnd != 0 && ParEnd == Out.Text.size()) {
    Out.Text.resize(Out.Text.size() - 2);
    Out.Offsets.resize(Out.Offsets.size() - 2);
  }
  return std::move(Out);
}

} // namespace

TRichPlainText RichTextRead(std::string_view rtf) {
  if (!rtf.starts_with("{\\rtf")) {
    TRichPlainText plain;
    plain.Text = std::string(rtf);
    std::size_t i = 0;
    while (i < plain.Text.size()) {
      Utf8Next(plain.Text, i);
      plain.Offsets.push_back(0);
    }
    return plain;
  }
  return TReader(rtf).Read();
}

std::string RichTextToPlain(std::string_view rtf) {
  if (!rtf.starts_with("{\\rtf")) return std::string(rtf);
  return RichTextRead(rtf).Text;
}

std::string RichTextWrite(std::string_view text, const std::vector<int>& offsets) {
  std::string out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil Arial;}}\\uc1\\pard\\f0 ";
  out.reserve(out.size() + text.size() + text.size() / 8 + 16);
  int current = 0;
  std::size_t index = 0;
  std::size_t i = 0;
  char buf[32];
  auto word = [&](const char* w, long long v) {
    const int len = std::snprintf(buf, sizeof buf, "\\%s%lld ", w, v);
    out.append(buf, static_cast<std::size_t>(len));
  };
  while (i < text.size()) {
    char32_t c = Utf8Next(text, i);
    const int offset = index < offsets.size() ? offsets[index] : 0;
    ++index;
    if (offset != current) {
      if (offset > 0)
        word("up", offset);
      else if (offset < 0)
        word("dn", -static_cast<long long>(offset));
      else
        out += "\\up0 ";
      current = offset;
    }
    // CR LF is one paragraph mark, counted as two characters.
    if (c == U'\r' && i < text.size() && text[i] == '\n') {
      const int next = index < offsets.size() ? offsets[index] : 0;
      if (next == offset) {
        ++i;
        ++index;
        out += "\\par ";
        continue;
      }
    }
    if (c == U'\\' || c == U'{' || c == U'}') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c == U'\t') {
      out += "\\tab ";
    } else if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else if (c < 0x10000) {
      // Signed 16-bit, as readers expect.
      word("u", c >= 0x8000 ? static_cast<long long>(c) - 65536 : static_cast<long long>(c));
      out.back() = '?';
    } else {
      const char32_t v = c - 0x10000;
      word("u", static_cast<long long>(0xD800 + (v >> 10)) - 65536);
      out.back() = '?';
      word("u", static_cast<long long>(0xDC00 + (v & 0x3FF)) - 65536);
      out.back() = '?';
    }
  }
  out += "\\par}";
  return out;
}
