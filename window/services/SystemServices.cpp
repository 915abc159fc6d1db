#include "window/services/SystemServices.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <QUrl>
#include <filesystem>

#include "window/components/QtText.h"

namespace {

// Qt's file list gives sizes and dates in the system's locale; these follow
// the default locale, which the window sets to its language.
class TLocaleFileColumns : public QIdentityProxyModel {
 public:
  using QIdentityProxyModel::QIdentityProxyModel;
  QVariant data(const QModelIndex& index, int role) const override {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (role != Qt::DisplayRole || !files || !index.isValid()) return QIdentityProxyModel::data(index, role);
    const QModelIndex source = mapToSource(index);
    if (index.column() == kSizeColumn && !files->isDir(source))
      return QLocale().formattedDataSize(files->size(source));
    if (index.column() == kDateColumn)
      return QLocale().toString(files->lastModified(source), QLocale::ShortFormat);
    return QIdentityProxyModel::data(index, role);
  }

 private:
  static constexpr int kSizeColumn = 1;
  static constexpr int kDateColumn = 3;
};

std::string AskFileName(QWidget* parent, const FileAskT& ask, bool save) {
  QFileDialog dlg(parent, ToQString(ask.caption));
  dlg.setProxyModel(new TLocaleFileColumns(&dlg));
  dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dlg.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dlg.setNameFilter(ToQString(ask.filter));
  if (!ask.defaultSuffix.empty()) dlg.setDefaultSuffix(ToQString(ask.defaultSuffix));
  if (!ask.current.empty()) dlg.selectFile(ToQString(ask.current));
  if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
  return FromQString(dlg.selectedFiles().first());
}

}  // namespace

int TQtDialogs::ExecDialog(QDialog& dialog) { return dialog.exec(); }

std::string TQtDialogs::AskOpenFileName(QWidget* parent, const FileAskT& ask) {
  return AskFileName(parent, ask, false);
}

std::string TQtDialogs::AskSaveFileName(QWidget* parent, const FileAskT& ask) {
  return AskFileName(parent, ask, true);
}

bool TQtDialogs::ChoosePrinter(QWidget* parent, QPrinter& printer) {
  QPrintDialog dialog(&printer, parent);
  dialog.setOption(QAbstractPrintDialog::PrintToFile);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange);
  return dialog.exec() == QDialog::Accepted;
}

void TQtDialogs::ShowMessage(QWidget* parent, const std::string& title, const std::string& text) {
  QMessageBox box(QMessageBox::Warning, ToQString(title), ToQString(text), QMessageBox::Ok, parent);
  box.exec();
}

void TQtDialogs::ShowError(QWidget* parent, const std::string& title, const std::string& text) {
  QMessageBox::critical(parent, ToQString(title), ToQString(text));
}

bool TSystemDesktopLinks::OpenFile(const std::filesystem::path& target) { return ShellOpen(target, process_); }

bool TSystemDesktopLinks::OpenAddress(const std::string& url) {
  const QUrl address(ToQString(url));
  return address.isValid() && QDesktopServices::openUrl(address);
}

void TPaintingAnimationClock::WaitAnimation(QWidget*) {
  QElapsedTimer timer;
  timer.start();
  // Paint events only: the animation runs inside a click handler and must not
  // take new input meanwhile.
  while (timer.nsecsElapsed() <= 8'000'000)
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QString TConfigSettingsPlace::SettingsFile() {
#ifdef _WIN32
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         QStringLiteral("/orvane/orvane.conf");
#else
  // No home known: no settings, never a file in "/".
  const std::string home = ConfigHome(process_);
  return home.empty() ? QString() : PathToQString(std::filesystem::path(home) / "orvane" / "orvane.conf");
#endif
}
