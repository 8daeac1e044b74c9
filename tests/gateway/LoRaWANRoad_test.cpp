// The whole road of the LoRaWAN converter as a user takes it: a new configuration, its
// communication set, rules typed into the rule editor with its row buttons, the images built and
// the update dialog opened.
#include "app/MainWindowFixture.h"
#include "app/UComon.h"
#include "app/UVelmariceFirmWare.h"
#include "gateway/LoRaWANSetAccess.h"
#include "gateway/ULoRa_Set_Access.h"
#include "platform/ui/Headless.h"

#include <string>
#include <vector>

namespace {

using TLoRaWANRoadTest = TShellTest;

constexpr std::uint16_t Key_Enter = 13;
constexpr std::uint16_t Key_Space = 32;

TPoint Centre(const TRect& r) {
  return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

void Click_Cell(TProColumnGrid& g, int col, int row) {
  const TPoint at = Centre(g.CellRect(col, row));
  Headless::MouseDown(g, at);
  Headless::MouseUp(g, at);
}

// Types into the current cell and leaves the editor open.
void Type_At(TProColumnGrid& g, int col, int row, const std::string& text) {
  g.FocusCell(col, row);
  Headless::TypeText(g, text);
}

TEST_F(TLoRaWANRoadTest, NewConfigurationToTheUpdateDialog) {
  TFVelmariceFirmWare& f = Start();
  Headless::OnNextModal([](TForm& d) {
    Headless::TypeText(d, "E_New_Proj", "Plant1");
    Headless::Click(d, "Btn_OK");
  });
  ASSERT_TRUE(Headless::Click(f, "Btn_New"));
  Headless::OnNextModal([](TForm& d) {
    EXPECT_TRUE(Headless::PickItem(d, "CB_LoRa_RF_Band", "EU868"));
    EXPECT_TRUE(Headless::PickItem(d, "CB_LoRa_DataRate", 5));
    EXPECT_TRUE(Headless::Click(d, "Btn_OK"));
  });
  ASSERT_TRUE(Headless::Click(f, "Btn_Prm_Gen"));
  ASSERT_EQ(Messages.Count(), 0u);

  Opt_Jump_Field_Tables = true;
  Headless::OnNextModal([this](TForm&) {
    TFLoRa_Set_Access& w = *FLoRa_Set_Access;
    TProColumnGrid& up = *w.ACG_LoRa_Uplink;
    TProColumnGrid& down = *w.ACG_LoRa_Downlink;
    EXPECT_TRUE(up.IsHiddenColumn(LoRa_Up_Col_FPort));
    Type_At(up, 2, 1, "10");
    Headless::PressKey(up, Key_Enter);
    EXPECT_EQ(up.Col(), 3) << "Enter goes to the next cell";
    Headless::TypeText(up, "4");
    Click_Cell(up, 4, 1); // On Change by mouse
    up.FocusCell(6, 1);
    Headless::PressKey(up, Key_Space); // On Timer by Space
    Type_At(up, 7, 1, "60");

    // Insert a row at row 1 and delete it again; copy row 1 into row 2 and delete row 2.
    up.FocusCell(2, 1);
    w.Btn_InsRow->Click();
    EXPECT_EQ(up.Cells(2, 2), "10");
    Messages.Answer(mrYes);
    w.Btn_DelRow->Click();
    w.Btn_CopyRow->Click();
    up.FocusCell(2, 2);
    w.Btn_PasteRow->Click();
    EXPECT_EQ(up.Cells(7, 2), "60");
    Messages.Answer(mrYes);
    w.Btn_DelRow->Click();

    Headless::PickItem(w, "PC_LoRa", 1);
    Type_At(down, 2, 1, "20");
    Headless::PressKey(down, Key_Enter);
    Headless::TypeText(down, "8");

    Headless::PickItem(w, "PC_LoRa", 0);
    Type_At(up, 8, 1, "Temperature"); // FPort hidden: the Mnemonic shows as column 8
    EXPECT_TRUE(up.EditorMode()) << "the Mnemonic is still in the open editor";
    w.Btn_OK->Click(); // from code: the focus never leaves the editor
  });
  ASSERT_TRUE(Headless::Click(f, "Btn_LoRaWAN_Access"));
  EXPECT_EQ(FLoRa_Set_Access->ModalResult(), mrOk);
  EXPECT_EQ(Messages.Texts(), (std::vector<std::string>{"Are you sure to delete the Row number 1",
                                                        "Are you sure to delete the Row number 2"}));
  Messages.ClearShown();

  TLoRaWANSetAccess typed;
  TLoRaUplinkRule u;
  u.StartByte = "10";
  u.NumByte = "4";
  u.OnChange = "Y";
  u.OnCMD = "";
  u.OnTimer = "Y";
  u.Time = "60";
  u.Mnemonic = "Temperature";
  typed.Uplink.push_back(u);
  TLoRaDownlinkRule d;
  d.StartByte = "20";
  d.NumByte = "8";
  typed.Downlink.push_back(d);
  const TLoRaWANLoad load = Load_LoRaWAN_SetAccess(FileName_LoRaWAN_SetAccess);
  ASSERT_EQ(load.State, TXmlFileState::Loaded) << load.Error;
  EXPECT_EQ(load.Rules, typed);
  ASSERT_EQ(load.Rules.Uplink.size(), 1u);
  const TLoRaUplinkRule& got = load.Rules.Uplink[0];
  EXPECT_EQ((std::vector<std::string>{got.Enable, got.StartByte, got.NumByte, got.OnChange, got.OnCMD,
                                      got.OnTimer, got.Time, got.FPort, got.Mnemonic}),
            (std::vector<std::string>{"Y", "10", "4", "Y", "", "Y", "60", "", "Temperature"}));

  Headless::OnNextModal([](TForm& w) {
    TProColumnGrid& up = *FLoRa_Set_Access->ACG_LoRa_Uplink;
    EXPECT_EQ(up.Cells(2, 1), "10");
    EXPECT_EQ(up.Cells(9, 1), "Temperature");
    EXPECT_EQ(up.Cells(2, 2), "");
    EXPECT_EQ(FLoRa_Set_Access->ACG_LoRa_Downlink->Cells(3, 1), "8");
    Headless::Click(w, "Btn_Cancel");
  });
  ASSERT_TRUE(Headless::Click(f, "Btn_LoRaWAN_Access"));

  std::string dialog;
  Headless::OnNextModal([&dialog](TForm& b) {
    dialog = b.Name();
    Headless::Click(b, "Btn_Cancel");
  });
  ASSERT_TRUE(Headless::Click(f, "Btn_CreateBin"));
  EXPECT_EQ(dialog, "FBoot");
  EXPECT_EQ(Messages.Count(), 0u);

  const std::string bank2 = Dir.Read("PROJECTS/Plant1/bin/bank2.bin");
  auto bytes = [&bank2](std::size_t at, std::size_t n) {
    std::vector<int> out;
    for (std::size_t i = at; i < at + n && i < bank2.size(); ++i)
      out.push_back(static_cast<unsigned char>(bank2[i]));
    return out;
  };
  EXPECT_EQ(bytes(80, 2), (std::vector<int>{0x01, 0x00}));
  EXPECT_EQ(bytes(82, 2), (std::vector<int>{0x01, 0x00}));
  EXPECT_EQ(bytes(1024, 12),
            (std::vector<int>{0x0A, 0x00, 0x04, 0x00, 0x05, 0x02, 0x00, 0x00, 0x3C, 0x00, 0x00, 0x00}));
  EXPECT_EQ(bytes(4096, 12),
            (std::vector<int>{0x14, 0x00, 0x08, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}));
}

} // namespace
