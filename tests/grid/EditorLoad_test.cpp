#include "grid/EditorLoad.h"

#include <gtest/gtest.h>

namespace {

TDateTime Date(int y, int m, int d) {
  TDateTime t = 0;
  EXPECT_TRUE(TryEncodeDate(y, m, d, t));
  return t;
}

TEST(EditorLoad, DatesClampToTheLimitsThemselves) {
  const TDateTime min = Date(2019, 1, 1), max = Date(2020, 1, 31);
  struct {
    TDateTime Value, Loaded;
  } cases[] = {{Date(2020, 3, 1), max},
               {max, max},
               {min, min},
               {Date(2018, 5, 5), min},
               {Date(2019, 7, 7), Date(2019, 7, 7)}};
  for (const auto& c : cases)
    EXPECT_EQ(ClampPickerDate(c.Value, min, max), c.Loaded) << c.Value;
  EXPECT_EQ(ClampPickerDate(Date(2030, 1, 1), 0, 0), Date(2030, 1, 1)) << "no limits";
}

} // namespace
