#include "mbus/MemoryStream.h"

#include <algorithm>
#include <cstring>

std::int64_t TMemoryStream::Read(std::uint8_t* buffer, std::int64_t count) {
  const std::int64_t n = std::clamp<std::int64_t>(Size() - Pos, 0, std::max<std::int64_t>(count, 0));
  if (n > 0) std::memcpy(buffer, Data.data() + Pos, static_cast<std::size_t>(n));
  Pos += n;
  return n;
}

std::int64_t TMemoryStream::Write(const std::uint8_t* buffer, std::int64_t count) {
  if (count <= 0) return 0;
  const auto end = static_cast<std::size_t>(Pos + count);
  if (end > Data.size()) Data.resize(end);
  std::memcpy(Data.data() + Pos, buffer, static_cast<std::size_t>(count));
  Pos += count;
  return count;
}

void TMemoryStream::Seek(std::int64_t position) { Pos = std::clamp<std::int64_t>(position, 0, Size()); }
