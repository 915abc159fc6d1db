// The form's edit fields on their own, driven by typed keys.
#include "window/form/edits.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

// What a caller that knows only the spin box reads.
QString AsSpinBox(const TSpinEdit& spin) { return static_cast<const QSpinBox&>(spin).text(); }

TEST(SpinEdit, KeepsTheTypedTextAndShowsTheSameTextToEveryCaller) {
  TSpinEdit spin;
  spin.setRange(-999999, 999999);
  spin.SetMaxLength(5);
  spin.show();
  spin.Editor()->clear();
  QTest::keyClicks(&spin, "12x");  // kept as typed; read leniently later
  EXPECT_EQ(spin.Text(), "12x");
  EXPECT_EQ(AsSpinBox(spin), spin.Text());
  EXPECT_EQ(spin.value(), 12);
  QTest::keyClick(&spin, Qt::Key_Up);
  EXPECT_EQ(spin.Text(), "13");
  EXPECT_EQ(AsSpinBox(spin), "13");
  QTest::keyClick(&spin, Qt::Key_End);
  QTest::keyClicks(&spin, "4567");  // the fifth character is the last one taken
  EXPECT_EQ(spin.Text(), "13456");
  // A text the program writes is kept whole, and may be shortened by typing.
  spin.SetText("-1234567");
  EXPECT_EQ(AsSpinBox(spin), "-1234567");
  QTest::keyClick(&spin, Qt::Key_End);
  QTest::keyClick(&spin, Qt::Key_Backspace);
  EXPECT_EQ(spin.Text(), "-123456");
  EXPECT_EQ(AsSpinBox(spin), spin.Text());
}

TEST(Edit, TheLengthLimitHoldsForTypingOnly) {
  TEdit edit;
  edit.SetMaxLength(4);
  edit.show();
  QTest::keyClicks(&edit, "123456");
  EXPECT_EQ(edit.text(), "1234");
  edit.setText("1234567");
  QTest::keyClick(&edit, Qt::Key_Backspace);
  EXPECT_EQ(edit.text(), "123456");
  QTest::keyClicks(&edit, "7");  // longer than the limit and than before
  EXPECT_EQ(edit.text(), "123456");
}

}  // namespace
