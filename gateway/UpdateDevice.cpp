#include "gateway/UpdateDevice.h"

#include "gateway/GatewayShell.h"
#include "gateway/UBoot.h"
#include "platform/Dialogs.h"
#include "platform/ui/Application.h"

namespace {

bool Passed(const TGatewayResult& result) {
  if (!result) MessageDlg(result.Message, mtError, mbOK);
  return result.Ok;
}

} // namespace

bool Update_Device() {
  // Building images from defaults into a recreated folder would hide that the configuration is gone.
  if (!Passed(Check_Project_Folder())) return false;
  if (!Passed(Check_Config_LoraWAN())) return false;
  TCompileResult compiled = Compile_Bin();
  if (!Passed(compiled)) return false;
  if (!Passed(Save_Bin(compiled.Images))) return false;
  if (!FBoot) FBoot = NewForm<TFBoot>(Application);
  FBoot->Form_Type = Boot_Form_Ethernet;
  FBoot->ShowModal();
  return true;
}
