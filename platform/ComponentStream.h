// The runtime's component images: "TPF0", a class name, an (empty) component name, the published
// properties as name and tagged value, and two zero bytes. The writer encodes one image at a time;
// the reader takes one whole image apart into names and values, checking every length against
// the bytes there, and raises EReadError ("Invalid stream format") on anything else.
#pragma once

#include "platform/Streams.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The value tags of the image.
enum TValueType : std::uint8_t {
  vaNull = 0,
  vaList = 1,
  vaInt8 = 2,
  vaInt16 = 3,
  vaInt32 = 4,
  vaExtended = 5,
  vaString = 6,
  vaIdent = 7,
  vaFalse = 8,
  vaTrue = 9,
  vaBinary = 10,
  vaSet = 11,
  vaLString = 12,
  vaWString = 18,
  vaUTF8String = 20
};

// One value as read. Texts of every string tag arrive as UTF-8 in Text; identifiers and binary
// data sit in Text too; a set's names in Names; a list's items in Items.
struct TStreamValue {
  TValueType Type = vaNull;
  std::int64_t Int = 0;
  double Float = 0;
  std::string Text;
  std::vector<std::string> Names;
  std::vector<TStreamValue> Items;

  bool IsInteger() const { return Type == vaInt8 || Type == vaInt16 || Type == vaInt32; }
  bool IsBoolean() const { return Type == vaFalse || Type == vaTrue; }
  bool IsString() const {
    return Type == vaString || Type == vaLString || Type == vaWString || Type == vaUTF8String;
  }
};

struct TStreamProperty {
  std::string Name;
  TStreamValue Value;
};

struct TComponentImage {
  std::string ClassName;
  std::vector<TStreamProperty> Properties;
};

// Writes one image; each Write adds a property. End closes the image (Finish writes it out).
class TComponentWriter {
public:
  explicit TComponentWriter(std::string_view ClassName);
  void WriteInteger(std::string_view Name, std::int64_t Value);
  void WriteBoolean(std::string_view Name, bool Value);
  void WriteFloat(std::string_view Name, double Value);
  // The tag is chosen by the text: short or long 7-bit string, wide or UTF-8 string.
  void WriteString(std::string_view Name, std::string_view Utf8);
  void WriteIdent(std::string_view Name, std::string_view Ident);
  void WriteSet(std::string_view Name, const std::vector<std::string>& Idents);
  void WriteBinary(std::string_view Name, std::string_view Bytes);
  void WriteStringList(std::string_view Name, const std::vector<std::string>& Items);
  // The whole image (the property list and the owned-component list closed).
  std::string Finish() const;

private:
  void WriteName(std::string_view Name);
  void WriteStringValue(std::string_view Utf8);
  std::string FBytes;
};

// Reads the image at the stream's position; on success the position is just past it. On a fault
// the position is unspecified and EReadError says "Invalid stream format".
TComponentImage ReadComponentImage(TStream& Stream);

// The 10-byte extended-precision form of a double, and back (rounded to the nearest double).
std::string EncodeExtended(double Value);
double DecodeExtended(const unsigned char* Bytes);
