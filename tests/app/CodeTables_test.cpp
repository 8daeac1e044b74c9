#include "app/CodeTables.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

struct TCodeText {
  int Code;
  const char* Text;
};

struct TTable {
  const char* Name;
  std::function<std::string(int)> ToText;
  std::function<int(std::string_view)> ToCode; // empty when there is no reverse
  std::vector<TCodeText> Known;
  const char* OtherCodeText; // what a code outside the table gives
};

std::vector<TTable> Tables() {
  return {
      {"IdType",
       OPC_UA_IdType_To_Str,
       Str_To_OPC_UA_IdType,
       {{0, "Numeric"}, {3, "String"}, {4, "Guid"}, {5, "ByteString"}},
       ""},
      {"DataType",
       OPC_UA_DataType_To_Str,
       nullptr,
       {{0, "Boolean"},
        {1, "Int8"},
        {2, "UInt8"},
        {3, "Int16"},
        {4, "UInt16"},
        {5, "Int32"},
        {6, "UInt32"},
        {7, "Int64"},
        {8, "UInt64"},
        {9, "Float"},
        {10, "Double"},
        {11, "String"},
        {12, "DateTime"},
        {13, "Guid"},
        {14, "ByteString"}},
       ""},
      {"Auth",
       OPC_UA_Auth_To_Str,
       Str_To_OPC_UA_Auth,
       {{0, "Anonymous"}, {1, "Username and Password"}, {2, "Certificate"}},
       "Certificate"},
      {"SecType",
       OPC_UA_SecType_To_Str,
       Str_To_OPC_UA_SecType,
       {{0, "None"}, {1, "Sign"}, {2, "Sign and Encrypt"}},
       "Sign and Encrypt"},
      {"SecPolicy",
       OPC_UA_SecPolicy_To_Str,
       Str_To_OPC_UA_SecPolicy,
       {{0, "None"},
        {1, "Basic 128 RSA 15"},
        {2, "Basic 256"},
        {3, "Basic 256 SHA 256"},
        {4, "AES 128 SHA 256 RSA OAEP"},
        {5, "AES 256 SHA 256 RSA PSS"}},
       "AES 256 SHA 256 RSA PSS"},
  };
}

TEST(CodeTables, EveryCodeHasItsTextAndBack) {
  for (const TTable& table : Tables()) {
    for (const TCodeText& entry : table.Known) {
      EXPECT_EQ(table.ToText(entry.Code), entry.Text) << table.Name << " " << entry.Code;
      if (table.ToCode) {
        EXPECT_EQ(table.ToCode(entry.Text), entry.Code) << table.Name << " " << entry.Text;
      }
    }
    for (int other : {-1, 15, 1000})
      EXPECT_EQ(table.ToText(other), table.OtherCodeText) << table.Name << " " << other;
  }
}

TEST(CodeTables, UnknownAndMiscasedTexts) {
  const struct {
    const char* Name;
    std::function<int(std::string_view)> ToCode;
    const char* Text;
    int Expected;
  } cases[] = {
      {"IdType", Str_To_OPC_UA_IdType, "guid", 4},
      {"IdType", Str_To_OPC_UA_IdType, "bYtEsTrInG", 5},
      {"IdType", Str_To_OPC_UA_IdType, "Opaque", 0},
      {"IdType", Str_To_OPC_UA_IdType, "", 0},
      {"Auth", Str_To_OPC_UA_Auth, "anonymous", 2},
      {"Auth", Str_To_OPC_UA_Auth, "", 2},
      {"SecType", Str_To_OPC_UA_SecType, "sign", 2},
      {"SecType", Str_To_OPC_UA_SecType, "None ", 2},
      {"SecPolicy", Str_To_OPC_UA_SecPolicy, "basic 256", 5},
      {"SecPolicy", Str_To_OPC_UA_SecPolicy, "", 5},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.ToCode(c.Text), c.Expected) << c.Name << " '" << c.Text << "'";
}

TEST(CodeTables, NodeIdAsText) {
  const char name[] = "Temperature.Boiler 1";
  const char bytes[] = "AQID";
  opcua_structure numeric;
  numeric.identifierType = 0;
  numeric.numeric = 4294967295u;
  opcua_structure text;
  text.identifierType = 3;
  text.stringname = name;
  opcua_structure guid;
  guid.identifierType = 4;
  guid.guide1 = 0x0a1b2c3d;
  guid.guide2 = 0x00ef;
  guid.guide3 = 0xabcd;
  guid.guide4 = {0x01, 0x02, 0xa3, 0xb4, 0xc5, 0xd6, 0xe7, 0xff};
  opcua_structure byteString;
  byteString.identifierType = 5;
  byteString.byteString = bytes;
  byteString.stringname = name; // not the one that counts
  opcua_structure missingText;
  missingText.identifierType = 3;
  opcua_structure opaque;
  opaque.identifierType = 1;
  opaque.stringname = name;

  const struct {
    const opcua_structure& Var;
    const char* Expected;
  } cases[] = {
      {numeric, "4294967295"}, {text, name},      {guid, "0A1B2C3D-00EF-ABCD-0102-A3B4C5D6E7FF"},
      {byteString, bytes},     {missingText, ""}, {opaque, ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(OPC_UA_NodeId_To_Str(c.Var), c.Expected) << c.Var.identifierType;
}

} // namespace
