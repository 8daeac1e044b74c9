// The main window: the build's software code and description, the open configuration, and one
// glow button per step of the model's work. Its creation sets the whole program up; closing it
// writes the settings and ends the program.
#pragma once

#include "controls/LbButton.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"

#include <string>

// The version check runs first this long after its timer is enabled, then at the longer pause.
constexpr unsigned Version_Check_First_Ms = 60000;
constexpr unsigned Version_Check_Every_Ms = 7200000;

class TFVelmariceFirmWare : public TForm {
public:
  explicit TFVelmariceFirmWare(TComponent* AOwner);

  TLabel* L_SW_Code;
  TLabel* L_SW_Desc;
  TLabel* L_Begin;
  TShape* Shape2;
  TLabel* L_Name_Conf;
  TLabel* L_Name_Conf_L2;
  TLabel* L_Step_1;
  TLabel* L_Step_2;
  TLabel* L_Step_3;
  TLabel* L_Step_4;
  TLabel* L_Step_5;
  TLabel* L_Step_6;
  TLabel* L_Step_7;
  TLabel* L_Step_8;
  TShape* Shape1;
  TLabel* L_Ormida;
  TLinkLabel* LL_Update;
  TTimer* Timer_Update;

  TLbButton* Btn_Info;
  TLbButton* Btn_Opz;
  TLbButton* Btn_Close;
  TLbButton* Btn_New;
  TLbButton* Btn_Open;
  TLbButton* Btn_Prm_Gen;
  TLbButton* Btn_LoRaWAN_Access;
  TLbButton* Btn_CreateBin;
  // Steps of the family's other models: created, never shown in this build.
  TLbButton* Btn_BACnet_SetAccess;
  TLbButton* Btn_BACnet_EDE_File;
  TLbButton* Btn_MBus;
  TLbButton* Btn_ScanDecode;
  TLbButton* Btn_Modbus_Set_Access;
  TLbButton* Btn_CAN_Rec_Frame;
  TLbButton* Btn_CAN_Send_Frame;
  TLbButton* Btn_SDO_Server_CANopen;
  TLbButton* Btn_SDO_Client_CANopen;
  TLbButton* Btn_PDO_CANopen;
  TLbButton* Btn_CANopen_EDS;
  TLbButton* Btn_DNet_Net;
  TLbButton* Btn_DNet_Offset;
  TLbButton* Btn_DMX_Default;
  TLbButton* Btn_EtherNetIP_Access;
  TLbButton* Btn_KNX_Access;
  TLbButton* Btn_PROFIBUS_GSD;
  TLbButton* Btn_PROFINET_XML;
  TLbButton* Btn_IEC61850_Client;
  TLbButton* Btn_IEC61850_Access;
  TLbButton* Btn_TLS_List_Certificates;
  TLbButton* Btn_MQTT_Set_Topic;
  TLbButton* Btn_OPC_UA_Client_Access;
  TLbButton* Btn_OPC_UA_Server_Access;
  TLbButton* Btn_S7_Protocol_Access;
  TLbButton* Btn_SNMP_Manager_Access;
  TLbButton* Btn_SNMP_Trap;
  TLbButton* Btn_SNMP_MIB;

  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  // Every button's click.
  void Btn_Click(TObject* Sender);
  void Set_Lang();
  // Re-applies the texts of this window and of the other windows after the text table was reloaded.
  void Change_Language();
  void L_OrmidaClick(TObject* Sender);
  void LL_UpdateLinkClick(TObject* Sender, const std::string& Link, TSysLinkType LinkType);
  void Timer_UpdateTimer(TObject* Sender);

  void Create_New_Project();
  void Open_Project();

private:
  void Layout_For_Model();
  // The two configuration labels: the open configuration, or that none is open.
  void Show_Configuration();
  void Show_Options();
};
