#pragma once
// The grid's print settings dialog: edits the settings, previews the pages,
// prints them, and saves and loads the settings as a file.
#include <QDialog>
#include <filesystem>
#include <string>
#include <vector>

#include "window/grid/GridPrint.h"
#include "window/grid/PrintSettings.h"
#include "window/grid/TextGrid.h"
#include "window/services/WindowServices.h"

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

class TPrintSettingsDialog : public QDialog {
  Q_OBJECT
 public:
  // Its file choices, messages and preview run through the dialogs; a null
  // parent is the grid's window.
  TPrintSettingsDialog(TTextGrid& grid, QWidget* parent, TDialogs& services);

  // The settings as the controls show them / controls from settings.
  TGridPrintSettings ControlsToSettings() const;
  void SettingsToControls(const TGridPrintSettings& ps);
  const TGridPrintSettings& OldSettings() const { return old_; }
  // What "[title]" stands for while the title is left empty (the calendar's
  // month and year); shown greyed in the empty title field.
  void SetDefaultTitle(const std::string& title);
  // The settings a print or preview uses: the controls' with the title filled in.
  TGridPrintSettings JobSettings() const;

  // Button actions; false when no file was chosen or the file failed.
  bool SaveToFile(const std::filesystem::path& file, std::string& reason);
  bool LoadFromFile(const std::filesystem::path& file, std::vector<TPrintChangeT>& changed);
  void Preview();
  // Qt's print dialog (through the services), then the pages on the chosen
  // printer or file; the dialog then closes, keeping the settings as OK
  // does. False when cancelled or failed (the failure is shown).
  bool Print();
  void SaveClicked();
  // Loads a file; values out of range are brought into it, and one message
  // says which.
  void LoadClicked();

  QComboBox* orientation;
  QSpinBox* marginLeft;
  QSpinBox* marginTop;
  QSpinBox* marginRight;
  QSpinBox* marginBottom;
  QLineEdit* title;
  QLineEdit* header;
  QLineEdit* footer;
  QFontComboBox* fontName;
  QCheckBox* gridFont;  // print with the grid's own font
  QSpinBox* fontSize;
  QCheckBox* bold;
  QCheckBox* italic;
  QCheckBox* fitWidth;
  QCheckBox* gridLines;
  QCheckBox* repeatHeader;
  QCheckBox* repeatFixedCols;
  QCheckBox* bands;
  QCheckBox* centered;
  QPushButton* printButton;
  QPushButton* previewButton;
  QPushButton* saveButton;
  QPushButton* loadButton;

 private:
  QString ChangeText(const TPrintChangeT& change) const;
  TTextGrid& grid_;
  TGridPrintSettings old_;
  TDialogs& services_;
  std::string defaultTitle_;
};

// Runs the dialog for the grid: OK (or printing) keeps the edited settings,
// Cancel restores the previous ones. Returns true when they are kept.
bool RunPrintSettingsDialog(TTextGrid& grid, TDialogs& services);
// The same with what "[title]" stands for while the title is empty.
bool RunPrintSettingsDialog(TTextGrid& grid, TDialogs& services, const std::string& defaultTitle);
