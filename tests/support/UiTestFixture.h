// Base of the tests that drive forms: a failure of the headless driver fails the test, and no
// modal script or hovered control leaks into the next test.
#pragma once

#include "platform/ui/Application.h"
#include "platform/ui/Headless.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// Frees a form or control the framework's way, so its owner and free notifications see it go.
struct TFreeComponent {
  void operator()(TComponent* c) const {
    if (c) c->Free();
  }
};
template <class T> using TOwned = std::unique_ptr<T, TFreeComponent>;

class TUiTest : public ::testing::Test {
protected:
  void SetUp() override {
    Application->Initialize();
    Previous = Headless::SetFailureReporter([this](const std::string& message) {
      Failures.push_back(message);
      if (!ExpectFailures) ADD_FAILURE() << message;
    });
    Headless::ClearModalScripts();
  }
  void TearDown() override {
    EXPECT_EQ(Headless::PendingModalScripts(), 0) << "modal scripts left unused";
    Headless::ClearModalScripts();
    Headless::MouseLeave();
    Application->ProcessMessages();
    Headless::SetFailureReporter(Previous);
  }

  // Set while a test provokes driver failures on purpose; they are collected in Failures.
  bool ExpectFailures = false;
  std::vector<std::string> Failures;

private:
  Headless::TFailureReporter Previous;
};
