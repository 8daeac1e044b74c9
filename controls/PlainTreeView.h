// A plain tree view: labelled entries in a hierarchy, one selected entry drawn over the whole row
// (also while the view has no focus), entries expanded or collapsed, and the control's pop-up menu.
#pragma once

#include "platform/ui/Controls.h"
#include "platform/ui/Graphics.h"

#include <memory>
#include <string>
#include <vector>

class TPlainTreeView;

class TTreeEntry {
public:
  const std::string& Text() const { return FText; }
  void SetText(const std::string& text);
  TTreeEntry* Parent() const { return FParent; }
  int Count() const { return static_cast<int>(FChildren.size()); }
  TTreeEntry* Item(int index) const { return FChildren[static_cast<std::size_t>(index)].get(); }
  // Position among its siblings.
  int Index() const;
  bool Expanded() const { return FExpanded; }
  void Expand();
  void Collapse();

private:
  friend class TPlainTreeView;
  TPlainTreeView* FOwner = nullptr;
  TTreeEntry* FParent = nullptr;
  std::string FText;
  bool FExpanded = false;
  std::vector<std::unique_ptr<TTreeEntry>> FChildren;
};

class TPlainTreeView : public TCustomControl {
public:
  explicit TPlainTreeView(TComponent* AOwner);

  // Adds an entry at the end of `parent`'s children (nullptr: the top level).
  TTreeEntry* Add(TTreeEntry* parent, const std::string& text);
  // Removes the entry with its children; a selection inside it goes to none.
  void Delete(TTreeEntry* entry);
  void Clear();
  int TopCount() const { return FTop.Count(); }
  TTreeEntry* TopItem(int index) const { return FTop.Item(index); }
  TTreeEntry* Selected() const { return FSelected; }
  // Fires OnChange when the selection changes.
  void SetSelected(TTreeEntry* entry);
  int Indent() const { return FIndent; }
  void SetIndent(int indent);
  int RowHeight() const { return FRowHeight; }
  // The entries shown, top to bottom, and the row of one (-1 when it is not shown).
  std::vector<TTreeEntry*> Shown() const;
  int RowOf(const TTreeEntry* entry) const;
  TTreeEntry* EntryAt(int y) const;

  TNotifyEvent OnChange;

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void DblClick() override;

private:
  friend class TTreeEntry;
  void Changed() { Invalidate(); }
  TTreeEntry FTop;
  TTreeEntry* FSelected = nullptr;
  int FIndent = 19;
  int FRowHeight = 18;
};
