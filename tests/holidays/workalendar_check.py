#!/usr/bin/python3
"""Compares every built-in region's holidays with Debian's workalendar, 1950-2100.

usage: workalendar_check.py HOLIDAY_DATES_PROGRAM

The program prints a region's dates ("YYYY-MM-DD<TAB>name"). Each date that
one side has and the other lacks must be explained by an entry of EXCEPTIONS;
anything else fails. Exit status 77 (skipped) when workalendar is missing.
"""
import re
import subprocess
import sys
import warnings

try:
    import workalendar.europe as europe
    import workalendar.usa as usa
except ImportError:
    print("workalendar is not installed: skipped")
    sys.exit(77)

FIRST, LAST = 1950, 2100

GERMAN_STATES = {
    "DE-BW": europe.BadenWurttemberg, "DE-BY": europe.Bavaria, "DE-BE": europe.Berlin,
    "DE-BB": europe.Brandenburg, "DE-HB": europe.Bremen, "DE-HH": europe.Hamburg,
    "DE-HE": europe.Hesse, "DE-MV": europe.MecklenburgVorpommern, "DE-NI": europe.LowerSaxony,
    "DE-NW": europe.NorthRhineWestphalia, "DE-RP": europe.RhinelandPalatinate,
    "DE-SL": europe.Saarland, "DE-SN": europe.Saxony, "DE-ST": europe.SaxonyAnhalt,
    "DE-SH": europe.SchleswigHolstein, "DE-TH": europe.Thuringia,
}
REGIONS = {
    "DE": europe.Germany, **GERMAN_STATES,
    "AT": europe.Austria, "CH": europe.Switzerland,
    "GB-ENG": europe.UnitedKingdom, "GB-SCT": europe.Scotland,
    "GB-NIR": europe.UnitedKingdomNorthernIreland,
    # workalendar's UnitedStates lacks Juneteenth; its FederalReserveSystem is
    # UnitedStates with it.
    "US": usa.FederalReserveSystem,
}
# Switzerland: only the days every canton keeps are compared.
SWISS_EVERY_CANTON = {"New year", "Ascension Thursday", "National Holiday", "Christmas Day"}

GERMANY = set(REGIONS) - {"AT", "CH", "GB-ENG", "GB-SCT", "GB-NIR", "US"}
EAST = {"DE-BB", "DE-MV", "DE-SN", "DE-ST", "DE-TH"}
GB = {"GB-ENG", "GB-SCT", "GB-NIR"}

# (regions, first year, last year, side, name pattern, why). side "ours": a
# date only this program has (pattern on our name); "theirs": a date only
# workalendar has (pattern on its name).
EXCEPTIONS = [
    # Germany
    (EAST, 1950, 1989, "theirs", r".", "the eastern states' list starts in 1990, the year they were founded"),
    (GERMANY - EAST, 1954, 1990, "ours", r"^Day of German Unity$",
     "17 June was the Day of German Unity 1954-1990; workalendar knows only 3 October"),
    (GERMANY, 1950, 1989, "theirs", r"^Day of German Unity$", "3 October is a holiday since 1990"),
    (GERMANY - EAST - {"DE", "DE-BY"}, 1950, 1994, "ours", r"^Repentance and Prayer Day$",
     "Repentance Day was a holiday in every western state until 1994; workalendar has it only in Saxony"),
    ({"DE", "DE-BY"}, 1981, 1994, "ours", r"^Repentance and Prayer Day$",
     "Repentance Day was kept statewide in Bavaria (so nationwide) 1981-1994"),
    (EAST - {"DE-SN"}, 1990, 1994, "ours", r"^Repentance and Prayer Day$",
     "Repentance Day was a holiday in every state 1990-1994"),
    ({"DE-BY"}, 1950, 2100, "theirs", r"^Assumption of Mary to Heaven$",
     "Assumption Day is kept only in Bavaria's municipalities with a Catholic majority; not listed"),
    ({"DE-BB"}, 1990, 2100, "ours", r"^Whit Sunday$", "Brandenburg's law lists Whit Sunday as well as Easter Sunday"),
    ({"DE-MV"}, 2023, 2100, "ours", r"^International Women's Day$", "Women's Day in Mecklenburg-Vorpommern since 2023"),
    ({"DE-TH"}, 2019, 2100, "ours", r"^World Children's Day$", "World Children's Day in Thuringia since 2019"),
    ({"DE-BE"}, 2025, 2025, "ours", r"^Liberation Day$", "Berlin kept 8 May 2025 (80 years)"),
    # Austria
    ({"AT"}, 1950, 1966, "theirs", r"^National Holiday$", "26 October is a holiday since 1967"),
    ({"AT"}, 1950, 1954, "theirs", r"^Immaculate Conception$", "8 December is a holiday again since 1955"),
    # Switzerland
    ({"CH"}, 1950, 1993, "theirs", r"^National Holiday$", "1 August is a federal holiday since 1994"),
    # Great Britain
    (GB - {"GB-SCT"}, 1950, 1973, "theirs", r"^New year|^New Year shift$",
     "New Year's Day is a bank holiday in England, Wales and Northern Ireland since 1974"),
    (GB, 1950, 2100, "theirs", r"^Easter Sunday$", "Easter Sunday is not a bank holiday"),
    (GB, 1950, 1977, "theirs", r"^Early May Bank Holiday$", "the Early May bank holiday starts in 1978"),
    (GB, 1995, 1995, "theirs", r"^Early May Bank Holiday$", "1995's Early May bank holiday moved to 8 May"),
    (GB, 1995, 1995, "ours", r"^Early May bank holiday$", "1995's Early May bank holiday moved to 8 May"),
    (GB - {"GB-SCT"}, 1950, 1970, "theirs", r"^Spring Bank Holiday$|^Late Summer Bank Holiday$",
     "until 1970 Whit Monday and the first Monday of August (Banking and Financial Dealings Act 1971)"),
    (GB - {"GB-SCT"}, 1950, 1970, "ours", r"^Whit Monday$|^Summer bank holiday$",
     "until 1970 Whit Monday and the first Monday of August (Banking and Financial Dealings Act 1971)"),
    (GB, 2023, 2023, "ours", r"^Coronation of Charles III$", "the coronation bank holiday, 8 May 2023"),
    # Scotland: workalendar's Scotland calls itself experimental and lacks most bank holidays.
    ({"GB-SCT"}, 1950, 2100, "ours", r"^Good Friday$", "Good Friday is a bank holiday in Scotland"),
    ({"GB-SCT"}, 1950, 2100, "ours", r"\(substitute day\)$", "Scotland's bank holidays have substitute days"),
    ({"GB-SCT"}, 1971, 2100, "ours", r"^Spring bank holiday$", "the late May bank holiday (1971 Act)"),
    ({"GB-SCT"}, 1950, 2100, "ours", r"^Summer bank holiday$", "Scotland's summer bank holiday, first Monday of August"),
    ({"GB-SCT"}, 2007, 2100, "ours", r"^St Andrew's Day$", "St Andrew's Day Bank Holiday (Scotland) Act 2007"),
    ({"GB-SCT"}, 1950, 1973, "theirs", r"^Boxing Day$", "Boxing Day is a bank holiday in Scotland since 1974"),
    ({"GB-SCT"}, 1950, 2100, "ours", r"^Wedding|Jubilee|^Millennium|^State Funeral|^Coronation",
     "the one-off bank holidays are kept in Scotland too"),
    ({"GB-SCT"}, 2020, 2020, "ours", r"^Early May bank holiday$", "2020's Early May bank holiday moved to Friday 8 May"),
    ({"GB-SCT"}, 2020, 2020, "theirs", r"^May Day$", "2020's Early May bank holiday moved to Friday 8 May"),
    ({"GB-SCT"}, 1995, 1995, "theirs", r"^May Day$", "1995's Early May bank holiday moved to 8 May"),
    # United States
    ({"US"}, 1985, 1985, "theirs", r"^Birthday of Martin Luther King", "Martin Luther King Day is kept since 1986"),
    ({"US"}, 1950, 1970, "theirs", r"^Washington's Birthday|^Memorial Day|^Columbus Day",
     "until 1970 these were fixed dates (Uniform Monday Holiday Act)"),
    ({"US"}, 1950, 1970, "ours", r"^Washington's Birthday|^Memorial Day|^Columbus Day",
     "until 1970 these were fixed dates (Uniform Monday Holiday Act)"),
    ({"US"}, 1971, 1977, "theirs", r"^Veterans Day", "Veterans Day was the fourth Monday of October 1971-1977"),
    ({"US"}, 1971, 1977, "ours", r"^Veterans Day", "Veterans Day was the fourth Monday of October 1971-1977"),
]


def ours(program, region):
    out = subprocess.run([program, region, str(FIRST), str(LAST), "--names"],
                         check=True, capture_output=True, text=True).stdout
    return dict(line.split("\t", 1) for line in out.splitlines())


def theirs(region):
    cls = REGIONS[region]
    with warnings.catch_warnings():
        warnings.simplefilter("ignore")
        calendar = cls()
    days = {}
    for year in range(FIRST, LAST + 1):
        for day, name in calendar.holidays(year):
            if region == "CH" and name not in SWISS_EVERY_CANTON:
                continue
            if FIRST <= day.year <= LAST:
                days.setdefault(day.isoformat(), []).append(name)
    return {day: " / ".join(names) for day, names in days.items()}


def explained(region, day, side, name, used):
    year = int(day[:4])
    for i, (regions, first, last, s, pattern, _why) in enumerate(EXCEPTIONS):
        if region in regions and first <= year <= last and s == side and re.search(pattern, name):
            used.add(i)
            return True
    return False


def main():
    program = sys.argv[1]
    used = set()
    failures = []
    for region in REGIONS:
        mine, other = ours(program, region), theirs(region)
        for day in sorted(set(mine) - set(other)):
            if not explained(region, day, "ours", mine[day], used):
                failures.append(f"{region} {day}: only here ({mine[day]})")
        for day in sorted(set(other) - set(mine)):
            if not explained(region, day, "theirs", other[day], used):
                failures.append(f"{region} {day}: only in workalendar ({other[day]})")
    for i, entry in enumerate(EXCEPTIONS):
        if i not in used:
            print(f"note: exception not needed: {sorted(entry[0])} {entry[1]}-{entry[2]} {entry[3]} {entry[4]}")
    for f in failures:
        print(f)
    print(f"{len(REGIONS)} regions, {FIRST}-{LAST}: {len(failures)} unexplained differences")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
