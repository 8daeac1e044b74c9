// Edit masks: the pattern a masked edit box shows and fills as the user types.
//
//   mask[;save[;blank]]      e.g. "!999.999.999.999;1;_" or ">LL-0000;0; "
//
// Mask characters: 0 digit (required), 9 digit, # digit, "+" or "-", L letter (required),
// l letter, A letter or digit (required), a letter or digit, C any character (required), c any
// character; > makes the following letters capitals, < small letters, <> leaves them; \ takes the
// next character literally; _ stands for a blank literal; : and / are the time and date
// separators; ! is accepted and has no effect here. Every other character is a literal. The save
// field "0" leaves the literals out of the value (default: kept); the blank field is the character
// shown in positions not yet typed (default "_"). A ";" is a field separator unless escaped by \.
#pragma once

#include <string>
#include <vector>

class TEditMask {
public:
  TEditMask() = default;
  explicit TEditMask(const std::string& mask);

  // True for the empty mask: nothing is filtered.
  bool Empty() const { return FPositions.empty(); }
  // Number of positions (of the edit text).
  int Length() const { return static_cast<int>(FPositions.size()); }
  char16_t Blank() const { return FBlank; }
  bool SavesLiterals() const { return FSaveLiterals; }
  bool IsLiteral(int pos) const;

  // The edit text for a value: its characters placed into the input positions in order (a
  // character equal to the literal in its place passes that literal), blanks where none fits.
  std::u16string Format(const std::u16string& value) const;
  // The value of an edit text: blanks read as spaces; literals left out unless saved.
  std::u16string Value(const std::u16string& editText) const;
  // Typing `ch` over the selection [selStart, selStart + selLength): true and the text and caret
  // changed when accepted; false (nothing changed) when the character fits no position there.
  bool Type(std::u16string& editText, int& selStart, int selLength, char16_t ch) const;
  // Backspace and Delete: the selection (or the input position before or at the caret) is blanked.
  void Backspace(std::u16string& editText, int& selStart, int selLength) const;
  void Delete(std::u16string& editText, int& selStart, int selLength) const;
  // The first input position still blank (Length() when none is).
  int FirstBlank(const std::u16string& editText) const;
  // Every required position holds a character.
  bool Complete(const std::u16string& editText) const;

private:
  enum TKind { mkLiteral, mkDigit, mkDigitSign, mkLetter, mkAlphaNum, mkAny };
  enum TCase { mcNone, mcUpper, mcLower };
  struct TPosition {
    TKind Kind = mkLiteral;
    bool Required = false;
    TCase Case = mcNone;
    char16_t Literal = 0;
  };
  // The character as the position takes it (case applied), or 0 when it does not fit.
  char16_t Fit(const TPosition& p, char16_t ch) const;
  int NextInput(int from) const;
  int NextLiteral(int from) const;
  void BlankRange(std::u16string& editText, int from, int to) const;
  std::u16string Normalised(const std::u16string& editText) const;

  std::vector<TPosition> FPositions;
  char16_t FBlank = u'_';
  bool FSaveLiterals = true;
};
