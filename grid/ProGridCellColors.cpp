// Each cell's colours, font and alignment for painting and printing: bands, fixed looks, the
// colour query and the selection colours.
#include "grid/ProGrid.h"

#include "controls/ProUtilCellText.h"
#include "controls/ProUtilDraw.h"
#include "controls/ProUtilNumbers.h"
#include "platform/SysUtils.h"

#include <algorithm>
#include <cmath>

namespace {

bool PlainCellType(TCellType t) {
  return t == ctNone || t == ctRotated || t == ctEmpty;
}

bool InRect(const TGridRect& s, int c, int r) {
  return c >= std::min(s.Left, s.Right) && c <= std::max(s.Left, s.Right) && r >= std::min(s.Top, s.Bottom) &&
         r <= std::max(s.Top, s.Bottom);
}

} // namespace

void TProStringGrid::SetSelectionColorMixerFactor(int Value) {
  if (Value == FSelectionColorMixerFactor) return;
  FSelectionColorMixerFactor = std::clamp(Value, 0, 100);
  Invalidate();
}

void TProStringGrid::SetShowSelection(bool Value) {
  if (Value == FShowSelection) return;
  FShowSelection = Value;
  SetShowSel(Value);
  Invalidate();
}

void TProStringGrid::SetMaxEditLength(int Value) {
  FMaxEditLength = std::max(0, Value);
  if (TInplaceEdit* editor = InplaceEditor()) editor->SetMaxLength(FMaxEditLength);
}

void TProStringGrid::SetSpreadSheet(bool Value) {
  FSpreadSheet = Value;
  FSelectionRectangle = true;
  FSelectionResizer = true;
  FNavigation.SetAllowSmartClipboard(true);
  SetOptions(Options() | goRangeSelect | goEditing);
  FMouseActions->SetRangeSelectAndEdit(true);
  Invalidate();
}

void TProStringGrid::SetAutoSize(bool Value) {
  FAutoSize = Value;
  if (Value) AutoSizeColumns(false, 10);
}

void TProStringGrid::SetVAlignment(TVAlignment Value) {
  FVAlignment = Value;
  FVAlign = Value == vtaCenter ? DT_VCENTER : Value == vtaBottom ? DT_BOTTOM : 0;
  if (FUpdateCount == 0) Invalidate();
}

void TProStringGrid::SetRowIndicator(const TBitmap& Value) {
  FRowIndicator = Value;
  RepaintCell(0, Row());
}

TColor TProStringGrid::MixSelectionColor(TColor SelColor, TColor CellColor, bool Mixer, int Factor) {
  if (!Mixer || Factor >= 100) return SelColor;
  if (Factor < 1 || SelColor == clNone) return CellColor;
  if (CellColor == clNone) return SelColor;
  TColor s = ColorToRGB(SelColor), c = ColorToRGB(CellColor);
  double f = Factor / 100.0;
  auto mix = [&](int shift) {
    int sv = (s >> shift) & 0xFF, cv = (c >> shift) & 0xFF;
    return static_cast<TColor>(std::min(255, static_cast<int>(std::lround(f * sv + (1 - f) * cv)))) << shift;
  };
  return mix(0) | mix(8) | mix(16);
}

void TProStringGrid::CalcCellAlignment(int RCol, int ARow, TAlignment& HA, TVAlignment& VA) {
  HA = FDefaultAlignment;
  VA = FVAlignment;
  bool formula = false;
  if (FAutoNumAlign) {
    std::string s = GridCells(RCol, ARow);
    formula = (!s.empty() && s[0] == '=') || (s.size() > 3 && s.starts_with("|\\") && s[3] == '=');
    if (formula) s = GetCalculatedCell(RCol, ARow);
    int kind = ClassifyNumberText(Trim(s));
    if (kind == 0 || kind == 1 || kind == 5) HA = taRightJustify;
  }
  if (const TCellProperties* props = FindCellProperties(RCol, ARow); props && !formula)
    HA = props->Alignment();
  GetCellAlignment(RCol, ARow, HA, VA);
}

void TProStringGrid::GetFontProperties(int ACol, int RCol, int ARow, TGridDrawState& State, TFont& AFont,
                                       TBrush& ABrush, bool) {
  bool fixed = IsFixed(ACol, ARow) || ACol < FixedCols() || ARow < FixedRows();
  AFont.Assign(fixed ? FFixedFont : Font());
  if (const TCellProperties* props = FindCellProperties(RCol, ARow)) {
    if (props->FontColor() != clNone) AFont.SetColor(props->FontColor());
    if (props->FontStyle() != 0) AFont.SetStyle(props->FontStyle());
    if (props->FontSize() != 0) AFont.SetSize(props->FontSize());
    if (!props->FontName().empty()) AFont.SetName(props->FontName());
  }
  GetCellColor(RCol, ARow, State, ABrush, AFont);
}

void TProStringGrid::GetVisualProperties(int ACol, int ARow, TGridDrawState& State, bool Print, bool Select,
                                         bool Remap, TBrush& Brush, TColor& ColorTo, TColor& MirrorColor,
                                         TColor& MirrorColorTo, TFont& AFont, TAlignment& HAlign,
                                         TVAlignment& VAlign, bool& WordWrap,
                                         TCellGradientDirection& GradientDirection) {
  bool normal = ACol >= FixedCols() && ARow >= FixedRows();
  if (Print && !FPrintSettings.UseDisplayFont())
    AFont.Assign(normal ? FPrintSettings.Font() : FPrintSettings.FixedFont());
  else
    AFont.Assign(normal ? Font() : FFixedFont);

  int RCol = Remap ? DisplToRealCol(ACol) : ACol;
  if (RCol < 0) RCol = ACol;
  const TMouseActions& ma = *FMouseActions;
  int selRow =
      (ma.DisjunctRowSelect() && ma.RowSelectPersistent()) || FUseEnabledRows ? DisplToRealRow(ARow) : ARow;

  Brush.SetColor(clNone);
  ColorTo = MirrorColor = MirrorColorTo = clNone;

  bool ownColor = false;
  if (const TCellProperties* props = FindCellProperties(RCol, ARow)) {
    Brush.SetColor(props->BrushColor());
    if (PlainCellType(GetCellType(RCol, ARow)) && props->BrushColor() != clNone) ownColor = true;
    if (props->FontColor() != clNone) AFont.SetColor(props->FontColor());
    if (props->FontStyle() != 0) AFont.SetStyle(props->FontStyle());
    if (props->FontSize() != 0) AFont.SetSize(props->FontSize());
    if (!props->FontName().empty()) AFont.SetName(props->FontName());
    WordWrap = props->WordWrap();
    ColorTo = props->BrushColorTo();
    GradientDirection = props->GradientDirection();
  }
  if (State & gdSelected) GradientDirection = GradientVertical;

  if (Brush.Color() == clNone) {
    Brush.SetColor(Color());
    const TBands& bands = *FBands;
    if (bands.Active() && (!Print || bands.Print()) && ACol >= FixedCols() &&
        ACol < ColCount() + FNumHidden - FFixedRightCols && ARow >= FixedRows() &&
        ARow < RowCount() - FFixedFooters && bands.TotalLength() > 0) {
      Brush.SetColor((ARow - FixedRows()) % bands.TotalLength() < bands.PrimaryLength()
                         ? bands.PrimaryColor()
                         : bands.SecondaryColor());
    }
    if (ACol < FixedCols() || ARow < FixedRows() || ACol >= ColCount() - FFixedRightCols ||
        ARow >= RowCount() - FFixedFooters)
      Brush.SetColor(FixedColor());
  }

  bool fixed = IsFixed(ACol, ARow) || ACol < FixedCols() || ARow < FixedRows();
  if (fixed && !ownColor) {
    if (!Print) {
      Brush.SetColor(FixedColor());
      AFont.Assign(FFixedFont);
      State |= gdFixed;
    }
    if (FLook > glClassic) {
      Brush.SetColor(FZUZGradFrom);
      ColorTo = FZUZGradTo;
      MirrorColor = FZUZGradMirrorFrom;
      MirrorColorTo = FZUZGradMirrorTo;
    }
  }

  if (Print)
    GetCellPrintColor(RCol, ARow, State, Brush, AFont);
  else
    GetCellColor(RCol, ARow, State, Brush, AFont);

  if (OnGetCellGradient) {
    TColor c = Brush.Color();
    OnGetCellGradient(this, ARow, RCol, c, ColorTo, MirrorColor, MirrorColorTo, GradientDirection);
    Brush.SetColor(c);
  }

  TColor unselBrush = Brush.Color(), unselFont = AFont.Color();
  auto applySelection = [&] {
    Brush.SetColor(FSelectionColor);
    ColorTo = FSelectionColorTo;
    MirrorColor = FSelectionMirrorColor;
    MirrorColorTo = FSelectionMirrorColorTo;
    if (FSelectionTextColor != clNone) AFont.SetColor(FSelectionTextColor);
  };
  bool mouseDown = GridState() == gsSelecting;
  bool selectable = normal && !fixed && !Print && Select && FShowSelection;
  if (selectable && ma.DisjunctRowSelect()) {
    bool rowSel = RowSelect(selRow);
    bool a = (mouseDown && ARow == Row()) || !rowSel;
    bool b = !mouseDown || rowSel || !(State & gdSelected);
    if (a && b) {
      State &= ~gdSelected;
    } else {
      State = gdSelected;
      applySelection();
    }
  }
  if (selectable && ma.DisjunctColSelect() && ARow >= FixedRows()) {
    bool colSel = ColSelect(ACol);
    if (((!mouseDown || ACol != Col()) && colSel) || (mouseDown && !colSel && (State & gdSelected))) {
      State = gdSelected;
      applySelection();
    }
  }
  bool inSel = InRect(Selection(), ACol, ARow);
  if ((Select && !Print && FShowSelection && !fixed && inSel && !ma.DisjunctRowSelect() &&
       !ma.DisjunctColSelect()) ||
      ((State & gdSelected) && mouseDown && FShowSelection)) {
    TColor mixed = Brush.Color() == Color()
                       ? FSelectionColor
                       : MixSelectionColor(FSelectionColor, Brush.Color(), FSelectionColorMixer,
                                           FSelectionColorMixerFactor);
    applySelection();
    Brush.SetColor(mixed);
    State |= gdSelected;
  }
  if (ma.DisjunctCellSelect() && FShowSelection) {
    // Picked cells are keyed by column and row, so rows past 65,535 never alias others.
    if (FPickedCells.Contains(ACol, ARow)) {
      applySelection();
      State |= gdSelected;
    } else if (ACol == Col() && ARow == Row()) {
      State &= ~gdSelected;
      Brush.SetColor(unselBrush);
      AFont.SetColor(unselFont);
    }
  }

  if (FUseDisabledFont && ((FUseEnabledRows && !RowEnabled(selRow)) || !Enabled()))
    AFont.SetColor(FDisabledFontColor);

  if (ma.DisjunctRowSelect() && FSelectionColorTo == clNone && inSel && ARow != Row())
    Brush.SetColor(ScaleColorPercent(Brush.Color(), 7));

  GetCellWordWrap(RCol, ARow, WordWrap);
  CalcCellAlignment(RCol, ARow, HAlign, VAlign);
}
