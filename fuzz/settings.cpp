// The settings file: whatever it holds, what is loaded is saved and loads back the same.
#include "app/UComon.h"
#include "app/USettings.h"
#include "support/FuzzSupport.h"

namespace {

struct TSettings {
  std::string Project, Address, Language;
  std::int32_t Option;
  bool ReadBack, Internet, Update, Jump, AutoSize;
  bool operator==(const TSettings&) const = default;
};

TSettings Current() {
  return {Project_Name,       Last_IP_Address,       Language_Name,
          Last_Update_Option, Last_Read_Back,        Opt_Enable_Internet,
          Opt_Enable_Update,  Opt_Jump_Field_Tables, Opt_Double_Click_Auto_Size};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Program_Dir = FuzzFolder();
  WriteFuzzFile("Velmaric.xml", AsText(data, size));
  if (!Load_Setting()) return 0;
  const TSettings loaded = Current();
  FuzzCheck(Save_Setting(), "loaded settings are saved");
  FuzzCheck(Load_Setting(), "saved settings load");
  FuzzCheck(Current() == loaded, "save then load keeps the values", Project_Name);
  return 0;
}
