#include "mbus/NetworkFile.h"

#include "app/ULanguage.h"
#include "mbus/NetworkTexts.h"
#include "mbus/TypedNumber.h"
#include "platform/Files.h"
#include "platform/Format.h"
#include "platform/Xml.h"

#include <array>
#include <optional>
#include <span>
#include <unordered_map>
#include <utility>
#include <variant>
#include <vector>

namespace {

const std::string_view Key_Attributes[16] = {
    "wMBus_Key_1",  "wMBus_Key_2",  "wMBus_Key_3",  "wMBus_Key_4",  "wMBus_Key_5",  "wMBus_Key_6",
    "wMBus_Key_7",  "wMBus_Key_8",  "wMBus_Key_9",  "wMBus_Key_10", "wMBus_Key_11", "wMBus_Key_12",
    "wMBus_Key_13", "wMBus_Key_14", "wMBus_Key_15", "wMBus_Key_16",
};

std::string Dec(std::int64_t v) {
  return std::to_string(v);
}
std::string Flag(bool v) {
  return v ? "1" : "0";
}

void Write_Node(TXmlNode e, const TNodo& n) {
  e.SetAttribute("Node_Enable", Dec(n.Enable));
  e.SetAttribute("ID_Primary", Dec(n.Node_Pri));
  e.SetAttribute("ID_Secondary", Dec(n.Node_Sec));
  e.SetAttribute("Descrizione", n.Description);
  e.SetAttribute("Send_SND_NKE", Dec(n.Send_SNK));
  e.SetAttribute("Reset_App", Dec(n.Reset_App));
  e.SetAttribute("Enable_Node_State", Dec(n.Enable_NS));
  e.SetAttribute("Node_State", Dec(n.Node_State));
  e.SetAttribute("Enable_Ident_Num", Dec(n.Enable_IN));
  e.SetAttribute("Ident_Num", Dec(n.Ident_Num));
  e.SetAttribute("BCDtoINT_IN", Dec(n.BCDtoINT_IN));
  e.SetAttribute("Swap_IN", Dec(n.Swap_Ident));
  e.SetAttribute("Node_ID_Type", Dec(n.Node_ID_Type));
  e.SetAttribute("Var_List_Type", Dec(n.Var_List_Type));
  e.SetAttribute("Cut_After", Dec(n.Cut_After));
  e.SetAttribute("Enable_Manufacturer_Specific_Data", Dec(n.Enable_MS));
  e.SetAttribute("Manufacturer_Specific_Data", Dec(n.Manufacturer_Spec));
  e.SetAttribute("MSD_Length", Dec(n.MSD_Length));
  e.SetAttribute("MSD_Offset", Dec(n.MSD_Offset));
  e.SetAttribute("Enable_Access_Number", Dec(n.Enable_AN));
  e.SetAttribute("Access_Number", Dec(n.Access_Number));
  e.SetAttribute("MBus_Type", Dec(n.MBus_Type));
  e.SetAttribute("wMBus_ManID", n.wMBus_ManID);
  e.SetAttribute("wMBus_Add", n.wMBus_Add);
  e.SetAttribute("wMBus_Ver", n.wMBus_Ver);
  e.SetAttribute("wMBus_DevType", n.wMBus_DevType);
  e.SetAttribute("wMBus_En_Key", Dec(n.wMBus_En_Key));
  for (int k = 0; k < 16; ++k)
    e.SetAttribute(Key_Attributes[k], n.wMBus_Key[static_cast<std::size_t>(k)]);
  e.SetAttribute("wMBus_Enable_RSSI", Dec(n.Enable_RSSI));
  e.SetAttribute("wMBus_RSSI", Dec(n.RSSI));
}

void Write_Variable(TXmlNode e, const TVariabile& v) {
  e.SetAttribute("Enable", Flag(v.Enable));
  e.SetAttribute("Desc", v.Description);
  e.SetAttribute("Type", Dec(v.Type_Of_Data));
  e.SetAttribute("Fun_Field", Dec(v.Function_Field));
  e.SetAttribute("Dim", Dec(v.Dimension));
  e.SetAttribute("Unit", Dec(v.Unita));
  e.SetAttribute("PositionData", Dec(v.PositionData));
  e.SetAttribute("StoNumber", Dec(v.Storage_Number));
  e.SetAttribute("Tariff", Dec(v.Tariff));
  e.SetAttribute("VIFE", Dec(v.VIFE));
  e.SetAttribute("BCDtoINT", Flag(v.BCDtoINT));
  e.SetAttribute("VIF_ASCII", v.VIF_ASCII);
  e.SetAttribute("Length", Dec(v.Length));
  e.SetAttribute("Conv_Float", Flag(v.Conv_Float));
  e.SetAttribute("Force_Int32", Flag(v.Force_Int32));
  e.SetAttribute("TP_Mod_Regs", Flag(v.TP_Mod_Regs));
  e.SetAttribute("TP_Mod_Year", Dec(v.TP_Mod_Year));
  e.SetAttribute("Position", Dec(v.Position));
  e.SetAttribute("Post_Operation", Dec(v.Post_Operation));
}

TXmlDocument Build(const TNodi_List& nodes) {
  TXmlDocument doc;
  TXmlNode root = doc.CreateRoot("M-Bus_Network");
  doc.AddCommentAfterRoot("SW_VERSION = 1.002");
  for (const TNodo& n : nodes) {
    TXmlNode e = root.AddChild("Nodo");
    Write_Node(e, n);
    for (const TVariabile& v : n.Var_List)
      Write_Variable(e.AddChild("Variabile"), v);
  }
  return doc;
}

// The attributes the reader knows, each with its slot; others are passed over.
constexpr std::string_view Known_Attributes[] = {
    "Node_Enable",
    "Descrizione",
    "Node_ID_Type",
    "ID",
    "ID_Primary",
    "ID_Secondary",
    "Send_SND_NKE",
    "Reset_App",
    "Enable_Node_State",
    "Node_State",
    "Enable_Ident_Num",
    "Ident_Num",
    "BCDtoINT_IN",
    "Swap_IN",
    "Var_List_Type",
    "Cut_After",
    "Enable_Manufacturer_Specific_Data",
    "Manufacturer_Specific_Data",
    "MSD_Length",
    "MSD_Offset",
    "Enable_Access_Number",
    "Access_Number",
    "MBus_Type",
    "wMBus_ManID",
    "wMBus_Add",
    "wMBus_Ver",
    "wMBus_DevType",
    "wMBus_En_Key",
    "wMBus_Key_1",
    "wMBus_Key_2",
    "wMBus_Key_3",
    "wMBus_Key_4",
    "wMBus_Key_5",
    "wMBus_Key_6",
    "wMBus_Key_7",
    "wMBus_Key_8",
    "wMBus_Key_9",
    "wMBus_Key_10",
    "wMBus_Key_11",
    "wMBus_Key_12",
    "wMBus_Key_13",
    "wMBus_Key_14",
    "wMBus_Key_15",
    "wMBus_Key_16",
    "wMBus_Enable_RSSI",
    "wMBus_RSSI",
    "Enable",
    "Desc",
    "Type",
    "Fun_Field",
    "Dim",
    "Unit",
    "PositionData",
    "ModReg",
    "StoNumber",
    "Tariff",
    "VIFE",
    "BCDtoINT",
    "Conv_Float",
    "Force_Int32",
    "TP_Mod_Regs",
    "VIF_ASCII",
    "Length",
    "TP_Mod_Year",
    "Position",
    "Post_Operation",
};
constexpr std::size_t Known_Count = std::size(Known_Attributes);

std::size_t Slot_Of(std::string_view name) {
  static const std::unordered_map<std::string_view, std::size_t> slots = [] {
    std::unordered_map<std::string_view, std::size_t> m;
    for (std::size_t i = 0; i < Known_Count; ++i)
      m.emplace(Known_Attributes[i], i);
    return m;
  }();
  const auto it = slots.find(name);
  return it == slots.end() ? Known_Count : it->second;
}

consteval std::size_t Slot(std::string_view name) {
  for (std::size_t i = 0; i < Known_Count; ++i)
    if (Known_Attributes[i] == name) return i;
  throw "unknown attribute";
}

// The slots in the order the writer puts the attributes, so that a file of ours is read without
// looking names up.
std::span<const std::size_t> Written_Order(bool node) {
  static const std::vector<std::size_t> nodes = [] {
    std::vector<std::size_t> order;
    for (std::string_view name : {"Node_Enable",
                                  "ID_Primary",
                                  "ID_Secondary",
                                  "Descrizione",
                                  "Send_SND_NKE",
                                  "Reset_App",
                                  "Enable_Node_State",
                                  "Node_State",
                                  "Enable_Ident_Num",
                                  "Ident_Num",
                                  "BCDtoINT_IN",
                                  "Swap_IN",
                                  "Node_ID_Type",
                                  "Var_List_Type",
                                  "Cut_After",
                                  "Enable_Manufacturer_Specific_Data",
                                  "Manufacturer_Specific_Data",
                                  "MSD_Length",
                                  "MSD_Offset",
                                  "Enable_Access_Number",
                                  "Access_Number",
                                  "MBus_Type",
                                  "wMBus_ManID",
                                  "wMBus_Add",
                                  "wMBus_Ver",
                                  "wMBus_DevType",
                                  "wMBus_En_Key"})
      order.push_back(Slot_Of(name));
    for (std::size_t k = 0; k < 16; ++k)
      order.push_back(Slot("wMBus_Key_1") + k);
    order.push_back(Slot("wMBus_Enable_RSSI"));
    order.push_back(Slot("wMBus_RSSI"));
    return order;
  }();
  static const std::vector<std::size_t> variables = [] {
    std::vector<std::size_t> order;
    for (std::string_view name :
         {"Enable", "Desc", "Type", "Fun_Field", "Dim", "Unit", "PositionData", "StoNumber", "Tariff", "VIFE",
          "BCDtoINT", "VIF_ASCII", "Length", "Conv_Float", "Force_Int32", "TP_Mod_Regs", "TP_Mod_Year",
          "Position", "Post_Operation"})
      order.push_back(Slot_Of(name));
    return order;
  }();
  return node ? nodes : variables;
}

// The known attributes of one element, gathered in one pass; a name given twice keeps its first value.
class TAttributes {
public:
  TAttributes(const TXmlNode& e, bool node) {
    const std::span<const std::size_t> order = Written_Order(node);
    std::size_t next = 0;
    for (TXmlAttribute a = e.FirstAttribute(); a; a = a.Next()) {
      std::size_t slot;
      if (next < order.size() && a.IsNamed(Known_Attributes[order[next]]))
        slot = order[next++];
      else
        slot = Slot_Of(a.Name());
      if (slot < Known_Count && !Values[slot]) Values[slot] = std::string_view(a.Value());
    }
  }
  std::optional<std::string_view> Get(std::size_t slot) const { return Values[slot]; }
  std::string Text(std::size_t slot) const { return std::string(Values[slot].value_or("")); }
  std::optional<std::int32_t> Int(std::size_t slot) const {
    return Values[slot] ? Typed_Int32(*Values[slot]) : std::nullopt;
  }
  std::int32_t Int(std::size_t slot, std::int32_t def) const { return Int(slot).value_or(def); }
  std::uint8_t Byte(std::size_t slot, std::int32_t def) const {
    return static_cast<std::uint8_t>(Int(slot, def));
  }
  bool One(std::size_t slot) const { return Values[slot] == std::optional<std::string_view>("1"); }

private:
  std::array<std::optional<std::string_view>, Known_Count> Values{};
};

TNodo Read_Node(const TXmlNode& e) {
  const TAttributes a(e, true);
  TNodo n;
  n.Enable = a.Byte(Slot("Node_Enable"), 1);
  n.Description = a.Text(Slot("Descrizione"));
  n.Node_ID_Type = a.Byte(Slot("Node_ID_Type"), 0);
  // The single-address form of the scan export; its "ID" is the primary address even for nodes
  // addressed by secondary address, so the two explicit addresses win wherever both are there.
  const auto id = a.Int(Slot("ID"));
  const bool both = a.Get(Slot("ID_Primary")) && a.Get(Slot("ID_Secondary"));
  if (id && !both) {
    n.Node_Pri = n.Node_ID_Type == 0 ? *id : 1;
    n.Node_Sec = n.Node_ID_Type == 0 ? 1 : *id;
  } else {
    n.Node_Pri = a.Int(Slot("ID_Primary"), 1);
    n.Node_Sec = a.Int(Slot("ID_Secondary"), 1);
  }
  n.Send_SNK = a.Byte(Slot("Send_SND_NKE"), 0);
  n.Reset_App = a.Byte(Slot("Reset_App"), 0);
  n.Enable_NS = a.Byte(Slot("Enable_Node_State"), 0);
  n.Node_State = a.Int(Slot("Node_State"), 0);
  n.Enable_IN = a.Byte(Slot("Enable_Ident_Num"), 0);
  n.Ident_Num = a.Int(Slot("Ident_Num"), 0);
  n.BCDtoINT_IN = a.Byte(Slot("BCDtoINT_IN"), 0);
  n.Swap_Ident = a.Int(Slot("Swap_IN"), 0);
  n.Var_List_Type = a.Byte(Slot("Var_List_Type"), 0);
  n.Cut_After = a.Byte(Slot("Cut_After"), 0);
  n.Enable_MS = a.Byte(Slot("Enable_Manufacturer_Specific_Data"), 0);
  n.Manufacturer_Spec = a.Int(Slot("Manufacturer_Specific_Data"), 0);
  n.MSD_Length = a.Byte(Slot("MSD_Length"), 0);
  n.MSD_Offset = a.Byte(Slot("MSD_Offset"), 0);
  n.Enable_AN = a.Byte(Slot("Enable_Access_Number"), 0);
  n.Access_Number = a.Int(Slot("Access_Number"), 0);
  n.MBus_Type = a.Byte(Slot("MBus_Type"), 1);
  n.wMBus_ManID = a.Text(Slot("wMBus_ManID"));
  n.wMBus_Add = a.Text(Slot("wMBus_Add"));
  n.wMBus_Ver = a.Text(Slot("wMBus_Ver"));
  n.wMBus_DevType = a.Text(Slot("wMBus_DevType"));
  n.wMBus_En_Key = a.Byte(Slot("wMBus_En_Key"), 0);
  for (int k = 0; k < 16; ++k)
    n.wMBus_Key[static_cast<std::size_t>(k)] = a.Text(Slot("wMBus_Key_1") + static_cast<std::size_t>(k));
  n.Enable_RSSI = a.Byte(Slot("wMBus_Enable_RSSI"), 0);
  n.RSSI = a.Int(Slot("wMBus_RSSI"), 0);
  return n;
}

// The variable, or the name of the first required attribute that is missing or not a number.
std::variant<TVariabile, std::string_view> Read_Variable(const TXmlNode& e) {
  const TAttributes a(e, false);
  TVariabile v;
  v.Enable = a.One(Slot("Enable"));
  v.Description = a.Text(Slot("Desc"));
  for (auto [name, field] : {std::pair{"Type", &v.Type_Of_Data}, std::pair{"Fun_Field", &v.Function_Field},
                             std::pair{"Dim", &v.Dimension}}) {
    auto value = a.Int(Slot_Of(name));
    if (!value) return std::string_view(name);
    *field = *value;
  }
  v.Unita = a.Int(Slot("Unit"), 0);
  // The scan export names the register "ModReg".
  v.PositionData = a.Get(Slot("PositionData")) ? a.Int(Slot("PositionData"), 0) : a.Int(Slot("ModReg"), 0);
  const auto storage = a.Get(Slot("StoNumber")) ? Typed_Int64(*a.Get(Slot("StoNumber"))) : std::nullopt;
  v.Storage_Number =
      storage && *storage >= 0 && *storage <= 0xFFFFFFFFLL ? static_cast<std::uint32_t>(*storage) : 0;
  v.Tariff = a.Int(Slot("Tariff"), 0);
  v.VIFE = a.Byte(Slot("VIFE"), 0);
  v.BCDtoINT = a.One(Slot("BCDtoINT"));
  v.Conv_Float = a.One(Slot("Conv_Float"));
  v.Force_Int32 = a.One(Slot("Force_Int32"));
  v.TP_Mod_Regs = a.One(Slot("TP_Mod_Regs"));
  v.VIF_ASCII = a.Text(Slot("VIF_ASCII"));
  v.Length = a.Int(Slot("Length"), 0);
  v.TP_Mod_Year = a.Int(Slot("TP_Mod_Year"), 0);
  v.Position = static_cast<std::uint16_t>(a.Int(Slot("Position"), 1));
  v.Post_Operation = a.Byte(Slot("Post_Operation"), 0);
  return v;
}

} // namespace

TNetworkRead Parse_MBus_Network(std::string_view xml) {
  TNetworkRead read;
  TXmlDocument doc;
  if (TXmlLoadResult loaded = doc.LoadFromString(xml); !loaded) {
    read.Complete = false;
    read.Message = Format(Lang_Text(Txt_Net_Read_Error), {loaded.Error});
    return read;
  }
  const std::vector<TXmlNode> nodes = doc.DocumentElement().Children();
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    TNodo node = Read_Node(nodes[i]);
    const std::vector<TXmlNode> vars = nodes[i].Children();
    for (std::size_t j = 0; j < vars.size(); ++j) {
      auto v = Read_Variable(vars[j]);
      if (auto* missing = std::get_if<std::string_view>(&v)) {
        read.Nodes.push_back(std::move(node));
        read.Complete = false;
        read.Message = Format(Lang_Text(Txt_Net_Read_Incomplete),
                              {vars[j].Name(), static_cast<std::int64_t>(j + 1),
                               static_cast<std::int64_t>(i + 1), std::string(*missing)});
        return read;
      }
      node.Var_List.push_back(std::move(std::get<TVariabile>(v)));
    }
    read.Nodes.push_back(std::move(node));
  }
  return read;
}

TNetworkRead Read_MBus_Network(const std::string& path) {
  if (!FileExists(path)) return {};
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) {
    TNetworkRead read;
    read.Complete = false;
    read.Message = Format(Lang_Text(Txt_Net_Read_Error), {path});
    return read;
  }
  return Parse_MBus_Network(bytes);
}

std::string MBus_Network_Xml(const TNodi_List& nodes) {
  return Build(nodes).SaveToString();
}

TWriteResult Write_MBus_Network(const std::string& path, const TNodi_List& nodes) {
  TWriteResult result = WriteFileAtomic(path, MBus_Network_Xml(nodes));
  if (!result) result.Error = Format(Lang_Text(Txt_Net_Save_Error), {result.Error});
  return result;
}
