// The spin edit: a one-line edit with a pair of spin buttons that edits an integer, a number, a
// date or a time. The value lives in the text: every read parses it, every write formats it, and
// the buttons, Up, Down, Page Up and Page Down step it within its bounds.
#pragma once

#include "grid/TAsgSpinButton.h"
#include "grid/asgspin.h"
#include "platform/ui/StdCtrls.h"

enum TEditAlign { eaLeft, eaRight, eaCenter };

class TAsgSpinEdit : public TEdit {
public:
  explicit TAsgSpinEdit(TComponent* AOwner);
  ~TAsgSpinEdit() override;

  TAsgSpinButton* Button() const { return FButton; }

  // ---- the value, read from and written to the text
  int Value() const;
  void SetValue(int value);
  double FloatValue() const;
  void SetFloatValue(double value);
  // The text "0" or an empty text reads as now.
  TDateTime DateValue() const;
  void SetDateValue(TDateTime value);
  TDateTime TimeValue() const;
  void SetTimeValue(TDateTime value);
  TAsgSpinType SpinType() const { return FSpinType; }
  // Rewrites the current value in the new kind.
  void SetSpinType(TAsgSpinType value);
  int Precision() const { return FPrecision; }
  void SetPrecision(int value);

  // ---- bounds (equal bounds: none) and steps
  int MinValue() const { return FMinValue; }
  void SetMinValue(int v) { FMinValue = v; }
  int MaxValue() const { return FMaxValue; }
  void SetMaxValue(int v) { FMaxValue = v; }
  double MinFloatValue() const { return FMinFloatValue; }
  void SetMinFloatValue(double v) { FMinFloatValue = v; }
  double MaxFloatValue() const { return FMaxFloatValue; }
  void SetMaxFloatValue(double v) { FMaxFloatValue = v; }
  TDateTime MinDateValue() const { return FMinDateValue; }
  void SetMinDateValue(TDateTime v) { FMinDateValue = v; }
  TDateTime MaxDateValue() const { return FMaxDateValue; }
  void SetMaxDateValue(TDateTime v) { FMaxDateValue = v; }
  int Increment() const { return FIncrement; }
  void SetIncrement(int v) { FIncrement = v; }
  double IncrementFloat() const { return FIncrementFloat; }
  void SetIncrementFloat(double v) { FIncrementFloat = v; }
  double IncrementFloatPage() const { return FIncrementFloatPage; }
  void SetIncrementFloatPage(double v) { FIncrementFloatPage = v; }
  int IncrementHours() const { return FIncrementHours; }
  void SetIncrementHours(int v) { FIncrementHours = v; }
  int IncrementMinutes() const { return FIncrementMinutes; }
  void SetIncrementMinutes(int v) { FIncrementMinutes = v; }
  int IncrementSeconds() const { return FIncrementSeconds; }
  void SetIncrementSeconds(int v) { FIncrementSeconds = v; }

  // ---- behaviour and look
  bool EditorEnabled() const { return FEditorEnabled; }
  void SetEditorEnabled(bool v) { FEditorEnabled = v; }
  bool ReturnIsTab() const { return FReturnIsTab; }
  void SetReturnIsTab(bool v) { FReturnIsTab = v; }
  bool ExcelStyleDecimalSeparator() const { return FExcelStyleDecimalSeparator; }
  void SetExcelStyleDecimalSeparator(bool v) { FExcelStyleDecimalSeparator = v; }
  bool ShowSeconds() const { return FShowSeconds; }
  void SetShowSeconds(bool v) { FShowSeconds = v; }
  // Read by the hosting grid: an empty text then stores an empty cell.
  bool AllowEmptyValue() const { return FAllowEmptyValue; }
  void SetAllowEmptyValue(bool v) { FAllowEmptyValue = v; }
  TEditAlign EditAlign() const { return FEditAlign; }
  void SetEditAlign(TEditAlign value);
  TSpinDirection Direction() const { return FDirection; }
  void SetDirection(TSpinDirection value);
  bool SpinFlat() const { return FSpinFlat; }
  void SetSpinFlat(bool value);
  bool SpinTransparent() const { return FSpinTransparent; }
  void SetSpinTransparent(bool value);
  bool IsWinXP() const { return FIsWinXP; }
  void SetIsWinXP(bool value);

  // ---- stepping and the character filter
  virtual void StepUp(bool Page);
  virtual void StepDown(bool Page);
  // Whether a typed character is accepted.
  virtual bool IsValidChar(WideChar& Key);
  virtual void UpButtonClick();
  virtual void DownButtonClick();

  // The least height for the font (and the frame with bsSingle).
  int MinHeight() const;
  void WndProc(TMessage& Message) override;

protected:
  void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
  void KeyPress(WideChar& Key) override;
  void WMKeyDown(TMessage& Message) override;
  void WMChar(TMessage& Message) override;
  void DoEnter() override;
  void DoExit() override;
  void Resize() override;

private:
  void SetEditRect();
  void Relayout();
  // Runs `write` with the caret kept where it was.
  template <class F> void KeepingCaret(F write);

  int FMinValue = 0, FMaxValue = 100;
  double FMinFloatValue = 0.0, FMaxFloatValue = 100.0;
  TDateTime FMinDateValue = 0, FMaxDateValue = 0;
  TDateTime FDateValue = 0, FTimeValue = 0;
  int FIncrement = 1;
  double FIncrementFloat = 0.1;
  TAsgSpinButton* FButton = nullptr;
  bool FEditorEnabled = true;
  TSpinDirection FDirection = spVertical;
  TAsgSpinType FSpinType = sptNormal;
  int FPrecision = 0;
  bool FReturnIsTab = false;
  bool FIsWinXP = false;
  bool FExcelStyleDecimalSeparator = false;
  bool FShowSeconds = true;
  int FIncrementSeconds = 1, FIncrementMinutes = 1, FIncrementHours = 1;
  TEditAlign FEditAlign = eaLeft;
  bool FSpinFlat = false, FSpinTransparent = false;
  bool FAllowEmptyValue = false;
  double FIncrementFloatPage = 1.0;
  bool FSizing = false;
};
