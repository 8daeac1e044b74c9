// The LoRaWAN uplink and downlink rules of a configuration and their file LoRaWAN_SetAccess.xml.
#pragma once

#include "gateway/GatewayResult.h"
#include "gateway/XmlFile.h"

#include <string>
#include <string_view>
#include <vector>

// One rule as the editor's grid holds it: every value is the cell text as typed. The member
// defaults are those of an attribute missing from the file. The image compiler reads the same
// rows as views into the loaded document (TText = std::string_view) instead of copies.
template <class TText> struct TBasicUplinkRule {
  TText Enable = "Y";
  TText StartByte;
  TText NumByte;
  TText OnChange = "N";
  TText OnCMD = "N";
  TText OnTimer = "N";
  TText Time;
  TText FPort;
  TText Mnemonic;
  bool operator==(const TBasicUplinkRule&) const = default;
};

template <class TText> struct TBasicDownlinkRule {
  TText Enable = "Y";
  TText StartByte;
  TText NumByte;
  TText FPort;
  TText Mnemonic;
  bool operator==(const TBasicDownlinkRule&) const = default;
};

template <class TText> struct TBasicLoRaWANSetAccess {
  std::vector<TBasicUplinkRule<TText>> Uplink;
  std::vector<TBasicDownlinkRule<TText>> Downlink;
  bool operator==(const TBasicLoRaWANSetAccess&) const = default;
};

using TLoRaUplinkRule = TBasicUplinkRule<std::string>;
using TLoRaDownlinkRule = TBasicDownlinkRule<std::string>;
using TLoRaWANSetAccess = TBasicLoRaWANSetAccess<std::string>;
using TLoRaWANSetAccessView = TBasicLoRaWANSetAccess<std::string_view>;

// Rules per table: 256, or 223 when every rule carries its own port.
constexpr int LoRaWAN_Table_Slots = 256;
constexpr int LoRaWAN_Variable_FPort_Rules = 223;
int LoRaWAN_Capacity(bool fportFixed);

// The one rule that decides whether a rule is enabled, for the editor, the update check and the
// image alike: "Y" ignoring blanks around it and letter case (a missing attribute reads as "Y").
bool Is_LoRaWAN_Rule_Enabled(std::string_view enable);

// What the rule editor takes from ParGen.xml: the payload size (0 when missing or no number) and
// the port-field mode.
struct TLoRaWANParGenSettings {
  TXmlFileState State = TXmlFileState::Missing;
  int MaxPayloadSize = 0;
  bool FPortFixed = true;
  std::string Error;   // for an unreadable file
  std::string Message; // what the editor shows for it; it then goes on as without the file
};
TLoRaWANParGenSettings Read_LoRaWAN_ParGen_Settings(const std::string& parGenPath);
bool Is_FPort_Variable(std::string_view text);

// Reads both sections below the root (rows by position, each missing attribute with its
// default). False with a reason when a section is missing; `rules` is then left empty.
bool LoRaWAN_From_Root(const TXmlNode& root, TLoRaWANSetAccess& rules, std::string& error);
// Writes the rows of each section up to the first blank start byte, at most the capacity.
void LoRaWAN_To_Document(const TLoRaWANSetAccess& rules, bool fportFixed, TXmlDocument& doc);

// The rule file opened for the image compiler, which reads the rows one at a time as views into
// the document (kept here) instead of copying them. A loaded file has both sections; a root
// without them makes the file unreadable, as for Load_LoRaWAN_SetAccess.
struct TLoRaWANViewFile {
  TXmlFileState State = TXmlFileState::Missing;
  TXmlFile File;
  TXmlNode Uplink;
  TXmlNode Downlink;
  std::string Error;
};
TLoRaWANViewFile Open_LoRaWAN_SetAccess(const std::string& path);
// One row of a section as views into the document, each missing attribute with its default; every
// element below a section is a row, whatever its name.
using TUplinkRuleView = TBasicUplinkRule<std::string_view>;
using TDownlinkRuleView = TBasicDownlinkRule<std::string_view>;
TUplinkRuleView Read_Uplink_Rule(const TXmlNode& row);
TDownlinkRuleView Read_Downlink_Rule(const TXmlNode& row);

struct TLoRaWANLoad {
  TXmlFileState State = TXmlFileState::Missing;
  TLoRaWANSetAccess Rules; // empty unless the file was read
  std::string Error;       // why an unreadable file could not be used
  std::string Message;     // what the editor shows for it
};
TLoRaWANLoad Load_LoRaWAN_SetAccess(const std::string& path);
TGatewayResult Save_LoRaWAN_SetAccess(const std::string& path, const TLoRaWANSetAccess& rules,
                                      bool fportFixed);

// The editor's check on OK: uplink rows, then downlink rows, each pass up to the first blank
// start byte; disabled rules are not checked. The first failure comes with its message.
TGatewayResult Check_LoRaWAN_Rules(const TLoRaWANSetAccess& rules, int maxPayloadSize, bool fportFixed);

// The update step's gate: every enabled uplink rule's byte count must fit the payload size of
// ParGen.xml (text 30 otherwise). A missing rule file passes; a file that cannot be read fails.
TGatewayResult Check_Config_LoraWAN(const std::string& parGenPath, const std::string& setAccessPath);
