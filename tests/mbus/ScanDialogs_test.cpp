// The three small dialogs of the scan window driven headless: the key, the start register and the
// per-node start addresses.
#include "MBusWindowTest.h"
#include "grid/ProCGrid.h"
#include "mbus/UInsertKeyWireless.h"
#include "mbus/UModbusStartAdd_SD.h"
#include "mbus/UScanModbusStart.h"

namespace {

class ScanDialogs : public TMBusWindowTest {
protected:
  // Shows the dialog modally, runs `inside` in it and answers its message boxes with OK.
  template <class TDialog> int Run(TDialog& dialog, const std::function<void(TDialog&)>& inside) {
    Headless::OnNextModal([&](TForm&) {
      inside(dialog);
      if (dialog.ModalResult() == mrNone) dialog.Btn_Cancel->Click();
    });
    return dialog.ShowModal();
  }
};

TEST_F(ScanDialogs, KeyIsTypedInCapitalsAndMustBeThirtyTwoHexDigits) {
  TOwned<TFInsertKeyWireless> dialog(NewForm<TFInsertKeyWireless>(nullptr));
  EXPECT_EQ(dialog->ClientWidth(), InsertKey_Client_Width);
  EXPECT_EQ(dialog->ClientHeight(), InsertKey_Client_Height);
  EXPECT_EQ(dialog->BorderStyle(), bsNone);
  struct TCase {
    std::string Typed, Shown, Message;
  };
  const std::string key = "00112233445566778899aabbccddeeff";
  const TCase cases[] = {
      {key, "00112233445566778899AABBCCDDEEFF", ""},
      {key.substr(0, 31), "00112233445566778899AABBCCDDEEF", Lang_Text(2304)},
      {key + "0", "00112233445566778899AABBCCDDEEFF", ""}, // the 33rd character is not taken
      {"0011223344556677889GAABBCCDDEEFF", "0011223344556677889GAABBCCDDEEFF", Lang_Text(2303)},
      {"", "", Lang_Text(2304)},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Typed);
    TMessageResponder answers;
    if (!c.Message.empty()) answers.Answer(mrOk);
    const int result = Run<TFInsertKeyWireless>(*dialog, [&](TFInsertKeyWireless& d) {
      d.E_Key->SetText("");
      Headless::TypeText(*d.E_Key, c.Typed);
      EXPECT_EQ(d.E_Key->Text(), c.Shown);
      d.Btn_OK->Click();
    });
    EXPECT_EQ(result, c.Message.empty() ? mrOk : mrCancel);
    if (!c.Message.empty()) {
      EXPECT_EQ(answers.Texts(), std::vector<std::string>{c.Message});
    }
  }
  // The entry stays for the next use.
  Run<TFInsertKeyWireless>(*dialog, [](TFInsertKeyWireless& d) { EXPECT_EQ(d.E_Key->Text(), ""); });
}

TEST_F(ScanDialogs, StartRegisterFromOneTo65535) {
  TOwned<TFScanModbusStart> dialog(NewForm<TFScanModbusStart>(nullptr));
  EXPECT_EQ(dialog->Caption(), "Start Modbus Register");
  EXPECT_EQ(dialog->ClientWidth(), 331);
  EXPECT_EQ(dialog->ClientHeight(), 162);
  EXPECT_EQ(dialog->E_StartModAdd->Text(), "");
  struct TCase {
    std::string Typed;
    int Accepted; // 0: refused with 2206
  };
  const TCase cases[] = {{"0", 0}, {"65536", 0}, {"65535", 65535}, {"$10", 16}, {"0x20", 32},
                         {"", 0},  {"12a", 0},   {"-1", 0},        {"1", 1}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Typed);
    TMessageResponder answers;
    if (!c.Accepted) answers.Answer(mrOk);
    dialog->StartModAdd = -7;
    const int result = Run<TFScanModbusStart>(*dialog, [&](TFScanModbusStart& d) {
      Headless::SetText(d, "E_StartModAdd", c.Typed);
      d.Btn_OK->Click();
    });
    EXPECT_EQ(result, c.Accepted ? mrOk : mrCancel);
    EXPECT_EQ(dialog->StartModAdd, c.Accepted ? c.Accepted : -7);
    if (!c.Accepted) {
      EXPECT_EQ(answers.Texts(), std::vector<std::string>{Lang_Text(2206)});
    }
  }
  Run<TFScanModbusStart>(*dialog, [](TFScanModbusStart& d) { EXPECT_EQ(d.E_StartModAdd->Text(), "1"); });
}

TEST_F(ScanDialogs, PerNodeStartAddressesNameTheFirstFailingRow) {
  TOwned<TFModbusStartAdd_SD> dialog(NewForm<TFModbusStartAdd_SD>(nullptr));
  EXPECT_EQ(dialog->L_SW_Code->Caption(), SW_Code);
  EXPECT_EQ(dialog->sga->Cells(0, 0), "M-Bus ID");
  EXPECT_EQ(dialog->sga->Cells(1, 0), "Modbus Start Address");
  EXPECT_EQ(dialog->sga->RowCount(), 31);
  EXPECT_FALSE(dialog->CB_En_NodeState->Checked());
  dialog->Fill({"5 - 12345678", "200 - 03543109", "7 - 00000007"});
  EXPECT_EQ(dialog->sga->RowCount(), 4);
  EXPECT_EQ(dialog->Start_Cells(), (std::vector<std::string>{"1", "1", "1"}));
  struct TCase {
    std::vector<std::string> Cells;
    std::string Message;
  };
  const TCase cases[] = {
      {{"1", "59999", "100"}, ""},
      {{"1", "60000", "100"}, "Error row 2!! Modbus Start Address must be between 1 and 59999"},
      {{"", "60000", "0"}, "Error row 1!! Modbus Start Address cannot be empty"},
      {{"1", "2", "0"}, "Error row 3!! Modbus Start Address must be between 1 and 59999"},
      {{"$10", "x", "1"}, "Error row 2!! Modbus Start Address must be between 1 and 59999"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Message);
    TMessageResponder answers;
    if (!c.Message.empty()) answers.Answer(mrOk);
    const int result = Run<TFModbusStartAdd_SD>(*dialog, [&](TFModbusStartAdd_SD& d) {
      for (std::size_t i = 0; i < c.Cells.size(); ++i)
        d.sga->SetCells(1, static_cast<int>(i) + 1, c.Cells[i]);
      Headless::Tick(d, "CB_En_IndNum", true);
      d.Btn_OK->Click();
    });
    EXPECT_EQ(result, c.Message.empty() ? mrOk : mrCancel);
    if (!c.Message.empty()) {
      EXPECT_EQ(answers.Texts(), std::vector<std::string>{c.Message});
    }
  }
  EXPECT_TRUE(dialog->CB_En_IndNum->Checked()) << "the ticks stay for the next use";
}

TEST_F(ScanDialogs, PicturesAtSamplePoints) {
  TOwned<TFInsertKeyWireless> key(NewForm<TFInsertKeyWireless>(nullptr));
  TOwned<TFScanModbusStart> start(NewForm<TFScanModbusStart>(nullptr));
  TOwned<TFModbusStartAdd_SD> perNode(NewForm<TFModbusStartAdd_SD>(nullptr));
  perNode->Fill({"5 - 12345678", "200 - 03543109"});

  const TBitmap k = RenderPicture(*key);
  EXPECT_EQ(k.Width(), InsertKey_Client_Width);
  EXPECT_EQ(k.Height(), InsertKey_Client_Height);
  EXPECT_EQ(k.Pixel(0, 20), clGray) << "the frame";
  EXPECT_EQ(k.Pixel(480, 20), clGray);
  EXPECT_EQ(k.Pixel(200, 1), ColorToRGB(clBtnFace));

  const TBitmap s = RenderPicture(*start);
  EXPECT_EQ(s.Width(), 331);
  EXPECT_EQ(s.Pixel(320, 5), RGB(248, 247, 237)) << "the title panel";
  EXPECT_EQ(s.Pixel(5, 150), RGB(248, 247, 237)) << "the button panel";
  const TPoint box = In_Form(*start->E_StartModAdd, *start, {60, 10});
  EXPECT_EQ(s.Pixel(box.X, box.Y), clWhite) << "the empty entry box";

  const TBitmap p = RenderPicture(*perNode);
  EXPECT_EQ(p.Width(), 511);
  const TRect cell = perNode->sga->CellRect(1, 2); // row 1 holds the current cell
  const TPoint inCell = In_Form(*perNode->sga, *perNode, {cell.Right - 4, cell.Bottom - 4});
  EXPECT_EQ(p.Pixel(inCell.X, inCell.Y), RGB(0xE0, 0xFA, 0xFE)) << "the start column";
  const TRect fixed = perNode->sga->CellRect(0, 2);
  const TPoint inFixed = In_Form(*perNode->sga, *perNode, {fixed.Right - 4, fixed.Bottom - 4});
  EXPECT_NE(p.Pixel(inFixed.X, inFixed.Y), RGB(0xE0, 0xFA, 0xFE)) << "the node column is fixed";
}

} // namespace
