// The built-in English texts of the text table, kept as one block per window beside that window.
#pragma once

#include <span>
#include <string_view>

struct TDefaultText {
  int Number;
  std::string_view Text;
};

using TTextBlock = std::span<const TDefaultText>;

// Every block of built-in texts, in the order they are entered into the table.
std::span<const TTextBlock> DefaultTextBlocks();
