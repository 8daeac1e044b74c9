// The column grid's columns in a stream and its column order in an INI file.
#include "grid/GridColumnStream.h"
#include "grid/ProCGrid.h"
#include "grid/ProGridError.h"

#include "platform/IniFiles.h"
#include "platform/Streams.h"

void TProColumnGrid::SaveColumnsToStream(TStream& S) {
  const std::string text = WriteColumnStream(*FColumnCollection);
  S.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
}

void TProColumnGrid::LoadColumnsFromStream(TStream& S) {
  const std::int64_t size = S.Size() - S.Position();
  if (size < 0 || size > (std::int64_t{1} << 30)) throw EProGridError("Column stream damaged: bad size");
  std::string text(static_cast<std::size_t>(size), '\0');
  S.ReadBuffer(text.data(), size);
  // Read whole into a collection of its own first: a damaged stream leaves Columns untouched.
  TGridColumnCollection loaded(nullptr);
  ReadColumnStream(text, loaded);
  TGridColumnCollection& cols = *FColumnCollection;
  const bool was = cols.NoRecursiveUpdate();
  cols.SetNoRecursiveUpdate(true);
  cols.Assign(&loaded);
  for (int i = 0; i < cols.Count(); ++i) {
    // Assign leaves these three; the stream carries them as well.
    const TGridColumnItem& src = *loaded.Items(i);
    TGridColumnItem& dst = *cols.Items(i);
    dst.SetColumnPopupType(src.ColumnPopupType());
    dst.SetPrintBorderCustom(src.PrintBorderCustom());
    dst.SetPrintFontCustom(src.PrintFontCustom());
    if (i < TotalColCount()) SetAllColWidths(i, src.StoredWidth());
  }
  cols.SetNoRecursiveUpdate(was);
  UpdateColumnHeaders();
  Invalidate();
}

void TProColumnGrid::SaveColumnPositions(const std::string& Key, const std::string& Section) {
  TMemIniFile ini(Key);
  for (int i = 0; i < FColumnCollection->Count(); ++i)
    ini.WriteInteger(Section, "CP" + std::to_string(i), Item(i)->DefIdx());
  if (TWriteResult r = ini.UpdateFile(); !r) throw EProGridError("Cannot save the column order: " + r.Error);
}

bool TProColumnGrid::LoadColumnPositions(const std::string& Key, const std::string& Section) {
  TMemIniFile ini(Key);
  const int n = FColumnCollection->Count();
  // Every key first: only a full permutation of the columns is applied.
  std::vector<int> index(static_cast<std::size_t>(n));
  std::vector<bool> seen(static_cast<std::size_t>(n), false);
  for (int j = 0; j < n; ++j) {
    const int v = ini.ReadInteger(Section, "CP" + std::to_string(j), -1);
    if (v < 0 || v >= n || seen[static_cast<std::size_t>(v)]) return false;
    seen[static_cast<std::size_t>(v)] = true;
    index[static_cast<std::size_t>(j)] = v;
  }
  ResetColumnOrder();
  for (int j = 0; j < n; ++j)
    Item(index[static_cast<std::size_t>(j)])->SetDefIdx(j);
  FColumnCollection->ResetOrganization();
  for (int j = 0; j < n; ++j)
    Item(j)->SetDefIdx(index[static_cast<std::size_t>(j)]);
  return true;
}

void TProColumnGrid::SaveColPositions() {
  if (ColumnSize().Location() != clIniFile) return TProStringGrid::SaveColPositions();
  if (ColumnSize().Key().empty() || ColumnSize().Section().empty()) return;
  SaveColumnPositions(ColumnSize().Key(), ColumnSize().Section());
}

void TProColumnGrid::LoadColPositions() {
  if (ColumnSize().Location() != clIniFile) return TProStringGrid::LoadColPositions();
  if (ColumnSize().Key().empty() || ColumnSize().Section().empty()) return;
  LoadColumnPositions(ColumnSize().Key(), ColumnSize().Section());
}
