// The tree's data object: formats rendered by the tree on request, data stored into it by others.
#include "tree/VTDataObject.h"

#include "platform/Process.h"
#include "tree/NodeTrees.h"

#include <cstring>

bool EqualFormatEtc(const TFormatEtc& A, const TFormatEtc& B) {
  return A.cfFormat == B.cfFormat && A.ptd == B.ptd && A.dwAspect == B.dwAspect && A.lindex == B.lindex &&
         (A.tymed & B.tymed) != 0;
}

std::string NodeTreeReferenceBlock(std::uint32_t ProcessId, std::uint64_t TreeId) {
  std::string block(NodeTreeReferenceSize, '\0');
  std::memcpy(block.data(), &ProcessId, 4);
  std::memcpy(block.data() + 4, &TreeId, 8);
  return block;
}

// ---------------------------------------------------------------- format enumerator

HRESULT TEnumFormatEtc::Next(unsigned celt, std::vector<TFormatEtc>& elt, unsigned* pceltFetched) {
  const std::size_t left = FFormatEtcArray.size() - std::min(FCurrentIndex, FFormatEtcArray.size());
  const std::size_t n = std::min<std::size_t>(celt, left);
  for (std::size_t i = 0; i < n; ++i)
    elt.push_back(FFormatEtcArray[FCurrentIndex + i]);
  FCurrentIndex += n;
  if (pceltFetched) *pceltFetched = static_cast<unsigned>(n);
  return n > 0 ? S_OK : S_FALSE;
}

HRESULT TEnumFormatEtc::Skip(unsigned celt) {
  if (FCurrentIndex + celt <= FFormatEtcArray.size()) {
    FCurrentIndex += celt;
    return S_OK;
  }
  return S_FALSE;
}

HRESULT TEnumFormatEtc::Reset() {
  FCurrentIndex = 0;
  return S_OK;
}

HRESULT TEnumFormatEtc::Clone(std::shared_ptr<IEnumFormatEtc>& Enum) {
  try {
    Enum = std::make_shared<TEnumFormatEtc>(FTree, FFormatEtcArray, FCurrentIndex);
    return S_OK;
  } catch (...) {
    return E_FAIL;
  }
}

// ---------------------------------------------------------------- data object

TVTDataObject::TVTDataObject(TBaseNodeTree* AOwner, bool ForClipboard)
    : FOwnerId(AOwner->TreeId()), FForClipboard(ForClipboard) {
  AOwner->GetOfferedFormats(FFormatEtcArray);
}

TVTDataObject::~TVTDataObject() {
  if (!FForClipboard) return;
  TBaseNodeTree* owner = Owner();
  if (owner && !owner->TreeStates().Has(tsClipboardFlushing)) owner->CancelCutOrCopy();
}

TBaseNodeTree* TVTDataObject::Owner() const {
  return FindLiveTree(FOwnerId);
}

int TVTDataObject::FindFormatEtc(const TFormatEtc& FormatEtc) const {
  for (std::size_t i = 0; i < FFormatEtcArray.size(); ++i)
    if (EqualFormatEtc(FFormatEtcArray[i], FormatEtc)) return static_cast<int>(i);
  return -1;
}

TVTDataObject::TInternalStgMedium* TVTDataObject::FindInternalStgMedium(TClipFormat Format) {
  for (auto& m : FInternalStgMediumArray)
    if (m.Format == Format) return &m;
  return nullptr;
}

HRESULT TVTDataObject::QueryGetData(const TFormatEtc& FormatEtc) {
  if (FFormatEtcArray.empty()) return DV_E_FORMATETC;
  HRESULT result = DV_E_FORMATETC;
  for (const TFormatEtc& f : FFormatEtcArray) {
    if (f.cfFormat != FormatEtc.cfFormat) continue;
    if ((f.tymed & FormatEtc.tymed) == 0)
      result = DV_E_TYMED;
    else if (f.dwAspect != FormatEtc.dwAspect)
      result = DV_E_DVASPECT;
    else if (f.lindex != FormatEtc.lindex)
      result = DV_E_LINDEX;
    else
      return S_OK;
  }
  return result;
}

HRESULT TVTDataObject::HGlobalClone(const TStgMedium& Source, TStgMedium& Target) {
  switch (Source.tymed) {
  case TYMED_HGLOBAL:
    Target.tymed = TYMED_HGLOBAL;
    Target.Global = Source.Global;
    return S_OK;
  case TYMED_ISTREAM:
  case TYMED_ISTORAGE:
    Target.tymed = Source.tymed;
    Target.Stream = Source.Stream;
    return S_OK;
  case TYMED_FILE:
    Target.tymed = TYMED_FILE;
    Target.FileName = Source.FileName;
    return S_OK;
  default:
    return DV_E_TYMED;
  }
}

HRESULT TVTDataObject::GetData(const TFormatEtc& FormatEtcIn, TStgMedium& Medium) {
  Medium = TStgMedium{};
  try {
    TBaseNodeTree* owner = Owner();
    if (FormatEtcIn.cfFormat == cfNodeTreeReference()) {
      if (!owner || owner->TreeStates().Has(tsClipboardFlushing)) return E_FAIL;
      Medium.tymed = TYMED_HGLOBAL;
      Medium.Global = NodeTreeReferenceBlock(CurrentProcessId(), FOwnerId);
      return S_OK;
    }
    HRESULT result = QueryGetData(FormatEtcIn);
    if (result != S_OK) return result;
    const int index = FindFormatEtc(FormatEtcIn);
    if (index < 0) return DV_E_FORMATETC;
    if (TInternalStgMedium* stored =
            FindInternalStgMedium(FFormatEtcArray[static_cast<std::size_t>(index)].cfFormat);
        stored && stored->Medium.tymed != TYMED_NULL)
      return HGlobalClone(stored->Medium, Medium);
    if (!owner) return E_FAIL;
    return owner->RenderOLEFormat(FormatEtcIn, Medium, FForClipboard);
  } catch (...) {
    Medium = TStgMedium{};
    return E_FAIL;
  }
}

HRESULT TVTDataObject::SetData(const TFormatEtc& FormatEtc, TStgMedium& Medium, bool DoRelease) {
  TInternalStgMedium* entry = nullptr;
  const int index = FindFormatEtc(FormatEtc);
  if (index < 0) {
    FFormatEtcArray.push_back(FormatEtc);
    FInternalStgMediumArray.push_back({FormatEtc.cfFormat, {}});
    entry = &FInternalStgMediumArray.back();
  } else {
    entry = FindInternalStgMedium(FFormatEtcArray[static_cast<std::size_t>(index)].cfFormat);
    // Offered but never stored: the entry is made now rather than written through a missing one.
    if (!entry) {
      FInternalStgMediumArray.push_back({FFormatEtcArray[static_cast<std::size_t>(index)].cfFormat, {}});
      entry = &FInternalStgMediumArray.back();
    } else {
      ReleaseStgMedium(entry->Medium);
      entry->Medium = TStgMedium{};
    }
  }
  HRESULT result = S_OK;
  if (DoRelease) {
    entry->Medium = std::move(Medium);
    Medium = TStgMedium{};
  } else {
    switch (Medium.tymed) {
    case TYMED_HGLOBAL:
    case TYMED_FILE:
    case TYMED_ISTREAM:
    case TYMED_ISTORAGE:
      result = HGlobalClone(Medium, entry->Medium);
      break;
    default:
      result = DV_E_TYMED;
    }
  }
  if (FAdviseHolder)
    for (const auto& c : FAdviseHolder->Connections)
      if (c.Format.cfFormat == FormatEtc.cfFormat || c.Format.cfFormat == 0)
        c.Sink->OnDataChange(FormatEtc, entry->Medium);
  return result;
}

HRESULT TVTDataObject::EnumFormatEtc(unsigned Direction, std::shared_ptr<IEnumFormatEtc>& EnumFormatEtc) {
  EnumFormatEtc.reset();
  if (Direction != DATADIR_GET) return OLE_S_USEREG;
  EnumFormatEtc = std::make_shared<TEnumFormatEtc>(Owner(), FFormatEtcArray);
  return S_OK;
}

HRESULT TVTDataObject::DAdvise(const TFormatEtc& FormatEtc, unsigned, std::shared_ptr<IAdviseSink> advSink,
                               unsigned& dwConnection) {
  if (!advSink) return E_INVALIDARG;
  if (!FAdviseHolder) FAdviseHolder = std::make_unique<TAdviseHolder>();
  dwConnection = FAdviseHolder->NextId++;
  FAdviseHolder->Connections.push_back({dwConnection, FormatEtc, std::move(advSink)});
  return S_OK;
}

HRESULT TVTDataObject::DUnadvise(unsigned dwConnection) {
  if (!FAdviseHolder) return E_NOTIMPL;
  auto& c = FAdviseHolder->Connections;
  for (auto it = c.begin(); it != c.end(); ++it)
    if (it->Id == dwConnection) {
      c.erase(it);
      return S_OK;
    }
  return E_INVALIDARG;
}

HRESULT TVTDataObject::EnumDAdvise(std::vector<unsigned>*& enumAdvise) {
  enumAdvise = nullptr;
  if (!FAdviseHolder) return OLE_E_ADVISENOTSUPPORTED;
  FAdviseHolder->Ids.clear();
  for (const auto& c : FAdviseHolder->Connections)
    FAdviseHolder->Ids.push_back(c.Id);
  enumAdvise = &FAdviseHolder->Ids;
  return S_OK;
}
