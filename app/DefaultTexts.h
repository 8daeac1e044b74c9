// The built-in English texts of the text table, kept as one block per window beside that window.
#pragma once

#include <span>
#include <string_view>

struct TDefaultText {
  int Number;
  std::string_view Text;
};

using TTextBlock = std::span<const TDefaultText>;

// Every block of built-in texts the composition names, in the order they are entered into the
// table; a later block wins where two name the same number.
std::span<const TTextBlock> DefaultTextBlocks();
