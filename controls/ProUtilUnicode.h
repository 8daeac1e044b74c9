// Code points of UTF-8 texts: walking them with their byte offsets, simple case mapping and the
// number categories. Bytes that are no valid UTF-8 stand for themselves and are copied unchanged.
#pragma once

#include "platform/TextCodec.h"

#include <cstddef>
#include <string>
#include <string_view>

std::string CodePointToUtf8(char32_t c);
// Number of code points (invalid bytes count one each).
std::size_t Utf8Length(std::string_view text);
// Drops the last `count` characters, each UTF-8 sequence whole.
void DropLastUtf8Chars(std::string& text, std::size_t count);

char32_t UnicodeUpper(char32_t c);
char32_t UnicodeLower(char32_t c);
// True for the categories decimal digit, letter number and other number.
bool UnicodeIsNumber(char32_t c);

// Whole texts in upper or lower case, code point by code point.
std::string UnicodeUpperCase(std::string_view text);
std::string UnicodeLowerCase(std::string_view text);
// ASCII letters only; byte positions stay as they are.
std::string AsciiUpperCase(std::string_view text);

// 0-based byte offset of `sub` in `text` at or after `from`, comparing code points in upper
// case; npos when absent or when `sub` is empty. `matchLength` receives the bytes the match
// takes in `text` (it can differ from sub.size() where the cases differ in length).
std::size_t FindIgnoringCase(std::string_view text, std::string_view sub, std::size_t from,
                             std::size_t* matchLength = nullptr);
// The same for ASCII letters only.
std::size_t FindIgnoringAsciiCase(std::string_view text, std::string_view sub, std::size_t from = 0);
