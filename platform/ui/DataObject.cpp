#include "platform/ui/DataObject.h"

#include "platform/SysUtils.h"
#include "platform/TextCodec.h"

#include <algorithm>
#include <mutex>

namespace {

struct TFormatNames {
  std::mutex Lock;
  std::vector<std::string> Names; // index i is format 0xC000 + i
};

TFormatNames& FormatNames() {
  static auto* names = new TFormatNames;
  return *names;
}

constexpr unsigned FirstRegistered = 0xC000;

} // namespace

TClipFormat RegisterClipboardFormat(const std::string& name) {
  if (name.empty()) return 0;
  auto& t = FormatNames();
  std::lock_guard lock(t.Lock);
  for (std::size_t i = 0; i < t.Names.size(); ++i)
    if (SameText(t.Names[i], name)) return static_cast<TClipFormat>(FirstRegistered + i);
  if (t.Names.size() >= 0x3FFF) return 0; // the number range is full
  t.Names.push_back(name);
  return static_cast<TClipFormat>(FirstRegistered + t.Names.size() - 1);
}

std::string GetClipboardFormatName(TClipFormat format) {
  if (format < FirstRegistered) return {};
  auto& t = FormatNames();
  std::lock_guard lock(t.Lock);
  const std::size_t i = format - FirstRegistered;
  return i < t.Names.size() ? t.Names[i] : std::string();
}

void ReleaseStgMedium(TStgMedium& medium) {
  medium = TStgMedium();
}

// ---------------------------------------------------------------------------------------------

HRESULT TFormatEtcList::Next(unsigned count, std::vector<TFormatEtc>& out, unsigned* fetched) {
  unsigned n = 0;
  while (n < count && FIndex < FFormats.size()) {
    out.push_back(FFormats[FIndex++]);
    ++n;
  }
  if (fetched) *fetched = n;
  return n == count ? S_OK : S_FALSE;
}

HRESULT TFormatEtcList::Skip(unsigned count) {
  const std::size_t left = FFormats.size() - FIndex;
  if (count > left) {
    FIndex = FFormats.size();
    return S_FALSE;
  }
  FIndex += count;
  return S_OK;
}

HRESULT TFormatEtcList::Reset() {
  FIndex = 0;
  return S_OK;
}

HRESULT TFormatEtcList::Clone(std::shared_ptr<IEnumFormatEtc>& out) {
  out = std::make_shared<TFormatEtcList>(FFormats, FIndex);
  return S_OK;
}

// ---------------------------------------------------------------------------------------------

HRESULT TDataObject::QueryGetData(const TFormatEtc& format) {
  bool sameFormat = false;
  for (const TEntry& e : FEntries) {
    if (e.Format.cfFormat != format.cfFormat) continue;
    sameFormat = true;
    if (format.dwAspect != e.Format.dwAspect) continue;
    if ((format.tymed & e.Format.tymed) == 0) continue;
    return S_OK;
  }
  return sameFormat ? DV_E_TYMED : DV_E_FORMATETC;
}

HRESULT TDataObject::GetData(const TFormatEtc& format, TStgMedium& medium) {
  medium = TStgMedium();
  for (const TEntry& e : FEntries) {
    if (e.Format.cfFormat != format.cfFormat || format.dwAspect != e.Format.dwAspect ||
        (format.tymed & e.Format.tymed) == 0)
      continue;
    medium = e.Medium;
    // A stream is handed out as a copy of its own, read from the start.
    if (e.Medium.tymed == TYMED_ISTREAM && e.Medium.Stream) {
      auto copy = std::make_shared<TMemoryStream>();
      const std::int64_t keep = e.Medium.Stream->Position();
      e.Medium.Stream->SetPosition(0);
      copy->LoadFromStream(*e.Medium.Stream);
      e.Medium.Stream->SetPosition(keep);
      medium.Stream = copy;
    }
    return S_OK;
  }
  return QueryGetData(format);
}

HRESULT TDataObject::SetData(const TFormatEtc& format, TStgMedium& medium, bool release) {
  if (medium.tymed != TYMED_HGLOBAL && medium.tymed != TYMED_ISTREAM && medium.tymed != TYMED_FILE)
    return DV_E_TYMED;
  TEntry entry{format, release ? std::move(medium) : medium};
  entry.Format.tymed = entry.Medium.tymed;
  if (release) medium = TStgMedium();
  auto it = std::find_if(FEntries.begin(), FEntries.end(),
                         [&](const TEntry& e) { return e.Format.cfFormat == format.cfFormat; });
  if (it != FEntries.end())
    *it = std::move(entry);
  else
    FEntries.push_back(std::move(entry));
  return S_OK;
}

HRESULT TDataObject::EnumFormatEtc(unsigned direction, std::shared_ptr<IEnumFormatEtc>& out) {
  out.reset();
  if (direction != DATADIR_GET) return E_NOTIMPL;
  std::vector<TFormatEtc> formats;
  for (const TEntry& e : FEntries)
    formats.push_back(e.Format);
  out = std::make_shared<TFormatEtcList>(std::move(formats));
  return S_OK;
}

void TDataObject::SetGlobal(TClipFormat format, std::string bytes) {
  TStgMedium m;
  m.tymed = TYMED_HGLOBAL;
  m.Global = std::move(bytes);
  SetData(FormatEtc(format), m, true);
}

void TDataObject::SetText(const std::string& text) {
  SetGlobal(CF_UNICODETEXT, UnicodeTextBlock(text));
  SetGlobal(CF_TEXT, AnsiTextBlock(text));
}

// ---------------------------------------------------------------------------------------------

std::vector<TFormatEtc> OfferedFormats(IDataObject& data) {
  std::vector<TFormatEtc> formats;
  std::shared_ptr<IEnumFormatEtc> e;
  if (data.EnumFormatEtc(DATADIR_GET, e) != S_OK || !e) return formats;
  e->Reset();
  // One at a time, as a cautious reader does; a broken enumerator cannot loop forever.
  for (int guard = 0; guard < 4096; ++guard) {
    unsigned got = 0;
    if (e->Next(1, formats, &got) != S_OK || got == 0) break;
  }
  return formats;
}

bool HasFormat(IDataObject& data, TClipFormat format) {
  return data.QueryGetData(FormatEtc(format, TYMED_HGLOBAL | TYMED_ISTREAM)) == S_OK;
}

bool GetDataBytes(IDataObject& data, TClipFormat format, std::string& bytes) {
  TStgMedium m;
  if (data.GetData(FormatEtc(format, TYMED_HGLOBAL | TYMED_ISTREAM), m) != S_OK) return false;
  if (m.tymed == TYMED_HGLOBAL) {
    bytes = std::move(m.Global);
    return true;
  }
  if (m.tymed == TYMED_ISTREAM && m.Stream) {
    bytes = m.Stream->ReadRest();
    return true;
  }
  return false;
}

std::string GetDataText(IDataObject& data) {
  std::string bytes;
  if (GetDataBytes(data, CF_UNICODETEXT, bytes)) return UnicodeTextFromBlock(bytes);
  if (GetDataBytes(data, CF_TEXT, bytes)) return AnsiTextFromBlock(bytes);
  return {};
}

// ---------------------------------------------------------------------------------------------

std::string UnicodeTextBlock(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size() * 2 + 2);
  auto unit = [&](char32_t u) {
    out.push_back(static_cast<char>(u & 0xFF));
    out.push_back(static_cast<char>((u >> 8) & 0xFF));
  };
  for (char32_t c : Utf8ToUtf32(utf8)) {
    if (c >= 0x10000) {
      c -= 0x10000;
      unit(0xD800 + (c >> 10));
      unit(0xDC00 + (c & 0x3FF));
    } else {
      unit(c);
    }
  }
  unit(0);
  return out;
}

std::string UnicodeTextFromBlock(std::string_view block) {
  std::string out;
  const std::size_t n = block.size() / 2;
  auto at = [&](std::size_t i) {
    return static_cast<char32_t>(static_cast<unsigned char>(block[2 * i]) |
                                 (static_cast<unsigned char>(block[2 * i + 1]) << 8));
  };
  for (std::size_t i = 0; i < n; ++i) {
    char32_t u = at(i);
    if (u == 0) break;
    if (u >= 0xD800 && u < 0xDC00 && i + 1 < n && at(i + 1) >= 0xDC00 && at(i + 1) < 0xE000) {
      u = 0x10000 + ((u - 0xD800) << 10) + (at(i + 1) - 0xDC00);
      ++i;
    }
    AppendUtf8(out, u); // a lone surrogate becomes U+FFFD
  }
  return out;
}

std::string AnsiTextBlock(std::string_view utf8) {
  std::string out = Utf8ToWindows1252(utf8);
  out.push_back('\0');
  return out;
}

std::string AnsiTextFromBlock(std::string_view block) {
  return Windows1252ToUtf8(block.substr(0, std::min(block.find('\0'), block.size())));
}
