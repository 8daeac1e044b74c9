#include "app/CodeTables.h"

#include "platform/SysUtils.h"

#include <array>
#include <cstdio>

namespace {

constexpr std::array<std::string_view, 15> DataTypeNames{
    "Boolean", "Int8",  "UInt8",  "Int16",  "UInt16",   "Int32", "UInt32",    "Int64",
    "UInt64",  "Float", "Double", "String", "DateTime", "Guid",  "ByteString"};

constexpr std::array<std::string_view, 6> SecPolicyNames{"None",
                                                         "Basic 128 RSA 15",
                                                         "Basic 256",
                                                         "Basic 256 SHA 256",
                                                         "AES 128 SHA 256 RSA OAEP",
                                                         "AES 256 SHA 256 RSA PSS"};

} // namespace

std::string OPC_UA_IdType_To_Str(int Code) {
  switch (Code) {
  case 0:
    return "Numeric";
  case 3:
    return "String";
  case 4:
    return "Guid";
  case 5:
    return "ByteString";
  default:
    return {};
  }
}

int Str_To_OPC_UA_IdType(std::string_view Text) {
  if (SameText(Text, "STRING")) return 3;
  if (SameText(Text, "GUID")) return 4;
  if (SameText(Text, "BYTESTRING")) return 5;
  return 0;
}

std::string OPC_UA_DataType_To_Str(int Code) {
  if (Code < 0 || Code >= static_cast<int>(DataTypeNames.size())) return {};
  return std::string(DataTypeNames[static_cast<std::size_t>(Code)]);
}

std::string OPC_UA_Auth_To_Str(int Code) {
  if (Code == 0) return "Anonymous";
  if (Code == 1) return "Username and Password";
  return "Certificate";
}

int Str_To_OPC_UA_Auth(std::string_view Text) {
  if (Text == "Anonymous") return 0;
  if (Text == "Username and Password") return 1;
  return 2;
}

std::string OPC_UA_SecType_To_Str(int Code) {
  if (Code == 0) return "None";
  if (Code == 1) return "Sign";
  return "Sign and Encrypt";
}

int Str_To_OPC_UA_SecType(std::string_view Text) {
  if (Text == "None") return 0;
  if (Text == "Sign") return 1;
  return 2;
}

std::string OPC_UA_SecPolicy_To_Str(int Code) {
  const std::size_t last = SecPolicyNames.size() - 1;
  const std::size_t index =
      Code >= 0 && static_cast<std::size_t>(Code) < last ? static_cast<std::size_t>(Code) : last;
  return std::string(SecPolicyNames[index]);
}

int Str_To_OPC_UA_SecPolicy(std::string_view Text) {
  for (std::size_t i = 0; i + 1 < SecPolicyNames.size(); ++i)
    if (Text == SecPolicyNames[i]) return static_cast<int>(i);
  return static_cast<int>(SecPolicyNames.size() - 1);
}

std::string OPC_UA_NodeId_To_Str(const opcua_structure& Var) {
  switch (Var.identifierType) {
  case 0:
    return std::to_string(Var.numeric);
  case 3:
    return Var.stringname ? std::string(Var.stringname) : std::string();
  case 4: {
    const auto& g = Var.guide4;
    char text[40];
    std::snprintf(text, sizeof text, "%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X",
                  static_cast<unsigned>(Var.guide1), static_cast<unsigned>(Var.guide2),
                  static_cast<unsigned>(Var.guide3), g[0], g[1], g[2], g[3], g[4], g[5], g[6], g[7]);
    return text;
  }
  case 5:
    return Var.byteString ? std::string(Var.byteString) : std::string();
  default:
    return {};
  }
}
