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

// Completes an editor's text from the items while nothing is selected, the completed part then
// selected. Any edit control with text, caret and selection will do.
template <class TEditor, class TItems>
void CompleteEditorText(TEditor& Editor, const TItems& Items, bool CaseSensitive) {
  if (Editor.SelLength() != 0) return;
  const std::string text = Editor.Text();
  const auto c = CompleteFromItems(Items, text, Editor.SelStart(), CaseSensitive);
  if (!c || c->Text == text) return;
  Editor.SetText(c->Text);
  Editor.SetSelStart(c->SelStart);
  Editor.SetSelLength(c->SelLength);
}
