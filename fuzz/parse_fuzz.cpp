// Date and number texts: ParseDate, TextToInt, TextToReal.
#include <cmath>

#include "dates/dater.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  RunTimed([&] {
    CalcContextT context;
    context.today = {7, 12, 2026};
    const DateTripleT d = ParseDate(context, text);
    // 0 never comes through: it stands for today's value.
    FUZZ_CHECK(d.day != 0 && d.month != 0 && d.year != 0);
    if (d.day > 0 && d.month > 0 && d.year > 0) {
      const std::string again = IntText(d.day) + "." + IntText(d.month) + "." + IntText(d.year);
      FUZZ_CHECK(ParseDate(context, again) == d);
    }
    const int32_t n = TextToInt(text);
    FUZZ_CHECK(TextToInt(IntText(n)) == n);
    const long double r = TextToReal(text);
    FUZZ_CHECK(!std::isnan(r));
    // The integer is the real value truncated (the real may round up past it).
    if (n != 0) FUZZ_CHECK(std::fabs(r - static_cast<long double>(n)) <= 1);
  });
  return 0;
}
