// INI text as a file gives it: parsed, read back, and written and parsed again to the same store.
#include "platform/IniFiles.h"
#include "platform/StringList.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  TStringList lines;
  lines.SetText(std::string(reinterpret_cast<const char*>(data), size));
  TMemIniFile ini("");
  ini.SetStrings(lines);
  TStringList sections, keys, once, twice;
  ini.ReadSections(sections);
  for (int i = 0; i < sections.Count(); ++i) {
    ini.ReadSection(sections[i], keys);
    for (int k = 0; k < keys.Count(); ++k)
      ini.ReadInteger(sections[i], keys[k], 0);
  }
  ini.GetStrings(once);
  TMemIniFile again("");
  again.SetStrings(once);
  again.GetStrings(twice);
  if (!once.Equals(twice)) std::abort();
  return 0;
}
