// The main window's M-Bus steps with the whole program started headless: the editor and the
// Scan & Decode window behind their hidden buttons, the question before a scan replaces a network,
// and which of the M-Bus windows take a new language.
#include "app/MainWindowFixture.h"
#include "mbus/UInsertKeyWireless.h"
#include "mbus/UMeter_Bus.h"
#include "mbus/UModbusStartAdd_SD.h"
#include "mbus/UNewIDNode.h"
#include "mbus/UScanDecode.h"
#include "mbus/UScanModbusStart.h"

#include <string>
#include <vector>

namespace {

class MBusSteps : public TShellTest {
protected:
  TFVelmariceFirmWare& Start_With_Configuration() {
    TFVelmariceFirmWare& f = Start();
    Dir.MakeDir("PROJECTS/Plant1");
    Project_Name = "Plant1";
    Project_Path = Dir.File("PROJECTS/Plant1");
    Set_Files();
    return f;
  }
  // Runs a step; the window it shows is recorded and closed with Cancel.
  std::vector<std::string> Run(TFVelmariceFirmWare& f, TLbButton* step) {
    std::vector<std::string> shown;
    Headless::OnNextModal([&](TForm& form) {
      shown.push_back(form.Name());
      if (&form == FScanDecode) {
        Seen_Code = FScanDecode->XML_Code_Dev;
        Seen_File = FScanDecode->FileName_MBus;
        Seen_Type = FScanDecode->Form_Type;
        Seen_Face = FScanDecode->Face();
      }
      form.SetModalResult(mrCancel);
    });
    f.Btn_Click(step);
    Headless::ClearModalScripts(); // a step that showed nothing left it unused
    return shown;
  }

  int Seen_Code = -1, Seen_Type = -1, Seen_Face = -1;
  std::string Seen_File;
};

TEST_F(MBusSteps, TheWindowsExistFromTheStartWithTheirButtonsHidden) {
  TFVelmariceFirmWare& f = Start();
  const TForm* windows[] = {FMeter_Bus,         FNewIDNode,       FScanDecode,
                            FInsertKeyWireless, FScanModbusStart, FModbusStartAdd_SD};
  for (const TForm* w : windows)
    ASSERT_NE(w, nullptr);
  EXPECT_EQ(FMeter_Bus->L_SW_Code->Caption(), SW_Code);
  EXPECT_EQ(FMeter_Bus->Caption(), Lang_Text(1700));
  EXPECT_EQ(FScanDecode->Caption(), "Scan & Decode");
  EXPECT_FALSE(f.Btn_MBus->Visible());
  EXPECT_FALSE(f.Btn_ScanDecode->Visible());
  EXPECT_EQ(Get_XML_Code_Dev(), 0);
  EXPECT_EQ(Get_ScanDecode_Form_Type(), 0);
}

TEST_F(MBusSteps, WithoutAConfigurationBothStepsAnswerText18) {
  TFVelmariceFirmWare& f = Start();
  for (TLbButton* step : {f.Btn_MBus, f.Btn_ScanDecode}) {
    SCOPED_TRACE(step->Name());
    Messages.ClearShown();
    Messages.Answer(mrOk);
    EXPECT_TRUE(Run(f, step).empty());
    EXPECT_EQ(Messages.Texts(), std::vector<std::string>{"Error! Project not Valid"});
  }
}

TEST_F(MBusSteps, TheEditorStepShowsTheEditorOnTheConfigurationsNetwork) {
  TFVelmariceFirmWare& f = Start_With_Configuration();
  Dir.Write("PROJECTS/Plant1/M_Bus.xml",
            "<M-Bus_Network><Nodo Node_Enable=\"1\" ID_Primary=\"9\" Descrizione=\"Heat\" "
            "MBus_Type=\"1\"/></M-Bus_Network>");
  int nodes = -1;
  Headless::OnNextModal([&](TForm& form) {
    nodes = FMeter_Bus->NODE_ORIG->Count();
    form.SetModalResult(mrCancel);
  });
  f.Btn_Click(f.Btn_MBus);
  EXPECT_EQ(nodes, 1);
  EXPECT_EQ(Messages.Count(), 0u);
}

TEST_F(MBusSteps, TheScanStepAsksText35BeforeAnExistingNetworkAndHandsOverItsSettings) {
  TFVelmariceFirmWare& f = Start_With_Configuration();
  FScanDecode->XML_Code_Dev = 7;
  FScanDecode->Form_Type = 1;
  FScanDecode->FileName_MBus = "elsewhere";

  // No network yet: no question.
  EXPECT_EQ(Run(f, f.Btn_ScanDecode), std::vector<std::string>{"FScanDecode"});
  EXPECT_EQ(Messages.Count(), 0u);
  EXPECT_EQ(Seen_Code, 0);
  EXPECT_EQ(Seen_Type, 0);
  EXPECT_EQ(Seen_File, FileName_M_Bus);
  EXPECT_EQ(Seen_Face, 1);
  EXPECT_EQ(FScanDecode->ClientHeight(), 523);

  Dir.Write("PROJECTS/Plant1/M_Bus.xml", "<M-Bus_Network/>");
  struct TCase {
    TModalResult Answer;
    bool Opens;
  };
  for (const TCase& c : {TCase{mrNo, false}, TCase{mrYes, true}}) {
    Messages.ClearShown();
    Messages.Answer(c.Answer);
    EXPECT_EQ(Run(f, f.Btn_ScanDecode).size(), c.Opens ? 1u : 0u);
    ASSERT_EQ(Messages.Count(), 1u);
    EXPECT_EQ(Messages.Last().Text,
              "M_Bus network configuration already exists for this configuration. Do you want to continue?");
    EXPECT_EQ(Messages.Last().Type, mtWarning);
    EXPECT_EQ(Messages.Last().Buttons, TMsgDlgButtons(mbYes) | mbNo);
  }
  EXPECT_EQ(Dir.Read("PROJECTS/Plant1/M_Bus.xml"), "<M-Bus_Network/>") << "showing writes nothing";
}

TEST_F(MBusSteps, ALanguageChangeReachesTheEditorAndTheNewIdDialogOnly) {
  Dir.Write("LANGUAGE/Deutsch.lng", "STR1700=M-Bus-Netz\nSTR1752=M-Bus verdrahtet\nSTR2000=Neue Knoten-ID\n"
                                    "STR2100=Suchen\nSTR2121=Suche starten\n");
  TFVelmariceFirmWare& f = Start();
  const std::string keyCaption = FInsertKeyWireless->Caption();
  const std::string startCaption = FScanModbusStart->Caption();
  const std::string perNodeCaption = FModbusStartAdd_SD->Caption();
  Language_Name = "Deutsch";
  Load_Language();
  f.Change_Language();
  EXPECT_EQ(FMeter_Bus->Caption(), "M-Bus-Netz");
  EXPECT_EQ(FMeter_Bus->CB_MBus_Type->Text(), "M-Bus verdrahtet");
  EXPECT_EQ(FNewIDNode->Caption(), "Neue Knoten-ID");
  EXPECT_EQ(FScanDecode->Caption(), "Scan & Decode") << "the scan window keeps the texts of its creation";
  EXPECT_EQ(FScanDecode->Btn_StartScan->Caption(), "Start Scan");
  EXPECT_EQ(FInsertKeyWireless->Caption(), keyCaption);
  EXPECT_EQ(FScanModbusStart->Caption(), startCaption);
  EXPECT_EQ(FModbusStartAdd_SD->Caption(), perNodeCaption);
}

} // namespace
