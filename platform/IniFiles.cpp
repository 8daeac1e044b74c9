#include "platform/IniFiles.h"

#include "platform/Files.h"
#include "platform/StrToInt.h"
#include "platform/StringList.h"
#include "platform/SysUtils.h"
#include "platform/TextCodec.h"

TMemIniFile::TMemIniFile(const std::string& FileName) : FFileName(FileName) {
  std::string bytes;
  if (!FileName.empty() && ReadFileBytes(FileName, bytes)) Parse(DecodeTextFile(bytes));
}

const TMemIniFile::TSection* TMemIniFile::FindSection(std::string_view Section) const {
  for (const auto& s : FSections)
    if (SameText(s.Name, Section)) return &s;
  return nullptr;
}

TMemIniFile::TSection* TMemIniFile::FindSection(std::string_view Section) {
  return const_cast<TSection*>(static_cast<const TMemIniFile*>(this)->FindSection(Section));
}

std::string TMemIniFile::ReadString(std::string_view Section, std::string_view Ident,
                                    const std::string& Default) const {
  if (const TSection* s = FindSection(Section))
    for (const auto& k : s->Keys)
      if (SameText(k.Name, Ident)) return k.Value;
  return Default;
}

int TMemIniFile::ReadInteger(std::string_view Section, std::string_view Ident, int Default) const {
  int value = Default;
  return TryStrToInt(ReadString(Section, Ident, {}), value) ? value : Default;
}

bool TMemIniFile::ReadBool(std::string_view Section, std::string_view Ident, bool Default) const {
  return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TMemIniFile::WriteString(std::string_view Section, std::string_view Ident, std::string_view Value) {
  TSection* s = FindSection(Section);
  if (!s) s = &FSections.emplace_back(TSection{std::string(Section), {}});
  for (auto& k : s->Keys)
    if (SameText(k.Name, Ident)) {
      k.Value = Value;
      return;
    }
  s->Keys.push_back({std::string(Ident), std::string(Value)});
}

void TMemIniFile::WriteInteger(std::string_view Section, std::string_view Ident, int Value) {
  WriteString(Section, Ident, std::to_string(Value));
}

void TMemIniFile::WriteBool(std::string_view Section, std::string_view Ident, bool Value) {
  WriteString(Section, Ident, Value ? "1" : "0");
}

bool TMemIniFile::SectionExists(std::string_view Section) const {
  return FindSection(Section) != nullptr;
}

bool TMemIniFile::ValueExists(std::string_view Section, std::string_view Ident) const {
  if (const TSection* s = FindSection(Section))
    for (const auto& k : s->Keys)
      if (SameText(k.Name, Ident)) return true;
  return false;
}

void TMemIniFile::ReadSection(std::string_view Section, TStrings& Strings) const {
  Strings.BeginUpdate();
  Strings.Clear();
  if (const TSection* s = FindSection(Section))
    for (const auto& k : s->Keys)
      Strings.Add(k.Name);
  Strings.EndUpdate();
}

void TMemIniFile::ReadSections(TStrings& Strings) const {
  Strings.BeginUpdate();
  Strings.Clear();
  for (const auto& s : FSections)
    Strings.Add(s.Name);
  Strings.EndUpdate();
}

void TMemIniFile::ReadSectionValues(std::string_view Section, TStrings& Strings) const {
  Strings.BeginUpdate();
  Strings.Clear();
  if (const TSection* s = FindSection(Section))
    for (const auto& k : s->Keys)
      Strings.Add(k.Name + "=" + k.Value);
  Strings.EndUpdate();
}

void TMemIniFile::DeleteKey(std::string_view Section, std::string_view Ident) {
  if (TSection* s = FindSection(Section))
    std::erase_if(s->Keys, [&](const TKey& k) { return SameText(k.Name, Ident); });
}

void TMemIniFile::EraseSection(std::string_view Section) {
  std::erase_if(FSections, [&](const TSection& s) { return SameText(s.Name, Section); });
}

void TMemIniFile::Clear() {
  FSections.clear();
}

void TMemIniFile::Parse(std::string_view Text) {
  FSections.clear();
  TStringList lines;
  lines.SetText(Text);
  TSection* current = nullptr;
  for (int i = 0; i < lines.Count(); ++i) {
    std::string line(Trim(lines[i]));
    if (line.empty() || line[0] == ';') continue;
    if (line.front() == '[' && line.back() == ']') {
      std::string name(Trim(std::string_view(line).substr(1, line.size() - 2)));
      current = FindSection(name);
      if (!current) current = &FSections.emplace_back(TSection{name, {}});
      continue;
    }
    if (!current) continue; // keys before any section belong nowhere
    std::size_t eq = line.find('=');
    std::string name(eq == std::string::npos ? line
                                             : std::string(Trim(std::string_view(line).substr(0, eq))));
    std::string value(eq == std::string::npos ? std::string()
                                              : std::string(Trim(std::string_view(line).substr(eq + 1))));
    bool known = false;
    for (const auto& k : current->Keys)
      known = known || SameText(k.Name, name);
    if (!known) current->Keys.push_back({name, value}); // the first of a repeated key counts
  }
}

void TMemIniFile::GetStrings(TStrings& Strings) const {
  Strings.BeginUpdate();
  Strings.Clear();
  for (const auto& s : FSections) {
    Strings.Add("[" + s.Name + "]");
    for (const auto& k : s.Keys)
      Strings.Add(k.Name + "=" + k.Value);
    Strings.Add("");
  }
  Strings.EndUpdate();
}

void TMemIniFile::SetStrings(const TStrings& Strings) {
  Parse(Strings.Text());
}

namespace {

bool HasLineBreak(std::string_view Text) {
  return Text.find_first_of("\r\n") != std::string_view::npos;
}

bool HasBlankEnd(std::string_view Text) {
  return Trim(Text).size() != Text.size();
}

} // namespace

// A name or value the lines of the file cannot hold would come back as something else (a line
// break even as keys of its own), so such a store is not written at all.
std::string TMemIniFile::Unwritable() const {
  for (const auto& s : FSections) {
    if (HasLineBreak(s.Name) || HasBlankEnd(s.Name))
      return "the section name \"" + s.Name + "\" holds a line break or blanks at its ends";
    for (const auto& k : s.Keys) {
      if (HasLineBreak(k.Name) || HasBlankEnd(k.Name) || k.Name.find('=') != std::string::npos ||
          k.Name.starts_with(';') || (k.Name.starts_with('[') && k.Value.ends_with(']')))
        return "the key name \"" + k.Name + "\" in [" + s.Name + "] cannot be read back";
      if (HasLineBreak(k.Value) || HasBlankEnd(k.Value))
        return "the value of " + k.Name + " in [" + s.Name + "] holds a line break or blanks at its ends";
    }
  }
  return {};
}

TWriteResult TMemIniFile::UpdateFile() {
  if (std::string why = Unwritable(); !why.empty())
    return {false, "Cannot write \"" + FFileName + "\": " + why};
  TStringList lines;
  GetStrings(lines);
  return lines.SaveToFile(FFileName);
}

template <class F> void TIniFile::WriteThrough(F&& change) {
  std::vector<TSection> before = FSections;
  change();
  TWriteResult result = UpdateFile();
  if (result) return;
  FSections = std::move(before);
  throw EIniFileException("Unable to write to " + FileName() + ": " + result.Error);
}

void TIniFile::WriteString(std::string_view Section, std::string_view Ident, std::string_view Value) {
  WriteThrough([&] { TMemIniFile::WriteString(Section, Ident, Value); });
}

void TIniFile::DeleteKey(std::string_view Section, std::string_view Ident) {
  WriteThrough([&] { TMemIniFile::DeleteKey(Section, Ident); });
}

void TIniFile::EraseSection(std::string_view Section) {
  WriteThrough([&] { TMemIniFile::EraseSection(Section); });
}
