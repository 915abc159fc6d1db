#pragma once
// What the window, its grids, menus and panels ask of the desktop and the
// clock, as narrow interfaces gathered in one record. The window's entry builds the real ones
// once (SystemServices.h) and hands the record down; tests pass fakes. No
// holder has a default, so nothing reaches the real desktop by omission.
#include <QString>
#include <string>

#include "components/UrlLauncher.h"
#include "dates/dater.h"
#include "grid/superarray.h"

class QDialog;
class QPrinter;
class QWidget;

// A file dialog's set-up; texts are Windows-1252.
struct FileAskT {
  std::string caption;
  std::string filter;         // Qt filter list, ";;" between entries
  std::string current;        // preselected file, may be empty
  std::string defaultSuffix;  // added to a typed name without one
};

// Modal dialogs, file choices and messages.
class TDialogs {
 public:
  virtual ~TDialogs() = default;
  // The modal run of a dialog; returns its result.
  virtual int ExecDialog(QDialog& dialog) = 0;
  // The chosen existing file / file to write (Windows-1252); empty for none.
  virtual std::string AskOpenFileName(QWidget* parent, const FileAskT& ask) = 0;
  virtual std::string AskSaveFileName(QWidget* parent, const FileAskT& ask) = 0;
  // Qt's print dialog for the printer (printer, pages, a PDF file); true
  // when the user goes ahead with the printer as the dialog set it up.
  virtual bool ChoosePrinter(QWidget* parent, QPrinter& printer) = 0;
  // Modal message boxes with one OK button.
  virtual void ShowMessage(QWidget* parent, const std::string& title, const std::string& text) = 0;
  virtual void ShowError(QWidget* parent, const std::string& title, const std::string& text) = 0;
};

// Files and addresses handed to the desktop (OpenFile, and OpenAddress, the
// desktop's own opener of an address), and the browser's platform.
class TDesktopLinks : public TShellOpener, public TUrlOpener {
 public:
  virtual TUrlPlatform& UrlPlatform() = 0;
};

// The pause after each repainted step of a panel animation.
class TAnimationClock {
 public:
  virtual ~TAnimationClock() = default;
  virtual void WaitAnimation(QWidget* panel) = 0;
};

// Where the window keeps its settings.
class TSettingsPlace {
 public:
  virtual ~TSettingsPlace() = default;
  // The settings file; empty for nowhere.
  virtual QString SettingsFile() = 0;
};

// The day the window calls today unless --today fixed it; asked at every
// recalculation, so a window left open over midnight moves on.
class TTodayClock {
 public:
  virtual ~TTodayClock() = default;
  virtual DateTripleT Today() = 0;
};

// Everything the window reaches the desktop through. The parts outlive every
// holder of the record.
struct TWindowServices {
  TDialogs& dialogs;
  TDesktopLinks& desktop;
  TAnimationClock& animation;
  TSettingsPlace& settings;
  TTodayClock& clock;
};

// The caption of the main window a widget or its dialog belongs to: the title
// of every message box.
std::string MessageTitle(const QWidget* widget);
// The name with the extension (".htm", ".ini") added when its last part has none.
std::string WithDefaultExtension(const std::string& name, const std::string& extension);
