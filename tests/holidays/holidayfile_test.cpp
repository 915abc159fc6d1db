#include "holidays/holidayfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <limits>

#include "tests/support/ScopedTempDir.h"

namespace {

constexpr int32_t kOpen = std::numeric_limits<int32_t>::max();

struct EntryT {
  int32_t month, day, firstYear, lastYear;
  std::string name;
  bool operator==(const EntryT&) const = default;
};

std::vector<EntryT> Entries(const HolidayFileT& file) {
  std::vector<EntryT> out;
  for (const CustomHolidayT& h : file.holidays) out.push_back({h.month, h.day, h.firstYear, h.lastYear, h.name});
  return out;
}

TEST(HolidayList, ReadsLines) {
  const std::string text =
      "\xEF\xBB\xBF# company holidays\r\n"
      "\r\n"
      "2026-12-24 Christmas Eve\r\n"
      "  2026-12-31\tNew Year's Eve  \n"
      "-0044-03-15 Ides of March\n"
      "2024-02-29 Leap \xC3\xA4 day\n"    // UTF-8
      "2025-10-03 Tag der Einheit \xE4\n"  // Windows-1252
      "2147483647-12-31 Last day";
  const HolidayFileT file = ReadHolidays(text, "holidays.txt");
  EXPECT_EQ(file.error, "");
  const std::vector<EntryT> want = {{12, 24, 2026, 2026, "Christmas Eve"},   {12, 31, 2026, 2026, "New Year's Eve"},
                                    {3, 15, -44, -44, "Ides of March"},      {2, 29, 2024, 2024, "Leap \xE4 day"},
                                    {10, 3, 2025, 2025, "Tag der Einheit \xE4"}, {12, 31, kOpen, kOpen, "Last day"}};
  EXPECT_EQ(Entries(file), want);
  EXPECT_TRUE(ReadHolidays("", "empty.txt").holidays.empty());
  EXPECT_EQ(ReadHolidays("# only a comment\n\n", "x").error, "");
}

TEST(HolidayList, ErrorsNameFileLineAndReason) {
  const std::pair<const char*, const char*> cases[] = {
      {"2026-12-24 ok\nfoo\n", "h.txt:2: expected YYYY-MM-DD name"},
      {"2026-12-24", "h.txt:1: the name is missing after 2026-12-24"},
      {"2026-12-24   \t", "h.txt:1: the name is missing after 2026-12-24"},
      {"2026-12-24x name", "h.txt:1: expected YYYY-MM-DD name"},
      {"2026-1-24 name", "h.txt:1: expected YYYY-MM-DD name"},
      {"26.12.2026 name", "h.txt:1: expected YYYY-MM-DD name"},
      {"\n\n# c\n2023-02-29 name", "h.txt:4: no such date 2023-02-29"},
      {"2026-13-01 name", "h.txt:1: no such date 2026-13-01"},
      {"0000-01-01 name", "h.txt:1: there is no year 0 (the year before 1 is -1)"},
      {"2147483648-01-01 name", "h.txt:1: the year of 2147483648-01-01 is out of range"},
      {"12345678901-01-01 name", "h.txt:1: expected YYYY-MM-DD name"},
  };
  for (const auto& [text, message] : cases) {
    const HolidayFileT file = ReadHolidays(text, "h.txt");
    EXPECT_EQ(file.error, message) << text;
    EXPECT_TRUE(file.holidays.empty());
  }
  EXPECT_EQ(ReadHolidays("-2147483648-01-01 first", "h").holidays.at(0).firstYear, std::numeric_limits<int32_t>::min());
  // Control characters in a name become spaces.
  EXPECT_EQ(ReadHolidays("2026-01-01 a\x01" "b", "h").holidays.at(0).name, "a b");
}

TEST(HolidayFile, FromDisk) {
  const std::filesystem::path missing = std::filesystem::path(HOLIDAYS_TEST_DATA) / "no-such-file.txt";
  const HolidayFileT file = ReadHolidayFile(missing);
  EXPECT_NE(file.error.find("no-such-file.txt: cannot read: "), std::string::npos) << file.error;
  // A folder is an error, not an exception; a file past any calendar's size is
  // refused before it fills the memory (a device that never ends too).
  EXPECT_NE(ReadHolidayFile(HOLIDAYS_TEST_DATA).error.find(": cannot read: "), std::string::npos);
  const ScopedTempDir dir;
  const std::filesystem::path huge = dir.path() / "huge.txt";
  std::ofstream(huge) << "2026-01-01 a\n";
  std::filesystem::resize_file(huge, 17u << 20);
  EXPECT_NE(ReadHolidayFile(huge).error.find(": cannot read: more than 16777216 bytes"), std::string::npos);
#ifndef _WIN32
  EXPECT_NE(ReadHolidayFile("/dev/zero").error.find("/dev/zero: cannot read: more than"), std::string::npos);
#endif
}

TEST(ICalendar, FileMadeByPythonIcalendar) {
  const HolidayFileT file = ReadHolidayFile(std::filesystem::path(HOLIDAYS_TEST_DATA) / "made-by-icalendar.ics");
  if (!IcsSupported()) {
    EXPECT_NE(file.error.find("made-by-icalendar.ics: iCalendar files are not available in this build"),
              std::string::npos);
    return;
  }
  EXPECT_EQ(file.error, "");
  const std::vector<EntryT> want = {
      {12, 24, 2020, kOpen, "Heiligabend \xE4"}, {3, 3, 2021, 2021, "Betriebsausflug"},
      {3, 4, 2021, 2021, "Betriebsausflug"},     {3, 5, 2021, 2021, "Betriebsausflug"},
      {2, 29, 2024, 2032, "Leap day"},           {7, 1, 2000, 2001, "Summer party"},
      {7, 1, 2003, 2004, "Summer party"},        {12, 6, 1999, 2008, "St. Nicholas \x80"},
  };
  EXPECT_EQ(Entries(file), want);
}

TEST(ICalendar, ExcludedAndAddedDates) {
  if (!IcsSupported()) GTEST_SKIP() << "built without libical";
  const HolidayFileT file = ReadHolidays(
      "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:1\r\nDTSTART;VALUE=DATE:20200105\r\nSUMMARY:Fair\r\n"
      "RRULE:FREQ=YEARLY;COUNT=4\r\nEXDATE;VALUE=DATE:20210105,20230105\r\nRDATE;VALUE=DATE:20300107\r\n"
      "END:VEVENT\r\nEND:VCALENDAR\r\n",
      "fair.ics");
  EXPECT_EQ(file.error, "");
  const std::vector<EntryT> want = {{1, 5, 2020, 2020, "Fair"}, {1, 5, 2022, 2022, "Fair"}, {1, 7, 2030, 2030, "Fair"}};
  EXPECT_EQ(Entries(file), want);
}

TEST(ICalendar, ErrorsNameTheEventsLine) {
  if (!IcsSupported()) GTEST_SKIP() << "built without libical";
  const std::string head = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:x\r\n";
  const auto event = [](const std::string& body) { return "BEGIN:VEVENT\r\nUID:1\r\n" + body + "END:VEVENT\r\n"; };
  const std::string fine = event("DTSTART;VALUE=DATE:20260101\r\nSUMMARY:ok\r\n");
  const std::pair<std::string, std::string> cases[] = {
      {event("DTSTART:20260101T100000Z\r\nSUMMARY:a\r\n"),
       "c.ics:10: the event has a time; holidays are all-day events (DTSTART;VALUE=DATE)"},
      {event("DTSTART;VALUE=DATE:20260101\r\n"), "c.ics:10: the event has no SUMMARY"},
      {event("SUMMARY:x\r\n"), "c.ics:10: the event has no DTSTART"},
      {event("DTSTART;VALUE=DATE:20260101\r\nSUMMARY:x\r\nRRULE:FREQ=MONTHLY\r\n"),
       "c.ics:10: only yearly rules (RRULE:FREQ=YEARLY) are read"},
      {event("DTSTART;VALUE=DATE:20260101\r\nSUMMARY:x\r\nRRULE:FREQ=YEARLY;BYDAY=MO\r\n"),
       "c.ics:10: RRULE parts other than FREQ=YEARLY, COUNT and UNTIL are not supported"},
      {event("DTSTART;VALUE=DATE:20260101\r\nSUMMARY:x\r\nRRULE:FREQ=YEARLY;INTERVAL=2\r\n"),
       "c.ics:10: yearly rules with an INTERVAL are not supported"},
      {event("DTSTART;VALUE=DATE:20260101\r\nSUMMARY:x\r\nRECURRENCE-ID;VALUE=DATE:20260101\r\n"),
       "c.ics:10: changed occurrences (RECURRENCE-ID) are not supported"},
  };
  for (const auto& [bad, message] : cases) {
    const std::string text = head + fine + bad + "END:VCALENDAR\r\n";
    const HolidayFileT file = ReadHolidays("\n " + text, "c.ics");  // blank space before the calendar
    EXPECT_EQ(file.error, message) << bad;
    EXPECT_TRUE(file.holidays.empty());
  }
  const HolidayFileT cancelled = ReadHolidays(
      head + fine + event("DTSTART;VALUE=DATE:20260102\r\nSUMMARY:no\r\nSTATUS:CANCELLED\r\n") + "END:VCALENDAR", "c");
  EXPECT_EQ(cancelled.holidays.size(), 1u);
  EXPECT_EQ(ReadHolidays("begin:vcalendar\r\nend:vcalendar\r\n", "c").error, "");
  EXPECT_EQ(ReadHolidays("BEGIN:VCALENDAR\nEND:VEVENT\nEND:VCALENDAR\n", "c").error,
            "c:3: END:VCALENDAR without its BEGIN");
}

TEST(ICalendar, WrittenListsReadBack) {
  WorkCalendarT calendar;
  InitWorkCalendar(calendar, WeekendT{}, FindRegion("DE-BY"), {});
  const std::vector<HolidayT> list = HolidaysInYears(calendar, 2024, 2026);
  const IcsTextT ics = HolidaysIcs(list, 1);
  if (!IcsSupported()) {
    EXPECT_EQ(ics.error, "iCalendar files are not available in this build");
    return;
  }
  ASSERT_EQ(ics.error, "");
  EXPECT_EQ(HolidaysIcs(list, 1).text, ics.text);
  EXPECT_NE(ics.text.find("UID:20261225-"), std::string::npos);
  EXPECT_NE(ics.text.find("SUMMARY:Heilige Drei K\xC3\xB6nige\r\n"), std::string::npos);
  const HolidayFileT back = ReadHolidays(ics.text, "written.ics");
  ASSERT_EQ(back.error, "");
  ASSERT_EQ(back.holidays.size(), list.size());
  for (size_t i = 0; i < list.size(); ++i) {
    EXPECT_EQ(back.holidays[i].firstYear, list[i].date.year);
    EXPECT_EQ(back.holidays[i].lastYear, list[i].date.year);
    EXPECT_EQ(back.holidays[i].month, list[i].date.month);
    EXPECT_EQ(back.holidays[i].day, list[i].date.day);
    EXPECT_EQ(back.holidays[i].name, list[i].german);
  }
  HolidayT far;
  far.date = {1, 1, 10000};
  far.english = far.german = "far";
  EXPECT_EQ(HolidaysIcs(std::vector<HolidayT>{far}, 2).error, "iCalendar holds the years 1 to 9999 only, not 10000");
}

}  // namespace
