// The tree's drag manager: OLE's calls handed to the tree's drag handling.
#include "tree/VTDragManager.h"

#include "tree/NodeTrees.h"
#include "tree/VTDataObject.h"

IDataObjectPtr TVTDragManager::GetDataObject() {
  if (FDataObject) return FDataObject;
  IDataObjectPtr data;
  FOwner->DoCreateDataObject(data);
  if (!data) data = std::make_shared<TVTDataObject>(FOwner, false);
  return data;
}

HRESULT TVTDragManager::DragEnter(const IDataObjectPtr& DataObject, unsigned KeyState, TPoint Pt,
                                  unsigned& Effect) {
  FDataObject = DataObject;
  FIsDropTarget = true;
  FDragSource = FOwner->TreeFromDataObject(DataObject);
  return FOwner->HandleOLEDragEnter(KeyState, Pt, Effect);
}

HRESULT TVTDragManager::DragOver(unsigned KeyState, TPoint Pt, unsigned& Effect) {
  return FOwner->HandleDragOver(FDragSource, KeyState, dsDragMove, Pt, Effect);
}

HRESULT TVTDragManager::DragLeave() {
  FOwner->HandleOLEDragLeave();
  FIsDropTarget = false;
  FDragSource = nullptr;
  FDataObject.reset();
  return S_OK;
}

HRESULT TVTDragManager::Drop(const IDataObjectPtr& DataObject, unsigned KeyState, TPoint Pt,
                             unsigned& Effect) {
  const HRESULT result = FOwner->HandleOLEDrop(DataObject, KeyState, Pt, Effect);
  FIsDropTarget = false;
  FDataObject.reset();
  return result;
}

HRESULT TVTDragManager::QueryContinueDrag(bool EscapePressed, unsigned KeyState) {
  if (EscapePressed || ((KeyState & MK_LBUTTON) && (KeyState & MK_RBUTTON))) return DRAGDROP_S_CANCEL;
  if (!(KeyState & (MK_LBUTTON | MK_RBUTTON))) return DRAGDROP_S_DROP;
  return S_OK;
}
