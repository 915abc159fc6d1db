// The month calendars as a user with mouse and keys, and a screen reader, meet
// them: the own day stays marked whatever happens to the selection.
#include <QAccessible>
#include <QHeaderView>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

#include "window/form/main.h"
#include "window/components/QtText.h"
#include "tests/support/FakeWindowServices.h"
#include "tests/support/options.h"

namespace {

class Calendars : public ::testing::Test {
 protected:
  FakeWindowServices services;
  std::unique_ptr<TForm1> Open(std::vector<std::string> args) {
    auto form = std::make_unique<TForm1>(TestOptions(args), nullptr, services);
    form->show();
    return form;
  }
  // The text of the cell the calendar marks as its date's day.
  static std::string MarkedDay(const TTextGrid* g) { return g->Cell(g->MarkedCol(), g->MarkedRow()); }
  static QPoint CellCentre(TTextGrid* g, int32_t col, int32_t row) {
    const QPoint p(g->ColumnLeft(col) + g->ColWidth(col) / 2, g->RowTop(row) + g->DefaultRowHeight() / 2);
    return g->viewport()->mapFrom(g, p);
  }
  static void Menu(TTextGrid* g, const char* caption) {
    for (QAction* a : g->PopupMenu()->actions())
      if (a->text() == QLatin1String(caption)) return a->trigger();
    ADD_FAILURE() << "no menu item " << caption;
  }
  // Drags a header section onto another with the mouse.
  static void DragColumn(TTextGrid* g, int32_t from, int32_t to) {
    QHeaderView* h = g->horizontalHeader();
    auto centre = [&](int32_t c) {
      return QPoint(h->sectionViewportPosition(c) + h->sectionSize(c) / 2, h->height() / 2);
    };
    QTest::mousePress(h->viewport(), Qt::LeftButton, {}, centre(from));
    QTest::mouseMove(h->viewport(), centre(from) + QPoint(from < to ? 10 : -10, 0));
    QTest::mouseMove(h->viewport(), centre(to));
    QTest::mouseRelease(h->viewport(), Qt::LeftButton, {}, centre(to));
  }
};

}  // namespace

TEST_F(Calendars, AScreenReaderFindsDaysUnderWeekdayCaptions) {
  auto f = Open({"10.2.2021"});
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(f->StringGrid1);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->role(), QAccessible::Table);
  EXPECT_EQ(a->text(QAccessible::Name).toStdString(), "Month calendar of date 1");
  QAccessibleTableInterface* t = a->tableInterface();
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->rowCount(), 6);  // six weeks under the header row
  EXPECT_EQ(t->columnCount(), 8);
  auto text = [&](int row, int col) {
    QAccessibleInterface* cell = t->cellAt(row, col);
    return cell ? cell->text(QAccessible::Name).toStdString() : std::string("?");
  };
  auto header = [&](int row, int col, bool ofColumn = true) {
    QAccessibleInterface* cell = t->cellAt(row, col);
    if (!cell || !cell->tableCellInterface()) return std::string("?");
    const auto headers = ofColumn ? cell->tableCellInterface()->columnHeaderCells()
                                  : cell->tableCellInterface()->rowHeaderCells();
    const std::string name = headers.isEmpty() ? std::string("-") : headers.first()->text(QAccessible::Name).toStdString();
    // Qt hands the header cells to the caller without keeping them.
    for (QAccessibleInterface* h : headers) QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(h));
    return name;
  };
  EXPECT_EQ(text(0, 0), "5");   // week of 1 February 2021
  EXPECT_EQ(text(1, 3), "10");  // Wednesday of the second week
  EXPECT_EQ(text(3, 7), "28");
  EXPECT_EQ(text(4, 1), "");
  EXPECT_EQ(header(1, 3), "Wednesday");
  EXPECT_EQ(header(0, 7), "Sunday");
  EXPECT_EQ(header(0, 0), "Week 02.2021");
  EXPECT_EQ(header(1, 3, false), "6");  // rows are announced by their week
}

TEST_F(Calendars, TheOwnDayStaysMarkedWhateverTheUserDoes) {
  auto f = Open({"10.2.2021"});
  TTextGrid* g = f->StringGrid1;
  EXPECT_EQ(MarkedDay(g), "10");
  EXPECT_EQ(g->Selection().Left, g->MarkedCol());  // the selection starts there too
  EXPECT_EQ(g->Selection().Top, g->MarkedRow());

  // Clicks and arrow keys move the selection only.
  QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, CellCentre(g, 6, 3));
  QTest::keyClick(g, Qt::Key_Right);
  QTest::keyClick(g, Qt::Key_Down);
  EXPECT_EQ(g->Selection().Left, 7);
  EXPECT_EQ(g->Selection().Top, 4);
  QTest::keyClick(g, Qt::Key_Home);  // never into the week column
  EXPECT_EQ(g->Selection().Left, 1);
  EXPECT_EQ(MarkedDay(g), "10");
  // A double click on an empty cell changes nothing.
  QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, CellCentre(g, 2, 5));
  QTest::mouseRelease(g->viewport(), Qt::LeftButton, {}, CellCentre(g, 2, 5));
  EXPECT_EQ(FromQString(f->Edit1->text()), "10.02.2021");
  EXPECT_EQ(MarkedDay(g), "10");

  // Hidden, shown and moved columns: the mark follows its day.
  Menu(g, "Wednesday");
  EXPECT_EQ(g->MarkedCol(), -1);
  Menu(g, "Wednesday");
  EXPECT_EQ(MarkedDay(g), "10");
  Menu(g, "Monday");
  EXPECT_EQ(g->MarkedCol(), 2);
  EXPECT_EQ(MarkedDay(g), "10");
  DragColumn(g, 6, 1);  // Sunday to the front
  EXPECT_EQ(ColumnIdAt(f->Binder1, 1), 6);
  EXPECT_EQ(g->MarkedCol(), 3);
  EXPECT_EQ(MarkedDay(g), "10");
  Menu(g, "Monday");
  EXPECT_EQ(MarkedDay(g), "10");

  // Looks and fonts leave it alone; a new date moves mark and selection.
  Menu(g, "Proportional Font on/off");
  Menu(g, "Grid bands");
  EXPECT_EQ(MarkedDay(g), "10");
  f->Edit1->setText("25.2.2021");
  EXPECT_EQ(MarkedDay(g), "25");
  EXPECT_EQ(g->Selection().Left, g->MarkedCol());
  EXPECT_EQ(g->Selection().Top, g->MarkedRow());
}
