#include "platform/AtomicFile.h"

#include "platform/Files.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Creates a new temporary file beside the target; its name is never one that exists.
int CreateTemp(const std::string& path, std::string& tempPath, mode_t mode) {
  static std::mt19937_64 random{std::random_device{}()};
  for (int attempt = 0; attempt < 100; ++attempt) {
    char suffix[24];
    std::snprintf(suffix, sizeof suffix, ".%012llx.tmp",
                  static_cast<unsigned long long>(random() & 0xFFFFFFFFFFFFull));
    tempPath = path + suffix;
    int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

} // namespace

TAtomicFileWriter::TAtomicFileWriter(const std::string& path) : FPath(path) {
  if (path.empty()) {
    FError = "Cannot write a file without a name";
    return;
  }
  // Keep the permissions of the file being replaced; a read-only file is not overwritten.
  // A new file takes 0666 narrowed by the umask; a replaced one keeps its mode exactly.
  mode_t mode = 0666;
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) {
      Fail("it is a folder", EISDIR);
      return;
    }
    // Read-only as the user sees it: no write bit at all, even for a privileged user.
    if ((st.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0) {
      Fail("the file is read-only", (st.st_mode & 0222) == 0 ? EACCES : errno);
      return;
    }
    mode = st.st_mode & 07777;
    FExisted = true;
  }
  FMode = mode;
  FFd = CreateTemp(path, FTempPath, mode);
  if (FFd < 0) {
    const int error = errno;
    Fail(error == ENOENT || error == ENOTDIR ? "its folder does not exist" : "cannot create a temporary file",
         error);
  }
}

TAtomicFileWriter::~TAtomicFileWriter() {
  if (FFd >= 0) {
    ::close(FFd);
    ::unlink(FTempPath.c_str());
  }
}

void TAtomicFileWriter::Fail(const std::string& what, int error) {
  if (FFd >= 0) {
    ::close(FFd);
    ::unlink(FTempPath.c_str());
    FFd = -1;
  }
  FError = "Cannot write \"" + FPath + "\": " + what + " (" + std::strerror(error) + ")";
}

bool TAtomicFileWriter::Write(std::string_view bytes) {
  if (FFd < 0) return false;
  if (WriteAll(FFd, bytes)) return true;
  Fail("writing failed", errno);
  return false;
}

TWriteResult TAtomicFileWriter::Commit() {
  if (FFd < 0) return {false, FError.empty() ? "Cannot write \"" + FPath + "\" twice" : FError};
  const int fd = FFd;
  FFd = -1;
  bool ok = ::fsync(fd) == 0;
  int error = errno;
  if (ok && FExisted) ::fchmod(fd, static_cast<mode_t>(FMode)); // the umask must not narrow a kept mode
  if (::close(fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (!ok) {
    ::unlink(FTempPath.c_str());
    Fail("writing failed", error);
    return {false, FError};
  }
  if (::rename(FTempPath.c_str(), FPath.c_str()) != 0) {
    error = errno;
    ::unlink(FTempPath.c_str());
    Fail("cannot replace the file", error);
    return {false, FError};
  }
  // Make the new name itself durable.
  const std::string folder = ExtractFilePath(FPath);
  int dirFd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd >= 0) {
    ::fsync(dirFd);
    ::close(dirFd);
  }
  return {true, {}};
}

TWriteResult WriteFileAtomic(const std::string& path, std::string_view bytes) {
  TAtomicFileWriter file(path);
  file.Write(bytes);
  return file.Commit();
}
