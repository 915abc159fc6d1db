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
  // The common form YYYY-MM-DD without loops: the batch reads millions.
  if (text.size() == 10 && text[4] == '-' && text[7] == '-') {
    const auto digit = [text](size_t i) { return static_cast<unsigned>(static_cast<unsigned char>(text[i])) - 48u; };
    const unsigned y0 = digit(0), y1 = digit(1), y2 = digit(2), y3 = digit(3);
    const unsigned m0 = digit(5), m1 = digit(6), d0 = digit(8), d1 = digit(9);
    const bool bad = (y0 > 9) | (y1 > 9) | (y2 > 9) | (y3 > 9) | (m0 > 9) | (m1 > 9) | (d0 > 9) | (d1 > 9);
    if (!bad) {
      const auto astro = static_cast<int32_t>(y0 * 1000 + y1 * 100 + y2 * 10 + y3);
      const auto month = static_cast<int32_t>(m0 * 10 + m1), day = static_cast<int32_t>(d0 * 10 + d1);
      const int32_t year = astro >= 1 ? astro : astro - 1;
      if (!ValidDate(day, month, year)) return false;
      date = {day, month, year};
      return true;
    }
  }
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
