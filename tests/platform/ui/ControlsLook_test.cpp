// How the standard controls look and behave where a user notices it: TABs in list items, disabled
// and read-only controls, the focus mark, scrolling the focused control into view, the end of the
// mouse-over when a control goes away, and text pasted into an edit box.
#include "support/UiTestFixture.h"

#include "platform/ui/Application.h"
#include "platform/ui/CategoryPanels.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/Headless.h"
#include "platform/ui/StdCtrls.h"
#include "support/ControlPicture.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

bool IsInk(TColor c) {
  c = ColorToRGB(c);
  return GetRValue(c) < 128 && GetGValue(c) < 128 && GetBValue(c) < 128;
}

int Darkest(const TBitmap& b, const TRect& r) {
  int darkest = 255;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) {
      TColor c = ColorToRGB(b.Pixel(x, y));
      darkest = std::min({darkest, int(GetRValue(c)), int(GetGValue(c)), int(GetBValue(c))});
    }
  return darkest;
}

// The columns of `r` that hold ink on any of its rows, in order.
std::vector<int> InkColumns(const TBitmap& b, const TRect& r) {
  std::vector<int> columns;
  for (int x = r.Left; x < r.Right; ++x)
    for (int y = r.Top; y < r.Bottom; ++y)
      if (IsInk(b.Pixel(x, y))) {
        columns.push_back(x);
        break;
      }
  return columns;
}

// The first ink column after a blank run of at least `gap` columns; -1 when there is none.
int InkAfterGap(const std::vector<int>& columns, int gap) {
  for (std::size_t i = 1; i < columns.size(); ++i)
    if (columns[i] - columns[i - 1] > gap) return columns[i];
  return -1;
}

class ControlsLookTest : public TUiTest {
protected:
  void SetUp() override {
    TUiTest::SetUp();
    Form.reset(NewForm<TForm>(nullptr));
    Form->SetName("FLook");
    Form->SetClientWidth(460);
    Form->SetClientHeight(300);
    Form->SetColor(clWhite);
    Form->Font().SetName("DejaVu Sans");
    Form->Font().SetHeight(-11);
  }
  template <class T> T* Add(const std::string& name, TRect bounds, TWinControl* parent = nullptr) {
    auto* c = new T(Form.get());
    c->SetName(name);
    c->SetParent(parent ? parent : Form.get());
    c->SetBoundsRect(bounds);
    return c;
  }
  TBitmap Render() { return RenderPicture(*Form); }
  // The control's place in the rendered form.
  TRect Place(const TControl& c) const {
    TPoint at = c.ClientOrigin();
    TPoint origin = Form->ClientOrigin();
    return Bounds(at.X - origin.X, at.Y - origin.Y, c.Width(), c.Height());
  }

  TOwned<TForm> Form;
};

// The band lists of the radio settings hold TABs between number and description.
const std::vector<std::string> Tabbed_Items = {
    "0\t- LoRa: SF12/125kHz 250 [bit/s]",
    "12\t- LoRa: SF11/125kHz 440 [bit/s]",
    "7 -\tFSK: 50kbps 50000 [bit/s]",
};

TEST_F(ControlsLookTest, ListItemsExpandTheirTabsToTabStopsAndTheOpenListFitsTheLongest) {
  auto* combo = Add<TComboBox>("CB_DataRate", Bounds(10, 10, 238, 22));
  combo->SetStyle(csDropDownList);
  combo->Items().Assign(Tabbed_Items);
  const int dropped = static_cast<int>(combo->Perform(CB_GETDROPPEDWIDTH));
  EXPECT_GT(dropped, combo->Width()) << "the longest item needs more than the box";

  // A list as wide as the open list: each row's text starts at the tab stop and ends inside.
  auto* list = Add<TListBox>("LB_DataRate", Bounds(10, 60, dropped, 80));
  list->Items().Assign(Tabbed_Items);
  Form->Show();
  TBitmap picture = Render();
  const TRect box = Place(*list);
  const int rowHeight = list->ItemHeight();
  std::vector<int> starts, stops;
  for (int row = 0; row < 3; ++row) {
    SCOPED_TRACE(Tabbed_Items[static_cast<std::size_t>(row)]);
    const TRect line =
        Rect(box.Left + 1, box.Top + 1 + row * rowHeight, box.Right - 1, box.Top + (row + 1) * rowHeight);
    std::vector<int> ink = InkColumns(picture, line);
    ASSERT_FALSE(ink.empty());
    EXPECT_LT(ink.back(), box.Right - 3) << "the text ends inside the list, not cut at its edge";
    starts.push_back(ink.front());
    stops.push_back(InkAfterGap(ink, 6));
  }
  EXPECT_EQ(stops[0], stops[1]) << "one and two digits reach the same tab stop";
  EXPECT_EQ(stops[2], stops[0]) << "so does \"7 -\"";
  EXPECT_LT(stops[0] - starts[0], 80) << "stops lie eight average characters apart, not 80 pixels";

  // The closed box expands them the same way.
  combo->SetItemIndex(0);
  list->SetFocus();
  picture = Render();
  const TRect field = Place(*combo);
  std::vector<int> ink =
      InkColumns(picture, Rect(field.Left + 2, field.Top + 4, field.Left + 150, field.Bottom - 4));
  ASSERT_FALSE(ink.empty());
  EXPECT_NEAR(InkAfterGap(ink, 6) - ink.front(), stops[0] - starts[0], 1);
}

TEST_F(ControlsLookTest, DisabledControlsWriteGreyAndBoxesTheUserCannotChangeStandOnTheButtonFace) {
  auto* enabled = Add<TCheckBox>("CB_Enabled", Bounds(10, 10, 300, 17));
  auto* disabled = Add<TCheckBox>("CB_Disabled", Bounds(10, 40, 300, 17));
  auto* label = Add<TLabel>("L_Disabled", Bounds(10, 70, 100, 17));
  auto* edit = Add<TEdit>("E_Edit", Bounds(10, 100, 120, 21));
  auto* readOnly = Add<TEdit>("E_ReadOnly", Bounds(10, 130, 120, 21));
  auto* greyed = Add<TEdit>("E_Disabled", Bounds(10, 160, 120, 21));
  auto* coloured = Add<TEdit>("E_Coloured", Bounds(10, 190, 120, 21));
  auto* list = Add<TComboBox>("CB_List", Bounds(200, 100, 120, 22));
  enabled->SetCaption("Obtain an IP Address Automatically");
  disabled->SetCaption("Obtain an IP Address Automatically");
  disabled->SetEnabled(false);
  label->SetCaption("Primary DNS");
  label->SetEnabled(false);
  readOnly->SetReadOnly(true);
  greyed->SetEnabled(false);
  coloured->SetColor(clYellow);
  coloured->SetReadOnly(true);
  list->SetStyle(csDropDownList);
  list->Items().Assign({"Private", "Public"});
  list->SetItemIndex(0);
  list->SetEnabled(false);
  Form->Show();
  edit->SetFocus();
  TBitmap picture = Render();

  auto caption = [&](TControl& c) {
    const TRect r = Place(c);
    return Rect(r.Left + 18, r.Top, r.Right, r.Bottom);
  };
  EXPECT_LT(Darkest(picture, caption(*enabled)), 60) << "an enabled caption is black";
  EXPECT_GT(Darkest(picture, caption(*disabled)), 90) << "a disabled caption is grey";
  EXPECT_GT(Darkest(picture, Place(*label)), 90);
  EXPECT_GT(Darkest(picture, Place(*list)), 90) << "a disabled list's text and arrow";

  // A point inside each box, away from its frame and text.
  auto inside = [&](TControl& c) {
    const TRect r = Place(c);
    return ColorToRGB(picture.Pixel(r.Right - 12, r.Top + r.Height() / 2));
  };
  EXPECT_EQ(inside(*edit), RGB(255, 255, 255));
  EXPECT_EQ(inside(*readOnly), ColorToRGB(clBtnFace));
  EXPECT_EQ(inside(*greyed), ColorToRGB(clBtnFace));
  EXPECT_EQ(inside(*coloured), RGB(255, 255, 0)) << "a colour of its own is kept";

  // Enabled again, the look comes back.
  readOnly->SetReadOnly(false);
  disabled->SetEnabled(true);
  picture = Render();
  EXPECT_EQ(inside(*readOnly), RGB(255, 255, 255));
  EXPECT_LT(Darkest(picture, caption(*disabled)), 60);
}

TEST_F(ControlsLookTest, ListsAndCheckBoxesShowTheFocus) {
  auto* edit = Add<TEdit>("E_Name", Bounds(10, 10, 120, 21));
  auto* list = Add<TComboBox>("CB_Band", Bounds(10, 40, 160, 22));
  auto* check = Add<TCheckBox>("CB_DNS", Bounds(10, 80, 200, 17));
  list->SetStyle(csDropDownList);
  list->Items().Assign({"AS923", "EU868"});
  list->SetItemIndex(0);
  check->SetCaption("Enable DNS");
  Form->Show();
  edit->SetFocus();
  const TBitmap unfocused = Render();

  list->SetFocus();
  TBitmap picture = Render();
  const TRect box = Place(*list);
  const TPoint blank{box.Left + box.Width() / 2, box.Top + box.Height() / 2};
  EXPECT_EQ(ColorToRGB(picture.Pixel(blank.X, blank.Y)), ColorToRGB(clHighlight))
      << "the focused list's text field";
  EXPECT_NE(ColorToRGB(unfocused.Pixel(blank.X, blank.Y)), ColorToRGB(clHighlight));

  check->SetFocus();
  picture = Render();
  const TRect r = Place(*check);
  int changed = 0;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left + 16; x < r.Right; ++x)
      if (picture.Pixel(x, y) != unfocused.Pixel(x, y)) ++changed;
  EXPECT_GT(changed, 40) << "a frame around the caption marks the focus";
}

TEST_F(ControlsLookTest, TheFocusedControlOfAPanelGroupIsScrolledIntoView) {
  auto* group = Add<TCategoryPanelGroup>("CPG", Bounds(0, 0, 460, 300));
  std::vector<TEdit*> edits;
  for (int i = 0; i < 3; ++i) {
    auto* panel = new TCategoryPanel(Form.get());
    panel->SetName("CP" + std::to_string(i));
    panel->SetPanelGroup(group);
    panel->SetHeight(200);
    edits.push_back(Add<TEdit>("E" + std::to_string(i), Bounds(191, 140, 238, 21), panel));
  }
  Form->Show();
  edits[0]->SetFocus();
  EXPECT_EQ(group->VertScrollPosition(), 0);
  auto inView = [&](TEdit* e) {
    const int top = e->ClientOrigin().Y - group->ClientOrigin().Y;
    return top >= 0 && top + e->Height() <= group->ClientHeight();
  };
  ASSERT_FALSE(inView(edits[2]));

  // Tab, as the user would, to the boxes below the view.
  for (TEdit* next : {edits[1], edits[2]}) {
    Headless::PressKey(*Form->ActiveControl(), VK_TAB);
    ASSERT_EQ(Form->ActiveControl(), next);
    EXPECT_TRUE(inView(next)) << next->Name();
  }
  const TBitmap picture = Render();
  const TRect r = Place(*edits[2]);
  EXPECT_EQ(ColorToRGB(picture.Pixel(r.Right - 10, r.Top + r.Height() / 2)), RGB(255, 255, 255))
      << "the box shows in the picture";

  // Back up with Shift+Tab; a box already in view does not move the group.
  Headless::PressKey(*edits[2], VK_TAB, ssShift);
  EXPECT_TRUE(inView(edits[1]));
  const int position = group->VertScrollPosition();
  Headless::PressKey(*edits[1], VK_TAB);
  EXPECT_TRUE(inView(edits[2]));
  Headless::PressKey(*edits[2], VK_TAB, ssShift);
  EXPECT_EQ(group->VertScrollPosition(), position);
}

TEST_F(ControlsLookTest, AControlThatIsHiddenOrDisabledLeavesItsMouseOver) {
  auto* edit = Add<TEdit>("E_Name", Bounds(10, 10, 120, 21));
  std::vector<std::string> log;
  edit->OnMouseEnter = [&log](TObject*) { log.push_back("enter"); };
  edit->OnMouseLeave = [&log](TObject*) { log.push_back("leave"); };
  struct TCase {
    const char* Name;
    std::function<void()> Away, Back;
  };
  const TCase cases[] = {
      {"the window hides", [&] { Form->Hide(); }, [&] { Form->Show(); }},
      {"the box is disabled", [&] { edit->SetEnabled(false); }, [&] { edit->SetEnabled(true); }},
      {"the box hides", [&] { edit->Hide(); }, [&] { edit->Show(); }},
  };
  Form->Show();
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    log.clear();
    Headless::MouseMove(*edit, {5, 5});
    c.Away();
    c.Back();
    Headless::MouseLeave(); // the real mouse leaving later is no second leave
    EXPECT_EQ(log, (std::vector<std::string>{"enter", "leave"}));
  }
}

TEST_F(ControlsLookTest, PastedTextGoesThroughTheKeyFilterAndTheLetterCase) {
  auto* key = Add<TEdit>("E_Key", Bounds(10, 10, 238, 21));
  key->SetMaxLength(8);
  key->SetCharCase(ecUpperCase);
  std::vector<WideChar> seen;
  key->OnKeyPress = [&seen](TObject*, WideChar& ch) {
    seen.push_back(ch);
    const bool hex = (ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'f') || (ch >= 'A' && ch <= 'F');
    if (!hex && ch > 32) ch = 0;
  };
  Form->Show();
  struct TCase {
    const char* Name;
    std::string Before, Clipboard, After;
  };
  const TCase cases[] = {
      {"small letters become capitals", "", "26011bda", "26011BDA"},
      {"other characters are dropped", "", "26-01:1b.da", "26011BDA"},
      {"into the text at the caret", "AB", "c-d", "ABCD"},
      {"over the limit what fits is pasted", "ABCD", "1-2-3-4-5-6", "ABCD1234"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    key->SetText(c.Before);
    key->SetFocus();
    key->SetSelStart(static_cast<int>(c.Before.size()));
    Clipboard()->SetAsText(c.Clipboard);
    key->PasteFromClipboard();
    EXPECT_EQ(key->Text(), c.After);
  }

  // Ctrl+V is the same paste; typed characters meet the filter once, text set by code never.
  key->SetText("");
  seen.clear();
  Clipboard()->SetAsText("ab");
  Headless::PressKey(*key, 'V', ssCtrl);
  EXPECT_EQ(key->Text(), "AB");
  Headless::TypeText(*key, "c");
  EXPECT_EQ(key->Text(), "ABC");
  EXPECT_EQ(seen, (std::vector<WideChar>{'a', 'b', 22, 'c'})) << "Ctrl+V types its control character too";
  key->SetText("zz-z");
  EXPECT_EQ(key->Text(), "zz-z");
}

// A box with an edit part makes it late (most boxes become lists at once); what was set before the
// window showed still holds, and the user types into it.
TEST_F(ControlsLookTest, AnEditableBoxShownLateTakesTypingWithinItsLimitAndKeepsEarlierSettings) {
  auto* typed = Add<TComboBox>("CB_Host", Bounds(10, 10, 160, 22));
  typed->SetMaxLength(5);
  int changes = 0;
  typed->OnChange = [&](TObject*) { ++changes; };
  auto* preset = Add<TComboBox>("CB_Port", Bounds(10, 40, 160, 22));
  preset->Items().Assign(std::vector<std::string>{"502", "503"});
  preset->SetText("8080");
  EXPECT_EQ(typed->Text(), "");
  Form->Show();

  ASSERT_TRUE(Headless::TypeText(*typed, "gateway"));
  EXPECT_EQ(typed->Text(), "gatew") << "the limit set before the edit part was made holds";
  EXPECT_EQ(changes, 5);
  EXPECT_EQ(preset->Text(), "8080");
  ASSERT_TRUE(Headless::TypeText(*preset, "1"));
  EXPECT_EQ(preset->Text(), "80801");
}

// An auto-sized label keeps the size of its text in its font through every change, whichever
// order they come in; a change of colour or place alone leaves the size.
TEST_F(ControlsLookTest, AnAutoSizedLabelFollowsItsTextAndFontButNotItsColourOrPlace) {
  auto* label = Add<TLabel>("L_Port", Bounds(10, 10, 5, 5));
  label->SetCaption("Port");
  const TPoint plain{label->Width(), label->Height()};
  ASSERT_GT(plain.X, 5);
  enum TExpect { Same, Larger, Plain, Wider };
  struct TStep {
    const char* What;
    std::function<void()> Do;
    TExpect Expect;
  };
  TPoint before = plain;
  const TStep steps[] = {
      {"colour", [&] { label->Font().SetColor(clRed); }, Same},
      {"larger font", [&] { label->Font().SetHeight(-16); }, Larger},
      {"font back", [&] { label->Font().SetHeight(-11); }, Plain},
      {"longer text", [&] { label->SetCaption("Port number"); }, Wider},
      {"text back", [&] { label->SetCaption("Port"); }, Plain},
      {"moved", [&] { label->SetLeft(40); }, Same},
      {"squeezed, then recoloured",
       [&] {
         label->SetWidth(2);
         label->Font().SetColor(clBlue);
       },
       Plain},
      {"bold", [&] { label->Font().SetStyle(fsBold); }, Wider},
      {"not bold", [&] { label->Font().SetStyle(0); }, Plain},
  };
  for (const TStep& step : steps) {
    step.Do();
    const TPoint now{label->Width(), label->Height()};
    switch (step.Expect) {
    case Same:
      EXPECT_EQ(now, before) << step.What;
      break;
    case Larger:
      EXPECT_GT(now.X, before.X) << step.What;
      EXPECT_GT(now.Y, before.Y) << step.What;
      break;
    case Plain:
      EXPECT_EQ(now, plain) << step.What;
      break;
    case Wider:
      EXPECT_GT(now.X, before.X) << step.What;
      EXPECT_EQ(now.Y, before.Y) << step.What;
      break;
    }
    before = now;
  }
}

// The columns and rows of `r` that hold ink: its bounding box (empty when there is none).
TRect InkBox(const TBitmap& b, const TRect& r) {
  TRect box{r.Right, r.Bottom, r.Left, r.Top};
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x)
      if (IsInk(b.Pixel(x, y)))
        box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
               std::max(box.Bottom, y + 1)};
  return box.Left < box.Right ? box : TRect{};
}

// A label sized to its lines and then given a larger box draws them as a block where its
// alignment and layout put it, each line aligned within the block; a box too low for the block
// cuts it, and at the bottom shows the line that filled the box, not the last one.
TEST_F(ControlsLookTest, ALabelsLinesStandWhereItsAlignmentAndLayoutPutThem) {
  struct TCase {
    TAlignment Align;
    TTextLayout Layout;
  };
  const TCase cases[] = {{taLeftJustify, tlTop},  {taCenter, tlCenter},      {taRightJustify, tlBottom},
                         {taRightJustify, tlTop}, {taLeftJustify, tlBottom}, {taCenter, tlTop}};
  Form->Show();
  int k = 0;
  for (const TCase& c : cases) {
    SCOPED_TRACE(k);
    auto* label = Add<TLabel>("L_Block" + std::to_string(k++), Bounds(10, 10, 5, 5));
    label->SetAlignment(c.Align);
    label->SetLayout(c.Layout);
    label->SetCaption("Port\nnumber");
    const int lineHeight = label->Height() / 2;
    label->SetBounds(10, 10, 160, 80);
    TBitmap picture = Render();
    const TRect box = Place(*label);
    const TRect ink = InkBox(picture, box);
    ASSERT_FALSE(ink.IsEmpty());
    const int left = ink.Left - box.Left, right = box.Right - ink.Right;
    const int top = ink.Top - box.Top, bottom = box.Bottom - ink.Bottom;
    if (c.Align == taLeftJustify) {
      EXPECT_LE(left, 2);
    }
    if (c.Align == taRightJustify) {
      EXPECT_LE(right, 3);
    }
    if (c.Align == taCenter) {
      EXPECT_NEAR(left, right, 2);
    }
    if (c.Layout == tlTop) {
      EXPECT_LE(top, 4);
    }
    if (c.Layout == tlBottom) {
      EXPECT_LE(bottom, 5);
    }
    if (c.Layout == tlCenter) {
      EXPECT_NEAR(top, bottom, 4);
    }
    // The short first line within the block.
    const TRect first = InkBox(picture, Rect(box.Left, ink.Top, box.Right, ink.Top + lineHeight - 3));
    const TRect second = InkBox(picture, Rect(box.Left, ink.Top + lineHeight, box.Right, box.Bottom));
    ASSERT_FALSE(first.IsEmpty());
    ASSERT_FALSE(second.IsEmpty());
    EXPECT_LT(first.Width(), second.Width() - 10);
    if (c.Align == taLeftJustify) {
      EXPECT_NEAR(first.Left, second.Left, 1);
    }
    if (c.Align == taRightJustify) {
      EXPECT_NEAR(first.Right, second.Right, 1);
    }
    if (c.Align == taCenter) {
      EXPECT_NEAR(first.Left + first.Right, second.Left + second.Right, 3);
    }
    label->Hide();
  }

  // Three lines in a box of one and a half, at the bottom: the wide second line fills the box
  // and ends the block; the narrow third is not drawn.
  auto* cut = Add<TLabel>("L_Cut", Bounds(10, 10, 5, 5));
  cut->SetLayout(tlBottom);
  cut->SetCaption("i\nWWWWWWWW\ni");
  const int lineHeight = cut->Height() / 3;
  cut->SetBounds(10, 120, 160, lineHeight + lineHeight / 2);
  TBitmap picture = Render();
  const TRect box = Place(*cut);
  const TRect lowest = InkBox(picture, Rect(box.Left, box.Bottom - lineHeight / 2, box.Right, box.Bottom));
  EXPECT_GT(lowest.Width(), 40) << "the box's lowest rows show the wide line";
}

} // namespace

// The box of the pixels of `r` near `color` (smoothed text has its core in the colour); empty
// when there are none.
TRect ColourBox(const TBitmap& b, const TRect& r, TColor color) {
  color = ColorToRGB(color);
  auto near = [](unsigned x, unsigned y) { return std::abs(int(x) - int(y)) < 60; };
  TRect box{r.Right, r.Bottom, r.Left, r.Top};
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) {
      TColor c = ColorToRGB(b.Pixel(x, y));
      if (near(GetRValue(c), GetRValue(color)) && near(GetGValue(c), GetGValue(color)) &&
          near(GetBValue(c), GetBValue(color)))
        box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
               std::max(box.Bottom, y + 1)};
    }
  return box.Left < box.Right ? box : TRect{};
}

// A label whose colours and font are those of its window, set as its own or taken from the
// window, looks the same; once the window changes its own, the first keeps its look and the
// second follows the window's.
TEST_F(ControlsLookTest, ALabelWithItsWindowsLookKeepsItsOwnWhenTheWindowChanges) {
  Form->Font().SetColor(clBlack);
  struct TCase {
    const char* Name;
    bool Own;
  };
  const TCase cases[] = {{"L_Own", true}, {"L_Window", false}};
  std::vector<TLabel*> labels;
  int top = 10;
  for (const TCase& c : cases) {
    auto* label = Add<TLabel>(c.Name, Bounds(10, top, 5, 5));
    label->SetCaption("Marked WWW");
    if (c.Own) {
      label->SetColor(clWhite);
      label->SetParentFont(false);
    }
    labels.push_back(label);
    top += 60;
  }
  Form->Show();
  TBitmap before = Render();
  std::vector<TRect> inkBefore;
  for (TLabel* label : labels) {
    inkBefore.push_back(InkBox(before, Place(*label)));
    ASSERT_FALSE(inkBefore.back().IsEmpty()) << label->Name();
  }

  Form->SetColor(clYellow);
  Form->Font().SetColor(clRed);
  Form->Font().SetHeight(-20);
  TBitmap after = Render();
  for (std::size_t i = 0; i < labels.size(); ++i) {
    SCOPED_TRACE(cases[i].Name);
    const TRect box = Place(*labels[i]);
    if (cases[i].Own) {
      EXPECT_EQ(ColorToRGB(after.Pixel(box.Left, box.Top)), ColorToRGB(clWhite));
      EXPECT_EQ(InkBox(after, box), inkBefore[i]);
      EXPECT_TRUE(ColourBox(after, box, clRed).IsEmpty());
    } else {
      EXPECT_EQ(ColorToRGB(after.Pixel(box.Left, box.Top)), ColorToRGB(clYellow));
      const TRect red = ColourBox(after, box, clRed);
      EXPECT_GT(red.Height(), inkBefore[i].Height() + 4);
      EXPECT_TRUE(InkBox(after, box).IsEmpty());
    }
  }
}
