#include "mbus/AesCbc.h"
#include "mbus/AesCmac.h"

#include "MBusTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

template <std::size_t N> std::array<std::uint8_t, N> Array(std::string_view hex) {
  const TBytes bytes = Hex(hex);
  std::array<std::uint8_t, N> out{};
  std::copy_n(bytes.begin(), std::min(N, bytes.size()), out.begin());
  return out;
}

TBytes Of(const AesBlock& b) {
  return TBytes(b.begin(), b.end());
}

const Aes128Key NistKey = Array<16>("2b7e151628aed2a6abf7158809cf4f3c");
const char* const CbcPlain = "6bc1bee22e409f96e93d7e117393172a ae2d8a571e03ac9c9eb76fac45af8e51"
                             "30c81c46a35ce411e5fbc1191a0a52ef f69f2445df4f9b17ad2b417be66c3710";
const char* const CbcCipher = "7649abac8119b246cee98e9b12e9197d 5086cb9b507219ee95db113a917678b2"
                              "73bed6b8e3c1743b7116e69e22229516 3ff1caa1681fac09120eca307586e1a7";
const AesBlock CbcIv = Array<16>("000102030405060708090a0b0c0d0e0f");

// A source that remembers how far it was asked to read.
class TWatchedStream : public TMemoryStream {
public:
  std::int64_t Read(void* buffer, std::int64_t count) override {
    Furthest = std::max(Furthest, Position() + count);
    return TMemoryStream::Read(buffer, count);
  }
  std::int64_t Furthest = 0;
};

// A destination that takes no more than a few bytes.
class TFullStream : public TMemoryStream {
public:
  std::int64_t Write(const void* buffer, std::int64_t count) override {
    const std::int64_t room = std::min<std::int64_t>(count, 20 - Size());
    return room > 0 ? TMemoryStream::Write(buffer, room) : 0;
  }
};

} // namespace

TEST(Aes128, Fips197AppendixC1BothWays) {
  const Aes128Key key = Array<16>("000102030405060708090a0b0c0d0e0f");
  const AesBlock plain = Array<16>("00112233445566778899aabbccddeeff");
  const AesBlock cipher = Array<16>("69c4e0d86a7b0430d8cdb78070b4c55a");
  EXPECT_EQ(Of(Aes128EncryptBlock(plain, Aes128KeySchedule(key))), Of(cipher));
  EXPECT_EQ(Of(Aes128DecryptBlock(cipher, Aes128DecryptSchedule(key))), Of(plain));
}

TEST(Aes128, DecryptScheduleSharesFirstAndLastRoundKeys) {
  const Aes128Schedule enc = Aes128KeySchedule(NistKey);
  const Aes128Schedule dec = Aes128DecryptSchedule(NistKey);
  EXPECT_EQ(enc.W[40], 0xd014f9a8u); // FIPS-197 appendix A.1, last round key
  EXPECT_EQ(enc.W[43], 0xb6630ca6u);
  for (int i : {0, 1, 2, 3, 40, 41, 42, 43})
    EXPECT_EQ(enc.W[i], dec.W[i]) << i;
  EXPECT_NE(enc.W[4], dec.W[4]);
}

TEST(AesCbc, Sp80038aF22Decrypt) {
  TMemoryStream source, plain;
  LoadBytes(source, Hex(CbcCipher));
  CbcDecryptStream(source, 64, NistKey, CbcIv, plain);
  EXPECT_EQ(BytesOf(plain), Hex(CbcPlain));
  EXPECT_EQ(source.Position(), 64);
}

// The processor's instructions and the round tables give the same plaintext and the same chain,
// for every length around the eight-block step of the instruction path.
TEST(AesCbc, InstructionsAndTablesAgree) {
  const Aes128Schedule dec = Aes128DecryptSchedule(NistKey);
  std::uint32_t seed = 12345;
  for (int blocks = 0; blocks <= 25; ++blocks) {
    std::vector<std::uint8_t> data(static_cast<std::size_t>(blocks) * 16);
    for (std::uint8_t& b : data)
      b = static_cast<std::uint8_t>((seed = seed * 1103515245u + 12345u) >> 24);
    std::vector<std::uint8_t> viaTables = data;
    AesBlock chainA = CbcIv, chainB = CbcIv;
    CbcDecryptBlocks(data.data(), static_cast<std::int64_t>(data.size()), dec, chainA);
    CbcDecryptBlocks(viaTables.data(), static_cast<std::int64_t>(viaTables.size()), dec, chainB, true);
    EXPECT_EQ(data, viaTables) << blocks << " blocks";
    EXPECT_EQ(chainA, chainB) << blocks << " blocks";
  }
  // The published vector through the tables alone.
  TBytes cipher = Hex(CbcCipher);
  AesBlock chain = CbcIv;
  CbcDecryptBlocks(cipher.data(), static_cast<std::int64_t>(cipher.size()), dec, chain, true);
  EXPECT_EQ(cipher, Hex(CbcPlain));
}

TEST(AesCbc, CountsAndSources) {
  struct TCase {
    const char* Name;
    TBytes Source;
    std::int64_t StartAt;
    std::int64_t Count;
    const char* Error; // nullptr: no error
    TBytes Expected;
  };
  const TBytes cipher = Hex(CbcCipher), plain = Hex(CbcPlain);
  const TCase cases[] = {
      {"count 0 takes the whole source from its start", cipher, 32, 0, nullptr, plain},
      {"count beyond the source is cut to the rest", cipher, 0, 1000, nullptr, plain},
      {"count not a multiple of 16", cipher, 0, 20, "Invalid buffer size for decryption", {}},
      {"short source leaves a rest of 8",
       TBytes(cipher.begin(), cipher.begin() + 40),
       0,
       48,
       "Invalid buffer size for decryption",
       {}},
      {"empty source", {}, 0, 0, nullptr, {}},
      {"empty source with a count", {}, 0, 32, nullptr, {}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TMemoryStream source, destination;
    LoadBytes(source, c.Source);
    source.SetPosition(c.StartAt);
    if (c.Error) {
      try {
        CbcDecryptStream(source, c.Count, NistKey, CbcIv, destination);
        ADD_FAILURE() << "no error";
      } catch (const EAESError& e) {
        EXPECT_STREQ(e.what(), c.Error);
      }
    } else {
      CbcDecryptStream(source, c.Count, NistKey, CbcIv, destination);
    }
    EXPECT_EQ(BytesOf(destination), c.Expected);
  }
}

TEST(AesCbc, DestinationThatTakesTooLittleReportsAWriteError) {
  TMemoryStream source;
  LoadBytes(source, Hex(CbcCipher));
  TFullStream destination;
  try {
    CbcDecryptStream(source, 64, NistKey, CbcIv, destination);
    ADD_FAILURE() << "no error";
  } catch (const EAESError& e) {
    EXPECT_STREQ(e.what(), "Stream write error");
  }
  const TBytes plain = Hex(CbcPlain);
  EXPECT_EQ(BytesOf(destination), TBytes(plain.begin(), plain.begin() + 20));
}

TEST(AesCmac, Rfc4493Subkeys) {
  const Aes128Schedule s = Aes128KeySchedule(NistKey);
  EXPECT_EQ(Of(Aes128EncryptBlock(AesBlock{}, s)), Hex("7df76b0c1ab899b33e42f047b91b546f"));
  AesBlock k1, k2;
  CmacSubkeys(s, k1, k2);
  EXPECT_EQ(Of(k1), Hex("fbeed618357133667c85e08f7236a8de"));
  EXPECT_EQ(Of(k2), Hex("f7ddac306ae266ccf90bc11ee46d513b"));
}

TEST(AesCmac, Rfc4493TagsReadOnlyTheMessage) {
  struct TCase {
    std::size_t Length;
    const char* Tag;
  };
  const TCase cases[] = {{0, "bb1d6929e95937287fa37d129b756746"},
                         {16, "070a16b46b4d4144f79bdd9dd04a287c"},
                         {40, "dfa66747de9ae63030ca32611497c827"},
                         {64, "51f0bebf7e3b9d92fc49741779363cfe"}};
  const TBytes message = Hex(CbcPlain);
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Length);
    // The stream holds exactly the message: a read past it would be a read past the caller's bytes.
    TWatchedStream source;
    LoadBytes(source, TBytes(message.begin(), message.begin() + static_cast<std::ptrdiff_t>(c.Length)));
    AesBlock tag;
    CmacTag(source, static_cast<std::int64_t>(c.Length), NistKey, tag);
    EXPECT_EQ(Of(tag), Hex(c.Tag));
    EXPECT_LE(source.Furthest, static_cast<std::int64_t>(c.Length));
  }
}

TEST(AesCmac, PadShiftAndXor) {
  const AesBlock block = Array<16>("800102030405060708090a0b0c0d0e0f");
  EXPECT_EQ(Of(CmacPadBlock(block, 3)), Hex("80010280000000000000000000000000"));
  EXPECT_EQ(Of(CmacPadBlock(block, 0)), Hex("80000000000000000000000000000000"));
  EXPECT_EQ(Of(BlockShiftLeft(block)), Hex("0002040608 0a0c0e10 121416181a1c1e"));
  EXPECT_EQ(Of(BlockXor(block, block)), TBytes(16, 0));
}

TEST(AesCbc, WirelessExampleDecryptsToThePlainTelegramData) {
  // The 32 encrypted bytes of the first example telegram, with its vector: address then ACC x 8.
  const TBytes t1 = Hex(telegrams::T1);
  const TBytes encrypted(t1.begin() + 15, t1.end());
  ASSERT_EQ(encrypted.size(), 32u);
  TMemoryStream source, plain;
  LoadBytes(source, encrypted);
  AesBlock iv = Array<16>("93157856341233032A2A2A2A2A2A2A2A");
  CbcDecryptStream(source, 32, Array<16>(telegrams::KeyT1), iv, plain);
  const TBytes t2 = Hex(telegrams::T2);
  EXPECT_EQ(BytesOf(plain), TBytes(t2.begin() + 15, t2.end()));
}
