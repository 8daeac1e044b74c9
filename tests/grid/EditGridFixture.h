// A column grid open for editing on a shown form, with a second control below it to take the focus
// away. Its size is the test's.
#pragma once

#include "grid/ProCGrid.h"
#include "grid/ProInplaceEdit.h"

#include "ProGridFixture.h"
#include "platform/ui/StdCtrls.h"

#include <string>
#include <vector>

struct TEditGridLayout {
  int Width = 480, Height = 300, Cols = 5, Rows = 5, OtherTop = 320;
};

// The layout of the editing-flow and text-editor tests.
inline constexpr TEditGridLayout SmallEditGrid{400, 200, 4, 5, 250};

class TEditGridTest : public TProGridTest<TProColumnGrid> {
protected:
  explicit TEditGridTest(TEditGridLayout Layout = {}) : FLayout(Layout) {}
  void SetUp() override {
    TProGridTest::SetUp();
    Grid->SetBounds(0, 0, FLayout.Width, FLayout.Height);
    Grid->SetColCount(FLayout.Cols);
    Grid->SetRowCount(FLayout.Rows);
    Grid->SetOptions(Grid->Options() | goEditing);
    Other = new TEdit(Form);
    Other->SetParent(Form);
    Other->SetBounds(0, FLayout.OtherTop, 100, 24);
  }
  // Opens the text editor on a cell and answers it.
  TProInplaceEdit* Open(int ACol, int ARow) { return OpenNormalEdit(*Grid, ACol, ARow); }
  // Opens whatever editor the cell has; Log keeps what its showing logs.
  void ShowEditorAt(int ACol, int ARow) {
    Grid->SetFocus();
    Grid->GotoCell(ACol, ARow);
    Log.clear();
    Grid->ShowInplaceEdit();
    Application->ProcessMessages();
  }
  void Leave() {
    Other->SetFocus();
    Application->ProcessMessages();
  }
  TGridCoord Cell() const { return {Grid->Col(), Grid->Row()}; }
  TEdit* Other = nullptr;
  std::vector<std::string> Log;

private:
  TEditGridLayout FLayout;
};
