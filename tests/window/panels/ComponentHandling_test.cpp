#include "window/grid/ComponentHandlingGrid.h"
#include "window/panels/ComponentHandling.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QScreen>
#include <QStatusBar>
#include <set>
#include <string>

#include "window/grid/TextGrid.h"
#include "util/valstr.h"

namespace {

// The panel's frame as it is painted, from the outside in: "line" (a plain
// border), "raised" (light at the left, dark at the right), "lowered", until
// the panel's own colour shows.
std::string FrameRings(TPanel& panel) {
  const QImage image = panel.grab().toImage();
  const int y = image.height() / 2;
  const QRgb fill = image.pixel(image.width() / 2, y);
  std::string rings;
  for (int i = 0; i < 4; ++i) {
    const QRgb left = image.pixel(i, y), right = image.pixel(image.width() - 1 - i, y);
    if (left == fill && right == fill) break;
    if (!rings.empty()) rings += ' ';
    if (left == right) rings += "line";
    else rings += qGray(left) > qGray(right) ? "raised" : "lowered";
  }
  return rings;
}

// Every column but the fixed ones gets an even share of what is left of the
// client width after the grid lines: the shares differ by a pixel at most
// and fill the width exactly.
void ExpectEvenShares(const TTextGrid& g) {
  int32_t sum = g.ColCount() * g.GridLineWidth(), least = INT32_MAX, most = 0;
  for (int32_t c = g.FixedCols(); c < g.ColCount(); ++c) {
    sum += g.ColWidth(c);
    least = std::min(least, g.ColWidth(c));
    most = std::max(most, g.ColWidth(c));
  }
  EXPECT_EQ(sum, g.ClientWidth());
  EXPECT_LE(most - least, 1);
}

}  // namespace

TEST(SetPanelStyle, TheFiveLooksAndNothingElse) {
  TPanel p;
  p.resize(40, 30);
  const char* const looks[5] = {"line", "raised", "raised lowered", "lowered", "line raised"};
  for (uint8_t style = 0; style < 5; ++style) {
    SetPanelStyle(&p, style);
    EXPECT_EQ(FrameRings(p), looks[style]) << int(style);
  }
  // Flat and bordered styles are drawn without the 3-D look.
  SetPanelStyle(&p, 2);
  EXPECT_TRUE(p.Ctl3D());
  SetPanelStyle(&p, 0);
  EXPECT_FALSE(p.Ctl3D());
  // Other styles change nothing.
  SetPanelStyle(&p, 5);
  SetPanelStyle(&p, 255);
  SetPanelStyle(nullptr, 1);
  EXPECT_EQ(FrameRings(p), "line");
}

TEST(Measures, FramesAndStatusBar) {
  TPanel p;
  p.resize(100, 50);
  EXPECT_EQ(FrameHeight(&p), 0);
  SetPanelStyle(&p, 4);  // single border without 3-D look
  EXPECT_EQ(FrameHeight(&p), 2);
  EXPECT_EQ(FrameWidth(&p), 2);
  EXPECT_EQ(FrameHeight(nullptr), 0);

  QWidget plain;
  new QLabel(&plain);
  EXPECT_EQ(StatusBarHeight(&plain), 0);
  QMainWindow main;
  main.statusBar()->setFixedHeight(22);
  EXPECT_EQ(StatusBarHeight(&main), 22);
}

TEST(Children, ShiftAndAdopt) {
  TPanel holder;
  auto* bar = new TGPanel(&holder);
  auto* l1 = new QLabel(&holder);
  auto* l2 = new QLabel(&holder);
  auto* edit = new QLineEdit(&holder);
  l1->setAutoFillBackground(true);
  edit->move(10, 20);
  bar->move(0, 0);
  ShiftChildren(5, -3, &holder);
  EXPECT_EQ(edit->pos(), QPoint(7, 25));
  EXPECT_EQ(bar->pos(), QPoint(-3, 5));

  QWidget target;
  AdoptChildren(&holder, &target);
  EXPECT_EQ(bar->parentWidget(), &holder);
  EXPECT_EQ(l1->parentWidget(), &target);
  EXPECT_EQ(l2->parentWidget(), &target);
  EXPECT_EQ(edit->parentWidget(), &target);
  EXPECT_EQ(edit->pos(), QPoint(7, 25));
  EXPECT_FALSE(edit->isHidden());
  EXPECT_TRUE(IsTransparent(l1));
  EXPECT_TRUE(IsTransparent(l2));
  const QList<QWidget*> order = target.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  ASSERT_EQ(order.size(), 3);
  EXPECT_EQ(order[0], l1);
  EXPECT_EQ(order[2], edit);

  // A new parent inside the container is never cut off.
  TPanel outer;
  auto* inner = new QWidget(&outer);
  auto* deep = new QWidget(inner);
  AdoptChildren(&outer, deep);
  EXPECT_EQ(inner->parentWidget(), &outer);
}

TEST(Window, CenteredOnTheScreenAndBufferedThroughout) {
  QWidget w;
  w.resize(301, 201);
  CenterOnScreen(&w);
  const QRect s = w.screen()->geometry();
  const QRect f = w.frameGeometry();
  EXPECT_LE(std::abs((f.left() - s.left()) - (s.right() - f.right())), 1);
  EXPECT_LE(std::abs((f.top() - s.top()) - (s.bottom() - f.bottom())), 1);

  auto* panel = new TPanel(&w);
  auto* inner = new QLineEdit(panel);
  auto* label = new QLabel(panel);
  SetDoubleBufferedDeep(&w);
  EXPECT_TRUE(IsDoubleBuffered(&w));
  EXPECT_TRUE(IsDoubleBuffered(panel));
  EXPECT_TRUE(IsDoubleBuffered(inner));
  EXPECT_FALSE(IsDoubleBuffered(label));
}

TEST(Grid, ColumnsShareTheWidthEvenlyBesideTheFixedOnes) {
  TTextGrid g;
  g.SetScrollBars(TScrollStyle::ssNone);
  g.SetColCount(8);
  g.SetFixedCols(1);
  g.SetGridLineWidth(1);
  g.SetColWidth(0, 33);
  for (int client : {400, 403}) {
    g.resize(client, 200);
    g.resize(client + (client - g.ClientWidth()), 200);
    ASSERT_EQ(g.ClientWidth(), client);
    FitColumns(&g);
    EXPECT_EQ(g.ColWidth(0), 33);  // the fixed column keeps its own
    ExpectEvenShares(g);
  }
}

TEST(Grid, WidthRulesShareTheWidth) {
  TTextGrid g;
  g.SetScrollBars(TScrollStyle::ssNone);
  g.SetColCount(4);
  g.SetFixedCols(0);
  g.SetGridLineWidth(1);
  g.resize(404, 200);
  g.resize(404 + (404 - g.ClientWidth()), 200);
  ApplyColumnWidths(&g, ",0.1|20,,0.1|20,0.1|20,0.1|20,");  // empty entries do not count
  ExpectEvenShares(g);
}

TEST(Grid, TheDefaultLook) {
  TTextGrid g;
  g.SetColCount(3);
  g.SetRowCount(5);
  g.SetFixedRows(1);
  g.SetOptions(goRowSelect);
  g.resize(300, 200);
  StyleGrid(&g);
  // Rows in bands of pale yellow and white, starting below the caption row.
  EXPECT_EQ(g.RowColor(1), 14810879u);
  EXPECT_EQ(g.RowColor(2), 0xFFFFFFu);
  EXPECT_EQ(g.RowColor(3), g.RowColor(1));
  EXPECT_EQ(g.FontColor(), 0u);
  // Columns can be sized and dragged; the caller's own options stay.
  EXPECT_EQ(g.Options(), goRowSelect | goColSizing | goColMoving);
  EXPECT_TRUE(g.RowColMoving());
  EXPECT_TRUE(g.ShowCellHints() && g.ShowLargeTextHints());
  // A vertical scroll bar only, and the columns fill the width.
  EXPECT_EQ(g.ScrollBars(), TScrollStyle::ssVertical);
  ExpectEvenShares(g);
}

TEST(DesktopColours, ResolverReadsThePalette) {
  InstallDesktopColorResolver();
  EXPECT_EQ(ResolveColor(clBtnFace), FromQColor(QApplication::palette().color(QPalette::Button)));
  EXPECT_EQ(ResolveColor(clWindow), FromQColor(QApplication::palette().color(QPalette::Base)));
  EXPECT_EQ(ResolveColor(0x123456), 0x123456u);
  SetSystemColorResolver({});
}
