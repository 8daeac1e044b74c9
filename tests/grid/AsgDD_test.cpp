// Drag and drop between grids and from other programs: what the target accepts and which drop
// method it calls, the effect from keys and allowed effects, the offered formats and their list,
// the drop source's answers, and blocks from other programs that do not hold what they promise.
#include "grid/AsgDD.h"

#include "platform/ui/Clipboard.h"
#include "platform/ui/Forms.h"
#include "platform/ui/HeadlessServices.h"
#include "platform/ui/Messages.h"
#include "support/UiTestFixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

class TLogTarget : public TASGDropTarget {
public:
  std::vector<std::string> Log;

protected:
  void DropText(TPoint, const std::string& s) override { Log.push_back("text " + s); }
  void DropStream(TPoint, TMemoryStream& ms) override { Log.push_back("cells " + ms.Bytes()); }
  void DropCol(TPoint, std::int32_t col) override { Log.push_back("col " + std::to_string(col)); }
  void DropRTF(TPoint, const std::string& s) override { Log.push_back("rtf " + s); }
  void DropFiles(TPoint, const TStringList& files) override {
    Log.push_back("files " + std::to_string(files.Count()) + " " + files[0]);
  }
  void DropURL(TPoint, const std::string& s) override { Log.push_back("url " + s); }
};

std::string U32(std::uint32_t v) {
  std::string s(4, '\0');
  std::memcpy(s.data(), &v, 4);
  return s;
}

class AsgDDTest : public TUiTest {
protected:
  void SetUp() override {
    TUiTest::SetUp();
    SetAcceptDropRTF(false);
    Form.reset(new TForm(nullptr));
    Form->SetBounds(0, 0, 200, 100);
    Form->Show();
    Application->ProcessMessages();
    Target = std::make_shared<TLogTarget>();
    ASSERT_EQ(RegisterDragDrop(Form.get(), Target), S_OK);
  }
  void TearDown() override {
    SetAcceptDropRTF(false);
    Headless::ClearDragScripts();
    TUiTest::TearDown();
  }
  // Drags the data over the form and drops it; the effect the target took.
  unsigned DragAndDrop(IDataObjectPtr data, unsigned allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE) {
    Headless::OnNextDrag([&](Headless::TDragDriver& d) {
      d.MoveOver(*Form, {10, 10});
      d.Drop();
    });
    unsigned effect = DROPEFFECT_NONE;
    DoDragDrop(std::move(data), std::make_shared<TASGDropSource>(), allowed, effect);
    return effect;
  }
  TOwned<TForm> Form;
  std::shared_ptr<TLogTarget> Target;
};

std::shared_ptr<TDataObject> Data(std::initializer_list<std::pair<TClipFormat, std::string>> blocks) {
  auto d = std::make_shared<TDataObject>();
  for (const auto& [f, bytes] : blocks)
    d->SetGlobal(f, bytes);
  return d;
}

TEST_F(AsgDDTest, RtfAloneCountsOnlyWhenAccepted) {
  auto rtf = [] { return Data({{CF_GRIDRTF(), AnsiTextBlock("{\\rtf1 x}")}}); };
  EXPECT_EQ(DragAndDrop(rtf()), DROPEFFECT_NONE);
  EXPECT_TRUE(Target->Log.empty());
  SetAcceptDropRTF(true);
  EXPECT_EQ(DragAndDrop(rtf()), DROPEFFECT_MOVE);
  EXPECT_EQ(Target->Log, (std::vector<std::string>{"rtf {\\rtf1 x}"}));
}

TEST_F(AsgDDTest, DropCallsTheMethodsOfWhatIsPresent) {
  struct Case {
    const char* name;
    std::shared_ptr<TDataObject> data;
    bool acceptCols;
    std::vector<std::string> expected;
  };
  auto textAndFiles = Data({{CF_HDROP, DropFilesBlock({"/tmp/a.csv"})}});
  textAndFiles->SetText("abc");
  auto colAndText = Data({{CF_GRIDCOL(), U32(3)}});
  colAndText->SetText("abc");
  auto url = Data({{CF_GRIDURL(), "x"}});
  url->SetText("http://example.invalid/");
  const Case cases[] = {
      {"column and text: only the column", colAndText, true, {"col 3"}},
      {"text and files: text, then files", textAndFiles, false, {"text abc", "files 1 /tmp/a.csv"}},
      {"URL from the text", url, false, {"text http://example.invalid/", "url http://example.invalid/"}},
  };
  for (const Case& c : cases) {
    Target->Log.clear();
    Target->SetAcceptCols(c.acceptCols);
    DragAndDrop(c.data);
    EXPECT_EQ(Target->Log, c.expected) << c.name;
  }
}

TEST_F(AsgDDTest, GridCellsAreAcceptedWithAllFlagsOff) {
  Target->SetAcceptText(false);
  Target->SetAcceptFiles(false);
  Target->SetAcceptURLs(false);
  EXPECT_NE(DragAndDrop(Data({{CF_GRIDCELLS(), U32(3) + U32(0) + "xyz"}})), DROPEFFECT_NONE);
  EXPECT_EQ(Target->Log, (std::vector<std::string>{"cells xyz"}));
  EXPECT_EQ(Target->DropFormats(), DropFormatBit(dfGridCells));
}

TEST_F(AsgDDTest, BlocksShorterThanTheyClaimReadAsAbsent) { // mended: trusted foreign lengths
  struct Case {
    const char* name;
    TClipFormat format;
    std::string block;
  };
  const Case cases[] = {
      {"cells N beyond the block", CF_GRIDCELLS(), U32(100) + U32(0) + "xyz"},
      {"cells block without header", CF_GRIDCELLS(), "ab"},
      {"column of two bytes", CF_GRIDCOL(), "ab"},
  };
  for (const Case& c : cases) {
    TEnumFormats reader(Data({{c.format, c.block}}));
    EXPECT_EQ(reader.Stream(), nullptr) << c.name;
    EXPECT_EQ(reader.Col(), -1) << c.name;
  }
  TEnumFormats files(Data({{CF_HDROP, U32(400) + std::string(16, '\0')}}));
  ASSERT_TRUE(files.HasFile());
  EXPECT_FALSE(files.ReadFiles()) << "a name offset beyond the block gives no names";
  Target->SetAcceptCols(true);
  DragAndDrop(Data({{CF_GRIDCELLS(), U32(100) + U32(0) + "xyz"}}));
  EXPECT_TRUE(Target->Log.empty()) << "no stream, no drop";
}

TEST_F(AsgDDTest, EffectFollowsCtrlAndTheAllowedEffects) {
  EXPECT_EQ(DropEffectFor(MK_LBUTTON | MK_CONTROL, DROPEFFECT_COPY | DROPEFFECT_MOVE), DROPEFFECT_COPY);
  EXPECT_EQ(DropEffectFor(MK_LBUTTON, DROPEFFECT_COPY | DROPEFFECT_MOVE), DROPEFFECT_MOVE);
  EXPECT_EQ(DropEffectFor(MK_LBUTTON, DROPEFFECT_COPY), DROPEFFECT_COPY);
  auto text = std::make_shared<TDataObject>();
  text->SetText("a");
  {
    Headless::THeldKeys ctrl({VK_CONTROL});
    EXPECT_EQ(DragAndDrop(text), DROPEFFECT_COPY);
  }
  EXPECT_EQ(DragAndDrop(text, DROPEFFECT_COPY), DROPEFFECT_COPY);
}

TEST_F(AsgDDTest, OfferedFormatsAndTheirList) {
  TSourceDataObject column("", "", 4, nullptr);
  EXPECT_EQ(column.QueryGetData(FormatEtc(CF_TEXT)), DV_E_FORMATETC);
  EXPECT_EQ(column.QueryGetData(FormatEtc(CF_GRIDCOL())), S_OK);
  EXPECT_EQ(column.QueryGetData(FormatEtc(CF_GRIDCOL(), TYMED_ISTREAM)), DV_E_FORMATETC);
  TStgMedium m;
  ASSERT_EQ(column.GetData(FormatEtc(CF_GRIDCOL()), m), S_OK);
  EXPECT_EQ(m.Global, U32(4));

  TMemoryStream cells;
  cells.Write("qr", 2);
  TSourceDataObject text("a€", "", -1, &cells);
  ASSERT_EQ(text.GetData(FormatEtc(CF_GRIDCELLS()), m), S_OK);
  EXPECT_EQ(m.Global, U32(2) + U32(0) + "qr");
  ASSERT_EQ(text.GetData(FormatEtc(CF_TEXT), m), S_OK);
  EXPECT_EQ(m.Global, std::string("a\x80\0", 3)) << "single-byte text is Windows-1252";
  EXPECT_EQ(text.QueryGetData(FormatEtc(CF_GRIDRTF())), DV_E_FORMATETC) << "RTF off";

  std::shared_ptr<IEnumFormatEtc> e;
  TSourceDataObject plain("a", "", -1, nullptr);
  EXPECT_EQ(plain.EnumFormatEtc(DATADIR_SET, e), E_NOTIMPL);
  EXPECT_EQ(e, nullptr);
  ASSERT_EQ(plain.EnumFormatEtc(DATADIR_GET, e), S_OK);
  std::vector<TFormatEtc> got;
  unsigned fetched = 0;
  EXPECT_EQ(e->Next(10, got, &fetched), S_FALSE);
  EXPECT_EQ(fetched, 3u);
  EXPECT_EQ(got[2].cfFormat, CF_GRIDRTF());
  e->Reset();
  EXPECT_EQ(e->Skip(5), S_FALSE);
  EXPECT_EQ(static_cast<TSourceEnumFormatEtc&>(*e).Index(), 3u);
  e->Reset();
  e->Skip(1);
  std::shared_ptr<IEnumFormatEtc> clone;
  e->Clone(clone);
  got.clear();
  EXPECT_EQ(clone->Next(1, got, nullptr), S_OK);
  EXPECT_EQ(got[0].cfFormat, CF_UNICODETEXT);
  TSourceEnumFormatEtc both(true, true);
  got.clear();
  EXPECT_EQ(both.Next(5, got, nullptr), S_OK);
  EXPECT_EQ(got[3].cfFormat, CF_GRIDCOL());
  EXPECT_EQ(got[4].cfFormat, CF_GRIDCELLS());
}

TEST_F(AsgDDTest, DropSourceAnswersAndCancelledDrags) {
  TASGDropSource s;
  EXPECT_EQ(s.QueryContinueDrag(true, MK_LBUTTON), DRAGDROP_S_CANCEL);
  EXPECT_EQ(s.QueryContinueDrag(false, 0), DRAGDROP_S_DROP);
  EXPECT_EQ(s.QueryContinueDrag(false, MK_LBUTTON), S_OK);
  EXPECT_EQ(s.GiveFeedback(DROPEFFECT_NONE), DRAGDROP_S_USEDEFAULTCURSORS);
  EXPECT_TRUE(s.NoAccept());

  Target->SetAcceptText(false);
  Headless::OnNextDrag([&](Headless::TDragDriver& d) {
    d.MoveOver(*Form, {10, 10});
    d.Drop();
  });
  unsigned effect = DROPEFFECT_NONE;
  EXPECT_EQ(RunTextDrag(std::make_shared<TASGDropSource>(), "a", "", nullptr, 3, effect), DRAGDROP_S_CANCEL)
      << "a drop where no effect was shown";
  Headless::OnNextDrag([&](Headless::TDragDriver& d) {
    d.MoveOver(*Form, {10, 10});
    d.Cancel();
  });
  Target->SetAcceptCols(true);
  EXPECT_EQ(RunColumnDrag(std::make_shared<TASGDropSource>(), 2, 3, effect), DRAGDROP_S_CANCEL);
  EXPECT_TRUE(Target->Log.empty());
}

} // namespace
