// The rich-edit stand-in's reader of RTF text, alone and inside a document.
#include "platform/ui/RichEditText.h"
#include "support/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  RichTextToPlain(text);
  RichTextToPlain("{\\rtf1 " + text + "}");
  return 0;
}
