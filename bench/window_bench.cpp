// The window's start-up to its first paint, and one keystroke's full update.
#include <QApplication>
#include <QEvent>
#include <QTest>
#include <benchmark/benchmark.h>

#include "window/form/main.h"
#include "window/services/SystemServices.h"

namespace {

CliOptionsT Options() {
  CliOptionsT options;
  options.context.today = DateTripleT{7, 12, 2026};
  options.todayFixed = true;
  return options;
}

// The window's real services, as its entry builds them: start-up as a user has it.
const TWindowServices& Services() {
  static TSystemWindowServices system(SystemUrlPlatform(), SystemProcessPlatform());
  return system.Services();
}

// Notes the first paint of the window itself.
struct PaintSpy : QObject {
  bool painted = false;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) painted = true;
    return false;
  }
};

void BM_StartupToFirstPaint(benchmark::State& state) {
  const CliOptionsT options = Options();
  for (auto _ : state) {
    TForm1 form(options, nullptr, Services());
    PaintSpy spy;
    form.installEventFilter(&spy);
    form.show();
    while (!spy.painted) QApplication::processEvents();
    state.PauseTiming();
    form.hide();
    state.ResumeTiming();
  }
  state.SetLabel("construct, show, first paint");
}
BENCHMARK(BM_StartupToFirstPaint)->Unit(benchmark::kMillisecond);

void BM_KeystrokeInDateField(benchmark::State& state) {
  TForm1 form(Options(), nullptr, Services());
  form.show();
  QApplication::processEvents();
  form.Edit1->setText("07.12.202");
  bool odd = false;
  for (auto _ : state) {
    // One typed character: every result recalculated, shown and painted.
    QTest::keyClick(form.Edit1, odd ? Qt::Key_Backspace : Qt::Key_6);
    form.repaint();
    odd = !odd;
  }
}
BENCHMARK(BM_KeystrokeInDateField)->Unit(benchmark::kMicrosecond);

// With a region: working days counted, holidays named and both calendars
// marked at every keystroke.
void BM_KeystrokeWithRegion(benchmark::State& state) {
  CliOptionsT options = Options();
  options.workdays.on = true;
  options.workdays.region = FindRegion("DE-BY");
  options.add2.kind = kIncWorkdays;
  options.add2.count = "10";
  TForm1 form(options, nullptr, Services());
  form.show();
  QApplication::processEvents();
  form.Edit1->setText("24.12.202");
  form.Edit2->setText("1.1.2027");
  bool odd = false;
  for (auto _ : state) {
    QTest::keyClick(form.Edit1, odd ? Qt::Key_Backspace : Qt::Key_6);
    form.repaint();
    odd = !odd;
  }
  state.SetLabel("DE-BY, date 2 shifted by 10 working days");
}
BENCHMARK(BM_KeystrokeWithRegion)->Unit(benchmark::kMicrosecond);

void BM_KeystrokeWorstCase(benchmark::State& state) {
  TForm1 form(Options(), nullptr, Services());
  form.show();
  QApplication::processEvents();
  form.ComboBox2->setCurrentIndex(1);
  form.SpinEdit2->SetText("2147483647");
  form.Edit1->setText("1.1.-200000000");
  bool odd = false;
  for (auto _ : state) {
    QTest::keyClick(form.Edit1, odd ? Qt::Key_Backspace : Qt::Key_0);
    form.repaint();
    odd = !odd;
  }
}
BENCHMARK(BM_KeystrokeWorstCase)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
