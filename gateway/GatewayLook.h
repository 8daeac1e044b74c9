// The gateway windows take the shared window look; their panels sit on the form itself.
#pragma once

#include "app/WindowLook.h"

namespace GatewayLook {

using namespace WindowLook;

inline TPanel* Make_Panel(TForm* form, const std::string& name, int height) {
  return WindowLook::Make_Panel(form, form, name, height);
}

} // namespace GatewayLook
