// The Scan & Decode window end to end on a wired line: the device list while scanning, the tree of
// slaves and records at the end, and the scan saved as M_Bus.xml with its registers numbered.
#include "ScanDecodeFixture.h"
#include "platform/Files.h"
#include "tree/StringTree.h"

#include <algorithm>
#include <thread>

namespace {

class ScanDecodeWired : public TScanDecodeTest {
protected:
  void Two_Meters() {
    Gateway.SetScript(Line({{5, "12345678", {Hex(telegrams::W1)}}, {200, "03543109", {Hex(telegrams::T6)}}}));
  }
  std::string Text(PVNode node) { return Form->VST->Text(node, NoColumn); }
  PVNode Child(PVNode parent, unsigned index) {
    PVNode n = Form->VST->GetFirstChild(parent);
    for (unsigned i = 0; i < index && n; ++i)
      n = Form->VST->GetNextSibling(n);
    return n;
  }
  // Per-node save with these start registers, both register boxes ticked.
  // `replace`: the file exists and is replaced (No to the question whether to add to it).
  void Save_Per_Node(const std::vector<std::string>& starts, bool replace = false) {
    TMessageResponder answers;
    if (replace) answers.Answer(mrNo);
    answers.Answer(mrOk);
    Headless::OnNextModal([&](TForm&) {
      for (std::size_t i = 0; i < starts.size(); ++i)
        FModbusStartAdd_SD->Set_Start_Cell(static_cast<int>(i) + 1, starts[i]);
      Headless::Tick(*FModbusStartAdd_SD, "CB_En_NodeState", true);
      Headless::Tick(*FModbusStartAdd_SD, "CB_En_IndNum", true);
      FModbusStartAdd_SD->Btn_OK->Click();
    });
    Form->Btn_SaveConfManual->Click();
    std::vector<std::string> expected{Lang_Text(2130)};
    if (replace) expected.insert(expected.begin(), Lang_Text(2137));
    EXPECT_EQ(answers.Texts(), expected);
  }
  // Closes the window while a scan runs, the engine's turns going on meanwhile.
  void Close_Mid_Scan() {
    std::thread driver([&] {
      while (Engine().InScan() && Settle())
        Clock.AdvanceToNextWake();
    });
    Form->Close();
    driver.join();
    EXPECT_FALSE(Engine().InScan());
  }
  long Analyzer_Enables() {
    const auto labels = Labels(Gateway.Requests());
    return std::count(labels.begin(), labels.end(), std::string(Gateway_Text::Enable_Analyzer));
  }
};

const std::string W1_Node_Head =
    "\t<Nodo Node_Enable=\"1\" ID_Primary=\"5\" ID_Secondary=\"12345678\" Node_ID_Type=\"0\" ";

TEST_F(ScanDecodeWired, PrimaryScanFillsTheListTheTreeAndSavesTheWorkedExample) {
  Two_Meters();
  Open();
  EXPECT_EQ(Form->Face(), 1);
  Form->Btn_StartScan->Click();
  EXPECT_EQ(Form->Face(), 2);
  EXPECT_TRUE(Form->LB_AvailableDevice->Visible());
  EXPECT_FALSE(Form->Btn_StartScan->Visible());
  EXPECT_TRUE(Form->Btn_StopScan->Visible());
  EXPECT_EQ(Form->Btn_StopScan->Left(), 8);
  EXPECT_EQ(Form->Btn_AbortScan->Left(), 8 + 145 + 8);

  // While address 7 is asked: lines for 0 to 6, address 5 found.
  ASSERT_TRUE(Run_Until([&] { return Form->LB_AvailableDevice->Count() >= 7; }));
  const auto& lines = Form->LB_AvailableDevice->Items();
  EXPECT_EQ(lines[4], "ID = 4\t[NOT FOUND]");
  EXPECT_EQ(lines[5], "ID = 5\t");
  EXPECT_EQ(Form->LB_AvailableDevice->TopIndex(), Form->LB_AvailableDevice->Count() - 1);
  Form->LB_AvailableDevice->SetTopIndex(3);
  const TBitmap list = RenderPicture(*Form->LB_AvailableDevice);
  auto ink = [&](int row, TColor color, int from, int to) {
    const TRect r = Form->LB_AvailableDevice->ItemRect(row);
    return CountColor(list, color, TRect{from, r.Top, to, r.Bottom});
  };
  const int width = Form->LB_AvailableDevice->ClientWidth();
  EXPECT_GT(ink(4, clRed, 0, 70), 0) << "the address of a silent one in red";
  EXPECT_GT(ink(4, clRed, 70, width), 0) << "its mark in the second column";
  EXPECT_EQ(ink(4, clBlue, 0, width), 0);
  EXPECT_GT(ink(5, clBlue, 0, width), 0) << "the meter at 5 in blue";
  EXPECT_EQ(ink(5, clRed, 0, width), 0);

  ASSERT_TRUE(Run_To_Face(3));
  EXPECT_EQ(Form->LB_AvailableDevice->Count(), 251);
  EXPECT_EQ(lines[200], "ID = 200\t");
  EXPECT_EQ(lines[250], "ID = 250\t[NOT FOUND]");
  EXPECT_EQ(Form->L_Num_Slave->Caption(), "2");
  EXPECT_EQ(Form->L_ScanProgress->Caption(), "Number of Slaves");
  EXPECT_FALSE(Form->LB_AvailableDevice->Visible());
  EXPECT_TRUE(Form->Btn_NewScan->Visible());
  EXPECT_TRUE(Form->Btn_SaveConf->Visible());
  EXPECT_TRUE(Form->Btn_SaveConfManual->Visible());

  TNodeStringTree* tree = Form->VST;
  ASSERT_EQ(tree->RootNodeCount(), 2u);
  PVNode w1 = tree->GetFirst();
  EXPECT_EQ(Text(w1), "Primary Address = 5 - Secondary Address = 12345678 - Manufacturer = " +
                          List_Slave_MBus().Snapshot()[0].descManufacture +
                          "(5523) - Version = 51 - Type = 3");
  EXPECT_EQ(tree->CheckState(w1), csCheckedNormal);
  ASSERT_EQ(tree->ChildCount(w1), 3u);
  PVNode volume = Child(w1, 0);
  EXPECT_EQ(tree->CheckState(volume), csCheckedNormal);
  ASSERT_EQ(tree->ChildCount(volume), 12u);
  EXPECT_EQ(Text(Child(volume, 0)), "Storage Number = 0");
  EXPECT_EQ(Text(Child(volume, 8)), "VIF = $13");
  EXPECT_EQ(Text(Child(volume, 11)).substr(0, 8), "DATA = $");
  EXPECT_EQ(tree->CheckType(Child(volume, 3)), ctNone);
  EXPECT_EQ(tree->ChildCount(Child(w1, 0)), 12u);
  PVNode t6 = tree->GetNextSibling(w1);
  EXPECT_EQ(tree->ChildCount(t6), 7u);

  Save_Per_Node({"100", "200"});
  // Written out from the node and variable tables: the W1 node is the worked example.
  std::string fixture;
  ASSERT_TRUE(ReadFileBytes(std::string(VELMARIC_TEST_DATA) + "/mbus/ScanDecode_two_meters.xml", fixture));
  EXPECT_EQ(Dir.Read("M_Bus.xml"), fixture);

  // An unticked record: Enable "0" and the next record's register; the file is replaced (No).
  tree->SetCheckState(Child(w1, 1), csUncheckedNormal);
  Save_Per_Node({"100", "200"}, true);
  const std::string file = Dir.Read("M_Bus.xml");
  EXPECT_NE(
      file.find("<Variabile Enable=\"0\" Position=\"2\" Desc=\"Flow Temperature °C (U0S0T0)\" Type=\"12\" "
                "VIF_ASCII=\"\" Fun_Field=\"0\" Length=\"0\" ModReg=\"105\""),
      std::string::npos)
      << file;
  EXPECT_NE(file.find("Position=\"3\" Desc=\"Error Flag (Binary) (U0S0T0)\" Type=\"19\" VIF_ASCII=\"\" "
                      "Fun_Field=\"0\" Length=\"0\" ModReg=\"105\""),
            std::string::npos);
}

TEST_F(ScanDecodeWired, SecondaryScanListsTheAddressesFoundBetweenItsStartAndFinish) {
  Gateway.SetScript(Line({{-1, "12345000", {Meter_Frame("12345000", 0xFD)}},
                          {-1, "12349000", {Meter_Frame("12349000", 0xFD, false, 777)}}}));
  Open();
  Headless::PickItem(*Form, "CB_ScanBy", 1);
  Form->Btn_StartScan->Click();
  ASSERT_TRUE(Run_To_Face(3));
  EXPECT_EQ(Form->LB_AvailableDevice->Items(),
            (std::vector<std::string>{"Start Scan By Secondary Address", "ID = 12345000", "ID = 12349000",
                                      "Finish Scan By Secondary Address"}));
  EXPECT_EQ(Form->L_Num_Slave->Caption(), "2");
  ASSERT_EQ(Form->VST->RootNodeCount(), 2u);
  EXPECT_EQ(Text(Form->VST->GetFirst()).substr(0, 60),
            "Primary Address = 253 - Secondary Address = 12345000 - Manuf");

  // Every line of a secondary scan is drawn blue.
  Form->Form_Style(2);
  EXPECT_EQ(Form->LB_AvailableDevice->TopIndex(), 3) << "the last line on top";
  Form->LB_AvailableDevice->SetTopIndex(0);
  const TBitmap list = RenderPicture(*Form->LB_AvailableDevice);
  const TRect all{0, 0, Form->LB_AvailableDevice->ClientWidth(),
                  Form->LB_AvailableDevice->ItemRect(3).Bottom};
  EXPECT_EQ(CountColor(list, clRed, all), 0);
  for (int row = 0; row < 4; ++row) {
    const TRect r = Form->LB_AvailableDevice->ItemRect(row);
    EXPECT_GT(CountColor(list, clBlue, TRect{0, r.Top, all.Right, r.Bottom}), 0) << row;
  }
}

TEST_F(ScanDecodeWired, CyclicScanStartsTheNextScanAndCountsTheOnesWithoutThirtySlaves) {
  struct TCase {
    const char* Name;
    int Meters;
    int Errors; // after two finished scans
  };
  const TCase cases[] = {{"one meter", 1, 2}, {"thirty meters", 30, 0}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    std::vector<TSimSlave> meters;
    for (int a = 1; a <= c.Meters; ++a) {
      char id[12];
      std::snprintf(id, sizeof id, "%08d", 1000 + a);
      meters.push_back({a, id, {Meter_Frame(id, a)}});
    }
    Gateway.SetScript(Line(meters));
    const long before = Analyzer_Enables();
    Open();
    Form->Error_Cyclic = 5;
    Form->Ciclic1->Click();
    EXPECT_EQ(Form->Error_Cyclic, 0);
    EXPECT_TRUE(Form->Cyclic_Scan);
    EXPECT_EQ(Form->Face(), 2);
    ASSERT_TRUE(Run_Until([&] { return Analyzer_Enables() == before + 3 && Engine().InScan(); }));
    EXPECT_EQ(Form->Error_Cyclic, c.Errors);
    EXPECT_EQ(Form->Face(), 2) << "the third scan runs";
    EXPECT_EQ(Form->VST->RootNodeCount(), 0u) << "each start empties the results";
    if (c.Errors > 0) {
      EXPECT_EQ(Form->Label1->Caption(), std::to_string(c.Errors));
    }
    EXPECT_FALSE(Form->Label1->Visible());
    Close_Mid_Scan();
    Form->Cyclic_Scan = false;
  }
}

} // namespace
