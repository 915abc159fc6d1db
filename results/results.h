#pragma once
// Everything the window shows, computed from what the user typed. The window
// and the calendar grids display these results; they compute nothing again.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "dates/dater.h"
#include "holidays/workdays.h"

// Increment kinds, as the items of the kind boxes. Working days skip the
// weekend and holidays of the working-day calendar (Saturday and Sunday
// without one).
enum IncKindT : int32_t { kIncDays = 0, kIncWeeks = 1, kIncMonths = 2, kIncYears = 3, kIncWorkdays = 4 };

struct ResultInputT {
  // Today, language and week rule, as the caller sets them.
  CalcContextT context;
  std::string date1, date2;    // texts of Edit1 and Edit2
  int32_t kind1 = 0, kind2 = 0;  // item indexes of ComboBox1 and ComboBox2
  std::string count1, count2;  // texts of SpinEdit1 and SpinEdit2
  int64_t extra2 = 0;          // the add check box's amount for date 2
  // Weekend and holidays; without one the results count no working days
  // and name no holidays. The caller keeps it alive.
  const WorkCalendarT* workCalendar = nullptr;
  bool includeEnd = false;  // the later date counts as a day of the span
};

// Caption of the calendar's weekday column 0 (Monday) .. 6 (Sunday).
inline std::string_view WeekdayCaption(const CalcContextT& context, int32_t column) {
  return WeekdayNameOf(context, column + 1);
}

// One calendar cell: a short number held in place, so that refilling the
// calendars at every keystroke allocates nothing.
struct CellTextT {
  char data[15] = {};
  uint8_t size = 0;
  std::string_view view() const { return {data, size}; }
  bool empty() const { return size == 0; }
  friend bool operator==(const CellTextT& a, std::string_view b) { return a.view() == b; }
};

// How a calendar day stands against the working-day calendar; a holiday on
// the weekend is a holiday.
enum class DayMarkT : uint8_t { kNone = 0, kWeekend, kHoliday };

// The class a marked day's cell carries in HTML pages, for their style sheets.
inline std::string_view DayMarkClass(DayMarkT mark) {
  return mark == DayMarkT::kHoliday ? "holiday" : mark == DayMarkT::kWeekend ? "weekend" : "";
}

// A month calendar: table rows 1..6, table columns 0..6 (Monday..Sunday) and
// 10 (week number); columns 7..9 stay empty.
struct MonthCalendarT {
  static constexpr int32_t kRows = 6;
  static constexpr int32_t kWeekColumn = 10;
  std::string weekCaption;                           // "Week 12.2026"
  std::array<std::array<CellTextT, 11>, 7> cells;  // [row][column], row 0 unused
  int32_t ownRow = 0;                                // row and column of the date's day
  int32_t ownColumn = 0;
  int32_t month = 0, year = 0;
  // Only with a working-day calendar (marked true): the day cells' standing
  // and the holidays' names in the context's language, [row][column 0..6].
  bool marked = false;
  std::array<std::array<DayMarkT, 7>, 7> marks{};
  std::array<std::array<std::string, 7>, 7> holidays;
};

// The numbers of the difference; its sentence is written from them.
struct SpanT {
  int64_t years = 0, months = 0, days = 0;
  int64_t totalMonths = 0;
  int64_t totalWeeks = 0, weekDays = 0;  // the total days as weeks and days
  int64_t totalDays = 0;
};

// The facts of one date as numbers; its fact lines are written from them.
struct DateFactsT {
  int32_t weekday = 0;  // 1 = Monday
  int32_t zodiac = 0;   // 1 = Capricorn
  std::string_view weekdayName, zodiacName;
  int32_t dayOfYear = 0, weekOfMonth = 0, weekOfYear = 0, daysToNewYear = 0;
  bool leapYear = false;
};

// A date against the working-day calendar.
struct DateWorkdayT {
  bool workday = false;  // neither a weekend day nor a holiday
  bool holiday = false;
  std::string holidayName;  // in the context's language
};

// How a date field's text was read. A text the reader took apart (it dropped
// characters or extra fields, or read a field too large as today's) or whose
// date had to be carried gets a hint.
struct DateReadingT {
  DateTripleT read;     // the date read, carried into range
  bool dropped = false;  // characters or fields the reader ignored
  bool carried = false;  // day or month out of range
  bool overflowed = false;  // a field beyond 32 bits, read as today's
  std::string hint;      // "read as 24.07.2333"; empty when the text is plain
};

DateReadingT ReadDateField(const CalcContextT& context, std::string_view text);

// Texts are lines each ended by CR LF, except the difference's last line.
struct ResultsT {
  DateTripleT date1, date2;      // after normalisation and increment
  std::string label1, label2;    // month and year of each date
  std::string facts1, facts2;    // facts of date 1 and date 2
  std::string difference;        // the four difference lines
  MonthCalendarT calendar1, calendar2;
  CalcContextT context;          // the language and week rule of the texts
  SpanT span;
  DateFactsT info1, info2;
  DateReadingT reading1, reading2;  // how Edit1 and Edit2 were read
  // Only with a working-day calendar (workdays true): the working days
  // between the two dates and each date's standing.
  bool workdays = false;
  std::string_view region;  // the calendar's region code; empty without one
  bool includeEnd = false;
  WorkdayCountT workdayCount;
  DateWorkdayT work1, work2;
};

// Parts of the results, one bit each, in the order the JSON object lists them.
enum ResultPartT : uint32_t {
  kPartDate1 = 1u << 0,
  kPartDate2 = 1u << 1,
  kPartLabel1 = 1u << 2,
  kPartLabel2 = 1u << 3,
  kPartFacts1 = 1u << 4,
  kPartFacts2 = 1u << 5,
  kPartDifference = 1u << 6,
  kPartCalendar1 = 1u << 7,
  kPartCalendar2 = 1u << 8,
  kPartSpan = 1u << 9,
  kPartInfo1 = 1u << 10,
  kPartInfo2 = 1u << 11,
  kPartWorkdays = 1u << 12,
};
using ResultPartsT = uint32_t;
inline constexpr int32_t kResultPartCount = 13;
inline constexpr ResultPartsT kAllResultParts = (1u << kResultPartCount) - 1;

// One case with its texts already read: the dates as read (not yet
// normalised) and the increments as numbers.
struct ResultCaseT {
  DateTripleT date1, date2;
  int32_t kind1 = 0, kind2 = 0;
  int64_t count1 = 0, count2 = 0;
  const WorkCalendarT* workCalendar = nullptr;  // as in ResultInputT
  bool includeEnd = false;
};

// The increment of one date: normalised first, then the count of its kind.
// Working days follow calendar, or Saturday and Sunday when it is null; a
// shift past the year range stops at its first or last day, as days do.
DateTripleT ApplyIncrement(int32_t kind, int64_t count, int32_t& day, int32_t& month, int32_t& year,
                           const WorkCalendarT* calendar = nullptr);

// A date's standing in a calendar; the holiday named in language.
void FillDateWorkday(DateWorkdayT& work, const WorkCalendarT& calendar, uint8_t language, const DateTripleT& date);

// Memo text builders.
void AppendText(std::string& memo, std::string_view text);
void AppendLine(std::string& memo, std::string_view text);
void AddCountItem(std::string& memo, int64_t count, std::string_view name, std::string_view plural);

// Calls f with each line of a memo text, without its CR LF; a CR without a LF
// stays in its line, and a final CR LF starts no empty line.
template <typename F>
void ForEachLine(std::string_view memo, F&& f) {
  size_t start = 0;
  while (start < memo.size()) {
    size_t end = memo.find('\r', start);
    while (end != std::string_view::npos && (end + 1 >= memo.size() || memo[end + 1] != '\n')) {
      end = memo.find('\r', end + 1);
    }
    if (end == std::string_view::npos) {
      f(memo.substr(start));
      return;
    }
    f(memo.substr(start, end - start));
    start = end + 2;
  }
}

// A line without its trailing blanks (the difference lines end in one).
inline std::string_view TrimmedRight(std::string_view line) {
  while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
  return line;
}

SpanT SpanOf(const DateDiffT& diff);
DateFactsT DateFactsOf(const CalcContextT& context, int32_t day, int32_t month, int32_t year);

// The texts, in the language given, are appended to what memo holds, so a
// reused memo allocates nothing.
void AppendDifferenceText(std::string& memo, uint8_t language, const SpanT& span);
// The line "N Working Days" after the difference lines.
void AppendWorkdaysText(std::string& memo, uint8_t language, const WorkdayCountT& count);
void AppendDateFacts(std::string& memo, uint8_t language, const DateFactsT& facts, int32_t day, int32_t month,
                     int32_t year);
std::string DifferenceText(const CalcContextT& context, const DateDiffT& diff);
std::string ShowDateFacts(const CalcContextT& context, int32_t day, int32_t month, int32_t year);
// With a working-day calendar the day cells are marked too.
void FillMonthCalendarCells(MonthCalendarT& calendar, const CalcContextT& context, int32_t day, int32_t month,
                            int32_t year, const WorkCalendarT* work = nullptr);

// The texts of the input read as the window reads its fields.
ResultCaseT ReadResultInput(const ResultInputT& input);

// The whole recalculation; it reads nothing but its input. Only the parts
// asked for are computed; the others keep what they held.
void ComputeResults(ResultsT& results, const CalcContextT& context, const ResultCaseT& input,
                    ResultPartsT parts = kAllResultParts);
void ComputeResults(ResultsT& results, const ResultInputT& input);
ResultsT ComputeResults(const ResultInputT& input);
