// The window at any size: calendar captions that shorten with their columns,
// calendar rows that grow with their font, a least size at which no text or
// control is cut, and a place on the screen.
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

#include "window/form/main.h"
#include "window/components/QtText.h"
#include "results/texts.h"
#include "util/valstr.h"

namespace {

// Form 0 (the whole name), 1 and 2 of a weekday's caption (0 Monday) from the
// name lists of the language; German has only two.
int32_t WeekdayFormCount(const CalcContextT& context) { return context.language == 1 ? 2 : 3; }
std::string WeekdayForm(const CalcContextT& context, int32_t id, int32_t form) {
  // 1 January 2024 is a Monday.
  const int32_t day = id + 1;
  if (form == 0) return std::string(WeekdayName(context, day, 1, 2024));
  // German abbreviates weekdays to two letters ("Di", "Mi"); three read oddly.
  return FormatDate(context, form == 1 && context.language != 1 ? "DDD" : "DD", day, 1, 2024);
}

}  // namespace

// The forms a calendar column's caption may take. The week column takes the
// longest that fits it; the weekdays take one form together, the longest that
// fits every weekday shown.
std::vector<std::string> TForm1::CaptionForms(const TEasyGrid& binder, int32_t col) const {
  const TTextGrid& grid = *binder.grid;
  const int32_t id = ColumnIdAt(binder, col);
  const CalcContextT context = Context();
  if (id == MonthCalendarT::kWeekColumn)
    return {grid.Cell(col, 0), std::string(LangText(context.language, TextT::kWeekShort)), "#"};
  if (id < 0 || id > 6) return {};
  const int32_t count = WeekdayFormCount(context);
  const auto fitsEveryDay = [&](int32_t form) {
    for (int32_t c = 0; c < grid.ColCount(); ++c) {
      const int32_t day = ColumnIdAt(binder, c);
      if (day >= 0 && day <= 6 && !grid.CaptionFits(c, WeekdayForm(context, day, form))) return false;
    }
    return true;
  };
  int32_t form = 0;
  while (form + 1 < count && !fitsEveryDay(form)) ++form;
  std::vector<std::string> forms;
  for (; form < count; ++form) forms.push_back(WeekdayForm(context, id, form));
  return forms;
}

// The shortest caption of a column that is still a word ("Mo", "Wk"): what
// its least width makes room for.
std::string TForm1::ShortestCaption(int32_t id) const {
  const CalcContextT context = Context();
  if (id == MonthCalendarT::kWeekColumn) return std::string(LangText(context.language, TextT::kWeekShort));
  if (id < 0 || id > 6) return {};
  return WeekdayForm(context, id, WeekdayFormCount(context) - 1);
}

// Rows as tall as the calendar's font needs, never below the design's 21; the
// calendar, its panel and the window grow with them.
void TForm1::FitCalendars() {
  for (TTextGrid* grid : {StringGrid1, StringGrid2}) {
    const int32_t row = std::max(21, QFontMetrics(grid->Font()).height() + 6);
    if (row != grid->DefaultRowHeight()) grid->SetDefaultRowHeight(row);
  }
  // Both calendars keep one height, as their bevels do: the taller one's.
  int32_t tallest = 0;
  for (const TTextGrid* g : {StringGrid1, StringGrid2}) {
    const int32_t frame = g->height() - g->contentsRect().height();
    tallest = std::max(tallest, g->RowCount() * (g->DefaultRowHeight() + g->GridLineWidth()) + frame);
  }
  StringGrid1->resize(StringGrid1->width(), tallest);
  StringGrid2->resize(StringGrid2->width(), tallest);
  FitCalendarColumns();
  SetSizes();
  FitMinimumSize();
}

QSize TForm1::ContentMinimumSize() const {
  // A date panel: its widest row of controls and its facts memo.
  int32_t panel = 0;
  for (QWidget* w : {static_cast<QWidget*>(Edit1), static_cast<QWidget*>(ComboBox1),
                     static_cast<QWidget*>(SpinEdit1), static_cast<QWidget*>(Edit2),
                     static_cast<QWidget*>(CheckBox1), static_cast<QWidget*>(ComboBox2),
                     static_cast<QWidget*>(SpinEdit2)}) {
    panel = std::max(panel, w->x() + std::max(w->width(), w->minimumSizeHint().width()) + 8);
  }
  const CalcContextT context = Context();
  QString weekday, zodiac;
  const QFontMetrics memoFont(Memo2->font());
  // 1 January 2024 is a Monday; the 1st and 25th of each month meet every sign.
  for (int32_t d = 1; d <= 7; ++d) {
    const QString name = ToQString(std::string(WeekdayName(context, d, 1, 2024)));
    if (memoFont.horizontalAdvance(name) > memoFont.horizontalAdvance(weekday)) weekday = name;
  }
  for (int32_t m = 1; m <= 12; ++m) {
    for (int32_t d : {1, 25}) {
      const QString name = ToQString(std::string(ZodiacName(context, d, m, 2024)));
      if (memoFont.horizontalAdvance(name) > memoFont.horizontalAdvance(zodiac)) zodiac = name;
    }
  }
  const QString facts = weekday + QStringLiteral(", 28.09.2026 (") + zodiac + QLatin1Char(')');
  const int32_t memoMargins = 2 * (Memo2->frameWidth() + static_cast<int32_t>(Memo2->document()->documentMargin()));
  panel = std::max(panel, memoFont.horizontalAdvance(facts) + memoMargins + 16 + 4);
  // A calendar: every column at its least width, inside its panel and bevel.
  int32_t columns = 0;
  for (const TEasyGrid* b : {&Binder1, &Binder2}) {
    std::string rules;
    int32_t shown = 0;
    for (int32_t s = 1; s <= b->columnCount; ++s) {
      const ColDataT& c = b->columns[static_cast<size_t>(s)];
      if (!c.visible) continue;
      rules += "," + c.widthRule;
      ++shown;
    }
    int32_t sum = shown * StringGrid1->GridLineWidth();
    try {
      // Nothing to share: every column gets its least width.
      const std::string least = DistributeSize(0, rules);
      for (size_t at = 0; at < least.size();) {
        const size_t comma = std::min(least.find(',', at), least.size());
        sum += TextToInt(std::string_view(least).substr(at, comma - at));
        at = comma + 1;
      }
    } catch (const std::exception&) {
      // An unreadable rule: the columns keep whatever widths they have.
    }
    columns = std::max(columns, sum);
  }
  const int32_t gridFrame = StringGrid1->width() - StringGrid1->contentsRect().width();
  panel = std::max(panel, columns + gridFrame + 6 + 16);

  // Heights: the panels and calendars keep theirs; the difference memo shows
  // its four lines, five with the working days; the status bar below.
  const QFontMetrics diffFont(Memo1->font());
  const int32_t lines = workdays_.on ? 5 : 4;
  // Lines are laid out a pixel or so beyond the font's spacing.
  const int32_t memoHeight = lines * (diffFont.lineSpacing() + 1) + 2 +
                             2 * (Memo1->frameWidth() + static_cast<int32_t>(Memo1->document()->documentMargin()));
  const int32_t calendarBottom = Panel1->y() + Panel1->height() + 8 + Panel4->height() + Label3->height() + 20;
  const int32_t height = calendarBottom + 8 + memoHeight + 8 + StatusBar1->height();
  return {2 * panel + 24, height};
}

void TForm1::FitMinimumSize() {
  // The design's least size, raised to what the content needs but never past
  // the screen's free area; smaller again when a calendar font gets smaller.
  // The window grows as far as needed and goes back to the user's size.
  QSize least = QSize(300, 464).expandedTo(ContentMinimumSize());
  QSize wanted = userSize_.isValid() ? userSize_.expandedTo(least) : size().expandedTo(least);
  if (QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
    // Only what the calendar fonts add is held to the screen: a window that
    // needs more than the screen at the design's fonts stays whole.
    const QSize room = (screen->availableGeometry().size() - (frameGeometry().size() - size()))
                           .expandedTo(least - fontGrowth_);
    least = least.boundedTo(room);
    wanted = wanted.boundedTo(room);
  }
  fitting_ = true;
  setMinimumSize(least);
  if (size() != wanted) resize(wanted);
  if (started_ && isVisible()) KeepOnScreen();
  fitting_ = false;
}

void TForm1::KeepOnScreen() {
  QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  // Larger than the screen: shrunk to it, as far as the content allows.
  const QRect place = FitIntoArea(QRect(frameGeometry().topLeft(), size()), minimumSize(),
                                  screen->availableGeometry(), frameGeometry().size() - size());
  resize(place.size());
  move(place.topLeft());
}

void TForm1::FitStoredFonts(const QFont& default1, const QFont& default2) {
  QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  FitCalendars();
  if (!screen) return;
  QSize room = screen->availableGeometry().size() - (frameGeometry().size() - size());
  if (stored_.frameExtra) room = room.boundedTo(screen->availableGeometry().size() - *stored_.frameExtra);
  // What the fonts add must fit; the least size itself is already held to the screen.
  const auto fits = [&] {
    const QSize need = QSize(300, 464).expandedTo(ContentMinimumSize());
    const QSize allowed = room.expandedTo(need - fontGrowth_);
    return need.width() <= allowed.width() && need.height() <= allowed.height();
  };
  if (fits()) return;
  // A stored font whose window would not fit the screen: both calendars'
  // fonts scaled down together to the largest share that fits.
  const QFont stored1 = StringGrid1->Font(), stored2 = StringGrid2->Font();
  const auto scaled = [](QFont font, int32_t percent) {
    if (font.pixelSize() > 0) font.setPixelSize(std::max(1, font.pixelSize() * percent / 100));
    else font.setPointSizeF(std::max(1.0, font.pointSizeF() * percent / 100));
    return font;
  };
  const auto tryShare = [&](int32_t percent) {
    StringGrid1->SetFont(stored_.calendar1.font ? scaled(stored1, percent) : stored1);
    StringGrid2->SetFont(stored_.calendar2.font ? scaled(stored2, percent) : stored2);
    FitCalendars();
    return fits();
  };
  int32_t low = 0, high = 100;  // low fits (or is none), high does not
  while (high - low > 1) {
    const int32_t mid = (low + high) / 2;
    (tryShare(mid) ? low : high) = mid;
  }
  if (low > 0 && tryShare(low)) return;
  // Not even the smallest fits: the fonts the window was built with.
  StringGrid1->SetFont(default1);
  StringGrid2->SetFont(default2);
  FitCalendars();
}
