#include "cli/calendar_html.h"

namespace {

// The band colour of the first calendar and the button face of a light
// desktop theme, as the page has always shown them.
constexpr uint32_t kFirstCalendarBand = 16053751;
constexpr uint32_t kBandWhite = 0xFFFFFF;
constexpr uint32_t kCaptionFace = 0xEFEFEF;

}  // namespace

HtmlGridDataT CalendarHtmlGrid(const CalcContextT& context, const MonthCalendarT& calendar, uint32_t bandColor) {
  HtmlGridDataT grid;
  InitHtmlGrid(grid, 8, MonthCalendarT::kRows + 1);
  grid.fixedCols = 1;
  grid.fixedRows = 1;
  grid.fixedColor = kCaptionFace;
  SetHtmlCellText(grid, 0, 0, calendar.weekCaption);
  for (int32_t c = 0; c < 7; ++c) SetHtmlCellText(grid, c + 1, 0, std::string(WeekdayCaption(context, c)));
  for (int32_t r = 1; r <= MonthCalendarT::kRows; ++r) {
    SetHtmlCellText(grid, 0, r, std::string(calendar.cells[r][MonthCalendarT::kWeekColumn].view()));
    for (int32_t c = 0; c < 7; ++c) {
      HtmlCellT& cell = HtmlCell(grid, c + 1, r);
      cell.text = std::string(calendar.cells[r][c].view());
      cell.hasBackground = true;
      cell.background = (r - 1) % 2 == 0 ? bandColor : kBandWhite;
      // Classes a style sheet can colour; a holiday's name is its cell's tooltip.
      cell.cssClass = DayMarkClass(calendar.marks[r][c]);
      cell.title = calendar.holidays[r][c];
    }
  }
  return grid;
}

void WriteCalendarPage(const CliOptionsT& options, const WorkCalendarT* work) {
  ResultInputT input = StartInput(options);
  input.workCalendar = work;
  const ResultsT results = ComputeResults(input);
  THTMLSettings settings;
  InitHtmlSettings(settings);
  WriteHtmlFile(CalendarHtmlGrid(input.context, results.calendar1, kFirstCalendarBand), settings, options.htmlFile);
}
