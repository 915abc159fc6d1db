#include "window/panels/easypanel.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <algorithm>
#include <memory>

#include "window/components/QtText.h"
#include "util/exposit.h"
#include "util/valstr.h"
#include "tests/support/FakeWindowServices.h"

namespace {

// A registered panel as a user sees it: found through its widgets, never
// through the manager's record.
TGPanel* TitleBar(const TPanel* p) {
  return p->findChild<TGPanel*>(QStringLiteral("titlebar_") + p->objectName(), Qt::FindDirectChildrenOnly);
}
QLabel* TitleLabel(const TPanel* p) { return TitleBar(p)->findChild<QLabel*>(QString(), Qt::FindDirectChildrenOnly); }
// The line under the title bar.
QFrame* TitleLine(const TPanel* p) {
  for (QFrame* f : TitleBar(p)->findChildren<QFrame*>(QString(), Qt::FindDirectChildrenOnly))
    if (!qobject_cast<QLabel*>(f)) return f;
  return nullptr;
}
// The collapse button on the title bar, and the one in the panel's corner.
TPanel* TitleButton(const TPanel* p) { return TitleBar(p)->findChild<TPanel*>(QString(), Qt::FindDirectChildrenOnly); }
TPanel* CornerButton(const TPanel* p) {
  for (TPanel* child : p->findChildren<TPanel*>(QString(), Qt::FindDirectChildrenOnly))
    if (!qobject_cast<TGPanel*>(child)) return child;
  return nullptr;
}

void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2)); }

// Right-clicks the widget and picks the item of the menu that opens.
void ChooseFromMenu(QWidget* w, const char* item) {
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), w->mapToGlobal(QPoint(2, 2)));
  QApplication::sendEvent(w, &event);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(menu, nullptr) << item;
  QAction* chosen = nullptr;
  for (QAction* a : menu->actions())
    if (a->text() == QLatin1String(item)) chosen = a;
  ASSERT_NE(chosen, nullptr) << item;
  QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(chosen).center());
  menu->close();
}

class PanelManager : public ::testing::Test {
 protected:
  void SetUp() override {
    window = std::make_unique<QWidget>();
    window->resize(400, 400);
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

  // Panels A and B registered, the manager ready.
  std::pair<TPanel*, TPanel*> ReadyPair() {
    TPanel* a = MakePanel("A");
    TPanel* b = MakePanel("B");
    RegisterPanel(rec, a, "", false);
    RegisterPanel(rec, b, "", false);
    SetReady(rec);
    return {a, b};
  }

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

TEST_F(PanelManager, ARegisteredPanelGetsATitleBarAboveItsControls) {
  TPanel* p = MakePanel("Panel1", "Date 1|more");
  auto* edit = new QLineEdit(p);
  edit->move(8, 12);
  auto* label = new QLabel(p);
  label->move(8, 40);
  RegisterPanel(rec, p, "", true);

  // A bar across the top showing the caption's first part, a line at its foot.
  ASSERT_TRUE(TitleBar(p));
  EXPECT_EQ(TitleBar(p)->geometry(), QRect(0, 0, 177, 24));  // flat panel: no inset
  EXPECT_EQ(FromQString(TitleLabel(p)->text()), "Date 1");
  EXPECT_EQ(TitleLine(p)->geometry(), QRect(0, 22, 177, 2));
  // The panel grows by the bar; its controls keep their places below it.
  EXPECT_EQ(p->height(), 144);
  EXPECT_EQ(edit->mapTo(p, QPoint(0, 0)), QPoint(8, 36));
  EXPECT_EQ(label->mapTo(p, QPoint(0, 0)), QPoint(8, 64));
  EXPECT_EQ(edit->parentWidget(), label->parentWidget());
  EXPECT_EQ(edit->parentWidget()->geometry(), QRect(0, 24, 177, 120));
  EXPECT_EQ(notes, 0);  // not ready yet

  // Captions are plain text: read as markup this one would lose its tags and
  // come out narrower.
  TPanel* marked = MakePanel("Panel2", "<b>Date</b> &1");
  RegisterPanel(rec, marked, "", false);
  const QLabel* caption = TitleLabel(marked);
  EXPECT_EQ(FromQString(caption->text()), "<b>Date</b> &1");
  EXPECT_GE(caption->sizeHint().width(), caption->fontMetrics().horizontalAdvance(caption->text()));
}

TEST_F(PanelManager, HeightsFollowTheTitleBar) {
  TPanel* p = MakePanel("Panel1");
  RegisterPanel(rec, p, "", true);
  EXPECT_EQ(p->height(), 144);
  EXPECT_EQ(PanelBodyHeight(rec, p), 120);
  EXPECT_EQ(PanelWidth(rec, p), 177);
  EXPECT_EQ(SizeText(rec, 0), "0.1|144|144");
  EXPECT_EQ(PanelHeightOf(rec, 0, false), 144);
  EXPECT_EQ(PanelHeightOf(rec, 0, true), 0);

  HideAllTitleBars(rec);
  EXPECT_EQ(p->height(), 120);
  EXPECT_TRUE(TitleBar(p)->isHidden());
  EXPECT_EQ(PanelBodyHeight(rec, p), 120);
  EXPECT_EQ(SizeText(rec, 0), "0.1|120|120");
  // Without the bar the controls move up to the panel's top.
  for (QWidget* child : p->findChildren<TGPanel*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (child != TitleBar(p)) {
      EXPECT_EQ(child->geometry(), QRect(0, 0, 177, 120));
    }
  }
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
  EXPECT_EQ(SizeText(rec, 0), "2|74");
  EXPECT_EQ(PanelHeightOf(rec, 0, false), 74);
  EXPECT_EQ(SizeText(rec, 1), "1|144|324");
  EXPECT_EQ(SizeText(rec, 2), "0.5|84|114|extra");
}

TEST_F(PanelManager, UnreadableHeightFieldRaisesButKeepsTheRecordSound) {
  TPanel* a = MakePanel("A");
  TPanel* b = MakePanel("B");
  EXPECT_THROW(RegisterPanel(rec, a, "0.5|abc|200", false), ConvertError);
  EXPECT_EQ(RegisteredSlots(rec), "0");
  HideAllTitleBars(rec);  // the panel keeps the height of a fresh registration
  EXPECT_EQ(a->height(), 120);
  ShowAllTitleBars(rec);
  EXPECT_EQ(a->height(), 144);
  RegisterPanel(rec, b, "", false);
  EXPECT_EQ(FindPanel(rec, b), 1);
  EXPECT_EQ(FindPanel(rec, a), 0);
}

TEST_F(PanelManager, DoubleClickOnATitleMaximizesThatPanelAndAgainRestores) {
  const auto [a, b] = ReadyPair();
  window->show();
  QTest::mouseDClick(TitleLabel(b), Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
  QTest::mouseRelease(TitleLabel(b), Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
  EXPECT_EQ(notes, 1);  // once, though the label sits on the bar
  // The layout gives the maximized panel its full height, the others their title bar.
  EXPECT_EQ(SizeText(rec, 1), "0.1|144|144");
  EXPECT_EQ(SizeText(rec, 0), "0.1|26|24");
  ArrangeTitleBar(rec, 0);
  EXPECT_TRUE(TitleButton(a)->isHidden());  // nothing collapses while one is maximized
  EXPECT_TRUE(TitleLine(a)->isHidden());

  QTest::mouseDClick(TitleBar(b), Qt::LeftButton, Qt::NoModifier, QPoint(150, 2));  // beside the caption
  EXPECT_EQ(notes, 2);
  EXPECT_EQ(SizeText(rec, 0), "0.1|144|144");
  ArrangeTitleBar(rec, 0);
  EXPECT_FALSE(TitleButton(a)->isHidden());
}

TEST_F(PanelManager, TitleButtonCollapsesWithABounceAndRestores) {
  TPanel* p = MakePanel("Panel1", "Date 1", 176);  // 200 with its title bar
  RegisterPanel(rec, p, "", false);
  SetReady(rec);
  window->show();
  std::vector<int> heights;
  bool buffered = true;
  services.onWait = [&](QWidget* w) {
    heights.push_back(w->height());
    buffered = buffered && IsDoubleBuffered(w);
  };
  SetDoubleBuffered(p, true);
  ASSERT_EQ(p->height(), 200);
  Click(TitleButton(p));
  // Down to the title bar, every step painted at once, then buffered again.
  EXPECT_EQ(p->height(), 26);
  EXPECT_EQ(SizeText(rec, 0), "0.1|26|24");
  EXPECT_GT(notes, 0);
  EXPECT_FALSE(buffered);
  EXPECT_TRUE(IsDoubleBuffered(p));
  ASSERT_GT(heights.size(), 10u);
  EXPECT_EQ(*std::min_element(heights.begin(), heights.end()), 26);
  EXPECT_LE(*std::max_element(heights.begin(), heights.end()), 200);
  const auto landed = std::find(heights.begin(), heights.end(), 26);
  EXPECT_GT(*std::max_element(landed, heights.end()), 26);  // it bounces where it lands

  // A second click asks the layout for the full height again.
  notes = 0;
  heights.clear();
  Click(TitleButton(p));
  EXPECT_GT(notes, 0);
  EXPECT_EQ(SizeText(rec, 0), "0.1|200|200");
  EXPECT_EQ(PanelHeightOf(rec, 0, false), 200);
  // Expanding, as the layout runs it, ends at that height without passing it.
  AnimateExpand(rec, p, PanelHeightOf(rec, 0, false));
  EXPECT_EQ(p->height(), 200);
  EXPECT_LE(*std::max_element(heights.begin(), heights.end()), 200);
}

TEST_F(PanelManager, WithoutButtonsNothingCollapses) {
  rec.buttons = false;
  TPanel* p = MakePanel("Panel1");
  RegisterPanel(rec, p, "", true);
  SetReady(rec);
  EXPECT_TRUE(TitleButton(p)->isHidden());
  EXPECT_TRUE(CornerButton(p)->isHidden());
  CollapseAll(rec);
  EXPECT_EQ(p->height(), 144);
  EXPECT_EQ(SizeText(rec, 0), "0.1|144|144");
  EXPECT_EQ(notes, 1);  // CollapseAll still tells the layout once
}

TEST_F(PanelManager, ButtonsSitInTheTitleBarAndOpenThePanelMenu) {
  TPanel* p = MakePanel("Panel1");
  RegisterPanel(rec, p, "", false);
  TPanel* button = TitleButton(p);
  EXPECT_FALSE(button->isHidden());
  EXPECT_TRUE(CornerButton(p)->isHidden());  // title bar shown
  EXPECT_EQ(button->geometry(), QRect(177 - 18 - 2 - 1, 2, 18, 18));
  EXPECT_EQ(CornerButton(p)->geometry(), QRect(177 - 6, 0, 6, 6));
  EXPECT_LT(ColorLightness(TitleBar(p)->Color_1()), ColorLightness(p->Color()));  // a darker bar
  EXPECT_EQ(FindPanelByButton(rec, button), 0);
  EXPECT_EQ(FindPanelByButton(rec, CornerButton(p)), 0);
  EXPECT_EQ(FindPanelByButton(rec, p), -1);
  EXPECT_EQ(FindPanelByButton(rec, nullptr), -1);

  window->show();
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), button->mapToGlobal(QPoint(2, 2)));
  QApplication::sendEvent(button, &event);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(menu, nullptr);
  std::vector<std::string> items;
  for (QAction* a : menu->actions()) items.push_back(FromQString(a->text()));
  const std::vector<std::string> expected = {
      "Collapse all panels",        "Maximize all panels",   "Toggle titlebar",
      "Hide all titlebars",         "Shows all titlebars",   "Make all panels flat",
      "Make all panels raised",     "Make all panels lowered+raised", "Make all panels lowered"};
  EXPECT_EQ(items, expected);
  menu->close();
}

TEST_F(PanelManager, RegisteringTwiceKeepsOneSlot) {
  TPanel* p = MakePanel("Panel1");
  RegisterPanel(rec, p, "", false);
  RegisterPanel(rec, p, "", false);
  EXPECT_EQ(RegisteredSlots(rec), "0");
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
  EXPECT_EQ(RegisteredSlots(rec).size(), 21u);
  EXPECT_EQ(RegisteredSlots(rec).back(), 'D');
  EXPECT_EQ(FindPanel(rec, panels[21]), -1);
  EXPECT_EQ(panels[21]->height(), 50);
  EXPECT_TRUE(panels[21]->findChildren<TGPanel*>().isEmpty());
  EXPECT_EQ(FindPanel(rec, panels[20]), 20);
  EXPECT_EQ(FindPanelByName(rec, "p20"), 20);
}

TEST_F(PanelManager, CollapsedPanelsAskForTheirTitleBarOnly) {
  const auto [a, b] = ReadyPair();
  EXPECT_EQ(CollapsedHeight(rec, 0), 26);
  SetCollapsed(rec, 0, true, false);
  EXPECT_EQ(notes, 0);  // without animation the layout is told by the caller
  EXPECT_EQ(SizeText(rec, 0), "0.1|26|24");
  EXPECT_EQ(SizeText(rec, 1), "0.1|144|144");
  ArrangeTitleBar(rec, 0);
  EXPECT_TRUE(TitleLine(a)->isHidden());  // a collapsed panel is its bar alone
  RestoreAll(rec);
  EXPECT_EQ(SizeText(rec, 0), "0.1|144|144");
  EXPECT_EQ(notes, 1);

  HideAllTitleBars(rec);
  EXPECT_EQ(CollapsedHeight(rec, 0), 24);
}

TEST(Animation, MovementsEndWhereAskedAndShortOnesJump) {
  for (const auto& [from, to] : {std::pair{200, 26}, std::pair{140, 26}, std::pair{400, 26}}) {
    const auto m = CollapseMovements(from, to);
    ASSERT_FALSE(m.empty());
    EXPECT_EQ(m.back().target, to) << from;
    for (const MovementT& move : m) EXPECT_GE(move.target, to) << from;  // never below the bar
  }
  EXPECT_EQ(ExpandMovements(26, 200, 26).back().target, 200);
  for (const auto& m : {CollapseMovements(40, 26), ExpandMovements(26, 25, 26), ExpandMovements(26, 40, 26)}) {
    ASSERT_EQ(m.size(), 1u);
    EXPECT_DOUBLE_EQ(m[0].factor, 1);
  }
}

TEST(Animation, HeightStepsArriveExactly) {
  FakeWindowServices clock;
  QWidget w;
  w.resize(10, 40);
  std::vector<int> heights;
  clock.onWait = [&](QWidget* p) { heights.push_back(p->height()); };
  AnimateHeight(&w, 26, 1, 1, clock);  // steps of one pixel: every height on the way is shown
  std::vector<int> expected;
  for (int h = 39; h >= 26; --h) expected.push_back(h);
  EXPECT_EQ(heights, expected);
  heights.clear();
  AnimateHeight(&w, 300, 1.9, 0, clock);  // a zero step must still arrive
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

TEST_F(PanelManager, PanelMenuCommands) {
  const auto [a, b] = ReadyPair();
  TPanel* loose = MakePanel("Loose");
  window->show();

  ChooseFromMenu(TitleButton(a), "Maximize all panels");  // nothing collapsed: still one notification
  EXPECT_EQ(notes, 1);

  ChooseFromMenu(TitleButton(a), "Make all panels flat");
  for (TPanel* p : {a, b}) {
    EXPECT_EQ(p->BevelOuter(), BevelCut::None);
    EXPECT_EQ(p->BorderStyle(), BorderStyleT::Single);
    EXPECT_FALSE(p->Ctl3D());
  }
  EXPECT_EQ(loose->BorderStyle(), BorderStyleT::None);
  ChooseFromMenu(TitleButton(b), "Make all panels raised");
  EXPECT_EQ(a->BevelOuter(), BevelCut::Raised);
  EXPECT_EQ(loose->BevelOuter(), BevelCut::None);

  // Without title bars the corner button carries the menu; its toggle brings
  // back that panel's bar alone.
  ChooseFromMenu(TitleButton(a), "Hide all titlebars");
  EXPECT_EQ(a->height(), 120);
  for (int32_t slot : {0, 1}) ArrangeTitleBar(rec, slot);  // as the layout does
  EXPECT_FALSE(CornerButton(b)->isHidden());
  notes = 0;
  ChooseFromMenu(CornerButton(b), "Toggle titlebar");
  EXPECT_TRUE(TitleBar(a)->isHidden());
  EXPECT_FALSE(TitleBar(b)->isHidden());
  EXPECT_EQ(b->height(), 144);
  EXPECT_EQ(notes, 1);

  ChooseFromMenu(CornerButton(a), "Collapse all panels");
  EXPECT_EQ(SizeText(rec, 0), "0.1|24|24");  // no bar: the least height
  EXPECT_EQ(SizeText(rec, 1), "0.1|26|24");
  EXPECT_EQ(notes, 2);
  // Anything that is not one of the menu's items changes nothing.
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
  EXPECT_TRUE(TitleBar(p)->isHidden());
  EXPECT_EQ(SizeText(rec, 0), "0.1|120|120");
  EXPECT_EQ(PanelBodyHeight(rec, p), 120);
  // Such a panel cannot be collapsed.
  SetReady(rec);
  CollapseAll(rec);
  EXPECT_EQ(SizeText(rec, 0), "0.1|120|120");
}
