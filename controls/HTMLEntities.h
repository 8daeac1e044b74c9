// Characters and their HTML entities, for the grid's HTML export and the values of the
// controls embedded in mini-HTML. Texts are UTF-8.
#pragma once

#include <string>
#include <string_view>

// "&lt;", "&gt;", "&amp;" and "&quot;", and with `named` the accented letters and signs of the
// entity table (names matching case), in one pass from the left: what an entity turns into is
// never read again. Unknown entities stay as they are.
std::string DecodeHTMLEntities(std::string_view text, bool named);
// "&", double quote, "<" and ">" to entities, and with `named` the characters of the table;
// DecodeHTMLEntities gives back exactly the text.
std::string EncodeHTMLText(std::string_view text, bool named);
// EncodeHTMLText of the text in which every "*amp;" stands for "&" (as the grid's export writes).
std::string EncodeHTMLEntities(std::string_view text, bool named);
std::string SpacesToNbsp(std::string_view text);
