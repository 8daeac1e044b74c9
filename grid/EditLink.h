// The link through which any control serves as a cell editor (edCustom): the control sits in the
// cell or on a pop-up form of the link's own; keys that leave the cell come back to the grid and
// the value travels between cell and control. A descendant supplies the control by overriding
// the empty virtual operations.
#pragma once

#include "platform/ui/Classes.h"
#include "platform/ui/Controls.h"

class TForm;
class TProStringGrid;

enum TEditStyle { esInplace, esPopup };

class TEditLink : public TComponent {
public:
  explicit TEditLink(TComponent* AOwner);
  ~TEditLink() override;

  virtual void EditKeyDown(TObject* Sender, std::uint16_t& Key, TShiftState Shift);
  virtual TWinControl* GetEditControl() { return nullptr; }
  virtual void CreateEditor(TWinControl* AParent) {}
  virtual void DestroyEditor() {}
  virtual void SetFocus(bool Value);
  virtual void SetRect(TRect r);
  virtual void SetVisible(bool Value);
  virtual void SetProperties() {}
  virtual void SetCellProps(TColor AColor, const TFont& AFont) {}
  virtual std::string GetEditorValue() { return std::string(); }
  virtual void SetEditorValue(const std::string& s) {}

  void EditExit(TObject* Sender);
  void FormExit(TObject* Sender);
  TWinControl* GetParent();
  // The current cell's value as the control shows it, and a value of the control stored in the
  // cell's form (encoded where the cell holds encoded wide text).
  std::string GetCellValue();
  void SetCellValue(const std::string& s);
  void HideEditor();
  void RestoreWinProc();

  TProStringGrid* Grid() const { return FOwner; }
  void SetGrid(TProStringGrid* Grid) { FOwner = Grid; }
  TPoint EditCell() const { return FEditCell; }
  void SetEditCell(TPoint Cell) { FEditCell = Cell; }
  // The pop-up form of an esPopup link: made on the first pop-up, kept, freed with the link.
  TForm* PopupForm() const { return FPopupForm; }
  TForm* MakePopupForm();
  bool ForcedExit() const { return FForcedExit; }

  bool WantKeyLeftRight() const { return FWantKeyLeftRight; }
  void SetWantKeyLeftRight(bool v) { FWantKeyLeftRight = v; }
  bool WantKeyUpDown() const { return FWantKeyUpDown; }
  void SetWantKeyUpDown(bool v) { FWantKeyUpDown = v; }
  bool WantKeyHomeEnd() const { return FWantKeyHomeEnd; }
  void SetWantKeyHomeEnd(bool v) { FWantKeyHomeEnd = v; }
  bool WantKeyPriorNext() const { return FWantKeyPriorNext; }
  void SetWantKeyPriorNext(bool v) { FWantKeyPriorNext = v; }
  bool WantKeyReturn() const { return FWantKeyReturn; }
  void SetWantKeyReturn(bool v) { FWantKeyReturn = v; }
  bool WantKeyEscape() const { return FWantKeyEscape; }
  void SetWantKeyEscape(bool v) { FWantKeyEscape = v; }
  TEditStyle EditStyle() const { return FEditStyle; }
  void SetEditStyle(TEditStyle v) { FEditStyle = v; }
  int PopupWidth() const { return FPopupWidth; }
  void SetPopupWidth(int v) { FPopupWidth = v; }
  int PopupHeight() const { return FPopupHeight; }
  void SetPopupHeight(int v) { FPopupHeight = v; }
  int PopupLeft() const { return FPopupLeft; }
  void SetPopupLeft(int v) { FPopupLeft = v; }
  int PopupTop() const { return FPopupTop; }
  void SetPopupTop(int v) { FPopupTop = v; }
  bool AutoPopupWidth() const { return FAutoPopupWidth; }
  void SetAutoPopupWidth(bool v) { FAutoPopupWidth = v; }
  int Tag() const { return FTag; }
  void SetTag(int v) { FTag = v; }
  bool SubClassed() const { return FSubClassed; }

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  bool FWantReturns = false;
  bool FWantTabs = false;

private:
  // The focus goes to the grid with FForcedExit set meanwhile.
  void FocusGrid();
  TProStringGrid* FOwner = nullptr;
  bool FWantKeyLeftRight = false, FWantKeyUpDown = false, FWantKeyHomeEnd = false, FWantKeyPriorNext = false,
       FWantKeyReturn = false, FWantKeyEscape = false;
  TEditStyle FEditStyle = esInplace;
  TForm* FPopupForm = nullptr;
  int FPopupWidth = 0, FPopupHeight = 0;
  bool FForcedExit = false;
  TPoint FEditCell{-1, -1};
  int FTag = 0;
  bool FAutoPopupWidth = false;
  int FPopupLeft = -1, FPopupTop = -1;
  bool FSubClassed = false;
  unsigned FSavedDialogCode = 0;
};
