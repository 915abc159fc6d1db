#include "holidays/ics.h"

#include <dlfcn.h>
#include <libical/ical.h>

#include <algorithm>
#include <cstdio>
#include <limits>
#include <memory>
#include <vector>

#include "util/ErrorText.h"
#include "util/cp1252.h"

namespace {

// libical is opened at the first iCalendar file: linked in, it and the ICU
// libraries it needs would slow every start of the program.
#define ORVANE_ICAL_FUNCTIONS(X) \
  X(icalcomponent_add_component) \
  X(icalcomponent_add_property) \
  X(icalcomponent_as_ical_string_r) \
  X(icalcomponent_free) \
  X(icalcomponent_get_first_component) \
  X(icalcomponent_get_first_property) \
  X(icalcomponent_get_next_component) \
  X(icalcomponent_get_next_property) \
  X(icalcomponent_get_status) \
  X(icalcomponent_get_summary) \
  X(icalcomponent_isa) \
  X(icalcomponent_new) \
  X(icalerror_set_errors_are_fatal) \
  X(icalmemory_free_buffer) \
  X(icalparser_parse_string) \
  X(icalproperty_get_dtend) \
  X(icalproperty_get_dtstart) \
  X(icalproperty_get_exdate) \
  X(icalproperty_get_rdate) \
  X(icalproperty_get_rrule) \
  X(icalproperty_get_xlicerror) \
  X(icalproperty_new_calscale) \
  X(icalproperty_new_dtend) \
  X(icalproperty_new_dtstamp) \
  X(icalproperty_new_dtstart) \
  X(icalproperty_new_prodid) \
  X(icalproperty_new_summary) \
  X(icalproperty_new_transp) \
  X(icalproperty_new_uid) \
  X(icalproperty_new_version) \
  X(icaltimezone_get_utc_timezone)

struct IcalT {
#define ORVANE_ICAL_POINTER(f) decltype(&::f) f = nullptr;
  ORVANE_ICAL_FUNCTIONS(ORVANE_ICAL_POINTER)
#undef ORVANE_ICAL_POINTER
};

// The library's functions; nullptr when it cannot be opened. It stays open.
const IcalT* OpenIcal() {
  static const IcalT* const opened = []() -> const IcalT* {
    void* library = dlopen(ORVANE_LIBICAL, RTLD_NOW | RTLD_LOCAL);
    if (!library) return nullptr;
    static IcalT ical;
    bool complete = true;
#define ORVANE_ICAL_SYMBOL(f) \
  complete = complete && (ical.f = reinterpret_cast<decltype(ical.f)>(dlsym(library, #f))) != nullptr;
    ORVANE_ICAL_FUNCTIONS(ORVANE_ICAL_SYMBOL)
#undef ORVANE_ICAL_SYMBOL
    if (!complete) return nullptr;
    // libical's errors are results here, never aborts.
    ical.icalerror_set_errors_are_fatal(0);
    return &ical;
  }();
  return opened;
}

struct ComponentFree {
  const IcalT* ical;
  void operator()(icalcomponent* c) const { ical->icalcomponent_free(c); }
};
using ComponentT = std::unique_ptr<icalcomponent, ComponentFree>;

bool SameNoCase(std::string_view a, std::string_view b) {
  const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) {
           return upper(x) == upper(y);
         });
}

struct LayoutT {
  std::vector<int64_t> eventLines;  // the line of each BEGIN:VEVENT, in order
  std::string error;                // END without BEGIN, which libical would print
};

// libical keeps no line numbers: the lines of the components from the text.
LayoutT Layout(std::string_view bytes, int64_t line) {
  LayoutT layout;
  int64_t depth = 0;
  while (!bytes.empty()) {
    const size_t end = std::min(bytes.find('\n'), bytes.size());
    std::string_view text = bytes.substr(0, end);
    bytes.remove_prefix(std::min(end + 1, bytes.size()));
    ++line;
    while (!text.empty() && (text.back() == '\r' || text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    if (text.empty() || text[0] == ' ' || text[0] == '\t') continue;  // folded: part of the line before
    if (SameNoCase(text.substr(0, 6), "BEGIN:")) {
      ++depth;
      if (SameNoCase(text, "BEGIN:VEVENT")) layout.eventLines.push_back(line);
    } else if (SameNoCase(text.substr(0, 4), "END:") && --depth < 0) {
      layout.error = std::to_string(line) + ": " + ShownText(text) + " without its BEGIN";
      return layout;
    }
  }
  return layout;
}

bool Listed(const short* values) { return values[0] != ICAL_RECURRENCE_ARRAY_MAX; }

int32_t YearOf(const icaltimetype& t) { return t.year >= 1 ? t.year : -1; }

int64_t DayOf(const icaltimetype& t) { return DayNumberOf(t.day, t.month, YearOf(t)); }

// The year of the count-th yearly occurrence from the first year.
int32_t LastOfCount(int32_t first, int64_t count, bool leapDay) {
  constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
  if (!leapDay) return static_cast<int32_t>(std::min<int64_t>(first + count - 1, kMax));
  // 29 February: 97 leap years in every 400 years.
  int64_t y = first + (count - 1) / 97 * 400;
  int64_t left = (count - 1) % 97;
  while (left > 0 && y < kMax) {
    ++y;
    if (LeapYear(static_cast<int32_t>(std::min(y, kMax)))) --left;
  }
  return static_cast<int32_t>(std::min(y, kMax));
}

// The holidays of one event; an error text when it cannot be read.
std::string ReadEvent(const IcalT& ical, icalcomponent* event, std::vector<CustomHolidayT>& out) {
  if (icalproperty* e = ical.icalcomponent_get_first_property(event, ICAL_XLICERROR_PROPERTY)) {
    const char* text = ical.icalproperty_get_xlicerror(e);
    return ShownText(text ? text : "unreadable property");
  }
  if (ical.icalcomponent_get_status(event) == ICAL_STATUS_CANCELLED) return {};
  if (ical.icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY)) {
    return "changed occurrences (RECURRENCE-ID) are not supported";
  }
  icalproperty* start = ical.icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY);
  if (!start) return "the event has no DTSTART";
  const icaltimetype date = ical.icalproperty_get_dtstart(start);
  if (!date.is_date) return "the event has a time; holidays are all-day events (DTSTART;VALUE=DATE)";
  if (!ValidDate(date.day, date.month, YearOf(date))) return "DTSTART is no date";
  const char* summary = ical.icalcomponent_get_summary(event);
  if (!summary || !*summary) return "the event has no SUMMARY";
  CustomHolidayT h;
  h.month = date.month;
  h.day = date.day;
  h.firstYear = h.lastYear = YearOf(date);
  h.name = HolidayNameText(summary);

  int64_t days = 1;
  if (icalproperty* end = ical.icalcomponent_get_first_property(event, ICAL_DTEND_PROPERTY)) {
    const icaltimetype until = ical.icalproperty_get_dtend(end);
    if (until.is_date && ValidDate(until.day, until.month, YearOf(until))) days = DayOf(until) - DayOf(date);
  }
  icalproperty* rule = ical.icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY);
  if (!rule) {
    if (days > 366) return "the event is longer than a year";
    for (int64_t k = 0; k < std::max<int64_t>(days, 1); ++k) {
      const DateTripleT d = DateOfDayNumber(DayOf(date) + k);
      out.push_back({d.month, d.day, d.year, d.year, h.name});
    }
  } else {
    if (ical.icalcomponent_get_next_property(event, ICAL_RRULE_PROPERTY)) return "the event has more than one RRULE";
    if (days > 1) return "yearly events of more than one day are not supported";
    const icalrecurrencetype r = ical.icalproperty_get_rrule(rule);
    if (r.freq != ICAL_YEARLY_RECURRENCE) return "only yearly rules (RRULE:FREQ=YEARLY) are read";
    if (r.interval > 1) return "yearly rules with an INTERVAL are not supported";
    const bool sameMonth = !Listed(r.by_month) || (r.by_month[0] == date.month && r.by_month[1] == ICAL_RECURRENCE_ARRAY_MAX);
    const bool sameDay =
        !Listed(r.by_month_day) || (r.by_month_day[0] == date.day && r.by_month_day[1] == ICAL_RECURRENCE_ARRAY_MAX);
    if (!sameMonth || !sameDay || Listed(r.by_day) || Listed(r.by_year_day) || Listed(r.by_week_no) ||
        Listed(r.by_set_pos) || Listed(r.by_hour) || Listed(r.by_minute) || Listed(r.by_second)) {
      return "RRULE parts other than FREQ=YEARLY, COUNT and UNTIL are not supported";
    }
    h.lastYear = std::numeric_limits<int32_t>::max();
    if (r.count > 0) h.lastYear = LastOfCount(h.firstYear, r.count, h.month == 2 && h.day == 29);
    if (r.until.year != 0) {
      h.lastYear = YearOf(r.until);
      if (r.until.month < h.month || (r.until.month == h.month && r.until.day < h.day)) {
        h.lastYear = h.lastYear == 1 ? -1 : h.lastYear - 1;
      }
    }
    if (h.lastYear < h.firstYear) return {};
    // Excluded dates split the years into runs.
    std::vector<int32_t> excluded;
    for (icalproperty* p = ical.icalcomponent_get_first_property(event, ICAL_EXDATE_PROPERTY); p;
         p = ical.icalcomponent_get_next_property(event, ICAL_EXDATE_PROPERTY)) {
      const icaltimetype x = ical.icalproperty_get_exdate(p);
      if (x.month == h.month && x.day == h.day) excluded.push_back(YearOf(x));
    }
    std::sort(excluded.begin(), excluded.end());
    int32_t from = h.firstYear;
    bool rest = true;
    for (int32_t x : excluded) {
      if (x < from || x > h.lastYear) continue;
      if (x > from) out.push_back({h.month, h.day, from, x == 1 ? -1 : x - 1, h.name});
      rest = x < h.lastYear;
      if (!rest) break;
      from = x == -1 ? 1 : x + 1;
    }
    if (rest) out.push_back({h.month, h.day, from, h.lastYear, h.name});
  }
  for (icalproperty* p = ical.icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY); p;
       p = ical.icalcomponent_get_next_property(event, ICAL_RDATE_PROPERTY)) {
    const icaltimetype x = ical.icalproperty_get_rdate(p).time;
    if (!x.is_date || !ValidDate(x.day, x.month, YearOf(x))) return "RDATE is no date";
    out.push_back({x.month, x.day, YearOf(x), YearOf(x), h.name});
  }
  return {};
}

std::string Hex64(uint64_t v) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string s(16, '0');
  for (int i = 15; i >= 0; --i, v >>= 4) s[i] = kHex[v & 15];
  return s;
}

// FNV-1a: a stable hash, the same on every platform.
uint64_t Fnv1a(std::string_view s) {
  uint64_t h = 14695981039346656037ull;
  for (char c : s) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  return h;
}

icaltimetype DateValue(DateTripleT d) {
  icaltimetype t{};
  t.year = d.year;
  t.month = d.month;
  t.day = d.day;
  t.is_date = 1;
  return t;
}

std::string Unopened() {
  return std::string("iCalendar files need libical, which cannot be opened (") + ORVANE_LIBICAL + ")";
}

}  // namespace

bool IcsLibraryOpens() { return OpenIcal() != nullptr; }

HolidayFileT ReadIcsHolidays(std::string_view bytes, std::string_view name) {
  HolidayFileT r;
  const IcalT* opened = OpenIcal();
  if (!opened) {
    r.error = std::string(name) + ": " + Unopened();
    return r;
  }
  const IcalT& ical = *opened;
  // Blank lines before the calendar would be read as folded lines; libical
  // reads up to a zero byte.
  const size_t start = std::min(bytes.find_first_not_of(" \t\r\n"), bytes.size());
  const std::string text(bytes.begin() + start, std::find(bytes.begin() + start, bytes.end(), '\0'));
  const LayoutT layout = Layout(text, std::count(bytes.begin(), bytes.begin() + start, '\n'));
  if (!layout.error.empty()) {
    r.error = std::string(name) + ":" + layout.error;
    return r;
  }
  const ComponentT root(ical.icalparser_parse_string(text.c_str()), ComponentFree{&ical});
  if (!root) {
    r.error = std::string(name) + ":1: not an iCalendar file that can be read";
    return r;
  }
  std::vector<icalcomponent*> calendars;
  if (ical.icalcomponent_isa(root.get()) == ICAL_VCALENDAR_COMPONENT) {
    calendars.push_back(root.get());
  } else {
    for (icalcomponent* c = ical.icalcomponent_get_first_component(root.get(), ICAL_VCALENDAR_COMPONENT); c;
         c = ical.icalcomponent_get_next_component(root.get(), ICAL_VCALENDAR_COMPONENT)) {
      calendars.push_back(c);
    }
  }
  const std::vector<int64_t>& lines = layout.eventLines;
  size_t index = 0;
  for (icalcomponent* calendar : calendars) {
    for (icalcomponent* event = ical.icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); event;
         event = ical.icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT), ++index) {
      const std::string error = ReadEvent(ical, event, r.holidays);
      if (!error.empty()) {
        r.holidays.clear();
        r.error = std::string(name) + ":" + std::to_string(index < lines.size() ? lines[index] : 1) + ": " + error;
        return r;
      }
    }
  }
  return r;
}

IcsTextT IcsOfHolidays(std::span<const HolidayT> holidays, uint8_t language) {
  IcsTextT r;
  const IcalT* opened = OpenIcal();
  if (!opened) {
    r.error = Unopened();
    return r;
  }
  const IcalT& ical = *opened;
  const ComponentT calendar(ical.icalcomponent_new(ICAL_VCALENDAR_COMPONENT), ComponentFree{&ical});
  ical.icalcomponent_add_property(calendar.get(), ical.icalproperty_new_version("2.0"));
  ical.icalcomponent_add_property(calendar.get(), ical.icalproperty_new_prodid("-//Orvane//Holidays//EN"));
  ical.icalcomponent_add_property(calendar.get(), ical.icalproperty_new_calscale("GREGORIAN"));
  // A fixed stamp keeps the output the same for the same list.
  icaltimetype stamp{};
  stamp.year = 1970;
  stamp.month = 1;
  stamp.day = 1;
  stamp.zone = ical.icaltimezone_get_utc_timezone();
  for (const HolidayT& h : holidays) {
    if (h.date.year < 1 || h.date.year > 9999) {
      r.error = "iCalendar holds the years 1 to 9999 only, not " + std::to_string(h.date.year);
      return r;
    }
    const std::string summary = AnsiToUtf8(HolidayName(h, language));
    char day[9];
    std::snprintf(day, sizeof day, "%04d%02d%02d", h.date.year, h.date.month, h.date.day);
    icalcomponent* event = ical.icalcomponent_new(ICAL_VEVENT_COMPONENT);
    ical.icalcomponent_add_property(event, ical.icalproperty_new_uid((std::string(day) + "-" + Hex64(Fnv1a(std::string(day) + summary)) + "@orvane").c_str()));
    ical.icalcomponent_add_property(event, ical.icalproperty_new_dtstamp(stamp));
    ical.icalcomponent_add_property(event, ical.icalproperty_new_dtstart(DateValue(h.date)));
    ical.icalcomponent_add_property(event, ical.icalproperty_new_dtend(DateValue(DateOfDayNumber(DayNumberOf(h.date.day, h.date.month, h.date.year) + 1))));
    ical.icalcomponent_add_property(event, ical.icalproperty_new_summary(summary.c_str()));
    ical.icalcomponent_add_property(event, ical.icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
    ical.icalcomponent_add_component(calendar.get(), event);
  }
  char* text = ical.icalcomponent_as_ical_string_r(calendar.get());
  r.text = text ? text : "";
  ical.icalmemory_free_buffer(text);
  return r;
}
