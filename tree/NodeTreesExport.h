// Content export of the string tree: the nodes of a source as an HTML table, an RTF table,
// separator-delimited text, the clipboard's renderings and a CSV file.
#pragma once

#include <string>
#include <string_view>

// The regional settings the exports read: the CSV separator and whether paper is measured in
// metric units. Read from the environment at first use unless injected.
struct TExportLocale {
  std::string ListSeparator = ",";
  bool Metric = true;
};
const TExportLocale& ExportLocale();
void SetExportLocale(const TExportLocale& Locale);
void ResetExportLocale();

// The clipboard's HTML envelope around UTF-8 HTML (byte offsets as eight digits).
void WrapCFHTML(std::string& Html);

// Text as HTML character data: &, <, > and " escaped.
std::string HtmlEscape(std::string_view Text);

// Append-only text buffer (UTF-8 here, so one class serves characters and bytes). It grows
// geometrically, so an export of many rows copies its text a few times at most.
class TBufferedString {
public:
  void Add(std::string_view S) { FText.append(S); }
  void AddNewLine() { FText.append("\r\n"); }
  const std::string& AsString() const { return FText; }

private:
  std::string FText;
};
using TBufferedRawByteString = TBufferedString;
