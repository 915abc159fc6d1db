#include "window/grid/TextGrid.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// A shown grid of 8 columns x 7 rows, one fixed row and one fixed column.
std::unique_ptr<TTextGrid> MakeGrid() {
  auto g = std::make_unique<TTextGrid>();
  g->SetColCount(8);
  g->SetRowCount(7);
  g->SetDefaultRowHeight(21);
  g->SetDefaultColWidth(40);
  for (int32_t c = 0; c < 8; ++c) g->SetColWidth(c, 40);
  g->resize(400, 200);
  g->show();
  for (int32_t c = 0; c < 8; ++c)
    for (int32_t r = 0; r < 7; ++r) g->SetCell(c, r, std::to_string(c) + ":" + std::to_string(r));
  return g;
}

// Sends a mouse event at a point of the grid where Qt delivers it: to the
// part under the point, or to the part a press went to until the release.
void SendMouse(TTextGrid* g, QEvent::Type type, QPoint pos,
               Qt::MouseButtons buttons = Qt::LeftButton) {
  static QPointer<QWidget> grabbed;
  const bool pressed = type == QEvent::MouseMove || type == QEvent::MouseButtonRelease;
  QWidget* w = pressed && grabbed ? grabbed.data() : g->childAt(pos);
  grabbed = type == QEvent::MouseButtonRelease ? nullptr : w;
  const QPointF at = w->mapFrom(g, QPointF(pos));
  QMouseEvent e(type, at, w->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

QPoint CellCentre(const TTextGrid& g, int32_t col, int32_t row) {
  return {g.ColumnLeft(col) + g.ColWidth(col) / 2, g.RowTop(row) + g.DefaultRowHeight() / 2};
}

}  // namespace

TEST(TextGrid, CellsOutsideTheGridAreHarmless) {
  auto g = MakeGrid();
  g->SetCell(8, 0, "x");
  g->SetCell(-1, 2, "x");
  g->SetCell(2, 7, "x");
  EXPECT_EQ(g->Cell(8, 0), "");
  EXPECT_EQ(g->Cell(-1, 2), "");
  EXPECT_EQ(g->Cell(3, 4), "3:4");
  // Shrinking drops the cells; growing again gives empty ones.
  g->SetColCount(3);
  g->SetColCount(8);
  EXPECT_EQ(g->Cell(2, 1), "2:1");
  EXPECT_EQ(g->Cell(5, 1), "");
}

TEST(TextGrid, LargeEmptyGridsCostLittle) {
  TTextGrid g;
  g.SetColCount(1000);
  g.SetRowCount(1000000);
  g.SetCell(999, 999999, "last");
  g.SetCell(3, 5, "x");
  EXPECT_TRUE(g.MoveColumn(3, 998));
  EXPECT_EQ(g.Cell(998, 5), "x");
  EXPECT_EQ(g.Cell(999, 999999), "last");
  EXPECT_EQ(g.Cell(500, 500000), "");
  g.SetColCount(2000000000);
  EXPECT_EQ(g.ColCount(), 100000);
}

TEST(TextGrid, CountsKeepFixedPartsInside) {
  auto g = MakeGrid();
  g->SetFixedCols(3);
  g->SetColCount(2);
  EXPECT_EQ(g->ColCount(), 2);
  EXPECT_EQ(g->FixedCols(), 1);
  g->SetColCount(0);
  EXPECT_EQ(g->ColCount(), 1);
  EXPECT_EQ(g->FixedCols(), 0);
  g->SetFixedRows(10);
  EXPECT_EQ(g->FixedRows(), 6);
  EXPECT_EQ(g->ColWidth(5), -1);
}

TEST(TextGrid, MoveColumnMovesCellsAndWidthsButNeverFixedColumns) {
  auto g = MakeGrid();
  g->SetColWidth(1, 77);
  EXPECT_TRUE(g->MoveColumn(1, 7));
  EXPECT_EQ(g->Cell(7, 0), "1:0");
  EXPECT_EQ(g->Cell(1, 3), "2:3");
  EXPECT_EQ(g->ColWidth(7), 77);
  EXPECT_FALSE(g->MoveColumn(0, 3));
  EXPECT_FALSE(g->MoveColumn(3, 0));
  EXPECT_FALSE(g->MoveColumn(3, 8));
  EXPECT_EQ(g->Cell(0, 2), "0:2");
}

TEST(TextGrid, DraggingAHeaderMovesTheColumnThenReports) {
  auto g = MakeGrid();
  g->SetOptions(g->Options() | goColMoving);
  g->SetRowColMoving(true);
  std::vector<std::pair<int32_t, int32_t>> moves;
  std::string seenAtReport;
  g->OnColumnMoved = [&](TTextGrid* s, int32_t from, int32_t to) {
    moves.emplace_back(from, to);
    seenAtReport = s->Cell(to, 0);
  };
  const QPoint start = CellCentre(*g, 1, 0);
  const QPoint end = CellCentre(*g, 7, 0);
  SendMouse(g.get(), QEvent::MouseButtonPress, start);
  SendMouse(g.get(), QEvent::MouseMove, start + QPoint(10, 0));
  SendMouse(g.get(), QEvent::MouseMove, end);
  SendMouse(g.get(), QEvent::MouseButtonRelease, end, Qt::NoButton);
  ASSERT_EQ(moves.size(), 1u);
  EXPECT_EQ(moves[0], std::make_pair(1, 7));
  EXPECT_EQ(seenAtReport, "1:0");  // cells already moved when the event comes

  // Without RowColMoving a drag is only a click.
  g->SetRowColMoving(false);
  SendMouse(g.get(), QEvent::MouseButtonPress, CellCentre(*g, 2, 0));
  SendMouse(g.get(), QEvent::MouseMove, end);
  SendMouse(g.get(), QEvent::MouseButtonRelease, end, Qt::NoButton);
  EXPECT_EQ(moves.size(), 1u);
}

TEST(TextGrid, FixedColumnCannotBeDragged) {
  auto g = MakeGrid();
  g->SetOptions(g->Options() | goColMoving);
  g->SetRowColMoving(true);
  int32_t moved = 0;
  g->OnColumnMoved = [&](TTextGrid*, int32_t, int32_t) { ++moved; };
  SendMouse(g.get(), QEvent::MouseButtonPress, CellCentre(*g, 0, 0));
  SendMouse(g.get(), QEvent::MouseMove, CellCentre(*g, 5, 0));
  SendMouse(g.get(), QEvent::MouseButtonRelease, CellCentre(*g, 5, 0), Qt::NoButton);
  EXPECT_EQ(moved, 0);
  EXPECT_EQ(g->Cell(0, 0), "0:0");
}

TEST(TextGrid, HeaderBorderDragSizesTheColumn) {
  auto g = MakeGrid();
  g->SetOptions(g->Options() | goColSizing);
  const int32_t border = g->ColumnLeft(2) + g->ColWidth(2);
  const int32_t y = g->RowTop(0) + 5;
  SendMouse(g.get(), QEvent::MouseButtonPress, {border, y});
  SendMouse(g.get(), QEvent::MouseMove, {border + 25, y});
  SendMouse(g.get(), QEvent::MouseButtonRelease, {border + 25, y}, Qt::NoButton);
  EXPECT_EQ(g->ColWidth(2), 65);
}

TEST(TextGrid, ClicksAndDoubleClicksReportRowThenColumn) {
  auto g = MakeGrid();
  std::vector<std::pair<int32_t, int32_t>> dbl, clicks;
  g->OnDblClickCell = [&](TTextGrid*, int32_t row, int32_t col) { dbl.emplace_back(row, col); };
  g->OnClickCell = [&](TTextGrid*, int32_t row, int32_t col) { clicks.emplace_back(row, col); };
  const QPoint p = CellCentre(*g, 3, 2);
  SendMouse(g.get(), QEvent::MouseButtonPress, p);
  SendMouse(g.get(), QEvent::MouseButtonRelease, p, Qt::NoButton);
  SendMouse(g.get(), QEvent::MouseButtonDblClick, p);
  ASSERT_EQ(dbl.size(), 1u);
  EXPECT_EQ(dbl[0], std::make_pair(2, 3));
  ASSERT_EQ(clicks.size(), 1u);
  EXPECT_EQ(clicks[0], std::make_pair(2, 3));
  EXPECT_EQ(g->Selection().Left, 3);
  EXPECT_EQ(g->Selection().Top, 2);
  // Outside the cells nothing is reported.
  SendMouse(g.get(), QEvent::MouseButtonDblClick, {395, 195});
  EXPECT_EQ(dbl.size(), 1u);
}

TEST(TextGrid, FixedColumnsAndHeaderAnswerAsTheCellsDo) {
  auto g = MakeGrid();
  std::vector<std::pair<int32_t, int32_t>> dbl, clicks;
  g->OnDblClickCell = [&](TTextGrid*, int32_t row, int32_t col) { dbl.emplace_back(row, col); };
  g->OnClickCell = [&](TTextGrid*, int32_t row, int32_t col) { clicks.emplace_back(row, col); };
  for (const QPoint p : {CellCentre(*g, 0, 4), CellCentre(*g, 5, 0)}) {
    SendMouse(g.get(), QEvent::MouseButtonPress, p);
    SendMouse(g.get(), QEvent::MouseButtonRelease, p, Qt::NoButton);
    SendMouse(g.get(), QEvent::MouseButtonDblClick, p);
    SendMouse(g.get(), QEvent::MouseButtonRelease, p, Qt::NoButton);
  }
  const std::vector<std::pair<int32_t, int32_t>> expected = {{4, 0}, {0, 5}};
  EXPECT_EQ(clicks, expected);
  EXPECT_EQ(dbl, expected);
  EXPECT_EQ(g->Selection().Left, 1);  // a fixed cell is never the selection

  // Every part opens the grid's menu.
  QMenu menu;
  int32_t menus = 0;
  QObject::connect(&menu, &QMenu::aboutToShow, [&] { ++menus; });
  g->SetPopupMenu(&menu);
  for (const QPoint p : {CellCentre(*g, 0, 0), CellCentre(*g, 0, 3), CellCentre(*g, 3, 0), CellCentre(*g, 3, 3)}) {
    QWidget* part = g->childAt(p);
    const QPoint at = part->mapFrom(g.get(), p);
    QContextMenuEvent e(QContextMenuEvent::Mouse, at, part->mapToGlobal(at));
    QApplication::sendEvent(part, &e);
    menu.close();
  }
  EXPECT_EQ(menus, 4);

  // The fixed column is sized on its own header; the scrolled ones move over.
  g->SetOptions(g->Options() | goColSizing);
  const QPoint border(g->ColumnLeft(0) + g->ColWidth(0), g->RowTop(0) + 5);
  SendMouse(g.get(), QEvent::MouseButtonPress, border);
  SendMouse(g.get(), QEvent::MouseMove, border + QPoint(15, 0));
  SendMouse(g.get(), QEvent::MouseButtonRelease, border + QPoint(15, 0), Qt::NoButton);
  EXPECT_EQ(g->ColWidth(0), 55);
  EXPECT_EQ(g->ColumnLeft(1), g->ColumnLeft(0) + 56);

  // Scrolled down, the fixed column shows the rows beside it.
  g->SetRowCount(100);
  g->SetCell(0, 50, "w50");
  g->SetCell(2, 50, "d50");
  g->SetTopRow(50);
  EXPECT_EQ(g->TopRow(), 50);
  QImage img(g->size(), QImage::Format_RGB32);
  g->render(&img);
  const int32_t y = g->RowTop(50) + g->DefaultRowHeight() / 2;
  auto inked = [&](int32_t col) {
    for (int32_t x = g->ColumnLeft(col); x < g->ColumnLeft(col) + g->ColWidth(col); ++x)
      if (img.pixelColor(x, y).lightness() < 100) return true;
    return false;
  };
  EXPECT_TRUE(inked(0));
  EXPECT_TRUE(inked(2));
  g->SetTopRow(52);
  g->render(&img);
  EXPECT_FALSE(inked(0));
}

TEST(TextGrid, HideSelectionMovesItOutsideAndRemembersIt) {
  auto g = MakeGrid();
  g->SelectCell(4, 3);
  g->HideSelection();
  EXPECT_TRUE(g->SelectionHidden());
  EXPECT_EQ(g->Selection().Left, 8);
  EXPECT_EQ(g->Selection().Top, 7);
  g->SetColCount(10);  // stays outside when the grid grows
  EXPECT_EQ(g->Selection().Left, 10);
  g->HideSelection();  // a second hide keeps the first remembered selection
  g->RestoreSelection();
  EXPECT_EQ(g->Selection().Left, 4);
  EXPECT_EQ(g->Selection().Top, 3);
  g->SelectCell(9, 9);  // outside: ignored
  EXPECT_EQ(g->Selection().Left, 4);
}

TEST(TextGrid, BandsAlternateFromTheFirstScrolledRow) {
  auto g = MakeGrid();
  g->SetColor(0x111111);
  uint32_t c = 0;
  EXPECT_FALSE(g->CellBackground(2, 1, c));
  g->SetBands({true, 16053751, 0xFFFFFF});
  EXPECT_EQ(g->RowColor(1), 16053751u);
  EXPECT_EQ(g->RowColor(2), 0xFFFFFFu);
  EXPECT_EQ(g->RowColor(3), 16053751u);
  ASSERT_TRUE(g->CellBackground(2, 2, c));
  EXPECT_EQ(c, 0xFFFFFFu);
  EXPECT_FALSE(g->CellBackground(0, 2, c));  // fixed cells are not banded
  g->SetBandsActive(false);
  EXPECT_EQ(g->RowColor(1), 0x111111u);
}

TEST(TextGrid, ScrollingClampsAndCountsVisibleRows) {
  auto g = MakeGrid();
  g->SetRowCount(100);
  const int32_t visible = g->VisibleRowCount();
  EXPECT_GT(visible, 3);
  EXPECT_LT(visible, 10);
  int32_t changes = 0;
  g->OnTopLeftChanged = [&](TTextGrid*) { ++changes; };
  g->SetTopRow(1000);
  EXPECT_EQ(g->TopRow(), 100 - visible);
  g->SetTopRow(-5);
  EXPECT_EQ(g->TopRow(), 1);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(g->RowAtY(g->RowTop(0) + 1), 0);  // the header stays on top
  EXPECT_EQ(g->RowAtY(g->RowTop(1) + 1), 1);
}

TEST(TextGrid, ClientWidthLeavesRoomForTheScrollBar) {
  auto g = MakeGrid();
  g->SetScrollBars(TScrollStyle::ssVertical);
  const int32_t full = g->ClientWidth();
  g->SetRowCount(100);
  EXPECT_LT(g->ClientWidth(), full);
  g->SetScrollBars(TScrollStyle::ssNone);
  EXPECT_EQ(g->ClientWidth(), full);

  // A grid that has not been shown yet already knows its client size.
  TTextGrid hidden;
  hidden.SetScrollBars(TScrollStyle::ssVertical);
  hidden.SetRowCount(100);
  hidden.resize(300, 100);
  EXPECT_LT(hidden.ClientWidth(), 300 - 4);
  hidden.resize(300, 3000);
  EXPECT_EQ(hidden.ClientWidth(), 300 - 4);
}

TEST(TextGrid, HtmlDataCarriesTextsColoursAndFixedParts) {
  auto g = MakeGrid();
  g->SetBands({true, 0x0000FF, 0x00FF00});
  g->SetColAlignment(2, TCellAlign::Right);
  g->SetCell(2, 1, "caf\xE9");
  const HtmlGridDataT h = g->HtmlData();
  EXPECT_EQ(h.colCount, 8);
  EXPECT_EQ(h.rowCount, 7);
  EXPECT_EQ(h.fixedRows, 1);
  EXPECT_EQ(HtmlCell(h, 2, 1).text, "caf\xE9");
  EXPECT_EQ(HtmlCell(h, 2, 1).align, HtmlAlignT::Right);
  EXPECT_TRUE(HtmlCell(h, 2, 1).hasBackground);
  EXPECT_EQ(HtmlCell(h, 2, 1).background, 0x0000FFu);
  EXPECT_FALSE(HtmlCell(h, 0, 1).hasBackground);
}

TEST(TextGrid, PaintsBandsAndSelection) {
  auto g = MakeGrid();
  g->SetBands({true, 0x0000FF, 0x00FF00});  // red, green
  g->SetSelectionColor(0xFF0000);           // blue
  g->SelectCell(2, 2);
  QImage img(g->size(), QImage::Format_RGB32);
  img.fill(Qt::black);
  g->render(&img);
  auto cornerOf = [&](int32_t col, int32_t row) {
    return img.pixelColor(g->ColumnLeft(col) + g->ColWidth(col) - 2,
                          g->RowTop(row) + g->DefaultRowHeight() - 2);
  };
  EXPECT_EQ(cornerOf(3, 1), QColor(255, 0, 0));
  EXPECT_EQ(cornerOf(3, 2), QColor(0, 255, 0));
  EXPECT_EQ(cornerOf(2, 2), QColor(0, 0, 255));
  g->HideSelection();
  img.fill(Qt::black);
  g->render(&img);
  EXPECT_EQ(cornerOf(2, 2), QColor(0, 255, 0));
}

TEST(TextGrid, MarkedCellIsFramedApartFromTheSelectionAndTravelsWithItsCells) {
  auto g = MakeGrid();
  g->SetSelectionColor(0xFF0000);  // blue
  g->SetMarkedCell(3, 2);
  g->SelectCell(5, 4);
  QImage img(g->size(), QImage::Format_RGB32);
  g->render(&img);
  auto leftEdge = [&](int32_t col, int32_t row) {
    return img.pixelColor(g->ColumnLeft(col) + 1, g->RowTop(row) + g->DefaultRowHeight() / 2);
  };
  EXPECT_EQ(leftEdge(3, 2), QColor(0, 0, 255));  // the frame
  EXPECT_EQ(leftEdge(5, 4), QColor(0, 0, 255));  // the selection
  EXPECT_NE(leftEdge(4, 2), QColor(0, 0, 255));

  EXPECT_TRUE(g->MoveColumn(3, 6));
  EXPECT_EQ(g->MarkedCol(), 6);
  EXPECT_TRUE(g->MoveColumn(1, 7));
  EXPECT_EQ(g->MarkedCol(), 5);
  EXPECT_EQ(g->Cell(5, 2), "3:2");
  g->SetColCount(5);  // its column is gone
  EXPECT_EQ(g->MarkedCol(), -1);
  g->SetMarkedCell(9, 9);
  EXPECT_EQ(g->MarkedRow(), -1);
}
