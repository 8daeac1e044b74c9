// Edit masks come from stored column settings and meet pasted text: any mask with any value and
// any typing keeps one character per position and never reads outside the text.
#include "platform/ui/EditMask.h"
#include "support/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const TEditMask mask(in.ConsumeRandomLengthString(64));
  const std::string value = in.ConsumeRandomLengthString(64);
  std::u16string text = mask.Format(std::u16string(value.begin(), value.end()));
  FuzzCheck(static_cast<int>(text.size()) == mask.Length(), "a formatted text has one character per position");
  mask.Value(text);
  while (in.remaining_bytes() > 0) {
    int caret = in.ConsumeIntegralInRange<int>(-2, mask.Length() + 2);
    const int selection = in.ConsumeIntegralInRange<int>(-1, mask.Length() + 1);
    switch (in.ConsumeIntegralInRange<int>(0, 2)) {
    case 0:
      mask.Type(text, caret, selection, in.ConsumeIntegral<char16_t>());
      break;
    case 1:
      mask.Backspace(text, caret, selection);
      break;
    default:
      mask.Delete(text, caret, selection);
      break;
    }
    FuzzCheck(static_cast<int>(text.size()) == mask.Length(), "editing keeps one character per position");
  }
  mask.Complete(text);
  mask.FirstBlank(text);
  return 0;
}
