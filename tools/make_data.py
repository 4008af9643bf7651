#!/usr/bin/env python3
"""Writes the eight element data files from the element reference table.

Usage:  python3 tools/make_data.py path/to/elements.tsv [output-folder]

The table is tab-separated with the header
  Z symbol name mass density melt boil group period
and one row per element in order of atomic number. Each output file holds one
column, one value per line, copied exactly as the table writes it (no number
is reformatted). The output folder defaults to data/ beside this script's
folder.
"""
import os
import sys

COLUMNS = ["symbol", "mass", "name", "density", "melt", "boil", "group", "period"]
HEADER = ["Z"] + ["symbol", "name", "mass", "density", "melt", "boil", "group", "period"]
# The loader reads at most this many records, and its fields hold at most
# this many characters.
MAX_ELEMENTS = 150
MAX_WIDTH = {"symbol": 3, "name": 19}


def read_table(path):
    with open(path, encoding="ascii", newline="") as f:
        lines = f.read().split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    if not lines or lines[0].split("\t") != HEADER:
        sys.exit("%s: header is not %s" % (path, " ".join(HEADER)))
    rows = []
    for number, line in enumerate(lines[1:], 1):
        fields = line.split("\t")
        if len(fields) != len(HEADER):
            sys.exit("%s: row %d has %d fields, expected %d"
                     % (path, number, len(fields), len(HEADER)))
        row = dict(zip(HEADER, fields))
        if row["Z"] != str(number):
            sys.exit("%s: row %d holds Z %s; rows must be in order of atomic number"
                     % (path, number, row["Z"]))
        for column, value in row.items():
            # A value with white space in it would become two tokens.
            if value == "" or any(c.isspace() for c in value):
                sys.exit("%s: row %d, %s: %r is not one token" % (path, number, column, value))
            if len(value) > MAX_WIDTH.get(column, len(value)):
                sys.exit("%s: row %d, %s: %r is longer than %d characters"
                         % (path, number, column, value, MAX_WIDTH[column]))
        rows.append(row)
    if len(rows) > MAX_ELEMENTS:
        sys.exit("%s: %d elements, the program holds at most %d" % (path, len(rows), MAX_ELEMENTS))
    return rows


def main(argv):
    if len(argv) not in (2, 3):
        sys.exit(__doc__.strip())
    rows = read_table(argv[1])
    here = os.path.dirname(os.path.abspath(__file__))
    out = argv[2] if len(argv) == 3 else os.path.join(here, os.pardir, "data")
    os.makedirs(out, exist_ok=True)
    for column in COLUMNS:
        # newline="\n": the files are the same bytes on every system.
        with open(os.path.join(out, column), "w", encoding="ascii", newline="\n") as f:
            for row in rows:
                f.write(row[column] + "\n")
    print("wrote %d elements to %s" % (len(rows), os.path.normpath(out)))


if __name__ == "__main__":
    main(sys.argv)
