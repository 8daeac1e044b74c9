// One variable of an OPC UA server as the discovery library hands it back.
#pragma once

#include <array>
#include <cstdint>

struct opcua_structure {
  std::uint16_t nameSpaceIndex = 0;
  std::uint16_t identifierType = 0; // 0 numeric, 3 string, 4 Guid, 5 ByteString
  std::uint32_t numeric = 0;
  const char* stringname = nullptr; // zero-terminated; owned by the library
  std::uint32_t stringLength = 0;
  std::uint32_t guide1 = 0;
  std::uint16_t guide2 = 0;
  std::uint16_t guide3 = 0;
  std::array<std::uint8_t, 8> guide4{};
  const char* byteString = nullptr;
  std::uint32_t byteStringLength = 0;
  const char* displayName = nullptr;
  std::uint32_t displayNameLength = 0;
  std::int32_t dataType = 0;    // 0 .. 14, see OPC_UA_DataType_To_Str
  std::uint8_t accessLevel = 0; // bit 0 readable, bit 1 writable
  std::array<std::uint8_t, 3> spare{};
};
