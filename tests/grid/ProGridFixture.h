// A string grid on its own form, and the test base built on it. A shown form gets the 500 x 400
// client area the layout tests count with; a hidden one keeps the form's defaults.
#pragma once

#include "grid/ProGrid.h"
#include "grid/ProInplaceEdit.h"
#include "platform/ui/Application.h"
#include "platform/ui/Forms.h"
#include "support/UiTestFixture.h"

#include <gtest/gtest.h>

#include <optional>

template <class TGrid = TProStringGrid> struct TGridOnForm {
  explicit TGridOnForm(bool Shown = true) {
    Form = new TForm(nullptr);
    if (Shown) {
      Form->SetClientWidth(500);
      Form->SetClientHeight(400);
    }
    Grid = new TGrid(Form);
    Grid->SetParent(Form);
    if (Shown) {
      Form->Show();
      Application->ProcessMessages();
    }
  }
  ~TGridOnForm() { Form->Free(); }
  TGridOnForm(const TGridOnForm&) = delete;
  TGridOnForm& operator=(const TGridOnForm&) = delete;

  TForm* Form = nullptr;
  TGrid* Grid = nullptr;
};

// The grid the file round trips start from: 6 x 5 cells, one fixed row and column, every cell's
// text from Text().
template <class TText> void FillRoundTripGrid(TProStringGrid& g, TText Text) {
  g.SetColCount(6);
  g.SetRowCount(5);
  g.SetFixedCols(1);
  g.SetFixedRows(1);
  for (int r = 0; r < g.RowCount(); ++r)
    for (int c = 0; c < g.TotalColCount(); ++c)
      g.SetGridCells(c, r, Text());
}

// Opens the grid's text editor on a cell, the grid focused, as a user entering the cell would.
inline TProInplaceEdit* OpenNormalEdit(TProStringGrid& g, int ACol, int ARow) {
  g.SetFocus();
  g.GotoCell(ACol, ARow);
  g.ShowInplaceEdit();
  Application->ProcessMessages();
  TProInplaceEdit* e = g.NormalEdit();
  EXPECT_NE(e, nullptr);
  EXPECT_TRUE(e && e->Visible());
  return e;
}

template <class TGrid = TProStringGrid, bool Shown = true> class TProGridTest : public TUiTest {
protected:
  void SetUp() override {
    TUiTest::SetUp();
    Place.emplace(Shown);
    Form = Place->Form;
    Grid = Place->Grid;
  }
  void TearDown() override {
    Place.reset();
    TUiTest::TearDown();
  }

  std::optional<TGridOnForm<TGrid>> Place;
  TForm* Form = nullptr;
  TGrid* Grid = nullptr;
};
