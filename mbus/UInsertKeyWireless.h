// The borderless dialog that asks for the AES key of an encrypted wireless device: 32 hexadecimal
// digits, letters turned to capitals as they are typed.
#pragma once

#include "controls/LbButton.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"

constexpr int InsertKey_Client_Width = 481;
constexpr int InsertKey_Client_Height = 47;

class TFInsertKeyWireless : public TForm {
public:
  explicit TFInsertKeyWireless(TComponent* AOwner);
  ~TFInsertKeyWireless() override;

  TShape* Shape1 = nullptr;
  TLabel* L_InsKey = nullptr;
  TEdit* E_Key = nullptr;
  TLbButton* Btn_OK = nullptr;
  TLbButton* Btn_Cancel = nullptr;

  void FormCreate(TObject* Sender);
  void Btn_OKClick(TObject* Sender);
  // True when the key holds hexadecimal digits (capitals) only.
  bool Check_Data() const;
  void Set_Lang();
};

extern TFInsertKeyWireless* FInsertKeyWireless;
