#include "support/TempDir.h"

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr uid_t NobodyId = 65534;

void ChownTree(const std::string& root, uid_t uid, gid_t gid) {
  std::error_code ec;
  if (::lchown(root.c_str(), uid, gid) != 0) return;
  for (auto it = fs::recursive_directory_iterator(root, ec); !ec && it != fs::recursive_directory_iterator();
       it.increment(ec))
    (void)::lchown(it->path().c_str(), uid, gid);
}

} // namespace

TTempDir::TTempDir() {
  std::string pattern = (fs::temp_directory_path() / "velmaric-test-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
  Root = pattern;
}

TTempDir::~TTempDir() {
  std::error_code ec;
  // Give write permission back everywhere so that nothing stays behind.
  ::chmod(Root.c_str(), 0700);
  for (auto it = fs::recursive_directory_iterator(Root, ec); !ec && it != fs::recursive_directory_iterator();
       it.increment(ec)) {
    if (it->is_directory(ec)) ::chmod(it->path().c_str(), 0700);
  }
  fs::remove_all(Root, ec);
}

std::string TTempDir::File(std::string_view relative) const {
  if (relative.empty()) return Root;
  return Root + "/" + std::string(relative);
}

std::string TTempDir::Write(std::string_view relative, std::string_view bytes) const {
  std::string path = File(relative);
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write test file " + path);
  return path;
}

std::string TTempDir::Read(std::string_view relative) const {
  std::ifstream in(File(relative), std::ios::binary);
  if (!in) return {};
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool TTempDir::Exists(std::string_view relative) const {
  std::error_code ec;
  return fs::exists(File(relative), ec);
}

std::string TTempDir::MakeDir(std::string_view relative) const {
  std::string path = File(relative);
  fs::create_directories(path);
  return path;
}

std::vector<std::string> TTempDir::Entries(std::string_view relative) const {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(File(relative), ec))
    names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

void TTempDir::SetReadOnly(std::string_view relative, bool readOnly) const {
  std::string path = File(relative);
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return;
  mode_t mode = st.st_mode & 07777;
  mode = readOnly ? (mode & ~mode_t(0222)) : (mode | S_IWUSR);
  ::chmod(path.c_str(), mode);
}

int TTempDir::Mode(std::string_view relative) const {
  struct stat st {};
  if (::stat(File(relative).c_str(), &st) != 0) return -1;
  return static_cast<int>(st.st_mode & 07777);
}

void TTempDir::SetMode(std::string_view relative, int mode) const {
  ::chmod(File(relative).c_str(), static_cast<mode_t>(mode));
}

std::string TTempDir::WriteScript(std::string_view relative, std::string_view body) const {
  std::string path = Write(relative, "#!/bin/sh\n" + std::string(body) + "\n");
  ::chmod(path.c_str(), 0755);
  return path;
}

bool ProcessAlive(int processId) {
  return processId > 0 && ::kill(processId, 0) == 0;
}

bool RunUnprivileged(const TTempDir& dir, const std::function<bool()>& body) {
  const bool root = ::geteuid() == 0;
  if (root) ChownTree(dir.Path(), NobodyId, NobodyId);
  pid_t child = ::fork();
  if (child < 0) return false;
  if (child == 0) {
    if (root && (::setgid(NobodyId) != 0 || ::setuid(NobodyId) != 0)) ::_exit(2);
    bool ok = false;
    try {
      ok = body();
    } catch (...) {
      ok = false;
    }
    ::_exit(ok ? 0 : 1);
  }
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (root) ChownTree(dir.Path(), 0, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
