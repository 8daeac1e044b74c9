// Sizing columns: spreading a width change over a range, auto-fitting to the widest cell, the
// animated resize, restoring the last widths and the spring distribution after a tree resize.
#include "platform/Clock.h"
#include "platform/ui/ImageList.h"
#include "tree/NodeTrees.h"
#include "tree/VTHeader.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

int TVTHeader::ResizeColumns(int ChangeBy, TColumnIndex RangeStartCol, TColumnIndex RangeEndCol,
                             TVTColumnOptions Options) {
  if (ChangeBy == 0 || FColumns->Count() == 0) return 0;
  RangeStartCol = std::max(RangeStartCol, 0);
  RangeEndCol = std::min(RangeEndCol, FColumns->Count() - 1);
  if (RangeEndCol < RangeStartCol) return 0;
  const bool grow = ChangeBy > 0;
  const int step = grow ? 1 : -1;
  const int first = RangeStartCol, last = RangeEndCol;
  const int start = grow ? first : last;
  int toGo = std::abs(ChangeBy);
  const auto n = static_cast<std::size_t>(last - first + 1);
  std::vector<int> widths(n), limits(n);
  std::vector<bool> part(n);
  for (int i = first; i <= last; ++i) {
    const TNodeTreeColumn* c = FColumns->Items(i);
    const auto k = static_cast<std::size_t>(i - first);
    widths[k] = c->FWidth;
    limits[k] = grow ? c->FMaxWidth : c->FMinWidth;
    part[k] = c->FOptions.Contains(Options);
  }
  auto room = [&](std::size_t k) { return grow ? limits[k] - widths[k] : widths[k] - limits[k]; };
  while (toGo > 0) {
    int total = 0, count = 0;
    for (std::size_t k = 0; k < n; ++k)
      if (part[k] && room(k) > 0) {
        total += room(k);
        ++count;
      }
    if (std::abs(ChangeBy) > total && FStates.Has(hsScaling) && !grow) {
      // While scaling the widest column gives a tenth of its minimum, so the area can shrink further.
      int widest = -1, maxWidth = 0;
      for (std::size_t k = 0; k < n; ++k)
        if (part[k] && FColumns->Items(first + static_cast<int>(k))->FWidth > maxWidth) {
          widest = static_cast<int>(k);
          maxWidth = widths[k];
        }
      if (widest >= 0 && limits[static_cast<std::size_t>(widest)] > 10) {
        limits[static_cast<std::size_t>(widest)] -= limits[static_cast<std::size_t>(widest)] / 10;
        continue;
      }
    }
    if (count == 0) break;
    toGo = std::min(toGo, total);
    const int share = toGo / count;
    int rest = toGo % count;
    if (share > 0)
      for (std::size_t k = 0; k < n; ++k) {
        if (!part[k] || room(k) <= 0) continue;
        const int amount = std::min(share, room(k));
        widths[k] += amount * step;
        toGo -= amount;
      }
    // Remainder pixels go to the columns that did not get one last time.
    int i = start;
    while (rest > 0) {
      const auto k = static_cast<std::size_t>(i - first);
      TNodeTreeColumn* c = FColumns->Items(i);
      if (part[k] && room(k) > 0 && c->FBonusPixel != grow) {
        widths[k] += step;
        c->FBonusPixel = grow;
        --rest;
        --toGo;
      }
      i += step;
      if (i < first || i > last) {
        for (std::size_t j = 0; j < n; ++j)
          if (part[j]) FColumns->Items(first + static_cast<int>(j))->FBonusPixel ^= true;
        i = start;
        // Every column with room has taken its pixel once; without room left nothing more goes.
        bool any = false;
        for (std::size_t j = 0; j < n; ++j)
          any = any || (part[j] && room(j) > 0);
        if (!any) break;
      }
    }
  }
  int result = 0;
  FStates.Include(hsResizing);
  try {
    for (std::size_t k = 0; k < n; ++k) {
      if (!part[k]) continue;
      TNodeTreeColumn* c = FColumns->Items(first + static_cast<int>(k));
      const int before = c->FWidth;
      c->SetWidth(widths[k]);
      result += c->FWidth - before;
    }
  } catch (...) {
    FStates.Exclude(hsResizing);
    throw;
  }
  FStates.Exclude(hsResizing);
  return result;
}

void TVTHeader::AutoFitColumns(bool Animated, TSmartAutoFitType SmartAutoFitType, int RangeStartCol,
                               int RangeEndCol) {
  RangeStartCol = std::max(RangeStartCol, 0);
  RangeEndCol = RangeEndCol < 0 ? FColumns->Count() - 1 : std::min(RangeEndCol, FColumns->Count() - 1);
  if (RangeEndCol < RangeStartCol) return;
  FOwner->StartOperation(okAutoFitColumns);
  try {
    if (FOwner->OnBeforeAutoFitColumns) FOwner->OnBeforeAutoFitColumns(this, SmartAutoFitType);
    for (int p = RangeStartCol; p <= RangeEndCol; ++p) {
      const TColumnIndex index = FColumns->ColumnFromPosition(static_cast<TColumnPosition>(p));
      if (index < 0) continue;
      TNodeTreeColumn* column = FColumns->Items(index);
      if (!column->Has(coVisible) || !column->Has(coResizable)) continue;
      if (!DoBeforeAutoFitColumn(index, SmartAutoFitType) || FOwner->OperationCanceled()) continue;
      const bool smart = SmartAutoFitType == smaAllColumns ||
                         (SmartAutoFitType == smaUseColumnOption && column->Has(coSmartResize));
      const int width = FOwner->GetMaxColumnWidth(index, smart);
      if (Animated)
        FColumns->AnimatedResize(index, width);
      else
        column->SetWidth(width);
      DoAfterAutoFitColumn(index);
    }
    if (FOwner->OnAfterAutoFitColumns) FOwner->OnAfterAutoFitColumns(this);
  } catch (...) {
    FOwner->EndOperation(okAutoFitColumns);
    throw;
  }
  FOwner->EndOperation(okAutoFitColumns);
}

void TNodeTreeColumns::AnimatedResize(TColumnIndex Column, int NewWidth) {
  if (!IsValidColumn(Column)) return;
  TNodeTreeColumn* column = Items(Column);
  NewWidth = std::min(std::max(NewWidth, column->FMinWidth), column->FMaxWidth);
  if (NewWidth == column->FWidth) return;
  TBaseNodeTree* tree = Tree();
  if (tree && !FHeader->Has(hoDisableAnimatedResize) && !column->Has(coDisableAnimatedResize)) {
    // 32 steps of 1 ms on the program clock; the surface moves by scrolling, the final width paints.
    const int step = (NewWidth - column->FWidth) / 32;
    for (int i = 0; i < 32 && step != 0; ++i) {
      tree->Invalidate();
      Clock().SleepMs(1);
    }
  }
  column->SetWidth(NewWidth);
}

void TVTHeader::DistributeSpringWidth() {
  const int width = HeaderRect().Width();
  if (Has(hoAutoSpring) && FLastWidth != 0) {
    const int diff = width - FLastWidth;
    std::vector<TNodeTreeColumn*> springs;
    for (int i = 0; i < FColumns->Count(); ++i) {
      TNodeTreeColumn* c = FColumns->Items(i);
      if (c->Has(coVisible) && c->Has(coAutoSpring)) springs.push_back(c);
    }
    if (diff != 0 && !springs.empty()) {
      const float share = static_cast<float>(std::abs(diff)) / static_cast<float>(springs.size());
      float remaining = static_cast<float>(std::abs(diff));
      const int sign = diff > 0 ? 1 : -1;
      for (TNodeTreeColumn* c : springs) {
        if (remaining < 0) break;
        const float partWidth = c->FSpringRest + share;
        if (partWidth >= 1) c->SetWidth(c->FWidth + sign * static_cast<int>(std::trunc(partWidth)));
        c->FSpringRest = partWidth - std::trunc(partWidth);
        remaining -= share;
      }
    }
  }
  FLastWidth = width;
}

int TBaseNodeTree::GetMaxColumnWidth(TColumnIndex Column, bool UseSmartColumnWidth) {
  if (OperationCanceled()) {
    // A cancelled run answers the width the column has; without such a column there is none.
    return FHeader->Columns().IsValidColumn(Column) ? FHeader->Columns()[Column]->Width() : 0;
  }
  StartOperation(okGetMaxColumnWidth);
  int result = 0;
  try {
    if (OnBeforeGetMaxColumnWidth) OnBeforeGetMaxColumnWidth(FHeader.get(), Column, UseSmartColumnWidth);
    const int stateExtra = FStateImages ? FStateImages->Width() + 2 : 0;
    const int checkExtra = CheckImageWidth() + 2;
    PVNode node = UseSmartColumnWidth ? GetNodeAt(0, 0) : GetFirstVisible();
    PVNode stop = nullptr;
    if (UseSmartColumnWidth) {
      PVNode bottom = GetNodeAt(0, ClientHeight() - 1);
      stop = bottom ? GetNextVisible(bottom) : nullptr;
    }
    const bool isMain = Column == MainColumn();
    int offset = 0;
    bool withCheck = false;
    if (isMain && node) {
      if (Has(toFixedIndent))
        offset = static_cast<int>(FIndent);
      else
        offset = static_cast<int>((GetNodeLevel(node) + (Has(toShowRoot) ? 1 : 0)) * FIndent);
      withCheck = Has(toCheckSupport);
    }
    offset += FMargin;
    bool withImages = false;
    while (node && node != stop && !OperationCanceled()) {
      int w = offset;
      if (withCheck && node->CheckType != ctNone) w += checkExtra;
      if (FImages && (withImages || ImageWidth(node, ikNormal, Column) > 0)) {
        withImages = true;
        w += FImages->Width() + 2;
      }
      if (FStateImages && ImageWidth(node, ikState, Column) > 0) w += stateExtra;
      const int text = GetNodeContentWidth(node, Column, nullptr) + GetNodeExtraWidth(node, Column, nullptr);
      result = std::max(result, w + text);
      PVNode next = GetNextVisible(node);
      if (isMain && !Has(toFixedIndent) && next)
        offset += LevelDistance(node, next) * static_cast<int>(FIndent);
      node = next;
    }
    if (Has(toShowVertGridLines)) ++result;
    if (OnAfterGetMaxColumnWidth) OnAfterGetMaxColumnWidth(FHeader.get(), Column, result);
  } catch (...) {
    EndOperation(okGetMaxColumnWidth);
    throw;
  }
  EndOperation(okGetMaxColumnWidth);
  return result;
}
