#!/usr/bin/env python3
"""The guide opened by Help > Contents and Index holds together: every picture it shows is there (a
PNG, small enough to ship), every link inside it and to a file beside it has its target, no anchor is
named twice, and no picture in its folder is left over from an older guide."""

import os
import sys
from html.parser import HTMLParser

MAX_PICTURE_BYTES = 400 * 1024


class GuideParser(HTMLParser):
    def __init__(self):
        super().__init__()
        self.anchors = []
        self.links = []
        self.pictures = []

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        line = self.getpos()[0]
        for key in ("name", "id"):
            if key in attrs and (tag == "a" or key == "id"):
                self.anchors.append((attrs[key], line))
        if tag == "a" and "href" in attrs:
            self.links.append((attrs["href"], line))
        if tag == "img":
            self.pictures.append((attrs.get("src", ""), line))


def problems_of(help_dir):
    guide = os.path.join(help_dir, "korvel.htm")
    parser = GuideParser()
    with open(guide, encoding="utf-8") as f:
        parser.feed(f.read())
    found = []

    names = {}
    for name, line in parser.anchors:
        if name in names:
            found.append(f"line {line}: anchor '{name}' is also named on line {names[name]}")
        names.setdefault(name, line)

    for href, line in parser.links:
        if href.startswith("#"):
            if href[1:] not in names:
                found.append(f"line {line}: link {href} has no anchor")
        elif "://" not in href and not href.startswith("mailto:"):
            target = href.split("#", 1)[0]
            if not os.path.isfile(os.path.join(help_dir, target)):
                found.append(f"line {line}: link {href} names no file beside the guide")

    shown = set()
    for src, line in parser.pictures:
        # The help window of the program's own shows only pictures beside the guide.
        if not src or "://" in src or os.path.isabs(src):
            found.append(f"line {line}: picture '{src}' is not a path relative to the guide")
            continue
        path = os.path.normpath(os.path.join(help_dir, src))
        shown.add(path)
        if not os.path.isfile(path):
            found.append(f"line {line}: picture {src} is missing (scripts/make-guide-images makes it)")
            continue
        with open(path, "rb") as f:
            if f.read(8) != b"\x89PNG\r\n\x1a\n":
                found.append(f"line {line}: picture {src} is not a PNG file")
        if os.path.getsize(path) > MAX_PICTURE_BYTES:
            found.append(f"line {line}: picture {src} is larger than {MAX_PICTURE_BYTES // 1024} KB")

    images = os.path.join(help_dir, "images")
    if os.path.isdir(images):
        for name in sorted(os.listdir(images)):
            if os.path.normpath(os.path.join(images, name)) not in shown:
                found.append(f"images/{name} is not shown by the guide")
    return found


def main():
    help_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(__file__), "..", "..", "resources", "help")
    found = problems_of(help_dir)
    for problem in found:
        print(f"korvel.htm: {problem}")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
