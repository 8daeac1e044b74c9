#include "grid/EditTextForm.h"

#include "grid/ProGrid.h"

std::string StoredCurrentCellText(const TProStringGrid& Grid, const std::string& Edited) {
  return StoredEditText(Grid.CurrentCell(), Edited);
}
