#pragma once
// What the window, its grids, menus and panels ask of the desktop: modal
// dialogs, file choices, messages, opening files and addresses, the
// animation's pause and the browser's platform. The real services by
// default; tests inject a fake.
#include <QString>
#include <string>

#include "components/UrlLauncher.h"
#include "grid/superarray.h"

class QDialog;
class QWidget;

// A file dialog's set-up; texts are Windows-1252.
struct FileAskT {
  std::string caption;
  std::string filter;         // Qt filter list, ";;" between entries
  std::string current;        // preselected file, may be empty
  std::string defaultSuffix;  // added to a typed name without one
};

class TWindowServices : public TShellOpener, public TUrlOpener {
 public:
  // The modal run of a dialog; returns its result.
  virtual int ExecDialog(QDialog& dialog);
  // The chosen existing file / file to write (Windows-1252); empty for none.
  virtual std::string AskOpenFileName(QWidget* parent, const FileAskT& ask);
  virtual std::string AskSaveFileName(QWidget* parent, const FileAskT& ask);
  // Modal message boxes with one OK button.
  virtual void ShowMessage(QWidget* parent, const std::string& title, const std::string& text);
  virtual void ShowError(QWidget* parent, const std::string& title, const std::string& text);
  bool OpenFile(const std::string& target) override;
  // The desktop's own opener of an address (Windows-1252).
  bool OpenAddress(const std::string& url) override;
  // Called after each repainted step of a panel animation. Waits until more
  // than 8 ms have passed, processing pending paint events.
  virtual void WaitAnimation(QWidget* panel);
  virtual TUrlPlatform& UrlPlatform();
  // Where the window keeps its settings; empty for nowhere.
  virtual QString SettingsFile();
};

TWindowServices& SystemWindowServices();

// The caption of the main window a widget or its dialog belongs to: the title
// of every message box.
std::string MessageTitle(const QWidget* widget);
// The name with the extension (".htm", ".ini") added when its last part has none.
std::string WithDefaultExtension(const std::string& name, const std::string& extension);
