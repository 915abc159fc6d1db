#pragma once
// TEasyGrid: binds a data table (ArrayOfFiles) to a TTextGrid: column
// definitions, header row, column widths from size rules, copying of the rows
// in view, moving, showing and hiding columns, column layouts, and in hook
// mode the grid's form with its panels.
#include <QFont>
#include <QPointer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "window/grid/TextGrid.h"
#include "window/grid/TextGridModel.h"
#include "window/services/WindowServices.h"
#include "grid/superarray.h"
#include "window/panels/easypanel.h"

class QFontDialog;
class QMenu;
class QLineEdit;
class QObject;

struct ColDataT {
  int32_t id = 0;
  std::string widthRule = "0.1|20";
  std::string caption;
  std::string menuCaption;
  std::string sortName;
  bool visible = false;
  bool fixed = false;
  bool inMenu = false;
  int32_t menuPos = -1;
};

// Index into TEasyGrid::menuPos of each command item.
enum : int32_t {
  kMenuSaveHtml = 0,
  kMenuPrintGrid,
  kMenuSpare,
  kMenuBands,
  kMenuVertLines,
  kMenuHorzLines,
  kMenuResetFont,
  kMenuPropFont,
  kMenuMaximize,
  kMenuGridPanels,
  kMenuCycleLayouts,
  kMenuFont,
  kMenuCommandCount
};

// A check item of the form's own among the grid's look items: its caption,
// whether it is on, and what a click does.
struct GridMenuCheckT {
  std::string caption;
  std::function<bool()> checked;
  std::function<void()> toggle;
  int32_t menuPos = -1;
};

using FormKeyHandlerT =
    std::function<void(QObject* sender, int32_t& key, Qt::KeyboardModifiers shift)>;
using FormResizeHandlerT = std::function<void(QObject* sender)>;

// The record must stay where SetupGrid found it: the grid's events call back
// into it.
struct TEasyGrid {
  TEasyGrid() = default;
  ~TEasyGrid();
  TEasyGrid(const TEasyGrid&) = delete;
  TEasyGrid& operator=(const TEasyGrid&) = delete;

  TeasyPanel panels;  // the grid's window panels; its ready mark gates LayoutColumns
  QPointer<TTextGrid> grid;
  QPointer<QFontDialog> fontDialog;  // only while "Font.." runs
  std::array<int32_t, kMenuCommandCount> menuPos{};
  int32_t firstShownRow = 1;  // the table rows the grid shows; the others read ""
  int32_t lastShownRow = 0;
  int32_t rowMargin = 50;
  int32_t layoutIndex = 1;
  bool onPanel = false;
  QPointer<QWidget> form;
  QPointer<TPanel> panel;
  QPointer<QWidget> container;
  bool defaultColumn = false;
  std::vector<ColDataT> columns;  // slot 0 stays empty
  QFont savedFont;
  QString proportionalFamily;  // the font before "Proportional Font" switched to fixed pitch
  QPointer<QLineEdit> sortLabel;
  QPointer<QLineEdit> layoutSource;
  FormResizeHandlerT chainedResize;
  FormKeyHandlerT chainedKey;
  ArrayOfFiles* table = nullptr;
  std::string layoutList;
  TeasyPanel gridPanels;  // panels beside the grid inside its parent panel
  bool panelsHidden = false;
  bool rememberedPanelsHidden = false;
  bool maximizeAllowed = true;
  bool maximized = false;
  int32_t frameMargin = 0;
  int32_t height1 = 10;
  int32_t height2 = 10;
  int32_t columnCount = 0;
  std::function<void()> afterToggle;
  int32_t panelColumns = 2;
  std::vector<std::string> sizeCache;  // geometries saved by the maximize layout
  bool resizeGuard = false;
  int32_t markId = -1;     // column id and table row of the marked cell; -1 = none
  int32_t markRow = 0;
  std::unique_ptr<TGridCells> cells;  // the table as the grid shows it, once ready
  bool hookMode = false;   // the grid's events were bound by SetupGrid
  QPointer<QObject> hook;  // hook mode: the form's event filter
  const TWindowServices* services = nullptr;  // dialogs and the shell opener, from SetupGrid
  std::vector<GridMenuCheckT> lookItems;  // after "Horizontal lines"
  // Items of the form's own after the look items, added to each new menu;
  // the form handles them itself.
  std::function<void(QMenu& menu)> formItems;
  // What the printed page's "[title]" shows while the print title is empty.
  std::function<std::string()> printTitle;
};

// ---- set-up ----------------------------------------------------------------
// The services run the binder's dialogs, open its files and pause its panels'
// animations; they outlive the binder.
void SetupGrid(TEasyGrid& g, const TWindowServices& services, TTextGrid* grid, ArrayOfFiles& table, bool hook,
               bool registerLayout);
void ResetBinder(TEasyGrid& g);

// ---- columns ---------------------------------------------------------------
void AddColumn(TEasyGrid& g, const std::string& caption, int32_t id, bool refresh);
void AddColumnEx(TEasyGrid& g, const std::string& caption, int32_t id, bool refresh,
                 const std::string& widthRule, const std::string& menuCaption);
void AddSortColumn(TEasyGrid& g, const std::string& caption, int32_t id, bool refresh,
                   const std::string& widthRule, const std::string& sortName,
                   const std::string& menuCaption);
void SetColumnFixed(TEasyGrid& g, int32_t id, bool fixed);
void SetColumnCaption(TEasyGrid& g, int32_t id, const std::string& text);
void SetColumnWidthSpec(TEasyGrid& g, int32_t id, const std::string& rule);
bool SetColumnVisible(TEasyGrid& g, int32_t id, bool visible, bool refresh);

// ---- lookups ---------------------------------------------------------------
int32_t ColumnSlotOf(const TEasyGrid& g, int32_t id);  // 1-based, -1 for none
int32_t ColumnIdAt(const TEasyGrid& g, int32_t visualColumn);
int32_t VisualColumnOf(const TEasyGrid& g, int32_t id);
int32_t FirstVisibleId(const TEasyGrid& g);
int32_t VisibleColumnCount(const TEasyGrid& g);

// ---- grid contents ---------------------------------------------------------
// Once ready: the grid shows the table in the visible columns, with their
// widths; returns how many columns it shows.
int32_t LayoutColumns(TEasyGrid& g, int32_t topRow);
// The grid shows the table rows first..last (clamped to the table) and
// leaves the others blank.
void ShowRows(TEasyGrid& g, const ArrayOfFiles& table, int32_t first, int32_t last);
void RefreshGrid(TEasyGrid& g);
void RefreshAllRows(TEasyGrid& g);

// Marks the cell of column id and table row in the grid, wherever that column
// is shown; no mark while the column is hidden. Kept through every re-layout
// and column move. An id of -1 takes the mark away.
void SetMarkedCell(TEasyGrid& g, int32_t id, int32_t row);

// ---- events ----------------------------------------------------------------
void ColumnMoved(TEasyGrid& g, int32_t from, int32_t to);
// Hook mode: a click on a cell with Alt hides the column, with Shift in the
// header row edits the sort specification.
void HeaderClickSort(TEasyGrid& g, int32_t row, int32_t col, Qt::KeyboardModifiers shift);

// ---- layouts ---------------------------------------------------------------
std::string LayoutListOf(const TEasyGrid& g);
void ApplyLayout(TEasyGrid& g, const std::string& list);
void CycleLayouts(TEasyGrid& g);

// ---- maximize and grid panels ----------------------------------------------
void ToggleMaximize(TEasyGrid& g);
void ToggleGridPanels(TEasyGrid& g, bool relayout);
// Re-lays out the form's panels and the grid panels (the panel part's change
// handler).
void RelayoutPanels(TEasyGrid& g);

// ---- context menu and keys (GridMenu.cpp) -----------------------------------
void BuildGridMenu(TEasyGrid& g);
void GridMenuClick(TEasyGrid& g, int32_t position);
void GridMenuClick(TEasyGrid& g, QObject* item);
void GridKeyDown(TEasyGrid& g, QObject* sender, int32_t& key, Qt::KeyboardModifiers shift);
