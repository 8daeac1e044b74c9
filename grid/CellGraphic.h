// The graphic a cell owns (check box, picture, progress bar ...). Each object the graphic refers to
// sits in a slot of its own type, and colours in colour slots, so freeing never has to guess what a
// reference holds. Objects handed in stay the caller's; only what the graphic was told it made
// (CellCreated) is freed with it.
#pragma once

#include "platform/Colors.h"
#include "platform/Persistent.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/Types.h"

#include <initializer_list>
#include <string>
#include <variant>

class TBitmap;
class TPicture;
class TFilePicture;
class TStringList;
class TIntList;

enum TCellType {
  ctBitmap,
  ctIcon,
  ctNone,
  ctImageList,
  ctCheckBox,
  ctDataCheckBox,
  ctRotated,
  ctDataImage,
  ctNode,
  ctRadio,
  ctEmpty,
  ctImages,
  ctPicture,
  ctFilePicture,
  ctValue,
  ctProgress,
  ctComment,
  ctButton,
  ctBitButton,
  ctVirtCheckBox,
  ctRowCheckBox,
  ctProgressPie,
  ctSummary,
  ctRangeIndicator,
  ctXPProgress,
  ctInterface,
  ctScrollbar,
  ctRadioButton,
  ctBalloon,
  ctShape,
  ctRating,
  ctTriStateCheckBox,
  ctExpand
};

enum TCellVAlign { vaTop, vaBottom, vaCenter, vaUnderText, vaAboveText, vaFull };
enum TCellHAlign { haLeft, haRight, haCenter, haBeforeText, haAfterText, haFull };
enum TStretchMode { noStretch, Stretch, StretchWithAspectRatio, Shrink, ShrinkWithAspectRatio };

class TCellGraphic : public TPersistent {
public:
  // What the first object slot may hold, by kind.
  using TObjectSlot =
      std::variant<std::monostate, TBitmap*, TPicture*, TFilePicture*, TStringList*, TIntList*, TPersistent*>;
  using TCellVar = std::variant<std::monostate, bool, int>;

  TCellGraphic() = default;
  ~TCellGraphic() override;
  TCellGraphic(const TCellGraphic&) = delete;
  TCellGraphic& operator=(const TCellGraphic&) = delete;

  // Copies the settings of another graphic; its objects, variant and tri-state are not copied, and
  // CellCreated stays as it is: it speaks of the objects this graphic holds, and taking the
  // source's flag would free objects a caller handed in.
  void Assign(const TPersistent* Source) override;

  // Frees a graphic taken out of a cell: the shared row and virtual check boxes are never freed
  // with a cell, nor objects of other classes.
  static void FreeFromCell(TObject* Graphic);
  static bool IsShared(TCellType Kind) { return Kind == ctVirtCheckBox || Kind == ctRowCheckBox; }

  void SetBitmap(TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val);
  void SetPicture(TPicture* APicture, bool Transparent, TStretchMode StretchMode, int padding,
                  TCellHAlign hal, TCellVAlign val);
  void SetFilePicture(TFilePicture* APicture, bool Transparent, TStretchMode StretchMode, int padding,
                      TCellHAlign hal, TCellVAlign val);
  void SetIcon(TBitmap* AIcon, TCellHAlign hal, TCellVAlign val);
  void SetImageIdx(int idx, TCellHAlign hal, TCellVAlign val);
  void SetDataImage(int idx, TCellHAlign hal, TCellVAlign val);
  // A new index list for the cell (Col, Row), owned by the graphic.
  void SetMultiImage(int Col, int Row, int dir, TCellHAlign hal, TCellVAlign val);
  void SetAngle(int AAngle);
  void SetInterfacedCell(TPersistent* AObject);
  void SetCheckBox(bool Value, bool Data, bool Flat, TCellHAlign hal, TCellVAlign val);
  void SetCheckBox(TCheckBoxState Value, bool Flat, TCellHAlign hal, TCellVAlign val);
  void SetRadioButton(bool Value, bool Flat, TCellHAlign hal, TCellVAlign val);
  void SetButton(int bw, int bh, const std::string& caption, TCellHAlign hal, TCellVAlign val);
  void SetBitButton(int bw, int bh, const std::string& caption, TBitmap* Glyph, TCellHAlign hal,
                    TCellVAlign val);
  // Size of a picture or file picture in an area of cw x rh after the padding, by stretch mode.
  TPoint GetPictureSize(int cw, int rh, bool hastext) const;

  // Object slots. Putting an object in frees one the graphic made before; the new one is the
  // caller's until MarkCreated says the graphic made it.
  const TObjectSlot& CellObjectSlot() const { return FObjectSlot; }
  void SetCellObjectSlot(TObjectSlot Value);
  TBitmap* CellBitmap() const { return Slot<TBitmap*>(); }
  TPicture* CellPicture() const { return Slot<TPicture*>(); }
  TFilePicture* CellFilePicture() const { return Slot<TFilePicture*>(); }
  TStringList* CellStrings() const { return Slot<TStringList*>(); }
  TIntList* CellIntList() const { return Slot<TIntList*>(); }
  TPersistent* CellInterface() const { return Slot<TPersistent*>(); }
  TBitmap* CellIcon() const { return FIcon; }
  void SetCellIcon(TBitmap* Value);
  // Colour slots of the kinds that keep colours where others keep objects.
  TColor CellColor() const { return FColor; }
  void SetCellColor(TColor Value) { FColor = Value; }
  TColor CellColorTo() const { return FColorTo; }
  void SetCellColorTo(TColor Value) { FColorTo = Value; }
  // The graphic made the objects it holds now and frees them with itself.
  void MarkCreated();

  TCellType CellType() const { return FCellType; }
  void SetCellType(TCellType Value) { FCellType = Value; }
  TCellVAlign CellVAlign() const { return FCellVAlign; }
  void SetCellVAlign(TCellVAlign Value) { FCellVAlign = Value; }
  TCellHAlign CellHAlign() const { return FCellHAlign; }
  void SetCellHAlign(TCellHAlign Value) { FCellHAlign = Value; }
  int CellIndex() const { return FCellIndex; }
  void SetCellIndex(int Value) { FCellIndex = Value; }
  bool CellTransparent() const { return FCellTransparent; }
  void SetCellTransparent(bool Value) { FCellTransparent = Value; }
  bool CellCreated() const { return FOwnsObject || FOwnsIcon; }
  bool CellBoolean() const { return FCellBoolean; }
  void SetCellBoolean(bool Value) { FCellBoolean = Value; }
  int CellAngle() const { return FCellAngle; }
  void SetCellAngle(int Value) { FCellAngle = Value; }
  double CellValue() const { return FCellValue; }
  void SetCellValue(double Value) { FCellValue = Value; }
  int CellErrFrom() const { return FCellErrFrom; }
  void SetCellErrFrom(int Value) { FCellErrFrom = Value; }
  int CellErrLen() const { return FCellErrLen; }
  void SetCellErrLen(int Value) { FCellErrLen = Value; }
  const std::string& CellText() const { return FCellText; }
  void SetCellText(const std::string& Value) { FCellText = Value; }
  const TCellVar& CellVar() const { return FCellVar; }
  void SetCellVar(TCellVar Value) { FCellVar = Value; }
  TCheckBoxState CellCheckBoxState() const { return FCellCheckBoxState; }
  void SetCellCheckBoxState(TCheckBoxState Value) { FCellCheckBoxState = Value; }

private:
  template <class T> T Slot() const {
    const T* p = std::get_if<T>(&FObjectSlot);
    return p ? *p : nullptr;
  }
  void SetAligns(TCellHAlign hal, TCellVAlign val) {
    FCellHAlign = hal;
    FCellVAlign = val;
  }
  void FreeObjects();

  TCellType FCellType = ctNone;
  TObjectSlot FObjectSlot;
  TBitmap* FIcon = nullptr;
  TColor FColor = clNone;
  TColor FColorTo = clNone;
  TCellVAlign FCellVAlign = vaTop;
  TCellHAlign FCellHAlign = haLeft;
  int FCellIndex = 0;
  bool FCellTransparent = false;
  bool FOwnsObject = false;
  bool FOwnsIcon = false;
  bool FCellBoolean = false;
  int FCellAngle = 0;
  double FCellValue = 0;
  int FCellErrFrom = 0;
  int FCellErrLen = 0;
  std::string FCellText;
  TCellVar FCellVar;
  TCheckBoxState FCellCheckBoxState = cbUnchecked;
};
