// Bytes are classified sixty-four at a time into bit masks (quote, delimiter, CR, LF and which
// bytes lie after an odd number of quotes), a few kilobytes ahead, with the widest vectors the
// processor has; lines and fields are then found on the masks with plain bit operations.
#include "grid/GridCsvScan.h"

#include "platform/TextCodec.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#define VELMARIC_CSV_X86 1
#endif

namespace gridfile {
namespace {

// One block of sixty-four bytes, bit i for byte i. Inside: the quotes up to and including the
// byte are odd in number, counted from the block's start.
struct TBlock {
  std::uint64_t Quote, Delim, Cr, Lf, Inside;
};
constexpr std::size_t kChunkBlocks = 64;

// Classifies whole blocks; answers whether any byte is past ASCII.
using TClassify = bool (*)(const char* p, std::size_t blocks, char d, TBlock* out);

std::uint64_t PrefixXor(std::uint64_t x) {
  x ^= x << 1;
  x ^= x << 2;
  x ^= x << 4;
  x ^= x << 8;
  x ^= x << 16;
  x ^= x << 32;
  return x;
}

#if defined(VELMARIC_CSV_X86)
std::uint64_t Mask16(__m128i v, int shift) {
  return static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(v))) << shift;
}

bool ClassifySse2(const char* p, std::size_t blocks, char d, TBlock* out) {
  const __m128i quote = _mm_set1_epi8('"'), delim = _mm_set1_epi8(d), cr = _mm_set1_epi8('\r'),
                lf = _mm_set1_epi8('\n');
  __m128i high = _mm_setzero_si128();
  for (std::size_t b = 0; b < blocks; ++b, p += 64) {
    TBlock o{};
    for (int k = 0; k < 4; ++k) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
      high = _mm_or_si128(high, v);
      o.Quote |= Mask16(_mm_cmpeq_epi8(v, quote), 16 * k);
      o.Delim |= Mask16(_mm_cmpeq_epi8(v, delim), 16 * k);
      o.Cr |= Mask16(_mm_cmpeq_epi8(v, cr), 16 * k);
      o.Lf |= Mask16(_mm_cmpeq_epi8(v, lf), 16 * k);
    }
    o.Inside = PrefixXor(o.Quote);
    out[b] = o;
  }
  return _mm_movemask_epi8(high) != 0;
}

__attribute__((target("avx2,pclmul"))) std::uint64_t Mask32x2(__m256i lo, __m256i hi) {
  return static_cast<std::uint64_t>(static_cast<unsigned>(_mm256_movemask_epi8(lo))) |
         static_cast<std::uint64_t>(static_cast<unsigned>(_mm256_movemask_epi8(hi))) << 32;
}

__attribute__((target("avx2,pclmul"))) bool ClassifyAvx2(const char* p, std::size_t blocks, char d,
                                                         TBlock* out) {
  const __m256i quote = _mm256_set1_epi8('"'), delim = _mm256_set1_epi8(d), cr = _mm256_set1_epi8('\r'),
                lf = _mm256_set1_epi8('\n');
  const __m128i ones = _mm_set1_epi8(-1);
  __m256i high = _mm256_setzero_si256();
  for (std::size_t b = 0; b < blocks; ++b, p += 64) {
    const __m256i lo = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    const __m256i hi = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32));
    high = _mm256_or_si256(high, _mm256_or_si256(lo, hi));
    TBlock o;
    o.Quote = Mask32x2(_mm256_cmpeq_epi8(lo, quote), _mm256_cmpeq_epi8(hi, quote));
    o.Delim = Mask32x2(_mm256_cmpeq_epi8(lo, delim), _mm256_cmpeq_epi8(hi, delim));
    o.Cr = Mask32x2(_mm256_cmpeq_epi8(lo, cr), _mm256_cmpeq_epi8(hi, cr));
    o.Lf = Mask32x2(_mm256_cmpeq_epi8(lo, lf), _mm256_cmpeq_epi8(hi, lf));
    // A carry-less product with all ones is the running parity of the quotes.
    o.Inside = static_cast<std::uint64_t>(
        _mm_cvtsi128_si64(_mm_clmulepi64_si128(_mm_cvtsi64_si128(static_cast<long long>(o.Quote)), ones, 0)));
    out[b] = o;
  }
  return _mm256_movemask_epi8(high) != 0;
}
__attribute__((target("avx512bw,avx512f,pclmul"))) bool ClassifyAvx512(const char* p, std::size_t blocks,
                                                                       char d, TBlock* out) {
  const __m512i quote = _mm512_set1_epi8('"'), delim = _mm512_set1_epi8(d), cr = _mm512_set1_epi8('\r'),
                lf = _mm512_set1_epi8('\n');
  const __m128i ones = _mm_set1_epi8(-1);
  __m512i high = _mm512_setzero_si512();
  for (std::size_t b = 0; b < blocks; ++b, p += 64) {
    const __m512i v = _mm512_loadu_si512(p);
    high = _mm512_or_si512(high, v);
    TBlock o;
    o.Quote = _mm512_cmpeq_epi8_mask(v, quote);
    o.Delim = _mm512_cmpeq_epi8_mask(v, delim);
    o.Cr = _mm512_cmpeq_epi8_mask(v, cr);
    o.Lf = _mm512_cmpeq_epi8_mask(v, lf);
    o.Inside = static_cast<std::uint64_t>(
        _mm_cvtsi128_si64(_mm_clmulepi64_si128(_mm_cvtsi64_si128(static_cast<long long>(o.Quote)), ones, 0)));
    out[b] = o;
  }
  return _mm512_movepi8_mask(high) != 0;
}
#else
bool ClassifyBytes(const char* p, std::size_t blocks, char d, TBlock* out) {
  bool high = false;
  for (std::size_t b = 0; b < blocks; ++b, p += 64) {
    TBlock o{};
    for (int i = 0; i < 64; ++i) {
      const char ch = p[i];
      const std::uint64_t bit = std::uint64_t{1} << i;
      o.Quote |= ch == '"' ? bit : 0;
      o.Delim |= ch == d ? bit : 0;
      o.Cr |= ch == '\r' ? bit : 0;
      o.Lf |= ch == '\n' ? bit : 0;
      high = high || static_cast<unsigned char>(ch) >= 0x80;
    }
    o.Inside = PrefixXor(o.Quote);
    out[b] = o;
  }
  return high;
}
#endif

// The masks of a line's bytes are read in order; a line's quotes are well formed when each one
// that opens (an odd one) stands at a field's start or right after a closing one, each one that
// closes is followed by a delimiter, a line break, a quote or the text's end, and the line ends
// outside quotes. Such a line has one field more than delimiters outside quotes; ForEachField
// reads it so too. Unless final, only whole chunks with a byte after them are scanned, so a CR's
// LF and a character's last bytes are there to look at.
__attribute__((always_inline)) inline void Run(TCsvScanner::TState& state, TCsvScan& out,
                                               std::string_view text, bool final, char d,
                                               std::size_t maxLines, bool checkUtf8, TClassify classify) {
  const char* const base = text.data();
  const std::size_t n = text.size();
  const bool count = d != 0;
  // The state lives in locals while scanning, where the lines written cannot be taken to change it.
  TCsvScanner::TState s = state;
  std::vector<TGridLazyRow>& lines = out.Lines;
  TBlock blocks[kChunkBlocks + 1];
  // Ends the line at the break at `at`; false once the maximum is reached.
  auto endLine = [&](std::size_t at) __attribute__((always_inline)) {
    lines.push_back(
        {static_cast<std::uint32_t>(s.LineStart), static_cast<std::uint32_t>(at - s.LineStart),
         count && !s.Bad ? static_cast<std::int32_t>(std::min<std::uint64_t>(s.Fields, INT32_MAX)) : -1});
    s.LineStart = at + (base[at] == '\r' && at + 1 < n && base[at + 1] == '\n' ? 2 : 1);
    s.Fields = 1;
    s.Bad = false;
    if (lines.size() < maxLines) return true;
    s.Stopped = true;
    out.End = s.LineStart;
    return false;
  };
  while (!s.Stopped && s.Next < n) {
    const std::size_t chunk = s.Next;
    const std::size_t bytes = std::min(kChunkBlocks * 64, n - chunk);
    if (!final && (bytes < kChunkBlocks * 64 || chunk + bytes == n)) break;
    const std::size_t full = bytes / 64;
    bool high = full && classify(base + chunk, full, d, blocks);
    std::size_t nb = full;
    if (bytes % 64) {
      // The text's last bytes, in a block of their own padded with zeros, which match nothing
      // once the masks are cut to the bytes there are.
      alignas(64) char pad[64] = {};
      std::memcpy(pad, base + chunk + full * 64, bytes % 64);
      high = classify(pad, 1, d, blocks + full) || high;
      const std::uint64_t valid = (std::uint64_t{1} << (bytes % 64)) - 1;
      TBlock& t = blocks[full];
      t.Quote &= valid, t.Delim &= valid, t.Cr &= valid, t.Lf &= valid;
      ++nb;
    }
    if (checkUtf8 && high) {
      // Checked up to the next ASCII byte, where no character can continue.
      const std::size_t from = std::max(chunk, s.Utf8Done);
      std::size_t to = chunk + bytes;
      while (to < n && static_cast<unsigned char>(base[to]) >= 0x80)
        ++to;
      if (!final && to == n) break;
      if (from < to && !IsValidUtf8(std::string_view(base + from, to - from))) {
        out.Utf8 = false;
        s.Stopped = true;
        break;
      }
      s.Utf8Done = to;
    }
    s.Next = chunk + bytes;
    const std::uint64_t tailValid = (std::uint64_t{1} << (bytes % 64)) - 1;
    for (std::size_t b = 0; b < nb && !s.Stopped; ++b) {
      const TBlock& k = blocks[b];
      const std::size_t at = chunk + 64 * b;
      std::uint64_t ends = k.Cr | (k.Lf & ~((k.Cr << 1) | s.AfterCr));
      s.AfterCr = k.Cr >> 63;
      if (!count) {
        for (; ends; ends &= ends - 1)
          if (!endLine(at + static_cast<std::size_t>(__builtin_ctzll(ends)))) break;
        continue;
      }
      std::uint64_t x = k.Inside ^ s.Inside;
      const std::uint64_t breaks = k.Delim | k.Cr | k.Lf;
      const std::uint64_t starts = (breaks << 1) | s.FieldStart;
      // Quotes out of place: an opening one not at a field's start nor after a closing one, and
      // a closing one followed by anything but a delimiter, a line break or a quote.
      auto wrongOf = [&](std::uint64_t inside) __attribute__((always_inline)) {
        const std::uint64_t afterClose = ((k.Quote & ~inside) << 1) | s.Closed;
        return (k.Quote & inside & ~(starts | afterClose)) | (afterClose & ~(breaks | k.Quote));
      };
      std::uint64_t wrong = wrongOf(x);
      std::uint64_t outside = k.Delim & ~x; // delimiters outside quotes
      std::uint64_t rest = b == full ? tailValid : ~std::uint64_t{0};
      for (; ends; ends &= ends - 1) {
        const unsigned e = static_cast<unsigned>(__builtin_ctzll(ends));
        const std::uint64_t part = rest & ((std::uint64_t{1} << e) - 1);
        s.Fields += static_cast<std::uint64_t>(__builtin_popcountll(outside & part));
        s.Bad |= (wrong & part) != 0;
        if ((x >> e) & 1) {
          // The line ends inside quotes: the next one starts outside.
          s.Bad = true;
          x ^= ~std::uint64_t{0} << e;
          wrong = wrongOf(x);
          outside = k.Delim & ~x;
        }
        if (!endLine(at + e)) break;
        rest &= ~((std::uint64_t{2} << e) - 1);
      }
      if (s.Stopped) break;
      s.Fields += static_cast<std::uint64_t>(__builtin_popcountll(outside & rest));
      s.Bad |= (wrong & rest) != 0;
      s.Inside = std::uint64_t{0} - (x >> 63);
      s.FieldStart = breaks >> 63;
      s.Closed = (k.Quote & ~x) >> 63;
    }
  }
  if (final && !s.Stopped) {
    if (s.LineStart < n) {
      // A last line without its break: ended as if one followed.
      lines.push_back({static_cast<std::uint32_t>(s.LineStart), static_cast<std::uint32_t>(n - s.LineStart),
                       count && !s.Bad && !s.Inside
                           ? static_cast<std::int32_t>(std::min<std::uint64_t>(s.Fields, INT32_MAX))
                           : -1});
    }
    out.End = n;
  }
  state = s;
}

void RunPlain(TCsvScanner::TState& s, TCsvScan& out, std::string_view text, bool final, char d,
              std::size_t maxLines, bool checkUtf8, TClassify classify) {
  Run(s, out, text, final, d, maxLines, checkUtf8, classify);
}

#if defined(VELMARIC_CSV_X86)
__attribute__((target("popcnt,bmi"))) void RunPopcnt(TCsvScanner::TState& s, TCsvScan& out,
                                                     std::string_view text, bool final, char d,
                                                     std::size_t maxLines, bool checkUtf8,
                                                     TClassify classify) {
  Run(s, out, text, final, d, maxLines, checkUtf8, classify);
}
#endif

void RunBest(TCsvScanner::TState& s, TCsvScan& out, std::string_view text, bool final, char d,
             std::size_t maxLines, bool checkUtf8) {
#if defined(VELMARIC_CSV_X86)
  const bool popcnt = __builtin_cpu_supports("popcnt") && __builtin_cpu_supports("bmi");
  if (popcnt && __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("pclmul"))
    return RunPopcnt(s, out, text, final, d, maxLines, checkUtf8, ClassifyAvx512);
  if (popcnt && __builtin_cpu_supports("avx2") && __builtin_cpu_supports("pclmul"))
    return RunPopcnt(s, out, text, final, d, maxLines, checkUtf8, ClassifyAvx2);
  if (__builtin_cpu_supports("popcnt"))
    return RunPopcnt(s, out, text, final, d, maxLines, checkUtf8, ClassifySse2);
  RunPlain(s, out, text, final, d, maxLines, checkUtf8, ClassifySse2);
#else
  RunPlain(s, out, text, final, d, maxLines, checkUtf8, ClassifyBytes);
#endif
}

} // namespace

TCsvScanner::TCsvScanner(char delimiter, std::size_t maxLines, bool checkUtf8, std::size_t size)
    : FDelimiter(delimiter), FMaxLines(maxLines), FCheckUtf8(checkUtf8) {
  FState.Stopped = maxLines == 0;
  // Lines of sixty-four bytes or more need no second allocation.
  FOut.Lines.reserve(std::min(maxLines, size / 64 + 1));
}

void TCsvScanner::Feed(std::string_view text) {
  RunBest(FState, FOut, text, false, FDelimiter, FMaxLines, FCheckUtf8);
}

TCsvScan TCsvScanner::Finish(std::string_view text) {
  RunBest(FState, FOut, text, true, FDelimiter, FMaxLines, FCheckUtf8);
  return std::move(FOut);
}

TCsvScan ScanCsvLines(std::string_view text, char delimiter, std::size_t maxLines, bool checkUtf8) {
  TCsvScanner scanner(delimiter, maxLines, checkUtf8, text.size());
  return scanner.Finish(text);
}

} // namespace gridfile
