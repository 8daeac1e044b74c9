#include "mbus/ScanResultFile.h"

#include "mbus/DataRecords.h"
#include "mbus/SlaveLists.h"

#include "platform/AtomicFile.h"
#include "platform/Format.h"
#include "platform/Xml.h"

namespace {

std::string Num(std::int64_t v) {
  return std::to_string(v);
}

void Write_Variables(TXmlNode node, const std::vector<TVariable_MBus>& vars) {
  for (const TVariable_MBus& v : vars) {
    TXmlNode x = node.AddChild("Variable");
    x.SetAttribute("Value", v.ValueStr);
    x.SetAttribute("Type", v.Desc_Type_Data);
    x.SetAttribute("UST", "(U" + Num(v.device) + "S" + Num(v.storage_number) + "T" + Num(v.tarif) + ")");
    x.AddChild("Storage_Number", Num(v.storage_number));
    x.AddChild("Tariff", Num(v.tarif));
    x.AddChild("Unit", Num(v.device));
    x.AddChild("Data_Field", v.DataFieldStr);
    x.AddChild("Function_Field", v.FunctionFieldStr);
    x.AddChild("Type", v.Desc_Type_Data);
    x.AddChild("Value", v.ValueStr);
    x.AddChild("DIF", v.DIF);
    x.AddChild("VIF", "$" + Format("%.2x", {std::int64_t{v.VIF}}));
    x.AddChild("DIFE", v.DIFE);
    x.AddChild("VIFE", v.VIFE);
    x.AddChild("DATA", "$" + v.totdati);
  }
}

TWriteResult Save(const TXmlDocument& doc, const std::string& path) {
  TWriteResult result;
  result.Ok = doc.SaveToFile(path, &result.Error);
  return result;
}

} // namespace

TWriteResult Save_XML_File_DLL(const std::string& path, const std::vector<TSlave_MBus>& slaves) {
  TXmlDocument doc;
  TXmlNode root = doc.CreateRoot("SCAN_M-Bus_Wired");
  for (const TSlave_MBus& s : slaves) {
    TXmlNode node = root.AddChild("Node");
    node.SetAttribute("Primary_Address", Num(s.Primary_Addresss));
    node.SetAttribute("Secondary_Address", s.Secondary_Addresss);
    node.SetAttribute("Manufacturer", s.descManufacture + " (" + Num(s.Manufacture) + ")");
    node.SetAttribute("Version", Num(s.Version));
    node.SetAttribute("Type", Num(s.Medium));
    Write_Variables(node, s.List_Var);
  }
  return Save(doc, path);
}

TWriteResult Save_Wireless_XML_File_DLL(const std::string& path, const std::vector<TSlave_wMBus>& slaves) {
  TXmlDocument doc;
  TXmlNode root = doc.CreateRoot("SCAN_M-Bus_Wireless");
  for (const TSlave_wMBus& s : slaves) {
    TXmlNode node = root.AddChild("Node");
    node.SetAttribute("Manufacturer", s.ALA_Manu_str);
    node.SetAttribute("Address", Format("%.8x", {std::int64_t{static_cast<std::uint32_t>(s.ALA_Address)}}));
    node.SetAttribute("Version", Num(s.ALA_Version));
    node.SetAttribute("Device_Type", Num(s.ALA_DeviceType));
    node.SetAttribute("Cripted", s.Cripted ? "True" : "False");
    Write_Variables(node, s.List_Var);
  }
  return Save(doc, path);
}

void Write_Scan_Result_File(const std::string& path, TMBusType type) {
  if (type == TMBusType::mtWireless)
    Save_Wireless_XML_File_DLL(path, List_Slave_wMBus().Snapshot());
  else
    Save_XML_File_DLL(path, List_Slave_MBus().Snapshot());
}
