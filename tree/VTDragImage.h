// The picture of the dragged nodes that follows the mouse. Here it is the drag's own pixmap: the
// picture with an alpha channel that fades towards its edges, placed at a screen position that
// follows the mouse, with the states and positions the tree's drag handling relies on.
#pragma once

#include "platform/ui/DataObject.h"
#include "platform/ui/Graphics.h"
#include "platform/ui/Types.h"
#include "tree/NodeTypes.h"

#include <cstdint>
#include <vector>

class TBaseNodeTree;

enum TVTDragMoveRestriction { dmrNone, dmrHorizontalOnly, dmrVerticalOnly };
enum TVTDragImageState { disHidden, disInDrag, disPrepared, disSystemSupport };
using TVTDragImageStates = TEnumSet<TVTDragImageState, std::uint8_t>;

class TVTDragImage {
public:
  explicit TVTDragImage(TBaseNodeTree* AOwner) : FOwner(AOwner) {}
  // As a tree makes its own: faded edges, transparency 200.
  TVTDragImage(TBaseNodeTree* AOwner, int Transparency, bool Fade)
      : FOwner(AOwner), FTransparency(Transparency), FFade(Fade) {}
  ~TVTDragImage() { EndDrag(); }
  TVTDragImage(const TVTDragImage&) = delete;
  TVTDragImage& operator=(const TVTDragImage&) = delete;

  void PrepareDrag(const TBitmap& DragImage, TPoint ImagePosition, TPoint HotSpot,
                   const IDataObjectPtr& DataObject);
  // Whether the image moved (a delta on an allowed axis, or forced).
  bool DragTo(TPoint P, bool ForceRepaint);
  void ShowDragImage();
  void HideDragImage();
  void EndDrag();
  // Screen rectangle of the image; empty when not visible.
  TRect GetDragImageRect() const;
  bool WillMove(TPoint P) const;
  bool Visible() const;

  int Transparency() const { return FTransparency; }
  void SetTransparency(int value) { FTransparency = value < 0 ? 0 : (value > 255 ? 255 : value); }
  int PreBlendBias() const { return FPreBlendBias; }
  void SetPreBlendBias(int value) { FPreBlendBias = value; }
  int PostBlendBias() const { return FPostBlendBias; }
  void SetPostBlendBias(int value) { FPostBlendBias = value; }
  bool Fade() const { return FFade; }
  void SetFade(bool value) { FFade = value; }
  TVTDragMoveRestriction MoveRestriction() const { return FRestriction; }
  void SetMoveRestriction(TVTDragMoveRestriction value) { FRestriction = value; }
  TColor ColorKey() const { return FColorKey; }
  void SetColorKey(TColor value) { FColorKey = value; }
  TVTDragImageStates States() const { return FStates; }
  TPoint ImagePosition() const { return FImagePosition; }
  TPoint LastPosition() const { return FLastPosition; }
  // The picture and its alpha (one byte per pixel, row by row) while a drag is prepared.
  const TBitmap& Picture() const { return FDragImage; }
  const std::vector<std::uint8_t>& Alpha() const { return FAlpha; }

private:
  void ComputeAlpha();
  TBaseNodeTree* FOwner;
  TBitmap FDragImage;
  std::vector<std::uint8_t> FAlpha;
  TPoint FImagePosition;
  TPoint FLastPosition;
  int FTransparency = 128;
  int FPreBlendBias = 0;
  int FPostBlendBias = 0;
  bool FFade = false;
  TVTDragMoveRestriction FRestriction = dmrNone;
  TColor FColorKey = clNone;
  TVTDragImageStates FStates;
};
