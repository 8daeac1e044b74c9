// INI stores: sections in square brackets, then one key=value line per key. Names of sections and
// keys are compared without letter case. The file is written whole, so a failed save leaves the
// old one.
#pragma once

#include "platform/AtomicFile.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

class TStrings;

class EIniFileException : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// The store in memory: read from the file at creation (a missing file is an empty store) and
// written back by UpdateFile.
class TMemIniFile {
public:
  explicit TMemIniFile(const std::string& FileName);
  virtual ~TMemIniFile() = default;
  TMemIniFile(const TMemIniFile&) = delete;
  TMemIniFile& operator=(const TMemIniFile&) = delete;

  const std::string& FileName() const { return FFileName; }

  std::string ReadString(std::string_view Section, std::string_view Ident, const std::string& Default) const;
  // Decimal, or hexadecimal after "$" or "0x"; anything else (or a value past 32 bits) reads as
  // Default.
  int ReadInteger(std::string_view Section, std::string_view Ident, int Default) const;
  // A number: non-zero is true; anything else reads as Default.
  bool ReadBool(std::string_view Section, std::string_view Ident, bool Default) const;
  virtual void WriteString(std::string_view Section, std::string_view Ident, std::string_view Value);
  void WriteInteger(std::string_view Section, std::string_view Ident, int Value);
  void WriteBool(std::string_view Section, std::string_view Ident, bool Value); // "1" or "0"

  bool SectionExists(std::string_view Section) const;
  bool ValueExists(std::string_view Section, std::string_view Ident) const;
  // The keys of a section, the sections, and a section's lines as name=value.
  void ReadSection(std::string_view Section, TStrings& Strings) const;
  void ReadSections(TStrings& Strings) const;
  void ReadSectionValues(std::string_view Section, TStrings& Strings) const;
  virtual void DeleteKey(std::string_view Section, std::string_view Ident);
  virtual void EraseSection(std::string_view Section);
  void Clear();

  // The store as the lines of its file, and replacing it from such lines (comments dropped).
  void GetStrings(TStrings& Strings) const;
  void SetStrings(const TStrings& Strings);
  // Writes the whole store to the file; on failure the old file stays as it was. A store whose
  // names or values the file's lines cannot hold as they are (a line break anywhere, blanks at
  // either end, a key name with "=" or starting with ";", a key line that would read as a section) is refused
  // and nothing written.
  virtual TWriteResult UpdateFile();

protected:
  struct TKey {
    std::string Name, Value;
  };
  struct TSection {
    std::string Name;
    std::vector<TKey> Keys;
  };
  const TSection* FindSection(std::string_view Section) const;
  TSection* FindSection(std::string_view Section);
  void Parse(std::string_view Text);
  // Why the store cannot be written as it is; empty when it can.
  std::string Unwritable() const;
  std::vector<TSection> FSections;

private:
  std::string FFileName;
};

// The store as the program's private-profile files behave: every write goes to the file at once.
// A write the file does not take raises EIniFileException and is undone, leaving store and file
// as they were.
class TIniFile : public TMemIniFile {
public:
  using TMemIniFile::TMemIniFile;
  void WriteString(std::string_view Section, std::string_view Ident, std::string_view Value) override;
  void DeleteKey(std::string_view Section, std::string_view Ident) override;
  void EraseSection(std::string_view Section) override;

private:
  template <class F> void WriteThrough(F&& change);
};
