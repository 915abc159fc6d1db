#pragma once
// Step-by-step calendar procedures, kept only to cross-check the fast code.
// Years before the era count astronomically (-1, -5, ..., -401 are leap years).
#include <cstdint>
#include <utility>

namespace literal {

inline bool Leap(int64_t y) {
  if (y == 0) return false;
  const int64_t v = y >= 1 ? y : -1 - y;
  return (v % 4 == 0 && v % 100 != 0) || v % 400 == 0;
}
inline int64_t YearLen(int64_t y) { return Leap(y) ? 366 : 365; }

inline void Step(int64_t& y, int64_t n) {
  if (y <= 0 && y + n > 0) ++n;
  if (y >= 0 && y + n < 0) --n;
  y += n;
  if (y == 0) y = n > 0 ? 1 : -1;
}

inline void NormMonth(int64_t& m, int64_t& y) {
  while (m > 12) { m -= 12; Step(y, 1); }
  while (m < 1) { m += 12; Step(y, -1); }
}

inline int64_t MonthLen(int64_t m, int64_t y) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  NormMonth(m, y);
  return m == 2 && Leap(y) ? 29 : kDays[m - 1];
}

inline int64_t Weekday(int64_t d, int64_t m, int64_t y) {
  if (y < 1) Step(y, ((-y) / 400 + 1) * 400);
  const int64_t c = y - 1;
  int64_t w = (c + c / 4 - c / 100 + c / 400 + d) % 7;
  for (int64_t k = 1; k < m; ++k) w = (w + MonthLen(k, y)) % 7;
  return w == 0 ? 7 : w;
}

inline void NextDay(int64_t& d, int64_t& m, int64_t& y) {
  if (d != MonthLen(m, y)) { ++d; return; }
  d = 1;
  if (m != 12) { ++m; return; }
  m = 1;
  y = y + 1 == 0 ? 1 : y + 1;
}

inline void PrevDay(int64_t& d, int64_t& m, int64_t& y) {
  if (d != 1) { --d; return; }
  if (m == 1) { d = 31; m = 12; y = y - 1 == 0 ? -1 : y - 1; return; }
  --m;
  d = MonthLen(m, y);
}

inline int64_t DayOfYear(int64_t d, int64_t m, int64_t y) {
  int64_t n = d;
  for (int64_t k = 1; k < m; ++k) n += MonthLen(k, y);
  return n;
}

inline bool Valid(int64_t d, int64_t m, int64_t y) {
  return m >= 1 && m <= 12 && d >= 1 && d <= MonthLen(m, y);
}

inline void AddDays(int64_t& d, int64_t& m, int64_t& y, int64_t n) {
  if (!Valid(d, m, y)) return;
  int64_t r = YearLen(y) - DayOfYear(d, m, y) + 1;
  while (r <= n) {
    d = 1; m = 1; n -= r;
    Step(y, 1);
    r = YearLen(y);
  }
  for (; n > 0; --n) NextDay(d, m, y);
  for (; n < 0; ++n) PrevDay(d, m, y);
}

// Week 1 starts on the year's first Monday: the Mondays of the year up to
// the day, counted one day at a time; none yet is week 53.
inline int64_t WeekOfYear(int64_t d, int64_t m, int64_t y) {
  int64_t dd = 1, mm = 1, yy = y, mondays = 0;
  for (int64_t w = Weekday(1, 1, y);; w = w % 7 + 1) {
    if (w == 1) ++mondays;
    if (dd == d && mm == m) break;
    NextDay(dd, mm, yy);
  }
  return mondays == 0 ? 53 : mondays;
}

// ISO 8601: walk to the Thursday of the date's week (Monday to Sunday), then
// count the Thursdays of that Thursday's year up to it.
inline int64_t IsoWeek(int64_t d, int64_t m, int64_t y) {
  for (int64_t w = Weekday(d, m, y); w != 4;) {
    if (w < 4) { NextDay(d, m, y); ++w; } else { PrevDay(d, m, y); --w; }
  }
  int64_t dd = 1, mm = 1, yy = y, thursdays = 0;
  for (int64_t w = Weekday(1, 1, y);; w = w % 7 + 1) {
    if (w == 4) ++thursdays;
    if (dd == d && mm == m) break;
    NextDay(dd, mm, yy);
  }
  return thursdays;
}

struct Diff { int64_t years, months, days, totalMonths, totalDays; };

inline int Compare(int64_t d1, int64_t m1, int64_t y1, int64_t d2, int64_t m2, int64_t y2) {
  if (y1 != y2) return y1 > y2 ? 1 : 2;
  if (m1 != m2) return m1 > m2 ? 1 : 2;
  if (d1 != d2) return d1 > d2 ? 1 : 2;
  return 0;
}

inline Diff DateDiff(int64_t d1, int64_t m1, int64_t y1, int64_t d2, int64_t m2, int64_t y2) {
  if (!Valid(d1, m1, y1) || !Valid(d2, m2, y2)) return {0, 0, 0, 0, 0};
  if (Compare(d1, m1, y1, d2, m2, y2) == 1) {
    std::swap(d1, d2); std::swap(m1, m2); std::swap(y1, y2);
  }
  if (y1 <= 0 && y2 <= 0) {
    while (y1 <= 0 || y2 <= 0) { Step(y1, 400); Step(y2, 400); }
  } else if (y1 <= 0) {
    y1 += 1;
    const int64_t k = ((-y1) / 400 + 1) * 400;
    y1 += k;
    y2 += k;
  }
  int64_t Y = y2 - y1, M = m2 - m1;
  if (m1 == m2 && d1 > d2) { --Y; M = 12; }
  if (m1 > m2) { --Y; M = m2 + 12 - m1; }
  int64_t D = d2 - d1;
  if (d1 > d2) { --M; D = MonthLen(m1, y1) + d2 - d1; }
  const int64_t j1 = DayOfYear(d1, m1, y1), j2 = DayOfYear(d2, m2, y2);
  int64_t T;
  if (y1 == y2) {
    T = j2 - j1;
  } else {
    T = YearLen(y1) - j1 + j2;
    for (int64_t y = y1 + 1; y < y2; ++y) T += YearLen(y);
  }
  return {Y, M, D, Y * 12 + M, T};
}

}  // namespace literal
