// The numbered text table: built-in English texts, replaced by number from the chosen language file.
#pragma once

#include "app/DefaultTexts.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

constexpr int Lang_Text_Count = 6300;

// The table's slots. Slots written through it are noted, so that entering the built-in texts again
// puts back only those instead of building all of them at every main window's creation.
class TLangTexts {
public:
  std::size_t size() const { return FTexts.size(); }
  bool empty() const { return FTexts.empty(); }
  const std::string* data() const { return FTexts.data(); }
  // Whole-table changes: the next entering of the built-in texts builds every slot again.
  void clear() { assign(0, std::string()); }
  void resize(std::size_t n);
  void assign(std::size_t n, const std::string& text);
  const std::string& operator[](std::size_t n) const { return FTexts[n]; }
  std::string& operator[](std::size_t n) {
    if (n < FNoted.size() && !FNoted[n]) {
      FNoted[n] = true;
      FChanged.push_back(n);
    }
    return FTexts[n];
  }
  std::vector<std::string>::const_iterator begin() const { return FTexts.begin(); }
  std::vector<std::string>::const_iterator end() const { return FTexts.end(); }
  operator const std::vector<std::string>&() const { return FTexts; }
  friend bool operator==(const TLangTexts& a, const std::vector<std::string>& b) { return a.FTexts == b; }

  // Every slot its built-in text from `blocks`: a blank, the empty text in `emptySlot`, or the
  // text the last block naming its number gives.
  void LoadDefaults(std::span<const TTextBlock> blocks, std::size_t emptySlot);

private:
  bool DefaultsFrom(std::span<const TTextBlock> blocks) const;

  std::vector<std::string> FTexts;
  std::vector<std::string_view> FDefaults; // each slot's built-in text
  std::vector<TDefaultText> FEntries;      // the blocks' entries FDefaults were made from
  std::size_t FEmptySlot = 0;
  std::vector<std::size_t> FChanged; // slots written since the built-in texts were entered
  std::vector<bool> FNoted;
};

// Text n of the current language (UTF-8); Lang_Text_Count slots once loaded.
extern TLangTexts Lang_Texts;

// Text n, or an empty text for a number outside the table.
const std::string& Lang_Text(int n);

// Fills the table with the built-in texts: every spare slot holds one blank, slot 2592 the empty text.
void Load_Default_Texts();
// Applies one language file on top of the table. False (table unchanged) when it cannot be read.
bool Load_Lng_File(const std::string& path);
// The built-in texts, then the file of Language_Name in Language_Dir; when that file is missing, or
// the name would leave the folder, Language_Name becomes "English" and English.lng is applied if present.
void Load_Language();
