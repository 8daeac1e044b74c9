// The controls placed over cells: which control sits in which cell. The list owns its entries,
// never the controls.
#pragma once

#include <memory>
#include <vector>

class TControl;
class TWinControl;

class TControlItem {
public:
  TControlItem(int X, int Y, TControl* Control) : FX(X), FY(Y), FObject(Control) {}
  int X() const { return FX; }
  int Y() const { return FY; }
  TControl* Control() const { return FObject; }

private:
  int FX;
  int FY;
  TControl* FObject;
};

class TControlList {
public:
  int Count() const { return static_cast<int>(FItems.size()); }
  // nullptr outside the list.
  TControlItem* Control(int i) const;
  void AddControl(int X, int Y, TControl* AObject);
  // Position of the first entry of the cell; -1 when none.
  int ControlIndex(int X, int Y) const;
  // Drops entry i (its control stays); nothing outside the list.
  void RemoveControl(int i);
  // Whether one of the controls is this windowed control.
  bool HasHandle(const TWinControl* Window) const;
  void Clear() { FItems.clear(); }

private:
  std::vector<std::unique_ptr<TControlItem>> FItems;
};
