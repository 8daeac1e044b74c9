// The LoRaWAN rule editor: uplink and downlink rules of the open configuration in two column grids
// on two tab pages. It moves cells to and from the rule model of LoRaWANSetAccess, which reads,
// checks and writes LoRaWAN_SetAccess.xml.
#pragma once

#include "controls/LbButton.h"
#include "gateway/LoRaWANSetAccess.h"
#include "grid/ProCGrid.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"

#include <string>
#include <vector>

constexpr int LoRa_Set_Access_Client_Width = 900;

// Columns of the two grids (real columns: a hidden FPort column keeps its place).
constexpr int LoRa_Col_Enable = 1;
constexpr int LoRa_Col_StartByte = 2;
constexpr int LoRa_Col_NumByte = 3;
constexpr int LoRa_Up_Col_Count = 10;
constexpr int LoRa_Up_Col_FPort = 8;
constexpr int LoRa_Down_Col_Count = 6;
constexpr int LoRa_Down_Col_FPort = 4;

class TFLoRa_Set_Access : public TForm {
public:
  explicit TFLoRa_Set_Access(TComponent* AOwner);
  ~TFLoRa_Set_Access() override;

  TPanel* P_Title = nullptr;
  TLabel* L_SW_Code = nullptr;
  TLabel* L_SW_Desc = nullptr;
  TPageControl* PC_LoRa = nullptr;
  TTabSheet* TS_LoRa_Uplink = nullptr;
  TTabSheet* TS_LoRa_Downlink = nullptr;
  TProColumnGrid* ACG_LoRa_Uplink = nullptr;
  TProColumnGrid* ACG_LoRa_Downlink = nullptr;
  TPanel* P_Button = nullptr;
  TLbButton* Btn_OK = nullptr;
  TLbButton* Btn_Cancel = nullptr;
  TLbButton* Btn_DelRow = nullptr;
  TLbButton* Btn_InsRow = nullptr;
  TLbButton* Btn_CopyRow = nullptr;
  TLbButton* Btn_PasteRow = nullptr;

  // Header hints of the data columns, entry = real column - 1.
  std::vector<std::string> Hint_UpLink;
  std::vector<std::string> Hint_DownLink;
  int MaxPayloadSize = 0;
  bool FPortFixed = true;
  bool Do_Copy_Uplink = false;
  bool Do_Copy_Downlink = false;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void Btn_OKClick(TObject* Sender);
  bool Controllo_dati();
  void Btn_InsRowClick(TObject* Sender);
  void Btn_DelRowClick(TObject* Sender);
  void Btn_CopyRowClick(TObject* Sender);
  void Btn_PasteRowClick(TObject* Sender);
  void ClickCell(TObject* Sender, int ARow, int ACol);
  void DblClickCell(TObject* Sender, int ARow, int ACol);
  // The grids' OnKeyPress; the window's own key handling keeps its name beside it.
  using TForm::KeyPress;
  void KeyPress(TObject* Sender, WideChar& Key);
  void GridHint(TObject* Sender, int ARow, int ACol, std::string& HintStr);
  void Set_Lang();

  // The rules as the grids hold them, every data row of each grid.
  TLoRaWANSetAccess Rules_Of_Grids() const;
  // The grid of the active tab page.
  TProColumnGrid* Active_Grid() const;

private:
  void Create_Controls();
  // Writes an open cell editor of either grid back into its cell, as the grid's own commit does.
  void Commit_Edits();
  void Clear_Grids();
  void Show_Rules(const TLoRaWANSetAccess& rules);
};

// The single instance (created at program start after FBoot; cleared when it is destroyed).
extern TFLoRa_Set_Access* FLoRa_Set_Access;
