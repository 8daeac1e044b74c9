// Editing the form controls of mini-HTML cells, and fixed cells.
#include "grid/ProGrid.h"
#include "grid/SpecialEditors.h"

void TProStringGrid::StartControlEdit(int, int, const std::string&, const std::string&) {}
void TProStringGrid::EndControlEdit() {}
void TProStringGrid::EditControlByID(const std::string&) {}
void TProStringGrid::StartFixedCellEdit(int, int) {}
