#pragma once
// How the calendars show the days the result layer marks: the weekend's days
// and the holidays in colours of their own. The colours come from the
// palette, so they read in light and dark desktops alike.
#include <QColor>
#include <QPalette>

#include "results/results.h"
#include "window/grid/easygrid.h"

struct DayMarkColorsT {
  QColor weekendBack, weekendText;
  QColor holidayBack, holidayText;
};

// Tints of the palette's base: grey for the weekend, red for holidays (blue
// where the highlight itself is red), never the highlight that marks the
// date's own day and the selection; text in contrast 4.5:1 at least.
DayMarkColorsT DayMarkColors(const QPalette& palette);
// The contrast ratio of two colours as WCAG counts it, 1 to 21.
double ContrastRatio(const QColor& a, const QColor& b);

// The binder's grid colours the days that calendar marks, wherever their
// columns are shown, and names them in its cells' notes (a holiday's name,
// "Weekend"); calendar must outlive the grid.
void ShowDayMarks(TEasyGrid& binder, const MonthCalendarT& calendar);
// The mark of the grid cell (column, row as shown): kNone for week numbers,
// the header and days that are not marked.
DayMarkT DayMarkAt(const TEasyGrid& binder, const MonthCalendarT& calendar, int32_t col, int32_t row);
