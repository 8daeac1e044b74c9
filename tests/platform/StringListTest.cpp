#include "platform/StringList.h"

#include "platform/Streams.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct TTag : TObject {
  explicit TTag(int v, int* freed = nullptr) : Value(v), Freed(freed) {}
  ~TTag() override {
    if (Freed) ++*Freed;
  }
  int Value;
  int* Freed;
};

int Tag(const TStrings& list, int i) {
  return static_cast<TTag*>(list.Objects(i))->Value;
}

} // namespace

TEST(StringList, SortedInsertKeepsOrderAndObjectsFollowTheirStrings) {
  TStringList list(true);
  list.SetSorted(true);
  EXPECT_EQ(list.AddObject("delta", new TTag(4)), 0);
  EXPECT_EQ(list.AddObject("Alpha", new TTag(1)), 0);
  EXPECT_EQ(list.AddObject("charlie", new TTag(3)), 1);
  EXPECT_EQ(list.AddObject("Bravo", new TTag(2)), 1);
  EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"Alpha", "Bravo", "charlie", "delta"}));
  for (int i = 0; i < list.Count(); ++i)
    EXPECT_EQ(Tag(list, i), i + 1);
  int index = -1;
  EXPECT_TRUE(list.Find("CHARLIE", index));
  EXPECT_EQ(index, 2);
  EXPECT_FALSE(list.Find("bz", index));
  EXPECT_EQ(index, 2); // where it belongs
  EXPECT_EQ(list.IndexOf("DELTA"), 3);
  EXPECT_THROW(list.Insert(0, "x"), EStringListError);
  EXPECT_THROW(list.SetStrings(0, "x"), EStringListError);
}

TEST(StringList, DuplicatesOfASortedListAsTheSettingSays) {
  struct TCase {
    TDuplicates Duplicates;
    bool CaseSensitive;
    std::vector<std::string> Expected;
    bool Throws;
  };
  const TCase cases[] = {
      {dupIgnore, false, {"a", "b"}, false},
      {dupAccept, false, {"a", "A", "b"}, false}, // the new one after the equal one
      {dupError, false, {"a", "b"}, true},
      {dupIgnore, true, {"A", "a", "b"}, false}, // not equal when case counts
  };
  for (const auto& c : cases) {
    TStringList list;
    list.SetSorted(true);
    list.SetCaseSensitive(c.CaseSensitive);
    list.SetDuplicates(c.Duplicates);
    list.Add("b");
    list.Add("a");
    if (c.Throws)
      EXPECT_THROW(list.Add("A"), EStringListError);
    else
      list.Add("A");
    EXPECT_EQ(list.ToVector(), c.Expected) << c.Duplicates << c.CaseSensitive;
  }
  TStringList unsorted;
  unsorted.SetDuplicates(dupError);
  unsorted.Add("a");
  EXPECT_NO_THROW(unsorted.Add("a")); // duplicates concern sorted lists only
  EXPECT_EQ(unsorted.Count(), 2);
}

TEST(StringList, IgnoredDuplicateAnswersTheIndexOfTheOneThere) {
  TStringList list;
  list.SetSorted(true);
  list.Add("m");
  list.Add("x");
  TTag tag(7);
  EXPECT_EQ(list.AddObject("X", &tag), 1);
  EXPECT_EQ(list.Objects(1), nullptr);
}

TEST(StringList, OnChangeOncePerEndUpdateAndOnChangingBefore) {
  TStringList list;
  std::vector<std::string> events;
  list.OnChanging = [&](TObject*) { events.push_back("changing " + std::to_string(list.Count())); };
  list.OnChange = [&](TObject*) { events.push_back("change " + std::to_string(list.Count())); };
  list.Add("a");
  EXPECT_EQ(events, (std::vector<std::string>{"changing 0", "change 1"}));
  events.clear();
  list.BeginUpdate();
  list.BeginUpdate();
  list.Add("b");
  list.SetCommaText("x,y,z");
  list.Delete(0);
  list.EndUpdate();
  EXPECT_EQ(events, std::vector<std::string>{"changing 1"});
  list.EndUpdate();
  EXPECT_EQ(events, (std::vector<std::string>{"changing 1", "change 2"}));
  events.clear();
  list.EndUpdate(); // unbalanced: ignored
  EXPECT_TRUE(events.empty());
}

TEST(StringList, ObjectsFollowMovesExchangesSortsAndDeletes) {
  int freed = 0;
  {
    TStringList list(true);
    for (int i = 0; i < 4; ++i)
      list.AddObject(std::string(1, static_cast<char>('d' - i)), new TTag(i, &freed));
    list.Exchange(0, 3); // a c b d
    list.Move(1, 3);     // a b d c
    EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"a", "b", "d", "c"}));
    EXPECT_EQ(Tag(list, 0), 3);
    EXPECT_EQ(Tag(list, 3), 1);
    list.Sort();
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(Tag(list, i), 3 - i);
    EXPECT_EQ(freed, 0); // moving frees nothing
    list.Delete(0);
    EXPECT_EQ(freed, 1);
    list.Clear();
    EXPECT_EQ(freed, 4);
    list.AddObject("z", new TTag(9, &freed));
  }
  EXPECT_EQ(freed, 5);
}

TEST(StringList, IndexErrorsRaiseAndChangeNothing) {
  TStringList list;
  list.Add("a");
  for (int index : {-1, 1, 1000}) {
    EXPECT_THROW(list.Strings(index), EStringListError) << index;
    EXPECT_THROW(list.Objects(index), EStringListError) << index;
    EXPECT_THROW(list.Delete(index), EStringListError) << index;
    EXPECT_THROW(list.Exchange(0, index), EStringListError) << index;
  }
  EXPECT_THROW(list.Insert(2, "x"), EStringListError);
  EXPECT_EQ(list.ToVector(), std::vector<std::string>{"a"});
}

TEST(StringList, TextSplitsAtEveryLineBreakAndJoinsWithCrLf) {
  struct TCase {
    std::string Text;
    std::vector<std::string> Lines;
  };
  const TCase cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb\rc", {"a", "b", "c"}},
      {"\r\n\r\n", {"", ""}},
      {"a\n\rb", {"a", "", "b"}}, // LF then CR: two breaks
  };
  for (const auto& c : cases) {
    TStringList list;
    list.SetText(c.Text);
    EXPECT_EQ(list.ToVector(), c.Lines) << c.Text;
  }
  TStringList list;
  list.Assign(std::vector<std::string>{"one", "", "two"});
  EXPECT_EQ(list.Text(), "one\r\n\r\ntwo\r\n");
}

TEST(StringList, CommaAndDelimitedTextRoundTrip) {
  struct TCase {
    std::vector<std::string> Items;
    std::string Comma;
  };
  const TCase cases[] = {
      {{}, ""},
      {{""}, "\"\""},
      {{"a", "b c", "d,e", "say \"hi\""}, "a,\"b c\",\"d,e\",\"say \"\"hi\"\"\""},
      {{"a", "", "b"}, "a,,b"},
      {{"x", ""}, "x,"},
  };
  for (const auto& c : cases) {
    TStringList list;
    list.Assign(c.Items);
    EXPECT_EQ(list.CommaText(), c.Comma);
    TStringList back;
    back.SetCommaText(c.Comma);
    EXPECT_EQ(back.ToVector(), c.Items) << c.Comma;
  }
  TStringList list;
  list.SetCommaText(" a b , c ");
  EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"a", "b", "c"})); // blanks separate too
  list.SetDelimiter(';');
  list.SetStrictDelimiter(true);
  list.SetDelimitedText(" a b ;c");
  EXPECT_EQ(list.ToVector(), (std::vector<std::string>{" a b ", "c"}));
  EXPECT_EQ(list.DelimitedText(), " a b ;c");
}

TEST(StringList, NamesAndValues) {
  TStringList list;
  list.SetText("Port=502\r\nHost=box\r\nnoequals");
  EXPECT_EQ(list.Values("host"), "box");
  EXPECT_EQ(list.Names(0), "Port");
  EXPECT_EQ(list.ValueFromIndex(0), "502");
  EXPECT_EQ(list.IndexOfName("noequals"), -1);
  list.SetValues("Port", "503");
  list.SetValues("New", "1");
  list.SetValues("Host", "");
  EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"Port=503", "noequals", "New=1"}));
}

TEST(StringList, AssignCopiesStringsObjectsAndSettings) {
  TStringList source;
  TTag tag(5);
  source.AddObject("b", &tag);
  source.Add("a");
  source.SetDelimiter(';');
  TStringList target;
  target.SetSorted(true);
  target.Add("old");
  target.Assign(source);
  EXPECT_EQ(target.ToVector(), (std::vector<std::string>{"a", "b"})); // the target stays sorted
  EXPECT_EQ(target.Objects(1), &tag);
  EXPECT_EQ(target.Delimiter(), ';');
  TStringList other;
  EXPECT_THROW(other.Assign(static_cast<const TPersistent*>(nullptr)), EConvertError);
}

TEST(StringList, FilesRoundTripWithoutLosingCharacters) {
  TTempDir dir;
  struct TCase {
    std::string Text;
    std::string Bytes; // as written
  };
  const TCase cases[] = {
      {"Gr\xC3\xBC\xC3\x9F"
       "e\r\n",
       "Gr\xFC\xDF"
       "e\r\n"},                                            // fits Windows-1252
      {"\xCE\xA9 ohm\r\n", "\xEF\xBB\xBF\xCE\xA9 ohm\r\n"}, // needs UTF-8
      // Mended: Windows-1252 bytes that form UTF-8 were read back as other characters.
      {"\xC3\x83\xC2\xA9\r\n", "\xEF\xBB\xBF\xC3\x83\xC2\xA9\r\n"},
  };
  for (const auto& c : cases) {
    TStringList list;
    list.SetText(c.Text);
    ASSERT_TRUE(list.SaveToFile(dir.File("list.txt")));
    EXPECT_EQ(dir.Read("list.txt"), c.Bytes);
    TStringList back;
    ASSERT_TRUE(back.LoadFromFile(dir.File("list.txt")));
    EXPECT_EQ(back.Text(), c.Text);
  }
  TStringList list;
  list.Add("kept");
  EXPECT_FALSE(list.LoadFromFile(dir.File("missing.txt")));
  EXPECT_EQ(list.Count(), 1);

  TMemoryStream stream;
  list.SaveToStream(stream);
  TStringList fromStream;
  stream.SetPosition(0);
  fromStream.LoadFromStream(stream);
  EXPECT_EQ(fromStream.ToVector(), std::vector<std::string>{"kept"});
}
