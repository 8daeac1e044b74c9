// The standard controls: labels, edits, combo boxes, check boxes, radio buttons, list boxes,
// push buttons, group boxes and scroll bars.
#pragma once

#include "platform/ui/BalloonHint.h"
#include "platform/ui/Controls.h"
#include "platform/ui/EditMask.h"
#include "platform/ui/Forms.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QFont;

// The item texts of a list control, each with an object the control does not own; every change
// shows at once.
class QComboBox;

class TControlItems {
public:
  int Count() const { return static_cast<int>(FItems.size()); }
  // Empty text for an index out of range.
  std::string Strings(int index) const;
  std::string operator[](int index) const { return Strings(index); }
  void SetStrings(int index, const std::string& text);
  // nullptr for an index out of range or an item added without one.
  TObject* Objects(int index) const;
  void SetObjects(int index, TObject* object);
  int Add(const std::string& text);
  int AddObject(const std::string& text, TObject* object);
  void Insert(int index, const std::string& text);
  void InsertObject(int index, const std::string& text, TObject* object);
  void Delete(int index);
  void Clear();
  // Index of the first item equal to `text` with letter case ignored; -1 when none.
  int IndexOf(const std::string& text) const;
  void Assign(const std::vector<std::string>& items);
  const std::vector<std::string>& ToVector() const { return FItems; }
  // The items joined with line breaks; setting it splits at line breaks.
  std::string Text() const;
  void SetText(const std::string& text);
  // Changes between these two show once, at EndUpdate.
  void BeginUpdate() { ++FUpdating; }
  void EndUpdate();

private:
  friend class TComboBox;
  friend class TListBox;
  void Changed();
  // Sorts texts and objects together, letter case ignored, equal texts keeping their order.
  void SortItems(const std::function<bool(const std::string&, const std::string&)>& less);
  std::vector<std::string> FItems;
  std::vector<TObject*> FObjects; // as many as FItems
  int FUpdating = 0;
  std::function<void()> FOnChange;
};

struct TLaidLabelText;

// A line of text. AutoSize (on by default) sizes it to its caption.
class TLabel : public TGraphicControl {
public:
  explicit TLabel(TComponent* AOwner);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool autoSize);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool wrap);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment alignment);
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout layout);
  // Without a fill the parent shows through (default off: the label fills with Color).
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool transparent);
  // "&" marks the accelerator (shown without the mark); "&&" is a plain "&".
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool show);
  // The control its accelerator focuses.
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* control) { FFocusControl = control; }
  void WndProc(TMessage& Message) override;

protected:
  void SetTextNative(const std::string& text) override;
  void ApplyLook() override;
  // The size follows the font at once; the widget gets it when first shown.
  void LookDeferred() override;
  void Resize() override;
  QWidget* CreateWidget() override;
  void WidgetCreated() override;
  void SettlePendingSize() override;

private:
  // Sizes the label to its text now, or marks the size pending while nothing needs it yet.
  void AdjustBounds();
  bool MeasureCanWait() const;
  void Measure();
  // Every control up to the window is visible: the label paints once the window shows.
  bool ShowsWithWindow() const;
  void PassLaidText();
  void ApplyText();
  // The text as shown (without the accelerator marks).
  std::string ShownText() const;
  bool FAutoSize = true;
  bool FWordWrap = false;
  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
  bool FTransparent = false;
  bool FShowAccelChar = true;
  bool FAdjusting = false;
  // Measuring a size that was pending (no OnResize for it).
  bool FSettling = false;
  TWinControl* FFocusControl = nullptr;
  // The size last measured and what for (the font's face, size and style, and the text): a
  // change of colour or place alone measures nothing again.
  struct TMeasured {
    bool Valid = false;
    std::string FontName;
    int FontHeight = 0;
    TFontStyles FontStyle = 0;
    TFontPitch FontPitch = fpDefault;
    std::string Text;
    bool WordWrap = false;
    int WrapWidth = 0;
    int Width = 0, Height = 0;
    // The text laid out for painting when it was measured for a label about to show.
    std::shared_ptr<const TLaidLabelText> Laid;
    bool Holds(const TFont& font, const std::string& text, bool wordWrap, int wrapWidth) const;
  };
  TMeasured FMeasured;
  // Every label starts empty and most take their parent's font before their text: the size of
  // an empty line in a font is measured once for all labels (a few fonts are in use at a time).
  static std::vector<TMeasured>& EmptyLines();
};

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

// A one-line text box. OnChange fires for every change of the text, typed or set by code.
class TEdit : public TWinControl {
public:
  explicit TEdit(TComponent* AOwner);
  // Most characters that can be typed (0: no limit). Text set by code is not cut.
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int length);
  bool ReadOnly() const;
  void SetReadOnly(bool readOnly);
  // Letters typed become capitals (or small letters); text set by code is kept as given.
  TEditCharCase CharCase() const { return FCharCase; }
  void SetCharCase(TEditCharCase charCase) { FCharCase = charCase; }
  WideChar PasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(WideChar ch);
  // Selection in characters.
  int SelStart() const;
  void SetSelStart(int start);
  int SelLength() const;
  void SetSelLength(int length);
  std::string SelText() const;
  void SetSelText(const std::string& text); // replaces the selection as typing would
  void SelectAll();
  void ClearSelection();
  bool Modified() const;
  void SetModified(bool modified);
  // Entering the box by the keyboard selects all of its text.
  bool AutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool autoSelect) { FAutoSelect = autoSelect; }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment alignment);
  // A multi-line box that wants returns keeps Enter from the form's default button.
  unsigned DialogCode() const override {
    return DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL |
           (FMultiLine && FWantReturns ? DLGC_WANTALLKEYS : 0);
  }

  // ---- edit mask (EditMask.h): typing fills the mask's positions and what fits none is refused;
  // Text is the value (blanks as spaces, literals only when the mask keeps them), EditText what
  // the box shows. The empty mask filters nothing. Setting a mask keeps the value.
  const std::string& EditMask() const { return FEditMask; }
  void SetEditMask(const std::string& mask);
  bool IsMasked() const { return !FMask.Empty(); }
  std::string EditText() const;
  // The first position still to be typed (the text's end when none, or without a mask).
  int FirstBlankPosition() const;

  // ---- clipboard: each sends its message (WM_CUT, WM_COPY, WM_PASTE, WM_CLEAR), which a
  // descendant's WndProc may take; the default handler does the work. The keys (Ctrl+X, Ctrl+C,
  // Ctrl+V, Shift+Del, Ctrl+Ins, Shift+Ins) and the box's own context menu send them too.
  void CutToClipboard() { Perform(WM_CUT); }
  void CopyToClipboard() { Perform(WM_COPY); }
  void PasteFromClipboard() { Perform(WM_PASTE); }

  // ---- positions: the character nearest to a client point (-1 outside the box), the line of a
  // character (-1: the caret's; a one-line box has line 0) and a character's client position.
  // Also as EM_CHARFROMPOS, EM_LINEFROMCHAR and EM_POSFROMCHAR.
  int CharFromPos(TPoint p) const;
  int LineFromChar(int index) const;
  TPoint PosFromChar(int index) const;

  // ---- several lines (the edit style of an in-place edit for wrapped cells, or of a tree's node
  // editor): the box gets a window of the other kind, keeping text, caret and state. Its Text
  // separates lines by CR LF, counted as two characters by every position; a multi-line box
  // keeps no edit mask, shows its text plainly and left-aligned. Enter types a line break while
  // WantReturns is on (the default); WordWrap breaks lines at the box's width.
  bool MultiLine() const { return FMultiLine; }
  void SetMultiLine(bool multiLine);
  bool WantReturns() const { return FWantReturns; }
  void SetWantReturns(bool want) { FWantReturns = want; }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool wrap);
  // A multi-line box's scroll bars show as its text needs them (the default); without them the
  // text scrolls with the caret alone.
  bool MultiLineScrollBars() const { return FMultiLineScrollBars; }
  void SetMultiLineScrollBars(bool show);
  // Whether a scroll bar of the box shows now.
  bool ScrollBarShown() const;

  // ---- the formatting rectangle (as EM_SETRECTNP): the part of the client area the text is laid
  // out in; the whole client area until set. Parts outside the client area count as its edge.
  TRect FormattingRect() const;
  void SetFormattingRect(const TRect& r);
  // bsSingle (the default) draws the box's sunken frame, bsNone none.
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle style);
  // Ctrl+C, Ctrl+V and Ctrl+X act through their characters (#3, #22, #24) as in the system's edit
  // control, so a key-press handler that drops the character keeps the clipboard out. Default off.
  bool ClipboardKeysAsChars() const { return FClipboardKeysAsChars; }
  void SetClipboardKeysAsChars(bool on) { FClipboardKeysAsChars = on; }

  // A balloon tip pointing at the caret (as EM_SHOWBALLOONTIP), for example to say why a value
  // was refused; it goes with HideBalloonTip, the next key or the loss of the focus.
  void ShowBalloonTip(const std::string& title, const std::string& text, TBalloonIcon icon);
  void HideBalloonTip();
  // The box's balloon (nullptr until first shown).
  TBalloonHint* BalloonTip() const { return FBalloon; }

  TNotifyEvent OnChange;

protected:
  std::string GetText() const override;
  void SetTextNative(const std::string& text) override;
  void ApplyLook() override;
  QWidget* CreateWidget() override;
  void WidgetCreated() override;
  void DefaultHandler(TMessage& Message) override;
  void DoEnter() override;
  virtual void Change();
  // Shows the control's pop-up menu, or else the box's own menu (Undo, Cut, Copy, Paste, Delete,
  // Select All), whose items send the clipboard messages.
  void WMContextMenu(TMessage& Message) override;

private:
  // The edit messages of the default handler; false for the others.
  bool EditMessage(TMessage& Message);
  void DefaultEditHandler(TMessage& Message);
  // Text inserted other than by typing (pasted, dropped) passes the key handler and the letter
  // case a character at a time, as if typed; what the handler drops is left out.
  std::u16string ThroughKeyHandler(const std::u16string& text);
  // Inserts text at the caret as typing it would, within the length limit.
  void InsertAsTyped(const std::u16string& text);
  void ReplaceMasked(const std::u16string& text, int caret);
  TPopupMenu* StandardMenu();
  std::string FEditMask;
  TEditMask FMask;
  TPopupMenu* FStandardMenu = nullptr;
  TBalloonHint* FBalloon = nullptr;
  bool FMultiLine = false;
  bool FWantReturns = true;
  bool FWordWrap = false;
  bool FMultiLineScrollBars = true;
  int FMaxLength = 0;
  TEditCharCase FCharCase = ecNormal;
  bool FKeyed = false;       // a key or paste message is changing the text
  bool FSettingText = false; // code is setting the text
  WideChar FPasswordChar = 0;
  bool FAutoSelect = true;
  bool FReadOnly = false; // until the widget is made
  TAlignment FAlignment = taLeftJustify;
  TBorderStyle FBorderStyle = bsSingle;
  bool FClipboardKeysAsChars = false;
  bool FHasFormattingRect = false;
  TRect FFormattingRect;
};

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

// A drop-down list, with an edit part in the styles csDropDown and csSimple. OnChange fires only
// for the user's changes (choosing an item, typing); setting ItemIndex or Text by code is silent.
class TComboBox : public TWinControl {
public:
  explicit TComboBox(TComponent* AOwner);
  ~TComboBox() override;
  TComboBoxStyle Style() const { return FStyle; }
  void SetStyle(TComboBoxStyle style);
  TControlItems& Items() { return FItems; }
  const TControlItems& Items() const { return FItems; }
  // -1 for none.
  int ItemIndex() const;
  void SetItemIndex(int index);
  int DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int count);
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int length);
  TEditCharCase CharCase() const { return FCharCase; }
  void SetCharCase(TEditCharCase charCase) { FCharCase = charCase; }
  bool DroppedDown() const;
  void SetDroppedDown(bool dropped);
  unsigned DialogCode() const override;
  // What choosing item `index` in the list does (the headless driver picks items through this).
  void SelectByUser(int index);
  // Width of the open list: as wide as its longest item needs, never narrower than the box nor
  // than the width set (also CB_SETDROPPEDWIDTH; 0: none).
  int DroppedWidth() const;
  void SetDroppedWidth(int width);
  // The width set is worked out by `measure` when the list is first opened or its width read, and
  // again only after the items, the font or the drop-down count changed: long lists are costly to
  // measure and most are never opened.
  void SetDroppedWidthMeasure(std::function<int()> measure);
  // The open list stands with its right edge under the box's right edge, so a list wider than
  // the box opens towards the left.
  bool DropDownRightAligned() const { return FDropDownRight; }
  void SetDropDownRightAligned(bool right) { FDropDownRight = right; }
  // Where the list stands on the screen while open, or would stand if opened now.
  TRect DroppedBounds() const;
  // The caret and selection of the edit part, in characters (0 and no effect without one).
  int SelStart() const;
  void SetSelStart(int start);
  int SelLength() const;
  void SetSelLength(int length);
  // The caret position nearest to a client point of the box, in its edit part (as EM_CHARFROMPOS
  // to the combo's edit); -1 outside the edit part or without one.
  int CharFromPos(TPoint p) const;

  TNotifyEvent OnChange;
  // When set, a choice from the list fires this instead of OnChange (typing still fires OnChange).
  TNotifyEvent OnSelect;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;

protected:
  std::string GetText() const override;
  void SetTextNative(const std::string& text) override;
  void ApplyLook() override;
  QWidget* CreateWidget() override;
  void WidgetCreated() override;
  void DefaultHandler(TMessage& Message) override;
  virtual void Change();
  virtual void Select();
  // The list opens (CBN_DROPDOWN) or has closed (CBN_CLOSEUP); they fire OnDropDown and OnCloseUp.
  // Headless the list only changes the dropped-down state.
  virtual void DropDown();
  virtual void CloseUp();
  // A box that draws over its own painting (frames, its button) says so; PaintOver then draws on
  // a canvas bound to each paint, after the box's own painting.
  virtual bool PaintsOver() const { return false; }
  virtual void PaintOver(TCanvas& canvas) {}
  void CMFontChanged(TMessage& Message) override;

private:
  friend class QtComboBox;
  // The width set, measured first if due.
  int LeastDroppedWidth() const;
  // The widget, with the edit part of the style made if it is still to come.
  QComboBox* Box() const;
  // The edit part of the style comes now if it is still to come (with or without a widget).
  void EnsureEditPart() const;
  void EditPartMade(QComboBox* box);
  void ItemsChanged();
  void UserPicked(int index);
  TComboBoxStyle FStyle = csDropDown;
  bool FEditPending = false;
  // Until the widget is made: whether the box has its edit part (its text is then the control's
  // text; otherwise the item at FLastIndex).
  bool FEditable = false;
  TControlItems FItems;
  int FDropDownCount = 8;
  int FMaxLength = 0;
  TEditCharCase FCharCase = ecNormal;
  bool FSilent = false;
  int FLastIndex = -1;
  mutable int FDroppedWidth = 0;
  std::function<int()> FDroppedMeasure;
  mutable bool FDroppedMeasured = false;
  bool FDropDownRight = false;
  bool FHeadlessDropped = false;
};

// The base of the push, check and radio buttons: the caption lives in the button widget.
class TButtonControl : public TWinControl {
public:
  using TWinControl::TWinControl;
  unsigned DialogCode() const override { return DLGC_BUTTON; }

protected:
  std::string GetText() const override;
  void SetTextNative(const std::string& text) override;
  void WidgetCreated() override;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

// OnClick fires for every change of the state, by the user or by code.
class TCheckBox : public TButtonControl {
public:
  explicit TCheckBox(TComponent* AOwner);
  bool Checked() const { return FState == cbChecked; }
  void SetChecked(bool checked) { SetState(checked ? cbChecked : cbUnchecked); }
  TCheckBoxState State() const { return FState; }
  void SetState(TCheckBoxState state);
  bool AllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool allow);
  // taRightJustify (default): the box on the left, the caption to its right.
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment alignment);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool wrap);
  // The next state, as a click would give it.
  void Toggle();

protected:
  void CMDialogChar(TMessage& Message) override;
  QWidget* CreateWidget() override;
  void WidgetCreated() override;

private:
  void StateFromWidget();
  TCheckBoxState FState = cbUnchecked;
  bool FAllowGrayed = false;
  TAlignment FAlignment = taRightJustify;
  bool FWordWrap = false;
  bool FSetting = false;
};

// Radio buttons with the same parent exclude each other; OnClick fires when one becomes checked.
class TRadioButton : public TButtonControl {
public:
  explicit TRadioButton(TComponent* AOwner);
  bool Checked() const;
  void SetChecked(bool checked);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment alignment);

protected:
  void CMDialogChar(TMessage& Message) override;
  QWidget* CreateWidget() override;
  void WidgetCreated() override;

private:
  TAlignment FAlignment = taRightJustify;
  bool FChecked = false; // until the widget is made
};

class TListBox : public TWinControl {
public:
  explicit TListBox(TComponent* AOwner);
  TControlItems& Items() { return FItems; }
  const TControlItems& Items() const { return FItems; }
  // Setting it by code does not fire OnClick; a user's choice does.
  int ItemIndex() const;
  void SetItemIndex(int index);
  bool MultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool multi);
  bool Selected(int index) const;
  void SetSelected(int index, bool selected);
  int SelCount() const;
  bool Sorted() const { return FSorted; }
  void SetSorted(bool sorted);
  int TopIndex() const;
  void SetTopIndex(int index);
  int ItemHeight() const;
  void ClearSelection();
  unsigned DialogCode() const override { return DLGC_WANTARROWS | DLGC_WANTCHARS; }
  // What choosing item `index` with the mouse does.
  void SelectByUser(int index);

protected:
  void ApplyLook() override;
  QWidget* CreateWidget() override;
  void WidgetCreated() override;

private:
  void ItemsChanged();
  TControlItems FItems;
  int FItemIndex = -1; // until the widget is made
  bool FMultiSelect = false;
  bool FSorted = false;
  bool FSilent = false;
};

// A push button. Enter clicks the Default button (unless another button has the focus), Escape
// the Cancel button; a click sets the form's ModalResult to the button's before OnClick runs.
class TButton : public TButtonControl {
public:
  explicit TButton(TComponent* AOwner);
  bool Default() const { return FDefault; }
  void SetDefault(bool isDefault);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool cancel) { FCancel = cancel; }
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult result) { FModalResult = result; }
  void Click() override;

protected:
  void CMDialogKey(TMessage& Message) override;
  void CMDialogChar(TMessage& Message) override;
  void CMFocusChanged(TMessage& Message) override;
  QWidget* CreateWidget() override;
  void WidgetCreated() override;

private:
  bool FDefault = false;
  bool FCancel = false;
  bool FActive = false;
  TModalResult FModalResult = mrNone;
};

// A frame with a caption around other controls.
class TGroupBox : public TWinControl {
public:
  explicit TGroupBox(TComponent* AOwner);
  TRect AlignRect() const override;

protected:
  std::string GetText() const override;
  void SetTextNative(const std::string& text) override;
  QWidget* CreateWidget() override;
  void WidgetCreated() override;
};

enum TScrollBarKind { sbHorizontal, sbVertical };
enum TScrollCode {
  scLineUp,
  scLineDown,
  scPageUp,
  scPageDown,
  scPosition,
  scTrack,
  scTop,
  scBottom,
  scEndScroll
};
using TScrollEvent = std::function<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;

class TScrollBar : public TWinControl {
public:
  explicit TScrollBar(TComponent* AOwner);
  TScrollBarKind Kind() const { return FKind; }
  void SetKind(TScrollBarKind kind);
  int Min() const { return FMin; }
  int Max() const { return FMax; }
  int Position() const { return FPosition; }
  // Clamped to Min .. Max - PageSize + 1 (Max when PageSize is 0); fires OnChange when it moves.
  void SetPosition(int position);
  void SetParams(int position, int min, int max);
  void SetMin(int min) { SetParams(FPosition, min, FMax); }
  void SetMax(int max) { SetParams(FPosition, FMin, max); }
  int SmallChange() const { return FSmallChange; }
  void SetSmallChange(int change);
  int LargeChange() const { return FLargeChange; }
  void SetLargeChange(int change);
  int PageSize() const { return FPageSize; }
  void SetPageSize(int size);
  unsigned DialogCode() const override { return DLGC_WANTARROWS; }

  TNotifyEvent OnChange;
  TScrollEvent OnScroll;

protected:
  void WMVScroll(TMessage& Message) override;
  void WMHScroll(TMessage& Message) override;
  QWidget* CreateWidget() override;
  void WidgetCreated() override;

private:
  void Apply();
  void Scroll(TScrollCode code, int pos);
  TScrollBarKind FKind = sbHorizontal;
  int FMin = 0, FMax = 100, FPosition = 0;
  int FSmallChange = 1, FLargeChange = 1, FPageSize = 0;
  bool FApplying = false;
};
