#include "cli/cli.h"
#include "cli/calendar_html.h"
#include "cli/json.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/FakeProcess.h"
#include "tests/support/today.h"
#include "util/cp1252.h"

namespace {

struct Cli : ::testing::Test {
  // Runs the text command as main() does; returns the exit status.
  int Run(const std::vector<std::string>& args, std::string& out, const std::string& in = "",
          std::string* errors = nullptr) {
    CliOptionsT options;
    std::string error;
    if (!ParseCommandLine(options, args, error)) {
      out = error;
      return 2;
    }
    options.context = CurrentContext(options, kTestToday);  // the clock's day
    std::istringstream input(in);
    std::ostringstream output, err;
    const int rc = RunTextCommand(options, input, output, err);
    out = output.str();
    if (errors) *errors = err.str();
    return rc;
  }
};

TEST_F(Cli, JsonShapeAndValues) {
  std::string out;
  ASSERT_EQ(Run({"--json", "--today", "7.12.2026", "0"}, out), 0);
  EXPECT_EQ(out.find("{\"date1\":{\"day\":7,\"month\":12,\"year\":2026},\"date2\":{\"day\":1,\"month\":1,\"year\":2000},"
                     "\"label1\":\"December 2026\",\"label2\":\"January 2000\",\"facts1\":[\"Monday, 07.12.2026 "
                     "(Sagittarius)\",\"Day of Year 341\",\"Week of Month 1\",\"Week of Year 49\",\"New Year in 25 "
                     "Days\"],"),
            0u);
  EXPECT_NE(out.find("\"calendar1\":[[\"Week 12.2026\",\"Monday\",\"Tuesday\",\"Wednesday\",\"Thursday\","
                     "\"Friday\",\"Saturday\",\"Sunday\"],[\"48\",\"\",\"1\","),
            std::string::npos);
  EXPECT_EQ(out.back(), '\n');
  ASSERT_EQ(Run({"--json", "1.1.2000", "15.3.2001"}, out), 0);
  EXPECT_NE(out.find("\"difference\":[\"1 Year 2 Months 14 Days = 1.205 Years\",\"14 Months 2 Weeks 0 Days = "
                     "14.460 Months\",\"62 Weeks 5 Days = 62.714 Weeks\",\"439 Days\"]"),
            std::string::npos);
}

TEST_F(Cli, IncrementsAndLanguage) {
  std::string out;
  ASSERT_EQ(Run({"--json", "--add1=-1m", "--add2", "2w", "31.3.2001", "1.1.2000"}, out), 0);
  EXPECT_EQ(out.find("{\"date1\":{\"day\":28,\"month\":2,\"year\":2001},\"date2\":{\"day\":15,\"month\":1,"), 0u);
  ASSERT_EQ(Run({"--json", "--add1", "-3", "10.1.2000"}, out), 0);  // no letter: days
  EXPECT_EQ(out.find("{\"date1\":{\"day\":7,\"month\":1,"), 0u);
  ASSERT_EQ(Run({"--json", "--lang", "de", "--today", "7.12.2026"}, out), 0);
  EXPECT_NE(out.find("Montag, 07.12.2026 (Sch\xC3\xBCtze)"), std::string::npos);
  EXPECT_NE(out.find("\"label1\":\"Dezember 2026\""), std::string::npos);
  ASSERT_EQ(Run({"--json", "--", "--5.1.2000"}, out), 0);  // after -- everything is a date
}

TEST_F(Cli, TodayIsTheClocksDayUnlessFixed) {
  std::string out;
  ASSERT_EQ(Run({"--json", "--fields", "date1", "0"}, out), 0);
  EXPECT_EQ(out, "{\"date1\":{\"day\":7,\"month\":12,\"year\":2026}}\n");
  ASSERT_EQ(Run({"--json", "--fields", "date1", "--today", "8.12.2026", "0"}, out), 0);
  EXPECT_EQ(out, "{\"date1\":{\"day\":8,\"month\":12,\"year\":2026}}\n");
}

TEST_F(Cli, LanguageFromTheSystemUnlessGiven) {
  EXPECT_EQ(LocaleLanguage(nullptr, nullptr, "de_DE.UTF-8"), 1);
  EXPECT_EQ(LocaleLanguage(nullptr, "de", "en_US.UTF-8"), 1);
  EXPECT_EQ(LocaleLanguage("", nullptr, "de_AT@euro"), 1);  // an empty one is not set
  EXPECT_EQ(LocaleLanguage("C", "de_DE", "de_DE"), 2);      // the first set decides
  EXPECT_EQ(LocaleLanguage(nullptr, nullptr, "dev"), 2);
  EXPECT_EQ(LocaleLanguage(nullptr, nullptr, nullptr), 2);
  // Every mode reads its options through ReadProgramOptions.
  FakeProcessPlatform platform;
  CliOptionsT options;
  std::string error;
  platform.env = {{"LANG", "de_CH.UTF-8"}};
  ASSERT_TRUE(ReadProgramOptions(options, {"--screenshot", "x.png"}, error, platform));
  EXPECT_EQ(options.context.language, 1);
  ASSERT_TRUE(ReadProgramOptions(options, {"--lang", "en"}, error, platform));
  EXPECT_EQ(options.context.language, 2);
  // Without locale variables the user's interface language decides (Windows ids).
  platform.env.clear();
  for (const auto& [id, language] : {std::pair<uint16_t, uint8_t>{0x0407, 1}, {0x0C07, 1}, {0x0409, 2}, {0, 2}}) {
    platform.uiLanguage = id;
    ASSERT_TRUE(ReadProgramOptions(options, {}, error, platform));
    EXPECT_EQ(options.context.language, language) << id;
  }
  platform.env = {{"LC_MESSAGES", "C"}};  // a locale that is set wins over it
  platform.uiLanguage = 0x0407;
  ASSERT_TRUE(ReadProgramOptions(options, {}, error, platform));
  EXPECT_EQ(options.context.language, 2);
}

TEST_F(Cli, IncrementsAreSignedWholeNumbersWithAnOptionalUnit) {
  std::string out;
  const auto date1 = [&](const std::string& add) {
    return Run({"--json", "--fields", "date1", "--add1", add, "1.1.2000"}, out) == 0 ? out : "rejected: " + out;
  };
  const auto json = [](int d, int m, int y) {
    return "{\"date1\":{\"day\":" + std::to_string(d) + ",\"month\":" + std::to_string(m) +
           ",\"year\":" + std::to_string(y) + "}}\n";
  };
  EXPECT_EQ(date1("5W"), json(5, 2, 2000));
  EXPECT_EQ(date1("5w"), json(5, 2, 2000));
  EXPECT_EQ(date1("+3D"), json(4, 1, 2000));
  EXPECT_EQ(date1("-2M"), json(1, 11, 1999));
  EXPECT_EQ(date1("1y"), json(1, 1, 2001));
  EXPECT_EQ(date1("3WD"), json(5, 1, 2000));  // from Saturday 1.1.2000: Monday to Wednesday
  EXPECT_EQ(date1("10"), json(11, 1, 2000));
  EXPECT_EQ(date1("-0"), json(1, 1, 2000));
  EXPECT_EQ(date1("-2147483648d").rfind("{", 0), 0u);
  for (const char* bad : {"1e3d", "99999999999999999999d", "junk", "", "d", "5dd", "5 d", " 5", "+-5", "--5", "+",
                          "2147483648", "1.5w", "5x", "0x10"}) {
    EXPECT_EQ(date1(bad).rfind("rejected: --add1: '", 0), 0u) << bad;
  }
  EXPECT_EQ(Run({"--json", "--add2=5q"}, out), 2);
  EXPECT_EQ(out, "--add2: '5q' is no increment; an increment is a signed whole number with an optional unit d, w, "
                 "m, y or wd");
  // A batch line's increments follow the same rule; a bad one is that line's error.
  EXPECT_EQ(Run({"--json", "--batch", "--fields", "date2"}, out, "1.1.2000 1.1.2000 1e3d\n1.1.2000 1.1.2000 0 2W\n"),
            1);
  EXPECT_EQ(out, "{\"error\":\"expected V1 and V2 as a signed whole number with an optional unit d, w, m, y or wd\","
                 "\"line\":1}\n{\"date2\":{\"day\":15,\"month\":1,\"year\":2000}}\n");
}

TEST_F(Cli, RepairedDateArgumentsGetANote) {
  const auto notes = [](const std::vector<std::string>& args) {
    CliOptionsT options;
    std::string error;
    EXPECT_TRUE(ParseCommandLine(options, args, error)) << error;
    return DateNotes(options);
  };
  EXPECT_EQ(notes({"--today", "7.12.2026", "1/1/2000", "31.2.2001"}),
            (std::vector<std::string>{"date 1 \"1/1/2000\" read as 24.07.2333", "date 2 \"31.2.2001\" read as 03.03.2001"}));
  EXPECT_EQ(notes({"--today", "7.12.2026", "--", "1.1.2000", "99999999999.1.2000"}),
            (std::vector<std::string>{"date 2 \"99999999999.1.2000\" read as 07.01.2000"}));
  EXPECT_EQ(notes({"--today", "7.12.2026", "--lang", "de", "1.1.2000x", "\xC3\xA4" "1\x1b"}),
            (std::vector<std::string>{"Datum 1 \"1.1.2000x\" gelesen als 01.01.2000",
                                      "Datum 2 \"\xC3\xA4" "1\\x1b\" gelesen als 01.12.2026"}));
  EXPECT_TRUE(notes({"--today", "7.12.2026", "0", "15.3"}).empty());
  EXPECT_TRUE(notes({"--today", "7.12.2026", "..1999", "--", "-5.1.2000"}).size() == 1);  // only -5 carries
  EXPECT_TRUE(notes({"--iso", "2001-03-15"}).empty());
}

TEST_F(Cli, IsoWeeksOnlyWithTheFlag) {
  std::string iso, plain;
  ASSERT_EQ(Run({"--json", "--iso-weeks", "--today", "8.12.2026", "0"}, iso), 0);
  ASSERT_EQ(Run({"--json", "--today", "8.12.2026", "0"}, plain), 0);
  EXPECT_NE(iso.find("\"Week of Year 50\""), std::string::npos);
  EXPECT_NE(plain.find("\"Week of Year 49\""), std::string::npos);
  std::vector<std::string> weeks;
  for (size_t at = iso.find("\"calendar1\""); weeks.size() < 5;) {
    at = iso.find("],[\"", at) + 4;
    weeks.push_back(iso.substr(at, iso.find('"', at) - at));
  }
  EXPECT_EQ(weeks, (std::vector<std::string>{"49", "50", "51", "52", "53"}));
  ASSERT_EQ(Run({"--print", "--iso-weeks", "--batch"}, iso, "1.1.2027 1.1.2021\n"), 0);
  EXPECT_NE(iso.find("Week of Year 53"), std::string::npos);
}

TEST_F(Cli, BadOptionsExitWithTwo) {
  std::string out;
  EXPECT_EQ(Run({"--frobnicate"}, out), 2);
  EXPECT_EQ(Run({"--json", "--add1"}, out), 2);
  EXPECT_EQ(Run({"--today", "31.2.2001"}, out), 2);
  EXPECT_EQ(Run({"--today", "7.12"}, out), 2);
  EXPECT_EQ(Run({"--today", "7.12.0"}, out), 2);
  EXPECT_EQ(Run({"--lang", "fr"}, out), 2);
  EXPECT_EQ(Run({"--print=yes"}, out), 2);
  EXPECT_EQ(Run({"--batch"}, out), 2);
  EXPECT_EQ(Run({"--json", "garbage.text", "x"}, out), 0);  // a date text is never an error
  // A file output beside a text output, or without a name, would lose one silently.
  for (const char* file : {"--html", "--screenshot"}) {
    EXPECT_EQ(Run({std::string(file) + "="}, out), 2);
    EXPECT_EQ(out, std::string("option ") + file + " needs a file name");
    EXPECT_EQ(Run({file, ""}, out), 2);
    for (const char* text : {"--json", "--print", "--batch"}) {
      EXPECT_EQ(Run({text, file, "cal.out"}, out), 2) << file << ' ' << text;
      EXPECT_EQ(out, std::string(file) + " cannot be combined with " + text);
    }
  }
}

TEST_F(Cli, ExtraDatesAreIgnoredWithAWarning) {
  CliOptionsT options;
  std::string error;
  ASSERT_TRUE(ParseCommandLine(options, {"1.1.2000", "2.1.2000", "3.1.2000"}, error));
  EXPECT_EQ(options.dates.size(), 2u);
  EXPECT_EQ(options.warnings.size(), 1u);
}

TEST_F(Cli, BatchKeepsGoingPastBadLines) {
  std::string out;
  const int rc = Run({"--json", "--batch", "--today", "7.12.2026"}, out,
                     "1.1.2000 15.3.2001\n\tonly-one\n1.1.2000\t2.1.2000 1w -1y\r\na b c d e\n");
  EXPECT_EQ(rc, 1);
  std::istringstream lines(out);
  std::string line;
  std::vector<std::string> all;
  while (std::getline(lines, line)) all.push_back(line);
  ASSERT_EQ(all.size(), 4u);
  EXPECT_NE(all[0].find("439 Days"), std::string::npos);
  EXPECT_EQ(all[1].rfind("{\"error\":", 0), 0u);
  EXPECT_NE(all[1].find("\"line\":2}"), std::string::npos);
  EXPECT_EQ(all[2].find("{\"date1\":{\"day\":8,\"month\":1,\"year\":2000},\"date2\":{\"day\":2,\"month\":1,\"year\":1999}"),
            0u);
  EXPECT_NE(all[3].find("\"line\":4}"), std::string::npos);
  EXPECT_EQ(Run({"--json", "--batch"}, out, "1.1.2000 2.1.2000\n"), 0);

  // An overlong line is reported and skipped; reading goes on after it.
  const std::string huge = "1.1.2000 " + std::string(10 << 20, '7');
  for (const char* mode : {"--json", "--print"}) {
    EXPECT_EQ(Run({mode, "--batch"}, out, "1.1.2000 2.1.2000\n" + huge + "\r\n1.1.2000 3.1.2000"), 1);
    EXPECT_NE(out.find(mode == std::string("--json") ? "{\"error\":\"line too long\",\"line\":2}\n"
                                                     : "Line 2: line too long\n"),
              std::string::npos);
    EXPECT_NE(out.find("03.01.2000"), std::string::npos);
    EXPECT_LT(out.size(), 10000u);
  }
  // A CR alone ends a line too; CR LF stays one line end.
  EXPECT_EQ(Run({"--json", "--batch", "--fields", "date2"}, out, "1.1.2000 15.3.2001\r1.1.2000 1.1.2000\r\r\n"), 1);
  EXPECT_EQ(out, "{\"date2\":{\"day\":15,\"month\":3,\"year\":2001}}\n{\"date2\":{\"day\":1,\"month\":1,\"year\":2000}}\n"
                 "{\"error\":\"expected DATE1 DATE2 [V1 [V2]]: too few fields\",\"line\":3}\n");
  EXPECT_EQ(Run({"--json", "--batch", "--fields", "date1"}, out, "1.1.2000 2.1.2000\r\n3.1.2000 2.1.2000"), 0);
  EXPECT_EQ(out, "{\"date1\":{\"day\":1,\"month\":1,\"year\":2000}}\n{\"date1\":{\"day\":3,\"month\":1,\"year\":2000}}\n");
  // Exactly at the limit a line is still read, its CR LF included.
  EXPECT_EQ(Run({"--json", "--batch"}, out, "1.1.2000 2.1.2000" + std::string(65536 - 17, ' ') + "\r\n"), 0);

  // Fields end at a blank or a tab wherever it falls in the line's 8-byte words.
  std::string spaced, expected;
  for (size_t lead = 0; lead < 9; ++lead) {
    const std::string gap = std::string(1 + lead % 3, ' ') + (lead % 2 ? "\t" : "");
    spaced += std::string(lead, lead % 2 ? '\t' : ' ') + "2000-01-01" + gap + "2000-01-0" + std::to_string(1 + lead) +
              gap + std::to_string(lead) + "d" + gap + "\n";
    expected += "{\"date1\":{\"day\":" + std::to_string(1 + lead) + ",\"month\":1,\"year\":2000}}\n";
  }
  EXPECT_EQ(Run({"--json", "--batch", "--iso", "--fields", "date1"}, out, spaced), 0);
  EXPECT_EQ(out, expected);
}

TEST(Text, Utf8AndWindows1252) {
  EXPECT_EQ(Utf8ToAnsi("\xE2\x82\xAC \xC3\xA4 \xE4\xB8\xAD"), "\x80 \xE4 ?");
  EXPECT_EQ(AnsiToUtf8("\x80\x9F\xFF"), "\xE2\x82\xAC\xC5\xB8\xC3\xBF");
  EXPECT_EQ(Utf8ToAnsi("\xC3"), "?");          // cut sequence
  EXPECT_EQ(Utf8ToAnsi("\xC0\xAF"), "?");     // overlong form
  EXPECT_EQ(Utf8ToAnsi("\xED\xA0\x80"), "?");  // surrogate
  for (int c = 0; c < 256; ++c) {
    const std::string one(1, static_cast<char>(c));
    EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(one)), one) << c;
  }
}

// Every byte that JSON cannot hold as it is, at every place of a text that is
// read eight bytes a time, next to bytes that need no escape (0x7f, 0x80 and
// '#', which follows '"' in the code).
TEST(Text, JsonStringsEscapeEveryByteWherever) {
  const auto reference = [](std::string_view text) {
    std::string out = "\"";
    for (const char ch : text) {
      const auto c = static_cast<unsigned char>(ch);
      if (c == '"' || c == '\\') out += {'\\', ch};
      else if (c == '\n') out += "\\n";
      else if (c == '\r') out += "\\r";
      else if (c == '\t') out += "\\t";
      else if (c < 0x20) out += "\\u00" + std::string{"0123456789abcdef"[c >> 4], "0123456789abcdef"[c & 15]};
      else out += ch;
    }
    return out + "\"";
  };
  std::vector<char> special = {'"', '\\'};
  for (char c = 0; c < 0x20; ++c) special.push_back(c);
  for (size_t size = 1; size <= 20; ++size) {
    for (size_t at = 0; at < size; ++at) {
      for (const char c : special) {
        std::string text(size, '#');
        text[size / 2] = static_cast<char>(at % 2 ? 0x80 : 0x7f);
        text[at] = c;
        std::string out;
        AppendJsonString(out, text);
        ASSERT_EQ(out, reference(text)) << size << " " << at << " " << int{c};
      }
    }
  }
}

TEST_F(Cli, PrintFitsEightyColumns) {
  std::string out;
  ASSERT_EQ(Run({"--print", "--today", "7.12.2026", "7.12.-2147483648", "1.1.2000"}, out), 0);
  std::istringstream lines(out);
  std::string line;
  while (std::getline(lines, line)) EXPECT_LE(line.size(), 80u) << line;
  EXPECT_NE(out.find("[7]"), std::string::npos);
  EXPECT_NE(out.find("Difference"), std::string::npos);
  // A holiday too long for the facts' column goes on below, past the calendar.
  ASSERT_EQ(Run({"--print", "--region", "GB-NIR", "12.7.2024", "1.1.2000"}, out), 0);
  std::istringstream wrapped(out);
  while (std::getline(wrapped, line)) EXPECT_LE(line.size(), 80u) << line;
  EXPECT_NE(out.find("\n  Leap year                                     31  29  30  31\n"
                     "  Holiday: Battle of the Boyne (Orangemen's\n    Day)\n\nDate 2"),
            std::string::npos)
      << out;
}

}  // namespace

namespace {
TEST(CliHelp, FitsEightyColumnsInBothLanguages) {
  for (uint8_t language : {1, 2}) {
    std::istringstream lines(UsageText(language));
    std::string line;
    while (std::getline(lines, line)) EXPECT_LE(line.size(), 80u) << line;
    EXPECT_NE(UsageText(language).find("--iso-weeks"), std::string::npos);
  }
}
}  // namespace

namespace {

TEST_F(Cli, FieldsKeepTheObjectsOrder) {
  std::string out;
  ASSERT_EQ(Run({"--json", "--fields", "span,date2,date1", "--today", "7.12.2026", "1.1.2000", "15.3.2001"}, out), 0);
  EXPECT_EQ(out, "{\"date1\":{\"day\":1,\"month\":1,\"year\":2000},\"date2\":{\"day\":15,\"month\":3,\"year\":2001},"
                 "\"span\":{\"years\":1,\"months\":2,\"days\":14,\"totalMonths\":14,\"totalWeeks\":62,\"weekDays\":5,"
                 "\"totalDays\":439}}\n");
  ASSERT_EQ(Run({"--json", "--batch", "--fields=info2"}, out, "1.1.2000 31.12.-1\n"), 0);
  EXPECT_EQ(out, "{\"info2\":{\"weekday\":7,\"weekdayName\":\"Sunday\",\"zodiac\":1,\"zodiacName\":\"Capricorn\","
                 "\"dayOfYear\":366,\"weekOfMonth\":5,\"weekOfYear\":52,\"daysToNewYear\":1,\"leapYear\":true,"
                 "\"iso\":\"0000-12-31\"}}\n");
  for (const char* bad : {"span,nope", "", "date1,", "Span", "error"}) {
    EXPECT_EQ(Run({"--json", "--fields", bad}, out), 2) << bad;
    EXPECT_EQ(out.find('\n'), std::string::npos);
  }
  EXPECT_EQ(Run({"--json", "--print", "--fields", "span"}, out), 2);
  EXPECT_EQ(out, "--fields cannot be combined with --print");
  EXPECT_EQ(Run({"--fields", "span"}, out), 2);
  // Repeated, the lists add up.
  ASSERT_EQ(Run({"--json", "--fields", "span", "--fields=date1", "--today", "7.12.2026", "1.1.2000", "1.1.2000"}, out),
            0);
  EXPECT_EQ(out, "{\"date1\":{\"day\":1,\"month\":1,\"year\":2000},\"span\":{\"years\":0,\"months\":0,\"days\":0,"
                 "\"totalMonths\":0,\"totalWeeks\":0,\"weekDays\":0,\"totalDays\":0}}\n");
}

TEST_F(Cli, IsoDatesAreStrict) {
  std::string out;
  const auto date1 = [&](const std::string& iso) {
    return Run({"--json", "--iso", "--fields", "date1", iso}, out) == 0 ? out : "rejected";
  };
  EXPECT_EQ(date1("2001-03-15"), "{\"date1\":{\"day\":15,\"month\":3,\"year\":2001}}\n");
  EXPECT_EQ(date1("0000-02-29"), "{\"date1\":{\"day\":29,\"month\":2,\"year\":-1}}\n");  // 1 BC, a leap year
  EXPECT_EQ(date1("-0001-12-31"), "{\"date1\":{\"day\":31,\"month\":12,\"year\":-2}}\n");
  EXPECT_EQ(date1("+0001-01-01"), "{\"date1\":{\"day\":1,\"month\":1,\"year\":1}}\n");
  EXPECT_EQ(date1("+12345-06-07"), "{\"date1\":{\"day\":7,\"month\":6,\"year\":12345}}\n");
  EXPECT_EQ(date1("10000-01-01"), "{\"date1\":{\"day\":1,\"month\":1,\"year\":10000}}\n");
  EXPECT_EQ(date1("2147483647-12-31"), "{\"date1\":{\"day\":31,\"month\":12,\"year\":2147483647}}\n");
  EXPECT_EQ(date1("-2147483647-01-01"), "{\"date1\":{\"day\":1,\"month\":1,\"year\":-2147483648}}\n");
  for (const char* bad : {"2001-02-29", "2001-13-01", "2001-00-10", "2001-04-31", "2001-1-05", "201-01-05", "2001-01-5",
                          "2001/01/05", "2001-01-05x", " 2001-01-05", "15.3.2001", "0", "", "+-2001-01-01",
                          "2147483648-01-01", "-2147483648-01-01", "99999999999999999999-01-01", "--0001-01-01"}) {
    EXPECT_EQ(date1(bad), "rejected") << bad;
  }
  // A batch reports the line and goes on; --today takes the same form.
  ASSERT_EQ(Run({"--json", "--iso", "--batch", "--fields", "date2", "--today", "2026-12-07"}, out,
                "2001-02-29 2001-01-01\n2001-01-01 -0043-03-15\n"),
            1);
  EXPECT_EQ(out, "{\"error\":\"expected ISO dates YYYY-MM-DD\",\"line\":1}\n"
                 "{\"date2\":{\"day\":15,\"month\":3,\"year\":-44}}\n");
  EXPECT_EQ(Run({"--json", "--iso", "--today", "7.12.2026"}, out), 2);
  EXPECT_EQ(out.find('\n'), std::string::npos);
}

}  // namespace

namespace {

// Bavaria in 2026, counted by hand. From Thursday 1 January 2026 to 1 January
// 2027 (excluded) are 365 days: 52 weeks and one Thursday, so 104 Saturdays
// and Sundays. Holidays on weekdays: New Year's Day Thu 1 Jan, Epiphany Tue
// 6 Jan, Good Friday 3 Apr, Easter Monday 6 Apr, Labour Day Fri 1 May,
// Ascension Thu 14 May, Whit Monday 25 May, Corpus Christi Thu 4 Jun,
// Christmas Day Fri 25 Dec: 9. On the weekend: Assumption Day Sat 15 Aug (not
// in Bavaria's list in any case: only some municipalities keep it), German
// Unity Sat 3 Oct, All Saints' Day Sun 1 Nov, Second Day of Christmas Sat
// 26 Dec. 365 - 104 - 9 = 252 working days.
TEST_F(Cli, WorkingDaysInJsonOnlyWithTheirOptions) {
  std::string out;
  ASSERT_EQ(Run({"--json", "--region", "DE-BY", "--fields", "workdays", "1.1.2026", "1.1.2027"}, out), 0);
  EXPECT_EQ(out, "{\"workdays\":{\"count\":252,\"weekendDays\":104,\"holidays\":9,\"totalDays\":365,"
                 "\"region\":\"DE-BY\",\"includeEnd\":false}}\n");
  // The later date, New Year's Day 2027 (a Friday), counts with --include-end.
  ASSERT_EQ(Run({"--json", "--region=de-by", "--include-end", "--fields=workdays", "1.1.2027", "1.1.2026"}, out), 0);
  EXPECT_EQ(out, "{\"workdays\":{\"count\":252,\"weekendDays\":104,\"holidays\":10,\"totalDays\":366,"
                 "\"region\":\"DE-BY\",\"includeEnd\":true}}\n");
  // Asked for by name without a calendar: Saturday and Sunday off, no region.
  ASSERT_EQ(Run({"--json", "--fields", "workdays", "1.1.2026", "1.1.2027"}, out), 0);
  EXPECT_EQ(out, "{\"workdays\":{\"count\":261,\"weekendDays\":104,\"holidays\":0,\"totalDays\":365,"
                 "\"region\":null,\"includeEnd\":false}}\n");
  ASSERT_EQ(Run({"--json", "--weekend", "fri,sat", "--fields", "workdays", "1.1.2026", "1.1.2027"}, out), 0);
  EXPECT_NE(out.find("\"count\":261,\"weekendDays\":104,"), std::string::npos);
  ASSERT_EQ(Run({"--json", "--weekend", "sun", "--fields", "workdays", "1.1.2026", "1.1.2027"}, out), 0);
  EXPECT_NE(out.find("\"count\":313,\"weekendDays\":52,"), std::string::npos);

  // Each date's standing in info1/info2, the holiday in the chosen language.
  ASSERT_EQ(Run({"--json", "--region", "DE-BY", "--lang", "de", "--fields", "info1,info2", "25.12.2026", "28.12.2026"},
                out),
            0);
  EXPECT_NE(out.find("\"iso\":\"2026-12-25\",\"workday\":false,\"holiday\":\"1. Weihnachtstag\"}"), std::string::npos);
  EXPECT_NE(out.find("\"iso\":\"2026-12-28\",\"workday\":true,\"holiday\":null}"), std::string::npos);
  // Without a working-day option the object is as it always was.
  ASSERT_EQ(Run({"--json", "25.12.2026", "28.12.2026"}, out), 0);
  for (const char* key : {"workday", "holiday", "Holiday", "Working"}) {
    EXPECT_EQ(out.find(key), std::string::npos) << key;
  }

  // The whole year range: the parts add up to the span's days.
  ASSERT_EQ(Run({"--json", "--region", "DE-BY", "--fields", "span,workdays", "1.1.-2147483648", "31.12.2147483647"},
                out),
            0);
  long long span = 0, count = 0, weekend = 0, holidays = 0, total = 0;
  ASSERT_EQ(std::sscanf(out.c_str() + out.find("\"totalDays\""), "\"totalDays\":%lld", &span), 1);
  ASSERT_EQ(std::sscanf(out.c_str() + out.find("\"workdays\""),
                        "\"workdays\":{\"count\":%lld,\"weekendDays\":%lld,\"holidays\":%lld,\"totalDays\":%lld",
                        &count, &weekend, &holidays, &total),
            4);
  EXPECT_EQ(total, span);
  EXPECT_EQ(count + weekend + holidays, total);
  EXPECT_GT(holidays, 0);
}

TEST_F(Cli, WorkingDayIncrements) {
  std::string out;
  // Christmas Eve 2026 is a Thursday; Christmas, the Second Day and a Sunday follow.
  ASSERT_EQ(Run({"--json", "--region", "DE-BY", "--add1", "1wd", "--fields", "date1", "24.12.2026"}, out), 0);
  EXPECT_EQ(out, "{\"date1\":{\"day\":28,\"month\":12,\"year\":2026}}\n");
  ASSERT_EQ(Run({"--json", "--add1", "1wd", "--fields", "date1", "24.12.2026"}, out), 0);  // Saturday and Sunday only
  EXPECT_EQ(out, "{\"date1\":{\"day\":25,\"month\":12,\"year\":2026}}\n");
  // Ten working days after it: 28-31 Dec, 4, 5, 7, 8, 11, 12 Jan (New Year's
  // Day and Epiphany off); one before Wednesday 7 Jan 2026 is Monday 5 Jan.
  ASSERT_EQ(Run({"--json", "--batch", "--region", "DE-BY", "--fields", "date1,date2"}, out,
                "24.12.2026 7.1.2026 10wd -1wd\n"),
            0);
  EXPECT_EQ(out,
            "{\"date1\":{\"day\":12,\"month\":1,\"year\":2027},\"date2\":{\"day\":5,\"month\":1,\"year\":2026}}\n");
}

TEST_F(Cli, RegionAndHolidayLists) {
  std::string out;
  ASSERT_EQ(Run({"--regions"}, out), 0);
  EXPECT_NE(out.find("\nDE-BY\tBavaria\n"), std::string::npos);
  EXPECT_EQ(static_cast<size_t>(std::count(out.begin(), out.end(), '\n')), Regions().size());
  ASSERT_EQ(Run({"--regions", "--json", "--lang", "de"}, out), 0);
  EXPECT_EQ(out.rfind("[{\"code\":\"DE\",\"name\":\"Deutschland (bundesweit)\"},", 0), 0u);
  EXPECT_NE(out.find("{\"code\":\"DE-TH\",\"name\":\"Th\xC3\xBCringen\"}"), std::string::npos);

  ASSERT_EQ(Run({"--list-holidays", "2026:2027", "--region", "DE-BY", "--json"}, out), 0);
  EXPECT_EQ(out.rfind("[{\"date\":\"2026-01-01\",\"weekday\":4,\"weekdayName\":\"Thursday\",\"name\":\"New Year's "
                      "Day\"},",
                      0),
            0u);
  EXPECT_EQ(std::count(out.begin(), out.end(), '{'), 24);
  // Holidays of the user's own, before the era too; text columns line up.
  const std::filesystem::path file = std::filesystem::path(::testing::TempDir()) / "orvane-cli-own-holidays.txt";
  std::ofstream(file) << "# own days\n-0044-03-15 Ides of March\n2026-07-13 Summer party\n";
  ASSERT_EQ(Run({"--list-holidays", "-45:2026", "--holidays", file.string()}, out), 0);
  EXPECT_EQ(out, "15.03.-44   Friday     Ides of March\n13.07.2026  Monday     Summer party\n");
  ASSERT_EQ(Run({"--list-holidays", "2026", "--holidays", file.string(), "--region", "DE-BY"}, out), 0);
  EXPECT_NE(out.find("13.07.2026  Monday     Summer party\n03.10.2026"), std::string::npos);
  std::filesystem::remove(file);
}

// Every bad working-day option or list is one line on standard error and
// exit status 2, with nothing written.
TEST_F(Cli, WorkingDayOptionErrors) {
  const std::filesystem::path bad = std::filesystem::path(::testing::TempDir()) / "orvane-cli-bad-holidays.txt";
  std::ofstream(bad) << "-0044-03-15 Ides of March\n24.12.2026 not ISO\n";
  const std::filesystem::path early = std::filesystem::path(::testing::TempDir()) / "orvane-cli-early-holidays.txt";
  std::ofstream(early) << "-0044-03-15 Ides of March\n";
  const std::string badName = bad.string();
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"--json", "--region", "XX"}, "--region: no region 'XX'; 'orvane --regions' lists them"},
      {{"--json", "--weekend", "sat,funday"}, "--weekend: unknown weekend day"},
      {{"--json", "--weekend", "mon,tue,wed,thu,fri,sat,sun"}, "--weekend: the weekend cannot take all seven days"},
      {{"--json", "--holidays", ""}, "option --holidays needs a file name"},
      {{"--json", "--holidays", badName + ".missing"}, badName + ".missing: cannot read: "},
      {{"--print", "--holidays", badName}, badName + ":2: "},
      {{"--json", "--holidays", ::testing::TempDir()}, ": cannot read: "},
      {{"--list-holidays", "1:10001", "--region", "DE"}, "--list-holidays: at most 10000 years at once"},
      {{"--list-holidays", "-5000:5001", "--region", "DE"}, "--list-holidays: at most 10000 years at once"},
      {{"--list-holidays", "0", "--region", "DE"}, "--list-holidays: there is no year 0"},
      {{"--list-holidays", "2027:2026", "--region", "DE"}, "--list-holidays: the first year 2027 comes after"},
      {{"--list-holidays", "20x6", "--region", "DE"}, "--list-holidays: '20x6' is no year"},
      {{"--list-holidays", "2026"}, "--list-holidays needs --region or --holidays"},
      {{"--list-holidays", "2026", "--region", "DE", "1.1.2026"}, "--list-holidays takes no dates"},
      {{"--list-holidays", "2026", "--region", "DE", "--print"}, "--list-holidays cannot be combined with --print"},
      {{"--regions", "--batch", "--json"}, "--regions cannot be combined with --batch"},
      {{"--ics", "--json"}, "--ics needs --list-holidays"},
      {{"--list-holidays", "2026", "--region", "DE", "--ics", "--json"}, "--ics cannot be combined with --json"},
      {{"--list-holidays", "-44", "--holidays", early.string(), "--ics"}, "--ics: "},  // iCalendar's years are 1-9999
  };
  for (const auto& [args, message] : cases) {
    std::string out, err;
    const int rc = Run(args, out, "", &err);
    EXPECT_EQ(rc, 2) << message;
    // Parse errors come back in out, run errors in err; either way one line.
    const std::string said = rc == 2 && !err.empty() ? err : out;
    EXPECT_NE(said.find(message), std::string::npos) << said;
    EXPECT_LE(std::count(said.begin(), said.end(), '\n'), 1) << said;
    if (!err.empty()) {
      EXPECT_EQ(out, "") << message;
    }
  }
  std::filesystem::remove(bad);
  std::filesystem::remove(early);
}

// The page marks the days the window marks: a class for the weekend's days
// and the holidays, the holiday's name as the title, escaped as HTML.
TEST(CalendarPage, HolidaysCarryAClassAndTheirName) {
  CustomHolidayT own;
  own.month = 12;
  own.day = 24;
  own.firstYear = own.lastYear = 2026;
  own.name = "Tom & Jerry's \"Eve\" <1>";
  WorkCalendarT calendar;
  InitWorkCalendar(calendar, WeekendT{}, FindRegion("DE-BY"), std::vector<CustomHolidayT>{own});
  ResultInputT input;
  input.context.today = {7, 12, 2026};
  input.date1 = "24.12.2026";
  THTMLSettings settings;
  InitHtmlSettings(settings);
  const std::string plain = HtmlFileText(CalendarHtmlGrid(input.context, ComputeResults(input).calendar1, 0xF4F4F7),
                                         settings);
  EXPECT_EQ(plain.find("class="), std::string::npos);
  input.workCalendar = &calendar;
  const std::string page = HtmlFileText(CalendarHtmlGrid(input.context, ComputeResults(input).calendar1, 0xF4F4F7),
                                        settings);
  EXPECT_NE(page.find("<td nowrap class=\"holiday\" title=\"Tom &amp; Jerry's &quot;Eve&quot; &lt;1&gt;\" bgcolor="),
            std::string::npos);
  EXPECT_NE(page.find("<td nowrap class=\"holiday\" title=\"Christmas Day\" bgcolor="), std::string::npos);
  size_t weekends = 0;
  for (size_t at = page.find("class=\"weekend\""); at != std::string::npos; at = page.find("class=\"weekend\"", at + 1))
    ++weekends;
  EXPECT_EQ(weekends, 7u);  // December 2026's Saturdays and Sundays but the 26th, a holiday
  // Apart from the attributes, the same page.
  std::string stripped = page;
  for (const char* attr : {" class=\"weekend\"", " class=\"holiday\""}) {
    for (size_t at; (at = stripped.find(attr)) != std::string::npos;) stripped.erase(at, std::string(attr).size());
  }
  for (size_t at; (at = stripped.find(" title=\"")) != std::string::npos;)
    stripped.erase(at, stripped.find('"', at + 8) + 1 - at);
  EXPECT_EQ(stripped, plain);
}

}  // namespace
