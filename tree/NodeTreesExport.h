// Content export of the string tree: the nodes of a source as an HTML table, an RTF table,
// separator-delimited text, the clipboard's renderings and a CSV file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

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
  std::string Take() { return std::move(FText); }
  std::size_t Size() const { return FText.size(); }
  // After Done of Total rows, written from size Start on, room for the rest at the rate so far
  // and a quarter more, so a large export is not copied on every doubling; pages never written
  // are never touched. Nothing happens while the room suffices.
  void ReserveForRows(std::size_t Start, std::size_t Done, std::size_t Total) {
    if (Done == 0 || Total <= Done || FText.size() < Start) return;
    const std::size_t perRow = (FText.size() - Start) / Done + 1;
    const std::size_t rest = Total - Done;
    if (perRow > (std::size_t(1) << 40) / rest) return;
    const std::size_t need = FText.size() + perRow * rest;
    if (need > FText.capacity()) FText.reserve(need + perRow * rest / 4);
  }

private:
  std::string FText;
};
using TBufferedRawByteString = TBufferedString;
