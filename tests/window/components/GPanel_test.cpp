#include "window/components/GPanel.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>

#include "util/valstr.h"

namespace {

uint32_t Pixel(const QImage& img, int x, int y) { return FromQColor(QColor(img.pixel(x, y))); }

QImage Render(QWidget& w) {
  QImage img(w.size(), QImage::Format_RGB32);
  img.fill(Qt::magenta);
  w.render(&img);
  return img;
}

}  // namespace

TEST(GradientBands, LongerThanStepsGivesOnePixelBandsAndAnEmptyLastOne) {
  const auto bands = GradientBands(0x000000, 0xFFFFFF, 200);
  ASSERT_EQ(bands.size(), 201u);
  for (size_t i = 0; i < 200; ++i) {
    EXPECT_EQ(bands[i].start, static_cast<int32_t>(i));
    EXPECT_EQ(bands[i].length, 1);
  }
  EXPECT_EQ(bands[200].length, 0);
  EXPECT_EQ(bands[0].color, 0x000000u);
  EXPECT_EQ(bands[100].color, 0x7F7F7Fu);  // (25500 div 200) * 100 div 100
  EXPECT_EQ(bands[199].color, 0xFCFCFCu);  // 127 * 199 div 100
}

TEST(GradientBands, FewStepsGiveWideBandsCutAtTheEnd) {
  // red 0 -> 10 over 100 px: D = 1000, q = (10 + 99) * 100 div 1000 = 10
  auto bands = GradientBands(0x000000, 0x00000A, 100);
  ASSERT_EQ(bands.size(), 11u);
  EXPECT_EQ(bands[3].start, 30);
  EXPECT_EQ(bands[3].length, 10);
  EXPECT_EQ(bands[3].color, 3u);
  EXPECT_EQ(bands[10].length, 0);

  // 105 px: q = 11, n = 9, the last band keeps the 6 pixels left
  bands = GradientBands(0x000000, 0x00000A, 105);
  ASSERT_EQ(bands.size(), 10u);
  EXPECT_EQ(bands[9].start, 99);
  EXPECT_EQ(bands[9].length, 6);
  EXPECT_EQ(bands[9].color, 9u);  // (1000 div 9) * 9 div 100
}

TEST(GradientBands, DescendingChannelsAndEachChannelOnItsOwn) {
  const auto bands = GradientBands(0x0000FF, 0xFF0000, 255);  // red down, blue up
  ASSERT_EQ(bands.size(), 256u);
  EXPECT_EQ(bands[0].color, 0x0000FFu);
  EXPECT_EQ(bands[255].color, 0xFF0000u);
  EXPECT_EQ(bands[128].color & 0xFF, 127u);
  EXPECT_EQ((bands[128].color >> 16) & 0xFF, 128u);
  EXPECT_EQ((bands[128].color >> 8) & 0xFF, 0u);
}

TEST(GradientBands, DegenerateInputsStaySafe) {
  // Different values that resolve to the same colour: no division by zero.
  auto bands = GradientBands(0x123456, 0x123456, 50);
  ASSERT_FALSE(bands.empty());
  EXPECT_EQ(bands[0].length, 50);
  EXPECT_EQ(bands[0].color, 0x123456u);
  for (int32_t len : {0, -7}) {
    for (const auto& b : GradientBands(0, 0xFFFFFF, len)) EXPECT_LE(b.length, 0);
  }
  bands = GradientBands(0, 0xFFFFFF, 2'000'000'000);
  EXPECT_GT(bands.size(), 1u);
  EXPECT_GE(bands.back().color & 0xFF, 250u);
}

TEST(GradientSections, SplitAtPercent) {
  auto s = GradientSections(20, 20);  // the title bar split
  ASSERT_EQ(s.size(), 2u);
  EXPECT_EQ(s[0].start, 0);
  EXPECT_EQ(s[0].length, 4);
  EXPECT_EQ(s[1].start, 4);
  EXPECT_EQ(s[1].length, 16);
  EXPECT_EQ(s[1].from, 2);
  EXPECT_EQ(s[1].to, 3);
  s = GradientSections(20, 100);
  ASSERT_EQ(s.size(), 1u);
  EXPECT_EQ(s[0].length, 20);
  EXPECT_EQ(GradientSplit(3, 20), 1);  // 0 becomes 1
  EXPECT_EQ(GradientSplit(2'000'000'000, 99), 1'980'000'000);
}

TEST(TGPanel, PercentClamp) {
  TGPanel g;
  const std::pair<int32_t, int32_t> cases[] = {{0, 1}, {-5, 1}, {250, 100}, {99, 99}, {100, 100}, {1, 1}};
  for (auto [in, out] : cases) {
    g.SetPercent(in);
    EXPECT_EQ(g.Percent(), out) << in;
  }
}

TEST(TGPanel, PaintsHorizontalGradientOverTheCaption) {
  TGPanel g;
  g.SetBevelOuter(BevelCut::None);
  g.SetCaption("hidden");
  g.resize(200, 10);
  g.SetColor_1(0x000000);
  g.SetColor_2(0xFFFFFF);
  const QImage img = Render(g);
  EXPECT_EQ(Pixel(img, 0, 5), 0x000000u);
  EXPECT_EQ(Pixel(img, 100, 5), 0x7F7F7Fu);
  EXPECT_EQ(Pixel(img, 199, 0), 0xFCFCFCu);
}

TEST(TGPanel, VerticalTwoSectionsInsideTheBevel) {
  TGPanel g;
  g.SetBevelOuter(BevelCut::Raised);  // 1 px border around the gradient
  g.resize(30, 22);                   // gradient area 28 x 20
  g.SetHorizontal(false);
  g.SetPercent(20);
  g.SetColor_1(0x0000FF);
  g.SetColor_2(0x00FF00);
  g.SetColor_3(0xFF0000);
  EXPECT_EQ(g.GradientRect(), QRect(1, 1, 28, 20));
  const QImage img = Render(g);
  EXPECT_EQ(Pixel(img, 10, 1), 0x0000FFu);  // first section starts at Color_1
  EXPECT_EQ(Pixel(img, 10, 5), 0x00FF00u);  // second section (row 4 of the area)
  const uint32_t last = Pixel(img, 10, 20);
  EXPECT_GT((last >> 16) & 0xFF, 200u);  // nearly Color_3
  EXPECT_NE(Pixel(img, 0, 10), Pixel(img, 10, 10));  // bevel untouched
}

TEST(TGPanel, EqualColoursOrInactiveShowThePlainPanel) {
  TGPanel g;
  g.SetBevelOuter(BevelCut::None);
  g.resize(40, 40);
  g.SetColor(0x00FF00);
  g.SetColor_1(0x0000FF);
  g.SetColor_2(0x0000FF);
  EXPECT_EQ(Pixel(Render(g), 20, 20), 0x00FF00u);
  g.SetColor_2(0xFFFFFF);
  g.SetActive(false);
  EXPECT_EQ(Pixel(Render(g), 20, 20), 0x00FF00u);
  g.SetActive(true);
  EXPECT_EQ(Pixel(Render(g), 0, 20), 0x0000FFu);
}

TEST(TPanel, AlignedChildrenShareTheInside) {
  TPanel p;
  p.SetBevelOuter(BevelCut::None);
  p.resize(100, 80);
  QWidget top(&p), bottom(&p), client(&p);
  top.resize(10, 20);
  bottom.resize(10, 5);
  SetAlign(&top, AlignT::Top);
  SetAlign(&bottom, AlignT::Bottom);
  SetAlign(&client, AlignT::Client);
  EXPECT_EQ(top.geometry(), QRect(0, 0, 100, 20));
  EXPECT_EQ(bottom.geometry(), QRect(0, 75, 100, 5));
  EXPECT_EQ(client.geometry(), QRect(0, 20, 100, 55));
  top.hide();
  p.Realign();
  EXPECT_EQ(client.geometry(), QRect(0, 0, 100, 75));
  p.SetBorderStyle(BorderStyleT::Single);
  p.SetCtl3D(false);
  p.SetBevelOuter(BevelCut::Raised);
  EXPECT_EQ(client.geometry(), QRect(2, 2, 96, 71));  // border 1 + bevel 1
  p.show();  // resize events reach shown widgets only
  p.resize(50, 50);
  EXPECT_EQ(client.width(), 46);
}

TEST(TPanel, ClickHandlersAndPopupComponent) {
  TPanel p;
  p.resize(40, 40);
  int clicks = 0, doubles = 0;
  QObject* seen = nullptr;
  p.OnClick = [&](QObject* s) { ++clicks; seen = s; };
  p.OnDblClick = [&](QObject*) { ++doubles; };
  const QPointF at(5, 5);
  QMouseEvent press(QEvent::MouseButtonPress, at, at, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, at, at, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QMouseEvent dbl(QEvent::MouseButtonDblClick, at, at, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&p, &press);
  QCoreApplication::sendEvent(&p, &release);
  QCoreApplication::sendEvent(&p, &dbl);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(seen, &p);
  EXPECT_EQ(doubles, 1);
  // A release without a press is no click.
  QCoreApplication::sendEvent(&p, &release);
  EXPECT_EQ(clicks, 1);
}

TEST(Colours, QColorCrossing) {
  EXPECT_EQ(ToQColor(0x00336699), QColor(0x99, 0x66, 0x33));
  EXPECT_EQ(FromQColor(QColor(0x99, 0x66, 0x33)), 0x336699u);
  EXPECT_EQ(FromQColor(ToQColor(clWindow)), ResolveColor(clWindow));
}
