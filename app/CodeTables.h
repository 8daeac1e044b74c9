// Translations between the codes stored in the OPC UA table files and the words the drop-down lists
// show.
#pragma once

#include "app/OpcUaStructure.h"

#include <string>
#include <string_view>

// 0 "Numeric", 3 "String", 4 "Guid", 5 "ByteString"; other codes the empty text.
std::string OPC_UA_IdType_To_Str(int Code);
// Any case; an unknown text gives 0 (numeric).
int Str_To_OPC_UA_IdType(std::string_view Text);

// 0 "Boolean" .. 14 "ByteString"; other codes the empty text.
std::string OPC_UA_DataType_To_Str(int Code);

// 0 "Anonymous", 1 "Username and Password", any other "Certificate". The reverse compares exactly.
std::string OPC_UA_Auth_To_Str(int Code);
int Str_To_OPC_UA_Auth(std::string_view Text);

// 0 "None", 1 "Sign", any other "Sign and Encrypt". The reverse compares exactly.
std::string OPC_UA_SecType_To_Str(int Code);
int Str_To_OPC_UA_SecType(std::string_view Text);

// 0 "None" .. 4 "AES 128 SHA 256 RSA OAEP", any other "AES 256 SHA 256 RSA PSS". The reverse compares
// exactly; an unknown text gives 5.
std::string OPC_UA_SecPolicy_To_Str(int Code);
int Str_To_OPC_UA_SecPolicy(std::string_view Text);

// The NodeId of a discovered variable as text: the number, the string, the Guid in the 8-4-4-4-12
// form with capital digits, or the byte string; an unknown kind (or a missing text) is empty.
std::string OPC_UA_NodeId_To_Str(const opcua_structure& Var);
