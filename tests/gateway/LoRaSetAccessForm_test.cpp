// The LoRaWAN rule editor driven headless: load, check, save, row buttons, hints and messages.
#include "app/ProgramWindowFixture.h"
#include "app/UComon.h"
#include "app/ULanguage.h"
#include "gateway/LoRaWANSetAccess.h"
#include "gateway/ULoRa_Set_Access.h"
#include "platform/ui/Headless.h"
#include "support/ControlPicture.h"
#include "support/MessageResponder.h"
#include "support/PixelTools.h"

#include <functional>
#include <string>
#include <vector>

namespace {

std::string ParGen(int payload, bool variable) {
  return "<Par_Gen><LoRa_Payload_Size>" + std::to_string(payload) + "</LoRa_Payload_Size><LoRa_FPort>" +
         (variable ? "VARIABLE" : "FIXED") + "</LoRa_FPort></Par_Gen>";
}

class LoRaSetAccessFormTest : public TProgramWindowTest {
protected:
  void SetUp() override {
    TProgramWindowTest::SetUp();
    Form.reset(NewForm<TFLoRa_Set_Access>(nullptr));
  }
  void TearDown() override {
    if (Form && Form->Visible()) Form->Hide();
    Form.reset();
    TProgramWindowTest::TearDown();
  }
  void Pars(int payload, bool variable = false) { Dir.Write("ParGen.xml", ParGen(payload, variable)); }
  // Shows the window (its load runs); the caller answers the messages of the show.
  void Show() {
    if (Form->Visible()) Form->Hide();
    Form->Show();
  }
  TProColumnGrid* Up() const { return Form->ACG_LoRa_Uplink; }
  TProColumnGrid* Down() const { return Form->ACG_LoRa_Downlink; }
  void Uplink(int row, const std::vector<std::string>& cells) {
    for (std::size_t c = 0; c < cells.size(); ++c)
      Up()->SetCells(static_cast<int>(c) + 1, row, cells[c]);
  }
  TLoRaWANSetAccess Saved() {
    TLoRaWANLoad load = Load_LoRaWAN_SetAccess(FileName_LoRaWAN_SetAccess);
    EXPECT_EQ(load.State, TXmlFileState::Loaded) << load.Error;
    return load.Rules;
  }

  TOwned<TFLoRa_Set_Access> Form;
};

struct TCheckCase {
  const char* Name;
  int Payload;
  bool Variable;
  std::vector<std::vector<std::string>> Rows; // uplink rows 1 ..: Enable .. Mnemonic
  std::string Error;                          // "" when OK saves
  std::size_t SavedRules = 0;
};

TEST_F(LoRaSetAccessFormTest, CheckAndSaveOfTheUplinkTable) {
  using R = std::vector<std::string>;
  const TCheckCase cases[] = {
      {"rows after a blank start byte are neither checked nor written",
       60,
       false,
       {R{"Y", "1", "2"}, R{"Y", " ", "9"}, R{"Y", "x", "y"}},
       "",
       1},
      {"a disabled rule is written as typed", 60, false, {R{"N", "12a", "999", "Q", "", "Y", "1"}}, "", 1},
      {"On Timer N with Time 5", 60, false, {R{"Y", "0", "1", "N", "N", "N", "5"}}, "", 1},
      {"On Timer Y with Time 29",
       60,
       false,
       {R{"Y", "0", "1", "N", "N", "Y", "29"}},
       "Error row 1!! [LoraWAN Uplink] Time (s) must be between 30 and 86400"},
      {"On Timer Y with Time 86401",
       60,
       false,
       {R{"Y", "0", "1", "N", "N", "Y", "86401"}},
       "Error row 1!! [LoraWAN Uplink] Time (s) must be between 30 and 86400"},
      {"Time 30", 60, false, {R{"Y", "0", "1", "N", "N", "Y", "30"}}, "", 1},
      {"Time 86400", 60, false, {R{"Y", "0", "1", "N", "N", "Y", "86400"}}, "", 1},
      {"payload 51, Num. Byte 49", 51, false, {R{"Y", "0", "49"}}, "", 1},
      {"payload 51, Num. Byte 50",
       51,
       false,
       {R{"Y", "0", "50"}},
       "Error row 1!! [LoraWAN Uplink] Number Byte must be between 0 and 49"},
      {"FPort 0 in variable mode",
       60,
       true,
       {R{"Y", "0", "1", "N", "N", "N", "", "0"}},
       "Error row 1!! [LoraWAN Uplink] FPort must be between 1 and 223"},
      {"FPort 224 in variable mode",
       60,
       true,
       {R{"Y", "0", "1", "N", "N", "N", "", "224"}},
       "Error row 1!! [LoraWAN Uplink] FPort must be between 1 and 223"},
      {"FPort 1 in variable mode", 60, true, {R{"Y", "0", "1", "N", "N", "N", "", "1"}}, "", 1},
      {"FPort 223 in variable mode", 60, true, {R{"Y", "0", "1", "N", "N", "N", "", "223"}}, "", 1},
      {"FPort 0 in fixed mode is not checked", 60, false, {R{"Y", "0", "1", "N", "N", "N", "", "0"}}, "", 1},
      {"a start byte of 12a",
       60,
       false,
       {R{"Y", "0", "1"}, R{"Y", "12a", "1"}},
       "Error row 2!! [LoraWAN Uplink] Start Byte must be between 0 and 1536"},
  };
  for (const TCheckCase& t : cases) {
    SCOPED_TRACE(t.Name);
    Dir.Write("LoRaWAN_SetAccess.xml",
              "<LoRaWAN_Set_Access><LoRaWAN_Uplink/><LoRaWAN_Downlink/></LoRaWAN_Set_Access>");
    Pars(t.Payload, t.Variable);
    Show();
    for (std::size_t r = 0; r < t.Rows.size(); ++r)
      Uplink(static_cast<int>(r) + 1, t.Rows[r]);
    TMessageResponder messages;
    if (!t.Error.empty()) messages.Answer(mrOk);
    Form->Btn_OK->Click();
    if (t.Error.empty()) {
      EXPECT_EQ(Form->ModalResult(), mrOk);
      const TLoRaWANSetAccess saved = Saved();
      ASSERT_EQ(saved.Uplink.size(), t.SavedRules);
      const R& typed = t.Rows[0];
      EXPECT_EQ(saved.Uplink[0].StartByte, typed[1]);
      EXPECT_EQ(saved.Uplink[0].NumByte, typed[2]);
    } else {
      EXPECT_EQ(messages.Texts(), std::vector<std::string>{t.Error});
      EXPECT_EQ(Saved().Uplink.size(), 0u) << "the file is not touched";
    }
    Form->SetModalResult(mrNone);
  }
}

TEST_F(LoRaSetAccessFormTest, FixedModeKeepsLoadedPortsAndNumbersTheRulesFromZero) {
  Pars(60);
  Dir.Write("LoRaWAN_SetAccess.xml",
            "<LoRaWAN_Set_Access><LoRaWAN_Uplink><row StartByte='3' NumByte='4' FPort='77' Mnemonic='m'/>"
            "</LoRaWAN_Uplink><LoRaWAN_Downlink><row Enable='N' StartByte='5' NumByte='6' FPort='0'/>"
            "</LoRaWAN_Downlink></LoRaWAN_Set_Access>");
  Show();
  EXPECT_EQ(Up()->RowCount(), 257);
  EXPECT_TRUE(Up()->IsHiddenColumn(LoRa_Up_Col_FPort));
  EXPECT_TRUE(Down()->IsHiddenColumn(LoRa_Down_Col_FPort));
  EXPECT_EQ(Up()->Cells(0, 1), "0");
  EXPECT_EQ(Up()->Cells(0, 256), "255");
  EXPECT_EQ(Up()->Cells(LoRa_Col_Enable, 1), "Y") << "a missing Enable reads as Y";
  EXPECT_EQ(Up()->Cells(4, 1), "N");
  Form->Btn_OK->Click();
  const TLoRaWANSetAccess saved = Saved();
  ASSERT_EQ(saved.Uplink.size(), 1u);
  EXPECT_EQ(saved.Uplink[0].FPort, "77");
  ASSERT_EQ(saved.Downlink.size(), 1u);
  EXPECT_EQ(saved.Downlink[0].FPort, "0");
  EXPECT_EQ(saved.Downlink[0].Enable, "N");
}

TEST_F(LoRaSetAccessFormTest, MoreRulesThanTheTableWarnOnceAndNoStaleRowsComeBack) {
  std::string xml = "<LoRaWAN_Set_Access><LoRaWAN_Uplink>";
  for (int i = 0; i < 256; ++i)
    xml += "<row StartByte='" + std::to_string(i) + "' NumByte='1' FPort='5' Mnemonic='r" +
           std::to_string(i) + "'/>";
  xml += "</LoRaWAN_Uplink><LoRaWAN_Downlink/></LoRaWAN_Set_Access>";
  Dir.Write("LoRaWAN_SetAccess.xml", xml);
  Pars(60, true);
  {
    TMessageResponder messages({mrOk});
    Show();
    EXPECT_EQ(
        messages.Texts(),
        std::vector<std::string>{"Warning!! The LoRaWAN Access List holds more rules than the table can show "
                                 "(223). The others are not saved"});
  }
  EXPECT_EQ(Up()->RowCount(), 224);
  EXPECT_EQ(Up()->Cells(9, 223), "r222");
  Up()->SetCells(LoRa_Col_StartByte, 230, "hidden"); // a write past the rows is not kept
  Form->Btn_OK->Click();
  EXPECT_EQ(Saved().Uplink.size(), 223u);

  Pars(60, false);
  Show();
  EXPECT_EQ(Up()->RowCount(), 257);
  EXPECT_EQ(Up()->Cells(9, 223), "r222");
  for (int r = 224; r < 257; ++r) {
    EXPECT_EQ(Up()->Cells(LoRa_Col_StartByte, r), "") << r;
    EXPECT_EQ(Up()->Cells(9, r), "") << r;
    EXPECT_EQ(Up()->Cells(LoRa_Col_Enable, r), "Y") << r;
  }
}

TEST_F(LoRaSetAccessFormTest, RowButtonsHintsAndSelection) {
  Pars(60);
  Show();
  Uplink(1, {"Y", "1", "2"});
  Up()->FocusCell(2, 1);
  Form->Btn_CopyRow->Click();
  EXPECT_TRUE(Form->Do_Copy_Uplink);
  Form->PC_LoRa->SetActivePage(Form->TS_LoRa_Downlink);
  {
    TMessageResponder messages({mrOk});
    Form->Btn_PasteRow->Click();
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Error!!! Copy a valid row before Paste it"});
  }
  EXPECT_EQ(Down()->Cells(LoRa_Col_StartByte, 1), "");

  Down()->FocusCell(1, 3);
  {
    TMessageResponder messages({mrNo});
    Form->Btn_DelRow->Click();
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Are you sure to delete the Row number 3"});
  }
  for (int r = 1; r < Down()->RowCount(); ++r)
    Down()->SetCells(LoRa_Col_StartByte, r, std::to_string(r));
  {
    TMessageResponder messages({mrOk});
    Form->Btn_InsRow->Click();
    EXPECT_EQ(messages.Texts(),
              std::vector<std::string>{"Error!!! The table is full. Delete a row before Insert a new one"});
  }
  EXPECT_EQ(Down()->Cells(LoRa_Col_StartByte, 3), "3");

  // Fixed mode: the Mnemonic column shows where FPort would be, its hint stays the Mnemonic's.
  std::string hint;
  Form->GridHint(Down(), 0, 4, hint);
  EXPECT_EQ(hint, "Insert a description of the LoRaWAN Downlink Rule");
  Form->GridHint(Up(), 0, 8, hint);
  EXPECT_EQ(hint, "") << "the uplink grid is not on the active page";
  Form->PC_LoRa->SetActivePage(Form->TS_LoRa_Uplink);
  Form->GridHint(Up(), 0, 8, hint);
  EXPECT_EQ(hint, "Insert a description of the LoRaWAN Uplink Rule");
  Form->GridHint(Up(), 1, 8, hint);
  EXPECT_EQ(hint, "");

  const TRect number = Up()->CellRect(0, 5);
  const TPoint at{(number.Left + number.Right) / 2, (number.Top + number.Bottom) / 2};
  Headless::MouseDown(*Up(), at);
  Headless::MouseUp(*Up(), at);
  EXPECT_EQ(Up()->Selection().Top, 5);
  EXPECT_EQ(Up()->Selection().Bottom, 5);
  EXPECT_EQ(Up()->Selection().Left, 1);
  EXPECT_EQ(Up()->Selection().Right, Up()->ColCount() - 1);
}

TEST_F(LoRaSetAccessFormTest, EveryShowStartsOnTheUplinkGrid) {
  Pars(60);
  Show();
  EXPECT_EQ(Form->ActiveControl(), Up());
  Form->PC_LoRa->SetActivePage(Form->TS_LoRa_Downlink);
  Form->SetActiveControl(Form->Btn_DelRow);
  Show();
  EXPECT_EQ(Form->PC_LoRa->ActivePage(), Form->TS_LoRa_Uplink);
  EXPECT_EQ(Form->ActiveControl(), Up()) << "typed text goes into the rules";
}

TEST_F(LoRaSetAccessFormTest, FilesThatAreMissingOrUnreadable) {
  {
    TMessageResponder messages({mrOk});
    Show();
    EXPECT_EQ(messages.Texts(),
              std::vector<std::string>{
                  "Warning!! Max Payload Size not Set Up. Set it in \"Set Communication\" section"});
  }
  EXPECT_TRUE(Form->Visible()) << "the window opens all the same";

  Dir.Write("ParGen.xml", "<Par_Gen>");
  Dir.Write("LoRaWAN_SetAccess.xml", "<LoRaWAN_Set_Access><LoRaWAN_Uplink><row");
  Up()->SetCells(LoRa_Col_StartByte, 1, "stale");
  {
    TMessageResponder messages({mrOk, mrOk, mrOk});
    Show();
    ASSERT_EQ(messages.Count(), 3u);
    EXPECT_TRUE(messages.Texts()[0].starts_with("Error!! The Communication Setting cannot be read"));
    EXPECT_TRUE(messages.Texts()[1].starts_with("Warning!! Max Payload Size not Set Up"));
    EXPECT_TRUE(messages.Texts()[2].starts_with("Error!! The LoRaWAN Access List cannot be read"));
  }
  EXPECT_EQ(Up()->Cells(LoRa_Col_StartByte, 1), "");
  EXPECT_EQ(Up()->RowCount(), 257) << "goes on as without ParGen.xml";
}

TEST_F(LoRaSetAccessFormTest, RendersInFixedModeWithoutThePortColumnAndWithItsBoxes) {
  Pars(60);
  Show();
  Uplink(1, {"Y", "0", "4", "Y", "N", "Y", "60", "9", "m"});
  const TBitmap picture = RenderPicture(*Form);
  EXPECT_EQ(picture.Width(), LoRa_Set_Access_Client_Width);
  EXPECT_EQ(picture.Pixel(890, 5), RGB(248, 247, 237)) << "the title panel";

  EXPECT_EQ(Up()->ColCount(), 9) << "no FPort column";
  const TRect mnemonic = Up()->CellRect(8, 0);
  EXPECT_EQ(mnemonic.Right - mnemonic.Left, 280) << "the Mnemonic column takes the FPort's place";
  const TPoint origin = Up()->ClientOrigin(), form = Form->ClientOrigin();
  // Dark ink inside the box at the left of a cell: the tick of a checked box, none in an unchecked one.
  auto ink = [&](int col, int row) {
    TRect r = Up()->CellRect(col, row);
    const int cx = r.Left + 10 + origin.X - form.X, cy = (r.Top + r.Bottom) / 2 + origin.Y - form.Y;
    int dark = 0;
    for (int y = cy - 3; y <= cy + 3; ++y)
      for (int x = cx - 3; x <= cx + 3; ++x) {
        const TColor c = picture.Pixel(x, y);
        if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 128) ++dark;
      }
    return dark;
  };
  EXPECT_GT(ink(4, 1), 0) << "On Change checked";
  EXPECT_GT(ink(6, 1), 0) << "On Timer checked";
  EXPECT_EQ(ink(5, 1), 0) << "On CMD unchecked";
  EXPECT_EQ(ink(4, 2), 0) << "a cleared row's box";
  EXPECT_GT(ink(1, 2), 0) << "a cleared row is enabled";
}

TEST_F(LoRaSetAccessFormTest, CancelLeavesBothFiles) {
  const std::string rules = "<LoRaWAN_Set_Access><LoRaWAN_Uplink><row StartByte='1'/></LoRaWAN_Uplink>"
                            "<LoRaWAN_Downlink/></LoRaWAN_Set_Access>";
  Dir.Write("LoRaWAN_SetAccess.xml", rules);
  Pars(60);
  Headless::OnNextModal([this](TForm&) {
    Uplink(1, {"Y", "999"});
    Form->Btn_Cancel->Click();
  });
  EXPECT_EQ(Form->ShowModal(), mrCancel);
  EXPECT_EQ(Dir.Read("LoRaWAN_SetAccess.xml"), rules);
  EXPECT_EQ(Dir.Read("ParGen.xml"), ParGen(60, false));
}

} // namespace
