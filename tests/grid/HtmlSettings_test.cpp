#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include "components/QtText.h"
#include "grid/HtmlSettingsDialog.h"
#include "grid/superarray.h"

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

class HtmlDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitHtmlSettings(settings);
    settings.ColWidths = {30, 40};
  }
  void TearDown() override {
    HtmlSettingsExecHook = nullptr;
    HtmlSettingsFileHook = nullptr;
    HtmlSettingsErrorHook = nullptr;
  }
  THTMLSettings settings;
};

TEST_F(HtmlDialogTest, CaptionsAndRanges) {
  THtmlSettingsDialog d(settings, [] { return OneCellGrid("x"); });
  EXPECT_EQ(d.windowTitle(), "HTML Settings");
  EXPECT_EQ(BuddyCaption(&d, d.prefixEdit), "&Prefix Tags:");
  EXPECT_EQ(BuddyCaption(&d, d.suffixEdit), "&Suffix Tags:");
  EXPECT_EQ(BuddyCaption(&d, d.styleEdit), "Table St&yle Tags::");
  EXPECT_EQ(BuddyCaption(&d, d.headerEdit), "&Header:");
  EXPECT_EQ(BuddyCaption(&d, d.footerEdit), "F&ooter:");
  EXPECT_EQ(BuddyCaption(&d, d.borderSpin), "&Border Size:");
  EXPECT_EQ(BuddyCaption(&d, d.spacingSpin), "Ce&ll Spacing:");
  EXPECT_EQ(BuddyCaption(&d, d.paddingSpin), "Cell &Padding:");
  EXPECT_EQ(BuddyCaption(&d, d.widthSpin), "Table &Width (in percent):");
  EXPECT_EQ(d.colorsCheck->text(), "Use Table's &Colors");
  EXPECT_EQ(d.fontsCheck->text(), "Use Table's &Fonts");
  EXPECT_EQ(d.headerButton->text(), ". . .");
  EXPECT_EQ(d.footerButton->text(), ". . .");
  EXPECT_EQ(d.okButton->text(), "OK");
  EXPECT_EQ(d.cancelButton->text(), "Cancel");
  EXPECT_EQ(d.previewButton->text(), "Preview");
  EXPECT_EQ(d.generalGroup->title(), "General:");
  EXPECT_EQ(d.cellsGroup->title(), "Cells:");
  EXPECT_EQ(d.tagsGroup->title(), "Tags:");
  EXPECT_EQ(d.filesGroup->title(), "Files:");
  for (QSpinBox* s : {d.borderSpin, d.spacingSpin, d.paddingSpin}) {
    EXPECT_EQ(s->minimum(), 0);
    EXPECT_EQ(s->maximum(), 10);
  }
  EXPECT_EQ(d.widthSpin->maximum(), 100);
}

TEST_F(HtmlDialogTest, OkStoresAndCancelKeeps) {
  settings.PrefixTag = "<div>";
  settings.HeaderFile = "h\xE4.htm";
  settings.BorderSize = 3;
  settings.SaveFonts = false;
  {
    THtmlSettingsDialog d(settings, [] { return OneCellGrid("x"); });
    EXPECT_EQ(d.prefixEdit->text(), "<div>");
    EXPECT_EQ(FromQString(d.headerEdit->text()), "h\xE4.htm");
    EXPECT_EQ(d.borderSpin->value(), 3);
    EXPECT_EQ(d.widthSpin->value(), 100);
    EXPECT_TRUE(d.colorsCheck->isChecked());
    EXPECT_FALSE(d.fontsCheck->isChecked());

    d.prefixEdit->setText("<p>");
    d.widthSpin->setValue(150);  // clamped to the range
    d.cancelButton->click();
    EXPECT_EQ(d.result(), kHtmlResultCancel);
    EXPECT_EQ(settings.PrefixTag, "<div>");
  }
  THtmlSettingsDialog d(settings, [] { return OneCellGrid("x"); });
  d.prefixEdit->setText("<p>");
  d.styleEdit->setText("class=\"c\"");
  d.widthSpin->setValue(150);
  d.fontsCheck->setChecked(true);
  d.okButton->click();
  EXPECT_EQ(d.result(), kHtmlResultOk);
  EXPECT_EQ(settings.PrefixTag, "<p>");
  EXPECT_EQ(settings.TableStyle, "class=\"c\"");
  EXPECT_EQ(settings.Width, 100);
  EXPECT_TRUE(settings.SaveFonts);
  EXPECT_EQ(settings.HeaderFile, "h\xE4.htm");
  EXPECT_EQ(settings.ColWidths, (std::vector<int32_t>{30, 40}));
}

TEST_F(HtmlDialogTest, OptionBitsEnableGroups) {
  THtmlSettingsDialog all(settings, [] { return OneCellGrid("x"); });
  EXPECT_TRUE(all.generalGroup->isEnabled() && all.cellsGroup->isEnabled() && all.tagsGroup->isEnabled() &&
              all.filesGroup->isEnabled());
  THtmlSettingsDialog some(settings, [] { return OneCellGrid("x"); }, nullptr, kHtmlGeneral | kHtmlTags);
  EXPECT_TRUE(some.generalGroup->isEnabled());
  EXPECT_FALSE(some.cellsGroup->isEnabled());
  EXPECT_TRUE(some.tagsGroup->isEnabled());
  EXPECT_FALSE(some.filesGroup->isEnabled());
  EXPECT_FALSE(some.headerButton->isEnabled());
  EXPECT_FALSE(some.colorsCheck->isEnabled());
}

TEST_F(HtmlDialogTest, FileButtonsReplaceTheEditText) {
  std::vector<std::string> asked;
  std::string answer = "/pages/head.htm";
  HtmlSettingsFileHook = [&](const std::string& current) {
    asked.push_back(current);
    return answer;
  };
  settings.HeaderFile = "old.htm";
  THtmlSettingsDialog d(settings, [] { return OneCellGrid("x"); });
  d.headerButton->click();
  EXPECT_EQ(d.headerEdit->text(), "/pages/head.htm");
  answer = "";  // cancelled: the edit keeps its text
  d.footerEdit->setText("foot.htm");
  d.footerButton->click();
  EXPECT_EQ(d.footerEdit->text(), "foot.htm");
  EXPECT_EQ(asked, (std::vector<std::string>{"old.htm", "foot.htm"}));
}

TEST_F(HtmlDialogTest, RunWithoutGridRaises) {
  try {
    RunHtmlSettingsDialog(&settings, nullptr);
    FAIL();
  } catch (const HtmlDialogError& e) {
    EXPECT_STREQ(e.what(), "The dialog does not have a grid component.");
  }
  EXPECT_THROW(RunHtmlSettingsDialog(nullptr, [] { return OneCellGrid("x"); }), HtmlDialogError);

  HtmlSettingsExecHook = [](QDialog& dlg) {
    auto& d = static_cast<THtmlSettingsDialog&>(dlg);
    d.suffixEdit->setText("</div>");
    d.okButton->click();
    return dlg.result();
  };
  EXPECT_EQ(RunHtmlSettingsDialog(&settings, [] { return OneCellGrid("x"); }), kHtmlResultOk);
  EXPECT_EQ(settings.SuffixTag, "</div>");
}

class HtmlPreviewDialogTest : public HtmlDialogTest {
 protected:
  void SetUp() override {
    HtmlDialogTest::SetUp();
    dir = fs::temp_directory_path() / ("orvane_dlg_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    fs::permissions(dir, fs::perms::owner_all, fs::perm_options::replace);
    const char* old = std::getenv("XDG_RUNTIME_DIR");
    hadRuntime = old != nullptr;
    if (hadRuntime) oldRuntime = old;
    setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
    SetShellOpenHook([this](const std::string& s) {
      opened.push_back(s);
      return true;
    });
    HtmlSettingsErrorHook = [this](QWidget*, const std::string& m) { errors.push_back(m); };
  }
  void TearDown() override {
    SetShellOpenHook(nullptr);
    if (hadRuntime) {
      setenv("XDG_RUNTIME_DIR", oldRuntime.c_str(), 1);
    } else {
      unsetenv("XDG_RUNTIME_DIR");
    }
    fs::remove_all(dir);
    HtmlDialogTest::TearDown();
  }
  fs::path dir;
  bool hadRuntime = false;
  std::string oldRuntime;
  std::vector<std::string> opened;
  std::vector<std::string> errors;
};

TEST_F(HtmlPreviewDialogTest, PreviewStoresSettingsWritesAndOpens) {
  int calls = 0;
  THtmlSettingsDialog d(settings, [&] {
    ++calls;
    return OneCellGrid("a<b");
  });
  d.prefixEdit->setText("<h1>Cal</h1>");
  d.previewButton->click();
  d.previewButton->click();
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(settings.PrefixTag, "<h1>Cal</h1>");
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[0], (dir / "orvane" / "temp001.htm").string());
  EXPECT_EQ(opened[1], opened[0]);
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(d.result(), 0);  // still open
}

TEST_F(HtmlPreviewDialogTest, PreviewErrorIsShownAndDialogStays) {
  fs::create_directories(dir / "other");
  fs::create_directory_symlink(dir / "other", dir / "orvane");
  THtmlSettingsDialog d(settings, [] { return OneCellGrid("x"); });
  d.show();
  d.previewButton->click();
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].rfind("Cannot Create file ", 0), 0u);
  EXPECT_TRUE(opened.empty());
  EXPECT_TRUE(d.isVisible());
  EXPECT_EQ(d.result(), 0);
}

}  // namespace
