// The edit with a push button at its right edge (the grid's ellipsis editors), and its variant that
// shows a unit after the value and offers the units in a pop-up menu.
#pragma once

#include "platform/ui/Buttons.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"

#include <string>
#include <vector>

// The painted button: custom colours, themed, a raised push button or a flat edge, then its glyph
// and caption.
class TProSpeedButton : public TSpeedButton {
public:
  explicit TProSpeedButton(TComponent* AOwner);
  bool IsWinXP() const { return FIsWinXP; }
  void SetIsWinXP(bool value) { FIsWinXP = value; }
  // The mouse is over the button.
  bool Hot() const { return FHot; }

protected:
  void Paint() override;
  void CMMouseEnter(TMessage& Message) override;
  void CMMouseLeave(TMessage& Message) override;

private:
  bool FIsWinXP = false;
  bool FHot = false;
};

// The windowed holder of the button: the button fills it, and releasing the left button after a
// press on it fires OnClick wherever the pointer is then.
class TAsgEditButton : public TCustomControl {
public:
  explicit TAsgEditButton(TComponent* AOwner);

  TProSpeedButton* SpeedButton() const { return FButton; }
  const TBitmap& Glyph() const { return FButton->Glyph(); }
  void SetGlyph(const TBitmap& glyph) { FButton->SetGlyph(glyph); }
  std::string ButtonCaption() const { return FButton->Caption(); }
  void SetButtonCaption(const std::string& caption) { FButton->SetCaption(caption); }
  int NumGlyphs() const { return FButton->NumGlyphs(); }
  void SetNumGlyphs(int n) { FButton->SetNumGlyphs(n); }
  bool Flat() const { return FFlat; }
  void SetFlat(bool value);
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* control);

  // Only ButtonColor, ButtonColorHot and ButtonColorDown show; clNone paints without them.
  TColor ButtonColor() const { return FButtonColor; }
  void SetButtonColor(TColor c) { FButtonColor = c; }
  TColor ButtonColorHot() const { return FButtonColorHot; }
  void SetButtonColorHot(TColor c) { FButtonColorHot = c; }
  TColor ButtonColorDown() const { return FButtonColorDown; }
  void SetButtonColorDown(TColor c) { FButtonColorDown = c; }
  TColor ButtonBorderColor() const { return FButtonBorderColor; }
  void SetButtonBorderColor(TColor c) { FButtonBorderColor = c; }
  TColor ButtonTextColor() const { return FButtonTextColor; }
  void SetButtonTextColor(TColor c) { FButtonTextColor = c; }

  void SetBounds(int left, int top, int width, int height) override;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  void ButtonMouseUp(TMouseButton Button);

  TProSpeedButton* FButton;
  TWinControl* FFocusControl = nullptr;
  bool FFlat = false;
  TColor FButtonColorDown = clNone, FButtonBorderColor = clNone, FButtonTextColor = clNone,
         FButtonTextColorHot = clNone, FButtonColor = clNone, FButtonColorHot = clNone,
         FButtonTextColorDown = clNone;
};

class TAsgEditBtn : public TEdit {
public:
  explicit TAsgEditBtn(TComponent* AOwner);
  ~TAsgEditBtn() override;

  TAsgEditButton* Button() const { return FButton; }
  // Fires OnClickBtn: the button control as Sender for a click, the edit for F4.
  virtual void ButtonClick(TObject* Sender);

  bool EditorEnabled() const { return FEditorEnabled; }
  void SetEditorEnabled(bool value) { FEditorEnabled = value; }
  std::string ButtonCaption() const { return FButton->ButtonCaption(); }
  void SetButtonCaption(const std::string& caption) { FButton->SetButtonCaption(caption); }
  const TBitmap& Glyph() const { return FButton->Glyph(); }
  void SetGlyph(const TBitmap& glyph) { FButton->SetGlyph(glyph); }
  bool IsWinXP() const { return FIsWinXP; }
  void SetIsWinXP(bool value);
  // The last width written; 0 until then, although the button is 18 pixels wide.
  int ButtonWidth() const { return FButtonWidth; }
  void SetButtonWidth(int value);
  bool RightAlign() const { return FRightAlign; }
  void SetRightAlign(bool value);

  int MinHeight() const;
  void WndProc(TMessage& Message) override;

  TNotifyEvent OnClickBtn;

protected:
  void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
  void WMChar(TMessage& Message) override;
  void DoEnter() override;
  void Resize() override;
  void SetEditRect();

  int FUnitSize = 0;

private:
  bool FRightAlign = false;
  TAsgEditButton* FButton = nullptr;
  bool FEditorEnabled = true;
  int FButtonWidth = 0;
  bool FIsWinXP = false;
  bool FSizing = false;
};

using TUnitChangeEvent = std::function<void(TObject* Sender, const std::string& NewUnit)>;

// The unit menu: records where it was opened.
class TUnitMenu : public TPopupMenu {
public:
  using TPopupMenu::TPopupMenu;
  void Popup(int x, int y) override;
  TPoint PopupPoint() const { return FPoint; }

private:
  TPoint FPoint;
};

class TAsgUnitEditBtn : public TAsgEditBtn {
public:
  explicit TAsgUnitEditBtn(TComponent* AOwner);

  const std::vector<std::string>& Units() const { return FUnits; }
  void SetUnits(const std::vector<std::string>& units) { FUnits = units; }
  const std::string& UnitID() const { return FUnitID; }
  void SetUnitID(const std::string& unit);
  // Width kept for the unit left of the button (20 after construction).
  int UnitSpace() const { return FUnitSize; }
  void SetUnitSpace(int value);
  // The text immediately followed by the unit. Writing splits at the first unit of the list whose
  // first occurrence ends the value; with none, nothing changes.
  std::string TextAndUnit() const { return Text() + FUnitID; }
  void SetTextAndUnit(const std::string& value);
  // Offers the units in a pop-up menu after OnClickBtn.
  void ButtonClick(TObject* Sender) override;
  // The menu of the last click (nullptr before one).
  TUnitMenu* UnitMenu() const { return FMenu; }
  void WndProc(TMessage& Message) override;

  TUnitChangeEvent OnUnitChanged;

protected:
  void Resize() override;

private:
  void PlaceUnitArea();
  std::string FUnitID;
  std::vector<std::string> FUnits;
  TUnitMenu* FMenu = nullptr;
  TGraphicControl* FUnitArea = nullptr;
};

// The command a chosen item of the unit menu sends to the edit (WParam: the item's 1-based id).
constexpr unsigned UnitMenuCommand = 0x0111;
