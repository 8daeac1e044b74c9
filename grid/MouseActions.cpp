#include "grid/MouseActions.h"

bool TMouseActions::Designing() {
  bool designing = false;
  if (OnIsDesigning) OnIsDesigning(this, designing);
  return designing;
}

void TMouseActions::SetDisjunctRowSelect(bool Value) {
  FDisjunctRowSelect = Value;
  if (Value && Designing()) FDisjunctColSelect = FDisjunctCellSelect = false;
}

void TMouseActions::SetDisjunctColSelect(bool Value) {
  FDisjunctColSelect = Value;
  if (Value && Designing()) FDisjunctRowSelect = FDisjunctCellSelect = false;
}

void TMouseActions::SetDisjunctCellSelect(bool Value) {
  FDisjunctCellSelect = Value;
  if (Value && Designing()) FDisjunctRowSelect = FDisjunctColSelect = false;
}

void TMouseActions::SetHotmailRowSelect(bool Value) {
  FHotmailRowSelect = Value;
  if (Value) FDisjunctRowSelect = FCheckAllCheck = true;
  if (OnInvalidate) OnInvalidate(this);
}

void TMouseActions::SetEditOnDblClickOnly(bool Value) {
  FEditOnDblClickOnly = Value;
  if (Value && OnDisableEdit) OnDisableEdit(this);
}

void TMouseActions::SetWheelAction(TWheelAction Value) {
  if (FWheelAction == Value) return;
  FWheelAction = Value;
  if (OnChange) OnChange(this);
}

void TMouseActions::Assign(const TPersistent* Source) {
  auto* source = dynamic_cast<const TMouseActions*>(Source);
  if (!source) return;
  bool sizeFixedRow = FSizeFixedRow;
#define VELMARIC_COPY_OPTION(Type, Name, Default) F##Name = source->F##Name;
  VELMARIC_MOUSE_OPTIONS(VELMARIC_COPY_OPTION)
#undef VELMARIC_COPY_OPTION
  FSizeFixedRow = sizeFixedRow;
  FDisjunctRowSelect = source->FDisjunctRowSelect;
  FDisjunctColSelect = source->FDisjunctColSelect;
  FDisjunctCellSelect = source->FDisjunctCellSelect;
  FWheelAction = source->FWheelAction;
}
