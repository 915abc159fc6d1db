#!/usr/bin/python3
"""The holiday list as iCalendar (--list-holidays --ics) is read back to the
same dates and names by the program's own --holidays and by Python's
icalendar: one all-day event a holiday, stable unique UIDs.
Usage: check_ics.py ORVANE   (exit 77: skipped)"""
import datetime
import json
import os
import subprocess
import sys
import tempfile

try:
    import icalendar
except ImportError:
    print("skipped: python3-icalendar is not installed")
    sys.exit(77)

orvane = sys.argv[1]
failures = []


def run(*args):
    return subprocess.run([orvane, *args], capture_output=True, check=False)


def listed(*args):
    done = run("--json", "--list-holidays", "2024:2027", *args)
    if done.returncode != 0:
        failures.append(f"{args}: exit {done.returncode}: {done.stderr!r}")
        return []
    return [(h["date"], h["name"]) for h in json.loads(done.stdout)]


first = run("--list-holidays", "2024:2027", "--region", "DE-BY", "--ics")
if first.returncode == 2 and b"no iCalendar support" in first.stderr:
    print("skipped: this build has no iCalendar support")
    sys.exit(77)

with tempfile.TemporaryDirectory() as folder:
    for language in ("en", "de"):
        made = run("--lang", language, "--list-holidays", "2024:2027", "--region", "DE-BY", "--ics")
        want = listed("--lang", language, "--region", "DE-BY")
        if made.returncode != 0 or made.stdout != run("--lang", language, "--list-holidays", "2024:2027",
                                                      "--region", "DE-BY", "--ics").stdout:
            failures.append(f"{language}: exit {made.returncode} or a second run differs")
        events = icalendar.Calendar.from_ical(made.stdout).walk("VEVENT")
        got, uids = [], set()
        for event in events:
            start = event.decoded("dtstart")
            if type(start) is not datetime.date:  # an all-day event has a date, no time
                failures.append(f"{language}: DTSTART {start!r} is no date")
            got.append((start.isoformat(), str(event.get("summary"))))
            uids.add(str(event.get("uid")))
        if got != want or len(uids) != len(got) or len(want) < 40:
            failures.append(f"{language}: icalendar read {got[:3]}... for {want[:3]}..., {len(uids)} UIDs")
        # The program's own reader: the file stands in for the region.
        path = os.path.join(folder, f"bavaria-{language}.ics")
        with open(path, "wb") as f:
            f.write(made.stdout)
        if listed("--lang", language, "--holidays", path) != want:
            failures.append(f"{language}: --holidays {path} reads other holidays")
        count = run("--json", "--holidays", path, "--fields", "workdays", "1.1.2026", "1.1.2027")
        if b'"count":252,' not in count.stdout:
            failures.append(f"{language}: the file's working days in 2026: {count.stdout!r}")

for message in failures[:20]:
    print(message)
sys.exit(1 if failures else 0)
