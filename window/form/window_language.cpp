#include "window/form/window_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>

#include "util/ErrorText.h"

TWindowLanguage::TWindowLanguage(uint8_t language) : oldReasonLanguage_(ReasonLanguage()) {
  // Numbers, dates and sizes in Qt's dialogs speak the window's language, not the system's.
  // A system locale of the same language keeps its country's forms.
  const QLocale::Language wanted = language == 1 ? QLocale::German : QLocale::English;
  QLocale::setDefault(QLocale::system().language() == wanted ? QLocale::system() : QLocale(wanted));
  SetReasonLanguage(language);
  if (language != 1) return;
  // Built in as a resource, so the window speaks German wherever it runs.
  if (own_.load(QStringLiteral(":/i18n/orvane_de.qm"))) ownInstalled_ = QCoreApplication::installTranslator(&own_);
  // Qt's own dialogs (font, file, print) when the system has their German texts.
  if (qt_.load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    qtInstalled_ = QCoreApplication::installTranslator(&qt_);
}

TWindowLanguage::~TWindowLanguage() {
  QLocale::setDefault(oldLocale_);
  SetReasonLanguage(oldReasonLanguage_);
  if (ownInstalled_) QCoreApplication::removeTranslator(&own_);
  if (qtInstalled_) QCoreApplication::removeTranslator(&qt_);
}
