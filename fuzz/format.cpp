// The safe formatter: any pattern with any arguments gives a text, never a crash.
#include "platform/Format.h"
#include "support/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const std::int64_t number = in.ConsumeIntegral<std::int64_t>();
  const double real = in.ConsumeFloatingPoint<double>();
  const std::string text = in.ConsumeRandomLengthString(32);
  const std::string pattern = in.ConsumeRemainingBytesAsString();
  Format(pattern, {});
  Format(pattern, {number});
  Format(pattern, {text, real});
  Format(pattern, {real, number, text});
  return 0;
}
