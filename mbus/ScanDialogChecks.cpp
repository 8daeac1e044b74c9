#include "mbus/ScanDialogChecks.h"

#include "app/ULanguage.h"
#include "mbus/ScanTexts.h"
#include "platform/StrToInt.h"

#include <algorithm>
#include <cctype>

namespace {

int Whole_Number(std::string_view text) {
  int value = -1;
  return TryStrToInt(text, value) ? value : -1;
}

} // namespace

std::string Key_As_Typed(std::string_view text) {
  std::string out(text.substr(0, 32));
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return out;
}

std::optional<std::string> Check_Wireless_Key(std::string_view key) {
  if (key.size() != 32) return Lang_Text(Txt_Key_Length);
  const bool hex = std::all_of(key.begin(), key.end(),
                               [](char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); });
  if (!hex) return Lang_Text(Txt_Key_Characters);
  return std::nullopt;
}

std::optional<std::string> Check_Start_Modbus(std::string_view text, int& value) {
  const int n = Whole_Number(text);
  if (n < 1 || n > 65535) return Lang_Text(Txt_Scan_Start_Range);
  value = n;
  return std::nullopt;
}

std::optional<std::string> Check_Start_Add_Rows(const std::vector<std::string>& cells) {
  for (std::size_t r = 0; r < cells.size(); ++r) {
    const std::string row = Lang_Text(Txt_Start_Add_Row) + std::to_string(r + 1);
    if (cells[r].empty()) return row + Lang_Text(Txt_Start_Add_Empty);
    const int n = Whole_Number(cells[r]);
    if (n < 1 || n > 59999) return row + Lang_Text(Txt_Start_Add_Range);
  }
  return std::nullopt;
}

std::vector<int> Start_Add_Of_Rows(const std::vector<std::string>& cells) {
  std::vector<int> out;
  out.reserve(cells.size());
  for (const std::string& cell : cells) {
    int value = 1;
    out.push_back(TryStrToInt(cell, value) ? value : 1);
  }
  return out;
}
