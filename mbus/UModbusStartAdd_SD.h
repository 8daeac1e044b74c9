// The dialog that asks for each node found its first Modbus register, and whether every node gets
// a node-state and an identification-number register.
#pragma once

#include "controls/LbButton.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"

#include <string>
#include <vector>

// The grid stays out of this header, so a file may include it beside the tree view.
class TProColumnGrid;

class TFModbusStartAdd_SD : public TForm {
public:
  explicit TFModbusStartAdd_SD(TComponent* AOwner);
  ~TFModbusStartAdd_SD() override;

  TPanel* P_Title = nullptr;
  TLabel* L_SW_Code = nullptr;
  TLabel* L_SW_Desc = nullptr;
  TPanel* P_Check = nullptr;
  TCheckBox* CB_En_NodeState = nullptr;
  TCheckBox* CB_En_IndNum = nullptr;
  TProColumnGrid* sga = nullptr;
  TPanel* P_Button = nullptr;
  TLbButton* Btn_OK = nullptr;
  TLbButton* Btn_Cancel = nullptr;

  void FormCreate(TObject* Sender);
  void Btn_OKClick(TObject* Sender);
  // Shows the message of the first row that fails; true when every row passes.
  bool Check_Data();
  void Set_Lang();

  // One data row per node: its caption in column 0 and "1" in column 1.
  void Fill(const std::vector<std::string>& captions);
  // Column 1 of every data row, row 1 first.
  std::vector<std::string> Start_Cells() const;
  // Types the start register of data row `row` (from 1).
  void Set_Start_Cell(int row, const std::string& text);
};

extern TFModbusStartAdd_SD* FModbusStartAdd_SD;
