#pragma once
// The window's own texts (menus, dialogs, tooltips, messages) in German:
// the program's translations, built into it, and Qt's for its standard
// dialogs. The default QLocale and the system's error reasons follow the
// language too, in English as in German.
#include <QLocale>
#include <QTranslator>
#include <cstdint>

class TWindowLanguage {
 public:
  // Language 1 (German) installs the translations for the lifetime of this
  // object; it must exist before the window is created. The locale and the
  // reason language before it come back when it goes.
  explicit TWindowLanguage(uint8_t language);
  ~TWindowLanguage();
  TWindowLanguage(const TWindowLanguage&) = delete;
  TWindowLanguage& operator=(const TWindowLanguage&) = delete;
  bool Installed() const { return ownInstalled_; }

 private:
  QTranslator own_, qt_;
  QLocale oldLocale_;
  uint8_t oldReasonLanguage_ = 0;
  bool ownInstalled_ = false, qtInstalled_ = false;
};
