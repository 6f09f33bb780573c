"""The editor's panel table (instrument/OrvPanelLayout.def) as Python data:
read by the skin painter and by the guide's numbered picture."""

import re


def read_layout(path):
    """The table's entries: ORV_PANEL_KIND(name, values...) lines."""
    layout = {"SIZE": [], "SCALE": [], "IMAGE": {}, "RECT": {}, "POINT": {}, "LENGTH": {}}
    with open(path) as f:
        for line in f:
            m = re.match(r"\s*ORV_PANEL_([A-Z]+)\((.*)\)\s*$", line)
            if not m:
                continue
            kind, args = m.group(1), [a.strip() for a in m.group(2).split(",")]
            if kind == "SIZE":
                layout["SIZE"] = [int(a) for a in args]
            elif kind == "SCALE":
                layout["SCALE"].append(int(args[0]))
            elif kind == "IMAGE":
                layout["IMAGE"][args[0]] = (int(args[1]), args[2], int(args[3]), int(args[4]), int(args[5]))
            else:
                layout[kind][args[0]] = tuple(int(a) for a in args[1:])
    return layout
