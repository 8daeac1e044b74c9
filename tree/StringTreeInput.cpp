// The string tree's part in hints, incremental search and in-place editing, and its standard
// editor: the edit link and the edit box.
#include "platform/ui/Application.h"
#include "tree/StringEditLink.h"

#include <algorithm>

// ---------------------------------------------------------------- the tree's side

std::string TCustomNodeStringTree::GetNodeHintText(PVNode Node, TColumnIndex Column,
                                                   TVTTooltipLineBreakStyle& LineBreakStyle) {
  std::string text = TBaseNodeTree::GetNodeHintText(Node, Column, LineBreakStyle);
  if (OnGetHint) OnGetHint(this, Node, Column, LineBreakStyle, text);
  return text;
}

std::string TCustomNodeStringTree::GetNodeTooltipText(PVNode Node, TColumnIndex Column,
                                                      TVTTooltipLineBreakStyle& LineBreakStyle) {
  std::string text = TBaseNodeTree::GetNodeTooltipText(Node, Column, LineBreakStyle);
  if (OnGetHint)
    OnGetHint(this, Node, Column, LineBreakStyle, text);
  else
    text = Text(Node, Column);
  return text;
}

int TCustomNodeStringTree::DoIncrementalSearch(PVNode Node, const std::string& SearchText) {
  if (OnIncrementalSearch) return TBaseNodeTree::DoIncrementalSearch(Node, SearchText);
  const std::string text = Text(Node, FocusedColumn());
  return text.compare(0, SearchText.size(), SearchText) == 0 && text.size() >= SearchText.size() ? 0 : 1;
}

void TCustomNodeStringTree::DoCreateEditor(PVNode Node, TColumnIndex Column, std::shared_ptr<IVTEditLink>& Link) {
  TBaseNodeTree::DoCreateEditor(Node, Column, Link);
  if (!Link) Link = std::make_shared<TStringEditLink>();
}

void TCustomNodeStringTree::GetTextInfo(PVNode Node, TColumnIndex Column, TFont& AFont, TRect& R,
                                        std::string& Text_) {
  TBaseNodeTree::GetTextInfo(Node, Column, AFont, R, Text_);
  TCanvas& canvas = Canvas();
  canvas.Font().Assign(AFont);
  FFontChanged = false;
  DoPaintText(Node, canvas, Column, ttNormal);
  int textHeight = TextHeight();
  if (!canvas.Font().SameAs(AFont)) {
    AFont.Assign(canvas.Font());
    textHeight = canvas.TextHeight("Tj");
  }
  if (textHeight <= 0) textHeight = canvas.TextHeight("Tj");
  Text_ = Text(Node, Column);
  R = GetDisplayRect(Node, Column, true, !MultiLine(Node), false);
  if (Has(toShowHorzGridLines)) --R.Bottom;
  const int shrink = (R.Height() - textHeight) / 2;
  R.Top += shrink;
  R.Bottom -= shrink;
}

// ---------------------------------------------------------------- the edit box

TVTEdit::TVTEdit(std::shared_ptr<TStringEditLink> Link) : TEdit(nullptr), FRefLink(Link), FLink(Link.get()) {
  SetShowHint(false);
  SetParentShowHint(false);
  SetAutoSelect(false);
}

TVTEdit::~TVTEdit() {
  if (FLink && FLink->FEdit == this) FLink->FEdit = nullptr;
}

void TVTEdit::CutLink() {
  FLink = nullptr;
  // Releasing the last reference may end the link, which would release this box once more.
  std::shared_ptr<IVTEditLink> keep = std::move(FRefLink);
  FRefLink.reset();
}

void TVTEdit::Release() {
  PostMessage(this, CM_RELEASE);
}

void TVTEdit::WndProc(TMessage& Message) {
  if (Message.Msg == CM_RELEASE) {
    Free();
    return;
  }
  TEdit::WndProc(Message);
}

void TVTEdit::WMKeyDown(TMessage& Message) {
  const auto key = static_cast<std::uint16_t>(Message.WParam);
  const TShiftState shift = ShiftOfKeyData(Message.LParam);
  TStringEditLink* link = FLink;
  TCustomNodeStringTree* tree = link ? link->FTree : nullptr;
  const bool multiLine = link && tree && link->FNode && tree->MultiLine(link->FNode);
  switch (key) {
  case VK_TAB:
    if (tree && tree->IsEditing()) {
      PVNode node = link->FNode;
      tree->InvalidateNodeRect(node);
      PVNode next = tree->GetNextVisible(node, true);
      tree->EndEditNode();
      if (next) {
        tree->SetFocusedNode(next);
        if (tree->FocusedNode() == next && tree->CanEdit(next, tree->FocusedColumn())) tree->StartEditing();
      }
    }
    return;
  case VK_RETURN:
    if (tree && (!multiLine || (shift & ssCtrl))) {
      tree->InvalidateNodeRect(link->FNode);
      tree->DoEndEdit();
      tree->SetFocus();
      return;
    }
    break;
  case VK_ESCAPE:
    if (tree) {
      tree->DoCancelEdit();
      tree->SetFocus();
    }
    return;
  case VK_UP:
  case VK_DOWN:
    if (!multiLine) Message.WParam = key == VK_UP ? VK_LEFT : VK_RIGHT;
    break;
  case 'A':
    if (tree && tree->IsEditing() && (shift & (ssShift | ssCtrl | ssAlt)) == ssCtrl) {
      SelectAll();
      return;
    }
    break;
  default:
    break;
  }
  TEdit::WMKeyDown(Message);
}

void TVTEdit::WMChar(TMessage& Message) {
  const auto ch = static_cast<WideChar>(Message.WParam);
  if (ch == VK_TAB || ch == VK_ESCAPE) return;
  TEdit::WMChar(Message);
}

void TVTEdit::CMExit(TMessage& Message) {
  TEdit::CMExit(Message);
  TStringEditLink* link = FLink;
  if (!link || link->FStopping || !link->FTree) return;
  if (link->FTree->Has(toAutoAcceptEditChange))
    link->FTree->DoEndEdit();
  else
    link->FTree->DoCancelEdit();
}

void TVTEdit::Change() {
  TEdit::Change();
  if (FLink && FLink->FTree && FLink->FNode && !FLink->FTree->MultiLine(FLink->FNode)) FitToText();
}

void TVTEdit::FitToText() {
  TStringEditLink* link = FLink;
  if (!link || !link->FTree || !link->FNode) return;
  TCustomNodeStringTree* tree = link->FTree;
  if (tree->MultiLine(link->FNode) || tree->Has(toGridExtensions)) return;
  TCanvas& canvas = tree->Canvas();
  TFont saved;
  saved.Assign(canvas.Font());
  canvas.Font().Assign(Font());
  TSize size = canvas.TextExtent(Text() + "yG");
  canvas.Font().Assign(saved);
  size.cx += 2 * tree->TextMargin();
  size.cy += 2 * tree->TextMargin();
  SetHeight(std::max(size.cy, Height()));
  // A shrinking box uncovers the tree.
  if (size.cx < Width()) tree->Invalidate();
  TRect r = BoundsRect();
  if (link->FAlignment == taRightJustify)
    r.Left = r.Right - size.cx;
  else
    r.Right = r.Left + size.cx;
  link->SetBounds(r);
}

// ---------------------------------------------------------------- the link

TStringEditLink::TStringEditLink() = default;

TStringEditLink::~TStringEditLink() {
  if (TVTEdit* edit = FEdit) {
    FEdit = nullptr;
    edit->FLink = nullptr;
    edit->Release();
  }
}

void TStringEditLink::SetEdit(TVTEdit* Value) {
  if (FEdit == Value) return;
  if (TVTEdit* old = FEdit) {
    FEdit = nullptr;
    old->FLink = nullptr;
    old->Free();
  }
  FEdit = Value;
}

bool TStringEditLink::PrepareEdit(TBaseNodeTree* Tree, PVNode Node, TColumnIndex Column) {
  auto* tree = dynamic_cast<TCustomNodeStringTree*>(Tree);
  if (!tree) return false;
  if (!FEdit) {
    FEdit = new TVTEdit(shared_from_this());
    FEdit->Hide();
  }
  FTree = tree;
  FNode = Node;
  FColumn = Column;
  std::string text;
  TFont font;
  tree->GetTextInfo(Node, Column, font, FTextBounds, text);
  font.SetColor(clWindowText);
  FEdit->SetFont(font);
  FEdit->SetMultiLine(tree->MultiLine(Node));
  FEdit->SetParent(tree);
  FEdit->SetText(text);
  FEdit->SetModified(false);
  FAlignment = tree->Alignment();
  if (tree->BiDiMode() != bdLeftToRight)
    FAlignment = FAlignment == taLeftJustify ? taRightJustify : FAlignment == taRightJustify ? taLeftJustify : FAlignment;
  FEdit->SetAlignment(FAlignment);
  return true;
}

bool TStringEditLink::BeginEdit() {
  if (FStopping || !FEdit) return false;
  FEdit->Show();
  FEdit->SelectAll();
  FEdit->SetFocus();
  FEdit->FitToText();
  return true;
}

bool TStringEditLink::EndEdit() {
  if (FStopping) return false;
  FStopping = true;
  // The box cut off below may hold the last reference to this link.
  std::shared_ptr<TStringEditLink> self = shared_from_this();
  try {
    if (FEdit && FEdit->Modified() && FTree) FTree->SetText(FNode, FColumn, FEdit->Text());
  } catch (...) {
    FStopping = false;
    throw;
  }
  if (TVTEdit* edit = FEdit) {
    edit->Hide();
    edit->CutLink();
  }
  return true;
}

bool TStringEditLink::CancelEdit() {
  if (FStopping) return false;
  FStopping = true;
  std::shared_ptr<TStringEditLink> self = shared_from_this();
  if (FEdit) FEdit->Hide();
  if (FTree) FTree->CancelEditNode();
  if (FEdit) FEdit->CutLink();
  return true;
}

TRect TStringEditLink::GetBounds() {
  return FEdit ? FEdit->BoundsRect() : Rect(0, 0, 0, 0);
}

void TStringEditLink::ProcessMessage(TMessage& Message) {
  if (FEdit) FEdit->WndProc(Message);
}

void TStringEditLink::SetBounds(TRect R) {
  if (FStopping || !FEdit || !FTree) return;
  if (R.Left < 0) R.Left = 0;
  if (R.Width() < 30) {
    if (FAlignment == taRightJustify)
      R.Left = R.Right - 30;
    else
      R.Right = R.Left + 30;
  }
  R.Right = std::min(R.Right, FTree->ClientWidth());
  FEdit->SetBoundsRect(R);
}
