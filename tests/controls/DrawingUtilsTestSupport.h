// Helpers of the drawing tests of the controls: a GUI application with the program's faces, and
// views of bitmap pixels.
#pragma once

#include "platform/ui/Fonts.h"
#include "platform/ui/Graphics.h"
#include "tests/support/PixelTools.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

class DrawingTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(EnsureGuiApplication());
    std::string error;
    ASSERT_TRUE(LoadProgramFonts(&error)) << error;
  }

  // A bitmap of the size filled with one colour.
  static TBitmap Filled(int w, int h, TColor color = clWhite) {
    TBitmap b(w, h);
    b.Canvas().Brush().SetColor(color);
    b.Canvas().FillRect(Rect(0, 0, w, h));
    return b;
  }
};
