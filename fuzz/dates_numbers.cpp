// Dates and numbers of the text utilities: any text reads or is refused; a date read decodes to a
// calendar date.
#include "controls/ProUtilDates.h"
#include "controls/ProUtilNumbers.h"
#include "support/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const int years = in.ConsumeIntegralInRange(-20000, 20000);
  const int months = in.ConsumeIntegralInRange(-300000, 300000);
  const int days = in.ConsumeIntegralInRange(-4000000, 4000000);
  const double step = in.ConsumeFloatingPointInRange(-1000.0, 1000.0);
  const std::string text = in.ConsumeRemainingBytesAsString();
  for (TDateTime date : {ParseDateMDY(text), ParseDateDMY(text)}) {
    if (date == 0) continue;
    int y = 0, m = 0, d = 0;
    DecodeDate(date, y, m, d);
    FuzzCheck(y >= 1 && y <= 9999 && m >= 1 && m <= 12 && d >= 1 && d <= DaysInMonth(y, m),
              "a date read exists", text);
    AdvanceDate(years, months, days, step, date);
  }
  IsDateText(text);
  NormalizeNumberText(text);
  ClassifyNumberText(text);
  return 0;
}
