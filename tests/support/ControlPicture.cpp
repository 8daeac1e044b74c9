#include "support/ControlPicture.h"

#include "platform/ui/Controls.h"
#include "platform/ui/Headless.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

TBitmap RenderPicture(TControl& control) {
  TTempDir dir;
  const std::string path = dir.File("picture.png");
  TBitmap picture;
  std::string error;
  if (!Headless::RenderToPng(control, path) || !picture.LoadFromFile(path, &error))
    ADD_FAILURE() << "cannot render " << control.Name() << (error.empty() ? "" : ": " + error);
  return picture;
}
