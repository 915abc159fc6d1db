#pragma once
// Managed panels: gradient title bars, backdrops, collapse buttons, a shared
// popup menu, and collapsed / maximized / title-bar states with animated
// height changes. One manager is one TeasyPanel record.
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "window/components/GPanel.h"
#include "window/services/WindowServices.h"

constexpr int32_t kPanelSlots = 21;

// Label on a title bar; double-clicks go to the manager.
class TTitleLabel : public QLabel {
  Q_OBJECT
 public:
  explicit TTitleLabel(QWidget* parent = nullptr) : QLabel(parent) {}
  ControlEventT OnDblClick;

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;
};

struct PanelEntry {
  QPointer<TPanel> panel;  // identifies the panel
  bool maximized = false;
  QPointer<TGPanel> titleBar;
  QPointer<TGPanel> backdrop;
  QPointer<TTitleLabel> titleLabel;
  QPointer<TPanel> titleButton;
  QPointer<TPanel> cornerButton;
  QPointer<QFrame> titleBevel;
  uint32_t baseColor = 0;
  int32_t layoutTop = 0;
  int32_t layoutLeft = 0;
  int32_t targetHeight = 0;
  int32_t preferredHeight = 0;
  std::string sizeText;  // weight|minimum|maximum
  bool collapsed = false;
  bool collapsible = false;
  bool expandPending = false;
};

// The record must stay where InitPanels found it: the menu and the buttons
// call back into it.
struct TeasyPanel {
  TeasyPanel() = default;
  ~TeasyPanel();  // frees the menu while the application still runs
  TeasyPanel(const TeasyPanel&) = delete;
  TeasyPanel& operator=(const TeasyPanel&) = delete;

  int32_t marginX = 0;
  int32_t marginY = 0;
  int32_t titleHeight = 0;
  std::string layoutText;
  bool ready = false;
  int32_t gap = 0;
  int32_t minHeight = 0;
  int32_t bevelHeight = 0;
  bool buttons = false;
  bool titleBarsShown = false;
  bool gradient = false;
  int32_t columnWidth = 0;
  int32_t count = 0;
  int32_t spareWidth = 0;
  bool animate = false;
  bool sideLayout = false;
  int32_t cornerButtonHeight = 0;
  int32_t cornerButtonWidth = 0;
  std::array<PanelEntry, kPanelSlots> entries;  // one per slot
  int32_t layoutHeight = 0;
  int32_t reserved = 0;
  std::function<void()> OnChange;
  std::string registeredSlots;
  int32_t availableHeight = 0;
  QPointer<TPopupMenu> menu;
  TAnimationClock* clock = nullptr;  // the animation's pause, from InitPanels
};

// ---- slot characters -------------------------------------------------------
char SlotChar(int32_t slot);  // code 48 + slot
// Slot at a 1-based position of a slot text; -1 below "0" or outside.
int32_t SlotAt(std::string_view text, int32_t pos);

// ---- set-up and registration -----------------------------------------------
void InitPanels(TeasyPanel& p, TAnimationClock& clock);
// Adopts the panel: title bar, backdrop, buttons. A 22nd panel is ignored.
void RegisterPanel(TeasyPanel& p, TPanel* panel, std::string_view sizeText, bool notify);
// Registers the plain panels among the container's children (caption not " ");
// returns the registered slots text.
std::string RegisterChildPanels(TeasyPanel& p, QWidget* container, bool notify);
bool IsRegistered(const TeasyPanel& p, int32_t slot);
std::string RegisteredSlots(const TeasyPanel& p);

// ---- lookups and sizes -----------------------------------------------------
int32_t FindPanel(const TeasyPanel& p, const QObject* control);
int32_t FindPanelByButton(const TeasyPanel& p, const QObject* control);
int32_t FindPanelByName(const TeasyPanel& p, std::string_view name);
int32_t PanelWidth(const TeasyPanel& p, const TPanel* panel);
int32_t PanelBodyHeight(const TeasyPanel& p, const TPanel* panel);
int32_t CollapsedHeight(const TeasyPanel& p, int32_t slot);
std::string SizeText(const TeasyPanel& p, int32_t slot);
int32_t PanelHeightOf(const TeasyPanel& p, int32_t slot, bool skip);

// ---- notification ----------------------------------------------------------
void SetReady(TeasyPanel& p);
void NotifyChange(TeasyPanel& p);

// ---- states ----------------------------------------------------------------
void SetTitleBarVisible(TeasyPanel& p, int32_t slot, bool visible, bool notify);
void ToggleTitleBar(TeasyPanel& p, int32_t slot, bool notify);
void SetCollapsed(TeasyPanel& p, int32_t slot, bool collapse, bool animated);
void ToggleCollapsed(TeasyPanel& p, int32_t slot, bool animated);
void CollapseAll(TeasyPanel& p);
void RestoreAll(TeasyPanel& p);
void HideAllTitleBars(TeasyPanel& p);
void ShowAllTitleBars(TeasyPanel& p);
void StyleAllPanels(TeasyPanel& p, uint8_t style);
// Double-click on a title bar (or its label).
void ToggleMaximized(TeasyPanel& p, QObject* sender);
void ArrangeTitleBar(TeasyPanel& p, int32_t slot);
void PaintPanelColours(TeasyPanel& p, int32_t slot, uint32_t color);
void SetLayoutText(TeasyPanel& p, std::string_view text);

// ---- popup menu ------------------------------------------------------------
// sender: one of the menu's nine items.
void PanelMenuClick(TeasyPanel& p, QObject* sender);

// ---- animation -------------------------------------------------------------
struct MovementT {
  int32_t target = 0;
  double factor = 1;
  double step = 1;
};
// The movements of a collapse from height h to c and of an expansion from h
// to v (c = collapsed height).
std::vector<MovementT> CollapseMovements(int32_t h, int32_t c);
std::vector<MovementT> ExpandMovements(int32_t h, int32_t v, int32_t c);
// Moves the panel's height towards target, repainting and waiting after each
// step; double buffering of the panel and its parent is off meanwhile.
void AnimateHeight(QWidget* panel, int32_t target, double factor, double step, TAnimationClock& clock);
void AnimateCollapse(TeasyPanel& p, TPanel* panel);
void AnimateExpand(TeasyPanel& p, TPanel* panel, int32_t target);
