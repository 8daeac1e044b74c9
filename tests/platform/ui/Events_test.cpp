// The order of events the windows rely on, each case driven through the headless API.
#include "SampleForm.h"
#include "support/UiTestFixture.h"

#include "platform/ui/Application.h"
#include "platform/ui/Headless.h"

#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr unsigned WM_SAMPLE = WM_APP + 1;

// A self-drawn control that writes the custom messages it receives to a log.
class TMessageLogger : public TCustomControl {
public:
  TMessageLogger(TComponent* owner, std::vector<std::string>& log) : TCustomControl(owner), Log(log) {}
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_SAMPLE) {
      Log.push_back("posted " + std::to_string(m.WParam));
      return;
    }
    TCustomControl::WndProc(m);
  }
  std::vector<std::string>& Log;
};

// A focusable self-drawn control that logs where the focus comes from and goes to.
class TFocusLogger : public TCustomControl {
public:
  TFocusLogger(TComponent* owner, std::vector<std::string>& log) : TCustomControl(owner), Log(log) {
    SetTabStop(true);
  }
  void CMEnter(TMessage& m) override {
    Log.push_back("enter from " + NameOf(m.LParam));
    TCustomControl::CMEnter(m);
  }
  void CMExit(TMessage& m) override {
    Log.push_back("exit to " + NameOf(m.LParam));
    TCustomControl::CMExit(m);
  }
  static std::string NameOf(LPARAM p) {
    auto* c = reinterpret_cast<TControl*>(p);
    return c ? c->Name() : "none";
  }
  std::vector<std::string>& Log;
};

void LogKeys(TFSample& f, TEdit* edit) {
  edit->OnKeyDown = [&f](TObject*, std::uint16_t& key, TShiftState) {
    f.Log.push_back("down " + std::to_string(key));
    if (key == 'B') key = 0;
  };
  edit->OnKeyPress = [&f](TObject*, WideChar& key) { f.Log.push_back(std::string("press ") + char(key)); };
  edit->OnKeyUp = [&f](TObject*, std::uint16_t& key, TShiftState) {
    f.Log.push_back("up " + std::to_string(key));
  };
}

struct TEventCase {
  const char* name;
  std::function<void(TFSample&)> drive;
  std::vector<std::string> expected;
};

const TEventCase EventCases[] = {
    {"combo box: ItemIndex and Text set by code are silent",
     [](TFSample& f) {
       f.CB_Band->SetItemIndex(2);
       f.CB_Band->SetText("US915");
       f.Log.push_back("now " + f.CB_Band->Text());
     },
     {"now US915"}},
    {"combo box: the user's choice fires OnChange",
     [](TFSample& f) { Headless::PickItem(f, "CB_Band", "EU868"); },
     {"CB_Band.Change EU868"}},
    {"combo box: an arrow key in the closed list is the user's change",
     [](TFSample& f) { Headless::PressKey(f, "CB_Band", VK_DOWN); },
     {"CB_Band.Change AU915"}},
    {"combo box: choosing the item already shown changes nothing",
     [](TFSample& f) { Headless::PickItem(f, "CB_Band", 0); },
     {}},
    {"check box: Checked set by code fires OnClick, once per change",
     [](TFSample& f) {
       f.CB_DHCP->SetChecked(true);
       f.CB_DHCP->SetChecked(true);
       f.CB_DHCP->SetChecked(false);
     },
     {"CB_DHCP.Click 1", "CB_DHCP.Click 0"}},
    {"check box: a click fires OnClick",
     [](TFSample& f) { Headless::Tick(f, "CB_DHCP"); },
     {"CB_DHCP.Click 1"}},
    {"check box: the space bar toggles it",
     [](TFSample& f) { Headless::PressKey(f, "CB_DHCP", VK_SPACE); },
     {"CB_DHCP.Click 1"}},
    {"keys: down, then the character, then up",
     [](TFSample& f) {
       LogKeys(f, f.E_IP2);
       Headless::PressKey(f, "E_IP2", 'A');
       f.Log.push_back("text " + f.E_IP2->Text());
     },
     {"down 65", "press a", "up 65", "text a"}},
    {"keys: the character still arrives when key-down cleared the key",
     [](TFSample& f) {
       LogKeys(f, f.E_IP2);
       Headless::PressKey(f, "E_IP2", 'B');
       f.Log.push_back("text " + f.E_IP2->Text());
     },
     {"down 66", "press b", "up 66", "text b"}},
    {"keys: a key-press handler that clears the character keeps it out and may move the focus",
     [](TFSample& f) {
       Headless::TypeText(f, "E_IP1", "192.168");
       f.Log.push_back(f.E_IP1->Text() + "|" + f.E_IP2->Text());
     },
     {"E_IP1.Exit 192", "192|168"}},
    {"posted message: handled after the handler that posted it",
     [](TFSample& f) {
       auto* logger = new TMessageLogger(&f, f.Log);
       logger->SetParent(&f);
       f.Btn_Cancel->OnClick = [&f, logger](TObject*) {
         PostMessage(logger, WM_SAMPLE, 7);
         f.Log.push_back("handler end");
       };
       Headless::Click(*f.Btn_Cancel);
     },
     {"handler end", "posted 7"}},
    {"posted message: dropped when its control is destroyed first",
     [](TFSample& f) {
       auto* logger = new TMessageLogger(&f, f.Log);
       logger->SetParent(&f);
       PostMessage(logger, WM_SAMPLE, 1);
       logger->Free();
       Application->ProcessMessages();
       f.Log.push_back("done");
     },
     {"done"}},
    {"focus: a container hears of the focus only when it comes in from outside or goes out",
     [](TFSample& f) {
       for (TWinControl* c : std::initializer_list<TWinControl*>{f.P_Button, f.Btn_OK, f.Btn_Cancel}) {
         c->OnEnter = [&f, c](TObject*) { f.Log.push_back(c->Name() + ".Enter"); };
         c->OnExit = [&f, c](TObject*) { f.Log.push_back(c->Name() + ".Exit"); };
       }
       f.Btn_OK->SetFocus();
       f.Btn_Cancel->SetFocus();
       f.E_IP2->SetFocus();
     },
     {"P_Button.Enter", "Btn_OK.Enter", "Btn_OK.Exit", "Btn_Cancel.Enter", "Btn_Cancel.Exit",
      "P_Button.Exit"}},
    {"focus: enter and exit tell where the focus came from and goes to",
     [](TFSample& f) {
       auto* logger = new TFocusLogger(&f, f.Log);
       logger->SetParent(&f);
       logger->SetBounds(0, 0, 10, 10);
       logger->SetFocus();
       f.E_IP1->SetFocus();
     },
     {"enter from E_IP2", "exit to E_IP1"}},
    {"push button: the click takes the focus, so the edit commits before OnClick",
     [](TFSample& f) {
       Headless::TypeText(f, "E_IP1", "7");
       Headless::Click(f, "Btn_OK");
     },
     {"E_IP1.Exit 7", "Btn_OK.Click"}},
};

class EventsTest : public TUiTest {};

TEST_F(EventsTest, EventOrder) {
  for (const auto& c : EventCases) {
    SCOPED_TRACE(c.name);
    auto* form = NewForm<TFSample>(nullptr);
    form->Show();
    form->E_IP2->SetFocus();
    form->Log.clear();
    c.drive(*form);
    EXPECT_EQ(form->Log, c.expected);
    form->Free();
  }
}

TEST_F(EventsTest, PostedMessagesFromAnotherThreadArriveInOrder) {
  auto* form = NewForm<TFSample>(nullptr);
  auto* logger = new TMessageLogger(form, form->Log);
  logger->SetParent(form);
  form->Log.clear();
  std::thread worker([logger] {
    for (WPARAM i = 1; i <= 3; ++i)
      PostMessage(logger, WM_SAMPLE, i);
  });
  worker.join();
  Application->ProcessMessages();
  EXPECT_EQ(form->Log, (std::vector<std::string>{"posted 1", "posted 2", "posted 3"}));
  form->Free();
}

} // namespace
