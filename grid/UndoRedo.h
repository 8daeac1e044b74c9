// Undo and redo of cell text changes for one grid, with sequences undone and redone as one step.
#pragma once

#include "grid/GridTypes.h"
#include "platform/Collection.h"
#include "platform/ui/Classes.h"

#include <string>

class TUndoRedoItem : public TCollectionItem {
public:
  using TCollectionItem::TCollectionItem;
  int Row() const { return FRow; }
  void SetRow(int Value) { FRow = Value; }
  int Col() const { return FCol; }
  void SetCol(int Value) { FCol = Value; }
  const std::string& Value() const { return FValue; }
  void SetValue(const std::string& Value) { FValue = Value; }
  const std::string& OrigValue() const { return FOrigValue; }
  void SetOrigValue(const std::string& Value) { FOrigValue = Value; }
  bool SequenceStart() const { return FSequenceStart; }
  void SetSequenceStart(bool Value) { FSequenceStart = Value; }
  bool SequenceStop() const { return FSequenceStop; }
  void SetSequenceStop(bool Value) { FSequenceStop = Value; }
  bool IsMarker() const { return FSequenceStart || FSequenceStop; }

private:
  int FRow = 0;
  int FCol = 0;
  std::string FValue;
  std::string FOrigValue;
  bool FSequenceStart = false;
  bool FSequenceStop = false;
};

using TUndoRedoCollection = TCollectionOf<TUndoRedoItem>;

class TProGridUndoRedo : public TComponent {
public:
  explicit TProGridUndoRedo(TComponent* AOwner);
  ~TProGridUndoRedo() override;

  // Records a change; the changes undone before it are dropped, so they are never written again.
  virtual void RegisterChange(int ACol, int ARow, const std::string& OldValue, const std::string& NewValue);
  // The registrations between these two are undone and redone as one step.
  virtual void StartSequence();
  virtual void StopSequence();
  void Undo();
  void Redo();
  bool CanUndo() const { return FLevel > 0; }
  bool CanRedo() const { return FLevel < FItems.Count(); }
  // Drops every item; nothing is left to undo or redo.
  void Reset();

  TUndoRedoCollection& Items() { return FItems; }
  TBaseGrid* Grid() const { return FGrid; }
  void SetGrid(TBaseGrid* Value);
  // Items 0 .. Level - 1 can be undone, Level .. Count - 1 redone; always within 0 .. Count.
  int Level() const { return FLevel; }
  // Above 0: the most items kept (the oldest go first).
  int MaxLevel() const { return FMaxLevel; }
  void SetMaxLevel(int Value) { FMaxLevel = Value; }

  TProGridUndoRedoEvent OnUndo;
  TProGridUndoRedoEvent OnRedo;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  TUndoRedoItem* Item(int i) const { return FItems.Items(i); }
  void Apply(const TUndoRedoItem& item, bool undo);
  void AppendMarker(bool start);
  void DropFromLevel();
  TUndoRedoCollection FItems;
  TBaseGrid* FGrid = nullptr;
  int FLevel = 0;
  int FMaxLevel = 0;
};
