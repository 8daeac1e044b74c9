// The grid filter evaluates its condition once per cell: MatchFilterCondition over a column of
// 100,000 cell texts.
#include "controls/FilterCondition.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> CellTexts() {
  static const char* const Words[] = {"Apple", "Berry", "Cherry", "Gateway", "Modbus", "LoRaWAN", "Meter"};
  std::vector<std::string> cells;
  cells.reserve(100000);
  for (int i = 0; i < 100000; ++i) {
    if (i % 3 == 0)
      cells.push_back(std::to_string(i % 997));
    else if (i % 3 == 1)
      cells.push_back(std::string(Words[i % 7]) + " " + std::to_string(i));
    else
      cells.push_back(std::to_string(1 + i % 28) + "/" + std::to_string(1 + i % 12) + "/20" +
                      std::to_string(10 + i % 15));
  }
  return cells;
}

void MatchColumn(benchmark::State& state, const char* condition, bool caseSensitive) {
  const std::vector<std::string> cells = CellTexts();
  for (auto _ : state) {
    int matches = 0;
    for (const std::string& cell : cells)
      matches += MatchFilterCondition(condition, cell, caseSensitive);
    benchmark::DoNotOptimize(matches);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(cells.size()));
}

} // namespace

BENCHMARK_CAPTURE(MatchColumn, Range, ">=10&<500", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(MatchColumn, Wildcards, "A*|b*|*way*", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(MatchColumn, Negation, "!*e*", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(MatchColumn, DateAfter, ">01/06/2020", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(MatchColumn, Groups, "(A*|C*)&(*1*|*2*)", false)->Unit(benchmark::kMillisecond);
