// The communication parameters window driven as a user would: its panels and their relayout, the
// key handling of the address and key boxes, the wheel, OK and Cancel with the file they write.
#include "GatewayTestSupport.h"

#include "app/ProgramWindowFixture.h"
#include "app/UComon.h"
#include "app/ULanguage.h"
#include "gateway/LoRaWANRadio.h"
#include "gateway/ParGenFile.h"
#include "gateway/UParGen.h"
#include "platform/ui/Application.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/Headless.h"
#include "support/ControlPicture.h"
#include "support/MessageResponder.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

class ParGenFormTest : public TProgramWindowTest {
protected:
  void SetUp() override {
    TProgramWindowTest::SetUp();
    Form.reset(NewForm<TFParGen>(nullptr));
  }
  void TearDown() override {
    Form.reset();
    TProgramWindowTest::TearDown();
  }

  // Shows the window modally; the script runs inside and must close it.
  int ShowModalWith(const std::function<void(TFParGen&)>& script) {
    Headless::OnNextModal([this, script](TForm&) { script(*Form); });
    return Form->ShowModal();
  }
  void Pick(const std::string& list, const std::string& item) {
    EXPECT_TRUE(Headless::PickItem(*Form, list, item)) << list << " " << item;
  }
  int LoRaHeight() const { return Form->CP_LoRa->Height(); }
  // The window as the user sees it, and a control's place in that picture.
  TBitmap Render() { return RenderPicture(*Form); }
  TRect Place(const TControl& c) const {
    const TPoint at = c.ClientOrigin(), origin = Form->ClientOrigin();
    return Bounds(at.X - origin.X, at.Y - origin.Y, c.Width(), c.Height());
  }
  // Shown inside the panel group's view.
  bool InView(const TControl& c) const {
    const int top = c.ClientOrigin().Y - Form->CPG->ClientOrigin().Y;
    return top >= 0 && top + c.Height() <= Form->CPG->ClientHeight();
  }
  TOwned<TFParGen> Form;
};

TEST_F(ParGenFormTest, ThreePanelsInTheirOrderNumberedWithTheirDesignHeights) {
  Form->Show();
  TCategoryPanelGroup& cpg = *Form->CPG;
  std::vector<std::string> captions;
  std::vector<int> tops, heights, tabOrders;
  for (int i = 0; i < cpg.PanelCount(); ++i) {
    TCategoryPanel* p = cpg.Panels(i);
    if (!p->Visible()) continue;
    captions.push_back(p->Caption());
    tops.push_back(p->Top());
    heights.push_back(p->Height());
    tabOrders.push_back(p->TabOrder());
  }
  EXPECT_EQ(captions, (std::vector<std::string>{"1. Ethernet Connection", "2. LoRaWAN", "3. Ethernet"}));
  EXPECT_EQ(heights, (std::vector<int>{206, 372, 178})) << "a new configuration: AS923, ABP";
  EXPECT_EQ(tops, (std::vector<int>{0, 206, 578}));
  EXPECT_EQ(tabOrders, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(Form->ClientWidth(), 460);
  EXPECT_EQ(Form->ClientHeight(), 700);
  EXPECT_EQ(Form->Caption(), "Set Communication");
  EXPECT_EQ(Form->L_SW_Code->Caption(), "SWZ9K59");
  EXPECT_GE(Form->L_SW_Code->Height(), 32) << "the code in 32-pixel letters";
  EXPECT_EQ(Form->Btn_OK->Caption(), "OK");
  EXPECT_EQ(Headless::HintOf(*Form->Btn_Cancel), "Exit and Discard the current configuration");
  EXPECT_EQ(Headless::HintOf(*Form->E_Ethernet_GAT[2]), "Insert Third byte of Default Gateway");
  EXPECT_EQ(Form->CB_LoRa_DataRate->Text(), "6\t- LoRa: SF7/250kHz 11000 [bit/s]");
  EXPECT_EQ(Form->E_LoRa_Payload_Size->Text(), "230");
}

TEST_F(ParGenFormTest, LoRaWANPanelFollowsBandAndActivationMethod) {
  Form->Show();
  struct TCase {
    const char* Band;
    const char* Method;
    int Height;
    bool SubBand;
  };
  const TCase cases[] = {
      {"EU868", "Activation by Personalization [ABP]", 372, false},
      {"EU868", "Over-the-Air Activation [OTAA]", 316, false},
      {"US915", "Over-the-Air Activation [OTAA]", 344, true},
      {"US915-Hybrid", "Activation by Personalization [ABP]", 400, true},
      {"AU915", "Activation by Personalization [ABP]", 372, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::string(c.Band) + " " + c.Method);
    Pick("CB_LoRa_RF_Band", c.Band);
    Pick("CB_LoRa_Activation_Method", c.Method);
    EXPECT_EQ(LoRaHeight(), c.Height);
    EXPECT_EQ(Form->CB_LoRa_FrequencySubBand->Visible(), c.SubBand);
    EXPECT_EQ(Form->L_LoRa_FrequencySubBand->Visible(), c.SubBand);
    // The sub-band row sits under the band row and pushes every later row down by one pitch.
    EXPECT_EQ(Form->L_LoRa_Network_Type->Top(), c.SubBand ? 65 : 37);
    if (c.SubBand) {
      EXPECT_EQ(Form->L_LoRa_FrequencySubBand->Top(), 37);
    }
    EXPECT_EQ(Form->CB_LoRa_Network_Type->Top(), Form->L_LoRa_Network_Type->Top() - 3);
    EXPECT_EQ(Form->CP_Ethernet->Top(), 206 + c.Height) << "the panel below follows";
  }
}

TEST_F(ParGenFormTest, SwitchingABPToOTAASwapsTheKeyRows) {
  Form->Show();
  const int addressTop = Form->E_LoRa_Device_Address->Top();
  EXPECT_TRUE(Form->E_LoRa_Network_Session_Key->Visible());
  EXPECT_FALSE(Form->E_LoRa_Application_Key->Visible());
  Pick("CB_LoRa_Activation_Method", "Over-the-Air Activation [OTAA]");
  for (TControl* hidden : std::initializer_list<TControl*>{
           Form->L_LoRa_Device_Address, Form->E_LoRa_Device_Address, Form->L_LoRa_Network_Session_Key,
           Form->E_LoRa_Network_Session_Key, Form->L_LoRa_Application_Session_Key,
           Form->E_LoRa_Application_Session_Key})
    EXPECT_FALSE(hidden->Visible()) << hidden->Name();
  EXPECT_TRUE(Form->E_LoRa_Application_Key->Visible());
  EXPECT_TRUE(Form->L_LoRa_Application_Key->Visible());
  EXPECT_EQ(Form->E_LoRa_Application_Key->Top(), addressTop);
  EXPECT_EQ(Form->CB_LoRa_FPort->Top(), addressTop + 28);
  EXPECT_EQ(LoRaHeight(), 372 - 56);
}

TEST_F(ParGenFormTest, BandAndDataRateSetTheShownMaximumPayload) {
  Form->Show();
  Pick("CB_LoRa_RF_Band", "US915");
  EXPECT_EQ(Form->CB_LoRa_DataRate->Items().Count(), 11);
  EXPECT_EQ(Form->CB_LoRa_DataRate->Text(), "0  -\tLoRa: SF10/125kHz 980 [bit/s]");
  EXPECT_EQ(Form->E_LoRa_Payload_Size->Text(), "11");
  EXPECT_TRUE(Headless::PickItem(*Form, "CB_LoRa_DataRate", 3));
  EXPECT_EQ(Form->E_LoRa_Payload_Size->Text(), "242");
  Pick("CB_LoRa_RF_Band", "EU868");
  EXPECT_EQ(Form->E_LoRa_Payload_Size->Text(), "51") << "the first data rate after every band change";
}

TEST_F(ParGenFormTest, DHCPForCableGreysTheStaticAddressRowsAndKeepsTheirValues) {
  Form->Show();
  EXPECT_FALSE(Form->CB_EthConn_En_DHCP_WiFi->Enabled());
  std::vector<TWinControl*> greyed{Form->CB_Ethernet_En_GAT};
  for (const TOctetEdits* octets : {&Form->E_Ethernet_IP, &Form->E_Ethernet_SM, &Form->E_Ethernet_GAT})
    greyed.insert(greyed.end(), octets->begin(), octets->end());

  EXPECT_TRUE(Headless::Tick(*Form, "CB_EthConn_En_DHCP_Cable", true));
  for (TWinControl* c : greyed)
    EXPECT_FALSE(c->Enabled()) << c->Name();
  EXPECT_TRUE(Form->E_Ethernet_TCP_Port->Enabled());
  EXPECT_EQ(Form->E_Ethernet_IP[3]->Text(), "10");

  EXPECT_TRUE(Headless::Tick(*Form, "CB_EthConn_En_DHCP_Cable", false));
  EXPECT_FALSE(Form->CB_Ethernet_En_GAT->Checked());
  for (TWinControl* c : greyed)
    EXPECT_TRUE(c->Enabled()) << c->Name() << " (the gateway octets too, whatever the Gateway box)";
}

TEST_F(ParGenFormTest, DotMovesAlongTheOctetChainsAndIsNeverTyped) {
  Form->Show();
  EXPECT_TRUE(Headless::TypeText(*Form, "E_Ethernet_IP1", "192.168.0.7.255.255.255.0.10.0.0.1."));
  auto texts = [](const TOctetEdits& e) {
    return std::vector<std::string>{e[0]->Text(), e[1]->Text(), e[2]->Text(), e[3]->Text()};
  };
  EXPECT_EQ(texts(Form->E_Ethernet_IP), (std::vector<std::string>{"192", "168", "0", "7"}));
  EXPECT_EQ(texts(Form->E_Ethernet_SM), (std::vector<std::string>{"255", "255", "255", "0"}));
  EXPECT_EQ(texts(Form->E_Ethernet_GAT), (std::vector<std::string>{"10", "0", "0", "1"}));
  EXPECT_TRUE(Form->E_Ethernet_GAT[3]->Focused()) << "the chain ends at the last gateway box";

  EXPECT_TRUE(Headless::TypeText(*Form, "E_EthConn_Pri_DNS_IP3", "9.9.1.1.1.1."));
  EXPECT_EQ(texts(Form->E_EthConn_Pri_DNS_IP), (std::vector<std::string>{"8", "8", "9", "9"}));
  EXPECT_EQ(texts(Form->E_EthConn_Sec_DNS_IP), (std::vector<std::string>{"1", "1", "1", "1"}));
  EXPECT_TRUE(Form->E_EthConn_Sec_DNS_IP[3]->Focused());

  // A box that cannot take the focus stops the jump; the dot is dropped all the same.
  EXPECT_TRUE(Headless::Tick(*Form, "CB_EthConn_En_DHCP_Cable", true));
  Form->E_EthConn_Sec_DNS_IP[0]->SetFocus();
  WideChar dot = '.';
  Form->Octet_KeyPress(Form->E_Ethernet_IP[3], dot);
  EXPECT_EQ(dot, 0);
  EXPECT_TRUE(Form->E_EthConn_Sec_DNS_IP[0]->Focused());
}

TEST_F(ParGenFormTest, KeyBoxesTakeHexDigitsBlanksAndControlKeysOnly) {
  Form->Show();
  for (WideChar key :
       {WideChar('g'), WideChar('-'), WideChar('.'), WideChar('G'), WideChar('z'), WideChar(0xE9)}) {
    WideChar k = key;
    Form->Hex_KeyPress(Form->E_LoRa_JoinEUI, k);
    EXPECT_EQ(k, 0) << "key " << int(key);
  }
  for (WideChar key : {WideChar(8), WideChar(9), WideChar(13), WideChar(27), WideChar(' '), WideChar('0'),
                       WideChar('9'), WideChar('a'), WideChar('F')}) {
    WideChar k = key;
    Form->Hex_KeyPress(Form->E_LoRa_JoinEUI, k);
    EXPECT_EQ(k, key) << "key " << int(key);
  }

  EXPECT_TRUE(Headless::TypeText(*Form, "E_LoRa_Device_Address", "ab-g.c 1"));
  EXPECT_EQ(Form->E_LoRa_Device_Address->Text(), "ABC 1") << "letters become capitals";
  EXPECT_TRUE(Headless::PressKey(*Form, "E_LoRa_Device_Address", VK_BACK));
  EXPECT_EQ(Form->E_LoRa_Device_Address->Text(), "ABC ");
  EXPECT_TRUE(Headless::TypeText(*Form, "E_LoRa_JoinEUI", "0123456789abcdef0123"));
  EXPECT_EQ(Form->E_LoRa_JoinEUI->Text(), "0123456789ABCDEF") << "16 digits at most";
}

TEST_F(ParGenFormTest, OnlyTheHeightFollowsAResize) {
  Form->Show();
  Form->SetClientWidth(600);
  EXPECT_EQ(Form->ClientWidth(), 460);
  Form->SetBounds(Form->Left(), Form->Top(), Form->Width() + 80, Form->Height() - 100);
  EXPECT_EQ(Form->ClientWidth(), 460);
  EXPECT_EQ(Form->ClientHeight(), 600);
}

TEST_F(ParGenFormTest, TheWheelScrollsThePanelsOnlyWithThePointerOverThem) {
  Form->Show();
  EXPECT_EQ(Form->CPG->VertScrollPosition(), 0);
  Headless::MouseWheel(*Form->CP_LoRa, {40, 60}, -120);
  const int down = Form->CPG->VertScrollPosition();
  EXPECT_EQ(down, WheelScrollLines() * Form->CPG->VertScrollIncrement());
  Headless::MouseWheel(*Form->P_Title, {40, 20}, -120);
  Headless::MouseWheel(*Form->Btn_OK, {10, 10}, -120);
  EXPECT_EQ(Form->CPG->VertScrollPosition(), down);
  Headless::MouseWheel(*Form->CP_Ethernet_Connection, {40, 100}, 120);
  EXPECT_EQ(Form->CPG->VertScrollPosition(), 0);
}

TEST_F(ParGenFormTest, OKWithABadValueShowsItsTextAndWritesNothing) {
  struct TCase {
    const char* Name;
    std::function<void(TFParGen&)> Edit;
    int Text;
  };
  const TCase cases[] = {
      {"IP octet 256", [](TFParGen& f) { f.E_Ethernet_IP[2]->SetText("256"); }, 467},
      {"greyed IP octet",
       [](TFParGen& f) {
         Headless::Tick(f, "CB_EthConn_En_DHCP_Cable");
         f.E_Ethernet_IP[0]->SetText("999");
       },
       465},
      {"TCP port 10000", [](TFParGen& f) { f.E_Ethernet_TCP_Port->SetText("10000"); }, 481},
      {"UDP port with a trailing blank", [](TFParGen& f) { f.E_Ethernet_UDP_Port->SetText("80 "); }, 482},
      {"DNS before the address",
       [](TFParGen& f) {
         Headless::Tick(f, "CB_EthConn_Enable_DNS");
         f.E_EthConn_Pri_DNS_IP[1]->SetText("abc");
         f.E_Ethernet_SM[0]->SetText("-1");
       },
       2926},
      {"gateway checked",
       [](TFParGen& f) {
         Headless::Tick(f, "CB_Ethernet_En_GAT");
         f.E_Ethernet_GAT[3]->SetText("");
       },
       476},
      {"a band that is no item", [](TFParGen& f) { f.CB_LoRa_RF_Band->SetItemIndex(-1); }, 493},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TMessageResponder responder{mrOk};
    const int result = ShowModalWith([&](TFParGen& f) {
      c.Edit(f);
      EXPECT_TRUE(Headless::Click(f, "Btn_OK"));
      EXPECT_EQ(f.ModalResult(), mrNone) << "the window stays open";
      EXPECT_TRUE(Headless::Click(f, "Btn_Cancel"));
    });
    EXPECT_EQ(result, mrCancel);
    ASSERT_EQ(responder.Count(), 1u);
    EXPECT_EQ(responder.Last().Text, Lang_Text(c.Text));
    EXPECT_EQ(responder.Last().Type, mtError);
    EXPECT_TRUE(Dir.Entries().empty()) << "nothing written";
  }
}

TEST_F(ParGenFormTest, OKWithGoodValuesWritesAFileTheCoreReadsBackEqual) {
  const int result = ShowModalWith([&](TFParGen& f) {
    EXPECT_TRUE(Headless::TypeText(f, "E_EthConn_Device_Name", "Gateway-7"));
    EXPECT_TRUE(Headless::Tick(f, "CB_EthConn_Enable_DNS"));
    EXPECT_TRUE(Headless::TypeText(f, "E_EthConn_Pri_DNS_IP1", "1.1.1.1.9.9.9.9"));
    Pick("CB_LoRa_RF_Band", "EU868");
    EXPECT_TRUE(Headless::PickItem(f, "CB_LoRa_DataRate", 5));
    Pick("CB_LoRa_Network_Type", "Public");
    EXPECT_TRUE(Headless::TypeText(f, "E_LoRa_JoinEUI", "70b3d57ed0000001"));
    EXPECT_TRUE(Headless::TypeText(f, "E_LoRa_Device_Address", "26011bda"));
    EXPECT_TRUE(Headless::Tick(f, "CB_Ethernet_En_GAT"));
    EXPECT_TRUE(Headless::TypeText(f, "E_Ethernet_IP1", "10.0.0.50.255.255.0.0.10.0.0.1"));
    EXPECT_TRUE(Headless::TypeText(f, "E_Ethernet_TCP_Port", "502"));
    EXPECT_TRUE(Headless::Click(f, "Btn_OK"));
  });
  EXPECT_EQ(result, mrOk);
  EXPECT_EQ(Dir.Entries(), std::vector<std::string>{"ParGen.xml"}) << "written whole, nothing left beside it";
  TParGenLoad load = Load_ParGen(FileName_ParGen);
  ASSERT_EQ(load.State, TXmlFileState::Loaded);
  EXPECT_EQ(load.Values, Form->Values_From_Controls());
  EXPECT_EQ(load.Values.LoRa_RF_Band, "EU868");
  EXPECT_EQ(load.Values.LoRa_DataRate, "5 -\tLoRa: SF7/125kHz 5470 [bit/s]");
  EXPECT_EQ(load.Values.LoRa_Payload_Size, "222");
  EXPECT_EQ(load.Values.LoRa_Device_Address, "26011BDA");
  EXPECT_EQ(load.Values.Eth_Conn_Secondary_DNS, (std::array<std::string, 4>{"9", "9", "9", "9"}));
  EXPECT_EQ(load.Values.Ethernet_GAT, (std::array<std::string, 4>{"10", "0", "0", "1"}));
}

TEST_F(ParGenFormTest, CancelWritesNothingAndTheNextShowingReadsTheFile) {
  TParGen stored = New_ParGen();
  stored.LoRa_RF_Band = "US915";
  stored.LoRa_DataRate = "3  -\tLoRa: SF7/125kHz 5470 [bit/s]";
  stored.Ethernet_IP = {"172", "16", "0", "9"};
  ASSERT_TRUE(Save_ParGen(FileName_ParGen, stored));
  const std::string before = Dir.Read("ParGen.xml");

  EXPECT_EQ(ShowModalWith([&](TFParGen& f) {
              EXPECT_EQ(f.E_Ethernet_IP[0]->Text(), "172");
              EXPECT_TRUE(f.CB_LoRa_FrequencySubBand->Visible());
              EXPECT_EQ(f.E_LoRa_Payload_Size->Text(), "242");
              Pick("CB_LoRa_RF_Band", "EU868");
              EXPECT_TRUE(Headless::TypeText(f, "E_Ethernet_IP1", "1"));
              EXPECT_TRUE(Headless::Click(f, "Btn_Cancel"));
            }),
            mrCancel);
  EXPECT_EQ(Dir.Read("ParGen.xml"), before);

  EXPECT_EQ(ShowModalWith([&](TFParGen& f) {
              EXPECT_EQ(f.CB_LoRa_RF_Band->Text(), "US915");
              EXPECT_EQ(f.E_Ethernet_IP[0]->Text(), "172");
              EXPECT_EQ(LoRaHeight(), 400);
              f.Close();
            }),
            mrCancel);
  EXPECT_EQ(Dir.Read("ParGen.xml"), before);
}

TEST_F(ParGenFormTest, AFileThatCannotBeParsedOpensWithTheDefaultsAfterTheError) {
  TParGen stored = New_ParGen();
  stored.LoRa_RF_Band = "KR920";
  stored.LoRa_Activation_Method = "Over-the-Air Activation [OTAA]";
  stored.Ethernet_TCP_Port = "4000";
  ASSERT_TRUE(Save_ParGen(FileName_ParGen, stored));
  Form->Show();
  EXPECT_EQ(Form->E_Ethernet_TCP_Port->Text(), "4000");
  Form->Hide();

  const std::string damaged = "<Par_Gen><LoRa_RF_Band>EU868</LoRa_RF";
  Dir.Write("ParGen.xml", damaged);
  TMessageResponder responder{mrOk};
  Form->Show();
  ASSERT_EQ(responder.Count(), 1u);
  EXPECT_EQ(responder.Last().Type, mtError);
  EXPECT_EQ(responder.Last().Text.rfind("Error!! The Communication Setting cannot be read", 0), 0u)
      << responder.Last().Text;
  EXPECT_EQ(Form->Values_From_Controls(), New_ParGen()) << "the defaults, not the earlier showing";
  EXPECT_EQ(LoRaHeight(), 372);
  Form->Hide();
  EXPECT_EQ(Dir.Read("ParGen.xml"), damaged) << "nothing overwrites it without OK";
}

TEST_F(ParGenFormTest, ALanguageChangeRenamesRowsButNotThePanels) {
  Form->Show();
  Pick("CB_LoRa_RF_Band", "IN865");
  EXPECT_TRUE(Headless::PickItem(*Form, "CB_LoRa_DataRate", 6));
  Form->Hide();
  Lang_Texts[407] = "Banda RF";
  Lang_Texts[2906] = "Connessione Ethernet";
  Lang_Texts[2916] = "Primo byte";
  Lang_Texts[402] = "Conferma";
  Form->Set_Lang();
  EXPECT_EQ(Form->L_LoRa_RF_Band->Caption(), "Banda RF");
  EXPECT_EQ(Form->E_EthConn_Pri_DNS_IP[0]->Hint(), "Primo byte");
  EXPECT_EQ(Form->Btn_OK->Caption(), "Conferma");
  EXPECT_EQ(Form->CP_Ethernet_Connection->Caption(), "1. Ethernet Connection");
  EXPECT_EQ(Form->CB_LoRa_RF_Band->Text(), "IN865");
  EXPECT_EQ(Form->CB_LoRa_DataRate->Text(), "7 -\tFSK: 50kbps 50000 [bit/s]");
}

// The darkest channel of the pixels in the area: text is near 0, greyed text far above.
int Darkest(const TBitmap& b, const TRect& r) {
  int darkest = 255;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) {
      const TColor c = ColorToRGB(b.Pixel(x, y));
      darkest = std::min({darkest, int(GetRValue(c)), int(GetGValue(c)), int(GetBValue(c))});
    }
  return darkest;
}

TEST_F(ParGenFormTest, TheDataRateListsShowTheirTabbedItemsWhole) {
  Form->Show();
  for (const char* band : {"AS923", "EU868", "KR920", "IN865", "US915"}) {
    SCOPED_TRACE(band);
    Pick("CB_LoRa_RF_Band", band);
    TComboBox& list = *Form->CB_LoRa_DataRate;
    const int dropped = static_cast<int>(list.Perform(CB_GETDROPPEDWIDTH));
    EXPECT_GE(dropped, list.Width());
    EXPECT_LE(dropped, 400) << "no wider than the longest item needs";
  }

  // The closed box: the number, then the description from the tab stop on, not pushed out of sight.
  Pick("CB_LoRa_RF_Band", "EU868");
  EXPECT_TRUE(Headless::PickItem(*Form, "CB_LoRa_DataRate", 3));
  Form->E_EthConn_Device_Name->SetFocus();
  const TBitmap picture = Render();
  const TRect box = Place(*Form->CB_LoRa_DataRate);
  std::vector<int> ink;
  for (int x = box.Left + 2; x < box.Right - 22; ++x)
    if (Darkest(picture, Rect(x, box.Top + 4, x + 1, box.Bottom - 4)) < 100) ink.push_back(x);
  ASSERT_FALSE(ink.empty());
  int description = -1;
  for (std::size_t i = 1; i < ink.size() && description < 0; ++i)
    if (ink[i] - ink[i - 1] > 6) description = ink[i];
  ASSERT_GT(description, 0) << "\"3 -\", a gap to the tab stop, then \"LoRa...\"";
  EXPECT_LT(description - ink.front(), 80) << "the tab stop is near, so the description shows";
  EXPECT_GT(ink.back() - description, 100) << "most of \"LoRa: SF9/125kHz 1760 [bit/s]\" is in view";
}

TEST_F(ParGenFormTest, GreyedRowsLookGreyedAndTheMaximumPayloadLooksReadOnly) {
  Form->Show();
  EXPECT_TRUE(Headless::Tick(*Form, "CB_EthConn_En_DHCP_Cable", true));
  Form->E_EthConn_Device_Name->SetFocus();
  const TBitmap top = Render();
  auto caption = [&](const TControl& c) {
    const TRect r = Place(c);
    return Rect(r.Left + 18, r.Top, std::min(r.Right, 440), r.Bottom);
  };
  // The Wi-Fi DHCP box is always disabled; the DNS box below it is not.
  EXPECT_GT(Darkest(top, caption(*Form->CB_EthConn_En_DHCP_WiFi)), 90);
  EXPECT_LT(Darkest(top, caption(*Form->CB_EthConn_Enable_DNS)), 60);

  Form->CPG->SetVertScrollPosition(Form->CPG->VertScrollRange());
  const TBitmap picture = Render();
  EXPECT_GT(Darkest(picture, caption(*Form->CB_Ethernet_En_GAT)), 90) << "greyed by DHCP";

  auto inside = [&](const TControl& c) {
    const TRect r = Place(c);
    return ColorToRGB(picture.Pixel(r.Right - 6, r.Top + r.Height() / 2));
  };
  for (const TEdit* e : {Form->E_Ethernet_IP[0], Form->E_Ethernet_SM[3], Form->E_Ethernet_GAT[1]})
    EXPECT_EQ(inside(*e), ColorToRGB(clBtnFace)) << e->Name();
  EXPECT_EQ(inside(*Form->E_Ethernet_UDP_Port), RGB(255, 255, 255));

  Form->CPG->SetVertScrollPosition(0);
  Form->CPG->SetVertScrollPosition(Form->CP_LoRa->Top());
  const TBitmap lora = Render();
  const TRect payload = Place(*Form->E_LoRa_Payload_Size);
  EXPECT_EQ(ColorToRGB(lora.Pixel(payload.Right - 6, payload.Top + payload.Height() / 2)),
            ColorToRGB(clBtnFace))
      << "Max Payload Size is read-only";
  const TRect join = Place(*Form->E_LoRa_JoinEUI);
  EXPECT_EQ(ColorToRGB(lora.Pixel(join.Right - 6, join.Top + join.Height() / 2)), RGB(255, 255, 255));
}

TEST_F(ParGenFormTest, TabbingToThePortBoxesScrollsThemIntoViewAndMarksTheFocus) {
  Form->Show();
  EXPECT_EQ(Form->CPG->VertScrollPosition(), 0);
  ASSERT_FALSE(InView(*Form->E_Ethernet_TCP_Port));
  Form->E_Ethernet_GAT[3]->SetFocus();
  for (TEdit* port : {Form->E_Ethernet_TCP_Port, Form->E_Ethernet_UDP_Port}) {
    EXPECT_TRUE(Headless::PressKey(*Form->ActiveControl(), VK_TAB));
    ASSERT_EQ(Form->ActiveControl(), port);
    EXPECT_TRUE(InView(*port)) << port->Name();
  }
  TBitmap picture = Render();
  const TRect udp = Place(*Form->E_Ethernet_UDP_Port);
  EXPECT_EQ(ColorToRGB(picture.Pixel(udp.Right - 6, udp.Top + udp.Height() / 2)), RGB(255, 255, 255))
      << "the box is in the picture";

  // A list shows its focus on the highlight, a check box with a frame around its caption.
  Form->CPG->SetVertScrollPosition(0);
  const TBitmap unfocused = Render();
  Form->CB_LoRa_RF_Band->SetFocus();
  EXPECT_TRUE(InView(*Form->CB_LoRa_RF_Band));
  picture = Render();
  const TRect band = Place(*Form->CB_LoRa_RF_Band);
  EXPECT_EQ(ColorToRGB(picture.Pixel(band.Left + 120, band.Top + band.Height() / 2)),
            ColorToRGB(clHighlight));
  Form->CPG->SetVertScrollPosition(0);
  Form->CB_EthConn_Enable_DNS->SetFocus();
  picture = Render();
  const TRect dns = Place(*Form->CB_EthConn_Enable_DNS);
  int marked = 0;
  for (int y = dns.Top; y < dns.Bottom; ++y)
    for (int x = dns.Left + 16; x < dns.Right; ++x)
      if (picture.Pixel(x, y) != unfocused.Pixel(x, y)) ++marked;
  EXPECT_GT(marked, 40);
}

TEST_F(ParGenFormTest, PastedKeysPassTheHexFilterAndBecomeCapitals) {
  Form->Show();
  const std::pair<const char*, std::string> cases[] = {
      {"26011bda", "26011BDA"},
      {"26-01-1b-da", "26011BDA"},
      {"0x26011bdaff", "026011BD"},
  };
  for (const auto& [pasted, kept] : cases) {
    SCOPED_TRACE(pasted);
    Form->E_LoRa_Device_Address->SetText("");
    Form->E_LoRa_Device_Address->SetFocus();
    Clipboard()->SetAsText(pasted);
    EXPECT_TRUE(Headless::PressKey(*Form->E_LoRa_Device_Address, 'V', ssCtrl));
    EXPECT_EQ(Form->E_LoRa_Device_Address->Text(), kept);
  }

  // An address pasted into the first octet box fills the boxes as typing it would.
  for (TEdit* octet : Form->E_Ethernet_IP)
    octet->SetText("");
  Form->E_Ethernet_IP[0]->SetFocus();
  Clipboard()->SetAsText("10.0.0.7");
  EXPECT_TRUE(Headless::PressKey(*Form->E_Ethernet_IP[0], 'V', ssCtrl));
  std::vector<std::string> octets;
  for (const TEdit* octet : Form->E_Ethernet_IP)
    octets.push_back(octet->Text());
  EXPECT_EQ(octets, (std::vector<std::string>{"10", "0", "0", "7"}));
  EXPECT_TRUE(Form->E_Ethernet_IP[3]->Focused());
}

TEST_F(ParGenFormTest, EveryShowingStartsAtTheFirstPanel) {
  ShowModalWith([this](TFParGen& f) {
    f.CPG->SetVertScrollPosition(f.CPG->VertScrollRange());
    EXPECT_GT(f.CPG->VertScrollPosition(), 0);
    EXPECT_TRUE(Headless::Click(f, "Btn_Cancel"));
  });
  ShowModalWith([this](TFParGen& f) {
    EXPECT_EQ(f.CPG->VertScrollPosition(), 0);
    EXPECT_TRUE(InView(*f.E_EthConn_Device_Name)) << "panel 1 shows";
    EXPECT_TRUE(Headless::Click(f, "Btn_Cancel"));
  });
}

TEST_F(ParGenFormTest, RendersToAPicture) {
  Form->Show();
  Pick("CB_LoRa_RF_Band", "US915");
  const TBitmap picture = Render();
  EXPECT_EQ(picture.Width(), 460);
  EXPECT_EQ(picture.Height(), 700);
  EXPECT_EQ(picture.Pixel(440, 60), RGB(248, 247, 237)) << "the title panel";
}

} // namespace
