#include "platform/ui/HeadlessServices.h"

#include "platform/ui/Application.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace Headless {

TClipboardScope::TClipboardScope() : FPrevious(SetClipboardBackend(NewMemoryClipboard())) {}

TClipboardScope::~TClipboardScope() {
  SetClipboardBackend(std::move(FPrevious));
}

std::string SystemClipboardText() {
  Application->Initialize();
  return QGuiApplication::clipboard()->text().toStdString();
}

void SetSystemClipboardText(const std::string& text) {
  Application->Initialize();
  QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

std::string SystemClipboardData(const std::string& mimeType) {
  Application->Initialize();
  const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
  if (!mime) return {};
  const QByteArray bytes = mime->data(QString::fromStdString(mimeType));
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

} // namespace Headless
