#include "platform/ui/DataObjectQt.h"

#include "platform/TextCodec.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPointer>
#include <QUrl>

namespace {

const QString NamedMimePrefix = QStringLiteral("application/x-qt-windows-mime;value=\"");

QString NamedMime(const std::string& name) {
  return NamedMimePrefix + QString::fromStdString(name) + QLatin1Char('"');
}

// The registered name inside a MIME type of our own naming; "" for other types.
std::string NameOfMime(const QString& type) {
  if (!type.startsWith(NamedMimePrefix) || !type.endsWith(QLatin1Char('"'))) return {};
  return type.mid(NamedMimePrefix.size(), type.size() - NamedMimePrefix.size() - 1).toStdString();
}

TClipFormat HtmlFormat() {
  return RegisterClipboardFormat("HTML Format");
}
TClipFormat RtfFormat() {
  return RegisterClipboardFormat("Rich Text Format");
}
TClipFormat CsvFormat() {
  return RegisterClipboardFormat("CSV");
}
TClipFormat UrlFormat() {
  return RegisterClipboardFormat("UniformResourceLocator");
}

// Rich text kept as UTF-16 (as some writers place it) or as bytes, without the terminating zero.
QByteArray RtfBytes(const std::string& block) {
  if (block.size() >= 2 && block[0] == '{' && block[1] == '\0')
    return QByteArray::fromStdString(Utf8ToWindows1252(UnicodeTextFromBlock(block)));
  return QByteArray::fromStdString(block.substr(0, std::min(block.find('\0'), block.size())));
}

QByteArray ToBytes(const std::string& s) {
  return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

QMimeData* MimeFromDataObject(IDataObject& data) {
  auto* mime = new QMimeData;
  QList<QUrl> urls;
  for (const TFormatEtc& f : OfferedFormats(data)) {
    std::string bytes;
    if (!GetDataBytes(data, f.cfFormat, bytes)) continue;
    const std::string name = GetClipboardFormatName(f.cfFormat);
    if (!name.empty()) mime->setData(NamedMime(name), ToBytes(bytes));
    if (f.cfFormat == CF_UNICODETEXT)
      mime->setText(QString::fromStdString(UnicodeTextFromBlock(bytes)));
    else if (f.cfFormat == CF_TEXT && !mime->hasText())
      mime->setText(QString::fromStdString(AnsiTextFromBlock(bytes)));
    else if (f.cfFormat == HtmlFormat())
      mime->setHtml(QString::fromStdString(HtmlFromClipboardBlock(bytes)));
    else if (f.cfFormat == RtfFormat())
      mime->setData(QStringLiteral("text/rtf"), RtfBytes(bytes));
    else if (f.cfFormat == CsvFormat())
      mime->setData(QStringLiteral("text/csv"), ToBytes(bytes.substr(0, std::min(bytes.find('\0'), bytes.size()))));
    else if (f.cfFormat == UrlFormat())
      urls << QUrl(QString::fromStdString(AnsiTextFromBlock(bytes)));
    else if (f.cfFormat == CF_HDROP)
      for (const std::string& file : FilesFromDropBlock(bytes))
        urls << QUrl::fromLocalFile(QString::fromStdString(file));
  }
  if (!urls.isEmpty()) {
    // setUrls would replace the text; keep a text already set.
    const bool hadText = mime->hasText();
    const QString text = mime->text();
    mime->setUrls(urls);
    if (hadText) mime->setText(text);
  }
  return mime;
}

std::shared_ptr<TDataObject> DataObjectFromMime(const QMimeData& mime) {
  auto data = std::make_shared<TDataObject>();
  const QStringList types = mime.formats();
  auto hasNamed = [&](const std::string& name) { return types.contains(NamedMime(name)); };
  if (mime.hasText()) data->SetText(mime.text().toStdString());
  if (mime.hasHtml() && !hasNamed("HTML Format"))
    data->SetGlobal(HtmlFormat(), ClipboardHtmlBlock(mime.html().toStdString()));
  if (mime.hasFormat(QStringLiteral("text/csv")) && !hasNamed("CSV"))
    data->SetGlobal(CsvFormat(), mime.data(QStringLiteral("text/csv")).toStdString() + '\0');
  for (const char* rtf : {"text/rtf", "application/rtf"})
    if (types.contains(QLatin1String(rtf)) && !hasNamed("Rich Text Format")) {
      data->SetGlobal(RtfFormat(), mime.data(QLatin1String(rtf)).toStdString() + '\0');
      break;
    }
  if (mime.hasUrls()) {
    std::vector<std::string> files;
    std::string firstUrl;
    for (const QUrl& u : mime.urls()) {
      if (u.isLocalFile())
        files.push_back(u.toLocalFile().toStdString());
      else if (firstUrl.empty())
        firstUrl = u.toString().toStdString();
    }
    if (!files.empty()) data->SetGlobal(CF_HDROP, DropFilesBlock(files));
    if (!firstUrl.empty() && !hasNamed("UniformResourceLocator")) {
      data->SetGlobal(UrlFormat(), AnsiTextBlock(firstUrl));
      if (!mime.hasText()) data->SetGlobal(CF_UNICODETEXT, UnicodeTextBlock(firstUrl));
    }
  }
  for (const QString& type : types) {
    const std::string name = NameOfMime(type);
    if (name.empty()) continue;
    const QByteArray bytes = mime.data(type);
    data->SetGlobal(RegisterClipboardFormat(name),
                    std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  }
  return data;
}

// ---------------------------------------------------------------------------------------------

namespace {

class TQtClipboard : public IClipboardBackend {
public:
  bool SetContent(IDataObjectPtr data) override {
    QClipboard* c = Board();
    if (!c) return false;
    FData.reset();
    FMime = nullptr;
    if (!data) {
      c->clear();
      return true;
    }
    QMimeData* mime = MimeFromDataObject(*data);
    FData = std::move(data);
    FMime = mime;
    c->setMimeData(mime); // the clipboard owns it now
    return true;
  }

  IDataObjectPtr Content() override {
    QClipboard* c = Board();
    if (!c) return nullptr;
    Forget();
    if (FData) return FData;
    const QMimeData* mime = c->mimeData();
    return mime ? std::static_pointer_cast<IDataObject>(DataObjectFromMime(*mime))
                : std::make_shared<TDataObject>();
  }

  void Flush() override {
    // The formats were rendered when placed; only the object is let go.
    Forget();
    FData.reset();
  }

  IDataObjectPtr Placed() override {
    Forget();
    return FData;
  }

private:
  static QClipboard* Board() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard()
                                                                        : nullptr;
  }
  // Another program (or a plain Qt call) replaced the content: the placed object is let go.
  void Forget() {
    QClipboard* c = Board();
    if (FData && (!c || !FMime || c->mimeData() != FMime.data())) {
      FData.reset();
      FMime = nullptr;
    }
  }

  IDataObjectPtr FData;
  QPointer<QMimeData> FMime;
};

} // namespace

std::unique_ptr<IClipboardBackend> NewQtClipboard() {
  return std::make_unique<TQtClipboard>();
}
