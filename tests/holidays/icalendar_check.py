#!/usr/bin/python3
"""Holiday files between this program and Debian's python3-icalendar.

usage: icalendar_check.py HOLIDAY_DATES_PROGRAM [--write FILE]

1. An .ics file made by icalendar is read by the program ("--read").
2. The program's iCalendar output of a region is read by icalendar and
   matches the region's list.
With --write FILE only the file of step 1 is written (the tests' data file is
made so). Exit status 77 (skipped) without icalendar or without iCalendar
support in the program.
"""
import datetime
import os
import subprocess
import sys
import tempfile

try:
    import icalendar
except ImportError:
    print("python3-icalendar is not installed: skipped")
    sys.exit(77)

# (summary, start, end or None, rrule or None, exdates) and what the program reads from it.
EVENTS = [
    ("Heiligabend \u00e4", datetime.date(2020, 12, 24), None, {"freq": "yearly"}, []),
    ("Betriebsausflug", datetime.date(2021, 3, 3), datetime.date(2021, 3, 6), None, []),
    ("Leap day", datetime.date(2024, 2, 29), None, {"freq": "yearly", "count": 3}, []),
    ("Summer party", datetime.date(2000, 7, 1), None, {"freq": "yearly", "until": datetime.date(2005, 6, 30)},
     [datetime.date(2002, 7, 1)]),
    ("St. Nicholas \u20ac", datetime.date(1999, 12, 6), datetime.date(1999, 12, 7), {"freq": "yearly", "count": 10}, []),
]
EXPECTED = [
    "12-24 2020 2147483647 Heiligabend \u00e4",
    "03-03 2021 2021 Betriebsausflug",
    "03-04 2021 2021 Betriebsausflug",
    "03-05 2021 2021 Betriebsausflug",
    "02-29 2024 2032 Leap day",
    "07-01 2000 2001 Summer party",
    "07-01 2003 2004 Summer party",
    "12-06 1999 2008 St. Nicholas \u20ac",
]


def made_ics():
    calendar = icalendar.Calendar()
    calendar.add("prodid", "-//Debian python3-icalendar//Orvane test//EN")
    calendar.add("version", "2.0")
    for i, (summary, start, end, rrule, exdates) in enumerate(EVENTS):
        event = icalendar.Event()
        event.add("uid", f"event-{i}@example.org")
        event.add("dtstamp", datetime.datetime(2024, 1, 1, tzinfo=datetime.timezone.utc))
        event.add("summary", summary)
        event.add("dtstart", start)
        if end:
            event.add("dtend", end)
        if rrule:
            event.add("rrule", rrule)
        for x in exdates:
            event.add("exdate", x)
        calendar.add_component(event)
    return calendar.to_ical()


def run(program, *args):
    return subprocess.run([program, *args], capture_output=True)


def main():
    program = sys.argv[1]
    if len(sys.argv) == 4 and sys.argv[2] == "--write":
        with open(sys.argv[3], "wb") as f:
            f.write(made_ics())
        return 0
    failures = []
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "made-by-icalendar.ics")
        with open(path, "wb") as f:
            f.write(made_ics())
        read = run(program, "--read", path)
        if b"not available in this build" in read.stderr:
            print("the program is built without libical: skipped")
            return 77
        got = read.stdout.decode("utf-8").splitlines()
        if read.returncode != 0 or got != EXPECTED:
            failures.append(f"reading icalendar's file: {read.stderr.decode()!r}\n  got {got}\n  want {EXPECTED}")

    for region in ("DE-BY", "GB-SCT", "US"):
        listed = run(program, region, "2020", "2030", "--names").stdout.decode("utf-8").splitlines()
        want = [tuple(line.split("\t")) for line in listed]
        written = run(program, region, "2020", "2030", "--ics")
        calendar = icalendar.Calendar.from_ical(written.stdout)
        events = list(calendar.walk("VEVENT"))
        got = [(e.decoded("dtstart").isoformat(), str(e.get("summary"))) for e in events]
        if got != want:
            failures.append(f"{region}: icalendar reads other events than the list")
        for e in events:
            if e.decoded("dtend") - e.decoded("dtstart") != datetime.timedelta(days=1):
                failures.append(f"{region}: {e.get('uid')} is not one whole day")
        if len({str(e.get("uid")) for e in events}) != len(events):
            failures.append(f"{region}: UIDs repeat")
        if run(program, region, "2020", "2030", "--ics").stdout != written.stdout:
            failures.append(f"{region}: the output differs from one run to the next")
    for f in failures:
        print(f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
