// Validators and version strings: any text gets an answer; an address that passes is made of
// what it says.
#include "app/Validators.h"
#include "app/UVersionCheck.h"
#include "support/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(AsText(data, size));
  std::string a, b, c, d;
  Split_IP_Address(text, a, b, c, d);
  std::uint8_t b1 = 0, b2 = 0, b3 = 0, b4 = 0;
  if (!IP_Text_To_Bytes(text, b1, b2, b3, b4)) { // true means an error
    const std::string again =
        std::to_string(b1) + "." + std::to_string(b2) + "." + std::to_string(b3) + "." + std::to_string(b4);
    std::uint8_t c1 = 0, c2 = 0, c3 = 0, c4 = 0;
    FuzzCheck(!IP_Text_To_Bytes(again, c1, c2, c3, c4) && c1 == b1 && c2 == b2 && c3 == b3 && c4 == b4,
              "an address read reads again from its numbers", text);
  }
  std::uint16_t port = 0;
  Split_IP_Port(text, b1, b2, b3, b4, port);
  Check_KNX_Address(text, true, true);
  Check_KNX_Address(text, false, false);
  Is_KNX_Group_Address(text);
  float value = 0;
  Str_To_Float_Sep(text, '.', value);
  Str_To_Float_Sep(text, ',', value);
  Check_SNMP_OID(text);
  SNMP_Security_Level(text);
  Conv_Version(text);
  return 0;
}
