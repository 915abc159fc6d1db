#include "results/texts.h"

#include <array>

namespace {

using TableT = std::array<std::string_view, static_cast<size_t>(TextT::kCount)>;

constexpr TableT kEnglish = {
    "Year", "s", "Month", "s", "Week", "s", "Day", "s",
    "Years", "Months", "Weeks",
    ".",
    "Day of Year ", "Week of Month ", "Week of Year ",
    "New Year in ", " Day", " Days",
    "Leap year",
    "Week", "Week ",
    "Date 1", "Date 2", "Difference", "Wk",
    "read as ",
    "Working Day", "s",
    "Holiday: ",
    "date ",
    "Usage: orvane [options] [--] [DATE1 [DATE2]]\n"
    "Dates are day.month.year; a field left 0 or empty means today's value.\n"
    "Without a text option the window opens.\n"
    "\n"
    "  --print            the results as text\n"
    "  --json             the results as one JSON object\n"
    "  --batch            with --json or --print: one case per line from standard\n"
    "                     input, DATE1 DATE2 [V1 [V2]]\n"
    "  --add1 V, --add2 V increment of date 1 / date 2: a signed whole number, with\n"
    "                     d, w, m, y or wd for days, weeks, months, years or\n"
    "                     working days (days when it has none)\n"
    "  --fields LIST      with --json: only these keys, comma-separated, e.g.\n"
    "                     date1,date2,span (see the README for all keys)\n"
    "  --iso              dates are ISO 8601, [+-]YYYY-MM-DD; ISO counts years\n"
    "                     astronomically: 0000 is 1 BC (year -1), -0001 is year -2\n"
    "  --today D.M.Y      the date that today means (YYYY-MM-DD with --iso)\n"
    "  --lang en|de       language of the texts (default: English, German when the\n"
    "                     locale in LC_ALL, LC_MESSAGES or LANG is German)\n"
    "  --iso-weeks        ISO 8601 week numbers (week 1 holds the first Thursday)\n"
    "  --region CODE      count working days and name the holidays of a region\n"
    "  --weekend LIST     the days off each week: sat,sun (the default), fri,sat, ...\n"
    "  --holidays FILE    holidays of your own, a list or an iCalendar file;\n"
    "                     may be repeated\n"
    "  --include-end      the later date counts as a day of the span too\n"
    "                     (working days are counted with any of these four)\n"
    "  --regions          list the regions' codes and names\n"
    "  --list-holidays YEAR[:YEAR]\n"
    "                     list the holidays of --region and --holidays in these\n"
    "                     years; with --json as JSON, with --ics as iCalendar\n"
    "  --html FILE        write date 1's month calendar as an HTML page\n"
    "  --screenshot FILE  render the window into a PNG file\n"
    "  --no-settings      the window starts as new and keeps nothing\n"
    "  --quiet            no notes on dates read otherwise than written, no warnings\n"
    "  --help, --version\n",
};

// Windows-1252: \xE4 a-umlaut, \xF6 o-umlaut, \xFC u-umlaut, \xDF sharp s.
constexpr TableT kGerman = {
    "Jahr", "e", "Monat", "e", "Woche", "n", "Tag", "e",
    "Jahre", "Monate", "Wochen",
    ",",
    "Tag des Jahres ", "Woche des Monats ", "Kalenderwoche ",
    "Neujahr in ", " Tag", " Tagen",
    "Schaltjahr",
    "Woche", "Woche ",
    "Datum 1", "Datum 2", "Differenz", "KW",
    "gelesen als ",
    "Arbeitstag", "e",
    "Feiertag: ",
    "Datum ",
    "Aufruf: orvane [Optionen] [--] [DATUM1 [DATUM2]]\n"
    "Ein Datum ist Tag.Monat.Jahr; ein Feld mit 0 oder leer steht f\xFCr heute.\n"
    "Ohne Textoption \xF6" "ffnet sich das Fenster.\n"
    "\n"
    "  --print            die Ergebnisse als Text\n"
    "  --json             die Ergebnisse als ein JSON-Objekt\n"
    "  --batch            mit --json oder --print: ein Fall je Zeile von der\n"
    "                     Standardeingabe, DATUM1 DATUM2 [V1 [V2]]\n"
    "  --add1 V, --add2 V Datum 1 / Datum 2 verschieben; V ist eine ganze Zahl, mit\n"
    "                     d, w, m, y oder wd f\xFCr Tage, Wochen, Monate, Jahre oder\n"
    "                     Arbeitstage (ohne Endung Tage)\n"
    "  --fields LISTE     mit --json: nur diese Schl\xFCssel, durch Kommas getrennt,\n"
    "                     z. B. date1,date2,span (alle Schl\xFCssel im README)\n"
    "  --iso              Daten nach ISO 8601, [+-]JJJJ-MM-TT; ISO z\xE4hlt die Jahre\n"
    "                     astronomisch: 0000 ist 1 v. Chr. (Jahr -1), -0001 Jahr -2\n"
    "  --today T.M.J      das Datum, das als heute gilt (JJJJ-MM-TT mit --iso)\n"
    "  --lang en|de       Sprache der Texte (Vorgabe: Englisch, Deutsch, wenn das\n"
    "                     Gebietsschema in LC_ALL, LC_MESSAGES oder LANG deutsch ist)\n"
    "  --iso-weeks        Wochennummern nach ISO 8601 (Woche 1 enth\xE4lt den ersten\n"
    "                     Donnerstag)\n"
    "  --region CODE      Arbeitstage z\xE4hlen und die Feiertage eines Gebiets nennen\n"
    "  --weekend LISTE    freie Tage jeder Woche: sat,sun (Vorgabe), fri,sat, ...\n"
    "  --holidays DATEI   eigene Feiertage, eine Liste oder eine iCalendar-Datei;\n"
    "                     darf mehrfach stehen\n"
    "  --include-end      das sp\xE4tere Datum z\xE4hlt als Tag der Spanne mit\n"
    "                     (mit jeder dieser vier Optionen werden Arbeitstage gez\xE4hlt)\n"
    "  --regions          die Gebiete mit Code und Namen auflisten\n"
    "  --list-holidays JAHR[:JAHR]\n"
    "                     die Feiertage von --region und --holidays in diesen Jahren\n"
    "                     auflisten; mit --json als JSON, mit --ics als iCalendar\n"
    "  --html DATEI       den Monatskalender von Datum 1 als HTML-Seite schreiben\n"
    "  --screenshot DATEI das Fenster als PNG-Datei abbilden\n"
    "  --no-settings      das Fenster beginnt neu und merkt sich nichts\n"
    "  --quiet            keine Hinweise auf anders gelesene Daten, keine Warnungen\n"
    "  --help, --version\n",
};

}  // namespace

std::string_view LangText(uint8_t language, TextT id) {
  const size_t i = static_cast<size_t>(id);
  if (i >= kEnglish.size()) return {};
  return (language == 1 ? kGerman : kEnglish)[i];
}
