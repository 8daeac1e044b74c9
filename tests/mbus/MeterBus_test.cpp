// The M-Bus network editor driven headless: the tree and the two pages, storing, deleting, copying
// and pasting through the New-ID dialog, import, OK and Cancel, and its pictures.
#include "MBusWindowTest.h"
#include "mbus/NetworkFile.h"
#include "mbus/NetworkTexts.h"
#include "mbus/UMeter_Bus.h"
#include "mbus/UNewIDNode.h"
#include "platform/Files.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/Menus.h"
#include "platform/ui/SystemMetrics.h"

namespace {

TNodo Wired(const std::string& desc, int primary) {
  TNodo n;
  n.Enable = 1;
  n.MBus_Type = 1;
  n.Description = desc;
  n.Node_Pri = primary;
  n.Node_State = 900;
  n.Ident_Num = 901;
  n.Enable_NS = 1;
  TVariabile v;
  v.Enable = true;
  v.Description = "Energy";
  v.PositionData = 100;
  n.Var_List = {v};
  return n;
}

TNodo Wireless(const std::string& desc) {
  TNodo n = Wired(desc, 7);
  n.MBus_Type = 0;
  n.Node_Sec = 4321;
  n.wMBus_Add = "0x12345678";
  for (std::size_t k = 0; k < 16; ++k)
    n.wMBus_Key[k] = std::to_string(k * 3);
  n.Enable_RSSI = 1;
  n.RSSI = 902;
  n.Var_List[0].PositionData = 200;
  return n;
}

class MeterBus : public TMBusWindowTest {
protected:
  void SetUp() override {
    TMBusWindowTest::SetUp();
    FNewIDNode = NewForm<TFNewIDNode>(nullptr);
    Form.reset(NewForm<TFMeter_Bus>(nullptr));
  }
  void TearDown() override {
    if (Form && Form->Visible()) Form->Hide();
    Form.reset();
    if (FNewIDNode) FNewIDNode->Free();
    TMBusWindowTest::TearDown();
  }
  void Network(const TNodi_List& nodes) { ASSERT_TRUE(Write_MBus_Network(FileName_M_Bus, nodes)); }
  void Open() {
    if (Form->Visible()) Form->Hide();
    Form->Show();
  }
  TTreeEntry* Node(int i) const { return Form->NODE_ORIG->Item(i); }
  void Select(TTreeEntry* e) { Form->TW->SetSelected(e); }
  // A right click on the entry's row, as the mouse gives it: press, release, context menu.
  TPopupMenu* Right_Click(TTreeEntry* e) {
    const TPoint at{60, Form->TW->RowOf(e) * Form->TW->RowHeight() + Form->TW->RowHeight() / 2};
    Headless::MouseDown(*Form->TW, at, mbRight);
    Headless::MouseUp(*Form->TW, at, mbRight);
    Headless::ContextMenu(*Form->TW, at);
    return Headless::LastPopupMenu();
  }
  void Index(int row, const std::string& text) { FNewIDNode->ASG_MR_Var->SetCells(1, row, text); }

  TOwned<TFMeter_Bus> Form;
};

TEST_F(MeterBus, AnEmptyEditorShowsTheRootAloneAndBothAddButtons) {
  Open();
  ASSERT_EQ(Form->TW->TopCount(), 1);
  EXPECT_EQ(Form->NODE_ORIG->Text(), "M-Bus Network");
  EXPECT_EQ(Form->NODE_ORIG->Count(), 0);
  EXPECT_EQ(Form->btn_Add_Node->Caption(), "ADD NODE");
  EXPECT_EQ(Form->btn_Add_Var->Caption(), "ADD VARIABLE");
  EXPECT_EQ(Form->Var_Layout(), 0);
  EXPECT_FALSE(Form->E_Position->Visible());
  EXPECT_EQ(Form->CB_Cut_After->Items().Count(), 250);
  EXPECT_EQ(Form->E_wMBus_K[2]->Text(), "255");
}

TEST_F(MeterBus, TimePointFieldsFollowTheYearRegister) {
  Open();
  struct TCase {
    std::string Year;
    std::vector<std::string> Fields;
  };
  const TCase cases[] = {{"100", {"101", "102", "103", "104", "105"}},
                         {"0", {"0", "0", "0", "0", "0"}},
                         {"abc", {"0", "0", "0", "0", "0"}},
                         {"$10", {"17", "18", "19", "20", "21"}}};
  for (const TCase& c : cases) {
    Headless::SetText(*Form, "E_TP_Year", c.Year);
    const std::vector<std::string> shown = {Form->ST_TP_Month->Text(), Form->ST_TP_Day->Text(),
                                            Form->ST_TP_Hour->Text(), Form->ST_TP_Min->Text(),
                                            Form->ST_TP_Sec->Text()};
    EXPECT_EQ(shown, c.Fields) << c.Year;
  }
}

TEST_F(MeterBus, SelectingLoadsThePagesAndTheTypeOfDataRule) {
  Network({Wired("Heat", 5), Wireless("Radio")});
  Open();
  ASSERT_EQ(Form->NODE_ORIG->Count(), 2);
  EXPECT_EQ(Node(0)->Text(), "ID 5 - Heat");
  EXPECT_EQ(Node(1)->Text(), "wM-Bus Node - Address 0x12345678 - Radio");
  EXPECT_EQ(Node(0)->Item(0)->Text(), "VAR - Energy");

  Select(Node(1)->Item(0));
  EXPECT_EQ(Form->ProPageControl1->ActivePage(), Form->ProTabSheet2);
  EXPECT_EQ(Form->btn_Add_Node->Caption(), "ADD NODE");
  EXPECT_EQ(Form->btn_Add_Var->Caption(), "MODIFY VARIABLE");
  EXPECT_EQ(Form->E_Var_MR->Text(), "200");
  for (std::size_t k = 0; k < 16; ++k)
    EXPECT_EQ(Form->E_wMBus_K[k]->Text(), std::to_string(k * 3));
  EXPECT_TRUE(Form->P_wMBus_Node->Visible());
  EXPECT_FALSE(Form->RB_ID_Primary->Visible());
  EXPECT_FALSE(Form->CB_Access_Number->Visible());

  Select(Node(0));
  EXPECT_EQ(Form->ProPageControl1->ActivePage(), Form->ProTabSheet1);
  EXPECT_EQ(Form->btn_Add_Node->Caption(), "MODIFY NODE");
  EXPECT_FALSE(Form->P_wMBus_Node->Visible());
  EXPECT_TRUE(Form->CB_Access_Number->Visible());
  EXPECT_EQ(Form->E_TP_Year->Text(), "1") << "the variable boxes reset for a new one";
  EXPECT_FALSE(Form->GroupBox4->Enabled());
  auto pick = [&](TComboBox* c, int index) {
    c->SetItemIndex(index);
    if (c == Form->CB_Var_Dim)
      Form->CB_Var_DimChange(c);
    else
      Form->CB_Var_ToDChange(c);
  };
  pick(Form->CB_Var_ToD, Type_Of_Data_Time_Point);
  EXPECT_TRUE(Form->GroupBox4->Enabled()) << "Time Point enables the group of a By Type node";
  pick(Form->CB_Var_ToD, 21);
  EXPECT_TRUE(Form->E_VIF_ASCII->Enabled());
  pick(Form->CB_Var_Dim, Dimension_Variable_Length);
  EXPECT_TRUE(Form->E_Length->Enabled());
  EXPECT_FALSE(Form->CB_Float->Enabled());
}

TEST_F(MeterBus, StoringAddingModifyingAndOk) {
  Network({Wired("Heat", 5)});
  Open();
  // A new node while a variable is selected: the selected node's address is taken.
  Select(Node(0)->Item(0));
  Form->E_New_Node_Desc->SetText("Water");
  Form->E_New_Node_ID_Pri->SetText("5");
  {
    TMessageResponder answers({mrOk});
    Form->btn_Add_NodeClick(nullptr);
    EXPECT_EQ(answers.Texts().size(), 1u);
  }
  Form->E_New_Node_ID_Pri->SetText("6");
  Form->btn_Add_NodeClick(nullptr);
  ASSERT_EQ(Form->Nodi_List.size(), 2u);
  EXPECT_EQ(Node(1)->Text(), "ID 6 - Water");

  // MODIFY NODE with a box that is no number changes nothing.
  Select(Node(1));
  Form->E_New_Node_Desc->SetText("Cold water");
  Form->CB_Node_State->SetChecked(false);
  Form->E_Node_State->SetText("12a");
  {
    TMessageResponder answers({mrOk});
    Form->btn_Add_NodeClick(nullptr);
    EXPECT_EQ(answers.Texts(), std::vector<std::string>{"'12a' is not a valid integer value"});
  }
  EXPECT_EQ(Form->Nodi_List[1].Description, "Water");
  EXPECT_EQ(Node(1)->Text(), "ID 6 - Water");
  Form->E_Node_State->SetText("1");
  Form->btn_Add_NodeClick(nullptr);
  EXPECT_EQ(Node(1)->Text(), "ID 6 - Cold water");

  // A variable added to it.
  Form->E_New_Var_Desc->SetText("Volume");
  Form->E_Var_MR->SetText("300");
  Form->btn_Add_VarClick(nullptr);
  ASSERT_EQ(Form->Nodi_List[1].Var_List.size(), 1u);
  EXPECT_EQ(Node(1)->Item(0)->Text(), "VAR - Volume");

  Form->LbButton2Click(nullptr);
  EXPECT_EQ(Form->ModalResult(), mrOk);
  const TNetworkRead read = Read_MBus_Network(FileName_M_Bus);
  ASSERT_EQ(read.Nodes.size(), 2u);
  EXPECT_EQ(read.Nodes[1].Description, "Cold water");
  EXPECT_EQ(read.Nodes[1].Var_List[0].PositionData, 300);
}

TEST_F(MeterBus, DeleteOnTheRootThenOkWritesAnEmptyNetwork) {
  Network({Wired("Heat", 5), Wired("Cold", 6)});
  Open();
  {
    TMessageResponder answers({mrNo});
    Form->DeleteItem1Click(nullptr);
    EXPECT_EQ(answers.Texts(), std::vector<std::string>{Lang_Text(1893)});
    EXPECT_EQ(Form->Nodi_List.size(), 2u);
  }
  Select(Node(0));
  {
    TMessageResponder answers({mrYes});
    Form->DeleteItem1Click(nullptr);
    EXPECT_EQ(answers.Texts(), std::vector<std::string>{Lang_Text(1894)});
  }
  ASSERT_EQ(Form->Nodi_List.size(), 1u);
  EXPECT_EQ(Node(0)->Text(), "ID 6 - Cold");
  Select(Form->NODE_ORIG);
  TMessageResponder answers({mrYes});
  Form->DeleteItem1Click(nullptr);
  EXPECT_EQ(Form->TW->TopCount(), 1);
  EXPECT_EQ(Form->NODE_ORIG->Count(), 0);
  Form->LbButton2Click(nullptr);
  EXPECT_EQ(Dir.Read("M_Bus.xml").substr(0, 17), "<M-Bus_Network />");
}

TEST_F(MeterBus, CancelAfterARefusedStoreAsks) {
  Open();
  Form->E_New_Node_ID_Pri->SetText("999");
  {
    TMessageResponder refused({mrOk});
    Form->btn_Add_NodeClick(nullptr);
  }
  EXPECT_TRUE(Form->Is_Change);
  {
    TMessageResponder ask({mrNo});
    Form->LbButton4Click(nullptr);
    EXPECT_EQ(ask.Texts(), std::vector<std::string>{Lang_Text(1896)});
    EXPECT_EQ(Form->ModalResult(), mrNone) << "No keeps the window open";
  }
  TMessageResponder ask({mrYes});
  Form->LbButton4Click(nullptr);
  EXPECT_EQ(Form->ModalResult(), mrCancel);
  EXPECT_FALSE(FileExists(FileName_M_Bus));
}

TEST_F(MeterBus, AWirelessPasteKeepsTheAddressesWithTheSwitchesOff) {
  Network({Wireless("Radio")});
  Open();
  Select(Node(0));
  Form->CopyNode1Click(nullptr);
  EXPECT_TRUE(Form->PasteNode1->Enabled());
  Headless::OnNextModal([&](TForm&) {
    EXPECT_EQ(FNewIDNode->Form_Type, nfWirelessNode);
    EXPECT_EQ(FNewIDNode->E_wMBus_Add->Text(), "0x12345678");
    FNewIDNode->E_wMBus_Add->SetText("0x87654321");
    FNewIDNode->ASG_MR_Var->SetCells(1, 1, "201");
    FNewIDNode->ASG_MR_Var->SetCells(1, 2, "0");
    FNewIDNode->ASG_MR_Var->SetCells(1, 3, "0");
    FNewIDNode->E_MR_NodeState->SetText("950");
    FNewIDNode->E_MR_IdentNum->SetText("951");
    FNewIDNode->E_wMBus_RSSI->SetText("952");
    FNewIDNode->Btn_OK->Click();
  });
  Form->PasteNode1Click(nullptr);
  ASSERT_EQ(Form->Nodi_List.size(), 2u);
  const TNodo& pasted = Form->Nodi_List[1];
  EXPECT_EQ(pasted.wMBus_Add, "0x87654321");
  EXPECT_EQ(pasted.Node_Pri, 7);
  EXPECT_EQ(pasted.Node_Sec, 4321);
  EXPECT_EQ(pasted.Enable_NS + pasted.Enable_IN + pasted.Enable_MS + pasted.Enable_AN + pasted.Enable_RSSI,
            0);
  EXPECT_EQ(pasted.RSSI, 952);
  EXPECT_EQ(pasted.Var_List[0].PositionData, 201);
  EXPECT_EQ(Node(1)->Text(), "wM-Bus Node - Address 0x87654321 - Radio");
  EXPECT_TRUE(Form->Is_Change);
}

TEST_F(MeterBus, CopyAndPasteWithoutTheirSelection) {
  Network({Wired("Heat", 5)});
  Open();
  struct TCase {
    std::function<void()> Action;
    int Text;
  };
  const TCase cases[] = {
      {[&] { Form->CopyVariable1Click(nullptr); }, 1898},
      {[&] { Form->CopyNode1Click(nullptr); }, 1899},
      {[&] { Form->PasteVariable1Click(nullptr); }, 1901},
  };
  for (const TCase& c : cases) {
    TMessageResponder answers({mrOk});
    c.Action();
    EXPECT_EQ(answers.Texts(), std::vector<std::string>{Lang_Text(c.Text)});
  }
  Select(Node(0));
  TMessageResponder answers({mrOk});
  Form->CopyVariable1Click(nullptr);
  EXPECT_EQ(answers.Texts(), std::vector<std::string>{Lang_Text(1897)});
}

TEST_F(MeterBus, APartlyReadFileAsksBeforeOkReplacesIt) {
  const std::string broken =
      "<M-Bus_Network><Nodo Descrizione=\"A\" MBus_Type=\"1\"><Variabile Desc=\"v\"/></Nodo>"
      "<Nodo Descrizione=\"B\"/></M-Bus_Network>";
  Dir.Write("M_Bus.xml", broken);
  {
    TMessageResponder told({mrOk});
    Open();
    EXPECT_EQ(told.Count(), 1u);
  }
  EXPECT_FALSE(Form->Load_Complete);
  {
    TMessageResponder ask({mrNo});
    Form->LbButton2Click(nullptr);
    EXPECT_EQ(ask.Texts(), std::vector<std::string>{Lang_Text(Txt_Net_Save_Incomplete)});
  }
  EXPECT_EQ(Form->ModalResult(), mrNone);
  EXPECT_EQ(Dir.Read("M_Bus.xml"), broken);
}

TEST_F(MeterBus, AFailedWriteKeepsTheWindowOpen) {
  Network({Wired("Heat", 5)});
  Open();
  FileName_M_Bus = Dir.File("missing/M_Bus.xml");
  TMessageResponder told({mrOk});
  Form->LbButton2Click(nullptr);
  ASSERT_EQ(told.Count(), 1u);
  EXPECT_EQ(told.Last().Type, mtError);
  EXPECT_EQ(Form->ModalResult(), mrNone);
  EXPECT_EQ(Form->Nodi_List.size(), 1u);
}

TEST_F(MeterBus, OutOfRangeIndexesShowNoEntryAndAreNotStored) {
  TNodo n = Wired("Heat", 5);
  n.Var_List[0].Type_Of_Data = 65535;
  n.Cut_After = 255;
  Network({n});
  Open();
  Select(Node(0)->Item(0));
  EXPECT_EQ(Form->CB_Var_ToD->ItemIndex(), -1);
  EXPECT_EQ(Form->CB_Cut_After->ItemIndex(), -1);
  TMessageResponder refused({mrOk});
  Form->btn_Add_VarClick(nullptr);
  EXPECT_EQ(refused.Texts(), std::vector<std::string>{Lang_Text(Txt_Editor_List_Not_Chosen)});
  EXPECT_EQ(Form->Nodi_List[0].Var_List[0].Type_Of_Data, 65535);
}

TEST_F(MeterBus, ImportReadsWholeFirstAndReplacesAtOnce) {
  Network({Wired("Heat", 5)});
  const std::string other = Dir.File("other.xml");
  ASSERT_TRUE(Write_MBus_Network(other, {Wired("A", 1), Wired("B", 2)}));
  Dir.Write("broken.xml", "<M-Bus_Network");
  Open();
  {
    TMessageResponder told({mrOk});
    Form->Import_File(Dir.File("broken.xml"));
    EXPECT_EQ(told.Count(), 1u);
  }
  EXPECT_EQ(Read_MBus_Network(FileName_M_Bus).Nodes.size(), 1u) << "a broken file replaces nothing";
  {
    TMessageResponder answers;
    Form->Import_File(FileName_M_Bus); // the configuration's own file: reloaded
    EXPECT_EQ(answers.Count(), 0u);
  }
  EXPECT_EQ(Form->NODE_ORIG->Count(), 1);
  TMessageResponder ask({mrYes});
  Form->Import_File(other);
  EXPECT_EQ(ask.Texts(), std::vector<std::string>{Lang_Text(1906)});
  EXPECT_EQ(Form->NODE_ORIG->Count(), 2);
  EXPECT_EQ(Read_MBus_Network(FileName_M_Bus).Nodes.size(), 2u);
  EXPECT_FALSE(Form->Is_Change);
}

TEST_F(MeterBus, ALanguageChangeRefillsTheTypeList) {
  Open();
  Headless::PickItem(*Form, "CB_MBus_Type", 0);
  EXPECT_TRUE(Form->P_wMBus_Node->Visible());
  Form->Set_Lang();
  EXPECT_EQ(Form->CB_MBus_Type->Items().Count(), 2);
  EXPECT_EQ(Form->CB_MBus_Type->ItemIndex(), 1);
  EXPECT_EQ(Form->CB_MBus_Type->Text(), "M-Bus on wires");
}

TEST_F(MeterBus, PicturesOfTheNodeKindsAndVariableLayouts) {
  TNodo byPosition = Wired("Pos", 8);
  byPosition.Var_List_Type = 1;
  Network({Wired("Heat", 5), Wireless("Radio"), byPosition});
  Open();
  const TColor form = RGB(248, 247, 237);
  auto white_at = [&](const TBitmap& b, TControl& c) {
    const TPoint p = In_Form(c, *Form, {c.Width() / 2, c.Height() / 2});
    return b.Pixel(p.X, p.Y) == clWhite;
  };
  Select(Node(0));
  const TBitmap wired = RenderPicture(*Form);
  EXPECT_EQ(wired.Width(), Meter_Bus_Client_Width);
  EXPECT_EQ(wired.Height(), Meter_Bus_Client_Height);
  EXPECT_EQ(wired.Pixel(820, 5), form) << "the title panel";
  EXPECT_TRUE(white_at(wired, *Form->E_Access_Number)) << "the wired access number box";
  const TPoint selected =
      In_Form(*Form->TW, *Form, {200, Form->TW->RowOf(Node(0)) * Form->TW->RowHeight() + 4});
  EXPECT_EQ(wired.Pixel(selected.X, selected.Y), ColorToRGB(clHighlight)) << "the selected row";

  Select(Node(1));
  const TBitmap wireless = RenderPicture(*Form);
  EXPECT_TRUE(white_at(wireless, *Form->E_wMBus_K[15])) << "the last key box";

  Select(Node(0)->Item(0));
  const TBitmap byType = RenderPicture(*Form);
  EXPECT_TRUE(white_at(byType, *Form->E_Sto_Num));
  EXPECT_FALSE(Form->E_Position->Visible());
  Select(Node(2)->Item(0));
  const TBitmap position = RenderPicture(*Form);
  EXPECT_TRUE(white_at(position, *Form->E_Position));
  EXPECT_FALSE(Form->E_Sto_Num->Visible());
  EXPECT_LT(Form->E_Position->Top(), Form->btn_Add_Var->Top());
}

TEST_F(MeterBus, ARightClickSelectsTheEntryAndOpensTheMenuThatCopiesAndPastesAVariable) {
  Network({Wired("Heat", 5), Wired("Cold", 6)});
  Open();
  Node(0)->Expand();
  EXPECT_FALSE(Form->PasteVariable1->Enabled());
  EXPECT_FALSE(Form->PasteNode1->Enabled());
  TTreeEntry* energy = Node(0)->Item(0);
  ASSERT_EQ(Right_Click(energy), Form->PopupMenu1);
  EXPECT_EQ(Form->TW->Selected(), energy);
  EXPECT_EQ(Form->IND_VAR, 0);
  const std::vector<std::string> captions = {Form->CopyVariable1->Caption(), Form->PasteVariable1->Caption(),
                                             Form->CopyNode1->Caption(), Form->PasteNode1->Caption(),
                                             Form->DeleteItem1->Caption()};
  EXPECT_EQ(captions, (std::vector<std::string>{"Copy Variable", "Paste Variable", "Copy Node", "Paste Node",
                                                "Delete Item"}));
  ASSERT_TRUE(Headless::ClickMenuItem(*Form->CopyVariable1));
  EXPECT_TRUE(Form->PasteVariable1->Enabled());

  // On the root no node is selected.
  Right_Click(Form->NODE_ORIG);
  {
    TMessageResponder told({mrOk});
    Headless::ClickMenuItem(*Form->PasteVariable1);
    EXPECT_EQ(told.Texts(), std::vector<std::string>{Lang_Text(1905)});
  }

  // Cancel in the dialog pastes nothing.
  Right_Click(Node(1));
  Headless::OnNextModal([&](TForm&) { FNewIDNode->Btn_Cancel->Click(); });
  Headless::ClickMenuItem(*Form->PasteVariable1);
  EXPECT_EQ(Form->Nodi_List[1].Var_List.size(), 1u);
  EXPECT_FALSE(Form->Is_Change);

  // The copy's own register is taken: the dialog stays open until a free one is given.
  TMessageResponder told({mrOk});
  Headless::OnNextModal([&](TForm&) {
    EXPECT_EQ(FNewIDNode->Form_Type, nfVariable);
    EXPECT_EQ(FNewIDNode->ASG_MR_Var->RowCount(), 4);
    EXPECT_EQ(FNewIDNode->ASG_Index(1), "100");
    Index(2, "0");
    FNewIDNode->Btn_OK->Click();
    EXPECT_EQ(FNewIDNode->ModalResult(), mrNone);
    Index(1, "400");
    Index(3, "500");
    FNewIDNode->Btn_OK->Click();
  });
  Headless::ClickMenuItem(*Form->PasteVariable1);
  EXPECT_EQ(told.Count(), 1u);
  ASSERT_EQ(Form->Nodi_List[1].Var_List.size(), 2u);
  const TVariabile& pasted = Form->Nodi_List[1].Var_List[1];
  EXPECT_EQ(pasted.Description, "Energy");
  EXPECT_EQ(pasted.PositionData, 400);
  EXPECT_EQ(pasted.TP_Mod_Year, 500);
  ASSERT_EQ(Node(1)->Count(), 2);
  EXPECT_EQ(Node(1)->Item(1)->Text(), "VAR - Energy");
  EXPECT_TRUE(Form->Is_Change);
}

TEST_F(MeterBus, AWiredPasteTakesTheDialogsAddressesAndRegisters) {
  Network({Wired("Heat", 5)});
  Open();
  FNewIDNode->E_wMBus_RSSI->SetText("77");
  Right_Click(Node(0));
  ASSERT_TRUE(Headless::ClickMenuItem(*Form->CopyNode1));
  ASSERT_TRUE(Form->PasteNode1->Enabled());
  TMessageResponder told({mrOk, mrOk});
  Headless::OnNextModal([&](TForm&) {
    EXPECT_EQ(FNewIDNode->Form_Type, nfWiredNode);
    EXPECT_TRUE(FNewIDNode->RB_ID_Primary->Checked());
    EXPECT_EQ(FNewIDNode->E_New_Node_ID_Pri->Text(), "5");
    EXPECT_EQ(FNewIDNode->E_MR_NodeState->Text(), "900");
    EXPECT_EQ(FNewIDNode->E_MR_IdentNum->Text(), "901");
    Index(2, "0");
    FNewIDNode->Btn_OK->Click(); // the address and the register are taken
    EXPECT_EQ(FNewIDNode->ModalResult(), mrNone);
    FNewIDNode->RB_ID_Secondary->SetChecked(true);
    FNewIDNode->E_New_Node_ID_Sec->SetText("777");
    FNewIDNode->E_MR_NodeState->SetText("950");
    FNewIDNode->E_MR_IdentNum->SetText("951");
    Index(1, "300");
    FNewIDNode->Btn_OK->Click();
  });
  Headless::ClickMenuItem(*Form->PasteNode1);
  EXPECT_EQ(told.Texts(), (std::vector<std::string>{"Error!! ID Node is already used",
                                                    "Error!! ModBus Register already use in the Node "
                                                    "\"Heat\", Variable \"Energy\" (Modbus Register)"}));
  ASSERT_EQ(Form->Nodi_List.size(), 2u);
  const TNodo& pasted = Form->Nodi_List[1];
  EXPECT_EQ(pasted.Node_ID_Type, 1);
  EXPECT_EQ(pasted.Node_Sec, 777);
  EXPECT_EQ(pasted.Node_Pri, 5);
  EXPECT_EQ(pasted.Node_State, 950);
  EXPECT_EQ(pasted.Ident_Num, 951);
  EXPECT_EQ(pasted.RSSI, 77) << "the hidden RSSI box as it stood";
  EXPECT_EQ(pasted.Enable_NS + pasted.Enable_IN + pasted.Enable_MS + pasted.Enable_AN + pasted.Enable_RSSI,
            0);
  ASSERT_EQ(pasted.Var_List.size(), 1u);
  EXPECT_EQ(pasted.Var_List[0].PositionData, 300);
  EXPECT_EQ(Node(1)->Text(), "ID 777 - Heat");
  ASSERT_EQ(Node(1)->Count(), 1);
  EXPECT_EQ(Node(1)->Item(0)->Text(), "VAR - Energy");
  EXPECT_EQ(Form->Nodi_List[0].Enable_NS, 1) << "the original keeps its switches";
}

TEST_F(MeterBus, ImportThroughTheFileDialog) {
  Network({Wired("Heat", 5)});
  const std::string other = Dir.File("other.xml");
  ASSERT_TRUE(Write_MBus_Network(other, {Wired("A", 1), Wired("B", 2)}));
  Open();
  std::vector<TFileDialogRequest> asked;
  std::string choice;
  const TFileDialogHandler previous = SetFileDialogHandler([&](TFileDialogRequest& r) {
    asked.push_back(r);
    r.FileName = choice;
    return !choice.empty();
  });
  struct TCase {
    const char* Name;
    std::string Chosen;
    std::vector<TModalResult> Answers;
    int Nodes; // in the tree and the file afterwards
  };
  const TCase cases[] = {{"the dialog cancelled", "", {}, 1},
                         {"No to overwriting", other, {mrNo}, 1},
                         {"Yes to overwriting", other, {mrYes}, 2}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    choice = c.Chosen;
    TMessageResponder answers;
    for (TModalResult a : c.Answers)
      answers.Answer(a);
    ASSERT_TRUE(Headless::Click(*Form, "Btn_ImportNet"));
    EXPECT_EQ(answers.Count(), c.Answers.size());
    EXPECT_EQ(Form->NODE_ORIG->Count(), c.Nodes);
    EXPECT_EQ(Read_MBus_Network(FileName_M_Bus).Nodes.size(), static_cast<std::size_t>(c.Nodes));
  }
  SetFileDialogHandler(previous);
  ASSERT_EQ(asked.size(), 3u);
  EXPECT_FALSE(asked[0].Save);
  EXPECT_EQ(asked[0].Filter, "XML File (*.xml)|*.xml");
  EXPECT_EQ(Form->ModalResult(), mrNone) << "the window stays open";
}

TEST_F(MeterBus, TheTypeOfDataAndVifeListsOpenTowardsTheLeftAsWideAsTheirLongestText) {
  Open();
  Form->ProPageControl1->SetActivePage(Form->ProTabSheet2);
  const int window_left = Form->ClientToScreen({0, 0}).X;
  struct TCase {
    TComboBox* Box;
    int Extra;
  };
  for (const TCase& c : {TCase{Form->CB_Var_ToD, 30}, TCase{Form->CB_VIFE, 65}}) {
    SCOPED_TRACE(c.Box->Name());
    const auto widest = [&] {
      TBitmap measure;
      measure.Canvas().Font().Assign(c.Box->Font());
      int w = 0;
      for (int i = 0; i < c.Box->Items().Count(); ++i)
        w = std::max(w, measure.Canvas().TextWidth(c.Box->Items()[i]));
      return w;
    };
    const int scroll = GetSystemMetrics(SM_CXVSCROLL);
    EXPECT_EQ(c.Box->DroppedWidth(), widest() + 12 + c.Extra + scroll) << "the longest text and a scroll bar";
    // A longer text added later widens the list, removed it narrows it again.
    const int before = c.Box->DroppedWidth();
    c.Box->Items().Add(std::string(c.Box->Items()[0]) + std::string(80, 'W'));
    EXPECT_EQ(c.Box->DroppedWidth(), widest() + 12 + c.Extra + scroll);
    EXPECT_GT(c.Box->DroppedWidth(), before);
    c.Box->Items().Delete(c.Box->Items().Count() - 1);
    EXPECT_EQ(c.Box->DroppedWidth(), before);
    c.Box->SetDroppedDown(true);
    const TRect list = c.Box->DroppedBounds();
    const TPoint box = c.Box->ClientToScreen({0, 0});
    EXPECT_EQ(list.Right, box.X + c.Box->Width()) << "the right edges line up";
    EXPECT_LT(list.Left, box.X);
    EXPECT_GE(list.Left, window_left) << "inside the window";
    c.Box->SetDroppedDown(false);
  }
  // A short list opens under the box as wide as the box.
  const TRect unit = Form->CB_Var_Unit->DroppedBounds();
  EXPECT_EQ(unit.Left, Form->CB_Var_Unit->ClientToScreen({0, 0}).X);
  EXPECT_EQ(unit.Right - unit.Left, Form->CB_Var_Unit->Width());
}

} // namespace
