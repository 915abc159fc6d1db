#include "window/grid/TextGrid.h"

#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QItemSelectionModel>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "window/components/GPanel.h"
#include "window/components/QtText.h"
#include "window/grid/TextGridModel.h"
#include "util/valstr.h"

constexpr int32_t kMaxRows = 10000000;
constexpr int32_t kMaxCols = 100000;
constexpr int32_t kMaxWidth = 100000;

struct TTextGrid::Impl {
  int32_t colCount = 5;
  int32_t rowCount = 5;
  int32_t fixedCols = 1;
  int32_t fixedRows = 1;
  TOwnCells own;
  TGridCells* cells = &own;
  std::vector<TCellAlign> colAlign;
  int32_t defaultColWidth = 64;
  int32_t defaultRowHeight = 24;
  int32_t lineWidth = 1;
  TScrollStyle scrollBars = TScrollStyle::ssBoth;
  TGridOptions options = kDefaultGridOptions;
  QFont font;
  uint32_t fontColor = clWindowText;
  uint32_t color = clWindow;
  uint32_t fixedColor = clBtnFace;
  uint32_t lineColor = 0xC0C0C0;
  uint32_t selColor = clHighlight;
  TGridBands bands{false, 14810879, 0xFFFFFF};
  bool rowColMoving = false;
  bool cellHints = false;
  bool largeTextHints = false;
  bool syncScroll = true;
  QPointer<QMenu> popup;
  TGridRect savedSel{1, 1, 1, 1};
  bool selHidden = false;
  TGridPrintSettings print{};
  THTMLSettings html;
  TGridModel* model = nullptr;
  TGridDelegate* delegate = nullptr;
  TGridHeader* header = nullptr;
  QTableView* frozen = nullptr;  // the fixed columns, over the left edge
  TGridHeader* frozenHeader = nullptr;
  int32_t shownTop = 1;  // as OnTopLeftChanged last told them
  int32_t shownLeft = 1;

  int32_t RowStep() const { return defaultRowHeight + lineWidth; }
};

// ---- construction --------------------------------------------------------------

TTextGrid::TTextGrid(QWidget* parent) : QTableView(parent), d(new Impl) {
  d->font = QWidget::font();
  InitPrintSettings(d->print);
  InitHtmlSettings(d->html);
  d->own.Resize(d->colCount, d->rowCount);
  d->colAlign.assign(static_cast<size_t>(d->colCount), TCellAlign::Left);
  d->model = new TGridModel(*this);
  d->delegate = new TGridDelegate(*this, this);
  d->frozen = new QTableView(this);
  d->header = new TGridHeader(*d->delegate, this);
  d->frozenHeader = new TGridHeader(*d->delegate, d->frozen);
  setHorizontalHeader(d->header);
  d->frozen->setHorizontalHeader(d->frozenHeader);
  setModel(d->model);
  d->frozen->setModel(d->model);
  QItemSelectionModel* unused = d->frozen->selectionModel();
  d->frozen->setSelectionModel(selectionModel());
  delete unused;

  for (QTableView* view : std::initializer_list<QTableView*>{this, d->frozen}) {
    QHeaderView* header = view->horizontalHeader();
    // The header reports clicks; it selects no columns.
    disconnect(header, &QHeaderView::sectionPressed, view, nullptr);
    disconnect(header, &QHeaderView::sectionEntered, view, nullptr);
    header->setDefaultSectionSize(d->defaultColWidth + d->lineWidth);
    view->setItemDelegate(d->delegate);
    view->verticalHeader()->hide();
    view->verticalHeader()->setMinimumSectionSize(0);
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->setShowGrid(false);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setTabKeyNavigation(false);
    view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    connect(view, &QAbstractItemView::clicked, this, [this](const QModelIndex& i) {
      if (OnClickCell) OnClickCell(this, i.row() + HeaderRows(), i.column());
    });
    connect(header, &QHeaderView::sectionClicked, this, [this](int col) {
      if (OnClickCell) OnClickCell(this, 0, col);
    });
    connect(header, &QHeaderView::sectionDoubleClicked, this, [this](int col) {
      if (OnDblClickCell && col >= 0) OnDblClickCell(this, 0, col);
    });
    // Both headers keep the same widths; the user sizes the fixed columns on
    // the frozen one.
    connect(header, &QHeaderView::sectionResized, this, [this](int col, int, int size) {
      for (TGridHeader* h : {d->header, d->frozenHeader})
        if (col < h->count() && h->sectionSize(col) != size) h->resizeSection(col, size);
      if (col < d->fixedCols) UpdateFrozen();
    });
  }
  connect(d->header, &QHeaderView::sectionMoved, this, &TTextGrid::SectionMoved);
  connect(d->frozen, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& i) { DoubleClicked(i); });
  d->frozen->setFocusProxy(this);
  d->frozen->setFocusPolicy(Qt::NoFocus);
  d->frozen->setFrameShape(QFrame::NoFrame);
  d->frozen->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  d->frozen->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // Fixed cells are never selected, and the frozen view scrolls only with the grid.
  d->frozen->setSelectionMode(QAbstractItemView::NoSelection);
  d->frozen->setAutoScroll(false);
  setFocusPolicy(Qt::StrongFocus);

  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { ScrollChanged(); });
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { ScrollChanged(); });
  connect(d->frozen->verticalScrollBar(), &QScrollBar::valueChanged, verticalScrollBar(), &QScrollBar::setValue);
  connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
    if (selectionModel()->hasSelection()) d->selHidden = false;
  });

  SetScrollBars(d->scrollBars);
  SetOptions(d->options);
  SetDefaultRowHeight(d->defaultRowHeight);
  resize(320, 120);
}

TTextGrid::~TTextGrid() {
  // Nothing may reach the state once it is gone.
  for (QObject* part : {static_cast<QObject*>(d->header), static_cast<QObject*>(verticalScrollBar()),
                        static_cast<QObject*>(horizontalScrollBar()), static_cast<QObject*>(selectionModel())})
    disconnect(part, nullptr, this, nullptr);
  delete d->frozen;
  setModel(nullptr);
  delete d->model;
  delete d;
  d = nullptr;
}

int32_t TTextGrid::HeaderRows() const { return d->fixedRows > 0 ? 1 : 0; }

bool TTextGrid::Valid(int32_t col, int32_t row) const {
  return col >= 0 && col < d->colCount && row >= 0 && row < d->rowCount;
}

int32_t TTextGrid::FixedWidth() const { return d->fixedCols > 0 ? d->header->sectionPosition(d->fixedCols) : 0; }

bool TTextGrid::MovingAllowed() const { return (d->options & goColMoving) && d->rowColMoving; }

bool TTextGrid::Allows(Qt::Orientation bar) const {
  return d->scrollBars == TScrollStyle::ssBoth ||
         d->scrollBars == (bar == Qt::Vertical ? TScrollStyle::ssVertical : TScrollStyle::ssHorizontal);
}

void TTextGrid::ApplyLook() {
  QPalette pal = palette();
  pal.setColor(QPalette::Base, ToQColor(d->color));
  pal.setColor(QPalette::Text, ToQColor(d->fontColor));
  pal.setColor(QPalette::Button, ToQColor(d->fixedColor));
  pal.setColor(QPalette::Window, ToQColor(d->fixedColor));
  pal.setColor(QPalette::ButtonText, ToQColor(d->fontColor));
  pal.setColor(QPalette::Highlight, ToQColor(d->selColor));
  pal.setColor(QPalette::HighlightedText, ToQColor(clHighlightText));
  setPalette(pal);
  setFont(d->font);
  setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
  d->header->setVisible(HeaderRows() == 1);
  d->frozenHeader->setVisible(HeaderRows() == 1);
  viewport()->update();
  d->frozen->viewport()->update();
}

void TTextGrid::UpdateFrozen() {
  const int32_t w = std::min(FixedWidth(), ClientWidth());
  if (d->fixedCols == 0 || w <= 0) {
    d->frozen->hide();
    return;
  }
  const QRect cr = contentsRect();
  d->frozen->setGeometry(cr.left(), cr.top(), w, ClientHeight());
  d->frozen->show();
  d->frozen->raise();
  ScrollChanged();
}

// ---- cells ----------------------------------------------------------------

std::string TTextGrid::Cell(int32_t col, int32_t row) const {
  return Valid(col, row) ? d->cells->Text(col, row) : std::string();
}

void TTextGrid::SetCell(int32_t col, int32_t row, const std::string& text) {
  if (!Valid(col, row) || d->cells->Text(col, row) == text) return;
  d->cells->SetText(col, row, text);
  d->model->CellChanged(col, row);
}

void TTextGrid::SetCellSource(TGridCells* cells) {
  // One copy of the texts: the own cells start empty whenever they come back.
  d->own = TOwnCells();
  d->own.Resize(d->colCount, d->rowCount);
  d->cells = cells ? cells : &d->own;
  CellsChanged();
}

TGridCells* TTextGrid::CellSource() const { return d->cells == &d->own ? nullptr : d->cells; }

void TTextGrid::CellsChanged() { d->model->AllChanged(); }

// ---- dimensions -------------------------------------------------------------

int32_t TTextGrid::ColCount() const { return d->colCount; }
int32_t TTextGrid::RowCount() const { return d->rowCount; }

// After a count change: the scroll range, the frozen columns and the position.
void TTextGrid::CountsChanged() {
  updateGeometries();
  UpdateFrozen();
  ScrollChanged();
  viewport()->update();
}

void TTextGrid::SetColCount(int32_t n) {
  n = std::clamp(n, 1, kMaxCols);
  if (n == d->colCount) return;
  const int32_t old = d->colCount;
  d->model->ChangeCount(Qt::Horizontal, old, n, [&] {
    d->colCount = n;
    d->fixedCols = std::min(d->fixedCols, n - 1);
    d->colAlign.resize(static_cast<size_t>(n), TCellAlign::Left);
    d->cells->Resize(n, d->rowCount);
  });
  // New sections come with the headers' default; the grid's may differ.
  if (d->header->defaultSectionSize() != d->defaultColWidth + d->lineWidth)
    for (int32_t c = old; c < n; ++c) SetColWidth(c, d->defaultColWidth);
  CountsChanged();
}

void TTextGrid::SetRowCount(int32_t n) {
  n = std::clamp(n, 1, kMaxRows);
  if (n == d->rowCount) return;
  if (d->fixedRows > n - 1) SetFixedRows(n - 1);
  const int32_t hr = HeaderRows();
  d->model->ChangeCount(Qt::Vertical, d->rowCount - hr, n - hr, [&] {
    d->rowCount = n;
    d->cells->Resize(d->colCount, n);
  });
  CountsChanged();
}

int32_t TTextGrid::FixedCols() const { return d->fixedCols; }
void TTextGrid::SetFixedCols(int32_t n) {
  n = std::clamp(n, 0, d->colCount - 1);
  if (n == d->fixedCols) return;
  d->fixedCols = n;
  d->model->AllChanged();  // selectable flags and backgrounds change
  CountsChanged();
}

int32_t TTextGrid::FixedRows() const { return d->fixedRows; }
void TTextGrid::SetFixedRows(int32_t n) {
  n = std::clamp(n, 0, d->rowCount - 1);
  if (n == d->fixedRows) return;
  if ((n > 0) != (d->fixedRows > 0)) {
    d->model->ChangeHeaderRow(n > 0, [&] { d->fixedRows = n; });
    ApplyLook();
  } else {
    d->fixedRows = n;
    d->model->AllChanged();
  }
  CountsChanged();
}

void TTextGrid::SetDefaultColWidth(int32_t w) { d->defaultColWidth = std::clamp(w, 0, kMaxWidth); }

int32_t TTextGrid::ColWidth(int32_t col) const {
  if (col < 0 || col >= d->colCount) return -1;
  return std::max(0, d->header->sectionSize(col) - d->lineWidth);
}

// A header section holds the cell and the grid line right of it.
void TTextGrid::SetColWidth(int32_t col, int32_t w) {
  if (col >= 0 && col < d->colCount) d->header->resizeSection(col, std::clamp(w, 0, kMaxWidth) + d->lineWidth);
}

int32_t TTextGrid::DefaultRowHeight() const { return d->defaultRowHeight; }
void TTextGrid::SetDefaultRowHeight(int32_t h) {
  d->defaultRowHeight = std::clamp(h, 1, 10000);
  for (QTableView* view : std::initializer_list<QTableView*>{this, d->frozen}) {
    view->verticalHeader()->setDefaultSectionSize(d->RowStep());
    view->horizontalHeader()->setFixedHeight(d->RowStep());
  }
  CountsChanged();
}

int32_t TTextGrid::GridLineWidth() const { return d->lineWidth; }
void TTextGrid::SetGridLineWidth(int32_t w) {
  std::vector<int32_t> widths;
  for (int32_t c = 0; c < d->colCount; ++c) widths.push_back(ColWidth(c));
  d->lineWidth = std::clamp(w, 0, 10);
  for (int32_t c = 0; c < d->colCount; ++c) SetColWidth(c, widths[static_cast<size_t>(c)]);
  SetDefaultRowHeight(d->defaultRowHeight);
}

// The cell area without frame and the scroll bars the size and contents call
// for. Worked out from the header lengths rather than the bars' visibility,
// so it is right before a pending resize event has reached the grid.
QSize TTextGrid::ClientSize() const {
  const QRect cr = contentsRect();
  const int32_t sbw = verticalScrollBar()->sizeHint().width();
  const int32_t sbh = horizontalScrollBar()->sizeHint().height();
  const int64_t totalH = static_cast<int64_t>(d->rowCount) * d->RowStep();
  bool vertical = Allows(Qt::Vertical) && totalH > cr.height();
  const bool horizontal = Allows(Qt::Horizontal) && d->header->length() > cr.width() - (vertical ? sbw : 0);
  if (!vertical && horizontal) vertical = Allows(Qt::Vertical) && totalH > cr.height() - sbh;
  return {std::max(0, cr.width() - (vertical ? sbw : 0)), std::max(0, cr.height() - (horizontal ? sbh : 0))};
}

int32_t TTextGrid::ClientWidth() const { return ClientSize().width(); }
int32_t TTextGrid::ClientHeight() const { return ClientSize().height(); }

int32_t TTextGrid::VisibleRowCount() const {
  const int64_t avail = ClientHeight() - static_cast<int64_t>(HeaderRows()) * d->RowStep();
  if (avail <= 0) return 0;
  return static_cast<int32_t>(std::clamp<int64_t>(avail / d->RowStep(), 0, d->rowCount - TopRow()));
}

int32_t TTextGrid::TopRow() const { return std::min(verticalScrollBar()->value() + HeaderRows(), d->rowCount - 1); }

void TTextGrid::SetTopRow(int32_t row) {
  // The view keeps its rows within the ones that fill it.
  const int32_t value = std::max(row, HeaderRows()) - HeaderRows();
  if (value == verticalScrollBar()->value()) return;
  updateGeometries();
  verticalScrollBar()->setValue(value);
}

int32_t TTextGrid::LeftCol() const {
  return std::max(std::min(d->fixedCols, d->colCount - 1), columnAt(FixedWidth()));
}

void TTextGrid::SetLeftCol(int32_t col) {
  col = std::clamp(col, std::min(d->fixedCols, d->colCount - 1), d->colCount - 1);
  const int32_t value = d->header->sectionPosition(col) - FixedWidth();
  if (value == horizontalScrollBar()->value()) return;
  updateGeometries();
  horizontalScrollBar()->setValue(value);
}

// The view scrolled: the frozen columns follow, and a new top row or left
// column is reported.
void TTextGrid::ScrollChanged() {
  QScrollBar* frozenBar = d->frozen->verticalScrollBar();
  frozenBar->setRange(0, verticalScrollBar()->maximum());
  frozenBar->setValue(verticalScrollBar()->value());
  const int32_t top = TopRow(), left = LeftCol();
  if (top == d->shownTop && left == d->shownLeft) return;
  d->shownTop = top;
  d->shownLeft = left;
  if (OnTopLeftChanged) OnTopLeftChanged(this);
}

TScrollStyle TTextGrid::ScrollBars() const { return d->scrollBars; }
void TTextGrid::SetScrollBars(TScrollStyle s) {
  d->scrollBars = s;
  const Qt::ScrollBarPolicy v = Allows(Qt::Vertical) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
  const Qt::ScrollBarPolicy h = Allows(Qt::Horizontal) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
  // Setting a policy lays the view out again, even an unchanged one.
  if (v == verticalScrollBarPolicy() && h == horizontalScrollBarPolicy()) return;
  setVerticalScrollBarPolicy(v);
  setHorizontalScrollBarPolicy(h);
  UpdateFrozen();
}

TGridOptions TTextGrid::Options() const { return d->options; }
void TTextGrid::SetOptions(TGridOptions o) {
  d->options = o;
  const auto mode = (o & goColSizing) ? QHeaderView::Interactive : QHeaderView::Fixed;
  d->header->setSectionResizeMode(mode);
  d->frozenHeader->setSectionResizeMode(mode);
  d->header->setSectionsMovable(MovingAllowed());
  setSelectionMode((o & goRangeSelect) ? QAbstractItemView::ContiguousSelection : QAbstractItemView::SingleSelection);
  setSelectionBehavior((o & goRowSelect) ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
  ApplyLook();
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


bool TTextGrid::RowColMoving() const { return d->rowColMoving; }
void TTextGrid::SetRowColMoving(bool on) {
  d->rowColMoving = on;
  d->header->setSectionsMovable(MovingAllowed());
}
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

bool TTextGrid::CellBackground(int32_t col, int32_t row, uint32_t& color) const {
  uint32_t bg = 0, fg = 0;
  bool hasFont = false;
  if (!Valid(col, row)) return false;
  if (OnGetCellColor && OnGetCellColor(this, col, row, bg, fg, hasFont)) color = bg;
  else if (d->bands.Active && row >= d->fixedRows && col >= d->fixedCols) color = RowColor(row);
  else return false;
  return true;
}

bool TTextGrid::CellFontColor(int32_t col, int32_t row, uint32_t& color) const {
  uint32_t bg = 0, fg = 0;
  bool hasFont = false;
  if (Valid(col, row) && OnGetCellColor) OnGetCellColor(this, col, row, bg, fg, hasFont);
  if (hasFont) color = fg;
  return hasFont;
}

bool TTextGrid::CellNote(int32_t col, int32_t row, std::string& note, std::string& htmlClass) const {
  note.clear();
  htmlClass.clear();
  return Valid(col, row) && OnCellNote && OnCellNote(this, col, row, note, htmlClass);
}

// ---- marked cell ------------------------------------------------------------------

void TTextGrid::SetMarkedCell(int32_t col, int32_t row) {
  if (!Valid(col, row)) col = row = -1;
  d->cells->SetMark(col, row);
  CellsChanged();
}

int32_t TTextGrid::MarkedCol() const {
  return Valid(d->cells->MarkCol(), d->cells->MarkRow()) ? d->cells->MarkCol() : -1;
}
int32_t TTextGrid::MarkedRow() const {
  return Valid(d->cells->MarkCol(), d->cells->MarkRow()) ? d->cells->MarkRow() : -1;
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
  if (c.isValid() && c.column() >= d->fixedCols) return {c.column(), c.row() + hr, c.column(), c.row() + hr};
  const int32_t col = std::min(d->fixedCols, d->colCount - 1);
  const int32_t row = std::min(d->fixedRows, d->rowCount - 1);
  return {col, row, col, row};
}

void TTextGrid::SetSelection(const TGridRect& r) {
  if (!Valid(r.Left, r.Top) || !Valid(r.Right, r.Bottom) || r.Left > r.Right || r.Top > r.Bottom) return;
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
  selectionModel()->clearSelection();
  selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
  d->selHidden = true;
}

void TTextGrid::RestoreSelection() {
  if (!d->selHidden) return;
  d->selHidden = false;
  SetSelection(d->savedSel);
}

bool TTextGrid::SelectionHidden() const { return d->selHidden; }

// ---- structure -----------------------------------------------------------------

bool TTextGrid::MoveColumn(int32_t from, int32_t to) {
  if (from < d->fixedCols || to < d->fixedCols || from >= d->colCount || to >= d->colCount || from == to)
    return false;
  d->cells->MoveColumn(from, to);
  // Widths and alignments travel with their columns.
  const int32_t first = std::min(from, to);
  std::vector<int32_t> widths;
  for (int32_t c = first; c <= std::max(from, to); ++c) widths.push_back(ColWidth(c));
  MoveItem(widths, from - first, to - first);
  for (size_t i = 0; i < widths.size(); ++i) SetColWidth(first + static_cast<int32_t>(i), widths[i]);
  MoveItem(d->colAlign, from, to);
  d->model->AllChanged();
  return true;
}

// The grid keeps no column order apart from its cells: a section the user
// moved goes back, and the cells move to the column under the pointer.
void TTextGrid::SectionMoved(int, int from, int shownAt) {
  {
    const QSignalBlocker block(d->header);
    d->header->moveSection(shownAt, from);
  }
  int32_t to = d->header->logicalIndexAt(d->header->releaseX);
  if (to < 0) to = d->header->releaseX < 0 ? d->fixedCols : d->colCount - 1;
  to = std::max(to, d->fixedCols);
  viewport()->update();
  if (MoveColumn(from, to) && OnColumnMoved) OnColumnMoved(this, from, to);
}

int32_t TTextGrid::ColumnLeft(int32_t col) const {
  if (col < 0 || col >= d->colCount) return -1;
  if (col < d->fixedCols) return contentsRect().left() + d->header->sectionPosition(col);
  const int32_t x = columnViewportPosition(col);
  return x < FixedWidth() ? -1 : viewport()->x() + x;
}

int32_t TTextGrid::RowTop(int32_t row) const {
  if (row < 0 || row >= d->rowCount) return -1;
  if (row < HeaderRows()) return contentsRect().top();
  const int32_t y = rowViewportPosition(row - HeaderRows());
  return y < 0 ? -1 : viewport()->y() + y;
}

int32_t TTextGrid::RowAtY(int32_t y) const {
  const int32_t top = contentsRect().top();
  if (y < top || y >= top + ClientHeight()) return -1;
  if (y < viewport()->y()) return 0;  // the header
  const int32_t row = rowAt(y - viewport()->y());
  return row < 0 ? -1 : row + HeaderRows();
}

std::string TTextGrid::ShownCaption(int32_t col) const {
  if (col < 0 || col >= d->colCount || HeaderRows() == 0) return {};
  return FromQString(d->delegate->FittedCaption(col));
}

int32_t TTextGrid::CaptionRoom(int32_t col) const { return ColWidth(col) - 2 * kCellTextInset; }

bool TTextGrid::CaptionFits(int32_t col, const std::string& text) const {
  return QFontMetrics(d->font).horizontalAdvance(ToQString(text)) <= CaptionRoom(col);
}

// ---- print settings and HTML export -------------------------------------------

TGridPrintSettings& TTextGrid::PrintSettings() { return d->print; }
const TGridPrintSettings& TTextGrid::PrintSettings() const { return d->print; }
THTMLSettings& TTextGrid::HtmlSettings() { return d->html; }
const THTMLSettings& TTextGrid::HtmlSettings() const { return d->html; }

HtmlGridDataT TTextGrid::HtmlData() const {
  HtmlGridDataT h;
  InitHtmlGrid(h, d->colCount, d->rowCount);
  h.fixedCols = d->fixedCols;
  h.fixedRows = d->fixedRows;
  h.fixedColor = d->fixedColor;
  for (int32_t r = 0; r < d->rowCount; ++r) {
    for (int32_t c = 0; c < d->colCount; ++c) {
      HtmlCellT& cell = HtmlCell(h, c, r);
      cell.text = d->cells->Text(c, r);
      cell.align = CellAlignment(c, r);
      cell.hasBackground = CellBackground(c, r, cell.background);
      cell.hasFontColor = CellFontColor(c, r, cell.fontColor);
      CellNote(c, r, cell.title, cell.cssClass);
      cell.bold = d->font.bold();
      cell.italic = d->font.italic();
      cell.underline = d->font.underline();
    }
  }
  return h;
}

// ---- events ---------------------------------------------------------------------

void TTextGrid::resizeEvent(QResizeEvent* e) {
  QTableView::resizeEvent(e);
  UpdateFrozen();
}

// Reported after Qt's own handling, also when no press came before, which Qt
// takes as a press.
void TTextGrid::mouseDoubleClickEvent(QMouseEvent* e) {
  const QModelIndex i = indexAt(e->position().toPoint());
  QTableView::mouseDoubleClickEvent(e);
  if (e->button() == Qt::LeftButton) DoubleClicked(i);
}

void TTextGrid::DoubleClicked(const QModelIndex& i) {
  if (i.isValid() && OnDblClickCell) OnDblClickCell(this, i.row() + HeaderRows(), i.column());
}

// The arrow keys stay in the scrolled columns.
QModelIndex TTextGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  QModelIndex i = QTableView::moveCursor(action, modifiers);
  if (i.isValid() && i.column() < d->fixedCols) i = d->model->index(i.row(), std::min(d->fixedCols, d->colCount - 1));
  return i;
}

QMenu* TTextGrid::PopupMenu() const { return d->popup.data(); }
void TTextGrid::SetPopupMenu(QMenu* menu) { d->popup = menu; }

void TTextGrid::contextMenuEvent(QContextMenuEvent* e) {
  QPoint at = e->globalPos();
  const QModelIndex current = currentIndex();
  if (e->reason() == QContextMenuEvent::Keyboard && current.isValid())
    at = viewport()->mapToGlobal(visualRect(current).center());
  if (d->popup) d->popup->popup(at);
}

bool TTextGrid::event(QEvent* e) {
  // The header and the frozen columns leave their menu events to the grid,
  // which a scroll area would ignore.
  if (e->type() == QEvent::ContextMenu) {
    contextMenuEvent(static_cast<QContextMenuEvent*>(e));
    return true;
  }
  return QTableView::event(e);
}
