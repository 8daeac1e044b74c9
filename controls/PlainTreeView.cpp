#include "controls/PlainTreeView.h"

#include <algorithm>

void TTreeEntry::SetText(const std::string& text) {
  FText = text;
  if (FOwner) FOwner->Changed();
}

int TTreeEntry::Index() const {
  if (!FParent) return -1;
  for (int i = 0; i < FParent->Count(); ++i)
    if (FParent->Item(i) == this) return i;
  return -1;
}

void TTreeEntry::Expand() {
  FExpanded = true;
  if (FOwner) FOwner->Changed();
}

void TTreeEntry::Collapse() {
  FExpanded = false;
  if (FOwner) FOwner->Changed();
}

TPlainTreeView::TPlainTreeView(TComponent* AOwner) : TCustomControl(AOwner) {
  FTop.FOwner = this;
  FTop.FExpanded = true;
  SetColor(clWindow);
  SetTabStop(true);
}

TTreeEntry* TPlainTreeView::Add(TTreeEntry* parent, const std::string& text) {
  TTreeEntry* in = parent ? parent : &FTop;
  auto entry = std::make_unique<TTreeEntry>();
  entry->FOwner = this;
  entry->FParent = in;
  entry->FText = text;
  in->FChildren.push_back(std::move(entry));
  Changed();
  return in->FChildren.back().get();
}

void TPlainTreeView::Delete(TTreeEntry* entry) {
  if (!entry || !entry->FParent) return;
  for (const TTreeEntry* e = FSelected; e; e = e->FParent)
    if (e == entry) {
      SetSelected(nullptr);
      break;
    }
  auto& siblings = entry->FParent->FChildren;
  siblings.erase(
      std::find_if(siblings.begin(), siblings.end(), [&](const auto& p) { return p.get() == entry; }));
  Changed();
}

void TPlainTreeView::Clear() {
  SetSelected(nullptr);
  FTop.FChildren.clear();
  Changed();
}

void TPlainTreeView::SetSelected(TTreeEntry* entry) {
  if (entry == FSelected) return;
  FSelected = entry;
  Changed();
  if (OnChange) OnChange(this);
}

void TPlainTreeView::SetIndent(int indent) {
  FIndent = std::max(indent, 0);
  Changed();
}

std::vector<TTreeEntry*> TPlainTreeView::Shown() const {
  std::vector<TTreeEntry*> out;
  auto walk = [&](const auto& self, const TTreeEntry& parent) -> void {
    for (const auto& child : parent.FChildren) {
      out.push_back(child.get());
      if (child->FExpanded) self(self, *child);
    }
  };
  walk(walk, FTop);
  return out;
}

int TPlainTreeView::RowOf(const TTreeEntry* entry) const {
  const auto shown = Shown();
  const auto it = std::find(shown.begin(), shown.end(), entry);
  return it == shown.end() ? -1 : static_cast<int>(it - shown.begin());
}

TTreeEntry* TPlainTreeView::EntryAt(int y) const {
  const auto shown = Shown();
  const int row = y / FRowHeight;
  return y >= 0 && row < static_cast<int>(shown.size()) ? shown[static_cast<std::size_t>(row)] : nullptr;
}

void TPlainTreeView::Paint() {
  TCanvas& canvas = Canvas();
  canvas.Brush().SetColor(Color());
  canvas.FillRect(ClientRect());
  const auto shown = Shown();
  for (std::size_t i = 0; i < shown.size(); ++i) {
    const TTreeEntry* e = shown[i];
    int level = 0;
    for (const TTreeEntry* p = e->FParent; p && p != &FTop; p = p->FParent)
      ++level;
    const TRect row{0, static_cast<int>(i) * FRowHeight, ClientWidth(), static_cast<int>(i + 1) * FRowHeight};
    const bool selected = e == FSelected;
    if (selected) {
      canvas.Brush().SetColor(clHighlight);
      canvas.FillRect(row);
    }
    // The expand sign of an entry with children.
    const int x = 4 + level * FIndent;
    if (e->Count() > 0) {
      canvas.Pen().SetColor(clGray);
      const int cy = row.Top + FRowHeight / 2;
      canvas.MoveTo(x, cy);
      canvas.LineTo(x + 9, cy);
      if (!e->FExpanded) {
        canvas.MoveTo(x + 4, cy - 4);
        canvas.LineTo(x + 4, cy + 5);
      }
    }
    canvas.Brush().SetStyle(bsClear);
    canvas.Font().SetColor(selected ? clHighlightText : Font().Color());
    canvas.TextRect(row, x + 14, row.Top + 1, e->FText);
    canvas.Brush().SetStyle(bsSolid);
  }
}

void TPlainTreeView::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft && Button != mbRight) return;
  if (TTreeEntry* e = EntryAt(Y)) SetSelected(e);
}

void TPlainTreeView::DblClick() {
  if (FSelected && FSelected->Count() > 0) {
    if (FSelected->Expanded())
      FSelected->Collapse();
    else
      FSelected->Expand();
  }
  TCustomControl::DblClick();
}
