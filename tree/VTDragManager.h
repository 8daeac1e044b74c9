// One per tree: its drop target while a drag is over it, its drop source while it drags, and the
// tree's view of the running drag.
#pragma once

#include "platform/ui/DragDrop.h"
#include "tree/VTDragTypes.h"

class TVTDragManager : public IVTDragManager, public IDropTarget, public IDropSource {
public:
  explicit TVTDragManager(TBaseNodeTree* AOwner) : FOwner(AOwner) {}

  // IVTDragManager
  void ForceDragLeave() override {}
  IDataObjectPtr GetDataObject() override;
  TBaseNodeTree* GetDragSource() override { return FDragSource; }
  // No shell drop-target helper here: the tree's own drag image is used.
  bool GetDropTargetHelperSupported() override { return false; }
  bool GetIsDropTarget() override { return FIsDropTarget; }

  // IDropTarget
  HRESULT DragEnter(const IDataObjectPtr& DataObject, unsigned KeyState, TPoint Pt,
                    unsigned& Effect) override;
  HRESULT DragOver(unsigned KeyState, TPoint Pt, unsigned& Effect) override;
  HRESULT DragLeave() override;
  HRESULT Drop(const IDataObjectPtr& DataObject, unsigned KeyState, TPoint Pt, unsigned& Effect) override;

  // IDropSource
  HRESULT QueryContinueDrag(bool EscapePressed, unsigned KeyState) override;
  HRESULT GiveFeedback(unsigned) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

private:
  TBaseNodeTree* FOwner;
  TBaseNodeTree* FDragSource = nullptr;
  bool FIsDropTarget = false;
  IDataObjectPtr FDataObject;
};
