// The M-Bus network editor: the nodes of the configuration's M_Bus.xml and their variables in a
// tree, one node's or variable's boxes on the Nodes and Variables pages, copy and paste through
// the New-ID dialog, delete, import, and OK writing the file.
#pragma once

#include "controls/LbButton.h"
#include "controls/PlainTreeView.h"
#include "controls/ProPageControl.h"
#include "mbus/NetworkModel.h"
#include "mbus/NetworkValidation.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

constexpr int Meter_Bus_Client_Width = 834;
constexpr int Meter_Bus_Client_Height = 700;
// A list stands on no entry (a stored index outside it): storing is refused.
constexpr int Txt_Editor_List_Not_Chosen = 1734;

class TFMeter_Bus : public TForm {
public:
  explicit TFMeter_Bus(TComponent* AOwner);
  ~TFMeter_Bus() override;

  TPanel* P_Title = nullptr;
  TLabel* L_SW_Code = nullptr;
  TLabel* L_SW_Desc = nullptr;
  TPlainTreeView* TW = nullptr;
  TPanel* Panel3 = nullptr;
  TProPageControl* ProPageControl1 = nullptr;
  TProTabSheet* ProTabSheet1 = nullptr;
  TProTabSheet* ProTabSheet2 = nullptr;
  TPanel* P_Button = nullptr;
  TLbButton* Btn_OK = nullptr;
  TLbButton* Btn_Cancel = nullptr;
  TLbButton* Btn_ImportNet = nullptr;
  TPopupMenu* PopupMenu1 = nullptr;
  TMenuItem *CopyVariable1 = nullptr, *PasteVariable1 = nullptr, *CopyNode1 = nullptr, *PasteNode1 = nullptr,
            *DeleteItem1 = nullptr;
  TOpenDialog* OD_Import_Net = nullptr;

  // ---- Nodes page
  TCheckBox* CB_Node_En = nullptr;
  TLabel* L_Node_Desc = nullptr;
  TEdit* E_New_Node_Desc = nullptr;
  TLabel* L_MBus_Type = nullptr;
  TComboBox* CB_MBus_Type = nullptr;
  TRadioButton* RB_ID_Primary = nullptr;
  TEdit* E_New_Node_ID_Pri = nullptr;
  TRadioButton* RB_ID_Secondary = nullptr;
  TEdit* E_New_Node_ID_Sec = nullptr;
  TCheckBox* CB_Node_State = nullptr;
  TEdit* E_Node_State = nullptr;
  TCheckBox* CB_Ident_Num = nullptr;
  TEdit* E_Iden = nullptr;
  TCheckBox* CB_BCDtoINT_IN = nullptr;
  TLabel* L_Swap_IN = nullptr;
  TComboBox* CB_Swap_IN = nullptr;
  TCheckBox* CB_SND_NKE = nullptr;
  TCheckBox* CB_Reset_App = nullptr;
  TLabel* L_Var_Type = nullptr;
  TComboBox* CB_Var_Type = nullptr;
  TLabel* L_Cut_After = nullptr;
  TComboBox* CB_Cut_After = nullptr;
  TLabel* L_Frames = nullptr;
  TCheckBox* CB_Manu_Spec_Data = nullptr;
  TEdit* E_Manu_Spec_Data = nullptr;
  TLabel* L_MSD_Length = nullptr;
  TEdit* E_MSD_Length = nullptr;
  TLabel* L_MSD_Offset = nullptr;
  TEdit* E_MSD_Offset = nullptr;
  TCheckBox* CB_Access_Number = nullptr;
  TEdit* E_Access_Number = nullptr;
  TLbButton* btn_Add_Node = nullptr;
  TPanel* P_wMBus_Node = nullptr;
  TLabel *L_wMBus_ManID = nullptr, *L_wMBus_Add = nullptr, *L_wMBus_Ver = nullptr, *L_wMBus_DevType = nullptr;
  TEdit *E_wMBus_ManID = nullptr, *E_wMBus_Add = nullptr, *E_wMBus_Ver = nullptr, *E_wMBus_DevType = nullptr;
  TCheckBox* CB_wMBus_EnKey = nullptr;
  std::array<TLabel*, 16> L_wMBus_K{};
  std::array<TEdit*, 16> E_wMBus_K{};
  TCheckBox* CB_wMBus_Node_State = nullptr;
  TEdit* E_wMBus_NodeState = nullptr;
  TCheckBox* CB_wMBus_Ident_Num = nullptr;
  TEdit* E_wMBus_Ident = nullptr;
  TCheckBox* CB_wMBus_RSSI = nullptr;
  TEdit* E_wMBus_RSSI = nullptr;
  TCheckBox* CB_wMBus_Access_Number = nullptr;
  TEdit* E_wMBus_Access_Number = nullptr;
  TCheckBox* CB_wMBus_Conv_BCD = nullptr;
  TLabel* L_wMBus_Swap = nullptr;
  TComboBox* CB_wMBus_Swap_Ident = nullptr;
  TLabel* L_wMBus_VarList = nullptr;
  TComboBox* CB_wMBus_VarList = nullptr;

  // ---- Variables page
  TCheckBox* CB_Var_En = nullptr;
  TLabel* L_Var_Desc = nullptr;
  TEdit* E_New_Var_Desc = nullptr;
  TLabel* L_Var_ToD = nullptr;
  TComboBox* CB_Var_ToD = nullptr;
  TLabel* L_VIF_ASCII = nullptr;
  TEdit* E_VIF_ASCII = nullptr;
  TLabel* L_Var_FF = nullptr;
  TComboBox* CB_Var_FF = nullptr;
  TLabel* L_Var_Dim = nullptr;
  TComboBox* CB_Var_Dim = nullptr;
  TLabel* L_Length = nullptr;
  TEdit* E_Length = nullptr;
  TLabel* L_Var_Unit = nullptr;
  TComboBox* CB_Var_Unit = nullptr;
  TLabel* L_Sto_Num = nullptr;
  TEdit* E_Sto_Num = nullptr;
  TLabel* L_Tariff = nullptr;
  TEdit* E_Tariff = nullptr;
  TLabel* L_VIFE = nullptr;
  TComboBox* CB_VIFE = nullptr;
  TLabel* L_Var_MR = nullptr;
  TEdit* E_Var_MR = nullptr;
  TGroupBox* GroupBox4 = nullptr;
  TCheckBox* CB_TP_MR = nullptr;
  TEdit* E_TP_Year = nullptr;
  std::array<TLabel*, 6> L_TP{};
  TEdit *ST_TP_Month = nullptr, *ST_TP_Day = nullptr, *ST_TP_Hour = nullptr, *ST_TP_Min = nullptr,
        *ST_TP_Sec = nullptr;
  TCheckBox* CB_BCDtoINT = nullptr;
  TCheckBox* CB_Float = nullptr;
  TCheckBox* CB_Force_Int32 = nullptr;
  TLabel* L_PostOpe = nullptr;
  TComboBox* CB_PostOpe = nullptr;
  TLabel* L_Position = nullptr;
  TEdit* E_Position = nullptr;
  TLbButton* btn_Add_Var = nullptr;

  // ---- state
  TTreeEntry* NODE_ORIG = nullptr;
  TTreeEntry* NODE_ID = nullptr;
  TTreeEntry* SELECT_NODE = nullptr;
  TNodi_List Nodi_List;
  int IND_NODO = -1;
  int IND_VAR = -1;
  std::optional<TVariabile> Copy_Var;
  std::optional<TNodo> Copy_Node;
  bool Is_Change = false;
  // The last reading stopped halfway or failed: OK asks before replacing the file.
  bool Load_Complete = true;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void TWClick(TObject* Sender);
  void btn_Add_NodeClick(TObject* Sender);
  void btn_Add_VarClick(TObject* Sender);
  void CB_MBus_TypeChange(TObject* Sender);
  void CB_Var_ToDChange(TObject* Sender);
  void CB_Var_DimChange(TObject* Sender);
  void E_TP_YearChange(TObject* Sender);
  void CopyVariable1Click(TObject* Sender);
  void PasteVariable1Click(TObject* Sender);
  void CopyNode1Click(TObject* Sender);
  void PasteNode1Click(TObject* Sender);
  void DeleteItem1Click(TObject* Sender);
  void Btn_ImportNetClick(TObject* Sender);
  void LbButton2Click(TObject* Sender);
  void LbButton4Click(TObject* Sender);
  void Aggiorna_Label();
  void Sposta_Oggetti_Var(int Var_type);
  void Nodes_Move_Elements();
  // The width the open list of the type-of-data or VIFE box needs for its longest text.
  int Select_Width_ComboBox(const TComboBox* CB) const;
  void Set_Lang();
  // Import of a chosen file: read whole first, then replace the configuration's file at once.
  void Import_File(const std::string& path);
  // The current layout of the Variables page (0 "By Type", 1 "By Position").
  int Var_Layout() const { return FVar_Layout; }

private:
  void Create_Controls();
  void Create_Node_Page();
  void Create_Var_Page();
  void Show_Network();
  void Read_Network();
  std::string Node_Label(const TNodo& n) const;
  // The node the boxes describe, every box converted first; nothing when one is refused (its
  // message shown).
  std::optional<TNodo> Node_From_Boxes(const TNodo& base);
  std::optional<TVariabile> Var_From_Boxes();
  TNodeBoxes Node_Boxes() const;
  TVariableBoxes Var_Boxes() const;
  void Load_Node(const TNodo& n);
  void Load_Var(const TVariabile& v);
  void Reset_Var_Boxes();
  void Clear_Selection();

  int FVar_Layout = 0;
};

extern TFMeter_Bus* FMeter_Bus;
