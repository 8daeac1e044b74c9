#include "grid/ProGrid.h"

#include "ProGridFixture.h"
#include "platform/Collate.h"
#include "platform/Locale.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

// One fixed row, texts in column 1; column 2 holds each row's starting index.
class ProGridSortTest : public TProGridTest<> {
protected:
  void Load(const std::vector<std::string>& Texts) {
    Grid->SetColCount(3);
    Grid->SetRowCount(static_cast<int>(Texts.size()) + 1);
    for (int i = 0; i < static_cast<int>(Texts.size()); ++i) {
      Grid->SetCells(1, i + 1, Texts[i]);
      Grid->SetCells(2, i + 1, std::to_string(i + 1));
    }
  }
  std::vector<std::string> Col(int c) const {
    std::vector<std::string> out;
    for (int r = 1; r < Grid->RowCount(); ++r)
      out.push_back(Grid->Cells(c, r));
    return out;
  }
  using V = std::vector<std::string>;
};

} // namespace

TEST_F(ProGridSortTest, StylesCases) {
  struct Case {
    const char* name;
    TSortStyle style;
    TSortDirection dir;
    V in, want;
  } cases[] = {
      {"numbers by value", ssNumeric, sdAscending, {"10", "9", "-1", "2.5"}, {"-1", "2.5", "9", "10"}},
      {"descending", ssNumeric, sdDescending, {"10", "9", "-1"}, {"10", "9", "-1"}},
      // Mended: texts that are no numbers take one place after the numbers, ordered by text,
      // before them descending.
      {"words after numbers", ssNumeric, sdAscending, {"b", "3", "a", "1"}, {"1", "3", "a", "b"}},
      {"words before numbers descending",
       ssNumeric,
       sdDescending,
       {"b", "3", "a", "1"},
       {"b", "a", "3", "1"}},
      {"empty counts as 0", ssNumeric, sdAscending, {"5", "", "-2"}, {"-2", "", "5"}},
      {"ordinal text", ssAlphabetic, sdAscending, {"b", "B", "a"}, {"B", "a", "b"}},
      {"ASCII case folded", ssAlphaNoCase, sdAscending, {"b", "C", "a"}, {"a", "b", "C"}},
      {"html stripped", ssHTML, sdAscending, {"<b>z</b>", "y"}, {"y", "<b>z</b>"}},
      {"dates day first",
       ssShortDateEU,
       sdAscending,
       {"01/02/2020", "31/01/2020"},
       {"31/01/2020", "01/02/2020"}},
      {"dates month first",
       ssShortDateUS,
       sdAscending,
       {"02/01/2020", "01/31/2020"},
       {"01/31/2020", "02/01/2020"}},
      // Mended: numbers before texts, so the order is one order whatever the pairs.
      {"alphanumeric", ssAlphaNumeric, sdAscending, {"10", "2", "1a"}, {"2", "10", "1a"}},
  };
  for (const Case& c : cases) {
    Load(c.in);
    Grid->OnGetFormat = [&](TObject*, int, TSortStyle& s, std::string&, std::string&) { s = c.style; };
    Grid->Sort(1, c.dir);
    EXPECT_EQ(Col(1), c.want) << c.name;
  }
}

TEST_F(ProGridSortTest, AutomaticStyleIsResolvedOnceForTheColumn) {
  Load({"12", "abc", "9", "x", "100"});
  Grid->Sort(1, sdAscending);
  EXPECT_EQ(Col(1), (V{"9", "12", "100", "abc", "x"}));
  Load({"abc", "12", "9"});
  Grid->Sort(1, sdAscending);
  EXPECT_EQ(Col(1), (V{"12", "9", "abc"})) << "a first text makes the column textual";
}

TEST_F(ProGridSortTest, MixedColumnSortsToOneOrderWhateverTheStart) {
  V texts{"7", "x", "-3", "", "b", "12", "a", "0.5"};
  Grid->OnGetFormat = [](TObject*, int, TSortStyle& s, std::string&, std::string&) { s = ssNumeric; };
  std::mt19937 rng(7);
  V first;
  for (int round = 0; round < 20; ++round) {
    std::shuffle(texts.begin(), texts.end(), rng);
    Load(texts);
    Grid->Sort(1, sdAscending);
    if (round == 0)
      first = Col(1);
    else
      EXPECT_EQ(Col(1), first);
  }
  EXPECT_EQ(first, (V{"-3", "", "0.5", "7", "12", "a", "b", "x"}));
}

TEST_F(ProGridSortTest, StableAndFullBreakTies) {
  Load({"b", "a", "b", "a"});
  Grid->SortSettings().SetFull(false);
  Grid->Sort(1, sdAscending);
  EXPECT_EQ(Col(2), (V{"2", "4", "1", "3"})) << "equal rows keep their order";
  Load({"b", "a", "b", "a"});
  Grid->SetCells(2, 2, "9");
  Grid->SortSettings().SetFull(true);
  Grid->Sort(1, sdAscending);
  EXPECT_EQ(Col(2), (V{"4", "9", "1", "3"})) << "the next column decides";
}

TEST_F(ProGridSortTest, NumericColumnsMatchAComparisonSortInBothDirections) {
  // Negative numbers, zeros of both signs, repeated values broken by the next column, and words.
  std::mt19937 rng(5);
  std::uniform_int_distribution<int> pick(0, 9);
  const V pool{"-2.5", "0", "-0", "1e3", "7", "-1000", "3.25", "word", "7", "0.0"};
  Grid->OnGetFormat = [](TObject*, int c, TSortStyle& s, std::string&, std::string&) {
    s = c == 1 ? ssNumeric : ssAlphabetic;
  };
  for (int round = 0; round < 10; ++round) {
    V texts(60);
    for (std::string& t : texts)
      t = pool[static_cast<size_t>(pick(rng))];
    for (const bool descending : {false, true}) {
      Load(texts);
      for (int r = 1; r < Grid->RowCount(); ++r)
        Grid->SetCells(2, r, std::to_string(pick(rng)));
      std::vector<std::pair<std::string, std::string>> rows;
      for (int r = 1; r < Grid->RowCount(); ++r)
        rows.emplace_back(Grid->Cells(1, r), Grid->Cells(2, r));
      auto key = [](const std::string& t) { return t == "word" ? 0.0 : std::stod(t); };
      std::stable_sort(rows.begin(), rows.end(), [&](const auto& a, const auto& b) {
        const bool wa = a.first == "word", wb = b.first == "word";
        if (wa != wb) return descending ? wa : wb;
        if (!wa && key(a.first) != key(b.first))
          return descending ? key(a.first) > key(b.first) : key(a.first) < key(b.first);
        const double x = std::stod(a.second), y = std::stod(b.second);
        return descending ? x > y : x < y;
      });
      Grid->Sort(1, descending ? sdDescending : sdAscending);
      for (int r = 1; r < Grid->RowCount(); ++r) {
        ASSERT_EQ(key(Grid->Cells(1, r)), key(rows[static_cast<size_t>(r - 1)].first)) << r;
        ASSERT_EQ(Grid->Cells(2, r), rows[static_cast<size_t>(r - 1)].second) << r;
      }
    }
  }
}

TEST_F(ProGridSortTest, RowsTakeTheirLooksFlagsAndHeights) {
  Load({"c", "a", "b"});
  Grid->SetColors(2, 1, 0x0000FF);
  Grid->SetRowHeights(1, 40);
  Grid->SetRowModified(1, true);
  Grid->Sort(1, sdAscending);
  EXPECT_EQ(Col(1), (V{"a", "b", "c"}));
  EXPECT_EQ(Grid->Colors(2, 3), 0x0000FF);
  EXPECT_EQ(Grid->RowHeights(3), 40);
  EXPECT_TRUE(Grid->RowModified(3));
  EXPECT_FALSE(Grid->RowModified(1));
}

TEST_F(ProGridSortTest, BlanksGoToOneEndInBothDirections) {
  for (TSortDirection dir : {sdAscending, sdDescending}) {
    Load({"b", "", "a"});
    Grid->SortSettings().SetIgnoreBlanks(true);
    Grid->SortSettings().SetBlankPos(blLast);
    Grid->Sort(1, dir);
    EXPECT_EQ(Col(1).back(), "");
  }
}

TEST_F(ProGridSortTest, CompareEventsAnsweringAtRandomEndWithoutACrash) {
  std::mt19937 rng(3);
  std::vector<std::string> texts;
  for (int i = 0; i < 500; ++i)
    texts.push_back(std::to_string(i));
  Load(texts);
  Grid->OnGetFormat = [](TObject*, int, TSortStyle& s, std::string&, std::string&) { s = ssCustom; };
  Grid->OnCustomCompare = [&](TObject*, const std::string&, const std::string&, int& Res) {
    Res = static_cast<int>(rng() % 3) - 1;
  };
  Grid->Sort(1, sdAscending);
  V got = Col(1);
  std::sort(got.begin(), got.end());
  std::sort(texts.begin(), texts.end());
  EXPECT_EQ(got, texts) << "every row is still there once";

  Grid->OnGetFormat = [](TObject*, int, TSortStyle& s, std::string&, std::string&) { s = ssRaw; };
  Grid->OnRawCompare = [&](TObject*, int, int, int, int& Res) { Res = static_cast<int>(rng() % 3) - 1; };
  Grid->Sort(1, sdDescending);
  EXPECT_EQ(Grid->RowCount(), 501);
}

TEST_F(ProGridSortTest, UnSortRestoresAndIgnoresAStaleCrossReference) {
  Load({"c", "a", "d", "b"});
  Grid->InitSortXRef();
  Grid->Sort(1, sdAscending);
  Grid->Sort(1, sdDescending);
  Grid->QUnSort();
  EXPECT_EQ(Col(1), (V{"c", "a", "d", "b"}));

  Grid->Sort(1, sdAscending);
  Grid->AddRow(); // mended: the cross-reference no longer covers the rows
  const V before = Col(1);
  Grid->QUnSort();
  EXPECT_EQ(Col(1), before);
}

TEST_F(ProGridSortTest, IndexedAndGroupSorts) {
  Load({"b", "a", "b", "a"});
  Grid->SetCells(2, 1, "1");
  Grid->SetCells(2, 3, "2");
  Grid->SortIndexes().Clear();
  EXPECT_THROW(Grid->QSortIndexed(), EProGridError);
  Grid->SortIndexes().AddIndex(1, true);
  Grid->SortIndexes().AddIndex(2, false);
  Grid->QSortIndexed();
  EXPECT_EQ(Col(1), (V{"a", "a", "b", "b"}));
  EXPECT_EQ(Col(2), (V{"4", "2", "2", "1"}));
}

TEST_F(ProGridSortTest, SettingsStringsRoundTrip) {
  Load({"3", "1", "2"});
  Grid->SetColCount(6);
  for (const char* text : {"u3", "d4", "i;u2;d5"}) {
    Grid->SortSettings().LoadFromString(text);
    EXPECT_TRUE(Grid->SortSettings().Show());
    EXPECT_EQ(Grid->SortSettings().SaveToString(), text);
  }
  EXPECT_THROW(Grid->SortSettings().LoadFromString("u"), std::runtime_error);
  Grid->SortSettings().LoadFromString("d1");
  EXPECT_EQ(Col(1), (V{"3", "2", "1"}));
}

TEST_F(ProGridSortTest, SortCommitsAnOpenEditFirst) {
  Load({"b", "c", "a"});
  Grid->SetOptions(Grid->Options() | goEditing);
  Grid->SetFocus();
  Grid->FocusCell(1, 1);
  Grid->ShowInplaceEdit();
  if (!Grid->InplaceEditor()) GTEST_SKIP() << "no editor in this setup";
  Grid->InplaceEditor()->SetText("z");
  Grid->Sort(1, sdAscending);
  EXPECT_EQ(Col(1), (V{"a", "c", "z"}));
}

TEST_F(ProGridSortTest, LocaleStylesGoThroughTheCollation) {
  SetCollationLocale("de_DE");
  Load({"Zebra", "äpfel", "Apfel"});
  Grid->OnGetFormat = [](TObject*, int, TSortStyle& s, std::string&, std::string&) { s = ssAnsiAlphaNoCase; };
  Grid->Sort(1, sdAscending);
  EXPECT_EQ(Col(1).back(), "Zebra");
  SetCollationLocale("");
}
