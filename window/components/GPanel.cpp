#include "window/components/GPanel.h"

#include <QContextMenuEvent>
#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cstdlib>

#include "window/components/QtText.h"
#include "util/valstr.h"

// ---- colours ---------------------------------------------------------------

QColor ToQColor(uint32_t color) {
  const uint32_t c = ResolveColor(color);
  return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                static_cast<int>((c >> 16) & 0xFF));
}

uint32_t FromQColor(const QColor& color) {
  const QColor rgb = color.toRgb();
  return static_cast<uint32_t>(rgb.red() & 0xFF) | (static_cast<uint32_t>(rgb.green() & 0xFF) << 8) |
         (static_cast<uint32_t>(rgb.blue() & 0xFF) << 16);
}

// ---- gradient bands --------------------------------------------------------

int32_t GradientSplit(int32_t v, int32_t percent) {
  const int64_t p = static_cast<int64_t>(v) * percent / 100;
  return p == 0 ? 1 : static_cast<int32_t>(p);
}

std::vector<GradientSectionT> GradientSections(int32_t length, int32_t percent) {
  if (percent == 100) return {{0, length, 1, 2}};
  const int32_t first = GradientSplit(length, percent);
  return {{0, first, 1, 2}, {first, length - first, 2, 3}};
}

std::vector<GradientBandT> GradientBands(uint32_t a, uint32_t b, int32_t length) {
  std::vector<GradientBandT> bands;
  const int64_t r1 = 100 * static_cast<int64_t>(a & 0xFF);
  const int64_t g1 = 100 * static_cast<int64_t>((a >> 8) & 0xFF);
  const int64_t b1 = 100 * static_cast<int64_t>((a >> 16) & 0xFF);
  const int64_t dr = 100 * static_cast<int64_t>(b & 0xFF) - r1;
  const int64_t dg = 100 * static_cast<int64_t>((b >> 8) & 0xFF) - g1;
  const int64_t db = 100 * static_cast<int64_t>((b >> 16) & 0xFF) - b1;
  const int64_t d = std::max({std::llabs(dr), std::llabs(dg), std::llabs(db)});
  const int64_t len = length;
  int64_t q = 1;
  if (d == 0) {
    // Same colour once resolved: one solid band (the band formula would divide by 0).
    q = std::max<int64_t>(len, 1);
  } else if (d < 100 * len) {
    q = ((d / 100) + len - 1) * 100 / d;
    if (q < 1) q = 1;
  }
  const int64_t n = len / q;
  const int64_t divisor = std::max<int64_t>(n, 1);
  for (int64_t i = 0; i <= n; ++i) {
    GradientBandT band;
    band.start = static_cast<int32_t>(i * q);
    band.length = static_cast<int32_t>(std::min(q, len - i * q));
    const uint32_t red = static_cast<uint32_t>(((dr / divisor) * i) / 100 + r1 / 100) & 0xFF;
    const uint32_t green = static_cast<uint32_t>(((dg / divisor) * i) / 100 + g1 / 100) & 0xFF;
    const uint32_t blue = static_cast<uint32_t>(((db / divisor) * i) / 100 + b1 / 100) & 0xFF;
    band.color = red | (green << 8) | (blue << 16);
    bands.push_back(band);
  }
  return bands;
}

// ---- alignment and flags ---------------------------------------------------

namespace {
constexpr const char* kAlignProperty = "orvaneAlign";
constexpr const char* kDoubleBufferedProperty = "orvaneDoubleBuffered";

void RealignParent(QWidget* child) {
  if (auto* panel = dynamic_cast<TPanel*>(child ? child->parentWidget() : nullptr)) panel->Realign();
}
}  // namespace

void SetAlign(QWidget* child, AlignT align) {
  if (!child) return;
  child->setProperty(kAlignProperty, static_cast<int>(align));
  RealignParent(child);
}

AlignT AlignOf(const QWidget* child) {
  if (!child) return AlignT::None;
  const QVariant v = child->property(kAlignProperty);
  return v.isValid() ? static_cast<AlignT>(v.toInt()) : AlignT::None;
}

void SetDoubleBuffered(QWidget* control, bool on) {
  if (control) control->setProperty(kDoubleBufferedProperty, on);
}

bool IsDoubleBuffered(const QWidget* control) {
  return control && control->property(kDoubleBufferedProperty).toBool();
}

// ---- TPanel ----------------------------------------------------------------

TPanel::TPanel(QWidget* parent) : QWidget(parent), color_(clBtnFace), fontColor_(clWindowText) {}

void TPanel::SetCaption(const std::string& caption) {
  caption_ = caption;
  update();
}

void TPanel::SetColor(uint32_t color) {
  color_ = color;
  update();
}

void TPanel::SetFontColor(uint32_t color) {
  fontColor_ = color;
  update();
}

void TPanel::SetBevelInner(BevelCut cut) {
  bevelInner_ = cut;
  Realign();
  update();
}

void TPanel::SetBevelOuter(BevelCut cut) {
  bevelOuter_ = cut;
  Realign();
  update();
}

void TPanel::SetBevelWidth(int32_t width) {
  bevelWidth_ = std::max(1, width);
  Realign();
  update();
}

void TPanel::SetBorderStyle(BorderStyleT style) {
  borderStyle_ = style;
  Realign();
  update();
}

void TPanel::SetCtl3D(bool on) {
  ctl3D_ = on;
  Realign();
  update();
}

int32_t TPanel::BorderWidth() const {
  if (borderStyle_ == BorderStyleT::None) return 0;
  return ctl3D_ ? 2 : 1;
}

QRect TPanel::AlignRect() const {
  int32_t inset = BorderWidth();
  if (bevelOuter_ != BevelCut::None) inset += bevelWidth_;
  if (bevelInner_ != BevelCut::None) inset += bevelWidth_;
  return QRect(0, 0, width(), height()).adjusted(inset, inset, -inset, -inset);
}

// Top, bottom, left and right children take their edge in child order, the
// client-aligned ones get what is left; hidden children take no room.
void TPanel::Realign() {
  QRect r = AlignRect();
  std::vector<QWidget*> client;
  for (QObject* o : children()) {
    auto* w = qobject_cast<QWidget*>(o);
    if (!w || w->isWindow() || w->isHidden()) continue;
    switch (AlignOf(w)) {
      case AlignT::Top:
        w->setGeometry(r.left(), r.top(), r.width(), w->height());
        r.setTop(r.top() + w->height());
        break;
      case AlignT::Bottom:
        w->setGeometry(r.left(), r.bottom() + 1 - w->height(), r.width(), w->height());
        r.setBottom(r.bottom() - w->height());
        break;
      case AlignT::Left:
        w->setGeometry(r.left(), r.top(), w->width(), r.height());
        r.setLeft(r.left() + w->width());
        break;
      case AlignT::Right:
        w->setGeometry(r.right() + 1 - w->width(), r.top(), w->width(), r.height());
        r.setRight(r.right() - w->width());
        break;
      case AlignT::Client:
        client.push_back(w);
        break;
      case AlignT::None:
        break;
    }
  }
  for (QWidget* w : client) w->setGeometry(r.left(), r.top(), std::max(0, r.width()), std::max(0, r.height()));
  // Hidden panels get no resize events; aligned panels pass the layout down.
  for (QObject* o : children()) {
    auto* panel = dynamic_cast<TPanel*>(o);
    if (panel && !panel->isWindow() && AlignOf(panel) != AlignT::None) panel->Realign();
  }
}

void TPanel::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Realign();
}

bool TPanel::event(QEvent* event) {
  const bool handled = QWidget::event(event);
  // An aligned child that appears, disappears or changes size moves its siblings.
  if (event->type() == QEvent::LayoutRequest || event->type() == QEvent::ChildRemoved) Realign();
  return handled;
}

void TPanel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) pressed_ = true;
  QWidget::mousePressEvent(event);
}

void TPanel::mouseReleaseEvent(QMouseEvent* event) {
  const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  if (click && OnClick) {
    ControlEventT handler = OnClick;  // the handler may replace itself
    handler(this);
  }
  QWidget::mouseReleaseEvent(event);
}

void TPanel::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && OnDblClick) {
    ControlEventT handler = OnDblClick;
    handler(this);
  }
  // The base class would treat it as a second press, and its release as a click.
  event->accept();
}

void TPanel::contextMenuEvent(QContextMenuEvent* event) {
  if (!PopupMenu) {
    QWidget::contextMenuEvent(event);
    return;
  }
  if (auto* menu = dynamic_cast<TPopupMenu*>(PopupMenu.data())) menu->PopupComponent = this;
  PopupMenu->popup(event->globalPos());
  event->accept();
}

namespace {
// One bevel ring of the given width; raised is light at the top left.
void PaintBevel(QPainter& painter, QRect& r, BevelCut cut, int32_t width) {
  if (cut == BevelCut::None) return;
  const QColor light = ToQColor(clBtnHighlight);
  const QColor dark = ToQColor(clBtnShadow);
  const QColor& topLeft = cut == BevelCut::Raised ? light : dark;
  const QColor& bottomRight = cut == BevelCut::Raised ? dark : light;
  for (int32_t i = 0; i < width && r.width() > 0 && r.height() > 0; ++i) {
    painter.setPen(topLeft);
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(bottomRight);
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
    r.adjust(1, 1, -1, -1);
  }
}
}  // namespace

void TPanel::PaintPanel(QPainter& painter) {
  QRect r = rect();
  painter.fillRect(r, ToQColor(color_));
  const int32_t border = BorderWidth();
  if (border > 0) {
    if (ctl3D_) {
      PaintBevel(painter, r, BevelCut::Lowered, 1);
      painter.setPen(ToQColor(cl3DDkShadow));
      painter.drawRect(r.adjusted(0, 0, -1, -1));
      r.adjust(1, 1, -1, -1);
    } else {
      painter.setPen(ToQColor(clWindowFrame));
      painter.drawRect(r.adjusted(0, 0, -1, -1));
      r.adjust(1, 1, -1, -1);
    }
  }
  PaintBevel(painter, r, bevelOuter_, bevelWidth_);
  PaintBevel(painter, r, bevelInner_, bevelWidth_);
  if (!caption_.empty()) {
    painter.setPen(ToQColor(fontColor_));
    painter.setFont(font());
    painter.drawText(r, Qt::AlignCenter, ToQString(caption_));
  }
}

void TPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintPanel(painter);
}

// ---- TGPanel ---------------------------------------------------------------

TGPanel::TGPanel(QWidget* parent) : TPanel(parent), color1_(clBtnFace) {}

void TGPanel::SetActive(bool on) {
  active_ = on;
  update();
}

void TGPanel::SetColor_1(uint32_t color) {
  color1_ = color;
  update();
}

void TGPanel::SetColor_2(uint32_t color) {
  color2_ = color;
  update();
}

void TGPanel::SetColor_3(uint32_t color) {
  color3_ = color;
  update();
}

void TGPanel::SetHorizontal(bool on) {
  horizontal_ = on;
  update();
}

void TGPanel::SetPercent(int32_t percent) {
  if (percent < 1) percent = 1;
  if (percent > 99) percent = 100;
  percent_ = percent;
  update();
}

QRect TGPanel::GradientRect() const {
  int32_t b = 0;
  if (BevelInner() != BevelCut::None) b += BevelWidth();
  if (BevelOuter() != BevelCut::None) b += BevelWidth();
  const int32_t frame = BorderWidth();
  return QRect(frame + b, frame + b, ClientWidth() - 2 * b, ClientHeight() - 2 * b);
}

void TGPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintPanel(painter);
  if (!active_) return;
  const QRect area = GradientRect();
  if (area.width() <= 0 || area.height() <= 0) return;
  const uint32_t colors[4] = {0, color1_, color2_, color3_};
  const int32_t length = horizontal_ ? area.width() : area.height();
  for (const GradientSectionT& section : GradientSections(length, percent_)) {
    const uint32_t a = colors[section.from];
    const uint32_t b = colors[section.to];
    if (a == b) continue;  // the plain panel shows through
    for (const GradientBandT& band : GradientBands(ResolveColor(a), ResolveColor(b), section.length)) {
      if (band.length <= 0) continue;
      const int32_t at = section.start + band.start;
      const QRect r = horizontal_ ? QRect(area.left() + at, area.top(), band.length, area.height())
                                  : QRect(area.left(), area.top() + at, area.width(), band.length);
      painter.fillRect(r, ToQColor(band.color));
    }
  }
}
