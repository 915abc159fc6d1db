#include "cli/cli.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <istream>
#include <ostream>
#include <string_view>

#include "cli/program_args.h"
#include "holidays/holidayfile.h"
#include "results/texts.h"
#include "dates/isodate.h"
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

// UTF-8 output: runs of ASCII go out as they are, checked eight bytes a time.
bool WriteUtf8(std::ostream& out, std::string_view ansi) {
  while (!ansi.empty()) {
    const size_t run = AsciiPrefixLength(ansi);
    out.write(ansi.data(), static_cast<std::streamsize>(run));
    if (run == ansi.size()) break;
    const std::string converted = AnsiToUtf8(ansi.substr(run, 1));
    out.write(converted.data(), static_cast<std::streamsize>(converted.size()));
    ansi.remove_prefix(run + 1);
  }
  return static_cast<bool>(out);
}

void AppendPadded(std::string& out, std::string_view s, size_t width, bool left) {
  if (left && s.size() < width) out.append(width - s.size(), ' ');
  out += s;
  if (!left && s.size() < width) out.append(width - s.size(), ' ');
}

// A wall-calendar block: facts on the left, the month on the right. Rows
// are written in place, so a batch allocates nothing per case.
void AppendPrintedDate(std::string& out, const CalcContextT& context, std::string_view title, std::string_view label,
                       std::string_view facts, const MonthCalendarT& cal) {
  out += title;
  out += ": ";
  out += label;
  out += '\n';
  // A fact wider than its column (a long holiday name) goes on in the next
  // row, indented; rows past the calendar's hold facts alone.
  constexpr size_t kWidth = 44, kIndent = 2;
  std::string_view lines[24];
  bool continued[std::size(lines)] = {};
  size_t count = 0;
  ForEachLine(facts, [&](std::string_view line) {
    for (bool more = false; count < std::size(lines); more = true) {
      const size_t width = more ? kWidth - kIndent : kWidth;
      size_t cut = line.size() <= width ? line.size() : line.rfind(' ', width);
      if (cut == std::string_view::npos || cut == 0) cut = width;
      continued[count] = more;
      lines[count++] = line.substr(0, cut);
      line.remove_prefix(cut);
      while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
      if (line.empty()) return;
    }
  });
  const auto rows = static_cast<int32_t>(std::max<size_t>(count, MonthCalendarT::kRows + 1));
  for (int32_t r = 0; r < rows; ++r) {
    const size_t rowStart = out.size();
    const bool fact = static_cast<size_t>(r) < count;
    out.append(fact && continued[r] ? 2 + kIndent : 2, ' ');
    AppendPadded(out, fact ? lines[r] : std::string_view(), fact && continued[r] ? kWidth - kIndent : kWidth, false);
    if (r == 0) {
      out += "  ";
      out += LangText(context.language, TextT::kWeekShort);
      out += ' ';
      for (int32_t c = 0; c < 7; ++c) {
        out += ' ';
        out += WeekdayCaption(context, c).substr(0, 2);
        out += ' ';
      }
    } else if (r <= MonthCalendarT::kRows) {
      AppendPadded(out, cal.cells[r][MonthCalendarT::kWeekColumn].view(), 4, true);
      out += ' ';
      for (int32_t c = 0; c < 7; ++c) {
        const std::string_view cell = cal.cells[r][c].view();
        // The date's own day in brackets, digits staying in their column.
        const bool own = r == cal.ownRow && c == cal.ownColumn && !cell.empty();
        out.append(cell.size() + (own ? 1 : 0) < 3 ? 3 - cell.size() - (own ? 1 : 0) : 0, ' ');
        if (own) out += '[';
        out += cell;
        out += own ? ']' : ' ';
      }
    }
    while (out.size() > rowStart && out.back() == ' ') out.pop_back();
    if (out.size() > rowStart) out += '\n';
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
void FillStartInput(ResultInputT& input, const DateTripleT& d1, const DateTripleT& d2, const IncrementArgT& add1,
                    const IncrementArgT& add2) {
  input.date1 = StartDateText(d1);
  input.date2 = StartDateText(d2);
  input.kind1 = add1.kind;
  input.count1 = add1.count;
  input.kind2 = add2.kind;
  input.count2 = add2.count;
}

// A date argument or batch field: an ISO date with --iso, otherwise as
// ParseDate reads it (the start field reads back the same date). False only
// for a bad ISO date.
bool ReadDateArg(const CliOptionsT& options, const CalcContextT& context, std::string_view text,
                 DateTripleT& date) {
  if (options.iso) return ParseIsoDate(text, date);
  date = ParseDate(context, text);
  return true;
}

constexpr int kOutputFailed = -1, kInputFailed = -2;

// Longer lines are no dates; they are skipped without being kept.
constexpr size_t kBatchLineLimit = 64 * 1024;

void AppendBatchError(std::string& buffer, const CliOptionsT& options, int64_t lineNo, const char* why) {
  if (options.json) {
    buffer += "{\"error\":";
    AppendJsonString(buffer, why);
    buffer += ",\"line\":";
    AppendIntText(buffer, lineNo);
    buffer += "}\n";
  } else {
    buffer += "Line ";
    AppendIntText(buffer, lineNo);
    buffer += ": ";
    buffer += why;
    buffer += "\n\n";
  }
}

// The first blank or tab at or after i, else the end; eight bytes a step.
size_t FieldEnd(std::string_view text, size_t i) {
  if constexpr (std::endian::native == std::endian::little) {
    constexpr uint64_t kOnes = 0x0101010101010101ULL, kHigh = 0x8080808080808080ULL;
    for (; i + 8 <= text.size(); i += 8) {
      uint64_t word;
      std::memcpy(&word, text.data() + i, sizeof word);
      const uint64_t blank = word ^ (kOnes * ' '), tab = word ^ (kOnes * '\t');
      // The lowest marked byte is the first zero byte; marks above it may be false.
      const uint64_t marks = ((blank - kOnes) & ~blank & kHigh) | ((tab - kOnes) & ~tab & kHigh);
      if (marks != 0) return i + static_cast<size_t>(std::countr_zero(marks) / 8);
    }
  }
  while (i < text.size() && text[i] != ' ' && text[i] != '\t') ++i;
  return i;
}

// Read, computed and written in one pass; buffers are reused, so a case
// allocates nothing. Only the parts that the output shows are computed.
int RunBatch(const CliOptionsT& options, const WorkCalendarT* work, std::istream& in, std::ostream& out) {
  ResultsT results;
  const CalcContextT& context = options.context;
  const ResultPartsT parts = options.print ? kAllResultParts : options.fields;
  ResultCaseT defaults;
  defaults.workCalendar = work;
  defaults.includeEnd = options.workdays.includeEnd;
  ReadIncrementArg(options.add1, defaults.kind1, defaults.count1);
  ReadIncrementArg(options.add2, defaults.kind2, defaults.count2);
  std::string buffer, line, converted;
  buffer.reserve(1 << 17);
  int64_t lineNo = 0;
  bool failed = false;
  std::string_view fields[5];
  std::string_view text;
  for (LineReadT got; (got = ReadLimitedLine(in, line, text, kBatchLineLimit)) != LineReadT::End;) {
    ++lineNo;
    if (got == LineReadT::TooLong) {
      failed = true;
      AppendBatchError(buffer, options, lineNo, "line too long");
      continue;
    }
    std::string_view ansi = text;
    if (AsciiPrefixLength(ansi) != ansi.size()) {
      converted = Utf8ToAnsi(text);
      ansi = converted;
    }
    int count = 0;
    size_t i = 0;
    while (i < ansi.size() && count < 5) {
      while (i < ansi.size() && (ansi[i] == ' ' || ansi[i] == '\t')) ++i;
      if (i >= ansi.size()) break;
      const size_t start = i;
      i = FieldEnd(ansi, i);
      fields[count++] = ansi.substr(start, i - start);
    }
    ResultCaseT input = defaults;
    if (count < 2 || count > 4) {
      failed = true;
      AppendBatchError(buffer, options, lineNo,
                       count < 2 ? "expected DATE1 DATE2 [V1 [V2]]: too few fields"
                                 : "expected DATE1 DATE2 [V1 [V2]]: too many fields");
    } else if (!ReadDateArg(options, context, fields[0], input.date1) ||
               !ReadDateArg(options, context, fields[1], input.date2)) {
      failed = true;
      AppendBatchError(buffer, options, lineNo, "expected ISO dates YYYY-MM-DD");
    } else if ((count > 2 && !ReadIncrementArg(fields[2], input.kind1, input.count1)) ||
               (count > 3 && !ReadIncrementArg(fields[3], input.kind2, input.count2))) {
      failed = true;
      static const std::string why = "expected V1 and V2 as " + IncrementRule();
      AppendBatchError(buffer, options, lineNo, why.c_str());
    } else {
      ComputeResults(results, context, input, parts);
      if (options.json) AppendJsonResults(buffer, results, parts);
      else AppendPrintResults(buffer, results);
      buffer += '\n';
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

namespace {

// An increment's units, matched without regard to case; the longest suffix
// that matches wins, so a unit may end in another one ("wd" in "d").
struct IncrementUnitT {
  std::string_view suffix;
  int32_t kind;
};
constexpr IncrementUnitT kIncrementUnits[] = {
    {"d", kIncDays}, {"w", kIncWeeks}, {"m", kIncMonths}, {"y", kIncYears}, {"wd", kIncWorkdays},
};

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
  if (suffix.size() > text.size()) return false;
  text.remove_prefix(text.size() - suffix.size());
  for (size_t i = 0; i < suffix.size(); ++i) {
    const char c = text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
    if (c != suffix[i]) return false;
  }
  return true;
}

// "d, w, m, y or wd" for messages.
std::string IncrementUnitList() {
  std::string list;
  const size_t n = std::size(kIncrementUnits);
  for (size_t i = 0; i < n; ++i) {
    if (i > 0) list += i + 1 < n ? ", " : " or ";
    list += kIncrementUnits[i].suffix;
  }
  return list;
}

}  // namespace

bool ReadIncrementArg(std::string_view value, int32_t& kind, int64_t& count) {
  int32_t unitKind = kIncDays;
  size_t unitSize = 0;
  for (const IncrementUnitT& unit : kIncrementUnits) {
    if (unit.suffix.size() > unitSize && EndsWithNoCase(value, unit.suffix)) {
      unitKind = unit.kind;
      unitSize = unit.suffix.size();
    }
  }
  value.remove_suffix(unitSize);
  // A sign, then digits within 32 bits; "+" only before a digit.
  if (!value.empty() && value[0] == '+' && value.size() > 1 && value[1] != '-') value.remove_prefix(1);
  int32_t n = 0;
  if (!ReadStrictInt(value, n)) return false;
  kind = unitKind;
  count = n;
  return true;
}

bool ParseIncrementArg(std::string_view value, IncrementArgT& inc) {
  int32_t kind;
  int64_t count;
  if (!ReadIncrementArg(value, kind, count)) return false;
  inc.kind = kind;
  inc.count = IntText(count);
  return true;
}

void ReadIncrementArg(const IncrementArgT& arg, int32_t& kind, int64_t& count) {
  kind = arg.kind;
  count = TextToInt(arg.count);
}

std::string IncrementRule() { return "a signed whole number with an optional unit " + IncrementUnitList(); }

namespace {

std::string Shown(const std::string& arg) { return ShownText(arg); }

// The working days asked for by --fields are counted with the default
// weekend. The lists are outputs of their own: nothing else they could be
// combined with would show.
bool CheckWorkdayOptions(CliOptionsT& options, std::string& error) {
  WorkdayArgsT& w = options.workdays;
  if (options.fieldsChosen && (options.fields & kPartWorkdays)) w.on = true;
  if (w.ics && !w.listHolidays) {
    error = "--ics needs --list-holidays";
    return false;
  }
  if (!w.listRegions && !w.listHolidays) return true;
  const char* list = w.listRegions ? "--regions" : "--list-holidays";
  if (w.listRegions && w.listHolidays) {
    error = "--regions cannot be combined with --list-holidays";
    return false;
  }
  for (const auto& [set, other] : {std::pair{options.print, "--print"}, {options.batch, "--batch"},
                                   {options.fieldsChosen, "--fields"}, {!options.htmlFile.empty(), "--html"},
                                   {!options.screenshotFile.empty(), "--screenshot"}}) {
    if (set) {
      error = std::string(list) + " cannot be combined with " + other;
      return false;
    }
  }
  if (w.ics && options.json) {
    error = "--ics cannot be combined with --json";
    return false;
  }
  if (!options.dates.empty()) {
    error = std::string(list) + " takes no dates";
    return false;
  }
  if (w.listHolidays && !w.region && w.holidayFiles.empty()) {
    error = "--list-holidays needs --region or --holidays";
    return false;
  }
  if (w.ics && !IcsSupported()) {
    error = "--ics: no iCalendar support here (libical is not built in or cannot be loaded)";
    return false;
  }
  return true;
}

}  // namespace

bool ParseCommandLine(CliOptionsT& options, const std::vector<std::string>& args, std::string& error) {
  options = CliOptionsT{};
  bool datesOnly = false;
  std::string todayText;
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
                            name == "--html" || name == "--screenshot" || name == "--fields" ||
                            WorkdayOptionTakesValue(name);
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
    else if (name == "--iso") options.iso = true;
    else if (name == "--quiet") options.quiet = true;
    else if (name == "--add1" || name == "--add2") {
      if (!ParseIncrementArg(value, name == "--add1" ? options.add1 : options.add2)) {
        error = name + ": '" + Shown(value) + "' is no increment; an increment is " + IncrementRule();
        return false;
      }
    }
    else if (name == "--html" || name == "--screenshot") {
      if (value.empty()) {
        error = "option " + name + " needs a file name";
        return false;
      }
      (name == "--html" ? options.htmlFile : options.screenshotFile) = ArgPath(value);
    }
    else if (name == "--today") {
      // Read once the options are known: --iso changes its form.
      todayText = value;
      options.todayFixed = true;
    } else if (name == "--fields") {
      std::string bad;
      ResultPartsT parts = 0;
      if (!ParseResultFields(value, parts, bad)) {
        error = "--fields: no result key '" + Shown(bad) + "'; the keys are " + ResultKeyList();
        return false;
      }
      // Each --fields adds its keys.
      options.fields = options.fieldsChosen ? options.fields | parts : parts;
      options.fieldsChosen = true;
    } else if (name == "--lang") {
      if (value == "en") options.context.language = 2;
      else if (value == "de") options.context.language = 1;
      else {
        error = "--lang takes en or de, not '" + Shown(value) + "'";
        return false;
      }
      options.languageGiven = true;
    } else if (IsWorkdayOption(name)) {
      if (!ReadWorkdayOption(options.workdays, name, value, error)) return false;
    } else {
      error = "unknown option " + Shown(name);
      return false;
    }
  }
  if (!CheckWorkdayOptions(options, error)) return false;
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
  if (options.fieldsChosen && (options.print || !options.json)) {
    error = options.print ? "--fields cannot be combined with --print" : "--fields needs --json";
    return false;
  }
  if (options.todayFixed) {
    DateTripleT today;
    if (options.iso ? !ParseIsoDate(todayText, today) : !ParseToday(todayText, today)) {
      error = std::string("--today needs a complete valid date ") + (options.iso ? "YYYY-MM-DD" : "D.M.Y") +
              ", not '" + Shown(todayText) + "'";
      return false;
    }
    options.context.today = today;
  }
  if (options.dates.size() > 2) {
    options.warnings.push_back("only the first two dates count; " + IntText(options.dates.size() - 2) +
                               " more ignored");
    options.dates.resize(2);
  }
  for (const AnsiText& date : options.dates) {
    DateTripleT read;
    if (options.iso && !ParseIsoDate(date, read)) {
      error = "--iso: '" + Shown(AnsiToUtf8(date)) + "' is no valid date YYYY-MM-DD";
      return false;
    }
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

uint8_t SystemLanguage(TProcessPlatform& platform) {
  const std::string lcAll = platform.Getenv("LC_ALL"), lcMessages = platform.Getenv("LC_MESSAGES"),
                    lang = platform.Getenv("LANG");
  if (!lcAll.empty() || !lcMessages.empty() || !lang.empty())
    return LocaleLanguage(lcAll.c_str(), lcMessages.c_str(), lang.c_str());
  // A Windows language id: the primary language in the low ten bits, 7 German.
  const uint16_t ui = platform.UiLanguage();
  return ui != 0 && (ui & 0x3FF) == 0x07 ? 1 : 2;
}

void ApplySystemLanguage(CliOptionsT& options, TProcessPlatform& platform) {
  if (!options.languageGiven) options.context.language = SystemLanguage(platform);
}

bool ReadProgramOptions(CliOptionsT& options, const std::vector<std::string>& args, std::string& error,
                        TProcessPlatform& platform) {
  if (!ParseCommandLine(options, args, error)) return false;
  ApplySystemLanguage(options, platform);
  return true;
}

std::vector<std::string> DateNotes(const CliOptionsT& options) {
  std::vector<std::string> notes;
  if (options.iso) return notes;  // strict: nothing is repaired
  const CalcContextT& context = options.context;
  for (size_t i = 0; i < options.dates.size(); ++i) {
    const DateReadingT reading = ReadDateField(context, options.dates[i]);
    if (reading.hint.empty()) continue;
    std::string note(LangText(context.language, TextT::kDateNote));
    note += IntText(static_cast<int64_t>(i + 1));
    note += " \"" + ShownText(AnsiToUtf8(options.dates[i])) + "\" ";
    note += AnsiToUtf8(reading.hint);
    notes.push_back(std::move(note));
  }
  return notes;
}

CalcContextT CurrentContext(const CliOptionsT& options, const DateTripleT& clockToday) {
  CalcContextT context = options.context;
  if (!options.todayFixed) context.today = clockToday;
  return context;
}

ResultInputT StartInput(const CliOptionsT& options) {
  ResultInputT input;
  input.context = options.context;
  DateTripleT d1 = input.context.today, d2{1, 1, 2000};
  if (options.dates.size() > 0) ReadDateArg(options, input.context, options.dates[0], d1);
  if (options.dates.size() > 1) ReadDateArg(options, input.context, options.dates[1], d2);
  FillStartInput(input, d1, d2, options.add1, options.add2);
  input.includeEnd = options.workdays.includeEnd;
  return input;
}

std::string PrintResults(const ResultsT& r) {
  std::string out;
  AppendPrintResults(out, r);
  return out;
}

void AppendPrintResults(std::string& out, const ResultsT& r) {
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
}

std::string UsageText(uint8_t language) { return std::string(LangText(language, TextT::kUsage)); }

bool WantsText(const CliOptionsT& o) {
  return o.help || o.version || o.print || o.json || o.batch || o.workdays.listRegions || o.workdays.listHolidays;
}

namespace {

// The holidays of --list-holidays; iCalendar is UTF-8 already.
int RunHolidayList(const CliOptionsT& options, const WorkCalendarT& work, std::ostream& out, std::ostream& err) {
  const WorkdayArgsT& w = options.workdays;
  const std::vector<HolidayT> holidays = HolidaysInYears(work, w.firstYear, w.lastYear);
  if (w.ics) {
    const IcsTextT ics = HolidaysIcs(holidays, options.context.language);
    if (!ics.error.empty()) {
      // Years that iCalendar cannot hold: a bad request like any other.
      err << "orvane: --ics: " << ics.error << '\n';
      return 2;
    }
    out.write(ics.text.data(), static_cast<std::streamsize>(ics.text.size()));
    return out.flush() ? 0 : kOutputFailed;
  }
  std::string text;
  AppendHolidayList(text, holidays, options.context, options.json);
  return WriteUtf8(out, text) && out.flush() ? 0 : kOutputFailed;
}

int RunTextOutput(const CliOptionsT& options, const WorkCalendarT* work, std::istream& in, std::ostream& out,
                  std::ostream& err) {
  if (options.help) return WriteUtf8(out, UsageText(options.context.language)) && out.flush() ? 0 : kOutputFailed;
  if (options.version) return WriteUtf8(out, std::string(kProgramCaption) + "\n") && out.flush() ? 0 : kOutputFailed;
  if (options.workdays.listRegions) {
    std::string text;
    AppendRegionList(text, options.context.language, options.json);
    return WriteUtf8(out, text) && out.flush() ? 0 : kOutputFailed;
  }
  if (options.workdays.listHolidays) return RunHolidayList(options, *work, out, err);
  if (options.batch) return RunBatch(options, work, in, out);
  ResultInputT input = StartInput(options);
  input.workCalendar = work;
  const ResultsT results = ComputeResults(input);
  std::string text;
  if (options.json) {
    AppendJsonResults(text, results, options.fields);
    text += '\n';
  }
  if (options.print) text += PrintResults(results);
  return WriteUtf8(out, text) && out.flush() ? 0 : kOutputFailed;
}

}  // namespace

int RunTextCommand(const CliOptionsT& options, std::istream& in, std::ostream& out, std::ostream& err) {
  WorkCalendarT calendar;
  const WorkdayArgsT& w = options.workdays;
  const bool needsCalendar = !options.help && !options.version && (w.on || w.listHolidays);
  if (needsCalendar) {
    std::string error;
    if (!LoadWorkCalendar(calendar, w, error)) {
      err << "orvane: " << error << '\n';
      return 2;
    }
  }
  const int status = RunTextOutput(options, needsCalendar ? &calendar : nullptr, in, out, err);
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
