#include "gateway/GatewayShell.h"

#include "GatewayTestSupport.h"
#include "app/UComon.h"
#include "app/ULanguage.h"
#include "gateway/ParGenFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

class GatewayShell : public ::testing::Test {
protected:
  void SetUp() override {
    Load_Default_Texts();
    Reset_Shared_State();
    Set_Program_Folders(Dir.Path());
    Set_Model_Identity();
  }
  void TearDown() override { Reset_Shared_State(); }
  void Open(const std::string& name) {
    Project_Path = Dir.MakeDir("PROJECTS/" + name);
    Set_Files();
  }
  TTempDir Dir;
};

TEST_F(GatewayShell, StepsWorkOnTheOpenConfiguration) {
  Open("Plant");
  ASSERT_TRUE(Save_ParGen(FileName_ParGen, New_ParGen()).Ok);
  ASSERT_TRUE(Check_Config_LoraWAN().Ok);
  TCompileResult compiled = Compile_Bin();
  ASSERT_TRUE(compiled.Ok) << compiled.Message;
  EXPECT_EQ(compiled.Images.Bank2[66], 230);
  ASSERT_TRUE(Save_Bin(compiled.Images).Ok);
  EXPECT_EQ(Dir.Read("PROJECTS/Plant/bin/bank1.bin").size(), Bank1_Size);

  ASSERT_TRUE(Compile_XML_Parameter_New_Boot(Update_Command("192.168.2.205", 2, true)).Ok);
  const std::string command = Dir.Read("Ethernet_Update.xml");
  EXPECT_NE(command.find("<Title>Ormida - SWZ9K59 Ethernet Update</Title>"), std::string::npos);
  EXPECT_NE(command.find("<Ope_FileName>" + Dir.File("PROJECTS/Plant/bin/bank2.bin") + "</Ope_FileName>"),
            std::string::npos)
      << command;
  ASSERT_TRUE(Compile_XML_Parameter_New_Boot(Update_Command("192.168.2.205", 1, true)).Ok);
  EXPECT_NE(Dir.Read("Ethernet_Update.xml").find(Dir.File("MASTER/SimZ9K59.sim")), std::string::npos);
}

TEST_F(GatewayShell, WithoutAConfigurationNothingIsBuiltOrWritten) {
  EXPECT_EQ(Check_Config_LoraWAN().TextNumber, 18);
  EXPECT_EQ(Compile_Bin().TextNumber, 18);
  EXPECT_EQ(Save_Bin(TDeviceImages{}).TextNumber, 18);
  EXPECT_FALSE(Save_Bin("", TDeviceImages{}).Ok);
  EXPECT_FALSE(Dir.Exists("bin"));
}

} // namespace
