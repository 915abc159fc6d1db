#pragma once
// "Today" and the language for tests: a context where the code takes one, and
// scoped defaults for the forms that read the process defaults.
#include <cstdint>

#include "dates/dater.h"

// The day the tests call today: a Monday in week 49.
inline constexpr DateTripleT kTestToday{7, 12, 2026};

inline CalcContextT TestContext(DateTripleT today = kTestToday, uint8_t language = 2) {
  CalcContextT context;
  context.today = today;
  context.language = language;
  return context;
}

// Fixes the default "today" for one scope, then gives the system clock back.
class ScopedToday {
 public:
  explicit ScopedToday(DateTripleT today = kTestToday) {
    SetTodayClock([today] { return today; });
  }
  ~ScopedToday() { SetTodayClock({}); }
  ScopedToday(const ScopedToday&) = delete;
  ScopedToday& operator=(const ScopedToday&) = delete;
};

// Sets the default language for one scope and restores the earlier one.
class ScopedLanguage {
 public:
  explicit ScopedLanguage(uint8_t language) : saved_(NameLanguage) { NameLanguage = language; }
  ~ScopedLanguage() { NameLanguage = saved_; }
  ScopedLanguage(const ScopedLanguage&) = delete;
  ScopedLanguage& operator=(const ScopedLanguage&) = delete;

 private:
  uint8_t saved_;
};
