#include "TreeFixture.h"
#include "tree/StreamValues.h"
#include "tree/VTHeader.h"

#include <cstring>
#include <vector>

namespace {

std::string Saved(const TVTHeader& h) {
  TMemoryStream s;
  h.SaveToStream(s);
  return s.Bytes();
}

// Little-endian Int32 values as stream bytes.
std::string Ints(std::initializer_list<std::int32_t> values) {
  std::string out;
  for (std::int32_t v : values)
    out.append(reinterpret_cast<const char*>(&v), 4);
  return out;
}

std::string Utf16(std::u16string_view s) {
  return std::string(reinterpret_cast<const char*>(s.data()), s.size() * 2);
}

// One column record of a version-1 stream without marker (fields 1 .. 16).
std::string OldColumn(std::u16string_view text, std::int32_t options) {
  return Ints({static_cast<std::int32_t>(text.size())}) + Utf16(text) + Ints({0}) +
         Ints({60, 10, 10000, 0, -1, 0, 4, 3, 0, options});
}

// The header fields after the columns of a stream without marker (fields 7 .. 17).
std::string OldHeaderFields() {
  return Ints({0, static_cast<std::int32_t>(clBtnFace), 25, 0x400, 0, 0, -11, 6}) + "Tahoma" + Ints({0, 0});
}

class THeaderStreamTest : public TTreeTest {
protected:
  void SetUp() override {
    TTreeTest::SetUp();
    Tree->SetBounds(0, 0, 400, 300);
  }
  TVTHeader& Header() { return Tree->Header(); }
  TNodeTreeColumns& Columns() { return Header().Columns(); }
  bool Load(std::string_view bytes) {
    TMemoryStream s;
    Fill(s, bytes);
    try {
      Header().LoadFromStream(s);
    } catch (const EReadError&) {
      return false;
    }
    return true;
  }
};

TEST_F(THeaderStreamTest, StreamStartsWithMarkerAndVersion) {
  const std::string bytes = Saved(Header());
  ASSERT_GE(bytes.size(), 8u);
  EXPECT_EQ(bytes.substr(0, 8), std::string("\xFF\xFF\xFF\xFF\x06\x00\x00\x00", 8));
}

TEST_F(THeaderStreamTest, TreeWithoutColumnsRoundTripsToAnEmptyCollection) {
  const std::string bytes = Saved(Header());
  // Count 0, no map, the default width 50, then the header fields.
  EXPECT_EQ(bytes.substr(8, 12), Ints({0, 50, 0}));
  Columns().Add();
  Columns().Add();
  ASSERT_TRUE(Load(bytes));
  EXPECT_EQ(Columns().Count(), 0);
  EXPECT_EQ(Tree->MainColumn(), NoColumn);
  EXPECT_EQ(Saved(Header()), bytes);
}

TEST_F(THeaderStreamTest, ColumnsAndHeaderFieldsRoundTrip) {
  for (int i = 0; i < 3; ++i)
    Columns().Add();
  Columns()[0]->SetText("Name");
  Columns()[0]->SetHint("The device's name");
  Columns()[1]->SetText("Gr\u00f6\u00dfe \U0001F321");
  Columns()[1]->SetWidth(120);
  Columns()[1]->SetMinWidth(30);
  Columns()[1]->SetCaptionAlignment(taRightJustify);
  Columns()[1]->SetTag(42);
  Columns()[2]->SetColor(clYellow);
  Columns()[2]->SetPosition(0);
  Header().SetMainColumn(1);
  Header().SetSortColumn(2);
  Header().SetSortDirection(sdDescending);
  Header().SetHeight(27);
  Header().SetOptions(Header().Options() + TVTHeaderOptions{hoVisible, hoHotTrack});
  Header().SetStyle(hsPlates);
  Header().Font().SetName("DejaVu Sans");
  Header().Font().SetStyle(fsBold | fsItalic);
  Header().FixedAreaConstraints().SetMaxWidthPercent(60);
  const std::string bytes = Saved(Header());

  TOwned<TTestTree> copy(new TTestTree(nullptr));
  copy->SetBounds(0, 0, 400, 300);
  TMemoryStream s;
  Fill(s, bytes);
  copy->Header().LoadFromStream(s);
  EXPECT_EQ(s.Position(), s.Size());
  TVTHeader& h = copy->Header();
  EXPECT_TRUE(h.Columns().Equals(Columns()));
  EXPECT_EQ(h.Columns()[1]->Text(), "Gr\u00f6\u00dfe \U0001F321");
  EXPECT_EQ(h.Columns()[0]->Hint(), "The device's name");
  EXPECT_EQ(h.Columns()[1]->CaptionAlignment(), taRightJustify);
  EXPECT_EQ(h.Columns().PositionToIndex(), (std::vector<TColumnIndex>{2, 0, 1}));
  EXPECT_EQ(h.MainColumn(), 1);
  EXPECT_EQ(h.SortColumn(), 2);
  EXPECT_EQ(h.SortDirection(), sdDescending);
  EXPECT_EQ(h.Height(), 27);
  EXPECT_EQ(h.Options(), Header().Options());
  EXPECT_EQ(h.Style(), hsPlates);
  EXPECT_EQ(h.Font().Name(), "DejaVu Sans");
  EXPECT_EQ(h.Font().Style(), fsBold | fsItalic);
  EXPECT_EQ(h.FixedAreaConstraints().MaxWidthPercent(), 60);
  EXPECT_EQ(Saved(h), bytes);
}

TEST_F(THeaderStreamTest, StreamWithoutMarkerReadsAsTheOldestVersion) {
  // Options 0xFF of an old stream: bits 0 .. 3 stay, 4 .. 6 move up by one, bit 7 is dropped.
  const std::string bytes = Ints({1}) + OldColumn(u"Old", 0xFF) + Ints({0}) + OldHeaderFields();
  Columns().Add()->SetTag(9);
  ASSERT_TRUE(Load(bytes));
  ASSERT_EQ(Columns().Count(), 1);
  const TNodeTreeColumn& c = *Columns()[0];
  EXPECT_EQ(c.Text(), "Old");
  EXPECT_EQ(c.Width(), 60);
  EXPECT_EQ(c.Tag(), 0);
  EXPECT_EQ(c.Options().Bits(), 0x0F | 0xE0);
  EXPECT_FALSE(c.Has(coParentColor));
  EXPECT_EQ(Columns().DefaultWidth(), 50);
  EXPECT_EQ(Header().Height(), 25);
  EXPECT_TRUE(Header().Has(hoVisible));
  EXPECT_EQ(Header().MainColumn(), 0);
}

TEST_F(THeaderStreamTest, MainAndSortColumnsNeverNameAColumnThatIsGone) {
  for (int i = 0; i < 3; ++i)
    Columns().Add();
  Header().SetMainColumn(2);
  Header().SetSortColumn(2);
  // An old stream with one column carries neither the main nor the sort column.
  ASSERT_TRUE(Load(Ints({1}) + OldColumn(u"Old", 0xFF) + Ints({0}) + OldHeaderFields()));
  EXPECT_EQ(Tree->MainColumn(), 0);
  EXPECT_EQ(Header().SortColumn(), NoColumn);
}

TEST_F(THeaderStreamTest, DamagedStreamsAreRefusedWithAReadError) {
  const std::string good = OldColumn(u"Good", 0xFF);
  struct TCase {
    const char* Name;
    std::string Bytes;
    int ColumnsLeft; // whole columns read before the damage
  } cases[] = {
      {"negative column count", Ints({-1, 6, -3}), 0},
      {"huge column count", Ints({-1, 6, 0x7FFFFFFF}) + good, 0},
      {"count beyond the bytes left", Ints({-1, 6, 3}) + good, 0},
      {"negative text length", Ints({-1, 1, 2}) + good + Ints({0, 0}) + Ints({-2}) + std::string(200, '\0'),
       1},
      {"huge text length",
       Ints({-1, 1, 2}) + good + Ints({0, 0}) + Ints({0x40000000}) + std::string(200, '\0'), 1},
      {"negative hint length",
       Ints({-1, 1, 2}) + good + Ints({0, 0}) + Ints({0, -7}) + std::string(200, '\0'), 1},
      {"truncated record", Ints({-1, 1, 2}) + good + Ints({0, 0}) + Ints({40}) + std::string(80, 'a'), 1},
      {"map naming a column twice",
       Ints({-1, 1, 2}) + good + Ints({0, 0}) + good + Ints({0, 0}) + Ints({0, 0}) + std::string(100, '\0'),
       2},
      {"negative font name length",
       Ints({0}) + Ints({0, 0, 25, 0x20A, 0, 0, -11, -5}) + std::string(40, '\0'), 0},
      {"stream ending in the header fields", Ints({-1, 6, 0, 50, 0, 0}), 0},
      {"column wider than a million pixels",
       Ints({-1, 6, 1, 0, 0, 0x40000000, 10, 10000, 0, -1, 0, 4, 3, 0, 0x88FF, 0, 0, 0}) +
           std::string(100, '\0'),
       0},
      {"font height beyond a million pixels",
       Ints({-1, 6, 0, 50, 0, 0, 19, 0x20A, 0, 0, INT32_MIN, 6}) + "Tahoma" +
           Ints({0, 0, -1, -1, 0, 0, 10000, 10, 19, 0, 0, 0, 0}),
       0},
      {"height bounds that cannot be",
       Ints({-1, 6, 0, 50, 0, 0, 19, 0x20A, 0, 0, -11, 6}) + "Tahoma" +
           Ints({0, 0, -1, -1, 0, 0, 5, 10, 19, 0, 0, 0, 0}),
       0},
  };
  for (const auto& k : cases) {
    Columns().Clear();
    std::vector<TColumnIndex> resized;
    Tree->OnColumnResize = [&](TVTHeader*, TColumnIndex c) { resized.push_back(c); };
    EXPECT_FALSE(Load(k.Bytes)) << k.Name;
    EXPECT_EQ(Columns().Count(), k.ColumnsLeft) << k.Name;
    for (int i = 0; i < Columns().Count(); ++i)
      EXPECT_EQ(Columns()[i]->Text(), "Good") << k.Name;
    EXPECT_FALSE(Header().States().Has(hsLoading)) << k.Name;
    EXPECT_EQ(Header().Options(), DefaultHeaderOptions) << k.Name << ": the options stay";
    EXPECT_EQ(resized, (std::vector<TColumnIndex>{NoColumn})) << k.Name;
    Tree->OnColumnResize = nullptr;
  }
}

} // namespace
