// A control rendered offscreen and read back as a bitmap, for the painting tests to look at.
#pragma once

#include "platform/ui/Graphics.h"
#include "platform/ui/Headless.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

inline TBitmap Render(TControl& control) {
  TTempDir dir;
  TBitmap shot;
  EXPECT_TRUE(Headless::RenderToPng(control, dir.File("grid.png")));
  EXPECT_TRUE(shot.LoadFromFile(dir.File("grid.png")));
  return shot;
}
