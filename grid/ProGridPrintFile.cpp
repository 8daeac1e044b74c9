// The print settings in a section of an INI file: numbers, "Y"/"N" switches, texts and three fonts.
#include "grid/ProGrid.h"

#include "controls/ProUtilText.h"
#include "platform/IniFiles.h"

#include <string_view>

namespace {

const char* YN(bool Value) {
  return Value ? "Y" : "N";
}

// The INI file drops the blanks around a value. A text with blanks at either end, or one that is
// itself enclosed in double quotes, is written enclosed in them, and one enclosing pair is taken
// off on reading, as the system's own INI reading does.
std::string IniText(const std::string& Value) {
  const bool blankEnd = !Value.empty() && (static_cast<unsigned char>(Value.front()) <= ' ' ||
                                           static_cast<unsigned char>(Value.back()) <= ' ');
  const bool quoted = Value.size() >= 2 && Value.front() == '"' && Value.back() == '"';
  return blankEnd || quoted ? '"' + Value + '"' : Value;
}

std::string FromIniText(std::string Value) {
  if (Value.size() >= 2 && Value.front() == '"' && Value.back() == '"')
    return Value.substr(1, Value.size() - 2);
  return Value;
}

// A font as four keys: name, size in points, style bits (bold 1, italic 2, underline 4, strike-out 8)
// and colour.
void WriteFont(TMemIniFile& Ini, const std::string& S, const std::string& Prefix, const TFont& F) {
  Ini.WriteString(S, Prefix + "Name", IniText(F.Name()));
  Ini.WriteInteger(S, Prefix + "Size", F.Size());
  Ini.WriteInteger(S, Prefix + "Style",
                   static_cast<int>(F.Style() & (fsBold | fsItalic | fsUnderline | fsStrikeOut)));
  Ini.WriteInteger(S, Prefix + "Color", static_cast<int>(F.Color()));
}

void ReadFont(const TMemIniFile& Ini, const std::string& S, const std::string& Prefix, TFont& F) {
  F.SetName(FromIniText(Ini.ReadString(S, Prefix + "Name", "Arial")));
  int size = Ini.ReadInteger(S, Prefix + "Size", 10);
  // A size no font has reads as the default, as a value that is no number does.
  if (size < -4096 || size > 4096) size = 10;
  F.SetSize(size);
  // The stored style is the whole style: a regular font saved over a bold one loads regular.
  F.SetStyle(static_cast<TFontStyles>(Ini.ReadInteger(S, Prefix + "Style", 0)) &
             (fsBold | fsItalic | fsUnderline | fsStrikeOut));
  F.SetColor(static_cast<TColor>(Ini.ReadInteger(S, Prefix + "Color", 0)));
}

TPrintPosition IntToPrintPosition(int Value) {
  return Value >= 1 && Value <= 6 ? static_cast<TPrintPosition>(Value) : ppNone;
}

} // namespace

void TProStringGrid::SavePrintSettings(const std::string& Key, const std::string& Section) {
  const TPrintSettings& p = FPrintSettings;
  TPrintSettings& w = FPrintSettings;
  // A line break would end the value and start a line of its own in the file.
  for (const std::string* text :
       {&p.DateFormat(), &p.TitleText(), &p.PageNumSep(), &p.PageSuffix(), &p.PagePrefix(), &w.Font().Name(),
        &w.HeaderFont().Name(), &w.FooterFont().Name()})
    if (text->find_first_of("\r\n") != std::string::npos)
      throw EProGridError("Print settings not saved: \"" + *text + "\" holds a line break");
  // The title lines go out as one value with a backslash and "n" between lines: a line holding a
  // break of its own, or those two characters, would come back as two lines.
  for (const std::string& line : w.TitleLines().ToVector())
    if (line.find_first_of("\r\n") != std::string::npos || line.find("\\n") != std::string::npos)
      throw EProGridError("Print settings not saved: the title line \"" + line +
                          "\" holds a line break or \"\\n\"");
  TMemIniFile ini(Key);
  const std::string& s = Section;
  ini.WriteInteger(s, "ColumnSpacing", p.ColumnSpacing());
  ini.WriteInteger(s, "RowSpacing", p.RowSpacing());
  ini.WriteInteger(s, "TitleSpacing", p.TitleSpacing());
  ini.WriteInteger(s, "FixedHeight", p.FixedHeight());
  ini.WriteInteger(s, "FixedWidth", p.FixedWidth());
  ini.WriteString(s, "Centered", YN(p.Centered()));
  ini.WriteString(s, "NoAutoSize", YN(p.NoAutoSize()));
  ini.WriteString(s, "UseFixedHeight", YN(p.UseFixedHeight()));
  ini.WriteString(s, "UseFixedWidth", YN(p.UseFixedWidth()));
  ini.WriteString(s, "RepeatFixedRows", YN(p.RepeatFixedRows()));
  ini.WriteString(s, "RepeatFixedCols", YN(p.RepeatFixedCols()));
  ini.WriteString(s, "UseDisplFont", YN(p.UseDisplayFont()));
  ini.WriteString(s, "UseDefOrientation", YN(p.UseDefaultOrientation()));
  ini.WriteInteger(s, "Borders", p.Borders());
  ini.WriteInteger(s, "BorderColor", static_cast<int>(p.BorderColor()));
  ini.WriteInteger(s, "BorderStyle", p.BorderStyle());
  ini.WriteInteger(s, "Date", p.Date());
  ini.WriteInteger(s, "PageNr", p.PageNr());
  ini.WriteInteger(s, "Title", p.Title());
  ini.WriteInteger(s, "Time", p.Time());
  ini.WriteString(s, "DateFormat", IniText(p.DateFormat()));
  ini.WriteString(s, "TitleText", IniText(p.TitleText()));
  ini.WriteInteger(s, "FooterSize", p.FooterSize());
  ini.WriteInteger(s, "HeaderSize", p.HeaderSize());
  ini.WriteInteger(s, "LeftSize", p.LeftSize());
  ini.WriteInteger(s, "RightSize", p.RightSize());
  ini.WriteInteger(s, "FitToPage", p.FitToPage());
  WriteFont(ini, s, "Font", w.Font());
  WriteFont(ini, s, "HeaderFont", w.HeaderFont());
  WriteFont(ini, s, "FooterFont", w.FooterFont());
  ini.WriteString(s, "PageNumSep", IniText(p.PageNumSep()));
  ini.WriteString(s, "PageSuffix", IniText(p.PageSuffix()));
  ini.WriteString(s, "PagePrefix", IniText(p.PagePrefix()));
  ini.WriteInteger(s, "Orientation", p.Orientation());
  ini.WriteString(s, "TitleLines", IniText(EscapeNewLines(w.TitleLines().Text())));
  ini.WriteString(s, "PrintGraphics", YN(p.PrintGraphics()));
  if (TWriteResult r = ini.UpdateFile(); !r) throw EProGridError("Print settings not saved: " + r.Error);
}

void TProStringGrid::LoadPrintSettings(const std::string& Key, const std::string& Section) {
  // Only read: the file stays as it is.
  const TMemIniFile ini(Key);
  const std::string& s = Section;
  TPrintSettings& p = FPrintSettings;
  auto yn = [&](const char* key, const char* def) { return ini.ReadString(s, key, def) == "Y"; };
  p.SetColumnSpacing(ini.ReadInteger(s, "ColumnSpacing", 20));
  p.SetRowSpacing(ini.ReadInteger(s, "RowSpacing", 20));
  p.SetTitleSpacing(ini.ReadInteger(s, "TitleSpacing", 20));
  p.SetFixedHeight(ini.ReadInteger(s, "FixedHeight", 0));
  p.SetFixedWidth(ini.ReadInteger(s, "FixedWidth", 0));
  p.SetCentered(yn("Centered", "Y"));
  p.SetNoAutoSize(yn("NoAutoSize", "N"));
  p.SetUseFixedHeight(yn("UseFixedHeight", "N"));
  p.SetUseFixedWidth(yn("UseFixedWidth", "N"));
  p.SetRepeatFixedRows(yn("RepeatFixedRows", "N"));
  p.SetRepeatFixedCols(yn("RepeatFixedCols", "N"));
  p.SetUseDisplayFont(yn("UseDisplFont", "N"));
  p.SetUseDefaultOrientation(yn("UseDefOrientation", "N"));
  p.SetDateFormat(FromIniText(ini.ReadString(s, "DateFormat", "")));
  p.SetTitleText(FromIniText(ini.ReadString(s, "TitleText", "")));
  p.SetFooterSize(ini.ReadInteger(s, "FooterSize", 100));
  p.SetHeaderSize(ini.ReadInteger(s, "HeaderSize", 100));
  p.SetLeftSize(ini.ReadInteger(s, "LeftSize", 100));
  p.SetRightSize(ini.ReadInteger(s, "RightSize", 100));
  p.SetPageNumSep(FromIniText(ini.ReadString(s, "PageNumSep", "")));
  p.SetPageSuffix(FromIniText(ini.ReadString(s, "PageSuffix", "")));
  p.SetPagePrefix(FromIniText(ini.ReadString(s, "PagePrefix", "")));
  p.SetPrintGraphics(yn("PrintGraphics", "N"));
  if (const int v = ini.ReadInteger(s, "Borders", 0); v >= pbNoborder && v <= pbCustom)
    p.SetBorders(static_cast<TPrintBorders>(v));
  if (const int v = ini.ReadInteger(s, "BorderStyle", 0); v >= psSolid && v <= psInsideFrame)
    p.SetBorderStyle(static_cast<TPenStyle>(v));
  p.SetBorderColor(static_cast<TColor>(ini.ReadInteger(s, "BorderColor", 0)));
  p.SetDate(IntToPrintPosition(ini.ReadInteger(s, "Date", 0)));
  p.SetPageNr(IntToPrintPosition(ini.ReadInteger(s, "PageNr", 0)));
  p.SetTitle(IntToPrintPosition(ini.ReadInteger(s, "Title", 0)));
  p.SetTime(IntToPrintPosition(ini.ReadInteger(s, "Time", 0)));
  if (const int v = ini.ReadInteger(s, "FitToPage", 0); v >= fpNever && v <= fpCustom)
    p.SetFitToPage(static_cast<TFitToPage>(v));
  ReadFont(ini, s, "Font", p.Font());
  ReadFont(ini, s, "HeaderFont", p.HeaderFont());
  ReadFont(ini, s, "FooterFont", p.FooterFont());
  p.TitleLines().SetText(UnescapeNewLines(FromIniText(ini.ReadString(s, "TitleLines", ""))));
  if (const int v = ini.ReadInteger(s, "Orientation", 0); v == poPortrait || v == poLandscape)
    p.SetOrientation(static_cast<TPrinterOrientation>(v));
}
