// Completion of typed text from a list: the first item that starts with what was typed up to the
// caret supplies the rest, which the editor then shows selected.
#pragma once

#include <optional>
#include <string>
#include <vector>

class TStrings;

struct TLookupCompletion {
  std::string Text;
  int Index = -1;    // the item that completed the text
  int SelStart = 0;  // characters: the typed part ...
  int SelLength = 0; // ... and the completed part, selected
};

// Caret in characters. An empty prefix completes nothing.
std::optional<TLookupCompletion> CompleteFromItems(const std::vector<std::string>& Items,
                                                   const std::string& Text, int Caret, bool CaseSensitive);
std::optional<TLookupCompletion> CompleteFromItems(const TStrings& Items, const std::string& Text, int Caret,
                                                   bool CaseSensitive);
