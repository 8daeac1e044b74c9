// The About window: the build's identity in fixed texts, and the maker's address.
#include "MainWindowFixture.h"

#include "app/UAbout.h"

#include <string>
#include <vector>

namespace {

using TAboutTest = TShellTest;

TEST_F(TAboutTest, ShowsTheBuildsIdentityAndOpensTheMakersHomePage) {
  SetVersionCheckHost("maker.example");
  TFVelmariceFirmWare& f = Start();
  for (int showing = 0; showing < 2; ++showing) {
    Headless::OnNextModal([](TForm& form) {
      auto& d = static_cast<TFAbout&>(form);
      EXPECT_EQ(d.ClientWidth(), 425);
      EXPECT_EQ(d.ClientHeight(), 148);
      EXPECT_EQ(d.Label1->Caption(), "Software Velmaric ");
      EXPECT_EQ(d.Label2->Caption(), "Ethernet / LoRaWAN - Converter");
      EXPECT_EQ(d.Label9->Caption(), "SWZ9K59");
      EXPECT_EQ(d.Label10->Caption(), "1.000");
      EXPECT_EQ(d.Label12->Caption(), "MNZ9K59");
      EXPECT_EQ(d.Font().Color(), RGB(51, 51, 51));
      EXPECT_EQ(d.LbButton1->BoundsRect(), Bounds(32, 115, 81, 22));
      EXPECT_EQ(d.Image2->Picture().Bitmap().Pixel(40, 3), Maker_Logo().Pixel(40, 3)) << "the logo shows";
      EXPECT_NE(Maker_Logo().Pixel(40, 3), Maker_Logo().Pixel(40, 40)) << "a ring round the middle";
      Headless::Click(d, "Label4");
      Headless::Click(d, "Image2");
      Headless::Click(d, "LbButton1");
    });
    ASSERT_TRUE(Headless::Click(f, "Btn_Info"));
  }
  const std::string home = "http://maker.example/HOME/default.asp?frompg=SWZ9K59";
  EXPECT_EQ(Opened(), (std::vector<std::string>(4, home)));
}

} // namespace
