// Text pieces the grid's text file and CSV formats share.
#pragma once

#include "platform/TextCodec.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gridfile {

// The text's Windows-1252 bytes, or nothing when a character has no place there.
std::optional<std::string> Utf8ToAnsiExact(std::string_view text);
// Lines split at CR LF, CR or LF; a last line without its break counts, an empty last one not.
std::vector<std::string_view> SplitLines(std::string_view text);
// Appends each line of a text file's bytes (decoded as text files are) with CR LF.
void AppendFileLines(std::string& text, std::string_view bytes);
// A decimal number of only digits, at most a leading minus, within int; nothing otherwise.
std::optional<int> StrictInt(std::string_view text);
// Percent of `done` rows out of `count`, clamped to 0..100.
int Percent(long long done, long long count);
// Characters (code points) of UTF-8 text.
long long CharCount(std::string_view text);
// The characters from index `from` up to (not including) `to`, both 0-based and clamped to the text.
std::string_view CharSlice(std::string_view text, long long from, long long to);
// "A1"-style name of a cell for messages.
std::string CellName(int ACol, int ARow);

// A cell text on one line of the text file: CR, LF and NUL packed as TAB, BS and 0x01, a lone LF
// included; unpacking keeps only the first line unless multiline.
std::string PackLineBreaks(std::string text);
std::string UnpackLineBreaks(std::string text, bool multiline);

} // namespace gridfile
