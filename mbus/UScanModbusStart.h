// The dialog that asks for the first Modbus register when a scan is added to an existing network.
#pragma once

#include "controls/LbButton.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"

class TFScanModbusStart : public TForm {
public:
  explicit TFScanModbusStart(TComponent* AOwner);
  ~TFScanModbusStart() override;

  TPanel* P_Title = nullptr;
  TLabel* L_SW_Code = nullptr;
  TLabel* L_SW_Desc = nullptr;
  TLabel* L_StartModAdd = nullptr;
  TEdit* E_StartModAdd = nullptr;
  TPanel* P_Button = nullptr;
  TLbButton* Btn_OK = nullptr;
  TLbButton* Btn_Cancel = nullptr;

  // The register OK accepted.
  int StartModAdd = 0;

  void FormCreate(TObject* Sender);
  void Btn_OKClick(TObject* Sender);
  void Set_Lang();
};

extern TFScanModbusStart* FScanModbusStart;
