// Rich-text cells: the cell keeps its RTF; the rich edits show and edit its plain text.
#include "grid/ProGrid.h"
#include "grid/ProRichEdit.h"
#include "grid/SpecialEditors.h"

TProRichEdit* TProStringGrid::RichEdit() {
  TProGridEditors& e = Editors();
  if (!e.RichEdit) {
    // Never shown: it converts and measures.
    e.RichEdit = new TProRichEdit(this);
    e.RichEdit->SetParent(this);
    e.RichEdit->SetBounds(0, 0, 0, 0);
    e.RichEdit->SetBorderStyle(bsNone);
    e.RichEdit->SetVisible(false);
  }
  return e.RichEdit;
}

TProRichEdit* TProStringGrid::InplaceRichEdit() {
  TProGridEditors& e = Editors();
  if (!e.InplaceRichEdit) {
    e.InplaceRichEdit = new TProRichEdit(this);
    e.InplaceRichEdit->SetParent(this);
    e.InplaceRichEdit->SetBorderStyle(bsNone);
    e.InplaceRichEdit->SetVisible(false);
    e.InplaceRichEdit->SetEnabled(false);
    e.InplaceRichEdit->OnSelectionChange = [this](TObject*) {
      if (OnRichEditSelectionChange) OnRichEditSelectionChange(this);
    };
  }
  return e.InplaceRichEdit;
}

void TProStringGrid::CellToRich(int ACol, int ARow, TProRichEdit* Richeditor) {
  if (Richeditor) Richeditor->ShowStored(Cells(ACol, ARow));
}

std::string TProStringGrid::RichToString(TProRichEdit* Richeditor) {
  if (!Richeditor || (Destroying())) return std::string();
  return Richeditor->RTF();
}

void TProStringGrid::RichToCell(int ACol, int ARow, TProRichEdit* Richeditor) {
  SetCells(ACol, ARow, RichToString(Richeditor));
}
