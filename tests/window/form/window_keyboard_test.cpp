#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFontDialog>
#include <QScreen>
#include <QScrollBar>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

#include <set>

#include "window/form/main.h"
#include "window/components/QtText.h"
#include "tests/support/ActiveWindow.h"
#include "tests/support/FakeWindowServices.h"
#include "tests/support/MenuTexts.h"
#include "tests/support/options.h"

namespace {

class WindowKeys : public ::testing::Test {
 protected:
  FakeWindowServices services;
  std::unique_ptr<TForm1> Start(std::vector<std::string> args = {}) { return StartActiveWindow(services, args); }
  static QWidget* Focused() { return QApplication::focusWidget(); }
  static QMenu* OpenMenu() { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }
  static void Type(TEdit* edit, const char* text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }
};

TEST_F(WindowKeys, TabVisitsEveryControlInReadingOrderWithAVisibleFrame) {
  auto f = Start();
  f->Edit1->setFocus(Qt::TabFocusReason);
  const QList<QWidget*> expected = {f->Edit1,  f->ComboBox1,   f->SpinEdit1,   f->Memo2, f->Edit2,
                                    f->CheckBox1, f->ComboBox2, f->SpinEdit2, f->Memo3, f->StringGrid1,
                                    f->StringGrid2, f->Memo1, f->StatusPanel};
  for (qsizetype i = 0; i < expected.size(); ++i) {
    QWidget* control = expected[i];
    QWidget* at = Focused();
    ASSERT_NE(at, nullptr) << i;
    // Spin boxes hold the focus in their editor.
    EXPECT_TRUE(at == control || control->isAncestorOf(at)) << i << " " << at->objectName().toStdString();
    EXPECT_TRUE(f->FocusRingShown(control)) << i;
    QTest::keyClick(at, Qt::Key_Tab);
  }
  EXPECT_EQ(Focused(), f->Edit1);
  // The panel titles lead to their fields.
  QTest::keyClick(Focused(), Qt::Key_2, Qt::AltModifier);
  EXPECT_EQ(Focused(), f->Edit2);
  EXPECT_TRUE(f->FocusRingShown(f->Edit2));
  QTest::keyClick(Focused(), Qt::Key_1, Qt::AltModifier);
  EXPECT_EQ(Focused(), f->Edit1);
  EXPECT_EQ(f->Panel1->Caption(), "Date 1");
}

TEST_F(WindowKeys, EnterOrSpaceOnADayDoesWhatADoubleClickDoes) {
  auto f = Start({"10.2.2021", "1.1.2000"});
  f->SpinEdit1->SetText("3");
  f->StringGrid1->setFocus(Qt::TabFocusReason);
  // 13 February 2021 is a Saturday: one day right, one week down from the 13th.
  QTest::keyClick(f->StringGrid1, Qt::Key_Right);
  QTest::keyClick(f->StringGrid1, Qt::Key_Down);
  QTest::keyClick(f->StringGrid1, Qt::Key_Return);
  EXPECT_EQ(FromQString(f->Edit1->text()), "21.02.2021");
  EXPECT_EQ(FromQString(f->SpinEdit1->Text()), "0");
  QTest::keyClick(f->StringGrid1, Qt::Key_Up);
  QTest::keyClick(f->StringGrid1, Qt::Key_Space);
  EXPECT_EQ(FromQString(f->Edit1->text()), "14.02.2021");
  // An empty cell picks nothing: the 28th is the last day, row 5 stays empty.
  for (int i = 0; i < 3; ++i) QTest::keyClick(f->StringGrid1, Qt::Key_Down);
  QTest::keyClick(f->StringGrid1, Qt::Key_Return);
  EXPECT_EQ(FromQString(f->Edit1->text()), "14.02.2021");
}

TEST_F(WindowKeys, MenusFromTheKeyboardAndEscape) {
  auto f = Start();
  f->Edit2->setFocus();
  QTest::keyClick(f->Edit2, Qt::Key_F10, Qt::ShiftModifier);
  QMenu* menu = OpenMenu();
  ASSERT_EQ(menu, f->PopupMenu1);
  EXPECT_EQ(f->PopupMenu1->PopupComponent.data(), f->Edit2);
  QTest::keyClick(menu, Qt::Key_Escape);
  EXPECT_EQ(OpenMenu(), nullptr);

  f->StringGrid2->setFocus();
  QTest::keyClick(f->StringGrid2, Qt::Key_Menu);
  ASSERT_NE(OpenMenu(), nullptr);
  EXPECT_EQ(OpenMenu(), f->StringGrid2->PopupMenu());
  QTest::keyClick(OpenMenu(), Qt::Key_Escape);
  EXPECT_EQ(OpenMenu(), nullptr);

  // Ctrl+C in a result memo copies the whole result.
  f->Memo1->setFocus();
  QApplication::clipboard()->clear();
  QTest::keyClick(f->Memo1, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), f->Memo1->toPlainText());
  EXPECT_TRUE(QApplication::clipboard()->text().contains("9837 Days"));
}

TEST_F(WindowKeys, FieldMenuHasTheEditActions) {
  auto f = Start();
  const std::vector<std::string> texts = MenuTexts(*f->PopupMenu1);
  const std::vector<std::string> expected = {"Today", "01.Jan this year", "01.Jan.2000", "01.Jan.0001", "-",
                                             "Undo",  "-",  "Cut",  "Copy",  "Paste", "Delete", "-", "Select All"};
  EXPECT_EQ(texts, expected);
  const auto run = [&](const char* caption) {
    f->PopupMenu1->PopupComponent = f->Edit1;
    for (QAction* a : f->PopupMenu1->actions()) {
      if (a->text() == QLatin1String(caption)) a->trigger();
    }
  };
  Type(f->Edit1, "5.5.2005");
  run("Select All");
  run("Copy");
  run("Delete");
  EXPECT_EQ(FromQString(f->Edit1->text()), "");
  run("Paste");
  EXPECT_EQ(FromQString(f->Edit1->text()), "5.5.2005");
  EXPECT_EQ(FromQString(f->Label3->text()), "May 2005");
  run("Select All");
  run("Cut");
  run("Undo");
  EXPECT_EQ(FromQString(f->Edit1->text()), "5.5.2005");
}

TEST_F(WindowKeys, HintSaysHowAFieldWasRead) {
  auto f = Start();
  const auto hint = [](TEdit* e) -> std::string {
    return e->Hint && e->Hint->isVisible() ? FromQString(e->Hint->toolTip()) : std::string();
  };
  Type(f->Edit1, "1/1/2000");
  EXPECT_EQ(FromQString(f->Edit1->text()), "1/1/2000");
  EXPECT_EQ(hint(f->Edit1), "read as 24.07.2333");
  Type(f->Edit2, "31.2.2001");
  EXPECT_EQ(hint(f->Edit2), "read as 03.03.2001");
  EXPECT_EQ(FromQString(f->Edit2->text()), "31.2.2001");
  Type(f->Edit1, "07.12.2026");
  EXPECT_EQ(hint(f->Edit1), "");
  Type(f->Edit2, "-5.-1.2000");
  EXPECT_NE(hint(f->Edit2), "");
}

}  // namespace

namespace {

class WindowSize : public ::testing::Test {
 protected:
  FakeWindowServices services;
  // Every caption of both calendars as shown, "|" between columns.
  static std::string Captions(const TTextGrid* g) {
    std::string all;
    for (int32_t c = 0; c < g->ColCount(); ++c) all += (c ? "|" : "") + g->ShownCaption(c);
    return all;
  }
  // A shown caption is whole: no ellipsis, and its width within the column.
  static void ExpectCaptionsFit(const TTextGrid* g) {
    for (int32_t c = 0; c < g->ColCount(); ++c) {
      const QString shown = ToQString(g->ShownCaption(c));
      EXPECT_FALSE(shown.isEmpty()) << c;
      EXPECT_FALSE(shown.contains(QChar(0x2026))) << c;
      EXPECT_LE(QFontMetrics(g->Font()).horizontalAdvance(shown), g->ColWidth(c) - g->GridLineWidth() - 4) << c;
    }
  }
  // Every visible child lies inside its parent.
  static void ExpectNothingCut(QWidget* w) {
    for (QWidget* child : w->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (!child->isVisible() || child->isWindow() || child->objectName() == "FocusRing") continue;
      if (child->objectName().isEmpty() && qobject_cast<QAbstractScrollArea*>(w)) continue;
      EXPECT_TRUE(w->rect().contains(child->geometry()))
          << w->objectName().toStdString() << " / " << child->objectName().toStdString();
      ExpectNothingCut(child);
    }
  }
};

TEST_F(WindowSize, CaptionsTakeTheLongestFormThatFits) {
  TForm1 f(TestOptions({"1.12.2026"}), nullptr, services);
  f.show();
  f.resize(2400, 600);
  EXPECT_EQ(Captions(f.StringGrid1), "Week 12.2026|Monday|Tuesday|Wednesday|Thursday|Friday|Saturday|Sunday");
  f.resize(585, 516);
  ExpectCaptionsFit(f.StringGrid1);
  EXPECT_EQ(f.StringGrid1->ShownCaption(3), "Wed");
  f.resize(f.minimumSize());
  for (const TTextGrid* g : {f.StringGrid1, f.StringGrid2}) ExpectCaptionsFit(g);
  f.StringGrid2->SetColWidth(0, 12);
  EXPECT_EQ(f.StringGrid2->ShownCaption(0), "#");
  // The tooltip keeps the whole caption.
  EXPECT_EQ(f.StringGrid1->model()->headerData(0, Qt::Horizontal, Qt::ToolTipRole).toString(), "Week 12.2026");
  // Moved columns take their own short forms.
  f.StringGrid1->MoveColumn(7, 1);
  f.Binder1.grid->OnColumnMoved(f.StringGrid1, 7, 1);
  EXPECT_EQ(f.StringGrid1->ShownCaption(1), "Su");
}

TEST_F(WindowSize, WeekdaysShareOneCaptionFormAtTheLeastSize) {
  for (const char* language : {"en", "de"}) {
    TForm1 f(TestOptions({"--lang", language, "1.12.2026"}), nullptr, services);
    f.show();
    f.resize(f.minimumSize());
    for (const TTextGrid* g : {f.StringGrid1, f.StringGrid2}) {
      // Too narrow for whole names: every weekday shows the same number of
      // its first letters ("Mo" … "Su", never "Fri" beside "Th").
      std::set<size_t> lengths;
      for (int32_t c = 1; c < g->ColCount(); ++c) {
        const std::string shown = g->ShownCaption(c);
        EXPECT_EQ(g->Cell(c, 0).compare(0, shown.size(), shown), 0) << shown;
        EXPECT_LT(shown.size(), g->Cell(c, 0).size()) << shown;
        lengths.insert(shown.size());
      }
      EXPECT_EQ(lengths.size(), 1u) << language << ": " << Captions(g);
    }
  }
}

TEST_F(WindowSize, NothingIsCutAtTheMinimumSize) {
  TForm1 f(TestOptions({"--today", "8.12.2026", "0", "1.1.2000"}), nullptr, services);
  f.show();
  // The window opens inside the screen's free area.
  EXPECT_TRUE(f.screen()->availableGeometry().contains(f.frameGeometry()));
  f.resize(100, 100);
  EXPECT_EQ(f.size(), f.minimumSize());
  EXPECT_GE(f.minimumWidth(), 300);
  EXPECT_GE(f.minimumHeight(), 464);
  ExpectNothingCut(&f);
  // The facts and the difference lines fit their memos.
  for (QPlainTextEdit* memo : {f.Memo1, f.Memo2, f.Memo3}) {
    EXPECT_EQ(memo->horizontalScrollBar()->maximum(), 0) << memo->objectName().toStdString();
    EXPECT_EQ(memo->verticalScrollBar()->maximum(), 0) << memo->objectName().toStdString();
  }
}

TEST_F(WindowSize, FontDialogStartsAtTheCalendarsFontAndRowsGrowWithTheChoice) {
  TForm1 f(TestOptions(), nullptr, services);
  f.show();
  QApplication::setActiveWindow(&f);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
  QFont seen;
  services.onExec = [&seen](QDialog& d) {
    auto* dialog = qobject_cast<QFontDialog*>(&d);
    if (!dialog) return static_cast<int>(QDialog::Rejected);
    seen = dialog->currentFont();
    QFont big = seen;
    big.setPointSize(26);
    dialog->setCurrentFont(big);
    return static_cast<int>(QDialog::Accepted);
  };
  const QFont before = f.StringGrid2->Font();
  f.StringGrid2->setFocus();
  QTest::keyClick(f.StringGrid2, Qt::Key_F10, Qt::ShiftModifier);
  QMenu* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(menu, nullptr);
  for (QAction* a : menu->actions()) {
    if (a->text() == "Font..") menu->setActiveAction(a);
  }
  QTest::keyClick(menu, Qt::Key_Return);
  EXPECT_EQ(QFontInfo(seen).family(), QFontInfo(before).family());
  EXPECT_EQ(QFontInfo(seen).pixelSize(), QFontInfo(before).pixelSize());
  const TTextGrid* g = f.StringGrid2;
  EXPECT_GE(g->DefaultRowHeight(), QFontMetrics(g->Font()).height());
  EXPECT_GT(g->DefaultRowHeight(), 21);
  // Every week still shows, and the window made room for it.
  EXPECT_LE(g->RowTop(6) + g->DefaultRowHeight(), g->height());
  f.resize(f.minimumSize());
  ExpectNothingCut(&f);
}

// A larger calendar font widens the columns and the window, within the
// screen; the old font gives the old widths and size back.
TEST_F(WindowSize, CalendarFontsWidenColumnsAndWindowWithinTheScreen) {
  // The 30th is the marked day: the widest number in bold.
  TForm1 f(TestOptions({"--today", "8.12.2026", "30.12.2026", "1.1.2000"}), nullptr, services);
  f.show();
  QApplication::setActiveWindow(&f);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
  TTextGrid* g = f.StringGrid1;
  const QRect area = f.screen()->availableGeometry();
  const auto widths = [g] {
    std::vector<int32_t> w;
    for (int32_t c = 0; c < g->ColCount(); ++c) w.push_back(g->ColWidth(c));
    return w;
  };
  const auto menu = [&](const char* caption) {
    g->setFocus();
    QTest::keyClick(g, Qt::Key_F10, Qt::ShiftModifier);
    QMenu* open = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(open, nullptr);
    for (QAction* a : open->actions())
      if (a->text() == QLatin1String(caption)) open->setActiveAction(a);
    QTest::keyClick(open, Qt::Key_Return);
  };
  const auto choosePoints = [&](int points) {
    services.onExec = [points](QDialog& d) {
      auto* dialog = qobject_cast<QFontDialog*>(&d);
      if (!dialog) return static_cast<int>(QDialog::Rejected);
      QFont font = dialog->currentFont();
      font.setPointSize(points);
      dialog->setCurrentFont(font);
      return static_cast<int>(QDialog::Accepted);
    };
    menu("Font..");
  };
  const std::vector<int32_t> widths8 = widths();
  const QSize size8 = f.size();
  ExpectCaptionsFit(g);

  choosePoints(16);
  EXPECT_EQ(g->Font().pointSize(), 16);
  QFont bold = g->Font();
  bold.setBold(true);
  EXPECT_EQ(g->Cell(g->MarkedCol(), g->MarkedRow()), "30");
  for (int32_t c = 0; c < g->ColCount(); ++c) {
    EXPECT_GT(g->ColWidth(c), widths8[static_cast<size_t>(c)]) << c;
    EXPECT_GE(g->ColWidth(c), QFontMetrics(bold).horizontalAdvance("30") + 8) << c;
    EXPECT_NE(g->ShownCaption(c), "#") << c;
  }
  ExpectCaptionsFit(g);
  EXPECT_GT(f.width(), size8.width());
  EXPECT_GT(f.height(), size8.height());
  EXPECT_TRUE(area.contains(f.frameGeometry()));
  ExpectNothingCut(&f);

  choosePoints(72);
  EXPECT_EQ(g->Font().pointSize(), 72);
  EXPECT_TRUE(area.contains(f.frameGeometry()));
  EXPECT_LE(f.minimumWidth(), area.width());
  EXPECT_LE(f.minimumHeight(), area.height());

  menu("Reset Font");
  EXPECT_EQ(widths(), widths8);
  EXPECT_EQ(f.size(), size8);
  choosePoints(16);
  choosePoints(8);
  EXPECT_EQ(f.size(), size8);
  // A size the user chose stays what a smaller font comes back to.
  f.resize(size8 + QSize(40, 30));
  choosePoints(16);
  choosePoints(8);
  EXPECT_EQ(f.size(), size8 + QSize(40, 30));
}

}  // namespace
