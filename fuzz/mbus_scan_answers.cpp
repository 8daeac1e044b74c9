// Answers of the gateway as the scan steps judge them: acknowledgements, NO_SLAVE, the mode texts
// and long frames (handed to the decoder when they pass the test); and typed numbers as the
// network file and the checks read them.
#include "mbus/GatewayProtocol.h"
#include "mbus/LongFrame.h"
#include "mbus/RequestFrames.h"
#include "mbus/TypedNumber.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> answer(data, size);
  bool any = Is_Ack(answer) || Is_No_Slave(answer);
  for (std::string_view text : {Gateway_Text::Analyzer_Enabled, Gateway_Text::Setup_Done, Gateway_Text::Telit,
                                Gateway_Text::Telit_OK, Gateway_Text::Configuration_Disabled})
    any = Answer_Is(answer, text) || any;
  if (Is_Valid_Long_Frame(answer)) {
    TWiredSlaveList list;
    bool noFurtherFrame = true;
    Add_Wired_Slave(answer, -1, list, noFurtherFrame);
  }
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto narrow = Typed_Int32(text);
  const auto wide = Typed_Int64(text);
  // A text that is a 32-bit number is a 64-bit one too, and a decimal one keeps its value.
  if (narrow && !wide) __builtin_trap();
  (void)any;
  return 0;
}
