// The built-in regions and their holidays. Choices where the law is not one
// rule for the whole region:
// - A region's list holds the days kept throughout it: Assumption Day in
//   Bavaria and Corpus Christi in Saxony and Thuringia are kept only in some
//   municipalities and are not listed; Switzerland lists only the days of
//   every canton.
// - The eastern German states start in 1990, the year they were founded; the
//   GDR's calendar before is not modelled. 17 June was a holiday of the
//   Federal Republic only.
// - Repentance Day: in the western states from 1950 (Bavaria statewide only
//   from 1981), in every state 1990-1994, then in Saxony alone.
// - Great Britain's Whit Monday and first-Monday August holiday end, and the
//   late May and late August holidays start, with the Banking and Financial
//   Dealings Act 1971.
// - The United States list the federal days with the day off when one falls
//   on a weekend; Inauguration Day (for Washington D.C. only) is not listed.
#include <algorithm>
#include <limits>

#include "holidays/rules.h"

namespace {

enum RegionBitT : uint32_t {
  kDE = 1u << 0, kBW = 1u << 1, kBY = 1u << 2, kBE = 1u << 3, kBB = 1u << 4, kHB = 1u << 5,
  kHH = 1u << 6, kHE = 1u << 7, kMV = 1u << 8, kNI = 1u << 9, kNW = 1u << 10, kRP = 1u << 11,
  kSL = 1u << 12, kSN = 1u << 13, kST = 1u << 14, kSH = 1u << 15, kTH = 1u << 16,
  kAT = 1u << 17, kCH = 1u << 18, kENG = 1u << 19, kSCT = 1u << 20, kNIR = 1u << 21, kUS = 1u << 22,
};

// Same order as the bits above.
constexpr RegionT kRegions[] = {
    {"DE", "Germany (nationwide)", "Deutschland (bundesweit)", 1950},
    {"DE-BW", "Baden-W\xFCrttemberg", "Baden-W\xFCrttemberg", 1950},
    {"DE-BY", "Bavaria", "Bayern", 1950},
    {"DE-BE", "Berlin", "Berlin", 1950},
    {"DE-BB", "Brandenburg", "Brandenburg", 1990},
    {"DE-HB", "Bremen", "Bremen", 1950},
    {"DE-HH", "Hamburg", "Hamburg", 1950},
    {"DE-HE", "Hesse", "Hessen", 1950},
    {"DE-MV", "Mecklenburg-Western Pomerania", "Mecklenburg-Vorpommern", 1990},
    {"DE-NI", "Lower Saxony", "Niedersachsen", 1950},
    {"DE-NW", "North Rhine-Westphalia", "Nordrhein-Westfalen", 1950},
    {"DE-RP", "Rhineland-Palatinate", "Rheinland-Pfalz", 1950},
    {"DE-SL", "Saarland", "Saarland", 1950},
    {"DE-SN", "Saxony", "Sachsen", 1990},
    {"DE-ST", "Saxony-Anhalt", "Sachsen-Anhalt", 1990},
    {"DE-SH", "Schleswig-Holstein", "Schleswig-Holstein", 1950},
    {"DE-TH", "Thuringia", "Th\xFCringen", 1990},
    {"AT", "Austria", "\xD6sterreich", 1950},
    {"CH", "Switzerland (all cantons)", "Schweiz (alle Kantone)", 1950},
    {"GB-ENG", "England and Wales", "England und Wales", 1950},
    {"GB-SCT", "Scotland", "Schottland", 1950},
    {"GB-NIR", "Northern Ireland", "Nordirland", 1950},
    {"US", "United States (federal)", "Vereinigte Staaten (Bund)", 1950},
};

constexpr uint32_t kGermany = (1u << 17) - 1;
constexpr uint32_t kEast = kBB | kMV | kSN | kST | kTH;
constexpr uint32_t kWest = kGermany & ~kEast;
constexpr uint32_t kGB = kENG | kSCT | kNIR;
constexpr int32_t kNow = std::numeric_limits<int32_t>::max();  // current law

using K = RuleKindT;
using O = ObservanceT;

struct RowT {
  uint32_t regions;
  RuleKindT kind;
  ObservanceT observance;
  int32_t month, day, weekday;
  int32_t firstYear, lastYear;
  const char* english;
  const char* german;
};

constexpr int32_t kMon = 1, kWed = 3, kThu = 4;

constexpr RowT Fixed(uint32_t r, int32_t m, int32_t d, int32_t y1, int32_t y2, const char* en, const char* de,
                     O o = O::kNone) {
  return {r, K::kFixed, o, m, d, 1, y1, y2, en, de};
}
constexpr RowT Once(uint32_t r, int32_t y, int32_t m, int32_t d, const char* en, const char* de) {
  return Fixed(r, m, d, y, y, en, de);
}
constexpr RowT Easter(uint32_t r, int32_t offset, int32_t y1, int32_t y2, const char* en, const char* de) {
  return {r, K::kEaster, O::kNone, 3, offset, 1, y1, y2, en, de};
}
// The weekday on or after month/day: 1, 8, 15, 22 give the n-th weekday.
constexpr RowT OnOrAfter(uint32_t r, int32_t m, int32_t d, int32_t w, int32_t y1, int32_t y2, const char* en,
                         const char* de) {
  return {r, K::kWeekdayOnOrAfter, O::kNone, m, d, w, y1, y2, en, de};
}
constexpr RowT Last(uint32_t r, int32_t m, int32_t w, int32_t y1, int32_t y2, const char* en, const char* de) {
  return {r, K::kLastWeekday, O::kNone, m, 1, w, y1, y2, en, de};
}

constexpr const char* kEarlyMay = "Early May bank holiday";
constexpr const char* kEarlyMayDe = "Bankfeiertag Anfang Mai";
constexpr const char* kSpring = "Spring bank holiday";
constexpr const char* kSpringDe = "Fr\xFChjahrs-Bankfeiertag";
constexpr const char* kSummer = "Summer bank holiday";
constexpr const char* kSummerDe = "Sommer-Bankfeiertag";
constexpr const char* kUnity = "Day of German Unity";
constexpr const char* kRepentance = "Repentance and Prayer Day";
constexpr const char* kRepentanceDe = "Bu\xDF- und Bettag";
constexpr const char* kReformation = "Reformation Day";

constexpr RowT kRows[] = {
    // Germany
    Fixed(kGermany, 1, 1, 0, kNow, "New Year's Day", "Neujahr"),
    Fixed(kBW | kBY | kST, 1, 6, 0, kNow, "Epiphany", "Heilige Drei K\xF6nige"),
    Fixed(kBE, 3, 8, 2019, kNow, "International Women's Day", "Internationaler Frauentag"),
    Fixed(kMV, 3, 8, 2023, kNow, "International Women's Day", "Internationaler Frauentag"),
    Easter(kGermany, -2, 0, kNow, "Good Friday", "Karfreitag"),
    Easter(kBB, 0, 0, kNow, "Easter Sunday", "Ostersonntag"),
    Easter(kGermany, 1, 0, kNow, "Easter Monday", "Ostermontag"),
    Fixed(kGermany, 5, 1, 0, kNow, "Labour Day", "Tag der Arbeit"),
    Once(kBE, 2020, 5, 8, "Liberation Day", "Tag der Befreiung"),
    Once(kBE, 2025, 5, 8, "Liberation Day", "Tag der Befreiung"),
    Easter(kGermany, 39, 0, kNow, "Ascension Day", "Christi Himmelfahrt"),
    Easter(kBB, 49, 0, kNow, "Whit Sunday", "Pfingstsonntag"),
    Easter(kGermany, 50, 0, kNow, "Whit Monday", "Pfingstmontag"),
    Easter(kBW | kBY | kHE | kNW | kRP | kSL, 60, 0, kNow, "Corpus Christi", "Fronleichnam"),
    Fixed(kWest, 6, 17, 1954, 1990, kUnity, "Tag der deutschen Einheit"),
    Fixed(kSL, 8, 15, 0, kNow, "Assumption Day", "Mari\xE4 Himmelfahrt"),
    Fixed(kTH, 9, 20, 2019, kNow, "World Children's Day", "Weltkindertag"),
    Fixed(kGermany, 10, 3, 1990, kNow, kUnity, "Tag der Deutschen Einheit"),
    Once(kGermany, 2017, 10, 31, kReformation, "Reformationstag"),
    Fixed(kEast, 10, 31, 0, kNow, kReformation, "Reformationstag"),
    Fixed(kHB | kHH | kNI | kSH, 10, 31, 2018, kNow, kReformation, "Reformationstag"),
    Fixed(kBW | kBY | kNW | kRP | kSL, 11, 1, 0, kNow, "All Saints' Day", "Allerheiligen"),
    OnOrAfter(kGermany & ~(kDE | kBY), 11, 16, kWed, 0, 1994, kRepentance, kRepentanceDe),
    OnOrAfter(kDE | kBY, 11, 16, kWed, 1981, 1994, kRepentance, kRepentanceDe),
    OnOrAfter(kSN, 11, 16, kWed, 1995, kNow, kRepentance, kRepentanceDe),
    Fixed(kGermany, 12, 25, 0, kNow, "Christmas Day", "1. Weihnachtstag"),
    Fixed(kGermany, 12, 26, 0, kNow, "Second Day of Christmas", "2. Weihnachtstag"),
    // Austria
    Fixed(kAT, 1, 1, 0, kNow, "New Year's Day", "Neujahr"),
    Fixed(kAT, 1, 6, 0, kNow, "Epiphany", "Heilige Drei K\xF6nige"),
    Easter(kAT, 1, 0, kNow, "Easter Monday", "Ostermontag"),
    Fixed(kAT, 5, 1, 0, kNow, "National Holiday (Labour Day)", "Staatsfeiertag"),
    Easter(kAT, 39, 0, kNow, "Ascension Day", "Christi Himmelfahrt"),
    Easter(kAT, 50, 0, kNow, "Whit Monday", "Pfingstmontag"),
    Easter(kAT, 60, 0, kNow, "Corpus Christi", "Fronleichnam"),
    Fixed(kAT, 8, 15, 0, kNow, "Assumption Day", "Mari\xE4 Himmelfahrt"),
    Fixed(kAT, 10, 26, 1967, kNow, "National Day", "Nationalfeiertag"),
    Fixed(kAT, 11, 1, 0, kNow, "All Saints' Day", "Allerheiligen"),
    Fixed(kAT, 12, 8, 1955, kNow, "Immaculate Conception", "Mari\xE4 Empf\xE4ngnis"),
    Fixed(kAT, 12, 25, 0, kNow, "Christmas Day", "Christtag"),
    Fixed(kAT, 12, 26, 0, kNow, "St. Stephen's Day", "Stefanitag"),
    // Switzerland: the days of every canton
    Fixed(kCH, 1, 1, 0, kNow, "New Year's Day", "Neujahrstag"),
    Easter(kCH, 39, 0, kNow, "Ascension Day", "Auffahrt"),
    Fixed(kCH, 8, 1, 1994, kNow, "Swiss National Day", "Bundesfeiertag"),
    Fixed(kCH, 12, 25, 0, kNow, "Christmas Day", "Weihnachtstag"),
    // Great Britain
    Fixed(kSCT, 1, 1, 0, kNow, "New Year's Day", "Neujahr", O::kSubstitute),
    Fixed(kENG | kNIR, 1, 1, 1974, kNow, "New Year's Day", "Neujahr", O::kSubstitute),
    Fixed(kSCT, 1, 2, 0, kNow, "2nd January", "2. Januar", O::kSubstitute),
    Fixed(kNIR, 3, 17, 0, kNow, "St Patrick's Day", "St.-Patricks-Tag", O::kSubstitute),
    Easter(kGB, -2, 0, kNow, "Good Friday", "Karfreitag"),
    Easter(kENG | kNIR, 1, 0, kNow, "Easter Monday", "Ostermontag"),
    OnOrAfter(kSCT, 5, 1, kMon, 0, 1977, kEarlyMay, kEarlyMayDe),
    OnOrAfter(kGB, 5, 1, kMon, 1978, 1994, kEarlyMay, kEarlyMayDe),
    Once(kGB, 1995, 5, 8, kEarlyMay, kEarlyMayDe),
    OnOrAfter(kGB, 5, 1, kMon, 1996, 2019, kEarlyMay, kEarlyMayDe),
    Once(kGB, 2020, 5, 8, kEarlyMay, kEarlyMayDe),
    OnOrAfter(kGB, 5, 1, kMon, 2021, kNow, kEarlyMay, kEarlyMayDe),
    Easter(kENG | kNIR, 50, 0, 1970, "Whit Monday", "Pfingstmontag"),
    Last(kGB, 5, kMon, 1971, 1976, kSpring, kSpringDe),
    Once(kGB, 1977, 6, 6, kSpring, kSpringDe),
    Last(kGB, 5, kMon, 1978, 2001, kSpring, kSpringDe),
    Once(kGB, 2002, 6, 4, kSpring, kSpringDe),
    Last(kGB, 5, kMon, 2003, 2011, kSpring, kSpringDe),
    Once(kGB, 2012, 6, 4, kSpring, kSpringDe),
    Last(kGB, 5, kMon, 2013, 2021, kSpring, kSpringDe),
    Once(kGB, 2022, 6, 2, kSpring, kSpringDe),
    Last(kGB, 5, kMon, 2023, kNow, kSpring, kSpringDe),
    Fixed(kNIR, 7, 12, 0, kNow, "Battle of the Boyne (Orangemen's Day)", "Schlacht am Boyne", O::kSubstitute),
    OnOrAfter(kSCT, 8, 1, kMon, 0, kNow, kSummer, kSummerDe),
    OnOrAfter(kENG | kNIR, 8, 1, kMon, 0, 1970, kSummer, kSummerDe),
    Last(kENG | kNIR, 8, kMon, 1971, kNow, kSummer, kSummerDe),
    Fixed(kSCT, 11, 30, 2007, kNow, "St Andrew's Day", "Andreastag", O::kSubstitute),
    Fixed(kGB, 12, 25, 0, kNow, "Christmas Day", "1. Weihnachtstag", O::kSubstitute),
    Fixed(kENG | kNIR, 12, 26, 0, kNow, "Boxing Day", "2. Weihnachtstag", O::kSubstitute),
    Fixed(kSCT, 12, 26, 1974, kNow, "Boxing Day", "2. Weihnachtstag", O::kSubstitute),
    Once(kGB, 1973, 11, 14, "Wedding of Princess Anne", "Hochzeit von Prinzessin Anne"),
    Once(kGB, 1977, 6, 7, "Silver Jubilee of Elizabeth II", "Silbernes Thronjubil\xE4um Elisabeths II."),
    Once(kGB, 1981, 7, 29, "Wedding of the Prince of Wales", "Hochzeit des Prinzen von Wales"),
    Once(kGB, 1999, 12, 31, "Millennium Eve", "Millenniumsfeier"),
    Once(kGB, 2002, 6, 3, "Golden Jubilee of Elizabeth II", "Goldenes Thronjubil\xE4um Elisabeths II."),
    Once(kGB, 2011, 4, 29, "Wedding of Prince William", "Hochzeit von Prinz William"),
    Once(kGB, 2012, 6, 5, "Diamond Jubilee of Elizabeth II", "Diamantenes Thronjubil\xE4um Elisabeths II."),
    Once(kGB, 2022, 6, 3, "Platinum Jubilee of Elizabeth II", "Platin-Thronjubil\xE4um Elisabeths II."),
    Once(kGB, 2022, 9, 19, "State Funeral of Elizabeth II", "Staatsbegr\xE4" "bnis Elisabeths II."),
    Once(kGB, 2023, 5, 8, "Coronation of Charles III", "Kr\xF6nung Charles' III."),
    // United States: federal holidays
    Fixed(kUS, 1, 1, 0, kNow, "New Year's Day", "Neujahr", O::kObserved),
    OnOrAfter(kUS, 1, 15, kMon, 1986, kNow, "Birthday of Martin Luther King, Jr.", "Martin-Luther-King-Tag"),
    Fixed(kUS, 2, 22, 0, 1970, "Washington's Birthday", "Washingtons Geburtstag", O::kObserved),
    OnOrAfter(kUS, 2, 15, kMon, 1971, kNow, "Washington's Birthday", "Washingtons Geburtstag"),
    Fixed(kUS, 5, 30, 0, 1970, "Memorial Day", "Memorial Day (Gefallenengedenktag)", O::kObserved),
    Last(kUS, 5, kMon, 1971, kNow, "Memorial Day", "Memorial Day (Gefallenengedenktag)"),
    Fixed(kUS, 6, 19, 2021, kNow, "Juneteenth National Independence Day", "Juneteenth", O::kObserved),
    Fixed(kUS, 7, 4, 0, kNow, "Independence Day", "Unabh\xE4ngigkeitstag", O::kObserved),
    OnOrAfter(kUS, 9, 1, kMon, 0, kNow, "Labor Day", "Tag der Arbeit"),
    Fixed(kUS, 10, 12, 0, 1970, "Columbus Day", "Columbus Day", O::kObserved),
    OnOrAfter(kUS, 10, 8, kMon, 1971, kNow, "Columbus Day", "Columbus Day"),
    Fixed(kUS, 11, 11, 0, 1970, "Veterans Day", "Veteranentag", O::kObserved),
    OnOrAfter(kUS, 10, 22, kMon, 1971, 1977, "Veterans Day", "Veteranentag"),
    Fixed(kUS, 11, 11, 1978, kNow, "Veterans Day", "Veteranentag", O::kObserved),
    OnOrAfter(kUS, 11, 22, kThu, 0, kNow, "Thanksgiving Day", "Thanksgiving (Erntedankfest)"),
    Fixed(kUS, 12, 25, 0, kNow, "Christmas Day", "1. Weihnachtstag", O::kObserved),
};

}  // namespace

std::span<const RegionT> Regions() { return kRegions; }

const RegionT* FindRegion(std::string_view code) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  for (const RegionT& r : kRegions) {
    if (r.code.size() == code.size() &&
        std::equal(code.begin(), code.end(), r.code.begin(), [&](char a, char b) { return lower(a) == lower(b); })) {
      return &r;
    }
  }
  return nullptr;
}

std::vector<HolidayRuleT> RegionRules(const RegionT& region) {
  std::vector<HolidayRuleT> rules;
  const auto* found = std::find_if(std::begin(kRegions), std::end(kRegions),
                                   [&](const RegionT& r) { return r.code == region.code; });
  if (found == std::end(kRegions)) return rules;
  const uint32_t bit = 1u << (found - kRegions);
  for (const RowT& row : kRows) {
    if ((row.regions & bit) == 0 || row.lastYear < region.firstYear) continue;
    HolidayRuleT r;
    r.kind = row.kind;
    r.observance = row.observance;
    r.month = row.month;
    r.day = row.day;
    r.weekday = row.weekday;
    r.firstYear = std::max(row.firstYear, region.firstYear);
    r.lastYear = row.lastYear;
    r.english = row.english;
    r.german = row.german;
    rules.push_back(std::move(r));
  }
  return rules;
}
