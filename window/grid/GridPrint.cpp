#include "window/grid/GridPrint.h"

#include <QBuffer>
#include <QDate>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <algorithm>
#include <cmath>

#include "util/SaveFile.h"
#include "util/valstr.h"
#include "window/components/QtText.h"
#include "window/grid/TextGrid.h"

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

int Alignment(TCellAlign a) {
  switch (a) {
    case TCellAlign::Center: return Qt::AlignHCenter | Qt::AlignVCenter;
    case TCellAlign::Right: return Qt::AlignRight | Qt::AlignVCenter;
    case TCellAlign::Left: break;
  }
  return Qt::AlignLeft | Qt::AlignVCenter;
}

void PaintBands(QPainter& p, const TGridPrintSettings& ps, const TPrintLayoutT& lay, int32_t page, int32_t pages) {
  QFont font = p.font();
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(ps.FontSize * lay.Dpi / 72.0))));
  p.save();
  p.setFont(font);
  p.setPen(Qt::black);
  if (lay.HeaderHeight > 0)
    p.drawText(QRectF(lay.Content.left(), lay.Content.top(), lay.Content.width(), lay.HeaderHeight),
               Qt::AlignHCenter | Qt::AlignTop, ToQString(ExpandPrintText(ps.HeaderText, ps, page + 1, pages)));
  if (lay.FooterHeight > 0)
    p.drawText(QRectF(lay.Content.left(), lay.Content.bottom() - lay.FooterHeight, lay.Content.width(),
                      lay.FooterHeight),
               Qt::AlignHCenter | Qt::AlignBottom, ToQString(ExpandPrintText(ps.FooterText, ps, page + 1, pages)));
  p.restore();
}

// Pages first..last (1-based, clamped to the layout) onto a paged device
// whose painting origin is the paper's corner.
bool PaintPages(const TTextGrid& grid, const TGridPrintSettings& ps, QPagedPaintDevice& device, double dpi,
                int32_t first, int32_t last) {
  const QRectF paper = device.pageLayout().fullRectPixels(static_cast<int>(dpi));
  const TPrintLayoutT lay = LayoutPrintPages(grid, ps, QRectF(0, 0, paper.width(), paper.height()), dpi);
  const int32_t count = static_cast<int32_t>(lay.Pages.size());
  first = std::clamp(first, 1, count);
  last = last <= 0 ? count : std::clamp(last, first, count);
  QPainter p;
  if (!p.begin(&device)) return false;
  for (int32_t page = first; page <= last; ++page) {
    if (page > first) device.newPage();
    PaintPrintPage(p, grid, ps, lay, page - 1);
  }
  return p.end();
}

}  // namespace

std::string ExpandPrintText(const std::string& text, const TGridPrintSettings& ps, int32_t page, int32_t pages) {
  std::string s = text;
  // Title last, so a title holding "[page]" is not expanded again.
  ReplaceAllIn(s, "[page]", std::to_string(page));
  ReplaceAllIn(s, "[pages]", std::to_string(pages));
  ReplaceAllIn(s, "[date]", FromQString(QDate::currentDate().toString("dd.MM.yyyy")));
  ReplaceAllIn(s, "[title]", ps.Title);
  return s;
}

QString FitCaption(const QFontMetricsF& metrics, const QString& caption, const std::vector<std::string>& forms,
                   double room) {
  QString shown = caption;
  if (metrics.horizontalAdvance(shown) <= room) return shown;
  for (const std::string& form : forms) {
    shown = ToQString(form);
    if (metrics.horizontalAdvance(shown) <= room) return shown;
  }
  return metrics.elidedText(shown, Qt::ElideRight, room);
}

TPrintLayoutT LayoutPrintPages(const TTextGrid& grid, const TGridPrintSettings& settings, const QRectF& paper,
                               double dpi) {
  TGridPrintSettings ps = settings;
  NormalizePrintSettings(ps);
  TPrintLayoutT lay{};
  lay.Dpi = dpi > 0 ? dpi : 96.0;
  lay.Paper = paper;
  const double mm = lay.Dpi / 25.4;
  QRectF c = paper.adjusted(ps.MarginLeft * mm, ps.MarginTop * mm, -ps.MarginRight * mm, -ps.MarginBottom * mm);
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
  // Rows follow the printed font, not the grid's rows on the screen.
  lay.TextPixels = ps.FontSize * 96.0 / 72.0;
  lay.RowHeight = lay.TextPixels * 1.75;

  const int32_t fixedCols = grid.FixedCols(), fixedRows = grid.FixedRows();
  const int32_t cols = grid.ColCount(), rows = grid.RowCount();
  double fixedW = 0, totalW = 0;
  for (int32_t i = 0; i < cols; ++i) {
    totalW += ColSpan(grid, i);
    if (i < fixedCols) fixedW += ColSpan(grid, i);
  }
  lay.Scale = lay.Dpi / 96.0;
  lay.ColScale = lay.Scale;
  if (ps.FitToPageWidth && totalW > 0) {
    lay.ColScale = lay.Table.width() / totalW;
    lay.Scale = std::min(lay.Scale, lay.ColScale);
  }

  // Column bands across the page.
  struct Band {
    int32_t first, last;
    bool fixed;
  };
  std::vector<Band> colBands;
  const double availW = lay.Table.width() / lay.ColScale;
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
    for (const Band& b : colBands) lay.Pages.push_back({row, last, b.first, b.last, withFixed, b.fixed});
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
  p.setFont(TableFont(grid, ps));
  PaintBands(p, ps, lay, page, static_cast<int32_t>(lay.Pages.size()));

  std::vector<int32_t> cols, rows;
  if (pg.WithFixedCols)
    for (int32_t c = 0; c < grid.FixedCols(); ++c) cols.push_back(c);
  for (int32_t c = pg.FirstCol; c <= pg.LastCol; ++c) cols.push_back(c);
  if (pg.WithFixedRows)
    for (int32_t r = 0; r < grid.FixedRows(); ++r) rows.push_back(r);
  for (int32_t r = pg.FirstRow; r <= pg.LastRow; ++r) rows.push_back(r);

  double width = 0;
  for (int32_t c : cols) width += ColSpan(grid, c) * lay.ColScale;
  double x0 = lay.Table.left();
  if (ps.Centered) x0 += std::max(0.0, (lay.Table.width() - width) / 2);

  // Device pixels throughout, so that wider columns do not stretch the text.
  QFont cellFont = TableFont(grid, ps);
  cellFont.setPixelSize(std::max(1, static_cast<int>(std::lround(lay.TextPixels * lay.Scale))));
  QFont markFont = cellFont;
  markFont.setBold(true);
  const QFontMetricsF captionMetrics(cellFont, p.device());
  const double rowHeight = lay.RowHeight * lay.Scale;
  const double inset = 2 * lay.Scale;
  p.save();
  QPen linePen(PrintColor(grid.GridLineColor()), std::max(1.0, lay.Scale * grid.GridLineWidth()));
  QPen markPen(PrintColor(grid.SelectionColor()), 2 * lay.Scale);
  markPen.setJoinStyle(Qt::MiterJoin);
  double y = lay.Table.top();
  for (int32_t r : rows) {
    double x = x0;
    for (int32_t c : cols) {
      const QRectF cell(x, y, ColSpan(grid, c) * lay.ColScale, rowHeight);
      x += cell.width();
      const bool fixed = r < grid.FixedRows() || c < grid.FixedCols();
      const bool marked = r == grid.MarkedRow() && c == grid.MarkedCol();
      QColor bg = Qt::white;
      uint32_t colour = 0;
      if (fixed) bg = PrintColor(grid.FixedColor());
      else if (ps.PrintBands && grid.CellBackground(c, r, colour)) bg = PrintColor(colour);
      p.fillRect(cell, bg);
      if (ps.PrintGridLines) {
        p.setPen(linePen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(cell);
      }
      const QRectF inner = cell.adjusted(marked ? 2 * inset : inset, 0, marked ? -2 * inset : -inset, 0);
      QString text = ToQString(grid.Cell(c, r));
      if (r == 0 && fixed && !text.isEmpty())
        text = FitCaption(captionMetrics, text, grid.OnCaptionForms ? grid.OnCaptionForms(&grid, c)
                                                                   : std::vector<std::string>{},
                          inner.width());
      if (!text.isEmpty()) {
        uint32_t fg = grid.FontColor();
        grid.CellFontColor(c, r, fg);
        p.setPen(PrintColor(fg));
        p.setFont(marked ? markFont : cellFont);
        p.save();
        p.setClipRect(cell);
        p.drawText(inner, Alignment(grid.CellAlignment(c, r)), text);
        p.restore();
      }
      if (marked) {
        p.setPen(markPen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(cell.adjusted(inset, inset, -inset, -inset));
      }
    }
    y += rowHeight;
  }
  p.restore();
}

bool PrintGrid(const TTextGrid& grid, const TGridPrintSettings& ps, QPrinter& printer, std::string& reason) {
  reason.clear();
  const bool range = printer.printRange() == QPrinter::PageRange;
  const int32_t first = range ? printer.fromPage() : 1;
  const int32_t last = range ? printer.toPage() : 0;
  const double dpi = printer.resolution();
  if (printer.outputFormat() != QPrinter::PdfFormat || printer.outputFileName().isEmpty()) {
    printer.setFullPage(true);
    return PaintPages(grid, ps, printer, dpi, first, last);
  }
  // A PDF file is made in memory and written by the program's one file writer.
  QBuffer pdfBytes;
  pdfBytes.open(QIODevice::WriteOnly);
  {
    QPdfWriter pdf(&pdfBytes);
    QPageLayout page = printer.pageLayout();
    page.setMinimumMargins(QMarginsF());
    page.setMargins(QMarginsF());
    pdf.setPageLayout(page);
    pdf.setResolution(static_cast<int>(dpi));
    pdf.setTitle(printer.docName());
    pdf.setCreator(printer.creator());
    if (!PaintPages(grid, ps, pdf, dpi, first, last)) return false;
  }
  const QByteArray& bytes = pdfBytes.data();
  return SaveWholeFile(PathFromQString(printer.outputFileName()),
                       std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), reason);
}
