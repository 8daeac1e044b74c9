// The grid's side of editing: the text editor it creates.
#include "grid/ProGrid.h"
#include "grid/ProInplaceEdit.h"

TInplaceEdit* TProStringGrid::CreateEditor() {
  return new TProInplaceEdit(this);
}

TProInplaceEdit* TProStringGrid::NormalEdit() const {
  return dynamic_cast<TProInplaceEdit*>(InplaceEditor());
}
