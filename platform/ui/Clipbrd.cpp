#include "platform/ui/Clipbrd.h"

#include "platform/ui/Application.h"

#include <QApplication>
#include <QClipboard>

std::string TClipboard::AsText() const {
  Application->Initialize();
  return QApplication::clipboard()->text().toStdString();
}

void TClipboard::SetAsText(const std::string& text) {
  Application->Initialize();
  QApplication::clipboard()->setText(QString::fromStdString(text));
}

TClipboard& Clipboard() {
  static TClipboard clipboard;
  return clipboard;
}
