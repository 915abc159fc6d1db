#include <QAbstractButton>
#include <QAbstractProxyModel>
#include <QApplication>
#include <QDeadlineTimer>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QFontComboBox>
#include <QGroupBox>
#include <QMenu>
#include <set>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "window/form/main.h"
#include "window/grid/HtmlSettingsDialog.h"
#include "window/services/SystemServices.h"
#include "window/components/QtText.h"
#include "components/UrlLauncherDesktop.h"
#include "tests/support/FakeProcess.h"
#include "tests/support/FakeWindowServices.h"
#include "tests/support/MenuTexts.h"
#include "tests/support/ScopedTempDir.h"
#include "tests/support/options.h"

namespace {

std::string Text(const QLineEdit* e) { return FromQString(e->text()); }

std::string FirstLine(const QPlainTextEdit* memo) {
  const std::string text = TForm1::MemoText(memo);
  return text.substr(0, text.find("\r\n"));
}

std::string LastLine(const QPlainTextEdit* memo) {
  const std::string text = TForm1::MemoText(memo);
  const size_t end = text.rfind("\r\n");
  return end == std::string::npos ? text : text.substr(end + 2);
}

class Window : public ::testing::Test {
 protected:
  FakeWindowServices services;
  std::unique_ptr<TForm1> Start(std::vector<std::string> args = {}) {
    auto form = std::make_unique<TForm1>(TestOptions(args), nullptr, services);
    form->show();
    return form;
  }
  // Both labels, the first facts line of each date and the total days.
  static void ExpectShows(TForm1& f, const std::string& label1, const std::string& facts1, const std::string& label2,
                          const std::string& facts2, const std::string& days) {
    EXPECT_EQ(FromQString(f.Label3->text()), label1);
    EXPECT_EQ(FirstLine(f.Memo2), facts1);
    EXPECT_EQ(FromQString(f.Label4->text()), label2);
    EXPECT_EQ(FirstLine(f.Memo3), facts2);
    EXPECT_EQ(LastLine(f.Memo1), days);
  }
  static void DoubleClick(TTextGrid* grid, int32_t col, int32_t row) {
    const QPoint at = grid->viewport()->mapFrom(grid, QPoint(grid->ColumnLeft(col) + 3, grid->RowTop(row) + 3));
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, at);
  }
};

TEST_F(Window, StartsWithTodayAndNewYear2000) {
  auto f = Start();
  EXPECT_EQ(f->windowTitle().toStdString(), "Zelko Orvane 1.11");
  EXPECT_EQ(Text(f->Edit1), "07.12.2026");
  EXPECT_EQ(Text(f->Edit2), "01.01.2000");
  EXPECT_EQ(f->ComboBox1->currentIndex(), 0);
  EXPECT_EQ(f->StatusPanel->text().toStdString(), "Zelko Orvane v1.11 // Click here to visit my Homepage");
  ExpectShows(*f, "December 2026", "Monday, 07.12.2026 (Sagittarius)", "January 2000",
              "Saturday, 01.01.2000 (Capricorn)", "9837 Days ");
  EXPECT_EQ(TForm1::MemoText(f->Memo2),
            "Monday, 07.12.2026 (Sagittarius)\r\nDay of Year 341\r\nWeek of Month 1\r\nWeek of Year 49\r\n"
            "New Year in 25 Days");
  EXPECT_EQ(LastLine(f->Memo3), "Leap year");
  EXPECT_EQ(Text(Start({"15.3"})->Edit1), "15.03.2026");
  EXPECT_EQ(Text(Start({"0"})->Edit1), "07.12.2026");
  auto two = Start({"1.1.2000", "15.3.2001"});
  EXPECT_EQ(TForm1::MemoText(two->Memo1).substr(0, 37), "1 Year 2 Months 14 Days = 1.205 Years");
}

// Without --today a window left open over midnight moves on with the clock.
TEST_F(Window, TodayFollowsTheClockUnlessFixed) {
  services.today = {31, 12, 2026};
  auto f = std::make_unique<TForm1>(CliOptionsT{}, nullptr, services);
  f->show();
  EXPECT_EQ(Text(f->Edit1), "31.12.2026");
  services.today = {1, 1, 2027};
  f->Edit2->setText("0");
  EXPECT_EQ(FromQString(f->Label4->text()), "January 2027");
  auto fixed = Start({"--today", "7.12.2026"});
  fixed->Edit2->setText("0");
  EXPECT_EQ(FromQString(fixed->Label4->text()), "December 2026");
}

TEST_F(Window, CommandLineDatesWithNegativeFieldsMeanWhatTypingThemMeans) {
  auto f = Start({"1.-1.2000", "-3.-12.2001"});
  EXPECT_EQ(Text(f->Edit1), "01.-1.2000");
  EXPECT_EQ(Text(f->Edit2), "-3.-12.2001");
  EXPECT_EQ(FromQString(f->Label3->text()), "November 1999");
  const auto shown = [&f] {
    return TForm1::MemoText(f->Memo1) + TForm1::MemoText(f->Memo2) + TForm1::MemoText(f->Memo3);
  };
  const std::string started = shown();
  f->Edit1->clear();
  QTest::keyClicks(f->Edit1, "1.-1.2000");
  f->Edit2->clear();
  QTest::keyClicks(f->Edit2, "-3.-12.2001");
  EXPECT_EQ(shown(), started);
}

TEST_F(Window, LayoutFollowsTheWidth) {
  auto f = Start();
  // The layout's arithmetic at the narrowest design width, below what the content needs.
  f->setMinimumSize(300, 464);
  f->resize(300, 500);
  EXPECT_EQ(f->Panel1->width(), 138);
  EXPECT_EQ(f->Panel2->width(), 138);
  EXPECT_EQ(f->Panel2->x(), 154);
  EXPECT_EQ(f->Memo1->width(), 300 - 2 * f->Memo1->x());
  EXPECT_EQ(f->Bevel1->y(), f->Panel1->y() + f->Panel1->height() + 8);
  EXPECT_EQ(f->Panel4->width(), f->Bevel1->width() - 16);
  EXPECT_EQ(f->StringGrid1->width(), f->Panel4->width() - 6);
  EXPECT_EQ(f->Memo1->y() + f->Memo1->height() + 8, f->StatusBar1->y());
  EXPECT_GE(f->minimumWidth(), 300);
  EXPECT_GE(f->minimumHeight(), 464);
}

TEST_F(Window, EveryChangeRecalculatesAtOnce) {
  auto f = Start();
  QTest::keyClicks(f->Edit1, "");
  f->Edit1->selectAll();
  QTest::keyClicks(f->Edit1, "31.1.2001");
  ExpectShows(*f, "January 2001", "Wednesday, 31.01.2001 (Aquarius)", "January 2000",
              "Saturday, 01.01.2000 (Capricorn)", "396 Days ");
  f->ComboBox1->setCurrentIndex(2);
  f->SpinEdit1->SetText("1");
  EXPECT_EQ(f->Results.date1, (DateTripleT{28, 2, 2001}));
  ExpectShows(*f, "February 2001", "Wednesday, 28.02.2001 (Pisces)", "January 2000",
              "Saturday, 01.01.2000 (Capricorn)", "424 Days ");
  const int64_t before = f->RecalcCount;
  f->SpinEdit1->stepUp();
  // the arrow button
  EXPECT_GT(f->RecalcCount, before);
  EXPECT_EQ(f->Results.date1, (DateTripleT{31, 3, 2001}));
  f->ComboBox2->setCurrentIndex(3);
  f->SpinEdit2->SetText("-1");
  EXPECT_EQ(f->Results.date2, (DateTripleT{1, 1, 1999}));
}

TEST_F(Window, EmptiedIncrementBecomesZeroOnLeaving) {
  auto f = Start();
  f->SpinEdit1->SetText("");
  f->SpinEdit2->SetText("");
  f->ups();
  EXPECT_EQ(FromQString(f->SpinEdit1->Text()), "0");
  EXPECT_EQ(FromQString(f->SpinEdit2->Text()), "0");
  // Typing cannot make a field longer than its limit, the program's texts are never cut.
  f->Edit1->selectAll();
  QTest::keyClicks(f->Edit1, "1.1.2000000000000");
  EXPECT_EQ(Text(f->Edit1).size(), 11u);
  f->Edit1->setText("01.01.-2147483648");
  EXPECT_EQ(Text(f->Edit1), "01.01.-2147483648");
}

TEST_F(Window, QuickDatesOfThePopupMenu) {
  auto f = Start();
  const char* expected[4] = {"07.12.2026", "01.01.2026", "01.01.2000", "01.01.0001"};
  const char* labels[4] = {"December 2026", "January 2026", "January 2000", "January 1"};
  for (TEdit* edit : {f->Edit1, f->Edit2}) {
    QLabel* label = edit == f->Edit1 ? f->Label3 : f->Label4;
    for (int i = 0; i < 4; ++i) {
      edit->setText("5.5.1955");
      f->PopupMenu1->PopupComponent = edit;
      f->PopupMenu1->actions().at(i)->trigger();
      EXPECT_EQ(Text(edit), expected[i]);
      EXPECT_EQ(FromQString(label->text()), labels[i]);
    }
  }
  ASSERT_GT(f->PopupMenu1->actions().size(), 4);
  EXPECT_TRUE(f->PopupMenu1->actions().at(4)->isSeparator());
  EXPECT_EQ(f->PopupMenu1->actions().at(1)->text().toStdString(), "01.Jan this year");
}

// A quick date is typed over the field's text: Undo brings the typed date back.
TEST_F(Window, QuickDateCanBeUndone) {
  auto f = Start();
  QApplication::setActiveWindow(f.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(f.get()));
  f->Edit1->setFocus();
  f->Edit1->selectAll();
  QTest::keyClicks(f->Edit1, "15.3.2001");
  QTest::keyClick(f->Edit1, Qt::Key_F10, Qt::ShiftModifier);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_EQ(menu, f->PopupMenu1);
  menu->setActiveAction(menu->actions().at(2));
  QTest::keyClick(menu, Qt::Key_Return);
  EXPECT_EQ(Text(f->Edit1), "01.01.2000");
  EXPECT_EQ(FromQString(f->Label3->text()), "January 2000");
  // The menu's Undo is on, and Ctrl+Z does what it does.
  QTest::keyClick(f->Edit1, Qt::Key_F10, Qt::ShiftModifier);
  menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_EQ(menu, f->PopupMenu1);
  EXPECT_TRUE(menu->actions().at(5)->isEnabled());
  QTest::keyClick(menu, Qt::Key_Escape);
  QTest::keyClick(f->Edit1, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Text(f->Edit1), "15.3.2001");
  EXPECT_EQ(FromQString(f->Label3->text()), "March 2001");
  // A quick date longer than typing allows is written whole all the same.
  auto far = Start({"--today", "1.1.1000000"});
  far->PopupMenu1->PopupComponent = far->Edit2;
  far->PopupMenu1->actions().at(1)->trigger();
  EXPECT_EQ(Text(far->Edit2), "01.01.1000000");
}

TEST_F(Window, AddCheckBoxAddsTheWidening) {
  auto f = Start();
  f->resize(585, 516);
  f->ComboBox2->setCurrentIndex(2);  // months
  f->CheckBox1->click();
  EXPECT_TRUE(f->CheckBox1->isChecked());
  EXPECT_EQ(f->CheckBox1->text().toStdString(), "0");
  f->resize(585 + 7, 516);
  EXPECT_EQ(f->CheckBox1->text().toStdString(), "7");
  EXPECT_EQ(f->Results.date2, (DateTripleT{1, 8, 2000}));
  EXPECT_EQ(FromQString(f->Label4->text()), "August 2000");
  EXPECT_EQ(FirstLine(f->Memo3), "Tuesday, 01.08.2000 (Leo)");
  f->resize(585 - 3, 516);
  EXPECT_EQ(f->CheckBox1->text().toStdString(), "-3");
  EXPECT_EQ(f->Results.date2, (DateTripleT{1, 10, 1999}));
  f->CheckBox1->click();
  EXPECT_EQ(f->CheckBox1->text().toStdString(), "0");
  EXPECT_EQ(f->Results.date2, (DateTripleT{1, 1, 2000}));
}

TEST_F(Window, CalendarsShowTheResultLayersCells) {
  auto f = Start({"10.2.2021", "31.5.2022"});
  TTextGrid* g = f->StringGrid1;
  EXPECT_EQ(g->ColCount(), 8);
  EXPECT_EQ(g->FixedCols(), 1);
  EXPECT_EQ(g->RowCount(), 7);
  EXPECT_EQ(g->Cell(0, 0), "Week 02.2021");
  EXPECT_EQ(g->Cell(1, 0), "Monday");
  for (int r = 1; r <= 4; ++r) EXPECT_EQ(g->Cell(0, r), std::to_string(r + 4));
  EXPECT_EQ(g->Cell(0, 5), "");
  EXPECT_EQ(g->Selection().Left, 3);  // Wednesday the 10th
  EXPECT_EQ(g->Selection().Top, 2);
  EXPECT_EQ(f->StringGrid2->Cell(7, 1), "1");
  EXPECT_EQ(f->StringGrid2->Cell(2, 6), "31");
}

TEST_F(Window, DoubleClickPicksADay) {
  auto f = Start({"10.2.2021", "1.1.2000"});
  const std::string before = Text(f->Edit1);
  for (auto [col, row] : {std::pair{0, 2}, {3, 0}, {7, 5}}) {  // week, header, empty
    f->SetDateOnClick(f->StringGrid1, row, col);
    EXPECT_EQ(Text(f->Edit1), before);
  }
  f->SetDateOnClick(f->Edit1, 2, 2);  // not a grid
  EXPECT_EQ(Text(f->Edit1), before);
  DoubleClick(f->StringGrid1, 5, 3);  // Friday of the third row: 19 February
  EXPECT_EQ(Text(f->Edit1), "19.02.2021");

  // Date 2 shown with an increment: the clicked day of the shown month, no increment.
  f->ComboBox2->setCurrentIndex(2);
  f->SpinEdit2->SetText("14");  // March 2001
  f->SetDateOnClick(f->StringGrid2, 3, 4);
  EXPECT_EQ(Text(f->Edit2), "15.03.2001");
  EXPECT_EQ(FromQString(f->SpinEdit2->Text()), "0");
  EXPECT_EQ(f->Results.date2, (DateTripleT{15, 3, 2001}));

  // Years beyond four digits keep their millennium.
  f->Edit2->setText("5.1.12345");
  f->SetDateOnClick(f->StringGrid2, 2, 1);
  EXPECT_EQ(Text(f->Edit2), "08.01.12345");
}

TEST_F(Window, DoubleClickAfterColumnsMoved) {
  auto f = Start({"10.2.2021"});
  TTextGrid* g = f->StringGrid1;
  // Monday dragged to the end: the week column stays ignored, days still count.
  ASSERT_TRUE(g->MoveColumn(1, 7));
  g->OnColumnMoved(g, 1, 7);
  EXPECT_EQ(ColumnIdAt(f->Binder1, 7), 0);
  f->Edit1->setText("10.2.2021");
  EXPECT_EQ(g->Cell(7, 2), "8");
  const std::string before = Text(f->Edit1);
  f->SetDateOnClick(g, 2, 0);
  EXPECT_EQ(Text(f->Edit1), before);
  f->SetDateOnClick(g, 2, 7);
  EXPECT_EQ(Text(f->Edit1), "08.02.2021");
}

// The status bar opens the home page with the desktop's browser.
TEST_F(Window, StatusBarOpensTheHomePage) {
  auto f = Start();
  // No browser registered: the desktop's own opener gets the address.
  QTest::mouseClick(f->StatusPanel, Qt::LeftButton);
  EXPECT_TRUE(services.url.starts.empty());
  EXPECT_EQ(services.addresses, std::vector<std::string>{kHomePageUrl});
  // The registered browser receives the address.
  services.url.keys[".htm"] = "web";
  services.url.keys["web\\shell\\open\\command"] = "web \"%1\"";
  QTest::mouseClick(f->StatusPanel, Qt::LeftButton);
  ASSERT_EQ(services.url.starts.size(), 1u);
  EXPECT_EQ(services.url.starts[0].first, std::string("web  ") + kHomePageUrl);
  EXPECT_TRUE(services.messages.empty());
  // Neither the browser nor the opener: the message shows and the window carries on.
  services.url.startResult = 2;
  services.addressResult = false;
  QTest::mouseClick(f->StatusPanel, Qt::LeftButton);
  EXPECT_EQ(services.messages, std::vector<std::string>{"Couldn't launch default browser"});
}

// The link looks like one: a pointing hand, underlined under the pointer,
// the address as its tooltip.
TEST_F(Window, StatusBarLinkShowsItIsALink) {
  auto f = Start();
  QApplication::setActiveWindow(f.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(f.get()));
  EXPECT_EQ(f->StatusPanel->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_EQ(FromQString(f->StatusPanel->toolTip()), kHomePageUrl);
  EXPECT_FALSE(f->StatusPanel->font().underline());
  QTest::mouseMove(f->StatusPanel, f->StatusPanel->rect().center());
  EXPECT_TRUE(f->StatusPanel->font().underline());
  QTest::mouseMove(f->Memo1, f->Memo1->rect().center());
  EXPECT_FALSE(f->StatusPanel->font().underline());
}

#ifndef _WIN32
// Desktops in a private HOME, each recording its browser in another list.
TEST_F(Window, StatusBarFindsTheBrowserOnEveryDesktop) {
  namespace fs = std::filesystem;
  struct DesktopServices : FakeWindowServices {
    FakeProcessPlatform process;
    TDesktopUrlPlatform desktop{process};
    TUrlPlatform& UrlPlatform() override { return desktop; }
  };
  auto write = [](const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
  };
  const ScopedTempDir homes("orvane-home-");
  const fs::path& root = homes.path();
  const std::string browser = (root / "bin" / "stand-in").string();
  DesktopServices desktopServices;
  auto& process = desktopServices.process;
  CliOptionsT options;
  TForm1 f(options, nullptr, desktopServices);
  f.show();
  struct DesktopT {
    const char *file, *text, *current;
  } desktops[] = {
      {".config/mimeapps.list", "[Default Applications]\nx-scheme-handler/https=stand-in.desktop\n", ""},
      {".config/kde-mimeapps.list", "[Default Applications]\ntext/html=stand-in.desktop;\n", "KDE"},
      {".local/share/applications/defaults.list", "[Default Applications]\ntext/html=stand-in.desktop\n", ""},
      {".local/share/applications/mimeinfo.cache", "[MIME Cache]\nx-scheme-handler/http=stand-in.desktop;\n", ""},
      {"nothing", "", ""},
  };
  for (const DesktopT& d : desktops) {
    const fs::path home = root / fs::path(d.file).filename();
    write(home / ".local/share/applications/stand-in.desktop",
          "[Desktop Entry]\nType=Application\nName=Stand-in\nExec=" + browser + " --url=%u\n");
    write(home / d.file, d.text);
    process.env = {{"HOME", home.string()},
                   {"XDG_CURRENT_DESKTOP", d.current},
                   {"XDG_CONFIG_DIRS", (root / "none").string()},
                   {"XDG_DATA_DIRS", (root / "none").string()}};
    process.starts.clear();
    QTest::mouseClick(f.StatusPanel, Qt::LeftButton);
    if (std::string(d.file) == "nothing") break;
    ASSERT_EQ(process.starts.size(), 1u) << d.file;
    EXPECT_EQ(process.starts[0].program, browser);
    EXPECT_EQ(process.starts[0].args, std::vector<std::string>{std::string("--url=") + kHomePageUrl});
  }
  // Nothing registered: the desktop's opener, and when that fails the message.
  EXPECT_TRUE(process.starts.empty());
  EXPECT_EQ(desktopServices.addresses, std::vector<std::string>{kHomePageUrl});
  EXPECT_TRUE(desktopServices.messages.empty());
  desktopServices.addressResult = false;
  QTest::mouseClick(f.StatusPanel, Qt::LeftButton);
  EXPECT_EQ(desktopServices.messages, std::vector<std::string>{"Couldn't launch default browser"});
}
#endif

}  // namespace

namespace {

TEST(WindowAccess, TabOrderAndNames) {
  FakeWindowServices services;
  TForm1 f(TestOptions({"--lang", "de"}), nullptr, services);
  f.show();
  // German names through the window as well.
  EXPECT_NE(TForm1::MemoText(f.Memo2).find("Montag, 07.12.2026 (Sch\xFCtze)"), std::string::npos);
  EXPECT_EQ(FromQString(f.Label3->text()), "Dezember 2026");
  QWidget* expected[] = {f.Edit1, f.ComboBox1, f.SpinEdit1, f.Edit2, f.CheckBox1, f.ComboBox2, f.SpinEdit2};
  for (QWidget* w : expected) EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
  EXPECT_TRUE(f.Edit1->accessibleName().contains(f.Edit1->toolTip()));
  EXPECT_TRUE(f.Memo1->accessibleDescription().contains("9837 Tage"));
}

}  // namespace

namespace {

TEST(WindowCalendarMenu, EntriesInOrder) {
  FakeWindowServices services;
  TForm1 f(TestOptions(), nullptr, services);
  f.show();
  QMenu* menu = f.StringGrid1->PopupMenu();
  ASSERT_NE(menu, nullptr);
  const std::vector<std::string> texts = MenuTexts(*menu);
  const std::vector<std::string> expected = {"Save grid as Html", "Print Grid", "-", "Font..",
                                             "Proportional Font on/off", "Reset Font", "-", "Grid bands",
                                             "Vertical lines", "Horizontal lines", "ISO 8601 week numbers", "Holidays", "-", "-",
                                             "Week", "Monday",
                                             "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};
  EXPECT_EQ(texts, expected);
}

}  // namespace

namespace {

// The week rule is the window's: one click switches both calendars and the facts.
TEST(WindowCalendarMenu, IsoWeeksSwitchBothCalendars) {
  FakeWindowServices services;
  TForm1 f(TestOptions({"--today", "8.12.2026", "0", "1.1.2021"}), nullptr, services);
  f.show();
  auto item = [](TTextGrid* grid) {
    for (QAction* a : grid->PopupMenu()->actions())
      if (a->text() == QLatin1String("ISO 8601 week numbers")) return a;
    return static_cast<QAction*>(nullptr);
  };
  ASSERT_NE(item(f.StringGrid1), nullptr);
  EXPECT_FALSE(item(f.StringGrid1)->isChecked());
  EXPECT_NE(TForm1::MemoText(f.Memo2).find("Week of Year 49"), std::string::npos);
  item(f.StringGrid1)->trigger();
  EXPECT_TRUE(f.IsoWeeks());
  EXPECT_TRUE(item(f.StringGrid1)->isChecked());
  EXPECT_TRUE(item(f.StringGrid2)->isChecked());
  EXPECT_NE(TForm1::MemoText(f.Memo2).find("Week of Year 50"), std::string::npos);
  EXPECT_EQ(f.StringGrid1->Cell(0, 1), "49");
  EXPECT_EQ(f.StringGrid1->Cell(0, 5), "53");
  EXPECT_EQ(f.StringGrid2->Cell(0, 1), "53");  // Friday 1 January 2021 ends 2020's weeks
  EXPECT_EQ(f.StringGrid2->Cell(0, 2), "1");
  item(f.StringGrid2)->trigger();
  EXPECT_FALSE(item(f.StringGrid1)->isChecked());
  EXPECT_EQ(f.StringGrid1->Cell(0, 1), "48");
  auto iso = std::make_unique<TForm1>(TestOptions({"--iso-weeks", "--today", "8.12.2026"}), nullptr, services);
  EXPECT_TRUE(item(iso->StringGrid2)->isChecked());
}

// Every text the window, its menus and its dialogs show, in a fixed order.
std::vector<std::string> ShownTexts(TForm1& f, FakeWindowServices& services) {
  std::vector<std::string> texts;
  auto add = [&texts](const QString& text) { texts.push_back(FromQString(text)); };
  auto collect = [&](QWidget* root) {
    add(root->windowTitle());
    for (QWidget* w : root->findChildren<QWidget*>()) {
      add(w->toolTip());
      add(w->accessibleName());
      if (auto* l = qobject_cast<QLabel*>(w)) add(l->text());
      if (auto* b = qobject_cast<QAbstractButton*>(w)) add(b->text());
      if (auto* g = qobject_cast<QGroupBox*>(w)) add(g->title());
      if (auto* m = qobject_cast<QPlainTextEdit*>(w)) add(m->toPlainText());
      if (auto* c = qobject_cast<QComboBox*>(w); c && !qobject_cast<QFontComboBox*>(w))
        for (int i = 0; i < c->count(); ++i) add(c->itemText(i));
      if (auto* m = qobject_cast<QMenu*>(w))
        for (QAction* a : m->actions()) add(a->text());
    }
  };
  collect(&f);
  if (f.Panels.menu)
    for (QAction* a : f.Panels.menu->actions()) add(a->text());
  for (int32_t c = 0; c < f.StringGrid1->ColCount(); ++c) texts.push_back(f.StringGrid1->Cell(c, 0));
  services.onExec = [&](QDialog& dialog) {
    collect(&dialog);
    return int(QDialog::Rejected);
  };
  for (int32_t command : {kMenuSaveHtml, kMenuPrintGrid}) GridMenuClick(f.Binder1, f.Binder1.menuPos[command]);
  // A browser that cannot start: its message.
  services.messages.clear();
  services.url.keys[".htm"] = "web";
  services.url.keys["web\\shell\\open\\command"] = "web \"%1\"";
  services.url.startResult = 2;
  QTest::mouseClick(f.StatusPanel, Qt::LeftButton);
  for (const std::string& message : services.messages) texts.push_back(message);
  return texts;
}

TEST(WindowGerman, ShowsNoEnglishText) {
  FakeWindowServices englishServices, germanServices;
  TForm1 english(TestOptions({"0", "31.12.2024"}), nullptr, englishServices);
  english.show();
  const std::vector<std::string> en = ShownTexts(english, englishServices);
  TForm1 german(TestOptions({"--lang", "de", "0", "31.12.2024"}), nullptr, germanServices);
  german.show();
  const std::vector<std::string> de = ShownTexts(german, germanServices);
  ASSERT_EQ(en.size(), de.size());
  // Names, numbers and words that German spells the same.
  std::set<std::string> same = {"Zelko Orvane 1.11", "01.Jan.2000", "01.Jan.0001", "OK", "Tags:", ". . .",
                                kHomePageUrl};
  for (const RegionT& region : Regions())
    if (region.english == region.german) same.insert(std::string(region.english));
  int32_t compared = 0;
  for (size_t i = 0; i < en.size(); ++i) {
    if (same.count(en[i]) || std::none_of(en[i].begin(), en[i].end(), [](char c) { return std::isalpha(static_cast<unsigned char>(c)); }))
      continue;
    ++compared;
    EXPECT_NE(en[i], de[i]) << "untranslated: " << en[i];
  }
  EXPECT_GT(compared, 100);
}

}  // namespace

namespace {

// The window's language reaches Qt's own dialogs and the system's reasons.
TEST(WindowGerman, LocaleDialogLabelsAndReasonsFollowTheLanguage) {
  const QLocale before;
  FakeWindowServices services;
  auto german = std::make_unique<TForm1>(TestOptions({"--lang", "de"}), nullptr, services);
  german->show();
  EXPECT_EQ(QLocale().language(), QLocale::German);
  EXPECT_EQ(FromQString(german->SpinEdit1->toolTip()), "Verschiebung von Datum 1");
  EXPECT_EQ(FromQString(german->ComboBox2->toolTip()), "Art der Verschiebung von Datum 2");

  // The page header and the repeated header row have names of their own.
  std::vector<std::string> shown;
  services.onExec = [&](QDialog& d) {
    for (QLabel* label : d.findChildren<QLabel*>()) shown.push_back(FromQString(label->text()));
    for (QAbstractButton* b : d.findChildren<QAbstractButton*>()) shown.push_back(FromQString(b->text()));
    if (auto* html = qobject_cast<THtmlSettingsDialog*>(&d)) {
      // A folder that is not there: the reason is German too.
      services.fileAnswers = {"/nonexistent-orvane-folder/x.htm"};
      html->saveAsButton->click();
    }
    return int(QDialog::Rejected);
  };
  for (int32_t command : {kMenuSaveHtml, kMenuPrintGrid})
    GridMenuClick(german->Binder1, german->Binder1.menuPos[command]);
  const auto has = [&](const char* text) { return std::count(shown.begin(), shown.end(), FromQString(text)) == 1; };
  EXPECT_TRUE(has("&Kopfdatei:"));
  EXPECT_TRUE(has("&Kopfzeile:"));
  EXPECT_TRUE(has("&Tabellenkopf auf jeder Seite wiederholen"));
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0], FromQString("Datei /nonexistent-orvane-folder/x.htm kann nicht angelegt werden: "
                                              "Datei oder Verzeichnis nicht gefunden"));

  // Qt's file dialog lists sizes and dates in German.
  QTemporaryDir dir;
  QFile file(dir.filePath("data.bin"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("\x01\x02\x03 hello", 9);
  file.close();
  QString size, date;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    auto* proxy = dialog->proxyModel();
    auto* files = proxy ? qobject_cast<QFileSystemModel*>(proxy->sourceModel()) : nullptr;
    if (files) {
      QDeadlineTimer deadline(5000);
      const QModelIndex source = files->index(file.fileName());
      while (files->size(source) == 0 && !deadline.hasExpired()) QTest::qWait(10);
      size = proxy->data(proxy->mapFromSource(source.siblingAtColumn(1))).toString();
      date = proxy->data(proxy->mapFromSource(source.siblingAtColumn(3))).toString();
    }
    dialog->reject();
  });
  TQtDialogs real;
  FileAskT ask;
  ask.current = FromQString(file.fileName());
  EXPECT_EQ(real.AskOpenFileName(german.get(), ask), "");
  EXPECT_EQ(size, "9 Bytes");
  EXPECT_TRUE(QRegularExpression("^\\d\\d\\.\\d\\d\\.\\d\\d \\d\\d:\\d\\d$").match(date).hasMatch()) << date.toStdString();

  german.reset();
  EXPECT_EQ(QLocale(), before);
}

}  // namespace
