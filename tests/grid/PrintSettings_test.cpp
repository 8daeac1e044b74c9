#include "grid/PrintSettings.h"

#include <gtest/gtest.h>

TEST(PrintSettings, DefaultsAndCopying) {
  TPrintSettings p;
  EXPECT_EQ(p.Borders(), pbSingle);
  EXPECT_TRUE(p.Centered());
  EXPECT_TRUE(p.UseDisplayFont());
  EXPECT_EQ(p.DateFormat(), "dd/mm/yyyy");
  EXPECT_EQ(p.PageNumSep(), "/");
  EXPECT_EQ(p.Time(), ppNone);
  EXPECT_EQ(p.FitToPage(), fpNever);
  EXPECT_EQ(p.Orientation(), poPortrait);
  EXPECT_EQ(p.BorderStyle(), psSolid);
  EXPECT_EQ(p.BorderColor(), TColor(0));
  EXPECT_EQ(p.TitleLines().Count(), 0);

  TPrintSettings s;
  s.SetTitle(ppTopCenter);
  s.SetTitleText("Report");
  s.TitleLines().Add("line");
  s.HeaderFont().SetHeight(25);
  s.SetFitToPage(fpShrink);
  s.SetBorderColor(0x0000FF);
  s.SetJobName("job");
  s.SetFixedCellsAlways(true);
  p.Assign(&s);
  EXPECT_EQ(p.Title(), ppTopCenter);
  EXPECT_EQ(p.TitleText(), "Report");
  ASSERT_EQ(p.TitleLines().Count(), 1);
  EXPECT_EQ(p.TitleLines()[0], "line");
  EXPECT_EQ(p.HeaderFont().Height(), 25);
  EXPECT_EQ(p.FitToPage(), fpShrink);
  EXPECT_EQ(p.BorderColor(), TColor(0x0000FF));
  EXPECT_EQ(p.JobName(), "job");
  EXPECT_FALSE(p.FixedCellsAlways()); // not copied
  s.TitleLines().Add("more");         // the copy is its own
  EXPECT_EQ(p.TitleLines().Count(), 1);
}
