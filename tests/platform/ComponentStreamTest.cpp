#include "platform/ComponentStream.h"
#include "platform/ColorNames.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TComponentImage Read(const std::string& bytes) {
  TMemoryStream s;
  s.WriteBuffer(bytes);
  s.SetPosition(0);
  return ReadComponentImage(s);
}

std::string Image(std::string_view props) {
  return std::string("TPF0\x01X\x00", 7) + std::string(props) + std::string(2, '\0');
}

} // namespace

TEST(ComponentStream, IntegersTakeTheSmallestTagThatHoldsThem) {
  struct TCase {
    std::int64_t Value;
    std::string Bytes;
  } cases[] = {
      {0, std::string("\x02\x00", 2)},
      {-128, "\x02\x80"},
      {128, std::string("\x03\x80\x00", 3)},
      {-32768, std::string("\x03\x00\x80", 3)},
      {65535, std::string("\x04\xFF\xFF\x00\x00", 5)},
      {70000, std::string("\x04\x70\x11\x01\x00", 5)},
  };
  for (const TCase& c : cases) {
    TComponentWriter w("X");
    w.WriteInteger("I", c.Value);
    const std::string bytes = w.Finish();
    EXPECT_EQ(bytes, Image("\x01I" + c.Bytes)) << c.Value;
    EXPECT_EQ(Read(bytes).Properties.at(0).Value.Int, c.Value);
  }
}

TEST(ComponentStream, StringsTakeTheirTagByContent) {
  struct TCase {
    std::string Text;
    TValueType Tag;
  } cases[] = {
      {"abc", vaString},
      {std::string(256, 'a'), vaLString},
      {"\xC3\xA9t\xC3\xA9", vaUTF8String},     // é t é: 5 bytes for 3 characters
      {"\xE4\xB8\xAD\xE6\x96\x87", vaWString}, // two CJK characters: 6 bytes
      {"\xF0\x9F\x98\x80", vaWString},         // a surrogate pair
  };
  for (const TCase& c : cases) {
    TComponentWriter w("X");
    w.WriteString("S", c.Text);
    const std::string bytes = w.Finish();
    EXPECT_EQ(static_cast<TValueType>(bytes[9]), c.Tag) << c.Text;
    const TStreamValue v = Read(bytes).Properties.at(0).Value;
    EXPECT_EQ(v.Text, c.Text);
    EXPECT_EQ(v.Type, c.Tag);
  }
}

TEST(ComponentStream, ExtendedNumbersRoundTrip) {
  EXPECT_EQ(EncodeExtended(1.0), std::string("\0\0\0\0\0\0\0\x80\xFF\x3F", 10));
  EXPECT_EQ(EncodeExtended(-2.5), std::string("\0\0\0\0\0\0\0\xA0\x00\xC0", 10));
  for (double v : {0.1, -1e300, 5e-324, 12345.678, std::numeric_limits<double>::infinity()}) {
    const std::string e = EncodeExtended(v);
    EXPECT_EQ(DecodeExtended(reinterpret_cast<const unsigned char*>(e.data())), v);
  }
}

TEST(ComponentStream, SetsListsBinaryAndBooleansRoundTrip) {
  TComponentWriter w("TThing");
  w.WriteSet("Style", {"fsBold", "fsItalic"});
  w.WriteStringList("Strings.Strings", {"a", "\xD0\x96"});
  w.WriteBinary("Data", std::string("\0\x01", 2));
  w.WriteBoolean("On", true);
  w.WriteIdent("Kind", "ctBitmap");
  const TComponentImage image = Read(w.Finish());
  EXPECT_EQ(image.ClassName, "TThing");
  ASSERT_EQ(image.Properties.size(), 5u);
  EXPECT_EQ(image.Properties[0].Value.Names, (std::vector<std::string>{"fsBold", "fsItalic"}));
  ASSERT_EQ(image.Properties[1].Value.Items.size(), 2u);
  EXPECT_EQ(image.Properties[1].Value.Items[1].Text, "\xD0\x96");
  EXPECT_EQ(image.Properties[2].Value.Text, std::string("\0\x01", 2));
  EXPECT_EQ(image.Properties[3].Value.Type, vaTrue);
  EXPECT_EQ(image.Properties[4].Value.Text, "ctBitmap");
}

TEST(ComponentStream, HostileImagesAreRefusedAndTheStreamStaysPut) {
  const std::string deep = Image("\x01L" + std::string(100000, '\x01'));
  using namespace std::literals;
  const std::pair<const char*, std::string_view> cases[] = {
      {"no signature", "TPF1\x01X\0\0\0"sv},
      {"unknown tag", "TPF0\x01X\0\x01I\x0E\0\0"sv},
      {"length past the end", "TPF0\x01X\0\x01S\x0C\xFF\xFF\xFF\x7F"sv},
      {"wide count past the end", "TPF0\x01X\0\x01S\x12\x03\0\0\0"
                                  "ab"sv},
      {"truncated", "TPF0\x01X\0\x01I\x03\x01"sv},
      {"no class", "TPF0\0"sv},
      {"owned components", "TPF0\x01X\0\0\x01"sv},
  };
  for (auto [name, bytes] : cases)
    EXPECT_THROW(Read(std::string(bytes)), EReadError) << name;
  EXPECT_THROW(Read(deep), EReadError) << "lists nested 100,000 deep";
}

TEST(ColorIdents, NamedColoursGoByNameOthersByNumber) {
  EXPECT_EQ(ColorToIdent(clWindow), "clWindow");
  EXPECT_EQ(ColorToIdent(clNone), "clNone");
  EXPECT_EQ(ColorToIdent(clRed), "clRed");
  EXPECT_EQ(ColorToIdent(RGB(1, 2, 3)), "");
  TColor c = 0;
  ASSERT_TRUE(IdentToColor("clBtnFace", c));
  EXPECT_EQ(c, clBtnFace);
  EXPECT_FALSE(IdentToColor("clbtnface", c));
}
