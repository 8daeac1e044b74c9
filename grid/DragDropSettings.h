// How a string grid takes part in drag and drop: what it accepts when something is dropped on it,
// what a drop does to its rows and columns, and how a drag from it behaves. Switching
// OleDropTarget on registers the grid as a drop target; OleDropRTF decides for every grid at once,
// because accepting rich text is one flag of the whole program.
#pragma once

#include "platform/Persistent.h"

#include <memory>

class TProStringGrid;
class TGridDropTarget;

#define VELMARIC_DRAG_DROP(X)                                                                                \
  X(ShowCells, true)                                                                                         \
  X(OleAcceptFiles, true)                                                                                    \
  X(OleAcceptText, true)                                                                                     \
  X(OleAcceptURLs, true)                                                                                     \
  X(OleAppendRows, false)                                                                                    \
  X(OleColumnDragDrop, false)                                                                                \
  X(OleColumnReorder, false)                                                                                 \
  X(OleColumnsOnly, false)                                                                                   \
  X(OleCopyAlways, false)                                                                                    \
  X(OleDropTarget, false)                                                                                    \
  X(OleDropSource, false)                                                                                    \
  X(OleEntireRows, false)                                                                                    \
  X(OleInsertRows, false)                                                                                    \
  X(OleRemoveRows, false)                                                                                    \
  X(OleDropRTF, false)

class TDragDropSettings : public TPersistent {
public:
  explicit TDragDropSettings(TProStringGrid* Grid = nullptr) : FGrid(Grid) {}
  ~TDragDropSettings() override;
  TDragDropSettings(const TDragDropSettings&) = delete;
  TDragDropSettings& operator=(const TDragDropSettings&) = delete;

  bool ShowCells() const { return FShowCells; }
  bool OleAcceptFiles() const { return FOleAcceptFiles; }
  bool OleAcceptText() const { return FOleAcceptText; }
  bool OleAcceptURLs() const { return FOleAcceptURLs; }
  bool OleAppendRows() const { return FOleAppendRows; }
  bool OleColumnDragDrop() const { return FOleColumnDragDrop; }
  bool OleColumnReorder() const { return FOleColumnReorder; }
  bool OleColumnsOnly() const { return FOleColumnsOnly; }
  bool OleCopyAlways() const { return FOleCopyAlways; }
  bool OleDropTarget() const { return FOleDropTarget; }
  bool OleDropSource() const { return FOleDropSource; }
  bool OleEntireRows() const { return FOleEntireRows; }
  bool OleInsertRows() const { return FOleInsertRows; }
  bool OleRemoveRows() const { return FOleRemoveRows; }
  bool OleDropRTF() const { return FOleDropRTF; }
  void SetShowCells(bool Value) { FShowCells = Value; }
  void SetOleAcceptFiles(bool Value) { FOleAcceptFiles = Value; }
  void SetOleAcceptText(bool Value) { FOleAcceptText = Value; }
  void SetOleAcceptURLs(bool Value) { FOleAcceptURLs = Value; }
  void SetOleAppendRows(bool Value) { FOleAppendRows = Value; }
  void SetOleColumnDragDrop(bool Value) { FOleColumnDragDrop = Value; }
  void SetOleColumnReorder(bool Value) { FOleColumnReorder = Value; }
  void SetOleColumnsOnly(bool Value) { FOleColumnsOnly = Value; }
  void SetOleCopyAlways(bool Value) { FOleCopyAlways = Value; }
  void SetOleDropSource(bool Value) { FOleDropSource = Value; }
  void SetOleEntireRows(bool Value) { FOleEntireRows = Value; }
  void SetOleInsertRows(bool Value) { FOleInsertRows = Value; }
  void SetOleRemoveRows(bool Value) { FOleRemoveRows = Value; }
  // On: a drop target is made for the grid and the grid's window registered with it; off: a
  // registration that succeeded is revoked. Nothing else happens without a grid.
  void SetOleDropTarget(bool Value);
  // Sets the program-wide flag as well: the last grid to set it decides for all.
  void SetOleDropRTF(bool Value);

  // The drop target while OleDropTarget is on (nullptr before), and whether the registration
  // succeeded.
  TGridDropTarget* DropTarget() const { return FDropTarget.get(); }
  bool DropTargetRegistered() const { return FRegistered; }

  // Copies the values only: no registration happens and the flag of the program stays.
  void Assign(const TPersistent* Source) override;

private:
  TProStringGrid* FGrid;
  std::shared_ptr<TGridDropTarget> FDropTarget;
  bool FRegistered = false;
#define VELMARIC_DRAG_DROP_FIELD(N, D) bool F##N = D;
  VELMARIC_DRAG_DROP(VELMARIC_DRAG_DROP_FIELD)
#undef VELMARIC_DRAG_DROP_FIELD
};
