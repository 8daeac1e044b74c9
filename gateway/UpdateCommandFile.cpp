#include "gateway/UpdateCommandFile.h"

#include "app/UComon.h"
#include "gateway/BootTexts.h"
#include "gateway/SaveBin.h"
#include "platform/Files.h"

namespace {

enum class TOperation { Firmware, ParameterImage, LoRaWANImage };

void AddOperation(TXmlNode operations, TOperation kind, const TUpdateCommand& c, bool last) {
  const bool firmware = kind == TOperation::Firmware;
  std::string file, start;
  switch (kind) {
  case TOperation::Firmware:
    file = Firmware_Path(c);
    start = "0x8000";
    break;
  case TOperation::ParameterImage:
    file = Bank1_Path(c.Project_Path);
    start = "0x07000";
    break;
  case TOperation::LoRaWANImage:
    file = Bank2_Path(c.Project_Path);
    start = "0x80000";
    break;
  }
  TXmlNode op = operations.AddChild("Operation");
  op.AddChild("Ope_Protection_Enabled");
  op.AddChild("Ope_GoToBoot_Before", "0");
  op.AddChild("Ope_GoToApp_Before", "0");
  op.AddChild("Ope_IP_Address");
  op.AddChild("Ope_Port", "2008");
  op.AddChild("Ope_Port_Sec", "2007");
  op.AddChild("Ope_Erase_Memory", "0");
  op.AddChild("Ope_FileName", file);
  op.AddChild("Ope_Start_Address", start);
  op.AddChild("Ope_Memory_Type", "0");
  op.AddChild("Ope_Bank_Type", firmware ? "1" : "2");
  op.AddChild("Ope_Read_Back", c.Read_Back ? "1" : "0");
  op.AddChild("Ope_Write_CSS", firmware ? "1" : "0");
  op.AddChild("Ope_Address_CSS", "0x07A00");
  op.AddChild("Ope_Command_CSS", "0x02");
  op.AddChild("Ope_Write_Internal_Data", kind == TOperation::ParameterImage ? "1" : "0");
  op.AddChild("Ope_WID_Address", "0x07810");
  op.AddChild("Ope_WID_Command", "0x02");
  op.AddChild("Ope_WID_Data", "0x00, 0x00, 0x00, 0x01");
  // The device returns to its application after the last write only.
  op.AddChild("Ope_GoToApp_After", last ? "1" : "0");
}

} // namespace

bool Updates_Firmware(int updateOption) {
  return updateOption == 0 || updateOption == 1;
}

std::string Firmware_Path(const TUpdateCommand& command) {
  return JoinPath(command.Master_Dir, Build_Firmware_File);
}

void Build_Update_Command(const TUpdateCommand& c, TXmlDocument& doc) {
  TXmlNode root = doc.CreateRoot("Ethernet_Update");
  root.AddChild("Version", "1000");
  root.AddChild("Title", "Ormida - " + c.SW_Code + " Ethernet Update");
  root.AddChild("IP_Address_Dev", c.IP_Address);
  root.AddChild("Application_Port", "10000");
  root.AddChild("Boot_Port", "2008");
  root.AddChild("Boot_Port_Sec", "2007");
  root.AddChild("Address_Protection", "0x07800");
  root.AddChild("Protections").AddChild("Protection", "0x40B");
  TXmlNode operations = root.AddChild("Operations");
  const bool firmware = Updates_Firmware(c.Update_Option);
  const bool configuration = c.Update_Option == 0 || c.Update_Option == 2;
  if (firmware) AddOperation(operations, TOperation::Firmware, c, !configuration);
  if (configuration) {
    AddOperation(operations, TOperation::ParameterImage, c, false);
    AddOperation(operations, TOperation::LoRaWANImage, c, true);
  }
}

std::string Update_Command_Path(const std::string& programDir) {
  return JoinPath(programDir, "Ethernet_Update.xml");
}

TGatewayResult Compile_XML_Parameter_New_Boot(const std::string& programDir, const TUpdateCommand& command) {
  TXmlDocument doc;
  Build_Update_Command(command, doc);
  const std::string path = Update_Command_Path(programDir);
  std::string error;
  if (!doc.SaveToFile(path, &error))
    return TGatewayResult::Failure(Txt_Boot_Command_Not_Written, {"\"" + path + "\"", error});
  return TGatewayResult::Success();
}
