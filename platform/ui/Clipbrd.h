// The system clipboard's text.
#pragma once

#include <string>

class TClipboard {
public:
  // The text on the clipboard, "" when it holds none.
  std::string AsText() const;
  void SetAsText(const std::string& text);
};

TClipboard& Clipboard();
