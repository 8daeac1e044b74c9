// Raw-data resources: named or numbered blocks of bytes that pictures can be loaded from.
#pragma once

#include <map>
#include <string>

class TRawResourceModule {
public:
  // Names are compared without regard to letter case, as resource names are.
  void Add(const std::string& name, std::string bytes);
  void Add(int id, std::string bytes);
  void Remove(const std::string& name);
  void Remove(int id);
  // The bytes, or nullptr when the module has no such resource.
  const std::string* Find(const std::string& name) const;
  const std::string* Find(int id) const;

private:
  std::map<std::string, std::string> FNamed; // by upper-cased name
  std::map<int, std::string> FNumbered;
};

// The program's own raw-data resources ("res://" sources). None are built in.
TRawResourceModule& ProgramResources();
