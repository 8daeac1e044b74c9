#include "platform/ui/SystemMetrics.h"

#include "platform/ui/Application.h"

namespace {
// The scroll bars of the platform's scrolling controls are drawn this wide.
constexpr int ScrollBarExtent = 17;
} // namespace

int GetSystemMetrics(int index) {
  switch (index) {
  case SM_CXSCREEN:
    return Screen->Width();
  case SM_CYSCREEN:
    return Screen->Height();
  case SM_CXVSCROLL:
  case SM_CYHSCROLL:
    return ScrollBarExtent;
  default:
    return 0;
  }
}
