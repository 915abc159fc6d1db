#include "app/cli.h"

#include <array>
#include <cstring>
#include <istream>
#include <ostream>
#include <string_view>

#include "app/program_args.h"
#include "app/texts.h"
#include "util/ErrorText.h"
#include "util/StdStreams.h"
#include "util/cp1252.h"
#include "util/valstr.h"

namespace {

// --today takes a complete, valid date only: it fixes what "today" means.
bool ParseToday(std::string_view text, DateTripleT& date) {
  int32_t fields[3];
  for (int i = 0; i < 3; ++i) {
    const size_t dot = i < 2 ? text.find('.') : text.size();
    if (dot == std::string_view::npos) return false;
    if (!ReadStrictInt(text.substr(0, dot), fields[i])) return false;
    text = i < 2 ? text.substr(dot + 1) : std::string_view();
  }
  date = {fields[0], fields[1], fields[2]};
  return date.year != 0 && ValidDate(date.day, date.month, date.year);
}

// Bytes that JSON strings cannot hold as they are.
constexpr std::array<bool, 256> kNeedsEscape = [] {
  std::array<bool, 256> t{};
  for (int c = 0; c < 0x20; ++c) t[c] = true;
  t['"'] = t['\\'] = true;
  return t;
}();

void AppendJsonString(std::string& out, std::string_view ansi) {
  out += '"';
  size_t run = 0;  // start of the pending run that needs no escape
  for (size_t i = 0; i < ansi.size(); ++i) {
    const auto c = static_cast<unsigned char>(ansi[i]);
    if (!kNeedsEscape[c]) continue;
    out.append(ansi.data() + run, i - run);
    run = i + 1;
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default: {
        static constexpr char kHex[] = "0123456789abcdef";
        const char esc[6] = {'\\', 'u', '0', '0', kHex[c >> 4], kHex[c & 15]};
        out.append(esc, 6);
      }
    }
  }
  out.append(ansi.data() + run, ansi.size() - run);
  out += '"';
}

void AppendJsonDate(std::string& out, const DateTripleT& d) {
  out += "{\"day\":";
  out += IntText(d.day);
  out += ",\"month\":";
  out += IntText(d.month);
  out += ",\"year\":";
  out += IntText(d.year);
  out += '}';
}

std::string_view TrimmedRight(std::string_view line) {
  while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
  return line;
}

void AppendJsonLines(std::string& out, std::string_view memo, bool trimBlanks) {
  out += '[';
  bool first = true;
  ForEachLine(memo, [&](std::string_view line) {
    if (!first) out += ',';
    first = false;
    AppendJsonString(out, trimBlanks ? TrimmedRight(line) : line);
  });
  out += ']';
}

// Calendar cells hold numbers only and the captions are plain words, so a
// whole row is written straight into one buffer; this keeps --batch fast.
void AppendJsonCalendar(std::string& out, const MonthCalendarT& cal, const CalcContextT& context) {
  static const auto kHeaderTails = [] {
    std::array<std::string, 2> tails;  // German, English
    for (uint8_t language = 1; language <= 2; ++language) {
      CalcContextT names;
      names.language = language;
      for (int32_t c = 0; c < 7; ++c) {
        tails[language - 1] += ",";
        AppendJsonString(tails[language - 1], WeekdayCaption(names, c));
      }
      tails[language - 1] += "]";
    }
    return tails;
  }();
  out += '[';
  out += '[';
  AppendJsonString(out, cal.weekCaption);
  out += kHeaderTails[context.language == 1 ? 0 : 1];
  for (int32_t r = 1; r <= MonthCalendarT::kRows; ++r) {
    char row[8 * (sizeof(CellTextT::data) + 3) + 4];
    size_t n = 0;
    row[n++] = ',';
    row[n++] = '[';
    for (int32_t v = 0; v < 8; ++v) {
      const CellTextT& cell = cal.cells[r][v == 0 ? MonthCalendarT::kWeekColumn : v - 1];
      if (v) row[n++] = ',';
      row[n++] = '"';
      for (uint8_t i = 0; i < cell.size; ++i) row[n++] = cell.data[i];
      row[n++] = '"';
    }
    row[n++] = ']';
    out.append(row, n);
  }
  out += ']';
}

// UTF-8 output: runs of ASCII go out as they are, checked eight bytes a time.
bool WriteUtf8(std::ostream& out, std::string_view ansi) {
  size_t run = 0, i = 0;
  while (i < ansi.size()) {
    if (i + 8 <= ansi.size()) {
      uint64_t word;
      std::memcpy(&word, ansi.data() + i, 8);
      if ((word & 0x8080808080808080ULL) == 0) {
        i += 8;
        continue;
      }
    }
    if (static_cast<unsigned char>(ansi[i]) < 0x80) {
      ++i;
      continue;
    }
    out.write(ansi.data() + run, static_cast<std::streamsize>(i - run));
    const std::string converted = AnsiToUtf8(ansi.substr(i, 1));
    out.write(converted.data(), static_cast<std::streamsize>(converted.size()));
    run = ++i;
  }
  out.write(ansi.data() + run, static_cast<std::streamsize>(ansi.size() - run));
  return static_cast<bool>(out);
}

std::string PadRight(std::string_view s, size_t width) {
  std::string out(s);
  if (out.size() < width) out.append(width - out.size(), ' ');
  return out;
}

std::string PadLeft(std::string_view s, size_t width) {
  std::string out;
  if (s.size() < width) out.append(width - s.size(), ' ');
  out += s;
  return out;
}

// A wall-calendar block: facts on the left, the month on the right.
void AppendPrintedDate(std::string& out, const CalcContextT& context, std::string_view title, std::string_view label,
                       std::string_view facts, const MonthCalendarT& cal) {
  out += title;
  out += ": ";
  out += label;
  out += '\n';
  std::vector<std::string_view> lines;
  ForEachLine(facts, [&](std::string_view line) { lines.push_back(line); });
  for (int32_t r = 0; r <= MonthCalendarT::kRows; ++r) {
    std::string row = "  ";
    row += PadRight(static_cast<size_t>(r) < lines.size() ? lines[r] : std::string_view(), 44);
    if (r == 0) {
      row += "  ";
      row += LangText(context.language, TextT::kWeekShort);
      row += ' ';
      for (int32_t c = 0; c < 7; ++c) {
        row += ' ';
        row += WeekdayCaption(context, c).substr(0, 2);
        row += ' ';
      }
    } else {
      row += PadLeft(cal.cells[r][MonthCalendarT::kWeekColumn].view(), 4);
      row += ' ';
      for (int32_t c = 0; c < 7; ++c) {
        const std::string_view cell = cal.cells[r][c].view();
        // The date's own day in brackets, digits staying in their column.
        if (r == cal.ownRow && c == cal.ownColumn && !cell.empty()) row += PadLeft("[" + std::string(cell), 3) + "]";
        else row += PadLeft(cell, 3) + " ";
      }
    }
    while (!row.empty() && row.back() == ' ') row.pop_back();
    if (row.empty()) continue;
    out += row;
    out += '\n';
  }
}

// A date as the window writes it into its field at start-up: DateText,
// except that a negative day or month is written as it is ("-1" where the
// two-digit rule gives "0-1"), so that the field reads back as the date that
// was parsed.
std::string StartDateText(const DateTripleT& d) {
  if (d.day >= 0 && d.month >= 0) return DateText(d.day, d.month, d.year);
  return PadNumber(d.day, 2) + "." + PadNumber(d.month, 2) + "." + IntText(d.year);
}

// The fields show the dates as the window writes them at start-up.
void FillStartInput(ResultInputT& input, const std::string* date1, const std::string* date2,
                    const IncrementArgT& add1, const IncrementArgT& add2) {
  const DateTripleT d1 = date1 ? ParseDate(input.context, *date1) : input.context.today;
  const DateTripleT d2 = date2 ? ParseDate(input.context, *date2) : DateTripleT{1, 1, 2000};
  input.date1 = StartDateText(d1);
  input.date2 = StartDateText(d2);
  input.kind1 = add1.kind;
  input.count1 = add1.count;
  input.kind2 = add2.kind;
  input.count2 = add2.count;
}

constexpr int kOutputFailed = -1, kInputFailed = -2;

// Longer lines are no dates; they are skipped without being kept.
constexpr size_t kBatchLineLimit = 64 * 1024;

void AppendBatchError(std::string& buffer, const CliOptionsT& options, int64_t lineNo, const char* why) {
  if (options.json) {
    buffer += "{\"error\":";
    AppendJsonString(buffer, why);
    buffer += ",\"line\":";
    buffer += IntText(lineNo);
    buffer += "}\n";
  } else {
    buffer += "Line " + IntText(lineNo) + ": " + why + "\n\n";
  }
}

int RunBatch(const CliOptionsT& options, std::istream& in, std::ostream& out) {
  ResultsT results;
  ResultInputT input;
  input.context = CurrentContext(options);
  std::string buffer, line, date1, date2;
  buffer.reserve(1 << 17);
  int64_t lineNo = 0;
  bool failed = false;
  std::string_view fields[5];
  for (LineReadT got; (got = ReadLimitedLine(in, line, kBatchLineLimit)) != LineReadT::End;) {
    ++lineNo;
    if (got == LineReadT::TooLong) {
      failed = true;
      AppendBatchError(buffer, options, lineNo, "line too long");
      continue;
    }
    const std::string ansi = Utf8ToAnsi(line);
    int count = 0;
    size_t i = 0;
    while (i < ansi.size() && count < 5) {
      while (i < ansi.size() && (ansi[i] == ' ' || ansi[i] == '\t')) ++i;
      if (i >= ansi.size()) break;
      const size_t start = i;
      while (i < ansi.size() && ansi[i] != ' ' && ansi[i] != '\t') ++i;
      fields[count++] = std::string_view(ansi).substr(start, i - start);
    }
    if (count < 2 || count > 4) {
      failed = true;
      AppendBatchError(buffer, options, lineNo,
                       count < 2 ? "expected DATE1 DATE2 [V1 [V2]]: too few fields"
                                 : "expected DATE1 DATE2 [V1 [V2]]: too many fields");
    } else {
      const IncrementArgT add1 = count > 2 ? ParseIncrementArg(std::string(fields[2])) : options.add1;
      const IncrementArgT add2 = count > 3 ? ParseIncrementArg(std::string(fields[3])) : options.add2;
      date1.assign(fields[0]);
      date2.assign(fields[1]);
      FillStartInput(input, &date1, &date2, add1, add2);
      ComputeResults(results, input);
      if (options.json) {
        AppendJsonResults(buffer, results);
        buffer += '\n';
      } else {
        buffer += PrintResults(results);
        buffer += '\n';
      }
    }
    if (buffer.size() > (1 << 16)) {
      // A reader that has gone ends the batch at once.
      if (!WriteUtf8(out, buffer)) return kOutputFailed;
      buffer.clear();
    }
  }
  if (!WriteUtf8(out, buffer) || !out.flush()) return kOutputFailed;
  if (StreamError(in) != 0) return kInputFailed;
  return failed ? 1 : 0;
}

}  // namespace

IncrementArgT ParseIncrementArg(const AnsiText& value) {
  IncrementArgT inc;
  inc.count = value;
  if (!value.empty()) {
    switch (value.back()) {
      case 'd': inc.kind = kIncDays; break;
      case 'w': inc.kind = kIncWeeks; break;
      case 'm': inc.kind = kIncMonths; break;
      case 'y': inc.kind = kIncYears; break;
      default: return inc;
    }
    inc.count.pop_back();
  }
  return inc;
}

namespace {

std::string Shown(const std::string& arg) { return ShownText(arg); }

}  // namespace

bool ParseCommandLine(CliOptionsT& options, const std::vector<std::string>& args, std::string& error) {
  options = CliOptionsT{};
  bool datesOnly = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (datesOnly || arg.size() < 2 || arg[0] != '-' || (arg[1] != '-' && arg != "-h")) {
      options.dates.push_back(Utf8ToAnsi(arg));
      continue;
    }
    if (arg == "--") {
      datesOnly = true;
      continue;
    }
    std::string name = arg, value;
    bool hasValue = false;
    if (const size_t eq = arg.find('='); eq != std::string::npos) {
      name = arg.substr(0, eq);
      value = arg.substr(eq + 1);
      hasValue = true;
    }
    const bool takesValue = name == "--add1" || name == "--add2" || name == "--today" || name == "--lang" ||
                            name == "--html" || name == "--screenshot";
    if (takesValue && !hasValue) {
      if (i + 1 >= args.size()) {
        error = "option " + Shown(name) + " needs a value";
        return false;
      }
      value = args[++i];
    } else if (!takesValue && hasValue) {
      error = "option " + Shown(name) + " takes no value";
      return false;
    }
    if (name == "--print") options.print = true;
    else if (name == "--json") options.json = true;
    else if (name == "--batch") options.batch = true;
    else if (name == "--help" || name == "-h") options.help = true;
    else if (name == "--version") options.version = true;
    else if (name == "--no-settings") options.noSettings = true;
    else if (name == "--iso-weeks") options.context.weeks = WeekNumberingT::kIso8601;
    else if (name == "--add1") options.add1 = ParseIncrementArg(Utf8ToAnsi(value));
    else if (name == "--add2") options.add2 = ParseIncrementArg(Utf8ToAnsi(value));
    else if (name == "--html" || name == "--screenshot") {
      if (value.empty()) {
        error = "option " + name + " needs a file name";
        return false;
      }
      (name == "--html" ? options.htmlFile : options.screenshotFile) = ArgPath(value);
    }
    else if (name == "--today") {
      DateTripleT today;
      if (!ParseToday(value, today)) {
        error = "--today needs a complete valid date D.M.Y, not '" + Shown(value) + "'";
        return false;
      }
      options.context.today = today;
      options.todayFixed = true;
    } else if (name == "--lang") {
      if (value == "en") options.context.language = 2;
      else if (value == "de") options.context.language = 1;
      else {
        error = "--lang takes en or de, not '" + Shown(value) + "'";
        return false;
      }
      options.languageGiven = true;
    } else {
      error = "unknown option " + Shown(name);
      return false;
    }
  }
  // A file option beside a text option would silently lose one of the two.
  for (const auto& [file, fileOption] :
       {std::pair{&options.htmlFile, "--html"}, {&options.screenshotFile, "--screenshot"}}) {
    for (const auto& [set, textOption] :
         {std::pair{options.json, "--json"}, {options.print, "--print"}, {options.batch, "--batch"}}) {
      if (!file->empty() && set) {
        error = std::string(fileOption) + " cannot be combined with " + textOption;
        return false;
      }
    }
  }
  if (options.batch && !options.json && !options.print) {
    error = "--batch needs --json or --print";
    return false;
  }
  if (options.dates.size() > 2) {
    options.warnings.push_back("only the first two dates count; " + IntText(options.dates.size() - 2) +
                               " more ignored");
    options.dates.resize(2);
  }
  return true;
}

uint8_t LocaleLanguage(const char* lcAll, const char* lcMessages, const char* lang) {
  // The first one set decides, as for every program's messages.
  for (const char* value : {lcAll, lcMessages, lang}) {
    if (!value || !*value) continue;
    const std::string_view v(value);
    const bool german = v.size() >= 2 && (v[0] == 'd' || v[0] == 'D') && (v[1] == 'e' || v[1] == 'E') &&
                        (v.size() == 2 || v[2] == '_' || v[2] == '.' || v[2] == '@' || v[2] == '-');
    return german ? 1 : 2;
  }
  return 2;
}

void ApplyLocaleLanguage(CliOptionsT& options, const char* lcAll, const char* lcMessages, const char* lang) {
  if (!options.languageGiven) options.context.language = LocaleLanguage(lcAll, lcMessages, lang);
}

CalcContextT CurrentContext(const CliOptionsT& options) {
  CalcContextT context = options.context;
  if (!options.todayFixed) context.today = TodayDate();
  return context;
}

ResultInputT StartInput(const CliOptionsT& options) {
  ResultInputT input;
  input.context = CurrentContext(options);
  FillStartInput(input, options.dates.size() > 0 ? &options.dates[0] : nullptr,
                 options.dates.size() > 1 ? &options.dates[1] : nullptr, options.add1, options.add2);
  return input;
}

std::string JsonResults(const ResultsT& r) {
  std::string out;
  AppendJsonResults(out, r);
  return out;
}

void AppendJsonResults(std::string& out, const ResultsT& r) {
  out += "{\"date1\":";
  AppendJsonDate(out, r.date1);
  out += ",\"date2\":";
  AppendJsonDate(out, r.date2);
  out += ",\"label1\":";
  AppendJsonString(out, r.label1);
  out += ",\"label2\":";
  AppendJsonString(out, r.label2);
  out += ",\"facts1\":";
  AppendJsonLines(out, r.facts1, false);
  out += ",\"facts2\":";
  AppendJsonLines(out, r.facts2, false);
  out += ",\"difference\":";
  AppendJsonLines(out, r.difference, true);
  out += ",\"calendar1\":";
  AppendJsonCalendar(out, r.calendar1, r.context);
  out += ",\"calendar2\":";
  AppendJsonCalendar(out, r.calendar2, r.context);
  out += '}';
}

std::string PrintResults(const ResultsT& r) {
  std::string out;
  const uint8_t lang = r.context.language;
  AppendPrintedDate(out, r.context, LangText(lang, TextT::kDate1), r.label1, r.facts1, r.calendar1);
  out += '\n';
  AppendPrintedDate(out, r.context, LangText(lang, TextT::kDate2), r.label2, r.facts2, r.calendar2);
  out += '\n';
  out += LangText(lang, TextT::kDifference);
  out += '\n';
  ForEachLine(r.difference, [&](std::string_view line) {
    out += "  ";
    out += TrimmedRight(line);
    out += '\n';
  });
  return out;
}

std::string UsageText(uint8_t language) { return std::string(LangText(language, TextT::kUsage)); }

bool WantsText(const CliOptionsT& o) { return o.help || o.version || o.print || o.json || o.batch; }

namespace {

int RunTextOutput(const CliOptionsT& options, std::istream& in, std::ostream& out) {
  if (options.help) return WriteUtf8(out, UsageText(options.context.language)) && out.flush() ? 0 : kOutputFailed;
  if (options.version) return WriteUtf8(out, std::string(kProgramCaption) + "\n") && out.flush() ? 0 : kOutputFailed;
  if (options.batch) return RunBatch(options, in, out);
  const ResultsT results = ComputeResults(StartInput(options));
  std::string text;
  if (options.json) text += JsonResults(results) + "\n";
  if (options.print) text += PrintResults(results);
  return WriteUtf8(out, text) && out.flush() ? 0 : kOutputFailed;
}

}  // namespace

int RunTextCommand(const CliOptionsT& options, std::istream& in, std::ostream& out, std::ostream& err) {
  const int status = RunTextOutput(options, in, out);
  if (status == kOutputFailed) {
    err << "orvane: cannot write standard output: " << SystemReason(StreamError(out)) << '\n';
    return 1;
  }
  if (status == kInputFailed) {
    err << "orvane: cannot read standard input: " << SystemReason(StreamError(in)) << '\n';
    return 1;
  }
  return status;
}
