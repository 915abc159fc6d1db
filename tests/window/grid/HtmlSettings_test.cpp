#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "window/components/QtText.h"
#include "window/grid/HtmlSettingsDialog.h"
#include "grid/superarray.h"
#include "tests/support/FakeWindowServices.h"
#include "tests/support/TypeText.h"

namespace {

namespace fs = std::filesystem;

HtmlGridDataT OneCellGrid(const std::string& text) {
  HtmlGridDataT g;
  InitHtmlGrid(g, 1, 1);
  SetHtmlCellText(g, 0, 0, text);
  return g;
}

QString BuddyCaption(QWidget* dialog, QWidget* control) {
  for (QLabel* label : dialog->findChildren<QLabel*>()) {
    if (label->buddy() == control) return label->text();
  }
  return {};
}

// A private runtime folder for the preview file, put back afterwards.
struct ScopedRuntimeDir {
  fs::path dir;
  std::string oldRuntime;
  bool hadOld = false;
  explicit ScopedRuntimeDir(const std::string& name) {
    dir = fs::temp_directory_path() / (name + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    fs::permissions(dir, fs::perms::owner_all, fs::perm_options::replace);
    const char* old = std::getenv("XDG_RUNTIME_DIR");
    hadOld = old != nullptr;
    oldRuntime = old ? old : "";
    setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
  }
  ~ScopedRuntimeDir() {
    hadOld ? setenv("XDG_RUNTIME_DIR", oldRuntime.c_str(), 1) : unsetenv("XDG_RUNTIME_DIR");
    fs::remove_all(dir);
  }
};

class HtmlDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitHtmlSettings(settings);
    settings.ColWidths = {30, 40};
  }
  FakeWindowServices services;
  THTMLSettings settings;
};

TEST_F(HtmlDialogTest, CaptionsRangesAndGroups) {
  THtmlSettingsDialog d(settings, [] { return OneCellGrid("x"); }, nullptr, kHtmlGeneral | kHtmlTags, services);
  EXPECT_EQ(d.windowTitle(), "HTML Settings");
  const std::vector<std::pair<QWidget*, const char*>> captions = {
      {d.prefixEdit, "&Prefix Tags:"},        {d.suffixEdit, "&Suffix Tags:"},
      {d.styleEdit, "Table St&yle Tags::"},   {d.headerEdit, "&Header:"},
      {d.footerEdit, "F&ooter:"},             {d.borderSpin, "&Border Size:"},
      {d.spacingSpin, "Ce&ll Spacing:"},      {d.paddingSpin, "Cell &Padding:"},
      {d.widthSpin, "Table &Width (in percent):"}};
  for (const auto& [control, caption] : captions) EXPECT_EQ(BuddyCaption(&d, control), caption);
  EXPECT_EQ(d.colorsCheck->text(), "Use Table's &Colors");
  EXPECT_EQ(d.fontsCheck->text(), "Use Table's &Fonts");
  EXPECT_EQ(d.headerButton->text(), ". . .");
  for (QSpinBox* s : {d.borderSpin, d.spacingSpin, d.paddingSpin}) EXPECT_EQ(s->maximum(), 10);
  EXPECT_EQ(d.widthSpin->maximum(), 100);
  // Option bits 0 and 2: "General:" and "Tags:" on, "Cells:" and "Files:" off.
  EXPECT_TRUE(d.borderSpin->isEnabled());
  EXPECT_FALSE(d.colorsCheck->isEnabled());
  EXPECT_TRUE(d.prefixEdit->isEnabled());
  EXPECT_FALSE(d.headerButton->isEnabled());
}

TEST_F(HtmlDialogTest, OkStoresAndCancelKeeps) {
  settings.HeaderFile = "h\xE4.htm";
  settings.BorderSize = 3;
  settings.SaveFonts = false;
  auto editAndClose = [&](bool ok) {
    THtmlSettingsDialog d(settings, [] { return OneCellGrid("x"); }, nullptr, kHtmlAllGroups, services);
    EXPECT_EQ(FromQString(d.headerEdit->text()), "h\xE4.htm");
    EXPECT_EQ(d.borderSpin->value(), 3);
    EXPECT_FALSE(d.fontsCheck->isChecked());
    d.prefixEdit->setText("<p>");
    d.widthSpin->setValue(150);  // clamped to the range
    d.fontsCheck->setChecked(true);
    (ok ? d.okButton : d.cancelButton)->click();
    return d.result();
  };
  EXPECT_EQ(editAndClose(false), kHtmlResultCancel);
  EXPECT_EQ(settings.PrefixTag, "");
  EXPECT_EQ(editAndClose(true), kHtmlResultOk);
  EXPECT_EQ(settings.PrefixTag, "<p>");
  EXPECT_EQ(settings.Width, 100);
  EXPECT_TRUE(settings.SaveFonts);
  EXPECT_EQ(settings.HeaderFile, "h\xE4.htm");
  EXPECT_EQ(settings.ColWidths, (std::vector<int32_t>{30, 40}));  // not the dialog's to change
}

TEST_F(HtmlDialogTest, FileButtonsReplaceTheEditText) {
  services.fileAnswers = {"/pages/head.htm"};
  settings.HeaderFile = "old.htm";
  THtmlSettingsDialog d(settings, [] { return OneCellGrid("x"); }, nullptr, kHtmlAllGroups, services);
  d.headerButton->click();
  EXPECT_EQ(d.headerEdit->text(), "/pages/head.htm");
  // No answer left, as when cancelled: the edit keeps its text.
  d.footerEdit->setText("foot.htm");
  d.footerButton->click();
  EXPECT_EQ(d.footerEdit->text(), "foot.htm");
  ASSERT_EQ(services.asks.size(), 2u);
  EXPECT_EQ(services.asks[0].current, "old.htm");
  EXPECT_EQ(services.asks[1].current, "foot.htm");
  EXPECT_EQ(services.asks[1].defaultSuffix, "htm");
}

TEST_F(HtmlDialogTest, RunWithoutGridRaises) {
  try {
    RunHtmlSettingsDialog(&settings, nullptr, nullptr, kHtmlAllGroups, services);
    FAIL();
  } catch (const HtmlDialogError& e) {
    EXPECT_STREQ(e.what(), "The dialog does not have a grid component.");
  }
  services.onExec = [](QDialog& dlg) {
    static_cast<THtmlSettingsDialog&>(dlg).okButton->click();
    return dlg.result();
  };
  EXPECT_EQ(RunHtmlSettingsDialog(&settings, [] { return OneCellGrid("x"); }, nullptr, kHtmlAllGroups, services),
            kHtmlResultOk);
}

TEST_F(HtmlDialogTest, PreviewWritesOpensAndReportsErrors) {
  const ScopedRuntimeDir runtime("orvane_dlg_");
  const fs::path& dir = runtime.dir;
  const std::vector<std::string>& opened = services.opened;
  const std::vector<std::string>& errors = services.messages;

  THtmlSettingsDialog d(settings, [] { return OneCellGrid("x"); }, nullptr, kHtmlAllGroups, services);
  d.show();
  d.prefixEdit->setText("<h1>Cal</h1>");
  d.previewButton->click();
  EXPECT_EQ(settings.PrefixTag, "<h1>Cal</h1>");  // stored before writing
  // The desktop's opener gets the file's address, as QUrl writes it.
  const QString preview = QString::fromStdString((dir / "orvane" / "temp001.htm").string());
  EXPECT_EQ(opened, std::vector<std::string>{QUrl::fromLocalFile(preview).toEncoded().toStdString()});
  EXPECT_TRUE(errors.empty());

  fs::remove_all(dir / "orvane");
  fs::create_directory_symlink(dir, dir / "orvane");
  d.previewButton->click();
  ASSERT_EQ(errors.size(), 1u);
  // The file is named, then why it could not be created.
  EXPECT_EQ(errors[0].rfind("Cannot Create file " + (dir / "orvane" / "temp001.htm").string() + ": ", 0), 0u);
  EXPECT_EQ(opened.size(), 1u);
  EXPECT_TRUE(d.isVisible());
  EXPECT_EQ(d.result(), 0);
}

}  // namespace

namespace {

std::string FileBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST_F(HtmlDialogTest, SaveAsWritesWhatThePreviewWrites) {
  const ScopedRuntimeDir runtime("orvane_saveas_");
  const fs::path& dir = runtime.dir;

  QWidget window;
  window.setWindowTitle("Zelko Orvane 1.11");
  THtmlSettingsDialog d(settings, [] { return OneCellGrid("x"); }, &window, kHtmlAllGroups, services);
  d.show();
  d.prefixEdit->setText("<h1>Cal</h1>");
  QTest::mouseClick(d.previewButton, Qt::LeftButton);
  ASSERT_EQ(services.opened.size(), 1u);
  // A name without an extension gets ".htm"; one with an extension keeps it.
  services.fileAnswers = {(dir / "calendar").string(), (dir / "cal.html").string(), (dir / "none" / "c").string()};
  for (int i = 0; i < 3; ++i) QTest::mouseClick(d.saveAsButton, Qt::LeftButton);
  const std::string preview = FileBytes(QUrl(QString::fromStdString(services.opened[0])).toLocalFile().toStdString());
  EXPECT_NE(preview.find("<h1>Cal</h1>"), std::string::npos);
  EXPECT_EQ(FileBytes(dir / "calendar.htm"), preview);
  EXPECT_EQ(FileBytes(dir / "cal.html"), preview);
  // The error names the file and the reason, under the window's caption.
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0].rfind("Cannot Create file " + (dir / "none" / "c.htm").string() + ": ", 0), 0u);
  EXPECT_GT(services.messages[0].size(), ("Cannot Create file " + (dir / "none" / "c.htm").string() + ": ").size());
  EXPECT_EQ(services.titles, std::vector<std::string>{"Zelko Orvane 1.11"});
  EXPECT_TRUE(d.isVisible());
}

TEST_F(HtmlDialogTest, APreviewNothingOpensIsReported) {
  const ScopedRuntimeDir runtime("orvane_noopen_");
  services.openResult = false;
  THtmlSettingsDialog d(settings, [] { return OneCellGrid("x"); }, nullptr, kHtmlAllGroups, services);
  d.show();
  QTest::mouseClick(d.previewButton, Qt::LeftButton);
  EXPECT_EQ(services.messages, std::vector<std::string>{"Cannot open " + (runtime.dir / "orvane" / "temp001.htm").string()});
  EXPECT_TRUE(d.isVisible());
}

}  // namespace

namespace {

// "Grüße €" as UTF-8 and as Windows-1252 bytes.
const std::string kUtf8Greeting = "Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC";
const std::string kAnsiGreeting = "Gr\xFC\xDF" "e \x80";

TEST_F(HtmlDialogTest, ThePageIsUtf8Throughout) {
  const ScopedRuntimeDir runtime("orvane_utf8_");
  const fs::path& dir = runtime.dir;
  std::ofstream(dir / "head.htm", std::ios::binary) << "<title>" << kUtf8Greeting << "</title>\r\n";
  std::ofstream(dir / "foot.htm", std::ios::binary) << "<p>" << kAnsiGreeting << "</p>\r\n";
  THtmlSettingsDialog d(settings, [] { return OneCellGrid("\xE4"); }, nullptr, kHtmlAllGroups, services);
  d.show();
  const QString typed = QString::fromUtf8(kUtf8Greeting);
  TypeText(d.prefixEdit, "<h1>" + typed + "</h1>");
  TypeText(d.suffixEdit, "<p>" + typed + "</p>");
  TypeText(d.styleEdit, "title=\"" + typed + "\"");
  QTest::keyClicks(d.headerEdit, QString::fromStdString((dir / "head.htm").string()));
  QTest::keyClicks(d.footerEdit, QString::fromStdString((dir / "foot.htm").string()));
  services.fileAnswers = {(dir / "page.htm").string()};
  QTest::mouseClick(d.saveAsButton, Qt::LeftButton);
  ASSERT_TRUE(services.messages.empty()) << services.messages[0];

  const std::string page = FileBytes(dir / "page.htm");
  EXPECT_EQ(page,
            "<title>" + kUtf8Greeting + "</title>\r\n"
            "<h1>" + kUtf8Greeting + "</h1>\r\n"
            "<table border=\"1\" cellspacing=\"0\" cellpadding=\"0\" title=\"" + kUtf8Greeting +
            "\"  width=\"100%\">\r\n"
            "<tr>\r\n<td nowrap width=30>&#228;</td>\r\n</tr>\r\n</table>\r\n"
            "<p>" + kUtf8Greeting + "</p>\r\n"
            "<p>" + kUtf8Greeting + "</p>\r\n");
  // The dialog says where the page went.
  EXPECT_TRUE(d.savedLabel->isVisible());
  EXPECT_EQ(d.savedLabel->toolTip(), "Saved as " + QString::fromStdString((dir / "page.htm").string()));
}

}  // namespace
