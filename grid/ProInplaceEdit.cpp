#include "grid/ProInplaceEdit.h"

#include "controls/ProUtilText.h"
#include "grid/ProGrid.h"
#include "platform/Locale.h"
#include "platform/ui/Application.h"
#include "platform/ui/Beep.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/DataObject.h"
#include "platform/ui/KeyState.h"

#include <algorithm>

namespace {
// Byte offset of the character index in UTF-8 text.
int ByteOffset(const std::string& Text, int Chars) {
  int i = 0;
  std::size_t b = 0;
  while (b < Text.size() && i < Chars) {
    ++b;
    while (b < Text.size() && (static_cast<unsigned char>(Text[b]) & 0xC0) == 0x80)
      ++b;
    ++i;
  }
  return static_cast<int>(b);
}
int CharCount(const std::string& Text, int Bytes) {
  int n = 0;
  for (int b = 0; b < Bytes && b < static_cast<int>(Text.size()); ++b)
    if ((static_cast<unsigned char>(Text[static_cast<std::size_t>(b)]) & 0xC0) != 0x80) ++n;
  return n;
}
bool Held(int vk) {
  return GetKeyState(vk) < 0;
}
} // namespace

TProInplaceEdit::TProInplaceEdit(TComponent* AOwner) : TInplaceEdit(AOwner) {}

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
  s.SelStart = ByteOffset(s.Text, SelStart());
  s.SelLength = ByteOffset(s.Text, SelStart() + SelLength()) - s.SelStart;
  return s;
}

void TProInplaceEdit::UpdateContents() {
  TProStringGrid* g = ProGrid();
  const bool was = g && g->NoEditChange();
  if (g) g->SetNoEditChange(true);
  TInplaceEdit::UpdateContents();
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
  case WM_SETFOCUS:
    TInplaceEdit::WndProc(M);
    FGotFocus = true;
    if (TProStringGrid* g = ProGrid()) {
      g->SetNoEditChange(false);
      FLengthLimit = g->EditLimit();
      SetMaxLength(FLengthLimit > 0 ? FLengthLimit : 0);
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

void TProInplaceEdit::CharMessage(TMessage& M) {
  const auto ch = static_cast<WideChar>(M.WParam);
  const std::string text = Text();
  const int length = CharCount(text, static_cast<int>(text.size()));
  if (FLengthLimit > 0 && length >= FLengthLimit && SelLength() == 0 && ch != 8 && ch != 27 && ch != 13)
    return;
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
}

void TProInplaceEdit::AutoAdvance() {
  TProStringGrid* g = ProGrid();
  if (!g || !g->Navigation().AdvanceAuto() || !g->Navigation().AdvanceOnEnter()) return;
  const int limit = g->MaxEditLength();
  const std::string text = Text();
  const int length = CharCount(text, static_cast<int>(text.size()));
  if (limit <= 0 || length != limit || SelLength() != 0 || SelStart() != length) return;
  WideChar enter = u'\r';
  g->KeyPress(enter);
}

void TProInplaceEdit::Restore(const std::string& OldCellText) {
  TProStringGrid* g = ProGrid();
  SetText(g->FNewCellText);
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
    SetText(g->FCellCache);
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
    if (g->ValidateCell(Text())) {
      SetText(g->FNewCellText);
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
  // The edit holds one line: Up and Down always leave it.
  if (key == VK_UP || key == VK_DOWN || (key == VK_RETURN && !ctrl && !g->Navigation().LineFeedOnEnter())) {
    if (key != VK_RETURN) {
      const bool was = g->FValidating;
      g->FValidating = true;
      g->SetCurrentCell(Text());
      g->FValidating = was;
    }
    if (!g->ValidateCell(Text())) {
      Restore(saved);
      return swallow();
    }
    SetText(g->FNewCellText);
    return false;
  }
  if (!ctrl && !shift && key == VK_HOME) {
    SetSelStart(0);
    SetSelLength(0);
    return swallow();
  }
  if (!ctrl && !shift && key == VK_END) {
    SetSelStart(CharCount(Text(), static_cast<int>(Text().size())));
    SetSelLength(0);
    return swallow();
  }
  return false;
}

void TProInplaceEdit::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  FSelKeyDown = SelStart();
  TProStringGrid* g = ProGrid();
  if (g && Key == VK_RETURN && !g->Navigation().AllowCtrlEnter() && (g->WordWrap() || g->MultilineCells()))
    g->FEditing = false;
  if (g) g->EditorKeyDown(Key, Shift);
  if (Key == 0) return;
  TInplaceEdit::KeyDown(Key, Shift);
}

void TProInplaceEdit::KeyPress(WideChar& Key) {
  TProStringGrid* g = ProGrid();
  if (g && Key == u'\r' && !g->Navigation().LineFeedOnEnter() && !g->ValidateCell(Text())) {
    SetText(g->CurrentCell());
    Key = 0;
  }
  TInplaceEdit::KeyPress(Key);
}

void TProInplaceEdit::KeyUp(std::uint16_t& Key, TShiftState Shift) {
  TProStringGrid* g = ProGrid();
  const bool plain = !(Shift & (ssShift | ssCtrl | ssAlt));
  if (g && plain && g->Navigation().CursorWalkEditor() && SelLength() == 0 &&
      ((Key == VK_LEFT && FSelKeyDown == 0 && SelStart() == 0) ||
       (Key == VK_RIGHT && FOldSelStart == CharCount(Text(), static_cast<int>(Text().size()))))) {
    const bool forward = Key == VK_RIGHT;
    Key = 0;
    const int span = forward ? std::max(0, g->CellSpan(g->RealCol(), g->Row()).X) : 0;
    const int next = forward ? g->Col() + span + 1 : g->Col() - 1;
    const bool inside =
        forward ? g->Col() < g->ColCount() - g->FixedRightCols() - 1 : g->Col() > g->FixedCols();
    if (inside && g->HasControlGraphic(g->RealColIndex(next), g->Row())) {
      if (g->ValidateCell(Text())) {
        g->HideInplaceEdit();
        g->SetCol(next);
      }
      return;
    }
    if (!forward && g->ValidateCell(Text())) g->HideInplaceEdit();
    TNavigation& nav = g->Navigation();
    const TAdvanceDirection dir = nav.AdvanceDirection();
    nav.SetAdvanceDirection(adLeftRight);
    g->AdvanceEdit(g->Col(), g->Row(), false, false, forward, false, true);
    nav.SetAdvanceDirection(dir);
    g->HideInplaceEdit();
    if (nav.CursorWalkAlwaysEdit()) g->ShowInplaceEdit();
    return;
  }
  TInplaceEdit::KeyUp(Key, Shift);
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
      const int start = CharCount(r->Text, r->SelStart);
      SetSelStart(start);
      SetSelLength(CharCount(r->Text, r->SelStart + r->SelLength) - start);
    }
  }
  if (g->OnClipboardAfterPasteCell) g->OnClipboardAfterPasteCell(this, g->Col(), g->Row(), Text());
}

void TProInplaceEdit::KillFocusMessage(TMessage& M) {
  TProStringGrid* g = ProGrid();
  if (g) g->SetStartEditChar(0);
  TInplaceEdit::WndProc(M);
  // Undo with Alt+Backspace may move the focus while the keys are held: no commit then. Only
  // while Alt really is held (the live state), so a key-up that went to another window cannot
  // leave every later focus loss without its commit.
  if (FAltBack && Held(VK_MENU)) return;
  FAltBack = false;
  if (!g) return;
  auto* to = reinterpret_cast<TWinControl*>(M.WParam);
  if (to != g && Visible()) {
    g->HideInplaceEdit();
    g->SetEditMode(false);
  }
  if (FGotFocus) {
    FGotFocus = false;
    g->PostEditDone(FColE >= 0 ? g->RealColIndex(FColE) : g->RealCol(), FRowE >= 0 ? FRowE : g->Row());
  }
}
