#pragma once
// The grid's print settings dialog and the page layout it prints and previews.
#include <QDialog>
#include <QRectF>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "window/grid/PrintSettings.h"
#include "window/grid/TextGrid.h"
#include "window/services/WindowServices.h"

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QLineEdit;
class QPainter;
class QPrinter;
class QSpinBox;

// One printed page: the scrolled rows and columns it shows; fixed rows and
// columns are added as the settings ask.
struct TPrintPageT {
  int32_t FirstRow;
  int32_t LastRow;
  int32_t FirstCol;
  int32_t LastCol;
  bool WithFixedRows;
  bool WithFixedCols;
};

struct TPrintLayoutT {
  QRectF Paper;        // whole page, device pixels
  QRectF Content;      // inside the margins
  QRectF Table;        // room left for the table
  double Dpi;
  double Scale;        // device pixels per grid pixel
  double RowHeight;    // grid pixels
  double TextPixels;   // grid pixels of the table font
  double HeaderHeight; // device pixels
  double FooterHeight;
  std::vector<TPrintPageT> Pages;
};

// Splits the grid into pages for a paper rectangle in device pixels at dpi.
TPrintLayoutT LayoutPrintPages(const TTextGrid& grid, const TGridPrintSettings& ps,
                               const QRectF& paper, double dpi);
// Header / footer text with [page], [pages], [date] and [title] filled in.
std::string ExpandPrintText(const std::string& text, const TGridPrintSettings& ps, int32_t page,
                            int32_t pages);
// Paints page (0-based) of the layout; the painter's origin is the paper's.
void PaintPrintPage(QPainter& p, const TTextGrid& grid, const TGridPrintSettings& ps,
                    const TPrintLayoutT& layout, int32_t page);
// Prints every page on the printer's page; the caller sets the orientation
// (the preview lets the user change it).
void PrintGrid(const TTextGrid& grid, const TGridPrintSettings& ps, QPrinter& printer);

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

  // Button actions; false when no file was chosen or the file failed.
  bool SaveToFile(const std::filesystem::path& file, std::string& reason);
  bool LoadFromFile(const std::filesystem::path& file);
  void Preview();
  void SaveClicked();
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

 private:
  TTextGrid& grid_;
  TGridPrintSettings old_;
  TDialogs& services_;
};

// Runs the dialog for the grid: OK keeps the edited settings, Cancel restores
// the previous ones. Returns true on OK.
bool RunPrintSettingsDialog(TTextGrid& grid, TDialogs& services);
