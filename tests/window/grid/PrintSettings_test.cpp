#include "window/grid/PrintSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "window/components/QtText.h"
#include "window/grid/PrintSettingsDialog.h"
#include "tests/support/FakeWindowServices.h"
#include "tests/support/TypeText.h"

namespace {

TGridPrintSettings Changed() {
  TGridPrintSettings ps;
  InitPrintSettings(ps);
  ps.Orientation = kPrintLandscape;
  ps.MarginLeft = 7;
  ps.MarginBottom = 33;
  ps.HeaderText = "Calendar \\ [date]";
  ps.FooterText = "line1\r\nline2";
  ps.Title = "Ma\xEFs";
  ps.FontName = "Courier New";
  ps.FontSize = 14;
  ps.FontBold = true;
  ps.FitToPageWidth = false;
  ps.RepeatHeaderRow = false;
  ps.PrintBands = false;
  ps.Centered = true;
  return ps;
}

// 3 columns (1 fixed), 1 header row + n data rows.
void FillGrid(TTextGrid& g, int32_t dataRows, int32_t colWidth = 60) {
  g.SetColCount(3);
  g.SetRowCount(dataRows + 1);
  g.SetFixedRows(1);
  g.SetFixedCols(1);
  g.SetDefaultRowHeight(21);
  for (int32_t c = 0; c < 3; ++c) g.SetColWidth(c, colWidth);
  for (int32_t r = 0; r <= dataRows; ++r)
    for (int32_t c = 0; c < 3; ++c) g.SetCell(c, r, std::to_string(r));
}

}  // namespace

TEST(PrintSettingsIni, RoundTripKeepsEveryField) {
  const TGridPrintSettings a = Changed();
  TGridPrintSettings b;
  InitPrintSettings(b);
  ASSERT_TRUE(PrintSettingsFromIni(b, PrintSettingsToIni(a)));
  EXPECT_TRUE(SamePrintSettings(a, b));
  EXPECT_EQ(b.FooterText, "line1\r\nline2");
  EXPECT_EQ(PrintSettingsToIni(a).rfind("[PRINTSETTINGS]\r\n", 0), 0u);
}

TEST(PrintSettingsIni, ReadingIsLenientButStaysInRange) {
  TGridPrintSettings ps;
  InitPrintSettings(ps);
  const TGridPrintSettings before = ps;
  EXPECT_FALSE(PrintSettingsFromIni(ps, "[OTHER]\nMarginLeft=3\n"));
  EXPECT_TRUE(SamePrintSettings(ps, before));
  // Other sections are skipped, keys ignore case, junk keeps the old value,
  // out-of-range values are clamped.
  ASSERT_TRUE(PrintSettingsFromIni(ps,
                                   "[x]\nMarginTop=1\n[printsettings]\n marginleft = 3 \n"
                                   "MarginTop=abc\nMarginRight=99999999999\nFontSize=1000\n"
                                   "Orientation=7\nFontBold=1\n[y]\nFontItalic=1"));
  EXPECT_EQ(ps.MarginLeft, 3);
  EXPECT_EQ(ps.MarginTop, before.MarginTop);
  EXPECT_EQ(ps.MarginRight, before.MarginRight);
  EXPECT_EQ(ps.FontSize, 72);
  EXPECT_EQ(ps.Orientation, kPrintPortrait);
  EXPECT_TRUE(ps.FontBold);
  EXPECT_FALSE(ps.FontItalic);
}

TEST(PrintSettingsIni, FilesSaveAndLoad) {
  QTemporaryDir dir;
  const std::string name = FromQString(dir.filePath("print.ini"));
  const TGridPrintSettings a = Changed();
  std::string reason;
  ASSERT_TRUE(SavePrintSettings(a, name, reason));
  TGridPrintSettings b;
  InitPrintSettings(b);
  ASSERT_TRUE(LoadPrintSettings(b, name));
  EXPECT_TRUE(SamePrintSettings(a, b));
  EXPECT_FALSE(LoadPrintSettings(b, FromQString(dir.filePath("missing.ini"))));
  EXPECT_FALSE(SavePrintSettings(a, FromQString(dir.filePath("no/such/dir/x.ini")), reason));
  EXPECT_EQ(reason, "No such file or directory");
  EXPECT_FALSE(SavePrintSettings(a, "", reason));

  // Texts come back exactly, and the file stays a readable INI section.
  TGridPrintSettings odd = a;
  odd.FooterText = " [page] of [pages] ";
  odd.HeaderText = "\t a=b; [c] \"q\" \\x41\r\nnext\n  ";
  odd.Title = "\xe4\x80\x9d\x01 ";
  odd.FontName = " ";
  ASSERT_TRUE(SavePrintSettings(odd, name, reason));
  ASSERT_TRUE(LoadPrintSettings(b, name));
  EXPECT_EQ(b.FooterText, odd.FooterText);
  EXPECT_EQ(b.HeaderText, odd.HeaderText);
  EXPECT_EQ(b.Title, odd.Title);
  EXPECT_EQ(b.FontName, odd.FontName);
  QFile f(dir.filePath("print.ini"));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray text = f.readAll();
  EXPECT_TRUE(text.startsWith("[PRINTSETTINGS]\r\n"));
  EXPECT_TRUE(text.contains("\r\nFooterText=\\s[page] of [pages]\\s\r\n"));
}

TEST(PrintSettingsDialog, OkKeepsAndCancelRestores) {
  FakeWindowServices services;
  TTextGrid grid;
  const TGridPrintSettings old = grid.PrintSettings();
  services.onExec = [](QDialog& d) {
    auto& dlg = dynamic_cast<TPrintSettingsDialog&>(d);
    dlg.orientation->setCurrentIndex(1);
    dlg.marginTop->setValue(40);
    dlg.header->setText("Hello");
    dlg.repeatHeader->setChecked(false);
    return static_cast<int>(QDialog::Rejected);
  };
  EXPECT_FALSE(RunPrintSettingsDialog(grid, services));
  EXPECT_TRUE(SamePrintSettings(grid.PrintSettings(), old));

  services.onExec = [](QDialog& d) {
    auto& dlg = dynamic_cast<TPrintSettingsDialog&>(d);
    dlg.orientation->setCurrentIndex(1);
    dlg.marginTop->setValue(40);
    dlg.header->setText("Hello");
    dlg.repeatHeader->setChecked(false);
    return static_cast<int>(QDialog::Accepted);
  };
  EXPECT_TRUE(RunPrintSettingsDialog(grid, services));
  EXPECT_EQ(grid.PrintSettings().Orientation, kPrintLandscape);
  EXPECT_EQ(grid.PrintSettings().MarginTop, 40);
  EXPECT_EQ(grid.PrintSettings().HeaderText, "Hello");
  EXPECT_FALSE(grid.PrintSettings().RepeatHeaderRow);
  EXPECT_EQ(grid.PrintSettings().FooterText, old.FooterText);
}

TEST(PrintSettingsDialog, SaveAndLoadButtonsUseTheChosenFile) {
  FakeWindowServices services;
  QTemporaryDir dir;
  const std::string name = FromQString(dir.filePath("grid.ini"));
  TTextGrid grid;
  bool loaded = false;
  // Saved under a name without an extension: ".ini" is added.
  services.fileAnswers = {FromQString(dir.filePath("grid")), name};
  services.onExec = [&](QDialog& d) {
    auto& dlg = dynamic_cast<TPrintSettingsDialog&>(d);
    dlg.marginLeft->setValue(25);
    dlg.footer->setText("Footer");
    dlg.SaveClicked();
    dlg.marginLeft->setValue(1);
    dlg.footer->setText("other");
    dlg.LoadClicked();
    loaded = dlg.marginLeft->value() == 25 && dlg.footer->text() == "Footer";
    return static_cast<int>(QDialog::Accepted);
  };
  RunPrintSettingsDialog(grid, services);
  EXPECT_TRUE(loaded);
  EXPECT_TRUE(services.messages.empty());
  EXPECT_EQ(grid.PrintSettings().MarginLeft, 25);
  TGridPrintSettings fromFile;
  InitPrintSettings(fromFile);
  ASSERT_TRUE(LoadPrintSettings(fromFile, name));
  EXPECT_EQ(fromFile.FooterText, "Footer");
}

TEST(PrintSettingsDialog, LoadingAFileWithoutSettingsComplains) {
  FakeWindowServices services;
  QTemporaryDir dir;
  QFile f(dir.filePath("junk.ini"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("[OTHER]\nx=1\n");
  f.close();
  QWidget window;
  window.setWindowTitle("Zelko Orvane 1.11");
  TTextGrid grid(&window);
  TPrintSettingsDialog dlg(grid, &grid, services);
  const std::string junk = FromQString(dir.filePath("junk.ini"));
  services.fileAnswers = {junk};
  dlg.marginLeft->setValue(9);
  dlg.LoadClicked();
  EXPECT_EQ(services.messages, std::vector<std::string>{"No print settings found in " + junk});
  EXPECT_EQ(services.titles, std::vector<std::string>{"Zelko Orvane 1.11"});
  EXPECT_EQ(dlg.marginLeft->value(), 9);
}

TEST(PrintLayout, RowsAreSplitAcrossPagesWithTheHeaderRepeated) {
  TTextGrid grid;
  FillGrid(grid, 200);
  TGridPrintSettings ps;
  InitPrintSettings(ps);
  const QRectF a4(0, 0, 794, 1123);  // A4 at 96 dpi
  TPrintLayoutT lay = LayoutPrintPages(grid, ps, a4, 96);
  ASSERT_GT(lay.Pages.size(), 3u);
  int32_t next = 1;
  for (const TPrintPageT& p : lay.Pages) {
    EXPECT_EQ(p.FirstRow, next);
    EXPECT_TRUE(p.WithFixedRows);
    const double used = (p.LastRow - p.FirstRow + 2) * lay.RowHeight * lay.Scale;
    EXPECT_LE(used, lay.Table.height() + 0.01);
    next = p.LastRow + 1;
  }
  EXPECT_EQ(next, 201);

  ps.RepeatHeaderRow = false;
  lay = LayoutPrintPages(grid, ps, a4, 96);
  EXPECT_TRUE(lay.Pages[0].WithFixedRows);
  EXPECT_FALSE(lay.Pages[1].WithFixedRows);
}

TEST(PrintLayout, WideGridsFitOrSpreadOverColumnPages) {
  TTextGrid grid;
  FillGrid(grid, 5, 500);
  TGridPrintSettings ps;
  InitPrintSettings(ps);
  const QRectF a4(0, 0, 794, 1123);
  TPrintLayoutT lay = LayoutPrintPages(grid, ps, a4, 96);
  ASSERT_EQ(lay.Pages.size(), 1u);
  EXPECT_LT(lay.Scale, 1.0);
  EXPECT_NEAR(3 * 501 * lay.Scale, lay.Table.width(), 0.01);

  ps.FitToPageWidth = false;
  lay = LayoutPrintPages(grid, ps, a4, 96);
  ASSERT_EQ(lay.Pages.size(), 2u);
  EXPECT_EQ(lay.Pages[0].FirstCol, 1);
  EXPECT_EQ(lay.Pages[1].FirstCol, 2);
  EXPECT_TRUE(lay.Pages[1].WithFixedCols);
  ps.RepeatFixedCols = false;
  lay = LayoutPrintPages(grid, ps, a4, 96);
  EXPECT_FALSE(lay.Pages[1].WithFixedCols);
}

TEST(PrintLayout, DegenerateGridsAndMarginsStillGiveOnePage) {
  TTextGrid grid;
  grid.SetColCount(1);
  grid.SetRowCount(1);
  TGridPrintSettings ps;
  InitPrintSettings(ps);
  ps.MarginLeft = ps.MarginRight = ps.MarginTop = ps.MarginBottom = 100;
  const TPrintLayoutT lay = LayoutPrintPages(grid, ps, QRectF(0, 0, 200, 200), 96);
  ASSERT_EQ(lay.Pages.size(), 1u);
  QImage img(200, 200, QImage::Format_RGB32);
  QPainter p(&img);
  PaintPrintPage(p, grid, ps, lay, 0);
  PaintPrintPage(p, grid, ps, lay, 5);  // beyond the last page: nothing
}

TEST(PrintLayout, PageTextsAndPaintedCells) {
  TGridPrintSettings ps;
  InitPrintSettings(ps);
  ps.Title = "T[page]";
  EXPECT_EQ(ExpandPrintText("[title] - Page [page] of [pages]", ps, 2, 5), "T[page] - Page 2 of 5");

  TTextGrid grid;
  FillGrid(grid, 3);
  grid.SetFixedColor(0x0000FF);
  ps.MarginLeft = ps.MarginTop = 10;
  ps.HeaderText.clear();
  const TPrintLayoutT lay = LayoutPrintPages(grid, ps, QRectF(0, 0, 794, 1123), 96);
  QImage img(794, 1123, QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter p(&img);
  PaintPrintPage(p, grid, ps, lay, 0);
  p.end();
  // The fixed header cell sits at the top-left of the table area.
  const QPoint inHeader(static_cast<int>(lay.Table.left()) + 50, static_cast<int>(lay.Table.top()) + 3);
  EXPECT_EQ(img.pixelColor(inHeader), QColor(255, 0, 0));
}

TEST(PrintSettingsDialog, PreviewPaintsTheGridPages) {
  FakeWindowServices services;
  TTextGrid grid;
  FillGrid(grid, 150);
  TPrintSettingsDialog dlg(grid, nullptr, services);
  int pages = -1;
  services.onExec = [&](QDialog& d) {
    auto* preview = d.findChild<QPrintPreviewWidget*>();
    if (preview) {
      preview->updatePreview();
      pages = preview->pageCount();
    }
    return 0;
  };
  dlg.Preview();
  EXPECT_GT(pages, 1);
}

namespace {

// "Grüße €" as UTF-8 and as Windows-1252 bytes.
const std::string kUtf8Greeting = "Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC";
const std::string kAnsiGreeting = "Gr\xFC\xDF" "e \x80";

QByteArray FileBytes(const QString& name) {
  QFile f(name);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteBytes(const QString& name, const std::string& bytes) {
  QFile f(name);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

TEST(PrintSettingsDialog, SettingsFilesAreWrittenInUtf8AndReadInEither) {
  FakeWindowServices services;
  QTemporaryDir dir;
  TTextGrid grid;
  TPrintSettingsDialog dlg(grid, nullptr, services);
  dlg.show();
  dlg.header->clear();
  TypeText(dlg.header, QString::fromUtf8(kUtf8Greeting));
  services.fileAnswers = {FromQString(dir.filePath("saved.ini"))};
  QTest::mouseClick(dlg.saveButton, Qt::LeftButton);
  const QByteArray saved = FileBytes(dir.filePath("saved.ini"));
  EXPECT_TRUE(saved.contains(QByteArray::fromStdString("\r\nHeaderText=" + kUtf8Greeting + "\r\n")));
  EXPECT_FALSE(saved.contains(QByteArray::fromStdString(kAnsiGreeting)));

  // A file an editor saved in UTF-8 (with or without a byte-order mark), and
  // an old one in Windows-1252, read alike.
  WriteBytes(dir.filePath("utf8.ini"), "\xEF\xBB\xBF[PRINTSETTINGS]\r\nTitle=" + kUtf8Greeting + "\r\n");
  WriteBytes(dir.filePath("ansi.ini"), "[PRINTSETTINGS]\r\nTitle=" + kAnsiGreeting + "\r\n");
  for (const char* name : {"utf8.ini", "ansi.ini"}) {
    dlg.title->clear();
    services.fileAnswers = {FromQString(dir.filePath(name))};
    QTest::mouseClick(dlg.loadButton, Qt::LeftButton);
    EXPECT_EQ(dlg.title->text(), QString::fromUtf8(kUtf8Greeting)) << name;
  }
  EXPECT_TRUE(services.messages.empty());
}

}  // namespace

namespace {

TEST(PrintLayout, FitToWidthFillsThePageAndTheMarkedDayIsFramed) {
  // A calendar's shape: eight narrow columns, the 15th marked.
  TTextGrid grid;
  grid.SetColCount(8);
  grid.SetRowCount(7);
  grid.SetFixedRows(1);
  grid.SetFixedCols(1);
  for (int32_t c = 0; c < 8; ++c) grid.SetColWidth(c, 20);
  grid.SetCell(4, 3, "15");
  grid.SetMarkedCell(4, 3);
  grid.SetSelectionColor(0xFF0000);  // blue
  TGridPrintSettings ps;
  InitPrintSettings(ps);
  const QRectF a4(0, 0, 794, 1123);
  const TPrintLayoutT lay = LayoutPrintPages(grid, ps, a4, 96);
  ASSERT_EQ(lay.Pages.size(), 1u);
  EXPECT_NEAR(8 * 21 * lay.ColScale, lay.Table.width(), 0.01);
  // Wider columns do not blow the text up.
  EXPECT_DOUBLE_EQ(lay.Scale, 1.0);

  QImage img(794, 1123, QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter p(&img);
  PaintPrintPage(p, grid, ps, lay, 0);
  p.end();
  const double colWidth = 21 * lay.ColScale;
  const auto framePixel = [&](int32_t col, int32_t row) {
    // Just inside the cell's left edge, halfway down, where the frame runs.
    return img.pixelColor(static_cast<int>(lay.Table.left() + col * colWidth + 2),
                          static_cast<int>(lay.Table.top() + (row + 0.5) * lay.RowHeight));
  };
  EXPECT_EQ(framePixel(4, 3), QColor(0, 0, 255));
  EXPECT_NE(framePixel(5, 3), QColor(0, 0, 255));
  EXPECT_NE(framePixel(4, 2), QColor(0, 0, 255));

  ps.FitToPageWidth = false;
  EXPECT_DOUBLE_EQ(LayoutPrintPages(grid, ps, a4, 96).ColScale, 1.0);
}

TEST(PrintSettingsDialog, LoadedValuesOutOfRangeAreNamedOnce) {
  FakeWindowServices services;
  QTemporaryDir dir;
  TTextGrid grid;
  TPrintSettingsDialog dlg(grid, nullptr, services);
  dlg.show();
  WriteBytes(dir.filePath("wide.ini"), "[PRINTSETTINGS]\r\nMarginLeft=500\r\nMarginTop=12\r\nFontSize=2\r\n");
  WriteBytes(dir.filePath("fine.ini"), "[PRINTSETTINGS]\r\nMarginLeft=20\r\n");
  services.fileAnswers = {FromQString(dir.filePath("wide.ini")), FromQString(dir.filePath("fine.ini"))};
  QTest::mouseClick(dlg.loadButton, Qt::LeftButton);
  EXPECT_EQ(dlg.marginLeft->value(), 100);
  EXPECT_EQ(dlg.marginTop->value(), 12);
  EXPECT_EQ(dlg.fontSize->value(), 4);
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0], FromQString("Some values in " + dir.filePath("wide.ini") +
                                              " were out of range and have been changed:\n"
                                              "Left margin: 500 mm \u2192 100 mm\n"
                                              "Size: 2 pt \u2192 4 pt"));
  // A file within the ranges loads without a word.
  QTest::mouseClick(dlg.loadButton, Qt::LeftButton);
  EXPECT_EQ(dlg.marginLeft->value(), 20);
  EXPECT_EQ(services.messages.size(), 1u);
}

}  // namespace
