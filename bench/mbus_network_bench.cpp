// The M-Bus network file of a large network (250 nodes of 40 variables) read and written, against
// pugixml parsing and saving the same text; and one whole primary scan of a line with two meters
// against the fake gateway on the loopback interface, in virtual time.
#include "mbus/NetworkFile.h"
#include "mbus/ScanEngine.h"
#include "support/FakeGateway.h"
#include "support/SteppedClock.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <sstream>
#include <string>

namespace {

TNodi_List Large_Network() {
  TNodi_List nodes;
  for (int n = 0; n < 250; ++n) {
    TNodo node;
    node.Enable = 1;
    node.Description = "Meter " + std::to_string(n);
    node.Node_Pri = n;
    node.Node_Sec = 10000000 + n;
    node.MBus_Type = static_cast<std::uint8_t>(n % 2);
    node.wMBus_ManID = "0x2C2D";
    node.wMBus_Add = std::to_string(0x12345600 + n);
    for (auto& k : node.wMBus_Key)
      k = "255";
    for (int v = 0; v < 40; ++v) {
      TVariabile var;
      var.Enable = true;
      var.Description = "Energy (U0S" + std::to_string(v) + "T0)";
      var.Type_Of_Data = v % 26;
      var.Dimension = v % 8;
      var.PositionData = 1 + (n * 40 + v) % 1536;
      var.Storage_Number = static_cast<std::uint32_t>(v);
      var.Position = static_cast<std::uint16_t>(v + 1);
      node.Var_List.push_back(var);
    }
    nodes.push_back(std::move(node));
  }
  return nodes;
}

const std::string& Large_Text() {
  static const std::string text = MBus_Network_Xml(Large_Network());
  return text;
}

void MBusNetworkReadOurs(benchmark::State& state) {
  const std::string& text = Large_Text();
  for (auto _ : state) {
    TNetworkRead read = Parse_MBus_Network(text);
    benchmark::DoNotOptimize(read.Nodes.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

void MBusNetworkReadAnchor(benchmark::State& state) {
  const std::string& text = Large_Text();
  for (auto _ : state) {
    pugi::xml_document doc;
    doc.load_buffer(text.data(), text.size());
    benchmark::DoNotOptimize(doc.first_child().internal_object());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

void MBusNetworkWriteOurs(benchmark::State& state) {
  const TNodi_List nodes = Large_Network();
  for (auto _ : state) {
    std::string text = MBus_Network_Xml(nodes);
    benchmark::DoNotOptimize(text.data());
  }
}

void MBusNetworkWriteAnchor(benchmark::State& state) {
  pugi::xml_document doc;
  doc.load_buffer(Large_Text().data(), Large_Text().size());
  for (auto _ : state) {
    std::ostringstream out;
    doc.save(out, "\t", pugi::format_indent | pugi::format_no_declaration);
    std::string text = out.str();
    benchmark::DoNotOptimize(text.data());
  }
}

BENCHMARK(MBusNetworkReadOurs)->Name("MBusNetworkRead/ours")->Unit(benchmark::kMillisecond);
BENCHMARK(MBusNetworkReadAnchor)->Name("MBusNetworkRead/anchor")->Unit(benchmark::kMillisecond);
BENCHMARK(MBusNetworkWriteOurs)->Name("MBusNetworkWrite/ours")->Unit(benchmark::kMillisecond);
BENCHMARK(MBusNetworkWriteAnchor)->Name("MBusNetworkWrite/anchor")->Unit(benchmark::kMillisecond);

TGatewayBytes Frame(int address) {
  TGatewayBytes body = {0x08, static_cast<std::uint8_t>(address),
                        0x72, 0x78,
                        0x56, 0x34,
                        0x12, 0x93,
                        0x15, 0x33,
                        0x03, 0x2A,
                        0x00, 0x00,
                        0x00, 0x04,
                        0x13, 0x10,
                        0x27, 0x00,
                        0x00};
  TGatewayBytes f = {0x68, static_cast<std::uint8_t>(body.size()), static_cast<std::uint8_t>(body.size()),
                     0x68};
  std::uint8_t sum = 0;
  for (auto b : body)
    f.push_back(b), sum = static_cast<std::uint8_t>(sum + b);
  f.push_back(sum);
  f.push_back(0x16);
  return f;
}

// Every address 0 to 250 asked in turn; meters answer at 5 and 200. Wall time of the whole scan,
// with the engine's turns run one by one as the virtual clock moves on.
void MBusPrimaryScanVirtualTime(benchmark::State& state) {
  for (auto _ : state) {
    TSteppedClock clock;
    TScopedClock scope(clock);
    TFakeGateway gateway;
    gateway.SetScript([](const TGatewayBytes& r) -> std::vector<TGatewayReply> {
      const std::string text(r.begin(), r.end());
      if (text == "Ormida_Enable_Analyzer_Mode") return {{Bytes_Of("\n\rAnalyzer_Mode Enabled!\n\r")}};
      if (text.starts_with("Ormida_S_M:")) return {{Bytes_Of("\n\rDone!")}};
      if (text == "Ormida_Disable_Analyzer_Mode") return {{Bytes_Of("\n\rAnalyzer_Mode Disabled!\n\r")}};
      if (r.size() == 5 && r[1] != 0x40 && (r[2] == 5 || r[2] == 200)) return {{Frame(r[2])}};
      return {};
    });
    List_Slave_MBus().Clear();
    TMBusScanDecode engine([](std::function<void()>) {}, TScanEndpoints{gateway.Port(), ""});
    engine.Open_Gate();
    TWiredScanSettings s;
    s.IP_COM = gateway.Address();
    engine.Start_Scan(s, {});
    auto quiet = [&] {
      return engine.Datagrams_Sent() == gateway.Received() && gateway.Sent() == engine.Datagrams_Received();
    };
    while (clock.Settle(1, quiet) && engine.InScan())
      clock.AdvanceToNextWake();
    state.counters["virtual_s"] = static_cast<double>(clock.NowMs()) / 1000.0;
    clock.Release();
  }
}

BENCHMARK(MBusPrimaryScanVirtualTime)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
