// Files and folders of the program: the program folder, existence checks, folder creation and listings.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Folder of the running executable, without a trailing separator. Tests may set it.
std::string ProgramFolder();
void SetProgramFolder(const std::string& folder);

bool DirectoryExists(const std::string& path);
bool FileExists(const std::string& path);
// Creates one folder level; false when the parent is missing or creation fails.
bool CreateDir(const std::string& path);
// Creates the folder and every missing parent.
bool ForceDirectories(const std::string& path);

// Names (not paths) of the sub-folders of a folder, sorted case-blind; "." and ".." never appear.
std::vector<std::string> ListSubFolders(const std::string& folder);
// Names of the writable regular files of a folder whose extension matches `extension` case-blind
// (for example ".lng"), sorted case-blind. Read-only files are left out.
std::vector<std::string> ListFiles(const std::string& folder, std::string_view extension);

// Joins two path parts with one '/'.
std::string IncludeTrailingPathDelimiter(const std::string& path);
std::string JoinPath(const std::string& folder, const std::string& name);
std::string ExtractFileName(const std::string& path);
std::string ExtractFilePath(const std::string& path); // with trailing '/'
std::string ChangeFileExt(const std::string& path, const std::string& extension);

// True when a name typed by the user or taken from a file can become one path element without
// leaving its folder: not empty, not "." or "..", no separator, reserved or control character,
// no leading or trailing blank and no trailing dot.
bool IsSafeFileName(std::string_view name);

// Whole-file read; false when the file cannot be opened or read.
bool ReadFileBytes(const std::string& path, std::string& bytes);
// The same into storage of the file's size that is not cleared first, so a large file's memory
// is gone over once: the bytes are data[0, size). With `arrived`, the file is read in pieces and
// each is shown at once (the bytes so far, and the size the file had when opened), while the
// processor still holds it.
bool ReadFileBytes(const std::string& path, std::shared_ptr<char[]>& data, std::size_t& size,
                   const std::function<void(std::string_view, std::size_t)>& arrived = {});
