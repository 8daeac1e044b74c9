// UTF-16 text as the tree's streams, RTF export and accessibility calls carry it.
#pragma once

#include <string>
#include <string_view>

// Characters past U+FFFF become surrogate pairs.
std::u16string Utf8ToUtf16(std::string_view text);
// Unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(const std::u16string& units);
