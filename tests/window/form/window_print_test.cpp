// Printing a calendar as a user does: its menu, the print settings dialog's
// Print… button, the print dialog (faked: it picks a PDF file) and the
// printed text read back from the file.
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

#include "tests/support/FakeWindowServices.h"
#include "tests/support/options.h"
#include "window/components/QtText.h"
#include "window/form/main.h"
#include "window/grid/PrintSettingsDialog.h"

namespace {

class WindowPrint : public ::testing::Test {
 protected:
  FakeWindowServices services;
  QTemporaryDir dir;
  int32_t printed = 0;

  std::unique_ptr<TForm1> Start(std::vector<std::string> args) {
    auto form = std::make_unique<TForm1>(TestOptions(args), nullptr, services);
    form->show();
    QApplication::setActiveWindow(form.get());
    EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
    return form;
  }

  // The print dialog sends the pages into a PDF file of the test's folder.
  void PrintInto(const QString& pdf) {
    services.onChoosePrinter = [pdf](QPrinter& printer) {
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(pdf);
      return true;
    };
  }

  // The calendar's menu from the keyboard, then "Print Grid" in it.
  static void ChoosePrintGrid(TTextGrid* grid, const QString& caption) {
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_F10, Qt::ShiftModifier);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    for (QAction* a : menu->actions())
      if (a->text() == caption) menu->setActiveAction(a);
    QTest::keyClick(menu, Qt::Key_Return);
  }

  // The dialog as the user meets it: shown, then its Print… button clicked.
  void ClickPrintInTheDialog(const std::function<void(TPrintSettingsDialog&)>& edit = {}) {
    services.onExec = [this, edit](QDialog& d) {
      auto* dialog = qobject_cast<TPrintSettingsDialog*>(&d);
      if (!dialog) return static_cast<int>(QDialog::Rejected);
      dialog->show();
      if (edit) edit(*dialog);
      QTest::mouseClick(dialog->printButton, Qt::LeftButton);
      ++printed;
      return dialog->result();
    };
  }

  static QString PdfText(const QString& pdf) {
    QProcess reader;
    reader.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    EXPECT_TRUE(reader.waitForFinished(20000)) << "pdftotext (package poppler-utils) did not run";
    EXPECT_EQ(reader.exitCode(), 0);
    return QString::fromUtf8(reader.readAllStandardOutput());
  }
};

TEST_F(WindowPrint, PrintButtonPrintsTheCalendarWithItsMonthAndWholeWeekdays) {
  auto f = Start({"--today", "8.12.2026", "15.3.2001", "1.1.2000"});
  const QString pdf = dir.filePath("march.pdf");
  PrintInto(pdf);
  ClickPrintInTheDialog();
  ChoosePrintGrid(f->StringGrid1, "Print Grid");
  ASSERT_EQ(printed, 1);
  EXPECT_EQ(services.printerAsks, 1);
  EXPECT_TRUE(services.messages.empty());
  const QString text = PdfText(pdf);
  // The page header names the month; the columns, filling the page width,
  // have room for every weekday's whole name.
  EXPECT_TRUE(text.contains("March 2001")) << text.toStdString();
  for (const char* day : {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"})
    EXPECT_TRUE(text.contains(QLatin1String(day))) << day << "\n" << text.toStdString();
  // The week column keeps its screen width: its short caption.
  EXPECT_TRUE(text.contains(QRegularExpression("\\bWk\\b")));
  EXPECT_TRUE(text.contains(QRegularExpression("\\b31\\b")));
  EXPECT_TRUE(text.contains("Page 1 of 1"));

  // Narrow columns (no fitting, a large font) take the captions' short forms,
  // never a cut word.
  ClickPrintInTheDialog([](TPrintSettingsDialog& d) {
    d.fitWidth->setChecked(false);
    d.fontSize->setValue(14);
  });
  ChoosePrintGrid(f->StringGrid1, "Print Grid");
  const QString narrow = PdfText(pdf);
  EXPECT_FALSE(f->StringGrid1->PrintSettings().FitToPageWidth);  // printing keeps the settings
  EXPECT_TRUE(narrow.contains("March 2001"));
  EXPECT_FALSE(narrow.contains("Monday")) << narrow.toStdString();
  EXPECT_TRUE(narrow.contains(QRegularExpression("\\bMon?\\b"))) << narrow.toStdString();
  EXPECT_FALSE(narrow.contains(QRegularExpression("\\b(Mond|Tues|Wedn?e?s?|Wedr)\\b"))) << narrow.toStdString();
}

TEST_F(WindowPrint, GermanPagesSpeakGerman) {
  auto f = Start({"--lang", "de", "--today", "8.12.2026", "1.1.2000", "15.3.2001"});
  const QString pdf = dir.filePath("maerz.pdf");
  PrintInto(pdf);
  QString shownButton, footer;
  ClickPrintInTheDialog([&](TPrintSettingsDialog& d) {
    shownButton = d.printButton->text();
    footer = d.footer->text();
  });
  ChoosePrintGrid(f->StringGrid2, QStringLiteral("Tabelle drucken"));
  ASSERT_EQ(printed, 1);
  EXPECT_EQ(shownButton, QStringLiteral("Drucken\u2026"));
  EXPECT_EQ(footer, "Seite [page] von [pages]");
  const QString text = PdfText(pdf);
  EXPECT_TRUE(text.contains(QStringLiteral("M\u00e4rz 2001"))) << text.toStdString();
  for (const char* day : {"Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag", "Sonntag"})
    EXPECT_TRUE(text.contains(QLatin1String(day))) << day << "\n" << text.toStdString();
  EXPECT_TRUE(text.contains("Seite 1 von 1"));
}

TEST_F(WindowPrint, CancelledPrintDialogPrintsNothingAndTheDialogStays) {
  auto f = Start({"--today", "8.12.2026", "15.3.2001"});
  const TGridPrintSettings before = f->StringGrid1->PrintSettings();
  bool stillOpen = false;
  services.onExec = [&](QDialog& d) {
    auto* dialog = qobject_cast<TPrintSettingsDialog*>(&d);
    if (!dialog) return static_cast<int>(QDialog::Rejected);
    dialog->show();
    dialog->marginLeft->setValue(40);
    QTest::mouseClick(dialog->printButton, Qt::LeftButton);  // no onChoosePrinter: cancelled
    stillOpen = dialog->isVisible() && dialog->result() == 0;
    return static_cast<int>(QDialog::Rejected);
  };
  ChoosePrintGrid(f->StringGrid1, "Print Grid");
  EXPECT_EQ(services.printerAsks, 1);
  EXPECT_TRUE(stillOpen);
  EXPECT_TRUE(SamePrintSettings(f->StringGrid1->PrintSettings(), before));
  EXPECT_TRUE(dir.isValid() && QDir(dir.path()).isEmpty());

  // A PDF file that cannot be written is said so, and nothing is kept.
  PrintInto(dir.filePath("missing/folder/x.pdf"));
  ClickPrintInTheDialog();
  ChoosePrintGrid(f->StringGrid1, "Print Grid");
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0].rfind("Cannot write " + FromQString(dir.filePath("missing/folder/x.pdf")) + ": ", 0),
            0u)
      << services.messages[0];
}

}  // namespace
