#pragma once
// The month calendar of date 1 as an HTML page (--html), written from the
// result layer without the window. Standard library only.
#include <cstdint>

#include "cli/cli.h"
#include "grid/htmlwriter.h"

// The calendar as the window's grid shows it: week column first, caption row,
// rows banded from bandColor and white, captions in the context's language;
// marked days with the class "weekend" or "holiday", a holiday's name as its title.
HtmlGridDataT CalendarHtmlGrid(const CalcContextT& context, const MonthCalendarT& calendar, uint32_t bandColor);

// Writes the page of options.htmlFile for the results the window would start
// with, days marked by the working-day calendar when there is one.
// HtmlFileError when the file cannot be written.
void WriteCalendarPage(const CliOptionsT& options, const WorkCalendarT* work);
