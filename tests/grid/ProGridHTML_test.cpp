// The HTML export: the table's tags, escaping of plain texts and links, shared style classes,
// merged cells, the XHTML prolog of the file written and the page on the clipboard.
#include "ProGridFixture.h"
#include "platform/Process.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/PictureEncodeJpeg.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

namespace {

using THtmlTest = TProGridTest<TProStringGrid, false>;

void Plain(TProStringGrid& g, int cols, int rows) {
  g.SetColCount(cols);
  g.SetRowCount(rows);
  g.SetFixedCols(0);
  g.SetFixedRows(0);
}

// The content of each TD line, in order.
std::vector<std::string> Cells(const std::string& page) {
  std::vector<std::string> out;
  for (std::size_t at = page.find("<TD "); at != page.npos; at = page.find("<TD ", at + 1)) {
    std::size_t open = page.find('>', at), close = page.find("</td>", at);
    out.push_back(page.substr(open + 1, close - open - 1));
  }
  return out;
}

TEST_F(THtmlTest, TableTagAndStyleBlock) {
  Plain(*Grid, 2, 1);
  Grid->SetCells(0, 0, "a");
  Grid->SetCells(1, 0, "b");
  const std::string page = Grid->HTMLPageWithoutPictures();
  EXPECT_TRUE(page.starts_with("<style>\r\n.c0 {")) << page;
  EXPECT_NE(
      page.find("}\r\n</style>\r\n<TABLE BORDER=\"1\" CELLSPACING=\"0\" CELLPADDING=\"0\"  "
                "WIDTH=\"100%\">\r\n<TR>\r\n"
                "<TD class=\"c0\" nowrap>a</td>\r\n<TD class=\"c0\" nowrap>b</td>\r\n</TR>\r\n</TABLE>\r\n"),
      std::string::npos)
      << page;
  // Two cells that look alike share one class; a bold one gets its own.
  EXPECT_EQ(page.find(".c1"), std::string::npos);
  Grid->SetFontStyles(1, 0, fsBold);
  const std::string bold = Grid->HTMLPageWithoutPictures();
  EXPECT_NE(bold.find(".c1 {"), std::string::npos);
  EXPECT_NE(bold.find("font-weight: bold"), std::string::npos);
  EXPECT_NE(bold.find("<TD class=\"c1\""), std::string::npos) << bold;
}

TEST_F(THtmlTest, CellTextsAreEscapedOnceAndMarkupPasses) {
  struct TCase {
    const char* Name;
    std::string Text;
    bool Header, URLShow, Special;
    std::string Content;
  };
  const TCase cases[] = {
      {"plain text escaped (mended)", "a<b & \"c\">", false, false, false, "a&lt;b &amp; &quot;c&quot;&gt;"},
      {"header escaped too (mended)", "x<y", true, false, false, "x&lt;y"},
      {"special characters not escaped twice", "\xC3\xA9 & <", false, false, true, "&eacute; &amp; &lt;"},
      {"mini-HTML passes", "<B>bold</B>", false, false, false, "<B>bold</B>"},
      {"line breaks", "1\r2", false, false, false, "1<br>2"},
      {"link shows the text after ://", "http://h.org/?a=1&b=\"2\"", false, true, false,
       "<a href=\"http://h.org/?a=1&amp;b=&quot;2&quot;\">h.org/?a=1&amp;b=&quot;2&quot;</a>"},
      {"mail link", "mailto:me@h.org", false, true, false, "<a href=\"mailto:me@h.org\">me@h.org</a>"},
      {"blank body cell", "   ", false, false, false, "&nbsp;"},
      {"empty header cell", "", true, false, false, "&nbsp;"},
  };
  for (const TCase& c : cases) {
    TGridOnForm<> place(false);
    TProStringGrid& g = *place.Grid;
    g.SetColCount(1);
    g.SetRowCount(2);
    g.SetFixedCols(0);
    g.SetFixedRows(1);
    g.SetSaveFixedCells(true);
    g.SetURLShow(c.URLShow);
    g.SetSaveWithHTML(true);
    g.HTMLSettings().SetConvertSpecialChars(c.Special);
    g.SetCells(0, c.Header ? 0 : 1, c.Text);
    const std::vector<std::string> cells = Cells(g.HTMLPageWithoutPictures());
    ASSERT_EQ(cells.size(), 2u) << c.Name;
    EXPECT_EQ(cells[c.Header ? 0 : 1], c.Content) << c.Name;
  }
}

TEST_F(THtmlTest, MergedCellsSpanAndCoveredCellsAreLeftOut) {
  Plain(*Grid, 3, 3);
  Grid->SetCells(0, 0, "base");
  Grid->MergeCells(0, 0, 2, 3);
  Grid->SetCells(2, 0, "right");
  const std::string page = Grid->HTMLPageWithoutPictures();
  EXPECT_NE(page.find(" COLSPAN=\"2\" ROWSPAN=\"3\">base</td>"), std::string::npos) << page;
  EXPECT_EQ(Cells(page).size(), 4u); // the base cell and column 2 of each row
}

TEST_F(THtmlTest, PrefixWithoutXHTMLAndTheProlog) {
  Plain(*Grid, 1, 1);
  Grid->HTMLSettings().SetPrefixTag("<P>");
  EXPECT_TRUE(Grid->HTMLPageWithoutPictures().starts_with("<P><style>"));
  EXPECT_EQ(Grid->HTMLPageWithoutPictures().find("</HTML>"), std::string::npos);
  Grid->HTMLSettings().SetXHTML(true);
  const std::string page = Grid->HTMLPageWithoutPictures();
  EXPECT_TRUE(page.starts_with("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<!DOCTYPE html PUBLIC"))
      << page;
  EXPECT_TRUE(page.ends_with("</TABLE>\r\n</HTML>\r\n"));
}

std::string Utf16(std::string_view ascii) {
  std::string out;
  for (char c : ascii)
    out += std::string{c, '\0'};
  return out;
}

std::vector<std::string> Opened;

TEST_F(THtmlTest, FilesNameTheEncodingTheyAreWrittenIn) {
  // Mended: the Unicode file said utf-8 in its prolog while written as UTF-16.
  TTempDir dir;
  Plain(*Grid, 1, 1);
  Grid->SetCells(0, 0, "\xD0\x96");
  Grid->HTMLSettings().SetXHTML(true);
  Grid->SaveToHTML(dir.File("u.html"), false, true);
  const std::string u = dir.Read("u.html");
  EXPECT_TRUE(
      u.starts_with(std::string("\xFF\xFE", 2) + Utf16("<?xml version=\"1.0\" encoding=\"UTF-16\"?>")));
  EXPECT_NE(u.find(std::string("\x16\x04", 2)), std::string::npos);
  Grid->SaveToHTML(dir.File("a.html"), false, false);
  const std::string a = dir.Read("a.html");
  EXPECT_TRUE(a.starts_with("<?xml version=\"1.0\" encoding=\"US-ASCII\"?>"));
  EXPECT_NE(a.find(">?</td>"), std::string::npos);
  const std::string before = a;
  Grid->AppendToHTML(dir.File("a.html"), false, false);
  EXPECT_TRUE(dir.Read("a.html").starts_with(before));
  EXPECT_EQ(dir.Read("a.html").size(), 2 * before.size());
  // A missing header file stops the save before anything is written.
  Grid->HTMLSettings().SetHeaderFile(dir.File("missing.html"));
  EXPECT_THROW(Grid->SaveToHTML(dir.File("n.html")), EProGridError);
  EXPECT_FALSE(dir.Exists("n.html"));
  Grid->HTMLSettings().SetHeaderFile("");
  // Show opens the file written.
  TUrlOpener old = SetUrlOpener([](const std::string& url) { Opened.push_back(url); });
  Grid->SaveToHTML(dir.File("s.html"), true, true);
  SetUrlOpener(old);
  ASSERT_EQ(Opened.size(), 1u);
  EXPECT_TRUE(Opened[0].starts_with("file://") && Opened[0].ends_with("/s.html")) << Opened[0];
}

TEST_F(THtmlTest, PicturesAreWrittenAsJpegFilesNumberedInOrder) {
  TTempDir dir;
  Grid->SetColCount(2);
  Grid->SetRowCount(2);
  Grid->SetFixedCols(0);
  Grid->SetFixedRows(1);
  Grid->SetSaveFixedCells(true);
  TBitmap bitmaps[3];
  int i = 0;
  for (auto [c, r, color] : {std::tuple{0, 0, clRed}, std::tuple{1, 0, clLime}, std::tuple{1, 1, clBlue}}) {
    TBitmap& b = bitmaps[i++];
    b.SetSize(4, 3);
    b.Canvas().Brush().SetColor(color);
    b.Canvas().FillRect(TRect{0, 0, 4, 3});
    Grid->AddBitmap(c, r, &b, false, haLeft, vaTop);
  }
  Grid->SetCells(1, 1, "text");
  ASSERT_FALSE(EncodeJpeg(bitmaps[0]).empty());
  const std::string page = Grid->SaveToHTMLString(dir.Path() + "/");
  EXPECT_EQ(dir.Entries("images"), (std::vector<std::string>{"img1.jpg", "img2.jpg", "img3.jpg"}));
  for (const char* name : {"images/img1.jpg", "images/img2.jpg", "images/img3.jpg"})
    EXPECT_TRUE(dir.Read(name).starts_with("\xFF\xD8\xFF")) << name;
  EXPECT_NE(page.find(">text<img src= \"file://" + dir.Path() + "/images/img3.jpg\"></td>"),
            std::string::npos)
      << page;
  // The page without a folder leaves the pictures out.
  EXPECT_EQ(Grid->HTMLPageWithoutPictures().find("<img"), std::string::npos);
  // A folder that cannot be made stops the page.
  TTempDir blocked;
  blocked.Write("images", "a file");
  try {
    Grid->SaveToHTMLString(blocked.Path() + "/");
    ADD_FAILURE() << "written";
  } catch (const EProGridError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot create " + blocked.Path() + "/images");
  }
}

TEST_F(THtmlTest, ClipboardTakesThePageWithoutAnImagesFolder) {
  auto old = SetClipboardBackend(NewMemoryClipboard());
  TTempDir dir;
  const auto cwd = std::filesystem::current_path();
  std::filesystem::current_path(dir.Path());
  Plain(*Grid, 1, 1);
  Grid->SetCells(0, 0, "cell");
  Grid->CopyToClipBoardAsHTML();
  std::filesystem::current_path(cwd);
  const std::string block = Clipboard()->GetBuffer(RegisterClipboardFormat("HTML Format"));
  EXPECT_TRUE(block.starts_with("Version:1.0\r\n")) << block;
  EXPECT_NE(block.find(">cell</td>"), std::string::npos);
  EXPECT_EQ(Clipboard()->AsText(), block);
  EXPECT_TRUE(dir.Entries().empty());
  SetClipboardBackend(std::move(old));
}

} // namespace
