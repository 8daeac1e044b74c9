// The About window: the build's identity, in fixed texts that a language change leaves alone.
#pragma once

#include "controls/LbButton.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"

class TFAbout : public TForm {
public:
  explicit TFAbout(TComponent* AOwner);

  TImage* Image2;
  TLabel* Label1;
  TLabel* Label2;
  TLabel* Label6;
  TLabel* Label9;
  TLabel* Label3;
  TLabel* Label10;
  TLabel* Label8;
  TLabel* Label12;
  TLabel* Label4;
  TLbButton* LbButton1;

  void FormShow(TObject* Sender);
  // The maker's web address and logo open the maker's home page.
  void Label4Click(TObject* Sender);

protected:
  void WidgetCreated() override;
};

// The maker's logo, 81 x 81.
TBitmap Maker_Logo();
