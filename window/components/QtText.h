#pragma once
// The one crossing between the program's Windows-1252 texts and Qt's strings.
#include <QFile>
#include <QString>
#include <filesystem>
#include <string>
#include "util/cp1252.h"

inline QString ToQString(const AnsiText& ansi) {
  return QString::fromUtf8(AnsiToUtf8(ansi));
}
inline AnsiText FromQString(const QString& s) {
  return Utf8ToAnsi(s.toUtf8().toStdString());
}
// A file name as Qt gives it, to the system's own encoding of names.
inline std::filesystem::path PathFromQString(const QString& s) {
#ifdef _WIN32
  return std::filesystem::path(s.toStdWString());
#else
  const QByteArray native = QFile::encodeName(s);
  return std::filesystem::path(std::string(native.constData(), static_cast<size_t>(native.size())));
#endif
}
inline QString PathToQString(const std::filesystem::path& path) {
#ifdef _WIN32
  return QString::fromStdWString(path.native());
#else
  return QFile::decodeName(QByteArray::fromStdString(path.native()));
#endif
}
