// The main window: first start on an empty folder, its layout, the step gate, the settings written
// on close, the last configuration reopened, the language change, the links and the picture.
#include "MainWindowFixture.h"

#include "gateway/UBoot.h"
#include "support/ControlPicture.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using TMainWindowTest = TShellTest;

struct TPlace {
  const char* Name;
  TRect Bounds;
};

TEST_F(TMainWindowTest, FirstStartOnAnEmptyFolderShowsTheModelsFourSteps) {
  TFVelmariceFirmWare& f = Start();

  for (const char* folder : {"MASTER", "PROJECTS", "LANGUAGE"})
    EXPECT_TRUE(DirectoryExists(Dir.File(folder))) << folder;
  EXPECT_EQ(f.Caption(), "Ormida - Configurator SWZ9K59 Ethernet / LoRaWAN ");
  EXPECT_EQ(f.L_SW_Code->Caption(), "SWZ9K59");
  EXPECT_EQ(f.L_SW_Desc->Caption(), "Ethernet / LoRaWAN - Converter");
  EXPECT_EQ(f.ClientWidth(), 694);
  EXPECT_EQ(f.ClientHeight(), 396);
  EXPECT_EQ(f.BorderStyle(), bsSingle);
  EXPECT_EQ(f.BorderIcons(), TBorderIcons(biSystemMenu));
  EXPECT_EQ(f.Color(), RGB(248, 247, 237));
  EXPECT_EQ(f.L_Name_Conf->Caption(), "None Configuration Opened ");
  EXPECT_EQ(f.L_Name_Conf_L2->Caption(), "Use Step1 to open or create new configuration");
  EXPECT_EQ(Language_Name, "English");
  EXPECT_FALSE(f.Timer_Update->Enabled());
  EXPECT_FALSE(f.LL_Update->Visible());

  const TPlace shown[] = {
      {"Btn_Info", Bounds(516, 8, 50, 50)},
      {"Btn_Opz", Bounds(574, 8, 50, 50)},
      {"Btn_Close", Bounds(632, 8, 50, 50)},
      {"Btn_New", Bounds(80, 112, 170, 36)},
      {"Btn_Open", Bounds(258, 112, 170, 36)},
      {"Btn_Prm_Gen", Bounds(80, 156, 170, 36)},
      {"Btn_LoRaWAN_Access", Bounds(80, 200, 170, 36)},
      {"Btn_CreateBin", Bounds(80, 244, 170, 36)},
      {"Shape2", Bounds(80, 70, 348, 36)},
      {"Shape1", Bounds(10, 295, 674, 1)},
  };
  for (const TPlace& p : shown) {
    TControl* c = Headless::FindControl(f, p.Name);
    ASSERT_NE(c, nullptr) << p.Name;
    EXPECT_TRUE(c->Showing()) << p.Name;
    EXPECT_EQ(c->BoundsRect(), p.Bounds) << p.Name;
  }
  const std::pair<const char*, TPoint> labels[] = {
      {"L_SW_Code", {16, 8}},    {"L_SW_Desc", {16, 42}},      {"L_Begin", {16, 84}},
      {"L_Name_Conf", {87, 75}}, {"L_Name_Conf_L2", {87, 88}}, {"L_Step_1", {16, 128}},
      {"L_Step_2", {16, 172}},   {"L_Step_3", {16, 216}},      {"L_Step_4", {16, 260}},
      {"L_Ormida", {565, 260}},
  };
  for (const auto& [name, at] : labels) {
    TControl* c = Headless::FindControl(f, name);
    ASSERT_NE(c, nullptr) << name;
    EXPECT_TRUE(c->Showing()) << name;
    EXPECT_EQ((TPoint{c->Left(), c->Top()}), at) << name;
  }
  EXPECT_EQ(f.L_Step_4->Caption(), "Step 4");
  EXPECT_EQ(f.Btn_CreateBin->Caption(), "Update Device UDP");
  EXPECT_EQ(f.Btn_CreateBin->Hint(), "Update the actual Firmware and/or Configuration in the device");
  EXPECT_EQ(f.Btn_Close->Hint(), "Close Configurator");
  EXPECT_EQ(f.Btn_Close->Caption(), "");
  EXPECT_EQ(f.Btn_New->Style(), bsEncarta);
  EXPECT_EQ(f.Btn_New->ColorWhenDown(), RGB(255, 128, 0));
  EXPECT_EQ(f.Btn_New->Alignment(), taLeftJustify);
  for (TLabel* l : {f.L_Step_5, f.L_Step_6, f.L_Step_7, f.L_Step_8})
    EXPECT_FALSE(l->Visible()) << l->Name();

  // The other models' 28 steps exist and stay hidden.
  const std::vector<std::string> visible = {"Btn_Info", "Btn_Opz",     "Btn_Close",          "Btn_New",
                                            "Btn_Open", "Btn_Prm_Gen", "Btn_LoRaWAN_Access", "Btn_CreateBin"};
  int hidden = 0;
  for (int i = 0; i < f.ComponentCount(); ++i) {
    auto* b = dynamic_cast<TLbButton*>(f.Components(i));
    if (!b || std::find(visible.begin(), visible.end(), b->Name()) != visible.end()) continue;
    EXPECT_FALSE(b->Visible()) << b->Name();
    ++hidden;
  }
  EXPECT_EQ(hidden, 28);
  EXPECT_EQ(f.Btn_KNX_Access->Caption(), "KNX Access");
  EXPECT_EQ(f.Btn_SNMP_MIB->Caption(), "SNMP MIB");
}

TEST_F(TMainWindowTest, StepsAnswerText18AndNothingElseWhileNoConfigurationIsOpen) {
  TFVelmariceFirmWare& f = Start();
  for (const char* step : {"Btn_Prm_Gen", "Btn_LoRaWAN_Access", "Btn_CreateBin"}) {
    SCOPED_TRACE(step);
    Messages.ClearShown();
    Messages.Answer(mrOk);
    ASSERT_TRUE(Headless::Click(f, step));
    ASSERT_EQ(Messages.Count(), 1u);
    EXPECT_EQ(Messages.Last().Text, "Error! Project not Valid");
    EXPECT_EQ(Messages.Last().Type, mtError);
    EXPECT_EQ(Messages.Last().Buttons, TMsgDlgButtons(mbOK));
  }
  // The hidden steps are gated the same way.
  for (TLbButton* b : {f.Btn_MBus, f.Btn_SNMP_MIB, f.Btn_BACnet_EDE_File}) {
    Messages.Answer(mrOk);
    f.Btn_Click(b);
  }
  EXPECT_EQ(Messages.Count(), 4u);
  EXPECT_EQ(Project_Path, "");

  // With a configuration open they pass the gate: Set Communication opens the parameter form,
  // Set LoRaWAN Access the rule editor (which warns that no payload size is set yet), Update Device
  // builds the images and opens the update dialog.
  Dir.MakeDir("PROJECTS/Plant1");
  Project_Name = "Plant1";
  Project_Path = Dir.File("PROJECTS/Plant1");
  Set_Files();
  Messages.ClearShown();
  std::vector<std::string> opened;
  const auto closeShown = [&](TForm& form) {
    opened.push_back(form.Name());
    form.SetModalResult(mrCancel);
  };
  Headless::OnNextModal(closeShown);
  ASSERT_TRUE(Headless::Click(f, "Btn_Prm_Gen"));
  Headless::OnNextModal(closeShown);
  Messages.Answer(mrOk);
  ASSERT_TRUE(Headless::Click(f, "Btn_LoRaWAN_Access"));
  Headless::OnNextModal(closeShown);
  ASSERT_TRUE(Headless::Click(f, "Btn_CreateBin"));
  EXPECT_EQ(opened, (std::vector<std::string>{"FParGen", "FLoRa_Set_Access", "FBoot"}));
  EXPECT_EQ(Messages.Texts(),
            std::vector<std::string>{
                "Warning!! Max Payload Size not Set Up. Set it in \"Set Communication\" section"});
  EXPECT_TRUE(Dir.Exists("PROJECTS/Plant1/bin/bank1.bin"));
  EXPECT_TRUE(Dir.Exists("PROJECTS/Plant1/bin/bank2.bin"));
}

TEST_F(TMainWindowTest, ClosingByButtonOrBorderWritesTheSettingsFile) {
  struct TCase {
    const char* Name;
    void (*Close)(TFVelmariceFirmWare&);
  };
  const TCase cases[] = {
      {"Btn_Close", [](TFVelmariceFirmWare& f) { EXPECT_TRUE(Headless::Click(f, "Btn_Close")); }},
      {"border", [](TFVelmariceFirmWare& f) { f.Close(); }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    std::remove(Dir.File("Velmaric.xml").c_str());
    TFVelmariceFirmWare& f = Start();
    Last_IP_Address = "10.0.0.7";
    c.Close(f);
    EXPECT_FALSE(f.Visible());
    const std::string xml = Dir.Read("Velmaric.xml");
    EXPECT_NE(xml.find("<ipaddress>10.0.0.7</ipaddress>"), std::string::npos) << xml;
    EXPECT_NE(xml.find("<language>English</language>"), std::string::npos) << xml;
    Destroy_Windows();
    Reset_Shared_State();
  }
}

TEST_F(TMainWindowTest, LastConfigurationReopensOnlyWhenItsNameIsAPlainExistingFolder) {
  Dir.MakeDir("PROJECTS/Plant1");
  Dir.MakeDir("Outside");
  struct TCase {
    const char* Name;
    bool Opens;
  };
  const TCase cases[] = {
      {"Plant1", true}, {"Deleted", false}, {"../Outside", false}, {"..", false}, {"Plant1 ", false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Dir.Write("Velmaric.xml", std::string("<Conf_Settings><lastproj><projectname>") + c.Name +
                                  "</projectname></lastproj></Conf_Settings>");
    TFVelmariceFirmWare& f = Start();
    EXPECT_EQ(Project_Path, c.Opens ? Dir.File("PROJECTS/Plant1") : std::string());
    EXPECT_EQ(f.L_Name_Conf->Caption(),
              c.Opens ? "Opened Configuration of the Converter : " : "None Configuration Opened ");
    EXPECT_EQ(f.L_Name_Conf_L2->Caption(),
              c.Opens ? "Plant1" : "Use Step1 to open or create new configuration");
    EXPECT_EQ(FileName_ParGen, c.Opens ? Dir.File("PROJECTS/Plant1/ParGen.xml") : std::string());
    if (!c.Opens) {
      Messages.Answer(mrOk);
      Headless::Click(f, "Btn_Prm_Gen");
      EXPECT_EQ(Messages.Last().Text, "Error! Project not Valid");
    }
    // The name read is written back as it stood.
    f.Close();
    EXPECT_NE(Dir.Read("Velmaric.xml").find(std::string("<projectname>") + c.Name + "</projectname>"),
              std::string::npos);
    Destroy_Windows();
    Reset_Shared_State();
  }
}

TEST_F(TMainWindowTest, LanguageChangeKeepsWhatTheConfigurationLabelsSay) {
  Dir.Write("LANGUAGE/Deutsch.lng", "STR0009=Keine Konfiguration\nSTR0010=Schritt 1 benutzen\n"
                                    "STR0011=Konfiguration : \nSTR0015=Neue Konfiguration\n"
                                    "STR0019=Neue Version\n");
  TFVelmariceFirmWare& f = Start();
  // The update notice stays as the last version check left it.
  const std::string notice = Link_Markup(Download_Page_Url(), Lang_Text(19));
  f.LL_Update->SetCaption(notice);
  f.LL_Update->Show();
  for (bool open : {false, true}) {
    SCOPED_TRACE(open);
    Language_Name = "English";
    Load_Language();
    f.Change_Language();
    if (open) {
      Project_Name = "Plant1";
      Project_Path = Dir.MakeDir("PROJECTS/Plant1");
      f.Set_Lang();
    }
    Language_Name = "Deutsch";
    Load_Language();
    f.Change_Language();
    EXPECT_EQ(f.Btn_New->Caption(), "Neue Konfiguration");
    EXPECT_EQ(f.L_Name_Conf->Caption(), open ? "Konfiguration :" : "Keine Konfiguration");
    EXPECT_EQ(f.L_Name_Conf_L2->Caption(), open ? "Plant1" : "Schritt 1 benutzen");
    EXPECT_EQ(f.LL_Update->Caption(), notice);
  }
}

TEST_F(TMainWindowTest, LanguageChangeGivesTheUpdateDialogsDeviceListItsHeaders) {
  Dir.Write("LANGUAGE/Deutsch.lng", "STR1011=IP-Adresse\nSTR1012=MAC-Adresse\n");
  TFVelmariceFirmWare& f = Start();
  Language_Name = "Deutsch";
  Load_Language();
  f.Change_Language();
  TProColumnGrid& list = *FBoot->ACG_List_Devices;
  std::vector<std::string> headers;
  bool listShowing = true;
  FBoot->Form_Type = 1;
  Headless::OnNextModal([&](TForm& b) {
    headers = {list.Cells(0, 0), list.Cells(1, 0)};
    listShowing = list.Showing();
    Headless::Click(b, "Btn_Cancel");
  });
  FBoot->ShowModal();
  EXPECT_EQ(headers, (std::vector<std::string>{"IP-Adresse", "MAC-Adresse"}));
  EXPECT_FALSE(listShowing) << "the list stays hidden";
}

TEST_F(TMainWindowTest, TheMakersAddressAndTheUpdateLinkOpenInTheBrowser) {
  SetVersionCheckHost("maker.example");
  TFVelmariceFirmWare& f = Start();
  EXPECT_EQ(f.L_Ormida->Cursor(), crHandPoint);
  EXPECT_TRUE(Headless::Click(f, "L_Ormida"));
  f.LL_Update->SetCaption(Link_Markup(Download_Page_Url(), "x"));
  f.LL_Update->ClickLink(0);
  EXPECT_EQ(Opened(), (std::vector<std::string>{"http://maker.example/HOME/default.asp?frompg=SWZ9K59",
                                                "http://maker.example/Home/download/download.asp#HDZ9K59"}));
}

TEST_F(TMainWindowTest, MainWindowRendersToAPicture) {
  TFVelmariceFirmWare& f = Start();
  const TBitmap picture = RenderPicture(f);
  EXPECT_EQ(picture.Width(), 694);
  EXPECT_EQ(picture.Height(), 396);
  EXPECT_EQ(picture.Pixel(690, 380), RGB(248, 247, 237)) << "the window's background";
  EXPECT_EQ(picture.Pixel(300, 295), clSilver) << "the rule under the last step";
  const TColor close = picture.Pixel(632 + 25 - 8, 8 + 25);
  EXPECT_GT(GetRValue(close), 150u) << "the close button's red picture";
  EXPECT_LT(GetGValue(close), 100u);
}

// A control that records the messages posted to it.
struct TRecorder : TCustomControl {
  using TCustomControl::TCustomControl;
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_USER) ++Seen;
    TCustomControl::WndProc(m);
  }
  int Seen = 0;
};

TEST_F(TMainWindowTest, RepaintingWhileAProgramRunsHandlesNoMessages) {
  TFVelmariceFirmWare& f = Start();
  auto* recorder = new TRecorder(&f);
  recorder->SetParent(&f);
  PostMessage(recorder, WM_USER);
  Repaint_Windows();
  EXPECT_EQ(recorder->Seen, 0) << "input waits while the windows repaint";
  Application->ProcessMessages();
  EXPECT_EQ(recorder->Seen, 1);
}

} // namespace
