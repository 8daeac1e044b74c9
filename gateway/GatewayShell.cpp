#include "gateway/GatewayShell.h"

#include "app/ShellTexts.h"
#include "app/UComon.h"
#include "platform/Files.h"

namespace {

TGatewayResult No_Project() {
  return TGatewayResult::Failure(Text_Project_Not_Valid, {});
}

} // namespace

TGatewayResult Check_Project_Folder() {
  if (Project_Path.empty()) return No_Project();
  if (!DirectoryExists(Project_Path))
    return TGatewayResult::Failure(Text_Configuration_Missing, {"\"" + Project_Path + "\""});
  return TGatewayResult::Success();
}

TGatewayResult Check_Config_LoraWAN() {
  if (Project_Path.empty()) return No_Project();
  return Check_Config_LoraWAN(FileName_ParGen, FileName_LoRaWAN_SetAccess);
}

TCompileResult Compile_Bin() {
  if (Project_Path.empty()) return TCompileResult::Failed(No_Project());
  return Compile_Bin(FileName_ParGen, FileName_LoRaWAN_SetAccess);
}

TGatewayResult Save_Bin(const TDeviceImages& images) {
  return Save_Bin(Project_Path, images); // refuses an empty path itself
}

TUpdateCommand Update_Command(const std::string& ipAddress, int updateOption, bool readBack) {
  TUpdateCommand command;
  command.IP_Address = ipAddress;
  command.Update_Option = updateOption;
  command.Read_Back = readBack;
  command.SW_Code = SW_Code;
  command.Master_Dir = Master_Dir;
  command.Project_Path = Project_Path;
  return command;
}

TGatewayResult Compile_XML_Parameter_New_Boot(const TUpdateCommand& command) {
  return Compile_XML_Parameter_New_Boot(Program_Dir, command);
}
