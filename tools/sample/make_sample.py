#!/usr/bin/env python3
"""Builds the sample collection that Korvel opens on its first run.

    python3 tools/sample/make_sample.py           # writes sample/radata.dat and sample/pictures/
    python3 tools/sample/make_sample.py --check   # reads them back and reports every fault

The content comes from sample_data.py and the drawings from sample_pictures.py; the output
depends on nothing else (fixed random seeds), so a rerun gives the same bytes.
"""
import argparse
import datetime
import functools
import os
import re
import random
import shutil
import sys
from pathlib import Path


def parse_arguments():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true", help="read the sample back and report faults")
    return parser.parse_args()


# --help answers before anything else is needed.
ARGUMENTS = parse_arguments() if __name__ == "__main__" else None

try:
    from PIL import Image
except ImportError:
    # Pillow comes from Debian's python3-pil, which belongs to the system interpreter. Compared by
    # their real paths, or a /usr/bin/python3 that is a link would run itself again for ever.
    system = os.path.realpath("/usr/bin/python3")
    if os.path.exists(system) and os.path.realpath(sys.executable) != system:
        os.execv("/usr/bin/python3", ["/usr/bin/python3"] + sys.argv)
    sys.exit("Pillow is missing: apt-get install -y python3-pil")

sys.dont_write_bytecode = True  # keep tools/sample free of __pycache__
from sample_data import (ALIASES, BRANDS, CONDITIONS, DAMAGE, EXACTLY_72, LINEUPS, MACROS,
                         MANUFACTURERS, NOTES, POSITIONS, RADIOS, REPAIRS, RESTORED, SOLD, SOLD_WHERE,
                         TRANSISTOR_INVENTORY, TUBE_INVENTORY, USER_TABLES, VALUE_SOURCES, WHERE)
from sample_pictures import SIZE, THUMB, draw_back, draw_chassis, draw_radio

ROOT = Path(__file__).resolve().parents[2]
SAMPLE = ROOT / "sample"
DATA_FILE = SAMPLE / "radata.dat"
VERSION = 27
LAST_DAY = datetime.date(2024, 3, 31)  # nothing in the sample happens after this
MONTHS = ["Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"]
MONTH_DAYS = [31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31]  # the program knows no 29 Feb

# ---------------------------------------------------------------- built-in tables
STATUS = ["As Acquired", "Donated", "For Sale", "Not Restored", "Partially Restored", "Restored",
          "Restored and Sold", "Restored For Sale", "Returned", "Scrapped", "Sold", "To Be Restored"]
TECHNOLOGY = ["Crystal", "Hybrid", "Transistor", "Tube"]
TUBE_FUNCTION = ["", "Ballast", "Converter", "Detector", "Detector/First Audio", "First Audio",
                 "FM Converter", "FM Discriminator", "FM IF Amplifier", "FM Limiter", "FM Mixer",
                 "FM Oscillator", "FM Ratio Detector", "FM RF Amplifier", "IF Amplifier",
                 "IF Amplifier/Detector", "Mixer", "Oscillator", "Phase Inverter", "Power Amplifier",
                 "Rectifier", "RF Amplifier", "Second Audio", "Tuning Indicator", "Unknown"]
YES_NO = ["No", "Yes"]
TABLES = {name: sorted(entries) for name, entries in USER_TABLES}
TABLES.update({"Status": STATUS, "Technology": TECHNOLOGY, "Tube Function": TUBE_FUNCTION,
               "Yes/No": YES_NO})

# ---------------------------------------------------------------- small helpers
def format_date(d):
    return "%02d%s%04d" % (d.day, MONTHS[d.month - 1], d.year)


def parse_date(text):
    """'ddMmmyyyy' to a datetime.date, or None; 29 Feb is refused like the program does."""
    if len(text) != 9 or not text[:2].isdigit() or not text[5:].isdigit() or text[2:5] not in MONTHS:
        return None
    day, month, year = int(text[:2]), MONTHS.index(text[2:5]) + 1, int(text[5:])
    if not 1 <= day <= MONTH_DAYS[month - 1]:
        return None
    return datetime.date(year, month, day)


def short_name(text):
    """The at most eight-character picture name the program derives from a model."""
    s = "".join(c for c in text.lower() if c not in " .?'")
    if len(s) <= 8:
        return s
    s = s.replace("-", "")

    def letter_run(t):
        n = 0
        while n < len(t) and "a" <= t[n] <= "z":
            n += 1
        return n

    while len(s) >= 9:
        run = letter_run(s)
        vowels = [i for i in range(run) if s[i] in "aeiou"]
        if not vowels:
            break
        s = s[:vowels[-1]] + s[vowels[-1] + 1:]
    while len(s) >= 9 and letter_run(s):
        run = letter_run(s)
        s = s[:run - 1] + s[run:]
    return s[:8]


def padded(tube):
    """A tube type with blanks in front by its leading digit count, so it sorts naturally."""
    digits = len(tube) - len(tube.lstrip("0123456789"))
    return {1: "   ", 2: "  "}.get(digits, " ") + tube


def capitalised(text):
    out, in_run = [], False
    for c in text:
        letter = c.isascii() and c.isalpha()
        out.append((c.lower() if in_run else c.upper()) if letter else c)
        in_run = letter
    return "".join(out)


def radio_compare(a, b):
    """Radio order on records holding table positions ('trim_is_none' marks No Trim)."""
    for key in ("brand", "model", "year", "style", "status", "colour", "comp", "trim"):
        if a[key] != b[key]:
            return -1 if a[key] < b[key] else 1
    if not a["trim_is_none"] and not b["trim_is_none"] and a["trim_colour"] != b["trim_colour"]:
        return -1 if a["trim_colour"] < b["trim_colour"] else 1
    for key in ("dial_pos", "dial", "grill_pos", "grill", "id"):
        if a[key] != b[key]:
            return -1 if a[key] < b[key] else 1
    return 0


# ---------------------------------------------------------------- building the records
def pick_date(rng, start, min_days, max_days):
    d = start + datetime.timedelta(days=rng.randint(min_days, max_days))
    if d > LAST_DAY:
        d = LAST_DAY - datetime.timedelta(days=rng.randint(0, 60))
    d = max(d, start)
    return d.replace(day=28) if (d.month, d.day) == (2, 29) else d


def tube_count(tubes):
    return sum(int(t.split("*")[0]) if "*" in t else 1 for _, t in tubes)


def add_money_and_dates(r, rng, acquired):
    """Prices that grow with the decade bought in, repairs and profitable sales."""
    status, value = r["status"], r["value"]
    era = (acquired.year - 1974) / 49.0
    r["acquired"] = format_date(acquired)
    r["price"] = max(2, round(value * (0.15 + 0.85 * era ** 1.2) * rng.uniform(0.35, 0.75)))
    r["restored"], r["repair"], r["disposed"], r["selling"] = "", 0, "", 0
    last = acquired
    if status in RESTORED:
        done = pick_date(rng, acquired, 40, 900)
        scale = 0.5 + (done.year - 1974) / 49.0
        repair = (12 + 6 * tube_count(r["tubes"])) * scale * rng.uniform(0.8, 1.5)
        r["restored"], r["repair"] = format_date(done), round(repair / (2 if "Part" in status else 1))
        last = done
    if status in SOLD:
        sold = pick_date(rng, last, 150, 2500)
        r["disposed"] = format_date(sold)
        r["selling"] = round((r["price"] + r["repair"]) * rng.uniform(1.4, 2.3)) + 5
        r["value"] = r["selling"]
        r["where_disposed"] = r["where_disposed"] or rng.choice(SOLD_WHERE)
    elif status == "Returned":
        r["disposed"], r["selling"] = format_date(pick_date(rng, acquired, 7, 30)), r["price"]
    elif status in ("Donated", "Scrapped"):
        r["disposed"] = format_date(pick_date(rng, acquired, 300, 4000))
        r["where_disposed"] = r["where_disposed"] or "Parts to the radio club swap table"


def add_texts(r, rng, notes):
    status, year = r["status"], r["year"]
    r["condition"] = rng.choice(CONDITIONS[status][0])
    r["chassis"] = rng.choice(CONDITIONS[status][1])
    r["damage"] = notes.get("damage", rng.choice(DAMAGE[r["condition"]]))
    r["repairs"] = notes.get("repairs", rng.choice(REPAIRS.get(status, [""])))
    era = max(e for e in WHERE if e <= int(r["acquired"][5:]))
    r["where"] = notes.get("where", rng.choice(WHERE[era]))
    r["source"] = "Selling price" if status in SOLD else rng.choice(VALUE_SOURCES)
    r["serial"] = notes.get("serial", "")
    if r["technology"] == "Crystal" or rng.random() < 0.15:
        r["schematic"] = ""
    elif year < 1946:
        r["schematic"] = "Rider's Vol. %d, p. %d" % (max(1, min(14, year - 1930)), rng.randint(1, 120))
    else:
        r["schematic"] = "Sams Photofact Set %d, Folder %d" % ((year - 1946) * 31 + rng.randint(1, 30),
                                                               rng.randint(1, 20))
    refs = "Bunis, Collector's Guide to Antique Radios, p. %d" % rng.randint(20, 380)
    r["references"] = notes.get("references", refs if rng.random() < 0.7 else "")
    r["comments"] = notes.get("comments", "")
    r["extras"] = notes.get("extras", "")


def add_picture_names(r, used):
    """Main, thumbnail and extra picture names; a clash gets the program's letter variant."""
    # A radio without a picture is named all the same: the program names the pictures of a radio
    # that has none when it loads the file, and would then count it as modified at every exit.
    r["extra_pictures"] = []
    folder, name = BRANDS[r["brand"]][1], short_name(r["model"])
    if (folder, name) in used:
        base = name + "a" if len(name) < 8 else name
        name = next(base[:-1] + c for c in "abcdefghijklmnopqrstuvwxyz"
                    if (folder, base[:-1] + c) not in used)
    used.add((folder, name))
    r["picture"] = "pictures\\%s\\%s.jpg" % (folder, name)
    r["thumbnail"] = "pictures\\%s\\smallpix\\%s.jpg" % (folder, name)
    r["extra_pictures"] = ["pictures\\%s\\%s_%d.jpg" % (folder, name, i + 1)
                           for i in range(len(r["views"]))]


def build_radios():
    rng = random.Random(1931)
    radios = []
    for row in RADIOS:
        (brand, model, year, shape, style, comp, colour, trim, trim_colour, dial, grill, power, bands,
         circuit, lineup, status, acq_year, value) = row
        notes = NOTES.get(brand + " " + model, {})
        technology, tubes = LINEUPS[lineup]
        dial_pos, grill_pos = POSITIONS[shape]
        r = dict(brand=brand, model=model, year=year, shape=shape, style=style, comp=comp,
                 colour=colour, trim=trim or "No Trim", trim_colour=trim_colour, dial=dial,
                 dial_pos="Side" if dial == "Thumbwheel" else dial_pos, grill=grill,
                 grill_pos="Unknown" if grill == "None" else grill_pos, power=power, bands=bands,
                 circuit=circuit, technology=technology, tubes=tubes, status=status, value=value,
                 manufacturer=notes.get("manufacturer", BRANDS[brand][0]),
                 push=notes.get("push", False), telephone=notes.get("telephone", False),
                 views=notes.get("views", []), no_picture=status == "Scrapped",
                 where_disposed=notes.get("where_disposed", ""))
        acquired = datetime.date(acq_year, rng.randint(1, 12), rng.randint(1, 28))
        add_money_and_dates(r, rng, acquired)
        add_texts(r, rng, notes)
        radios.append((acquired, r))
    radios.sort(key=lambda pair: pair[0])  # identifiers follow the order of acquisition
    used = set()
    for number, (_, r) in enumerate(radios, start=1):
        r["id"] = number
        add_picture_names(r, used)
    return [r for _, r in radios]


# ---------------------------------------------------------------- writing the data file
def ref(table, text):
    return "%d%s" % (TABLES[table].index(text), text)


def long_text(text):
    return [str(len(text))] + [text[i:i + 72] for i in range(0, len(text), 72)]


def record_lines(r):
    lines = ["%d --- Radio ---" % r["id"], ref("Brand Name", r["brand"]), r["model"], r["serial"],
             str(r["year"]), ref("Manufacturer", r["manufacturer"]), ref("Cabinet Style", r["style"]),
             ref("Cabinet Composition", r["comp"]), r["colour"], ref("Cabinet Trim", r["trim"]),
             r["trim_colour"], ref("Tuning Dial", r["dial"]), ref("Position", r["dial_pos"]),
             ref("Grill Style", r["grill"]), ref("Position", r["grill_pos"]),
             ref("Yes/No", YES_NO[r["push"]]), ref("Yes/No", YES_NO[r["telephone"]]),
             ref("Power Source", r["power"]), ref("Bands", r["bands"]),
             ref("Circuit Type", r["circuit"]), ref("Technology", r["technology"]),
             str(len(r["tubes"]))]
    for function, tube in r["tubes"]:
        lines += [ref("Tube Function", function), tube]
    lines += [r["acquired"], str(r["price"]), r["where"], ref("Status", r["status"]),
              ref("Chassis Condition", r["chassis"]), ref("Condition", r["condition"])]
    lines += long_text(r["damage"])
    lines += [str(r["value"]), r["source"], r["restored"], str(r["repair"])]
    lines += long_text(r["repairs"])
    lines += [r["disposed"], str(r["selling"]), r["where_disposed"], r["schematic"]]
    for field in ("references", "comments", "extras"):
        lines += long_text(r[field])
    lines += [r["picture"], r["thumbnail"], str(len(r["extra_pictures"]))] + r["extra_pictures"]
    return lines


def order_key_record(r):
    """The record with table positions, as the radio order compares it."""
    pos = {k: TABLES[t].index(r[k]) for k, t in (
        ("brand", "Brand Name"), ("style", "Cabinet Style"), ("status", "Status"),
        ("comp", "Cabinet Composition"), ("trim", "Cabinet Trim"), ("dial_pos", "Position"),
        ("dial", "Tuning Dial"), ("grill_pos", "Position"), ("grill", "Grill Style"))}
    return dict(r, **pos, trim_is_none=r["trim"] == "No Trim")


def data_file_lines(radios):
    lines = ["#%d --- Version ---" % VERSION, "%d --- Number of Radios ---" % len(radios),
             "%d --- Next ID ---" % (max(r["id"] for r in radios) + 1),
             "0 --- Next Backup File Number ---"]
    for section, _ in USER_TABLES:
        entries = TABLES[section]
        lines.append("%d --- %s ---" % (len(entries), section))
        for position, entry in enumerate(entries):
            lines.append("%d%s" % (position, entry))
            if section == "Brand Name":
                lines.append(str(MANUFACTURERS.index(BRANDS[entry][0])))
    keyed = sorted(((order_key_record(r), r) for r in radios),
                   key=functools.cmp_to_key(lambda a, b: radio_compare(a[0], b[0])))
    for _, r in keyed:
        lines += record_lines(r)
    aliases = sorted((max(padded(a), padded(b)), min(padded(a), padded(b))) for a, b in ALIASES)
    lines.append("%d --- Tube Aliases ---" % len(aliases))
    lines += ["%s %s" % (name.lstrip(), of.lstrip()) for name, of in aliases]
    for kind, stock in (("Transistor", TRANSISTOR_INVENTORY), ("Tube", TUBE_INVENTORY)):
        items = sorted((padded(t), n) for t, n in stock.items() if n > 0)
        lines.append("%d --- %s Inventory ---" % (len(items), kind))
        lines += ["%d*%s" % (n, name.lstrip()) for name, n in items]
    lines.append("%d --- Selection Macros ---" % len(MACROS))
    for name, steps in MACROS:
        lines += [name, str(len(steps))] + steps
    return lines


def save_jpeg(img, path):
    path.parent.mkdir(parents=True, exist_ok=True)
    img.save(path, "JPEG", quality=85, optimize=True)


def write_pictures(radios):
    shutil.rmtree(SAMPLE / "pictures", ignore_errors=True)
    lanczos = getattr(Image, "Resampling", Image).LANCZOS
    for r in radios:
        if r["no_picture"]:
            continue
        rng = random.Random(r["id"] * 7919)  # each picture independent of the others
        img, _ = draw_radio(r, rng)
        save_jpeg(img, SAMPLE / r["picture"].replace("\\", "/"))
        save_jpeg(img.resize(THUMB, lanczos), SAMPLE / r["thumbnail"].replace("\\", "/"))
        for view, name in zip(r["views"], r["extra_pictures"]):
            draw = draw_back if view == "back" else draw_chassis
            save_jpeg(draw(r, random.Random(r["id"] * 7919)), SAMPLE / name.replace("\\", "/"))


def generate():
    radios = build_radios()
    assert len(NOTES[EXACTLY_72]["comments"]) == 72
    lines = data_file_lines(radios)
    SAMPLE.mkdir(exist_ok=True)
    DATA_FILE.write_bytes("".join(line + "\r\n" for line in lines).encode("ascii"))
    write_pictures(radios)
    print("wrote %s: %d radios, %d lines, %d bytes" % (DATA_FILE.relative_to(ROOT), len(radios),
                                                       len(lines), DATA_FILE.stat().st_size))



# ---------------------------------------------------------------- reading it back (--check)
# An independent reader: it walks the file by the layout alone and knows the sample's content
# only through the built-in tables and the expectations named in each check.
SECTIONS = ["Manufacturer", "Brand Name", "Bands", "Cabinet Composition", "Cabinet Style",
            "Cabinet Trim", "Chassis Condition", "Circuit Type", "Condition", "Grill Style",
            "Position", "Power Source", "Tuning Dial"]
FIELDS = ["Bands", "Brand", "Cabinet Composition", "Cabinet Style", "Chassis Condition", "Circuit",
          "Condition", "Date Acquired", "Date Disposed", "Date Restored", "Grill", "Identifier",
          "Model", "Power", "Status", "Technology", "Tube", "Tuning Dial", "Year"]
FIELD_TABLES = {"Bands": "Bands", "Brand": "Brand Name", "Cabinet Composition": "Cabinet Composition",
                "Cabinet Style": "Cabinet Style", "Chassis Condition": "Chassis Condition",
                "Circuit": "Circuit Type", "Condition": "Condition", "Power": "Power Source",
                "Status": "Status", "Technology": "Technology", "Tuning Dial": "Tuning Dial"}


class Truncated(Exception):
    pass


class Reader:
    """Walks the lines, recording every fault with its line number."""

    def __init__(self, lines):
        self.lines, self.at, self.faults = lines, 0, []

    def fault(self, message):
        self.faults.append("line %d: %s" % (self.at, message))

    def line(self, limit):
        if self.at >= len(self.lines):
            raise Truncated()
        text = self.lines[self.at]
        self.at += 1
        if len(text) > limit:
            self.fault("%d characters, more than %d" % (len(text), limit))
        if text[:1] == " ":
            self.fault("begins with a blank")
        return text

    def short(self):
        return self.line(72)

    def long(self):
        return self.line(1024)

    def number(self):
        text = self.short()
        if not text.isdigit():  # the reader sees no sign and stops at the first non-digit
            self.fault("%r is not a plain number" % text)
        return int(text) if text.isdigit() else 0

    def header(self, title):
        text = self.short()
        m = re.fullmatch(r"(\d+) --- (.*) ---", text)
        if not m or m.group(2) != title:
            self.fault("expected a %r header, found %r" % (title, text))
            return 0
        return int(m.group(1))

    def ref(self, entries):
        text = self.short()
        m = re.fullmatch(r"(\d+)(\D.*|)", text)
        if not m or int(m.group(1)) >= len(entries) or entries[int(m.group(1))] != m.group(2):
            self.fault("%r does not name an entry by its position" % text)
            return 0
        return int(m.group(1))

    def date(self):
        text = self.long()
        if text and not parse_date(text):
            self.fault("%r is not a ddMmmyyyy date" % text)
        return text

    def long_text(self):
        length, text = self.number(), ""
        while len(text) < length:
            chunk = self.long()
            if len(chunk) != min(72, length - len(text)):
                self.fault("chunk of %d characters where %d were due" % (len(chunk),
                                                                         min(72, length - len(text))))
            text += chunk
        return text


def check_bytes(data):
    """CR LF after every line and nothing but printable ASCII inside."""
    faults = []
    if not data.endswith(b"\r\n"):
        faults.append("the file does not end with CR LF")
    lines = data.split(b"\n")[:-1]  # split where the program's reader splits
    for number, line in enumerate(lines, start=1):
        if not line.endswith(b"\r"):
            faults.append("line %d: ends with LF alone" % number)
        if any(b < 32 or b > 126 for b in line.rstrip(b"\r")):
            faults.append("line %d: control character" % number)
    return [line.rstrip(b"\r").decode("ascii", "replace") for line in lines], faults


def check_tables(rd):
    tables = {}
    for section in SECTIONS:
        entries = [None] * rd.header(section)
        brand_makers = []
        for position in range(len(entries)):
            text = rd.short()
            m = re.fullmatch(r"(\d+)(\D.*)", text)
            if not m or int(m.group(1)) != position:
                rd.fault("%r is not entry %d of %s" % (text, position, section))
            entries[position] = m.group(2) if m else text
            if section == "Brand Name":
                brand_makers.append(rd.number())
        if entries != sorted(set(entries)):
            rd.fault("%s is not in ascending byte order without repeats" % section)
        if "Unknown" not in entries and section != "Cabinet Trim":
            rd.fault("%s lacks the Unknown entry new radios point at" % section)
        tables[section] = entries
        if any(p >= len(tables["Manufacturer"]) for p in brand_makers):
            rd.fault("a brand's manufacturer lies outside the Manufacturer table")
    if "No Trim" not in tables["Cabinet Trim"]:
        rd.fault("Cabinet Trim lacks No Trim")
    if tables["Power Source"][4:5] != ["Battery"]:
        rd.fault("Power Source position 4 is not Battery, which the line-up completion assumes")
    tables.update({"Status": STATUS, "Technology": TECHNOLOGY, "Tube Function": TUBE_FUNCTION,
                   "Yes/No": YES_NO})
    return tables


def read_radio(rd, t):
    r = {}
    text = rd.short()
    m = re.fullmatch(r"(\d+) --- Radio ---", text)
    if not m:
        rd.fault("expected a radio header, found %r" % text)
    r["id"] = int(m.group(1)) if m else -1
    r["brand"], r["model"], r["serial"] = rd.ref(t["Brand Name"]), rd.long(), rd.long()
    r["year"], r["manufacturer"] = rd.number(), rd.ref(t["Manufacturer"])
    r["style"], r["comp"] = rd.ref(t["Cabinet Style"]), rd.ref(t["Cabinet Composition"])
    r["colour"], r["trim"], r["trim_colour"] = rd.long(), rd.ref(t["Cabinet Trim"]), rd.long()
    r["dial"], r["dial_pos"] = rd.ref(t["Tuning Dial"]), rd.ref(t["Position"])
    r["grill"], r["grill_pos"] = rd.ref(t["Grill Style"]), rd.ref(t["Position"])
    r["push"], r["telephone"] = rd.ref(YES_NO), rd.ref(YES_NO)
    r["power"], r["bands"] = rd.ref(t["Power Source"]), rd.ref(t["Bands"])
    r["circuit"], r["technology"] = rd.ref(t["Circuit Type"]), rd.ref(TECHNOLOGY)
    r["tubes"] = [(rd.ref(TUBE_FUNCTION), rd.long()) for _ in range(rd.number())]
    if len(r["tubes"]) > 30 or any(f == 0 or not tube for f, tube in r["tubes"]):
        rd.fault("radio %d: more than 30 slots, or an empty slot written" % r["id"])
    r["acquired"], r["price"], r["where"] = rd.date(), rd.number(), rd.long()
    r["status"], r["chassis"], r["condition"] = rd.ref(STATUS), rd.ref(t["Chassis Condition"]), \
        rd.ref(t["Condition"])
    r["damage"], r["value"], r["source"] = rd.long_text(), rd.number(), rd.long()
    r["restored"], r["repair"], r["repairs"] = rd.date(), rd.number(), rd.long_text()
    r["disposed"], r["selling"], r["where_disposed"] = rd.date(), rd.number(), rd.long()
    r["schematic"] = rd.long()
    r["longs"] = [r["damage"], r["repairs"]] + [rd.long_text() for _ in range(3)]
    r["picture"], r["thumbnail"] = rd.long(), rd.long()
    r["extras"] = [rd.long() for _ in range(rd.number())]
    if len(r["extras"]) > 10:
        rd.fault("radio %d: more than 10 extra pictures" % r["id"])
    r["trim_is_none"] = t["Cabinet Trim"][r["trim"]] == "No Trim"
    return r


def check_radio_story(rd, radios, next_id):
    """Order, identifiers and dates that make sense, and a sample that shows every status."""
    ids = [r["id"] for r in radios]
    if len(set(ids)) != len(ids) or max(ids) >= next_id:
        rd.faults.append("identifiers repeat or reach nextId %d" % next_id)
    for a, b in zip(radios, radios[1:]):
        if radio_compare(a, b) >= 0:
            rd.faults.append("radio %d comes before radio %d against the radio order" % (a["id"], b["id"]))
    for r in radios:
        acquired = parse_date(r["acquired"])
        later = [parse_date(r[k]) for k in ("restored", "disposed") if r[k]]
        if not acquired or any(d < acquired for d in later) or not 1900 <= r["year"] <= 1999:
            rd.faults.append("radio %d: missing acquisition date or dates out of order" % r["id"])
        sold = STATUS[r["status"]] in SOLD
        if sold and (not r["disposed"] or r["selling"] <= r["price"] + r["repair"]):
            rd.faults.append("radio %d: sold without a date or without a profit" % r["id"])
    for name, table, key in (("status", STATUS, "status"), ("technology", TECHNOLOGY, "technology")):
        unused = set(table) - {table[r[key]] for r in radios}
        if unused:
            rd.faults.append("no radio has the %s %s" % (name, ", ".join(sorted(unused))))
    lengths = [len(text) for r in radios for text in r["longs"]]
    if 72 not in lengths or max(lengths) <= 144:
        rd.faults.append("no long text of exactly 72 characters, or none of three chunks")


def check_pictures(faults, radios, tables):
    """Names follow brand directory and short model name, and every file is there."""
    folders, names = {}, {}
    for r in radios:
        brand = tables["Brand Name"][r["brand"]]
        if not r["picture"]:
            continue
        m = re.fullmatch(r"pictures\\([^\\]+)\\([^\\]+)\.jpg", r["picture"])
        if not m or r["thumbnail"] != "pictures\\%s\\smallpix\\%s.jpg" % m.groups():
            faults.append("radio %d: picture names %r, %r" % (r["id"], r["picture"], r["thumbnail"]))
            continue
        if folders.setdefault(brand, m.group(1)) != m.group(1):
            faults.append("radio %d: brand %s has two picture directories" % (r["id"], brand))
        short = short_name(r["model"])
        if not (m.group(2) == short or m.group(2)[:-1] in (short, short[:-1])):
            faults.append("radio %d: %r is not the short name of %r" % (r["id"], m.group(2), r["model"]))
        for name in [r["picture"], r["thumbnail"]] + r["extras"]:
            if names.setdefault(name, r["id"]) != r["id"]:
                faults.append("radio %d: %s is also used by radio %d" % (r["id"], name, names[name]))
    for r in radios:
        if not r["picture"]:  # the program would name it on loading, and count it as modified
            faults.append("radio %d: no picture names" % r["id"])
    check_picture_files(faults, names, radios)


def check_picture_files(faults, names, radios):
    sizes = {r["thumbnail"]: THUMB for r in radios if r["thumbnail"]}
    sizes.update({r["picture"]: SIZE for r in radios if r["picture"]})
    # One radio has its names but no files: the program shows it by brand and model.
    pictureless = [r for r in radios if r["picture"] and not (SAMPLE / r["picture"].replace("\\", "/")).exists()]
    for r in pictureless:
        names = {n: i for n, i in names.items() if n not in [r["picture"], r["thumbnail"]] + r["extras"]}
        if r["extras"] or (SAMPLE / r["thumbnail"].replace("\\", "/")).exists():
            faults.append("radio %d: a thumbnail or extra pictures without its picture" % r["id"])
    for name in names:
        path = SAMPLE / name.replace("\\", "/")
        try:
            with Image.open(path) as img:
                if img.format != "JPEG" or img.info.get("progressive") or \
                        img.size != sizes.get(name, SIZE):
                    faults.append("%s: not a baseline JPEG of the expected size" % name)
        except OSError:
            faults.append("%s: missing or unreadable" % name)
            continue
        if name in sizes and sizes[name] == SIZE and path.stat().st_size > 40000:
            faults.append("%s: %d bytes, more than 40 KB" % (name, path.stat().st_size))
    on_disk = {str(p.relative_to(SAMPLE)).replace("/", "\\") for p in (SAMPLE / "pictures").rglob("*")
               if p.is_file()}
    for stray in sorted(on_disk - set(names)):
        faults.append("%s: no radio names this file" % stray)
    if len(pictureless) != 1 or not 3 <= sum(1 for r in radios if r["extras"]) <= 4:
        faults.append("expected one radio without picture and three or four with extra pictures")


def check_tubes_section(rd, title, alias_names):
    """An inventory section: counts above 0, ascending by padded name, no alias name."""
    items = [rd.short() for _ in range(rd.header(title))]
    names = []
    for item in items:
        m = re.fullmatch(r"(\d+)\*(\S+)", item)
        if not m or int(m.group(1)) == 0:
            rd.fault("%r is not a count above 0, a star and a type" % item)
            continue
        names.append(padded(m.group(2)))
    if names != sorted(set(names)) or set(names) & alias_names:
        rd.fault("%s is out of order, repeats or holds an alias name" % title)
    return len(items)


def check_aliases(rd):
    pairs = []
    for _ in range(rd.header("Tube Aliases")):
        parts = rd.short().split(" ")
        if len(parts) != 2 or padded(parts[0]) <= padded(parts[1]):
            rd.fault("an alias line is not 'name aliasOf' with the name sorting second")
            continue
        pairs.append(padded(parts[0]))
    if pairs != sorted(set(pairs)):
        rd.fault("aliases are not in ascending order of their padded names")
    return set(pairs)


def find_by_words(name, entries):
    words = capitalised(name).split()
    for position, entry in enumerate(entries):
        have = capitalised(entry).split()
        if len(words) <= len(have) and all(h.startswith(w) for w, h in zip(words, have)):
            return position
    return None


def reparse_step(line, tables):
    """The step's written form after a read, or None when the reader would not take it."""
    if line in ("&&", "||", "*", "clear", "copy", "push", "swap") or line.isdigit():
        return line
    m = re.fullmatch(r"([-+&|])([^=<>]*)([=<>])(.*)", line)
    field = m and find_by_words(m.group(2), FIELDS)
    if field is None:
        return None
    field, value = FIELDS[field], m.group(4).split(",")[0]
    if field in FIELD_TABLES or field == "Grill":
        entries = tables[FIELD_TABLES.get(field, "Grill Style")]
        if field == "Grill":
            found = next((i for i, e in enumerate(entries) if capitalised(e).startswith(
                capitalised(value))), None)
        else:
            found = find_by_words(value, entries)
        value = None if found is None else entries[found]
    elif field.startswith("Date"):
        value = value if parse_date(value) else None
    elif field in ("Identifier", "Year"):
        value = re.match(r"-?\d+", value) and re.match(r"-?\d+", value).group(0)
    else:
        value = value.upper()
    return None if value is None else m.group(1) + field + m.group(3) + value


def check_macros(rd, tables):
    count = rd.header("Selection Macros")
    names = []
    for _ in range(count):
        names.append(rd.short())
        for _ in range(rd.number()):
            step = rd.short()
            if reparse_step(step, tables) != step:
                rd.fault("macro %r: step %r does not read back as written" % (names[-1], step))
    if not any(n.startswith("*") for n in names):
        rd.fault("no macro whose name begins with '*'")


def check():
    data = DATA_FILE.read_bytes()
    lines, faults = check_bytes(data)
    rd = Reader(lines)
    rd.faults += faults
    try:
        if rd.short() != "#%d --- Version ---" % VERSION:
            rd.fault("not a version %d file" % VERSION)
        count, next_id = rd.header("Number of Radios"), rd.header("Next ID")
        if rd.header("Next Backup File Number") > 99:
            rd.fault("backup number outside 0 to 99")
        tables = check_tables(rd)
        radios = [read_radio(rd, tables) for _ in range(count)]
        check_radio_story(rd, radios, next_id)
        check_pictures(rd.faults, radios, tables)
        alias_names = check_aliases(rd)
        stock = [check_tubes_section(rd, kind + " Inventory", alias_names)
                 for kind in ("Transistor", "Tube")]
        check_macros(rd, tables)
        if rd.at != len(lines):
            rd.fault("%d lines after the macros" % (len(lines) - rd.at))
    except Truncated:
        rd.fault("the file ends in the middle of the layout")
        radios, stock = [], []
    except (IndexError, ValueError):
        rd.fault("the layout is lost here; later faults are not looked for")
        radios, stock = [], []
    for fault in rd.faults:
        print("FAULT", fault)
    print("%s: %d lines, %d radios, %d transistor and %d tube inventory items: %s"
          % (DATA_FILE.relative_to(ROOT), len(lines), len(radios), *(stock or [0, 0]),
             "%d faults" % len(rd.faults) if rd.faults else "ok"))
    return not rd.faults


def self_test():
    """The name rules the checks lean on, on the program's own examples."""
    cases = [(short_name("Super Heterodyne 5-A"), "sprhtr5a"), (short_name("Acme-Standard"), "cmstndrd"),
             (short_name("H-500"), "h-500"), (short_name("12345678901"), "12345678"),
             (padded("6V6"), "   6V6"), (padded("12SK7"), "  12SK7"), (padded("117Z3"), " 117Z3"),
             (padded("OZ4"), " OZ4"), (capitalised("ACME RADIO corp."), "Acme Radio Corp."),
             (find_by_words("cab sty", FIELDS), 3), (find_by_words("c", FIELDS), 2),
             (parse_date("29Feb1952"), None), (format_date(datetime.date(1950, 1, 5)), "05Jan1950")]
    bad = [(got, want) for got, want in cases if got != want]
    for got, want in bad:
        print("FAULT self-test: got %r, want %r" % (got, want))
    return not bad


def main():
    if ARGUMENTS.check:
        sys.exit(0 if self_test() & check() else 1)
    generate()


if __name__ == "__main__":
    main()
