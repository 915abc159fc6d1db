#pragma once
// "Today" and the language for tests: every calculation takes them from a
// context, so a test builds one.
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
