// Little-endian values read from and written to byte streams.
#pragma once

#include "platform/Streams.h"

#include <string_view>

template <class T> T ReadValue(TStream& stream) {
  T value{};
  stream.ReadBuffer(&value, sizeof value);
  return value;
}

template <class T> void WriteValue(TStream& stream, const T& value) {
  stream.WriteBuffer(&value, sizeof value);
}

// A memory stream holding `bytes`, positioned at the start.
inline void Fill(TMemoryStream& stream, std::string_view bytes) {
  stream.Clear();
  stream.WriteBuffer(bytes);
  stream.SetPosition(0);
}
