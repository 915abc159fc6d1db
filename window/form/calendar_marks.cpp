#include "window/form/calendar_marks.h"

#include <QCoreApplication>
#include <cmath>

#include "window/components/GPanel.h"
#include "window/components/QtText.h"

namespace {

QColor Mix(const QColor& a, const QColor& b, double t) {
  const auto part = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
  return QColor(part(a.red(), b.red()), part(a.green(), b.green()), part(a.blue(), b.blue()));
}

double Luminance(const QColor& c) {
  const auto channel = [](int v) {
    const double s = v / 255.0;
    return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

// The strongest tint of text towards hue that keeps its contrast on back.
QColor TintedText(const QColor& text, const QColor& hue, const QColor& back) {
  for (int step = 7; step > 0; --step) {
    const QColor c = Mix(text, hue, step / 10.0);
    if (ContrastRatio(c, back) >= 4.5) return c;
  }
  return text;
}

}  // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

DayMarkColorsT DayMarkColors(const QPalette& palette) {
  const QColor base = palette.color(QPalette::Base);
  const QColor text = palette.color(QPalette::Text);
  const QColor highlight = palette.color(QPalette::Highlight);
  // A red highlight would read as a holiday: holidays turn blue then.
  const int hue = highlight.hslHue();
  const bool redHighlight = highlight.hslSaturation() > 60 && hue >= 0 && (hue < 40 || hue > 320);
  const QColor holiday = redHighlight ? QColor(40, 80, 220) : QColor(220, 30, 30);
  DayMarkColorsT c;
  c.weekendBack = Mix(base, text, 0.12);
  c.weekendText = text;
  c.holidayBack = Mix(base, holiday, 0.28);
  c.holidayText = TintedText(text, holiday, c.holidayBack);
  return c;
}

DayMarkT DayMarkAt(const TEasyGrid& binder, const MonthCalendarT& calendar, int32_t col, int32_t row) {
  if (!calendar.marked || row < 1 || row > MonthCalendarT::kRows) return DayMarkT::kNone;
  const int32_t id = ColumnIdAt(binder, col);
  if (id < 0 || id > 6) return DayMarkT::kNone;
  return calendar.marks[static_cast<size_t>(row)][static_cast<size_t>(id)];
}

void ShowDayMarks(TEasyGrid& binder, const MonthCalendarT& calendar) {
  if (!binder.grid) return;
  const TEasyGrid* b = &binder;
  const MonthCalendarT* cal = &calendar;
  binder.grid->OnGetCellColor = [b, cal](const TTextGrid* grid, int32_t col, int32_t row, uint32_t& background,
                                         uint32_t& fontColor, bool& hasFont) {
    const DayMarkT mark = DayMarkAt(*b, *cal, col, row);
    if (mark == DayMarkT::kNone) return false;
    const DayMarkColorsT colors = DayMarkColors(grid->palette());
    const bool holiday = mark == DayMarkT::kHoliday;
    background = FromQColor(holiday ? colors.holidayBack : colors.weekendBack);
    fontColor = FromQColor(holiday ? colors.holidayText : colors.weekendText);
    hasFont = true;
    return true;
  };
  // The holiday's name, or that the day is one of the weekend: said in words
  // too, for those who do not see the colours.
  binder.grid->OnCellNote = [b, cal](const TTextGrid*, int32_t col, int32_t row, std::string& note,
                                     std::string& htmlClass) {
    const DayMarkT mark = DayMarkAt(*b, *cal, col, row);
    if (mark == DayMarkT::kNone) return false;
    htmlClass = DayMarkClass(mark);
    if (mark == DayMarkT::kHoliday)
      note = cal->holidays[static_cast<size_t>(row)][static_cast<size_t>(ColumnIdAt(*b, col))];
    else
      note = FromQString(QCoreApplication::translate("DayMarks", "Weekend"));
    return true;
  };
}
