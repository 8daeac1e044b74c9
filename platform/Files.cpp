#include "platform/Files.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string& ProgramFolderOverride() {
  static std::string folder;
  return folder;
}

std::string ExecutableFolder() {
  std::string buffer(4096, '\0');
  ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
  if (n <= 0 || static_cast<std::size_t>(n) >= buffer.size()) return ".";
  buffer.resize(static_cast<std::size_t>(n));
  std::size_t slash = buffer.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return buffer.substr(0, slash);
}

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsCaseBlind(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

// Case-blind order; names that differ only in case keep a fixed order among themselves.
bool LessCaseBlind(const std::string& a, const std::string& b) {
  auto r = std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return Lower(x) < Lower(y); });
  if (r) return true;
  if (EqualsCaseBlind(a, b)) return a < b;
  return false;
}

template <typename Keep> std::vector<std::string> ListFolder(const std::string& folder, Keep keep) {
  std::vector<std::string> names;
  DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return names;
  while (dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    struct stat st {};
    if (stat(JoinPath(folder, name).c_str(), &st) != 0) continue;
    if (keep(name, st)) names.push_back(std::move(name));
  }
  closedir(dir);
  std::sort(names.begin(), names.end(), LessCaseBlind);
  return names;
}

} // namespace

std::string ProgramFolder() {
  if (!ProgramFolderOverride().empty()) return ProgramFolderOverride();
  static const std::string folder = ExecutableFolder();
  return folder;
}

void SetProgramFolder(const std::string& folder) {
  std::string f = folder;
  while (f.size() > 1 && f.back() == '/')
    f.pop_back();
  ProgramFolderOverride() = f;
}

bool DirectoryExists(const std::string& path) {
  struct stat st {};
  return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool FileExists(const std::string& path) {
  struct stat st {};
  return !path.empty() && stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool CreateDir(const std::string& path) {
  return !path.empty() && mkdir(path.c_str(), 0777) == 0;
}

bool ForceDirectories(const std::string& path) {
  std::string p = path;
  while (p.size() > 1 && p.back() == '/')
    p.pop_back();
  if (p.empty()) return false;
  if (DirectoryExists(p)) return true;
  std::size_t slash = p.rfind('/');
  if (slash != std::string::npos && slash > 0 && !ForceDirectories(p.substr(0, slash))) return false;
  return mkdir(p.c_str(), 0777) == 0 || (errno == EEXIST && DirectoryExists(p));
}

std::vector<std::string> ListSubFolders(const std::string& folder) {
  return ListFolder(folder, [](const std::string&, const struct stat& st) { return S_ISDIR(st.st_mode); });
}

std::vector<std::string> ListFiles(const std::string& folder, std::string_view extension) {
  return ListFolder(folder, [extension](const std::string& name, const struct stat& st) {
    if (!S_ISREG(st.st_mode) || (st.st_mode & S_IWUSR) == 0) return false;
    return name.size() >= extension.size() &&
           EqualsCaseBlind(std::string_view(name).substr(name.size() - extension.size()), extension);
  });
}

std::string IncludeTrailingPathDelimiter(const std::string& path) {
  if (!path.empty() && path.back() == '/') return path;
  return path + '/';
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  std::size_t start = name.find_first_not_of('/');
  return IncludeTrailingPathDelimiter(folder) +
         (start == std::string::npos ? std::string() : name.substr(start));
}

std::string ExtractFileName(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ExtractFilePath(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string ChangeFileExt(const std::string& path, const std::string& extension) {
  std::size_t slash = path.rfind('/');
  std::size_t dot = path.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path + extension;
  return path.substr(0, dot) + extension;
}

bool IsSafeFileName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (char c : name) {
    auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) return false;
    switch (c) {
    case '/':
    case '\\':
    case ':':
    case '*':
    case '?':
    case '"':
    case '<':
    case '>':
    case '|':
      return false;
    default:
      break;
    }
  }
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  return !blank(name.front()) && !blank(name.back()) && name.back() != '.';
}

bool ReadFileBytes(const std::string& path, std::string& bytes) {
  bytes.clear();
  if (!FileExists(path)) return false;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  // Read straight into the text, sized once to the file; a file that grows meanwhile is read on.
  long size = 0;
  if (std::fseek(f, 0, SEEK_END) == 0) {
    size = std::max(0L, std::ftell(f));
    std::rewind(f);
  }
  bytes.resize(static_cast<std::size_t>(size));
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;)
    bytes.append(buffer, n);
  bool ok = !std::ferror(f);
  std::fclose(f);
  if (!ok) bytes.clear();
  return ok;
}

bool ReadFileBytes(const std::string& path, std::shared_ptr<char[]>& data, std::size_t& size,
                   const std::function<void(std::string_view, std::size_t)>& arrived) {
  data.reset();
  size = 0;
  if (!FileExists(path)) return false;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  long end = 0;
  if (std::fseek(f, 0, SEEK_END) == 0) {
    end = std::max(0L, std::ftell(f));
    std::rewind(f);
  }
  // One byte more than the file holds: a read that fills it all tells the file grew meanwhile.
  std::size_t room = static_cast<std::size_t>(end) + 1;
  data = std::shared_ptr<char[]>(new char[room]);
  constexpr std::size_t kPiece = std::size_t(1) << 18;
  for (;;) {
    const std::size_t want = arrived ? std::min(kPiece, room - size) : room - size;
    const std::size_t got = std::fread(data.get() + size, 1, want, f);
    size += got;
    if (arrived && got) arrived(std::string_view(data.get(), size), room - 1);
    if (got < want) break;
    if (size < room) continue;
    room *= 2;
    std::shared_ptr<char[]> more(new char[room]);
    std::memcpy(more.get(), data.get(), size);
    data = std::move(more);
  }
  const bool ok = !std::ferror(f);
  std::fclose(f);
  if (!ok) {
    data.reset();
    size = 0;
  }
  return ok;
}
