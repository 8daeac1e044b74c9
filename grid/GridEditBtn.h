// The grid's edit-button editors: an edit with an ellipsis button (edEditBtn, edNumericEditBtn,
// edFloatEditBtn, edMaskEditBtn) and a value-and-unit edit with a button (edUnitEditBtn,
// edNumericUnitEditBtn, edFloatUnitEditBtn).
#pragma once

#include "grid/ASGEdit.h"

class TProStringGrid;

class TGridEditBtn : public TAsgEditBtn {
public:
  explicit TGridEditBtn(TComponent* AOwner);
  TProStringGrid* Grid() const { return FGrid; }
  void ReCreate() {}
  bool WorkMode() const { return FWorkMode; }
  // The button's answer ends the edit and is stored.
  bool StopEditAfterClick() const { return FStopEditAfterClick; }
  void SetStopEditAfterClick(bool Value) { FStopEditAfterClick = Value; }
  unsigned DialogCode() const override;
  void ButtonClick(TObject* Sender) override;
  void WndProc(TMessage& Message) override;
  // The editor's own key-down event (Sender: the editor), for the closing keys.
  TKeyEvent OnKeyDownEditor;

protected:
  void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
  void KeyUp(std::uint16_t& Key, TShiftState Shift) override;
  void KeyPress(WideChar& Key) override;
  void WMChar(TMessage& Message) override;
  void Change() override;
  void DoExit() override;

private:
  // The clipboard's text replaces the selection, with the grid's say first.
  void PasteMessage();
  // Right at the text's end, or Left at its start, moves on to the next or previous cell.
  bool CursorWalk(std::uint16_t Key, TShiftState Shift);
  TProStringGrid* FGrid;
  bool FWorkMode = true;
  int FSelKeyDown = 0;
  bool FStopEditAfterClick = false;
};

class TGridUnitEditBtn : public TAsgUnitEditBtn {
public:
  explicit TGridUnitEditBtn(TComponent* AOwner);
  TProStringGrid* Grid() const { return FGrid; }
  void ReCreate() {}
  unsigned DialogCode() const override;
  void ButtonClick(TObject* Sender) override;

protected:
  void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
  void WMChar(TMessage& Message) override;
  void DoExit() override;

private:
  TProStringGrid* FGrid;
};
