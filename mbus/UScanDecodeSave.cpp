// Saving a finished scan from the Scan & Decode window: append or replace, the start register
// dialogs, and the export of the wired or wireless slaves as M_Bus.xml.
#include "mbus/ScanDialogChecks.h"
#include "mbus/UModbusStartAdd_SD.h"
#include "mbus/UScanDecode.h"
#include "mbus/UScanModbusStart.h"

#include "app/ULanguage.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/StrToInt.h"

namespace {

bool Asks_Start_Register(int code) {
  return code == 0 || code == 1 || code == 9 || code == 13 || code == 14;
}

} // namespace

void TFScanDecode::Carica_Dati_Modbus_Start_Add() {
  if (!FModbusStartAdd_SD) return;
  if (Wireless_Method())
    FModbusStartAdd_SD->Fill(Start_Add_Captions(List_Slave_wMBus().Snapshot()));
  else
    FModbusStartAdd_SD->Fill(Start_Add_Captions(List_Slave_MBus().Snapshot()));
}

void TFScanDecode::Select_SaveXML(int Type_SaveXML) {
  int start = 1;
  bool append = false;
  if (FileExists(FileName_MBus)) {
    const int answer = MessageDlg(Lang_Text(2137), mtConfirmation, mbYes | mbNo | mbCancel);
    if (answer != mrYes && answer != mrNo) return;
    append = answer == mrYes;
  }
  if (Type_SaveXML == 1 && Asks_Start_Register(XML_Code_Dev)) {
    Carica_Dati_Modbus_Start_Add();
    if (!FModbusStartAdd_SD || FModbusStartAdd_SD->ShowModal() != mrOk) return;
  }
  if (Type_SaveXML == 0 && append && Asks_Start_Register(XML_Code_Dev)) {
    if (!FScanModbusStart || FScanModbusStart->ShowModal() != mrOk) return;
    start = FScanModbusStart->StartModAdd;
  }
  if (Wireless_Method())
    SaveXMLWireless(append, start, Type_SaveXML);
  else
    SaveXML(append, start, Type_SaveXML);
}

TSaveConfXML TFScanDecode::Save_Options(bool Append, int Start_Modbus, int Start_Modbus_node,
                                        bool wireless) const {
  TSaveConfXML d;
  d.Append = Append ? 1 : 0;
  d.XML_Code_Dev = XML_Code_Dev;
  d.Mod_Start = Start_Modbus;
  d.Index_Baud = wireless ? 0 : CB_MBus_Baud->ItemIndex();
  d.Index_Par = wireless ? 0 : CB_MBus_Parity->ItemIndex();
  d.Node_ID_Type = CB_ScanBy->ItemIndex();
  d.SND_NKE = !wireless && CB_Opt_SND_NKE->Checked() ? 1 : 0;
  d.Reset_App = !wireless && CB_Opt_App_Reset->Checked() ? 1 : 0;
  int cut = 3;
  if (!wireless && !TryStrToInt(E_Opt_Cut_After->Text(), cut)) cut = 3;
  d.Cut_After = wireless ? 3 : cut;
  d.StartModnode = Start_Modbus_node;
  if (FModbusStartAdd_SD) {
    d.SMN_Array = Start_Add_Of_Rows(FModbusStartAdd_SD->Start_Cells());
    d.En_NodeState = FModbusStartAdd_SD->CB_En_NodeState->Checked();
    d.En_IdeNum = FModbusStartAdd_SD->CB_En_IndNum->Checked();
  }
  d.File_Name = FileName_MBus;
  return d;
}

bool TFScanDecode::SaveXML(bool Append, int Start_Modbus, int Start_Modbus_node) {
  const TSaveConfResult result = Save_XML_Conf_Wired(
      List_Slave_MBus().Snapshot(), Save_Options(Append, Start_Modbus, Start_Modbus_node, false),
      CB_Opt_Check_BCD_to_Int->Checked(), [this](const void* node) { return Tree_Node_Checked(node); });
  if (!result.Error.empty()) MessageDlg(result.Error, mtError, mbOK);
  if (result) MessageDlg(Lang_Text(2130), mtInformation, mbOK);
  return result.Written;
}

bool TFScanDecode::SaveXMLWireless(bool Append, int Start_Modbus, int Start_Modbus_node) {
  const TSaveConfResult result = Save_XML_Conf_Wireless(
      List_Slave_wMBus().Snapshot(), Save_Options(Append, Start_Modbus, Start_Modbus_node, true),
      CB_Opt_Check_BCD_to_Int->Checked());
  if (!result.Error.empty()) MessageDlg(result.Error, mtError, mbOK);
  if (result) MessageDlg(Lang_Text(2130), mtInformation, mbOK);
  return result.Written;
}
