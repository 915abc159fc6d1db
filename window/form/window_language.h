#pragma once
// The window's own texts (menus, dialogs, tooltips, messages) in German:
// the program's translations, built into it, and Qt's for its standard
// dialogs. English needs nothing.
#include <QTranslator>
#include <cstdint>

class TWindowLanguage {
 public:
  // Language 1 (German) installs the translations for the lifetime of this
  // object; it must exist before the window is created.
  explicit TWindowLanguage(uint8_t language);
  ~TWindowLanguage();
  TWindowLanguage(const TWindowLanguage&) = delete;
  TWindowLanguage& operator=(const TWindowLanguage&) = delete;
  bool Installed() const { return ownInstalled_; }

 private:
  QTranslator own_, qt_;
  bool ownInstalled_ = false, qtInstalled_ = false;
};
