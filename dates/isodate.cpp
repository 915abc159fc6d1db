#include "dates/isodate.h"

#include <charconv>
#include <limits>

void AppendIsoDate(std::string& out, int32_t day, int32_t month, int32_t year) {
  // Year 0 is no year of this calendar; it is read as 1, as elsewhere.
  const int64_t astro = year >= 1 ? year : (year == 0 ? 1 : int64_t{year} + 1);
  char buf[32];
  char* p = buf;
  if (astro < 0) *p++ = '-';
  else if (astro > 9999) *p++ = '+';
  const uint64_t magnitude = static_cast<uint64_t>(astro < 0 ? -astro : astro);
  for (uint64_t scale = 1000; scale > magnitude && scale > 1; scale /= 10) *p++ = '0';
  p = std::to_chars(p, buf + sizeof buf, magnitude).ptr;
  const auto two = [&p](int32_t v) {
    *p++ = '-';
    *p++ = static_cast<char>('0' + v / 10 % 10);
    *p++ = static_cast<char>('0' + v % 10);
  };
  two(month);
  two(day);
  out.append(buf, p);
}

std::string IsoDateText(int32_t day, int32_t month, int32_t year) {
  std::string out;
  AppendIsoDate(out, day, month, year);
  return out;
}

namespace {

// Exactly n digits at text[pos...].
bool Digits(std::string_view text, size_t pos, size_t n, int32_t& value) {
  if (pos + n > text.size()) return false;
  value = 0;
  for (size_t i = pos; i < pos + n; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
  }
  return true;
}

}  // namespace

bool ParseIsoDate(std::string_view text, DateTripleT& date) {
  size_t pos = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) pos = 1;
  int64_t astro = 0;
  size_t digits = 0;
  for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos, ++digits) {
    astro = astro * 10 + (text[pos] - '0');
    if (astro > std::numeric_limits<int32_t>::max()) return false;
  }
  int32_t month = 0, day = 0;
  if (digits < 4 || text.size() != pos + 6 || text[pos] != '-' || text[pos + 3] != '-' ||
      !Digits(text, pos + 1, 2, month) || !Digits(text, pos + 4, 2, day)) {
    return false;
  }
  if (negative) astro = -astro;
  // Astronomical year a is the year a here when positive, a - 1 otherwise.
  const int64_t year = astro >= 1 ? astro : astro - 1;
  if (year < std::numeric_limits<int32_t>::min()) return false;
  if (!ValidDate(day, month, static_cast<int32_t>(year))) return false;
  date = {day, month, static_cast<int32_t>(year)};
  return true;
}
