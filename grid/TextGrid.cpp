#include "grid/TextGrid.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "components/QtText.h"
#include "util/valstr.h"

namespace {

QColor ToQColor(uint32_t c) {
  const uint32_t rgb = ResolveColor(c);
  return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                static_cast<int>((rgb >> 16) & 0xFF));
}

constexpr int32_t kSizeGrip = 3;    // pixels either side of a column border
constexpr int32_t kDragStart = 4;   // movement before a press becomes a drag
constexpr int32_t kMaxRows = 10000000;
constexpr int32_t kMaxCols = 100000;

enum class DragMode { None, Pending, Sizing, Moving };

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
  TGridRect sel{1, 1, 1, 1};
  TGridRect savedSel{1, 1, 1, 1};
  bool selHidden = false;
  TGridPrintSettings print{};
  THTMLSettings html;
  QScrollBar* vbar = nullptr;
  QScrollBar* hbar = nullptr;
  bool updatingBars = false;
  // drag state
  DragMode drag = DragMode::None;
  int32_t dragCol = -1;
  int32_t dragTarget = -1;
  int32_t pressX = 0;
  int32_t pressY = 0;
  int32_t pressWidth = 0;
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

TTextGrid::TTextGrid(QWidget* parent) : QWidget(parent), d(new Impl) {
  d->font = QWidget::font();
  d->print.FontName.clear();
  InitPrintSettings(d->print);
  InitHtmlSettings(d->html);
  d->Resize();
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  d->vbar = new QScrollBar(Qt::Vertical, this);
  d->hbar = new QScrollBar(Qt::Horizontal, this);
  d->vbar->hide();
  d->hbar->hide();
  connect(d->vbar, &QScrollBar::valueChanged, this, [this] { ScrollChanged(); });
  connect(d->hbar, &QScrollBar::valueChanged, this, [this] { ScrollChanged(); });
  setContentsMargins(2, 2, 2, 2);
  resize(320, 120);
  UpdateScrollBars();
}

TTextGrid::~TTextGrid() { delete d; }

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
  update();
}

void TTextGrid::ClearCells() {
  for (auto& r : d->cells) r.clear();
  update();
}

// ---- dimensions -------------------------------------------------------------

int32_t TTextGrid::ColCount() const { return d->colCount; }
void TTextGrid::SetColCount(int32_t n) {
  n = std::clamp(n, 1, kMaxCols);
  if (n == d->colCount) return;
  d->colCount = n;
  d->fixedCols = std::min(d->fixedCols, n - 1);
  d->Resize();
  if (d->selHidden) {
    d->sel = {d->colCount, d->rowCount, d->colCount, d->rowCount};
  } else {
    d->sel.Right = std::min(d->sel.Right, n - 1);
    d->sel.Left = std::min(d->sel.Left, d->sel.Right);
  }
  UpdateScrollBars();
  SetTopLeft(d->topRow, d->leftCol);
  update();
}

int32_t TTextGrid::RowCount() const { return d->rowCount; }
void TTextGrid::SetRowCount(int32_t n) {
  n = std::clamp(n, 1, kMaxRows);
  if (n == d->rowCount) return;
  d->rowCount = n;
  d->fixedRows = std::min(d->fixedRows, n - 1);
  d->Resize();
  if (d->selHidden) {
    d->sel = {d->colCount, d->rowCount, d->colCount, d->rowCount};
  } else {
    d->sel.Bottom = std::min(d->sel.Bottom, n - 1);
    d->sel.Top = std::min(d->sel.Top, d->sel.Bottom);
  }
  UpdateScrollBars();
  SetTopLeft(d->topRow, d->leftCol);
  update();
}

int32_t TTextGrid::FixedCols() const { return d->fixedCols; }
void TTextGrid::SetFixedCols(int32_t n) {
  n = std::clamp(n, 0, d->colCount - 1);
  if (n == d->fixedCols) return;
  d->fixedCols = n;
  UpdateScrollBars();
  SetTopLeft(d->topRow, d->leftCol);
  update();
}

int32_t TTextGrid::FixedRows() const { return d->fixedRows; }
void TTextGrid::SetFixedRows(int32_t n) {
  n = std::clamp(n, 0, d->rowCount - 1);
  if (n == d->fixedRows) return;
  d->fixedRows = n;
  UpdateScrollBars();
  SetTopLeft(d->topRow, d->leftCol);
  update();
}

int32_t TTextGrid::DefaultColWidth() const { return d->defaultColWidth; }
void TTextGrid::SetDefaultColWidth(int32_t w) { d->defaultColWidth = std::clamp(w, 0, 100000); }

int32_t TTextGrid::ColWidth(int32_t col) const {
  if (col < 0 || col >= d->colCount) return -1;
  return d->colWidths[static_cast<size_t>(col)];
}
void TTextGrid::SetColWidth(int32_t col, int32_t w) {
  if (col < 0 || col >= d->colCount) return;
  d->colWidths[static_cast<size_t>(col)] = std::clamp(w, 0, 100000);
  UpdateScrollBars();
  update();
}

int32_t TTextGrid::DefaultRowHeight() const { return d->defaultRowHeight; }
void TTextGrid::SetDefaultRowHeight(int32_t h) {
  d->defaultRowHeight = std::clamp(h, 1, 10000);
  UpdateScrollBars();
  update();
}

int32_t TTextGrid::GridLineWidth() const { return d->lineWidth; }
void TTextGrid::SetGridLineWidth(int32_t w) {
  d->lineWidth = std::clamp(w, 0, 10);
  UpdateScrollBars();
  update();
}

// Which scroll bars the current size and contents call for. Worked out from
// the geometry rather than the bars' visibility, so the client size is right
// even before a pending resize event has reached the grid.
void TTextGrid::NeedScrollBars(bool& vertical, bool& horizontal) const {
  const QRect cr = contentsRect();
  const int32_t sbw = d->vbar->sizeHint().width();
  const int32_t sbh = d->hbar->sizeHint().height();
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
  if (v) w -= d->vbar->sizeHint().width();
  return std::max(0, w);
}

int32_t TTextGrid::ClientHeight() const {
  bool v = false, hz = false;
  NeedScrollBars(v, hz);
  int32_t h = contentsRect().height();
  if (hz) h -= d->hbar->sizeHint().height();
  return std::max(0, h);
}

namespace {
int64_t FixedRowsHeight(int32_t fixedRows, int32_t step) {
  return static_cast<int64_t>(fixedRows) * step;
}
}  // namespace

int32_t TTextGrid::VisibleRowCount() const {
  const int64_t avail = ClientHeight() - FixedRowsHeight(d->fixedRows, d->RowStep());
  if (avail <= 0) return 0;
  const int64_t fit = avail / d->RowStep();
  return static_cast<int32_t>(std::min<int64_t>(fit, d->rowCount - d->topRow));
}

int32_t TTextGrid::VisibleColCount() const {
  int64_t x = 0;
  for (int32_t c = 0; c < d->fixedCols; ++c) x += ColWidth(c) + d->lineWidth;
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
  int64_t used = sizes.empty() ? 0 : 0;
  for (int32_t i = count - 1; i >= fixed; --i) {
    used += (sizes.empty() ? 0 : sizes[static_cast<size_t>(i)]) + line;
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
  const int64_t availH = ClientHeight() - FixedRowsHeight(d->fixedRows, d->RowStep());
  int32_t maxTop = d->rowCount - 1;
  if (availH > 0) {
    const int64_t fit = std::max<int64_t>(1, availH / d->RowStep());
    maxTop = static_cast<int32_t>(std::max<int64_t>(d->fixedRows, d->rowCount - fit));
  }
  int64_t fixedW = 0;
  for (int32_t c = 0; c < d->fixedCols; ++c) fixedW += ColWidth(c) + d->lineWidth;
  const int32_t maxLeft =
      MaxFirst(d->fixedCols, d->colCount, ClientWidth() - fixedW, d->colWidths, d->lineWidth);
  top = std::clamp(top, std::min(d->fixedRows, d->rowCount - 1), std::max(d->fixedRows, maxTop));
  left = std::clamp(left, std::min(d->fixedCols, d->colCount - 1), std::max(d->fixedCols, maxLeft));
  top = std::min(top, d->rowCount - 1);
  left = std::min(left, d->colCount - 1);
  if (top == d->topRow && left == d->leftCol) return;
  d->topRow = top;
  d->leftCol = left;
  d->updatingBars = true;
  d->vbar->setValue(top);
  d->hbar->setValue(left);
  d->updatingBars = false;
  update();
  if (OnTopLeftChanged) OnTopLeftChanged(this);
}

void TTextGrid::UpdateScrollBars() {
  const QRect cr = contentsRect();
  const int32_t sbw = d->vbar->sizeHint().width();
  const int32_t sbh = d->hbar->sizeHint().height();
  bool needV = false, needH = false;
  NeedScrollBars(needV, needH);
  d->vbar->setVisible(needV);
  d->hbar->setVisible(needH);
  if (needV)
    d->vbar->setGeometry(cr.right() + 1 - sbw, cr.top(), sbw, cr.height() - (needH ? sbh : 0));
  if (needH)
    d->hbar->setGeometry(cr.left(), cr.bottom() + 1 - sbh, cr.width() - (needV ? sbw : 0), sbh);
  d->updatingBars = true;
  d->vbar->setRange(d->fixedRows, std::max(d->fixedRows, d->rowCount - 1));
  d->hbar->setRange(d->fixedCols, std::max(d->fixedCols, d->colCount - 1));
  d->vbar->setPageStep(std::max(1, VisibleRowCount()));
  d->hbar->setPageStep(std::max(1, VisibleColCount()));
  d->vbar->setTracking(d->syncScroll);
  d->hbar->setTracking(d->syncScroll);
  d->vbar->setValue(d->topRow);
  d->hbar->setValue(d->leftCol);
  d->updatingBars = false;
}

void TTextGrid::ScrollChanged() {
  if (d->updatingBars) return;
  SetTopLeft(d->vbar->value(), d->hbar->value());
}

TScrollStyle TTextGrid::ScrollBars() const { return d->scrollBars; }
void TTextGrid::SetScrollBars(TScrollStyle s) {
  d->scrollBars = s;
  UpdateScrollBars();
  update();
}

TGridOptions TTextGrid::Options() const { return d->options; }
void TTextGrid::SetOptions(TGridOptions o) {
  d->options = o;
  update();
}

// ---- look -------------------------------------------------------------------

QFont TTextGrid::Font() const { return d->font; }
void TTextGrid::SetFont(const QFont& f) {
  d->font = f;
  update();
}
std::string TTextGrid::FontName() const { return FromQString(d->font.family()); }
void TTextGrid::SetFontName(const std::string& name) {
  d->font.setFamily(ToQString(name));
  update();
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
  update();
}
uint32_t TTextGrid::FontColor() const { return d->fontColor; }
void TTextGrid::SetFontColor(uint32_t c) { d->fontColor = c; update(); }
uint32_t TTextGrid::Color() const { return d->color; }
void TTextGrid::SetColor(uint32_t c) { d->color = c; update(); }
uint32_t TTextGrid::FixedColor() const { return d->fixedColor; }
void TTextGrid::SetFixedColor(uint32_t c) { d->fixedColor = c; update(); }
uint32_t TTextGrid::GridLineColor() const { return d->lineColor; }
void TTextGrid::SetGridLineColor(uint32_t c) { d->lineColor = c; update(); }
uint32_t TTextGrid::SelectionColor() const { return d->selColor; }
void TTextGrid::SetSelectionColor(uint32_t c) { d->selColor = c; update(); }
const TGridBands& TTextGrid::Bands() const { return d->bands; }
void TTextGrid::SetBands(const TGridBands& b) { d->bands = b; update(); }
bool TTextGrid::BandsActive() const { return d->bands.Active; }
void TTextGrid::SetBandsActive(bool on) { d->bands.Active = on; update(); }
void TTextGrid::SetBandPrimaryColor(uint32_t c) { d->bands.PrimaryColor = c; update(); }
void TTextGrid::SetBandSecondaryColor(uint32_t c) { d->bands.SecondaryColor = c; update(); }

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
  const int m = on ? 2 : 0;
  setContentsMargins(m, m, m, m);
  UpdateScrollBars();
  update();
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
  d->vbar->setTracking(on);
  d->hbar->setTracking(on);
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
  update();
}
bool TTextGrid::WordWrap() const { return d->wordWrap; }
void TTextGrid::SetWordWrap(bool on) { d->wordWrap = on; update(); }
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

// ---- popup menu ---------------------------------------------------------------

QMenu* TTextGrid::PopupMenu() const { return d->popup.data(); }
void TTextGrid::SetPopupMenu(QMenu* menu) { d->popup = menu; }

// ---- selection ----------------------------------------------------------------

TGridRect TTextGrid::Selection() const { return d->sel; }

void TTextGrid::SetSelection(const TGridRect& r) {
  if (!d->Valid(r.Left, r.Top) || !d->Valid(r.Right, r.Bottom) || r.Left > r.Right ||
      r.Top > r.Bottom)
    return;
  d->sel = r;
  d->selHidden = false;
  update();
}

void TTextGrid::SelectCell(int32_t col, int32_t row) { SetSelection({col, row, col, row}); }

void TTextGrid::HideSelection() {
  if (!d->selHidden) d->savedSel = d->sel;
  d->selHidden = true;
  d->sel = {d->colCount, d->rowCount, d->colCount, d->rowCount};
  update();
}

void TTextGrid::RestoreSelection() {
  if (!d->selHidden) return;
  TGridRect r = d->savedSel;
  d->selHidden = false;
  d->sel = {1, 1, 1, 1};
  SetSelection(r);
  update();
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
  update();
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
  if (row >= d->fixedRows && row < d->topRow) return -1;
  int64_t y = contentsRect().top();
  if (row < d->fixedRows)
    y += static_cast<int64_t>(row) * d->RowStep();
  else
    y += FixedRowsHeight(d->fixedRows, d->RowStep()) + static_cast<int64_t>(row - d->topRow) * d->RowStep();
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
  const int64_t fixedH = FixedRowsHeight(d->fixedRows, d->RowStep());
  int64_t row;
  if (rel < fixedH)
    row = rel / d->RowStep();
  else
    row = d->topRow + (rel - fixedH) / d->RowStep();
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

void TTextGrid::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect cr = contentsRect();
  p.fillRect(rect(), palette().window());
  if (d->borderSingle) {
    p.setPen(palette().dark().color());
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setPen(palette().shadow().color());
    p.drawRect(rect().adjusted(1, 1, -2, -2));
  }
  const QRect client(cr.left(), cr.top(), ClientWidth(), ClientHeight());
  p.setClipRect(client);
  p.fillRect(client, ToQColor(d->color));
  p.setFont(d->font);
  const QColor lineColor = ToQColor(d->lineColor);
  const int32_t lw = d->lineWidth;

  auto paintCell = [&](int32_t col, int32_t row, int32_t x, int32_t y) {
    const int32_t w = ColWidth(col);
    const int32_t h = d->defaultRowHeight;
    const bool fixed = col < d->fixedCols || row < d->fixedRows;
    const bool selected = !fixed && !d->selHidden && col >= d->sel.Left && col <= d->sel.Right &&
                          row >= d->sel.Top && row <= d->sel.Bottom;
    QColor bg = fixed ? ToQColor(d->fixedColor) : ToQColor(RowColor(row));
    QColor fg = ToQColor(d->fontColor);
    uint32_t c = 0;
    if (!fixed && CellBackground(col, row, c)) bg = ToQColor(c);
    if (CellFontColor(col, row, c)) fg = ToQColor(c);
    if (selected) {
      bg = ToQColor(d->selColor);
      fg = ToQColor(clHighlightText);
    }
    p.fillRect(x, y, w, h, bg);
    const std::string& text = d->At(col, row);
    if (!text.empty()) {
      int flags = Qt::AlignVCenter;
      switch (CellAlignment(col, row)) {
        case TCellAlign::Left: flags |= Qt::AlignLeft; break;
        case TCellAlign::Center: flags |= Qt::AlignHCenter; break;
        case TCellAlign::Right: flags |= Qt::AlignRight; break;
      }
      if (d->wordWrap) flags |= Qt::TextWordWrap;
      p.setPen(fg);
      p.save();
      p.setClipRect(QRect(x, y, w, h).intersected(client));
      p.drawText(QRect(x + 2, y, w - 4, h), flags, ToQString(text));
      p.restore();
    }
    if (lw > 0) {
      const bool vert = (d->options & (fixed ? goFixedVertLine : goVertLine)) != 0;
      const bool horz = (d->options & (fixed ? goFixedHorzLine : goHorzLine)) != 0;
      p.fillRect(x + w, y, lw, h + lw, vert ? lineColor : bg);
      p.fillRect(x, y + h, w, lw, horz ? lineColor : bg);
    }
  };

  std::vector<int32_t> cols;
  for (int32_t c = 0; c < d->fixedCols; ++c) cols.push_back(c);
  for (int32_t c = d->leftCol; c < d->colCount; ++c) cols.push_back(c);
  int64_t y = cr.top();
  auto paintRow = [&](int32_t row) {
    int64_t x = cr.left();
    for (int32_t c : cols) {
      if (x >= client.right() + 1) break;
      paintCell(c, row, static_cast<int32_t>(x), static_cast<int32_t>(y));
      x += ColWidth(c) + lw;
    }
    y += d->RowStep();
  };
  for (int32_t r = 0; r < d->fixedRows && y <= client.bottom(); ++r) paintRow(r);
  for (int32_t r = d->topRow; r < d->rowCount && y <= client.bottom(); ++r) paintRow(r);

  if (d->drag == DragMode::Moving && d->dragTarget >= 0) {
    int32_t x = ColumnLeft(d->dragTarget);
    if (d->dragTarget > d->dragCol && x >= 0) x += ColWidth(d->dragTarget);
    if (x >= 0) p.fillRect(x - 1, client.top(), 3, client.height(), Qt::black);
  }
}

void TTextGrid::resizeEvent(QResizeEvent*) {
  UpdateScrollBars();
  SetTopLeft(d->topRow, d->leftCol);
}

// ---- mouse and keys ----------------------------------------------------------

void TTextGrid::mousePressEvent(QMouseEvent* e) {
  const int32_t x = static_cast<int32_t>(e->position().x());
  const int32_t y = static_cast<int32_t>(e->position().y());
  if (e->button() != Qt::LeftButton) return;
  setFocus();
  d->pressX = x;
  d->pressY = y;
  d->pressRow = RowAtY(y);
  d->dragCol = ColumnAtX(x);
  d->drag = DragMode::None;
  if (d->pressRow < 0 || d->dragCol < 0) return;
  // A border grip in a fixed row sizes the column on its left.
  if ((d->options & goColSizing) && d->pressRow < d->fixedRows) {
    const int32_t c = ColumnAtX(x - kSizeGrip - d->lineWidth);
    const int32_t right = c >= 0 ? ColumnLeft(c) + ColWidth(c) : -1;
    if (c >= 0 && std::abs(x - right) <= kSizeGrip) {
      d->drag = DragMode::Sizing;
      d->dragCol = c;
      d->pressWidth = ColWidth(c);
      return;
    }
  }
  d->drag = DragMode::Pending;
  if (d->dragCol >= d->fixedCols && d->pressRow >= d->fixedRows) SelectCell(d->dragCol, d->pressRow);
}

void TTextGrid::mouseMoveEvent(QMouseEvent* e) {
  const int32_t x = static_cast<int32_t>(e->position().x());
  if (d->drag == DragMode::None) {
    bool grip = false;
    const int32_t row = RowAtY(static_cast<int32_t>(e->position().y()));
    if ((d->options & goColSizing) && row >= 0 && row < d->fixedRows) {
      const int32_t c = ColumnAtX(x - kSizeGrip - d->lineWidth);
      grip = c >= 0 && std::abs(x - (ColumnLeft(c) + ColWidth(c))) <= kSizeGrip;
    }
    setCursor(grip ? Qt::SplitHCursor : Qt::ArrowCursor);
    return;
  }
  if (d->drag == DragMode::Sizing) {
    SetColWidth(d->dragCol, d->pressWidth + x - d->pressX);
    return;
  }
  if (d->drag == DragMode::Pending) {
    const bool canMove = (d->options & goColMoving) && d->rowColMoving && d->pressRow < d->fixedRows &&
                         d->dragCol >= d->fixedCols;
    if (canMove && std::abs(x - d->pressX) >= kDragStart) d->drag = DragMode::Moving;
  }
  if (d->drag == DragMode::Moving) {
    int32_t t = ColumnAtX(x);
    if (t < 0) t = x < contentsRect().left() + 1 ? d->fixedCols : d->colCount - 1;
    d->dragTarget = std::max(t, d->fixedCols);
    update();
  }
}

void TTextGrid::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  const DragMode mode = d->drag;
  d->drag = DragMode::None;
  if (mode == DragMode::Moving) {
    const int32_t from = d->dragCol, to = d->dragTarget;
    d->dragTarget = -1;
    update();
    if (MoveColumn(from, to) && OnColumnMoved) OnColumnMoved(this, from, to);
    return;
  }
  if (mode == DragMode::Pending && OnClickCell) OnClickCell(this, d->pressRow, d->dragCol);
}

void TTextGrid::mouseDoubleClickEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  const int32_t col = ColumnAtX(static_cast<int32_t>(e->position().x()));
  const int32_t row = RowAtY(static_cast<int32_t>(e->position().y()));
  if (col < 0 || row < 0) return;
  if (OnDblClickCell) OnDblClickCell(this, row, col);
}

void TTextGrid::wheelEvent(QWheelEvent* e) {
  const int steps = e->angleDelta().y() / 40;
  if (steps != 0) SetTopRow(d->topRow - steps);
  e->accept();
}

void TTextGrid::keyPressEvent(QKeyEvent* e) {
  if (d->selHidden) {
    QWidget::keyPressEvent(e);
    return;
  }
  int32_t col = d->sel.Left, row = d->sel.Top;
  const int32_t page = std::max(1, VisibleRowCount());
  switch (e->key()) {
    case Qt::Key_Left: --col; break;
    case Qt::Key_Right: ++col; break;
    case Qt::Key_Up: --row; break;
    case Qt::Key_Down: ++row; break;
    case Qt::Key_PageUp: row -= page; break;
    case Qt::Key_PageDown: row += page; break;
    case Qt::Key_Home: col = d->fixedCols; break;
    case Qt::Key_End: col = d->colCount - 1; break;
    default: QWidget::keyPressEvent(e); return;
  }
  col = std::clamp(col, d->fixedCols, d->colCount - 1);
  row = std::clamp(row, d->fixedRows, d->rowCount - 1);
  SelectCell(col, row);
  // Keep the selected cell in view.
  int32_t top = d->topRow, left = d->leftCol;
  if (row < top) top = row;
  else if (row >= top + page) top = row - page + 1;
  if (col < left) left = col;
  else if (col >= left + std::max(1, VisibleColCount())) left = col;
  SetTopLeft(top, left);
}

void TTextGrid::contextMenuEvent(QContextMenuEvent* e) {
  if (d->popup) d->popup->popup(e->globalPos());
}

bool TTextGrid::event(QEvent* e) {
  if (e->type() == QEvent::ToolTip) {
    auto* he = static_cast<QHelpEvent*>(e);
    const int32_t col = ColumnAtX(he->pos().x());
    const int32_t row = RowAtY(he->pos().y());
    std::string text = Cell(col, row);
    bool show = d->cellHints && !text.empty();
    if (show && d->largeTextHints)
      show = QFontMetrics(d->font).horizontalAdvance(ToQString(text)) + 4 > ColWidth(col);
    if (show)
      QToolTip::showText(he->globalPos(), ToQString(text), this);
    else
      QToolTip::hideText();
    return true;
  }
  return QWidget::event(e);
}
