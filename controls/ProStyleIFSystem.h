// What the style probes ask of the system, replaceable so that tests can play other systems.
// The default answers as this platform stands in for Windows: a current version (Vista and
// later) with visual styles on and the common controls of version 6, and no registry, so no
// office suite and no office colour theme.
#pragma once

#include <optional>
#include <string>

class TStyleSystem {
public:
  virtual ~TStyleSystem() = default;
  // Whether the system's kernel library offers the function (by name).
  virtual bool KernelExports(const std::string& function) const;
  virtual int OSMajorVersion() const;
  virtual int OSMinorVersion() const;
  // Major file version of the common controls library.
  virtual int ComCtlMajorVersion() const;
  // The visual-styles library is there.
  virtual bool ThemeLibraryPresent() const;
  virtual bool ThemeActive() const;
  // Colour scheme name of the current visual style.
  virtual std::string ThemeColorScheme() const;
  // Keys and integer values below the current user's registry root.
  virtual bool RegistryKeyExists(const std::string& key) const;
  virtual std::optional<int> RegistryInteger(const std::string& key, const std::string& value) const;
};

// The system in use: the platform's unless a test replaced it.
const TStyleSystem& StyleSystem();
// Replaces it; nullptr restores the platform's.
void SetStyleSystem(const TStyleSystem* system);

// Installs a system for the lifetime of a scope.
class TScopedStyleSystem {
public:
  explicit TScopedStyleSystem(const TStyleSystem& system) { SetStyleSystem(&system); }
  ~TScopedStyleSystem() { SetStyleSystem(nullptr); }
  TScopedStyleSystem(const TScopedStyleSystem&) = delete;
  TScopedStyleSystem& operator=(const TScopedStyleSystem&) = delete;
};
