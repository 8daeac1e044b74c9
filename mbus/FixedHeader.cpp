#include "mbus/FixedHeader.h"

std::string Manufacturer_Letter(int code) {
  return code >= 'A' && code <= 'Z' ? std::string(1, static_cast<char>(code)) : std::string("?");
}

std::string Trova_Man(int code) {
  // Largest letter whose weight stays below what is left; a code of 0 or less has none (63).
  const int first = code > 0 ? 64 + (code - 1) / 1024 : 63;
  const int rest = code - (first - 64) * 1024;
  const int second = 64 + (rest - 1) / 32;
  const int third = rest - (second - 64) * 32 + 64;
  return Manufacturer_Letter(first) + Manufacturer_Letter(second) + Manufacturer_Letter(third);
}

std::string Medium_Name(int medium) {
  switch (medium) {
  case 0x01:
    return "Oil";
  case 0x02:
    return "Electricity";
  case 0x03:
    return "Gas";
  case 0x04:
    return "Heat (outlet)";
  case 0x05:
    return "Steam";
  case 0x06:
    return "Hot Water";
  case 0x07:
    return "Water";
  case 0x08:
    return "Heat Cost Allocator.";
  case 0x09:
    return "Compressed Air";
  case 0x0A:
    return "Cooling load meter (outlet)";
  case 0x0B:
    return "Cooling load meter (inlet)";
  case 0x0C:
    return "Heat (inlet) ";
  case 0x0D:
    return "Heat/Cooling load meter";
  case 0x0E:
    return "Bus/System";
  case 0x0F:
    return "Unknown Medium";
  case 0x16:
    return "Cold Water";
  case 0x17:
    return "Dual Water";
  case 0x18:
    return "Pressure";
  case 0x19:
    return "A/D Converter";
  default:
    return "Other";
  }
}
