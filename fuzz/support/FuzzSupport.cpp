#include "support/FuzzSupport.h"

#include "app/ULanguage.h"
#include "platform/ui/Fonts.h"
#include "program/Composition.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

// Kept in plain memory: the removal at exit runs after the folder's string is gone.
char CreatedFolder[256];

void RemoveCreatedFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(CreatedFolder, ignored);
}

} // namespace

const std::string& FuzzFolder() {
  static const std::string folder = [] {
    const char* base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::string pattern = std::string(base) + "/velmaric-fuzz-XXXXXX";
    if (!mkdtemp(pattern.data()) || pattern.size() >= sizeof CreatedFolder) std::abort();
    // A run that ends normally takes its folder with it.
    pattern.copy(CreatedFolder, pattern.size());
    std::atexit(RemoveCreatedFolder);
    return pattern;
  }();
  return folder;
}

std::string WriteFuzzFile(const std::string& name, std::string_view bytes) {
  const std::string path = FuzzFolder() + "/" + name;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path;
}

void EnsureFuzzGui() {
  static const bool ready = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    return EnsureGuiApplication();
  }();
  if (!ready) std::abort();
}

void LoadProgramTexts() {
  Set_Composition(Velmaric_Composition());
  Load_Default_Texts();
}

void FuzzCheck(bool holds, std::string_view what, std::string_view detail) {
  if (holds) return;
  std::fprintf(stderr, "Property failed: %.*s\n%.*s\n", static_cast<int>(what.size()), what.data(),
               static_cast<int>(detail.size()), detail.data());
  std::abort();
}
