#include "program/Composition.h"

#include "app/ShellTexts.h"
#include "app/UAbout.h"
#include "app/UComon.h"
#include "app/ULanguage.h"
#include "app/UNew_Project.h"
#include "app/UOpenConf.h"
#include "app/USoftOptions.h"
#include "app/UVelmariceFirmWare.h"
#include "app/Windows.h"
#include "gateway/BootTexts.h"
#include "gateway/LoRaWANTexts.h"
#include "gateway/ParGenTexts.h"
#include "gateway/UBoot.h"
#include "gateway/ULoRa_Set_Access.h"
#include "gateway/UParGen.h"
#include "gateway/UpdateDevice.h"
#include "mbus/MeterBusTexts.h"
#include "mbus/NetworkTexts.h"
#include "mbus/ScanTexts.h"
#include "mbus/UInsertKeyWireless.h"
#include "mbus/UMeter_Bus.h"
#include "mbus/UModbusStartAdd_SD.h"
#include "mbus/UNewIDNode.h"
#include "mbus/UScanDecode.h"
#include "mbus/UScanModbusStart.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"

namespace {

// Creation order: the windows of the other protocols would follow FLoRa_Set_Access.
const TCreateWindow Windows_In_Creation_Order[] = {
    &Create_Window<FVelmariceFirmWare>,
    &Create_Window<FNew_Project>,
    &Create_Window<FOpenConf>,
    &Create_Window<FAbout>,
    &Create_Window<FSoftOptions>,
    &Create_Window<FParGen>,
    &Create_Window<FBoot>,
    &Create_Window<FLoRa_Set_Access>,
    &Create_Window<FMeter_Bus>,
    &Create_Window<FNewIDNode>,
    &Create_Window<FScanDecode>,
    &Create_Window<FInsertKeyWireless>,
    &Create_Window<FScanModbusStart>,
    &Create_Window<FModbusStartAdd_SD>,
};

// Language order: the windows of the other protocols would follow FLoRa_Set_Access;
// About and the small entry windows of the M-Bus scan keep their texts.
const TSetLangOfWindow Windows_In_Language_Order[] = {
    &Set_Lang_Of<FNew_Project>, &Set_Lang_Of<FOpenConf>,  &Set_Lang_Of<FSoftOptions>,
    &Set_Lang_Of<FBoot>,        &Set_Lang_Of<FParGen>,    &Set_Lang_Of<FLoRa_Set_Access>,
    &Set_Lang_Of<FMeter_Bus>,   &Set_Lang_Of<FNewIDNode>,
};

// The other models' steps come with their windows and their buttons never show in this build.
const TStepAction Steps[] = {
    {"Btn_Prm_Gen",
     [] {
       if (FParGen) FParGen->ShowModal();
     }},
    {"Btn_LoRaWAN_Access",
     [] {
       if (FLoRa_Set_Access) FLoRa_Set_Access->ShowModal();
     }},
    {"Btn_CreateBin", [] { Update_Device(); }},
    {"Btn_MBus",
     [] {
       if (FMeter_Bus) FMeter_Bus->ShowModal();
     }},
    {"Btn_ScanDecode",
     [] {
       if (!FScanDecode) return;
       if (FileExists(FileName_M_Bus) && MessageDlg(Lang_Text(35), mtWarning, mbYes | mbNo) != mrYes) return;
       FScanDecode->XML_Code_Dev = Get_XML_Code_Dev();
       FScanDecode->FileName_MBus = FileName_M_Bus;
       FScanDecode->Form_Type = Get_ScanDecode_Form_Type();
       FScanDecode->ShowModal();
     }},
};

} // namespace

const TComposition& Velmaric_Composition() {
  // One line per window's block; a later block wins where two name the same number.
  static const TTextBlock Texts[] = {
      MainWindowTexts(),  NewProjectTexts(), OpenConfTexts(),   SoftOptionsTexts(),
      ParGenTexts(),      BootTexts(),       RowRoutineTexts(), LoRaWANSetAccessTexts(),
      MBusNetworkTexts(), MBusScanTexts(),   MBusEditorTexts(),
  };
  static const TComposition Composition{Windows_In_Creation_Order, Windows_In_Language_Order, Texts, Steps};
  return Composition;
}
