#!/usr/bin/env python3
"""Writes src/util/alu_case_folding_table.inc: every code point whose full case folding differs
from itself, with what it folds to (one to three code points), in code point order.

The table follows the Unicode version of the Python that runs this script."""
import sys
import unicodedata

out = sys.argv[1] if len(sys.argv) > 1 else "src/util/alu_case_folding_table.inc"
rows = []
for cp in range(0x80, 0x110000):
    if 0xD800 <= cp <= 0xDFFF:
        continue
    folded = chr(cp).casefold()
    if folded != chr(cp):
        to = [ord(c) for c in folded]
        assert len(to) <= 3
        to += [0] * (3 - len(to))
        rows.append((cp, to))
with open(out, "w") as f:
    f.write("// Made by tools/unicode/make_case_folding.py (Unicode %s); do not edit.\n" % unicodedata.unidata_version)
    for cp, to in rows:
        f.write("{0x%X, {0x%X, 0x%X, 0x%X}},\n" % (cp, *to))
print(len(rows), "code points")
