// The edit box's own messages: typing through an edit mask, the clipboard messages and their keys,
// its standard context menu, and the character and line positions.
#include "platform/ui/EditBoxWidget.h"
#include "platform/ui/Menus.h"
#include "platform/ui/QtBridge.h"
#include "platform/ui/StdCtrls.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScrollBar>

#include <algorithm>
#include <functional>
#include <utility>

namespace {

// The clipboard message a key stands for; 0 for none.
unsigned ClipboardMessageOfKey(std::uint16_t key, TShiftState shift) {
  TShiftState mods = shift & (ssShift | ssCtrl | ssAlt);
  if (mods == ssCtrl) {
    if (key == 'X') return WM_CUT;
    if (key == 'C' || key == VK_INSERT) return WM_COPY;
    if (key == 'V') return WM_PASTE;
  }
  if (mods == ssShift) {
    if (key == VK_DELETE) return WM_CUT;
    if (key == VK_INSERT) return WM_PASTE;
  }
  return 0;
}

// The multi-line box's window: its viewport margins stand for the formatting rectangle.
class QtTextBox : public QPlainTextEdit {
public:
  using QPlainTextEdit::setViewportMargins;
};

Qt::ScrollBarPolicy ScrollBarPolicy(bool shown) {
  return shown ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
}

} // namespace

void TEdit::SetEditMask(const std::string& mask) {
  if (mask == FEditMask) return;
  std::string value = GetText();
  FEditMask = mask;
  FMask = TEditMask(mask);
  SetTextNative(value);
}

std::string TEdit::EditText() const {
  return EditBoxOf(this).text().toStdString();
}

int TEdit::FirstBlankPosition() const {
  QString text = EditBoxOf(this).text();
  return IsMasked() ? FMask.FirstBlank(text.toStdU16String()) : static_cast<int>(text.size());
}

void TEdit::ReplaceMasked(const std::u16string& text, int caret) {
  QtEditBox e = EditBoxOf(this);
  QString next = QString::fromStdU16String(text);
  if (next != e.text()) {
    e.setText(next);
    e.setModified(true);
  }
  e.setCursorPosition(std::clamp(caret, 0, static_cast<int>(next.size())));
}

void TEdit::ShowBalloonTip(const std::string& title, const std::string& text, TBalloonIcon icon) {
  if (!FBalloon) {
    FBalloon = new TBalloonHint(this);
    FBalloon->SetName("EditBalloonTip");
  }
  FBalloon->SetTitle(title);
  FBalloon->SetText(text);
  FBalloon->SetIcon(icon);
  TPoint caret = PosFromChar(SelStart());
  FBalloon->ShowAt(*this, {caret.X, ClientHeight() - 2});
}

void TEdit::HideBalloonTip() {
  if (FBalloon) FBalloon->Hide();
}

bool TEdit::EditMessage(TMessage& M) {
  // Notifications pass a box whose widget is still to come; its own messages need the widget.
  if (!HasWidget() && M.Msg >= CM_BASE && M.Msg < CM_BASE + 0x100) return false;
  QtEditBox e = EditBoxOf(this);
  if (M.Msg == WM_KEYDOWN || M.Msg == WM_KILLFOCUS) HideBalloonTip();
  switch (M.Msg) {
  case WM_KEYDOWN: {
    auto key = static_cast<std::uint16_t>(M.WParam);
    if (key == VK_RETURN && e.multiLine() && !FWantReturns) return true;
    if (unsigned msg = ClipboardMessageOfKey(key, ShiftOfKeyData(M.LParam))) {
      // With the keys as characters, Ctrl+C, Ctrl+V and Ctrl+X wait for their character.
      const bool byChar = FClipboardKeysAsChars && (ShiftOfKeyData(M.LParam) & ssCtrl) &&
                          (key == 'C' || key == 'V' || key == 'X');
      if (!byChar) Perform(msg);
      return true;
    }
    if (!IsMasked() || e.isReadOnly() || (key != VK_BACK && key != VK_DELETE)) return false;
    if (ShiftOfKeyData(M.LParam) & (ssCtrl | ssAlt)) return true; // no word-wise deleting in a mask
    std::u16string text = e.text().toStdU16String();
    int start = SelStart(), length = SelLength();
    if (key == VK_BACK)
      FMask.Backspace(text, start, length);
    else
      FMask.Delete(text, start, length);
    ReplaceMasked(text, start);
    return true;
  }
  case WM_CHAR: {
    auto ch = static_cast<WideChar>(M.WParam);
    if (FClipboardKeysAsChars && (ch == 3 || ch == 22 || ch == 24)) {
      Perform(ch == 3 ? WM_COPY : ch == 22 ? WM_PASTE : WM_CUT);
      return true;
    }
    if (!IsMasked() || ch < 32 || ch == 127) return false;
    if (e.isReadOnly()) return true;
    std::u16string text = e.text().toStdU16String();
    int start = SelStart();
    if (FMask.Type(text, start, SelLength(), ch))
      ReplaceMasked(text, start);
    else
      QApplication::beep();
    return true;
  }
  case WM_COPY:
    // A password box keeps its text off the clipboard.
    if (e.hasSelectedText() && FPasswordChar == 0) QApplication::clipboard()->setText(e.selectedText());
    return true;
  case WM_CUT:
    if (e.isReadOnly()) return true;
    Perform(WM_COPY);
    Perform(WM_CLEAR);
    return true;
  case WM_CLEAR: {
    if (e.isReadOnly() || !e.hasSelectedText()) return true;
    if (!IsMasked()) {
      e.del();
      return true;
    }
    std::u16string text = e.text().toStdU16String();
    int start = SelStart();
    FMask.Delete(text, start, SelLength());
    ReplaceMasked(text, start);
    return true;
  }
  case WM_PASTE: {
    if (e.isReadOnly()) return true;
    QString pasted = QApplication::clipboard()->text();
    if (!IsMasked()) {
      // One line: a line break ends what is pasted, as in any one-line box.
      qsizetype br = e.multiLine() ? -1 : pasted.indexOf(QRegularExpression("[\r\n]"));
      if (br >= 0) pasted.truncate(br);
      InsertAsTyped(pasted.toStdU16String());
      return true;
    }
    std::u16string text = e.text().toStdU16String();
    int start = SelStart(), length = SelLength();
    for (char16_t ch : pasted.toStdU16String()) {
      if (!FMask.Type(text, start, length, ch)) break;
      length = 0;
    }
    ReplaceMasked(text, start);
    return true;
  }
  case EM_CHARFROMPOS:
    M.Result = CharFromPos({LParamX(M.LParam), LParamY(M.LParam)});
    return true;
  case EM_LINEFROMCHAR:
    M.Result = LineFromChar(static_cast<int>(static_cast<LPARAM>(M.WParam)));
    return true;
  case EM_POSFROMCHAR: {
    TPoint p = PosFromChar(static_cast<int>(M.WParam));
    M.Result = MakeLParam(p.X, p.Y);
    return true;
  }
  default:
    return false;
  }
}

void TEdit::InsertAsTyped(const std::u16string& text) {
  QtEditBox e = EditBoxOf(this);
  const bool keyed = std::exchange(FKeyed, true);
  QString kept = QString::fromStdU16String(ThroughKeyHandler(text));
  if (FMaxLength > 0) {
    qsizetype room = FMaxLength - (e.text().size() - e.selectedText().size());
    kept.truncate(std::max<qsizetype>(0, room));
  }
  e.insert(kept);
  FKeyed = keyed;
}

TRect TEdit::FormattingRect() const {
  return FHasFormattingRect ? FFormattingRect : ClientRect();
}

void TEdit::SetFormattingRect(const TRect& r) {
  FHasFormattingRect = true;
  FFormattingRect = r;
  QtEditBox box = EditBoxOf(this);
  // Qt lays the text out inside the frame; the margins are what the rectangle leaves free of it.
  QPlainTextEdit* lines = box.textEdit();
  const int frame = lines ? lines->frameWidth() : FBorderStyle == bsNone ? 0 : 2;
  const int left = std::max(0, r.Left - frame), top = std::max(0, r.Top - frame),
            right = std::max(0, ClientWidth() - frame - r.Right),
            bottom = std::max(0, ClientHeight() - frame - r.Bottom);
  if (QLineEdit* line = box.lineEdit()) {
    line->setTextMargins(left, top, right, bottom);
  } else if (auto* text = static_cast<QtTextBox*>(lines)) {
    // The rectangle is all the room the text gets: no document margin inside it.
    text->setViewportMargins(left, top, right, bottom);
    text->document()->setDocumentMargin(0);
  }
}

void TEdit::SetBorderStyle(TBorderStyle style) {
  FBorderStyle = style == bsNone ? bsNone : bsSingle;
  if (!HasWidget()) {
    if (FHasFormattingRect) SetFormattingRect(FFormattingRect);
    return;
  }
  QtEditBox box = EditBoxOf(this);
  if (QLineEdit* line = box.lineEdit()) line->setFrame(FBorderStyle != bsNone);
  if (QPlainTextEdit* text = box.textEdit())
    text->setFrameShape(FBorderStyle == bsNone ? QFrame::NoFrame : QFrame::StyledPanel);
  if (FHasFormattingRect) SetFormattingRect(FFormattingRect);
}

int TEdit::CharFromPos(TPoint p) const {
  QtEditBox e = EditBoxOf(this);
  if (!ClientRect().Contains(p)) return -1;
  return e.cursorPositionAt(QPoint(p.X, p.Y));
}

int TEdit::LineFromChar(int index) const {
  QtEditBox e = EditBoxOf(this);
  if (index < 0) index = e.hasSelectedText() ? e.selectionStart() : e.cursorPosition();
  return e.lineAt(index);
}

TPoint TEdit::PosFromChar(int index) const {
  QtEditBox e = EditBoxOf(this);
  index = std::clamp(index, 0, static_cast<int>(e.displayText().size()));
  // Where the caret would stand before that character.
  QRect r = e.cursorRectAt(index);
  return {r.center().x(), r.top()};
}

// The multi-line box's widget: it wraps at its width when asked to.
void TEdit::SetMultiLine(bool multiLine) {
  if (multiLine == FMultiLine) return;
  QtEditBox old = EditBoxOf(this);
  QString text = old.text();
  int caret = old.cursorPosition();
  bool readOnly = old.isReadOnly(), modified = old.isModified();
  FMultiLine = multiLine;
  if (multiLine) {
    SetEditMask("");
    auto* t = new QtTextBox;
    t->setTabChangesFocus(true);
    if (FBorderStyle == bsNone) t->setFrameShape(QFrame::NoFrame);
    t->setVerticalScrollBarPolicy(ScrollBarPolicy(FMultiLineScrollBars));
    t->setHorizontalScrollBarPolicy(ScrollBarPolicy(FMultiLineScrollBars));
    t->setLineWrapMode(FWordWrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    t->setPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    QObject::connect(t, &QPlainTextEdit::textChanged, [this] { Change(); });
    ReplaceWidget(t);
  } else {
    auto* l = new QLineEdit;
    l->setMaxLength(32767);
    // One line: the first line of the text.
    qsizetype br = text.indexOf(QRegularExpression("[\r\n]"));
    l->setText(br >= 0 ? text.left(br) : text);
    QObject::connect(l, &QLineEdit::textChanged, [this] { Change(); });
    ReplaceWidget(l);
    SetMaxLength(FMaxLength);
    SetPasswordChar(FPasswordChar);
    SetAlignment(FAlignment);
  }
  QtEditBox now = EditBoxOf(this);
  now.setReadOnly(readOnly);
  now.setModified(modified);
  now.setCursorPosition(std::min(caret, static_cast<int>(now.text().size())));
  // The new window lays its text out in the same rectangle.
  if (FHasFormattingRect) SetFormattingRect(FFormattingRect);
}

void TEdit::SetMultiLineScrollBars(bool show) {
  FMultiLineScrollBars = show;
  if (QPlainTextEdit* t = EditBoxOf(this).textEdit()) {
    t->setVerticalScrollBarPolicy(ScrollBarPolicy(show));
    t->setHorizontalScrollBarPolicy(ScrollBarPolicy(show));
  }
}

bool TEdit::ScrollBarShown() const {
  QPlainTextEdit* t = EditBoxOf(this).textEdit();
  return t && (t->verticalScrollBar()->isVisibleTo(t) || t->horizontalScrollBar()->isVisibleTo(t));
}

void TEdit::SetWordWrap(bool wrap) {
  FWordWrap = wrap;
  if (QPlainTextEdit* t = EditBoxOf(this).textEdit())
    t->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

TPopupMenu* TEdit::StandardMenu() {
  if (FStandardMenu) return FStandardMenu;
  FStandardMenu = new TPopupMenu(this);
  FStandardMenu->SetName("EditStandardMenu");
  auto add = [this](const char* name, const char* caption, std::function<void()> act) {
    auto* item = new TMenuItem(FStandardMenu);
    item->SetName(name);
    item->SetCaption(caption);
    if (act) item->OnClick = [act](TObject*) { act(); };
    FStandardMenu->Items()->Add(item);
  };
  add("EditUndo", "&Undo", [this] { EditBoxOf(this).undo(); });
  add("EditSep1", "-", nullptr);
  add("EditCut", "Cu&t", [this] { Perform(WM_CUT); });
  add("EditCopy", "&Copy", [this] { Perform(WM_COPY); });
  add("EditPaste", "&Paste", [this] { Perform(WM_PASTE); });
  add("EditDelete", "&Delete", [this] { Perform(WM_CLEAR); });
  add("EditSep2", "-", nullptr);
  add("EditSelectAll", "Select &All", [this] { SelectAll(); });
  return FStandardMenu;
}

void TEdit::WMContextMenu(TMessage& M) {
  TWinControl::WMContextMenu(M);
  if (M.Result != 0) return;
  QtEditBox e = EditBoxOf(this);
  TPopupMenu* menu = StandardMenu();
  bool selected = e.hasSelectedText(), writable = !e.isReadOnly();
  bool secret = FPasswordChar != 0;
  menu->Items()->Items(0)->SetEnabled(writable && e.isUndoAvailable());
  menu->Items()->Items(2)->SetEnabled(writable && selected && !secret);
  menu->Items()->Items(3)->SetEnabled(selected && !secret);
  menu->Items()->Items(4)->SetEnabled(writable && !QApplication::clipboard()->text().isEmpty());
  menu->Items()->Items(5)->SetEnabled(writable && selected);
  menu->Items()->Items(7)->SetEnabled(!e.text().isEmpty());
  TPoint at{LParamX(M.LParam), LParamY(M.LParam)};
  if (at.X == -1 && at.Y == -1) at = ClientToScreen({0, 0});
  menu->SetPopupComponent(this);
  menu->Popup(at.X, at.Y);
  M.Result = 1;
}
