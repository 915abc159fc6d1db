// The Win32 code against the real system (Windows, or wine): the URL
// launcher's registry read and process start, and the HTML preview file.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "components/UrlLauncher.h"
#include "grid/htmlwriter.h"

namespace {

constexpr TRegKey kHKeyCurrentUser = 0x80000001u;

class Win32Registry : public ::testing::Test {
 protected:
  void SetUp() override {
    subKey = "Software\\OrvaneReliability\\" + std::to_string(GetCurrentProcessId());
  }
  void TearDown() override {
    RegDeleteKeyA(HKEY_CURRENT_USER, subKey.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\OrvaneReliability");
  }
  void SetDefault(const std::string& value) {
    ASSERT_EQ(RegSetValueA(HKEY_CURRENT_USER, subKey.c_str(), REG_SZ, value.c_str(),
                           static_cast<DWORD>(value.size())),
              ERROR_SUCCESS);
  }
  std::string subKey;
};

TEST_F(Win32Registry, DefaultValuesOfAnyLengthComeBackWhole) {
  for (const std::string& value :
       {std::string(), std::string("\"C:\\Program Files\\Browser\\browser.exe\" -osint -url \"%1\""),
        std::string(259, 'a'), std::string(260, 'b'), std::string(600, 'c')}) {
    SetDefault(value);
    std::string read = "unchanged";
    EXPECT_EQ(SystemUrlPlatform().ReadDefaultValue(kHKeyCurrentUser, subKey, read), 0);
    EXPECT_EQ(read, value) << value.size();
  }
}

TEST_F(Win32Registry, AMissingKeyAnswersFileNotFoundAndLeavesTheValue) {
  std::string read = "unchanged";
  EXPECT_EQ(SystemUrlPlatform().ReadDefaultValue(kHKeyCurrentUser, subKey + "\\missing", read),
            kErrorFileNotFound);
  EXPECT_EQ(read, "unchanged");
}

TEST(Win32Start, AProgramThatDoesNotExistFailsBelow32) {
  EXPECT_LT(SystemUrlPlatform().StartProgram("C:\\orvane-missing-folder\\none.exe x", 1), 32u);
}

TEST(Win32Preview, TheFileIsWrittenInTempWithCrLfLinesAndReplacedNextTime) {
  HtmlGridDataT grid;
  InitHtmlGrid(grid, 2, 2);
  SetHtmlCellText(grid, 0, 0, "Week 12.2026");
  SetHtmlCellText(grid, 1, 1, "caf\xE9");
  THTMLSettings settings;
  InitHtmlSettings(settings);
  const std::filesystem::path name = WriteHtmlPreview(grid, settings);
  EXPECT_EQ(name, PreviewFileName());
  EXPECT_EQ(name.filename(), "temp001.htm");
  const auto read = [&name] {
    std::stringstream ss;
    ss << std::ifstream(name, std::ios::binary).rdbuf();
    return ss.str();
  };
  EXPECT_EQ(read(), HtmlFileText(grid, settings));
  EXPECT_NE(read().find("caf&#233;</td>\r\n"), std::string::npos);
  SetHtmlCellText(grid, 0, 0, "x");
  WriteHtmlPreview(grid, settings);
  EXPECT_EQ(read(), HtmlFileText(grid, settings));
  std::filesystem::remove(name);
}

}  // namespace
