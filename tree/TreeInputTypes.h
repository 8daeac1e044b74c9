// Types of the tree's input side: its window timers, incremental search, hints and the editor
// protocol between the tree and an in-place editor.
#pragma once

#include "platform/ui/Messages.h"
#include "platform/ui/Types.h"
#include "tree/NodeTypes.h"

#include <functional>
#include <memory>
#include <string>


// The tree window's timers.
constexpr unsigned ExpandTimer = 1;          // drag over a collapsed node
constexpr unsigned EditTimer = 2;            // a click that schedules an edit
constexpr unsigned HeaderTimer = 3;          // the header's own
constexpr unsigned ScrollTimer = 4;          // auto-scroll and wheel panning
constexpr unsigned ChangeTimer = 5;          // delayed change notification
constexpr unsigned StructureChangeTimer = 6; // delayed structure-change notification
constexpr unsigned SearchTimer = 7;          // incremental search time-out
constexpr unsigned ThemeChangeTimer = 8;     // a theme change re-creates the window

enum TVTIncrementalSearch { isAll, isNone, isInitializedOnly, isVisibleOnly };
enum TVTSearchDirection { sdForward, sdBackward };
enum TVTSearchStart { ssAlwaysStartOver, ssLastHit, ssFocusedNode };

enum TVTHintMode { hmDefault, hmHint, hmHintAndDefault, hmTooltip };
enum THintAnimationType { hatNone, hatFade, hatSlide, hatSystemDefault };
enum TVTTooltipLineBreakStyle { hlbDefault, hlbForceSingleLine, hlbForceMultiLine };
enum TVTHintKind { vhkText, vhkOwnerDraw };

// What the tree hands its hint window.
struct TVTHintData {
  TBaseNodeTree* Tree = nullptr;
  PVNode Node = nullptr;
  TColumnIndex Column = NoColumn;
  TRect HintRect;
  std::string DefaultHint;
  std::string HintText;
  int Alignment = 0; // TAlignment
  TVTTooltipLineBreakStyle LineBreakStyle = hlbDefault;
};

enum TScrollDirection { sdLeft, sdUp, sdRight, sdDown };
using TScrollDirections = TEnumSet<TScrollDirection, std::uint8_t>;

// The protocol between the tree and an editor placed over a node. Every answer false refuses the
// step; the tree stays as it was.
class IVTEditLink {
public:
  virtual ~IVTEditLink() = default;
  // Shows the editor and gives it the focus.
  virtual bool BeginEdit() = 0;
  // Discards the changes and hides.
  virtual bool CancelEdit() = 0;
  // Takes over the changes and hides; false keeps the edit running.
  virtual bool EndEdit() = 0;
  // Sets the editor up for a cell.
  virtual bool PrepareEdit(TBaseNodeTree* Tree, PVNode Node, TColumnIndex Column) = 0;
  // Bounds in tree client coordinates.
  virtual TRect GetBounds() = 0;
  virtual void ProcessMessage(TMessage& Message) = 0;
  virtual void SetBounds(TRect R) = 0;
};

using TVTCreateEditorEvent = std::function<void(TBaseNodeTree* Sender, PVNode Node, TColumnIndex Column,
                                                std::shared_ptr<IVTEditLink>& EditLink)>;
