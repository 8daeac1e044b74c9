// The column menu: one checked item per column in position order (or index order), the last
// visible column kept unless hiding all is allowed.
#include "tree/VTHeaderPopup.h"

#include "tree/NodeTrees.h"
#include "tree/VTHeader.h"

TAddPopupItemType TVTHeaderPopupMenu::DoAddHeaderPopupItem(TColumnIndex Column) {
  TAddPopupItemType cmd = apNormal;
  if (OnAddHeaderPopupItem) OnAddHeaderPopupItem(dynamic_cast<TBaseNodeTree*>(PopupComponent()), Column, cmd);
  return cmd;
}

void TVTHeaderPopupMenu::DoColumnChange(TColumnIndex Column, bool Visible) {
  if (OnColumnChange) OnColumnChange(dynamic_cast<TBaseNodeTree*>(PopupComponent()), Column, Visible);
}

void TVTHeaderPopupMenu::Popup(int X, int Y) {
  if (auto* tree = dynamic_cast<TBaseNodeTree*>(PopupComponent())) {
    Items()->Clear();
    if (FOptions.Has(poResizeToFitItem)) {
      auto* fit = new TMenuItem(this);
      fit->SetName(ResizeToFitItemName);
      fit->SetCaption(ResizeToFitItemCaption);
      fit->OnClick = [this](TObject* s) { OnMenuItemClick(s); };
      Items()->Add(fit);
      auto* line = new TMenuItem(this);
      line->SetCaption("-");
      Items()->Add(line);
    }
    TNodeTreeColumns& columns = tree->Header().Columns();
    int visible = 0;
    TMenuItem* lastVisible = nullptr;
    for (int i = 0; i < columns.Count(); ++i) {
      const TColumnIndex index =
          FOptions.Has(poOriginalOrder) ? i : columns.ColumnFromPosition(static_cast<TColumnPosition>(i));
      if (index < 0) continue;
      TNodeTreeColumn* column = columns[index];
      if (column->Has(coVisible)) ++visible;
      const TAddPopupItemType cmd = DoAddHeaderPopupItem(index);
      if (cmd == apHidden) continue;
      auto* item = new TMenuItem(this);
      item->SetTag(index);
      item->SetCaption(column->Text());
      item->SetChecked(column->Has(coVisible));
      item->OnClick = [this](TObject* s) { OnMenuItemClick(s); };
      if (cmd == apDisabled)
        item->SetEnabled(false);
      else if (column->Has(coVisible))
        lastVisible = item;
      Items()->Add(item);
    }
    if (visible == 1 && !FOptions.Has(poAllowHideAll) && lastVisible) lastVisible->SetEnabled(false);
  }
  TPopupMenu::Popup(X, Y);
}

void TVTHeaderPopupMenu::OnMenuItemClick(TObject* Sender) {
  auto* tree = dynamic_cast<TBaseNodeTree*>(PopupComponent());
  auto* item = dynamic_cast<TMenuItem*>(Sender);
  if (!tree || !item) return;
  if (item->Name() == ResizeToFitItemName) {
    tree->Header().AutoFitColumns(true, smaUseColumnOption, -1, -1);
    return;
  }
  const auto index = static_cast<TColumnIndex>(item->Tag());
  TNodeTreeColumns& columns = tree->Header().Columns();
  if (!columns.IsValidColumn(index)) return;
  TVTColumnOptions options = columns[index]->Options();
  if (item->Checked())
    options.Exclude(coVisible);
  else
    options.Include(coVisible);
  columns[index]->SetOptions(options);
  DoColumnChange(index, !item->Checked());
}
