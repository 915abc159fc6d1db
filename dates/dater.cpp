#include "dates/dater.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <ctime>
#include <limits>

namespace {

constexpr int64_t kMinYear = std::numeric_limits<int32_t>::min();
constexpr int64_t kMaxYear = std::numeric_limits<int32_t>::max();

constexpr int32_t kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr int32_t kYearOffset[2][13] = {
    {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365},
    {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335, 366}};
constexpr int32_t kZodiacBoundary[12] = {20, 19, 20, 20, 20, 21, 22, 23, 23, 23, 22, 21};

constexpr int64_t FloorDiv(int64_t a, int64_t b) {
  int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

// Astronomical year: 1 BC is 0. Year 0 is not a year of this calendar; every
// computation that meets it treats it as year 1, as the 400-year lifts do.
int64_t Astro(int64_t y) { return y >= 1 ? y : (y == 0 ? 1 : y + 1); }
int64_t FromAstro(int64_t a) { return a >= 1 ? a : a - 1; }

bool AstroLeap(int64_t a) { return (a % 4 == 0 && a % 100 != 0) || a % 400 == 0; }

// Days since 1 March of astronomical year 0, for any 64-bit year.
constexpr int64_t DayNumber(int64_t a, int64_t m, int64_t d) {
  a -= m <= 2 ? 1 : 0;
  const int64_t era = FloorDiv(a, 400);
  const int64_t yoe = a - era * 400;
  const int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe;
}

void FromDayNumber(int64_t z, int64_t& a, int32_t& m, int32_t& d) {
  const int64_t era = FloorDiv(z, 146097);
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  d = static_cast<int32_t>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int32_t>(mp < 10 ? mp + 3 : mp - 9);
  a = yoe + era * 400 + (m <= 2 ? 1 : 0);
}

const int64_t kFirstDay = DayNumber(Astro(kMinYear), 1, 1);
const int64_t kLastDay = DayNumber(Astro(kMaxYear), 12, 31);

int32_t ClampYear(int64_t y) { return static_cast<int32_t>(std::clamp(y, kMinYear, kMaxYear)); }

// StepYear without the 32-bit limit. Steps beyond 2^40 years leave the 32-bit
// range from any year just as well and keep the sums below from overflowing.
int64_t StepYear64(int64_t year, int64_t n) {
  n = std::clamp<int64_t>(n, -(int64_t{1} << 40), int64_t{1} << 40);
  if (year <= 0 && year + n > 0) ++n;
  if (year >= 0 && year + n < 0) --n;
  year += n;
  if (year == 0) year = n > 0 ? 1 : -1;
  return year;
}

DateTripleT Store(int32_t& day, int32_t& month, int32_t& year, int64_t d, int64_t m, int64_t y) {
  // A year beyond the 32-bit range stops at the first or last day there is.
  if (y > kMaxYear) { d = 31; m = 12; y = kMaxYear; }
  if (y < kMinYear) { d = 1; m = 1; y = kMinYear; }
  day = static_cast<int32_t>(d);
  month = static_cast<int32_t>(m);
  year = static_cast<int32_t>(y);
  return {day, month, year};
}

int32_t TableMonthLength(int32_t month, bool leap) {
  return month == 2 && leap ? 29 : kMonthDays[month - 1];
}

// Month brought into 1..12 by whole years, year unlimited.
void NormalizeMonth64(int64_t& month, int64_t& year) {
  if (month > 12) {
    year = StepYear64(year, (month - 1) / 12);
    month = (month - 1) % 12 + 1;
  } else if (month < 1) {
    const int64_t q = FloorDiv(month - 1, 12);
    year = StepYear64(year, q);
    month -= 12 * q;
  }
}

// ---- names ----
struct NameListT {
  std::array<std::string_view, 24> items{};
  int count = 0;
  constexpr explicit NameListT(std::string_view text) {
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
      if (i == text.size() || text[i] == ',') {
        items[count++] = text.substr(start, i - start);
        start = i + 1;
      }
    }
  }
  std::string_view Item(uint8_t language, int perLanguage, int k) const {
    const int index = (static_cast<int>(language) - 1) * perLanguage + k;
    if (index < 1 || index > count) return {};
    return items[index - 1];
  }
};

constexpr NameListT kMonths(
    "Januar,Februar,M\xE4rz,April,Mai,Juni,Juli,August,September,Oktober,November,Dezember,"
    "January,February,March,April,May,June,July,August,September,October,November,December");
constexpr NameListT kWeekdays(
    "Montag,Dienstag,Mittwoch,Donnerstag,Freitag,Samstag,Sonntag,"
    "Monday,Tuesday,Wednesday,Thursday,Friday,Saturday,Sunday");
constexpr NameListT kZodiac(
    "Steinbock,Wassermann,Fische,Widder,Stier,Zwillinge,Krebs,L\xF6we,Jungfrau,Waage,Skorpion,"
    "Sch\xFCtze,Capricorn,Aquarius,Pisces,Aries,Taurus,Gemini,Cancer,Leo,Virgo,Libra,Scorpio,"
    "Sagittarius");

// The number in a text after dropping everything but digits, "." and a
// leading "-". The number ends at a second ".".
struct KeptNumberT {
  bool negative = false;
  std::string digits;    // integer part, leading zeros removed
  std::string fraction;  // digits after the "."
  bool any = false;      // at least one digit
};

// Calls digit(c, inFraction) for each digit that counts and returns whether
// a "-" leads; the kept text's rules without keeping the text.
template <typename F>
bool ScanNumber(std::string_view text, F&& digit) {
  bool negative = false, kept = false, dot = false, ended = false;
  for (char c : text) {
    if (c == '-') {
      if (!kept) negative = kept = true;
    } else if (c == '.') {
      kept = true;
      if (dot) ended = true; else dot = true;
    } else if (c >= '0' && c <= '9') {
      kept = true;
      if (!ended) digit(c, dot);
    }
  }
  return negative;
}

KeptNumberT KeepNumber(std::string_view text) {
  KeptNumberT k;
  k.negative = ScanNumber(text, [&k](char c, bool inFraction) {
    k.any = true;
    if (inFraction) {
      if (k.fraction.size() < 64) k.fraction += c;
    } else if (!(k.digits.empty() && c == '0')) {
      k.digits += c;
    }
  });
  return k;
}

}  // namespace

// ---- arithmetic ----------------------------------------------------------

bool LeapYear(int32_t year) {
  if (year == 0) return false;
  // Years before the era count astronomically, so -1, -5, -401 are leap years.
  const uint32_t v = year >= 1 ? static_cast<uint32_t>(year) : static_cast<uint32_t>(-1 - static_cast<int64_t>(year));
  // v % 100 != 0 is v % 25 != 0 once v % 4 == 0, and v % 400 == 0 then v % 16 == 0:
  // multiplications and masks instead of divisions, for the batch's millions.
  return (v & 3) == 0 && (v % 25 != 0 || (v & 15) == 0);
}

int32_t YearLength(int32_t year) { return LeapYear(year) ? 366 : 365; }

int32_t MonthLength(int32_t month, int32_t year) {
  int64_t m = month, y = year;
  NormalizeMonth64(m, y);
  return TableMonthLength(static_cast<int32_t>(m), LeapYear(ClampYear(y)));
}

void StepYear(int32_t& year, int64_t count) { year = ClampYear(StepYear64(year, count)); }

void LiftYear(int32_t& year) {
  if (year < 1) {
    const int64_t y = year;
    year = ClampYear(StepYear64(y, ((-y) / 400 + 1) * 400));
  }
}

void NormalizeMonth(int32_t& month, int32_t& year) {
  int64_t m = month, y = year;
  NormalizeMonth64(m, y);
  month = static_cast<int32_t>(m);
  year = ClampYear(y);
}

bool ValidDate(int32_t day, int32_t month, int32_t year) {
  if (month < 1 || month > 12 || day < 1) return false;
  return day <= 28 || day <= TableMonthLength(month, LeapYear(year));
}

void NormalizeDate(int32_t& day, int32_t& month, int32_t& year) {
  // Most dates need nothing.
  if (month >= 1 && month <= 12 && day >= 1 && day <= 28) return;
  NormalizeMonth(month, year);
  const int32_t length = TableMonthLength(month, LeapYear(year));
  if (day > length) {
    const int64_t excess = static_cast<int64_t>(day) - length;
    day = length;
    AddDays(day, month, year, excess);
  } else if (day < 1) {
    const int64_t back = static_cast<int64_t>(day) - 1;
    day = 1;
    AddDays(day, month, year, back);
  }
}

int32_t WeekdayOf(int32_t day, int32_t month, int32_t year) {
  int64_t m = month, y = year;
  NormalizeMonth64(m, y);
  // 1 January of year 1 is a Monday.
  constexpr int64_t kMonday = DayNumber(1, 1, 1);
  const int64_t n = DayNumber(Astro(y), m, 1) + (static_cast<int64_t>(day) - 1) - kMonday;
  return static_cast<int32_t>(((n % 7) + 7) % 7 + 1);
}

int64_t DayNumberOf(int32_t day, int32_t month, int32_t year) {
  // Dates of the era in unsigned 32-bit arithmetic, which is cheaper: the
  // batch converts millions of them.
  if (year >= 1 && month >= 1 && month <= 12 && day >= 1 && day <= 31) {
    const uint32_t m = static_cast<uint32_t>(month), a = static_cast<uint32_t>(year) - (m <= 2 ? 1u : 0u);
    const uint32_t era = a / 400, yoe = a % 400;
    const uint32_t doy = (153u * (m > 2 ? m - 3 : m + 9) + 2) / 5 + static_cast<uint32_t>(day) - 1;
    const uint32_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return int64_t{era} * 146097 + doe - DayNumber(1, 1, 1);
  }
  return DayNumber(Astro(year), month, day) - DayNumber(1, 1, 1);
}

DateTripleT DateOfDayNumber(int64_t n) {
  int64_t a;
  int32_t m, d;
  FromDayNumber(std::clamp(n + DayNumber(1, 1, 1), kFirstDay, kLastDay), a, m, d);
  return {d, m, static_cast<int32_t>(FromAstro(a))};
}

int32_t WeekdayOfDayNumber(int64_t n) { return static_cast<int32_t>((n % 7 + 7) % 7 + 1); }

namespace {
int32_t DayOfYearOfValid(int32_t day, int32_t month, int32_t year) {
  return kYearOffset[LeapYear(year) ? 1 : 0][month - 1] + day;
}
}  // namespace

int32_t DayOfYearNo(int32_t day, int32_t month, int32_t year) {
  if (!ValidDate(day, month, year)) NormalizeDate(day, month, year);
  return DayOfYearOfValid(day, month, year);
}

int32_t DaysToNewYear(int32_t day, int32_t month, int32_t year) {
  return YearLength(year) - DayOfYearNo(day, month, year) + 1;
}

int32_t WeekOfMonthNo(int32_t day) {
  return static_cast<int32_t>((static_cast<int64_t>(day) - 1) / 7 + 1);
}

int32_t WeekOfYearNo(const CalcContextT& context, int32_t day, int32_t month, int32_t year) {
  switch (context.weeks) {
    case WeekNumberingT::kFirstMonday: break;
    case WeekNumberingT::kIso8601: return IsoWeekOfYearNo(day, month, year);
  }
  return WeekOfYearNo(day, month, year);
}

int32_t WeekOfYearNo(const CalcContextT& context, int32_t day, int32_t month, int32_t year, int32_t weekday) {
  if (context.weeks != WeekNumberingT::kFirstMonday || !ValidDate(day, month, year))
    return WeekOfYearNo(context, day, month, year);
  // Week 1 starts on the year's first Monday, day m (1..7), and the Monday of
  // the date's week is day d - (weekday - 1) = m + 7q, so the week is
  // q + 1 = (d - weekday + 7) / 7; 0 is a day before the first Monday.
  const int32_t week = (DayOfYearOfValid(day, month, year) - weekday + 7) / 7;
  return week == 0 ? 53 : week;
}

int32_t IsoWeekOfYearNo(int32_t day, int32_t month, int32_t year) {
  int64_t m = month, y = year;
  NormalizeMonth64(m, y);
  // 64-bit day numbers: the Thursday of the last week may lie beyond the
  // 32-bit years, and days far outside the month count on linearly.
  const int64_t n = DayNumber(Astro(y), m, 1) + (static_cast<int64_t>(day) - 1);
  const int64_t weekday = ((n - DayNumber(1, 1, 1)) % 7 + 7) % 7;  // 0 = Monday
  const int64_t thursday = n - weekday + 3;
  int64_t thursdayYear;
  int32_t tm, td;
  FromDayNumber(thursday, thursdayYear, tm, td);
  return static_cast<int32_t>((thursday - DayNumber(thursdayYear, 1, 1)) / 7 + 1);
}

int32_t WeekOfYearNo(int32_t day, int32_t month, int32_t year) {
  // A calendar asks for each of its rows in the same year: its first weekday
  // is kept for the next call.
  thread_local int32_t lastYear = 1, lastFirst = WeekdayOf(1, 1, 1);
  if (year != lastYear) {
    lastFirst = WeekdayOf(1, 1, year);
    lastYear = year;
  }
  const int32_t f = lastFirst;
  const int32_t o = f == 1 ? 0 : 8 - f;
  const int32_t k = DayOfYearNo(day, month, year) - o - 1;
  return k < 0 ? 53 : k / 7 + 1;
}

void NextDay(int32_t& day, int32_t& month, int32_t& year) {
  if (day != MonthLength(month, year)) {
    day = day == std::numeric_limits<int32_t>::max() ? day : day + 1;
  } else if (year == kMaxYear && month == 12) {
    // the last day there is
  } else {
    day = 1;
    if (month != 12) {
      ++month;
    } else {
      month = 1;
      year = year + 1 == 0 ? 1 : year + 1;
    }
  }
}

void PrevDay(int32_t& day, int32_t& month, int32_t& year) {
  if (day != 1) {
    day = day == std::numeric_limits<int32_t>::min() ? day : day - 1;
  } else if (month == 1) {
    if (year == kMinYear) return;  // the first day there is
    day = 31;
    month = 12;
    year = year - 1 == 0 ? -1 : year - 1;
  } else {
    --month;
    day = MonthLength(month, year);
  }
}

DateTripleT AddDays(int32_t& day, int32_t& month, int32_t& year, int64_t count) {
  if (count == 0 || !ValidDate(day, month, year)) return {day, month, year};
  if (year == 0) {
    // Year 0 sits between -1 and 1 for single steps, but a whole-year skip
    // from it lands in year 2.
    const int32_t doy = DayOfYearNo(day, month, year);
    if (count > 0) {
      const int32_t r = 365 - doy + 1;
      if (r > count) {
        int32_t d = doy + static_cast<int32_t>(count), m = 1, y = 0;
        NormalizeDate(d, m, y);
        return Store(day, month, year, d, m, y);
      }
      count -= r;
      day = 1; month = 1; year = 2;
      if (count == 0) return {day, month, year};
    } else {
      if (-count < doy) {
        int32_t d = doy + static_cast<int32_t>(count), m = 1, y = 0;
        NormalizeDate(d, m, y);
        return Store(day, month, year, d, m, y);
      }
      count += doy;
      day = 31; month = 12; year = -1;
      if (count == 0) return {day, month, year};
    }
  }
  int64_t n = DayNumber(Astro(year), month, day);
  // count is far below the limits of 64 bits, but the sum must not wrap.
  count = std::clamp<int64_t>(count, -(int64_t{1} << 60), int64_t{1} << 60);
  n = std::clamp(n + count, kFirstDay, kLastDay);
  int64_t a;
  int32_t m, d;
  FromDayNumber(n, a, m, d);
  return Store(day, month, year, d, m, FromAstro(a));
}

DateTripleT AddMonths(int32_t& day, int32_t& month, int32_t& year, int64_t count) {
  int64_t y = StepYear64(year, count / 12);
  int64_t m = static_cast<int64_t>(month) + count % 12;
  if (count > 0 && m > 12) {
    m -= 12;
    y = StepYear64(y, 1);
  }
  if (count <= 0 && m < 1) {
    y = StepYear64(y, -1);
    m += 12;
  }
  if (y > kMaxYear || y < kMinYear) return Store(day, month, year, 0, 0, y);
  int32_t mm = static_cast<int32_t>(std::clamp<int64_t>(m, kMinYear, kMaxYear));
  const int32_t yy = static_cast<int32_t>(y);
  return Store(day, month, year, std::min(day, MonthLength(mm, yy)), mm, yy);
}

DateTripleT AddYears(int32_t& day, int32_t& month, int32_t& year, int64_t count) {
  const int64_t y = StepYear64(year, count);
  if (y > kMaxYear || y < kMinYear) return Store(day, month, year, 0, 0, y);
  const int32_t yy = static_cast<int32_t>(y);
  return Store(day, month, year, std::min(day, MonthLength(month, yy)), month, yy);
}

int32_t CompareDates(int32_t d1, int32_t m1, int32_t y1, int32_t d2, int32_t m2, int32_t y2) {
  if (y1 != y2) return y1 > y2 ? 1 : 2;
  if (m1 != m2) return m1 > m2 ? 1 : 2;
  if (d1 != d2) return d1 > d2 ? 1 : 2;
  return 0;
}

DateDiffT DateDifference(const DateTripleT& first, const DateTripleT& second) {
  DateDiffT r;
  if (!ValidDate(first.day, first.month, first.year) ||
      !ValidDate(second.day, second.month, second.year)) {
    return r;
  }
  DateTripleT a = first, b = second;
  if (CompareDates(a.day, a.month, a.year, b.day, b.month, b.year) == 1) std::swap(a, b);
  // Shifting both years by whole 400-year cycles leaves every difference as
  // it is, so the astronomical years stand in for the shifted ones.
  const int64_t y1 = Astro(a.year), y2 = Astro(b.year);
  const int64_t d1 = a.day, m1 = a.month, d2 = b.day, m2 = b.month;
  int64_t years = y2 - y1;
  int64_t months = m2 - m1;
  if (m1 == m2 && d1 > d2) {
    --years;
    months = 12;
  }
  if (m1 > m2) {
    --years;
    months = m2 + 12 - m1;
  }
  int64_t days = d2 - d1;
  if (d1 > d2) {
    --months;
    days = TableMonthLength(a.month, AstroLeap(y1)) + d2 - d1;
  }
  r.years = years;
  r.months = months;
  r.days = days;
  r.totalMonths = years * 12 + months;
  r.totalDays = DayNumber(y2, m2, d2) - DayNumber(y1, m1, d1);
  return r;
}

void DateDiff(int64_t& d1, int64_t& m1, int64_t& y1, int64_t& d2, int64_t& m2, int64_t& y2) {
  auto narrow = [](int64_t v) { return static_cast<int32_t>(std::clamp(v, kMinYear, kMaxYear)); };
  const DateDiffT r = DateDifference({narrow(d1), narrow(m1), narrow(y1)},
                                     {narrow(d2), narrow(m2), narrow(y2)});
  d1 = r.days;
  m1 = r.months;
  y1 = r.years;
  d2 = r.totalDays;
  m2 = r.totalMonths;
  y2 = r.years;
}

double Count2323(int32_t day, int32_t month, int32_t year) {
  const long double t = static_cast<long double>(DateDifference({day, month, year}, {1, 1, 2323}).totalDays);
  return static_cast<double>(t / 365.24221041666L * (year >= 2323 ? 1000.0L : -1000.0L));
}

double Count2260(int32_t day, int32_t month, int32_t year) {
  const long double s = CompareDates(day, month, year, 31, 1, 2260) == 2 ? -1.0L : 1.0L;
  const long double t = static_cast<long double>(DateDifference({day, month, year}, {31, 1, 2260}).totalDays);
  return static_cast<double>(s * t * 1.09927053L);
}

DateInfoT FileDateInfo(const CalcContextT& context, uint32_t stamp) {
  DateInfoT info;
  info.stamp = stamp;
  const uint32_t date = stamp >> 16, time = stamp & 0xFFFF;
  int32_t day = date & 31, month = (date >> 5) & 15, year = static_cast<int32_t>(date >> 9) + 1980;
  uint16_t hour = time >> 11, minute = (time >> 5) & 63, second = (time & 31) * 2;
  if (!ValidDate(day, month, year) || hour > 23 || minute > 59 || second > 59) {
    // The platform's day 0.
    day = 30; month = 12; year = 1899;
    hour = minute = second = 0;
  }
  info.day = day;
  info.month = month;
  info.year = year;
  info.weekday = WeekdayOf(day, month, year);
  info.zodiac = ZodiacIndex(day, month);
  info.hour = hour;
  info.minute = minute;
  info.second = second;
  info.millisecond = 0;
  info.monthName = std::string(MonthName(context, month));
  info.weekdayName = std::string(WeekdayName(context, day, month, year));
  info.zodiacName = std::string(ZodiacName(context, day, month, year));
  return info;
}

// ---- names ---------------------------------------------------------------

std::string_view MonthName(const CalcContextT& context, int32_t month) {
  if (month < 1 || month > 12) return {};
  return kMonths.Item(context.language, 12, month);
}

std::string_view WeekdayName(const CalcContextT& context, int32_t day, int32_t month, int32_t year) {
  return kWeekdays.Item(context.language, 7, WeekdayOf(day, month, year));
}

std::string_view ZodiacName(const CalcContextT& context, int32_t day, int32_t month, int32_t /*year*/) {
  return kZodiac.Item(context.language, 12, ZodiacIndex(day, month));
}

std::string_view WeekdayNameOf(const CalcContextT& context, int32_t weekday) {
  if (weekday < 1 || weekday > 7) return {};
  return kWeekdays.Item(context.language, 7, weekday);
}

int32_t ZodiacIndex(int32_t day, int32_t month) {
  if (month < 1 || month > 12) month = 1;
  if (day <= kZodiacBoundary[month - 1]) return month;
  return month == 12 ? 1 : month + 1;
}

// ---- today ---------------------------------------------------------------

DateTripleT TodayDate() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  return {local.tm_mday, local.tm_mon + 1, local.tm_year + 1900};
}

// ---- texts ---------------------------------------------------------------

DateTripleT ParseDate(const CalcContextT& context, std::string_view text, int32_t& day, int32_t& month,
                      int32_t& year) {
  std::string_view fields[3];
  for (auto& field : fields) {
    const size_t dot = text.find('.');
    field = text.substr(0, dot);
    text = dot == std::string_view::npos ? std::string_view() : text.substr(dot + 1);
  }
  day = TextToInt(fields[0]);
  month = TextToInt(fields[1]);
  year = TextToInt(fields[2]);
  if (day == 0) day = context.today.day;
  if (month == 0) month = context.today.month;
  if (year == 0) year = context.today.year;
  return {day, month, year};
}

DateTripleT ParseDate(const CalcContextT& context, std::string_view text) {
  int32_t d, m, y;
  return ParseDate(context, text, d, m, y);
}

std::string IntText(int64_t n) {
  std::string out;
  AppendIntText(out, n);
  return out;
}

void AppendIntText(std::string& out, int64_t n) {
  if (n >= 0 && n < 100) {  // most numbers of the results
    const char two[2] = {static_cast<char>('0' + (n < 10 ? n : n / 10)), static_cast<char>('0' + n % 10)};
    out.append(two, n < 10 ? 1 : 2);
    return;
  }
  char buf[24];
  // Years and counts mostly fit 32 bits, whose digits come from cheaper
  // arithmetic; (pointer, size), as the iterator form goes through replace.
  const auto res = n > 0 && n <= UINT32_MAX ? std::to_chars(buf, buf + sizeof buf, static_cast<uint32_t>(n))
                                            : std::to_chars(buf, buf + sizeof buf, n);
  out.append(buf, static_cast<size_t>(res.ptr - buf));
}

std::string PadNumber(int64_t n, int32_t width) {
  // Widths come from pattern letter counts; more than 255 is never meaningful.
  width = std::clamp(width, 0, 255);
  const uint64_t magnitude = n < 0 ? 0 - static_cast<uint64_t>(n) : static_cast<uint64_t>(n);
  char buf[24];
  auto res = std::to_chars(buf, buf + sizeof buf, magnitude);
  const int32_t digits = static_cast<int32_t>(res.ptr - buf);
  const int32_t want = n < 0 ? width - 1 : width;
  std::string out;
  out.reserve(static_cast<size_t>(std::max(want, digits)) + 1);
  if (n < 0) out += '-';
  if (want > digits) out.append(static_cast<size_t>(want - digits), '0');
  out.append(buf, res.ptr);
  return out;
}

std::string RealText(int32_t decimals, long double x) {
  decimals = std::clamp(decimals, 0, 11);
  if (x == 0) x = 0;  // no "-0.000"
  if (std::isnan(x)) return "NAN";
  if (std::isinf(x)) return x > 0 ? "INF" : "-INF";
  // Fixed notation of the largest long double needs about 4950 digits.
  static thread_local std::array<char, 5200> buf;
  // The double conversion is much faster and prints the same digits.
  const double asDouble = static_cast<double>(x);
  auto res = static_cast<long double>(asDouble) == x
                 ? std::to_chars(buf.data(), buf.data() + buf.size(), asDouble, std::chars_format::fixed, decimals)
                 : std::to_chars(buf.data(), buf.data() + buf.size(), x, std::chars_format::fixed, decimals);
  if (res.ec != std::errc()) return "0";
  return std::string(buf.data(), res.ptr);
}

std::string TrimmedRealText(int32_t decimals, long double x) {
  std::string t = RealText(decimals, x);
  const size_t dot = t.find('.');
  if (dot != std::string::npos) {
    size_t budget = t.size() - dot;
    while (budget > 0 && !t.empty() && (t.back() == '0' || t.back() == '.')) {
      const bool wasDot = t.back() == '.';
      t.pop_back();
      --budget;
      if (wasDot) break;
    }
  }
  // A small negative value rounds to zero, which has no sign.
  if (t == "-0") t = "0";
  return t;
}

int32_t TextToInt(std::string_view text) {
  // A field of one to nine digits after an optional "-", the usual case, is
  // read at once: it cannot overflow and the scan below reads it the same.
  const bool minus = !text.empty() && text[0] == '-';
  if (const std::string_view digits = text.substr(minus ? 1 : 0); !digits.empty() && digits.size() <= 9) {
    int32_t v = 0;
    size_t i = 0;
    for (; i < digits.size() && digits[i] >= '0' && digits[i] <= '9'; ++i) v = v * 10 + (digits[i] - '0');
    if (i == digits.size()) return minus ? -v : v;
  }
  // KeepNumber's reading, without keeping the digits: this runs for every
  // field of every batch line.
  bool any = false, fraction = false;
  int32_t digits = 0, fractionDigits = 0;
  int64_t v = 0;
  const bool negative = ScanNumber(text, [&](char c, bool inFraction) {
    any = true;
    if (inFraction) {
      if (fractionDigits < 64) {
        ++fractionDigits;
        fraction = fraction || c != '0';
      }
    } else if (digits > 0 || c != '0') {
      if (++digits <= 10) v = v * 10 + (c - '0');
    }
  });
  if (!any || digits > 10) return 0;
  // The real value must lie in the 32-bit range before it is truncated.
  if (negative) {
    if (v > 2147483648LL || (v == 2147483648LL && fraction)) return 0;
    return static_cast<int32_t>(-v);
  }
  if (v > 2147483647LL || (v == 2147483647LL && fraction)) return 0;
  return static_cast<int32_t>(v);
}

long double TextToReal(std::string_view text) {
  const KeptNumberT k = KeepNumber(text);
  if (!k.any) return 0;
  std::string s;
  s.reserve(k.digits.size() + k.fraction.size() + 3);
  if (k.negative) s += '-';
  s += k.digits.empty() ? "0" : k.digits;
  if (!k.fraction.empty()) {
    s += '.';
    s += k.fraction;
  }
  long double v = 0;
  auto res = std::from_chars(s.data(), s.data() + s.size(), v);
  if (res.ec != std::errc()) return 0;
  return v;
}

std::string WeekdayDateText(const CalcContextT& context, int32_t day, int32_t month, int32_t year) {
  std::string out(WeekdayName(context, day, month, year));
  out += ',';
  out += DateText(day, month, year);
  return out;
}

namespace {
void AppendTwoDigits(std::string& out, int32_t v) {
  if (v < 10) out += '0';
  out += IntText(v);
}
}  // namespace

std::string DateText(int32_t day, int32_t month, int32_t year) {
  std::string out;
  out.reserve(16);
  AppendTwoDigits(out, day);
  out += '.';
  AppendTwoDigits(out, month);
  out += '.';
  out += IntText(year);
  return out;
}

std::string FormatDate(const CalcContextT& context, std::string_view pattern, int32_t day, int32_t month,
                       int32_t year) {
  pattern = pattern.substr(0, 255);
  const auto count = [&](char c) { return static_cast<int32_t>(std::count(pattern.begin(), pattern.end(), c)); };
  const std::string dayText = PadNumber(day, count('d'));
  const std::string monthText = PadNumber(month, count('m'));
  std::string yearText = IntText(year);
  const size_t ny = static_cast<size_t>(count('y'));
  if (ny < yearText.size()) yearText = yearText.substr(yearText.size() - ny);
  const std::string_view weekday = WeekdayName(context, day, month, year);
  const std::string_view monthName = MonthName(context, month);
  const std::string_view sign = ZodiacName(context, day, month, year);
  const char* suffix = "th";
  if (day == 1 || day == 21 || day == 31) suffix = "st";
  else if (day == 2 || day == 22) suffix = "nd";
  else if (day == 3 || day == 23) suffix = "rd";
  const std::string_view ordinal = suffix;
  const std::string xText = count('x') ? TrimmedRealText(11, Count2323(day, month, year)) : std::string();
  const std::string bigXText = count('X') ? TrimmedRealText(11, Count2260(day, month, year)) : std::string();

  struct FieldT { char letter; std::string_view text; size_t taken; };
  FieldT fields[] = {{'d', dayText, 0},  {'m', monthText, 0}, {'y', yearText, 0},
                     {'D', weekday, 0},  {'M', monthName, 0}, {'z', sign, 0},
                     {'c', ordinal, 0},  {'x', xText, 0},     {'X', bigXText, 0}};
  std::string out;
  out.reserve(pattern.size() + 16);
  for (char c : pattern) {
    FieldT* field = nullptr;
    for (auto& f : fields) {
      if (f.letter == c) { field = &f; break; }
    }
    if (!field) {
      out += c;
    } else if (field->taken < field->text.size()) {
      out += field->text[field->taken++];
    }
  }
  return out;
}

std::string FormatToday(const CalcContextT& context, std::string_view pattern) {
  return FormatDate(context, pattern, context.today.day, context.today.month, context.today.year);
}
