// Language switch and settings file: the costs paid at every start and every language change.
#include "app/UComon.h"
#include "app/ULanguage.h"
#include "app/USettings.h"
#include "platform/AtomicFile.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

// A folder of its own under the temporary folder, removed at the end of the benchmark.
struct TBenchFolder {
  TBenchFolder() {
    Path = (std::filesystem::temp_directory_path() /
            ("velmaric_app_bench_" + std::to_string(std::random_device{}())))
               .string();
    std::filesystem::create_directories(Path + "/LANGUAGE");
  }
  ~TBenchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(Path, ignored);
  }
  std::string Path;
};

// A language file that sets every text, with quoted blanks and comments as translators write them.
std::string FullLanguageFile() {
  std::string file = "\xEF\xBB\xBF; every text\r\n";
  for (int n = 0; n < Lang_Text_Count; ++n)
    file +=
        "STR" + std::to_string(n) + " = \xC2\xB6Testo numero " + std::to_string(n) + " \xC2\xB6 /#/ nota\r\n";
  return file;
}

void BM_LoadLanguageSettingAllTexts(benchmark::State& state) {
  TBenchFolder folder;
  Reset_Shared_State();
  Language_Dir = folder.Path + "/LANGUAGE";
  Language_Name = "Italiano";
  WriteFileAtomic(Language_Dir + "/Italiano.lng", FullLanguageFile());
  for (auto _ : state) {
    Load_Language();
    benchmark::DoNotOptimize(Lang_Texts.data());
  }
  if (Lang_Text(6299) != "Testo numero 6299 ") state.SkipWithError("language file not applied");
  Reset_Shared_State();
}
BENCHMARK(BM_LoadLanguageSettingAllTexts)->Unit(benchmark::kMillisecond);

// A language file of 6,300 lines applied to the table, against reading its bytes and splitting them
// into one std::string per line. Figures (RelWithDebInfo, shared 8-core machine under load, CPU
// time, median of 10): ours 263 to 321 us against 150 to 198 us, 1.6 to 1.8 times (before: about
// 2.5 times against this anchor, 16 times against splitting into views). Later: 228 us against
// 135 us (1.7 times, load average 14); by callgrind 3.9 M instructions a load against 2.2 M (1.75x).
void LanguageLoad(benchmark::State& state) {
  TBenchFolder folder;
  const std::string path = folder.Path + "/LANGUAGE/Italiano.lng";
  WriteFileAtomic(path, FullLanguageFile());
  Load_Default_Texts();
  for (auto _ : state) {
    Load_Lng_File(path);
    benchmark::DoNotOptimize(Lang_Texts.data());
  }
  if (Lang_Text(6299) != "Testo numero 6299 ") state.SkipWithError("language file not applied");
}
BENCHMARK(LanguageLoad)->Name("LanguageLoad/ours")->Unit(benchmark::kMicrosecond);

void LanguageLoadAnchor(benchmark::State& state) {
  TBenchFolder folder;
  const std::string path = folder.Path + "/LANGUAGE/Italiano.lng";
  WriteFileAtomic(path, FullLanguageFile());
  std::vector<std::string> lines;
  for (auto _ : state) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    std::string bytes(static_cast<std::size_t>(in.tellg()), '\0');
    in.seekg(0);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    lines.clear();
    for (std::size_t start = 0; start < bytes.size();) {
      std::size_t end = bytes.find('\n', start);
      if (end == std::string::npos) end = bytes.size();
      lines.emplace_back(bytes, start, end - start);
      start = end + 1;
    }
    benchmark::DoNotOptimize(lines.data());
  }
}
BENCHMARK(LanguageLoadAnchor)->Name("LanguageLoad/anchor")->Unit(benchmark::kMicrosecond);

void BM_LoadDefaultTexts(benchmark::State& state) {
  for (auto _ : state) {
    Load_Default_Texts();
    benchmark::DoNotOptimize(Lang_Texts.data());
  }
}
BENCHMARK(BM_LoadDefaultTexts)->Unit(benchmark::kMicrosecond);

void BM_SettingsWriteAndRead(benchmark::State& state) {
  TBenchFolder folder;
  Reset_Shared_State();
  Load_Default_Texts();
  Program_Dir = folder.Path;
  Project_Name = "Plant A";
  Opt_Enable_Internet = true;
  for (auto _ : state) {
    if (!Save_Setting()) state.SkipWithError("settings not written");
    Load_Setting();
  }
  Reset_Shared_State();
}
BENCHMARK(BM_SettingsWriteAndRead)->Unit(benchmark::kMicrosecond);

void BM_SettingsRead(benchmark::State& state) {
  TBenchFolder folder;
  Reset_Shared_State();
  Program_Dir = folder.Path;
  Save_Setting();
  for (auto _ : state)
    benchmark::DoNotOptimize(Load_Setting());
  Reset_Shared_State();
}
BENCHMARK(BM_SettingsRead)->Unit(benchmark::kMicrosecond);

} // namespace
