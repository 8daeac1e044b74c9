// The binary cell stream: a header record, then per cell a cell record, its properties and its
// graphic with the graphic's object, each record a component image. The reader takes the whole
// stream apart and checks it before the grid changes.
#include "grid/FilePicture.h"
#include "grid/GridBinStream.h"
#include "grid/GridColumns.h"
#include "grid/GridFileText.h"
#include "grid/ProGrid.h"
#include "platform/ColorNames.h"
#include "platform/ComponentStream.h"
#include "platform/Files.h"
#include "platform/Process.h"
#include "platform/TaskNumber.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/PictureDecode.h"

#include <algorithm>
#include <bitset>
#include <mutex>
#include <optional>
#include <set>

namespace {

[[noreturn]] void Invalid() {
  throw EReadError("Invalid stream format");
}

// The properties of one image, taken by name; a name the record does not know, a value of the
// wrong kind or a record of another class is no stream of ours.
class TRecordReader {
public:
  TRecordReader(TStream& Stream, std::string_view ClassName) : FImage(ReadComponentImage(Stream)) {
    if (FImage.ClassName != ClassName) Invalid();
    std::set<std::string_view> seen;
    for (const TStreamProperty& p : FImage.Properties)
      if (!seen.insert(p.Name).second) Invalid();
  }
  // Every property was asked for.
  void Done() const {
    if (FTaken != FImage.Properties.size()) Invalid();
  }
  const TStreamValue* Find(std::string_view Name) {
    for (const TStreamProperty& p : FImage.Properties)
      if (p.Name == Name) {
        ++FTaken;
        return &p.Value;
      }
    return nullptr;
  }
  std::optional<std::int64_t> Int(std::string_view Name) {
    const TStreamValue* v = Find(Name);
    if (!v) return std::nullopt;
    if (!v->IsInteger()) Invalid();
    return v->Int;
  }
  std::optional<bool> Bool(std::string_view Name) {
    const TStreamValue* v = Find(Name);
    if (!v) return std::nullopt;
    if (!v->IsBoolean()) Invalid();
    return v->Type == vaTrue;
  }
  std::optional<double> Float(std::string_view Name) {
    const TStreamValue* v = Find(Name);
    if (!v) return std::nullopt;
    if (v->Type == vaExtended) return v->Float;
    if (v->IsInteger()) return static_cast<double>(v->Int);
    Invalid();
  }
  std::optional<std::string> Text(std::string_view Name) {
    const TStreamValue* v = Find(Name);
    if (!v) return std::nullopt;
    if (!v->IsString()) Invalid();
    return v->Text;
  }
  std::optional<std::string> Binary(std::string_view Name) {
    const TStreamValue* v = Find(Name);
    if (!v) return std::nullopt;
    if (v->Type != vaBinary) Invalid();
    return v->Text;
  }
  template <class E> std::optional<E> Enum(std::string_view Name) {
    const TStreamValue* v = Find(Name);
    if (!v) return std::nullopt;
    E value{};
    if (v->Type != vaIdent || !EnumValue<E>(v->Text, value)) Invalid();
    return value;
  }
  std::optional<TColor> Color(std::string_view Name) {
    const TStreamValue* v = Find(Name);
    if (!v) return std::nullopt;
    TColor c = 0;
    if (v->IsInteger()) return static_cast<TColor>(v->Int);
    if (v->Type != vaIdent || !IdentToColor(v->Text, c)) Invalid();
    return c;
  }
  std::optional<TFontStyles> FontStyles(std::string_view Name) {
    const TStreamValue* v = Find(Name);
    if (!v) return std::nullopt;
    if (v->Type != vaSet) Invalid();
    TFontStyles styles = 0;
    for (const std::string& name : v->Names) {
      auto it = std::find_if(FontStyleNames.begin(), FontStyleNames.end(),
                             [&](const char* n) { return name == n; });
      if (it == FontStyleNames.end()) Invalid();
      styles |= 1u << (it - FontStyleNames.begin());
    }
    return styles;
  }
  std::optional<std::vector<std::string>> Strings(std::string_view Name) {
    const TStreamValue* v = Find(Name);
    if (!v) return std::nullopt;
    if (v->Type != vaList) Invalid();
    std::vector<std::string> items;
    for (const TStreamValue& item : v->Items) {
      if (!item.IsString()) Invalid();
      items.push_back(item.Text);
    }
    return items;
  }

private:
  TComponentImage FImage;
  std::size_t FTaken = 0;
};

int CheckedInt(std::optional<std::int64_t> v, std::int64_t lo = INT32_MIN, std::int64_t hi = INT32_MAX) {
  if (!v || *v < lo || *v > hi) Invalid();
  return static_cast<int>(*v);
}

bool CheckedBool(std::optional<bool> v) {
  if (!v) Invalid();
  return *v;
}

// A graphic's data as the runtime's graphics stream it: a 4-byte size and the picture's file image.
std::string SizedData(const std::string& bytes) {
  std::string out;
  const auto n = static_cast<std::uint32_t>(bytes.size());
  for (int i = 0; i < 4; ++i)
    out += static_cast<char>((n >> (8 * i)) & 0xFF);
  return out + bytes;
}

// The picture out of sized data; the size must be what follows.
std::unique_ptr<TBitmap> PictureFromSizedData(std::string_view data) {
  if (data.size() < 4) Invalid();
  std::uint32_t n = 0;
  for (int i = 3; i >= 0; --i)
    n = (n << 8) | static_cast<unsigned char>(data[i]);
  if (n != data.size() - 4) Invalid();
  auto bitmap = std::make_unique<TBitmap>();
  std::string error;
  if (!DecodePicture(std::string(data.substr(4)), *bitmap, &error)) throw EReadError(error);
  return bitmap;
}

std::string JoinInts(const std::vector<int>& values) {
  std::string out;
  for (std::size_t i = 0; i < values.size(); ++i)
    out += (i ? "," : "") + std::to_string(values[i]);
  return out;
}

// The comma list of a full-grid header: exactly Count sizes of 0 .. 65535.
std::vector<int> SizeList(const std::string& text, int count) {
  std::vector<int> sizes;
  std::size_t start = 0;
  while (start <= text.size() && static_cast<int>(sizes.size()) <= count) {
    std::size_t comma = std::min(text.find(',', start), text.size());
    std::optional<int> v = gridfile::StrictInt(std::string_view(text).substr(start, comma - start));
    if (!v || *v < 0 || *v > 65535)
      throw EProGridError("The stream's column widths or row heights are damaged");
    sizes.push_back(*v);
    start = comma + 1;
  }
  if (static_cast<int>(sizes.size()) != count)
    throw EProGridError("The stream's column widths or row heights do not match its size");
  return sizes;
}

// ---- What one cell of a stream holds, read before anything is applied.

struct TPropRecord {
  std::optional<bool> IsBaseCell;
  std::optional<int> CellSpanX, CellSpanY, BorderWidth, FontSize, NodeLevel;
  std::optional<TAlignment> Alignment;
  std::optional<TColor> BorderColor, BrushColor, BrushColorTo, FontColor;
  std::optional<TBrushStyle> BrushStyle;
  std::optional<std::string> FontName;
  std::optional<TFontStyles> FontStyle;
  std::optional<TEditorType> Editor;
  std::optional<TCellGradientDirection> GradientDirection;
  std::optional<bool> ReadOnly, WordWrap;
  std::optional<TVAlignment> VAlignment;
};

struct TGraphicRecord {
  TCellType CellType = ctNone;
  TCellVAlign CellVAlign = vaTop;
  TCellHAlign CellHAlign = haLeft;
  int CellIndex = 0, CellAngle = 0, CellErrFrom = 0, CellErrLen = 0;
  bool CellTransparent = false, CellBoolean = false;
  TCheckBoxState CellCheckBoxState = cbUnchecked;
  double CellValue = 0;
  std::string CellText;
  std::unique_ptr<TBitmap> Picture; // bitmap, glyph, icon or picture
  std::vector<std::string> Strings; // radio items
  std::vector<int> Images;
  std::string Filename;
};

struct TCellRecord {
  int Col = 0, Row = 0;
  std::string Text;
  std::optional<TPropRecord> Props;
  std::optional<TGraphicRecord> Graphic;
};

const char kProps[] = "CellProperties.";
const char kGraphic[] = "CellGraphic.";

std::string P(const char* prefix, const char* name) {
  return std::string(prefix) + name;
}

TPropRecord ReadProps(TRecordReader& r) {
  TPropRecord p;
  p.IsBaseCell = r.Bool(P(kProps, "IsBaseCell"));
  auto span = [&](const char* n) -> std::optional<int> {
    auto v = r.Int(P(kProps, n));
    if (!v) return std::nullopt;
    return CheckedInt(v, -1, 65535);
  };
  p.CellSpanX = span("CellSpanX");
  p.CellSpanY = span("CellSpanY");
  p.Alignment = r.Enum<TAlignment>(P(kProps, "Alignment"));
  p.BorderColor = r.Color(P(kProps, "BorderColor"));
  if (auto v = r.Int(P(kProps, "BorderWidth"))) p.BorderWidth = CheckedInt(v, 0, 255);
  p.BrushColor = r.Color(P(kProps, "BrushColor"));
  p.BrushColorTo = r.Color(P(kProps, "BrushColorTo"));
  p.BrushStyle = r.Enum<TBrushStyle>(P(kProps, "BrushStyle"));
  p.FontColor = r.Color(P(kProps, "FontColor"));
  p.FontName = r.Text(P(kProps, "FontName"));
  if (auto v = r.Int(P(kProps, "FontSize"))) p.FontSize = CheckedInt(v, -1638, 1638);
  p.FontStyle = r.FontStyles(P(kProps, "FontStyle"));
  p.Editor = r.Enum<TEditorType>(P(kProps, "Editor"));
  p.GradientDirection = r.Enum<TCellGradientDirection>(P(kProps, "GradientDirection"));
  p.ReadOnly = r.Bool(P(kProps, "ReadOnly"));
  p.VAlignment = r.Enum<TVAlignment>(P(kProps, "VAlignment"));
  if (auto v = r.Int(P(kProps, "NodeLevel"))) p.NodeLevel = CheckedInt(v, 0, 65535);
  p.WordWrap = r.Bool(P(kProps, "WordWrap"));
  return p;
}

TGraphicRecord ReadGraphic(TRecordReader& r) {
  // Every field starts from its default: nothing carries over from an earlier cell.
  TGraphicRecord g;
  g.CellType = r.Enum<TCellType>(P(kGraphic, "CellType")).value_or(ctNone);
  g.CellVAlign = r.Enum<TCellVAlign>(P(kGraphic, "CellVAlign")).value_or(vaTop);
  g.CellHAlign = r.Enum<TCellHAlign>(P(kGraphic, "CellHAlign")).value_or(haLeft);
  g.CellIndex = CheckedInt(r.Int(P(kGraphic, "CellIndex")).value_or(0));
  g.CellTransparent = r.Bool(P(kGraphic, "CellTransparent")).value_or(false);
  r.Bool(P(kGraphic, "CellCreated")); // the loaded graphic owns what it is given
  g.CellBoolean = r.Bool(P(kGraphic, "CellBoolean")).value_or(false);
  g.CellCheckBoxState = r.Enum<TCheckBoxState>(P(kGraphic, "CellCheckBoxState")).value_or(cbUnchecked);
  g.CellAngle = CheckedInt(r.Int(P(kGraphic, "CellAngle")).value_or(0));
  g.CellValue = r.Float(P(kGraphic, "CellValue")).value_or(0);
  g.CellErrFrom = CheckedInt(r.Int(P(kGraphic, "CellErrFrom")).value_or(0));
  g.CellErrLen = CheckedInt(r.Int(P(kGraphic, "CellErrLen")).value_or(0));
  g.CellText = r.Text(P(kGraphic, "CellText")).value_or("");
  return g;
}

// The record that follows a graphic of the type, and the name of its property.
struct TObjectRecord {
  const char* ClassName;
  const char* Property;
};

std::optional<TObjectRecord> ObjectRecordOf(TCellType Type) {
  switch (Type) {
  case ctBitmap:
  case ctBitButton:
    return TObjectRecord{"TGridBMPIO", "Bitmap.Data"};
  case ctIcon:
    return TObjectRecord{"TGridIconIO", "Icon.Data"};
  case ctRadio:
  case ctImages:
    return TObjectRecord{"TGridSLIO", "Strings.Strings"};
  case ctPicture:
    return TObjectRecord{"TGridPicIO", "Picture.Data"};
  case ctFilePicture:
    return TObjectRecord{"TGridFilePicIO", "Picture.Filename"};
  default:
    return std::nullopt;
  }
}

// The image indexes as the grid keeps them: whole numbers only.
std::vector<int> ImageIndexes(const std::vector<std::string>& items) {
  std::vector<int> out;
  for (const std::string& s : items) {
    std::optional<int> v = gridfile::StrictInt(s);
    if (!v) Invalid();
    out.push_back(*v);
  }
  return out;
}

void ReadGraphicObject(TStream& Stream, TGraphicRecord& g) {
  const std::optional<TObjectRecord> rec = ObjectRecordOf(g.CellType);
  if (!rec) return;
  TRecordReader r(Stream, rec->ClassName);
  switch (g.CellType) {
  case ctBitmap:
  case ctBitButton:
  case ctIcon:
    if (auto data = r.Binary(rec->Property)) g.Picture = PictureFromSizedData(*data);
    break;
  case ctRadio:
    g.Strings = r.Strings(rec->Property).value_or(std::vector<std::string>{});
    break;
  case ctImages:
    g.Images = ImageIndexes(r.Strings(rec->Property).value_or(std::vector<std::string>{}));
    break;
  case ctPicture:
    if (auto data = r.Binary(rec->Property)) {
      // The graphic's class as a short string, then the graphic's own data.
      if (data->empty() || static_cast<unsigned char>((*data)[0]) + 1u > data->size()) Invalid();
      const std::size_t n = static_cast<unsigned char>((*data)[0]);
      const std::string cls = data->substr(1, n);
      if (cls != "TBitmap" && cls != "TIcon" && cls != "TJPEGImage" && cls != "TGIFImage") Invalid();
      g.Picture = PictureFromSizedData(std::string_view(*data).substr(1 + n));
    }
    break;
  case ctFilePicture:
    g.Filename = r.Text(rec->Property).value_or("");
    break;
  default:
    break;
  }
  r.Done();
}

TCellRecord ReadCell(TStream& Stream) {
  TCellRecord cell;
  bool hasProp = false;
  {
    TRecordReader r(Stream, "TGridCellIO");
    cell.Col = CheckedInt(r.Int("Col"), 0);
    cell.Row = CheckedInt(r.Int("Row"), 0);
    cell.Text = r.Text("Cell").value_or("");
    hasProp = CheckedBool(r.Bool("HasProp"));
    r.Done();
  }
  if (!hasProp) return cell;
  bool hasGraphic = false;
  {
    TRecordReader r(Stream, "TGridCellPropIO");
    cell.Props = ReadProps(r);
    // A control of the saving program is nothing here: never resolved.
    r.Find(P(kProps, "Control"));
    r.Find(P(kProps, "CellObject"));
    hasGraphic = CheckedBool(r.Bool("HasGraphic"));
    r.Done();
  }
  if (!hasGraphic) return cell;
  {
    TRecordReader r(Stream, "TGridGraphicIO");
    cell.Graphic = ReadGraphic(r);
    r.Done();
  }
  ReadGraphicObject(Stream, *cell.Graphic);
  return cell;
}

// ---- Writing

void WriteColor(TComponentWriter& w, const std::string& name, TColor c) {
  std::string_view ident = ColorToIdent(c);
  if (!ident.empty())
    w.WriteIdent(name, ident);
  else
    w.WriteInteger(name, static_cast<std::int32_t>(c));
}

std::string PropsImage(const TCellProperties& p, bool hasGraphic) {
  TComponentWriter w("TGridCellPropIO");
  w.WriteBoolean(P(kProps, "IsBaseCell"), p.IsBaseCell());
  w.WriteInteger(P(kProps, "CellSpanX"), p.CellSpanX());
  w.WriteInteger(P(kProps, "CellSpanY"), p.CellSpanY());
  w.WriteIdent(P(kProps, "Alignment"), EnumName(p.Alignment()));
  WriteColor(w, P(kProps, "BorderColor"), p.BorderColor());
  w.WriteInteger(P(kProps, "BorderWidth"), p.BorderWidth());
  WriteColor(w, P(kProps, "BrushColor"), p.BrushColor());
  WriteColor(w, P(kProps, "BrushColorTo"), p.BrushColorTo());
  w.WriteIdent(P(kProps, "BrushStyle"), EnumName(p.BrushStyle()));
  // CellObject is the program's own pointer and Control a window of this process: neither means
  // anything in a stream.
  WriteColor(w, P(kProps, "FontColor"), p.FontColor());
  if (!p.FontName().empty()) w.WriteString(P(kProps, "FontName"), p.FontName());
  w.WriteInteger(P(kProps, "FontSize"), p.FontSize());
  std::vector<std::string> styles;
  for (std::size_t i = 0; i < FontStyleNames.size(); ++i)
    if (p.FontStyle() & (1u << i)) styles.emplace_back(FontStyleNames[i]);
  w.WriteSet(P(kProps, "FontStyle"), styles);
  w.WriteIdent(P(kProps, "Editor"), EnumName(p.Editor()));
  w.WriteIdent(P(kProps, "GradientDirection"), EnumName(p.GradientDirection()));
  w.WriteBoolean(P(kProps, "ReadOnly"), p.ReadOnly());
  w.WriteIdent(P(kProps, "VAlignment"), EnumName(p.VAlignment()));
  w.WriteBoolean(P(kProps, "WordWrap"), p.WordWrap());
  w.WriteInteger(P(kProps, "NodeLevel"), p.NodeLevel());
  w.WriteBoolean("HasGraphic", hasGraphic);
  return w.Finish();
}

std::string GraphicImage(const TCellGraphic& g) {
  TComponentWriter w("TGridGraphicIO");
  w.WriteIdent(P(kGraphic, "CellType"), EnumName(g.CellType()));
  w.WriteIdent(P(kGraphic, "CellVAlign"), EnumName(g.CellVAlign()));
  w.WriteIdent(P(kGraphic, "CellHAlign"), EnumName(g.CellHAlign()));
  w.WriteInteger(P(kGraphic, "CellIndex"), g.CellIndex());
  w.WriteBoolean(P(kGraphic, "CellTransparent"), g.CellTransparent());
  w.WriteBoolean(P(kGraphic, "CellCreated"), g.CellCreated());
  w.WriteBoolean(P(kGraphic, "CellBoolean"), g.CellBoolean());
  w.WriteIdent(P(kGraphic, "CellCheckBoxState"), EnumName(g.CellCheckBoxState()));
  w.WriteInteger(P(kGraphic, "CellAngle"), g.CellAngle());
  if (g.CellValue() != 0) w.WriteFloat(P(kGraphic, "CellValue"), g.CellValue());
  w.WriteInteger(P(kGraphic, "CellErrFrom"), g.CellErrFrom());
  w.WriteInteger(P(kGraphic, "CellErrLen"), g.CellErrLen());
  if (!g.CellText().empty()) w.WriteString(P(kGraphic, "CellText"), g.CellText());
  return w.Finish();
}

std::string GraphicObjectImage(const TCellGraphic& g) {
  const std::optional<TObjectRecord> rec = ObjectRecordOf(g.CellType());
  if (!rec) return {};
  TComponentWriter w(rec->ClassName);
  auto bitmapData = [](const TBitmap* b, const char* format) {
    return b && !b->Empty() ? SizedData(b->SaveToBytes(format)) : std::string();
  };
  switch (g.CellType()) {
  case ctBitmap:
  case ctBitButton:
    if (std::string d = bitmapData(g.CellBitmap(), "BMP"); !d.empty()) w.WriteBinary(rec->Property, d);
    break;
  case ctIcon:
    if (std::string d = bitmapData(g.CellIcon(), "ICO"); !d.empty()) w.WriteBinary(rec->Property, d);
    break;
  case ctRadio: {
    std::vector<std::string> items;
    if (const TStringList* sl = g.CellStrings())
      for (int i = 0; i < sl->Count(); ++i)
        items.push_back(sl->Strings(i));
    if (!items.empty()) w.WriteStringList(rec->Property, items);
    break;
  }
  case ctImages:
    if (const TIntList* list = g.CellIntList(); list && list->Count() > 0) {
      std::vector<std::string> items;
      for (int v : list->ToVector())
        items.push_back(std::to_string(v));
      w.WriteStringList(rec->Property, items);
    }
    break;
  case ctPicture:
    if (const TPicture* pic = g.CellPicture(); pic && !pic->Empty())
      w.WriteBinary(rec->Property, std::string("\x07TBitmap") + bitmapData(&pic->Bitmap(), "BMP"));
    break;
  case ctFilePicture:
    if (const TFilePicture* fp = g.CellFilePicture(); fp && !fp->Filename().empty())
      w.WriteString(rec->Property, fp->Filename());
    break;
  default:
    break;
  }
  return w.Finish();
}

// The numbers of the live grids: blocks of 1024, each under a task number no other process holds
// meanwhile (the process's own for the first block, a waiting thread's for each further one).
struct TIDBlock {
  std::uint32_t Number = 0;
  std::unique_ptr<TTaskNumberHold> Hold; // none for the process's own block
  std::bitset<1024> Used;
};

std::mutex gIDLock;
// Kept to the end of the process: a grid may go after the statics.
std::vector<TIDBlock>& IDBlocks() {
  static auto* blocks = new std::vector<TIDBlock>;
  return *blocks;
}

} // namespace

// ---- Header and grid numbers

std::string GridStreamHeaderImage(const TGridStreamHeader& Header) {
  TComponentWriter w("TGridPropIO");
  w.WriteInteger("ColCount", Header.ColCount);
  w.WriteInteger("RowCount", Header.RowCount);
  if (!Header.ColWidths.empty()) w.WriteString("ColWidths", Header.ColWidths);
  if (!Header.RowHeights.empty()) w.WriteString("RowHeights", Header.RowHeights);
  w.WriteBoolean("FullGrid", Header.FullGrid);
  w.WriteInteger("ID", Header.ID);
  return w.Finish();
}

TGridStreamHeader ReadGridStreamHeader(TStream& Stream) {
  TRecordReader r(Stream, "TGridPropIO");
  TGridStreamHeader h;
  h.ColCount = CheckedInt(r.Int("ColCount"));
  h.RowCount = CheckedInt(r.Int("RowCount"));
  h.ColWidths = r.Text("ColWidths").value_or("");
  h.RowHeights = r.Text("RowHeights").value_or("");
  h.FullGrid = CheckedBool(r.Bool("FullGrid"));
  h.ID = CheckedInt(r.Int("ID"));
  r.Done();
  if (h.ColCount < 0 || h.RowCount < 0) throw EProGridError("The stream's size is negative");
  return h;
}

TGridStreamID::TGridStreamID() {
  std::lock_guard<std::mutex> lock(gIDLock);
  std::vector<TIDBlock>& blocks = IDBlocks();
  if (blocks.empty()) blocks.push_back({CurrentProcessId(), nullptr, {}});
  auto block = std::find_if(blocks.begin(), blocks.end(), [](const TIDBlock& b) { return !b.Used.all(); });
  if (block == blocks.end()) {
    auto hold = std::make_unique<TTaskNumberHold>();
    const std::uint32_t number = hold->Value();
    block = blocks.insert(blocks.end(), TIDBlock{number, std::move(hold), {}});
  }
  std::size_t slot = 0;
  while (block->Used.test(slot))
    ++slot;
  block->Used.set(slot);
  // Task numbers stay below 2^22, so the number and the slot fill the 32 bits.
  FValue = static_cast<std::int32_t>(((block->Number & 0x3FFFFFu) << 10) | static_cast<std::uint32_t>(slot));
}

TGridStreamID::~TGridStreamID() {
  std::lock_guard<std::mutex> lock(gIDLock);
  std::vector<TIDBlock>& blocks = IDBlocks();
  const auto number = static_cast<std::uint32_t>(FValue) >> 10;
  auto block =
      std::find_if(blocks.begin(), blocks.end(), [&](const TIDBlock& b) { return b.Number == number; });
  if (block == blocks.end()) return;
  block->Used.reset(static_cast<std::size_t>(FValue & 0x3FF));
  // A further block gives its number back once it is empty.
  if (block->Hold && block->Used.none()) blocks.erase(block);
}

// ---- The grid's stream

void TProStringGrid::SaveRectToBinStream(const TGridRect& Rect, TStream& Stream) {
  WriteBinStream(Rect, Stream, false);
}

void TProStringGrid::WriteBinStream(const TGridRect& Rect, TStream& Stream, bool RealColumns) {
  // Only cells of the grid are written.
  const int cols = RealColumns ? TotalColCount() : ColCount();
  TGridRect R = Rect;
  R.Left = std::max(R.Left, 0);
  R.Top = std::max(R.Top, 0);
  R.Right = std::min(R.Right, cols - 1);
  R.Bottom = std::min(R.Bottom, RowCount() - 1);
  TGridStreamHeader h;
  h.ColCount = std::max(0, R.Right - R.Left + 1);
  h.RowCount = std::max(0, R.Bottom - R.Top + 1);
  if (FSaveFixedCells)
    h.FullGrid = RowCount() == h.RowCount && cols == h.ColCount;
  else
    h.FullGrid = RowCount() - FixedRows() == h.RowCount && cols - FixedCols() == h.ColCount;
  h.ID = StreamID();
  std::vector<int> widths, heights;
  for (int c = R.Left; c <= R.Right; ++c)
    widths.push_back(RealColumns ? AllColWidths(c) : ColWidths(c));
  for (int r = R.Top; r <= R.Bottom; ++r)
    heights.push_back(RowHeights(r));
  h.ColWidths = JoinInts(widths);
  h.RowHeights = JoinInts(heights);

  std::string out = GridStreamHeaderImage(h);
  ExportNotification(esExportStart, R.Top);
  int last = -1;
  for (int r = R.Top; r <= R.Bottom; ++r) {
    ExportNotification(esExportNextRow, r);
    for (int c = R.Left; c <= R.Right; ++c) {
      // Columns go out by display index, read from the real column behind each, or all of them
      // under their real index.
      const int rc = RealColumns ? c : std::max(0, DisplToRealCol(c));
      const TCellProperties* props = FindCellProperties(rc, r);
      TComponentWriter cell("TGridCellIO");
      cell.WriteInteger("Col", c);
      cell.WriteInteger("Row", r);
      const std::string text = Cells(rc, r);
      if (!text.empty()) cell.WriteString("Cell", text);
      cell.WriteBoolean("HasProp", props != nullptr);
      out += cell.Finish();
      if (!props) continue;
      const auto* g = dynamic_cast<const TCellGraphic*>(props->GraphicObject());
      // A graphic whose object the program handed in goes without it: only made objects travel.
      bool hasGraphic = g != nullptr && g->CellType() != ctEmpty;
      if (hasGraphic && ObjectRecordOf(g->CellType())) hasGraphic = g->CellCreated();
      out += PropsImage(*props, hasGraphic);
      if (!hasGraphic) continue;
      out += GraphicImage(*g);
      out += GraphicObjectImage(*g);
    }
    if (OnFileProgress) {
      int p = gridfile::Percent(r - R.Top, std::max(1, R.Bottom - R.Top));
      if (p != last) OnFileProgress(this, static_cast<std::int16_t>(last = p));
    }
  }
  ExportNotification(esExportDone, -1);
  Stream.WriteBuffer(out);
}

void TProStringGrid::SaveToBinStream(TStream& Stream) {
  // With SaveHiddenCells every real column goes out, as in the other files; they load visible.
  const bool all = FFileOptions.SaveHiddenCells;
  const int h = all ? NumHiddenColumns() : 0;
  WriteBinStream({SaveStartCol(), SaveStartRow(), SaveEndCol() + h, SaveEndRow()}, Stream, all);
}

void TProStringGrid::SaveToBinFile(const std::string& FileName) {
  TMemoryStream stream;
  SaveToBinStream(stream);
  TWriteResult written = stream.SaveToFile(FileName);
  if (!written) throw EProGridError(written.Error);
}

void TProStringGrid::LoadFromBinFile(const std::string& FileName) {
  TMemoryStream stream;
  if (!stream.LoadFromFile(FileName)) throw EFOpenError("Cannot open file \"" + FileName + "\"");
  LoadFromBinStream(stream);
}

void TProStringGrid::LoadFromBinStream(TStream& Stream) {
  LoadAtPointFromBinStream({0, 0}, Stream);
  int nodes = 0;
  for (int r = FixedRows(); r < RowCount(); ++r)
    if (GetCellType(0, r) == ctNode) ++nodes;
  FNumNodes = nodes;
  if (nodes > 0) RepaintCol(0);
}

void TProStringGrid::LoadAtPointFromBinStream(TPoint Point, TStream& Stream) {
  LoadBinStream(Point, Stream, true, false);
}

void TProStringGrid::LoadBinStream(TPoint Point, TStream& Stream, bool FullGridApplies, bool CheckOnly) {
  const std::int64_t start = Stream.Position();
  std::vector<TCellRecord> cells;
  TGridStreamHeader h;
  try {
    h = ReadGridStreamHeader(Stream);
    // A lone byte at the end is no record.
    while (Stream.Size() - Stream.Position() >= 2)
      cells.push_back(ReadCell(Stream));
  } catch (...) {
    Stream.SetPosition(start);
    throw;
  }
  if (!FullGridApplies) h.FullGrid = false;

  // Everything is checked before the grid changes.
  const TPoint origin = h.FullGrid || cells.empty() ? TPoint{0, 0} : TPoint{cells[0].Col, cells[0].Row};
  std::vector<int> widths, heights;
  long long newCols = ColCount(), newRows = RowCount();
  TPoint first{0, 0}; // where a full grid's own cells begin: after its fixed cells when it left them out
  if (h.FullGrid) {
    if (h.ColCount < 1 || h.RowCount < 1) throw EProGridError("The stream holds no cells");
    if (!cells.empty()) first = {cells[0].Col, cells[0].Row};
    newCols = static_cast<long long>(first.X) + h.ColCount;
    newRows = static_cast<long long>(first.Y) + h.RowCount;
    if (newCols > FFileOptions.MaxLoadColCount || newRows > FFileOptions.MaxLoadRowCount)
      throw EProGridError("The stream holds more columns or rows than the grid loads");
    widths = SizeList(h.ColWidths, h.ColCount);
    heights = SizeList(h.RowHeights, h.RowCount);
  }
  if (CheckOnly) return;

  if (h.FullGrid) {
    Clear();
    SetColCount(static_cast<int>(newCols));
    SetRowCount(static_cast<int>(newRows));
    for (int i = 0; i < h.ColCount; ++i)
      SetColWidths(first.X + i, widths[i]);
    for (int i = 0; i < h.RowCount; ++i)
      SetRowHeights(first.Y + i, heights[i]);
  }

  int last = -1, lastRow = -1;
  std::vector<std::pair<TPoint, TPoint>> merges; // base cell and extent
  for (TCellRecord& cell : cells) {
    const long long tc = static_cast<long long>(cell.Col) + Point.X - origin.X;
    const long long tr = static_cast<long long>(cell.Row) + Point.Y - origin.Y;
    // Cells that fall outside the grid are dropped.
    if (tc < 0 || tr < 0 || tc >= ColCount() || tr >= RowCount()) continue;
    const int r = static_cast<int>(tr), c = DisplToRealCol(static_cast<int>(tc));
    if (c < 0) continue;
    SetCells(c, r, cell.Text);
    if (r != lastRow && OnFileProgress) {
      lastRow = r;
      int p = gridfile::Percent(r - Point.Y, std::max(1, h.RowCount));
      if (p != last) OnFileProgress(this, static_cast<std::int16_t>(last = p));
    }
    if (!cell.Props) continue;
    // What the stream leaves out keeps the target's value.
    TCellProperties* p = CellProperties(c, r);
    if (!p) continue;
    const TPropRecord& s = *cell.Props;
    if (s.Alignment) p->SetAlignment(*s.Alignment);
    if (s.BorderColor) p->SetBorderColor(*s.BorderColor);
    if (s.BorderWidth) p->SetBorderWidth(*s.BorderWidth);
    if (s.BrushColor) p->SetBrushColor(*s.BrushColor);
    if (s.BrushColorTo) p->SetBrushColorTo(*s.BrushColorTo);
    if (s.BrushStyle) p->SetBrushStyle(*s.BrushStyle);
    if (s.FontColor) p->SetFontColor(*s.FontColor);
    if (s.FontName) p->SetFontName(*s.FontName);
    if (s.FontSize) p->SetFontSize(*s.FontSize);
    if (s.FontStyle) p->SetFontStyle(*s.FontStyle);
    if (s.Editor) p->SetEditor(*s.Editor);
    if (s.GradientDirection) p->SetGradientDirection(*s.GradientDirection);
    if (s.ReadOnly) p->SetReadOnly(*s.ReadOnly);
    if (s.WordWrap) p->SetWordWrap(*s.WordWrap);
    if (s.VAlignment) p->SetVAlignment(*s.VAlignment);
    if (s.NodeLevel) p->SetNodeLevel(*s.NodeLevel);
    // Merged areas are made again once every cell is in, and only where they fit.
    if (s.IsBaseCell.value_or(true) && s.CellSpanX.value_or(-1) >= 0 && s.CellSpanY.value_or(-1) >= 0 &&
        (*s.CellSpanX > 0 || *s.CellSpanY > 0))
      merges.push_back({{c, r}, {*s.CellSpanX + 1, *s.CellSpanY + 1}});
    if (!cell.Graphic) continue;
    TGraphicRecord& gr = *cell.Graphic;
    // Shared check boxes belong to the grid and an interfaced cell's object to the program: a
    // stream can bring neither.
    if (TCellGraphic::IsShared(gr.CellType) || gr.CellType == ctInterface) continue;
    TCellGraphic* g = CreateCellGraphic(c, r);
    if (!g) continue;
    g->SetCellType(gr.CellType);
    g->SetCellVAlign(gr.CellVAlign);
    g->SetCellHAlign(gr.CellHAlign);
    g->SetCellIndex(gr.CellIndex);
    g->SetCellTransparent(gr.CellTransparent);
    g->SetCellBoolean(gr.CellBoolean);
    g->SetCellCheckBoxState(gr.CellCheckBoxState);
    g->SetCellAngle(gr.CellAngle);
    g->SetCellValue(gr.CellValue);
    g->SetCellErrFrom(gr.CellErrFrom);
    g->SetCellErrLen(gr.CellErrLen);
    g->SetCellText(gr.CellText);
    switch (gr.CellType) {
    case ctBitmap:
    case ctBitButton:
      if (gr.Picture) g->SetCellObjectSlot(gr.Picture.release());
      break;
    case ctIcon:
      if (gr.Picture) g->SetCellIcon(gr.Picture.release());
      break;
    case ctRadio: {
      auto sl = std::make_unique<TStringList>();
      sl->AddStrings(gr.Strings);
      g->SetCellObjectSlot(sl.release());
      break;
    }
    case ctImages: {
      auto list = std::make_unique<TIntList>(c, r);
      for (int v : gr.Images)
        list->Add(v);
      list->OnChange = [this](TObject*, int lc, int lr) { RepaintGraphicCell(lc, lr); };
      g->SetCellObjectSlot(list.release());
      break;
    }
    case ctPicture: {
      auto pic = std::make_unique<TPicture>();
      if (gr.Picture) pic->Assign(*gr.Picture);
      g->SetCellObjectSlot(pic.release());
      break;
    }
    case ctFilePicture: {
      // The file is not opened while the stream is read; painting looks at it later.
      auto fp = std::make_unique<TFilePicture>();
      fp->SetFilenameUnopened(gr.Filename);
      g->SetCellObjectSlot(fp.release());
      break;
    }
    default:
      break;
    }
    g->MarkCreated();
  }
  for (auto [base, span] : merges)
    MergeCells(base.X, base.Y, span.X, span.Y);
  Invalidate();
}
