// The result views of the Scan & Decode window but its wireless grid: the device list of a wired
// scan, the wired tree and the tree of the wireless device picked in the grid.
#include "mbus/UScanDecode.h"

#include "app/ULanguage.h"
#include "mbus/MBusLook.h"
#include "tree/StringTree.h"

#include <cstdio>

using namespace MBusLook;

namespace {

constexpr int Details_Per_Record = 12;
const std::string Not_Found = "[NOT FOUND]";

std::string Hex(std::uint64_t value, int digits) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "%0*llX", digits, static_cast<unsigned long long>(value));
  return buf;
}

std::string Record_Caption(const TVariable_MBus& v) {
  return "Value = " + v.ValueStr + " - " + "Type = " + v.Desc_Type_Data + " (U" + std::to_string(v.device) +
         "S" + std::to_string(v.storage_number) + "T" + std::to_string(v.tarif) + ")";
}

std::string Detail_Caption(const TVariable_MBus& v, unsigned k) {
  switch (k) {
  case 0:
    return "Storage Number = " + std::to_string(v.storage_number);
  case 1:
    return "Tariff = " + std::to_string(v.tarif);
  case 2:
    return "Unit = " + std::to_string(v.device);
  case 3:
    return "Data Field = " + v.DataFieldStr;
  case 4:
    return "Function Field = " + v.FunctionFieldStr;
  case 5:
    return "Type = " + v.Desc_Type_Data;
  case 6:
    return "Value = " + v.ValueStr;
  case 7:
    return "DIF = " + v.DIF;
  case 8:
    return "VIF = $" + Hex(v.VIF, 2);
  case 9:
    return "DIFE = " + v.DIFE;
  case 10:
    return "VIFE = " + v.VIFE;
  default:
    return "DATA = $" + v.totdati;
  }
}

std::string Trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && blank(text.back()))
    text.remove_suffix(1);
  return std::string(text);
}

// A square of one colour with a dark frame.
TBitmap Square(TColor fill) {
  TBitmap b;
  b.SetSize(16, 16);
  b.Canvas().Brush().SetColor(clWhite);
  b.Canvas().FillRect(TRect{0, 0, 16, 16});
  b.Canvas().Brush().SetColor(fill);
  b.Canvas().FillRect(TRect{3, 3, 13, 13});
  return b;
}

// A result tree in the window colour of its own (as Setup_Tree sets it), given before it joins its
// panel: the tree draws its line and button pictures again at every colour it is given.
TNodeStringTree* Make_Tree(TForm* form, TWinControl* parent, const std::string& name) {
  auto* tree = new TNodeStringTree(form);
  tree->SetName(name);
  tree->SetParentColor(false);
  tree->SetColor(clWindow);
  tree->SetParent(parent);
  tree->SetParentShowHint(true);
  return tree;
}

} // namespace

void TFScanDecode::Create_Images() {
  IL_Tree1.SetSize(16, 16);
  IL_Wireless_Table.SetSize(16, 16);
}

void TFScanDecode::Draw_Images() {
  if (IL_Tree1.Count() > 0) return;
  for (TColor c : {RGB(0, 96, 192), RGB(0, 160, 0), RGB(160, 160, 160)})
    IL_Tree1.AddMasked(Square(c), clWhite);
  IL_Wireless_Table.AddMasked(Square(RGB(192, 0, 0)), clWhite); // encrypted
  IL_Wireless_Table.AddMasked(Square(RGB(0, 128, 0)), clWhite); // plain
}

void TFScanDecode::Create_Results() {
  Create_Images();
  P_TreeView = Make_Panel(this, this, "P_TreeView", 300);
  P_TreeView->SetAlign(alClient);
  P_TreeView->SetVisible(false);
  L_ScanProgress = Make_Label(this, P_TreeView, "L_ScanProgress", 16, 8);
  L_ScanProgress->Font().SetStyle(fsBold);
  L_Num_Slave = Make_Label(this, P_TreeView, "L_Num_Slave", 160, 8);
  L_Num_Slave->Font().SetStyle(fsBold);
  L_AvailableDevice = Make_Label(this, P_TreeView, "L_AvailableDevice", 16, 28);
  LB_AvailableDevice = Make<TDrawListBox>(this, P_TreeView, "LB_AvailableDevice");
  LB_AvailableDevice->SetBounds(16, 46, 300, 300);
  LB_AvailableDevice->SetItemHeight(13);
  LB_AvailableDevice->OnDrawItem = [this](TDrawListBox* s, int i, TRect r, TCanvas& c) {
    LB_AvailableDeviceDrawItem(s, i, r, c);
  };
  VST = Make_Tree(this, P_TreeView, "VST");
  VST->SetBounds(16, 28, 880, 330);

  P_View_Wireless = Make_Panel(this, this, "P_View_Wireless", 300);
  P_View_Wireless->SetAlign(alClient);
  P_View_Wireless->SetVisible(false);
  P_W_Title = Make_Panel(this, P_View_Wireless, "P_W_Title", 28);
  P_W_Title->SetAlign(alTop);
  P_W_Table = Make_Panel(this, P_View_Wireless, "P_W_Table", 200);
  P_W_Table->SetAlign(alTop);
  P_W_Table->SetTop(28);
  Splitter1 = Make<TSplitter>(this, P_View_Wireless, "Splitter1");
  Splitter1->SetTop(300);
  P_W_Tree = Make_Panel(this, P_View_Wireless, "P_W_Tree", 100);
  P_W_Tree->SetAlign(alClient);
  Create_Wireless_Grid();
  VST_Wireless = Make_Tree(this, P_W_Tree, "VST_Wireless");
  VST_Wireless->SetAlign(alClient);
}

void TFScanDecode::Setup_Tree(TNodeStringTree* tree) {
  tree->SetNodeDataType<TMyRec>();
  tree->SetParentColor(false);
  tree->SetColor(clWindow);
  TCustomNodeTreeOptions& o = tree->TreeOptions();
  o.SetPaintOptions(
      TVTPaintOptions{toShowButtons, toShowRoot, toShowTreeLines, toThemeAware, toUseBlendedImages});
  o.SetAutoOptions(TVTAutoOptions{toAutoTristateTracking, toAutoDropExpand});
  o.SetSelectionOptions(TVTSelectionOptions{toMultiSelect, toCenterScrollIntoView});
  o.SetMiscOptions(TVTMiscOptions{toCheckSupport, toToggleOnDblClick, toInitOnSave, toFullRepaintOnResize,
                                  toWheelPanning});
  o.SetAnimationOptions(TVTAnimationOptions{toAnimatedToggle});
  tree->SetImages(&IL_Tree1);
  tree->SetCheckImageKind(ckSystemDefault);
  tree->OnGetText = [tree](TBaseNodeTree*, PVNode node, TColumnIndex, TVSTTextType, std::string& text) {
    if (TMyRec* rec = tree->GetNodeData<TMyRec>(node)) text = rec->Caption;
  };
  tree->OnGetImageIndexEx = [tree](TBaseNodeTree*, PVNode node, TVTImageKind kind, TColumnIndex, bool&,
                                   int& index, TImageList*&) {
    if (kind == ikNormal || kind == ikSelected) index = static_cast<int>(tree->GetNodeLevel(node));
  };
  // The caption goes with the node's typed data.
  tree->OnFreeNode = [](TBaseNodeTree*, PVNode) {};
  if (tree == VST) {
    tree->OnInitNode = [this](TBaseNodeTree*, PVNode, PVNode n, TVNodeInitStates&) { VSTInitNode(n); };
  } else {
    tree->OnInitNode = [this](TBaseNodeTree*, PVNode, PVNode n, TVNodeInitStates&) {
      VST_WirelessInitNode(n);
    };
    tree->OnChecking = [](TBaseNodeTree*, PVNode, TCheckState&, bool& allowed) { allowed = true; };
    tree->OnChecked = [this](TBaseNodeTree*, PVNode n) { VST_WirelessChecked(n); };
  }
}

// ---- wired

void TFScanDecode::Show_Scan_Progress(int kind, int id, int found, int scanKind) {
  std::string line;
  if (kind == 1 && scanKind == 2) line = Lang_Text(2127);
  if (kind == 2 && scanKind == 1) line = "ID = " + std::to_string(id) + "\t" + (found == 0 ? Not_Found : "");
  if (kind == 2 && scanKind == 2) line = "ID = " + Hex(static_cast<std::uint32_t>(id), 8);
  if (kind == 3 && scanKind == 2) line = Lang_Text(2128);
  if (line.empty()) return;
  LB_AvailableDevice->Add(line);
  LB_AvailableDevice->SetTopIndex(LB_AvailableDevice->Count() - 1);
}

void TFScanDecode::LB_AvailableDeviceDrawItem(TDrawListBox*, int Index, TRect Rect, TCanvas& Canvas) {
  const std::string& line = LB_AvailableDevice->Items()[static_cast<std::size_t>(Index)];
  Canvas.Brush().SetStyle(bsClear);
  const std::size_t mark = line.find(Not_Found);
  if (mark == std::string::npos) {
    Canvas.Font().SetColor(clBlue);
    Canvas.TextRect(Rect, Rect.Left, Rect.Top, line);
    return;
  }
  Canvas.Font().SetColor(clRed);
  const std::size_t bracket = line.find('[');
  const TRect left{Rect.Left, Rect.Top, Rect.Left + 70, Rect.Bottom};
  Canvas.TextRect(left, left.Left, left.Top, Trimmed(std::string_view(line).substr(0, bracket)));
  const TRect right{Rect.Left + 70, Rect.Top, Rect.Right - 1, Rect.Bottom};
  const std::size_t from = bracket > 0 ? bracket - 1 : 0;
  Canvas.TextRect(right, right.Left, right.Top, Trimmed(std::string_view(line).substr(from)));
}

void TFScanDecode::Show_Slave_in_Tree() {
  FWired_Shown = List_Slave_MBus().Snapshot();
  L_Num_Slave->SetCaption(std::to_string(FWired_Shown.size()));
  VST->BeginUpdate();
  VST->Clear();
  for (TSlave_MBus& slave : FWired_Shown) {
    PVNode node = VST->AddChild(nullptr);
    slave.Node = node;
    for (TVariable_MBus& record : slave.List_Var) {
      PVNode child = VST->AddChild(node);
      record.Node = child;
      for (int k = 0; k < Details_Per_Record; ++k)
        VST->AddChild(child);
    }
  }
  VST->EndUpdate();
  // The save reads the check states through the nodes kept with the slaves.
  List_Slave_MBus().Locked([&](std::vector<TSlave_MBus>& slaves) {
    for (std::size_t i = 0; i < slaves.size() && i < FWired_Shown.size(); ++i) {
      slaves[i].Node = FWired_Shown[i].Node;
      for (std::size_t j = 0; j < slaves[i].List_Var.size() && j < FWired_Shown[i].List_Var.size(); ++j)
        slaves[i].List_Var[j].Node = FWired_Shown[i].List_Var[j].Node;
    }
  });
}

void TFScanDecode::VSTInitNode(PVNode Node) {
  TMyRec* rec = VST->GetNodeData<TMyRec>(Node);
  const unsigned level = VST->GetNodeLevel(Node);
  PVNode top = Node;
  while (top->Parent && VST->GetNodeLevel(top) > 0)
    top = top->Parent;
  if (top->Index >= FWired_Shown.size()) return;
  const TSlave_MBus& slave = FWired_Shown[top->Index];
  if (level == 0) {
    rec->Caption = "Primary Address = " + std::to_string(slave.Primary_Addresss) + " - " +
                   "Secondary Address = " + slave.Secondary_Addresss + " - " +
                   "Manufacturer = " + slave.descManufacture + "(" + std::to_string(slave.Manufacture) +
                   ") - " + "Version = " + std::to_string(slave.Version) + " - " +
                   "Type = " + std::to_string(slave.Medium);
    Node->CheckType = ctCheckBox;
    Node->CheckState = csCheckedNormal;
    return;
  }
  const PVNode recordNode = level == 1 ? Node : Node->Parent;
  if (recordNode->Index >= slave.List_Var.size()) return;
  const TVariable_MBus& record = slave.List_Var[recordNode->Index];
  if (level == 1) {
    rec->Caption = Record_Caption(record);
    Node->CheckType = ctCheckBox;
    Node->CheckState = csCheckedNormal;
  } else {
    rec->Caption = Detail_Caption(record, Node->Index);
  }
}

void TFScanDecode::Cancel_Device_List() {
  List_Slave_MBus().Clear();
  FWired_Shown.clear();
  VST->Clear();
}

// ---- wireless

void TFScanDecode::Cancel_Device_List_Wireless() {
  List_Slave_wMBus().Clear();
  Cancel_Grid_Wireless();
  FWireless_Shown.reset();
  FWireless_Index = -1;
  VST_Wireless->Clear();
}

void TFScanDecode::Show_Slave_in_Tree_Wireless(int index) {
  VST_Wireless->Clear();
  // The listener thread replaces a device's records whenever it hears it: the tree shows a copy.
  FWireless_Shown = List_Slave_wMBus().SnapshotAt(index);
  FWireless_Index = FWireless_Shown ? index : -1;
  if (!FWireless_Shown) return;
  VST_Wireless->BeginUpdate();
  PVNode node = VST_Wireless->AddChild(nullptr);
  FWireless_Shown->Node = node;
  for (TVariable_MBus& record : FWireless_Shown->List_Var) {
    PVNode child = VST_Wireless->AddChild(node);
    record.Node = child;
    for (int k = 0; k < Details_Per_Record; ++k)
      VST_Wireless->AddChild(child);
  }
  VST_Wireless->EndUpdate();
}

void TFScanDecode::VST_WirelessInitNode(PVNode Node) {
  if (!FWireless_Shown) return;
  TMyRec* rec = VST_Wireless->GetNodeData<TMyRec>(Node);
  const TSlave_wMBus& s = *FWireless_Shown;
  const unsigned level = VST_Wireless->GetNodeLevel(Node);
  if (level == 0) {
    rec->Caption = "Manufacturer = " + s.ALA_Manu_str + " - " +
                   "Address = " + Hex(static_cast<std::uint32_t>(s.ALA_Address), 8) + " - " +
                   "Version = " + std::to_string(s.ALA_Version) + " - " +
                   "Device Type = " + std::to_string(s.ALA_DeviceType) + " - " +
                   (s.Cripted ? "CRIPTED!!" : "");
    Node->CheckType = ctCheckBox;
    Node->CheckState = s.Enable ? csCheckedNormal : csUncheckedNormal;
    return;
  }
  const PVNode recordNode = level == 1 ? Node : Node->Parent;
  if (recordNode->Index >= s.List_Var.size()) return;
  const TVariable_MBus& record = s.List_Var[recordNode->Index];
  if (level == 1) {
    rec->Caption = record.Real_Wireless_Var ? Record_Caption(record) : "Idle Filler";
    Node->CheckType = ctCheckBox;
    Node->CheckState = record.Enable ? csCheckedNormal : csUncheckedNormal;
  } else {
    rec->Caption = Detail_Caption(record, Node->Index);
  }
}

void TFScanDecode::VST_WirelessChecked(PVNode Node) {
  if (!FWireless_Shown || FWireless_Index < 0) return;
  const TCheckState state = Node->CheckState;
  if (state != csCheckedNormal && state != csUncheckedNormal) return;
  const bool enable = state == csCheckedNormal;
  const unsigned level = VST_Wireless->GetNodeLevel(Node);
  if (level > 1) return;
  const std::size_t record = level == 1 ? Node->Index : 0;
  if (level == 1 && record >= FWireless_Shown->List_Var.size()) return;
  if (level == 0)
    FWireless_Shown->Enable = enable;
  else
    FWireless_Shown->List_Var[record].Enable = enable;
  // Written back by position, only while the device still has that record.
  List_Slave_wMBus().Locked([&](std::vector<TSlave_wMBus>& slaves) {
    if (static_cast<std::size_t>(FWireless_Index) >= slaves.size()) return;
    TSlave_wMBus& slave = slaves[static_cast<std::size_t>(FWireless_Index)];
    if (level == 0)
      slave.Enable = enable;
    else if (record < slave.List_Var.size())
      slave.List_Var[record].Enable = enable;
  });
}

bool TFScanDecode::Tree_Node_Checked(const void* node) const {
  return !node || static_cast<const TVNode*>(node)->CheckState == csCheckedNormal;
}
