#pragma once
// The main window: two date panels, their month calendars and the difference.
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QWidget>
#include <functional>
#include <memory>

#include "window/form/edits.h"
#include "window/form/window_settings.h"
#include "window/form/window_language.h"
#include "window/form/window_workdays.h"
#include "cli/cli.h"
#include "results/results.h"
#include "window/components/GPanel.h"
#include "components/UrlLauncher.h"
#include "window/grid/TextGrid.h"
#include "window/services/WindowServices.h"
#include "window/grid/easygrid.h"
#include "grid/superarray.h"
#include "window/panels/easypanel.h"

class TForm1 : public QWidget {
  Q_OBJECT
 public:
  // Dialogs, messages, the shell, the browser, the panels' animation and the
  // settings file go through the services, which outlive the window.
  TForm1(const CliOptionsT& options, QWidget* parent, const TWindowServices& services);
  ~TForm1() override;

  // ---- components, with the form's names ----
  TPanel* Panel1 = nullptr;
  TEdit* Edit1 = nullptr;
  QComboBox* ComboBox1 = nullptr;
  TSpinEdit* SpinEdit1 = nullptr;
  QPlainTextEdit* Memo2 = nullptr;
  TPanel* Panel2 = nullptr;
  TEdit* Edit2 = nullptr;
  QCheckBox* CheckBox1 = nullptr;
  QComboBox* ComboBox2 = nullptr;
  TSpinEdit* SpinEdit2 = nullptr;
  QPlainTextEdit* Memo3 = nullptr;
  QFrame* Bevel1 = nullptr;
  QFrame* Bevel2 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  TPanel* Panel4 = nullptr;
  TTextGrid* StringGrid1 = nullptr;
  TPanel* Panel3 = nullptr;
  TTextGrid* StringGrid2 = nullptr;
  QPlainTextEdit* Memo1 = nullptr;
  QStatusBar* StatusBar1 = nullptr;
  QLabel* StatusPanel = nullptr;  // the bar's one centred panel
  TPopupMenu* PopupMenu1 = nullptr;
  TUrlLauncher UrlLauncher1;

  // ---- window state ----
  TeasyPanel Panels;
  ArrayOfFiles Table1, Table2;
  TEasyGrid Binder1, Binder2;
  int32_t WidthOffset = 0;
  int32_t CalendarMonth1 = 0, CalendarYear1 = 0, CalendarMonth2 = 0, CalendarYear2 = 0;
  ResultsT Results;            // what the last recalculation showed
  ResultInputT LastInput;      // and what it was computed from
  int64_t RecalcCount = 0;     // recalculations so far

  // ---- handlers ----
  void InitStart();
  void SetSizes();
  void Yeah();  // recalculates everything from the fields and shows the results
  void SetIncType();
  void ups();  // puts "0" into an increment field left empty
  void SetAdd();  // the add box: checked, the window's widening from now on is added to date 2
  void SetPopDate(int32_t position);
  void gourl();  // opens the maker's home page in the browser
  void SetDateOnClick(QObject* sender, int32_t row, int32_t column);
  // The week numbering of both calendars and the facts.
  void SetIsoWeeks(bool on);
  bool IsoWeeks() const { return options_.context.weeks == WeekNumberingT::kIso8601; }
  // The working-day choice of both calendars (window_workdays.cpp); a new one
  // rebuilds the menus and the kind boxes and recalculates.
  const WorkdayChoiceT& Workdays() const { return workdays_; }
  void SetWorkdays(WorkdayChoiceT choice);

  // What a recalculation reads from the fields, the kind boxes and the add box.
  ResultInputT ReadInput() const;
  // The window's language and week rule on the clock's day (unless --today fixed it).
  CalcContextT Context() const;
  // The texts that the memos hold, line ends as CR LF.
  static std::string MemoText(const QPlainTextEdit* memo);
  // The outer width of the window, frame included.
  int32_t OuterWidth() const;
  // The controls in their Tab order.
  QList<QWidget*> TabControls() const;
  // Whether the focus frame surrounds the control.
  bool FocusRingShown(const QWidget* control) const;
  // The least window size at which no text or control is cut.
  QSize ContentMinimumSize() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateComponents();
  void DescribeForAssistiveTools();
  void ShowResults();
  void FillMonthCalendar(TEasyGrid& binder, ArrayOfFiles& table, const MonthCalendarT& calendar);
  void SetupCalendar(TEasyGrid& binder, TTextGrid* grid, ArrayOfFiles& table);
  void RestoreGeometry();
  void SaveSettings();
  void ShowInputHint(TEdit* edit, const DateReadingT& reading);
  // Keyboard use and focus marking (keyboard_focus.cpp).
  void SetupKeyboard();
  void AddEditActions();
  QWidget* ControlOf(QWidget* w) const;
  void PlaceFocusRing();
  bool HandleControlKey(QWidget* control, QKeyEvent* key);
  bool FilterAidEvent(QObject* watched, QEvent* event);
  // Captions and sizes (window_size.cpp).
  std::vector<std::string> CaptionForms(const TEasyGrid& binder, int32_t col) const;
  void FitMinimumSize();
  void FitCalendars();
  void KeepOnScreen();
  // The working-day choice (window_workdays.cpp).
  WorkdayChoiceT StartWorkdays() const;
  WorkdaySettingsT WorkdaySettings() const;
  void AddHolidayMenu(QMenu& menu);
  void AskWeekend();
  void AskHolidayFile();
  void UpdateKindBoxes();
  // Calendar columns as wide as their font's day numbers and short captions
  // need (calendar_fonts.cpp).
  void FitCalendarColumns();
  std::string ShortestCaption(int32_t id) const;
  // Stored fonts shrunk until the window's least size fits the screen.
  void FitStoredFonts(const QFont& default1, const QFont& default2);

  CliOptionsT options_;
  TWindowServices services_;
  QString settingsFile_;     // empty: nothing is read or kept
  bool readOnlyWarned_ = false;  // a read-only settings file is named once
  WindowSettingsT stored_;   // as read at the start
  bool languageChosen_ = false;  // named on the command line or stored
  std::unique_ptr<TWindowLanguage> language_;  // the window's own texts, once the language is known
  bool started_ = false;
  QWidget* focusRing_ = nullptr;
  QObject* keyFilter_ = nullptr;               // application-wide, removed before the widgets go
  QMetaObject::Connection focusWatch_;
  WorkdayChoiceT workdays_;
  WorkCalendarT workCalendar_;    // made from workdays_
  bool workdaysChanged_ = false;  // by the user: kept in the settings
  QSize userSize_;         // the size the user gave the window: larger fonts grow it, smaller give it back
  QSize fontGrowth_;       // what the calendar fonts add to the window's least size
  bool fitting_ = false;   // the window is sizing itself to its fonts
};

// The home page of the maker.
inline constexpr const char* kHomePageUrl = "http://www.example.com/members/orvane/index.htm?1.11";
