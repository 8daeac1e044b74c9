// A form holding a 780x580 string grid of 20 columns with a text in every fourth column, as the
// grid's keyboard and mouse benchmarks drive it.
#pragma once

#include "grid/ProGrid.h"
#include "platform/ui/Application.h"
#include "platform/ui/Forms.h"

#include <cstdlib>
#include <functional>
#include <string>

struct TStringGridForm {
  static constexpr int Cols = 20;

  TStringGridForm(int rows, const std::function<std::string(int row)>& text) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    Application->Initialize();
    Form = new TForm(nullptr);
    Form->SetClientWidth(800);
    Form->SetClientHeight(600);
    Grid = new TProStringGrid(Form);
    Grid->SetParent(Form);
    Grid->SetBounds(0, 0, 780, 580);
    Grid->SetColCount(Cols);
    Grid->SetRowCount(rows);
    for (int r = 0; r < rows; ++r)
      for (int c = 0; c < Cols; c += 4)
        Grid->SetCells(c, r, text(r));
  }
  ~TStringGridForm() { Form->Free(); }
  TStringGridForm(const TStringGridForm&) = delete;
  TStringGridForm& operator=(const TStringGridForm&) = delete;

  void Show() {
    Form->Show();
    Application->ProcessMessages();
  }

  TForm* Form;
  TProStringGrid* Grid;
};
