// The window under hostile input: huge pastes, typing while the add check box
// follows a resizing window, and long runs of recalculations.
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QTest>
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

#include "window/form/main.h"
#include "window/components/QtText.h"
#include "tests/support/FakeWindowServices.h"
#include "tests/support/options.h"

#if defined(__SANITIZE_ADDRESS__)
#define ORVANE_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ORVANE_ASAN 1
#endif
#endif
#ifdef ORVANE_ASAN
// From the sanitizer runtime; GCC ships no header for it.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

std::string Text(const QLineEdit* e) { return FromQString(e->text()); }

// Live memory: the heap's own count under ASan (freed blocks wait in its
// quarantine, so the resident size only grows), else the resident size.
// A leak of a few hundred bytes per recalculation exceeds these.
#ifdef ORVANE_ASAN
constexpr int64_t kMemoryTolerance = int64_t{1} << 20;
#else
constexpr int64_t kMemoryTolerance = int64_t{8} << 20;
#endif

int64_t MemoryInUse() {
#ifdef ORVANE_ASAN
  return static_cast<int64_t>(__sanitizer_get_current_allocated_bytes());
#else
  std::ifstream statm("/proc/self/statm");
  int64_t pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * sysconf(_SC_PAGESIZE);
#endif
}

class Robustness : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TForm1>(TestOptions(), nullptr, services);
    form->show();
  }
  // The window shows exactly what the result layer computes from the texts
  // on screen: the fields, the kind boxes and the add box's caption, read here
  // rather than through the window's own reading.
  void ExpectMatchesResultLayer(const std::string& context) {
    TForm1& f = *form;
    ResultInputT in;
    in.context = TestContext();
    in.date1 = Text(f.Edit1);
    in.date2 = Text(f.Edit2);
    in.kind1 = f.ComboBox1->currentIndex();
    in.kind2 = f.ComboBox2->currentIndex();
    in.count1 = Text(f.SpinEdit1->Editor());
    in.count2 = Text(f.SpinEdit2->Editor());
    if (f.CheckBox1->isChecked()) in.extra2 = f.CheckBox1->text().toLongLong();
    const ResultsT r = ComputeResults(in);
    ASSERT_TRUE(ValidDate(f.Results.date1.day, f.Results.date1.month, f.Results.date1.year)) << context;
    ASSERT_TRUE(ValidDate(f.Results.date2.day, f.Results.date2.month, f.Results.date2.year)) << context;
    EXPECT_EQ(f.Results.date1, r.date1) << context;
    EXPECT_EQ(f.Results.date2, r.date2) << context;
    EXPECT_EQ(TForm1::MemoText(f.Memo1), r.difference) << context;
    EXPECT_EQ(TForm1::MemoText(f.Memo2) + "\r\n", r.facts1) << context;
    EXPECT_EQ(TForm1::MemoText(f.Memo3) + "\r\n", r.facts2) << context;
    EXPECT_EQ(FromQString(f.Label3->text()), r.label1) << context;
    EXPECT_EQ(FromQString(f.Label4->text()), r.label2) << context;
  }
  FakeWindowServices services;
  std::unique_ptr<TForm1> form;
};

// Key presses carrying the characters' text; QTest's key clicks take ASCII only.
void TypeText(QWidget* target, const QString& text) {
  for (const QChar ch : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(target, &release);
  }
}

QString LongText(int n, const QString& unit) {
  QString s;
  while (s.size() < n) s += unit;
  s.truncate(n);
  return s;
}

TEST_F(Robustness, TenThousandCharactersPastedOrWrittenIntoEveryField) {
  TForm1& f = *form;
  QLineEdit* fields[] = {f.Edit1, f.Edit2, f.SpinEdit1->Editor(), f.SpinEdit2->Editor()};
  const QString units[] = {QStringLiteral("9"), QStringLiteral("12.-7"), QStringLiteral("x\u00e4\u20ac-."),
                           QStringLiteral("\u0000\t\n")};
  for (QLineEdit* field : fields) {
    for (const QString& unit : units) {
      const QString huge = LongText(10000, unit);
      QApplication::clipboard()->setText(huge);
      field->setFocus();
      field->selectAll();
      field->paste();
      ExpectMatchesResultLayer("paste");
      field->setText(huge);
      EXPECT_EQ(field->text().size(), 10000) << "texts the program writes are never cut";
      ExpectMatchesResultLayer("written");
      field->selectAll();
      TypeText(field, LongText(200, unit));
      ExpectMatchesResultLayer("typed");
      if (HasFailure()) return;
    }
    field->setText(QStringLiteral("1"));
  }
  // A number beyond 32 bits stands for today.
  f.SpinEdit1->SetText(QStringLiteral("0"));
  f.Edit1->setText(LongText(10000, QStringLiteral("9")));
  EXPECT_EQ(f.Results.date1, kTestToday);
  EXPECT_EQ(FromQString(f.Label3->text()), "December 2026");
}

TEST_F(Robustness, TypingWhileTheAddBoxFollowsAResizingWindow) {
  TForm1& f = *form;
  f.resize(700, 520);
  f.ComboBox2->setCurrentIndex(1);
  f.CheckBox1->click();
  ASSERT_TRUE(f.CheckBox1->isChecked());
  const char keys[] = "0123456789.-x";
  for (int i = 0; i < 300; ++i) {
    f.resize(560 + (i * 37) % 400, 480 + (i * 13) % 200);
    QLineEdit* field = (i % 2 == 0) ? static_cast<QLineEdit*>(f.Edit2) : f.SpinEdit2->Editor();
    if (field->text().size() > 8) field->clear();
    QTest::keyClick(field, keys[i % (sizeof keys - 1)]);
    if (i % 50 == 49) f.ComboBox2->setCurrentIndex((f.ComboBox2->currentIndex() + 1) % 4);
    ExpectMatchesResultLayer("step " + std::to_string(i));
    if (HasFailure()) return;
  }
  f.CheckBox1->click();
  ExpectMatchesResultLayer("unticked");
}

TEST_F(Robustness, AThousandRapidRecalculationsKeepMemoryFlat) {
  TForm1& f = *form;
  const auto burst = [&f](int n, int seed) {
    for (int i = 0; i < n; ++i) {
      const int k = seed + i;
      f.Edit1->setText(ToQString(std::to_string(k % 31 + 1) + "." + std::to_string(k % 12 + 1) + "." +
                                 std::to_string(k * 7919 % 4000 - 2000)));
      f.SpinEdit2->SetText(ToQString(std::to_string((k % 2 ? -1 : 1) * k * 104729)));
      f.ComboBox1->setCurrentIndex(k % 4);
    }
    QApplication::processEvents();
  };
  burst(300, 0);  // warm-up: caches, fonts, the first allocations
  const int64_t before = MemoryInUse();
  const int64_t recalcs = f.RecalcCount;
  burst(1000, 300);
  ExpectMatchesResultLayer("after the first thousand");
  burst(1000, 1300);
  const int64_t after = MemoryInUse();
  EXPECT_GE(f.RecalcCount - recalcs, 2000);
  ExpectMatchesResultLayer("after the second thousand");
  EXPECT_EQ(Text(f.Edit1), "6.8.-219");  // the last of the burst
  EXPECT_EQ(f.Results.date1, (DateTripleT{6, 8, -219}));
  EXPECT_EQ(f.Results.date2, (DateTripleT{25, 9, -657213}));  // 240771971 days back
  EXPECT_LT(after - before, kMemoryTolerance) << "before " << before << " after " << after;
}

}  // namespace
