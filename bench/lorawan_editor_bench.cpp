// The LoRaWAN rule editor on show: a full rule file (256 uplink and 256 downlink rules, every
// attribute) read and moved into the two grids, against one full repaint of the editor window.
// The load must cost less than the repaint; both run in the same process.
// Figures (RelWithDebInfo, offscreen, 900 x 600 window): load on show 0.48-0.54 ms, full repaint
// 2.9-3.5 ms.
#include "app/UComon.h"
#include "gateway/LoRaWANSetAccess.h"
#include "gateway/ParGenFile.h"
#include "gateway/ULoRa_Set_Access.h"
#include "platform/Files.h"
#include "platform/ui/Application.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

// A configuration with full rule tables and the editor shown on it, for the whole process.
struct TEditorOnFullFile {
  std::string Folder;
  TFLoRa_Set_Access* Form = nullptr;

  TEditorOnFullFile() {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    Application->Initialize();
    Folder = (std::filesystem::temp_directory_path() /
              ("velmaric_lorawan_editor_bench_" + std::to_string(::getpid())))
                 .string();
    ForceDirectories(Folder);
    Project_Path = Folder;
    Set_Files();
    Save_ParGen(FileName_ParGen, New_ParGen());
    TLoRaWANSetAccess rules;
    for (int i = 0; i < LoRaWAN_Table_Slots; ++i) {
      TLoRaUplinkRule up;
      up.Enable = i % 3 ? "Y" : "N";
      up.StartByte = std::to_string(i * 6);
      up.NumByte = "6";
      up.OnChange = "Y";
      up.OnCMD = "N";
      up.OnTimer = "Y";
      up.Time = "3600";
      up.FPort = std::to_string(1 + i % 223);
      up.Mnemonic = "Meter " + std::to_string(i);
      rules.Uplink.push_back(up);
      TLoRaDownlinkRule down;
      down.StartByte = std::to_string(i * 4);
      down.NumByte = "4";
      down.FPort = "10";
      down.Mnemonic = "Set point " + std::to_string(i);
      rules.Downlink.push_back(down);
    }
    Save_LoRaWAN_SetAccess(FileName_LoRaWAN_SetAccess, rules, true);
    Form = NewForm<TFLoRa_Set_Access>(nullptr);
    Form->Show();
    Application->ProcessMessages();
  }
  ~TEditorOnFullFile() {
    Form->Free();
    std::filesystem::remove_all(Folder);
  }
};

TEditorOnFullFile& Editor() {
  static TEditorOnFullFile editor;
  return editor;
}

void LoRaEditorLoadOnShow(benchmark::State& state) {
  TFLoRa_Set_Access* form = Editor().Form;
  for (auto _ : state)
    form->FormShow(form);
}

void LoRaEditorFullRepaint(benchmark::State& state) {
  TFLoRa_Set_Access* form = Editor().Form;
  for (auto _ : state)
    form->Repaint();
}

BENCHMARK(LoRaEditorLoadOnShow)->Unit(benchmark::kMillisecond);
BENCHMARK(LoRaEditorFullRepaint)->Unit(benchmark::kMillisecond);

} // namespace
