#include "grid/AsgDD.h"

#include "platform/ui/Clipboard.h"

#include <cstring>
#include <stdexcept>

namespace {

bool GAcceptDropRTF = false;

std::uint32_t ReadU32(const std::string& block, std::size_t at) {
  std::uint32_t v = 0;
  std::memcpy(&v, block.data() + at, 4);
  return v;
}

} // namespace

TClipFormat CF_GRIDRTF() {
  static const TClipFormat f = RegisterClipboardFormat("Rich Text Format");
  return f;
}
TClipFormat CF_GRIDCOL() {
  static const TClipFormat f = (CF_GRIDRTF(), RegisterClipboardFormat("Grid Column"));
  return f;
}
TClipFormat CF_GRIDCELLS() {
  static const TClipFormat f = (CF_GRIDCOL(), RegisterClipboardFormat("TProStringGrid Cells"));
  return f;
}
TClipFormat CF_GRIDURL() {
  static const TClipFormat f = (CF_GRIDCELLS(), RegisterClipboardFormat("UniformResourceLocator"));
  return f;
}

void SetAcceptDropRTF(bool value) {
  GAcceptDropRTF = value;
}
bool AcceptDropRTF() {
  return GAcceptDropRTF;
}

unsigned DropEffectFor(unsigned keyState, unsigned allowed) {
  if (keyState & MK_CONTROL) return DROPEFFECT_COPY;
  return (allowed & DROPEFFECT_MOVE) ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
}

// ---- format reader

TEnumFormats::TEnumFormats(IDataObjectPtr dataObject) {
  CF_GRIDURL(); // registers all four
  SetDataObject(std::move(dataObject));
  if (!FEnumerator) throw std::logic_error("Cannot get the format enumerator");
}

void TEnumFormats::SetDataObject(IDataObjectPtr dataObject) {
  FDataObject = std::move(dataObject);
  FEnumerator.reset();
  if (!FDataObject) return;
  FDataObject->EnumFormatEtc(DATADIR_GET, FEnumerator);
  Reset();
}

bool TEnumFormats::Reset() {
  FValid = false;
  FCount = 0;
  return FEnumerator && FEnumerator->Reset() == S_OK;
}

bool TEnumFormats::Next() {
  ++FCount;
  std::vector<TFormatEtc> one;
  unsigned fetched = 0;
  FValid = FEnumerator && FEnumerator->Next(1, one, &fetched) == S_OK && fetched == 1 && !one.empty();
  if (FValid) FFormatEtc = one.front();
  return FValid;
}

bool TEnumFormats::HasFormat(TClipFormat format) {
  if (!Reset()) return false;
  while (Next())
    if (FFormatEtc.cfFormat == format) return true;
  return false;
}

bool TEnumFormats::Handle(unsigned tymed, std::string& block) {
  if (!FValid || (FFormatEtc.tymed & tymed) != tymed || !FDataObject) return false;
  TFormatEtc request = FFormatEtc;
  request.tymed = tymed;
  TStgMedium medium;
  if (FDataObject->GetData(request, medium) != S_OK || medium.tymed != TYMED_HGLOBAL) return false;
  block = medium.Global;
  ReleaseStgMedium(medium);
  return true;
}

bool TEnumFormats::Block(TClipFormat format, std::string& block) {
  return HasFormat(format) && GlobalHandle(block);
}

std::string TEnumFormats::Text() {
  std::string block;
  return Block(CF_UNICODETEXT, block) ? UnicodeTextFromBlock(block) : std::string();
}

std::string TEnumFormats::RTF() {
  std::string block;
  return Block(CF_GRIDRTF(), block) ? AnsiTextFromBlock(block) : std::string();
}

std::unique_ptr<TMemoryStream> TEnumFormats::Stream() {
  std::string block;
  if (!Block(CF_GRIDCELLS(), block) || block.size() < 8) return nullptr;
  const std::uint64_t n = ReadU32(block, 0);
  // Data from another program: the length must fit the block.
  if (n > block.size() - 8) return nullptr;
  auto ms = std::make_unique<TMemoryStream>();
  ms->Write(block.data() + 8, static_cast<std::int64_t>(n));
  ms->Seek(0, soBeginning);
  return ms;
}

std::int32_t TEnumFormats::Col() {
  std::string block;
  if (!Block(CF_GRIDCOL(), block) || block.size() < 4) return -1;
  return static_cast<std::int32_t>(ReadU32(block, 0));
}

bool TEnumFormats::ReadFiles() {
  FFiles.Clear();
  std::string block;
  if (!FValid || FFormatEtc.cfFormat != CF_HDROP || !GlobalHandle(block)) return false;
  for (const std::string& name : FilesFromDropBlock(block))
    FFiles.Add(name);
  return FFiles.Count() > 0;
}

// ---- drop target

HRESULT TASGDropTarget::DragEnter(const IDataObjectPtr& data, unsigned keyState, TPoint, unsigned& effect) {
  FAllowed = effect;
  FDropFormats = 0;
  FOk = false;
  if (data) {
    TEnumFormats reader(data);
    const bool text = reader.HasText(), files = reader.HasFile(), rtf = reader.HasRTF(),
               col = reader.HasCol(), url = reader.HasURL(), cells = reader.HasGridCells();
    FOk = (text && FAcceptText) || (files && FAcceptFiles) || (rtf && GAcceptDropRTF && FAcceptText) ||
          (col && FAcceptCols) || (url && FAcceptURLs) || cells;
    const std::pair<bool, TDropFormat> present[] = {{text, dfText}, {files, dfFile}, {col, dfCol},
                                                    {rtf, dfRTF},   {url, dfURL},    {cells, dfGridCells}};
    for (const auto& [has, f] : present)
      if (has) FDropFormats |= DropFormatBit(f);
  }
  effect = FOk ? DropEffectFor(keyState, FAllowed) : DROPEFFECT_NONE;
  DragMouseEnter();
  return S_OK;
}

HRESULT TASGDropTarget::DragOver(unsigned keyState, TPoint pt, unsigned& effect) {
  FAllowed = effect;
  effect = FOk ? DropEffectFor(keyState, effect) : DROPEFFECT_NONE;
  bool allow = effect != DROPEFFECT_NONE;
  DragMouseMove(pt, allow, FDropFormats);
  if (!allow) effect = DROPEFFECT_NONE;
  return S_OK;
}

HRESULT TASGDropTarget::DragLeave() {
  DragMouseLeave();
  return S_OK;
}

HRESULT TASGDropTarget::Drop(const IDataObjectPtr& data, unsigned keyState, TPoint pt, unsigned& effect) {
  if (!FOk || !data) {
    effect = DROPEFFECT_NONE;
    return S_OK;
  }
  const unsigned allowed = effect;
  TEnumFormats reader(data);
  if (reader.HasCol()) {
    DropCol(pt, reader.Col());
  } else {
    std::unique_ptr<TMemoryStream> cells = reader.HasGridCells() ? reader.Stream() : nullptr;
    if (cells)
      DropStream(pt, *cells);
    else if (reader.HasRTF() && GAcceptDropRTF)
      DropRTF(pt, reader.RTF());
    else if (reader.HasText())
      DropText(pt, reader.Text());
  }
  if (reader.HasFile() && reader.ReadFiles()) DropFiles(pt, reader.Files());
  if (reader.HasURL()) DropURL(pt, reader.Text());
  effect = DropEffectFor(keyState, allowed);
  return S_OK;
}

// ---- drop source

HRESULT TASGDropSource::QueryContinueDrag(bool escapePressed, unsigned keyState) {
  HRESULT result = S_OK;
  if (escapePressed) {
    DragEnded();
    result = DRAGDROP_S_CANCEL;
  } else if (!(keyState & MK_LBUTTON)) {
    DragEnded();
    result = DRAGDROP_S_DROP;
  }
  QueryDrag();
  return result;
}

HRESULT TASGDropSource::GiveFeedback(unsigned effect) {
  FNoAccept = effect == DROPEFFECT_NONE;
  CurrentEffect(effect);
  return DRAGDROP_S_USEDEFAULTCURSORS;
}

// ---- offered data

TSourceDataObject::TSourceDataObject(std::string stxt, std::string srtf, std::int32_t sidx,
                                     const TMemoryStream* ms)
    : textdata(std::move(stxt)), rtfdata(std::move(srtf)), scolidx(sidx), hascells(ms != nullptr),
      cellbytes(ms ? ms->Bytes() : std::string()) {
  CF_GRIDURL();
}

HRESULT TSourceDataObject::QueryGetData(const TFormatEtc& f) {
  if (f.dwAspect != DVASPECT_CONTENT || f.tymed != TYMED_HGLOBAL) return DV_E_FORMATETC;
  if (!textdata.empty() && (f.cfFormat == CF_TEXT || f.cfFormat == CF_UNICODETEXT ||
                            (f.cfFormat == CF_GRIDRTF() && GAcceptDropRTF)))
    return S_OK;
  if (hascells && f.cfFormat == CF_GRIDCELLS()) return S_OK;
  if (scolidx != -1 && f.cfFormat == CF_GRIDCOL()) return S_OK;
  return DV_E_FORMATETC;
}

HRESULT TSourceDataObject::GetData(const TFormatEtc& f, TStgMedium& medium) {
  medium = TStgMedium{};
  if (QueryGetData(f) != S_OK) return DV_E_FORMATETC;
  std::string block;
  if (f.cfFormat == CF_TEXT) {
    block = AnsiTextBlock(textdata);
  } else if (f.cfFormat == CF_UNICODETEXT) {
    block = UnicodeTextBlock(textdata);
  } else if (f.cfFormat == CF_GRIDRTF()) {
    block = rtfdata.empty() ? std::string() : AnsiTextBlock(rtfdata);
  } else if (f.cfFormat == CF_GRIDCOL()) {
    block.resize(4);
    std::memcpy(block.data(), &scolidx, 4);
  } else {
    const std::string& bytes = cellbytes;
    const auto n = static_cast<std::uint32_t>(bytes.size());
    block.assign(8, '\0');
    std::memcpy(block.data(), &n, 4);
    block += bytes;
  }
  medium.tymed = TYMED_HGLOBAL;
  medium.Global = std::move(block);
  return S_OK;
}

HRESULT TSourceDataObject::SetData(const TFormatEtc&, TStgMedium&, bool) {
  return DV_E_FORMATETC;
}

HRESULT TSourceDataObject::EnumFormatEtc(unsigned direction, std::shared_ptr<IEnumFormatEtc>& out) {
  if (direction != DATADIR_GET) {
    out.reset();
    return E_NOTIMPL;
  }
  out = std::make_shared<TSourceEnumFormatEtc>(scolidx != -1, hascells);
  return S_OK;
}

TClipFormat TSourceEnumFormatEtc::At(unsigned i) const {
  if (i == 0) return CF_TEXT;
  if (i == 1) return CF_UNICODETEXT;
  if (i == 2) return CF_GRIDRTF();
  if (i == 3 && FHasCol) return CF_GRIDCOL();
  return CF_GRIDCELLS();
}

HRESULT TSourceEnumFormatEtc::Next(unsigned count, std::vector<TFormatEtc>& out, unsigned* fetched) {
  unsigned n = 0;
  while (n < count && FIndex < Count()) {
    out.push_back(FormatEtc(At(FIndex)));
    ++FIndex;
    ++n;
  }
  if (fetched) *fetched = n;
  return n == count ? S_OK : S_FALSE;
}

HRESULT TSourceEnumFormatEtc::Skip(unsigned count) {
  if (FIndex + count > Count()) {
    FIndex = Count();
    return S_FALSE;
  }
  FIndex += count;
  return S_OK;
}

HRESULT TSourceEnumFormatEtc::Reset() {
  FIndex = 0;
  return S_OK;
}

HRESULT TSourceEnumFormatEtc::Clone(std::shared_ptr<IEnumFormatEtc>& out) {
  out = std::make_shared<TSourceEnumFormatEtc>(FHasCol, FHasGridCells, FIndex);
  return S_OK;
}

// ---- starting a drag

namespace {

HRESULT RunDrag(const std::shared_ptr<TASGDropSource>& source, IDataObjectPtr data, unsigned okEffects,
                unsigned& effect) {
  const HRESULT hr = DoDragDrop(std::move(data), source, okEffects, effect);
  return source->NoAccept() ? DRAGDROP_S_CANCEL : hr;
}

} // namespace

HRESULT RunTextDrag(const std::shared_ptr<TASGDropSource>& source, const std::string& text,
                    const std::string& rtf, const TMemoryStream* cells, unsigned okEffects,
                    unsigned& effect) {
  return RunDrag(source, std::make_shared<TSourceDataObject>(text, rtf, -1, cells), okEffects, effect);
}

HRESULT RunColumnDrag(const std::shared_ptr<TASGDropSource>& source, std::int32_t column, unsigned okEffects,
                      unsigned& effect) {
  return RunDrag(source, std::make_shared<TSourceDataObject>(std::string(), std::string(), column, nullptr),
                 okEffects, effect);
}
