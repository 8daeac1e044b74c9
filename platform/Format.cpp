#include "platform/Format.h"

#include "platform/Locale.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

// Widths and precisions beyond these are taken as a damaged pattern, not as a request for memory.
constexpr int MaxWidth = 4096;
constexpr int MaxFloatPrecision = 18;

struct TSpec {
  bool LeftAlign = false;
  int Width = -1;
  int Precision = -1;
  char Kind = 0; // lower case
};

std::size_t CodePoints(const std::string& s) {
  std::size_t n = 0;
  for (char c : s)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
  return n;
}

// Keeps at most `count` characters, never cutting a UTF-8 sequence.
std::string FirstCodePoints(const std::string& s, std::size_t count) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
      if (n == count) return s.substr(0, i);
      ++n;
    }
  }
  return s;
}

std::string Printf(const char* format, int precision, double value) {
  char buffer[512];
  int n = std::snprintf(buffer, sizeof buffer, format, precision, value);
  if (n < 0) return {};
  if (static_cast<std::size_t>(n) < sizeof buffer) return std::string(buffer, static_cast<std::size_t>(n));
  std::string big(static_cast<std::size_t>(n) + 1, '\0');
  std::snprintf(big.data(), big.size(), format, precision, value);
  big.resize(static_cast<std::size_t>(n));
  return big;
}

std::optional<std::string> NotFinite(double v) {
  if (std::isnan(v)) return std::string("NAN");
  if (std::isinf(v)) return std::string(v < 0 ? "-INF" : "INF");
  return std::nullopt;
}

// "-0.00" is shown as "0.00".
void DropNegativeZero(std::string& s) {
  if (!s.empty() && s[0] == '-' && s.find_first_of("123456789") == std::string::npos) s.erase(0, 1);
}

std::string Fixed(double v, int precision, bool grouped) {
  if (auto text = NotFinite(v)) return *text;
  const TFormatSettings& fs = FormatSettings();
  std::string s = Printf("%.*f", precision, v);
  DropNegativeZero(s);
  std::size_t point = s.find('.');
  if (point != std::string::npos)
    s[point] = fs.DecimalSeparator;
  else
    point = s.size();
  if (grouped && fs.ThousandSeparator != '\0') {
    std::size_t first = (s[0] == '-') ? 1 : 0;
    for (std::size_t i = point; i > first + 3;) {
      i -= 3;
      s.insert(i, 1, fs.ThousandSeparator);
    }
  }
  return s;
}

std::string Scientific(double v, int precision) {
  if (auto text = NotFinite(v)) return *text;
  std::string s = Printf("%.*E", precision - 1, v);
  std::size_t e = s.find('E');
  if (e == std::string::npos) return s;
  std::size_t point = s.find('.');
  if (point != std::string::npos) s[point] = FormatSettings().DecimalSeparator;
  int exponent = std::atoi(s.c_str() + e + 1);
  char tail[16];
  std::snprintf(tail, sizeof tail, "E%c%03d", exponent < 0 ? '-' : '+', std::abs(exponent));
  return s.substr(0, e) + tail;
}

// Shortest of fixed and scientific notation with `precision` significant digits.
std::string General(double v, int precision) {
  if (auto text = NotFinite(v)) return *text;
  if (v == 0) return "0";
  std::string s = Printf("%.*e", precision - 1, std::fabs(v));
  std::size_t e = s.find('e');
  int exponent = std::atoi(s.c_str() + e + 1);
  std::string digits;
  for (std::size_t i = 0; i < e; ++i)
    if (s[i] != '.') digits += s[i];
  while (digits.size() > 1 && digits.back() == '0')
    digits.pop_back();
  const char point = FormatSettings().DecimalSeparator;
  std::string out = v < 0 ? "-" : "";
  if (exponent < precision && exponent >= -5) {
    if (exponent < 0) {
      out += "0";
      out += point;
      out += std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    } else {
      auto whole = static_cast<std::size_t>(exponent) + 1;
      if (digits.size() <= whole) {
        out += digits + std::string(whole - digits.size(), '0');
      } else {
        out += digits.substr(0, whole);
        out += point;
        out += digits.substr(whole);
      }
    }
    return out;
  }
  out += digits.substr(0, 1);
  if (digits.size() > 1) {
    out += point;
    out += digits.substr(1);
  }
  return out + "E" + std::to_string(exponent);
}

// Negative values print as the unsigned 32-bit pattern when they fit there, as 64-bit otherwise.
std::uint64_t AsUnsigned(std::int64_t v) {
  if (v < 0 && v >= INT32_MIN) return static_cast<std::uint32_t>(static_cast<std::int32_t>(v));
  return static_cast<std::uint64_t>(v);
}

std::string Integer(std::int64_t v, char kind, int precision) {
  char buffer[32];
  if (kind == 'd') {
    std::snprintf(buffer, sizeof buffer, "%llu",
                  v < 0 ? 0ull - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v));
  } else {
    std::snprintf(buffer, sizeof buffer, kind == 'x' ? "%llX" : "%llu",
                  static_cast<unsigned long long>(AsUnsigned(v)));
  }
  std::string digits = buffer;
  if (precision > 0 && digits.size() < static_cast<std::size_t>(precision))
    digits.insert(0, static_cast<std::size_t>(precision) - digits.size(), '0');
  return (kind == 'd' && v < 0) ? "-" + digits : digits;
}

// Reads one conversion after its '%'; nullopt when it is not one this formatter knows.
std::optional<TSpec> ParseSpec(std::string_view pattern, std::size_t& i) {
  TSpec spec;
  auto number = [&](int& out) {
    if (i >= pattern.size() || pattern[i] < '0' || pattern[i] > '9') return false;
    out = 0;
    while (i < pattern.size() && pattern[i] >= '0' && pattern[i] <= '9') {
      out = out * 10 + (pattern[i++] - '0');
      if (out > MaxWidth) return false;
    }
    return true;
  };
  while (i < pattern.size() && pattern[i] == '-') {
    spec.LeftAlign = true;
    ++i;
  }
  if (i < pattern.size() && pattern[i] >= '0' && pattern[i] <= '9' && !number(spec.Width))
    return std::nullopt;
  if (i < pattern.size() && pattern[i] == '.') {
    ++i;
    spec.Precision = 0;
    if (i < pattern.size() && pattern[i] >= '0' && pattern[i] <= '9' && !number(spec.Precision))
      return std::nullopt;
  }
  if (i >= pattern.size()) return std::nullopt;
  char kind = pattern[i++];
  if (kind >= 'A' && kind <= 'Z') kind = static_cast<char>(kind - 'A' + 'a');
  switch (kind) {
  case 'd':
  case 'u':
  case 'x':
  case 's':
  case 'f':
  case 'e':
  case 'g':
  case 'n':
  case 'm':
    spec.Kind = kind;
    return spec;
  default:
    return std::nullopt;
  }
}

std::optional<std::string> Convert(const TSpec& spec, const TFormatArg& arg) {
  const auto* integer = std::get_if<std::int64_t>(&arg);
  const auto* real = std::get_if<double>(&arg);
  const auto* text = std::get_if<std::string>(&arg);
  auto floatValue = [&]() -> std::optional<double> {
    if (real) return *real;
    if (integer) return static_cast<double>(*integer);
    return std::nullopt;
  };
  auto clampFloat = [](int p, int def) {
    return p < 0 ? def : (p > MaxFloatPrecision ? MaxFloatPrecision : p);
  };
  switch (spec.Kind) {
  case 'd':
  case 'u':
  case 'x':
    if (!integer) return std::nullopt;
    return Integer(*integer, spec.Kind, spec.Precision);
  case 's':
    if (!text) return std::nullopt;
    return spec.Precision >= 0 ? FirstCodePoints(*text, static_cast<std::size_t>(spec.Precision)) : *text;
  case 'f':
  case 'n':
  case 'm': {
    auto v = floatValue();
    if (!v) return std::nullopt;
    return Fixed(*v, clampFloat(spec.Precision, 2), spec.Kind != 'f');
  }
  case 'e':
  case 'g': {
    auto v = floatValue();
    if (!v) return std::nullopt;
    int p = clampFloat(spec.Precision, 15);
    if (p < 1) p = 1;
    return spec.Kind == 'e' ? Scientific(*v, p) : General(*v, p);
  }
  default:
    return std::nullopt;
  }
}

} // namespace

namespace {
bool TryFormatPrefix(std::string_view pattern, std::initializer_list<TFormatArg> args, std::string& out,
                     std::size_t* used);
} // namespace

std::string Format(std::string_view pattern, std::initializer_list<TFormatArg> args) {
  std::string out;
  if (TryFormatPrefix(pattern, args, out, nullptr)) return out;
  return std::string(pattern);
}

bool TryFormat(std::string_view pattern, std::initializer_list<TFormatArg> args, std::string& out) {
  std::string result;
  std::size_t used = 0;
  if (!TryFormatPrefix(pattern, args, result, &used) || used != args.size()) return false;
  out = std::move(result);
  return true;
}

namespace {
bool TryFormatPrefix(std::string_view pattern, std::initializer_list<TFormatArg> args, std::string& out,
                     std::size_t* used) {
  out.reserve(pattern.size() + 16);
  auto next = args.begin();
  for (std::size_t i = 0; i < pattern.size();) {
    char c = pattern[i++];
    if (c != '%') {
      out += c;
      continue;
    }
    if (i < pattern.size() && pattern[i] == '%') {
      out += '%';
      ++i;
      continue;
    }
    auto spec = ParseSpec(pattern, i);
    if (!spec || next == args.end()) return false;
    auto piece = Convert(*spec, *next++);
    if (!piece) return false;
    std::size_t length = CodePoints(*piece);
    if (spec->Width > 0 && length < static_cast<std::size_t>(spec->Width)) {
      std::string pad(static_cast<std::size_t>(spec->Width) - length, ' ');
      *piece = spec->LeftAlign ? *piece + pad : pad + *piece;
    }
    out += *piece;
  }
  if (used) *used = static_cast<std::size_t>(next - args.begin());
  return true;
}
} // namespace
