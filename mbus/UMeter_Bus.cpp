#include "mbus/UMeter_Bus.h"

#include "app/UComon.h"
#include "app/ULanguage.h"
#include "mbus/MBusLook.h"
#include "mbus/NetworkFile.h"
#include "mbus/NetworkTexts.h"
#include "mbus/NetworkValueLists.h"
#include "mbus/TypedNumber.h"
#include "mbus/UNewIDNode.h"
#include "platform/AtomicFile.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Format.h"
#include "platform/ui/Graphics.h"
#include "platform/ui/SystemMetrics.h"

#include <filesystem>

TFMeter_Bus* FMeter_Bus = nullptr;

using namespace MBusLook;

namespace {

constexpr int Row = 24;
constexpr int Box_Left = 160;
constexpr int Box_Width = 150;

std::string Not_A_Number(const std::string& text) {
  return "'" + text + "' is not a valid integer value";
}

void Place(TControl* c, int top, bool shown = true) {
  c->SetTop(top);
  c->SetVisible(shown);
}

// A list's index when it is one of its entries; -1 (no entry shown) otherwise.
int Index_In(const TComboBox* c, std::int64_t index) {
  return index >= 0 && index < c->Items().Count() ? static_cast<int>(index) : -1;
}

bool All_Chosen(std::initializer_list<const TComboBox*> lists) {
  for (const TComboBox* c : lists)
    if (c->ItemIndex() < 0) {
      MessageDlg(Lang_Text(Txt_Editor_List_Not_Chosen), mtError, mbOK);
      return false;
    }
  return true;
}

} // namespace

TFMeter_Bus::TFMeter_Bus(TComponent* AOwner) : TForm(AOwner) {
  SetName("FMeter_Bus");
  SetBorderStyle(bsSingle);
  SetBorderIcons(biSystemMenu);
  SetPosition(poScreenCenter);
  Set_Form_Look(this, Meter_Bus_Client_Width, Meter_Bus_Client_Height);
  Create_Controls();
  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
}

TFMeter_Bus::~TFMeter_Bus() {
  if (FMeter_Bus == this) FMeter_Bus = nullptr;
}

void TFMeter_Bus::Create_Controls() {
  P_Title = Make_Title(this, L_SW_Code, L_SW_Desc);
  P_Button = Make_Panel(this, this, "P_Button", 40);
  P_Button->SetAlign(alBottom);
  Btn_ImportNet = Make_Button(this, P_Button, "Btn_ImportNet", Bounds(10, 6, 141, 28),
                              [this](TObject* s) { Btn_ImportNetClick(s); });
  Btn_OK = Make_Button(this, P_Button, "Btn_OK", Bounds(596, 6, 110, 28),
                       [this](TObject* s) { LbButton2Click(s); });
  Btn_Cancel = Make_Button(this, P_Button, "Btn_Cancel", Bounds(714, 6, 110, 28),
                           [this](TObject* s) { LbButton4Click(s); });
  Panel3 = Make_Panel(this, this, "Panel3", 551);
  Panel3->SetAlign(alRight);
  Panel3->SetWidth(336);
  TW = Make<TPlainTreeView>(this, this, "TW");
  TW->SetAlign(alClient);
  TW->Font().SetName("Verdana");
  TW->Font().SetHeight(-13);
  TW->SetIndent(19);
  TW->OnChange = [this](TObject* s) { TWClick(s); };
  PopupMenu1 = new TPopupMenu(this);
  PopupMenu1->SetName("PopupMenu1");
  auto item = [this](TMenuItem*& m, const char* name, TNotifyEvent click) {
    m = new TMenuItem(this);
    m->SetName(name);
    m->OnClick = std::move(click);
    PopupMenu1->Items()->Add(m);
  };
  item(CopyVariable1, "CopyVariable1", [this](TObject* s) { CopyVariable1Click(s); });
  item(PasteVariable1, "PasteVariable1", [this](TObject* s) { PasteVariable1Click(s); });
  TMenuItem* sep1 = nullptr;
  item(sep1, "N1", nullptr);
  sep1->SetCaption("-");
  item(CopyNode1, "CopyNode1", [this](TObject* s) { CopyNode1Click(s); });
  item(PasteNode1, "PasteNode1", [this](TObject* s) { PasteNode1Click(s); });
  TMenuItem* sep2 = nullptr;
  item(sep2, "N2", nullptr);
  sep2->SetCaption("-");
  item(DeleteItem1, "DeleteItem1", [this](TObject* s) { DeleteItem1Click(s); });
  TW->SetPopupMenu(PopupMenu1);
  OD_Import_Net = new TOpenDialog(this);
  OD_Import_Net->SetName("OD_Import_Net");
  OD_Import_Net->SetFilter("XML File (*.xml)|*.xml");

  ProPageControl1 = Make<TProPageControl>(this, Panel3, "ProPageControl1");
  ProPageControl1->SetAlign(alClient);
  ProTabSheet1 = Make<TProTabSheet>(this, ProPageControl1, "ProTabSheet1");
  ProTabSheet1->SetProPageControl(ProPageControl1);
  ProTabSheet2 = Make<TProTabSheet>(this, ProPageControl1, "ProTabSheet2");
  ProTabSheet2->SetProPageControl(ProPageControl1);
  Create_Node_Page();
  Create_Var_Page();
}

void TFMeter_Bus::Create_Node_Page() {
  TWinControl* page = ProTabSheet1;
  auto check = [&](TCheckBox*& c, const char* name, TWinControl* in, int left = 8, int width = 150) {
    c = Make<TCheckBox>(this, in, name);
    c->SetBounds(left, 0, width, 17);
  };
  auto edit = [&](TEdit*& e, const char* name, TWinControl* in, const char* text = "", int left = Box_Left,
                  int width = Box_Width) { e = Make_Edit(this, in, name, Bounds(left, 0, width, 21), text); };
  auto label = [&](TLabel*& l, const char* name, TWinControl* in, int left = 8) {
    l = Make_Label(this, in, name, left, 0);
  };
  auto combo = [&](TComboBox*& c, const char* name, TWinControl* in,
                   std::initializer_list<const char*> items) {
    c = Make<TComboBox>(this, in, name);
    c->SetStyle(csDropDownList);
    c->SetBounds(Box_Left, 0, Box_Width, 21);
    c->Items().Assign({items.begin(), items.end()});
    c->SetItemIndex(c->Items().Count() > 0 ? 0 : -1);
  };
  check(CB_Node_En, "CB_Node_En", page);
  label(L_Node_Desc, "L_Node_Desc", page);
  edit(E_New_Node_Desc, "E_New_Node_Desc", page);
  label(L_MBus_Type, "L_MBus_Type", page);
  combo(CB_MBus_Type, "CB_MBus_Type", page, {"wM-Bus", "M-Bus on wires"});
  CB_MBus_Type->SetItemIndex(1);
  CB_MBus_Type->OnChange = [this](TObject* s) { CB_MBus_TypeChange(s); };
  RB_ID_Primary = Make<TRadioButton>(this, page, "RB_ID_Primary");
  RB_ID_Primary->SetBounds(8, 0, 150, 17);
  RB_ID_Primary->SetChecked(true);
  edit(E_New_Node_ID_Pri, "E_New_Node_ID_Pri", page, "1");
  RB_ID_Secondary = Make<TRadioButton>(this, page, "RB_ID_Secondary");
  RB_ID_Secondary->SetBounds(8, 0, 150, 17);
  edit(E_New_Node_ID_Sec, "E_New_Node_ID_Sec", page, "1");
  check(CB_Node_State, "CB_Node_State", page);
  edit(E_Node_State, "E_Node_State", page, "1");
  check(CB_Ident_Num, "CB_Ident_Num", page);
  edit(E_Iden, "E_Iden", page, "1");
  check(CB_BCDtoINT_IN, "CB_BCDtoINT_IN", page, 8, 300);
  label(L_Swap_IN, "L_Swap_IN", page);
  combo(CB_Swap_IN, "CB_Swap_IN", page, {"None", "Type 1"});
  check(CB_SND_NKE, "CB_SND_NKE", page, 8, 300);
  check(CB_Reset_App, "CB_Reset_App", page, 8, 300);
  label(L_Var_Type, "L_Var_Type", page);
  combo(CB_Var_Type, "CB_Var_Type", page, {"By Type", "By Position"});
  label(L_Cut_After, "L_Cut_After", page);
  combo(CB_Cut_After, "CB_Cut_After", page, {});
  CB_Cut_After->SetWidth(60);
  L_Frames = Make_Label(this, page, "L_Frames", Box_Left + 66, 0);
  check(CB_Manu_Spec_Data, "CB_Manu_Spec_Data", page);
  edit(E_Manu_Spec_Data, "E_Manu_Spec_Data", page, "1");
  label(L_MSD_Length, "L_MSD_Length", page);
  edit(E_MSD_Length, "E_MSD_Length", page, "1");
  label(L_MSD_Offset, "L_MSD_Offset", page);
  edit(E_MSD_Offset, "E_MSD_Offset", page, "1");
  check(CB_Access_Number, "CB_Access_Number", page);
  edit(E_Access_Number, "E_Access_Number", page, "1");
  btn_Add_Node = Make_Button(this, page, "btn_Add_Node", Bounds(Box_Left, 0, Box_Width, 28),
                             [this](TObject* s) { btn_Add_NodeClick(s); });

  P_wMBus_Node = Make_Panel(this, page, "P_wMBus_Node", 14 * Row);
  P_wMBus_Node->SetBounds(0, 0, 320, 14 * Row);
  TWinControl* w = P_wMBus_Node;
  label(L_wMBus_ManID, "L_wMBus_ManID", w);
  edit(E_wMBus_ManID, "E_wMBus_ManID", w);
  label(L_wMBus_Add, "L_wMBus_Add", w);
  edit(E_wMBus_Add, "E_wMBus_Add", w);
  label(L_wMBus_Ver, "L_wMBus_Ver", w);
  edit(E_wMBus_Ver, "E_wMBus_Ver", w);
  label(L_wMBus_DevType, "L_wMBus_DevType", w);
  edit(E_wMBus_DevType, "E_wMBus_DevType", w);
  check(CB_wMBus_EnKey, "CB_wMBus_EnKey", w);
  for (int k = 0; k < 16; ++k) {
    const std::string n = std::to_string(k + 1);
    const int col = k % 4, line = k / 4;
    L_wMBus_K[static_cast<std::size_t>(k)] = Make_Label(this, w, "L_wMBus_K" + n, 8 + col * 78, 0);
    E_wMBus_K[static_cast<std::size_t>(k)] =
        Make_Edit(this, w, "E_wMBus_K" + n, Bounds(48 + col * 78, 0, 34, 21), k == 2 ? "255" : "");
    (void)line;
  }
  check(CB_wMBus_Node_State, "CB_wMBus_Node_State", w);
  edit(E_wMBus_NodeState, "E_wMBus_NodeState", w);
  check(CB_wMBus_Ident_Num, "CB_wMBus_Ident_Num", w);
  edit(E_wMBus_Ident, "E_wMBus_Ident", w);
  check(CB_wMBus_RSSI, "CB_wMBus_RSSI", w);
  CB_wMBus_RSSI->SetCaption("RSSI");
  edit(E_wMBus_RSSI, "E_wMBus_RSSI", w);
  check(CB_wMBus_Access_Number, "CB_wMBus_Access_Number", w);
  edit(E_wMBus_Access_Number, "E_wMBus_Access_Number", w);
  check(CB_wMBus_Conv_BCD, "CB_wMBus_Conv_BCD", w, 8, 300);
  label(L_wMBus_Swap, "L_wMBus_Swap", w);
  combo(CB_wMBus_Swap_Ident, "CB_wMBus_Swap_Ident", w, {"None", "Type 1"});
  label(L_wMBus_VarList, "L_wMBus_VarList", w);
  combo(CB_wMBus_VarList, "CB_wMBus_VarList", w, {"By Type", "By Position"});
  // The wireless panel's rows, fixed within it.
  int top = 4;
  auto wrow = [&](TControl* l, TControl* c) {
    if (l) l->SetTop(top + 3);
    if (c) c->SetTop(top);
    top += Row;
  };
  wrow(L_wMBus_ManID, E_wMBus_ManID);
  wrow(L_wMBus_Add, E_wMBus_Add);
  wrow(L_wMBus_Ver, E_wMBus_Ver);
  wrow(L_wMBus_DevType, E_wMBus_DevType);
  wrow(CB_wMBus_EnKey, nullptr);
  for (int line = 0; line < 4; ++line) {
    for (int col = 0; col < 4; ++col) {
      L_wMBus_K[static_cast<std::size_t>(line * 4 + col)]->SetTop(top + 3);
      E_wMBus_K[static_cast<std::size_t>(line * 4 + col)]->SetTop(top);
    }
    top += Row;
  }
  wrow(CB_wMBus_Node_State, E_wMBus_NodeState);
  wrow(CB_wMBus_Ident_Num, E_wMBus_Ident);
  wrow(CB_wMBus_RSSI, E_wMBus_RSSI);
  wrow(CB_wMBus_Access_Number, E_wMBus_Access_Number);
  wrow(CB_wMBus_Conv_BCD, nullptr);
  wrow(L_wMBus_Swap, CB_wMBus_Swap_Ident);
  wrow(L_wMBus_VarList, CB_wMBus_VarList);
  P_wMBus_Node->SetHeight(top);
}

void TFMeter_Bus::Create_Var_Page() {
  TWinControl* page = ProTabSheet2;
  auto label = [&](TLabel*& l, const char* name) { l = Make_Label(this, page, name, 8, 0); };
  auto edit = [&](TEdit*& e, const char* name, const char* text = "") {
    e = Make_Edit(this, page, name, Bounds(Box_Left, 0, Box_Width, 21), text);
  };
  auto combo = [&](TComboBox*& c, const char* name, std::span<const std::string_view> items) {
    c = Make<TComboBox>(this, page, name);
    c->SetStyle(csDropDownList);
    c->SetBounds(Box_Left, 0, Box_Width, 21);
    c->Items().Assign({items.begin(), items.end()});
    c->SetItemIndex(0);
  };
  CB_Var_En = Make<TCheckBox>(this, page, "CB_Var_En");
  CB_Var_En->SetBounds(8, 0, 200, 17);
  label(L_Var_Desc, "L_Var_Desc");
  edit(E_New_Var_Desc, "E_New_Var_Desc");
  label(L_Var_ToD, "L_Var_ToD");
  combo(CB_Var_ToD, "CB_Var_ToD", Type_Of_Data_Texts());
  CB_Var_ToD->OnChange = [this](TObject* s) { CB_Var_ToDChange(s); };
  label(L_VIF_ASCII, "L_VIF_ASCII");
  edit(E_VIF_ASCII, "E_VIF_ASCII");
  label(L_Var_FF, "L_Var_FF");
  combo(CB_Var_FF, "CB_Var_FF", Function_Field_Texts());
  label(L_Var_Dim, "L_Var_Dim");
  combo(CB_Var_Dim, "CB_Var_Dim", Dimension_Texts());
  CB_Var_Dim->OnChange = [this](TObject* s) { CB_Var_DimChange(s); };
  label(L_Length, "L_Length");
  edit(E_Length, "E_Length", "0");
  label(L_Var_Unit, "L_Var_Unit");
  static const std::string_view units[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
  combo(CB_Var_Unit, "CB_Var_Unit", units);
  label(L_Sto_Num, "L_Sto_Num");
  edit(E_Sto_Num, "E_Sto_Num", "0");
  label(L_Tariff, "L_Tariff");
  edit(E_Tariff, "E_Tariff", "0");
  label(L_VIFE, "L_VIFE");
  combo(CB_VIFE, "CB_VIFE", VIFE_Texts());
  CB_VIFE->OnChange = [this](TObject* s) { CB_Var_ToDChange(s); };
  label(L_Var_MR, "L_Var_MR");
  edit(E_Var_MR, "E_Var_MR");
  GroupBox4 = Make<TGroupBox>(this, page, "GroupBox4");
  GroupBox4->SetBounds(4, 0, 316, 92);
  CB_TP_MR = Make<TCheckBox>(this, GroupBox4, "CB_TP_MR");
  CB_TP_MR->SetBounds(8, 18, 300, 17);
  TEdit** fields[] = {&E_TP_Year, &ST_TP_Month, &ST_TP_Day, &ST_TP_Hour, &ST_TP_Min, &ST_TP_Sec};
  const char* names[] = {"E_TP_Year", "ST_TP_Month", "ST_TP_Day", "ST_TP_Hour", "ST_TP_Min", "ST_TP_Sec"};
  for (int i = 0; i < 6; ++i) {
    L_TP[static_cast<std::size_t>(i)] =
        Make_Label(this, GroupBox4, "L_TP" + std::to_string(i), 8 + i * 51, 42);
    *fields[i] = Make_Edit(this, GroupBox4, names[i], Bounds(8 + i * 51, 60, 46, 21), i == 0 ? "1" : "0");
    if (i > 0) (*fields[i])->SetReadOnly(true);
  }
  L_TP[5]->SetCaption("SS");
  E_TP_Year->OnChange = [this](TObject* s) { E_TP_YearChange(s); };
  CB_BCDtoINT = Make<TCheckBox>(this, page, "CB_BCDtoINT");
  CB_BCDtoINT->SetBounds(8, 0, 300, 17);
  CB_Float = Make<TCheckBox>(this, page, "CB_Float");
  CB_Float->SetBounds(8, 0, 150, 17);
  CB_Force_Int32 = Make<TCheckBox>(this, page, "CB_Force_Int32");
  CB_Force_Int32->SetBounds(Box_Left, 0, 150, 17);
  CB_Force_Int32->SetCaption("Force Integer 32");
  label(L_PostOpe, "L_PostOpe");
  combo(CB_PostOpe, "CB_PostOpe", Post_Operation_Texts());
  label(L_Position, "L_Position");
  edit(E_Position, "E_Position", "1");
  btn_Add_Var = Make_Button(this, page, "btn_Add_Var", Bounds(Box_Left, 0, Box_Width, 28),
                            [this](TObject* s) { btn_Add_VarClick(s); });
}

int TFMeter_Bus::Select_Width_ComboBox(const TComboBox* CB) const {
  TBitmap measure;
  measure.Canvas().Font().Assign(CB->Font());
  int widest = 0;
  for (int i = 0; i < CB->Items().Count(); ++i)
    widest = std::max(widest, measure.Canvas().TextWidth(CB->Items()[i]));
  int width = widest + 12 + (CB == CB_VIFE ? 65 : 30);
  // The list is never narrower than the box, so a width within it changes nothing.
  if (CB->Items().Count() > CB->DropDownCount()) width += GetSystemMetrics(SM_CXVSCROLL);
  return width;
}

void TFMeter_Bus::FormCreate(TObject*) {
  Copy_Var.reset();
  Copy_Node.reset();
  // The long texts of these two lists open wider than the box, towards the left; they are measured
  // when first opened.
  for (TComboBox* wide : {CB_Var_ToD, CB_VIFE}) {
    wide->SetDroppedWidthMeasure([this, wide] { return Select_Width_ComboBox(wide); });
    wide->SetDropDownRightAligned(true);
  }
  L_SW_Code->SetCaption(SW_Code);
  SetClientWidth(Meter_Bus_Client_Width);
  SetClientHeight(Meter_Bus_Client_Height);
  // Places the rows too.
  Set_Lang();
}

std::string TFMeter_Bus::Node_Label(const TNodo& n) const {
  if (n.MBus_Type == 0) return "wM-Bus Node - Address " + n.wMBus_Add + " - " + n.Description;
  return "ID " + std::to_string(n.Node_ID_Type == 1 ? n.Node_Sec : n.Node_Pri) + " - " + n.Description;
}

void TFMeter_Bus::Read_Network() {
  const TNetworkRead read = Read_MBus_Network(FileName_M_Bus);
  if (!read.Message.empty()) MessageDlg(read.Message, mtError, mbOK);
  Nodi_List = read.Nodes;
  Load_Complete = read.Complete;
}

void TFMeter_Bus::Show_Network() {
  TW->Clear();
  NODE_ORIG = TW->Add(nullptr, "M-Bus Network");
  for (const TNodo& n : Nodi_List) {
    TTreeEntry* node = TW->Add(NODE_ORIG, Node_Label(n));
    for (const TVariabile& v : n.Var_List)
      TW->Add(node, "VAR - " + v.Description);
  }
}

void TFMeter_Bus::Clear_Selection() {
  NODE_ID = SELECT_NODE = nullptr;
  IND_NODO = IND_VAR = -1;
}

void TFMeter_Bus::FormShow(TObject*) {
  // Filled at once: the box refills its list at every change.
  std::vector<std::string> frames;
  for (int i = 1; i <= 250; ++i)
    frames.push_back(std::to_string(i));
  CB_Cut_After->Items().Assign(frames);
  CB_Cut_After->SetItemIndex(0);
  Read_Network();
  Show_Network();
  NODE_ORIG->Expand();
  TW->SetSelected(nullptr);
  Clear_Selection();
  btn_Add_Node->SetCaption(Lang_Text(1723));
  btn_Add_Var->SetCaption(Lang_Text(1748));
  Sposta_Oggetti_Var(0);
  PasteVariable1->SetEnabled(Copy_Var.has_value());
  PasteNode1->SetEnabled(Copy_Node.has_value());
  Nodes_Move_Elements();
  Is_Change = false;
}

void TFMeter_Bus::TWClick(TObject*) {
  Clear_Selection();
  TTreeEntry* s = TW->Selected();
  if (s && s->Parent() == NODE_ORIG) {
    NODE_ID = SELECT_NODE = s;
    IND_NODO = s->Index();
  } else if (s && s->Parent() && s->Parent()->Parent() == NODE_ORIG) {
    NODE_ID = s->Parent();
    SELECT_NODE = s;
    IND_NODO = NODE_ID->Index();
    IND_VAR = s->Index();
  }
  Aggiorna_Label();
  CB_Var_ToDChange(nullptr);
  CB_Var_DimChange(nullptr);
  if (IND_VAR >= 0)
    ProPageControl1->SetActivePage(ProTabSheet2);
  else if (IND_NODO >= 0)
    ProPageControl1->SetActivePage(ProTabSheet1);
}

void TFMeter_Bus::Load_Node(const TNodo& n) {
  CB_Node_En->SetChecked(n.Enable == 1);
  E_New_Node_Desc->SetText(n.Description);
  E_New_Node_ID_Pri->SetText(std::to_string(n.Node_Pri));
  E_New_Node_ID_Sec->SetText(std::to_string(n.Node_Sec));
  (n.Node_ID_Type == 1 ? RB_ID_Secondary : RB_ID_Primary)->SetChecked(true);
  CB_Node_State->SetChecked(n.Enable_NS == 1);
  CB_wMBus_Node_State->SetChecked(n.Enable_NS == 1);
  E_Node_State->SetText(std::to_string(n.Node_State));
  E_wMBus_NodeState->SetText(std::to_string(n.Node_State));
  CB_Ident_Num->SetChecked(n.Enable_IN == 1);
  CB_wMBus_Ident_Num->SetChecked(n.Enable_IN == 1);
  E_Iden->SetText(std::to_string(n.Ident_Num));
  E_wMBus_Ident->SetText(std::to_string(n.Ident_Num));
  CB_BCDtoINT_IN->SetChecked(n.BCDtoINT_IN == 1);
  CB_wMBus_Conv_BCD->SetChecked(n.BCDtoINT_IN == 1);
  CB_Swap_IN->SetItemIndex(Index_In(CB_Swap_IN, n.Swap_Ident));
  CB_wMBus_Swap_Ident->SetItemIndex(Index_In(CB_wMBus_Swap_Ident, n.Swap_Ident));
  CB_SND_NKE->SetChecked(n.Send_SNK == 1);
  CB_Reset_App->SetChecked(n.Reset_App == 1);
  CB_Var_Type->SetItemIndex(Index_In(CB_Var_Type, n.Var_List_Type));
  CB_wMBus_VarList->SetItemIndex(Index_In(CB_wMBus_VarList, n.Var_List_Type));
  CB_Cut_After->SetItemIndex(Index_In(CB_Cut_After, n.Cut_After));
  CB_Manu_Spec_Data->SetChecked(n.Enable_MS == 1);
  E_Manu_Spec_Data->SetText(std::to_string(n.Manufacturer_Spec));
  E_MSD_Length->SetText(std::to_string(n.MSD_Length));
  E_MSD_Offset->SetText(std::to_string(n.MSD_Offset));
  CB_Access_Number->SetChecked(n.Enable_AN == 1);
  CB_wMBus_Access_Number->SetChecked(n.Enable_AN == 1);
  E_Access_Number->SetText(std::to_string(n.Access_Number));
  E_wMBus_Access_Number->SetText(std::to_string(n.Access_Number));
  CB_MBus_Type->SetItemIndex(Index_In(CB_MBus_Type, n.MBus_Type));
  E_wMBus_ManID->SetText(n.wMBus_ManID);
  E_wMBus_Add->SetText(n.wMBus_Add);
  E_wMBus_Ver->SetText(n.wMBus_Ver);
  E_wMBus_DevType->SetText(n.wMBus_DevType);
  CB_wMBus_EnKey->SetChecked(n.wMBus_En_Key == 1);
  for (std::size_t k = 0; k < 16; ++k)
    E_wMBus_K[k]->SetText(n.wMBus_Key[k]);
  CB_wMBus_RSSI->SetChecked(n.Enable_RSSI == 1);
  E_wMBus_RSSI->SetText(std::to_string(n.RSSI));
}

void TFMeter_Bus::Reset_Var_Boxes() {
  CB_Var_En->SetChecked(true);
  E_New_Var_Desc->SetText("");
  E_Var_MR->SetText("");
  E_VIF_ASCII->SetText("");
  for (TComboBox* c : {CB_Var_ToD, CB_Var_FF, CB_Var_Dim, CB_Var_Unit, CB_VIFE, CB_PostOpe})
    c->SetItemIndex(0);
  E_Sto_Num->SetText("0");
  E_Tariff->SetText("0");
  E_Length->SetText("0");
  for (TCheckBox* c : {CB_BCDtoINT, CB_Float, CB_Force_Int32, CB_TP_MR})
    c->SetChecked(false);
  E_TP_Year->SetText("1");
  E_Position->SetText("1");
}

void TFMeter_Bus::Load_Var(const TVariabile& v) {
  CB_Var_En->SetChecked(v.Enable);
  E_New_Var_Desc->SetText(v.Description);
  CB_Var_ToD->SetItemIndex(Index_In(CB_Var_ToD, v.Type_Of_Data));
  CB_Var_FF->SetItemIndex(Index_In(CB_Var_FF, v.Function_Field));
  CB_Var_Dim->SetItemIndex(Index_In(CB_Var_Dim, v.Dimension));
  CB_Var_Unit->SetItemIndex(Index_In(CB_Var_Unit, v.Unita));
  CB_VIFE->SetItemIndex(v.VIFE == 255 ? 0 : Index_In(CB_VIFE, v.VIFE));
  CB_PostOpe->SetItemIndex(Index_In(CB_PostOpe, v.Post_Operation));
  E_Var_MR->SetText(std::to_string(v.PositionData));
  E_Sto_Num->SetText(std::to_string(v.Storage_Number));
  E_Tariff->SetText(std::to_string(v.Tariff));
  E_Length->SetText(std::to_string(v.Length));
  E_TP_Year->SetText(std::to_string(v.TP_Mod_Year));
  E_Position->SetText(std::to_string(v.Position));
  E_VIF_ASCII->SetText(v.VIF_ASCII);
  CB_BCDtoINT->SetChecked(v.BCDtoINT);
  CB_Float->SetChecked(v.Conv_Float);
  CB_Force_Int32->SetChecked(v.Force_Int32);
  CB_TP_MR->SetChecked(v.TP_Mod_Regs);
}

void TFMeter_Bus::Aggiorna_Label() {
  const bool node = IND_NODO >= 0 && static_cast<std::size_t>(IND_NODO) < Nodi_List.size();
  if (!node) {
    btn_Add_Node->SetCaption(Lang_Text(1723));
    btn_Add_Var->SetCaption(Lang_Text(1748));
    CB_Var_ToDChange(nullptr);
    CB_MBus_TypeChange(nullptr);
    return;
  }
  const TNodo& n = Nodi_List[static_cast<std::size_t>(IND_NODO)];
  Load_Node(n);
  if (IND_VAR >= 0 && static_cast<std::size_t>(IND_VAR) < n.Var_List.size()) {
    btn_Add_Node->SetCaption(Lang_Text(1723));
    btn_Add_Var->SetCaption(Lang_Text(1749));
    Load_Var(n.Var_List[static_cast<std::size_t>(IND_VAR)]);
  } else {
    btn_Add_Node->SetCaption(Lang_Text(1724));
    btn_Add_Var->SetCaption(Lang_Text(1748));
    Reset_Var_Boxes();
  }
  Sposta_Oggetti_Var(n.Var_List_Type);
  CB_MBus_TypeChange(nullptr);
}

TNodeBoxes TFMeter_Bus::Node_Boxes() const {
  TNodeBoxes b;
  b.Wireless = CB_MBus_Type->ItemIndex() == 0;
  b.ManID = E_wMBus_ManID->Text();
  b.Address = E_wMBus_Add->Text();
  b.Version = E_wMBus_Ver->Text();
  b.DevType = E_wMBus_DevType->Text();
  b.Key_Enable = CB_wMBus_EnKey->Checked();
  for (std::size_t k = 0; k < 16; ++k)
    b.Key[k] = E_wMBus_K[k]->Text();
  b.RSSI = E_wMBus_RSSI->Text();
  b.Primary_Chosen = !RB_ID_Secondary->Checked();
  b.Primary_ID = E_New_Node_ID_Pri->Text();
  b.Secondary_ID = E_New_Node_ID_Sec->Text();
  b.Node_State_Ticked = b.Wireless ? CB_wMBus_Node_State->Checked() : CB_Node_State->Checked();
  b.Ident_Num_Ticked = b.Wireless ? CB_wMBus_Ident_Num->Checked() : CB_Ident_Num->Checked();
  b.Access_Number_Ticked = b.Wireless ? CB_wMBus_Access_Number->Checked() : CB_Access_Number->Checked();
  b.MSD_Ticked = CB_Manu_Spec_Data->Checked();
  b.Node_State = b.Wireless ? E_wMBus_NodeState->Text() : E_Node_State->Text();
  b.Ident_Num = b.Wireless ? E_wMBus_Ident->Text() : E_Iden->Text();
  b.Access_Number = b.Wireless ? E_wMBus_Access_Number->Text() : E_Access_Number->Text();
  b.MSD_Register = E_Manu_Spec_Data->Text();
  b.MSD_Length = E_MSD_Length->Text();
  b.MSD_Offset = E_MSD_Offset->Text();
  return b;
}

std::optional<TNodo> TFMeter_Bus::Node_From_Boxes(const TNodo& base) {
  const bool wireless = CB_MBus_Type->ItemIndex() == 0;
  std::optional<std::string> refused;
  auto strict = [&](const TEdit* e) -> std::int32_t {
    const auto v = Typed_Int32(e->Text());
    if (!v && !refused) refused = Not_A_Number(e->Text());
    return v.value_or(0);
  };
  auto lenient = [](const TEdit* e) { return Typed_Int32(e->Text()).value_or(0); };
  TNodo n = base;
  n.Enable = CB_Node_En->Checked() ? 1 : 0;
  n.Description = E_New_Node_Desc->Text();
  n.Node_Pri = strict(E_New_Node_ID_Pri);
  n.Node_Sec = strict(E_New_Node_ID_Sec);
  n.Send_SNK = CB_SND_NKE->Checked() ? 1 : 0;
  n.Reset_App = CB_Reset_App->Checked() ? 1 : 0;
  n.Enable_NS = CB_Node_State->Checked() ? 1 : 0;
  n.Node_State = strict(E_Node_State);
  n.Enable_IN = CB_Ident_Num->Checked() ? 1 : 0;
  n.Ident_Num = strict(E_Iden);
  n.BCDtoINT_IN = CB_BCDtoINT_IN->Checked() ? 1 : 0;
  n.Swap_Ident = CB_Swap_IN->ItemIndex();
  n.Node_ID_Type = RB_ID_Primary->Checked() ? 0 : 1;
  n.Var_List_Type = static_cast<std::uint8_t>(std::max(CB_Var_Type->ItemIndex(), 0));
  n.Cut_After = static_cast<std::uint8_t>(CB_Cut_After->ItemIndex());
  n.Enable_MS = CB_Manu_Spec_Data->Checked() ? 1 : 0;
  n.Manufacturer_Spec = lenient(E_Manu_Spec_Data);
  n.MSD_Length = static_cast<std::uint8_t>(lenient(E_MSD_Length));
  n.MSD_Offset = static_cast<std::uint8_t>(lenient(E_MSD_Offset));
  n.Enable_AN = CB_Access_Number->Checked() ? 1 : 0;
  n.Access_Number = lenient(E_Access_Number);
  n.MBus_Type = static_cast<std::uint8_t>(CB_MBus_Type->ItemIndex());
  n.wMBus_ManID = E_wMBus_ManID->Text();
  n.wMBus_Add = E_wMBus_Add->Text();
  n.wMBus_Ver = E_wMBus_Ver->Text();
  n.wMBus_DevType = E_wMBus_DevType->Text();
  n.wMBus_En_Key = CB_wMBus_EnKey->Checked() ? 1 : 0;
  for (std::size_t k = 0; k < 16; ++k)
    n.wMBus_Key[k] = E_wMBus_K[k]->Text();
  if (wireless) {
    n.Var_List_Type = static_cast<std::uint8_t>(CB_wMBus_VarList->ItemIndex());
    n.Enable_NS = CB_wMBus_Node_State->Checked() ? 1 : 0;
    n.Node_State = strict(E_wMBus_NodeState);
    n.Enable_IN = CB_wMBus_Ident_Num->Checked() ? 1 : 0;
    n.Ident_Num = strict(E_wMBus_Ident);
    n.Enable_RSSI = CB_wMBus_RSSI->Checked() ? 1 : 0;
    n.RSSI = strict(E_wMBus_RSSI);
    n.BCDtoINT_IN = CB_wMBus_Conv_BCD->Checked() ? 1 : 0;
    n.Swap_Ident = CB_wMBus_Swap_Ident->ItemIndex();
    n.Enable_AN = CB_wMBus_Access_Number->Checked() ? 1 : 0;
    n.Access_Number = lenient(E_wMBus_Access_Number);
  }
  if (refused) {
    MessageDlg(*refused, mtError, mbOK);
    return std::nullopt;
  }
  return n;
}

TVariableBoxes TFMeter_Bus::Var_Boxes() const {
  TVariableBoxes b;
  b.PositionData = E_Var_MR->Text();
  b.Storage_Number = E_Sto_Num->Text();
  b.Tariff = E_Tariff->Text();
  b.Length = E_Length->Text();
  b.TP_Year = E_TP_Year->Text();
  b.Position = E_Position->Text();
  b.Type_Of_Data = CB_Var_ToD->ItemIndex();
  b.Dimension = CB_Var_Dim->ItemIndex();
  b.TP_Ticked = CB_TP_MR->Checked();
  return b;
}

std::optional<TVariabile> TFMeter_Bus::Var_From_Boxes() {
  TVariabile v;
  v.Enable = CB_Var_En->Checked();
  v.Description = E_New_Var_Desc->Text();
  v.Type_Of_Data = CB_Var_ToD->ItemIndex();
  v.Function_Field = CB_Var_FF->ItemIndex();
  v.Dimension = CB_Var_Dim->ItemIndex();
  v.Unita = CB_Var_Unit->ItemIndex();
  v.PositionData = Typed_Int32(E_Var_MR->Text()).value_or(0);
  v.Storage_Number = static_cast<std::uint32_t>(Typed_Int64(E_Sto_Num->Text()).value_or(0));
  v.Tariff = Typed_Int32(E_Tariff->Text()).value_or(0);
  v.VIFE = static_cast<std::uint8_t>(CB_VIFE->ItemIndex());
  v.BCDtoINT = CB_BCDtoINT->Checked();
  v.Conv_Float = CB_Float->Checked();
  v.Force_Int32 = CB_Force_Int32->Checked();
  v.TP_Mod_Regs = CB_TP_MR->Checked();
  v.VIF_ASCII = E_VIF_ASCII->Text();
  v.Length = Typed_Int32(E_Length->Text()).value_or(0);
  v.TP_Mod_Year = Typed_Int32(E_TP_Year->Text()).value_or(0);
  v.Position = static_cast<std::uint16_t>(Typed_Int32(E_Position->Text()).value_or(0));
  v.Post_Operation = static_cast<std::uint8_t>(CB_PostOpe->ItemIndex());
  return v;
}

void TFMeter_Bus::btn_Add_NodeClick(TObject*) {
  const bool adding = btn_Add_Node->Caption() == Lang_Text(1723);
  Is_Change = true;
  NODE_ORIG->Expand();
  if (!adding && IND_NODO < 0) return;
  // A list left on no entry (an index outside it came from the file) is never stored.
  const bool wireless = CB_MBus_Type->ItemIndex() == 0;
  if (!All_Chosen({CB_MBus_Type, wireless ? CB_wMBus_Swap_Ident : CB_Swap_IN,
                   wireless ? CB_wMBus_VarList : CB_Var_Type, CB_Cut_After}))
    return;
  const TNetworkSelection sel{adding ? -1 : IND_NODO, IND_VAR};
  const std::vector<std::string> messages = Controllo_Dati_New_Nodo(Node_Boxes(), Nodi_List, sel);
  if (!messages.empty()) {
    for (const std::string& m : messages)
      MessageDlg(m, mtError, mbOK);
    return;
  }
  // Every box converted before anything changes.
  const TNodo base = adding ? TNodo{} : Nodi_List[static_cast<std::size_t>(IND_NODO)];
  std::optional<TNodo> n = Node_From_Boxes(base);
  if (!n) return;
  if (adding) {
    n->Var_List.clear();
    n->Enable_RSSI = CB_MBus_Type->ItemIndex() == 0 ? n->Enable_RSSI : 0;
    TW->Add(NODE_ORIG, Node_Label(*n));
    Nodi_List.push_back(*n);
  } else {
    Nodi_List[static_cast<std::size_t>(IND_NODO)] = *n;
    NODE_ID->SetText(Node_Label(*n));
  }
}

void TFMeter_Bus::btn_Add_VarClick(TObject*) {
  const bool adding = btn_Add_Var->Caption() == Lang_Text(1748);
  Is_Change = true;
  NODE_ORIG->Expand();
  if (IND_NODO < 0 || (!adding && IND_VAR < 0)) return;
  if (!All_Chosen({CB_Var_ToD, CB_Var_FF, CB_Var_Dim, CB_Var_Unit, CB_VIFE, CB_PostOpe})) return;
  const TNetworkSelection sel{IND_NODO, IND_VAR};
  const std::vector<std::string> messages =
      Controllo_Dati_New_Var(Var_Boxes(), adding ? 1 : 0, Nodi_List, sel);
  if (!messages.empty()) {
    for (const std::string& m : messages)
      MessageDlg(m, mtError, mbOK);
    return;
  }
  std::optional<TVariabile> v = Var_From_Boxes();
  if (!v) return;
  TNodo& node = Nodi_List[static_cast<std::size_t>(IND_NODO)];
  if (adding) {
    TW->Add(NODE_ID, "VAR - " + v->Description);
    node.Var_List.push_back(*v);
  } else {
    SELECT_NODE->SetText("VAR - " + v->Description);
    node.Var_List[static_cast<std::size_t>(IND_VAR)] = *v;
  }
}

void TFMeter_Bus::DeleteItem1Click(TObject*) {
  if (IND_NODO < 0) {
    if (MessageDlg(Lang_Text(1893), mtConfirmation, mbYes | mbNo) != mrYes) return;
    TW->Clear();
    NODE_ORIG = TW->Add(nullptr, "M-Bus Network");
    Nodi_List.clear();
    Clear_Selection();
  } else if (IND_VAR < 0) {
    if (MessageDlg(Lang_Text(1894), mtConfirmation, mbYes | mbNo) != mrYes) return;
    Nodi_List.erase(Nodi_List.begin() + IND_NODO);
    TW->Delete(NODE_ID);
    TWClick(nullptr);
  } else {
    if (MessageDlg(Lang_Text(1895), mtConfirmation, mbYes | mbNo) != mrYes) return;
    auto& vars = Nodi_List[static_cast<std::size_t>(IND_NODO)].Var_List;
    vars.erase(vars.begin() + IND_VAR);
    TW->Delete(SELECT_NODE);
    TWClick(nullptr);
  }
  Is_Change = true;
  TW->Invalidate();
}

void TFMeter_Bus::CopyVariable1Click(TObject*) {
  if (IND_NODO < 0 || static_cast<std::size_t>(IND_NODO) >= Nodi_List.size()) {
    MessageDlg(Lang_Text(1898), mtError, mbOK);
    return;
  }
  const TNodo& n = Nodi_List[static_cast<std::size_t>(IND_NODO)];
  if (IND_VAR < 0 || static_cast<std::size_t>(IND_VAR) >= n.Var_List.size()) {
    MessageDlg(Lang_Text(1897), mtError, mbOK);
    return;
  }
  Copy_Var = n.Var_List[static_cast<std::size_t>(IND_VAR)];
  PasteVariable1->SetEnabled(true);
}

void TFMeter_Bus::CopyNode1Click(TObject*) {
  if (IND_NODO >= static_cast<int>(Nodi_List.size())) {
    MessageDlg(Lang_Text(1900), mtError, mbOK);
    return;
  }
  if (IND_NODO < 0) {
    MessageDlg(Lang_Text(1899), mtError, mbOK);
    return;
  }
  TNodo copy = Nodi_List[static_cast<std::size_t>(IND_NODO)];
  copy.Enable_NS = copy.Enable_IN = copy.Enable_MS = copy.Enable_AN = copy.Enable_RSSI = 0;
  Copy_Node = copy;
  PasteNode1->SetEnabled(true);
}

void TFMeter_Bus::PasteVariable1Click(TObject*) {
  if (!Copy_Var) {
    MessageDlg(Lang_Text(1901), mtError, mbOK);
    return;
  }
  if (IND_NODO < 0 || !FNewIDNode) {
    MessageDlg(Lang_Text(1905), mtError, mbOK);
    return;
  }
  FNewIDNode->Form_Type = nfVariable;
  FNewIDNode->Network = &Nodi_List;
  FNewIDNode->Selection = {IND_NODO, IND_VAR};
  FNewIDNode->Fill_Variables({*Copy_Var});
  if (FNewIDNode->ShowModal() != mrOk) return;
  TVariabile v = *Copy_Var;
  v.PositionData = Typed_Int32(FNewIDNode->ASG_Index(1)).value_or(0);
  v.TP_Mod_Year = Typed_Int32(FNewIDNode->ASG_Index(3)).value_or(0);
  TW->Add(NODE_ID, "VAR - " + v.Description);
  Nodi_List[static_cast<std::size_t>(IND_NODO)].Var_List.push_back(v);
  Is_Change = true;
}

void TFMeter_Bus::PasteNode1Click(TObject*) {
  if (!Copy_Node || !FNewIDNode) return;
  const bool wired = Copy_Node->MBus_Type == 1;
  TFNewIDNode& d = *FNewIDNode;
  d.Form_Type = wired ? nfWiredNode : nfWirelessNode;
  d.Network = &Nodi_List;
  d.Selection = {IND_NODO, IND_VAR};
  if (wired) {
    (Copy_Node->Node_ID_Type == 1 ? d.RB_ID_Secondary : d.RB_ID_Primary)->SetChecked(true);
    d.E_New_Node_ID_Pri->SetText(std::to_string(Copy_Node->Node_Pri));
    d.E_New_Node_ID_Sec->SetText(std::to_string(Copy_Node->Node_Sec));
  } else {
    d.E_wMBus_Add->SetText(Copy_Node->wMBus_Add);
    d.E_wMBus_RSSI->SetText(std::to_string(Copy_Node->RSSI));
  }
  d.E_MR_NodeState->SetText(std::to_string(Copy_Node->Node_State));
  d.E_MR_IdentNum->SetText(std::to_string(Copy_Node->Ident_Num));
  d.Fill_Variables(Copy_Node->Var_List);
  if (d.ShowModal() != mrOk) return;
  // The dialog checked every box it reads: the node is complete before its entry is added.
  TNodo n = *Copy_Node;
  if (wired) {
    n.Node_Pri = Typed_Int32(d.E_New_Node_ID_Pri->Text()).value_or(0);
    n.Node_Sec = Typed_Int32(d.E_New_Node_ID_Sec->Text()).value_or(0);
  } else {
    n.wMBus_Add = d.E_wMBus_Add->Text();
  }
  n.Node_ID_Type = d.RB_ID_Secondary->Checked() ? 1 : 0;
  n.Node_State = Typed_Int32(d.E_MR_NodeState->Text()).value_or(0);
  n.Ident_Num = Typed_Int32(d.E_MR_IdentNum->Text()).value_or(0);
  n.RSSI = Typed_Int32(d.E_wMBus_RSSI->Text()).value_or(0);
  n.Enable_NS = n.Enable_IN = n.Enable_MS = n.Enable_AN = n.Enable_RSSI = 0;
  for (std::size_t i = 0; i < n.Var_List.size(); ++i) {
    n.Var_List[i].PositionData = Typed_Int32(d.ASG_Index(static_cast<int>(i) * 3 + 1)).value_or(0);
    n.Var_List[i].TP_Mod_Year = Typed_Int32(d.ASG_Index(static_cast<int>(i) * 3 + 3)).value_or(0);
  }
  TTreeEntry* entry = TW->Add(
      NODE_ORIG,
      wired ? "ID " + (n.Node_ID_Type == 1 ? d.E_New_Node_ID_Sec->Text() : d.E_New_Node_ID_Pri->Text()) +
                  " - " + n.Description
            : Node_Label(n));
  for (const TVariabile& v : n.Var_List)
    TW->Add(entry, "VAR - " + v.Description);
  Nodi_List.push_back(n);
  Is_Change = true;
}

void TFMeter_Bus::Import_File(const std::string& path) {
  const TNetworkRead read = Read_MBus_Network(path);
  std::string bytes;
  if (!read.Complete || !ReadFileBytes(path, bytes)) {
    MessageDlg(read.Message.empty() ? Format(Lang_Text(Txt_Net_Read_Error), {path}) : read.Message, mtError,
               mbOK);
    return;
  }
  std::error_code ec;
  const bool same = std::filesystem::equivalent(path, FileName_M_Bus, ec);
  if (!same) {
    if (FileExists(FileName_M_Bus) && MessageDlg(Lang_Text(1906), mtConfirmation, mbYes | mbNo) != mrYes)
      return;
    const TWriteResult written = WriteFileAtomic(FileName_M_Bus, bytes);
    if (!written) {
      MessageDlg(written.Error, mtError, mbOK);
      return;
    }
  }
  FormShow(nullptr);
}

void TFMeter_Bus::Btn_ImportNetClick(TObject*) {
  if (!OD_Import_Net->Execute()) return;
  Import_File(OD_Import_Net->FileName());
}

void TFMeter_Bus::LbButton2Click(TObject*) {
  // What a failed or partial reading left would replace the whole file.
  if (!Load_Complete && MessageDlg(Lang_Text(Txt_Net_Save_Incomplete), mtWarning, mbYes | mbNo) != mrYes)
    return;
  const TWriteResult written = Write_MBus_Network(FileName_M_Bus, Nodi_List);
  if (!written) {
    MessageDlg(written.Error, mtError, mbOK);
    return;
  }
  SetModalResult(mrOk);
}

void TFMeter_Bus::LbButton4Click(TObject*) {
  if (Is_Change && MessageDlg(Lang_Text(1896), mtConfirmation, mbYes | mbNo) != mrYes) return;
  SetModalResult(mrCancel);
}

void TFMeter_Bus::CB_MBus_TypeChange(TObject*) {
  Nodes_Move_Elements();
}

void TFMeter_Bus::Nodes_Move_Elements() {
  const bool wireless = CB_MBus_Type->ItemIndex() == 0;
  int top = 8;
  auto row = [&](TControl* l, std::initializer_list<TControl*> c, bool shown = true) {
    if (l) Place(l, top + 3, shown);
    for (TControl* x : c)
      Place(x, top, shown);
    if (shown) top += Row;
  };
  row(CB_Node_En, {});
  CB_Node_En->SetTop(CB_Node_En->Top() - 3);
  row(L_Node_Desc, {E_New_Node_Desc});
  row(L_MBus_Type, {CB_MBus_Type});
  P_wMBus_Node->SetVisible(wireless);
  if (wireless) {
    P_wMBus_Node->SetTop(top);
    top += P_wMBus_Node->Height();
  }
  const bool wired = !wireless;
  row(RB_ID_Primary, {E_New_Node_ID_Pri}, wired);
  row(RB_ID_Secondary, {E_New_Node_ID_Sec}, wired);
  row(CB_Node_State, {E_Node_State}, wired);
  row(CB_Ident_Num, {E_Iden}, wired);
  row(CB_BCDtoINT_IN, {}, wired);
  row(L_Swap_IN, {CB_Swap_IN}, wired);
  row(CB_SND_NKE, {}, wired);
  row(CB_Reset_App, {}, wired);
  row(L_Var_Type, {CB_Var_Type}, wired);
  row(L_Cut_After, {CB_Cut_After, L_Frames}, wired);
  row(CB_Manu_Spec_Data, {E_Manu_Spec_Data});
  row(L_MSD_Length, {E_MSD_Length});
  row(L_MSD_Offset, {E_MSD_Offset});
  row(CB_Access_Number, {E_Access_Number}, wired);
  Place(btn_Add_Node, top + 4);
}

void TFMeter_Bus::Sposta_Oggetti_Var(int Var_type) {
  FVar_Layout = Var_type == 1 ? 1 : 0;
  const bool byType = FVar_Layout == 0;
  int top = 8;
  auto row = [&](TControl* l, std::initializer_list<TControl*> c, bool shown = true, int height = Row) {
    if (l) Place(l, top + 3, shown);
    for (TControl* x : c)
      Place(x, top, shown);
    if (shown) top += height;
  };
  row(CB_Var_En, {});
  row(L_Var_Desc, {E_New_Var_Desc});
  row(L_Var_ToD, {CB_Var_ToD}, byType);
  row(L_VIF_ASCII, {E_VIF_ASCII}, byType);
  row(L_Var_FF, {CB_Var_FF}, byType);
  row(L_Var_Dim, {CB_Var_Dim});
  row(L_Length, {E_Length});
  row(L_Var_Unit, {CB_Var_Unit}, byType);
  row(L_Sto_Num, {E_Sto_Num}, byType);
  row(L_Tariff, {E_Tariff}, byType);
  row(L_VIFE, {CB_VIFE}, byType);
  row(L_Var_MR, {E_Var_MR});
  row(nullptr, {GroupBox4}, true, GroupBox4->Height() + 6);
  row(CB_BCDtoINT, {});
  row(CB_Float, {CB_Force_Int32});
  row(L_PostOpe, {CB_PostOpe});
  row(L_Position, {E_Position}, !byType);
  Place(btn_Add_Var, top + 4);
  CB_PostOpe->SetEnabled(true);
  if (!byType) GroupBox4->SetEnabled(true);
}

void TFMeter_Bus::CB_Var_ToDChange(TObject*) {
  E_VIF_ASCII->SetEnabled(CB_Var_ToD->ItemIndex() == 21);
  if (IND_NODO >= 0 && static_cast<std::size_t>(IND_NODO) < Nodi_List.size())
    GroupBox4->SetEnabled(Nodi_List[static_cast<std::size_t>(IND_NODO)].Var_List_Type == 1 ||
                          CB_Var_ToD->ItemIndex() == Type_Of_Data_Time_Point);
}

void TFMeter_Bus::CB_Var_DimChange(TObject*) {
  const bool variable = CB_Var_Dim->ItemIndex() == Dimension_Variable_Length;
  E_Length->SetEnabled(variable);
  if (variable) CB_Float->SetChecked(false);
  CB_Float->SetEnabled(!variable);
}

void TFMeter_Bus::E_TP_YearChange(TObject*) {
  const auto n = Typed_Int32(E_TP_Year->Text());
  TEdit* fields[] = {ST_TP_Month, ST_TP_Day, ST_TP_Hour, ST_TP_Min, ST_TP_Sec};
  for (int i = 0; i < 5; ++i)
    fields[i]->SetText(n && *n > 0 ? std::to_string(static_cast<std::int64_t>(*n) + i + 1) : "0");
}

void TFMeter_Bus::Set_Lang() {
  SetCaption(Lang_Text(1700));
  L_SW_Desc->SetCaption(Lang_Text(1701));
  Btn_OK->SetCaption(Lang_Text(1702));
  Btn_Cancel->SetCaption(Lang_Text(1703));
  Btn_ImportNet->SetCaption(Lang_Text(1704));
  ProTabSheet1->SetCaption(Lang_Text(1705));
  ProTabSheet2->SetCaption(Lang_Text(1706));
  CB_Node_En->SetCaption(Lang_Text(1707));
  L_Node_Desc->SetCaption(Lang_Text(1708));
  RB_ID_Primary->SetCaption(Lang_Text(1709));
  RB_ID_Secondary->SetCaption(Lang_Text(1710));
  CB_Node_State->SetCaption(Lang_Text(1711));
  CB_Ident_Num->SetCaption(Lang_Text(1712));
  CB_BCDtoINT_IN->SetCaption(Lang_Text(1713));
  L_Swap_IN->SetCaption(Lang_Text(1714));
  CB_SND_NKE->SetCaption(Lang_Text(1715));
  CB_Reset_App->SetCaption(Lang_Text(1716));
  L_Var_Type->SetCaption(Lang_Text(1717));
  L_Cut_After->SetCaption(Lang_Text(1718));
  L_Frames->SetCaption(Lang_Text(1719));
  CB_Manu_Spec_Data->SetCaption(Lang_Text(1720));
  L_MSD_Length->SetCaption(Lang_Text(1721));
  L_MSD_Offset->SetCaption(Lang_Text(1722));
  btn_Add_Node->SetCaption(Lang_Text(1723));
  CB_Var_En->SetCaption(Lang_Text(1725));
  L_Var_Desc->SetCaption(Lang_Text(1726));
  L_Var_ToD->SetCaption(Lang_Text(1727));
  L_VIF_ASCII->SetCaption(Lang_Text(1728));
  L_Var_FF->SetCaption(Lang_Text(1729));
  L_Var_Dim->SetCaption(Lang_Text(1730));
  L_Length->SetCaption(Lang_Text(1731));
  L_Var_Unit->SetCaption(Lang_Text(1732));
  L_Var_MR->SetCaption(Lang_Text(1733));
  L_Sto_Num->SetCaption(Lang_Text(1735));
  L_Tariff->SetCaption(Lang_Text(1736));
  L_VIFE->SetCaption(Lang_Text(1737));
  GroupBox4->SetCaption(Lang_Text(1738));
  CB_TP_MR->SetCaption(Lang_Text(1739));
  for (int i = 0; i < 5; ++i)
    L_TP[static_cast<std::size_t>(i)]->SetCaption(Lang_Text(1740 + i));
  CB_BCDtoINT->SetCaption(Lang_Text(1745));
  CB_Float->SetCaption(Lang_Text(1746));
  L_Position->SetCaption(Lang_Text(1747));
  btn_Add_Var->SetCaption(Lang_Text(1748));
  L_MBus_Type->SetCaption(Lang_Text(1750));
  CB_MBus_Type->Items().Clear();
  CB_MBus_Type->Items().Add(Lang_Text(1751));
  CB_MBus_Type->Items().Add(Lang_Text(1752));
  CB_MBus_Type->SetItemIndex(1);
  L_wMBus_ManID->SetCaption(Lang_Text(1753));
  L_wMBus_Add->SetCaption(Lang_Text(1754));
  L_wMBus_Ver->SetCaption(Lang_Text(1755));
  L_wMBus_DevType->SetCaption(Lang_Text(1756));
  CB_wMBus_EnKey->SetCaption(Lang_Text(1757));
  for (int k = 0; k < 16; ++k)
    L_wMBus_K[static_cast<std::size_t>(k)]->SetCaption(Lang_Text(1758 + k));
  CB_wMBus_Node_State->SetCaption(Lang_Text(1774));
  CB_wMBus_Ident_Num->SetCaption(Lang_Text(1775));
  CB_wMBus_Conv_BCD->SetCaption(Lang_Text(1776));
  L_wMBus_Swap->SetCaption(Lang_Text(1777));
  L_wMBus_VarList->SetCaption(Lang_Text(1778));
  L_PostOpe->SetCaption(Lang_Text(1779));
  CopyVariable1->SetCaption(Lang_Text(1780));
  PasteVariable1->SetCaption(Lang_Text(1781));
  CopyNode1->SetCaption(Lang_Text(1782));
  PasteNode1->SetCaption(Lang_Text(1783));
  DeleteItem1->SetCaption(Lang_Text(1784));
  CB_Access_Number->SetCaption(Lang_Text(1785));
  CB_wMBus_Access_Number->SetCaption(Lang_Text(1786));
  Nodes_Move_Elements();
}
