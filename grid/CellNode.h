// The look and behaviour of node rows: glyph kind and colours, indent per level and tree lines.
#pragma once

#include "platform/Colors.h"
#include "platform/Persistent.h"
#include "platform/ui/Classes.h"
#include "platform/ui/Graphics.h"

enum TNodeType { cnFlat, cn3D, cnGlyph, cnLeaf, cnXP };

class TCellNode : public TPersistent {
public:
  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }
  TNodeType NodeType() const { return FNodeType; }
  void SetNodeType(TNodeType Value) { Set(FNodeType, Value); }
  TColor NodeColor() const { return FNodeColor; }
  void SetNodeColor(TColor Value) { FNodeColor = Value; }
  // Glyphs are copied in.
  const TBitmap& ExpandGlyph() const { return FExpandGlyph; }
  void SetExpandGlyph(const TBitmap& Value) { FExpandGlyph = Value; }
  const TBitmap& ContractGlyph() const { return FContractGlyph; }
  void SetContractGlyph(const TBitmap& Value) { FContractGlyph = Value; }
  bool ExpandOne() const { return FExpandOne; }
  void SetExpandOne(bool Value) { FExpandOne = Value; }
  bool ShowTree() const { return FShowTree; }
  void SetShowTree(bool Value) { Set(FShowTree, Value); }
  bool ShowTreeFull() const { return FShowTreeFull; }
  void SetShowTreeFull(bool Value) { Set(FShowTreeFull, Value); }
  int NodeIndent() const { return FNodeIndent; }
  void SetNodeIndent(int Value) { Set(FNodeIndent, Value); }
  TColor TreeColor() const { return FTreeColor; }
  void SetTreeColor(TColor Value) { Set(FTreeColor, Value); }

  void Assign(const TPersistent* Source) override {
    auto* o = dynamic_cast<const TCellNode*>(Source);
    if (!o) return;
    FColor = o->FColor;
    FNodeType = o->FNodeType;
    FNodeColor = o->FNodeColor;
    FExpandGlyph = o->FExpandGlyph;
    FExpandOne = o->FExpandOne;
    FContractGlyph = o->FContractGlyph;
    FShowTree = o->FShowTree;
    FShowTreeFull = o->FShowTreeFull;
    FNodeIndent = o->FNodeIndent;
    FTreeColor = o->FTreeColor;
    if (OnChange) OnChange(this);
  }
  // Told when a setting that changes the picture changes; the grid repaints.
  TNotifyEvent OnChange;

private:
  template <class T> void Set(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    if (OnChange) OnChange(this);
  }
  TColor FColor = 0xC0C0C0;
  TNodeType FNodeType = cnXP;
  TColor FNodeColor = 0;
  TBitmap FExpandGlyph;
  bool FExpandOne = false;
  TBitmap FContractGlyph;
  bool FShowTree = true;
  bool FShowTreeFull = true;
  int FNodeIndent = 12;
  TColor FTreeColor = 0x808080;
};
