// The data object a tree offers when it copies, cuts or starts a drag, and the enumerator over
// its formats. The tree is named by its number among the live trees, so an object that outlives
// its tree renders nothing rather than reading a tree that is gone.
#pragma once

#include "platform/ui/DataObject.h"
#include "tree/ClipboardFormats.h"

#include <cstdint>
#include <memory>
#include <vector>

class TBaseNodeTree;

// Told of data stored into an object it watches.
class IAdviseSink {
public:
  virtual ~IAdviseSink() = default;
  virtual void OnDataChange(const TFormatEtc& Format, const TStgMedium& Medium) = 0;
};

class TEnumFormatEtc : public IEnumFormatEtc {
public:
  TEnumFormatEtc(TBaseNodeTree* Tree, TFormatEtcArray AFormatEtcArray, std::size_t CurrentIndex = 0)
      : FTree(Tree), FFormatEtcArray(std::move(AFormatEtcArray)), FCurrentIndex(CurrentIndex) {}
  // S_OK when at least one format was handed out, S_FALSE when none was left.
  HRESULT Next(unsigned celt, std::vector<TFormatEtc>& elt, unsigned* pceltFetched) override;
  // S_OK and moves when at least celt formats remain; otherwise S_FALSE and stays.
  HRESULT Skip(unsigned celt) override;
  HRESULT Reset() override;
  HRESULT Clone(std::shared_ptr<IEnumFormatEtc>& Enum) override;
  std::size_t CurrentIndex() const { return FCurrentIndex; }

private:
  TBaseNodeTree* FTree;
  TFormatEtcArray FFormatEtcArray;
  std::size_t FCurrentIndex;
};

class TVTDataObject : public IDataObject {
public:
  // The offered formats are the tree's at this moment.
  TVTDataObject(TBaseNodeTree* AOwner, bool ForClipboard);
  // A clipboard object let go while its tree is not flushing: another program replaced it, so the
  // tree's pending cut or copy ends.
  ~TVTDataObject() override;

  HRESULT GetData(const TFormatEtc& FormatEtcIn, TStgMedium& Medium) override;
  HRESULT QueryGetData(const TFormatEtc& FormatEtc) override;
  HRESULT SetData(const TFormatEtc& FormatEtc, TStgMedium& Medium, bool DoRelease) override;
  HRESULT EnumFormatEtc(unsigned Direction, std::shared_ptr<IEnumFormatEtc>& EnumFormatEtc) override;
  HRESULT DAdvise(const TFormatEtc& FormatEtc, unsigned advf, std::shared_ptr<IAdviseSink> advSink,
                  unsigned& dwConnection);
  HRESULT DUnadvise(unsigned dwConnection);
  HRESULT EnumDAdvise(std::vector<unsigned>*& enumAdvise);
  HRESULT GetCanonicalFormatEtc(const TFormatEtc&, TFormatEtc&) { return DATA_S_SAMEFORMATETC; }
  HRESULT GetDataHere(const TFormatEtc&, TStgMedium&) { return E_NOTIMPL; }

  // The tree that made the object, nullptr once it is gone.
  TBaseNodeTree* Owner() const;
  bool ForClipboard() const { return FForClipboard; }
  const TFormatEtcArray& FormatEtcArray() const { return FFormatEtcArray; }
  std::size_t StoredCount() const { return FInternalStgMediumArray.size(); }

private:
  struct TInternalStgMedium {
    TClipFormat Format = 0;
    TStgMedium Medium;
  };
  struct TAdviseHolder {
    struct TConnection {
      unsigned Id;
      TFormatEtc Format;
      std::shared_ptr<IAdviseSink> Sink;
    };
    std::vector<TConnection> Connections;
    std::vector<unsigned> Ids;
    unsigned NextId = 1;
  };
  int FindFormatEtc(const TFormatEtc& FormatEtc) const;
  TInternalStgMedium* FindInternalStgMedium(TClipFormat Format);
  HRESULT HGlobalClone(const TStgMedium& Source, TStgMedium& Target);

  std::uint64_t FOwnerId;
  bool FForClipboard;
  TFormatEtcArray FFormatEtcArray;
  std::vector<TInternalStgMedium> FInternalStgMediumArray;
  std::unique_ptr<TAdviseHolder> FAdviseHolder;
};

// Two requests are equal when code, device, aspect and index match and their media share a bit.
bool EqualFormatEtc(const TFormatEtc& A, const TFormatEtc& B);

// "Node Tree Reference": the offering process and the tree's number among its live trees.
constexpr std::size_t NodeTreeReferenceSize = 12;
std::string NodeTreeReferenceBlock(std::uint32_t ProcessId, std::uint64_t TreeId);
