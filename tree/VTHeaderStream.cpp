// The header stream: a marker and version, the columns with their position map, then the header's
// own fields. Counts and lengths read from it are checked against the bytes left before anything
// is allocated, and a column is applied only once its whole record has been read.
#include "platform/TextCodec.h"
#include "tree/NodeTrees.h"
#include "tree/StreamValues.h"
#include "tree/VTHeader.h"

#include <algorithm>
#include <string>

namespace {
[[noreturn]] void Damaged() {
  throw EReadError("Stream read error");
}

std::int64_t BytesLeft(TStream& Stream) {
  return std::max<std::int64_t>(0, Stream.Size() - Stream.Position());
}

std::int32_t ReadInt(TStream& Stream) {
  return ReadValue<std::int32_t>(Stream);
}

// Sizes in pixels; anything beyond a million pixels either way is damage.
constexpr std::int32_t PixelLimit = 1 << 20;
std::int32_t ReadPixels(TStream& Stream, std::int32_t Low) {
  const std::int32_t v = ReadInt(Stream);
  if (v < Low || v > PixelLimit) Damaged();
  return v;
}

void WriteInt(TStream& Stream, std::int64_t Value) {
  WriteValue<std::int32_t>(Stream, static_cast<std::int32_t>(Value));
}

// An enumeration value stored in an Int32; anything outside 0 .. Last is damage.
template <class E> E ReadEnum(TStream& Stream, int Last) {
  const std::int32_t v = ReadInt(Stream);
  if (v < 0 || v > Last) Damaged();
  return static_cast<E>(v);
}

std::string Utf8ToUtf16Bytes(const std::string& text) {
  std::string out;
  for (char32_t c : Utf8ToUtf32(text)) {
    auto unit = [&out](char32_t u) {
      out.push_back(static_cast<char>(u & 0xFF));
      out.push_back(static_cast<char>((u >> 8) & 0xFF));
    };
    if (c >= 0x10000) {
      c -= 0x10000;
      unit(0xD800 + (c >> 10));
      unit(0xDC00 + (c & 0x3FF));
    } else {
      unit(c);
    }
  }
  return out;
}

std::string Utf16BytesToUtf8(const std::string& bytes) {
  std::u32string chars;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    auto unit = [&bytes](std::size_t at) {
      return static_cast<char32_t>(static_cast<unsigned char>(bytes[at]) |
                                   (static_cast<unsigned char>(bytes[at + 1]) << 8));
    };
    char32_t u = unit(i);
    if (u >= 0xD800 && u <= 0xDBFF && i + 3 < bytes.size()) {
      const char32_t low = unit(i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        chars.push_back(0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
        i += 2;
        continue;
      }
    }
    chars.push_back(u >= 0xD800 && u <= 0xDFFF ? char32_t(0xFFFD) : u);
  }
  return Utf32ToUtf8(chars);
}

// A string of Count units of UnitSize bytes; a count that is negative or larger than what is left
// is damage.
std::string ReadCounted(TStream& Stream, std::int32_t Count, int UnitSize) {
  const std::int64_t bytes = static_cast<std::int64_t>(Count) * UnitSize;
  if (Count < 0 || bytes > BytesLeft(Stream)) Damaged();
  std::string out(static_cast<std::size_t>(bytes), '\0');
  Stream.ReadBuffer(out.data(), bytes);
  return out;
}

// Bytes of one column record at least, without its texts.
std::int64_t MinColumnRecord(int Version) {
  return 14 * 4 + (Version >= 1 ? 8 : 0) + (Version >= 2 ? 4 : 0);
}

TVTColumnOptions ConvertColumnOptions(std::uint32_t bits, int Version) {
  if (Version >= 3) return TVTColumnOptions::FromBits(static_cast<std::uint16_t>(bits & 0xFFFF));
  if (Version == 2) return TVTColumnOptions::FromBits(static_cast<std::uint16_t>(bits & 0xFF));
  // Before version 2 there was no parent colour: bits 4 .. 6 move up by one.
  return TVTColumnOptions::FromBits(static_cast<std::uint16_t>((bits & 0x0F) | ((bits & 0x70) << 1)));
}
} // namespace

void TNodeTreeColumn::SaveToStream(TStream& Stream) const {
  const std::string text = Utf8ToUtf16Bytes(FText), hint = Utf8ToUtf16Bytes(FHint);
  WriteInt(Stream, static_cast<std::int64_t>(text.size() / 2));
  Stream.WriteBuffer(text);
  WriteInt(Stream, static_cast<std::int64_t>(hint.size() / 2));
  Stream.WriteBuffer(hint);
  for (std::int64_t v :
       {std::int64_t(FWidth), std::int64_t(FMinWidth), std::int64_t(FMaxWidth), std::int64_t(FStyle),
        std::int64_t(FImageIndex), std::int64_t(FLayout), std::int64_t(FMargin), std::int64_t(FSpacing),
        std::int64_t(FBiDiMode), std::int64_t(FOptions.Bits()), std::int64_t(FTag), std::int64_t(FAlignment),
        std::int64_t(FColor)})
    WriteInt(Stream, v);
  if (FOptions.Has(coUseCaptionAlignment)) WriteInt(Stream, FCaptionAlignment);
}

void TNodeTreeColumn::LoadFromStream(TStream& Stream, int Version) {
  // The whole record first; nothing of it is applied when any part is missing or damaged.
  const std::string text = ReadCounted(Stream, ReadInt(Stream), 2);
  const std::string hint = ReadCounted(Stream, ReadInt(Stream), 2);
  const int width = ReadPixels(Stream, -PixelLimit), minWidth = ReadPixels(Stream, -PixelLimit),
            maxWidth = ReadPixels(Stream, -PixelLimit);
  const auto style = ReadEnum<TNodeTreeColumnStyle>(Stream, vsOwnerDraw);
  const int imageIndex = ReadInt(Stream);
  const auto layout = ReadEnum<TVTHeaderColumnLayout>(Stream, blGlyphBottom);
  const int margin = ReadPixels(Stream, -PixelLimit), spacing = ReadPixels(Stream, -PixelLimit);
  const auto bidi = ReadEnum<TBiDiMode>(Stream, bdRightToLeftReadingOnly);
  const TVTColumnOptions options = ConvertColumnOptions(static_cast<std::uint32_t>(ReadInt(Stream)), Version);
  std::int32_t tag = 0;
  TAlignment alignment = taLeftJustify, captionAlignment = taLeftJustify;
  TColor color = FColor;
  if (Version >= 1) {
    tag = ReadInt(Stream);
    alignment = ReadEnum<TAlignment>(Stream, taCenter);
  }
  if (Version >= 2) color = static_cast<TColor>(ReadInt(Stream));
  const bool hasCaptionAlignment = Version >= 6 && options.Has(coUseCaptionAlignment);
  if (hasCaptionAlignment) captionAlignment = ReadEnum<TAlignment>(Stream, taCenter);

  SetText(Utf16BytesToUtf8(text));
  FHint = Utf16BytesToUtf8(hint);
  SetWidth(width);
  SetMinWidth(minWidth);
  SetMaxWidth(maxWidth);
  SetStyle(style);
  SetImageIndex(imageIndex);
  SetLayout(layout);
  SetMargin(margin);
  SetSpacing(spacing);
  SetBiDiMode(bidi);
  SetOptions(options);
  if (Version >= 1) {
    FTag = tag;
    SetAlignment(alignment);
  }
  if (Version >= 2) SetColor(color);
  if (hasCaptionAlignment) SetCaptionAlignment(captionAlignment);
}

void TNodeTreeColumns::SaveToStream(TStream& Stream) const {
  WriteInt(Stream, Count());
  for (int i = 0; i < Count(); ++i)
    Items(i)->SaveToStream(Stream);
  if (Count() > 0)
    for (TColumnIndex index : FPositionToIndex)
      WriteInt(Stream, index);
  WriteInt(Stream, FDefaultWidth);
}

void TNodeTreeColumns::LoadFromStream(TStream& Stream, int Version) {
  Clear();
  const std::int32_t count = ReadInt(Stream);
  if (count < 0 || count * (MinColumnRecord(Version) + 4) > BytesLeft(Stream)) Damaged();
  if (count > 0) {
    BeginUpdate();
    try {
      for (int i = 0; i < count; ++i) {
        TNodeTreeColumn* column = Add();
        try {
          column->LoadFromStream(Stream, Version);
        } catch (...) {
          // Nothing of a damaged record was applied; the column it was read for goes again.
          delete column;
          throw;
        }
      }
      // The map must name every column once, or the navigation would step outside the collection.
      std::vector<TColumnIndex> map(static_cast<std::size_t>(count));
      std::vector<bool> seen(map.size(), false);
      for (auto& entry : map) {
        entry = ReadInt(Stream);
        if (entry < 0 || entry >= count || seen[static_cast<std::size_t>(entry)]) Damaged();
        seen[static_cast<std::size_t>(entry)] = true;
      }
      FPositionToIndex = std::move(map);
      RecalcColumnLefts(true);
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
  }
  if (Version >= 5) FDefaultWidth = ReadInt(Stream);
}

void TVTHeader::SaveToStream(TStream& Stream) const {
  WriteInt(Stream, -1);
  WriteInt(Stream, HeaderStreamVersion);
  FColumns->SaveToStream(Stream);
  WriteInt(Stream, FAutoSizeIndex);
  WriteInt(Stream, FBackgroundColor);
  WriteInt(Stream, FHeight);
  WriteInt(Stream, FOptions.Bits());
  WriteInt(Stream, FStyle);
  WriteInt(Stream, FFont.Color());
  WriteInt(Stream, FFont.Height());
  WriteInt(Stream, static_cast<std::int64_t>(FFont.Name().size()));
  Stream.WriteBuffer(FFont.Name());
  WriteInt(Stream, FFont.Pitch());
  WriteInt(Stream, FFont.Style() & (fsBold | fsItalic | fsUnderline | fsStrikeOut));
  WriteInt(Stream, MainColumn());
  WriteInt(Stream, SortColumn());
  WriteInt(Stream, SortDirection());
  WriteInt(Stream, FParentFont ? 1 : 0);
  WriteInt(Stream, FMaxHeight);
  WriteInt(Stream, FMinHeight);
  WriteInt(Stream, FDefaultHeight);
  const TVTFixedAreaConstraints& c = *FFixedAreaConstraints;
  for (int v : {c.FMaxHeightPercent, c.FMaxWidthPercent, c.FMinHeightPercent, c.FMinWidthPercent})
    WriteInt(Stream, v);
}

void TVTHeader::LoadFromStream(TStream& Stream) {
  FStates.Include(hsLoading);
  const TVTHeaderOptions saved = FOptions;
  bool optionsBack = false;
  FOptions = {};
  auto finish = [this] {
    // A stream without the main and sort columns (or one cut short) must not leave them naming
    // columns that are gone.
    ClampMainColumn();
    if (FOwner->SortColumn() >= FColumns->Count()) FOwner->SetSortColumn(NoColumn);
    FStates.Exclude(hsLoading);
    FOwner->DoColumnResize(NoColumn);
  };
  try {
    int version = -1;
    const std::int32_t first = ReadInt(Stream);
    if (first < 0)
      version = ReadInt(Stream);
    else
      Stream.Seek(-4, soCurrent); // no marker: the value is the column count
    FColumns->LoadFromStream(Stream, version);
    const int autoSize = ReadInt(Stream);
    const auto background = static_cast<TColor>(ReadInt(Stream));
    const int height = ReadPixels(Stream, -PixelLimit);
    SetAutoSizeIndex(autoSize);
    SetBackground(background);
    SetHeight(height);
    const auto options = TVTHeaderOptions::FromBits(static_cast<std::uint32_t>(ReadInt(Stream)));
    FOptions = saved;
    optionsBack = true;
    SetOptions(options);
    SetStyle(ReadEnum<TVTHeaderStyle>(Stream, hsPlates));
    const auto fontColor = static_cast<TColor>(ReadInt(Stream));
    const int fontHeight = ReadPixels(Stream, -PixelLimit);
    const std::string fontName = ReadCounted(Stream, ReadInt(Stream), 1);
    const auto pitch = ReadEnum<TFontPitch>(Stream, fpFixed);
    const auto fontStyle = static_cast<TFontStyles>(ReadInt(Stream));
    FFont.SetColor(fontColor);
    FFont.SetHeight(fontHeight);
    FFont.SetName(IsValidUtf8(fontName) ? fontName : Windows1252ToUtf8(fontName));
    FFont.SetPitch(pitch);
    FFont.SetStyle(fontStyle & (fsBold | fsItalic | fsUnderline | fsStrikeOut));
    if (version >= 1) {
      const int main = ReadInt(Stream), sort = ReadInt(Stream);
      const auto direction = ReadEnum<TSortDirection>(Stream, sdDescending);
      SetMainColumn(main);
      SetSortColumn(sort);
      SetSortDirection(direction);
    }
    if (version >= 5) {
      const bool parentFont = ReadInt(Stream) != 0;
      // Stored as they are, so they must be bounds a header can have.
      const int maxHeight = ReadPixels(Stream, 0), minHeight = ReadPixels(Stream, 0),
                defaultHeight = ReadPixels(Stream, 0);
      if (minHeight > maxHeight || defaultHeight < minHeight || defaultHeight > maxHeight) Damaged();
      int percents[4];
      for (int& p : percents) {
        p = ReadInt(Stream);
        if (p < 0 || p > 100) Damaged();
      }
      SetParentFont(parentFont);
      FMaxHeight = maxHeight;
      FMinHeight = minHeight;
      FDefaultHeight = defaultHeight;
      TVTFixedAreaConstraints& c = *FFixedAreaConstraints;
      c.FMaxHeightPercent = static_cast<std::uint8_t>(percents[0]);
      c.FMaxWidthPercent = static_cast<std::uint8_t>(percents[1]);
      c.FMinHeightPercent = static_cast<std::uint8_t>(percents[2]);
      c.FMinWidthPercent = static_cast<std::uint8_t>(percents[3]);
    }
  } catch (...) {
    // A damaged stream leaves the header's options as they were.
    if (!optionsBack) FOptions = saved;
    finish();
    throw;
  }
  finish();
}
