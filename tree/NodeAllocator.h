// Node blocks: fixed-size, zero-filled, aligned blocks cut from large chunks, with a free list.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

class TNodeAllocator {
public:
  TNodeAllocator() = default;
  TNodeAllocator(const TNodeAllocator&) = delete;
  TNodeAllocator& operator=(const TNodeAllocator&) = delete;

  // Sets the block size; only while no block is in use (the chunks are then given back).
  void SetBlockSize(std::size_t size);
  std::size_t BlockSize() const { return FBlockSize; }
  // A zero-filled block aligned for any type.
  void* Allocate();
  void Free(void* block);
  std::size_t InUse() const { return FInUse; }

private:
  struct TFree {
    TFree* Next;
  };
  std::size_t FBlockSize = 0;
  std::size_t FInUse = 0;
  std::size_t FNextInChunk = 0;
  std::size_t FChunkBlocks = 0;
  TFree* FFreeList = nullptr;
  std::vector<std::unique_ptr<std::byte[]>> FChunks;
};
