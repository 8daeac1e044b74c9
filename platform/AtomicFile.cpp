#include "platform/AtomicFile.h"

#include "platform/Files.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace {

TWriteResult Fail(const std::string& path, const std::string& what, int error) {
  return {false, "Cannot write \"" + path + "\": " + what + " (" + std::strerror(error) + ")"};
}

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

TWriteResult WriteFileAtomic(const std::string& path, std::string_view bytes) {
  if (path.empty()) return {false, "Cannot write a file without a name"};

  // Keep the permissions of the file being replaced; a read-only file is not overwritten.
  // A new file takes 0666 narrowed by the umask; a replaced one keeps its mode exactly.
  mode_t mode = 0666;
  bool existed = false;
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) return Fail(path, "it is a folder", EISDIR);
    // Read-only as the user sees it: no write bit at all, even for a privileged user.
    if ((st.st_mode & 0222) == 0) return Fail(path, "the file is read-only", EACCES);
    if (::access(path.c_str(), W_OK) != 0) return Fail(path, "the file is read-only", errno);
    mode = st.st_mode & 07777;
    existed = true;
  }

  std::string tempPath;
  int fd = CreateTemp(path, tempPath, mode);
  if (fd < 0) {
    const int error = errno;
    if (error == ENOENT || error == ENOTDIR) return Fail(path, "its folder does not exist", error);
    return Fail(path, "cannot create a temporary file", error);
  }

  bool ok = WriteAll(fd, bytes);
  int error = errno;
  if (ok && ::fsync(fd) != 0) {
    ok = false;
    error = errno;
  }
  if (ok && existed) ::fchmod(fd, mode); // the umask must not narrow a kept mode
  if (::close(fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (!ok) {
    ::unlink(tempPath.c_str());
    return Fail(path, "writing failed", error);
  }
  if (::rename(tempPath.c_str(), path.c_str()) != 0) {
    error = errno;
    ::unlink(tempPath.c_str());
    return Fail(path, "cannot replace the file", error);
  }
  // Make the new name itself durable.
  const std::string folder = ExtractFilePath(path);
  int dirFd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd >= 0) {
    ::fsync(dirFd);
    ::close(dirFd);
  }
  return {true, {}};
}
