// The search bar docked at the string grid's bottom: a close box, an edit box, find-next,
// find-previous and highlight buttons and a match-case box. The grid owns it for its whole life;
// only its visibility and height change.
#pragma once

#include "grid/TProCheckBox.h"
#include "grid/TProGridButton.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/StdCtrls.h"

class TProStringGrid;

// The bar's edit box: Enter and Ctrl+Enter are its own (find next, find previous), never a line
// break or the form's default button.
class TRetEdit : public TEdit {
public:
  explicit TRetEdit(TComponent* AOwner);
  unsigned DialogCode() const override { return TEdit::DialogCode() | DLGC_WANTALLKEYS; }

  TNotifyEvent OnReturn;
  TNotifyEvent OnCtrlReturn;

protected:
  void WMKeyDown(TMessage& Message) override;
  void KeyPress(WideChar& Key) override;
};

class TSearchPanel : public TPanel {
public:
  // Lays out the controls with the grid's SearchFooter texts.
  explicit TSearchPanel(TProStringGrid* AGrid);

  TProStringGrid* Grid() const { return FGrid; }
  TRetEdit* Edit() const { return FEdit; }
  TProGridButton* ExitButton() const { return FExitButton; }
  TProGridButton* ForwardButton() const { return FForwardButton; }
  TProGridButton* BackwardButton() const { return FBackwardButton; }
  TProGridButton* HiliteButton() const { return FHiliteButton; }
  TProCheckBox* MatchCase() const { return FMatchCase; }

  // clNone fills the bar with Color; else a top-to-bottom gradient to it.
  TColor ColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value);
  // The match-case box stands right of the highlight button, or in its place when that is hidden.
  void UpdateLayout();

  TNotifyEvent OnForwardClick, OnBackwardClick, OnEditChange, OnExitClick, OnHighLightClick;

protected:
  void Paint() override;

private:
  void EditChanged();

  TProStringGrid* FGrid;
  TRetEdit* FEdit;
  TProGridButton* FExitButton;
  TProGridButton* FForwardButton;
  TProGridButton* FBackwardButton;
  TProGridButton* FHiliteButton;
  TProCheckBox* FMatchCase;
  TColor FColorTo = clNone;
};
