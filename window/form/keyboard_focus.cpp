// Using the window without a mouse: Tab order, a frame around the focused
// control, menus and day picking from the keyboard, shortcuts to the date
// fields, and the date fields' edit menu.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QShortcut>
#include <functional>

#include "window/form/main.h"

namespace {

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
