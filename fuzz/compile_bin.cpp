// Compile_Bin and the update gate from two documents: ParGen.xml and LoRaWAN_SetAccess.xml are
// cut from one input at its first NUL. Whatever they hold, the images are built or refused with a
// reason, and the gate answers.
#include "app/ULanguage.h"
#include "gateway/LoRaWANSetAccess.h"
#include "gateway/SaveBin.h"
#include "support/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (Lang_Texts.empty()) LoadProgramTexts();
  const std::string_view input = AsText(data, size);
  const std::size_t cut = input.find('\0');
  const std::string parGen = WriteFuzzFile("ParGen.xml", input.substr(0, cut));
  const std::string rules = WriteFuzzFile(
      "LoRaWAN_SetAccess.xml", cut == std::string_view::npos ? std::string_view() : input.substr(cut + 1));
  const TCompileResult compiled = Compile_Bin(parGen, rules);
  FuzzCheck(compiled.Ok || !compiled.Message.empty(), "refused images say why");
  const TGatewayResult gate = Check_Config_LoraWAN(parGen, rules);
  FuzzCheck(gate.Ok || !gate.Message.empty(), "a closed gate says why");
  return 0;
}
