#include "grid/CellGraphic.h"

#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Graphics.h"

#include <gtest/gtest.h>

namespace {

// Tells when it is freed, so a test sees who freed what.
struct TTracked : TPersistent {
  explicit TTracked(bool* Freed) : FFreed(Freed) {}
  ~TTracked() override { *FFreed = true; }
  bool* FFreed;
};

TEST(CellGraphic, AngleIsBroughtIntoZeroTo360) {
  struct {
    int in, out;
  } cases[] = {{-90, 270}, {720, 360}, {360, 360}, {0, 0}, {-360, 0}, {45, 45}, {361, 1}};
  for (auto c : cases) {
    TCellGraphic g;
    g.SetAngle(c.in);
    EXPECT_EQ(g.CellType(), ctRotated);
    EXPECT_EQ(g.CellAngle(), c.out) << c.in;
  }
}

TEST(CellGraphic, PictureSizeByStretchMode) {
  TPicture pic;
  pic.Assign(TBitmap(100, 50));
  struct {
    TStretchMode mode;
    TPoint size;
  } cases[] = {{noStretch, {100, 50}},
               {Stretch, {60, 60}},
               {StretchWithAspectRatio, {60, 30}},
               {Shrink, {60, 60}},
               {ShrinkWithAspectRatio, {60, 30}}};
  for (auto c : cases) {
    TCellGraphic g;
    g.SetPicture(&pic, false, c.mode, 0, haLeft, vaTop);
    EXPECT_EQ(g.GetPictureSize(60, 60, false), c.size) << c.mode;
    EXPECT_EQ(g.GetPictureSize(60, 60, true), c.size) << "text changes nothing, mode " << c.mode;
  }
  // A picture that fits is never grown by the shrink modes; padding comes off the area.
  TCellGraphic g;
  g.SetPicture(&pic, false, ShrinkWithAspectRatio, 10, haLeft, vaTop);
  EXPECT_EQ(g.GetPictureSize(200, 100, false), (TPoint{100, 50}));
  EXPECT_EQ(g.GetPictureSize(60, 60, false), (TPoint{50, 25}));
}

TEST(CellGraphic, FreesOnlyWhatItMade) {
  bool callers = false, made = false;
  auto* callersObj = new TTracked(&callers);
  {
    TCellGraphic g;
    g.SetInterfacedCell(callersObj);
    EXPECT_FALSE(g.CellCreated());
  }
  EXPECT_FALSE(callers) << "an object handed in stays the caller's";
  {
    TCellGraphic g;
    g.SetInterfacedCell(new TTracked(&made));
    g.MarkCreated();
    EXPECT_TRUE(g.CellCreated());
    // Putting another object in frees the one the graphic made, and the new one is the caller's.
    g.SetInterfacedCell(callersObj);
    EXPECT_TRUE(made);
    EXPECT_FALSE(g.CellCreated());
  }
  EXPECT_FALSE(callers);
  delete callersObj;
}

TEST(CellGraphic, AssignCopiesSettingsButNotOwnership) {
  bool freed = false;
  TTracked callers(&freed);
  TCellGraphic src;
  src.SetMultiImage(1, 2, 0, haRight, vaBottom); // owns its index list
  src.SetCellText("note");
  src.SetCellCheckBoxState(cbGrayed);
  {
    TCellGraphic dst;
    dst.SetInterfacedCell(&callers);
    dst.Assign(&src);
    EXPECT_EQ(dst.CellType(), ctImages);
    EXPECT_EQ(dst.CellHAlign(), haRight);
    EXPECT_EQ(dst.CellVAlign(), vaBottom);
    EXPECT_TRUE(dst.CellBoolean());
    EXPECT_EQ(dst.CellText(), "note");
    EXPECT_EQ(dst.CellCheckBoxState(), cbUnchecked) << "the tri-state is not copied";
    EXPECT_EQ(dst.CellIntList(), nullptr) << "objects are not copied";
    EXPECT_FALSE(dst.CellCreated()) << "taking the source's flag would free the caller's object";
  }
  EXPECT_FALSE(freed);
}

TEST(CellGraphic, ColoursHaveSlotsOfTheirOwn) {
  TCellGraphic g;
  g.SetCellColor(0x123456);
  EXPECT_EQ(g.CellBitmap(), nullptr);
  EXPECT_EQ(g.CellColor(), 0x123456u);
}

TEST(CellGraphic, SharedCheckBoxesAreNotFreedWithACell) {
  for (TCellType kind : {ctVirtCheckBox, ctRowCheckBox}) {
    auto* g = new TCellGraphic;
    g->SetCellType(kind);
    TCellGraphic::FreeFromCell(g);
    EXPECT_EQ(g->CellType(), kind); // still alive
    delete g;
  }
}

TEST(CellGraphic, SetterKindsAndFields) {
  TCellGraphic g;
  EXPECT_EQ(g.CellType(), ctNone);
  g.SetButton(60, 20, "Go", haCenter, vaCenter);
  EXPECT_EQ(g.CellType(), ctButton);
  EXPECT_EQ(g.CellIndex(), (20 << 16) + 60);
  g.SetCheckBox(true, true, true, haBeforeText, vaCenter);
  EXPECT_EQ(g.CellType(), ctDataCheckBox);
  g.SetCheckBox(cbGrayed, false, haBeforeText, vaTop);
  EXPECT_EQ(g.CellType(), ctTriStateCheckBox);
  EXPECT_FALSE(g.CellBoolean());
  g.SetRadioButton(true, true, haBeforeText, vaTop);
  EXPECT_EQ(g.CellType(), ctRadioButton);
  EXPECT_TRUE(g.CellBoolean());
}

} // namespace
