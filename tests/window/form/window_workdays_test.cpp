// Working days in the window as a user meets them: the Holidays menu by
// keyboard, the weekend dialog, holiday files good and bad, and the choice
// kept from one run to the next.
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

#include <sstream>

#include "holidays/holidayfile.h"
#include "window/components/GPanel.h"
#include "window/components/QtText.h"
#include "window/form/calendar_marks.h"
#include "window/form/main.h"
#include "tests/support/ActiveWindow.h"
#include "tests/support/FakeWindowServices.h"
#include "tests/support/options.h"

namespace {

class WindowWorkdays : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  FakeWindowServices services;
  std::unique_ptr<TForm1> Start(std::vector<std::string> args = {}) { return StartActiveWindow(services, args); }
  static QMenu* OpenMenu() { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }
  // Down arrows until the open menu's active item reads caption; false when
  // the menu holds no such item.
  static bool ArrowTo(const QString& caption) {
    QMenu* menu = OpenMenu();
    if (!menu) return false;
    for (qsizetype i = 0; i <= menu->actions().size(); ++i) {
      if (menu->activeAction() && menu->activeAction()->text() == caption) return true;
      QTest::keyClick(menu, Qt::Key_Down);
    }
    return false;
  }
  // Opens a calendar's menu with Shift+F10 and walks the path by arrow keys;
  // the last item is picked with Enter.
  static void PickByKeys(TTextGrid* grid, const std::vector<QString>& path) {
    QApplication::setActiveWindow(grid->window());
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_F10, Qt::ShiftModifier);
    for (size_t i = 0; i < path.size(); ++i) {
      ASSERT_TRUE(ArrowTo(path[i])) << path[i].toStdString();
      QTest::keyClick(OpenMenu(), i + 1 < path.size() ? Qt::Key_Right : Qt::Key_Return);
    }
    EXPECT_EQ(OpenMenu(), nullptr);
  }
  // The item of the calendar's Holidays menu (or one of its submenus).
  static QAction* HolidayItem(TTextGrid* grid, const QString& caption) {
    QMenu* holidays = grid->PopupMenu()->findChild<QMenu*>("HolidayMenu");
    if (!holidays) return nullptr;
    QList<QMenu*> menus = holidays->findChildren<QMenu*>();
    menus.push_back(holidays);
    for (QMenu* menu : menus)
      for (QAction* a : menu->actions())
        if (a->text() == caption && !a->menu()) return a;
    return nullptr;
  }
  static std::vector<std::string> Kinds(const QComboBox* box) {
    std::vector<std::string> items;
    for (int i = 0; i < box->count(); ++i) items.push_back(FromQString(box->itemText(i)));
    return items;
  }
  // The grid cell that shows a day, as (column, row); (-1, -1) when none does.
  static std::pair<int32_t, int32_t> DayCell(const TTextGrid* g, int32_t day) {
    for (int32_t row = 1; row < g->RowCount(); ++row)
      for (int32_t col = g->FixedCols(); col < g->ColCount(); ++col)
        if (g->Cell(col, row) == std::to_string(day)) return {col, row};
    return {-1, -1};
  }
  // How a day's cell is painted: "holiday", "weekend" or "plain".
  static std::string DayLook(const TTextGrid* g, int32_t day) {
    const auto [col, row] = DayCell(g, day);
    uint32_t text = 0, back = 0;
    if (col < 0 || !g->CellFontColor(col, row, text)) return "plain";
    EXPECT_TRUE(g->CellBackground(col, row, back));
    const DayMarkColorsT colors = DayMarkColors(g->palette());
    if (back == FromQColor(colors.holidayBack) && text == FromQColor(colors.holidayText)) return "holiday";
    if (back == FromQColor(colors.weekendBack) && text == FromQColor(colors.weekendText)) return "weekend";
    return "other";
  }
  static std::vector<std::string> Lines(const QPlainTextEdit* memo) {
    std::vector<std::string> lines;
    ForEachLine(TForm1::MemoText(memo), [&lines](std::string_view line) { lines.emplace_back(TrimmedRight(line)); });
    return lines;
  }
  std::string WriteFile(const char* name, const QByteArray& bytes) {
    QFile file(dir.filePath(QString::fromLatin1(name)));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return FromQString(file.fileName());
  }
};

TEST_F(WindowWorkdays, ARegionPickedByKeysServesBothCalendars) {
  auto f = Start({"--today", "8.12.2026", "24.12.2026", "1.1.2027"});
  const std::vector<std::string> four = {"+Days", "+Weeks", "+Months", "+Years"};
  EXPECT_FALSE(f->Workdays().on);
  ASSERT_NE(HolidayItem(f->StringGrid1, "None"), nullptr);
  EXPECT_TRUE(HolidayItem(f->StringGrid1, "None")->isChecked());
  EXPECT_EQ(Kinds(f->ComboBox1), four);

  PickByKeys(f->StringGrid1, {"Holidays", "Germany", "Bavaria"});
  ASSERT_NE(f->Workdays().region, nullptr);
  EXPECT_EQ(f->Workdays().region->code, "DE-BY");
  for (TTextGrid* grid : {f->StringGrid1, f->StringGrid2}) {
    EXPECT_TRUE(HolidayItem(grid, "Bavaria")->isChecked());
    EXPECT_FALSE(HolidayItem(grid, "None")->isChecked());
    EXPECT_FALSE(HolidayItem(grid, "Berlin")->isChecked());
  }
  std::vector<std::string> five = four;
  five.push_back("+Working days");
  EXPECT_EQ(Kinds(f->ComboBox1), five);
  EXPECT_EQ(Kinds(f->ComboBox2), five);

  // A region of its own country is an item of the menu itself.
  PickByKeys(f->StringGrid2, {"Holidays", "Austria"});
  EXPECT_EQ(f->Workdays().region->code, "AT");

  // "+Working days" falls back to "+Days" when nothing is chosen any more.
  f->ComboBox2->setFocus();
  QTest::keyClick(f->ComboBox2, Qt::Key_End);
  EXPECT_EQ(f->ComboBox2->currentIndex(), 4);
  PickByKeys(f->StringGrid1, {"Holidays", "None"});
  EXPECT_FALSE(f->Workdays().on);
  EXPECT_EQ(Kinds(f->ComboBox2), four);
  EXPECT_EQ(f->ComboBox2->currentIndex(), 0);
  EXPECT_TRUE(HolidayItem(f->StringGrid2, "None")->isChecked());
}

TEST_F(WindowWorkdays, RegionNamesInTheWindowsLanguage) {
  auto f = Start({"--lang", "de"});
  QMenu* holidays = f->StringGrid1->PopupMenu()->findChild<QMenu*>("HolidayMenu");
  ASSERT_NE(holidays, nullptr);
  EXPECT_EQ(FromQString(holidays->title()), "Feiertage");
  EXPECT_NE(HolidayItem(f->StringGrid1, "Bayern"), nullptr);
  EXPECT_NE(HolidayItem(f->StringGrid1, QString::fromUtf8("Th\u00fcringen")), nullptr);
  EXPECT_NE(HolidayItem(f->StringGrid1, "Schottland"), nullptr);
  EXPECT_EQ(HolidayItem(f->StringGrid1, "Bavaria"), nullptr);
  std::vector<std::string> titles;
  for (QAction* a : holidays->actions())
    if (a->menu()) titles.push_back(FromQString(a->text()));
  EXPECT_EQ(titles, (std::vector<std::string>{"Deutschland", "Vereinigtes K\xF6nigreich"}));
}

TEST_F(WindowWorkdays, WeekendDialogKeepsOneWorkingDay) {
  auto f = Start();
  bool offered = true;
  services.onExec = [&](QDialog& d) {
    auto& dialog = static_cast<TWeekendDialog&>(d);
    EXPECT_TRUE(dialog.Day(5)->isChecked());  // Saturday and Sunday to start with
    EXPECT_TRUE(dialog.Day(6)->isChecked());
    EXPECT_FALSE(dialog.Day(4)->isChecked());
    QPushButton* ok = dialog.Buttons()->button(QDialogButtonBox::Ok);
    for (int32_t d = 0; d < 5; ++d) QTest::mouseClick(dialog.Day(d), Qt::LeftButton);
    offered = ok->isEnabled();  // all seven days off
    QTest::mouseClick(dialog.Day(6), Qt::LeftButton);
    QTest::mouseClick(dialog.Day(0), Qt::LeftButton);
    QTest::mouseClick(ok, Qt::LeftButton);
    return dialog.result();
  };
  HolidayItem(f->StringGrid1, QString::fromUtf8("Weekend days\u2026"))->trigger();
  EXPECT_FALSE(offered);
  EXPECT_TRUE(f->Workdays().on);
  EXPECT_EQ(WeekendText(f->Workdays().weekend), "tue,wed,thu,fri,sat");
  EXPECT_TRUE(HolidayItem(f->StringGrid2, QString::fromUtf8("Weekend days\u2026"))->isChecked());
  EXPECT_EQ(f->ComboBox1->count(), 5);
  // Cancel changes nothing.
  services.onExec = [](QDialog& d) {
    QTest::mouseClick(static_cast<TWeekendDialog&>(d).Day(2), Qt::LeftButton);
    return int(QDialog::Rejected);
  };
  HolidayItem(f->StringGrid1, QString::fromUtf8("Weekend days\u2026"))->trigger();
  EXPECT_EQ(WeekendText(f->Workdays().weekend), "tue,wed,thu,fri,sat");
}

TEST_F(WindowWorkdays, AHolidayFileThatCannotBeReadChangesNothing) {
  auto f = Start();
  PickByKeys(f->StringGrid1, {"Holidays", "Switzerland (all cantons)"});
  const std::string bad = WriteFile("bad.txt", "2026-12-24 Christmas Eve\n2026-13-40 Nowhere\n");
  const std::string missing = FromQString(dir.filePath("missing.txt"));
  for (const std::string& file : {bad, missing}) {
    services.messages.clear();
    services.fileAnswers = {file};
    HolidayItem(f->StringGrid1, QString::fromUtf8("Holiday file\u2026"))->trigger();
    ASSERT_EQ(services.messages.size(), 1u);
    // The engine's own words name the file, the line and the reason.
    const std::string reason = ReadHolidayFile(PathFromQString(ToQString(file))).error;
    ASSERT_FALSE(reason.empty());
    EXPECT_NE(services.messages[0].find(reason), std::string::npos) << services.messages[0];
    EXPECT_EQ(services.titles.back(), "Zelko Orvane 1.11");
    EXPECT_TRUE(f->Workdays().holidayFiles.empty());
    EXPECT_EQ(f->Workdays().region->code, "CH");
  }
  // No file chosen: nothing asked of the engine, nothing said.
  services.messages.clear();
  HolidayItem(f->StringGrid1, QString::fromUtf8("Holiday file\u2026"))->trigger();
  EXPECT_TRUE(services.messages.empty());
  ASSERT_FALSE(services.asks.empty());
  EXPECT_NE(services.asks.back().filter.find("*.ics"), std::string::npos);
}

TEST_F(WindowWorkdays, TheChoiceSurvivesARestart) {
  services.settingsFile = dir.filePath(QStringLiteral("orvane/orvane.conf"));
  {
    auto f = Start();
    PickByKeys(f->StringGrid2, {"Holidays", "United Kingdom", "Scotland"});
    services.onExec = [](QDialog& d) {
      auto& dialog = static_cast<TWeekendDialog&>(d);
      QTest::mouseClick(dialog.Day(4), Qt::LeftButton);  // Friday too
      return int(QDialog::Accepted);
    };
    HolidayItem(f->StringGrid1, QString::fromUtf8("Weekend days\u2026"))->trigger();
    EXPECT_TRUE(f->close());
  }
  {
    auto f = Start();
    ASSERT_NE(f->Workdays().region, nullptr);
    EXPECT_EQ(f->Workdays().region->code, "GB-SCT");
    EXPECT_EQ(WeekendText(f->Workdays().weekend), "fri,sat,sun");
    EXPECT_TRUE(HolidayItem(f->StringGrid1, "Scotland")->isChecked());
    EXPECT_EQ(f->ComboBox2->count(), 5);
    // --no-settings: as new, and the file stays as it was.
    auto plain = Start({"--no-settings"});
    EXPECT_FALSE(plain->Workdays().on);
    plain->close();
    PickByKeys(f->StringGrid1, {"Holidays", "None"});
    f->close();
  }
  EXPECT_FALSE(Start()->Workdays().on);
  // Stored values that name nothing are left out one by one.
  QFile file(services.settingsFile);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write("[workdays]\non=true\nregion=XX-YY\nweekend=\"mon,tue,wed,thu,fri,sat,sun\"\n"
             "holidayFile1=/nowhere/h.txt\n");
  file.close();
  auto f = Start();
  EXPECT_TRUE(f->Workdays().on);
  EXPECT_EQ(f->Workdays().region, nullptr);
  EXPECT_EQ(WeekendText(f->Workdays().weekend), "sat,sun");
  EXPECT_TRUE(f->Workdays().holidayFiles.empty());
}

// Picking a region changes what the calendars mark, the difference's fifth
// line and the facts, all as the result layer gives them.
TEST_F(WindowWorkdays, ARegionMarksDaysAndAddsTheWorkingDayTexts) {
  auto f = Start({"--today", "8.12.2026", "24.12.2026", "1.1.2027"});
  const std::vector<std::string> plainDifference = Lines(f->Memo1);
  ASSERT_EQ(plainDifference.size(), 4u);
  for (int32_t day : {25, 26, 27}) EXPECT_EQ(DayLook(f->StringGrid1, day), "plain") << day;

  PickByKeys(f->StringGrid1, {"Holidays", "Germany", "Bavaria"});
  TTextGrid* g = f->StringGrid1;
  EXPECT_EQ(DayLook(g, 23), "plain");
  EXPECT_EQ(DayLook(g, 25), "holiday");
  EXPECT_EQ(DayLook(g, 26), "holiday");  // a Saturday, and a holiday first
  EXPECT_EQ(DayLook(g, 27), "weekend");
  EXPECT_EQ(DayLook(f->StringGrid2, 6), "holiday");  // Epiphany
  const std::vector<std::string> difference = Lines(f->Memo1);
  ASSERT_EQ(difference.size(), 5u);
  EXPECT_TRUE(std::equal(plainDifference.begin(), plainDifference.end(), difference.begin()));
  EXPECT_EQ(difference[4], "5 Working Days");  // the 24th and 28th to 31st
  EXPECT_EQ(Lines(f->Memo3).back(), "Holiday: New Year's Day");
  EXPECT_EQ(Lines(f->Memo2).back(), "New Year in 8 Days");  // Christmas Eve is no holiday in Bavaria
  EXPECT_TRUE(f->Memo1->accessibleDescription().contains("5 Working Days"));

  // The marks follow their days when columns move or hide; the own day's
  // marker stays on a holiday.
  f->Edit1->setText("25.12.2026");
  EXPECT_EQ(g->Cell(g->MarkedCol(), g->MarkedRow()), "25");
  EXPECT_EQ(DayLook(g, 25), "holiday");
  ASSERT_TRUE(g->MoveColumn(5, 1));  // Friday to the front
  g->OnColumnMoved(g, 5, 1);
  EXPECT_EQ(DayCell(g, 25).first, 1);
  EXPECT_EQ(DayLook(g, 25), "holiday");
  EXPECT_EQ(DayLook(g, 24), "plain");
  EXPECT_EQ(g->Cell(g->MarkedCol(), g->MarkedRow()), "25");

  PickByKeys(g, {"Holidays", "None"});
  EXPECT_EQ(DayLook(g, 25), "plain");
  EXPECT_EQ(Lines(f->Memo1).size(), 4u);
  EXPECT_EQ(TForm1::MemoText(f->Memo2).find("Holiday"), std::string::npos);
}

// "+Working days" shifts by the engine's working days as the count is typed.
TEST_F(WindowWorkdays, WorkingDayIncrementIsTheEnginesShift) {
  auto f = Start({"--region", "DE-BY", "--today", "8.12.2026", "24.12.2026", "1.1.2027"});
  f->ComboBox2->setFocus();
  QTest::keyClick(f->ComboBox2, Qt::Key_End);
  ASSERT_EQ(FromQString(f->ComboBox2->currentText()), "+Working days");
  f->SpinEdit2->setFocus();
  f->SpinEdit2->Editor()->selectAll();
  QTest::keyClicks(f->SpinEdit2->Editor(), "10");
  WorkCalendarT bavaria;
  InitWorkCalendar(bavaria, WeekendT{}, FindRegion("DE-BY"), {});
  const DateTripleT expected = ShiftWorkdays(bavaria, {1, 1, 2027}, 10).date;
  EXPECT_EQ(expected, (DateTripleT{18, 1, 2027}));
  EXPECT_EQ(f->Results.date2, expected);
  EXPECT_EQ(Lines(f->Memo3).front(), "Monday, 18.01.2027 (Capricorn)");
  QTest::keyClick(f->SpinEdit2->Editor(), Qt::Key_Backspace);  // live: 1 working day
  EXPECT_EQ(f->Results.date2, (DateTripleT{4, 1, 2027}));
  QTest::keyClick(f->SpinEdit2->Editor(), Qt::Key_Down);  // the arrow too: 0
  EXPECT_EQ(f->Results.date2, (DateTripleT{1, 1, 2027}));
}

// The window and --print write the same texts for the same choice.
TEST_F(WindowWorkdays, SameTextsAsPrint) {
  const std::vector<std::string> args = {"--region", "DE-BY", "--today", "8.12.2026", "--add1", "3wd",
                                         "24.12.2026", "6.1.2027"};
  for (const char* language : {"en", "de"}) {
    std::vector<std::string> run = args;
    run.insert(run.begin(), {"--lang", language});
    std::vector<std::string> printArgs = run;
    printArgs.push_back("--print");
    std::istringstream in;
    std::ostringstream out, err;
    ASSERT_EQ(RunTextCommand(TestOptions(printArgs), in, out, err), 0) << err.str();
    std::vector<std::string> printed;
    std::istringstream lines(out.str());
    for (std::string line; std::getline(lines, line);) printed.push_back(Utf8ToAnsi(line));
    auto f = Start(run);
    // Each memo line is a line of --print's block, indented by two.
    const auto block = [&printed](const std::string& heading) {
      const auto at = std::find_if(printed.begin(), printed.end(),
                                   [&heading](const std::string& l) { return l.rfind(heading, 0) == 0; });
      return at == printed.end() ? printed.end() : at + 1;
    };
    const auto expectIn = [&](const QPlainTextEdit* memo, std::vector<std::string>::iterator from) {
      const std::vector<std::string> shown = Lines(memo);
      ASSERT_FALSE(shown.empty());
      for (size_t i = 0; i < shown.size(); ++i, ++from) {
        ASSERT_NE(from, printed.end());
        EXPECT_EQ(std::string(TrimmedRight(from->substr(0, std::min(from->size(), shown[i].size() + 3)))),
                  "  " + shown[i]);
      }
    };
    const bool de = std::string(language) == "de";
    expectIn(f->Memo2, block(de ? "Datum 1:" : "Date 1:"));
    expectIn(f->Memo3, block(de ? "Datum 2:" : "Date 2:"));
    expectIn(f->Memo1, block(de ? "Differenz" : "Difference"));
    EXPECT_NE(TForm1::MemoText(f->Memo3).find(de ? "Feiertag: Heilige Drei K\xF6nige" : "Holiday: Epiphany"),
              std::string::npos);
    EXPECT_NE(TForm1::MemoText(f->Memo1).find(de ? "Arbeitstage" : "Working Days"), std::string::npos);
  }
}

// Marking colours read on light and dark desktops and never look like the
// highlight of the own day and the selection.
TEST(DayMarkColors, ReadableAndApartFromTheHighlight) {
  QPalette light(QColor(239, 239, 239), QColor(255, 255, 255));
  light.setColor(QPalette::Base, Qt::white);
  light.setColor(QPalette::Text, Qt::black);
  light.setColor(QPalette::Highlight, QColor(48, 140, 198));
  QPalette dark = light;
  dark.setColor(QPalette::Base, QColor(30, 30, 30));
  dark.setColor(QPalette::Text, QColor(230, 230, 230));
  dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
  QPalette redHighlight = light;
  redHighlight.setColor(QPalette::Highlight, QColor(200, 30, 40));
  for (const QPalette& palette : {light, dark, redHighlight, QApplication::palette()}) {
    const DayMarkColorsT c = DayMarkColors(palette);
    const QColor base = palette.color(QPalette::Base), highlight = palette.color(QPalette::Highlight);
    EXPECT_GE(ContrastRatio(c.holidayText, c.holidayBack), 4.5);
    EXPECT_GE(ContrastRatio(c.weekendText, c.weekendBack), 4.5);
    for (const QColor& back : {c.holidayBack, c.weekendBack}) {
      EXPECT_NE(back, base);
      EXPECT_NE(back, highlight);
      // Far from the highlight, not just another shade of it.
      const int distance = std::abs(back.red() - highlight.red()) + std::abs(back.green() - highlight.green()) +
                           std::abs(back.blue() - highlight.blue());
      EXPECT_GT(distance, 120) << back.name().toStdString() << " " << highlight.name().toStdString();
    }
    EXPECT_NE(c.holidayBack, c.weekendBack);
    EXPECT_NE(c.holidayText, c.weekendText);  // told apart without the colour of the cell
  }
  EXPECT_GT(DayMarkColors(redHighlight).holidayBack.blue(), DayMarkColors(redHighlight).holidayBack.red());
}

// A screen reader and the mouse learn which holiday a day is; the weekend is
// said in words too. The grid's HTML page carries the same notes.
TEST_F(WindowWorkdays, CellsNameTheirHolidayToScreenReadersAndInTooltips) {
  auto f = Start({"--region", "DE-BY", "--today", "8.12.2026", "24.12.2026", "1.1.2027"});
  TTextGrid* g = f->StringGrid1;
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(g);
  ASSERT_NE(a, nullptr);
  QAccessibleTableInterface* table = a->tableInterface();
  ASSERT_NE(table, nullptr);
  const auto described = [&](int32_t day) {
    const auto [col, row] = DayCell(g, day);
    QAccessibleInterface* cell = table->cellAt(row - 1, col);  // the header row is not a table row
    if (!cell) return std::string("?");
    EXPECT_EQ(FromQString(cell->text(QAccessible::Name)), std::to_string(day));
    return FromQString(cell->text(QAccessible::Description));
  };
  EXPECT_EQ(described(25), "Christmas Day");
  EXPECT_EQ(described(26), "Second Day of Christmas");  // a Saturday
  EXPECT_EQ(described(27), "Weekend");
  EXPECT_EQ(described(23), "");

  // The tooltip, as hovering shows it.
  const auto tooltip = [&](int32_t day) {
    const auto [col, row] = DayCell(g, day);
    const QPoint at = g->viewport()->mapFrom(
        g, QPoint(g->ColumnLeft(col) + g->ColWidth(col) / 2, g->RowTop(row) + g->DefaultRowHeight() / 2));
    QHelpEvent help(QEvent::ToolTip, at, g->viewport()->mapToGlobal(at));
    QApplication::sendEvent(g->viewport(), &help);
    return FromQString(QToolTip::text());
  };
  EXPECT_EQ(tooltip(25), "Christmas Day");
  QToolTip::hideText();

  const std::string page = HtmlFileText(g->HtmlData(), g->HtmlSettings());
  EXPECT_NE(page.find(" class=\"holiday\" title=\"Christmas Day\""), std::string::npos);
  EXPECT_NE(page.find(" class=\"weekend\" title=\"Weekend\""), std::string::npos);

  // German names in a German window.
  auto de = Start({"--lang", "de", "--region", "DE-BY", "--today", "8.12.2026", "24.12.2026"});
  g = de->StringGrid1;
  a = QAccessible::queryAccessibleInterface(g);
  table = a->tableInterface();
  EXPECT_EQ(described(26), "2. Weihnachtstag");
  EXPECT_EQ(described(27), "Wochenende");
  // Without a choice the cells say nothing more than their day.
  PickByKeys(g, {"Feiertage", "Keine"});
  EXPECT_EQ(described(25), "");
  EXPECT_EQ(HtmlFileText(g->HtmlData(), g->HtmlSettings()).find("class="), std::string::npos);
}

}  // namespace
