// The options window: language pages and flags, the language question, the option flags and
// their boxes, OK and Cancel.
#include "MainWindowFixture.h"

#include "app/UAbout.h"
#include "app/UNew_Project.h"
#include "app/UOpenConf.h"
#include "app/USoftOptions.h"

#include <functional>
#include <string>
#include <vector>

namespace {

class TSoftOptionsTest : public TShellTest {
protected:
  // Opens the options window from the main window and runs `script` in it.
  void Options(std::function<void(TFSoftOptions&)> script) {
    Headless::OnNextModal([script](TForm& d) { script(static_cast<TFSoftOptions&>(d)); });
    ASSERT_TRUE(Headless::Click(*FVelmariceFirmWare, "Btn_Opz"));
  }
  void Flag(const std::string& file, TColor color) {
    TBitmap b(48, 48);
    b.Canvas().Brush().SetColor(color);
    b.Canvas().FillRect(Rect(0, 0, 48, 48));
    ASSERT_TRUE(b.SaveToFile(Dir.File("LANGUAGE/" + file)));
  }
  static std::vector<std::string> Shown_Names(TFSoftOptions& d) {
    std::vector<std::string> names;
    for (TLabel* l : {d.L_L1, d.L_L2, d.L_L3, d.L_L4, d.L_L5, d.L_L6})
      if (l->Visible()) names.push_back(l->Caption());
    return names;
  }
};

TEST_F(TSoftOptionsTest, WithoutLanguageFilesOnlyTheBuiltInEnglishIsOffered) {
  Start();
  Options([](TFSoftOptions& d) {
    EXPECT_EQ(d.ClientWidth(), 509);
    EXPECT_EQ(d.ClientHeight(), 373);
    EXPECT_EQ(d.PC_Options->ActivePage(), d.TS_Language);
    EXPECT_EQ(d.L_Page_Lang->Caption(), "Page 1 / 1");
    EXPECT_FALSE(d.Btn_Prev->Visible());
    EXPECT_FALSE(d.Btn_Next->Visible());
    EXPECT_EQ(Shown_Names(d), std::vector<std::string>{"English"});
    EXPECT_FALSE(d.I_L1->Visible()) << "no flag picture";
    EXPECT_EQ(d.L_Sel_Lang->Caption(), "Selected Language : English");
    Headless::Click(d, "Btn_Cancel");
  });
}

TEST_F(TSoftOptionsTest, SevenLanguagesMakeTwoPagesAndReadOnlyFilesAreLeftOut) {
  for (const char* name : {"Polski", "english", "Deutsch", "Espanol", "Francais", "Italiano", "Cesky"})
    Dir.Write(std::string("LANGUAGE/") + name + ".lng", "STR0000=x\n");
  Dir.Write("LANGUAGE/Readonly.lng", "STR0000=x\n");
  Dir.SetReadOnly("LANGUAGE/Readonly.lng", true);
  Dir.Write("LANGUAGE/Notes.txt", "");
  Dir.MakeDir("LANGUAGE/Folder.lng");
  Start();
  Messages.Answer(mrYes);
  Options([](TFSoftOptions& d) {
    EXPECT_EQ(d.L_Page_Lang->Caption(), "Page 1 / 2");
    EXPECT_EQ(Shown_Names(d),
              (std::vector<std::string>{"Cesky", "Deutsch", "english", "Espanol", "Francais", "Italiano"}));
    EXPECT_FALSE(d.Btn_Prev->Visible());
    EXPECT_TRUE(d.Btn_Next->Visible());
    EXPECT_EQ(d.L_L4->Left(), 310);
    EXPECT_EQ(d.I_L2->BoundsRect(), Bounds(26, 94, 48, 48));

    Headless::Click(d, "Btn_Next");
    EXPECT_EQ(d.L_Page_Lang->Caption(), "Page 2 / 2");
    EXPECT_EQ(Shown_Names(d), std::vector<std::string>{"Polski"});
    EXPECT_TRUE(d.Btn_Prev->Visible());
    EXPECT_FALSE(d.Btn_Next->Visible());

    // A language chosen on page 2 keeps the page and its label.
    Headless::Click(d, "L_L1");
    EXPECT_EQ(d.Language_In_Use, "Polski");
    EXPECT_EQ(d.L_Page_Lang->Caption(), "Page 2 / 2");
    EXPECT_EQ(d.L_Sel_Lang->Caption(), "Selected Language : Polski");

    Headless::Click(d, "Btn_Prev");
    EXPECT_EQ(d.L_Page_Lang->Caption(), "Page 1 / 2");
    EXPECT_EQ(Shown_Names(d).size(), 6u);
    Headless::Click(d, "Btn_Cancel");
  });
}

TEST_F(TSoftOptionsTest, AFlagFallsBackToTheDefaultFlagAndWithoutOneOnlyTheNameShows) {
  Dir.Write("LANGUAGE/Deutsch.lng", "");
  Dir.Write("LANGUAGE/Italiano.lng", "");
  Flag("Italiano.bmp", clGreen);
  Start();
  Options([](TFSoftOptions& d) {
    EXPECT_EQ(Shown_Names(d), (std::vector<std::string>{"Deutsch", "English", "Italiano"}));
    EXPECT_FALSE(d.I_L1->Visible()) << "no Deutsch.bmp and no DefaultFlag.bmp";
    EXPECT_TRUE(d.L_L1->Visible());
    ASSERT_TRUE(d.I_L3->Visible());
    EXPECT_EQ(d.I_L3->Picture().Bitmap().Pixel(10, 10), clGreen);
    EXPECT_TRUE(d.I_L3->Transparent());
    Headless::Click(d, "Btn_Cancel");
  });
  Flag("DefaultFlag.bmp", clRed);
  Options([](TFSoftOptions& d) {
    ASSERT_TRUE(d.I_L1->Visible());
    EXPECT_EQ(d.I_L1->Picture().Bitmap().Pixel(10, 10), clRed);
    EXPECT_EQ(d.I_L2->Picture().Bitmap().Pixel(10, 10), clRed) << "the built-in English";
    EXPECT_EQ(d.I_L3->Picture().Bitmap().Pixel(10, 10), clGreen);
    Headless::Click(d, "Btn_Cancel");
  });
}

TEST_F(TSoftOptionsTest, YesToTheLanguageQuestionReappliesTheTextsOfEveryWindow) {
  Dir.Write("LANGUAGE/Deutsch.lng", "STR0015=Neue Konfiguration\nSTR0100=Neue Konfiguration anlegen\n"
                                    "STR0200=Konfiguration oeffnen\nSTR0300=Optionen\n"
                                    "STR0304=\xC2\xB6Sprache : \xC2\xB6\nSTR0312=Gut\n");
  TFVelmariceFirmWare& f = Start();

  // No: nothing changes.
  Messages.Answer(mrNo);
  Options([&](TFSoftOptions& d) {
    Headless::Click(d, "L_L1");
    EXPECT_EQ(Messages.Last().Text, "Do you want to change the Language from English to Deutsch?");
    EXPECT_EQ(Messages.Last().Type, mtConfirmation);
    EXPECT_EQ(Messages.Last().Buttons, TMsgDlgButtons(mbYes | mbNo));
    EXPECT_EQ(d.Language_In_Use, "English");
    EXPECT_EQ(d.Caption(), "Software Options");
    Headless::Click(d, "Btn_Cancel");
  });
  EXPECT_EQ(f.Btn_New->Caption(), "New Configuration");

  // Yes, then Cancel: the screen speaks the new language, the settings keep the old one.
  Messages.Answer(mrYes);
  Options([&](TFSoftOptions& d) {
    Headless::Click(d, "L_L1");
    EXPECT_EQ(d.Caption(), "Optionen");
    EXPECT_EQ(d.L_Sel_Lang->Caption(), "Sprache : Deutsch");
    EXPECT_EQ(d.Btn_OK->Caption(), "Gut");
    EXPECT_EQ(d.Btn_Cancel->Caption(), "Cancel") << "texts the file does not set are English";
    EXPECT_EQ(d.L_Page_Lang->Caption(), "Page 1 / 1");
    Headless::Click(d, "Btn_Cancel");
  });
  EXPECT_EQ(f.Btn_New->Caption(), "Neue Konfiguration");
  EXPECT_EQ(FNew_Project->Caption(), "Neue Konfiguration anlegen");
  EXPECT_EQ(FOpenConf->Caption(), "Konfiguration oeffnen");
  EXPECT_EQ(FAbout->Label1->Caption(), "Software Velmaric ") << "About keeps its fixed texts";
  EXPECT_EQ(Language_Name, "English");
  EXPECT_FALSE(Dir.Exists("Velmaric.xml"));

  // Yes, then OK: the language is the program's and the settings say so.
  Messages.Answer(mrYes);
  Options([&](TFSoftOptions& d) {
    EXPECT_EQ(d.L_Sel_Lang->Caption(), "Sprache : English");
    Headless::Click(d, "L_L1");
    Headless::Click(d, "Btn_OK");
  });
  EXPECT_EQ(Language_Name, "Deutsch");
  EXPECT_NE(Dir.Read("Velmaric.xml").find("<language>Deutsch</language>"), std::string::npos);

  // No English.lng ships, yet English can be chosen back: the built-in texts return.
  Messages.Answer(mrYes);
  Options([&](TFSoftOptions& d) {
    ASSERT_EQ(Shown_Names(d), (std::vector<std::string>{"Deutsch", "English"}));
    Headless::Click(d, "L_L2");
    EXPECT_EQ(d.Caption(), "Software Options");
    Headless::Click(d, "Btn_OK");
  });
  EXPECT_EQ(Language_Name, "English");
  EXPECT_EQ(f.Btn_New->Caption(), "New Configuration");
  EXPECT_NE(Dir.Read("Velmaric.xml").find("<language>English</language>"), std::string::npos);
}

TEST_F(TSoftOptionsTest, TheUpdateBoxesFollowTheInternetBox) {
  Start();
  Options([](TFSoftOptions& d) {
    Headless::PickItem(d, "PC_Options", 1);
    struct TCase {
      bool Internet, Update;
      bool Update_Enabled, Check_Enabled;
    };
    const TCase cases[] = {
        {false, false, false, false},
        {false, true, false, false},
        {true, false, true, false},
        {true, true, true, true},
    };
    for (const TCase& c : cases) {
      d.CB_En_Con->SetChecked(true);
      d.CB_Update->SetChecked(c.Update);
      Headless::Tick(d, "CB_En_Con", c.Internet);
      EXPECT_EQ(d.CB_Update->Enabled(), c.Update_Enabled) << c.Internet << c.Update;
      EXPECT_EQ(d.Btn_Check_Update->Enabled(), c.Check_Enabled) << c.Internet << c.Update;
    }
    Headless::Click(d, "Btn_Cancel");
  });
}

TEST_F(TSoftOptionsTest, OkTakesTheFlagsWritesTheSettingsAndCancelDiscards) {
  TFVelmariceFirmWare& f = Start();
  Options([](TFSoftOptions& d) {
    Headless::PickItem(d, "PC_Options", 1);
    Headless::Tick(d, "CB_En_Con");
    Headless::Tick(d, "CB_Update");
    Headless::PickItem(d, "PC_Options", 2);
    Headless::Tick(d, "CB_DoubleClick_Auto_Size");
    Headless::Click(d, "Btn_Cancel");
  });
  EXPECT_FALSE(Opt_Enable_Internet || Opt_Enable_Update || Opt_Double_Click_Auto_Size);
  EXPECT_FALSE(Dir.Exists("Velmaric.xml"));

  Options([](TFSoftOptions& d) {
    EXPECT_FALSE(d.CB_En_Con->Checked()) << "the boxes are loaded from the flags at every showing";
    Headless::PickItem(d, "PC_Options", 1);
    Headless::Tick(d, "CB_En_Con");
    Headless::Tick(d, "CB_Update");
    Headless::PickItem(d, "PC_Options", 2);
    Headless::Tick(d, "CB_Soft_Set_Jump_Table");
    Headless::Click(d, "Btn_OK");
  });
  EXPECT_TRUE(Opt_Enable_Internet && Opt_Enable_Update && Opt_Jump_Field_Tables);
  EXPECT_FALSE(Opt_Double_Click_Auto_Size);
  EXPECT_TRUE(f.Timer_Update->Enabled());
  const std::string xml = Dir.Read("Velmaric.xml");
  for (const char* element : {"<enable_internet>1</enable_internet>", "<enable_update>1</enable_update>",
                              "<enable_jump_field_tables>1</enable_jump_field_tables>",
                              "<Double_Click_Auto_Size>0</Double_Click_Auto_Size>"})
    EXPECT_NE(xml.find(element), std::string::npos) << element << "\n" << xml;

  // Internet off: the update flag keeps its (disabled) box's state, the timer stops.
  Options([](TFSoftOptions& d) {
    Headless::PickItem(d, "PC_Options", 1);
    Headless::Tick(d, "CB_En_Con", false);
    Headless::Click(d, "Btn_OK");
  });
  EXPECT_FALSE(Opt_Enable_Internet);
  EXPECT_TRUE(Opt_Enable_Update);
  EXPECT_FALSE(f.Timer_Update->Enabled());
}

} // namespace
