#pragma once
// A month calendar's grid bound as the main window binds it: six rows, the
// fixed week column (id 10) and the seven weekday columns (ids 0-6).
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>

#include "tests/support/FakeWindowServices.h"
#include "window/grid/easygrid.h"
#include "window/panels/ComponentHandling.h"

inline const char* const kDayCaptions[] = {"Monday", "Tuesday", "Wednesday", "Thursday",
                                           "Friday", "Saturday", "Sunday"};

class CalendarGridTest : public ::testing::Test {
 protected:
  // After the fixture has made form and grid.
  void BindCalendarColumns() {
    InitTable(table);
    for (int i = 0; i < 6; ++i) AddRow(table, "", 0);
    SetupGrid(binder, services, grid, table, false, false);
    AddColumn(binder, "Week", 10, true);
    SetColumnFixed(binder, 10, true);
    for (int32_t id = 0; id < 7; ++id) AddColumn(binder, kDayCaptions[id], id, true);
    SetReady(binder.panels);
  }

  FakeWindowServices services;
  ArrayOfFiles table;
  TEasyGrid binder;
  std::unique_ptr<QWidget> form;
  TTextGrid* grid = nullptr;
};
