// A shown form holding a page control with three pages, for the page control's tests.
#pragma once

#include "DrawingUtilsTestSupport.h"

#include "controls/ProPageControl.h"
#include "platform/ui/Application.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Headless.h"
#include "platform/ui/StdCtrls.h"
#include "support/UiTestFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class PageControlTest : public DrawingTest {
protected:
  void SetUp() override {
    Previous = Headless::SetFailureReporter([](const std::string& message) { ADD_FAILURE() << message; });
    Form.reset(NewForm<TForm>(nullptr));
    Form->SetName("FPages");
    Form->SetClientWidth(400);
    Form->SetClientHeight(300);
    Form->SetColor(RGB(240, 240, 240));
    PC = new TProPageControl(Form.get());
    PC->SetName("PC");
    PC->SetParent(Form.get());
    PC->SetBounds(10, 10, 300, 200);
    for (const char* caption : {"Nodes     ", "Variables     ", "Values  "}) {
      auto* page = new TProTabSheet(Form.get());
      page->SetName(std::string("TS_") + std::to_string(Sheets.size()));
      page->SetCaption(caption);
      page->SetProPageControl(PC);
      Sheets.push_back(page);
    }
  }
  void TearDown() override {
    Form.reset();
    Headless::MouseLeave();
    Application->ProcessMessages();
    Headless::SetFailureReporter(Previous);
  }

  // The control's tab area painted on a bitmap of its size.
  TBitmap PaintArea() {
    TBitmap b(PC->Width(), PC->Height());
    b.Canvas().Brush().SetColor(clWhite);
    b.Canvas().FillRect(Rect(0, 0, b.Width(), b.Height()));
    PC->PaintTabArea(b.Canvas());
    return b;
  }
  TPoint CentreOf(const TRect& r) const { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }
  TRect TabRectOf(const TProTabSheet* page) const { return PC->TabRect(page->TabIndex()); }

  TOwned<TForm> Form;
  TProPageControl* PC = nullptr;
  std::vector<TProTabSheet*> Sheets;

private:
  Headless::TFailureReporter Previous;
};
