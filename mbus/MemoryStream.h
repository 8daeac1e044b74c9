// Byte streams for the cipher: a readable source and a writable destination with a size and a
// position. Every use here is in memory.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

class TStream {
public:
  virtual ~TStream() = default;
  // Bytes moved; fewer than asked at the end of a source or when a destination is full.
  virtual std::int64_t Read(std::uint8_t* buffer, std::int64_t count) = 0;
  virtual std::int64_t Write(const std::uint8_t* buffer, std::int64_t count) = 0;
  virtual std::int64_t Size() const = 0;
  virtual std::int64_t Position() const = 0;
  // Clamped to 0 .. Size().
  virtual void Seek(std::int64_t position) = 0;
};

class TMemoryStream : public TStream {
public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::span<const std::uint8_t> bytes) : Data(bytes.begin(), bytes.end()) {}

  std::int64_t Read(std::uint8_t* buffer, std::int64_t count) override;
  std::int64_t Write(const std::uint8_t* buffer, std::int64_t count) override;
  std::int64_t Size() const override { return static_cast<std::int64_t>(Data.size()); }
  std::int64_t Position() const override { return Pos; }
  void Seek(std::int64_t position) override;

  const std::vector<std::uint8_t>& Bytes() const { return Data; }

private:
  std::vector<std::uint8_t> Data;
  std::int64_t Pos = 0;
};
