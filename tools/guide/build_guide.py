#!/usr/bin/python3
"""Turns the musicians' guide (Markdown) into one HTML page and checks it.

    build_guide.py GUIDE.md OUTPUT-FOLDER

Writes OUTPUT-FOLDER/guide.html. The pictures the guide shows must already
be in OUTPUT-FOLDER (scripts/make-guide puts them there). Fails (exit 1)
when a link or picture of the page does not resolve: a relative file that
is missing, or an anchor no heading has.
"""

import html
import html.parser
import os
import sys
import urllib.parse

import markdown

STYLE = """
body { font-family: "DejaVu Sans", "Segoe UI", Arial, sans-serif; max-width: 52em; margin: 2em auto;
       padding: 0 1em; line-height: 1.5; color: #222; }
img { max-width: 100%; height: auto; }
code, pre { background: #f3f3f3; border-radius: 3px; }
pre { padding: 0.6em; overflow-x: auto; }
table { border-collapse: collapse; }
th, td { border: 1px solid #ccc; padding: 0.3em 0.6em; vertical-align: top; }
.toc { background: #f7f7f7; padding: 0.5em 1em; }
"""


class LinkCollector(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.links = []
        self.ids = set()

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if "id" in attrs:
            self.ids.add(attrs["id"])
        for name in ("href", "src"):
            if name in attrs and attrs[name]:
                self.links.append(attrs[name])


def broken_links(page, folder):
    collector = LinkCollector()
    collector.feed(page)
    broken = []
    for link in collector.links:
        parsed = urllib.parse.urlparse(link)
        if parsed.scheme in ("http", "https", "mailto"):
            continue
        if not parsed.path:
            if parsed.fragment not in collector.ids:
                broken.append(link)
        elif not os.path.isfile(os.path.join(folder, urllib.parse.unquote(parsed.path))):
            broken.append(link)
    return broken


def main(argv):
    if len(argv) != 3:
        sys.stderr.write("usage: build_guide.py GUIDE.md OUTPUT-FOLDER\n")
        return 2
    source, folder = argv[1], argv[2]
    with open(source, encoding="utf-8") as f:
        text = f.read()
    converter = markdown.Markdown(extensions=["tables", "toc", "fenced_code", "attr_list"],
                                  extension_configs={"toc": {"title": "Contents"}})
    body = converter.convert(text)
    title = "ORV"
    for line in text.splitlines():
        if line.startswith("# "):
            title = line[2:].strip()
            break
    page = ("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
            f"<title>{html.escape(title)}</title>\n<style>{STYLE}</style>\n</head>\n<body>\n{body}\n</body>\n</html>\n")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "guide.html"), "w", encoding="utf-8") as f:
        f.write(page)
    broken = broken_links(page, folder)
    for link in broken:
        sys.stderr.write(f"build_guide: {source}: the link '{link}' does not resolve\n")
    return 1 if broken else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
