#include "window/grid/GridMenu.h"

#include <QAction>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QMenu>

#include "window/components/QtText.h"
#include "window/grid/HtmlSettingsDialog.h"
#include "window/grid/PrintSettingsDialog.h"
#include "util/Diskop.h"

namespace {

QAction* ItemAt(const TEasyGrid& g, int32_t position) {
  if (!g.grid || !g.grid->PopupMenu() || position < 0) return nullptr;
  const QList<QAction*> items = g.grid->PopupMenu()->actions();
  return position < items.size() ? items[position] : nullptr;
}

void SetItemChecked(const TEasyGrid& g, int32_t position, bool on) {
  if (QAction* a = ItemAt(g, position)) a->setChecked(on);
}

QString Tr(const char* caption) { return QCoreApplication::translate("GridMenu", caption); }

void RunFontDialog(TEasyGrid& g) {
  g.fontDialog = new QFontDialog(g.grid->Font(), g.grid);
  if (g.services->dialogs.ExecDialog(*g.fontDialog) == QDialog::Accepted && g.grid && g.fontDialog)
    g.grid->SetFont(g.fontDialog->currentFont());
  delete g.fontDialog.data();
  g.fontDialog = nullptr;
}

bool ProportionalFont(const TTextGrid& grid) { return !QFontInfo(grid.Font()).fixedPitch(); }

// Between the system's fixed-pitch font and a proportional one: the font the
// grid had before, or the system's general font. Size and style stay.
void ToggleProportionalFont(TEasyGrid& g) {
  const QFont now = g.grid->Font();
  QFont next;
  if (ProportionalFont(*g.grid)) {
    g.proportionalFamily = now.family();
    next = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  } else {
    next = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    if (!g.proportionalFamily.isEmpty()) next.setFamily(g.proportionalFamily);
  }
  if (now.pixelSize() > 0) next.setPixelSize(now.pixelSize());
  else next.setPointSizeF(now.pointSizeF());
  next.setWeight(now.weight());
  next.setItalic(now.italic());
  next.setUnderline(now.underline());
  g.grid->SetFont(next);
}

}  // namespace

void BuildGridMenu(TEasyGrid& g) {
  if (!g.grid) return;
  QMenu* old = g.grid->PopupMenu();
  g.grid->SetPopupMenu(nullptr);
  // The old menu may be the one whose click is being handled right now.
  if (old && old->objectName() == "easygrid_menu") old->deleteLater();
  auto* menu = new QMenu(g.grid);
  menu->setObjectName("easygrid_menu");
  g.grid->SetPopupMenu(menu);
  g.menuPos[kMenuMaximize] = -1;
  g.menuPos[kMenuGridPanels] = -1;
  g.menuPos[kMenuCycleLayouts] = -1;
  g.menuPos[kMenuSpare] = -1;

  TEasyGrid* binder = &g;
  auto add = [&](const QString& caption, int32_t* pos, int checked) {
    const int32_t position = static_cast<int32_t>(menu->actions().size());
    QAction* a = menu->addAction(caption);
    a->setData(position);
    if (checked >= 0) {
      a->setCheckable(true);
      a->setChecked(checked != 0);
    }
    if (pos) *pos = position;
    QObject::connect(a, &QAction::triggered, menu, [binder, a] { GridMenuClick(*binder, a); });
    return position;
  };
  auto separator = [&] { menu->addSeparator(); };

  add(Tr(kSaveHtmlCaption), &g.menuPos[kMenuSaveHtml], -1);
  add(Tr(kPrintGridCaption), &g.menuPos[kMenuPrintGrid], -1);
  separator();
  add(Tr(kFontCaption), &g.menuPos[kMenuFont], -1);
  add(Tr(kPropFontCaption), &g.menuPos[kMenuPropFont], ProportionalFont(*g.grid) ? 1 : 0);
  add(Tr(kResetFontCaption), &g.menuPos[kMenuResetFont], -1);
  separator();
  add(Tr(kBandsCaption), &g.menuPos[kMenuBands], g.grid->BandsActive() ? 1 : 0);
  add(Tr(kVertLinesCaption), &g.menuPos[kMenuVertLines], (g.grid->Options() & goVertLine) ? 1 : 0);
  add(Tr(kHorzLinesCaption), &g.menuPos[kMenuHorzLines], (g.grid->Options() & goHorzLine) ? 1 : 0);
  for (GridMenuCheckT& item : g.lookItems) {
    item.menuPos = add(ToQString(item.caption), nullptr, item.checked && item.checked() ? 1 : 0);
  }
  if (g.formItems) g.formItems(*menu);
  if (g.maximizeAllowed || g.gridPanels.count >= 1) {
    separator();
    if (g.maximizeAllowed && g.panels.count >= 1) add(Tr(kMaximizeCaption), &g.menuPos[kMenuMaximize], -1);
    if (g.gridPanels.count >= 1) add(Tr(kGridPanelsCaption), &g.menuPos[kMenuGridPanels], -1);
  }
  if (!LayoutListOf(g).empty()) {
    separator();
    add(Tr(kCycleCaption), &g.menuPos[kMenuCycleLayouts], -1);
  }
  separator();
  for (int32_t s = 1; s <= g.columnCount; ++s) {
    ColDataT& c = g.columns[static_cast<size_t>(s)];
    c.menuPos = -1;
    if (!c.inMenu) continue;
    c.menuPos = add(ToQString(ShortenPath(c.menuCaption, 40)), nullptr, c.visible ? 1 : 0);
  }
}

void GridMenuClick(TEasyGrid& g, QObject* item) {
  auto* a = qobject_cast<QAction*>(item);
  if (!a) return;
  bool ok = false;
  const int32_t position = a->data().toInt(&ok);
  if (ok) GridMenuClick(g, position);
}

void GridMenuClick(TEasyGrid& g, int32_t position) {
  if (position < 0 || !g.grid) return;
  TTextGrid& grid = *g.grid;
  const auto& pos = g.menuPos;
  if (position == pos[kMenuSaveHtml]) {
    RefreshAllRows(g);
    TTextGrid* source = &grid;
    RunHtmlSettingsDialog(&grid.HtmlSettings(), [source] { return source->HtmlData(); }, &grid, kHtmlAllGroups,
                          *g.services);
  }
  if (position == pos[kMenuPrintGrid]) {
    RefreshAllRows(g);
    RunPrintSettingsDialog(grid, g.services->dialogs, g.printTitle ? g.printTitle() : std::string());
  }
  if (position == pos[kMenuFont]) RunFontDialog(g);
  if (position == pos[kMenuPropFont]) ToggleProportionalFont(g);
  if (position == pos[kMenuResetFont]) grid.SetFont(g.savedFont);
  if (position == pos[kMenuPropFont] || position == pos[kMenuResetFont] || position == pos[kMenuFont])
    SetItemChecked(g, pos[kMenuPropFont], ProportionalFont(grid));
  if (position == pos[kMenuBands]) {
    grid.SetBandsActive(!grid.BandsActive());
    SetItemChecked(g, position, grid.BandsActive());
  }
  if (position == pos[kMenuHorzLines]) {
    grid.SetOptions(grid.Options() ^ goHorzLine);
    SetItemChecked(g, position, (grid.Options() & goHorzLine) != 0);
  }
  if (position == pos[kMenuVertLines]) {
    grid.SetOptions(grid.Options() ^ goVertLine);
    SetItemChecked(g, position, (grid.Options() & goVertLine) != 0);
  }
  for (size_t i = 0; i < g.lookItems.size(); ++i) {
    if (g.lookItems[i].menuPos != position) continue;
    // The toggle may rebuild this menu and the item list: copy what is needed.
    const std::function<void()> toggle = g.lookItems[i].toggle;
    if (toggle) toggle();
    if (i < g.lookItems.size() && g.lookItems[i].checked)
      SetItemChecked(g, g.lookItems[i].menuPos, g.lookItems[i].checked());
    return;
  }
  if (position == pos[kMenuMaximize]) ToggleMaximize(g);
  if (position == pos[kMenuGridPanels]) ToggleGridPanels(g, true);
  if (position == pos[kMenuCycleLayouts]) CycleLayouts(g);
  for (int32_t s = 1; s <= g.columnCount; ++s) {
    const ColDataT& c = g.columns[static_cast<size_t>(s)];
    if (c.inMenu && c.menuPos == position) {
      SetColumnVisible(g, c.id, !c.visible, true);
      break;
    }
  }
}

void GridKeyDown(TEasyGrid& g, QObject* sender, int32_t& key, Qt::KeyboardModifiers shift) {
  if (shift & Qt::ControlModifier) {
    if (key == Qt::Key_F4) ToggleMaximize(g);
    if (key == Qt::Key_F5) ToggleGridPanels(g, true);
    if (key == Qt::Key_F2) CycleLayouts(g);
  }
  if (g.chainedKey) g.chainedKey(sender, key, shift);
}
