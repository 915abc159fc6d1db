#include "grid/superarray.h"

#include "tests/support/FakeProcess.h"
#include "tests/support/FakeShellOpener.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

class TableTest : public ::testing::Test {
 protected:
  void SetUp() override { InitTable(t); }
  void AddRows(const Texts& texts) {
    for (const auto& s : texts) AddRow(t, s, 0);
  }
  Texts Column(int32_t col) {
    Texts out;
    for (int32_t r = 1; r <= t.rowCount; ++r) out.push_back(GetCell(t, r, col));
    return out;
  }
  ArrayOfFiles t;
};

TEST_F(TableTest, RowAddressing) {
  SetCell(t, 0, 1, "x");  // empty table: no last row to write
  EXPECT_EQ(t.rowCount, 0);

  for (int i = 0; i < 6; ++i) AddRow(t, "", 0);
  AddRow(t, "seven", 30);  // a column outside the cells means cell 0
  ASSERT_EQ(t.rowCount, 7);
  for (int32_t r = 1; r <= 7; ++r) EXPECT_EQ(t.rows[r].originalNumber, r);
  EXPECT_EQ(GetCell(t, 7, 0), "seven");

  SetCell(t, 0, 1, "last");
  SetCell(t, 8, 1, "beyond");
  SetCell(t, -1, 1, "negative");
  SetCell(t, 2, 26, "derived");
  EXPECT_EQ(Column(1), (Texts{"", "", "", "", "", "", "last"}));
  EXPECT_EQ(GetCell(t, 8, 1), "");
  EXPECT_EQ(GetCell(t, 3, 26), "3");
  EXPECT_EQ(GetCell(t, 3, 56), "");

  SetColumnGrouping(t, 0, true);
  SetColumnSuffix(t, 0, " kB");
  SetCell(t, 1, 0, "1234567");
  EXPECT_EQ(GetCellText(t, 1, 0), "1234567 kB");

  EXPECT_EQ(t.rows.size(), 52u);  // storage grows 50 rows beyond the one needed
  TrimRows(t);
  EXPECT_EQ(t.rows.size(), 8u);
  SetRowCount(t, 3);
  SetRowCount(t, 7);  // rows beyond the old storage come back fresh
  EXPECT_EQ(GetCell(t, 7, 0), "");
  EXPECT_EQ(t.rows[7].realB, 0.5);
  SetRowCount(t, -5);
  EXPECT_EQ(t.rowCount, 0);
}

TEST_F(TableTest, DerivedColumns) {
  AddRow(t, "", 0);
  t.rows[1].cells[13] = "dcab";
  t.rows[1].cells[11] = "C:\\docs\\file.txt";
  t.rows[1].size = 5000000000LL;
  const Texts expected = {"bacd", "4", "5000000000", "a", "C:\\docs\\"};
  const int32_t columns[] = {32, 34, 39, 46, 53};
  for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(GetCell(t, 1, columns[i]), expected[i]);
}

TEST_F(TableTest, PoolKeepsRepeatedTextsOnce) {
  t.pooling = true;
  for (const char* dir : {"C:\\a\\", "C:\\a\\", "C:\\b\\", "C:\\a\\"}) AddRow(t, dir, 11);
  // An appended row is itself the last row, so only the row before it is
  // searched: the fourth row does not find "a" again.
  EXPECT_EQ(t.rows[2].poolIndex, 1);
  EXPECT_EQ(t.rows[3].poolIndex, 2);
  EXPECT_EQ(t.rows[4].poolIndex, 3);
  EXPECT_EQ(Column(11), (Texts{"C:\\a\\", "C:\\a\\", "C:\\b\\", "C:\\a\\"}));
  EXPECT_TRUE(t.rows[1].cells[11].empty());

  SetCell(t, 1, 11, "C:\\b\\");  // found through the second-to-last row
  EXPECT_EQ(t.rows[1].poolIndex, 2);
  SetCell(t, 2, 11, "");
  EXPECT_EQ(t.rows[2].poolIndex, 0);
  t.rows[3].poolIndex = 999;  // a stale index reads as empty
  EXPECT_EQ(GetCell(t, 3, 11), "");

  for (int i = 0; i < 60; ++i) AddRow(t, "dir" + std::to_string(i), 11);
  EXPECT_EQ(t.poolCount, 63);
  EXPECT_EQ(t.pool.size(), 101u);  // grows in steps of 51
  SetRowCount(t, 0);
  EXPECT_EQ(t.poolCount, 0);
}

TEST_F(TableTest, ParsingSortSpecifications) {
  AddSortKeyName(t, 5, "Folder");
  AddSortKeyName(t, 6, "FOLDER");  // same name: rebinds
  t.sortSpec = "-filesize,Alphabetical,nosuchkey,folder";
  ParseSortSpec(t);
  ASSERT_EQ(t.sortKeyCount, 5);
  EXPECT_EQ(t.sortKeys[1].column, 39);
  EXPECT_TRUE(t.sortKeys[1].descending);
  EXPECT_EQ(t.sortKeys[2].column, 0);
  EXPECT_TRUE(t.sortKeys[2].caseSensitive);
  EXPECT_EQ(t.sortKeys[3].column, 45);
  EXPECT_EQ(t.sortKeys[4].column, 6);
  EXPECT_FALSE(t.sortKeys[4].caseSensitive);
  EXPECT_EQ(t.sortKeys[5].column, 45);

  t.sortNameSeparator = "";  // one-letter names
  AddSortKeyName(t, 3, "s");
  t.sortSpec = "-sS";
  ParseSortSpec(t);
  EXPECT_EQ(t.sortKeyCount, 3);
  EXPECT_TRUE(t.sortKeys[1].descending && !t.sortKeys[1].caseSensitive);
  EXPECT_TRUE(t.sortKeys[2].caseSensitive);

  // A lone "-" names nothing and must not pick up a free key slot.
  t.sortSpec = "-";
  ParseSortSpec(t);
  EXPECT_EQ(t.sortKeys[1].column, 45);

  // A full name table ignores new names; a long specification stays in bounds.
  for (int i = 0; i < 300; ++i) AddSortKeyName(t, 7, "k" + std::to_string(i));
  t.sortSpec = std::string(500, 'k');
  ParseSortSpec(t);
  EXPECT_EQ(t.sortKeyCount, kSortKeyCount);
  EXPECT_EQ(t.sortKeys[kSortKeyCount].column, 45);
}

TEST_F(TableTest, Sorting) {
  AddRows({"b", "B", "a", "A", "c", "a10", "a9"});
  SortRowsBy(t, "alphabetical");  // ties keep their append order
  EXPECT_EQ(Column(0), (Texts{"a", "A", "a10", "a9", "b", "B", "c"}));
  SortRowsBy(t, "Alphabetical");  // case-sensitive: capitals first
  EXPECT_EQ(Column(0), (Texts{"A", "B", "a", "a10", "a9", "b", "c"}));
  t.numericCompare = true;
  SortRowsBy(t, "-alphabetical");
  EXPECT_EQ(Column(0), (Texts{"c", "b", "B", "a10", "a9", "a", "A"}));
  SortRowsBy(t, "unregistered");
  EXPECT_EQ(Column(0), (Texts{"b", "B", "a", "A", "c", "a10", "a9"}));

  const int64_t sizes[] = {30, 10, 60, 20, 50, 40, 0};
  for (int32_t r = 1; r <= 7; ++r) t.rows[r].size = sizes[r - 1];
  SortRowsBy(t, "-filesize");
  EXPECT_EQ(Column(0), (Texts{"a", "c", "a10", "b", "A", "B", "a9"}));
}

TEST_F(TableTest, SpecialSortColumns) {
  const char* sortNames[] = {"", "Zed", "", "abc", "mid"};
  for (int32_t r = 1; r <= 5; ++r) {
    AddRow(t, "r" + std::to_string(r), 0);
    t.rows[r].realA = 1.0 / r;
    t.rows[r].cells[13] = std::string("name") + char('f' - r);
    t.rows[r].cells[14] = std::string(static_cast<size_t>(6 - r), 'x');
  }
  AddSortKeyName(t, 27, "real");
  AddSortKeyName(t, 13, "name");
  AddSortKeyName(t, 33, "len");
  SortRowsBy(t, "real");
  EXPECT_EQ(Column(0), (Texts{"r5", "r4", "r3", "r2", "r1"}));
  SortRowsBy(t, "Len");  // case-sensitive: length of cell 14
  EXPECT_EQ(Column(0), (Texts{"r5", "r4", "r3", "r2", "r1"}));

  // The name key compares cell 16 when either row has one, else cell 13:
  // rows 1 and 3 fall back to their names.
  SortRowsBy(t, "");
  for (int32_t r = 1; r <= 5; ++r) t.rows[r].cells[16] = sortNames[r - 1];
  SortRowsBy(t, "name");
  EXPECT_EQ(Column(0), (Texts{"r3", "r1", "r2", "r4", "r5"}));

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
      ASSERT_EQ(t.rows[r].originalNumber, ref[r - 1].second) << n;
    }
  }
}

TEST_F(TableTest, OpenCellTargetUsesTheOpener) {
  FakeShellOpener opener;
  AddRow(t, "http://example.org/", 0);
  EXPECT_TRUE(OpenCellTarget(t, 1, 0, opener));
  EXPECT_FALSE(OpenCellTarget(t, 1, 1, opener));
  EXPECT_EQ(opener.opened, Texts{"http://example.org/"});
}

#ifndef _WIN32
// The desktop opener must hand the target over as one UTF-8 argument, with no
// shell in between to interpret it.
TEST(ShellOpenTest, DesktopOpenerGetsTheTargetVerbatim) {
  FakeProcessPlatform process;
  EXPECT_TRUE(ShellOpen("a b; touch $HOME/x", process));
  EXPECT_TRUE(ShellOpen("-v", process));
  process.result = StartErrorT::kNotFound;
  EXPECT_FALSE(ShellOpen(std::filesystem::path(u8"caf\u00E9 \u65E5.htm"), process));
  ASSERT_EQ(process.starts.size(), 3u);
  EXPECT_EQ(process.starts[0].program, "xdg-open");
  EXPECT_EQ(process.starts[0].args, Texts{"a b; touch $HOME/x"});
  EXPECT_EQ(process.starts[1].args, Texts{"./-v"});
  EXPECT_EQ(process.starts[2].args, Texts{"caf\xC3\xA9 \xE6\x97\xA5.htm"});
}

#endif  // _WIN32

}  // namespace
