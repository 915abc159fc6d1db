#include "window/panels/easypanel.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QTest>
#include <algorithm>
#include <memory>

#include "window/components/QtText.h"
#include "util/exposit.h"
#include "util/valstr.h"
#include "tests/support/FakeWindowServices.h"

namespace {

class PanelManager : public ::testing::Test {
 protected:
  void SetUp() override {
    window = std::make_unique<QWidget>();
    InitPanels(rec, services);
    rec.OnChange = [this] { ++notes; };
  }

  TPanel* MakePanel(const char* name, const char* caption = "Date 1", int h = 120) {
    auto* panel = new TPanel(window.get());
    panel->setObjectName(name);
    panel->SetCaption(caption);
    panel->setGeometry(8, 8, 177, h);
    panel->SetColor(15133164);
    panel->SetBevelOuter(BevelCut::None);  // flat, as the date panels
    return panel;
  }
  const PanelEntry& Entry(int slot) { return rec.entries[static_cast<size_t>(slot)]; }

  std::unique_ptr<QWidget> window;
  FakeWindowServices services;
  TeasyPanel rec;
  int notes = 0;
};

}  // namespace

TEST(SlotChars, CodesFrom48) {
  EXPECT_EQ(SlotChar(0), '0');
  EXPECT_EQ(SlotChar(10), ':');
  EXPECT_EQ(SlotChar(20), 'D');
  EXPECT_EQ(SlotAt("0:D", 2), 10);
  EXPECT_EQ(SlotAt("0:D", 3), 20);
  EXPECT_EQ(SlotAt("0:D", 4), -1);
  EXPECT_EQ(SlotAt("0:D", 0), -1);
  EXPECT_EQ(SlotAt("/", 1), -1);
}

TEST_F(PanelManager, TitleBarNameCaptionAndBackdrop) {
  TPanel* p = MakePanel("Panel1", "Date 1|more");
  auto* edit = new QLineEdit(p);
  edit->move(8, 12);
  auto* label = new QLabel(p);
  RegisterPanel(rec, p, "", true);

  auto* bar = p->findChild<TGPanel*>("titlebar_Panel1", Qt::FindDirectChildrenOnly);
  ASSERT_TRUE(bar);
  EXPECT_EQ(bar, Entry(0).titleBar);
  EXPECT_EQ(FromQString(Entry(0).titleLabel->text()), "Date 1");
  EXPECT_FALSE(bar->Horizontal());
  EXPECT_EQ(bar->Percent(), 20);
  EXPECT_EQ(bar->geometry(), QRect(0, 0, 177, 24));  // flat panel: no inset
  EXPECT_EQ(Entry(0).titleBevel->geometry(), QRect(0, 22, 177, 2));

  EXPECT_EQ(edit->parentWidget(), Entry(0).backdrop);
  EXPECT_EQ(edit->pos(), QPoint(8, 12));
  EXPECT_EQ(label->parentWidget(), Entry(0).backdrop);
  EXPECT_EQ(Entry(0).backdrop->geometry(), QRect(0, 24, 177, 120));
  EXPECT_EQ(notes, 0);  // not ready yet

  // Captions are plain text: read as markup this one would lose its tags and
  // come out narrower.
  RegisterPanel(rec, MakePanel("Panel2", "<b>Date</b> &1"), "", false);
  const QLabel* marked = Entry(1).titleLabel;
  EXPECT_EQ(FromQString(marked->text()), "<b>Date</b> &1");
  EXPECT_GE(marked->sizeHint().width(), marked->fontMetrics().horizontalAdvance(marked->text()));
}

TEST_F(PanelManager, HeightsFollowTheTitleBar) {
  TPanel* p = MakePanel("Panel1");
  RegisterPanel(rec, p, "", true);
  EXPECT_EQ(p->height(), 144);
  EXPECT_EQ(PanelBodyHeight(rec, p), 120);
  EXPECT_EQ(PanelWidth(rec, p), 177);
  EXPECT_EQ(Entry(0).sizeText, "0.1|120|120");
  EXPECT_EQ(SizeText(rec, 0), "0.1|144|144");
  EXPECT_EQ(PanelHeightOf(rec, 0, false), 144);
  EXPECT_EQ(PanelHeightOf(rec, 0, true), 0);

  HideAllTitleBars(rec);
  EXPECT_EQ(p->height(), 120);
  EXPECT_EQ(PanelBodyHeight(rec, p), 120);
  EXPECT_EQ(SizeText(rec, 0), "0.1|120|120");
  EXPECT_EQ(Entry(0).backdrop->geometry(), QRect(0, 0, 177, 120));
  ShowAllTitleBars(rec);
  EXPECT_EQ(p->height(), 144);

  TPanel stranger;
  EXPECT_EQ(PanelWidth(rec, &stranger), 0);
  EXPECT_EQ(PanelBodyHeight(rec, &stranger), 0);
  EXPECT_EQ(PanelBodyHeight(rec, nullptr), 0);
  EXPECT_EQ(SizeText(rec, 5), "");
  EXPECT_EQ(CollapsedHeight(rec, -1), 0);
}

TEST_F(PanelManager, GivenSizeTexts) {
  TPanel* a = MakePanel("A");
  TPanel* b = MakePanel("B");
  TPanel* c = MakePanel("C");
  RegisterPanel(rec, a, "2|50|", false);
  RegisterPanel(rec, b, "1||300", false);
  RegisterPanel(rec, c, "0.5|60|90|extra", false);
  EXPECT_EQ(Entry(0).sizeText, "2|50");
  EXPECT_EQ(Entry(0).preferredHeight, 50);
  EXPECT_EQ(SizeText(rec, 0), "2|74");
  EXPECT_EQ(Entry(1).sizeText, "1|120|300");
  EXPECT_EQ(SizeText(rec, 1), "1|144|324");
  EXPECT_EQ(SizeText(rec, 2), "0.5|84|114|extra");
}

TEST_F(PanelManager, UnreadableHeightFieldRaisesButKeepsTheRecordSound) {
  TPanel* a = MakePanel("A");
  TPanel* b = MakePanel("B");
  EXPECT_THROW(RegisterPanel(rec, a, "0.5|abc|200", false), ConvertError);
  EXPECT_TRUE(IsRegistered(rec, 0));
  EXPECT_EQ(rec.count, 1);
  HideAllTitleBars(rec);  // the panel keeps the height of a fresh registration
  EXPECT_EQ(a->height(), 120);
  ShowAllTitleBars(rec);
  EXPECT_EQ(a->height(), 144);
  RegisterPanel(rec, b, "", false);
  EXPECT_EQ(FindPanel(rec, b), 1);
  EXPECT_EQ(FindPanel(rec, a), 0);
}

TEST_F(PanelManager, TitleLabelDoubleClickMaximizesOnce) {
  TPanel* p = MakePanel("Panel1");
  RegisterPanel(rec, p, "", false);
  SetReady(rec);
  window->show();
  QTest::mouseDClick(Entry(0).titleLabel, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
  QTest::mouseRelease(Entry(0).titleLabel, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
  EXPECT_TRUE(Entry(0).maximized);
  EXPECT_EQ(notes, 1);
}

TEST_F(PanelManager, ClearedButtonsFlagHidesButtonsAndBlocksCollapse) {
  rec.buttons = false;
  TPanel* p = MakePanel("Panel1");
  RegisterPanel(rec, p, "", true);
  SetReady(rec);
  EXPECT_TRUE(Entry(0).titleButton->isHidden());
  EXPECT_TRUE(Entry(0).cornerButton->isHidden());
  CollapseAll(rec);
  EXPECT_FALSE(Entry(0).collapsed);
  EXPECT_EQ(p->height(), 144);
  EXPECT_EQ(notes, 1);  // CollapseAll still notifies once
}

TEST_F(PanelManager, ButtonsPlacedAndStyled) {
  TPanel* p = MakePanel("Panel1");
  RegisterPanel(rec, p, "", false);
  TPanel* button = Entry(0).titleButton;
  EXPECT_FALSE(button->isHidden());
  EXPECT_TRUE(Entry(0).cornerButton->isHidden());  // title bar shown
  EXPECT_EQ(button->geometry(), QRect(177 - 18 - 2 - 1, 2, 18, 18));
  EXPECT_EQ(Entry(0).cornerButton->geometry(), QRect(177 - 6, 0, 6, 6));
  EXPECT_EQ(button->PopupMenu, rec.menu.data());
  EXPECT_EQ(Entry(0).titleBar->Color_1(), DarkerColor(DarkerColor(15133164)));
  EXPECT_EQ(FindPanelByButton(rec, button), 0);
  EXPECT_EQ(FindPanelByButton(rec, Entry(0).cornerButton), 0);
  EXPECT_EQ(FindPanelByButton(rec, p), -1);
  EXPECT_EQ(FindPanelByButton(rec, nullptr), -1);
}

TEST_F(PanelManager, RegisteringTwiceKeepsOneSlot) {
  TPanel* p = MakePanel("Panel1");
  RegisterPanel(rec, p, "", false);
  RegisterPanel(rec, p, "", false);
  EXPECT_EQ(rec.registeredSlots, "0");
  EXPECT_EQ(rec.count, 1);
  EXPECT_EQ(p->findChildren<TGPanel*>(Qt::FindDirectChildrenOnly).size(), 2);  // bar + backdrop
  EXPECT_EQ(p->height(), 144);
}

TEST_F(PanelManager, TwentySecondPanelIsIgnored) {
  std::vector<TPanel*> panels;
  for (int i = 0; i < 22; ++i) {
    const std::string name = "P" + std::to_string(i);
    panels.push_back(MakePanel(name.c_str(), "x", 50));
    RegisterPanel(rec, panels.back(), "", false);
  }
  EXPECT_EQ(rec.count, 21);
  EXPECT_EQ(rec.registeredSlots.size(), 21u);
  EXPECT_EQ(RegisteredSlots(rec).back(), 'D');
  EXPECT_EQ(FindPanel(rec, panels[21]), -1);
  EXPECT_EQ(panels[21]->height(), 50);
  EXPECT_TRUE(panels[21]->findChildren<TGPanel*>().isEmpty());
  EXPECT_EQ(FindPanel(rec, panels[20]), 20);
  EXPECT_EQ(FindPanelByName(rec, "p20"), 20);
}

TEST_F(PanelManager, CollapsedAndMaximizedSizeTexts) {
  TPanel* a = MakePanel("A");
  TPanel* b = MakePanel("B");
  RegisterPanel(rec, a, "", false);
  RegisterPanel(rec, b, "", false);
  SetReady(rec);
  EXPECT_EQ(CollapsedHeight(rec, 0), 26);
  SetCollapsed(rec, 0, true, false);
  EXPECT_TRUE(Entry(0).collapsed);
  EXPECT_EQ(notes, 0);  // without animation the layout is told by the caller
  EXPECT_EQ(SizeText(rec, 0), "0.1|26|24");

  ToggleMaximized(rec, Entry(1).titleLabel);  // the label names its title bar
  EXPECT_TRUE(Entry(1).maximized);
  EXPECT_EQ(notes, 1);
  EXPECT_EQ(SizeText(rec, 1), "0.1|144|144");
  EXPECT_EQ(SizeText(rec, 0), "0.1|26|24");
  ArrangeTitleBar(rec, 0);
  EXPECT_TRUE(Entry(0).titleButton->isHidden());  // buttons hide while one is maximized
  EXPECT_TRUE(Entry(0).titleBevel->isHidden());

  ToggleMaximized(rec, Entry(1).titleBar);
  EXPECT_FALSE(Entry(1).maximized);
  RestoreAll(rec);
  EXPECT_FALSE(Entry(0).collapsed);
  EXPECT_EQ(SizeText(rec, 0), "0.1|144|144");

  HideAllTitleBars(rec);
  EXPECT_EQ(CollapsedHeight(rec, 0), 24);
}

TEST_F(PanelManager, CollapseButtonAnimatesAndNotifies) {
  TPanel* p = MakePanel("Panel1", "Date 1", 176);  // 200 with its title bar
  RegisterPanel(rec, p, "", false);
  SetReady(rec);
  std::vector<int> heights;
  bool buffered = true;
  services.onWait = [&](QWidget* w) {
    heights.push_back(w->height());
    buffered = buffered && IsDoubleBuffered(w);
  };
  SetDoubleBuffered(p, true);
  ASSERT_EQ(p->height(), 200);
  Entry(0).titleButton->OnClick(Entry(0).titleButton);
  EXPECT_TRUE(Entry(0).collapsed);
  EXPECT_EQ(p->height(), 26);
  EXPECT_EQ(notes, 2);  // one from SetCollapsed, one from the click
  EXPECT_FALSE(buffered);
  EXPECT_TRUE(IsDoubleBuffered(p));
  heights.erase(std::unique(heights.begin(), heights.end()), heights.end());
  int turns = 0;
  for (size_t i = 2; i < heights.size(); ++i)
    if ((heights[i] - heights[i - 1]) * (heights[i - 1] - heights[i - 2]) < 0) ++turns;
  EXPECT_EQ(turns, 6);  // seven movements
  EXPECT_EQ(*std::max_element(heights.begin() + 20, heights.end()), 46);

  Entry(0).cornerButton->OnClick(Entry(0).cornerButton);  // expanding waits for the layout
  EXPECT_FALSE(Entry(0).collapsed);
  EXPECT_TRUE(Entry(0).expandPending);
}

TEST(Animation, Movements) {
  auto m = CollapseMovements(200, 26);
  ASSERT_EQ(m.size(), 7u);
  const int targets[] = {26, 46, 26, 31, 26, 28, 26};
  for (size_t i = 0; i < 7; ++i) EXPECT_EQ(m[i].target, targets[i]);
  EXPECT_DOUBLE_EQ(m[0].factor, 1.098);
  EXPECT_DOUBLE_EQ(m[3].step, 2);
  EXPECT_EQ(CollapseMovements(140, 26).size(), 5u);
  EXPECT_EQ(CollapseMovements(400, 26)[1].target, 66);  // at most c + 40
  m = CollapseMovements(40, 26);
  ASSERT_EQ(m.size(), 1u);
  EXPECT_EQ(m[0].target, 26);
  EXPECT_DOUBLE_EQ(m[0].factor, 1);

  m = ExpandMovements(26, 200, 26);
  ASSERT_EQ(m.size(), 3u);
  EXPECT_EQ(m[1].target, 180);
  EXPECT_EQ(ExpandMovements(26, 25, 26).size(), 1u);
  EXPECT_EQ(ExpandMovements(26, 50, 26)[1].target, 45);  // 45 = 50 / 100 * 90 (ties to even)
}

TEST(Animation, HeightStepsArriveExactly) {
  FakeWindowServices services;
  QWidget w;
  w.resize(10, 40);
  std::vector<int> heights;
  services.onWait = [&](QWidget* p) { heights.push_back(p->height()); };
  AnimateHeight(&w, 26, 1, 1, services);
  EXPECT_EQ(heights.size(), 14u);
  EXPECT_EQ(w.height(), 26);
  heights.clear();
  AnimateHeight(&w, 300, 1.9, 0, services);  // a zero step must still arrive
  EXPECT_EQ(w.height(), 300);
  EXPECT_LT(heights.size(), 20u);
}

TEST_F(PanelManager, LookupsByName) {
  TPanel* a = MakePanel("PanA");
  TPanel* b = MakePanel("panB");
  TPanel* c = MakePanel("Other");
  for (TPanel* p : {a, b, c}) RegisterPanel(rec, p, "", false);
  SetReady(rec);
  EXPECT_EQ(FindPanelByName(rec, "PANB"), 1);
  EXPECT_EQ(FindPanelByName(rec, "*"), -1);
  EXPECT_EQ(FindPanelByName(rec, "pan*"), -1);
  EXPECT_EQ(FindPanelByName(rec, "missing"), -1);

  SetLayoutText(rec, "pan*");
  EXPECT_EQ(rec.layoutText, "01");
  SetLayoutText(rec, "*");
  EXPECT_EQ(rec.layoutText, "012");
  SetLayoutText(rec, ",Other,,missing,pana,");
  EXPECT_EQ(rec.layoutText, "20");
  SetLayoutText(rec, "ord:2.01");
  EXPECT_EQ(rec.layoutText, "2.01");
  SetLayoutText(rec, "ORD:2");  // not the order prefix: a name that is not found
  EXPECT_EQ(rec.layoutText, "");
  EXPECT_EQ(notes, 5);
}

TEST_F(PanelManager, RegisterChildPanelsTakesPlainPanelsOnly) {
  auto* container = new TPanel(window.get());
  auto* plain = new TPanel(container);
  plain->setObjectName("plain");
  auto* blank = new TPanel(container);
  blank->SetCaption(" ");
  new TGPanel(container);
  new QLabel(container);
  auto* second = new TPanel(container);
  second->setObjectName("second");
  SetReady(rec);
  EXPECT_EQ(RegisterChildPanels(rec, container, true), "01");
  EXPECT_EQ(FindPanel(rec, plain), 0);
  EXPECT_EQ(FindPanel(rec, second), 1);
  EXPECT_EQ(FindPanel(rec, blank), -1);
  EXPECT_EQ(notes, 1);
}

TEST_F(PanelManager, PopupMenuCommands) {
  TPanel* a = MakePanel("A");
  TPanel* b = MakePanel("B");
  TPanel* loose = MakePanel("Loose");
  RegisterPanel(rec, a, "", false);
  RegisterPanel(rec, b, "", false);
  SetReady(rec);
  const auto items = rec.menu->actions();
  ASSERT_EQ(items.size(), 9);
  EXPECT_EQ(FromQString(items[4]->text()), "Shows all titlebars");

  items[1]->trigger();  // nothing collapsed: still one notification
  EXPECT_EQ(notes, 1);

  items[5]->trigger();  // flat
  for (TPanel* p : {a, b}) {
    EXPECT_EQ(p->BevelOuter(), BevelCut::None);
    EXPECT_EQ(p->BorderStyle(), BorderStyleT::Single);
    EXPECT_FALSE(p->Ctl3D());
  }
  EXPECT_EQ(loose->BorderStyle(), BorderStyleT::None);
  items[6]->trigger();  // raised
  EXPECT_EQ(a->BevelOuter(), BevelCut::Raised);
  EXPECT_EQ(loose->BevelOuter(), BevelCut::None);

  HideAllTitleBars(rec);
  notes = 0;
  rec.menu->PopupComponent = Entry(1).cornerButton.data();
  items[2]->trigger();  // toggle titlebar of the button's panel
  EXPECT_TRUE(Entry(0).titleBar->isHidden());
  EXPECT_FALSE(Entry(1).titleBar->isHidden());
  EXPECT_EQ(notes, 1);
  rec.menu->PopupComponent = loose;
  items[2]->trigger();
  EXPECT_EQ(notes, 1);

  items[0]->trigger();
  EXPECT_TRUE(Entry(0).collapsed && Entry(1).collapsed);
  QAction stray;
  PanelMenuClick(rec, &stray);
  PanelMenuClick(rec, nullptr);
  EXPECT_EQ(notes, 2);
}

TEST_F(PanelManager, NotificationsWaitForReady) {
  RegisterPanel(rec, MakePanel("A"), "", true);
  NotifyChange(rec);
  EXPECT_EQ(notes, 0);
  SetReady(rec);
  NotifyChange(rec);
  EXPECT_EQ(notes, 1);
  rec.OnChange = nullptr;
  NotifyChange(rec);
  EXPECT_EQ(notes, 1);
}

TEST_F(PanelManager, HiddenTitleBarsAtRegistration) {
  rec.titleBarsShown = false;
  TPanel* p = MakePanel("Panel1");
  RegisterPanel(rec, p, "", false);
  EXPECT_EQ(p->height(), 120);
  EXPECT_TRUE(Entry(0).titleBar->isHidden());
  EXPECT_FALSE(Entry(0).collapsible);
  EXPECT_EQ(SizeText(rec, 0), "0.1|120|120");
  EXPECT_EQ(PanelBodyHeight(rec, p), 120);
}
