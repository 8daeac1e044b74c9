// The Scan & Decode window's option rows, faces, refusals and closing, driven headless.
#include "ScanDecodeFixture.h"
#include "platform/Files.h"
#include "tree/StringTree.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

namespace {

class ScanDecodeCases : public TScanDecodeTest {
protected:
  // A finished wired scan as the engine leaves it, shown in face 3.
  void Finished_Wired_Scan() {
    TSlave_MBus s;
    s.Primary_Addresss = 5;
    s.Secondary_Addresss = "12345678";
    s.descManufacture = "ELS";
    TVariable_MBus v;
    v.dimension = 4;
    v.Desc_Type_Data = "Volume m3";
    s.List_Var = {v, v};
    List_Slave_MBus().Locked([&](std::vector<TSlave_MBus>& slaves) { slaves = {s, s}; });
    Form->Form_Style(3);
    Form->Show_Slave_in_Tree();
  }
};

TEST_F(ScanDecodeCases, OptionRowsByFormTypeMethodAndDeviceCode) {
  struct TCase {
    const char* Name;
    int Form_Type;
    int Method;
    int Code;
    int Height;
    int ScanBy_Top; // -1: hidden
    int Remote_Top;
    bool Port_Shown;
    std::string Port;
    bool Port_Enabled;
  };
  const TCase cases[] = {
      {"wired only", 0, 0, 0, 523, 8, 323, false, "502", true},
      {"choice, wired", 1, 0, 0, 571, 40, 355, false, "502", true},
      {"choice, wireless", 1, 1, 0, 571, -1, 259, true, "502", true},
      {"wireless, code 12", 1, 1, 12, 571, -1, 259, true, "10001", false},
      {"wireless, code 15", 1, 1, 15, 571, -1, 259, true, "10001", false},
      {"wireless, code 18", 1, 1, 18, 571, -1, 259, true, "10001", true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Form->E_Port->SetText("502");
    Form->Form_Type = c.Form_Type;
    Form->XML_Code_Dev = c.Code;
    Form->CB_ScanMethod->SetItemIndex(c.Method);
    Form->Move_Object_Type_Form();
    EXPECT_EQ(Form->ClientHeight(), c.Height);
    EXPECT_EQ(Form->CB_ScanMethod->Visible(), c.Form_Type == 1);
    EXPECT_EQ(Form->CB_ScanBy->Visible(), c.ScanBy_Top >= 0);
    if (c.ScanBy_Top >= 0) {
      EXPECT_EQ(Form->CB_ScanBy->Top(), c.ScanBy_Top);
      EXPECT_EQ(Form->L_ScanBy->Top(), c.ScanBy_Top + 3);
    }
    EXPECT_EQ(Form->CB_Opt_Enable_Remote_Scan->Top(), c.Remote_Top);
    EXPECT_EQ(Form->E_Port->Visible(), c.Port_Shown);
    EXPECT_EQ(Form->CB_MBus_Baud->Visible(), !c.Port_Shown);
    EXPECT_EQ(Form->CB_wMBus_Mode->Visible(), c.Port_Shown);
    EXPECT_EQ(Form->CB_Opt_SND_NKE->Visible(), !c.Port_Shown);
    EXPECT_EQ(Form->E_Port->Text(), c.Port);
    if (c.Port_Shown) {
      EXPECT_EQ(Form->E_Port->Enabled(), c.Port_Enabled);
      EXPECT_EQ(Form->CB_wMBus_Radio_Channel->Top(), 176);
    }
    EXPECT_EQ(Form->E_IP1->Left(), 176);
    EXPECT_EQ(Form->E_IP4->Left(), 374);
  }
}

TEST_F(ScanDecodeCases, SerialCannotBeChosenAndADotMovesToTheNextOctet) {
  Open();
  EXPECT_FALSE(Form->CB_HardwareType->Enabled());
  Form->CB_HardwareType->SetItemIndex(1);
  Form->Form_Style(1);
  EXPECT_EQ(Form->CB_HardwareType->ItemIndex(), 0) << "every face chooses Ethernet again";
  Form->E_IP3->SetText("");
  Headless::TypeText(*Form->E_IP3, "7.");
  EXPECT_EQ(Form->E_IP3->Text(), "7");
  EXPECT_TRUE(Form->E_IP4->Focused());
  Form->E_IP4->SetText("");
  Headless::TypeText(*Form->E_IP4, "9.");
  EXPECT_EQ(Form->E_IP4->Text(), "9") << "the dot is swallowed in the last box too";
}

TEST_F(ScanDecodeCases, StartRefusesBadAddressesAndPorts) {
  Gateway.SetScript(Line({}));
  struct TCase {
    const char* Name;
    std::string Ip1, Port;
    int Method;
    int Message;
  };
  const TCase cases[] = {
      {"an octet above 255", "256", "10001", 0, Txt_Scan_Bad_IP},
      {"an empty octet", "", "10001", 0, Txt_Scan_Bad_IP},
      {"a sign", "-1", "10001", 0, Txt_Scan_Bad_IP},
      {"hexadecimal", "0x7F", "10001", 1, Txt_Scan_Bad_IP},
      {"port -1", "127", "-1", 1, Txt_Scan_Bad_Port},
      {"port 0", "127", "0", 1, Txt_Scan_Bad_Port},
      {"port 65536", "127", "65536", 1, Txt_Scan_Bad_Port},
  };
  Open(1);
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Form->CB_ScanMethod->SetItemIndex(c.Method);
    Form->Move_Object_Type_Form();
    Form->E_IP1->SetText(c.Ip1);
    Form->E_Port->SetText(c.Port);
    TMessageResponder answers({mrOk});
    Form->Btn_StartScan->Click();
    EXPECT_EQ(answers.Texts(), std::vector<std::string>{Lang_Text(c.Message)});
    EXPECT_FALSE(Engine().InScan());
    EXPECT_EQ(Form->Face(), 1);
  }
}

TEST_F(ScanDecodeCases, AStartDuringAScanAndAGatewayThatNeverConfirms) {
  Gateway.SetScript(Line({}, Opts([](TLineOptions& o) { o.Confirm_Analyzer = false; })));
  Open();
  Form->StopScan(); // nothing runs: nothing happens
  EXPECT_EQ(Form->Face(), 1);
  Form->Btn_StartScan->Click();
  ASSERT_TRUE(Engine().InScan());
  {
    TMessageResponder answers({mrOk});
    Form->StartScan();
    EXPECT_EQ(answers.Texts(), std::vector<std::string>{Lang_Text(2126)});
    EXPECT_EQ(Form->Face(), 2);
  }
  TMessageResponder answers({mrOk});
  ASSERT_TRUE(Run_To_Face(1));
  EXPECT_EQ(answers.Texts(), std::vector<std::string>{Lang_Text(2129)});
  EXPECT_EQ(Engine().Result(), 2);
  EXPECT_TRUE(Form->Btn_StartScan->Visible());
}

TEST_F(ScanDecodeCases, NoSlaveEndsInFaceThreeWithNone) {
  Gateway.SetScript(Line({}));
  Open();
  Form->Btn_StartScan->Click();
  ASSERT_TRUE(Run_To_Face(3));
  EXPECT_EQ(Form->L_Num_Slave->Caption(), "0");
  EXPECT_EQ(Form->VST->RootNodeCount(), 0u);
  Form->Btn_NewScan->Click();
  EXPECT_EQ(Form->Face(), 1);
}

TEST_F(ScanDecodeCases, ClosingMidScanRunsTheClosingStepsAndReopeningShowsFaceOne) {
  Gateway.SetScript(Line({{17, "00000017", {Hex(telegrams::W1)}}}));
  Open();
  Form->Btn_StartScan->Click();
  ASSERT_TRUE(Run_Until([&] { return Form->LB_AvailableDevice->Count() >= 20; }));
  // The window's thread waits in its close while the engine's turns go on.
  std::thread driver([&] {
    while (Engine().InScan() && Settle())
      Clock.AdvanceToNextWake();
  });
  Form->Close();
  driver.join();
  EXPECT_FALSE(Engine().InScan());
  EXPECT_FALSE(Form->Visible());
  EXPECT_EQ(Labels(Gateway.Requests()).back(), "Ormida_Disable_Analyzer_Mode")
      << "the gateway left analyzer mode";
  EXPECT_EQ(List_Slave_MBus().Count(), 1) << "the results stay until the next start";
  Form->Show();
  EXPECT_EQ(Form->Face(), 1);
}

TEST_F(ScanDecodeCases, ClosingWhileTheGatewayNeverLeavesAnalyzerModeEndsWithinItsBound) {
  Gateway.SetScript(Line({}, Opts([](TLineOptions& o) { o.Confirm_Disable_After = -1; })));
  Open();
  Form->Btn_StartScan->Click();
  ASSERT_TRUE(Run_Until([&] { return Form->LB_AvailableDevice->Count() >= 3; }));
  // The engine's turns go on up to just past the bound of three attempts; the close must end
  // by then, however long the engine would still need.
  const std::int64_t bound = Clock.NowMs() + 3 * 1000;
  std::atomic<bool> closed{false};
  bool hung = false;
  std::thread driver([&] {
    while (!closed && Clock.NowMs() <= bound && Settle())
      Clock.AdvanceToNextWake();
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!closed && std::chrono::steady_clock::now() < give_up)
      std::this_thread::yield();
    if (!closed) {
      hung = true;
      Clock.Release();
    }
  });
  Form->Close();
  closed = true;
  driver.join();
  ASSERT_FALSE(hung) << "the close waited past its bound";
  EXPECT_FALSE(Form->Visible());
  // Shown again: face 1; the engine ends its closing steps and a new scan can start.
  Form->Show();
  EXPECT_EQ(Form->Face(), 1);
  ASSERT_TRUE(Run_Until([&] { return !Engine().InScan(); }));
  const auto labels = Labels(Gateway.Requests());
  EXPECT_EQ(std::count(labels.begin(), labels.end(), std::string(Gateway_Text::Disable_Analyzer)), 3);
  Gateway.SetScript(Line({}));
  Form->Btn_StartScan->Click();
  EXPECT_EQ(Form->Face(), 2) << "a new scan starts";
  ASSERT_TRUE(Run_To_Face(3));
}

TEST_F(ScanDecodeCases, ThePerNodeSaveButtonByFaceAndDeviceCode) {
  Open(1);
  struct TCase {
    int Face;
    int Code;
    bool Shown;
  };
  const TCase cases[] = {{3, 0, true},  {3, 6, false}, {3, 11, false}, {3, 15, false}, {3, 20, false},
                         {3, 12, true}, {5, 0, true},  {5, 6, true},   {5, 11, true},  {5, 15, false},
                         {5, 20, true}, {1, 0, false}, {2, 0, false},  {4, 0, false}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.Face) + " / " + std::to_string(c.Code));
    Form->XML_Code_Dev = c.Code;
    Form->Form_Style(c.Face);
    EXPECT_EQ(Form->Btn_SaveConfManual->Visible(), c.Shown);
    EXPECT_EQ(Form->Btn_SaveConf->Visible(), c.Face == 3 || c.Face == 5);
  }
}

TEST_F(ScanDecodeCases, SaveConfQuestionsDialogsAndFailures) {
  Open();
  Finished_Wired_Scan();
  struct TCase {
    const char* Name;
    int Code;
    std::string Existing; // "" none
    std::vector<int> Answers;
    std::string Start_Register; // typed into the start register dialog; "" when none shows
    std::function<void(const std::string& file)> Check;
  };
  const TCase cases[] = {
      {"no file: no question, registers from 1",
       0,
       "",
       {mrOk},
       "",
       [](const std::string& f) {
         EXPECT_NE(f.find("ModReg=\"1\""), std::string::npos);
         EXPECT_NE(f.find("ModReg=\"3\""), std::string::npos);
       }},
      {"replace an existing file",
       0,
       "<M-Bus_Network><Nodo Descrizione=\"old\"/></M-Bus_Network>",
       {mrNo, mrOk},
       "",
       [](const std::string& f) { EXPECT_EQ(f.find("old"), std::string::npos); }},
      {"add to it from the register typed",
       0,
       "<M-Bus_Network><Nodo Descrizione=\"old\"/></M-Bus_Network>",
       {mrYes, mrOk},
       "$10",
       [](const std::string& f) {
         EXPECT_LT(f.find("old"), f.find("ELS"));
         EXPECT_NE(f.find("ModReg=\"16\""), std::string::npos);
       }},
      {"code 2 adds without a dialog",
       2,
       "<M-Bus_Network/>",
       {mrYes, mrOk},
       "",
       [](const std::string& f) { EXPECT_NE(f.find(" ID=\"5\""), std::string::npos); }},
      {"code 4 groups the nodes",
       4,
       "",
       {mrOk},
       "",
       [](const std::string& f) {
         EXPECT_NE(f.find("<Group Baudrate=\"3\" Parity=\"1\">"), std::string::npos);
       }},
      {"code 12 writes BACnet and no registers",
       12,
       "",
       {mrOk},
       "",
       [](const std::string& f) {
         EXPECT_EQ(f.find("ModReg"), std::string::npos);
         EXPECT_NE(f.find("BACnet_EngUnits=\"95\" BACnet_DataType=\"0\" Post_Operation=\"0\""),
                   std::string::npos);
       }},
      {"cancel saves nothing", 0, "keep", {mrCancel}, "", [](const std::string& f) { EXPECT_EQ(f, "keep"); }},
      {"an unparsable file to add to: its error, nothing written",
       0,
       "<M-Bus_Network",
       {mrYes, mrOk},
       "1",
       [](const std::string& f) { EXPECT_EQ(f, "<M-Bus_Network"); }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    std::remove(FileName_M_Bus.c_str());
    if (!c.Existing.empty()) Dir.Write("M_Bus.xml", c.Existing);
    Form->XML_Code_Dev = c.Code;
    TMessageResponder answers;
    for (int a : c.Answers)
      answers.Answer(a);
    if (!c.Start_Register.empty()) {
      Headless::OnNextModal([&](TForm&) {
        Headless::SetText(*FScanModbusStart, "E_StartModAdd", c.Start_Register);
        FScanModbusStart->Btn_OK->Click();
      });
    }
    Form->Btn_SaveConf->Click();
    EXPECT_EQ(answers.Count(), c.Answers.size());
    std::string file;
    ReadFileBytes(FileName_M_Bus, file);
    c.Check(file);
  }
}

TEST_F(ScanDecodeCases, AnUnwritableConfigurationFolderIsReported) {
  Open();
  Finished_Wired_Scan();
  Form->FileName_MBus = Dir.File("missing/M_Bus.xml");
  TMessageResponder answers({mrOk});
  Form->Btn_SaveConf->Click();
  ASSERT_EQ(answers.Count(), 1u);
  EXPECT_EQ(answers.Last().Type, mtError);
  EXPECT_FALSE(FileExists(Form->FileName_MBus));
}

TEST_F(ScanDecodeCases, IpAddressFromParGenByDeviceCode) {
  Dir.Write("ParGen.xml", "<!-- first --><Par_Gen><IP_1>10</IP_1><IP_2>1</IP_2><IP_3>2</IP_3><IP_4>3</IP_4>"
                          "<BACnet_IP1>172</BACnet_IP1><BACnet_IP3>5</BACnet_IP3></Par_Gen>");
  Form->Show();
  EXPECT_EQ(Form->E_IP1->Text() + "." + Form->E_IP2->Text() + "." + Form->E_IP3->Text() + "." +
                Form->E_IP4->Text(),
            "10.1.2.3");
  Form->Hide();
  Form->XML_Code_Dev = 6;
  Form->Show();
  EXPECT_EQ(Form->E_IP1->Text() + "." + Form->E_IP2->Text() + "." + Form->E_IP3->Text() + "." +
                Form->E_IP4->Text(),
            "172.1.5.3")
      << "a missing element leaves its box";
}

TEST_F(ScanDecodeCases, PicturesOfTheFaces) {
  Open(1);
  const TColor form = RGB(248, 247, 237);
  const TBitmap one = RenderPicture(*Form);
  EXPECT_EQ(one.Width(), ScanDecode_Client_Width);
  EXPECT_EQ(one.Height(), ScanDecode_Height_Choice);
  const TPoint ip = In_Form(*Form->E_IP1, *Form, {30, 10});
  EXPECT_EQ(one.Pixel(ip.X, ip.Y), clWhite) << "the options panel's IP box";
  // A button shows as a frame of other colours along its top edge.
  auto button_at = [&](const TBitmap& b, int left) {
    const TPoint a = In_Form(*Form->P_Button, *Form, {left + 10, 6});
    int framed = 0;
    for (int x = a.X; x < a.X + 120; ++x)
      if (b.Pixel(x, a.Y) != form) ++framed;
    return framed > 60;
  };
  const int second = 8 + 145 + 8, third = second + 145 + 8;
  EXPECT_TRUE(button_at(one, 8));
  EXPECT_FALSE(button_at(one, second)) << "one button only";

  Form->Form_Style(2);
  Form->Show_Scan_Progress(2, 0, 0, 1);
  Form->Show_Scan_Progress(2, 1, 1, 1);
  Form->LB_AvailableDevice->SetTopIndex(0);
  const TBitmap two = RenderPicture(*Form);
  const TRect list = Form->LB_AvailableDevice->BoundsRect();
  const TPoint inList = In_Form(*Form->P_TreeView, *Form, {list.Left + 200, list.Bottom - 5});
  EXPECT_EQ(two.Pixel(inList.X, inList.Y), clWhite) << "the device list";
  EXPECT_TRUE(button_at(two, second)) << "Abort Scan beside Stop Scan";
  EXPECT_FALSE(button_at(two, third));
  auto ink_in_row = [&](const TBitmap& b, int row, TColor color) {
    const TRect r = Form->LB_AvailableDevice->ItemRect(row);
    const TPoint a = In_Form(*Form->LB_AvailableDevice, *Form, {r.Left, r.Top});
    const TPoint z = In_Form(*Form->LB_AvailableDevice, *Form, {r.Right, r.Bottom});
    return CountColor(b, color, TRect{a.X, a.Y, z.X, z.Y});
  };
  EXPECT_GT(ink_in_row(two, 0, clRed), 0);
  EXPECT_GT(ink_in_row(two, 1, clBlue), 0);

  Finished_Wired_Scan();
  const TBitmap three = RenderPicture(*Form);
  const TRect tree = Form->VST->BoundsRect();
  const TPoint inTree = In_Form(*Form->P_TreeView, *Form, {tree.Right - 10, tree.Bottom - 10});
  EXPECT_EQ(three.Pixel(inTree.X, inTree.Y), clWhite) << "the tree in place of the list";
  EXPECT_TRUE(button_at(three, third)) << "three buttons";

  for (int face : {4, 5}) {
    SCOPED_TRACE(face);
    Form->Form_Style(face);
    TSlave_wMBus s;
    Form->Show_Wireless_Slave(0, s); // the current row: drawn selected
    s.Cripted = true;
    Form->Show_Wireless_Slave(1, s);
    s.Cripted = false;
    Form->Show_Wireless_Slave(2, s);
    const TBitmap w = RenderPicture(*Form);
    const TPoint title = In_Form(*Form->P_W_Title, *Form, {400, 14});
    EXPECT_EQ(w.Pixel(title.X, title.Y), form) << "the heading strip";
    const TPoint below = In_Form(*Form->VST_Wireless, *Form, {400, 60});
    EXPECT_EQ(w.Pixel(below.X, below.Y), clWhite) << "the tree below the splitter";
    const TRect band{0, below.Y - 400, w.Width(), below.Y};
    EXPECT_GT(CountColor(w, RGB(0xFF, 0xBB, 0xB9), band), 200) << "the encrypted device's row";
    EXPECT_GT(CountColor(w, RGB(0xA8, 0xFF, 0xA8), band), 200) << "the plain device's row";
    EXPECT_EQ(button_at(w, third), face == 5);
  }
}

} // namespace
