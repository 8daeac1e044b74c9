// Saving a full wired scan (251 slaves of 50 records) as the network file, against pugixml building
// and saving the same document directly. Ours goes through the atomic writer (flush to disk and
// rename); the anchor saves straight to its file.
#include "mbus/ScanSave.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <filesystem>
#include <string>

namespace {

const std::vector<TSlave_MBus>& Full_Scan() {
  static const std::vector<TSlave_MBus> slaves = [] {
    std::vector<TSlave_MBus> out(251);
    for (std::size_t i = 0; i < out.size(); ++i) {
      TSlave_MBus& s = out[i];
      s.Primary_Addresss = static_cast<std::uint16_t>(i);
      s.Secondary_Addresss = std::to_string(10000000 + i);
      s.descManufacture = "ABC";
      s.List_Var.resize(50);
      for (std::size_t k = 0; k < s.List_Var.size(); ++k) {
        TVariable_MBus& v = s.List_Var[k];
        v.dimension = static_cast<std::uint8_t>(1 + k % 7);
        v.Desc_Type_Data = "Energy";
        v.device = 1;
        v.storage_number = static_cast<std::int64_t>(k);
        v.type_data = 4;
      }
    }
    return out;
  }();
  return slaves;
}

std::string Bench_File(const char* name) {
  return (std::filesystem::temp_directory_path() / name).string();
}

void MBusScanSaveOurs(benchmark::State& state) {
  TSaveConfXML o;
  o.File_Name = Bench_File("velmaric_scan_save_ours.xml");
  for (auto _ : state) {
    if (!Save_XML_Conf_Wired(Full_Scan(), o, false)) state.SkipWithError("not written");
  }
  std::filesystem::remove(o.File_Name);
}

void MBusScanSaveAnchor(benchmark::State& state) {
  const std::string file = Bench_File("velmaric_scan_save_anchor.xml");
  const int dims[] = {255, 0, 1, 4, 2, 6, 5, 3};
  const int regs[] = {0, 1, 1, 2, 2, 2, 3, 4};
  for (auto _ : state) {
    pugi::xml_document doc;
    pugi::xml_node root = doc.append_child("M-Bus_Network");
    int r = 1;
    for (const TSlave_MBus& s : Full_Scan()) {
      pugi::xml_node n = root.append_child("Nodo");
      n.append_attribute("Node_Enable") = "1";
      n.append_attribute("ID_Primary") = s.Primary_Addresss;
      n.append_attribute("ID_Secondary") = s.Secondary_Addresss.c_str();
      n.append_attribute("Node_ID_Type") = 0;
      n.append_attribute("Descrizione") = s.descManufacture.c_str();
      n.append_attribute("Send_SND_NKE") = "0";
      n.append_attribute("Reset_App") = "0";
      n.append_attribute("Cut_After") = 3;
      int position = 0;
      for (const TVariable_MBus& v : s.List_Var) {
        pugi::xml_node x = n.append_child("Variabile");
        x.append_attribute("Enable") = "1";
        x.append_attribute("Position") = ++position;
        const std::string desc = v.Desc_Type_Data + " (U" + std::to_string(v.device) + "S" +
                                 std::to_string(v.storage_number) + "T" + std::to_string(v.tarif) + ")";
        x.append_attribute("Desc") = desc.c_str();
        x.append_attribute("Type") = v.type_data;
        x.append_attribute("VIF_ASCII") = "";
        x.append_attribute("Fun_Field") = v.function_fild;
        x.append_attribute("Length") = 0;
        x.append_attribute("ModReg") = r;
        x.append_attribute("Dim") = dims[v.dimension];
        x.append_attribute("Unit") = v.device;
        x.append_attribute("StoNumber") = static_cast<long long>(v.storage_number);
        x.append_attribute("Tariff") = v.tarif;
        x.append_attribute("VIFE") = v.Type_Data_Vife;
        x.append_attribute("ModScale") = "0";
        x.append_attribute("BCDtoINT") = "0";
        x.append_attribute("SWAP") = "0";
        r += regs[v.dimension];
      }
    }
    if (!doc.save_file(file.c_str(), "\t", pugi::format_indent | pugi::format_no_declaration))
      state.SkipWithError("not written");
  }
  std::filesystem::remove(file);
}

} // namespace

BENCHMARK(MBusScanSaveOurs)->Name("MBusScanSave/ours")->Unit(benchmark::kMillisecond);
BENCHMARK(MBusScanSaveAnchor)->Name("MBusScanSave/anchor")->Unit(benchmark::kMillisecond);
