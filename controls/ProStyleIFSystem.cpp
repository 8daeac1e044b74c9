#include "controls/ProStyleIFSystem.h"

bool TStyleSystem::KernelExports(const std::string& function) const {
  return function == "GetLocaleInfoEx"; // the one export the probes ask for; present since Vista
}

int TStyleSystem::OSMajorVersion() const {
  return 10;
}

int TStyleSystem::OSMinorVersion() const {
  return 0;
}

int TStyleSystem::ComCtlMajorVersion() const {
  return 6;
}

bool TStyleSystem::ThemeLibraryPresent() const {
  return true;
}

bool TStyleSystem::ThemeActive() const {
  return true;
}

std::string TStyleSystem::ThemeColorScheme() const {
  return "NormalColor"; // the scheme of the standard style of current versions
}

bool TStyleSystem::RegistryKeyExists(const std::string&) const {
  return false;
}

std::optional<int> TStyleSystem::RegistryInteger(const std::string&, const std::string&) const {
  return std::nullopt;
}

namespace {

const TStyleSystem* Replaced = nullptr;

} // namespace

const TStyleSystem& StyleSystem() {
  static const TStyleSystem platform;
  return Replaced ? *Replaced : platform;
}

void SetStyleSystem(const TStyleSystem* system) {
  Replaced = system;
}
