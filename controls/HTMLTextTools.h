// Mini-HTML mark-up worked on as text, without drawing: plain text from mark-up, highlighting or
// marking every occurrence of a search text in it and removing such marks again, and small
// helpers of the HTML cells. Texts are UTF-8; positions are 1-based byte positions (0 means
// none), visible positions count the bytes of the text outside tags.
#pragma once

#include <string>
#include <string_view>

// "<BR>" and "<HR>" (any case) become CR LF, other tags are removed; a "<" without a ">" after it
// is kept with the rest of the text.
std::string StripHTMLTags(std::string_view markup);
// The visible text for searching: tags removed until the next "<" does not come before the next
// ">"; the rest from there is kept as it is.
std::string StripTagsForSearch(std::string_view markup);
// The mark-up position at which an insertion lands just before visible character n, ahead of
// any tags that follow character n - 1 (1 for n = 1); 0 beyond one past the last.
int VisibleToMarkupPos(std::string_view markup, int visiblePos);
// The next occurrence after the first `skip` bytes of the visible text (upper-cased comparison
// without `caseSensitive`), counted from the start of the whole text; also stored in `pos`.
int FindInVisibleText(std::string_view search, std::string_view visible, int skip, int& pos,
                      bool caseSensitive);
// Every occurrence of `search` in the visible text wrapped in <tag> and </tag> ("hi" highlights,
// "e" marks).
std::string HighlightInHTML(std::string_view markup, std::string_view search, std::string_view tag,
                            bool caseSensitive);
// Removes <tag> and </tag> in any case, then turns "&lt;" and "&gt;" back into "<" and ">".
std::string UnhighlightInHTML(std::string_view markup, std::string_view tag);

// One "*" per character.
std::string PasswordMask(std::string_view text);
// Replaces the first occurrence of `oldText` found ignoring the case of ASCII letters; 1 when
// replaced.
int ReplaceFirstIgnoreCase(std::string_view oldText, std::string_view newText, std::string& text);
int PosIgnoreCase(std::string_view sub, std::string_view text);
// With `keepBreaks` each CR becomes "<BR>"; other CRs and all LFs are dropped.
std::string LineBreaksToBR(std::string_view text, bool keepBreaks);
