#pragma once
// A grid on paper: the pages it takes, how each page is painted, and printing
// on a printer or into a PDF file. It reads the grid through the grid's
// public interface only.
#include <QRectF>
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

#include "window/grid/PrintSettings.h"

class QFontMetricsF;
class QPainter;
class QPrinter;
class TTextGrid;

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
  double Scale;        // device pixels per grid pixel: row heights and text
  double ColScale;     // device pixels per grid pixel across the columns
  double RowHeight;    // grid pixels
  double TextPixels;   // grid pixels of the table font
  double HeaderHeight; // device pixels
  double FooterHeight;
  std::vector<TPrintPageT> Pages;
};

// Splits the grid into pages for a paper rectangle in device pixels at dpi.
// "Fit to page width" widens or narrows the columns to the table's width;
// text and rows shrink with narrowed columns but do not grow with wider ones.
TPrintLayoutT LayoutPrintPages(const TTextGrid& grid, const TGridPrintSettings& ps, const QRectF& paper,
                               double dpi);
// Header / footer text with [page], [pages], [date] and [title] filled in.
std::string ExpandPrintText(const std::string& text, const TGridPrintSettings& ps, int32_t page, int32_t pages);
// The longest of a caption and its shorter forms (longest first) that fits
// room; when none fits, the shortest cut with an ellipsis.
QString FitCaption(const QFontMetricsF& metrics, const QString& caption, const std::vector<std::string>& forms,
                   double room);
// Paints page (0-based) of the layout; the painter's origin is the paper's.
// Header captions take the form that fits the printed column; the grid's
// marked cell is printed bold and framed.
void PaintPrintPage(QPainter& p, const TTextGrid& grid, const TGridPrintSettings& ps, const TPrintLayoutT& layout,
                    int32_t page);
// Prints the pages of the printer's page range; the caller sets the
// orientation. A PDF file is written whole or not at all. False when the
// printer cannot be started or the file not written (reason: the system's,
// empty for a printer).
bool PrintGrid(const TTextGrid& grid, const TGridPrintSettings& ps, QPrinter& printer, std::string& reason);
