// Checks of programming errors that hold in every build type: a failed check raises
// EAssertionFailed with a fixed text instead of going on with damaged memory.
#pragma once

#include <stdexcept>
#include <string>

class EAssertionFailed : public std::logic_error {
public:
  using std::logic_error::logic_error;
};

inline void Assert(bool condition, const char* text) {
  if (!condition) throw EAssertionFailed(text);
}
inline void Assert(bool condition, const std::string& text) {
  if (!condition) throw EAssertionFailed(text);
}
