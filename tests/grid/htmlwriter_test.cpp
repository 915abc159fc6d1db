#include "grid/htmlwriter.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "grid/superarray.h"
#include "tests/support/FakeShellOpener.h"
#include "util/Diskop.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

std::string ReadAll(const fs::path& p) {
  std::stringstream ss;
  ss << std::ifstream(p, std::ios::binary).rdbuf();
  return ss.str();
}

// A calendar-like grid: one fixed row, three columns, two body rows.
HtmlGridDataT SmallGrid() {
  HtmlGridDataT g;
  InitHtmlGrid(g, 3, 3);
  g.fixedRows = 1;
  g.fixedColor = 0x00C0C0C0;
  SetHtmlCellText(g, 0, 0, "Mo");
  SetHtmlCellText(g, 0, 1, "1");
  SetHtmlCellText(g, 2, 2, "9");
  return g;
}

THTMLSettings Defaults() {
  THTMLSettings s;
  InitHtmlSettings(s);
  return s;
}

TEST(HtmlWriter, DefaultTableWithHeaderRow) {
  Lines expected = {
      R"(<table border="1" cellspacing="0" cellpadding="0" width="100%">)",
      "<tr>",
      R"(<td nowrap bgcolor="#C0C0C0"><b>Mo</b></td>)",
      R"(<td nowrap bgcolor="#C0C0C0"><b><br></b></td>)",
      R"(<td nowrap bgcolor="#C0C0C0"><b><br></b></td>)",
      "</tr>",
      "<tr>", "<td nowrap>1</td>", "<td nowrap><br></td>", "<td nowrap><br></td>", "</tr>",
      "<tr>", "<td nowrap><br></td>", "<td nowrap><br></td>", "<td nowrap>9</td>", "</tr>",
      "</table>",
  };
  EXPECT_EQ(HtmlTableLines(SmallGrid(), Defaults()), expected);
}

TEST(HtmlWriter, XhtmlFrameAndEmptyCells) {
  THTMLSettings s = Defaults();
  s.XHTML = true;
  Lines lines = HtmlTableLines(SmallGrid(), s);
  ASSERT_EQ(lines.size(), 22u);
  EXPECT_EQ(lines[0], R"(<?xml version="1.0" encoding="UTF-8"?>)");
  EXPECT_EQ(lines[1], R"(<!DOCTYPE html PUBLIC "-//W3C//DTD XHTML 1.0 Strict//EN")");
  EXPECT_EQ(lines[2], R"("http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd">)");
  EXPECT_EQ(lines[3], R"(<html xmlns="http://www.w3.org/1999/xhtml" xml:lang="en" lang="en">)");
  EXPECT_EQ(lines[7], R"(<td nowrap bgcolor="#C0C0C0"><b><br></b></td>)");  // header keeps <br>
  EXPECT_EQ(lines[12], "<td nowrap><br/></td>");
  EXPECT_EQ(lines[20], "</table>");
  EXPECT_EQ(lines[21], "</html>");
}

TEST(HtmlWriter, TagsStyleAndWidths) {
  THTMLSettings s = Defaults();
  s.BorderSize = 2;
  s.Width = 50;
  s.TableStyle = R"(class="cal")";
  s.PrefixTag = R"(<div class="x">)";  // the user's tags stay raw
  s.SuffixTag = "</div>";
  s.ColWidths = {40};
  HtmlGridDataT g = SmallGrid();
  Lines lines = HtmlTableLines(g, s);
  EXPECT_EQ(lines[0], R"(<div class="x">)");
  EXPECT_EQ(lines[1], R"(<table border="2" cellspacing="0" cellpadding="0" class="cal"  width="50%">)");
  EXPECT_EQ(lines[3], R"(<td nowrap bgcolor="#C0C0C0" width=40><b>Mo</b></td>)");
  EXPECT_EQ(lines[8], "<td nowrap>1</td>");
  EXPECT_EQ(lines.back(), "</div>");
  g.fixedRows = 0;  // without a header row the body cells carry the widths
  EXPECT_EQ(HtmlTableLines(g, s)[3], "<td nowrap width=40>Mo</td>");
}

TEST(HtmlWriter, CellTexts) {
  HtmlGridDataT g = SmallGrid();
  SetHtmlCellText(g, 0, 0, "<b>");
  SetHtmlCellText(g, 0, 1, "a\r\nb");
  SetHtmlCellText(g, 1, 1, "</td></table><script>alert(\"&\")</script>");
  SetHtmlCellText(g, 2, 1, "M\xE4rz \x80");
  Lines lines = HtmlTableLines(g, Defaults());
  EXPECT_EQ(lines[2], R"(<td nowrap bgcolor="#C0C0C0"><b>&lt;b&gt;</b></td>)");
  EXPECT_EQ(lines[7], "<td nowrap>a<br>\nb</td>");
  EXPECT_EQ(lines[8], "<td nowrap>&lt;/td&gt;&lt;/table&gt;&lt;script&gt;alert(&quot;&amp;&quot;)&lt;/script&gt;</td>");
  EXPECT_EQ(lines[9], "<td nowrap>M&#228;rz &#8364;</td>");

  g.showUrls = true;
  SetHtmlCellText(g, 0, 1, "http://x.org/?a=1&b=2");
  SetHtmlCellText(g, 1, 1, "mailto:me@x.org");
  lines = HtmlTableLines(g, Defaults());
  EXPECT_EQ(lines[7], R"(<td nowrap><a href="http://x.org/?a=1&amp;b=2">x.org/?a=1&amp;b=2</a></td>)");
  EXPECT_EQ(lines[8], R"(<td nowrap><a href="mailto:me@x.org">me@x.org</a></td>)");
}

TEST(HtmlWriter, ColoursFontsAlignmentAndSpans) {
  HtmlGridDataT g = SmallGrid();
  g.fixedCols = 1;
  HtmlCellT& c = HtmlCell(g, 1, 1);
  c.text = "2";
  c.hasBackground = c.hasFontColor = true;
  c.background = 0x00FF8040;  // blue high, red low
  c.fontColor = 0x000000FF;
  c.bold = c.italic = c.underline = true;
  c.align = HtmlAlignT::Right;
  HtmlCell(g, 0, 2).align = HtmlAlignT::Center;  // empty text: no align
  Lines lines = HtmlTableLines(g, Defaults());
  EXPECT_EQ(lines[7], R"(<td nowrap bgcolor="#C0C0C0">1</td>)");
  EXPECT_EQ(lines[8],
            R"(<td nowrap align="right" bgcolor="#4080FF"><font color="#FF0000"><b><i><u>2</u></i></b></font></td>)");
  EXPECT_EQ(lines[12], R"(<td nowrap bgcolor="#C0C0C0"><br></td>)");

  THTMLSettings s = Defaults();
  s.SaveColor = s.SaveFonts = false;
  g.wordWrap = true;
  HtmlCell(g, 0, 1).extraCols = 1;
  HtmlCell(g, 0, 1).extraRows = 1;
  HtmlCell(g, 1, 2).covered = true;
  lines = HtmlTableLines(g, s);
  EXPECT_EQ(lines[7], R"(<td colspan="2" rowspan="2" bgcolor="#C0C0C0">1</td>)");
  EXPECT_EQ(lines[8], R"(<td align="right">2</td>)");
  EXPECT_EQ(lines[13], "<td>9</td>");  // the covered cell is skipped
}

TEST(HtmlWriter, GridFromDataTable) {
  ArrayOfFiles t;
  InitTable(t);
  AddRow(t, "", 0);
  SetCell(t, 1, 10, "53");
  SetCell(t, 1, 4, "1");
  HtmlGridDataT g = TableHtmlGrid(t, {10, 0, 4}, {"Week 01.2021", "Monday"}, 1);
  ASSERT_EQ(g.colCount, 3);
  ASSERT_EQ(g.rowCount, 2);
  EXPECT_EQ(g.fixedCols, 1);
  EXPECT_EQ(HtmlCell(g, 0, 0).text, "Week 01.2021");
  EXPECT_EQ(HtmlCell(g, 0, 1).text, "53");
  EXPECT_EQ(HtmlCell(g, 2, 1).text, "1");
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
  // Binary, so Windows writes the line ends as given.
  std::ofstream(dir / "head.htm", std::ios::binary) << "<html>\n<body>\r\n";
  std::ofstream(dir / "foot.htm", std::ios::binary) << "</body>\n</html>";
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

  s.HeaderFile = (dir / "missing.htm").string();  // skipped without a message
  s.FooterFile = "";
  WriteHtmlFile(g, s, (dir / "out.htm").string());
  EXPECT_EQ(ReadAll(dir / "out.htm").rfind("<table", 0), 0u);

  // The header is read before the output is truncated.
  s.HeaderFile = (dir / "foot.htm").string();
  WriteHtmlFile(g, s, (dir / "foot.htm").string());
  EXPECT_EQ(ReadAll(dir / "foot.htm").rfind("</body>\r\n</html>\r\n<table", 0), 0u);
}

TEST_F(HtmlFileTest, CannotCreateFile) {
  std::string name = (dir / "no" / "folder.htm").string();
  try {
    WriteHtmlFile(SmallGrid(), Defaults(), name);
    FAIL() << "no error raised";
  } catch (const HtmlFileError& e) {
    // The reason is the system's own text, which differs between platforms.
    const std::string prefix = "Cannot Create file " + name + ": ";
    const std::string what = e.what();
    EXPECT_EQ(what.substr(0, prefix.size()), prefix);
    EXPECT_GT(what.size(), prefix.size());
  }
}

// The preview folder is a POSIX per-user folder; Windows uses its own TEMP.
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
    for (const char* name : {"XDG_RUNTIME_DIR", "TMPDIR"}) {
      const char* v = std::getenv(name);
      saved.emplace_back(name, v ? v : "\x01");
    }
    fs::create_directories(dir / "run");
    fs::permissions(dir / "run", fs::perms::owner_all, fs::perm_options::replace);
    setenv("XDG_RUNTIME_DIR", (dir / "run").c_str(), 1);
  }
  void TearDown() override {
    for (const auto& [name, value] : saved) {
      if (value == "\x01") {
        unsetenv(name.c_str());
      } else {
        setenv(name.c_str(), value.c_str(), 1);
      }
    }
    HtmlFileTest::TearDown();
  }
  std::vector<std::pair<std::string, std::string>> saved;
  FakeShellOpener opener;
  const Lines& opened = opener.opened;
};

TEST_F(PreviewTest, PrivateFolderAndFileAreOwnerOnly) {
  std::string name = PreviewHtml(SmallGrid(), Defaults(), opener);
  EXPECT_EQ(name, (dir / "run" / "orvane" / "temp001.htm").string());
  EXPECT_EQ(ModeOf(dir / "run" / "orvane"), 0700u);
  EXPECT_EQ(ModeOf(name), 0600u);
  // The opener gets the file's address: the desktop then opens it in its browser.
  EXPECT_EQ(opened, Lines{FileUrl(name)});
  EXPECT_EQ(opened[0].rfind("file:///", 0), 0u);
  EXPECT_EQ(ReadAll(name), HtmlFileText(SmallGrid(), Defaults()));

  HtmlGridDataT g = SmallGrid();  // a second preview overwrites the file
  SetHtmlCellText(g, 0, 1, "second");
  EXPECT_EQ(PreviewHtml(g, Defaults(), opener), name);
  EXPECT_EQ(ReadAll(name), HtmlFileText(g, Defaults()));
}

TEST_F(PreviewTest, PlantedLinksAreNotFollowed) {
  fs::create_directories(dir / "run" / "orvane");
  std::ofstream(dir / "victim.txt") << "keep";
  fs::create_symlink(dir / "victim.txt", dir / "run" / "orvane" / "temp001.htm");
  std::string name = WriteHtmlPreview(SmallGrid(), Defaults());
  EXPECT_EQ(ReadAll(dir / "victim.txt"), "keep");
  EXPECT_FALSE(fs::is_symlink(name));
  EXPECT_EQ(ModeOf(dir / "run" / "orvane"), 0700u);  // a loose mode is tightened

  // A folder that is itself a link is refused, and nothing is opened.
  fs::remove_all(dir / "run" / "orvane");
  fs::create_directories(dir / "elsewhere");
  fs::create_directory_symlink(dir / "elsewhere", dir / "run" / "orvane");
  EXPECT_THROW(PreviewHtml(SmallGrid(), Defaults(), opener), HtmlFileError);
  EXPECT_FALSE(fs::exists(dir / "elsewhere" / "temp001.htm"));
  EXPECT_TRUE(opened.empty());
}

TEST_F(PreviewTest, FallsBackToAUserFolderInTemp) {
  fs::permissions(dir / "run", fs::perms::all, fs::perm_options::replace);  // open to others: not used
  setenv("TMPDIR", (dir.string() + "/").c_str(), 1);
  fs::path own = dir / ("orvane-" + std::to_string(getuid()));
  EXPECT_EQ(WriteHtmlPreview(SmallGrid(), Defaults()), (own / "temp001.htm").string());
  EXPECT_EQ(ModeOf(own), 0700u);
}

TEST_F(PreviewTest, TheOpenerGetsTheFileWrittenWhateverItsFolderIsCalled) {
  fs::permissions(dir / "run", fs::perms::all, fs::perm_options::replace);
  const fs::path tmp = dir / "tmp\xE6\x97\xA5\xE6\x9C\xAC";  // tmp日本, outside Windows-1252
  fs::create_directories(tmp);
  setenv("TMPDIR", tmp.c_str(), 1);
  const fs::path name = PreviewHtml(SmallGrid(), Defaults(), opener);
  EXPECT_EQ(name, tmp / ("orvane-" + std::to_string(getuid())) / "temp001.htm");
  ASSERT_EQ(opened, Lines{FileUrl(name)});
  EXPECT_NE(opened[0].find("/tmp%E6%97%A5%E6%9C%AC/"), std::string::npos);
  EXPECT_EQ(ReadAll(name), HtmlFileText(SmallGrid(), Defaults()));
  // An opener that refuses the file is reported, naming it.
  opener.result = false;
  try {
    PreviewHtml(SmallGrid(), Defaults(), opener);
    FAIL() << "no error raised";
  } catch (const PreviewOpenError& e) {
    EXPECT_EQ(e.file(), name);
  }
}

#endif  // _WIN32

}  // namespace
