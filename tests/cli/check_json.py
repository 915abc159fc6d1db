#!/usr/bin/env python3
"""Every JSON line the program writes is valid against the published schema,
and the numbers (span, info1, info2, workdays) never disagree with the text
lines or with an independent calendar count. Usage: check_json.py ORVANE SCHEMA"""
import json
import random
import re
import subprocess
import sys

import jsonschema

orvane, schema_file = sys.argv[1], sys.argv[2]
with open(schema_file, encoding="utf-8") as f:
    schema = json.load(f)
jsonschema.Draft202012Validator.check_schema(schema)
validator = jsonschema.Draft202012Validator(schema)
KEYS = ["date1", "date2", "label1", "label2", "facts1", "facts2", "difference",
        "calendar1", "calendar2", "span", "info1", "info2"]
failures = []


def fail(message):
    failures.append(message)


def run(args, stdin=""):
    today = "2026-12-07" if "--iso" in args else "7.12.2026"
    if "--lang" not in args:
        args = ["--lang", "en"] + args  # not the locale's language
    done = subprocess.run([orvane, "--today", today] + args, input=stdin.encode(),
                          capture_output=True, check=False)
    if done.returncode not in (0, 1):
        fail(f"{args}: exit {done.returncode}: {done.stderr!r}")
    return [json.loads(line) for line in done.stdout.decode("utf-8").splitlines()]


def astro(year):
    return year if year >= 1 else year + 1


def day_number(d, m, y):
    """Days since 1 March of astronomical year 0, proleptic Gregorian."""
    a = astro(y) - (1 if m <= 2 else 0)
    era = a // 400
    yoe = a - era * 400
    doy = (153 * (m - 3 if m > 2 else m + 9) + 2) // 5 + d - 1
    return era * 146097 + yoe * 365 + yoe // 4 - yoe // 100 + doy


def leap(y):
    a = astro(y)
    return a % 4 == 0 and (a % 100 != 0 or a % 400 == 0)


def iso(d, m, y):
    a = astro(y)
    sign = "-" if a < 0 else "+" if a > 9999 else ""
    return f"{sign}{abs(a):04d}-{m:02d}-{d:02d}"


def weekend_days(n1, n2):
    """Saturdays and Sundays in [n1, n2), day numbers as day_number gives them."""
    monday = day_number(1, 1, 1)  # 1 January of year 1 is a Monday
    def before(n):  # weekend days in [monday, n), negative below it
        weeks, rest = divmod(n - monday, 7)
        return weeks * 2 + max(0, rest - 5)
    return before(n2) - before(n1)


def check_numbers(obj):
    s, diff = obj["span"], obj["difference"]
    words = [list(map(int, re.findall(r"(\d+) [A-Z]", line.split(" = ")[0]))) for line in diff]
    want_words = [[s["years"], s["months"], s["days"]], [s["totalMonths"], s["days"] // 7, s["days"] % 7],
                  [s["totalWeeks"], s["weekDays"]], [s["totalDays"]]]
    if "workdays" in obj:
        want_words.append([obj["workdays"]["count"]])
    if words != want_words:
        fail(f"span {s} disagrees with {diff}")
    a, b = obj["date1"], obj["date2"]
    n1, n2 = day_number(a["day"], a["month"], a["year"]), day_number(b["day"], b["month"], b["year"])
    if s["totalDays"] != abs(n2 - n1) or s["totalWeeks"] * 7 + s["weekDays"] != s["totalDays"] or \
            s["totalMonths"] != s["years"] * 12 + s["months"]:
        fail(f"span {s} of {a} and {b} is not the count")
    for k in ("1", "2"):
        date, info, facts = obj["date" + k], obj["info" + k], obj["facts" + k]
        d, m, y = date["day"], date["month"], date["year"]
        want = [f"{info['weekdayName']}, {d:02d}.{m:02d}.{y} ({info['zodiacName']})",
                f"Day of Year {info['dayOfYear']}", f"Week of Month {info['weekOfMonth']}",
                f"Week of Year {info['weekOfYear']}",
                f"New Year in {info['daysToNewYear']} Day" + ("" if info["daysToNewYear"] == 1 else "s")]
        if info["leapYear"]:
            want.append("Leap year")
        if info.get("holiday") is not None:
            want.append("Holiday: " + info["holiday"])
        first_day = day_number(1, 1, y)
        if facts != want or info["iso"] != iso(d, m, y) or info["leapYear"] != leap(y) or \
                info["dayOfYear"] != day_number(d, m, y) - first_day + 1 or \
                info["daysToNewYear"] != (366 if leap(y) else 365) - info["dayOfYear"] + 1 or \
                info["weekday"] != (day_number(d, m, y) - day_number(1, 1, 1)) % 7 + 1:
            fail(f"info{k} {info} disagrees with {date} or {facts}")
        if "workday" in info and info["workday"] and (info["holiday"] is not None or info["weekday"] >= 6):
            fail(f"info{k} {info}: a working day on a holiday or a weekend")
    if "workdays" in obj:
        w = obj["workdays"]
        lo, hi = sorted((n1, n2))
        hi += 1 if w["includeEnd"] else 0
        if w["totalDays"] != hi - lo or w["count"] + w["weekendDays"] + w["holidays"] != w["totalDays"] or \
                w["weekendDays"] != weekend_days(lo, hi):
            fail(f"workdays {w} of {a} and {b} is not the count")


def check(objects, keys=KEYS, texts=True):
    """texts: the English text lines are compared with the numbers."""
    for obj in objects:
        errors = sorted(validator.iter_errors(obj), key=str)
        if errors:
            fail(f"{json.dumps(obj)[:200]}: {errors[0].message}")
        elif isinstance(obj, dict) and "error" not in obj:
            if list(obj) != keys:
                fail(f"keys {list(obj)}, expected {keys}")
            if keys[:len(KEYS)] == KEYS and texts:
                check_numbers(obj)


# Random cases over the whole year range, with increments of every kind.
rng = random.Random(15)
LIMIT = 2**31


def rand_year():
    return rng.choice([rng.randrange(-LIMIT, LIMIT), rng.randrange(-3000, 3000), rng.choice([-1, 1, -LIMIT, LIMIT - 1])])


lines = []
for _ in range(3000):
    dates = [f"{rng.randrange(-3, 35)}.{rng.randrange(-2, 15)}.{rand_year()}" for _ in range(2)]
    adds = [f"{rng.randrange(-10**9, 10**9)}{rng.choice('dwmy')}" for _ in range(rng.randrange(0, 3))]
    lines.append(" ".join(dates + adds))
lines += ["only-one", "1.1.2000 2.1.2000 1d 1d extra"]
batch = "\n".join(lines) + "\n"
check(run(["--json", "--batch"], batch))
check(run(["--json", "--batch", "--lang", "de"], batch[:20000]), texts=False)
check(run(["--json", "--batch", "--iso-weeks"], batch[:20000]), texts=False)
check(run(["--json", "1.1.-2147483648", "31.12.2147483647"]))
check(run(["--json", "--iso", "--batch"], "0000-02-29 +2147483647-12-31\n-2147483647-01-01 9999-12-31\nx y\n"))
for fields in (["span"], ["date2", "date1", "span"], ["info2", "calendar1", "label1"]):
    check(run(["--json", "--batch", "--fields", ",".join(fields)], batch[:5000]),
          [k for k in KEYS if k in fields])

# Working days: Saturday and Sunday are counted independently; a region's
# holidays only add up. Increments by working days too.
work_lines = []
for line in lines[:500]:
    dates = line.split()[:2]
    adds = [f"{rng.randrange(-10**6, 10**6)}{rng.choice(['d', 'wd', 'm'])}" for _ in range(rng.randrange(0, 3))]
    work_lines.append(" ".join(dates + adds))
work_batch = "\n".join(work_lines) + "\n"
WORK_KEYS = KEYS + ["workdays"]
check(run(["--json", "--batch", "--weekend", "sat,sun"], work_batch), WORK_KEYS)
check(run(["--json", "--batch", "--region", "DE-BY", "--include-end"], work_batch), WORK_KEYS)
check(run(["--json", "--batch", "--region", "GB-NIR", "--lang", "de"], work_batch[:10000]), WORK_KEYS, texts=False)
check(run(["--json", "--region", "US", "1.1.-2147483648", "31.12.2147483647"]), WORK_KEYS)
check(run(["--json", "--batch", "--region", "AT", "--fields", "workdays"], work_batch[:5000]), ["workdays"])
check(run(["--json", "--regions"]), [])
check(run(["--json", "--regions", "--lang", "de"]), [])
check(run(["--json", "--list-holidays", "1950:2100", "--region", "GB-ENG"]), [])

for message in failures[:20]:
    print(message)
sys.exit(1 if failures else 0)
