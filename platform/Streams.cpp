#include "platform/Streams.h"

#include "platform/Files.h"

#include <algorithm>
#include <cstring>

void TStream::ReadBuffer(void* Buffer, std::int64_t Count) {
  if (Count > 0 && Read(Buffer, Count) != Count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, std::int64_t Count) {
  if (Count > 0 && Write(Buffer, Count) != Count) throw EWriteError("Stream write error");
}

std::int64_t TStream::CopyFrom(TStream& Source, std::int64_t Count) {
  if (Count == 0) {
    Source.SetPosition(0);
    Count = Source.Size();
  }
  char buffer[65536];
  std::int64_t done = 0;
  while (done < Count) {
    std::int64_t n = std::min<std::int64_t>(Count - done, sizeof buffer);
    Source.ReadBuffer(buffer, n);
    WriteBuffer(buffer, n);
    done += n;
  }
  return done;
}

std::string TStream::ReadRest() {
  std::int64_t n = std::max<std::int64_t>(0, Size() - Position());
  std::string bytes(static_cast<std::size_t>(n), '\0');
  bytes.resize(static_cast<std::size_t>(Read(bytes.data(), n)));
  return bytes;
}

std::int64_t TMemoryStream::Read(void* Buffer, std::int64_t Count) {
  std::int64_t n = std::clamp<std::int64_t>(Size() - FPosition, 0, std::max<std::int64_t>(Count, 0));
  if (n > 0) std::memcpy(Buffer, FData.data() + FPosition, static_cast<std::size_t>(n));
  FPosition += n;
  return n;
}

std::int64_t TMemoryStream::Write(const void* Buffer, std::int64_t Count) {
  if (Count <= 0) return 0;
  std::int64_t end = FPosition + Count;
  if (end > Size()) FData.resize(static_cast<std::size_t>(end), '\0');
  std::memcpy(FData.data() + FPosition, Buffer, static_cast<std::size_t>(Count));
  FPosition = end;
  return Count;
}

std::int64_t TMemoryStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
  std::int64_t base = Origin == soBeginning ? 0 : Origin == soCurrent ? FPosition : Size();
  if (base + Offset >= 0) FPosition = base + Offset;
  return FPosition;
}

void TMemoryStream::SetSize(std::int64_t NewSize) {
  FData.resize(static_cast<std::size_t>(std::max<std::int64_t>(NewSize, 0)), '\0');
  FPosition = std::min(FPosition, Size());
}

void TMemoryStream::Clear() {
  FData.clear();
  FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream& Stream) {
  Stream.SetPosition(0);
  FData = Stream.ReadRest();
  FPosition = 0;
}

void TMemoryStream::SaveToStream(TStream& Stream) const {
  Stream.WriteBuffer(FData);
}

bool TMemoryStream::LoadFromFile(const std::string& FileName) {
  std::string bytes;
  if (!ReadFileBytes(FileName, bytes)) return false;
  FData = std::move(bytes);
  FPosition = 0;
  return true;
}

TWriteResult TMemoryStream::SaveToFile(const std::string& FileName) const {
  return WriteFileAtomic(FileName, FData);
}

TFileStream::TFileStream(const std::string& FileName, TFileMode Mode) : FFileName(FileName), FMode(Mode) {
  if (Mode == fmCreate) {
    std::string folder = ExtractFilePath(FileName);
    if (FileName.empty() || (!folder.empty() && !DirectoryExists(folder)) || DirectoryExists(FileName))
      throw EFCreateError("Cannot create file \"" + FileName + "\".");
    return;
  }
  if (!LoadFromFile(FileName)) throw EFOpenError("Cannot open file \"" + FileName + "\".");
}

TFileStream::~TFileStream() {
  Close();
}

std::int64_t TFileStream::Write(const void* Buffer, std::int64_t Count) {
  if (FMode == fmOpenRead || FClosed) return 0;
  return TMemoryStream::Write(Buffer, Count);
}

void TFileStream::SetSize(std::int64_t NewSize) {
  if (FMode != fmOpenRead && !FClosed) TMemoryStream::SetSize(NewSize);
}

TWriteResult TFileStream::Close() {
  if (FClosed) return FResult;
  FClosed = true;
  if (FMode != fmOpenRead) FResult = SaveToFile(FFileName);
  return FResult;
}
