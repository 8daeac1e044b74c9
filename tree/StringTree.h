// The text tree: every cell shows a text the tree never stores; it is asked from the application
// through OnGetText (or OnGetCellText) each time painting, measuring or another user needs it.
#pragma once

#include "tree/NodeTrees.h"

#include <functional>
#include <string>

enum TVSTTextType { ttNormal, ttStatic };
enum TVTExportType { etNone, etRTF, etHTML, etText, etExcel, etWord, etCustom };

struct TVSTGetCellTextEventArgs {
  PVNode Node = nullptr;
  TColumnIndex Column = NoColumn;
  std::string CellText;
  std::string StaticText;
  TVTExportType ExportType = etNone;

  static TVSTGetCellTextEventArgs Create(PVNode pNode, TColumnIndex pColumn,
                                         TVTExportType pExportType = etNone) {
    TVSTGetCellTextEventArgs e;
    e.Node = pNode;
    e.Column = pColumn;
    e.ExportType = pExportType;
    return e;
  }
};

enum TVTStringOption { toSaveCaptions, toShowStaticText, toAutoAcceptEditChange };
using TVTStringOptions = TEnumSet<TVTStringOption, std::uint8_t>;
inline constexpr TVTStringOptions DefaultStringOptions{toSaveCaptions, toAutoAcceptEditChange};

class TCustomNodeStringTree;
class TNodeTreeColumn;

// The nodes an export walks.
enum TVSTTextSourceType { tstAll, tstInitialized, tstSelected, tstCutCopySet, tstVisible, tstChecked };

using TVTTreeExportEvent = std::function<void(TBaseNodeTree* Sender, TVTExportType aExportType)>;
using TVTColumnExportEvent =
    std::function<void(TBaseNodeTree* Sender, TVTExportType aExportType, TNodeTreeColumn* Column)>;
using TVTNodeExportEvent = std::function<bool(TBaseNodeTree* Sender, TVTExportType aExportType, PVNode Node)>;

using TVSTGetHintEvent = std::function<void(TBaseNodeTree* Sender, PVNode Node, TColumnIndex Column,
                                            TVTTooltipLineBreakStyle& LineBreakStyle, std::string& HintText)>;
using TVSTGetTextEvent = std::function<void(TBaseNodeTree* Sender, PVNode Node, TColumnIndex Column,
                                            TVSTTextType TextType, std::string& CellText)>;
using TVSTGetCellTextEvent = std::function<void(TCustomNodeStringTree* Sender, TVSTGetCellTextEventArgs& E)>;
using TVTPaintText = std::function<void(TBaseNodeTree* Sender, TCanvas& TargetCanvas, PVNode Node,
                                        TColumnIndex Column, TVSTTextType TextType)>;
using TVSTNewTextEvent =
    std::function<void(TBaseNodeTree* Sender, PVNode Node, TColumnIndex Column, const std::string& NewText)>;
using TVSTShortenStringEvent =
    std::function<void(TBaseNodeTree* Sender, TCanvas& TargetCanvas, PVNode Node, TColumnIndex Column,
                       const std::string& S, int TextSpace, std::string& Result, bool& Done)>;
using TVTMeasureTextEvent = std::function<void(TBaseNodeTree* Sender, TCanvas& TargetCanvas, PVNode Node,
                                               TColumnIndex Column, const std::string& Text, int& Extent)>;
using TVTDrawTextEvent =
    std::function<void(TBaseNodeTree* Sender, TCanvas& TargetCanvas, PVNode Node, TColumnIndex Column,
                       const std::string& Text, const TRect& CellRect, bool& DefaultDraw)>;

class TCustomStringTreeOptions : public TCustomNodeTreeOptions {
public:
  using TCustomNodeTreeOptions::TCustomNodeTreeOptions;
  TVTStringOptions StringOptions() const { return FStringOptions; }
  void SetStringOptions(TVTStringOptions value);
  // A string tree's options also take the other's string options.
  void Assign(const TCustomNodeTreeOptions& source) override;
  // A stored property "StringOptions" of old forms: empties the string options, then
  // "soSaveCaptions" and "soShowStaticText" add their "to" options; other names are skipped.
  void ReadLegacyStringOptions(const std::vector<std::string>& Names);

private:
  TVTStringOptions FStringOptions = DefaultStringOptions;
};

class TStringTreeOptions : public TCustomStringTreeOptions {
public:
  using TCustomStringTreeOptions::TCustomStringTreeOptions;
};

class TCustomNodeStringTree : public TBaseNodeTree {
public:
  explicit TCustomNodeStringTree(TComponent* AOwner);

  // The texts as the application gives them; the tree stores nothing.
  std::string Text(PVNode Node, TColumnIndex Column);
  void SetText(PVNode Node, TColumnIndex Column, const std::string& Value);
  std::string StaticText(PVNode Node, TColumnIndex Column);
  std::string ImageText(PVNode Node, TVTImageKind Kind, TColumnIndex Column);
  // The texts of the node and its ancestors, each followed by the delimiter.
  std::string Path(PVNode Node, TColumnIndex Column, char Delimiter);

  const std::string& DefaultText() const { return FDefaultText; }
  void SetDefaultText(const std::string& value);
  TCustomStringTreeOptions& TreeOptions() { return static_cast<TCustomStringTreeOptions&>(*FOptions); }
  const TCustomStringTreeOptions& TreeOptions() const {
    return static_cast<const TCustomStringTreeOptions&>(*FOptions);
  }
  bool Has(TVTStringOption o) const { return TreeOptions().StringOptions().Has(o); }
  using TBaseNodeTree::Has;

  // Height of the node's text laid out for the cell (the node's text when S is empty).
  virtual int ComputeNodeHeight(TCanvas* Canvas, PVNode Node, TColumnIndex Column, std::string S = {});
  // The cached width of the main-column text (0: not measured).
  std::uint32_t CachedTextWidth(PVNode Node) const;
  int TextHeight() const {
    MeasureFont();
    return FTextHeight;
  }
  int EllipsisWidth() const {
    MeasureFont();
    return FEllipsisWidth;
  }

  int GetNodeContentWidth(PVNode Node, TColumnIndex Column, TCanvas* Canvas) override;
  int GetNodeExtraWidth(PVNode Node, TColumnIndex Column, TCanvas* Canvas) override;
  void ReinitNode(PVNode Node, bool Recursive) override;
  void SetChildCount(PVNode Node, std::uint32_t NewChildCount) override;

  TVSTGetTextEvent OnGetText;
  TVSTGetCellTextEvent OnGetCellText;
  TVTPaintText OnPaintText;
  TVSTNewTextEvent OnNewText;
  TVSTShortenStringEvent OnShortenString;
  TVTMeasureTextEvent OnMeasureTextWidth;
  TVTMeasureTextEvent OnMeasureTextHeight;
  TVTDrawTextEvent OnDrawText;

  virtual void DoGetText(TVSTGetCellTextEventArgs& E);
  virtual void DoNewText(PVNode Node, TColumnIndex Column, const std::string& Text);
  virtual void DoPaintText(PVNode Node, TCanvas& Canvas, TColumnIndex Column, TVSTTextType TextType);
  virtual std::string DoShortenString(TCanvas& Canvas, PVNode Node, TColumnIndex Column, const std::string& S,
                                      int Width, int EllipsisWidth);
  virtual void DoDrawText(TVTPaintInfo& PaintInfo, const std::string& Text, unsigned DrawFormat,
                          const TRect& CellRect);
  virtual TSize DoMeasureText(TCanvas& Canvas, PVNode Node, TColumnIndex Column, const std::string& Text);

  // ---- hints, incremental search and the in-place editor (StringTreeInput.cpp)
  TVSTGetHintEvent OnGetHint;
  std::string GetNodeHintText(PVNode Node, TColumnIndex Column, TVTTooltipLineBreakStyle& LineBreakStyle) override;
  std::string GetNodeTooltipText(PVNode Node, TColumnIndex Column,
                                 TVTTooltipLineBreakStyle& LineBreakStyle) override;
  int DoIncrementalSearch(PVNode Node, const std::string& Text) override;
  void DoCreateEditor(PVNode Node, TColumnIndex Column, std::shared_ptr<IVTEditLink>& Link) override;
  // The font, text rectangle (the text height centred in the cell) and text the editor takes.
  void GetTextInfo(PVNode Node, TColumnIndex Column, TFont& AFont, TRect& R, std::string& Text) override;

  // ---- content export (NodeTreesExport.cpp)
  std::string ContentToHTML(TVSTTextSourceType Source, const std::string& Caption = {});
  std::string ContentToRTF(TVSTTextSourceType Source);
  std::string ContentToText(TVSTTextSourceType Source, const std::string& Separator);
  std::string ContentToUnicode(TVSTTextSourceType Source, char Separator) {
    return ContentToText(Source, std::string(1, Separator));
  }
  void ContentToCustom(TVSTTextSourceType Source);
  // The block of a text format as the clipboard holds it; false (and nothing) for other formats.
  bool ContentToClipboard(TClipFormat Format, TVSTTextSourceType Source, std::string& Block);
  // The top-level rows, written whole or not at all: Windows-1252 when every character has one,
  // else UTF-8 with a byte-order mark. False for an empty name or when the file could not be
  // written (the reason in `Error`; the old file is left as it was).
  bool SaveToCSVFile(const std::string& FileNameWithPath, bool IncludeHeading, std::string* Error = nullptr);
  bool PassesExportMode(PVNode Node);

  // ---- captions in streams and restoring the selection by text (StringTreeStreams.cpp)
  void AddToSelection(PVNode Node) override;
  void RemoveFromSelection(PVNode Node) override;
  PVNode AddChild(PVNode Parent, void* UserData = nullptr) override;
  bool DoGetCellIsEmpty(PVNode Node, TColumnIndex Column) override;
  // The texts of the selected nodes while toRestoreSelection is on (sorted, case-blind).
  const std::vector<std::string>& PreviouslySelected() const { return FPreviouslySelected; }
  HRESULT RenderOLEFormat(const TFormatEtc& FormatEtcIn, TStgMedium& Medium, bool ForClipboard) override;
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value) { FBorderStyle = Value; }
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value) { FBorderWidth = Value; }
  TVTTreeExportEvent OnBeforeTreeExport, OnAfterTreeExport, OnBeforeHeaderExport, OnAfterHeaderExport;
  TVTColumnExportEvent OnBeforeColumnExport, OnColumnExport, OnAfterColumnExport;
  TVTNodeExportEvent OnBeforeNodeExport, OnNodeExport, OnAfterNodeExport;

protected:
  virtual void PaintNormalText(TVTPaintInfo& PaintInfo, int TextOutFlags, std::string Text);
  virtual void PaintStaticText(TVTPaintInfo& PaintInfo, int TextOutFlags, const std::string& Text);
  virtual int MeasureStaticTextWidth(TCanvas& Canvas, PVNode Node, TColumnIndex Column,
                                     const std::string& Text);
  virtual int MeasureNormalTextWidth(TCanvas& Canvas, PVNode Node, TColumnIndex Column,
                                     const std::string& Text);

  void PaintNodeContent(TVTPaintInfo& PaintInfo) override;
  void InvalidateNode(PVNode Node) override;
  void CMFontChanged(TMessage& Message) override;
  // Every cached width is measured again, and the font's height and "..." when next read (trees
  // made and parented get several fonts before their first paint, if any).
  void FontReceived();
  void MeasureFont() const;
  void ResetCachedWidth(PVNode Node);
  void ResetAllCachedWidths();

  std::uint32_t FInternalDataOffset = 0;
  std::string FDefaultText = "Node";
  mutable bool FFontMeasured = false;
  mutable int FTextHeight = 0;
  mutable int FEllipsisWidth = 0;
  // Set when a text handler changed the canvas font while a cell was painted.
  bool FFontChanged = false;
  void WriteChunks(TStream& Stream, PVNode Node) override;
  bool ReadChunk(TStream& Stream, int Version, PVNode Node, int ChunkType, std::int64_t ChunkSize) override;
  std::string PlainText(PVNode Node);
  std::vector<std::string> FPreviouslySelected;
  TBorderStyle FBorderStyle = bsSingle;
  int FBorderWidth = 0;

private:
  using TSourceStep = PVNode (TCustomNodeStringTree::*)(PVNode);
  PVNode GetSourceStart(TVSTTextSourceType Source, TSourceStep& Next);
  PVNode NextAll(PVNode N) { return GetNext(N); }
  PVNode NextInitialized(PVNode N) { return GetNextInitialized(N); }
  PVNode NextSelected(PVNode N) { return GetNextSelected(N); }
  PVNode NextCutCopy(PVNode N) { return GetNextCutCopy(N); }
  PVNode NextVisible(PVNode N) { return GetNextVisible(N, true); }
  PVNode NextChecked(PVNode N) { return GetNextChecked(N, csCheckedNormal); }
  struct TExportCell;
  std::vector<TExportCell> ExportCells();
};

class TNodeStringTree : public TCustomNodeStringTree {
public:
  explicit TNodeStringTree(TComponent* AOwner);
};
