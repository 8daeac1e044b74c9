// Types of the cell model and of cell painting that the base grid, its support lists and the
// string grid share: enumerations (in their file order), sets and event types.
#pragma once

#include "grid/EnumNames.h"
#include "platform/ui/Classes.h"

#include <functional>
#include <string>
#include <string_view>

enum TEditorType {
  edNormal,
  edSpinEdit,
  edComboEdit,
  edComboList,
  edEditBtn,
  edCheckBox,
  edDateEdit,
  edDateEditUpDown,
  edTimeEdit,
  edButton,
  edDataCheckBox,
  edNumeric,
  edPositiveNumeric,
  edFloat,
  edCapital,
  edMixedCase,
  edPassword,
  edUnitEditBtn,
  edLowerCase,
  edUpperCase,
  edFloatSpinEdit,
  edTimeSpinEdit,
  edDateSpinEdit,
  edNumericEditBtn,
  edFloatEditBtn,
  edCustom,
  edRichEdit,
  edNone,
  edDateTimeEdit,
  edValidChars,
  edTrackbarDropDown,
  edMemoDropDown,
  edCalculatorDropDown,
  edTimePickerDropDown,
  edDetailDropDown,
  edGridDropDown,
  edColorPickerDropDown,
  edImagePickerDropDown,
  edProGridDropDown,
  edPositiveFloat,
  edNumericUnitEditBtn,
  edFloatUnitEditBtn,
  edMaskEditBtn
};
VELMARIC_ENUM_NAMES(TEditorType, "edNormal", "edSpinEdit", "edComboEdit", "edComboList", "edEditBtn",
                    "edCheckBox", "edDateEdit", "edDateEditUpDown", "edTimeEdit", "edButton",
                    "edDataCheckBox", "edNumeric", "edPositiveNumeric", "edFloat", "edCapital", "edMixedCase",
                    "edPassword", "edUnitEditBtn", "edLowerCase", "edUpperCase", "edFloatSpinEdit",
                    "edTimeSpinEdit", "edDateSpinEdit", "edNumericEditBtn", "edFloatEditBtn", "edCustom",
                    "edRichEdit", "edNone", "edDateTimeEdit", "edValidChars", "edTrackbarDropDown",
                    "edMemoDropDown", "edCalculatorDropDown", "edTimePickerDropDown", "edDetailDropDown",
                    "edGridDropDown", "edColorPickerDropDown", "edImagePickerDropDown", "edProGridDropDown",
                    "edPositiveFloat", "edNumericUnitEditBtn", "edFloatUnitEditBtn", "edMaskEditBtn");

enum TColumnCalcType {
  acNONE,
  acSUM,
  acAVG,
  acCOUNT,
  acMIN,
  acMAX,
  acSPREAD,
  acCUSTOM,
  acDISTINCT,
  acSTDDEV
};
VELMARIC_ENUM_NAMES(TColumnCalcType, "acNONE", "acSUM", "acAVG", "acCOUNT", "acMIN", "acMAX", "acSPREAD",
                    "acCUSTOM", "acDISTINCT", "acSTDDEV");

enum TVAlignment { vtaTop, vtaCenter, vtaBottom };
VELMARIC_ENUM_NAMES(TVAlignment, "vtaTop", "vtaCenter", "vtaBottom");

enum TCellGradientDirection { GradientVertical, GradientHorizontal };
VELMARIC_ENUM_NAMES(TCellGradientDirection, "GradientVertical", "GradientHorizontal");

enum TCellBorder { cbTop, cbLeft, cbRight, cbBottom };
VELMARIC_ENUM_NAMES(TCellBorder, "cbTop", "cbLeft", "cbRight", "cbBottom");

enum TGridSelectionStyle { ssDefault, ssVista, ssWin7, ssOffice2007 };
VELMARIC_ENUM_NAMES(TGridSelectionStyle, "ssDefault", "ssVista", "ssWin7", "ssOffice2007");

enum THoverRowCell { hcNormal, hcFixed, hcSelected };
VELMARIC_ENUM_NAMES(THoverRowCell, "hcNormal", "hcFixed", "hcSelected");

enum TSortStyle {
  ssAutomatic,
  ssAlphabetic,
  ssNumeric,
  ssDate,
  ssAlphaNoCase,
  ssAlphaCase,
  ssShortDateEU,
  ssShortDateUS,
  ssCustom,
  ssFinancial,
  ssAnsiAlphaCase,
  ssAnsiAlphaNoCase,
  ssRaw,
  ssHTML,
  ssImages,
  ssCheckBox,
  ssDateTime,
  ssTime,
  ssAlphaNumeric,
  ssAlphaNumericNoCase
};
VELMARIC_ENUM_NAMES(TSortStyle, "ssAutomatic", "ssAlphabetic", "ssNumeric", "ssDate", "ssAlphaNoCase",
                    "ssAlphaCase", "ssShortDateEU", "ssShortDateUS", "ssCustom", "ssFinancial",
                    "ssAnsiAlphaCase", "ssAnsiAlphaNoCase", "ssRaw", "ssHTML", "ssImages", "ssCheckBox",
                    "ssDateTime", "ssTime", "ssAlphaNumeric", "ssAlphaNumericNoCase");

// A set of enumeration values: bit i stands for the value of ordinal i.
template <class E> class TEnumSet {
public:
  constexpr TEnumSet() = default;
  constexpr TEnumSet(std::initializer_list<E> values) {
    for (E v : values)
      FBits |= Bit(v);
  }
  static constexpr TEnumSet FromBits(unsigned bits) {
    TEnumSet s;
    s.FBits = bits;
    return s;
  }
  constexpr bool Contains(E v) const { return (FBits & Bit(v)) != 0; }
  constexpr void Include(E v) { FBits |= Bit(v); }
  constexpr void Exclude(E v) { FBits &= ~Bit(v); }
  constexpr unsigned Bits() const { return FBits; }
  constexpr bool operator==(const TEnumSet&) const = default;

private:
  static constexpr unsigned Bit(E v) { return 1u << static_cast<unsigned>(v); }
  unsigned FBits = 0;
};

using THoverRowCells = TEnumSet<THoverRowCell>;
using TCellBorders = TEnumSet<TCellBorder>;

class TBaseGrid;

using TGetDisplTextEvent = std::function<void(TObject* Sender, int ACol, int ARow, std::string& Value)>;
// The wide form of a cell text, as UTF-8 (the "|\" encoding decoded).
using TGetDisplWideTextEvent = std::function<void(TObject* Sender, int ACol, int ARow, std::string& Value)>;
using TProGridUndoRedoEvent = std::function<void(TObject* Sender, TBaseGrid* Grid, int Col, int Row,
                                                 const std::string& OrigValue, const std::string& NewValue)>;
using TImageChangeEvent = std::function<void(TObject* Sender, int Acol, int Arow)>;
using TIsDesigningEvent = std::function<void(TObject* Sender, bool& IsDesigning)>;
