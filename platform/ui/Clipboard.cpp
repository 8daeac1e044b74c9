#include "platform/ui/Clipboard.h"

#include "platform/ui/DataObjectQt.h"

#include <charconv>
#include <cstdio>

namespace {

class TMemoryClipboard : public IClipboardBackend {
public:
  bool SetContent(IDataObjectPtr data) override {
    FData = std::move(data);
    return true;
  }
  IDataObjectPtr Content() override { return FData ? FData : std::make_shared<TDataObject>(); }
  void Flush() override {
    if (FData) FData = RenderedCopy(*FData);
  }
  IDataObjectPtr Placed() override { return FData; }

private:
  IDataObjectPtr FData;
};

std::unique_ptr<IClipboardBackend>& Installed() {
  static auto* backend = new std::unique_ptr<IClipboardBackend>;
  return *backend;
}

} // namespace

std::shared_ptr<TDataObject> RenderedCopy(IDataObject& data) {
  auto copy = std::make_shared<TDataObject>();
  for (const TFormatEtc& f : OfferedFormats(data)) {
    std::string bytes;
    if (GetDataBytes(data, f.cfFormat, bytes)) copy->SetGlobal(f.cfFormat, std::move(bytes));
  }
  return copy;
}

std::unique_ptr<IClipboardBackend> NewMemoryClipboard() {
  return std::make_unique<TMemoryClipboard>();
}

std::unique_ptr<IClipboardBackend> SetClipboardBackend(std::unique_ptr<IClipboardBackend> backend) {
  std::unique_ptr<IClipboardBackend> previous = std::move(Installed());
  Installed() = std::move(backend);
  return previous;
}

IClipboardBackend& ClipboardBackend() {
  if (!Installed()) Installed() = NewQtClipboard();
  return *Installed();
}

HRESULT OleSetClipboard(IDataObjectPtr data) {
  return ClipboardBackend().SetContent(std::move(data)) ? S_OK : CLIPBRD_E_CANT_OPEN;
}

HRESULT OleGetClipboard(IDataObjectPtr& data) {
  data = ClipboardBackend().Content();
  return data ? S_OK : CLIPBRD_E_CANT_OPEN;
}

HRESULT OleFlushClipboard() {
  ClipboardBackend().Flush();
  return S_OK;
}

HRESULT OleIsCurrentClipboard(const IDataObjectPtr& data) {
  return data && ClipboardBackend().Placed() == data ? S_OK : S_FALSE;
}

// ---------------------------------------------------------------------------------------------

TClipboard* Clipboard() {
  static TClipboard clipboard;
  return &clipboard;
}

void TClipboard::Open() {
  if (FOpenCount++ == 0) {
    FEmptied = false;
    FPending.reset();
  }
}

void TClipboard::Close() {
  if (FOpenCount == 0) return;
  if (--FOpenCount > 0) return;
  if (!FEmptied) return;
  std::shared_ptr<TDataObject> pending = std::move(FPending);
  FEmptied = false;
  if (!ClipboardBackend().SetContent(pending && !pending->Empty() ? pending : nullptr))
    throw EClipboardException("Cannot open clipboard");
}

void TClipboard::Adding() {
  if (!FEmptied) {
    FPending = std::make_shared<TDataObject>();
    FEmptied = true;
  }
}

void TClipboard::Clear() {
  Open();
  FPending = std::make_shared<TDataObject>();
  FEmptied = true;
  Close();
}

IDataObjectPtr TClipboard::Reading() const {
  if (FOpenCount > 0 && FEmptied) return FPending;
  IDataObjectPtr data;
  if (OleGetClipboard(data) != S_OK) throw EClipboardException("Cannot open clipboard");
  return data;
}

bool TClipboard::HasFormat(TClipFormat format) const {
  return ::HasFormat(*Reading(), format);
}

int TClipboard::FormatCount() const {
  return static_cast<int>(OfferedFormats(*Reading()).size());
}

TClipFormat TClipboard::Formats(int index) const {
  const std::vector<TFormatEtc> formats = OfferedFormats(*Reading());
  if (index < 0 || index >= static_cast<int>(formats.size())) return 0;
  return formats[static_cast<std::size_t>(index)].cfFormat;
}

std::string TClipboard::AsText() const {
  return GetDataText(*Reading());
}

void TClipboard::SetAsText(const std::string& text) {
  Open();
  Adding();
  FPending->SetText(text);
  Close();
}

std::string TClipboard::GetBuffer(TClipFormat format) const {
  std::string bytes;
  GetDataBytes(*Reading(), format, bytes);
  return bytes;
}

void TClipboard::SetBuffer(TClipFormat format, std::string_view bytes) {
  Open();
  Adding();
  FPending->SetGlobal(format, std::string(bytes));
  Close();
}

// ---------------------------------------------------------------------------------------------

namespace {

std::string Offset(std::size_t value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%010zu", value);
  return buffer;
}

// The number after "key:" in the envelope's header; -1 when absent or malformed.
long long HeaderNumber(std::string_view block, std::string_view key) {
  const std::size_t headerEnd = std::min(block.find('<'), block.size());
  std::string_view header = block.substr(0, headerEnd);
  for (std::size_t at = 0; (at = header.find(key, at)) != std::string_view::npos; at += key.size()) {
    if (at > 0 && header[at - 1] != '\n' && header[at - 1] != '\r') continue;
    std::size_t p = at + key.size();
    if (p >= header.size() || header[p] != ':') continue;
    ++p;
    long long value = -1;
    const char* first = header.data() + p;
    const char* last = header.data() + header.size();
    while (first < last && *first == ' ')
      ++first;
    auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end == first) return -1;
    return value;
  }
  return -1;
}

} // namespace

std::string ClipboardHtmlBlock(std::string_view html) {
  const std::string start = "<html><body>\r\n<!--StartFragment-->";
  const std::string end = "<!--EndFragment-->\r\n</body></html>";
  // The header has a fixed length: every offset is written with ten digits.
  auto header = [](std::size_t sh, std::size_t eh, std::size_t sf, std::size_t ef) {
    return "Version:0.9\r\nStartHTML:" + Offset(sh) + "\r\nEndHTML:" + Offset(eh) +
           "\r\nStartFragment:" + Offset(sf) + "\r\nEndFragment:" + Offset(ef) + "\r\n";
  };
  const std::size_t h = header(0, 0, 0, 0).size();
  const std::size_t sf = h + start.size(), ef = sf + html.size();
  return header(h, ef + end.size(), sf, ef) + start + std::string(html) + end;
}

std::string HtmlFromClipboardBlock(std::string_view block) {
  const long long start = HeaderNumber(block, "StartHTML");
  long long end = HeaderNumber(block, "EndHTML");
  if (start < 0 || static_cast<unsigned long long>(start) > block.size()) return {};
  if (end < start || static_cast<unsigned long long>(end) > block.size())
    end = static_cast<long long>(block.size());
  std::string_view html =
      block.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
  if (std::size_t zero = html.find('\0'); zero != std::string_view::npos) html = html.substr(0, zero);
  return std::string(html);
}

std::string DropFilesBlock(const std::vector<std::string>& files) {
  // DROPFILES: offset of the names, the drop point, whether on the non-client area, wide names.
  std::string block(20, '\0');
  block[0] = 20;
  block[16] = 1;
  for (const std::string& f : files) {
    std::string wide = UnicodeTextBlock(f);
    block += wide; // with its terminating zero
  }
  block += std::string(2, '\0');
  return block;
}

std::vector<std::string> FilesFromDropBlock(std::string_view block) {
  std::vector<std::string> files;
  if (block.size() < 20) return files;
  auto u32 = [&](std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(block[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(block[at + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(block[at + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(block[at + 3])) << 24;
  };
  const bool wide = u32(16) != 0;
  std::size_t p = u32(0);
  if (wide) p &= ~std::size_t{1};
  while (p < block.size()) {
    if (wide) {
      std::size_t end = p;
      while (end + 1 < block.size() && (block[end] != 0 || block[end + 1] != 0))
        end += 2;
      if (end == p) break;
      files.push_back(UnicodeTextFromBlock(block.substr(p, end - p)));
      p = end + 2;
    } else {
      const std::size_t end = std::min(block.find('\0', p), block.size());
      if (end == p) break;
      files.push_back(AnsiTextFromBlock(block.substr(p, end - p)));
      p = end + 1;
    }
  }
  return files;
}
