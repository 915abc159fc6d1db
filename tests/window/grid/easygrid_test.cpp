#include "window/grid/easygrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "window/components/GPanel.h"
#include "window/grid/GridMenu.h"
#include "window/grid/ComponentHandlingGrid.h"
#include "window/panels/ComponentHandling.h"
#include "tests/support/CalendarGrid.h"
#include "tests/support/MenuTexts.h"
#include "tests/support/ScopedTempDir.h"

namespace {

// One month calendar set up the way the main window does it.
class Calendar : public CalendarGridTest {
 protected:
  void SetUp() override {
    form = std::make_unique<QWidget>();
    form->resize(400, 300);
    grid = new TTextGrid(form.get());
    grid->setGeometry(3, 3, 300, 170);
    grid->SetDefaultRowHeight(21);
    grid->SetRowCount(7);
    grid->SetFixedRows(1);
    grid->SetGridLineColor(0xC0C0C0);
    grid->SetFontName("Tahoma");
    grid->SetFontHeight(-11);
    grid->SetDefaultDrawing(false);
    form->show();
    StyleGrid(grid);
    grid->SetBandPrimaryColor(16053751);
    BindCalendarColumns();
    grid->OnColumnMoved = [this](TTextGrid*, int32_t from, int32_t to) { ColumnMoved(binder, from, to); };
    for (int32_t r = 1; r <= 6; ++r) {
      SetCell(table, r, 10, std::to_string(r + 20));
      for (int32_t c = 0; c < 7; ++c) SetCell(table, r, c, std::to_string(r * 10 + c));
    }
  }
};

}  // namespace

TEST_F(Calendar, HasTheWeekColumnFixedAndTheWeekdaysAfterIt) {
  SetColumnCaption(binder, 10, "Week 12.2026");
  RefreshGrid(binder);
  EXPECT_EQ(grid->ColCount(), 8);
  EXPECT_EQ(grid->FixedCols(), 1);
  EXPECT_EQ(grid->RowCount(), 7);
  EXPECT_EQ(grid->Cell(0, 0), "Week 12.2026");
  for (int32_t c = 0; c < 7; ++c) EXPECT_EQ(grid->Cell(c + 1, 0), kDayCaptions[c]);
  EXPECT_EQ(grid->Cell(0, 3), "23");
  EXPECT_EQ(grid->Cell(1, 3), "30");
  EXPECT_EQ(grid->Cell(7, 6), "66");
  // The menu keeps the caption given to AddColumn.
  EXPECT_NE(MenuPosOf(*grid->PopupMenu(), "Week"), -1);
  EXPECT_EQ(MenuPosOf(*grid->PopupMenu(), "Week 12.2026"), -1);
  // Equal shares of the client width, none narrower than 20.
  const int32_t share = grid->ColWidth(3);
  EXPECT_GE(share, 20);
  EXPECT_NEAR(share, (grid->ClientWidth() - 8) / 8, 1);
}

TEST_F(Calendar, VisualColumnsFollowVisibility) {
  EXPECT_EQ(VisualColumnOf(binder, 0), 1);
  EXPECT_EQ(VisualColumnOf(binder, 6), 7);
  EXPECT_EQ(VisualColumnOf(binder, 99), -1);
  EXPECT_EQ(VisualColumnOf(binder, -3), -1);
  EXPECT_EQ(ColumnIdAt(binder, 0), 10);
  EXPECT_EQ(ColumnIdAt(binder, -1), -1);
  EXPECT_EQ(ColumnIdAt(binder, 8), -1);
  EXPECT_TRUE(SetColumnVisible(binder, 10, false, true));
  EXPECT_EQ(VisualColumnOf(binder, 0), 0);
  EXPECT_EQ(grid->FixedCols(), 0);
  EXPECT_EQ(grid->Cell(0, 0), "Monday");
  EXPECT_TRUE(SetColumnVisible(binder, 0, false, true));
  EXPECT_EQ(VisualColumnOf(binder, 0), -2);
  EXPECT_EQ(ColumnIdAt(binder, 0), 1);
  EXPECT_FALSE(SetColumnVisible(binder, 99, true, true));
}

TEST(EasyGridReady, NothingReachesTheGridBeforeTheReadyMark) {
  FakeWindowServices services;
  QWidget form;
  auto* grid = new TTextGrid(&form);
  grid->SetColCount(5);
  grid->SetCell(1, 1, "keep");
  ArrayOfFiles table;
  InitTable(table);
  AddRow(table, "x", 0);
  TEasyGrid binder;
  SetupGrid(binder, services, grid, table, false, false);
  AddColumn(binder, "Week", 10, true);
  AddColumn(binder, "Monday", 0, true);
  EXPECT_EQ(binder.columnCount, 2);
  EXPECT_EQ(grid->PopupMenu()->actions().last()->text(), "Monday");
  EXPECT_EQ(grid->ColCount(), 5);
  EXPECT_EQ(grid->Cell(1, 1), "keep");
  EXPECT_EQ(LayoutColumns(binder, -1), 0);
  SetReady(binder.panels);
  EXPECT_EQ(LayoutColumns(binder, -1), 2);
  EXPECT_EQ(grid->ColCount(), 2);
}

TEST_F(Calendar, DraggingMondayToTheEndMovesItsDefinitionAndMenuEntry) {
  RefreshGrid(binder);
  grid->SetOptions(grid->Options() | goColMoving);
  auto centre = [&](int32_t col) {
    return QPoint(grid->ColumnLeft(col) + grid->ColWidth(col) / 2, grid->RowTop(0) + 5);
  };
  // Qt delivers the header's mouse events to the header's viewport.
  QWidget* header = grid->horizontalHeader()->viewport();
  auto send = [&](QEvent::Type t, QPoint p, Qt::MouseButtons b) {
    const QPointF at = header->mapFrom(grid, QPointF(p));
    QMouseEvent e(t, at, header->mapToGlobal(at), Qt::LeftButton, b, Qt::NoModifier);
    QApplication::sendEvent(header, &e);
  };
  send(QEvent::MouseButtonPress, centre(1), Qt::LeftButton);
  send(QEvent::MouseMove, centre(1) + QPoint(8, 0), Qt::LeftButton);
  send(QEvent::MouseMove, centre(7), Qt::LeftButton);
  send(QEvent::MouseButtonRelease, centre(7), Qt::NoButton);
  EXPECT_EQ(ColumnIdAt(binder, 7), 0);
  EXPECT_EQ(ColumnIdAt(binder, 1), 1);
  EXPECT_EQ(VisualColumnOf(binder, 0), 7);
  EXPECT_EQ(MenuTexts(*grid->PopupMenu(), true).back(), "Monday*");
  EXPECT_EQ(grid->Cell(7, 0), "Monday");
  EXPECT_EQ(grid->Cell(1, 0), "Tuesday");
  // A refresh writes the same columns again.
  RefreshGrid(binder);
  EXPECT_EQ(grid->Cell(7, 2), "20");
  EXPECT_EQ(grid->Cell(1, 2), "21");
}

TEST_F(Calendar, ColumnMovedIgnoresInvalidColumns) {
  ColumnMoved(binder, 1, 12);
  ColumnMoved(binder, -1, 3);
  EXPECT_EQ(ColumnIdAt(binder, 1), 0);
  EXPECT_EQ(ColumnIdAt(binder, 7), 6);
}

TEST_F(Calendar, HidingEveryDayShowsNoDataDisplayable) {
  for (int32_t id = 0; id < 7; ++id) SetColumnVisible(binder, id, false, true);
  EXPECT_EQ(grid->ColCount(), 1);
  EXPECT_EQ(grid->FixedCols(), 0);
  EXPECT_EQ(grid->Cell(0, 0), "No Data displayable");
  EXPECT_EQ(grid->Cell(0, 1), "");
  EXPECT_EQ(grid->ColWidth(0), grid->ClientWidth());
  // Showing a day brings the whole header back.
  SetColumnVisible(binder, 3, true, true);
  EXPECT_EQ(grid->ColCount(), 2);
  EXPECT_EQ(grid->Cell(0, 0), "Week");
  EXPECT_EQ(grid->Cell(1, 0), "Thursday");
  EXPECT_EQ(grid->Cell(1, 1), "13");
}

TEST(EasyGridEmpty, AnEmptyTableShowsNoData) {
  FakeWindowServices services;
  QWidget form;
  auto* grid = new TTextGrid(&form);
  ArrayOfFiles table;
  InitTable(table);
  TEasyGrid binder;
  SetupGrid(binder, services, grid, table, false, false);
  SetReady(binder.panels);
  RefreshGrid(binder);
  EXPECT_EQ(grid->Cell(0, 0), "No Data");
  AddColumn(binder, "A", 0, true);
  EXPECT_EQ(grid->ColCount(), 1);
  EXPECT_EQ(grid->Cell(0, 0), "A");
  EXPECT_EQ(grid->RowCount(), 2);  // never fewer than 2 rows
}

TEST(EasyGridRows, OnlyTheRowsInViewAreCopiedAndLeaversAreBlanked) {
  FakeWindowServices services;
  QWidget form;
  auto* grid = new TTextGrid(&form);
  grid->resize(200, 200);
  form.show();
  ArrayOfFiles table;
  InitTable(table);
  for (int i = 1; i <= 300; ++i) AddRow(table, "r" + std::to_string(i), 0);
  TEasyGrid binder;
  SetupGrid(binder, services, grid, table, false, false);
  AddColumn(binder, "Name", 0, false);
  SetReady(binder.panels);
  RefreshGrid(binder);
  EXPECT_EQ(grid->RowCount(), 301);
  const int32_t last = binder.lastShownRow;
  EXPECT_GE(last, 1 + grid->VisibleRowCount() + 1);
  EXPECT_LE(last, 1 + grid->VisibleRowCount() + 1 + 50);
  EXPECT_EQ(grid->Cell(0, last), "r" + std::to_string(last));
  EXPECT_EQ(grid->Cell(0, last + 1), "");
  grid->SetTopRow(200);
  RefreshGrid(binder);
  EXPECT_EQ(grid->Cell(0, 10), "");
  EXPECT_EQ(grid->Cell(0, 200), "r200");
  EXPECT_EQ(binder.firstShownRow, 200);
  RefreshAllRows(binder);
  EXPECT_EQ(grid->Cell(0, 1), "r1");
  EXPECT_EQ(grid->Cell(0, 300), "r300");
}

TEST_F(Calendar, LayoutsCycleFromTheSecond) {
  ArrayOfFiles t;
  InitTable(t);
  AddRow(t, "", 0);
  TEasyGrid b;
  SetupGrid(b, services, grid, t, false, false);
  AddColumn(b, "a", 0, false);
  AddColumn(b, "b", 1, false);
  AddColumn(b, "c", 2, false);
  SetReady(b.panels);
  b.layoutList = "a,b|c";
  auto visible = [&] {
    std::string s;
    for (int32_t v = 0; ColumnIdAt(b, v) >= 0; ++v) s += static_cast<char>('a' + ColumnIdAt(b, v));
    return s;
  };
  CycleLayouts(b);
  EXPECT_EQ(visible(), "c");
  CycleLayouts(b);
  EXPECT_EQ(visible(), "ab");
  CycleLayouts(b);
  EXPECT_EQ(visible(), "c");
  EXPECT_EQ(grid->Cell(0, 0), "c");
  // A layout source control takes over from the list.
  QLineEdit source;
  source.setText("A|b");
  b.layoutSource = &source;
  CycleLayouts(b);  // index 3 is empty: back to the first
  EXPECT_EQ(visible(), "a");
  ApplyLayout(b, "");  // nothing to apply
  EXPECT_EQ(visible(), "a");
}

TEST(EasyGridHook, PlaceholdersClicksAndSortSpecification) {
  FakeWindowServices services;
  QWidget form;
  auto* panel = new TPanel(&form);
  panel->setGeometry(0, 0, 300, 200);
  auto* grid = new TTextGrid(panel);
  grid->setGeometry(2, 2, 290, 190);
  form.show();
  ArrayOfFiles table;
  InitTable(table);
  AddRow(table, "x", 0);
  TEasyGrid binder;
  SetupGrid(binder, services, grid, table, true, false);
  EXPECT_EQ(binder.form, &form);
  EXPECT_EQ(binder.panel, panel);
  EXPECT_TRUE(binder.onPanel);
  EXPECT_EQ(binder.columnCount, 3);
  EXPECT_EQ(VisualColumnOf(binder, 45), -2);
  EXPECT_EQ(VisualColumnOf(binder, 26), -2);
  EXPECT_EQ(VisualColumnOf(binder, 0), 0);
  AddColumn(binder, "Name", 1, false);
  AddColumn(binder, "Size", 2, false);
  EXPECT_EQ(binder.columnCount, 4);  // "Data" gave way
  EXPECT_EQ(VisualColumnOf(binder, 0), -1);
  SetReady(binder.panels);
  RefreshGrid(binder);

  // A double click opens the file named in column 10 only when it exists.
  const ScopedTempDir folder;
  const std::string existing = (folder.path() / "target.txt").string();
  std::ofstream(existing) << "x";
  SetCell(table, 1, 10, existing);
  for (const char* other : {"/no/such/file.txt", "rm -rf /tmp/x", ""}) {
    AddRow(table, "y", 0);
    SetCell(table, 0, 10, other);
  }
  RefreshGrid(binder);
  for (int32_t row = 1; row <= 4; ++row) {
    const QPoint at = grid->viewport()->mapFrom(grid, QPoint(grid->ColumnLeft(0) + 3, grid->RowTop(row) + 3));
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, Qt::NoModifier, at);
  }
  EXPECT_EQ(services.opened, std::vector<std::string>{existing});

  table.sortSpec.clear();
  HeaderClickSort(binder, 0, 0, Qt::ShiftModifier);
  EXPECT_EQ(table.sortSpec, "name");
  HeaderClickSort(binder, 0, 0, Qt::ShiftModifier);
  EXPECT_EQ(table.sortSpec, "-name");
  HeaderClickSort(binder, 0, 1, Qt::ShiftModifier | Qt::ControlModifier);
  EXPECT_EQ(table.sortSpec, "-name,size");
  HeaderClickSort(binder, 0, 0, Qt::ShiftModifier | Qt::ControlModifier);
  EXPECT_EQ(table.sortSpec, "name,size");
  HeaderClickSort(binder, 0, 1, Qt::ShiftModifier | Qt::ControlModifier);
  EXPECT_EQ(table.sortSpec, "name,-size");
  HeaderClickSort(binder, 1, 0, Qt::ShiftModifier);  // not the header: nothing
  EXPECT_EQ(table.sortSpec, "name,-size");

  // With a sort label the label gets the text and its handler runs once.
  QLineEdit label;
  int changes = 0;
  QObject::connect(&label, &QLineEdit::textChanged, [&] { ++changes; });
  binder.sortLabel = &label;
  HeaderClickSort(binder, 0, 1, Qt::ShiftModifier);
  EXPECT_EQ(label.text(), "size");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(table.sortSpec, "name,-size");

  HeaderClickSort(binder, 0, 1, Qt::AltModifier);
  EXPECT_EQ(VisualColumnOf(binder, 2), -2);
}

TEST(EasyGridHook, MaximizeAndGridPanelsSwitchTheirStates) {
  FakeWindowServices services;
  QWidget form;
  form.resize(600, 400);
  auto* holder = new TPanel(&form);
  holder->setObjectName("Holder");
  holder->setGeometry(200, 50, 300, 250);
  auto* side = new TPanel(holder);
  side->setObjectName("Side");
  side->setGeometry(5, 5, 60, 200);
  auto* grid = new TTextGrid(holder);
  grid->setGeometry(70, 5, 220, 200);
  auto* other = new TPanel(&form);
  other->setObjectName("Other");
  other->setGeometry(10, 50, 150, 250);
  form.show();
  ArrayOfFiles table;
  InitTable(table);
  TEasyGrid binder;
  SetupGrid(binder, services, grid, table, true, true);
  SetReady(binder.panels);
  const QRect normal = holder->geometry();  // registration adds a title bar
  ASSERT_EQ(binder.gridPanels.count, 1);
  ASSERT_EQ(binder.panels.count, 2);
  BuildGridMenu(binder);
  QStringList texts;
  for (QAction* a : grid->PopupMenu()->actions()) texts << a->text();
  EXPECT_TRUE(texts.contains(kMaximizeCaption));
  EXPECT_TRUE(texts.contains(kGridPanelsCaption));

  int32_t key = Qt::Key_F5;
  GridKeyDown(binder, &form, key, Qt::ControlModifier);
  EXPECT_TRUE(binder.panelsHidden);
  EXPECT_FALSE(side->isVisible());

  int toggles = 0;
  binder.afterToggle = [&] { ++toggles; };
  key = Qt::Key_F4;
  GridKeyDown(binder, &form, key, Qt::ControlModifier);
  EXPECT_TRUE(binder.maximized);
  EXPECT_TRUE(binder.panelsHidden);
  EXPECT_FALSE(other->isVisible());
  EXPECT_EQ(holder->x(), binder.panels.marginX);
  GridKeyDown(binder, &form, key, Qt::ControlModifier);
  EXPECT_FALSE(binder.maximized);
  EXPECT_TRUE(binder.panelsHidden);  // as before maximizing
  EXPECT_TRUE(other->isVisible());
  EXPECT_EQ(holder->geometry(), normal);
  EXPECT_EQ(toggles, 2);

  key = Qt::Key_F5;
  GridKeyDown(binder, &form, key, Qt::ControlModifier);
  EXPECT_FALSE(binder.panelsHidden);
  EXPECT_TRUE(side->isVisible());
  key = Qt::Key_F4;
  GridKeyDown(binder, &form, key, Qt::ControlModifier);
  GridKeyDown(binder, &form, key, Qt::ControlModifier);
  EXPECT_FALSE(binder.panelsHidden);  // restored to shown
}

TEST(EasyGridLifetime, AGridOutlivingItsBinderNoLongerCallsIt) {
  FakeWindowServices services;
  QWidget form;
  auto* panel = new TPanel(&form);
  auto* grid = new TTextGrid(panel);
  {
    ArrayOfFiles table;
    InitTable(table);
    TEasyGrid binder;
    SetupGrid(binder, services, grid, table, true, false);
    ASSERT_NE(grid->PopupMenu(), nullptr);
  }
  EXPECT_EQ(grid->PopupMenu(), nullptr);
  EXPECT_FALSE(grid->OnClickCell);
  EXPECT_FALSE(grid->OnTopLeftChanged);
  grid->SetRowCount(50);
  grid->SetTopRow(20);  // no call into the gone binder
}
