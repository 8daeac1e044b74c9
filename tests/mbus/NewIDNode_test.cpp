// The New-ID dialog driven headless: its three layouts, its checks against the network, and its
// picture.
#include "MBusWindowTest.h"
#include "mbus/UNewIDNode.h"

namespace {

TVariabile Var(const std::string& desc, int reg, int year = 0) {
  TVariabile v;
  v.TP_Mod_Regs = year > 0;
  v.Enable = true;
  v.Description = desc;
  v.PositionData = reg;
  v.TP_Mod_Year = year;
  return v;
}

TNodo Wired_Node(const std::string& desc, int primary, std::vector<TVariabile> vars = {}) {
  TNodo n;
  n.Enable = 1;
  n.MBus_Type = 1;
  n.Description = desc;
  n.Node_Pri = primary;
  n.Node_State = 500;
  n.Ident_Num = 501;
  n.Var_List = std::move(vars);
  return n;
}

class NewIDNode : public TMBusWindowTest {
public:
  void SetUp() override {
    TMBusWindowTest::SetUp();
    Dialog.reset(NewForm<TFNewIDNode>(nullptr));
    Dialog->Network = &Network;
  }
  void TearDown() override {
    Dialog.reset();
    TMBusWindowTest::TearDown();
  }
  // Shows the dialog, runs `inside`, presses OK, and answers each message box with OK; the
  // dialog's result (Cancel when OK did not close it) and the messages shown.
  std::pair<int, std::vector<std::string>> Ok(std::size_t boxes,
                                              const std::function<void(TFNewIDNode&)>& inside) {
    TMessageResponder answers;
    for (std::size_t i = 0; i < boxes; ++i)
      answers.Answer(mrOk);
    Headless::OnNextModal([&](TForm&) {
      if (inside) inside(*Dialog);
      Dialog->Btn_OK->Click();
      if (Dialog->ModalResult() == mrNone) Dialog->Btn_Cancel->Click();
    });
    const int result = Dialog->ShowModal();
    return {result, answers.Texts()};
  }
  void Index(int row, const std::string& text) { Dialog->ASG_MR_Var->SetCells(1, row, text); }

  TNodi_List Network;
  TOwned<TFNewIDNode> Dialog;
};

TEST_F(NewIDNode, ThreeLayouts) {
  EXPECT_EQ(Dialog->ClientWidth(), NewID_Client_Width);
  EXPECT_EQ(Dialog->ClientHeight(), NewID_Client_Height);
  for (TEdit* box : {Dialog->E_New_Node_ID_Pri, Dialog->E_New_Node_ID_Sec, Dialog->E_wMBus_Add,
                     Dialog->E_MR_NodeState, Dialog->E_MR_IdentNum, Dialog->E_wMBus_RSSI})
    EXPECT_EQ(box->Text(), "1") << box->Name();
  EXPECT_TRUE(Dialog->RB_ID_Primary->Checked());
  struct TCase {
    int Form_Type;
    int Panel_Height;
    std::string Caption, Description;
    bool Wired_Rows, Wireless_Rows;
    int Node_State_Top, Ident_Top;
  };
  const TCase cases[] = {
      {nfWiredNode, 161, "New Node ID", "Select the ID of the New Node", true, false, 80, 104},
      {nfVariable, 8, "New Variable", "Select the new Registers for the Variable", true, false, 80, 104},
      {nfWirelessNode, 137, "New Node ID", "Select the ID of the New Node", false, true, 64, 88},
      {nfWiredNode, 161, "New Node ID", "Select the ID of the New Node", true, false, 80, 104},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Form_Type);
    Dialog->Form_Type = c.Form_Type;
    Headless::OnNextModal([&](TForm&) {
      EXPECT_EQ(Dialog->Panel1->Height(), c.Panel_Height);
      EXPECT_EQ(Dialog->Caption(), c.Caption);
      EXPECT_EQ(Dialog->L_SW_Desc->Caption(), c.Description);
      EXPECT_EQ(Dialog->RB_ID_Primary->Visible(), c.Wired_Rows);
      EXPECT_EQ(Dialog->E_New_Node_ID_Sec->Visible(), c.Wired_Rows);
      EXPECT_EQ(Dialog->E_wMBus_Add->Visible(), c.Wireless_Rows);
      EXPECT_EQ(Dialog->E_wMBus_RSSI->Visible(), c.Wireless_Rows);
      EXPECT_EQ(Dialog->E_MR_NodeState->Top(), c.Node_State_Top);
      EXPECT_EQ(Dialog->E_MR_IdentNum->Top(), c.Ident_Top);
      if (c.Wireless_Rows) {
        EXPECT_EQ(Dialog->E_wMBus_RSSI->Top(), 112);
        EXPECT_EQ(Dialog->L_wMBus_Add->Caption(), "wM-Bus Address");
      }
      Dialog->Btn_Cancel->Click();
    });
    EXPECT_EQ(Dialog->ShowModal(), mrCancel);
  }
}

TEST_F(NewIDNode, GridHoldsThreeRowsPerVariable) {
  Dialog->Fill_Variables({Var("Energy", 100, 0), Var("Volume", 103, 200)});
  TProColumnGrid* g = Dialog->ASG_MR_Var;
  ASSERT_EQ(g->RowCount(), 7);
  EXPECT_EQ(Dialog->Register_Groups(), 2);
  const char* expected[6][3] = {
      {"Modbus Register", "100", "Energy"},   {"Modbus Re Scale", "", "Energy"},
      {"Time Point Register", "0", "Energy"}, {"Modbus Register", "103", "Volume"},
      {"Modbus Re Scale", "", "Volume"},      {"Time Point Register", "200", "Volume"}};
  for (int r = 1; r <= 6; ++r)
    for (int c = 0; c < 3; ++c)
      EXPECT_EQ(g->Cells(c, r), expected[r - 1][c]) << c << "," << r;
  EXPECT_EQ(g->Cells(0, 0), "Desc. Reg.");
  EXPECT_EQ(g->Cells(1, 0), "Index");
  EXPECT_EQ(g->Cells(2, 0), "Description Variable");
  EXPECT_TRUE(g->Columns().Items(0)->ReadOnly());
  EXPECT_FALSE(g->Columns().Items(1)->ReadOnly());
  EXPECT_TRUE(g->Columns().Items(2)->ReadOnly());

  // A scale typed once stays for the next paste; a node without variables shows one empty row.
  Index(2, "7");
  Dialog->Fill_Variables({Var("Power", 300)});
  EXPECT_EQ(g->Cells(1, 2), "7");
  Dialog->Fill_Variables({});
  EXPECT_EQ(g->RowCount(), 2);
  EXPECT_EQ(g->Cells(1, 1), "");
  EXPECT_EQ(Dialog->Register_Groups(), 0);
}

TEST_F(NewIDNode, ChecksOfOk) {
  Network = {Wired_Node("Heat", 5, {Var("Energy", 100, 0), Var("Clock", 200, 300)})};
  struct TCase {
    const char* Name;
    int Form_Type;
    std::function<void(NewIDNode&)> Enter;
    std::vector<std::string> Messages; // empty: OK closes the dialog
  };
  auto grid = [](std::vector<std::string> cells) {
    return [cells](NewIDNode& t) {
      t.Dialog->Fill_Variables(std::vector<TVariabile>(cells.size() / 3, Var("Copy", 0)));
      for (std::size_t i = 0; i < cells.size(); ++i)
        t.Index(static_cast<int>(i) + 1, cells[i]);
    };
  };
  const std::string taken_register =
      "Error!! ModBus Register already use in the Node \"Heat\", Variable \"Energy\" (Modbus Register)";
  const TCase cases[] = {
      {"a node without variables checks only its address",
       nfWiredNode,
       [](NewIDNode& t) {
         t.Dialog->Fill_Variables({});
         t.Dialog->E_New_Node_ID_Pri->SetText("6");
       },
       {}},
      {"primary 256",
       nfWiredNode,
       [](NewIDNode& t) { t.Dialog->E_New_Node_ID_Pri->SetText("256"); },
       {Lang_Text(2013)}},
      {"secondary above eight digits",
       nfWiredNode,
       [](NewIDNode& t) {
         t.Dialog->RB_ID_Secondary->SetChecked(true);
         t.Dialog->E_New_Node_ID_Sec->SetText("100000000");
       },
       {Lang_Text(2014)}},
      {"the address in use",
       nfWiredNode,
       [](NewIDNode& t) { t.Dialog->E_New_Node_ID_Pri->SetText("5"); },
       {"Error!! ID Node is already used"}},
      {"0xFFFFFFFF is a wireless address",
       nfWirelessNode,
       [](NewIDNode& t) { t.Dialog->E_wMBus_Add->SetText("0xFFFFFFFF"); },
       {}},
      {"0x100000000 is none",
       nfWirelessNode,
       [](NewIDNode& t) { t.Dialog->E_wMBus_Add->SetText("0x100000000"); },
       {Lang_Text(2015)}},
      {"a register box that is no number",
       nfWiredNode,
       [](NewIDNode& t) {
         t.Dialog->E_New_Node_ID_Pri->SetText("6");
         t.Dialog->E_MR_IdentNum->SetText("abc");
       },
       {Lang_Text(Txt_NewID_Registers_Not_Numbers)}},
      {"the wireless RSSI box too",
       nfWirelessNode,
       [](NewIDNode& t) { t.Dialog->E_wMBus_RSSI->SetText(""); },
       {Lang_Text(Txt_NewID_Registers_Not_Numbers)}},
      {"a first paste's empty scale", nfVariable, grid({"400", "", "0"}), {Lang_Text(2017)}},
      {"register 0", nfVariable, grid({"0", "0", "0"}), {Lang_Text(2016)}},
      {"register 60000", nfVariable, grid({"60000", "0", "0"}), {Lang_Text(2016)}},
      {"year 59995 passes", nfVariable, grid({"400", "0", "59995"}), {}},
      {"year 59996", nfVariable, grid({"400", "0", "59996"}), {Lang_Text(2018)}},
      {"the copied variable's own register", nfVariable, grid({"100", "0", "0"}), {taken_register}},
      {"year 0 skips the time point blocks", nfVariable, grid({"401", "0", "0"}), {}},
      {"a year block over another",
       nfVariable,
       grid({"401", "0", "303"}),
       {"Error!! Time Point Registers already use in the Node \"Heat\", Variable \"Clock\" (Time Point)"}},
      {"conflicts of several groups each shown",
       nfVariable,
       grid({"100", "0", "0", "401", "0", "0", "200", "0", "0"}),
       {taken_register,
        "Error!! ModBus Register already use in the Node \"Heat\", Variable \"Clock\" (Modbus Register)"}},
      {"a range failure stops after a conflict",
       nfVariable,
       grid({"100", "0", "0", "0", "0", "0"}),
       {taken_register, Lang_Text(2016)}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Dialog->Form_Type = c.Form_Type;
    Dialog->E_New_Node_ID_Pri->SetText("1");
    Dialog->RB_ID_Primary->SetChecked(true);
    Dialog->E_MR_NodeState->SetText("1");
    Dialog->E_MR_IdentNum->SetText("1");
    Dialog->E_wMBus_RSSI->SetText("1");
    if (c.Form_Type != nfVariable) Dialog->Fill_Variables({});
    const auto [result, shown] = Ok(c.Messages.size(), [&](TFNewIDNode&) { c.Enter(*this); });
    EXPECT_EQ(result, c.Messages.empty() ? mrOk : mrCancel);
    EXPECT_EQ(shown, c.Messages);
  }
}

TEST_F(NewIDNode, ATakenAddressCorrectedClosesOnTheNextOk) {
  Network = {Wired_Node("Heat", 5)};
  Dialog->Form_Type = nfWiredNode;
  Dialog->Fill_Variables({});
  TMessageResponder answers({mrOk});
  Headless::OnNextModal([&](TForm&) {
    Dialog->E_New_Node_ID_Pri->SetText("5");
    Dialog->Btn_OK->Click();
    EXPECT_EQ(Dialog->ModalResult(), mrNone) << "stays open";
    Dialog->E_New_Node_ID_Pri->SetText("6");
    Dialog->Btn_OK->Click();
  });
  EXPECT_EQ(Dialog->ShowModal(), mrOk);
  EXPECT_EQ(answers.Texts(), std::vector<std::string>{"Error!! ID Node is already used"});
}

TEST_F(NewIDNode, PicturesOfTheThreeKinds) {
  Dialog->Fill_Variables({Var("Energy", 100), Var("Volume", 103)});
  int previous_grid_top = -1;
  for (int kind : {nfVariable, nfWirelessNode, nfWiredNode}) {
    SCOPED_TRACE(kind);
    Dialog->Form_Type = kind;
    Dialog->FormShow(nullptr);
    Dialog->Show();
    const TBitmap p = RenderPicture(*Dialog);
    Dialog->Hide();
    EXPECT_EQ(p.Width(), NewID_Client_Width);
    EXPECT_EQ(p.Height(), NewID_Client_Height);
    // The grid's green Index column below the identity part, lower for a larger part.
    const TRect cell = Dialog->ASG_MR_Var->CellRect(1, 2);
    const TPoint at = In_Form(*Dialog->ASG_MR_Var, *Dialog, {cell.Left + 3, cell.Top + 3});
    EXPECT_EQ(p.Pixel(at.X, at.Y), RGB(0xDA, 0xFD, 0xD9));
    EXPECT_GT(at.Y, previous_grid_top);
    previous_grid_top = at.Y;
    // Where the wireless address box is: white only in the wireless layout.
    const TPoint address = In_Form(*Dialog->Panel1, *Dialog, {Dialog->E_wMBus_Add->Left() + 50, 18});
    if (kind == nfWirelessNode) {
      EXPECT_EQ(p.Pixel(address.X, address.Y), clWhite);
    } else if (kind == nfVariable) {
      EXPECT_NE(p.Pixel(address.X, address.Y), clWhite);
    }
  }
}

} // namespace
