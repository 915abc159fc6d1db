#pragma once
// The command line: options, the text outputs (--print, --json, --batch) and
// what the window needs from it.
#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "cli/json.h"
#include "cli/workday_args.h"
#include "results/results.h"
#include "util/cp1252.h"
#include "util/process.h"

inline constexpr const char* kProgramCaption = "Zelko Orvane 1.11";

struct IncrementArgT {
  int32_t kind = kIncDays;
  AnsiText count;  // the count's digits, as the increment field shows them
};

struct CliOptionsT {
  bool print = false, json = false, batch = false, help = false, version = false;
  bool iso = false;  // dates are ISO 8601 calendar dates
  ResultPartsT fields = kAllResultParts;  // the JSON object's keys
  bool fieldsChosen = false;
  std::filesystem::path htmlFile, screenshotFile;  // the argument's own bytes (wide on Windows)
  IncrementArgT add1, add2;
  // Language, week rule and today as --lang and --today give them. Without
  // --today the program's entry fills in the clock's day (CurrentContext).
  CalcContextT context;
  bool todayFixed = false;
  bool languageGiven = false;  // --lang named it
  bool noSettings = false;     // the window neither reads nor keeps settings
  WorkdayArgsT workdays;       // working days, holidays and their lists
  bool quiet = false;          // no notes or warnings on standard error
  std::vector<AnsiText> dates;  // at most two
  std::vector<std::string> warnings;
};

// Reads V of --add1/--add2 or a batch increment: a signed whole number within
// 32 bits with an optional unit d, w, m, y or wd (working days) in either case
// (days without one). False, leaving inc, for anything else.
bool ParseIncrementArg(std::string_view value, IncrementArgT& inc);
bool ReadIncrementArg(std::string_view value, int32_t& kind, int64_t& count);
void ReadIncrementArg(const IncrementArgT& arg, int32_t& kind, int64_t& count);
// What an increment is, for messages.
std::string IncrementRule();

// Reads the arguments (UTF-8, without the program name; file names are taken
// as they are, see ArgPath). On a bad option or combination returns false
// with a one-line message in error.
bool ParseCommandLine(CliOptionsT& options, const std::vector<std::string>& args, std::string& error);

// The language of a locale: German (1) when the first of LC_ALL, LC_MESSAGES
// and LANG that is set names German ("de", "de_DE.UTF-8", ...), else English (2).
uint8_t LocaleLanguage(const char* lcAll, const char* lcMessages, const char* lang);
// The system's language: the locale's when one of its variables is set,
// otherwise the user's interface language where the system has one (Windows).
uint8_t SystemLanguage(TProcessPlatform& platform);
// Takes the system's language unless --lang chose one.
void ApplySystemLanguage(CliOptionsT& options, TProcessPlatform& platform);

// The command line as every mode reads it: ParseCommandLine, then the
// language settled by ApplySystemLanguage.
bool ReadProgramOptions(CliOptionsT& options, const std::vector<std::string>& args, std::string& error,
                        TProcessPlatform& platform);

// Notes on date arguments that the lenient reader had to repair, one line
// each (UTF-8, without the program's name), in the options' language and on
// the day their context names: date 1 "1/1/2000" read as 24.07.2333.
std::vector<std::string> DateNotes(const CliOptionsT& options);

// The options' context on the clock's day: today is clockToday unless --today
// fixed it. Only the program's entries read the clock to give it.
CalcContextT CurrentContext(const CliOptionsT& options, const DateTripleT& clockToday);

// The input of one recalculation as the window would start with these
// options, on the day their context names. Its workCalendar stays null: the
// caller sets the one that LoadWorkCalendar builds when options.workdays.on.
ResultInputT StartInput(const CliOptionsT& options);

std::string PrintResults(const ResultsT& results);
void AppendPrintResults(std::string& out, const ResultsT& results);

// The --help text in a language (1 = German, 2 = English), Windows-1252.
std::string UsageText(uint8_t language = 2);

// Runs --help, --version, --print, --json, --batch and the lists of regions
// and holidays on the day the options' context names. Returns the exit
// status: 2 when a holiday file cannot be read, 1 when out cannot be written
// or in cannot be read (the message goes to err), when a batch line was bad,
// or 0.
int RunTextCommand(const CliOptionsT& options, std::istream& in, std::ostream& out, std::ostream& err);

// True when the options ask for text output rather than the window.
bool WantsText(const CliOptionsT& options);
