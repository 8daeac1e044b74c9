#include "controls/PictureContainerResources.h"

#include "controls/ProUtilUnicode.h"

void TRawResourceModule::Add(const std::string& name, std::string bytes) {
  FNamed[AsciiUpperCase(name)] = std::move(bytes);
}

void TRawResourceModule::Add(int id, std::string bytes) {
  FNumbered[id] = std::move(bytes);
}

void TRawResourceModule::Remove(const std::string& name) {
  FNamed.erase(AsciiUpperCase(name));
}

void TRawResourceModule::Remove(int id) {
  FNumbered.erase(id);
}

const std::string* TRawResourceModule::Find(const std::string& name) const {
  auto it = FNamed.find(AsciiUpperCase(name));
  return it == FNamed.end() ? nullptr : &it->second;
}

const std::string* TRawResourceModule::Find(int id) const {
  auto it = FNumbered.find(id);
  return it == FNumbered.end() ? nullptr : &it->second;
}

TRawResourceModule& ProgramResources() {
  static TRawResourceModule module;
  return module;
}
