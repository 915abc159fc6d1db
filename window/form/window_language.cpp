#include "window/form/window_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>

TWindowLanguage::TWindowLanguage(uint8_t language) {
  if (language != 1) return;
  // Built in as a resource, so the window speaks German wherever it runs.
  if (own_.load(QStringLiteral(":/i18n/orvane_de.qm"))) ownInstalled_ = QCoreApplication::installTranslator(&own_);
  // Qt's own dialogs (font, file, print) when the system has their German texts.
  if (qt_.load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    qtInstalled_ = QCoreApplication::installTranslator(&qt_);
}

TWindowLanguage::~TWindowLanguage() {
  if (ownInstalled_) QCoreApplication::removeTranslator(&own_);
  if (qtInstalled_) QCoreApplication::removeTranslator(&qt_);
}
