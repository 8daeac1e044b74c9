// Platform-private: the widget of a text box, a one-line QLineEdit or a multi-line QPlainTextEdit,
// behind one set of calls named as QLineEdit's. In a multi-line box the text's line breaks are
// CR LF and every position counts them as two characters, as the edit control of Windows does.
#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>

class TEdit;

class QtEditBox {
public:
  explicit QtEditBox(QWidget* widget);
  QWidget* widget() const { return FWidget; }
  bool multiLine() const { return FText != nullptr; }
  QLineEdit* lineEdit() const { return FLine; }
  QPlainTextEdit* textEdit() const { return FText; }

  QString text() const;
  void setText(const QString& text);
  QString displayText() const;
  int cursorPosition() const;
  void setCursorPosition(int pos);
  bool hasSelectedText() const;
  int selectionStart() const;
  QString selectedText() const;
  void setSelection(int start, int length);
  void insert(const QString& text);
  void del();
  void selectAll();
  bool isReadOnly() const;
  void setReadOnly(bool readOnly);
  // One-line boxes only (a multi-line box shows its text plainly, left-aligned).
  void setEchoMode(QLineEdit::EchoMode mode);
  void setAlignment(Qt::Alignment alignment);
  bool isModified() const;
  void setModified(bool modified);
  void undo();
  bool isUndoAvailable() const;
  // The position nearest to a point of the widget, the caret rectangle at a position, and the
  // display line (wrapped lines count) of a position.
  int cursorPositionAt(QPoint p) const;
  QRect cursorRectAt(int pos) const;
  int lineAt(int pos) const;

private:
  // Positions of the text (CR LF: two) to and from the document's (a line break: one).
  int ToDocument(int pos) const;
  int FromDocument(int pos) const;
  QWidget* FWidget;
  QLineEdit* FLine = nullptr;
  QPlainTextEdit* FText = nullptr;
};

// The box of an edit control.
QtEditBox EditBoxOf(const TEdit* edit);
