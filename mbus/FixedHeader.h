// Names of the fixed header's manufacturer code and medium byte.
#pragma once

#include <cstdint>
#include <string>

// That letter when the code is A to Z, otherwise "?".
std::string Manufacturer_Letter(int code);
// The three letters of a manufacturer code (5 bits each, 1 = A).
std::string Trova_Man(int code);
std::string Medium_Name(int medium);
