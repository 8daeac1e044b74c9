// The clipboard text of the grid: TAB between fields, CR (with an optional LF) between lines.
#pragma once

#include "platform/ui/DataObject.h"

#include <string>
#include <string_view>
#include <vector>

// The registered "Rich Text Format": UTF-16 text ended by a zero character.
TClipFormat RichTextClipboardFormat();
// Lines of fields. A field holding a line break loses its enclosing double quotes, and each
// U+000B or lone LF in it becomes CR LF. EndsWithBreak: the text ended with a line break.
std::vector<std::vector<std::string>> SplitPastedText(std::string_view Text, bool& EndsWithBreak);
