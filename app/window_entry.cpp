#include "app/window_entry.h"

#include <QApplication>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <iostream>

#include "app/main.h"
#include "components/QtText.h"
#include "grid/htmlwriter.h"
#include "panels/ComponentHandling.h"

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

}  // namespace

int RunWindow(const CliOptionsT& options, int argc, char** argv) {
  const bool offscreen = !options.screenshotFile.empty() || !options.htmlFile.empty();
  if (offscreen) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // A file is all that is wanted: no notes about the desktop session.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
      if (type != QtDebugMsg && type != QtInfoMsg && !message.startsWith(QLatin1String("QStandardPaths:")))
        std::cerr << message.toLocal8Bit().constData() << '\n';
    });
  }
  QApplication app(argc, argv);
  SubstituteFonts();
  InstallDesktopColorResolver();
  TForm1 form(options);

  if (!options.htmlFile.empty()) {
    THTMLSettings settings;
    InitHtmlSettings(settings);
    try {
      WriteHtmlFile(form.StringGrid1->HtmlData(), settings, options.htmlFile);
    } catch (const HtmlFileError& e) {
      std::cerr << "orvane: " << e.what() << '\n';
      return 1;
    }
    if (options.screenshotFile.empty()) return 0;
  }
  form.show();
  if (!options.screenshotFile.empty()) {
    QApplication::processEvents();
    if (!WindowPicture(form).save(QString::fromLocal8Bit(options.screenshotFile.c_str()), "PNG")) {
      std::cerr << "orvane: cannot write " << options.screenshotFile << '\n';
      return 1;
    }
    return 0;
  }
  return QApplication::exec();
}
