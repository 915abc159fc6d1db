#include "window/grid/easygrid.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QSignalBlocker>
#include <algorithm>
#include <exception>

#include "window/components/QtText.h"
#include "window/grid/ComponentHandlingGrid.h"
#include "window/panels/ComponentHandling.h"
#include "util/Diskop.h"
#include "util/exposit.h"
#include "util/repl.h"

namespace {

// Forwards the hooked form's resize and (previewed) key-down events.
class GridFormHook : public QObject {
 public:
  GridFormHook(TEasyGrid& g, QWidget* form) : QObject(form), g_(g), form_(form) {
    form->installEventFilter(this);
    qApp->installEventFilter(this);
  }
  ~GridFormHook() override {
    if (qApp) qApp->removeEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() == QEvent::Resize && watched == form_) {
      RelayoutPanels(g_);
      if (g_.chainedResize) g_.chainedResize(form_);
      return false;
    }
    if (e->type() == QEvent::KeyPress) {
      // Key preview: the form sees every key of its controls first, once.
      auto* w = qobject_cast<QWidget*>(watched);
      if (!w || w->window() != form_ || !w->hasFocus()) return false;
      auto* ke = static_cast<QKeyEvent*>(e);
      int32_t key = ke->key();
      GridKeyDown(g_, form_, key, ke->modifiers());
      return key == 0;  // a handler that cleared the key has consumed it
    }
    return false;
  }

 private:
  TEasyGrid& g_;
  QWidget* form_;
};

bool ValidSlot(const TEasyGrid& g, int32_t slot) { return slot >= 1 && slot <= g.columnCount; }

ColDataT& Slot(TEasyGrid& g, int32_t slot) { return g.columns[static_cast<size_t>(slot)]; }
const ColDataT& Slot(const TEasyGrid& g, int32_t slot) { return g.columns[static_cast<size_t>(slot)]; }

std::string GeometryText(const QRect& r) {
  return std::to_string(r.x()) + "," + std::to_string(r.y()) + "," + std::to_string(r.width()) +
         "," + std::to_string(r.height());
}

QRect GeometryFromText(std::string s) {
  const int32_t x = CutNumberToken(s), y = CutNumberToken(s);
  const int32_t w = CutNumberToken(s), h = CutNumberToken(s);
  return QRect(x, y, w, h);
}

void WaitForLeftButtonUp() {
  while (QGuiApplication::mouseButtons() & Qt::LeftButton)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

void ShowSortSpec(TEasyGrid& g) {
  if (!g.sortLabel || !g.table) return;
  const QSignalBlocker block(g.sortLabel.data());
  g.sortLabel->setText(ToQString(g.table->sortSpec));
}

// Visible columns, and how many of them lead as fixed columns; none when no
// column would scroll.
int32_t ShownColumns(const TEasyGrid& g, int32_t& fixed) {
  int32_t n = VisibleColumnCount(g);
  fixed = 0;
  const int32_t firstSlot = ColumnSlotOf(g, FirstVisibleId(g));
  if (firstSlot > 0) {
    for (int32_t s = firstSlot; s <= g.columnCount; ++s) {
      if (!Slot(g, s).visible) continue;
      if (!Slot(g, s).fixed) break;
      ++fixed;
    }
  }
  if (fixed >= n) n = fixed = 0;
  return n;
}

// The binder's table as its grid shows it: the visible columns in their
// order, their captions as the header, the rows of the shown window, and the
// marked cell wherever its column is shown.
class TTableCells : public TGridCells {
 public:
  explicit TTableCells(TEasyGrid& g) : g_(g) {}
  std::string Text(int32_t col, int32_t row) const override {
    int32_t fixed = 0;
    if (ShownColumns(g_, fixed) == 0) {
      // Nothing to show: the one cell says why.
      const bool hasData = g_.table && g_.table->rowCount > 0 && g_.columnCount > 0;
      return col == 0 && row == 0 ? (hasData ? "No Data displayable" : "No Data") : "";
    }
    const int32_t slot = ColumnSlotOf(g_, ColumnIdAt(g_, col));
    if (!ValidSlot(g_, slot)) return {};
    if (row == 0) return Slot(g_, slot).caption;
    if (!g_.table || row < g_.firstShownRow || row > g_.lastShownRow) return {};
    return GetCellText(*g_.table, row, Slot(g_, slot).id);
  }
  // A write goes into the table, or into the caption for the header.
  void SetText(int32_t col, int32_t row, const std::string& text) override {
    const int32_t slot = ColumnSlotOf(g_, ColumnIdAt(g_, col));
    if (!ValidSlot(g_, slot)) return;
    if (row == 0) Slot(g_, slot).caption = text;
    else if (g_.table) SetCell(*g_.table, row, Slot(g_, slot).id, text);
  }
  // ColumnMoved moves the column definitions.
  void MoveColumn(int32_t, int32_t) override {}
  void Resize(int32_t, int32_t) override {}
  void SetMark(int32_t col, int32_t row) override {
    g_.markId = col >= 0 ? ColumnIdAt(g_, col) : -1;
    g_.markRow = row;
  }
  int32_t MarkCol() const override {
    int32_t fixed = 0;
    if (g_.markId < 0 || ShownColumns(g_, fixed) == 0) return -1;
    return std::max(-1, VisualColumnOf(g_, g_.markId));
  }
  int32_t MarkRow() const override { return MarkCol() >= 0 ? g_.markRow : -1; }

 private:
  TEasyGrid& g_;
};

// The table's texts, captions or mark changed: a bound grid shows them.
void ShowChanges(TEasyGrid& g) {
  if (g.grid && g.cells && g.grid->CellSource() == g.cells.get()) g.grid->CellsChanged();
}

void AddPlaceholder(TEasyGrid& g, const std::string& caption, int32_t id, const std::string& rule,
                    const std::string& sortName, const std::string& menuCaption) {
  AddSortColumn(g, caption, id, false, rule, sortName, menuCaption);
}

}  // namespace

TEasyGrid::~TEasyGrid() {
  delete hook.data();
  // The grid may outlive the record: nothing of it may call back in here.
  if (!grid) return;
  if (cells && grid->CellSource() == cells.get()) grid->SetCellSource(nullptr);
  if (QMenu* m = grid->PopupMenu(); m && m->objectName() == "easygrid_menu") {
    grid->SetPopupMenu(nullptr);
    delete m;
  }
  if (hookMode) {
    grid->OnTopLeftChanged = nullptr;
    grid->OnColumnMoved = nullptr;
    grid->OnDblClickCell = nullptr;
    grid->OnClickCell = nullptr;
  }
}

// ---- set-up ----------------------------------------------------------------

void ResetBinder(TEasyGrid& g) {
  if (g.grid) g.grid->SetFont(g.savedFont);
  g.markId = -1;
  g.markRow = 0;
  g.firstShownRow = 1;
  g.lastShownRow = 0;
  g.rowMargin = 50;
  g.layoutIndex = 1;
  g.columnCount = 0;
  g.columns.resize(1);
  g.columns[0] = ColDataT{};
  g.defaultColumn = false;
  g.maximized = false;
  g.panelsHidden = false;
  g.maximizeAllowed = true;
  g.frameMargin = 0;
  g.menuPos.fill(-1);
  if (g.grid) {
    QMenu* old = g.grid->PopupMenu();
    g.grid->SetPopupMenu(nullptr);
    if (old && old->objectName() == "easygrid_menu") old->deleteLater();
  }
  g.sortLabel = nullptr;
  g.layoutSource = nullptr;
  g.layoutList.clear();
  g.afterToggle = nullptr;
}

void SetupGrid(TEasyGrid& g, const TWindowServices& services, TTextGrid* grid, ArrayOfFiles& table, bool hook,
               bool registerLayout) {
  if (g.grid && g.cells && g.grid->CellSource() == g.cells.get()) g.grid->SetCellSource(nullptr);
  if (!g.cells) g.cells = std::make_unique<TTableCells>(g);
  g.services = &services;
  InitPanels(g.panels, services.animation);
  g.resizeGuard = false;
  g.grid = grid;
  g.table = &table;
  g.savedFont = grid ? grid->Font() : QFont();
  g.sizeCache.assign(2, std::string());
  g.panelColumns = 2;
  g.height1 = 10;
  g.height2 = 10;
  InitPanels(g.gridPanels, services.animation);
  g.gridPanels.layoutText.clear();
  g.panels.OnChange = [&g] { RelayoutPanels(g); };
  ResetBinder(g);
  if (!grid) return;

  g.hookMode = hook;
  if (hook) {
    QWidget* parent = grid->parentWidget();
    auto* parentPanel = qobject_cast<TPanel*>(parent);
    g.onPanel = false;
    g.form = nullptr;
    g.panel = nullptr;
    g.container = nullptr;
    if (parent && parent->isWindow()) {
      g.form = parent;
      g.container = parent;
    } else if (parentPanel && parentPanel->parentWidget() && parentPanel->parentWidget()->isWindow()) {
      g.form = parentPanel->parentWidget();
      g.panel = parentPanel;
      g.container = parentPanel;
      g.onPanel = true;
      g.gridPanels.titleBarsShown = false;
      g.gridPanels.layoutText = RegisterChildPanels(g.gridPanels, parentPanel, false);
    }
    if (g.form) {
      delete g.hook.data();
      g.hook = new GridFormHook(g, g.form);
    }
    StyleGrid(grid);
    SetDoubleBuffered(grid, false);
    grid->OnTopLeftChanged = [&g](TTextGrid*) { RefreshGrid(g); };
    grid->OnColumnMoved = [&g](TTextGrid*, int32_t from, int32_t to) { ColumnMoved(g, from, to); };
    grid->OnDblClickCell = [&g](TTextGrid*, int32_t row, int32_t) {
      // Only a file that exists: any other text would be handed to the shell.
      if (g.table && FileExists(GetCell(*g.table, row, 10))) OpenCellTarget(*g.table, row, 10, g.services->desktop);
    };
    grid->SetRowCount(2);
    BuildGridMenu(g);
    grid->OnClickCell = [&g](TTextGrid*, int32_t row, int32_t col) {
      HeaderClickSort(g, row, col, QGuiApplication::keyboardModifiers());
    };
    if (g.panel) {
      g.panel->SetBevelInner(BevelCut::None);
      g.panel->SetBevelOuter(BevelCut::None);
    }
    AddPlaceholder(g, "#orig", 45, "10|20|50", "original number", "Original number");
    AddColumnEx(g, "#", 26, false, "10|20|50", "Number");
    AddPlaceholder(g, "Data", 0, "80", "data", "Data");
    g.defaultColumn = true;
    SetColumnGrouping(table, 45, true);
    SetColumnGrouping(table, 26, true);
    SetColumnVisible(g, 45, false, false);
    SetColumnVisible(g, 26, false, false);
  }
  if (registerLayout && g.form)
    SetLayoutText(g.panels, "ord:" + RegisterChildPanels(g.panels, g.form, false));
}

// ---- columns ---------------------------------------------------------------

int32_t ColumnSlotOf(const TEasyGrid& g, int32_t id) {
  if (id < 0) return -1;
  for (int32_t s = 1; s <= g.columnCount; ++s)
    if (Slot(g, s).id == id) return s;
  return -1;
}

void AddColumn(TEasyGrid& g, const std::string& caption, int32_t id, bool refresh) {
  if (g.defaultColumn) {
    const int32_t s = ColumnSlotOf(g, 0);
    if (s > 0) {
      g.columns.erase(g.columns.begin() + s);
      --g.columnCount;
    }
    g.defaultColumn = false;
  }
  int32_t slot = ColumnSlotOf(g, id);
  if (slot < 0) {
    ++g.columnCount;
    g.columns.resize(static_cast<size_t>(g.columnCount) + 1);
    slot = g.columnCount;
  }
  ColDataT& c = Slot(g, slot);
  c.id = id;
  c.visible = true;
  c.fixed = false;
  c.inMenu = true;
  c.menuCaption = caption;
  c.widthRule = "0.1|20";
  if (g.table && !g.table->sortNameSeparator.empty())
    c.sortName = LowerCaseText(caption);
  else
    c.sortName = LowerCaseText(caption.substr(0, 1));
  if (g.table) AddSortKeyName(*g.table, id, c.sortName);
  c.caption = caption;
  if (refresh) {
    BuildGridMenu(g);
    RefreshGrid(g);
  }
}

void AddColumnEx(TEasyGrid& g, const std::string& caption, int32_t id, bool refresh,
                 const std::string& widthRule, const std::string& menuCaption) {
  AddColumn(g, caption, id, false);
  const int32_t s = ColumnSlotOf(g, id);
  if (ValidSlot(g, s)) {
    Slot(g, s).widthRule = widthRule;
    Slot(g, s).menuCaption = menuCaption;
  }
  if (refresh) {
    BuildGridMenu(g);
    RefreshGrid(g);
  }
}

void AddSortColumn(TEasyGrid& g, const std::string& caption, int32_t id, bool refresh,
                   const std::string& widthRule, const std::string& sortName,
                   const std::string& menuCaption) {
  AddColumn(g, caption, id, false);
  const int32_t s = ColumnSlotOf(g, id);
  if (ValidSlot(g, s)) {
    Slot(g, s).widthRule = widthRule;
    Slot(g, s).menuCaption = menuCaption;
    Slot(g, s).sortName = LowerCaseText(sortName);
    if (g.table) AddSortKeyName(*g.table, id, Slot(g, s).sortName);
  }
  if (refresh) {
    BuildGridMenu(g);
    RefreshGrid(g);
  }
}

void SetColumnFixed(TEasyGrid& g, int32_t id, bool fixed) {
  const int32_t s = ColumnSlotOf(g, id);
  if (!ValidSlot(g, s)) return;
  Slot(g, s).fixed = fixed;
  LayoutColumns(g, -1);
}

void SetColumnCaption(TEasyGrid& g, int32_t id, const std::string& text) {
  const int32_t s = ColumnSlotOf(g, id);
  if (!ValidSlot(g, s)) return;
  Slot(g, s).caption = text;
  ShowChanges(g);
}

void SetColumnWidthSpec(TEasyGrid& g, int32_t id, const std::string& rule) {
  const int32_t s = ColumnSlotOf(g, id);
  if (ValidSlot(g, s)) Slot(g, s).widthRule = rule;
}

bool SetColumnVisible(TEasyGrid& g, int32_t id, bool visible, bool refresh) {
  const int32_t s = ColumnSlotOf(g, id);
  if (!ValidSlot(g, s)) return false;
  Slot(g, s).visible = visible;
  // Let a drag or click that is still going on end before the grid changes.
  WaitForLeftButtonUp();
  if (refresh) {
    BuildGridMenu(g);
    RefreshGrid(g);
  }
  return true;
}

// ---- lookups ---------------------------------------------------------------

int32_t ColumnIdAt(const TEasyGrid& g, int32_t visualColumn) {
  if (visualColumn < 0) return -1;
  int32_t count = -1;
  for (int32_t s = 1; s <= g.columnCount; ++s) {
    if (!Slot(g, s).visible) continue;
    if (++count == visualColumn) return Slot(g, s).id;
  }
  return -1;
}

int32_t VisualColumnOf(const TEasyGrid& g, int32_t id) {
  const int32_t slot = ColumnSlotOf(g, id);
  if (slot < 0) return -1;
  if (!Slot(g, slot).visible) return -2;
  int32_t count = -1;
  for (int32_t s = 1; s <= slot; ++s)
    if (Slot(g, s).visible) ++count;
  return count;
}

int32_t FirstVisibleId(const TEasyGrid& g) {
  for (int32_t s = 1; s <= g.columnCount; ++s)
    if (Slot(g, s).visible) return Slot(g, s).id;
  return -1;
}

int32_t VisibleColumnCount(const TEasyGrid& g) {
  int32_t n = 0;
  for (int32_t s = 1; s <= g.columnCount; ++s)
    if (Slot(g, s).visible) ++n;
  return n;
}

// ---- grid contents -----------------------------------------------------------

int32_t LayoutColumns(TEasyGrid& g, int32_t topRow) {
  if (!g.panels.ready || !g.grid) return 0;
  TTextGrid& grid = *g.grid;
  if (grid.CellSource() != g.cells.get()) grid.SetCellSource(g.cells.get());
  int32_t f = 0;
  const int32_t n = ShownColumns(g, f);
  if (n == 0) {
    grid.SetColCount(1);
    grid.SetRowCount(grid.FixedRows() + 1);
    grid.SetColWidth(0, grid.ClientWidth());
    grid.SetFixedCols(0);
    grid.CellsChanged();
    return 0;
  }

  grid.SetColCount(n);
  grid.SetFixedCols(f);
  const TScrollStyle bars = grid.ScrollBars();
  std::string rules;
  for (int32_t s = 1; s <= g.columnCount; ++s)
    if (Slot(g, s).visible) rules += "," + Slot(g, s).widthRule;
  try {
    ApplyColumnWidths(&grid, rules);
  } catch (const std::exception&) {
    // An unreadable width rule leaves the widths as they were.
  }

  const int32_t tableRows = g.table ? g.table->rowCount : 0;
  if (int64_t{grid.FixedRows()} + tableRows != grid.RowCount()) {
    int32_t t = std::max(grid.TopRow(), topRow);
    const int64_t wanted = std::max<int64_t>(2, int64_t{grid.FixedRows()} + tableRows);
    grid.SetRowCount(static_cast<int32_t>(std::min<int64_t>(wanted, INT32_MAX)));
    if (t > grid.RowCount()) {
      const int32_t step = std::max(1, grid.DefaultRowHeight() + grid.GridLineWidth());
      t = std::max(2, grid.RowCount() - grid.ClientHeight() / step);
    }
    grid.SetTopRow(t);
  }
  grid.SetLeftCol(grid.FixedCols());
  grid.SetScrollBars(bars);
  grid.CellsChanged();
  return n;
}

void ShowRows(TEasyGrid& g, const ArrayOfFiles& table, int32_t first, int32_t last) {
  g.firstShownRow = std::max(1, first);
  g.lastShownRow = std::min(table.rowCount, last);
  if (LayoutColumns(g, first) > 0) g.grid->SetTopRow(g.firstShownRow);
}

void RefreshGrid(TEasyGrid& g) {
  if (!g.grid || !g.table) return;
  const int32_t top = g.grid->TopRow();
  const int64_t last = int64_t{top} + g.grid->VisibleRowCount() + 1 + g.rowMargin;
  ShowRows(g, *g.table, top, static_cast<int32_t>(std::min<int64_t>(last, INT32_MAX)));
  ShowSortSpec(g);
}

void RefreshAllRows(TEasyGrid& g) {
  if (!g.grid || !g.table) return;
  ShowRows(g, *g.table, 1, g.table->rowCount);
  ShowSortSpec(g);
}

// ---- events ------------------------------------------------------------------

void ColumnMoved(TEasyGrid& g, int32_t from, int32_t to) {
  const int32_t sFrom = ColumnSlotOf(g, ColumnIdAt(g, from));
  const int32_t sTo = ColumnSlotOf(g, ColumnIdAt(g, to));
  if (!ValidSlot(g, sFrom) || !ValidSlot(g, sTo)) return;
  ColDataT moved = Slot(g, sFrom);
  g.columns.erase(g.columns.begin() + sFrom);
  g.columns.insert(g.columns.begin() + sTo, moved);
  ShowChanges(g);
  BuildGridMenu(g);
}

void SetMarkedCell(TEasyGrid& g, int32_t id, int32_t row) {
  g.markId = id;
  g.markRow = row;
  ShowChanges(g);
}

void HeaderClickSort(TEasyGrid& g, int32_t row, int32_t col, Qt::KeyboardModifiers shift) {
  if (!g.table) return;
  const int32_t id = ColumnIdAt(g, col);
  const int32_t slot = ColumnSlotOf(g, id);
  if (!ValidSlot(g, slot)) return;
  if (shift & Qt::AltModifier) {
    SetColumnVisible(g, id, false, true);
    return;
  }
  if (!(shift & Qt::ShiftModifier) || row != 0) return;
  const std::string name = Slot(g, slot).sortName;
  if (name.empty()) return;
  std::string spec = g.table->sortSpec;
  const std::string& sep = g.table->sortNameSeparator;
  int32_t pos = 0;  // 1-based
  if (!sep.empty()) {
    PosInfoT info;
    SearchInit(info);
    info.wholeWordLeft = true;
    info.wholeWordRight = true;
    info.caseSensitive = false;
    pos = SearchFind(info, name, spec);
  } else {
    const size_t p = spec.find(name);
    pos = p == std::string::npos ? 0 : static_cast<int32_t>(p) + 1;
  }
  const bool descending = pos > 1 && spec[static_cast<size_t>(pos) - 2] == '-';
  if (!(shift & Qt::ControlModifier)) {
    if (spec == name) spec = "-" + name;
    else if (spec == "-" + name) spec = name;
    else spec = name;
  } else if (spec.empty()) {
    spec = name;
  } else if (pos == 0) {
    spec += sep + name;
  } else if (descending) {
    spec.erase(static_cast<size_t>(pos) - 2, 1);
  } else {
    spec.insert(static_cast<size_t>(pos) - 1, "-");
  }
  if (g.sortLabel) {
    {
      const QSignalBlocker block(g.sortLabel.data());
      g.sortLabel->setText(ToQString(spec));
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    if (g.sortLabel) emit g.sortLabel->textChanged(g.sortLabel->text());
  } else {
    SortRowsBy(*g.table, spec);
    RefreshGrid(g);
  }
}

// ---- layouts -------------------------------------------------------------------

std::string LayoutListOf(const TEasyGrid& g) {
  return g.layoutSource ? FromQString(g.layoutSource->text()) : g.layoutList;
}

namespace {
std::string NthToken(std::string list, int32_t n) {
  std::string token;
  for (int32_t i = 1; i <= n; ++i) {
    if (list.empty()) return {};
    CutToken(list, "|", token);
  }
  return token;
}
}  // namespace

void ApplyLayout(TEasyGrid& g, const std::string& list) {
  if (list.empty()) return;
  ++g.layoutIndex;
  std::string layout = NthToken(list, g.layoutIndex);
  if (layout.empty()) {
    g.layoutIndex = 1;
    layout = NthToken(list, 1);
  }
  if (layout.empty()) return;
  for (int32_t s = 1; s <= g.columnCount; ++s) Slot(g, s).visible = false;
  while (!layout.empty()) {
    const std::string item = LowerCaseText(CutCommaToken(layout));
    if (item.empty()) continue;  // ",," names no column
    for (int32_t s = 1; s <= g.columnCount; ++s) {
      if (LowerCaseText(Slot(g, s).sortName) == item) {
        Slot(g, s).visible = true;
        break;
      }
    }
  }
  // The column items' check marks follow the new layout.
  if (g.grid && g.grid->PopupMenu()) BuildGridMenu(g);
  RefreshGrid(g);
}

void CycleLayouts(TEasyGrid& g) { ApplyLayout(g, LayoutListOf(g)); }

// ---- maximize and grid panels ------------------------------------------------

namespace {
void ApplyGridPanelsVisibility(TEasyGrid& g) {
  for (int32_t s = 0; s < kPanelSlots; ++s) {
    if (!IsRegistered(g.gridPanels, s)) continue;
    if (TPanel* p = g.gridPanels.entries[static_cast<size_t>(s)].panel) p->setVisible(!g.panelsHidden);
  }
}
}  // namespace

void RelayoutPanels(TEasyGrid& g) {
  if (g.resizeGuard || !g.grid) return;
  g.resizeGuard = true;
  if (g.sizeCache.size() < 2) g.sizeCache.resize(2);
  ApplyGridPanelsVisibility(g);
  // Grid panels hidden: the grid takes its parent panel's whole inner area.
  if (g.panel) {
    if (g.panelsHidden) {
      if (g.sizeCache[1].empty()) g.sizeCache[1] = GeometryText(g.grid->geometry());
      const int32_t m = g.frameMargin;
      g.grid->setGeometry(g.panel->AlignRect().adjusted(m, m, -m, -m));
    } else if (!g.sizeCache[1].empty()) {
      g.grid->setGeometry(GeometryFromText(g.sizeCache[1]));
      g.sizeCache[1].clear();
    }
  }
  // Maximized: the grid (or its panel) covers the form inside the margins.
  QWidget* holder = g.panel ? static_cast<QWidget*>(g.panel.data()) : g.grid.data();
  if (g.form && holder) {
    if (g.maximized) {
      if (g.sizeCache[0].empty()) g.sizeCache[0] = GeometryText(holder->geometry());
      const int32_t mx = g.panels.marginX, my = g.panels.marginY;
      const int32_t h = g.form->height() - 2 * my - StatusBarHeight(g.form);
      holder->setGeometry(mx, my, std::max(0, g.form->width() - 2 * mx), std::max(0, h));
      holder->raise();
    } else if (!g.sizeCache[0].empty()) {
      holder->setGeometry(GeometryFromText(g.sizeCache[0]));
      g.sizeCache[0].clear();
    }
    for (int32_t s = 0; s < kPanelSlots; ++s) {
      if (!IsRegistered(g.panels, s)) continue;
      TPanel* p = g.panels.entries[static_cast<size_t>(s)].panel;
      if (p && p != holder) p->setVisible(!g.maximized);
    }
  }
  g.resizeGuard = false;
  LayoutColumns(g, -1);
}

void ToggleMaximize(TEasyGrid& g) {
  if (g.panels.count < 1) return;
  if (!g.maximized) g.rememberedPanelsHidden = g.panelsHidden;
  if (g.maximizeAllowed) {
    g.maximized = !g.maximized;
    QWidget* holder = g.panel ? static_cast<QWidget*>(g.panel.data()) : g.grid.data();
    if (g.maximized && holder) {
      if (g.sizeCache.size() < 2) g.sizeCache.resize(2);
      if (g.sizeCache[0].empty()) g.sizeCache[0] = GeometryText(holder->geometry());
      holder->move(g.panels.marginX, holder->y());
    }
    if (g.afterToggle) {
      RelayoutPanels(g);
      g.afterToggle();
    }
  }
  g.panelsHidden = g.maximized || g.rememberedPanelsHidden;
  ApplyGridPanelsVisibility(g);
  RelayoutPanels(g);
}

void ToggleGridPanels(TEasyGrid& g, bool relayout) {
  if (g.gridPanels.count >= 1) {
    g.panelsHidden = !g.panelsHidden;
    ApplyGridPanelsVisibility(g);
  }
  if (relayout) RelayoutPanels(g);
}
