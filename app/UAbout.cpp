#include "app/UAbout.h"

#include "app/UComon.h"
#include "app/UVelmariceFirmWareLook.h"
#include "app/UVersionCheck.h"
#include "platform/Http.h"
#include "platform/Process.h"

namespace {

constexpr TColor About_Text_Color = RGB(51, 51, 51);

} // namespace

TBitmap Maker_Logo() {
  constexpr int S = 81;
  TBitmap logo(S, S);
  TCanvas& c = logo.Canvas();
  c.Brush().SetColor(Shell_Back_Color);
  c.FillRect(Rect(0, 0, S, S));
  // An orange ring round a grey "O".
  c.Pen().SetColor(Shell_Down_Color);
  c.Pen().SetWidth(6);
  c.Brush().SetStyle(bsClear);
  c.Ellipse(6, 6, S - 6, S - 6);
  c.Pen().SetColor(Shell_Grey);
  c.Pen().SetWidth(8);
  c.Ellipse(22, 22, S - 22, S - 22);
  return logo;
}

TFAbout::TFAbout(TComponent* AOwner) : TForm(AOwner) {
  SetName("FAbout");
  Shell_Form_Look(*this);
  SetCaption("About");
  Font().SetColor(About_Text_Color);
  SetClientWidth(425);
  SetClientHeight(148);

  Image2 = Make_Control<TImage>(*this, this, "Image2");
  Image2->SetBounds(32, 24, 81, 81);
  Image2->SetStretch(true);
  Image2->SetCursor(crHandPoint);

  auto label = [this](const char* name, int left, int top, const std::string& text) {
    TLabel* l = Make_Label(*this, this, name, left, top);
    l->SetCaption(text);
    return l;
  };
  constexpr int Left = 136, Value = 256;
  Label1 = label("Label1", Left, 16, "Software Velmaric ");
  Label1->Font().SetHeight(-13);
  Label1->Font().SetStyle(fsBold);
  Label2 = label("Label2", Left, 38, "");
  Label6 = label("Label6", Left, 58, "Software Code : ");
  Label9 = label("Label9", Value, 58, "");
  Label3 = label("Label3", Left, 74, "Version :");
  Label10 = label("Label10", Value, 74, "");
  Label8 = label("Label8", Left, 90, "Document Code :");
  Label12 = label("Label12", Value, 90, "");
  Label4 = label("Label4", Left, 118, VersionCheckHost());
  Label4->Font().SetColor(clBlue);
  Label4->Font().SetStyle(fsUnderline);
  Label4->SetCursor(crHandPoint);

  LbButton1 = Make_Glow_Button(*this, this, "LbButton1", Bounds(32, 115, 81, 22));
  LbButton1->SetCaption("OK");
  LbButton1->SetModalResult(mrOk);

  OnShow = [this](TObject* s) { FormShow(s); };
  Label4->OnClick = Image2->OnClick = [this](TObject* s) { Label4Click(s); };
}

// The logo is drawn with the window's widgets, when it is first shown or rendered: the window
// is made at start-up and seldom opened.
void TFAbout::WidgetCreated() {
  TForm::WidgetCreated();
  if (Image2->Picture().Empty()) Image2->Picture().Assign(Maker_Logo());
}

void TFAbout::FormShow(TObject*) {
  Label2->SetCaption(Build_SW_Desc);
  Label9->SetCaption(Build_SW_Code);
  Label10->SetCaption(Build_SW_Version);
  Label12->SetCaption(Build_Doc_Code);
  SetClientWidth(425);
  SetClientHeight(148);
}

void TFAbout::Label4Click(TObject*) {
  OpenURL(Home_Page_Url());
}
