#pragma once
// How a holiday's date is found in a year and the years its law is in force;
// the built-in regions' rules.
#include <cstdint>
#include <string>
#include <vector>

#include "holidays/workdays.h"

enum class RuleKindT : uint8_t {
  kFixed,             // month/day; none in a year without the date (29 February)
  kWeekdayOnOrAfter,  // the first weekday on or after month/day: n-th weekdays
  kLastWeekday,       // the last weekday of the month
  kEaster,            // day = days after Easter Sunday, -21 .. 250
};

// What happens when a holiday falls on a Saturday or a Sunday; the holiday
// itself stays in either case.
enum class ObservanceT : uint8_t {
  kNone,
  kSubstitute,  // the next Monday .. Friday that is not yet a holiday is one too (GB)
  kObserved,    // the Friday before or the Monday after is one too (US)
};

struct HolidayRuleT {
  RuleKindT kind = RuleKindT::kFixed;
  ObservanceT observance = ObservanceT::kNone;
  int32_t month = 1, day = 1;           // day: the Easter offset for kEaster
  int32_t weekday = 1;                  // 1 = Monday
  int64_t firstYear = 0, lastYear = 0;  // in force, astronomical years
  std::string english, german;
};

// A region's rules in the order of its list, years clipped to the region's first year.
std::vector<HolidayRuleT> RegionRules(const RegionT& region);
