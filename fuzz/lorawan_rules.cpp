// The rule file LoRaWAN_SetAccess.xml: any file loads or is reported, the rules get an answer
// from the check, and saved they load back as the rows the file keeps.
#include "app/ULanguage.h"
#include "gateway/LoRaWANSetAccess.h"
#include "platform/SysUtils.h"
#include "support/FuzzSupport.h"

namespace {

template <class TRule> std::vector<TRule> Kept(const std::vector<TRule>& rules, bool fportFixed) {
  std::vector<TRule> kept;
  for (const TRule& r : rules) {
    if (IsBlank(r.StartByte) || static_cast<int>(kept.size()) == LoRaWAN_Capacity(fportFixed)) break;
    kept.push_back(r);
  }
  return kept;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (Lang_Texts.empty()) LoadProgramTexts();
  FuzzedDataProvider in(data, size);
  const int payload = in.ConsumeIntegral<int>();
  const bool fportFixed = in.ConsumeBool();
  const TLoRaWANLoad load =
      Load_LoRaWAN_SetAccess(WriteFuzzFile("rules.xml", in.ConsumeRemainingBytesAsString()));
  if (load.State == TXmlFileState::Unreadable)
    FuzzCheck(!load.Message.empty(), "an unreadable file is reported");
  const TGatewayResult checked = Check_LoRaWAN_Rules(load.Rules, payload, fportFixed);
  FuzzCheck(checked.Ok || !checked.Message.empty(), "a failed check says why");
  const std::string saved = FuzzFolder() + "/rules_saved.xml";
  FuzzCheck(Save_LoRaWAN_SetAccess(saved, load.Rules, fportFixed).Ok, "rules are saved");
  const TLoRaWANLoad back = Load_LoRaWAN_SetAccess(saved);
  FuzzCheck(back.State == TXmlFileState::Loaded, "a saved file loads");
  FuzzCheck(back.Rules.Uplink == Kept(load.Rules.Uplink, fportFixed), "uplink rows survive");
  FuzzCheck(back.Rules.Downlink == Kept(load.Rules.Downlink, fportFixed), "downlink rows survive");
  return 0;
}
