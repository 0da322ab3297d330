#!/usr/bin/python3
"""Realistic edits of an orders workbook, each compared aligned by quillmere-cli.

Writes a pair of .xlsx workbooks for each scenario (a 2,000-row orders table edited the way
people edit such tables), compares each pair with `compare --align --format json` and checks
that the differences reported lie between 1 and 1.25 times the edits made.

    bench/aligned_edits.py [CLI] [FOLDER]

CLI defaults to build/bin/quillmere-cli, FOLDER (where the workbooks go) to a temporary one.
Exits 1 when a scenario reports too few or too many differences.
"""
import json
import os
import random
import subprocess
import sys
import tempfile

import openpyxl

HEADER = ["Date", "Region", "Order", "Product", "Qty", "Amount"]
REGIONS = ["North", "South", "East", "West", "Central"]
PRODUCTS = ["Lamp", "Desk", "Chair", "Shelf", "Rug", "Mirror", "Stool", "Bench"]


def order_row(rng, number):
    qty = rng.randint(1, 40)
    return [f"2024-{rng.randint(1, 12):02d}-{rng.randint(1, 28):02d}", rng.choice(REGIONS),
            f"ORD-{number:05d}", rng.choice(PRODUCTS), qty, qty * rng.randint(5, 90)]


def orders(rng, count=2000, first=10000):
    return [HEADER] + [order_row(rng, first + k) for k in range(count)]


def with_totals(rows):
    body = rows[1:]
    return rows + [["Total", "", "", "", sum(r[4] for r in body), sum(r[5] for r in body)]]


def columns_swapped(rows, a, b):
    out = [list(r) for r in rows]
    for r in out:
        r[a], r[b] = r[b], r[a]
    return out


def scenarios(rng):
    """(name, first rows, second rows, edits as a person counts them)."""
    base = orders(rng)
    fresh = iter(order_row(rng, 90000 + k) for k in range(1000))
    out = []

    def edited(name, edits, change):
        second = [list(r) for r in base]
        change(second)
        out.append((name, base, second, edits))

    edited("row inserted", 1, lambda s: s.insert(700, next(fresh)))
    edited("row deleted", 1, lambda s: s.pop(1200))
    edited("rows inserted at three places", 5,
           lambda s: [s.insert(p, next(fresh)) for p in (1900, 1900, 900, 300, 300)])
    edited("rows deleted at three places", 4, lambda s: [s.pop(p) for p in (1800, 1000, 999, 20)])
    edited("one value changed", 1, lambda s: s[500].__setitem__(5, s[500][5] + 1))
    edited("values changed in three rows", 3,
           lambda s: [s[p].__setitem__(4, s[p][4] + 3) for p in (50, 1050, 1999)])
    edited("row replaced by an unrelated one", 2, lambda s: s.__setitem__(640, next(fresh)))
    edited("row moved", 1, lambda s: s.insert(1500, s.pop(400)))
    edited("row moved and changed", 2,
           lambda s: (s.insert(1500, s.pop(400)), s[1500].__setitem__(4, 777)))
    edited("column inserted", 1, lambda s: [r.insert(3, "Note" if r is s[0] else "n")
                                            for r in s])
    edited("column deleted", 1, lambda s: [r.pop(1) for r in s])
    edited("columns swapped", 1, lambda s: [r.__setitem__(slice(4, 6), [r[5], r[4]]) for r in s])
    edited("header renamed", 1, lambda s: s[0].__setitem__(3, "Item"))
    edited("rows and a column inserted", 4,
           lambda s: ([s.insert(p, next(fresh)) for p in (1500, 600, 10)],
                      [r.insert(2, "Rep" if r is s[0] else "x") for r in s]))
    edited("duplicate row pasted", 1, lambda s: s.insert(801, list(s[800])))

    def resorted(s):
        body = sorted(s[1:], key=lambda r: (r[5], r[2]))
        for p in (7, 900, 1700):
            body[p][4] += 1
        s[1:] = body
    edited("table re-sorted by amount, three values changed", 4, resorted)

    totals = with_totals(base)
    month = [list(r) for r in base[:1]] + [list(r) for r in base[1:] if r[2] not in
                                           ("ORD-10100", "ORD-10200", "ORD-10300",
                                            "ORD-10400", "ORD-10500")]
    month += [next(fresh) for _ in range(20)]
    out.append(("month over month: 20 rows appended, 5 removed, totals updated", totals,
                with_totals(month), 27))
    small = [HEADER] + [list(r) for r in base[1:5]]
    grown = small + [next(fresh)]
    out.append(("row appended above the totals", with_totals(small), with_totals(grown), 3))
    return out


def save(rows, path):
    book = openpyxl.Workbook()
    sheet = book.active
    sheet.title = "Orders"
    for row in rows:
        sheet.append(row)
    book.save(path)


def reported(cli, path1, path2):
    run = subprocess.run([cli, "compare", path1, path2, "--align", "--format", "json"],
                         capture_output=True, text=True)
    if run.returncode not in (0, 1):
        raise RuntimeError(f"{cli} failed: {run.stderr.strip()}")
    return json.loads(run.stdout)["total"]["differences"]


def main():
    cli = sys.argv[1] if len(sys.argv) > 1 else "build/bin/quillmere-cli"
    folder = sys.argv[2] if len(sys.argv) > 2 else tempfile.mkdtemp(prefix="aligned-edits-")
    failed = 0
    for k, (name, first, second, edits) in enumerate(scenarios(random.Random(22))):
        path1 = os.path.join(folder, f"{k:02d}-a.xlsx")
        path2 = os.path.join(folder, f"{k:02d}-b.xlsx")
        save(first, path1)
        save(second, path2)
        count = reported(cli, path1, path2)
        ok = edits <= count <= 1.25 * edits
        failed += not ok
        print(f"{'ok  ' if ok else 'FAIL'} {count:5d} reported / {edits:3d} edits  {name}")
    print(f"{failed} of {k + 1} scenarios outside 1 to 1.25 times the edits")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
