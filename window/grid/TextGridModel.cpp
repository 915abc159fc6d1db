#include "window/grid/TextGridModel.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "window/components/GPanel.h"
#include "window/components/QtText.h"
#include "window/grid/TextGrid.h"
#include "util/valstr.h"

// ---- the grid's own cells ------------------------------------------------------

std::string TOwnCells::Text(int32_t col, int32_t row) const {
  const auto& r = rows_[static_cast<size_t>(row)];
  return static_cast<size_t>(col) < r.size() ? r[static_cast<size_t>(col)] : std::string();
}

void TOwnCells::SetText(int32_t col, int32_t row, const std::string& text) {
  auto& r = rows_[static_cast<size_t>(row)];
  if (r.size() <= static_cast<size_t>(col)) r.resize(static_cast<size_t>(col) + 1);
  r[static_cast<size_t>(col)] = text;
}

void TOwnCells::MoveColumn(int32_t from, int32_t to) {
  const auto first = static_cast<size_t>(std::min(from, to));
  for (auto& r : rows_) {
    if (r.size() <= first) continue;  // all empty
    r.resize(static_cast<size_t>(cols_));
    MoveItem(r, from, to);
  }
  // The mark travels with its cells.
  if (markCol_ == from) markCol_ = to;
  else if (from < to && markCol_ > from && markCol_ <= to) --markCol_;
  else if (from > to && markCol_ >= to && markCol_ < from) ++markCol_;
}

void TOwnCells::Resize(int32_t cols, int32_t rows) {
  cols_ = cols;
  rows_.resize(static_cast<size_t>(rows));
  for (auto& r : rows_)
    if (r.size() > static_cast<size_t>(cols)) r.resize(static_cast<size_t>(cols));
  if (markCol_ >= cols || markRow_ >= rows) markCol_ = markRow_ = -1;
}

void TOwnCells::SetMark(int32_t col, int32_t row) {
  markCol_ = col;
  markRow_ = row;
}

// ---- the model -------------------------------------------------------------------

TGridModel::TGridModel(TTextGrid& grid) : QAbstractTableModel(&grid), grid_(grid) {}

int TGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : grid_.RowCount() - grid_.HeaderRows();
}

int TGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : grid_.ColCount();
}

QVariant TGridModel::data(const QModelIndex& i, int role) const {
  if (!i.isValid()) return {};
  return CellData(i.column(), i.row() + grid_.HeaderRows(), role);
}

QVariant TGridModel::headerData(int section, Qt::Orientation o, int role) const {
  if (o == Qt::Vertical) {
    // A row is named by its first fixed cell (a calendar's week), else its number.
    if (role != Qt::DisplayRole) return {};
    const int32_t row = section + grid_.HeaderRows();
    return grid_.FixedCols() > 0 ? QVariant(ToQString(grid_.Cell(0, row))) : QVariant(row);
  }
  if (grid_.HeaderRows() == 0) return {};
  if (role == Qt::ToolTipRole) return ToQString(grid_.Cell(section, 0));  // the caption whole
  return CellData(section, 0, role);
}

Qt::ItemFlags TGridModel::flags(const QModelIndex& i) const {
  if (!i.isValid()) return Qt::NoItemFlags;
  // Fixed cells are never selected.
  return i.column() < grid_.FixedCols() ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

QVariant TGridModel::CellData(int32_t col, int32_t row, int role) const {
  switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
      return ToQString(grid_.Cell(col, row));
    case Qt::TextAlignmentRole:
      switch (grid_.CellAlignment(col, row)) {
        case TCellAlign::Center: return QVariant::fromValue(Qt::Alignment(Qt::AlignHCenter | Qt::AlignVCenter));
        case TCellAlign::Right: return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
        case TCellAlign::Left: break;
      }
      return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    case Qt::AccessibleDescriptionRole: {
      std::string note, htmlClass;
      return grid_.CellNote(col, row, note, htmlClass) ? QVariant(ToQString(note)) : QVariant();
    }
    case Qt::ToolTipRole: {
      // A cell's note says more than its text.
      std::string note, htmlClass;
      if (grid_.CellNote(col, row, note, htmlClass) && !note.empty()) return ToQString(note);
      const QString text = ToQString(grid_.Cell(col, row));
      if (!grid_.ShowCellHints() || text.isEmpty()) return {};
      if (grid_.ShowLargeTextHints() && QFontMetrics(grid_.Font()).horizontalAdvance(text) + 4 <= grid_.ColWidth(col))
        return {};
      return text;
    }
    case Qt::FontRole: {
      if (col != grid_.MarkedCol() || row != grid_.MarkedRow()) return {};
      QFont bold = grid_.Font();
      bold.setBold(true);
      return bold;
    }
    case Qt::BackgroundRole: {
      uint32_t color = 0;
      if (col < grid_.FixedCols() || row < grid_.FixedRows()) return ToQColor(grid_.FixedColor());
      return grid_.CellBackground(col, row, color) ? QVariant(ToQColor(color)) : QVariant();
    }
    case Qt::ForegroundRole: {
      uint32_t color = 0;
      return grid_.CellFontColor(col, row, color) ? QVariant(ToQColor(color)) : QVariant();
    }
    default:
      return {};
  }
}

void TGridModel::ChangeCount(Qt::Orientation o, int32_t oldN, int32_t newN, const std::function<void()>& change) {
  const bool cols = o == Qt::Horizontal;
  if (newN > oldN) cols ? beginInsertColumns({}, oldN, newN - 1) : beginInsertRows({}, oldN, newN - 1);
  if (newN < oldN) cols ? beginRemoveColumns({}, newN, oldN - 1) : beginRemoveRows({}, newN, oldN - 1);
  change();
  if (newN > oldN) cols ? endInsertColumns() : endInsertRows();
  if (newN < oldN) cols ? endRemoveColumns() : endRemoveRows();
}

void TGridModel::ChangeHeaderRow(bool shown, const std::function<void()>& change) {
  shown ? beginRemoveRows({}, 0, 0) : beginInsertRows({}, 0, 0);
  change();
  shown ? endRemoveRows() : endInsertRows();
  AllChanged();
}

void TGridModel::CellChanged(int32_t col, int32_t row) {
  const int32_t hr = grid_.HeaderRows();
  if (row < hr) {
    emit headerDataChanged(Qt::Horizontal, col, col);
    return;
  }
  const QModelIndex i = index(row - hr, col);
  emit dataChanged(i, i);
}

void TGridModel::AllChanged() {
  if (grid_.ColCount() > 0) emit headerDataChanged(Qt::Horizontal, 0, grid_.ColCount() - 1);
  if (rowCount() > 0 && columnCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

// ---- the delegate ------------------------------------------------------------------

TGridDelegate::TGridDelegate(const TTextGrid& grid, QObject* parent) : QStyledItemDelegate(parent), grid_(grid) {}

namespace {
const QStyle& StyleOf(const QWidget* w) { return w ? *w->style() : *QApplication::style(); }
}  // namespace

// The section holds the cell and, right and below it, the grid line.
void TGridDelegate::paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& i) const {
  // The main view's fixed cells lie under the frozen view.
  if (option.widget == &grid_ && i.column() < grid_.FixedCols()) return;
  QStyleOptionViewItem opt = option;
  initStyleOption(&opt, i);
  const int32_t lw = grid_.GridLineWidth();
  const QRect cell = option.rect.adjusted(0, 0, -lw, -lw);
  const int32_t col = i.column(), row = i.row() + grid_.HeaderRows();
  const bool marked = col == grid_.MarkedCol() && row == grid_.MarkedRow();
  PaintItem(*p, opt, cell, marked ? kMarkedTextInset : kCellTextInset);

  const bool selected = (opt.state & QStyle::State_Selected) != 0;
  if (marked) {
    // Framed in the highlight colour; on a selected cell in its text colour.
    QPen pen(opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Highlight), 2);
    pen.setJoinStyle(Qt::MiterJoin);
    p->save();
    p->setPen(pen);
    p->setBrush(Qt::NoBrush);
    p->drawRect(QRectF(cell).adjusted(1, 1, -1, -1));
    p->restore();
  }
  const QBrush background = selected                                       ? opt.palette.highlight()
                            : opt.backgroundBrush.style() != Qt::NoBrush ? opt.backgroundBrush
                                                                          : opt.palette.base();
  PaintLines(*p, cell, col < grid_.FixedCols() || row < grid_.FixedRows(), background);
}

// The style paints the panel (background, selection), the text and the focus
// frame as the options say; the text keeps the grid's inset from the edges.
void TGridDelegate::PaintItem(QPainter& p, QStyleOptionViewItem& opt, const QRect& cell, int32_t inset) const {
  const QStyle& style = StyleOf(opt.widget);
  opt.rect = cell;
  style.drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, &p, opt.widget);
  const bool selected = (opt.state & QStyle::State_Selected) != 0;
  p.save();
  p.setFont(opt.font);
  style.drawItemText(&p, cell.adjusted(inset, 0, -inset, 0), static_cast<int>(opt.displayAlignment), opt.palette, true,
                     opt.text, selected ? QPalette::HighlightedText : QPalette::Text);
  p.restore();
  if (opt.state & QStyle::State_HasFocus) {
    QStyleOptionFocusRect focus;
    focus.QStyleOption::operator=(opt);
    focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_Item;
    focus.backgroundColor = opt.palette.color(selected ? QPalette::Highlight : QPalette::Base);
    style.drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, opt.widget);
  }
}

void TGridDelegate::PaintHeader(QPainter& p, const QRect& rect, int32_t col, const QWidget& header) const {
  if (&header == grid_.horizontalHeader() && col < grid_.FixedCols()) return;
  const QAbstractItemModel* model = grid_.model();
  QStyleOptionViewItem opt;
  opt.initFrom(&header);
  opt.widget = &header;
  opt.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
  const int32_t lw = grid_.GridLineWidth();
  const QRect cell = rect.adjusted(0, 0, -lw, -lw);
  opt.font = grid_.Font();
  opt.text = FittedCaption(col);
  opt.displayAlignment = model->headerData(col, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>();
  opt.backgroundBrush = ToQColor(grid_.FixedColor());
  if (const QVariant fg = model->headerData(col, Qt::Horizontal, Qt::ForegroundRole); fg.isValid())
    opt.palette.setColor(QPalette::Text, fg.value<QColor>());
  PaintItem(p, opt, cell, kCellTextInset);
  PaintLines(p, cell, true, opt.backgroundBrush);
}

QString TGridDelegate::FittedCaption(int32_t col) const {
  std::vector<std::string> forms;
  if (grid_.OnCaptionForms) forms = grid_.OnCaptionForms(&grid_, col);
  if (forms.empty()) forms.push_back(grid_.Cell(col, 0));
  for (const std::string& form : forms)
    if (grid_.CaptionFits(col, form)) return ToQString(form);
  return QFontMetrics(grid_.Font()).elidedText(ToQString(forms.back()), Qt::ElideRight, grid_.CaptionRoom(col));
}

// A line the grid's options switch off takes the cell's background.
void TGridDelegate::PaintLines(QPainter& p, const QRect& cell, bool fixed, const QBrush& background) const {
  const int32_t lw = grid_.GridLineWidth();
  if (lw <= 0) return;
  const QBrush line(ToQColor(grid_.GridLineColor()));
  const TGridOptions o = grid_.Options();
  const bool vert = (o & (fixed ? goFixedVertLine : goVertLine)) != 0;
  const bool horz = (o & (fixed ? goFixedHorzLine : goHorzLine)) != 0;
  p.fillRect(cell.x() + cell.width(), cell.y(), lw, cell.height() + lw, vert ? line : background);
  p.fillRect(cell.x(), cell.y() + cell.height(), cell.width(), lw, horz ? line : background);
}

// ---- the header ---------------------------------------------------------------------

TGridHeader::TGridHeader(const TGridDelegate& delegate, QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent), delegate_(delegate) {
  setSectionsClickable(true);
  setHighlightSections(false);
  setMinimumSectionSize(0);
}

void TGridHeader::paintSection(QPainter* p, const QRect& rect, int col) const {
  delegate_.PaintHeader(*p, rect, col, *this);
}

void TGridHeader::mouseReleaseEvent(QMouseEvent* e) {
  releaseX = static_cast<int>(e->position().x());
  QHeaderView::mouseReleaseEvent(e);
}
