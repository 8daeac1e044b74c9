// Data dropped on a grid from another program: text, rich text, a grid-cell block and a column,
// at any place, with rows inserted or appended. No failure escapes the drop, the grid never grows
// past its load maximums, and a drop that is refused (and shown) leaves the grid's size alone.
#include "support/FuzzGrid.h"

#include "grid/GridDropTarget.h"
#include "platform/Dialogs.h"
#include "platform/ui/Clipboard.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const unsigned flags = in.ConsumeIntegral<std::uint8_t>();
  const int x = in.ConsumeIntegralInRange(-20, 400), y = in.ConsumeIntegralInRange(-20, 300);
  const std::string text = in.ConsumeRandomLengthString(4096);
  const std::string rtf = in.ConsumeRandomLengthString(256);
  const std::string cells = in.ConsumeRemainingBytesAsString();

  auto object = std::make_shared<TDataObject>();
  object->SetText(text);
  if (flags & 1) object->SetGlobal(CF_GRIDRTF(), AnsiTextBlock(rtf));
  if (flags & 2) {
    std::string block(8, '\0');
    const auto n = static_cast<std::uint32_t>(cells.size());
    std::memcpy(block.data(), &n, 4);
    object->SetGlobal(CF_GRIDCELLS(), block + cells);
  }
  if (flags & 4) object->SetGlobal(CF_GRIDCOL(), cells.substr(0, 4));
  if (flags & 8) object->SetGlobal(CF_GRIDURL(), AnsiTextBlock(text));

  int shown = 0;
  const TMessageHandler before = SetMessageHandler([&](const TMessageRequest&) {
    ++shown;
    return mrOk;
  });
  FuzzGridLoad(size, [&](TProStringGrid& grid) {
    grid.SetOptions(grid.Options() | goEditing);
    TDragDropSettings& dd = grid.DragDropSettings();
    if (!dd.DropTargetRegistered()) dd.SetOleDropTarget(true);
    dd.SetOleInsertRows(flags & 16);
    dd.SetOleEntireRows(flags & 32);
    dd.SetOleAppendRows(flags & 64);
    dd.SetOleColumnReorder(flags & 128);
    dd.SetOleDropRTF(flags & 1);
    TGridDropTarget& target = *dd.DropTarget();
    const TPoint pt = grid.ClientToScreen({x, y});
    const int cols = grid.ColCount(), rows = grid.RowCount();
    unsigned effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target.DragEnter(object, MK_LBUTTON, pt, effect);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target.DragOver(MK_LBUTTON, pt, effect);
    if (effect != DROPEFFECT_NONE) {
      const int before = shown;
      target.Drop(object, 0, pt, effect);
      if (shown != before)
        FuzzCheck(grid.ColCount() == cols && grid.RowCount() == rows && effect == DROPEFFECT_NONE,
                  "a refused drop leaves the grid's size and reports no effect");
    } else {
      target.DragLeave();
    }
  });
  SetMessageHandler(before);
  return 0;
}
