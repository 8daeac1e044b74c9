#include "gateway/LoRaWANSetAccess.h"

#include "app/ShellTexts.h"
#include "app/ULanguage.h"
#include "gateway/IntegerText.h"
#include "gateway/LoRaWANTexts.h"
#include "platform/Files.h"
#include "platform/Format.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <utility>

namespace {

// The attributes of a rule row in the order the file writes them.
template <class TRule, class TText> struct TRuleColumn {
  std::string_view Name;
  TText TRule::*Field;
};

template <class TText>
constexpr TRuleColumn<TBasicUplinkRule<TText>, TText> Uplink_Columns[] = {
    {"Enable", &TBasicUplinkRule<TText>::Enable},     {"StartByte", &TBasicUplinkRule<TText>::StartByte},
    {"NumByte", &TBasicUplinkRule<TText>::NumByte},   {"OnChange", &TBasicUplinkRule<TText>::OnChange},
    {"OnCMD", &TBasicUplinkRule<TText>::OnCMD},       {"OnTimer", &TBasicUplinkRule<TText>::OnTimer},
    {"Time", &TBasicUplinkRule<TText>::Time},         {"FPort", &TBasicUplinkRule<TText>::FPort},
    {"Mnemonic", &TBasicUplinkRule<TText>::Mnemonic},
};

template <class TText>
constexpr TRuleColumn<TBasicDownlinkRule<TText>, TText> Downlink_Columns[] = {
    {"Enable", &TBasicDownlinkRule<TText>::Enable},     {"StartByte", &TBasicDownlinkRule<TText>::StartByte},
    {"NumByte", &TBasicDownlinkRule<TText>::NumByte},   {"FPort", &TBasicDownlinkRule<TText>::FPort},
    {"Mnemonic", &TBasicDownlinkRule<TText>::Mnemonic},
};

template <class TRule, class TText> TRule RuleOf(const TRuleColumn<TRule, TText>&);

// One row as a rule: one pass over its attributes, a missing one keeping the rule's default. The
// columns are a template argument so that every member is reached directly.
template <const auto& Columns, std::size_t... K>
auto ReadRuleColumns(const TXmlNode& row, std::index_sequence<K...>) {
  static constexpr std::array<std::string_view, sizeof...(K)> names{Columns[K].Name...};
  decltype(RuleOf(Columns[0])) rule;
  std::array<std::string_view, sizeof...(K)> values{std::string_view(rule.*(Columns[K].Field))...};
  row.AttributeValues(names, values);
  ((rule.*(Columns[K].Field) = values[K]), ...);
  return rule;
}

template <const auto& Columns> auto ReadRule(const TXmlNode& row) {
  return ReadRuleColumns<Columns>(row, std::make_index_sequence<std::size(Columns)>{});
}

// Every element below the section is a row, whatever its name.
template <const auto& Columns, class TRule>
void ReadRules(const TXmlNode& section, std::vector<TRule>& rules) {
  for (TXmlNode row = section.FirstChildElement(); row; row = row.NextSiblingElement())
    rules.push_back(ReadRule<Columns>(row));
}

// Rows up to the first one whose start byte is blank.
template <class TRule, std::size_t N>
void WriteRules(TXmlNode section, const TRuleColumn<TRule, std::string> (&columns)[N],
                const std::vector<TRule>& rules, std::size_t count) {
  for (std::size_t i = 0; i < count && !IsBlank(rules[i].StartByte); ++i) {
    TXmlNode row = section.AddChild("row");
    for (const TRuleColumn<TRule, std::string>& column : columns)
      row.SetAttribute(column.Name, rules[i].*column.Field);
  }
}

std::string RowMessage(int row, int textNumber) {
  return Lang_Text(Txt_LoRa_Error_Row) + std::to_string(row) + Lang_Text(textNumber);
}

TGatewayResult RowFailure(int row, int textNumber) {
  return TGatewayResult::Failure(RowMessage(row, textNumber), textNumber);
}

// Two bytes of the payload are the device's own; the bound is taken in 64 bits so that a payload
// size near the lowest integer cannot wrap round to a large one.
std::int64_t NumByteLimit(int maxPayloadSize) {
  return std::int64_t{maxPayloadSize} - 2;
}

bool IsNumByteInRange(std::string_view numByte, int maxPayloadSize) {
  const std::optional<std::int32_t> value = TryStrToInt(numByte);
  return value && *value >= 0 && *value <= NumByteLimit(maxPayloadSize);
}

TGatewayResult NumByteFailure(int row, int textNumber, int maxPayloadSize) {
  return TGatewayResult::Failure(RowMessage(row, textNumber) + std::to_string(NumByteLimit(maxPayloadSize)),
                                 textNumber);
}

// The time is checked whenever the device could take the rule as timed: the image sets the timer
// bit for "y" as well, and the grid's own "Y" may come with blanks from a file.
bool Is_Timer_Rule(std::string_view onTimer) {
  return SameText(Trim(onTimer), "Y");
}

std::size_t RowsToUse(std::size_t rows, bool fportFixed) {
  return std::min(rows, static_cast<std::size_t>(LoRaWAN_Capacity(fportFixed)));
}

} // namespace

int LoRaWAN_Capacity(bool fportFixed) {
  return fportFixed ? LoRaWAN_Table_Slots : LoRaWAN_Variable_FPort_Rules;
}

bool Is_LoRaWAN_Rule_Enabled(std::string_view enable) {
  // The rule tables' own "Y" and "N" are answered without trimming.
  if (enable.size() == 1) return enable[0] == 'Y' || enable[0] == 'y';
  return SameText(Trim(enable), "Y");
}

bool Is_FPort_Variable(std::string_view text) {
  return SameText(Trim(text), "VARIABLE");
}

TLoRaWANParGenSettings Read_LoRaWAN_ParGen_Settings(const std::string& parGenPath) {
  TLoRaWANParGenSettings settings;
  TXmlFile file = Load_Xml_File(parGenPath);
  settings.State = file.State;
  settings.Error = file.Error;
  if (file.State == TXmlFileState::Unreadable)
    settings.Message = Format(Lang_Text(Txt_LoRa_ParGen_Read_Error), {file.Error});
  if (file.State != TXmlFileState::Loaded) return settings;
  settings.MaxPayloadSize = StrToIntDef(file.Root.ChildText("LoRa_Payload_Size"), 0);
  if (TXmlNode fport = file.Root.Child("LoRa_FPort")) settings.FPortFixed = !Is_FPort_Variable(fport.Text());
  return settings;
}

namespace {

std::string MissingSection(const TXmlNode& uplink) {
  return std::string("the element ") + (uplink ? "LoRaWAN_Downlink" : "LoRaWAN_Uplink") + " is missing";
}

template <class TText>
bool RulesFromRoot(const TXmlNode& root, TBasicLoRaWANSetAccess<TText>& rules, std::string& error) {
  rules = {};
  TXmlNode uplink = root.Child("LoRaWAN_Uplink");
  TXmlNode downlink = root.Child("LoRaWAN_Downlink");
  if (!uplink || !downlink) {
    error = MissingSection(uplink);
    return false;
  }
  ReadRules<Uplink_Columns<TText>>(uplink, rules.Uplink);
  ReadRules<Downlink_Columns<TText>>(downlink, rules.Downlink);
  return true;
}

// The file loaded and its rows read into `rules`; State, Error and `file` as Load_Xml_File gives
// them, a root without both sections making the file unreadable.
template <class TText>
TXmlFileState LoadRules(const std::string& path, TXmlFile& file, TBasicLoRaWANSetAccess<TText>& rules,
                        std::string& error) {
  file = Load_Xml_File(path);
  error = file.Error;
  if (file.State == TXmlFileState::Loaded && !RulesFromRoot(file.Root, rules, error)) {
    error = ExtractFileName(path) + ": " + error;
    return TXmlFileState::Unreadable;
  }
  return file.State;
}

} // namespace

bool LoRaWAN_From_Root(const TXmlNode& root, TLoRaWANSetAccess& rules, std::string& error) {
  return RulesFromRoot(root, rules, error);
}

TLoRaWANViewFile Open_LoRaWAN_SetAccess(const std::string& path) {
  TLoRaWANViewFile open;
  open.File = Load_Xml_File(path);
  open.State = open.File.State;
  open.Error = open.File.Error;
  if (open.State != TXmlFileState::Loaded) return open;
  open.Uplink = open.File.Root.Child("LoRaWAN_Uplink");
  open.Downlink = open.File.Root.Child("LoRaWAN_Downlink");
  if (!open.Uplink || !open.Downlink) {
    open.State = TXmlFileState::Unreadable;
    open.Error = ExtractFileName(path) + ": " + MissingSection(open.Uplink);
  }
  return open;
}

TUplinkRuleView Read_Uplink_Rule(const TXmlNode& row) {
  return ReadRule<Uplink_Columns<std::string_view>>(row);
}

TDownlinkRuleView Read_Downlink_Rule(const TXmlNode& row) {
  return ReadRule<Downlink_Columns<std::string_view>>(row);
}

void LoRaWAN_To_Document(const TLoRaWANSetAccess& rules, bool fportFixed, TXmlDocument& doc) {
  TXmlNode root = doc.CreateRoot("LoRaWAN_Set_Access");
  doc.AddCommentAfterRoot("SW_VERSION = 1.000");
  WriteRules(root.AddChild("LoRaWAN_Uplink"), Uplink_Columns<std::string>, rules.Uplink,
             RowsToUse(rules.Uplink.size(), fportFixed));
  WriteRules(root.AddChild("LoRaWAN_Downlink"), Downlink_Columns<std::string>, rules.Downlink,
             RowsToUse(rules.Downlink.size(), fportFixed));
}

TLoRaWANLoad Load_LoRaWAN_SetAccess(const std::string& path) {
  TLoRaWANLoad load;
  TXmlFile file;
  load.State = LoadRules(path, file, load.Rules, load.Error);
  if (load.State == TXmlFileState::Unreadable)
    load.Message = Format(Lang_Text(Txt_LoRa_Read_Error), {load.Error});
  return load;
}

TGatewayResult Save_LoRaWAN_SetAccess(const std::string& path, const TLoRaWANSetAccess& rules,
                                      bool fportFixed) {
  TXmlDocument doc;
  LoRaWAN_To_Document(rules, fportFixed, doc);
  std::string error;
  if (!doc.SaveToFile(path, &error))
    return TGatewayResult::Failure(Format(Lang_Text(Txt_LoRa_Save_Error), {error}), Txt_LoRa_Save_Error);
  return TGatewayResult::Success();
}

TGatewayResult Check_LoRaWAN_Rules(const TLoRaWANSetAccess& rules, int maxPayloadSize, bool fportFixed) {
  for (std::size_t i = 0; i < RowsToUse(rules.Uplink.size(), fportFixed); ++i) {
    const TLoRaUplinkRule& r = rules.Uplink[i];
    const int row = static_cast<int>(i) + 1;
    if (IsBlank(r.StartByte)) break;
    if (!Is_LoRaWAN_Rule_Enabled(r.Enable)) continue;
    if (!IsIntInRange(r.StartByte, 0, 1536)) return RowFailure(row, Txt_LoRa_Up_StartByte);
    if (!IsNumByteInRange(r.NumByte, maxPayloadSize))
      return NumByteFailure(row, Txt_LoRa_Up_NumByte, maxPayloadSize);
    if (Is_Timer_Rule(r.OnTimer) && !IsIntInRange(r.Time, 30, 86400))
      return RowFailure(row, Txt_LoRa_Up_Time);
    if (!fportFixed && !IsIntInRange(r.FPort, 1, 223)) return RowFailure(row, Txt_LoRa_Up_FPort);
  }
  for (std::size_t i = 0; i < RowsToUse(rules.Downlink.size(), fportFixed); ++i) {
    const TLoRaDownlinkRule& r = rules.Downlink[i];
    const int row = static_cast<int>(i) + 1;
    if (IsBlank(r.StartByte)) break;
    if (!Is_LoRaWAN_Rule_Enabled(r.Enable)) continue;
    if (!IsIntInRange(r.StartByte, 0, 1536)) return RowFailure(row, Txt_LoRa_Down_StartByte);
    if (!IsNumByteInRange(r.NumByte, maxPayloadSize))
      return NumByteFailure(row, Txt_LoRa_Down_NumByte, maxPayloadSize);
    if (!fportFixed && !IsIntInRange(r.FPort, 1, 223)) return RowFailure(row, Txt_LoRa_Down_FPort);
  }
  return TGatewayResult::Success();
}

TGatewayResult Check_Config_LoraWAN(const std::string& parGenPath, const std::string& setAccessPath) {
  TLoRaWANParGenSettings settings = Read_LoRaWAN_ParGen_Settings(parGenPath);
  if (settings.State == TXmlFileState::Unreadable)
    return TGatewayResult::Failure(Text_Configuration_Unreadable, {settings.Error});
  TLoRaWANLoad load = Load_LoRaWAN_SetAccess(setAccessPath);
  if (load.State == TXmlFileState::Missing) return TGatewayResult::Success();
  if (load.State == TXmlFileState::Unreadable)
    return TGatewayResult::Failure(Text_Configuration_Unreadable, {load.Error});
  for (const TLoRaUplinkRule& r : load.Rules.Uplink) {
    if (!Is_LoRaWAN_Rule_Enabled(r.Enable)) continue;
    if (!IsNumByteInRange(r.NumByte, settings.MaxPayloadSize))
      return TGatewayResult::Failure(Text_Config_NumByte_Error, {});
  }
  return TGatewayResult::Success();
}
