#pragma once
// Window services that run no dialog, open nothing and never wait; they record
// what was asked of them. The fake is every part of the record at once and
// passes as the record itself.
#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "window/services/WindowServices.h"
#include "tests/support/FakeUrlPlatform.h"
#include "tests/support/today.h"

class FakeWindowServices : public TDialogs,
                           public TDesktopLinks,
                           public TAnimationClock,
                           public TSettingsPlace,
                           public TTodayClock {
 public:
  FakeWindowServices() = default;
  // The record refers to this very object.
  FakeWindowServices(const FakeWindowServices&) = delete;
  FakeWindowServices& operator=(const FakeWindowServices&) = delete;
  operator const TWindowServices&() const { return record_; }

  // Stands in for a modal run; without it every dialog is rejected.
  std::function<int(QDialog&)> onExec;
  // Handed out in order to the file questions; none left = no file chosen.
  std::vector<std::string> fileAnswers;
  std::vector<FileAskT> asks;
  std::vector<std::string> messages;  // ShowMessage and ShowError texts
  std::vector<std::string> titles;    // and their titles
  std::vector<std::string> opened;
  bool openResult = true;
  std::vector<std::string> addresses;  // given to the desktop's opener
  bool addressResult = true;
  // Stands in for the print dialog: sets the printer up (a PDF file) and
  // says whether to print; without it printing is cancelled.
  std::function<bool(QPrinter&)> onChoosePrinter;
  int printerAsks = 0;
  std::function<void(QWidget*)> onWait;
  FakeUrlPlatform url;
  QString settingsFile;  // none unless a test sets one
  DateTripleT today = kTestToday;  // the clock's day

  int ExecDialog(QDialog& dialog) override { return onExec ? onExec(dialog) : QDialog::Rejected; }
  std::string AskOpenFileName(QWidget*, const FileAskT& ask) override { return Answer(ask); }
  std::string AskSaveFileName(QWidget*, const FileAskT& ask) override { return Answer(ask); }
  bool ChoosePrinter(QWidget*, QPrinter& printer) override {
    ++printerAsks;
    return onChoosePrinter && onChoosePrinter(printer);
  }
  void ShowMessage(QWidget*, const std::string& title, const std::string& text) override {
    titles.push_back(title);
    messages.push_back(text);
  }
  void ShowError(QWidget*, const std::string& title, const std::string& text) override {
    titles.push_back(title);
    messages.push_back(text);
  }
  bool OpenFile(const std::filesystem::path& target) override {
    opened.push_back(target.string());
    return openResult;
  }
  bool OpenAddress(const std::string& url) override {
    addresses.push_back(url);
    return addressResult;
  }
  void WaitAnimation(QWidget* panel) override {
    if (onWait) onWait(panel);
  }
  TUrlPlatform& UrlPlatform() override { return url; }
  QString SettingsFile() override { return settingsFile; }
  DateTripleT Today() override { return today; }

 private:
  std::string Answer(const FileAskT& ask) {
    asks.push_back(ask);
    if (fileAnswers.empty()) return std::string();
    std::string next = fileAnswers.front();
    fileAnswers.erase(fileAnswers.begin());
    return next;
  }
  TWindowServices record_{*this, *this, *this, *this, *this};
};
