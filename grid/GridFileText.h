// Text pieces the grid's text file and CSV formats share.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gridfile {

// UTF-8 text as UTF-16 little-endian code units, surrogate pairs for characters past U+FFFF.
std::string Utf8ToUtf16Le(std::string_view text);
// The text's Windows-1252 bytes, or nothing when a character has no place there.
std::optional<std::string> Utf8ToAnsiExact(std::string_view text);
// Lines split at CR LF, CR or LF; a last line without its break counts, an empty last one not.
std::vector<std::string_view> SplitLines(std::string_view text);
// A decimal number of only digits, at most a leading minus, within int; nothing otherwise.
std::optional<int> StrictInt(std::string_view text);
// Percent of `done` rows out of `count`, clamped to 0..100.
int Percent(long long done, long long count);
// "A1"-style name of a cell for messages.
std::string CellName(int ACol, int ARow);

} // namespace gridfile
