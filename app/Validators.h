// Checks of what the user typed into a grid cell or a box. They answer and never show anything:
// the calling window turns the answer into its own message.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Splits a dotted IPv4 address into its four trimmed part texts. True when all four are whole
// numbers 0..255. When a dot is missing the answer is false and only the parts found so far are
// set (the others become empty).
bool Split_IP_Address(std::string_view Text, std::string& A, std::string& B, std::string& C, std::string& D);

// Reads a dotted IPv4 address into bytes. Returns true on an ERROR: an empty text (nothing set) or a
// part that is not a whole number 0..255 (that byte becomes 0). Parts are not trimmed.
bool IP_Text_To_Bytes(std::string_view Text, std::uint8_t& B1, std::uint8_t& B2, std::uint8_t& B3,
                      std::uint8_t& B4);

// Reads "a.b.c.d:port". True when valid; the outputs are all 0 unless the whole text is valid.
bool Split_IP_Port(std::string_view Text, std::uint8_t& B1, std::uint8_t& B2, std::uint8_t& B3,
                   std::uint8_t& B4, std::uint16_t& Port);

// 0 when Text is a valid KNX address, 1 when not. Individual addresses are area.line.device or a
// number 1..65535; group addresses main/sub, main/middle/sub or a number 1..65535.
int Check_KNX_Address(std::string_view Text, bool IsGroup, bool AllowZero);
// True when Text holds no "." (so it can only be a group address).
bool Is_KNX_Group_Address(std::string_view Text);

// The decimal separator of the user's regional settings: ',' or '.'; anything else gives ','.
char Get_Decimal_Separator();
// Converts a decimal number written with either separator: Separator '.' turns every ',' into '.',
// any other Separator turns every '.' into ','. On failure Value is 1.0 and the answer false.
bool Str_To_Float_Sep(std::string_view Text, char Separator, float& Value);

// 0 when OID is a valid SNMP object identifier, otherwise the first failing rule:
enum : int {
  oidTooLong = 1,    // more than 128 characters
  oidBadChar = 2,    // a character other than a digit or '.', or an empty text
  oidLeadingDot = 3, // begins with '.'
  oidTrailingDot = 4,
  oidDoubleDot = 5,
  oidArcTooLarge = 6, // an arc above 4294967295 or longer than 10 digits
};
int Check_SNMP_OID(std::string_view OID);

// "AUTH NOPRIV" 1, "AUTH PRIV" 3, empty -1, anything else 0 (trimmed, any case).
int SNMP_Security_Level(std::string_view Text);
