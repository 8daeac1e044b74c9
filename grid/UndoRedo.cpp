#include "grid/UndoRedo.h"

#include "grid/BaseGrid.h"

TProGridUndoRedo::TProGridUndoRedo(TComponent* AOwner) : TComponent(AOwner) {}

TProGridUndoRedo::~TProGridUndoRedo() = default;

void TProGridUndoRedo::SetGrid(TBaseGrid* Value) {
  FGrid = Value;
  // Links stay once made: a grid that still points here is told when this goes.
  if (Value) FreeNotification(Value);
}

void TProGridUndoRedo::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FGrid) FGrid = nullptr;
}

void TProGridUndoRedo::DropFromLevel() {
  FItems.BeginUpdate();
  while (FItems.Count() > FLevel)
    FItems.Delete(FItems.Count() - 1);
  FItems.EndUpdate();
}

void TProGridUndoRedo::RegisterChange(int ACol, int ARow, const std::string& OldValue,
                                      const std::string& NewValue) {
  DropFromLevel();
  if (FMaxLevel > 0 && FItems.Count() >= FMaxLevel) FItems.Delete(0);
  TUndoRedoItem* item = FItems.Add();
  item->SetCol(ACol);
  item->SetRow(ARow);
  item->SetValue(NewValue);
  item->SetOrigValue(OldValue);
  FLevel = FItems.Count();
}

void TProGridUndoRedo::AppendMarker(bool start) {
  DropFromLevel();
  TUndoRedoItem* item = FItems.Add();
  item->SetCol(-1);
  item->SetRow(-1);
  item->SetSequenceStart(start);
  item->SetSequenceStop(!start);
  FLevel = FItems.Count();
}

void TProGridUndoRedo::StartSequence() {
  AppendMarker(true);
}
void TProGridUndoRedo::StopSequence() {
  AppendMarker(false);
}

void TProGridUndoRedo::Apply(const TUndoRedoItem& item, bool undo) {
  if (item.IsMarker() || !FGrid) return; // a marker is never a cell change
  const std::string& text = undo ? item.OrigValue() : item.Value();
  const TProGridUndoRedoEvent& event = undo ? OnUndo : OnRedo;
  if (event) event(this, FGrid, item.Col(), item.Row(), FGrid->Cells(item.Col(), item.Row()), text);
  FGrid->SetCells(item.Col(), item.Row(), text);
  FGrid->SetCol(FGrid->DisplColIndex(item.Col()));
  FGrid->SetRow(item.Row());
}

void TProGridUndoRedo::Undo() {
  if (!FGrid || FLevel <= 0 || FLevel > FItems.Count()) return;
  const TUndoRedoItem* last = Item(FLevel - 1);
  if (last->SequenceStop()) {
    --FLevel;
    while (FLevel > 0 && !Item(FLevel - 1)->SequenceStart()) {
      Apply(*Item(FLevel - 1), true);
      --FLevel;
    }
    if (FLevel > 0) --FLevel; // past the start marker
    FGrid->Invalidate();
    return;
  }
  Apply(*last, true);
  if (!last->IsMarker()) FGrid->RepaintCell(FGrid->Col(), last->Row());
  --FLevel;
}

void TProGridUndoRedo::Redo() {
  if (!FGrid || FLevel >= FItems.Count()) return;
  const TUndoRedoItem* first = Item(FLevel);
  ++FLevel;
  if (first->SequenceStart()) {
    while (FLevel < FItems.Count() && !Item(FLevel)->SequenceStop()) {
      Apply(*Item(FLevel), false);
      ++FLevel;
    }
    if (FLevel < FItems.Count()) ++FLevel; // past the stop marker
    FGrid->Invalidate();
    return;
  }
  Apply(*first, false);
}

void TProGridUndoRedo::Reset() {
  FItems.Clear();
  FLevel = 0;
}
