// What the text editor of a cell does with a typed character or a pasted text, by editor kind:
// the character goes in (possibly changed), is dropped, or is refused with a beep. Kept apart
// from the window so each rule can be checked alone.
#pragma once

#include "grid/GridTypes.h"

#include <bitset>
#include <optional>
#include <string>

struct TEditCharRules {
  TEditorType Kind = edNormal;
  // With a non-empty ValidChars it decides, else the set.
  std::string ValidChars;
  std::bitset<256> ValidCharSet;
  char DecimalSeparator = '.';
  char ThousandSeparator = ',';
};

struct TEditState {
  std::string Text;
  int SelStart = 0; // byte offsets into Text
  int SelLength = 0;
};

// Edits count characters, the texts are UTF-8: the byte offset of character index Chars, and the
// characters in the first Bytes bytes.
int TextByteOffset(const std::string& Text, int Chars);
int TextCharCount(const std::string& Text, int Bytes);

enum TEditCharAction { ecaAccept, ecaDrop, ecaBeep };

struct TEditCharResult {
  TEditCharAction Action = ecaAccept;
  char Key = 0; // the character that goes in (upper- or lower-cased by kind)
  // edMixedCase: the whole text is passed through the mixed-case rule after the key.
  bool MixedCase = false;
};

// The filter of a typed character (Backspace 8, Tab 9, Enter 13, Esc 27). Ctrl lets the float
// kinds pass their other characters (Ctrl+C, Ctrl+V ...).
TEditCharResult FilterEditChar(const TEditCharRules& Rules, const TEditState& State, char Key, bool Ctrl);

// Applies a typed character as the edit would: the filter, then replacing the selection (or
// Backspace removing one character). Beep tells whether the key was refused with a beep.
TEditState TypeEditChar(const TEditCharRules& Rules, const TEditState& State, char Key, bool Ctrl,
                        bool& Beep);

// A pasted text: one trailing line break is dropped; the resulting edit text is tested by kind.
// nullopt when the paste is refused (the text stays as it was). LengthLimit 0 or less: none.
std::optional<TEditState> PasteEditText(const TEditCharRules& Rules, const TEditState& State,
                                        std::string Pasted, int LengthLimit);
