// The checks the scan dialogs run on OK: the wireless key, the start register of an appended
// save, and the per-node start addresses. Each answers the message to show, or nothing.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The key box turns letters to upper case as they are typed.
std::string Key_As_Typed(std::string_view text);
std::optional<std::string> Check_Wireless_Key(std::string_view key);

// On success `value` holds the register (1 to 65535).
std::optional<std::string> Check_Start_Modbus(std::string_view text, int& value);

// Column 1 of the per-node grid, data row 1 first; the first failing row is named.
std::optional<std::string> Check_Start_Add_Rows(const std::vector<std::string>& cells);
// The start register of each row as the save reads it: empty or no number counts 1.
std::vector<int> Start_Add_Of_Rows(const std::vector<std::string>& cells);
