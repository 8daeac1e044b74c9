// Clipboard and drop data of other programs: text blocks, the HTML envelope and file lists read
// without leaving their bytes, into valid UTF-8, and what we write reads back.
#include "platform/TextCodec.h"
#include "platform/ui/Clipboard.h"
#include "support/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = AsText(data, size);
  const std::string unicode = UnicodeTextFromBlock(bytes);
  FuzzCheck(IsValidUtf8(unicode), "a UTF-16 block gives UTF-8");
  FuzzCheck(UnicodeTextFromBlock(UnicodeTextBlock(unicode)) == unicode.substr(0, unicode.find('\0')),
            "text through a UTF-16 block");
  FuzzCheck(IsValidUtf8(AnsiTextFromBlock(bytes)), "an ANSI block gives UTF-8");
  const std::string html = HtmlFromClipboardBlock(bytes);
  FuzzCheck(html.size() <= bytes.size(), "the page lies inside the block");
  for (const std::string& file : FilesFromDropBlock(bytes))
    FuzzCheck(IsValidUtf8(file) && !file.empty(), "file names are UTF-8 and not empty");
  if (IsValidUtf8(bytes) && bytes.find('\0') == std::string_view::npos)
    FuzzCheck(HtmlFromClipboardBlock(ClipboardHtmlBlock(bytes)).find(bytes) != std::string::npos,
              "a page through the envelope");
  return 0;
}
