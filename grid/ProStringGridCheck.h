// A cell checker a grid can be given: it may correct an edited cell's text and mark its errors.
#pragma once

#include "platform/ui/Classes.h"

#include <string>

class TProStringGridCheck : public TComponent {
public:
  using TComponent::TComponent;
  bool AutoCorrect() const { return FAutoCorrect; }
  void SetAutoCorrect(bool Value) { FAutoCorrect = Value; }
  bool AutoMarkError() const { return FAutoMarkError; }
  void SetAutoMarkError(bool Value) { FAutoMarkError = Value; }
  bool GotoCell() const { return FGotoCell; }
  void SetGotoCell(bool Value) { FGotoCell = Value; }
  bool UseCorrect() const { return FUseCorrect; }
  void SetUseCorrect(bool Value) { FUseCorrect = Value; }
  bool UseMarkError() const { return FUseMarkError; }
  void SetUseMarkError(bool Value) { FUseMarkError = Value; }

  // The text as given here; descendants mark or correct it.
  virtual std::string MarkError(int ACol, int ARow, const std::string& s) { return s; }
  virtual std::string Correct(int ACol, int ARow, const std::string& s) { return s; }
  virtual void StartCheck() {}
  virtual void StopCheck() {}

private:
  bool FAutoCorrect = false;
  bool FAutoMarkError = false;
  bool FGotoCell = false;
  bool FUseCorrect = false;
  bool FUseMarkError = false;
};
