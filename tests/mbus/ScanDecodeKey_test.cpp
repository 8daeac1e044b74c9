// The key dialog opened by a double click on an encrypted device's row of the wireless grid: it
// stays inside the window's client area, and its key reaches the list only through the engine.
#include "ScanDecodeFixture.h"
#include "grid/ProGrid.h"

namespace {

class ScanDecodeKey : public TScanDecodeTest {};

TEST_F(ScanDecodeKey, TheDialogStaysInsideTheClientArea) {
  Open(1);
  const TPoint origin = Form->ClientOrigin();
  struct TCase {
    TPoint Client; // where the mouse is, in the window's client area
    TPoint Placed;
  };
  const int w = FInsertKeyWireless->Width(), h = FInsertKeyWireless->Height();
  const int cw = Form->ClientWidth(), ch = Form->ClientHeight();
  const TCase cases[] = {
      {{10, 10}, {10, 10}},
      {{cw - 5, 100}, {cw - w, 100}},
      {{100, ch - 5}, {100, ch - h}},
      {{cw - 1, ch - 1}, {cw - w, ch - h}},
  };
  for (const TCase& c : cases) {
    const TPoint placed = Form->Key_Dialog_Place({origin.X + c.Client.X, origin.Y + c.Client.Y});
    EXPECT_EQ(placed.X - origin.X, c.Placed.X);
    EXPECT_EQ(placed.Y - origin.Y, c.Placed.Y);
  }
}

TEST_F(ScanDecodeKey, ADoubleClickOnAnEncryptedRowNearTheEdge) {
  Open(1);
  Form->CB_ScanMethod->SetItemIndex(1);
  Form->Move_Object_Type_Form();
  Form->Form_Style(5);
  TSlave_wMBus plain, encrypted;
  encrypted.Cripted = true;
  List_Slave_wMBus().Locked([&](std::vector<TSlave_wMBus>& s) { s = {plain, encrypted}; });
  Form->Show_Wireless_Slave(0, plain);
  Form->Show_Wireless_Slave(1, encrypted);

  TProStringGrid* grid = Form->ASG_Wireless;
  auto double_click = [&](int row) {
    const TRect r = grid->CellRect(1, row);
    Headless::DoubleClick(*grid, {grid->ClientWidth() - 3, r.Top + 3});
  };
  double_click(1); // plain: no dialog
  int opened = 0;
  TPoint at;
  Headless::OnNextModal([&](TForm& dialog) {
    ++opened;
    at = {dialog.Left(), dialog.Top()};
    FInsertKeyWireless->Btn_Cancel->Click();
  });
  double_click(2);
  EXPECT_EQ(opened, 1);
  const TPoint origin = Form->ClientOrigin();
  EXPECT_LE(at.X - origin.X + FInsertKeyWireless->Width(), Form->ClientWidth());
  EXPECT_LE(at.Y - origin.Y + FInsertKeyWireless->Height(), Form->ClientHeight());
  EXPECT_FALSE(List_Slave_wMBus().SnapshotAt(1)->Enable_Key) << "Cancel gives no key";
}

} // namespace
