#pragma once
// The framework-style panel (bevels, border, caption, colour, click handlers,
// child alignment) and the gradient panel built on it.
#include <QColor>
#include <QMenu>
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// ---- colours ---------------------------------------------------------------
// 0x00BBGGRR (system colours resolved first) <-> QColor.
QColor ToQColor(uint32_t color);
uint32_t FromQColor(const QColor& color);

// ---- gradient bands (pure) -------------------------------------------------
struct GradientBandT {
  int32_t start = 0;   // offset along the section
  int32_t length = 0;  // 0 for the trailing empty band
  uint32_t color = 0;  // 0x00BBGGRR
};

// P(v): v * percent div 100, or 1 when that is 0.
int32_t GradientSplit(int32_t v, int32_t percent);
// Solid bands of one section of the given length from colour a to colour b
// (both already resolved to RGB). The last band may be empty.
std::vector<GradientBandT> GradientBands(uint32_t a, uint32_t b, int32_t length);

struct GradientSectionT {
  int32_t start = 0;   // along the gradient
  int32_t length = 0;
  int32_t from = 0;    // 1, 2: which of Color_1..Color_3 starts / ends it
  int32_t to = 0;
};
// The one or two sections of a gradient of the given length.
std::vector<GradientSectionT> GradientSections(int32_t length, int32_t percent);

// ---- framework panel -------------------------------------------------------
enum class BevelCut : uint8_t { None, Lowered, Raised };
enum class BorderStyleT : uint8_t { None, Single };
enum class AlignT : uint8_t { None, Top, Bottom, Left, Right, Client };

// Alignment of a child inside a TPanel; the panel places aligned children on
// every resize and on Realign.
void SetAlign(QWidget* child, AlignT align);
AlignT AlignOf(const QWidget* child);

// Double buffering flag of any control (Qt always buffers; the flag is kept
// so the styling code can switch and query it like the other properties).
void SetDoubleBuffered(QWidget* control, bool on);
bool IsDoubleBuffered(const QWidget* control);

using ControlEventT = std::function<void(QObject* sender)>;

// A popup menu that remembers which control opened it.
class TPopupMenu : public QMenu {
  Q_OBJECT
 public:
  explicit TPopupMenu(QWidget* parent = nullptr) : QMenu(parent) {}
  QPointer<QObject> PopupComponent;
};

class TPanel : public QWidget {
  Q_OBJECT
 public:
  explicit TPanel(QWidget* parent = nullptr);

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  uint32_t Color() const { return color_; }
  void SetColor(uint32_t color);
  uint32_t FontColor() const { return fontColor_; }
  void SetFontColor(uint32_t color);
  BevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(BevelCut cut);
  BevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(BevelCut cut);
  int32_t BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int32_t width);  // at least 1
  BorderStyleT BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(BorderStyleT style);
  bool Ctl3D() const { return ctl3D_; }
  void SetCtl3D(bool on);

  // Width of the window border (0 without one).
  int32_t BorderWidth() const;
  int32_t ClientWidth() const { return width() - 2 * BorderWidth(); }
  int32_t ClientHeight() const { return height() - 2 * BorderWidth(); }
  // Area left for aligned children: inside the border and the bevels.
  QRect AlignRect() const;
  void Realign();

  ControlEventT OnClick;
  ControlEventT OnDblClick;
  QPointer<QMenu> PopupMenu;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool event(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  // Background, border, bevels and caption.
  void PaintPanel(QPainter& painter);

 private:
  std::string caption_;
  uint32_t color_;
  uint32_t fontColor_;
  BevelCut bevelInner_ = BevelCut::None;
  BevelCut bevelOuter_ = BevelCut::Raised;
  int32_t bevelWidth_ = 1;
  BorderStyleT borderStyle_ = BorderStyleT::None;
  bool ctl3D_ = true;
  bool pressed_ = false;
};

// ---- gradient panel --------------------------------------------------------
class TGPanel : public TPanel {
  Q_OBJECT
 public:
  explicit TGPanel(QWidget* parent = nullptr);

  bool Active() const { return active_; }
  void SetActive(bool on);
  uint32_t Color_1() const { return color1_; }
  void SetColor_1(uint32_t color);
  uint32_t Color_2() const { return color2_; }
  void SetColor_2(uint32_t color);
  uint32_t Color_3() const { return color3_; }
  void SetColor_3(uint32_t color);
  bool Horizontal() const { return horizontal_; }
  void SetHorizontal(bool on);
  int32_t Percent() const { return percent_; }
  void SetPercent(int32_t percent);  // <1 -> 1, >99 -> 100

  // The gradient area: inside the border, shrunk by the bevels.
  QRect GradientRect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool active_ = true;
  uint32_t color1_;
  uint32_t color2_ = 0xFFFFFF;
  uint32_t color3_ = 16776960;
  bool horizontal_ = true;
  int32_t percent_ = 100;
};
