#include "controls/PictureContainerResources.h"

#include <algorithm>
#include <cctype>

namespace {

std::string Upper(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::toupper(c)); });
  return s;
}

} // namespace

void TRawResourceModule::Add(const std::string& name, std::string bytes) {
  FNamed[Upper(name)] = std::move(bytes);
}

void TRawResourceModule::Add(int id, std::string bytes) {
  FNumbered[id] = std::move(bytes);
}

void TRawResourceModule::Remove(const std::string& name) {
  FNamed.erase(Upper(name));
}

void TRawResourceModule::Remove(int id) {
  FNumbered.erase(id);
}

const std::string* TRawResourceModule::Find(const std::string& name) const {
  auto it = FNamed.find(Upper(name));
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
