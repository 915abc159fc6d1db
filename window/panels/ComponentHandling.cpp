#include "window/panels/ComponentHandling.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPalette>
#include <QScreen>
#include <QStatusBar>
#include <vector>

#include "util/valstr.h"

void SetPanelStyle(TPanel* panel, uint8_t style) {
  if (!panel || style > 4) return;
  struct StyleT {
    BevelCut inner, outer;
    BorderStyleT border;
    bool ctl3D;
  };
  static const StyleT kStyles[5] = {
      {BevelCut::None, BevelCut::None, BorderStyleT::Single, false},
      {BevelCut::None, BevelCut::Raised, BorderStyleT::None, true},
      {BevelCut::Lowered, BevelCut::Raised, BorderStyleT::None, true},
      {BevelCut::None, BevelCut::Lowered, BorderStyleT::None, true},
      {BevelCut::None, BevelCut::Raised, BorderStyleT::Single, false},
  };
  const StyleT& s = kStyles[style];
  panel->SetBevelInner(s.inner);
  panel->SetBevelOuter(s.outer);
  panel->SetBorderStyle(s.border);
  panel->SetCtl3D(s.ctl3D);
}

void CenterOnScreen(QWidget* window) {
  if (!window) return;
  QScreen* screen = window->screen();
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect s = screen->geometry();
  const QRect frame = window->frameGeometry();
  window->move((s.width() - frame.width()) / 2, (s.height() - frame.height()) / 2);
}

void SetDoubleBufferedDeep(QWidget* control) {
  if (!control) return;
  SetDoubleBuffered(control, true);
  for (QObject* child : control->children()) {
    auto* w = qobject_cast<QWidget*>(child);
    // Labels draw on their parent; they have no buffer of their own.
    if (w && !w->isWindow() && !qobject_cast<QLabel*>(w)) SetDoubleBufferedDeep(w);
  }
}

namespace {
QSize ClientSize(const QWidget* control) {
  if (auto* panel = dynamic_cast<const TPanel*>(control)) return {panel->ClientWidth(), panel->ClientHeight()};
  if (control->isWindow()) return control->size();
  if (auto* area = qobject_cast<const QAbstractScrollArea*>(control)) return area->viewport()->size();
  return control->contentsRect().size();
}

QSize OuterSize(const QWidget* control) {
  const bool form = control->isWindow() && !dynamic_cast<const TPanel*>(control);
  return form ? control->frameGeometry().size() : control->size();
}
}  // namespace

int32_t FrameHeight(const QWidget* control) {
  return control ? OuterSize(control).height() - ClientSize(control).height() : 0;
}

int32_t FrameWidth(const QWidget* control) {
  return control ? OuterSize(control).width() - ClientSize(control).width() : 0;
}

int32_t StatusBarHeight(const QWidget* container) {
  if (!container) return 0;
  for (QObject* child : container->children())
    if (auto* bar = qobject_cast<QStatusBar*>(child)) return bar->height();
  return 0;
}

void ShiftChildren(int32_t dy, int32_t dx, QWidget* container) {
  if (!container) return;
  for (QObject* child : container->children()) {
    auto* w = qobject_cast<QWidget*>(child);
    if (w && !w->isWindow()) w->move(w->x() + dx, w->y() + dy);
  }
}

void AdoptChildren(QWidget* container, QWidget* newParent) {
  if (!container || !newParent) return;
  std::vector<QPointer<QWidget>> movers;
  for (QObject* child : container->children()) {
    auto* w = qobject_cast<QWidget*>(child);
    if (!w || w->isWindow() || w == newParent || dynamic_cast<TGPanel*>(w)) continue;
    if (w->isAncestorOf(newParent)) continue;  // would cut the new parent off the window
    movers.emplace_back(w);
  }
  for (const QPointer<QWidget>& w : movers) {
    if (!w) continue;
    if (auto* label = qobject_cast<QLabel*>(w.data())) {
      label->setAutoFillBackground(false);
      label->setAttribute(Qt::WA_NoSystemBackground);
    }
    const bool hidden = w->isHidden();
    const QPoint at = w->pos();
    w->setParent(newParent);
    w->move(at);
    if (!hidden) w->show();
  }
}

bool IsTransparent(const QWidget* control) {
  return control && !control->autoFillBackground() && control->testAttribute(Qt::WA_NoSystemBackground);
}

void InstallDesktopColorResolver() {
  SetSystemColorResolver([](uint32_t color) -> uint32_t {
    if ((color & kSysColorFlag) == 0) return color & 0xFFFFFF;
    const QPalette pal = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                             ? QGuiApplication::palette()
                             : QPalette(QColor(0xF0, 0xF0, 0xF0));
    QPalette::ColorGroup group = QPalette::Active;
    QPalette::ColorRole role;
    switch (color & 0xFF) {
      case 0: role = QPalette::Button; break;           // scroll bar
      case 1: role = QPalette::Dark; break;             // desktop
      case 2: role = QPalette::Highlight; break;        // active caption
      case 3: role = QPalette::Mid; break;              // inactive caption
      case 4: role = QPalette::Window; break;           // menu
      case 5: role = QPalette::Base; break;             // window
      case 6: role = QPalette::WindowText; break;       // window frame
      case 7: role = QPalette::WindowText; break;       // menu text
      case 8: role = QPalette::Text; break;             // window text
      case 9: role = QPalette::HighlightedText; break;  // caption text
      case 10: role = QPalette::Window; break;          // active border
      case 11: role = QPalette::Window; break;          // inactive border
      case 12: role = QPalette::Dark; break;            // application work space
      case 13: role = QPalette::Highlight; break;
      case 14: role = QPalette::HighlightedText; break;
      case 15: role = QPalette::Button; break;          // button face
      case 16: role = QPalette::Dark; break;            // button shadow
      case 17: group = QPalette::Disabled; role = QPalette::Text; break;  // grey text
      case 18: role = QPalette::ButtonText; break;
      case 19: group = QPalette::Disabled; role = QPalette::WindowText; break;  // inactive caption text
      case 20: role = QPalette::Light; break;           // button highlight
      case 21: role = QPalette::Shadow; break;          // 3-D dark shadow
      case 22: role = QPalette::Midlight; break;        // 3-D light
      case 23: role = QPalette::ToolTipText; break;     // info text
      case 24: role = QPalette::ToolTipBase; break;     // info background
      default: return 0;  // unknown system colours read as black
    }
    return FromQColor(pal.color(group, role));
  });
}
