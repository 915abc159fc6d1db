#pragma once
// The window's working-day choice: a region's holidays, the days off each
// week and a holiday file of the user's own. One choice serves both
// calendars; the result layer counts and marks with the calendar it makes.
#include <QDialog>
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "dates/dater.h"
#include "holidays/workdays.h"

class QCheckBox;
class QDialogButtonBox;

struct WorkdayChoiceT {
  bool on = false;  // off ("None"): the window shows no working days
  const RegionT* region = nullptr;  // nullptr: no built-in holidays
  WeekendT weekend;                 // the days off each week
  std::vector<std::filesystem::path> holidayFiles;
  std::vector<CustomHolidayT> custom;  // the files' holidays as read
};

// The calendar the choice describes.
void InitWorkCalendar(WorkCalendarT& calendar, const WorkdayChoiceT& choice);

// Seven check boxes for the days off, Monday first. OK is offered only while
// one day at least stays a working day.
class TWeekendDialog : public QDialog {
  Q_OBJECT
 public:
  TWeekendDialog(WeekendT weekend, const CalcContextT& names, QWidget* parent);
  WeekendT Weekend() const;
  QCheckBox* Day(int32_t index) const { return days_[static_cast<size_t>(index)]; }  // 0 = Monday
  QDialogButtonBox* Buttons() const { return buttons_; }

 private:
  void DaysChanged();
  std::array<QCheckBox*, 7> days_{};
  QDialogButtonBox* buttons_ = nullptr;
};
