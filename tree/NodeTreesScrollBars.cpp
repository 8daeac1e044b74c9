// The platform's scroll bars of the tree: shown while the content needs them, or shown disabled
// with AlwaysVisible, and hidden otherwise; their requests scroll the tree.
#include "platform/ui/StdCtrls.h"
#include "tree/NodeTrees.h"

#include <algorithm>

namespace {
constexpr int ScrollBarSize = 17;
}

int TBaseNodeTree::ClientWidth() const {
  return std::max(0, Width() - (FVertBar.Shown ? ScrollBarSize : 0));
}

int TBaseNodeTree::ClientHeight() const {
  return std::max(0, Height() - HeaderHeightShown() - (FHorzBar.Shown ? ScrollBarSize : 0));
}

TScrollBar* TBaseNodeTree::VertScrollBarControl() const {
  return FVertBar.Shown ? FVertScrollBar : nullptr;
}

TScrollBar* TBaseNodeTree::HorzScrollBarControl() const {
  return FHorzBar.Shown ? FHorzScrollBar : nullptr;
}

void TBaseNodeTree::PlaceScrollBarControls() {
  if (FPlacingScrollBars || Destroying()) return;
  FPlacingScrollBars = true;
  auto place = [this](TScrollBar*& control, const TVTScrollBarState& state, bool vertical) {
    if (!state.Shown) {
      if (control && control->Visible()) control->SetVisible(false);
      return;
    }
    if (!control) {
      control = new TScrollBar(this);
      control->SetKind(vertical ? sbVertical : sbHorizontal);
      control->SetTabStop(false);
      control->SetParent(this);
      // The bar's codes are the SB_ codes; the tree moves and then tells the bar where it is.
      control->OnScroll = [this, vertical](TObject*, TScrollCode code, int& pos) {
        if (FPlacingScrollBars) return;
        if (vertical) {
          HandleVScroll(static_cast<unsigned>(code), pos);
          pos = -FOffsetY;
        } else {
          HandleHScroll(static_cast<unsigned>(code), pos);
          pos = FHorzBar.Position;
        }
      };
    }
    if (vertical)
      control->SetBounds(Width() - ScrollBarSize, HeaderHeightShown(), ScrollBarSize,
                         Height() - HeaderHeightShown() - (FHorzBar.Shown ? ScrollBarSize : 0));
    else
      control->SetBounds(0, Height() - ScrollBarSize, Width() - (FVertBar.Shown ? ScrollBarSize : 0),
                         ScrollBarSize);
    control->SetPageSize(0);
    control->SetParams(state.Position, 0, state.Max);
    control->SetPageSize(state.Page);
    control->SetSmallChange(vertical ? FScrollBarOptions.VerticalIncrement()
                                     : FScrollBarOptions.HorizontalIncrement());
    control->SetLargeChange(std::max(state.Page, 1));
    if (control->Enabled() != state.Enabled) control->SetEnabled(state.Enabled);
    if (!control->Visible()) control->SetVisible(true);
  };
  place(FVertScrollBar, FVertBar, true);
  place(FHorzScrollBar, FHorzBar, false);
  FPlacingScrollBars = false;
}
