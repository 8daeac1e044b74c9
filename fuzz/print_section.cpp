// The print settings read from an INI file: reading leaves the file as it was, and what is read
// saves to a section that loads back to the same settings.
#include "support/FuzzGrid.h"

#include "platform/Files.h"

namespace {

std::string Bytes(const std::string& path) {
  std::string bytes;
  ReadFileBytes(path, bytes);
  return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TProStringGrid* grid = &FuzzStringGrid();
  const std::string path = WriteFuzzFile("print.ini", AsText(data, size));
  grid->LoadPrintSettings(path, "Print");
  FuzzCheck(Bytes(path) == std::string(AsText(data, size)), "loading leaves the file as it was");
  const std::string first = JoinPath(FuzzFolder(), "first.ini");
  const std::string second = JoinPath(FuzzFolder(), "second.ini");
  WriteFuzzFile("first.ini", "");
  WriteFuzzFile("second.ini", "");
  grid->SavePrintSettings(first, "Print");
  grid->LoadPrintSettings(first, "Print");
  grid->SavePrintSettings(second, "Print");
  FuzzCheck(Bytes(first) == Bytes(second), "saved settings load back the same", Bytes(first));
  return 0;
}
