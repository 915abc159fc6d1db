#pragma once
// TTextGrid: a string grid on Qt's table view. Row 0 is the header, whose
// sections the user sizes and moves; the fixed columns are a second view over
// the same model and selection, laid over the left edge. The texts come from
// a cell source (TextGridModel.h): the grid's own cells, or a table bound to
// the grid. Cells are addressed (column, row) from 0 in the order they are
// shown: the grid never keeps a column order apart from its cells.
#include <QFont>
#include <QTableView>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "window/grid/PrintSettings.h"
#include "grid/htmlwriter.h"

class QMenu;
class TGridCells;

// Options, as bits of TGridOptions.
enum : uint32_t {
  goFixedVertLine = 1u << 0,
  goFixedHorzLine = 1u << 1,
  goVertLine = 1u << 2,
  goHorzLine = 1u << 3,
  goRangeSelect = 1u << 4,
  goColSizing = 1u << 7,
  goColMoving = 1u << 9,
  goRowSelect = 1u << 12,
};
using TGridOptions = uint32_t;
constexpr TGridOptions kDefaultGridOptions =
    goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;

enum class TScrollStyle : uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };

// Colours are 0x00BBGGRR; system colours (valstr.h) are resolved when painted.
struct TGridBands {
  bool Active;
  uint32_t PrimaryColor;
  uint32_t SecondaryColor;
};

// Cells align as the HTML writer writes them.
using TCellAlign = HtmlAlignT;

struct TGridRect {
  int32_t Left;
  int32_t Top;
  int32_t Right;
  int32_t Bottom;
};

class TTextGrid : public QTableView {
  Q_OBJECT
 public:
  explicit TTextGrid(QWidget* parent = nullptr);
  ~TTextGrid() override;

  // ---- cells ----
  // Reads outside the grid give ""; writes outside it do nothing.
  std::string Cell(int32_t col, int32_t row) const;
  void SetCell(int32_t col, int32_t row, const std::string& text);
  // The source the texts and the mark come from; the grid does not own it.
  // nullptr goes back to the grid's own cells.
  void SetCellSource(TGridCells* cells);
  TGridCells* CellSource() const;  // nullptr while the own cells are shown
  // The source's texts or mark changed: the grid shows them anew.
  void CellsChanged();

  // ---- dimensions ----
  int32_t ColCount() const;
  void SetColCount(int32_t n);  // 1..100000; fixed columns shrink to fit
  int32_t RowCount() const;
  void SetRowCount(int32_t n);  // 1..10000000; fixed rows shrink to fit
  int32_t FixedCols() const;
  void SetFixedCols(int32_t n);  // 0..ColCount-1
  int32_t FixedRows() const;
  // 0..RowCount-1. Row 0 of a grid with fixed rows is the header, which stays
  // on top; further fixed rows are painted as fixed but scroll.
  void SetFixedRows(int32_t n);
  int32_t HeaderRows() const;  // grid rows shown by the header: 0 or 1

  void SetDefaultColWidth(int32_t w);  // new columns take this width
  int32_t ColWidth(int32_t col) const;  // -1 outside the grid
  void SetColWidth(int32_t col, int32_t w);  // w below 0 counts as 0
  int32_t DefaultRowHeight() const;
  void SetDefaultRowHeight(int32_t h);  // every row has this height, >= 1
  int32_t GridLineWidth() const;
  void SetGridLineWidth(int32_t w);  // 0..10

  // Client area: the cell area without frame and scroll bars, known before
  // the grid is first shown.
  int32_t ClientWidth() const;
  int32_t ClientHeight() const;
  // Fully visible scrolled rows below the header.
  int32_t VisibleRowCount() const;

  int32_t TopRow() const;
  void SetTopRow(int32_t row);  // clamped to the rows below the header
  int32_t LeftCol() const;
  void SetLeftCol(int32_t col);  // clamped to FixedCols..ColCount-1

  TScrollStyle ScrollBars() const;
  void SetScrollBars(TScrollStyle s);
  TGridOptions Options() const;
  void SetOptions(TGridOptions o);

  // ---- look ----
  QFont Font() const;
  void SetFont(const QFont& f);  // also the font of the fixed cells
  std::string FontName() const;
  void SetFontName(const std::string& name);
  // Height as the classic font height: negative = character pixel height.
  int32_t FontHeight() const;
  void SetFontHeight(int32_t h);
  uint32_t FontColor() const;
  void SetFontColor(uint32_t c);
  uint32_t Color() const;  // background of the scrolled cells
  void SetColor(uint32_t c);
  uint32_t FixedColor() const;
  void SetFixedColor(uint32_t c);
  uint32_t GridLineColor() const;
  void SetGridLineColor(uint32_t c);
  uint32_t SelectionColor() const;  // also the marked cell's frame, on paper too
  void SetSelectionColor(uint32_t c);
  const TGridBands& Bands() const;
  void SetBands(const TGridBands& b);
  bool BandsActive() const;
  void SetBandsActive(bool on);
  void SetBandPrimaryColor(uint32_t c);
  void SetBandSecondaryColor(uint32_t c);
  // Colour a scrolled cell of this row is painted with (bands or Color).
  uint32_t RowColor(int32_t row) const;
  void SetDefaultDrawing(bool /*on*/) {}  // kept for the owner; the grid always paints

  // Settings of the drag and hint behaviour.
  bool RowColMoving() const;  // drag moving works only with this and goColMoving
  void SetRowColMoving(bool on);
  bool ShowCellHints() const;
  void SetShowCellHints(bool on);
  bool ShowLargeTextHints() const;  // hint only for texts wider than the cell
  void SetShowLargeTextHints(bool on);
  bool SyncScroll() const;  // scroll while the thumb is dragged
  void SetSyncScroll(bool on);

  // ---- cell attributes (painting, printing and the HTML writer) ----
  // Alignment per column; fixed cells and scrolled cells alike.
  TCellAlign CellAlignment(int32_t col, int32_t row) const;
  void SetColAlignment(int32_t col, TCellAlign a);
  // Background given to a cell by the cell colouring: the band colour of its
  // row when bands are active, or what OnGetCellColor answers. False = none.
  bool CellBackground(int32_t col, int32_t row, uint32_t& color) const;
  // Font colour given by OnGetCellColor; false = the grid's font colour.
  bool CellFontColor(int32_t col, int32_t row, uint32_t& color) const;
  // The note OnCellNote gives a cell (its tooltip and description) and its
  // class in HTML; false when it gives neither.
  bool CellNote(int32_t col, int32_t row, std::string& note, std::string& htmlClass) const;
  // Cells are never merged: every cell is its own range.

  // ---- marked cell ----
  // One cell drawn bold and framed in the highlight colour, whatever the
  // selection does; it moves with its cells when a column is moved. A cell
  // outside the grid takes the mark away.
  void SetMarkedCell(int32_t col, int32_t row);
  int32_t MarkedCol() const;  // -1 when no cell is marked
  int32_t MarkedRow() const;

  // ---- popup menu ----
  // Shown on a right click. The grid does not own it unless it is its parent.
  QMenu* PopupMenu() const;
  void SetPopupMenu(QMenu* menu);

  // ---- selection ----
  TGridRect Selection() const;
  void SetSelection(const TGridRect& r);
  void SelectCell(int32_t col, int32_t row);
  // Moves the selection to (ColCount, RowCount), outside the cells; the
  // previous selection stays remembered for RestoreSelection.
  void HideSelection();
  void RestoreSelection();
  bool SelectionHidden() const;

  // ---- structure changes ----
  // Moves the column's cells and width from one index to another (as a drag
  // does), without raising OnColumnMoved. Fixed columns never move.
  bool MoveColumn(int32_t from, int32_t to);
  // Row at a point of the widget, -1 outside the cells.
  int32_t RowAtY(int32_t y) const;
  // Left edge and top edge of a cell in widget coordinates, -1 when hidden.
  int32_t ColumnLeft(int32_t col) const;
  int32_t RowTop(int32_t row) const;

  // The caption text the header shows for a column at its present width.
  std::string ShownCaption(int32_t col) const;
  // Pixels a caption may take in the column's header cell, and whether a
  // text fits them.
  int32_t CaptionRoom(int32_t col) const;
  bool CaptionFits(int32_t col, const std::string& text) const;

  // ---- print settings ----
  TGridPrintSettings& PrintSettings();
  const TGridPrintSettings& PrintSettings() const;

  // ---- HTML export ----
  // The grid's HTML settings (defaults of InitHtmlSettings, width 100).
  THTMLSettings& HtmlSettings();
  const THTMLSettings& HtmlSettings() const;
  // The cells as the HTML writer takes them: texts, alignment, colouring and
  // font styles; never any merged ranges.
  HtmlGridDataT HtmlData() const;

  // ---- events ----
  std::function<void(TTextGrid* sender, int32_t from, int32_t to)> OnColumnMoved;
  std::function<void(TTextGrid* sender, int32_t row, int32_t col)> OnDblClickCell;
  std::function<void(TTextGrid* sender, int32_t row, int32_t col)> OnClickCell;
  std::function<void(TTextGrid* sender)> OnTopLeftChanged;
  // The forms a column's caption may take, longest first: the header shows
  // the first that fits its column (the last cut with an ellipsis when none
  // does), the whole caption as its tooltip. Without forms the header shows
  // the caption itself.
  std::function<std::vector<std::string>(const TTextGrid* sender, int32_t col)> OnCaptionForms;
  // Optional cell colouring: set background and/or font colour, return true
  // when a background was set (font colour set with hasFont).
  std::function<bool(const TTextGrid* sender, int32_t col, int32_t row,
                     uint32_t& background, uint32_t& fontColor, bool& hasFont)>
      OnGetCellColor;
  // Optional note of a cell: the tooltip, what screen readers read as the
  // cell's description, and its title in HTML, with a class for style
  // sheets there. Returns false for a cell without either.
  std::function<bool(const TTextGrid* sender, int32_t col, int32_t row, std::string& note, std::string& htmlClass)>
      OnCellNote;

 protected:
  void resizeEvent(QResizeEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;
  bool event(QEvent* e) override;
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

 private:
  struct Impl;
  Impl* d;
  bool Valid(int32_t col, int32_t row) const;
  QSize ClientSize() const;
  int32_t FixedWidth() const;  // pixels of the fixed columns
  void SectionMoved(int section, int from, int shownAt);
  void ScrollChanged();
  bool Allows(Qt::Orientation bar) const;  // the scroll bar setting lets the bar show
  void ApplyLook();
  void UpdateFrozen();
  void CountsChanged();
  void DoubleClicked(const QModelIndex& i);
  bool MovingAllowed() const;
};
