// The resize step shared by the grid's edits that carry a button along their right edge.
#pragma once

#include "platform/ui/StdCtrls.h"

// An edit lower than MinHeight grows to it first; the resize this causes lays it out, so false comes
// back. Otherwise the button goes to the right edge and true says the text rectangle is to follow.
// Sizing guards against the nested resize.
inline bool PlaceEditButton(TEdit& Edit, TControl& Button, int MinHeight, bool& Sizing) {
  if (Edit.Height() < MinHeight && !Sizing) {
    Sizing = true;
    Edit.SetHeight(MinHeight);
    Sizing = false;
    return false;
  }
  const int k = Edit.BorderStyle() == bsNone ? 1 : 5;
  Button.SetBounds(Edit.Width() - Button.Width() - k, 0, Button.Width(), Edit.Height() - k);
  return true;
}
