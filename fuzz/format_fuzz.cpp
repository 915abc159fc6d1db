// FormatDate and the number texts with random patterns, dates and widths.
#include <algorithm>

#include "dates/dater.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  RunTimed([&] {
    FuzzedDataProvider in(data, size);
    const int32_t day = MostlySmall<int32_t>(in, -40, 40);
    const int32_t month = MostlySmall<int32_t>(in, -30, 30);
    const int32_t year = MostlySmall<int32_t>(in, -3000, 3000);
    const int32_t width = in.ConsumeIntegralInRange<int32_t>(-50, 300);
    const int32_t decimals = in.ConsumeIntegral<int32_t>();
    const double real = AnyDouble(in);
    CalcContextT context;
    context.today = {7, 12, 2026};
    context.language = in.ConsumeIntegral<uint8_t>();
    const std::string pattern = in.ConsumeRandomLengthString(300);

    const std::string text = FormatDate(context, pattern, day, month, year);
    // Each pattern character gives at most one character.
    FUZZ_CHECK(text.size() <= pattern.size());
    WeekdayDateText(context, day, month, year);
    DateText(day, month, year);
    const std::string padded = PadNumber(int64_t{day} * year, width);
    // Widths come from letter counts of patterns of at most 255 characters.
    FUZZ_CHECK(static_cast<int64_t>(padded.size()) >= std::min(width, 255));
    RealText(decimals, real);
    TrimmedRealText(decimals, real);
    MonthName(context, month);
    FormatToday(context, pattern);
    ZodiacIndex(day, month);
  });
  return 0;
}
