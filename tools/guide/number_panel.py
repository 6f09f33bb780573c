#!/usr/bin/python3
"""Adds the guide's numbered callouts to a snapshot of the panel.

    number_panel.py SNAPSHOT.png OUTPUT.png

The snapshot is what `orvhost snapshot` writes, at any scale; the controls'
places come from the editor's own table (instrument/OrvPanelLayout.def), so
the numbers follow the panel when its layout changes. Numbers 1-5 sit above
the panel, the others below it, each with a line to its control; the guide's
numbered list uses the same numbers.
"""

import os
import sys

import cairo

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
sys.path.insert(0, os.path.join(ROOT, "tools", "skin"))
from panel_layout import read_layout  # noqa: E402

LAYOUT = read_layout(os.path.join(ROOT, "instrument", "OrvPanelLayout.def"))
RECT, POINT, LENGTH = LAYOUT["RECT"], LAYOUT["POINT"], LAYOUT["LENGTH"]
PANEL_W, PANEL_H = LAYOUT["SIZE"]

# Margins and badge sizes at 100 %.
TOP_MARGIN = 34
BOTTOM_MARGIN = 64
BADGE_RADIUS = 10
NEAR_ROW = 18   # below the panel: the first row of badges
FAR_ROW = 46    # and the second
BADGE_COLOUR = (0.93, 0.55, 0.16)
LINE_COLOUR = (0.93, 0.55, 0.16, 0.85)


def centre(rect):
    return ((rect[0] + rect[2]) / 2, (rect[1] + rect[3]) / 2)


def frame(image):
    _, _, _, w, h = LAYOUT["IMAGE"][image]
    return w, h


def callouts():
    """(number, target x, target y, 'top' | 'near' | 'far', badge x)."""
    out = []
    number_box, name_box = RECT["NumberBox"], RECT["NameBox"]
    menu, version = RECT["OptionMenuButton"], RECT["VersionBox"]
    learn = POINT["LearnSwitch"]
    learn_w, learn_h = frame("LearnImage")
    for n, (x, y) in enumerate([(centre(number_box)[0], number_box[1]), (centre(name_box)[0], name_box[1]),
                                (centre(menu)[0], menu[1]), (learn[0] + learn_w / 2, learn[1]),
                                (centre(version)[0], version[1])], start=1):
        out.append((n, x, y, "top", x))
    pad = RECT["Pad"]
    out.append((6, pad[0] + 40, pad[3] - 20, "near", pad[0] + 40))
    handle_w, handle_h = frame("HandleVerticalImage")
    fader_bottom = LENGTH["VerticalFaderTop"][0] + LENGTH["VerticalTravel"][0] + handle_h
    for n, name in enumerate(["VividX", "AirX", "ReleaseX", "VolumeX", "MorphRateX"], start=7):
        x = LENGTH[name][0] + handle_w / 2
        out.append((n, x, fader_bottom, "far", x))
    envelope = POINT["EnvelopeFader"]
    travel = LENGTH["HorizontalTravel"][0]
    h_w, h_h = frame("HandleHorizontalImage")
    out.append((12, envelope[0] + (travel + h_w) / 2, envelope[1] + h_h, "near", envelope[0] + (travel + h_w) / 2))
    mode = POINT["MorphModeSwitch"]
    mode_w, mode_h = frame("MorphModeImage")
    out.append((13, mode[0] + mode_w - 8, mode[1] + mode_h, "near", mode[0] + mode_w - 8))
    return out


def main(argv):
    if len(argv) != 3:
        sys.stderr.write("usage: number_panel.py SNAPSHOT.png OUTPUT.png\n")
        return 2
    snapshot = cairo.ImageSurface.create_from_png(argv[1])
    s = snapshot.get_width() / PANEL_W
    width = snapshot.get_width()
    height = round((TOP_MARGIN + PANEL_H + BOTTOM_MARGIN) * s)
    out = cairo.ImageSurface(cairo.FORMAT_RGB24, width, height)
    cr = cairo.Context(out)
    cr.set_source_rgb(1, 1, 1)
    cr.paint()
    cr.set_source_surface(snapshot, 0, TOP_MARGIN * s)
    cr.paint()
    cr.scale(s, s)
    cr.translate(0, TOP_MARGIN)
    cr.select_font_face("DejaVu Sans", cairo.FONT_SLANT_NORMAL, cairo.FONT_WEIGHT_BOLD)
    cr.set_font_size(11)
    for number, tx, ty, row, bx in callouts():
        by = {"top": -TOP_MARGIN / 2, "near": PANEL_H + NEAR_ROW, "far": PANEL_H + FAR_ROW}[row]
        cr.set_source_rgba(*LINE_COLOUR)
        cr.set_line_width(1.5)
        cr.move_to(bx, by + (BADGE_RADIUS if row == "top" else -BADGE_RADIUS))
        cr.line_to(tx, ty)
        cr.stroke()
        cr.arc(tx, ty, 2.5, 0, 6.2832)
        cr.fill()
        cr.set_source_rgb(*BADGE_COLOUR)
        cr.arc(bx, by, BADGE_RADIUS, 0, 6.2832)
        cr.fill()
        cr.set_source_rgb(1, 1, 1)
        text = str(number)
        extents = cr.text_extents(text)
        cr.move_to(bx - extents.x_bearing - extents.width / 2, by - extents.y_bearing - extents.height / 2)
        cr.show_text(text)
    out.write_to_png(argv[2])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
