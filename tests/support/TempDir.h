// A temporary folder for one test, removed with everything in it when the test ends.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class TTempDir {
public:
  TTempDir();  // a new empty folder under the system's temporary folder
  ~TTempDir(); // removes it, also read-only parts
  TTempDir(const TTempDir&) = delete;
  TTempDir& operator=(const TTempDir&) = delete;

  const std::string& Path() const { return Root; }
  // Full path of a name relative to the folder ("" gives the folder itself).
  std::string File(std::string_view relative) const;

  // Writes a file as given (creating missing folders) and returns its full path.
  std::string Write(std::string_view relative, std::string_view bytes) const;
  // Whole content of a file; "" when it does not exist.
  std::string Read(std::string_view relative) const;
  bool Exists(std::string_view relative) const;
  // Creates a folder and its parents; returns its full path.
  std::string MakeDir(std::string_view relative) const;
  // Names in a folder (files and folders), sorted; shows stray temporary files.
  std::vector<std::string> Entries(std::string_view relative = {}) const;
  // Takes the write permission away from a file or folder, or gives it back.
  void SetReadOnly(std::string_view relative, bool readOnly) const;
  // Permission bits of a file or folder (0755 ...), or -1 when it does not exist; and setting them.
  int Mode(std::string_view relative) const;
  void SetMode(std::string_view relative, int mode) const;
  // Writes an executable shell script ("#!/bin/sh" + newline + body) and returns its full path;
  // a stand-in for programs the tests start.
  std::string WriteScript(std::string_view relative, std::string_view body) const;

private:
  std::string Root;
};

// Runs `body` in a child process without super-user rights, so that permission checks apply
// also when the tests run as root (then `dir` is handed to an unprivileged user first).
// Returns what `body` returned; false when the child failed. Use no test assertions in `body`.
bool RunUnprivileged(const TTempDir& dir, const std::function<bool()>& body);

// True while a process with this id exists (a started program, not yet ended and collected).
bool ProcessAlive(int processId);
