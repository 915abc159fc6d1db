#include "window/grid/GridMenu.h"

#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <gtest/gtest.h>

#include <memory>

#include "window/grid/HtmlSettingsDialog.h"
#include "window/grid/PrintSettingsDialog.h"
#include "window/grid/ComponentHandlingGrid.h"
#include "window/panels/ComponentHandling.h"
#include "tests/support/CalendarGrid.h"
#include "tests/support/MenuTexts.h"

namespace {

class CalendarMenu : public CalendarGridTest {
 protected:
  void SetUp() override {
    form = std::make_unique<QWidget>();
    grid = new TTextGrid(form.get());
    grid->setGeometry(0, 0, 300, 170);
    grid->SetFontName("Tahoma");
    grid->SetFontHeight(-11);
    form->show();
    StyleGrid(grid);
    BindCalendarColumns();
    RefreshGrid(binder);
  }

  std::vector<std::string> Texts() const { return MenuTexts(*grid->PopupMenu(), true); }
  int32_t PosOf(const std::string& text) const { return MenuPosOf(*grid->PopupMenu(), text); }
  void Click(const std::string& text) { GridMenuClick(binder, grid->PopupMenu()->actions()[PosOf(text)]); }
};

}  // namespace

TEST_F(CalendarMenu, ItemsComeInTheirOrder) {
  const std::vector<std::string> expected = {
      "Save grid as Html", "Print Grid", "-", "Font..", "Proportional Font on/off*", "Reset Font", "-",
      "Grid bands*", "Vertical lines*", "Horizontal lines*", "-", "-", "Week*", "Monday*", "Tuesday*",
      "Wednesday*", "Thursday*", "Friday*", "Saturday*", "Sunday*"};
  EXPECT_EQ(Texts(), expected);
  EXPECT_EQ(binder.menuPos[kMenuSaveHtml], 0);
  EXPECT_EQ(binder.menuPos[kMenuBands], 7);
  EXPECT_EQ(binder.menuPos[kMenuMaximize], -1);
  EXPECT_EQ(binder.menuPos[kMenuSpare], -1);
  EXPECT_EQ(binder.columns[2].menuPos, 13);  // Monday
}

TEST_F(CalendarMenu, LayoutListAddsTheCycleItem) {
  binder.layoutList = "week,monday|tuesday";
  BuildGridMenu(binder);
  const auto t = Texts();
  EXPECT_EQ(t[11], "-");
  EXPECT_EQ(t[12], kCycleCaption);
  EXPECT_EQ(t[13], "-");
  Click(kCycleCaption);
  EXPECT_EQ(VisualColumnOf(binder, 1), 0);
  EXPECT_EQ(VisualColumnOf(binder, 0), -2);
  EXPECT_EQ(Texts().back(), "Sunday");  // check marks follow the layout
}

TEST_F(CalendarMenu, UncheckingMondayHidesItAndKeepsTheWeekFixed) {
  Click("Monday");
  EXPECT_EQ(VisualColumnOf(binder, 0), -2);
  EXPECT_EQ(grid->FixedCols(), 1);
  EXPECT_EQ(grid->ColCount(), 7);
  EXPECT_EQ(grid->Cell(0, 0), "Week");
  EXPECT_EQ(grid->Cell(1, 0), "Tuesday");
  EXPECT_EQ(Texts()[13], "Monday");
  Click("Monday");
  EXPECT_EQ(VisualColumnOf(binder, 0), 1);
  EXPECT_EQ(Texts()[13], "Monday*");
}

TEST_F(CalendarMenu, LongCaptionsAreShortenedOnlyInTheMenu) {
  const std::string longCaption(50, 'x');
  AddColumn(binder, longCaption, 7, true);
  const std::string item = Texts().back();
  EXPECT_EQ(item.size(), 41u);  // 40 characters and the check mark
  EXPECT_NE(item.find(".."), std::string::npos);
  EXPECT_EQ(grid->Cell(8, 0), longCaption);
}

TEST_F(CalendarMenu, LookCommandsToggleAndCheck) {
  Click("Grid bands");
  EXPECT_FALSE(grid->BandsActive());
  EXPECT_EQ(Texts()[7], "Grid bands");
  Click("Vertical lines");
  EXPECT_EQ(grid->Options() & goVertLine, 0u);
  EXPECT_NE(grid->Options() & goHorzLine, 0u);
  EXPECT_EQ(Texts()[8], "Vertical lines");
  Click("Horizontal lines");
  EXPECT_EQ(grid->Options() & goHorzLine, 0u);
  Click("Horizontal lines");
  EXPECT_NE(grid->Options() & goHorzLine, 0u);
  EXPECT_EQ(Texts()[9], "Horizontal lines*");
  GridMenuClick(binder, -1);  // positions of absent items never match
  EXPECT_FALSE(grid->BandsActive());
}

TEST_F(CalendarMenu, FontCommands) {
  // The system's fixed-pitch font and back to the font chosen before; size
  // and style stay, the check mark says which is on.
  grid->SetFont([this] {
    QFont bold = grid->Font();
    bold.setBold(true);
    return bold;
  }());
  const auto proportional = [this] { return grid->PopupMenu()->actions()[PosOf("Proportional Font on/off")]; };
  EXPECT_TRUE(proportional()->isChecked());
  Click("Proportional Font on/off");
  EXPECT_EQ(grid->Font().family(), QFontDatabase::systemFont(QFontDatabase::FixedFont).family());
  EXPECT_TRUE(QFontInfo(grid->Font()).fixedPitch());
  EXPECT_EQ(grid->FontHeight(), -11);
  EXPECT_TRUE(grid->Font().bold());
  EXPECT_FALSE(proportional()->isChecked());
  Click("Proportional Font on/off");
  EXPECT_EQ(grid->FontName(), "Tahoma");
  EXPECT_TRUE(grid->Font().bold());
  EXPECT_TRUE(proportional()->isChecked());
  grid->SetFontName("Liberation Serif");
  Click("Proportional Font on/off");
  Click("Proportional Font on/off");
  EXPECT_EQ(grid->FontName(), "Liberation Serif");
  Click("Proportional Font on/off");
  Click("Reset Font");
  EXPECT_EQ(grid->FontName(), "Tahoma");
  EXPECT_TRUE(proportional()->isChecked());

  QFont chosen("Courier New");
  chosen.setPixelSize(17);
  services.onExec = [&](QDialog& d) {
    auto& fd = dynamic_cast<QFontDialog&>(d);
    EXPECT_NE(fd.currentFont().family(), "Tahoma");  // its own default font
    fd.setCurrentFont(chosen);
    return static_cast<int>(QDialog::Rejected);
  };
  Click("Font..");
  EXPECT_EQ(grid->FontName(), "Tahoma");
  QFont taken;
  services.onExec = [&](QDialog& d) {
    auto& fd = dynamic_cast<QFontDialog&>(d);
    fd.setCurrentFont(chosen);
    taken = fd.currentFont();
    return static_cast<int>(QDialog::Accepted);
  };
  Click("Font..");
  EXPECT_EQ(grid->Font(), taken);
  EXPECT_NE(grid->FontName(), "Tahoma");
  EXPECT_EQ(binder.fontDialog, nullptr);
}

TEST_F(CalendarMenu, PrintGridRunsThePrintSettingsDialog) {
  SetCell(table, 6, 3, "late");
  grid->SetTopRow(6);
  const TGridPrintSettings old = grid->PrintSettings();
  bool sawAllRows = false;
  services.onExec = [&](QDialog& d) {
    sawAllRows = grid->Cell(4, 6) == "late";
    dynamic_cast<TPrintSettingsDialog&>(d).marginLeft->setValue(3);
    return static_cast<int>(QDialog::Rejected);
  };
  Click("Print Grid");
  EXPECT_TRUE(sawAllRows);
  EXPECT_TRUE(SamePrintSettings(grid->PrintSettings(), old));
  services.onExec = [&](QDialog& d) {
    dynamic_cast<TPrintSettingsDialog&>(d).marginLeft->setValue(3);
    return static_cast<int>(QDialog::Accepted);
  };
  Click("Print Grid");
  EXPECT_EQ(grid->PrintSettings().MarginLeft, 3);
}

TEST_F(CalendarMenu, SaveAsHtmlRunsTheHtmlSettingsDialogOnTheGrid) {
  SetColumnCaption(binder, 10, "Week 05.2021");
  int runs = 0;
  services.onExec = [&](QDialog& d) {
    ++runs;
    auto& dlg = dynamic_cast<THtmlSettingsDialog&>(d);
    dlg.borderSpin->setValue(4);
    dlg.okButton->click();
    return dlg.result();
  };
  Click("Save grid as Html");
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(grid->HtmlSettings().BorderSize, 4);
  const HtmlGridDataT data = grid->HtmlData();
  EXPECT_EQ(HtmlCell(data, 0, 0).text, "Week 05.2021");
}

TEST_F(CalendarMenu, KeysCycleOnlyWithCtrlAndAlwaysChain) {
  binder.layoutList = "monday|tuesday";
  std::vector<int32_t> chained;
  binder.chainedKey = [&](QObject*, int32_t& key, Qt::KeyboardModifiers) { chained.push_back(key); };
  int32_t key = Qt::Key_F2;
  GridKeyDown(binder, form.get(), key, Qt::NoModifier);
  EXPECT_EQ(VisualColumnOf(binder, 0), 1);  // nothing cycled
  GridKeyDown(binder, form.get(), key, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(VisualColumnOf(binder, 1), 0);
  EXPECT_EQ(VisualColumnOf(binder, 0), -2);
  key = Qt::Key_A;
  GridKeyDown(binder, form.get(), key, Qt::ControlModifier);
  EXPECT_EQ((std::vector<int32_t>{Qt::Key_F2, Qt::Key_F2, Qt::Key_A}), chained);
  // Without panels, maximize and grid panels stay off.
  key = Qt::Key_F4;
  GridKeyDown(binder, form.get(), key, Qt::ControlModifier);
  key = Qt::Key_F5;
  GridKeyDown(binder, form.get(), key, Qt::ControlModifier);
  EXPECT_FALSE(binder.maximized);
  EXPECT_FALSE(binder.panelsHidden);
}
