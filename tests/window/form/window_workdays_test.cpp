// Working days in the window as a user meets them: the Holidays menu by
// keyboard, the weekend dialog, holiday files good and bad, and the choice
// kept from one run to the next.
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "holidays/holidayfile.h"
#include "window/components/QtText.h"
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

}  // namespace
