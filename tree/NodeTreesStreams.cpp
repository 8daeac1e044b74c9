// Tree streams: the file header and the nested node chunks, written and read back. The reader
// trusts nothing: sizes are checked against the enclosing chunk, child counts against the bytes
// left, and only the persistent node states are taken.
#include "tree/NodeTrees.h"

#include "platform/AtomicFile.h"
#include "tree/StreamValues.h"
#include "platform/Files.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::uint16_t Magic[6] = {0x2045, 0x0056, 0x0054, 2, 0x0020, 0x2046};
constexpr int NodeChunk = 1, BaseChunk = 2, UserDataChunk = 4;
constexpr std::int64_t ChunkHeaderSize = 8;
constexpr std::int64_t BasePayloadV2 = 19, BasePayloadV1 = 12;
// Smallest child: node header, base header and base payload.
constexpr std::int64_t SmallestChildV2 = 35, SmallestChildV1 = 28;
// Deeper nesting than any tree the program builds; stops a crafted stream from exhausting the stack.
constexpr int MaxNesting = 4096;

[[noreturn]] void Raise(int code) {
  switch (code) {
  case 2002: throw ENodeTreeError("Unable to load tree structure, the format is wrong.", 2002);
  case 2003: throw ENodeTreeError("Unable to load tree structure, the version is unknown.", 2003);
  case 2004: throw ENodeTreeError("Unable to load tree structure, not enough data available.", 2004);
  case 2005: throw ENodeTreeError("Stream data corrupt. A node's anchor chunk is missing.", 2005);
  default: throw ENodeTreeError("Stream data corrupt. Unexpected data after node's end position.", 2006);
  }
}

struct TChunkHeader {
  std::int32_t Type;
  std::int32_t Size;
};

TChunkHeader ReadHeader(TStream& s) {
  TChunkHeader h{};
  h.Type = ReadValue<std::int32_t>(s);
  h.Size = ReadValue<std::int32_t>(s);
  return h;
}

void WriteHeader(TStream& s, std::int32_t type, std::int32_t size) {
  WriteValue(s, type);
  WriteValue(s, size);
}

// Checks the 12 header bytes; returns the version (1 or 2).
int CheckMagic(const std::uint16_t (&units)[6]) {
  if (units[0] != Magic[0] || units[1] != Magic[1] || units[2] != Magic[2] || units[5] != Magic[5]) Raise(2002);
  const int version = units[3] == 0 ? 1 : units[3];
  if (version > 2) Raise(2003);
  return version;
}

void WriteMagic(TStream& s) {
  for (std::uint16_t unit : Magic) WriteValue(s, unit);
}

} // namespace

// ---------------------------------------------------------------- writing

void TBaseNodeTree::SaveToStream(TStream& Stream, PVNode Node) {
  WriteMagic(Stream);
  const bool one = Node && Node != FRoot;
  WriteValue<std::int32_t>(Stream, one ? 1 : static_cast<std::int32_t>(RootNodeCount()));
  if (one) {
    WriteNode(Stream, Node);
  } else {
    for (PVNode child = FRoot->FirstChild; child; child = child->NextSibling) WriteNode(Stream, child);
  }
  if (OnSaveTree) OnSaveTree(this, Stream);
}

bool TBaseNodeTree::SaveToFile(const std::string& FileName, std::string* error) {
  TMemoryStream stream;
  SaveToStream(stream);
  const TWriteResult result = WriteFileAtomic(FileName, stream.Bytes());
  if (!result && error) *error = result.Error;
  return result.Ok;
}

void TBaseNodeTree::WriteNode(TStream& Stream, PVNode Node) {
  if (Has(toInitOnSave)) {
    if (!Node->States.Has(vsInitialized)) InitNode(Node);
    if (Node->States.Has(vsHasChildren) && Node->ChildCount == 0) InitChildren(Node);
  }
  const std::int64_t start = Stream.Position();
  WriteHeader(Stream, NodeChunk, 0);
  WriteChunks(Stream, Node);
  FinishChunkHeader(Stream, start, Stream.Position());
}

void TBaseNodeTree::WriteChunks(TStream& Stream, PVNode Node) {
  const std::int64_t baseStart = Stream.Position();
  WriteHeader(Stream, BaseChunk, 0);
  const bool withChildren = Node->States.Has(vsInitialized);
  // The count says how many child chunks follow, so a reader never looks for children not stored.
  WriteValue<std::uint32_t>(Stream, withChildren ? Node->ChildCount : 0);
  WriteValue<std::uint32_t>(Stream, Node->NodeHeight);
  WriteValue<std::uint32_t>(Stream, (Node->States.Value() * PersistentNodeStates).Bits());
  WriteValue<std::uint8_t>(Stream, Node->Align);
  WriteValue<std::uint8_t>(Stream, Node->CheckState);
  WriteValue<std::uint8_t>(Stream, Node->CheckType);
  WriteValue<std::uint32_t>(Stream, 0);
  if (withChildren)
    for (PVNode child = Node->FirstChild; child; child = child->NextSibling) WriteNode(Stream, child);
  FinishChunkHeader(Stream, baseStart, Stream.Position());

  const std::int64_t dataStart = Stream.Position();
  WriteHeader(Stream, UserDataChunk, 0);
  DoSaveUserData(Node, Stream);
  if (Stream.Position() == dataStart + ChunkHeaderSize) {
    Stream.SetPosition(dataStart);
    Stream.SetSize(dataStart);
  } else {
    FinishChunkHeader(Stream, dataStart, Stream.Position());
  }
}

void TBaseNodeTree::FinishChunkHeader(TStream& Stream, std::int64_t StartPos, std::int64_t EndPos) {
  Stream.SetPosition(StartPos + 4);
  WriteValue<std::int32_t>(Stream, static_cast<std::int32_t>(EndPos - StartPos - ChunkHeaderSize));
  Stream.SetPosition(EndPos);
}

// ---------------------------------------------------------------- reading

void TBaseNodeTree::LoadFromStream(TStream& Stream) {
  if (Has(toReadOnly)) return;
  // The header is checked before the tree is cleared, so a wrong file loses no nodes.
  std::uint16_t units[6];
  if (Stream.Read(units, sizeof units) != static_cast<std::int64_t>(sizeof units)) Raise(2004);
  const int version = CheckMagic(units);
  Clear();
  BeginUpdate();
  try {
    ReadStreamNodes(Stream, version, FRoot);
    DoNodeCopied(nullptr);
    if (OnLoadTree) OnLoadTree(this, Stream);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TBaseNodeTree::LoadFromFile(const std::string& FileName) {
  std::string bytes;
  if (!ReadFileBytes(FileName, bytes)) throw std::runtime_error("Cannot open file \"" + FileName + "\".");
  TMemoryStream stream;
  Fill(stream, bytes);
  LoadFromStream(stream);
}

void TBaseNodeTree::AddFromStream(TStream& Stream, PVNode TargetNode) {
  Assert(TargetNode != nullptr, "Node must not be nil.");
  if (Has(toReadOnly)) return;
  std::uint16_t units[6];
  Stream.ReadBuffer(units, sizeof units);
  const int version = CheckMagic(units);
  BeginUpdate();
  try {
    ReadStreamNodes(Stream, version, TargetNode);
    DoNodeCopied(TargetNode == FRoot ? nullptr : TargetNode);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TBaseNodeTree::ReadStreamNodes(TStream& Stream, int Version, PVNode Target) {
  StopCacheValidation();
  std::int64_t remaining = Version == 2 ? ReadValue<std::int32_t>(Stream) : INT64_MAX;
  while (remaining > 0 && Stream.Position() < Stream.Size()) {
    PVNode node = AllocateNode();
    LinkNode(node, Target, this, amAddChildLast);
    ReadNode(Stream, Version, node, Stream.Size());
    --remaining;
  }
  // A stream that ends before the nodes it announced is cut short.
  if (Version == 2 && remaining > 0) Raise(2004);
}

void TBaseNodeTree::LoadNodeInto(TStream& Stream, int Version, PVNode Node) {
  ReadNode(Stream, Version, Node, Stream.Size());
}

void TBaseNodeTree::ReadNode(TStream& Stream, int Version, PVNode Node, std::int64_t End) {
  Assert(Node != FRoot, "The root node cannot be loaded from stream.");
  PVNode parent = Node->Parent;
  const bool parentShows = parent->States.Has(vsExpanded);
  const std::int64_t oldHeight = parentShows && Node->States.Has(vsVisible) ? Node->TotalHeight : 0;
  const std::int64_t oldShown = FullyVisible(Node)
                                    ? CountVisibleDescendants(Node) + (IsEffectivelyVisible(Node) ? 1 : 0)
                                    : 0;
  auto repair = [&] {
    RecalcTotalCount(Node);
    AddToTotalCount(parent, static_cast<std::int64_t>(Node->TotalCount) - 1, true);
    RecalcTotalHeight(Node);
    const std::int64_t newHeight = parentShows && Node->States.Has(vsVisible) ? Node->TotalHeight : 0;
    AddToTotalHeight(parent, newHeight - oldHeight, true);
    const std::int64_t newShown = FullyVisible(Node)
                                      ? CountVisibleDescendants(Node) + (IsEffectivelyVisible(Node) ? 1 : 0)
                                      : 0;
    FVisibleCount = static_cast<std::uint32_t>(FVisibleCount + newShown - oldShown);
    if (parent != FRoot) UpdateAllChildrenHiddenFlag(parent);
  };
  try {
    ReadChunks(Stream, Version, Node, End);
  } catch (...) {
    // A node that could not be read whole leaves the tree again, bookkeeping first.
    repair();
    PVNode stop = Node->NextSibling;
    for (PVNode run = Node; run && run != stop; run = GetNextNoInit(run)) run->States.Exclude(vsSelected);
    DeleteNode(Node);
    throw;
  }
  repair();
  ClearTempNodes();
  RestoreSelection(Node);
}

void TBaseNodeTree::RestoreSelection(PVNode Node) {
  PVNode stop = nullptr;
  for (PVNode up = Node; up != FRoot && !stop; up = up->Parent) stop = up->NextSibling;
  if (!Has(toMultiSelect)) {
    for (PVNode run = Node; run && run != stop; run = GetNextNoInit(run)) run->States.Exclude(vsSelected);
    return;
  }
  TNodeArray add;
  for (PVNode run = Node; run && run != stop; run = GetNextNoInit(run)) {
    int index;
    if (run->States.Has(vsSelected) && !LocateInSelection(run, index, -1, -1)) add.push_back(run);
  }
  if (!add.empty()) AddNodesToSelection(add, static_cast<int>(add.size()), true);
}

void TBaseNodeTree::ReadChunks(TStream& Stream, int Version, PVNode Node, std::int64_t End) {
  const TChunkHeader header = ReadHeader(Stream);
  if (header.Type != NodeChunk) Raise(2005);
  const std::int64_t start = Stream.Position();
  if (header.Size < 0 || start + header.Size > End) Raise(2006);
  const std::int64_t nodeEnd = start + header.Size;
  while (Stream.Position() < nodeEnd) {
    if (Stream.Position() + ChunkHeaderSize > nodeEnd) Raise(2006);
    const TChunkHeader chunk = ReadHeader(Stream);
    if (chunk.Size < 0 || Stream.Position() + chunk.Size > nodeEnd) Raise(2006);
    ReadChunk(Stream, Version, Node, chunk.Type, chunk.Size);
  }
  if (Stream.Position() != nodeEnd) Raise(2006);
}

bool TBaseNodeTree::ReadChunk(TStream& Stream, int Version, PVNode Node, int ChunkType, std::int64_t ChunkSize) {
  const std::int64_t chunkEnd = Stream.Position() + ChunkSize;
  if (ChunkType == BaseChunk) {
    if (ChunkSize < (Version == 1 ? BasePayloadV1 : BasePayloadV2)) Raise(2006);
    std::uint32_t childCount = ReadValue<std::uint32_t>(Stream);
    const std::uint32_t height = ReadValue<std::uint32_t>(Stream);
    TVNodeStates states;
    if (Version == 1) {
      const std::uint8_t bits = ReadValue<std::uint8_t>(Stream);
      states = TVNodeStates::FromBits(bits & 0x7F) * PersistentNodeStates;
      states.Include(vsVisible);
      if (bits & 0x80) states.Include(vsSelected);
    } else {
      states = TVNodeStates::FromBits(ReadValue<std::uint32_t>(Stream)) * PersistentNodeStates;
    }
    const std::uint8_t align = ReadValue<std::uint8_t>(Stream);
    const std::uint8_t checkState = ReadValue<std::uint8_t>(Stream);
    const std::uint8_t checkType = ReadValue<std::uint8_t>(Stream);
    if (Version == 2) ReadValue<std::uint32_t>(Stream);
    const std::int64_t smallest = Version == 1 ? SmallestChildV1 : SmallestChildV2;
    if (static_cast<std::int64_t>(childCount) > (chunkEnd - Stream.Position()) / smallest) Raise(2006);
    if (childCount > 0 && GetNodeLevel(Node) >= MaxNesting) Raise(2006);
    Node->States.Set(states + (Node->States.Value() * TVNodeStates{vsUserDataConstructed}));
    Node->NodeHeight = static_cast<std::uint16_t>(height);
    Node->TotalHeight = height & 0xFFFF;
    Node->Align = std::min<std::uint8_t>(align, 100);
    Node->CheckState = checkState <= csMixedDisabled ? static_cast<TCheckState>(checkState) : csUncheckedNormal;
    Node->CheckType = checkType <= ctButton ? static_cast<TCheckType>(checkType) : ctNone;
    // Children are told by the chunks that follow; an expanded node needs some to show.
    if (childCount > 0)
      Node->States.Include(vsHasChildren);
    else
      Node->States.Exclude(vsExpanded);
    for (std::uint32_t i = 0; i < childCount; ++i) {
      PVNode child = AllocateNode();
      child->Index = Node->LastChild ? Node->LastChild->Index + 1 : 0;
      child->PrevSibling = Node->LastChild;
      if (Node->LastChild)
        Node->LastChild->NextSibling = child;
      else
        Node->FirstChild = child;
      Node->LastChild = child;
      child->Parent = Node;
      ++Node->ChildCount;
      ReadChunks(Stream, Version, child, chunkEnd);
    }
    Stream.SetPosition(chunkEnd);
    return true;
  }
  if (ChunkType == UserDataChunk) {
    if (ChunkSize == 0) return true;
    const std::int64_t start = Stream.Position();
    DoLoadUserData(Node, Stream);
    const bool read = Stream.Position() != start;
    if (Stream.Position() != chunkEnd) Stream.SetPosition(chunkEnd);
    return read;
  }
  Stream.SetPosition(chunkEnd);
  return false;
}

void TBaseNodeTree::SkipNode(TStream& Stream) {
  const TChunkHeader header = ReadHeader(Stream);
  if (header.Type != NodeChunk) Raise(2005);
  if (header.Size < 0 || Stream.Position() + header.Size > Stream.Size()) Raise(2006);
  Stream.Seek(header.Size, soCurrent);
}

void TBaseNodeTree::RecalcTotalCount(PVNode Node) {
  Node->TotalCount = 1;
  for (PVNode child = Node->FirstChild; child; child = child->NextSibling) {
    RecalcTotalCount(child);
    Node->TotalCount += child->TotalCount;
  }
}

void TBaseNodeTree::RecalcTotalHeight(PVNode Node) {
  Node->TotalHeight = IsEffectivelyFiltered(Node) ? 0 : Node->NodeHeight;
  for (PVNode child = Node->FirstChild; child; child = child->NextSibling) {
    RecalcTotalHeight(child);
    if (Node->States.Has(vsExpanded) && child->States.Has(vsVisible)) Node->TotalHeight += child->TotalHeight;
  }
}

// ---------------------------------------------------------------- checking without reading

namespace {

void CheckNodeChunk(TStream& s, std::int64_t end, int depth) {
  if (s.Position() + ChunkHeaderSize > end) Raise(2006);
  const TChunkHeader header = ReadHeader(s);
  if (header.Type != NodeChunk) Raise(2005);
  const std::int64_t start = s.Position();
  if (header.Size < 0 || start + header.Size > end) Raise(2006);
  const std::int64_t nodeEnd = start + header.Size;
  while (s.Position() < nodeEnd) {
    if (s.Position() + ChunkHeaderSize > nodeEnd) Raise(2006);
    const TChunkHeader chunk = ReadHeader(s);
    if (chunk.Size < 0 || s.Position() + chunk.Size > nodeEnd) Raise(2006);
    const std::int64_t chunkEnd = s.Position() + chunk.Size;
    if (chunk.Type == BaseChunk) {
      if (chunk.Size < BasePayloadV2) Raise(2006);
      const std::uint32_t childCount = ReadValue<std::uint32_t>(s);
      s.Seek(BasePayloadV2 - 4, soCurrent);
      if (static_cast<std::int64_t>(childCount) > (chunkEnd - s.Position()) / SmallestChildV2) Raise(2006);
      if (childCount > 0 && depth >= MaxNesting) Raise(2006);
      for (std::uint32_t i = 0; i < childCount; ++i) CheckNodeChunk(s, chunkEnd, depth + 1);
    }
    s.SetPosition(chunkEnd);
  }
  if (s.Position() != nodeEnd) Raise(2006);
}

} // namespace

bool TBaseNodeTree::CheckNodeChunks(TStream& Stream) {
  try {
    const std::int64_t end = Stream.Size();
    while (Stream.Position() < end) CheckNodeChunk(Stream, end, 0);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}
