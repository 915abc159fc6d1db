#pragma once
// What a TTextGrid shows and how its cells are painted. The texts come from
// a cell source: the grid's own cells, or a table that a binder lays out. The
// model answers Qt's views from the source and the grid's settings; the
// delegate paints cells and header sections with the style.
#include <QAbstractTableModel>
#include <QHeaderView>
#include <QStyledItemDelegate>
#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TTextGrid;

// Pixels between a cell's edges and its text; beside the marked cell's frame
// a wider gap.
constexpr int32_t kCellTextInset = 2;
constexpr int32_t kMarkedTextInset = 4;

// Moves the item at from to to, those between shifting by one, as a dragged
// column moves.
template <typename T>
void MoveItem(std::vector<T>& v, int32_t from, int32_t to) {
  const auto at = [&v](int32_t i) { return v.begin() + i; };
  if (from < to) std::rotate(at(from), at(from) + 1, at(to) + 1);
  else std::rotate(at(to), at(from), at(from) + 1);
}

// The texts of a grid, addressed (column, row) as shown, and its one marked
// cell. The grid checks addresses before it asks.
class TGridCells {
 public:
  virtual ~TGridCells() = default;
  virtual std::string Text(int32_t col, int32_t row) const = 0;
  virtual void SetText(int32_t col, int32_t row, const std::string& text) = 0;
  // A column moved from one place to another as a drag moves it; a source
  // that keeps its own column order leaves this to its owner.
  virtual void MoveColumn(int32_t from, int32_t to) = 0;
  // The grid now has this many columns and rows.
  virtual void Resize(int32_t cols, int32_t rows) = 0;
  // -1, -1 takes the mark away.
  virtual void SetMark(int32_t col, int32_t row) = 0;
  virtual int32_t MarkCol() const = 0;  // -1 when no cell is marked
  virtual int32_t MarkRow() const = 0;
};

// The grid's own cells, for a grid that shows no table.
class TOwnCells : public TGridCells {
 public:
  std::string Text(int32_t col, int32_t row) const override;
  void SetText(int32_t col, int32_t row, const std::string& text) override;
  void MoveColumn(int32_t from, int32_t to) override;
  void Resize(int32_t cols, int32_t rows) override;
  void SetMark(int32_t col, int32_t row) override;
  int32_t MarkCol() const override { return markCol_; }
  int32_t MarkRow() const override { return markRow_; }

 private:
  // [row][col]; a row holds cells only up to its last written column, so
  // large empty grids cost little.
  std::vector<std::vector<std::string>> rows_;
  int32_t cols_ = 0;
  int32_t markCol_ = -1;
  int32_t markRow_ = -1;
};

// The grid's cells as Qt's views read them. Row 0 is the header when the grid
// has fixed rows, answered as header data; model row m is then grid row m + 1.
class TGridModel : public QAbstractTableModel {
 public:
  explicit TGridModel(TTextGrid& grid);
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& i, int role) const override;
  QVariant headerData(int section, Qt::Orientation o, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& i) const override;

  // Columns or rows go from oldN to newN while change runs.
  void ChangeCount(Qt::Orientation o, int32_t oldN, int32_t newN, const std::function<void()>& change);
  // The header row turns into model row 0, or back, while change runs.
  void ChangeHeaderRow(bool shown, const std::function<void()>& change);
  void CellChanged(int32_t col, int32_t row);
  void AllChanged();

 private:
  QVariant CellData(int32_t col, int32_t row, int role) const;
  TTextGrid& grid_;
};

// The style paints each cell's panel, text and focus frame from what
// initStyleOption reads of the model; the delegate adds the grid lines, the
// marked cell's frame, and the header's caption in the longest form that fits.
class TGridDelegate : public QStyledItemDelegate {
 public:
  TGridDelegate(const TTextGrid& grid, QObject* parent);
  void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& i) const override;
  // A header section, painted as a fixed cell of row 0.
  void PaintHeader(QPainter& p, const QRect& rect, int32_t col, const QWidget& header) const;
  // The first of the column's caption forms that fits its header cell; when
  // none does, the last with an ellipsis.
  QString FittedCaption(int32_t col) const;

 private:
  void PaintItem(QPainter& p, QStyleOptionViewItem& opt, const QRect& cell, int32_t inset) const;
  void PaintLines(QPainter& p, const QRect& cell, bool fixed, const QBrush& background) const;
  const TTextGrid& grid_;
};

// A horizontal header whose sections the delegate paints as fixed cells. A
// release keeps its place, so a moved section lands on the column under the
// pointer.
class TGridHeader : public QHeaderView {
 public:
  TGridHeader(const TGridDelegate& delegate, QWidget* parent);
  // As high as the grid makes it, whatever the captions: measuring them would
  // only cost time.
  QSize sizeHint() const override { return {length(), height()}; }
  int releaseX = 0;

 protected:
  void paintSection(QPainter* p, const QRect& rect, int col) const override;
  void mouseReleaseEvent(QMouseEvent* e) override;

 private:
  const TGridDelegate& delegate_;
};
