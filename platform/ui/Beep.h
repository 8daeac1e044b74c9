// The system beep of refused input. Tests install a sink to count beeps instead of sounding them.
#pragma once

#include <functional>

void MessageBeep(unsigned type);
using TBeepSink = std::function<void(unsigned type)>;
// Returns the previous sink; an empty sink sounds the platform's beep again.
TBeepSink SetBeepSink(TBeepSink sink);
