#include "window/grid/PrintSettingsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "window/components/QtText.h"
#include "util/valstr.h"

namespace {

QColor PrintColor(uint32_t c) {
  const uint32_t rgb = ResolveColor(c);
  return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                static_cast<int>((rgb >> 16) & 0xFF));
}

QFont TableFont(const TTextGrid& grid, const TGridPrintSettings& ps) {
  QFont f = grid.Font();
  if (!ps.FontName.empty()) f.setFamily(ToQString(ps.FontName));
  f.setBold(ps.FontBold);
  f.setItalic(ps.FontItalic);
  return f;
}

double ColSpan(const TTextGrid& grid, int32_t col) {
  return static_cast<double>(std::max(0, grid.ColWidth(col))) + grid.GridLineWidth();
}

void ReplaceAllIn(std::string& s, const std::string& what, const std::string& with) {
  size_t pos = 0;
  while ((pos = s.find(what, pos)) != std::string::npos) {
    s.replace(pos, what.size(), with);
    pos += with.size();
  }
}

}  // namespace

std::string ExpandPrintText(const std::string& text, const TGridPrintSettings& ps, int32_t page,
                            int32_t pages) {
  std::string s = text;
  // Title first, so a title holding "[page]" is not expanded again.
  ReplaceAllIn(s, "[page]", std::to_string(page));
  ReplaceAllIn(s, "[pages]", std::to_string(pages));
  ReplaceAllIn(s, "[date]", FromQString(QDate::currentDate().toString("dd.MM.yyyy")));
  ReplaceAllIn(s, "[title]", ps.Title);
  return s;
}

TPrintLayoutT LayoutPrintPages(const TTextGrid& grid, const TGridPrintSettings& settings,
                               const QRectF& paper, double dpi) {
  TGridPrintSettings ps = settings;
  NormalizePrintSettings(ps);
  TPrintLayoutT lay{};
  lay.Dpi = dpi > 0 ? dpi : 96.0;
  lay.Paper = paper;
  const double mm = lay.Dpi / 25.4;
  QRectF c = paper.adjusted(ps.MarginLeft * mm, ps.MarginTop * mm, -ps.MarginRight * mm,
                            -ps.MarginBottom * mm);
  if (c.width() < 1) c.setWidth(1);
  if (c.height() < 1) c.setHeight(1);
  lay.Content = c;
  const double textDevice = ps.FontSize * lay.Dpi / 72.0;
  lay.HeaderHeight = ps.HeaderText.empty() ? 0 : textDevice * 1.8;
  lay.FooterHeight = ps.FooterText.empty() ? 0 : textDevice * 1.8;
  // Header and footer never take more than half the page between them.
  const double maxBands = c.height() / 4;
  lay.HeaderHeight = std::min(lay.HeaderHeight, maxBands);
  lay.FooterHeight = std::min(lay.FooterHeight, maxBands);
  lay.Table = c.adjusted(0, lay.HeaderHeight, 0, -lay.FooterHeight);
  lay.TextPixels = ps.FontSize * 96.0 / 72.0;
  lay.RowHeight = std::max<double>(grid.DefaultRowHeight(), lay.TextPixels * 1.5);

  const int32_t fixedCols = grid.FixedCols(), fixedRows = grid.FixedRows();
  const int32_t cols = grid.ColCount(), rows = grid.RowCount();
  double fixedW = 0, totalW = 0;
  for (int32_t i = 0; i < cols; ++i) {
    totalW += ColSpan(grid, i);
    if (i < fixedCols) fixedW += ColSpan(grid, i);
  }
  lay.Scale = lay.Dpi / 96.0;
  if (ps.FitToPageWidth && totalW > 0 && totalW * lay.Scale > lay.Table.width())
    lay.Scale = lay.Table.width() / totalW;

  // Column bands across the page.
  struct Band { int32_t first, last; bool fixed; };
  std::vector<Band> colBands;
  const double availW = lay.Table.width() / lay.Scale;
  int32_t col = fixedCols;
  bool firstBand = true;
  do {
    const bool withFixed = firstBand || ps.RepeatFixedCols;
    double used = withFixed ? fixedW : 0;
    const int32_t start = col;
    while (col < cols && (col == start || used + ColSpan(grid, col) <= availW)) {
      used += ColSpan(grid, col);
      ++col;
    }
    colBands.push_back({start, col - 1, withFixed});
    firstBand = false;
  } while (col < cols);

  // Row bands down the pages.
  const double availH = lay.Table.height() / lay.Scale;
  const double fixedH = fixedRows * lay.RowHeight;
  int32_t row = fixedRows;
  firstBand = true;
  do {
    const bool withFixed = firstBand || ps.RepeatHeaderRow;
    const double room = availH - (withFixed ? fixedH : 0);
    const int32_t fit = std::max<int32_t>(1, static_cast<int32_t>(std::floor(room / lay.RowHeight)));
    const int32_t last = static_cast<int32_t>(std::min<int64_t>(rows - 1, int64_t{row} + fit - 1));
    for (const Band& b : colBands)
      lay.Pages.push_back({row, last, b.first, b.last, withFixed, b.fixed});
    row = last + 1;
    firstBand = false;
  } while (row < rows);
  return lay;
}

void PaintPrintPage(QPainter& p, const TTextGrid& grid, const TGridPrintSettings& settings,
                    const TPrintLayoutT& lay, int32_t page) {
  if (page < 0 || page >= static_cast<int32_t>(lay.Pages.size())) return;
  TGridPrintSettings ps = settings;
  NormalizePrintSettings(ps);
  const TPrintPageT& pg = lay.Pages[static_cast<size_t>(page)];
  const int32_t pages = static_cast<int32_t>(lay.Pages.size());

  QFont bandFont = TableFont(grid, ps);
  bandFont.setPixelSize(std::max(1, static_cast<int>(std::lround(ps.FontSize * lay.Dpi / 72.0))));
  p.save();
  p.setFont(bandFont);
  p.setPen(Qt::black);
  if (lay.HeaderHeight > 0)
    p.drawText(QRectF(lay.Content.left(), lay.Content.top(), lay.Content.width(), lay.HeaderHeight),
               Qt::AlignHCenter | Qt::AlignTop,
               ToQString(ExpandPrintText(ps.HeaderText, ps, page + 1, pages)));
  if (lay.FooterHeight > 0)
    p.drawText(QRectF(lay.Content.left(), lay.Content.bottom() - lay.FooterHeight,
                      lay.Content.width(), lay.FooterHeight),
               Qt::AlignHCenter | Qt::AlignBottom,
               ToQString(ExpandPrintText(ps.FooterText, ps, page + 1, pages)));
  p.restore();

  std::vector<int32_t> cols, rows;
  if (pg.WithFixedCols)
    for (int32_t c = 0; c < grid.FixedCols(); ++c) cols.push_back(c);
  for (int32_t c = pg.FirstCol; c <= pg.LastCol; ++c) cols.push_back(c);
  if (pg.WithFixedRows)
    for (int32_t r = 0; r < grid.FixedRows(); ++r) rows.push_back(r);
  for (int32_t r = pg.FirstRow; r <= pg.LastRow; ++r) rows.push_back(r);

  double width = 0;
  for (int32_t c : cols) width += ColSpan(grid, c);
  double left = lay.Table.left();
  if (ps.Centered) left += std::max(0.0, (lay.Table.width() - width * lay.Scale) / 2);

  p.save();
  p.translate(left, lay.Table.top());
  p.scale(lay.Scale, lay.Scale);
  QFont cellFont = TableFont(grid, ps);
  cellFont.setPixelSize(std::max(1, static_cast<int>(std::lround(lay.TextPixels))));
  p.setFont(cellFont);
  QPen linePen(PrintColor(grid.GridLineColor()));
  linePen.setCosmetic(true);
  double y = 0;
  for (int32_t r : rows) {
    double x = 0;
    for (int32_t c : cols) {
      const QRectF cell(x, y, ColSpan(grid, c), lay.RowHeight);
      const bool fixed = r < grid.FixedRows() || c < grid.FixedCols();
      QColor bg = Qt::white;
      uint32_t colour = 0;
      if (fixed) bg = PrintColor(grid.FixedColor());
      else if (ps.PrintBands && grid.CellBackground(c, r, colour)) bg = PrintColor(colour);
      p.fillRect(cell, bg);
      if (ps.PrintGridLines) {
        p.setPen(linePen);
        p.drawRect(cell);
      }
      const std::string text = grid.Cell(c, r);
      if (!text.empty()) {
        int flags = Qt::AlignVCenter;
        switch (grid.CellAlignment(c, r)) {
          case TCellAlign::Left: flags |= Qt::AlignLeft; break;
          case TCellAlign::Center: flags |= Qt::AlignHCenter; break;
          case TCellAlign::Right: flags |= Qt::AlignRight; break;
        }
        uint32_t fg = grid.FontColor();
        grid.CellFontColor(c, r, fg);
        p.setPen(PrintColor(fg));
        const QRectF inner = cell.adjusted(2, 0, -2, 0);
        p.save();
        p.setClipRect(cell);
        p.drawText(inner, flags, ToQString(text));
        p.restore();
      }
      x += ColSpan(grid, c);
    }
    y += lay.RowHeight;
  }
  p.restore();
}

void PrintGrid(const TTextGrid& grid, const TGridPrintSettings& ps, QPrinter& printer) {
  printer.setFullPage(true);
  const double dpi = printer.resolution();
  const QRectF paper = printer.pageLayout().fullRectPixels(printer.resolution());
  const TPrintLayoutT lay = LayoutPrintPages(grid, ps, QRectF(0, 0, paper.width(), paper.height()), dpi);
  QPainter p;
  if (!p.begin(&printer)) return;
  for (int32_t i = 0; i < static_cast<int32_t>(lay.Pages.size()); ++i) {
    if (i > 0) printer.newPage();
    PaintPrintPage(p, grid, ps, lay, i);
  }
  p.end();
}

// ---- dialog -------------------------------------------------------------------

TPrintSettingsDialog::TPrintSettingsDialog(TTextGrid& grid, QWidget* parent, TDialogs& services)
    : QDialog(parent ? parent : grid.window()), grid_(grid), old_(grid.PrintSettings()), services_(services) {
  setWindowTitle(tr("Print Settings"));
  auto* page = new QGroupBox(tr("Page"), this);
  auto* pageForm = new QFormLayout(page);
  orientation = new QComboBox(page);
  orientation->addItems({tr("Portrait"), tr("Landscape")});
  pageForm->addRow(tr("&Orientation:"), orientation);
  auto margin = [&](const QString& label) {
    auto* s = new QSpinBox(page);
    s->setRange(0, 100);
    s->setSuffix(" mm");
    pageForm->addRow(label, s);
    return s;
  };
  marginLeft = margin(tr("&Left margin:"));
  marginTop = margin(tr("&Top margin:"));
  marginRight = margin(tr("&Right margin:"));
  marginBottom = margin(tr("&Bottom margin:"));

  auto* texts = new QGroupBox(tr("Texts"), this);
  auto* textForm = new QFormLayout(texts);
  title = new QLineEdit(texts);
  header = new QLineEdit(texts);
  footer = new QLineEdit(texts);
  textForm->addRow(tr("T&itle:"), title);
  textForm->addRow(tr("&Header:"), header);
  textForm->addRow(tr("&Footer:"), footer);
  textForm->addRow(new QLabel(tr("[page], [pages], [date] and [title] are filled in."), texts));

  auto* font = new QGroupBox(tr("Font"), this);
  auto* fontForm = new QFormLayout(font);
  gridFont = new QCheckBox(tr("Use the grid's font"), font);
  fontName = new QFontComboBox(font);
  fontSize = new QSpinBox(font);
  fontSize->setRange(4, 72);
  fontSize->setSuffix(" pt");
  bold = new QCheckBox(tr("Bold"), font);
  italic = new QCheckBox(tr("Italic"), font);
  fontForm->addRow(gridFont);
  fontForm->addRow(tr("Fo&nt:"), fontName);
  fontForm->addRow(tr("&Size:"), fontSize);
  auto* styleRow = new QHBoxLayout;
  styleRow->addWidget(bold);
  styleRow->addWidget(italic);
  fontForm->addRow(styleRow);
  connect(gridFont, &QCheckBox::toggled, fontName, &QWidget::setDisabled);

  auto* options = new QGroupBox(tr("Options"), this);
  auto* optBox = new QVBoxLayout(options);
  fitWidth = new QCheckBox(tr("Fit to page &width"), options);
  gridLines = new QCheckBox(tr("Print &grid lines"), options);
  repeatHeader = new QCheckBox(tr("Repeat &header row on every page"), options);
  repeatFixedCols = new QCheckBox(tr("Repeat fi&xed columns"), options);
  bands = new QCheckBox(tr("Print row b&ands"), options);
  centered = new QCheckBox(tr("&Centre on page"), options);
  for (QCheckBox* b : {fitWidth, gridLines, repeatHeader, repeatFixedCols, bands, centered})
    optBox->addWidget(b);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  QPushButton* preview = buttons->addButton(tr("Preview"), QDialogButtonBox::ActionRole);
  QPushButton* save = buttons->addButton(tr("Save..."), QDialogButtonBox::ActionRole);
  QPushButton* load = buttons->addButton(tr("Load..."), QDialogButtonBox::ActionRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(preview, &QPushButton::clicked, this, [this] { Preview(); });
  connect(save, &QPushButton::clicked, this, [this] { SaveClicked(); });
  connect(load, &QPushButton::clicked, this, [this] { LoadClicked(); });

  auto* grid2 = new QHBoxLayout;
  auto* leftCol = new QVBoxLayout;
  leftCol->addWidget(page);
  leftCol->addWidget(options);
  auto* rightCol = new QVBoxLayout;
  rightCol->addWidget(texts);
  rightCol->addWidget(font);
  rightCol->addStretch();
  grid2->addLayout(leftCol);
  grid2->addLayout(rightCol);
  auto* top = new QVBoxLayout(this);
  top->addLayout(grid2);
  top->addWidget(buttons);
  SettingsToControls(old_);
}

TGridPrintSettings TPrintSettingsDialog::ControlsToSettings() const {
  TGridPrintSettings ps = old_;
  ps.Orientation = orientation->currentIndex() == 1 ? kPrintLandscape : kPrintPortrait;
  ps.MarginLeft = marginLeft->value();
  ps.MarginTop = marginTop->value();
  ps.MarginRight = marginRight->value();
  ps.MarginBottom = marginBottom->value();
  ps.Title = FromQString(title->text());
  ps.HeaderText = FromQString(header->text());
  ps.FooterText = FromQString(footer->text());
  ps.FontName = gridFont->isChecked() ? std::string() : FromQString(fontName->currentFont().family());
  ps.FontSize = fontSize->value();
  ps.FontBold = bold->isChecked();
  ps.FontItalic = italic->isChecked();
  ps.FitToPageWidth = fitWidth->isChecked();
  ps.PrintGridLines = gridLines->isChecked();
  ps.RepeatHeaderRow = repeatHeader->isChecked();
  ps.RepeatFixedCols = repeatFixedCols->isChecked();
  ps.PrintBands = bands->isChecked();
  ps.Centered = centered->isChecked();
  return ps;
}

void TPrintSettingsDialog::SettingsToControls(const TGridPrintSettings& settings) {
  TGridPrintSettings ps = settings;
  NormalizePrintSettings(ps);
  orientation->setCurrentIndex(ps.Orientation == kPrintLandscape ? 1 : 0);
  marginLeft->setValue(ps.MarginLeft);
  marginTop->setValue(ps.MarginTop);
  marginRight->setValue(ps.MarginRight);
  marginBottom->setValue(ps.MarginBottom);
  title->setText(ToQString(ps.Title));
  header->setText(ToQString(ps.HeaderText));
  footer->setText(ToQString(ps.FooterText));
  gridFont->setChecked(ps.FontName.empty());
  fontName->setDisabled(ps.FontName.empty());
  fontName->setCurrentFont(QFont(ToQString(ps.FontName.empty() ? grid_.FontName() : ps.FontName)));
  fontSize->setValue(ps.FontSize);
  bold->setChecked(ps.FontBold);
  italic->setChecked(ps.FontItalic);
  fitWidth->setChecked(ps.FitToPageWidth);
  gridLines->setChecked(ps.PrintGridLines);
  repeatHeader->setChecked(ps.RepeatHeaderRow);
  repeatFixedCols->setChecked(ps.RepeatFixedCols);
  bands->setChecked(ps.PrintBands);
  centered->setChecked(ps.Centered);
}

bool TPrintSettingsDialog::SaveToFile(const std::filesystem::path& file, std::string& reason) {
  return SavePrintSettings(ControlsToSettings(), file, reason);
}

bool TPrintSettingsDialog::LoadFromFile(const std::filesystem::path& file) {
  TGridPrintSettings ps = ControlsToSettings();
  if (!LoadPrintSettings(ps, file)) return false;
  SettingsToControls(ps);
  return true;
}

namespace {
FileAskT PrintSettingsFileAsk(const QString& caption) {
  FileAskT ask;
  ask.caption = FromQString(caption);
  ask.filter = FromQString(TPrintSettingsDialog::tr("Print settings (*.ini);;All files (*)"));
  return ask;
}
}  // namespace

void TPrintSettingsDialog::SaveClicked() {
  const std::string chosen = services_.AskSaveFileName(this, PrintSettingsFileAsk(tr("Save print settings")));
  const std::string name = chosen.empty() ? chosen : WithDefaultExtension(chosen, ".ini");
  std::string reason;
  if (!name.empty() && !SaveToFile(PathFromQString(ToQString(name)), reason))
    services_.ShowMessage(this, MessageTitle(this),
                          FromQString(tr("Cannot write %1: %2").arg(ToQString(name), QString::fromStdString(reason))));
}

void TPrintSettingsDialog::LoadClicked() {
  const std::string name = services_.AskOpenFileName(this, PrintSettingsFileAsk(tr("Load print settings")));
  if (!name.empty() && !LoadFromFile(PathFromQString(ToQString(name))))
    services_.ShowMessage(this, MessageTitle(this),
                          FromQString(tr("No print settings found in %1").arg(ToQString(name))));
}

void TPrintSettingsDialog::Preview() {
  const TGridPrintSettings ps = ControlsToSettings();
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(ps.Orientation == kPrintLandscape ? QPageLayout::Landscape
                                                               : QPageLayout::Portrait);
  QPrintPreviewDialog dlg(&printer, this);
  connect(&dlg, &QPrintPreviewDialog::paintRequested, this,
          [this, ps](QPrinter* pr) { PrintGrid(grid_, ps, *pr); });
  services_.ExecDialog(dlg);
}

bool RunPrintSettingsDialog(TTextGrid& grid, TDialogs& services) {
  const TGridPrintSettings old = grid.PrintSettings();
  TPrintSettingsDialog dlg(grid, nullptr, services);
  const bool ok = services.ExecDialog(dlg) == QDialog::Accepted;
  grid.PrintSettings() = ok ? dlg.ControlsToSettings() : old;
  return ok;
}
