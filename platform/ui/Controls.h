// Controls: the base of every visible element of a window, windowed controls that take the focus
// and hold other controls, and the two kinds of self-drawn controls.
//
// Conventions of the whole UI kit: a property is a getter `Caption()` with a setter
// `SetCaption(...)`; an event is a public std::function member (`OnClick`) whose first argument is
// the object that fired it. Controls are created with `new TEdit(owner)`, named with SetName, and
// placed with SetParent; the owner destroys them. Bounds are relative to the parent's client area.
#pragma once

#include "platform/Colors.h"
#include "platform/ui/Classes.h"
#include "platform/ui/Graphics.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Types.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QWidget;
class QPainter;
class TControl;
class TWinControl;
class TForm;
class TPopupMenu;
struct TControlAccess;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };

enum TAnchorKind : unsigned { akLeft = 1u << 0, akTop = 1u << 1, akRight = 1u << 2, akBottom = 1u << 3 };
using TAnchors = unsigned;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };

using TCursor = int;
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSizeNESW = -6,
                  crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10, crHourGlass = -11,
                  crDrag = -12, crNoDrop = -13, crHSplit = -14, crVSplit = -15, crMultiDrag = -16,
                  crSQLWait = -17, crNo = -18, crAppStart = -19, crHelp = -20, crHandPoint = -21,
                  crSizeAll = -22;

// How a control takes part in input.
enum TControlStyleFlag : unsigned {
  csAcceptsControls = 1u << 0, // holds other controls
  csCaptureMouse = 1u << 1,    // keeps the mouse from button down to button up
  csClickEvents = 1u << 2,     // a left button released inside after being pressed inside clicks
  csSetCaption = 1u << 3,      // the text is the caption
  csOpaque = 1u << 4,          // paints all of its area
  csDoubleClicks = 1u << 5,    // a double click is one (otherwise a second button down)
};
using TControlStyle = unsigned;

using TKeyEvent = std::function<void(TObject* Sender, std::uint16_t& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, WideChar& Key)>;
using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
// MousePos is in screen coordinates; a handler sets Handled to keep the wheel from the control.
using TMouseWheelEvent =
    std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;

// Mouse messages carry the shift state in WParam and the client point in LParam.
constexpr LPARAM MakeLParam(int x, int y) {
  return static_cast<LPARAM>((static_cast<std::uint32_t>(static_cast<std::uint16_t>(y)) << 16) |
                             static_cast<std::uint16_t>(x));
}
constexpr int LParamX(LPARAM l) {
  return static_cast<std::int16_t>(l & 0xFFFF);
}
constexpr int LParamY(LPARAM l) {
  return static_cast<std::int16_t>((l >> 16) & 0xFFFF);
}

// A hint request (CM_HINTSHOW, LParam: THintInfo*). The control may change the text and the
// rectangle; Result 1 shows no hint. The hint stays while the mouse is inside CursorRect, so a
// control with a hint per part (a grid's cells) gives the part's rectangle.
struct THintInfo {
  TControl* HintControl = nullptr;
  TPoint CursorPos;    // client point of HintControl
  TRect CursorRect;    // client rectangle the hint belongs to (default: the client area)
  std::string HintStr; // default: the control's hint at CursorPos
  TPoint HintPos;      // screen point of the hint's top-left corner
  // A window of the control's own that shows the hint instead of the tool tip (HintWindow.h), and
  // the data handed to its CalcHintRect.
  std::function<class THintWindow*()> HintWindowClass;
  const void* HintData = nullptr;
};

// The control at the other end of a WM_SETFOCUS (the one that lost the focus) or WM_KILLFOCUS
// (the one that gets it); nullptr when none.
inline TWinControl* FocusPeer(const TMessage& m) {
  return reinterpret_cast<TWinControl*>(m.WParam);
}

// The accelerator of a caption: the character after a single "&" ("&&" is a plain "&"); 0 if none.
WideChar AcceleratorOf(const std::string& caption);
// True when `key` (either letter case) is the accelerator of `caption`.
bool IsAccel(WideChar key, const std::string& caption);
// The caption without its "&" marks.
std::string StripHotkey(const std::string& caption);
// The part of a hint before "|" (the whole hint when it has none).
std::string GetShortHint(const std::string& hint);
// The form that holds the control (walking up the parents), or nullptr.
TForm* GetParentForm(const TControl* control);

class TControl : public TComponent {
public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  // ---- place
  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* parent);
  int Left() const {
    SettleSize();
    return FLeft;
  }
  int Top() const {
    SettleSize();
    return FTop;
  }
  int Width() const {
    SettleSize();
    return FWidth;
  }
  int Height() const {
    SettleSize();
    return FHeight;
  }
  void SetLeft(int v) { SetBounds(v, Top(), Width(), Height()); }
  // A size still to be measured stays so: moving up or down does not depend on it.
  void SetTop(int v);
  void SetWidth(int v) { SetBounds(Left(), Top(), v, Height()); }
  void SetHeight(int v) { SetBounds(Left(), Top(), Width(), v); }
  // Negative sizes count as 0.
  virtual void SetBounds(int left, int top, int width, int height);
  TRect BoundsRect() const { return Bounds(Left(), Top(), Width(), Height()); }
  void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
  virtual int ClientWidth() const { return Width(); }
  virtual int ClientHeight() const { return Height(); }
  void SetClientWidth(int w);
  void SetClientHeight(int h);
  TRect ClientRect() const { return Rect(0, 0, ClientWidth(), ClientHeight()); }
  // Screen position of the client area's top-left corner.
  TPoint ClientOrigin() const;
  TPoint ClientToScreen(TPoint p) const;
  TPoint ScreenToClient(TPoint p) const;
  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign align);
  TAnchors Anchors() const { return FAnchors; }
  void SetAnchors(TAnchors anchors);
  void BringToFront();
  void SendToBack();

  // ---- state
  bool Visible() const { return FVisible; }
  void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible together with every parent up to a form that is shown.
  virtual bool Showing() const;
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool enabled);
  TControlStyle ControlStyle() const { return FControlStyle; }
  void SetControlStyle(TControlStyle style) { FControlStyle = style; }

  // ---- text: Caption and Text are the same value
  std::string Caption() const { return GetText(); }
  void SetCaption(const std::string& caption) { SetText(caption); }
  std::string Text() const { return GetText(); }
  void SetText(const std::string& text);

  // ---- look
  TColor Color() const { return FColor; }
  void SetColor(TColor color);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool parentColor);
  // Changing the font (or any part of it) clears ParentFont.
  TFont& Font() { return FFont; }
  const TFont& Font() const { return FFont; }
  void SetFont(const TFont& font) { FFont.Assign(font); }
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool parentFont);
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor cursor);
  // Shows a cursor on the window for now without changing Cursor (the window's cursor request);
  // the next SetCursor or ShowWindowCursor(Cursor()) shows the control's own again.
  void ShowWindowCursor(TCursor cursor);
  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* menu);

  // ---- hints
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& hint);
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool show);
  bool ParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool parent);
  // Whether the hint is shown: ShowHint, or the parent's when ParentShowHint.
  bool EffectiveShowHint() const;
  // The hint shown for a client point; false for none. The default is the short part of Hint.
  virtual bool GetHintAt(TPoint clientPos, std::string& hint) const;

  // ---- painting: Invalidate asks for a later repaint, Repaint paints now.
  void Invalidate();
  // Asks for a later repaint of a part of the client area only.
  void InvalidateRect(const TRect& r);
  // While off, the control paints nothing and drops invalidations (for BeginUpdate); turning it
  // on repaints what a paint was missed for, nothing more.
  bool Redraw() const { return FRedraw; }
  void SetRedraw(bool redraw);
  virtual void Repaint();
  void Refresh() { Repaint(); }
  void Update();

  // ---- window region: only the part inside shows and takes the mouse.
  // A polygon filled by the winding rule, in client coordinates.
  void SetWindowRegion(const std::vector<TPoint>& polygon);
  // A rectangle with a rectangular hole (a frame).
  void SetWindowRegion(const TRect& outer, const TRect& hole);
  // The union of rectangles (a shape made of pixel runs).
  void SetWindowRegionRects(const std::vector<TRect>& rects);
  void ClearWindowRegion();
  bool HasWindowRegion() const;
  // Whether the client pixel lies in the region (any pixel of the client area without one).
  bool RegionContains(TPoint p) const;

  // ---- mouse capture: while set, every mouse event goes to this control.
  bool MouseCapture() const;
  void SetMouseCapture(bool capture);

  // ---- messages
  // Sends a message to the control now and returns its result.
  LRESULT Perform(unsigned msg, WPARAM wParam = 0, LPARAM lParam = 0);
  // Every message passes here; override to see any message, then call the base.
  virtual void WndProc(TMessage& Message);
  // What is left after the handlers: the control's native behaviour. Messages of unknown numbers
  // (WM_USER, WM_APP and beyond) end here and have no effect unless a subclass handles them.
  virtual void DefaultHandler(TMessage& Message);

  // Fires OnClick.
  virtual void Click();
  virtual void DblClick();

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnResize;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TMouseWheelEvent OnMouseWheel;

  // The private Qt widget; for platform code only. A window's widgets are made together, when it
  // is first shown or when something first needs one of them (a measure, the focus, a screen
  // position): asking for the widget of a control whose widget is still to come makes them.
  QWidget* Widget() const { return FWidget || !FWidgetDeferred ? FWidget : MakeWindowWidgets(); }
  // Whether the widget exists yet (without making it).
  bool HasWidget() const { return FWidget != nullptr; }
  // Unique id for the life of the program (used to drop messages posted to destroyed controls).
  std::uint64_t ControlId() const { return FId; }
  // A TForm (known without a dynamic_cast; a form being destroyed no longer says so once its
  // controls are gone).
  bool IsForm() const { return FForm; }

protected:
  // Called once by each concrete class's constructor with the widget it shows.
  void AttachWidget(QWidget* widget);
  // Set by the form's constructor and cleared by its destructor (see IsForm).
  void SetIsForm(bool form) { FForm = form; }
  // Called instead by the constructor of a class that keeps its state without a widget until its
  // window's widgets are made: CreateWidget then makes the bare widget, the base places it (parent,
  // bounds, visibility, enabled state, look, cursor, stacking) and WidgetCreated hands it the state
  // the control kept meanwhile, silently (no event fires for it).
  void DeferWidget() { FWidgetDeferred = true; }
  virtual QWidget* CreateWidget() { return nullptr; }
  virtual void WidgetCreated() {}
  // Makes the widgets of the control's window if they are still to come (before measuring or
  // mapping through widgets that exist already).
  void EnsureWindowWidgets() const;
  // Puts a new widget in place of the current one (a style that needs another kind of window):
  // place, visibility, look, cursor, enabled state and the focus carry over; the old one goes.
  void ReplaceWidget(QWidget* widget);
  // Text storage; native controls keep it in their widget.
  virtual std::string GetText() const { return FText; }
  virtual void SetTextNative(const std::string& text);
  // Applies colour and font to the widget. The control's own changes reach it through
  // LookChanged, which holds them back until the widget is first shown.
  virtual void ApplyLook();
  // The colour or font changed: applied now when the widget has been shown (polished), otherwise
  // when it first is, or when something first needs it (EnsureLook). Pushing looks into widgets
  // that are never shown is most of the cost of creating windows that start hidden.
  void LookChanged();
  // A look held back is applied now (before reading the widget's font or palette).
  void EnsureLook() const;
  // Called instead of ApplyLook while the look is held back: what must follow the look at once
  // (a size measured in the font) is done here, without the widget's font.
  virtual void LookDeferred() {}
  // A control that sizes itself to its content (an auto-size label) may leave measuring it until
  // its bounds are needed: it marks its size pending, and every read of its bounds, every change
  // of them and the making of its widget first has SettlePendingSize measure it. Only a control
  // that nothing hears resize meanwhile (no OnResize, no alignment, the default anchors) may wait.
  void MarkSizePending() { FSizePending = true; }
  void SettleSize() const {
    if (FSizePending) const_cast<TControl*>(this)->SettleSizeNow();
  }
  virtual void SettlePendingSize() {}
  // Pushes the stored bounds and the visibility to the widget.
  virtual void ApplyGeometry();
  virtual void ApplyVisible();
  // The bounds changed (sizes already stored); fires OnResize when the size changed.
  virtual void Resize();

  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  // True when handled (OnMouseWheel set Handled).
  virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);

  // Notifications (default: fire the matching event or nothing).
  virtual void CMMouseEnter(TMessage& Message);
  virtual void CMMouseLeave(TMessage& Message);
  virtual void CMEnabledChanged(TMessage& Message);
  virtual void CMVisibleChanged(TMessage& Message);
  virtual void CMFontChanged(TMessage& Message);
  virtual void CMColorChanged(TMessage& Message);
  virtual void CMTextChanged(TMessage& Message);
  virtual void CMParentFontChanged(TMessage& Message);
  virtual void CMParentColorChanged(TMessage& Message);
  virtual void CMParentShowHintChanged(TMessage& Message);
  // Fills the THintInfo of LParam; the default takes GetHintAt and the whole client area.
  virtual void CMHintShow(TMessage& Message);
  // The wheel (see WM_MOUSEWHEEL): the form sees it first, then DoMouseWheel; Result 1 when handled.
  virtual void WMMouseWheel(TMessage& Message);
  // The context menu was asked for (WParam: the control, LParam: the screen point, MakeLParam;
  // (-1, -1) from the keyboard). The default opens PopupMenu when it pops up by itself; Result 1
  // when a menu was opened.
  virtual void WMContextMenu(TMessage& Message);

  // True when events may fire (the control and its form are not being destroyed).
  bool CanFire() const;
  // Handles the mouse messages itself (custom controls) rather than leaving them to the widget.
  virtual bool HandlesMouseItself() const { return false; }
  // The point where a drawn control's painting happens (custom and graphic controls).
  virtual void PaintWidget(QPainter& painter) {}

private:
  friend class TWinControl;
  friend struct TControlAccess;
  void Dispatch(TMessage& Message);
  void WMMouse(TMessage& Message);
  void FontChanged();
  void NotifyChildren(unsigned msg);
  void ApplyCursor();
  void StackInParent();
  void RecordAnchors();
  QWidget* MakeWindowWidgets() const;
  // Makes this control's widget if it is still to come, puts it in its parent's widget and does
  // the same for every child, in the order they were added (which gives the stacking order).
  // Hidden controls are left for later unless they hold `needed`.
  void MakeWidgets(const TControl* needed);
  // Makes the widgets of a control shown or needed after its window's were made.
  void MakeLateWidgets(const TControl* needed);
  // The widget lowest in the stacking order among the siblings added after this control that
  // are of its kind (windowed or not) and have their widget, or nullptr.
  QWidget* LowestLaterSibling() const;
  void SettleSizeNow();

  QWidget* FWidget = nullptr;
  // A TWinControl (known without a dynamic_cast, asked for every sibling when stacking).
  bool FWindowed = false;
  bool FForm = false;
  bool FWidgetDeferred = false;
  // The control's widget and those of its children exist and are placed in their parents.
  bool FWidgetsMade = false;
  std::uint64_t FId = 0;
  TWinControl* FParent = nullptr;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  bool FSizePending = false;
  TAlign FAlign = alNone;
  TAnchors FAnchors = akLeft | akTop;
  // Distance of the right and bottom edges to the parent's client edges, kept for the anchors.
  int FAnchorRight = 0, FAnchorBottom = 0;
  bool FAnchorsValid = false;
  bool FVisible = true;
  bool FEnabled = true;
  TControlStyle FControlStyle = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
  std::string FText;
  TColor FColor = clBtnFace;
  bool FParentColor = true;
  TFont FFont;
  bool FParentFont = true;
  bool FFontFromParent = false;
  TCursor FCursor = crDefault;
  TPopupMenu* FPopupMenu = nullptr;
  std::string FHint;
  bool FShowHint = false;
  bool FParentShowHint = true;
  bool FClicked = false;
  bool FRedraw = true;
  bool FPaintMissed = false;
  // A change of colour or font waits for the widget's first showing.
  mutable bool FLookPending = false;
  // The colour and font last pushed to FLookWidget: setting an equal palette again still makes Qt
  // resolve it through every child widget.
  const QWidget* FLookWidget = nullptr;
  TColor FLookColor = clBtnFace;
  // Made with the first look pushed: most controls of a hidden window never have a widget.
  std::unique_ptr<TFont> FLookFont;
  // The widget shows the palette (the font) it inherits, which holds the look last pushed: one
  // of its own would cost a resolve against the parent's now and at every change there.
  bool FPaletteInherited = false;
  bool FFontInherited = false;
  void PushPalette(bool mayInherit);
  void PushFont(bool mayInherit);
  // The widget's palette (font) shows the look last pushed.
  bool WidgetPaletteHoldsLook() const;
  bool WidgetFontHoldsLook() const;
  // Qt changed the widget's palette or font (its parent's changed, or it moved): an inherited
  // one that no longer holds the look becomes the widget's own.
  void InheritedLookChanged();

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
};

class TWinControl : public TControl {
public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;

  // ---- children (in the order they were added)
  int ControlCount() const { return static_cast<int>(FControls.size()); }
  TControl* Controls(int index) const;
  bool ContainsControl(const TControl* control) const; // itself or a descendant

  // ---- focus and tab order
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool tabStop);
  // Position among the parent's windowed children in Tab order; -1 without a parent.
  int TabOrder() const;
  void SetTabOrder(int order);
  // Visible and enabled up to the form.
  bool CanFocus() const;
  bool Focused() const;
  // Makes this the active control of its form; nothing when it cannot take the focus.
  virtual void SetFocus();
  // Windowed descendants in Tab order (depth first).
  void GetTabOrderList(std::vector<TWinControl*>& list) const;
  // Moves the focus to the next (or previous) control after `current` among the descendants.
  void SelectNext(TWinControl* current, bool forward, bool checkTabStop);
  // What the control wants of Tab, arrows, Enter, Escape and characters (DLGC_ bits).
  virtual unsigned DialogCode() const { return 0; }
  // Keys wanted besides the control's own (DLGC_ bits), for a host that takes the control over
  // for a while, such as a grid using it as a cell editor; 0 gives the control its own answer.
  unsigned ExtraDialogCode() const { return FExtraDialogCode; }
  void SetExtraDialogCode(unsigned code) { FExtraDialogCode = code; }

  // ---- layout
  void DisableAlign() { ++FAlignLevel; }
  void EnableAlign();
  void Realign();
  // The area the aligned children share (the client rectangle less borders and captions).
  virtual TRect AlignRect() const { return ClientRect(); }

  // Sends a message to every child until one sets a result.
  void Broadcast(TMessage& Message);

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;

protected:
  // Fire OnKeyDown, OnKeyUp, OnKeyPress (the form sees them first when its KeyPreview is on).
  virtual void KeyDown(std::uint16_t& Key, TShiftState Shift);
  virtual void KeyUp(std::uint16_t& Key, TShiftState Shift);
  virtual void KeyPress(WideChar& Key);
  // Fire OnEnter and OnExit.
  virtual void DoEnter();
  virtual void DoExit();

  // Message handlers. CN_ messages come first for every key: the dialog keys (Tab, arrows, Enter,
  // Escape) that the control does not want go to the form as CM_DIALOGKEY, characters of a control
  // that does not want them as CM_DIALOGCHAR (accelerators). Then WM_KEYDOWN / WM_CHAR / WM_KEYUP.
  virtual void CNKeyDown(TMessage& Message);
  virtual void CNKeyUp(TMessage& Message);
  virtual void CNChar(TMessage& Message);
  virtual void CMDialogKey(TMessage& Message);  // default: broadcast to the children
  virtual void CMDialogChar(TMessage& Message); // default: broadcast to the children
  // The focus moved inside the form (LParam: the new focused control); broadcast to all controls.
  virtual void CMFocusChanged(TMessage& Message);
  // The focus came into (CM_ENTER) or left (CM_EXIT) this control or one of its children from or
  // to outside it; LParam: the control that had (gets) the focus, or nullptr.
  virtual void CMEnter(TMessage& Message);
  virtual void CMExit(TMessage& Message);
  virtual void WMKeyDown(TMessage& Message);
  virtual void WMKeyUp(TMessage& Message);
  virtual void WMChar(TMessage& Message);
  // Scroll requests; the default does nothing.
  virtual void WMVScroll(TMessage& Message) {}
  virtual void WMHScroll(TMessage& Message) {}
  // The control got (WM_SETFOCUS) or is losing (WM_KILLFOCUS) the keyboard focus; FocusPeer tells
  // from or to which control. Sent before CM_EXIT and after CM_ENTER; the default passes them to
  // DefaultHandler.
  virtual void WMSetFocus(TMessage& Message) { DefaultHandler(Message); }
  virtual void WMKillFocus(TMessage& Message) { DefaultHandler(Message); }

  // Places the aligned children inside `rect`. Realign calls it only while a visible child is
  // aligned (top, bottom, left, right or client), without working out the area otherwise.
  virtual void AlignControls(TRect rect);
  // The widget inside which the children's widgets live.
  virtual QWidget* ContainerWidget() const;
  // A child was added or is being removed.
  virtual void ChildAdded(TControl* child);
  virtual void ChildRemoved(TControl* child) {}
  // The widget that receives the keys passed on to the native control.
  virtual QWidget* KeyWidget() const;
  void Resize() override;
  // Destroys every child control now (for subclasses whose state the children must not outlive).
  void DestroyControls();

private:
  friend class TControl;
  friend class TForm;
  friend struct TControlAccess;
  bool DispatchWin(TMessage& Message);
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  void ChildResized(int oldClientWidth, int oldClientHeight);

  std::vector<TControl*> FControls;
  std::vector<TWinControl*> FTabList;
  bool FTabStop = false;
  unsigned FExtraDialogCode = 0;
  int FAlignLevel = 0;
  bool FAligning = false;
  int FLastClientWidth = 0, FLastClientHeight = 0;
};

// A control without a window of its own that draws itself (labels, shapes, images).
class TGraphicControl : public TControl {
public:
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;
  // Draws on the control while Paint runs; elsewhere it only measures text in the control's font.
  // Made when first asked for: most controls of a hidden window never draw or measure.
  TCanvas& Canvas() { return FCanvas ? *FCanvas : MakeCanvas(); }

protected:
  virtual void Paint() {}
  // Drawn after Paint with the clip of the paint again: feedback that lies over the content
  // (sizing lines, drag marks). Keep its state in the control and invalidate the rectangles it
  // covered and covers; drawing on the canvas outside a paint draws nothing.
  virtual void PaintOverlay() {}
  // For controls made outside the platform: a plain surface that asks Paint for every repaint
  // and takes mouse input, but never the focus. Call once from the constructor.
  void AttachPaintSurface();
  QWidget* CreateWidget() override;
  bool HandlesMouseItself() const override { return true; }
  void PaintWidget(QPainter& painter) override;
  void CMFontChanged(TMessage& Message) override;

private:
  TCanvas& MakeCanvas();
  std::unique_ptr<TCanvas> FCanvas;
  bool FPaintSurface = false;
};

// A windowed control that draws itself completely: its widget asks Paint for every repaint.
class TCustomControl : public TWinControl {
public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;
  // Draws on the control while Paint runs; elsewhere it only measures text in the control's font.
  // Made when first asked for, as a graphic control's.
  TCanvas& Canvas() { return FCanvas ? *FCanvas : MakeCanvas(); }
  // True while Paint runs from a repaint of the widget.
  bool Painting() const { return FPainting; }

protected:
  virtual void Paint() {}
  // As TGraphicControl::PaintOverlay: drawn after Paint, over the content.
  virtual void PaintOverlay() {}
  QWidget* CreateWidget() override;
  bool HandlesMouseItself() const override { return true; }
  void PaintWidget(QPainter& painter) override;
  void CMFontChanged(TMessage& Message) override;

private:
  TCanvas& MakeCanvas();
  std::unique_ptr<TCanvas> FCanvas;
  bool FPainting = false;
};
