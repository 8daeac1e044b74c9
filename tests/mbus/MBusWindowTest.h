// Base of the M-Bus window tests: the texts, the model and a configuration folder of its own, and
// the window rendered to a picture.
#pragma once

#include "app/ProgramWindowFixture.h"
#include "platform/ui/Graphics.h"
#include "platform/ui/Headless.h"
#include "support/ControlPicture.h"
#include "support/MessageResponder.h"
#include "support/PixelTools.h"

#include <string>

class TMBusWindowTest : public TProgramWindowTest {
protected:
  // A point of a control in the picture of its form.
  static TPoint In_Form(const TControl& control, const TForm& form, TPoint at) {
    const TPoint o = control.ClientOrigin(), f = form.ClientOrigin();
    return {at.X + o.X - f.X, at.Y + o.Y - f.Y};
  }
};
