// The Win32 backend of the URL launcher against the real registry and process
// start (Windows, or wine).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "components/UrlLauncher.h"

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

}  // namespace
