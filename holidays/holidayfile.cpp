#include "holidays/holidayfile.h"

#include <limits>

#include "holidays/ics.h"
#include "util/ErrorText.h"
#include "util/ReadFile.h"
#include "util/cp1252.h"

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool Blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && Blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && Blank(s.back())) s.remove_suffix(1);
  return s;
}

bool Digit(char c) { return c >= '0' && c <= '9'; }

// Reads digits at s[i..]: exactly `width` of them, or 1..10 for width 0.
bool ReadNumber(std::string_view s, size_t& i, size_t width, int64_t& value) {
  const size_t start = i;
  value = 0;
  while (i < s.size() && Digit(s[i]) && (width == 0 ? i - start < 10 : i - start < width)) {
    value = value * 10 + (s[i++] - '0');
  }
  return i > start && (width == 0 || i - start == width) && !(i < s.size() && Digit(s[i]));
}

std::string Message(std::string_view file, int64_t line, std::string_view reason) {
  return std::string(file) + ":" + std::to_string(line) + ": " + std::string(reason);
}

// One line "YYYY-MM-DD name"; an error text when it is not one.
std::string ReadEntry(std::string_view text, CustomHolidayT& h) {
  constexpr std::string_view kExpected = "expected YYYY-MM-DD name";
  size_t i = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (negative) ++i;
  int64_t year = 0, month = 0, day = 0;
  if (!ReadNumber(text, i, 0, year) || i >= text.size() || text[i++] != '-' || !ReadNumber(text, i, 2, month) ||
      i >= text.size() || text[i++] != '-' || !ReadNumber(text, i, 2, day)) {
    return std::string(kExpected);
  }
  const std::string_view date = text.substr(0, i);
  if (i < text.size() && !Blank(text[i])) return std::string(kExpected);
  const std::string_view name = Trimmed(text.substr(i));
  if (name.empty()) return "the name is missing after " + std::string(date);
  if (negative) year = -year;
  if (year == 0) return "there is no year 0 (the year before 1 is -1)";
  if (year < std::numeric_limits<int32_t>::min() || year > std::numeric_limits<int32_t>::max()) {
    return "the year of " + std::string(date) + " is out of range";
  }
  const auto y = static_cast<int32_t>(year);
  if (month < 1 || month > 12 || day < 1 || day > MonthLength(static_cast<int32_t>(month), y)) {
    return "no such date " + std::string(date);
  }
  h.month = static_cast<int32_t>(month);
  h.day = static_cast<int32_t>(day);
  h.firstYear = h.lastYear = y;
  h.name = HolidayNameText(name);
  return {};
}

HolidayFileT ReadList(std::string_view bytes, std::string_view name) {
  HolidayFileT r;
  int64_t line = 0;
  while (!bytes.empty()) {
    const size_t end = std::min(bytes.find('\n'), bytes.size());
    const std::string_view text = Trimmed(bytes.substr(0, end));
    bytes.remove_prefix(std::min(end + 1, bytes.size()));
    ++line;
    if (text.empty() || text[0] == '#') continue;
    CustomHolidayT h;
    const std::string error = ReadEntry(text, h);
    if (!error.empty()) {
      r.holidays.clear();
      r.error = Message(name, line, error);
      return r;
    }
    r.holidays.push_back(std::move(h));
  }
  return r;
}

}  // namespace

std::string HolidayNameText(std::string_view bytes) {
  std::string name = FileTextToAnsi(bytes);
  for (char& c : name) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  }
  return name;
}

HolidayFileT ReadHolidays(std::string_view bytes, std::string_view name) {
  if (bytes.substr(0, kBom.size()) == kBom) bytes.remove_prefix(kBom.size());
  const std::string_view start = Trimmed(bytes).substr(0, 15);
  bool ics = start.size() == 15;
  for (size_t i = 0; ics && i < start.size(); ++i) {
    ics = (start[i] >= 'a' && start[i] <= 'z' ? start[i] - 'a' + 'A' : start[i]) == "BEGIN:VCALENDAR"[i];
  }
  if (!ics) return ReadList(bytes, name);
#ifdef ORVANE_HAVE_LIBICAL
  return ReadIcsHolidays(bytes, name);
#else
  HolidayFileT r;
  r.error = std::string(name) + ": iCalendar files are not available in this build";
  return r;
#endif
}

HolidayFileT ReadHolidayFile(const std::filesystem::path& path) {
  // Far above any real calendar; a device that never ends stops here.
  constexpr size_t kLimit = size_t{16} << 20;
  std::string bytes, reason;
  if (!ReadFileBytes(path, kLimit, bytes, reason)) {
    HolidayFileT r;
    r.error = ShownPath(path) + ": cannot read: " + reason;
    return r;
  }
  return ReadHolidays(bytes, ShownPath(path));
}

bool IcsSupported() {
#ifdef ORVANE_HAVE_LIBICAL
  return IcsLibraryOpens();
#else
  return false;
#endif
}

IcsTextT HolidaysIcs(std::span<const HolidayT> holidays, uint8_t language) {
#ifdef ORVANE_HAVE_LIBICAL
  return IcsOfHolidays(holidays, language);
#else
  (void)holidays;
  (void)language;
  IcsTextT r;
  r.error = "iCalendar files are not available in this build";
  return r;
#endif
}
