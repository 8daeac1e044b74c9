// The Scan & Decode window listening to the radio: an encrypted device's row, its key entered and
// downloaded to the module, the next telegram readable, a record unticked, and the wireless save.
#include "ScanDecodeFixture.h"
#include "SimulatedRadio.h"
#include "tree/StringTree.h"

namespace {

class ScanDecodeWireless : public TScanDecodeTest {
protected:
  // One port number at both ends: the gateway on 127.0.0.2, the engine bound to 127.0.0.1.
  ScanDecodeWireless() : TScanDecodeTest("127.0.0.2", "127.0.0.1") {}

  void Start() {
    Open(1);
    Form->CB_ScanMethod->SetItemIndex(1);
    Form->Move_Object_Type_Form();
    Form->E_Port->SetText(std::to_string(Gateway.Port()));
    Form->Btn_StartScan->Click();
    ASSERT_EQ(Form->Face(), 4);
    ASSERT_TRUE(Run_Until([&] { return Engine().Step() == 134; }));
  }
  void Push(const char* telegram) {
    Gateway.Push(Telit(Hex(telegram)));
    ASSERT_TRUE(Settle());
    Application->ProcessMessages();
  }
  std::vector<std::string> Requests_Since(std::size_t from) {
    std::vector<std::string> out;
    const auto all = Gateway.Requests();
    for (std::size_t i = from; i < all.size(); ++i)
      out.emplace_back(all[i].begin(), all[i].end());
    return out;
  }
};

TEST_F(ScanDecodeWireless, EncryptedDeviceKeyDownloadReadableTelegramAndSave) {
  Gateway.SetScript(Radio());
  Start();

  Push(telegrams::T1);
  ASSERT_EQ(Form->Wireless_Row_Count(), 2);
  EXPECT_EQ(Form->Wireless_Cell(0, 1).Text, "1");
  EXPECT_EQ(Form->Wireless_Cell(8, 1).Text, "12345678");
  for (int c = 1; c <= 12; ++c)
    EXPECT_EQ(Form->Wireless_Cell(c, 1).Color, RGB(0xFF, 0xBB, 0xB9)) << c;
  EXPECT_EQ(Form->Wireless_Cell(12, 1).Image, 0) << "encrypted";

  // The key dialog: the key typed in small letters goes to the module.
  const std::size_t before = Gateway.Requests().size();
  Headless::OnNextModal([](TForm& dialog) {
    Headless::TypeText(dialog, "E_Key", "0102030405060708090a0b0c0d0e0f11");
    Headless::Click(dialog, "Btn_OK");
  });
  Form->ASG_WirelessDblClickCell(nullptr, 1, 3);
  ASSERT_TRUE(Run_Until([&] { return Engine().Step() == 134 && Gateway.Requests().size() > before; }));
  const std::vector<std::string> sent = Requests_Since(before);
  ASSERT_GE(sent.size(), 10u);
  EXPECT_EQ(sent[0], "+++");
  EXPECT_EQ(sent[1], "ATS461=" + std::to_string(0x93) + "\r");
  EXPECT_EQ(sent[9], "ATS470=1\r") << "the first key byte";
  EXPECT_EQ(sent[24], "ATS485=17\r") << "the last key byte";
  EXPECT_EQ(sent.back(), "ATO\r");
  const auto device = List_Slave_wMBus().SnapshotAt(0);
  ASSERT_TRUE(device);
  EXPECT_TRUE(device->Enable_Key);

  // The module now passes the telegram on decrypted: the row turns green.
  Push(telegrams::T3);
  EXPECT_EQ(Form->Wireless_Row_Count(), 2) << "one row per device";
  EXPECT_EQ(Form->Wireless_Cell(3, 1).Color, RGB(0xA8, 0xFF, 0xA8));
  EXPECT_EQ(Form->Wireless_Cell(12, 1).Image, 1);

  Form->Btn_StopScan->Click();
  ASSERT_TRUE(Run_To_Face(5));

  Form->ASG_WirelessClickCell(nullptr, 1, 1);
  TNodeStringTree* tree = Form->VST_Wireless;
  ASSERT_EQ(tree->RootNodeCount(), 1u);
  PVNode slave = tree->GetFirst();
  EXPECT_EQ(tree->Text(slave, NoColumn).substr(0, 44), "Manufacturer = ELS - Address = 12345678 - Ve");
  EXPECT_EQ(tree->CheckState(slave), csCheckedNormal);
  ASSERT_EQ(tree->ChildCount(slave), 18u) << "two fillers, three records, thirteen fillers";
  PVNode filler = tree->GetFirstChild(slave);
  EXPECT_EQ(tree->Text(filler, NoColumn), "Idle Filler");
  EXPECT_EQ(tree->ChildCount(filler), 12u) << "a filler keeps its detail lines";
  PVNode volume = tree->GetNextSibling(tree->GetNextSibling(filler));
  EXPECT_EQ(tree->Text(volume, NoColumn).substr(0, 8), "Value = ");
  PVNode errors = tree->GetNextSibling(tree->GetNextSibling(volume));
  tree->SetCheckState(errors, csUncheckedNormal);
  EXPECT_FALSE(List_Slave_wMBus().SnapshotAt(0)->List_Var[4].Enable) << "written back to the list";
  EXPECT_TRUE(List_Slave_wMBus().SnapshotAt(0)->List_Var[2].Enable);

  TMessageResponder saved({mrOk});
  Form->Btn_SaveConf->Click();
  EXPECT_EQ(saved.Texts(), std::vector<std::string>{Lang_Text(2130)});
  const std::string file = Dir.Read("M_Bus.xml");
  EXPECT_NE(file.find("MBus_Type=\"0\" wMBus_ManID=\"5523\" wMBus_Add=\"305419896\" wMBus_Ver=\"51\" "
                      "wMBus_DevType=\"3\" wMBus_En_Key=\"1\" wMBus_Key_1=\"1\""),
            std::string::npos)
      << file;
  EXPECT_EQ(file.find("Position=\"1\""), std::string::npos) << "fillers are not written";
  EXPECT_NE(file.find("<Variabile Enable=\"1\" Position=\"3\""), std::string::npos);
  EXPECT_NE(file.find("<Variabile Enable=\"1\" Position=\"4\""), std::string::npos);
  EXPECT_NE(file.find("<Variabile Enable=\"0\" Position=\"5\""), std::string::npos) << "the unticked record";
}

TEST_F(ScanDecodeWireless, ADeviceHeardAgainKeepsItsRowAndHeaderClicksDoNothing) {
  Gateway.SetScript(Radio());
  Start();
  Push(telegrams::T2);
  Push(telegrams::T2);
  Push(telegrams::T2);
  EXPECT_EQ(Form->Wireless_Row_Count(), 2);
  EXPECT_EQ(Form->Wireless_Cell(12, 1).Image, 1);
  Form->ASG_WirelessClickCell(nullptr, 0, 1);
  Form->ASG_WirelessClickCell(nullptr, 2, 1);
  EXPECT_EQ(Form->VST_Wireless->RootNodeCount(), 0u);
  Form->ASG_WirelessDblClickCell(nullptr, 1, 1); // not encrypted: no dialog
  Form->Btn_AbortScan->Click();
  ASSERT_TRUE(Run_To_Face(5));
}

TEST_F(ScanDecodeWireless, AnEncryptedDeviceIsMarkedInTheTreeAndItsLongHeaderTelegramIsDecryptedHere) {
  Gateway.SetScript(Radio());
  Start();
  Push(telegrams::T1);
  Form->ASG_WirelessClickCell(nullptr, 1, 1);
  TNodeStringTree* tree = Form->VST_Wireless;
  ASSERT_EQ(tree->RootNodeCount(), 1u);
  const std::string caption = tree->Text(tree->GetFirst(), NoColumn);
  EXPECT_EQ(caption.substr(caption.size() - 12), " - CRIPTED!!");
  tree->SetCheckState(tree->GetFirst(), csUncheckedNormal);
  EXPECT_FALSE(List_Slave_wMBus().SnapshotAt(0)->Enable) << "the slave unticked";
  tree->SetCheckState(tree->GetFirst(), csCheckedNormal);
  EXPECT_TRUE(List_Slave_wMBus().SnapshotAt(0)->Enable);

  Headless::OnNextModal([](TForm& dialog) {
    Headless::TypeText(dialog, "E_Key", telegrams::KeyT1);
    Headless::Click(dialog, "Btn_OK");
  });
  const std::size_t before = Gateway.Requests().size();
  Form->ASG_WirelessDblClickCell(nullptr, 1, 3);
  ASSERT_TRUE(Run_Until([&] { return Engine().Step() == 134 && Gateway.Requests().size() > before; }));

  // Still encrypted on the air, with the long header: decrypted with the key given.
  Push(telegrams::T4);
  EXPECT_EQ(Form->Wireless_Row_Count(), 2);
  EXPECT_EQ(Form->Wireless_Cell(3, 1).Color, RGB(0xA8, 0xFF, 0xA8));
  EXPECT_EQ(Form->Wireless_Cell(12, 1).Image, 1);
  Form->ASG_WirelessClickCell(nullptr, 1, 1);
  PVNode slave = tree->GetFirst();
  ASSERT_NE(slave, nullptr);
  EXPECT_EQ(tree->Text(slave, NoColumn).find("CRIPTED"), std::string::npos);
  PVNode volume = tree->GetNextSibling(tree->GetNextSibling(tree->GetFirstChild(slave)));
  ASSERT_NE(volume, nullptr);
  EXPECT_EQ(tree->Text(volume, NoColumn).substr(0, 8), "Value = ");
  Form->Btn_AbortScan->Click();
  ASSERT_TRUE(Run_To_Face(5));
}

} // namespace
