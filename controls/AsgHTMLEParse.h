// Reading mini-HTML mark-up for the renderer: the text prepared for layout, cut into text runs
// and tags, the tags recognised by their first letters, and their attribute values.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The text as the renderer lays it out: every "<#" tag shown as its text without "<" and ">", the
// entities of the renderer rewritten outside tags (repeatedly, in any case; "&amp;" becomes "&&",
// which the text output shows as one "&"), each CR turned into "<BR>" and each LF dropped.
std::string PrepareHTMLText(std::string_view text);

// "&nbsp;", "&lt;" and "&gt;" of one text run (any case).
std::string ConvertRunEntities(std::string_view run);

// What the text output shows of a run: "&&" as "&", a single "&" underlines the next character
// and is not shown itself.
std::string VisibleRunText(std::string_view run);

struct THTMLToken {
  bool IsTag = false;
  std::string Text; // a tag from its "<" to its ">"
};

// Text runs and tags in order. A "<" without a ">" after it, or among the last two characters,
// ends the text. With word wrap a run ends after its first blank.
std::vector<THTMLToken> TokenizeHTML(std::string_view text, bool wordWrap);

enum class THTMLTag {
  Unknown,
  Bold,
  Italic,
  Underline,
  Strike,
  Anchor,
  Break,
  Rule,
  Blink,
  Body,
  Control,
  Error,
  Font,
  Highlight,
  Indent,
  Image,
  ListItem,
  Paragraph,
  Rotate,
  Shadow,
  Sub,
  Sup,
  List,
  Hidden,
  EndAnchor,
  EndBold,
  EndColor, // any other closing tag starting "</B" (BLINK, BODY)
  EndError,
  EndFont,
  EndHighlight,
  EndItalic,
  EndListItem,
  EndParagraph,
  EndRotate,
  EndSubSup,
  EndShadow,
  EndStrike,
  EndUnderline,
  EndList,
  EndHidden
};

// The tag a "<...>" text stands for, by its first one or two letters in any case.
THTMLTag ClassifyHTMLTag(std::string_view tag);

// The value of attribute `name` (upper case, found in any case and followed by "="), taken between
// the double quotes that follow; empty when absent or unquoted. With `upperCase` the value comes
// from the upper-cased tag.
std::string HTMLTagAttribute(std::string_view tag, std::string_view name, bool upperCase = false);
bool HTMLTagHasAttribute(std::string_view tag, std::string_view name);

// The digits at the start of `text` as a number, 0 when there are none; never above `cap`.
int LeadingDigits(std::string_view text, int cap);

// The whole number after the first letter `letter` (either case) of the tag, past "=", blanks and
// a quote, with an optional "-"; none when no digit follows. Kept within -cap..cap.
std::optional<int> NumberAfterLetter(std::string_view tag, char letter, int cap);

// The number of a SIZE attribute: the digits after "=" and the quote; none without digits.
std::optional<int> HTMLFontSizeValue(std::string_view tag, int cap);
