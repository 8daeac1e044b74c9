// A pop-up menu listing the columns of a tree with check marks, so that the user shows and hides
// them; optionally headed by an item that auto-fits all columns.
#pragma once

#include "platform/ui/Menus.h"
#include "tree/NodeTypes.h"

#include <cstdint>
#include <functional>

enum TVTHeaderPopupOption { poOriginalOrder, poAllowHideAll, poResizeToFitItem };
using TVTHeaderPopupOptions = TEnumSet<TVTHeaderPopupOption, std::uint8_t>;
enum TAddPopupItemType { apNormal, apDisabled, apHidden };

using TAddHeaderPopupItemEvent =
    std::function<void(TBaseNodeTree* Sender, TColumnIndex Column, TAddPopupItemType& Cmd)>;
using TColumnChangeEvent = std::function<void(TBaseNodeTree* Sender, TColumnIndex Column, bool Visible)>;

class TVTHeaderPopupMenu : public TPopupMenu {
public:
  explicit TVTHeaderPopupMenu(TComponent* AOwner) : TPopupMenu(AOwner) {}
  TVTHeaderPopupOptions Options() const { return FOptions; }
  void SetOptions(TVTHeaderPopupOptions Value) { FOptions = Value; }
  // Rebuilds the items from the columns of the popup component (a tree), then shows the menu.
  void Popup(int X, int Y) override;
  TAddHeaderPopupItemEvent OnAddHeaderPopupItem;
  TColumnChangeEvent OnColumnChange;

protected:
  virtual TAddPopupItemType DoAddHeaderPopupItem(TColumnIndex Column);
  virtual void DoColumnChange(TColumnIndex Column, bool Visible);
  void OnMenuItemClick(TObject* Sender);

private:
  TVTHeaderPopupOptions FOptions;
};

// The name of the auto-fit item and its caption.
inline constexpr const char* ResizeToFitItemName = "VT_ResizeToFitMenuItem";
inline constexpr const char* ResizeToFitItemCaption = "&Resize All Columns To Fit";
