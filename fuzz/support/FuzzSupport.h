// What the fuzz targets share: a scratch folder for readers that take a path, the offscreen GUI for
// readers that draw, and a check that stops the run with a message when a property fails.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// A folder of this process (in memory where the system offers it), created on first use and
// removed when the process exits.
const std::string& FuzzFolder();
// The path of `name` in FuzzFolder() after writing `bytes` to it (plainly: no flush, no rename).
std::string WriteFuzzFile(const std::string& name, std::string_view bytes);
// The Qt application on the offscreen platform, created once.
void EnsureFuzzGui();
// The program's built-in text table, loaded as the program loads it.
void LoadProgramTexts();
// Stops the run (abort, which libFuzzer reports with the input) when a property does not hold.
void FuzzCheck(bool holds, std::string_view what, std::string_view detail = {});

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}
