// Enumerations of the grid's option sets and of its small controls, in their file order.
#pragma once

#include "grid/EnumNames.h"

#include <string_view>

enum TAdvanceDirection { adLeftRight, adTopBottom, adLeftRightInRow, adTopBottomInCol };
VELMARIC_ENUM_NAMES(TAdvanceDirection, "adLeftRight", "adTopBottom", "adLeftRightInRow", "adTopBottomInCol");

enum TCursorAdvance { caDefault, caSnake, caLoop };
VELMARIC_ENUM_NAMES(TCursorAdvance, "caDefault", "caSnake", "caLoop");

enum THomeEndAction { heFirstLastColumn, heFirstLastRow, heFirstLastCell };
VELMARIC_ENUM_NAMES(THomeEndAction, "heFirstLastColumn", "heFirstLastRow", "heFirstLastCell");

enum TClipboardPasteAction { paReplace, paInsert };
VELMARIC_ENUM_NAMES(TClipboardPasteAction, "paReplace", "paInsert");

enum TInsertPosition { pInsertBefore, pInsertAfter };
VELMARIC_ENUM_NAMES(TInsertPosition, "pInsertBefore", "pInsertAfter");

enum TGridFixedCellEdit { fceNone, fceDblClick, fceLeftClick, fceRightClick };
VELMARIC_ENUM_NAMES(TGridFixedCellEdit, "fceNone", "fceDblClick", "fceLeftClick", "fceRightClick");

enum TGridFixedCellEditor { fceEdit, fceComboEdit, fceComboList };
VELMARIC_ENUM_NAMES(TGridFixedCellEditor, "fceEdit", "fceComboEdit", "fceComboList");

enum TWheelAction { waMoveSelection, waScroll };
VELMARIC_ENUM_NAMES(TWheelAction, "waMoveSelection", "waScroll");

enum TSearchDirection { sdTopBottom, sdLeftRight };
VELMARIC_ENUM_NAMES(TSearchDirection, "sdTopBottom", "sdLeftRight");

enum TArrowDirection { arrUp, arrDown, arrLeft, arrRight };
VELMARIC_ENUM_NAMES(TArrowDirection, "arrUp", "arrDown", "arrLeft", "arrRight");

enum TProGridButtonStyle { tasButton, tasCheck };
VELMARIC_ENUM_NAMES(TProGridButtonStyle, "tasButton", "tasCheck");
