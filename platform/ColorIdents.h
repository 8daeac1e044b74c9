// The runtime's names of colours ("clRed", "clWindow", "clNone"), as component images and
// settings files write them; a colour without a name is written as its number.
#pragma once

#include "platform/Colors.h"

#include <string_view>

// The name of the colour, or "" when it has none.
std::string_view ColorToIdent(TColor Color);
// False for a name that is no colour's (compared exactly).
bool IdentToColor(std::string_view Ident, TColor& Color);
