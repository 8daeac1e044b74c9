// The string grid's per-cell queries answered from the column items.
#include "grid/CellGraphic.h"
#include "grid/ProCGrid.h"

#include "controls/ProUtilNumbers.h"
#include "platform/Format.h"

void TProColumnGrid::GetCellDefaults(int ACol, int ARow, TFont& Font, TBrush& Brush, TColor& ColorTo,
                                     TColor& MirrorColor, TColor& MirrorColorTo, TAlignment& HAlign,
                                     TVAlignment& VAlign, bool& WordWrap,
                                     TCellGradientDirection& GradientDirection) {
  const TGridColumnItem* item = Item(ACol);
  if (!item) {
    TProStringGrid::GetCellDefaults(ACol, ARow, Font, Brush, ColorTo, MirrorColor, MirrorColorTo, HAlign,
                                    VAlign, WordWrap, GradientDirection);
    return;
  }
  Font.Assign(item->Font());
  Brush.SetColor(item->Color());
  ColorTo = clNone;
  HAlign = ARow < FixedRows() ? item->HeaderAlignment() : item->Alignment();
  VAlign = VAlignment();
  WordWrap = TBaseGrid::WordWrap();
  GradientDirection = GradientVertical;
  if (IsFixed(ACol, ARow) || (Bands().Active() && item->ShowBands())) {
    Brush.SetColor(clNone);
    ColorTo = clNone;
  }
}

std::string TProColumnGrid::GetFormattedCell(int ACol, int ARow) {
  const TGridColumnItem* item = Item(ACol);
  if (!item) return TProStringGrid::GetFormattedCell(ACol, ARow);
  const std::string text = Cells(ACol, ARow);
  std::string fmt = item->FloatFormat();
  const int kind = ClassifyNumberText(text);
  bool isFloat = kind == 0 || kind == 1;
  if (OnGetFloatFormat) OnGetFloatFormat(this, ACol, ARow, isFloat, fmt);
  if (fmt.empty() || !isFloat) return text;
  // The pattern comes from the form or a handler: only the safe formatter sees it, and a pattern
  // that does not take the value shows the plain text instead of failing the paint.
  std::string out;
  try {
    if (TryFormat(fmt, {Floats(ACol, ARow)}, out)) return out;
  } catch (const std::exception&) {
  }
  return text;
}

void TProColumnGrid::GetColFloatFormat(int ACol, int ARow, std::string& Fmt) {
  Fmt = FloatFormat();
  if (const TGridColumnItem* item = Item(ACol); item && !item->FloatFormat().empty())
    Fmt = item->FloatFormat();
}

TCellType TProColumnGrid::GetCellType(int ACol, int ARow) const {
  const TCellType base = TProStringGrid::GetCellType(ACol, ARow);
  if (base != ctEmpty || !FColumnCollection) return base;
  const TGridColumnItem* item = Item(ACol);
  return item && item->Editor() == edDataCheckBox && IsBodyCell(ACol, ARow) ? ctDataCheckBox : base;
}

TCellGraphic* TProColumnGrid::GetCellGraphic(int ACol, int ARow) const {
  TCellGraphic* base = TProStringGrid::GetCellGraphic(ACol, ARow);
  if (base || !FColumnCollection) return base;
  const TGridColumnItem* item = Item(ACol);
  if (!item || item->Editor() != edDataCheckBox || !IsBodyCell(ACol, ARow)) return base;
  FCellGraphic->SetCellType(ctVirtCheckBox);
  FCellGraphic->SetCellTransparent(const_cast<TProColumnGrid*>(this)->ControlLook().ControlStyle() == csFlat);
  return FCellGraphic.get();
}

void TProColumnGrid::UpdateColumnSize(int ACol, int& AWidth) {
  if (const TGridColumnItem* item = Item(ACol)) {
    if (item->MinSize() > 0 && AWidth < item->MinSize()) AWidth = item->MinSize();
    if (item->MaxSize() > 0 && AWidth > item->MaxSize()) AWidth = item->MaxSize();
  }
  TProStringGrid::UpdateColumnSize(ACol, AWidth);
}

void TProColumnGrid::UpdateAutoColumnSize(int ACol, int& AWidth) {
  if (const TGridColumnItem* item = Item(ACol)) {
    if (item->AutoMinSize() > 0 && AWidth < item->AutoMinSize()) AWidth = item->AutoMinSize();
    if (item->AutoMaxSize() > 0 && AWidth > item->AutoMaxSize()) AWidth = item->AutoMaxSize();
  }
  TProStringGrid::UpdateAutoColumnSize(ACol, AWidth);
}

void TProColumnGrid::CellsLoaded() {
  TProStringGrid::CellsLoaded();
  if (FColumnCollection) SyncColumnsQuiet();
}

void TProColumnGrid::GetCellColorFull(int ACol, int ARow, TGridDrawState AState, TBrush& ABrush,
                                      TFont& AFont) {
  if (const TGridColumnItem* item = Item(ACol);
      item && IsNormalCol(ACol) && ARow < RowCount() - FixedFooters()) {
    ColumnCellColor(*item, ARow < FixedRowsNow(), ABrush, AFont);
    if (const TCellProperties* props = FindCellProperties(ACol, ARow)) {
      if (props->BrushColor() != clNone) ABrush.SetColor(props->BrushColor());
      if (props->FontColor() != clNone) AFont.SetColor(props->FontColor());
    }
  }
  TProStringGrid::GetCellColor(ACol, ARow, AState, ABrush, AFont);
}

void TProColumnGrid::GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush& ABrush,
                                       TFont& AFont) {
  if (const TGridColumnItem* item = Item(ACol)) {
    if (!IsBodyCell(ACol, ARow)) {
      AFont.Assign(PrintSettings().FixedFont());
    } else {
      if (item->Fixed())
        ABrush.SetColor(FixedColor());
      else if (!(item->ShowBands() && Bands().Active() && Bands().Print()))
        ABrush.SetColor(item->PrintColor());
      const TCellProperties* props = FindCellProperties(ACol, ARow);
      if (props && props->BrushColor() != clNone) ABrush.SetColor(props->BrushColor());
      if (item->PrintFontCustom()) {
        AFont.Assign(item->PrintFont());
        if (props) {
          if (props->FontColor() != clNone) AFont.SetColor(props->FontColor());
          if (props->FontStyle() != 0) AFont.SetStyle(props->FontStyle());
          if (props->FontSize() != 0) AFont.SetSize(props->FontSize());
          if (!props->FontName().empty()) AFont.SetName(props->FontName());
        }
      } else {
        AFont.Assign(PrintSettings().Font());
      }
    }
  }
  TProStringGrid::GetCellPrintColor(ACol, ARow, AState, ABrush, AFont);
}

void TProColumnGrid::GetCellBorder(int ACol, int ARow, TPen& APen, TCellBorders& Borders) {
  if (const TGridColumnItem* item = Item(ACol); item && IsNormalCell(ACol, ARow)) {
    Borders = item->Borders();
    APen.Assign(item->BorderPen());
  }
  TProStringGrid::GetCellBorder(ACol, ARow, APen, Borders);
}

void TProColumnGrid::GetCellPrintBorder(int ACol, int ARow, TPen& APen, TCellBorders& Borders) {
  if (const TGridColumnItem* item = Item(ACol);
      item && IsNormalCell(ACol, ARow) && item->PrintBorderCustom()) {
    Borders = item->PrintBorders();
    APen.Assign(item->PrintBorderPen());
  }
  TProStringGrid::GetCellPrintBorder(ACol, ARow, APen, Borders);
}

void TProColumnGrid::GetCellAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign) {
  if (const TGridColumnItem* item = Item(ACol)) {
    HAlign = ARow < FixedRows() ? item->HeaderAlignment() : item->Alignment();
    if (const TCellProperties* props = FindCellProperties(ACol, ARow)) HAlign = props->Alignment();
  }
  TProStringGrid::GetCellAlignment(ACol, ARow, HAlign, VAlign);
}

void TProColumnGrid::GetColumnFormat(int ACol, TSortStyle& AStyle, std::string& APrefix,
                                     std::string& ASuffix) {
  if (const TGridColumnItem* item = Item(ACol)) {
    AStyle = item->SortStyle();
    APrefix = item->SortPrefix();
    ASuffix = item->SortSuffix();
  }
  TProStringGrid::GetColumnFormat(ACol, AStyle, APrefix, ASuffix);
}

void TProColumnGrid::IsFixedCell(int ACol, int ARow, bool& IsFixed) {
  const int real = RealColIndex(ACol);
  if (const TGridColumnItem* item = Item(real); item && IsNormalCell(ACol, ARow)) IsFixed = item->Fixed();
  TProStringGrid::IsFixedCell(ACol, ARow, IsFixed);
}

void TProColumnGrid::GetCellEditorFull(int ACol, int ARow, TEditorType& AEditor) {
  if (const TGridColumnItem* item = Item(ACol)) {
    if (IsNormalCell(ACol, ARow)) {
      const TEditorType e = item->Editor();
      AEditor = e;
      // Painting asks this for every cell: an empty list stays empty without a copy.
      if (!item->ComboItems().Empty() || !ComboStrings().Empty()) ComboStrings().Assign(item->ComboItems());
      FEditorSettings = item->EditorSettings();
      // Only spin and linked columns have an editor to set up.
      if (item->NeedsEditorSetup()) ApplyColumnEditor(*item);
    }
    if (!item->FloatFormat().empty()) SetFloatFormat(item->FloatFormat());
  }
  TProStringGrid::GetCellEditor(ACol, ARow, AEditor);
}

void TProColumnGrid::CanEditCellFull(int ACol, int ARow, bool& CanEdit) {
  if (FindCellProperties(ACol, ARow))
    CanEditCellWithProperties(ACol, ARow, CanEdit);
  else
    DoCanEditCell(ACol, ARow, CanEdit);
}

void TProColumnGrid::GetCheckTrueFull(int ACol, int ARow, std::string& Value) {
  const TGridColumnItem* item = Item(ACol);
  const bool column = item && IsBodyCell(ACol, ARow);
  if (!column || OnGetCheckTrue) TProStringGrid::GetCheckTrue(ACol, ARow, Value);
  if (column) Value = item->CheckTrue();
}

// A merged area answers for its base cell: that cell's read-only state and the handler asked for
// it.
void TProColumnGrid::CanEditCellWithProperties(int ACol, int ARow, bool& CanEdit) {
  const TCellProperties* props = FindCellProperties(ACol, ARow);
  const TPoint base = props->GetBaseCell(ACol, ARow);
  if (base.X != ACol || base.Y != ARow) props = FindCellProperties(base.X, base.Y);
  if (props && CanEdit) CanEdit = !props->ReadOnly();
  DoCanEditCell(base.X, base.Y, CanEdit);
}

void TProColumnGrid::IsPasswordCell(int ACol, int ARow, bool& IsPassword) {
  if (const TGridColumnItem* item = Item(ACol)) IsPassword = item->Password();
  TProStringGrid::IsPasswordCell(ACol, ARow, IsPassword);
}

bool TProColumnGrid::HasComboBox(int ACol, int ARow) {
  bool has = false;
  if (const TGridColumnItem* item = Item(ACol); item && IsNormalCell(ACol, ARow))
    has = item->Editor() == edComboEdit || item->Editor() == edComboList;
  if (OnHasComboBox) OnHasComboBox(this, ACol, ARow, has);
  return has;
}

void TProColumnGrid::GetCheckFalse(int ACol, int ARow, std::string& Value) {
  const TGridColumnItem* item = Item(ACol);
  const bool column = item && IsBodyCell(ACol, ARow);
  if (!column || OnGetCheckFalse) TProStringGrid::GetCheckFalse(ACol, ARow, Value);
  if (column) Value = item->CheckFalse();
}

namespace {
// "Name=Condition" entries; an entry without "=" is both.
std::string EntryName(const std::string& Entry) {
  const auto eq = Entry.find('=');
  return eq == std::string::npos ? Entry : Entry.substr(0, eq);
}
std::string EntryCondition(const std::string& Entry) {
  const auto eq = Entry.find('=');
  return eq == std::string::npos ? Entry : Entry.substr(eq + 1);
}
} // namespace

bool TProColumnGrid::GetColumnFilter(int ACol) {
  TProStringGrid::GetColumnFilter(ACol);
  const TGridColumnItem* item = Item(ACol);
  if (!item || item->Filter().Count() == 0) return false;
  std::vector<std::string> names;
  for (int i = 0; i < item->Filter().Count(); ++i)
    names.push_back(EntryName(item->Filter()[i]));
  SetFilterList(std::move(names));
  return true;
}

void TProColumnGrid::FilterSelect(int FilterCol, int ItemIndex) {
  SetFilterCol(-1);
  TGridColumnItem* item = Item(FilterCol);
  if (!item || ItemIndex < 0 || ItemIndex >= item->Filter().Count()) return;
  const std::string entry = item->Filter()[ItemIndex];
  const std::string name = EntryName(entry);
  if (FAutoFilterDisplay) item->SetHeader(name);
  if (AutoFilterUpdate()) SetFilterActive(false);
  std::string condition = EntryCondition(entry);
  if (OnFilterSelect) OnFilterSelect(this, FilterCol, ItemIndex, name, condition);
  FLastFilterCondition = condition;
  TFilterData* f = Filter().ColumnFilter(FilterCol);
  f->SetCondition(condition);
  f->SetCaseSensitive(item->FilterCaseSensitive());
  if (AutoFilterUpdate()) {
    SetFilterActive(true);
    if (RowCount() != FixedRows() && !(RowCount() == 1 && FixedRowAlways())) SetRow(FixedRows());
    FilterDone();
  }
}

std::string TProColumnGrid::GetEditMask(int ACol, int ARow) {
  std::string mask;
  if (const int real = RealColIndex(ACol); Item(real) && ACol >= FixedCols()) mask = Item(real)->EditMask();
  std::string own = TProStringGrid::GetEditMask(ACol, ARow);
  return own.empty() ? mask : own;
}

int TProColumnGrid::GetEditLimit() {
  const int real = RealColIndex(Col());
  if (Item(real) && Col() >= FixedCols()) return Item(real)->EditLength();
  return TProStringGrid::GetEditLimit();
}
