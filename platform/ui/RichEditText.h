// The rich-edit stand-in: rich text (RTF) is kept as stored and shown, measured and saved as its
// plain text. Only the text of the document body is read: control words, destinations such as
// font and colour tables, and pictures are skipped.
#pragma once

#include <string>
#include <string_view>

// The plain text of an RTF document: paragraphs and line breaks end in CR LF (none after the
// last), tabs stay tabs, \'hh bytes are read as Windows-1252 and \uN as the character N. A text
// that is no RTF is answered as it is.
std::string RichTextToPlain(std::string_view rtf);
