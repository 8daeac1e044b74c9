// Turning the bytes of text files into UTF-8, and back for files written in other code pages.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// A UTF-8 or UTF-16 (LE, BE) byte-order mark is honoured and dropped; otherwise valid UTF-8 is
// taken as it is and anything else is read as Windows-1252.
std::string DecodeTextFile(std::string_view bytes);
// The Windows-1252 bytes of a text file that DecodeTextFile reads back as `text`. None when a
// character has no place in the code page, or when the bytes would be taken for UTF-8 or a
// byte-order mark ("Ã©" is C3 A9 in Windows-1252, which reads back as "é").
std::optional<std::string> EncodeAnsiTextFile(std::string_view text);

bool IsValidUtf8(std::string_view text);
std::string Windows1252ToUtf8(std::string_view text);
std::string Cp850ToUtf8(std::string_view text);
// Characters without a place in the code page become '?'.
std::string Utf8ToWindows1252(std::string_view text);
std::string Utf8ToCp850(std::string_view text);
std::u32string Utf8ToUtf32(std::string_view text); // invalid sequences give U+FFFD
std::string Utf32ToUtf8(std::u32string_view text);
// UTF-16 little-endian code units (no byte-order mark), surrogate pairs past U+FFFF.
std::string Utf8ToUtf16Le(std::string_view text);

// Reads the code point at byte `i` and moves `i` past it; an invalid sequence reads as U+FFFD and
// moves `i` by one byte. `i` must be below text.size().
char32_t Utf8Next(std::string_view text, std::size_t& i);
// Appends a code point as UTF-8; surrogates and values past U+10FFFF become U+FFFD.
void AppendUtf8(std::string& out, char32_t c);
