#include "window/grid/TextGrid.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <algorithm>
#include <cmath>

#include "window/components/QtText.h"
#include "util/valstr.h"

namespace {

QColor ToQColor(uint32_t c) {
  const uint32_t rgb = ResolveColor(c);
  return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                static_cast<int>((rgb >> 16) & 0xFF));
}

constexpr int32_t kDragStart = 4;  // movement before a header press becomes a drag
constexpr int32_t kMaxRows = 10000000;
constexpr int32_t kMaxCols = 100000;

}  // namespace

struct TTextGrid::Impl {
  int32_t colCount = 5;
  int32_t rowCount = 5;
  int32_t fixedCols = 1;
  int32_t fixedRows = 1;
  // [row][col]; a row holds cells only up to its last written column, so
  // large empty grids cost little.
  std::vector<std::vector<std::string>> cells;
  std::vector<int32_t> colWidths;
  std::vector<TCellAlign> colAlign;
  int32_t defaultColWidth = 64;
  int32_t defaultRowHeight = 24;
  int32_t lineWidth = 1;
  int32_t topRow = 1;
  int32_t leftCol = 1;
  TScrollStyle scrollBars = TScrollStyle::ssBoth;
  TGridOptions options = kDefaultGridOptions;
  QFont font;
  uint32_t fontColor = clWindowText;
  uint32_t color = clWindow;
  uint32_t fixedColor = clBtnFace;
  uint32_t lineColor = 0xC0C0C0;
  uint32_t selColor = clHighlight;
  TGridBands bands{false, 14810879, 0xFFFFFF};
  bool defaultDrawing = true;
  bool borderSingle = true;
  bool rowColMoving = false;
  bool cellHints = false;
  bool largeTextHints = false;
  bool syncScroll = true;
  bool proportionalScroll = true;
  TScrollStyle positionHints = TScrollStyle::ssNone;
  bool wordWrap = false;
  bool showUrls = false;
  bool fullUrls = false;
  QPointer<QMenu> popup;
  TGridRect savedSel{1, 1, 1, 1};
  bool selHidden = false;
  int32_t markCol = -1;
  int32_t markRow = -1;
  TGridPrintSettings print{};
  THTMLSettings html;
  TGridModel* model = nullptr;
  TGridDelegate* delegate = nullptr;
  TFrozenView* frozen = nullptr;
  bool applying = false;   // the grid itself is sizing sections or scrolling
  bool forwarding = false;  // a mouse event sent to the grid goes to a part
  QPointer<QWidget> mouseGrab;
  int32_t pressCol = -1;
  int32_t pressRow = -1;

  void Resize() {
    cells.resize(static_cast<size_t>(rowCount));
    for (auto& r : cells)
      if (r.size() > static_cast<size_t>(colCount)) r.resize(static_cast<size_t>(colCount));
    colWidths.resize(static_cast<size_t>(colCount), defaultColWidth);
    colAlign.resize(static_cast<size_t>(colCount), TCellAlign::Left);
  }
  const std::string& At(int32_t col, int32_t row) const {
    static const std::string empty;
    const auto& r = cells[static_cast<size_t>(row)];
    return static_cast<size_t>(col) < r.size() ? r[static_cast<size_t>(col)] : empty;
  }
  bool Valid(int32_t col, int32_t row) const {
    return col >= 0 && col < colCount && row >= 0 && row < rowCount;
  }
  int32_t RowStep() const { return defaultRowHeight + lineWidth; }
};

// ---- the model: the grid's cells as Qt's item views read them ----------------
// Row 0 is the header (header data); model row m is grid row m + HeaderRows().

class TGridModel : public QAbstractTableModel {
 public:
  explicit TGridModel(TTextGrid* g) : QAbstractTableModel(g), g_(g) {}

  int rowCount(const QModelIndex& parent = QModelIndex()) const override {
    return parent.isValid() ? 0 : g_->d->rowCount - g_->HeaderRows();
  }
  int columnCount(const QModelIndex& parent = QModelIndex()) const override {
    return parent.isValid() ? 0 : g_->d->colCount;
  }
  QVariant data(const QModelIndex& i, int role) const override {
    if (!i.isValid()) return {};
    return CellData(i.column(), i.row() + g_->HeaderRows(), role);
  }
  QVariant headerData(int section, Qt::Orientation o, int role) const override {
    if (o == Qt::Vertical) {
      // A row is named by its first fixed cell (a calendar's week), else its number.
      if (role != Qt::DisplayRole) return {};
      const int32_t row = section + g_->HeaderRows();
      return g_->d->fixedCols > 0 ? QVariant(ToQString(g_->Cell(0, row))) : QVariant(row);
    }
    if (g_->HeaderRows() == 0) return {};
    if (role == Qt::ToolTipRole) return ToQString(g_->Cell(section, 0));  // the caption whole
    return CellData(section, 0, role);
  }
  Qt::ItemFlags flags(const QModelIndex& i) const override {
    if (!i.isValid()) return Qt::NoItemFlags;
    // Fixed cells are never selected.
    return i.column() < g_->d->fixedCols ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  }

  // Count changes, with model row counts; the storage changes in between.
  void BeginCols(int32_t oldN, int32_t newN) {
    if (newN > oldN) beginInsertColumns({}, oldN, newN - 1);
    if (newN < oldN) beginRemoveColumns({}, newN, oldN - 1);
  }
  void EndCols(int32_t oldN, int32_t newN) {
    if (newN > oldN) endInsertColumns();
    if (newN < oldN) endRemoveColumns();
  }
  void BeginRows(int32_t oldN, int32_t newN) {
    if (newN > oldN) beginInsertRows({}, oldN, newN - 1);
    if (newN < oldN) beginRemoveRows({}, newN, oldN - 1);
  }
  void EndRows(int32_t oldN, int32_t newN) {
    if (newN > oldN) endInsertRows();
    if (newN < oldN) endRemoveRows();
  }
  void BeginReset() { beginResetModel(); }
  void EndReset() { endResetModel(); }
  void CellChanged(int32_t col, int32_t row) {
    const int32_t hr = g_->HeaderRows();
    if (row < hr) {
      emit headerDataChanged(Qt::Horizontal, col, col);
      return;
    }
    const QModelIndex i = index(row - hr, col);
    emit dataChanged(i, i);
  }
  void AllChanged() {
    if (g_->d->colCount > 0) emit headerDataChanged(Qt::Horizontal, 0, g_->d->colCount - 1);
    if (rowCount() > 0 && columnCount() > 0)
      emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
  }

 private:
  QVariant CellData(int32_t col, int32_t row, int role) const {
    switch (role) {
      case Qt::DisplayRole:
      case Qt::AccessibleTextRole:
        return ToQString(g_->Cell(col, row));
      case Qt::TextAlignmentRole: {
        switch (g_->CellAlignment(col, row)) {
          case TCellAlign::Center: return QVariant::fromValue(Qt::Alignment(Qt::AlignHCenter | Qt::AlignVCenter));
          case TCellAlign::Right: return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
          case TCellAlign::Left: break;
        }
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
      }
      case Qt::ToolTipRole: {
        if (!g_->d->cellHints) return {};
        const QString text = ToQString(g_->Cell(col, row));
        if (text.isEmpty()) return {};
        if (g_->d->largeTextHints &&
            QFontMetrics(g_->d->font).horizontalAdvance(text) + 4 <= g_->ColWidth(col))
          return {};
        return text;
      }
      default:
        return {};
    }
  }

  TTextGrid* g_;
};

// ---- the delegate: bands, lines, selection and the marked cell ----------------

class TGridDelegate : public QStyledItemDelegate {
 public:
  TGridDelegate(TTextGrid* g, QObject* parent) : QStyledItemDelegate(parent), g_(g) {}
  void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& i) const override {
    g_->PaintCell(*p, option.rect, i.column(), i.row() + g_->HeaderRows(),
                  (option.state & QStyle::State_Selected) != 0,
                  (option.state & QStyle::State_HasFocus) != 0);
  }

 private:
  TTextGrid* g_;
};

// ---- the header: Qt's sizing and eliding; moving lands on the column under
// the pointer and moves the cells -------------------------------------------------

class TGridHeader : public QHeaderView {
 public:
  TGridHeader(TTextGrid* g, QWidget* parent) : QHeaderView(Qt::Horizontal, parent), g_(g) {
    setSectionsMovable(false);
    setSectionsClickable(false);
    setHighlightSections(false);
    setMinimumSectionSize(0);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setTextElideMode(Qt::ElideRight);
    setAttribute(Qt::WA_NoMousePropagation);
    viewport()->setAttribute(Qt::WA_NoMousePropagation);
  }

 protected:
  void mousePressEvent(QMouseEvent* e) override {
    const int x = static_cast<int>(e->position().x());
    if (e->button() != Qt::LeftButton) return;
    g_->setFocus(Qt::MouseFocusReason);
    if (OnSizingGrip(x)) {
      state_ = State::Sizing;
      QHeaderView::mousePressEvent(e);
      return;
    }
    state_ = State::Pending;
    col_ = logicalIndexAt(x);
    pressX_ = x;
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    const int x = static_cast<int>(e->position().x());
    if (state_ == State::Pending && col_ >= g_->d->fixedCols && g_->MovingAllowed() &&
        std::abs(x - pressX_) >= kDragStart)
      state_ = State::Moving;
    if (state_ == State::Moving) {
      int t = logicalIndexAt(x);
      if (t < 0) t = x < 0 ? g_->d->fixedCols : count() - 1;
      target_ = std::max(t, g_->d->fixedCols);
      viewport()->update();
      return;
    }
    if (state_ != State::Pending) QHeaderView::mouseMoveEvent(e);
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    if (e->button() != Qt::LeftButton) return;
    const State s = state_;
    state_ = State::None;
    if (s == State::Moving) {
      viewport()->update();
      const int32_t from = col_, to = target_;
      if (g_->MoveColumn(from, to) && g_->OnColumnMoved) g_->OnColumnMoved(g_, from, to);
      return;
    }
    if (s == State::Pending) {
      if (col_ >= 0) g_->CellReleased(col_, 0);
      return;
    }
    QHeaderView::mouseReleaseEvent(e);
  }
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    const int x = static_cast<int>(e->position().x());
    if (e->button() != Qt::LeftButton) return;
    if (OnSizingGrip(x)) {
      QHeaderView::mouseDoubleClickEvent(e);
      return;
    }
    const int col = logicalIndexAt(x);
    if (col >= 0) g_->CellDoubleClicked(col, 0);
  }
  // Header cells look like the other fixed cells.
  void paintSection(QPainter* p, const QRect& rect, int logicalIndex) const override {
    g_->PaintCell(*p, rect, logicalIndex, 0, false, false);
  }
  void paintEvent(QPaintEvent* e) override {
    QHeaderView::paintEvent(e);
    if (state_ != State::Moving || target_ < 0) return;
    QPainter p(viewport());
    int x = sectionViewportPosition(target_);
    if (target_ > col_) x += sectionSize(target_);
    p.fillRect(x - 1, 0, 3, height(), Qt::black);
  }

 private:
  enum class State { None, Pending, Moving, Sizing };
  // A press this close to a section's right edge sizes that section.
  bool OnSizingGrip(int x) const {
    if (!(g_->d->options & goColSizing) || count() == 0) return false;
    const int grip = style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, this);
    int v = visualIndexAt(x);
    if (v < 0) v = count() - 1;
    const int l = logicalIndex(v);
    const int left = sectionViewportPosition(l);
    const int right = left + sectionSize(l);
    return std::abs(x - right) <= grip || (v > 0 && x - left < grip);
  }
  TTextGrid* g_;
  State state_ = State::None;
  int col_ = -1;
  int target_ = -1;
  int pressX_ = 0;
};

// ---- the frozen view: the fixed columns laid over the left edge ----------------

class TFrozenView : public QTableView {
 public:
  explicit TFrozenView(TTextGrid* g) : QTableView(g), g_(g) {
    setHorizontalHeader(new TGridHeader(g, this));
    verticalHeader()->hide();
    setFocusPolicy(Qt::NoFocus);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setShowGrid(false);
    setCornerButtonEnabled(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setAttribute(Qt::WA_NoMousePropagation);
    viewport()->setAttribute(Qt::WA_NoMousePropagation);
  }
  // Only ever scrolled up and down, with the grid.
  void scrollTo(const QModelIndex& i, ScrollHint hint) override {
    if (i.isValid() && model()) QTableView::scrollTo(model()->index(i.row(), 0), hint);
  }

 protected:
  // Fixed cells are not selected; clicks on them are still reported.
  void mousePressEvent(QMouseEvent* e) override {
    g_->setFocus(Qt::MouseFocusReason);
    const QModelIndex i = indexAt(e->position().toPoint());
    g_->d->pressCol = i.isValid() ? i.column() : -1;
    g_->d->pressRow = i.isValid() ? i.row() + g_->HeaderRows() : -1;
  }
  void mouseMoveEvent(QMouseEvent*) override {}
  void mouseReleaseEvent(QMouseEvent* e) override {
    const QModelIndex i = indexAt(e->position().toPoint());
    if (e->button() == Qt::LeftButton && i.isValid()) g_->CellReleased(i.column(), i.row() + g_->HeaderRows());
  }
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    const QModelIndex i = indexAt(e->position().toPoint());
    if (e->button() == Qt::LeftButton && i.isValid())
      g_->CellDoubleClicked(i.column(), i.row() + g_->HeaderRows());
  }
  void contextMenuEvent(QContextMenuEvent* e) override { g_->ShowPopup(e->globalPos()); }

 private:
  TTextGrid* g_;
};

// ---- construction --------------------------------------------------------------

TTextGrid::TTextGrid(QWidget* parent) : QTableView(parent), d(new Impl) {
  d->font = QWidget::font();
  d->print.FontName.clear();
  InitPrintSettings(d->print);
  InitHtmlSettings(d->html);
  d->Resize();
  d->model = new TGridModel(this);
  d->delegate = new TGridDelegate(this, this);
  setHorizontalHeader(new TGridHeader(this, this));
  setModel(d->model);
  setItemDelegate(d->delegate);
  QHeaderView* rows = verticalHeader();
  rows->hide();
  rows->setMinimumSectionSize(0);
  rows->setSectionResizeMode(QHeaderView::Fixed);
  rows->setDefaultSectionSize(d->RowStep());
  setShowGrid(false);
  setCornerButtonEnabled(false);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setTabKeyNavigation(false);
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setAttribute(Qt::WA_NoMousePropagation);

  d->frozen = new TFrozenView(this);
  d->frozen->setModel(d->model);
  d->frozen->setItemDelegate(d->delegate);
  QItemSelectionModel* own = d->frozen->selectionModel();
  d->frozen->setSelectionModel(selectionModel());
  delete own;
  d->frozen->verticalHeader()->setMinimumSectionSize(0);
  d->frozen->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  d->frozen->verticalHeader()->setDefaultSectionSize(d->RowStep());

  auto sized = [this](int col, int, int size) {
    if (!d || d->applying || col < 0 || col >= d->colCount) return;
    d->colWidths[static_cast<size_t>(col)] = std::max(0, size - d->lineWidth);
    ApplyWidths();
    UpdateFrozen();
  };
  connect(horizontalHeader(), &QHeaderView::sectionResized, this, sized);
  connect(d->frozen->horizontalHeader(), &QHeaderView::sectionResized, this, sized);
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
    if (d) ScrollChanged();
  });
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] {
    if (d) ScrollChanged();
  });
  connect(d->frozen->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int v) {
    if (d) verticalScrollBar()->setValue(v);
  });
  connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
    if (d && selectionModel()->hasSelection()) d->selHidden = false;
  });

  ApplyLook();
  ApplyScrollPolicy();
  SetOptions(d->options);
  ApplyWidths();
  resize(320, 120);
  UpdateFrozen();
}

TTextGrid::~TTextGrid() {
  // Nothing may read the cells once they are gone.
  setModel(nullptr);
  delete d->frozen;
  delete d->model;
  delete d;
  d = nullptr;
}

int32_t TTextGrid::HeaderRows() const { return d->fixedRows > 0 ? 1 : 0; }

int32_t TTextGrid::FixedWidth() const {
  int64_t w = 0;
  for (int32_t c = 0; c < d->fixedCols; ++c) w += ColWidth(c) + d->lineWidth;
  return static_cast<int32_t>(std::min<int64_t>(w, INT32_MAX));
}

bool TTextGrid::MovingAllowed() const { return (d->options & goColMoving) && d->rowColMoving; }

// Section sizes are cell width plus the grid line.
void TTextGrid::ApplyWidths() {
  const bool was = d->applying;
  d->applying = true;
  QHeaderView* h = horizontalHeader();
  QHeaderView* fh = d->frozen ? d->frozen->horizontalHeader() : nullptr;
  const int step = d->RowStep();
  h->setFixedHeight(step);
  if (fh) fh->setFixedHeight(step);
  // New columns come with the default width, so growing costs no resizing.
  const int defaultSize = d->defaultColWidth + d->lineWidth;
  if (h->defaultSectionSize() != defaultSize) h->setDefaultSectionSize(defaultSize);
  if (fh && fh->defaultSectionSize() != defaultSize) fh->setDefaultSectionSize(defaultSize);
  for (int32_t c = 0; c < d->colCount && c < h->count(); ++c) {
    const int size = d->colWidths[static_cast<size_t>(c)] + d->lineWidth;
    if (h->sectionSize(c) != size) h->resizeSection(c, size);
    if (fh && c < d->fixedCols && c < fh->count() && fh->sectionSize(c) != size) fh->resizeSection(c, size);
  }
  d->applying = was;
}

void TTextGrid::ApplyScrollPolicy() {
  const bool v = d->scrollBars == TScrollStyle::ssVertical || d->scrollBars == TScrollStyle::ssBoth;
  const bool h = d->scrollBars == TScrollStyle::ssHorizontal || d->scrollBars == TScrollStyle::ssBoth;
  setVerticalScrollBarPolicy(v ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
  setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

void TTextGrid::ApplyLook() {
  QPalette pal = palette();
  pal.setColor(QPalette::Base, ToQColor(d->color));
  pal.setColor(QPalette::Text, ToQColor(d->fontColor));
  pal.setColor(QPalette::Button, ToQColor(d->fixedColor));
  pal.setColor(QPalette::Window, ToQColor(d->fixedColor));
  pal.setColor(QPalette::ButtonText, ToQColor(d->fontColor));
  pal.setColor(QPalette::Highlight, ToQColor(d->selColor));
  setPalette(pal);
  setFont(d->font);
  setWordWrap(d->wordWrap);
  setFrameStyle(d->borderSingle ? QFrame::WinPanel | QFrame::Sunken : QFrame::NoFrame);
  horizontalHeader()->setVisible(HeaderRows() == 1);
  if (d->frozen) d->frozen->horizontalHeader()->setVisible(HeaderRows() == 1);
  viewport()->update();
  if (d->frozen) d->frozen->viewport()->update();
}

void TTextGrid::UpdateFrozen() {
  if (!d->frozen) return;
  const int32_t w = std::min(FixedWidth(), ClientWidth());
  if (d->fixedCols == 0 || w <= 0) {
    d->frozen->hide();
    return;
  }
  ApplyWidths();
  const QRect cr = contentsRect();
  d->frozen->setGeometry(cr.left(), cr.top(), w, ClientHeight());
  d->frozen->horizontalScrollBar()->setValue(0);
  d->frozen->verticalScrollBar()->setValue(verticalScrollBar()->value());
  d->frozen->show();
  d->frozen->raise();
}

// ---- cells ----------------------------------------------------------------

std::string TTextGrid::Cell(int32_t col, int32_t row) const {
  if (!d->Valid(col, row)) return {};
  return d->At(col, row);
}

void TTextGrid::SetCell(int32_t col, int32_t row, const std::string& text) {
  if (!d->Valid(col, row)) return;
  if (d->At(col, row) == text) return;
  auto& r = d->cells[static_cast<size_t>(row)];
  if (r.size() <= static_cast<size_t>(col)) r.resize(static_cast<size_t>(col) + 1);
  r[static_cast<size_t>(col)] = text;
  d->model->CellChanged(col, row);
}

void TTextGrid::ClearCells() {
  for (auto& r : d->cells) r.clear();
  d->model->AllChanged();
}

// ---- dimensions -------------------------------------------------------------

int32_t TTextGrid::ColCount() const { return d->colCount; }
int32_t TTextGrid::RowCount() const { return d->rowCount; }

// After a count change: the marked cell only while it still exists, the
// widths, the frozen columns and the scroll position.
void TTextGrid::CountsChanged() {
  if (d->markCol >= d->colCount || d->markRow >= d->rowCount) d->markCol = d->markRow = -1;
  ApplyWidths();
  UpdateFrozen();
  SetTopLeft(d->topRow, d->leftCol);
  viewport()->update();
}

void TTextGrid::SetColCount(int32_t n) {
  n = std::clamp(n, 1, kMaxCols);
  if (n == d->colCount) return;
  const int32_t old = d->colCount;
  d->model->BeginCols(old, n);
  d->colCount = n;
  d->fixedCols = std::min(d->fixedCols, n - 1);
  d->Resize();
  d->model->EndCols(old, n);
  CountsChanged();
}

void TTextGrid::SetRowCount(int32_t n) {
  n = std::clamp(n, 1, kMaxRows);
  if (n == d->rowCount) return;
  const int32_t old = d->rowCount;
  const int32_t newFixed = std::min(d->fixedRows, n - 1);
  if ((newFixed > 0) != (d->fixedRows > 0)) {
    d->model->BeginReset();
    d->rowCount = n;
    d->fixedRows = newFixed;
    d->Resize();
    d->model->EndReset();
    ApplyLook();
  } else {
    const int32_t hr = HeaderRows();
    d->model->BeginRows(old - hr, n - hr);
    d->rowCount = n;
    d->fixedRows = newFixed;
    d->Resize();
    d->model->EndRows(old - hr, n - hr);
  }
  CountsChanged();
}

int32_t TTextGrid::FixedCols() const { return d->fixedCols; }
void TTextGrid::SetFixedCols(int32_t n) {
  n = std::clamp(n, 0, d->colCount - 1);
  if (n == d->fixedCols) return;
  d->fixedCols = n;
  d->model->AllChanged();  // selectable flags change
  UpdateFrozen();
  SetTopLeft(d->topRow, d->leftCol);
  viewport()->update();
}

int32_t TTextGrid::FixedRows() const { return d->fixedRows; }
void TTextGrid::SetFixedRows(int32_t n) {
  n = std::clamp(n, 0, d->rowCount - 1);
  if (n == d->fixedRows) return;
  if ((n > 0) != (d->fixedRows > 0)) {
    d->model->BeginReset();
    d->fixedRows = n;
    d->model->EndReset();
    ApplyLook();
    ApplyWidths();
  } else {
    d->fixedRows = n;
  }
  UpdateFrozen();
  SetTopLeft(d->topRow, d->leftCol);
  viewport()->update();
}

int32_t TTextGrid::DefaultColWidth() const { return d->defaultColWidth; }
void TTextGrid::SetDefaultColWidth(int32_t w) {
  d->defaultColWidth = std::clamp(w, 0, 100000);
  ApplyWidths();
}

int32_t TTextGrid::ColWidth(int32_t col) const {
  if (col < 0 || col >= d->colCount) return -1;
  return d->colWidths[static_cast<size_t>(col)];
}
void TTextGrid::SetColWidth(int32_t col, int32_t w) {
  if (col < 0 || col >= d->colCount) return;
  d->colWidths[static_cast<size_t>(col)] = std::clamp(w, 0, 100000);
  ApplyWidths();
  if (col < d->fixedCols) UpdateFrozen();
}

int32_t TTextGrid::DefaultRowHeight() const { return d->defaultRowHeight; }
void TTextGrid::SetDefaultRowHeight(int32_t h) {
  d->defaultRowHeight = std::clamp(h, 1, 10000);
  verticalHeader()->setDefaultSectionSize(d->RowStep());
  d->frozen->verticalHeader()->setDefaultSectionSize(d->RowStep());
  ApplyWidths();
  UpdateFrozen();
}

int32_t TTextGrid::GridLineWidth() const { return d->lineWidth; }
void TTextGrid::SetGridLineWidth(int32_t w) {
  d->lineWidth = std::clamp(w, 0, 10);
  verticalHeader()->setDefaultSectionSize(d->RowStep());
  d->frozen->verticalHeader()->setDefaultSectionSize(d->RowStep());
  ApplyWidths();
  UpdateFrozen();
}

// Which scroll bars the current size and contents call for. Worked out from
// the geometry rather than the bars' visibility, so the client size is right
// even before a pending resize event has reached the grid.
void TTextGrid::NeedScrollBars(bool& vertical, bool& horizontal) const {
  const QRect cr = contentsRect();
  const int32_t sbw = verticalScrollBar()->sizeHint().width();
  const int32_t sbh = horizontalScrollBar()->sizeHint().height();
  const bool allowV = d->scrollBars == TScrollStyle::ssVertical || d->scrollBars == TScrollStyle::ssBoth;
  const bool allowH =
      d->scrollBars == TScrollStyle::ssHorizontal || d->scrollBars == TScrollStyle::ssBoth;
  const int64_t totalH = static_cast<int64_t>(d->rowCount) * d->RowStep();
  int64_t totalW = 0;
  for (int32_t c = 0; c < d->colCount; ++c) totalW += ColWidth(c) + d->lineWidth;
  vertical = allowV && totalH > cr.height();
  horizontal = allowH && totalW > cr.width() - (vertical ? sbw : 0);
  if (!vertical && allowV && horizontal) vertical = totalH > cr.height() - sbh;
}

int32_t TTextGrid::ClientWidth() const {
  bool v = false, h = false;
  NeedScrollBars(v, h);
  int32_t w = contentsRect().width();
  if (v) w -= verticalScrollBar()->sizeHint().width();
  return std::max(0, w);
}

int32_t TTextGrid::ClientHeight() const {
  bool v = false, hz = false;
  NeedScrollBars(v, hz);
  int32_t h = contentsRect().height();
  if (hz) h -= horizontalScrollBar()->sizeHint().height();
  return std::max(0, h);
}

int32_t TTextGrid::VisibleRowCount() const {
  const int64_t avail = ClientHeight() - static_cast<int64_t>(HeaderRows()) * d->RowStep();
  if (avail <= 0) return 0;
  const int64_t fit = avail / d->RowStep();
  return static_cast<int32_t>(std::max<int64_t>(0, std::min<int64_t>(fit, d->rowCount - d->topRow)));
}

int32_t TTextGrid::VisibleColCount() const {
  int64_t x = FixedWidth();
  int32_t n = 0;
  for (int32_t c = d->leftCol; c < d->colCount; ++c) {
    x += ColWidth(c) + d->lineWidth;
    if (x > ClientWidth()) break;
    ++n;
  }
  return n;
}

namespace {
// Largest first scrolled index that still shows the last item whole.
int32_t MaxFirst(int32_t fixed, int32_t count, int64_t avail, const std::vector<int32_t>& sizes,
                 int32_t line) {
  int32_t first = count - 1;
  int64_t used = 0;
  for (int32_t i = count - 1; i >= fixed; --i) {
    used += sizes[static_cast<size_t>(i)] + line;
    if (used > avail) break;
    first = i;
  }
  return std::max(fixed, first);
}
}  // namespace

int32_t TTextGrid::TopRow() const { return d->topRow; }
void TTextGrid::SetTopRow(int32_t row) { SetTopLeft(row, d->leftCol); }
int32_t TTextGrid::LeftCol() const { return d->leftCol; }
void TTextGrid::SetLeftCol(int32_t col) { SetTopLeft(d->topRow, col); }

void TTextGrid::SetTopLeft(int32_t top, int32_t left) {
  const int32_t hr = HeaderRows();
  const int64_t availH = ClientHeight() - static_cast<int64_t>(hr) * d->RowStep();
  int32_t maxTop = d->rowCount - 1;
  if (availH > 0) {
    const int64_t fit = std::max<int64_t>(1, availH / d->RowStep());
    maxTop = static_cast<int32_t>(std::max<int64_t>(hr, d->rowCount - fit));
  }
  const int32_t maxLeft =
      MaxFirst(d->fixedCols, d->colCount, ClientWidth() - FixedWidth(), d->colWidths, d->lineWidth);
  top = std::clamp(top, std::min(hr, d->rowCount - 1), std::max(hr, maxTop));
  left = std::clamp(left, std::min(d->fixedCols, d->colCount - 1), std::max(d->fixedCols, maxLeft));
  // Only the header row stays on top: further fixed rows scroll with the rest.
  top = std::min(top, d->rowCount - 1);
  left = std::min(left, d->colCount - 1);
  const bool changed = top != d->topRow || left != d->leftCol;
  d->topRow = top;
  d->leftCol = left;
  int64_t x = 0;
  for (int32_t c = d->fixedCols; c < left; ++c) x += ColWidth(c) + d->lineWidth;
  const bool was = d->applying;
  d->applying = true;
  updateGeometries();
  verticalScrollBar()->setValue(top - hr);
  horizontalScrollBar()->setValue(static_cast<int>(std::min<int64_t>(x, INT32_MAX)));
  d->frozen->verticalScrollBar()->setValue(top - hr);
  d->applying = was;
  if (changed && OnTopLeftChanged) OnTopLeftChanged(this);
}

// The user scrolled: the bars tell the new top row and left column.
void TTextGrid::ScrollChanged() {
  d->frozen->verticalScrollBar()->setValue(verticalScrollBar()->value());
  if (d->applying) return;
  const int32_t top = verticalScrollBar()->value() + HeaderRows();
  int32_t left = d->fixedCols;
  int64_t x = 0;
  const int64_t offset = horizontalScrollBar()->value();
  while (left < d->colCount - 1 && x + ColWidth(left) + d->lineWidth <= offset) {
    x += ColWidth(left) + d->lineWidth;
    ++left;
  }
  if (top == d->topRow && left == d->leftCol) return;
  d->topRow = top;
  d->leftCol = left;
  if (OnTopLeftChanged) OnTopLeftChanged(this);
}

TScrollStyle TTextGrid::ScrollBars() const { return d->scrollBars; }
void TTextGrid::SetScrollBars(TScrollStyle s) {
  d->scrollBars = s;
  ApplyScrollPolicy();
  UpdateFrozen();
}

TGridOptions TTextGrid::Options() const { return d->options; }
void TTextGrid::SetOptions(TGridOptions o) {
  d->options = o;
  const auto mode = (o & goColSizing) ? QHeaderView::Interactive : QHeaderView::Fixed;
  horizontalHeader()->setSectionResizeMode(mode);
  d->frozen->horizontalHeader()->setSectionResizeMode(mode);
  setSelectionMode((o & goRangeSelect) ? QAbstractItemView::ContiguousSelection
                                       : QAbstractItemView::SingleSelection);
  setSelectionBehavior((o & goRowSelect) ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
  ApplyWidths();
  viewport()->update();
  d->frozen->viewport()->update();
}

// ---- look -------------------------------------------------------------------

QFont TTextGrid::Font() const { return d->font; }
void TTextGrid::SetFont(const QFont& f) {
  d->font = f;
  ApplyLook();
}
std::string TTextGrid::FontName() const { return FromQString(d->font.family()); }
void TTextGrid::SetFontName(const std::string& name) {
  d->font.setFamily(ToQString(name));
  ApplyLook();
}
int32_t TTextGrid::FontHeight() const {
  if (d->font.pixelSize() > 0) return -d->font.pixelSize();
  return -static_cast<int32_t>(std::lround(d->font.pointSizeF() * 96.0 / 72.0));
}
void TTextGrid::SetFontHeight(int32_t h) {
  if (h == 0) return;
  // Positive heights include the internal leading; take it as about a fifth.
  const int32_t px = h < 0 ? (h < -1000 ? 1000 : -h) : std::max(1, std::min(h, 1000) * 4 / 5);
  d->font.setPixelSize(px);
  ApplyLook();
}
uint32_t TTextGrid::FontColor() const { return d->fontColor; }
void TTextGrid::SetFontColor(uint32_t c) { d->fontColor = c; ApplyLook(); }
uint32_t TTextGrid::Color() const { return d->color; }
void TTextGrid::SetColor(uint32_t c) { d->color = c; ApplyLook(); }
uint32_t TTextGrid::FixedColor() const { return d->fixedColor; }
void TTextGrid::SetFixedColor(uint32_t c) { d->fixedColor = c; ApplyLook(); }
uint32_t TTextGrid::GridLineColor() const { return d->lineColor; }
void TTextGrid::SetGridLineColor(uint32_t c) { d->lineColor = c; ApplyLook(); }
uint32_t TTextGrid::SelectionColor() const { return d->selColor; }
void TTextGrid::SetSelectionColor(uint32_t c) { d->selColor = c; ApplyLook(); }
const TGridBands& TTextGrid::Bands() const { return d->bands; }
void TTextGrid::SetBands(const TGridBands& b) { d->bands = b; ApplyLook(); }
bool TTextGrid::BandsActive() const { return d->bands.Active; }
void TTextGrid::SetBandsActive(bool on) { d->bands.Active = on; ApplyLook(); }
void TTextGrid::SetBandPrimaryColor(uint32_t c) { d->bands.PrimaryColor = c; ApplyLook(); }
void TTextGrid::SetBandSecondaryColor(uint32_t c) { d->bands.SecondaryColor = c; ApplyLook(); }

uint32_t TTextGrid::RowColor(int32_t row) const {
  if (!d->bands.Active) return d->color;
  // Bands count from the first scrolled row, so the first data row is primary.
  const int32_t n = row - d->fixedRows;
  return (n % 2 == 0) ? d->bands.PrimaryColor : d->bands.SecondaryColor;
}

bool TTextGrid::DefaultDrawing() const { return d->defaultDrawing; }
void TTextGrid::SetDefaultDrawing(bool on) { d->defaultDrawing = on; }
bool TTextGrid::BorderSingle() const { return d->borderSingle; }
void TTextGrid::SetBorderSingle(bool on) {
  d->borderSingle = on;
  ApplyLook();
  UpdateFrozen();
}

bool TTextGrid::RowColMoving() const { return d->rowColMoving; }
void TTextGrid::SetRowColMoving(bool on) { d->rowColMoving = on; }
bool TTextGrid::ShowCellHints() const { return d->cellHints; }
void TTextGrid::SetShowCellHints(bool on) { d->cellHints = on; }
bool TTextGrid::ShowLargeTextHints() const { return d->largeTextHints; }
void TTextGrid::SetShowLargeTextHints(bool on) { d->largeTextHints = on; }
bool TTextGrid::SyncScroll() const { return d->syncScroll; }
void TTextGrid::SetSyncScroll(bool on) {
  d->syncScroll = on;
  verticalScrollBar()->setTracking(on);
  horizontalScrollBar()->setTracking(on);
}
bool TTextGrid::ProportionalScroll() const { return d->proportionalScroll; }
void TTextGrid::SetProportionalScroll(bool on) { d->proportionalScroll = on; }
TScrollStyle TTextGrid::ScrollPositionHints() const { return d->positionHints; }
void TTextGrid::SetScrollPositionHints(TScrollStyle s) { d->positionHints = s; }

// ---- cell attributes ------------------------------------------------------------

TCellAlign TTextGrid::CellAlignment(int32_t col, int32_t /*row*/) const {
  if (col < 0 || col >= d->colCount) return TCellAlign::Left;
  return d->colAlign[static_cast<size_t>(col)];
}
void TTextGrid::SetColAlignment(int32_t col, TCellAlign a) {
  if (col < 0 || col >= d->colCount) return;
  d->colAlign[static_cast<size_t>(col)] = a;
  d->model->AllChanged();
}
bool TTextGrid::WordWrap() const { return d->wordWrap; }
void TTextGrid::SetWordWrap(bool on) { d->wordWrap = on; ApplyLook(); }
bool TTextGrid::ShowUrls() const { return d->showUrls; }
void TTextGrid::SetShowUrls(bool on) { d->showUrls = on; }
bool TTextGrid::FullUrls() const { return d->fullUrls; }
void TTextGrid::SetFullUrls(bool on) { d->fullUrls = on; }

bool TTextGrid::CellBackground(int32_t col, int32_t row, uint32_t& color) const {
  if (!d->Valid(col, row)) return false;
  if (OnGetCellColor) {
    uint32_t bg = 0, fg = 0;
    bool hasFont = false;
    if (OnGetCellColor(this, col, row, bg, fg, hasFont)) {
      color = bg;
      return true;
    }
  }
  if (d->bands.Active && row >= d->fixedRows && col >= d->fixedCols) {
    color = RowColor(row);
    return true;
  }
  return false;
}

bool TTextGrid::CellFontColor(int32_t col, int32_t row, uint32_t& color) const {
  if (!d->Valid(col, row) || !OnGetCellColor) return false;
  uint32_t bg = 0, fg = 0;
  bool hasFont = false;
  OnGetCellColor(this, col, row, bg, fg, hasFont);
  if (hasFont) color = fg;
  return hasFont;
}

uint32_t TTextGrid::CellFontStyle(int32_t /*col*/, int32_t /*row*/) const {
  uint32_t s = 0;
  if (d->font.bold()) s |= kCellBold;
  if (d->font.italic()) s |= kCellItalic;
  if (d->font.underline()) s |= kCellUnderline;
  return s;
}

// ---- marked cell ------------------------------------------------------------------

void TTextGrid::SetMarkedCell(int32_t col, int32_t row) {
  if (!d->Valid(col, row)) {
    ClearMarkedCell();
    return;
  }
  d->markCol = col;
  d->markRow = row;
  viewport()->update();
  d->frozen->viewport()->update();
}

void TTextGrid::ClearMarkedCell() {
  d->markCol = d->markRow = -1;
  viewport()->update();
  d->frozen->viewport()->update();
}

int32_t TTextGrid::MarkedCol() const { return d->markCol; }
int32_t TTextGrid::MarkedRow() const { return d->markRow; }

// ---- popup menu ---------------------------------------------------------------

QMenu* TTextGrid::PopupMenu() const { return d->popup.data(); }
void TTextGrid::SetPopupMenu(QMenu* menu) { d->popup = menu; }

void TTextGrid::ShowPopup(const QPoint& globalPos) {
  if (d->popup) d->popup->popup(globalPos);
}

// ---- selection ----------------------------------------------------------------

TGridRect TTextGrid::Selection() const {
  if (d->selHidden) return {d->colCount, d->rowCount, d->colCount, d->rowCount};
  const int32_t hr = HeaderRows();
  const QItemSelection s = selectionModel()->selection();
  if (!s.isEmpty()) {
    TGridRect r{INT32_MAX, INT32_MAX, -1, -1};
    for (const QItemSelectionRange& range : s) {
      r.Left = std::min(r.Left, range.left());
      r.Top = std::min(r.Top, range.top() + hr);
      r.Right = std::max(r.Right, range.right());
      r.Bottom = std::max(r.Bottom, range.bottom() + hr);
    }
    return r;
  }
  const QModelIndex c = selectionModel()->currentIndex();
  if (c.isValid()) return {c.column(), c.row() + hr, c.column(), c.row() + hr};
  const int32_t col = std::min(d->fixedCols, d->colCount - 1);
  const int32_t row = std::min(d->fixedRows, d->rowCount - 1);
  return {col, row, col, row};
}

void TTextGrid::SetSelection(const TGridRect& r) {
  if (!d->Valid(r.Left, r.Top) || !d->Valid(r.Right, r.Bottom) || r.Left > r.Right ||
      r.Top > r.Bottom)
    return;
  const int32_t hr = HeaderRows();
  if (r.Top < hr) return;  // the header row is never selected
  const QModelIndex tl = d->model->index(r.Top - hr, r.Left);
  const QModelIndex br = d->model->index(r.Bottom - hr, r.Right);
  d->selHidden = false;
  selectionModel()->setCurrentIndex(tl, QItemSelectionModel::NoUpdate);
  selectionModel()->select(QItemSelection(tl, br), QItemSelectionModel::ClearAndSelect);
}

void TTextGrid::SelectCell(int32_t col, int32_t row) { SetSelection({col, row, col, row}); }

void TTextGrid::HideSelection() {
  if (!d->selHidden) d->savedSel = Selection();
  d->selHidden = true;
  selectionModel()->clearSelection();
  selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
  d->selHidden = true;
}

void TTextGrid::RestoreSelection() {
  if (!d->selHidden) return;
  const TGridRect r = d->savedSel;
  d->selHidden = false;
  SetSelection(r);
}

bool TTextGrid::SelectionHidden() const { return d->selHidden; }

// ---- structure -----------------------------------------------------------------

bool TTextGrid::MoveColumn(int32_t from, int32_t to) {
  if (from < d->fixedCols || to < d->fixedCols || from >= d->colCount || to >= d->colCount ||
      from == to)
    return false;
  auto moveIn = [&](auto& v) {
    auto item = std::move(v[static_cast<size_t>(from)]);
    v.erase(v.begin() + from);
    v.insert(v.begin() + to, std::move(item));
  };
  for (auto& r : d->cells) {
    if (r.size() <= static_cast<size_t>(std::min(from, to))) continue;  // all empty
    r.resize(static_cast<size_t>(d->colCount));
    moveIn(r);
  }
  moveIn(d->colWidths);
  moveIn(d->colAlign);
  // The marked cell travels with its cells.
  int32_t& m = d->markCol;
  if (m == from) m = to;
  else if (from < to && m > from && m <= to) --m;
  else if (from > to && m >= to && m < from) ++m;
  ApplyWidths();
  d->model->AllChanged();
  return true;
}

int32_t TTextGrid::ColumnLeft(int32_t col) const {
  if (col < 0 || col >= d->colCount) return -1;
  if (col >= d->fixedCols && col < d->leftCol) return -1;
  int64_t x = contentsRect().left();
  for (int32_t c = 0; c < d->fixedCols && c < col; ++c) x += ColWidth(c) + d->lineWidth;
  if (col >= d->fixedCols)
    for (int32_t c = d->leftCol; c < col; ++c) x += ColWidth(c) + d->lineWidth;
  return static_cast<int32_t>(std::min<int64_t>(x, INT32_MAX));
}

int32_t TTextGrid::RowTop(int32_t row) const {
  if (row < 0 || row >= d->rowCount) return -1;
  const int32_t hr = HeaderRows();
  if (row >= hr && row < d->topRow) return -1;
  int64_t y = contentsRect().top();
  if (row >= hr) y += static_cast<int64_t>(hr) * d->RowStep() + static_cast<int64_t>(row - d->topRow) * d->RowStep();
  return static_cast<int32_t>(std::min<int64_t>(y, INT32_MAX));
}

int32_t TTextGrid::ColumnAtX(int32_t x) const {
  const int32_t left = contentsRect().left();
  if (x < left || x >= left + ClientWidth()) return -1;
  int64_t pos = left;
  for (int32_t c = 0; c < d->fixedCols; ++c) {
    pos += ColWidth(c) + d->lineWidth;
    if (x < pos) return c;
  }
  for (int32_t c = d->leftCol; c < d->colCount; ++c) {
    pos += ColWidth(c) + d->lineWidth;
    if (x < pos) return c;
  }
  return -1;
}

int32_t TTextGrid::RowAtY(int32_t y) const {
  const int32_t top = contentsRect().top();
  if (y < top || y >= top + ClientHeight()) return -1;
  const int64_t rel = y - top;
  const int64_t headerH = static_cast<int64_t>(HeaderRows()) * d->RowStep();
  const int64_t row = rel < headerH ? 0 : d->topRow + (rel - headerH) / d->RowStep();
  return row < d->rowCount ? static_cast<int32_t>(row) : -1;
}

// ---- print settings -------------------------------------------------------------

TGridPrintSettings& TTextGrid::PrintSettings() { return d->print; }
const TGridPrintSettings& TTextGrid::PrintSettings() const { return d->print; }

// ---- HTML export ------------------------------------------------------------------

THTMLSettings& TTextGrid::HtmlSettings() { return d->html; }
const THTMLSettings& TTextGrid::HtmlSettings() const { return d->html; }

HtmlGridDataT TTextGrid::HtmlData() const {
  HtmlGridDataT h;
  InitHtmlGrid(h, d->colCount, d->rowCount);
  h.fixedCols = d->fixedCols;
  h.fixedRows = d->fixedRows;
  h.fixedColor = d->fixedColor;
  h.wordWrap = d->wordWrap;
  h.showUrls = d->showUrls;
  h.fullUrls = d->fullUrls;
  for (int32_t r = 0; r < d->rowCount; ++r) {
    for (int32_t c = 0; c < d->colCount; ++c) {
      HtmlCellT& cell = HtmlCell(h, c, r);
      cell.text = d->At(c, r);
      switch (CellAlignment(c, r)) {
        case TCellAlign::Left: cell.align = HtmlAlignT::Left; break;
        case TCellAlign::Center: cell.align = HtmlAlignT::Center; break;
        case TCellAlign::Right: cell.align = HtmlAlignT::Right; break;
      }
      cell.hasBackground = CellBackground(c, r, cell.background);
      cell.hasFontColor = CellFontColor(c, r, cell.fontColor);
      const uint32_t style = CellFontStyle(c, r);
      cell.bold = (style & kCellBold) != 0;
      cell.italic = (style & kCellItalic) != 0;
      cell.underline = (style & kCellUnderline) != 0;
    }
  }
  return h;
}

// ---- painting -------------------------------------------------------------------

// A caption wider than its header cell gives way to its longest shorter form
// that fits; when none fits, the shortest ends in an ellipsis, never a cut.
QString TTextGrid::FittedCaption(int32_t col, const QFont& font, int32_t room) const {
  const QFontMetrics metrics(font);
  QString shown = ToQString(d->At(col, 0));
  if (metrics.horizontalAdvance(shown) <= room) return shown;
  if (OnCaptionForms) {
    for (const std::string& form : OnCaptionForms(this, col)) {
      shown = ToQString(form);
      if (metrics.horizontalAdvance(shown) <= room) return shown;
    }
  }
  return metrics.elidedText(shown, Qt::ElideRight, room);
}

std::string TTextGrid::ShownCaption(int32_t col) const {
  if (col < 0 || col >= d->colCount || HeaderRows() == 0) return {};
  // The room that PaintCell leaves inside the cell.
  const int32_t room = ColWidth(col) - d->lineWidth - 4;
  return FromQString(FittedCaption(col, d->font, room));
}

void TTextGrid::PaintCell(QPainter& p, const QRect& r, int32_t col, int32_t row, bool selected,
                          bool focused) const {
  const int32_t lw = d->lineWidth;
  const QRect cell(r.x(), r.y(), std::max(0, r.width() - lw), std::max(0, r.height() - lw));
  const bool fixed = col < d->fixedCols || row < d->fixedRows;
  QColor bg = fixed ? ToQColor(d->fixedColor) : ToQColor(RowColor(row));
  QColor fg = ToQColor(d->fontColor);
  uint32_t c = 0;
  if (!fixed && CellBackground(col, row, c)) bg = ToQColor(c);
  if (CellFontColor(col, row, c)) fg = ToQColor(c);
  selected = selected && !fixed;
  if (selected) {
    bg = ToQColor(d->selColor);
    fg = ToQColor(clHighlightText);
  }
  p.save();
  p.fillRect(cell, bg);
  const bool marked = col == d->markCol && row == d->markRow;
  const std::string& text = d->At(col, row);
  if (!text.empty()) {
    int flags = Qt::AlignVCenter;
    switch (CellAlignment(col, row)) {
      case TCellAlign::Left: flags |= Qt::AlignLeft; break;
      case TCellAlign::Center: flags |= Qt::AlignHCenter; break;
      case TCellAlign::Right: flags |= Qt::AlignRight; break;
    }
    if (d->wordWrap) flags |= Qt::TextWordWrap;
    QFont f = d->font;
    if (marked) f.setBold(true);
    p.setFont(f);
    p.setPen(fg);
    p.setClipRect(cell);
    const int inset = marked ? 4 : 2;  // clear of the frame
    const QRect room = cell.adjusted(inset, 0, -inset, 0);
    QString shown = ToQString(text);
    if (row < HeaderRows() && !d->wordWrap) shown = FittedCaption(col, f, room.width());
    p.drawText(room, flags, shown);
    p.setClipping(false);
  }
  if (marked) {
    // Framed in the highlight colour; on a selected cell in its text colour.
    QPen pen(selected ? ToQColor(clHighlightText) : ToQColor(d->selColor), 2);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(cell).adjusted(1, 1, -1, -1));
  }
  if (focused && hasFocus()) {
    QPen pen(fg, 1, Qt::DotLine);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawRect(cell.adjusted(3, 3, -4, -4));
  }
  if (lw > 0) {
    const QColor lineColor = ToQColor(d->lineColor);
    const bool vert = (d->options & (fixed ? goFixedVertLine : goVertLine)) != 0;
    const bool horz = (d->options & (fixed ? goFixedHorzLine : goHorzLine)) != 0;
    p.fillRect(cell.x() + cell.width(), cell.y(), lw, cell.height() + lw, vert ? lineColor : bg);
    p.fillRect(cell.x(), cell.y() + cell.height(), cell.width(), lw, horz ? lineColor : bg);
  }
  p.restore();
}

void TTextGrid::resizeEvent(QResizeEvent* e) {
  QTableView::resizeEvent(e);
  if (!d) return;
  UpdateFrozen();
  SetTopLeft(d->topRow, d->leftCol);
}

// ---- mouse and keys ----------------------------------------------------------

void TTextGrid::CellPressed(int32_t col, int32_t row) {
  d->pressCol = col;
  d->pressRow = row;
}

void TTextGrid::CellReleased(int32_t col, int32_t row) {
  if (OnClickCell) OnClickCell(this, row, col);
}

void TTextGrid::CellDoubleClicked(int32_t col, int32_t row) {
  if (OnDblClickCell) OnDblClickCell(this, row, col);
}

void TTextGrid::mousePressEvent(QMouseEvent* e) {
  const QModelIndex i = indexAt(e->position().toPoint());
  CellPressed(i.isValid() ? i.column() : -1, i.isValid() ? i.row() + HeaderRows() : -1);
  QTableView::mousePressEvent(e);
}

void TTextGrid::mouseReleaseEvent(QMouseEvent* e) {
  QTableView::mouseReleaseEvent(e);
  const QModelIndex i = indexAt(e->position().toPoint());
  if (e->button() != Qt::LeftButton || !i.isValid()) return;
  const int32_t col = i.column(), row = i.row() + HeaderRows();
  if (col == d->pressCol && row == d->pressRow) CellReleased(col, row);
}

void TTextGrid::mouseDoubleClickEvent(QMouseEvent* e) {
  const QModelIndex i = indexAt(e->position().toPoint());
  const int32_t col = i.isValid() ? i.column() : -1;
  const int32_t row = i.isValid() ? i.row() + HeaderRows() : -1;
  QTableView::mouseDoubleClickEvent(e);
  if (e->button() == Qt::LeftButton && col >= 0) CellDoubleClicked(col, row);
}

// The arrow keys stay in the scrolled columns.
QModelIndex TTextGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  QModelIndex i = QTableView::moveCursor(action, modifiers);
  if (i.isValid() && i.column() < d->fixedCols)
    i = d->model->index(i.row(), std::min(d->fixedCols, d->colCount - 1));
  return i;
}

void TTextGrid::contextMenuEvent(QContextMenuEvent* e) {
  QPoint at = e->globalPos();
  const QModelIndex current = currentIndex();
  if (e->reason() == QContextMenuEvent::Keyboard && current.isValid())
    at = viewport()->mapToGlobal(visualRect(current).center());
  ShowPopup(at);
}

bool TTextGrid::event(QEvent* e) {
  switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
      // A mouse event sent to the grid as a whole goes to the part under the
      // pointer (header, frozen columns, cells), as a press there would.
      if (d->forwarding) break;
      auto* me = static_cast<QMouseEvent*>(e);
      QWidget* target = d->mouseGrab ? d->mouseGrab.data() : childAt(me->position().toPoint());
      if (!target) break;
      if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick)
        d->mouseGrab = target;
      if (e->type() == QEvent::MouseButtonRelease || me->buttons() == Qt::NoButton) d->mouseGrab = nullptr;
      QMouseEvent copy(me->type(), target->mapFrom(this, me->position()), me->globalPosition(),
                       me->button(), me->buttons(), me->modifiers());
      d->forwarding = true;
      QApplication::sendEvent(target, &copy);
      d->forwarding = false;
      if (e->type() == QEvent::MouseButtonDblClick) d->mouseGrab = nullptr;
      return true;
    }
    case QEvent::ContextMenu:
      // From the header or the frozen columns, which leave it to the grid.
      contextMenuEvent(static_cast<QContextMenuEvent*>(e));
      return true;
    default:
      break;
  }
  return QTableView::event(e);
}
