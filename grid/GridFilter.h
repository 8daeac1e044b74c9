// The filter conditions of a string grid: a list of per-column conditions, each joining the
// running result by its operation.
#pragma once

#include "platform/Collection.h"

#include <cstdint>
#include <string>

class TProStringGrid;

enum TFilterOperation { foSHORT, foNONE, foAND, foXOR, foOR };
enum TFilterCells { fcVirtual, fcNormal, fcStripHTML, fcCalculated, fcRow };
enum TFilterMethod { fmExpression, fmLiteral };

class TFilterData : public TCollectionItem {
public:
  using TCollectionItem::TCollectionItem;
  int Column() const { return FColumn; }
  void SetColumn(int Value) { FColumn = Value; }
  const std::string& Condition() const { return FCondition; }
  void SetCondition(const std::string& Value) { FCondition = Value; }
  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool Value) { FCaseSensitive = Value; }
  TFilterCells Data() const { return FData; }
  void SetData(TFilterCells Value) { FData = Value; }
  const std::string& Prefix() const { return FPrefix; }
  void SetPrefix(const std::string& Value) { FPrefix = Value; }
  const std::string& Suffix() const { return FSuffix; }
  void SetSuffix(const std::string& Value) { FSuffix = Value; }
  TFilterOperation Operation() const { return FOperation; }
  void SetOperation(TFilterOperation Value) { FOperation = Value; }
  TFilterMethod Method() const { return FMethod; }
  void SetMethod(TFilterMethod Value) { FMethod = Value; }
  // Everything but Method, from another condition only.
  void Assign(const TPersistent* Source) override;

private:
  int FColumn = 0; // any column (a 16-bit field would wrap past 32767)
  std::string FCondition;
  bool FCaseSensitive = true;
  std::string FSuffix;
  std::string FPrefix;
  TFilterOperation FOperation = foSHORT;
  TFilterCells FData = fcVirtual;
  TFilterMethod FMethod = fmExpression;
};

class TFilter : public TCollection {
public:
  explicit TFilter(TProStringGrid* AOwner);
  TProStringGrid* Grid() const { return FGrid; }
  // A new last condition joined by AND, or standing alone (foNONE) when it is the only one.
  TFilterData* Add();
  // A new last condition (Index is not used) with Operation foSHORT.
  TFilterData* Insert(int Index);
  TFilterData* Items(int Index) const { return static_cast<TFilterData*>(TCollection::Items(Index)); }
  // The first condition of the column; a new one (as Add) when it has none.
  TFilterData* ColumnFilter(int Col);
  // Deletes every condition of the column and repaints its header cell.
  void RemoveColumnFilter(int Col);
  bool HasFilter(int Col) const;

private:
  TProStringGrid* FGrid;
};
