// Forms: creation, modal results, Enter and Escape, nested modal forms, closing.
#include "SampleForm.h"
#include "support/UiTestFixture.h"

#include "platform/ui/Application.h"
#include "platform/ui/Headless.h"

#include <memory>

namespace {

// A self-drawn child that closes its form with a modal result when clicked.
class TCloser : public TCustomControl {
public:
  TCloser(TComponent* owner, int result) : TCustomControl(owner), Result(result) {}
  void Click() override {
    TCustomControl::Click();
    if (TForm* f = GetParentForm(this)) f->SetModalResult(Result);
  }
  int Result;
};

using TFormPtr = TOwned<TFSample>;

TFormPtr MakeSample() {
  return TFormPtr(NewForm<TFSample>(nullptr));
}

class FormsTest : public TUiTest {};

TEST_F(FormsTest, ChildSettingTheModalResultClosesTheFormWithIt) {
  struct Case {
    const char* name;
    std::function<void(TFSample&)> close;
    int expected;
  };
  const Case cases[] = {
      {"button with modal result 2", [](TFSample& f) { Headless::Click(*f.Btn_Cancel); }, mrCancel},
      {"self-drawn control setting 2",
       [](TFSample& f) {
         auto* closer = new TCloser(&f, 2);
         closer->SetName("Closer");
         closer->SetParent(&f);
         closer->SetBounds(300, 50, 40, 40);
         Headless::Click(*closer);
       },
       2},
      {"handler setting mrOk", [](TFSample& f) { Headless::Click(*f.Btn_OK); }, mrOk},
      {"Close on a modal form", [](TFSample& f) { f.Close(); }, mrCancel},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto form = MakeSample();
    bool wasModal = false;
    Headless::OnNextModal([&](TForm& f) {
      wasModal = f.Modal() && f.Showing() && Application->ModalLevel() == 1;
      c.close(static_cast<TFSample&>(f));
    });
    EXPECT_EQ(form->ShowModal(), c.expected);
    EXPECT_TRUE(wasModal);
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(form->Modal());
    EXPECT_EQ(Application->ModalLevel(), 0);
  }
}

TEST_F(FormsTest, EnterAndEscapeReachTheDefaultAndCancelButtonsUnlessAButtonHasTheFocus) {
  struct Case {
    const char* name;
    const char* focus;
    std::uint16_t key;
    int expected;
    bool okClicked;
  };
  const Case cases[] = {
      {"Enter in an edit clicks the default button", "E_IP1", VK_RETURN, mrOk, true},
      {"Escape in an edit clicks the cancel button", "E_IP1", VK_ESCAPE, mrCancel, false},
      {"Enter on the focused cancel button clicks it, not the default", "Btn_Cancel", VK_RETURN, mrCancel,
       false},
      {"Escape on the focused OK button still cancels", "Btn_OK", VK_ESCAPE, mrCancel, false},
      {"Enter in a check box clicks the default button", "CB_DHCP", VK_RETURN, mrOk, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto form = MakeSample();
    Headless::OnNextModal([&](TForm& f) {
      Headless::PressKey(f, c.focus, c.key);
      if (f.ModalResult() == mrNone) f.SetModalResult(99);
    });
    EXPECT_EQ(form->ShowModal(), c.expected);
    bool clicked = std::find(form->Log.begin(), form->Log.end(), "Btn_OK.Click") != form->Log.end();
    EXPECT_EQ(clicked, c.okClicked);
  }
}

TEST_F(FormsTest, EnterWithoutADefaultButtonReachesTheEditAsACharacter) {
  auto form = MakeSample();
  form->Btn_OK->SetDefault(false);
  std::vector<int> keys;
  form->E_IP2->OnKeyPress = [&](TObject*, WideChar& key) { keys.push_back(key); };
  form->Show();
  Headless::PressKey(*form->E_IP2, VK_RETURN);
  EXPECT_EQ(keys, std::vector<int>{13});
  EXPECT_EQ(form->ModalResult(), mrNone);
}

TEST_F(FormsTest, NestedModalFormsEachRunTheirOwnScript) {
  auto outer = MakeSample();
  auto inner = MakeSample();
  inner->SetName("FInner");
  int innerResult = -1;
  int levelInside = 0;
  outer->Btn_OK->OnClick = [&](TObject*) {
    innerResult = inner->ShowModal();
    outer->Log.push_back("inner returned");
  };
  Headless::OnNextModal([&](TForm& f) {
    EXPECT_EQ(&f, outer.get());
    Headless::Click(f, "Btn_OK");
    EXPECT_TRUE(f.Modal()) << "the outer form stays open while the inner one runs";
    Headless::Click(f, "Btn_Cancel");
  });
  Headless::OnNextModal([&](TForm& f) {
    EXPECT_EQ(&f, inner.get());
    levelInside = Application->ModalLevel();
    Headless::TypeText(f, "E_IP1", "10");
    Headless::Click(f, "Btn_OK");
  });
  EXPECT_EQ(outer->ShowModal(), mrCancel);
  EXPECT_EQ(innerResult, mrOk);
  EXPECT_EQ(levelInside, 2);
  EXPECT_EQ(inner->E_IP1->Text(), "10");
  EXPECT_EQ(outer->Log.back(), "inner returned");
}

TEST_F(FormsTest, AModalFormWithoutAScriptFailsClearlyInsteadOfWaiting) {
  ExpectFailures = true;
  auto form = MakeSample();
  EXPECT_EQ(form->ShowModal(), mrCancel);
  ASSERT_EQ(Failures.size(), 1u);
  EXPECT_NE(Failures[0].find("FSample"), std::string::npos) << Failures[0];
  EXPECT_FALSE(form->Visible());

  Failures.clear();
  Headless::OnNextModal([](TForm& f) { Headless::TypeText(f, "E_IP1", "1"); });
  EXPECT_EQ(form->ShowModal(), mrCancel);
  ASSERT_EQ(Failures.size(), 1u);
  EXPECT_NE(Failures[0].find("without closing"), std::string::npos) << Failures[0];
}

TEST_F(FormsTest, CloseQueryAndCloseActionCanKeepAModalFormOpen) {
  auto form = MakeSample();
  bool allow = false;
  TCloseAction action = caNone;
  form->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = allow; };
  form->OnClose = [&](TObject*, TCloseAction& a) { a = action; };
  Headless::OnNextModal([&](TForm& f) {
    Headless::Click(f, "Btn_Cancel");
    EXPECT_TRUE(f.Showing()) << "refused by OnCloseQuery";
    EXPECT_EQ(f.ModalResult(), mrNone);
    allow = true;
    Headless::Click(f, "Btn_Cancel");
    EXPECT_TRUE(f.Showing()) << "refused by OnClose with caNone";
    action = caHide;
    Headless::Click(f, "Btn_Cancel");
  });
  EXPECT_EQ(form->ShowModal(), mrCancel);
}

TEST_F(FormsTest, OnCreateFiresOnceAfterConstructionAndOnShowBeforeTheFormAppears) {
  auto form = MakeSample();
  bool visibleInShow = true;
  form->OnShow = [&](TObject*) {
    form->Log.push_back("FormShow");
    visibleInShow = form->Showing();
  };
  form->Show();
  form->Hide();
  form->Show();
  EXPECT_EQ(form->Log, (std::vector<std::string>{"FormCreate", "FormShow", "FormShow"}));
  EXPECT_FALSE(visibleInShow);
  EXPECT_TRUE(form->Showing());
}

struct TFRecorder : TFSample {
  explicit TFRecorder(TComponent* owner);
};
TFRecorder* FRecorder = nullptr;
bool ReferenceSetInCreate = false;
TFRecorder::TFRecorder(TComponent* owner) : TFSample(owner) {
  OnCreate = [](TObject* sender) { ReferenceSetInCreate = sender == FRecorder; };
}

TEST_F(FormsTest, CreateFormSetsTheReferenceBeforeOnCreateAndTheFirstFormIsTheMainForm) {
  TForm* mainBefore = Application->MainForm();
  TFSample* first = nullptr;
  Application->CreateForm(first);
  Application->CreateForm(FRecorder);
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(ReferenceSetInCreate);
  EXPECT_EQ(first->Log, std::vector<std::string>{"FormCreate"});
  EXPECT_EQ(Application->MainForm(), mainBefore ? mainBefore : first);
  EXPECT_EQ(first->Owner(), Application);
  EXPECT_EQ(FRecorder->Owner(), Application);
}

TEST_F(FormsTest, ClientSizeExcludesTheFrameAndScreenCenterPlacesTheForm) {
  auto form = MakeSample();
  EXPECT_EQ(form->ClientWidth(), 360);
  EXPECT_EQ(form->ClientHeight(), 220);
  EXPECT_EQ(form->Width(), 360 + form->FrameSize().cx);
  form->SetBorderStyle(bsNone);
  EXPECT_EQ(form->ClientWidth(), 360) << "the client size survives a change of border";
  EXPECT_EQ(form->Width(), 360);
  form->Show();
  EXPECT_EQ(form->Left(), (Screen->Width() - form->Width()) / 2);
  EXPECT_EQ(form->Top(), (Screen->Height() - form->Height()) / 2);
  EXPECT_EQ(Screen->ActiveForm(), form.get());
}

TEST_F(FormsTest, AlignedPanelsFollowTheClientSizeAndAnchoredButtonsKeepTheirDistance) {
  auto form = MakeSample();
  EXPECT_EQ(form->P_Title->BoundsRect(), Rect(0, 0, 360, 40));
  EXPECT_EQ(form->P_Button->BoundsRect(), Rect(0, 180, 360, 220));
  form->SetBorderStyle(bsSizeable);
  form->SetClientWidth(460);
  form->SetClientHeight(300);
  EXPECT_EQ(form->P_Title->BoundsRect(), Rect(0, 0, 460, 40));
  EXPECT_EQ(form->P_Button->BoundsRect(), Rect(0, 260, 460, 300));
  EXPECT_EQ(form->Btn_OK->Left(), 217);
  EXPECT_EQ(form->Btn_Cancel->Left(), 335);
  EXPECT_EQ(form->E_IP1->Left(), 191) << "left-anchored controls stay";
}

} // namespace
