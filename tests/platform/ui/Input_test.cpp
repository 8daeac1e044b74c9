// Input and message state as controls read it: held keys, the keypad flag of key messages, the
// focus messages with the control at the other end, the wheel through WndProc, and hints that
// belong to a rectangle of their control.
#include "support/UiTestFixture.h"

#include "platform/ui/Forms.h"
#include "platform/ui/Grids.h"
#include "platform/ui/Headless.h"
#include "platform/ui/KeyState.h"
#include "platform/ui/StdCtrls.h"

#include <string>
#include <utility>
#include <vector>

namespace {

bool Down(int vk) {
  return GetKeyState(vk) < 0;
}

// An edit that logs the messages it sees: key and character messages with their keypad flag,
// focus messages with the control at the other end.
class TLogEdit : public TEdit {
public:
  using TEdit::TEdit;
  std::vector<std::string>* Log = nullptr;
  void WndProc(TMessage& M) override {
    auto peer = [&M] { return FocusPeer(M) ? FocusPeer(M)->Name() : std::string("none"); };
    if (Log) {
      if (M.Msg == WM_CHAR)
        Log->push_back(std::string("char ") + static_cast<char>(M.WParam) +
                       (IsKeypadKey(M.LParam) ? " keypad" : ""));
      else if (M.Msg == WM_KEYDOWN)
        Log->push_back("down " + std::to_string(M.WParam) + (IsKeypadKey(M.LParam) ? " keypad" : ""));
      else if (M.Msg == WM_SETFOCUS)
        Log->push_back(Name() + " got focus from " + peer());
      else if (M.Msg == WM_KILLFOCUS)
        Log->push_back(Name() + " lost focus to " + peer());
    }
    TEdit::WndProc(M);
  }
};

class InputTest : public TUiTest {
protected:
  void SetUp() override {
    TUiTest::SetUp();
    Form.reset(new TForm(nullptr));
    Form->SetName("FInput");
    Form->SetClientWidth(300);
    Form->SetClientHeight(200);
    for (const char* name : {"E_First", "E_Second"}) {
      auto* e = new TLogEdit(Form.get());
      e->SetName(name);
      e->SetParent(Form.get());
      e->SetBounds(10, static_cast<int>(Edits.size()) * 30 + 10, 120, 21);
      e->Log = &Log;
      Edits.push_back(e);
    }
    Form->Show();
    Application->ProcessMessages();
    Log.clear();
  }
  void TearDown() override {
    Form.reset();
    TUiTest::TearDown();
  }

  TOwned<TForm> Form;
  std::vector<TLogEdit*> Edits;
  std::vector<std::string> Log;
};

TEST_F(InputTest, HeldKeysReadAsDownAndTravelWithTheEvents) {
  struct Case {
    std::uint16_t held;
    TShiftState shift; // what a key event carries meanwhile
    std::vector<int> down, up;
  };
  const Case cases[] = {
      {VK_SHIFT, ssShift, {VK_SHIFT, VK_LSHIFT}, {VK_CONTROL, VK_MENU}},
      {VK_CONTROL, ssCtrl, {VK_CONTROL, VK_RCONTROL}, {VK_SHIFT, VK_MENU}},
      {VK_LMENU, ssAlt, {VK_MENU, VK_LMENU}, {VK_RMENU, VK_SHIFT}},
      {VK_MENU, ssAlt, {VK_MENU, VK_LMENU}, {VK_RMENU}},
      // AltGr: a right Alt, which events do not count as Alt.
      {VK_RMENU, 0, {VK_MENU, VK_RMENU}, {VK_LMENU, VK_CONTROL}},
  };
  TLogEdit& edit = *Edits[0];
  for (const Case& c : cases) {
    SCOPED_TRACE(c.held);
    TShiftState seen = ~0u;
    bool downInHandler = false;
    edit.OnKeyDown = [&](TObject*, std::uint16_t&, TShiftState shift) {
      seen = shift;
      downInHandler = Down(c.down.front());
    };
    {
      Headless::THeldKeys hold{c.held};
      for (int vk : c.down)
        EXPECT_TRUE(Down(vk)) << vk;
      for (int vk : c.up)
        EXPECT_FALSE(Down(vk)) << vk;
      Headless::PressKey(edit, 'Q');
      EXPECT_EQ(seen, c.shift);
      EXPECT_TRUE(downInHandler);
      for (int vk : c.down)
        EXPECT_TRUE(Down(vk)) << "still held after the key went up: " << vk;
    }
    for (int vk : c.down)
      EXPECT_FALSE(Down(vk)) << "let go with the scope: " << vk;
    edit.OnKeyDown = nullptr;
  }
  // The handler reads the loop's locals; the keys below must not reach it.
  edit.OnKeyDown = nullptr;

  // A shift given to one key alone is not left held behind it; nested scopes hold until the last.
  Headless::PressKey(edit, 'Q', ssShift | ssCtrl);
  EXPECT_FALSE(Down(VK_SHIFT));
  EXPECT_FALSE(Down(VK_CONTROL));
  {
    Headless::THeldKeys outer{VK_CONTROL};
    { Headless::THeldKeys inner{VK_CONTROL, VK_SHIFT}; }
    EXPECT_TRUE(Down(VK_CONTROL));
    EXPECT_FALSE(Down(VK_SHIFT));
  }
  EXPECT_FALSE(Down(VK_CONTROL));
}

TEST_F(InputTest, MouseButtonsReadAsDownWhileHeld) {
  TLogEdit& edit = *Edits[1];
  std::vector<std::pair<bool, bool>> during; // left, right as the handlers read them
  edit.OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) {
    during.push_back({Down(VK_LBUTTON), Down(VK_RBUTTON)});
  };
  Headless::MouseDown(edit, {5, 5}, mbRight);
  EXPECT_TRUE(Down(VK_RBUTTON));
  Headless::MouseDown(edit, {5, 5}, mbLeft);
  Headless::MouseUp(edit, {5, 5}, mbLeft);
  Headless::MouseUp(edit, {5, 5}, mbRight);
  EXPECT_FALSE(Down(VK_LBUTTON));
  EXPECT_FALSE(Down(VK_RBUTTON));
  EXPECT_EQ(during, (std::vector<std::pair<bool, bool>>{{false, true}, {true, true}}));
}

TEST_F(InputTest, KeypadDecimalIsToldFromTheMainKeyboards) {
  TLogEdit& edit = *Edits[0];
  std::vector<TShiftState> shifts;
  edit.OnKeyDown = [&](TObject*, std::uint16_t&, TShiftState shift) { shifts.push_back(shift); };
  Headless::PressKey(edit, VK_DECIMAL);
  Headless::PressKey(edit, VK_OEM_PERIOD);
  Headless::TypeText(edit, ".");
  Headless::PressKey(edit, VK_NUMPAD7);
  EXPECT_EQ(Log, (std::vector<std::string>{"down 110 keypad", "char . keypad", "down 190", "char .",
                                           "down 190", "char .", "down 103 keypad", "char 7 keypad"}));
  EXPECT_EQ(shifts, (std::vector<TShiftState>{0, 0, 0, 0})) << "the keypad flag is no shift state";
  EXPECT_EQ(edit.Text(), "...7") << "both periods type a period";
}

TEST_F(InputTest, FocusMessagesNameTheControlAtTheOtherEnd) {
  Edits[0]->OnExit = [&](TObject*) { Log.push_back("exit"); };
  Edits[1]->OnEnter = [&](TObject*) { Log.push_back("enter"); };
  Edits[0]->SetFocus();
  Log.clear();
  Headless::Click(*Edits[1]);
  EXPECT_EQ(Log, (std::vector<std::string>{"E_First lost focus to E_Second", "exit", "enter",
                                           "E_Second got focus from E_First"}));
}

// A grid whose editor logs its focus messages, and whose cells have hints of their own.
class TLogEditor : public TInplaceEdit {
public:
  using TInplaceEdit::TInplaceEdit;
  std::vector<std::string>* Log = nullptr;
  void WndProc(TMessage& M) override {
    if (Log && (M.Msg == WM_SETFOCUS || M.Msg == WM_KILLFOCUS))
      Log->push_back(std::string(M.Msg == WM_SETFOCUS ? "editor got focus from " : "editor lost focus to ") +
                     (FocusPeer(M) ? FocusPeer(M)->Name() : "none"));
    TInplaceEdit::WndProc(M);
  }
};

class THintGrid : public TStringGrid {
public:
  using TStringGrid::TStringGrid;
  std::vector<std::string>* Log = nullptr;
  int HintRequests = 0;

protected:
  TInplaceEdit* CreateEditor() override {
    auto* e = new TLogEditor(this);
    e->Log = Log;
    return e;
  }
  void CMHintShow(TMessage& M) override {
    auto* info = reinterpret_cast<THintInfo*>(M.LParam);
    ++HintRequests;
    TGridCoord cell = MouseToCell(info->CursorPos.X, info->CursorPos.Y);
    if (cell.X < 0) {
      M.Result = 1;
      return;
    }
    info->HintStr = "cell " + std::to_string(cell.X) + "," + std::to_string(cell.Y);
    info->CursorRect = CellRect(cell.X, cell.Y);
    M.Result = 0;
  }
};

class GridInputTest : public InputTest {
protected:
  void SetUp() override {
    InputTest::SetUp();
    Grid = new THintGrid(Form.get());
    Grid->SetName("Grid");
    Grid->Log = &Log;
    Grid->SetParent(Form.get());
    Grid->SetBounds(140, 10, 150, 150);
    Grid->SetColCount(4);
    Grid->SetRowCount(5);
    Grid->SetOptions(Grid->Options() | goEditing);
    Grid->SetShowHint(true);
    Application->ProcessMessages();
  }
  TPoint Inside(int c, int r, int dx = 3) const {
    TRect rect = Grid->CellRect(c, r);
    return {rect.Left + dx, rect.Top + 3};
  }
  THintGrid* Grid = nullptr;
};

TEST_F(GridInputTest, EditorAndGridTellEachOtherWhereTheFocusWent) {
  Grid->SetFocus();
  Log.clear();
  Headless::PressKey(*Grid, VK_F2);
  ASSERT_TRUE(Grid->InplaceEditor() && Grid->InplaceEditor()->Focused());
  Headless::PressKey(*Grid->InplaceEditor(), VK_ESCAPE);
  EXPECT_TRUE(Grid->Focused());
  EXPECT_EQ(Log, (std::vector<std::string>{"editor got focus from Grid", "editor lost focus to Grid"}));

  // Leaving the grid altogether: the editor hears of the edit box that took the focus.
  Headless::PressKey(*Grid, VK_F2);
  Log.clear();
  Headless::Click(*Edits[0]);
  ASSERT_FALSE(Log.empty());
  EXPECT_EQ(Log.front(), "editor lost focus to E_First");
}

TEST_F(GridInputTest, AHintStaysInsideItsCellAndChangesCellByCell) {
  EXPECT_EQ(Headless::HintAt(*Grid, Inside(1, 1)), "cell 1,1");
  int asked = Grid->HintRequests;
  EXPECT_EQ(Headless::HintAt(*Grid, Inside(1, 1, 20)), "cell 1,1");
  EXPECT_EQ(Grid->HintRequests, asked) << "moving inside the cell keeps the hint shown";
  EXPECT_EQ(Headless::HintAt(*Grid, Inside(2, 1)), "cell 2,1");
  EXPECT_EQ(Headless::HintAt(*Grid, Inside(2, 3)), "cell 2,3");
  Headless::MouseLeave();
  EXPECT_EQ(Headless::ShownHint(), "");

  // A control without parts keeps one hint over all of it.
  Edits[0]->SetHint("First box|Longer help");
  Edits[0]->SetShowHint(true);
  EXPECT_EQ(Headless::HintAt(*Edits[0], {2, 2}), "First box");
  EXPECT_EQ(Headless::HintAt(*Edits[0], {100, 15}), "First box");
  Edits[0]->SetShowHint(false);
  Headless::MouseLeave();
  EXPECT_EQ(Headless::HintAt(*Edits[0], {2, 2}), "");
}

// A control that takes the wheel in its WndProc before any handler sees it.
class TWheelProbe : public TCustomControl {
public:
  using TCustomControl::TCustomControl;
  bool Swallow = false;
  std::vector<int> Deltas;
  void WndProc(TMessage& M) override {
    if (M.Msg == WM_MOUSEWHEEL) {
      Deltas.push_back(static_cast<std::int16_t>(M.WParam >> 16));
      if (Swallow) {
        M.Result = 1;
        return;
      }
    }
    TCustomControl::WndProc(M);
  }
};

TEST_F(InputTest, TheWheelPassesThroughWndProc) {
  auto* probe = new TWheelProbe(Form.get());
  probe->SetParent(Form.get());
  probe->SetBounds(150, 10, 100, 100);
  int handled = 0;
  probe->OnMouseWheel = [&](TObject*, TShiftState, int, TPoint, bool& h) {
    ++handled;
    h = true;
  };
  Headless::MouseWheel(*probe, {10, 10}, -120);
  probe->Swallow = true;
  Headless::MouseWheel(*probe, {10, 10}, 240);
  EXPECT_EQ(probe->Deltas, (std::vector<int>{-120, 240}));
  EXPECT_EQ(handled, 1) << "a WndProc that takes the wheel keeps it from the handler";
}

} // namespace

namespace {

TEST_F(InputTest, ADialogTakesTheFocusFromAnotherFormsControlAndGivesItBack) {
  Edits[0]->SetFocus();
  Log.clear();
  TOwned<TForm> dialog(new TForm(nullptr));
  dialog->SetName("FDialog");
  auto* field = new TLogEdit(dialog.get());
  field->SetName("E_Dialog");
  field->SetParent(dialog.get());
  field->Log = &Log;
  Headless::OnNextModal([&](TForm& f) {
    Log.push_back("dialog shows");
    f.SetModalResult(mrOk);
  });
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_EQ(Log, (std::vector<std::string>{
                     "E_First lost focus to E_Dialog", "E_Dialog got focus from E_First", "dialog shows",
                     "E_Dialog lost focus to E_First", "E_First got focus from E_Dialog"}));
  EXPECT_TRUE(Edits[0]->Focused());
}

} // namespace
