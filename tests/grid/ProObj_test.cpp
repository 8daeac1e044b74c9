#include "grid/ProObj.h"

#include "controls/PictureContainer.h"
#include "platform/ui/StdCtrls.h"
#include "support/TempDir.h"
#include "support/UiTestFixture.h"

#include <gtest/gtest.h>

TEST(IntList, StrValueAndChangeNotices) {
  TIntList list(2, 5);
  std::vector<std::string> seen;
  list.OnChange = [&](TObject*, int c, int r) {
    seen.push_back(std::to_string(c) + "," + std::to_string(r));
  };
  list.Insert(0, 4);
  list.Insert(0, 1);
  list.Insert(0, 3);
  EXPECT_TRUE(seen.empty()) << "Insert is silent";
  EXPECT_EQ(list.StrValue(), "3,1,4");
  list.Add(9);
  list.SetItems(0, 8);
  list.Delete(1);
  EXPECT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0], "2,5");
  seen.clear();
  list.SetStrValue("5, 6");
  EXPECT_EQ(list.ToVector(), (std::vector<int>{5, 6}));
  EXPECT_EQ(seen.size(), 2u);
  EXPECT_THROW(list.SetStrValue("7,x,8"), EConvertError);
  EXPECT_EQ(list.ToVector(), std::vector<int>{7}); // the items before the bad one stay
  EXPECT_THROW(list.Items(1), EListError);
  EXPECT_THROW(list.Items(-1), EListError);
  list.DeleteValue(42);
  EXPECT_TRUE(list.HasValue(7));
  list.DeleteValue(7);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.StrValue(), "");
}

TEST(SortIndexList, TextForm) {
  struct TCase {
    const char* Text;
    std::vector<std::pair<int, bool>> Keys; // column, ascending
  };
  const TCase cases[] = {
      {"u1;x;d12;U3", {{1, true}, {12, false}, {3, false}}},
      {"u5;", {{5, true}}},
      {"", {}},
      {"u 7;d-", {{7, true}, {0, false}}}, // leading blank; no digits reads 0
      {"u$1F;u0x10;u3abc", {{31, true}, {16, true}, {3, true}}},
      {"u99999999999", {{999999999, true}}}, // too long for 32 bits: never overflows
  };
  for (const auto& c : cases) {
    TSortIndexList list;
    list.LoadFromString(c.Text);
    ASSERT_EQ(list.Count(), static_cast<int>(c.Keys.size())) << c.Text;
    for (int i = 0; i < list.Count(); ++i) {
      EXPECT_EQ(list.SortColumns(i), c.Keys[static_cast<std::size_t>(i)].first) << c.Text << " " << i;
      EXPECT_EQ(list.SortDirections(i), c.Keys[static_cast<std::size_t>(i)].second) << c.Text << " " << i;
    }
  }
  TSortIndexList list;
  list.AddIndex(2, true);
  list.AddIndex(0, false);
  EXPECT_EQ(list.SaveToString(), "u2;d0");
  list.Clear();
  list.AddIndex(70000, true);
  EXPECT_EQ(list.SaveToString(), "u4464");
}

TEST(SortIndexList, KeysByColumn) {
  TSortIndexList list;
  list.AddIndex(4, true);
  list.AddIndex(4, true);
  list.AddIndex(9, false);
  EXPECT_EQ(list.FindIndex(9), 2);
  EXPECT_EQ(list.FindIndex(5), -1);
  list.ToggleIndex(4);
  EXPECT_FALSE(list.SortDirections(0));
  EXPECT_TRUE(list.SortDirections(1)) << "only the first key flips";
  list.ToggleIndex(5); // no key: nothing
  list.SetSortColumns(2, 11);
  EXPECT_EQ(list.SortColumns(2), 11);
  EXPECT_FALSE(list.SortDirections(2)) << "the direction stays";
  list.SetSortDirections(2, true);
  EXPECT_EQ(list.Items(2), 11);
}

class ControlListTest : public TUiTest {};

TEST_F(ControlListTest, EntriesNeverOwnTheirControls) {
  TOwned<TForm> form(NewForm<TForm>(nullptr));
  auto* edit = new TEdit(form.get());
  {
    TControlList list;
    list.AddControl(1, 2, edit);
    list.AddControl(3, 4, nullptr);
    EXPECT_EQ(list.ControlIndex(1, 2), 0);
    EXPECT_EQ(list.ControlIndex(2, 1), -1);
    EXPECT_TRUE(list.HasHandle(edit));
    EXPECT_FALSE(list.HasHandle(form.get()));
    list.RemoveControl(0);
    list.RemoveControl(5);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Control(0)->X(), 3);
    EXPECT_EQ(list.Control(1), nullptr);
  }
  EXPECT_EQ(edit->Owner(), form.get()); // alive after the list went
}

TEST(FileStringList, ReadsAndWritesLineByLine) {
  TFileStringList list;
  list.Write("x");
  list.Write("y");
  list.WriteLn("a");
  list.WriteLn("b");
  EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"xya", "b"}));
  list.Reset();
  std::string s;
  list.ReadLn(s);
  EXPECT_EQ(s, "xya");
  list.ReadLn(s);
  EXPECT_TRUE(list.Eof());
  list.ReadLn(s); // at the end: empty, and the position stays
  EXPECT_EQ(s, "");
  EXPECT_TRUE(list.Eof());
  list.Add("c");
  list.ReadLn(s);
  EXPECT_EQ(s, "c") << "the position did not run past the list";

  TTempDir dir;
  TFileStringList file;
  ASSERT_TRUE(file.LoadFromFile(dir.Write("in.txt", "\xEF\xBB\xBF"
                                                    "one\r\nZ\xC3\xBC"
                                                    "rich\r\n")));
  file.Reset();
  file.ReadLn(s);
  file.ReadLn(s);
  EXPECT_EQ(s, "Z\xC3\xBC"
               "rich");
}

class FilePictureTest : public TUiTest {};

TEST_F(FilePictureTest, LoadsOnceAndDrawsNothingForAFileGone) {
  TTempDir dir;
  TBitmap source(6, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x)
      source.SetPixel(x, y, clRed);
  std::string path = dir.File("p.bmp");
  ASSERT_TRUE(source.SaveToFile(path));

  TFilePicture picture;
  picture.SetFilename(path);
  EXPECT_EQ(picture.Width(), 6);
  EXPECT_EQ(picture.Height(), 4);
  TBitmap target(20, 20);
  target.Canvas().Brush().SetColor(clWhite);
  target.Canvas().FillRect({0, 0, 20, 20});
  picture.DrawPicture(target.Canvas(), {0, 0, 12, 8});
  EXPECT_EQ(target.Pixel(5, 5), clRed);

  dir.Write("p.bmp", "no picture now");
  target.Canvas().FillRect({0, 0, 20, 20});
  EXPECT_NO_THROW(picture.DrawPicture(target.Canvas(), {0, 0, 12, 8}));
  EXPECT_EQ(target.Pixel(5, 5), clWhite);
  std::remove(path.c_str());
  EXPECT_NO_THROW(picture.DrawPicture(target.Canvas(), {0, 0, 12, 8}));
  EXPECT_EQ(target.Pixel(5, 5), clWhite);

  TFilePicture missing;
  EXPECT_THROW(missing.SetFilename(dir.File("none.bmp")), EPictureError);
  EXPECT_EQ(missing.Filename(), dir.File("none.bmp")); // stored before the error
  TFilePicture copy;
  copy.Assign(&picture);
  EXPECT_EQ(copy.Filename(), path);
  EXPECT_EQ(copy.Width(), 6);
}
