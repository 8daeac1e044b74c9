// The Scan & Decode window: the options of a scan, the scan engine it starts, stops and polls,
// its five faces, the result views (the device list, the wired tree, the wireless grid and tree)
// and the saving of a finished scan as the configuration's M_Bus.xml.
#pragma once

#include "controls/DrawListBox.h"
#include "controls/LbButton.h"
#include "controls/Splitter.h"
#include "mbus/ScanEngine.h"
#include "mbus/ScanSave.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

constexpr int ScanDecode_Client_Width = 922;
constexpr int ScanDecode_Height_Wired = 523;
constexpr int ScanDecode_Height_Choice = 571;

// New messages of the window: the address and port boxes are checked before a scan starts.
constexpr int Txt_Scan_Bad_IP = 2138;
constexpr int Txt_Scan_Bad_Port = 2143;

// The grid and the trees have headers that cannot meet in one file: the window knows them by name
// here, the wireless grid's code (UScanDecodeGrid.cpp) includes the grid, the rest the tree.
class TProStringGrid;
class TNodeStringTree;
struct TVNode;

// The user data of every node of the two result trees.
struct TMyRec {
  std::string Caption;
  bool Check = false;
};

// One cell of the wireless grid as it shows.
struct TWirelessCell {
  std::string Text;
  TColor Color = clNone; // the cell's own background; clNone when it has none
  int Image = -1;        // the image of the cell; -1 for none
};

class TFScanDecode : public TForm {
public:
  explicit TFScanDecode(TComponent* AOwner);
  ~TFScanDecode() override;

  // ---- frame
  TPanel* P_Title = nullptr;
  TLabel* L_SW_Code = nullptr;
  TLabel* L_SW_Desc = nullptr;
  TLabel* Label1 = nullptr;
  TPanel* P_Button = nullptr;
  TLbButton* Btn_StartScan = nullptr;
  TLbButton* Btn_StopScan = nullptr;
  TLbButton* Btn_AbortScan = nullptr;
  TLbButton* Btn_NewScan = nullptr;
  TLbButton* Btn_SaveConf = nullptr;
  TLbButton* Btn_SaveConfManual = nullptr;
  TTimer* T_InScan = nullptr;
  TPopupMenu* PopupMenu1 = nullptr;
  TMenuItem* Ciclic1 = nullptr;

  // ---- options
  TPanel* P_Main = nullptr;
  TLabel* L_ScanMethod = nullptr;
  TComboBox* CB_ScanMethod = nullptr;
  TLabel* L_ScanBy = nullptr;
  TComboBox* CB_ScanBy = nullptr;
  TLabel* L_HardwareType = nullptr;
  TComboBox* CB_HardwareType = nullptr;
  TLabel* L_IP = nullptr;
  TEdit* E_IP1 = nullptr;
  TEdit* E_IP2 = nullptr;
  TEdit* E_IP3 = nullptr;
  TEdit* E_IP4 = nullptr;
  TLabel* L_IP_Dot1 = nullptr;
  TLabel* L_IP_Dot2 = nullptr;
  TLabel* L_IP_Dot3 = nullptr;
  TLabel* L_ComPort = nullptr;
  TComboBox* CB_ComPort = nullptr;
  TLbButton* Btn_COM_List = nullptr;
  TLabel* L_Port = nullptr;
  TEdit* E_Port = nullptr;
  TLabel* L_MBus_ParGen = nullptr;
  TLabel* L_MBus_Baud = nullptr;
  TComboBox* CB_MBus_Baud = nullptr;
  TLabel* L_MBus_Parity = nullptr;
  TComboBox* CB_MBus_Parity = nullptr;
  TLabel* L_wMBus_Mode = nullptr;
  TComboBox* CB_wMBus_Mode = nullptr;
  TLabel* L_wMBus_Radio_Channel = nullptr;
  TComboBox* CB_wMBus_Radio_Channel = nullptr;
  TLabel* L_Option_Scan = nullptr;
  TCheckBox* CB_Opt_App_Reset = nullptr;
  TCheckBox* CB_Opt_SND_NKE = nullptr;
  TLabel* L_Opt_Cut_After = nullptr;
  TEdit* E_Opt_Cut_After = nullptr;
  TCheckBox* CB_Opt_Use_Fix_C_Field = nullptr;
  TComboBox* CB_Opt_Use_Fix_C_Field_Value = nullptr;
  TCheckBox* CB_Opt_Check_BCD_to_Int = nullptr;
  TCheckBox* CB_Opt_Enable_Remote_Scan = nullptr;

  // ---- wired results
  TPanel* P_TreeView = nullptr;
  TLabel* L_ScanProgress = nullptr;
  TLabel* L_Num_Slave = nullptr;
  TLabel* L_AvailableDevice = nullptr;
  TDrawListBox* LB_AvailableDevice = nullptr;
  TNodeStringTree* VST = nullptr;

  // ---- wireless results
  TPanel* P_View_Wireless = nullptr;
  TPanel* P_W_Title = nullptr;
  TPanel* P_W_Table = nullptr;
  TProStringGrid* ASG_Wireless = nullptr;
  TSplitter* Splitter1 = nullptr;
  TPanel* P_W_Tree = nullptr;
  TNodeStringTree* VST_Wireless = nullptr;
  TImageList IL_Tree1;
  TImageList IL_Wireless_Table;

  // ---- fields
  std::unique_ptr<TMBusScanDecode> TR_ScanDecode;
  int XML_Code_Dev = 0;
  std::string FileName_MBus;
  int Form_Type = 0;
  bool Cyclic_Scan = false;
  int Error_Cyclic = 0;
  // The face shown (1 to 5).
  int Face() const { return FFace; }

  // Where the engine talks (tests move the gateway's port and the local address); the engine is
  // made again, so only while no scan runs.
  void Use_Endpoints(const TScanEndpoints& endpoints);

  // ---- handlers
  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void BtnClick(TObject* Sender);
  void CB_HardwareTypeChange(TObject* Sender);
  void IP_KeyPress(TObject* Sender, WideChar& Key);
  void Btn_COM_ListClick(TObject* Sender);
  void T_InScanTimer(TObject* Sender);
  void Ciclic1Click(TObject* Sender);

  // ---- methods
  void Select_Scan();
  void StartScan();
  void StarScanWireless();
  void StopScan();
  void AbortScan();
  void NewScan();
  void Form_Style(int Index);
  void Move_Object_Type_Form();
  void Update_List_of_COM_Port();
  void Set_Lang();
  // The wireless method is chosen (and can be).
  bool Wireless_Method() const;

  // ---- result views
  void Show_Scan_Progress(int kind, int id, int found, int scanKind);
  void Show_Wireless_Slave(int index, const std::optional<TSlave_wMBus>& slave);
  void Show_Slave_in_Tree();
  void Show_Slave_in_Tree_Wireless(int index);
  void Colomns_Width_Init();
  void Cancel_Grid_Wireless();
  void Cancel_Device_List_Wireless();
  void Cancel_Device_List();
  void ASG_WirelessClickCell(TObject* Sender, int ARow, int ACol);
  void ASG_WirelessDblClickCell(TObject* Sender, int ARow, int ACol);
  void LB_AvailableDeviceDrawItem(TDrawListBox* Sender, int Index, TRect Rect, TCanvas& Canvas);
  // The slave shown in the wireless tree, as copied when the tree was built.
  const std::optional<TSlave_wMBus>& Wireless_Shown() const { return FWireless_Shown; }
  int Wireless_Row_Count() const;
  TWirelessCell Wireless_Cell(int ACol, int ARow) const;
  // Whether the save counts a wired slave's or record's tree node as checked.
  bool Tree_Node_Checked(const void* node) const;
  int Wireless_Shown_Index() const { return FWireless_Index; }
  // Places the key dialog for a double click at `screen` (the mouse) inside the client area.
  TPoint Key_Dialog_Place(TPoint screen) const;

  // ---- saving
  void Select_SaveXML(int Type_SaveXML);
  bool SaveXML(bool Append, int Start_Modbus, int Start_Modbus_node);
  bool SaveXMLWireless(bool Append, int Start_Modbus, int Start_Modbus_node);
  void Carica_Dati_Modbus_Start_Add();

private:
  void Create_Controls();
  void Create_Options();
  void Create_Results();
  // The lists' sizes come at creation, their pictures when the window is first shown.
  void Create_Images();
  void Draw_Images();
  void Make_Engine(const TScanEndpoints& endpoints);
  void Load_IP_Address();
  void Create_Wireless_Grid();
  void Setup_Tree(TNodeStringTree* tree);
  void VSTInitNode(TVNode* Node);
  void VST_WirelessInitNode(TVNode* Node);
  void VST_WirelessChecked(TVNode* Node);
  // The save's options from the boxes and the per-node dialog.
  TSaveConfXML Save_Options(bool Append, int Start_Modbus, int Start_Modbus_node, bool wireless) const;
  // Waits, painting, until the engine has run the closing steps of an aborted scan.
  void Wait_For_Scan_End();

  int FFace = 1;
  std::int64_t FScan_Add_TimeOut = 0;    // the engine's added time-out of the scan running
  std::vector<TSlave_MBus> FWired_Shown; // the wired tree's slaves as the scan left them
  std::optional<TSlave_wMBus> FWireless_Shown;
  int FWireless_Index = -1;
  TScanEndpoints FEndpoints;
  // Reports queued by the engine look at it: none reaches a window that is gone.
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
  TPoint FLast_Mouse; // screen point of the last press on the wireless grid
};

extern TFScanDecode* FScanDecode;
