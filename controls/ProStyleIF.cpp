#include "controls/ProStyleIF.h"
#include "controls/ProStyleIFSystem.h"

namespace {

const char* const Office12Key = "Software\\Microsoft\\Office\\12.0\\Common\\General";
const char* const Office14Key = "Software\\Microsoft\\Office\\14.0\\Common\\General";

// The "Theme" value of a key; -1 when the key or the value is missing.
int ThemeValue(const std::string& key) {
  const TStyleSystem& sys = StyleSystem();
  if (!sys.RegistryKeyExists(key)) return -1;
  return sys.RegistryInteger(key, "Theme").value_or(-1);
}

bool Contains(const std::string& text, const char* part) {
  return text.find(part) != std::string::npos;
}

} // namespace

bool RunsOnVistaOrLater() {
  return StyleSystem().KernelExports("GetLocaleInfoEx");
}

bool RunsOnXPOrLater() {
  const TStyleSystem& sys = StyleSystem();
  const int major = sys.OSMajorVersion();
  return major > 5 || (major == 5 && sys.OSMinorVersion() > 0);
}

bool IsComCtl6() {
  return StyleSystem().ComCtlMajorVersion() > 5;
}

bool IsThemeActive() {
  const TStyleSystem& sys = StyleSystem();
  return sys.ThemeLibraryPresent() && sys.ThemeActive();
}

bool InitThemeLibrary() {
  return StyleSystem().ThemeLibraryPresent();
}

int DetectXPColorScheme() {
  if (!RunsOnXPOrLater() || !IsThemeActive() || !IsComCtl6()) return 0;
  // The system hands the name over in a buffer of 255 characters.
  const std::string scheme = StyleSystem().ThemeColorScheme().substr(0, 254);
  if (Contains(scheme, "NormalColor")) return 1;
  if (Contains(scheme, "HomeStead")) return 2;
  if (Contains(scheme, "Metallic")) return 3;
  return 0;
}

int DetectOfficeVersion() {
  // Version 11 (2003) has no colour themes to follow and counts as none.
  const TStyleSystem& sys = StyleSystem();
  if (sys.RegistryKeyExists(Office14Key)) return 2;
  if (sys.RegistryKeyExists(Office12Key)) return 1;
  return 0;
}

TOfficeTheme DetectOfficeTheme() {
  switch (ThemeValue("Software\\Microsoft\\Office\\14.0\\Common")) {
  case -1:
    break;
  case 1:
    return ot2010Blue;
  case 2:
    return ot2010Silver;
  case 3:
    return ot2010Black;
  default:
    return ot2003Blue;
  }
  switch (ThemeValue("Software\\Microsoft\\Office\\12.0\\Common")) {
  case -1:
    break;
  case 1:
    return ot2007Blue;
  case 2:
    return ot2007Silver;
  case 3:
    return ot2007Black;
  default:
    return ot2003Blue;
  }
  switch (DetectXPColorScheme()) {
  case 1:
    return ot2003Blue;
  case 2:
    return ot2003Olive;
  case 3:
    return ot2003Silver;
  default:
    return ot2003Classic;
  }
}

std::string DefaultUIFontName() {
  return RunsOnVistaOrLater() ? "Segoe UI" : "Tahoma";
}
