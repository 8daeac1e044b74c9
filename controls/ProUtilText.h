// Small text routines shared by the grid, its files and clipboard, the editors and drop-downs:
// searching, the line-break and field encodings of the grid's text, CSV and print-settings
// formats, OEM conversion and mixed-case editing.
// Texts are UTF-8. Positions are 1-based byte positions (0 means not found), so callers can cut
// the text with them; a character argument is a code point and is found wherever its UTF-8
// bytes stand.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Searching and small arithmetic.
int LocateSubStr(std::string_view sub, std::string_view text, int& pos);
// The caller passes an upper-case `sub`; only ASCII letters of `text` are upper-cased.
int PosInUpperCase(std::string_view sub, std::string_view text);
// `pos` is written only when the character is found.
int LocateChar(char32_t ch, std::string_view text, int& pos);
int IndexOfChar(char32_t ch, std::string_view text);
int PosWide(std::string_view sub, std::string_view text);
int CountCharOccurrences(char32_t ch, std::string_view text);
// The closing quote of a CSV field in which a doubled quote stands for one: the end of the first
// run of `ch` of odd length that another character follows, or the last position when the text
// ends with `ch`; 0 when none. Stored in `pos` too.
int FindUndoubledChar(char32_t ch, std::string_view text, int& pos);
int CountUndoubledChar(char32_t ch, std::string_view text);
int MaxOf(int a, int b);
int MinOf(int a, int b);
// Equal limits leave the value alone; a limit of 0 or less is no limit; the upper limit wins.
int ClampToLimits(int value, int lowerLimit, int upperLimit);
// Bounds included.
bool IsCellInGridRect(int left, int top, int right, int bottom, int col, int row);
std::string ConcatLines(const std::vector<std::string>& lines);
// Cuts the text before the first `separator` off `text`, together with the separator's first
// character; without the separator the result is empty and `text` stays.
std::string CutLeadingField(std::string& text, std::string_view separator);

// Line-break and field encodings.
// A multi-line cell text on one line of the grid's text file: CR -> #9, LF -> #8, #0 -> #1
// (only when the text holds a CR).
std::string PackLineBreaks(std::string_view text);
// The reverse, only when the text holds #8 (any other text is returned as it is); then without
// `multiLine` only the first line.
std::string UnpackLineBreaks(std::string_view text, bool multiLine);
// The text up to its first CR. With `keep` the variable keeps what follows that CR (one LF right
// after it dropped); otherwise, and always when there is no CR, it is cleared.
std::string TakeFirstLine(std::string& text, bool keep);
int CountTextLines(std::string_view text, bool multiLine);
std::string EscapeNewLines(std::string_view text);
std::string UnescapeNewLines(std::string_view text);
void QuoteMultiLineCSV(std::string& text);
void VTToCRLF(std::string& text);
void CRLFToLF(std::string& text);
void LineBreaksToTilde(std::string& text);
// "~" -> CR LF; the text "^" (the mark of an empty cell) becomes empty.
void TildeToLineBreaks(std::string& text);
std::string CRToLF(std::string_view text);
std::string RemoveAllCR(std::string_view text);
std::string CRToHTMLBreaks(std::string_view text);
std::string DoubleQuoteMarks(std::string_view text);
std::string UndoubleChar(char32_t ch, std::string_view text);
// Every character overwritten with `ch`, as many characters as before.
void FillWithChar(std::string& text, char32_t ch);
// The text in the OEM code page (CP850), its bytes read back as ANSI (Windows-1252) text.
void TextToOem(std::string& text);
// The text's ANSI bytes read as OEM text.
void OemToText(std::string& text);

// Capital letter after a blank, apostrophe, comma, hyphen or full stop, the others lower case;
// "Mc" names and Roman II and III at the end are kept in capitals.
std::string ToMixedCase(std::string_view text);
