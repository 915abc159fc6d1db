#include "window/form/window_entry.h"

#include <QApplication>
#include <QBuffer>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <iostream>
#include <tuple>
#include <vector>

#include "window/form/main.h"
#include "window/components/QtText.h"
#include "window/panels/ComponentHandling.h"
#include "window/services/SystemServices.h"
#include "util/ErrorText.h"
#include "util/SaveFile.h"

namespace {

// Stand-ins where the classic Windows faces are missing.
void SubstituteFonts() {
  const QStringList sans = {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                            QStringLiteral("DejaVu Sans")};
  QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), sans);
  QFont::insertSubstitutions(QStringLiteral("Tahoma"), sans);
}

// The offscreen platform draws no window frame; the picture gets a title bar
// with the caption so that it shows the window as a desktop would.
QImage WindowPicture(TForm1& form) {
  const QPixmap client = form.grab();
  const qreal ratio = client.devicePixelRatio();
  const int titleHeight = 24;
  const QSize logical = form.size();
  QImage image(QSize(logical.width(), logical.height() + titleHeight) * ratio, QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  image.fill(QColor(0x3C, 0x3C, 0x3C));
  QPainter painter(&image);
  painter.setPen(Qt::white);
  QFont font = QApplication::font();
  font.setBold(true);
  painter.setFont(font);
  painter.drawText(QRect(0, 0, logical.width(), titleHeight), Qt::AlignCenter, form.windowTitle());
  painter.drawPixmap(QPoint(0, titleHeight), client);
  return image;
}

// Encoded in memory and written by the program's one file writer, so a link
// at the target is replaced as for every other output, not followed.
bool SavePicture(const QImage& image, const std::filesystem::path& file, std::string& reason) {
  QByteArray png;
  QBuffer buffer(&png);
  if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) {
    reason = "cannot encode the picture";
    return false;
  }
  return SaveWholeFile(file, std::string_view(png.constData(), static_cast<size_t>(png.size())), reason);
}

// Until the platform is up, a fatal message means the display named in the
// environment cannot be reached: one line says so instead of an abort. The
// platform's notes of that time are held back and shown only if it starts.
QtMessageHandler gOuterHandler = nullptr;
std::vector<std::tuple<QtMsgType, QString>>* gHeldMessages = nullptr;
void StartupMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtFatalMsg) {
    std::cerr << "orvane: no display found; use --print or set DISPLAY\n";
    std::_Exit(2);
  }
  if (gHeldMessages) gHeldMessages->emplace_back(type, message);
}
void ShowHeldMessages(const std::vector<std::tuple<QtMsgType, QString>>& held) {
  for (const auto& [type, message] : held) {
    if (gOuterHandler) {
      gOuterHandler(type, QMessageLogContext(), message);
    } else if (type != QtDebugMsg && type != QtInfoMsg) {
      std::cerr << message.toLocal8Bit().constData() << '\n';
    }
  }
}

}  // namespace

int RunWindow(const CliOptionsT& options, int argc, char** argv) {
  if (!options.screenshotFile.empty()) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // A file is all that is wanted: no notes about the desktop session.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
      if (type != QtDebugMsg && type != QtInfoMsg && !message.startsWith(QLatin1String("QStandardPaths:")))
        std::cerr << message.toLocal8Bit().constData() << '\n';
    });
  }
  std::vector<std::tuple<QtMsgType, QString>> held;
  gHeldMessages = &held;
  gOuterHandler = qInstallMessageHandler(StartupMessage);
  QApplication app(argc, argv);
  qInstallMessageHandler(gOuterHandler);
  gHeldMessages = nullptr;
  ShowHeldMessages(held);
  SubstituteFonts();
  // The one process-wide setting: system colours follow the desktop palette.
  // It is set here, once, before any widget resolves a colour.
  InstallDesktopColorResolver();
  // The real services, built once; everything below gets them from the window.
  TSystemWindowServices system(SystemUrlPlatform(), SystemProcessPlatform());
  // A picture made for others shows the window as new and leaves the settings alone.
  CliOptionsT windowOptions = options;
  if (!options.screenshotFile.empty()) windowOptions.noSettings = true;
  TForm1 form(windowOptions, nullptr, system.Services());
  form.show();
  if (!options.screenshotFile.empty()) {
    // ORVANE_WINDOW_SIZE=minimum pictures the window at its least size.
    if (qgetenv("ORVANE_WINDOW_SIZE") == "minimum") form.resize(form.minimumSize());
    // Active as a window just opened, its first field focused.
    QApplication::setActiveWindow(&form);
    QApplication::processEvents();
    std::string reason;
    // The command line's messages are English, whatever the window speaks.
    SetReasonLanguage(0);
    if (!SavePicture(WindowPicture(form), options.screenshotFile, reason)) {
      std::cerr << "orvane: cannot write " << ShownPath(options.screenshotFile) << ": " << reason << '\n';
      return 1;
    }
    return 0;
  }
  return QApplication::exec();
}
