// The grid's side of drag and drop: a drop target that recognises text, files, a column, RTF, a
// URL and grid cells and hands each to a virtual method; a drop source that ends on Escape or
// release; the data object a dragged text or column is offered in, with its format list; the
// reader of an incoming data object's formats; and the two functions that start a drag.
//
// Blocks: a column is one 32-bit index; grid cells are the 32-bit length N, four zero bytes and
// N bytes of the grid's cell-range stream; single-byte text is Windows-1252.
#pragma once

#include "platform/Streams.h"
#include "platform/StringList.h"
#include "platform/ui/DataObject.h"
#include "platform/ui/DragDrop.h"

#include <cstdint>
#include <memory>
#include <string>

enum TDropFormat { dfText, dfFile, dfCol, dfRTF, dfURL, dfGridCells };
using TDropFormats = unsigned; // bits 1 << TDropFormat
constexpr TDropFormats DropFormatBit(TDropFormat f) {
  return 1u << f;
}

// The registered formats, in the order they are registered.
TClipFormat CF_GRIDRTF();
TClipFormat CF_GRIDCOL();
TClipFormat CF_GRIDCELLS();
TClipFormat CF_GRIDURL();

// Whether dropped and offered RTF counts; the grid sets it from its own setting.
void SetAcceptDropRTF(bool value);
bool AcceptDropRTF();

// The drop effect for the key state and the effects the source allows: Ctrl copies, else move when
// allowed, else copy.
unsigned DropEffectFor(unsigned keyState, unsigned allowed);

// Reads the formats of an incoming data object. Blocks that do not hold what their format promises
// read as absent.
class TEnumFormats {
public:
  // Throws std::logic_error "Cannot get the format enumerator" for an object without one.
  explicit TEnumFormats(IDataObjectPtr dataObject);

  int Count() const { return FCount; }
  bool Valid() const { return FValid; }
  const TFormatEtc& FormatEtc() const { return FFormatEtc; }
  const IDataObjectPtr& DataObject() const { return FDataObject; }
  void SetDataObject(IDataObjectPtr dataObject);

  bool Reset();
  bool Next();
  // Steps from the start until the format; leaves it current.
  bool HasFormat(TClipFormat format);
  // The current format's block when it is offered in all of `tymed`; false otherwise.
  bool Handle(unsigned tymed, std::string& block);
  bool GlobalHandle(std::string& block) { return Handle(TYMED_HGLOBAL, block); }

  bool HasText() { return HasFormat(CF_UNICODETEXT); }
  bool HasFile() { return HasFormat(CF_HDROP); }
  bool HasRTF() { return CF_GRIDRTF() && HasFormat(CF_GRIDRTF()); }
  bool HasCol() { return CF_GRIDCOL() && HasFormat(CF_GRIDCOL()); }
  bool HasURL() { return CF_GRIDURL() && HasFormat(CF_GRIDURL()); }
  bool HasGridCells() { return CF_GRIDCELLS() && HasFormat(CF_GRIDCELLS()); }
  std::string Text();
  std::string RTF();
  // The N bytes of a grid-cell block; nullptr when absent or when the block is shorter than 8 + N.
  std::unique_ptr<TMemoryStream> Stream();
  // -1 when absent or shorter than 4 bytes.
  std::int32_t Col();
  // The names of the current CF_HDROP block into Files(); whether there are any.
  bool ReadFiles();
  const TStringList& Files() const { return FFiles; }

private:
  bool Block(TClipFormat format, std::string& block);

  IDataObjectPtr FDataObject;
  std::shared_ptr<IEnumFormatEtc> FEnumerator;
  TFormatEtc FFormatEtc;
  bool FValid = false;
  int FCount = 0;
  TStringList FFiles;
};

class TASGDropTarget : public IDropTarget {
public:
  TASGDropTarget() = default;

  bool AcceptText() const { return FAcceptText; }
  void SetAcceptText(bool v) { FAcceptText = v; }
  bool AcceptFiles() const { return FAcceptFiles; }
  void SetAcceptFiles(bool v) { FAcceptFiles = v; }
  bool AcceptCols() const { return FAcceptCols; }
  void SetAcceptCols(bool v) { FAcceptCols = v; }
  bool AcceptURLs() const { return FAcceptURLs; }
  void SetAcceptURLs(bool v) { FAcceptURLs = v; }
  TDropFormats DropFormats() const { return FDropFormats; }

  HRESULT DragEnter(const IDataObjectPtr& data, unsigned keyState, TPoint pt, unsigned& effect) override;
  HRESULT DragOver(unsigned keyState, TPoint pt, unsigned& effect) override;
  HRESULT DragLeave() override;
  HRESULT Drop(const IDataObjectPtr& data, unsigned keyState, TPoint pt, unsigned& effect) override;

protected:
  virtual void DropText(TPoint, const std::string&) {}
  virtual void DropStream(TPoint, TMemoryStream&) {}
  virtual void DropCol(TPoint, std::int32_t) {}
  virtual void DropRTF(TPoint, const std::string&) {}
  virtual void DropFiles(TPoint, const TStringList&) {}
  virtual void DropURL(TPoint, const std::string&) {}
  virtual void DragMouseMove(TPoint, bool& /*Allow*/, TDropFormats) {}
  virtual void DragMouseEnter() {}
  virtual void DragMouseLeave() {}

private:
  bool FOk = false;
  bool FAcceptText = true;
  bool FAcceptFiles = true;
  bool FAcceptCols = false;
  bool FAcceptURLs = true;
  TDropFormats FDropFormats = 0;
  unsigned FAllowed = DROPEFFECT_COPY | DROPEFFECT_MOVE;
};

class TASGDropSource : public IDropSource {
public:
  HRESULT QueryContinueDrag(bool escapePressed, unsigned keyState) override;
  HRESULT GiveFeedback(unsigned effect) override;
  bool NoAccept() const { return FNoAccept; }

protected:
  virtual void DragEnded() {}
  virtual void CurrentEffect(unsigned) {}
  virtual void QueryDrag() {}

private:
  bool FNoAccept = false;
};

// A dragged text (with optional RTF and grid cells) or a dragged column. The cells are copied: a
// target may keep the object after the drag, when the stream is long gone.
class TSourceDataObject : public IDataObject {
public:
  TSourceDataObject(std::string stxt, std::string srtf, std::int32_t sidx, const TMemoryStream* ms);
  HRESULT GetData(const TFormatEtc& format, TStgMedium& medium) override;
  HRESULT QueryGetData(const TFormatEtc& format) override;
  HRESULT SetData(const TFormatEtc& format, TStgMedium& medium, bool release) override;
  HRESULT EnumFormatEtc(unsigned direction, std::shared_ptr<IEnumFormatEtc>& out) override;

private:
  std::string textdata;
  std::string rtfdata;
  std::int32_t scolidx;
  bool hascells;
  std::string cellbytes;
};

// CF_TEXT, CF_UNICODETEXT, RTF, then the column and grid-cell formats when flagged.
class TSourceEnumFormatEtc : public IEnumFormatEtc {
public:
  TSourceEnumFormatEtc(bool hasCol, bool hasGridCells, unsigned index = 0)
      : FIndex(index), FHasCol(hasCol), FHasGridCells(hasGridCells) {}
  HRESULT Next(unsigned count, std::vector<TFormatEtc>& out, unsigned* fetched) override;
  HRESULT Skip(unsigned count) override;
  HRESULT Reset() override;
  HRESULT Clone(std::shared_ptr<IEnumFormatEtc>& out) override;
  unsigned Index() const { return FIndex; }

private:
  unsigned Count() const { return 3u + (FHasCol ? 1u : 0u) + (FHasGridCells ? 1u : 0u); }
  TClipFormat At(unsigned i) const;
  unsigned FIndex;
  bool FHasCol;
  bool FHasGridCells;
};

// DRAGDROP_S_CANCEL when the source's last feedback had no effect, else the drag's result.
HRESULT RunTextDrag(const std::shared_ptr<TASGDropSource>& source, const std::string& text,
                    const std::string& rtf, const TMemoryStream* cells, unsigned okEffects, unsigned& effect);
HRESULT RunColumnDrag(const std::shared_ptr<TASGDropSource>& source, std::int32_t column, unsigned okEffects,
                      unsigned& effect);
