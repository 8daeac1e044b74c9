// The string tree's standard in-place editor: a link that drives an edit box placed over the
// node's text, one line or several as the node is.
#pragma once

#include "platform/ui/StdCtrls.h"
#include "tree/StringTree.h"

#include <memory>

class TStringEditLink;

// The edit box. It keeps its link alive while it holds it; the link's end or cancel cuts it off.
class TVTEdit : public TEdit {
public:
  explicit TVTEdit(std::shared_ptr<TStringEditLink> Link);
  ~TVTEdit() override;
  // Sizes the box to its text and "yG" plus the margins (single-line nodes without grid extensions).
  virtual void FitToText();
  // Frees the box later, from the message queue (a box may release itself from its own handler).
  virtual void Release();
  unsigned DialogCode() const override { return TEdit::DialogCode() | DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS; }
  void WndProc(TMessage& Message) override;
  TStringEditLink* Link() const { return FLink; }
  // The box and the link part (the end or cancel of the edit, or the box going first).
  void CutLink();

protected:
  void WMKeyDown(TMessage& Message) override;
  void WMChar(TMessage& Message) override;
  void CMExit(TMessage& Message) override;
  void Change() override;

private:
  friend class TStringEditLink;
  std::shared_ptr<IVTEditLink> FRefLink;
  TStringEditLink* FLink = nullptr;
};

class TStringEditLink : public IVTEditLink, public std::enable_shared_from_this<TStringEditLink> {
public:
  TStringEditLink();
  ~TStringEditLink() override;
  bool BeginEdit() override;
  bool CancelEdit() override;
  bool EndEdit() override;
  bool PrepareEdit(TBaseNodeTree* Tree, PVNode Node, TColumnIndex Column) override;
  TRect GetBounds() override;
  void ProcessMessage(TMessage& Message) override;
  void SetBounds(TRect R) override;

  TVTEdit* Edit() const { return FEdit; }
  // Replaces the edit box; the previous one is freed.
  void SetEdit(TVTEdit* Value);
  TCustomNodeStringTree* Tree() const { return FTree; }
  PVNode Node() const { return FNode; }
  TColumnIndex Column() const { return FColumn; }
  TAlignment Alignment() const { return FAlignment; }
  bool Stopping() const { return FStopping; }

private:
  friend class TVTEdit;
  TVTEdit* FEdit = nullptr;
  TCustomNodeStringTree* FTree = nullptr;
  PVNode FNode = nullptr;
  TColumnIndex FColumn = NoColumn;
  TAlignment FAlignment = taLeftJustify;
  TRect FTextBounds;
  bool FStopping = false;
};
