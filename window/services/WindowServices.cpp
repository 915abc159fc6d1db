#include "window/services/WindowServices.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QMessageBox>
#include <QStandardPaths>
#include <QUrl>

#include "window/components/QtText.h"

namespace {

std::string AskFileName(QWidget* parent, const FileAskT& ask, bool save) {
  QFileDialog dlg(parent, ToQString(ask.caption));
  dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dlg.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dlg.setNameFilter(ToQString(ask.filter));
  if (!ask.defaultSuffix.empty()) dlg.setDefaultSuffix(ToQString(ask.defaultSuffix));
  if (!ask.current.empty()) dlg.selectFile(ToQString(ask.current));
  if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
  return FromQString(dlg.selectedFiles().first());
}

}  // namespace

int TWindowServices::ExecDialog(QDialog& dialog) { return dialog.exec(); }

std::string TWindowServices::AskOpenFileName(QWidget* parent, const FileAskT& ask) {
  return AskFileName(parent, ask, false);
}

std::string TWindowServices::AskSaveFileName(QWidget* parent, const FileAskT& ask) {
  return AskFileName(parent, ask, true);
}

void TWindowServices::ShowMessage(QWidget* parent, const std::string& title, const std::string& text) {
  QMessageBox box(QMessageBox::Warning, ToQString(title), ToQString(text), QMessageBox::Ok, parent);
  box.exec();
}

void TWindowServices::ShowError(QWidget* parent, const std::string& title, const std::string& text) {
  QMessageBox::critical(parent, ToQString(title), ToQString(text));
}

bool TWindowServices::OpenFile(const std::string& target) { return ShellOpen(target); }

bool TWindowServices::OpenAddress(const std::string& url) {
  const QUrl address(ToQString(url));
  return address.isValid() && QDesktopServices::openUrl(address);
}

void TWindowServices::WaitAnimation(QWidget*) {
  QElapsedTimer timer;
  timer.start();
  // Paint events only: the animation runs inside a click handler and must not
  // take new input meanwhile.
  while (timer.nsecsElapsed() <= 8'000'000)
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

TUrlPlatform& TWindowServices::UrlPlatform() { return SystemUrlPlatform(); }

// The configuration folder: $XDG_CONFIG_HOME or ~/.config on Linux.
QString TWindowServices::SettingsFile() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         QStringLiteral("/orvane/orvane.conf");
}

std::string MessageTitle(const QWidget* widget) {
  const QWidget* top = widget ? widget->window() : nullptr;
  // A dialog's message names the window the dialog was opened from.
  while (top && qobject_cast<const QDialog*>(top) && top->parentWidget()) top = top->parentWidget()->window();
  if (top && !top->windowTitle().isEmpty()) return FromQString(top->windowTitle());
  return FromQString(QApplication::applicationDisplayName());
}

std::string WithDefaultExtension(const std::string& name, const std::string& extension) {
  const size_t last = name.find_last_of("/\\");
  const size_t dot = name.rfind('.');
  const bool has = dot != std::string::npos && (last == std::string::npos || dot > last + 1) && dot + 1 < name.size();
  return has ? name : name + extension;
}

TWindowServices& SystemWindowServices() {
  static TWindowServices services;
  return services;
}
