#include "window/grid/PrintSettingsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "window/components/QtText.h"
#include "util/valstr.h"

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
  printButton = buttons->addButton(tr("Print\u2026"), QDialogButtonBox::ActionRole);
  previewButton = buttons->addButton(tr("Preview"), QDialogButtonBox::ActionRole);
  saveButton = buttons->addButton(tr("Save..."), QDialogButtonBox::ActionRole);
  loadButton = buttons->addButton(tr("Load..."), QDialogButtonBox::ActionRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(printButton, &QPushButton::clicked, this, [this] { Print(); });
  connect(previewButton, &QPushButton::clicked, this, [this] { Preview(); });
  connect(saveButton, &QPushButton::clicked, this, [this] { SaveClicked(); });
  connect(loadButton, &QPushButton::clicked, this, [this] { LoadClicked(); });
  auto* howTo = new QLabel(tr("Print\u2026 prints the grid with these settings; OK keeps them without printing."), this);
  howTo->setWordWrap(true);

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
  top->addWidget(howTo);
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

bool TPrintSettingsDialog::LoadFromFile(const std::filesystem::path& file, std::vector<TPrintChangeT>& changed) {
  TGridPrintSettings ps = ControlsToSettings();
  if (!LoadPrintSettings(ps, file, changed)) return false;
  SettingsToControls(ps);
  return true;
}

void TPrintSettingsDialog::SetDefaultTitle(const std::string& title) {
  defaultTitle_ = title;
  this->title->setPlaceholderText(ToQString(title));
}

TGridPrintSettings TPrintSettingsDialog::JobSettings() const {
  TGridPrintSettings ps = ControlsToSettings();
  if (ps.Title.empty()) ps.Title = defaultTitle_;
  return ps;
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

QString TPrintSettingsDialog::ChangeText(const TPrintChangeT& change) const {
  const auto value = [&](const QSpinBox* spin, int32_t n) { return QString::number(n) + spin->suffix(); };
  const auto line = [](const QString& label, const QString& from, const QString& to) {
    return QString(label).remove(QLatin1Char('&')) + QLatin1Char(' ') + from + QStringLiteral(" \u2192 ") + to;
  };
  switch (change.value) {
    case TPrintValueT::Orientation:
      return line(tr("&Orientation:"), QString::number(change.from), orientation->itemText(change.to));
    case TPrintValueT::MarginLeft:
      return line(tr("&Left margin:"), value(marginLeft, change.from), value(marginLeft, change.to));
    case TPrintValueT::MarginTop:
      return line(tr("&Top margin:"), value(marginTop, change.from), value(marginTop, change.to));
    case TPrintValueT::MarginRight:
      return line(tr("&Right margin:"), value(marginRight, change.from), value(marginRight, change.to));
    case TPrintValueT::MarginBottom:
      return line(tr("&Bottom margin:"), value(marginBottom, change.from), value(marginBottom, change.to));
    case TPrintValueT::FontSize:
      return line(tr("&Size:"), value(fontSize, change.from), value(fontSize, change.to));
  }
  return {};
}

void TPrintSettingsDialog::LoadClicked() {
  const std::string name = services_.AskOpenFileName(this, PrintSettingsFileAsk(tr("Load print settings")));
  if (name.empty()) return;
  std::vector<TPrintChangeT> changed;
  if (!LoadFromFile(PathFromQString(ToQString(name)), changed)) {
    services_.ShowMessage(this, MessageTitle(this),
                          FromQString(tr("No print settings found in %1").arg(ToQString(name))));
    return;
  }
  if (changed.empty()) return;
  QString text = tr("Some values in %1 were out of range and have been changed:").arg(ToQString(name));
  for (const TPrintChangeT& change : changed) text += QLatin1Char('\n') + ChangeText(change);
  services_.ShowMessage(this, MessageTitle(this), FromQString(text));
}

namespace {
QPageLayout::Orientation PageOrientation(const TGridPrintSettings& ps) {
  return ps.Orientation == kPrintLandscape ? QPageLayout::Landscape : QPageLayout::Portrait;
}
}  // namespace

void TPrintSettingsDialog::Preview() {
  const TGridPrintSettings ps = JobSettings();
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(PageOrientation(ps));
  QPrintPreviewDialog dlg(&printer, this);
  connect(&dlg, &QPrintPreviewDialog::paintRequested, this, [this, ps](QPrinter* pr) {
    std::string reason;
    PrintGrid(grid_, ps, *pr, reason);
  });
  services_.ExecDialog(dlg);
}

bool TPrintSettingsDialog::Print() {
  const TGridPrintSettings ps = JobSettings();
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(PageOrientation(ps));
  printer.setDocName(ToQString(ps.Title));
  if (!services_.ChoosePrinter(this, printer)) return false;
  std::string reason;
  if (!PrintGrid(grid_, ps, printer, reason)) {
    const QString target = printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
    services_.ShowError(this, MessageTitle(this),
                        FromQString(reason.empty() ? tr("Cannot print on %1").arg(target)
                                                   : tr("Cannot write %1: %2")
                                                         .arg(target, QString::fromStdString(reason))));
    return false;
  }
  accept();
  return true;
}

bool RunPrintSettingsDialog(TTextGrid& grid, TDialogs& services) {
  return RunPrintSettingsDialog(grid, services, std::string());
}

bool RunPrintSettingsDialog(TTextGrid& grid, TDialogs& services, const std::string& defaultTitle) {
  const TGridPrintSettings old = grid.PrintSettings();
  TPrintSettingsDialog dlg(grid, nullptr, services);
  dlg.SetDefaultTitle(defaultTitle);
  const bool ok = services.ExecDialog(dlg) == QDialog::Accepted;
  grid.PrintSettings() = ok ? dlg.ControlsToSettings() : old;
  return ok;
}

