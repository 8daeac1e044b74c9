#include "gateway/ULoRa_Set_Access.h"

#include "app/GridRowRoutines.h"
#include "app/UComon.h"
#include "app/ULanguage.h"
#include "gateway/GatewayLook.h"
#include "gateway/LoRaWANTexts.h"
#include "platform/Dialogs.h"
#include "platform/Format.h"

#include <algorithm>
#include <string>

TFLoRa_Set_Access* FLoRa_Set_Access = nullptr;

namespace {

using namespace GatewayLook;

constexpr int Data_Row_Height = 22;

struct TColumnSpec {
  int Header;
  bool CheckBox;
  int Width;
  int Hint; // 0 for the number column
};

const TColumnSpec Uplink_Columns[LoRa_Up_Col_Count] = {
    {1216, false, 40, 0},    {1217, true, 50, 1225},   {1218, false, 80, 1226}, {1219, false, 80, 1227},
    {1220, true, 70, 1228},  {1221, true, 55, 1229},   {1222, true, 65, 1230},  {1223, false, 80, 1231},
    {1250, false, 60, 1251}, {1224, false, 280, 1232},
};

const TColumnSpec Downlink_Columns[LoRa_Down_Col_Count] = {
    {1233, false, 40, 0},    {1234, true, 50, 1238},  {1235, false, 80, 1239},
    {1236, false, 80, 1240}, {1252, false, 60, 1253}, {1237, false, 550, 1241},
};

template <std::size_t N>
void Set_Headers(TProColumnGrid* grid, const TColumnSpec (&specs)[N], std::vector<std::string>& hints) {
  hints.clear();
  // The grid takes the headers in once, not again at each column.
  grid->Columns().BeginUpdate();
  for (std::size_t c = 0; c < N; ++c) {
    grid->Columns().Items(static_cast<int>(c))->SetHeader(Lang_Text(specs[c].Header));
    if (c > 0) hints.push_back(Lang_Text(specs[c].Hint));
  }
  grid->Columns().EndUpdate();
}

void Show_FPort(TProColumnGrid* grid, int col, bool shown) {
  if (shown && grid->IsHiddenColumn(col)) grid->UnHideColumn(col);
  if (!shown && !grid->IsHiddenColumn(col)) grid->HideColumn(col);
}

} // namespace

TFLoRa_Set_Access::TFLoRa_Set_Access(TComponent* AOwner) : TForm(AOwner) {
  SetName("FLoRa_Set_Access");
  SetBorderStyle(bsSingle);
  SetBorderIcons(biSystemMenu);
  SetPosition(poScreenCenter);
  SetClientWidth(LoRa_Set_Access_Client_Width);
  SetClientHeight(600);
  SetColor(Form_Color);
  Font().SetName("Verdana");
  Font().SetHeight(-11);
  Create_Controls();
  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
}

TFLoRa_Set_Access::~TFLoRa_Set_Access() {
  if (FLoRa_Set_Access == this) FLoRa_Set_Access = nullptr;
}

void TFLoRa_Set_Access::Create_Controls() {
  P_Title = Make_Title(this, L_SW_Code, L_SW_Desc);

  P_Button = Make_Panel(this, "P_Button", 40);
  P_Button->SetAlign(alBottom);
  auto button = [this](const char* name, int left, TNotifyEvent click) {
    TLbButton* b = Make<TLbButton>(this, P_Button, name);
    b->SetBounds(left, 6, 110, 28);
    b->OnClick = std::move(click);
    Style_Button(b);
    return b;
  };
  Btn_DelRow = button("Btn_DelRow", 10, [this](TObject* s) { Btn_DelRowClick(s); });
  Btn_InsRow = button("Btn_InsRow", 128, [this](TObject* s) { Btn_InsRowClick(s); });
  Btn_CopyRow = button("Btn_CopyRow", 246, [this](TObject* s) { Btn_CopyRowClick(s); });
  Btn_PasteRow = button("Btn_PasteRow", 364, [this](TObject* s) { Btn_PasteRowClick(s); });
  Btn_OK = button("Btn_OK", 662, [this](TObject* s) { Btn_OKClick(s); });
  Btn_Cancel = button("Btn_Cancel", 780, nullptr);
  Btn_Cancel->SetModalResult(mrCancel);
  for (TLbButton* b : {Btn_OK, Btn_Cancel})
    b->SetAnchors(akTop | akRight);

  PC_LoRa = Make<TPageControl>(this, this, "PC_LoRa");
  PC_LoRa->SetAlign(alClient);
  TS_LoRa_Uplink = new TTabSheet(this);
  TS_LoRa_Uplink->SetName("TS_LoRa_Uplink");
  TS_LoRa_Uplink->SetPageControl(PC_LoRa);
  TS_LoRa_Downlink = new TTabSheet(this);
  TS_LoRa_Downlink->SetName("TS_LoRa_Downlink");
  TS_LoRa_Downlink->SetPageControl(PC_LoRa);

  auto grid = [this](TTabSheet* page, const char* name, const TColumnSpec* specs, int count) {
    auto* g = Make<TProColumnGrid>(this, page, name);
    g->SetAlign(alClient);
    g->SetColCount(count);
    g->SetRowCount(LoRaWAN_Table_Slots + 1);
    g->SetFixedCols(1);
    g->SetFixedRows(1);
    g->SetDefaultRowHeight(Data_Row_Height);
    g->SetOptions(g->Options() | goEditing);
    for (int c = 0; c < count; ++c) {
      TGridColumnItem* item = g->Columns().Items(c);
      item->SetWidth(specs[c].Width);
      if (specs[c].CheckBox) item->SetEditor(edDataCheckBox);
    }
    g->OnClickCell = [this](TObject* s, int r, int c) { ClickCell(s, r, c); };
    g->OnDblClickCell = [this](TObject* s, int r, int c) { DblClickCell(s, r, c); };
    g->OnKeyPress = [this](TObject* s, WideChar& k) { KeyPress(s, k); };
    g->OnGridHint = [this](TObject* s, int r, int c, std::string& h) { GridHint(s, r, c, h); };
    return g;
  };
  ACG_LoRa_Uplink = grid(TS_LoRa_Uplink, "ACG_LoRa_Uplink", Uplink_Columns, LoRa_Up_Col_Count);
  ACG_LoRa_Downlink = grid(TS_LoRa_Downlink, "ACG_LoRa_Downlink", Downlink_Columns, LoRa_Down_Col_Count);
}

void TFLoRa_Set_Access::FormCreate(TObject*) {
  L_SW_Code->SetCaption(SW_Code);
  SetClientWidth(LoRa_Set_Access_Client_Width);
  TS_LoRa_Downlink->SetTabVisible(true);
  Set_Lang();
}

void TFLoRa_Set_Access::Clear_Grids() {
  for (TProColumnGrid* g : {ACG_LoRa_Uplink, ACG_LoRa_Downlink}) {
    if (g->EditorMode()) g->HideEditor();
    const int columns = g->ColCount() + g->NumHiddenColumns();
    for (int r = 1; r < g->RowCount(); ++r) {
      g->SetCells(0, r, std::to_string(r - 1));
      g->SetCells(LoRa_Col_Enable, r, "Y");
      for (int c = LoRa_Col_Enable + 1; c < columns; ++c)
        g->SetCells(c, r, "");
    }
  }
}

void TFLoRa_Set_Access::FormShow(TObject*) {
  PC_LoRa->SetActivePage(TS_LoRa_Uplink);
  // Typing goes into the rules, not to the first row button (where Enter would ask to delete).
  SetActiveControl(ACG_LoRa_Uplink);
  FPortFixed = true;
  MaxPayloadSize = 0;
  const TLoRaWANParGenSettings settings = Read_LoRaWAN_ParGen_Settings(FileName_ParGen);
  // An unreadable ParGen.xml is told and then treated as a missing one.
  if (settings.State == TXmlFileState::Unreadable) MessageDlg(settings.Message, mtError, mbOK);
  MaxPayloadSize = settings.MaxPayloadSize;
  FPortFixed = settings.FPortFixed;

  Show_FPort(ACG_LoRa_Uplink, LoRa_Up_Col_FPort, !FPortFixed);
  Show_FPort(ACG_LoRa_Downlink, LoRa_Down_Col_FPort, !FPortFixed);
  for (TProColumnGrid* g : {ACG_LoRa_Uplink, ACG_LoRa_Downlink})
    g->SetRowCount(LoRaWAN_Capacity(FPortFixed) + 1);
  // After the row count is settled, so rows that came back with a larger count are cleared too.
  Clear_Grids();

  if (MaxPayloadSize == 0) MessageDlg(Lang_Text(Txt_LoRa_Payload_Not_Set), mtWarning, mbOK);

  const TLoRaWANLoad load = Load_LoRaWAN_SetAccess(FileName_LoRaWAN_SetAccess);
  if (load.State == TXmlFileState::Unreadable) MessageDlg(load.Message, mtError, mbOK);
  if (load.State == TXmlFileState::Loaded) Show_Rules(load.Rules);

  Do_Copy_Uplink = false;
  Do_Copy_Downlink = false;
}

void TFLoRa_Set_Access::Show_Rules(const TLoRaWANSetAccess& rules) {
  TProColumnGrid* up = ACG_LoRa_Uplink;
  TProColumnGrid* down = ACG_LoRa_Downlink;
  const std::size_t upRows = static_cast<std::size_t>(up->RowCount() - 1);
  const std::size_t downRows = static_cast<std::size_t>(down->RowCount() - 1);
  for (std::size_t i = 0; i < std::min(rules.Uplink.size(), upRows); ++i) {
    const TLoRaUplinkRule& u = rules.Uplink[i];
    const int r = static_cast<int>(i) + 1;
    const std::string* values[] = {&u.Enable,  &u.StartByte, &u.NumByte, &u.OnChange, &u.OnCMD,
                                   &u.OnTimer, &u.Time,      &u.FPort,   &u.Mnemonic};
    for (int c = 1; c < LoRa_Up_Col_Count; ++c)
      up->SetCells(c, r, *values[c - 1]);
  }
  for (std::size_t i = 0; i < std::min(rules.Downlink.size(), downRows); ++i) {
    const TLoRaDownlinkRule& d = rules.Downlink[i];
    const int r = static_cast<int>(i) + 1;
    const std::string* values[] = {&d.Enable, &d.StartByte, &d.NumByte, &d.FPort, &d.Mnemonic};
    for (int c = 1; c < LoRa_Down_Col_Count; ++c)
      down->SetCells(c, r, *values[c - 1]);
  }
  // Rules past the table would be lost at the next save without a word.
  if (rules.Uplink.size() > upRows || rules.Downlink.size() > downRows)
    MessageDlg(Format(Lang_Text(Txt_LoRa_Too_Many_Rules), {static_cast<std::int64_t>(upRows)}), mtWarning,
               mbOK);
}

TLoRaWANSetAccess TFLoRa_Set_Access::Rules_Of_Grids() const {
  TLoRaWANSetAccess rules;
  const TProColumnGrid* up = ACG_LoRa_Uplink;
  for (int r = 1; r < up->RowCount(); ++r) {
    TLoRaUplinkRule& u = rules.Uplink.emplace_back();
    std::string* values[] = {&u.Enable,  &u.StartByte, &u.NumByte, &u.OnChange, &u.OnCMD,
                             &u.OnTimer, &u.Time,      &u.FPort,   &u.Mnemonic};
    for (int c = 1; c < LoRa_Up_Col_Count; ++c)
      *values[c - 1] = up->Cells(c, r);
  }
  const TProColumnGrid* down = ACG_LoRa_Downlink;
  for (int r = 1; r < down->RowCount(); ++r) {
    TLoRaDownlinkRule& d = rules.Downlink.emplace_back();
    std::string* values[] = {&d.Enable, &d.StartByte, &d.NumByte, &d.FPort, &d.Mnemonic};
    for (int c = 1; c < LoRa_Down_Col_Count; ++c)
      *values[c - 1] = down->Cells(c, r);
  }
  return rules;
}

void TFLoRa_Set_Access::Commit_Edits() {
  for (TProColumnGrid* g : {ACG_LoRa_Uplink, ACG_LoRa_Downlink})
    if (g->EditorMode()) g->HideInplaceEdit();
}

bool TFLoRa_Set_Access::Controllo_dati() {
  const TGatewayResult result = Check_LoRaWAN_Rules(Rules_Of_Grids(), MaxPayloadSize, FPortFixed);
  if (!result) MessageDlg(result.Message, mtError, mbOK);
  return result.Ok;
}

void TFLoRa_Set_Access::Btn_OKClick(TObject*) {
  Commit_Edits();
  if (!Controllo_dati()) return;
  const TGatewayResult saved =
      Save_LoRaWAN_SetAccess(FileName_LoRaWAN_SetAccess, Rules_Of_Grids(), FPortFixed);
  if (!saved) {
    MessageDlg(saved.Message, mtError, mbOK);
    return;
  }
  SetModalResult(mrOk);
}

TProColumnGrid* TFLoRa_Set_Access::Active_Grid() const {
  return PC_LoRa->ActivePage() == TS_LoRa_Downlink ? ACG_LoRa_Downlink : ACG_LoRa_Uplink;
}

void TFLoRa_Set_Access::Btn_InsRowClick(TObject*) {
  Commit_Edits();
  TProColumnGrid* g = Active_Grid();
  Insert_Grid_Row(g->Row(), g, true);
}

void TFLoRa_Set_Access::Btn_DelRowClick(TObject*) {
  Commit_Edits();
  TProColumnGrid* g = Active_Grid();
  const int row = g->Row();
  if (row < g->FixedRows() || row >= g->RowCount()) return;
  if (MessageDlg(Lang_Text(Txt_LoRa_Delete_Row) + std::to_string(row), mtConfirmation, mbYesNo) != mrYes)
    return;
  Delete_Grid_Row(row, g);
}

void TFLoRa_Set_Access::Btn_CopyRowClick(TObject*) {
  Commit_Edits();
  TProColumnGrid* g = Active_Grid();
  if (!Copy_Grid_Row(g, g->Row())) return;
  Do_Copy_Uplink = g == ACG_LoRa_Uplink;
  Do_Copy_Downlink = !Do_Copy_Uplink;
}

void TFLoRa_Set_Access::Btn_PasteRowClick(TObject*) {
  Commit_Edits();
  TProColumnGrid* g = Active_Grid();
  Paste_Grid_Row(g, g->Row(), g == ACG_LoRa_Uplink ? Do_Copy_Uplink : Do_Copy_Downlink);
}

void TFLoRa_Set_Access::ClickCell(TObject* Sender, int ARow, int ACol) {
  auto* g = dynamic_cast<TProColumnGrid*>(Sender);
  if (!g || ACol != 0 || ARow < g->FixedRows() || ARow >= g->RowCount()) return;
  g->SelectRows(ARow, 1);
}

void TFLoRa_Set_Access::DblClickCell(TObject* Sender, int ARow, int ACol) {
  Grid_DblClick_AutoSize(dynamic_cast<TProStringGrid*>(Sender), ARow, ACol);
}

void TFLoRa_Set_Access::KeyPress(TObject* Sender, WideChar& Key) {
  Grid_Enter_Next_Cell(dynamic_cast<TProStringGrid*>(Sender), Key);
}

void TFLoRa_Set_Access::GridHint(TObject* Sender, int ARow, int ACol, std::string& HintStr) {
  HintStr.clear();
  TProColumnGrid* g = Active_Grid();
  if (Sender != g || ARow != 0 || ACol < 1) return;
  const std::vector<std::string>& hints = g == ACG_LoRa_Uplink ? Hint_UpLink : Hint_DownLink;
  const int entry = g->DisplToRealCol(ACol) - 1;
  if (entry >= 0 && entry < static_cast<int>(hints.size())) HintStr = hints[static_cast<std::size_t>(entry)];
}

void TFLoRa_Set_Access::Set_Lang() {
  SetCaption(Lang_Text(1200));
  L_SW_Desc->SetCaption(Lang_Text(1201));
  TLbButton* buttons[] = {Btn_OK, Btn_Cancel, Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow};
  for (int i = 0; i < 6; ++i) {
    buttons[i]->SetCaption(Lang_Text(1202 + i));
    buttons[i]->SetHint(Lang_Text(1208 + i));
  }
  TS_LoRa_Uplink->SetCaption(Lang_Text(1214));
  TS_LoRa_Downlink->SetCaption(Lang_Text(1215));
  Set_Headers(ACG_LoRa_Uplink, Uplink_Columns, Hint_UpLink);
  Set_Headers(ACG_LoRa_Downlink, Downlink_Columns, Hint_DownLink);
}
