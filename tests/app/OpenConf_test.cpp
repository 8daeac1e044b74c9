// The Open Configuration dialog: only folders are offered, the open configuration is preselected
// in any letter case, Cancel changes nothing and an empty list leaves no configuration open.
#include "MainWindowFixture.h"

#include "app/UOpenConf.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

using TOpenConfTest = TShellTest;

std::vector<std::string> Items(TForm& d) {
  return Headless::Find<TListBox>(d, "ListBox1")->Items().ToVector();
}

TEST_F(TOpenConfTest, OffersOnlyFoldersPreselectsTheOpenOneAndOpensTheChoice) {
  Dir.MakeDir("PROJECTS/Beta");
  Dir.MakeDir("PROJECTS/alpha");
  Dir.MakeDir("PROJECTS/Plant1/bin");
  Dir.Write("PROJECTS/notes.txt", "not a configuration");
  TFVelmariceFirmWare& f = Start();
  // The open configuration named in another letter case than its folder.
  Project_Name = "PLANT1";
  Project_Path = Dir.File("PROJECTS/PLANT1");

  Headless::OnNextModal([](TForm& d) {
    EXPECT_EQ(d.Caption(), "Open Configuration");
    EXPECT_EQ(d.ClientWidth(), 377);
    EXPECT_EQ(d.ClientHeight(), 351);
    EXPECT_EQ(Items(d), (std::vector<std::string>{"alpha", "Beta", "Plant1"}));
    auto* list = Headless::Find<TListBox>(d, "ListBox1");
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_LE(list->BoundsRect().Bottom, d.ClientHeight() - 40) << "the list stays clear of the buttons";
    Headless::PickItem(d, "ListBox1", "Beta");
    Headless::Click(d, "Btn_OK");
  });
  ASSERT_TRUE(Headless::Click(f, "Btn_Open"));
  EXPECT_EQ(Project_Name, "Beta");
  EXPECT_EQ(Project_Path, Dir.File("PROJECTS/Beta"));
  EXPECT_EQ(FileName_S7_Protocol, Dir.File("PROJECTS/Beta/S7_Protocol.xml"));
  EXPECT_EQ(f.L_Name_Conf_L2->Caption(), "Beta");

  // Cancel leaves the configuration as it was.
  Headless::OnNextModal([](TForm& d) {
    EXPECT_EQ(Headless::Find<TListBox>(d, "ListBox1")->ItemIndex(), 1);
    Headless::PickItem(d, "ListBox1", 0);
    Headless::Click(d, "Btn_Cancel");
  });
  Headless::Click(f, "Btn_Open");
  EXPECT_EQ(Project_Name, "Beta");
  EXPECT_EQ(Project_Path, Dir.File("PROJECTS/Beta"));
  EXPECT_EQ(Messages.Count(), 0u);
}

TEST_F(TOpenConfTest, WithoutTheOpenOneTheFirstIsPreselected) {
  Dir.MakeDir("PROJECTS/B");
  Dir.MakeDir("PROJECTS/A");
  TFVelmariceFirmWare& f = Start();
  Headless::OnNextModal([](TForm& d) {
    EXPECT_EQ(Headless::Find<TListBox>(d, "ListBox1")->ItemIndex(), 0);
    Headless::Click(d, "Btn_OK");
  });
  Headless::Click(f, "Btn_Open");
  EXPECT_EQ(Project_Path, Dir.File("PROJECTS/A"));
}

TEST_F(TOpenConfTest, OkOnAnEmptyListLeavesNoConfigurationOpen) {
  Dir.MakeDir("PROJECTS/Plant1");
  TFVelmariceFirmWare& f = Start();
  Headless::OnNextModal([](TForm& d) { Headless::Click(d, "Btn_OK"); });
  Headless::Click(f, "Btn_Open");
  ASSERT_EQ(Project_Path, Dir.File("PROJECTS/Plant1"));

  // The folder goes; the name chosen last time must not come back.
  ASSERT_EQ(std::remove(Dir.File("PROJECTS/Plant1").c_str()), 0);
  Headless::OnNextModal([](TForm& d) {
    EXPECT_TRUE(Items(d).empty());
    Headless::Click(d, "Btn_OK");
  });
  Headless::Click(f, "Btn_Open");
  EXPECT_EQ(Project_Path, "");
  EXPECT_EQ(Project_Name, "");
  EXPECT_EQ(FileName_ParGen, "");
  EXPECT_EQ(f.L_Name_Conf->Caption(), "None Configuration Opened ");
  Messages.Answer(mrOk);
  Headless::Click(f, "Btn_CreateBin");
  EXPECT_EQ(Messages.Texts(), std::vector<std::string>{"Error! Project not Valid"});
}

} // namespace
