// The M-Bus link-layer requests of the wired scan and the tests its answers must pass.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

using TFrameBytes = std::vector<std::uint8_t>;

constexpr std::uint8_t MBus_Address_Selected = 0xFD; // the slave selected by secondary address
constexpr std::uint8_t MBus_Address_Broadcast = 0xFF;

// The C field settings of a scan: a fixed C field, and which one (0: 0x5B and 0x53, else 0x7B and 0x73).
struct TCFieldChoice {
  bool Fix_C_Field = false;
  std::uint8_t Fix_C_Field_Value = 0;
};

TFrameBytes Build_SND_NKE(std::uint8_t address);
// Without a fixed C field the frame-count bit alternates: frame 0 carries 0x7B, frame 1 0x5B ...
TFrameBytes Build_REQ_UD2(std::uint8_t address, int frameNumber, TCFieldChoice c);
TFrameBytes Build_App_Reset(std::uint8_t address, TCFieldChoice c);
// Digits most significant first; a negative digit is the wildcard nibble F.
TFrameBytes Build_Select_Secondary(const std::array<int, 8>& digits, TCFieldChoice c);

// Exactly the one byte E5.
bool Is_Ack(std::span<const std::uint8_t> answer);
// Exactly "NO_SLAVE" followed by 0A 0D.
bool Is_No_Slave(std::span<const std::uint8_t> answer);
// Longer than 21 bytes, 68 L L 68, stop byte 16 and the checksum over offset 4 up to the
// third-last byte; the L field is not compared with the length.
bool Is_Valid_Long_Frame(std::span<const std::uint8_t> answer);
