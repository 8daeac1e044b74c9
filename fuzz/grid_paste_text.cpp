// Pasted clipboard text written into a grid that may grow: the grid never grows past its load
// maximums, and a refused paste leaves its size as it was.
#include "support/FuzzGrid.h"

#include "grid/GridClipboardText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(AsText(data, size));
  bool endsWithBreak = false;
  const auto lines = SplitPastedText(text, endsWithBreak);
  FuzzCheck(lines.size() <= text.size() + 1, "no more lines than the text has");
  FuzzGridLoad(size, [&](TProStringGrid& grid) {
    grid.SetOptions(grid.Options() | goEditing);
    grid.Navigation().SetClipboardPasteAction(size % 3 == 0 ? paInsert : paReplace);
    int rows = 0, fields = 0;
    grid.PasteText(1, 1, text, rows, fields);
    grid.Navigation().SetClipboardPasteAction(paReplace);
  });
  return 0;
}
