// The string tree's captions in tree streams, and the selection restored by text when nodes
// are added again.
#include "tree/StringTree.h"

#include "tree/StreamValues.h"
#include "tree/Utf16Text.h"

#include <algorithm>

namespace {

constexpr int CaptionChunk = 3;

bool LessText(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
  });
}

} // namespace

// ---------------------------------------------------------------- captions

void TCustomNodeStringTree::WriteChunks(TStream& Stream, PVNode Node) {
  TBaseNodeTree::WriteChunks(Stream, Node);
  if (!Has(toSaveCaptions) || Node == FRoot || !Node->States.Has(vsInitialized)) return;
  const std::u16string units = Utf8ToUtf16(Text(Node, MainColumn()));
  if (units.empty()) return;
  WriteValue<std::int32_t>(Stream, CaptionChunk);
  WriteValue<std::int32_t>(Stream, static_cast<std::int32_t>(2 * units.size()));
  for (char16_t u : units)
    WriteValue<std::uint16_t>(Stream, u);
}

bool TCustomNodeStringTree::ReadChunk(TStream& Stream, int Version, PVNode Node, int ChunkType,
                                      std::int64_t ChunkSize) {
  if (ChunkType != CaptionChunk) return TBaseNodeTree::ReadChunk(Stream, Version, Node, ChunkType, ChunkSize);
  const std::int64_t end = Stream.Position() + ChunkSize;
  // An odd size: the last byte is no code unit and is skipped.
  std::u16string units(static_cast<std::size_t>(ChunkSize / 2), u'\0');
  for (char16_t& u : units)
    u = ReadValue<std::uint16_t>(Stream);
  Stream.SetPosition(end);
  SetText(Node, MainColumn(), Utf16ToUtf8(units));
  return true;
}

// ---------------------------------------------------------------- restoring the selection

std::string TCustomNodeStringTree::PlainText(PVNode Node) {
  std::string text;
  OnGetText(this, Node, 0, ttNormal, text);
  return text;
}

void TCustomNodeStringTree::AddToSelection(PVNode Node) {
  TBaseNodeTree::AddToSelection(Node);
  if (!TBaseNodeTree::Has(toRestoreSelection) || !OnGetText || !Selected(Node) ||
      TreeStates().Has(tsPreviouslySelectedLocked))
    return;
  if (SelectedCount() == 1) FPreviouslySelected.clear();
  const std::string text = PlainText(Node);
  auto it = std::lower_bound(FPreviouslySelected.begin(), FPreviouslySelected.end(), text, LessText);
  if (it == FPreviouslySelected.end() || LessText(text, *it)) FPreviouslySelected.insert(it, text);
}

void TCustomNodeStringTree::RemoveFromSelection(PVNode Node) {
  TBaseNodeTree::RemoveFromSelection(Node);
  if (!TBaseNodeTree::Has(toRestoreSelection) || !OnGetText || Selected(Node)) return;
  if (SelectedCount() == 0) {
    FPreviouslySelected.clear();
    return;
  }
  const std::string text = PlainText(Node);
  auto it = std::lower_bound(FPreviouslySelected.begin(), FPreviouslySelected.end(), text, LessText);
  if (it != FPreviouslySelected.end() && !LessText(text, *it)) FPreviouslySelected.erase(it);
}

PVNode TCustomNodeStringTree::AddChild(PVNode Parent, void* UserData) {
  PVNode node = TBaseNodeTree::AddChild(Parent, UserData);
  if (!TBaseNodeTree::Has(toRestoreSelection) || !OnGetText || FPreviouslySelected.empty()) return node;
  const std::string text = PlainText(node);
  if (!std::binary_search(FPreviouslySelected.begin(), FPreviouslySelected.end(), text, LessText))
    return node;
  DoStateChange({tsPreviouslySelectedLocked});
  try {
    SetSelected(node, true);
  } catch (...) {
    DoStateChange({}, {tsPreviouslySelectedLocked});
    throw;
  }
  DoStateChange({}, {tsPreviouslySelectedLocked});
  if (SelectedCount() > 0 && UpdateCount() == 0) ScrollIntoView(GetFirstSelected(), true, false);
  return node;
}

bool TCustomNodeStringTree::DoGetCellIsEmpty(PVNode Node, TColumnIndex Column) {
  if (!Text(Node, Column).empty()) return false;
  return TBaseNodeTree::DoGetCellIsEmpty(Node, Column);
}
