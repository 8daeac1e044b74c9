// The wireless grid of the Scan & Decode window (one row per device heard), the key entry from
// it, and the saving of a scan, which fills the per-node dialog's grid.
#include "mbus/UInsertKeyWireless.h"
#include "mbus/UScanDecode.h"

#include "grid/ProGrid.h"
#include "mbus/MBusLook.h"
#include "platform/DateText.h"

#include <cstdio>
#include <cstdlib>

using namespace MBusLook;

namespace {

constexpr TColor Row_Encrypted = RGB(0xFF, 0xBB, 0xB9);
constexpr TColor Row_Plain = RGB(0xA8, 0xFF, 0xA8);

std::string Hex(std::uint64_t value, int digits) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "%0*llX", digits, static_cast<unsigned long long>(value));
  return buf;
}

} // namespace

void TFScanDecode::Create_Wireless_Grid() {
  ASG_Wireless = Make<TProStringGrid>(this, P_W_Table, "ASG_Wireless");
  ASG_Wireless->SetAlign(alClient);
  ASG_Wireless->SetColCount(13);
  ASG_Wireless->SetRowCount(2);
  ASG_Wireless->SetFixedCols(1);
  ASG_Wireless->SetFixedRows(1);
  ASG_Wireless->SetOptions((ASG_Wireless->Options() | goRowSelect | goColSizing) & ~goEditing);
  ASG_Wireless->Font().SetName("Tahoma");
  ASG_Wireless->Font().SetHeight(-11);
  ASG_Wireless->FixedFont().SetName("Tahoma");
  ASG_Wireless->FixedFont().SetHeight(-11);
  ASG_Wireless->FixedFont().SetStyle(fsBold);
  ASG_Wireless->SetRowHeights(0, 22);
  ASG_Wireless->SetGridImages(&IL_Wireless_Table);
  const char* headers[] = {"N",
                           "Date Time",
                           "Message Type",
                           "Manufacturer (LLA)",
                           "Address (LLA)",
                           "Version (LLA)",
                           "Device Type (LLA)",
                           "Manufacturer (ALA)",
                           "Address (ALA)",
                           "Version (ALA)",
                           "Device Type (ALA)",
                           "RSSI",
                           "Cripted"};
  for (int c = 0; c < 13; ++c)
    ASG_Wireless->SetCells(c, 0, headers[c]);
  ASG_Wireless->OnClickCell = [this](TObject* s, int r, int c) { ASG_WirelessClickCell(s, r, c); };
  ASG_Wireless->OnDblClickCell = [this](TObject* s, int r, int c) { ASG_WirelessDblClickCell(s, r, c); };
  ASG_Wireless->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int x, int y) {
    FLast_Mouse = ASG_Wireless->ClientToScreen({x, y});
  };
}

void TFScanDecode::Colomns_Width_Init() {
  const int widths[] = {40, 65, 90, 120, 90, 85, 110, 120, 90, 85, 110, 50, 70};
  for (int c = 0; c < 13; ++c)
    ASG_Wireless->SetColWidths(c, widths[c]);
}

void TFScanDecode::Show_Wireless_Slave(int index, const std::optional<TSlave_wMBus>& slave) {
  if (index < 0 || !slave) return;
  if (ASG_Wireless->RowCount() < index + 2) ASG_Wireless->SetRowCount(index + 2);
  const int r = index + 1;
  const TSlave_wMBus& s = *slave;
  auto version = [](std::uint8_t v) { return std::to_string(v) + " (" + Hex(v, 2) + ")"; };
  const std::string cells[13] = {std::to_string(index + 1),
                                 DateToStr(s.DateTime) + " " + TimeToStr(s.DateTime),
                                 "0x" + Hex(s.Message_Type, 2),
                                 s.LLA_Manu_str + "(" + Hex(s.LLA_Manufacturer, 4) + ")",
                                 Hex(static_cast<std::uint32_t>(s.LLA_Address), 8),
                                 version(s.LLA_Version),
                                 version(s.LLA_DeviceType),
                                 s.ALA_Manu_str + "(" + Hex(s.ALA_Manufacturer, 4) + ")",
                                 Hex(static_cast<std::uint32_t>(s.ALA_Address), 8),
                                 version(s.ALA_Version),
                                 version(s.ALA_DeviceType),
                                 std::to_string(s.RSSI),
                                 ""};
  for (int c = 0; c < 13; ++c)
    ASG_Wireless->SetCells(c, r, cells[c]);
  ASG_Wireless->RemoveImageIdx(12, r);
  ASG_Wireless->AddImageIdx(12, r, s.Cripted ? 0 : 1, haCenter, vaCenter);
  for (int c = 1; c < 13; ++c)
    ASG_Wireless->CellProperties(c, r)->SetBrushColor(s.Cripted ? Row_Encrypted : Row_Plain);
  ASG_Wireless->Invalidate();
}

void TFScanDecode::Cancel_Grid_Wireless() {
  for (int r = 1; r < ASG_Wireless->RowCount(); ++r)
    ASG_Wireless->RemoveImageIdx(12, r);
  ASG_Wireless->SetRowCount(2);
  for (int c = 0; c < 13; ++c)
    ASG_Wireless->SetCells(c, 1, "");
  for (int c = 1; c < 13; ++c)
    ASG_Wireless->CellProperties(c, 1)->SetBrushColor(clWhite);
}

void TFScanDecode::ASG_WirelessClickCell(TObject*, int ARow, int) {
  if (ARow < 1 || ARow > List_Slave_wMBus().Count()) return;
  Show_Slave_in_Tree_Wireless(ARow - 1);
}

int TFScanDecode::Wireless_Row_Count() const {
  return ASG_Wireless->RowCount();
}

TWirelessCell TFScanDecode::Wireless_Cell(int ACol, int ARow) const {
  TWirelessCell cell;
  cell.Text = ASG_Wireless->Cells(ACol, ARow);
  if (const TCellProperties* p = ASG_Wireless->FindCellProperties(ACol, ARow)) cell.Color = p->BrushColor();
  if (const TCellGraphic* g = ASG_Wireless->GetCellGraphic(ACol, ARow); g && g->CellType() == ctImageList)
    cell.Image = g->CellIndex();
  return cell;
}

TPoint TFScanDecode::Key_Dialog_Place(TPoint screen) const {
  const TPoint client = ScreenToClient(screen);
  const int w = FInsertKeyWireless ? FInsertKeyWireless->Width() : InsertKey_Client_Width;
  const int h = FInsertKeyWireless ? FInsertKeyWireless->Height() : InsertKey_Client_Height;
  const int dx = client.X + w > ClientWidth() ? client.X + w - ClientWidth() : 0;
  const int dy = client.Y + h > ClientHeight() ? client.Y + h - ClientHeight() : 0;
  return {screen.X - dx, screen.Y - dy};
}

void TFScanDecode::ASG_WirelessDblClickCell(TObject*, int ARow, int) {
  if (ARow < 1 || ARow > List_Slave_wMBus().Count() || !FInsertKeyWireless) return;
  const std::optional<TSlave_wMBus> slave = List_Slave_wMBus().SnapshotAt(ARow - 1);
  if (!slave || !slave->Cripted) return;
  const TPoint at = Key_Dialog_Place(FLast_Mouse);
  FInsertKeyWireless->SetLeft(at.X);
  FInsertKeyWireless->SetTop(at.Y);
  if (FInsertKeyWireless->ShowModal() != mrOk) return;
  const std::string text = FInsertKeyWireless->E_Key->Text();
  Aes128Key key{};
  for (std::size_t j = 0; j < key.size(); ++j) {
    int value = 0;
    if (2 * j + 2 <= text.size()) {
      const std::string pair = text.substr(2 * j, 2);
      char* end = nullptr;
      const long v = std::strtol(pair.c_str(), &end, 16);
      value = end == pair.c_str() + 2 ? static_cast<int>(v) : 0;
    }
    key[j] = static_cast<std::uint8_t>(value);
  }
  TR_ScanDecode->Insert_Wireless_Key(ARow - 1, key);
}
