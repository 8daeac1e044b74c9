// What a grid keeps for its spin, button, picker, link, rich-text, form-control and header
// editors: the controls (created on first use, owned by the grid) and the edit under way.
#pragma once

#include "platform/ui/Types.h"

#include <string>
#include <vector>

class TControlCombo;
class TControlEdit;
class TEditLink;
class TGridButton;
class TGridDatePicker;
class TGridDateTimePicker;
class TGridEditBtn;
class TGridSpin;
class TGridTransCombo;
class TGridTransEdit;
class TGridUnitEditBtn;
class TProRichEdit;

struct TProGridEditors {
  TGridSpin* Spin = nullptr;
  TGridEditBtn* EditBtn = nullptr;
  TGridUnitEditBtn* UnitEditBtn = nullptr;
  TGridButton* Button = nullptr;
  TGridDatePicker* DatePicker = nullptr;
  TGridDateTimePicker* DateAndTimePicker = nullptr;
  TProRichEdit* RichEdit = nullptr;
  TProRichEdit* InplaceRichEdit = nullptr;
  TControlEdit* ControlEdit = nullptr;
  TControlCombo* ControlCombo = nullptr;
  TGridTransEdit* EditTrans = nullptr;
  TGridTransCombo* ComboTrans = nullptr;
  TEditLink* EditLink = nullptr;
  // The link whose editor is open (the grid's link may change while it is).
  TEditLink* OpenLink = nullptr;

  // Esc ended the edit: the write-back leaves the cell as it was.
  bool Restored = false;
  // The editor stored its value on losing the focus, before any validation: the next move of the
  // current cell validates the stored text.
  bool Unvalidated = false;
  // The cell's stored text when the edit began (a paste writes through to the cell meanwhile).
  std::string StartText;
  double OriginalDateTime = 0;
  bool LastValidation = true;
  // The rich-text editor's cell as loaded: its RTF and the plain text and offsets read from it.
  std::string RichLoaded;
  std::string RichLoadedPlain;
  std::vector<int> RichLoadedOffsets;

  // The form control being edited.
  bool CtrlEditing = false;
  TPoint CtrlXY{-1, -1};
  std::string CtrlID;
  std::string CtrlType;
  // The fixed cell being edited.
  TPoint FixedEdit{-1, -1};
};
