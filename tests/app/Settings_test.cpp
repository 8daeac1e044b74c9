#include "app/StartUp.h"
#include "app/UComon.h"
#include "app/ULanguage.h"
#include "app/USettings.h"
#include "platform/Xml.h"

#include "support/MessageResponder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

// The element tree of a document as one line: name, text in quotes when it has one, children in brackets.
std::string Tree(const TXmlNode& node) {
  std::string out = node.Name();
  if (!node.Text().empty()) out += "='" + node.Text() + "'";
  const std::vector<TXmlNode> children = node.Children();
  if (!children.empty()) {
    out += "(";
    for (std::size_t i = 0; i < children.size(); ++i)
      out += (i ? "," : "") + Tree(children[i]);
    out += ")";
  }
  return out;
}

std::string FileTree(const std::string& path) {
  TXmlDocument doc;
  if (!doc.LoadFromFile(path)) return "unreadable";
  return Tree(doc.DocumentElement());
}

struct TSettingValues {
  std::string Project = "";
  std::string Ip = "192.168.2.205";
  std::string Language = "English";
  bool Internet = false, Update = false, Jump = false, AutoSize = false;
};

TSettingValues Current() {
  return {
      Project_Name,          Last_IP_Address,           Language_Name, Opt_Enable_Internet, Opt_Enable_Update,
      Opt_Jump_Field_Tables, Opt_Double_Click_Auto_Size};
}

void ExpectValues(const TSettingValues& want) {
  const TSettingValues got = Current();
  EXPECT_EQ(got.Project, want.Project);
  EXPECT_EQ(got.Ip, want.Ip);
  EXPECT_EQ(got.Language, want.Language);
  EXPECT_EQ(got.Internet, want.Internet);
  EXPECT_EQ(got.Update, want.Update);
  EXPECT_EQ(got.Jump, want.Jump);
  EXPECT_EQ(got.AutoSize, want.AutoSize);
}

// Values no file gives, so that a reader that leaves a variable alone is caught.
void Scramble() {
  Project_Name = "left over";
  Last_IP_Address = "10.9.8.7";
  Language_Name = "Klingon";
  Opt_Enable_Internet = Opt_Enable_Update = Opt_Jump_Field_Tables = Opt_Double_Click_Auto_Size = true;
}

class SettingsTest : public testing::Test {
protected:
  void SetUp() override {
    Reset_Shared_State();
    Load_Default_Texts();
    Program_Dir = Dir.Path();
  }
  void TearDown() override { Reset_Shared_State(); }
  std::string SettingsFile() const { return Dir.File("Velmaric.xml"); }
  TTempDir Dir;
};

const char* const Default_Tree =
    "Conf_Settings(lastproj(projectname),lastipadd(ipaddress='192.168.2.205'),"
    "lastlang(language='English'),lastinternet(enable_internet='0',"
    "enable_update='0',enable_jump_field_tables='0',Double_Click_Auto_Size='0'))";

TEST_F(SettingsTest, DefaultsAreWrittenAsTheCompleteTreeWithoutDeclaration) {
  ASSERT_TRUE(Save_Setting());
  EXPECT_EQ(Setting_File_Name(), SettingsFile());
  EXPECT_EQ(FileTree(SettingsFile()), Default_Tree);
  const std::string bytes = Dir.Read("Velmaric.xml");
  EXPECT_FALSE(bytes.starts_with("<?xml")) << bytes;
  EXPECT_FALSE(bytes.starts_with("\xEF\xBB\xBF"));
  EXPECT_EQ(Dir.Entries(), std::vector<std::string>{"Velmaric.xml"});
}

TEST_F(SettingsTest, FlagsAreWrittenAsOneAndZero) {
  Project_Name = "Plant A";
  Last_IP_Address = "10.0.0.1";
  Language_Name = "Deutsch";
  Opt_Enable_Internet = true;
  Opt_Jump_Field_Tables = true;
  ASSERT_TRUE(Save_Setting());
  EXPECT_EQ(FileTree(SettingsFile()),
            "Conf_Settings(lastproj(projectname='Plant A'),lastipadd(ipaddress='10.0.0.1'),"
            "lastlang(language='Deutsch'),lastinternet(enable_internet='1',enable_update='0',"
            "enable_jump_field_tables='1',Double_Click_Auto_Size='0'))");
}

TEST_F(SettingsTest, ReadBackRestoresEveryValue) {
  const std::vector<TSettingValues> cases = {
      {" Plant <A> & \"B\" ", "172.16.0.99",
       "Fran\xC3\xA7"
       "ais",
       true, false, true, false},
      {"Plant", "", "English", false, true, false, true},
      {"", "192.168.2.205", "Italiano", true, true, true, true},
  };
  for (const TSettingValues& c : cases) {
    Project_Name = c.Project;
    Last_IP_Address = c.Ip;
    Language_Name = c.Language;
    Opt_Enable_Internet = c.Internet;
    Opt_Enable_Update = c.Update;
    Opt_Jump_Field_Tables = c.Jump;
    Opt_Double_Click_Auto_Size = c.AutoSize;
    ASSERT_TRUE(Save_Setting());
    Scramble();
    EXPECT_TRUE(Load_Setting());
    ExpectValues(c);
  }
}

struct TReadCase {
  const char* Name;
  const char* File; // nullptr: no file
  bool Readable;
  TSettingValues Want;
};

class SettingsReadTest : public SettingsTest, public testing::WithParamInterface<TReadCase> {};

TEST_P(SettingsReadTest, StartsWithTheRightValues) {
  const TReadCase& c = GetParam();
  if (c.File) Dir.Write("Velmaric.xml", c.File);
  Scramble();
  EXPECT_EQ(Load_Setting(), c.Readable);
  ExpectValues(c.Want);
}

const TReadCase Read_Cases[] = {
    {"MissingFile", nullptr, true, {}},
    {"RootAlone", "<Conf_Settings/>", true, {}},
    {"Malformed", "<Conf_Settings><lastproj><projectname>P</projectname>", false, {}},
    {"NotXml", "projectname=P", false, {}},
    {"EmptyFile", "", false, {}},
    {"DeclarationAndCommentBeforeRoot",
     "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<!-- saved by hand -->\r\n<Conf_Settings>"
     "<lastproj><projectname>P</projectname></lastproj><lastipadd><ipaddress>10.1.1.1</ipaddress></lastipadd>"
     "<lastlang><language>Deutsch</language></lastlang><lastinternet><enable_internet>1</enable_internet>"
     "<enable_update>1</enable_update><enable_jump_field_tables>1</enable_jump_field_tables>"
     "<Double_Click_Auto_Size>1</Double_Click_Auto_Size></lastinternet></Conf_Settings>",
     true,
     {"P", "10.1.1.1", "Deutsch", true, true, true, true}},
    {"RootNameNotChecked",
     "<Other><lastipadd><ipaddress>10.1.1.1</ipaddress></lastipadd></Other>",
     true,
     {"", "10.1.1.1"}},
    {"OnlyExactOneIsOn",
     "<Conf_Settings><lastinternet><enable_internet>true</enable_internet><enable_update>01</enable_update>"
     "<enable_jump_field_tables> "
     "1</enable_jump_field_tables><Double_Click_Auto_Size>1</Double_Click_Auto_Size>"
     "</lastinternet></Conf_Settings>",
     true,
     {"", "192.168.2.205", "English", false, false, false, true}},
    {"NoFlagGroupOtherValuesRead",
     "<Conf_Settings><lastproj><projectname>P</projectname></lastproj>"
     "<lastlang><language>Deutsch</language></lastlang></Conf_Settings>",
     true,
     {"P", "192.168.2.205", "Deutsch"}},
    {"ValueOutsideItsGroupIgnored",
     "<Conf_Settings><projectname>P</projectname><lastipadd/><lastlang><ipaddress>1.2.3.4</ipaddress></"
     "lastlang>"
     "<enable_internet>1</enable_internet></Conf_Settings>",
     true,
     {}},
    {"ElementNamesAreCaseSensitive",
     "<Conf_Settings><LastProj><projectname>P</projectname></LastProj>"
     "<lastipadd><IPAddress>1.2.3.4</IPAddress></lastipadd></Conf_Settings>",
     true,
     {}},
    {"ValuesNotTrimmedAndEmptyKept",
     "<Conf_Settings><lastproj><projectname> P 1 </projectname></lastproj>"
     "<lastipadd><ipaddress></ipaddress></lastipadd><lastlang><language>Deutsch </language></lastlang>"
     "</Conf_Settings>",
     true,
     {" P 1 ", "", "Deutsch "}},
};

INSTANTIATE_TEST_SUITE_P(Files, SettingsReadTest, testing::ValuesIn(Read_Cases),
                         [](const testing::TestParamInfo<TReadCase>& c) { return c.param.Name; });

TEST_F(SettingsTest, RootAloneIsWrittenBackAsTheCompleteTree) {
  Dir.Write("Velmaric.xml", "<Conf_Settings/>");
  Load_Setting();
  ASSERT_TRUE(Save_Setting());
  EXPECT_EQ(FileTree(SettingsFile()), Default_Tree);
}

TEST_F(SettingsTest, UnsafeNamesAreNotUsedAsPathsButWrittenBackUnchanged) {
  Projects_Dir = Dir.MakeDir("PROJECTS");
  Language_Dir = Dir.MakeDir("LANGUAGE");
  Dir.MakeDir("Outside");      // what "../Outside" would reach from PROJECTS
  Dir.MakeDir("PROJECTS/a/b"); // what "a/b" would reach
  Dir.Write("Evil.lng", "STR18=outside");
  const std::vector<std::pair<std::string, std::string>> names = {
      {"../Outside", "../Evil"}, {"a/b", "..\\Evil"}, {"..", "."}, {"Plant.", " Evil"}};
  for (const auto& [project, language] : names) {
    TXmlDocument doc;
    TXmlNode root = doc.CreateRoot("Conf_Settings");
    root.AddChild("lastproj").AddChild("projectname", project);
    root.AddChild("lastlang").AddChild("language", language);
    ASSERT_TRUE(doc.SaveToFile(SettingsFile()));

    Load_Setting();
    Open_Last_Project();
    Set_Files();
    EXPECT_EQ(Project_Path, "") << project;
    EXPECT_EQ(FileName_ParGen, "") << project;
    ASSERT_TRUE(Save_Setting());
    TXmlDocument back;
    ASSERT_TRUE(back.LoadFromFile(SettingsFile()));
    EXPECT_EQ(back.DocumentElement().Child("lastproj").ChildText("projectname"), project);
    EXPECT_EQ(back.DocumentElement().Child("lastlang").ChildText("language"), language);
  }
}

TEST_F(SettingsTest, FailedWriteIsReportedAndCreatesNothing) {
  // A folder path whose parent is a regular file: nothing can be written below it.
  Dir.Write("plain", "not a folder");
  Program_Dir = Dir.File("plain");
  TMessageResponder responder{mrOk};
  EXPECT_FALSE(Save_Setting());
  ASSERT_EQ(responder.Count(), 1u);
  EXPECT_EQ(responder.Last().Type, mtError);
  EXPECT_TRUE(responder.Last().Text.starts_with("Error! Settings not saved")) << responder.Last().Text;
  EXPECT_EQ(Dir.Read("plain"), "not a folder");
  EXPECT_EQ(Dir.Entries(), std::vector<std::string>{"plain"});
}

TEST_F(SettingsTest, FailedWriteInReadOnlyFolderLeavesOldFileIntact) {
  const std::string old =
      "<Conf_Settings><lastproj><projectname>Old</projectname></lastproj></Conf_Settings>";
  const std::string folder = Dir.MakeDir("ro");
  Dir.Write("ro/Velmaric.xml", old);
  Dir.SetReadOnly("ro", true);
  Program_Dir = folder;
  Project_Name = "New";
  // Runs without super-user rights, where the folder's permission bits do stop the write.
  const bool failedCleanly = RunUnprivileged(Dir, [] {
    bool shown = false;
    SetMessageHandler([&shown](const TMessageRequest& request) {
      shown = request.Type == mtError;
      return mrOk;
    });
    return !Save_Setting() && shown;
  });
  Dir.SetReadOnly("ro", false);
  EXPECT_TRUE(failedCleanly);
  EXPECT_EQ(Dir.Read("ro/Velmaric.xml"), old);
  EXPECT_EQ(Dir.Entries("ro"), std::vector<std::string>{"Velmaric.xml"});
}

TEST_F(SettingsTest, StartUpKeepsNameOfDeletedConfigurationAndFallsBackToEnglish) {
  Dir.Write("Velmaric.xml", "<Conf_Settings><lastproj><projectname>Gone</projectname></lastproj>"
                            "<lastlang><language>../Evil</language></lastlang></Conf_Settings>");
  Dir.Write("Evil.lng", "STR18=outside");
  Prepare_Shared_State(Dir.Path());
  EXPECT_EQ(Project_Name, "Gone");
  EXPECT_EQ(Project_Path, "");
  EXPECT_EQ(Language_Name, "English");
  EXPECT_EQ(Lang_Text(18), "Error! Project not Valid");
  ASSERT_TRUE(Save_Setting());
  TXmlDocument back;
  ASSERT_TRUE(back.LoadFromFile(SettingsFile()));
  EXPECT_EQ(back.DocumentElement().Child("lastproj").ChildText("projectname"), "Gone");
}

} // namespace
