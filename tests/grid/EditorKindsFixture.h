// A column grid with a column per editor kind, on a shown form with a second control to take the
// focus away.
#pragma once

#include "grid/ProCGrid.h"

#include "ProGridFixture.h"
#include "platform/ui/Headless.h"
#include "platform/ui/StdCtrls.h"

#include <string>
#include <vector>

class EditorKindsTest : public TProGridTest<TProColumnGrid> {
protected:
  static constexpr int SpinCol = 1, EllipsCol = 2, UnitCol = 3, ButtonCol = 4, CheckCol = 5, DateCol = 6,
                       TimeCol = 7, DateTimeCol = 8, LinkCol = 9, RichCol = 10, FloatSpinCol = 11;

  void SetUp() override {
    TProGridTest::SetUp();
    Grid->SetBounds(0, 0, 480, 220);
    Grid->SetColCount(12);
    Grid->SetRowCount(6);
    Grid->SetDefaultColWidth(60);
    Grid->SetOptions(Grid->Options() | goEditing);
    Other = new TEdit(Form);
    Other->SetParent(Form);
    Other->SetBounds(0, 300, 100, 24);
    const std::pair<int, TEditorType> kinds[] = {
        {SpinCol, edSpinEdit}, {EllipsCol, edEditBtn},         {UnitCol, edUnitEditBtn},
        {ButtonCol, edButton}, {CheckCol, edCheckBox},         {DateCol, edDateEdit},
        {TimeCol, edTimeEdit}, {DateTimeCol, edDateTimeEdit},  {LinkCol, edCustom},
        {RichCol, edRichEdit}, {FloatSpinCol, edFloatSpinEdit}};
    for (auto [col, kind] : kinds)
      Grid->Columns().Items(col)->SetEditor(kind);
    TGridColumnItem& spin = *Grid->Columns().Items(SpinCol);
    spin.SetSpinMin(0);
    spin.SetSpinMax(100);
    spin.SetSpinStep(10);
    Grid->OnEditingDone = [this](TObject*) { Log.push_back("done"); };
  }
  void Open(int ACol, int ARow) {
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
  void Press(TWinControl& c, std::uint16_t key, TShiftState shift = 0) {
    Headless::PressKey(c, key, shift);
    Application->ProcessMessages();
  }
  TEdit* Other = nullptr;
  std::vector<std::string> Log;
};
