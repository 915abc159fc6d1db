#include "window/panels/easypanel.h"

#include <QAction>
#include <QCoreApplication>
#include <QMouseEvent>
#include <algorithm>
#include <cmath>

#include "window/components/QtText.h"
#include "window/panels/ComponentHandling.h"
#include "util/exposit.h"
#include "util/repl.h"
#include "util/valstr.h"

namespace {

bool ValidSlot(int32_t slot) { return slot >= 0 && slot < kPanelSlots; }

PanelEntry* Registered(TeasyPanel& p, int32_t slot) {
  if (!IsRegistered(p, slot) || !p.entries[static_cast<size_t>(slot)].panel) return nullptr;
  return &p.entries[static_cast<size_t>(slot)];
}

const PanelEntry* Registered(const TeasyPanel& p, int32_t slot) {
  if (!IsRegistered(p, slot) || !p.entries[static_cast<size_t>(slot)].panel) return nullptr;
  return &p.entries[static_cast<size_t>(slot)];
}

bool TitleBarShown(const PanelEntry& e) { return e.titleBar && !e.titleBar->isHidden(); }

bool AnyMaximized(const TeasyPanel& p) {
  for (int32_t i = 0; i < kPanelSlots; ++i)
    if (IsRegistered(p, i) && p.entries[static_cast<size_t>(i)].maximized) return true;
  return false;
}

// A hidden panel gets its resize event only when shown; its aligned children
// must follow at once.
void SetHeight(QWidget* w, int32_t h) {
  w->resize(w->width(), std::max(0, h));
  if (auto* panel = dynamic_cast<TPanel*>(w)) panel->Realign();
}

std::string NameOf(const QObject* o) { return o ? FromQString(o->objectName()) : std::string(); }

// Switches double buffering of a panel and its parent off for the lifetime of
// the guard, so every height step reaches the screen at once.
class UnbufferedGuard {
 public:
  explicit UnbufferedGuard(QWidget* panel) : panel_(panel), parent_(panel ? panel->parentWidget() : nullptr) {
    panelWas_ = IsDoubleBuffered(panel_);
    parentWas_ = IsDoubleBuffered(parent_);
    SetDoubleBuffered(panel_, false);
    SetDoubleBuffered(parent_, false);
  }
  ~UnbufferedGuard() {
    SetDoubleBuffered(panel_, panelWas_);
    SetDoubleBuffered(parent_, parentWas_);
  }
  UnbufferedGuard(const UnbufferedGuard&) = delete;
  UnbufferedGuard& operator=(const UnbufferedGuard&) = delete;

 private:
  QPointer<QWidget> panel_;
  QPointer<QWidget> parent_;
  bool panelWas_ = false;
  bool parentWas_ = false;
};

void CollapseButtonClick(TeasyPanel& p, QObject* sender) {
  ToggleCollapsed(p, FindPanelByButton(p, sender), p.animate);
  NotifyChange(p);
}

void StyleButton(TeasyPanel& p, TPanel* button) {
  button->setToolTip(QCoreApplication::translate("PanelMenu", "Collapse/Restore this panel's size"));
  button->SetCaption(std::string());
  button->raise();
  button->SetBevelOuter(BevelCut::Raised);
  button->SetBevelInner(BevelCut::None);
  button->SetBevelWidth(1);
  button->SetBorderStyle(BorderStyleT::None);
  SetDoubleBuffered(button, true);
  button->PopupMenu = p.menu.data();
}

void MakeFlat(TPanel* panel) {
  panel->setEnabled(true);
  SetDoubleBuffered(panel, true);
  panel->SetBevelInner(BevelCut::None);
  panel->SetBevelOuter(BevelCut::None);
  panel->SetBorderStyle(BorderStyleT::None);
}

void BuildTitleBar(TeasyPanel& p, PanelEntry& e, TPanel* panel) {
  const int32_t h = p.titleHeight;
  auto* bar = new TGPanel(panel);
  bar->setObjectName(QStringLiteral("titlebar_") + panel->objectName());
  bar->SetCaption(std::string());
  bar->SetHorizontal(false);
  bar->SetPercent(20);
  bar->setGeometry(0, 0, panel->width(), h);
  SetDoubleBuffered(bar, true);
  MakeFlat(bar);
  bar->show();
  SetAlign(bar, AlignT::Top);

  auto* label = new TTitleLabel(bar);
  label->setTextFormat(Qt::PlainText);  // a caption is shown as written, never as markup
  label->setText(ToQString(FirstToken(panel->Caption(), "|")));
  QPalette pal = label->palette();
  pal.setColor(QPalette::WindowText, ToQColor(ContrastTextColor(ResolveColor(bar->Color_1()))));
  label->setPalette(pal);
  QFont font = label->font();
  font.setBold(true);
  label->setFont(font);
  label->adjustSize();
  label->raise();
  label->setAutoFillBackground(false);
  label->setAttribute(Qt::WA_NoSystemBackground);
  label->move(5, std::max(0, bar->height() / 2 - label->height() / 2));
  label->show();

  auto* bevel = new QFrame(bar);
  bevel->setFrameShape(QFrame::Box);
  bevel->setFrameShadow(QFrame::Sunken);
  bevel->resize(bar->width(), p.bevelHeight);
  bevel->show();
  SetAlign(bevel, AlignT::Bottom);

  e.titleBar = bar;
  e.titleLabel = label;
  e.titleBevel = bevel;
  SetHeight(panel, panel->height() + h);
}

// Adds the title height to the minimum and maximum fields; empty fields stay empty.
std::string WithTitleHeight(const std::string& sizeText, int32_t titleHeight) {
  std::string out;
  size_t start = 0;
  for (int field = 0;; ++field) {
    const size_t bar = sizeText.find('|', start);
    const std::string item = sizeText.substr(start, bar == std::string::npos ? std::string::npos : bar - start);
    if ((field == 1 || field == 2) && !item.empty())
      out += IntText(static_cast<int64_t>(TextToInt(item)) + titleHeight);
    else
      out += item;
    if (bar == std::string::npos) break;
    out += '|';
    start = bar + 1;
  }
  return out;
}

}  // namespace

// ---- TTitleLabel -------------------------------------------------------------

void TTitleLabel::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && OnDblClick) {
    ControlEventT handler = OnDblClick;
    handler(this);
    // Passed on, the title bar beneath would toggle the same panel back.
    event->accept();
    return;
  }
  QLabel::mouseDoubleClickEvent(event);
}

TeasyPanel::~TeasyPanel() {
  if (menu && QCoreApplication::instance()) delete menu.data();
}

// ---- slot characters -----------------------------------------------------------

char SlotChar(int32_t slot) { return static_cast<char>(48 + slot); }

int32_t SlotAt(std::string_view text, int32_t pos) { return DigitAt(text, pos); }

// ---- set-up and registration -------------------------------------------------

void InitPanels(TeasyPanel& p, TAnimationClock& clock) {
  p.clock = &clock;
  p.marginX = 8;
  p.marginY = 8;
  p.gap = 8;
  p.titleHeight = 3 * p.gap;
  p.minHeight = 3 * p.gap;
  p.ready = false;
  p.bevelHeight = 2;
  p.buttons = true;
  p.titleBarsShown = true;
  p.gradient = true;
  p.columnWidth = 0;
  p.count = 0;
  p.animate = true;
  p.cornerButtonHeight = 6;
  p.cornerButtonWidth = 6;
  p.OnChange = nullptr;
  p.registeredSlots.clear();
  for (PanelEntry& e : p.entries) {
    e.panel = nullptr;
    e.titleBar = nullptr;
    e.titleButton = nullptr;
    e.cornerButton = nullptr;
    e.maximized = false;
    e.collapsed = false;
    e.expandPending = false;
  }

  if (p.menu) delete p.menu.data();
  auto* menu = new TPopupMenu(nullptr);
  p.menu = menu;
  static const char* const kCaptions[] = {
      QT_TRANSLATE_NOOP("PanelMenu", "Collapse all panels"),
      QT_TRANSLATE_NOOP("PanelMenu", "Maximize all panels"),
      QT_TRANSLATE_NOOP("PanelMenu", "Toggle titlebar"),
      QT_TRANSLATE_NOOP("PanelMenu", "Hide all titlebars"),
      QT_TRANSLATE_NOOP("PanelMenu", "Shows all titlebars"),
      QT_TRANSLATE_NOOP("PanelMenu", "Make all panels flat"),
      QT_TRANSLATE_NOOP("PanelMenu", "Make all panels raised"),
      QT_TRANSLATE_NOOP("PanelMenu", "Make all panels lowered+raised"),
      QT_TRANSLATE_NOOP("PanelMenu", "Make all panels lowered"),
  };
  TeasyPanel* record = &p;
  for (const char* caption : kCaptions) {
    QAction* item = menu->addAction(QCoreApplication::translate("PanelMenu", caption));
    item->setObjectName(QStringLiteral("Item1"));
    item->setCheckable(false);
    item->setEnabled(true);
    QObject::connect(item, &QAction::triggered, menu, [record, item] { PanelMenuClick(*record, item); });
  }
  // Owned by the application: gone when the event loop ends.
  if (auto* app = QCoreApplication::instance())
    QObject::connect(app, &QCoreApplication::aboutToQuit, menu, &QObject::deleteLater);
}

void RegisterPanel(TeasyPanel& p, TPanel* panel, std::string_view sizeText, bool notify) {
  if (!panel) return;
  int32_t slot = FindPanel(p, panel);
  if (slot == -1) slot = p.count;
  if (!ValidSlot(slot)) return;  // all 21 slots taken
  PanelEntry& e = p.entries[static_cast<size_t>(slot)];
  e.panel = panel;
  e.targetHeight = panel->height();
  e.preferredHeight = panel->height();
  e.baseColor = panel->Color();
  p.columnWidth = std::max(p.columnWidth, static_cast<int32_t>(panel->width()));

  const bool wasRegistered = IsRegistered(p, slot);
  if (!wasRegistered) {
    BuildTitleBar(p, e, panel);
    TeasyPanel* record = &p;
    const ControlEventT maximize = [record](QObject* sender) { ToggleMaximized(*record, sender); };
    e.titleLabel->OnDblClick = maximize;
    e.titleBar->OnDblClick = maximize;
    if (!p.titleBarsShown) SetHeight(panel, panel->height() - p.titleHeight);
    e.titleBar->setVisible(p.titleBarsShown);

    auto* backdrop = new TGPanel(panel);
    backdrop->setCursor(panel->cursor());
    backdrop->setGeometry(0, 0, panel->width(), panel->height());
    MakeFlat(backdrop);
    backdrop->show();
    backdrop->lower();
    SetAlign(backdrop, AlignT::Client);
    AdoptChildren(panel, backdrop);
    backdrop->OnClick = panel->OnClick;
    backdrop->OnDblClick = panel->OnDblClick;
    e.backdrop = backdrop;

    const ControlEventT click = [record](QObject* sender) { CollapseButtonClick(*record, sender); };
    auto* titleButton = new TPanel(e.titleBar);
    titleButton->OnClick = click;
    titleButton->show();
    StyleButton(p, titleButton);
    e.titleButton = titleButton;
    e.collapsible = p.buttons && p.titleBarsShown;

    auto* cornerButton = new TPanel(panel);
    cornerButton->OnClick = click;
    cornerButton->show();
    StyleButton(p, cornerButton);
    e.cornerButton = cornerButton;

    PaintPanelColours(p, slot, e.baseColor);
    p.registeredSlots += SlotChar(slot);
  }
  // Counted before the size text is read: a bad height field must not leave a
  // registered slot that the next registration would take over.
  p.count = static_cast<int32_t>(p.registeredSlots.size());

  // The defaults first: a height field that cannot be read raises below and
  // must not leave the panel without a usable height.
  e.sizeText = "0.1|" + IntText(e.preferredHeight) + "|" + IntText(e.preferredHeight);
  if (!sizeText.empty()) {
    std::string rest(sizeText);
    const std::string weight = CutToken(rest, "|");
    int32_t n = CutIntToken(rest, "|");
    if (n == -1)
      n = e.preferredHeight;
    else
      e.preferredHeight = n;
    e.sizeText = CleanList(weight + "|" + IntText(n) + "|" + rest, '|');
  }

  if (p.titleBarsShown) SetTitleBarVisible(p, slot, true, true);
  if (notify) NotifyChange(p);
  ArrangeTitleBar(p, slot);
}

std::string RegisterChildPanels(TeasyPanel& p, QWidget* container, bool notify) {
  if (!container) return RegisteredSlots(p);
  std::vector<QPointer<TPanel>> plain;
  for (QObject* child : container->children()) {
    auto* panel = dynamic_cast<TPanel*>(child);
    if (!panel || dynamic_cast<TGPanel*>(child) || panel->Caption() == " ") continue;
    plain.emplace_back(panel);
  }
  for (const QPointer<TPanel>& panel : plain)
    if (panel) RegisterPanel(p, panel, "", false);
  if (notify) NotifyChange(p);
  return RegisteredSlots(p);
}

bool IsRegistered(const TeasyPanel& p, int32_t slot) {
  return ValidSlot(slot) && p.registeredSlots.find(SlotChar(slot)) != std::string::npos;
}

std::string RegisteredSlots(const TeasyPanel& p) {
  std::string out;
  for (int32_t i = 0; i < kPanelSlots; ++i)
    if (IsRegistered(p, i)) out += SlotChar(i);
  return out;
}

// ---- lookups and sizes -------------------------------------------------------

int32_t FindPanel(const TeasyPanel& p, const QObject* control) {
  if (!control) return -1;
  for (int32_t i = 0; i < kPanelSlots; ++i)
    if (IsRegistered(p, i) && p.entries[static_cast<size_t>(i)].panel == control) return i;
  return -1;
}

int32_t FindPanelByButton(const TeasyPanel& p, const QObject* control) {
  if (!control) return -1;
  for (int32_t i = 0; i < kPanelSlots; ++i) {
    if (!IsRegistered(p, i)) continue;
    const PanelEntry& e = p.entries[static_cast<size_t>(i)];
    if (e.titleButton == control || e.cornerButton == control) return i;
  }
  return -1;
}

int32_t FindPanelByName(const TeasyPanel& p, std::string_view name) {
  if (name.find('*') != std::string_view::npos) return -1;
  const std::string wanted = UpperCaseText(name);
  const int32_t n = std::min(p.count, kPanelSlots);
  for (int32_t i = 0; i < n; ++i) {
    const PanelEntry& e = p.entries[static_cast<size_t>(i)];
    if (e.panel && UpperCaseText(NameOf(e.panel)) == wanted) return i;
  }
  return -1;
}

int32_t PanelWidth(const TeasyPanel& p, const TPanel* panel) {
  const int32_t slot = FindPanel(p, panel);
  return slot < 0 || !panel ? 0 : panel->width();
}

int32_t PanelBodyHeight(const TeasyPanel& p, const TPanel* panel) {
  const PanelEntry* e = Registered(p, FindPanel(p, panel));
  if (!e) return 0;
  int32_t h = panel->height();
  if (TitleBarShown(*e) && AlignOf(e->titleBar) == AlignT::Top) h -= p.titleHeight;
  return h;
}

int32_t CollapsedHeight(const TeasyPanel& p, int32_t slot) {
  const PanelEntry* e = Registered(p, slot);
  if (!e) return 0;
  if (TitleBarShown(*e)) return std::max(2 * e->panel->BevelWidth() + p.titleHeight, p.minHeight);
  return std::max(p.cornerButtonHeight, p.minHeight);
}

std::string SizeText(const TeasyPanel& p, int32_t slot) {
  const PanelEntry* e = Registered(p, slot);
  if (!e) return std::string();
  bool collapsedForm;
  if (AnyMaximized(p))
    collapsedForm = !e->maximized;
  else
    collapsedForm = e->collapsed && e->collapsible;
  if (collapsedForm) return "0.1|" + IntText(CollapsedHeight(p, slot)) + "|" + IntText(p.minHeight);
  return TitleBarShown(*e) ? WithTitleHeight(e->sizeText, p.titleHeight) : e->sizeText;
}

int32_t PanelHeightOf(const TeasyPanel& p, int32_t slot, bool skip) {
  if (skip || !IsRegistered(p, slot)) return 0;
  std::string s = SizeText(p, slot);
  CutToken(s, "|");
  return TextToInt(CutToken(s, "|"));
}

// ---- notification ------------------------------------------------------------

void SetReady(TeasyPanel& p) { p.ready = true; }

void NotifyChange(TeasyPanel& p) {
  if (!p.ready || !p.OnChange) return;
  const std::function<void()> handler = p.OnChange;  // may be replaced while running
  handler();
}

// ---- states ----------------------------------------------------------------------

void SetTitleBarVisible(TeasyPanel& p, int32_t slot, bool visible, bool notify) {
  PanelEntry* e = Registered(p, slot);
  if (!e || !e->titleBar || TitleBarShown(*e) == visible) return;
  e->titleBar->setVisible(visible);
  if (visible) SetHeight(e->titleBar, p.titleHeight);
  if (AlignOf(e->titleBar) != AlignT::Top)
    ShiftChildren(visible ? p.titleHeight : -p.titleHeight, 0, e->panel);
  SetHeight(e->panel, PanelHeightOf(p, slot, false));
  e->panel->Realign();
  if (notify) NotifyChange(p);
}

void ToggleTitleBar(TeasyPanel& p, int32_t slot, bool notify) {
  const PanelEntry* e = Registered(p, slot);
  if (!e) return;
  SetTitleBarVisible(p, slot, !TitleBarShown(*e), notify);
}

void SetCollapsed(TeasyPanel& p, int32_t slot, bool collapse, bool animated) {
  PanelEntry* e = Registered(p, slot);
  if (!e || e->panel->isHidden() || !e->collapsible) return;
  e->expandPending = !collapse && e->collapsed && p.animate && animated;
  e->collapsed = collapse;
  e->maximized = false;
  if (animated && collapse) AnimateCollapse(p, e->panel);
  if (animated) NotifyChange(p);
}

void ToggleCollapsed(TeasyPanel& p, int32_t slot, bool animated) {
  const PanelEntry* e = Registered(p, slot);
  if (!e) return;
  SetCollapsed(p, slot, !e->collapsed, animated);
}

void CollapseAll(TeasyPanel& p) {
  for (int32_t i = 0; i < kPanelSlots; ++i) SetCollapsed(p, i, true, false);
  NotifyChange(p);
}

void RestoreAll(TeasyPanel& p) {
  for (int32_t i = 0; i < kPanelSlots; ++i) SetCollapsed(p, i, false, false);
  NotifyChange(p);
}

void HideAllTitleBars(TeasyPanel& p) {
  for (int32_t i = 0; i < kPanelSlots; ++i) SetTitleBarVisible(p, i, false, false);
  NotifyChange(p);
}

void ShowAllTitleBars(TeasyPanel& p) {
  for (int32_t i = 0; i < kPanelSlots; ++i) SetTitleBarVisible(p, i, true, false);
  NotifyChange(p);
}

void StyleAllPanels(TeasyPanel& p, uint8_t style) {
  for (int32_t i = 0; i < kPanelSlots; ++i)
    if (PanelEntry* e = Registered(p, i)) SetPanelStyle(e->panel, style);
}

void ToggleMaximized(TeasyPanel& p, QObject* sender) {
  if (!sender) return;
  const QObject* named = qobject_cast<QLabel*>(sender) ? sender->parent() : sender;
  std::string name = NameOf(named);
  CutToken(name, "_");
  const int32_t slot = FindPanelByName(p, name);
  if (slot < 0) return;
  p.entries[static_cast<size_t>(slot)].maximized = !p.entries[static_cast<size_t>(slot)].maximized;
  NotifyChange(p);
}

void ArrangeTitleBar(TeasyPanel& p, int32_t slot) {
  PanelEntry* e = Registered(p, slot);
  if (!e) return;
  const bool m = AnyMaximized(p);
  if (e->titleBevel) e->titleBevel->setVisible(e->maximized || (!m && !e->collapsed));
  TPanel* shown = TitleBarShown(*e) ? e->titleButton.data() : e->cornerButton.data();
  TPanel* other = shown == e->titleButton ? e->cornerButton.data() : e->titleButton.data();
  if (shown) shown->setVisible(e->collapsible && !m);
  if (other) other->setVisible(false);
  if (e->titleLabel)
    e->titleLabel->move(e->titleLabel->x(),
                        std::max(0, std::min(e->targetHeight, p.minHeight) / 2 - e->titleLabel->height() / 2));
  if (e->titleButton && e->titleBar) {
    const int32_t bw = e->titleBar->BevelWidth();
    const int32_t h = std::max(0, p.titleHeight - 2 - 2 * bw - p.bevelHeight);
    e->titleButton->setGeometry(e->titleBar->width() - h - 2 - bw, 2, h, h);
  }
  if (e->cornerButton)
    e->cornerButton->setGeometry(p.columnWidth - p.cornerButtonWidth, 0, std::max(0, p.cornerButtonWidth),
                                 std::max(0, p.cornerButtonHeight));
}

void PaintPanelColours(TeasyPanel& p, int32_t slot, uint32_t color) {
  if (!ValidSlot(slot)) return;
  PanelEntry& e = p.entries[static_cast<size_t>(slot)];
  if (TGPanel* back = e.backdrop) {
    back->SetColor(color);
    if (p.gradient) {
      back->SetColor_1(color);
      back->SetColor_2(LighterColor(LighterColor(color)));
      back->SetColor_3(color);
      back->SetPercent(80);
      back->SetHorizontal(false);
    } else {
      back->SetColor_1(back->Color());
      back->SetColor_2(back->Color());
      back->SetColor_3(back->Color());
    }
  }
  if (e.titleButton) e.titleButton->SetColor(color);
  if (e.cornerButton) e.cornerButton->SetColor(color);
  if (TGPanel* bar = e.titleBar) {
    bar->SetColor(color);
    bar->SetColor_1(DarkerColor(DarkerColor(color)));
    bar->SetColor_2(LighterColor(bar->Color_1()));
    bar->SetColor_3(bar->Color_1());
  }
}

void SetLayoutText(TeasyPanel& p, std::string_view text) {
  std::string list = CleanList(text, ',');
  std::string chosen;
  if (list.compare(0, 4, "ord:") == 0) {
    chosen = list.substr(4);
  } else {
    const int32_t n = std::min(p.count, kPanelSlots);
    while (!list.empty()) {
      const std::string item = CutCommaToken(list);
      const size_t star = item.find('*');
      if (star == std::string::npos) {
        const int32_t slot = FindPanelByName(p, item);
        if (slot >= 0) chosen += SlotChar(slot);
        continue;
      }
      const std::string prefix = UpperCaseText(item.substr(0, star));
      for (int32_t i = 0; i < n; ++i) {
        const PanelEntry& e = p.entries[static_cast<size_t>(i)];
        if (e.panel && UpperCaseText(NameOf(e.panel)).compare(0, prefix.size(), prefix) == 0) chosen += SlotChar(i);
      }
    }
  }
  p.layoutText = chosen;
  NotifyChange(p);
}

// ---- popup menu ------------------------------------------------------------------

void PanelMenuClick(TeasyPanel& p, QObject* sender) {
  auto* item = qobject_cast<QAction*>(sender);
  if (!item || !p.menu) return;
  switch (p.menu->actions().indexOf(item)) {
    case 0: CollapseAll(p); break;
    case 1: RestoreAll(p); break;
    case 2: {
      const int32_t slot = FindPanelByButton(p, p.menu->PopupComponent.data());
      if (slot >= 0) ToggleTitleBar(p, slot, true);
      break;
    }
    case 3: HideAllTitleBars(p); break;
    case 4: ShowAllTitleBars(p); break;
    case 5: StyleAllPanels(p, 0); break;
    case 6: StyleAllPanels(p, 1); break;
    case 7: StyleAllPanels(p, 2); break;
    case 8: StyleAllPanels(p, 3); break;
    default: break;
  }
}

// ---- animation -------------------------------------------------------------------

std::vector<MovementT> CollapseMovements(int32_t h, int32_t c) {
  const int64_t span = static_cast<int64_t>(h) - c;
  if (!(c < h && span > 20)) return {{c, 1, 1}};
  const int64_t rebound = std::max<int64_t>(int64_t{c} + 20, std::min<int64_t>(int64_t{c} + 40, span / 4));
  std::vector<MovementT> moves = {
      {c, 1.098, 3},
      {static_cast<int32_t>(std::min<int64_t>(rebound, INT32_MAX)), 0.99, 3},
      {c, 1.098, 2},
      {static_cast<int32_t>(std::min<int64_t>(int64_t{c} + 5, INT32_MAX)), 0.99, 2},
      {c, 1.098, 1},
  };
  if (h > 150) {
    moves.push_back({static_cast<int32_t>(std::min<int64_t>(int64_t{c} + 2, INT32_MAX)), 0.99, 1});
    moves.push_back({c, 1.098, 1});
  }
  return moves;
}

std::vector<MovementT> ExpandMovements(int32_t h, int32_t v, int32_t c) {
  if (!(v > h && static_cast<int64_t>(v) - h > 20)) return {{v, 1, 1}};
  const double ninety = std::nearbyint(static_cast<double>(v) / 100.0 * 90.0);
  const int64_t middle = std::max<int64_t>(int64_t{v} - c, static_cast<int64_t>(ninety));
  return {{v, 1.9, 3}, {static_cast<int32_t>(std::clamp<int64_t>(middle, INT32_MIN, INT32_MAX)), 1.1, 3}, {v, 1.098, 1}};
}

void AnimateHeight(QWidget* panel, int32_t target, double factor, double step, TAnimationClock& clock) {
  if (!panel) return;
  QPointer<QWidget> guarded(panel);
  UnbufferedGuard unbuffered(panel);
  if (!(step >= 0.8)) step = 0.8;  // a step of 0 would never arrive
  double current = panel->height();
  const bool growing = target > current;
  while (guarded && (growing ? current < target : current > target)) {
    current += growing ? step : -step;
    if (growing ? current > target : current < target) current = target;
    step *= factor;
    if (!(step >= 0.8)) step = 0.8;
    SetHeight(panel, static_cast<int32_t>(std::nearbyint(current)));
    panel->repaint();
    clock.WaitAnimation(panel);
  }
}

void AnimateCollapse(TeasyPanel& p, TPanel* panel) {
  const int32_t slot = FindPanel(p, panel);
  if (slot < 0) return;
  const int32_t c = CollapsedHeight(p, slot);
  if (!p.animate) {
    SetHeight(panel, c);
    return;
  }
  QPointer<TPanel> guarded(panel);
  UnbufferedGuard unbuffered(panel);
  for (const MovementT& m : CollapseMovements(panel->height(), c))
    if (guarded) AnimateHeight(panel, m.target, m.factor, m.step, *p.clock);
}

void AnimateExpand(TeasyPanel& p, TPanel* panel, int32_t target) {
  const int32_t slot = FindPanel(p, panel);
  if (slot < 0) return;
  const int32_t c = CollapsedHeight(p, slot);
  if (!p.animate) {
    SetHeight(panel, target);
    return;
  }
  QPointer<TPanel> guarded(panel);
  UnbufferedGuard unbuffered(panel);
  for (const MovementT& m : ExpandMovements(panel->height(), target, c))
    if (guarded) AnimateHeight(panel, m.target, m.factor, m.step, *p.clock);
}
