// Types of the tree's clipboard and drag-and-drop side.
#pragma once

#include "platform/ui/Classes.h"
#include "platform/ui/DataObject.h"
#include "platform/ui/Types.h"
#include "tree/ClipboardFormats.h"
#include "tree/NodeTypes.h"

#include <functional>
#include <memory>

class TBaseNodeTree;

enum TDropMode { dmNowhere, dmAbove, dmOnNode, dmBelow };
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
enum TDragOperation { doCopy, doMove, doLink };
using TDragOperations = TEnumSet<TDragOperation, std::uint8_t>;
enum TVTDragType { dtOLE, dtVCL };
enum TVTDragImageKind { diComplete, diMainColumnOnly, diNoImage };

// The tree's side of a drag manager.
class IVTDragManager {
public:
  virtual ~IVTDragManager() = default;
  virtual void ForceDragLeave() = 0;
  virtual IDataObjectPtr GetDataObject() = 0;
  virtual TBaseNodeTree* GetDragSource() = 0;
  virtual bool GetDropTargetHelperSupported() = 0;
  virtual bool GetIsDropTarget() = 0;
};

using TVTDragOverEvent =
    std::function<void(TBaseNodeTree* Sender, TObject* Source, TShiftState Shift, TDragState State, TPoint Pt,
                       TDropMode Mode, unsigned& Effect, bool& Accept)>;
using TVTDragDropEvent = std::function<void(TBaseNodeTree* Sender, TObject* Source,
                                            const IDataObjectPtr& DataObject, const TFormatArray& Formats,
                                            TShiftState Shift, TPoint Pt, unsigned& Effect, TDropMode Mode)>;
using TVTGetUserClipboardFormatsEvent = std::function<void(TBaseNodeTree* Sender, TFormatEtcArray& Formats)>;
using TVTRenderOLEDataEvent = std::function<void(TBaseNodeTree* Sender, const TFormatEtc& FormatEtcIn,
                                                 TStgMedium& Medium, bool ForClipboard, HRESULT& Result)>;
using TVTCreateDataObjectEvent = std::function<void(TBaseNodeTree* Sender, IDataObjectPtr& DataObject)>;
using TVTCreateDragManagerEvent =
    std::function<void(TBaseNodeTree* Sender, std::shared_ptr<IVTDragManager>& DragManager)>;
using TVTStartDragEvent = std::function<void(TBaseNodeTree* Sender)>;
using TVTEndDragEvent = std::function<void(TBaseNodeTree* Sender, TObject* Target, int X, int Y)>;

// A tree's number in the registry of live trees: given on first use, withdrawn with the tree, so
// data naming a tree that is gone finds nothing.
class TLiveTreeId {
public:
  TLiveTreeId() = default;
  TLiveTreeId(const TLiveTreeId&) = delete;
  TLiveTreeId& operator=(const TLiveTreeId&) = delete;
  ~TLiveTreeId();
  std::uint64_t Get(TBaseNodeTree* Tree);

private:
  std::uint64_t FId = 0;
};
// The live tree with the number, or nullptr.
TBaseNodeTree* FindLiveTree(std::uint64_t Id);
