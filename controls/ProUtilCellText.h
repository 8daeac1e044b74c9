// Cell texts of the grid: their kind, the "|\" encoding of wide texts, URLs in cells, R1C1 cell
// references and the HTML clipboard envelope. Texts are UTF-8.
#pragma once

#include "platform/Colors.h"

#include <string>
#include <string_view>

// 0 plain (also the empty text), 1 mini-HTML (only with `htmlEnabled`: "</", "<B", "<I" or "<C"
// occurs), 2 rich text ("{\"), 3 formula ("=", or a wide text whose first character is "="),
// 5 wide text ("|\").
int CellTextKind(std::string_view text, bool htmlEnabled);
// "|\" followed by two characters per UTF-16 unit of the text: its high byte, then its low byte.
std::string EncodeWideCellText(std::string_view wide);
// The reverse for a text starting with "|\" (an odd last character ignored); any other text is
// returned as it is.
std::string DecodeWideCellText(std::string_view text);
// Six upper-case hexadecimal digits, red, green, blue; system colours give their RGB value.
std::string ColorToRGBHex(TColor color);
bool IsURLText(std::string_view text);
// Deletes up to and including the first "://", failing that "mailto:".
void StripURLScheme(std::string& text);
// "R<row>C<column>" in any case, more than 3 characters; col and row are set only on success.
bool ParseRCCellRef(std::string_view text, int& col, int& row);
// Escapes "<" and ">" of the text into `result`; when the upper-cased text holds `upperPrefix`,
// wraps the URL that starts there in an anchor whose text is the URL, and answers 1; else 0.
int AnchorURLInText(std::string_view text, std::string_view upperPrefix, std::string& result);
// Wraps an HTML fragment in the clipboard's HTML envelope; its offsets count bytes of UTF-8.
void WrapAsClipboardHTML(std::string& text);
