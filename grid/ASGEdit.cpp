#include "grid/ASGEdit.h"

#include "controls/ProStyleIF.h"
#include "grid/EditButtonLayout.h"
#include "platform/ui/Application.h"
#include "platform/ui/KeyState.h"
#include "platform/ui/ThemeDraw.h"

#include <algorithm>

// ---- the painted button

TProSpeedButton::TProSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) {}

void TProSpeedButton::CMMouseEnter(TMessage& Message) {
  FHot = true;
  Invalidate();
  TSpeedButton::CMMouseEnter(Message);
}

void TProSpeedButton::CMMouseLeave(TMessage& Message) {
  FHot = false;
  Invalidate();
  TSpeedButton::CMMouseLeave(Message);
}

void TProSpeedButton::Paint() {
  TCanvas& canvas = Canvas();
  canvas.Font().Assign(Font());
  TRect r = Rect(0, 0, Width(), Height());
  const bool down = Down();
  const auto* holder = dynamic_cast<const TAsgEditButton*>(Parent());
  if (holder && holder->ButtonColor() != clNone) {
    if (!Flat()) SetFlat(true);
    const TColor fill = down   ? holder->ButtonColorDown()
                        : FHot ? holder->ButtonColorHot()
                               : holder->ButtonColor();
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(fill);
    canvas.FillRect(r);
  } else if (HTHEME theme = FIsWinXP && IsThemeActive() ? OpenThemeData(Parent(), "button") : nullptr) {
    DrawThemeBackground(theme, canvas, BP_PUSHBUTTON, down ? PBS_PRESSED : FHot ? PBS_HOT : PBS_NORMAL, r);
    CloseThemeData(theme);
  } else if (!Flat()) {
    DrawFrameControl(canvas, r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (down ? DFCS_PUSHED : 0u));
  } else {
    DrawEdge(canvas, r, down ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | BF_MIDDLE);
    r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
  }
  if (!Glyph().Empty()) {
    TBitmap glyph;
    glyph.Assign(Glyph());
    glyph.SetTransparent(true);
    const int x = glyph.Width() < Width() ? (Width() - glyph.Width()) / 2 : 0;
    const int y = glyph.Height() < Height() ? (Height() - glyph.Height()) / 2 : 0;
    canvas.Draw(x + (down ? 1 : 0), y + (down ? 1 : 0), glyph);
  }
  canvas.Font().SetColor(clBlack);
  canvas.Brush().SetStyle(bsClear);
  if (down) r = Rect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1);
  canvas.DrawText(Caption(), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

// ---- the button's holder

TAsgEditButton::TAsgEditButton(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle((ControlStyle() & ~(csAcceptsControls | csSetCaption)) | csOpaque);
  SetTabStop(false);
  FButton = new TProSpeedButton(this);
  FButton->SetParent(this);
  FButton->SetCaption("");
  FButton->OnMouseUp = [this](TObject*, TMouseButton Button, TShiftState, int, int) {
    ButtonMouseUp(Button);
  };
  SetBounds(0, 0, 20, 25);
}

void TAsgEditButton::SetBounds(int left, int top, int width, int height) {
  TCustomControl::SetBounds(left, top, width, height);
  if (FButton) FButton->SetBounds(0, 0, Width(), Height());
}

void TAsgEditButton::SetFlat(bool value) {
  FFlat = value;
  FButton->SetFlat(value);
}

void TAsgEditButton::SetFocusControl(TWinControl* control) {
  FFocusControl = control;
  if (control) control->FreeNotification(this);
}

void TAsgEditButton::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

// The press happened on the button (the mouse was captured), so a release anywhere clicks.
void TAsgEditButton::ButtonMouseUp(TMouseButton Button) {
  if (Button != mbLeft) return;
  if (OnClick && CanFire()) OnClick(this);
  if (FFocusControl && FFocusControl->TabStop() && FFocusControl->CanFocus() && !FFocusControl->Focused())
    FFocusControl->SetFocus();
  else if (TabStop() && !Focused() && CanFocus())
    SetFocus();
}

// ---- the edit with a button

TAsgEditBtn::TAsgEditBtn(TComponent* AOwner) : TEdit(AOwner) {
  SetControlStyle(ControlStyle() & ~csSetCaption);
  SetClipboardKeysAsChars(true);
  SetText("0");
  FButton = new TAsgEditButton(this);
  FButton->SetParent(this);
  FButton->SetBounds(0, 0, 18, 18);
  FButton->SetFocusControl(this);
  // Virtual, so a descendant's override receives the click.
  FButton->OnClick = [this](TObject* Sender) { ButtonClick(Sender); };
  Resize();
}

TAsgEditBtn::~TAsgEditBtn() {
  FButton = nullptr;
}

void TAsgEditBtn::ButtonClick(TObject* Sender) {
  if (OnClickBtn && CanFire()) OnClickBtn(Sender);
}

void TAsgEditBtn::SetIsWinXP(bool value) {
  FIsWinXP = value;
  FButton->SpeedButton()->SetIsWinXP(value);
}

void TAsgEditBtn::SetButtonWidth(int value) {
  FButtonWidth = value;
  FButton->SetWidth(value);
  Resize();
}

void TAsgEditBtn::SetRightAlign(bool value) {
  if (value == FRightAlign) return;
  FRightAlign = value;
  SetAlignment(value ? taRightJustify : taLeftJustify);
}

void TAsgEditBtn::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  TEdit::KeyDown(Key, Shift);
  if (Key == VK_F4 && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_LMENU) >= 0 &&
      GetKeyState(VK_RMENU) >= 0)
    ButtonClick(this);
}

void TAsgEditBtn::WMChar(TMessage& Message) {
  if (FEditorEnabled) TEdit::WMChar(Message);
}

void TAsgEditBtn::WndProc(TMessage& Message) {
  if ((Message.Msg == WM_PASTE || Message.Msg == WM_CUT) && (!FEditorEnabled || ReadOnly())) return;
  TEdit::WndProc(Message);
}

void TAsgEditBtn::DoEnter() {
  if (AutoSelect() && GetKeyState(VK_LBUTTON) >= 0) SelectAll();
  TEdit::DoEnter();
}

int TAsgEditBtn::MinHeight() const {
  TBitmap measure;
  measure.Canvas().Font().Assign(Font());
  const int fontHeight = measure.Canvas().TextHeight("0");
  measure.Canvas().Font().Assign(TFont());
  const int systemHeight = measure.Canvas().TextHeight("0");
  return fontHeight + std::min(fontHeight, systemHeight) / 4;
}

void TAsgEditBtn::SetEditRect() {
  if (!FButton) return;
  const int k = BorderStyle() == bsNone ? 3 : 1;
  int right = ClientWidth() - FButton->Width() - 5 - FUnitSize;
  if (FUnitSize > 0) right -= 3;
  SetFormattingRect(Rect(k, k, right, ClientHeight() + 1));
}

void TAsgEditBtn::Resize() {
  TEdit::Resize();
  if (FButton && PlaceEditButton(*this, *FButton, MinHeight(), FSizing)) SetEditRect();
}

// ---- the edit with a unit

namespace {

// The unit text, drawn in the edit's font beside the button.
class TUnitArea : public TGraphicControl {
public:
  explicit TUnitArea(TAsgUnitEditBtn* edit) : TGraphicControl(edit), FEdit(edit) { AttachPaintSurface(); }

protected:
  void Paint() override {
    TCanvas& canvas = Canvas();
    canvas.Font().Assign(FEdit->Font());
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(FEdit->Color());
    TRect r = ClientRect();
    canvas.FillRect(r);
    canvas.Brush().SetStyle(bsClear);
    canvas.DrawText(FEdit->UnitID(), r, DT_EDITCONTROL);
  }

private:
  TAsgUnitEditBtn* FEdit;
};

} // namespace

void TUnitMenu::Popup(int x, int y) {
  FPoint = {x, y};
  TPopupMenu::Popup(x, y);
}

TAsgUnitEditBtn::TAsgUnitEditBtn(TComponent* AOwner) : TAsgEditBtn(AOwner) {
  FUnitSize = 20;
  FUnitArea = new TUnitArea(this);
  FUnitArea->SetParent(this);
  SetRightAlign(true);
  Resize();
}

void TAsgUnitEditBtn::SetUnitID(const std::string& unit) {
  FUnitID = unit;
  if (FUnitArea) FUnitArea->Invalidate();
}

void TAsgUnitEditBtn::SetUnitSpace(int value) {
  FUnitSize = value;
  SetEditRect();
  PlaceUnitArea();
}

void TAsgUnitEditBtn::SetTextAndUnit(const std::string& value) {
  for (const std::string& unit : FUnits) {
    const auto p = value.find(unit);
    if (unit.empty() || p == std::string::npos || p + unit.size() != value.size()) continue;
    SetText(value.substr(0, p));
    SetUnitID(value.substr(p));
    return;
  }
}

void TAsgUnitEditBtn::ButtonClick(TObject* Sender) {
  if (OnClickBtn && CanFire()) OnClickBtn(this);
  // The menu of the last click goes when the next one opens: headless, it stays to be chosen from.
  delete FMenu;
  FMenu = new TUnitMenu(this);
  FMenu->SetName("UnitMenu");
  for (std::size_t i = 0; i < FUnits.size(); ++i) {
    auto* item = new TMenuItem(FMenu);
    item->SetCaption(FUnits[i]);
    const WPARAM id = i + 1;
    item->OnClick = [this, id](TObject*) { Perform(UnitMenuCommand, id); };
    FMenu->Items()->Add(item);
  }
  const TPoint origin = ClientOrigin();
  FMenu->SetPopupComponent(this);
  FMenu->Popup(origin.X + ClientWidth() - 15, origin.Y + ClientHeight());
}

void TAsgUnitEditBtn::WndProc(TMessage& Message) {
  if (Message.Msg != UnitMenuCommand) return TAsgEditBtn::WndProc(Message);
  const auto id = static_cast<std::size_t>(Message.WParam);
  if (id < 1 || id > FUnits.size()) return;
  const std::string unit = FUnits[id - 1];
  const bool changed = FUnitID != unit;
  SetUnitID(unit);
  if (changed && OnUnitChanged && CanFire()) OnUnitChanged(this, FUnitID);
}

void TAsgUnitEditBtn::PlaceUnitArea() {
  if (!FUnitArea || !Button()) return;
  // Our client area includes the frame, so the button may stand further right than the unit.
  const int right = std::min(ClientWidth() - Button()->Width() - 3, Button()->Left());
  FUnitArea->SetBounds(right - FUnitSize, 2, FUnitSize, std::max(0, ClientHeight() - 2));
}

void TAsgUnitEditBtn::Resize() {
  TAsgEditBtn::Resize();
  PlaceUnitArea();
}
