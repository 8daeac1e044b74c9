// A string list read and written line by line, for the grid's text file formats. Files are read
// as all text files of the program (byte-order marks, UTF-8, else Windows-1252).
#pragma once

#include "platform/StringList.h"

#include <string>

class TFileStringList : public TStringList {
public:
  // Back to the first line; the pending output line is emptied.
  void Reset();
  bool Eof() const { return fp >= Count(); }
  // The line at the read position, which moves on; at the end an empty text and no move.
  void ReadLn(std::string& s);
  // Adds to the pending output line.
  void Write(const std::string& s) { cache += s; }
  // Adds the pending line followed by s as one line, then empties the pending line.
  void WriteLn(const std::string& s);

private:
  int fp = 0;
  std::string cache;
};
