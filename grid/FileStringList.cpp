#include "grid/FileStringList.h"

void TFileStringList::Reset() {
  fp = 0;
  cache.clear();
}

void TFileStringList::ReadLn(std::string& s) {
  if (Eof()) {
    s.clear();
    return;
  }
  s = Strings(fp++);
}

void TFileStringList::WriteLn(const std::string& s) {
  Add(cache + s);
  cache.clear();
}
