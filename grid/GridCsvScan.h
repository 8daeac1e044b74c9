// The lines of a CSV text and the fields of each, found in one pass over its bytes.
#pragma once

#include "platform/ui/GridsCells.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace gridfile {

struct TCsvScan {
  // Lines split at CR LF, CR or LF as SplitLines splits them, without their breaks. A line's
  // Fields is one more than its delimiters outside quotes where each quote opens a field, closes
  // it or doubles one inside it; -1 where the line's quotes do anything else (or no delimiter was
  // given), for the caller to count the slow way.
  std::vector<TGridLazyRow> Lines;
  // Where the scan stopped: the text's end, or past the last line when the maximum was reached.
  std::size_t End = 0;
  // False when the UTF-8 check was asked for and failed; the lines are then incomplete.
  bool Utf8 = true;
};

// A scan that may be fed the text while it arrives (a file read in pieces, each scanned while the
// processor still holds it), then finished on the whole text. The text must be shorter than
// 4 GiB. The delimiter must not be a blank, a quote, CR or LF; 0 finds the lines only.
class TCsvScanner {
public:
  // size: what the whole text is expected to be (room for its lines is made once).
  TCsvScanner(char delimiter, std::size_t maxLines, bool checkUtf8, std::size_t size);
  char Delimiter() const { return FDelimiter; }
  std::size_t MaxLines() const { return FMaxLines; }
  bool ChecksUtf8() const { return FCheckUtf8; }
  // Scans the text arrived so far (its start unchanged since the last call, its storage may have
  // moved), all but the last few kilobytes.
  void Feed(std::string_view text);
  // Scans the rest of the whole text: at most maxLines lines.
  TCsvScan Finish(std::string_view text);

  // Where the scan stands between two pieces.
  struct TState {
    std::size_t Next = 0;         // the first byte not scanned
    std::uint64_t Inside = 0;     // all ones while the bytes so far end inside quotes
    std::uint64_t FieldStart = 1; // the last byte was a delimiter or line break (or none)
    std::uint64_t Closed = 0;     // the last byte was a closing quote
    std::uint64_t AfterCr = 0;    // the last byte was a CR
    std::size_t LineStart = 0;
    std::uint64_t Fields = 1; // of the line under way
    bool Bad = false;         // the line under way has quotes out of place
    std::size_t Utf8Done = 0; // checked up to here
    bool Stopped = false;     // the maximum was reached or the check failed
  };

private:
  char FDelimiter;
  std::size_t FMaxLines;
  bool FCheckUtf8;
  TState FState;
  TCsvScan FOut;
};

// The whole text scanned at once.
TCsvScan ScanCsvLines(std::string_view text, char delimiter, std::size_t maxLines, bool checkUtf8);

} // namespace gridfile
