// What makes the window usable without a mouse and readable at any size:
// focus marking, keyboard menus and day picking, input hints, the edit
// actions of the date fields, and a minimum size that fits the content.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <algorithm>

#include "window/form/window_settings.h"
#include "window/form/main.h"
#include "window/components/QtText.h"
#include "results/texts.h"
#include "util/valstr.h"

namespace {

constexpr int32_t kWeekColumn = MonthCalendarT::kWeekColumn;

// A frame drawn around the focused control, above its neighbours; it takes
// no mouse input, so clicks reach the controls below.
class TFocusRing : public QWidget {
 public:
  static constexpr int kWidth = 2;
  explicit TFocusRing(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setObjectName("FocusRing");
    hide();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    // The highlight colour stands out against every pastel of the panels.
    QPen pen(palette().color(QPalette::Active, QPalette::Highlight), kWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    p.drawRect(QRectF(rect()).adjusted(kWidth / 2.0, kWidth / 2.0, -kWidth / 2.0, -kWidth / 2.0));
  }
};

// Sees the keys of every widget before the widget does; the window picks
// those of its own controls.
class TKeyFilter : public QObject {
 public:
  TKeyFilter(QObject* parent, std::function<bool(QObject*, QEvent*)> filter)
      : QObject(parent), filter_(std::move(filter)) {}
  bool eventFilter(QObject* watched, QEvent* event) override { return filter_(watched, event); }

 private:
  std::function<bool(QObject*, QEvent*)> filter_;
};

bool IsMenuKey(const QKeyEvent* key) {
  return (key->key() == Qt::Key_Menu && !(key->modifiers() & ~Qt::KeypadModifier)) ||
         (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier);
}

}  // namespace

QList<QWidget*> TForm1::TabControls() const {
  return {Edit1, ComboBox1, SpinEdit1, Memo2, Edit2,       CheckBox1, ComboBox2,
          SpinEdit2, Memo3, StringGrid1, StringGrid2, Memo1, StatusPanel};
}

void TForm1::SetupKeyboard() {
  const QList<QWidget*> order = TabControls();
  for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
  // The home-page link is a control like the others.
  StatusPanel->setFocusPolicy(Qt::TabFocus);
  for (QPlainTextEdit* memo : {Memo1, Memo2, Memo3}) {
    memo->setFocusPolicy(Qt::StrongFocus);
    memo->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  }

  focusRing_ = new TFocusRing(this);
  focusWatch_ = connect(qApp, &QApplication::focusChanged, this, [this] { PlaceFocusRing(); });
  keyFilter_ = new TKeyFilter(this, [this](QObject* watched, QEvent* event) { return FilterAidEvent(watched, event); });
  qApp->installEventFilter(keyFilter_);

  // The panel titles lead to their date fields, as a label's mnemonic does.
  const auto titleShortcut = [this](TPanel* panel, TEdit* edit, Qt::Key key) {
    for (const PanelEntry& e : Panels.entries) {
      if (e.panel == panel && e.titleLabel) e.titleLabel->setBuddy(edit);
    }
    auto* shortcut = new QShortcut(QKeySequence(Qt::ALT | key), this);
    connect(shortcut, &QShortcut::activated, edit, [edit] { edit->setFocus(Qt::ShortcutFocusReason); });
  };
  titleShortcut(Panel1, Edit1, Qt::Key_1);
  titleShortcut(Panel2, Edit2, Qt::Key_2);
}

QWidget* TForm1::ControlOf(QWidget* w) const {
  const QList<QWidget*> controls = TabControls();
  for (QWidget* at = w; at && at != this; at = at->parentWidget()) {
    if (controls.contains(at)) return at;
  }
  return nullptr;
}

void TForm1::PlaceFocusRing() {
  if (!focusRing_) return;
  QWidget* control = ControlOf(QApplication::focusWidget());
  if (!control || !control->isVisible()) {
    focusRing_->hide();
    return;
  }
  const int32_t m = TFocusRing::kWidth;
  focusRing_->setGeometry(QRect(control->mapTo(this, QPoint(0, 0)), control->size()).adjusted(-m, -m, m, m));
  focusRing_->raise();
  focusRing_->show();
  focusRing_->update();
}

bool TForm1::FocusRingShown(const QWidget* control) const {
  if (!focusRing_ || !focusRing_->isVisible()) return false;
  return focusRing_->geometry().contains(QRect(control->mapTo(this, QPoint(0, 0)), control->size()));
}

// Keys for the window's controls: menus from the keyboard, picking a day, and
// copying a whole result memo.
bool TForm1::HandleControlKey(QWidget* control, QKeyEvent* key) {
  if (IsMenuKey(key)) {
    // A calendar places its menu at its current cell itself.
    const QPoint at(4, control->height() / 2);
    QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, control->mapToGlobal(at));
    QApplication::sendEvent(control, &menu);
    return true;
  }
  if (auto* grid = qobject_cast<TTextGrid*>(control)) {
    const bool pick = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Space;
    if (pick && !(key->modifiers() & ~Qt::KeypadModifier)) {
      const TGridRect cell = grid->Selection();
      SetDateOnClick(grid, cell.Top, cell.Left);
      return true;
    }
  }
  if (auto* memo = qobject_cast<QPlainTextEdit*>(control); memo && key->matches(QKeySequence::Copy)) {
    // Without a selection the whole result is what a user means to copy.
    QString selected = memo->textCursor().selectedText();
    QApplication::clipboard()->setText(selected.isEmpty() ? memo->toPlainText()
                                                          : selected.replace(QChar::ParagraphSeparator, '\n'));
    return true;
  }
  if (control == StatusPanel && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
                                 key->key() == Qt::Key_Space)) {
    gourl();
    return true;
  }
  return false;
}

bool TForm1::FilterAidEvent(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FontChange && (watched == StringGrid1 || watched == StringGrid2)) {
    FitCalendars();
    return false;
  }
  // Some platforms follow the Menu key with a menu event of their own; the
  // menu the key opened is already up.
  if (event->type() == QEvent::ContextMenu &&
      static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard &&
      QApplication::activePopupWidget() && qobject_cast<QWidget*>(watched) &&
      static_cast<QWidget*>(watched)->window() == this)
    return true;
  if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget != QApplication::focusWidget() || widget->window() != this) return false;
  QWidget* control = ControlOf(widget);
  if (!control) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  if (event->type() == QEvent::ShortcutOverride) {
    // Keep Ctrl+C of a memo from any window shortcut.
    if (qobject_cast<QPlainTextEdit*>(control) && key->matches(QKeySequence::Copy)) event->accept();
    return false;
  }
  return HandleControlKey(control, key);
}

// ---- captions ----

// Shorter captions of a calendar column from the name lists of the language.
std::vector<std::string> TForm1::CaptionForms(const TEasyGrid& binder, int32_t col) const {
  const int32_t id = ColumnIdAt(binder, col);
  const CalcContextT context = Context();
  if (id == kWeekColumn) return {std::string(LangText(context.language, TextT::kWeekShort)), "#"};
  if (id < 0 || id > 6) return {};
  // 1 January 2024 is a Monday.
  const int32_t day = id + 1;
  // German abbreviates weekdays to two letters ("Di", "Mi"); three read oddly.
  if (context.language == 1)
    return {std::string(WeekdayName(context, day, 1, 2024)), FormatDate(context, "DD", day, 1, 2024)};
  return {std::string(WeekdayName(context, day, 1, 2024)), FormatDate(context, "DDD", day, 1, 2024),
          FormatDate(context, "DD", day, 1, 2024)};
}

// ---- the date fields' menu ----

void TForm1::AddEditActions() {
  PopupMenu1->addSeparator();
  const auto add = [this](const QString& caption, QKeySequence::StandardKey keys, std::function<void(QLineEdit*)> run) {
    QAction* action = PopupMenu1->addAction(caption);
    action->setShortcut(QKeySequence(keys));
    action->setShortcutVisibleInContextMenu(true);
    // Shown in the menu only; the field itself handles the keys.
    action->setShortcutContext(Qt::WidgetShortcut);
    connect(action, &QAction::triggered, this, [this, run] {
      if (auto* edit = qobject_cast<QLineEdit*>(PopupMenu1->PopupComponent.data())) run(edit);
    });
    return action;
  };
  QAction* undo = add(tr("Undo"), QKeySequence::Undo, [](QLineEdit* e) { e->undo(); });
  PopupMenu1->addSeparator();
  QAction* cut = add(tr("Cut"), QKeySequence::Cut, [](QLineEdit* e) { e->cut(); });
  QAction* copy = add(tr("Copy"), QKeySequence::Copy, [](QLineEdit* e) { e->copy(); });
  QAction* paste = add(tr("Paste"), QKeySequence::Paste, [](QLineEdit* e) { e->paste(); });
  QAction* del = add(tr("Delete"), QKeySequence::Delete, [](QLineEdit* e) { e->del(); });
  PopupMenu1->addSeparator();
  QAction* all = add(tr("Select All"), QKeySequence::SelectAll, [](QLineEdit* e) { e->selectAll(); });
  connect(PopupMenu1, &QMenu::aboutToShow, this, [=, this] {
    auto* edit = qobject_cast<QLineEdit*>(PopupMenu1->PopupComponent.data());
    const bool selected = edit && edit->hasSelectedText();
    undo->setEnabled(edit && edit->isUndoAvailable());
    cut->setEnabled(selected);
    copy->setEnabled(selected);
    del->setEnabled(selected);
    paste->setEnabled(edit && !QApplication::clipboard()->text().isEmpty());
    all->setEnabled(edit && !edit->text().isEmpty());
  });
}

// ---- input hints ----

void TForm1::ShowInputHint(TEdit* edit, const DateReadingT& reading) {
  if (!edit->Hint) {
    edit->Hint = edit->addAction(style()->standardIcon(QStyle::SP_MessageBoxWarning), QLineEdit::TrailingPosition);
    edit->Hint->setObjectName("InputHint");
  }
  const QString hint = ToQString(reading.hint);
  if (edit->Hint->toolTip() != hint || edit->Hint->isVisible() == hint.isEmpty()) {
    edit->Hint->setToolTip(hint);
    edit->Hint->setText(hint);
    edit->Hint->setVisible(!hint.isEmpty());
    edit->setAccessibleDescription(hint);
  }
}

// ---- size ----

// Rows as tall as the calendar's font needs, never below the design's 21; the
// calendar, its panel and the window grow with them.
void TForm1::FitCalendars() {
  for (TTextGrid* grid : {StringGrid1, StringGrid2}) {
    const int32_t row = std::max(21, QFontMetrics(grid->Font()).height() + 6);
    if (row != grid->DefaultRowHeight()) grid->SetDefaultRowHeight(row);
  }
  // Both calendars keep one height, as their bevels do: the taller one's.
  int32_t tallest = 0;
  for (const TTextGrid* g : {StringGrid1, StringGrid2}) {
    const int32_t frame = g->height() - g->contentsRect().height();
    tallest = std::max(tallest, g->RowCount() * (g->DefaultRowHeight() + g->GridLineWidth()) + frame);
  }
  StringGrid1->resize(StringGrid1->width(), tallest);
  StringGrid2->resize(StringGrid2->width(), tallest);
  SetSizes();
  FitMinimumSize();
}

QSize TForm1::ContentMinimumSize() const {
  // A date panel: its widest row of controls and its facts memo.
  int32_t panel = 0;
  for (QWidget* w : {static_cast<QWidget*>(Edit1), static_cast<QWidget*>(ComboBox1),
                     static_cast<QWidget*>(SpinEdit1), static_cast<QWidget*>(Edit2),
                     static_cast<QWidget*>(CheckBox1), static_cast<QWidget*>(ComboBox2),
                     static_cast<QWidget*>(SpinEdit2)}) {
    panel = std::max(panel, w->x() + std::max(w->width(), w->minimumSizeHint().width()) + 8);
  }
  const CalcContextT context = Context();
  QString weekday, zodiac;
  const QFontMetrics memoFont(Memo2->font());
  // 1 January 2024 is a Monday; the 1st and 25th of each month meet every sign.
  for (int32_t d = 1; d <= 7; ++d) {
    const QString name = ToQString(std::string(WeekdayName(context, d, 1, 2024)));
    if (memoFont.horizontalAdvance(name) > memoFont.horizontalAdvance(weekday)) weekday = name;
  }
  for (int32_t m = 1; m <= 12; ++m) {
    for (int32_t d : {1, 25}) {
      const QString name = ToQString(std::string(ZodiacName(context, d, m, 2024)));
      if (memoFont.horizontalAdvance(name) > memoFont.horizontalAdvance(zodiac)) zodiac = name;
    }
  }
  const QString facts = weekday + QStringLiteral(", 28.09.2026 (") + zodiac + QLatin1Char(')');
  const int32_t memoMargins = 2 * (Memo2->frameWidth() + static_cast<int32_t>(Memo2->document()->documentMargin()));
  panel = std::max(panel, memoFont.horizontalAdvance(facts) + memoMargins + 16 + 4);
  // A calendar: every column at its least width, inside its panel and bevel.
  int32_t columns = 0;
  for (const TEasyGrid* b : {&Binder1, &Binder2}) {
    std::string rules;
    int32_t shown = 0;
    for (int32_t s = 1; s <= b->columnCount; ++s) {
      const ColDataT& c = b->columns[static_cast<size_t>(s)];
      if (!c.visible) continue;
      rules += "," + c.widthRule;
      ++shown;
    }
    int32_t sum = shown * StringGrid1->GridLineWidth();
    try {
      // Nothing to share: every column gets its least width.
      const std::string least = DistributeSize(0, rules);
      for (size_t at = 0; at < least.size();) {
        const size_t comma = std::min(least.find(',', at), least.size());
        sum += TextToInt(std::string_view(least).substr(at, comma - at));
        at = comma + 1;
      }
    } catch (const std::exception&) {
      // An unreadable rule: the columns keep whatever widths they have.
    }
    columns = std::max(columns, sum);
  }
  const int32_t gridFrame = StringGrid1->width() - StringGrid1->contentsRect().width();
  panel = std::max(panel, columns + gridFrame + 6 + 16);

  // Heights: the panels and calendars keep theirs; the difference memo shows
  // its four lines; the status bar below.
  const QFontMetrics diffFont(Memo1->font());
  // Lines are laid out a pixel or so beyond the font's spacing.
  const int32_t memoHeight = 4 * (diffFont.lineSpacing() + 1) + 2 +
                             2 * (Memo1->frameWidth() + static_cast<int32_t>(Memo1->document()->documentMargin()));
  const int32_t calendarBottom = Panel1->y() + Panel1->height() + 8 + Panel4->height() + Label3->height() + 20;
  const int32_t height = calendarBottom + 8 + memoHeight + 8 + StatusBar1->height();
  return {2 * panel + 24, height};
}

void TForm1::FitMinimumSize() {
  // The design's least size, raised to what the content needs; smaller again
  // when a calendar font gets smaller.
  setMinimumSize(QSize(300, 464).expandedTo(ContentMinimumSize()));
  if (width() < minimumWidth() || height() < minimumHeight()) resize(size().expandedTo(minimumSize()));
}

void TForm1::KeepOnScreen() {
  QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  // Larger than the screen: shrunk to it, as far as the content allows.
  const QSize frame = frameGeometry().size() - size();
  const QRect place = FitIntoArea(frameGeometry(), minimumSize() + frame, screen->availableGeometry());
  resize(place.size() - frame);
  move(place.topLeft());
}
