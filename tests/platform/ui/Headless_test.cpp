// The headless driver: a sample dialog built, driven and rendered; finding controls; the other
// controls' user paths (lists, pages, menus, links, file dialogs); the real modal loop.
#include "SampleForm.h"
#include "support/UiTestFixture.h"

#include "platform/ui/Application.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/Headless.h"
#include "platform/ui/Menus.h"
#include "support/TempDir.h"

#include <memory>
#include <string>
#include <vector>

namespace {

// Width and height from the header of a PNG file; {0, 0} when it is none.
TSize PngSize(const std::string& bytes) {
  if (bytes.size() < 24 || bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0 || bytes.compare(12, 4, "IHDR") != 0)
    return {};
  auto be32 = [&](std::size_t at) {
    return (unsigned(static_cast<unsigned char>(bytes[at])) << 24) |
           (unsigned(static_cast<unsigned char>(bytes[at + 1])) << 16) |
           (unsigned(static_cast<unsigned char>(bytes[at + 2])) << 8) |
           unsigned(static_cast<unsigned char>(bytes[at + 3]));
  };
  return {static_cast<int>(be32(16)), static_cast<int>(be32(20))};
}

class HeadlessTest : public TUiTest {};

TEST_F(HeadlessTest, SampleDialogIsBuiltDrivenAndRendered) {
  TOwned<TFSample> form(NewForm<TFSample>(nullptr));
  TFSample& f = *form;
  f.Show();

  // Structure as built: places, visibility, focus.
  EXPECT_EQ(Headless::FindControl(f, "E_IP2")->BoundsRect(), Bounds(252, 52, 55, 21));
  EXPECT_EQ(f.Btn_OK->BoundsRect(), Bounds(117, 6, 110, 28));
  EXPECT_EQ(f.Btn_OK->Parent(), f.P_Button);
  EXPECT_EQ(f.P_Button->BoundsRect(), Rect(0, 180, 360, 220));
  EXPECT_TRUE(f.L_IP->Showing());
  EXPECT_FALSE(f.CB_Gateway->Showing());
  EXPECT_GT(f.L_IP->Width(), 0) << "labels size themselves to their caption";
  EXPECT_EQ(f.ActiveControl(), f.E_IP1);
  EXPECT_TRUE(f.E_IP1->Focused());

  // Driven as a user would.
  EXPECT_TRUE(Headless::TypeText(f, "E_IP1", "10.0"));
  EXPECT_EQ(f.E_IP1->Text(), "10");
  EXPECT_EQ(f.E_IP2->Text(), "0");
  EXPECT_TRUE(f.E_IP2->Focused());
  EXPECT_TRUE(Headless::PickItem(f, "CB_Band", "US915"));
  EXPECT_TRUE(Headless::Tick(f, "CB_DHCP"));
  EXPECT_FALSE(f.E_IP1->Enabled());
  EXPECT_TRUE(f.CB_DHCP->Focused()) << "a click focuses the check box";
  f.CB_Gateway->Show();
  EXPECT_TRUE(f.CB_Gateway->Showing());
  EXPECT_EQ(f.Log, (std::vector<std::string>{"FormCreate", "FormShow", "E_IP1.Exit 10",
                                             "CB_Band.Change US915", "CB_DHCP.Click 1"}));

  // Rendered into a picture of the client area.
  TTempDir dir;
  std::string path = dir.File("sample.png");
  ASSERT_TRUE(Headless::RenderToPng(f, path));
  EXPECT_EQ(PngSize(dir.Read("sample.png")), (TSize{360, 220}));
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"sample.png"}) << "written whole, no temporary left";
  TBitmap picture;
  ASSERT_TRUE(picture.LoadFromFile(path));
  EXPECT_EQ(picture.Pixel(340, 20), RGB(248, 247, 237)) << "the title panel's colour";
}

TEST_F(HeadlessTest, StepsThatCannotBeDoneAreReportedNotIgnored) {
  ExpectFailures = true;
  TOwned<TFSample> form(NewForm<TFSample>(nullptr));
  TFSample& f = *form;
  f.Show();
  struct Case {
    const char* name;
    std::function<bool()> step;
    const char* mention;
  };
  const Case cases[] = {
      {"unknown name", [&] { return Headless::Click(f, "Btn_Missing"); }, "Btn_Missing"},
      {"wrong kind", [&] { return Headless::TypeText(f, "L_IP", "x"); }, "TLabel"},
      {"hidden control", [&] { return Headless::Click(f, "CB_Gateway"); }, "hidden"},
      {"disabled control",
       [&] {
         f.E_IP2->SetEnabled(false);
         return Headless::TypeText(f, "E_IP2", "1");
       },
       "disabled"},
      {"item out of range", [&] { return Headless::PickItem(f, "CB_Band", 7); }, "7"},
      {"item text unknown", [&] { return Headless::PickItem(f, "CB_Band", "XX999"); }, "XX999"},
      {"unticking a radio button by a click",
       [&] {
         auto* rb = new TRadioButton(&f);
         rb->SetName("RB");
         rb->SetParent(&f);
         rb->SetChecked(true);
         return Headless::Tick(f, "RB", false);
       },
       "RB"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Failures.clear();
    EXPECT_FALSE(c.step());
    ASSERT_EQ(Failures.size(), 1u);
    EXPECT_NE(Failures[0].find(c.mention), std::string::npos) << Failures[0];
  }
}

TEST_F(HeadlessTest, ListBoxAndRadioButtonsTellUserChoicesFromCode) {
  TOwned<TForm> form(NewForm<TForm>(nullptr));
  TForm& f = *form;
  f.SetName("F");
  auto* list = new TListBox(&f);
  list->SetName("ListBox1");
  list->SetParent(&f);
  for (const char* s : {"Plant A", "Plant B", "Plant C"})
    list->Items().Add(s);
  std::vector<std::string> log;
  list->OnClick = [&](TObject*) { log.push_back("list " + std::to_string(list->ItemIndex())); };
  auto* r1 = new TRadioButton(&f);
  auto* r2 = new TRadioButton(&f);
  r1->SetName("R1");
  r2->SetName("R2");
  r1->SetParent(&f);
  r2->SetParent(&f);
  r1->SetTop(120);
  r2->SetTop(140);
  r1->OnClick = [&](TObject*) { log.push_back("r1"); };
  r2->OnClick = [&](TObject*) { log.push_back("r2"); };
  f.Show();
  list->SetItemIndex(1);
  r1->SetChecked(true);
  Headless::PickItem(f, "ListBox1", 2);
  Headless::Tick(f, "R2");
  EXPECT_EQ(log, (std::vector<std::string>{"r1", "list 2", "r2"}));
  EXPECT_FALSE(r1->Checked()) << "radio buttons with one parent exclude each other";
  list->Items().Clear();
  EXPECT_EQ(list->ItemIndex(), -1);
}

TEST_F(HeadlessTest, PageControlChangesPagesForTheUserOnly) {
  TOwned<TForm> form(NewForm<TForm>(nullptr));
  TForm& f = *form;
  f.SetName("F");
  auto* pc = new TPageControl(&f);
  pc->SetName("PC_Options");
  pc->SetParent(&f);
  pc->SetBounds(0, 0, 300, 200);
  std::vector<TTabSheet*> sheets;
  for (const char* caption : {"Language", "Connection Options", "Software Settings"}) {
    auto* s = new TTabSheet(&f);
    s->SetPageControl(pc);
    s->SetCaption(caption);
    sheets.push_back(s);
  }
  auto* check = new TCheckBox(&f);
  check->SetName("CB_En_Con");
  check->SetParent(sheets[1]);
  check->SetBounds(12, 16, 200, 17);
  std::vector<std::string> log;
  bool allow = true;
  pc->OnChanging = [&](TObject*, bool& a) {
    log.push_back("changing");
    a = allow;
  };
  pc->OnChange = [&](TObject*) { log.push_back("change " + std::to_string(pc->ActivePageIndex())); };
  f.Show();
  EXPECT_EQ(pc->PageCount(), 3);
  EXPECT_EQ(pc->ActivePage(), sheets[0]);
  pc->SetActivePage(sheets[2]);
  EXPECT_EQ(pc->ActivePageIndex(), 2);
  Headless::PickItem(f, "PC_Options", "Connection Options");
  allow = false;
  Headless::PickItem(f, "PC_Options", 0);
  EXPECT_EQ(log, (std::vector<std::string>{"changing", "change 1", "changing"}));
  EXPECT_EQ(pc->ActivePageIndex(), 1) << "a refused change stays";
  EXPECT_EQ(check->Parent(), sheets[1]);
  EXPECT_TRUE(Headless::Tick(f, "CB_En_Con"));
  sheets[0]->SetTabVisible(false);
  EXPECT_EQ(pc->PageCount(), 3) << "a hidden tab keeps its page";
  EXPECT_EQ(pc->ActivePage(), sheets[1]);
}

TEST_F(HeadlessTest, PopupMenusLinksAndFileDialogs) {
  TOwned<TForm> form(NewForm<TForm>(nullptr));
  TForm& f = *form;
  f.SetName("F");
  std::vector<std::string> log;

  auto* menu = new TPopupMenu(&f);
  auto* item = new TMenuItem(&f);
  item->SetCaption("&Copy row");
  item->SetAutoCheck(true);
  item->OnClick = [&](TObject*) { log.push_back(std::string("copy ") + (item->Checked() ? "1" : "0")); };
  menu->Items()->Add(item);
  auto* edit = new TEdit(&f);
  edit->SetParent(&f);
  edit->SetPopupMenu(menu);
  f.Show();
  menu->Popup(10, 10);
  EXPECT_EQ(Headless::LastPopupMenu(), menu);
  EXPECT_TRUE(Headless::ClickMenuItem(*menu->Items()->Items(0)));

  auto* link = new TLinkLabel(&f);
  link->SetParent(&f);
  link->SetCaption("New <b> version: <a href=\"https://example.org/d#HDZ9K59\">Click Here</a>");
  link->OnLinkClick = [&](TObject*, const std::string& target, TSysLinkType type) {
    log.push_back("link " + target + (type == sltURL ? " url" : " id"));
  };
  EXPECT_EQ(link->LinkCount(), 1);
  EXPECT_TRUE(link->ClickLink(0));
  link->SetCaption("No Update Available");
  EXPECT_EQ(link->LinkCount(), 0);
  EXPECT_FALSE(link->ClickLink(0));

  auto* save = new TSaveDialog(&f);
  save->SetDefaultExt("mib");
  save->SetFilter("MIB files|*.mib|All files|*.*");
  TFileDialogRequest seen;
  auto previous = SetFileDialogHandler([&](TFileDialogRequest& r) {
    seen = r;
    r.FileName = "/tmp/out/SNMP";
    r.FilterIndex = 2;
    return true;
  });
  EXPECT_TRUE(save->Execute());
  EXPECT_TRUE(seen.Save);
  EXPECT_EQ(save->FileName(), "/tmp/out/SNMP.mib");
  EXPECT_EQ(save->FilterIndex(), 2);
  SetFileDialogHandler([](TFileDialogRequest&) { return false; });
  EXPECT_FALSE(save->Execute());
  EXPECT_EQ(save->FileName(), "/tmp/out/SNMP.mib") << "a cancelled dialog keeps the name";
  SetFileDialogHandler(previous);

  EXPECT_EQ(log, (std::vector<std::string>{"copy 1", "link https://example.org/d#HDZ9K59 url"}));
}

TEST_F(HeadlessTest, AFileDialogWithoutAnAnswerIsReportedAndCancelled) {
  ExpectFailures = true;
  TOwned<TOpenDialog> open(new TOpenDialog(nullptr));
  open->SetTitle("Import EDE");
  EXPECT_FALSE(open->Execute());
  ASSERT_EQ(Failures.size(), 1u);
  EXPECT_NE(Failures[0].find("Import EDE"), std::string::npos);
}

TEST_F(HeadlessTest, TheRealModalLoopEndsWhenAPostedMessageClosesTheForm) {
  // Without the headless scripts: ShowModal waits in the event loop for the posted click.
  Application->SetHeadless(false);
  TOwned<TFSample> form(NewForm<TFSample>(nullptr));
  struct TClicker : TCustomControl {
    using TCustomControl::TCustomControl;
    void WndProc(TMessage& m) override {
      if (m.Msg == WM_USER) Target->Click();
      TCustomControl::WndProc(m);
    }
    TButton* Target = nullptr;
  };
  auto* clicker = new TClicker(form.get());
  clicker->Target = form->Btn_OK;
  clicker->SetParent(form.get());
  PostMessage(clicker, WM_USER);
  // Should the click never come, a timer ends the wait instead of hanging the test.
  auto* guard = new TTimer(form.get());
  guard->SetInterval(5000);
  guard->OnTimer = [&](TObject*) { form->SetModalResult(mrAbort); };
  int result = form->ShowModal();
  Application->SetHeadless(true);
  EXPECT_EQ(result, mrOk);
}

} // namespace

namespace {

TEST_F(HeadlessTest, DrawnControlsPaintTheirPlaceAndTakeClicks) {
  TOwned<TForm> form(NewForm<TForm>(nullptr));
  TForm& f = *form;
  f.SetName("F");
  f.SetBorderStyle(bsSingle);
  f.SetClientWidth(200);
  f.SetClientHeight(120);
  auto* shape = new TShape(&f);
  shape->SetName("Shape1");
  shape->SetParent(&f);
  shape->SetBounds(10, 10, 40, 30);
  shape->Brush().SetColor(clRed);
  auto* image = new TImage(&f);
  image->SetName("I_L1");
  image->SetParent(&f);
  image->SetBounds(60, 10, 20, 20);
  TBitmap blue(20, 20);
  blue.Canvas().Brush().SetColor(clBlue);
  blue.Canvas().FillRect(Rect(0, 0, 20, 20));
  image->Picture().Assign(blue);
  auto* group = new TGroupBox(&f);
  group->SetParent(&f);
  group->SetBounds(100, 10, 90, 100);
  group->SetCaption("Group");
  auto* inner = new TEdit(&f);
  inner->SetParent(group);
  inner->SetBounds(8, 20, 70, 21);
  auto* label = new TLabel(&f);
  label->SetName("L_L1");
  label->SetParent(&f);
  label->SetBounds(10, 60, 10, 10);
  label->SetCaption("English");
  std::vector<std::string> clicks;
  image->OnClick = [&](TObject* s) { clicks.push_back(static_cast<TComponent*>(s)->Name()); };
  label->OnClick = image->OnClick;
  f.Show();

  EXPECT_EQ(inner->ClientOrigin().X - group->ClientOrigin().X, 8);
  EXPECT_EQ(inner->ClientOrigin().Y - group->ClientOrigin().Y, 20);
  EXPECT_TRUE(Headless::Click(f, "I_L1"));
  EXPECT_TRUE(Headless::Click(f, "L_L1"));
  EXPECT_EQ(clicks, (std::vector<std::string>{"I_L1", "L_L1"}));

  TTempDir dir;
  ASSERT_TRUE(Headless::RenderToPng(f, dir.File("drawn.png")));
  TBitmap picture;
  ASSERT_TRUE(picture.LoadFromFile(dir.File("drawn.png")));
  EXPECT_EQ(picture.Pixel(25, 25), clRed) << "inside the shape";
  EXPECT_EQ(picture.Pixel(10, 10), clBlack) << "the shape's outline";
  EXPECT_EQ(picture.Pixel(70, 20), clBlue) << "the image";
  EXPECT_EQ(picture.Pixel(55, 100), ColorToRGB(clBtnFace)) << "the form between them";
}

} // namespace
