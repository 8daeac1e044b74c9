// What the scan engine says to the gateway: the mode-switch texts and their answers, the M-Bus line
// set-up request, answer matching and the time-outs of each kind of request.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace Gateway_Text {
constexpr std::string_view Enable_Analyzer = "Ormida_Enable_Analyzer_Mode";
constexpr std::string_view Analyzer_Enabled = "\n\rAnalyzer_Mode Enabled!\n\r";
constexpr std::string_view Disable_Analyzer = "Ormida_Disable_Analyzer_Mode";
constexpr std::string_view Analyzer_Disabled = "\n\rAnalyzer_Mode Disabled!\n\r";
constexpr std::string_view Setup_Done = "\n\rDone!";
constexpr std::string_view Enable_Configuration = "Ormida_Enable_Configuration_Mode";
constexpr std::string_view Configuration_Enabled = "\n\rConfiguration_Mode Enabled!\n\r";
constexpr std::string_view Type_Radio_Module = "Ormida_Type_Radio_Module";
constexpr std::string_view Telit = "\n\rTELIT\n\r";
constexpr std::string_view RadioCrafts = "\n\rRADIOCRAFTS\n\r";
constexpr std::string_view Disable_Configuration = "Ormida_Disable_Configuration_Mode";
constexpr std::string_view Configuration_Disabled = "\n\rConfiguration_Mode Disabled!\n\r";
constexpr std::string_view Telit_OK = "OK\r";
} // namespace Gateway_Text

constexpr std::uint16_t Gateway_Wired_Port = 10000;
constexpr std::int64_t MBus_Reply_Allowance = 400;
constexpr std::int64_t Remote_Scan_Extra = 10000;

// "Ormida_S_M:", the baud rate most significant byte first, ",", the parity code (none 0, even 2, odd 1).
std::vector<std::uint8_t> Build_Serial_Setup(std::int32_t baudrate, std::int32_t parity);

// The answer's bytes are exactly the text: same length, same characters.
bool Answer_Is(std::span<const std::uint8_t> answer, std::string_view text);

// Time-outs in ms; `extra` is Remote_Scan_Extra with the remote-scan option, else 0.
inline std::int64_t TimeOut_Text(std::int64_t extra) {
  return 1000 + extra;
}
inline std::int64_t TimeOut_Short(std::int32_t baudrate, std::int64_t extra) {
  return 330000 / baudrate + MBus_Reply_Allowance + 50 + extra;
}
inline std::int64_t TimeOut_Long(std::int32_t baudrate, std::int64_t extra) {
  return 3245000 / baudrate + MBus_Reply_Allowance + 50 + extra;
}
// The program clock counts 64-bit milliseconds, so a wait never sees the counter wrap.
inline bool Timed_Out(std::int64_t now, std::int64_t startSend, std::int64_t timeout) {
  return now > startSend + timeout;
}

// The RadioCrafts module's configuration block for a wireless M-Bus mode code (1 S, 5 T, 15 N1,
// 17 N2, 11 C).
std::vector<std::uint8_t> Build_RadioCrafts_Config(std::int32_t wMBusMode);
