#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>

#include "window/form/main.h"
#include "window/components/QtText.h"
#include "tests/support/FakeProcess.h"
#include "tests/support/FakeWindowServices.h"
#include "window/services/SystemServices.h"
#include "tests/support/options.h"

namespace {

class WindowSettings : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  FakeWindowServices services;
  void SetUp() override { services.settingsFile = dir.filePath(QStringLiteral("orvane/orvane.conf")); }
  std::unique_ptr<TForm1> Start(std::vector<std::string> args = {}) {
    auto form = std::make_unique<TForm1>(TestOptions(args), nullptr, services);
    form->show();
    return form;
  }
  static void Pick(TTextGrid* grid, const QString& item) {
    const QString shown = QCoreApplication::translate("GridMenu", item.toUtf8().constData());
    for (QAction* a : grid->PopupMenu()->actions()) {
      if (a->text() == item || a->text() == shown) {
        a->trigger();
        return;
      }
    }
    ADD_FAILURE() << item.toStdString();
  }
  // The parts of a calendar's look that a person sees.
  static std::string Look(TEasyGrid& binder) {
    std::string out = binder.grid->BandsActive() ? "bands" : "plain";
    out += binder.grid->Options() & goVertLine ? " |" : " -";
    out += binder.grid->Options() & goHorzLine ? "=" : "-";
    const QFont font = binder.grid->Font();
    out += " " + FromQString(font.family()) + " " + std::to_string(font.pixelSize()) + "px " +
           std::to_string(font.pointSize()) + "pt w" + std::to_string(font.weight());
    for (int32_t v = 0; ColumnIdAt(binder, v) >= 0; ++v) out += " " + std::to_string(ColumnIdAt(binder, v));
    return out;
  }
  QByteArray FileBytes() const {
    QFile file(services.settingsFile);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
  }
};

TEST_F(WindowSettings, SurviveARestart) {
  std::string fresh1, fresh2, changed1, changed2;
  {
    auto f = Start({"--lang", "de"});
    fresh1 = Look(f->Binder1);
    fresh2 = Look(f->Binder2);
    f->resize(640, 500);
    f->move(20, 30);
    Pick(f->StringGrid1, QStringLiteral("Grid bands"));
    Pick(f->StringGrid1, QStringLiteral("Montag"));
    Pick(f->StringGrid2, QStringLiteral("Vertical lines"));
    Pick(f->StringGrid1, QStringLiteral("Proportional Font on/off"));
    services.onExec = [](QDialog& d) {
      auto& dialog = static_cast<QFontDialog&>(d);
      QFont font = dialog.currentFont();
      font.setPointSize(14);
      dialog.setCurrentFont(font);
      return int(QDialog::Accepted);
    };
    Pick(f->StringGrid2, QStringLiteral("Font.."));
    TTextGrid* g = f->StringGrid2;
    ASSERT_TRUE(g->MoveColumn(5, 7));  // Friday to the end
    g->OnColumnMoved(g, 5, 7);
    changed1 = Look(f->Binder1);
    changed2 = Look(f->Binder2);
    EXPECT_TRUE(f->close());
  }
  const QByteArray written = FileBytes();
  // The second start knows them all, the language too without --lang.
  auto f = Start();
  // Not below what the larger calendar font needs.
  EXPECT_EQ(f->size(), QSize(640, 500).expandedTo(f->minimumSize()));
  EXPECT_GT(f->minimumHeight(), 500);
  EXPECT_EQ(f->pos(), QPoint(20, 30));
  EXPECT_EQ(FromQString(f->Label3->text()), "Dezember 2026");
  EXPECT_EQ(changed1, "plain |= " + FromQString(QFontDatabase::systemFont(QFontDatabase::FixedFont).family()) +
                          " 11px -1pt w400 10 1 2 3 4 5 6");
  EXPECT_NE(changed2.find(" 14pt "), std::string::npos);
  EXPECT_EQ(Look(f->Binder1), changed1);
  EXPECT_EQ(Look(f->Binder2), changed2);
  for (QAction* a : f->StringGrid1->PopupMenu()->actions()) {
    if (a->text() == QStringLiteral("Montag")) {
      EXPECT_FALSE(a->isChecked());
    }
  }
  // "Reset Font" still goes back to the built-in font.
  Pick(f->StringGrid2, QStringLiteral("Reset Font"));
  EXPECT_EQ(Look(f->Binder2), "bands -= Tahoma 11px -1pt w400 10 0 1 2 3 5 6 4");
  f.reset();
  // --no-settings starts as new and keeps nothing; --lang en is remembered.
  const QByteArray before = FileBytes();
  auto plain = Start({"--no-settings"});
  EXPECT_EQ(Look(plain->Binder1), fresh1);
  EXPECT_EQ(Look(plain->Binder2), fresh2);
  EXPECT_EQ(FromQString(plain->Label3->text()), "December 2026");
  plain->close();
  EXPECT_EQ(FileBytes(), before);
  Start({"--lang", "en"})->close();
  EXPECT_EQ(FromQString(Start()->Label3->text()), "December 2026");
  EXPECT_NE(written, QByteArray("<none>"));
}

TEST_F(WindowSettings, FontNamesComeBackAsWritten) {
  WindowSettingsT settings;
  int32_t n = 0;
  for (const char* name : {"Fira \"Code\" \\x; a=b", "Überschrift, Grün #1"}) {
    // A file of its own each time: QSettings keeps what it read of a path
    // and may not see a rewrite within the same millisecond.
    services.settingsFile = dir.filePath(QStringLiteral("fonts%1.conf").arg(++n));
    settings.calendar2.font = FontLookT{QString::fromUtf8(name), 0, 10.5, 700, true};
    std::string reason;
    ASSERT_EQ(SaveWindowSettings(services.settingsFile, settings, reason), SettingsSaveT::kSaved) << reason;
    const auto font = LoadWindowSettings(services.settingsFile).calendar2.font;
    ASSERT_TRUE(font.has_value());
    EXPECT_EQ(font->family, QString::fromUtf8(name));
    EXPECT_EQ(font->pointSize, 10.5);
    EXPECT_TRUE(font->italic);
  }
}

TEST_F(WindowSettings, HostileFilesGiveDefaults) {
  services.settingsFile.clear();
  auto reference = Start();
  const std::string look1 = Look(reference->Binder1), look2 = Look(reference->Binder2);
  const QSize size = reference->size();
  reference.reset();
  services.settingsFile = dir.filePath(QStringLiteral("orvane.conf"));
  const QByteArray files[] = {
      QByteArray("\0\xff garbage [[[ ===\n\n[window\nwidth", 32),
      "[window]\nx=99999999999999999999\ny=-1e308\nwidth=2147483648\nheight=-5\nlanguage=7\n"
      "[calendar1]\nbands=maybe\nverticalLines=1\norder=10 10 10 10 10 10 10 10\nhidden=99 -1 abc\n"
      "fontFamily=\nfontPixelSize=100000000\n"
      "[calendar2]\norder=0 1 2 3 4 5 6 10\nfontFamily=Tahoma\nfontPointSize=nan\nfontWeight=99999\n"
      "hidden=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x1bQ)\nbands=@ByteArray(false)\nhorizontalLines=1, 2\n",
      "[calendar1]\norder=10 0 1 2 3 4 5 6 7\nhidden=2 99\n[calendar2]\norder=0 10 1 2 3 4 5 6\n",
      QByteArray(100000, 'x'),
  };
  for (const QByteArray& text : files) {
    QFile file(services.settingsFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
    file.close();
    auto f = Start();
    EXPECT_EQ(f->size(), size);
    EXPECT_EQ(FromQString(f->Label3->text()), "December 2026");
    EXPECT_EQ(Look(f->Binder1), look1);
    EXPECT_EQ(Look(f->Binder2), look2);
  }
  // Valid but far too large: the window is kept on the screen.
  QFile file(services.settingsFile);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write("[window]\nx=-100000\ny=100000\nwidth=100000\nheight=100000\n");
  file.close();
  auto f = Start();
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_TRUE(area.contains(QRect(f->pos(), f->size()))) << f->x() << "," << f->y() << " " << f->width();
}

// Warnings the window writes, as qWarning hands them over.
std::vector<std::string>* gWarnings = nullptr;
void KeepWarning(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (gWarnings && type == QtWarningMsg && text.startsWith(QStringLiteral("orvane: "))) gWarnings->push_back(FromQString(text));
}

struct Warnings {
  std::vector<std::string> lines;
  QtMessageHandler old;
  Warnings() : old(qInstallMessageHandler(KeepWarning)) { gWarnings = &lines; }
  ~Warnings() {
    gWarnings = nullptr;
    qInstallMessageHandler(old);
  }
};

TEST_F(WindowSettings, WrittenWhereTheyBelong) {
  namespace fs = std::filesystem;
  const fs::path root = PathFromQString(dir.path());
  // A link (dotfiles kept in a repository) is written through, and stays a link.
  fs::create_directories(root / "dotfiles");
  fs::create_directories(root / "orvane");
  std::ofstream(root / "dotfiles" / "orvane.conf") << "[window]\nlanguage=1\n";
  fs::create_symlink("../dotfiles/orvane.conf", root / "orvane" / "orvane.conf");
  Start({"--iso-weeks"})->close();
  EXPECT_TRUE(fs::is_symlink(root / "orvane" / "orvane.conf"));
  EXPECT_NE(FileBytes().indexOf("weekNumbering=1"), -1) << FileBytes().toStdString();
  EXPECT_NE(FileBytes().indexOf("[calendar1]"), -1);
  EXPECT_EQ(std::distance(fs::directory_iterator(root / "orvane"), fs::directory_iterator()), 1);

  // A file without write permission is left as it is, with one warning.
  fs::remove(root / "orvane" / "orvane.conf");
  std::ofstream(root / "orvane" / "orvane.conf") << "[window]\nlanguage=1\n";
  fs::permissions(root / "orvane" / "orvane.conf", fs::perms::owner_read | fs::perms::group_read);
  {
    Warnings warnings;
    auto f = Start();
    f->close();
    f->show();
    f->close();
    EXPECT_EQ(warnings.lines, std::vector<std::string>{"orvane: the settings file " + root.string() +
                                                       "/orvane/orvane.conf is left as it is: Permission denied"});
  }
  EXPECT_EQ(FileBytes(), QByteArray("[window]\nlanguage=1\n"));
  fs::permissions(root / "orvane" / "orvane.conf", fs::perms::owner_all);

  // A failed save names the system's reason.
  std::ofstream(root / "plain") << "x";
  services.settingsFile = dir.filePath(QStringLiteral("plain/orvane.conf"));
  Warnings warnings;
  Start()->close();
  EXPECT_EQ(warnings.lines, std::vector<std::string>{"orvane: the settings could not be saved in " + root.string() +
                                                     "/plain/orvane.conf: Not a directory"});
}

TEST(SettingsFile, FollowsTheXdgRules) {
  FakeProcessPlatform process;
  process.userHome = "/home/db";
  TConfigSettingsPlace place(process);
  process.env = {{"XDG_CONFIG_HOME", "/cfg"}, {"HOME", "/home/someone"}};
  EXPECT_EQ(place.SettingsFile(), QStringLiteral("/cfg/orvane/orvane.conf"));
  process.env = {{"XDG_CONFIG_HOME", "relative/config"}, {"HOME", "/home/someone"}};  // ignored
  EXPECT_EQ(place.SettingsFile(), QStringLiteral("/home/someone/.config/orvane/orvane.conf"));
  process.env.clear();  // no HOME: the user database's home, never "/.config"
  EXPECT_EQ(place.SettingsFile(), QStringLiteral("/home/db/.config/orvane/orvane.conf"));
  process.userHome.clear();
  EXPECT_EQ(place.SettingsFile(), QString());
}

TEST(FitIntoArea, TheFrameStaysInTheArea) {
  const QRect area(0, 0, 800, 600);
  const QSize frame(2, 26);  // a 25 px title bar and 1 px borders
  // Where the client area alone would fit, the frame would stick out below.
  EXPECT_EQ(FitIntoArea(QRect(100, 100, 500, 500), QSize(300, 464), area, frame), QRect(100, 74, 500, 500));
  EXPECT_EQ(FitIntoArea(QRect(100, 100, 500, 500), QSize(300, 464), area, QSize()), QRect(100, 100, 500, 500));
  // Too tall: the client shrinks so that client and frame fill the height.
  EXPECT_EQ(FitIntoArea(QRect(-50, 20, 900, 700), QSize(300, 464), area, frame), QRect(0, 0, 798, 574));
  // Never below the least size, and then at the area's top-left.
  EXPECT_EQ(FitIntoArea(QRect(500, 500, 100, 100), QSize(300, 590), area, frame), QRect(498, 0, 300, 590));
}

TEST_F(WindowSettings, StoredPlacesAndFontsKeepTheWindowOnTheScreen) {
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  {
    // The last run's frame counts before this one's is known.
    QFile file(services.settingsFile);
    QDir().mkpath(QFileInfo(file).path());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QStringLiteral("[window]\nx=%1\ny=%2\nwidth=520\nheight=540\nframeWidth=522\nframeHeight=566\n")
                   .arg(area.left() + 10)
                   .arg(area.bottom() + 1 - 540)
                   .toUtf8());
    file.close();
    auto f = Start();
    EXPECT_EQ(f->pos(), QPoint(area.left() + 10, area.bottom() + 1 - 566));
    EXPECT_EQ(f->size(), QSize(520, 540));
    f->close();
    EXPECT_NE(FileBytes().indexOf("frameWidth="), -1);
  }
  // A font inside the accepted range but far too large for the screen.
  QFile file(services.settingsFile);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write("[calendar1]\nfontFamily=Sans\nfontPixelSize=400\n[calendar2]\nfontFamily=Sans\nfontPixelSize=400\n");
  file.close();
  auto f = Start();
  EXPECT_LE(f->minimumWidth(), area.width());
  EXPECT_LE(f->minimumHeight(), area.height());
  EXPECT_TRUE(area.contains(QRect(f->pos(), f->size()))) << f->width() << "x" << f->height();
  const int px = f->StringGrid1->Font().pixelSize();
  EXPECT_LT(px, 400);
  EXPECT_GT(px, 8);  // as large as still fits, not dropped
  EXPECT_EQ(f->StringGrid2->Font().pixelSize(), px);
}

}  // namespace
