// Text decoding: any bytes become valid UTF-8; UTF-8 survives the way through UTF-32, and code
// page texts come back from their UTF-8.
#include "platform/TextCodec.h"
#include "support/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = AsText(data, size);
  const std::string decoded = DecodeTextFile(bytes);
  FuzzCheck(IsValidUtf8(decoded), "a decoded file is UTF-8");
  if (IsValidUtf8(bytes)) FuzzCheck(Utf32ToUtf8(Utf8ToUtf32(bytes)) == bytes, "UTF-8 through UTF-32");
  const std::string latin = Windows1252ToUtf8(bytes);
  FuzzCheck(IsValidUtf8(latin), "Windows-1252 gives UTF-8");
  const std::string back = Utf8ToWindows1252(latin);
  FuzzCheck(back.size() == bytes.size(), "one byte per Windows-1252 character");
  FuzzCheck(IsValidUtf8(Cp850ToUtf8(bytes)), "CP850 gives UTF-8");
  FuzzCheck(Utf8ToCp850(Cp850ToUtf8(bytes)) == bytes, "CP850 through UTF-8");
  return 0;
}
