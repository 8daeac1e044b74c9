// The rich-edit stand-in's reader of RTF text, alone and inside a document; what it reads is
// written again and must read back the same.
#include "platform/ui/RichEditText.h"
#include "support/FuzzSupport.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  RichTextToPlain(text);
  const TRichPlainText read = RichTextRead("{\\rtf1 " + text + "}");
  const TRichPlainText again = RichTextRead(RichTextWrite(read.Text, read.Offsets));
  if (again.Text != read.Text || again.Offsets != read.Offsets) std::abort();
  return 0;
}
