#!/usr/bin/python3
"""How the aligned comparison of a fully shuffled table grows with its rows.

Writes CSV pairs of ROWS x 20 cells, the second file the first with its rows shuffled, for
ROWS and 4 x ROWS, compares each with `compare --align --format json`, and prints the time,
peak memory and the ratios (near linear: about 4 x the time for 4 x the rows).

    bench/aligned_scale.py [CLI] [ROWS]     defaults: build/bin/quillmere-cli 50000
"""
import csv
import os
import random
import resource
import subprocess
import sys
import tempfile
import time


def write_pair(folder, rows, cols=20):
    rng = random.Random(rows)
    table = [[f"id{r}"] + [str(rng.randint(0, 99999)) for _ in range(cols - 1)]
             for r in range(rows)]
    shuffled = table[:]
    rng.shuffle(shuffled)
    paths = []
    for name, body in (("a", table), ("b", shuffled)):
        path = os.path.join(folder, f"{rows}-{name}.csv")
        with open(path, "w", newline="") as out:
            csv.writer(out).writerows([[f"C{c}" for c in range(cols)]] + body)
        paths.append(path)
    return paths


def measure(cli, path1, path2):
    start = time.monotonic()
    before = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss
    run = subprocess.run([cli, "compare", path1, path2, "--align", "--format", "json"],
                         capture_output=True)
    if run.returncode not in (0, 1):
        raise RuntimeError(run.stderr.decode())
    peak = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss
    return time.monotonic() - start, max(peak, before) / 1024


def main():
    cli = sys.argv[1] if len(sys.argv) > 1 else "build/bin/quillmere-cli"
    rows = int(sys.argv[2]) if len(sys.argv) > 2 else 50000
    folder = tempfile.mkdtemp(prefix="aligned-scale-")
    results = []
    for count in (rows, 4 * rows):
        seconds, megabytes = measure(cli, *write_pair(folder, count))
        results.append(seconds)
        print(f"{count:8d} rows shuffled: {seconds:7.2f} s, peak {megabytes:7.1f} MB")
    ratio = results[1] / results[0]
    verdict = "within" if ratio <= 5 else "over"
    print(f"4 x the rows took {ratio:.2f} x the time ({verdict} the target of 5 x)")


if __name__ == "__main__":
    main()
