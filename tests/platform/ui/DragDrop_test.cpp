// Drag and drop: a scripted drag from one control to another, effects chosen by the target and
// the keys, cancelling, targets that refuse or vanish, and a drop through Qt's drag events.
#include "support/UiTestFixture.h"

#include "platform/ui/DragDrop.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/HeadlessServices.h"
#include "platform/ui/KeyState.h"

#include <memory>
#include <string>
#include <vector>

namespace {

// Takes text: copy with Ctrl, else move; records what it was told.
class TRecordingTarget : public IDropTarget {
public:
  bool Refuse = false;
  std::vector<std::string> Calls;
  std::string Dropped;
  TPoint LastPt;
  unsigned Choose(unsigned keys, unsigned effect) const {
    if (Refuse) return DROPEFFECT_NONE;
    if ((keys & MK_CONTROL) && (effect & DROPEFFECT_COPY)) return DROPEFFECT_COPY;
    return effect & DROPEFFECT_MOVE ? DROPEFFECT_MOVE : effect & DROPEFFECT_COPY;
  }
  HRESULT DragEnter(const IDataObjectPtr& data, unsigned keys, TPoint pt, unsigned& effect) override {
    Calls.push_back(HasFormat(*data, CF_UNICODETEXT) ? "enter text" : "enter");
    LastPt = pt;
    effect = Choose(keys, effect);
    return S_OK;
  }
  HRESULT DragOver(unsigned keys, TPoint pt, unsigned& effect) override {
    Calls.push_back("over");
    LastPt = pt;
    effect = Choose(keys, effect);
    return S_OK;
  }
  HRESULT DragLeave() override {
    Calls.push_back("leave");
    return S_OK;
  }
  HRESULT Drop(const IDataObjectPtr& data, unsigned keys, TPoint pt, unsigned& effect) override {
    Calls.push_back("drop");
    Dropped = GetDataText(*data);
    LastPt = pt;
    effect = Choose(keys, effect);
    return S_OK;
  }
};

class TRecordingSource : public TDefaultDropSource {
public:
  std::vector<unsigned> Feedback;
  int Queries = 0;
  HRESULT QueryContinueDrag(bool escape, unsigned keys) override {
    ++Queries;
    return TDefaultDropSource::QueryContinueDrag(escape, keys);
  }
  HRESULT GiveFeedback(unsigned effect) override {
    Feedback.push_back(effect);
    return TDefaultDropSource::GiveFeedback(effect);
  }
};

class DragDropTest : public TUiTest {
protected:
  void SetUp() override {
    TUiTest::SetUp();
    Form.reset(NewForm<TForm>(nullptr));
    Form->SetBounds(0, 0, 400, 200);
    From = MakePanel("From", 10);
    To = MakePanel("To", 200);
    Target = std::make_shared<TRecordingTarget>();
    ASSERT_EQ(RegisterDragDrop(To, Target), S_OK);
    Form->Show();
    Data = std::make_shared<TDataObject>();
    Data->SetText("cells");
    Source = std::make_shared<TRecordingSource>();
  }
  void TearDown() override {
    EXPECT_EQ(Headless::PendingDragScripts(), 0);
    Headless::ClearDragScripts();
    Form.reset();
    TUiTest::TearDown();
  }
  TPanel* MakePanel(const char* name, int left) {
    auto* p = new TPanel(Form.get());
    p->SetName(name);
    p->SetParent(Form.get());
    p->SetBounds(left, 10, 150, 150);
    return p;
  }
  HRESULT Drag(std::function<void(Headless::TDragDriver&)> script, unsigned& effect,
               unsigned ok = DROPEFFECT_COPY | DROPEFFECT_MOVE) {
    Headless::OnNextDrag(std::move(script));
    return DoDragDrop(Data, Source, ok, effect);
  }

  TOwned<TForm> Form;
  TPanel* From = nullptr;
  TPanel* To = nullptr;
  std::shared_ptr<TRecordingTarget> Target;
  std::shared_ptr<TDataObject> Data;
  std::shared_ptr<TRecordingSource> Source;
};

TEST_F(DragDropTest, DragFromOneControlToAnotherDeliversTheDataWithTheChosenEffect) {
  struct Case {
    const char* name;
    std::initializer_list<std::uint16_t> keys;
    unsigned ok;
    unsigned expected;
  };
  const Case cases[] = {
      {"plain: move", {}, DROPEFFECT_COPY | DROPEFFECT_MOVE, DROPEFFECT_MOVE},
      {"Ctrl: copy", {VK_CONTROL}, DROPEFFECT_COPY | DROPEFFECT_MOVE, DROPEFFECT_COPY},
      {"only copy allowed", {}, DROPEFFECT_COPY, DROPEFFECT_COPY},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Target->Calls.clear();
    Source->Feedback.clear();
    Headless::THeldKeys held(c.keys);
    unsigned effect = 99;
    unsigned shown = 0;
    HRESULT hr = Drag(
        [&](Headless::TDragDriver& d) {
          d.MoveOver(*From, {5, 5});
          EXPECT_EQ(d.Target(), nullptr);
          d.MoveOver(*To, {20, 30});
          d.MoveOver(*To, {21, 31});
          shown = d.Effect();
          EXPECT_EQ(d.Target(), To);
          d.Drop();
        },
        effect, c.ok);
    EXPECT_EQ(hr, DRAGDROP_S_DROP);
    EXPECT_EQ(effect, c.expected);
    EXPECT_EQ(shown, c.expected);
    EXPECT_EQ(Target->Calls, (std::vector<std::string>{"enter text", "over", "drop"}));
    EXPECT_EQ(Target->Dropped, "cells");
    EXPECT_EQ(Target->LastPt, To->ClientToScreen({21, 31}));
    EXPECT_EQ(Source->Feedback, (std::vector<unsigned>{DROPEFFECT_NONE, c.expected, c.expected}));
  }
}

TEST_F(DragDropTest, EscapeCancelsAndATargetLeftOrRefusingGetsNoDrop) {
  struct Case {
    const char* name;
    bool refuse;
    std::function<void(Headless::TDragDriver&, TPanel&)> steps;
    HRESULT result;
    std::vector<std::string> calls;
  };
  const Case cases[] = {
      {"Escape over the target",
       false,
       [](Headless::TDragDriver& d, TPanel& to) {
         d.MoveOver(to, {5, 5});
         d.Cancel();
       },
       DRAGDROP_S_CANCEL,
       {"enter text", "leave"}},
      {"moved off the target, dropped nowhere",
       false,
       [](Headless::TDragDriver& d, TPanel& to) {
         d.MoveOver(to, {5, 5});
         d.MoveOutside();
         d.Drop();
       },
       DRAGDROP_S_DROP,
       {"enter text", "leave"}},
      {"target refusing",
       true,
       [](Headless::TDragDriver& d, TPanel& to) {
         d.MoveOver(to, {5, 5});
         EXPECT_EQ(d.Effect(), DROPEFFECT_NONE);
         d.Drop();
       },
       DRAGDROP_S_DROP,
       {"enter text", "leave"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Target->Calls.clear();
    Target->Refuse = c.refuse;
    unsigned effect = 99;
    EXPECT_EQ(Drag([&](Headless::TDragDriver& d) { c.steps(d, *To); }, effect), c.result);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    EXPECT_EQ(Target->Calls, c.calls);
    EXPECT_EQ(Target->Dropped, "");
  }
}

TEST_F(DragDropTest, ATargetWhoseControlIsDestroyedDuringTheDragIsNotCalledAgain) {
  unsigned effect = 99;
  std::weak_ptr<TRecordingTarget> watch = Target;
  auto* target = Target.get();
  Target.reset();
  EXPECT_EQ(Drag(
                [&](Headless::TDragDriver& d) {
                  d.MoveOver(*To, {5, 5});
                  To->Free();
                  To = nullptr;
                  d.MoveOver(*From, {5, 5});
                  d.Drop();
                },
                effect),
            DRAGDROP_S_DROP);
  EXPECT_EQ(effect, DROPEFFECT_NONE);
  EXPECT_TRUE(watch.expired()); // the registration went with the control
  (void)target;
}

TEST_F(DragDropTest, RegistrationIsOncePerControlAndChildrenDropOnTheirParentsTarget) {
  EXPECT_EQ(RegisterDragDrop(To, std::make_shared<TRecordingTarget>()), DRAGDROP_E_ALREADYREGISTERED);
  auto* inner = new TPanel(Form.get());
  inner->SetParent(To);
  inner->SetBounds(10, 10, 30, 30);
  TWinControl* owner = nullptr;
  EXPECT_EQ(DropTargetAt(inner, &owner), Target);
  EXPECT_EQ(owner, To);
  EXPECT_EQ(DropTargetAt(From), nullptr);
  EXPECT_EQ(RevokeDragDrop(To), S_OK);
  EXPECT_EQ(RevokeDragDrop(To), DRAGDROP_E_NOTREGISTERED);
  EXPECT_EQ(DropTargetAt(inner), nullptr);
  unsigned effect = 0;
  EXPECT_EQ(DoDragDrop(Data, Source, DROPEFFECT_NONE, effect), E_INVALIDARG);
}

TEST_F(DragDropTest, AScriptThatNeitherDropsNorCancelsIsReportedAndCancelled) {
  ExpectFailures = true;
  unsigned effect = 99;
  EXPECT_EQ(Drag([&](Headless::TDragDriver& d) { d.MoveOver(*To, {5, 5}); }, effect), DRAGDROP_S_CANCEL);
  EXPECT_EQ(DoDragDrop(Data, Source, DROPEFFECT_COPY, effect), DRAGDROP_S_CANCEL); // no script at all
  EXPECT_EQ(Failures.size(), 2u);
  EXPECT_EQ(Target->Calls, (std::vector<std::string>{"enter text", "leave"}));
}

TEST_F(DragDropTest, QtDragEventsReachTheRegisteredTarget) {
  const unsigned effect = Headless::SystemDropOn(*To, {40, 50}, Data, DROPEFFECT_COPY | DROPEFFECT_MOVE);
  EXPECT_EQ(effect, DROPEFFECT_MOVE);
  EXPECT_EQ(Target->Calls, (std::vector<std::string>{"enter text", "over", "drop"}));
  EXPECT_EQ(Target->Dropped, "cells");
  EXPECT_EQ(Target->LastPt, To->ClientToScreen({40, 50}));
  Target->Refuse = true;
  EXPECT_EQ(Headless::SystemDropOn(*To, {40, 50}, Data, DROPEFFECT_COPY), DROPEFFECT_NONE);
}

} // namespace
