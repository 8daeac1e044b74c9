// The Update Device step end to end: parameters set in their window, images compiled and written,
// the update dialog opened; and every failure on the way stops the step before the dialog.
#include "GatewayTestSupport.h"

#include "app/ProgramWindowFixture.h"
#include "app/UComon.h"
#include "app/ULanguage.h"
#include "gateway/BootTexts.h"
#include "gateway/LoRaWANSetAccess.h"
#include "gateway/ParGenFile.h"
#include "gateway/SaveBin.h"
#include "gateway/UBoot.h"
#include "gateway/UParGen.h"
#include "gateway/UpdateDevice.h"
#include "platform/ui/Application.h"
#include "platform/ui/Headless.h"
#include "support/MessageResponder.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

class UpdateDeviceTest : public TProgramWindowTest {
protected:
  void TearDown() override {
    if (FBoot) FBoot->Free();
    if (FParGen) FParGen->Free();
    TProgramWindowTest::TearDown();
  }
  void PlaceFolders() override {
    Program_Dir = Dir.MakeDir("program");
    Master_Dir = Dir.MakeDir("program/MASTER");
    Project_Path = Dir.MakeDir("program/PROJECTS/Plant");
  }

  // Queues a script for the update dialog that notes it was shown and closes it.
  void Expect_Update_Dialog() {
    Headless::OnNextModal([this](TForm& f) {
      DialogShown = &f;
      DialogCaption = f.Caption();
      EXPECT_TRUE(Headless::Click(f, "Btn_Cancel"));
    });
  }
  std::vector<std::uint8_t> Image(const std::string& name) const {
    const std::string bytes = Dir.Read("program/PROJECTS/Plant/bin/" + name);
    return {bytes.begin(), bytes.end()};
  }
  void Save_Rules(const std::string& numByte) {
    TLoRaWANSetAccess rules;
    TLoRaUplinkRule rule;
    rule.StartByte = "0";
    rule.NumByte = numByte;
    rules.Uplink.push_back(rule);
    ASSERT_TRUE(Save_LoRaWAN_SetAccess(FileName_LoRaWAN_SetAccess, rules, true));
  }

  TForm* DialogShown = nullptr;
  std::string DialogCaption;
};

TEST_F(UpdateDeviceTest, ParametersSetInTheWindowBecomeTheImagesAndTheDialogOpens) {
  FParGen = NewForm<TFParGen>(nullptr);
  Headless::OnNextModal([](TForm& f) {
    EXPECT_TRUE(Headless::PickItem(f, "CB_LoRa_RF_Band", "EU868"));
    EXPECT_TRUE(Headless::PickItem(f, "CB_LoRa_DataRate", 5));
    EXPECT_TRUE(Headless::Click(f, "Btn_OK"));
  });
  ASSERT_EQ(FParGen->ShowModal(), mrOk);

  ASSERT_EQ(FBoot, nullptr);
  Expect_Update_Dialog();
  TMessageResponder responder; // no box may show
  EXPECT_TRUE(Update_Device());
  ASSERT_NE(FBoot, nullptr) << "the dialog is created when the shell has not";
  EXPECT_EQ(DialogShown, FBoot);
  EXPECT_EQ(FBoot->Form_Type, Boot_Form_Ethernet);
  EXPECT_EQ(DialogCaption, "Update Device by Ethernet (UDP)");

  const auto bank1 = Image("bank1.bin");
  const auto bank2 = Image("bank2.bin");
  const auto expected1 = Read_Golden("bank1_new.golden", Bank1_Size);
  const auto expected2 = Read_Golden("bank2_update_device_eu868.golden", Bank2_Size);
  EXPECT_EQ(bank1, expected1) << Describe_Differences(bank1, expected1);
  EXPECT_EQ(bank2, expected2) << Describe_Differences(bank2, expected2);
}

TEST_F(UpdateDeviceTest, TheUplinkRulesMustFitThePayloadSize) {
  TParGen values = New_ParGen();
  values.LoRa_RF_Band = "EU868";
  Change_LoRa_DataRate(values);
  Set_Max_Payload_Size(values); // 51
  ASSERT_TRUE(Save_ParGen(FileName_ParGen, values));

  Save_Rules("50");
  {
    TMessageResponder responder{mrOk};
    EXPECT_FALSE(Update_Device());
    ASSERT_EQ(responder.Count(), 1u);
    EXPECT_EQ(responder.Last().Text, Lang_Text(30));
    EXPECT_EQ(responder.Last().Type, mtError);
    EXPECT_FALSE(Dir.Exists("program/PROJECTS/Plant/bin"));
    EXPECT_EQ(DialogShown, nullptr);
  }

  Save_Rules("49");
  Expect_Update_Dialog();
  TMessageResponder responder;
  EXPECT_TRUE(Update_Device());
  EXPECT_NE(DialogShown, nullptr);
  EXPECT_TRUE(Dir.Exists("program/PROJECTS/Plant/bin/bank2.bin"));
}

TEST_F(UpdateDeviceTest, AStepThatFailsIsShownAndTheDialogNeverOpens) {
  struct TCase {
    const char* Name;
    std::function<void(const TTempDir& folder)> Break;
    std::string MessageStart;
  };
  const TCase cases[] = {
      {"no configuration open", [](const TTempDir&) { Project_Path.clear(); }, "Error! Project not Valid"},
      {"ParGen.xml cannot be parsed",
       [](const TTempDir& d) { d.Write("Plant/ParGen.xml", "<Par_Gen><LoRa_RF_Band>"); }, "Error!!"},
      {"the images cannot be written", [](const TTempDir& d) { d.Write("Plant/bin", "not a folder"); },
       "Error!! The folder"},
      {"the configuration's folder was deleted outside the program",
       [](const TTempDir& d) { std::filesystem::remove_all(d.File("Plant")); },
       "Error!! The folder of the configuration is missing"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TTempDir fresh;
    Project_Path = fresh.MakeDir("Plant");
    Set_Files();
    c.Break(fresh);
    TMessageResponder responder{mrOk};
    EXPECT_FALSE(Update_Device());
    ASSERT_EQ(responder.Count(), 1u);
    EXPECT_EQ(responder.Last().Type, mtError);
    EXPECT_EQ(responder.Last().Text.rfind(c.MessageStart, 0), 0u) << responder.Last().Text;
    EXPECT_EQ(DialogShown, nullptr);
    EXPECT_FALSE(fresh.Exists("Plant/bin/bank1.bin"));
    EXPECT_EQ(fresh.Exists("Plant"), std::string(c.Name).find("deleted") == std::string::npos)
        << "a deleted folder stays deleted";
  }
}

} // namespace
