// Messages between threads: a worker's SendMessage runs on the user-interface thread and waits,
// posted messages keep their order, and a destroyed window's messages are dropped.
#include "support/UiTestFixture.h"

#include "platform/ui/CrossThread.h"
#include "platform/ui/ExtCtrls.h"

#include <atomic>
#include <thread>
#include <vector>

namespace {

constexpr unsigned WM_RECORD = WM_APP + 1, WM_ANSWER = WM_APP + 2;

class TRecorder : public TPanel {
public:
  using TPanel::TPanel;
  std::vector<WPARAM> Seen;
  std::thread::id HandledOn;
  std::atomic<bool> Answered{false};
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_RECORD) {
      Seen.push_back(m.WParam);
      return;
    }
    if (m.Msg == WM_ANSWER) {
      HandledOn = std::this_thread::get_id();
      m.Result = static_cast<LRESULT>(m.WParam * 2);
      Answered = true;
      return;
    }
    TPanel::WndProc(m);
  }
};

class CrossThreadTest : public TUiTest {
protected:
  void SetUp() override {
    TUiTest::SetUp();
    Form.reset(NewForm<TForm>(nullptr));
    Recorder = new TRecorder(Form.get());
    Recorder->SetParent(Form.get());
  }
  TOwned<TForm> Form;
  TRecorder* Recorder = nullptr;
};

TEST_F(CrossThreadTest, AWorkersSendMessageRunsOnTheUiThreadAndWaitsForTheResult) {
  LRESULT result = 0;
  std::atomic<bool> returned{false};
  std::thread worker([&] {
    result = SendMessage(Recorder, WM_ANSWER, 21);
    returned = true;
  });
  while (!Recorder->Answered)
    Application->HandleMessage();
  worker.join();
  EXPECT_TRUE(returned);
  EXPECT_EQ(result, 42);
  EXPECT_EQ(Recorder->HandledOn, std::this_thread::get_id());
}

TEST_F(CrossThreadTest, PostedMessagesOfEveryThreadArriveInOrder) {
  PostMessage(Recorder, WM_RECORD, 0);
  std::thread worker([h = HandleOf(Recorder)] {
    for (WPARAM i = 1; i <= 200; ++i)
      PostMessage(h, WM_RECORD, i);
  });
  worker.join();
  PostMessage(Recorder, WM_RECORD, 201);
  Application->ProcessMessages();
  std::vector<WPARAM> expected;
  for (WPARAM i = 0; i <= 201; ++i)
    expected.push_back(i);
  EXPECT_EQ(Recorder->Seen, expected);
}

TEST_F(CrossThreadTest, ADestroyedWindowDropsItsPostedAndSentMessages) {
  const HWND h = HandleOf(Recorder);
  PostMessage(h, WM_RECORD, 1);
  PostMessage(h, WM_RECORD, 2);

  // A send that waits while the window goes: the sender is released with 0.
  LRESULT waiting = -1;
  std::thread sender([&] { waiting = SendMessage(h, WM_ANSWER, 5); });
  while (PendingSentMessages() == 0)
    std::this_thread::yield();
  Recorder->Free();
  Recorder = nullptr;
  sender.join();
  EXPECT_EQ(waiting, 0);

  LRESULT late = -1;
  std::thread lateSender([&] { late = SendMessage(h, WM_ANSWER, 5); });
  lateSender.join();
  EXPECT_EQ(late, 0);
  EXPECT_FALSE(PostMessage(h, WM_RECORD, 3));
  Application->ProcessMessages(); // nothing left to deliver, nothing crashes
  EXPECT_EQ(SendMessage(h, WM_ANSWER, 5), 0);
}

} // namespace
