#include "holidays/holidayfile.h"

HolidayFileT ReadHolidays(std::string_view, std::string_view name) {
  HolidayFileT r;
  r.error = std::string(name) + ": holiday files are not read yet";
  return r;
}

HolidayFileT ReadHolidayFile(const std::filesystem::path& path) { return ReadHolidays({}, path.string()); }

bool IcsSupported() {
#ifdef ORVANE_HAVE_LIBICAL
  return true;
#else
  return false;
#endif
}

IcsTextT HolidaysIcs(std::span<const HolidayT>, uint8_t) {
  IcsTextT r;
  r.error = "iCalendar files are not available in this build";
  return r;
}
