#include "tree/NodeAllocator.h"

#include "platform/Assert.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {
constexpr std::size_t Alignment = alignof(std::max_align_t);
constexpr std::size_t ChunkBytes = 256 * 1024;
} // namespace

void TNodeAllocator::SetBlockSize(std::size_t size) {
  size = std::max<std::size_t>((size + Alignment - 1) / Alignment * Alignment, sizeof(TFree));
  if (size == FBlockSize) return;
  Assert(FInUse == 0, "Node blocks cannot change their size while nodes exist.");
  FChunks.clear();
  FFreeList = nullptr;
  FNextInChunk = FChunkBlocks = 0;
  FBlockSize = size;
}

void* TNodeAllocator::Allocate() {
  void* block;
  if (FFreeList) {
    block = FFreeList;
    FFreeList = FFreeList->Next;
  } else {
    if (FNextInChunk == FChunkBlocks) {
      FChunkBlocks = std::max<std::size_t>(ChunkBytes / FBlockSize, 1);
      // new[] of std::byte is aligned for max_align_t.
      FChunks.emplace_back(new std::byte[FChunkBlocks * FBlockSize]);
      FNextInChunk = 0;
    }
    block = FChunks.back().get() + FNextInChunk++ * FBlockSize;
  }
  std::memset(block, 0, FBlockSize);
  ++FInUse;
  return block;
}

void TNodeAllocator::Free(void* block) {
  if (!block) return;
  auto* f = static_cast<TFree*>(block);
  f->Next = FFreeList;
  FFreeList = f;
  --FInUse;
}
