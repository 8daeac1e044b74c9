// The editors of a cell's mini-HTML form controls (TControlEdit for EDIT, PASSWORD and MASK,
// TControlCombo for COMBO) and of fixed cells (TGridTransEdit, TGridTransCombo).
#pragma once

#include "grid/AsgCombo.h"
#include "platform/ui/StdCtrls.h"

class TProStringGrid;

class TControlEdit : public TEdit {
public:
  explicit TControlEdit(TComponent* AOwner);
  // Tab stays here; Enter goes to the key handling too.
  unsigned DialogCode() const override { return TEdit::DialogCode() | DLGC_WANTTAB | DLGC_WANTALLKEYS; }

protected:
  void KeyPress(WideChar& Key) override;
};

class TControlCombo : public TAsgComboBox {
public:
  explicit TControlCombo(TComponent* AOwner);
  unsigned DialogCode() const override {
    return TAsgComboBox::DialogCode() | DLGC_WANTTAB | DLGC_WANTALLKEYS;
  }

protected:
  void KeyPress(WideChar& Key) override;
};

// Enter or Tab in a form-control editor: the edit ends and the grid moves on, or the next control
// of the cell opens.
void ControlEditorKey(TWinControl& Editor, WideChar& Key);

// The editor of a fixed cell on an edit or combo box: Enter or leaving it validates and stores the
// text.
template <class TBase> class TFixedCellEditor : public TBase {
public:
  explicit TFixedCellEditor(TComponent* AOwner);
  int Col() const { return FCol; }
  void SetCol(int Value) { FCol = Value; }
  int Row() const { return FRow; }
  void SetRow(int Value) { FRow = Value; }
  // Validates and stores the text; false (the editor keeps the focus) when it is refused.
  bool StopEdit();

protected:
  void KeyPress(WideChar& Key) override;
  void DoExit() override;

private:
  TProStringGrid* FGrid;
  int FCol = -1, FRow = -1;
};

class TGridTransEdit : public TFixedCellEditor<TEdit> {
public:
  explicit TGridTransEdit(TComponent* AOwner);
};

class TGridTransCombo : public TFixedCellEditor<TComboBox> {
public:
  using TFixedCellEditor::TFixedCellEditor;
};
