// Whether a column order names every one of its columns exactly once.
#pragma once

#include <vector>

// True when Order holds each of 0 .. Count - 1 once and nothing else.
bool IsColumnPermutation(const std::vector<int>& Order, int Count);
