// The header's properties and their rules: height within its bounds and the fixed-area
// percentages, the main and sort columns, options, font, and the header's place above the nodes.
#include "tree/VTHeader.h"

#include "platform/ui/Graphics.h"
#include "tree/NodeTrees.h"

#include <algorithm>
#include <cstdint>

TVTHeader::TVTHeader(TBaseNodeTree* AOwner)
    : FOwner(AOwner), FColumns(new TNodeTreeColumns(this)),
      FFixedAreaConstraints(new TVTFixedAreaConstraints(this)) {
  FFont.OnChange = [this] { HeaderFontChanged(); };
  FFixedAreaConstraints->OnChange = [this](TObject*) { ConstraintsChanged(); };
}

TVTHeader::~TVTHeader() {
  FFont.OnChange = nullptr;
  FFixedAreaConstraints->OnChange = nullptr;
  FColumns->Clear();
}

TColumnIndex TVTHeader::MainColumn() const {
  return FColumns->Count() == 0 ? NoColumn : FMainColumn;
}

void TVTHeader::SetMainColumn(TColumnIndex Value) {
  Value = std::min(std::max(Value, 0), FColumns->Count() - 1);
  if (Value == FMainColumn) return;
  FMainColumn = Value;
  FOwner->CancelEditNode();
  if (!FOwner->Has(toExtendedFocus)) FOwner->FFocusedColumn = Value;
  FOwner->Invalidate();
}

TColumnIndex TVTHeader::SortColumn() const {
  return FOwner->SortColumn();
}

void TVTHeader::SetSortColumn(TColumnIndex Value) {
  ApplySortColumn(Value);
}

void TVTHeader::ApplySortColumn(TColumnIndex Value) {
  Value = std::min(std::max(Value, NoColumn), FColumns->Count() - 1);
  if (Value != FOwner->SortColumn()) {
    FColumns->InvalidateColumn(FOwner->SortColumn());
    FOwner->SetSortColumn(Value);
    FColumns->InvalidateColumn(Value);
  }
  if ((FOwner->Has(toAutoSort) || Has(hoHeaderClickAutoSort)) && FOwner->UpdateCount() == 0)
    FOwner->SortTree(FOwner->SortColumn(), FOwner->SortDirection(), false);
}

TSortDirection TVTHeader::SortDirection() const {
  return FOwner->SortDirection();
}

void TVTHeader::SetSortDirection(TSortDirection Value) {
  if (Value == FOwner->SortDirection()) return;
  FOwner->SetSortDirection(Value);
  Invalidate(nullptr);
  if ((FOwner->Has(toAutoSort) || Has(hoHeaderClickAutoSort)) && FOwner->UpdateCount() == 0)
    FOwner->SortTree(FOwner->SortColumn(), FOwner->SortDirection(), false);
}

void TVTHeader::SetHeight(int Value) {
  // The tree's client area lies below the header: the total is what both share.
  const std::int64_t total = std::int64_t(FOwner->ClientHeight()) + FHeight;
  const TVTFixedAreaConstraints& c = *FFixedAreaConstraints;
  const int maxPx = static_cast<int>(total * c.FMaxHeightPercent / 100);
  const int minPx = static_cast<int>(total * c.FMinHeightPercent / 100);
  const int lower = c.FMaxHeightPercent > 0 ? std::min(maxPx, FMinHeight) : FMinHeight;
  const int upper = c.FMinHeightPercent > 0 ? std::max(minPx, FMaxHeight) : FMaxHeight;
  int h = std::min(std::max(Value, lower), upper);
  if (c.FMinHeightPercent > 0) h = std::max(h, minPx);
  if (c.FMaxHeightPercent > 0) h = std::min(h, maxPx);
  if (h == FHeight) return;
  FHeight = h;
  if (!FStates.Has(hsScaling)) RefreshHeaderFrame();
  FOwner->Invalidate();
}

void TVTHeader::SetMinHeight(int Value) {
  FMinHeight = std::min(std::max(Value, 0), FMaxHeight);
  SetHeight(FHeight);
}

void TVTHeader::SetMaxHeight(int Value) {
  FMaxHeight = std::max(Value, FMinHeight);
  SetHeight(FHeight);
}

void TVTHeader::SetDefaultHeight(int Value) {
  Value = std::min(std::max(Value, FMinHeight), FMaxHeight);
  if (FHeight == FDefaultHeight) SetHeight(Value);
  FDefaultHeight = Value;
}

void TVTHeader::SetFont(const TFont& Value) {
  FFont.Assign(Value);
  FParentFont = false;
}

void TVTHeader::SetParentFont(bool Value) {
  if (FParentFont == Value) return;
  FParentFont = Value;
  if (FParentFont) FFont.Assign(FOwner->Font());
}

void TVTHeader::SetOptions(TVTHeaderOptions Value) {
  Value = TVTHeaderOptions::FromBits(Value.Bits() & HeaderOptionBits);
  if (Value == FOptions) return;
  const TVTHeaderOptions added = Value - FOptions, removed = FOptions - Value;
  FOptions = Value;
  if ((added.Has(hoAutoResize) || removed.Has(hoAutoResize)) && FColumns->Count() > 0) {
    FColumns->FitAutoSizeColumn(false);
    FOwner->UpdateHorizontalScrollBar(false);
    if (added.Has(hoAutoResize)) FOwner->Invalidate();
  }
  if (added.Has(hoVisible) || removed.Has(hoVisible)) RefreshHeaderFrame();
  Invalidate(nullptr);
  FOwner->Invalidate();
}

void TVTHeader::SetStyle(TVTHeaderStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  Invalidate(nullptr);
}

void TVTHeader::SetBackground(TColor Value) {
  if (FBackgroundColor == Value) return;
  FBackgroundColor = Value;
  Invalidate(nullptr);
}

void TVTHeader::SetAutoSizeIndex(TColumnIndex Value) {
  if (FAutoSizeIndex == Value) return;
  FAutoSizeIndex = Value;
  if (Has(hoAutoResize)) FColumns->FitAutoSizeColumn(false);
}

void TVTHeader::SetImages(TImageList* Value) {
  if (FImages == Value) return;
  FImages = Value;
  Invalidate(nullptr);
}

bool TVTHeader::AllowFocus(TColumnIndex ColumnIndex) const {
  return FColumns->IsValidColumn(ColumnIndex) && FColumns->Items(ColumnIndex)->Has(coAllowFocus);
}

void TVTHeader::HeaderFontChanged() {
  if (FOwner->Has(toAutoChangeScale)) {
    int spacing = 0;
    for (int i = 0; i < FColumns->Count(); ++i)
      spacing = std::max(spacing, FColumns->Items(i)->Spacing());
    TBitmap measure(1, 1);
    measure.Canvas().Font() = FFont;
    const int textHeight = measure.Canvas().TextHeight("Q");
    SetHeight(std::max(FHeight, textHeight + spacing + spacing / 2));
  }
  Invalidate(nullptr);
}

void TVTHeader::ConstraintsChanged() {
  ApplyFixedAreaConstraints();
}

void TVTHeader::ApplyFixedAreaConstraints() {
  if (FOwner->Destroying() || FStates.Has(hsLoading)) return;
  FStates.Include(hsScaling);
  try {
    SetHeight(FHeight);
    RefreshHeaderFrame();
    // Settled here: the width step runs whenever a percentage is set, since the width
    // percentages are what it enforces.
    const TVTFixedAreaConstraints& c = *FFixedAreaConstraints;
    if (c.FMinHeightPercent || c.FMaxHeightPercent || c.FMinWidthPercent || c.FMaxWidthPercent) {
      for (int i = 0; i < FColumns->Count(); ++i) {
        TNodeTreeColumn* column = FColumns->Items(i);
        if (column->IsVisibleFixed() && column->FWidth < column->FMinWidth)
          column->FWidth = column->FMinWidth;
      }
      const int fw = FColumns->GetVisibleFixedWidth();
      const int cw = FOwner->ClientWidth();
      const TVTColumnOptions fixed{coVisible, coFixed};
      if (c.FMaxWidthPercent > 0 && fw > cw * c.FMaxWidthPercent / 100)
        ResizeColumns(cw * c.FMaxWidthPercent / 100 - fw, 0, FColumns->Count() - 1, fixed);
      else if (c.FMinWidthPercent > 0 && fw < cw * c.FMinWidthPercent / 100)
        ResizeColumns(cw * c.FMinWidthPercent / 100 - fw, 0, FColumns->Count() - 1, fixed);
      FColumns->RecalcColumnLefts(false);
    }
  } catch (...) {
    FStates.Exclude(hsScaling);
    FStates.Exclude(hsNeedScaling);
    throw;
  }
  FStates.Exclude(hsScaling);
  FStates.Exclude(hsNeedScaling);
}

void TVTHeader::RefreshHeaderFrame() {
  FOwner->HeaderFrameChanged();
}

void TVTHeader::ScaleHeader(int M, int D) {
  if (D == 0) return;
  auto mulDiv = [M, D](int v) {
    return static_cast<int>((static_cast<long long>(v) * M + (D / 2) * (v < 0 ? -1 : 1)) / D);
  };
  SetHeight(mulDiv(FHeight));
  if (!FParentFont) FFont.SetHeight(mulDiv(FFont.Height()));
  for (int i = 0; i < FColumns->Count(); ++i) {
    TNodeTreeColumn* column = FColumns->Items(i);
    column->SetWidth(mulDiv(column->Width()));
  }
}

void TVTHeader::ClampMainColumn() {
  if (FMainColumn < 0) FMainColumn = 0;
  if (FMainColumn > FColumns->Count() - 1) FMainColumn = FColumns->Count() - 1;
}

TRect TVTHeader::HeaderRect() const {
  return TRect{0, 0, FOwner->Width(), Has(hoVisible) ? FHeight : 0};
}

bool TVTHeader::InHeader(TPoint P) const {
  if (!Has(hoVisible)) return false;
  return P.X >= 0 && P.X < FOwner->Width() && P.Y >= -FHeight && P.Y < 0;
}

bool TVTHeader::InHeaderSplitterArea(TPoint P) const {
  if (P.Y < -2 || P.Y > 2 || !Has(hoVisible)) return false;
  // The header rectangle grown 2 pixels downwards, in client coordinates.
  return P.X >= 0 && P.X < FOwner->Width() && P.Y >= -FHeight && P.Y < 2;
}

void TVTHeader::Invalidate(const TNodeTreeColumn* Column, bool ExpandToBorder) const {
  if (!Has(hoVisible) || FOwner->Destroying()) return;
  TRect r = HeaderRect();
  if (Column) {
    r = Column->GetRect();
    if (!Column->Has(coFixed)) {
      r.Left -= FOwner->EffectiveOffsetX();
      r.Right -= FOwner->EffectiveOffsetX();
    }
    if (ExpandToBorder) {
      if (Has(hoFullRepaintOnResize)) {
        r.Left = 0;
        r.Right = FOwner->Width();
      } else if (FOwner->BiDiMode() == bdRightToLeft) {
        r.Left = 0;
      } else {
        r.Right = FOwner->Width();
      }
    }
  }
  FOwner->InvalidateHeaderRect(r);
}

void TVTHeader::Assign(const TPersistent* Source) {
  const auto* source = dynamic_cast<const TVTHeader*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  SetAutoSizeIndex(source->FAutoSizeIndex);
  SetBackground(source->FBackgroundColor);
  SetColumns(*source->FColumns);
  SetFont(source->FFont);
  FFixedAreaConstraints->Assign(source->FFixedAreaConstraints.get());
  SetHeight(source->FHeight);
  SetImages(source->FImages);
  SetMainColumn(source->MainColumn());
  SetOptions(source->FOptions);
  SetParentFont(source->FParentFont);
  FPopupMenu = source->FPopupMenu;
  SetSortColumn(source->SortColumn());
  SetSortDirection(source->SortDirection());
  SetStyle(source->FStyle);
  ApplyFixedAreaConstraints();
}

void TVTHeader::RestoreColumns() {
  const auto& map = FColumns->FPositionToIndex;
  for (auto it = map.rbegin(); it != map.rend(); ++it) {
    TNodeTreeColumn* column = FColumns->Items(*it);
    if (column->Has(coVisible) && column->Has(coResizable)) column->RestoreLastWidth();
  }
}
