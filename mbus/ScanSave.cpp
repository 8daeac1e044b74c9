#include "mbus/ScanSave.h"

#include "app/UComon.h"
#include "platform/Xml.h"

#include <cstdint>
#include <string>

namespace {

std::string Num(std::int64_t v) {
  return std::to_string(v);
}

bool Code_In(int code, std::initializer_list<int> codes) {
  for (int c : codes)
    if (c == code) return true;
  return false;
}

bool Node_Registers(int code) {
  return Code_In(code, {0, 1, 9, 13, 14});
}

// The document to add to: the existing file's root when appending, else a new network.
bool Open_Target(TXmlDocument& doc, const TSaveConfXML& data, TXmlNode& root, std::string& error) {
  if (data.Append == 1) {
    TXmlLoadResult loaded = doc.LoadFromFile(data.File_Name);
    if (!loaded) {
      error = loaded.Error;
      return false;
    }
    root = doc.DocumentElement();
    if (!root) {
      error = "The file has no root element";
      return false;
    }
    return true;
  }
  root = doc.CreateRoot("M-Bus_Network");
  return true;
}

TXmlNode Node_Parent(TXmlNode root, TXmlNode& group, const TSaveConfXML& data) {
  if (data.XML_Code_Dev != 4 && data.XML_Code_Dev != 7) return root;
  if (!group) {
    group = root.AddChild("Group");
    group.SetAttribute("Baudrate", Num(data.Index_Baud));
    group.SetAttribute("Parity", Num(data.Index_Par));
  }
  return group;
}

int Start_Of_Slave(const TSaveConfXML& data, std::size_t index, int r) {
  if (data.StartModnode != 1) return r;
  // A slave the per-node grid had no row for starts at register 1.
  return index < data.SMN_Array.size() ? data.SMN_Array[index] : 1;
}

void Write_Variable(TXmlNode nodo, const TVariable_MBus& v, int position, bool enabled, int& r,
                    const TSaveConfXML& data, bool Check_BCD) {
  TXmlNode x = nodo.AddChild("Variabile");
  const int code = data.XML_Code_Dev;
  x.SetAttribute("Enable", enabled ? "1" : "0");
  x.SetAttribute("Position", Num(position));
  x.SetAttribute("Desc", v.Desc_Type_Data + " (U" + Num(v.device) + "S" + Num(v.storage_number) + "T" +
                             Num(v.tarif) + ")");
  x.SetAttribute("Type", Num(v.type_data));
  x.SetAttribute("VIF_ASCII", v.type_data == 21 ? v.VIF_ASCII : std::string());
  const int fun = v.function_fild == 1 ? 2 : v.function_fild == 2 ? 1 : v.function_fild;
  x.SetAttribute("Fun_Field", Num(fun));
  x.SetAttribute("Length", Num(v.dimension == 13 ? v.nbyte : 0));
  if (code != 12) x.SetAttribute("ModReg", Num(r));
  x.SetAttribute("Dim", Num(Save_Dim_Of(v.dimension)));
  x.SetAttribute("Unit", Num(v.device));
  x.SetAttribute("StoNumber", Num(v.storage_number));
  x.SetAttribute("Tariff", Num(v.tarif));
  x.SetAttribute("VIFE", Num(v.Type_Data_Vife));
  if (code == 12) {
    x.SetAttribute("BACnet_EngUnits",
                   Num(Get_BACnet_EngUnit(v.type_data, static_cast<std::uint32_t>(v.Type_Data_Vife))));
    x.SetAttribute("BACnet_DataType", "0");
    x.SetAttribute("Post_Operation", "0");
  } else {
    x.SetAttribute("ModScale", "0");
  }
  x.SetAttribute("BCDtoINT", v.Is_BCD && Check_BCD ? "1" : "0");
  x.SetAttribute("SWAP", "0");
  if (data.StartModnode != 1 || enabled) r += Save_Registers_Of(v.dimension, v.nbyte);
}

TSaveConfResult Save(const TXmlDocument& doc, const TSaveConfXML& data) {
  TSaveConfResult result;
  result.Written = doc.SaveToFile(data.File_Name, &result.Error);
  return result;
}

} // namespace

int Save_Registers_Of(int dimension, int nbyte) {
  switch (dimension) {
  case 1:
  case 2:
  case 9:
  case 10:
    return 1;
  case 3:
  case 4:
  case 5:
  case 11:
  case 12:
    return 2;
  case 6:
  case 14:
    return 3;
  case 7:
    return 4;
  case 13: {
    // (nbyte + 1) / 2 rounded to the nearest, a half going to the even neighbour.
    const int x = nbyte < 0 ? 1 : nbyte + 1;
    const int q = x / 2;
    return x % 2 == 0 ? q : (q % 2 == 0 ? q : q + 1);
  }
  default:
    return 0;
  }
}

int Save_Dim_Of(int dimension) {
  switch (dimension) {
  case 1:
  case 9:
    return 0;
  case 2:
  case 10:
    return 1;
  case 3:
  case 11:
    return 4;
  case 4:
  case 12:
    return 2;
  case 5:
    return 6;
  case 6:
  case 14:
    return 5;
  case 7:
    return 3;
  case 13:
    return 7;
  default:
    return 255;
  }
}

TSaveConfResult Save_XML_Conf_Wired(const std::vector<TSlave_MBus>& slaves, const TSaveConfXML& data,
                                    bool Check_BCD, const TCheckedProc& checked) {
  if (slaves.empty()) return {};
  TXmlDocument doc;
  TXmlNode root, group;
  TSaveConfResult failed;
  if (!Open_Target(doc, data, root, failed.Error)) return failed;
  const auto is_checked = [&](const void* node) { return !node || !checked || checked(node); };
  const int code = data.XML_Code_Dev;
  int r = data.Mod_Start;
  for (std::size_t i = 0; i < slaves.size(); ++i) {
    const TSlave_MBus& s = slaves[i];
    r = Start_Of_Slave(data, i, r);
    TXmlNode nodo = Node_Parent(root, group, data).AddChild("Nodo");
    nodo.SetAttribute("Node_Enable", is_checked(s.Node) ? "1" : "0");
    if (Code_In(code, {2, 4, 5, 7, 8, 10})) nodo.SetAttribute("ID", Num(s.Primary_Addresss));
    if (Code_In(code, {4, 7})) nodo.SetAttribute("Secondary_address", s.Secondary_Addresss);
    nodo.SetAttribute("ID_Primary", Num(s.Primary_Addresss));
    nodo.SetAttribute("ID_Secondary", s.Secondary_Addresss);
    nodo.SetAttribute("Node_ID_Type", Num(data.Node_ID_Type));
    nodo.SetAttribute("Descrizione", s.descManufacture);
    nodo.SetAttribute("Send_SND_NKE", data.SND_NKE == 1 ? "1" : "0");
    nodo.SetAttribute("Reset_App", data.Reset_App == 1 ? "1" : "0");
    nodo.SetAttribute("Cut_After", Num(data.Cut_After));
    if (Code_In(code, {12, 13, 14})) nodo.SetAttribute("MBus_Type", "1");
    if (code == 12)
      for (const char* name :
           {"Node_State", "Ident_Num", "BCDtoINT_IN", "Swap_IN", "Var_List_Type", "NS_VarType", "IN_VarType"})
        nodo.SetAttribute(name, "0");
    if (data.StartModnode == 1 && Node_Registers(code)) {
      nodo.SetAttribute("Node_State", data.En_NodeState ? Num(r) : "0");
      if (data.En_NodeState) r += 1;
      nodo.SetAttribute("Ident_Num", data.En_IdeNum ? Num(r) : "0");
      if (data.En_IdeNum) r += 2;
    }
    for (std::size_t k = 0; k < s.List_Var.size(); ++k) {
      const TVariable_MBus& v = s.List_Var[k];
      Write_Variable(nodo, v, static_cast<int>(k) + 1, is_checked(v.Node), r, data, Check_BCD);
    }
  }
  return Save(doc, data);
}

TSaveConfResult Save_XML_Conf_Wireless(const std::vector<TSlave_wMBus>& slaves, const TSaveConfXML& data,
                                       bool Check_BCD) {
  if (slaves.empty()) return {};
  TXmlDocument doc;
  TXmlNode root;
  TSaveConfResult failed;
  if (!Open_Target(doc, data, root, failed.Error)) return failed;
  const int code = data.XML_Code_Dev;
  int r = data.Mod_Start;
  for (std::size_t i = 0; i < slaves.size(); ++i) {
    const TSlave_wMBus& s = slaves[i];
    r = Start_Of_Slave(data, i, r);
    TXmlNode nodo = root.AddChild("Nodo");
    nodo.SetAttribute("Node_Enable", s.Enable ? "1" : "0");
    if (Code_In(code, {2, 4, 5, 7, 8, 10})) nodo.SetAttribute("ID", "1");
    if (Code_In(code, {4, 7})) nodo.SetAttribute("Secondary_address", "1");
    nodo.SetAttribute("ID_Primary", "1");
    nodo.SetAttribute("ID_Secondary", "1");
    nodo.SetAttribute("Node_ID_Type", "0");
    nodo.SetAttribute("Descrizione", s.ALA_Manu_str);
    nodo.SetAttribute("Send_SND_NKE", "0");
    nodo.SetAttribute("Reset_App", "0");
    nodo.SetAttribute("Cut_After", "3");
    if (code == 12)
      for (const char* name :
           {"Node_State", "Ident_Num", "BCDtoINT_IN", "Swap_IN", "Var_List_Type", "NS_VarType", "IN_VarType"})
        nodo.SetAttribute(name, "0");
    if (data.StartModnode == 1 && Node_Registers(code)) {
      nodo.SetAttribute("Node_State", data.En_NodeState ? Num(r) : "0");
      if (data.En_NodeState) r += 2;
      nodo.SetAttribute("Ident_Num", data.En_IdeNum ? Num(r) : "0");
      if (data.En_IdeNum) r += 1;
    }
    nodo.SetAttribute("MBus_Type", "0");
    nodo.SetAttribute("wMBus_ManID", Num(s.ALA_Manufacturer));
    // The address is a 32-bit identity: unsigned, so the network file's checks accept it.
    nodo.SetAttribute("wMBus_Add", Num(static_cast<std::uint32_t>(s.ALA_Address)));
    nodo.SetAttribute("wMBus_Ver", Num(s.ALA_Version));
    nodo.SetAttribute("wMBus_DevType", Num(s.ALA_DeviceType));
    nodo.SetAttribute("wMBus_En_Key", s.Enable_Key ? "1" : "0");
    for (std::size_t b = 0; b < s.Key.size(); ++b)
      nodo.SetAttribute("wMBus_Key_" + Num(static_cast<std::int64_t>(b) + 1), Num(s.Key[b]));
    for (std::size_t k = 0; k < s.List_Var.size(); ++k) {
      const TVariable_MBus& v = s.List_Var[k];
      if (!v.Real_Wireless_Var) continue;
      Write_Variable(nodo, v, static_cast<int>(k) + 1, v.Enable, r, data, Check_BCD);
    }
  }
  return Save(doc, data);
}

std::vector<std::string> Start_Add_Captions(const std::vector<TSlave_MBus>& slaves) {
  std::vector<std::string> out;
  for (const TSlave_MBus& s : slaves)
    out.push_back(Num(s.Primary_Addresss) + " - " + s.Secondary_Addresss);
  return out;
}

std::vector<std::string> Start_Add_Captions(const std::vector<TSlave_wMBus>& slaves) {
  std::vector<std::string> out;
  for (const TSlave_wMBus& s : slaves)
    out.push_back(Num(static_cast<std::uint32_t>(s.ALA_Address)));
  return out;
}
