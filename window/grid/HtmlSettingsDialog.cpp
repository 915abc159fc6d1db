#include "window/grid/HtmlSettingsDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>
#include <utility>

#include "window/components/QtText.h"

namespace {

QSpinBox* AddSpin(QGridLayout* grid, int row, const QString& caption, int maximum) {
  auto* spin = new QSpinBox;
  spin->setRange(0, maximum);
  auto* label = new QLabel(caption);
  label->setBuddy(spin);
  grid->addWidget(label, row, 0);
  grid->addWidget(spin, row, 1);
  return spin;
}

QLineEdit* AddEdit(QGridLayout* grid, int row, const QString& caption) {
  auto* edit = new QLineEdit;
  auto* label = new QLabel(caption);
  label->setBuddy(edit);
  grid->addWidget(label, row, 0);
  grid->addWidget(edit, row, 1);
  return edit;
}

}  // namespace

HtmlDialogError::HtmlDialogError() : std::runtime_error("The dialog does not have a grid component.") {}

THtmlSettingsDialog::THtmlSettingsDialog(THTMLSettings& settings, HtmlGridSourceT source, QWidget* parent,
                                         uint8_t options, const TWindowServices& services)
    : QDialog(parent), settings_(settings), source_(std::move(source)), services_(services) {
  setWindowTitle(tr("HTML Settings"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);

  generalGroup = new QGroupBox(tr("General:"));
  auto* general = new QGridLayout(generalGroup);
  borderSpin = AddSpin(general, 0, tr("&Border Size:"), 10);
  spacingSpin = AddSpin(general, 1, tr("Ce&ll Spacing:"), 10);
  paddingSpin = AddSpin(general, 2, tr("Cell &Padding:"), 10);
  widthSpin = AddSpin(general, 3, tr("Table &Width (in percent):"), 100);

  cellsGroup = new QGroupBox(tr("Cells:"));
  auto* cells = new QVBoxLayout(cellsGroup);
  colorsCheck = new QCheckBox(tr("Use Table's &Colors"));
  fontsCheck = new QCheckBox(tr("Use Table's &Fonts"));
  cells->addWidget(colorsCheck);
  cells->addWidget(fontsCheck);
  cells->addStretch();

  tagsGroup = new QGroupBox(tr("Tags:"));
  auto* tags = new QGridLayout(tagsGroup);
  prefixEdit = AddEdit(tags, 0, tr("&Prefix Tags:"));
  suffixEdit = AddEdit(tags, 1, tr("&Suffix Tags:"));
  styleEdit = AddEdit(tags, 2, tr("Table St&yle Tags::"));

  filesGroup = new QGroupBox(tr("Files:"));
  auto* files = new QGridLayout(filesGroup);
  headerEdit = AddEdit(files, 0, tr("&Header:"));
  footerEdit = AddEdit(files, 1, tr("F&ooter:"));
  headerButton = new QPushButton(QStringLiteral(". . ."));
  footerButton = new QPushButton(QStringLiteral(". . ."));
  files->addWidget(headerButton, 0, 2);
  files->addWidget(footerButton, 1, 2);
  connect(headerButton, &QPushButton::clicked, this, [this] { BrowseHeader(); });
  connect(footerButton, &QPushButton::clicked, this, [this] { BrowseFooter(); });

  okButton = new QPushButton(tr("OK"));
  cancelButton = new QPushButton(tr("Cancel"));
  previewButton = new QPushButton(tr("Preview"));
  okButton->setDefault(true);
  connect(okButton, &QPushButton::clicked, this, [this] {
    ControlsToSettings(settings_);
    done(kHtmlResultOk);
  });
  connect(cancelButton, &QPushButton::clicked, this, [this] { done(kHtmlResultCancel); });
  connect(previewButton, &QPushButton::clicked, this, [this] { Preview(); });
  saveAsButton = new QPushButton(tr("Save as\u2026"));
  connect(saveAsButton, &QPushButton::clicked, this, [this] { SaveAs(); });

  auto* top = new QHBoxLayout;
  top->addWidget(generalGroup);
  top->addWidget(cellsGroup);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(previewButton);
  buttons->addWidget(saveAsButton);
  buttons->addStretch();
  buttons->addWidget(okButton);
  buttons->addWidget(cancelButton);
  savedLabel = new QLabel;
  savedLabel->setObjectName("savedLabel");
  savedLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
  savedLabel->hide();
  auto* main = new QVBoxLayout(this);
  main->addLayout(top);
  main->addWidget(tagsGroup);
  main->addWidget(filesGroup);
  main->addWidget(savedLabel);
  main->addLayout(buttons);
  main->setSizeConstraint(QLayout::SetFixedSize);

  generalGroup->setEnabled((options & kHtmlGeneral) != 0);
  cellsGroup->setEnabled((options & kHtmlCells) != 0);
  tagsGroup->setEnabled((options & kHtmlTags) != 0);
  filesGroup->setEnabled((options & kHtmlFiles) != 0);

  SettingsToControls(settings_);

  adjustSize();
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect area = screen->availableGeometry();
    move(area.center() - rect().center());
  }
}

void THtmlSettingsDialog::SettingsToControls(const THTMLSettings& s) {
  prefixEdit->setText(ToQString(s.PrefixTag));
  suffixEdit->setText(ToQString(s.SuffixTag));
  styleEdit->setText(ToQString(s.TableStyle));
  headerEdit->setText(ToQString(s.HeaderFile));
  footerEdit->setText(ToQString(s.FooterFile));
  borderSpin->setValue(s.BorderSize);
  spacingSpin->setValue(s.CellSpacing);
  paddingSpin->setValue(s.CellPadding);
  widthSpin->setValue(s.Width);
  colorsCheck->setChecked(s.SaveColor);
  fontsCheck->setChecked(s.SaveFonts);
}

void THtmlSettingsDialog::ControlsToSettings(THTMLSettings& s) const {
  s.PrefixTag = FromQString(prefixEdit->text());
  s.SuffixTag = FromQString(suffixEdit->text());
  s.TableStyle = FromQString(styleEdit->text());
  s.HeaderFile = FromQString(headerEdit->text());
  s.FooterFile = FromQString(footerEdit->text());
  s.BorderSize = borderSpin->value();
  s.CellSpacing = spacingSpin->value();
  s.CellPadding = paddingSpin->value();
  s.Width = widthSpin->value();
  s.SaveColor = colorsCheck->isChecked();
  s.SaveFonts = fontsCheck->isChecked();
}

void THtmlSettingsDialog::Browse(QLineEdit* edit) {
  FileAskT ask;
  ask.filter = FromQString(tr("HTML Files (*.htm *.html);;All Files (*)"));
  ask.current = FromQString(edit->text());
  ask.defaultSuffix = "htm";
  const std::string chosen = services_.dialogs.AskOpenFileName(this, ask);
  if (!chosen.empty()) edit->setText(ToQString(chosen));
}

void THtmlSettingsDialog::BrowseHeader() { Browse(headerEdit); }

void THtmlSettingsDialog::BrowseFooter() { Browse(footerEdit); }

void THtmlSettingsDialog::Preview() {
  ControlsToSettings(settings_);
  WriteShowingErrors([this] { PreviewHtml(source_ ? source_() : HtmlGridDataT{}, settings_, services_.desktop); });
}

void THtmlSettingsDialog::SaveAs() {
  ControlsToSettings(settings_);
  FileAskT ask;
  ask.caption = FromQString(tr("Save grid as Html"));
  ask.filter = FromQString(tr("HTML Files (*.htm *.html);;All Files (*)"));
  ask.defaultSuffix = "htm";
  const std::string chosen = services_.dialogs.AskSaveFileName(this, ask);
  if (chosen.empty()) return;
  const std::string name = WithDefaultExtension(chosen, ".htm");
  const std::filesystem::path file = PathFromQString(ToQString(name));
  if (!WriteShowingErrors([this, &file] { WriteHtmlFile(source_ ? source_() : HtmlGridDataT{}, settings_, file); }))
    return;
  // Long names are shortened in the middle so that the dialog keeps its width.
  const QString saved = tr("Saved as %1").arg(PathToQString(file));
  const int room = std::max(generalGroup->width() + cellsGroup->width(), 200);
  savedLabel->setText(savedLabel->fontMetrics().elidedText(saved, Qt::ElideMiddle, room));
  savedLabel->setToolTip(saved);
  savedLabel->show();
}

bool THtmlSettingsDialog::WriteShowingErrors(const std::function<void()>& write) {
  try {
    write();
    return true;
  } catch (const HtmlFileError& e) {
    // The dialog stays open.
    services_.dialogs.ShowError(this, MessageTitle(this),
                                FromQString(tr("Cannot Create file %1: %2")
                                                .arg(PathToQString(e.file()), QString::fromStdString(e.reason()))));
  } catch (const PreviewOpenError& e) {
    services_.dialogs.ShowError(this, MessageTitle(this),
                                FromQString(tr("Cannot open %1").arg(PathToQString(e.file()))));
  } catch (const std::exception& e) {
    services_.dialogs.ShowError(this, MessageTitle(this), e.what());
  }
  return false;
}

void THtmlSettingsDialog::reject() { done(kHtmlResultCancel); }

int RunHtmlSettingsDialog(THTMLSettings* settings, HtmlGridSourceT source, QWidget* parent, uint8_t options,
                          const TWindowServices& services) {
  if (settings == nullptr || !source) throw HtmlDialogError();
  THtmlSettingsDialog dialog(*settings, std::move(source), parent, options, services);
  return services.dialogs.ExecDialog(dialog);
}
