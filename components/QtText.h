#pragma once
// The one crossing between the program's Windows-1252 texts and Qt's strings.
#include <QString>
#include <string>
#include "util/cp1252.h"

inline QString ToQString(const std::string& ansi) {
  return QString::fromUtf8(AnsiToUtf8(ansi));
}
inline std::string FromQString(const QString& s) {
  return Utf8ToAnsi(s.toUtf8().toStdString());
}
