#include "app/results.h"

#include <algorithm>
#include "app/texts.h"
#include <charconv>
#include <cstdint>

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Extended precision from the integers, rounded to double for printing.
std::string Fraction(uint8_t language, long double value, TextT unit) {
  std::string number = RealText(3, static_cast<double>(value));
  // German writes a decimal comma: "1.205" would read as a thousand and more.
  const std::string_view point = LangText(language, TextT::kDecimalPoint);
  if (const size_t dot = number.find('.'); dot != std::string::npos && point != ".") number.replace(dot, 1, point);
  std::string line = "= ";
  line += number;
  line += ' ';
  line += LangText(language, unit);
  return line;
}

// Cells are written in place: the calendar is refilled at every keystroke.
void SetNumber(CellTextT& cell, int32_t n) {
  const auto res = std::to_chars(cell.data, cell.data + sizeof cell.data, n);
  cell.size = static_cast<uint8_t>(res.ptr - cell.data);
}

}  // namespace

DateTripleT ApplyIncrement(int32_t kind, int64_t count, int32_t& day, int32_t& month, int32_t& year) {
  NormalizeDate(day, month, year);
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
    default: return {day, month, year};
  }
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

std::string DifferenceText(const CalcContextT& context, const DateDiffT& diff) {
  const uint8_t lang = context.language;
  const int64_t y = diff.years, m = diff.months, d = diff.days;
  const int64_t tm = diff.totalMonths, td = diff.totalDays;
  const auto item = [lang](std::string& memo, int64_t n, TextT name) {
    AddCountItem(memo, n, LangText(lang, name), LangText(lang, static_cast<TextT>(static_cast<int>(name) + 1)));
  };
  std::string memo;
  memo.reserve(160);
  item(memo, y, TextT::kYear);
  item(memo, m, TextT::kMonth);
  item(memo, d, TextT::kDay);
  AppendLine(memo, Fraction(lang, static_cast<long double>(y) + m / 12.0L + d / 365.2425L, TextT::kYears));
  item(memo, tm, TextT::kMonth);
  item(memo, d / 7, TextT::kWeek);
  item(memo, d % 7, TextT::kDay);
  AppendLine(memo, Fraction(lang, static_cast<long double>(tm) + d / 30.436875L, TextT::kMonths));
  item(memo, td / 7, TextT::kWeek);
  item(memo, td % 7, TextT::kDay);
  AppendLine(memo, Fraction(lang, static_cast<long double>(td / 7) + td % 7 / 7.0L, TextT::kWeeks));
  item(memo, td, TextT::kDay);
  return memo;
}

std::string ShowDateFacts(const CalcContextT& context, int32_t day, int32_t month, int32_t year) {
  std::string memo;
  memo.reserve(128);
  std::string line(WeekdayName(context, day, month, year));
  line += ", ";
  line += PadNumber(day, 2);
  line += '.';
  line += PadNumber(month, 2);
  line += '.';
  line += IntText(year);
  line += " (";
  line += ZodiacName(context, day, month, year);
  line += ')';
  AppendLine(memo, line);
  const auto numberLine = [&memo](std::string_view before, int32_t n, std::string_view after) {
    memo += before;
    AppendIntText(memo, n);
    AppendLine(memo, after);
  };
  const uint8_t lang = context.language;
  numberLine(LangText(lang, TextT::kDayOfYear), DayOfYearNo(day, month, year), "");
  numberLine(LangText(lang, TextT::kWeekOfMonth), WeekOfMonthNo(day), "");
  numberLine(LangText(lang, TextT::kWeekOfYear), WeekOfYearNo(context, day, month, year), "");
  const int32_t toNewYear = DaysToNewYear(day, month, year);
  numberLine(LangText(lang, TextT::kNewYearIn), toNewYear,
             LangText(lang, toNewYear == 1 ? TextT::kNewYearDay : TextT::kNewYearDays));
  return memo;
}

void FillMonthCalendarCells(MonthCalendarT& calendar, const CalcContextT& context, int32_t day, int32_t month,
                            int32_t year) {
  for (auto& row : calendar.cells) {
    for (auto& cell : row) cell.size = 0;
  }
  calendar.month = month;
  calendar.year = year;
  calendar.weekCaption = std::string(LangText(context.language, TextT::kWeekCaption)) + PadNumber(month, 2) + "." +
                         PadNumber(year, 4);
  calendar.ownRow = 0;
  calendar.ownColumn = 0;
  int32_t c = WeekdayOf(1, month, year) - 1;
  int32_t r = 1;
  const int32_t length = MonthLength(month, year);
  for (int32_t k = 1; k <= length; ++k) {
    if (c == 0 || k == 1) SetNumber(calendar.cells[r][MonthCalendarT::kWeekColumn], WeekOfYearNo(context, k, month, year));
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
}

void ComputeResults(ResultsT& results, const ResultInputT& input) {
  const CalcContextT& context = input.context;
  results.context = context;
  DateTripleT& a = results.date1;
  DateTripleT& b = results.date2;
  a = ParseDate(context, input.date1);
  ApplyIncrement(input.kind1, TextToInt(input.count1), a.day, a.month, a.year);
  b = ParseDate(context, input.date2);
  // The add amount is a window width in practice; clamped so the sum cannot overflow.
  const int64_t extra = std::clamp<int64_t>(input.extra2, -(int64_t{1} << 62), int64_t{1} << 62);
  ApplyIncrement(input.kind2, int64_t{TextToInt(input.count2)} + extra, b.day, b.month, b.year);

  FillMonthCalendarCells(results.calendar1, context, a.day, a.month, a.year);
  FillMonthCalendarCells(results.calendar2, context, b.day, b.month, b.year);
  results.label1 = std::string(MonthName(context, a.month)) + " " + IntText(a.year);
  results.label2 = std::string(MonthName(context, b.month)) + " " + IntText(b.year);
  const DateDiffT diff = DateDifference(a, b);
  results.facts1 = ShowDateFacts(context, a.day, a.month, a.year);
  results.facts2 = ShowDateFacts(context, b.day, b.month, b.year);
  results.difference = DifferenceText(context, diff);
  const std::string_view leap = LangText(context.language, TextT::kLeapYear);
  if (LeapYear(a.year)) AppendLine(results.facts1, leap);
  if (LeapYear(b.year)) AppendLine(results.facts2, leap);
}

ResultsT ComputeResults(const ResultInputT& input) {
  ResultsT results;
  ComputeResults(results, input);
  return results;
}
