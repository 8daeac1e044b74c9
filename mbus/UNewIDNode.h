// The New-ID dialog: before a copied node or variable is pasted into the network editor, the user
// gives it an address and registers of its own, checked against the network.
#pragma once

#include "controls/LbButton.h"
#include "grid/ProCGrid.h"
#include "mbus/NetworkValidation.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"

#include <string>
#include <vector>

constexpr int NewID_Client_Width = 432;
constexpr int NewID_Client_Height = 536;

enum TNewIDFormType { nfWiredNode = 1, nfVariable = 2, nfWirelessNode = 3 };

constexpr int Txt_NewID_Registers_Not_Numbers = 2019;

class TFNewIDNode : public TForm {
public:
  explicit TFNewIDNode(TComponent* AOwner);
  ~TFNewIDNode() override;

  TPanel* P_Title = nullptr;
  TLabel* L_SW_Code = nullptr;
  TLabel* L_SW_Desc = nullptr;
  TPanel* Panel1 = nullptr;
  TRadioButton* RB_ID_Primary = nullptr;
  TEdit* E_New_Node_ID_Pri = nullptr;
  TRadioButton* RB_ID_Secondary = nullptr;
  TEdit* E_New_Node_ID_Sec = nullptr;
  TLabel* L_wMBus_Add = nullptr;
  TEdit* E_wMBus_Add = nullptr;
  TLabel* Label2 = nullptr;
  TEdit* E_MR_NodeState = nullptr;
  TLabel* Label3 = nullptr;
  TEdit* E_MR_IdentNum = nullptr;
  TLabel* L_wMBus_RSSI = nullptr;
  TEdit* E_wMBus_RSSI = nullptr;
  TPanel* Panel3 = nullptr;
  TLabel* Label4 = nullptr;
  TProColumnGrid* ASG_MR_Var = nullptr;
  TPanel* P_Button = nullptr;
  TLbButton* Btn_OK = nullptr;
  TLbButton* Btn_Cancel = nullptr;

  // Set by the editor before showing: the kind of paste, the network the choices are checked
  // against and the editor's selection.
  int Form_Type = nfWiredNode;
  const TNodi_List* Network = nullptr;
  TNetworkSelection Selection;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void LbButton2Click(TObject* Sender);
  void Set_Lang();

  // The register rows of the grid: three per variable (register, scale, time point year).
  void Fill_Variables(const std::vector<TVariabile>& vars);
  int Register_Groups() const { return (ASG_MR_Var->RowCount() - 1) / 3; }
  // The "Index" cell of grid row `row`.
  std::string ASG_Index(int row) const { return ASG_MR_Var->Cells(1, row); }

private:
  void Create_Controls();
};

extern TFNewIDNode* FNewIDNode;
