#pragma once
// Types a text as key presses, letters outside ASCII too (QTest::keyClicks
// takes ASCII only): each such letter is a key event carrying its text, as a
// keyboard layout that has the letter sends it.
#include <QString>
#include <QTest>

inline void TypeText(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    if (c.unicode() < 0x80)
      QTest::keyClick(widget, static_cast<char>(c.unicode()));
    else
      QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
  }
}
