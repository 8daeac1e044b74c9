#include "grid/SearchPanel.h"

#include "dropdowns/DropDownPaint.h"
#include "grid/ProGrid.h"
#include "platform/ui/KeyState.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Resources.h"

// --- The edit box ----------------------------------------------------------------------------------

TRetEdit::TRetEdit(TComponent* AOwner) : TEdit(AOwner) {}

void TRetEdit::WMKeyDown(TMessage& Message) {
  if (Message.WParam != VK_RETURN) {
    TEdit::WMKeyDown(Message);
    return;
  }
  const bool ctrl = GetKeyState(VK_CONTROL) < 0 || (ShiftOfKeyData(Message.LParam) & ssCtrl);
  Message.Result = 0;
  if (ctrl) {
    if (OnCtrlReturn) OnCtrlReturn(this);
  } else if (OnReturn) {
    OnReturn(this);
  }
}

void TRetEdit::KeyPress(WideChar& Key) {
  if (Key == 10 || Key == 13) {
    if (OnKeyPress) OnKeyPress(this, Key);
    Key = 0;
    return;
  }
  TEdit::KeyPress(Key);
}

// --- The bar ---------------------------------------------------------------------------------------

namespace {

TProGridButton* FindButton(TSearchPanel* Panel, int Left, const std::string& Caption, const std::string& Hint,
                           const char* Glyph, const char* GlyphDisabled) {
  auto* b = new TProGridButton(Panel);
  b->SetParent(Panel);
  b->SetBounds(Left, 5, 90, 23);
  b->SetCaption(Caption);
  b->SetHint(Hint);
  b->SetShowHint(!Hint.empty());
  b->SetGlyph(ResourceBitmap(Glyph));
  b->SetGlyphDisabled(ResourceBitmap(GlyphDisabled));
  b->SetEnabled(false);
  return b;
}

} // namespace

TSearchPanel::TSearchPanel(TProStringGrid* AGrid) : TPanel(AGrid), FGrid(AGrid) {
  SetBevelOuter(bvNone);
  SetShowCaption(false);
  const TSearchFooter& s = AGrid->SearchFooter();
  SetColor(s.Color());
  FColorTo = s.ColorTo();

  FExitButton = new TProGridButton(this);
  FExitButton->SetParent(this);
  FExitButton->SetBounds(5, 7, 14, 14);
  FExitButton->SetShowCaption(false);
  FExitButton->SetGlyph(ResourceBitmap("ASGCLOSE"));
  FExitButton->SetGlyphHot(ResourceBitmap("ASGCLOSEH"));
  FExitButton->SetGlyphDown(ResourceBitmap("ASGCLOSED"));
  FExitButton->SetHint(s.HintClose());
  FExitButton->SetShowHint(!s.HintClose().empty());
  FExitButton->OnClick = [this](TObject*) {
    if (OnExitClick) OnExitClick(this);
  };

  FEdit = new TRetEdit(this);
  FEdit->SetParent(this);
  FEdit->SetBounds(25, 6, 110, FEdit->Height());
  FEdit->OnKeyDown = [](TObject*, std::uint16_t&, TShiftState) {};
  FEdit->OnChange = [this](TObject*) { EditChanged(); };

  FForwardButton = FindButton(this, 140, s.FindNextCaption(), s.HintFindNext(), "ASGARDOWN", "ASGARDOWND");
  FForwardButton->OnClick = [this](TObject*) {
    if (OnForwardClick) OnForwardClick(this);
  };
  FBackwardButton = FindButton(this, 235, s.FindPrevCaption(), s.HintFindPrev(), "ASGARUP", "ASGARUPD");
  FBackwardButton->OnClick = [this](TObject*) {
    if (OnBackwardClick) OnBackwardClick(this);
  };
  FHiliteButton = FindButton(this, 330, s.HighLightCaption(), s.HintHighlight(), "ASGHI", "ASGHID");
  FHiliteButton->SetStyle(tasCheck);
  FHiliteButton->SetAllowAllUp(true);
  FHiliteButton->SetGroupIndex(1);
  FHiliteButton->Font().SetStyle(0);
  FHiliteButton->OnClick = [this](TObject*) {
    if (OnHighLightClick) OnHighLightClick(this);
  };
  FEdit->OnReturn = [this](TObject*) {
    if (FForwardButton->Enabled() && OnForwardClick) OnForwardClick(this);
  };
  FEdit->OnCtrlReturn = [this](TObject*) {
    if (FBackwardButton->Enabled() && OnBackwardClick) OnBackwardClick(this);
  };

  FMatchCase = new TProCheckBox(this);
  FMatchCase->SetParent(this);
  FMatchCase->SetCaption(s.MatchCaseCaption());
  FMatchCase->SetTransparent(true);
  FMatchCase->SetBounds(425, 8, FMatchCase->Width(), FMatchCase->Height());
  UpdateLayout();
}

void TSearchPanel::UpdateLayout() {
  FMatchCase->SetLeft(FHiliteButton->Visible() ? 425 : 330);
}

void TSearchPanel::SetColorTo(TColor Value) {
  FColorTo = Value;
  Invalidate();
}

void TSearchPanel::EditChanged() {
  const bool any = !FEdit->Text().empty();
  FForwardButton->SetEnabled(any);
  FBackwardButton->SetEnabled(any);
  FHiliteButton->SetEnabled(any);
  if (OnEditChange) OnEditChange(this);
}

void TSearchPanel::Paint() {
  TPanel::Paint();
  TCanvas& C = Canvas();
  const TRect r = ClientRect();
  if (FColorTo == clNone) {
    FillRect(C, r, Color());
  } else {
    C.Brush().SetStyle(bsSolid);
    DrawGradientBands(C, Color(), FColorTo, false, r, 32);
  }
  C.Pen().SetColor(FGrid->GridLineColor());
  C.MoveTo(r.Left, r.Top);
  C.LineTo(r.Right, r.Top);
}
