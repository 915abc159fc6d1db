#include "window/form/main.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QStyle>
#include <climits>

#include "results/texts.h"
#include "util/ErrorText.h"
#include "window/components/QtText.h"
#include "window/form/calendar_marks.h"
#include "window/grid/ComponentHandlingGrid.h"
#include "window/panels/ComponentHandling.h"

namespace {

constexpr uint32_t kSilver = 0xC0C0C0;
// The launcher's message, shown in the window's language.
[[maybe_unused]] constexpr const char* kLaunchErrorText =
    QT_TRANSLATE_NOOP("TUrlLauncher", "Couldn't launch default browser");
constexpr int32_t kWeekColumnId = MonthCalendarT::kWeekColumn;
// The last of the week rules; stored values beyond it are not rules.
constexpr WeekNumberingT kLastWeekRule = WeekNumberingT::kIso8601;

void SetBackground(QWidget* w, uint32_t color) {
  QPalette pal = w->palette();
  pal.setColor(QPalette::Base, ToQColor(color));
  pal.setColor(QPalette::Window, ToQColor(color));
  w->setPalette(pal);
  w->setAutoFillBackground(true);
}

void SetMemoText(QPlainTextEdit* memo, const std::string& text) {
  QString shown = ToQString(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  // The last line break of a memo is no empty line of its own.
  if (shown.endsWith(QLatin1Char('\n'))) shown.chop(1);
  if (memo->toPlainText() != shown) memo->setPlainText(shown);
}

QFont WindowFont() {
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setPixelSize(10);
  return font;
}

QFont GridFont() {
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(11);
  return font;
}

}  // namespace

TForm1::TForm1(const CliOptionsT& options, QWidget* parent, const TWindowServices& services)
    : QWidget(parent),
      UrlLauncher1(services.desktop.UrlPlatform(), &services.desktop),
      options_(options),
      services_(services) {
  // The fields start on the clock's day; later recalculations ask it again.
  options_.context = Context();
  if (!options_.noSettings) {
    settingsFile_ = services.settings.SettingsFile();
    stored_ = LoadWindowSettings(settingsFile_);
  }
  languageChosen_ = options_.languageGiven;
  if (!languageChosen_ && stored_.language) {
    options_.context.language = *stored_.language;
    languageChosen_ = true;
  }
  // --iso-weeks wins over a stored rule; without it the stored one counts.
  if (options_.context.weeks == WeekNumberingT::kFirstMonday && stored_.weekNumbering &&
      *stored_.weekNumbering <= static_cast<uint8_t>(kLastWeekRule))
    options_.context.weeks = static_cast<WeekNumberingT>(*stored_.weekNumbering);
  // Before any text is made: a stored language counts as much as --lang.
  language_ = std::make_unique<TWindowLanguage>(options_.context.language);
  workdays_ = StartWorkdays();
  InitWorkCalendar(workCalendar_, workdays_);
  CreateComponents();
  InitStart();
  RestoreGeometry();
}

TForm1::~TForm1() {
  // The base class's teardown still sends events and focus changes; they
  // must not reach a window that is no longer whole.
  disconnect(focusWatch_);
  if (keyFilter_) qApp->removeEventFilter(keyFilter_);
  delete keyFilter_;
  keyFilter_ = nullptr;
  focusRing_ = nullptr;
  // The binders and panel records refer to the widgets: release them first.
  ClearTable(Table1);
  ClearTable(Table2);
}

void TForm1::CreateComponents() {
  setFont(WindowFont());
  resize(585, 516);
  setMinimumSize(300, 464);

  auto place = [](QWidget* w, int x, int y, int width, int height) { w->setGeometry(x, y, width, height); };
  auto makeEdit = [&](QWidget* parent, const char* name) {
    auto* edit = new TEdit(parent);
    edit->setObjectName(name);
    place(edit, 8, 12, 65, 19);
    edit->SetMaxLength(11);
    edit->setToolTip(tr("set 0 for today's value, e.g. 11.0.1756"));
    edit->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(edit, &QLineEdit::customContextMenuRequested, this, [this, edit](const QPoint& pos) {
      PopupMenu1->PopupComponent = edit;
      PopupMenu1->popup(edit->mapToGlobal(pos));
    });
    connect(edit, &QLineEdit::textChanged, this, [this] { Yeah(); });
    return edit;
  };
  auto makeKindBox = [&](QWidget* parent, const char* name) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    place(box, 8, 40, 73, 21);
    box->addItems({tr("+Days"), tr("+Weeks"), tr("+Months"), tr("+Years")});
    box->setMaxVisibleItems(4);
    box->setCursor(Qt::PointingHandCursor);
    box->setCurrentIndex(-1);
    connect(box, &QComboBox::currentIndexChanged, this, [this] { SetIncType(); });
    box->installEventFilter(this);
    return box;
  };
  auto makeSpin = [&](QWidget* parent, const char* name, int x, uint32_t color) {
    auto* spin = new TSpinEdit(parent);
    spin->setObjectName(name);
    place(spin, x, 40, 72, 22);
    SetBackground(spin, color);
    connect(spin->Editor(), &QLineEdit::textChanged, this, [this] { Yeah(); });
    // The arrows rewrite the text without the editor's signal.
    connect(spin, &QSpinBox::valueChanged, this, [this, spin] {
      const std::string shown = FromQString(spin->Text());
      if (shown != (spin == SpinEdit1 ? LastInput.count1 : LastInput.count2)) Yeah();
    });
    spin->installEventFilter(this);
    return spin;
  };
  auto makeMemo = [&](QWidget* parent, const char* name, int x, int width, uint32_t color) {
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(name);
    place(memo, x, 68, width, 101);
    memo->setReadOnly(true);
    memo->setFrameShape(QFrame::NoFrame);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    SetBackground(memo, color);
    return memo;
  };

  Panel1 = new TPanel(this);
  Panel1->setObjectName("Panel1");
  place(Panel1, 8, 8, 177, 177);
  Panel1->SetCaption(FromQString(tr("Date 1")));
  Panel1->SetColor(15133164);
  Panel1->SetBevelOuter(BevelCut::None);
  Edit1 = makeEdit(Panel1, "Edit1");
  ComboBox1 = makeKindBox(Panel1, "ComboBox1");
  SpinEdit1 = makeSpin(Panel1, "SpinEdit1", 83, 15596028);
  SpinEdit1->SetMaxLength(9);
  SpinEdit1->setRange(-999999999, 999999999);
  Memo2 = makeMemo(Panel1, "Memo2", 8, 161, 15856888);

  Panel2 = new TPanel(this);
  Panel2->setObjectName("Panel2");
  place(Panel2, 208, 8, 193, 177);
  Panel2->SetCaption(FromQString(tr("Date 2")));
  Panel2->SetColor(15592420);
  Panel2->SetBevelOuter(BevelCut::None);
  Edit2 = makeEdit(Panel2, "Edit2");
  CheckBox1 = new QCheckBox(QStringLiteral("0"), Panel2);
  CheckBox1->setObjectName("CheckBox1");
  place(CheckBox1, 79, 16, 50, 17);
  CheckBox1->setToolTip(tr("Click and resize window"));
  connect(CheckBox1, &QCheckBox::clicked, this, [this] { SetAdd(); });
  ComboBox2 = makeKindBox(Panel2, "ComboBox2");
  SpinEdit2 = makeSpin(Panel2, "SpinEdit2", 84, 16776434);
  SpinEdit2->setRange(INT_MIN, INT_MAX);  // no limit
  Memo3 = makeMemo(Panel2, "Memo3", 5, 162, 16645627);

  auto makeBevel = [&](const char* name, int x, int height) {
    auto* bevel = new QFrame(this);
    bevel->setObjectName(name);
    bevel->setFrameShape(QFrame::Box);
    bevel->setFrameShadow(QFrame::Sunken);
    place(bevel, x, 200, 185, height);
    bevel->lower();
    return bevel;
  };
  Bevel1 = makeBevel("Bevel1", 8, 177);
  Bevel2 = makeBevel("Bevel2", 208, 185);

  auto makeLabel = [&](const char* name, int x) {
    auto* label = new QLabel(this);
    label->setObjectName(name);
    label->move(x, 160);
    label->setFixedHeight(label->fontMetrics().height() + 1);
    return label;
  };
  Label3 = makeLabel("Label3", 8);
  Label4 = makeLabel("Label4", 208);

  auto makeGridPanel = [&](const char* name, int x, int height) {
    auto* panel = new TPanel(this);
    panel->setObjectName(name);
    place(panel, x, 216, 169, height);
    return panel;
  };
  auto makeGrid = [&](TPanel* parent, const char* name, int width) {
    auto* grid = new TTextGrid(parent);
    grid->setObjectName(name);
    place(grid, 3, 3, width, 147);
    grid->SetDefaultRowHeight(21);
    grid->SetRowCount(7);
    grid->SetFixedRows(1);
    grid->SetGridLineColor(kSilver);
    grid->SetFont(GridFont());
    grid->SetDefaultDrawing(false);
    grid->OnDblClickCell = [this](TTextGrid* sender, int32_t row, int32_t col) { SetDateOnClick(sender, row, col); };
    return grid;
  };
  Panel4 = makeGridPanel("Panel4", 16, 153);
  StringGrid1 = makeGrid(Panel4, "StringGrid1", 142);
  Panel3 = makeGridPanel("Panel3", 216, 161);
  Panel3->SetBevelInner(BevelCut::Lowered);
  StringGrid2 = makeGrid(Panel3, "StringGrid2", 126);

  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName("Memo1");
  place(Memo1, 8, 388, 337, 45);
  Memo1->setReadOnly(true);
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->setToolTip(tr("Shows difference between the two dates"));

  StatusBar1 = new QStatusBar(this);
  StatusBar1->setObjectName("StatusBar1");
  StatusBar1->setSizeGripEnabled(false);
  place(StatusBar1, 0, 494, 585, 22);
  StatusBar1->setCursor(Qt::PointingHandCursor);
  StatusPanel = new QLabel(StatusBar1);
  StatusPanel->setObjectName("StatusPanel");
  StatusPanel->setAlignment(Qt::AlignCenter);
  // Looks like the link it is: a pointing hand, underlined under the pointer,
  // the address as its tooltip.
  StatusPanel->setCursor(Qt::PointingHandCursor);
  StatusPanel->setToolTip(QString::fromLatin1(kHomePageUrl));
  StatusBar1->addWidget(StatusPanel, 1);
  StatusBar1->installEventFilter(this);
  StatusPanel->installEventFilter(this);

  DescribeForAssistiveTools();

  PopupMenu1 = new TPopupMenu(this);
  PopupMenu1->setObjectName("PopupMenu1");
  const QString quickDates[4] = {tr("Today"), tr("01.Jan this year"), tr("01.Jan.2000"), tr("01.Jan.0001")};
  for (int32_t i = 0; i < 4; ++i) {
    QAction* action = PopupMenu1->addAction(quickDates[i]);
    connect(action, &QAction::triggered, this, [this, i] { SetPopDate(i); });
  }
  AddEditActions();
}

// Tab order through both panels, and names that a screen reader announces.
void TForm1::DescribeForAssistiveTools() {
  ComboBox1->setToolTip(tr("Kind of the increment of date 1"));
  ComboBox2->setToolTip(tr("Kind of the increment of date 2"));
  SpinEdit1->setToolTip(tr("Increment of date 1"));
  SpinEdit2->setToolTip(tr("Increment of date 2"));
  for (QWidget* input : {static_cast<QWidget*>(Edit1), static_cast<QWidget*>(Edit2), static_cast<QWidget*>(CheckBox1),
                         static_cast<QWidget*>(ComboBox1), static_cast<QWidget*>(ComboBox2),
                         static_cast<QWidget*>(SpinEdit1), static_cast<QWidget*>(SpinEdit2),
                         static_cast<QWidget*>(Memo1)}) {
    input->setAccessibleName(input->toolTip());
  }
  Edit1->setAccessibleName(tr("Date 1") + QStringLiteral(": ") + Edit1->toolTip());
  Edit2->setAccessibleName(tr("Date 2") + QStringLiteral(": ") + Edit2->toolTip());
  CheckBox1->setAccessibleName(tr("Add the widening of the window to date 2") + QStringLiteral(": ") +
                               CheckBox1->toolTip());
  Memo2->setAccessibleName(tr("Facts of date 1"));
  Memo3->setAccessibleName(tr("Facts of date 2"));
  StringGrid1->setAccessibleName(tr("Month calendar of date 1"));
  StringGrid2->setAccessibleName(tr("Month calendar of date 2"));
  StatusPanel->setAccessibleName(StatusPanel->text());
  for (QPlainTextEdit* memo : {Memo1, Memo2, Memo3}) memo->setTabChangesFocus(true);
}

void TForm1::SetupCalendar(TEasyGrid& binder, TTextGrid* grid, ArrayOfFiles& table) {
  SetupGrid(binder, services_, grid, table, false, false);
  TEasyGrid* b = &binder;
  grid->OnColumnMoved = [b](TTextGrid*, int32_t from, int32_t to) { ColumnMoved(*b, from, to); };
  grid->OnCaptionForms = [this, b](const TTextGrid*, int32_t col) { return CaptionForms(*b, col); };
}

void TForm1::InitStart() {
  setWindowTitle(QString::fromLatin1(kProgramCaption));
  CenterOnScreen(this);
  SetDoubleBufferedDeep(this);
  StatusPanel->setText(tr("Zelko Orvane v1.11 // Click here to visit my Homepage"));
  StatusPanel->setAccessibleName(StatusPanel->text());

  InitPanels(Panels, services_.animation);
  Panels.buttons = false;
  RegisterPanel(Panels, Panel1, "", true);
  RegisterPanel(Panels, Panel2, "", true);

  StyleGrid(StringGrid1);
  StyleGrid(StringGrid2);
  // Tall enough for the header and six weeks: no month hides its last week.
  for (TTextGrid* grid : {StringGrid1, StringGrid2}) {
    const int32_t frame = grid->height() - grid->contentsRect().height();
    grid->resize(grid->width(), grid->RowCount() * (grid->DefaultRowHeight() + grid->GridLineWidth()) + frame);
  }
  StringGrid1->SetBandPrimaryColor(16053751);
  StringGrid2->SetBandPrimaryColor(16119025);

  SetPanelStyle(Panel1, 4);
  SetPanelStyle(Panel2, 4);
  SetPanelStyle(Panel3, 2);
  SetPanelStyle(Panel4, 2);

  InitTable(Table1);
  InitTable(Table2);
  for (int i = 0; i < 6; ++i) {
    AddRow(Table1, "", 0);
    AddRow(Table2, "", 0);
  }
  SetupCalendar(Binder1, StringGrid1, Table1);
  SetupCalendar(Binder2, StringGrid2, Table2);
  ShowDayMarks(Binder1, Results.calendar1);
  ShowDayMarks(Binder2, Results.calendar2);
  const CalcContextT names = Context();
  for (TEasyGrid* binder : {&Binder1, &Binder2}) {
    AddColumn(*binder, std::string(LangText(names.language, TextT::kWeekColumn)), kWeekColumnId, true);
    SetColumnFixed(*binder, kWeekColumnId, true);
    for (int32_t id = 0; id < 7; ++id) AddColumn(*binder, std::string(WeekdayCaption(names, id)), id, true);
    // The week rule belongs to the window, so both calendars switch together.
    GridMenuCheckT iso;
    iso.caption = FromQString(tr("ISO 8601 week numbers"));
    iso.checked = [this] { return options_.context.weeks == WeekNumberingT::kIso8601; };
    iso.toggle = [this] { SetIsoWeeks(options_.context.weeks != WeekNumberingT::kIso8601); };
    binder->lookItems.push_back(std::move(iso));
    binder->formItems = [this](QMenu& menu) { AddHolidayMenu(menu); };
    // A printed calendar is headed by its month and year.
    const bool first = binder == &Binder1;
    binder->printTitle = [this, first] { return first ? Results.label1 : Results.label2; };
    BuildGridMenu(*binder);
  }
  const QFont default1 = StringGrid1->Font(), default2 = StringGrid2->Font();
  ApplyCalendarLook(Binder1, stored_.calendar1);
  ApplyCalendarLook(Binder2, stored_.calendar2);

  WidthOffset = 0;

  // The fields start as the command line's text outputs start.
  const ResultInputT start = StartInput(options_);
  ComboBox1->setCurrentIndex(0);
  ComboBox2->setCurrentIndex(0);
  UpdateKindBoxes();
  // Increments from the command line are in place before the first results.
  ComboBox1->setCurrentIndex(start.kind1);
  ComboBox2->setCurrentIndex(start.kind2);
  if (!start.count1.empty()) SpinEdit1->SetText(ToQString(start.count1));
  if (!start.count2.empty()) SpinEdit2->SetText(ToQString(start.count2));

  SetReady(Binder1.panels);
  SetReady(Binder2.panels);
  started_ = true;

  Edit1->setText(ToQString(start.date1));
  Edit2->setText(ToQString(start.date2));
  SetSizes();
  SetupKeyboard();
  FitStoredFonts(default1, default2);
  KeepOnScreen();
}

void TForm1::SetSizes() {
  if (!started_) return;
  const int32_t w = width();
  Panel1->resize((w - 24) / 2, Panel1->height());
  Panel2->resize(Panel1->width(), Panel2->height());
  Panel1->move(8, Panel1->y());
  Panel2->move(Panel1->x() + Panel1->width() + 8, Panel2->y());

  Memo2->resize(PanelWidth(Panels, Panel1) - 16, Memo2->height());
  Memo3->resize(Memo2->width(), Memo3->height());
  if (PanelBodyHeight(Panels, Panel1) < 0) return;

  const int32_t bevelTop = Panel1->y() + Panel1->height() + 8;
  const int32_t bevelHeight = Panel4->height() + Label3->height() + 20;
  Bevel1->setGeometry(Panel1->x(), bevelTop, Panel1->width(), bevelHeight);
  Bevel2->setGeometry(Panel2->x(), bevelTop, Panel2->width(), bevelHeight);

  Label3->setGeometry(Bevel1->x() + 8, Bevel1->y() + 3, Bevel1->width() - 16, Label3->height());
  Label4->setGeometry(Bevel2->x() + 8, Bevel2->y() + 3, Bevel2->width() - 16, Label4->height());

  Panel4->resize(Bevel1->width() - 16, StringGrid1->height() + 6);
  Panel3->resize(Panel4->width(), StringGrid2->height() + 6);
  Panel4->move(Bevel1->x() + 8, Label3->y() + Label3->height() + 3);
  StringGrid1->resize(Panel4->width() - 6, StringGrid1->height());
  Panel3->move(Bevel2->x() + 8, Panel4->y());
  StringGrid2->resize(Panel3->width() - 6, StringGrid2->height());

  StatusBar1->setGeometry(0, height() - 22, w, 22);
  const int32_t memoTop = Bevel1->y() + Bevel1->height() + 8;
  Memo1->setGeometry(Memo1->x(), memoTop, w - 2 * Memo1->x(), StatusBar1->y() - memoTop - 8);

  if (CheckBox1->isChecked()) {
    CheckBox1->setText(ToQString(IntText(int64_t{OuterWidth()} + WidthOffset)));
    Yeah();
  } else {
    CheckBox1->setText(QStringLiteral("0"));
  }

  LayoutColumns(Binder1, -1);
  LayoutColumns(Binder2, -1);
  PlaceFocusRing();
}

ResultInputT TForm1::ReadInput() const {
  ResultInputT input;
  input.context = Context();
  input.date1 = FromQString(Edit1->text());
  input.date2 = FromQString(Edit2->text());
  input.kind1 = ComboBox1->currentIndex();
  input.kind2 = ComboBox2->currentIndex();
  input.count1 = FromQString(SpinEdit1->Text());
  input.count2 = FromQString(SpinEdit2->Text());
  if (CheckBox1->isChecked()) input.extra2 = int64_t{WidthOffset} + OuterWidth();
  if (workdays_.on) input.workCalendar = &workCalendar_;
  input.includeEnd = options_.workdays.includeEnd;
  return input;
}

CalcContextT TForm1::Context() const { return CurrentContext(options_, services_.clock.Today()); }

void TForm1::Yeah() {
  if (!started_) return;
  ResultInputT input = ReadInput();
  ComputeResults(Results, input);
  LastInput = std::move(input);
  ++RecalcCount;
  ShowResults();
}

void TForm1::ShowResults() {
  Memo1->clear();
  FillMonthCalendar(Binder1, Table1, Results.calendar1);
  FillMonthCalendar(Binder2, Table2, Results.calendar2);
  CalendarMonth1 = Results.calendar1.month;
  CalendarYear1 = Results.calendar1.year;
  CalendarMonth2 = Results.calendar2.month;
  CalendarYear2 = Results.calendar2.year;
  Label3->setText(ToQString(Results.label1));
  Label4->setText(ToQString(Results.label2));
  SetMemoText(Memo2, Results.facts1);
  SetMemoText(Memo3, Results.facts2);
  SetMemoText(Memo1, Results.difference);
  ShowInputHint(Edit1, Results.reading1);
  ShowInputHint(Edit2, Results.reading2);
  // Screen readers read the results without entering the memos.
  Memo1->setAccessibleDescription(Memo1->toPlainText());
  Memo2->setAccessibleDescription(Memo2->toPlainText());
  Memo3->setAccessibleDescription(Memo3->toPlainText());
}

// A warning sign in the field when its text is read otherwise than it reads.
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

void TForm1::FillMonthCalendar(TEasyGrid& binder, ArrayOfFiles& table, const MonthCalendarT& calendar) {
  for (int32_t r = 1; r <= MonthCalendarT::kRows; ++r) {
    for (int32_t c = 0; c <= kWeekColumnId; ++c) SetCell(table, r, c, std::string(calendar.cells[r][c].view()));
  }
  SetColumnCaption(binder, kWeekColumnId, calendar.weekCaption);
  SetMarkedCell(binder, calendar.ownColumn, calendar.ownRow);
  const int32_t v = VisualColumnOf(binder, calendar.ownColumn);
  if (v >= 0) binder.grid->SelectCell(v, calendar.ownRow);
  else binder.grid->HideSelection();
  RefreshGrid(binder);
}

void TForm1::SetIsoWeeks(bool on) {
  options_.context.weeks = on ? WeekNumberingT::kIso8601 : WeekNumberingT::kFirstMonday;
  // Both menus show the new check mark; the click's own menu is replaced later.
  BuildGridMenu(Binder1);
  BuildGridMenu(Binder2);
  Yeah();
}

void TForm1::SetIncType() {
  if (ComboBox1->currentIndex() < 0) ComboBox1->setCurrentIndex(0);
  Yeah();
}

void TForm1::ups() {
  if (SpinEdit2->Text().isEmpty()) SpinEdit2->SetText(QStringLiteral("0"));
  if (SpinEdit1->Text().isEmpty()) SpinEdit1->SetText(QStringLiteral("0"));
}

void TForm1::SetAdd() {
  CheckBox1->setText(QStringLiteral("0"));
  if (CheckBox1->isChecked()) {
    WidthOffset = -OuterWidth();
  } else {
    Yeah();
  }
}

void TForm1::SetPopDate(int32_t position) {
  auto* target = qobject_cast<QLineEdit*>(PopupMenu1->PopupComponent.data());
  if (target != Edit1 && target != Edit2) return;
  const CalcContextT context = Context();
  std::string text;
  switch (position) {
    case 0: text = FormatToday(context, "dd.mm.yyyy"); break;
    case 1: text = "01.01." + IntText(context.today.year); break;
    case 2: text = "01.01.2000"; break;
    case 3: text = "01.01.0001"; break;
    default: return;
  }
  // Typed over the whole text, so that Undo brings back what was there; the
  // length limit holds for typing only.
  TEdit* edit = target == Edit1 ? Edit1 : Edit2;
  const int32_t limit = edit->MaxLength();
  edit->SetMaxLength(0);
  edit->selectAll();
  edit->insert(ToQString(text));
  edit->SetMaxLength(limit);
}

void TForm1::gourl() {
  UrlLauncher1.Url = kHomePageUrl;
  try {
    UrlLauncher1.OpenUrl();
  } catch (const EUrlLaunchError& e) {
    services_.dialogs.ShowError(this, MessageTitle(this),
                                FromQString(QCoreApplication::translate("TUrlLauncher", e.what())));
  }
}

void TForm1::SetDateOnClick(QObject* sender, int32_t row, int32_t column) {
  auto* grid = qobject_cast<TTextGrid*>(sender);
  if (!grid || (grid != StringGrid1 && grid != StringGrid2)) return;
  const bool first = grid == StringGrid1;
  TEasyGrid& binder = first ? Binder1 : Binder2;
  if (ColumnIdAt(binder, column) == kWeekColumnId || row <= 0) return;
  const std::string cell = grid->Cell(column, row);
  if (cell.empty()) return;
  const int32_t day = TextToInt(cell);
  const int32_t month = first ? CalendarMonth1 : CalendarMonth2;
  const int32_t year = first ? CalendarYear1 : CalendarYear2;
  // The whole year is written: four digits would move years beyond 9999 and
  // before -999 into another millennium.
  const std::string text = DateText(day, month, year);
  TSpinEdit* spin = first ? SpinEdit1 : SpinEdit2;
  spin->setValue(0);
  spin->SetText(QStringLiteral("0"));
  (first ? Edit1 : Edit2)->setText(ToQString(text));
}

std::string TForm1::MemoText(const QPlainTextEdit* memo) {
  std::string text = FromQString(memo->toPlainText());
  std::string out;
  for (char c : text) {
    if (c == '\n') out += "\r\n"; else out += c;
  }
  return out;
}

int32_t TForm1::OuterWidth() const { return frameGeometry().width(); }

void TForm1::RestoreGeometry() {
  if (!stored_.geometry) return;
  QScreen* screen = QGuiApplication::screenAt(stored_.geometry->center());
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  // The frame is placed, not just the client area: before the window is
  // shown the frame is known only from the last run.
  QSize frame = frameGeometry().size() - size();
  if (frame.isEmpty() && stored_.frameExtra) frame = *stored_.frameExtra;
  const QRect place = FitIntoArea(*stored_.geometry, minimumSize(), screen->availableGeometry(), frame);
  resize(place.size());
  move(place.topLeft());
}

void TForm1::SaveSettings() {
  if (settingsFile_.isEmpty()) return;
  WindowSettingsT settings;
  // A maximized window keeps the place it had before.
  settings.geometry = isMaximized() || isFullScreen() ? stored_.geometry : QRect(pos(), size());
  const QSize frame = frameGeometry().size() - size();
  settings.frameExtra = frame.isEmpty() ? stored_.frameExtra : std::optional<QSize>(frame);
  if (languageChosen_) settings.language = options_.context.language;
  settings.weekNumbering = static_cast<uint8_t>(options_.context.weeks);
  settings.calendar1 = ReadCalendarLook(Binder1);
  settings.calendar2 = ReadCalendarLook(Binder2);
  settings.workdays = WorkdaySettings();
  std::string reason;
  // The warnings are English, as every message on standard error, whatever the window speaks.
  const uint8_t spoken = ReasonLanguage();
  SetReasonLanguage(0);
  const SettingsSaveT saved = SaveWindowSettings(settingsFile_, settings, reason);
  SetReasonLanguage(spoken);
  switch (saved) {
    case SettingsSaveT::kSaved: break;
    case SettingsSaveT::kReadOnly:
      // Kept as the user made it; said once.
      if (!readOnlyWarned_)
        qWarning("orvane: the settings file %s is left as it is: %s", qPrintable(settingsFile_), reason.c_str());
      readOnlyWarned_ = true;
      break;
    case SettingsSaveT::kFailed:
      qWarning("orvane: the settings could not be saved in %s: %s", qPrintable(settingsFile_), reason.c_str());
      break;
  }
}

void TForm1::closeEvent(QCloseEvent* event) {
  SaveSettings();
  QWidget::closeEvent(event);
}

void TForm1::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (!fitting_) userSize_ = size();
  SetSizes();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut) {
    if (watched == ComboBox1 || watched == ComboBox2) SetIncType();
    if (watched == SpinEdit1 || watched == SpinEdit2) ups();
  } else if ((event->type() == QEvent::Enter || event->type() == QEvent::Leave) && watched == StatusPanel) {
    QFont font = StatusPanel->font();
    font.setUnderline(event->type() == QEvent::Enter);
    StatusPanel->setFont(font);
  } else if (event->type() == QEvent::MouseButtonRelease && (watched == StatusBar1 || watched == StatusPanel)) {
    if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) gourl();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}
