// The grid's text editor over the current cell: filters typed and pasted text by the cell's
// editor kind, holds the length limit, and announces the end of the edit when it loses the focus.
#pragma once

#include "grid/InplaceEditFilter.h"
#include "platform/ui/Grids.h"

class TProStringGrid;

class TProInplaceEdit : public TInplaceEdit {
public:
  explicit TProInplaceEdit(TComponent* AOwner);

  TProStringGrid* ProGrid() const;
  // 0 or less: no limit.
  int LengthLimit() const { return FLengthLimit; }
  void SetLengthLimit(int Value) { FLengthLimit = Value; }
  // Alt+Backspace (undo) is held: a focus loss meanwhile does not end the edit.
  bool AltBack() const { return FAltBack; }
  bool GotFocus() const { return FGotFocus; }
  // Right-aligned text, set by the grid for a right-justified cell.
  bool VAlign() const { return FValign; }
  void SetVAlign(bool Value);

  void WndProc(TMessage& Message) override;
  // Look-up completion: the grid's LookupItems complete what was typed up to the caret.
  void DoChange();

protected:
  void UpdateContents() override;
  // The text is laid out 3 pixels inside the top and left edges and 2 inside the right.
  void BoundsChanged() override;
  void Change() override;
  void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
  void KeyPress(WideChar& Key) override;
  void KeyUp(std::uint16_t& Key, TShiftState Shift) override;

private:
  // The closing keys: the value is validated before the key may leave the cell. True when the key
  // was taken here.
  bool KeyDownMessage(TMessage& Message);
  // A refused value: the editor shows the validation's answer again.
  void Restore(const std::string& OldCellText);
  // Typing filled the edit with AdvanceAuto: move on as on Enter.
  void AutoAdvance();
  // On taking the focus: the caret under the click that opened the edit, else all selected or at
  // the end (the first mask position with ImproveMaskSel).
  void PlaceCaret(TProStringGrid& G);
  TEditCharRules Rules() const;
  TEditState State() const;
  void CharMessage(TMessage& Message);
  void PasteMessage();
  void KillFocusMessage(TMessage& Message);
  void ClipboardMessage(TMessage& Message);
  // Line breaks may be typed: Enter with LineFeedOnEnter.
  bool WantsLineBreaks() const;
  // The text is edited in lines: a grid that wraps, has multi-line cells or types line breaks.
  bool WantsLines() const;
  // Ctrl+Enter types the line break (AllowCtrlEnter in a grid of several lines).
  bool CtrlEnterBreaksLine() const;
  // The column and row follow the typed text (the grid's SizeWhileTyping).
  void SizeWhileTyping();
  // Shift or Ctrl+Enter in a cell of several lines: the row takes the lines typed so far.
  void SizeRowToTypedLines();
  // Runs Measure with the typed text in the cell, which gets its own text back afterwards.
  template <class F> void WithTypedText(F Measure);
  // The edit's text as the cell stores it, and a stored text as the edit shows it: a cell holding
  // encoded wide text is edited as its decoded text and keeps the encoded form.
  std::string StoredText() const;
  void ShowStored(const std::string& Stored);

  int FLengthLimit = 0;
  bool FAltBack = false;
  bool FGotFocus = false;
  int FColE = -1, FRowE = -1;
  int FSelKeyDown = 0;
  bool FValign = false;
  int FOldSelStart = 0;
  // Completion is allowed for the current key (not after Backspace or Delete).
  bool FWorkmode = true;
  bool FCutting = false;
};
