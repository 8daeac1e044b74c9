// The plain text of a rich text (RTF) document, as a rich-text box shows it: destinations that
// hold no text (font and colour tables, style sheets, pictures, document info) are skipped,
// paragraph marks become CR LF, escaped and Unicode characters are decoded to UTF-8. Text that is
// not RTF comes back as it is.
#pragma once

#include <string>
#include <string_view>

std::string RtfToPlainText(std::string_view rtf);
