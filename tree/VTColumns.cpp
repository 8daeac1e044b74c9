// Columns and their collection: width rules, options, the position map and the notifications that
// keep the header and the tree in step.
#include "tree/VTColumns.h"

#include "platform/ui/Graphics.h"
#include "tree/NodeTrees.h"
#include "tree/VTHeader.h"
#include "tree/VTHeaderPopup.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <stdexcept>

namespace {
// Sums of widths are taken in 64 bits and kept within an int, however many wide columns there are.
int Saturated(std::int64_t v) {
  return static_cast<int>(std::clamp<std::int64_t>(v, INT_MIN / 2, INT_MAX / 2));
}
} // namespace

// ------------------------------------------------------------------------------------------ column

TNodeTreeColumn::TNodeTreeColumn(TCollection* Collection) : TCollectionItem(Collection) {
  if (auto* columns = Owner()) {
    FWidth = columns->FDefaultWidth;
    FLastWidth = FWidth;
    FPosition = static_cast<TColumnPosition>(columns->Count() - 1);
    ParentBiDiModeChanged();
    ParentColorChanged();
  }
}

TNodeTreeColumn::~TNodeTreeColumn() = default;

TNodeTreeColumns* TNodeTreeColumn::Owner() const {
  return static_cast<TNodeTreeColumns*>(Collection());
}

TVTHeader* TNodeTreeColumn::Header() const {
  return Owner() ? Owner()->Header() : nullptr;
}

TBaseNodeTree* TNodeTreeColumn::Tree() const {
  return Owner() ? Owner()->Tree() : nullptr;
}

void TNodeTreeColumn::SetText(const std::string& Value) {
  if (FText == Value) return;
  FText = Value;
  FCaptionText.clear();
  ChangedSelf();
}

int TNodeTreeColumn::Left() const {
  const TBaseNodeTree* tree = Tree();
  if (!tree || IsVisibleFixed()) return FLeft;
  return FLeft - tree->EffectiveOffsetX();
}

void TNodeTreeColumn::SetWidth(int Value) {
  TVTHeader* header = Header();
  TBaseNodeTree* tree = Tree();
  int w = Value;
  if (header && tree && !header->FStates.Has(hsScaling)) {
    if (!IsVisibleFixed()) {
      w = std::min(std::max(w, FMinWidth), FMaxWidth);
    } else {
      // The fixed columns are bounded as a whole.
      const TVTFixedAreaConstraints& c = *header->FFixedAreaConstraints;
      const int cw = tree->ClientWidth();
      std::int64_t sumMax = 0, sumMin = 0;
      for (int i = 0; i < Owner()->Count(); ++i) {
        const TNodeTreeColumn* col = Owner()->Items(i);
        if (!col->IsVisibleFixed()) continue;
        sumMax += col->FMaxWidth;
        sumMin += col->FMinWidth;
      }
      const int other = Owner()->GetVisibleFixedWidth() - FWidth;
      const int maxPx = Saturated(std::int64_t(cw) * c.FMaxWidthPercent / 100);
      const int minPx = Saturated(std::int64_t(cw) * c.FMinWidthPercent / 100);
      if (c.FMaxWidthPercent > 0) sumMin = std::min<std::int64_t>(sumMin, maxPx);
      if (c.FMinWidthPercent > 0) sumMax = std::max<std::int64_t>(sumMax, minPx);
      const int upper = std::min(Saturated(sumMax - other), FMaxWidth);
      const int lower = std::max(Saturated(sumMin - other), FMinWidth);
      w = std::min(std::max(w, lower), upper);
      if (c.FMinWidthPercent > 0) w = std::max(w, minPx - other);
      if (c.FMaxWidthPercent > 0) w = std::min(w, maxPx - other);
    }
  }
  if (w == FWidth) return;
  FLastWidth = FWidth;
  if (!header || !header->FStates.Has(hsResizing)) FBonusPixel = false;
  const bool autoSized = header && header->Has(hoAutoResize) && Index() == header->FAutoSizeIndex;
  if (!autoSized) {
    FWidth = w;
    if (Owner()) Owner()->RecalcColumnLefts(false);
  }
  if (!Owner() || Owner()->UpdateCount() > 0 || !tree) return;
  if (header->Has(hoAutoResize)) Owner()->FitAutoSizeColumn(false);
  tree->DoColumnResize(Index());
}

void TNodeTreeColumn::SetMinWidth(int Value) {
  FMinWidth = std::min(std::max(Value, 0), FMaxWidth);
  SetWidth(FWidth);
}

void TNodeTreeColumn::SetMaxWidth(int Value) {
  FMaxWidth = std::max(Value, FMinWidth);
  SetWidth(FWidth);
}

void TNodeTreeColumn::SetPosition(TColumnPosition Value) {
  TNodeTreeColumns* columns = Owner();
  if (!columns) return;
  const auto count = static_cast<TColumnPosition>(columns->Count());
  if (Value >= count) Value = count - 1;
  if (Value == FPosition) return;
  columns->SyncPositionMapLength();
  if (TBaseNodeTree* tree = Tree()) tree->CancelEditNode();
  columns->MovePositionEntry(this, Value);
  ChangedSelf();
  if (columns->UpdateCount() == 0) {
    Header()->Invalidate(this);
    if (TBaseNodeTree* tree = Tree()) tree->Invalidate();
  }
  // Fixed columns stay together: the column takes over the fixed state of a neighbour.
  const TColumnIndex neighbour = (Has(coFixed) && FPosition > 0) ? columns->ColumnFromPosition(FPosition - 1)
                                                                 : columns->ColumnFromPosition(FPosition + 1);
  if (neighbour != NoColumn) {
    TVTColumnOptions options = FOptions;
    if (columns->Items(neighbour)->Has(coFixed))
      options.Include(coFixed);
    else
      options.Exclude(coFixed);
    SetOptions(options);
  }
}

void TNodeTreeColumn::SetStyle(TNodeTreeColumnStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  ChangedSelf();
}

void TNodeTreeColumn::SetImageIndex(int Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  ChangedSelf();
}

void TNodeTreeColumn::SetBiDiMode(TBiDiMode Value) {
  if (FBiDiMode == Value) return;
  FBiDiMode = Value;
  FOptions.Exclude(coParentBidiMode);
  ChangedSelf();
  if (TBaseNodeTree* tree = Tree()) tree->Invalidate();
}

void TNodeTreeColumn::SetLayout(TVTHeaderColumnLayout Value) {
  if (FLayout == Value) return;
  FLayout = Value;
  ChangedSelf();
}

void TNodeTreeColumn::SetMargin(int Value) {
  if (Value < 0) Value = 4;
  if (FMargin == Value) return;
  FMargin = Value;
  ChangedSelf();
}

void TNodeTreeColumn::SetSpacing(int Value) {
  if (FSpacing == Value) return;
  FSpacing = Value;
  ChangedSelf();
}

void TNodeTreeColumn::SetOptions(TVTColumnOptions Value) {
  if (Value == FOptions) return;
  const TVTColumnOptions added = Value - FOptions, removed = FOptions - Value;
  FOptions = Value;
  if (added.Has(coParentBidiMode)) ParentBiDiModeChanged();
  if (added.Has(coParentColor)) ParentColorChanged();
  if (added.Has(coAutoSpring)) FSpringRest = 0;
  if ((added.Has(coFixed) || removed.Has(coFixed)) && FOptions.Has(coVisible) && Header())
    Header()->ApplyFixedAreaConstraints();
  ChangedSelf();
  TBaseNodeTree* tree = Tree();
  const bool visibility = added.Has(coVisible) || removed.Has(coVisible);
  if (tree && (visibility || added.Has(coParentColor)) && tree->UpdateCount() == 0) {
    tree->Invalidate();
    if (visibility) tree->UpdateHorizontalScrollBar(false);
  }
}

void TNodeTreeColumn::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  ChangedSelf();
  if (TBaseNodeTree* tree = Tree()) tree->Invalidate();
}

TAlignment TNodeTreeColumn::CaptionAlignment() const {
  return FOptions.Has(coUseCaptionAlignment) ? FCaptionAlignment : FAlignment;
}

void TNodeTreeColumn::SetCaptionAlignment(TAlignment Value) {
  if (FCaptionAlignment == Value && FOptions.Has(coUseCaptionAlignment)) return;
  FCaptionAlignment = Value;
  FOptions.Include(coUseCaptionAlignment);
  if (Header()) Header()->Invalidate(this);
}

void TNodeTreeColumn::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = Value;
  FOptions.Exclude(coParentColor);
  ChangedSelf();
  if (TBaseNodeTree* tree = Tree()) tree->Invalidate();
}

void TNodeTreeColumn::SetCheckBox(bool Value) {
  if (FCheckBox == Value) return;
  FCheckBox = Value;
  ChangedSelf();
}

void TNodeTreeColumn::SetCheckType(TCheckType Value) {
  if (FCheckType == Value) return;
  FCheckType = Value;
  ChangedSelf();
}

void TNodeTreeColumn::SetCheckState(TCheckState Value) {
  if (FCheckState == Value) return;
  FCheckState = Value;
  ChangedSelf();
}

TRect TNodeTreeColumn::GetRect() const {
  const TVTHeader* header = Header();
  TRect r = header ? header->HeaderRect() : TRect{};
  r.Left += FLeft;
  r.Right = r.Left + FWidth;
  return r;
}

void TNodeTreeColumn::GetUnscrolledEdges(int& ALeft, int& ARight) const {
  ALeft = FLeft;
  ARight = FLeft + FWidth;
}

void TNodeTreeColumn::ParentBiDiModeChanged() {
  TBaseNodeTree* tree = Tree();
  if (!tree || !FOptions.Has(coParentBidiMode) || FBiDiMode == tree->BiDiMode()) return;
  FBiDiMode = tree->BiDiMode();
  ChangedSelf();
}

void TNodeTreeColumn::ParentColorChanged() {
  TBaseNodeTree* tree = Tree();
  if (!tree || !FOptions.Has(coParentColor) || FColor == tree->Color()) return;
  FColor = tree->Color();
  ChangedSelf();
}

void TNodeTreeColumn::RestoreLastWidth() {
  if (Owner()) Owner()->AnimatedResize(Index(), FLastWidth);
}

std::string TNodeTreeColumn::GetDisplayName() const {
  // Captions beyond Latin-1 are named by number.
  for (std::size_t i = 0; i < FText.size();) {
    const auto c = static_cast<unsigned char>(FText[i]);
    if (c < 0x80) {
      ++i;
      continue;
    }
    // Two-byte sequences starting with C2 or C3 encode U+0080 .. U+00FF.
    if ((c == 0xC2 || c == 0xC3) && i + 1 < FText.size()) {
      i += 2;
      continue;
    }
    return "Column " + std::to_string(Index());
  }
  return FText;
}

void TNodeTreeColumn::Assign(const TPersistent* Source) {
  const auto* source = dynamic_cast<const TNodeTreeColumn*>(Source);
  if (!source) {
    TCollectionItem::Assign(Source);
    return;
  }
  const TVTColumnOptions saved = FOptions;
  FOptions = {};
  SetBiDiMode(source->FBiDiMode);
  SetImageIndex(source->FImageIndex);
  SetLayout(source->FLayout);
  SetMargin(source->FMargin);
  SetMaxWidth(source->FMaxWidth);
  SetMinWidth(source->FMinWidth);
  SetPosition(source->FPosition);
  SetSpacing(source->FSpacing);
  SetStyle(source->FStyle);
  SetText(source->FText);
  SetHint(source->FHint);
  SetWidth(source->FWidth);
  SetAlignment(source->FAlignment);
  SetCaptionAlignment(source->CaptionAlignment());
  SetColor(source->FColor);
  FTag = source->FTag;
  FOptions = saved;
  SetOptions(source->FOptions);
  ChangedSelf();
}

bool TNodeTreeColumn::Equals(const TNodeTreeColumn& o) const {
  return FBiDiMode == o.FBiDiMode && FImageIndex == o.FImageIndex && FLayout == o.FLayout &&
         FMargin == o.FMargin && FMaxWidth == o.FMaxWidth && FMinWidth == o.FMinWidth &&
         FPosition == o.FPosition && FSpacing == o.FSpacing && FStyle == o.FStyle && FText == o.FText &&
         FHint == o.FHint && FWidth == o.FWidth && FAlignment == o.FAlignment &&
         CaptionAlignment() == o.CaptionAlignment() && FColor == o.FColor && FTag == o.FTag &&
         FOptions == o.FOptions;
}

// ------------------------------------------------------------------------------------------ columns

TNodeTreeColumns::TNodeTreeColumns(TVTHeader* AOwner)
    : TCollection(ItemClassOf<TNodeTreeColumn>(), AOwner), FHeader(AOwner), FHeaderBitmap(new TBitmap) {
  FHeaderBitmap->SetPixelFormat(pf32bit);
}

TNodeTreeColumns::~TNodeTreeColumns() {
  FClearing = true;
  FColumnPopupMenu.reset();
}

TBaseNodeTree* TNodeTreeColumns::Tree() const {
  return FHeader ? FHeader->Treeview() : nullptr;
}

TNodeTreeColumn* TNodeTreeColumns::Items(TColumnIndex Index) const {
  if (Index < 0 || Index >= Count())
    throw std::out_of_range("List index out of bounds (" + std::to_string(Index) + ")");
  return static_cast<TNodeTreeColumn*>(TCollection::Items(Index));
}

void TNodeTreeColumns::Clear() {
  FClearing = true;
  try {
    if (TBaseNodeTree* tree = Tree()) tree->CancelEditNode();
    FHoverIndex = FDownIndex = FTrackIndex = FClickIndex = NoColumn;
    FCheckBoxHit = false;
    if (!FHeader->FStates.Has(hsLoading)) {
      FHeader->FAutoSizeIndex = NoColumn;
      FHeader->FMainColumn = NoColumn;
      if (TBaseNodeTree* tree = Tree()) tree->SetSortColumn(NoColumn);
    }
    if (TBaseNodeTree* tree = Tree()) tree->FFocusedColumn = NoColumn;
    FPositionToIndex.clear();
    TCollection::Clear();
  } catch (...) {
    FClearing = false;
    throw;
  }
  FClearing = false;
}

void TNodeTreeColumns::Assign(const TPersistent* Source) {
  TCollection::Assign(Source);
  if (const auto* source = dynamic_cast<const TNodeTreeColumns*>(Source)) {
    FPositionToIndex = source->FPositionToIndex;
    FNeedPositionsFix = false;
    RecalcColumnLefts(true);
  }
}

bool TNodeTreeColumns::Equals(const TNodeTreeColumns& Other) const {
  if (Count() != Other.Count() || FPositionToIndex != Other.FPositionToIndex) return false;
  for (int i = 0; i < Count(); ++i)
    if (!Items(i)->Equals(*Other.Items(i))) return false;
  return true;
}

void TNodeTreeColumns::Update(TCollectionItem* Item) {
  SyncPositionMapLength();
  RecalcColumnLefts(false);
  if (Count() > 0 && FHeader->FMainColumn < 0) FHeader->FMainColumn = 0;
  if (FHeader->FStates.Has(hsLoading)) return;
  if (FHeader->Has(hoAutoResize)) FitAutoSizeColumn(false);
  TBaseNodeTree* tree = Tree();
  if (Item) {
    FHeader->Invalidate(static_cast<TNodeTreeColumn*>(Item));
  } else if (tree && !tree->Destroying()) {
    tree->UpdateHorizontalScrollBar(false);
    FHeader->Invalidate(nullptr);
    tree->Invalidate();
  }
}

void TNodeTreeColumns::Notify(TCollectionItem* Item, TCollectionNotification Action) {
  if (Action != cnExtracting || FClearing) return;
  // A column leaves: every index that names a column after it moves down by one.
  const TColumnIndex index = Item->Index();
  TBaseNodeTree* tree = Tree();
  if (tree) tree->CancelEditNode();
  RemoveFromPositionMap(index);
  auto adjust = [index](TColumnIndex& v) {
    if (v == index)
      v = NoColumn;
    else if (v > index)
      --v;
  };
  adjust(FHoverIndex);
  adjust(FDownIndex);
  adjust(FTrackIndex);
  adjust(FClickIndex);
  adjust(FHeader->FAutoSizeIndex);
  if (tree) {
    TColumnIndex sort = tree->SortColumn();
    adjust(sort);
    tree->SetSortColumn(sort);
    if (tree->FFocusedColumn == index) tree->FFocusedColumn = NoColumn;
  }
  TColumnIndex& main = FHeader->FMainColumn;
  if (main == index)
    main = Count() > 1 ? 0 : NoColumn;
  else if (main > index)
    --main;
}

void TNodeTreeColumns::SyncPositionMapLength() {
  const auto count = static_cast<std::size_t>(Count());
  const std::size_t old = FPositionToIndex.size();
  if (old == count) return;
  FPositionToIndex.resize(count);
  for (std::size_t k = old; k < count; ++k)
    FPositionToIndex[k] = static_cast<TColumnIndex>(k);
  if (count < old) {
    bool again = true;
    while (again) {
      again = false;
      for (auto& entry : FPositionToIndex)
        if (entry >= Count()) {
          --entry;
          again = true;
        }
    }
  }
}

void TNodeTreeColumns::MovePositionEntry(TNodeTreeColumn* Column, TColumnPosition Target) {
  const TColumnPosition from = Column->FPosition;
  if (from == Target || from >= FPositionToIndex.size() || Target >= FPositionToIndex.size()) return;
  auto& map = FPositionToIndex;
  if (from < Target)
    std::rotate(map.begin() + from, map.begin() + from + 1, map.begin() + Target + 1);
  else
    std::rotate(map.begin() + Target, map.begin() + from, map.begin() + from + 1);
  map[Target] = Column->Index();
  for (std::size_t p = 0; p < map.size(); ++p)
    if (map[p] >= 0 && map[p] < Count()) Items(map[p])->FPosition = static_cast<TColumnPosition>(p);
}

void TNodeTreeColumns::RemoveFromPositionMap(TColumnIndex Index) {
  auto it = std::find(FPositionToIndex.begin(), FPositionToIndex.end(), Index);
  if (it != FPositionToIndex.end()) FPositionToIndex.erase(it);
  for (auto& entry : FPositionToIndex)
    if (entry > Index) --entry;
}

void TNodeTreeColumns::RecalcColumnLefts(bool Force) {
  TBaseNodeTree* tree = Tree();
  if ((tree && tree->Destroying()) || FNeedPositionsFix || (!Force && UpdateCount() > 0)) return;
  std::int64_t sum = 0;
  for (std::size_t p = 0; p < FPositionToIndex.size(); ++p) {
    const TColumnIndex index = FPositionToIndex[p];
    if (index < 0 || index >= Count()) continue;
    TNodeTreeColumn* column = Items(index);
    column->FPosition = static_cast<TColumnPosition>(p);
    column->FLeft = Saturated(sum);
    if (column->Has(coVisible)) sum += column->FWidth;
  }
  if (tree) tree->UpdateHorizontalScrollBar(false);
}

void TNodeTreeColumns::RebuildPositionMap() {
  SyncPositionMapLength();
  for (int i = 0; i < Count(); ++i) {
    const TColumnPosition p = Items(i)->FPosition;
    if (p < FPositionToIndex.size()) FPositionToIndex[p] = i;
  }
  FNeedPositionsFix = false;
  RecalcColumnLefts(true);
}

void TNodeTreeColumns::ResetPositionOrder(bool RightToLeft) {
  SyncPositionMapLength();
  const int n = Count();
  for (int p = 0; p < n; ++p)
    FPositionToIndex[static_cast<std::size_t>(p)] = RightToLeft ? n - 1 - p : p;
  RecalcColumnLefts(true);
}

void TNodeTreeColumns::FitAutoSizeColumn(bool Force) {
  if (Count() == 0) return;
  const TColumnIndex index = IsValidColumn(FHeader->FAutoSizeIndex) ? FHeader->FAutoSizeIndex : Count() - 1;
  TBaseNodeTree* tree = Tree();
  std::int64_t space = tree ? tree->ClientWidth() : 0;
  for (int i = 0; i < Count(); ++i)
    if (i != index && Items(i)->Has(coVisible)) space -= Items(i)->FWidth;
  TNodeTreeColumn* column = Items(index);
  const int width = std::max(std::min(column->FMaxWidth, Saturated(space)), column->FMinWidth);
  if (!Force && width == column->FWidth) return;
  column->FWidth = width;
  RecalcColumnLefts(false);
  if (tree) tree->DoColumnResize(index);
}

void TNodeTreeColumns::InvalidateColumn(TColumnIndex Index, bool ExpandToBorder) const {
  if (IsValidColumn(Index)) FHeader->Invalidate(Items(Index), ExpandToBorder);
}

// ------------------------------------------------------------------------------------------ navigation

TColumnIndex TNodeTreeColumns::GetFirstColumn() const {
  return Count() == 0 ? InvalidColumn : FPositionToIndex.empty() ? 0 : FPositionToIndex[0];
}

TColumnIndex TNodeTreeColumns::GetNextColumn(TColumnIndex Column) const {
  if (Column < 0) return InvalidColumn;
  const TColumnPosition p = Items(Column)->FPosition + 1;
  return p < FPositionToIndex.size() ? FPositionToIndex[p] : InvalidColumn;
}

TColumnIndex TNodeTreeColumns::GetPreviousColumn(TColumnIndex Column) const {
  if (Column < 0) return InvalidColumn;
  const TColumnPosition p = Items(Column)->FPosition;
  return p > 0 && p - 1 < FPositionToIndex.size() ? FPositionToIndex[p - 1] : InvalidColumn;
}

namespace {
bool Qualifies(const TNodeTreeColumn* c, bool ConsiderAllowFocus) {
  return c->Has(coVisible) && (!ConsiderAllowFocus || c->Has(coAllowFocus));
}
} // namespace

TColumnIndex TNodeTreeColumns::GetFirstVisibleColumn(bool ConsiderAllowFocus) const {
  for (TColumnIndex index : FPositionToIndex)
    if (Qualifies(Items(index), ConsiderAllowFocus)) return index;
  return InvalidColumn;
}

TColumnIndex TNodeTreeColumns::GetLastVisibleColumn(bool ConsiderAllowFocus) const {
  for (auto it = FPositionToIndex.rbegin(); it != FPositionToIndex.rend(); ++it)
    if (Qualifies(Items(*it), ConsiderAllowFocus)) return *it;
  return InvalidColumn;
}

TColumnIndex TNodeTreeColumns::GetNextVisibleColumn(TColumnIndex Column, bool ConsiderAllowFocus) const {
  TColumnIndex c = Column;
  do
    c = GetNextColumn(c);
  while (c >= 0 && !Qualifies(Items(c), ConsiderAllowFocus));
  return c < 0 ? InvalidColumn : c;
}

TColumnIndex TNodeTreeColumns::GetPreviousVisibleColumn(TColumnIndex Column, bool ConsiderAllowFocus) const {
  TColumnIndex c = Column;
  do
    c = GetPreviousColumn(c);
  while (c >= 0 && !Qualifies(Items(c), ConsiderAllowFocus));
  return c < 0 ? InvalidColumn : c;
}

std::vector<TNodeTreeColumn*> TNodeTreeColumns::GetVisibleColumns() const {
  std::vector<TNodeTreeColumn*> out;
  for (TColumnIndex index : FPositionToIndex)
    if (Items(index)->Has(coVisible)) out.push_back(Items(index));
  return out;
}

// ------------------------------------------------------------------------------------------ geometry

TColumnIndex TNodeTreeColumns::ColumnFromPosition(TPoint P, bool Relative) const {
  const TBaseNodeTree* tree = Tree();
  if (P.X < 0 || P.Y < 0 || (tree && P.Y > tree->Height())) return InvalidColumn;
  int left = 0, right = 0;
  return ColumnAndEdgesAt(P, left, Relative, right);
}

TColumnIndex TNodeTreeColumns::ColumnFromPosition(TColumnPosition PositionIndex) const {
  return PositionIndex < FPositionToIndex.size() ? FPositionToIndex[PositionIndex] : NoColumn;
}

TColumnIndex TNodeTreeColumns::ColumnAndEdgesAt(TPoint P, int& ALeft, bool Relative, int& ARight) const {
  const TBaseNodeTree* tree = Tree();
  std::int64_t edge = 0;
  // A point right of the fixed area is measured in scrolled coordinates. Right-to-left offset: 0.
  if (Relative && tree && P.X >= GetVisibleFixedWidth()) edge = -tree->EffectiveOffsetX();
  for (TColumnIndex index : FPositionToIndex) {
    const TNodeTreeColumn* column = Items(index);
    if (!column->Has(coVisible)) continue;
    const std::int64_t start = edge;
    edge += column->FWidth;
    if (edge > P.X) {
      ALeft = Saturated(start);
      ARight = Saturated(edge);
      return index;
    }
  }
  return InvalidColumn;
}

void TNodeTreeColumns::GetColumnBounds(TColumnIndex Column, int& ALeft, int& ARight) const {
  if (Column < 0) {
    ALeft = 0;
    const TBaseNodeTree* tree = Tree();
    ARight = tree ? tree->ClientWidth() : 0;
    return;
  }
  const TNodeTreeColumn* column = Items(Column);
  ALeft = column->Left();
  ARight = ALeft + column->FWidth;
}

int TNodeTreeColumns::GetVisibleFixedWidth() const {
  std::int64_t sum = 0;
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->IsVisibleFixed()) sum += Items(i)->FWidth;
  return Saturated(sum);
}

int TNodeTreeColumns::GetScrollWidth() const {
  std::int64_t sum = 0;
  int n = 0;
  for (int i = 0; i < Count(); ++i) {
    const TNodeTreeColumn* c = Items(i);
    if (c->Has(coVisible) && !c->Has(coFixed)) {
      sum += c->FWidth;
      ++n;
    }
  }
  if (n == 0) return Tree() ? static_cast<int>(Tree()->Indent()) : 0;
  return static_cast<int>(std::nearbyint(static_cast<double>(sum) / n));
}

int TNodeTreeColumns::TotalWidth() const {
  if (Count() == 0 || FPositionToIndex.empty()) return 0;
  for (auto it = FPositionToIndex.rbegin(); it != FPositionToIndex.rend(); ++it) {
    const TNodeTreeColumn* c = Items(*it);
    if (c->Has(coVisible)) return Saturated(std::int64_t(c->FLeft) + c->FWidth);
  }
  return 0;
}

// ------------------------------------------------------------------------------------------ constraints

namespace {
std::uint8_t Percent(int v) {
  return static_cast<std::uint8_t>(std::clamp(v, 0, 100));
}
} // namespace

void TVTFixedAreaConstraints::Change() {
  if (OnChange) OnChange(this);
}

void TVTFixedAreaConstraints::SetMaxHeightPercent(int Value) {
  const std::uint8_t v = Percent(Value);
  if (v == FMaxHeightPercent) return;
  if (v > 0 && v < FMinHeightPercent) FMinHeightPercent = v;
  FMaxHeightPercent = v;
  Change();
}

void TVTFixedAreaConstraints::SetMaxWidthPercent(int Value) {
  const std::uint8_t v = Percent(Value);
  if (v == FMaxWidthPercent) return;
  if (v > 0 && v < FMinWidthPercent) FMinWidthPercent = v;
  FMaxWidthPercent = v;
  Change();
}

void TVTFixedAreaConstraints::SetMinHeightPercent(int Value) {
  const std::uint8_t v = Percent(Value);
  if (v == FMinHeightPercent) return;
  if (FMaxHeightPercent > 0 && v > FMaxHeightPercent) FMaxHeightPercent = v;
  FMinHeightPercent = v;
  Change();
}

void TVTFixedAreaConstraints::SetMinWidthPercent(int Value) {
  const std::uint8_t v = Percent(Value);
  if (v == FMinWidthPercent) return;
  if (FMaxWidthPercent > 0 && v > FMaxWidthPercent) FMaxWidthPercent = v;
  FMinWidthPercent = v;
  Change();
}

void TVTFixedAreaConstraints::Assign(const TPersistent* Source) {
  const auto* source = dynamic_cast<const TVTFixedAreaConstraints*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  FMaxHeightPercent = source->FMaxHeightPercent;
  FMaxWidthPercent = source->FMaxWidthPercent;
  FMinHeightPercent = source->FMinHeightPercent;
  FMinWidthPercent = source->FMinWidthPercent;
  Change();
}
