#include "grid/ProRichEdit.h"

#include "grid/EditTextForm.h"
#include "grid/ProGrid.h"
#include "platform/TextCodec.h"
#include "platform/ui/Graphics.h"
#include "platform/ui/RichEditText.h"

#include <algorithm>

namespace {

// The code-point index of a position counted in UTF-16 units.
int CharIndex(const std::u32string& text, int pos) {
  int units = 0, i = 0;
  for (; i < static_cast<int>(text.size()) && units < pos; ++i)
    units += text[static_cast<std::size_t>(i)] >= 0x10000 ? 2 : 1;
  return i;
}

} // namespace

TProRichEdit::TProRichEdit(TComponent* AOwner) : TEdit(AOwner), FGrid(dynamic_cast<TProStringGrid*>(AOwner)) {
  SetMultiLine(true);
  SetWantReturns(true);
}

void TProRichEdit::LoadRTF(const std::string& Rtf) {
  Load(RichTextRead(Rtf));
}

void TProRichEdit::Load(TRichPlainText Plain) {
  FLoading = true;
  SetText(Plain.Text);
  FLoading = false;
  FLastText = Utf8ToUtf32(Text());
  FOffsets = std::move(Plain.Offsets);
  FOffsets.resize(FLastText.size(), 0);
  FTypingSet = false;
  Measure();
}

std::string TProRichEdit::RTF() const {
  return RichTextWrite(Text(), FOffsets);
}

void TProRichEdit::Clear() {
  LoadRTF("");
}

void TProRichEdit::ShowStored(const std::string& Stored) {
  if (!IsEncodedWideText(Stored)) {
    LoadRTF(Stored);
    return;
  }
  // Wide text is never RTF, whatever its characters.
  TRichPlainText plain;
  plain.Text = ShownEditText(Stored);
  Load(std::move(plain));
}

std::string TProRichEdit::StoredText() const {
  const bool flat = std::all_of(FOffsets.begin(), FOffsets.end(), [](int o) { return o == 0; });
  if (flat && FGrid && IsEncodedWideText(FGrid->CurrentCell())) return StoredCurrentCellText(*FGrid, Text());
  return RTF();
}

unsigned TProRichEdit::DialogCode() const {
  return TEdit::DialogCode() | DLGC_WANTTAB;
}

void TProRichEdit::SetSelOffset(int Offset) {
  const int from = CharIndex(FLastText, SelStart());
  const int to = CharIndex(FLastText, SelStart() + SelLength());
  if (to > from) {
    for (int i = from; i < to && i < static_cast<int>(FOffsets.size()); ++i)
      FOffsets[static_cast<std::size_t>(i)] = Offset;
  }
  // What is typed next takes it too.
  FTypingOffset = Offset;
  FTypingSet = true;
  if (OnSelectionChange && CanFire()) OnSelectionChange(this);
}

bool TProRichEdit::SelOffsetIs(int Offset) const {
  const int from = CharIndex(FLastText, SelStart());
  const int to = CharIndex(FLastText, SelStart() + SelLength());
  if (to > from) {
    for (int i = from; i < to && i < static_cast<int>(FOffsets.size()); ++i)
      if (FOffsets[static_cast<std::size_t>(i)] != Offset) return false;
    return true;
  }
  if (FTypingSet) return FTypingOffset == Offset;
  const int before = from - 1;
  const int at = before >= 0 && before < static_cast<int>(FOffsets.size())
                     ? FOffsets[static_cast<std::size_t>(before)]
                     : 0;
  return at == Offset;
}

void TProRichEdit::FollowText() {
  const std::u32string now = Utf8ToUtf32(Text());
  const std::u32string& was = FLastText;
  std::size_t prefix = 0;
  while (prefix < now.size() && prefix < was.size() && now[prefix] == was[prefix])
    ++prefix;
  std::size_t suffix = 0;
  while (suffix < now.size() - prefix && suffix < was.size() - prefix &&
         now[now.size() - 1 - suffix] == was[was.size() - 1 - suffix])
    ++suffix;
  int typing = FTypingOffset;
  if (!FTypingSet) typing = prefix > 0 && prefix - 1 < FOffsets.size() ? FOffsets[prefix - 1] : 0;
  FOffsets.resize(was.size(), 0);
  std::vector<int> next(FOffsets.begin(), FOffsets.begin() + static_cast<std::ptrdiff_t>(prefix));
  next.insert(next.end(), now.size() - prefix - suffix, typing);
  next.insert(next.end(), FOffsets.end() - static_cast<std::ptrdiff_t>(suffix), FOffsets.end());
  FOffsets = std::move(next);
  FLastText = now;
}

void TProRichEdit::Measure() {
  TBitmap measure;
  measure.Canvas().Font().Assign(Font());
  const std::string text = Text();
  int width = 0, lines = 0;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find('\n', start);
    std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    width = std::max(width, measure.Canvas().TextWidth(line));
    ++lines;
    if (end == std::string::npos) break;
    start = end + 1;
  }
  FReqWidth = width;
  FReqHeight = lines * measure.Canvas().TextHeight("Wg");
}

void TProRichEdit::Change() {
  TEdit::Change();
  if (FLoading) return;
  FollowText();
  Measure();
  if (!FGrid || FLocked || this != FGrid->InplaceRichEdit() || !FGrid->SizeWhileTyping().Height()) return;
  // The row grows with the text, but never past the grid's bottom.
  const int h = FReqHeight + 5;
  const int row = FGrid->Row();
  if (h > FGrid->RowHeights(row) && Top() + h < FGrid->ClientHeight()) {
    SetBounds(Left(), Top(), Width(), h + 4);
    FGrid->SetRowHeights(row, h + 5);
    if (FGrid->OnEndRowSize) FGrid->OnEndRowSize(FGrid, row);
  }
}

void TProRichEdit::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  TEdit::KeyDown(Key, Shift);
  if (!FGrid || this != FGrid->InplaceRichEdit()) return;
  if (Key == VK_ESCAPE) {
    // As in every cell editor: the cell keeps the text it had.
    Key = 0;
    FGrid->SetEditRestored(true);
    FGrid->DoneInplaceEdit(0, Shift);
    return;
  }
  if (Key == VK_TAB && (FGrid->Options() & goTabs)) {
    std::uint16_t k = Key;
    Key = 0;
    if (FGrid->CanFocus()) FGrid->SetFocus();
    FGrid->Perform(WM_KEYDOWN, k, static_cast<LPARAM>(Shift));
    FGrid->ShowInplaceEdit();
    return;
  }
  if ((Key == VK_UP || Key == VK_DOWN) && !FGrid->WordWrap() && !FGrid->MultilineCells()) {
    std::uint16_t k = Key;
    Key = 0;
    if (FGrid->CanFocus()) FGrid->SetFocus();
    FGrid->Perform(WM_KEYDOWN, k, static_cast<LPARAM>(Shift));
  }
}

void TProRichEdit::DoExit() {
  if (FGrid && this == FGrid->InplaceRichEdit() && !FGrid->InvokedFocusChange()) FGrid->HideInplaceEdit();
  TEdit::DoExit();
}
