#include "grid/ProInplaceEdit.h"

#include "controls/ProUtilText.h"
#include "grid/EditTextForm.h"
#include "grid/LookupCompletion.h"
#include "grid/ProGrid.h"
#include "platform/Locale.h"
#include "platform/ui/Application.h"
#include "platform/ui/Beep.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/DataObject.h"
#include "platform/ui/KeyState.h"

#include <algorithm>
#include <utility>

namespace {
bool Held(int vk) {
  return GetKeyState(vk) < 0;
}
} // namespace

TProInplaceEdit::TProInplaceEdit(TComponent* AOwner) : TInplaceEdit(AOwner) {
  // A cell's lines scroll with the caret; the cell has no room for scroll bars.
  SetMultiLineScrollBars(false);
}

void TProInplaceEdit::BoundsChanged() {
  TInplaceEdit::BoundsChanged();
  // The current cell's rectangle (a merged cell's whole area), one pixel short of its right and
  // bottom edges, as the other editors stand.
  if (TProStringGrid* g = ProGrid()) {
    const TRect r = g->CellRect(g->Col(), g->Row());
    if (!r.IsEmpty()) SetBounds(r.Left, r.Top, r.Width() - 1, r.Height() - 1);
  }
  SetFormattingRect(Rect(3, 3, Width() - 2, Height()));
}

std::string TProInplaceEdit::StoredText() const {
  TProStringGrid* g = ProGrid();
  return g ? StoredCurrentCellText(*g, Text()) : Text();
}

void TProInplaceEdit::ShowStored(const std::string& Stored) {
  SetText(ShownEditText(Stored));
}

void TProInplaceEdit::SetVAlign(bool Value) {
  FValign = Value;
  SetAlignment(Value ? taRightJustify : taLeftJustify);
}

TProStringGrid* TProInplaceEdit::ProGrid() const {
  return dynamic_cast<TProStringGrid*>(Grid());
}

TEditCharRules TProInplaceEdit::Rules() const {
  TEditCharRules r;
  if (TProStringGrid* g = ProGrid()) {
    r.Kind = g->EditControl();
    r.ValidChars = g->ValidChars();
    r.ValidCharSet = g->ValidCharSet();
  }
  r.DecimalSeparator = FormatSettings().DecimalSeparator;
  r.ThousandSeparator = FormatSettings().ThousandSeparator;
  return r;
}

TEditState TProInplaceEdit::State() const {
  TEditState s;
  s.Text = Text();
  s.SelStart = TextByteOffset(s.Text, SelStart());
  s.SelLength = TextByteOffset(s.Text, SelStart() + SelLength()) - s.SelStart;
  return s;
}

bool TProInplaceEdit::WantsLineBreaks() const {
  TProStringGrid* g = ProGrid();
  return g && g->EditControl() != edPassword && g->Navigation().LineFeedOnEnter();
}

bool TProInplaceEdit::WantsLines() const {
  TProStringGrid* g = ProGrid();
  return g && g->EditControl() != edPassword &&
         (g->WordWrap() || g->MultilineCells() || g->Navigation().LineFeedOnEnter());
}

bool TProInplaceEdit::CtrlEnterBreaksLine() const {
  TProStringGrid* g = ProGrid();
  return g && MultiLine() && g->Navigation().AllowCtrlEnter() && !g->Navigation().LineFeedOnEnter() &&
         (g->WordWrap() || g->MultilineCells());
}

void TProInplaceEdit::UpdateContents() {
  TProStringGrid* g = ProGrid();
  const bool was = g && g->NoEditChange();
  if (g) g->SetNoEditChange(true);
  // Wrapped and multi-line cells are edited in lines; Enter types a line break only with
  // LineFeedOnEnter, otherwise it ends the edit.
  SetMultiLine(WantsLines());
  SetWantReturns(WantsLineBreaks());
  if (g) SetWordWrap(g->WordWrap());
  TInplaceEdit::UpdateContents();
  // A mask is typed into one line.
  if (MultiLine() && IsMasked()) {
    SetMultiLine(false);
    Reload();
    TInplaceEdit::UpdateContents();
  }
  if (g) {
    g->SetNoEditChange(was);
    FLengthLimit = g->EditLimit();
  }
  FColE = g ? g->Col() : -1;
  FRowE = g ? g->Row() : -1;
}

void TProInplaceEdit::Change() {
  TInplaceEdit::Change();
  TProStringGrid* g = ProGrid();
  if (g && !g->NoEditChange() && g->OnEditChange) g->OnEditChange(g, g->Col(), g->Row(), Text());
}

void TProInplaceEdit::WndProc(TMessage& M) {
  switch (M.Msg) {
  case WM_SYSKEYDOWN:
  case WM_KEYDOWN: {
    const bool alt = M.Msg == WM_SYSKEYDOWN || (static_cast<TShiftState>(M.LParam) & ssAlt) || Held(VK_MENU);
    // Alt+Backspace is undo; any key without Alt ends whatever it was.
    if (M.WParam == VK_BACK && alt)
      FAltBack = true;
    else if (!alt)
      FAltBack = false;
    if (KeyDownMessage(M)) return;
    break;
  }
  case WM_SYSKEYUP:
  case WM_KEYUP:
    if (M.WParam == VK_BACK) FAltBack = false;
    break;
  case WM_CHAR:
    CharMessage(M);
    return;
  case WM_PASTE:
    PasteMessage();
    M.Result = 0;
    return;
  case WM_COPY:
  case WM_CUT:
    ClipboardMessage(M);
    return;
  case WM_LBUTTONDBLCLK:
    TInplaceEdit::WndProc(M);
    if (TProStringGrid* g = ProGrid(); g && g->OnDblClickCell) g->OnDblClickCell(g, g->Row(), g->Col());
    return;
  case WM_SETFOCUS:
    TInplaceEdit::WndProc(M);
    FGotFocus = true;
    if (TProStringGrid* g = ProGrid()) {
      g->SetNoEditChange(false);
      FLengthLimit = g->EditLimit();
      SetMaxLength(FLengthLimit > 0 ? FLengthLimit : 0);
      PlaceCaret(*g);
    }
    return;
  case WM_KILLFOCUS:
    KillFocusMessage(M);
    return;
  default:
    break;
  }
  TInplaceEdit::WndProc(M);
}

void TProInplaceEdit::PlaceCaret(TProStringGrid& G) {
  if (IsMasked() && !G.FLButFlg && G.Navigation().ImproveMaskSel()) {
    SetSelStart(0);
    SetSelLength(1);
    return;
  }
  if (!G.Navigation().EditSelectAll()) {
    SetSelStart(TextCharCount(Text(), static_cast<int>(Text().size())));
    SetSelLength(0);
  }
  if (!G.FLButFlg) return;
  // Opened by a click: the caret goes to the character clicked, when the click was on the edit.
  const TPoint at{G.FClickPos.X - Left(), G.FClickPos.Y - Top()};
  const int i = ClientRect().Contains(at) ? CharFromPos(at) : -1;
  if (i < 0) return;
  SetSelStart(i);
  SetSelLength(0);
  G.FLButFlg = false;
}

void TProInplaceEdit::CharMessage(TMessage& M) {
  const auto ch = static_cast<WideChar>(M.WParam);
  TProStringGrid* g = ProGrid();
  // Ctrl+Enter arrives as a line feed: only a grid of several lines that allows it takes one.
  if (ch == 10 && g && !(g->Navigation().AllowCtrlEnter() && (g->WordWrap() || g->MultilineCells()))) return;
  const std::string text = Text();
  const int length = TextCharCount(text, static_cast<int>(text.size()));
  if (FLengthLimit > 0 && length >= FLengthLimit && SelLength() == 0 && ch != 8 && ch != 27 && ch != 13)
    return;
  if (ch == 13 && g && g->Navigation().LineFeedOnEnter()) {
    // The line break came with the key going down; the kinds that take text end here.
    const TEditorType kind = g->EditControl();
    if (kind == edNormal || kind == edCapital || kind == edMixedCase || kind == edLowerCase ||
        kind == edUpperCase || kind == edValidChars)
      return;
  }
  if (ch >= 128) {
    // Letters beyond ASCII: only the kinds that take every character take them.
    const TEditorType kind = Rules().Kind;
    if (kind == edNormal || kind == edPassword || kind == edCapital || kind == edUpperCase ||
        kind == edLowerCase || kind == edMixedCase)
      TInplaceEdit::WndProc(M);
    else if (kind == edNumeric || kind == edPositiveNumeric || kind == edValidChars)
      MessageBeep(0);
    return;
  }
  const bool ctrl = Held(VK_CONTROL);
  const TEditCharResult f = FilterEditChar(Rules(), State(), static_cast<char>(ch), ctrl);
  if (f.Action == ecaBeep) {
    MessageBeep(0);
    return;
  }
  if (f.Action == ecaDrop) return;
  M.WParam = static_cast<WPARAM>(static_cast<unsigned char>(f.Key));
  TInplaceEdit::WndProc(M);
  if (f.MixedCase) {
    const int caret = SelStart();
    SetText(ToMixedCase(Text()));
    SetSelStart(caret);
    SetSelLength(0);
  }
  if (ch >= 32) AutoAdvance();
  // A mask filled to its end moves on as Enter would.
  if (ch >= 32 && g && g->Navigation().AdvanceAuto() && IsMasked() && Visible() &&
      Text().find(' ') == std::string::npos &&
      SelStart() == TextCharCount(EditText(), static_cast<int>(EditText().size()))) {
    WideChar enter = u'\r';
    g->KeyPress(enter);
  }
}

void TProInplaceEdit::AutoAdvance() {
  TProStringGrid* g = ProGrid();
  if (!g || !g->Navigation().AdvanceAuto() || !g->Navigation().AdvanceOnEnter()) return;
  const int limit = g->MaxEditLength();
  const std::string text = Text();
  const int length = TextCharCount(text, static_cast<int>(text.size()));
  if (limit <= 0 || length != limit || SelLength() != 0 || SelStart() != length) return;
  WideChar enter = u'\r';
  g->KeyPress(enter);
}

void TProInplaceEdit::Restore(const std::string& OldCellText) {
  TProStringGrid* g = ProGrid();
  ShowStored(g->FNewCellText);
  if (g->Navigation().EditSelectAll()) {
    SelectAll();
  } else {
    SetSelStart(static_cast<int>(Text().size()));
    SetSelLength(0);
  }
  g->FOldCellText = OldCellText;
}

bool TProInplaceEdit::KeyDownMessage(TMessage& M) {
  TProStringGrid* g = ProGrid();
  if (!g) return false;
  g->EditorWMKeyDown(M);
  const auto key = static_cast<std::uint16_t>(M.WParam);
  FOldSelStart = SelStart();
  const bool ctrl = Held(VK_CONTROL), shift = Held(VK_SHIFT);
  auto swallow = [&] {
    M.WParam = 0;
    M.Result = 1;
    return true;
  };
  if (key == VK_ESCAPE) {
    // The cell gets back the text it had when the edit began; the key still reaches the grid.
    ShowStored(g->FCellCache);
    g->HideInplaceEdit();
    return false;
  }
  if (key == 'A' && ctrl && !Held(VK_RMENU)) {
    SelectAll();
    return swallow();
  }
  const bool multiLine = g->WordWrap() || g->MultilineCells();
  if (key == VK_RETURN && ctrl && !(g->Navigation().AllowCtrlEnter() && multiLine)) return swallow();
  const std::string saved = g->FOldCellText;
  if (key == VK_TAB && g->EditorWantsTab()) {
    if (g->ValidateCell(StoredText())) {
      ShowStored(g->FNewCellText);
      g->HideInplaceEdit();
      if (g->Options() & goTabs)
        g->TabNavigate(shift);
      else
        PostMessage(g, WM_KEYDOWN, VK_TAB, 0);
    } else {
      Restore(saved);
    }
    return swallow();
  }
  // Up on the first line and Down on the last leave the cell; inside the text they move the caret.
  const bool upOut = key == VK_UP && LineFromChar(SelStart()) == 0;
  const bool downOut =
      key == VK_DOWN &&
      LineFromChar(SelStart()) == LineFromChar(TextCharCount(Text(), static_cast<int>(Text().size())));
  if (upOut || downOut || (key == VK_RETURN && !ctrl && !g->Navigation().LineFeedOnEnter())) {
    if (key != VK_RETURN) {
      const bool was = g->FValidating;
      g->FValidating = true;
      g->SetCurrentCell(StoredText());
      g->FValidating = was;
    }
    if (!g->ValidateCell(StoredText())) {
      Restore(saved);
      return swallow();
    }
    ShowStored(g->FNewCellText);
    return false;
  }
  if (!ctrl && !shift && key == VK_HOME) {
    SetSelStart(0);
    SetSelLength(0);
    return swallow();
  }
  if (!ctrl && !shift && key == VK_END) {
    SetSelStart(TextCharCount(Text(), static_cast<int>(Text().size())));
    SetSelLength(0);
    return swallow();
  }
  if (key == VK_RETURN && ctrl && g->Navigation().LineFeedOnEnter()) {
    // Enter and Ctrl+Enter swap roles: this one ends the edit.
    WideChar enter = u'\r';
    TInplaceEdit::KeyPress(enter);
    return swallow();
  }
  return false;
}

void TProInplaceEdit::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  FSelKeyDown = SelStart();
  if (Key == VK_BACK || Key == VK_DELETE)
    FWorkmode = false;
  else if (Key != VK_RETURN && Key != VK_UP && Key != VK_DOWN)
    FWorkmode = true;
  TProStringGrid* g = ProGrid();
  if (g && Key == VK_RETURN && !g->Navigation().AllowCtrlEnter() && (g->WordWrap() || g->MultilineCells()))
    g->FEditing = false;
  if (g && Key == VK_RETURN && (Shift & (ssCtrl | ssShift)) && g->SizeWhileTyping().Height() &&
      g->MultilineCells())
    SizeRowToTypedLines();
  if (Key == VK_RETURN && (Shift & ssCtrl) && CtrlEnterBreaksLine()) {
    SetSelText("\r\n");
    Key = 0;
    return;
  }
  // Up and Down inside the text move the caret; the grid does not see them.
  if ((Key == VK_UP && LineFromChar(SelStart()) > 0) ||
      (Key == VK_DOWN &&
       LineFromChar(SelStart()) < LineFromChar(TextCharCount(Text(), static_cast<int>(Text().size())))))
    return;
  if (g) g->EditorKeyDown(Key, Shift);
  if (Key == 0) return;
  TInplaceEdit::KeyDown(Key, Shift);
}

void TProInplaceEdit::KeyPress(WideChar& Key) {
  TProStringGrid* g = ProGrid();
  if (g && Key == u'\r' && !g->Navigation().LineFeedOnEnter() && !g->ValidateCell(StoredText())) {
    ShowStored(g->CurrentCell());
    Key = 0;
  }
  TInplaceEdit::KeyPress(Key);
}

void TProInplaceEdit::KeyUp(std::uint16_t& Key, TShiftState Shift) {
  TProStringGrid* g = ProGrid();
  const bool plain = !(Shift & (ssShift | ssCtrl | ssAlt));
  if (g && plain && g->Navigation().CursorWalkEditor() && SelLength() == 0 &&
      ((Key == VK_LEFT && FSelKeyDown == 0 && SelStart() == 0) ||
       (Key == VK_RIGHT && FOldSelStart == TextCharCount(Text(), static_cast<int>(Text().size()))))) {
    const bool forward = Key == VK_RIGHT;
    Key = 0;
    const int span = forward ? std::max(0, g->CellSpan(g->RealCol(), g->Row()).X) : 0;
    const int next = forward ? g->Col() + span + 1 : g->Col() - 1;
    const bool inside =
        forward ? g->Col() < g->ColCount() - g->FixedRightCols() - 1 : g->Col() > g->FixedCols();
    if (inside && g->HasControlGraphic(g->RealColIndex(next), g->Row())) {
      if (g->ValidateCell(StoredText())) {
        g->HideInplaceEdit();
        g->SetCol(next);
      }
      return;
    }
    if (!forward && g->ValidateCell(StoredText())) g->HideInplaceEdit();
    TNavigation& nav = g->Navigation();
    const TAdvanceDirection dir = nav.AdvanceDirection();
    nav.SetAdvanceDirection(adLeftRight);
    g->AdvanceEdit(g->Col(), g->Row(), false, false, forward, false, true);
    nav.SetAdvanceDirection(dir);
    g->HideInplaceEdit();
    if (nav.CursorWalkAlwaysEdit()) g->ShowInplaceEdit();
    return;
  }
  if (Key == VK_LEFT || Key == VK_RIGHT) return;
  TInplaceEdit::KeyUp(Key, Shift);
  if (!Visible()) return;
  DoChange();
  SizeWhileTyping();
}

void TProInplaceEdit::DoChange() {
  TProStringGrid* g = ProGrid();
  if (!g || !FWorkmode || !g->Lookup() || g->LookupItems().Count() == 0) return;
  CompleteEditorText(*this, g->LookupItems(), g->LookupCaseSensitive());
}

template <class F> void TProInplaceEdit::WithTypedText(F Measure) {
  TProStringGrid* g = ProGrid();
  const std::string stored = g->CurrentCell();
  const std::string typed = Text();
  if (typed == stored) {
    Measure();
    return;
  }
  g->SetCurrentCell(typed);
  struct TBack {
    TProStringGrid* G;
    const std::string& S;
    ~TBack() { G->SetCurrentCell(S); }
  } back{g, stored};
  Measure();
}

void TProInplaceEdit::SizeWhileTyping() {
  TProStringGrid* g = ProGrid();
  if (!g) return;
  if (g->SizeWhileTyping().Width()) WithTypedText([g] { g->SizeColToContent(g->Col(), true); });
  if (g->SizeWhileTyping().Height() && g->WordWrap()) {
    const int row = g->Row();
    const bool synch = g->ColumnSize().SynchWithGrid();
    g->ColumnSize().SetSynchWithGrid(false);
    WithTypedText([g, row] { g->AutoSizeRow(row, 0); });
    g->ColumnSize().SetSynchWithGrid(synch);
    if (g->OnEndRowSize) g->OnEndRowSize(g, row);
  }
}

void TProInplaceEdit::SizeRowToTypedLines() {
  TProStringGrid* g = ProGrid();
  const int row = g->Row();
  const bool synch = g->ColumnSize().SynchWithGrid();
  g->ColumnSize().SetSynchWithGrid(false);
  // The line the key is about to add counts already.
  const int lines = CountTextLines(Text() + "\r\n ", true);
  if (lines < g->MaxLinesInRow(row))
    g->AutoSizeRow(row, 0);
  else
    g->SizeRowToLines(row, lines, g->TotalYOffset());
  g->ColumnSize().SetSynchWithGrid(synch);
  if (g->OnEndRowSize) g->OnEndRowSize(g, row);
}

void TProInplaceEdit::PasteMessage() {
  TProStringGrid* g = ProGrid();
  if (!g) return;
  bool allow = Clipboard()->HasFormat(CF_TEXT) || Clipboard()->HasFormat(CF_UNICODETEXT);
  std::string pasted = Clipboard()->AsText();
  if (g->OnClipboardPaste) g->OnClipboardPaste(this, pasted, allow);
  if (allow && g->OnClipboardBeforePasteCell)
    g->OnClipboardBeforePasteCell(this, g->Col(), g->Row(), pasted, allow);
  if (allow) {
    if (const std::optional<TEditState> r = PasteEditText(Rules(), State(), pasted, FLengthLimit)) {
      SetText(r->Text);
      const int start = TextCharCount(r->Text, r->SelStart);
      SetSelStart(start);
      SetSelLength(TextCharCount(r->Text, r->SelStart + r->SelLength) - start);
    }
  }
  if (g->OnClipboardAfterPasteCell) g->OnClipboardAfterPasteCell(this, g->Col(), g->Row(), Text());
}

void TProInplaceEdit::ClipboardMessage(TMessage& M) {
  TProStringGrid* g = ProGrid();
  bool allow = true;
  const bool cut = M.Msg == WM_CUT;
  // The cut copies through WM_COPY itself: one event for it.
  if (g && !(FCutting && !cut)) {
    const TClipboardEvent& event = cut ? g->OnClipboardCut : g->OnClipboardCopy;
    if (event) event(this, SelText(), allow);
  }
  M.Result = 0;
  if (!allow) return;
  const bool was = std::exchange(FCutting, FCutting || cut);
  TInplaceEdit::WndProc(M);
  FCutting = was;
}

void TProInplaceEdit::KillFocusMessage(TMessage& M) {
  TProStringGrid* g = ProGrid();
  if (g) g->SetStartEditChar(0);
  if (g && g->LookupHistory() && Visible() && !Text().empty() && g->LookupItems().IndexOf(Text()) < 0)
    g->LookupItems().Add(Text());
  TInplaceEdit::WndProc(M);
  // Undo with Alt+Backspace may move the focus while the keys are held: no commit then. Only
  // while Alt really is held (the live state), so a key-up that went to another window cannot
  // leave every later focus loss without its commit.
  if (FAltBack && Held(VK_MENU)) return;
  FAltBack = false;
  if (!g) return;
  auto* to = reinterpret_cast<TWinControl*>(M.WParam);
  if (to != g && Visible()) {
    // Leaving for another window validates too; a refused value puts the old text back.
    g->ValidateCell(StoredText());
    ShowStored(g->CurrentCell());
    g->HideInplaceEdit();
    g->FEditing = false;
    g->SetEditMode(false);
  }
  if (FGotFocus) {
    FGotFocus = false;
    g->PostEditDone(FColE >= 0 ? g->RealColIndex(FColE) : g->RealCol(), FRowE >= 0 ? FRowE : g->Row());
  }
}
