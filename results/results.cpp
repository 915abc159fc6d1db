#include "results/results.h"

#include <algorithm>
#include <array>

#include "results/texts.h"
#include <charconv>
#include <cstdint>
#include <limits>
#include <optional>

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Three decimals of a value, rounded to nearest with ties to even as
// to_chars rounds, from integers: a significand of 64 bits holds the double
// times 1000 exactly. False where that does not hold.
bool AppendThreeDecimals(std::string& memo, double v) {
  if constexpr (std::numeric_limits<long double>::digits < 64) return false;
  if (!(v >= 0 && v < 1e15)) return false;
  const long double scaled = static_cast<long double>(v) * 1000;
  auto whole = static_cast<uint64_t>(scaled);
  const long double rest = scaled - static_cast<long double>(whole);
  if (rest > 0.5L || (rest == 0.5L && (whole & 1) != 0)) ++whole;
  AppendIntText(memo, static_cast<int64_t>(whole / 1000));
  const auto decimals = static_cast<int32_t>(whole % 1000);
  const char digits[4] = {'.', static_cast<char>('0' + decimals / 100), static_cast<char>('0' + decimals / 10 % 10),
                          static_cast<char>('0' + decimals % 10)};
  memo.append(digits, 4);
  return true;
}

// "= " and the value with three decimals: extended precision from the
// integers, rounded to double for printing, as RealText prints it.
void AppendFraction(std::string& memo, uint8_t language, long double value, TextT unit) {
  double shown = static_cast<double>(value);
  if (shown == 0) shown = 0;  // no "-0.000"
  memo += "= ";
  const size_t start = memo.size();
  if (!AppendThreeDecimals(memo, shown)) {
    char buf[400];  // fixed notation of the largest double
    const auto res = std::to_chars(buf, buf + sizeof buf, shown, std::chars_format::fixed, 3);
    memo.append(buf, res.ec == std::errc() ? static_cast<size_t>(res.ptr - buf) : 0);
  }
  // German writes a decimal comma: "1.205" would read as a thousand and more.
  const std::string_view point = LangText(language, TextT::kDecimalPoint);
  if (point != ".") {
    if (const size_t dot = memo.find('.', start); dot != std::string::npos) memo.replace(dot, 1, point);
  }
  memo += ' ';
  memo += LangText(language, unit);
}

void AppendPadded2(std::string& out, int32_t n) {
  if (n >= 0 && n < 10) out += '0';
  if (n >= 0) AppendIntText(out, n);
  else out += PadNumber(n, 2);
}

// Cells are written in place: the calendar is refilled at every keystroke.
// Days and weeks come from a table.
constexpr std::array<CellTextT, 100> kSmallNumbers = [] {
  std::array<CellTextT, 100> table{};
  for (int32_t k = 0; k < 100; ++k) {
    CellTextT& cell = table[static_cast<size_t>(k)];
    if (k >= 10) cell.data[cell.size++] = static_cast<char>('0' + k / 10);
    cell.data[cell.size++] = static_cast<char>('0' + k % 10);
  }
  return table;
}();

void SetNumber(CellTextT& cell, int32_t n) {
  if (n >= 0 && n < 100) {
    cell = kSmallNumbers[static_cast<size_t>(n)];
    return;
  }
  const auto res = std::to_chars(cell.data, cell.data + sizeof cell.data, n);
  cell.size = static_cast<uint8_t>(res.ptr - cell.data);
}

// Whether the reader ignores part of a field: it takes a leading "-" and the
// digits; everything else, and every field after the third, is dropped.
bool DropsCharacters(std::string_view text) {
  int32_t field = 0;
  bool fieldStart = true;
  for (char c : text) {
    if (c == '.') {
      if (++field > 2) return true;
      fieldStart = true;
      continue;
    }
    if (!((c >= '0' && c <= '9') || (c == '-' && fieldStart))) return true;
    fieldStart = false;
  }
  return false;
}

// Whether a field holds a number beyond 32 bits, which the reader takes as
// 0 and so as today's value.
bool OverflowsField(std::string_view text) {
  for (int32_t i = 0; i < 3; ++i) {
    const size_t dot = text.find('.');
    const std::string_view field = text.substr(0, dot);
    if (field.find_first_of("123456789") != std::string_view::npos && TextToInt(field) == 0) return true;
    if (dot == std::string_view::npos) break;
    text.remove_prefix(dot + 1);
  }
  return false;
}

}  // namespace

DateReadingT ReadDateField(const CalcContextT& context, std::string_view text) {
  DateReadingT reading;
  const DateTripleT parsed = ParseDate(context, text);
  reading.read = parsed;
  NormalizeDate(reading.read.day, reading.read.month, reading.read.year);
  reading.dropped = DropsCharacters(text);
  reading.carried = reading.read.day != parsed.day || reading.read.month != parsed.month ||
                    reading.read.year != parsed.year;
  reading.overflowed = OverflowsField(text);
  if (reading.dropped || reading.carried || reading.overflowed)
    reading.hint = std::string(LangText(context.language, TextT::kReadAs)) +
                   DateText(reading.read.day, reading.read.month, reading.read.year);
  return reading;
}

namespace {

// Working days without a calendar of the user's: Saturday and Sunday off.
const WorkCalendarT& WeekendOnlyCalendar() {
  static const WorkCalendarT calendar = [] {
    WorkCalendarT c;
    InitWorkCalendar(c, WeekendT{}, nullptr, {});
    return c;
  }();
  return calendar;
}

DateTripleT ShiftByWorkdays(const WorkCalendarT& calendar, int64_t count, int32_t& day, int32_t& month,
                            int32_t& year) {
  const WorkdayShiftT shift = ShiftWorkdays(calendar, {day, month, year}, count);
  const DateTripleT end = count > 0 ? DateTripleT{31, 12, INT32_MAX} : DateTripleT{1, 1, INT32_MIN};
  const DateTripleT d = shift.error.empty() ? shift.date : end;
  day = d.day;
  month = d.month;
  year = d.year;
  return d;
}

}  // namespace

DateTripleT ApplyIncrement(int32_t kind, int64_t count, int32_t& day, int32_t& month, int32_t& year,
                           const WorkCalendarT* calendar) {
  NormalizeDate(day, month, year);
  // Nothing to add, the batch's usual case: no call at all.
  if (count == 0 && (kind == kIncDays || kind == kIncWeeks)) return {day, month, year};
  switch (kind) {
    case kIncDays: return AddDays(day, month, year, count);
    case kIncWeeks: {
      // Beyond this the product would overflow; the days reach the end of the
      // year range long before it.
      constexpr int64_t kMaxWeeks = INT64_MAX / 7;
      return AddDays(day, month, year, std::clamp(count, -kMaxWeeks, kMaxWeeks) * 7);
    }
    case kIncMonths: return AddMonths(day, month, year, count);
    case kIncYears: return AddYears(day, month, year, count);
    case kIncWorkdays:
      return ShiftByWorkdays(calendar ? *calendar : WeekendOnlyCalendar(), count, day, month, year);
    default: return {day, month, year};
  }
}

void FillDateWorkday(DateWorkdayT& work, const WorkCalendarT& calendar, uint8_t language, const DateTripleT& date) {
  const std::optional<HolidayT> holiday = HolidayOn(calendar, date);
  const bool weekend = (calendar.weekend.mask >> (WeekdayOf(date.day, date.month, date.year) - 1)) & 1;
  work.workday = !weekend && !holiday;
  work.holiday = holiday.has_value();
  if (holiday) work.holidayName = HolidayName(*holiday, language);
  else work.holidayName.clear();
}

void AppendText(std::string& memo, std::string_view text) { memo += text; }

void AppendLine(std::string& memo, std::string_view text) {
  memo += text;
  memo += kLineEnd;
}

void AddCountItem(std::string& memo, int64_t count, std::string_view name, std::string_view plural) {
  AppendIntText(memo, count);
  memo += ' ';
  memo += name;
  if (count != 1) memo += plural;
  memo += ' ';
}

SpanT SpanOf(const DateDiffT& diff) {
  SpanT span;
  span.years = diff.years;
  span.months = diff.months;
  span.days = diff.days;
  span.totalMonths = diff.totalMonths;
  span.totalWeeks = diff.totalDays / 7;
  span.weekDays = diff.totalDays % 7;
  span.totalDays = diff.totalDays;
  return span;
}

DateFactsT DateFactsOf(const CalcContextT& context, int32_t day, int32_t month, int32_t year) {
  DateFactsT f;
  f.weekday = WeekdayOf(day, month, year);
  f.zodiac = ZodiacIndex(day, month);
  f.weekdayName = WeekdayNameOf(context, f.weekday);
  f.zodiacName = ZodiacName(context, day, month, year);
  f.dayOfYear = DayOfYearNo(day, month, year);
  f.weekOfMonth = WeekOfMonthNo(day);
  f.weekOfYear = WeekOfYearNo(context, day, month, year, f.weekday);
  f.daysToNewYear = DaysToNewYear(day, month, year);
  f.leapYear = LeapYear(year);
  return f;
}

void AppendDifferenceText(std::string& memo, uint8_t lang, const SpanT& s) {
  const auto item = [lang, &memo](int64_t n, TextT name) {
    AddCountItem(memo, n, LangText(lang, name), LangText(lang, static_cast<TextT>(static_cast<int>(name) + 1)));
  };
  item(s.years, TextT::kYear);
  item(s.months, TextT::kMonth);
  item(s.days, TextT::kDay);
  AppendFraction(memo, lang, static_cast<long double>(s.years) + s.months / 12.0L + s.days / 365.2425L,
                 TextT::kYears);
  memo += kLineEnd;
  item(s.totalMonths, TextT::kMonth);
  item(s.days / 7, TextT::kWeek);
  item(s.days % 7, TextT::kDay);
  AppendFraction(memo, lang, static_cast<long double>(s.totalMonths) + s.days / 30.436875L, TextT::kMonths);
  memo += kLineEnd;
  item(s.totalWeeks, TextT::kWeek);
  item(s.weekDays, TextT::kDay);
  AppendFraction(memo, lang, static_cast<long double>(s.totalWeeks) + s.weekDays / 7.0L, TextT::kWeeks);
  memo += kLineEnd;
  item(s.totalDays, TextT::kDay);
}

void AppendWorkdaysText(std::string& memo, uint8_t language, const WorkdayCountT& count) {
  memo += kLineEnd;
  AddCountItem(memo, count.count, LangText(language, TextT::kWorkingDay), LangText(language, TextT::kWorkingDayPlural));
}

std::string DifferenceText(const CalcContextT& context, const DateDiffT& diff) {
  std::string memo;
  memo.reserve(160);
  AppendDifferenceText(memo, context.language, SpanOf(diff));
  return memo;
}

void AppendDateFacts(std::string& memo, uint8_t lang, const DateFactsT& f, int32_t day, int32_t month,
                     int32_t year) {
  memo += f.weekdayName;
  memo += ", ";
  AppendPadded2(memo, day);
  memo += '.';
  AppendPadded2(memo, month);
  memo += '.';
  AppendIntText(memo, year);
  memo += " (";
  memo += f.zodiacName;
  memo += ')';
  memo += kLineEnd;
  const auto numberLine = [&memo](std::string_view before, int32_t n, std::string_view after) {
    memo += before;
    AppendIntText(memo, n);
    AppendLine(memo, after);
  };
  numberLine(LangText(lang, TextT::kDayOfYear), f.dayOfYear, "");
  numberLine(LangText(lang, TextT::kWeekOfMonth), f.weekOfMonth, "");
  numberLine(LangText(lang, TextT::kWeekOfYear), f.weekOfYear, "");
  numberLine(LangText(lang, TextT::kNewYearIn), f.daysToNewYear,
             LangText(lang, f.daysToNewYear == 1 ? TextT::kNewYearDay : TextT::kNewYearDays));
}

std::string ShowDateFacts(const CalcContextT& context, int32_t day, int32_t month, int32_t year) {
  std::string memo;
  memo.reserve(128);
  AppendDateFacts(memo, context.language, DateFactsOf(context, day, month, year), day, month, year);
  return memo;
}

namespace {

// The month's days off and holidays: one year of the region's list, filtered.
void MarkMonthCalendar(MonthCalendarT& calendar, const CalcContextT& context, const WorkCalendarT& work) {
  calendar.marked = true;
  const int32_t first = WeekdayOf(1, calendar.month, calendar.year) - 1;
  const auto cellOf = [first](int32_t day, int32_t& r, int32_t& c) {
    r = (first + day - 1) / 7 + 1;
    c = (first + day - 1) % 7;
  };
  const int32_t length = MonthLength(calendar.month, calendar.year);
  for (int32_t k = 1; k <= length; ++k) {
    int32_t r = 0, c = 0;
    cellOf(k, r, c);
    calendar.marks[r][c] = (work.weekend.mask >> c) & 1 ? DayMarkT::kWeekend : DayMarkT::kNone;
  }
  for (const HolidayT& holiday : HolidaysInYears(work, calendar.year, calendar.year)) {
    if (holiday.date.month != calendar.month) continue;
    int32_t r = 0, c = 0;
    cellOf(holiday.date.day, r, c);
    calendar.marks[r][c] = DayMarkT::kHoliday;
    calendar.holidays[r][c] = HolidayName(holiday, context.language);
  }
}

}  // namespace

void FillMonthCalendarCells(MonthCalendarT& calendar, const CalcContextT& context, int32_t day, int32_t month,
                            int32_t year, const WorkCalendarT* work) {
  // Marks and names are only ever set with marked: an unmarked calendar has
  // none to clear, which spares the batch 98 stores a calendar.
  if (calendar.marked) {
    calendar.marked = false;
    for (auto& row : calendar.marks) row.fill(DayMarkT::kNone);
    for (auto& row : calendar.holidays)
      for (std::string& name : row) name.clear();
  }
  // Only the day and week cells are ever written; the others stay empty.
  for (int32_t r = 1; r <= MonthCalendarT::kRows; ++r) {
    for (int32_t c = 0; c < 7; ++c) calendar.cells[r][c].size = 0;
    calendar.cells[r][MonthCalendarT::kWeekColumn].size = 0;
  }
  calendar.month = month;
  calendar.year = year;
  calendar.weekCaption.assign(LangText(context.language, TextT::kWeekCaption));
  AppendPadded2(calendar.weekCaption, month);
  calendar.weekCaption += '.';
  if (year >= 0 && year < 1000) calendar.weekCaption.append(year < 10 ? 3 : year < 100 ? 2 : 1, '0');
  if (year >= 0) AppendIntText(calendar.weekCaption, year);
  else calendar.weekCaption += PadNumber(year, 4);
  calendar.ownRow = 0;
  calendar.ownColumn = 0;
  int32_t c = WeekdayOf(1, month, year) - 1;
  int32_t r = 1;
  const int32_t length = MonthLength(month, year);
  for (int32_t k = 1; k <= length; ++k) {
    if (c == 0 || k == 1)
      SetNumber(calendar.cells[r][MonthCalendarT::kWeekColumn], WeekOfYearNo(context, k, month, year, c + 1));
    SetNumber(calendar.cells[r][c], k);
    if (k == day) {
      calendar.ownRow = r;
      calendar.ownColumn = c;
    }
    if (++c > 6) {
      c = 0;
      ++r;
    }
  }
  if (work) MarkMonthCalendar(calendar, context, *work);
}

ResultCaseT ReadResultInput(const ResultInputT& input) {
  ResultCaseT c;
  c.date1 = ParseDate(input.context, input.date1);
  c.date2 = ParseDate(input.context, input.date2);
  c.kind1 = input.kind1;
  c.kind2 = input.kind2;
  c.count1 = TextToInt(input.count1);
  // The add amount is a window width in practice; clamped so the sum cannot overflow.
  c.count2 = TextToInt(input.count2) + std::clamp<int64_t>(input.extra2, -(int64_t{1} << 62), int64_t{1} << 62);
  c.workCalendar = input.workCalendar;
  c.includeEnd = input.includeEnd;
  return c;
}

void ComputeResults(ResultsT& results, const CalcContextT& context, const ResultCaseT& input, ResultPartsT parts) {
  results.context = context;
  DateTripleT& a = results.date1;
  DateTripleT& b = results.date2;
  const WorkCalendarT* work = input.workCalendar;
  a = input.date1;
  ApplyIncrement(input.kind1, input.count1, a.day, a.month, a.year, work);
  b = input.date2;
  ApplyIncrement(input.kind2, input.count2, b.day, b.month, b.year, work);
  results.workdays = work != nullptr;
  results.includeEnd = input.includeEnd;
  results.region = work && work->region ? work->region->code : std::string_view();

  if (parts & kPartCalendar1) FillMonthCalendarCells(results.calendar1, context, a.day, a.month, a.year, work);
  if (parts & kPartCalendar2) FillMonthCalendarCells(results.calendar2, context, b.day, b.month, b.year, work);
  const auto label = [&context](std::string& text, const DateTripleT& d) {
    text.assign(MonthName(context, d.month));
    text += ' ';
    AppendIntText(text, d.year);
  };
  if (parts & kPartLabel1) label(results.label1, a);
  if (parts & kPartLabel2) label(results.label2, b);
  const auto facts = [&context, work](std::string* text, DateFactsT& info, DateWorkdayT& standing,
                                      const DateTripleT& d) {
    info = DateFactsOf(context, d.day, d.month, d.year);
    if (work) FillDateWorkday(standing, *work, context.language, d);
    if (!text) return;
    text->clear();
    AppendDateFacts(*text, context.language, info, d.day, d.month, d.year);
    if (info.leapYear) AppendLine(*text, LangText(context.language, TextT::kLeapYear));
    if (work && standing.holiday) {
      *text += LangText(context.language, TextT::kHoliday);
      AppendLine(*text, standing.holidayName);
    }
  };
  if (parts & (kPartFacts1 | kPartInfo1))
    facts(parts & kPartFacts1 ? &results.facts1 : nullptr, results.info1, results.work1, a);
  if (parts & (kPartFacts2 | kPartInfo2))
    facts(parts & kPartFacts2 ? &results.facts2 : nullptr, results.info2, results.work2, b);
  if (parts & (kPartSpan | kPartDifference)) results.span = SpanOf(DateDifference(a, b));
  if (work && (parts & (kPartWorkdays | kPartDifference)))
    results.workdayCount = CountWorkdays(*work, a, b, input.includeEnd);
  if (parts & kPartDifference) {
    results.difference.clear();
    AppendDifferenceText(results.difference, context.language, results.span);
    if (work) AppendWorkdaysText(results.difference, context.language, results.workdayCount);
  }
}

void ComputeResults(ResultsT& results, const ResultInputT& input) {
  // How the window's fields were read, for their hints.
  results.reading1 = ReadDateField(input.context, input.date1);
  results.reading2 = ReadDateField(input.context, input.date2);
  ComputeResults(results, input.context, ReadResultInput(input));
}

ResultsT ComputeResults(const ResultInputT& input) {
  ResultsT results;
  ComputeResults(results, input);
  return results;
}
