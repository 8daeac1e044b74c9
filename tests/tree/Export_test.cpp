// The string tree's exports: HTML, RTF, text, the clipboard's renderings and the CSV file.
#include "TreeFixture.h"

#include "platform/ui/HeadlessServices.h"
#include "support/TempDir.h"
#include "tree/ClipboardFormats.h"
#include "tree/NodeTreesExport.h"
#include "tree/StringTree.h"
#include "tree/VTColumns.h"
#include "tree/VTHeader.h"

#include <map>

namespace {

// A string tree whose node texts come from a map (node -> texts by column).
class TExportTest : public TUiTest {
protected:
  void SetUp() override {
    TUiTest::SetUp();
    Tree.reset(new TNodeStringTree(nullptr));
    Tree->SetNodeDataSize(0);
    Tree->SetBounds(0, 0, 192, 100);
    Tree->SetColor(clWhite);
    Tree->OnGetText = [this](TBaseNodeTree*, PVNode n, TColumnIndex c, TVSTTextType type, std::string& text) {
      if (type != ttNormal) return;
      auto it = Texts.find(n);
      if (it == Texts.end()) return;
      const std::size_t i = c < 0 ? 0 : static_cast<std::size_t>(c);
      if (i < it->second.size()) text = it->second[i];
    };
    SetExportLocale({",", true});
  }
  void TearDown() override {
    Tree.reset();
    ResetExportLocale();
    TUiTest::TearDown();
  }
  PVNode Add(PVNode parent, std::vector<std::string> texts) {
    PVNode n = Tree->AddChild(parent);
    Texts[n] = std::move(texts);
    return n;
  }
  void AddColumns(std::vector<std::string> captions, int width = 50) {
    for (const auto& caption : captions) {
      TNodeTreeColumn* c = Tree->Header().Columns().Add();
      c->SetText(caption);
      c->SetWidth(width);
    }
    Tree->Header().SetMainColumn(0);
  }
  static std::string Rows(const std::string& html) {
    return html.substr(html.find("cellspacing=\"0\">\r\n") + 18);
  }
  TOwned<TNodeStringTree> Tree;
  std::map<PVNode, std::vector<std::string>> Texts;
};

TEST_F(TExportTest, HtmlOfAnEmptyTreeWithoutColumns) {
  const std::string html = Tree->ContentToHTML(tstAll);
  EXPECT_EQ(
      html,
      "<META http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\"><style type=\"text/css\">\r\n"
      ".default{font-family: 'Tahoma'; font-size: 8pt; font-style: normal; font-weight: normal; "
      "text-decoration: none; color: #000000;}\r\n"
      ".header{font-family: 'Tahoma'; font-size: 8pt; font-style: normal; font-weight: normal; "
      "text-decoration: none; color: #000000;}\r\n"
      ".noborder{border-style: none;padding-left: 4px; padding-right: 4px;}\r\n"
      ".normalborder {vertical-align: top; border-right: none; border-left:none; border-top:none; "
      "border-bottom: none;border-width: thin; border-style: dotted;padding-left: 4px; padding-right: 4px;}"
      "</style>\r\n"
      "<table class=\"default\" style=\"border-collapse: collapse;\" bgcolor=#FFFFFF  border=\"1\" "
      "frame=box cellspacing=\"0\">\r\n"
      "</table>");
}

TEST_F(TExportTest, HtmlRowsIndentAndSpanWithoutColumns) {
  PVNode a = Add(nullptr, {"A"});
  Add(a, {"B"});
  Tree->SetExpanded(a, true);
  const std::string rows = Rows(Tree->ContentToHTML(tstAll));
  EXPECT_EQ(rows, " <tr class=\"default\">\r\n"
                  " <td class=\"normalborder\"  height=\"18px\" align=left colspan=\"2\">A</td> </tr>\r\n"
                  " <tr class=\"default\">\r\n"
                  " <td height=\"18px\" class=\"normalborder\">&nbsp;</td> <td class=\"normalborder\"  "
                  "height=\"18px\" align=left>B</td> </tr>\r\n"
                  "</table>");
}

TEST_F(TExportTest, HtmlEscapesApplicationTexts) {
  Add(nullptr, {"<b>&\"x\""});
  Tree->Font().SetName("A&B<");
  const std::string html = Tree->ContentToHTML(tstAll, "Caption \"<1>\"");
  EXPECT_NE(html.find(">&lt;b&gt;&amp;&quot;x&quot;</td>"), std::string::npos);
  EXPECT_NE(html.find("caption=\"Caption &quot;&lt;1&gt;&quot;\""), std::string::npos);
  EXPECT_NE(html.find("font-family: 'A&amp;B&lt;'"), std::string::npos);
  EXPECT_EQ(html.find("<b>"), std::string::npos);
}

TEST_F(TExportTest, HtmlWithColumnsWritesTheHeaderAndSpansTheMainColumn) {
  AddColumns({"Name", "Value"});
  TNodeTreeColumn* main = Tree->Header().Columns()[0];
  main->SetOptions(main->Options() - TVTColumnOptions{coParentColor});
  main->SetColor(clRed);
  PVNode a = Add(nullptr, {"A", "1"});
  Add(a, {"B", "2"});
  Tree->SetExpanded(a, true);
  const std::string html = Tree->ContentToHTML(tstAll);
  EXPECT_NE(html.find("<tr class=\"header\" style=\"padding-left: 4px; padding-right: 4px;\">\r\n"
                      "<th height=\"" +
                      std::to_string(Tree->Header().Height()) +
                      "px\" align=left colspan=\"2\" bgcolor=#F0F0F0 width=\"50px\">Name</th>"),
            std::string::npos)
      << html;
  EXPECT_NE(html.find(">A</td>"), std::string::npos);
  EXPECT_NE(html.find("<td class=\"noborder\" width=\"18\" height=\"18px\" bgcolor=#FF0000>&nbsp;</td> <td "
                      "class=\"normalborder\"  height=\"18px\" align=left bgcolor=#FF0000>B</td>"),
            std::string::npos)
      << html;
}

TEST_F(TExportTest, CellTextsStartEmptyForEveryCell) {
  PVNode a = Add(nullptr, {});
  PVNode b = Add(nullptr, {});
  Tree->OnGetText = nullptr;
  Tree->OnGetCellText = [&](TCustomNodeStringTree*, TVSTGetCellTextEventArgs& e) {
    if (e.Node == a) e.CellText = "only A";
  };
  (void)b;
  const std::string html = Tree->ContentToHTML(tstAll);
  EXPECT_EQ(Rows(html).find("only A"), Rows(html).rfind("only A")) << "the second row must not repeat it";
  EXPECT_EQ(Tree->ContentToText(tstAll, "\t"), "only A\r\n\r\n");
}

TEST_F(TExportTest, RtfEscapesEveryCodeUnitAndLineBreak) {
  Add(nullptr, {"\xC3\xA9\xE8\x80\x80"
                "a\r\nb"});
  const std::string rtf = Tree->ContentToRTF(tstAll);
  EXPECT_NE(rtf.find(" \\u233\\'3f\\u-32768\\'3f\\u97\\'3f{\\par}\\u98\\'3f\\cell\\row\r\n"),
            std::string::npos)
      << rtf;
  EXPECT_EQ(rtf.rfind("\\pard\\par}"), rtf.size() - 10);
}

TEST_F(TExportTest, RtfOfAnEmptyTreeAndThePaperSize) {
  EXPECT_EQ(Tree->ContentToRTF(tstAll),
            "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1043{\\fonttbl}{\\colortbl;}\\paperw16840\\paperh11907"
            "\\margl720\\margr720\\margt720\\margb720\\uc1\\trowd\\trgaph70\\cellx" +
                std::to_string(Tree->ClientWidth() * 15) + "\\pard\\par}");
  SetExportLocale({",", false});
  EXPECT_NE(Tree->ContentToRTF(tstAll).find("\\paperw15840\\paperh12240"), std::string::npos);
  AddColumns({"N"}, 20);
  Add(nullptr, {"x"});
  const std::string rtf = Tree->ContentToRTF(tstAll);
  EXPECT_NE(rtf.find("\\trgaph70\\cellx300\\pard\\intbl\\ql\\f0\\cf1\\fs16 \\u78\\'3f\\cell\\row"),
            std::string::npos)
      << rtf;
  EXPECT_NE(rtf.find("{\\fonttbl{\\f0 Tahoma;}}{\\colortbl;\\red0\\green0\\blue0;}"), std::string::npos)
      << rtf;
}

TEST_F(TExportTest, TextQuotesFieldsHoldingTheSeparator) {
  AddColumns({"A", "B"});
  Add(nullptr, {"a\tb", "say \"x\""});
  EXPECT_EQ(Tree->ContentToText(tstAll, "\t"), "A\tB\r\n\"a\tb\"\tsay \"x\"\r\n");
  Texts.clear();
  Tree->Clear();
  Add(nullptr, {"x;\"y\"", "z"});
  EXPECT_EQ(Tree->ContentToText(tstAll, ";"), "A;B\r\n\"x;\"\"y\"\"\";z\r\n");
}

TEST_F(TExportTest, TextPadsTheMainColumnToTheDeepestLevel) {
  AddColumns({"A", "B"});
  PVNode a = Add(nullptr, {"a", "1"});
  PVNode b = Add(a, {"b", "2"});
  Add(b, {"c", "3"});
  EXPECT_EQ(Tree->ContentToText(tstAll, ","), "A,,,B\r\na,,,1\r\n,b,,2\r\n,,c,3\r\n");
  Tree->Header().Columns().Clear();
  EXPECT_EQ(Tree->ContentToText(tstAll, ","), "a\r\n,b\r\n,,c\r\n");
  Tree->Clear();
  EXPECT_EQ(Tree->ContentToText(tstAll, ","), "");
}

TEST_F(TExportTest, ClipboardRenderings) {
  Add(nullptr, {"\xC3\xA9t\xC3\xA9"});
  std::string block;
  ASSERT_TRUE(Tree->ContentToClipboard(CF_UNICODETEXT, tstAll, block));
  EXPECT_EQ(block.size(), 2u * (5 + 1)) << "three letters, CR LF and the terminator";
  EXPECT_EQ(block.substr(block.size() - 2), std::string(2, '\0'));
  ASSERT_TRUE(Tree->ContentToClipboard(CF_TEXT, tstAll, block));
  EXPECT_EQ(block, std::string("\xC3\xA9t\xC3\xA9\r\n") + '\0') << "UTF-8, nothing lost";
  SetExportLocale({";", true});
  ASSERT_TRUE(Tree->ContentToClipboard(cfCSV(), tstAll, block));
  EXPECT_EQ(block, std::string("\xC3\xA9t\xC3\xA9\r\n") + '\0');
  ASSERT_TRUE(Tree->ContentToClipboard(cfHTMLFormat(), tstAll, block));
  EXPECT_EQ(block.rfind("<!--EndFragment--></body></html>"), block.size() - 33);
  ASSERT_TRUE(Tree->ContentToClipboard(cfRichText(), tstAll, block));
  EXPECT_EQ(block.back(), '\0');
  EXPECT_FALSE(Tree->ContentToClipboard(CF_HDROP, tstAll, block));
  EXPECT_TRUE(block.empty());
}

TEST_F(TExportTest, CopiedNodesRenderTheirTextsOnTheClipboard) {
  Headless::TClipboardScope clip;
  Tree->TreeOptions().SetSelectionOptions({toMultiSelect});
  Tree->SetClipboardFormats({"Unicode text", "CSV", "HTML Format"});
  PVNode a = Add(nullptr, {"a<"});
  Add(nullptr, {"b"});
  PVNode c = Add(nullptr, {"c"});
  Tree->SetSelected(a, true);
  Tree->SetSelected(c, true);
  Tree->CopyToClipboard();
  EXPECT_EQ(Clipboard()->AsText(), "a<\r\nc\r\n") << "the copied nodes, not the selection of later";
  Tree->ClearSelection();
  EXPECT_EQ(Clipboard()->GetBuffer(cfCSV()), std::string("a<\r\nc\r\n") + '\0');
  EXPECT_NE(Clipboard()->GetBuffer(cfHTMLFormat()).find(">a&lt;</td>"), std::string::npos);
}

TEST(WrapCFHTMLTest, OffsetsAsEightDigits) {
  std::string html(1000, 'x');
  WrapCFHTML(html);
  EXPECT_EQ(html.substr(0, 97), "Version:1.0\r\nStartHTML:00000097\r\nEndHTML:00001301\r\n"
                                "StartFragment:00000269\r\nEndFragment:00001269\r\n");
  EXPECT_EQ(html.size(), 1301u);
  EXPECT_EQ(html.substr(269, 1000), std::string(1000, 'x'));
}

TEST_F(TExportTest, ExportModeVisibleDueToExpansion) {
  PVNode a = Add(nullptr, {"a"});
  PVNode b = Add(a, {"b"});
  Add(b, {"c"});
  PVNode d = Add(nullptr, {"d"});
  Add(d, {"e"});
  Tree->SetExpanded(a, false);
  Tree->SetExpanded(b, true);
  Tree->SetExpanded(d, true);
  Tree->TreeOptions().SetExportMode(emVisibleDueToExpansion);
  const std::string html = Tree->ContentToHTML(tstAll);
  for (const char* expected : {">a<", ">c<", ">d<", ">e<"})
    EXPECT_NE(html.find(expected), std::string::npos) << expected;
  EXPECT_EQ(html.find(">b<"), std::string::npos) << "a child of a collapsed node";
}

TEST_F(TExportTest, CancelledAndRefusedNodesStillGiveWellFormedOutput) {
  for (int i = 0; i < 5; ++i)
    Add(nullptr, {"n" + std::to_string(i)});
  int seen = 0;
  Tree->OnBeforeNodeExport = [&](TBaseNodeTree* t, TVTExportType, PVNode) {
    if (++seen == 2) t->CancelOperation();
    return seen != 1;
  };
  const std::string html = Tree->ContentToHTML(tstAll);
  EXPECT_EQ(html.find(">n0<"), std::string::npos) << "refused by the handler";
  EXPECT_NE(html.find(">n1<"), std::string::npos);
  EXPECT_EQ(html.find(">n2<"), std::string::npos) << "cancelled";
  EXPECT_EQ(html.substr(html.size() - 8), "</table>");
  seen = 0;
  const std::string rtf = Tree->ContentToRTF(tstAll);
  EXPECT_EQ(rtf.substr(rtf.size() - 10), "\\pard\\par}");
  // The custom export only calls the handler.
  seen = 10;
  std::vector<std::string> calls;
  Tree->OnBeforeNodeExport = [&](TBaseNodeTree*, TVTExportType t, PVNode) {
    calls.push_back(t == etCustom ? "before" : "?");
    return false;
  };
  Tree->OnNodeExport = [&](TBaseNodeTree*, TVTExportType, PVNode) {
    calls.push_back("node");
    return true;
  };
  Tree->ContentToCustom(tstAll);
  EXPECT_EQ(calls.size(), 10u);
}

TEST_F(TExportTest, LongExportsWhoseTextsGrowKeepEveryRowInOrder) {
  // Past the first rows the buffer is sized by the rate so far; texts grow longer further down.
  AddColumns({"A", "B"});
  constexpr int rows = 700;
  for (int i = 0; i < rows; ++i)
    Add(nullptr, {"r" + std::string(static_cast<std::size_t>(i / 10), 'x') + std::to_string(i), "v"});
  auto count = [](const std::string& text, const std::string& what) {
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
      ++n;
    return n;
  };
  const std::string html = Tree->ContentToHTML(tstAll);
  EXPECT_EQ(count(html, " <tr class=\"default\">"), rows);
  EXPECT_LT(html.find(">r0</td>"), html.find(">r" + std::string(69, 'x') + "699</td>"));
  EXPECT_EQ(html.substr(html.size() - 8), "</table>");
  const std::string rtf = Tree->ContentToRTF(tstAll);
  EXPECT_EQ(count(rtf, "\\row\r\n"), rows);
  EXPECT_EQ(rtf.substr(0, 6), "{\\rtf1");
  EXPECT_EQ(rtf.substr(rtf.size() - 10), "\\pard\\par}");
  const std::string text = Tree->ContentToText(tstAll, ",");
  EXPECT_EQ(count(text, "\r\n"), rows + 1);
  EXPECT_EQ(text.substr(text.size() - 8 - 69), "r" + std::string(69, 'x') + "699,v\r\n");
}

TEST_F(TExportTest, CsvFileEncodingAndFailure) {
  TTempDir dir;
  AddColumns({"Na\"me", "V"});
  Add(nullptr, {"\xC3\xA9", ""});
  ASSERT_TRUE(Tree->SaveToCSVFile(dir.File("a.csv"), true));
  EXPECT_EQ(dir.Read("a.csv"), "\"Na\"\"me\",\"V\"\r\n\"\xE9\",\" \"\r\n") << "Windows-1252 when it fits";
  Texts.begin()->second[0] = "\xE2\x82\xAC\xE4\xB8\xAD";
  ASSERT_TRUE(Tree->SaveToCSVFile(dir.File("a.csv"), false));
  EXPECT_EQ(dir.Read("a.csv"), "\xEF\xBB\xBF\"\xE2\x82\xAC\xE4\xB8\xAD\",\" \"\r\n") << "UTF-8 with a mark";
  EXPECT_FALSE(Tree->SaveToCSVFile("", true));

  std::string error;
  EXPECT_FALSE(Tree->SaveToCSVFile(dir.File("missing/a.csv"), true, &error))
      << "a folder that does not exist";
  EXPECT_FALSE(error.empty());
  // A target that cannot be replaced keeps what it holds.
  dir.MakeDir("taken");
  dir.Write("taken/old.csv", "old");
  error.clear();
  EXPECT_FALSE(Tree->SaveToCSVFile(dir.File("taken"), true, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(dir.Read("taken/old.csv"), "old");
  EXPECT_EQ(dir.Entries("taken").size(), 1u) << "no temporary file left behind";

  // Without a text handler every cell is "Node"; without columns each row is empty.
  Tree->OnGetText = nullptr;
  ASSERT_TRUE(Tree->SaveToCSVFile(dir.File("b.csv"), false));
  EXPECT_EQ(dir.Read("b.csv"), "\"Node\",\"Node\"\r\n");
  Tree->Header().Columns().Clear();
  ASSERT_TRUE(Tree->SaveToCSVFile(dir.File("b.csv"), true));
  EXPECT_EQ(dir.Read("b.csv"), "\r\n\r\n");
}

} // namespace
