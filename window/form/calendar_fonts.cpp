// Calendar columns that follow their font: each is at least as wide as its
// widest day number in bold (the marked day) and its shortest caption that is
// still a word, so a larger font widens the calendars instead of cutting them.
#include <QFontMetrics>
#include <algorithm>

#include "window/components/QtText.h"
#include "window/form/main.h"

namespace {

// Never narrower than the design's 20 pixels.
constexpr int32_t kDesignLeast = 20;
constexpr int32_t kDesignRow = 21;
// Room the grid paints around a text: 2 pixels each side, 4 around the framed
// marked day.
constexpr int32_t kTextInset = 2;
constexpr int32_t kMarkedInset = 4;

int32_t WidestNumber(const QFontMetrics& metrics, int32_t last) {
  int32_t widest = 0;
  for (int32_t n = 1; n <= last; ++n) widest = std::max(widest, metrics.horizontalAdvance(QString::number(n)));
  return widest;
}

}  // namespace

void TForm1::FitCalendarColumns() {
  fontGrowth_ = QSize();
  for (TEasyGrid* binder : {&Binder1, &Binder2}) {
    const TTextGrid* grid = binder->grid;
    if (!grid) continue;
    QFont bold = grid->Font();
    bold.setBold(true);
    const QFontMetrics plain(grid->Font());
    const int32_t days = WidestNumber(QFontMetrics(bold), 31) + 2 * kMarkedInset;
    const int32_t weeks = WidestNumber(plain, 53) + 2 * kTextInset;
    int32_t wider = 0;
    for (int32_t s = 1; s <= binder->columnCount; ++s) {
      const int32_t id = binder->columns[static_cast<size_t>(s)].id;
      // A one-letter form ("#") is the last resort of a cramped column, not
      // a width to plan for.
      const QString caption = ToQString(ShortestCaption(id));
      const int32_t least = std::max({kDesignLeast, id == MonthCalendarT::kWeekColumn ? weeks : days,
                                      plain.horizontalAdvance(caption) + 2 * kTextInset + grid->GridLineWidth()});
      SetColumnWidthSpec(*binder, id, "0.1|" + std::to_string(least));
      if (binder->columns[static_cast<size_t>(s)].visible) wider += least - kDesignLeast;
    }
    // Both date panels take the wider calendar's width; rows grow from the design's 21.
    fontGrowth_ = fontGrowth_.expandedTo(
        QSize(2 * wider, grid->RowCount() * std::max(0, grid->DefaultRowHeight() - kDesignRow)));
  }
}
