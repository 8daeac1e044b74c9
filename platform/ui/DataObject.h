// Data handed between windows and programs (the clipboard, drag and drop): formats named by
// number, a format request (TFormatEtc), the medium that carries the data (TStgMedium) and the
// data object that offers formats and renders them on request. Result codes and numbers are those
// of the system the program was written for, so code that checks them reads the same.
//
//   auto data = std::make_shared<TDataObject>();
//   data->SetText("a\tb");                                          // CF_UNICODETEXT and CF_TEXT
//   data->SetGlobal(RegisterClipboardFormat("TProStringGrid Cells"), bytes);
//   OleSetClipboard(data);
#pragma once

#include "platform/Streams.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

using HRESULT = std::int32_t;

constexpr HRESULT S_OK = 0, S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u), E_FAIL = static_cast<HRESULT>(0x80004005u),
                  E_UNEXPECTED = static_cast<HRESULT>(0x8000FFFFu),
                  E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu),
                  E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
constexpr HRESULT DV_E_FORMATETC = static_cast<HRESULT>(0x80040064u),
                  DV_E_LINDEX = static_cast<HRESULT>(0x80040068u),
                  DV_E_TYMED = static_cast<HRESULT>(0x80040069u),
                  DV_E_DVASPECT = static_cast<HRESULT>(0x8004006Bu),
                  OLE_E_ADVISENOTSUPPORTED = static_cast<HRESULT>(0x80040003u), OLE_S_USEREG = 0x00040000,
                  DATA_S_SAMEFORMATETC = 0x00040130, CLIPBRD_E_CANT_OPEN = static_cast<HRESULT>(0x800401D0u);
constexpr bool Succeeded(HRESULT hr) {
  return hr >= 0;
}

// Format numbers: the predefined ones, and registered names from 0xC000 up.
using TClipFormat = std::uint16_t;
constexpr TClipFormat CF_TEXT = 1, CF_BITMAP = 2, CF_METAFILEPICT = 3, CF_SYLK = 4, CF_DIF = 5, CF_TIFF = 6,
                      CF_OEMTEXT = 7, CF_DIB = 8, CF_PALETTE = 9, CF_PENDATA = 10, CF_RIFF = 11, CF_WAVE = 12,
                      CF_UNICODETEXT = 13, CF_ENHMETAFILE = 14, CF_HDROP = 15, CF_LOCALE = 16, CF_DIBV5 = 17;

// The number of a format known by name, the same for the whole program (letter case ignored, as
// the system does); 0 for an empty name.
TClipFormat RegisterClipboardFormat(const std::string& name);
// The name a registered format was registered with; "" for predefined or unknown numbers.
std::string GetClipboardFormatName(TClipFormat format);

// Media (bits, a request may name several) and aspects.
constexpr unsigned TYMED_NULL = 0, TYMED_HGLOBAL = 1, TYMED_FILE = 2, TYMED_ISTREAM = 4, TYMED_ISTORAGE = 8,
                   TYMED_GDI = 16, TYMED_MFPICT = 32, TYMED_ENHMF = 64;
constexpr unsigned DVASPECT_CONTENT = 1, DVASPECT_THUMBNAIL = 2, DVASPECT_ICON = 4, DVASPECT_DOCPRINT = 8;
constexpr unsigned DATADIR_GET = 1, DATADIR_SET = 2;

struct TFormatEtc {
  TClipFormat cfFormat = 0;
  const void* ptd = nullptr; // target device; always null here
  unsigned dwAspect = DVASPECT_CONTENT;
  int lindex = -1;
  unsigned tymed = TYMED_HGLOBAL;
  bool operator==(const TFormatEtc&) const = default;
};
inline TFormatEtc FormatEtc(TClipFormat format, unsigned tymed = TYMED_HGLOBAL) {
  return {format, nullptr, DVASPECT_CONTENT, -1, tymed};
}

// The data of one format: a memory block (TYMED_HGLOBAL), a stream (TYMED_ISTREAM, positioned
// where reading starts) or a file name (TYMED_FILE).
struct TStgMedium {
  unsigned tymed = TYMED_NULL;
  std::string Global;
  std::shared_ptr<TStream> Stream;
  std::string FileName;
};
void ReleaseStgMedium(TStgMedium& medium);

// Steps through the formats of a data object.
class IEnumFormatEtc {
public:
  virtual ~IEnumFormatEtc() = default;
  // Up to `count` formats from the current position into `out` (appended); `fetched` (when given)
  // says how many. S_OK when `count` were given, else S_FALSE.
  virtual HRESULT Next(unsigned count, std::vector<TFormatEtc>& out, unsigned* fetched) = 0;
  virtual HRESULT Skip(unsigned count) = 0;
  virtual HRESULT Reset() = 0;
  virtual HRESULT Clone(std::shared_ptr<IEnumFormatEtc>& out) = 0;
};

// A fixed list of formats.
class TFormatEtcList : public IEnumFormatEtc {
public:
  explicit TFormatEtcList(std::vector<TFormatEtc> formats, std::size_t index = 0)
      : FFormats(std::move(formats)), FIndex(index) {}
  HRESULT Next(unsigned count, std::vector<TFormatEtc>& out, unsigned* fetched) override;
  HRESULT Skip(unsigned count) override;
  HRESULT Reset() override;
  HRESULT Clone(std::shared_ptr<IEnumFormatEtc>& out) override;

private:
  std::vector<TFormatEtc> FFormats;
  std::size_t FIndex;
};

// What offers data. The holders (clipboard, drag) keep it alive through the shared pointer; a
// data object is destroyed when the last holder lets go (the clipboard does when its content is
// replaced).
class IDataObject {
public:
  virtual ~IDataObject() = default;
  // Renders one format into `medium` (cleared first); DV_E_FORMATETC when it is not offered.
  virtual HRESULT GetData(const TFormatEtc& format, TStgMedium& medium) = 0;
  // S_OK when GetData would render the format.
  virtual HRESULT QueryGetData(const TFormatEtc& format) = 0;
  // Stores data into the object; `release` hands the medium over (else it is copied).
  virtual HRESULT SetData(const TFormatEtc& format, TStgMedium& medium, bool release) = 0;
  // DATADIR_GET: the formats offered, in the order of preference.
  virtual HRESULT EnumFormatEtc(unsigned direction, std::shared_ptr<IEnumFormatEtc>& out) = 0;
};
using IDataObjectPtr = std::shared_ptr<IDataObject>;

// A data object that holds its formats: each stored whole, offered in the order set.
class TDataObject : public IDataObject {
public:
  HRESULT GetData(const TFormatEtc& format, TStgMedium& medium) override;
  HRESULT QueryGetData(const TFormatEtc& format) override;
  HRESULT SetData(const TFormatEtc& format, TStgMedium& medium, bool release) override;
  HRESULT EnumFormatEtc(unsigned direction, std::shared_ptr<IEnumFormatEtc>& out) override;

  // Sets (replacing) one format as a memory block.
  void SetGlobal(TClipFormat format, std::string bytes);
  // The text as CF_UNICODETEXT and CF_TEXT (UTF-8 in, blocks as the system holds them).
  void SetText(const std::string& text);
  void Clear() { FEntries.clear(); }
  bool Empty() const { return FEntries.empty(); }

private:
  struct TEntry {
    TFormatEtc Format;
    TStgMedium Medium;
  };
  std::vector<TEntry> FEntries;
};

// ---- reading any data object
// The formats a data object offers for reading (empty when it lists none).
std::vector<TFormatEtc> OfferedFormats(IDataObject& data);
bool HasFormat(IDataObject& data, TClipFormat format);
// The bytes of a format, from a memory block or read from a stream; false when it is not offered.
bool GetDataBytes(IDataObject& data, TClipFormat format, std::string& bytes);
// The text of CF_UNICODETEXT (else CF_TEXT) as UTF-8; "" when there is none.
std::string GetDataText(IDataObject& data);

// ---- memory blocks of text as the system holds them
// UTF-16 (little endian) with a terminating zero.
std::string UnicodeTextBlock(std::string_view utf8);
// The UTF-16 text up to its terminating zero (or the block's end) as UTF-8.
std::string UnicodeTextFromBlock(std::string_view block);
// Windows-1252 with a terminating zero, and back.
std::string AnsiTextBlock(std::string_view utf8);
std::string AnsiTextFromBlock(std::string_view block);
