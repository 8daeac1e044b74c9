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
