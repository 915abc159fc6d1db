#pragma once
// The real window services: Qt's dialogs and message boxes, the desktop's
// openers, an animation pause that paints meanwhile, the configuration folder
// and the system's date. The window's entry builds them once.
#include "util/process.h"
#include "window/services/WindowServices.h"

class TQtDialogs : public TDialogs {
 public:
  int ExecDialog(QDialog& dialog) override;
  std::string AskOpenFileName(QWidget* parent, const FileAskT& ask) override;
  std::string AskSaveFileName(QWidget* parent, const FileAskT& ask) override;
  bool ChoosePrinter(QWidget* parent, QPrinter& printer) override;
  void ShowMessage(QWidget* parent, const std::string& title, const std::string& text) override;
  void ShowError(QWidget* parent, const std::string& title, const std::string& text) override;
};

class TSystemDesktopLinks : public TDesktopLinks {
 public:
  TSystemDesktopLinks(TUrlPlatform& url, TProcessPlatform& process) : url_(url), process_(process) {}
  bool OpenFile(const std::filesystem::path& target) override;
  bool OpenAddress(const std::string& url) override;
  TUrlPlatform& UrlPlatform() override { return url_; }

 private:
  TUrlPlatform& url_;
  TProcessPlatform& process_;
};

// Waits until more than 8 ms have passed, processing pending paint events.
class TPaintingAnimationClock : public TAnimationClock {
 public:
  void WaitAnimation(QWidget* panel) override;
};

// orvane/orvane.conf in the configuration folder of the XDG rules
// (ConfigHome: an absolute $XDG_CONFIG_HOME, else ~/.config with the user
// database's home when HOME is unset).
class TConfigSettingsPlace : public TSettingsPlace {
 public:
  explicit TConfigSettingsPlace(TProcessPlatform& process) : process_(process) {}
  QString SettingsFile() override;

 private:
  TProcessPlatform& process_;
};

// The system's local date.
class TSystemTodayClock : public TTodayClock {
 public:
  DateTripleT Today() override { return TodayDate(); }
};

// All of them and their record; the record refers to the parts, so the
// whole stays where it was built.
class TSystemWindowServices {
 public:
  TSystemWindowServices(TUrlPlatform& url, TProcessPlatform& process) : desktop_(url, process), settings_(process) {}
  TSystemWindowServices(const TSystemWindowServices&) = delete;
  TSystemWindowServices& operator=(const TSystemWindowServices&) = delete;
  const TWindowServices& Services() const { return services_; }

 private:
  TQtDialogs dialogs_;
  TSystemDesktopLinks desktop_;
  TPaintingAnimationClock animation_;
  TConfigSettingsPlace settings_;
  TSystemTodayClock clock_;
  TWindowServices services_{dialogs_, desktop_, animation_, settings_, clock_};
};
