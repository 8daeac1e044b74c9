#include "platform/Format.h"
#include "platform/TextCodec.h"
#include "platform/Xml.h"

#include <benchmark/benchmark.h>

namespace {

// A table file the size of the larger editors: 256 rows of a dozen attributes each.
std::string TableDocument() {
  TXmlDocument doc;
  TXmlNode root = doc.CreateRoot("LoRaWAN_SetAccess");
  TXmlNode uplink = root.AddChild("LoRaWAN_Uplink");
  for (int i = 0; i < 256; ++i) {
    TXmlNode row = uplink.AddChild("row");
    row.SetAttribute("Enable", i % 3 ? "Y" : "N");
    row.SetAttribute("Name", "Rule " + std::to_string(i));
    row.SetAttribute("Port", std::to_string(1 + i % 223));
    row.SetAttribute("NumByte", std::to_string(i % 50));
    row.SetAttribute("Address", std::to_string(1000 + i * 4));
    row.SetAttribute("Type", "UINT16");
    row.SetAttribute("Swap", "N");
    row.SetAttribute("Period", "60");
    row.SetAttribute("Confirmed", "Y");
    row.SetAttribute("Description", "Meter reading & status <" + std::to_string(i) + ">");
    row.SetAttribute("Offset", "0");
    row.SetAttribute("Mask", "FFFF");
  }
  doc.AddCommentAfterRoot("SW_VERSION = 1.000");
  return doc.SaveToString();
}

void BM_XmlTableParseAndSave(benchmark::State& state) {
  const std::string text = TableDocument();
  for (auto _ : state) {
    TXmlDocument doc;
    if (!doc.LoadFromString(text)) state.SkipWithError("parse failed");
    std::size_t rows = doc.DocumentElement().Child("LoRaWAN_Uplink").Children("row").size();
    std::string saved = doc.SaveToString();
    benchmark::DoNotOptimize(rows);
    benchmark::DoNotOptimize(saved);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_XmlTableParseAndSave);

void BM_XmlTableRead(benchmark::State& state) {
  const std::string text = TableDocument();
  for (auto _ : state) {
    TXmlDocument doc;
    doc.LoadFromString(text);
    std::size_t total = 0;
    for (const TXmlNode& row : doc.DocumentElement().Child("LoRaWAN_Uplink").Children("row"))
      total += row.Attribute("NumByte", "-1").size() + row.Attribute("Missing", "0").size();
    benchmark::DoNotOptimize(total);
  }
}
BENCHMARK(BM_XmlTableRead);

void BM_DecodeWindows1252(benchmark::State& state) {
  std::string text;
  for (int i = 0; i < 6300; ++i)
    text += "STR " + std::to_string(i) + "   = Gr\xF6\xDF" "e \x80 Text\r\n";
  for (auto _ : state)
    benchmark::DoNotOptimize(DecodeTextFile(text));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_DecodeWindows1252);

void BM_Format(benchmark::State& state) {
  for (auto _ : state)
    benchmark::DoNotOptimize(
        Format("Row %d, column %s: %.2f (%n)", {std::int64_t{42}, std::string("Name"), 3.14159, 1234567.5}));
}
BENCHMARK(BM_Format);

} // namespace
