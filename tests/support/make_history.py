#!/usr/bin/env python3
"""Writes COUNT draws of a 36-choose-7 lottery in the history export format
(issue, seven numbers, draw date), for screenshots and benchmarks:

    make_history.py COUNT [SEED] > draws.txt
    tavrin-cli import --lottery 南粤风采36选7 draws.txt
"""
import datetime
import random
import sys

count = int(sys.argv[1])
rng = random.Random(int(sys.argv[2]) if len(sys.argv) > 2 else 1)
day = datetime.date(2001, 1, 1)
year, seq = day.year, 0
for _ in range(count):
    if day.year != year:
        year, seq = day.year, 0
    seq += 1
    numbers = rng.sample(range(1, 37), 7)
    print("%d%03d %s %s" % (year, seq, " ".join("%02d" % n for n in numbers), day.isoformat()))
    day += datetime.timedelta(days=1)
