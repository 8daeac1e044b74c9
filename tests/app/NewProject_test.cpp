// The New Configuration dialog: a valid name creates the configuration and opens it, bad names get
// their messages and keep the dialog open with the name as typed.
#include "MainWindowFixture.h"

#include "app/UNew_Project.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

using TNewProjectTest = TShellTest;

TEST_F(TNewProjectTest, NewConfigurationIsCreatedOpenedAndReopenedAtTheNextStart) {
  TFVelmariceFirmWare& f = Start();
  Headless::OnNextModal([](TForm& d) {
    EXPECT_EQ(d.Caption(), "Create New Configuration");
    EXPECT_EQ(d.ClientWidth(), 331);
    EXPECT_EQ(d.ClientHeight(), 162);
    EXPECT_EQ(Headless::Find<TLabel>(d, "L_SW_Code")->Caption(), "SWZ9K59");
    EXPECT_TRUE(Headless::Find<TEdit>(d, "E_New_Proj")->Focused());
    Headless::TypeText(d, "E_New_Proj", "Plant1");
    Headless::Click(d, "Btn_OK");
  });
  ASSERT_TRUE(Headless::Click(f, "Btn_New"));

  EXPECT_TRUE(DirectoryExists(Dir.File("PROJECTS/Plant1/bin")));
  EXPECT_EQ(Project_Name, "Plant1");
  EXPECT_EQ(Project_Path, Dir.File("PROJECTS/Plant1"));
  EXPECT_EQ(FileName_LoRaWAN_SetAccess, Dir.File("PROJECTS/Plant1/LoRaWAN_SetAccess.xml"));
  EXPECT_EQ(f.L_Name_Conf->Caption(), "Opened Configuration of the Converter : ");
  EXPECT_EQ(f.L_Name_Conf_L2->Caption(), "Plant1");
  EXPECT_EQ(Messages.Count(), 0u);

  TFVelmariceFirmWare& again = Restart();
  EXPECT_EQ(Project_Path, Dir.File("PROJECTS/Plant1"));
  EXPECT_EQ(again.L_Name_Conf_L2->Caption(), "Plant1");
}

TEST_F(TNewProjectTest, BadNamesGetTheirTextAndTheDialogKeepsTheName) {
  Dir.MakeDir("PROJECTS/Plant1");
  TFVelmariceFirmWare& f = Start();
  const std::string not_valid = "Error! Name project is not valid";
  const std::string exists = "Error! Name project is not valid because directory already exists";
  const std::string empty = "Error! Name Project is not valid";
  const std::pair<std::string, std::string> cases[] = {
      {"", empty},         {"plant1", exists},   {"PLANT1", exists},    {"Plant1", exists},
      {"a?b", not_valid},  {"a/b", not_valid},   {"..", not_valid},     {".", not_valid},
      {"../x", not_valid}, {"a\\b", not_valid},  {"a:b", not_valid},    {"a*b", not_valid},
      {"a\"b", not_valid}, {"a<b", not_valid},   {"a>b", not_valid},    {"a|b", not_valid},
      {"a\tb", not_valid}, {" lead", not_valid}, {"trail ", not_valid}, {"dot.", not_valid},
  };
  for (const auto& [name, text] : cases) {
    SCOPED_TRACE("\"" + name + "\"");
    Messages.ClearShown();
    Messages.Answer(mrOk);
    Headless::OnNextModal([&, name = name](TForm& d) {
      auto* edit = Headless::Find<TEdit>(d, "E_New_Proj");
      Headless::SetText(d, "E_New_Proj", name);
      Headless::Click(d, "Btn_OK");
      EXPECT_TRUE(d.Visible()) << "the dialog stays open";
      EXPECT_EQ(edit->Text(), name);
      Headless::Click(d, "Btn_Cancel");
    });
    ASSERT_TRUE(Headless::Click(f, "Btn_New"));
    ASSERT_EQ(Messages.Count(), 1u);
    EXPECT_EQ(Messages.Last().Text, text);
    EXPECT_EQ(Messages.Last().Type, mtError);
  }
  EXPECT_EQ(Dir.Entries("PROJECTS"), std::vector<std::string>{"Plant1"});
  EXPECT_EQ(Project_Path, "");
  EXPECT_EQ(Dir.Entries(), (std::vector<std::string>{"LANGUAGE", "MASTER", "PROJECTS"}));
}

TEST_F(TNewProjectTest, AFolderThatCannotBeCreatedIsReportedAsSuchNotAsABadName) {
  TFVelmariceFirmWare& f = Start();
  ASSERT_EQ(std::remove(Dir.File("PROJECTS").c_str()), 0);
  Messages.Answer(mrOk);
  Headless::OnNextModal([](TForm& d) {
    Headless::TypeText(d, "E_New_Proj", "Plant1");
    Headless::Click(d, "Btn_OK");
    Headless::Click(d, "Btn_Cancel");
  });
  Headless::Click(f, "Btn_New");
  EXPECT_EQ(Messages.Texts(), std::vector<std::string>{"Error!! The folder \"" + Dir.File("PROJECTS/Plant1") +
                                                       "\" cannot be created"});
  EXPECT_EQ(Project_Path, "");
}

TEST_F(TNewProjectTest, EnterActsLikeOkAndEveryShowingStartsEmpty) {
  TFVelmariceFirmWare& f = Start();
  Headless::OnNextModal([](TForm& d) {
    Headless::TypeText(d, "E_New_Proj", "Plant2");
    Headless::PressKey(d, "E_New_Proj", VK_RETURN);
  });
  Headless::Click(f, "Btn_New");
  EXPECT_TRUE(DirectoryExists(Dir.File("PROJECTS/Plant2/bin")));
  EXPECT_EQ(Project_Name, "Plant2");

  // Cancel changes nothing, and the name typed before is gone.
  Headless::OnNextModal([](TForm& d) {
    EXPECT_EQ(Headless::Find<TEdit>(d, "E_New_Proj")->Text(), "");
    Headless::TypeText(d, "E_New_Proj", "Plant3");
    Headless::Click(d, "Btn_Cancel");
  });
  Headless::Click(f, "Btn_New");
  EXPECT_FALSE(DirectoryExists(Dir.File("PROJECTS/Plant3")));
  EXPECT_EQ(Project_Name, "Plant2");
  EXPECT_EQ(f.L_Name_Conf_L2->Caption(), "Plant2");
}

} // namespace
