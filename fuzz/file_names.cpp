// File-name checks: a name that passes never leaves its folder.
#include "platform/Files.h"
#include "support/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string name(AsText(data, size));
  if (IsSafeFileName(name)) {
    FuzzCheck(name != "." && name != ".." && !name.empty(), "no empty name and no dots alone");
    FuzzCheck(name.find_first_of("/\\:*?\"<>|") == std::string::npos, "no separator or wildcard", name);
    for (char c : name)
      FuzzCheck(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F, "no control character", name);
    FuzzCheck(name.front() != ' ' && name.back() != ' ' && name.back() != '.', "no blank or dot at the ends",
              name);
    FuzzCheck(ExtractFileName(JoinPath("folder", name)) == name, "the name stays in its folder", name);
  }
  ExtractFilePath(name);
  ChangeFileExt(name, ".xml");
  return 0;
}
