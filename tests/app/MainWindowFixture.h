// Base of the tests that start the program's windows headless on a program folder of their own:
// driver failures fail the test, message boxes are answered from a queue, links are recorded, and
// every window and all shared state are gone again afterwards.
#pragma once

#include "app/UComon.h"
#include "app/ULanguage.h"
#include "app/UVelmariceFirmWare.h"
#include "app/UVersionCheck.h"
#include "app/Windows.h"
#include "platform/Files.h"
#include "platform/Http.h"
#include "platform/Process.h"
#include "platform/ui/Application.h"
#include "platform/ui/Headless.h"
#include "support/MessageResponder.h"
#include "support/TempDir.h"
#include "support/UiTestFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class TShellTest : public TUiTest {
protected:
  void SetUp() override {
    TUiTest::SetUp();
    Reset_Shared_State();
    SetProgramFolder(Dir.Path());
    Opened().clear();
    PreviousOpener = SetUrlOpener([](const std::string& url) { Opened().push_back(url); });
  }

  void TearDown() override {
    TUiTest::TearDown();
    Destroy_Windows();
    Reset_Shared_State();
    Lang_Texts.clear();
    SetProgramFolder("");
    SetVersionCheckHost("");
    Set_Version_Check_Timeout(Version_Check_Timeout_Ms);
    SetUrlOpener(PreviousOpener);
  }

  // Starts the program as its start does: every window created, the main window shown.
  TFVelmariceFirmWare& Start() {
    Create_Windows(TWindowOwner::Free);
    FVelmariceFirmWare->Show();
    Application->ProcessMessages();
    return *FVelmariceFirmWare;
  }

  // Closes the main window (writing the settings) and starts the program again on the same folder.
  TFVelmariceFirmWare& Restart() {
    FVelmariceFirmWare->Close();
    Destroy_Windows();
    Reset_Shared_State();
    return Start();
  }

  // Web addresses handed to the desktop, in order.
  static std::vector<std::string>& Opened() {
    static std::vector<std::string> urls;
    return urls;
  }

  TTempDir Dir;
  TMessageResponder Messages;

private:
  TUrlOpener PreviousOpener = nullptr;
};
