// M-Bus decoding: AES-128-CBC decryption against OpenSSL on the same buffers, and the long-frame
// decoder on a scan's worth of answers.
#include "mbus/AesCbc.h"
#include "mbus/LongFrame.h"

#include <benchmark/benchmark.h>
#include <openssl/evp.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using TBytes = std::vector<std::uint8_t>;

TBytes Pattern(std::size_t size) {
  TBytes bytes(size);
  std::uint32_t x = 0x12345678;
  for (auto& b : bytes) {
    x = x * 1664525u + 1013904223u;
    b = static_cast<std::uint8_t>(x >> 24);
  }
  return bytes;
}

const Aes128Key Key = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08,
                       0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0x11};
const AesBlock Iv = {0x93, 0x15, 0x78, 0x56, 0x34, 0x12, 0x33, 0x03,
                     0x2A, 0x2A, 0x2A, 0x2A, 0x2A, 0x2A, 0x2A, 0x2A};

// What the telegram decoder does per payload: schedule and decryption from one stream into another;
// like the anchor's buffers, the streams are made once and reused.
template <std::size_t Size> void CbcOurs(benchmark::State& state) {
  const TBytes cipher = Pattern(Size);
  TMemoryStream source, plain;
  LoadBytes(source, cipher);
  for (auto _ : state) {
    source.SetPosition(0);
    plain.SetSize(0);
    CbcDecryptStream(source, static_cast<std::int64_t>(cipher.size()), Key, Iv, plain);
    benchmark::DoNotOptimize(plain.Bytes().data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(Size));
}

// OpenSSL's EVP interface on the same buffer, with its own key setup per payload.
template <std::size_t Size> void CbcAnchor(benchmark::State& state) {
  const TBytes cipher = Pattern(Size);
  TBytes plain(cipher.size() + 16);
  EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
  for (auto _ : state) {
    int written = 0, last = 0;
    EVP_DecryptInit_ex(ctx, EVP_aes_128_cbc(), nullptr, Key.data(), Iv.data());
    EVP_CIPHER_CTX_set_padding(ctx, 0);
    EVP_DecryptUpdate(ctx, plain.data(), &written, cipher.data(), static_cast<int>(cipher.size()));
    EVP_DecryptFinal_ex(ctx, plain.data() + written, &last);
    benchmark::DoNotOptimize(plain.data());
  }
  EVP_CIPHER_CTX_free(ctx);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(Size));
}

BENCHMARK_TEMPLATE(CbcOurs, 240)->Name("AesCbcTelegram240/ours");
BENCHMARK_TEMPLATE(CbcAnchor, 240)->Name("AesCbcTelegram240/anchor");
BENCHMARK_TEMPLATE(CbcOurs, 1 << 20)->Name("AesCbc1MiB/ours");
BENCHMARK_TEMPLATE(CbcAnchor, 1 << 20)->Name("AesCbc1MiB/anchor");

TBytes Hex(std::string_view text) {
  TBytes out;
  for (std::size_t i = 0; i + 1 < text.size(); i += 3)
    out.push_back(static_cast<std::uint8_t>(std::stoi(std::string(text.substr(i, 2)), nullptr, 16)));
  return out;
}

// A wired scan's answers: a heat meter, a gas meter and a water meter with dates and BCD values.
const std::vector<TBytes>& Frames() {
  static const std::vector<TBytes> frames = {
      Hex("68 38 38 68 08 C8 72 09 31 54 03 B4 05 B0 04 C9 10 FF FF 03 22 9A 00 00 05 2E A0 C8 51 46 05 3E "
          "B4 E3 "
          "D7 42 05 5B 90 D3 07 43 05 5F 0E AA E7 41 05 63 9C BC D5 42 04 6D 10 09 05 C5 77 16 "),
      Hex("68 1D 1D 68 08 05 72 78 56 34 12 93 15 33 03 2A 00 00 00 04 13 10 27 00 00 02 5A 2C 01 01 FD 17 "
          "00 87 "
          "16 "),
      Hex("68 3C 3C 68 08 08 72 78 03 49 11 77 04 0E 16 0A 00 00 00 0C 78 78 03 49 11 04 13 31 D4 00 00 42 "
          "6C 00 "
          "00 44 13 00 00 00 00 04 6D 0B 0B CD 13 02 27 00 00 09 FD 0E 02 09 FD 0F 06 0F 00 01 75 13 D3 16 "),
  };
  return frames;
}

void MBusDecodeLongFrames(benchmark::State& state) {
  const auto& frames = Frames();
  for (const TBytes& frame : frames)
    if (!Long_Frame_Valid(frame)) state.SkipWithError("bad sample frame");
  for (auto _ : state) {
    TWiredSlaveList list;
    for (int i = 0; i < 10000; ++i) {
      bool noFurtherFrame;
      Add_Wired_Slave(frames[static_cast<std::size_t>(i) % frames.size()], -1, list, noFurtherFrame);
    }
    benchmark::DoNotOptimize(list.Count());
  }
  state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(MBusDecodeLongFrames)->Unit(benchmark::kMillisecond);

} // namespace
