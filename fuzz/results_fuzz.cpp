// The whole recalculation with random date texts, kinds and counts.
#include <algorithm>

#include "results/results.h"
#include "fuzz/fuzz_support.h"

namespace {

int32_t Lines(const std::string& memo) {
  return static_cast<int32_t>(std::count(memo.begin(), memo.end(), '\n'));
}

void CheckDate(const DateTripleT& d, const MonthCalendarT& calendar, const std::string& facts) {
  FUZZ_CHECK(ValidDate(d.day, d.month, d.year));
  FUZZ_CHECK(calendar.month == d.month && calendar.year == d.year);
  FUZZ_CHECK(calendar.ownRow >= 1 && calendar.ownRow <= MonthCalendarT::kRows);
  FUZZ_CHECK(calendar.ownColumn >= 0 && calendar.ownColumn <= 6);
  FUZZ_CHECK(calendar.cells[calendar.ownRow][calendar.ownColumn] == IntText(d.day));
  const int32_t lines = Lines(facts);
  FUZZ_CHECK(lines == (LeapYear(d.year) ? 6 : 5));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  RunTimed([&] {
    FuzzedDataProvider in(data, size);
    ResultInputT input;
    input.context.today = {7, 12, 2026};
    input.kind1 = MostlySmall<int32_t>(in, -1, 4);
    input.kind2 = MostlySmall<int32_t>(in, -1, 4);
    input.extra2 = MostlySmall<int64_t>(in, -5000, 5000);
    input.date1 = in.ConsumeRandomLengthString(64);
    input.date2 = in.ConsumeRandomLengthString(64);
    input.count1 = in.ConsumeRandomLengthString(32);
    input.count2 = in.ConsumeRandomLengthString(32);

    const ResultsT r = ComputeResults(input);
    CheckDate(r.date1, r.calendar1, r.facts1);
    CheckDate(r.date2, r.calendar2, r.facts2);
    // Differences never carry a sign; four lines, the last without a break.
    FUZZ_CHECK(r.difference.find('-') == std::string::npos);
    FUZZ_CHECK(Lines(r.difference) == 3);
    FUZZ_CHECK(r.difference.size() >= 2 && r.difference.back() == ' ');
    // Swapping the dates gives the same difference.
    const DateDiffT ab = DateDifference(r.date1, r.date2);
    const DateDiffT ba = DateDifference(r.date2, r.date1);
    FUZZ_CHECK(ab.years == ba.years && ab.months == ba.months && ab.days == ba.days &&
               ab.totalDays == ba.totalDays && ab.totalMonths == ba.totalMonths);
    FUZZ_CHECK(ab.years >= 0 && ab.months >= 0 && ab.days >= 0 && ab.totalDays >= 0);
  });
  return 0;
}
