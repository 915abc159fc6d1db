#pragma once
// The "HTML Settings" dialog: edits a grid's THTMLSettings and previews the
// grid as HTML. It sees the grid only through its settings record and a
// callback that hands out the grid's cells, so it needs no grid class.
#include <QDialog>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

#include "window/services/WindowServices.h"
#include "grid/htmlwriter.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

using HtmlGridSourceT = std::function<HtmlGridDataT()>;

// Option bits: which groups of the dialog are enabled.
enum : uint8_t {
  kHtmlGeneral = 1,
  kHtmlCells = 2,
  kHtmlTags = 4,
  kHtmlFiles = 8,
  kHtmlAllGroups = 15,
};

// Modal results.
enum : int { kHtmlResultOk = 1, kHtmlResultCancel = 2 };

// Raised when the dialog is run without a grid.
class HtmlDialogError : public std::runtime_error {
 public:
  HtmlDialogError();
};

class THtmlSettingsDialog : public QDialog {
  Q_OBJECT
 public:
  // File choices and messages run through the services' dialogs, the
  // preview through their desktop.
  THtmlSettingsDialog(THTMLSettings& settings, HtmlGridSourceT source, QWidget* parent, uint8_t options,
                      const TWindowServices& services);

  void SettingsToControls(const THTMLSettings& s);
  // Control values into s; what the dialog does not show (column widths,
  // XHTML) stays as it is.
  void ControlsToSettings(THTMLSettings& s) const;

  void BrowseHeader();
  void BrowseFooter();
  // Stores the controls into the grid's settings, writes the preview file and
  // has the shell open it; errors are shown and the dialog stays open.
  void Preview();
  // Asks for a file name (".htm" added when it has no extension) and writes
  // the grid there as the preview is written; the dialog then names the file
  // written, errors are shown.
  void SaveAs();

  QGroupBox* generalGroup;
  QGroupBox* cellsGroup;
  QGroupBox* tagsGroup;
  QGroupBox* filesGroup;
  QLineEdit* prefixEdit;
  QLineEdit* suffixEdit;
  QLineEdit* styleEdit;
  QLineEdit* headerEdit;
  QLineEdit* footerEdit;
  QPushButton* headerButton;
  QPushButton* footerButton;
  QSpinBox* borderSpin;
  QSpinBox* spacingSpin;
  QSpinBox* paddingSpin;
  QSpinBox* widthSpin;
  QCheckBox* colorsCheck;
  QCheckBox* fontsCheck;
  QPushButton* okButton;
  QPushButton* cancelButton;
  QPushButton* previewButton;
  QPushButton* saveAsButton;
  QLabel* savedLabel;  // where "Save as" wrote the page; the whole name as its tooltip

 public slots:
  void reject() override;

 private:
  void Browse(QLineEdit* edit);
  // Runs a file write; a failure is shown and the dialog stays open. False
  // on a failure.
  bool WriteShowingErrors(const std::function<void()>& write);
  THTMLSettings& settings_;
  HtmlGridSourceT source_;
  TWindowServices services_;
};

// Opens the dialog for a grid, runs it modally and discards it. OK stores the
// controls into settings, Cancel leaves them. Without a grid source it raises
// HtmlDialogError. Returns the modal result.
int RunHtmlSettingsDialog(THTMLSettings* settings, HtmlGridSourceT source, QWidget* parent, uint8_t options,
                          const TWindowServices& services);
