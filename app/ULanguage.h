// The numbered text table: built-in English texts, replaced by number from the chosen language file.
#pragma once

#include <string>
#include <vector>

constexpr int Lang_Text_Count = 6300;

// Text n of the current language (UTF-8); Lang_Text_Count slots once loaded.
extern std::vector<std::string> Lang_Texts;

// Text n, or an empty text for a number outside the table.
const std::string& Lang_Text(int n);

// Fills the table with the built-in texts: every spare slot holds one blank, slot 2592 the empty text.
void Load_Default_Texts();
// Applies one language file on top of the table. False (table unchanged) when it cannot be read.
bool Load_Lng_File(const std::string& path);
// The built-in texts, then the file of Language_Name in Language_Dir; when that file is missing, or
// the name would leave the folder, Language_Name becomes "English" and English.lng is applied if present.
void Load_Language();
