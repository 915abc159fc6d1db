#include "grid/htmlwriter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "grid/superarray.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void WriteAll(const fs::path& p, const std::string& s) {
  std::ofstream out(p, std::ios::binary);
  out << s;
}

// A calendar-like grid: one fixed row, three columns, two body rows.
HtmlGridDataT SmallGrid() {
  HtmlGridDataT g;
  InitHtmlGrid(g, 3, 3);
  g.fixedRows = 1;
  g.fixedColor = 0x00C0C0C0;
  SetHtmlCellText(g, 0, 0, "Mo");
  SetHtmlCellText(g, 1, 0, "Tu");
  SetHtmlCellText(g, 0, 1, "1");
  SetHtmlCellText(g, 1, 1, "2");
  SetHtmlCellText(g, 2, 2, "9");
  return g;
}

THTMLSettings Defaults() {
  THTMLSettings s;
  InitHtmlSettings(s);
  return s;
}

TEST(HtmlWriter, DefaultTableWithHeaderRow) {
  std::vector<std::string> expected = {
      R"(<table border="1" cellspacing="0" cellpadding="0" width="100%">)",
      "<tr>",
      R"(<td nowrap bgcolor="#C0C0C0"><b>Mo</b></td>)",
      R"(<td nowrap bgcolor="#C0C0C0"><b>Tu</b></td>)",
      R"(<td nowrap bgcolor="#C0C0C0"><b><br></b></td>)",
      "</tr>",
      "<tr>",
      "<td nowrap>1</td>",
      "<td nowrap>2</td>",
      "<td nowrap><br></td>",
      "</tr>",
      "<tr>",
      "<td nowrap><br></td>",
      "<td nowrap><br></td>",
      "<td nowrap>9</td>",
      "</tr>",
      "</table>",
  };
  EXPECT_EQ(HtmlTableLines(SmallGrid(), Defaults()), expected);
}

TEST(HtmlWriter, XhtmlFrameAndEmptyCells) {
  THTMLSettings s = Defaults();
  s.XHTML = true;
  auto lines = HtmlTableLines(SmallGrid(), s);
  ASSERT_GE(lines.size(), 6u);
  EXPECT_EQ(lines[0], R"(<?xml version="1.0" encoding="UTF-8"?>)");
  EXPECT_EQ(lines[1], R"(<!DOCTYPE html PUBLIC "-//W3C//DTD XHTML 1.0 Strict//EN")");
  EXPECT_EQ(lines[2], R"("http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd">)");
  EXPECT_EQ(lines[3], R"(<html xmlns="http://www.w3.org/1999/xhtml" xml:lang="en" lang="en">)");
  EXPECT_EQ(lines[8], R"(<td nowrap bgcolor="#C0C0C0"><b><br></b></td>)");  // header keeps <br>
  EXPECT_EQ(lines[13], "<td nowrap><br/></td>");
  EXPECT_EQ(lines[lines.size() - 2], "</table>");
  EXPECT_EQ(lines.back(), "</html>");
}

TEST(HtmlWriter, TagsStyleAndAttributes) {
  THTMLSettings s = Defaults();
  s.BorderSize = 2;
  s.CellSpacing = 3;
  s.CellPadding = 4;
  s.Width = 50;
  s.TableStyle = R"(class="cal")";
  s.PrefixTag = "<div class=\"x\">";
  s.SuffixTag = "</div>";
  auto lines = HtmlTableLines(SmallGrid(), s);
  EXPECT_EQ(lines[0], "<div class=\"x\">");  // the user's tags stay raw
  EXPECT_EQ(lines[1], R"(<table border="2" cellspacing="3" cellpadding="4" class="cal"  width="50%">)");
  EXPECT_EQ(lines.back(), "</div>");
}

TEST(HtmlWriter, ColumnWidthsGoToTheFirstWrittenRow) {
  THTMLSettings s = Defaults();
  s.ColWidths = {40, 60};
  HtmlGridDataT g = SmallGrid();
  auto lines = HtmlTableLines(g, s);
  EXPECT_EQ(lines[2], R"(<td nowrap bgcolor="#C0C0C0" width=40><b>Mo</b></td>)");
  EXPECT_EQ(lines[4], R"(<td nowrap bgcolor="#C0C0C0"><b><br></b></td>)");
  EXPECT_EQ(lines[7], "<td nowrap>1</td>");

  g.fixedRows = 0;  // without a header row, body cells carry the widths
  lines = HtmlTableLines(g, s);
  EXPECT_EQ(lines[2], "<td nowrap width=40>Mo</td>");
  EXPECT_EQ(lines[3], "<td nowrap width=60>Tu</td>");
}

TEST(HtmlWriter, CarriageReturnBecomesBreakAndLineFeedStays) {
  HtmlGridDataT g = SmallGrid();
  SetHtmlCellText(g, 0, 1, "a\r\nb");
  EXPECT_EQ(HtmlTableLines(g, Defaults())[7], "<td nowrap>a<br>\nb</td>");
}

TEST(HtmlWriter, CellTextsAreEscaped) {
  HtmlGridDataT g = SmallGrid();
  SetHtmlCellText(g, 0, 0, "<b>");
  SetHtmlCellText(g, 0, 1, "</td></table><script>alert(\"&\")</script>");
  SetHtmlCellText(g, 1, 1, "M\xE4rz \x80");
  auto lines = HtmlTableLines(g, Defaults());
  EXPECT_EQ(lines[2], R"(<td nowrap bgcolor="#C0C0C0"><b>&lt;b&gt;</b></td>)");
  EXPECT_EQ(lines[7],
            "<td nowrap>&lt;/td&gt;&lt;/table&gt;&lt;script&gt;alert(&quot;&amp;&quot;)&lt;/script&gt;</td>");
  EXPECT_EQ(lines[8], "<td nowrap>M&#228;rz &#8364;</td>");
}

TEST(HtmlWriter, ColoursFontsAlignmentAndWrap) {
  HtmlGridDataT g = SmallGrid();
  g.fixedCols = 1;
  HtmlCellT& c = HtmlCell(g, 1, 1);
  c.hasBackground = true;
  c.background = 0x00FF8040;  // blue high, red low
  c.hasFontColor = true;
  c.fontColor = 0x000000FF;
  c.bold = c.italic = c.underline = true;
  c.align = HtmlAlignT::Right;
  HtmlCell(g, 0, 2).align = HtmlAlignT::Center;  // empty text: no align
  HtmlCell(g, 2, 2).align = HtmlAlignT::Center;

  auto lines = HtmlTableLines(g, Defaults());
  EXPECT_EQ(lines[7], R"(<td nowrap bgcolor="#C0C0C0">1</td>)");  // fixed column
  EXPECT_EQ(lines[8],
            R"(<td nowrap align="right" bgcolor="#4080FF"><font color="#FF0000"><b><i><u>2</u></i></b></font></td>)");
  EXPECT_EQ(lines[12], R"(<td nowrap bgcolor="#C0C0C0"><br></td>)");
  EXPECT_EQ(lines[14], R"(<td nowrap align="center">9</td>)");

  THTMLSettings s = Defaults();
  s.SaveColor = false;
  s.SaveFonts = false;
  g.wordWrap = true;
  lines = HtmlTableLines(g, s);
  EXPECT_EQ(lines[8], R"(<td align="right">2</td>)");
}

TEST(HtmlWriter, MergedCellsAndSystemColours) {
  HtmlGridDataT g = SmallGrid();
  g.fixedColor = 0x8000000F;  // button face, resolved to its RGB value
  HtmlCell(g, 0, 1).extraCols = 1;
  HtmlCell(g, 0, 1).extraRows = 1;
  HtmlCell(g, 1, 1).covered = true;
  HtmlCell(g, 0, 2).covered = true;
  HtmlCell(g, 1, 2).covered = true;
  auto lines = HtmlTableLines(g, Defaults());
  EXPECT_EQ(lines[2], "<td nowrap bgcolor=\"" + HtmlColor(0x8000000F) + "\"><b>Mo</b></td>");
  EXPECT_NE(HtmlColor(0x8000000F).find('#'), std::string::npos);
  EXPECT_EQ(lines[7], R"(<td colspan="2" rowspan="2" nowrap>1</td>)");
  EXPECT_EQ(lines[8], "<td nowrap><br></td>");
  EXPECT_EQ(lines[9], "</tr>");
  EXPECT_EQ(lines[10], "<tr>");
  EXPECT_EQ(lines[11], "<td nowrap>9</td>");
}

TEST(HtmlWriter, UrlDisplay) {
  HtmlGridDataT g = SmallGrid();
  g.showUrls = true;
  SetHtmlCellText(g, 0, 1, "http://x.org/?a=1&b=2");
  SetHtmlCellText(g, 1, 1, "mailto:me@x.org");
  SetHtmlCellText(g, 2, 1, "see http://x.org</b>");
  auto lines = HtmlTableLines(g, Defaults());
  EXPECT_EQ(lines[7], R"(<td nowrap><a href="http://x.org/?a=1&amp;b=2">x.org/?a=1&amp;b=2</a></td>)");
  EXPECT_EQ(lines[8], R"(<td nowrap><a href="mailto:me@x.org">me@x.org</a></td>)");
  EXPECT_EQ(lines[9], "<td nowrap>see http://x.org&lt;/b&gt;</td>");
  g.fullUrls = true;
  lines = HtmlTableLines(g, Defaults());
  EXPECT_EQ(lines[8], R"(<td nowrap><a href="mailto:me@x.org">mailto:me@x.org</a></td>)");
}

TEST(HtmlWriter, OutOfRangeCellsAreHarmless) {
  HtmlGridDataT g;
  InitHtmlGrid(g, -2, 5);
  SetHtmlCellText(g, 3, 3, "x");
  EXPECT_EQ(HtmlCell(std::as_const(g), 3, 3).text, "");
  g.colCount = 4;  // counts that disagree with the cell list
  g.fixedRows = 1;
  auto lines = HtmlTableLines(g, Defaults());
  EXPECT_EQ(lines.size(), 1u + 6 + 4 * 6 + 1);
}

TEST(HtmlWriter, GridFromDataTable) {
  ArrayOfFiles t;
  InitTable(t);
  for (int i = 0; i < 2; ++i) AddRow(t, "", 0);
  SetCell(t, 1, 10, "53");
  SetCell(t, 1, 4, "1");
  SetCell(t, 2, 0, "4");
  SetColumnSuffix(t, 10, ".");
  HtmlGridDataT g = TableHtmlGrid(t, {10, 0, 4}, {"Week 01.2021", "Monday"}, 1);
  ASSERT_EQ(g.colCount, 3);
  ASSERT_EQ(g.rowCount, 3);
  EXPECT_EQ(g.fixedRows, 1);
  EXPECT_EQ(g.fixedCols, 1);
  EXPECT_EQ(HtmlCell(g, 0, 0).text, "Week 01.2021");
  EXPECT_EQ(HtmlCell(g, 2, 0).text, "");
  EXPECT_EQ(HtmlCell(g, 0, 1).text, "53.");
  EXPECT_EQ(HtmlCell(g, 2, 1).text, "1");
  EXPECT_EQ(HtmlCell(g, 1, 2).text, "4");
  EXPECT_EQ(TableHtmlGrid(t, {0}, {}, 5).fixedCols, 1);
}

class HtmlFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("orvane_html_" + std::to_string(::getpid()) + "_" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  fs::path dir;
};

TEST_F(HtmlFileTest, WritesCrLfLinesWithHeaderAndFooterFiles) {
  WriteAll(dir / "head.htm", "<html>\n<body>\r\n");
  WriteAll(dir / "foot.htm", "</body>\n</html>");
  THTMLSettings s = Defaults();
  s.HeaderFile = (dir / "head.htm").string();
  s.FooterFile = (dir / "foot.htm").string();
  HtmlGridDataT g;
  InitHtmlGrid(g, 1, 1);
  SetHtmlCellText(g, 0, 0, "x");
  WriteHtmlFile(g, s, (dir / "out.htm").string());
  EXPECT_EQ(ReadAll(dir / "out.htm"),
            "<html>\r\n<body>\r\n"
            "<table border=\"1\" cellspacing=\"0\" cellpadding=\"0\" width=\"100%\">\r\n"
            "<tr>\r\n<td nowrap>x</td>\r\n</tr>\r\n</table>\r\n"
            "</body>\r\n</html>\r\n");

  // Missing header and footer files are skipped; the file is truncated.
  s.HeaderFile = (dir / "missing.htm").string();
  s.FooterFile = (dir / "missing2.htm").string();
  WriteHtmlFile(g, s, (dir / "out.htm").string());
  std::string text = ReadAll(dir / "out.htm");
  EXPECT_EQ(text.rfind("<table", 0), 0u);
  EXPECT_EQ(text.find("</html>"), std::string::npos);

  WriteHtmlFile(g, s, (dir / "out.htm").string(), true);
  EXPECT_EQ(ReadAll(dir / "out.htm"), text + text);
}

TEST_F(HtmlFileTest, HeaderFileMayBeTheOutputItself) {
  WriteAll(dir / "page.htm", "<p>top</p>\n");
  THTMLSettings s = Defaults();
  s.HeaderFile = (dir / "page.htm").string();
  HtmlGridDataT g;
  InitHtmlGrid(g, 1, 1);
  WriteHtmlFile(g, s, (dir / "page.htm").string());
  EXPECT_EQ(ReadAll(dir / "page.htm").rfind("<p>top</p>\r\n<table", 0), 0u);
}

TEST_F(HtmlFileTest, CannotCreateFile) {
  std::string name = (dir / "no" / "such" / "folder.htm").string();
  try {
    WriteHtmlFile(SmallGrid(), Defaults(), name);
    FAIL() << "no error raised";
  } catch (const HtmlFileError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot Create file " + name);
  }
  EXPECT_THROW(WriteHtmlFile(SmallGrid(), Defaults(), dir.string()), HtmlFileError);
}

#ifndef _WIN32

mode_t ModeOf(const fs::path& p) {
  struct stat st {};
  EXPECT_EQ(lstat(p.c_str(), &st), 0) << p;
  return st.st_mode & 07777;
}

class PreviewTest : public HtmlFileTest {
 protected:
  void SetUp() override {
    HtmlFileTest::SetUp();
    SaveEnv("XDG_RUNTIME_DIR", savedRuntime, hadRuntime);
    SaveEnv("TMPDIR", savedTmp, hadTmp);
    fs::create_directories(dir / "run");
    fs::permissions(dir / "run", fs::perms::owner_all, fs::perm_options::replace);
    setenv("XDG_RUNTIME_DIR", (dir / "run").c_str(), 1);
    SetShellOpenHook([this](const std::string& s) {
      opened.push_back(s);
      return true;
    });
  }
  void TearDown() override {
    SetShellOpenHook(nullptr);
    RestoreEnv("XDG_RUNTIME_DIR", savedRuntime, hadRuntime);
    RestoreEnv("TMPDIR", savedTmp, hadTmp);
    HtmlFileTest::TearDown();
  }
  static void SaveEnv(const char* name, std::string& value, bool& had) {
    const char* v = std::getenv(name);
    had = v != nullptr;
    value = had ? v : "";
  }
  static void RestoreEnv(const char* name, const std::string& value, bool had) {
    if (had) {
      setenv(name, value.c_str(), 1);
    } else {
      unsetenv(name);
    }
  }
  std::string savedRuntime, savedTmp;
  bool hadRuntime = false, hadTmp = false;
  std::vector<std::string> opened;
};

TEST_F(PreviewTest, PrivateFolderAndFileAreOwnerOnly) {
  std::string name = PreviewHtml(SmallGrid(), Defaults());
  EXPECT_EQ(name, (dir / "run" / "orvane" / "temp001.htm").string());
  EXPECT_EQ(ModeOf(dir / "run" / "orvane"), 0700u);
  EXPECT_EQ(ModeOf(name), 0600u);
  EXPECT_EQ(opened, std::vector<std::string>{name});
  EXPECT_EQ(ReadAll(name), HtmlFileText(SmallGrid(), Defaults()));

  // A second preview overwrites the same file.
  HtmlGridDataT g = SmallGrid();
  SetHtmlCellText(g, 0, 1, "second");
  EXPECT_EQ(PreviewHtml(g, Defaults()), name);
  EXPECT_NE(ReadAll(name).find("second"), std::string::npos);
  EXPECT_EQ(ReadAll(name).find(">1<"), std::string::npos);
}

TEST_F(PreviewTest, PlantedLinkIsReplacedNotFollowed) {
  fs::create_directories(dir / "run" / "orvane");
  fs::permissions(dir / "run" / "orvane", fs::perms::owner_all, fs::perm_options::replace);
  WriteAll(dir / "victim.txt", "keep");
  fs::create_symlink(dir / "victim.txt", dir / "run" / "orvane" / "temp001.htm");
  std::string name = WriteHtmlPreview(SmallGrid(), Defaults());
  EXPECT_EQ(ReadAll(dir / "victim.txt"), "keep");
  EXPECT_FALSE(fs::is_symlink(name));
  EXPECT_NE(ReadAll(name).find("<table"), std::string::npos);
}

TEST_F(PreviewTest, FolderThatIsALinkIsRefused) {
  fs::create_directories(dir / "elsewhere");
  fs::create_directory_symlink(dir / "elsewhere", dir / "run" / "orvane");
  EXPECT_THROW(WriteHtmlPreview(SmallGrid(), Defaults()), HtmlFileError);
  EXPECT_FALSE(fs::exists(dir / "elsewhere" / "temp001.htm"));
  EXPECT_THROW(PreviewHtml(SmallGrid(), Defaults()), HtmlFileError);
  EXPECT_TRUE(opened.empty());
}

TEST_F(PreviewTest, FallsBackToAUserFolderInTemp) {
  unsetenv("XDG_RUNTIME_DIR");
  setenv("TMPDIR", (dir.string() + "/").c_str(), 1);
  fs::path own = dir / ("orvane-" + std::to_string(getuid()));
  fs::create_directories(own);
  fs::permissions(own, fs::perms::all, fs::perm_options::replace);  // too open
  std::string name = WriteHtmlPreview(SmallGrid(), Defaults());
  EXPECT_EQ(name, (own / "temp001.htm").string());
  EXPECT_EQ(ModeOf(own), 0700u);

  // A runtime folder open to others is not used.
  fs::create_directories(dir / "loose");
  fs::permissions(dir / "loose", fs::perms::all, fs::perm_options::replace);
  setenv("XDG_RUNTIME_DIR", (dir / "loose").c_str(), 1);
  EXPECT_EQ(PreviewFileName(), (own / "temp001.htm").string());
}

#endif

}  // namespace
