#include "mbus/UNewIDNode.h"

#include "app/UComon.h"
#include "app/ULanguage.h"
#include "mbus/MBusLook.h"
#include "mbus/TypedNumber.h"
#include "platform/Dialogs.h"

TFNewIDNode* FNewIDNode = nullptr;

using namespace MBusLook;

namespace {

constexpr int Box_Left = 300;
constexpr int Box_Width = 110;
constexpr TColor Index_Column_Color = RGB(0xDA, 0xFD, 0xD9);
constexpr int Col_Desc_Reg = 0;
constexpr int Col_Index = 1;
constexpr int Col_Desc_Var = 2;

const TNodi_List No_Network;

void Place_Row(TLabel* label, TEdit* box, int top) {
  label->SetTop(top + 3);
  box->SetTop(top);
}

} // namespace

TFNewIDNode::TFNewIDNode(TComponent* AOwner) : TForm(AOwner) {
  SetName("FNewIDNode");
  SetBorderStyle(bsSingle);
  SetBorderIcons(biSystemMenu);
  SetPosition(poScreenCenter);
  Set_Form_Look(this, NewID_Client_Width, NewID_Client_Height);
  Create_Controls();
  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
}

TFNewIDNode::~TFNewIDNode() {
  if (FNewIDNode == this) FNewIDNode = nullptr;
}

void TFNewIDNode::Create_Controls() {
  P_Title = Make_Title(this, L_SW_Code, L_SW_Desc);
  P_Button = Make_Panel(this, this, "P_Button", 40);
  P_Button->SetAlign(alBottom);
  Btn_OK = Make_Button(this, P_Button, "Btn_OK", Bounds(190, 6, 110, 28),
                       [this](TObject* s) { LbButton2Click(s); });
  Btn_Cancel = Make_Button(this, P_Button, "Btn_Cancel", Bounds(312, 6, 110, 28), nullptr);
  Btn_Cancel->SetModalResult(mrCancel);

  Panel1 = Make_Panel(this, this, "Panel1", 161);
  Panel1->SetAlign(alTop);
  Panel1->SetTop(70);
  RB_ID_Primary = Make<TRadioButton>(this, Panel1, "RB_ID_Primary");
  RB_ID_Primary->SetBounds(16, 10, 260, 20);
  RB_ID_Primary->SetChecked(true);
  E_New_Node_ID_Pri = Make_Edit(this, Panel1, "E_New_Node_ID_Pri", Bounds(Box_Left, 8, Box_Width, 21), "1");
  RB_ID_Secondary = Make<TRadioButton>(this, Panel1, "RB_ID_Secondary");
  RB_ID_Secondary->SetBounds(16, 34, 260, 20);
  E_New_Node_ID_Sec = Make_Edit(this, Panel1, "E_New_Node_ID_Sec", Bounds(Box_Left, 32, Box_Width, 21), "1");
  L_wMBus_Add = Make_Label(this, Panel1, "L_wMBus_Add", 16, 11);
  E_wMBus_Add = Make_Edit(this, Panel1, "E_wMBus_Add", Bounds(Box_Left, 8, Box_Width, 21), "1");
  Label2 = Make_Label(this, Panel1, "Label2", 16, 83);
  E_MR_NodeState = Make_Edit(this, Panel1, "E_MR_NodeState", Bounds(Box_Left, 80, Box_Width, 21), "1");
  Label3 = Make_Label(this, Panel1, "Label3", 16, 107);
  E_MR_IdentNum = Make_Edit(this, Panel1, "E_MR_IdentNum", Bounds(Box_Left, 104, Box_Width, 21), "1");
  L_wMBus_RSSI = Make_Label(this, Panel1, "L_wMBus_RSSI", 16, 115);
  E_wMBus_RSSI = Make_Edit(this, Panel1, "E_wMBus_RSSI", Bounds(Box_Left, 112, Box_Width, 21), "1");

  Panel3 = Make_Panel(this, this, "Panel3", 200);
  Panel3->SetAlign(alClient);
  Label4 = Make_Label(this, Panel3, "Label4", 16, 8);
  ASG_MR_Var = Make<TProColumnGrid>(this, Panel3, "ASG_MR_Var");
  ASG_MR_Var->SetBounds(16, 28, 400, 190);
  ASG_MR_Var->SetAnchors(akLeft | akTop | akRight | akBottom);
  ASG_MR_Var->SetColCount(3);
  ASG_MR_Var->SetRowCount(2);
  ASG_MR_Var->SetFixedCols(0);
  ASG_MR_Var->SetFixedRows(1);
  ASG_MR_Var->SetDefaultRowHeight(21);
  ASG_MR_Var->SetOptions(ASG_MR_Var->Options() | goEditing);
  const struct {
    const char* Header;
    int Width;
    bool ReadOnly;
  } columns[] = {{"Desc. Reg.", 78, true}, {"Index", 64, false}, {"Description Variable", 223, true}};
  for (int c = 0; c < 3; ++c) {
    TGridColumnItem* item = ASG_MR_Var->Columns().Items(c);
    item->SetHeader(columns[c].Header);
    item->SetWidth(columns[c].Width);
    item->SetReadOnly(columns[c].ReadOnly);
  }
  ASG_MR_Var->Columns().Items(Col_Index)->SetColor(Index_Column_Color);
}

void TFNewIDNode::FormCreate(TObject*) {
  L_SW_Code->SetCaption(SW_Code);
  SetClientWidth(NewID_Client_Width);
  SetClientHeight(NewID_Client_Height);
  Set_Lang();
}

void TFNewIDNode::Fill_Variables(const std::vector<TVariabile>& vars) {
  TProColumnGrid* g = ASG_MR_Var;
  if (g->EditorMode()) g->HideEditor();
  if (vars.empty()) {
    g->SetRowCount(2);
    for (int c = 0; c < 3; ++c)
      g->SetCells(c, 1, "");
    return;
  }
  g->SetRowCount(static_cast<int>(vars.size()) * 3 + 1);
  for (std::size_t i = 0; i < vars.size(); ++i) {
    const int r = static_cast<int>(i) * 3 + 1;
    const std::string& desc = vars[i].Description;
    g->SetCells(Col_Desc_Reg, r, Lang_Text(1902));
    g->SetCells(Col_Index, r, std::to_string(vars[i].PositionData));
    g->SetCells(Col_Desc_Var, r, desc);
    // The scale row keeps what was typed last.
    g->SetCells(Col_Desc_Reg, r + 1, Lang_Text(1903));
    g->SetCells(Col_Desc_Var, r + 1, desc);
    g->SetCells(Col_Desc_Reg, r + 2, Lang_Text(1904));
    g->SetCells(Col_Index, r + 2, std::to_string(vars[i].TP_Mod_Year));
    g->SetCells(Col_Desc_Var, r + 2, desc);
  }
}

void TFNewIDNode::FormShow(TObject*) {
  for (TControl* c : {static_cast<TControl*>(RB_ID_Primary), static_cast<TControl*>(E_New_Node_ID_Pri),
                      static_cast<TControl*>(RB_ID_Secondary), static_cast<TControl*>(E_New_Node_ID_Sec)})
    c->SetVisible(true);
  for (TControl* c : {static_cast<TControl*>(L_wMBus_Add), static_cast<TControl*>(E_wMBus_Add),
                      static_cast<TControl*>(L_wMBus_RSSI), static_cast<TControl*>(E_wMBus_RSSI)})
    c->SetVisible(false);
  Place_Row(Label2, E_MR_NodeState, 80);
  Place_Row(Label3, E_MR_IdentNum, 104);
  switch (Form_Type) {
  case nfWiredNode:
    Panel1->SetHeight(161);
    SetCaption(Lang_Text(2000));
    L_SW_Desc->SetCaption(Lang_Text(2002));
    break;
  case nfVariable:
    Panel1->SetHeight(8);
    SetCaption(Lang_Text(2001));
    L_SW_Desc->SetCaption(Lang_Text(2003));
    break;
  case nfWirelessNode:
    for (TControl* c : {static_cast<TControl*>(RB_ID_Primary), static_cast<TControl*>(E_New_Node_ID_Pri),
                        static_cast<TControl*>(RB_ID_Secondary), static_cast<TControl*>(E_New_Node_ID_Sec)})
      c->SetVisible(false);
    L_wMBus_Add->SetCaption(Lang_Text(2012));
    L_wMBus_Add->SetVisible(true);
    E_wMBus_Add->SetVisible(true);
    L_wMBus_RSSI->SetVisible(true);
    E_wMBus_RSSI->SetVisible(true);
    Place_Row(Label2, E_MR_NodeState, 64);
    Place_Row(Label3, E_MR_IdentNum, 88);
    Place_Row(L_wMBus_RSSI, E_wMBus_RSSI, 112);
    Panel1->SetHeight(E_wMBus_RSSI->Top() + E_wMBus_RSSI->Height() + 4);
    SetCaption(Lang_Text(2000));
    L_SW_Desc->SetCaption(Lang_Text(2002));
    break;
  default:
    break;
  }
}

void TFNewIDNode::LbButton2Click(TObject*) {
  if (ASG_MR_Var->EditorMode()) ASG_MR_Var->HideEditor();
  const TNodi_List& nodes = Network ? *Network : No_Network;
  bool passed = true;
  auto stop = [](int text) { MessageDlg(Lang_Text(text), mtError, mbOK); };
  auto go_on = [&](const std::string& message) {
    MessageDlg(message, mtError, mbOK);
    passed = false;
  };

  if (Form_Type == nfWiredNode || Form_Type == nfWirelessNode) {
    // The paste converts these three boxes too: a text that is no number must not get that far.
    std::vector<TEdit*> registers{E_MR_NodeState, E_MR_IdentNum};
    if (Form_Type == nfWirelessNode) registers.push_back(E_wMBus_RSSI);
    for (TEdit* box : registers)
      if (!Typed_Int32(box->Text())) return stop(Txt_NewID_Registers_Not_Numbers);
  }
  if (Form_Type == nfWiredNode) {
    const bool primary = !RB_ID_Secondary->Checked();
    const std::int64_t id = Typed_Or_Minus1(primary ? E_New_Node_ID_Pri->Text() : E_New_Node_ID_Sec->Text());
    if (primary && (id < 0 || id > 255)) return stop(2013);
    if (!primary && (id < 0 || id > 99999999)) return stop(2014);
    if (auto taken = Check_Node_ID2(static_cast<std::int32_t>(id), primary ? 0 : 1, nodes)) go_on(*taken);
  }
  if (Form_Type == nfWirelessNode) {
    const std::int64_t address = Typed64_Or_Minus1(E_wMBus_Add->Text());
    if (address < 0 || address > 0xFFFFFFFFLL) return stop(2015);
  }
  for (int group = 0; group < Register_Groups(); ++group) {
    const int r = group * 3 + 1;
    const std::int64_t R = Typed_Or_Minus1(ASG_MR_Var->Cells(Col_Index, r));
    const std::int64_t S = Typed_Or_Minus1(ASG_MR_Var->Cells(Col_Index, r + 1));
    const std::int64_t Y = Typed_Or_Minus1(ASG_MR_Var->Cells(Col_Index, r + 2));
    if (R < 1 || R > 59999) return stop(2016);
    if (S < 0 || S > 59999) return stop(2017);
    if (Y < 0 || Y > 59995) return stop(2018);
    if (auto conflict = Check_Registers(static_cast<std::int32_t>(R), static_cast<std::int32_t>(S),
                                        static_cast<std::int32_t>(Y), 1, nodes, Selection))
      go_on(*conflict);
  }
  if (passed) SetModalResult(mrOk);
}

void TFNewIDNode::Set_Lang() {
  SetCaption(Lang_Text(2000));
  L_SW_Desc->SetCaption(Lang_Text(2002));
  Btn_OK->SetCaption(Lang_Text(2004));
  Btn_Cancel->SetCaption(Lang_Text(2005));
  RB_ID_Primary->SetCaption(Lang_Text(2006));
  RB_ID_Secondary->SetCaption(Lang_Text(2007));
  Label2->SetCaption(Lang_Text(2008));
  Label3->SetCaption(Lang_Text(2009));
  Label4->SetCaption(Lang_Text(2010));
  L_wMBus_RSSI->SetCaption(Lang_Text(2011));
  L_wMBus_Add->SetCaption(Lang_Text(2012));
}
