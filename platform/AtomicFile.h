// The one writer every file of the program goes through: a file is written whole or not at all.
#pragma once

#include <string>
#include <string_view>

struct TWriteResult {
  bool Ok = false;
  std::string Error; // readable reason when not Ok
  explicit operator bool() const { return Ok; }
};

// Writes `bytes` to a temporary file in the target's folder, flushes it to disk and renames it
// over `path`. On any failure the old file is left as it was and the temporary file is removed.
TWriteResult WriteFileAtomic(const std::string& path, std::string_view bytes);

// The same for a file written in pieces, so that a large text need not be held whole: the pieces
// go to the temporary file as they come, and Commit flushes and renames it. A writer dropped
// without Commit removes its temporary file and leaves the old file as it was. Once anything
// failed, writes do nothing and Commit says why.
class TAtomicFileWriter {
public:
  explicit TAtomicFileWriter(const std::string& path);
  ~TAtomicFileWriter();
  TAtomicFileWriter(const TAtomicFileWriter&) = delete;
  TAtomicFileWriter& operator=(const TAtomicFileWriter&) = delete;

  bool Write(std::string_view bytes);
  TWriteResult Commit();

private:
  void Fail(const std::string& what, int error);

  std::string FPath;
  std::string FTempPath;
  int FFd = -1;
  unsigned FMode = 0;
  bool FExisted = false;
  std::string FError; // empty while all went well
};
