#include "app/ULanguage.h"
#include "mbus/NetworkTexts.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// The block holds the checks' texts 1787 to 1892 and the file messages added in spare numbers of
// the editor's block, and the table shows them as entered.
TEST(NetworkTexts, BlockNumbersAndTheTableAgree) {
  Load_Default_Texts();
  const std::set<int> added = {Txt_Net_Read_Error, Txt_Net_Read_Incomplete, Txt_Net_Save_Error,
                               Txt_Net_Save_Incomplete};
  const std::set<int> spare = {1808, 1809, 1810, 1817, 1818, 1819, 1826, 1827, 1828, 1836, 1837, 1843};
  std::set<int> seen;
  for (const TDefaultText& t : MBusNetworkTexts()) {
    EXPECT_TRUE(seen.insert(t.Number).second) << t.Number << " twice";
    EXPECT_TRUE((t.Number >= 1787 && t.Number <= 1892) || added.count(t.Number)) << t.Number;
    if (spare.count(t.Number)) {
      EXPECT_TRUE(added.count(t.Number)) << t.Number << " is no text of the checks";
    }
    EXPECT_EQ(Lang_Text(t.Number), t.Text) << t.Number;
  }
  EXPECT_EQ(seen.size(), 106u - spare.size() + added.size());
  EXPECT_EQ(Lang_Text(1846), "Error!! Address must be between 0x00000000 and 0xFFFFFF");
}

} // namespace
