// The update dialog: its layout for the Ethernet transport, the address boxes, the reachability
// check against a scripted echo client on a test clock, the command file and the updater run with
// a stub updater in the program folder.
#include "GatewayTestSupport.h"

#include "app/ProgramWindowFixture.h"
#include "app/UComon.h"
#include "app/ULanguage.h"
#include "app/UStartProgram.h"
#include "gateway/BootTexts.h"
#include "gateway/UBoot.h"
#include "platform/Clock.h"
#include "platform/Ping.h"
#include "platform/ui/Application.h"
#include "platform/ui/Headless.h"
#include "support/ControlPicture.h"
#include "support/MessageResponder.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// Moves only when the echo client says time went by: the dialog's short waits cost nothing, and
// the updater run waits until the stub really ends.
class TStepClock : public TClock {
public:
  std::int64_t NowMs() override { return Now; }
  void SleepMs(std::int64_t) override {}
  std::int64_t Now = 0;
};

// Answers from a script: 'A' answered, 'L' lost (its whole time-out passes), 'S' cannot be sent,
// 'N' no socket. The last entry repeats.
class TScriptedEcho : public TEchoClient {
public:
  explicit TScriptedEcho(TStepClock& clock) : Clock(clock) {}
  TEchoReply Echo(const std::string& address, int dataSize, int timeoutMs) override {
    Requests.push_back({address, dataSize, timeoutMs});
    if (OnRequest) OnRequest();
    const char step = Script.empty() ? 'L' : Script[std::min(Requests.size(), Script.size()) - 1];
    switch (step) {
    case 'A':
      Clock.Now += 1;
      return {TEchoStatus::Answered, 8 + dataSize, {}};
    case 'S':
      return {TEchoStatus::SendFailed, 0, "no route"};
    case 'N':
      return {TEchoStatus::NoSocket, 0, "cannot send echo requests: not allowed"};
    default:
      Clock.Now += timeoutMs;
      return {TEchoStatus::TimedOut, 0, {}};
    }
  }
  struct TRequest {
    std::string Address;
    int Size;
    int Timeout;
  };
  TStepClock& Clock;
  std::string Script;
  std::vector<TRequest> Requests;
  std::function<void()> OnRequest;
};

// Copies the command file it finds in its folder, so the test sees what the updater saw.
constexpr char Copying_Stub[] = "cp Ethernet_Update.xml seen.xml";

class BootTest : public TProgramWindowTest {
protected:
  void SetUp() override {
    TProgramWindowTest::SetUp();
    SetClock(&Clock);
    SetEchoClient(&Echo);
    Form.reset(NewForm<TFBoot>(nullptr));
  }
  void TearDown() override {
    Form.reset();
    SetEchoClient(nullptr);
    SetClock(nullptr);
    TProgramWindowTest::TearDown();
  }
  void PlaceFolders() override {
    Program_Dir = Dir.MakeDir("program");
    Master_Dir = Dir.MakeDir("program/MASTER");
    Dir.Write("program/MASTER/SimZ9K59.sim", "firmware");
    Project_Path = Dir.MakeDir("program/PROJECTS/Plant");
  }

  void Show() {
    Form->Form_Type = Boot_Form_Ethernet;
    Form->Show();
  }
  void Address(const std::vector<std::string>& octets) {
    for (std::size_t i = 0; i < 4; ++i)
      Form->E_IP[i]->SetText(octets[i]);
  }
  std::vector<std::string> Boxes() const {
    std::vector<std::string> texts;
    for (TEdit* e : Form->E_IP)
      texts.push_back(e->Text());
    return texts;
  }
  bool Command_File_Written() const { return Dir.Exists("program/Ethernet_Update.xml"); }

  TStepClock Clock;
  TScriptedEcho Echo{Clock};
  TOwned<TFBoot> Form;
};

TEST_F(BootTest, LaidOutForEthernetWithTheRememberedChoices) {
  Last_IP_Address = "192.168.002.001";
  Last_Update_Option = 1;
  Last_Read_Back = false;
  Show();
  EXPECT_EQ(Form->ClientWidth(), 449);
  EXPECT_EQ(Form->ClientHeight(), 230);
  EXPECT_EQ(Form->P_IP_Address->BoundsRect(), Bounds(0, 69, 449, 49));
  EXPECT_EQ(Form->P_Options->BoundsRect(), Bounds(0, 118, 449, 72));
  EXPECT_EQ(Form->P_Button->Top(), 190);
  EXPECT_FALSE(Form->P_Eth_Search->Visible());
  EXPECT_EQ(Form->Caption(), "Update Device by Ethernet (UDP)");
  EXPECT_EQ(Form->L_SW_Desc->Caption(), "Update Device Using the Ethernet Port");
  EXPECT_EQ(Form->L_SW_Code->Caption(), "SWZ9K59");
  EXPECT_GE(Form->L_SW_Code->Height(), 32) << "the code in 32-pixel letters, as in the other windows";
  EXPECT_EQ(Form->CB_Update_Options->Items().ToVector(),
            (std::vector<std::string>{"Firmware + Configuration", "Firmware", "Configuration"}));
  EXPECT_EQ(Form->Btn_Update->Caption(), "Execute Update Firmware");
  EXPECT_EQ(Headless::HintOf(*Form->E_IP[2]), "Insert third byte of IP Address");
  EXPECT_EQ(Boxes(), (std::vector<std::string>{"192", "168", "2", "1"})) << "written as octets";
  EXPECT_EQ(Form->CB_Update_Options->ItemIndex(), 1);
  EXPECT_FALSE(Form->CB_Update_Option_Read_Back->Checked());
  EXPECT_EQ(Form->ActiveControl(), Form->E_IP[0]);
}

TEST_F(BootTest, TheDeviceListTakesItsHeadersFromTheLanguageAndStaysHiddenAndEmpty) {
  Show();
  TProColumnGrid* list = Form->ACG_List_Devices;
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->Cells(0, 0), "IP Address");
  EXPECT_EQ(list->Cells(1, 0), "MAC Address");
  EXPECT_EQ(Headless::HintOf(*list), "Select a device in the list");
  Lang_Texts[1011] = "IP-Adresse";
  Lang_Texts[1012] = "MAC-Adresse";
  Form->Set_Lang();
  EXPECT_EQ(list->Columns().Items(0)->Header(), "IP-Adresse");
  EXPECT_EQ(list->Cells(0, 0), "IP-Adresse");
  EXPECT_EQ(list->Cells(1, 0), "MAC-Adresse");
  EXPECT_EQ(list->ColCount(), 2);
  EXPECT_EQ(list->FixedRows(), 1);
  EXPECT_EQ(list->FixedCols(), 0);
  EXPECT_FALSE(list->Showing());
  Form->Btn_Search->Click();
  EXPECT_EQ(list->RowCount(), 2);
  EXPECT_EQ(list->Cells(0, 1) + list->Cells(1, 1), "") << "the search finds nothing in this build";
}

TEST_F(BootTest, ARememberedAddressThatIsNoAddressLeavesTheBoxes) {
  for (const char* remembered : {"10.0.0", "a.b.c.d", "", "1.2.3.400"}) {
    SCOPED_TRACE(remembered);
    Address({"1", "2", "3", "4"});
    Last_IP_Address = remembered;
    Show();
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"1", "2", "3", "4"}));
    Form->Hide();
  }
}

TEST_F(BootTest, DotMovesToTheNextAddressBoxAndIsNeverTyped) {
  Show();
  EXPECT_TRUE(Headless::TypeText(*Form, "E_IP1", "10.0.0.7.."));
  EXPECT_EQ(Boxes(), (std::vector<std::string>{"10", "0", "0", "7"}));
  EXPECT_TRUE(Form->E_IP[3]->Focused());
}

TEST_F(BootTest, TheCheckEndsAfterTwoAnswersOrWhenItsTimeIsUp) {
  struct TCase {
    const char* Script;
    std::size_t Requests;
    bool Found;
  };
  const TCase cases[] = {
      {"AA", 2, true},   {"ALA", 3, true},
      {"LAA", 3, true},  {"L", 13, false}, // 13 requests of 400 ms: a little over 5 s
      {"AL", 14, false},                   // one answer is not enough when the last request is lost
  };
  Show();
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Script);
    Echo.Script = c.Script;
    Echo.Requests.clear();
    const std::int64_t start = Clock.Now;
    EXPECT_EQ(Form->Send_Ping("10.0.0.7"), c.Found);
    EXPECT_EQ(Echo.Requests.size(), c.Requests);
    EXPECT_EQ(Form->ping_res, c.Found ? 1 : 2);
    for (const auto& r : Echo.Requests) {
      EXPECT_EQ(r.Address, "10.0.0.7");
      EXPECT_EQ(r.Size, 1024);
      EXPECT_EQ(r.Timeout, 400);
    }
    if (!c.Found) {
      EXPECT_GT(Clock.Now - start, 5000);
      EXPECT_LE(Clock.Now - start, 5400);
    }
  }
}

TEST_F(BootTest, AFoundDeviceIsRememberedAndItsUpdaterSeesTheCommandFile) {
  Dir.WriteScript("program/Ethernet_Update.exe", Copying_Stub);
  Echo.Script = "AA";
  Show();
  Address({"10", "0", "0", "7"});
  EXPECT_TRUE(Headless::PickItem(*Form, "CB_Update_Options", "Configuration"));
  EXPECT_TRUE(Headless::Tick(*Form, "CB_Update_Option_Read_Back", false));
  TMessageResponder responder; // no box may show
  EXPECT_TRUE(Headless::Click(*Form, "Btn_Update"));
  EXPECT_EQ(Echo.Requests.size(), 2u);
  EXPECT_EQ(Last_IP_Address, "10.0.0.7");
  EXPECT_EQ(Last_Update_Option, 2);
  EXPECT_FALSE(Last_Read_Back);

  const std::string command = Dir.Read("program/Ethernet_Update.xml");
  EXPECT_EQ(Dir.Read("program/seen.xml"), command) << "written before the updater started";
  EXPECT_NE(command.find("<IP_Address_Dev>10.0.0.7</IP_Address_Dev>"), std::string::npos) << command;
  EXPECT_NE(command.find(Project_Path + "/bin/bank2.bin"), std::string::npos);
  EXPECT_EQ(command.find("SimZ9K59.sim"), std::string::npos) << "configuration only";
  EXPECT_EQ(command.find("<Ope_Read_Back>1"), std::string::npos);
  EXPECT_EQ(Screen->Cursor(), crDefault);
  EXPECT_TRUE(Form->Btn_Update->Enabled());

  // The next showing offers the same choices.
  Form->Hide();
  Address({"0", "0", "0", "0"});
  Show();
  EXPECT_EQ(Boxes(), (std::vector<std::string>{"10", "0", "0", "7"}));
  EXPECT_EQ(Form->CB_Update_Options->ItemIndex(), 2);
  EXPECT_FALSE(Form->CB_Update_Option_Read_Back->Checked());
}

TEST_F(BootTest, ADeviceThatDoesNotAnswerChangesNothing) {
  Dir.WriteScript("program/Ethernet_Update.exe", Copying_Stub);
  Echo.Script = "L";
  Show();
  Address({"10", "0", "0", "9"});
  TMessageResponder responder{mrOk};
  EXPECT_TRUE(Headless::Click(*Form, "Btn_Update"));
  ASSERT_EQ(responder.Count(), 1u);
  EXPECT_EQ(responder.Last().Text, "Device Not Found!");
  EXPECT_EQ(responder.Last().Type, mtWarning);
  EXPECT_EQ(Clock.Now, 13 * 400);
  EXPECT_FALSE(Command_File_Written());
  EXPECT_FALSE(Dir.Exists("program/seen.xml"));
  EXPECT_EQ(Last_IP_Address, "192.168.2.205");
  EXPECT_EQ(Last_Update_Option, 0);
  EXPECT_TRUE(Last_Read_Back);
}

TEST_F(BootTest, AnAddressThatIsNoAddressIsRefusedWithoutARequest) {
  Show();
  for (const char* octet : {"abc", "010", "256", "", "1 2", "+1", " 1", "1.5", "-0"}) {
    SCOPED_TRACE(octet);
    Address({"10", "0", octet, "7"});
    TMessageResponder responder{mrOk};
    EXPECT_TRUE(Headless::Click(*Form, "Btn_Update"));
    ASSERT_EQ(responder.Count(), 1u);
    EXPECT_EQ(responder.Last().Text, "Error!!! Check the Ip Address");
    EXPECT_EQ(responder.Last().Type, mtError);
  }
  EXPECT_TRUE(Echo.Requests.empty());
  EXPECT_FALSE(Command_File_Written());
  EXPECT_EQ(Last_IP_Address, "192.168.2.205");
}

TEST_F(BootTest, ARequestThatCannotBeSentOrNoSocketIsReportedAsSuch) {
  struct TCase {
    const char* Script;
    std::string Text;
    TMsgDlgType Type;
  };
  const TCase cases[] = {
      {"S", "Error!!! Check the Ip Address", mtError},
      {"LS", "Device Not Found!", mtWarning}, // the last request that went out was lost
      {"N", "Error!!! The device cannot be searched: cannot send echo requests: not allowed", mtError},
  };
  Show();
  Address({"10", "0", "0", "7"});
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Script);
    Echo.Script = c.Script;
    Echo.Requests.clear();
    TMessageResponder responder{mrOk};
    EXPECT_TRUE(Headless::Click(*Form, "Btn_Update"));
    ASSERT_EQ(responder.Count(), 1u);
    EXPECT_EQ(responder.Last().Text, c.Text);
    EXPECT_EQ(responder.Last().Type, c.Type);
    EXPECT_EQ(Echo.Requests.size(), std::string(c.Script).size());
  }
  EXPECT_FALSE(Command_File_Written());
}

TEST_F(BootTest, UpdateCannotBePressedAgainWhileTheCheckRuns) {
  Dir.WriteScript("program/Ethernet_Update.exe", "exit 0");
  Echo.Script = "AA";
  Show();
  Address({"10", "0", "0", "7"});
  int nested = 0;
  Echo.OnRequest = [&] {
    EXPECT_TRUE(Form->Checking());
    EXPECT_FALSE(Form->Btn_Update->Enabled());
    if (nested++ == 0) Form->Btn_UpdateClick(Form->Btn_Update);
  };
  TMessageResponder responder;
  EXPECT_TRUE(Headless::Click(*Form, "Btn_Update"));
  EXPECT_EQ(Echo.Requests.size(), 2u) << "the press during the check started nothing";
  EXPECT_FALSE(Form->Checking());
  EXPECT_TRUE(Form->Btn_Update->Enabled());
}

TEST_F(BootTest, ClosingTheDialogDuringTheCheckEndsItQuietly) {
  Dir.WriteScript("program/Ethernet_Update.exe", Copying_Stub);
  Echo.Script = "L";
  Echo.OnRequest = [&] { Headless::Click(*Form, "Btn_Cancel"); };
  TMessageResponder responder; // no box may show
  Headless::OnNextModal([&](TForm&) {
    Address({"10", "0", "0", "7"});
    EXPECT_TRUE(Headless::Click(*Form, "Btn_Update"));
  });
  EXPECT_EQ(Form->ShowModal(), mrCancel);
  EXPECT_EQ(Echo.Requests.size(), 1u);
  EXPECT_FALSE(Command_File_Written());
  EXPECT_EQ(Last_IP_Address, "192.168.2.205");
}

std::vector<TCursor> CursorsSeen;
TTempDir* RunDir = nullptr;
void Watch_Updater() {
  CursorsSeen.push_back(Screen->Cursor());
  if (RunDir && !RunDir->Exists("program/go")) RunDir->Write("program/go", "");
}

TEST_F(BootTest, TheUpdaterRunsUnderABusyCursorWhileTheWindowsKeepPainting) {
  // The stub waits for the runner's idle step to let it go.
  Dir.WriteScript("program/Ethernet_Update.exe",
                  "i=0; while [ ! -e go ] && [ $i -lt 1000000 ]; do i=$((i+1)); done; " +
                      std::string(Copying_Stub));
  Echo.Script = "AA";
  Show();
  Address({"10", "0", "0", "7"});
  CursorsSeen.clear();
  RunDir = &Dir;
  TStartProgramIdle previous = Set_Start_Program_Idle(Watch_Updater);
  TMessageResponder responder;
  EXPECT_TRUE(Headless::Click(*Form, "Btn_Update"));
  EXPECT_EQ(Set_Start_Program_Idle(previous), Watch_Updater) << "the installed idle step is kept";
  RunDir = nullptr;
  ASSERT_FALSE(CursorsSeen.empty());
  EXPECT_EQ(CursorsSeen.front(), crHourGlass);
  EXPECT_EQ(Screen->Cursor(), crDefault);
  EXPECT_TRUE(Dir.Exists("program/seen.xml"));

  // Without an idle step of the shell, the dialog brings its own painting and takes it away again.
  EXPECT_TRUE(Headless::Click(*Form, "Btn_Update"));
  EXPECT_EQ(Set_Start_Program_Idle(nullptr), nullptr);
}

TEST_F(BootTest, AMissingUpdaterOrFirmwareIsReportedOnceBeforeTheUpdaterRuns) {
  struct TCase {
    const char* Name;
    bool Updater, Firmware;
    const char* Option;
    std::string Message; // "" when the updater runs
  };
  const std::string updater = "\"" + Dir.File("program/Ethernet_Update.exe") + "\"";
  const std::string firmware = "\"" + Dir.File("program/MASTER/SimZ9K59.sim") + "\"";
  const TCase cases[] = {
      {"no updater", false, true, "Firmware + Configuration",
       "Error!!! The update program " + updater + " is missing"},
      {"no updater nor firmware", false, false, "Firmware",
       "Error!!! The update program " + updater + " is missing"},
      {"no firmware, firmware and configuration", true, false, "Firmware + Configuration",
       "Error!!! The firmware file " + firmware + " is missing"},
      {"no firmware, firmware only", true, false, "Firmware",
       "Error!!! The firmware file " + firmware + " is missing"},
      {"no firmware, configuration only", true, false, "Configuration", ""},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    std::filesystem::remove(Dir.File("program/seen.xml"));
    std::filesystem::remove(Dir.File("program/Ethernet_Update.exe"));
    std::filesystem::remove(Dir.File("program/MASTER/SimZ9K59.sim"));
    if (c.Updater) Dir.WriteScript("program/Ethernet_Update.exe", Copying_Stub);
    if (c.Firmware) Dir.Write("program/MASTER/SimZ9K59.sim", "firmware");
    Echo.Script = "AA";
    Echo.Requests.clear();
    Show();
    Address({"10", "0", "0", "7"});
    EXPECT_TRUE(Headless::PickItem(*Form, "CB_Update_Options", c.Option));
    TMessageResponder responder;
    if (!c.Message.empty()) responder.Answer(mrOk);
    EXPECT_TRUE(Headless::Click(*Form, "Btn_Update"));
    EXPECT_EQ(responder.Texts(),
              c.Message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.Message});
    if (!c.Message.empty()) {
      EXPECT_EQ(responder.Last().Type, mtError);
    }
    EXPECT_EQ(Dir.Exists("program/seen.xml"), c.Message.empty()) << "the updater runs only when all is there";
    EXPECT_TRUE(Command_File_Written());
    EXPECT_EQ(Screen->Cursor(), crDefault);
    Form->Hide();
  }
}

TEST_F(BootTest, ACommandFileThatCannotBeWrittenStopsTheStep) {
  Dir.WriteScript("program/Ethernet_Update.exe", Copying_Stub);
  Dir.MakeDir("program/Ethernet_Update.xml"); // a folder where the file belongs
  Echo.Script = "AA";
  Show();
  Address({"10", "0", "0", "7"});
  TMessageResponder responder{mrOk};
  EXPECT_TRUE(Headless::Click(*Form, "Btn_Update"));
  ASSERT_EQ(responder.Count(), 1u);
  EXPECT_EQ(responder.Last().Type, mtError);
  EXPECT_NE(responder.Last().Text.find("Ethernet_Update.xml"), std::string::npos) << responder.Last().Text;
  EXPECT_FALSE(Dir.Exists("program/seen.xml")) << "the updater is not started";
}

TEST_F(BootTest, RendersToAPicture) {
  Show();
  const TBitmap picture = RenderPicture(*Form);
  EXPECT_EQ(picture.Width(), 449);
  EXPECT_EQ(picture.Height(), 230);
  EXPECT_EQ(picture.Pixel(440, 60), RGB(248, 247, 237)) << "the title panel";
}

TEST_F(BootTest, CancelLosesItsHoverColourWhenTheDialogCloses) {
  // The face of Cancel, read from the rendered dialog at a point off its caption.
  auto face = [this](TFBoot& f) {
    const TBitmap picture = RenderPicture(f);
    const TPoint at = f.Btn_Cancel->ClientOrigin(), origin = f.ClientOrigin();
    return ColorToRGB(picture.Pixel(at.X - origin.X + 6, at.Y - origin.Y + f.Btn_Cancel->Height() / 2));
  };
  Form->Form_Type = Boot_Form_Ethernet;
  Headless::OnNextModal([&](TForm&) {
    EXPECT_EQ(face(*Form), RGB(248, 247, 237));
    Headless::MouseMove(*Form->Btn_Cancel, {6, 6});
    EXPECT_EQ(face(*Form), ColorToRGB(clYellow)) << "hot while the mouse is over it";
    EXPECT_TRUE(Headless::Click(*Form, "Btn_Cancel"));
  });
  EXPECT_EQ(Form->ShowModal(), mrCancel);
  // Shown again with the mouse elsewhere: the button is cold.
  Headless::OnNextModal([&](TForm&) {
    EXPECT_EQ(face(*Form), RGB(248, 247, 237));
    Form->SetModalResult(mrCancel);
  });
  Form->ShowModal();
}

} // namespace
