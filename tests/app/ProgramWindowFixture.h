// Base of the tests of the program's windows other than the main one: the built-in texts, a fresh
// shared state for the model, and the program's files in a folder of the test's own.
#pragma once

#include "app/UComon.h"
#include "app/ULanguage.h"
#include "support/TempDir.h"
#include "support/UiTestFixture.h"

class TProgramWindowTest : public TUiTest {
protected:
  void SetUp() override {
    TUiTest::SetUp();
    Load_Default_Texts();
    Reset_Shared_State();
    Set_Model_Identity();
    PlaceFolders();
    Set_Files();
  }
  void TearDown() override {
    Reset_Shared_State();
    TUiTest::TearDown();
  }
  // Where the program and the project lie: by default the project is the test's folder.
  virtual void PlaceFolders() { Project_Path = Dir.Path(); }

  TTempDir Dir;
};
