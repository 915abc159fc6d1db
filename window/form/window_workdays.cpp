#include "window/form/window_workdays.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QActionGroup>
#include <QMenu>
#include <QVBoxLayout>
#include <algorithm>

#include "cli/workday_args.h"
#include "window/components/QtText.h"
#include "window/form/main.h"

void InitWorkCalendar(WorkCalendarT& calendar, const WorkdayChoiceT& choice) {
  InitWorkCalendar(calendar, choice.weekend, choice.region, choice.custom);
}

TWeekendDialog::TWeekendDialog(WeekendT weekend, const CalcContextT& names, QWidget* parent) : QDialog(parent) {
  setObjectName("WeekendDialog");
  setWindowTitle(tr("Weekend days"));
  auto* layout = new QVBoxLayout(this);
  auto* intro = new QLabel(tr("Days off each week:"), this);
  layout->addWidget(intro);
  for (int32_t d = 0; d < 7; ++d) {
    auto* box = new QCheckBox(ToQString(std::string(WeekdayNameOf(names, d + 1))), this);
    box->setObjectName(QStringLiteral("Day%1").arg(d + 1));
    box->setChecked((weekend.mask >> d) & 1);
    connect(box, &QCheckBox::toggled, this, [this] { DaysChanged(); });
    layout->addWidget(box);
    days_[static_cast<size_t>(d)] = box;
  }
  auto* note = new QLabel(tr("At least one day must stay a working day."), this);
  note->setObjectName("WeekendNote");
  layout->addWidget(note);
  buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons_);
  intro->setBuddy(days_[0]);
  DaysChanged();
}

WeekendT TWeekendDialog::Weekend() const {
  WeekendT weekend;
  weekend.mask = 0;
  for (int32_t d = 0; d < 7; ++d)
    if (days_[static_cast<size_t>(d)]->isChecked()) weekend.mask = static_cast<uint8_t>(weekend.mask | (1u << d));
  return weekend;
}

void TWeekendDialog::DaysChanged() {
  buttons_->button(QDialogButtonBox::Ok)->setEnabled(Weekend().mask != 0x7F);
}

// ---- the window's choice ----------------------------------------------------

namespace {

// Countries with more than one region get a submenu under their own name.
QString CountryName(std::string_view code) {
  if (code == "DE") return TForm1::tr("Germany");
  if (code == "GB") return TForm1::tr("United Kingdom");
  return QString::fromLatin1(code.data(), static_cast<qsizetype>(code.size()));
}

// The kind boxes' width by design, enough for the four plain kinds.
constexpr int32_t kKindBoxWidth = 73;

std::string_view CountryOf(const RegionT& region) { return region.code.substr(0, region.code.find('-')); }

QString RegionName(const RegionT& region, uint8_t language) {
  return ToQString(std::string(language == 1 ? region.german : region.english));
}

}  // namespace

WorkdayChoiceT TForm1::StartWorkdays() const {
  WorkdayChoiceT choice;
  // The command line's choice is for this run; otherwise the stored one.
  const WorkdayArgsT& args = options_.workdays;
  if (args.on) {
    choice.on = true;
    choice.region = args.region;
    choice.weekend = args.weekend;
    choice.holidayFiles = args.holidayFiles;
  } else if (stored_.workdays.on) {
    const WorkdaySettingsT& stored = stored_.workdays;
    choice.on = true;
    choice.region = FindRegion(FromQString(stored.region));
    const WeekendParseT weekend = ParseWeekend(FromQString(stored.weekend));
    if (weekend.error.empty()) choice.weekend = weekend.weekend;
    for (const QString& file : stored.holidayFiles) choice.holidayFiles.push_back(PathFromQString(file));
  }
  std::string error;
  if (!ReadHolidayFiles(choice.holidayFiles, choice.custom, error)) {
    // No dialog at start: the window opens without the files' holidays.
    qWarning("orvane: holidays left out: %s", qPrintable(ToQString(error)));
    choice.holidayFiles.clear();
    choice.custom.clear();
  }
  return choice;
}

WorkdaySettingsT TForm1::WorkdaySettings() const {
  // A choice from the command line is for one run; the stored one stays.
  if (!workdaysChanged_) return stored_.workdays;
  WorkdaySettingsT settings;
  settings.on = workdays_.on;
  if (!workdays_.on) return settings;
  if (workdays_.region) settings.region = ToQString(std::string(workdays_.region->code));
  settings.weekend = ToQString(WeekendText(workdays_.weekend));
  for (const std::filesystem::path& file : workdays_.holidayFiles) settings.holidayFiles.push_back(PathToQString(file));
  return settings;
}

void TForm1::SetWorkdays(WorkdayChoiceT choice) {
  workdays_ = std::move(choice);
  InitWorkCalendar(workCalendar_, workdays_);
  workdaysChanged_ = true;
  UpdateKindBoxes();
  // The difference memo grows by the working-day line.
  FitMinimumSize();
  // Both menus show the new check marks; the click's own menu is replaced later.
  BuildGridMenu(Binder1);
  BuildGridMenu(Binder2);
  Yeah();
}

void TForm1::UpdateKindBoxes() {
  const bool on = workdays_.on;
  for (QComboBox* box : {ComboBox1, ComboBox2}) {
    if (on && box->count() == kIncWorkdays) {
      box->addItem(tr("+Working days"));
      box->setMaxVisibleItems(kIncWorkdays + 1);
    } else if (!on && box->count() > kIncWorkdays) {
      if (box->currentIndex() == kIncWorkdays) box->setCurrentIndex(kIncDays);
      box->removeItem(kIncWorkdays);
      box->setMaxVisibleItems(kIncWorkdays);
    }
    // Wide enough for its longest item; the increment field moves along.
    TSpinEdit* spin = box == ComboBox1 ? SpinEdit1 : SpinEdit2;
    const int32_t gap = spin->x() - (box->x() + box->width());
    box->resize(std::max(kKindBoxWidth, box->minimumSizeHint().width()), box->height());
    spin->move(box->x() + box->width() + gap, spin->y());
  }
}

void TForm1::AddHolidayMenu(QMenu& menu) {
  QMenu* holidays = menu.addMenu(tr("Holidays"));
  holidays->setObjectName("HolidayMenu");
  holidays->setToolTipsVisible(true);
  auto* regions = new QActionGroup(holidays);
  const auto check = [](QAction* a, bool on) {
    a->setCheckable(true);
    a->setChecked(on);
    return a;
  };
  QAction* none = check(holidays->addAction(tr("None")), !workdays_.on);
  none->setActionGroup(regions);
  connect(none, &QAction::triggered, this, [this] { SetWorkdays({}); });
  holidays->addSeparator();

  const uint8_t language = options_.context.language;
  const std::span<const RegionT> all = Regions();
  QMenu* country = nullptr;
  for (const RegionT& region : all) {
    const std::string_view code = CountryOf(region);
    const auto inCountry =
        std::count_if(all.begin(), all.end(), [code](const RegionT& r) { return CountryOf(r) == code; });
    QMenu* into = holidays;
    if (inCountry > 1) {
      if (!country || country->property("country").toString() != ToQString(std::string(code))) {
        country = holidays->addMenu(CountryName(code));
        country->setProperty("country", ToQString(std::string(code)));
      }
      into = country;
    }
    QAction* a = check(into->addAction(RegionName(region, language)), workdays_.on && workdays_.region == &region);
    a->setActionGroup(regions);
    const RegionT* chosen = &region;
    connect(a, &QAction::triggered, this, [this, chosen] {
      WorkdayChoiceT choice = workdays_;
      choice.on = true;
      choice.region = chosen;
      SetWorkdays(std::move(choice));
    });
  }
  holidays->addSeparator();
  // Checked when the days off are others than Saturday and Sunday.
  QAction* weekend =
      check(holidays->addAction(tr("Weekend days…")), workdays_.on && !(workdays_.weekend == WeekendT{}));
  connect(weekend, &QAction::triggered, this, [this] { AskWeekend(); });
  QAction* file = check(holidays->addAction(tr("Holiday file…")), !workdays_.holidayFiles.empty());
  QStringList files;
  for (const std::filesystem::path& f : workdays_.holidayFiles) files << PathToQString(f);
  file->setToolTip(files.join(QLatin1Char('\n')));
  connect(file, &QAction::triggered, this, [this] { AskHolidayFile(); });
}

void TForm1::AskWeekend() {
  TWeekendDialog dialog(workdays_.weekend, Context(), this);
  if (services_.dialogs.ExecDialog(dialog) != QDialog::Accepted) return;
  WorkdayChoiceT choice = workdays_;
  choice.on = true;
  choice.weekend = dialog.Weekend();
  SetWorkdays(std::move(choice));
}

void TForm1::AskHolidayFile() {
  FileAskT ask;
  ask.caption = FromQString(tr("Holiday file"));
  ask.filter = FromQString(tr("Holiday lists (*.ics *.txt);;All files (*)"));
  if (!workdays_.holidayFiles.empty()) ask.current = FromQString(PathToQString(workdays_.holidayFiles.front()));
  const std::string answer = services_.dialogs.AskOpenFileName(this, ask);
  if (answer.empty()) return;
  WorkdayChoiceT choice = workdays_;
  choice.on = true;
  choice.holidayFiles = {PathFromQString(ToQString(answer))};
  choice.custom.clear();
  std::string error;
  if (!ReadHolidayFiles(choice.holidayFiles, choice.custom, error)) {
    services_.dialogs.ShowError(this, MessageTitle(this),
                                FromQString(tr("The holiday file was not taken; the choice stays as it was.")) +
                                    "\n\n" + error);
    return;
  }
  SetWorkdays(std::move(choice));
}
