// Byte streams of the runtime: the abstract stream, one in memory and one on a file. A file
// stream that writes keeps its bytes in memory and writes the file whole when closed.
#pragma once

#include "platform/AtomicFile.h"
#include "platform/ui/Classes.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

class EStreamError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};
class EReadError : public EStreamError {
public:
  using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
public:
  using EStreamError::EStreamError;
};
class EFOpenError : public EStreamError {
public:
  using EStreamError::EStreamError;
};
class EFCreateError : public EStreamError {
public:
  using EStreamError::EStreamError;
};

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
public:
  // Bytes moved; fewer than asked at the end of the stream (Read) or on a stream that cannot
  // take them (Write).
  virtual std::int64_t Read(void* Buffer, std::int64_t Count) = 0;
  virtual std::int64_t Write(const void* Buffer, std::int64_t Count) = 0;
  // The new position; a position before the start is refused (the old one is answered).
  virtual std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) = 0;
  virtual std::int64_t Position() const = 0;
  virtual std::int64_t Size() const = 0;
  virtual void SetSize(std::int64_t NewSize) = 0;
  void SetPosition(std::int64_t Pos) { Seek(Pos, soBeginning); }

  // All or nothing: EReadError / EWriteError when the stream gives or takes fewer bytes.
  void ReadBuffer(void* Buffer, std::int64_t Count);
  void WriteBuffer(const void* Buffer, std::int64_t Count);
  void WriteBuffer(std::string_view Bytes) {
    WriteBuffer(Bytes.data(), static_cast<std::int64_t>(Bytes.size()));
  }
  // Copies `Count` bytes from the source's position; 0 copies the whole source from its start.
  std::int64_t CopyFrom(TStream& Source, std::int64_t Count);
  // The bytes from the position to the end.
  std::string ReadRest();
};

// A stream on a growing block of memory. Seeking past the end is allowed; writing there fills
// the gap with zeros.
class TMemoryStream : public TStream {
public:
  std::int64_t Read(void* Buffer, std::int64_t Count) override;
  std::int64_t Write(const void* Buffer, std::int64_t Count) override;
  std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;
  std::int64_t Position() const override { return FPosition; }
  std::int64_t Size() const override { return static_cast<std::int64_t>(FData.size()); }
  void SetSize(std::int64_t NewSize) override;
  void Clear();
  const char* Memory() const { return FData.data(); }
  const std::string& Bytes() const { return FData; }

  // Replaces the content with the whole source (from its start); the position goes to 0.
  void LoadFromStream(TStream& Stream);
  void SaveToStream(TStream& Stream) const;
  // False when the file cannot be read; the content is then unchanged.
  bool LoadFromFile(const std::string& FileName);
  TWriteResult SaveToFile(const std::string& FileName) const;

protected:
  std::string FData;
  std::int64_t FPosition = 0;
};

enum TFileMode { fmCreate, fmOpenRead, fmOpenWrite, fmOpenReadWrite };

// fmOpenRead reads the whole file at once; the write modes collect the bytes and Close writes the
// file whole, so a failed write leaves the old file. EFOpenError when a file to open cannot be
// read, EFCreateError when a new file's folder does not exist.
class TFileStream : public TMemoryStream {
public:
  TFileStream(const std::string& FileName, TFileMode Mode);
  // Closes, writing the file when it was opened for writing; a failure is lost here, so callers
  // that must know call Close first.
  ~TFileStream() override;
  std::int64_t Write(const void* Buffer, std::int64_t Count) override;
  void SetSize(std::int64_t NewSize) override;
  // Writes the file (once) in the write modes; nothing to do for reading.
  TWriteResult Close();
  const std::string& FileName() const { return FFileName; }

private:
  std::string FFileName;
  TFileMode FMode;
  bool FClosed = false;
  TWriteResult FResult{true, {}};
};
