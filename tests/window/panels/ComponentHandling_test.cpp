#include "window/grid/ComponentHandlingGrid.h"
#include "window/panels/ComponentHandling.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QScreen>
#include <QStatusBar>

#include "window/grid/TextGrid.h"
#include "util/valstr.h"

TEST(SetPanelStyle, StylesAndOutOfRange) {
  TPanel p;
  SetPanelStyle(&p, 0);  // flat: no bevels, single border, no 3-D look
  EXPECT_EQ(p.BevelOuter(), BevelCut::None);
  EXPECT_EQ(p.BorderStyle(), BorderStyleT::Single);
  EXPECT_FALSE(p.Ctl3D());
  SetPanelStyle(&p, 2);  // lowered+raised
  EXPECT_EQ(p.BevelInner(), BevelCut::Lowered);
  EXPECT_EQ(p.BevelOuter(), BevelCut::Raised);
  EXPECT_EQ(p.BorderStyle(), BorderStyleT::None);
  EXPECT_TRUE(p.Ctl3D());
  SetPanelStyle(&p, 5);
  SetPanelStyle(&p, 255);
  SetPanelStyle(nullptr, 1);
  EXPECT_EQ(p.BevelInner(), BevelCut::Lowered);
  EXPECT_TRUE(p.Ctl3D());
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

TEST(Window, CenterAndDoubleBuffer) {
  QWidget w;
  w.resize(301, 201);
  CenterOnScreen(&w);
  const QRect s = w.screen()->geometry();
  EXPECT_EQ(w.x(), (s.width() - w.frameGeometry().width()) / 2);
  EXPECT_EQ(w.y(), (s.height() - w.frameGeometry().height()) / 2);

  auto* panel = new TPanel(&w);
  auto* inner = new QLineEdit(panel);
  auto* label = new QLabel(panel);
  SetDoubleBufferedDeep(&w);
  EXPECT_TRUE(IsDoubleBuffered(&w));
  EXPECT_TRUE(IsDoubleBuffered(panel));
  EXPECT_TRUE(IsDoubleBuffered(inner));
  EXPECT_FALSE(IsDoubleBuffered(label));
}

TEST(Grid, FitColumnsSpreadsOverNonFixedColumns) {
  TTextGrid g;
  g.SetScrollBars(TScrollStyle::ssNone);
  g.SetColCount(8);
  g.SetFixedCols(1);
  g.SetGridLineWidth(1);
  g.SetColWidth(0, 33);
  g.resize(400, 200);
  g.resize(400 + (400 - g.ClientWidth()), 200);
  ASSERT_EQ(g.ClientWidth(), 400);
  FitColumns(&g);  // 400 - 8 = 392 over 7 columns
  EXPECT_EQ(g.ColWidth(0), 33);
  for (int c = 1; c < 8; ++c) EXPECT_EQ(g.ColWidth(c), 56) << c;
}

TEST(Grid, ApplyColumnWidthsAndStyle) {
  TTextGrid g;
  g.SetScrollBars(TScrollStyle::ssNone);
  g.SetColCount(4);
  g.SetFixedCols(0);
  g.SetGridLineWidth(1);
  g.resize(404, 200);
  g.resize(404 + (404 - g.ClientWidth()), 200);
  ApplyColumnWidths(&g, ",0.1|20,,0.1|20,0.1|20,0.1|20,");
  for (int c = 0; c < 4; ++c) EXPECT_EQ(g.ColWidth(c), 100) << c;

  g.SetOptions(goRowSelect);
  StyleGrid(&g);
  EXPECT_EQ(g.Options(), goRowSelect | goColSizing | goColMoving);
  EXPECT_TRUE(g.BandsActive());
  EXPECT_EQ(g.Bands().PrimaryColor, 14810879u);
  EXPECT_EQ(g.Bands().SecondaryColor, 0xFFFFFFu);
  EXPECT_EQ(g.Color(), 0xFFFFFFu);
  EXPECT_EQ(g.FontColor(), 0u);
  EXPECT_TRUE(g.RowColMoving() && g.ShowCellHints() && g.ShowLargeTextHints() && g.SyncScroll());
  EXPECT_FALSE(g.ProportionalScroll());
  EXPECT_EQ(g.ScrollBars(), TScrollStyle::ssVertical);
  EXPECT_EQ(g.ScrollPositionHints(), TScrollStyle::ssVertical);
}

TEST(DesktopColours, ResolverReadsThePalette) {
  InstallDesktopColorResolver();
  EXPECT_EQ(ResolveColor(clBtnFace), FromQColor(QApplication::palette().color(QPalette::Button)));
  EXPECT_EQ(ResolveColor(clWindow), FromQColor(QApplication::palette().color(QPalette::Base)));
  EXPECT_EQ(ResolveColor(0x123456), 0x123456u);
  SetSystemColorResolver({});
}
