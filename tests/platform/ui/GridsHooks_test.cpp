// What a descendant of the grid sees of count and position changes: the virtual setters, also
// when the grid itself sets the values.
#include "platform/ui/GridsCore.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

namespace {

// Keeps at least one fixed row (as a grid whose header row must stay) and logs the setters.
class TKeepHeaderGrid : public TGridCore {
public:
  std::vector<std::string> Log;
  void SetRowCount(int value) override {
    Log.push_back("rows " + std::to_string(value));
    TGridCore::SetRowCount(std::max(2, value));
  }
  void SetFixedRows(int value) override {
    Log.push_back("fixed " + std::to_string(value));
    TGridCore::SetFixedRows(std::max(1, value));
  }
  void SetTopRow(int value) override {
    Log.push_back("top " + std::to_string(value));
    TGridCore::SetTopRow(value);
  }
  void SetRow(int value) override {
    Log.push_back("row " + std::to_string(value));
    TGridCore::SetRow(value);
  }
};

TEST(GridHooks, DescendantsSeeCountAndPositionChangesAlsoFromTheGridItself) {
  TKeepHeaderGrid g;
  g.SetColCount(3);
  g.SetRowCount(3);
  g.SetGridClientSize(200, 60);
  TGridCore& base = g;
  base.SetFixedRows(0);
  EXPECT_EQ(g.FixedRows(), 1) << "the override has the last word, also through the base";
  g.DeleteRow(2);
  g.DeleteRow(1);
  EXPECT_EQ(g.RowCount(), 2) << "DeleteRow's count passes the override";
  g.SetRowCount(40);
  g.Log.clear();
  g.SetRow(1);
  g.NavigateKey(GridKeys::Down, false, true); // Ctrl+Down scrolls the view
  g.SetRow(20);
  EXPECT_EQ(g.Log, (std::vector<std::string>{"row 1", "top 2", "row 20"}));
}

} // namespace
