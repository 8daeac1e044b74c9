// Option sets stored by old forms: the "Options" set of "vo" names and the string tree's
// "StringOptions" set of "so" names.
#include "TreeFixture.h"

#include "tree/StringTree.h"

#include <string>
#include <vector>

namespace {

struct TExpected {
  TVTPaintOptions Paint;
  TVTAnimationOptions Animation;
  TVTAutoOptions Auto;
  TVTSelectionOptions Selection;
  TVTMiscOptions Misc;
};

void ExpectSets(const TCustomNodeTreeOptions& o, const TExpected& e) {
  EXPECT_TRUE(o.PaintOptions() == e.Paint);
  EXPECT_TRUE(o.AnimationOptions() == e.Animation);
  EXPECT_TRUE(o.AutoOptions() == e.Auto);
  EXPECT_TRUE(o.SelectionOptions() == e.Selection);
  EXPECT_TRUE(o.MiscOptions() == e.Misc);
}

} // namespace

TEST_F(TTreeTest, LegacyOptionsGoToTheSetsOfTheirNewNames) {
  struct TCase {
    const char* what;
    std::vector<std::string> names;
    TExpected expected;
  };
  const TCase cases[] = {
      {"root and multi-select", {"voShowRoot", "voMultiSelect"}, {{toShowRoot}, {}, {}, {toMultiSelect}, {}}},
      {"one of each set",
       {"voAnimatedToggle", "voAutoSort", "voHotTrack", "voFullRowSelect", "voEditable"},
       {{toHotTrack}, {toAnimatedToggle}, {toAutoSort}, {toFullRowSelect}, {toEditable}}},
      {"first and last of the old list",
       {"voAcceptOLEDrop", "voToggleOnDblClick", "voSiblingSelectConstraint"},
       {{}, {}, {}, {toSiblingSelectConstraint}, {toAcceptOLEDrop, toToggleOnDblClick}}},
      {"unknown and newer names skipped",
       {"voThemeAware", "toShowRoot", "", "VOSHOWROOT", "voShowTreeLines"},
       {{toShowTreeLines}, {}, {}, {}, {}}},
      {"an empty set empties everything", {}, {}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    TOwned<TTestTree> tree(new TTestTree(nullptr));
    tree->TreeOptions().ReadLegacyOptions(&c.names);
    ExpectSets(tree->TreeOptions(), c.expected);
  }
  // A stored value that is not a set changes nothing.
  const TVTPaintOptions before = Tree->TreeOptions().PaintOptions();
  Tree->TreeOptions().ReadLegacyOptions(nullptr);
  EXPECT_TRUE(Tree->TreeOptions().PaintOptions() == before);
  EXPECT_TRUE(Tree->TreeOptions().MiscOptions() == DefaultMiscOptions);
}

TEST_F(TUiTest, LegacyStringOptionsReplaceTheStringOptions) {
  TOwned<TNodeStringTree> tree(new TNodeStringTree(nullptr));
  TCustomStringTreeOptions& options = tree->TreeOptions();
  options.ReadLegacyStringOptions({"soShowStaticText", "soAutoAcceptEditChange", "voShowRoot"});
  EXPECT_TRUE(options.StringOptions() == TVTStringOptions{toShowStaticText});
  options.ReadLegacyStringOptions({"soSaveCaptions"});
  EXPECT_TRUE(options.StringOptions() == TVTStringOptions{toSaveCaptions});
  options.ReadLegacyStringOptions({});
  EXPECT_TRUE(options.StringOptions().Empty());
}
