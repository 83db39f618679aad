"""Drawings of the sample radios: front view, back view and chassis, all 480 x 360.

Every drawing takes the radio record built by make_sample.py and a random generator seeded for
that radio, so a picture comes out the same on every run.
"""
import math

from PIL import Image, ImageChops, ImageDraw, ImageFont

SIZE, THUMB = (480, 360), (100, 75)
COLOURS = {
    "Walnut": (104, 62, 34), "Mahogany": (112, 44, 30), "Brown": (84, 50, 28),
    "Brown Crackle": (78, 56, 42), "Black": (36, 34, 33), "Ivory": (232, 222, 190),
    "Red": (176, 32, 30), "Mandarin Red": (214, 70, 40), "Maroon": (112, 30, 40),
    "Butterscotch": (226, 168, 64), "Green Onyx": (58, 128, 92), "Green": (96, 140, 104),
    "Turquoise": (64, 170, 168), "Tan": (186, 146, 100), "White": (240, 238, 230),
    "Gold": (205, 165, 60), "Silver": (196, 198, 204), "Maple": (214, 170, 110),
    "Ebony": (40, 30, 25), "Burl": (150, 100, 55), "Multicolour": (200, 120, 90),
}
CLOTH, FACE, POINTER = (196, 170, 122), (236, 222, 180), (170, 30, 20)
FONT = ImageFont.load_default()


def shade(c, k):
    return tuple(max(0, min(255, int(v * k))) for v in c)


def body_cathedral(d, c):
    d.ellipse((130, 40, 350, 260), fill=c, outline=shade(c, .55), width=3)
    d.rectangle((130, 150, 350, 318), fill=c)
    for x in (131, 349):
        d.line((x, 150, x, 318), fill=shade(c, .55), width=3)
    d.rectangle((120, 316, 360, 334), fill=shade(c, .7))
    return dict(grill=((165, 75, 315, 230), "arch"), dial=(205, 238, 275, 282),
                knobs=[(172, 292, 12), (308, 292, 12), (240, 299, 8)], inner=(160, 80, 320, 305))


def body_tombstone(d, c):
    d.rounded_rectangle((150, 35, 330, 318), 40, fill=c, outline=shade(c, .55), width=3)
    d.rectangle((140, 316, 340, 334), fill=shade(c, .7))
    return dict(grill=((178, 62, 302, 205), "arch"), dial=(202, 209, 278, 285),
                knobs=[(185, 292, 11), (240, 296, 8), (295, 292, 11)], inner=(170, 60, 310, 300))


def body_table(d, c):
    d.rounded_rectangle((60, 110, 420, 300), 26, fill=c, outline=shade(c, .55), width=3)
    for x in (90, 350):
        d.rectangle((x, 300, x + 40, 310), fill=shade(c, .5))
    return dict(grill=((88, 135, 250, 275), "rounded"), dial=(270, 135, 398, 245),
                knobs=[(298, 272, 12), (370, 272, 12)], inner=(80, 130, 400, 285))


def body_bullet(d, c):
    d.rounded_rectangle((160, 95, 425, 305), 30, fill=c, outline=shade(c, .55), width=3)
    d.ellipse((55, 95, 265, 305), fill=c, outline=shade(c, .55), width=3)
    d.rectangle((161, 98, 265, 302), fill=c)
    return dict(grill=((280, 125, 405, 275), "rounded"), dial=(98, 138, 222, 262),
                knobs=[(160, 284, 10), (250, 284, 11)], inner=(90, 115, 405, 285))


def body_console(d, c):
    d.rectangle((145, 22, 335, 322), fill=c, outline=shade(c, .55), width=3)
    d.rectangle((138, 14, 342, 28), fill=shade(c, .8))
    d.rectangle((150, 322, 330, 332), fill=shade(c, .6))
    for x in (150, 300):
        d.rectangle((x, 332, x + 30, 348), fill=shade(c, .6))
    return dict(grill=((170, 152, 310, 305), "rounded"), dial=(195, 40, 285, 120),
                knobs=[(180, 134, 9), (300, 134, 9)], phone=(240, 138, 15), inner=(165, 40, 315, 310))


def body_chairside(d, c):
    d.polygon([(130, 180), (350, 180), (385, 125), (165, 125)], fill=shade(c, 1.2),
              outline=shade(c, .55))
    d.polygon([(350, 180), (385, 125), (385, 278), (350, 330)], fill=shade(c, .75))
    d.rectangle((130, 180, 350, 330), fill=c, outline=shade(c, .55), width=3)
    return dict(grill=((160, 200, 320, 310), "rect"), dial=(214, 136, 304, 170), flat_dial=True,
                knobs=[(190, 153, 8), (328, 151, 8)], inner=(150, 195, 330, 315))


def body_portable(d, c, trim):
    d.arc((175, 35, 305, 150), 180, 360, fill=shade(c, .55), width=12)
    d.rounded_rectangle((120, 90, 360, 320), 18, fill=c, outline=trim or shade(c, .55), width=5)
    return dict(grill=((145, 190, 335, 300), "rounded"), dial=(165, 108, 315, 172),
                knobs=[(142, 140, 11), (338, 140, 11)], inner=(140, 105, 340, 305))


def body_pocket(d, c, trim):
    d.rounded_rectangle((175, 55, 305, 325), 20, fill=c, outline=trim or shade(c, .55), width=4)
    return dict(grill=((192, 160, 288, 300), "ellipse"), dial=(230, 72, 296, 138),
                knobs=[(200, 95, 10)], inner=(190, 70, 290, 310))


def body_clock(d, c):
    d.rounded_rectangle((55, 115, 425, 300), 30, fill=c, outline=shade(c, .55), width=3)
    d.ellipse((88, 140, 218, 270), fill=(245, 242, 230), outline=(150, 130, 80), width=5)
    for hour in range(12):
        d.line(ring_point(153, 205, 54, 54, hour * 30) + ring_point(153, 205, 46, 46, hour * 30),
               fill=(40, 40, 40), width=3)
    d.line((153, 205) + ring_point(153, 205, 30, 30, 300), fill=(20, 20, 20), width=5)
    d.line((153, 205) + ring_point(153, 205, 44, 44, 60), fill=(20, 20, 20), width=3)
    return dict(grill=((285, 238, 385, 285), "rounded"), dial=(285, 135, 375, 225),
                knobs=[(262, 262, 9), (405, 262, 9)], inner=(75, 130, 405, 285))


def body_breadbox(d, c):
    d.rectangle((45, 165, 435, 292), fill=c, outline=shade(c, .55), width=3)
    d.rectangle((40, 150, 440, 175), fill=shade(c, 1.1), outline=shade(c, .55), width=2)
    d.rectangle((70, 195, 410, 275), fill=(30, 28, 26))
    return dict(grill=None, dial=(80, 200, 400, 270), knobs=[(187, 262, 6), (293, 262, 6)],
                inner=(60, 175, 420, 285))


def body_box(d, c, metal, grill):
    d.rounded_rectangle((85, 115, 395, 300), 8, fill=c, outline=shade(c, .55), width=3)
    d.rectangle((102, 130, 378, 285), fill=shade(c, .85) if metal else (30, 28, 26))
    if grill == "None":
        return dict(grill=None, dial=(200, 148, 280, 215),
                    knobs=[(160, 252, 13), (240, 258, 10), (320, 252, 13)], inner=(100, 130, 380, 285))
    return dict(grill=((115, 145, 225, 270), "rounded"), dial=(240, 148, 365, 205),
                knobs=[(255, 250, 10), (300, 250, 10), (345, 250, 10)], inner=(100, 130, 380, 285))


def body_car(d, c):
    d.rounded_rectangle((50, 150, 430, 272), 10, fill=c, outline=shade(c, .55), width=3)
    d.rounded_rectangle((68, 163, 412, 259), 8, fill=(200, 200, 205), outline=(120, 120, 125))
    for i in range(5):
        x = 150 + i * 37
        d.rectangle((x, 222, x + 30, 248), fill=(235, 232, 220), outline=(90, 90, 90))
    return dict(grill=None, dial=(150, 175, 330, 210), knobs=[(105, 211, 22), (375, 211, 22)],
                inner=(70, 165, 410, 255))


def body_crystal(d, c):
    d.rounded_rectangle((150, 190, 330, 300), 10, fill=c, outline=shade(c, .4), width=3)
    d.rectangle((205, 160, 255, 190), fill=(190, 205, 210), outline=(90, 90, 90))
    d.line((215, 170, 245, 182), fill=(120, 90, 40), width=2)
    for x in (290, 312):
        d.ellipse((x - 6, 178, x + 6, 190), fill=(200, 160, 70), outline=(110, 80, 30))
    return dict(grill=None, dial=(205, 210, 275, 280), knobs=[], inner=(160, 200, 320, 290))


def draw_body(d, r, c):
    trim = COLOURS.get(r["trim_colour"]) if r["trim"] != "No Trim" else None
    shape = r["shape"]
    if shape in ("portable", "pocket"):
        return (body_portable if shape == "portable" else body_pocket)(d, c, trim)
    if shape == "box":
        return body_box(d, c, r["comp"] == "Metal", r["grill"])
    return {"cathedral": body_cathedral, "tombstone": body_tombstone, "table": body_table,
            "bullet": body_bullet, "console": body_console, "chairside": body_chairside,
            "clock": body_clock, "breadbox": body_breadbox, "car": body_car,
            "crystal": body_crystal}[shape](d, c)


def shape_mask(box, kind):
    mask = Image.new("L", SIZE, 0)
    m = ImageDraw.Draw(mask)
    x0, y0, x1, y1 = box
    if kind == "arch":
        m.ellipse((x0, y0, x1, y0 + (x1 - x0)), fill=255)
        m.rectangle((x0, y0 + (x1 - x0) // 2, x1, y1), fill=255)
    elif kind == "ellipse":
        m.ellipse(box, fill=255)
    elif kind == "rounded":
        m.rounded_rectangle(box, 12, fill=255)
    else:
        m.rectangle(box, fill=255)
    return mask


def paint_grill(img, style, box, kind, cabinet, bars):
    layer = Image.new("RGB", SIZE, CLOTH)
    g = ImageDraw.Draw(layer)
    x0, y0, x1, y1 = box
    if style == "Cloth":
        for x in range(x0 - (y1 - y0), x1, 9):
            g.line((x, y1, x + (y1 - y0), y0), fill=shade(CLOTH, .93), width=2)
    elif style == "Fretwork":
        for x in range(x0 + 8, x1, 26):
            g.rectangle((x, y0, x + 6, y1), fill=shade(cabinet, .9))
            g.arc((x + 3, y0 + 40, x + 29, y0 + 90), 180, 360, fill=shade(cabinet, .9), width=5)
        g.rectangle((x0, (y0 + y1) // 2 + 20, x1, (y0 + y1) // 2 + 27), fill=shade(cabinet, .9))
    elif style == "Cutout":
        g.rectangle(box, fill=shade(cabinet, .95))
        cx, cy, w = (x0 + x1) // 2, (y0 + y1) // 2, (x1 - x0) // 7
        g.ellipse((cx - 2 * w, cy - 2 * w, cx + 2 * w, cy + 2 * w), fill=CLOTH)
        for dx in (-3 * w, 3 * w - w // 2):
            g.rounded_rectangle((cx + dx, y0 + 12, cx + dx + w // 2 + 2, y1 - 12), 5, fill=CLOTH)
    elif style in ("Horizontal Bars", "Vertical Bars"):
        g.rectangle(box, fill=(45, 38, 32))
        horizontal = style == "Horizontal Bars"
        for p in range(y0 + 6 if horizontal else x0 + 6, y1 if horizontal else x1, 15):
            g.rectangle((x0, p, x1, p + 8) if horizontal else (p, y0, p + 8, y1), fill=bars)
    elif style in ("Perforated Metal", "Metal Mesh"):
        g.rectangle(box, fill=(182, 182, 188))
        step = 9 if style == "Perforated Metal" else 6
        for y in range(y0 + 4, y1, step):
            for x in range(x0 + 4 + (y // step % 2) * step // 2, x1, step):
                g.ellipse((x - 2, y - 2, x + 2, y + 2), fill=(70, 70, 74))
    img.paste(layer, (0, 0), shape_mask(box, kind))
    ImageDraw.Draw(img).bitmap((0, 0), outline_of(box, kind), fill=shade(cabinet, .5))


def outline_of(box, kind):
    """A 3-pixel frame around a masked grill, so the opening reads as cut into the cabinet."""
    x0, y0, x1, y1 = box
    return ImageChops.subtract(shape_mask((x0 - 3, y0 - 3, x1 + 3, y1 + 3), kind), shape_mask(box, kind))


def ring_point(cx, cy, rx, ry, degrees):
    a = math.radians(degrees)
    return (cx + rx * math.sin(a), cy - ry * math.cos(a))


def round_dial(d, box, rim, angle, flat, numbers=False):
    x0, y0, x1, y1 = box
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    rx, ry = (x1 - x0) / 2, (y1 - y0) / 2
    if not flat:
        rx = ry = min(rx, ry)
    d.ellipse((cx - rx, cy - ry, cx + rx, cy + ry), fill=FACE, outline=rim, width=4)
    for i, a in enumerate(range(-135, 136, 15)):
        inner = 0.74 if i % 3 == 0 else 0.82
        d.line(ring_point(cx, cy, rx * inner, ry * inner, a) + ring_point(cx, cy, rx * .9, ry * .9, a),
               fill=(60, 45, 30), width=1)
        if numbers and i % 3 == 0 and min(rx, ry) >= 35:  # too crowded on a small dial
            x, y = ring_point(cx, cy, rx * .56, ry * .56, a)
            d.text((x - 6, y - 5), str(55 + i * 6), fill=(60, 45, 30), font=FONT)
    d.line((cx, cy) + ring_point(cx, cy, rx * .85, ry * .85, angle), fill=POINTER, width=2)
    if numbers:  # the airplane pointer has a tail
        d.line((cx, cy) + ring_point(cx, cy, rx * .4, ry * .4, angle + 180), fill=POINTER, width=3)
    d.ellipse((cx - 4, cy - 4, cx + 4, cy + 4), fill=rim)


def slide_dial(d, box, rim, fraction):
    x0, y0, x1, y1 = box
    d.rounded_rectangle(box, 6, fill=FACE, outline=rim, width=3)
    for i in range(x0 + 8, x1 - 6, 6):
        d.line((i, y1 - 8, i, y1 - (14 if (i - x0) % 24 < 6 else 11)), fill=(60, 45, 30))
    for n, label in enumerate(["55", "70", "90", "120", "160"]):
        d.text((x0 + 8 + n * (x1 - x0 - 26) / 4, y0 + 5), label, fill=(60, 45, 30), font=FONT)
    x = x0 + 8 + fraction * (x1 - x0 - 16)
    d.line((x, y0 + 3, x, y1 - 3), fill=POINTER, width=2)


def window_dial(d, box, rim, drum):
    x0, y0, x1, y1 = box
    d.rounded_rectangle(box, 8, fill=(190, 150, 70), outline=shade(rim, .6), width=2)
    w = (x0 + 10, y0 + 10, x1 - 10, y1 - 10)
    d.rectangle(w, fill=FACE, outline=(90, 70, 40))
    if drum:
        for x in range(w[0] + 4, w[2], 5):
            d.line((x, w[1] + 3, x, w[3] - 3), fill=(90, 70, 40))
    else:
        labels = ["60", "80", "100", "140"][:max(1, (w[2] - w[0]) // 18)]
        for i, label in enumerate(labels):
            x = w[0] + (w[2] - w[0]) * (i + .5) / len(labels) - 3 * len(label)
            d.text((x, (w[1] + w[3]) / 2 - 5), label, fill=(60, 45, 30), font=FONT)
    d.line(((w[0] + w[2]) / 2, w[1], (w[0] + w[2]) / 2, w[3]), fill=POINTER)


def draw_dial(d, kind, box, rim, angle, flat=False):
    x0, y0, x1, y1 = box
    if kind == "Slide Rule":
        slide_dial(d, (x0, (y0 + y1) // 2 - 22, x1, (y0 + y1) // 2 + 22) if y1 - y0 > 60 else box,
                   rim, (angle + 135) / 270)
    elif kind in ("Rectangular Window", "Drum"):
        window_dial(d, box, rim, kind == "Drum")
    elif kind == "Semicircular":
        d.pieslice((x0, y0 + 20, x1, y1 + (y1 - y0) - 20), 180, 360, fill=FACE, outline=rim, width=4)
        cx, cy, r = (x0 + x1) / 2, y1, (x1 - x0) / 2
        for a in range(-80, 81, 10):
            d.line(ring_point(cx, cy, r * .8, r * .8, a) + ring_point(cx, cy, r * .92, r * .92, a),
                   fill=(60, 45, 30))
        d.line((cx, cy) + ring_point(cx, cy, r * .85, r * .85, angle / 2), fill=POINTER, width=2)
    elif kind == "Multiple Round":
        step = (x1 - x0) / 3
        for i in range(3):
            cx = x0 + step * (i + .5)
            round_dial(d, (cx - 28, y0 + 7, cx + 28, y0 + 63), rim, angle - 40 * i, False)
    elif kind == "Thumbwheel":
        d.rectangle((x0 - 8, y0 + 8, x1 - 10, y0 + 40), fill=FACE, outline=rim, width=2)
        d.text((x0 - 4, y0 + 18), "6 8 10 14", fill=(60, 45, 30), font=FONT)
        d.rectangle((x1 - 8, y0, x1 + 10, y1 - 10), fill=shade(rim, .8), outline=shade(rim, .5))
        for y in range(y0 + 4, y1 - 12, 5):
            d.line((x1 - 8, y, x1 + 10, y), fill=shade(rim, .5))
    else:
        round_dial(d, box, rim, angle, flat, numbers=kind == "Airplane")


def draw_knob(d, x, y, r, colour):
    d.ellipse((x - r, y - r, x + r, y + r), fill=colour, outline=shade(colour, .45), width=2)
    d.ellipse((x - r * .55, y - r * .55, x + r * .55, y + r * .55), fill=shade(colour, 1.2))
    d.line((x, y, x + r * .6, y - r * .6), fill=shade(colour, .35), width=2)


def draw_phone_dial(d, x, y, r):
    d.ellipse((x - r, y - r, x + r, y + r), fill=(30, 30, 30), outline=(200, 180, 120), width=2)
    for i in range(10):
        px, py = ring_point(x, y, r * .68, r * .68, i * 30 - 135)
        d.ellipse((px - 2, py - 2, px + 2, py + 2), fill=(230, 225, 210))


def draw_radio(r, rng):
    """Front view of the radio in its cabinet on a plain background."""
    background = tuple(rng.randint(205, 240) for _ in range(3))
    img = Image.new("RGB", SIZE, background)
    d = ImageDraw.Draw(img)
    d.ellipse((60, 318, 420, 352), fill=shade(background, .85))
    cabinet = COLOURS[r["colour"]]
    trim = COLOURS.get(r["trim_colour"]) if r["trim"] != "No Trim" else None
    layout = draw_body(d, r, cabinet)
    if layout["grill"] and r["grill"] != "None":
        paint_grill(img, r["grill"], *layout["grill"], cabinet, trim or shade(cabinet, 1.15))
    d = ImageDraw.Draw(img)
    rim = trim or (190, 150, 70)
    draw_dial(d, r["dial"], layout["dial"], rim, rng.randint(-120, 120), layout.get("flat_dial", False))
    knob = trim if r["trim"] in ("Catalin", "Chrome", "Gold Paint") else (
        (45, 32, 24) if r["comp"] == "Wood" else shade(cabinet, .7))
    for x, y, radius in layout["knobs"]:
        draw_knob(d, x, y, radius, knob)
    if r["telephone"]:
        draw_phone_dial(d, *layout["phone"])
    return img, layout


def tube_list(r):
    """One entry per tube or transistor, counts expanded."""
    out = []
    for _, text in r["tubes"]:
        count, _, kind = text.rpartition("*")
        out += [kind] * (int(count) if count else 1)
    return out


def draw_parts(d, box, parts, transistor):
    """Tubes standing on (or transistors lying in) the bottom of the box, labelled by type."""
    x0, y0, x1, y1 = box
    step = (x1 - x0) / max(1, len(parts))
    base = y1 - 18
    for i, part in enumerate(parts):
        x = x0 + step * (i + .5)
        if transistor:
            d.ellipse((x - 7, base - 30, x + 7, base - 16), fill=(150, 150, 155), outline=(60, 60, 60))
            label_y = base - 12 + (i % 2) * 11  # staggered: the labels are wider than the cans
        else:
            w, h = min(26, step * .7), min(y1 - y0 - 24, 70 + (i * 37) % 30)
            d.rounded_rectangle((x - w / 2, base - h, x + w / 2, base), w / 2, fill=(200, 205, 210),
                                outline=(90, 90, 95), width=2)
            d.ellipse((x - w / 3, base - h + 3, x + w / 3, base - h + 3 + w / 2), fill=(120, 125, 130))
            d.rectangle((x - w / 2 - 1, base - 8, x + w / 2 + 1, base + 2), fill=(40, 35, 30))
            label_y = base + 5
        d.text((x - 3 * len(part), label_y), part, fill=(250, 250, 240) if not transistor else
               (255, 255, 255), font=FONT)


def draw_back(r, rng):
    img, layout = draw_radio(r, rng)
    d = ImageDraw.Draw(img)
    x0, y0, x1, y1 = layout["inner"]
    d.rectangle(layout["inner"], fill=(48, 38, 30), outline=(20, 15, 10), width=3)
    transistor = r["technology"] == "Transistor"
    if transistor:
        d.rectangle((x0 + 10, y0 + 10, x1 - 10, y1 - 70), fill=(40, 110, 60))
        d.rectangle((x0 + 20, y1 - 60, x1 - 20, y1 - 15), fill=(30, 30, 120))
        d.text((x0 + 26, y1 - 45), "22.5 V", fill=(240, 240, 240), font=FONT)
    draw_parts(d, (x0 + 8, y0 + 30, x1 - 8, y1 - 8 if not transistor else y1 - 60),
               tube_list(r)[:6], transistor)
    d.rectangle(((x0 + x1) // 2 - 40, y0 + 6, (x0 + x1) // 2 + 40, y0 + 24), fill=(230, 220, 190))
    d.text(((x0 + x1) // 2 - 36, y0 + 10), ("%s %s" % (r["brand"], r["model"]))[:13],
           fill=(40, 30, 20), font=FONT)
    return img


def draw_chassis(r, rng):
    img = Image.new("RGB", SIZE, tuple(rng.randint(215, 240) for _ in range(3)))
    d = ImageDraw.Draw(img)
    transistor = r["technology"] == "Transistor"
    plate = (40, 110, 60) if transistor else (165, 168, 172)
    d.polygon([(40, 300), (440, 300), (400, 200), (80, 200)], fill=plate, outline=shade(plate, .5))
    d.rectangle((40, 300, 440, 330), fill=shade(plate, .7))
    if r["power"] == "AC":
        d.rectangle((340, 150, 400, 215), fill=(40, 40, 42))  # power transformer
    elif not transistor:
        d.rounded_rectangle((350, 160, 385, 225), 8, fill=(185, 185, 190), outline=(90, 90, 90))
    if not transistor:
        d.rectangle((90, 165, 160, 220), fill=(120, 120, 125), outline=(70, 70, 70))  # tuning gang
    draw_parts(d, (95, 60, 380, 260), tube_list(r), transistor)
    d.text((50, 20), "%s %s chassis" % (r["brand"], r["model"]), fill=(40, 40, 40), font=FONT)
    return img


