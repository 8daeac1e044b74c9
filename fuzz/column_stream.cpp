// Column streams from any bytes: reading must raise EProGridError or succeed, never crash, and
// what it read must write out and read back to the same text.
#include "grid/GridColumnStream.h"
#include "grid/ProGridError.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TGridColumnCollection columns(nullptr);
  try {
    ReadColumnStream(std::string_view(reinterpret_cast<const char*>(data), size), columns);
  } catch (const EProGridError&) {
    return 0;
  }
  const std::string text = WriteColumnStream(columns);
  TGridColumnCollection again(nullptr);
  try {
    ReadColumnStream(text, again);
  } catch (const EProGridError&) {
    std::abort();
  }
  if (WriteColumnStream(again) != text) std::abort();
  return 0;
}
