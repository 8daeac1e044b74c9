// Sizes of the system's own parts, as programs ask them of the system.
#pragma once

constexpr int SM_CXSCREEN = 0, SM_CYSCREEN = 1, SM_CXVSCROLL = 2, SM_CYHSCROLL = 3;

// The size in pixels; 0 for an index not known.
int GetSystemMetrics(int index);
