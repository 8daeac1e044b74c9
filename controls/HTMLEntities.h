// Characters and their HTML entities, for the grid's HTML export and the values of the
// controls embedded in mini-HTML. Texts are UTF-8.
#pragma once

#include <string>
#include <string_view>

// "&lt;", "&gt;", "&amp;" and "&quot;" in that order, then with `named` the accented letters and
// signs of the entity table (names matching case). Unknown entities stay as they are.
std::string DecodeHTMLEntities(std::string_view text, bool named);
// "&", double quote, "<" and ">" to entities, then with `named` the characters of the table.
std::string EncodeHTMLEntities(std::string_view text, bool named);
std::string SpacesToNbsp(std::string_view text);
