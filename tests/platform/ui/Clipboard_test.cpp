// The clipboard: formats placed together, data objects let go when replaced, the system's
// clipboard under Qt, and the memory blocks other programs exchange.
#include "support/UiTestFixture.h"

#include "platform/ui/Clipboard.h"
#include "platform/ui/HeadlessServices.h"

#include <memory>

namespace {

class ClipboardTest : public TUiTest {};

const TClipFormat GridCells = RegisterClipboardFormat("TProStringGrid Cells");

TEST_F(ClipboardTest, TextAndARegisteredFormatPlacedTogetherRoundTrip) {
  Headless::TClipboardScope clip;
  const std::string cells("\x03\x00\x00\x00\xFFgrid", 8); // binary, with zeros inside
  Clipboard()->Open();
  Clipboard()->SetAsText("a\tb\r\nc\td\r\n");
  Clipboard()->SetBuffer(GridCells, cells);
  Clipboard()->Close();
  EXPECT_EQ(Clipboard()->AsText(), "a\tb\r\nc\td\r\n");
  EXPECT_TRUE(Clipboard()->HasFormat(GridCells));
  EXPECT_EQ(Clipboard()->GetBuffer(GridCells), cells);
  EXPECT_TRUE(Clipboard()->HasFormat(CF_UNICODETEXT));
  EXPECT_TRUE(Clipboard()->HasFormat(CF_TEXT));

  // A set outside Open empties the clipboard first: the cells of the last copy are gone.
  Clipboard()->SetAsText("ü €");
  EXPECT_EQ(Clipboard()->AsText(), "ü €");
  EXPECT_FALSE(Clipboard()->HasFormat(GridCells));
  EXPECT_EQ(Clipboard()->GetBuffer(CF_TEXT), std::string("\xFC \x80\0", 4)); // Windows-1252
}

TEST_F(ClipboardTest, RegisteredNamesShareOneNumberWhateverTheirCase) {
  const TClipFormat a = RegisterClipboardFormat("Rich Text Format");
  EXPECT_GE(a, 0xC000);
  EXPECT_EQ(RegisterClipboardFormat("rich text format"), a);
  EXPECT_NE(RegisterClipboardFormat("CSV"), a);
  EXPECT_EQ(GetClipboardFormatName(a), "Rich Text Format");
  EXPECT_EQ(GetClipboardFormatName(CF_UNICODETEXT), "");
  EXPECT_EQ(RegisterClipboardFormat(""), 0);
}

TEST_F(ClipboardTest, APlacedDataObjectIsLetGoWhenReplacedAndKeptDataWhenFlushed) {
  Headless::TClipboardScope clip;
  auto first = std::make_shared<TDataObject>();
  first->SetText("first");
  std::weak_ptr<TDataObject> watch = first;
  ASSERT_EQ(OleSetClipboard(first), S_OK);
  EXPECT_EQ(OleIsCurrentClipboard(first), S_OK);
  IDataObjectPtr got;
  ASSERT_EQ(OleGetClipboard(got), S_OK);
  EXPECT_EQ(got, first); // the very object, so a tree can know its own data
  got.reset();
  first.reset();
  EXPECT_FALSE(watch.expired());
  Clipboard()->SetAsText("second");
  EXPECT_TRUE(watch.expired());

  auto third = std::make_shared<TDataObject>();
  third->SetGlobal(GridCells, "xyz");
  std::weak_ptr<TDataObject> watchThird = third;
  OleSetClipboard(third);
  third.reset();
  EXPECT_EQ(OleFlushClipboard(), S_OK);
  EXPECT_TRUE(watchThird.expired());
  EXPECT_EQ(Clipboard()->GetBuffer(GridCells), "xyz");
}

TEST_F(ClipboardTest, QtClipboardCarriesTheFormatsToOtherProgramsAndBack) {
  // No scope: the system's clipboard of the (offscreen) Qt platform.
  Clipboard()->Open();
  Clipboard()->SetAsText("x\ty");
  Clipboard()->SetBuffer(GridCells, std::string("\x01\x00\x02", 3));
  Clipboard()->SetBuffer(RegisterClipboardFormat("HTML Format"), ClipboardHtmlBlock("<b>bold</b>"));
  Clipboard()->Close();
  EXPECT_EQ(Headless::SystemClipboardText(), "x\ty");
  EXPECT_EQ(Headless::SystemClipboardData("application/x-qt-windows-mime;value=\"TProStringGrid Cells\""),
            std::string("\x01\x00\x02", 3));
  EXPECT_NE(Headless::SystemClipboardData("text/html").find("<b>bold</b>"), std::string::npos);
  EXPECT_EQ(Clipboard()->GetBuffer(GridCells), std::string("\x01\x00\x02", 3));

  auto mine = std::make_shared<TDataObject>();
  mine->SetText("mine");
  std::weak_ptr<TDataObject> watch = mine;
  OleSetClipboard(mine);
  mine.reset();
  // Another program takes the clipboard: its text reads, our object is let go.
  Headless::SetSystemClipboardText("from elsewhere");
  EXPECT_EQ(Clipboard()->AsText(), "from elsewhere");
  EXPECT_FALSE(Clipboard()->HasFormat(GridCells));
  EXPECT_TRUE(watch.expired());
}

TEST_F(ClipboardTest, TextBlocksKeepEveryCharacterAndStopAtTheirZero) {
  const std::string text = "Zähler 𝄞 €";
  const std::string block = UnicodeTextBlock(text);
  EXPECT_EQ(block.size() % 2, 0u);
  EXPECT_EQ(block.substr(block.size() - 2), std::string(2, '\0'));
  EXPECT_EQ(UnicodeTextFromBlock(block), text);
  EXPECT_EQ(UnicodeTextFromBlock(block + std::string("g\0a\0", 4)), text);         // stops at the zero
  EXPECT_EQ(UnicodeTextFromBlock(std::string("a\0\x3D\xD8", 4)), "a\xEF\xBF\xBD"); // lone surrogate
  EXPECT_EQ(UnicodeTextFromBlock(std::string("a\0b", 3)), "a");                    // odd length
  EXPECT_EQ(AnsiTextFromBlock(AnsiTextBlock("Grüße")), "Grüße");
}

TEST_F(ClipboardTest, HtmlEnvelopeAndFileListsReadBackAndMalformedBlocksGiveNothing) {
  const std::string block = ClipboardHtmlBlock("<td>1</td>");
  const std::string page = HtmlFromClipboardBlock(block);
  EXPECT_NE(page.find("<!--StartFragment--><td>1</td><!--EndFragment-->"), std::string::npos);
  EXPECT_EQ(page.rfind("<html>", 0), 0u);

  struct Case {
    const char* name;
    std::string block;
  };
  const Case bad[] = {
      {"no header", "<html></html>"},
      {"start past the end", "Version:0.9\r\nStartHTML:0000009999\r\nEndHTML:0000000010\r\n<html>"},
      {"letters for a number", "Version:0.9\r\nStartHTML:abc\r\n<html>"},
      {"empty", ""},
  };
  for (const auto& c : bad) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(HtmlFromClipboardBlock(c.block), "");
  }

  const std::vector<std::string> files = {"/home/u/data.csv", "/tmp/Bericht März.xls"};
  EXPECT_EQ(FilesFromDropBlock(DropFilesBlock(files)), files);
  // Single-byte names, as older programs write them.
  std::string ansi(20, '\0');
  ansi[0] = 20;
  ansi += std::string("a.csv\0b.xls\0\0", 13);
  EXPECT_EQ(FilesFromDropBlock(ansi), (std::vector<std::string>{"a.csv", "b.xls"}));
  EXPECT_TRUE(FilesFromDropBlock(std::string(10, '\0')).empty());
  std::string cut = DropFilesBlock(files);
  cut.resize(cut.size() - 9); // ends inside the second name
  EXPECT_EQ(FilesFromDropBlock(cut).front(), files[0]);
  std::string farOffset(20, '\0');
  farOffset[0] = '\x7F';
  farOffset[3] = '\x7F';
  EXPECT_TRUE(FilesFromDropBlock(farOffset).empty());
}

} // namespace
