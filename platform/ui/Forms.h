// Forms: the windows of the program. A window is a class deriving from TForm whose constructor
// creates its controls (owner: the form) and binds its events:
//
//   class TFNew_Project : public TForm {
//   public:
//     explicit TFNew_Project(TComponent* AOwner) : TForm(AOwner) {
//       SetName("FNew_Project");
//       SetClientWidth(331); SetClientHeight(162);          // size first: anchors refer to it
//       E_New_Proj = new TEdit(this);
//       E_New_Proj->SetName("E_New_Proj"); E_New_Proj->SetParent(this); E_New_Proj->SetBounds(16, 94, 297,
//       21); OnCreate = [this](TObject* s) { FormCreate(s); };
//     }
//     TEdit* E_New_Proj;
//     void FormCreate(TObject* Sender);
//   };
//
// OnCreate fires once, after the constructor (Application->CreateForm, NewForm, or the first Show).
#pragma once

#include "platform/Dialogs.h"
#include "platform/ui/Controls.h"

#include <cstdint>
#include <functional>

enum TCloseAction { caNone, caHide, caFree, caMinimize };
// fsStayOnTop: the window stays above the other windows of the desktop.
enum TFormStyle { fsNormal, fsStayOnTop };

enum TPosition {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
enum TBorderIcon : unsigned {
  biSystemMenu = 1u << 0,
  biMinimize = 1u << 1,
  biMaximize = 1u << 2,
  biHelp = 1u << 3
};
using TBorderIcons = unsigned;
using TModalResult = int;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TForm : public TWinControl {
public:
  explicit TForm(TComponent* AOwner);
  ~TForm() override;

  // Fires OnCreate (once). Called by Application->CreateForm and NewForm after construction; Show
  // and ShowModal call it for a form that was built otherwise.
  void AfterConstruction();

  // ---- frame. Width and Height include the frame of the border style; the client size does not.
  int ClientWidth() const override;
  int ClientHeight() const override;
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle style);
  TBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons icons);
  TFormStyle FormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle style);
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition position) { FPosition = position; }
  // Extra width and height of the frame around the client area for the current border style.
  TSize FrameSize() const;

  // ---- showing and closing
  bool Showing() const override;
  // Shows the form modally and returns its modal result once a control (or Close) set it.
  TModalResult ShowModal();
  bool Modal() const { return FModal; }
  TModalResult ModalResult() const { return FModalResult; }
  // On a modal form a non-zero result ends ShowModal (after OnCloseQuery and OnClose agree).
  void SetModalResult(TModalResult result);
  // Asks OnCloseQuery and OnClose, then hides the form; the main form's close ends the program.
  void Close();
  bool CloseQuery();
  bool Active() const;

  // ---- focus
  // The control that has (or gets, once the form shows) the focus.
  TWinControl* ActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* control);
  // The form's OnKeyDown, OnKeyPress and OnKeyUp see every key first.
  bool KeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool preview) { FKeyPreview = preview; }

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

protected:
  virtual void DoShow();
  virtual void DoHide();
  // False for windows that show without taking the activation from the active form (pop-ups).
  virtual bool ActivatesOnShow() const { return true; }
  virtual void DoClose(TCloseAction& Action);
  void CMDialogKey(TMessage& Message) override;
  void CMVisibleChanged(TMessage& Message) override;
  void SetTextNative(const std::string& text) override;
  void ApplyLook() override;
  void ApplyGeometry() override;
  void ApplyVisible() override;
  QWidget* ContainerWidget() const override;
  QWidget* CreateWidget() override;
  void WidgetCreated() override;
  void BeforeDestruction() override;

private:
  friend struct TControlAccess;
  friend class TApplication;
  friend class TControl;
  friend class TWinControl;
  void ShowWindow();
  void HideWindow();
  void PlaceOnScreen();
  void ApplyFrame();
  void FocusChangedTo(TWinControl* control);
  void ControlRemoved(TControl* control);
  void CloseModal();
  void CheckModalClose();
  void Activated();
  void WidgetClosed();

  TBorderStyle FBorderStyle = bsSizeable;
  TBorderIcons FBorderIcons = biSystemMenu | biMinimize | biMaximize;
  TPosition FPosition = poDesigned;
  TFormStyle FFormStyle = fsNormal;
  bool FKeyPreview = false;
  bool FCreated = false;
  bool FModal = false;
  bool FShown = false;
  bool FPlaced = false;
  TModalResult FModalResult = mrNone;
  TWinControl* FActiveControl = nullptr;
  TWinControl* FFocusedControl = nullptr;
  void* FModalLoop = nullptr; // the QEventLoop of ShowModal
  std::uint64_t FFocusGeneration = 0;
  // Headless: OnCloseQuery and OnClose already agreed to the modal result set.
  bool FCloseConfirmed = false;
};

// Creates a form that is not one of the program's start-up forms, firing OnCreate after construction.
template <class T, class... Args> T* NewForm(TComponent* owner, Args&&... args) {
  T* form = new T(owner, std::forward<Args>(args)...);
  form->AfterConstruction();
  return form;
}
