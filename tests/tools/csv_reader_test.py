#!/usr/bin/env python3
"""Reads korvel-tool's CSV export of the sample with Python's csv module, as a spreadsheet would."""
import csv
import io
import json
import subprocess
import sys

tool, sample = sys.argv[1], sys.argv[2]
raw = subprocess.run([tool, "csv", sample], check=True, capture_output=True).stdout
rows = list(csv.reader(io.StringIO(raw.decode("utf-8"), newline="")))
dump = json.loads(subprocess.run([tool, "dump", sample], check=True, capture_output=True).stdout)

header, body = rows[0], rows[1:]
assert len(body) == len(dump["radios"]) == 48, (len(body), len(dump["radios"]))
assert all(len(row) == len(header) == 44 for row in body), "every row holds every field"
by_id = {int(row[0]): dict(zip(header, row)) for row in body}
for radio in dump["radios"]:
    row = by_id[radio["id"]]
    assert row["Model"] == radio["model"], (row["Model"], radio["model"])
    assert row["Brand"] == dump["tables"]["Brand Name"][radio["brand"]]
    assert int(row["Purchase Price"]) == radio["purchasePrice"]
    assert row["Comments"] == radio["comments"]
    assert row["Picture File"] == radio["pictureFile"]
    assert row["Extra Picture Files"] == "; ".join(radio["extraPictureFiles"])
    assert len(row["Tubes"].split("; ")) == len(radio["tubes"]) or not radio["tubes"]
print("csv: 48 radios, 44 fields each, matching the dump")
