#include "grid/superarray.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <unistd.h>
#endif

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <random>
#include <string>
#include <vector>

namespace {

class TableTest : public ::testing::Test {
 protected:
  void SetUp() override { InitTable(t); }
  void AddRows(const std::vector<std::string>& texts) {
    for (const auto& s : texts) AddRow(t, s, 0);
  }
  std::vector<std::string> Column(int32_t col) {
    std::vector<std::string> out;
    for (int32_t r = 1; r <= t.rowCount; ++r) out.push_back(GetCell(t, r, col));
    return out;
  }
  ArrayOfFiles t;
};

TEST_F(TableTest, RowZeroAddressesTheLastRowAndBadRowsAreIgnored) {
  SetCell(t, 0, 1, "x");  // empty table: nothing to write
  EXPECT_EQ(t.rowCount, 0);
  EXPECT_EQ(GetCell(t, 0, 1), "");

  AddRows({"a", "b", "c"});
  SetCell(t, 0, 1, "last");
  EXPECT_EQ(GetCell(t, 3, 1), "last");
  EXPECT_EQ(GetCell(t, 0, 1), "last");

  SetCell(t, 4, 1, "beyond");
  SetCell(t, -1, 1, "negative");
  SetCell(t, 2, 26, "derived");
  SetCell(t, 2, -1, "bad column");
  EXPECT_EQ(GetCell(t, 4, 1), "");
  EXPECT_EQ(GetCell(t, -1, 0), "");
  EXPECT_EQ(Column(1), (std::vector<std::string>{"", "", "last"}));
  EXPECT_EQ(GetCell(t, 2, 26), "2");
}

TEST_F(TableTest, AppendedRowsAreFreshAndNumbered) {
  for (int i = 0; i < 6; ++i) AddRow(t, "", 0);
  ASSERT_EQ(t.rowCount, 6);
  for (int32_t r = 1; r <= 6; ++r) {
    EXPECT_EQ(t.rows[r].originalNumber, r);
    EXPECT_EQ(t.rows[r].state2, 3);
    for (int32_t c = 0; c < kCellCount; ++c) EXPECT_EQ(GetCell(t, r, c), "");
  }
  AddRow(t, "zero", 30);  // a column outside the cells means cell 0
  EXPECT_EQ(GetCell(t, 7, 0), "zero");
}

TEST_F(TableTest, StorageGrowsInStepsAndShrinksToFit) {
  NewRow(t);
  EXPECT_EQ(t.rows.size(), 51u);
  for (int i = 0; i < 50; ++i) NewRow(t);
  EXPECT_EQ(t.rowCount, 51);
  EXPECT_EQ(t.rows.size(), 101u);
  TrimRows(t);
  EXPECT_EQ(t.rows.size(), 52u);

  SetCell(t, 51, 0, "old");
  SetRowCount(t, 10);
  SetRowCount(t, 60);  // rows beyond the old storage come back empty
  EXPECT_EQ(GetCell(t, 51, 0), "");
  EXPECT_EQ(t.rows[51].realB, 0.5);

  SetRowCount(t, -5);
  EXPECT_EQ(t.rowCount, 0);
  EXPECT_TRUE(t.rows.empty());
}

TEST_F(TableTest, DerivedColumns) {
  AddRows({"a", "b", "c"});
  FilesRecT& r = t.rows[3];
  r.cells[13] = "dcab";
  r.cells[14] = "12abc";
  r.cells[12] = "x,y,z";
  r.cells[11] = "C:\\docs\\file.txt";
  r.cells[18] = "four";
  r.size = 5000000000LL;
  r.flags = 1;

  EXPECT_EQ(GetCell(t, 3, 26), "3");
  EXPECT_EQ(GetCell(t, 3, 30), "X");
  EXPECT_EQ(GetCell(t, 2, 30), "");
  EXPECT_EQ(GetCell(t, 3, 32), "bacd");
  EXPECT_EQ(GetCell(t, 3, 34), "4");
  EXPECT_EQ(GetCell(t, 3, 36), "4");
  EXPECT_EQ(GetCell(t, 3, 39), "5000000000");
  EXPECT_EQ(GetCell(t, 3, 42), "cba21");
  EXPECT_EQ(GetCell(t, 3, 44), "12");
  EXPECT_EQ(GetCell(t, 3, 45), "3");
  EXPECT_EQ(GetCell(t, 3, 46), "a");
  EXPECT_EQ(GetCell(t, 3, 48), "3");
  EXPECT_EQ(GetCell(t, 3, 53), "C:\\docs\\");
  for (int32_t c : {27, 28, 29, 56, 1000, -3}) EXPECT_EQ(GetCell(t, 3, c), "") << c;
}

TEST_F(TableTest, DisplayTextAppendsSuffixOnly) {
  AddRow(t, "1234567", 0);
  SetColumnGrouping(t, 0, true);
  EXPECT_EQ(GetCellText(t, 1, 0), "1234567");
  SetColumnSuffix(t, 0, " kB");
  EXPECT_EQ(GetCellText(t, 1, 0), "1234567 kB");
  SetColumnSuffix(t, 45, "#");
  EXPECT_EQ(GetCellText(t, 1, 45), "1#");
  SetColumnSuffix(t, 56, "ignored");
  EXPECT_EQ(GetCellText(t, 1, 56), "");
}

TEST_F(TableTest, PoolSharesRepeatedFolders) {
  t.pooling = true;
  for (const char* dir : {"C:\\a\\", "C:\\a\\", "C:\\b\\", "C:\\a\\"}) AddRow(t, dir, 11);
  // An appended row is itself the last row, so only the row before it is
  // searched: the fourth row does not find "a" again.
  EXPECT_EQ(t.rows[1].poolIndex, 1);
  EXPECT_EQ(t.rows[2].poolIndex, 1);
  EXPECT_EQ(t.rows[3].poolIndex, 2);
  EXPECT_EQ(t.rows[4].poolIndex, 3);
  EXPECT_EQ(Column(11), (std::vector<std::string>{"C:\\a\\", "C:\\a\\", "C:\\b\\", "C:\\a\\"}));
  EXPECT_TRUE(t.rows[1].cells[11].empty());  // pooled texts stay out of the cells

  SetCell(t, 2, 11, "");
  EXPECT_EQ(t.rows[2].poolIndex, 0);
  EXPECT_EQ(GetCell(t, 2, 11), "");
  EXPECT_EQ(GetCell(t, 3, 53), "C:\\");  // a trailing backslash ends the name, not the folder

  t.rows[1].poolIndex = 999;  // a stale index reads as empty
  EXPECT_EQ(GetCell(t, 1, 11), "");

  SetRowCount(t, 0);
  EXPECT_EQ(t.poolCount, 0);
}

TEST_F(TableTest, PoolGrowsInStepsAndReusesLastRows) {
  t.pooling = true;
  for (int i = 0; i < 60; ++i) AddRow(t, "dir" + std::to_string(i), 11);
  EXPECT_EQ(t.poolCount, 60);
  EXPECT_EQ(t.pool.size(), 101u);
  EXPECT_EQ(GetCell(t, 59, 11), "dir58");

  AddRow(t, "dir59", 11);  // the row before the new one holds it
  EXPECT_EQ(t.poolCount, 60);
  EXPECT_EQ(t.rows[61].poolIndex, 60);
  AddRow(t, "dir1", 11);  // too far back: appended again
  EXPECT_EQ(t.poolCount, 61);

  SetCell(t, 3, 11, "dir59");  // found in the second-to-last row
  EXPECT_EQ(t.rows[3].poolIndex, 60);
  EXPECT_EQ(t.poolCount, 61);
  SetCell(t, 62, 11, "dir1");  // same text as its own slot, which is the last
  EXPECT_EQ(t.rows[62].poolIndex, 61);
}

TEST_F(TableTest, ClearTableDropsRowsPoolAndHeader) {
  t.pooling = true;
  t.headerText = "h";
  t.headerNumber2 = 7;
  AddRow(t, "x", 11);
  ClearTable(t);
  EXPECT_EQ(t.rowCount, 0);
  EXPECT_EQ(t.poolCount, 0);
  EXPECT_EQ(t.headerText, "");
  EXPECT_EQ(t.headerNumber1, 0);
  EXPECT_EQ(t.headerNumber2, -1);
  EXPECT_EQ(GetCell(t, 0, 11), "");
}

TEST_F(TableTest, SortKeyNames) {
  AddSortKeyName(t, 5, "Folder");
  int found = 0;
  for (const auto& k : t.keyNames) {
    if (k.name == "folder") {
      EXPECT_EQ(k.column, 5);
      ++found;
    }
  }
  EXPECT_EQ(found, 1);
  AddSortKeyName(t, 6, "FOLDER");  // same name: rebinds
  t.sortSpec = "folder";
  ParseSortSpec(t);
  EXPECT_EQ(t.sortKeys[1].column, 6);

  for (int i = 0; i < 300; ++i) AddSortKeyName(t, 7, "k" + std::to_string(i));
  t.sortSpec = "k195,k196";  // 4 slots were taken before: k196 did not fit
  ParseSortSpec(t);
  EXPECT_EQ(t.sortKeys[1].column, 7);
  EXPECT_EQ(t.sortKeys[2].column, 45);
}

TEST_F(TableTest, ParsingSortSpecifications) {
  t.sortSpec = "-filesize,Alphabetical,nosuchkey,=";
  ParseSortSpec(t);
  ASSERT_EQ(t.sortKeyCount, 5);
  EXPECT_EQ(t.sortKeys[1].column, 39);
  EXPECT_TRUE(t.sortKeys[1].descending);
  EXPECT_EQ(t.sortKeys[2].column, 0);
  EXPECT_TRUE(t.sortKeys[2].caseSensitive);
  EXPECT_FALSE(t.sortKeys[2].descending);
  EXPECT_EQ(t.sortKeys[3].column, 45);
  EXPECT_EQ(t.sortKeys[4].column, 26);
  EXPECT_EQ(t.sortKeys[5].column, 45);
  EXPECT_FALSE(t.sortKeys[5].descending);

  // One-letter names when there is no separator.
  t.sortNameSeparator = "";
  AddSortKeyName(t, 3, "s");
  AddSortKeyName(t, 4, "n");
  t.sortSpec = "-sN";
  ParseSortSpec(t);
  ASSERT_EQ(t.sortKeyCount, 3);
  EXPECT_EQ(t.sortKeys[1].column, 3);
  EXPECT_TRUE(t.sortKeys[1].descending);
  EXPECT_EQ(t.sortKeys[2].column, 4);
  EXPECT_TRUE(t.sortKeys[2].caseSensitive);

  // A lone "-" names nothing: it must not pick up a free key slot.
  t.sortSpec = "-";
  ParseSortSpec(t);
  EXPECT_EQ(t.sortKeys[1].column, 45);

  // A very long specification stays within the key list.
  t.sortNameSeparator = ",";
  std::string longSpec;
  for (int i = 0; i < 500; ++i) longSpec += "filesize,";
  t.sortSpec = longSpec;
  ParseSortSpec(t);
  EXPECT_EQ(t.sortKeyCount, kSortKeyCount);
  EXPECT_EQ(t.sortKeys[kSortKeyCount].column, 45);
}

TEST_F(TableTest, SortsBySizeDescending) {
  AddRows({"a", "b", "c", "d", "e", "f"});
  const int64_t sizes[] = {30, 10, 60, 20, 50, 40};
  for (int32_t r = 1; r <= 6; ++r) t.rows[r].size = sizes[r - 1];
  SortRowsBy(t, "-filesize");
  EXPECT_EQ(Column(0), (std::vector<std::string>{"c", "e", "f", "a", "d", "b"}));
  EXPECT_EQ(t.sortSpec, "-filesize");
}

TEST_F(TableTest, AlphabeticalHonoursTheCaseOfTheKeyName) {
  AddRows({"b", "B", "a", "A", "c"});
  SortRowsBy(t, "alphabetical");  // case-insensitive, ties by append order
  EXPECT_EQ(Column(0), (std::vector<std::string>{"a", "A", "b", "B", "c"}));
  SortRowsBy(t, "Alphabetical");  // case-sensitive: capitals first
  EXPECT_EQ(Column(0), (std::vector<std::string>{"A", "B", "a", "b", "c"}));
  SortRowsBy(t, "-alphabetical");
  EXPECT_EQ(Column(0), (std::vector<std::string>{"c", "b", "B", "a", "A"}));
}

TEST_F(TableTest, UnknownKeyRestoresAppendOrder) {
  AddRows({"d", "a", "c", "b", "e", "f", "g"});
  SortRows(t);
  EXPECT_EQ(Column(0), (std::vector<std::string>{"a", "b", "c", "d", "e", "f", "g"}));
  SortRowsBy(t, "unregistered");
  EXPECT_EQ(Column(0), (std::vector<std::string>{"d", "a", "c", "b", "e", "f", "g"}));
}

TEST_F(TableTest, SmallTablesAndNumericComparison) {
  SortRows(t);  // empty
  AddRow(t, "x", 0);
  SortRows(t);
  EXPECT_EQ(Column(0), std::vector<std::string>{"x"});
  AddRows({"a10", "a9"});
  SortRows(t);
  EXPECT_EQ(Column(0), (std::vector<std::string>{"a10", "a9", "x"}));
  t.numericCompare = true;
  SortRows(t);
  EXPECT_EQ(Column(0), (std::vector<std::string>{"a9", "a10", "x"}));
}

TEST_F(TableTest, SpecialSortColumns) {
  AddRows({"r1", "r2", "r3", "r4", "r5"});
  const double reals[] = {0.3, 0.1, 0.5, 0.2, 0.4};
  const char* sortNames[] = {"", "Zed", "", "abc", "mid"};
  for (int32_t r = 1; r <= 5; ++r) {
    t.rows[r].realA = reals[r - 1];
    t.rows[r].numericKey = 10 - r;
    t.rows[r].cells[13] = std::string("name") + char('f' - r);
    t.rows[r].cells[14] = std::string(static_cast<size_t>(r), 'x');
  }
  AddSortKeyName(t, 27, "real");
  AddSortKeyName(t, 28, "key");
  AddSortKeyName(t, 13, "name");
  AddSortKeyName(t, 33, "len");

  SortRowsBy(t, "real");
  EXPECT_EQ(Column(0), (std::vector<std::string>{"r2", "r4", "r1", "r5", "r3"}));
  SortRowsBy(t, "key");
  EXPECT_EQ(Column(0), (std::vector<std::string>{"r5", "r4", "r3", "r2", "r1"}));
  SortRowsBy(t, "name");
  EXPECT_EQ(Column(0), (std::vector<std::string>{"r5", "r4", "r3", "r2", "r1"}));
  SortRowsBy(t, "-Len");  // case-sensitive: length of cell 14
  EXPECT_EQ(Column(0), (std::vector<std::string>{"r5", "r4", "r3", "r2", "r1"}));

  // The case-insensitive name key compares cell 16 when either row has one,
  // else cell 13: rows 1 and 3 fall back to their names.
  SortRowsBy(t, "");
  for (int32_t r = 1; r <= 5; ++r) t.rows[r].cells[16] = sortNames[r - 1];
  SortRowsBy(t, "name");
  EXPECT_EQ(Column(0), (std::vector<std::string>{"r3", "r1", "r2", "r4", "r5"}));
}

TEST_F(TableTest, HeapSortMatchesAStableReference) {
  std::mt19937 rng(7);
  for (int n : {5, 6, 7, 13, 14, 40, 257}) {
    InitTable(t);
    std::vector<std::pair<std::string, int>> ref;
    for (int i = 1; i <= n; ++i) {
      std::string s(1, static_cast<char>('a' + rng() % 6));
      AddRow(t, s, 0);
      ref.emplace_back(s, i);
    }
    SortRowsBy(t, "-alphabetical");
    std::stable_sort(ref.begin(), ref.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    for (int32_t r = 1; r <= n; ++r) {
      ASSERT_EQ(GetCell(t, r, 0), ref[r - 1].first) << n;
      ASSERT_EQ(t.rows[r].originalNumber, ref[r - 1].second) << n;
    }
  }
}

TEST_F(TableTest, RandomKeyKeepsEveryRow) {
  AddSortKeyName(t, 29, "shuffle");
  for (int i = 1; i <= 30; ++i) AddRow(t, std::to_string(i), 0);
  SortRowsBy(t, "shuffle");
  std::vector<int> seen;
  for (int32_t r = 1; r <= 30; ++r) seen.push_back(t.rows[r].originalNumber);
  std::sort(seen.begin(), seen.end());
  for (int i = 0; i < 30; ++i) EXPECT_EQ(seen[i], i + 1);
}

TEST_F(TableTest, OpenCellTargetGoesThroughTheShellHook) {
  std::vector<std::string> opened;
  SetShellOpenHook([&](const std::string& s) {
    opened.push_back(s);
    return true;
  });
  AddRow(t, "http://example.org/", 0);
  EXPECT_TRUE(OpenCellTarget(t, 1, 0));
  EXPECT_FALSE(OpenCellTarget(t, 1, 1));
  EXPECT_FALSE(OpenCellTarget(t, 5, 0));
  SetShellOpenHook(nullptr);
  EXPECT_EQ(opened, std::vector<std::string>{"http://example.org/"});
}

#ifndef _WIN32
// The desktop opener must hand the target over as one argument, with no shell
// in between to interpret it.
TEST(ShellOpenTest, DesktopOpenerGetsTheTargetVerbatim) {
  namespace fs = std::filesystem;
  fs::path dir = fs::temp_directory_path() / ("orvane_open_" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  {
    std::ofstream script(dir / "xdg-open");
    script << "#!/bin/sh\nprintf '%s|' \"$#\" \"$@\" > \"$ORVANE_OPEN_OUT.tmp\"\n"
              "mv \"$ORVANE_OPEN_OUT.tmp\" \"$ORVANE_OPEN_OUT\"\n";
  }
  fs::permissions(dir / "xdg-open", fs::perms::owner_all);
  std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
  setenv("PATH", (dir.string() + ":" + oldPath).c_str(), 1);

  auto openAndRead = [&](const std::string& target) {
    fs::path out = dir / "out.txt";
    fs::remove(out);
    setenv("ORVANE_OPEN_OUT", out.c_str(), 1);
    EXPECT_TRUE(ShellOpen(target));
    for (int i = 0; i < 500 && !fs::exists(out); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::ifstream in(out);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  };
  EXPECT_EQ(openAndRead("a b; touch $HOME/x"), "1|a b; touch $HOME/x|");
  EXPECT_EQ(openAndRead("-v"), "1|./-v|");
  EXPECT_EQ(openAndRead("caf\xE9.htm"), "1|caf\xC3\xA9.htm|");

  setenv("PATH", oldPath.c_str(), 1);
  unsetenv("ORVANE_OPEN_OUT");
  fs::remove_all(dir);
}
#endif

}  // namespace
