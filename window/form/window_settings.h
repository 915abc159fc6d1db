#pragma once
// What the window keeps between runs: its place, the language, the week
// numbering, each calendar's look and the working-day choice, in an INI file of the user's
// configuration folder. Every value is read on its own; one that is missing
// or unusable leaves the start-up default in place.
#include <QRect>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

#include "window/grid/easygrid.h"

struct FontLookT {
  QString family;
  int32_t pixelSize = 0;  // one of the two sizes is set
  double pointSize = 0;
  int32_t weight = 400;  // 1..1000
  bool italic = false;
};

struct CalendarLookT {
  std::optional<bool> bands, vertLines, horzLines;
  std::optional<FontLookT> font;
  std::vector<int32_t> order;   // column ids in display order; empty = as built
  std::vector<int32_t> hidden;  // ids of hidden columns
};

// The working-day choice as texts; the window checks each part as it takes it.
struct WorkdaySettingsT {
  bool on = false;       // off: no working days ("None"); the rest is not kept
  QString region;        // a region's code; empty: none
  QString weekend;       // days off as "sat,sun"
  QStringList holidayFiles;
};

struct WindowSettingsT {
  std::optional<QRect> geometry;  // frame position and client size
  std::optional<QSize> frameExtra;  // what the frame adds to the client size
  std::optional<uint8_t> language;
  std::optional<uint8_t> weekNumbering;
  CalendarLookT calendar1, calendar2;
  WorkdaySettingsT workdays;
};

WindowSettingsT LoadWindowSettings(const QString& file);

enum class SettingsSaveT { kSaved, kReadOnly, kFailed };
// Replaces the file whole through the program's file writer. A link is
// written through: the file it ends in is replaced in its own folder. A file
// whose mode forbids writing is left as it is (kReadOnly); on kReadOnly and
// kFailed reason holds the system's reason and the old file stays as it was.
SettingsSaveT SaveWindowSettings(const QString& file, const WindowSettingsT& settings, std::string& reason);

// A calendar's look as its binder and grid have it now.
CalendarLookT ReadCalendarLook(const TEasyGrid& binder);
// Applies what fits the binder's columns: an order must name each column once
// and keep the fixed ones in place, hidden ids must all exist.
void ApplyCalendarLook(TEasyGrid& binder, const CalendarLookT& look);

// The window moved and shrunk so that its frame lies in the available screen
// area, never below the minimum client size. wanted and the result are the
// frame's position and the client size; frameExtra is what the frame adds.
QRect FitIntoArea(const QRect& wanted, const QSize& minimum, const QRect& available, const QSize& frameExtra);
