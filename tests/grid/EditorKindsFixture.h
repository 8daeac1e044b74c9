// A column grid with a column per editor kind, on a shown form with a second control to take the
// focus away.
#pragma once

#include "EditGridFixture.h"
#include "platform/ui/Headless.h"

class EditorKindsTest : public TEditGridTest {
protected:
  static constexpr int SpinCol = 1, EllipsCol = 2, UnitCol = 3, ButtonCol = 4, CheckCol = 5, DateCol = 6,
                       TimeCol = 7, DateTimeCol = 8, LinkCol = 9, RichCol = 10, FloatSpinCol = 11;

  EditorKindsTest() : TEditGridTest({480, 220, 12, 6, 300}) {}
  void SetUp() override {
    TEditGridTest::SetUp();
    Grid->SetDefaultColWidth(60);
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
  void Open(int ACol, int ARow) { ShowEditorAt(ACol, ARow); }
  void Press(TWinControl& c, std::uint16_t key, TShiftState shift = 0) {
    Headless::PressKey(c, key, shift);
    Application->ProcessMessages();
  }
};
