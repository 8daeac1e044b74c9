// A tree of a given class shown on a small form, and its own pixels cut from an offscreen shot.
#pragma once

#include "TreeFixture.h"

#include "platform/ui/Forms.h"
#include "support/ControlPicture.h"

template <class TTree> struct TShownTree {
  TShownTree() {
    Application->Initialize();
    Form = new TForm(nullptr);
    Form->SetClientWidth(220);
    Form->SetClientHeight(120);
    Tree = new TTree(Form);
    Tree->SetParent(Form);
    Tree->SetBounds(0, 0, 200, 100);
    Tree->SetColor(clWhite);
    Tree->Font().SetName("DejaVu Sans");
    Tree->SetNodeDataSize(0);
    Form->Show();
    Application->ProcessMessages();
  }
  ~TShownTree() { Form->Free(); }
  TShownTree(const TShownTree&) = delete;
  TShownTree& operator=(const TShownTree&) = delete;

  // The tree's pixels only (the form around it cut away).
  TBitmap Shot() {
    TBitmap shot = RenderPicture(*Form);
    const TPoint origin = Tree->ClientToScreen(TPoint{0, 0});
    const TPoint formOrigin = Form->ClientToScreen(TPoint{0, 0});
    Offset = TPoint{origin.X - formOrigin.X, origin.Y - formOrigin.Y};
    return shot;
  }
  TColor At(const TBitmap& b, int x, int y) const { return b.Pixel(x + Offset.X, y + Offset.Y); }

  TForm* Form = nullptr;
  TTree* Tree = nullptr;
  TPoint Offset;
};
