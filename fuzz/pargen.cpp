// ParGen.xml: any file loads or is reported; the values loaded pass or fail the checks, and saved
// they load back the same.
#include "app/ULanguage.h"
#include "gateway/ParGenChecks.h"
#include "gateway/ParGenFile.h"
#include "support/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (Lang_Texts.empty()) LoadProgramTexts();
  const TParGenLoad load = Load_ParGen(WriteFuzzFile("ParGen.xml", AsText(data, size)));
  if (load.State == TXmlFileState::Unreadable)
    FuzzCheck(!load.Message.empty(), "an unreadable file is reported");
  Check_ParGen_Values(load.Values);
  const std::string saved = FuzzFolder() + "/ParGen_saved.xml";
  FuzzCheck(Save_ParGen(saved, load.Values).Ok, "values are saved");
  const TParGenLoad back = Load_ParGen(saved);
  FuzzCheck(back.State == TXmlFileState::Loaded, "a saved file loads");
  FuzzCheck(back.Values == load.Values, "save then load keeps the values", load.Values.Eth_Conn_Device_Name);
  return 0;
}
