// The rich-edit stand-in: rich text (RTF) is kept as stored and shown, measured and saved as its
// plain text with the vertical offsets of its characters (superscript and subscript). Only the
// text of the document body is read: control words, destinations such as font and colour tables,
// and pictures are skipped. Reading never recurses, so no input can exhaust the stack.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The plain text of an RTF document: paragraphs and line breaks end in CR LF (the paragraph mark
// that ends the document excepted), tabs stay tabs, \'hh bytes are read in the document's code
// page (\ansicpg, else Windows-1252) and \uN as the character N (its \ucN fallback skipped). A
// text that is no RTF is answered as it is.
std::string RichTextToPlain(std::string_view rtf);

struct TRichPlainText {
  std::string Text; // UTF-8
  // One per character (code point) of Text: raised (+) or lowered (-) by so many half-points.
  std::vector<int> Offsets;
};
TRichPlainText RichTextRead(std::string_view rtf);

// A 7-bit RTF document of the plain text: characters outside ASCII and control characters as
// \uN?, CR LF as \par, tabs as \tab, offsets as \upN and \dnN in half-points. Offsets may be
// shorter than the text (the rest is 0). Reading it gives back the text and offsets exactly.
std::string RichTextWrite(std::string_view text, const std::vector<int>& offsets = {});
