#include "platform/ui/EditBoxWidget.h"

#include "platform/ui/StdCtrls.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

namespace {

QString WithCrLf(const QString& plain) {
  QString out = plain;
  out.replace(QChar(u'\n'), QStringLiteral("\r\n"));
  return out;
}

QString Plain(const QString& text) {
  QString out = text;
  out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  out.replace(QChar(u'\r'), QChar(u'\n'));
  return out;
}

} // namespace

QtEditBox::QtEditBox(QWidget* widget)
    : FWidget(widget), FLine(qobject_cast<QLineEdit*>(widget)), FText(qobject_cast<QPlainTextEdit*>(widget)) {
}

int QtEditBox::ToDocument(int pos) const {
  // Each line break before the position is one character fewer in the document.
  QString text = this->text();
  pos = std::clamp(pos, 0, static_cast<int>(text.size()));
  int doc = 0;
  for (int i = 0; i < pos; ++i) {
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') continue;
    ++doc;
  }
  return doc;
}

int QtEditBox::FromDocument(int pos) const {
  QTextBlock block = FText->document()->findBlock(pos);
  return pos + std::max(0, block.blockNumber());
}

QString QtEditBox::text() const {
  return FLine ? FLine->text() : WithCrLf(FText->toPlainText());
}

void QtEditBox::setText(const QString& text) {
  if (FLine)
    FLine->setText(text);
  else
    FText->setPlainText(Plain(text));
}

QString QtEditBox::displayText() const {
  return FLine ? FLine->displayText() : text();
}

int QtEditBox::cursorPosition() const {
  return FLine ? FLine->cursorPosition() : FromDocument(FText->textCursor().position());
}

void QtEditBox::setCursorPosition(int pos) {
  if (FLine) {
    FLine->setCursorPosition(pos);
    return;
  }
  QTextCursor c = FText->textCursor();
  c.setPosition(ToDocument(pos));
  FText->setTextCursor(c);
}

bool QtEditBox::hasSelectedText() const {
  return FLine ? FLine->hasSelectedText() : FText->textCursor().hasSelection();
}

int QtEditBox::selectionStart() const {
  if (FLine) return FLine->selectionStart();
  QTextCursor c = FText->textCursor();
  return c.hasSelection() ? FromDocument(c.selectionStart()) : -1;
}

QString QtEditBox::selectedText() const {
  if (FLine) return FLine->selectedText();
  QString s = FText->textCursor().selectedText();
  s.replace(QChar(0x2029), QChar(u'\n'));
  return WithCrLf(s);
}

void QtEditBox::setSelection(int start, int length) {
  if (FLine) {
    FLine->setSelection(start, length);
    return;
  }
  QTextCursor c = FText->textCursor();
  c.setPosition(ToDocument(start));
  c.setPosition(ToDocument(start + length), QTextCursor::KeepAnchor);
  FText->setTextCursor(c);
}

void QtEditBox::insert(const QString& text) {
  if (FLine)
    FLine->insert(text);
  else
    FText->insertPlainText(Plain(text));
}

void QtEditBox::del() {
  if (FLine) {
    FLine->del();
    return;
  }
  QTextCursor c = FText->textCursor();
  c.deleteChar();
  FText->setTextCursor(c);
}

void QtEditBox::selectAll() {
  if (FLine)
    FLine->selectAll();
  else
    FText->selectAll();
}

bool QtEditBox::isReadOnly() const {
  return FLine ? FLine->isReadOnly() : FText->isReadOnly();
}

void QtEditBox::setReadOnly(bool readOnly) {
  if (FLine)
    FLine->setReadOnly(readOnly);
  else
    FText->setReadOnly(readOnly);
}

void QtEditBox::setEchoMode(QLineEdit::EchoMode mode) {
  if (FLine) FLine->setEchoMode(mode);
}

void QtEditBox::setAlignment(Qt::Alignment alignment) {
  if (FLine) FLine->setAlignment(alignment);
}

bool QtEditBox::isModified() const {
  return FLine ? FLine->isModified() : FText->document()->isModified();
}

void QtEditBox::setModified(bool modified) {
  if (FLine)
    FLine->setModified(modified);
  else
    FText->document()->setModified(modified);
}

void QtEditBox::undo() {
  if (FLine)
    FLine->undo();
  else
    FText->undo();
}

bool QtEditBox::isUndoAvailable() const {
  return FLine ? FLine->isUndoAvailable() : FText->document()->isUndoAvailable();
}

int QtEditBox::cursorPositionAt(QPoint p) const {
  if (FLine) return FLine->cursorPositionAt(p);
  QPoint inView = FText->viewport()->mapFrom(FText, p);
  return FromDocument(FText->cursorForPosition(inView).position());
}

QRect QtEditBox::cursorRectAt(int pos) const {
  if (FLine) {
    int caret = FLine->cursorPosition();
    bool blocked = FLine->blockSignals(true);
    FLine->setCursorPosition(pos);
    QRect r = FLine->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    FLine->setCursorPosition(caret);
    FLine->blockSignals(blocked);
    return r;
  }
  QTextCursor c = FText->textCursor();
  c.setPosition(ToDocument(pos));
  QRect r = FText->cursorRect(c);
  return r.translated(FText->viewport()->mapTo(FText, QPoint(0, 0)));
}

int QtEditBox::lineAt(int pos) const {
  if (FLine) return 0;
  int doc = ToDocument(pos);
  QTextBlock block = FText->document()->findBlock(doc);
  int line = 0;
  for (QTextBlock b = FText->document()->begin(); b.isValid() && b != block; b = b.next())
    line += std::max(1, b.layout() ? b.layout()->lineCount() : 1);
  if (QTextLayout* layout = block.layout(); layout && layout->lineCount() > 0) {
    QTextLine l = layout->lineForTextPosition(doc - block.position());
    if (l.isValid()) line += l.lineNumber();
  }
  return line;
}

QtEditBox EditBoxOf(const TEdit* edit) {
  return QtEditBox(edit->Widget());
}
