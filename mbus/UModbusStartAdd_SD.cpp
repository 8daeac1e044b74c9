#include "mbus/UModbusStartAdd_SD.h"

#include "app/UComon.h"
#include "app/ULanguage.h"
#include "grid/ProCGrid.h"
#include "mbus/MBusLook.h"
#include "mbus/ScanDialogChecks.h"
#include "platform/Dialogs.h"

TFModbusStartAdd_SD* FModbusStartAdd_SD = nullptr;

using namespace MBusLook;

namespace {
constexpr int Client_Width = 511;
constexpr int Client_Height = 336;
constexpr TColor Start_Column_Color = RGB(0xE0, 0xFA, 0xFE);
} // namespace

TFModbusStartAdd_SD::TFModbusStartAdd_SD(TComponent* AOwner) : TForm(AOwner) {
  SetName("FModbusStartAdd_SD");
  SetBorderStyle(bsSingle);
  SetBorderIcons(biSystemMenu);
  SetPosition(poScreenCenter);
  Set_Form_Look(this, Client_Width, Client_Height);

  P_Title = Make_Title(this, L_SW_Code, L_SW_Desc);
  P_Check = Make_Panel(this, this, "P_Check", 52);
  P_Check->SetAlign(alTop);
  P_Check->SetTop(70);
  CB_En_NodeState = Make<TCheckBox>(this, P_Check, "CB_En_NodeState");
  CB_En_NodeState->SetBounds(16, 4, 300, 20);
  CB_En_IndNum = Make<TCheckBox>(this, P_Check, "CB_En_IndNum");
  CB_En_IndNum->SetBounds(16, 28, 300, 20);
  P_Button = Make_Panel(this, this, "P_Button", 40);
  P_Button->SetAlign(alBottom);
  Btn_OK =
      Make_Button(this, P_Button, "Btn_OK", Bounds(270, 6, 110, 28), [this](TObject* s) { Btn_OKClick(s); });
  Btn_Cancel = Make_Button(this, P_Button, "Btn_Cancel", Bounds(390, 6, 110, 28), nullptr);
  Btn_Cancel->SetModalResult(mrCancel);

  sga = Make<TProColumnGrid>(this, this, "sga");
  sga->SetAlign(alClient);
  sga->SetColCount(2);
  sga->SetRowCount(31);
  sga->SetFixedCols(1);
  sga->SetFixedRows(1);
  sga->SetDefaultRowHeight(21);
  sga->SetOptions(sga->Options() | goEditing);
  sga->Columns().Items(0)->SetWidth(200);
  sga->Columns().Items(1)->SetWidth(200);
  sga->Columns().Items(1)->SetColor(Start_Column_Color);
  OnCreate = [this](TObject* s) { FormCreate(s); };
}

TFModbusStartAdd_SD::~TFModbusStartAdd_SD() {
  if (FModbusStartAdd_SD == this) FModbusStartAdd_SD = nullptr;
}

void TFModbusStartAdd_SD::FormCreate(TObject*) {
  SetClientWidth(Client_Width);
  SetClientHeight(Client_Height);
  L_SW_Code->SetCaption(SW_Code);
  Set_Lang();
}

void TFModbusStartAdd_SD::Fill(const std::vector<std::string>& captions) {
  if (sga->EditorMode()) sga->HideEditor();
  sga->SetRowCount(static_cast<int>(captions.size()) + 1 > 1 ? static_cast<int>(captions.size()) + 1 : 2);
  for (int r = 1; r < sga->RowCount(); ++r) {
    const std::size_t i = static_cast<std::size_t>(r - 1);
    sga->SetCells(0, r, i < captions.size() ? captions[i] : "");
    sga->SetCells(1, r, i < captions.size() ? "1" : "");
  }
}

std::vector<std::string> TFModbusStartAdd_SD::Start_Cells() const {
  std::vector<std::string> cells;
  for (int r = 1; r < sga->RowCount(); ++r)
    cells.push_back(sga->Cells(1, r));
  return cells;
}

void TFModbusStartAdd_SD::Set_Start_Cell(int row, const std::string& text) {
  sga->SetCells(1, row, text);
}

bool TFModbusStartAdd_SD::Check_Data() {
  if (sga->EditorMode()) sga->HideEditor();
  if (auto message = Check_Start_Add_Rows(Start_Cells())) {
    MessageDlg(*message, mtError, mbOK);
    return false;
  }
  return true;
}

void TFModbusStartAdd_SD::Btn_OKClick(TObject*) {
  if (Check_Data()) SetModalResult(mrOk);
}

void TFModbusStartAdd_SD::Set_Lang() {
  SetCaption(Lang_Text(2400));
  L_SW_Desc->SetCaption(Lang_Text(2401));
  CB_En_NodeState->SetCaption(Lang_Text(2402));
  CB_En_IndNum->SetCaption(Lang_Text(2403));
  sga->Columns().Items(0)->SetHeader(Lang_Text(2404));
  sga->Columns().Items(1)->SetHeader(Lang_Text(2405));
  Btn_OK->SetCaption(Lang_Text(2406));
  Btn_Cancel->SetCaption(Lang_Text(2407));
}
