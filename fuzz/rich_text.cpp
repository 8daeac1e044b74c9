// Rich text to plain text: any bytes end, and what comes out of an RTF document is UTF-8.
#include "platform/RichText.h"
#include "platform/TextCodec.h"
#include "support/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = AsText(data, size);
  const std::string plain = RtfToPlainText(bytes);
  if (bytes.substr(0, 5) == "{\\rtf") FuzzCheck(IsValidUtf8(plain), "the plain text of RTF is UTF-8");
  const std::string doc = "{\\rtf1 " + std::string(bytes) + "}";
  FuzzCheck(IsValidUtf8(RtfToPlainText(doc)), "any document body gives UTF-8");
  return 0;
}
