// The format registry, the tree's data object and cut, copy and paste between trees.
#include "ClipboardFixture.h"

#include "platform/Process.h"
#include "tree/VTDataObject.h"

#include <cstring>

namespace {

TEST(ClipboardFormatRegistry, StartUpOrderAndCaseBlindLookup) {
  std::vector<std::pair<std::string, std::uint32_t>> got;
  for (std::size_t i = 0; i < TClipboardFormatList::Count(); ++i)
    got.emplace_back(TClipboardFormatList::Entry(i).Description, TClipboardFormatList::Entry(i).Priority);
  const std::vector<std::pair<std::string, std::uint32_t>> expected{
      {"Node Tree Data", 50},   {"HTML Format", 80}, {"Rich Text Format Without Objects", 84},
      {"Rich Text Format", 85}, {"CSV", 90},         {"Unicode text", 95},
      {"Plain text", 100}};
  EXPECT_EQ(got, expected);
  ASSERT_NE(TClipboardFormatList::FindFormat("csv"), nullptr);
  EXPECT_EQ(TClipboardFormatList::FindFormat("csv")->FormatEtc.cfFormat, cfCSV());
  EXPECT_EQ(TClipboardFormatList::FindFormat("Node Tree Reference"), nullptr);
  std::string description;
  EXPECT_EQ(TClipboardFormatList::FindFormat(CF_UNICODETEXT, description), CustomNodeStringTreeClass());
  EXPECT_EQ(description, "Unicode text");

  std::vector<std::string> names;
  TClipboardFormatList::EnumerateFormats(NodeStringTreeClass(), names);
  EXPECT_EQ(names.size(), 7u);
  names.clear();
  TClipboardFormatList::EnumerateFormats(BaseNodeTreeClass(), names);
  EXPECT_EQ(names, std::vector<std::string>{"Node Tree Data"});
}

TEST_F(TClipboardTest, OfferedFormatsFollowTheTreesListAndClass) {
  TFormatEtcArray formats;
  A->SetClipboardFormats({});
  A->GetOfferedFormats(formats);
  EXPECT_TRUE(formats.empty()) << "an empty list offers nothing";

  A->SetClipboardFormats({"CSV", "No Such Format", "csv"});
  ASSERT_EQ(A->ClipboardFormats().Count(), 1);
  EXPECT_EQ(A->ClipboardFormats().Strings(0), "CSV");
  TOwned<TTestTree> base(new TTestTree(nullptr));
  base->SetClipboardFormats({"CSV", "No Such Format", "Node Tree Data"});
  ASSERT_EQ(base->ClipboardFormats().Count(), 1) << "a plain tree cannot render CSV";

  A->SetClipboardFormats({"Plain text", "Node Tree Data", "HTML Format"});
  A->OnGetUserClipboardFormats = [](TBaseNodeTree*, TFormatEtcArray& f) { f.push_back(FormatEtc(CF_HDROP)); };
  A->GetOfferedFormats(formats);
  std::vector<TClipFormat> codes;
  for (const auto& f : formats)
    codes.push_back(f.cfFormat);
  EXPECT_EQ(codes, (std::vector<TClipFormat>{cfNodeTreeData(), cfHTMLFormat(), CF_TEXT, CF_HDROP}));
}

TEST_F(TClipboardTest, DataObjectAnswersRequestsAsOffered) {
  A->SetClipboardFormats({"Node Tree Data", "CSV"});
  TVTDataObject data(A.get(), false);
  struct TCase {
    TFormatEtc Request;
    HRESULT Expected;
  } cases[] = {
      {FormatEtc(cfCSV()), S_OK},
      {{cfCSV(), nullptr, DVASPECT_CONTENT, 0, TYMED_HGLOBAL}, DV_E_LINDEX},
      {{cfCSV(), nullptr, DVASPECT_ICON, -1, TYMED_HGLOBAL}, DV_E_DVASPECT},
      {FormatEtc(cfCSV(), TYMED_FILE), DV_E_TYMED},
      {FormatEtc(CF_TEXT), DV_E_FORMATETC},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(data.QueryGetData(c.Request), c.Expected) << c.Request.cfFormat;

  // The reference is answered, though not listed.
  TStgMedium m;
  EXPECT_EQ(data.GetData(FormatEtc(cfNodeTreeReference()), m), S_OK);
  EXPECT_EQ(m.Global.size(), NodeTreeReferenceSize);
  std::shared_ptr<IEnumFormatEtc> e;
  ASSERT_EQ(data.EnumFormatEtc(DATADIR_GET, e), S_OK);
  std::vector<TFormatEtc> listed;
  unsigned fetched = 0;
  EXPECT_EQ(e->Next(10, listed, &fetched), S_OK);
  EXPECT_EQ(fetched, 2u);
  for (const auto& f : listed)
    EXPECT_NE(f.cfFormat, cfNodeTreeReference());
  EXPECT_EQ(e->Next(1, listed, &fetched), S_FALSE);

  // Skip of exactly what is left succeeds; one more fails and stays.
  e->Reset();
  EXPECT_EQ(e->Skip(3), S_FALSE);
  EXPECT_EQ(static_cast<TEnumFormatEtc&>(*e).CurrentIndex(), 0u);
  EXPECT_EQ(e->Skip(2), S_OK);
  EXPECT_EQ(static_cast<TEnumFormatEtc&>(*e).CurrentIndex(), 2u);

  EXPECT_EQ(data.EnumFormatEtc(DATADIR_SET, e), OLE_S_USEREG);
  EXPECT_EQ(e, nullptr);
  TFormatEtc canonical;
  EXPECT_EQ(data.GetCanonicalFormatEtc(listed[0], canonical), DATA_S_SAMEFORMATETC);
  std::vector<unsigned>* advise = reinterpret_cast<std::vector<unsigned>*>(1);
  EXPECT_EQ(data.EnumDAdvise(advise), OLE_E_ADVISENOTSUPPORTED);
  EXPECT_EQ(advise, nullptr);
  EXPECT_EQ(data.DUnadvise(1), E_NOTIMPL);
}

TEST_F(TClipboardTest, SetDataStoresOfferedAndNewFormats) {
  A->SetClipboardFormats({"CSV"});
  TVTDataObject data(A.get(), false);
  // Offered but never stored: the entry is made, not written through a missing one.
  TStgMedium m;
  m.tymed = TYMED_HGLOBAL;
  m.Global = "first";
  EXPECT_EQ(data.SetData(FormatEtc(cfCSV()), m, false), S_OK);
  m.Global = "second";
  EXPECT_EQ(data.SetData(FormatEtc(cfCSV()), m, true), S_OK);
  EXPECT_EQ(data.StoredCount(), 1u) << "the second store replaces the first";
  TStgMedium out;
  ASSERT_EQ(data.GetData(FormatEtc(cfCSV()), out), S_OK);
  EXPECT_EQ(out.Global, "second");

  // A format not offered joins the list.
  const TClipFormat own = RegisterClipboardFormat("Treeclip Test Format");
  m.tymed = TYMED_HGLOBAL;
  m.Global = "x";
  EXPECT_EQ(data.SetData(FormatEtc(own), m, false), S_OK);
  EXPECT_EQ(data.QueryGetData(FormatEtc(own)), S_OK);
  m.tymed = TYMED_GDI;
  EXPECT_EQ(data.SetData(FormatEtc(own, TYMED_GDI), m, false), DV_E_TYMED);
}

TEST_F(TClipboardTest, ReferenceResolvesOnlyLiveTreesOfThisProcess) {
  A->SetClipboardFormats({"Node Tree Data"});
  auto data = std::make_shared<TVTDataObject>(A.get(), false);
  EXPECT_EQ(B->TreeFromDataObject(data), A.get());

  auto foreign = std::make_shared<TDataObject>();
  foreign->SetGlobal(cfNodeTreeReference(), NodeTreeReferenceBlock(CurrentProcessId() + 1, A->TreeId()));
  EXPECT_EQ(B->TreeFromDataObject(foreign), nullptr) << "another process";
  foreign->SetGlobal(cfNodeTreeReference(), NodeTreeReferenceBlock(CurrentProcessId(), A->TreeId()) + "x");
  EXPECT_EQ(B->TreeFromDataObject(foreign), nullptr) << "a block of the wrong size";

  TOwned<TNodeStringTree> gone(MakeTree());
  auto stale = std::make_shared<TVTDataObject>(gone.get(), false);
  gone.reset();
  EXPECT_EQ(B->TreeFromDataObject(stale), nullptr) << "a destroyed tree";
  TStgMedium m;
  EXPECT_EQ(stale->GetData(FormatEtc(cfNodeTreeReference()), m), E_FAIL);
}

TEST_F(TClipboardTest, CutInOneTreeAndPasteInAnotherMovesWithoutTheStream) {
  PVNode a1 = Add(*A, nullptr, 1);
  Add(*A, a1, 11);
  Add(*A, nullptr, 2);
  PVNode a3 = Add(*A, nullptr, 3);
  Add(*B, nullptr, 9);
  A->SetSelected(a1, true);
  A->SetSelected(a3, true);
  A->CutToClipboard();
  EXPECT_TRUE(A->TreeStates().Has(tsCutPending));
  EXPECT_EQ(A->CutCopyCount(), 2u);
  Saves = 0;
  B->SetFocusedNode(nullptr);
  EXPECT_TRUE(B->PasteFromClipboard());
  EXPECT_EQ(Saves, 3) << "each moved node is written once by the move, never as clipboard node data";
  EXPECT_EQ(Shape(*B), "9 1[11] 3");
  EXPECT_EQ(Shape(*A), "2");
  EXPECT_FALSE(A->TreeStates().Has(tsCutPending));
  EXPECT_EQ(A->CutCopyCount(), 0u);
  EXPECT_EQ(CheckCounts(*A), "");
  EXPECT_EQ(CheckCounts(*B), "");
}

TEST_F(TClipboardTest, CopyPastesAgainAndAgain) {
  PVNode a1 = Add(*A, nullptr, 1);
  Add(*A, a1, 11);
  A->SetSelected(a1, true);
  A->CopyToClipboard();
  EXPECT_TRUE(A->TreeStates().Has(tsCopyPending));
  for (int i = 0; i < 3; ++i)
    EXPECT_TRUE(B->PasteFromClipboard());
  EXPECT_EQ(Shape(*B), "1[11] 1[11] 1[11]");
  EXPECT_EQ(Shape(*A), "1[11]");
  EXPECT_TRUE(A->TreeStates().Has(tsCopyPending)) << "a copy stays pending";
  // Pasting the copy into its own tree copies as well.
  A->SetFocusedNode(nullptr);
  EXPECT_TRUE(A->PasteFromClipboard());
  EXPECT_EQ(Shape(*A), "1[11] 1[11]");
}

TEST_F(TClipboardTest, WindowMessagesCutCopyAndPaste) {
  PVNode a1 = Add(*A, nullptr, 1);
  A->SetSelected(a1, true);
  TMessage message{};
  message.Msg = WM_COPY;
  A->WndProc(message);
  EXPECT_TRUE(A->TreeStates().Has(tsCopyPending));
  message.Msg = WM_PASTE;
  B->WndProc(message);
  EXPECT_EQ(Shape(*B), "1");
  message.Msg = WM_CUT;
  A->WndProc(message);
  EXPECT_TRUE(A->TreeStates().Has(tsCutPending));
  message.Msg = WM_PASTE;
  B->WndProc(message);
  EXPECT_EQ(Shape(*B), "1 1");
  EXPECT_EQ(Shape(*A), "");
}

TEST_F(TClipboardTest, ASubtreeHoldingTheTargetIsNotMoved) {
  PVNode a1 = Add(*A, nullptr, 1);
  PVNode a11 = Add(*A, a1, 11);
  PVNode a2 = Add(*A, nullptr, 2);
  A->SetSelected(a1, true);
  A->SetSelected(a2, true);
  A->CutToClipboard();
  A->SetFocusedNode(a11);
  A->ClearSelection();
  EXPECT_TRUE(A->PasteFromClipboard());
  EXPECT_EQ(Shape(*A), "1[11[2]]");
  EXPECT_FALSE(A->TreeStates().Has(tsCutPending));
}

TEST_F(TClipboardTest, NothingHappensWithoutSelectionOrOnReadOnlyTrees) {
  Clipboard()->SetAsText("kept");
  A->CopyToClipboard();
  EXPECT_EQ(Clipboard()->AsText(), "kept") << "copy with nothing selected leaves the clipboard alone";
  PVNode a1 = Add(*A, nullptr, 1);
  A->SetSelected(a1, true);
  A->TreeOptions().SetMiscOptions(A->TreeOptions().MiscOptions() + TVTMiscOptions{toReadOnly});
  A->CutToClipboard();
  EXPECT_FALSE(A->TreeStates().Has(tsCutPending));
  EXPECT_EQ(Clipboard()->AsText(), "kept");
  EXPECT_FALSE(A->PasteFromClipboard());
  // Another program replacing the clipboard ends a pending copy.
  B->SetSelected(Add(*B, nullptr, 5), true);
  B->CopyToClipboard();
  EXPECT_EQ(B->CutCopyCount(), 1u);
  Clipboard()->SetAsText("other");
  EXPECT_FALSE(B->TreeStates().Has(tsCopyPending));
  EXPECT_EQ(B->CutCopyCount(), 0u);
}

// "Node Tree Data" of a tree of another kind, as a memory block with its byte count.
std::string NodeDataBlock(const std::string& chunks, std::int32_t count) {
  std::string block(4, '\0');
  std::memcpy(block.data(), &count, 4);
  return block + chunks;
}

TEST_F(TClipboardTest, DamagedNodeDataIsRefusedWhole) {
  PVNode a1 = Add(*A, nullptr, 1);
  Add(*A, a1, 11);
  PVNode a2 = Add(*A, nullptr, 2);
  A->SetSelected(a1, true);
  A->SetSelected(a2, true);
  A->SetClipboardFormats({"Node Tree Data"});
  TVTDataObject source(A.get(), false);
  TStgMedium m;
  ASSERT_EQ(source.GetData(FormatEtc(cfNodeTreeData()), m), S_OK);
  const std::string good = m.Global.substr(4);

  std::string bomb = good;
  // The first base chunk's child count sits after the node and base headers.
  const std::uint32_t huge = 0x7FFFFFFF;
  std::memcpy(bomb.data() + 16, &huge, 4);
  struct TCase {
    const char* Name;
    std::string Block;
  } cases[] = {
      {"negative count", NodeDataBlock(good, -1)},
      {"count past the block", NodeDataBlock(good, static_cast<std::int32_t>(good.size()) + 1)},
      {"block shorter than its count",
       NodeDataBlock(good.substr(0, 3), static_cast<std::int32_t>(good.size()))},
      {"second node cut short",
       NodeDataBlock(good.substr(0, good.size() - 5), static_cast<std::int32_t>(good.size()) - 5)},
      {"child count bomb", NodeDataBlock(bomb, static_cast<std::int32_t>(bomb.size()))},
      {"not node chunks", NodeDataBlock(std::string(40, 'x'), 40)},
      {"too short for a count", "ab"},
  };
  for (const TCase& c : cases) {
    auto data = std::make_shared<TDataObject>();
    data->SetGlobal(cfNodeTreeData(), c.Block);
    EXPECT_FALSE(B->ProcessOLEData(nullptr, data, nullptr, amAddChildLast, false)) << c.Name;
    EXPECT_EQ(B->TotalCount(), 0u) << c.Name << ": nothing inserted";
  }
  auto data = std::make_shared<TDataObject>();
  data->SetGlobal(cfNodeTreeData(), NodeDataBlock(good, static_cast<std::int32_t>(good.size())));
  EXPECT_TRUE(B->ProcessOLEData(nullptr, data, nullptr, amAddChildLast, false));
  EXPECT_EQ(Shape(*B), "1[11] 2");
}

TEST_F(TClipboardTest, DropsOnTheRootWithInsertBeforeBecomeFirstChildren) {
  Add(*B, nullptr, 9);
  PVNode a1 = Add(*A, nullptr, 1);
  A->SetSelected(a1, true);
  A->SetClipboardFormats({"Node Tree Data"});
  auto data = std::make_shared<TVTDataObject>(A.get(), false);
  unsigned effect = DROPEFFECT_COPY;
  EXPECT_TRUE(B->ProcessDrop(data, nullptr, effect, amInsertBefore));
  EXPECT_EQ(Shape(*B), "1 9");
  effect = DROPEFFECT_COPY;
  EXPECT_FALSE(B->ProcessDrop(data, nullptr, effect, amNoWhere));
  EXPECT_EQ(effect, DROPEFFECT_NONE);
}

} // namespace
