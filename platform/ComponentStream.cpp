#include "platform/ComponentStream.h"

#include "platform/TextCodec.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace {

const char* const kInvalid = "Invalid stream format";
// Lists inside lists are legal; this deep is no image of ours.
constexpr int kMaxNesting = 32;

void PutInt32(std::string& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i)
    out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

void PutShortText(std::string& out, std::string_view text) {
  if (text.size() > 255) throw EWriteError("A name or short string of more than 255 bytes");
  out += static_cast<char>(text.size());
  out += text;
}

// UTF-16 code units the text takes (a character past U+FFFF takes two).
std::size_t Utf16Length(std::string_view utf8) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < utf8.size();)
    n += Utf8Next(utf8, i) >= 0x10000 ? 2 : 1;
  return n;
}

std::string FromUtf16Le(std::string_view bytes) {
  std::string out;
  const std::size_t n = bytes.size() / 2;
  auto unit = [&](std::size_t i) {
    return static_cast<unsigned>(static_cast<unsigned char>(bytes[2 * i])) |
           static_cast<unsigned>(static_cast<unsigned char>(bytes[2 * i + 1])) << 8;
  };
  for (std::size_t i = 0; i < n; ++i) {
    unsigned u = unit(i);
    if (u >= 0xD800 && u < 0xDC00 && i + 1 < n && unit(i + 1) >= 0xDC00 && unit(i + 1) < 0xE000) {
      AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (unit(i + 1) - 0xDC00));
      ++i;
    } else {
      AppendUtf8(out, u); // a lone surrogate becomes U+FFFD
    }
  }
  return out;
}

bool SevenBit(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

// Reads from the whole rest of the stream held in memory; every length is checked against it.
class TImageReader {
public:
  explicit TImageReader(std::string_view bytes) : FBytes(bytes) {}
  std::size_t Used() const { return FPos; }

  TComponentImage Image() {
    if (Take(4) != "TPF0") Fail();
    TComponentImage image;
    image.ClassName = ShortText();
    if (image.ClassName.empty()) Fail();
    ShortText(); // the component's name, not kept
    for (;;) {
      std::string name = ShortText();
      if (name.empty()) break;
      image.Properties.push_back({std::move(name), Value(0)});
    }
    // Owned components: none are written, none are taken.
    if (Byte() != 0) Fail();
    return image;
  }

private:
  [[noreturn]] static void Fail() { throw EReadError(kInvalid); }

  std::string_view Take(std::size_t n) {
    if (n > FBytes.size() - FPos) Fail();
    std::string_view s = FBytes.substr(FPos, n);
    FPos += n;
    return s;
  }
  unsigned Byte() { return static_cast<unsigned char>(Take(1)[0]); }
  std::uint32_t Int32() {
    std::string_view b = Take(4);
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
      v = (v << 8) | static_cast<unsigned char>(b[i]);
    return v;
  }
  std::string ShortText() { return std::string(Take(Byte())); }

  TStreamValue Value(int depth) {
    if (depth > kMaxNesting) Fail();
    TStreamValue v;
    v.Type = static_cast<TValueType>(Byte());
    switch (v.Type) {
    case vaList:
      for (;;) {
        if (FPos < FBytes.size() && FBytes[FPos] == 0) {
          ++FPos;
          break;
        }
        v.Items.push_back(Value(depth + 1));
      }
      break;
    case vaInt8:
      v.Int = static_cast<std::int8_t>(Byte());
      break;
    case vaInt16: {
      std::string_view b = Take(2);
      v.Int =
          static_cast<std::int16_t>(static_cast<unsigned char>(b[0]) | static_cast<unsigned char>(b[1]) << 8);
      break;
    }
    case vaInt32:
      v.Int = static_cast<std::int32_t>(Int32());
      break;
    case vaExtended:
      v.Float = DecodeExtended(reinterpret_cast<const unsigned char*>(Take(10).data()));
      break;
    case vaString:
    case vaIdent:
      v.Text = ShortText();
      break;
    case vaLString:
    case vaBinary:
    case vaUTF8String:
      v.Text = std::string(Take(Int32()));
      break;
    case vaWString: {
      std::uint32_t units = Int32();
      if (units > (FBytes.size() - FPos) / 2) Fail();
      v.Text = FromUtf16Le(Take(std::size_t(units) * 2));
      break;
    }
    case vaFalse:
    case vaTrue:
      break;
    case vaSet:
      for (;;) {
        std::string name = ShortText();
        if (name.empty()) break;
        v.Names.push_back(std::move(name));
      }
      break;
    default:
      Fail();
    }
    // Texts are UTF-8 from here on; the short and long strings hold 7-bit or UTF-8 bytes.
    if ((v.Type == vaString || v.Type == vaLString || v.Type == vaUTF8String) && !IsValidUtf8(v.Text))
      v.Text = Windows1252ToUtf8(v.Text);
    return v;
  }

  std::string_view FBytes;
  std::size_t FPos = 0;
};

} // namespace

std::string EncodeExtended(double Value) {
  unsigned char b[10] = {};
  std::uint64_t mantissa = 0;
  unsigned exponent = 0;
  const bool negative = std::signbit(Value);
  if (std::isnan(Value)) {
    exponent = 0x7FFF;
    mantissa = 0xC000000000000000ull;
  } else if (std::isinf(Value)) {
    exponent = 0x7FFF;
    mantissa = 0x8000000000000000ull;
  } else if (Value != 0) {
    int e = 0;
    double m = std::frexp(std::fabs(Value), &e); // 0.5 <= m < 1
    // Every double is a normal extended number: 64 mantissa bits hold its 53.
    mantissa = static_cast<std::uint64_t>(std::ldexp(m, 64));
    exponent = static_cast<unsigned>(e - 1 + 16383);
  }
  for (int i = 0; i < 8; ++i)
    b[i] = static_cast<unsigned char>((mantissa >> (8 * i)) & 0xFF);
  b[8] = static_cast<unsigned char>(exponent & 0xFF);
  b[9] = static_cast<unsigned char>(((exponent >> 8) & 0x7F) | (negative ? 0x80 : 0));
  return std::string(reinterpret_cast<const char*>(b), 10);
}

double DecodeExtended(const unsigned char* Bytes) {
  std::uint64_t mantissa = 0;
  for (int i = 7; i >= 0; --i)
    mantissa = (mantissa << 8) | Bytes[i];
  const int exponent = ((Bytes[9] & 0x7F) << 8) | Bytes[8];
  const bool negative = (Bytes[9] & 0x80) != 0;
  double v;
  if (exponent == 0x7FFF)
    v = (mantissa << 1) == 0 ? std::numeric_limits<double>::infinity()
                             : std::numeric_limits<double>::quiet_NaN();
  else
    v = std::ldexp(static_cast<double>(mantissa), exponent - 16383 - 63);
  return negative ? -v : v;
}

TComponentWriter::TComponentWriter(std::string_view ClassName) {
  FBytes = "TPF0";
  PutShortText(FBytes, ClassName);
  PutShortText(FBytes, ""); // the name is not stored
}

void TComponentWriter::WriteName(std::string_view Name) {
  PutShortText(FBytes, Name);
}

void TComponentWriter::WriteInteger(std::string_view Name, std::int64_t Value) {
  WriteName(Name);
  if (Value >= -128 && Value <= 127) {
    FBytes += static_cast<char>(vaInt8);
    FBytes += static_cast<char>(Value & 0xFF);
  } else if (Value >= -32768 && Value <= 32767) {
    FBytes += static_cast<char>(vaInt16);
    FBytes += static_cast<char>(Value & 0xFF);
    FBytes += static_cast<char>((Value >> 8) & 0xFF);
  } else {
    if (Value < std::numeric_limits<std::int32_t>::min() || Value > std::numeric_limits<std::uint32_t>::max())
      throw EWriteError("An integer past 32 bits");
    FBytes += static_cast<char>(vaInt32);
    PutInt32(FBytes, static_cast<std::uint32_t>(Value));
  }
}

void TComponentWriter::WriteBoolean(std::string_view Name, bool Value) {
  WriteName(Name);
  FBytes += static_cast<char>(Value ? vaTrue : vaFalse);
}

void TComponentWriter::WriteFloat(std::string_view Name, double Value) {
  WriteName(Name);
  FBytes += static_cast<char>(vaExtended);
  FBytes += EncodeExtended(Value);
}

void TComponentWriter::WriteStringValue(std::string_view Utf8) {
  if (SevenBit(Utf8)) {
    if (Utf8.size() < 256) {
      FBytes += static_cast<char>(vaString);
      PutShortText(FBytes, Utf8);
    } else {
      FBytes += static_cast<char>(vaLString);
      PutInt32(FBytes, static_cast<std::uint32_t>(Utf8.size()));
      FBytes += Utf8;
    }
    return;
  }
  const std::size_t units = Utf16Length(Utf8);
  if (Utf8.size() >= 2 * units) {
    FBytes += static_cast<char>(vaWString);
    PutInt32(FBytes, static_cast<std::uint32_t>(units));
    FBytes += Utf8ToUtf16Le(Utf8);
  } else {
    FBytes += static_cast<char>(vaUTF8String);
    PutInt32(FBytes, static_cast<std::uint32_t>(Utf8.size()));
    FBytes += Utf8;
  }
}

void TComponentWriter::WriteString(std::string_view Name, std::string_view Utf8) {
  WriteName(Name);
  WriteStringValue(Utf8);
}

void TComponentWriter::WriteIdent(std::string_view Name, std::string_view Ident) {
  WriteName(Name);
  FBytes += static_cast<char>(vaIdent);
  PutShortText(FBytes, Ident);
}

void TComponentWriter::WriteSet(std::string_view Name, const std::vector<std::string>& Idents) {
  WriteName(Name);
  FBytes += static_cast<char>(vaSet);
  for (const std::string& ident : Idents)
    PutShortText(FBytes, ident);
  FBytes += '\0';
}

void TComponentWriter::WriteBinary(std::string_view Name, std::string_view Bytes) {
  WriteName(Name);
  FBytes += static_cast<char>(vaBinary);
  PutInt32(FBytes, static_cast<std::uint32_t>(Bytes.size()));
  FBytes += Bytes;
}

void TComponentWriter::WriteStringList(std::string_view Name, const std::vector<std::string>& Items) {
  WriteName(Name);
  FBytes += static_cast<char>(vaList);
  for (const std::string& item : Items)
    WriteStringValue(item);
  FBytes += '\0';
}

std::string TComponentWriter::Finish() const {
  return FBytes + std::string(2, '\0');
}

TComponentImage ReadComponentImage(TStream& Stream) {
  const std::int64_t start = Stream.Position();
  // A memory stream is read in place, so a stream of many images is not copied once per image.
  std::string copy;
  std::string_view rest;
  if (auto* memory = dynamic_cast<TMemoryStream*>(&Stream)) {
    const std::string& bytes = memory->Bytes();
    rest = start < memory->Size() ? std::string_view(bytes).substr(static_cast<std::size_t>(start))
                                  : std::string_view();
  } else {
    copy = Stream.ReadRest();
    rest = copy;
  }
  TImageReader reader(rest);
  TComponentImage image = reader.Image();
  Stream.SetPosition(start + static_cast<std::int64_t>(reader.Used()));
  return image;
}
